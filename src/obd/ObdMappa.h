#pragma once
// The OBD correction map window without a screen: the table texts from the
// result-table reply, the threshold bars, the per-row values, the clipboard
// text and the check of a map file's "[TRisult]" line.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ObdMappa {

constexpr int32_t Righe = 15, Colonne = 8;

// The 120 cell texts (row by row, eight per load row) of a CMD_READ_TRISULT
// reply: bytes 6-125 as signed decimals; missing bytes read 0.
std::vector<std::string> TestiTabella(const std::string& risposta);

// Bar colour (&HBBGGRR): red when both thresholds are set, else dark red.
int32_t ColoreBarre(uint8_t sogliaRighe, uint8_t sogliaColonne);

// The fifteen per-row values typed in the boxes; nothing when a text is not a
// whole number that fits 32 bits (the send is refused).
std::optional<std::vector<int32_t>> ValoriJumper(const std::vector<std::string>& testi);

// Clipboard text of the table: a tab and the rpm headers, then one line per
// load row (header, tab, cells); every line ends CR LF except the last, whose
// last cell is followed by a tab.
std::string TestoAppunti(const std::vector<std::string>& intestazioniColonne,
                         const std::vector<std::string>& intestazioniRighe, const std::vector<std::string>& celle);

// The line after "[TRisult]" of a map file: a complete CMD_READ_TRISULT reply
// in hex (127 bytes: 42 01 7D 20 00, one byte, 120 table bytes, the XOR).
// Nothing when the file has no such section or an empty line after it; false
// when the line is malformed.
struct RigaTRisult {
    bool Trovata = false;
    bool Valida = false;
};
RigaTRisult VerificaFileMappa(const std::vector<std::string>& righe);

// Load step of the gas maps for block 3 value 49: 64 with bit 0x02, else 128.
int32_t PassoCarico(int32_t b3v49);
// Keeps ModMain::UnitaRpmBlocco3 in line with block 3 (written only on a change).
void AggiornaPassoCarico();

} // namespace ObdMappa
