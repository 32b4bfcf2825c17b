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


} // namespace ModMain

namespace MDIFrm {

void EseguiTaratura() { ModMain::StatoConnessione = STATO_CONNESSO; }
void RipristinaDatiTaratura() {}

} // namespace MDIFrm

namespace ModBlck {
} // namespace ModBlck
