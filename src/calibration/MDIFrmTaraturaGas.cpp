// Calibration steps 5 and 6: injector tare and idle tare on gas.
#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"

namespace MDIFrm {

using namespace ModTaratura;

// Not built yet: a run ends here as a failed one, so its blocks are written back.
void TaraIniettori(int32_t& codice) {
    MostraAvanzamento();
    codice = StopTaratura ? ESITO_STOP : ESITO_TRASFERIMENTO;
}

void TaraAlMinimo(int32_t& codice) {
    MostraAvanzamento();
    codice = StopTaratura ? ESITO_STOP : ESITO_TRASFERIMENTO;
}

} // namespace MDIFrm
