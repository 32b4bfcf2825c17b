// The lambda page's rules as tables: volts and code conversions, presets,
// word 70, the delay item, enabled states, map steps and dialog arithmetic,
// thresholds and the live cursor.
#include <gtest/gtest.h>

#include "switchover/LambdaRegole.h"

namespace L = LambdaRegole;

TEST(LambdaRegole, ConversioniAndataERitorno) {
    // Every code survives code -> shown volts -> code, and code mode is code - 127.
    for (int32_t c = 0; c <= 255; ++c) {
        EXPECT_EQ(L::CodiceCella(L::VoltDaCodice(c), false), c) << c;
        EXPECT_EQ(L::CodiceCella(c - 127, true), c) << c;
    }
    EXPECT_EQ(L::TestoVolt(23, ','), "0,45");
    EXPECT_EQ(L::TestoVolt(51, '.'), "1");
    EXPECT_EQ(L::TestoVolt(127, '.'), "2.48");
    EXPECT_EQ(L::TestoVolt(0, '.'), "0");
    EXPECT_EQ(L::TestoCella(127, true, '.'), "0");
    EXPECT_EQ(L::CodiceDaVolt(0.5), 26);
    EXPECT_EQ(L::CodiceDaVolt(0.45), 23);
}

TEST(LambdaRegole, Preset) {
    std::vector<DefinizioneSondaLambda> s(6);
    for (int i = 0; i < 6; ++i) s[static_cast<size_t>(i)].Id = i;
    s[2].Valore3 = 800, s[2].Valore4 = 450, s[2].Valore5 = 1000, s[2].Valore6 = 450;
    const auto m = L::Preset(s, 2);
    ASSERT_TRUE(m);
    ASSERT_EQ(m->blocco3.size(), 1u);
    EXPECT_EQ(m->blocco3[0].Valore, 2);
    EXPECT_EQ(m->blocco3[0].IndiceValore, 38);
    ASSERT_EQ(m->blocco11.size(), 52u);
    EXPECT_EQ(m->blocco11[0].Valore, 40);
    EXPECT_EQ(m->blocco11[1].Valore, 22);
    EXPECT_EQ(m->blocco11[2].Valore, 50);
    EXPECT_EQ(m->blocco11[3].IndiceValore, 68);
    EXPECT_EQ(m->blocco11[4].IndiceValore, 16);
    EXPECT_EQ(m->blocco11[4].Valore, 31);
    EXPECT_EQ(m->blocco11[51].IndiceValore, 63);
    EXPECT_FALSE(m->modoCodice);
    for (int p : {0, 5}) {
        const auto z = L::Preset(s, p);
        ASSERT_TRUE(z);
        EXPECT_TRUE(z->modoCodice);
        EXPECT_EQ(z->blocco11[20].Valore, 127);
    }
    EXPECT_FALSE(L::Preset(s, 7));
    EXPECT_FALSE(L::Preset(s, -1));
}

TEST(LambdaRegole, ComboEAbilitazioni) {
    EXPECT_EQ(L::ParolaFiltro(0x21, 2), 0x21);
    EXPECT_EQ(L::ParolaSonda2(0x21, 0), 0x20);
    const std::vector<std::optional<double>> r = {0, 0.5, 1, 2, std::nullopt};
    EXPECT_EQ(L::IndiceRitardo(r, 1000), 2);
    EXPECT_EQ(L::IndiceRitardo(r, 700), 2);
    EXPECT_EQ(L::IndiceRitardo(r, 2500), -1);
    const struct {
        int32_t p;
        bool emul;
        int pos;
        bool ante, dopo, sonde, ritardo;
    } casi[] = {
        {-1, true, -1, true, true, true, true}, {0, true, 0, false, false, false, false},
        {5, true, 5, false, true, true, true},  {2, false, 2, false, false, true, false},
    };
    for (const auto& c : casi) {
        const auto a = L::Abilita(c.p, c.emul, c.pos);
        EXPECT_EQ(a.soglieAnte, c.ante) << c.p;
        EXPECT_EQ(a.soglieDopo, c.dopo) << c.p;
        EXPECT_EQ(a.griglie, c.dopo) << c.p;
        EXPECT_EQ(a.sonde, c.sonde) << c.p;
        EXPECT_EQ(a.ritardo, c.ritardo) << c.p;
    }
}

