// The simulated ECU's calibration behaviour (see SimulazioneTaratura.h).
#include "SimulazioneTaratura.h"

#include <algorithm>
#include <cmath>

#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {
constexpr double TaraturaPi = 3.14159265358979323846;
constexpr double TaraturaTempRegime = 75.0;
// Share of a correction error that the car's closed loop puts on its petrol time.
constexpr double TaraturaGuadagnoAnello = 0.5;
} // namespace

double TempoBenzinaAGas(double tempoBenzina, int32_t correzione, int32_t correzioneIdeale) {
    return std::max(0.0, tempoBenzina + TaraturaGuadagnoAnello * (correzioneIdeale - correzione));
}

bool CentralinaSimulata::ImpostaManopolaTaratura(uint8_t id, int32_t valore) {
    switch (id) {
    case MANOPOLA_ECU_GIRI_TENUTI: taratura.giriTenuti = std::max(0, valore); return true;
    case MANOPOLA_ECU_CORREZIONE_IDEALE: taratura.correzioneIdeale = valore; return true;
    case MANOPOLA_ECU_RIDUTTORE_CALDO: taratura.riduttoreCaldo = valore != 0; return true;
    case MANOPOLA_ECU_COMANDO_MUTO: taratura.comandoMuto = valore; return true;
    default: return false;
    }
}

void CentralinaSimulata::ApplicaTaratura(StatoMotore& m, double t, int32_t cilindri, bool aGas) {
    if (taratura.riduttoreCaldo) m.tempRiduttore = std::max(m.tempRiduttore, TaraturaTempRegime);
    if (taratura.giriTenuti > 0) {
        // Held throttle: the load follows the rpm above idle.
        m.carico = std::clamp((taratura.giriTenuti - 800.0) / 2200.0, 0.0, 1.0);
        m.giri = taratura.giriTenuti + 10.0 * std::sin(2 * TaraturaPi * t / 1.3);
        for (int32_t k = 0; k < std::clamp(cilindri, 0, 8); ++k) {
            m.tempoBenzinaUs[k] = 2600.0 + 2400.0 * m.carico + 40.0 * std::sin(2 * TaraturaPi * t / 3.1 + k);
            m.tempoGasUs[k] = aGas ? m.tempoBenzinaUs[k] * 1.25 + 300.0 + 20.0 * k : 0.0;
        }
    }
    if (!aGas) return;
    const int32_t correzione = Valore(2, 6);
    for (int32_t k = 0; k < std::clamp(cilindri, 0, 8); ++k) {
        m.tempoBenzinaUs[k] = TempoBenzinaAGas(m.tempoBenzinaUs[k], correzione, taratura.correzioneIdeale);
        m.tempoGasUs[k] += correzione;
    }
}

} // namespace Simulazione
