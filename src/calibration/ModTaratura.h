#pragma once
// The automatic calibration's shared state: the settings of lng/ParaTun.txt
// and their reader, the variables that outlive a step, the result codes, the
// screen-free rules of the sampling steps, and the window the runner drives
// (`VistaTaratura`, implemented by FrmAutoTuning; tests register their own).
#include <cstdint>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "core/ModRetta.h"
#include "core/PaginaMappa.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"

class QDateTime;
class QLocale;

namespace ModTaratura {

// ---- Settings file ------------------------------------------------------------

// The 38 settings, named in the file by the key text next to each member.
struct ParametriTaratura {
    int32_t TempTaratura = 0;              // "TEMP taratura"
    int32_t RpmMinimi = 0;                 // "Rpm minimi"
    double AttesaMinimoMs = 0;             // "Attesa minimo ms"
    int32_t NumCampioniMinimo = 0;         // "Num Campioni minimo"
    double FreqCampioniMinimoMs = 0;       // "Freq Campioni minimo ms"
    uint8_t AttivaTuttiCil = 0;            // "Attiva tutti i Cil"
    int32_t RpmMassimo = 0;                // "Rpm Massimo"
    int32_t DeltaVisualizzazioneRpmMax = 0; // "DeltaVisualizzazioneRPMMax"
    double AttesaMassimoMs = 0;            // "Attesa massimo ms"
    int32_t NumCampioniMassimo = 0;        // "Num Campioni massimo"
    double FreqCampioniMassimoMs = 0;      // "Freq Campioni massimo ms"
    double PrimaAttesaMs = 0;              // "Prima attesa ms"
    double AttesaCorrInjMs = 0;            // "Attesa corr inj ms"
    int32_t NumCampioniCorrInj = 0;        // "Num Campioni corr inj"
    double FreqCampioniCorrInjMs = 0;      // "Freq Campioni corr inj ms"
    int32_t CicliInTolleranzaInj = 0;      // "Cicli in tolleranza inj"
    int32_t MaxCicliNonInTolleranzaInj = 0; // "Max cicli non in tolleranza inj"
    int32_t TolleranzaCorrezioneInj = 0;   // "Tolleranza in correzione inj %"
    int32_t StepCorrezioneInj = 0;         // "Step di Correzione inj %"
    int32_t MassimaCorrezioneInjUs = 0;    // "Massima correzione inj us"
    int32_t RpmRitornoMinimo = 0;          // "Rpm ritorno minimo"
    double AttesaRitornoMinimoMs = 0;      // "Attesa ritorno minimo ms"
    double AttesaCorrMinimoMs = 0;         // "Attesa corr minimo ms"
    int32_t NumCampioniCorrMinimo = 0;     // "Num Campioni corr minimo"
    double FreqCampioniCorrMinimoMs = 0;   // "Freq Campioni corr minimo ms"
    int32_t CicliInTolleranzaMinimo = 0;   // "Cicli in tolleranza minimo"
    int32_t MaxCicliNonInTolleranzaMinimo = 0; // "Max cicli non in tolleranza minimo"
    int32_t TolleranzaCorrezioneMinimo = 0; // "Tolleranza in correzine minimo %"
    int32_t StepCorrezioneMinimo = 0;      // "Step di Correzione minimo %"
    int32_t MassimaCorrezioneMinimoUs = 0; // "Massima correzione minimo us"
    int32_t MassimaCorrezioneUs = 0;       // "Massima Correzione us" (read, unused)
    int32_t MinimaCorrezioneUs = 0;        // "Minima correzione us" (read, unused)
    int32_t SogliaRilascio = 0;            // "Soglia Rilascio %" (read, unused)
    int32_t SogliaSecondoSet = 0;          // "Soglia Secondo Set %" (read, unused)
    int32_t SogliaTerzoSet = 0;            // "Soglia Terzo Set %" (read, unused)
    int32_t SmagrimentoTerzoSet = 0;       // "Smagrimento Terzo Set %" (read, unused)
    int32_t SmagrimentoRilascio = 0;       // "Smagrimento Rilascio %" (read, unused)
    int32_t DisabilitaCentraggio = 0;      // "Disabilita Centraggio Compensazione"
};

// The key texts in the order the reader tests them (letter for letter).
const std::vector<std::string>& ChiaviParametri();

// Applies Key=Value[=Value2] lines to `p`: exact keys, the last line of a key
// wins, Value2 replaces Value with `usaValore2`. A known key whose value is
// empty, not a number or out of its type's range keeps its earlier value.
void ApplicaRigheParametri(const std::vector<std::string>& righe, bool usaValore2, ParametriTaratura& p);

// The settings of the program run.
inline ParametriTaratura Parametri;

// Reads the file (plain or encoded) into `Parametri`. False, with nothing
// changed, when the file is missing or cannot be read (an encoded file with a
// wrong header included).
bool LeggiParametriTaratura(const std::string& percorso, bool usaValore2);

// ---- Result codes -------------------------------------------------------------

enum CodiceEsitoTaratura : int32_t {
    ESITO_FATTO = 0,
    ESITO_STOP = 1,
    ESITO_GIRI_BASSI = 2,
    ESITO_MOTORE_FERMO = 3,
    ESITO_TRASFERIMENTO = 4,
    ESITO_TOLLERANZA = 5,
    ESITO_CARBURANTE = 6,
    ESITO_PRESSIONE_GAS = 8,
};

// A block read or write of the calibration is good only with pipe result 0
// and reply status 1: a write that timed out (no reply frame, status not 1)
// is a failure, not a success.
constexpr bool TrasferimentoRiuscito(int32_t risultato, int32_t statoRisposta) {
    return risultato == 0 && statoRisposta == 1;
}

// After a run that ends on a bad reply status, its blocks are written back
// after the reconnect, but only when the run failed: a completed run keeps
// its result.
constexpr bool RipristinoDifferitoNecessario(int32_t codice, int32_t statoRisposta) {
    return statoRisposta != 1 && codice != 0;
}

// ---- State that outlives a step ----------------------------------------------

inline int32_t PassoTaratura = 0;
inline int16_t StopTaratura = 0;  // -1 after Cancel
inline int16_t OkTaratura = 0;    // -1 after OK
inline BloccoParametri CopiaBlocco2Taratura, CopiaBlocco3Taratura, CopiaBlocco9Taratura;
inline int32_t TipoIniettoreTaratura = -1;
inline int32_t SecondoSetTaratura = 0;
inline int32_t ContatoreRpmTaratura = 0; // low-rpm watchdog, checks of 100 ms
inline int32_t OpzioneObd04Sospesa = 0, OpzioneObd08Sospesa = 0, EmulazioneLambdaSospesa = 0;
inline int32_t TBenzMin = 0, TBenzMax = 0, TGasCil = 0; // microseconds
inline int32_t PressioneGasTaratura = 0, CampioniPressioneTaratura = 0;
// Block 15 as step 2 found it (step 2 writes its value 0 and the acquisition
// command its firing order): written back with the copies of blocks 2, 3, 9.
inline BloccoParametri CopiaBlocco15Taratura;
// Map page 0 with the threshold table, the two index vectors and the
// correction line as they were before step 6 rewrote them, read from the ECU
// before the operator confirms the idle tare. MappaTarataScritta from the
// first write of the rewrite on: a run that then fails or stops gives them
// back, so that the ECU never keeps this run's map with the correction it
// had before.
inline PaginaMappa CopiaMappaTaratura{};
inline TabellaSoglie CopiaSoglieTaratura{};
inline ModBlck::VettoreGiri CopiaVettoreRpmTaratura{};
inline ModBlck::VettoreTempi CopiaVettoreTinjTaratura{};
inline RecordRettaCorrezione CopiaRettaTaratura;
inline bool MappaTarataScritta = false;

// ---- Screen-free rules ------------------------------------------------------

// Mean petrol time of the enabled cylinders: block 3 value 1 cylinders,
// cylinder i enabled when block 3 value 16 - i > 0, its time block 1 value
// 15 - i; rounded half to even; 0 when none.
int32_t CalcolaMediaCilindriAttivi(const std::vector<int32_t>& blocco1, const std::vector<int32_t>& blocco3);
// The coil count (value 0) or, for an rpm wire (value 33 bit 0), the rpm
// factor (value 42) for an idle rpm, set in `blocco3`.
void CercaPuntoRpm(int32_t giri, std::vector<int32_t>& blocco3);
// 100 / 7 x step, rounded half to even.
int32_t PercentualePasso(int32_t passo);
// Sum / count rounded half to even; 0 for no count.
int32_t MediaArrotondata(int64_t somma, int64_t conteggio);
// The three gauge texts of the window.
std::string TestoGiriTune(int32_t giri);
std::string TestoTemperaturaTune(int32_t gradi);
std::string TestoPressioneTune(int32_t mbar, const std::string& separatore);
// Time in microseconds as ms with 3 decimals ("1.235"), separator given.
std::string TestoMillisecondi(int32_t us, const std::string& separatore);
// Bar value of a time: us / 100 rounded half to even.
int32_t ValoreBarraTempo(int64_t us);

// Correction step of a tare cycle: percento / 100 x deviation rounded half
// to even, held to +-massimo.
int64_t PassoCorrezione(int32_t percento, int64_t deviazione, int32_t massimo);
// The correction limit: when a cylinder included in block 3 (value 17 - c >
// 0) would fall below block 3 value 36 with `passo` added to its correction
// and petrol time (block 1 values 32 - c and 16 - c), `passo` becomes the
// margin rounded to a multiple of `unita` and the result is false.
bool LimitaPassoCorrezione(int64_t& passo, const std::vector<int32_t>& blocco1, const std::vector<int32_t>& blocco3,
                           int32_t unita);
// Starting correction of the injector tare: line 5 - ((line 8 + TBenzMax) -
// SommaTempoInj), halves to even, never below 0.
int64_t CorrezioneIniziale(int32_t riga5, int32_t riga8, int32_t tBenzMax, float sommaTempoInj);
// Whether `v` fits value k of the block (its type code and scale).
bool ValoreNelBlocco(const BloccoParametri& blocco, size_t k, int64_t v);

// ---- Map rewrite and centring (step 6) ----------------------------------------

using MatriceTaratura = std::array<std::array<int32_t, ColonnePaginaMappa>, RighePaginaMappa>; // [row][column]

// Fill factor of the map form: ((correction + TBenzMin) x 128) / TBenzMin,
// halves to even, held to 0..255. Nothing when TBenzMin is not above 0.
std::optional<int32_t> FattoreRiempimento(int32_t correzione, int32_t tBenzMin);
// Shifts the working map so that the cell (riga, colonna) holds F; every cell
// then goes into `pagina` held to 0..255.
void SpostaMappaTaratura(MatriceTaratura& mappa, int riga, int colonna, int32_t F, PaginaMappa& pagina);
// The curve moved by D = correction / 1000 - curve(TGasCil / 128) on entries
// 0 to 172 (none below 0); entry 180 := entry 0. False (curve unchanged) when
// the entry is outside the curve.
bool SpostaCurvaTaratura(CurvaRetta& curva, int32_t tGasCil, int32_t correzione);
// The correction line's offset lowered so that the curve at the entry
// time / 128 (halves to even) equals obiettivo / 1000 ms, then the curve
// rebuilt. False (nothing changed) when the entry is outside 0..171.
bool CorreggiOffsetRetta(CurvaRetta& curva, int32_t tempo, int32_t obiettivo, RecordRettaCorrezione& retta);
// Block 9 in the 57-pair layout (pair p: values 2p and 2p + 1; the axis
// points every fourth pair): moves every pressure so that `pressione` lies
// halfway between axis point j - 1 and j, j the first axis point with a zero
// correction (6 when none, or when it is point 0); sets the next-to-last value
// to 1 and the last to j. False (nothing changed) for a block too short.
bool CentraAsseCompensazione(std::vector<int32_t>& valori, int32_t pressione);

// The log's date and time: the locale's short date and its time with the
// seconds (the system's general date form), without a time-zone name.
std::string TestoDataGenerale(const QDateTime& quando, const QLocale& locale);

// The log names, newest first: StatoTun.txt, StatoTun1.txt .. StatoTun4.txt in `cartella`.
std::vector<std::string> FileLogTaratura(const std::string& cartella);
// Rotates the logs (4 <- 3 <- 2 <- 1 <- current), a missing source skipped.
// False when a copy fails.
bool RuotaLogTaratura(const std::string& cartella);

// ---- The window the runner drives ------------------------------------------

// Every member does nothing by default (no window: the run goes on blind).
class VistaTaratura {
public:
    virtual ~VistaTaratura() = default;
    virtual int16_t OffsetLinguaTune() { return 0; }
    virtual void LblCalStep(const std::string& testo) {}
    virtual void LblCalMsg(const std::string& testo) {}
    virtual bool LblCalMsgVisibile() { return true; }
    virtual void LblCalMsgVisibile(bool visibile) {}
    virtual void PRG_Avanzamento(float valore) {}
    virtual float PRG_AvanzamentoMin() { return 0; }
    virtual void FrmStatoTara(bool visibile) {}
    virtual void SLD_Ugelli(float valore, const std::string& testo) {}
    virtual float SLD_UgelliValore() { return 0; }
    virtual void SLD_UgelliVisibile(bool visibile) {}
    virtual void CmbTipoInjAbilitato(bool abilitato) {}
    virtual int32_t CmbTipoInjIndice() { return -1; }
    virtual void CmdCalStartAbilitato(bool abilitato) {}
    virtual void CmdCalOkAbilitato(bool abilitato) {}
    virtual void CmdCalCancelAbilitato(bool abilitato) {}
    virtual std::string CmdCalStartCaption() { return {}; }
    virtual std::string CmdCalOkCaption() { return {}; }
    virtual void LampeggioInTaratura(bool spento) {}
    virtual void VisualizzaTempiCampionamentoBenzina(int32_t us, bool attivo) {}
    virtual void VisualizzaTempiCampionamentoGas(int32_t us, bool attivo) {}
};

// The window registers itself at load; nullptr removes it.
void RegistraVista(VistaTaratura* vista);
VistaTaratura& Vista();

} // namespace ModTaratura
