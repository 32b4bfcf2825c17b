// What the home pages, the menu bars and the dashboard strip show for given
// block values, computed without a screen.
#include <gtest/gtest.h>

#include "core/ModGlobFunct.h"
#include "config/ModMainFirmware.h"
#include "shell/CasaConversioni.h"

namespace {

// The examples are written with a comma as the decimal separator.
class Virgola : public ::testing::Test {
protected:
    void SetUp() override {
        separatore_ = ModGlobFunct::SeparatoreDecimale;
        ModGlobFunct::SeparatoreDecimale = std::string(1, ',');
    }
    void TearDown() override { ModGlobFunct::SeparatoreDecimale = separatore_; }

private:
    std::string separatore_;
};

class CasaConversioni : public Virgola {};

} // namespace

TEST_F(CasaConversioni, TempiDiIniezioneCaptionEBarra) {
    struct Caso {
        int32_t us;
        const char* testo;
        std::optional<int32_t> barra;
    };
    for (const Caso& c : {Caso{1250, "01,25", 12}, Caso{1350, "01,35", 14}, Caso{30000, "30,00", 250},
                          Caso{0, "00,00", 0}, Caso{25000, "25,00", 250}, Caso{4567, "04,57", 46},
                          Caso{-100, "-00,10", std::nullopt}}) {
        EXPECT_EQ(Casa::TestoTempoIniezione(c.us), c.testo) << c.us;
        EXPECT_EQ(Casa::BarraTempoIniezione(c.us), c.barra) << c.us;
    }
}

TEST_F(CasaConversioni, IndicatoriConSpaziDavanti) {
    EXPECT_EQ(Casa::TestoGiri(850), "  850");
    EXPECT_EQ(Casa::TestoGiri(123456), "123456");
    EXPECT_EQ(Casa::TestoTemperaturaRiduttore(7), "  7");
    EXPECT_EQ(Casa::TestoTemperaturaRiduttore(-12), "-12");
    EXPECT_EQ(Casa::TestoPressioneGas(1000), "  1,00");
    EXPECT_EQ(Casa::TestoPressioneGas(1250), "  1,25");
    EXPECT_EQ(Casa::TestoPressioneGas(1005), "  1,00"); // 1.005 rounds half to even
    EXPECT_EQ(Casa::TestoPressioneGas(12346), " 12,35");
}

TEST_F(CasaConversioni, LambdaTestoPosizioneEScala) {
    EXPECT_EQ(Casa::TestoLambda(450), "0,450 V");
    EXPECT_EQ(Casa::TestoLambda(4999), "4,999 V");
    EXPECT_FLOAT_EQ(Casa::PosizioneLambda(450, false, 5), 0.45f);
    EXPECT_FLOAT_EQ(Casa::PosizioneLambda(450, true, 5), 4.55f);

    const Casa::ScalaSonda a = Casa::CalcolaScalaSonda(0, 0, 1000);
    EXPECT_EQ(a.Sinistra, "0");
    EXPECT_EQ(a.Destra, "1");
    EXPECT_DOUBLE_EQ(a.Minimo, 0);
    EXPECT_DOUBLE_EQ(a.Massimo, 1);
    EXPECT_DOUBLE_EQ(a.Centro, 0.5);
    // The mirrored sensor: range from the second end to the first, captions as given.
    const Casa::ScalaSonda s = Casa::CalcolaScalaSonda(3, 5000, 0);
    EXPECT_EQ(s.Sinistra, "5");
    EXPECT_EQ(s.Destra, "0");
    EXPECT_DOUBLE_EQ(s.Minimo, 0);
    EXPECT_DOUBLE_EQ(s.Massimo, 5);
    EXPECT_DOUBLE_EQ(s.Centro, 2.5);
    // No definition: everything 0.
    const Casa::ScalaSonda n = Casa::CalcolaScalaSonda(-1, 200, 800);
    EXPECT_EQ(n.Sinistra, "0");
    EXPECT_EQ(n.Destra, "0");
    EXPECT_DOUBLE_EQ(n.Massimo, 0);
    EXPECT_DOUBLE_EQ(n.Centro, 0);
    EXPECT_EQ(Casa::CalcolaScalaSonda(1, 100, 1250).Destra, "1,2"); // 1.25 rounds to even
}

