#pragma once
// The configuration's name and note, kept by the ECU in block 18 (values 0-39
// the name, 40-119 the note, one character code per value) and mirrored in
// NomeConfigurazione and NotaConfigurazione.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ModBlck {

inline constexpr size_t LunghezzaNome = 40;
inline constexpr size_t LunghezzaNota = 80;
// Command byte of block 18's reply as rebuilt offline.
inline constexpr uint8_t ComandoRispostaBlocco18 = 0x51;

// Text of values da..a of `valori`: a value listed in `ammessi` is that
// character, any other `predefinito`; trimmed. Nothing when a value is missing
// or a listed value is no character code (outside 0..255).
std::optional<std::string> TestoDaValori(const std::vector<int32_t>& valori, size_t da, size_t a,
                                         const std::vector<int32_t>& ammessi, int32_t predefinito);
// The stored forms: trimmed, cut or blank-padded to 40 / 80; the name also
// loses a trailing ".qdl" (any case) after the trim.
std::string FormaNome(const std::string& nome);
std::string FormaNota(const std::string& nota);

// Name and note from block 18 (CaratteriEcu for the name, CaratteriAscii for
// the note, CarattereDefault otherwise); both empty when block 18 cannot be read.
void LeggiNomeConfigurazione(std::string& nome, std::string& nota);
// Puts the name and note into block 18: NomeConfigurazione := the stored name.
// Connected: ModificheBlocco18 := the 120 codes, block 18 unchanged. Offline:
// block 18's values and its rebuilt reply (42 01 7C 51 00, data, XOR), and
// `nota` := the stored note.
void ImpostaNomeConfigurazione(const std::string& nome, std::string& nota);

} // namespace ModBlck
