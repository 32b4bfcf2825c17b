// ConfigScale.ini definitions: injectors, level sensors, lambda probes,
// temperature sensors, single values, character tables and display tags.
#include <gtest/gtest.h>

#include "../../tools/codifica/CodificaTesto.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

namespace {

using Righe = std::vector<std::string>;

// Every table and value of the parser saved and restored; the dialog record
// cleared before each test.
class ConfigScaleTest : public ::testing::Test {
protected:
    void SetUp() override { Piattaforma::Copione::Attiva(true); }
    void TearDown() override {
        ModBlck::TipiIniettori = iniettori_;
        ModBlck::SensoriLivello = livello_;
        ModBlck::SondeLambda = lambda_;
        ModBlck::SensoriTemperatura = temperatura_;
        ModBlck::TolleranzaCorrettore = tolleranza_;
        ModBlck::SommaTempoInj = somma_;
        ModBlck::SogliaSpark = spark_;
        ModBlck::MaxBadBit = badBit_;
        ModBlck::CaratteriEcu = ecu_;
        ModBlck::CaratteriAscii = ascii_;
        ModBlck::CarattereDefault = default_;
        ModBlck::PersonalizzazioneVisualizzazione = personalizzazione_;
        ModMain::PercorsoBase = base_;
        ModMain::PercorsoConfigDefault = configDefault_;
        Piattaforma::Copione::Attiva(true);
    }

    static size_t Riquadri() { return Piattaforma::Copione::Messaggi().size(); }

    std::vector<DefinizioneIniettore> iniettori_ = ModBlck::TipiIniettori;
    std::vector<DefinizioneSensoreLivello> livello_ = ModBlck::SensoriLivello;
    std::vector<DefinizioneSondaLambda> lambda_ = ModBlck::SondeLambda;
    std::vector<DefinizioneSensoreTemperatura> temperatura_ = ModBlck::SensoriTemperatura;
    std::vector<VoceTolleranzaCorrettore> tolleranza_ = ModBlck::TolleranzaCorrettore;
    float somma_ = ModBlck::SommaTempoInj;
    int32_t spark_ = ModBlck::SogliaSpark, badBit_ = ModBlck::MaxBadBit;
    std::vector<int32_t> ecu_ = ModBlck::CaratteriEcu, ascii_ = ModBlck::CaratteriAscii;
    int32_t default_ = ModBlck::CarattereDefault;
    std::vector<VocePersonalizzazione> personalizzazione_ = ModBlck::PersonalizzazioneVisualizzazione;
    std::string base_ = ModMain::PercorsoBase, configDefault_ = ModMain::PercorsoConfigDefault;
};

const Righe Definizioni = {
    "[InjType_007]", "  Standard 2.0 ohm ", "2000", "20", "40", "8000", "1600", "7000", "1536",
    "[InjType_002]", "Fast", "1", "3", "2", "4", "6", "5", "7",
    "[GasLevel_01]", "Resistive", "17", "40", "180", "330", "480", "640", "900", "32",
    "[Lambda_12]", "Narrow band", "0", "1000", "800", "200", "700", "300",
    "[SensTemp_03]", "NTC 1K", " 3 ",
    "[InjType_010]", "Rail", "9", "9", "9", "9", "9", "9", "9",
    "[SommaTempoInj_usec]", "12.5",
    "[SPARK]", "6500",
    "[MAXBADBIT]", "20",
    "[Rpm di commutazione]", "1000|1200|1400",
};

} // namespace

