// Colour arithmetic, gradients, outlines and layout of the drawn button.
#include "controls/PulsanteGraficoColori.h"
#include "controls/PulsanteGraficoForme.h"
#include "controls/PulsanteGraficoLayout.h"

#include <gtest/gtest.h>

using namespace Pulsante;

TEST(PulsanteColori, VariaColoreCasi) {
    struct Caso {
        int32_t colore;
        int shift;
        bool scala, evita, inverti;
        int32_t atteso;
        int shiftDopo;
    } casi[] = {
        {Grigio, -16, false, false, false, Rgb(112, 112, 112), -16},
        {Bianco, -32, true, false, false, Rgb(223, 223, 213), -32},
        {Grigio, 16, true, false, false, Rgb(144, 144, 138), 16},
        {Nero, 0, false, true, false, Rgb(64, 64, 64), 64},          // black: shift 0 becomes 64
        {Bianco, 40, false, true, false, Rgb(215, 215, 215), -40},   // white retried with -40
        {Rgb(10, 250, 30), 10, false, false, false, Rgb(20, 255, 40), 10}, // clamped
        {Rgb(10, 20, 30), 0, false, false, true, Rgb(245, 235, 225), 0},
    };
    for (const Caso& c : casi) {
        int16_t s = int16_t(c.shift);
        EXPECT_EQ(VariaColore(c.colore, s, c.scala, c.evita, c.inverti), c.atteso) << std::hex << c.colore;
        EXPECT_EQ(s, c.shiftDopo);
    }
}

TEST(PulsanteColori, VariaColoreSaturatoNeiDueSensiTermina) {
    // Green 255 and shift 300: white one way, black the other. The retry loop
    // must end and give one of the two.
    int16_t s = 300;
    const int32_t r = VariaColore(Rgb(0, 255, 0), s, false, true, false);
    EXPECT_TRUE(r == Nero || r == Bianco);
    s = 0;
    EXPECT_EQ(VariaColore(Bianco, s, false, true, false), Rgb(191, 191, 191)); // 0 -> 64 -> -64
    EXPECT_EQ(s, -64);
}

TEST(PulsanteColori, ConvertiColoreSistema) {
    EXPECT_EQ(ConvertiColore(ColoreFacciaSistema), ColoreSistema(15));
    EXPECT_EQ(ConvertiColore(ColoreTestoSistema), ColoreSistema(18));
    EXPECT_EQ(ConvertiColore(0x123456), 0x123456);
}

TEST(PulsanteColori, GradienteUnaBandaEColoriUguali) {
    // A single band has nothing to blend over: it takes the start colour.
    EXPECT_EQ(CalcolaGradiente(1, Rgb(1, 2, 3), Bianco), std::vector<int32_t>{Rgb(1, 2, 3)});
    const auto uguali = CalcolaGradiente(7, Rgb(50, 60, 70), Rgb(50, 60, 70));
    for (int32_t c : uguali) EXPECT_EQ(c, Rgb(50, 60, 70));
    const auto g = CalcolaGradiente(3, Nero, Rgb(200, 100, 0));
    EXPECT_EQ(g, (std::vector<int32_t>{Nero, Rgb(100, 50, 0), Rgb(200, 100, 0)}));
    // A face one pixel deep paints one band in the start colour.
    const auto b = BandeGradiente(3, 40, 1, 768, Rgb(9, 9, 9), Bianco);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].colore, Rgb(9, 9, 9));
}

TEST(PulsanteColori, BandeGradienteDirezioneEPasso) {
    // Small control: one band per pixel; mode 1 starts at the left, 2 at the right.
    auto b1 = BandeGradiente(1, 10, 5, 1024, Nero, Rgb(90, 90, 90));
    ASSERT_EQ(b1.size(), 10u);
    EXPECT_EQ(b1.front().rettangolo, QRect(0, 0, 1, 5));
    EXPECT_EQ(b1.front().colore, Nero);
    EXPECT_EQ(b1.back().colore, Rgb(90, 90, 90));
    auto b2 = BandeGradiente(2, 10, 5, 1024, Nero, Rgb(90, 90, 90));
    EXPECT_EQ(b2.front().colore, Rgb(90, 90, 90));
    EXPECT_EQ(b2.back().colore, Nero);
    // More than a quarter of the screen: half as many 2-pixel bands.
    auto b3 = BandeGradiente(4, 30, 300, 900, Nero, Bianco);
    ASSERT_EQ(b3.size(), 150u);
    EXPECT_EQ(b3[1].rettangolo, QRect(0, 2, 30, 2));
    EXPECT_EQ(b3.back().colore, Nero);
}

