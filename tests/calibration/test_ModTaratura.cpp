// The calibration's screen-free rules: the settings reader, the sampling
// helpers, the gauge texts and the log rotation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include "calibration/ModTaratura.h"
#include "core/ModGlobFunct.h"
#include "support/SupportoTest.h"

namespace {

using ModTaratura::ParametriTaratura;

TEST(ParametriTaratura, ChiaviEsatteUltimaVinceValore2) {
    struct Caso {
        std::vector<std::string> righe;
        bool valore2;
        int32_t tempAttesa, rpmAttesi;
    };
    const Caso casi[] = {
        {{"Rpm minimi=850"}, false, 7, 850},
        // A blank around "=" makes the key differ from every key.
        {{"Rpm minimi = 850"}, false, 7, 9},
        {{"rpm minimi=850"}, false, 7, 9},
        {{"TEMP taratura=45=60"}, false, 45, 9},
        {{"TEMP taratura=45=60"}, true, 60, 9},
        // The last line of a key wins; unknown keys, comments and empty lines change nothing.
        {{"Rpm minimi=700", "", "; comment", "Unknown=5", "Rpm minimi=900"}, false, 7, 900},
        // Unusable values keep the earlier one: empty, not a number, no Value2.
        {{"Rpm minimi=", "TEMP taratura=abc"}, false, 7, 9},
        {{"Rpm minimi=850"}, true, 7, 9},
        // Whole numbers round halves to even; fields after the third are ignored.
        {{"Rpm minimi=850.5=1=2=3", "TEMP taratura=41.5"}, false, 42, 850},
    };
    for (const Caso& c : casi) {
        ParametriTaratura p;
        p.TempTaratura = 7;
        p.RpmMinimi = 9;
        ModTaratura::ApplicaRigheParametri(c.righe, c.valore2, p);
        EXPECT_EQ(p.TempTaratura, c.tempAttesa) << c.righe.front() << " valore2=" << c.valore2;
        EXPECT_EQ(p.RpmMinimi, c.rpmAttesi) << c.righe.front() << " valore2=" << c.valore2;
    }
}

TEST(ParametriTaratura, TipiEChiaviParticolari) {
    ParametriTaratura p;
    p.AttivaTuttiCil = 3;
    ModTaratura::ApplicaRigheParametri({"Attesa minimo ms=1500.25", "Attiva tutti i Cil=256", "Tolleranza in correzine minimo %=4",
                                        "Massima Correzione us=77", "Tolleranza in correzione minimo %=9"},
                                       false, p);
    EXPECT_DOUBLE_EQ(p.AttesaMinimoMs, 1500.25);
    EXPECT_EQ(p.AttivaTuttiCil, 3); // outside a byte: kept
    EXPECT_EQ(p.TolleranzaCorrezioneMinimo, 4);
    EXPECT_EQ(p.MassimaCorrezioneUs, 77);
    ASSERT_EQ(ModTaratura::ChiaviParametri().size(), 38u);
}

TEST(ParametriTaratura, FileDistribuitoEFileMancante) {
    // The shipped file sets every one of the 38 keys, with both value sets.
    std::ifstream f(std::string(MONDARO_SORGENTI) + "/data/lng/ParaTun.txt", std::ios::binary);
    std::string testo((std::istreambuf_iterator<char>(f)), {});
    testo = "\r\n" + testo;
    for (const auto& chiave : ModTaratura::ChiaviParametri())
        EXPECT_NE(testo.find("\r\n" + chiave + "="), std::string::npos) << chiave;

    const auto salvati = ModTaratura::Parametri;
    ModTaratura::Parametri = {};
    ModTaratura::Parametri.RpmMinimi = 200;
    EXPECT_FALSE(ModTaratura::LeggiParametriTaratura("/nonexistent/ParaTun.txt", false));
    EXPECT_EQ(ModTaratura::Parametri.RpmMinimi, 200);
    ASSERT_TRUE(ModTaratura::LeggiParametriTaratura(std::string(MONDARO_SORGENTI) + "/data/lng/ParaTun.txt", true));
    EXPECT_GT(ModTaratura::Parametri.RpmMinimi, 0);
    EXPECT_GT(ModTaratura::Parametri.NumCampioniMinimo, 0);
    ModTaratura::Parametri = salvati;
}

TEST(CampionamentoTaratura, MediaCilindriAttivi) {
    struct Caso {
        int32_t cilindri;
        std::vector<int32_t> abilitati; // cylinder i -> block 3 value 16 - i
        std::vector<int32_t> tempi;     // cylinder i -> block 1 value 15 - i
        int32_t attesa;
    };
    const Caso casi[] = {
        {4, {1, 1, 1, 1}, {1000, 2000, 3000, 4000}, 2500},
        {2, {1, 1}, {1234, 1235}, 1234},  // 1234.5 -> even
        {2, {1, 1}, {1235, 1236}, 1236},  // 1235.5 -> even
        {4, {1, 0, 1, 0}, {1000, 9000, 3000, 9000}, 2000},
        {4, {0, 0, 0, 0}, {1000, 2000, 3000, 4000}, 0},
        {0, {1, 1}, {1000, 2000}, 0},
    };
    for (const Caso& c : casi) {
        std::vector<int32_t> b1(60, 0), b3(60, 0);
        b3[1] = c.cilindri;
        for (size_t i = 0; i < c.abilitati.size(); ++i) b3[16 - i] = c.abilitati[i];
        for (size_t i = 0; i < c.tempi.size(); ++i) b1[15 - i] = c.tempi[i];
        EXPECT_EQ(ModTaratura::CalcolaMediaCilindriAttivi(b1, b3), c.attesa);
    }
}

TEST(CampionamentoTaratura, BobineDaiGiriDelMinimo) {
    struct Caso {
        int32_t cilindri, giri;
        bool filo;
        int32_t bobine, fattore;
    };
    const Caso casi[] = {
        {8, 1200, false, 8, 5}, {8, 1201, false, 4, 5}, {8, 2401, false, 2, 5}, {8, 4801, false, 1, 5},
        {6, 1500, false, 3, 5}, {6, 2000, false, 2, 5}, {6, 4000, false, 1, 5}, {4, 800, false, 4, 5},
        {4, 2000, false, 2, 5}, {4, 3000, false, 1, 5}, {3, 800, false, 3, 5}, {9, 800, false, 1, 5},
        {4, 1200, true, 9, 1}, {4, 1201, true, 9, 2},
    };
    for (const Caso& c : casi) {
        std::vector<int32_t> b3(60, 0);
        b3[0] = 9;
        b3[1] = c.cilindri;
        b3[42] = 5;
        if (c.filo) b3[33] = 1;
        ModTaratura::CercaPuntoRpm(c.giri, b3);
        EXPECT_EQ(b3[0], c.bobine) << c.cilindri << " " << c.giri;
        EXPECT_EQ(b3[42], c.fattore) << c.cilindri << " " << c.giri;
    }
}

TEST(CampionamentoTaratura, TestiEBarre) {
    const int32_t attese[] = {0, 14, 29, 43, 57, 71, 86, 100};
    for (int32_t n = 0; n <= 7; ++n) EXPECT_EQ(ModTaratura::PercentualePasso(n), attese[n]);
    EXPECT_EQ(ModTaratura::MediaArrotondata(5, 2), 2);
    EXPECT_EQ(ModTaratura::MediaArrotondata(7, 2), 4);
    EXPECT_EQ(ModTaratura::MediaArrotondata(7, 0), 0);
    EXPECT_EQ(ModTaratura::TestoGiriTune(850), "  850");
    EXPECT_EQ(ModTaratura::TestoGiriTune(123456), "123456");
    EXPECT_EQ(ModTaratura::TestoTemperaturaTune(7), "  7");
    EXPECT_EQ(ModTaratura::TestoPressioneTune(1520, "."), "  1.52");
    EXPECT_EQ(ModTaratura::TestoPressioneTune(1500, "."), "  1.50");
    EXPECT_EQ(ModTaratura::TestoPressioneTune(2000, ","), "  2,00");
    EXPECT_EQ(ModTaratura::ValoreBarraTempo(50), 0);
    EXPECT_EQ(ModTaratura::ValoreBarraTempo(150), 2);
    EXPECT_EQ(ModTaratura::ValoreBarraTempo(12345), 123);
    EXPECT_EQ(ModTaratura::TestoMillisecondi(12345, "."), "12.345");
}

TEST(CorrezioneTaratura, PassoLimiteECorrezioneIniziale) {
    EXPECT_EQ(ModTaratura::PassoCorrezione(50, 301, 2000), 150);
    EXPECT_EQ(ModTaratura::PassoCorrezione(50, 303, 2000), 152);
    EXPECT_EQ(ModTaratura::PassoCorrezione(100, 700, 500), 500);
    EXPECT_EQ(ModTaratura::PassoCorrezione(100, -700, 500), -500);
    // Sums far beyond 32 bits stay exact.
    EXPECT_EQ(ModTaratura::PassoCorrezione(100, int64_t{5'000'000'000}, 2'000'000'000), 2'000'000'000);

    std::vector<int32_t> b1(60, 0), b3(60, 0);
    b3[1] = 4;
    b3[36] = 2000;
    b3[16] = 1; // cylinder 1 included
    b1[31] = 0;
    b1[15] = 1500;
    int64_t p = -600;
    EXPECT_FALSE(ModTaratura::LimitaPassoCorrezione(p, b1, b3, 128));
    EXPECT_EQ(p, 512); // 500 / 128 = 3.90625 -> 4 units
    p = 600;
    EXPECT_TRUE(ModTaratura::LimitaPassoCorrezione(p, b1, b3, 128));
    EXPECT_EQ(p, 600);
    b3[16] = 0; // no cylinder included
    p = -600;
    EXPECT_TRUE(ModTaratura::LimitaPassoCorrezione(p, b1, b3, 128));
    b3[1] = 0;
    EXPECT_TRUE(ModTaratura::LimitaPassoCorrezione(p, b1, b3, 128));
    EXPECT_EQ(p, -600);

    EXPECT_EQ(ModTaratura::CorrezioneIniziale(7000, 1536, 3000, 0.0f), 2464);
    EXPECT_EQ(ModTaratura::CorrezioneIniziale(1000, 1536, 3000, 0.0f), 0);
    EXPECT_EQ(ModTaratura::CorrezioneIniziale(7000, 1536, 3000, 0.5f), 2464); // 2464.5 -> even

    BloccoParametri b;
    b.CodiciTipo = {"SW", "UB"};
    b.Scale = {1, 1};
    EXPECT_TRUE(ModTaratura::ValoreNelBlocco(b, 0, -32768));
    EXPECT_FALSE(ModTaratura::ValoreNelBlocco(b, 0, 32768));
    EXPECT_FALSE(ModTaratura::ValoreNelBlocco(b, 1, -1));
    EXPECT_FALSE(ModTaratura::ValoreNelBlocco(b, 2, 0));
}

TEST(CorrezioneTaratura, TrasferimentoBuonoSoloConRisultato0EStato1) {
    struct Caso {
        int32_t risultato, stato;
        bool buono;
    };
    // A write that timed out (no reply frame: result 3, link status not 1) fails.
    for (const Caso c : {Caso{0, 1, true}, Caso{3, 0, false}, Caso{3, 2, false}, Caso{4, 1, false}, Caso{0, 0, false}})
        EXPECT_EQ(ModTaratura::TrasferimentoRiuscito(c.risultato, c.stato), c.buono) << c.risultato << " " << c.stato;
}

TEST(CorrezioneTaratura, RipristinoDifferitoSoloDopoUnaCorsaFallita) {
    EXPECT_FALSE(ModTaratura::RipristinoDifferitoNecessario(0, 0)); // completed run, bad final status
    EXPECT_TRUE(ModTaratura::RipristinoDifferitoNecessario(4, 0));
    EXPECT_TRUE(ModTaratura::RipristinoDifferitoNecessario(1, 2));
    EXPECT_FALSE(ModTaratura::RipristinoDifferitoNecessario(4, 1));
}

TEST(LogTaratura, DataGeneraleDelTitolo) {
    // Date and time with the seconds, as the locale writes them, and no time zone.
    const QDateTime quando(QDate(2026, 3, 4), QTime(7, 5, 9));
    const struct {
        QLocale locale;
        const char* atteso;
    } casi[] = {
        {QLocale(QLocale::Italian, QLocale::Italy), "04/03/26 07:05:09"},
        {QLocale(QLocale::German, QLocale::Germany), "04.03.26 07:05:09"},
        {QLocale::c(), "4 Mar 2026 07:05:09"},
    };
    for (const auto& c : casi) EXPECT_EQ(ModTaratura::TestoDataGenerale(quando, c.locale), c.atteso) << c.atteso;
}

TEST(LogTaratura, RotazioneQuattroPrecedenti) {
    SupportoTest::CartellaBase cartella(false);
    const auto f = ModTaratura::FileLogTaratura(cartella.Percorso());
    auto scrivi = [](const std::string& p, const std::string& t) { std::ofstream(p, std::ios::binary) << t; };
    auto leggi = [](const std::string& p) {
        std::ifstream i(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(i)), {});
    };
    // First run: nothing to copy.
    EXPECT_TRUE(ModTaratura::RuotaLogTaratura(cartella.Percorso()));
    EXPECT_FALSE(std::filesystem::exists(f[1]));
    for (int run = 1; run <= 6; ++run) {
        ASSERT_TRUE(ModTaratura::RuotaLogTaratura(cartella.Percorso()));
        scrivi(f[0], "run" + std::to_string(run));
    }
    EXPECT_EQ(leggi(f[0]), "run6");
    EXPECT_EQ(leggi(f[1]), "run5");
    EXPECT_EQ(leggi(f[4]), "run2");
}

} // namespace
