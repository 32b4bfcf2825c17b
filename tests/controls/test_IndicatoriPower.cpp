#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "support/SupportoTest.h"
#include "controls/PowerIndicatore.h"

namespace {

constexpr int N = PowerIndicatore::NumeroBarre;

// Number of lit bars, and whether they form a run from bar 0.
std::pair<int, bool> Conta(const std::array<bool, N>& accese) {
    int n = 0;
    while (n < N && accese[static_cast<size_t>(n)]) ++n;
    bool sequenza = true;
    for (int i = n; i < N; ++i) sequenza = sequenza && !accese[static_cast<size_t>(i)];
    return {n, sequenza};
}

// The set-up of the home page's instances: green, yellow, red; ends 10 and 15.
void ImpostaComePagina(PowerIndicatore& p, int32_t massimo) {
    p.SL_COLORE_1_H(0xFF00);
    p.SL_COLORE_1_L(0x7700);
    p.SL_COLORE_1_X(10);
    p.SL_COLORE_2_H(0xFFFF);
    p.SL_COLORE_2_L(0x7777);
    p.SL_COLORE_2_X(15);
    p.SL_COLORE_3_H(0xFF);
    p.SL_COLORE_3_L(0x77);
    p.SL_ValMin(0);
    p.SL_ValMax(massimo);
}

using SupportoTest::Pixel;

} // namespace

TEST(PowerIndicatore, GeometriaDelleBarre) {
    struct Caso { int i; float l, t, w, h; };
    const Caso casi[] = {{0, 120, 1740, 195, 735},    {12, 3720, 1740, 195, 735}, {13, 4020, 1620, 195, 855},
                         {18, 5520, 1020, 195, 1455}, {19, 5820, 900, 195, 1575}, {23, 7020, 900, 195, 1575}};
    for (const auto& c : casi) {
        const auto r = PowerIndicatore::GeometriaBarra(c.i);
        EXPECT_EQ(r.Left, c.l) << c.i;
        EXPECT_EQ(r.Top, c.t) << c.i;
        EXPECT_EQ(r.Width, c.w) << c.i;
        EXPECT_EQ(r.Height, c.h) << c.i;
        EXPECT_EQ(r.Top + r.Height, 2475.0f) << c.i;
    }
}

TEST(PowerIndicatore, BarreAccese) {
    struct Caso { float min, max, v; int accese; };
    const Caso casi[] = {{0, 6000, 3500, 14}, {0, 6000, 0, 1},   {0, 6000, 6000, 24}, {0, 6000, 5999, 23},
                         {0, 120, 60, 12},    {0, 23, 11.5f, 12}, {0, 23, 12.5f, 13},  {0, 0, 0, 24},
                         {0, 4200, 4200, 24}, {-100, 100, -100, 1}};
    for (const auto& c : casi) {
        const auto [n, sequenza] = Conta(PowerIndicatore::BarreAccese(c.min, c.max, c.v));
        EXPECT_EQ(n, c.accese) << c.min << ".." << c.max << " " << c.v;
        EXPECT_TRUE(sequenza);
    }
}

TEST(PowerIndicatore, BandeDelleBarre) {
    auto bande = [](std::initializer_list<std::pair<int, int>> tratti) {
        std::array<int, N> b{};
        int i = 0;
        for (const auto& [banda, quante] : tratti)
            for (int k = 0; k < quante; ++k) b[static_cast<size_t>(i++)] = banda;
        return b;
    };
    EXPECT_EQ(PowerIndicatore::BandeBarre(10, 15), bande({{1, 11}, {2, 5}, {3, 8}}));
    EXPECT_EQ(PowerIndicatore::BandeBarre(0, 0), bande({{1, 1}, {3, 23}}));
    // Band 2 empty; band 3 starts after its end and repaints the end of band 1.
    EXPECT_EQ(PowerIndicatore::BandeBarre(15, 10), bande({{1, 11}, {3, 13}}));
    // Ends outside the bars are held to the bars that exist.
    EXPECT_EQ(PowerIndicatore::BandeBarre(-3, 30), bande({{2, 24}}));
    EXPECT_EQ(PowerIndicatore::BandeBarre(30, 40), bande({{1, 24}}));
    EXPECT_EQ(PowerIndicatore::BandeBarre(5, -1), bande({{3, 24}}));
    EXPECT_EQ(PowerIndicatore::BandeBarre(300, -500), bande({{3, 24}}));
    EXPECT_EQ(PowerIndicatore::BandeBarre(23, 23), bande({{1, 24}}));
}

