#pragma once
// Plain and encoded text files: the readers every settings file goes through.
#include <optional>
#include <string>
#include <vector>

namespace ModBlck {

// The marker that the first stored line of an encoded file decodes to.
inline constexpr const char* MarcatoreCodificato = "GORVANTEX";

// Lines of a byte text split at every CR LF pair (a lone CR or LF stays in its
// line); an empty text has no lines.
std::vector<std::string> DividiRighe(const std::string& byte);
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
