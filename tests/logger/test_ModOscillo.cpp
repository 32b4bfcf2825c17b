// The logger model: set-up and variable files, the trace reader on synthetic
// and damaged traces, the export, and the start of a recording.
#include <filesystem>

#include "FissaggioLogger.h"

namespace {

using namespace ModOscillo;

// Channels on word values the live step leaves as decoded.
const int IdTracciaLogger[NumeroCanali] = {33, 42, 43, 48, 54, 55, 56, 57};

InsiemeCanali CanaliTraccia() {
    InsiemeCanali c = CanaliPredefiniti();
    for (int i = 0; i < NumeroCanali; ++i) {
        c[i].IdVariabile = IdTracciaLogger[i];
        c[i].Nome = "n" + std::to_string(i);
    }
    return c;
}

class ModOscilloTest : public FissaggioLogger {};


} // namespace

TEST_F(ModOscilloTest, SetupScrittoERilettoAlByte) {
    const std::string spedito = SupportoTest::LeggiFile(cartella.File("lng/OsciSetUp.ini"));
    InsiemeCanali c = CanaliPredefiniti();
    LeggiSetupCanaliTesto(spedito, c);
    EXPECT_EQ(TestoSetupCanali(c), spedito);
    EXPECT_EQ(c[0].IdVariabile, 15);
    EXPECT_EQ(c[7].Visibile, -1);

    // Defaults: 8 + 8 x 8 lines, a visible channel's line "-1 ", a hidden one's " 0 ".
    InsiemeCanali d = CanaliPredefiniti();
    d[3].Visibile = 0;
    const std::string t = TestoSetupCanali(d);
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 8 + 8 * 8);
    EXPECT_NE(t.find("[Var]\r\n 3 \r\n 48 \r\n 0 \r\n"), std::string::npos);
    EXPECT_NE(t.find("[Var]\r\n 0 \r\n 15 \r\n-1 \r\n 0 \r\n 0 \r\n 100 \r\n"), std::string::npos);
    ASSERT_TRUE(ScriviSetupCanali(cartella.File("lng/OsciSetUp.ini"), d));
    InsiemeCanali e = CanaliPredefiniti();
    LeggiSetupCanali(cartella.File("lng/OsciSetUp.ini"), e);
    EXPECT_EQ(TestoSetupCanali(e), t);
}

TEST_F(ModOscilloTest, SetupSempreOttoCanali) {
    auto blocco = [](int id, const char* visibile, const char* zoom) {
        return std::string("[Var]\r\n 0 \r\n ") + std::to_string(id) + " \r\n" + visibile + "\r\n 255 \r\n 10 \r\n" + zoom +
               "\r\n\r\n";
    };
    struct Caso {
        std::string testo;
        std::vector<int> id;  // expected ids of channels 0-7
    };
    const std::vector<int> predefiniti = {15, 7, 33, 48, 35, 42, 43, 32};
    std::string dieci;
    for (int i = 0; i < 10; ++i) dieci += blocco(50 + i, "-1", " 100 ");
    const Caso casi[] = {
        {blocco(1, "-1", " 100 ") + blocco(2, " 0 ", " 100 "), {1, 2, 33, 48, 35, 42, 43, 32}},
        {dieci, {50, 51, 52, 53, 54, 55, 56, 57}},
        {"", predefiniti},
        {"  [Var]  \r\n x \r\n 9 \r\n", {9, 7, 33, 48, 35, 42, 43, 32}},
    };
    for (const auto& caso : casi) {
        InsiemeCanali c = CanaliPredefiniti();
        LeggiSetupCanaliTesto(caso.testo, c);
        for (int i = 0; i < NumeroCanali; ++i) EXPECT_EQ(c[i].IdVariabile, caso.id[i]) << caso.testo << " channel " << i;
    }
    InsiemeCanali c = CanaliPredefiniti();
    LeggiSetupCanaliTesto(blocco(1, " 0 ", " zoom "), c);
    EXPECT_EQ(c[0].Visibile, 0);
    EXPECT_EQ(c[0].Colore, 255);
    EXPECT_EQ(c[0].ZoomPercento, 0); // not a number: 0, kept as it is
    EXPECT_EQ(c[1].ZoomPercento, 100);
    // A missing file changes nothing.
    c[2].IdVariabile = 99;
    LeggiSetupCanali(cartella.File("lng/assente.ini"), c);
    EXPECT_EQ(c[2].IdVariabile, 99);
}

