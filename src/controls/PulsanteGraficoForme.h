#pragma once
// Outlines of the drawn button: window regions per shape and look, slant
// geometry, the inset rings of round and custom buttons, the outline cut out
// of a picture, the edge-ring points and the frame drawn after the copy.
// Plain computations on Qt Core/Gui value types, no screen needed.
#include <QtCore/QPoint>
#include <QtCore/QRect>
#include <QtGui/QImage>
#include <QtGui/QRegion>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace Pulsante {

// Slant width of shapes 1-3 for a face H pixels high.
int LarghezzaObliquo(int H);
// The width a slanted button must take so that at least 5 pixels stay beside
// the slant (W itself when it is wide enough).
int LarghezzaMinimaObliqua(int W, int H);

struct GeometriaForma {
    QRegion regione;     // the window outline
    int BottomLeftX = 0; // where the bottom edge starts
    int TopRightX = 0;   // where the top edge ends
    QRegion Inset1Region; // outline one pixel in (round shapes)
    QRegion Inset2Region; // outline two pixels in (round shapes)
};

// Outline of shapes 0-6 for a W x H face (W already widened for slants).
GeometriaForma CreaGeometria(int buttonShape, int buttonStyle, int W, int H, bool abilitato);

// The corner pixels a look removes from an upright left or right side.
QRegion TagliAngoli(int buttonStyle, int W, int H, bool abilitato, bool sinistra, bool destra);

// The picture's size scaled to fit max, keeping its proportions.
QSize AdattaProporzioni(int maxW, int maxH, int larghezza, int altezza);

// Makes every pixel within 3 of the top-left colour in each channel exactly
// that colour. With regione given, each background run is cut from it and,
// grown by one and two pixels, from the two inset regions.
void ScansionaSfondo(QImage& immagine, QRegion* regione, QRegion* inset1, QRegion* inset2);

// Custom outline (shapes 7, 8) from the picture already scaled to W x H; the
// inset regions are moved as the outline's bounding box requires.
GeometriaForma GeometriaPersonalizzata(QImage& copia, int W, int H);

// The 16 points of the three edge rings.
std::array<QPoint, 16> PuntiBordi(int buttonShape, int W, int H, int BottomLeftX, int TopRightX);

struct Segmento {
    int da = 0, a = 0; // point indexes
    int slot = 0;      // EdgeColours entry
};
// The twelve ring segments in drawing order.
const std::array<Segmento, 12>& SegmentiBordi();

// Pixels of a line from a up to but not including b.
std::vector<QPoint> PuntiLinea(QPoint a, QPoint b);

// The one-pixel frame just inside a region's boundary.
QRegion BordoRegione(const QRegion& regione);

enum class RegioneCornice { Nessuna, Finestra, Inset1, Inset2 };
struct Cornice {
    RegioneCornice regione = RegioneCornice::Nessuna;
    int32_t colore = 0;
    bool operator==(const Cornice&) const = default;
};
struct StatoCornice {
    int buttonShape = 0, buttonStyle = 0;
    bool premuto = false, hoverOn = false, defaultLook = false, value = false;
    int32_t coloreBordo = 0; // EdgeColours(12)
    int32_t HoverRGB = 0, BackRGB = 0, ShadeRGB = 0;
};
// Which region is framed on the window after the face is copied, and in which colour.
Cornice CorniceDopoCopia(const StatoCornice& s);

} // namespace Pulsante
