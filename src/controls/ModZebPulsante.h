#pragma once
// ModZeb: the hover-timer callback of the drawn button.
#include <cstdint>

class QWidget;

namespace ModZeb {

// Identifier of a button's hover timer.
constexpr int32_t IdTimerPulsante = 237;

// One tick of a button's hover timer: finds the button kept in the window's
// "lv_ClassID" property and runs its hover check with the identifier kept in
// "lv_TimerID". Always 0.
int32_t GestisciTimerPulsante(QWidget* finestra, uint32_t messaggio, int32_t idTimer, uint32_t tempo);

} // namespace ModZeb
