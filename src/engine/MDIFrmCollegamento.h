#pragma once
// The link timer: one tick every 50 ms reacts to the link flags in a fixed
// order (reconnect, link lost, calibration, firmware action, exit), then runs
// the pending request, a polling cycle, the calibration runner or, offline,
// applies the pending request to the in-memory data.
#include <cstdint>
#include <string>

namespace MDIFrm {

// The tick handler; the main window's Timer1 calls it and nothing else.
void Timer1_Timer();

// Block 1 values 0-32 := 0, so that gauges and the dashboard fall to zero.
void AzzeraDatiTempoReale();
// Block 3 values 16 down to 9 := 1 for the cylinders below the count (value 1), else 0.
void AggiornaCilindriAbilitati();
// MatSoglieModificata over MatSoglie, element by element.
void CopiaMatSoglie();

// The offline handling of the pending request (STATO_OFFLINE).
void GestioneOffline();

// The page refresh after an offline edit (ModBlck::AggiornaSchedaDopoModifiche,
// which the shell registers at load): the members that reload page `idScheda`
// from the blocks; other pages get nothing.
void AggiornaSchedaDopoModifiche(int32_t idScheda);

// Main captions: connected or searching, and link lost.
std::string TitoloConnesso();
std::string TitoloLineaPersa();

// The engine's part of the main window's close: tells the companion to quit
// when it runs (`compagnoAttivo`, the shell's ModMain::ProcessoComAttivo) and
// closes the MEM10 log. The shell's unload handler calls it.
void ChiusuraMotore(bool compagnoAttivo);

} // namespace MDIFrm
