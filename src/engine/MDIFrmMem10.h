#pragma once
// The MEM10 log: the ECU's buffer of ten engine cycles (block 21) appended as
// ten tab-separated lines to <base>/bin/MEM10.txt, handed to the map page as
// cursor frames (BufferB10) and summarised for the dashboard strip.
#include <array>
#include <cstdint>
#include <fstream>
#include <span>

namespace ModMain {

// MEM10 logging chosen by the user on the home page.
inline bool LogMem10Richiesto = false;
// The ECU offers MEM10 (found by the connect procedure).
inline bool Mem10Disponibile = false;

} // namespace ModMain

// The ten cycles of the last accepted buffer, as the map page replays them.
struct RecordBufferB10 {
    std::array<int32_t, 40> T{};   // T(i, j) at i + 10 j: injection-time vector entry of petrol time j
    std::array<int32_t, 40> G{};   // G(i, j) at i + 10 j, j = 0..2: gas time j as received
    std::array<int32_t, 10> R{};   // rpm vector entry of the cycle's period
    std::array<int32_t, 10> NB{};  // petrol injections in the cycle
    std::array<int32_t, 10> NG{};  // gas injections in the cycle
    double Tempo = -1.0;           // clock (us) of the last accepted buffer; -1 when none
    int32_t Intervallo = 0;        // ms per record between the last two accepted buffers
};

namespace MDIFrm {

inline RecordBufferB10 BufferB10;
// Raised to make the map page restart its frame replay.
inline bool RiavviaB10 = false;
// Most frequent petrol-injection count of the last buffer; -1 at start.
inline int32_t UltimoValoreMem10 = -1;
// Sequence counter of the previous buffer; -1 when the main window loads.
inline int32_t UltimoConsecutivoMem10 = -1;
// -1 until the first call of the run opens the log.
inline int32_t NumeroFileMem10 = -1;
inline std::ofstream FileMem10;

// Appends block 21 (read and decoded just before) to the log; see LoggaMEM10Al.
void LoggaMEM10();
// The same at a given clock time (us), with the breakpoint vectors given.
void LoggaMEM10Al(double adessoUs, std::span<const uint8_t> vettoreRpm, std::span<const uint8_t> vettoreTinj);
// At exit: closes the log when MEM10 is available and the log was opened.
void ChiudiLogMem10();

} // namespace MDIFrm
