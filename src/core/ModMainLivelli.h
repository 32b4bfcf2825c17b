#pragma once
// The display levels: which controls a user sees, by the level tag of each
// control ("EXP", "SUP", "AUT"; "INV" is always hidden).
#include <cstdint>

namespace ModMain {

// 16-bit flags, -1 = on, 0 = off; all off at start. LivelloAut is only ever cleared.
inline int16_t LivelloExp = 0;
inline int16_t LivelloSup = 0;
inline int16_t LivelloAut = 0;

} // namespace ModMain
