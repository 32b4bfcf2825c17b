#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QImage>

#include "support/SupportoTest.h"
#include "controls/SlideIndicatore.h"

namespace {

using Accese = std::array<bool, SlideIndicatore::NumeroLampade>;

Accese Da(int primo, int ultimo) {
    Accese a{};
    for (int k = primo; k <= ultimo; ++k) a[static_cast<size_t>(k)] = true;
    return a;
}

// Lit lamps as the control shows them, read from their colours.
Accese AcceseSulControllo(const SlideIndicatore& s) {
    Accese a{};
    for (int k = 0; k < SlideIndicatore::NumeroLampade; ++k) {
        const auto acceso = SlideIndicatore::ColoriLampada(SlideIndicatore::FamigliaLampada(k), true);
        a[static_cast<size_t>(k)] = s.SHP_IND(k).ColoreBordo == acceso.Bordo && s.SHP_IND(k).ColoreRiempimento == acceso.Riempimento;
    }
    return a;
}

// The cursor's lamp: the one it is centred on.
int LampadaCursore(const SlideIndicatore& s) {
    for (int k = 0; k < SlideIndicatore::NumeroLampade; ++k) {
        const auto& l = s.SHP_IND(k).R;
        const auto& c = s.SHP_CURSOR().R;
        if (std::abs((c.Left + c.Width / 2) - (l.Left + l.Width / 2)) <= 1) return k;
    }
    return -1;
}

using SupportoTest::Pixel;

} // namespace

TEST(SlideIndicatore, LampadeECursore) {
    struct Caso { float min, max, v; Accese accese; int cursore; };
    const Caso casi[] = {
        {0, 5, 2.5f, Da(7, 7), 7},        {0, 5, 0, Da(0, 7), 0},          {0, 5, 5, Da(7, 14), 14},
        {0, 5, 1.2f, Da(3, 7), 3},        {-2500, 2500, 0, Da(7, 7), 7},   {-2500, 2500, 1000, Da(7, 10), 10},
        {-2500, 2500, -2500, Da(0, 7), 0}, {0, 15, 4, Da(4, 7), 3},        {0, 15, 10, Da(7, 10), 9},
        {0, 0, 0, Da(7, 14), 0},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(SlideIndicatore::LampadeAccese(c.min, c.max, c.v), c.accese) << c.min << ".." << c.max << " " << c.v;
        EXPECT_EQ(SlideIndicatore::PosizioneCursore(c.min, c.max, c.v), c.cursore) << c.min << ".." << c.max << " " << c.v;
    }
    // No interval holds a value when the range runs backwards.
    EXPECT_FALSE(SlideIndicatore::PosizioneCursore(5, 0, 5).has_value());
}

TEST(SlideIndicatore, FamiglieDiColore) {
    using F = SlideIndicatore::Famiglia;
    EXPECT_EQ(SlideIndicatore::FamigliaDaBordo(0xC0C0), F::Giallo);
    EXPECT_EQ(SlideIndicatore::FamigliaDaBordo(0x4040), F::Giallo);
    EXPECT_EQ(SlideIndicatore::FamigliaDaBordo(0xC0), F::Rosso);
    EXPECT_EQ(SlideIndicatore::FamigliaDaBordo(0x40), F::Rosso);
    EXPECT_EQ(SlideIndicatore::FamigliaDaBordo(0xC000), F::Verde);
    EXPECT_EQ(SlideIndicatore::FamigliaDaBordo(0x123456), F::Verde);
    EXPECT_EQ(SlideIndicatore::ColoriLampada(F::Verde, false), (SlideIndicatore::ColoriFigura{0x4000, 0x8000}));
    EXPECT_EQ(SlideIndicatore::ColoriLampada(F::Giallo, true), (SlideIndicatore::ColoriFigura{0xC0C0, 0xFFFF}));
    EXPECT_EQ(SlideIndicatore::ColoriLampada(F::Rosso, true), (SlideIndicatore::ColoriFigura{0xC0, 0xFF}));
}

