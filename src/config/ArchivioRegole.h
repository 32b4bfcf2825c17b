#pragma once
// What the archive page and the fuel-type dialog decide without a screen:
// archive file names and their fields, the key filter, the makers list, the
// note previews, the mode buttons and the folder listings.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ArchivioRegole {

// Trim(maker & "_" & model & "_" & cylinders & "_" & id) & "." & estensione:
// only the joined text is trimmed, blanks inside and at the inner ends of
// the fields stay.
std::string NomeArchivio(const std::string& costruttore, const std::string& modello, const std::string& cilindri,
                         const std::string& id, const std::string& estensione);
// A name read back: with `togliEstensione` a name longer than 4 characters
// loses its last 4 (the dot and the extension); the rest is split at every
// "_" into maker, model, cylinders and id (missing fields empty, fields past
// the fourth dropped).
std::array<std::string, 4> CampiNome(const std::string& nome, bool togliEstensione);

// The key filter of the name fields: Backspace, blank, digits, letters A-Z
// and a-z and the grave accent pass; everything else (so "_", ".", "/")
// is refused.
bool CarattereConsentito(int32_t codice);
// Code 27 (Esc, which the box does not insert) for a refused character.
int32_t FiltraCarattere(int32_t codice);

// The file of `percorso` lies directly in `cartella` (both taken with "."
// and ".." resolved and links followed as far as they exist).
bool FileNellaCartella(const std::string& cartella, const std::string& percorso);

// The makers file's bytes split at CR LF, every piece upper-cased, empty
// pieces included (a final CR LF gives an empty last entry); an empty file
// gives none.
std::vector<std::string> DividiCostruttori(const std::string& contenuto);

// The note of an archive file for the preview: the line after the first line
// equal to "[NOTE]", then each following line after a CR LF up to a line
// beginning with "[" or the end of the file; empty without "[NOTE]".
std::string NotaArchivio(const std::vector<std::string>& righe);
// The note of a factory file for the preview: only the one line after "[NOTE]".
std::string NotaPredefinita(const std::vector<std::string>& righe);

// The three mode buttons: save, open, restore all (true = down).
struct StatoModalita {
    bool Salva = false, Apri = false, Ripristina = false;
    bool operator==(const StatoModalita&) const = default;
};
// The buttons after mode number n: 0 save up; 1 save down, others up; 2 open
// up; 3 open down, others up; 4 restore up; 5 restore down, others up; any
// other n acts as 1. Buttons the number does not name keep their state.
StatoModalita ApplicaModalita(int32_t n, StatoModalita attuale);
// The vehicle and archive frames are shown while save or open is down.
inline bool FrameArchivioVisibili(const StatoModalita& s) { return s.Salva || s.Apri; }
// The decorative shapes while any mode is down.
inline bool FormeVisibili(const StatoModalita& s) { return s.Salva || s.Apri || s.Ripristina; }

// Regular files of `cartella` whose names begin with `prefisso` and end with
// "." & `estensione`, both without regard to letter case (the folder match of
// prefisso & "*." & estensione), in name order without regard to case.
std::vector<std::string> ElencaFile(const std::string& cartella, const std::string& prefisso,
                                    const std::string& estensione);
// The same names without their last 4 characters (the factory list).
std::vector<std::string> NomiSenzaEstensione(const std::vector<std::string>& nomi);

// The line of a list of `voci` entries to select at the index of the
// switchover page's system-configuration list: that index when it is one of
// the list's, otherwise -1 (no selection).
int32_t IndiceInElenco(int32_t indice, int32_t voci);

} // namespace ArchivioRegole
