#pragma once
// The calibration runner and its steps. The link timer calls the runner
// through the shell while the link state is STATO_TARATURA; everything happens
// inside that one call, every wait pumping window messages.
#include <cstdint>
#include <fstream>
#include <string>

#include "core/ModBlckBlocchi.h"

namespace MDIFrm {

// One whole calibration; on return the link state is STATO_CONNESSO.
void EseguiTaratura();
// The deferred restore after the reconnect that follows a run ended on a bad
// reply status: the saved blocks 3, 2, 9 and 15 written back, and the map,
// its table and the vectors once step 6 had begun rewriting them; silent.
void RipristinaDatiTaratura();
// A start the link timer dropped because the link was no longer connected:
// the window back at rest with the failure text, the menu bars and the switch
// view enabled again.
void TaraturaNonAvviata();

// The steps, each giving its result code (ModTaratura::CodiceEsitoTaratura).
void TaraturaPasso1(int32_t& codice);
void TaraturaPasso2(int32_t& codice);
void CampionaMinimo(int32_t& codice);
void CampionaMassimo(int32_t& codice);
void TaraIniettori(int32_t& codice);
void TaraAlMinimo(int32_t& codice);

} // namespace MDIFrm

namespace ModTaratura {

// Our own result code: the settings file is missing or unreadable.
inline constexpr int32_t ESITO_PARAMETRI = 9;
// Dictionary entry (from the window's base) that says so.
inline constexpr int16_t VoceParametriMancanti = 48;

// The open calibration log (\Tune\StatoTun.txt) during a run.
inline std::ofstream LogTaratura;
// One line of the log, ended with CR LF.
void ScriviLog(const std::string& riga);

// Marks every saved copy (blocks, map) absent, as at the start of a run.
void ScartaCopieTaratura();
// Writes back map page 0 with the threshold table, the index vectors and the
// correction line saved before step 6 rewrote them (nothing to do before it
// did); the working axes, the map views and their axis headings follow.
// False at the first failed transfer.
bool RipristinaMappaTaratura();
// Before step 6 rewrites them: map page 0 with the threshold table and the
// index vectors read from the ECU, the correction line copied. Code 4 when a
// read fails.
int32_t SalvaMappaTaratura();

// Block transfers of the calibration: good only with pipe result 0 and reply
// status 1. A failed read leaves the block as it was.
bool LeggiBloccoTaratura(size_t n);
bool ScriviBloccoTaratura(size_t n, uint8_t comando);
// Entry base + n of the calibration window, current language.
std::string VoceTune(int32_t n);
// The progress text and bar for PassoTaratura.
void MostraAvanzamento();
// Value k of block n for reading and writing; a scratch 0 when the block
// has no such value.
int32_t& ValoreTaratura(size_t n, size_t k);
// A sample line of the log: clock in ms, sample count, sample mean, TBenzMin,
// TBenzMax, TGasCil, rpm, block 2 value 6, each after a "#".
void ScriviRigaCampione(int32_t k, int32_t m, int32_t giri);
// Whole seconds from now to `fine` (clock microseconds), halves to even.
std::string SecondiRimanenti(double fine);
// Step 6, phase 7: map page 0 rewritten from the tuned correction; phase 8:
// the closing writes and the last confirmation. Each gives a result code.
int32_t RiscriviMappaTaratura();
int32_t ScrittureFinaliTaratura();
// Block 9 reloaded from the "[COM_PGASX]" line of a configuration file; false
// (block unchanged) without the file, the line or a decodable table.
bool LeggiComPGasXDaFile(const std::string& percorso, BloccoParametri& blocco);
// Moves block 9's axis onto the measured pressure (reloaded first from the
// configuration file of the ECU's system configuration, when there is one).
void CentraCompensazionePressioneGas(int32_t pressione, BloccoParametri& blocco);
// The outcome text of a failed run's code.
std::string TestoEsito(int32_t codice);

} // namespace ModTaratura
