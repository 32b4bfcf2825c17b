#pragma once
// The switchover page's rules without a screen: the rpm stored as periods,
// the edits each list stages, the cylinder change copy, the injector type,
// the rpm-signal sensitivity list, the spark threshold, and the
// temperature-sensor table (key steps, dialog arithmetic, write frame, shift).
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "link/ModBlckModifiche.h"

namespace CommutazioneRegole {

// ---- Layout ------------------------------------------------------------------

// Rows of a panel stacked without gaps: the shown rows take the places
// `posti` (top to bottom) in order; a hidden row keeps its own place.
std::vector<double> PostiRighe(const std::vector<double>& posti, const std::vector<bool>& mostrate);

// ---- Rpm and period ----------------------------------------------------------

// The rpm less the 2 the ECU adds (only above 2).
int32_t DeltaGiri(int32_t giri);
// Int(x / d), or 65535 for d = 0 and for a period beyond 65535.
int32_t Periodo(float x, int32_t d);
// The rpm that block 3 value 3 stands for with factor f: 0 for a period of 0
// or of 65535 and more.
int32_t GiriDaPeriodo(float f, int32_t periodo);
// Item of the rpm list to select: the first whose value is at least `giri`
// (or is 0 while the rpm is exactly 65535); -1 when none.
int IndiceGiri(const std::vector<std::optional<double>>& voci, int32_t giri);
// First item from `da` whose value is at least `valore`; -1 when none.
int IndiceAlmeno(const std::vector<std::optional<double>>& voci, double valore, int da = 0);
// Forced changeover: item 0 for 1,638,375 (off), else the first item from 1
// whose value x 1000 equals the word; -1 when none.
int IndiceForza(const std::vector<std::optional<double>>& voci, int32_t valore);
inline constexpr int32_t ForzaSpenta = 1638375;

// An item read as a whole number (halves to even); nothing for an empty or
// non-numeric text.
std::optional<int32_t> ValoreVoce(const std::optional<double>& voce);

// Words of block 3 the edits read.
struct Parole3 {
    int32_t bobine = 0;      // value 0
    int32_t cilindri = 0;    // value 1
    int32_t periodo = 0;     // value 3
    int32_t moltiplica = 0;  // value 42
};

// Switchover rpm item r: values 3 and 35.
ListaModifiche ModificaGiri(int32_t r, const Parole3& p);
// Coil count b with rpm item r: values 0 and 3.
ListaModifiche ModificaBobine(int32_t b, int32_t r, const Parole3& p);
// Multiplier item (0 " x 1", else " x 2") with rpm item r: values 42 and 35.
ListaModifiche ModificaMoltiplicatore(int indice, int32_t r);
// Spark item (0 off) with the cylinder and coil counts and SogliaSpark:
// value 49 bit 0x08 and value 44.
ListaModifiche ModificaSpark(int indice, const Parole3& p, int32_t sogliaSpark);
// Forced changeover: off (item 0 or none) or the seconds of the item.
std::optional<ListaModifiche> ModificaForza(int indice, const std::optional<double>& voce);

// ---- Cylinder change ---------------------------------------------------------

// Block 3's values prepared for a change to n cylinders: values 0 and 1 := n,
// injectors from n up cleared at 16 - i, values 17..24 cleared, value 3 the
// current switchover rpm again as a period of the new count.
std::vector<int32_t> CopiaCilindri(std::vector<int32_t> valori, int32_t n);

// ---- Injector type -----------------------------------------------------------

struct ModificaIniettore {
    ListaModifiche blocco3; // values 4, 6, 7, 8, 36
    ListaModifiche blocco15; // value 0
};
// The definition named `nome` (the first of that name); nothing for an empty
// name or none found.
std::optional<ModificaIniettore> CercaIniettore(const std::vector<DefinizioneIniettore>& tipi, const std::string& nome);

// ---- Rpm-signal sensitivity --------------------------------------------------

inline constexpr const char* SoglieIncorporate =
    "0|7|14|20|27|34|41|47|54|61|68|74|81|88|95|101|108|115|122|128|135|142|149|155|162|169|176|182|189|196|203|209|"
    "216|223|230";

struct Sensibilita {
    float fattore = 0.074f; // volts per code
    float passo = 0.5f;     // display step in volts
    std::vector<int16_t> codici;
    std::vector<std::string> testi;
};
// The built-in list, or the last "[Sensibilita RPM]" section of the lines. A
// section with a missing or non-numeric line, or a code that is no 16-bit
// number, is passed over whole (the list before it stays).
Sensibilita CostruisciSensibilita(const std::vector<std::string>& righe, char separatore);
// Volts shown for a code: v / step rounded (halves to even) times the step.
std::string TestoSoglia(int16_t codice, float fattore, float passo, char separatore);

// ---- Spark threshold text ------------------------------------------------------

// The typed number as the value to write (rounded, halves to even, clamped
// to 0..32000); nothing for an empty or non-numeric text.
std::optional<int32_t> ValoreSpark(const std::optional<double>& numero);

// ---- Temperature-sensor table ------------------------------------------------

inline constexpr int32_t TempMin = -20, TempMax = 120;
inline constexpr int32_t SensoreMin = 0, SensoreMax = 180;
int32_t LimitaRiga(int riga, double v);
// One step of a held key (107/187 up, 109/189 down; 10 with Shift alone).
int32_t Passo(int riga, int32_t valore, int16_t tasto, int16_t maiuscole);
bool TastoPasso(int16_t tasto);
// The dialog's result on a cell: nothing when cancelled.
std::optional<int32_t> ValoreDialogo(int riga, double cella, int32_t operazione, float valore);
// Block 6's value index of a grid cell (row 0 temperature, row 1 sensor; column 1..8).
int32_t IndiceCella(int riga, int colonna);
// The block value a grid number stands for (sensor row: x 1000).
int32_t ValoreCella(int riga, int32_t numero);
// The grid text of a block value (sensor row: / 1000, halves to even).
int32_t NumeroCella(int riga, int32_t valore);
// The CMD_WRITE_BLK6 frame: block 6's current values with the edited values
// (value index -> value) in place.
std::string TramaTabella(BloccoParametri blocco6, const std::map<int32_t, int32_t>& modificati);
// Every temperature moved by T - value(2k); sensor values untouched.
void TraslaTemperature(std::vector<int32_t>& valori, int k, int32_t t);

// ---- Bad-bit limit -------------------------------------------------------------

int32_t LimitaSlider(int32_t valore, int32_t minimo, int32_t massimo);

} // namespace CommutazioneRegole