TEST(SlideIndicatore, StatoIniziale) {
    SlideIndicatore s;
    EXPECT_EQ(s.size(), QSize(492, 92));
    EXPECT_TRUE(s.SL_LambTy());
    EXPECT_EQ(s.SL_STRTit(), "");
    EXPECT_EQ(s.LBL_TITLE().Caption, "TITOLO");
    EXPECT_EQ(s.LBL_TITLE().NomeFont, "Arial");
    EXPECT_TRUE(s.LBL_TITLE().Grassetto);
    EXPECT_FALSE(s.LAB_LEFT().Grassetto);
    EXPECT_EQ(AcceseSulControllo(s), Accese{});
    EXPECT_EQ(s.SHP_CURSOR().R.Left, 3600.0f);
    EXPECT_EQ(s.SHP_CURSOR().ColoreRiempimento, 0xFF0000);
    EXPECT_FALSE(s.TMR_FLASHING()->isActive());
    EXPECT_EQ(s.TMR_FLASHING()->interval(), 200);
    // Zone strip hidden in lamp mode; its colours are fixed at creation.
    EXPECT_FALSE(s.SHP_COLBAR(0).Visibile);
    EXPECT_EQ(s.SHP_COLBAR(4).ColoreRiempimento, 0xC0);
    EXPECT_EQ(s.SHP_COLBAR(2).ColoreBordo, 0x8000);
    // A layout at the design size applies 13.5 points as 14.
    EXPECT_EQ(s.LBL_TITLE().DimensioneFont, 14.0f);
    EXPECT_EQ(s.LAB_CENTER().DimensioneFont, 14.0f);
}

TEST(SlideIndicatore, ValoreConCampoPredefinito) {
    SlideIndicatore s;
    s.SL_ValOre(7); // range 0..0
    EXPECT_EQ(s.SL_ValOre(), 0.0f);
    EXPECT_EQ(AcceseSulControllo(s), Da(7, 14));
    EXPECT_EQ(LampadaCursore(s), 0);
    // Centred on lamp 0: 112 twips right of its edge, 60 above its top.
    EXPECT_EQ(s.SHP_CURSOR().R.Left, 232.0f);
    EXPECT_EQ(s.SHP_CURSOR().R.Top, 420.0f);
    EXPECT_EQ(s.SHP_CURSOR().ColoreBordo, s.SHP_IND(0).ColoreBordo);
    EXPECT_EQ(s.SHP_CURSOR().ColoreRiempimento, 0x8000);
}

TEST(SlideIndicatore, CampoEValoreNelControllo) {
    SlideIndicatore s;
    s.SL_ValMin(0);
    s.SL_ValMax(5);
    s.SL_ValOre(6);
    EXPECT_EQ(s.SL_ValOre(), 5.0f);
    EXPECT_EQ(AcceseSulControllo(s), Da(7, 14));
    EXPECT_EQ(LampadaCursore(s), 14);
    EXPECT_EQ(s.SHP_CURSOR().ColoreRiempimento, 0xFF); // lit red
    // A new range waits for the next value.
    s.SL_ValMax(15);
    EXPECT_EQ(AcceseSulControllo(s), Da(7, 14));
    s.SL_ValOre(10);
    EXPECT_EQ(AcceseSulControllo(s), Da(7, 10));
    EXPECT_EQ(LampadaCursore(s), 9);
    // A backwards range leaves the cursor where it was.
    s.SL_ValMin(20);
    s.SL_ValOre(3);
    EXPECT_EQ(LampadaCursore(s), 9);
}

TEST(SlideIndicatore, CampoArrotondatoInIngresso) {
    SlideIndicatore s;
    s.SL_ValMin(2.5);
    s.SL_ValMax(3.5);
    EXPECT_EQ(s.SL_ValMin(), 2);
    EXPECT_EQ(s.SL_ValMax(), 4);
    s.SL_ValMin(-2.5);
    EXPECT_EQ(s.SL_ValMin(), -2);
}

TEST(SlideIndicatore, CursoreInModalitaZone) {
    SlideIndicatore s;
    s.SL_LambTy(false);
    EXPECT_TRUE(s.SHP_COLBAR(2).Visibile);
    EXPECT_FALSE(s.SHP_IND(7).Visibile);
    s.SL_ValMax(5);
    for (float v : {0.0f, 2.5f, 5.0f}) {
        s.SL_ValOre(v);
        EXPECT_EQ(s.SHP_CURSOR().ColoreBordo, 0xC0C0C0) << v;
        EXPECT_EQ(s.SHP_CURSOR().ColoreRiempimento, 0xFFFFFF) << v;
    }
    // Lamps are recoloured while hidden.
    s.SL_ValOre(1.2f);
    EXPECT_EQ(AcceseSulControllo(s), Da(3, 7));
}

