// The logger page offscreen: a recording fed by the simulated ECU, saved and
// reopened through the request slot; the save's and the open's failure paths.
// With MONDARO_SCREENSHOT_DIR set it saves pictures of the page.
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <memory>

#include "CentralinaSimulata.h"
#include "FissaggioLogger.h"
#include "core/ClsLingue.h"
#include "core/ModMainDizionario.h"
#include "engine/MDIFrmCollegamento.h"
#include "controls/PulsanteGrafico.h"
#include "logger/FrmLogger.h"
#include "logger/GraficoLogger.h"
#include "platform/Orologio.h"
#include "../engine/RegistratoreInterfaccia.h"

namespace {

class FrmLoggerTest : public FissaggioLogger {
protected:
    void SetUp() override {
        FissaggioLogger::SetUp();
        dizionario_ = ModMain::Dizionario;
        lingue_.PathDizionario(cartella.File("lng/diz.diz"));
        lingue_.PathAttualeLingua(cartella.File("lng/diz.con"));
        lingue_.LoadDizionario();
        lingue_.IdLingua(0);
        ModMain::Dizionario = &lingue_;
        ecu_ = std::make_unique<Simulazione::CentralinaSimulata>(cartella.File("bin/SetCom.ini"));
        ecu_->orologio = [this] { return secondi_; };
        f = std::make_unique<FrmLogger>();
        f->resize(1000, 420);
        f->Form_Load();
        f->show();
    }
    void TearDown() override {
        f->Form_Unload();
        f.reset();
        ecu_.reset();
        ModMain::Dizionario = dizionario_;
        ModMain::PaginaCorrente = 24;
        FissaggioLogger::TearDown();
    }

    // One polling read of block 1 (and of block 12 every sixth), as the link timer does it.
    void Interroga(int n) {
        for (int i = 0; i < n; ++i) {
            secondi_ += 0.05;
            ModGlobFunct::AttendiMicrosecondi(50'000);
            for (size_t b : {size_t(1), size_t(12)}) {
                if (b == 12 && i % 6 != 5) continue;
                BloccoParametri& blocco = TabellaBlocchi.at(b);
                const std::string r = ecu_->Rispondi(ModGlobFunct::ConvertiHexInTesto(blocco.TramaRichiesta));
                ASSERT_FALSE(r.empty());
                blocco.UltimaRisposta = r;
                ModBlck::DecodificaBlocco(r, blocco);
            }
        }
    }

    void Fotografa(const std::string& nome) {
        const char* cartellaFoto = std::getenv("MONDARO_SCREENSHOT_DIR");
        if (!cartellaFoto || !*cartellaFoto) return;
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        f->grab().save(QDir(QString::fromLocal8Bit(cartellaFoto)).filePath(QString::fromStdString(nome)));
    }

    std::unique_ptr<FrmLogger> f;
    ClsLingue lingue_;
    double secondi_ = 1.0;

private:
    std::unique_ptr<Simulazione::CentralinaSimulata> ecu_;
    ClsLingue* dizionario_ = nullptr;
};

} // namespace

TEST_F(FrmLoggerTest, RegistrazioneSimulataSalvataERiaperta) {
    Piattaforma::ImpostaAcceleratoreOrologio(20);
    ModMain::PaginaCorrente = 1;
    EXPECT_EQ(f->OptRun[1]->isChecked(), true);
    EXPECT_FALSE(f->CmdSaveLogOsc->isEnabled());
    EXPECT_EQ(f->LblSignal[0]->text().toStdString(), "Petrol inj. time 1");
    EXPECT_EQ(f->CmdOpen->toolTip().toStdString(), "Open a log");

    f->OptRun[0]->setChecked(true);
    ASSERT_EQ(ModBlck::StatoRegistrazione, 1);
    EXPECT_FALSE(f->CmdOpen->isEnabled());
    Interroga(60); // three seconds
    EXPECT_EQ(f->NumeroPuntiLive, 69); // every sample after the first two of the ring
    EXPECT_GE(ModOscillo::XTracciaLive, 150 + 59 * 50); // the sweep moves 1 twip per ms
    f->AggiornaCursore(600);
    EXPECT_TRUE(f->LblTime2->text().startsWith(QStringLiteral("Time: 0'")));
    Fotografa("logger-live-en.png");

    f->OptRun[1]->setChecked(true);
    ASSERT_EQ(ModBlck::StatoRegistrazione, 2);
    EXPECT_TRUE(f->CmdSaveLogOsc->isEnabled());
    Piattaforma::ImpostaAcceleratoreOrologio(1);

    // Save: the copy, the reload, the configuration request while connected.
    const std::string traccia = cartella.File("Data/run1.vfl");
    Piattaforma::Copione::AccodaFile(QString::fromStdString(traccia));
    f->CmdSaveLogOsc_Click();
    EXPECT_EQ(ModBlck::StatoRegistrazione, 0);
    EXPECT_EQ(cartella.Leggi("Data/run1.vfl"), cartella.Leggi("bin/Logger.tmp"));
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SAVE_CONFIG_FILE);
    EXPECT_EQ(ModMain::PercorsoSalvataggio, traccia + ".qdl");
    const size_t campioni = ModOscillo::CampioniLog.size() / 9;
    EXPECT_EQ(campioni, 60u + 10u); // 60 live and 10 OBD; the header had no live reply yet
    EXPECT_FALSE(f->CmdSaveLogOsc->isEnabled());
    EXPECT_FALSE(f->CmdEsporta->isEnabled());
    const auto salvati = ModOscillo::CampioniLog;

