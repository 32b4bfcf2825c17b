#pragma once
// Saving the configuration held in memory to a configuration file, with no
// ECU connected, and the text export of the parameter blocks.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "engine/ModMainRichieste.h"
#include "link/ModMappeDati.h"

namespace ModMain {

// ConfigEstesa (engine/ModMainRichieste.h): with it the files carry, and
// loads write, the adaptive and third-map sections.

// The frames of the memory's configuration by section: stored block replies
// as they are, the map chunks, threshold table, vectors and "[FW]" rebuilt.
std::map<std::string, std::string> TrameDaMemoria();
// Writes the file from memory: the full editor shown gives its grid to its
// page first, the index vectors are rebuilt from the working axes. False
// (after dictionary entry 29) when the file cannot be written; then a file of
// that name is left as it was.
bool SalvaConfigurazioneSuFile(const std::string& percorso);

// Export text: per block a blank line, "type name", the last reply in hex and
// one value per line; then a blank line, "# MatSoglie blocco 5", "???" and the
// 16 table bytes. Lines end with CR LF.
std::string ComponiEsportazione(const std::vector<BloccoParametri>& blocchi, const TabellaSoglie& soglie);
// The export button's visibility after a key release with Ctrl, Shift and Alt
// held (`shift` 7): X while the latch is 0 shows it and sets the latch; any
// other key, or X with the latch set, hides it and clears the latch. Nothing
// (latch untouched) under any other shift state.
std::optional<bool> VisibilitaEsportazione(int16_t tasto, int16_t shift, int32_t& latch);
// Writes the export of TabellaBlocchi and MatSoglie; false (after entry 29)
// when the file cannot be written.
bool EsportaBlocchi(const std::string& percorso);

} // namespace ModMain
