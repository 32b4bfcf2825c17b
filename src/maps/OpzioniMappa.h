#pragma once
// The option controls of the map editors against the ECU values, without a
// screen: which list entry shows a value, which value a chosen entry stages,
// the view bits of the threshold table, and the full editor's layout sizes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace OpzioniMappa {

// First entry k below `voci` whose multiplier equals the value; -1 for none.
int32_t IndiceMoltiplicatore(const std::vector<int32_t>& valori, int32_t voci, int32_t valore);
// First entry whose text reads as that whole number; -1 for none.
int32_t IndicePercentuale(const std::vector<std::string>& voci, int32_t valore);
// The value a marked combo stages: nothing without a selection, for a
// selection beyond the multiplier list, or for a text that is not a whole number.
std::optional<int32_t> MoltiplicatoreScelto(const std::vector<int32_t>& valori, int32_t indice);
std::optional<int32_t> PercentualeScelta(const std::string& testo);

// Byte 15 of the threshold table with the view bit of map page k set or cleared.
uint8_t Byte15ConVista(uint8_t byte15, int k, bool vistaRidotta);

// Full editor layout, twips: column width (at least 360), row height and the
// grid font size (by the column width) for a grid area of the given size.
struct MisureMatrice {
    int32_t LarghezzaColonna = 360;
    int32_t AltezzaRiga = 0;
    int32_t DimensioneFont = 8;
};
MisureMatrice CalcolaMisureMatrice(int32_t larghezzaGriglia, int32_t altezzaGriglia);
// The font size the column width alone gives: 14 above 570, 12 above 450, 10 above 405, else 8.
int32_t FontPerLarghezza(int32_t larghezzaColonna);

} // namespace OpzioniMappa
