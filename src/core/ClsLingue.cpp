#include "core/ClsLingue.h"

#include "core/Conversioni.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"

#include <fstream>
#include <sstream>

namespace {

constexpr const char* InizioLingua = "###";
constexpr const char* VoceVuota = "_BLANK_";
// Entry and language numbers are 16-bit: nothing is kept beyond this number.
constexpr size_t MassimoNumero = 32767;
// Largest current-language file read.
constexpr int64_t DimensioneMassimaLinguaCorrente = 64 * 1024;

bool ScriviFile(const std::string& percorso, const std::string& testo) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(testo.data(), static_cast<std::streamsize>(testo.size()));
    return static_cast<bool>(f);
}

} // namespace

ClsLingue::ClsLingue() = default;

int16_t ClsLingue::IdLingua() const {
    if (linguaNonSalvata_) return linguaSessione_;
    // The file holds one number: a larger one is no choice (the start then asks
    // for a language and writes the file anew).
    const auto letto = ModBlck::LeggiFileIntero(pathAttualeLingua_, DimensioneMassimaLinguaCorrente, false);
    if (!letto) return -1;
    const std::string& t = *letto;
    // Text lines end at CR, LF or CR LF.
    size_t inizio = 0;
    while (inizio <= t.size()) {
        size_t fine = t.find_first_of("\r\n", inizio);
        if (fine == std::string::npos) fine = t.size();
        const std::string_view riga(t.data() + inizio, fine - inizio);
        // A number outside the 16-bit range is no language number.
        if (const auto n = Conv::CInt(riga)) return *n;
        if (fine == t.size()) break;
        inizio = fine + ((t[fine] == '\r' && fine + 1 < t.size() && t[fine + 1] == '\n') ? 2 : 1);
    }
    return -1;
}

void ClsLingue::IdLingua(int16_t NewVal) {
    linguaNonSalvata_ = !ModGlobFunct::EsisteFile(pathAttualeLingua_) ||
                        !ScriviFile(pathAttualeLingua_, std::to_string(NewVal) + "\r\n");
    // Unsaved, the choice still holds while the program runs.
    linguaSessione_ = NewVal;
}

std::string ClsLingue::NomeLingua(int16_t ID) const {
    if (!LinguaValida(ID)) return {};
    const std::string& nome = lingue_[static_cast<size_t>(ID)].nome;
    if (nome.size() >= 2 && nome[0] == '#') return nome.substr(1);
    return {};
}

void ClsLingue::NuovaLingua(const std::string& NewVal) {
    for (const auto& l : lingue_)
        if (l.nome == NewVal) return;
    size_t i = 0;
    while (i < lingue_.size() && !lingue_[i].nome.empty()) ++i;
    if (i == lingue_.size()) {
        if (lingue_.size() > MassimoNumero) return;
        lingue_.emplace_back();
    }
    Lingua& l = lingue_[i];
    l.numero = static_cast<int16_t>(i);
    l.voci.assign(1, std::string());
    l.nome = NewVal;
}

int16_t ClsLingue::UboundLingue() const { return ultimaLingua_; }

int16_t ClsLingue::UboundVoci() const { return UboundVociLingua(0); }

int16_t ClsLingue::UboundVociLingua(int16_t IdL) const {
    if (!LinguaValida(IdL)) return -1;
    return static_cast<int16_t>(lingue_[static_cast<size_t>(IdL)].voci.size() - 1);
}

