#pragma once
// Plain and encoded text files: the readers every settings file goes through,
// with a bound on the size they take, and the writer that replaces a file
// through a temporary one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ModBlck {

// The marker that the first stored line of an encoded file decodes to.
inline constexpr const char* MarcatoreCodificato = "GORVANTEX";

// Largest settings or data file the readers take: hundreds of times the
// largest one the program ships or writes (a dictionary or a firmware image in
// the encoded form stays under 1 MiB), and small enough that what is built
// from it (a block table, a dictionary, combo lists) stays a few hundred MiB.
inline constexpr int64_t DimensioneMassimaFile = int64_t(16) << 20;

// The whole file; nothing when it is missing, a folder, cannot be read or
// holds more than `massimo` bytes. With `avvisa` a file over the bound is
// reported in a box that names it.
std::optional<std::string> LeggiFileIntero(const std::string& percorso, int64_t massimo = DimensioneMassimaFile,
                                           bool avvisa = true);

// Replaces the file at `percorso` with `testo` through a temporary file beside
// it (".<name>.tmp"), renamed over it once written whole; false, with the
// file as it was and no temporary left, when anything fails or `percorso` is a
// folder. Our temporaries left beside files of the same extension by a save
// that was cut short are removed first.
bool ScriviFileSicuro(const std::string& percorso, std::string_view testo);
// Removes from `cartella` the temporaries our saves leave when they are cut
// short (".<name>.tmp", and "<name>.tmp~" of earlier versions), only those of
// names ending in `estensione` when it is given.
void RimuoviTemporanei(const std::string& cartella, const std::string& estensione = {});

// Lines of a byte text split at every CR LF pair (a lone CR or LF stays in its
// line); an empty text has no lines.
std::vector<std::string> DividiRighe(const std::string& byte);
// The line of `testo` that starts at `inizio`, up to LF with a CR before it
// dropped; `inizio` moves past it. Walks a text line by line without keeping
// the lines.
std::string_view ProssimaRiga(std::string_view testo, size_t& inizio);
// One stored line decoded, or nothing when a group is not a number. With
// `verifica` every group must be 0..511; without it a group only has to give
// a character code 0..255 (n / 2, truncated), as the decoding reader needs.
std::optional<std::string> DecodificaRiga(const std::string& riga, bool verifica);

// True when the file's first line decodes to the marker; False for a missing
// or empty file.
bool VerificaFileCodificato(const std::string& percorso);
// Nothing when the file is missing, its marker is wrong ("HEADER WRONG " box) or
// a later line cannot be decoded.
std::optional<std::vector<std::string>> LeggiFileCodificato(const std::string& percorso);
std::optional<std::vector<std::string>> LeggiFileTesto(const std::string& percorso);
// The usual pattern: encoded reader when the check says so, plain otherwise.
std::optional<std::vector<std::string>> LeggiFileImpostazioni(const std::string& percorso);

} // namespace ModBlck
