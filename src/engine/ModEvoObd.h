#pragma once
// The vocabulary of the car's OBD link that the gas ECU relays: protocol
// codes and names, one step of the automatic protocol search, trouble codes
// between their two-byte and their five-character form, and the state the OBD
// start and the OBD page share.
#include <cstdint>
#include <string>
#include <vector>

namespace ModEvoObd {

// One choice of the OBD page's protocol list.
struct VoceProtocolloObd {
    std::string Nome;
    int32_t Codice = 0;
};

// The protocol choices of the OBD page, in list order (filled by the page's load).
inline std::vector<VoceProtocolloObd> ListaProtocolliObd;
// Set by the OBD start window's button; cleared when a start begins.
inline bool AnnullaInitObd = false;
// Rail-pressure PID chosen on the OBD page: 0, 0x0A, 0x22, 0x23 or 0x59.
inline int32_t PidPressioneRailScelto = 0;

// Advances the protocol code (1, 2 -> 3; 4 -> 5 -> 6 -> 7 -> 8; 8 -> 1; 3 and
// anything else -> 4) and gives family, new code and 1 as three bytes.
std::string ProssimoProtocolloObd(uint8_t& codice);
// Display name of a protocol code; "" for an unknown one.
std::string NomeProtocolloObd(uint8_t codice);
// "P0123" from the bytes 0x01 0x23 (letter P C B U, digit 0-3, three hex digits).
std::string DecodificaDtc(uint8_t a, uint8_t b);
// The 16-bit code of a five-character text (letter case ignored); false and 0
// when the text is not a valid code.
bool CodificaDtc(const std::string& testo, int32_t& codice);

} // namespace ModEvoObd
