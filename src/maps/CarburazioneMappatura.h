#pragma once
// The coarse carburetion view's grid (13 by 13, header row and column) and a
// map page, without a screen: data cell (i, j) stands for page cell
// (2i - 2, 2j - 2); the write-back rebuilds the points the grid does not show,
// by midpoints or, with the smoothing option, by copying.
#include <array>
#include <cstdint>

#include "core/PaginaMappa.h"
#include "maps/MappeOperazioni.h"

// A page of signed 32-bit integers (the auto-calibration's working matrix).
using MatriceInteri = std::array<std::array<int32_t, ColonnePaginaMappa>, RighePaginaMappa>;

namespace CarburazioneMappatura {

inline constexpr int32_t LatoGrigliaRidotta = 13;
// Axis point captioning grid column (row) k + 1.
inline constexpr std::array<uint8_t, 12> IndiciRpmRidotti = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 23};
inline constexpr std::array<uint8_t, 12> IndiciTinjRidotti = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22};

// Data cells := page bytes / Fact; headers untouched.
void CaricaMatriceInGriglia(TestiGriglia& griglia, const PaginaMappa& pagina, double Fact);
// Rebuilds the whole page from the 144 data cells. False (page unchanged)
// when a cell is not a number or does not fit 16 bits once multiplied by
// Fact and rounded down; an empty cell counts as 128.
bool CaricaGrigliaInMatrice(const TestiGriglia& griglia, PaginaMappa& pagina, double Fact, bool spiana);
// Header captions from the working axes: rpm to the nearest 250, ms to the
// nearest 0.125.
void CaricaAssiInMatrice(TestiGriglia& griglia, const ModBlck::AsseGiri& asseRpm, const ModBlck::AsseTempi& asseTinj);
// Step fill: odd columns copy the column to their left, then odd rows 1..21
// copy the row above.
void SpianaInterpolazionedellaMappa(MatriceInteri& mat);

} // namespace CarburazioneMappatura