// Every set-up value read but the zoom is brought within its range, so that
// the page's steps on it cannot overflow; values in range are kept as they
// are, and so is any zoom.
TEST_F(ModOscilloTest, SetupFuoriLimiteRiportatoNeiLimiti) {
    struct Caso {
        const char* riga[6]; // Canale, IdVariabile, Visibile, Colore, OffsetPercento, ZoomPercento
        int32_t atteso[5];   // Canale, Colore, OffsetPercento, ZoomPercento, IdVariabile
    };
    const Caso casi[] = {
        {{" 3 ", " 42 ", "-1 ", " 65535 ", " 11 ", " 30 "}, {3, 65535, 11, 30, 42}},
        {{" 2147483647 ", " 15 ", "-1 ", " 2147483647 ", " 2147483647 ", " 2147483647 "}, {7, 0xFFFFFF, 800, INT32_MAX, 15}},
        {{"-2147483648 ", " 7 ", " 0 ", "-1 ", "-2147483648 ", "-2147483648 "}, {0, 0, 0, INT32_MIN, 7}},
        {{" 8 ", " 33 ", " 0 ", " 16777216 ", " 801 ", " 20001 "}, {7, 0xFFFFFF, 800, 20001, 33}},
        {{" 7 ", " 48 ", " 0 ", " 16777215 ", " 800 ", " 20000 "}, {7, 0xFFFFFF, 800, 20000, 48}},
        {{" 0 ", " 35 ", " 0 ", " 0 ", " 0 ", " 0 "}, {0, 0, 0, 0, 35}},
    };
    for (const auto& caso : casi) {
        std::string testo = "[Var]\r\n";
        for (const char* r : caso.riga) testo += std::string(r) + "\r\n";
        InsiemeCanali c = CanaliPredefiniti();
        LeggiSetupCanaliTesto(testo, c);
        SCOPED_TRACE(testo);
        EXPECT_EQ(c[0].Canale, caso.atteso[0]);
        EXPECT_EQ(c[0].Colore, caso.atteso[1]);
        EXPECT_EQ(c[0].OffsetPercento, caso.atteso[2]);
        EXPECT_EQ(c[0].ZoomPercento, caso.atteso[3]);
        EXPECT_EQ(c[0].IdVariabile, caso.atteso[4]);
    }
}

TEST_F(ModOscilloTest, ListaVariabiliNomiScaleEFileMancante) {
    std::vector<VariabileOscilloscopio> l;
    LeggiListaVariabiliTesto("x\r\n[Var]\r\nRpm,Giri\r\n32\r\n10\r\nrpm\r\n[Var]\r\nA\r\n5\r\n0\r\nu\r\n"
                             "[Var]\r\nB\r\n6\r\nabc\r\nv\r\n[Var]\r\nC\r\n7\r\n",
                             l);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(NomeInLingua(l[0].Nomi, 0), "Rpm");
    EXPECT_EQ(NomeInLingua(l[0].Nomi, 1), "Giri");
    EXPECT_EQ(NomeInLingua(l[0].Nomi, 2), "");
    EXPECT_FLOAT_EQ(l[0].Scala, 0.1f);
    EXPECT_EQ(l[0].Unita, "rpm");
    EXPECT_FLOAT_EQ(l[1].Scala, 1.0f); // scale 0
    EXPECT_FLOAT_EQ(l[2].Scala, 1.0f); // not a number
    EXPECT_EQ(l[3].IdVariabile, 7);    // cut short
    EXPECT_EQ(l[3].Unita, "");

    LeggiListaVariabili(cartella.File("lng/assente.ini"), l);
    EXPECT_TRUE(l.empty());
    LeggiListaVariabili(cartella.File("lng/OsciList.ini"), l);
    EXPECT_GE(l.size(), 8u);

    InsiemeCanali c = CanaliPredefiniti();
    c[1].IdVariabile = 999;
    AssegnaVariabili(c, l, 1);
    EXPECT_EQ(c[0].Nome, "Tempo iniez. benzina 1");
    EXPECT_EQ(c[1].Nome, "");
    EXPECT_FLOAT_EQ(c[1].Scala, 0.0f);
}

