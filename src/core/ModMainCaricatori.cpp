#include "core/ModMainCaricatori.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "core/Conversioni.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "platform/Processi.h"

namespace ModMain {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> LeggiByte(const std::string& percorso) { return ModBlck::LeggiFileIntero(percorso); }

// Lines of a sectioned file read one by one: CR LF, a lone CR or a lone LF
// ends a line; a last line without its end still counts.
std::vector<std::string> RigheSequenziali(const std::string& byte) {
    std::vector<std::string> righe;
    std::string riga;
    for (size_t i = 0; i < byte.size(); ++i) {
        const char c = byte[i];
        if (c == '\r' || c == '\n') {
            righe.push_back(std::move(riga));
            riga.clear();
            if (c == '\r' && i + 1 < byte.size() && byte[i + 1] == '\n') ++i;
        } else {
            riga.push_back(c);
        }
    }
    if (!riga.empty()) righe.push_back(std::move(riga));
    return righe;
}

std::optional<std::vector<std::string>> LeggiRigheSezionate(const std::string& percorso) {
    const auto byte = LeggiByte(percorso);
    if (!byte) return std::nullopt;
    return RigheSequenziali(*byte);
}

// The line after the first line equal to the section; nothing when there is none.
std::optional<std::string> RigaDopoSezione(const std::string& percorso, const std::string& sezione) {
    const auto righe = LeggiRigheSezionate(percorso);
    if (!righe) return std::nullopt;
    const auto nota = ModMain::RigheNota(*righe);
    for (size_t i = 0; i < righe->size(); ++i)
        if (!nota[i] && (*righe)[i] == sezione) {
            if (i + 1 < righe->size()) return (*righe)[i + 1];
            return std::nullopt;
        }
    return std::nullopt;
}

// Regular files of a folder whose name ends with `estensione` (letter case
// ignored), in name order as the original platform lists them.
std::vector<fs::path> FileConEstensione(const fs::path& cartella, const std::string& estensione) {
    std::vector<fs::path> trovati;
    std::error_code ec;
    const std::string est = Conv::UCase(estensione);
    for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string nome = it->path().filename().string();
        if (nome.size() >= est.size() && Conv::UCase(nome.substr(nome.size() - est.size())) == est)
            trovati.push_back(it->path());
    }
    std::sort(trovati.begin(), trovati.end(), [](const fs::path& a, const fs::path& b) {
        const std::string na = a.filename().string(), nb = b.filename().string();
        const std::string ua = Conv::UCase(na), ub = Conv::UCase(nb);
        return ua != ub ? ua < ub : na < nb;
    });
    return trovati;
}

std::optional<int32_t> Intero(const std::string& testo) { return Conv::CLng(testo); }

// `quanti` numbers separated by "," (further items ignored).
bool LeggiNumeri(const std::string& riga, int32_t* dest, size_t quanti) {
    const auto voci = Conv::Split(riga, ",");
    if (voci.size() < quanti) return false;
    for (size_t k = 0; k < quanti; ++k) {
        const auto v = Intero(voci[k]);
        if (!v) return false;
        dest[k] = *v;
    }
    return true;
}

} // namespace

void CaricaFileImpostazioni(const std::string& percorso, std::vector<std::string>& righe) {
    if (!ModGlobFunct::EsisteFile(percorso)) return;
    if (auto lette = ModBlck::LeggiFileImpostazioni(percorso)) righe = std::move(*lette);
}

void CaricaCostantiSensori(const std::vector<std::string>& righe) {
    CostanteLambda = 10;
    CostantePressione = 10;
    // A key on the last line or a value that is not a whole number keeps what
    // was read before (the default at first).
    for (size_t i = 0; i + 1 < righe.size(); ++i) {
        if (righe[i] == "[K_Lambda]") {
            if (const auto v = Intero(righe[i + 1])) CostanteLambda = *v;
        } else if (righe[i] == "[K_Pressure]") {
            if (const auto v = Intero(righe[i + 1])) CostantePressione = *v;
        }
    }
    CostanteLambda = std::clamp(CostanteLambda, 1, 10);
    CostantePressione = std::clamp(CostantePressione, 1, 10);
    if (TabellaBlocchi.size() > 1) BloccoAppoggio = TabellaBlocchi[1];
}

