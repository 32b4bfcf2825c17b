// Parameter blocks: decoding reply frames, encoding values, the per-type
// step, the definition lookups and the rpm constants.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"

namespace {

struct Parametro {
    std::string codice;
    int32_t offset;
    int32_t scala;
};

BloccoParametri Blocco(const std::vector<Parametro>& p, int32_t tipo = 0) {
    BloccoParametri b;
    b.Tipo = tipo;
    for (const auto& x : p) {
        b.CodiciTipo.push_back(x.codice);
        b.Offset.push_back(x.offset);
        b.Scale.push_back(x.scala);
        b.Valori.push_back(0);
    }
    return b;
}

std::string Byte(std::initializer_list<int> b) {
    std::string s;
    for (int x : b) s.push_back(static_cast<char>(x));
    return s;
}

// Registered per-type step and definition tables restored after each test.
class BlocchiTest : public ::testing::Test {
protected:
    void TearDown() override {
        ModBlck::PassoDecodificaTipo = passo_;
        ModBlck::SensoriLivello = sensori_;
        ModBlck::SondeLambda = sonde_;
    }
    ModBlck::PassoTipoBlocco passo_ = ModBlck::PassoDecodificaTipo;
    std::vector<DefinizioneSensoreLivello> sensori_ = ModBlck::SensoriLivello;
    std::vector<DefinizioneSondaLambda> sonde_ = ModBlck::SondeLambda;
};

} // namespace

TEST_F(BlocchiTest, DecodificaPerCodiceDiTipo) {
    // 42 01 07 0D 00 C8 10 27 and its check byte; positions count from 1 at the 0x42.
    const std::string r = Byte({0x42, 0x01, 0x07, 0x0D, 0x00, 0xC8, 0x10, 0x27, 0xBB});
    struct Caso {
        Parametro p;
        int32_t atteso;
    } casi[] = {
        {{"UB", 6, 1}, 200},
        {{"UW", 7, 10}, 100000},
        {{"SB", 6, 1}, -56},
        {{"SB", 6, 3}, -168},
        {{"UB", 1, 1}, 0x42},
        {{"SW", 6, 1}, 0x10C8},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.p.codice + " @" + std::to_string(c.p.offset));
        auto b = Blocco({c.p});
        ModBlck::DecodificaBlocco(r, b);
        EXPECT_EQ(b.Valori[0], c.atteso);
    }
    // Both parameters of one block, as the reply carries them.
    auto b = Blocco({{"UB", 6, 1}, {"UW", 7, 10}});
    b.TempoMs = 1234;
    ModBlck::DecodificaBlocco(r, b);
    EXPECT_EQ(b.Valori, (std::vector<int32_t>{200, 100000}));
    EXPECT_EQ(b.TempoMs, 0);
}

TEST_F(BlocchiTest, ParoleConSegnoELunghe) {
    const std::string fe = Byte({0x42, 0x01, 0x06, 0x0D, 0x00, 0xFE, 0xFF});
    auto b = Blocco({{"SW", 6, 1}, {"UW", 6, 1}});
    ModBlck::DecodificaBlocco(fe, b);
    EXPECT_EQ(b.Valori[0], -2);
    EXPECT_EQ(b.Valori[1], 65534);

    // "SL" at offset 6 reads positions 7..10, high byte first in each half,
    // low half first: 12 34 56 78 gives 0x56781234.
    const std::string sl = Byte({0x42, 0x01, 0x0A, 0x0D, 0x00, 0xAA, 0x12, 0x34, 0x56, 0x78});
    auto l = Blocco({{"SL", 6, 1}});
    ModBlck::DecodificaBlocco(sl, l);
    EXPECT_EQ(static_cast<uint32_t>(l.Valori[0]), 0x56781234u);
}

