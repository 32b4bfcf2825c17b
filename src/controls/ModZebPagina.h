#pragma once
// What every settings page shares: dictionary markers, ConfigScale sections,
// list filling (as is or in thousandths), item selection by a rule, the
// loading guard, staged edits and posts, design places in twips with the
// proportional relayout, shapes and labels.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QtCore/QRectF>
#include <QtCore/QString>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

#include "link/ModBlckModifiche.h"
#include "link/ModMappeDati.h"

class QComboBox;
class QLabel;
class PulsanteGrafico;

namespace ModZebPagina {

// ---- Dictionary -------------------------------------------------------------

// Position of the first entry of language `lingua` equal to `marcatore`
// (exact, case-sensitive) among entries 0..UboundVoci; nullopt when missing
// (or when there is no dictionary).
std::optional<int16_t> CercaMarcatore(const std::string& marcatore, int16_t lingua = 0);
// Entry `posizione + offset` of the current language, 8-bit; "" when the
// marker was missing or the number is out of range.
std::string Voce(std::optional<int16_t> posizione, int32_t offset);
// The same, ready for the screen.
QString VoceSchermo(std::optional<int16_t> posizione, int32_t offset);

// ---- ConfigScale.ini ----------------------------------------------------------

// Indices of the lines that are exactly `sezione` ("[TMORTOINJ]"), in file order.
std::vector<size_t> CercaSezioni(const std::vector<std::string>& righe, const std::string& sezione);
// Line i + k, or nullopt past the end.
std::optional<std::string> RigaDopo(const std::vector<std::string>& righe, size_t i, size_t k);

// ---- Lists ------------------------------------------------------------------

// The "|"-separated pieces; an empty list has none.
std::vector<std::string> VociLista(const std::string& lista);
// "0|96|192|...": k x passo for k = 0..ultimo.
std::string ListaMultipli(int32_t passo, int32_t ultimo);
// An item read as a number with the locale's decimal separator.
std::optional<double> NumeroVoce(const QString& testo);
// An item in thousandths, exact for items with up to three decimals (a list
// in ms is written from whole microseconds; reading 5.12 x 1000 as a double
// could truncate to 5119).
std::optional<int64_t> MillesimiVoce(const QString& testo);
// A piece in thousandths written as its value / 1000, locale separator, no
// trailing zeros; nullopt when the piece is not a number.
std::optional<std::string> TestoMillesimi(const std::string& pezzo);
// Clears the combo and adds the pieces as they are (8-bit through the current charset).
void RiempiCombo(QComboBox* combo, const std::string& lista);
// The same with each piece divided by 1000. Stops at a piece that is not a
// number (the pieces before it stay) and returns false.
bool RiempiComboMillesimi(QComboBox* combo, const std::string& lista);
// Selects the first item whose index and text meet `regola`; -1 (no selection,
// empty text) when none does. Returns the index set.
int SelezionaVoce(QComboBox* combo, const std::function<bool(int indice, const QString& testo)>& regola);
// The same with the item read as a number; items that are not numbers never match.
int SelezionaNumero(QComboBox* combo, const std::function<bool(double v)>& regola);

// ---- Loading guard ------------------------------------------------------------

// Raises the page's loading flag for its lifetime: every edit handler returns
// at once while it is up, so selections set by program write nothing. The flag
// is lowered on every way out, an exception included.
class GuardiaCaricamento {
public:
    explicit GuardiaCaricamento(bool& flag) : flag_(flag) { flag_ = true; }
    ~GuardiaCaricamento() { flag_ = false; }
    GuardiaCaricamento(const GuardiaCaricamento&) = delete;
    GuardiaCaricamento& operator=(const GuardiaCaricamento&) = delete;

private:
    bool& flag_;
};

// ---- Staged edits -----------------------------------------------------------

// The request slot is empty.
bool SlotLibero();
// The list re-created with the one entry {valore, indice, maschera}.
void ModificaSingola(ListaModifiche& lista, int32_t valore, int32_t indice, int32_t maschera = 0);
// Posts the request with the wait window (dropped silently when the slot is taken).
void Posta(int32_t codice);
// The edit copy of the threshold table rebuilt from MatSoglie; returned for changing.
TabellaSoglie& CopiaSoglie();
// A value fits a threshold byte (0..255).
bool ByteValido(int64_t v);
// 600 Hz for 100 ms: a value was corrected or refused.
void Bip();

// ---- Design places and proportional layout -------------------------------------

// Places a control at a design rectangle in twips (relative to its parent)
// and remembers it as the control's design place.
void Colloca(QWidget* w, double sinistra, double alto, double larghezza, double altezza);
// The design place Colloca remembered (twips); empty for a control never placed.
QRectF PostoProgetto(const QWidget* w);
// The design font in points ("Tahoma"), remembered for the relayout.
void ImpostaFont(QWidget* w, double punti, bool grassetto = false);

// A page laid out in pixels for its size in the smallest usual main window
// (1024 x 640: a 1001 x 425 page) grows in a larger one by this factor: the
// smaller of the width and height ratios, so that what grows fits both ways;
// 1 for a page no larger than that.
double ScalaPagina(const QSize& pagina);
// The font of `w` at `punti` points in its present family and style, and a
// drawn button's face font with it; nothing changes when it has that size.
void ImpostaPunti(QWidget* w, double punti);

// Proportional relayout of a page from its design size: every control placed
// with Colloca gets its design place times (width / design width, height /
// design height), fonts their design points times the width ratio rounded to
// whole points (halves to even), combo boxes keep their design height
// with their centre at the scaled design centre. Scaling
// from the design (not from the last size) keeps no rounding drift, and a
// zero or negative size (a hidden page being laid out) changes nothing.
class Proporzioni {
public:
    Proporzioni(double larghezzaTwips, double altezzaTwips) : larghezza_(larghezzaTwips), altezza_(altezzaTwips) {}
    // Returns false (nothing done) for a form without size.
    bool Applica(QWidget* forma);
    float FattoreScala() const { return fattore_; }

private:
    double larghezza_, altezza_;
    float fattore_ = 1.0f;
};

// ---- Shapes and labels ----------------------------------------------------------

// A rectangle: border of `spessore` pixels in ColoreBordo, filled with
// ColoreRiempimento when opaque. Mouse input passes through. Colours &HBBGGRR.
class FormaPagina : public QWidget {
public:
    FormaPagina(QWidget* contenitore, const QString& nome, int spessore, bool opaca);
    int32_t ColoreBordo() const { return bordo_; }
    void ColoreBordo(int32_t bgr);
    int32_t ColoreRiempimento() const { return riempimento_; }
    // Repaints only when the colour changes.
    void ColoreRiempimento(int32_t bgr);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int spessore_;
    bool opaca_;
    int32_t bordo_ = 0xFFFFFF, riempimento_ = 0;
};

// A label that never cuts its text: a text larger than the label (the
// label's height follows the form's height, its font size only the width) is
// drawn in a font made smaller as far as needed.
class Etichetta : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* e) override;
};
// The font a label's text is drawn in: its own font, or for an `Etichetta`
// whose text would not fit, the smaller font it is drawn in.
QFont FontMostrato(const QLabel* l);

