#pragma once
// The axis editor's arithmetic, without a screen: the point grid (25 rows by
// 2 columns: column 0 injection time in ms, rows 1..23; column 1 rpm, rows
// 1..24; row 0 the titles) against the working axes, the normalising of a
// typed value, the preset lists and their matching, the flatten step, the
// autoscale and the spacing check.
#include <array>
#include <optional>
#include <cstdint>
#include <string>
#include <vector>

#include "maps/MappeOperazioni.h"

namespace AssiModifica {

inline constexpr std::array<uint8_t, 12> PuntiRpm = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 23};
inline constexpr std::array<uint8_t, 12> PuntiTinj = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22};
inline constexpr int32_t ColonnaTinj = 0;
inline constexpr int32_t ColonnaRpm = 1;

// A typed value: a comma or a full stop as decimal point; nothing when not a number.
std::optional<double> LeggiNumero(const std::string& testo);

// Normalises the value of a cell: rpm to a multiple of 64 within 0..8000,
// injection time to a multiple of 0.128 ms within 0..22.784 ms. An empty text
// becomes "0" (in the caller's text too). A text that is not a number gives 0.
float ControllaValore(std::string& testo, int32_t colonna);
// The normalised value as the cell's text (locale decimal separator).
std::string TestoValore(float valore, int32_t colonna);

// Preset list items and the value each stands for (rpm; microseconds).
std::vector<std::string> VociRpm();
std::vector<std::string> VociTinj();
int32_t ValoreVoceRpm(int32_t indice);   // Round(e / 64) x 64
int32_t ValoreVoceTinj(int32_t indice);  // Round(e x 1000 / 128) x 128 us
// The entry that matches an axis byte, -1 for none.
int32_t TrovaValoreRPM(uint8_t valore);
int32_t TrovaValoreTNJ(uint8_t valore);
// A choice in list k is refused without a selection, or out of order with a neighbour.
bool SceltaValida(const std::array<int32_t, 12>& posizioni, int32_t k);

// Grid from the axes and back.
void InizializzaDati(TestiGriglia& g, const std::array<uint8_t, 24>& asseRpm, const std::array<uint8_t, 23>& asseTinj);
void CaricaGrigliaInAssi(const TestiGriglia& g, std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj);
// The in-between points from the preset points (reads the axes, writes the
// grid, then the grid into the axes).
void SpianaAssi(TestiGriglia& g, std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj);
// The inner rows 2..count-1 of a column evenly between row 1 and row count.
void AdattaScala(TestiGriglia& g, int32_t conta, int32_t colonna);
// One line per pair closer than one step or falling ("title: a/b").
std::vector<std::string> ControllaAssi(const TestiGriglia& g);

} // namespace AssiModifica