TEST_F(CasaConversioni, StatoObdETrim) {
    const std::pair<int32_t, int32_t> stati[] = {{2, 3}, {0, 7}, {3, 2}, {4, 4}, {8, 5}, {16, 6}, {32, 7}, {24, 5}};
    for (const auto& [s, voce] : stati) EXPECT_EQ(Casa::VoceStatoObd(s), voce) << s;
    const std::pair<int32_t, const char*> trim[] = {{128, "0"}, {0, "-100"}, {255, "99,2"}, {64, "-50"},
                                                    {100, "-21,9"}, {129, "0,8"}, {127, "-0,8"}};
    for (const auto& [r, t] : trim) EXPECT_EQ(Casa::TestoTrim(r), t) << r;
}

TEST_F(CasaConversioni, LampadeDelleCorrezioni) {
    using namespace Casa;
    Casa::IngressiCorrezioni spente;
    const Casa::ColoriCorrezioni s = Casa::CalcolaCorrezioni(spente);
    for (int32_t c : {s.TGas, s.TWater, s.PGas, s.SmagAcc, s.Extra, s.MinBenz, s.MaxBenz, s.Contributo, s.OBDAd,
                      s.CutOffContrib, s.AccMinimo})
        EXPECT_EQ(c, LampadaSpenta);

    Casa::IngressiCorrezioni x;
    x.FlagBlocco7 = 1;
    x.FlagBlocco8 = 1;
    x.FlagBlocco9 = 1;
    x.FlagBlocco13 = 1;     // curve on, low bits of value 44 clear: standing by
    x.Blocco1Valore44 = 0x40; // petrol contribution acting
    x.Blocco3Valore47 = 2;
    x.Soglie15 = 0x10 | 0x40 | 0x80;
    x.Blocco1Valore37 = 0x40; // idle return acting, full-power switch not
    x.Blocco2Valore2 = 4;
    x.Blocco12Valore0 = 0;
    x.Blocco16Valore1 = 4 | 8;
    const Casa::ColoriCorrezioni c = Casa::CalcolaCorrezioni(x);
    EXPECT_EQ(c.TGas, LampadaAccesa);
    EXPECT_EQ(c.TWater, LampadaAccesa);
    EXPECT_EQ(c.PGas, LampadaAccesa);
    EXPECT_EQ(c.SmagAcc, 0xA7A767);
    EXPECT_EQ(c.Extra, LampadaAccesa);
    EXPECT_EQ(c.MinBenz, LampadaAccesa);
    EXPECT_EQ(c.MaxBenz, LampadaAttesa);
    EXPECT_EQ(c.Contributo, LampadaAccesa);
    EXPECT_EQ(c.OBDAd, LampadaAttesa);
    EXPECT_EQ(c.CutOffContrib, LampadaAttesa);
    EXPECT_EQ(c.AccMinimo, LampadaAttesa);

    x.Blocco1Valore44 = 0x01;
    x.Blocco12Valore0 = 2;
    x.Blocco3Valore47 = 1;
    const Casa::ColoriCorrezioni d = Casa::CalcolaCorrezioni(x);
    EXPECT_EQ(d.SmagAcc, LampadaAccesa);
    EXPECT_EQ(d.Contributo, LampadaAttesa);
    EXPECT_EQ(d.OBDAd, LampadaAccesa);
    EXPECT_EQ(d.Extra, LampadaSpenta);
}

TEST(CasaMenu, LampadeDelWizard) {
    const std::pair<int32_t, int32_t> casa[] = {{57, 1}, {59, 2}, {61, 2}, {0, 0}, {64, 0}, {2, 1}, {63, 2}};
    for (const auto& [v, stato] : casa) EXPECT_EQ(Casa::StatoSemaforoCasa(v), stato) << v;
    using A = std::array<int32_t, 4>;
    EXPECT_EQ(Casa::StatiSemaforiWizard(3), (A{0, 2, 0, 0}));
    EXPECT_EQ(Casa::StatiSemaforiWizard(1), (A{0, 1, 0, 0}));
    EXPECT_EQ(Casa::StatiSemaforiWizard(6), (A{0, 1, 0, 0}));
    EXPECT_EQ(Casa::StatiSemaforiWizard(56), (A{2, 0, 2, 2}));
}

