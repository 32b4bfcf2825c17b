// The compensation curves without a screen: blocks to grid texts and back to
// the write frames, trailers, stepping, the dialog's arithmetic, spacing,
// centring, the enleanment spread and the live and expert texts.
#include <gtest/gtest.h>

#include <cmath>

#include "compensation/CompensaModello.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"
#include "link/ModMappeDati.h"

namespace C = Compensa;

namespace {

class CompensaModello : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        separatore_ = ModGlobFunct::SeparatoreDecimale;
        ModGlobFunct::SeparatoreDecimale = ".";
        ModBlck::LeggiSetCom(std::string(MONDARO_DIST) + "/bin/SetCom.ini");
    }
    void TearDown() override {
        TabellaBlocchi = tabella_;
        ModGlobFunct::SeparatoreDecimale = separatore_;
    }
    // A curve whose hidden points lie on the lines between the shown ones and
    // whose inputs have the shown precision: the grid carries it unchanged.
    static std::vector<int32_t> CurvaEsatta(int t) {
        const auto& d = C::Tabella(t);
        std::vector<int32_t> v(TabellaBlocchi[d.blocco].Valori.size(), 0);
        const int32_t unita = t == 2 ? 10 : (t == 4 ? 100 : 1); // one shown digit in stored units
        for (int32_t p = 0; p <= d.ultimoPunto; ++p) {
            v[static_cast<size_t>(2 * p)] = (t <= 1 ? -20 : 0) + p * 2 * unita;
            // Shown corrections alternate between -12 and 4; the hidden ones lie on the lines between.
            const int32_t s = p / 4 * 4, y0 = (p / 4) % 2 ? 4 : -12, y1 = y0 == 4 ? -12 : 4;
            v[static_cast<size_t>(2 * p + 1)] = d.passo == 1 ? ((p % 2) ? 4 : -12) : y0 + (y1 - y0) * (p - s) / 4;
        }
        return v;
    }
    static std::string Trama(int t, const std::vector<int32_t>& v) {
        std::string dati;
        BloccoParametri b = TabellaBlocchi[C::Tabella(t).blocco];
        b.Valori = v;
        ModBlck::CodificaBlocco(dati, b);
        return ModBlck::CostruisciTrama(0x41, 0x02, C::Tabella(t).comando, dati);
    }

private:
    std::vector<BloccoParametri> tabella_;
    std::string separatore_;
};

TEST_F(CompensaModello, BlocchiInGrigliaEIndietroByteperByte) {
    for (int t = 0; t < C::NumeroTabelle; ++t) {
        SCOPED_TRACE(t);
        auto v = CurvaEsatta(t);
        const size_t n = v.size() - 1;
        ASSERT_EQ(v.size(), t == 4 ? 32u : 116u) << "57 points and a trailer (15 for table 4)";
        if (t < 4) {
            v[n - 1] = 1;
            v[n] = 1;
        } else {
            v[n - 1] = 0x8005;
            v[n] = 20;
        }
        C::Griglia g;
        C::TestiDaValori(t, v, g);
        auto w = TabellaBlocchi[C::Tabella(t).blocco].Valori;
        w.assign(v.size(), 99); // what the block held does not matter where the grid reaches
        w[n - 1] = 0x1234;
        C::ValoriDaTesti(t, g, w);
        if (t < 4) C::TrailerAbilitazione(w, true);
        else C::TrailerSmagrimento(w, true, std::string("5"), std::string("20"));
        EXPECT_EQ(w, v);
        EXPECT_EQ(C::TramaTabella(t, TabellaBlocchi[C::Tabella(t).blocco], w), Trama(t, v));
    }
}

TEST_F(CompensaModello, ArrotondamentiDegliIngressi) {
    const struct {
        int t;
        int32_t memorizzato;
        const char* mostrato;
        int32_t riscritto;
    } casi[] = {
        {2, 1234, "1.23", 1230}, {2, 1500, "1.50", 1500}, {3, 102, "2.00", 102}, {3, 100, "1.96", 100},
        {4, 1234, "1.2", 1200},  {0, -5, "-5", -5},       {1, 40, "40", 40},     {2, 0, "0.00", 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.mostrato);
        std::vector<int32_t> v(TabellaBlocchi[C::Tabella(c.t).blocco].Valori.size(), 0);
        v[0] = c.memorizzato;
        C::Griglia g;
        C::TestiDaValori(c.t, v, g);
        EXPECT_EQ(g[0][1], c.mostrato);
        C::ValoriDaTesti(c.t, g, v);
        EXPECT_EQ(v[0], c.riscritto);
    }
    ModGlobFunct::SeparatoreDecimale = ",";
    std::vector<int32_t> v(116, 0);
    v[0] = 1234;
    C::Griglia g;
    C::TestiDaValori(2, v, g);
    EXPECT_EQ(g[0][1], "1,23");
    C::ValoriDaTesti(2, g, v);
    EXPECT_EQ(v[0], 1230);
}

