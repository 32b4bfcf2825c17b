#include "controls/PulsanteGraficoColori.h"

#include <algorithm>
#include <cmath>

namespace Pulsante {

int32_t ColoreSistema(int indice) {
    static const int32_t tabella[] = {
        Rgb(200, 200, 200), // 0 scroll bar
        Rgb(58, 110, 165),  // 1 desktop
        Rgb(10, 36, 106),   // 2 active caption
        Rgb(128, 128, 128), // 3 inactive caption
        Rgb(240, 240, 240), // 4 menu
        Rgb(255, 255, 255), // 5 window
        Rgb(100, 100, 100), // 6 window frame
        Rgb(0, 0, 0),       // 7 menu text
        Rgb(0, 0, 0),       // 8 window text
        Rgb(255, 255, 255), // 9 caption text
        Rgb(212, 208, 200), // 10 active border
        Rgb(212, 208, 200), // 11 inactive border
        Rgb(171, 171, 171), // 12 application workspace
        Rgb(51, 153, 255),  // 13 highlight
        Rgb(255, 255, 255), // 14 highlight text
        Rgb(240, 240, 240), // 15 button face
        Rgb(160, 160, 160), // 16 button shadow
        Rgb(109, 109, 109), // 17 grey text
        Rgb(0, 0, 0),       // 18 button text
        Rgb(212, 208, 200), // 19 inactive caption text
        Rgb(255, 255, 255), // 20 button highlight
        Rgb(105, 105, 105), // 21 3-D dark shadow
        Rgb(227, 227, 227), // 22 3-D light
        Rgb(0, 0, 0),       // 23 tooltip text
        Rgb(255, 255, 225), // 24 tooltip back
    };
    if (indice < 0 || indice >= static_cast<int>(std::size(tabella))) return 0;
    return tabella[indice];
}

int32_t ConvertiColore(int32_t ole) {
    if (ole < 0) return ColoreSistema(ole & 0xFF);
    return ole;
}

QColor ColoreQt(int32_t rgb) {
    const int32_t c = ConvertiColore(rgb);
    return QColor(Rosso(c), Verde(c), Blu(c));
}

int32_t RgbDaQt(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

int32_t VariaColore(int32_t colore, int16_t& shift, bool scaleBlue, bool avoidBlackWhite, bool invert) {
    const int r = Rosso(colore), g = Verde(colore), b = Blu(colore);
    int32_t risultato = 0;
    // A colour saturated both ways (white one way, black the other) would
    // otherwise flip the shift for ever: after both signs (and the 0 -> 64
    // step) have been tried, the last result stands.
    for (int prova = 0; prova < 4; ++prova) {
        const int s = shift;
        int R = r + s, G = g + s;
        int B = scaleBlue ? b + (s * b) / 192 : b + s;
        R = std::clamp(R, 0, 255);
        G = std::clamp(G, 0, 255);
        B = std::clamp(B, 0, 255);
        if (invert) {
            R = 255 - R;
            G = 255 - G;
            B = 255 - B;
        }
        risultato = Rgb(R, G, B);
        if (!avoidBlackWhite || (risultato != Nero && risultato != Bianco)) break;
        if (prova == 3) break;
        shift = shift == 0 ? int16_t(64) : int16_t(-shift);
    }
    return risultato;
}

int32_t Varia(int32_t colore, int shift, bool scaleBlue) {
    int16_t s = static_cast<int16_t>(shift);
    return VariaColore(colore, s, scaleBlue, false, false);
}

std::vector<int32_t> CalcolaGradiente(int n, int32_t inizio, int32_t fine) {
    std::vector<int32_t> colori;
    if (n < 1) return colori;
    colori.resize(static_cast<size_t>(n));
    colori[0] = inizio;
    // A single band has no step to blend over: it keeps the start colour.
    if (n == 1) return colori;
    double r = Rosso(inizio), g = Verde(inizio), b = Blu(inizio);
    const double pr = (Rosso(fine) - r) / (n - 1);
    const double pg = (Verde(fine) - g) / (n - 1);
    const double pb = (Blu(fine) - b) / (n - 1);
    for (int k = 1; k < n; ++k) {
        r = std::clamp(r + pr, 0.0, 255.0);
        g = std::clamp(g + pg, 0.0, 255.0);
        b = std::clamp(b + pb, 0.0, 255.0);
        colori[static_cast<size_t>(k)] = Rgb(int(std::floor(r)), int(std::floor(g)), int(std::floor(b)));
    }
    return colori;
}

std::vector<Banda> BandeGradiente(int mode, int W, int H, int lunghezzaSchermo, int32_t inizio, int32_t fine) {
    std::vector<Banda> bande;
    if (mode < 1 || mode > 4 || W <= 0 || H <= 0) return bande;
    const bool orizzontale = mode <= 2;
    const int L = orizzontale ? W : H;
    int n = L, passo = 1;
    if (lunghezzaSchermo / L <= 3) {
        n = L / 2;
        passo = 2;
    }
    // A face too small for one 2-pixel band still gets one band.
    if (n < 1) {
        n = 1;
        passo = L;
    }
    const std::vector<int32_t> colori = CalcolaGradiente(n, inizio, fine);
    const bool dispari = (mode % 2) == 1;
    for (int i = 0; i < n; ++i) {
        const int32_t c = colori[static_cast<size_t>(dispari ? i : n - 1 - i)];
        const QRect r = orizzontale ? QRect(i * passo, 0, passo, H) : QRect(0, i * passo, W, passo);
        bande.push_back({r, c});
    }
    return bande;
}

std::vector<Banda> BandeOmbreggiatura(int W, int H, int32_t colore) {
    std::vector<Banda> bande;
    if (H <= 0) return bande;
    for (int i = 0; i <= H; ++i) {
        const int s = static_cast<int>(std::nearbyint(-(25.0 / H) * i));
        bande.push_back({QRect(0, i, W, 1), Varia(colore, s, true)});
    }
    return bande;
}

ColoriFaccia CalcolaColoriFaccia(int buttonStyle, int32_t backColor, int32_t hoverBackColor) {
    ColoriFaccia c;
    const int32_t back = ConvertiColore(backColor);
    const int32_t hover = ConvertiColore(hoverBackColor);
    c.FaceRGB = c.ShadeRGB = back;
    c.HoverRGB = hover;
    switch (buttonStyle) {
    case 7:
        c.FaceRGB = Varia(back, 31);
        c.ShadeRGB = Varia(Grigio, -16);
        c.HoverRGB = Varia(hover, 31);
        c.CheckedRGB = Varia(Grigio, 16, true);
        break;
    case 2:
        c.FaceRGB = Varia(back, 48, true);
        c.ShadeRGB = Varia(c.FaceRGB, -32, true);
        c.HoverRGB = Varia(hover, 48, true);
        c.CheckedRGB = Varia(Bianco, -32, true);
        break;
    case 3:
        c.ShadeRGB = Varia(Grigio, 12);
        c.CheckedRGB = Varia(c.ShadeRGB, 31);
        break;
    default:
        c.CheckedRGB = Varia(Bianco, -32);
        break;
    }
    return c;
}

} // namespace Pulsante