    // Open while connected: link loss, configuration load through the slot, the trace on the offline tick.
    ModMain::RichiestaPendente = 0;
    ModOscillo::CampioniLog.assign(9, 0);
    SupportoTest::ScriviFile(traccia + ".qdl", "[X]\r\n");
    Piattaforma::Copione::AccodaFile(QString::fromStdString(traccia));
    f->CmdOpen_Click();
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
    EXPECT_EQ(ModMain::PercorsoCaricamento, traccia + ".qdl");
    EXPECT_EQ(ModOscillo::CaricaLogInSospeso, 1);
    f->ApriFileLogger();
    EXPECT_EQ(ModOscillo::CampioniLog, salvati);
    EXPECT_TRUE(f->CmdEsporta->isEnabled());
    EXPECT_TRUE(f->ScrlTime->isVisibleTo(f.get()));
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    Fotografa("logger-pagina-en.png");
    lingue_.IdLingua(1);
    f->CaricaLingua();
    f->AggiornaCursore(900);
    Fotografa("logger-pagina-it.png");
    f->resize(1300, 640);
    Fotografa("logger-pagina-grande-it.png");
}

TEST_F(FrmLoggerTest, CopiaFallitaLasciaLaRegistrazioneSalvabile) {
    ASSERT_TRUE(ModOscillo::AvviaRegistrazione());
    ModOscillo::FermaRegistrazione();
    f->CmdSaveLogOsc->setEnabled(true);
    Piattaforma::Copione::AccodaFile(QString::fromStdString(cartella.File("manca/run.vfl")));
    f->CmdSaveLogOsc_Click();
    ASSERT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_EQ(Piattaforma::Copione::Messaggi()[0].icona, Piattaforma::IconaMessaggio::Critica);
    EXPECT_EQ(ModBlck::StatoRegistrazione, 2);
    EXPECT_TRUE(f->CmdSaveLogOsc->isEnabled());
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ModOscillo::FileLogAperto.empty());
}

TEST_F(FrmLoggerTest, LoggerTmpNonCreabileNonAvvia) {
    ModMain::PercorsoLoggerTmp = cartella.File("manca/Logger.tmp");
    f->OptRun[0]->setChecked(true);
    EXPECT_EQ(ModBlck::StatoRegistrazione, 0);
    EXPECT_TRUE(f->OptRun[1]->isChecked());
    EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_TRUE(f->CmdOpen->isEnabled());
}

TEST_F(FrmLoggerTest, ConfigurazioneAttendeLoSlotLiberoPrimaDellaTraccia) {
    RegistratoreInterfaccia ui;
    const std::string traccia = cartella.File("Data/b.vfl");
    SupportoTest::ScriviFile(traccia, "");
    SupportoTest::ScriviFile(traccia + ".qdl", "");
    ModMain::StatoConnessione = STATO_OFFLINE;
    ModMain::RichiestaPendente = REQ_WRITE_BLK3;
    ModMain::PercorsoCaricamento = "other.qdl";
    Piattaforma::Copione::AccodaFile(QString::fromStdString(traccia));
    f->CmdOpen_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3); // not overwritten
    EXPECT_EQ(ModMain::PercorsoCaricamento, "other.qdl");
    EXPECT_EQ(ModMain::LineaPersa, 0);

    // Tick 1: the pending request is served, then the configuration is posted; no trace yet.
    MDIFrm::GestioneOffline();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
    EXPECT_EQ(ModMain::PercorsoCaricamento, traccia + ".qdl");
    EXPECT_FALSE(ui.Chiamato("FrmLogger.ApriFileLogger"));
    // Tick 2: the configuration is loaded, then the trace is shown.
    MDIFrm::GestioneOffline();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(ModMain::ApriLoggerRichiesto, 0);
    EXPECT_TRUE(ModMain::ConfigurazioneLoggerInAttesa.empty());
}

TEST_F(FrmLoggerTest, SenzaConfigurazioneMessaggioETracciaComunque) {
    const std::string traccia = cartella.File("Data/c.vfl");
    SupportoTest::ScriviFile(traccia, "");
    ModMain::StatoConnessione = STATO_OFFLINE;
    Piattaforma::Copione::AccodaFile(QString::fromStdString(traccia));
    f->CmdOpen_Click();
    ASSERT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(ModMain::ApriLoggerRichiesto, 1);
}
