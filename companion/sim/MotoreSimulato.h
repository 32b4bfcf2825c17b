#pragma once
// A plain engine model for the simulated ECU's live block: idle around 800
// rpm with a rev every 20 s, manifold and gas pressure, a reducer warming up,
// two swinging lambda signals and per-cylinder injection times.
#include <cstdint>

namespace Simulazione {

struct StatoMotore {
    double giri = 0;                // rpm
    double pressioneCollettore = 0; // mbar
    double pressioneGas = 0;        // mbar, about 1000 above the manifold
    double tempRiduttore = 0;       // degrees C
    double tempGas = 0;             // degrees C
    double lambda1mV = 0, lambda2mV = 0;
    double tempoBenzinaUs[8] = {};  // per cylinder
    double tempoGasUs[8] = {};      // per cylinder, 0 while on petrol
    double carico = 0;              // 0..1
};

// State at `t` seconds after start, for `cilindri` cylinders (1..8), on gas or petrol.
StatoMotore CalcolaMotore(double t, int32_t cilindri, bool aGas);

// Whether the reducer is warm enough to run on gas.
bool RiduttoreCaldo(double t);

} // namespace Simulazione
