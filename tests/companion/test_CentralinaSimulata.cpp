// The simulated ECU against the program's own block codec: every block of the
// shipped SetCom.ini read, written and read back through frames.
#include <gtest/gtest.h>

#include "CentralinaSimulata.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"

namespace {

class CentralinaSimulataTest : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        ModBlck::LeggiSetCom(percorso_);
    }
    void TearDown() override { TabellaBlocchi = tabella_; }
    const std::string percorso_ = PercorsoSetCom();

    static std::string PercorsoSetCom() {
        std::string p = MONDARO_SORGENTI;
        p.append("/data/bin/SetCom.ini");
        return p;
    }

private:
    std::vector<BloccoParametri> tabella_;
};

// Limits of a type code at a scale, as values.
std::vector<int32_t> Limiti(const std::string& tipo, int32_t scala) {
    if (tipo == "UB") return {0, 255 * scala, 1 * scala};
    if (tipo == "SB") return {-128 * scala, 127 * scala, -1 * scala};
    if (tipo == "UW") return {0, 65535 * scala, 258 * scala};
    if (tipo == "SW") return {-32768 * scala, 32767 * scala, -1 * scala};
    return {0};
}

} // namespace

TEST_F(CentralinaSimulataTest, RisposteDiLunghezzaGiusta) {
    Simulazione::CentralinaSimulata ecu(percorso_);
    ASSERT_EQ(ecu.NumeroBlocchi(), 22u);
    struct Caso {
        size_t blocco;
        const char* inizio;
    } casi[] = {{1, "42017C0C00"}, {12, "42015C4400"}, {18, "42017C5100"}, {5, "4201143000"}, {6, "4201243C00"}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.blocco);
        const std::string r = ecu.Rispondi(ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[c.blocco].TramaRichiesta));
        EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(r.substr(0, 5)), c.inizio);
        EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
    }
    for (size_t n = 0; n < ecu.NumeroBlocchi(); ++n) {
        const std::string r = ecu.Rispondi(ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta));
        ASSERT_GE(r.size(), 6u) << "block " << n;
        EXPECT_LE(r.size() - 6, 251u);
        EXPECT_EQ(static_cast<uint8_t>(r[4]), 0) << "block " << n;
    }
    // A frame with a wrong check byte gets no reply; an unknown command is refused.
    EXPECT_EQ(ecu.Rispondi(ModGlobFunct::ConvertiHexInTesto("4102030C4D")), "");
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(ecu.Rispondi(ModBlck::CostruisciTrama(0x41, 0x02, 0xEE, ""))).substr(0, 10),
              "420104EEFF");
}

// Every writable block: the program encodes values at the type limits, the
// simulated ECU stores them, and its next read decodes to the same values.
TEST_F(CentralinaSimulataTest, OgniBloccoScrittoSiRileggeUguale) {
    Simulazione::CentralinaSimulata ecu(percorso_);
    int bloccheScritti = 0;
    for (size_t n = 0; n < ecu.NumeroBlocchi(); ++n) {
        const auto& bs = ecu.Blocco(n);
        if (bs.comandoScrittura < 0 || n == 5) continue; // block 5 goes through its store command
        SCOPED_TRACE(n);
        for (int variante = 0; variante < 3; ++variante) {
            BloccoParametri b = TabellaBlocchi[n];
            b.Tipo = 99; // no per-type step
            for (size_t k = 0; k < b.Valori.size(); ++k) {
                const auto l = Limiti(b.CodiciTipo[k], b.Scale[k]);
                b.Valori[k] = l[(k + static_cast<size_t>(variante)) % l.size()];
            }
            std::string dati;
            ModBlck::CodificaBlocco(dati, b);
            const std::string esito =
                ecu.Rispondi(ModBlck::CostruisciTrama(0x41, 0x02, static_cast<uint8_t>(bs.comandoScrittura), dati));
            ASSERT_EQ(esito.size(), 6u);
            EXPECT_EQ(static_cast<uint8_t>(esito[4]), 0);
            BloccoParametri letto = b;
            letto.Valori.assign(b.Valori.size(), 12345);
            ModBlck::DecodificaBlocco(ecu.Rispondi(ModGlobFunct::ConvertiHexInTesto(b.TramaRichiesta)), letto);
            std::vector<int32_t> atteso = b.Valori;
            if (n == 2) { // the reported fuel (value 1) is the ECU's own
                atteso[1] = letto.Valori[1];
                // Reset codes: 65535 clears a running-time counter, bit 15 on
                // the interval stores it and restarts the countdown.
                if (atteso[3] == 65535) atteso[3] = atteso[10] = 0;
                if (atteso[4] == 65535) atteso[4] = atteso[11] = 0;
                if (atteso[9] & 0x8000) {
                    atteso[9] &= 0x7FFF;
                    atteso[7] = 0;
                }
            }
            EXPECT_EQ(letto.Valori, atteso);
        }
        ++bloccheScritti;
    }
    EXPECT_GE(bloccheScritti, 14);
}

