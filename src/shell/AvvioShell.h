#pragma once
// A short start of the program: the base folder's settings and definitions,
// the dictionary, the companion process, then the main window loaded (not yet
// shown). The caller shows the window and runs the event loop.
#include <memory>
#include <string>

#include "shell/MDIFrm.h"

namespace AvvioShell {

struct Esito {
    std::unique_ptr<MDIFrm::MDIForm> finestra; // nullptr when the companion could not start
    int16_t linguaTrovata = -1;                // the chosen language as found, -1 = none yet
};

// `base`: the base folder; `cartellaProgramma`: the folder holding the companion.
Esito Avvia(const std::string& base, const std::string& cartellaProgramma);

} // namespace AvvioShell