TEST(CasaMenu, PaginaDiOgniBottone) {
    const std::pair<int, int32_t> barra1[] = {{0, 25}, {1, 26}, {3, 44}, {4, 17}, {5, 7}, {6, 46}, {7, 8}};
    for (const auto& [i, p] : barra1) EXPECT_EQ(Casa::SchedaMenuTop(i, 0), p) << i;
    for (const auto& [soglie, p] : {std::pair<uint8_t, int32_t>{8, 27}, {0, 12}, {7, 12}, {15, 27}})
        EXPECT_EQ(Casa::SchedaMenuTop(2, soglie), p) << int(soglie);
    EXPECT_EQ(Casa::SchedaMenuTop(8, 0), std::nullopt);
    EXPECT_EQ(Casa::SchedaMenuTop2(0), 0);
    EXPECT_EQ(Casa::SchedaMenuTop2(1), 1);
    EXPECT_EQ(Casa::SchedaMenuTop2(2), std::nullopt);
    const std::pair<int, int32_t> barra3[] = {{0, 52}, {1, 51}, {2, 53}, {3, 54}};
    for (const auto& [i, p] : barra3) EXPECT_EQ(Casa::SchedaMenuTop3(i), p) << i;

    using Casa::AzioneCasa;
    EXPECT_EQ(Casa::AzioneBottoneCasa(0).Azione, AzioneCasa::PrimoBottoneBarra1);
    EXPECT_EQ(Casa::AzioneBottoneCasa(1).Azione, AzioneCasa::PrimoBottoneBarra2);
    EXPECT_EQ(Casa::AzioneBottoneCasa(2).Azione, AzioneCasa::PrimoBottoneBarra3);
    for (const auto& [i, p] : {std::pair<int, int32_t>{3, 11}, {5, 45}, {6, 13}}) {
        EXPECT_EQ(Casa::AzioneBottoneCasa(i).Azione, AzioneCasa::Scheda);
        EXPECT_EQ(Casa::AzioneBottoneCasa(i).Scheda, p);
    }
    EXPECT_EQ(Casa::AzioneBottoneCasa(7).Azione, AzioneCasa::Uscita);
    EXPECT_EQ(Casa::AzioneBottoneCasa(4).Azione, AzioneCasa::Nessuna);

    // Blink: blue, cyan, black, blue ...; an unexpected value restarts at black.
    EXPECT_EQ(Casa::ProssimoColoreLampeggio(0), 0xFF0000);
    EXPECT_EQ(Casa::ProssimoColoreLampeggio(0xFF0000), 0xFFFF00);
    EXPECT_EQ(Casa::ProssimoColoreLampeggio(0xFFFF00), 0);
    EXPECT_EQ(Casa::ProssimoColoreLampeggio(123), 0);
}

TEST(CasaConsole, SoloCoppieEsadecimaliComplete) {
    const std::pair<const char*, const char*> buone[] = {
        {"4102032161", "4102032161"}, {"41 02 03 21 61", "4102032161"}, {" 41 02 ", "4102"}, {"ab", "AB"},
        {"4102 0321", "41020321"}};
    for (const auto& [t, hex] : buone) EXPECT_EQ(Casa::TramaConsole(t), std::optional<std::string>(hex)) << t;
    for (const char* t : {"", "   ", " - - - invio - - -", "4", "410", "4 102", "41 0", "4G", "41-02", "0x41"})
        EXPECT_EQ(Casa::TramaConsole(t), std::nullopt) << t;
}

TEST_F(CasaConversioni, CampoDelRecordAccettaSoloCioCheIlTipoContiene) {
    struct Caso {
        const char* testo;
        const char* tipo;
        int32_t scala;
        std::optional<int32_t> valore;
    };
    for (const Caso& c : {Caso{"12", "UW", 1, 12}, Caso{"65535", "UW", 1, 65535}, Caso{"65536", "UW", 1, std::nullopt},
                          Caso{"-1", "UW", 1, std::nullopt}, Caso{"2,5", "UW", 1, 2}, Caso{"3,5", "UW", 1, 4},
                          Caso{"2.5", "UW", 1, std::nullopt}, Caso{"12a", "UW", 1, std::nullopt},
                          Caso{"", "UW", 1, std::nullopt}, Caso{"1e3", "UW", 1, 1000},
                          Caso{"1e12", "SL", 1, std::nullopt}, Caso{"256", "UB", 1, std::nullopt},
                          Caso{"510", "UB", 2, 510}, Caso{"-128", "SB", 1, -128}, Caso{"-129", "SB", 1, std::nullopt},
                          Caso{"40000", "SW", 1, std::nullopt}, Caso{"12", "XX", 1, std::nullopt},
                          Caso{"12", "UW", 0, std::nullopt}})
        EXPECT_EQ(Casa::ValoreCampoRecord(c.testo, c.tipo, c.scala), c.valore) << c.testo << " " << c.tipo;
}

