// The acquisition wizard's rules as tables: the petrol-pressure compensation
// against its worked example and its refusals, the injection-time axis, the
// threshold search's result index and dwell, the samples and regions, the
// gas-pressure window and record settings.
#include <gtest/gtest.h>

#include "injdir/InjDirAcqRegole.h"
#include "injdir/ModInjDirCalc.h"

namespace A = InjDirAcqRegole;
namespace C = ModInjDirCalc;

namespace {

std::vector<C::PuntoAcquisito> AcqPunti(std::initializer_list<std::pair<double, double>> v) {
    std::vector<C::PuntoAcquisito> r;
    for (const auto& [bar, volt] : v) r.push_back({bar, volt});
    return r;
}

} // namespace

TEST(CompensazionePressBenz, EsempioDorato) {
    const auto r = C::Calcola(AcqPunti({{50, 1.0}, {80, 1.6}, {120, 2.4}, {200, 4.0}}), {});
    ASSERT_TRUE(r.riuscito);
    const std::vector<double> asse{45.0, 56.5, 68.0, 79.5, 90.5, 102.0, 113.5, 125.0, 136.5, 148.0, 159.5, 170.5, 182.0, 193.5, 205.0};
    const std::vector<double> volt{0.9, 1.13, 1.36, 1.59, 1.81, 2.04, 2.27, 2.5, 2.73, 2.96, 3.19, 3.41, 3.64, 3.87, 4.1};
    const std::vector<int32_t> perc{-6, 6, 16, 26, 34, 42, 50, 58, 65, 72, 78, 84, 90, 96, 102};
    ASSERT_EQ(r.asse.size(), 15u);
    for (size_t i = 0; i < 15; ++i) {
        EXPECT_DOUBLE_EQ(r.asse[i], asse[i]) << i;
        EXPECT_NEAR(r.X[i], volt[i], 1e-9) << i;
        EXPECT_EQ(r.Y[i], perc[i]) << i;
    }
}

TEST(CompensazionePressBenz, AsseDaZeroEOrdineDelleRighe) {
    // A lowest pressure under the margin starts the axis at 0.
    const auto a = C::Calcola(AcqPunti({{3, 1.0}, {100, 3.0}}), {});
    ASSERT_TRUE(a.riuscito);
    EXPECT_EQ(a.asse[0], 0.0);
    // Rows out of pressure order: segment 0 from 150 down to 60 bar, then 60 to 200.
    const auto b = C::Calcola(AcqPunti({{150, 2.0}, {60, 1.5}, {200, 3.0}}), {});
    ASSERT_TRUE(b.riuscito);
    EXPECT_EQ(b.asse[0], 55.0);
    EXPECT_NEAR(b.X[0], 1.47, 1e-9); // on segment 0 extended below 60 bar
}

TEST(CompensazionePressBenz, Rifiuti) {
    const struct {
        const char* nome;
        std::vector<C::PuntoAcquisito> punti;
        int32_t voce;
    } casi[] = {
        {"one row", AcqPunti({{50, 1.0}}), 34},
        {"no rows", {}, 34},
        {"letters in volts", {{50.0, 1.0}, {80.0, std::nullopt}}, 33},
        {"first row at 0 V", AcqPunti({{50, 0.0}, {80, 2.0}}), 33},
        {"equal pressures", AcqPunti({{50, 1.0}, {80, 1.6}, {80, 2.0}}), 33},
        // 45 bar on the segment of the two 50 bar rows: 500001 V.
        {"equal pressures, axis below them", AcqPunti({{50, 1.0}, {50, 1.1}, {120, 2.4}, {200, 4.0}}), 33},
        // 205 bar on the segment of the two 200 bar rows: -499996 V, that is 0 V.
        {"equal pressures, axis above them", AcqPunti({{50, 1.0}, {120, 2.4}, {200, 4.0}, {200, 4.1}}), 33},
        {"volts beyond the table", AcqPunti({{50, 1.0}, {80, 4.9}}), 33},
        {"correction beyond the table", AcqPunti({{50, 0.2}, {80, 2.0}}), 33},
    };
    for (const auto& c : casi) {
        const auto r = C::Calcola(c.punti, {});
        EXPECT_FALSE(r.riuscito) << c.nome;
        EXPECT_EQ(r.voce, c.voce) << c.nome;
    }
    C::ImpostazioniCompensazione zero;
    zero.UltimoIndiceAcq = 0;
    EXPECT_FALSE(C::Calcola(AcqPunti({{50, 1.0}, {80, 1.6}}), zero).riuscito);
}