TEST(PowerIndicatore, StatoIniziale) {
    PowerIndicatore p;
    EXPECT_EQ(p.size(), QSize(494, 174));
    EXPECT_EQ(p.SL_TITLEFont_Nome(), "LCD");
    EXPECT_TRUE(p.SL_TITLEFont_Bold());
    EXPECT_FALSE(p.LAB_CENTER().Grassetto);
    EXPECT_EQ(p.LAB_CENTER().Caption, "6500");
    EXPECT_EQ(p.LBL_TITLE().Caption, "RPM");
    EXPECT_EQ(p.SHP_BORDER().ColoreRiempimento, 0xFFFFFF);
    // A layout at the design size: 21.75 shown as 22, 48 as 48.
    EXPECT_EQ(p.LBL_TITLE().DimensioneFont, 22.0f);
    EXPECT_EQ(p.LAB_CENTER().DimensioneFont, 48.0f);
    p.SL_ValOre(55);
    EXPECT_EQ(p.SL_ValOre(), 0.0f);
}

TEST(PowerIndicatore, ValoreSulleBarre) {
    PowerIndicatore p;
    ImpostaComePagina(p, 6000);
    // Before any value every bar is lit.
    for (int i = 0; i < N; ++i) EXPECT_EQ(p.SHP_COLBAR(i).ColoreRiempimento, i <= 10 ? 0xFF00 : (i <= 15 ? 0xFFFF : 0xFF));
    p.SL_ValOre(3500);
    for (int i = 0; i < N; ++i) {
        const int32_t alto = i <= 10 ? 0xFF00 : (i <= 15 ? 0xFFFF : 0xFF);
        const int32_t basso = i <= 10 ? 0x7700 : (i <= 15 ? 0x7777 : 0x77);
        EXPECT_EQ(p.SHP_COLBAR(i).ColoreBordo, basso) << i;
        EXPECT_EQ(p.SHP_COLBAR(i).ColoreRiempimento, i <= 13 ? alto : basso) << i;
    }
    p.SL_ValOre(9000);
    EXPECT_EQ(p.SL_ValOre(), 6000.0f);
    EXPECT_EQ(p.SHP_COLBAR(23).ColoreRiempimento, 0xFF);
    // Any look property lights every bar again until the next value.
    p.SL_ValOre(0);
    EXPECT_EQ(p.SHP_COLBAR(5).ColoreRiempimento, 0x7700);
    p.SL_BACK_Color(0xEEEEEE);
    EXPECT_EQ(p.SHP_COLBAR(5).ColoreRiempimento, 0xFF00);
    EXPECT_EQ(p.SHP_COLBAR(20).ColoreRiempimento, 0xFF);
}

TEST(PowerIndicatore, BandaConfusaConLaPrima) {
    PowerIndicatore p;
    ImpostaComePagina(p, 120);
    p.SL_COLORE_2_L(0x7700); // same dark colour as band 1
    p.SL_ValOre(0);
    EXPECT_EQ(p.SHP_COLBAR(12).ColoreRiempimento, 0xFFFF); // neither of band 1's colours: stays lit
    EXPECT_EQ(p.SHP_COLBAR(5).ColoreRiempimento, 0x7700);
    EXPECT_EQ(p.SHP_COLBAR(20).ColoreRiempimento, 0x77);
}

