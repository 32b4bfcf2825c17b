#pragma once
// The configuration file: sections in a fixed order, each a line holding the
// section name, then one value line (the note may run over several lines).
// Every value but "[INFO]" and the note is an ECU reply frame in upper-case
// hex (42 01 L command 00 data XOR). Lines end with CR LF.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace FileConfigurazione {

inline const std::string SezioneInfo = "[INFO]";
inline const std::string SezioneNota = "[NOTE]";
inline const std::string SezioneFw = "[FW]";

// Frame sections in file order: 47 with the adaptive and third-map
// sections (`estesa`), 37 without; "[INFO]" and "[NOTE]" come first.
std::vector<std::string> Sezioni(bool estesa);
// Section names of the five chunks of map page p (0 main, 1 adaptive, 2 third).
std::vector<std::string> SezioniMappa(int p);
// Cells of chunk c of a map page: 110 for chunks 0-3, 112 for chunk 4, from cell 110 x c.
inline size_t CellePezzo(size_t c) { return c < 4 ? 110 : 112; }

// Reply frame 42 01 L command 00 data XOR; L as given (the rebuilt frames of
// a save carry fixed length bytes).
std::string Trama(uint8_t lunghezza, uint8_t comando, const std::string& dati);
// The data bytes of a frame: without its first five bytes and its last one;
// nothing when the frame is shorter than six bytes.
std::optional<std::string> DatiTrama(const std::string& trama);

// Whole reply frames by section name, as bytes.
using Trame = std::map<std::string, std::string>;
// The file text: "[INFO]", the info line, "[NOTE]", the note, then every
// frame section of Sezioni(estesa) with its frame in hex (an empty line for a
// frame missing from `trame`).
std::string ComponiFile(const std::string& info, const std::string& nota, const Trame& trame, bool estesa);

// The lines of a file's text: CR LF, a lone CR or a lone LF ends a line; a
// last line without its end counts.
std::vector<std::string> Righe(const std::string& testo);
// Whole-file reading: for each line equal to one of `nomi` (exactly, case
// included) the next line is its value, and a later occurrence wins. Note
// lines are skipped, so a note can never stand for a section. A section
// line with no line after it gives nothing. (ModMain::RigheNota.)
std::map<std::string, std::string> LeggiSezioni(const std::vector<std::string>& righe,
                                                const std::vector<std::string>& nomi);
// The hex value of a section as bytes; nothing when it is not hex (an odd
// number of digits included) or shorter than a frame header and check byte (12 digits).
std::optional<std::string> TramaDaHex(const std::string& valore);

// The block whose reply a section holds ("[COLL]" block 5, "[BLK_6]" block
// 15, "[BLK_DINST]" block 18 ...); nothing for the map, vector, table,
// threshold and text sections.
std::optional<size_t> BloccoSezione(const std::string& sezione);
// The reply a frame section must be before it goes back to the ECU: the
// command byte and the number of data bytes of the ECU's reply to its read
// (a block's from its request frame and layout in TabellaBlocchi). Nothing
// for "[FW]", the live block and the OBD-map tables, which no load sends
// back, or for a block the table lacks.
struct RispostaSezione {
    uint8_t comando = 0;
    size_t dati = 0;
};
std::optional<RispostaSezione> RispostaAttesa(const std::string& sezione);
// The text was cut inside a section: its last line is a section line (no
// value follows), or it stops, without a line end, inside a section line or
// inside a frame (hex digits that make no whole reply frame). A text cut
// between two whole sections is a shorter file, not a cut one.
bool TestoTroncato(const std::string& testo);

// The bytes of a file; nothing when it cannot be read.
std::optional<std::string> LeggiFile(const std::string& percorso);
// Writes the text through a temporary file in the same folder renamed over
// the target: on any failure the target is left as it was and false returned.
bool ScriviFileSicuro(const std::string& percorso, const std::string& contenuto);

// The "[INFO]" line: entry 0 of language 0, the program version, " ",
// ", file created " and the date and time.
std::string RigaInfo();

// The file form of a block-3 reply: in a frame longer than 27 bytes, byte 26
// (first cylinder) becomes 1 and each of bytes 19-25 that is not 0 becomes 1;
// the XOR byte is kept as sent.
std::string NormalizzaBlocco3(std::string trama);

} // namespace FileConfigurazione
