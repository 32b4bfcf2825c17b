#include "engine/MDIFrmScritture.h"

#include <cctype>
#include <fstream>

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTrameSalvate.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"

namespace MDIFrm {
namespace {

// Result of a step that failed without a transaction code of its own.
constexpr int32_t EsitoFallito = 4;

// Read, apply the pending list, write, read back; the list is emptied only on success.
bool ScriviBloccoModifiche(size_t n, ListaModifiche& lista, uint8_t comando) {
    if (n >= TabellaBlocchi.size()) return false;
    BloccoParametri& blocco = TabellaBlocchi[n];
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    auto guasto = [modo] {
        ModBlck::ImpostaModoLinea(modo);
        return false;
    };
    if (ModBlck::ImpostaModoLinea(2) != 0) return guasto();
    if (ModBlck::LeggiBloccoEcu(n, blocco, false) != 0) return guasto();
    // Entries outside the block's values are skipped, so one bad entry cannot block the list.
    ModBlck::ApplicaModifiche(blocco.Valori, lista);
    if (ModBlck::ScriviBloccoEcu(blocco, comando) != 0) return guasto();
    if (ModBlck::LeggiBloccoEcu(n, blocco, true) != 0) return guasto();
    if (ModBlck::ImpostaModoLinea(modo) != 0) return guasto();
    lista = ModBlck::ListaVuota();
    return true;
}

bool Esadecimale(const std::string& s) {
    for (const char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

} // namespace

bool ScriviBlocco2() { return ScriviBloccoModifiche(2, ModBlck::ModificheBlocco2, CMD_WRITE_BLK2); }

bool ScriviBlocco3() {
    if (!ScriviBloccoModifiche(3, ModBlck::ModificheBlocco3, CMD_WRITE_BLK3)) return false;
    const auto& v = TabellaBlocchi[3].Valori;
    ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(v.size() > 1 ? v[1] : 0, v.empty() ? 0 : v[0]);

    ServiziInterfaccia& ui = Interfaccia();
    const int32_t pagina = ModMain::PaginaCorrente;
    if (pagina == SCHEDA_INIETTORI) ui.FrmInjSetPopUp_AggiornaSelezioni(true);
    if (pagina == SCHEDA_SENSORI) {
        if (FRM_ZEBSensori_CaricaSoglieLivello) FRM_ZEBSensori_CaricaSoglieLivello();
        ui.FRM_ZEBSensori_AggiornaSelezioni();
    }
    if (pagina == SCHEDA_COMMUTAZIONE || pagina == SCHEDA_INIETTORI) ui.FRM_ZEBCommutazione_AggiornaSelezioni();
    if (pagina == SCHEDA_GESTIONE) ui.FRM_ZEBGestione_AggiornaSelezioni();
    if (pagina == SCHEDA_OBD) ui.FrmObd_AggiornaSelezioniObd();
    return true;
}

bool ScriviBlocco12() { return ScriviBloccoModifiche(12, ModBlck::ModificheBlocco12, CMD_WRITE_BLK12); }
bool ScriviBlocco14() { return ScriviBloccoModifiche(14, ModBlck::ModificheBlocco14, CMD_WRITE_BLK14); }
bool ScriviBlocco15() { return ScriviBloccoModifiche(15, ModBlck::ModificheBlocco15, CMD_WRITE_BLK15); }
bool ScriviBlocco16() { return ScriviBloccoModifiche(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16); }
bool ScriviBlocco18() { return ScriviBloccoModifiche(18, ModBlck::ModificheBlocco18, CMD_WRITE_BLK18); }
bool ScriviBlocco19() { return ScriviBloccoModifiche(19, ModBlck::ModificheBlocco19, CMD_WRITE_BLK19); }

bool ScriviBlocco5(const std::string& trama) {
    if (TabellaBlocchi.size() < 6) return false;
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    bool attesaLunga = false;
    // A failure after the long wait went out puts the normal wait back as well as the mode.
    auto guasto = [&] {
        if (attesaLunga) ModBlck::ImpostaAttesaEcu(ModBlck::AttesaEcuMs(false));
        ModBlck::ImpostaModoLinea(modo);
        return false;
    };
    if (ModBlck::ImpostaModoLinea(2) != 0) return guasto();
    if (ModBlck::ScriviTramaEcu(trama) != 0) return guasto();
    attesaLunga = true;
    if (ModBlck::ImpostaAttesaEcu(ModBlck::AttesaEcuMs(true)) != 0) return guasto();
    if (ModBlck::ScriviComandoEcu(CMD_STORE_BLK5) != 0) return guasto();
    if (ModBlck::ImpostaAttesaEcu(ModBlck::AttesaEcuMs(false)) != 0) return guasto();
    attesaLunga = false;
    if (ModBlck::LeggiBloccoEcu(5, TabellaBlocchi[5], true) != 0) return guasto();
    if (ModBlck::ImpostaModoLinea(modo) != 0) return guasto();
    return true;
}

int32_t LeggiBlocco10() {
    if (TabellaBlocchi.size() < 11) return EsitoFallito;
    return ModBlck::LeggiBloccoEcu(10, TabellaBlocchi[10], true);
}

bool LeggiOBDInfoError() {
    if (TabellaBlocchi.size() < 21) return false;
    BloccoParametri copia = TabellaBlocchi[20];
    if (ModBlck::LeggiBloccoEcu(20, copia, true) != 0) return false;
    if (!copia.Valori.empty() && (copia.Valori[0] & 8) == 8) TabellaBlocchi[20] = copia;
    return true;
}

int32_t LeggiMappeVcmRpmDafileEScarica(const std::string& /*tabella*/, const std::string& percorso) {
    if (!std::ifstream(percorso, std::ios::binary).is_open()) return EsitoFallito;
    std::string riga;
    if (!ModMain::LeggiRigheFile(percorso, "[TRisult]", riga) || riga.empty()) return 0;

    // The line is a whole stored CMD_READ_TRISULT reply: 42 01 7D 20 00, one
    // byte, the 120 table bytes, XOR. Check it before anything reaches the ECU.
    constexpr size_t DatiRisposta = 121;
    const std::string risposta = Esadecimale(riga) ? ModGlobFunct::ConvertiHexInTesto(riga) : std::string();
    if (!ModBlck::TramaRispostaAttesa(risposta, CMD_READ_TRISULT, DatiRisposta)) return EsitoFallito;
    const std::string tabella = risposta.substr(6, DatiRisposta - 1);

    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    auto fine = [modo](int32_t esito) {
        ModBlck::ImpostaModoLinea(modo);
        return esito;
    };
    int32_t r = ModBlck::ImpostaModoLinea(2);
    if (r != 0) return fine(r);
    // Adaptation on, static map off: bit 3 set, bit 5 cleared in block 2 value 2.
    ModBlck::ModificheBlocco2 = {{1, 2, 0x08}, {0, 2, 0x20}};
    if (!ScriviBlocco2()) return fine(EsitoFallito);
    if ((r = ModBlck::AzzeraTGas()) != 0) return fine(r);
    if ((r = ModBlck::ScriviComandoEcu(CMD_WRITE_TRISULT, tabella)) != 0) return fine(r);
    return fine(ModBlck::AzzeraTIsto());
}

bool LeggiAdattativa() {
    PaginaMappa locale{};
    if (ModBlck::LeggiMappaAdat(locale) != 0) return false;
    ModBlck::CopiaMappa(locale, ModMain::MappaPagina1);
    return true;
}

int32_t InviaComandoCustom(std::string& testo) {
    const std::string byte = ModGlobFunct::ConvertiHexInTesto(static_cast<const std::string&>(testo));
    const int32_t r = ModBlck::InviaTramaEcu(byte);
    testo = r == 0 ? ModGlobFunct::ConvertiTestoInHex(ModPipe::DatiRispostaPipe) : std::string(" ** ERROR ** ");
    return r;
}

} // namespace MDIFrm
