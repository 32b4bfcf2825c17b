#pragma once
// The small data files read at start and on demand: the ConfigScale.ini lines
// and its two smoothing constants, the map coefficient files (.coe), the list
// of built-in configuration files (.xsi), single values and lines of
// sectioned files, and the map page kept in a configuration file.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "core/ModRetta.h"
#include "core/PaginaMappa.h"

// One .coe file: each map cell becomes (cell x m + q) / div_fact.
struct CoefficientiMappa {
    std::string note;
    int32_t id = 0;
    int32_t div_fact = 0;
    std::array<std::array<int32_t, 24>, 23> m_mappa{}; // [row][column]
    std::array<std::array<int32_t, 24>, 23> q_mappa{};
    std::array<int32_t, 9> m_retta{};
    std::array<int32_t, 9> q_retta{};
};

// One built-in configuration file of the lng folder.
struct ConfigurazionePredefinita {
    // Block 15 value 47 of the file's "[BLK_6]" line; nothing when the file has
    // no readable one, so that it matches no ECU.
    std::optional<int32_t> Identificativo;
    std::string Percorso;
    std::string Nome; // file name without ".xsi"
};

namespace ModMain {

inline std::vector<std::string> RigheConfigScale;
// Smoothing weights 1..10 of the live lambda and pressure values (10 = none).
inline int32_t CostanteLambda = 10;
inline int32_t CostantePressione = 10;
// Scratch copy of block 1's record for the live-data decoder.
inline BloccoParametri BloccoAppoggio;
inline std::vector<CoefficientiMappa> CoefficientiTaratura;
inline std::vector<ConfigurazionePredefinita> ConfigurazioniPredefinite;

// The lines of a settings file (plain or encoded); untouched when the file is
// missing or cannot be read.
void CaricaFileImpostazioni(const std::string& percorso, std::vector<std::string>& righe);
// "[K_Lambda]" and "[K_Pressure]", clamped to 1..10; then BloccoAppoggio.
void CaricaCostantiSensori(const std::vector<std::string>& righe);
// The QDL table and keys may stand in ConfigScale.ini; nothing uses them.
void CaricaTabellaQdl(const std::vector<std::string>& righe);

// Every .coe file of the folder in name order; True when one was accepted.
// Without one the records hold a single empty record.
bool CaricaFileCoefficienti(const std::string& cartella, std::vector<CoefficientiMappa>& record);
// True (and the record filled) when each of the seven sections stands once
// and every value reads; otherwise the record is left as it was.
bool LeggiFileCoefficienti(const std::string& percorso, CoefficientiMappa& record);

// Every <base>/lng/*.xsi in name order with its identifier; True when one was listed.
bool ElencaConfigurazioniPredefinite(std::vector<ConfigurazionePredefinita>& record);
// Value `indice` of block `blocco` decoded from the line after the first line
// equal to `sezione`, with a copy of the block's record. False and 0 when the
// file, the section or its line is missing or the value cannot be read from it.
bool LeggiBloccoDaFile(int32_t blocco, const std::string& percorso, const std::string& sezione,
                       int32_t indice, int32_t& valore);
// Lines of a configuration file that belong to its note: from the line after
// "[NOTE]" up to the next "[FW]" (without a later "[FW]", the one line after
// "[NOTE]"). Section readers skip them, so a note line never stands for a section.
std::vector<bool> RigheNota(const std::vector<std::string>& righe);
// The line after the first line equal to `sezione` outside the note; False and "" when there is none.
bool LeggiRigheFile(const std::string& percorso, const std::string& sezione, std::string& riga);
// Map page from the "[MAP_0]".."[MAP_4]" sections (chunk c at image byte
// 110 x c, a missing chunk left as zeros), then its correction curve.
// A missing file changes nothing.
void CaricaMappeDaFile(const std::string& percorso, PaginaMappa& pagina, CurvaRetta& curva);

// True when the program's own folder holds a firmware image (*.frh).
bool ElencaFileFirmware();
// Pads the text with `riempimento` in front (allineaDestra) or behind up to
// `lunghezza`; an empty pad leaves the text as it is.
std::string CompletaStringa(const std::string& testo, int32_t lunghezza, const std::string& riempimento,
                            bool allineaDestra);

} // namespace ModMain
