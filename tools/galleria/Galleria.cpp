// Renders the drawn button in every look, outline and state to one PNG sheet
// for review by eye:  galleria <sheet.png>
#include "controls/PulsanteGrafico.h"
#include "platform/Caratteri.h"

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const Looks[] = {"Raised", "Bordered", "Rounded", "Etched", "ThinEdge", "Toolbar", "TwoTone", "Bright"};
const char* const Outlines[] = {"Rectangular", "SlantLeft", "SlantRight", "SlantBoth", "Oval",
                                "OvalIcon",    "OvalOutlined", "CustomFlat", "CustomBevel"};
const char* const States[] = {"normal", "hover", "pressed", "checked", "disabled", "focused"};

// A picture for the custom outlines: a rounded blob on a magenta background.
QImage PicturaSagomata() {
    QImage img(64, 40, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawRoundedRect(QRect(2, 4, 60, 32), 14, 14);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QRect(8, 12, 16, 16));
    return img;
}

// A small picture beside the caption.
QImage PicturaIcona() {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QRect(2, 2, 12, 12));
    return img;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "use: galleria <sheet.png>\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    const int cellaW = 104, cellaH = 44, bottoneW = 92, bottoneH = 32, margineSx = 130, margineSu = 24;
    const int righe = 8 * 6;
    QImage foglio(margineSx + 9 * cellaW, margineSu + righe * cellaH, QImage::Format_RGB32);
    const QColor sfondo(236, 233, 216);
    foglio.fill(sfondo);
    QPainter p(&foglio);
    p.setFont(Piattaforma::CreaFont(QStringLiteral("Tahoma"), 7));
    for (int f = 0; f < 9; ++f)
        p.drawText(QRect(margineSx + f * cellaW, 4, cellaW, 16), Qt::AlignCenter, QString::fromLatin1(Outlines[f]));

    QWidget contenitore;
    contenitore.resize(200, 100);
    QPalette pal = contenitore.palette();
    pal.setColor(QPalette::Window, sfondo);
    contenitore.setPalette(pal);
    const QImage sagoma = PicturaSagomata();
    const QImage icona = PicturaIcona();

    for (int look = 0; look < 8; ++look) {
        for (int stato = 0; stato < 6; ++stato) {
            const int riga = look * 6 + stato;
            const int y = margineSu + riga * cellaH;
            p.setPen(Qt::black);
            p.drawText(QRect(4, y, margineSx - 8, cellaH), Qt::AlignVCenter | Qt::AlignLeft,
                       QStringLiteral("%1 / %2").arg(QString::fromLatin1(Looks[look]), QString::fromLatin1(States[stato])));
            for (int forma = 0; forma < 9; ++forma) {
                PulsanteGrafico b(&contenitore);
                b.resize(bottoneW, bottoneH);
                b.DelayDrawing(true);
                b.Font(Piattaforma::CreaFont(QStringLiteral("Tahoma"), 8));
                b.Caption(forma >= 5 && forma <= 8 ? QStringLiteral("&Opt") : QStringLiteral("&Start"));
                b.ButtonStyle(look);
                if (forma >= 7) b.Picture({sagoma, false});
                else if (forma == 0) b.Picture({icona, false});
                b.ButtonShape(forma);
                b.DelayDrawing(true);
                switch (stato) {
                case 1:
                    b.HoverOn = true;
                    b.StateFlags |= Pulsante::MouseOver;
                    break;
                case 2:
                    b.HoverOn = true;
                    b.PressOn = true;
                    b.StateFlags |= Pulsante::MouseOver | Pulsante::HeldDown;
                    break;
                case 3:
                    b.Mode(1);
                    b.Value(true);
                    break;
                case 4: b.Enabled(false); break;
                case 5: b.AmbientChanged(QStringLiteral("DisplayAsDefault"), true, Pulsante::RgbDaQt(sfondo)); break;
                default: break;
                }
                b.DelayDrawing(false);
                const QImage img = b.grab().toImage();
                const QPoint origine(margineSx + forma * cellaW + (cellaW - b.width()) / 2, y + (cellaH - b.height()) / 2);
                p.save();
                if (!b.mask().isEmpty()) p.setClipRegion(b.mask().translated(origine));
                p.drawImage(origine, img);
                p.restore();
            }
        }
    }
    p.end();
    if (!foglio.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
