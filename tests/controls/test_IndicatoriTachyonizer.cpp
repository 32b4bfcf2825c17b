#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "support/SupportoTest.h"
#include "controls/PulsanteGraficoColori.h"
#include "controls/Tachyonizer.h"

namespace {

using SupportoTest::Pixel;

} // namespace

TEST(Tachyonizer, AngoloDelValore) {
    struct Caso { double v; int32_t min, max, atteso; };
    const Caso casi[] = {
        {0, 0, 3000, -36},    {3000, 0, 3000, 216}, {1500, 0, 3000, 90},  {1000, 0, 3000, 48},
        {2000, 0, 3000, 132}, {2500, 1000, 4000, 90}, {1000, 1000, 4000, -36},
        {1, 0, 3, 48},        {-1, 0, 3000, -37},   // Int floors towards minus infinity
        {5, 100, 100, -36},   {100, 100, 100, -36}, // no span: the start angle, no division
    };
    for (const auto& c : casi)
        EXPECT_EQ(Tachyonizer::Angolo(c.v, c.min, c.max), c.atteso) << c.v << " in " << c.min << ".." << c.max;
}

TEST(Tachyonizer, PuntiDelQuadrante) {
    struct Caso { int32_t r, a; int x, y; };
    // Centre (3000, 3000); products rounded half to even, pi as 3.14159.
    const Caso casi[] = {
        {2000, -36, 1382, 4176}, {2000, 6, 1011, 2791},   {2000, 90, 3000, 1000},
        {2200, 132, 4472, 1365}, {2200, 216, 4780, 4293}, {1800, 174, 4790, 2812},
        {0, 48, 3000, 3000},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Tachyonizer::PuntoArco(3000, 3000, c.r, c.a), QPoint(c.x, c.y)) << c.r << " at " << c.a;
}

TEST(Tachyonizer, PassoScalaEColoreAgo) {
    EXPECT_EQ(Tachyonizer::PassoScala(0, 3000), 500);
    EXPECT_EQ(Tachyonizer::PassoScala(1000, 4000), 500);
    EXPECT_EQ(Tachyonizer::PassoScala(0, 3), 0);  // 0.5 to even
    EXPECT_EQ(Tachyonizer::PassoScala(0, 9), 2);  // 1.5 to even
    EXPECT_EQ(Tachyonizer::PassoScala(100, 100), 0);
    // Bands: strictly greater than the limit's angle.
    EXPECT_EQ(Tachyonizer::ColoreAgo(48, 48, 132, 1, 2, 3), 1);
    EXPECT_EQ(Tachyonizer::ColoreAgo(49, 48, 132, 1, 2, 3), 2);
    EXPECT_EQ(Tachyonizer::ColoreAgo(132, 48, 132, 1, 2, 3), 2);
    EXPECT_EQ(Tachyonizer::ColoreAgo(133, 48, 132, 1, 2, 3), 3);
}