TEST_F(CasaConversioni, RecordScriveSoloCioCheTieneComeScritto) {
    BloccoParametri r;
    r.Tipo = 5;
    r.CodiciTipo = {"UW", "UW", "UW", "UW", "UW", "UW", "UW", "UB"};
    r.Scale = {1, 1, 1, 1, 1, 1, 1, 2};
    struct Caso {
        const char* testo;
        size_t indice;
        std::optional<int32_t> valore;
    };
    for (const Caso& c : {Caso{"345", 0, 345}, Caso{"70000", 0, std::nullopt}, Caso{"x", 0, std::nullopt},
                          Caso{"4", 6, 4}, Caso{"6", 6, 6}, Caso{"8", 6, 8}, Caso{"46", 6, std::nullopt},
                          Caso{"5", 6, std::nullopt}, Caso{"0", 6, std::nullopt},
                          Caso{"10", 7, 10}, Caso{"11", 7, std::nullopt}, Caso{"4", 8, std::nullopt}})
        EXPECT_EQ(Casa::ValoreRecordScrivibile(c.testo, r, c.indice), c.valore) << c.testo << " " << c.indice;
    // Another block type has no cylinder rule.
    r.Tipo = 4;
    EXPECT_EQ(Casa::ValoreRecordScrivibile("46", r, 6), 46);
}

TEST(CasaPannello, TestoDelPannelloEDellaConfigurazione) {
    // Identification record: 6 bytes of version and date, then the text fields.
    std::string id{'\x01', '\x02', '\x15', '\x06', '\x20', '\x18'};
    id += "ABCD ECU GAS4 FW17 X";
    auto voce = [](int32_t n) { return "<" + std::to_string(n) + ">"; };
    const std::string t = Casa::TestoPannello(voce, id, {12, 3, 25, 2018, 7, 1, 4, 2});
    EXPECT_EQ(t, "<11>\r\n" + ModMain::LeggiCampoTestoFw(id, false) + " " + ModMain::LeggiCampoTestoFw(id, true) +
                     "\r\n01.02 - 15/06/2018\r\n--------------\r\n<3>12, 3, <4>25/2018\r\n<6>7, <7>1\r\n<8>4\r\n<9>2");
    // A short identification and a missing section.
    const std::string vuoto = Casa::TestoPannello([](int32_t) { return std::string(); }, "short", {-5, 0, 0, 0, 0, 0, 8, 0});
    EXPECT_EQ(vuoto, "\r\n \r\n00.00 - 00/00/0000\r\n--------------\r\n-5, 0, 0/0\r\n0, 0\r\n8\r\n0");

    EXPECT_EQ(Casa::TestoConfigurazione("Configuration", "Note", "  Car A ", " first "),
              "Configuration: Car A\r\nNote: first");
}

TEST(CasaPannello, CampiDelTestoFirmware) {
    EXPECT_EQ(ModMain::LeggiCampoTestoFw("A B C D", false), "C");
    EXPECT_EQ(ModMain::LeggiCampoTestoFw("A  C D", false), "C"); // two blanks make an empty word
    EXPECT_EQ(ModMain::LeggiCampoTestoFw("A B", false), "");
    EXPECT_EQ(ModMain::LeggiCampoTestoFw("0123456789x y zZ", true), "z"); // first 10 and the last dropped
    EXPECT_EQ(ModMain::LeggiCampoTestoFw("0123456789", true), "");
    EXPECT_EQ(ModMain::FormattaVersioneFirmware("123456789012"), "31.32 - 33/34/3536");
    EXPECT_EQ(ModMain::FormattaVersioneFirmware("12345678901"), "00.00 - 00/00/0000");
}

