#include "config/ModMainSalvataggio.h"

#include "config/FileConfigurazione.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"

namespace ModMain {

namespace {

constexpr int VoceErroreSalvataggio = 29;

std::string SalvaRisposta(size_t n) { return n < TabellaBlocchi.size() ? TabellaBlocchi[n].UltimaRisposta : std::string(); }

std::string SalvaImmagine(const PaginaMappa& p) {
    std::string s(CellePaginaMappa, '\0');
    for (int n = 0; n < CellePaginaMappa; ++n) s[static_cast<size_t>(n)] = static_cast<char>(CellaMappa(p, n));
    return s;
}

} // namespace

std::map<std::string, std::string> TrameDaMemoria() {
    using namespace FileConfigurazione;
    Trame t;
    t[SezioneFw] = Trama(0x2A, CMD_READ_MEM1, SalvaRisposta(0));
    const std::pair<const char*, size_t> blocchi[] = {
        {"[COLL]", 5},      {"[BLK_1]", 1},     {"[BLK_2]", 2},         {"[BLK_3]", 3},           {"[BLK_6]", 15},
        {"[BLK_8]", 16},    {"[RIT_COM]", 6},   {"[COM_TGASX]", 8},     {"[COM_TRIDX]", 7},       {"[COM_PGASX]", 9},
        {"[COM_PBENX]", 17}, {"[COM_SMAG]", 13}, {"[EMULA_LAMBDA]", 11}, {"[OBD_DATA]", 12},       {"[OBD_DATA_DAT2]", 14},
        {"[ERROR_ECU]", 4}, {"[FREEZE_FRAME]", 10}, {"[BLK_DINST]", 18}, {"[OBD_ERR]", 19},       {"[OBD_INFO_ERR]", 20},
    };
    for (const auto& [s, n] : blocchi) t[s] = SalvaRisposta(n);
    t["[BLK_5]"] = Trama(0x14, CMD_READ_SOGLIE, std::string(MatSoglie.begin(), MatSoglie.end()));
    const PaginaMappa* pagine[] = {&MappaPagina0, &MappaPagina1, &MappaPagina2};
    const uint8_t comandi[] = {CMD_READ_MAP, CMD_READ_ADAT, CMD_READ_MAPE};
    for (int p = 0; p < 3; ++p) {
        const std::string immagine = SalvaImmagine(*pagine[p]);
        const auto nomi = SezioniMappa(p);
        for (size_t c = 0; c < 5; ++c)
            t[nomi[c]] = Trama(static_cast<uint8_t>(CellePezzo(c) + 4), comandi[p], immagine.substr(110 * c, CellePezzo(c)));
    }
    t["[TBenz]"] = ModBlck::DatiGrezzi1B;
    t["[TGas]"] = ModBlck::DatiGrezzi1C;
    t["[TRisult]"] = ModBlck::DatiGrezzi20;
    t["[TIsto]"] = ModBlck::DatiGrezzi1F;
    const std::string rpm(ModBlck::VettoreRpm.begin(), ModBlck::VettoreRpm.end());
    const std::string tinj(ModBlck::VettoreTinj.begin(), ModBlck::VettoreTinj.end());
    t["[VET_RPM_0]"] = Trama(0x44, CMD_READ_VET_RPM, rpm.substr(0, rpm.size() / 2));
    t["[VET_RPM_1]"] = Trama(0x44, CMD_READ_VET_RPM, rpm.substr(rpm.size() / 2));
    t["[VET_TINJ_0]"] = Trama(0x5E, CMD_READ_VET_TINJ, tinj.substr(0, tinj.size() / 2));
    t["[VET_TINJ_1]"] = Trama(0x5E, CMD_READ_VET_TINJ, tinj.substr(tinj.size() / 2));
    return t;
}

bool SalvaConfigurazioneSuFile(const std::string& percorso) {
    // The full editor shown gives its grid to its page. The carburetion view
    // does not: its grid holds every second point only, and writing it back
    // would rebuild the points in between, changing the map by a plain save.
    switch (PaginaCorrente) {
    case SCHEDA_MAPPA: MDIFrm::Interfaccia().FrmMatrix_CaricaGrigliaInMatrice(0); break;
    case SCHEDA_MAPPA_1: MDIFrm::Interfaccia().FrmMatrix_CaricaGrigliaInMatrice(1); break;
    case SCHEDA_MAPPA_2: MDIFrm::Interfaccia().FrmMatrix_CaricaGrigliaInMatrice(2); break;
    default: break;
    }
    // A refusal shows its own message and leaves the vectors as they were.
    MDIFrm::Interfaccia().CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, AsseRpmLavoro, AsseTinjLavoro, false);
    const std::string testo =
        FileConfigurazione::ComponiFile(FileConfigurazione::RigaInfo(), NotaConfigurazione, TrameDaMemoria(), ConfigEstesa);
    if (FileConfigurazione::ScriviFileSicuro(percorso, testo)) return true;
    MostraVoce(VoceErroreSalvataggio);
    return false;
}

std::string ComponiEsportazione(const std::vector<BloccoParametri>& blocchi, const TabellaSoglie& soglie) {
    const std::string crlf = "\r\n";
    std::string s;
    for (const auto& b : blocchi) {
        s += " " + crlf;
        s += std::to_string(b.Tipo) + " " + b.Nome + crlf;
        s += ModGlobFunct::ConvertiTestoInHex(b.UltimaRisposta) + crlf;
        for (const int32_t v : b.Valori) s += std::to_string(v) + crlf;
    }
    s += " " + crlf + "# MatSoglie blocco 5" + crlf + "???" + crlf;
    for (const uint8_t v : soglie) s += std::to_string(v) + crlf;
    return s;
}

std::optional<bool> VisibilitaEsportazione(int16_t tasto, int16_t shift, int32_t& latch) {
    constexpr int16_t TastoX = 88, CtrlShiftAlt = 7;
    if (shift != CtrlShiftAlt) return std::nullopt;
    const bool mostra = tasto == TastoX && latch == 0;
    latch = mostra ? 1 : 0;
    return mostra;
}

bool EsportaBlocchi(const std::string& percorso) {
    if (FileConfigurazione::ScriviFileSicuro(percorso, ComponiEsportazione(TabellaBlocchi, MatSoglie))) return true;
    MostraVoce(VoceErroreSalvataggio);
    return false;
}

} // namespace ModMain