TEST(CompensazionePressBenz, PressioniUgualiDefinite) {
    // Two consecutive rows at one pressure and one voltage: a flat segment.
    // The worked example's line with its first row doubled: the axis point
    // below 50 bar lies on the flat segment (1.0 V, 0 %), the others as before.
    const auto a = C::Calcola(AcqPunti({{50, 1.0}, {50, 1.0}, {120, 2.4}, {200, 4.0}}), {});
    ASSERT_TRUE(a.riuscito);
    const std::vector<double> volt{1.0, 1.13, 1.36, 1.59, 1.81, 2.04, 2.27, 2.5, 2.73, 2.96, 3.19, 3.41, 3.64, 3.87, 4.1};
    const std::vector<int32_t> perc{0, 6, 16, 26, 34, 42, 50, 58, 65, 72, 78, 84, 90, 96, 102};
    ASSERT_EQ(a.X.size(), 15u);
    for (size_t i = 0; i < 15; ++i) {
        EXPECT_NEAR(a.X[i], volt[i], 1e-9) << i;
        EXPECT_EQ(a.Y[i], perc[i]) << i;
    }
    // Equal pressures in rows that are not consecutive.
    EXPECT_TRUE(C::Calcola(AcqPunti({{50, 1.0}, {120, 2.4}, {50, 1.0}}), {}).riuscito);
}

TEST(CompensazionePressBenz, PressioniUgualiTensioniDiverse) {
    // The worked example with a second 80 bar row at 1.61 V. No axis point lies
    // on the 80 bar segment: up to 79.5 bar the segment from 50 bar (0.02 V/bar,
    // 0 V at 0 bar), 90.5 to 113.5 bar the one from (80, 1.61) to (120, 2.4)
    // (0.01975 V/bar, 0.03 V at 0 bar: 90.5 bar gives 1.817375 V, 1.82), then the
    // one from 120 bar (0.02 V/bar, 0 V at 0 bar).
    const auto r = C::Calcola(AcqPunti({{50, 1.0}, {80, 1.60}, {80, 1.61}, {120, 2.4}, {200, 4.0}}), {});
    ASSERT_TRUE(r.riuscito);
    const std::vector<double> volt{0.9, 1.13, 1.36, 1.59, 1.82, 2.04, 2.27, 2.5, 2.73, 2.96, 3.19, 3.41, 3.64, 3.87, 4.1};
    // Fix(100 x Sqr(V / 1.0)) - 100: Sqr(1.82) = 1.349..., 34.
    const std::vector<int32_t> perc{-6, 6, 16, 26, 34, 42, 50, 58, 65, 72, 78, 84, 90, 96, 102};
    ASSERT_EQ(r.X.size(), 15u);
    for (size_t i = 0; i < 15; ++i) {
        EXPECT_NEAR(r.X[i], volt[i], 1e-9) << i;
        EXPECT_EQ(r.Y[i], perc[i]) << i;
    }
    // An axis point at the shared pressure itself takes the first row's volts.
    C::ImpostazioniCompensazione senzaMargine;
    senzaMargine.MargineInferiore = 0;
    const auto a = C::Calcola(AcqPunti({{50, 1.0}, {50, 1.1}, {120, 2.4}}), senzaMargine);
    ASSERT_TRUE(a.riuscito);
    EXPECT_EQ(a.asse[0], 50.0);
    EXPECT_NEAR(a.X[0], 1.0, 1e-9);
    EXPECT_EQ(a.Y[0], 0);
}

