// The car behind the OBD link, as the gas ECU relays it in block 12 while OBD
// is on: the number of car ECUs, the fuel-system status of both banks, the
// fuel trims, the average correction, the rail pressure in the form of the
// chosen PID and the lambda (equivalence ratio).
#include <cmath>

#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {
constexpr size_t BloccoObdSim = 12;
int32_t ArrotondaObd(double x) { return static_cast<int32_t>(std::lround(x)); }
} // namespace

void CentralinaSimulata::AggiornaDatiObd() {
    if (blocchi_.size() <= BloccoObdSim) return;
    const double t = orologio();
    auto v = [this](size_t k, int32_t x) { ImpostaValore(BloccoObdSim, k, x); };
    // Fuel trims around 128 (0 %).
    v(30, ArrotondaObd(128 + 6 * std::sin(t / 2.0)));
    v(34, ArrotondaObd(128 + 3 * std::sin(t / 7.0)));
    v(38, ArrotondaObd(128 + 5 * std::sin(t / 2.3)));
    v(42, ArrotondaObd(128 + 2 * std::sin(t / 6.0)));

    // The rest only once an OBD start has chosen a car ECU (value 19 = PID 06).
    const bool collegata = (Valore(2, 2) & 0x04) && Valore(BloccoObdSim, 19) == 6 && scenario_.protocolloObd != 0;
    if (!collegata) return;
    v(0, static_cast<int32_t>(std::min<size_t>(scenario_.pidObd.size(), 3)));
    // Closed loop, with a short open-loop spell on each acceleration.
    const int32_t stato = std::fmod(t, 20.0) < 3.0 ? 0x04 : 0x02;
    v(26, Valore(BloccoObdSim, 18) > 0 ? stato : 0);
    v(27, Valore(BloccoObdSim, 18) > 0 && Valore(BloccoObdSim, 21) > 0 ? stato : 0);
    // Average correction, a signed byte.
    v(32, ArrotondaObd(4 * std::sin(t / 5.0)) & 0xFF);
    // Rail pressure around 5 MPa (4 MPa for the PID that cannot read that high),
    // coded as the chosen PID codes it; 10 kPa steps for 0x23 and 0x59.
    const double kPa = 5000 + 400 * std::sin(t / 4.0);
    int32_t a = 0, b = 0;
    switch (Valore(BloccoObdSim, 23)) {
    case 0x0A: a = ArrotondaObd((350 + 20 * std::sin(t / 4.0)) / 3.0); break; // low-pressure PID: 3 kPa steps
    case 0x22: {
        const int32_t r = std::min(0xFFFF, ArrotondaObd(0.8 * kPa / 0.079)); // 0.079 kPa steps, at most 5177 kPa
        a = r >> 8;
        b = r & 0xFF;
        break;
    }
    case 0x23:
    case 0x59: {
        const int32_t r = ArrotondaObd(kPa / 10.0);
        a = r >> 8;
        b = r & 0xFF;
        break;
    }
    default: break;
    }
    v(46, a);
    v(47, b);
    const int32_t lambda = ArrotondaObd(32768 + 600 * std::sin(t / 1.5));
    v(50, lambda >> 8);
    v(51, lambda & 0xFF);
}

} // namespace Simulazione