TEST_F(ModOscilloTest, DistribuzioneDegliZeri) {
    const struct {
        int visibili;
        std::vector<int> offset;
    } casi[] = {
        {8, {11, 22, 33, 44, 55, 66, 77, 88}},
        {3, {25, 50, 75, 100, 125, 150, 175, 200}},
        {0, {100, 200, 300, 400, 500, 600, 700, 800}},
    };
    for (const auto& caso : casi) {
        InsiemeCanali c = CanaliPredefiniti();
        for (int i = 0; i < NumeroCanali; ++i) c[i].Visibile = i < caso.visibili ? -1 : 0;
        DistribuisciOffset(c);
        for (int i = 0; i < NumeroCanali; ++i) EXPECT_EQ(c[i].OffsetPercento, caso.offset[i]) << caso.visibili;
    }
}

TEST_F(ModOscilloTest, TracciaSinteticaSiRicaricaNegliStessiArray) {
    const InsiemeCanali canali = CanaliTraccia();
    std::vector<int32_t> attesoLog{0}, attesoObd{0};
    attesoLog.clear();
    attesoObd.clear();
    std::vector<int32_t> ultimoObd(8, 0);
    std::string testo;
    for (int s = 0; s < 40; ++s) {
        const int32_t t = 50 * s;
        if (s % 6 == 5) {
            // OBD: values 26, 27 status, 30/34/38/42 trims, 0 units.
            const int trim = 100 + s;
            const std::string r = TramaObd(0, {{Offset(12, 0), 1}, {Offset(12, 26), 2}, {Offset(12, 27), 4},
                                               {Offset(12, 30), trim}, {Offset(12, 34), 128}, {Offset(12, 38), 200},
                                               {Offset(12, 42), 0}});
            testo += Gruppo(false, t, r);
            const int32_t tr = static_cast<int32_t>(std::nearbyint(trim * 100.0 / 128.0 - 100.0));
            ultimoObd = {2, 4, tr, 0, 56, -100, 1, 0};
            attesoLog.push_back(t);
            for (int c = 0; c < 8; ++c) attesoLog.push_back(attesoLog[attesoLog.size() - 9]);
            attesoObd.push_back(t);
            attesoObd.insert(attesoObd.end(), ultimoObd.begin(), ultimoObd.end());
        } else {
            std::vector<std::pair<int, int>> parole;
            attesoLog.push_back(t);
            for (int c = 0; c < 8; ++c) {
                const int v = 1000 * c + s;
                parole.emplace_back(Offset(1, static_cast<size_t>(IdTracciaLogger[c])), v);
                attesoLog.push_back(v);
            }
            const std::string r = TramaLive(parole);
            testo += s == 0 ? Intestazione(r).substr(Intestazione(r).find("CMD_READ_MEM1")) : Gruppo(true, t, r);
            if (s == 0) testo = "0 TimerApi_uSec 1000 Now x\r\n" + testo;
            attesoObd.push_back(t);
            attesoObd.insert(attesoObd.end(), ultimoObd.begin(), ultimoObd.end());
        }
    }
    SupportoTest::ScriviFile(cartella.File("Data/a.vfl"), testo);
    std::vector<int32_t> log, obd;
    int cessioni = 0;
    Avanzamento a;
    a.CediMessaggi = [&] { ++cessioni; };
    CaricaFileLog(log, obd, cartella.File("Data/a.vfl"), canali, a);
    EXPECT_EQ(log, attesoLog);
    EXPECT_EQ(obd, attesoObd);
    EXPECT_EQ(cessioni, 1); // at the second accepted live sample
    EXPECT_FALSE(ModBlck::DecodificaDaTraccia);

    // Export: the header and one row per sample, 14 fields.
    const std::string e = TestoEsportazione(canali, log, obd);
    EXPECT_EQ(e.substr(0, e.find("\r\n") + 2),
              "Tempo # n0 # n1 # n2 # n3 # n4 # n5 # n6 # n7 # pid 03 # pid 06 # pid 07 # pid 11 # STAPOPEN \r\n");
    EXPECT_NE(e.find("\r\n250 # 4 # 1004 # 2004 # 3004 # 4004 # 5004 # 6004 # 7004 # 2 # 4 # -18 # 0 # 56\r\n"),
              std::string::npos)
        << e.substr(0, 600);
    ASSERT_TRUE(EsportaCampioni(cartella.File("Data/a.txt"), canali, log, obd));
    EXPECT_EQ(SupportoTest::LeggiFile(cartella.File("Data/a.txt")), e);
    EXPECT_FALSE(EsportaCampioni(cartella.File("manca/a.txt"), canali, log, obd));
}

