#pragma once
// The changeover-switch view without a screen: each LED's colour from the
// LED-state word, the run flag and the blink phase; the blink phase clock;
// what a press on the switch stages and posts.
#include <cstdint>
#include <optional>

#include "link/ModBlckModifiche.h"

namespace CommutatoreRegole {

inline constexpr int NumeroLed = 7;
inline constexpr int32_t Nero = 0x000000;
inline constexpr int32_t Verde = 0x00FF00;  // &HBBGGRR
inline constexpr int32_t Rosso = 0x0000FF;
inline constexpr int32_t Arancio = 0x0080FF;

// Colour (&HBBGGRR) of LED `led` (0..6). Without a LED word (block 1 too
// short) every LED is off; without the run flag LEDs 5 and 6 are off.
int32_t ColoreLed(int led, std::optional<int32_t> statoLed, std::optional<int32_t> flag, uint8_t fase);

// The blink phase clock: steps the phase (0..3) once when `adesso` is past
// the deadline, which then moves to `adesso + periodo`.
struct FaseLampeggio {
    uint8_t fase = 0;
    double prossimoCambio = 0.0;
    double periodo = 200000.0;
    void Avanza(double adesso);
};

// A press on the switch: Shift stages {16, 5, 16} on block 15 and posts 54;
// otherwise the run flag set posts 12. Nothing while a request waits, and no
// changeover while the run flag cannot be read.
struct Pressione {
    int32_t richiesta = 0;          // 0: nothing posted
    bool aspettoPremuto = false;    // the pressed look
    bool scriveBlocco15 = false;
};
Pressione Premi(bool slotLibero, int16_t maiuscole, std::optional<int32_t> flag);

} // namespace CommutatoreRegole
