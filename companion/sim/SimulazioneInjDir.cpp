// What the simulated ECU plays for the direct-injection acquisition wizard:
// an rpm-signal input that loses the engine when its threshold (block 15
// value 87) is set above the signal, and the car's petrol rail pressure on
// the OBD block (bank 1 present, pressure rising with load).
#include <algorithm>
#include <cmath>
#include <utility>

#include "CentralinaSimulata.h"

namespace Simulazione {

// Block 16 starts with settings the page's lists offer: contribution steps
// of 2 (words 3 and 5), an idle tip-in at 1400 rpm over 50 ms and 100 mbar
// for 20 cycles, petrol pressure acquired up to 200 bar, gas injection time
// capped at 20 ms (in us).
void CentralinaSimulata::ValoriInizialiInjDir() {
    if (blocchi_.size() <= 16) return;
    const std::pair<size_t, int32_t> valori[] = {{3, 2},    {5, 2},    {9, 1400}, {17, 50},
                                                 {18, 100}, {20, 20},  {21, 200}, {23, 20000}};
    for (const auto& [parola, valore] : valori) ImpostaValore(16, parola, valore);
}

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