TEST_F(ModOscilloTest, TracceDanneggiate) {
    const InsiemeCanali canali = CanaliTraccia();
    const std::string buona = TramaLive({{Offset(1, 33), 1234}});
    std::string cattiva = buona;
    cattiva.back() = static_cast<char>(cattiva.back() ^ 1);
    const std::string obd = TramaObd(128, {{Offset(12, 0), 1}});

    struct Caso {
        const char* nome;
        std::string testo;
        std::vector<int32_t> log;  // times and channel 0
        size_t campioni;
    };
    auto tempiCanale0 = [](const std::vector<int32_t>& l) {
        std::vector<int32_t> r;
        for (size_t k = 0; k + 8 < l.size(); k += 9) {
            r.push_back(l[k]);
            r.push_back(l[k + 1]);
        }
        return r;
    };
    const Caso casi[] = {
        {"header only", Intestazione(buona), {0, 1234}, 1},
        {"header with an empty reply", Intestazione(""), {}, 0},
        {"bad XOR, then OBD copies the last good live sample",
         Intestazione(buona) + Gruppo(true, 50, cattiva) + Gruppo(false, 60, obd), {0, 1234, 60, 1234}, 2},
        {"short R line", Intestazione(buona) + "CMD_READ_MEM1\r\n50 T 4102032161\r\n50 R\r\n", {0, 1234}, 1},
        {"OBD before live", Gruppo(false, 10, obd) + Gruppo(true, 20, buona), {10, 0, 20, 1234}, 2},
        {"foreign length", Gruppo(true, 10, Trama(0x0C, 0x63, std::string(95, '\0'))), {}, 0},
        {"time not a number", Gruppo(true, 10, buona).replace(32, 2, "x1") + Gruppo(true, 30, buona), {30, 1234}, 1},
        {"LF only", "CMD_READ_MEM1\n0 T 4102032161\n0 R " + ModGlobFunct::ConvertiTestoInHex(buona) + "\n", {}, 0},
    };
    for (const auto& caso : casi) {
        std::vector<int32_t> log, ob;
        CaricaTestoLog(caso.testo, log, ob, canali);
        EXPECT_EQ(tempiCanale0(log), caso.log) << caso.nome;
        EXPECT_EQ(log.size(), caso.campioni ? caso.campioni * 9 : 1u) << caso.nome;
        EXPECT_EQ(ob.size(), log.size()) << caso.nome;
    }
    // The OBD sample of the OBD-before-live case carries the units count; the live one repeats it.
    std::vector<int32_t> log, ob;
    CaricaTestoLog(Gruppo(false, 10, obd) + Gruppo(true, 20, buona), log, ob, canali);
    EXPECT_EQ(ob[7], 1);
    EXPECT_EQ(ob[9 + 7], 1);
    EXPECT_EQ(ob[3], 0); // trim of 128 = 0 %

    // An unreadable file leaves one entry in each array.
    CaricaFileLog(log, ob, cartella.File("Data/assente.vfl"), canali);
    EXPECT_EQ(log, std::vector<int32_t>{0});
    EXPECT_EQ(ob, std::vector<int32_t>{0});
}

