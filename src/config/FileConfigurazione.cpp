#include "config/FileConfigurazione.h"

#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainCollegamento.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTrameSalvate.h"

namespace FileConfigurazione {

namespace {

const char* const FileCfgCrLf = "\r\n";

bool FileCfgHex(const std::string& s) {
    for (const char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

} // namespace

std::vector<std::string> SezioniMappa(int p) {
    static const char* const radici[] = {"[MAP_", "[ADAT_", "[MAPE_"};
    std::vector<std::string> r;
    for (int c = 0; c < 5; ++c) r.push_back(std::string(radici[p]) + std::to_string(c) + "]");
    return r;
}

std::vector<std::string> Sezioni(bool estesa) {
    std::vector<std::string> r = {SezioneFw, "[COLL]", "[BLK_1]", "[BLK_2]", "[BLK_3]", "[BLK_5]", "[BLK_6]", "[BLK_8]"};
    for (int p = 0; p < (estesa ? 3 : 1); ++p)
        for (const auto& s : SezioniMappa(p)) r.push_back(s);
    for (const char* s : {"[RIT_COM]", "[COM_TGASX]", "[COM_TRIDX]", "[COM_PGASX]", "[COM_PBENX]", "[COM_SMAG]",
                          "[EMULA_LAMBDA]", "[TBenz]", "[TGas]", "[TRisult]", "[TIsto]", "[OBD_DATA]",
                          "[OBD_DATA_DAT2]", "[ERROR_ECU]", "[FREEZE_FRAME]", "[VET_RPM_0]", "[VET_RPM_1]",
                          "[VET_TINJ_0]", "[VET_TINJ_1]", "[BLK_DINST]", "[OBD_ERR]", "[OBD_INFO_ERR]"})
        r.push_back(s);
    return r;
}

std::string Trama(uint8_t lunghezza, uint8_t comando, const std::string& dati) {
    std::string t{'\x42', '\x01', static_cast<char>(lunghezza), static_cast<char>(comando), '\x00'};
    t += dati;
    t += static_cast<char>(ModBlck::CalcolaXor(t));
    return t;
}

std::optional<std::string> DatiTrama(const std::string& trama) {
    if (trama.size() < 6) return std::nullopt;
    return trama.substr(5, trama.size() - 6);
}

std::string ComponiFile(const std::string& info, const std::string& nota, const Trame& trame, bool estesa) {
    std::string f = SezioneInfo + FileCfgCrLf + info + FileCfgCrLf + SezioneNota + FileCfgCrLf + nota + FileCfgCrLf;
    for (const auto& s : Sezioni(estesa)) {
        const auto t = trame.find(s);
        f += s + FileCfgCrLf + (t == trame.end() ? std::string() : ModGlobFunct::ConvertiTestoInHex(t->second)) +
             FileCfgCrLf;
    }
    return f;
}

std::vector<std::string> Righe(const std::string& testo) {
    std::vector<std::string> r;
    std::string riga;
    for (size_t i = 0; i < testo.size(); ++i) {
        const char c = testo[i];
        if (c == '\r' || c == '\n') {
            r.push_back(std::move(riga));
            riga.clear();
            if (c == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
        } else {
            riga.push_back(c);
        }
    }
    if (!riga.empty()) r.push_back(std::move(riga));
    return r;
}

std::map<std::string, std::string> LeggiSezioni(const std::vector<std::string>& righe,
                                                const std::vector<std::string>& nomi) {
    const auto nota = ModMain::RigheNota(righe);
    std::map<std::string, std::string> r;
    for (size_t i = 0; i + 1 < righe.size(); ++i) {
        if (nota[i]) continue;
        for (const auto& n : nomi)
            if (righe[i] == n) {
                r[n] = righe[i + 1];
                ++i;
                break;
            }
    }
    return r;
}

std::optional<std::string> TramaDaHex(const std::string& valore) {
    if (valore.size() < 12 || valore.size() % 2 != 0 || !FileCfgHex(valore)) return std::nullopt;
    return ModGlobFunct::ConvertiHexInTesto(valore);
}

std::optional<size_t> BloccoSezione(const std::string& sezione) {
    static const std::map<std::string, size_t> blocchi = {
        {"[COLL]", 5},          {"[BLK_1]", 1},         {"[BLK_2]", 2},          {"[BLK_3]", 3},
        {"[BLK_6]", 15},        {"[BLK_8]", 16},        {"[RIT_COM]", 6},        {"[COM_TGASX]", 8},
        {"[COM_TRIDX]", 7},     {"[COM_PGASX]", 9},     {"[COM_PBENX]", 17},     {"[COM_SMAG]", 13},
        {"[EMULA_LAMBDA]", 11}, {"[OBD_DATA]", 12},     {"[OBD_DATA_DAT2]", 14}, {"[ERROR_ECU]", 4},
        {"[FREEZE_FRAME]", 10}, {"[BLK_DINST]", 18},    {"[OBD_ERR]", 19},       {"[OBD_INFO_ERR]", 20},
    };
    const auto b = blocchi.find(sezione);
    if (b == blocchi.end()) return std::nullopt;
    return b->second;
}

std::optional<RispostaSezione> RispostaAttesa(const std::string& sezione) {
    if (sezione == SezioneFw || sezione == "[BLK_1]") return std::nullopt; // never loaded
    if (const auto n = BloccoSezione(sezione)) {
        if (*n >= TabellaBlocchi.size()) return std::nullopt;
        const auto comando = ModBlck::ComandoLetturaBlocco(TabellaBlocchi[*n]);
        if (!comando) return std::nullopt;
        return RispostaSezione{*comando, ModBlck::DatiRispostaBlocco(TabellaBlocchi[*n])};
    }
    if (sezione == "[BLK_5]") return RispostaSezione{CMD_READ_SOGLIE, 16};
    const uint8_t letture[] = {CMD_READ_MAP, CMD_READ_ADAT, CMD_READ_MAPE};
    for (int p = 0; p < 3; ++p) {
        const auto nomi = SezioniMappa(p);
        for (size_t c = 0; c < nomi.size(); ++c)
            if (nomi[c] == sezione) return RispostaSezione{letture[p], CellePezzo(c)};
    }
    if (sezione == "[VET_RPM_0]" || sezione == "[VET_RPM_1]") return RispostaSezione{CMD_READ_VET_RPM, 64};
    if (sezione == "[VET_TINJ_0]" || sezione == "[VET_TINJ_1]") return RispostaSezione{CMD_READ_VET_TINJ, 90};
    return std::nullopt;
}

bool TestoTroncato(const std::string& testo) {
    const auto righe = Righe(testo);
    if (righe.empty()) return false;
    const std::string& ultima = righe.back();
    std::vector<std::string> nomi = Sezioni(true);
    nomi.push_back(SezioneInfo);
    nomi.push_back(SezioneNota);
    if (std::find(nomi.begin(), nomi.end(), ultima) != nomi.end()) return true;
    if (testo.back() == '\r' || testo.back() == '\n') return false;
    for (const auto& n : nomi)
        if (n.rfind(ultima, 0) == 0) return true;
    return FileCfgHex(ultima) && !(ultima.size() % 2 == 0 &&
                                   ModBlck::TramaRispostaIntegra(ModGlobFunct::ConvertiHexInTesto(ultima)));
}

std::optional<std::string> LeggiFile(const std::string& percorso) {
    std::error_code e;
    if (!std::filesystem::is_regular_file(percorso, e)) return std::nullopt;
    return ModBlck::LeggiFileIntero(percorso);
}

bool ScriviFileSicuro(const std::string& percorso, const std::string& contenuto) {
    return ModBlck::ScriviFileSicuro(percorso, contenuto);
}

std::string RigaInfo() {
    const std::string titolo = ModMain::Dizionario ? ModMain::Dizionario->VoceDizionario(0, 0) : std::string();
    const QString adesso = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    return titolo + ModMain::VersioneProgramma + " " + ", file created " + adesso.toLatin1().toStdString();
}

std::string NormalizzaBlocco3(std::string trama) {
    if (trama.size() <= 27) return trama;
    trama[26] = 1;
    for (size_t i = 19; i <= 25; ++i)
        if (trama[i] != 0) trama[i] = 1;
    return trama;
}

} // namespace FileConfigurazione
