// What the screen shows, checked on the pixels or with the fonts it uses: the
// splash title, the MEM10 check box colours and the thin separator lines.
#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtWidgets/QCheckBox>

#include "controls/ElementiIndicatore.h"
#include "core/Applicazione.h"
#include "platform/Caratteri.h"
#include "shell/CasaControlli.h"
#include "shell/FRM_ZEBDashBoard.h"
#include "shell/FRM_ZEBMenu.h"
#include "shell/FRM_ZEBMenuTop3.h"
#include "shell/FissaggioShell.h"
#include "shell/ImmaginiShell.h"

using Schermo = FissaggioShell;

TEST(SchermoSplash, IlTitoloEntraInteroNelSuoRiquadro) {
    const QFont font = ImmaginiShell::FontTitoloSplash();
    const QRect box = ImmaginiShell::RiquadroTitoloSplash();
    EXPECT_TRUE(Piattaforma::TestoEntra(font, QString::fromLatin1(Applicazione::TitoloProdotto), box.size(),
                                        Qt::AlignLeft | Qt::AlignVCenter))
        << font.pointSizeF() << " pt";
    // Still the picture's headline, and inside the picture.
    EXPECT_GE(font.pointSizeF(), 14);
    EXPECT_TRUE(QRect(0, 0, 381, 156).contains(box));
    EXPECT_EQ(ImmaginiShell::Splash().size(), QSize(381, 156));
}

TEST_F(Schermo, CasellaDelMEM10BiancoSuNero) {
    QCheckBox* c = MDIFrm::IstanzaFRM_ZEBMenu->CHK_LoggaMEM10;
    const QImage img = c->grab().toImage();
    ASSERT_FALSE(img.isNull());
    // The background beyond the caption is the box's black, not a button grey.
    EXPECT_EQ(QColor(img.pixel(img.width() - 2, img.height() / 2)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(img.width() - 2, 1)), QColor(Qt::black));
    // The caption is there, in white.
    int bianchi = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (QColor(img.pixel(x, y)).lightness() > 230) ++bianchi;
    EXPECT_GT(bianchi, 20);
}

TEST_F(Schermo, LineeSottiliMaiPiuStretteDiUnPixel) {
    // The wizard bar's separators and the strip's row lines are 15 twips thick.
    f->show();
    f->SelezioneScheda(SCHEDA_ACQUISIZIONE_1);
    MDIFrm::IstanzaFRM_ZEBDashBoard->show();
    struct Misura {
        int w, h;
    };
    for (const Misura m : {Misura{1024, 640}, Misura{1100, 700}, Misura{1400, 900}, Misura{1920, 1050}}) {
        f->DisponiForme(m.w * 15, m.h * 15);
        QCoreApplication::processEvents();
        const std::string d = std::to_string(m.w) + "x" + std::to_string(m.h);
        auto* barra = MDIFrm::IstanzaFRM_ZEBMenuTop3;
        ASSERT_TRUE(barra->isVisible());
        const QImage img = barra->grab().toImage();
        for (const Casa::FormaGrafica* s : barra->SHP) {
            EXPECT_GE(s->width(), 1) << d;
            // The line shows in its colour along its whole height.
            const QColor colore = Casa::Colore(s->ColoreBordo());
            EXPECT_EQ(QColor(img.pixel(s->x(), s->y() + s->height() / 2)), colore) << d << " at x " << s->x();
        }
        for (Casa::FormaGrafica* s : MDIFrm::IstanzaFRM_ZEBDashBoard->SHP_LIN) {
            EXPECT_GE(s->height(), 1) << d;
            const QImage riga = s->grab().toImage();
            EXPECT_EQ(QColor(riga.pixel(riga.width() / 2, 0)), QColor(Qt::white)) << d;
        }
    }
}

TEST(SchermoLinee, UnaDimensioneNonNullaTieneAlmenoUnPixel) {
    struct Caso {
        Indicatori::Rettangolo r;
        QRect atteso;
    };
    const Caso casi[] = {
        {{2722.6f, 0, 13.9f, 795}, QRect(182, 0, 1, 53)}, // between two pixel edges
        {{2700, 100, 7, 3}, QRect(180, 7, 1, 1)},         // far below a pixel
        {{0, 0, 30, 30}, QRect(0, 0, 2, 2)},              // rounding as before
        {{15, 15, 0, 0}, QRect(1, 1, 0, 0)},              // nothing stays nothing
    };
    for (const Caso& c : casi) EXPECT_EQ(Indicatori::RettangoloPixel(c.r), c.atteso) << c.r.Left << "," << c.r.Width;

    // The same for the controls the forms place.
    QWidget forma;
    Casa::FormaGrafica linea(&forma, Casa::FormaGrafica::Tipo::Rettangolo, 2, false);
    linea.ColoreBordo(0xFFFFFF);
    Casa::Colloca(&linea, 2722.6, 0, 13.9, 795);
    EXPECT_EQ(linea.geometry(), QRect(182, 0, 1, 53));
    Casa::Colloca(&linea, 0, 690, 1635, 7);
    EXPECT_EQ(linea.geometry(), QRect(0, 46, 109, 1));
    // A shape thinner than its outline is all outline.
    const QImage img = linea.grab().toImage();
    for (int x : {0, 54, 108}) EXPECT_EQ(QColor(img.pixel(x, 0)), QColor(Qt::white)) << x;
}
