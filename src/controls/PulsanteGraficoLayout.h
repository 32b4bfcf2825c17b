#pragma once
// Caption and picture placement inside the drawn button, the passes that
// draw an engraved, embossed or disabled caption, and the focus indicator's
// geometry. Text measuring is handed in, so no screen is needed.
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace Pulsante {

// A rectangle as left, top, right, bottom with right and bottom exclusive.
struct Rettangolo {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    QRect Qt() const { return QRect(left, top, right - left, bottom - top); }
    Rettangolo Spostato(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool Vuoto() const { return right <= left || bottom <= top; }
    bool operator==(const Rettangolo&) const = default;
};

// "||" in a caption stands for a line break.
QString TestoVisualizzato(const QString& caption);

// Measures a text wrapped into a box of the given size: the used width and height.
using MisuraTesto = std::function<QSize(const QString& testo, int larghezza, int altezza)>;

struct IngressoLayout {
    int W = 0, H = 0;
    int buttonShape = 0;
    int BottomLeftX = 0, TopRightX = 0;
    int PictureSizePx = 16;
    int PictureWidth = 0, PictureHeight = 0;
    int PictureAlign = 0, CaptionAlign = 2, CaptionStyle = 0;
    QString testo; // the caption as displayed
};

struct EsitoLayout {
    Rettangolo CaptionRect;
    bool CaptionIntera = true; // the caption's measured size fits CaptionRect
    Rettangolo PictureRect;
    bool rebuild = false; // the scaled picture copy must be rebuilt
};

EsitoLayout CalcolaLayout(const IngressoLayout& in, const MisuraTesto& misura, bool rebuild);

// One pass of the caption: where and in which colour.
struct PassaggioTesto {
    Rettangolo rettangolo;
    int32_t colore = 0;
    bool operator==(const PassaggioTesto&) const = default;
};

struct IngressoTesto {
    Rettangolo CaptionRect;
    bool abilitato = true;
    int CaptionStyle = 0;
    int32_t faceColour = 0;
    int32_t disabledTextColour = -1;
    bool flagNoEngrave = false;
    int GradientMode = 0;
    int32_t coloreTesto = 0; // the text colour of an enabled caption (hover/look rules applied)
};

// The passes of a caption already moved for the pressed look.
std::vector<PassaggioTesto> PassaggiTesto(const IngressoTesto& in);

// Focus indicator.
enum class TipoFuoco { Nessuno, Spezzata, Tratteggiato, Continuo };
struct GeometriaFuoco {
    TipoFuoco tipo = TipoFuoco::Nessuno;
    std::vector<QPoint> punti; // polyline for Spezzata
    Rettangolo rettangolo;     // for Tratteggiato and Continuo
    bool intorno = false;      // aroundCaption on return
    int32_t colore = 0;
};
struct IngressoFuoco {
    bool defaultLook = false;
    int buttonShape = 0, buttonStyle = 0;
    int W = 0, H = 0, BottomLeftX = 0, TopRightX = 0;
    int32_t colore = 0;
    bool isValue = false, aroundCaption = false;
    bool value = false, premuto = false;
    bool haCaption = false;
    Rettangolo CaptionRect, PictureRect;
};
GeometriaFuoco CalcolaFuoco(const IngressoFuoco& in);

} // namespace Pulsante
