#include "MotoreSimulato.h"

#include <algorithm>
#include <cmath>

namespace Simulazione {
namespace {
constexpr double Pi = 3.14159265358979323846;
constexpr double CicloGiriS = 20.0; // a rev every 20 s ...
constexpr double InizioGiriS = 12.0;
constexpr double DurataGiriS = 4.0; // ... lasting 4 s
constexpr double TempAmbiente = 20.0;
constexpr double TempRegime = 75.0;
constexpr double CostanteRiscaldamentoS = 120.0;
constexpr double TempPerGas = 35.0;
} // namespace

double TempRiduttore(double t) {
    return TempRegime - (TempRegime - TempAmbiente) * std::exp(-std::max(0.0, t) / CostanteRiscaldamentoS);
}

bool RiduttoreCaldo(double t) { return TempRiduttore(t) >= TempPerGas; }

StatoMotore CalcolaMotore(double t, int32_t cilindri, bool aGas) {
    StatoMotore m;
    const double x = std::fmod(std::max(0.0, t), CicloGiriS);
    // Throttle: a smooth bump while revving.
    double acceleratore = 0.0;
    if (x >= InizioGiriS && x < InizioGiriS + DurataGiriS) acceleratore = std::sin(Pi * (x - InizioGiriS) / DurataGiriS);
    m.carico = acceleratore;
    m.giri = 800.0 + 25.0 * std::sin(2 * Pi * t / 1.3) + 2200.0 * acceleratore;
    m.pressioneCollettore = 330.0 + 420.0 * acceleratore + 8.0 * std::sin(2 * Pi * t / 0.7);
    m.pressioneGas = m.pressioneCollettore + 1000.0 + 15.0 * std::sin(2 * Pi * t / 2.9);
    m.tempRiduttore = TempRiduttore(t);
    m.tempGas = 15.0 + 0.4 * (m.tempRiduttore - TempAmbiente);
    // Closed-loop lambda swinging between about 0.1 and 0.8 V, the second bank out of phase.
    m.lambda1mV = 450.0 + 350.0 * std::sin(2 * Pi * t * 1.2);
    m.lambda2mV = 450.0 + 350.0 * std::sin(2 * Pi * t * 1.2 + 1.9);
    const int32_t n = std::clamp(cilindri, 0, 8);
    for (int32_t k = 0; k < n; ++k) {
        const double benzina = 2600.0 + 2400.0 * acceleratore + 40.0 * std::sin(2 * Pi * t / 3.1 + k);
        m.tempoBenzinaUs[k] = benzina;
        m.tempoGasUs[k] = aGas ? benzina * 1.25 + 300.0 + 20.0 * k : 0.0;
    }
    return m;
}

} // namespace Simulazione
