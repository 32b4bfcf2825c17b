// Renders the three gauges at the values that show their edges (range ends,
// band limits, clamped values, empty ranges) to one PNG for review by eye.
// Usage: galleria_indicatori [output.png]   (default galleria_indicatori.png)
#include <functional>
#include <string>
#include <vector>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

#include "controls/PowerIndicatore.h"
#include "controls/SlideIndicatore.h"
#include "controls/Tachyonizer.h"
#include "platform/Caratteri.h"

namespace {

struct Voce {
    QString titolo;
    QImage immagine;
};

QImage Rendi(QWidget& w) {
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    w.render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

Voce Tachimetro(const QString& titolo, int32_t min, int32_t max, float valore, const std::function<void(Tachyonizer&)>& extra = {}) {
    Tachyonizer t;
    t.TK_Colore1(0x00C000);
    t.TK_Colore2(0x00C0C0);
    t.TK_Colore3(0x0000FF);
    t.TK_ValMin(min);
    t.TK_ValMax(max);
    if (extra) extra(t);
    t.Aggiorna_Parametri_Visuali();
    // Scale numbers are placed by the layout, after their texts are known.
    t.resize(240, 240);
    t.UserControl_Resize();
    t.TK_ValOre(valore);
    t.TK_ValCha(std::to_string(static_cast<int>(t.TK_ValOre())));
    return {titolo, Rendi(t)};
}

Voce Cursore(const QString& titolo, int32_t min, int32_t max, float valore, bool lampade) {
    SlideIndicatore s;
    s.SL_LambTy(lampade);
    s.SL_ValMin(min);
    s.SL_ValMax(max);
    s.SL_STRTit("Lambda");
    s.SL_STRLef(std::to_string(min));
    s.SL_STRRig(std::to_string(max));
    s.SL_ValOre(valore);
    s.SL_STRVal(QString::number(static_cast<double>(s.SL_ValOre())).toStdString());
    return {titolo, Rendi(s)};
}

Voce Barre(const QString& titolo, int32_t max, float valore, int32_t fine1 = 10, int32_t fine2 = 15) {
    PowerIndicatore p;
    p.SL_COLORE_1_H(0xFF00);
    p.SL_COLORE_1_L(0x7700);
    p.SL_COLORE_1_X(fine1);
    p.SL_COLORE_2_H(0xFFFF);
    p.SL_COLORE_2_L(0x7777);
    p.SL_COLORE_2_X(fine2);
    p.SL_COLORE_3_H(0xFF);
    p.SL_COLORE_3_L(0x77);
    p.SL_ValMax(max);
    p.SL_STRTit("RPM");
    p.SL_ValOre(valore);
    p.SL_STRVal(std::to_string(static_cast<int>(p.SL_ValOre())));
    return {titolo, Rendi(p)};
}

// One row of the sheet per gauge kind, a caption over every picture.
QImage Foglio(const std::vector<std::vector<Voce>>& righe) {
    const int margine = 12, didascalia = 18;
    int larghezza = 0, altezza = margine;
    for (const auto& r : righe) {
        int w = margine, h = 0;
        for (const auto& v : r) {
            w += v.immagine.width() + margine;
            h = std::max(h, v.immagine.height());
        }
        larghezza = std::max(larghezza, w);
        altezza += didascalia + h + margine;
    }
    QImage foglio(larghezza, altezza, QImage::Format_RGB32);
    foglio.fill(Qt::white);
    QPainter p(&foglio);
    p.setFont(Piattaforma::CreaFont(QStringLiteral("Arial"), 8));
    int y = margine;
    for (const auto& r : righe) {
        int x = margine, h = 0;
        for (const auto& v : r) {
            p.setPen(Qt::black);
            p.drawText(QRect(x, y, v.immagine.width(), didascalia), Qt::AlignLeft | Qt::AlignVCenter, v.titolo);
            p.drawImage(x, y + didascalia, v.immagine);
            x += v.immagine.width() + margine;
            h = std::max(h, v.immagine.height());
        }
        y += didascalia + h + margine;
    }
    return foglio;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString uscita = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("galleria_indicatori.png");
    std::vector<std::vector<Voce>> righe;
    righe.push_back({
        Tachimetro("0..3000 at 1500 (defaults)", 0, 3000, 1500),
        Tachimetro("-5 clamped to 0", 0, 3000, -5),
        Tachimetro("99999 clamped to 3000", 0, 3000, 99999),
        Tachimetro("at limit 3 (band 2)", 0, 3000, 2000),
        Tachimetro("1000..4000 at 2500", 1000, 4000, 2500),
        Tachimetro("no span 100..100", 100, 100, 100),
    });
    righe.push_back({
        Tachimetro("opaque face, grey dial", 0, 6000, 4500,
                   [](Tachyonizer& t) {
                       t.TK_Tachione_Trasparente(false);
                       t.TK_Tachione_ColoreSfondo(0x303030);
                       t.TK_Cerchio_ColoreInterno(0xE0E0E0);
                       t.TK_Colore_Scala(0x0000C0);
                       t.TK_Dida2("second line");
                   }),
        Tachimetro("no circle", 0, 3000, 1013, [](Tachyonizer& t) { t.TK_Cerchio_Visible(false); }),
    });
    righe.push_back({Cursore("lamps 0..5 at 2.5", 0, 5, 2.5f, true), Cursore("lamps 0..5 at 0", 0, 5, 0, true),
                     Cursore("lamps 0..5 at 6 (stored 5)", 0, 5, 6, true)});
    righe.push_back({Cursore("lamps 0..5 at 1.2", 0, 5, 1.2f, true), Cursore("lamps 0..15 at 4", 0, 15, 4, true),
                     Cursore("lamps 0..15 at 10", 0, 15, 10, true)});
    righe.push_back({Cursore("zones -2500..2500 at 1000", -2500, 2500, 1000, false),
                     Cursore("zones -2500..2500 at -2500", -2500, 2500, -2500, false),
                     Cursore("defaults 0..0 at 7", 0, 0, 7, true)});
    righe.push_back({Barre("0..6000 at 3500", 6000, 3500), Barre("0..6000 at 0", 6000, 0),
                     Barre("0..6000 at 5999", 6000, 5999)});
    righe.push_back({Barre("0..6000 at 6000", 6000, 6000), Barre("0..120 at 60", 120, 60),
                     Barre("band ends -3 and 30", 6000, 3500, -3, 30)});
    const QImage foglio = Foglio(righe);
    if (!foglio.save(uscita)) return 1;
    return 0;
}
