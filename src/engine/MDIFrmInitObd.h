#pragma once
// OBD start: the gas ECU opens the car's OBD link, driven by ECU frames, with
// the progress shown in the small window FrmInitObd.
#include <cstdint>
#include <string>

#include "engine/ModEvoObd.h"

namespace ModMain {

// Protocol code being tried; 255 before the first.
inline uint8_t ProtocolloObdCorrente = 255;
// Outcome of the last start: 255 none, 0 found (or cancelled), 1 transaction
// failed, 2 no protocol answered, 3 no car ECU with PID 0x06.
inline uint8_t EsitoInitObd = 255;

} // namespace ModMain

namespace MDIFrm {

// Request REQ_START_OBD. True only when every step up to the final read-back of block 2 worked.
bool InizializzaObd();

} // namespace MDIFrm