TEST(PowerIndicatore, EstremiDiBandaFuoriDalleBarre) {
    PowerIndicatore p;
    ImpostaComePagina(p, 6000);
    p.SL_COLORE_2_X(100);
    EXPECT_EQ(p.SL_COLORE_2_X(), 100);
    EXPECT_EQ(p.SHP_COLBAR(23).ColoreBordo, 0x7777);
    p.SL_COLORE_1_X(-5);
    EXPECT_EQ(p.SHP_COLBAR(0).ColoreBordo, 0x7777);
    p.SL_COLORE_2_X(-300);
    EXPECT_EQ(p.SHP_COLBAR(0).ColoreBordo, 0x77);
    p.SL_ValOre(3000);
    EXPECT_EQ(p.SHP_COLBAR(0).ColoreRiempimento, 0xFF);
    EXPECT_EQ(p.SHP_COLBAR(23).ColoreRiempimento, 0x77);
}

TEST(PowerIndicatore, CharsetSoloSulTitolo) {
    PowerIndicatore p;
    p.PI_AggiornaCharset(204, "Tahoma");
    EXPECT_EQ(p.LBL_TITLE().NomeFont, "Tahoma");
    EXPECT_EQ(p.LBL_TITLE().Charset, 204);
    EXPECT_EQ(p.LAB_CENTER().NomeFont, "LCD");
    EXPECT_EQ(p.LAB_CENTER().Charset, 0);
    p.SL_COLORE_3_H(0xFF);
    EXPECT_EQ(p.LBL_TITLE().NomeFont, "LCD");
    EXPECT_EQ(p.LBL_TITLE().Charset, 204);
}

TEST(PowerIndicatore, RidimensionamentoEFont) {
    PowerIndicatore p;
    p.resize(988, 174);
    p.UserControl_Resize();
    EXPECT_EQ(p.LBL_TITLE().DimensioneFont, 44.0f); // 43.5 to even
    EXPECT_EQ(p.LAB_CENTER().DimensioneFont, 96.0f);
    EXPECT_EQ(p.SHP_COLBAR(1).R.Left, 840.0f);
    EXPECT_EQ(p.SHP_COLBAR(1).R.Height, 735.0f);
    p.resize(988, 348);
    p.UserControl_Resize();
    EXPECT_EQ(p.LBL_TITLE().DimensioneFont, 44.0f);
    EXPECT_EQ(p.SHP_COLBAR(23).R.Top, 1800.0f);
}

TEST(PowerIndicatore, DisegnoDelleBarre) {
    PowerIndicatore p;
    ImpostaComePagina(p, 6000);
    p.SL_ValOre(3500);
    auto barra = [&](int i) { return Pixel(p, (120 + 300 * i + 97) / 15, 2300 / 15); };
    EXPECT_EQ(barra(0), QColor(0, 255, 0));
    EXPECT_EQ(barra(10), QColor(0, 255, 0));
    EXPECT_EQ(barra(11), QColor(255, 255, 0));
    EXPECT_EQ(barra(13), QColor(255, 255, 0));
    EXPECT_EQ(barra(14), QColor(0x77, 0x77, 0));
    EXPECT_EQ(barra(16), QColor(0x77, 0, 0));
    EXPECT_EQ(barra(23), QColor(0x77, 0, 0));
    EXPECT_EQ(Pixel(p, 5, 150), QColor(255, 255, 255)); // the face
}

TEST(PowerIndicatore, RidottoANullaRitornaComeEra) {
    // A control squeezed to nothing keeps its layout and grows back from the last real size.
    PowerIndicatore p;
    p.resize(0, 0);
    p.UserControl_Resize();
    p.resize(494, 174);
    p.UserControl_Resize();
    EXPECT_EQ(p.SHP_COLBAR(1).R.Left, 420.0f);
    EXPECT_EQ(p.LBL_TITLE().DimensioneFont, 22.0f);
}
