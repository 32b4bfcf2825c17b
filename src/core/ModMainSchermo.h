#pragma once
// What every form calls: the display levels by control tag, the font and the
// charset of the current language, and keeping a window above the others.
//
// A control is any descendant QWidget of the form with an objectName (Qt's own
// inner widgets, named "qt_..." or unnamed, are not controls). Its level tag
// is the dynamic property "Tag" (a QString: "EXP", "SUP", "AUT", "INV" or
// anything else). A member of a control array carries the dynamic property
// "Indice" (int) and is named array name + index ("BUT_Lang3"); set both with
// ImpostaMembro. The key of a control is its objectName, which is its name
// followed by its index for an array member.
//
// Page-form protocol (every form follows it):
//   1. its load calls CaricaListeLivelli(this, liste_) once;
//   2. its public AggiornaLivelliVisualizzazione() calls
//      AggiornaLivelliForma(this, liste_) (the four lists in the fixed order);
//   3. its public CaricaLingua() sets its texts with TestoLingua(...) /
//      VoceLingua(n) and ends with ImpostaFontLingua(this, CharsetCorrente());
//   4. its Form_KeyUp (FormaConTasti, controls/AnteprimaTasti.h: every key
//      released on the form or on a control it holds) passes the key to
//      ModMain::GestisciTasto (engine/ModMainTasti.h).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include "core/ModMainLivelli.h"

class QWidget;

namespace ModMain {

// The four level lists of one form: keys of its controls tagged "EXP",
// "SUP", "AUT", "INV". Built once at load.
struct ListeLivelli {
    std::vector<std::string> Exp;
    std::vector<std::string> Sup;
    std::vector<std::string> Aut;
    std::vector<std::string> Inv;
};

// The main window once the shell has loaded it (forms copy its caption and
// icon, the access-code screen disables it); null before that.
inline QPointer<QWidget> FinestraPrincipale;

// Design-time helpers.
void ImpostaTag(QWidget* controllo, const QString& tag);
QString LeggiTag(const QWidget* controllo);
// Names `controllo` as member `indice` of the control array `nome`.
void ImpostaMembro(QWidget* controllo, const QString& nome, int indice);
// Name without index, and the index (-1 for a single control).
QString NomeControllo(const QWidget* controllo);
int IndiceControllo(const QWidget* controllo);
// Name followed by the index for an array member.
std::string ChiaveControllo(const QWidget* controllo);
// The controls of a form in creation order (depth first).
std::vector<QWidget*> ControlliForma(const QWidget* forma);

// Retags by PersonalizzazioneVisualizzazione, fills the four lists, then
// resets the tag of push buttons, combo boxes, check boxes, radio buttons and
// horizontal scroll bars to "0". Run once per form.
void CaricaListeLivelli(QWidget* forma, ListeLivelli& liste);
// Every control of the form whose key is in `lista` gets the visibility.
void ApplicaVisibilitaControlli(QWidget* forma, const std::vector<std::string>& lista, bool visibile);
// True when `chiave` is in `lista` (both trimmed, letter case ignored).
bool CercaControlloInElenco(const std::string& chiave, const std::vector<std::string>& lista);
// Protocol step 2: EXP with LivelloExp, SUP with LivelloSup, AUT with
// LivelloAut, INV hidden.
void AggiornaLivelliForma(QWidget* forma, const ListeLivelli& liste);

// Every control (and the form itself) gets the "Tahoma" font at its present
// size and style, and remembers `charset` in its dynamic property "Charset".
void ImpostaFontLingua(QWidget* forma, int16_t charset);
// Controls that paint with a font of their own rather than the widget's (the
// drawn button) take "Tahoma" through this hook, which start-up registers.
inline std::function<void(QWidget*)> FontLinguaProprio;
// An 8-bit text through the charset of the current language.
QString TestoLingua(const std::string& testo);
// A list of them, with the current language (read from its file) looked up
// once for the whole list.
QStringList TestiLingua(const std::vector<std::string>& testi);
// Entry n of the current language, ready for the screen.
QString VoceLingua(int16_t n);
// Number of the section marker `marcatore` ("[Frm_Logger]") among the entries
// of language 0; the form's texts are entries k + 1, k + 2 ... When the marker
// is missing k is UboundVoci + 1 (0 when there is no dictionary).
int16_t CercaSezione(const std::string& marcatore);

// Keeps the window above all others (true) or releases it (false). Returns
// non-zero when placed on top, 0 when released.
int32_t ImpostaFinestraInPrimoPiano(QWidget* finestra, bool primoPiano);
// The same; skipped on the oldest systems (never the case here).
void PrimoPianoSeSistema(QWidget* finestra, bool primoPiano);

} // namespace ModMain