TEST_F(ModOscilloTest, AvvioRegistrazioneIntestazioneEFileNonCreabile) {
    ModMain::BloccoAppoggio.UltimaRisposta.clear();
    ASSERT_TRUE(AvviaRegistrazione());
    EXPECT_EQ(ModBlck::StatoRegistrazione, 1);
    FermaRegistrazione();
    EXPECT_EQ(ModBlck::StatoRegistrazione, 2);
    const std::string t = cartella.Leggi("bin/Logger.tmp");
    EXPECT_EQ(t.rfind("0 TimerApi_uSec ", 0), 0u);
    EXPECT_NE(t.find(" Now "), std::string::npos);
    EXPECT_EQ(t.substr(t.find("\r\n") + 2), "CMD_READ_MEM1\r\n0 T 4102032161\r\n0 R \r\n");

    // Logger.tmp cannot be created: nothing starts, the stopped recording stays.
    ModMain::PercorsoLoggerTmp = cartella.File("manca/Logger.tmp");
    EXPECT_FALSE(AvviaRegistrazione());
    EXPECT_EQ(ModBlck::StatoRegistrazione, 2);
    EXPECT_FALSE(ModBlck::FileLogger.is_open());
}

TEST_F(ModOscilloTest, RegistrazioneAnelloEGruppi) {
    ASSERT_TRUE(AvviaRegistrazione());
    BloccoParametri& live = TabellaBlocchi.at(1);
    const std::string r = TramaLive({{Offset(1, 33), 900}});
    for (int i = 0; i < 5002; ++i) {
        live.UltimaRisposta = r;
        ModBlck::DecodificaBlocco(r, live);
        if (i < 2) {
            EXPECT_EQ(ModBlck::AnelloPieno, i == 1); // set by the second sample
        }
    }
    EXPECT_EQ(ModBlck::IndiceAnello, 1); // the 5,002nd sample went into slot 0
    EXPECT_TRUE(ModBlck::AnelloPieno);
    FermaRegistrazione();
    const std::string t = cartella.Leggi("bin/Logger.tmp");
    size_t gruppi = 0;
    for (size_t p = 0; (p = t.find("CMD_READ_MEM1\r\n", p)) != std::string::npos; ++p) ++gruppi;
    EXPECT_EQ(gruppi, 5003u); // header group + one per sample
    EXPECT_EQ(t.find("CMD_READ_OBD_DATA"), std::string::npos);

    // A trace read while recording adds nothing to the rings or the file.
    ASSERT_TRUE(AvviaRegistrazione());
    std::vector<int32_t> log, obd;
    CaricaTestoLog(Intestazione(r) + Gruppo(true, 50, r) + Gruppo(false, 60, TramaObd(128)), log, obd, CanaliTraccia());
    EXPECT_EQ(log.size(), 27u);
    EXPECT_EQ(ModBlck::IndiceAnello, 0);
    FermaRegistrazione();
    const std::string dopo = cartella.Leggi("bin/Logger.tmp");
    EXPECT_EQ(std::count(dopo.begin(), dopo.end(), '\n'), 4);
}