TEST_F(ConfigScaleTest, DefinizioniInOrdineDiFile) {
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(Definizioni);
    EXPECT_EQ(Riquadri(), 0u);

    ASSERT_EQ(ModBlck::TipiIniettori.size(), 3u);
    const auto& i0 = ModBlck::TipiIniettori[0];
    EXPECT_EQ(i0.Id, 7);
    EXPECT_EQ(i0.Nome, "Standard 2.0 ohm");
    const auto& i1 = ModBlck::TipiIniettori[1];
    EXPECT_EQ(i1.Id, 2);
    // The file gives values 1, 3, 2, 4, 6, 5, 7.
    EXPECT_EQ((std::vector<int32_t>{i1.Valore1, i1.Valore2, i1.Valore3, i1.Valore4, i1.Valore5, i1.Valore6,
                                    i1.Valore7}),
              (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(ModBlck::TipiIniettori[2].Id, 10);

    ASSERT_EQ(ModBlck::SensoriLivello.size(), 1u);
    const auto& l = ModBlck::SensoriLivello[0];
    EXPECT_EQ(l.Nome, "Resistive");
    EXPECT_EQ(l.Codice, 17);
    EXPECT_EQ((std::vector<int32_t>(std::begin(l.Livelli), std::end(l.Livelli))),
              (std::vector<int32_t>{40, 180, 330, 480, 640, 900}));
    EXPECT_EQ(l.UltimoValore, 32);

    ASSERT_EQ(ModBlck::SondeLambda.size(), 1u);
    EXPECT_EQ(ModBlck::SondeLambda[0].Id, 12);
    EXPECT_EQ(ModBlck::SondeLambda[0].Valore2, 1000);
    EXPECT_EQ(ModBlck::SondeLambda[0].Valore6, 300);

    ASSERT_EQ(ModBlck::SensoriTemperatura.size(), 1u);
    EXPECT_EQ(ModBlck::SensoriTemperatura[0].Id, 3);
    EXPECT_EQ(ModBlck::SensoriTemperatura[0].Valore, 3);

    EXPECT_FLOAT_EQ(ModBlck::SommaTempoInj, 12.5f);
    EXPECT_EQ(ModBlck::SogliaSpark, 6500);
    EXPECT_EQ(ModBlck::MaxBadBit, 20);
    EXPECT_EQ(ModBlck::CercaIndiceSensore(17), 0);
    EXPECT_EQ(ModBlck::CercaIndiceLambda(12), 0);
}

TEST_F(ConfigScaleTest, NessunaDefinizioneLasciaUnRecordVuoto) {
    ModBlck::MaxBadBit = 99;
    ModBlck::CarattereDefault = 7;
    for (const Righe& righe : {Righe{}, Righe{"[SPARK]", "100"}}) {
        ModBlck::LeggiTipo_Inj_SensLevel_Lambda(righe);
        EXPECT_EQ(ModBlck::TipiIniettori.size(), 1u);
        EXPECT_EQ(ModBlck::TipiIniettori[0].Nome, "");
        EXPECT_EQ(ModBlck::SensoriLivello.size(), 1u);
        EXPECT_EQ(ModBlck::SondeLambda.size(), 1u);
        EXPECT_EQ(ModBlck::SensoriTemperatura.size(), 1u);
        EXPECT_EQ(ModBlck::MaxBadBit, 15) << "start values are set before the parse";
        EXPECT_EQ(ModBlck::CarattereDefault, 32);
        EXPECT_EQ(ModBlck::CaratteriEcu.size(), 256u);
        EXPECT_EQ(ModBlck::CaratteriEcu[200], 200);
    }
    EXPECT_EQ(Riquadri(), 0u);
}

TEST_F(ConfigScaleTest, NumeriNonValidiMostranoIlRiquadro) {
    struct Caso {
        const char* perche;
        Righe righe;
        size_t riquadri;
    } casi[] = {
        {"id not a number", {"[InjType_ABC]", "X", "1", "2", "3", "4", "5", "6", "7"}, 1},
        {"value not a number", {"[Lambda_01]", "L", "1", "2", "x", "4", "5", "6"}, 1},
        {"value too large", {"[SensTemp_01]", "T", "99999999999"}, 1},
        {"section cut by the end of the lines", {"[GasLevel_05]", "G", "1"}, 7},
        {"section on the last line", {"[InjType_001]"}, 8},
        {"SPARK without its value", {"[SPARK]"}, 1},
        {"float not a number", {"[SommaTempoInj_usec]", "fast"}, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.perche);
        Piattaforma::Copione::Azzera();
        ModBlck::LeggiTipo_Inj_SensLevel_Lambda(c.righe);
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), c.riquadri);
        EXPECT_EQ(m[0].titolo, "Config sensor error");
        EXPECT_TRUE(m[0].testo.startsWith("LeggiTipo_Inj_SensLevel_Lambda: ")) << m[0].testo.toStdString();
        EXPECT_GT(m[0].testo.size(), 33);
        EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Critica);
        EXPECT_EQ(m[0].pulsanti, Piattaforma::PulsantiMessaggio::Ok);
    }
    // The record of a bad section is still added; what failed stays 0.
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[InjType_ABC]", "X", "1", "2", "3", "4", "5", "6", "7"});
    ASSERT_EQ(ModBlck::TipiIniettori.size(), 1u);
    EXPECT_EQ(ModBlck::TipiIniettori[0].Id, 0);
    EXPECT_EQ(ModBlck::TipiIniettori[0].Nome, "X");
    EXPECT_EQ(ModBlck::TipiIniettori[0].Valore7, 7);
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[Lambda_01]", "L", "1", "2", "x", "4", "5", "6"});
    EXPECT_EQ(ModBlck::SondeLambda[0].Valore3, 0);
    EXPECT_EQ(ModBlck::SondeLambda[0].Valore4, 4);
}

