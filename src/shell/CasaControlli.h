#pragma once
// Small pieces the home pages, the menu bars and the dashboard strip are built
// from: the shape control (rectangle or circle, drawn from its palette so that
// the status-lamp helper can colour it), labels, design places in twips and
// the proportional relayout every one of these forms does on resize.
#include <cstdint>

#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"

namespace Casa {

// &HBBGGRR (or an OLE system colour) to a Qt colour, as the drawn button converts it.
using ModZebPagina::Colore;

// The home panels' blues, &HBBGGRR: outlines and fills.
constexpr int32_t BluScuro = 0x400000;
constexpr int32_t Blu = 0x800000;

// A shape control: outline of `Spessore` pixels in the palette's WindowText
// colour, filled with its Window colour when opaque. A rectangle no wider or
// higher than its outline is drawn solid in the outline colour (a separator
// line). Mouse input passes through.
class FormaGrafica : public QWidget {
public:
    enum class Tipo { Rettangolo, Cerchio };
    FormaGrafica(QWidget* contenitore, Tipo tipo, int spessore, bool opaca);

    int32_t ColoreBordo() const;
    void ColoreBordo(int32_t bgr);
    int32_t ColoreRiempimento() const;
    void ColoreRiempimento(int32_t bgr);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Tipo tipo_;
    int spessore_;
    bool opaca_;
};

// The label that never cuts its text, and the font it draws a text in.
using ModZebPagina::Etichetta;
using ModZebPagina::FontMostrato;

// A label (an `Etichetta`) with transparent background, the text colour, the
// font (Windows name, points, bold) and the horizontal alignment given.
QLabel* NuovaEtichetta(QWidget* contenitore, const QString& nome, const QString& testo, int32_t colore,
                       const QString& font, double punti, bool grassetto, Qt::Alignment allineamento);

// The design font of a control; its size in points is kept so that every
// relayout scales from the size last applied, not from what the screen made of it.
void ImpostaFont(QWidget* w, const QString& nomeWindows, double punti, bool grassetto);
double PuntiFont(const QWidget* w); // 0 when the control has no design font
// Shows the control's text at `punti` ("Tahoma") while its design size stays
// what it was, so that the next relayout still scales from the design size.
void MostraFontA(QWidget* w, double punti);

// Places a control at a design rectangle in twips (relative to its parent);
// a non-zero width or height keeps at least one pixel.
void Colloca(QWidget* w, double sinistra, double alto, double larghezza, double altezza);
// The control's place in twips as last laid out.
QRectF PostoTwips(const QWidget* w);

// Proportional relayout of every placed control of the form: left and width
// times rx, top and height times ry, font sizes times `fattoreFont` rounded to
// whole points (halves to even) in "Tahoma". With `comboTieneAltezza` a combo
// box keeps its height.
void ScalaControlli(QWidget* forma, double rx, double ry, float fattoreFont, bool comboTieneAltezza = false);

// The pages' resize step: rx and ry from the size at the last layout, the font
// factor set to rx, every control scaled, then the new size kept (each resize
// scales from the previous one, not from the design). Nothing before the first
// layout.
void RidimensionaForma(QWidget* forma, int32_t& larghezzaPrecedente, int32_t& altezzaPrecedente,
                       float& fattoreFont, bool comboTieneAltezza = false);

// The form's size in whole twips.
int32_t LarghezzaTwips(const QWidget* w);
int32_t AltezzaTwips(const QWidget* w);

} // namespace Casa
