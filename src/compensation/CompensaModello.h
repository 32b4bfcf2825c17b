#pragma once
// The five compensation curves without a screen: which block each lives in,
// how its values become the texts of a two-row grid and back (the points the
// grid does not show lie on straight lines between the shown ones), the
// trailers, the write frames, the key stepping and the value dialog's
// arithmetic, the even spacing of a row, the centring on a measured point,
// the enleanment spread and the texts of the live and expert views.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"

namespace ModMain {
// Result of the wizard's petrol-pressure calculation, read by the page's
// hand-over: points 0..UltimoIndiceAcq, sensor volts and whole percent.
inline int32_t UltimoIndiceAcq = -1;
inline std::vector<double> RisultatoAcqX;
inline std::vector<int32_t> RisultatoAcqY;
} // namespace ModMain

namespace Compensa {

constexpr int NumeroTabelle = 5;
constexpr int Colonne = 16; // column 0 fixed, 15 data columns
constexpr int ColonneDati = Colonne - 1;

struct DefinizioneTabella {
    size_t blocco;
    int32_t divisore;   // stored input / divisor = shown input
    int32_t decimali;   // of the shown input
    int32_t passo;      // grid column c shows point passo x (c - 1)
    int32_t ultimoPunto; // last valid point index
    uint8_t comando;    // write command
    const char* unita;  // caption of cell (0, 0)
};
const DefinizioneTabella& Tabella(int t);

// Cell texts of a grid: [row][column], column 0 the fixed captions.
using Griglia = std::array<std::array<std::string, Colonne>, 2>;

// A cell text read as a number with the locale's decimal separator.
std::optional<double> NumeroCella(const std::string& testo);
// ModGlobFunct::FormattaNumero that never throws ("" when out of range).
std::string Formatta(double valore, int32_t decimali, int32_t cifre);

// Block values into the grid's data cells; a point beyond the values leaves
// its two cells as they were.
void TestiDaValori(int t, const std::vector<int32_t>& v, Griglia& g);
// Data cells into the block values: inputs times the divisor, corrections,
// both rounded halves to even; the hidden points filled on the straight line
// between two shown points. A cell that is not a number keeps the stored value.
void ValoriDaTesti(int t, const Griglia& g, std::vector<int32_t>& v);
// Trailer of tables 0-3: the enable flag, twice.
void TrailerAbilitazione(std::vector<int32_t>& v, bool abilitata);
// Trailer of table 4: entry value (bits 0-14) with the enable bit 15, and the
// exit value. An entry or exit without a valid item keeps what the block holds
// (the enable bit is applied all the same).
void TrailerSmagrimento(std::vector<int32_t>& v, bool abilitata, const std::optional<std::string>& ingresso,
                        const std::optional<std::string>& uscita);
// Every value clamped to the range of its byte code (the encoder would keep
// only the low bits of a value beyond it).
void LimitaAlTipo(BloccoParametri& b);
// The complete write frame of table t from its values (block definition of `modello`).
std::string TramaTabella(int t, const BloccoParametri& modello, const std::vector<int32_t>& valori);

// Loading helpers: the first item (in order) whose number is >= valore, -1 when none.
int PrimaVoceAlmeno(const std::vector<std::string>& voci, int32_t valore);

// ---- Editing ------------------------------------------------------------------

struct LimitiCella {
    int32_t passo, moltiplicatore, massimo, minimo, scala, decimali;
};
LimitiCella LimitiModificaCella(int riga, int t);
// One "+"/"-" step on the raw value (Shift alone multiplies the step), clamped.
int32_t Passo(int32_t grezzo, int16_t keyCode, int16_t shift, const LimitiCella& l);
bool TastoPiu(int16_t keyCode);
bool TastoMeno(int16_t keyCode);
// Raw value of a cell text (text x scale, halves to even); nullopt when not a number.
std::optional<int32_t> Grezzo(const std::string& testo, const LimitiCella& l);
std::string TestoGrezzo(double grezzo, const LimitiCella& l);
// The value dialog's limits for a cell: add, percent, set.
struct LimitiDialogo {
    int32_t maxAdd, minAdd, maxPerc, minPerc, maxAbs, minAbs;
};
LimitiDialogo LimitiDialogoCella(const LimitiCella& l);
// The dialog's operation (1 add, 2 percent, 3 set) applied to a cell showing
// `cella`, in raw units, clamped to the cell's limits.
double ApplicaOperazione(int32_t operazione, double cella, float valore, const LimitiCella& l);

// Even spacing of the axis row: texts of columns 2..14 from the values of
// columns 1 and 15.
std::vector<std::string> SpaziaAsse(double primo, double ultimo, int32_t decimali);
// Even spacing of the correction row (rounded, halves to even).
std::vector<std::string> SpaziaCorrezioni(double primo, double ultimo);
// The enleanment spread: columns 2..14 truncated toward zero.
std::vector<std::string> InterpolaSmag(double primo, double ultimo);

// Centring of table t's correction row on the axis column `colonna` (the
// current cell of row `riga`): nullopt when refused (not an axis cell of
// columns 2..13, table 4, an axis cell or the factor that is not a number, a
// pressure axis with a reference at or below 0 or a negative point, a
// temperature below absolute zero).
std::optional<std::vector<std::string>> Centra(int t, int riga, int colonna, const std::vector<std::string>& asse,
                                              const std::string& fattore);
bool CentraturaValida(int riga, int colonna);

// "-5 %", "+ 0 %", "+ 12 %".
std::string TestoCorrezione(int32_t v);

// ---- Live view ------------------------------------------------------------------

// Value k of a block, nullopt when out of range.
std::optional<int32_t> Valore(const std::vector<int32_t>& v, size_t k);
// Index of the point in use of table t from the live block (not divided).
std::optional<int32_t> IndiceVivo(int t, const std::vector<int32_t>& bloccoVivo);
// The 0-based data column nearest to the point in use, within 0..Colonne - 1.
std::optional<int32_t> ColonnaViva(int t, const std::vector<int32_t>& bloccoVivo);
// The analogue monitor: eight lines joined by CR LF.
std::string TestoMonitor(const std::vector<int32_t>& bloccoVivo);
// The expert text of table t: five lines around the point in use, each ending in CR LF.
std::string TestoEsperto(int t, const std::vector<int32_t>& valori, int32_t indice);

} // namespace Compensa