TEST_F(CompensaModello, PuntiNascostiSullaRetta) {
    const struct {
        std::string y0, y1, x0, x1;
        std::vector<int32_t> y, x;
    } casi[] = {
        {"0", "10", "10", "30", {2, 5, 8}, {15, 20, 25}},
        {"0", "-10", "0", "3", {-2, -5, -8}, {1, 2, 2}},
    };
    for (const auto& c : casi) {
        std::vector<int32_t> v(116, 7);
        C::Griglia g;
        C::TestiDaValori(0, v, g);
        g[1][1] = c.y0, g[1][2] = c.y1, g[0][1] = c.x0, g[0][2] = c.x1;
        C::ValoriDaTesti(0, g, v);
        for (int j = 1; j <= 3; ++j) {
            EXPECT_EQ(v[static_cast<size_t>(2 * j + 1)], c.y[static_cast<size_t>(j - 1)]) << c.y1 << " " << j;
            EXPECT_EQ(v[static_cast<size_t>(2 * j)], c.x[static_cast<size_t>(j - 1)]) << c.x1 << " " << j;
        }
    }
    // A correction that is not a number keeps the stored value; its neighbours lean on it.
    std::vector<int32_t> v(116, 0);
    v[2 * 4 + 1] = 40;
    C::Griglia g;
    C::TestiDaValori(0, v, g);
    g[1][2] = "abc";
    g[1][3] = "0";
    C::ValoriDaTesti(0, g, v);
    EXPECT_EQ(v[2 * 4 + 1], 40);
    EXPECT_EQ(v[2 * 2 + 1], 20);
    EXPECT_EQ(v[2 * 6 + 1], 20);
    // Stride 1: nothing is interpolated; a shorter block is filled as far as it reaches.
    std::vector<int32_t> corto(10, 3);
    C::Griglia h;
    for (auto& r : h) r.fill("1");
    C::ValoriDaTesti(4, h, corto);
    EXPECT_EQ(corto, (std::vector<int32_t>{1000, 1, 1000, 1, 1000, 1, 1000, 1, 1000, 1}));
}

TEST_F(CompensaModello, Trailer) {
    std::vector<int32_t> v(116, 0);
    v[114] = 7;
    C::TrailerAbilitazione(v, true);
    EXPECT_EQ(v[114], 1);
    EXPECT_EQ(v[115], 1);
    C::TrailerAbilitazione(v, false);
    EXPECT_EQ(v[115], 0);

    const struct {
        bool abilitata;
        std::optional<std::string> ingresso, uscita;
        int32_t memorizzato, atteso, uscitaAttesa;
    } casi[] = {
        {true, "5", "20", 0, 32773, 20},
        {false, "5", "20", 0x8009, 5, 20},
        {true, "7", std::nullopt, 3, 0x8007, 9},
        // No entry chosen: the stored entry stays, the enable bit follows the box.
        {true, std::nullopt, "3", 0x0009, 0x8009, 3},
        {false, std::nullopt, "3", 0x8009, 0x0009, 3},
        {true, "x", "70000", 0x0004, 0x8004, 9},
    };
    for (const auto& c : casi) {
        std::vector<int32_t> s(32, 0);
        s[30] = c.memorizzato;
        s[31] = 9;
        C::TrailerSmagrimento(s, c.abilitata, c.ingresso, c.uscita);
        EXPECT_EQ(s[30], c.atteso);
        EXPECT_EQ(s[31], c.uscitaAttesa);
    }
}

TEST_F(CompensaModello, ValoriOltreIlTipoLimitatiNonTroncati) {
    // Block 9: X unsigned words, Y signed bytes; block 13: signed-word corrections.
    std::vector<int32_t> v(116, 0);
    v[0] = 70000;
    v[1] = -150;
    v[2] = -5;
    v[3] = 300;
    const std::string t = C::TramaTabella(2, TabellaBlocchi[9], v);
    std::vector<int32_t> atteso = v;
    atteso[0] = 65535, atteso[1] = -128, atteso[2] = 0, atteso[3] = 127;
    EXPECT_EQ(t, Trama(2, atteso));
    std::vector<int32_t> s(32, 0);
    s[1] = 40000;
    s[3] = -40000;
    std::vector<int32_t> sa = s;
    sa[1] = 32767, sa[3] = -32768;
    EXPECT_EQ(C::TramaTabella(4, TabellaBlocchi[13], s), Trama(4, sa));
}

