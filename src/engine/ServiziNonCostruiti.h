#pragma once
// Services of subsystems not built yet, under their own names, as the engine
// calls them. Each stand-in reports failure (or does nothing where there is no
// result); the subsystem that owns a service replaces its stand-in here.
#include <array>
#include <cstdint>
#include <string>

namespace ModMain {

// Configuration files.
bool SalvaConfigurazioneDaEcu(const std::string& percorso);
bool CaricaConfigurazioneInEcu(const std::string& percorso);
bool ScriviComPGasX();
bool ScriviComPBenX();
// Stores the complete CMD_WRITE_BLK9 frame of block 9 with its last value := v in FrameComPGasX.
void PreparaScritturaComPGasX(int32_t v);
// Block 16 (and block 4) read under link mode 2, stored and decoded; the link mode restored.
bool LeggiBloccoBlk8();
bool LeggiErroriEcu();

// Configuration files: name (block 18 values 0-39) and note (40-119), trimmed.
void LeggiNomeConfigurazione(std::string& nome, std::string& nota);

// Configuration files: the four vector sections of a configuration file
// into the index vectors; false (vectors unchanged) when one is missing.
bool CaricaVettoriRpmTinj(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                          const std::string& percorso);

// Configuration files: the note of the configuration loaded or saved last.
inline std::string NotaConfigurazione;
// Firmware information text: the third blank-separated word (with `ridotto`
// the first 10 characters and the last one are dropped first); "" when there
// is none.
std::string LeggiCampoTestoFw(const std::string& testo, bool ridotto);
// Version, revision and date from characters 1 to 6 as hex pairs
// ("01.02 - 15/06/2018" style); "00.00 - 00/00/0000" for 11 characters or fewer.
std::string FormattaVersioneFirmware(const std::string& testo);

// OBD page: the rail-pressure PID chosen (0, 0x0A, 0x22, 0x23, 0x59).
inline int32_t PidPressioneRail = 0;

} // namespace ModMain

namespace MDIFrm {

// Offline load of a configuration file into memory (code 18: everything, 53: compensation tables).
bool CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso);

} // namespace MDIFrm

namespace ModBlck {
} // namespace ModBlck
