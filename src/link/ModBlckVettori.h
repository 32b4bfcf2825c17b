#pragma once
// The breakpoint vectors (rpm 128 bytes, injection time 180 bytes, each moved
// in two halves) and the four raw tables of the OBD correction map, each kept
// as the ECU's whole reply frame.
#include <array>
#include <cstdint>
#include <string>

namespace ModBlck {

using VettoreGiri = std::array<uint8_t, 128>;
using VettoreTempi = std::array<uint8_t, 180>;

inline VettoreGiri VettoreRpm{};
inline VettoreTempi VettoreTinj{};

// Whole reply frames: petrol acquisition "[TBenz]", gas acquisition "[TGas]",
// result "[TRisult]", histogram "[TIsto]".
inline std::string DatiGrezzi1B;
inline std::string DatiGrezzi1C;
inline std::string DatiGrezzi20;
inline std::string DatiGrezzi1F;

// `scrivi` -1 writes both vectors, any other value reads them. 0, or 4 for any
// failure (the initial link-mode change included). A read fills the vectors
// only when all four halves came back whole; the saved mode is sent back on
// every path. `rifiutata`, when given, tells a read that failed because the
// ECU refused a half or sent it short (every transaction worked) from one
// whose transaction failed.
int32_t LeggiScriviVettori(VettoreGiri& rpm, VettoreTempi& tinj, int16_t scrivi, bool* rifiutata = nullptr);

// Reads the four tables; the outputs change only when every transaction
// worked. 0 or the failing code; after a failure the link mode stays 2.
// `tieniRifiutate` (the initial download): a table the ECU refuses keeps its
// previous copy and the others are still read and taken.
int32_t LeggiTabelleMappetta(std::string& benzina, std::string& gas, std::string& risultato, std::string& isto,
                             bool tieniRifiutate = false);

// One reset each; on success the matching raw copy becomes empty.
int32_t AzzeraTIsto();
int32_t AzzeraTBenz();
int32_t AzzeraTGas();
int32_t AzzeraTRisult();

} // namespace ModBlck
