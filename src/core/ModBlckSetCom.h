#pragma once
// SetCom.ini: the block-definition table, the pipe and ECU waits, the port
// type and the two lists of ECU identifications the connect procedure accepts.
#include <cstdint>
#include <string>
#include <vector>

// One "[FIRMWARE]" entry of SetCom.ini.
struct VoceFirmwareSetCom {
    std::string Identificativo; // byte string of an ECU identification reply
    int32_t Numero = 0;
    int32_t Lista = 1;          // 1: first list; anything else: second list
};

namespace ModBlck {

inline int32_t AttesaPipe = 0;           // time-out of a companion reply, us
inline int32_t AttesaGlobale = 0;        // ECU wait, us
inline int32_t MoltiplicatoreAttesa = 0; // long ECU wait = AttesaGlobale x this
inline int32_t TipoPorta = 0;            // 0, 1 or 2

// Entries whose list flag is 1, then every other entry; each in file order.
// The second list starts with one empty identifier, which its first entry replaces.
inline std::vector<std::string> ElencoFirmwareTipo1;
inline std::vector<int32_t> NumeriFirmwareTipo1;
inline std::vector<std::string> ElencoFirmwareAltri(1);
inline std::vector<int32_t> NumeriFirmwareAltri;

// Rebuilds TabellaBlocchi and the identifier lists from the file and sets the
// waits and the port type whose keys it holds. Never stops, never shows a message.
void LeggiSetCom(const std::string& percorso);

// The waits of the shipped SetCom.ini.
inline constexpr int32_t AttesaPipePredefinita = 4'000'000;
inline constexpr int32_t AttesaGlobalePredefinita = 150'000;
inline constexpr int32_t MoltiplicatoreAttesaPredefinito = 20;
// Start-up, after LeggiSetCom: a wait the file left at 0 or below (missing
// file or key) takes the shipped value, so that no transaction times out at once.
void CompletaAttese();

} // namespace ModBlck