TEST(Tachyonizer, StatoIniziale) {
    Tachyonizer t;
    EXPECT_EQ(t.width(), 400);
    EXPECT_EQ(t.TK_ValOre(), 1500.0f);
    EXPECT_EQ(t.TK_ValCha(), "1500");
    EXPECT_EQ(t.TK_Dida1(), "RPM (x100)");
    EXPECT_TRUE(t.TK_MainFont_Bold());
    EXPECT_FALSE(t.TK_ScalFont_Bold());
    const char* numeri[] = {"0", "500", "1000", "1500", "2000", "2500", "3000"};
    for (int k = 0; k <= 6; ++k) {
        EXPECT_EQ(t.LAB_SCALE(k).Caption, numeri[k]);
        EXPECT_EQ(t.LAB_SCALE(k).NomeFont, "Arial");
    }
    EXPECT_EQ(t.LAB_1().Caption, "RPM (x100)");
    EXPECT_EQ(t.LAB_VALUE().Caption, "1500");
    // Needle straight up, ending one tick length inside the ticks.
    EXPECT_EQ(t.LINE_MAIN().X1, 3000);
    EXPECT_EQ(t.LINE_MAIN().Y1, 3000);
    EXPECT_EQ(t.LINE_MAIN().X2, 3000);
    EXPECT_EQ(t.LINE_MAIN().Y2, 1200);
    EXPECT_EQ(t.LINE_MAIN().Colore, 0xFF);
    EXPECT_EQ(t.SHAPE_CENTER().ColoreBordo, 0xFF);
    // Seven ticks from radius 2000 to 2200.
    const int angoli[] = {-36, 6, 48, 90, 132, 174, 216};
    for (int k = 0; k <= 6; ++k) {
        const auto& l = t.LINE_SCALA(k);
        EXPECT_EQ(QPoint(l.X1, l.Y1), Tachyonizer::PuntoArco(3000, 3000, 2000, angoli[k])) << k;
        EXPECT_EQ(QPoint(l.X2, l.Y2), Tachyonizer::PuntoArco(3000, 3000, 2200, angoli[k])) << k;
        EXPECT_EQ(l.Spessore, 3);
    }
    // Circle inset by half its border; hub at the centre with no size.
    EXPECT_EQ(t.SHP_CIRCLE().R.Left, 15.0f);
    EXPECT_EQ(t.SHP_CIRCLE().R.Width, 6000.0f - 45.0f);
    EXPECT_EQ(t.SHAPE_CENTER().R.Left, 3000.0f);
    EXPECT_EQ(t.SHAPE_CENTER().R.Width, 0.0f);
    // Scale numbers at the outer tick ends.
    const auto& top = t.LAB_SCALE(3).R;
    EXPECT_EQ(top.Left, 3000 - top.Width / 2);
    EXPECT_EQ(top.Top, 800 - top.Height - 15);
    const auto& sinistra = t.LAB_SCALE(0).R;
    EXPECT_EQ(sinistra.Left, 1220 - sinistra.Width - 15);
    EXPECT_EQ(sinistra.Top, 4293 + 15);
    // Fonts after the first layout, rounded half to even.
    EXPECT_EQ(t.LAB_SCALE(0).DimensioneFont, 16.0f);
    EXPECT_EQ(t.LAB_1().DimensioneFont, 14.0f);
    EXPECT_EQ(t.LAB_VALUE().DimensioneFont, 32.0f);
}

TEST(Tachyonizer, ValoreTenutoNelCampo) {
    Tachyonizer t;
    t.TK_ValOre(-5);
    EXPECT_EQ(t.TK_ValOre(), 0.0f);
    EXPECT_EQ(QPoint(t.LINE_MAIN().X2, t.LINE_MAIN().Y2), Tachyonizer::PuntoArco(3000, 3000, 1800, -36));
    t.TK_ValOre(99999);
    EXPECT_EQ(t.TK_ValOre(), 3000.0f);
    EXPECT_EQ(QPoint(t.LINE_MAIN().X2, t.LINE_MAIN().Y2), Tachyonizer::PuntoArco(3000, 3000, 1800, 216));
}

TEST(Tachyonizer, ColoreDelleBande) {
    Tachyonizer t;
    t.TK_Colore1(0xFF00);
    t.TK_Colore2(0xFFFF);
    t.TK_Colore3(0xFF0000);
    struct Caso { float v; int32_t colore; };
    const Caso casi[] = {{0, 0xFF00}, {1000, 0xFF00}, {1013, 0xFFFF}, {2000, 0xFFFF}, {2013, 0xFF0000}, {3000, 0xFF0000}};
    for (const auto& c : casi) {
        t.TK_ValOre(c.v);
        EXPECT_EQ(t.LINE_MAIN().Colore, c.colore) << c.v;
        EXPECT_EQ(t.SHAPE_CENTER().ColoreBordo, c.colore) << c.v;
    }
}

TEST(Tachyonizer, CampoSpostatoNumeriDaZero) {
    Tachyonizer t;
    t.TK_ValMin(1000);
    t.TK_ValMax(4000);
    t.Aggiorna_Parametri_Visuali();
    const char* numeri[] = {"0", "500", "1000", "1500", "2000", "2500", "3000"};
    for (int k = 0; k <= 6; ++k) EXPECT_EQ(t.LAB_SCALE(k).Caption, numeri[k]);
    t.TK_ValOre(2500);
    EXPECT_EQ(QPoint(t.LINE_MAIN().X2, t.LINE_MAIN().Y2), QPoint(3000, 1200));
    t.TK_ValOre(500);
    EXPECT_EQ(t.TK_ValOre(), 1000.0f);
}

