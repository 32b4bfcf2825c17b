// Edge colours, corner pixels, focus and outline results of the eight looks.
#include "controls/PulsanteGraficoStili.h"

#include <gtest/gtest.h>

using namespace Pulsante;

namespace {

StatoStile Stato(int stile, int forma = 0) {
    StatoStile s;
    s.ButtonStyle = stile;
    s.ButtonShape = forma;
    s.W = 80;
    s.H = 24;
    s.TopRightX = 80;
    if (forma == 1 || forma == 3) s.BottomLeftX = 25;
    if (forma == 2 || forma == 3) s.TopRightX = 80 - 25;
    s.colori = CalcolaColoriFaccia(stile, ColoreFacciaSistema, ColoreFacciaSistema);
    return s;
}

PianoStile Piano(const StatoStile& s, int risultato = 3) { return PianificaStile(s, StatoBordoIniziale(s), risultato); }

// Slots 1-12 as a vector for readable comparisons.
std::vector<int32_t> Slot(const PianoStile& p) { return {p.EdgeColours.begin() + 1, p.EdgeColours.end()}; }

constexpr int32_t X = -1;
constexpr int32_t E9 = Rgb(233, 233, 233);

} // namespace

TEST(PulsanteStili, RilievoNormaleDefaultEValore) {
    StatoStile s = Stato(0);
    EXPECT_EQ(Slot(Piano(s)), (std::vector<int32_t>{X, X, X, X, E9, E9, Grigio, Grigio, Bianco, Bianco, Nero, Nero}));
    s.StateFlags = DefaultLook;
    EXPECT_EQ(Slot(Piano(s)),
              (std::vector<int32_t>{E9, E9, Grigio, Grigio, Bianco, Bianco, Nero, Nero, Nero, Nero, Nero, Nero}));
    s = Stato(0);
    s.Mode = 1;
    s.Value = true;
    EXPECT_EQ(Slot(Piano(s)), (std::vector<int32_t>{X, X, X, X, X, X, E9, E9, Nero, Nero, Bianco, Bianco}));
    EXPECT_EQ(Piano(s).faccia, Rgb(223, 223, 223));
    EXPECT_EQ(Piano(s).risultato, 1);
}

TEST(PulsanteStili, BordatoHaSempreIlContornoNero) {
    for (int16_t flag : {int16_t(0), DefaultLook, int16_t(HeldDown | MouseOver)}) {
        StatoStile s = Stato(1);
        s.StateFlags = flag;
        const PianoStile p = Piano(s);
        for (int i = 9; i <= 12; ++i) EXPECT_EQ(p.EdgeColours[size_t(i)], Nero);
        for (int i = 1; i <= 8; ++i) EXPECT_GE(p.EdgeColours[size_t(i)], 0);
    }
}

TEST(PulsanteStili, ArrotondatoCaldoPremutoEAngoli) {
    StatoStile s = Stato(2);
    s.HoverOn = true;
    s.StateFlags = MouseOver;
    PianoStile p = Piano(s);
    EXPECT_EQ(p.EdgeColours[1], Rgb(255, 203, 107));
    EXPECT_EQ(p.EdgeColours[8], Rgb(231, 150, 0));
    s.StateFlags = MouseOver | HeldDown;
    p = Piano(s);
    EXPECT_EQ(p.EdgeColours[3], s.colori.FaceRGB); // pressed column: slot 3 is the base
    EXPECT_EQ(p.EdgeColours[1], Varia(s.colori.FaceRGB, -22, true));
    // Four corner pixels in the dark blue outer colour.
    const std::vector<std::pair<QPoint, int32_t>> angoli = {{{1, 22}, Rgb(0, 60, 115)},
                                                            {{1, 1}, Rgb(0, 60, 115)},
                                                            {{78, 22}, Rgb(0, 60, 115)},
                                                            {{78, 1}, Rgb(0, 60, 115)}};
    EXPECT_EQ(p.pixel, angoli);
    EXPECT_FALSE(p.fuoco);
    // Disabled: inner rings off, outer base -84.
    s = Stato(2);
    s.Enabled = false;
    p = Piano(s);
    EXPECT_EQ(p.EdgeColours[5], X);
    EXPECT_EQ(p.EdgeColours[9], Varia(s.colori.FaceRGB, -84, true));
}

TEST(PulsanteStili, ArrotondatoOvale) {
    StatoStile s = Stato(2, 4);
    s.StateFlags = DefaultLook;
    EXPECT_EQ(Piano(s).EdgeColours[12], Rgb(107, 130, 239));
    EXPECT_EQ(Piano(s).risultato, 3);
    s.HoverOn = true;
    EXPECT_EQ(Piano(s).EdgeColours[12], Rgb(231, 150, 0));
    s.HoverOn = false;
    s.StateFlags = 0;
    EXPECT_EQ(Piano(s).risultato, 1);
}

