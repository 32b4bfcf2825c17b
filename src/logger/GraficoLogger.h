#pragma once
// What the logger chart and its readout compute without a screen: positions
// in twips of the chart picture (x to the right, y downwards), page starts,
// zoom steps and every caption the page writes. FrmLogger only applies them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logger/ModOscillo.h"

namespace GraficoLogger {

// Chart constants in twips.
inline constexpr int32_t ColonnaGriglia = 225;   // live sweep column and zero-line dot spacing
inline constexpr int32_t PassoAsse = 1000;       // one time-axis tick
inline constexpr int32_t AltezzaFreccia = 225;   // LblFreccia height
inline constexpr int32_t ScartoZero = 135;       // zero line below the arrow's top

// Whole number with halves to even, kept within 32 bits.
int32_t Intero(double x);

// x of a sample at time t (ms).
int32_t XPerTempo(int32_t t, int32_t tempoInizio, int32_t zoomTempo, int32_t xInizio);
// Top of a channel's arrow and its zero line, for chart height H.
int32_t TopFreccia(int32_t H, int32_t offsetPercento);
int32_t ZeroCanale(int32_t H, int32_t offsetPercento);
// y of value v of a channel whose zero line is y0.
int32_t YPerValore(int32_t y0, int32_t zoomPercento, int64_t v);

struct InizioPagina {
    int32_t Tempo = 0;   // TempoInizioVista
    int32_t Indice = 0;  // IndiceInizioVista (flat)
};
// One page forwards / backwards from `tempoInizio` (whole seconds).
InizioPagina PaginaSuccessiva(const std::vector<int32_t>& campioni, int32_t tempoInizio, int32_t xFine, int32_t zoom);
InizioPagina PaginaPrecedente(const std::vector<int32_t>& campioni, int32_t tempoInizio, int32_t xFine, int32_t zoom);

// Time zoom steps: in 100 -> 50 -> 20 -> 10, out 10 -> 20 -> 50 -> 100.
int32_t ZoomTempoIn(int32_t zoom);
int32_t ZoomTempoOut(int32_t zoom);
// Vertical zoom step of a channel showing variable `idVariabile`.
int32_t ZoomCanale(int32_t idVariabile, int32_t zoom, bool ingrandisci);

// Time-axis captions: the origin ("12s") and the tick at x = f ("+1s").
std::string EtichettaOrigine(int32_t tempoInizio, int32_t tempoPrimo);
std::string EtichettaTick(int32_t f, int32_t xInizio, int32_t zoomTempo, const std::string& separatore);
// Scroll position as hours'minutes ("1'05").
std::string TestoScroll(int32_t ms);

// Readout: a channel's two lines, the cursor time, the OBD summary.
std::string DidascaliaCanale(const CanaleOscilloscopio& canale, int32_t valore, const std::string& separatore);
std::string DidascaliaTempo(int32_t ms);
struct DatiObd {
    bool Presenti = false;
    int32_t S1 = 0, S2 = 0;
    int32_t N1 = 0, N2 = 0, N3 = 0, N4 = 0;
    std::optional<double> Quinta;  // live mode: the fifth line's value
};
// `voci`: entries 15 to 18 of the page's section.
std::string RiepilogoObd(const DatiObd& d, const std::string (&voci)[4], const std::string& separatore);
// Fifth line value of the live readout: (v50 x 256 + v51) x 0.0000305.
double QuintaRigaLive(int32_t v50, int32_t v51);

// Page mode: index i of the first XPunti above x; none when there is none or it is 0.
std::optional<size_t> PuntoPagina(const std::vector<int32_t>& xPunti, double x);
// Live mode: the first of elements 0..n-2 above x, else the last element.
std::optional<size_t> PuntoLive(const std::vector<int32_t>& xPunti, double x);

// Export of numbers in the readout: shortest decimal form.
std::string Numero(double v, const std::string& separatore);

} // namespace GraficoLogger
