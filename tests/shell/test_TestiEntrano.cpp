// Every text of every shipped language fits its control, from the minimum
// window size up: the captions of the three top bars, the names and state
// texts of the dashboard strip and the titles of the home page's gauges.
#include <QtCore/QCoreApplication>
#include <QtGui/QFontMetrics>
#include <QtWidgets/QLabel>

#include "controls/PowerIndicatore.h"
#include "core/ModMainDizionario.h"
#include "platform/Caratteri.h"
#include "platform/Charset.h"
#include "shell/CasaControlli.h"
#include "shell/FRM_ZEBDashBoard.h"
#include "shell/FRM_ZEBLanguage.h"
#include "shell/FRM_ZEBMain.h"
#include "shell/FRM_ZEBMenuTop.h"
#include "shell/FRM_ZEBMenuTop2.h"
#include "shell/FRM_ZEBMenuTop3.h"
#include "shell/FRM_ZEBPortSearch.h"
#include "shell/FissaggioShell.h"
#include "support/SupportoTest.h"

namespace {

struct MisuraFinestra {
    int larghezza, altezza;
};
// The minimum, a common laptop size and a maximised full-HD window, then the
// minimum again: fonts are rounded at every resize, so the size they end at
// depends on the way there (straight from the design the bars get 8 points,
// coming back from a larger window 7).
const MisuraFinestra MisureProvate[] = {{1024, 640}, {1400, 900}, {1920, 1050}, {1024, 640}};

class TestiEntrano : public FissaggioShell {
protected:
    void SetUp() override {
        FissaggioShell::SetUp();
        dizionario_ = ModMain::Dizionario;
        lingue_.PathDizionario(base_.File("lng/diz.diz"));
        lingue_.PathAttualeLingua(base_.File("lng/diz.con"));
        ASSERT_TRUE(lingue_.LoadDizionario());
        ModMain::Dizionario = &lingue_;
        f->show();
        // Connected: the strip is shown in place of the port search.
        MDIFrm::IstanzaFRM_ZEBPortSearch->hide();
        MDIFrm::IstanzaFRM_ZEBDashBoard->show();
    }
    void TearDown() override {
        f->hide();
        ModMain::Dizionario = dizionario_;
        FissaggioShell::TearDown();
    }
    // The shipped dictionary in language `lingua` (through the language strip,
    // as the user picks it), page `pagina` shown at an outer size of w x h pixels.
    void Mostra(int16_t lingua, const MisuraFinestra& m, int32_t pagina) {
        MDIFrm::IstanzaFRM_ZEBLanguage->BUT_Lang_Click(lingua);
        ASSERT_EQ(lingue_.IdLingua(), lingua);
        // Laid out before the page shows, so that a form shown for the first
        // time scales straight from its design size.
        f->DisponiForme(m.larghezza * 15, m.altezza * 15);
        f->SelezioneScheda(pagina);
        QCoreApplication::processEvents();
    }
    static std::string Dove(int16_t lingua, const MisuraFinestra& m) {
        return "language " + std::to_string(lingua) + " at " + std::to_string(m.larghezza) + "x" +
               std::to_string(m.altezza);
    }

    SupportoTest::CartellaBase base_;
    ClsLingue lingue_;

private:
    ClsLingue* dizionario_ = nullptr;
};

// The caption as the button draws it: its font in pixels (points x 4 / 3),
// inside the face less the 4-pixel edges.
bool CaptionEntra(const PulsanteGrafico* b) {
    QFont font = b->Font();
    font.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * 20.0 / 15.0)));
    return Piattaforma::TestoEntra(font, b->Caption(), QSize(b->width() - 8, b->height() - 9),
                                   Qt::TextWordWrap | Qt::TextShowMnemonic);
}

// A dashboard text, in the font the label draws it in, inside the label and
// `margine` pixels clear of either side; the font no smaller than `minimo` points.
::testing::AssertionResult EtichettaEntra(QLabel* l, const QString& testo, int margine, double minimo) {
    const QString prima = l->text();
    l->setText(testo);
    const QFont font = Casa::FontMostrato(l);
    l->setText(prima);
    const QSize area(l->width() - 2 * margine, l->height());
    if (!Piattaforma::TestoEntra(font, testo, area, Qt::TextWordWrap | Qt::AlignHCenter))
        return ::testing::AssertionFailure() << "\"" << testo.toStdString() << "\" does not fit " << area.width()
                                             << "x" << area.height() << " at " << font.pointSizeF() << " pt";
    if (font.pointSizeF() < minimo)
        return ::testing::AssertionFailure() << "\"" << testo.toStdString() << "\" shrunk to " << font.pointSizeF()
                                             << " pt";
    return ::testing::AssertionSuccess();
}

} // namespace