// A full disk during a recording: the failed write stops the recording once,
// Logger.tmp ends with the last whole group, and that reads and saves as such.
TEST_F(ModOscilloTest, DiscoPienoFermaLaRegistrazioneETieneIGruppiInteri) {
    ModMain::BloccoAppoggio.UltimaRisposta.clear();
    ASSERT_TRUE(AvviaRegistrazione());
    int interruzioni = 0;
    ModBlck::RegistrazioneInterrotta = [&] { ++interruzioni; };
    const size_t intestazione = std::filesystem::file_size(ModMain::PercorsoLoggerTmp);
    BloccoParametri& live = TabellaBlocchi.at(1);
    const std::string r = TramaLive({{Offset(1, 33), 900}});
    const size_t gruppo = Gruppo(true, 0, r).size(); // a time of one digit
    {
        // Room for two groups and part of a third.
        LimiteDimensioneFile limite(intestazione + 2 * gruppo + gruppo / 2);
        for (int i = 0; i < 6; ++i) {
            live.UltimaRisposta = r;
            ModBlck::DecodificaBlocco(r, live);
        }
    }
    ModBlck::RegistrazioneInterrotta = nullptr;
    EXPECT_EQ(interruzioni, 1);
    EXPECT_EQ(ModBlck::StatoRegistrazione, 2);
    EXPECT_FALSE(ModBlck::FileLogger.is_open());
    EXPECT_EQ(ModBlck::IndiceAnello, 2);
    const std::string t = cartella.Leggi("bin/Logger.tmp");
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t.substr(t.size() - 2), "\r\n");
    size_t gruppi = 0;
    for (size_t p = 0; (p = t.find("CMD_READ_MEM1\r\n", p)) != std::string::npos; ++p) ++gruppi;
    EXPECT_EQ(gruppi, 3u); // the header's and the two written whole
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 4 + 2 * 3);

    // Saved as it is, it loads the two samples.
    ASSERT_TRUE(CopiaFileLog(cartella.File("Data/pieno.vfl")));
    EXPECT_EQ(cartella.Leggi("Data/pieno.vfl"), t);
    std::vector<int32_t> log, obd;
    CaricaFileLog(log, obd, cartella.File("Data/pieno.vfl"), CanaliTraccia());
    EXPECT_EQ(log.size(), 2u * Passo);
}

// A kill during a save leaves our temporaries beside the user's files: the next
// save of a file of that kind removes them, the next start the rest; nothing
// else goes.
TEST_F(ModOscilloTest, TemporaneiRimastiSiRimuovonoAlSalvataggioEAllAvvio) {
    namespace fs = std::filesystem;
    for (const char* f : {"Data/x.vfl.tmp~", "Data/.x.vfl.qdl.tmp", "Data/.w.vfl.tmp", "Data/z.txt.tmp~",
                          "Data/note.txt", "Data/tmp~", "lng/.OsciSetUp.ini.tmp", "bin/Logger.tmp"})
        cartella.Scrivi(f, "x");
    fs::create_directories(cartella.File("Tune/.cartella.vfl.tmp"));
    auto esiste = [&](const char* f) { return fs::exists(cartella.File(f)); };

    ASSERT_TRUE(CopiaFileLog(cartella.File("Data/y.vfl")));
    EXPECT_FALSE(esiste("Data/x.vfl.tmp~"));
    EXPECT_FALSE(esiste("Data/.w.vfl.tmp"));
    EXPECT_TRUE(esiste("Data/.x.vfl.qdl.tmp")); // another kind of file: left to its own save
    EXPECT_TRUE(esiste("Data/y.vfl"));
    EXPECT_FALSE(esiste("Data/.y.vfl.tmp"));

    ModMain::RimuoviTemporaneiBase();
    for (const char* via : {"Data/.x.vfl.qdl.tmp", "Data/z.txt.tmp~", "lng/.OsciSetUp.ini.tmp"}) EXPECT_FALSE(esiste(via)) << via;
    for (const char* resta : {"Data/note.txt", "Data/tmp~", "Data/y.vfl", "bin/Logger.tmp", "Tune/.cartella.vfl.tmp"})
        EXPECT_TRUE(esiste(resta)) << resta;
}