TEST(Tachyonizer, CampoNulloSenzaErrore) {
    Tachyonizer t;
    t.TK_ValMin(100);
    t.TK_ValMax(100);
    t.TK_ValOre(250);
    EXPECT_EQ(t.TK_ValOre(), 100.0f);
    EXPECT_EQ(QPoint(t.LINE_MAIN().X2, t.LINE_MAIN().Y2), Tachyonizer::PuntoArco(3000, 3000, 1800, -36));
    t.Aggiorna_Parametri_Visuali();
    for (int k = 0; k <= 6; ++k) EXPECT_EQ(t.LAB_SCALE(k).Caption, "0");
    // The ticks keep their seven places.
    t.resize(300, 300);
    t.UserControl_Resize();
    EXPECT_EQ(QPoint(t.LINE_SCALA(6).X1, t.LINE_SCALA(6).Y1), Tachyonizer::PuntoArco(2250, 2250, 1500, 216));
}

TEST(Tachyonizer, ProprietaDiAspettoAttendonoAggiornamento) {
    Tachyonizer t;
    t.TK_Colore_Scala(0xFF);
    t.TK_ScalFont_Nome("Tahoma");
    t.TK_Dida2("bar");
    EXPECT_EQ(t.LINE_SCALA(0).Colore, 0);
    EXPECT_EQ(t.LAB_SCALE(0).NomeFont, "Arial");
    EXPECT_EQ(t.LAB_2().Caption, "bar"); // captions are immediate
    t.UserControl_Resize();              // ticks take colour at every resize
    EXPECT_EQ(t.LINE_SCALA(0).Colore, 0xFF);
    EXPECT_EQ(t.LAB_SCALE(0).NomeFont, "Arial");
    t.Aggiorna_Parametri_Visuali();
    EXPECT_EQ(t.LAB_SCALE(0).NomeFont, "Tahoma");
}

TEST(Tachyonizer, RidimensionamentoEFont) {
    Tachyonizer t;
    t.resize(400, 200); // height only
    t.UserControl_Resize();
    EXPECT_EQ(t.LAB_SCALE(0).DimensioneFont, 16.0f);
    EXPECT_EQ(t.LAB_1().DimensioneFont, 14.0f);
    EXPECT_EQ(t.LAB_VALUE().DimensioneFont, 32.0f);
    EXPECT_FLOAT_EQ(t.LAB_VALUE().R.Top, 3660.0f / 2);
    t.resize(800, 200); // width doubled: 31.5, 28.5, 64.5 applied half to even
    t.UserControl_Resize();
    EXPECT_EQ(t.LAB_SCALE(0).DimensioneFont, 32.0f);
    EXPECT_EQ(t.LAB_1().DimensioneFont, 28.0f);
    EXPECT_EQ(t.LAB_VALUE().DimensioneFont, 64.0f);
    EXPECT_FLOAT_EQ(t.LAB_VALUE().R.Left, 2130.0f * 2);
    // Radii follow the height alone.
    EXPECT_EQ(QPoint(t.LINE_MAIN().X2, t.LINE_MAIN().Y2), QPoint(6000, 1500 - 900));
}

TEST(Tachyonizer, CharsetELingua) {
    Tachyonizer t;
    t.TA_AggiornaCharset(204, "Tahoma");
    for (const auto* e : {&t.LAB_SCALE(0), &t.LAB_SCALE(6), &t.LAB_VALUE(), &t.LAB_1(), &t.LAB_2()}) {
        EXPECT_EQ(e->Charset, 204);
        EXPECT_EQ(e->NomeFont, "Tahoma");
    }
}

TEST(Tachyonizer, DisegnoAgoEFondo) {
    Tachyonizer t;
    t.TK_Colore1(0xFF00);
    t.TK_Colore3(0xFF0000);
    t.TK_ValOre(1500); // straight up, band 2 (red by default)
    EXPECT_EQ(Pixel(t, 200, 110), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(t, 200, 200), QColor(255, 0, 0)); // hub
    t.TK_ValOre(0);    // down left, band 1
    EXPECT_EQ(Pixel(t, 200, 110), QColor(255, 255, 255));
    const QPoint meta = Tachyonizer::PuntoArco(3000, 3000, 900, -36);
    EXPECT_EQ(Pixel(t, meta.x() / 15, meta.y() / 15), QColor(0, 255, 0));
    EXPECT_EQ(Pixel(t, 200, 200), QColor(0, 255, 0));
    t.TK_ValOre(2500); // band 3
    EXPECT_EQ(Pixel(t, 200, 200), QColor(0, 0, 255));
    // The tick at the top and the dial's rim are black.
    EXPECT_EQ(Pixel(t, 200, 60), QColor(0, 0, 0));
    EXPECT_EQ(Pixel(t, 200, 1), QColor(0, 0, 0));
}
