#pragma once
// The data logger's model: the eight chart channels and the loggable
// variables with their two files, the samples of a loaded trace, the view
// state of the chart, the recording (its header, start and stop) and the
// trace reader, copy and text export. Nothing here needs a screen: the page
// FrmLogger places, paints and forwards events.
//
// The recording state, the two rings and the open Logger.tmp live with the
// block decoder (link/ModBlckDatiLive.h), which adds a sample to them for
// every live or OBD reply it decodes while a recording runs.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ModMainCollegamento.h"
#include "link/ModBlckDatiLive.h"

// One chart channel.
struct CanaleOscilloscopio {
    int32_t Canale = 0;          // 0-7, as stored in the set-up file
    int32_t IdVariabile = 0;     // value index in block 1
    int16_t Visibile = -1;       // -1 drawn and labelled, 0 hidden
    int32_t Colore = 0;          // 0xBBGGRR
    int32_t OffsetPercento = 0;  // zero line, percent of the chart height
    int32_t ZoomPercento = 100;  // thousandths of a twip per value unit
    float Scala = 0.0f;          // display factor (1 / the list's scale)
    std::string Unita;
    std::string Nome;            // in the current language
};

// One loggable variable of OsciList.ini.
struct VariabileOscilloscopio {
    std::string Nomi;            // one per language, comma-separated, in language-id order
    int32_t IdVariabile = 0;
    float Scala = 1.0f;          // 1 / the file's scale
    std::string Unita;
};