TEST_F(TestiEntrano, CaptionDelleBarre) {
    const std::pair<BarraMenuTop*, int32_t> barre[] = {{MDIFrm::IstanzaFRM_ZEBMenuTop, SCHEDA_COMMUTAZIONE},
                                                       {MDIFrm::IstanzaFRM_ZEBMenuTop2, SCHEDA_PRINCIPALE},
                                                       {MDIFrm::IstanzaFRM_ZEBMenuTop3, SCHEDA_ACQUISIZIONE_1}};
    for (int16_t lingua = 0; lingua <= lingue_.UboundLingue(); ++lingua)
        for (const MisuraFinestra& m : MisureProvate)
            for (const auto& [barra, pagina] : barre) {
                ASSERT_NO_FATAL_FAILURE(Mostra(lingua, m, pagina));
                ASSERT_TRUE(barra->isVisible());
                double punti = 0;
                for (const PulsanteGrafico* b : barra->BUT_Menu) {
                    if (!b) continue;
                    EXPECT_FALSE(b->Caption().isEmpty());
                    EXPECT_TRUE(CaptionEntra(b)) << Dove(lingua, m) << ": \"" << b->Caption().toStdString()
                                                 << "\" in " << b->width() << "x" << b->height() << " at "
                                                 << b->Font().pointSizeF() << " pt";
                    // One size across the bar, and never smaller than readable.
                    if (punti == 0) punti = b->Font().pointSizeF();
                    EXPECT_EQ(b->Font().pointSizeF(), punti) << Dove(lingua, m);
                    EXPECT_GE(b->Font().pointSizeF(), 7) << Dove(lingua, m);
                }
            }
}

TEST_F(TestiEntrano, NomiEStatiDelCruscotto) {
    auto* d = MDIFrm::IstanzaFRM_ZEBDashBoard;
    for (int16_t lingua = 0; lingua <= lingue_.UboundLingue(); ++lingua)
        for (const MisuraFinestra& m : MisureProvate) {
            ASSERT_NO_FATAL_FAILURE(Mostra(lingua, m, SCHEDA_HOME));
            ASSERT_TRUE(d->isVisible());
            // Texts shrink only as far as needed: at the minimum size none below 7 points.
            const double minimo = m.larghezza == 1024 ? 7 : 0;
            // Names keep 2 pixels clear of the value beside them.
            for (const auto* serie : {&d->LABSXH, &d->LABSXL})
                for (QLabel* l : *serie) {
                    if (!l) continue;
                    EXPECT_FALSE(l->text().isEmpty()) << l->objectName().toStdString();
                    EXPECT_TRUE(EtichettaEntra(l, l->text(), 2, minimo)) << Dove(lingua, m);
                }
            EXPECT_TRUE(EtichettaEntra(d->LABDIDA, d->LABDIDA->text(), 0, 6)) << Dove(lingua, m);
            // Every state text the state label can show, as it shows it.
            for (const std::string* t : {&d->TestoStato2, &d->TestoStato3, &d->TestoStato4, &d->TestoStato18,
                                         &d->TestoStato19}) {
                const QString testo = ModMain::TestoLingua(*t).toUpper();
                EXPECT_FALSE(testo.isEmpty());
                EXPECT_TRUE(EtichettaEntra(d->LABDXH[4], testo, 0, minimo)) << Dove(lingua, m);
            }
        }
}

TEST_F(TestiEntrano, TitoliDegliIndicatoriConDiscendenti) {
    auto* casa = MDIFrm::IstanzaFRM_ZEBMain;
    for (int16_t lingua = 0; lingua <= lingue_.UboundLingue(); ++lingua)
        for (const MisuraFinestra& m : MisureProvate) {
            ASSERT_NO_FATAL_FAILURE(Mostra(lingua, m, SCHEDA_PRINCIPALE));
            for (const PowerIndicatore* p : {casa->PI_RPM, casa->PI_TRID, casa->PI_Press}) {
                const Indicatori::Etichetta& t = p->LBL_TITLE();
                ASSERT_FALSE(t.Caption.empty());
                const QRect box = Indicatori::RettangoloPixel(t.R);
                const QFont font = Indicatori::FontEtichetta(t);
                EXPECT_TRUE(Piattaforma::TestoEntra(font, Piattaforma::TestoDaCharset(t.Caption, t.Charset), box.size(),
                                                    Qt::TextWordWrap | Qt::AlignRight))
                    << Dove(lingua, m) << ": \"" << t.Caption << "\" in " << box.width() << "x" << box.height();
                // Whole lines, descenders included.
                EXPECT_LE(QFontMetrics(font).height(), box.height()) << Dove(lingua, m) << " " << t.Caption;
            }
        }
}
