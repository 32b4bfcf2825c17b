#pragma once
// The small steps every transfer is made of: one ECU frame through the
// companion, the link mode, the ECU wait, a block read. Each returns the pipe
// transaction's code (0 = done; 1-3 bad reply; 4 time-out or send failure).
#include <cstdint>
#include <string>

#include "core/ModBlckBlocchi.h"

namespace ModBlck {

// Sends a whole frame with PIPE_ECU_FRAME and the time-out AttesaPipe; the
// ECU's reply frame is left in ModPipe::DatiRispostaPipe.
int32_t InviaTramaEcu(const std::string& trama);
// The same with the frame 0x41 0x02 `comando` `dati`.
int32_t InviaComandoEcu(uint8_t comando, const std::string& dati = {});
// PIPE_SET_MODE with one byte.
int32_t ImpostaModoLinea(uint8_t modo);
// PIPE_SET_ECU_WAIT: milliseconds as low byte, next byte, 0, 0. The companion
// takes 16 bits, so a longer wait is sent as 65,535 ms rather than wrapped.
int32_t ImpostaAttesaEcu(int64_t ms);
// The normal ECU wait (AttesaGlobale / 1000) or the long one (x MoltiplicatoreAttesa),
// in ms, rounded half to even.
int64_t AttesaEcuMs(bool lunga);

// The data of the last ECU reply (from position 6) when its status is 0 and it
// carries at least `quanti` data bytes; the first `quanti` go to `dati`.
bool DatiRispostaValidi(size_t quanti, std::string& dati);

// True when the last ECU exchange brought back a reply frame.
bool TramaRispostaPresente();
// True when the last ECU reply is a frame whose status byte is 0: the ECU
// carried the request out. Any other status is the ECU's refusal.
bool RichiestaEseguita();
// A write: sends the frame like InviaTramaEcu, and gives 3 unless the ECU
// answered with status 0, so that a refused write is never taken as done.
int32_t ScriviTramaEcu(const std::string& trama);
// The same with the frame 0x41 0x02 `comando` `dati`.
int32_t ScriviComandoEcu(uint8_t comando, const std::string& dati = {});
// True when the last ECU exchange brought back a well-formed reply frame
// (42 01, length byte, XOR) to this request frame's command: no reply, a
// damaged one, or a late reply to an earlier request is no reply to this one.
bool RispostaDellaRichiesta(const std::string& richiesta);

// Sends block n's request frame (3 when the ECU sent no reply to it back). With `memorizza` the reply becomes the block's
// last reply; the reply is decoded into `blocco` either way.
int32_t LeggiBloccoEcu(size_t n, BloccoParametri& blocco, bool memorizza);
// Encodes `blocco` and sends it with `comando` (3 when the ECU sent no frame
// back or refused the write).
int32_t ScriviBloccoEcu(const BloccoParametri& blocco, uint8_t comando);

} // namespace ModBlck