TEST_F(BlocchiTest, ParametroNonLeggibileTieneIlValorePrecedente) {
    const std::string r = Byte({0x42, 0x01, 0x06, 0x0D, 0x00, 0x05, 0x06});
    struct Caso {
        const char* perche;
        Parametro p;
    } casi[] = {
        {"past the end", {"UB", 8, 1}},
        {"second byte past the end", {"UW", 7, 1}},
        {"SL needs o+4", {"SL", 4, 1}},
        {"offset 0", {"UB", 0, 1}},
        {"negative offset", {"UB", -3, 1}},
        {"huge offset", {"UW", 2147483647, 1}},
        {"unknown code", {"XX", 6, 1}},
        {"code in lower case", {"ub", 6, 1}},
        {"raw x scale beyond 32 bits", {"UB", 6, 1000000000}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.perche);
        auto b = Blocco({c.p, {"UB", 7, 1}});
        b.Valori = {4711, 0};
        ModBlck::DecodificaBlocco(r, b);
        EXPECT_EQ(b.Valori[0], 4711);
        EXPECT_EQ(b.Valori[1], 6) << "a faulty parameter does not stop the rest";
    }
    // An empty reply changes no value; a block without parameters is fine.
    auto b = Blocco({{"UB", 6, 1}});
    b.Valori = {9};
    ModBlck::DecodificaBlocco("", b);
    EXPECT_EQ(b.Valori[0], 9);
    BloccoParametri vuoto;
    ModBlck::DecodificaBlocco(r, vuoto);
    EXPECT_TRUE(vuoto.Valori.empty());
}

TEST_F(BlocchiTest, ArrayDiLunghezzaDiversaNonEsconoDaiLimiti) {
    auto b = Blocco({{"UB", 6, 1}, {"UB", 7, 1}});
    b.Scale.pop_back();
    ModBlck::DecodificaBlocco(Byte({0x42, 1, 6, 0x0D, 0, 3, 4}), b);
    EXPECT_EQ(b.Valori, (std::vector<int32_t>{3, 0}));
    std::string dati;
    ModBlck::CodificaBlocco(dati, b);
    EXPECT_EQ(dati, Byte({3}));
}

TEST_F(BlocchiTest, Tipo5ValoreSei) {
    std::vector<Parametro> p;
    for (int k = 0; k < 7; ++k) p.push_back({"UB", 6 + k, 1});
    for (int v6 : {0, 1, 4, 5, 6, 7, 8, 255}) {
        SCOPED_TRACE(v6);
        auto b = Blocco(p, 5);
        ModBlck::DecodificaBlocco(Byte({0x42, 1, 11, 0x30, 0, 0, 0, 0, 0, 0, 0, v6}), b);
        EXPECT_EQ(b.Valori[6], (v6 == 4 || v6 == 6) ? v6 : 8);
        auto altro = Blocco(p, 4);
        ModBlck::DecodificaBlocco(Byte({0x42, 1, 11, 0x30, 0, 0, 0, 0, 0, 0, 0, v6}), altro);
        EXPECT_EQ(altro.Valori[6], v6) << "only type 5 has the rule";
    }
    // A type-5 block too short for value 6 is left alone.
    auto corto = Blocco({{"UB", 6, 1}}, 5);
    ModBlck::DecodificaBlocco(Byte({0x42, 1, 6, 0x30, 0, 3}), corto);
    EXPECT_EQ(corto.Valori, (std::vector<int32_t>{3}));
}

TEST_F(BlocchiTest, PassoPerTipoRegistratoDopoIValori) {
    std::vector<std::pair<int32_t, int32_t>> visti;
    ModBlck::PassoDecodificaTipo = [&](BloccoParametri& b) { visti.push_back({b.Tipo, b.Valori[0]}); };
    auto b = Blocco({{"UB", 6, 1}}, 3);
    ModBlck::DecodificaBlocco(Byte({0x42, 1, 6, 0x0E, 0, 77}), b);
    ASSERT_EQ(visti.size(), 1u);
    EXPECT_EQ(visti[0], std::make_pair(3, 77));
}

