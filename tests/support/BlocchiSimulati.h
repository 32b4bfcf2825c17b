#pragma once
// Blocks read from the simulated ECU in process, as polling reads them. For
// the test programs that link the simulated ECU.
#include <gtest/gtest.h>
#include <string>

#include "CentralinaSimulata.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"

namespace SupportoTest {

// Block `b` asked of `ecu` with its request frame, its reply kept and decoded;
// false, the block untouched, when no reply comes.
inline bool LeggiBloccoSimulato(Simulazione::CentralinaSimulata& ecu, BloccoParametri& b) {
    const std::string r = ecu.Rispondi(ModGlobFunct::ConvertiHexInTesto(b.TramaRichiesta));
    if (r.empty()) return false;
    b.UltimaRisposta = r;
    ModBlck::DecodificaBlocco(r, b);
    return true;
}

// `n` polling steps of 50 ms, on the simulated ECU's clock `secondi` and in real
// time: block 1 every step, block 12 every sixth, as the link timer reads them.
// Every read must be answered.
inline void InterrogaBlocchiLive(Simulazione::CentralinaSimulata& ecu, double& secondi, int n) {
    for (int i = 0; i < n; ++i) {
        secondi += 0.05;
        ModGlobFunct::AttendiMicrosecondi(50'000);
        for (size_t b : {size_t(1), size_t(12)}) {
            if (b == 12 && i % 6 != 5) continue;
            ASSERT_TRUE(LeggiBloccoSimulato(ecu, TabellaBlocchi.at(b)));
        }
    }
}

} // namespace SupportoTest
