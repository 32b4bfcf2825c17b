#pragma once
// What the simulated ECU plays, chosen in VirUzo.ini:
//   Centralina=normale | boot | estranea | sconosciuta | muta
//       normale: ECU with its normal firmware; boot: only reprogramming
//       possible (the erased record on new hardware, the short refusal on
//       old); estranea: a device answering like an ECU that refuses the
//       identification; sconosciuta: a device whose frames match nothing;
//       muta: the port does not answer.
//   Hardware=nuovo | vecchio       hardware variant (identification frame)
//   ObdProtocollo=6                protocol code the car answers on (1-8); 0 = no car
//   ObdPid=BE1F8000,...            PID 0x01-0x20 support map (A B C D) of each car ECU
//   ObdDtc=0301,0420               the car's trouble codes (hex, at most 14)
//   Mem10=1                        a MEM10 record waits now and then (block 1 value 44 bit 0x80)
//   Motore=fermo                   the engine stands still (block 1 value 37 bit 0 clear)
#include <cstdint>
#include <string>
#include <vector>

namespace Simulazione {

struct ScenarioSimulato {
    enum class Stato { Normale, Boot, Estranea, Sconosciuta, Muta };
    Stato stato = Stato::Normale;
    int32_t hardware = 0;                 // 0 new, 1 old
    int32_t protocolloObd = 6;
    std::vector<uint32_t> pidObd{0xBE1F8000u};
    std::vector<uint16_t> dtcObd;
    bool mem10 = false;
    bool motoreFermo = false;

    // One "key=value" line of VirUzo.ini; false when the key is not one of these.
    bool Leggi(const std::string& chiaveMinuscola, const std::string& valore);
};

} // namespace Simulazione
