#pragma once
// What the ECU error page shows, computed without a screen: the error entries
// of the dictionary, the state texts chosen by the block-4 words, the option
// toggles of the block-15 words, the service times and the interval lists.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ClsLingue;

namespace ErroriConversioni {

// One error entry of the dictionary: "description?state0|state1|state2".
struct VoceErrore {
    std::string Descrizione; // trimmed; empty = hidden row
    std::string Stato0, Stato1, Stato2;
};
VoceErrore ScomponiVoceErrore(const std::string& voce);

// The entries strictly between the last "[ERROR_ECU_max_255]" and the last
// "[END_ERROR_ECU]" of language `lingua`; nothing when either is missing or
// the end comes first.
std::optional<std::vector<std::string>> VociErrori(const ClsLingue& d, int16_t lingua);

// Grid row 1 shows "Err 00", row 21 "Err 20".
std::string EtichettaErrore(int32_t riga);

// The state text of grid row `riga` for the block-4 word `v`. Row 21 is the
// injector error: 1..8 give " Inj " + digit + the state-1 text.
constexpr int32_t RigaIniettore = 21;
std::string TestoStato(int32_t riga, int32_t v, const VoceErrore& voce);

// Block-15 option word after a click in grid column 8 (error on/off: bit 0
// toggled, bit 1 cleared) or column 7 (second option: bit 1 toggled, bit 0
// set with it). Other bits kept; any other column returns the word unchanged.
int32_t CommutaOpzione(int32_t parola, int32_t colonna);

// Width in twips of the description column: the grid's free width (its
// inner width less the other visible columns), never below its 290 u.
int32_t LarghezzaDescrizione(int32_t liberaTwips, int32_t u);

// Time text " H.MM" from whole hours and minutes (minutes of 60 or more carry).
std::string TestoOre(int32_t ore, int32_t minuti);
// Time to service from block 2 words 9 (interval), 7 (hours counted) and 10
// (gas minutes): " - - " with no interval, " H.MM" left, " - H.MM" overdue.
struct TempoServizio {
    std::string Testo;
    bool Spento = false;  // word 9 = 0
    bool Scaduto = false; // overdue: the box blinks
};
TempoServizio CalcolaTempoServizio(int32_t intervallo, int32_t oreContate, int32_t minutiGas);

// Value written into block 2 word 9 for list item `posizione` with text
// `testo` (item 0 = reminder off): interval + 32768; nothing for an item that
// is not a whole number of hours in 0..32767.
std::optional<int32_t> ValoreIntervallo(int32_t posizione, const std::string& testo);
// The list item that shows interval `intervallo`: 0 for 0, else the last
// item from position 1 whose text is the interval in decimal; nothing when
// no item matches.
std::optional<int32_t> PosizioneIntervallo(const std::vector<std::string>& voci, int32_t intervallo);

} // namespace ErroriConversioni
