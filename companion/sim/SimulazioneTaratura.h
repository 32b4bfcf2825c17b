#pragma once
// What the simulated ECU plays for the automatic calibration: an engine the
// operator can hold at a given rpm, a reducer already warm on request, and
// petrol injection times on gas that follow the gas-time correction the
// calibration writes (block 2 value 6): they match the times on petrol when
// the correction equals the engine's own need.
#include <cstdint>

namespace Simulazione {

enum ManopoleTaratura : uint8_t {
    MANOPOLA_ECU_GIRI_TENUTI = 40,        // rpm the operator holds; 0: idle with a rev every 20 s
    MANOPOLA_ECU_CORREZIONE_IDEALE = 41,  // gas-time correction (us) that matches gas to petrol
    MANOPOLA_ECU_RIDUTTORE_CALDO = 42,    // 1: the reducer is warm from the start
    MANOPOLA_ECU_COMANDO_MUTO = 43,       // the next frame with this command byte gets no reply (0: none)
};

struct MemoriaTaratura {
    int32_t giriTenuti = 0;
    int32_t correzioneIdeale = 400;
    bool riduttoreCaldo = false;
    int32_t comandoMuto = 0;
};

// Petrol time the car's own ECU injects on gas, for a gas-time correction
// `correzione` (us) against the one the engine needs: a lean mixture (too
// little correction) makes it inject longer, a rich one shorter.
double TempoBenzinaAGas(double tempoBenzina, int32_t correzione, int32_t correzioneIdeale);

} // namespace Simulazione
