// The ECU's own error list (block 4), the error option words (block 15,
// values 15-46) and the service counters (block 2): start values, and what the
// ECU makes of the reset codes written into block 2.
#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {
constexpr size_t BloccoServizio = 2, BloccoErrori = 4, BloccoOpzioniErrori = 15;
constexpr int32_t CodiceAzzeramento = 65535, BitRiavvioServizio = 0x8000;
} // namespace

void CentralinaSimulata::RegistraErrori() {
    if (blocchi_.size() <= BloccoOpzioniErrori) return;
    // A few errors: the manifold sensor faulty now and stored, the level
    // sensor intermittent in the past, injector 3 faulty in the past.
    ImpostaValore(BloccoErrori, 3, 1);
    ImpostaValore(BloccoErrori, 32 + 3, 1);
    ImpostaValore(BloccoErrori, 32 + 9, 2);
    ImpostaValore(BloccoErrori, 32 + 20, 3);
    // Every error enabled; the manifold sensor with its second option too.
    for (size_t k = 0; k < 32; ++k) ImpostaValore(BloccoOpzioniErrori, 15 + k, 1);
    ImpostaValore(BloccoOpzioniErrori, 15 + 3, 3);
    // Counters: 120 h 25 min on gas, 35 h 40 min on petrol, service every
    // 500 h with 498 h counted.
    ImpostaValore(BloccoServizio, 10, 25);
    ImpostaValore(BloccoServizio, 11, 40);
    ImpostaValore(BloccoServizio, 7, 498);
    ImpostaValore(BloccoServizio, 9, 500);

    const BloccoSimulato& b2 = blocchi_[BloccoServizio];
    if (b2.comandoScrittura < 0) return;
    const uint8_t comando = static_cast<uint8_t>(b2.comandoScrittura);
    const auto g = gestori_.find(comando);
    if (g == gestori_.end()) return;
    Gestore scrittura = g->second;
    Registra(comando, [this, scrittura](uint8_t c, const std::string& d) {
        const std::string r = scrittura(c, d);
        if (r.size() < 5 || r[4] != 0) return r;
        // 65535 resets a running-time counter; bit 15 on the interval stores
        // the interval and restarts the countdown.
        if (Valore(BloccoServizio, 3) == CodiceAzzeramento) {
            ImpostaValore(BloccoServizio, 3, 0);
            ImpostaValore(BloccoServizio, 10, 0);
        }
        if (Valore(BloccoServizio, 4) == CodiceAzzeramento) {
            ImpostaValore(BloccoServizio, 4, 0);
            ImpostaValore(BloccoServizio, 11, 0);
        }
        const int32_t intervallo = Valore(BloccoServizio, 9);
        if (intervallo & BitRiavvioServizio) {
            ImpostaValore(BloccoServizio, 9, intervallo & 0x7FFF);
            ImpostaValore(BloccoServizio, 7, 0);
        }
        return r;
    });
}

} // namespace Simulazione