TEST_F(CompensaModello, PassiDaTastiera) {
    const struct {
        int riga, t;
        const char* testo;
        int16_t tasto, shift;
        const char* atteso;
    } casi[] = {
        {1, 0, "100", 107, 0, "100"}, {1, 1, "-95", 189, 1, "-100"}, {0, 2, "1.00", 187, 1, "1.10"},
        {0, 2, "1.00", 107, 0, "1.01"}, {0, 3, "1.96", 107, 0, "1.98"}, {0, 4, "1.2", 109, 1, "0.7"},
        {0, 0, "-127", 109, 0, "-127"}, {0, 2, "3.99", 107, 2, "4.00"}, {0, 4, "0.0", 109, 0, "0.0"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo);
        const auto l = C::LimitiModificaCella(c.riga, c.t);
        const auto v = C::Grezzo(c.testo, l);
        ASSERT_TRUE(v);
        EXPECT_EQ(C::TestoGrezzo(C::Passo(*v, c.tasto, c.shift, l), l), c.atteso);
    }
    EXPECT_FALSE(C::Grezzo("x", C::LimitiModificaCella(0, 0)));
}

TEST_F(CompensaModello, DialogoDelValore) {
    const struct {
        int riga, t;
        C::LimitiDialogo atteso;
    } limiti[] = {
        {0, 0, {254, -254, 100, -100, 127, -127}}, {0, 2, {4000, -4000, 100, -100, 4000, 0}},
        {0, 3, {255, -255, 100, -100, 255, 0}},    {0, 4, {20000, -20000, 100, -100, 20000, 0}},
        {1, 3, {200, -200, 100, -100, 100, -100}},
    };
    for (const auto& c : limiti) {
        const auto d = C::LimitiDialogoCella(C::LimitiModificaCella(c.riga, c.t));
        EXPECT_EQ(d.maxAdd, c.atteso.maxAdd);
        EXPECT_EQ(d.minAdd, c.atteso.minAdd);
        EXPECT_EQ(d.maxAbs, c.atteso.maxAbs);
        EXPECT_EQ(d.minAbs, c.atteso.minAbs);
    }
    const struct {
        int riga, t, operazione;
        double cella;
        float valore;
        const char* atteso;
    } casi[] = {
        {0, 2, 3, 1.0, 5.0f, "4.00"}, {0, 2, 1, 1.0, 0.5f, "1.50"}, {1, 0, 2, 20, 50.0f, "30"},
        {1, 0, 1, 90, 30.0f, "100"},  {0, 0, 3, 0, -200.0f, "-127"}, {0, 3, 3, 0, 1.0f, "1.00"},
    };
    for (const auto& c : casi) {
        const auto l = C::LimitiModificaCella(c.riga, c.t);
        EXPECT_EQ(C::TestoGrezzo(C::ApplicaOperazione(c.operazione, c.cella, c.valore, l), l), c.atteso);
    }
}

TEST_F(CompensaModello, SpaziaturaEInterpolazioneSmagrimento) {
    EXPECT_EQ(C::SpaziaCorrezioni(0, 7),
              (std::vector<std::string>{"0", "1", "2", "2", "2", "3", "4", "4", "4", "5", "6", "6", "6"}));
    const auto asse = C::SpaziaAsse(0, 1.4, 2);
    ASSERT_EQ(asse.size(), 13u);
    EXPECT_EQ(asse.front(), "0.10");
    EXPECT_EQ(asse[6], "0.70");
    EXPECT_EQ(asse.back(), "1.30");
    EXPECT_EQ(C::SpaziaAsse(-20, 120, 0).front(), "-10");
    std::vector<std::string> r14, r21 = {"1", "3", "4", "6", "7", "9", "10", "12", "13", "15", "16", "18", "19"};
    for (int i = 1; i <= 13; ++i) r14.push_back(std::to_string(i));
    EXPECT_EQ(C::InterpolaSmag(0, 14), r14);
    EXPECT_EQ(C::InterpolaSmag(0, 21), r21);
    EXPECT_EQ(C::InterpolaSmag(0, -10).front(), "0") << "-0.71 truncated toward zero";
    EXPECT_EQ(C::TestoCorrezione(-5), "-5 %");
    EXPECT_EQ(C::TestoCorrezione(0), "+ 0 %");
    EXPECT_EQ(C::TestoCorrezione(12), "+ 12 %");
}

