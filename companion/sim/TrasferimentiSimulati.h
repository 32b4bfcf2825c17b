#pragma once
// The simulated ECU's data beside the parameter blocks: three map pages, the
// threshold table, the breakpoint vectors and the four OBD correction-map
// tables, with the ECU side of the switchover and injector-state handshakes.
#include <array>
#include <cstdint>
#include <string>

namespace Simulazione {

// Knob ids (PIPE_MANOPOLA) of this part of the simulated ECU.
enum : uint8_t {
    MANOPOLA_ECU_LETTURE_CORTE = 20,       // next data reads answered one data byte short
    MANOPOLA_ECU_LETTURE_RIFIUTATE = 21,   // next data reads refused (status 0xFD, no data)
    MANOPOLA_ECU_LETTURE_COMMUTAZIONE = 22,// block-2 reads until the reported fuel follows; < 0 never
    MANOPOLA_ECU_LETTURE_INIETTORE = 23,   // block-3 reads until state 2 becomes 3; < 0 never
    MANOPOLA_ECU_VALORE = 24,              // sets a block value: block << 24 | index << 16 | value (16 bits)
    MANOPOLA_ECU_ESITO_ACQUISIZIONE = 25,  // block 15 value 78 after a sequence acquisition (0 = order found)
};

struct MemoriaTrasferimenti {
    static constexpr size_t CelleMappa = 552;
    static constexpr size_t CelleTabella = 120;

    std::array<std::string, 3> mappe;  // main, adaptive, third: image order
    std::string soglie;                // 16 bytes
    std::string vettoreRpm;            // 128 bytes
    std::string vettoreTinj;           // 180 bytes
    // Data of the table replies: one leading byte, then the 120 cells.
    std::string tabBenzina, tabGas, tabRisultato, tabIsto;

    int32_t lettureCorte = 0;
    int32_t lettureRifiutate = 0;
    int32_t lettureCommutazione = 2;
    int32_t lettureIniettore = 3;
    int32_t esitoAcquisizione = 0;        // block 15 value 78 written by an acquisition
    int32_t commutazioneInCorso = -1;     // block-2 reads left; -1 none
    std::array<int32_t, 8> iniettoreInCorso{-1, -1, -1, -1, -1, -1, -1, -1};

    MemoriaTrasferimenti();
};

} // namespace Simulazione
