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

namespace ModMain {

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
