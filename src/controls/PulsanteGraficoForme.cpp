#include "controls/PulsanteGraficoForme.h"

#include "controls/PulsanteGraficoColori.h"

#include <QtGui/QPolygon>
#include <cmath>
#include <cstdlib>

namespace Pulsante {

int LarghezzaObliquo(int H) { return H + 1; }

int LarghezzaMinimaObliqua(int W, int H) {
    const int S = LarghezzaObliquo(H);
    int w = W;
    while (w - S < 5) w += 5;
    return w;
}

static QRegion Triangolo(QPoint a, QPoint b, QPoint c) {
    return QRegion(QPolygon({a, b, c}), Qt::WindingFill);
}

QRegion TagliAngoli(int buttonStyle, int W, int H, bool abilitato, bool sinistra, bool destra) {
    QRegion tagli;
    auto pixel = [&](int x, int y) { tagli += QRegion(x, y, 1, 1); };
    switch (buttonStyle) {
    case 1:
        if (sinistra) {
            pixel(0, 0);
            pixel(0, H - 1);
        }
        if (destra) {
            pixel(W - 1, 0);
            pixel(W - 1, H - 1);
        }
        break;
    case 3:
        if (!abilitato) break;
        if (sinistra) pixel(0, H - 1);
        if (destra) pixel(W - 1, 0);
        break;
    case 2:
    case 7:
        if (sinistra) {
            tagli += Triangolo({0, 0}, {2, 0}, {0, 2});
            tagli += Triangolo({0, H}, {3, H}, {0, H - 3});
        }
        if (destra) {
            tagli += Triangolo({W, 0}, {W - 2, 0}, {W, 2});
            tagli += Triangolo({W, H}, {W - 3, H}, {W, H - 3});
        }
        break;
    default:
        break;
    }
    return tagli;
}

GeometriaForma CreaGeometria(int buttonShape, int buttonStyle, int W, int H, bool abilitato) {
    GeometriaForma g;
    g.BottomLeftX = 0;
    g.TopRightX = W;
    switch (buttonShape) {
    case 0:
        g.regione = QRegion(0, 0, W + 1, H + 1) - TagliAngoli(buttonStyle, W, H, abilitato, true, true);
        break;
    case 1:
    case 2:
    case 3: {
        const int S = LarghezzaObliquo(H);
        const int R = W - S;
        QPolygon p({{0, 0}, {0, H + 1}, {W + 1, H + 1}, {W + 1, 0}});
        if (buttonShape != 2) {
            p[1] = QPoint(S, H + 1);
            g.BottomLeftX = S;
        }
        if (buttonShape != 1) {
            p[3] = QPoint(R + 1, 0);
            g.TopRightX = R;
        }
        g.regione = QRegion(p, Qt::WindingFill);
        if (buttonShape == 2) g.regione -= TagliAngoli(buttonStyle, W, H, abilitato, true, false);
        if (buttonShape == 1) g.regione -= TagliAngoli(buttonStyle, W, H, abilitato, false, true);
        break;
    }
    case 4:
    case 5:
    case 6:
        g.regione = QRegion(0, 0, W, H, QRegion::Ellipse);
        g.Inset1Region = QRegion(1, 1, W - 2, H - 2, QRegion::Ellipse);
        g.Inset2Region = QRegion(2, 2, W - 4, H - 4, QRegion::Ellipse);
        break;
    default:
        g.regione = QRegion(0, 0, W, H);
        break;
    }
    return g;
}

QSize AdattaProporzioni(int maxW, int maxH, int larghezza, int altezza) {
    if (larghezza <= 0 || altezza <= 0) return {0, 0};
    const double f = std::min(double(maxW) / larghezza, double(maxH) / altezza);
    return {int(std::nearbyint(larghezza * f)), int(std::nearbyint(altezza * f))};
}

void ScansionaSfondo(QImage& immagine, QRegion* regione, QRegion* inset1, QRegion* inset2) {
    if (immagine.isNull()) return;
    if (immagine.format() != QImage::Format_RGB32 && immagine.format() != QImage::Format_ARGB32)
        immagine = immagine.convertToFormat(QImage::Format_ARGB32);
    const QRgb sfondo = immagine.pixel(0, 0);
    const int r0 = qRed(sfondo), g0 = qGreen(sfondo), b0 = qBlue(sfondo);
    auto taglia = [&](int x1, int x2, int y) {
        if (!regione) return;
        *regione -= QRegion(x1, y, x2 - x1, 1);
        if (inset1) *inset1 -= QRegion(x1 - 1, y - 1, x2 - x1 + 2, 3);
        if (inset2) *inset2 -= QRegion(x1 - 2, y - 2, x2 - x1 + 4, 5);
    };
    for (int y = 0; y < immagine.height(); ++y) {
        QRgb* riga = reinterpret_cast<QRgb*>(immagine.scanLine(y));
        int inizio = -1;
        for (int x = 0; x < immagine.width(); ++x) {
            const QRgb p = riga[x];
            const bool fondo = std::abs(qRed(p) - r0) <= 3 && std::abs(qGreen(p) - g0) <= 3 &&
                               std::abs(qBlue(p) - b0) <= 3;
            if (fondo) {
                riga[x] = sfondo;
                if (inizio < 0) inizio = x;
            } else if (inizio >= 0) {
                taglia(inizio, x, y);
                inizio = -1;
            }
        }
        if (inizio >= 0) taglia(inizio, immagine.width(), y);
    }
}

GeometriaForma GeometriaPersonalizzata(QImage& copia, int W, int H) {
    GeometriaForma g;
    g.BottomLeftX = 0;
    g.TopRightX = W;
    g.regione = QRegion(0, 0, W, H);
    g.Inset1Region = QRegion(0, 0, W, H);
    g.Inset2Region = QRegion(0, 0, W, H);
    ScansionaSfondo(copia, &g.regione, &g.Inset1Region, &g.Inset2Region);
    const QRect box = g.regione.boundingRect();
    const QRect box1 = g.Inset1Region.boundingRect();
    const QRect box2 = g.Inset2Region.boundingRect();
    g.Inset1Region.translate(box.left() - box1.left() + 1, box.top() - box1.top() + 1);
    g.Inset2Region.translate(box.left() - box2.left() + 2, box.top() - box2.top() + 2);
    return g;
}

std::array<QPoint, 16> PuntiBordi(int buttonShape, int W, int H, int X0, int X1) {
    const int L = (buttonShape == 1 || buttonShape == 3) ? 1 : 0;
    const int R = (buttonShape == 2 || buttonShape == 3) ? 1 : 0;
    std::array<QPoint, 16> p;
    p[0] = {X0 + 2 - 4 * L, H - 3};
    p[1] = {2 * L + 2, 2};
    p[2] = {X1 - 3 + 3 * R, 2};
    p[3] = {W - 3 - 3 * R, H - 3};
    p[4] = {X0 + 1 - 4 * L, H - 3};
    p[5] = p[0] + QPoint(L - 1, 1);
    p[6] = p[1] + QPoint(-1 - L, -1);
    p[7] = p[2] + QPoint(1 - R, -1);
    p[8] = p[3] + QPoint(R + 1, 1);
    p[9] = p[4] + QPoint(-1, 1);
    p[10] = {X0 - L, H - 1 + L};
    p[11] = {0, 0};
    p[12] = {X1 - 1 + R, 0};
    p[13] = {W - 1, H - 1 + R};
    p[14] = {X0 - 1 - 2 * L, H - 1};
    p[15] = {W - 1, H - 1};
    return p;
}

const std::array<Segmento, 12>& SegmentiBordi() {
    static const std::array<Segmento, 12> s = {{{0, 1, 1},
                                                 {1, 2, 2},
                                                 {2, 3, 3},
                                                 {3, 4, 4},
                                                 {5, 6, 5},
                                                 {6, 7, 6},
                                                 {7, 8, 7},
                                                 {8, 9, 8},
                                                 {10, 11, 9},
                                                 {11, 12, 10},
                                                 {12, 13, 11},
                                                 {13, 14, 12}}};
    return s;
}

std::vector<QPoint> PuntiLinea(QPoint a, QPoint b) {
    std::vector<QPoint> punti;
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    while (x != b.x() || y != b.y()) {
        punti.emplace_back(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return punti;
}

QRegion BordoRegione(const QRegion& regione) {
    const QRegion interno = regione & regione.translated(1, 0) & regione.translated(-1, 0) &
                            regione.translated(0, 1) & regione.translated(0, -1);
    return regione - interno;
}

Cornice CorniceDopoCopia(const StatoCornice& s) {
    Cornice c;
    const int f = s.buttonShape;
    if (f >= 4 && f <= 6) {
        if (s.buttonStyle == 2 && !s.premuto) c = {RegioneCornice::Inset1, s.coloreBordo};
        else if (f == 6) c = {RegioneCornice::Finestra, s.coloreBordo};
    } else if (f == 7 || f == 8) {
        if (s.hoverOn && !s.premuto) {
            const int32_t colore = s.buttonStyle == 2 ? s.coloreBordo : s.HoverRGB;
            if (!(colore == s.BackRGB && s.buttonStyle != 2)) c = {RegioneCornice::Finestra, colore};
        } else if (s.defaultLook) {
            const RegioneCornice r = f == 8 ? RegioneCornice::Inset2 : RegioneCornice::Inset1;
            const int32_t colore = (s.value && s.buttonStyle != 2) ? Varia(s.ShadeRGB, -32) : s.coloreBordo;
            c = {r, colore};
        }
    }
    return c;
}

} // namespace Pulsante