TEST_F(ConfigScaleTest, TolleranzaCorrettoriATerne) {
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[Tolleranza correttori]", "5|10|20|6|11|21"});
    EXPECT_EQ(Riquadri(), 0u);
    ASSERT_EQ(ModBlck::TolleranzaCorrettore.size(), 2u);
    EXPECT_EQ(ModBlck::TolleranzaCorrettore[1].Valore3, 21);

    Piattaforma::Copione::Azzera();
    ModBlck::SogliaSpark = 7000;
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(
        {"[Tolleranza correttori]", "1|2|3|4", "[SPARK]", "1", "[MAXBADBIT]", "3"});
    ASSERT_EQ(ModBlck::TolleranzaCorrettore.size(), 2u);
    EXPECT_EQ(ModBlck::TolleranzaCorrettore[1].Valore1, 4);
    EXPECT_EQ(Riquadri(), 2u) << "one box per missing item";
    EXPECT_EQ(ModBlck::SogliaSpark, 7000) << "the scan goes on three lines after the section";
    EXPECT_EQ(ModBlck::MaxBadBit, 3);
}

TEST_F(ConfigScaleTest, TabelleDeiCaratteri) {
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[ASCII]", "32|48|49|65|66", "10|13|32|97|98", "45"});
    EXPECT_EQ(ModBlck::CaratteriEcu, (std::vector<int32_t>{32, 48, 49, 65, 66}));
    EXPECT_EQ(ModBlck::CaratteriAscii, (std::vector<int32_t>{10, 13, 32, 97, 98}));
    EXPECT_EQ(ModBlck::CarattereDefault, 45);
    EXPECT_EQ(Riquadri(), 0u);

    // One item or an empty line leaves a table alone; a default that is not a
    // number leaves it without a box.
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[ASCII]", "65", "", "dash"});
    EXPECT_EQ(ModBlck::CaratteriEcu.size(), 256u);
    EXPECT_EQ(ModBlck::CaratteriAscii.size(), 256u);
    EXPECT_EQ(ModBlck::CarattereDefault, 32);
    EXPECT_EQ(Riquadri(), 0u);
}

