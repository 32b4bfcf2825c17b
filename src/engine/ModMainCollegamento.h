#pragma once
// Link flags and shared values the link timer reads and writes besides those
// of link/ModMainStatoLinea.h (which the pipe transport raises from below).
#include <array>
#include <cstdint>
#include <string>

#include "core/ModBlckBlocchi.h"

namespace ModMain {

// Flags, 1 = raised.
inline uint8_t AvvioTaratura = 0;          // the calibration page starts a run
inline uint8_t AggiornamentoFirmware = 0;  // firmware page: 1 update requested, 2 update done
inline uint8_t PrimoAvvio = 1;             // cleared by the first connect or the first link loss
inline uint8_t ApriLoggerRichiesto = 0;    // offline: open the saved log chosen on the logger page
// Logger page: the configuration saved with the log to open, waiting for an
// empty request slot; the log is shown only after it has been loaded.
inline std::string ConfigurazioneLoggerInAttesa;
// -1.0: after the next connect, restore what the calibration changed; 0.0: nothing to do.
inline double RipristinoTaratura = 0.0;

// Version text shown after the product title; begins with a blank.
inline std::string VersioneProgramma;
// Firmware information record of the chosen firmware image.
inline std::string FirmwareFile;
// Reference identification replies of the two hardware families.
inline std::array<std::string, 2> FirmaHardware;
// Name of the current configuration, shown in the main caption.
inline std::string NomeConfigurazione;

} // namespace ModMain

namespace MDIFrm {

// 1 while a tick of the link timer runs.
inline uint8_t Timer1Attivo = 0;
// Copy of block 3 for the cylinder-selection procedures; refreshed on link
// loss and after every offline request.
inline BloccoParametri CopiaBlocco3;

} // namespace MDIFrm
