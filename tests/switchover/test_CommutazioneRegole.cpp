// The switchover page's rules as tables: rpm and periods, the staged edits,
// the cylinder copy, the injector type, the sensitivity list, the spark value
// and the temperature-sensor table.
#include <gtest/gtest.h>

#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "support/Ripristino.h"
#include "switchover/CommutazioneRegole.h"

namespace R = CommutazioneRegole;

namespace {

struct RegoleVoce {
    int32_t valore, indice, maschera;
};

void RegoleUguali(const ListaModifiche& l, std::initializer_list<RegoleVoce> attese) {
    ASSERT_EQ(l.size(), attese.size());
    size_t i = 0;
    for (const auto& a : attese) {
        EXPECT_EQ(l[i].Valore, a.valore) << "entry " << i;
        EXPECT_EQ(l[i].IndiceValore, a.indice) << "entry " << i;
        EXPECT_EQ(l[i].Maschera, a.maschera) << "entry " << i;
        ++i;
    }
}

std::vector<std::optional<double>> RegoleVoci(std::initializer_list<double> v) {
    std::vector<std::optional<double>> r;
    for (double x : v) r.emplace_back(x);
    return r;
}

} // namespace

TEST(CommutazioneRegole, RigheSenzaVuoti) {
    const std::vector<double> posti{10, 20, 30, 40};
    const struct {
        std::vector<bool> mostrate;
        std::vector<double> attesi;
    } casi[] = {
        {{true, true, true, true}, {10, 20, 30, 40}},
        {{true, false, true, true}, {10, 20, 20, 30}},   // the hidden row keeps its place
        {{false, false, false, true}, {10, 20, 30, 10}},
        {{false, false, false, false}, {10, 20, 30, 40}},
        {{true, false}, {10, 20, 30, 40}},               // rows without a flag count as hidden
    };
    for (const auto& c : casi) EXPECT_EQ(R::PostiRighe(posti, c.mostrate), c.attesi);
}

TEST(CommutazioneRegole, GiriEPeriodi) {
    const struct {
        int32_t cilindri, bobine, periodo, giri;
    } casi[] = {
        {4, 2, 2501, 2996}, {4, 2, 65535, 0}, {4, 2, 0, 0}, {4, 9, 2, 0}, {0, 2, 2, 0}, {4, 2, 3, 2499998},
    };
    for (const auto& c : casi)
        EXPECT_EQ(R::GiriDaPeriodo(ModBlck::CalcolaFattoreGiriTempo(c.cilindri, c.bobine), c.periodo), c.giri)
            << c.cilindri << "/" << c.bobine << " " << c.periodo;
    const auto voci = RegoleVoci({0, 2000, 2500, 3000});
    EXPECT_EQ(R::IndiceGiri(voci, 2996), 3);
    EXPECT_EQ(R::IndiceGiri(voci, 0), 0);
    EXPECT_EQ(R::IndiceGiri(voci, 65535), 0);
    EXPECT_EQ(R::IndiceGiri(voci, 3001), -1);
    EXPECT_EQ(R::Periodo(7500000.0f, 0), 65535);
    EXPECT_EQ(R::Periodo(15000000.0f, 100), 65535);
}

TEST(CommutazioneRegole, ModificheGiriBobineMoltiplicatore) {
    RegoleUguali(R::ModificaGiri(0, {2, 4, 0, 1}), {{65535, 3, 0}, {65535, 35, 0}});
    RegoleUguali(R::ModificaGiri(3000, {2, 4, 0, 1}), {{2501, 3, 0}, {5003, 35, 0}});
    RegoleUguali(R::ModificaGiri(3000, {2, 4, 0, 2}), {{2501, 3, 0}, {2501, 35, 0}});
    RegoleUguali(R::ModificaMoltiplicatore(1, 3000), {{2, 42, 0}, {2500, 35, 0}});
    RegoleUguali(R::ModificaMoltiplicatore(0, 3000), {{1, 42, 0}, {5000, 35, 0}});
    RegoleUguali(R::ModificaBobine(1, 3000, {2, 4, 0, 1}), {{1, 0, 0}, {1250, 3, 0}});
}

