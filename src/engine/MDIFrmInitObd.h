#pragma once
// OBD start: the gas ECU opens the car's OBD link, driven by ECU frames, with
// the progress shown in the small window FrmInitObd.
#include <cstdint>
#include <string>

namespace ModMain {

// Set by FrmInitObd's button; cleared when a start begins.
inline bool AnnullaInitObd = false;
// Protocol code being tried; 255 before the first.
inline uint8_t ProtocolloObdCorrente = 255;
// Outcome of the last start: 255 none, 0 found (or cancelled), 1 transaction
// failed, 2 no protocol answered, 3 no car ECU with PID 0x06.
inline uint8_t EsitoInitObd = 255;

} // namespace ModMain

namespace ModEvoObd {

// Advances the protocol code (1, 2 -> 3; 4 -> 5 -> 6 -> 7 -> 8; 8 -> 1; 3 and
// anything else -> 4) and gives family, new code and 1 as three bytes.
std::string ProssimoProtocolloObd(uint8_t& codice);
// Display name of a protocol code; "" for an unknown one.
std::string NomeProtocolloObd(uint8_t codice);

} // namespace ModEvoObd

namespace MDIFrm {

// Request REQ_START_OBD. True only when every step up to the final read-back of block 2 worked.
bool InizializzaObd();

} // namespace MDIFrm
