// The coarse grid and a map page: midpoints, step fill, captions, errors.
#include "maps/CarburazioneMappatura.h"
#include "maps/FissaggioMappe.h"

namespace {

class CarburazioneMappatura : public FissaggioMappe {};

TestiGriglia GrigliaRidotta(const std::string& valore) {
    TestiGriglia g(13, 13);
    for (int i = 1; i < 13; ++i)
        for (int j = 1; j < 13; ++j) g(i, j) = valore;
    return g;
}

} // namespace

TEST_F(CarburazioneMappatura, VuotaDa128) {
    PaginaMappa p{};
    ASSERT_TRUE(::CarburazioneMappatura::CaricaGrigliaInMatrice(GrigliaRidotta(""), p, 1, false));
    for (const auto& riga : p)
        for (uint8_t v : riga) EXPECT_EQ(v, 128);
}

TEST_F(CarburazioneMappatura, PuntiMediVerticali) {
    struct Caso {
        const char* sopra;
        const char* sotto;
        uint8_t medio;
    };
    for (const Caso& c : {Caso{"100", "103", 102}, Caso{"100", "101", 100}, Caso{"101", "100", 101},
                          Caso{"100", "97", 98}, Caso{"100", "105", 102}}) {
        TestiGriglia g = GrigliaRidotta("0");
        g(1, 1) = c.sopra;
        g(2, 1) = c.sotto;
        PaginaMappa p{};
        ASSERT_TRUE(::CarburazioneMappatura::CaricaGrigliaInMatrice(g, p, 1, false));
        EXPECT_EQ(p[0][0], std::stoi(c.sopra));
        EXPECT_EQ(p[1][0], c.medio) << c.sopra << "/" << c.sotto;
        EXPECT_EQ(p[2][0], std::stoi(c.sotto));
    }
}

TEST_F(CarburazioneMappatura, Riga21ColonnaUltimaEBordi) {
    TestiGriglia g = GrigliaRidotta("0");
    g(11, 1) = "101"; // page row 20
    g(12, 1) = "102"; // page row 22
    g(1, 11) = "300"; // page column 20
    g(1, 12) = "0";   // page column 22
    g(3, 3) = "-5";
    g(3, 4) = "130.7";
    g(4, 4) = "-0.5";
    PaginaMappa p{};
    ASSERT_TRUE(::CarburazioneMappatura::CaricaGrigliaInMatrice(g, p, 1, false));
    EXPECT_EQ(p[21][0], 102); // rounded mean, not 101
    EXPECT_EQ(p[0][20], 255);
    EXPECT_EQ(p[0][21], 150); // midpoint before clamping
    EXPECT_EQ(p[0][22], 0);
    EXPECT_EQ(p[4][4], 0);
    EXPECT_EQ(p[4][6], 130);
    EXPECT_EQ(p[6][6], 0);
    for (int r = 0; r < 23; ++r) EXPECT_EQ(p[r][23], p[r][22]) << r;
}

TEST_F(CarburazioneMappatura, SpianaCopiaIPunti) {
    TestiGriglia g = GrigliaRidotta("0");
    g(1, 1) = "7";
    g(12, 12) = "9";
    g(6, 6) = "4";
    PaginaMappa p{};
    ASSERT_TRUE(::CarburazioneMappatura::CaricaGrigliaInMatrice(g, p, 1, true));
    for (auto [r, c] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) EXPECT_EQ(p[r][c], 7);
    for (auto [r, c] : {std::pair{10, 10}, {10, 11}, {11, 10}, {11, 11}}) EXPECT_EQ(p[r][c], 4);
    EXPECT_EQ(p[2][2], 0);
    for (auto [r, c] : {std::pair{22, 22}, {22, 23}}) EXPECT_EQ(p[r][c], 9);
    EXPECT_EQ(p[21][22], 0);
}

TEST_F(CarburazioneMappatura, TestoNonNumericoLasciaLaPagina) {
    for (const char* cattivo : {"abc", " ", "1E10"}) {
        TestiGriglia g = GrigliaRidotta("5");
        g(4, 7) = cattivo;
        PaginaMappa p{};
        p[3][3] = 77;
        EXPECT_FALSE(::CarburazioneMappatura::CaricaGrigliaInMatrice(g, p, 1, false)) << cattivo;
        EXPECT_EQ(p[3][3], 77);
        EXPECT_EQ(p[0][0], 0);
    }
}

TEST_F(CarburazioneMappatura, AndataERitorno) {
    PaginaMappa p{};
    for (int r = 0; r < 23; ++r)
        for (int c = 0; c < 24; ++c) p[r][c] = static_cast<uint8_t>(r * 10 + c);
    p[1][1] = 200; // not a midpoint: recomputed
    TestiGriglia g(13, 13);
    ::CarburazioneMappatura::CaricaMatriceInGriglia(g, p, 1);
    EXPECT_EQ(g(1, 1), "0");
    EXPECT_EQ(g(2, 3), "24");
    EXPECT_EQ(g(0, 0), "");
    PaginaMappa q = p;
    ASSERT_TRUE(::CarburazioneMappatura::CaricaGrigliaInMatrice(g, q, 1, false));
    for (int r = 0; r < 23; r += 2)
        for (int c = 0; c < 23; c += 2) EXPECT_EQ(q[r][c], p[r][c]);
    EXPECT_EQ(q[1][1], 11);
}

TEST_F(CarburazioneMappatura, Didascalie) {
    ModGlobFunct::SeparatoreDecimale = ",";
    ModBlck::AsseGiri rpm{};
    ModBlck::AsseTempi tinj{};
    rpm[1] = 39;  // 2496 rpm -> 2500
    rpm[0] = 99;  // never shown
    rpm[23] = 125;
    tinj[1] = 20; // 2.56 ms -> 2.5
    tinj[22] = 178;
    TestiGriglia g(13, 13);
    ::CarburazioneMappatura::CaricaAssiInMatrice(g, rpm, tinj);
    EXPECT_EQ(g(0, 1), "2500");
    EXPECT_EQ(g(0, 12), "8000");
    EXPECT_EQ(g(1, 0), "2,5");
    EXPECT_EQ(g(12, 0), "22,75");
}

TEST_F(CarburazioneMappatura, SpianaInterpolazione) {
    MatriceInteri m{};
    m[0][0] = 7;
    m[22][2] = 5;
    ::CarburazioneMappatura::SpianaInterpolazionedellaMappa(m);
    int sette = 0;
    for (const auto& riga : m)
        for (int32_t v : riga) sette += v == 7;
    EXPECT_EQ(sette, 4);
    EXPECT_EQ(m[1][1], 7);
    EXPECT_EQ(m[22][3], 5);
    EXPECT_EQ(m[21][2], 0); // row 22 is not copied upwards
}
