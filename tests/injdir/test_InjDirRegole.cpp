// The direct-injection page's rules as tables: selection of items by word,
// the staged values of picks, the advance-table arithmetic, the live marker,
// and the gas-pressure compensation curve against its worked example.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "injdir/InjDirRegole.h"
#include "injdir/ModBlckRegressione.h"

namespace R = InjDirRegole;

namespace {

R::Voci InjNumeri(std::initializer_list<double> v) {
    R::Voci r;
    for (double x : v) r.emplace_back(x);
    return r;
}

std::vector<std::optional<int64_t>> InjMillesimi(std::initializer_list<int64_t> v) {
    std::vector<std::optional<int64_t>> r;
    for (auto x : v) r.emplace_back(x);
    return r;
}

} // namespace

TEST(InjDirRegole, RegolaPosizione) {
    const struct {
        int32_t parola, divisore;
        int conteggio, atteso;
    } casi[] = {{12, 5, 25, 2},  {13, 5, 25, 3},    {125, 5, 25, -1}, {25, 10, 103, 2}, {35, 10, 103, 4},
                {1030, 10, 103, -1}, {159, 1, 160, 159}, {160, 1, 160, -1}, {-1, 1, 160, -1}, {3, 1, 0, -1}};
    for (const auto& c : casi)
        EXPECT_EQ(R::IndicePosizione(c.parola, c.divisore, c.conteggio), c.atteso) << c.parola << "/" << c.divisore;
}

TEST(InjDirRegole, RegolaValoreETimeShift) {
    // Two items of the same value: the first wins; a text that is no number matches nothing.
    R::Voci v = InjNumeri({1, 2, 2});
    v.insert(v.begin(), std::nullopt);
    EXPECT_EQ(R::IndiceIntero(v, 2), 2);
    EXPECT_EQ(R::IndiceIntero(v, 7), -1);
    EXPECT_EQ(R::IndiceIntero({}, 0), -1);
    EXPECT_EQ(R::IndiceIntero(InjNumeri({2.5, 3.5}), 2), 0); // halves to even
    EXPECT_EQ(R::IndiceTimeShift(InjNumeri({0, 8, 16}), 1), 1);
    EXPECT_EQ(R::IndiceTimeShift(InjNumeri({0, 4, 8}), 0), 0);
    EXPECT_EQ(R::ValoreTimeShift(20.0), 2);
    EXPECT_EQ(R::ValoreTimeShift(-12.0), -1);
    EXPECT_EQ(R::ValoreIntero(std::nullopt), std::nullopt);
    EXPECT_EQ(R::ValoreIntero(3e10), std::nullopt);
}

TEST(InjDirRegole, MaxOutGasPerMillesimi) {
    // The item's thousandths, not the item rounded first: 2.5 writes 2500 and
    // a stored 2500 shows the item 2.5.
    const auto voci = InjMillesimi({2000, 2500, 3500});
    EXPECT_EQ(R::IndiceMillesimi(voci, 2000), 0);
    EXPECT_EQ(R::IndiceMillesimi(voci, 2500), 1);
    EXPECT_EQ(R::IndiceMillesimi(voci, 3000), -1);
    EXPECT_EQ(R::ValoreMillesimi(2500), 2500);
    EXPECT_EQ(R::ValoreMillesimi(3500), 3500);
    EXPECT_EQ(R::ValoreMillesimi(int64_t{3000000000}), std::nullopt);
    EXPECT_EQ(R::ValoreMillesimi(std::nullopt), std::nullopt);
}

TEST(InjDirRegole, Contributo) {
    const auto voci = InjMillesimi({500, 1000, 1500, 0}); // the last stands for the extra item
    const struct {
        int32_t parola;
        int atteso;
    } casi[] = {{15, 0}, {31, 1}, {46, 2}, {16, -1}, {77, 3}};
    for (const auto& c : casi) EXPECT_EQ(R::IndiceContributo(voci, c.parola, 77), c.atteso) << c.parola;
    // The special value wins even when an item converts to it.
    EXPECT_EQ(R::IndiceContributo(voci, 15, 15), 3);
    // Without the section: no items, -1 asks for position -1.
    EXPECT_EQ(R::IndiceContributo({}, -1, -1), -1);
    EXPECT_EQ(R::ValoreContributo(500), 15);
    EXPECT_EQ(R::ValoreContributo(1000), 31);
    EXPECT_EQ(R::ValoreContributoDaRighe({"[CONTRIBUTO]", "1000|2000", "77"}, 0), 77);
    EXPECT_EQ(R::ValoreContributoDaRighe({"[CONTRIBUTO]", "1000|2000"}, 0), std::nullopt);
    EXPECT_EQ(R::ValoreContributoDaRighe({"[CONTRIBUTO]", "1000", "x"}, 0), std::nullopt);
}

