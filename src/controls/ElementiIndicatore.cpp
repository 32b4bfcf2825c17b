#include "controls/ElementiIndicatore.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QFontMetricsF>
#include <QtGui/QPainter>

#include "controls/PulsanteGraficoColori.h"
#include "platform/Caratteri.h"
#include "platform/Charset.h"

namespace Indicatori {

namespace {

int Pixel(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

QPen Penna(int32_t colore, int spessore) {
    QPen pen(Pulsante::ColoreQt(colore));
    pen.setWidth(spessore < 1 ? 1 : spessore);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

void ScalaRettangolo(Rettangolo& r, float rw, float rh) {
    r.Left *= rw;
    r.Width *= rw;
    r.Top *= rh;
    r.Height *= rh;
}

QRect RettangoloPixel(const Rettangolo& r) {
    const int x1 = Pixel(r.Left);
    const int y1 = Pixel(r.Top);
    int x2 = Pixel(static_cast<double>(r.Left) + r.Width);
    int y2 = Pixel(static_cast<double>(r.Top) + r.Height);
    // Anything with a size keeps at least one pixel, so that thin lines never vanish.
    if (r.Width > 0) x2 = std::max(x2, x1 + 1);
    if (r.Height > 0) y2 = std::max(y2, y1 + 1);
    return QRect(QPoint(x1, y1), QSize(x2 - x1, y2 - y1));
}

void AdattaAlTesto(Etichetta& e) {
    const QFontMetricsF fm(Piattaforma::CreaFont(e.NomeFont, e.DimensioneFont, e.Grassetto));
    const QString testo = Piattaforma::TestoDaCharset(e.Caption, e.Charset);
    e.R.Width = static_cast<float>(std::ceil(fm.horizontalAdvance(testo)) * TwipsPerPixel);
    e.R.Height = static_cast<float>(std::ceil(fm.height()) * TwipsPerPixel);
}

void DisegnaFigura(QPainter& p, const Figura& f) {
    if (!f.Visibile) return;
    p.save();
    const QRect px = RettangoloPixel(f.R);
    const QPen pen = Penna(f.ColoreBordo, f.SpessoreBordo);
    const QBrush pennello = f.Riempita ? QBrush(Pulsante::ColoreQt(f.ColoreRiempimento)) : QBrush(Qt::NoBrush);
    switch (f.Forma) {
    case FormaFigura::Rettangolo:
    case FormaFigura::RettangoloArrotondato: {
        // The outline runs through the middle of the border, half of it inside.
        const QRectF r(px.x() + 0.5, px.y() + 0.5, px.width() - 1.0, px.height() - 1.0);
        p.setPen(pen);
        p.setBrush(pennello);
        if (f.Forma == FormaFigura::Rettangolo) {
            p.drawRect(r);
        } else {
            p.setRenderHint(QPainter::Antialiasing, true);
            const double raggio = std::min(r.width(), r.height()) / 4.0;
            p.drawRoundedRect(r, raggio, raggio);
        }
        break;
    }
    case FormaFigura::Cerchio:
    case FormaFigura::Ovale: {
        p.setRenderHint(QPainter::Antialiasing, true);
        QRectF r(px);
        if (f.Forma == FormaFigura::Cerchio) {
            const double d = std::min(r.width(), r.height());
            r = QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
        }
        if (r.width() < 1 && r.height() < 1) {
            // A shape of no size shows only its border: a dot as wide as the border.
            const double d = std::max(1, f.SpessoreBordo);
            p.setPen(Qt::NoPen);
            p.setBrush(Pulsante::ColoreQt(f.ColoreBordo));
            p.drawEllipse(r.center(), d / 2, d / 2);
        } else {
            p.setPen(pen);
            p.setBrush(pennello);
            p.drawEllipse(r);
        }
        break;
    }
    }
    p.restore();
}

namespace {

// A clipped label wraps at word breaks; an unclipped one keeps one line and
// lets it run past its edges by its alignment.
int FlagEtichetta(const Etichetta& e) {
    return e.Allineamento | Qt::AlignTop | (e.Ritaglia ? Qt::TextWordWrap : Qt::TextDontClip);
}

} // namespace

QFont FontEtichetta(const Etichetta& e) {
    const QFont f = Piattaforma::CreaFont(e.NomeFont, e.DimensioneFont, e.Grassetto);
    if (!e.Ritaglia || e.Caption.empty()) return f;
    return Piattaforma::FontCheEntra(f, Piattaforma::TestoDaCharset(e.Caption, e.Charset), RettangoloPixel(e.R).size(),
                                     FlagEtichetta(e));
}

void DisegnaEtichetta(QPainter& p, const Etichetta& e) {
    if (e.Caption.empty()) return;
    p.save();
    p.setFont(FontEtichetta(e));
    p.setPen(Pulsante::ColoreQt(e.ColoreTesto));
    p.drawText(RettangoloPixel(e.R), FlagEtichetta(e), Piattaforma::TestoDaCharset(e.Caption, e.Charset));
    p.restore();
}

void DisegnaLinea(QPainter& p, const Linea& l) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen = Penna(l.Colore, l.Spessore);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(static_cast<double>(l.X1) / TwipsPerPixel, static_cast<double>(l.Y1) / TwipsPerPixel),
               QPointF(static_cast<double>(l.X2) / TwipsPerPixel, static_cast<double>(l.Y2) / TwipsPerPixel));
    p.restore();
}

} // namespace Indicatori
