#pragma once
// What the four acquisition-wizard steps share: the design size and the
// proportional relayout, captions, drawn buttons, the round status lamp, the
// dictionary section "[Start_InjDirTune]", block values and the progress word.
#include <cstdint>
#include <optional>
#include <string>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"

class QLabel;
class PulsanteGrafico;

namespace InjDirAcqTelaio {

inline constexpr double Larghezza = 15000, Altezza = 6375; // twips (1000 x 425 pixels)

// Places a control at a design rectangle given in pixels.
void Posto(QWidget* w, double x, double y, double l, double a);
QLabel* NuovaEtichettaAcq(QWidget* padre, const char* nome, int32_t colore = 0xFFFFFF, double punti = 9, bool grassetto = false);
PulsanteGrafico* NuovoPulsante(QWidget* padre, const char* nome);
// A round lamp painted from its palette (ModGlobFunct::ImpostaColoreStato).
QWidget* NuovoSemaforo(QWidget* padre, const char* nome);
// Black page with the dark-blue border shape.
ModZebPagina::FormaPagina* Sfondo(QWidget* forma, const char* nomeBordo);

// Position of "[Start_InjDirTune]" among the entries of language 0, or
// `precedente` when the section is missing.
int32_t Sezione(int32_t precedente);
QString Testo(int32_t base, int32_t n);

std::optional<int32_t> Valore(size_t blocco, size_t k);
// Block 16 value 26, 0 when missing.
int32_t StatoWizard();

} // namespace InjDirAcqTelaio