namespace ModOscillo {

inline constexpr int NumeroCanali = 8;
// Longs per sample in CampioniLog and CampioniObd: the time, then 8 values.
inline constexpr int32_t Passo = 9;
using InsiemeCanali = std::array<CanaleOscilloscopio, NumeroCanali>;

inline InsiemeCanali CanaliOscilloscopio;
inline std::vector<VariabileOscilloscopio> ListaVariabiliLogger;

// Loaded trace: sample k at 9k..9k+8. CampioniLog: time (ms since the start of
// the recording), then channels 0-7. CampioniObd: time, OBD values 26, 27,
// the trims of values 30, 34, 38, 42 in percent, value 0, then 0.
inline std::vector<int32_t> CampioniLog(Passo, 0);
inline std::vector<int32_t> CampioniObd;

// View state of the chart (x in twips of the chart picture).
inline int32_t ZoomTempo = 100;          // 100, 50, 20 or 10 percent
inline int32_t TempoInizioVista = 0;     // ms at XInizioGrafico
inline int32_t IndiceInizioVista = 0;    // flat index of the page's first sample
inline int32_t IndiceFineVista = 0;      // flat index where the last redraw stopped
inline int32_t XInizioGrafico = 150;
inline int32_t XFineGrafico = 0;
inline int32_t XTracciaLive = 150;
inline int32_t XGrigliaLive = 150;

// The trace shown on the page; loaded by the link timer's next offline tick
// while CaricaLogInSospeso is 1 (the engine's flag of that name).
inline std::string FileLogAperto;
inline uint8_t& CaricaLogInSospeso = ModMain::ApriLoggerRichiesto;

// ---- Channels and variables ---------------------------------------------

// Ranges of the set-up values whose steps on the page would overflow or
// index outside the channels (spreading up to 800 with no channel shown, RGB
// colours). A value read outside its range is taken as the nearer end. The
// zoom is kept as read: its steps cannot overflow and a zoom of 0 only draws
// the channel flat on its zero line.
inline constexpr int32_t OffsetMinimoCanale = 0, OffsetMassimoCanale = 800;
inline constexpr int32_t ColoreMassimoCanale = 0xFFFFFF;

// The eight channels before the set-up file is read.
InsiemeCanali CanaliPredefiniti();
// Reads OsciSetUp.ini over `canali`: block i ("[Var]" and six lines) sets
// channel i; channels the file does not reach keep the defaults, blocks past
// the eighth are ignored; a line that is not a number gives 0, then every
// value but the zoom is brought within its range. A missing file changes nothing.
void LeggiSetupCanali(const std::string& percorso, InsiemeCanali& canali);
void LeggiSetupCanaliTesto(std::string_view testo, InsiemeCanali& canali);
// The text of OsciSetUp.ini for the channels (CR LF lines).
std::string TestoSetupCanali(const InsiemeCanali& canali);
// Writes it through a temporary file in the same folder; false on failure.
bool ScriviSetupCanali(const std::string& percorso, const InsiemeCanali& canali);
// Reads OsciList.ini: a missing file gives an empty list; a block cut short
// keeps what it has; a scale of 0, not a number or so near 0 that its
// reciprocal is no single counts as 1.
void LeggiListaVariabili(const std::string& percorso, std::vector<VariabileOscilloscopio>& lista);
void LeggiListaVariabiliTesto(std::string_view testo, std::vector<VariabileOscilloscopio>& lista);
// Element `lingua` of the comma-separated names, "" when there are fewer.
std::string NomeInLingua(const std::string& nomi, int32_t lingua);
// Scale, unit and name of each channel from the variable with its id; a
// channel whose id is not listed gets an empty name and unit and scale 0.
void AssegnaVariabili(InsiemeCanali& canali, const std::vector<VariabileOscilloscopio>& lista, int32_t lingua);
// Zero lines spread evenly over the visible channels' count.
void DistribuisciOffset(InsiemeCanali& canali);

// ---- Trace reading, copy and export -------------------------------------

// Largest trace the reader takes: some twelve hours of recording (a group is
// about 300 bytes, some twenty groups a second).
inline constexpr int64_t DimensioneMassimaTraccia = int64_t(256) << 20;

// XOR of every byte of a raw frame: 0 for a valid reply.
uint8_t CalcolaXorRisposta(std::string_view trama);

// Progress of a long file operation, 0 to 1, and a chance for queued window
// messages to run. Either may be empty.
struct Avanzamento {
    std::function<void(double)> Frazione;
    std::function<void()> CediMessaggi;
};

// Rebuilds the two sample arrays from a trace's text with the channel set,
// decoding the replies with copies of blocks 1 and 12 of the block table (the
// recording hook does not run for them).
void CaricaTestoLog(std::string_view testo, std::vector<int32_t>& campioniLog, std::vector<int32_t>& campioniObd,
                    const InsiemeCanali& canali, const Avanzamento& avanzamento = {});
// The same from a file; a file that cannot be read leaves one entry 0 in each.
void CaricaFileLog(std::vector<int32_t>& campioniLog, std::vector<int32_t>& campioniObd, const std::string& percorso,
                   const InsiemeCanali& canali, const Avanzamento& avanzamento = {});
// Copies Logger.tmp line by line to `destinazione` (temporary file and
// rename); false when it cannot be read or written.
bool CopiaFileLog(const std::string& destinazione, const Avanzamento& avanzamento = {});
// The export text: header, one row per complete sample.
std::string TestoEsportazione(const InsiemeCanali& canali, const std::vector<int32_t>& campioniLog,
                              const std::vector<int32_t>& campioniObd);
bool EsportaCampioni(const std::string& percorso, const InsiemeCanali& canali,
                     const std::vector<int32_t>& campioniLog, const std::vector<int32_t>& campioniObd);

// ---- Recording ----------------------------------------------------------

// The four header lines of a trace (CR LF after each).
std::string IntestazioneRegistrazione(double inizioMs, const std::string& dataOra, const std::string& rispostaLive);
// Start: opens PercorsoLoggerTmp anew, writes the header, empties the rings and
// the loaded trace, resets the live sweep, then sets StatoRegistrazione := 1.
// False, with nothing changed, when Logger.tmp cannot be created.
bool AvviaRegistrazione();
// Stop: StatoRegistrazione := 2, then Logger.tmp is closed.
void FermaRegistrazione();

} // namespace ModOscillo
