#pragma once
// Services of subsystems not built yet, under their own names, as the engine
// calls them. Each stand-in reports failure (or does nothing where there is no
// result); the subsystem that owns a service replaces its stand-in here.
#include <array>
#include <cstdint>
#include <string>

namespace ModMain {

// Firmware update: the information record of the firmware image at the path,
// or the zero-filled form (36 "0" characters) when none is found. The stand-in
// has no image reader: it asks LettoreInfoFirmware when one is set.
std::string LeggiInfoFirmwareImmagine(const std::string& percorso);
inline std::string (*LettoreInfoFirmware)(const std::string& percorso) = nullptr;

// OBD page: the rail-pressure PID chosen (0, 0x0A, 0x22, 0x23, 0x59).
inline int32_t PidPressioneRail = 0;

} // namespace ModMain

namespace MDIFrm {

// Calibration runner; the stand-in ends the run at once (STATO_CONNESSO).
void EseguiTaratura();
void RipristinaDatiTaratura();

} // namespace MDIFrm

namespace ModEmula {
bool ScriviEmulazione();
} // namespace ModEmula

namespace ModBlck {
void CalcolaSequenzaIniezione(int32_t phaseShifter, bool anticipata);
// Map editing's axis calculation: with `daVettori` True the working axes from
// the vectors; with False the vectors from the axes, False (after its own
// message) when the chosen breakpoints do not rise.
bool CalcolaVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                        std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj, bool daVettori);
} // namespace ModBlck