TEST_F(BlocchiTest, Codifica) {
    struct Caso {
        const char* perche;
        Parametro p;
        int32_t valore;
        std::string atteso;
    } casi[] = {
        {"SB rounds down", {"SB", 6, 1}, -3, Byte({0xFD})},
        {"SB clamps high", {"SB", 6, 1}, 200, Byte({0x7F})},
        {"SB clamps low", {"SB", 6, 1}, -300, Byte({0x80})},
        {"SB -3.5 rounds down to -4", {"SB", 6, 2}, -7, Byte({0xFC})},
        {"UB 2.5 halves to even", {"UB", 6, 2}, 5, Byte({0x02})},
        {"UB 3.5 halves to even", {"UB", 6, 2}, 7, Byte({0x04})},
        {"UB keeps the low 8 bits", {"UB", 6, 1}, 0x1FF, Byte({0xFF})},
        {"UW with scale", {"UW", 6, 10}, 1000, Byte({0x64, 0x00})},
        {"SW negative", {"SW", 6, 1}, -2, Byte({0xFE, 0xFF})},
        {"UW low 16 bits", {"UW", 6, 1}, 0x12345, Byte({0x45, 0x23})},
        {"SL lowest byte first", {"SL", 6, 1}, 0x01020304, Byte({0x04, 0x03, 0x02, 0x01})},
        {"scale 0 still takes its bytes", {"UW", 6, 0}, 5, Byte({0, 0})},
        {"scale 0 and value 0", {"SL", 6, 0}, 0, Byte({0, 0, 0, 0})},
        {"SB scale 0", {"SB", 6, 0}, 5, Byte({0x00})},
        {"unknown code adds nothing", {"ub", 6, 1}, 5, ""},
        {"negative scale", {"UB", 6, -1}, -4, Byte({0x04})},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.perche);
        auto b = Blocco({c.p});
        b.Valori[0] = c.valore;
        std::string dati = "garbage";
        ModBlck::CodificaBlocco(dati, b);
        EXPECT_EQ(dati, c.atteso);
    }
    std::string dati = "x";
    ModBlck::CodificaBlocco(dati, BloccoParametri{});
    EXPECT_TRUE(dati.empty());
}

TEST_F(BlocchiTest, CodificaIgnoraGliOffsetEDecodificaTornaIndietro) {
    auto b = Blocco({{"UB", 6, 1}, {"UW", 7, 5}, {"SB", 9, 1}, {"SW", 10, 1}});
    b.Valori = {255, 65535 * 5, -128, -32768};
    std::string dati;
    ModBlck::CodificaBlocco(dati, b);
    ASSERT_EQ(dati.size(), 6u);
    const std::string r = Byte({0x42, 0x01, 10, 0x0D, 0x00}) + dati;
    auto c = b;
    c.Valori.assign(4, 0);
    ModBlck::DecodificaBlocco(r, c);
    EXPECT_EQ(c.Valori, b.Valori);

    // "SL" does not survive the trip: the decoder reads its bytes in another order.
    auto l = Blocco({{"SL", 5, 1}});
    l.Valori = {0x01020304};
    ModBlck::CodificaBlocco(dati, l);
    auto m = l;
    ModBlck::DecodificaBlocco(Byte({0x42, 1, 8, 0x0D, 0}) + dati, m);
    EXPECT_NE(m.Valori[0], l.Valori[0]);
}

TEST_F(BlocchiTest, CercaIndiceSensoreELambda) {
    ModBlck::SensoriLivello.assign(3, {});
    ModBlck::SensoriLivello[0].Codice = 5;
    ModBlck::SensoriLivello[1].Codice = -1;
    ModBlck::SensoriLivello[2].Codice = 5;
    EXPECT_EQ(ModBlck::CercaIndiceSensore(5), 0) << "the first match";
    EXPECT_EQ(ModBlck::CercaIndiceSensore(-1), 1);
    EXPECT_EQ(ModBlck::CercaIndiceSensore(7), -1);
    ModBlck::SondeLambda.assign(2, {});
    ModBlck::SondeLambda[0].Id = 12;
    ModBlck::SondeLambda[1].Id = 3;
    EXPECT_EQ(ModBlck::CercaIndiceLambda(3), 1);
    EXPECT_EQ(ModBlck::CercaIndiceLambda(4), -1);
    ModBlck::SondeLambda.clear();
    ModBlck::SensoriLivello.clear();
    EXPECT_EQ(ModBlck::CercaIndiceLambda(0), -1);
    EXPECT_EQ(ModBlck::CercaIndiceSensore(0), -1);
}

TEST(CostantiGiri, FattoreECostante) {
    struct Caso {
        int32_t n, a;
        float atteso;
    } casi[] = {
        {4, 2, 7500000.0f}, {0, 2, 1.0f}, {9, 2, 1.0f}, {4, 9, 1.0f}, {8, 8, 15000000.0f}, {1, 1, 15000000.0f},
    };
    for (const auto& c : casi) EXPECT_FLOAT_EQ(ModBlck::CalcolaFattoreGiriTempo(c.n, c.a), c.atteso) << c.n << "," << c.a;
    EXPECT_EQ(ModBlck::CalcolaCostanteGiriTempo(2), 7500000);
    for (int32_t v : {0, 1, 3, -2}) EXPECT_EQ(ModBlck::CalcolaCostanteGiriTempo(v), 15000000);
}
