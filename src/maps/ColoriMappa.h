#pragma once
// Colouring of the map grids: the neutral reset of the full editor and the
// value gradients of both editors (the coarse view also offers a flat colour).
// The colours are computed without a screen; the grid helpers apply them and
// move texts between a grid and its screen-free table.
#include <cstdint>
#include <vector>

#include "maps/MappeOperazioni.h"

class GrigliaDati;

namespace ColoriMappa {

inline constexpr int32_t ColoreIntestazioneGrigio = 0x808080;
inline constexpr int32_t ColoreFacciaSistema = static_cast<int32_t>(0x8000000F);
inline constexpr int32_t ColoreTestoSistema = static_cast<int32_t>(0x80000008);
inline constexpr int32_t ColorePiattoRidotto = 0xFAA0A0; // RGB(160, 160, 250)

// Background (&HBBGGRR) of every data value by the gradient: the full editor
// grades from a minimum of at most 5 to the maximum over 150 steps, white to
// RGB(105, 105, 255); the coarse view from the smallest value (at most 255)
// over 235 steps, RGB(235, 235, 235) to pure blue.
std::vector<int32_t> Gradiente(const std::vector<double>& valori, bool ridotta);

// Text colour for a cell background (&HBBGGRR): black, or white where black
// would contrast less (the dark blues of the coarse gradient).
int32_t TestoPerSfondo(int32_t sfondo);

// Cell texts of a grid (every cell) and back (only the cells that differ).
TestiGriglia LeggiTesti(const GrigliaDati* g);
void ScriviTesti(GrigliaDati* g, const TestiGriglia& testi);
SelezioneGriglia LeggiSelezione(const GrigliaDati* g);

// Reset: header cells in the system colours, data cells black on white, the
// current cell (1, 1).
void ColoraMatriceVuota(GrigliaDati* g);
// Header cells grey, data cells by the gradient (or, with `gradiente` false,
// the coarse view's flat colour); the text black or, on dark cells, white. The current cell and the
// selection are those from before.
void ColoraGradiente(GrigliaDati* g, bool ridotta, bool gradiente = true);

} // namespace ColoriMappa