TEST(CompensazionePressBenz, Impostazioni) {
    C::ImpostazioniCompensazione imp;
    EXPECT_TRUE(C::LeggiImpostazioni({"x", "[CalcPressAuto]", "3", "7", "10", "50", "2"}, imp));
    EXPECT_EQ(imp.MargineInferiore, 3);
    EXPECT_EQ(imp.UltimoIndiceAcq, 10);
    EXPECT_EQ(imp.CoefficienteRadice, 2.0);
    EXPECT_FALSE(C::LeggiImpostazioni({"[CalcPressAuto]", "3", "x"}, imp));
    EXPECT_EQ(imp.MargineInferiore, 3);
    EXPECT_EQ(imp.MargineSuperiore, 5);
}

TEST(AsseTinj, Tabelle) {
    const A::ImpostazioniAcquisizione imp;
    const auto dieci = A::CalcoloTinjAuto(10.0, imp);
    ASSERT_TRUE(dieci);
    const std::array<uint8_t, 23> atteso10{0, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 34, 38, 42, 46, 50, 58, 66, 82};
    EXPECT_EQ(*dieci, atteso10);
    const auto due = A::CalcoloTinjAuto(2.0, imp);
    ASSERT_TRUE(due);
    const std::array<uint8_t, 23> atteso2{0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 19, 21, 23, 25, 29, 33, 41};
    EXPECT_EQ(*due, atteso2);
    EXPECT_EQ((*A::CalcoloTinjAuto(30.0, imp))[22], 178);
    EXPECT_FALSE(A::CalcoloTinjAuto(0.0, imp));
    EXPECT_FALSE(A::CalcoloTinjAuto(-1.0, imp));
    // Settings whose steps sum past a byte: nothing, so the caller keeps its axis.
    auto grande = imp;
    grande.percentuali.fill(20);
    EXPECT_FALSE(A::CalcoloTinjAuto(20.0, grande));
    const auto letti = A::LeggiImpostazioniAcquisizione(
        {"[CalcoloAsseTInj]", "1|2|3", "256|128|128|128|128|128|128|128|128|128|128|128|128|128|256|256|256|256|256|512|512|999",
         "600", "4500", "[CalcPressAutoWiz]", "0", "9", "[SoglieAcqPresBenzTurbo]", "2500", "x", "1300"});
    EXPECT_EQ(letti.percentuali, imp.percentuali); // not 22 items: ignored whole
    EXPECT_EQ(letti.passiMinimi[21], 999);
    EXPECT_EQ(letti.margineTinj, 600);
    EXPECT_EQ(letti.tinjMinimo, 4500);
    EXPECT_EQ(letti.intervallo, 200000);
    EXPECT_EQ(letti.ultimoCampione, 9);
    EXPECT_EQ(letti.turbo.rpm, 2500);
    EXPECT_EQ(letti.turbo.mapBassa, 600);
    EXPECT_EQ(letti.turbo.mapAlta, 1300);
}

TEST(RicercaSoglia, IndiceEAttese) {
    const struct {
        int32_t percentuale, indice, ultimo, atteso;
    } casi[] = {{50, 34, 34, 17}, {50, 1, 34, 0}, {50, 0, 34, 0}, {40, 20, 34, 8}, {150, 30, 34, 34}, {1000, 34, 34, 34}};
    for (const auto& c : casi) EXPECT_EQ(A::IndiceRisultato(c.percentuale, c.indice, c.ultimo), c.atteso) << c.percentuale;
    EXPECT_EQ(A::AttesaIniziale({}), 1750000);
    A::ImpostazioniSoglia grande{50, 2000000000, 5};
    EXPECT_EQ(A::AttesaIniziale(grande), 10000000000LL);
    const auto imp = A::LeggiImpostazioniSoglia({"[PercAutoRPM]", "40", "x", "3"});
    EXPECT_EQ(imp.percentuale, 40);
    EXPECT_EQ(imp.attesa, 350000);
    EXPECT_EQ(imp.fattoreIniziale, 3);
    EXPECT_DOUBLE_EQ(A::VoltSoglia(68, 0.074f, 0.5f), 5.0);
    EXPECT_DOUBLE_EQ(A::VoltSoglia(230, 0.074f, 0.5f), 17.0);
}

