#pragma once
// The lambda page's rules without a screen: block 11's volts and code
// conversions, the sensor presets, the combo edits of word 70, the delay
// item, the enabled states, the map editor's steps and dialog arithmetic, the
// threshold check and pair rule, and the live cursor's cell.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/ModBlckConfigScale.h"
#include "link/ModBlckModifiche.h"

namespace LambdaRegole {

inline constexpr int Colonne = 12, Righe = 4;
// Block 11 value of map cell (row r, column c).
inline constexpr int32_t IndiceMappa(int r, int c) { return 16 + 4 * c + r; }

// ---- Conversions ----------------------------------------------------------------

// Volts to code: nearest(nearest(volts x 1000) / 19.6).
int32_t CodiceDaVolt(double volt);
// The volts a code shows: (nearest(code x 19.6) div 10) / 100, plain decimal text.
double VoltDaCodice(int32_t codice);
std::string TestoVolt(int32_t codice, char separatore);
// A plain decimal text of a value with at most `decimali` decimals.
std::string TestoNumero(double v, char separatore);
// A map cell's text for a code, by mode.
std::string TestoCella(int32_t codice, bool modoCodice, char separatore);
// The code a map cell's number stands for, by mode.
int32_t CodiceCella(double numero, bool modoCodice);

// ---- Presets and combo edits -----------------------------------------------------

struct ModificaPreset {
    ListaModifiche blocco3;  // word 38
    ListaModifiche blocco11; // thresholds 65..68, then the 48 map cells
    bool modoCodice = false;
};
// The preset chosen at list position `posizione`; nothing when no preset
// carries that id.
std::optional<ModificaPreset> Preset(const std::vector<DefinizioneSondaLambda>& sonde, int posizione);
// Word 70 with a new sensor-2 kind or a new filter position.
int32_t ParolaSonda2(int32_t parola70, int posizione);
int32_t ParolaFiltro(int32_t parola70, int posizione);
// The delay item: the first whose seconds x 1000 are not below the word; -1 when none.
int IndiceRitardo(const std::vector<std::optional<double>>& secondi, int32_t millisecondi);

struct Abilitazioni {
    bool soglieAnte, soglieDopo, griglie, sonde, ritardo;
};
// p: preset index of the stored sensor type (-1 none); posizione: the preset list's selection.
Abilitazioni Abilita(int32_t p, bool emulazione, int posizione);

// ---- Map editor ------------------------------------------------------------------

// Sensor range of a map cell in volts mode, in thousandths, by preset position.
struct Intervallo {
    int32_t minimo, massimo;
};
Intervallo IntervalloSonda(int posizione);
// One step of a held key on a breakpoint between its neighbours.
int32_t PassoAsse(int32_t v, int16_t tasto, int16_t maiuscole, int32_t passoPiccolo, int32_t passoGrande, int32_t minimo,
                  int32_t massimo);
bool TastoPasso(int16_t tasto);
// One step of a held key on a map cell (the cell's number by mode).
double PassoCella(double numero, bool modoCodice, int16_t tasto, int16_t maiuscole, int posizione);
// The dialog's operation on a map cell's number.
double ApplicaValore(double numero, bool modoCodice, int32_t operazione, float valore, int posizione);

// ---- Thresholds ----------------------------------------------------------------------

// Highest accepted threshold, thousandths of a volt, by preset position.
int32_t MassimoSoglia(int posizione);
// The typed number brought into 0..highest and to hundredths of a volt.
double LimitaSoglia(double volt, int posizione);
// Code of a threshold: its block-11 value is one byte, so a code above 255
// (preset 5 allows up to 255 V) stays at 255 instead of wrapping.
int32_t CodiceSoglia(double volt);
// Pair rule: a high box never below its low partner, a low box never above its high one.
double RegolaCoppia(double valore, double compagno, bool alta);

// ---- Live cursor ----------------------------------------------------------------------

// The first breakpoint index above the live value (the count when none), at least 1.
int IndiceCursore(const std::vector<std::optional<double>>& punti, int32_t valore);

} // namespace LambdaRegole
