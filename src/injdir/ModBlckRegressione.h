#pragma once
// The gas-pressure compensation curve: 15 points on a pressure axis rising in
// two straight pieces (start to centre, centre to end), correction
// K x (1 - sqrt(P / centre)), spread over the (X, Y) pairs of block 9 at the
// table's stride with straight lines between the points.
#include <cstdint>

#include "core/ModBlckBlocchi.h"

struct ParametriCurvaPressione {
    int32_t IndiceCentro = 0;    // axis index of the centre point, 1..13
    int32_t OffsetInizio = 0;    // added to PressioneBase: the first point
    int32_t OffsetFine = 0;      // added to PressioneCentro: the last point
    int32_t Ampiezza = 0;        // K, the correction factor
    int32_t PressioneBase = 0;   // block 3 value 39
    int32_t PressioneCentro = 0; // greater than 0
};

namespace ModBlck {

// Writes the curve into the first 2 x 14 x passo + 2 values of the block
// (and, with UltimaCoppia, 1 into its last two values). Checks first: the
// centre index outside 1..13, a centre pressure not above 0, a negative end
// point (a square root of a negative ratio), a stride below 1, a block too
// short for the 15 points, or a result beyond 32 bits leave the block
// unchanged and return false.
bool CalcolaRegressione(const ParametriCurvaPressione& parametri, BloccoParametri& blocco, bool UltimaCoppia);
// The same with an explicit stride (the table's is PassiCompensazione(2)).
bool CalcolaRegressione(const ParametriCurvaPressione& parametri, BloccoParametri& blocco, bool UltimaCoppia,
                        int32_t passo);

} // namespace ModBlck
