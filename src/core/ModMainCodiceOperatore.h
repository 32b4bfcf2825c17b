#pragma once
// The operator access-code table and the screen that asks for a code before
// the second display level opens.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ModCustom {

// The encoded table as the program carries it: 2,049 texts that, joined,
// hold the marker and the 65,535 values, each encoded, separated by "|".
inline constexpr int32_t NumeroStringheCodici = 2049;
inline std::vector<std::string> StringheCodiciOperatore;

// Reads the texts from <base>/bin/CodiciOp.dat (one per line); a missing
// file leaves them empty.
void CaricaTabellaCustom();

} // namespace ModCustom

namespace ModMain {

// 65,535 entries; an entry not built is empty. The answer to challenge c is entry c.
inline constexpr int32_t NumeroCodiciOperatore = 65535;
inline std::vector<std::optional<int32_t>> TabellaCodiciOperatore;

// Builds TabellaCodiciOperatore from the encoded texts. When the first piece
// is not the marker every entry stays empty; so does an entry whose piece is
// missing or not a whole number.
void CaricaDatiCustom();
// Shows the access-code screen with a new challenge and returns when it has closed.
void ApriCodiceOperatore();

} // namespace ModMain
