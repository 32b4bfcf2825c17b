#pragma once
// Real-time polling: one cycle per idle tick of the link timer while connected.
// Block 1 on every cycle, block 2 on every sixth, block 12 streaming switched
// by block 2 value 2 bit 0x04 three cycles later, MEM10 records when flagged.
#include <cstddef>
#include <cstdint>
#include <string>

namespace MDIFrm {

// Idle cycles counted 1..6; only the cycle itself changes it.
inline uint8_t ContatoreCicli = 0;
// Block 1's last reply as it was at the last MEM10 capture.
inline std::string UltimaRispostaMem1;

// One polling cycle; called by the link timer in STATO_CONNESSO with the slot empty.
void LeggiTempoReale();

// Reads block n with its request frame through the companion: on pipe result
// 0 the reply becomes the block's last reply and is decoded. True on result 0.
bool LeggiBloccoTempoReale(size_t n);

} // namespace MDIFrm