TEST(PulsanteStili, IncisoCheckNonBloccato) {
    StatoStile s = Stato(3);
    s.Mode = 1;
    const PianoStile p = Piano(s);
    EXPECT_EQ(p.EdgeColours[5], Bianco);
    EXPECT_EQ(p.EdgeColours[6], Bianco);
    EXPECT_EQ(p.EdgeColours[7], Rgb(102, 102, 102));
    EXPECT_EQ(p.coloreFuoco, Rgb(153, 153, 204));
    EXPECT_TRUE(p.fuocoIntorno);
    EXPECT_FALSE(p.isDown);
}

TEST(PulsanteStili, BarraSenzaBordoFinoAlPassaggio) {
    StatoStile s = Stato(5);
    s.AmbientBackRGB = Rgb(200, 200, 200);
    PianoStile p = Piano(s);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(p.EdgeColours[size_t(i)], X);
    s.modalitaProgetto = true;
    p = Piano(s);
    EXPECT_EQ(p.EdgeColours[9], Rgb(136, 136, 136));
    EXPECT_EQ(p.penStyle, 2);
    s.modalitaProgetto = false;
    s.StateFlags = MouseOver;
    p = Piano(s);
    EXPECT_EQ(Slot(p), (std::vector<int32_t>{X, X, X, X, X, X, X, X, Bianco, Bianco, Grigio, Grigio}));
    EXPECT_EQ(p.penStyle, 0);
}

TEST(PulsanteStili, DueToniPremutoScambiaILati) {
    StatoStile s = Stato(6);
    const int32_t chiaro = Rgb(231, 231, 231);
    EXPECT_EQ(Piano(s).EdgeColours[5], chiaro);
    EXPECT_EQ(Piano(s).EdgeColours[7], Grigio);
    s.StateFlags = MouseOver | HeldDown;
    EXPECT_EQ(Piano(s).EdgeColours[5], Grigio);
    EXPECT_EQ(Piano(s).EdgeColours[7], chiaro);
}

TEST(PulsanteStili, ChiaroAngoliSoloSuiLatiDiritti) {
    StatoStile s = Stato(7, 1);
    PianoStile p = Piano(s);
    for (const auto& [punto, colore] : p.pixel) EXPECT_GT(punto.x(), 40) << "left side slanted";
    EXPECT_EQ(p.pixel.size(), 5u);
    s = Stato(7, 0);
    p = Piano(s);
    EXPECT_EQ(p.pixel.size(), 10u);
    EXPECT_EQ(p.pixel[3], (std::pair<QPoint, int32_t>{{1, 22}, Nero}));
    // Hovered caption of a bright button shows the look's own colour while
    // the hover colour follows ForeColor.
    s.HoverOn = true;
    EXPECT_EQ(Piano(s).coloreTesto, ConvertiColore(ColoreTestoSistema));
    s.Mode = 1;
    s.Value = true;
    EXPECT_EQ(Piano(s).coloreTesto, s.colori.FaceRGB);
}

TEST(PulsanteStili, FormePersonalizzateContornoNero) {
    for (int stile = 0; stile < 8; ++stile) {
        for (int forma : {7, 8}) {
            StatoStile s = Stato(stile, forma);
            const PianoStile p = Piano(s, 3);
            if (stile == 2) continue;
            EXPECT_EQ(p.EdgeColours[12], Nero) << stile;
            EXPECT_EQ(p.risultato, 3) << stile;
        }
    }
    StatoStile fuori = Stato(0);
    fuori.ButtonStyle = 8;
    EXPECT_FALSE(Piano(fuori).disegna);
}

TEST(PulsanteStili, SfondoHoverGradienteEOmbreggiatura) {
    StatoStile s = Stato(0);
    s.GradientMode = 1;
    s.GradientColor = Rgb(0, 0, 200);
    s.HoverBackColor = Rgb(0, 0, 200);
    // Hovering with GradientColor equal to HoverBackColor keeps the gradient.
    s.HoverOn = true;
    EXPECT_GT(BandeSfondo(s, Bianco, Rgb(0, 0, 200), Nero, 1024, 768).size(), 1u);
    s.HoverBackColor = Rgb(1, 1, 1);
    EXPECT_EQ(BandeSfondo(s, Bianco, Rgb(0, 0, 200), Rgb(1, 1, 1), 1024, 768).size(), 1u);
    // A Value True button never shows a gradient.
    s.HoverOn = false;
    s.Mode = 1;
    s.Value = true;
    EXPECT_EQ(BandeSfondo(s, Bianco, Rgb(0, 0, 200), Nero, 1024, 768).size(), 1u);
    // Rounded look: one shaded row per pixel, darker downwards.
    StatoStile r = Stato(2);
    const auto b = BandeSfondo(r, Rgb(200, 200, 200), 0, 0, 1024, 768);
    ASSERT_EQ(b.size(), 25u);
    EXPECT_EQ(b.front().colore, Rgb(200, 200, 200));
    EXPECT_EQ(b.back().colore, Varia(Rgb(200, 200, 200), -25, true));
}
