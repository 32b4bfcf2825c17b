// The OBD-map indices, coefficients applied to a map and the level-sensor list.
#include <QtWidgets/QComboBox>

#include "maps/FissaggioMappe.h"
#include "maps/ModMainMappe.h"

namespace {

class ModMainMappe : public FissaggioMappe {
protected:
    void SetUp() override {
        FissaggioMappe::SetUp();
        PreparaBlocco(1, 60);
        PreparaBlocco(3, 60);
    }
    static void Live(int32_t flag, int32_t giri, int32_t colonna, int32_t carico = 0) {
        TabellaBlocchi[1].Valori[37] = flag;
        TabellaBlocchi[1].Valori[32] = giri;
        TabellaBlocchi[1].Valori[50] = colonna;
        TabellaBlocchi[1].Valori[48] = carico;
    }
};

} // namespace

TEST_F(ModMainMappe, IndiceGiri) {
    ModMain::AsseRpmLavoro.fill(0);
    ModMain::AsseRpmLavoro[10] = 40;
    ModMain::AsseRpmLavoro[23] = 125;
    struct Caso {
        int32_t flag, giri, colonna, indice;
    };
    for (const Caso& c : {Caso{0, 1600, 0, 2}, Caso{0, 300, 0, 0}, Caso{0, 6000, 0, 7}, Caso{9, 0, 10, 4},
                          Caso{1, 0, 10, 0}, Caso{9, 0, 200, 7} /* column clamped to 23 */}) {
        Live(c.flag, c.giri, c.colonna);
        EXPECT_EQ(ModMain::CalcolaIndiceRpmMappaObd(), c.indice) << c.flag << " " << c.giri << " " << c.colonna;
    }
}

TEST_F(ModMainMappe, IndiceCarico) {
    struct Caso {
        int32_t unita, carico, indice;
    };
    for (const Caso& c : {Caso{64, 1000, 14}, Caso{128, 1000, 6}, Caso{64, 10, 0}, Caso{0, 1000, 0}}) {
        ModMain::UnitaRpm = c.unita;
        Live(0, 0, 0, c.carico);
        EXPECT_EQ(ModMain::CalcolaIndiceCaricoMappaObd(), c.indice) << c.unita << " " << c.carico;
    }
}

TEST_F(ModMainMappe, Coefficienti) {
    MatriceInteri m{};
    m[0][0] = 3;
    m[0][1] = 4;
    m[5][7] = 100;
    CoefficientiMappa co;
    co.div_fact = 100;
    for (auto& riga : co.m_mappa) riga.fill(100);
    TabellaBlocchi[3].Valori[49] = 2;
    MatriceInteri uguale = m;
    ASSERT_TRUE(ModMain::ApplicaCoefficientiMappa(uguale, co));
    EXPECT_EQ(uguale, m);
    EXPECT_EQ(ModMain::UnitaRpmBlocco3, 64);
    for (auto& riga : co.q_mappa) riga.fill(50);
    MatriceInteri piu = m;
    TabellaBlocchi[3].Valori[49] = 0;
    ASSERT_TRUE(ModMain::ApplicaCoefficientiMappa(piu, co));
    EXPECT_EQ(piu[0][0], 4);
    EXPECT_EQ(piu[0][1], 4);
    EXPECT_EQ(piu[1][1], 0); // 0.5 rounds to 0
    EXPECT_EQ(ModMain::UnitaRpmBlocco3, 128);
}

TEST_F(ModMainMappe, CoefficientiNonApplicabiliLascianoLaMappa) {
    MatriceInteri m{};
    for (auto& riga : m) riga.fill(1000);
    m[22][23] = 2000000000;
    CoefficientiMappa co;
    co.div_fact = 1;
    for (auto& riga : co.m_mappa) riga.fill(2); // the last cell overflows 32 bits
    MatriceInteri copia = m;
    EXPECT_FALSE(ModMain::ApplicaCoefficientiMappa(copia, co));
    EXPECT_EQ(copia, m);
    co.div_fact = 0;
    m[22][23] = 1;
    copia = m;
    EXPECT_FALSE(ModMain::ApplicaCoefficientiMappa(copia, co));
    EXPECT_EQ(copia, m);
    // The product itself beyond 32 bits, the result inside: computed in 64 bits.
    m[0][0] = 100000;
    co.div_fact = 100000;
    for (auto& riga : co.m_mappa) riga.fill(100000);
    ASSERT_TRUE(ModMain::ApplicaCoefficientiMappa(m, co));
    EXPECT_EQ(m[0][0], 100000);
}

TEST_F(ModMainMappe, ElencoSensoriLivello) {
    ModBlck::SensoriLivello.assign(3, {});
    ModBlck::SensoriLivello[0].Nome = "A";
    ModBlck::SensoriLivello[1].Nome = "B";
    ModBlck::SensoriLivello[2].Nome = "C";
    QComboBox combo;
    combo.addItem("old");
    EXPECT_TRUE(ModMain::RiempiComboTipoLivello(&combo));
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(2), "C");
    // Unnamed definitions after the named ones are left out.
    ModBlck::SensoriLivello.resize(5);
    std::vector<std::string> elenco;
    EXPECT_TRUE(ModMain::ElencoTipoLivello(elenco));
    EXPECT_EQ(elenco, (std::vector<std::string>{"A", "B", "C"}));
    // A name after an unnamed definition cannot keep its position: the list
    // stops before the gap and the fill fails.
    ModBlck::SensoriLivello[1].Nome.clear();
    ModBlck::SensoriLivello[3].Nome = "X";
    EXPECT_FALSE(ModMain::RiempiComboTipoLivello(&combo));
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), "A");
}
