#pragma once
// Colour arithmetic of the drawn button: OLE colours, shifted shades,
// gradient bands and the face colours each look derives from its colour
// properties. Plain computations, no screen needed.
#include <QtCore/QRect>
#include <QtGui/QColor>
#include <cstdint>
#include <vector>

namespace Pulsante {

// Colours are Long values: RGB as 0x00BBGGRR; OLE colours with the top bit set
// name a system colour by their low byte.
constexpr int32_t Bianco = 0xFFFFFF;
constexpr int32_t Grigio = 0x808080;
constexpr int32_t Nero = 0;
constexpr int32_t ColoreFacciaSistema = static_cast<int32_t>(0x8000000FU); // button face
constexpr int32_t ColoreTestoSistema = static_cast<int32_t>(0x80000012U);  // button text

constexpr int32_t Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }
constexpr int Rosso(int32_t c) { return c & 0xFF; }
constexpr int Verde(int32_t c) { return (c >> 8) & 0xFF; }
constexpr int Blu(int32_t c) { return (c >> 16) & 0xFF; }

// The fixed system colour table (a classic light desktop scheme).
int32_t ColoreSistema(int indice);
// OLE colour to RGB: system colours resolved, RGB values unchanged.
int32_t ConvertiColore(int32_t ole);
QColor ColoreQt(int32_t rgb);
int32_t RgbDaQt(const QColor& c);

// Shifts each channel by `shift` (blue in proportion to itself with
// scaleBlue), clamps, optionally inverts. With avoidBlackWhite a result that
// is pure black or white is retried with the shift negated (0 becomes 64),
// and the caller's shift keeps the value used.
int32_t VariaColore(int32_t colore, int16_t& shift, bool scaleBlue = false, bool avoidBlackWhite = false,
                    bool invert = false);
// The same for a shift the caller does not need back.
int32_t Varia(int32_t colore, int shift, bool scaleBlue = false);

// n blended colours from start to end (entry 0 is start exactly).
std::vector<int32_t> CalcolaGradiente(int n, int32_t inizio, int32_t fine);

struct Banda {
    QRect rettangolo; // pixels covered (right and bottom exclusive as a GDI rectangle)
    int32_t colore = 0;
    bool operator==(const Banda&) const = default;
};

// The bands of a gradient over a W x H face. mode 1/2 run left-right /
// right-left (bands are columns), 3/4 top-bottom / bottom-top. lunghezzaSchermo
// is the screen's width (modes 1, 2) or height (3, 4) in pixels.
std::vector<Banda> BandeGradiente(int mode, int W, int H, int lunghezzaSchermo, int32_t inizio, int32_t fine);

// The vertical shading of the rounded look: one row per pixel, 25 units darker
// at the bottom.
std::vector<Banda> BandeOmbreggiatura(int W, int H, int32_t colore);

struct ColoriFaccia {
    int32_t FaceRGB = 0;
    int32_t ShadeRGB = 0;
    int32_t HoverRGB = 0;
    int32_t CheckedRGB = 0;
    bool operator==(const ColoriFaccia&) const = default;
};

// The four face colours of a look from BackColor and HoverBackColor (OLE).
ColoriFaccia CalcolaColoriFaccia(int buttonStyle, int32_t backColor, int32_t hoverBackColor);

} // namespace Pulsante
