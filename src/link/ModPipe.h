#pragma once
// The only path to the companion process VirUzo: two pipes on its standard
// input and output, one request packet and one reply packet per transaction.
//   request  len-lo len-hi code 0 0 0 0 0 payload...
//   reply    len-hi len-lo code status st2 mode port st5 payload...
// Both lengths count the whole packet.
#include <cstdint>
#include <string>

#include "link/ComandiPipe.h"

namespace ModPipe {

// Payload of the last reply (the ECU's reply frame after PIPE_ECU_FRAME).
inline std::string DatiRispostaPipe;
// Reply code of the last reply; -1 after one that failed the length check.
inline int32_t CodiceRispostaPipe = 0;
// Status bytes 3-7 of the last reply that passed the length check.
inline int32_t StatoRisposta = 0;   // 1 while the companion reports the ECU link good
inline int32_t StatoRisposta2 = 0;
inline int32_t ModoLinea = 0;       // the companion's current link mode
inline int32_t PortaTrovata = 0;
inline int32_t StatoRisposta5 = 0;

// Starts <program folder>/VirUzo on the two pipes.
void AvviaProcessoCom();
// The same from a given folder (tests start the companion of a base-folder copy).
// False when it could not be started (the box has been shown).
bool AvviaProcessoCom(const std::string& cartellaProgramma);
// Closes the pipes and reaps the companion (which ends on end of input).
void TerminaProcessoCom();
// Process id of the running companion, 0 when none.
int32_t PidProcessoCom();

// Writes one request packet. 0 = written, 4 = failed ("WritePipe_Err: " box).
int32_t WritePipe(int32_t codice, uint8_t h1, uint8_t h2, uint8_t h3, uint8_t h4, uint8_t h5,
                  const std::string& dati);

// One transaction. 0 = good reply; 1-3 = the reply failed a check; 4 = not
// sent, or no reply within `attesaUs` microseconds. `risposta` receives the
// whole reply packet (empty after 4). A companion found dead (its pipe broken
// or hung up) is reported by one box; until it is started again every
// transaction fails as a time-out without a box.
int32_t InviaComandoPipe(int32_t codice, const std::string& dati, int32_t attesaUs, std::string& risposta);

// Checks and splits one reply packet: 0 good, 1 length wrong, 2 code above 17,
// 3 payload wrong for its code. Takes the status bytes when the length is right.
int32_t AnalizzaRispostaPipe(const std::string& risposta, int32_t& codice, std::string& dati);

} // namespace ModPipe
