#pragma once
// The sensors page's rules without a screen: which item a stored value
// selects, the staged entries of each edit, the level rows and their order,
// the threshold clamp, the calibration from the live reading, the level lamps
// and the volts texts.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/ModBlckModifiche.h"

namespace SensoriRegole {

// ---- Selection (items read as numbers; nullopt = not a number) ----
// First item whose number >= valore / 1000 (end-of-gas pressure, mbar to bar).
int IndiceSwtchBar(const std::vector<std::optional<double>>& voci, int32_t valore);
// First item whose number x 1000 >= valore (end-of-gas time, ms to s).
int IndiceSwtchDelay(const std::vector<std::optional<double>>& voci, int32_t valore);
// Full temperature list: the Numero of the last definition whose code is the
// stored one; -1 when none. `numeri` and `codici` are the definitions in order.
int IndiceTempSens(const std::vector<int32_t>& numeri, const std::vector<int32_t>& codici, int32_t codice);
// Reduced list: follows the full list's item 0, 1 or none; nullopt keeps its selection.
std::optional<int> IndiceTempSensRidotto(int indiceCompleto);
// Minimum gas temperature: the off item when bit 0x02 of `opzioni` is clear;
// otherwise the first item from 1 whose number equals `valore`, -1 when none.
int IndiceMinTemp(const std::vector<std::optional<double>>& voci, int32_t opzioni, int32_t valore);
// First item whose number equals `valore`, -1 when none.
int IndiceUguale(const std::vector<std::optional<double>>& voci, int32_t valore, int dalla = 0);

// ---- Edits: the entries staged, nullopt when the item cannot be written ----
std::optional<int32_t> Millesimi(std::optional<double> v);  // x 1000, halves to even
std::optional<int32_t> Tronca(std::optional<double> v);     // toward zero
// CmbMinTempGas: item 0 is the off item (value 3 := number of item 1, bit cleared).
std::optional<ListaModifiche> ModificaMinTemp(const std::vector<std::optional<double>>& voci, int indice);

// ---- Level sensor ----
// Block 3 value shown in row k (0 at the top): 31 - k rising, 28 + k falling.
int32_t IndiceRiga(int riga, bool discendente);
// The threshold of row `indice` kept between its neighbours (values of the
// four bars, row 0 at the top). Returns the corrected value.
int32_t LimitaSoglia(const std::array<int32_t, 4>& barre, int indice, bool discendente);
// Six entries copying block 3 values 27..32, changed for the reading R:
// full end (CmdMassimo) or empty end (CmdMinimo).
ListaModifiche CalibraMassimo(const std::array<int32_t, 6>& valori, int32_t lettura);
ListaModifiche CalibraMinimo(const std::array<int32_t, 6>& valori, int32_t lettura);
struct Lampade {
    std::array<bool, 4> righe{}; // LblLevelVal lit, row 0 at the top
    bool riserva = false;        // ShpRiserva lit
};
// From block 3 values 28..31 and the unfiltered reading.
Lampade LampadeLivello(const std::array<int32_t, 4>& soglie, int32_t lettura, bool discendente);
// Counts as volts (x 5 / 1024) to `decimali` decimals, no trailing zeros.
std::string Volt(int32_t conteggi, int decimali, char separatore);

} // namespace SensoriRegole
