#pragma once
// The injection-sequence popup's rules without a screen: the three rows it
// shows, the engine and injector conditions of an acquisition or reset, the
// first active power option and the phase-shift item to select.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace SeqInjRegole {

struct Righe {
    std::string ordine = "-";        // acquired firing order, "-1-3-4-2-"
    std::string uscite = "OUT: -";   // output of each channel
    std::string canali = " CH: -";   // channel numbers
};
// The rows for the first n channels (n = block 3 value 1, at most 8).
Righe CostruisciRighe();

// Engine running on petrol above 200 rpm: block 1 value 37 bit 0, value 32
// at least 200, block 2 values 0 and 1 both 0. A missing value fails.
bool CondizioniMotore();
// No injector of the first n has mode state 0 or 4 (block 3 value 16 - i).
bool IniettoriAttivi();

struct Opzione {
    bool alta = false; // high-rpm group (else low-rpm)
    int indice = 0;    // option button 1 or 2
};
// The first option set in byte 15, in the order 0x80, 0x40, 0x10, 0x20.
std::optional<Opzione> OpzioneAttiva(uint8_t byte15);

// The first item whose whole-number value is at least `corrente`; -1 for none.
int IndicePhaseShifter(const std::vector<std::optional<double>>& voci, int32_t corrente);

} // namespace SeqInjRegole