TEST(Acquisizione, CampioniERegioni) {
    EXPECT_EQ(A::CampionePressione(1, 0x04, 0xD2), 123);
    EXPECT_EQ(A::CampionePressione(0, 0x04, 0xD2), 0);
    EXPECT_EQ(A::CampioneTensione(1023), 5000);
    EXPECT_EQ(A::CampioneTensione(512), 2502);
    const A::SoglieRegione n{3000, 400, 800};
    EXPECT_EQ(A::RigaRegione(400, 3000, n), 0);
    EXPECT_EQ(A::RigaRegione(600, 2000, n), 1);
    EXPECT_EQ(A::RigaRegione(600, 3500, n), 2);
    EXPECT_EQ(A::RigaRegione(900, 3500, n), 3);
    EXPECT_EQ(A::RigaRegione(900, 3000, n), -1);
    EXPECT_EQ(A::RigaRegione(300, 3500, n), -1);
    EXPECT_EQ(A::RigaRegione(700, 2000, {3000, 600, 1200}), 1);

    // Only the slots filled since the restart count.
    A::Campioni c(5);
    EXPECT_EQ(c.Medie()[0], 0.0);
    for (int i = 0; i < 6; ++i) c.Aggiungi(100, 2000, 3000, 500, 2000);
    c.Riavvia();
    c.Aggiungi(50, 1000, 2000, 300, 1000);
    c.Aggiungi(70, 3000, 4000, 500, 3000);
    const auto m = c.Medie();
    EXPECT_DOUBLE_EQ(m[0], 60.0);
    EXPECT_DOUBLE_EQ(m[1], 2.0);
    EXPECT_DOUBLE_EQ(m[2], 3.0);
    EXPECT_DOUBLE_EQ(m[3], 400.0);
    EXPECT_EQ(c.Riempiti(), 2);
}

TEST(Acquisizione, SequenzaEPressioneGas) {
    std::vector<int32_t> b15(90, 0);
    b15[79] = 0;
    b15[80] = 2;
    b15[81] = 0x83;
    b15[82] = 1;
    EXPECT_EQ(A::TestoSequenza(b15, 4), " 1 - 3 - 4 - 2");
    EXPECT_EQ(A::TestoSequenza(b15, 0), "");
    EXPECT_EQ(A::TabellaAnticipoUniforme(90).size(), 24u);
    EXPECT_EQ(A::TabellaAnticipoUniforme(90)[23].IndiceValore, 83);

    std::array<int32_t, 21> f;
    f.fill(1512);
    EXPECT_EQ(A::MediaFinestra(f), 1512);
    f[7] = -1;
    EXPECT_FALSE(A::MediaFinestra(f));
    const auto imp = A::LeggiImpostazioniPressioneGas(
        {"[PressParamGpl]", "12", "0", "250", "80", "[PressParamCng]", "14", "50", "x", "90", "[MaxPressCenter]", "3000"});
    EXPECT_EQ(imp.gpl.Pos, 12);
    EXPECT_EQ(imp.gpl.D_Min, 0);
    EXPECT_EQ(imp.gpl.D_Max, 250);
    EXPECT_EQ(imp.gpl.KFact, 80);
    EXPECT_EQ(imp.cng.Pos, 10); // 14 would divide by zero: the default stays
    EXPECT_EQ(imp.cng.D_Min, 50);
    EXPECT_EQ(imp.cng.D_Max, 500);
    EXPECT_EQ(imp.massimoCentro, 3000);
    EXPECT_FALSE(A::PosValida(0));
    EXPECT_FALSE(A::PosValida(14));
    EXPECT_TRUE(A::PosValida(13));
}