bool ClsLingue::LoadDizionario() {
    const auto righe = ModBlck::LeggiFileImpostazioni(pathDizionario_);
    int32_t ultima = -1;
    lingue_.assign(1, Lingua{});
    size_t j = 0;
    if (righe) {
        const size_t n = righe->size();
        for (size_t i = 0; i < n; ++i) {
            const std::string& riga = (*righe)[i];
            if (riga.empty() || riga == ModBlck::MarcatoreCodificato) continue;
            if (riga == InizioLingua) {
                // A language needs its name line and at least one more line.
                if (i + 2 >= n) break;
                if (static_cast<size_t>(ultima + 1) > MassimoNumero) break;
                ++ultima;
                lingue_.resize(static_cast<size_t>(ultima) + 1);
                Lingua& l = lingue_.back();
                l = Lingua{};
                l.numero = static_cast<int16_t>(ultima);
                const auto parti = Conv::Split((*righe)[i + 1], "&");
                l.nome = parti[0];
                const std::string charset = parti.size() > 1 ? parti[1] : std::string();
                // A charset that is missing or not a 16-bit number gives the default set.
                l.charset = charset.empty() ? int16_t{1} : Conv::CInt(charset).value_or(int16_t{1});
                j = 0;
                ++i;
                continue;
            }
            // Lines before the first language belong to none and are skipped.
            if (ultima < 0 || j > MassimoNumero) continue;
            auto& voci = lingue_[static_cast<size_t>(ultima)].voci;
            if (voci.size() < j + 1) voci.resize(j + 1);
            voci[j] = riga;
            ++j;
        }
    }
    ultimaLingua_ = static_cast<int16_t>(ultima);

    if (ModGlobFunct::EsisteFile(pathAttualeLingua_)) {
        if (IdLingua() > ultimaLingua_) IdLingua(0);
    } else {
        const size_t taglio = pathDizionario_.size() >= 3 ? pathDizionario_.size() - 3 : 0;
        pathAttualeLingua_ = pathDizionario_.substr(0, taglio) + "con";
        ScriviFile(pathAttualeLingua_, " \r\n");
        IdLingua(-1);
    }
    return righe && !righe->empty();
}

void ClsLingue::SaveDizionario() const {
    if (!ModGlobFunct::EsisteFile(pathDizionario_)) return;
    std::string t;
    for (const auto& l : lingue_) {
        t += InizioLingua;
        t += "\r\n";
        t += l.nome;
        t += "\r\n";
        for (const auto& v : l.voci) {
            t += v.empty() ? std::string(VoceVuota) : v;
            t += "\r\n";
        }
    }
    ScriviFile(pathDizionario_, t);
}

std::string ClsLingue::VoceDizionario(int16_t IdLng, int16_t IdVoce) const {
    if (!LinguaValida(IdLng) || IdVoce < 0) return {};
    const auto& voci = lingue_[static_cast<size_t>(IdLng)].voci;
    if (static_cast<size_t>(IdVoce) >= voci.size()) return {};
    return voci[static_cast<size_t>(IdVoce)];
}

void ClsLingue::VoceDizionario(int16_t IdLng, int16_t IdVoce, const std::string& NewVal) {
    if (!LinguaValida(IdLng) || IdVoce < 0) return;
    auto& voci = lingue_[static_cast<size_t>(IdLng)].voci;
    if (voci.size() <= static_cast<size_t>(IdVoce)) voci.resize(static_cast<size_t>(IdVoce) + 1);
    voci[static_cast<size_t>(IdVoce)] = NewVal;
}

void ClsLingue::NuovaVoce(const std::string& Str_Voce, int16_t Idrow) {
    if (Idrow < 0) return;
    const auto r = static_cast<size_t>(Idrow);
    for (auto& l : lingue_) {
        if (r < l.voci.size()) {
            if (l.voci.size() > MassimoNumero) continue;
            l.voci.insert(l.voci.begin() + static_cast<std::ptrdiff_t>(r), std::string());
        } else {
            l.voci.resize(r + 1);
        }
    }
}

void ClsLingue::EliminaVoce(int16_t Idrow) {
    if (Idrow < 0) return;
    const auto r = static_cast<size_t>(Idrow);
    for (auto& l : lingue_) {
        if (r >= l.voci.size()) continue;
        l.voci.erase(l.voci.begin() + static_cast<std::ptrdiff_t>(r));
        l.voci.emplace_back();
    }
}

void ClsLingue::EliminaLingua(int16_t IdLgn) {
    if (!LinguaValida(IdLgn)) return;
    lingue_.erase(lingue_.begin() + IdLgn);
    for (size_t i = static_cast<size_t>(IdLgn); i < lingue_.size(); ++i) lingue_[i].numero = static_cast<int16_t>(i);
}

int16_t ClsLingue::CharsetLingua(int16_t ID) const {
    if (!LinguaValida(ID)) return 1;
    return lingue_[static_cast<size_t>(ID)].charset;
}
