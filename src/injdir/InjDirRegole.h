#pragma once
// The direct-injection page's rules without a screen: how each block word
// selects a list item, what each pick stages, the generated lists, the
// advance-table steps and dialog arithmetic, the live marker's place and
// blink, and the learning wizard's cell averages. Items reach these functions
// already read as numbers (nullopt for a text that is no number).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace InjDirRegole {

using Voci = std::vector<std::optional<double>>;

// ---- Loading ------------------------------------------------------------------

// Position rule: p = word / divisore rounded (halves to even); -1 when p is
// not a position of a list of `conteggio` items.
int IndicePosizione(int32_t parola, int32_t divisore, int conteggio);
// Value rule with the item read as a whole number (halves to even): the
// first item equal to the word, -1 when none.
int IndiceIntero(const Voci& voci, int32_t parola);
// Value rule with the item value Fix(item / 8) (contribution time shift).
int IndiceTimeShift(const Voci& voci, int32_t parola);
// Value rule on items given in exact thousandths: the item stands for its
// thousandths (2.5 stands for 2500).
int IndiceMillesimi(const std::vector<std::optional<int64_t>>& millesimi, int32_t parola);
// Contribution rule: the last item for `speciale`, otherwise the first item
// but the last whose Fix(thousandths / 32) equals the word.
int IndiceContributo(const std::vector<std::optional<int64_t>>& millesimi, int32_t parola, int32_t speciale);
// Lambda OBD parameter: 0 -> 0, 0x15 -> 1, 0x19 -> 2, 0x34..0x3B -> 3..10, else -1.
int IndicePidLambda(int32_t parola);
// Bit rule: item 1 for a set bit, item 0 for a clear one.
inline int IndiceBit(int32_t parola, int32_t maschera) { return (parola & maschera) ? 1 : 0; }

// ---- Edits ----------------------------------------------------------------------

// Whole number of an item (halves to even); nothing for a text that is no
// number or leaves the 32-bit range.
std::optional<int32_t> ValoreIntero(const std::optional<double>& voce);
// Fix(item / 8).
std::optional<int32_t> ValoreTimeShift(const std::optional<double>& voce);
// An item in thousandths as a word (2.5 gives 2500); nothing outside 32 bits.
std::optional<int32_t> ValoreMillesimi(const std::optional<int64_t>& millesimi);
// Fix(thousandths / 32) of a contribution item (0.5 gives 15).
std::optional<int32_t> ValoreContributo(const std::optional<int64_t>& millesimi);
// OBD parameter number of a `cmbPIDLambda` position (0 for item 0 and any other).
int32_t PidLambdaDaIndice(int indice);
// On/off: item 0 clears the masked bits, any other item sets them.
inline int32_t ValoreBit(int indice) { return indice == 0 ? 0 : 1; }

// ---- Lists -------------------------------------------------------------------

// "0|0.049|0.098|...|4.98": i x 10 x 5 / 1024 to 3 decimals, i = 0..102.
std::string ListaMapH(char separatore);
// "primo|...|ultimo" counting by one.
std::string ListaInteri(int32_t primo, int32_t ultimo);
// The whole number on line `i + 2` after "[CONTRIBUTO]", nothing when there
// is no such line or it is no whole number.
std::optional<int32_t> ValoreContributoDaRighe(const std::vector<std::string>& righe, size_t i);

// ---- Advance table ---------------------------------------------------------------

inline constexpr int32_t AnticipoMinimo = 0, AnticipoMassimo = 150;
inline constexpr int ColonneAnticipo = 24;
inline constexpr size_t PrimaParolaAnticipo = 60;
// Plus (187, 107) or minus (189, 109).
bool TastoPasso(int16_t tasto);
// One step of a held key: 10 with exactly Shift (1), else 1, kept in 0..150.
int32_t Passo(int32_t valore, int16_t tasto, int16_t maiuscole);
// The value-entry dialog's operation on a cell value: 1 add, 2 percent,
// 3 set; rounded (halves to even) and kept in 0..150; nothing when cancelled.
std::optional<int32_t> ValoreDialogo(double cella, int32_t operazione, double valore);

// ---- Live marker ------------------------------------------------------------------

struct Posto {
    int sinistra = 0, alto = 0, larghezza = 0, altezza = 0;
};
// Place of the marker over the grid for the live column (above 23 taken as
// 23): every column as wide as column 0, half of it over the rpm row's
// bottom line, a third of that row high.
Posto PostoIndicatore(int32_t colonna, int grigliaSinistra, int grigliaAlto, int larghezzaColonna0, int altezzaRiga0);
// Next blink colour (&HBBGGRR): orange and yellow on petrol (block 2 value 1
// = 0), cyan and azure on gas.
int32_t ColoreIndicatore(int32_t attuale, int32_t statoCarburante);

// ---- Learning wizard ----------------------------------------------------------------

// The rounded mean (halves to even) of a sum of cells over the samples.
int32_t MediaCella(int64_t somma, int32_t campioni);

} // namespace InjDirRegole
