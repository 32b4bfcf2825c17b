#pragma once
// Loading a configuration file into memory when no ECU is connected.
#include <cstdint>
#include <string>

namespace MDIFrm {

// Request 18 loads every block section, the three map pages, the threshold
// table, the four OBD-map tables and the index vectors (with the working
// axes); request 53 only the sections marked for it (the compensation and OBD
// blocks, the adaptive and third maps). A missing file changes nothing; a
// section that is missing, not hex or too short leaves its target as it was.
void CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso);

} // namespace MDIFrm