TEST(PulsanteColori, ColoriFacciaPerStile) {
    const int32_t back = Rgb(200, 200, 200), hover = Rgb(100, 150, 200);
    struct Caso {
        int stile;
        ColoriFaccia atteso;
    } casi[] = {
        {0, {back, back, hover, Rgb(223, 223, 223)}},
        {5, {back, back, hover, Rgb(223, 223, 223)}},
        {3, {back, Rgb(140, 140, 140), hover, Rgb(171, 171, 171)}},
        {7, {Varia(back, 31), Rgb(112, 112, 112), Varia(hover, 31), Rgb(144, 144, 138)}},
        {2, {Varia(back, 48, true), Varia(Varia(back, 48, true), -32, true), Varia(hover, 48, true),
             Rgb(223, 223, 213)}},
    };
    for (const Caso& c : casi) EXPECT_EQ(CalcolaColoriFaccia(c.stile, back, hover), c.atteso) << c.stile;
}

TEST(PulsanteForme, ObliquoAllargatoEGeometria) {
    EXPECT_EQ(LarghezzaMinimaObliqua(12, 10), 17);
    EXPECT_EQ(LarghezzaMinimaObliqua(100, 20), 100);
    const GeometriaForma g = CreaGeometria(3, 0, 100, 20, true);
    EXPECT_EQ(g.BottomLeftX, 21);
    EXPECT_EQ(g.TopRightX, 79);
    // Parallelogram (0,0), (21,21), (101,21), (80,0).
    EXPECT_TRUE(g.regione.contains(QPoint(1, 0)));
    EXPECT_FALSE(g.regione.contains(QPoint(0, 19)));
    EXPECT_TRUE(g.regione.contains(QPoint(97, 19)));
    EXPECT_FALSE(g.regione.contains(QPoint(99, 1)));
    EXPECT_TRUE(g.regione.contains(QPoint(50, 10)));
}

TEST(PulsanteForme, TagliAngoliPerStile) {
    const int W = 40, H = 20;
    auto manca = [&](int stile, bool abil, QPoint p) { return !CreaGeometria(0, stile, W, H, abil).regione.contains(p); };
    const QPoint angoli[] = {{0, 0}, {0, H - 1}, {W - 1, 0}, {W - 1, H - 1}};
    for (const QPoint& a : angoli) {
        EXPECT_TRUE(manca(1, true, a)) << a.x() << "," << a.y();
        EXPECT_FALSE(manca(0, true, a));
        EXPECT_FALSE(manca(3, false, a));
    }
    EXPECT_FALSE(manca(1, true, {1, 0}));
    EXPECT_TRUE(manca(3, true, {0, H - 1}));
    EXPECT_TRUE(manca(3, true, {W - 1, 0}));
    EXPECT_FALSE(manca(3, true, {0, 0}));
    EXPECT_FALSE(manca(3, true, {W - 1, H - 1}));
    // Slanted right side: only the upright left side is cut.
    const QRegion r2 = CreaGeometria(2, 1, W, H, true).regione;
    EXPECT_FALSE(r2.contains(QPoint(0, 0)));
    EXPECT_TRUE(r2.contains(QPoint(W - 3, H - 1)));
}

