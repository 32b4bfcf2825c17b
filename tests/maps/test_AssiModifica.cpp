// The axis editor's arithmetic: normalising, presets, flatten, autoscale and
// the spacing check.
#include "maps/AssiModifica.h"
#include "maps/FissaggioMappe.h"

namespace {

class AssiModifica : public FissaggioMappe {};

TestiGriglia GrigliaDa(const std::array<uint8_t, 24>& rpm, const std::array<uint8_t, 23>& tinj) {
    TestiGriglia g(25, 2);
    g(0, 0) = "T";
    g(0, 1) = "R";
    ::AssiModifica::InizializzaDati(g, rpm, tinj);
    return g;
}

std::array<uint8_t, 24> RpmRegolare() {
    std::array<uint8_t, 24> a{};
    for (int k = 0; k < 24; ++k) a[k] = static_cast<uint8_t>(5 * k);
    return a;
}
std::array<uint8_t, 23> TinjRegolare() {
    std::array<uint8_t, 23> a{};
    for (int k = 0; k < 23; ++k) a[k] = static_cast<uint8_t>(8 * k);
    return a;
}

} // namespace

TEST_F(AssiModifica, NormalizzazioneDiUnValore) {
    struct Caso {
        const char* testo;
        int32_t colonna;
        float valore;
        const char* vuoto; // the caller's text afterwards
    };
    for (const Caso& c : {Caso{"8100", 1, 8000, "8100"}, Caso{"7968", 1, 7936, "7968"}, Caso{"0,3", 0, 0.256f, "0,3"},
                          Caso{"0.3", 0, 0.256f, "0.3"}, Caso{"25", 0, 22.784f, "25"}, Caso{"", 1, 0, "0"},
                          Caso{"-5", 1, 0, "-5"}, Caso{"abc", 0, 0, "abc"}}) {
        std::string t = c.testo;
        EXPECT_FLOAT_EQ(::AssiModifica::ControllaValore(t, c.colonna), c.valore) << c.testo;
        EXPECT_EQ(t, c.vuoto);
    }
    ModGlobFunct::SeparatoreDecimale = ",";
    EXPECT_EQ(::AssiModifica::TestoValore(0.256f, 0), "0,256");
    EXPECT_EQ(::AssiModifica::TestoValore(7936, 1), "7936");
}

TEST_F(AssiModifica, VociEValoriPreimpostati) {
    const auto rpm = ::AssiModifica::VociRpm();
    const auto tinj = ::AssiModifica::VociTinj();
    ASSERT_EQ(rpm.size(), 29u);
    ASSERT_EQ(tinj.size(), 159u);
    EXPECT_EQ(rpm.front(), "500");
    EXPECT_EQ(rpm.back(), "7500");
    EXPECT_EQ(tinj.front(), "0.25");
    EXPECT_EQ(tinj.back(), "20");
    EXPECT_EQ(::AssiModifica::ValoreVoceRpm(0), 512);
    EXPECT_EQ(::AssiModifica::ValoreVoceRpm(28), 7488);
    EXPECT_EQ(::AssiModifica::ValoreVoceTinj(0), 256);
    EXPECT_EQ(::AssiModifica::ValoreVoceTinj(158), 19968);
    // Matching an axis byte: exact, the entry below when between, none beyond the list.
    EXPECT_EQ(::AssiModifica::TrovaValoreRPM(8), 0);     // 512
    EXPECT_EQ(::AssiModifica::TrovaValoreRPM(16), 2);    // 1024 = entry 1000
    EXPECT_EQ(::AssiModifica::TrovaValoreRPM(126), -1);  // 8064: every entry lies below
    EXPECT_EQ(::AssiModifica::TrovaValoreRPM(1), -1);    // below the first entry by more than a step
    EXPECT_EQ(::AssiModifica::TrovaValoreTNJ(2), 0);
    EXPECT_EQ(::AssiModifica::TrovaValoreTNJ(156), 158);
    // Choices: out of order with a neighbour, or without a selection, are refused.
    std::array<int32_t, 12> p{};
    for (int k = 0; k < 12; ++k) p[k] = 2 * k;
    EXPECT_TRUE(::AssiModifica::SceltaValida(p, 5));
    p[5] = p[4];
    EXPECT_FALSE(::AssiModifica::SceltaValida(p, 5));
    p[5] = 10;
    p[11] = -1;
    EXPECT_FALSE(::AssiModifica::SceltaValida(p, 10)); // never smaller than -1
    EXPECT_FALSE(::AssiModifica::SceltaValida(p, 11));
    p[11] = 22;
    p[0] = -1;
    EXPECT_TRUE(::AssiModifica::SceltaValida(p, 1)); // a left neighbour without selection refuses nothing
}

TEST_F(AssiModifica, SpianaMediePuntiIntermedi) {
    auto rpm = RpmRegolare();
    auto tinj = TinjRegolare();
    rpm[4] = 10;
    rpm[6] = 15; // midpoint 12 (12.5 to even)
    rpm[8] = 22; // 15 and 22: 15 + 3.5 to even = 19
    rpm[3] = 99; // typed in between: replaced
    TestiGriglia g = GrigliaDa(rpm, tinj);
    ::AssiModifica::SpianaAssi(g, rpm, tinj);
    EXPECT_EQ(rpm[5], 12);
    EXPECT_EQ(rpm[7], 19);
    EXPECT_EQ(rpm[3], (rpm[2] + rpm[4]) / 2);
    EXPECT_EQ(rpm[0], 0);
    // Points 21 and 22: thirds from point 20 towards 23.
    EXPECT_EQ(rpm[21], 100 + 5);
    EXPECT_EQ(rpm[22], 100 + 10);
    EXPECT_EQ(g(22, 1), "6720");
}

TEST_F(AssiModifica, AutoscalaEControllo) {
    TestiGriglia g = GrigliaDa(RpmRegolare(), TinjRegolare());
    EXPECT_TRUE(::AssiModifica::ControllaAssi(g).empty());
    // Equal first and last: every inner point equal, every pair reported.
    g(24, 1) = "0";
    ::AssiModifica::AdattaScala(g, 24, 1);
    EXPECT_EQ(g(12, 1), "0");
    EXPECT_EQ(::AssiModifica::ControllaAssi(g).size(), 23u);
    EXPECT_EQ(::AssiModifica::ControllaAssi(g).front(), "R: 0/0");
    // Evenly from 0 to 7360 over 24 points.
    g(24, 1) = "7360";
    ::AssiModifica::AdattaScala(g, 24, 1);
    EXPECT_EQ(g(2, 1), "320");
    EXPECT_TRUE(::AssiModifica::ControllaAssi(g).empty());
    // Injection-time rows closer than 0.128 ms.
    g(3, 0) = "0.1";
    const auto righe = ::AssiModifica::ControllaAssi(g);
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0], "T: 1.024/0.1");
}