void CaricaTabellaQdl(const std::vector<std::string>&) {
    // The table between "[QDL_TAB_START]" and "[QDL_TAB_END]" and the keys
    // "[QDL_MAP]" and "[QDL_RPM]" feed nothing in this program: they are
    // accepted in the file and passed over.
}

bool CaricaFileCoefficienti(const std::string& cartella, std::vector<CoefficientiMappa>& record) {
    record.assign(1, CoefficientiMappa{});
    bool accettato = false;
    for (const auto& p : FileConEstensione(fs::path(cartella), ".coe")) {
        CoefficientiMappa c;
        if (!LeggiFileCoefficienti(p.string(), c)) continue;
        if (accettato) record.push_back(std::move(c));
        else record[0] = std::move(c);
        accettato = true;
    }
    return accettato;
}

bool LeggiFileCoefficienti(const std::string& percorso, CoefficientiMappa& record) {
    const auto byte = LeggiByte(percorso);
    if (!byte) return false;
    const std::vector<std::string> righe = ModBlck::DividiRighe(*byte);
    const auto riga = [&](size_t i) -> const std::string* { return i < righe.size() ? &righe[i] : nullptr; };

    CoefficientiMappa c;
    std::map<std::string, int> intestazioni;
    for (size_t i = 0; i < righe.size(); ++i) {
        const std::string& s = righe[i];
        if (s == "[m_mappa]" || s == "[q_mappa]") {
            ++intestazioni[s];
            auto& m = s == "[m_mappa]" ? c.m_mappa : c.q_mappa;
            for (size_t r = 0; r < 23; ++r) {
                const std::string* t = riga(i + 1 + r);
                if (!t || !LeggiNumeri(*t, m[r].data(), 24)) return false;
            }
        } else if (s == "[div_fact]" || s == "[id]") {
            ++intestazioni[s];
            const std::string* t = riga(i + 1);
            const auto v = t ? Intero(*t) : std::nullopt;
            if (!v) return false;
            (s == "[id]" ? c.id : c.div_fact) = *v;
        } else if (s == "[note]") {
            ++intestazioni[s];
            const std::string* t = riga(i + 1);
            if (!t) return false;
            c.note = *t;
        } else if (s == "[m_retta]" || s == "[q_retta]") {
            ++intestazioni[s];
            const std::string* t = riga(i + 1);
            if (!t || !LeggiNumeri(*t, (s == "[m_retta]" ? c.m_retta : c.q_retta).data(), 9)) return false;
        }
    }
    // Seven headers, each of the seven sections once: a repeated header does
    // not stand in for a missing one.
    if (intestazioni.size() != 7) return false;
    for (const auto& [nome, volte] : intestazioni)
        if (volte != 1) return false;
    record = std::move(c);
    return true;
}

bool ElencaConfigurazioniPredefinite(std::vector<ConfigurazionePredefinita>& record) {
    record.assign(1, ConfigurazionePredefinita{});
    const std::string cartella = PercorsoBase + "/lng/";
    bool elencato = false;
    for (const auto& p : FileConEstensione(fs::path(cartella), "." + EstensionePredefinite)) {
        ConfigurazionePredefinita c;
        const std::string nome = p.filename().string();
        c.Percorso = cartella + nome;
        c.Nome = nome.substr(0, nome.size() - 4);
        int32_t v = 0;
        // A file without a readable "[BLK_6]" line gets no identifier: it must
        // not take the block's current value and match the ECU.
        if (LeggiBloccoDaFile(15, c.Percorso, "[BLK_6]", 47, v)) c.Identificativo = v;
        if (elencato) record.push_back(std::move(c));
        else record[0] = std::move(c);
        elencato = true;
    }
    return elencato;
}