TEST_F(CompensaModello, Centratura) {
    std::vector<std::string> temperature, pressioni;
    for (int i = 0; i < 15; ++i) temperature.push_back(std::to_string(-20 + 10 * i));
    for (int i = 0; i < 15; ++i) pressioni.push_back(C::Formatta(0.25 * i, 2, 1));
    using V = std::vector<std::string>;
    EXPECT_EQ(C::Centra(0, 0, 4, temperature, "100"),
              (V{"-5", "-4", "-2", "0", "2", "3", "5", "7", "8", "10", "12", "13", "15", "16", "18"}));
    EXPECT_EQ(C::Centra(2, 0, 5, pressioni, "100"),
              (V{"100", "50", "29", "13", "0", "-12", "-22", "-32", "-41", "-50", "-58", "-66", "-73", "-80", "-87"}));
    // Factor 50: half of the factor-100 result before rounding.
    const auto mezzo = C::Centra(0, 0, 4, temperature, "50");
    ASSERT_TRUE(mezzo);
    EXPECT_EQ((*mezzo)[0], "-3");
    EXPECT_EQ((*mezzo)[14], "9");
    // Refused: the first and last two columns, row 1, table 4.
    for (int col : {1, 14, 15}) EXPECT_FALSE(C::Centra(0, 0, col, temperature, "100")) << col;
    EXPECT_FALSE(C::Centra(0, 1, 4, temperature, "100"));
    EXPECT_FALSE(C::Centra(4, 0, 4, temperature, "100"));
    // A pressure reference of 0, a negative pressure, text that is not a number.
    auto zero = pressioni;
    zero[3] = "0.00";
    EXPECT_FALSE(C::Centra(3, 0, 4, zero, "100"));
    auto negativa = pressioni;
    negativa[0] = "-0.10";
    EXPECT_FALSE(C::Centra(2, 0, 5, negativa, "100"));
    EXPECT_FALSE(C::Centra(0, 0, 4, temperature, "abc"));
    auto rotta = temperature;
    rotta[7] = "x";
    EXPECT_FALSE(C::Centra(0, 0, 4, rotta, "100"));
}

TEST_F(CompensaModello, PuntoVivoMonitorEVistaEsperta) {
    std::vector<int32_t> b1(63, 0);
    const struct {
        int t;
        size_t k;
        int32_t v, colonna;
    } casi[] = {
        {0, 46, 2, 0}, {0, 46, 6, 2}, {0, 46, 10, 2}, {0, 46, 56, 14}, {0, 46, 60, 15},
        {1, 45, -8, 0}, {2, 47, 14, 4}, {3, 52, 200, 15}, {4, 44, 31, 15}, {4, 44, 0x23, 3},
    };
    for (const auto& c : casi) {
        b1[c.k] = c.v;
        EXPECT_EQ(C::ColonnaViva(c.t, b1), c.colonna) << c.t << " " << c.v;
    }
    EXPECT_FALSE(C::ColonnaViva(3, std::vector<int32_t>(50, 0))) << "a live block too short for the value";

    b1[55] = 512, b1[56] = 1023, b1[61] = 255, b1[62] = 0;
    const std::string m = C::TestoMonitor(b1);
    EXPECT_EQ(m.substr(0, 24), "ANALOG_IN1:   2502 mV\r\nA");
    EXPECT_NE(m.find("ANALOG_IN2:   5000 mV"), std::string::npos);
    EXPECT_NE(m.find("LAMBDA_OUT_3: 5000 mV"), std::string::npos);
    EXPECT_NE(m.find("LAMBDA_OUT_4: 0000 mV"), std::string::npos);
    EXPECT_EQ(m.substr(m.size() - 3), " mV") << "no line end after the last line";
    EXPECT_EQ(C::TestoMonitor({}).find("0000 mV"), 14u);

    std::vector<int32_t> b8(116, 0);
    b8[24] = 40, b8[25] = 5, b8[26] = 42, b8[27] = -12, b8[22] = 38, b8[23] = 0;
    const std::string e = C::TestoEsperto(0, b8, 12);
    EXPECT_NE(e.find(">>[012] 040 > +005%\r\n"), std::string::npos);
    EXPECT_NE(e.find("  [013] 042 > -012%\r\n"), std::string::npos);
    EXPECT_NE(e.find("  [011] 038 > +000%\r\n"), std::string::npos);
    EXPECT_EQ(C::TestoEsperto(0, b8, 0).substr(0, 42), "  [---] --- > -----\r\n  [---] --- > -----\r\n");
    std::vector<int32_t> b9(116, 0);
    b9[20] = 1250, b9[21] = -3;
    EXPECT_NE(C::TestoEsperto(2, b9, 10).find(">>[010] 1.25 > -003%"), std::string::npos);
    EXPECT_NE(C::TestoEsperto(2, b9, 56).find("  [---] ---- > -----"), std::string::npos);
    std::vector<int32_t> b13(32, 0);
    b13[26] = 1500, b13[28] = 2000;
    const std::string s = C::TestoEsperto(4, b13, 15);
    EXPECT_NE(s.find("  [013] 1.5 > +000%\r\n  [014] 2.0 > +000%\r\n>>[---] --- > -----\r\n"), std::string::npos);
    // A block shorter than a line repeats the previous line's values.
    std::vector<int32_t> corto(24, 0);
    corto[22] = 30, corto[23] = 4;
    EXPECT_NE(C::TestoEsperto(0, corto, 12).find(">>[012] 030 > +004%"), std::string::npos);
}

} // namespace
