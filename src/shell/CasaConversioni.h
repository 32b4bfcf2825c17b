#pragma once
// What the home pages, the menu bars and the dashboard strip show, computed
// from block values without a screen: captions, bar positions, lamp colours,
// OBD texts, the ECU information panel, the console and record-field checks,
// the page each menu button selects. The forms only apply these results.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QtCore/QString>

#include "core/ModBlckBlocchi.h"

class ClsLingue;

namespace Casa {

// Colours (&HBBGGRR).
inline constexpr int32_t LampadaSpenta = 0x4F4F4F;  // function not enabled
inline constexpr int32_t LampadaAttesa = 0xA7A767;  // enabled, not acting now
inline constexpr int32_t LampadaAccesa = 0xFFFF80;  // enabled, or acting now
inline constexpr int32_t ColoreNessunDato = 0xA7A767;
inline constexpr int32_t ColoreTrimChiuso = 0xFFFFFF;
inline constexpr int32_t ColoreTrimAperto = 0x0000FF;

// The no-data text of the OBD labels and of the dashboard.
inline const std::string NessunDato = " - - ";

// ---- Dictionary sections ------------------------------------------------

// Position of the first entry equal to `marcatore` among entries 0 to
// UboundVoci of language `lingua`; none when it is absent or there is no
// dictionary.
std::optional<int32_t> CercaSezione(const ClsLingue* d, int16_t lingua, const std::string& marcatore);
// Entry base + n of the current language; empty when the section was not
// found or the entry does not exist.
std::string VoceSezione(const ClsLingue* d, std::optional<int32_t> base, int32_t n);

// ---- Numbers --------------------------------------------------------------

// A number rounded in single precision to `decimali` decimals (halves to
// even) and written with no trailing zeros and the locale's separator
// (-21.9, 0, 0.998).
std::string TestoNumero(double valore, int decimali);

// ---- Home gauge page ------------------------------------------------------

// Injection time in microseconds as milliseconds, two decimals, at least two
// integer digits (1250 gives 01.25).
std::string TestoTempoIniezione(int32_t microsecondi);
// Bar position: one unit per 100 us, rounded half to even, held to the
// bar's maximum; none for a time below 0 (the bar keeps its position).
std::optional<int32_t> BarraTempoIniezione(int32_t microsecondi, int32_t massimo = 250);

std::string TestoGiri(int32_t giri);                 // padded in front to 5 characters
std::string TestoTemperaturaRiduttore(int32_t gradi); // padded in front to 3
std::string TestoPressioneGas(int32_t millibar);      // bar with two decimals, padded to 6
// Lambda signal in millivolts as volts cut to three decimals, then " V".
std::string TestoLambda(int32_t millivolt);
// Slider position in volts; a mirrored sensor reads from the top of the scale.
float PosizioneLambda(int32_t millivolt, bool specchiata, int32_t massimoScala);

struct ScalaSonda {
    std::string Sinistra, Destra; // the two end captions, volts
    double Minimo = 0, Massimo = 0, Centro = 0; // volts
};
// Scale of the lambda sliders from the sensor definition found (indice, -1
// for none) and its two range ends in millivolts.
ScalaSonda CalcolaScalaSonda(int32_t indice, int32_t primo, int32_t secondo);
// The definition at this index is drawn mirrored (high volts on the left).
inline constexpr int32_t IndiceSondaSpecchiata = 3;

// Entry (2 to 7) of the OBD section that names a fuel-system status: the
// first set bit of 1, 2, 4, 8, 16; 7 when none is set.
int32_t VoceStatoObd(int32_t stato);
// Fuel trim in percent of a raw byte, one decimal (128 gives 0, 0 gives -100).
std::string TestoTrim(int32_t grezzo);

struct IngressiCorrezioni {
    int32_t FlagBlocco7 = 0, FlagBlocco8 = 0, FlagBlocco9 = 0, FlagBlocco13 = 0;
    int32_t Blocco1Valore37 = 0, Blocco1Valore44 = 0;
    int32_t Blocco3Valore47 = 0;
    int32_t Blocco16Valore1 = 0;
    int32_t Blocco2Valore2 = 0;
    int32_t Blocco12Valore0 = 0;
    uint8_t Soglie15 = 0; // byte 15 of the threshold table
};
struct ColoriCorrezioni {
    int32_t TGas, TWater, PGas, SmagAcc, Extra, MinBenz, MaxBenz, Contributo, OBDAd, CutOffContrib, AccMinimo;
};
ColoriCorrezioni CalcolaCorrezioni(const IngressiCorrezioni& x);

// ---- Home side menu, information panel, console -------------------------

// Wizard lamp of the home page: 0 red, 1 yellow, 2 green, from block 16 value 26.
int32_t StatoSemaforoCasa(int32_t progresso);
// The four lamps of the wizard bar, by button index.
std::array<int32_t, 4> StatiSemaforiWizard(int32_t progresso);

enum class AzioneCasa { Nessuna, PrimoBottoneBarra1, PrimoBottoneBarra2, PrimoBottoneBarra3, Scheda, Uscita };
struct BottoneCasa {
    AzioneCasa Azione = AzioneCasa::Nessuna;
    int32_t Scheda = -1; // page id for AzioneCasa::Scheda
};
BottoneCasa AzioneBottoneCasa(int indice);
// Page selected by button i of each bar; none for an index the bar lacks.
std::optional<int32_t> SchedaMenuTop(int indice, uint8_t soglie15);
std::optional<int32_t> SchedaMenuTop2(int indice);
std::optional<int32_t> SchedaMenuTop3(int indice);
// Blink colour after `colore`: black, blue, cyan, black ...
int32_t ProssimoColoreLampeggio(int32_t colore);

// The console text as hex text of the frame (upper case, no blanks) when it
// is one or more complete hex byte pairs separated by blanks; none otherwise.
std::optional<std::string> TramaConsole(const std::string& testo);

// A record field's text as the value to write: a number in the user's
// format, rounded half to even, whose raw value (value / scale) fits the
// field's type code; none otherwise.
std::optional<int32_t> ValoreCampoRecord(const std::string& testo, const std::string& codiceTipo, int32_t scala);
// What Enter may write from record field `indice`: the value of
// ValoreCampoRecord, only when the record holds it as typed (its scale divides
// it, and the decoder keeps it: 46 cylinders would read back as 8).
std::optional<int32_t> ValoreRecordScrivibile(const std::string& testo, const BloccoParametri& record, size_t indice);

// The eight lines of the information panel joined by CR LF; voce(n) is
// entry n of the "[ABOUT]" section.
std::string TestoPannello(const std::function<std::string(int32_t)>& voce, const std::string& identificazione,
                          const std::vector<int32_t>& valori);
// The configuration line: name and note with their captions.
std::string TestoConfigurazione(const std::string& etichettaNome, const std::string& etichettaNota,
                                const std::string& nome, const std::string& nota);

// ---- Dashboard strip -------------------------------------------------------

struct IngressiCruscotto {
    std::vector<int32_t> Blocco1, Blocco2, Blocco11, Blocco12, Live;
    int32_t PidPressioneRail = 0;
    bool LivelloSupOAut = false;
    int32_t UltimoValoreMem10 = -1;
    std::string TitoloTempoBenzina;
};
struct RisultatoCruscotto {
    std::string Giri, TempoBenzina, TitoloBenzina, TempoGas, TempRiduttore, TempGas, PressGas, PressMap;
    std::string Lambda1, Lambda2, Analogico1, Analogico2, TrimVeloce, TrimLento, Rail, LambdaObd;
    // Colours of the OBD value labels; none leaves the colour as it is.
    std::optional<int32_t> ColoreTrimVeloce, ColoreTrimLento, ColoreRail, ColoreLambdaObd;
    int32_t Stato = 19; // which state text: 2, 3, 4, 18 or 19
};
// Words missing from a block read as 0.
RisultatoCruscotto CalcolaCruscotto(const IngressiCruscotto& x);
int32_t ScegliStato(int32_t flag37, int32_t statoCarburante, int32_t flag44, int32_t giri);
std::string TestoAnalogico(int32_t lettura);                        // 10-bit reading in volts, 3 decimals
std::string TestoPressioneRail(int32_t pid, int32_t a, int32_t b); // "n.n bar"
std::string TestoLambdaObd(int32_t a, int32_t b);
// Tones (Hz, ms) to sound when the state label changes from `vecchio` to
// `nuovo` (texts already in upper case).
std::vector<std::pair<int, int>> SuoniCambioStato(const QString& vecchio, const QString& nuovo, const QString& stato18,
                                                  const QString& stato2, const QString& stato3);

} // namespace Casa