bool LeggiBloccoDaFile(int32_t blocco, const std::string& percorso, const std::string& sezione,
                       int32_t indice, int32_t& valore) {
    valore = 0;
    if (blocco < 0 || static_cast<size_t>(blocco) >= TabellaBlocchi.size() || indice < 0) return false;
    const auto riga = RigaDopoSezione(percorso, sezione);
    if (!riga) return false;
    const std::string risposta = ModGlobFunct::ConvertiHexInTesto(*riga);
    // The copy keeps the table's record as it is.
    BloccoParametri copia = TabellaBlocchi[static_cast<size_t>(blocco)];
    const auto k = static_cast<size_t>(indice);
    // A value the line does not hold is not taken from the copy's current values.
    if (!ModBlck::DecodificaValore(risposta, copia, k)) return false;
    ModBlck::DecodificaBlocco(risposta, copia);
    valore = copia.Valori[k];
    return true;
}

std::vector<bool> RigheNota(const std::vector<std::string>& righe) {
    std::vector<bool> nota(righe.size(), false);
    for (size_t i = 0; i < righe.size(); ++i) {
        if (righe[i] != "[NOTE]") continue;
        size_t fine = i + 1;
        while (fine < righe.size() && righe[fine] != "[FW]") ++fine;
        if (fine >= righe.size()) fine = std::min(i + 2, righe.size());
        for (size_t k = i + 1; k < fine; ++k) nota[k] = true;
        i = fine - 1;
    }
    return nota;
}

bool LeggiRigheFile(const std::string& percorso, const std::string& sezione, std::string& riga) {
    riga.clear();
    const auto r = RigaDopoSezione(percorso, sezione);
    if (!r) return false;
    riga = *r;
    return true;
}

void CaricaMappeDaFile(const std::string& percorso, PaginaMappa& pagina, CurvaRetta& curva) {
    const auto righe = LeggiRigheSezionate(percorso);
    if (!righe) return;
    std::array<std::optional<std::string>, 5> pezzi;
    const auto nota = RigheNota(*righe);
    for (size_t i = 0; i + 1 < righe->size(); ++i) {
        if (nota[i]) continue;
        const std::string& s = (*righe)[i];
        if (s.size() == 7 && s.compare(0, 5, "[MAP_") == 0 && s[5] >= '0' && s[5] <= '4' && s[6] == ']')
            pezzi[static_cast<size_t>(s[5] - '0')] = (*righe)[i + 1]; // a later one replaces
    }
    // Chunk c holds the data bytes of a reply frame (after its 5-byte header):
    // 110 of them for chunks 0..3, 112 for chunk 4, placed at byte 110 x c of
    // the image. A missing or short chunk leaves zeros and moves nothing else.
    std::array<uint8_t, CellePaginaMappa> immagine{};
    for (size_t c = 0; c < pezzi.size(); ++c) {
        if (!pezzi[c]) continue;
        const std::string trama = ModGlobFunct::ConvertiHexInTesto(*pezzi[c]);
        const size_t lunghezza = c < 4 ? 110 : 112;
        for (size_t k = 0; k < lunghezza && 5 + k < trama.size(); ++k)
            immagine[110 * c + k] = static_cast<uint8_t>(trama[5 + k]);
    }
    for (int n = 0; n < CellePaginaMappa; ++n) CellaMappa(pagina, n) = immagine[static_cast<size_t>(n)];
    ModRetta::EstraiCurvaDaMappa(pagina, curva);
}

bool ElencaFileFirmware() {
    return !FileConEstensione(fs::path(Piattaforma::CartellaProgramma()), ".frh").empty();
}

std::string CompletaStringa(const std::string& testo, int32_t lunghezza, const std::string& riempimento,
                            bool allineaDestra) {
    std::string t = testo;
    if (riempimento.empty()) return t;
    while (static_cast<int64_t>(t.size()) < lunghezza) t = allineaDestra ? riempimento + t : t + riempimento;
    return t;
}

} // namespace ModMain
