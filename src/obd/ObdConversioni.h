#pragma once
// What the OBD page shows and stages, computed without a screen: the
// selectors from the blocks, the OBD-mode writes, the live texts, the
// correction bar geometry and the option lists.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ModEvoObd.h"
#include "link/ModBlckModifiche.h"

namespace ObdConversioni {

// Item of the OBD-mode list for block 2 value 2 and block 3 value 49; -1 = none.
int32_t IndiceAbilObd(int32_t opzioniB2, int32_t b3v49);

// The writes of the OBD-mode choice (`scelto`: the list was changed, with item
// `indice`; otherwise OBD is switched off).
struct ScrittureAbilitazione {
    ListaModifiche Blocco3, Blocco2, Blocco14;
};
ScrittureAbilitazione ApplicaAbilitazioneObd(bool scelto, int32_t indice, int32_t b3v50, int32_t b3v48,
                                             std::optional<int32_t> oreAdattamento);

// Second bank: check box state and whether the bank-2 controls are shown.
struct StatoBanco2 {
    bool Visibile = false;
    bool Spuntato = false;
};
StatoBanco2 Banco2(int32_t b12v84, int32_t b12v21);
// Staging of the second-bank check box.
ListaModifiche ScritturaBanco2(bool spuntato, int32_t b12v84);

// The protocol list from the "[init obd]" line: name and code pairs; an odd
// last name without code is dropped.
std::vector<ModEvoObd::VoceProtocolloObd> ProtocolliDaRiga(const std::string& riga);
// Index of the first entry with the code; -1 when none has it.
int32_t IndiceProtocollo(const std::vector<ModEvoObd::VoceProtocolloObd>& lista, int32_t codice);

// Trim percentage of a raw byte: r / 128 x 100 - 100, one decimal, halves to even.
std::string TestoTrim(int32_t grezzo, char separatore);
// The three-line link summary: "NUM ECU: n", "INIT: name", "ADR: aabbccdd".
std::string TestoRiepilogo(int32_t numero, int32_t protocollo, const int32_t indirizzo[4]);
// Offset after "[Frm_MapObd]" of the fuel-system status text (2 to 7), or
// nothing for " - - " (PID 03 not in use).
std::optional<int32_t> OffsetStatoCarburante(int32_t b12v18, int32_t stato);
// A byte read as signed.
int32_t ByteConSegno(int32_t v);

// The correction bar: the window item 0 stands for C - A .. C + A.
struct Barra {
    double Scala = 0;     // pixels per correction unit
    int32_t AltoBanda = 0;
    int32_t AltezzaBanda = 0;
};
// Nothing when A is not above 0 (the bar keeps its place).
std::optional<Barra> CalcolaBarra(int32_t altoFinestra, int32_t altezzaFinestra, int32_t a, int32_t b);
// Top of the average marker: the centre of the window stands for C, so the
// average m sits S x (m - C) above it; kept inside the window.
int32_t AltoMarcatore(int32_t altoFinestra, int32_t altezzaFinestra, double scala, int32_t media, int32_t centro,
                      int32_t altezzaMarcatore);

// Settings lists.
// Index of the first value >= v; -1 when none.
int32_t PrimoMaggioreUguale(const std::vector<double>& valori, double v);
int32_t ByteTarget(double voce);                 // -5 -> 251
int32_t MsRitardo(double secondi);               // 1.5 -> 1500, fraction cut
int32_t PidRailDaIndice(int32_t indice);         // 0, 0x0A, 0x22, 0x23, 0x59; -1 outside
std::optional<int32_t> IndicePidRail(int32_t pid);
// The list line after a section marker, or nothing when the marker is the
// last line (`dopo` = 2: the second line after it).
std::optional<std::string> RigaDopo(const std::vector<std::string>& righe, size_t indice, size_t dopo = 1);
// Non-zero table cells (bytes 6-125 of the petrol acquisition reply); the
// threshold info buttons are offered above 9.
int32_t CelleAcquisite(const std::string& risposta);

// The OBD correction map's column (0-7) for the engine point: from the map
// cursor (block 1 value 50 on the working rpm axis, x 64 rpm) when the flags
// of value 37 hold 0x01 and 0x08 and the speed is 0, else from the speed.
// A cursor outside the axis is clamped to it.
int32_t IndiceRpmMappaObd(int32_t b1v37, int32_t b1v32, int32_t b1v50, const uint8_t asse[24]);
// The load row (0-14): (block 1 value 48 div the load step) - 1.
int32_t IndiceCaricoMappaObd(int32_t b1v48, int32_t unitaRpm);

// The petrol acquisition table's suggestions: over the non-zero signed cells
// (bytes 6-125 of the reply) the largest M, the smallest m and their count.
struct Acquisite {
    int32_t Massimo = -127, Minimo = 127, Numero = 0;
};
Acquisite StatisticaAcquisite(const std::string& risposta);
int32_t SuggerimentoMinDiff(const Acquisite& a); // (M - m) / 2 + 1, halves to even
int32_t SuggerimentoTarget(const Acquisite& a);  // m + (M - m) / 2, halves to even
// The live threshold suggestion: item k of the list with its unit, or " --- %".
std::string TestoSoglia(const std::vector<std::string>& voci, int32_t k, const std::string& unita);

} // namespace ObdConversioni