TEST(InjDirRegole, PidLambda) {
    const struct {
        int32_t parola;
        int indice;
    } casi[] = {{0, 0}, {0x15, 1}, {0x19, 2}, {0x34, 3}, {0x36, 5}, {0x3B, 10}, {20, -1}, {0x3C, -1}};
    for (const auto& c : casi) {
        EXPECT_EQ(R::IndicePidLambda(c.parola), c.indice) << c.parola;
        if (c.indice >= 0) {
            EXPECT_EQ(R::PidLambdaDaIndice(c.indice), c.parola);
        }
    }
    EXPECT_EQ(R::PidLambdaDaIndice(-1), 0);
    EXPECT_EQ(R::PidLambdaDaIndice(11), 0);
}

TEST(InjDirRegole, Liste) {
    const auto mapH = R::ListaMapH('.');
    EXPECT_EQ(mapH.substr(0, 18), "0|0.049|0.098|0.14");
    EXPECT_EQ(mapH.substr(mapH.size() - 5), "|4.98");
    EXPECT_EQ(std::count(mapH.begin(), mapH.end(), '|'), 102);
    EXPECT_EQ(R::ListaMapH(',').substr(0, 7), "0|0,049");
    EXPECT_EQ(R::ListaInteri(1, 4), "1|2|3|4");
}

TEST(InjDirRegole, TabellaAnticipo) {
    const struct {
        int32_t v;
        int16_t tasto, maiuscole;
        int32_t atteso;
    } passi[] = {{145, 187, 0, 146}, {150, 107, 0, 150}, {140, 187, 1, 150}, {100, 107, 3, 101},
                 {5, 189, 1, 0},     {0, 109, 0, 0},     {90, 109, 1, 80}};
    for (const auto& p : passi) EXPECT_EQ(R::Passo(p.v, p.tasto, p.maiuscole), p.atteso) << p.v << " " << p.tasto;
    EXPECT_TRUE(R::TastoPasso(187));
    EXPECT_FALSE(R::TastoPasso(13));
    const struct {
        double cella;
        int32_t op;
        double valore;
        std::optional<int32_t> atteso;
    } dialoghi[] = {{90, 1, 100, 150}, {40, 1, -100, 0}, {0, 2, -50, 0},   {90, 2, -50, 45},
                    {150, 2, -50, 75}, {10, 3, 160, 150}, {10, 3, 2.5, 2}, {10, 0, 5, std::nullopt}};
    for (const auto& d : dialoghi) EXPECT_EQ(R::ValoreDialogo(d.cella, d.op, d.valore), d.atteso) << d.cella << " op " << d.op;
}

TEST(InjDirRegole, Indicatore) {
    const auto a = R::PostoIndicatore(30, 10, 20, 40, 30);
    const auto b = R::PostoIndicatore(23, 10, 20, 40, 30);
    EXPECT_EQ(a.sinistra, b.sinistra);
    EXPECT_EQ(b.sinistra, 10 + 23 * 40 + 40);
    EXPECT_EQ(b.larghezza, 39);
    EXPECT_EQ(b.altezza, 10);
    EXPECT_EQ(b.alto, 20 + 30 - 5);
    EXPECT_EQ(R::PostoIndicatore(0, 0, 0, 40, 30).sinistra, 40);
    EXPECT_EQ(R::ColoreIndicatore(0x80FF, 0), 0xFFFF);
    EXPECT_EQ(R::ColoreIndicatore(0xFFFF, 0), 0x80FF);
    EXPECT_EQ(R::ColoreIndicatore(0xFFFF00, 0), 0x80FF);
    EXPECT_EQ(R::ColoreIndicatore(0xFFFF00, 1), 0xFF8000);
    EXPECT_EQ(R::ColoreIndicatore(0xFF8000, 1), 0xFFFF00);
    EXPECT_EQ(R::ColoreIndicatore(0x80FF, 2), 0xFFFF00);
}

TEST(InjDirRegole, MediaCella) {
    EXPECT_EQ(R::MediaCella(404, 101), 4);
    EXPECT_EQ(R::MediaCella(454, 101), 4);
    EXPECT_EQ(R::MediaCella(455, 101), 5);
    EXPECT_EQ(R::MediaCella(303, 101), 3);
    EXPECT_EQ(R::MediaCella(5, 0), 0);
}

