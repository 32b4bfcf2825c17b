#pragma once
// The ECU's breakpoint index vectors and the working axes of the map pages,
// converted into each other. Index vector entry i covers step i (64 rpm or
// 0.128 ms) and holds the map column (row) of that step; axis point k is the
// first step of column (row) k.
#include <array>
#include <cstdint>

namespace ModBlck {

using AsseGiri = std::array<uint8_t, 24>;
using AsseTempi = std::array<uint8_t, 23>;

// 0 when converted, else the refusal: 1 rpm vector, 2 injection-time vector,
// 3 rpm axis, 4 injection-time axis. A refusal changes no output.
int32_t ConvertiVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                            AsseGiri& asseRpm, AsseTempi& asseTinj, bool daVettori);

// Dictionary entry of a refusal state (66..69; 70 for any other).
int16_t VoceRifiutoAssi(int32_t stato);

// The conversion with the refusal shown as a critical box titled with the
// main window's caption; True when converted.
bool CalcolaVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                        AsseGiri& asseRpm, AsseTempi& asseTinj, bool daVettori);

} // namespace ModBlck
