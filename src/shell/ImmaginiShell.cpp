#include "shell/ImmaginiShell.h"

#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>

#include "core/Applicazione.h"
#include "platform/Caratteri.h"

namespace {

const QColor Blu(0, 0, 128);
const QColor Ambra(255, 176, 32);
const QColor Verde(40, 200, 80);
const QColor Rosso(220, 40, 40);
const QColor Grigio(110, 110, 120);

QPixmap Tela(int l, int a) {
    QPixmap p(l, a);
    p.fill(Qt::transparent);
    return p;
}

// A plug seen from the front: a ring with two pins, in the given colour.
void DisegnaSpina(QPainter& g, const QRectF& r, const QColor& colore) {
    g.setPen(QPen(colore, r.width() / 10.0));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(r.adjusted(r.width() * 0.18, r.height() * 0.18, -r.width() * 0.18, -r.height() * 0.18));
    g.setPen(Qt::NoPen);
    g.setBrush(colore);
    const double l = r.width() * 0.08, a = r.height() * 0.2;
    const QPointF c = r.center();
    g.drawRoundedRect(QRectF(c.x() - r.width() * 0.13 - l / 2, c.y() - a / 2, l, a), l / 3, l / 3);
    g.drawRoundedRect(QRectF(c.x() + r.width() * 0.13 - l / 2, c.y() - a / 2, l, a), l / 3, l / 3);
}

} // namespace

namespace ImmaginiShell {

QPixmap IconaConnessione(int k) {
    const int lato = LatoIconaConnessione;
    QPixmap p = Tela(lato, lato);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, lato - 2, lato - 2);
    if (k >= 0 && k <= 4) {
        DisegnaSpina(g, r, Ambra.darker(140));
        // The sweep: a bright arc of a fifth of a turn, one fifth further per frame.
        g.setPen(QPen(Ambra, lato / 9.0, Qt::SolidLine, Qt::RoundCap));
        g.drawArc(r.adjusted(2, 2, -2, -2), (90 - k * 72) * 16, -60 * 16);
    } else if (k == 5) {
        DisegnaSpina(g, r, Grigio);
        g.setPen(QPen(Rosso, lato / 10.0, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(lato * 0.2, lato * 0.2), QPointF(lato * 0.8, lato * 0.8));
        g.drawLine(QPointF(lato * 0.8, lato * 0.2), QPointF(lato * 0.2, lato * 0.8));
    } else {
        QRadialGradient luce(r.center(), lato / 2.0);
        luce.setColorAt(0, Verde.lighter(150));
        luce.setColorAt(1, Verde.darker(160));
        g.setPen(Qt::NoPen);
        g.setBrush(luce);
        g.drawEllipse(r.adjusted(2, 2, -2, -2));
        DisegnaSpina(g, r, Qt::white);
    }
    return p;
}

QPixmap InterruttoreEsperto(int k) {
    QPixmap p = Tela(44, 22);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const bool acceso = k == 1;
    g.setPen(QPen(QColor(0, 0, 64), 1));
    g.setBrush(acceso ? QColor(255, 200, 0) : QColor(70, 70, 90));
    g.drawRoundedRect(QRectF(1, 3, 42, 16), 8, 8);
    g.setBrush(Qt::white);
    g.drawEllipse(QRectF(acceso ? 27 : 3, 4, 14, 14));
    return p;
}

QRect RiquadroTitoloSplash() { return QRect(132, 40, 240, 40); }

QFont FontTitoloSplash() {
    return Piattaforma::FontCheEntra(Piattaforma::CreaFont(QStringLiteral("Tahoma"), 17, true),
                                     QString::fromLatin1(Applicazione::TitoloProdotto), RiquadroTitoloSplash().size(),
                                     Qt::AlignLeft | Qt::AlignVCenter, 10);
}

QPixmap Splash() {
    QPixmap p(381, 156);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fondo(0, 0, 0, 156);
    fondo.setColorAt(0, QColor(10, 20, 90));
    fondo.setColorAt(1, QColor(0, 0, 30));
    g.fillRect(p.rect(), fondo);
    // A gauge arc on the left with its needle.
    const QRectF quadrante(22, 30, 96, 96);
    g.setPen(QPen(QColor(60, 90, 200), 8, Qt::SolidLine, Qt::FlatCap));
    g.drawArc(quadrante, 210 * 16, -240 * 16);
    g.setPen(QPen(Ambra, 8, Qt::SolidLine, Qt::FlatCap));
    g.drawArc(quadrante, 30 * 16, -60 * 16);
    g.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(quadrante.center(), quadrante.center() + QPointF(30, -26));
    g.setBrush(Qt::white);
    g.drawEllipse(quadrante.center(), 5, 5);
    // The product title.
    g.setPen(Qt::white);
    g.setFont(FontTitoloSplash());
    g.drawText(RiquadroTitoloSplash(), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(Applicazione::TitoloProdotto));
    g.setPen(QColor(170, 185, 235));
    g.setFont(Piattaforma::CreaFont(QStringLiteral("Tahoma"), 10));
    g.drawText(QRectF(132, 82, 240, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LPG / CNG"));
    g.setPen(QPen(Ambra, 2));
    g.drawLine(QPointF(132, 80), QPointF(360, 80));
    return p;
}

QIcon IconaFinestra() {
    QIcon icona;
    for (const int lato : {16, 32, 48, 64}) {
        QPixmap p = Tela(lato, lato);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(Qt::NoPen);
        g.setBrush(Blu);
        g.drawRoundedRect(QRectF(0, 0, lato, lato), lato / 5.0, lato / 5.0);
        g.setPen(QPen(Ambra, lato / 8.0, Qt::SolidLine, Qt::FlatCap));
        const QRectF q(lato * 0.18, lato * 0.22, lato * 0.64, lato * 0.64);
        g.drawArc(q, 210 * 16, -240 * 16);
        g.setPen(QPen(Qt::white, lato / 12.0, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(q.center(), q.center() + QPointF(lato * 0.2, -lato * 0.16));
        g.end();
        icona.addPixmap(p);
    }
    return icona;
}

} // namespace ImmaginiShell
