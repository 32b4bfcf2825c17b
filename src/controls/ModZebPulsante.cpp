#include "controls/ModZebPulsante.h"

#include "controls/PulsanteGrafico.h"

namespace ModZeb {

int32_t GestisciTimerPulsante(QWidget* finestra, uint32_t, int32_t, uint32_t) {
    if (!finestra) return 0;
    auto* pulsante = qobject_cast<PulsanteGrafico*>(finestra->property("lv_ClassID").value<QObject*>());
    if (!pulsante) return 0;
    int32_t id = finestra->property("lv_TimerID").toInt();
    pulsante->VerificaUscitaMouse(id);
    return 0;
}

} // namespace ModZeb