namespace {

Casa::IngressiCruscotto InMarcia() {
    Casa::IngressiCruscotto x;
    x.Blocco1.assign(60, 0);
    x.Blocco2.assign(3, 0);
    x.Blocco11.assign(71, 0);
    x.Blocco12.assign(52, 0);
    x.Live.assign(49, 0);
    x.Blocco1[37] = 1;
    x.Blocco1[32] = 850;
    x.Blocco1[15] = 4567;
    x.Blocco1[7] = 4567;
    x.Blocco1[42] = 45;
    x.Blocco1[43] = 20;
    x.Live[33] = 1234;
    x.Live[48] = 56;
    x.Live[35] = 450;
    x.Live[36] = 900;
    x.Blocco1[55] = 1023;
    x.Blocco1[59] = 0;
    x.TitoloTempoBenzina = "Petrol (ms)";
    return x;
}

} // namespace

TEST(CasaCruscotto, ValoriInMarciaEFermo) {
    Casa::IngressiCruscotto x = InMarcia();
    x.Blocco2[1] = 2;
    Casa::RisultatoCruscotto r = Casa::CalcolaCruscotto(x);
    EXPECT_EQ(r.Giri, "850");
    EXPECT_EQ(r.TempoBenzina, "4.56");
    EXPECT_EQ(r.TempoGas, " - - ");
    EXPECT_EQ(r.TitoloBenzina, "Petrol (ms)");
    EXPECT_EQ(r.TempRiduttore, "45");
    EXPECT_EQ(r.TempGas, "20");
    EXPECT_EQ(r.PressGas, "1.23");
    EXPECT_EQ(r.PressMap, "0.05");
    EXPECT_EQ(r.Lambda1, " - - "); // sensor 1 not in use
    EXPECT_EQ(r.Analogico1, "5.000");
    EXPECT_EQ(r.Analogico2, "0.000");
    EXPECT_EQ(r.TrimVeloce, " - - ");
    EXPECT_EQ(r.ColoreTrimVeloce, Casa::ColoreNessunDato);

    x.Blocco2[1] = 3;
    x.Blocco11[69] = 1;
    x.Blocco11[70] = 0x10; // low nibble clear: sensor 2 not in use
    x.LivelloSupOAut = true;
    x.UltimoValoreMem10 = -1;
    r = Casa::CalcolaCruscotto(x);
    EXPECT_EQ(r.TempoGas, "4.56");
    EXPECT_EQ(r.Lambda1, "0.450");
    EXPECT_EQ(r.Lambda2, " - - ");
    EXPECT_EQ(r.TitoloBenzina, "[-1] Petrol (ms)");

    // Stopped: temperatures and gas pressure still shown, the rest " - - ".
    x.Blocco1[37] = 0;
    r = Casa::CalcolaCruscotto(x);
    EXPECT_EQ(r.TempRiduttore, "45");
    EXPECT_EQ(r.TempGas, "20");
    EXPECT_EQ(r.PressGas, "1.23");
    EXPECT_EQ(r.TitoloBenzina, "Petrol (ms)");
    for (const std::string* t : {&r.Giri, &r.TempoBenzina, &r.TempoGas, &r.PressMap, &r.Lambda1, &r.Lambda2,
                                 &r.Analogico1, &r.Analogico2, &r.TrimVeloce, &r.TrimLento, &r.Rail, &r.LambdaObd})
        EXPECT_EQ(*t, " - - ");
    EXPECT_EQ(r.ColoreRail, Casa::ColoreNessunDato);
    EXPECT_EQ(r.Stato, 19);

    // Words missing from a short block read as 0.
    Casa::IngressiCruscotto vuoto;
    EXPECT_EQ(Casa::CalcolaCruscotto(vuoto).Stato, 19);
}

