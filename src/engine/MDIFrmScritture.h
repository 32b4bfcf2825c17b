#pragma once
// The main window's block writers and their relatives, which the request
// executor calls on the link timer's tick. Each family writer reads its block,
// applies its pending list, writes it, reads it back and empties the list
// only on success; the link mode found at the start is sent back on every path.
#include <cstdint>
#include <functional>
#include <string>

namespace MDIFrm {

bool ScriviBlocco2();
bool ScriviBlocco3(); // also recomputes TempoBlocco and refreshes the page shown
bool ScriviBlocco12();
bool ScriviBlocco14();
bool ScriviBlocco15();
bool ScriviBlocco16();
bool ScriviBlocco18();
bool ScriviBlocco19();

// Sends the given CMD_WRITE_BLK5 frame, stores it with CMD_STORE_BLK5 under
// the long ECU wait and reads block 5 back.
bool ScriviBlocco5(const std::string& trama);
// 0 or the transaction's code.
int32_t LeggiBlocco10();
// Reads block 20 and commits it only when its value 0 has bit 3 set.
bool LeggiOBDInfoError();
// Writes the "[TRisult]" line of the configuration file at `percorso` into the
// ECU. `tabella` is not read. 0 = done or nothing to send; otherwise the
// failing code (4 when the file cannot be read, the line is not a valid table
// or the block-2 write fails).
int32_t LeggiMappeVcmRpmDafileEScarica(const std::string& tabella, const std::string& percorso);

// Reads the ECU's adaptive map into MappaPagina1; false leaves it unchanged.
bool LeggiAdattativa();
// Sends the hex frame in `testo` as it is; `testo` becomes the reply in hex
// or " ** ERROR ** ". Returns the transaction's code.
int32_t InviaComandoCustom(std::string& testo);

// FRM_ZEBSensori.CaricaSoglieLivello, registered by the settings pages; the
// block-3 writer calls it on the sensors page.
inline std::function<void()> FRM_ZEBSensori_CaricaSoglieLivello;

} // namespace MDIFrm
