#pragma once
// The petrol-pressure compensation curve from the points of wizard step 3:
// a 15-point pressure axis (multiples of 0.5 bar) over the acquired range
// widened by a margin, the sensor volts at each axis point on the straight
// segments between the acquired points, and a correction growing with the
// square root of the volts relative to the first acquired point. The results
// go to ModMain::RisultatoAcqX / RisultatoAcqY / UltimoIndiceAcq, which the
// compensation page writes into table 3.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ModInjDirCalc {

// "[CalcPressAuto]": margins in bar, last axis index, scale and root coefficient.
struct ImpostazioniCompensazione {
    int32_t MargineInferiore = 5;
    int32_t MargineSuperiore = 5;
    int32_t UltimoIndiceAcq = 14;
    int32_t ScalaPercentuale = 100;
    double CoefficienteRadice = 1.0;
};
// Defaults, then every "[CalcPressAuto]" section in file order; false when a
// value line does not convert or lies past the end (that setting keeps its value).
bool LeggiImpostazioni(const std::vector<std::string>& righe, ImpostazioniCompensazione& imp);

// One grid row with a pressure: its bar and volts read as numbers (nullopt
// for a text that is no number).
struct PuntoAcquisito {
    std::optional<double> bar, volt;
};

struct RisultatoCompensazione {
    bool riuscito = false;
    int32_t voce = 0;           // on failure: 34 fewer than two points, 33 anything else
    std::vector<double> asse;   // bar
    std::vector<double> X;      // volts, 2 decimals
    std::vector<int32_t> Y;     // percent
};

// Table 3 holds volts 0..5 (1/51 V in a byte) and corrections -128..127.
inline constexpr double TensioneMassimaTabella = 5.0;
inline constexpr int32_t CorrezioneMinimaTabella = -128, CorrezioneMassimaTabella = 127;

// The calculation on the rows in grid order. Besides the cases the curve
// cannot be computed in (fewer than two points, a text that is no number, no
// axis interval), it fails when the first point's volts are not above 0 (the
// factors would explode), when an axis point other than their own pressure
// falls on the segment of two consecutive points that share a pressure with
// different volts (a slope of their volts per millionth of a bar gives it
// extreme volts; with the same volts the segment is flat) or when a result
// leaves the table's range.
RisultatoCompensazione Calcola(const std::vector<PuntoAcquisito>& punti, const ImpostazioniCompensazione& imp);

// Step 3's entry: reads the grid rows of the step form, computes, and on
// success stores the results for the compensation page. Returns false with
// `testo` = the dictionary text that explains the failure.
bool CalcolaCompensazionePressBenz(std::string& testo);

} // namespace ModInjDirCalc
