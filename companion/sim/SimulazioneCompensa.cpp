// The simulated ECU's compensation curves (blocks 8, 7, 9, 17, 13): plausible
// starting curves, all disabled, and the live index of the point each curve
// is using (block 1 values 46, 45, 47, 52), taken from the live inputs.
#include <algorithm>
#include <cmath>

#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {

int32_t CompensaArrotonda(double x) { return static_cast<int32_t>(std::lround(x)); }

} // namespace

void CentralinaSimulata::CurveCompensazioneIniziali() {
    auto curva = [this](size_t blocco, int32_t punti, auto asse, auto correzione) {
        if (blocco >= blocchi_.size()) return;
        for (int32_t p = 0; p < punti; ++p) {
            const double x = asse(p);
            ImpostaValore(blocco, static_cast<size_t>(2 * p), CompensaArrotonda(x));
            ImpostaValore(blocco, static_cast<size_t>(2 * p + 1), std::clamp(CompensaArrotonda(correzione(x)), -100, 100));
        }
    };
    // Gas temperature, -20..120 °C: denser gas when cold needs less time.
    curva(8, 57, [](int32_t p) { return -20 + 2.5 * p; },
          [](double x) { return 100 * std::sqrt((x + 273.15) / 293.15) - 100; });
    // Reducer temperature, -20..120 °C.
    curva(7, 57, [](int32_t p) { return -20 + 2.5 * p; }, [](double x) { return (60 - x) / 20; });
    // Gas pressure at the reducer, 500..3300 mbar, centred on 1200 mbar.
    curva(9, 57, [](int32_t p) { return 500 + 50.0 * p; }, [](double x) { return 100 - 100 * std::sqrt(x / 1200); });
    // Petrol-pressure sensor, 0..224 (1/51 V).
    curva(17, 57, [](int32_t p) { return 4.0 * p; }, [](double x) { return (100 - x) / 20; });
    // Enleanment time, 0..14 ms: a little leaner the longer it lasts.
    curva(13, 15, [](int32_t p) { return 1000.0 * p; }, [](double x) { return -x / 1000; });
    if (blocchi_.size() > 13 && blocchi_[13].parametri.size() >= 2) {
        const size_t n = blocchi_[13].parametri.size() - 1;
        ImpostaValore(13, n - 1, 5);
        ImpostaValore(13, n, 15);
    }
}

void CentralinaSimulata::AggiornaPuntiCompensazione() {
    if (blocchi_.size() <= 17) return;
    // The first point whose input reaches the live one, as the ECU looks it up.
    auto indice = [this](size_t blocco, int32_t ingresso) {
        int32_t p = 0;
        while (p < 56 && Valore(blocco, static_cast<size_t>(2 * p)) < ingresso) ++p;
        return p;
    };
    ImpostaValore(1, 46, indice(8, Valore(1, 43)));
    ImpostaValore(1, 45, indice(7, Valore(1, 42)));
    ImpostaValore(1, 47, indice(9, Valore(1, 33)));
    ImpostaValore(1, 52, indice(17, 102)); // the petrol sensor at 2 V
}

} // namespace Simulazione
