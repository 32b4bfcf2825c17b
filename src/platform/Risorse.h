#pragma once
// The program's own embedded resources, by type and number (the Qt resource
// ":/<type>/<id>").
#include <optional>
#include <string>

namespace Piattaforma {

// The bytes of resource `id` of `tipo`, or nothing when the program has none.
std::optional<std::string> CaricaRisorsa(int id, const std::string& tipo);

} // namespace Piattaforma
