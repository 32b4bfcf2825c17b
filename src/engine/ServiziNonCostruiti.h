#pragma once
// Services of subsystems not built yet, under their own names, as the engine
// calls them. Each stand-in reports failure (or does nothing where there is no
// result); the subsystem that owns a service replaces its stand-in here.
#include <array>
#include <cstdint>
#include <string>

namespace ModMain {


} // namespace ModMain

namespace MDIFrm {

// Calibration runner; the stand-in ends the run at once (STATO_CONNESSO).
void EseguiTaratura();
void RipristinaDatiTaratura();

} // namespace MDIFrm

namespace ModBlck {
} // namespace ModBlck