// ---- Gas-pressure compensation curve

namespace {

BloccoParametri InjBlocco9(size_t n = 116) {
    BloccoParametri b;
    b.Valori.assign(n, 7);
    return b;
}

ParametriCurvaPressione InjEsempio() {
    ParametriCurvaPressione p;
    p.PressioneBase = 500;
    p.OffsetInizio = 100;
    p.IndiceCentro = 11;
    p.PressioneCentro = 1500;
    p.OffsetFine = 300;
    p.Ampiezza = 100;
    return p;
}

} // namespace

TEST(Regressione, EsempioDorato) {
    auto b = InjBlocco9();
    ASSERT_TRUE(ModBlck::CalcolaRegressione(InjEsempio(), b, false, 4));
    const int32_t inizio[] = {600, 37, 620, 36, 641, 35, 662, 34, 682, 33};
    for (size_t k = 0; k < 10; ++k) EXPECT_EQ(b.Valori[k], inizio[k]) << "value " << k;
    // Around the centre (pair 44 is point 11).
    EXPECT_EQ(b.Valori[86], 1480);
    EXPECT_EQ(b.Valori[87], 1);
    EXPECT_EQ(b.Valori[88], 1500);
    EXPECT_EQ(b.Valori[89], 0);
    EXPECT_EQ(b.Valori[90], 1525);
    EXPECT_EQ(b.Valori[91], -1);
    EXPECT_EQ(b.Valori[110], 1775);
    EXPECT_EQ(b.Valori[111], -9);
    EXPECT_EQ(b.Valori[112], 1800);
    EXPECT_EQ(b.Valori[113], -10);
    // Values after the curve are left alone (the last belongs to the switchover temperature).
    EXPECT_EQ(b.Valori[114], 7);
    EXPECT_EQ(b.Valori[115], 7);
    auto c = InjBlocco9();
    ASSERT_TRUE(ModBlck::CalcolaRegressione(InjEsempio(), c, true, 4));
    EXPECT_EQ(c.Valori[114], 1);
    EXPECT_EQ(c.Valori[115], 1);
}

TEST(Regressione, PassoUnoECurvaPiatta) {
    auto b = InjBlocco9(40);
    ASSERT_TRUE(ModBlck::CalcolaRegressione(InjEsempio(), b, false, 1));
    EXPECT_EQ(b.Valori[0], 600);
    EXPECT_EQ(b.Valori[22], 1500); // point 11 at pair 11
    EXPECT_EQ(b.Valori[28], 1800); // point 14 at pair 14
    EXPECT_EQ(b.Valori[30], 7);

    auto p = InjEsempio();
    p.PressioneBase = 1400; // 1400 + 100 = the centre
    p.OffsetFine = 0;
    auto piatta = InjBlocco9();
    ASSERT_TRUE(ModBlck::CalcolaRegressione(p, piatta, false, 4));
    for (size_t k = 0; k < 114; k += 2) {
        EXPECT_EQ(piatta.Valori[k], 1500) << k;
        EXPECT_EQ(piatta.Valori[k + 1], 0) << k;
    }
}

TEST(Regressione, ArgomentiNonValidiLascianoIlBlocco) {
    struct Caso {
        const char* nome;
        void (*cambia)(ParametriCurvaPressione&);
        size_t valori;
    } casi[] = {
        {"centre index 0", [](ParametriCurvaPressione& p) { p.IndiceCentro = 0; }, 116},
        {"centre index 14", [](ParametriCurvaPressione& p) { p.IndiceCentro = 14; }, 116},
        {"centre pressure 0", [](ParametriCurvaPressione& p) { p.PressioneCentro = 0; }, 116},
        {"negative start", [](ParametriCurvaPressione& p) { p.OffsetInizio = -700; }, 116},
        {"negative end", [](ParametriCurvaPressione& p) { p.OffsetFine = -1600; }, 116},
        {"huge factor", [](ParametriCurvaPressione& p) { p.Ampiezza = 2000000000; p.OffsetInizio = 2000000000; }, 116},
        {"short block", [](ParametriCurvaPressione&) {}, 113},
    };
    for (const auto& c : casi) {
        auto p = InjEsempio();
        c.cambia(p);
        auto b = InjBlocco9(c.valori);
        const auto prima = b.Valori;
        EXPECT_FALSE(ModBlck::CalcolaRegressione(p, b, true, 4)) << c.nome;
        EXPECT_EQ(b.Valori, prima) << c.nome;
    }
}