TEST_F(ConfigScaleTest, PersonalizzazioneVisualizzazione) {
    struct Caso {
        const char* perche;
        Righe righe;
        std::vector<std::pair<std::string, std::string>> attese;
        int32_t spark;
    } casi[] = {
        {"pairs to the end line",
         {"[VisualizzazioneCustomStart]", " LblTitle | sup", "CmdX|nul", "[VisualizzazioneCustomEnd]", "[SPARK]", "5"},
         {{"LBLTITLE", "SUP"}, {"CMDX", ""}},
         5},
        {"a line that is no pair ends it and is tested",
         {"[VisualizzazioneCustomStart]", "A|exp", "[SPARK]", "6", "B|aut"},
         {{"A", "EXP"}},
         6},
        {"three items end it", {"[VisualizzazioneCustomStart]", "a|b|c", "x|y"}, {{"", ""}}, 7000},
        {"no end line before the end of the lines", {"[VisualizzazioneCustomStart]", "A|B", "C|D"},
         {{"A", "B"}, {"C", "D"}}, 7000},
        {"empty section", {"[VisualizzazioneCustomStart]", "[VisualizzazioneCustomEnd]"}, {{"", ""}}, 7000},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.perche);
        ModBlck::SogliaSpark = 7000;
        ModBlck::LeggiTipo_Inj_SensLevel_Lambda(c.righe);
        std::vector<std::pair<std::string, std::string>> viste;
        for (const auto& p : ModBlck::PersonalizzazioneVisualizzazione) viste.push_back({p.NomeControllo, p.Tag});
        EXPECT_EQ(viste, c.attese);
        EXPECT_EQ(ModBlck::SogliaSpark, c.spark);
    }
    EXPECT_EQ(Riquadri(), 0u);
}

TEST_F(ConfigScaleTest, RigaDelValoreProvataComeSezione) {
    ModBlck::SommaTempoInj = 3.0f;
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[SommaTempoInj_usec]", "[SPARK]", "4321"});
    EXPECT_EQ(Riquadri(), 1u);
    EXPECT_EQ(ModBlck::SommaTempoInj, 3.0f);
    EXPECT_EQ(ModBlck::SogliaSpark, 4321);
}

TEST_F(ConfigScaleTest, PercorsoDefaultSoloSeIlFileEsiste) {
    SupportoTest::CartellaBase base(false);
    base.Scrivi("lng/Factory A.xsi", "x");
    ModMain::PercorsoBase = base.Percorso();
    ModMain::PercorsoConfigDefault = "unchanged";
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[PathDefault]", "Missing.xsi"});
    EXPECT_EQ(ModMain::PercorsoConfigDefault, "unchanged");
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda({"[PathDefault]", "Factory A.xsi"});
    EXPECT_EQ(ModMain::PercorsoConfigDefault, base.Percorso() + "/lng/Factory A.xsi");
    EXPECT_EQ(Riquadri(), 0u);
}

TEST_F(ConfigScaleTest, FileCodificatoComeInChiaro) {
    SupportoTest::CartellaBase base(false);
    std::string testo;
    for (const auto& r : Definizioni) testo += r + "\r\n";
    for (bool codificato : {false, true}) {
        SCOPED_TRACE(codificato);
        base.Scrivi("lng/ConfigScale.ini", codificato ? CodificaTesto::CodificaFile(testo) : testo);
        Righe righe;
        ModMain::CaricaFileImpostazioni(base.File("lng/ConfigScale.ini"), righe);
        ASSERT_EQ(righe.size(), Definizioni.size() + 1);
        ModBlck::LeggiTipo_Inj_SensLevel_Lambda(righe);
        EXPECT_EQ(ModBlck::TipiIniettori.size(), 3u);
        EXPECT_EQ(ModBlck::TipiIniettori[0].Nome, "Standard 2.0 ohm");
        EXPECT_EQ(ModBlck::SondeLambda[0].Id, 12);
    }
    EXPECT_EQ(Riquadri(), 0u);
}