TEST(CommutazioneRegole, SparkForzaEVoci) {
    RegoleUguali(R::ModificaSpark(1, {2, 4, 0, 1}, 7000), {{1, 49, 8}, {8568, 44, 0}});
    RegoleUguali(R::ModificaSpark(1, {2, 0, 0, 1}, 7000), {{0, 49, 8}, {0, 44, 0}});
    RegoleUguali(R::ModificaSpark(1, {2, 4, 0, 1}, 0), {{0, 49, 8}, {0, 44, 0}});
    RegoleUguali(*R::ModificaForza(0, std::nullopt), {{1638375, 37, 0}});
    RegoleUguali(*R::ModificaForza(-1, std::nullopt), {{1638375, 37, 0}});
    RegoleUguali(*R::ModificaForza(1, 5.0), {{5000, 37, 0}});
    EXPECT_FALSE(R::ModificaForza(2, std::nullopt));
    EXPECT_EQ(R::ValoreVoce(2.5), 2);
    EXPECT_EQ(R::ValoreVoce(3.5), 4);
    EXPECT_FALSE(R::ValoreVoce(std::nullopt));
    const auto forza = RegoleVoci({0, 5, 6});
    EXPECT_EQ(R::IndiceForza(forza, 1638375), 0);
    EXPECT_EQ(R::IndiceForza(forza, 5000), 1);
    EXPECT_EQ(R::IndiceForza(forza, 5500), -1);
    EXPECT_EQ(R::IndiceAlmeno(RegoleVoci({0, 30, 60}), 45, 1), 2);
    EXPECT_EQ(R::IndiceAlmeno(RegoleVoci({0, 30, 60}), 61, 1), -1);
}

TEST(CommutazioneRegole, CopiaCilindri) {
    std::vector<int32_t> v(50);
    for (size_t i = 0; i < v.size(); ++i) v[i] = 100 + static_cast<int32_t>(i);
    v[0] = 6;
    v[1] = 6;
    v[3] = 65535;
    const auto c = R::CopiaCilindri(v, 4);
    EXPECT_EQ(c[0], 4);
    EXPECT_EQ(c[1], 4);
    EXPECT_EQ(c[3], 65535);
    for (int i = 9; i <= 12; ++i) EXPECT_EQ(c[static_cast<size_t>(i)], 0) << i;
    for (int i = 13; i <= 16; ++i) EXPECT_EQ(c[static_cast<size_t>(i)], 100 + i) << i;
    for (int i = 17; i <= 24; ++i) EXPECT_EQ(c[static_cast<size_t>(i)], 0) << i;
    EXPECT_EQ(c[25], 125);
    // 4 cylinders, 2 coils at 3000 rpm (period 2501): the same rpm for 6 cylinders.
    std::vector<int32_t> w(25, 0);
    w[0] = 2;
    w[1] = 4;
    w[3] = 2501;
    EXPECT_EQ(R::CopiaCilindri(w, 6)[3], static_cast<int32_t>(15000000 / 2996));
}

TEST(CommutazioneRegole, TipoIniettore) {
    SupportoTest::Ripristino r(ModBlck::TipiIniettori, ModBlck::SensoriLivello, ModBlck::SondeLambda,
                               ModBlck::SensoriTemperatura, ModBlck::TolleranzaCorrettore, ModBlck::MaxBadBit,
                               ModBlck::CaratteriEcu, ModBlck::CaratteriAscii, ModBlck::CarattereDefault,
                               ModBlck::PersonalizzazioneVisualizzazione);
    // A definition as the file gives it: header (line 0), name (line 1) and
    // lines 2 to 8, each value telling its own line number.
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(
        {"[InjType_042]", "A", "1002", "1003", "1004", "1005", "1006", "1007", "1008"});
    const auto m = R::CercaIniettore(ModBlck::TipiIniettori, "A");
    ASSERT_TRUE(m);
    RegoleUguali(m->blocco3, {{42, 4, 0}, {1002, 6, 0}, {1004, 7, 0}, {1003, 8, 0}, {1006, 36, 0}});
    RegoleUguali(m->blocco15, {{1008, 0, 0}});
    EXPECT_FALSE(R::CercaIniettore(ModBlck::TipiIniettori, "B"));
    EXPECT_FALSE(R::CercaIniettore(ModBlck::TipiIniettori, ""));
}

