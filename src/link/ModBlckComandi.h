#pragma once
// Single-purpose ECU operations: the changeover switch pressed from the PC,
// the guarded injector or cylinder change, error clearing, the prepared
// temperature and compensation frames, the injector-bank mask, command 0x69,
// a command under the long ECU wait and the built-in configuration that
// matches the ECU. Results: true when every transaction worked.
#include <cstdint>
#include <string>
#include <vector>

namespace ModBlck {

// Pending injector change, set by the screens before they post request 13.
struct RecordCambioIniettori {
    uint8_t Tipo = 0;   // 0 nothing pending; 1 one injector; 2 the cylinder count
    uint8_t Valore = 0; // the injector number (kind 1) or the new cylinder count (kind 2)
    int16_t Modo = -1;  // 0 or 3 from the screens; -1 after an operation
};
inline RecordCambioIniettori CambioConfigIniettori;
// Kind 2: the block-3 values as the switchover page wants them, by block-3
// value index (0, 1, 3, and 16 - n, 24 - n for injector n are taken).
inline std::vector<int32_t> TabellaCilindri = std::vector<int32_t>(25, 0);

// Prepared write frames (whole ECU frames) built by the pages.
inline std::string FrameTabellaTemp; // block 6
inline std::string FrameComTGasX;    // block 8, selector 0
inline std::string FrameBlocco7;     // block 7, selector 1
inline std::string FrameComPGasX;    // block 9, selector 2
inline std::string FrameComPBenX;    // block 17, selector 3
inline std::string FrameComSMag;     // block 13, selector 4
// Which compensation table to send: 0..4, or 255 for all five.
inline int32_t TabellaCompensazioneSel = 0;

// Reply frame of the last command sent under the long wait.
inline std::string EsitoRichiesta;

bool EseguiCommutazione();
bool ScriviSelezioneCilindri();
bool CancellaErroriEcu();
bool ScriviTabellaTemperatura();
bool ScriviTabelleCompensazione();
// Masks MatSoglie byte 14 to the cylinder count of block 3 (no ECU exchange).
void ApplicaMascheraCilindri();
bool InviaComando69();
// `comando` with one data byte under the long ECU wait; the whole reply goes to `risposta`.
bool InviaComandoAttesaLunga(uint8_t comando, uint8_t dato, std::string& risposta);
// Path of the built-in configuration whose identifier is block 15 value 47,
// or the default configuration.
std::string CercaConfigurazionePredefinita();

} // namespace ModBlck
