#include "engine/ServiziNonCostruiti.h"

#include <algorithm>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "engine/MDIFrmScritture.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"

namespace {

// Reads block n under link mode 2 and restores the mode it found.
bool LeggiBloccoModo2(size_t n) {
    if (n >= TabellaBlocchi.size()) return false;
    const int32_t modo = ModPipe::ModoLinea;
    std::string risposta;
    bool ok = ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x02'), ModBlck::AttesaPipe, risposta) == 0;
    if (ok) {
        ok = ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta),
                                       ModBlck::AttesaPipe, risposta) == 0 &&
             !ModPipe::DatiRispostaPipe.empty();
        if (ok) {
            TabellaBlocchi[n].UltimaRisposta = ModPipe::DatiRispostaPipe;
            ModBlck::DecodificaBlocco(TabellaBlocchi[n].UltimaRisposta, TabellaBlocchi[n]);
        }
    }
    ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, static_cast<char>(modo)), ModBlck::AttesaPipe, risposta);
    return ok;
}

} // namespace

namespace ModMain {

bool SalvaConfigurazioneDaEcu(const std::string&) { return false; }
bool CaricaConfigurazioneInEcu(const std::string&) { return false; }
bool ScriviComPGasX() { return false; }
bool ScriviComPBenX() { return false; }

void PreparaScritturaComPGasX(int32_t v) {
    if (TabellaBlocchi.size() <= 9) return;
    BloccoParametri copia = TabellaBlocchi[9];
    if (copia.Valori.empty()) return;
    copia.Valori.back() = v;
    std::string dati;
    ModBlck::CodificaBlocco(dati, copia);
    ModBlck::FrameComPGasX = ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_WRITE_BLK9, dati);
}

bool LeggiBloccoBlk8() { return LeggiBloccoModo2(16); }
bool LeggiErroriEcu() { return LeggiBloccoModo2(4); }

std::string LeggiInfoFirmwareImmagine(const std::string& percorso) {
    if (LettoreInfoFirmware) return LettoreInfoFirmware(percorso);
    return std::string(36, '0');
}

} // namespace ModMain

namespace MDIFrm {

void EseguiTaratura() { ModMain::StatoConnessione = STATO_CONNESSO; }
void RipristinaDatiTaratura() {}

} // namespace MDIFrm

namespace ModEmula {
bool ScriviEmulazione() { return false; }
} // namespace ModEmula

namespace ModBlck {
void CalcolaSequenzaIniezione(int32_t, bool) {}
bool CalcolaVettoriAssi(std::array<uint8_t, 128>&, std::array<uint8_t, 180>&, std::array<uint8_t, 24>&,
                        std::array<uint8_t, 23>&, bool) {
    return false;
}
} // namespace ModBlck
