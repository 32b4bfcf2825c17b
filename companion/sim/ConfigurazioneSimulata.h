#pragma once
// What the simulated ECU holds at start beside its live values: the three map
// pages, the breakpoint vectors of plausible axes, and the configuration name
// and note of block 18. The factory configuration files are saved from it.
#include <string>

namespace Simulazione {

class CentralinaSimulata;

// Page p (0 main, 1 adaptive, 2 third) in image order (cell = row + 23 x column).
std::string MappaIniziale(int p);
// Index vectors of the rpm axis (128 steps of 64 rpm) and the injection-time
// axis (180 steps of 0.128 ms): entry i holds the column (row) covering step i.
std::string VettoreRpmIniziale();
std::string VettoreTinjIniziale();
// Block 18 (name and note) and the configuration values the pages show.
void ImpostaConfigurazioneIniziale(CentralinaSimulata& c);

} // namespace Simulazione
