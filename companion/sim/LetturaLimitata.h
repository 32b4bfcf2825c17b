#pragma once
// The companion's and the simulated ECU's settings files are read whole, and
// only up to a bound, so that a file blown up never fills the memory.
#include <cstddef>
#include <optional>
#include <string>

namespace Simulazione {

// A thousand times the largest shipped file (SetCom.ini, a few KiB).
inline constexpr size_t DimensioneMassimaImpostazioni = size_t(1) << 20;

// The whole file; nothing when it is missing or cannot be read. Over
// `massimo` bytes, nothing as well, and `troppoGrande` (when given) true.
std::optional<std::string> LeggiFileLimitato(const std::string& percorso, size_t massimo = DimensioneMassimaImpostazioni,
                                             bool* troppoGrande = nullptr);

} // namespace Simulazione
