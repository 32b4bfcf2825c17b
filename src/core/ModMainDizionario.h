#pragma once
// The program's one dictionary, created at start-up, and the two helpers that
// read and show an entry of the current language.
#include <cstdint>
#include <string>

#include <QtCore/QString>

#include "core/ClsLingue.h"

namespace ModMain {

// Created once at start-up and kept until exit; nullptr before that.
inline ClsLingue* Dizionario = nullptr;

// Entry n of the current language; empty when there is no dictionary.
std::string TestoVoce(int16_t n);
// Charset of the current language (1 when there is no dictionary).
int16_t CharsetCorrente();
// Entry n of the current language, then a new line and `dettagli` (file
// names, numbers: the same in every language); `dettagli` alone when there is
// no such entry (no dictionary, or its own file is the one reported).
QString VoceEDettagli(int16_t n, const QString& dettagli);
// Shows entry n of the current language in a box with an OK button only,
// under the program's default title. The text is looked up now, so a language
// change takes effect at once.
void MostraVoce(int16_t n);

// Entry that says a file was too large to read; the file and its bound follow it.
inline constexpr int16_t VoceFileTroppoGrande = 827;
// Entry that says a row of the flash table lies outside the flash; the file and the row follow it.
inline constexpr int16_t VoceSettoreFuoriFlash = 828;
// Entry that says a language choice could not be saved (read-only base folder).
inline constexpr int16_t VoceLinguaNonSalvata = 65;
// After a language choice: when the dictionary could not save it, says so
// once per session (the choice still holds until the program ends).
void AvvisaSeLinguaNonSalvata();
inline bool AvvisoLinguaMostrato = false;

} // namespace ModMain
