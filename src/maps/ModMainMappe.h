#pragma once
// Map helpers other pages use: the rpm and load indices of the OBD correction
// map from the live block, a coefficient record applied to a map, and the
// level-sensor list of the sensors page.
#include <cstdint>
#include <string>
#include <vector>

#include "core/ModMainCaricatori.h"
#include "maps/CarburazioneMappatura.h"

#include "engine/ModMainConnessione.h"

class QComboBox;

namespace ModMain {

// UnitaRpmBlocco3 (engine/ModMainConnessione.h): 64 or 128 from block 3
// value 49 (bit 1 set: 64).

// Column 0..7 of the OBD correction map for the engine speed: from the map
// cursor's axis point when the ECU reports it (block 1 value 37 bits 0 and 3,
// value 32 zero; the cursor column clamped to 0..23), else from value 32.
int32_t CalcolaIndiceRpmMappaObd();
// Row 0..14 for the load (block 1 value 48 / UnitaRpm - 1); 0 while UnitaRpm
// is not set.
int32_t CalcolaIndiceCaricoMappaObd();

// Every cell := nearest(cell x m / div + q / div), halves to even, computed
// in 64 bits and double precision. False, with the map unchanged, when the
// divisor is 0 or a result does not fit 32 bits. Sets UnitaRpmBlocco3 first.
bool ApplicaCoefficientiMappa(MatriceInteri& mappa, const CoefficientiMappa& coefficienti);

// The level-sensor names at the positions of their definitions, so a list
// position is a definition index: the named definitions up to the first
// unnamed one. False when a named definition follows an unnamed one (its name
// cannot take its position); the caller reports that.
bool ElencoTipoLivello(std::vector<std::string>& elenco);
bool RiempiComboTipoLivello(QComboBox* combo);

} // namespace ModMain