// A label without background, text colour &HBBGGRR, design font; with
// `intera`, an `Etichetta`.
QLabel* NuovaEtichetta(QWidget* contenitore, const QString& nome, int32_t colore, double punti, bool grassetto = false,
                       Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignVCenter, bool intera = false);

// ---- Drawn command buttons ------------------------------------------------------

// The look of a page's drawn command button. The default is the pages' usual
// one: flat style, centred caption, black text on a grey-pink face that turns
// dark red under the mouse. Unset members leave the control's own value.
struct AspettoPulsante {
    int32_t modo = 0;                    // Mode: 0 plain, 1 two-state
    std::optional<int32_t> forma = std::nullopt; // ButtonShape
    double punti = 0;                    // design font in bold points; 0 keeps the font
    bool colori = true;                  // ForeColor 0 and BackColor `fondo`
    int32_t fondo = 0xC0A0A0;            // face colour, &HBBGGRR
    bool riflesso = true;                // hover: text in `fondo` on &HC00000 (both locked)
    bool senzaGradiente = false;         // GradientMode 0
    bool senzaFocus = false;             // no focus rectangle
    std::optional<QString> testo = std::nullopt; // Caption
    std::optional<bool> valore = std::nullopt;   // Value of a two-state button
    std::optional<int32_t> allineamentoFigura = std::nullopt; // PictureAlign
    // A page with a relayout of its own sets the font itself, in place of `punti`.
    std::function<void(QWidget*)> font = nullptr;
};
// A drawn button named `nome` (or `nome` + `indice` as a member of a control
// array when `indice` >= 0) with the given look, drawn once at the end.
PulsanteGrafico* NuovoPulsante(QWidget* contenitore, const QString& nome, const AspettoPulsante& aspetto = {},
                               int indice = -1);

// Same colour conversion as the drawn button: &HBBGGRR to Qt.
QColor Colore(int32_t bgr);

// Text and background colours &HBBGGRR, the background filled.
void ColoriPieni(QWidget* w, int32_t testo, int32_t sfondo);

} // namespace ModZebPagina
