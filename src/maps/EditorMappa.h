#pragma once
// What the full map editor and the coarse view share on screen: the dialog
// limits, control Tags, the option lists from ConfigScale, the map selectors'
// texts, the keep-in-step and staging of the option combos and the parts of
// the refresh tick they share.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "maps/FrmEnterValue.h"

class GrigliaDati;
class QComboBox;
class QWidget;

namespace EditorMappa {

// Add -100..100, percent -50..50, set 0..255.
LimitiValore LimitiMappa();

bool TagUno(const QWidget* w);
void ImpostaTag(QWidget* w, bool uno);

// "[SECONDAINJ]": the next line fills every percentage combo; "[MOLTIPLICATORE]":
// the next line gives the multipliers and the line after it the combo's items.
// A section found twice is applied twice.
void RiempiCmbSwtch(const std::vector<std::string>& righe, const std::vector<QComboBox*>& percentuali,
                    QComboBox* moltiplicatore, std::vector<int32_t>& valoriMoltiplicatore);

// The selector items: maps 0, 1, 2 on the first, maps 0 and 1 on the second
// (entries k + 14.. of the "[Frm_Matrix]" section); no click is raised.
void RiempiSelettori(QComboBox* tutte, QComboBox* dueMappe, int16_t k);

// Keep-in-step of a combo with an ECU value: when the value differs from the
// last one brought in, the combo selects `indice` (-1 for none) with `muto` set.
void AllineaCombo(QComboBox* combo, int32_t& ultimo, int32_t valore, int32_t indice, int16_t& muto);
// Items of a combo as 8-bit texts.
std::vector<std::string> VociCombo(const QComboBox* combo);

// One pending option combo on a refresh tick: with its Tag "1" and the slot
// free, `stage` gets the chosen value (nothing valid: nothing staged, the mark
// cleared) and the request is posted; otherwise the combo is kept in step.
void GestisciComboOpzione(QComboBox* combo, int32_t& ultimo, int32_t valoreEcu, int32_t indiceEcu,
                          const std::function<std::optional<int32_t>()>& scelto,
                          const std::function<void(int32_t)>& prepara, int32_t richiesta, int16_t& muto);

// Block value, 0 when the block or the value is missing.
int32_t ValoreBlocco(size_t blocco, size_t k);

// The refresh tick's part both editors share. The view switch of map
// `mappa`: with its Tag "1" and the slot free, the threshold byte 15 with the
// view `scelta` is staged and the map's editor selection posted; otherwise
// the switch follows the ECU through `imposta` with `muto` set.
void GestisciVista(QWidget* interruttore, int32_t mappa, bool scelta, const std::function<void(bool)>& imposta,
                   int16_t& muto);
// The multiplier combo (block 15, value 88) and a second-bank percentage combo
// (block 16, value `k`) on a refresh tick, as GestisciComboOpzione.
void GestisciMoltiplicatore(QComboBox* combo, int32_t& ultimo, const std::vector<int32_t>& valori, int16_t& muto);
void GestisciPercentuale(QComboBox* combo, int32_t& ultimo, size_t k, int16_t& muto);

// Shows or hides, and moves, only on a change (no needless relayout on every tick).
void ImpostaVisibile(QWidget* w, bool visibile);
void ImpostaPosizione(QWidget* w, int x, int y);

// The grid selection's text to the clipboard (Ctrl+C).
void CopiaSelezione(const GrigliaDati* griglia);

} // namespace EditorMappa
