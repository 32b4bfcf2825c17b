#pragma once
// The display levels: which controls a user sees, by the level tag of each
// control ("EXP", "SUP", "AUT"; "INV" is always hidden). The helpers that
// apply them are in core/ModMainSchermo.h.
#include <cstdint>

namespace ModMain {

// 16-bit flags, -1 = on, 0 = off; all off at start. LivelloAut is only ever cleared.
inline int16_t LivelloExp = 0;
inline int16_t LivelloSup = 0;
inline int16_t LivelloAut = 0;
// -1 once the operator access code was accepted in this run: the hot key then
// raises the second level without asking again.
inline int16_t CodiceOperatoreAccettato = 0;

} // namespace ModMain
