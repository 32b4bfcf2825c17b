// Step 6's arithmetic: the fill factor and the map shift, the curve shift and
// the line offset, and the centring of block 9's pressure axis.
#include <gtest/gtest.h>

#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

#include <filesystem>

namespace {

TEST(MappaTaratura, FattoreDiRiempimento) {
    EXPECT_EQ(ModTaratura::FattoreRiempimento(250, 1000), 160);
    EXPECT_EQ(ModTaratura::FattoreRiempimento(-250, 1000), 96);
    EXPECT_EQ(ModTaratura::FattoreRiempimento(1000, 1000), 255);
    EXPECT_EQ(ModTaratura::FattoreRiempimento(-2000, 1000), 0);
    // A zero or negative idle time has no factor: the step ends before writing.
    EXPECT_FALSE(ModTaratura::FattoreRiempimento(250, 0).has_value());
    EXPECT_FALSE(ModTaratura::FattoreRiempimento(250, -5).has_value());
    // The product stays exact beyond 32 bits.
    EXPECT_EQ(ModTaratura::FattoreRiempimento(2'000'000'000, 2'000'000'000), 255);
}

TEST(MappaTaratura, SpostamentoSulPuntoDiLavoro) {
    ModTaratura::MatriceTaratura m{};
    for (auto& r : m) r.fill(150);
    m[0][0] = 250;
    m[22][23] = -40;
    PaginaMappa pagina{};
    ModTaratura::SpostaMappaTaratura(m, 8, 11, 160, pagina);
    EXPECT_EQ(m[8][11], 160);
    EXPECT_EQ(pagina[8][11], 160);
    EXPECT_EQ(m[0][0], 260);
    EXPECT_EQ(pagina[0][0], 255);
    EXPECT_EQ(pagina[22][23], 0);
    EXPECT_EQ(pagina[5][5], 160);
}

TEST(MappaTaratura, CurvaSpostataEOffsetDellaRetta) {
    CurvaRetta curva{};
    curva.fill(0.0f);
    curva[10] = 1.35f; // 1350 / 128 -> entry 10
    curva[3] = -0.4f;
    curva[175] = 9.0f;
    ASSERT_TRUE(ModTaratura::SpostaCurvaTaratura(curva, 1350, 1500));
    EXPECT_NEAR(curva[10], 1.5f, 1e-5);
    EXPECT_NEAR(curva[0], 0.15f, 1e-5);
    EXPECT_EQ(curva[3], 0.0f);
    EXPECT_EQ(curva[175], 9.0f);
    EXPECT_EQ(curva[180], curva[0]);
    // An idle time beyond the curve changes nothing.
    const CurvaRetta prima = curva;
    EXPECT_FALSE(ModTaratura::SpostaCurvaTaratura(curva, 180 * 128, 1500));
    EXPECT_EQ(curva, prima);

    RecordRettaCorrezione retta;
    retta.Offset = 0.0f;
    CurvaRetta c{};
    c[12] = 1.2f; // 1500 / 128 = 11.72 -> entry 12
    ASSERT_TRUE(ModTaratura::CorreggiOffsetRetta(c, 1500, 1500, retta));
    EXPECT_NEAR(retta.Offset, -0.3f, 1e-5);
    // Halves to even: 64 -> entry 0, 192 -> entry 2.
    RecordRettaCorrezione r2;
    CurvaRetta c2{};
    c2[0] = 0.5f;
    c2[2] = 0.25f;
    ASSERT_TRUE(ModTaratura::CorreggiOffsetRetta(c2, 64, 1000, r2));
    EXPECT_NEAR(r2.Offset, -0.5f, 1e-5);
    RecordRettaCorrezione r3;
    CurvaRetta c3{};
    c3[2] = 0.25f;
    ASSERT_TRUE(ModTaratura::CorreggiOffsetRetta(c3, 192, 1000, r3));
    EXPECT_NEAR(r3.Offset, -0.75f, 1e-5);
    EXPECT_FALSE(ModTaratura::CorreggiOffsetRetta(c3, 172 * 128, 1000, r3));
}

// Block 9 in the 57-pair layout with the axis points X(k) = 500 + 200 k at
// pairs 4k, straight lines between, corrections non-zero up to point
// `primoZero` - 1 (no zero when it is 15).
std::vector<int32_t> Blocco9(int primoZero) {
    std::vector<int32_t> v(116, 0);
    for (int p = 0; p < 57; ++p) {
        v[2 * p] = 500 + 50 * p;
        v[2 * p + 1] = p / 4 < primoZero ? 10 : 0;
    }
    v[114] = 0;
    v[115] = 33;
    return v;
}

TEST(CentraggioTaratura, AsseSpostatoSulPuntoMisurato) {
    struct Caso {
        int primoZero;
        int32_t pressione;
        int32_t j, x5, x6, x0;
    };
    const Caso casi[] = {
        {6, 1640, 6, 1540, 1740, 540},
        {6, 300, 6, 200, 400, 0},
        // No zero correction, or one only at the first point (no point before it): point 6.
        {15, 1640, 6, 1540, 1740, 540},
        {0, 1640, 6, 1540, 1740, 540},
        {3, 1000, 3, 1500, 1700, 500},
    };
    for (const Caso& c : casi) {
        auto v = Blocco9(c.primoZero);
        ASSERT_TRUE(ModTaratura::CentraAsseCompensazione(v, c.pressione));
        EXPECT_EQ(v[115], c.j) << c.primoZero << " " << c.pressione;
        EXPECT_EQ(v[114], 1);
        EXPECT_EQ(v[8 * 5], c.x5) << c.primoZero << " " << c.pressione;
        EXPECT_EQ(v[8 * 6], c.x6) << c.primoZero << " " << c.pressione;
        EXPECT_EQ(v[0], c.x0) << c.primoZero << " " << c.pressione;
        // The pairs between axis points move with them; the corrections stay.
        EXPECT_EQ(v[2 * 22] - v[2 * 21], 50);
        EXPECT_EQ(v[1], c.primoZero > 0 ? 10 : 0);
    }
    std::vector<int32_t> corto(20, 0);
    EXPECT_FALSE(ModTaratura::CentraAsseCompensazione(corto, 1000));
}

TEST(CentraggioTaratura, MetaArrotondataAlPari) {
    auto v = Blocco9(6);
    // X(6) - X(5) = 201: half 100; 203: half 102.
    v[48] = v[40] + 201;
    ASSERT_TRUE(ModTaratura::CentraAsseCompensazione(v, 2000));
    EXPECT_EQ(v[40], 2000 - 100);
    v = Blocco9(6);
    v[48] = v[40] + 203;
    ASSERT_TRUE(ModTaratura::CentraAsseCompensazione(v, 2000));
    EXPECT_EQ(v[40], 2000 - 102);
}

} // namespace

// The gas-pressure compensation is taken from the map's configuration file
// through the bounded reader: a file past the bound is not read, and one box
// names it.
TEST(CompensazioneDaFile, FileOltreIlLimiteNonSiLegge) {
    SupportoTest::CartellaBase base(false);
    Piattaforma::Copione::Attiva(true);
    Piattaforma::Copione::Azzera();
    base.Scrivi("Data/grande.qdl", "[COM_PGASX]\r\n4201041B005E\r\n");
    const std::string p = base.File("Data/grande.qdl");
    BloccoParametri blocco;
    EXPECT_TRUE(ModTaratura::LeggiComPGasXDaFile(p, blocco));
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    std::filesystem::resize_file(p, 100 << 20);
    blocco = BloccoParametri{};
    EXPECT_FALSE(ModTaratura::LeggiComPGasXDaFile(p, blocco));
    EXPECT_EQ(blocco.UltimaRisposta, "");
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].testo.contains(QString::fromStdString(p)));
    Piattaforma::Copione::Azzera();
}