TEST(CasaCruscotto, ObdTrimRailELambda) {
    Casa::IngressiCruscotto x = InMarcia();
    x.Blocco12[0] = 1;
    x.Blocco2[2] = 4;
    x.Blocco12[19] = 1;
    x.Blocco12[20] = 1;
    x.Blocco12[30] = 128;
    x.Blocco12[34] = 100;
    x.Blocco12[26] = 2; // closed loop ...
    x.Blocco12[18] = 0; // ... but the status is not available: red
    x.PidPressioneRail = 34;
    x.Blocco12[46] = 18;
    x.Blocco12[47] = 52;
    x.Blocco12[50] = 128;
    Casa::RisultatoCruscotto r = Casa::CalcolaCruscotto(x);
    EXPECT_EQ(r.TrimVeloce, "0");
    EXPECT_EQ(r.TrimLento, "-21.9");
    EXPECT_EQ(r.ColoreTrimVeloce, Casa::ColoreTrimAperto);
    EXPECT_EQ(r.Rail, "3.7 bar");
    EXPECT_EQ(r.ColoreRail, std::nullopt);
    EXPECT_EQ(r.LambdaObd, "1"); // 2/65536 per step: bytes 128, 0 are exactly 1
    EXPECT_EQ(r.ColoreLambdaObd, std::nullopt);

    x.Blocco12[18] = 1;
    x.Blocco12[20] = 0;
    r = Casa::CalcolaCruscotto(x);
    EXPECT_EQ(r.ColoreTrimVeloce, Casa::ColoreTrimChiuso);
    EXPECT_EQ(r.TrimLento, " - - ");
    EXPECT_EQ(r.ColoreTrimLento, Casa::ColoreNessunDato);

    x.Blocco2[2] = 0; // OBD off
    r = Casa::CalcolaCruscotto(x);
    EXPECT_EQ(r.TrimVeloce, " - - ");
    EXPECT_EQ(r.Rail, " - - ");
    EXPECT_EQ(r.ColoreLambdaObd, Casa::ColoreNessunDato);

    const std::tuple<int32_t, int32_t, int32_t, const char*> rail[] = {
        {0, 18, 52, "0 bar"}, {10, 150, 0, "4.5 bar"}, {35, 1, 0, "25.6 bar"}, {89, 0, 10, "1 bar"}, {7, 9, 9, "0 bar"}};
    for (const auto& [pid, a, b, t] : rail) EXPECT_EQ(Casa::TestoPressioneRail(pid, a, b), t) << pid;
    EXPECT_EQ(Casa::TestoLambdaObd(128, 0), "1");
    EXPECT_EQ(Casa::TestoLambdaObd(127, 0), "0.992");
    EXPECT_EQ(Casa::TestoLambdaObd(0, 0), "0");
}

TEST(CasaCruscotto, StatoEToni) {
    struct Caso {
        int32_t flag37, carburante, flag44, giri, stato;
    };
    for (const Caso& c : {Caso{0, 3, 0, 850, 19}, Caso{1, 3, 0, 850, 3}, Caso{1, 0, 0, 850, 2}, Caso{0x21, 3, 0, 850, 2},
                          Caso{1, 3, 0x10, 850, 2}, Caso{1, 3, 0x40, 850, 3}, Caso{0x41, 3, 0x40, 850, 4},
                          Caso{0x09, 3, 0, 0, 3}, Caso{0x09, 3, 0, 850, 18}, Caso{0x49, 0, 0x40, 850, 18}})
        EXPECT_EQ(Casa::ScegliStato(c.flag37, c.carburante, c.flag44, c.giri), c.stato)
            << c.flag37 << " " << c.carburante << " " << c.flag44 << " " << c.giri;

    using T = std::vector<std::pair<int, int>>;
    const QString s2 = "PETROL", s3 = "GAS", s18 = "CUT-OFF", s19 = "ENGINE OFF";
    EXPECT_EQ(Casa::SuoniCambioStato(s19, s3, s18, s2, s3), (T{{1000, 150}}));
    EXPECT_EQ(Casa::SuoniCambioStato(s18, s3, s18, s2, s3), T{});
    EXPECT_EQ(Casa::SuoniCambioStato(s3, s2, s18, s2, s3), (T{{500, 150}}));
    EXPECT_EQ(Casa::SuoniCambioStato(s3, s3, s18, s2, s3), T{});
    EXPECT_EQ(Casa::SuoniCambioStato(s2, s19, s18, s2, s3), T{});
    // The same text for both states: both tones, 500 Hz first.
    EXPECT_EQ(Casa::SuoniCambioStato(s19, "X", s18, "X", "X"), (T{{500, 150}, {1000, 150}}));
}