TEST(CommutazioneRegole, Sensibilita) {
    const auto base = R::CostruisciSensibilita({}, ',');
    ASSERT_EQ(base.codici.size(), 35u);
    EXPECT_EQ(base.codici[19], 128);
    EXPECT_EQ(base.testi[0], "0");
    EXPECT_EQ(base.testi[19], "9,5");
    EXPECT_EQ(base.testi[34], "17");
    const auto s = R::CostruisciSensibilita({"x", "[Sensibilita RPM]", "74", "5", "0|100|230"}, '.');
    EXPECT_EQ(s.testi, (std::vector<std::string>{"0", "7.5", "17"}));
    EXPECT_EQ(s.codici, (std::vector<int16_t>{0, 100, 230}));
    // Malformed sections are passed over: a non-numeric line, a 17-bit code, a cut-off section.
    for (const auto& righe : std::vector<std::vector<std::string>>{
             {"[Sensibilita RPM]", "a", "5", "0|1"},
             {"[Sensibilita RPM]", "74", "5", "0|40000"},
             {"[Sensibilita RPM]", "74", "5"}}) {
        const auto m = R::CostruisciSensibilita(righe, '.');
        EXPECT_EQ(m.codici.size(), 35u);
    }
}

TEST(CommutazioneRegole, ValoreSpark) {
    EXPECT_EQ(R::ValoreSpark(40000.0), 32000);
    EXPECT_EQ(R::ValoreSpark(-3.0), 0);
    EXPECT_EQ(R::ValoreSpark(12.5), 12);
    EXPECT_FALSE(R::ValoreSpark(std::nullopt));
}

TEST(CommutazioneRegole, PassiEDialogo) {
    const struct {
        int riga;
        int32_t valore;
        int16_t tasto, maiuscole;
        int32_t atteso;
    } passi[] = {
        {0, 115, 107, 1, 120}, {0, 120, 187, 1, 120}, {0, 115, 107, 3, 116}, {0, 10, 109, 0, 9},
        {1, 0, 189, 0, 0},     {1, 179, 107, 0, 180}, {0, -15, 109, 1, -20},
    };
    for (const auto& p : passi)
        EXPECT_EQ(R::Passo(p.riga, p.valore, p.tasto, p.maiuscole), p.atteso) << p.valore << " " << p.tasto;
    EXPECT_TRUE(R::TastoPasso(187));
    EXPECT_FALSE(R::TastoPasso(16));
    const struct {
        int riga;
        double cella;
        int32_t operazione;
        float valore;
        std::optional<int32_t> atteso;
    } dialogo[] = {
        {0, 50, 2, -100, 0}, {1, 50, 2, -100, 0}, {0, 50, 3, 127, 120}, {1, 50, 3, -5, 0},
        {0, 20, 1, 2.5f, 22}, {0, 20, 0, 5, std::nullopt}, {1, 35, 1, 10, 45},
    };
    for (const auto& d : dialogo)
        EXPECT_EQ(R::ValoreDialogo(d.riga, d.cella, d.operazione, d.valore), d.atteso) << d.cella << " " << d.operazione;
    EXPECT_EQ(R::ValoreCella(1, 35), 35000);
    EXPECT_EQ(R::NumeroCella(1, 22500), 22);
    EXPECT_EQ(R::NumeroCella(1, 23500), 24);
    EXPECT_EQ(R::IndiceCella(1, 8), 15);
}

TEST(CommutazioneRegole, TramaTabellaSoloCelleToccate) {
    BloccoParametri b;
    for (int k = 0; k < 8; ++k) {
        b.CodiciTipo.push_back("SW");
        b.Scale.push_back(1);
        b.CodiciTipo.push_back("UW");
        b.Scale.push_back(10);
    }
    b.Valori.assign(16, 0);
    b.Valori[15] = 12340; // shows as 12 in the grid: sent unchanged, not as 12000
    const std::string t = R::TramaTabella(b, {{0, -20}, {1, 35000}});
    std::string atteso = "\x41\x02\x23\x3D\xEC\xFF\xAC\x0D";
    atteso += std::string(26, '\0');
    atteso += "\xD2\x04\x39";
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(t), ModGlobFunct::ConvertiTestoInHex(atteso));
}

TEST(CommutazioneRegole, TraslaTemperature) {
    std::vector<int32_t> v = {-10, 1, 10, 2, 25, 3, 50, 4};
    R::TraslaTemperature(v, 2, 40);
    EXPECT_EQ(v, (std::vector<int32_t>{5, 1, 25, 2, 40, 3, 65, 4}));
    R::TraslaTemperature(v, 9, 0);
    EXPECT_EQ(v[0], 5);
}
