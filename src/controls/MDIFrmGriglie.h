#pragma once
// The grid font size the main window chooses from its width; grid pages use it
// when they lay themselves out.
#include <cstdint>

namespace MDIFrm {

// Points: 9, 10, 11 or 12.
inline int32_t DimensioneCarattereGriglie = 9;

} // namespace MDIFrm
