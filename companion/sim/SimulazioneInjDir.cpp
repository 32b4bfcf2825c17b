// What the simulated ECU plays for the direct-injection acquisition wizard:
// an rpm-signal input that loses the engine when its threshold (block 15
// value 87) is set above the signal, and the car's petrol rail pressure on
// the OBD block (bank 1 present, pressure rising with load).
#include <algorithm>
#include <cmath>

#include "CentralinaSimulata.h"

namespace Simulazione {

void CentralinaSimulata::AggiornaInjDir(double carico) {
    if (blocchi_.size() > 15 && Valore(15, 87) > sogliaSegnaleRpm) ImpostaValore(1, 32, 0);
    if (blocchi_.size() <= 12) return;
    // 50 bar at idle up to 150 bar at full load, in units of 10 kPa (0.1 bar).
    const int32_t decimi = static_cast<int32_t>(std::lround((50.0 + 100.0 * std::clamp(carico, 0.0, 1.0)) * 10.0));
    ImpostaValore(12, 20, 1);
    ImpostaValore(12, 46, decimi >> 8);
    ImpostaValore(12, 47, decimi & 0xFF);
}

} // namespace Simulazione
