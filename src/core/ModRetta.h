#pragma once
// The correction line (nine breakpoints), the 192-entry curve built from it,
// and the packing of that curve into map page 0 as 16-bit words.
#include <array>
#include <cstdint>

#include "core/PaginaMappa.h"

// The correction line; all values single precision, times in ms.
struct RecordRettaCorrezione {
    std::array<float, 10> X{};          // breakpoint injection times; X(0..8) used
    std::array<float, 10> Y{};          // line values at the breakpoints; the curve holds Y - X
    std::array<float, 10> Taratura1{};  // the three arrays used by the auto-calibration only
    std::array<float, 10> Taratura2{};
    std::array<float, 10> Taratura3{};
    float Fattore = 0.0f;               // stored in curve entry 181
    float Offset = 0.0f;                // stored in curve entry 180
};

// Entries 0..179: correction per 0.128 ms step (ms); 180 offset; 181 factor;
// 182 X(0); 183..190 X(1..8) in steps of 0.128 ms; 191 unused.
using CurvaRetta = std::array<float, 192>;

namespace ModRetta {

inline RecordRettaCorrezione RettaCorrezione;
inline CurvaRetta CurvaCorrezione{};

void CalcolaCurvaRetta(CurvaRetta& curva, const RecordRettaCorrezione& retta);
void CompattaCurvaInMappa(PaginaMappa& pagina, const CurvaRetta& curva);
void EstraiCurvaDaMappa(const PaginaMappa& pagina, CurvaRetta& curva);

} // namespace ModRetta