TEST(PulsanteForme, SagomaDaImmagineConTolleranza) {
    QImage img(8, 4, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    img.setPixel(2, 1, qRgb(252, 3, 252)); // within 3: background
    img.setPixel(3, 1, qRgb(0, 0, 0));
    img.setPixel(4, 2, qRgb(250, 0, 255)); // 5 off in red: opaque
    const GeometriaForma g = GeometriaPersonalizzata(img, 8, 4);
    EXPECT_EQ(g.regione, QRegion(3, 1, 1, 1) + QRegion(4, 2, 1, 1));
    EXPECT_EQ(img.pixel(2, 1), qRgb(255, 0, 255)); // made exact
}

TEST(PulsanteForme, LineaEBordoRegione) {
    EXPECT_EQ(PuntiLinea({0, 0}, {3, 0}), (std::vector<QPoint>{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_TRUE(PuntiLinea({5, 5}, {5, 5}).empty());
    EXPECT_EQ(BordoRegione(QRegion(0, 0, 4, 4)), QRegion(0, 0, 4, 4) - QRegion(1, 1, 2, 2));
}

TEST(PulsanteForme, CorniceDopoCopia) {
    StatoCornice s;
    s.coloreBordo = 0x111111;
    s.HoverRGB = 0x222222;
    s.BackRGB = 0x333333;
    s.ShadeRGB = Rgb(100, 100, 100);
    struct Caso {
        int forma, stile;
        bool premuto, hover, def, value;
        Cornice atteso;
    } casi[] = {
        {4, 2, false, false, false, false, {RegioneCornice::Inset1, 0x111111}},
        {4, 0, false, false, false, false, {}},
        {6, 0, false, false, false, false, {RegioneCornice::Finestra, 0x111111}},
        {7, 0, false, true, false, false, {RegioneCornice::Finestra, 0x222222}},
        {8, 0, false, false, true, false, {RegioneCornice::Inset2, 0x111111}},
        {7, 0, false, false, true, true, {RegioneCornice::Inset1, Rgb(68, 68, 68)}},
        {0, 0, false, true, true, false, {}},
    };
    for (const Caso& c : casi) {
        s.buttonShape = c.forma;
        s.buttonStyle = c.stile;
        s.premuto = c.premuto;
        s.hoverOn = c.hover;
        s.defaultLook = c.def;
        s.value = c.value;
        EXPECT_EQ(CorniceDopoCopia(s), c.atteso) << c.forma << "/" << c.stile;
    }
    s = {};
    s.buttonShape = 7;
    s.hoverOn = true;
    s.HoverRGB = s.BackRGB = 5;
    EXPECT_EQ(CorniceDopoCopia(s).regione, RegioneCornice::Nessuna); // hover colour equals the face
}

namespace {
MisuraTesto Fissa(int w, int h) {
    return [w, h](const QString&, int, int) { return QSize(w, h); };
}
} // namespace

TEST(PulsanteLayout, RettangoliDiCaptionEImmagine) {
    IngressoLayout in;
    in.W = 100;
    in.H = 30;
    in.TopRightX = 100;
    in.testo = QStringLiteral("Start");
    EXPECT_EQ(CalcolaLayout(in, Fissa(40, 13), false).CaptionRect, (Rettangolo{30, 8, 70, 21}));

    // Picture left of a centred caption: one group, 4 pixels apart.
    in.PictureWidth = in.PictureHeight = 16;
    in.PictureAlign = 1;
    auto e = CalcolaLayout(in, Fissa(40, 13), false);
    EXPECT_EQ(e.CaptionRect.left - e.PictureRect.right, 4);
    EXPECT_EQ(e.PictureRect, (Rettangolo{20, 7, 36, 23}));
    EXPECT_EQ(e.CaptionRect, (Rettangolo{40, 8, 80, 21}));
    EXPECT_EQ(e.PictureRect.left, 100 - e.CaptionRect.right); // the group is centred
    // Without caption the picture sits at M + 4.
    in.testo.clear();
    EXPECT_EQ(CalcolaLayout(in, Fissa(0, 0), false).PictureRect.left, 4);

    // Fill and fit sizes.
    in.PictureSizePx = 40;
    e = CalcolaLayout(in, Fissa(0, 0), false);
    EXPECT_EQ(e.PictureRect, (Rettangolo{3, 3, 97, 27}));
    EXPECT_TRUE(e.rebuild);
    in.buttonShape = 6;
    EXPECT_EQ(CalcolaLayout(in, Fissa(0, 0), false).PictureRect, (Rettangolo{1, 1, 99, 29}));
    in.buttonShape = 0;
    in.PictureSizePx = 48;
    in.PictureWidth = 20;
    in.PictureHeight = 10;
    e = CalcolaLayout(in, Fissa(0, 0), false);
    EXPECT_EQ(e.PictureRect, (Rettangolo{32, 6, 68, 24})); // 20x10 fitted into 88x18 keeps 2:1
}

TEST(PulsanteLayout, CaptionLungaBloccataNellaBanda) {
    IngressoLayout in;
    in.W = 60;
    in.H = 20;
    in.TopRightX = 60;
    in.buttonShape = 0;
    in.testo = QStringLiteral("a very long caption");
    in.CaptionAlign = 0;
    const auto e = CalcolaLayout(in, Fissa(200, 40), false);
    EXPECT_EQ(e.CaptionRect.left, 4);
    EXPECT_EQ(e.CaptionRect.right, 56);
    EXPECT_EQ(e.CaptionRect.top, 4);
    EXPECT_EQ(e.CaptionRect.bottom, 15);
    EXPECT_EQ(TestoVisualizzato(QStringLiteral("Un||due")), QStringLiteral("Un\ndue"));
}

TEST(PulsanteLayout, PassaggiDellaCaption) {
    IngressoTesto in;
    in.CaptionRect = {10, 10, 50, 20};
    in.faceColour = Rgb(100, 100, 100);
    in.coloreTesto = Rgb(1, 2, 3);
    // Plain enabled: one pass.
    EXPECT_EQ(PassaggiTesto(in), (std::vector<PassaggioTesto>{{{10, 10, 50, 20}, Rgb(1, 2, 3)}}));
    // Engraved: dark up-left, light down-right, main pass one pixel lower.
    in.CaptionStyle = 1;
    EXPECT_EQ(PassaggiTesto(in), (std::vector<PassaggioTesto>{{{9, 10, 49, 20}, Rgb(60, 60, 60)},
                                                             {{11, 12, 51, 22}, Rgb(140, 140, 140)},
                                                             {{10, 11, 50, 21}, Rgb(1, 2, 3)}}));
    // Disabled command button: white one pixel down-right, grey on top.
    in.CaptionStyle = 0;
    in.abilitato = false;
    in.disabledTextColour = -1;
    EXPECT_EQ(PassaggiTesto(in), (std::vector<PassaggioTesto>{{{11, 11, 51, 21}, Bianco}, {{10, 10, 50, 20}, Grigio}}));
    // Disabled check button: once in grey.
    in.disabledTextColour = Grigio;
    in.flagNoEngrave = true;
    EXPECT_EQ(PassaggiTesto(in), (std::vector<PassaggioTesto>{{{10, 10, 50, 20}, Grigio}}));
}

TEST(PulsanteLayout, Fuoco) {
    IngressoFuoco in;
    in.W = 100;
    in.H = 30;
    in.TopRightX = 100;
    in.colore = -1;
    EXPECT_EQ(CalcolaFuoco(in).tipo, TipoFuoco::Nessuno); // not the default button
    in.defaultLook = true;
    auto g = CalcolaFuoco(in);
    EXPECT_EQ(g.tipo, TipoFuoco::Tratteggiato);
    EXPECT_EQ(g.rettangolo, (Rettangolo{4, 4, 96, 26}));
    EXPECT_EQ(g.colore, Nero);
    // Round shapes draw around the caption, never on the rounded look.
    in.buttonShape = 4;
    in.haCaption = true;
    in.CaptionRect = {30, 8, 70, 21};
    in.isValue = true;
    g = CalcolaFuoco(in);
    EXPECT_EQ(g.tipo, TipoFuoco::Continuo);
    EXPECT_EQ(g.rettangolo, (Rettangolo{28, 6, 72, 23}));
    in.buttonStyle = 2;
    EXPECT_EQ(CalcolaFuoco(in).tipo, TipoFuoco::Nessuno);
    // Slanted: five-point line.
    in.buttonStyle = 0;
    in.buttonShape = 1;
    in.BottomLeftX = 31;
    g = CalcolaFuoco(in);
    EXPECT_EQ(g.tipo, TipoFuoco::Spezzata);
    EXPECT_EQ(g.punti.front(), QPoint(29, 25));
}