TEST(SlideIndicatore, DidascalieEAspetto) {
    SlideIndicatore s;
    s.SL_STRTit("Lambda 1");
    s.SL_STRLef("0 V");
    s.SL_STRRig("5 V");
    s.SL_STRVal("0.45");
    EXPECT_EQ(s.LBL_TITLE().Caption, "Lambda 1");
    EXPECT_EQ(s.LAB_LEFT().Caption, "0 V");
    EXPECT_EQ(s.LAB_RIGHT().Caption, "5 V");
    EXPECT_EQ(s.LAB_CENTER().Caption, "0.45");
    s.SL_ShpRound(true);
    s.SL_ShpBkVis(false);
    s.SL_BACK_Color(0x123456);
    s.SL_BORDER_Color(0xFF);
    EXPECT_EQ(s.SHP_BORDER().Forma, Indicatori::FormaFigura::RettangoloArrotondato);
    EXPECT_FALSE(s.SHP_BACK().Visibile);
    EXPECT_EQ(s.SHP_BACK().ColoreRiempimento, 0x123456);
    EXPECT_EQ(s.SHP_BORDER().ColoreBordo, 0xFF);
    EXPECT_EQ(s.SHP_BACK().ColoreBordo, 0xFF);
}

TEST(SlideIndicatore, CharsetPoiAspetto) {
    SlideIndicatore s;
    s.SI_AggiornaCharset(161, "Tahoma");
    EXPECT_EQ(s.LBL_TITLE().NomeFont, "Tahoma");
    EXPECT_EQ(s.LAB_LEFT().Charset, 161);
    s.SL_OTHERFont_Colore(0xFF);
    EXPECT_EQ(s.LBL_TITLE().NomeFont, "Arial");
    EXPECT_EQ(s.LAB_CENTER().NomeFont, "Arial");
    EXPECT_EQ(s.LBL_TITLE().Charset, 161);
    EXPECT_EQ(s.LAB_RIGHT().Charset, 161);
}

TEST(SlideIndicatore, RidimensionamentoEFont) {
    SlideIndicatore s;
    s.resize(492, 184); // height only
    s.UserControl_Resize();
    EXPECT_EQ(s.LBL_TITLE().DimensioneFont, 14.0f);
    EXPECT_EQ(s.SHP_IND(0).R.Height, 750.0f);
    s.resize(984, 184); // width doubled: 27 points
    s.UserControl_Resize();
    EXPECT_EQ(s.LBL_TITLE().DimensioneFont, 27.0f);
    EXPECT_EQ(s.LAB_RIGHT().DimensioneFont, 27.0f);
    EXPECT_EQ(s.SHP_IND(14).R.Left, (120.0f + 480 * 14) * 2);
    SlideIndicatore t;
    t.resize(738, 92); // 1.5 times: 20.25 shown as 20
    t.UserControl_Resize();
    EXPECT_EQ(t.LAB_CENTER().DimensioneFont, 20.0f);
}

TEST(SlideIndicatore, DisegnoLampadeEZone) {
    SlideIndicatore s;
    s.SL_ValMax(5);
    s.SL_ValOre(1.2f); // lamps 3-7 lit, cursor on 3
    auto centro = [&](int k) { return Pixel(s, (120 + 480 * k + 187) / 15, (480 + 187) / 15); };
    EXPECT_EQ(centro(2), QColor(0, 128, 0));   // unlit green
    EXPECT_EQ(centro(3), QColor(0, 255, 0));   // lit green, under the cursor
    EXPECT_EQ(centro(4), QColor(0, 255, 0));
    EXPECT_EQ(centro(7), QColor(255, 255, 0)); // lit yellow
    EXPECT_EQ(centro(8), QColor(128, 128, 0));
    EXPECT_EQ(centro(12), QColor(128, 0, 0));  // unlit red
    s.SL_LambTy(false); // the cursor keeps its lamp colours until the next value
    EXPECT_EQ(Pixel(s, (120 + 480 * 3 + 187) / 15, 44), QColor(0, 255, 0));
    s.SL_ValOre(1.2f);
    EXPECT_EQ(Pixel(s, (120 + 500) / 15, 44), QColor(192, 0, 0));
    EXPECT_EQ(Pixel(s, (1200 + 200) / 15, 44), QColor(192, 192, 0));
    EXPECT_EQ(Pixel(s, (5040 + 500) / 15, 44), QColor(192, 192, 0));
    EXPECT_EQ(Pixel(s, (120 + 480 * 3 + 187) / 15, 44), QColor(255, 255, 255)); // white cursor
}
