#pragma once
// The decoder's step after a live-data block (type 1) or an OBD-data block
// (type 12): live values into engineering units, the smoothed live copy, and,
// while the logger records, the two rings and the trace file.
#include <cstdint>
#include <fstream>
#include <functional>
#include <vector>

#include "core/ModBlckBlocchi.h"

namespace ModMain {
// Updates the OBD map's load step from block 3; the OBD page registers it.
inline std::function<void()> AggiornaPassoCarico;
} // namespace ModMain

namespace ModBlck {

// rpm factor: rpm = TempoBlocco / period (set from block 3 by CalcolaFattoreGiriTempo).
inline float TempoBlocco = 1.0f;

// Recording state, driven by the logger page.
inline constexpr int32_t UltimoIndiceAnello = 5000;
inline uint8_t StatoRegistrazione = 0;     // 0 idle, 1 recording, 2 stopped
inline std::ofstream FileLogger;           // the open trace, <base>/bin/Logger.tmp (binary: lines end CR LF)
inline double InizioRegistrazione = 0;     // ms, clock at the start of recording
// The two rings of recorded samples (UltimoIndiceAnello + 1 slots each, over
// two megabytes together) are sized when a recording starts or when the first
// sample is stored; until then they are empty, and readers check the size.
inline std::vector<BloccoParametri> AnelloMem1;
inline std::vector<BloccoParametri> AnelloObd;
inline int32_t IndiceAnello = 0;
inline bool AnelloPieno = false;
// The logger page's chart step after each stored sample (while it is shown).
inline std::function<void()> DrawLineeRunMode;
// Called once when a write to the trace fails (a full disk): the recording has
// then stopped (StatoRegistrazione 2, Logger.tmp closed, ending with the last
// whole group), and the logger page says so.
inline std::function<void()> RegistrazioneInterrotta;
// True while the logger's trace reader decodes recorded replies: the live
// step then converts the values only, leaving the live copy, the rings and
// the open trace alone.
inline bool DecodificaDaTraccia = false;

// Type-1 step: conversions, live copy, rings and trace.
void PassoDatiLive(BloccoParametri& blocco);
// Type-12 step: rings and trace.
void PassoDatiObd(BloccoParametri& blocco);
// The per-type step: 1 live data, 3 the OBD map's load step, 12 OBD data.
void PassoTipo(BloccoParametri& blocco);
// Hooks PassoTipo into the block decoder; called once at start.
void InstallaPassiTipo();

} // namespace ModBlck
