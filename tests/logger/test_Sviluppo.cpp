// The two developer windows: the raw variable view's text and the frame replay.
#include <QtCore/QCoreApplication>

#include "FissaggioLogger.h"
#include "controls/PulsanteGrafico.h"
#include "logger/FrmExpert.h"
#include "logger/FrmReplay.h"
#include "logger/ModReplay.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "core/Conversioni.h"
#include "platform/Orologio.h"
#include "../engine/RegistratoreInterfaccia.h"

namespace {

class SviluppoTest : public FissaggioLogger {
protected:
    void TearDown() override {
        ModReplay::TrameReplay.clear();
        ModReplay::TempiReplay.clear();
        ModReplay::IndiceReplay = 0;
        ModMain::ExpertAperto = 0;
        Piattaforma::ImpostaAcceleratoreOrologio(1);
        FissaggioLogger::TearDown();
    }
};

std::vector<std::string> RigheExpert(const std::string& t) { return Conv::Split(t, "\r\n"); }

} // namespace

TEST(ModExpert, RigheEValori) {
    std::vector<int32_t> v(63);
    for (int k = 0; k < 63; ++k) v[static_cast<size_t>(k)] = 100 + k;
    v[62] = -5;
    v[61] = 1234567;
    const auto r = RigheExpert(ModExpert::TestoValori(v));
    ASSERT_EQ(r.size(), 63u);
    EXPECT_EQ(r[0], "RIS_INJ_N0: 107");
    EXPECT_EQ(r[7], "RIS_INJ_N7: 100");
    EXPECT_EQ(r[31], "TIME_INJ_COR_N7: 124");
    EXPECT_EQ(r[32], "PERIOD_GM: 132");
    EXPECT_EQ(r[61], "LAMBDA_OUT_3: 1234567");
    EXPECT_EQ(r[62], "LAMBDA_OUT_4: -5");
    // A short block: every line still there, the missing values marked.
    const auto c = RigheExpert(ModExpert::TestoValori(std::vector<int32_t>(40, 1)));
    ASSERT_EQ(c.size(), 63u);
    EXPECT_EQ(c[39], "LAMBDA_OUT_2: 1");
    EXPECT_EQ(c[40], "VAL_LEVEL_RC: ---");
}

TEST_F(SviluppoTest, VistaExpertFermaEChiusura) {
    FrmExpert f;
    f.Form_Load();
    TabellaBlocchi.at(1).Valori.assign(63, 7);
    f.AggiornaValori();
    EXPECT_TRUE(f.Text1->toPlainText().startsWith(QStringLiteral("RIS_INJ_N0: 7\n")));
    f.Check1->setChecked(true);
    TabellaBlocchi.at(1).Valori.assign(63, 8);
    f.AggiornaValori();
    EXPECT_TRUE(f.Text1->toPlainText().startsWith(QStringLiteral("RIS_INJ_N0: 7\n")));
    f.Check1->setChecked(false);
    f.AggiornaValori();
    EXPECT_TRUE(f.Text1->toPlainText().startsWith(QStringLiteral("RIS_INJ_N0: 8\n")));
    ModMain::ExpertAperto = -1;
    f.show();
    f.close();
    EXPECT_EQ(ModMain::ExpertAperto, 0);
}

TEST_F(SviluppoTest, TabellaDiSmistamento) {
    using D = ModReplay::Destinazione;
    const struct {
        const char* hex;
        D d;
    } casi[] = {{"4201630C00", D::Blocco1}, {"42017C0C00", D::Nessuna}, {"42014F0E00", D::Blocco3},
                {"42017D2000", D::Grezzi20}, {"42013E4400", D::ObdConLog}, {"42015C4400", D::Obd},
                {"42015c4400", D::Nessuna},  {"4201", D::Nessuna}};
    for (const auto& c : casi) EXPECT_EQ(ModReplay::DestinazioneTrama(c.hex), c.d) << c.hex;
}

TEST_F(SviluppoTest, ReplayRitmoFineStopELog) {
    RegistratoreInterfaccia ui;
    Piattaforma::ImpostaAcceleratoreOrologio(100);
    // Three frames: only the middle one is dispatched, an OBD frame of the logged kind.
    std::string obd(58, '\0');
    obd[26] = 3; // block 12 value 26 sits at reply offset 6 + 26 in the shipped layout when values are bytes
    const std::string trama = Trama(0x44, 0x3E, obd);
    ModReplay::TrameReplay = {"00", ModGlobFunct::ConvertiTestoInHex(trama), "00"};
    ModReplay::TempiReplay = {0, 1000, 2000};
    FrmReplay f;
    f.Form_Load();
    f.CmdP_Click();
    EXPECT_TRUE(f.Timer1->isActive());
    const double fine = ModGlobFunct::LeggiMicrosecondi() + 500'000'000; // 5 s of real time
    while (f.Timer1->isActive() && ModGlobFunct::LeggiMicrosecondi() < fine) {
        QCoreApplication::processEvents();
        Piattaforma::PausaBreve(1000);
    }
    EXPECT_FALSE(f.Timer1->isActive());
    EXPECT_EQ(ModReplay::IndiceReplay, 0); // back to the start after the end
    EXPECT_EQ(ui.Conta("FrmObd.AggiornaParametriObd"), 1u);
    EXPECT_EQ(TabellaBlocchi.at(12).UltimaRisposta, trama);
    f.Form_Unload();
    const auto righe = Conv::Split(cartella.Leggi("bin/LogReplay.txt"), "\r\n");
    ASSERT_EQ(righe.size(), 4u);
    EXPECT_EQ(righe[1], ModReplay::IntestazioneLogReplay);
    EXPECT_EQ(righe[2].rfind("#1000 #", 0), 0u);
    EXPECT_EQ(Conv::Split(righe[2], " #").size(), 9u);
}

TEST_F(SviluppoTest, StopSoloFermaEArrayNonValidiNonFannoNulla) {
    FrmReplay f;
    f.Form_Load();
    ModReplay::TrameReplay = {"00"};
    ModReplay::TempiReplay = {0};
    f.CmdP_Click();
    EXPECT_FALSE(f.Timer1->isActive());
    ModReplay::TrameReplay = {"00", "00", "00"};
    ModReplay::TempiReplay = {0, 10};
    f.CmdSpeed_Click();
    EXPECT_FALSE(f.Timer1->isActive());
    EXPECT_TRUE(f.CmdSpeed->isEnabled());

    ModMain::MappaPagina0[0][0] = 77;
    ModReplay::TempiReplay = {0, 100000, 200000};
    ModReplay::IndiceReplay = 1;
    f.CmdP_Click();
    f.CmdS_Click();
    EXPECT_FALSE(f.Timer1->isActive());
    EXPECT_EQ(ModReplay::IndiceReplay, 1); // kept for the next play
    EXPECT_EQ(ModMain::MappaPagina0[0][0], 77); // the map is left alone
    ModMain::MappaPagina0[0][0] = 0;
}