TEST(LambdaRegole, PassiEDialogoDellaMappa) {
    EXPECT_EQ(L::PassoAsse(5950, 107, 0, 100, 1000, 5000, 6000), 6000);
    EXPECT_EQ(L::PassoAsse(1450, 187, 0, 100, 1000, 1000, 1500), 1500);
    EXPECT_EQ(L::PassoAsse(1050, 109, 0, 100, 1000, 1000, 1500), 1000);
    EXPECT_EQ(L::PassoAsse(1000, 107, 3, 10, 100, 0, 5000), 1010); // Ctrl+Shift: the small step
    EXPECT_EQ(L::PassoAsse(1000, 107, 1, 10, 100, 0, 5000), 1100);
    EXPECT_EQ(L::PassoAsse(500, 107, 0, 100, 1000, 600, 400), 600); // out of order: the lower bound wins
    EXPECT_DOUBLE_EQ(L::PassoCella(0.45, false, 107, 0, 2), 0.47);
    EXPECT_DOUBLE_EQ(L::PassoCella(0.8, false, 109, 0, 4), 0.8);
    EXPECT_DOUBLE_EQ(L::PassoCella(1.0, false, 107, 0, 1), 1.0);
    EXPECT_DOUBLE_EQ(L::PassoCella(127, true, 107, 0, 5), 128);
    EXPECT_DOUBLE_EQ(L::PassoCella(128, true, 107, 1, 5), 128);
    EXPECT_DOUBLE_EQ(L::PassoCella(-120, true, 109, 1, 5), -127);
    EXPECT_DOUBLE_EQ(L::ApplicaValore(0.45, false, 1, 0.1f, 2), 0.54);
    EXPECT_DOUBLE_EQ(L::ApplicaValore(0.47, false, 1, 0.1f, 2), 0.56);
    EXPECT_DOUBLE_EQ(L::ApplicaValore(0.2, false, 1, -0.5f, 1), 0.0);
    EXPECT_DOUBLE_EQ(L::ApplicaValore(120, true, 1, 50.0f, 5), 127);
    EXPECT_DOUBLE_EQ(L::ApplicaValore(1.0, false, 2, -100.0f, 2), 0.0);
    EXPECT_DOUBLE_EQ(L::ApplicaValore(1.0, false, 3, 9.0f, 2), L::VoltDaCodice(255));
}

TEST(LambdaRegole, SoglieECursore) {
    EXPECT_DOUBLE_EQ(L::LimitaSoglia(1.5, 1), 1.0);
    EXPECT_DOUBLE_EQ(L::LimitaSoglia(-1, 2), 0.0);
    EXPECT_DOUBLE_EQ(L::LimitaSoglia(0.456, 2), 0.46);
    EXPECT_DOUBLE_EQ(L::LimitaSoglia(100, 5), 100.0);
    EXPECT_EQ(L::CodiceDaVolt(1.0), 51);
    EXPECT_DOUBLE_EQ(L::RegolaCoppia(0.3, 0.45, true), 0.45);
    EXPECT_DOUBLE_EQ(L::RegolaCoppia(0.5, 0.45, true), 0.5);
    EXPECT_DOUBLE_EQ(L::RegolaCoppia(0.5, 0.45, false), 0.45);
    EXPECT_DOUBLE_EQ(L::RegolaCoppia(0.3, 0.45, false), 0.3);
    std::vector<std::optional<double>> giri;
    for (int c = 0; c < 12; ++c) giri.emplace_back(1000 + 500 * c);
    const struct {
        int32_t rpm;
        int atteso;
    } casi[] = {{500, 1}, {1000, 1}, {1200, 1}, {1500, 2}, {3700, 6}, {6500, 12}, {9000, 12}};
    for (const auto& c : casi) EXPECT_EQ(L::IndiceCursore(giri, c.rpm), c.atteso) << c.rpm;
}
