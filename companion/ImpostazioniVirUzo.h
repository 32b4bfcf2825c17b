#pragma once
// VirUzo.ini, the companion's own settings (next to the program):
//   Modo=simulata | seriale      who answers: the simulated ECU or a real adapter
//   Baud=19200                   serial speed (8N1, raw)
//   ComSimulata=0                COM number on which the simulated ECU answers
//   AttesaEcuMs=150              ECU wait until the program sets its own
//   COM<n>=/dev/ttyUSB0          device of COM number n (0 = the USB entry); a
//                                number not listed means the device its name rule
//                                gives (src/link/NumeriCom.h), unless listed for another
//   Centralina=, Hardware=, Obd...=, Mem10=   what the simulated ECU plays (sim/ScenarioSimulato.h)
// Lines starting with ";" and section lines are ignored.
#include <cstdint>
#include <map>
#include <string>

#include "ScenarioSimulato.h"

struct ImpostazioniVirUzo {
    bool simulata = true;
    int32_t baud = 19200;
    int32_t comSimulata = 0;
    int32_t attesaEcuMs = 150;
    std::map<int32_t, std::string> dispositivi;
    Simulazione::ScenarioSimulato scenario;
};

// Device of a COM number: the one VirUzo.ini lists, else the one the name rule
// gives when no listed number names that device; empty when none.
std::string DispositivoDiCom(const ImpostazioniVirUzo& imp, int32_t com);

ImpostazioniVirUzo LeggiImpostazioniVirUzo(const std::string& percorso);