TEST_F(CentralinaSimulataTest, ManopoleDiRifiutoEMuta) {
    Simulazione::CentralinaSimulata ecu(percorso_);
    const std::string lettura = ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[2].TramaRichiesta);
    ecu.manopole.statoRifiuto = 0xFB;
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(ecu.Rispondi(ModBlck::CostruisciTrama(0x41, 0x02, 0x10, std::string(17, '\x01')))),
              "42010410FB" + ModGlobFunct::ConvertiTestoInHex(std::string(1, static_cast<char>(ModBlck::CalcolaXor(
                                 ModGlobFunct::ConvertiHexInTesto("42010410FB"))))));
    ecu.manopole.risposteCorrotte = 1;
    EXPECT_NE(ModBlck::CalcolaXor(ecu.Rispondi(lettura)), 0);
    EXPECT_EQ(ModBlck::CalcolaXor(ecu.Rispondi(lettura)), 0);
    ecu.manopole.rispostePerse = 1;
    EXPECT_EQ(ecu.Rispondi(lettura), "");
    EXPECT_NE(ecu.Rispondi(lettura), "");
    ecu.manopole.muta = true;
    EXPECT_EQ(ecu.Rispondi(lettura), "");
}

// The live block moves like an engine: idle near 800 rpm, a rev, the reducer warming up.
TEST_F(CentralinaSimulataTest, DatiLiveComeUnMotore) {
    Simulazione::CentralinaSimulata ecu(percorso_);
    double t = 0;
    ecu.orologio = [&] { return t; };
    const std::string lettura = ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[1].TramaRichiesta);
    const float fattore = ModBlck::CalcolaFattoreGiriTempo(ecu.Valore(3, 1), ecu.Valore(3, 0));
    auto giri = [&](double quando) {
        t = quando;
        ecu.Rispondi(lettura);
        return fattore / ecu.Valore(1, 32);
    };
    EXPECT_NEAR(giri(1.0), 800, 40);
    EXPECT_GT(giri(14.0), 2500);
    EXPECT_NEAR(giri(19.0), 800, 40);
    t = 0;
    ecu.Rispondi(lettura);
    const int32_t freddo = ecu.Valore(1, 42);
    EXPECT_EQ(ecu.Valore(1, 7), 0); // on petrol while cold
    t = 300;
    ecu.Rispondi(lettura);
    EXPECT_GT(ecu.Valore(1, 42), freddo + 30);
    EXPECT_GT(ecu.Valore(1, 7), 0); // on gas once warm: gas time of injector 0
    EXPECT_EQ(ecu.Valore(1, 0), 0); // injector 7 does not exist on four cylinders
    EXPECT_EQ(ecu.Valore(2, 1), 3);
    EXPECT_NEAR(ecu.Valore(1, 33) - ecu.Valore(1, 48), 1000, 30);
}
