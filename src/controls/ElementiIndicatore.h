#pragma once
// The constituents the gauges are composed of (shapes, labels, lines), kept as
// plain data in twips so that their geometry and colours are computed and
// checked without a screen, and painted together by the owning widget.
#include <cstdint>
#include <string>

#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QFont>

class QPainter;

namespace Indicatori {

inline constexpr int TwipsPerPixel = 15;

// Position and size in twips; single precision, as the forms keep them.
struct Rettangolo {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// Left and width times rw, top and height times rh.
void ScalaRettangolo(Rettangolo& r, float rw, float rh);
// Twips to whole pixels, each edge rounded to the nearest pixel; a non-zero
// width or height keeps at least one pixel.
QRect RettangoloPixel(const Rettangolo& r);

enum class FormaFigura { Rettangolo, RettangoloArrotondato, Cerchio, Ovale };

struct Figura {
    FormaFigura Forma = FormaFigura::Rettangolo;
    Rettangolo R;
    int32_t ColoreBordo = 0;        // &HBBGGRR
    int32_t ColoreRiempimento = 0;  // &HBBGGRR
    int SpessoreBordo = 1;          // pixels, centred on the outline
    bool Riempita = true;           // false: transparent inside
    bool Visibile = true;
};

struct Etichetta {
    Rettangolo R;
    std::string Caption;            // 8-bit text, shown through Charset
    QString NomeFont;               // Windows font name
    float DimensioneFont = 8.25f;   // points, as applied
    bool Grassetto = false;
    int32_t ColoreTesto = 0;
    int Charset = 0;
    int Allineamento = 0;           // Qt::AlignmentFlag, horizontal part
    bool Ritaglia = true;           // text clipped to the label
};

struct Linea {
    int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0; // twips
    int32_t Colore = 0;
    int Spessore = 1;                       // pixels
};

// Sizes a label to its caption in its font, keeping its left and top, as a
// self-sizing label does.
void AdattaAlTesto(Etichetta& e);

// The font a label is drawn in: its own font; on a clipped label made smaller
// as far as needed for the whole caption to show (the box follows the height
// of the control, the font size only its width).
QFont FontEtichetta(const Etichetta& e);

void DisegnaFigura(QPainter& p, const Figura& f);
void DisegnaEtichetta(QPainter& p, const Etichetta& e);
void DisegnaLinea(QPainter& p, const Linea& l);

} // namespace Indicatori
