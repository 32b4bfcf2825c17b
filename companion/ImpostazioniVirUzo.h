#pragma once
// VirUzo.ini, the companion's own settings (next to the program):
//   Modo=simulata | seriale      who answers: the simulated ECU or a real adapter
//   Baud=19200                   serial speed (8N1, raw)
//   ComSimulata=0                COM number on which the simulated ECU answers
//   AttesaEcuMs=150              ECU wait until the program sets its own
//   COM<n>=/dev/ttyUSB0          device of COM number n (0 = the USB entry)
// Lines starting with ";" and section lines are ignored.
#include <cstdint>
#include <map>
#include <string>

struct ImpostazioniVirUzo {
    bool simulata = true;
    int32_t baud = 19200;
    int32_t comSimulata = 0;
    int32_t attesaEcuMs = 150;
    std::map<int32_t, std::string> dispositivi;
};

ImpostazioniVirUzo LeggiImpostazioniVirUzo(const std::string& percorso);
