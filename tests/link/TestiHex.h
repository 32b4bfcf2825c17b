#pragma once
// Byte strings written as hex in the link tests, both ways.
#include <string>

#include "core/ModGlobFunct.h"

namespace TestiHex {

inline std::string Byte(const std::string& hex) { return ModGlobFunct::ConvertiHexInTesto(hex); }
inline std::string Hex(const std::string& b) { return ModGlobFunct::ConvertiTestoInHex(b); }

} // namespace TestiHex
