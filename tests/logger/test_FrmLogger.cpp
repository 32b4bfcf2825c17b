// The logger page offscreen: a recording fed by the simulated ECU, saved and
// reopened through the request slot; the save's and the open's failure paths.
// With MONDARO_SCREENSHOT_DIR set it saves pictures of the page.
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <filesystem>
#include <memory>

#include "CentralinaSimulata.h"
#include "support/BlocchiSimulati.h"
#include "support/ClicProva.h"
#include "FissaggioLogger.h"
#include "core/ClsLingue.h"
#include "core/ModMainDizionario.h"
#include "engine/MDIFrmCollegamento.h"
#include "controls/PulsanteGrafico.h"
#include "logger/FrmLogger.h"
#include "logger/GraficoLogger.h"
#include "platform/Orologio.h"
#include "../engine/RegistratoreInterfaccia.h"
#include "support/DizionarioProva.h"

namespace {

class FrmLoggerTest : public FissaggioLogger {
protected:
    void SetUp() override {
        FissaggioLogger::SetUp();
        dizionario_ = ModMain::Dizionario;
        SupportoTest::CaricaDizionario(lingue_, cartella.File("lng/diz.diz"), cartella.File("lng/diz.con"));
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
    void Interroga(int n) { SupportoTest::InterrogaBlocchiLive(*ecu_, secondi_, n); }

    void Fotografa(const std::string& nome) {
        SupportoTest::Fotografa(f.get(), nome, 5);
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
    // Before the cursor reads anything the readout shows an empty trace.
    EXPECT_EQ(f->LblTime2->text().toStdString(), "Time: 0'0\"0");
    EXPECT_TRUE(f->LblObdVal->text().startsWith(QStringLiteral("Bank 1\n")));
    EXPECT_TRUE(f->LblObdVal->text().contains(QStringLiteral(" -- ; -- ; -- ")));

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

// Names typed without an extension: the trace is written with ".vfl" and its
// configuration beside it as rec1.vfl.qdl, the open dialog lists the trace and
// opens it, and the export is written with ".txt".
TEST_F(FrmLoggerTest, NomiSenzaEstensionePrendonoQuellaDelFiltro) {
    f->OptRun[0]->setChecked(true);
    Interroga(6);
    f->OptRun[1]->setChecked(true);
    ASSERT_EQ(ModBlck::StatoRegistrazione, 2);
    Piattaforma::Copione::AccodaFile(QString::fromStdString(cartella.File("Data/rec1")));
    SupportoTest::Clic(f->CmdSaveLogOsc);
    const std::string traccia = cartella.File("Data/rec1.vfl");
    EXPECT_EQ(cartella.Leggi("Data/rec1.vfl"), cartella.Leggi("bin/Logger.tmp"));
    EXPECT_FALSE(std::filesystem::exists(cartella.File("Data/rec1")));
    EXPECT_EQ(ModMain::PercorsoSalvataggio, traccia + ".qdl");

    ModMain::RichiestaPendente = 0;
    SupportoTest::Clic(f->CmdOpen); // cancelled: only its filter is wanted
    const auto apri = Piattaforma::Copione::Eventi().back();
    ASSERT_EQ(apri.tipo, Piattaforma::Copione::Tipo::Apri);
    const QStringList elenco = QDir(apri.testo).entryList(Piattaforma::ModelliFiltro(apri.filtro), QDir::Files);
    EXPECT_TRUE(elenco.contains(QStringLiteral("rec1.vfl"))) << elenco.join(' ').toStdString();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(traccia));
    SupportoTest::Clic(f->CmdOpen);
    EXPECT_EQ(ModOscillo::FileLogAperto, traccia);
    f->ApriFileLogger();

    ASSERT_TRUE(f->CmdEsporta->isEnabled());
    Piattaforma::Copione::AccodaFile(QString::fromStdString(cartella.File("Data/tab")));
    SupportoTest::Clic(f->CmdEsporta);
    EXPECT_TRUE(cartella.Leggi("Data/tab.txt").starts_with("Tempo # "));
    EXPECT_FALSE(std::filesystem::exists(cartella.File("Data/tab")));
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

// A full disk while recording: the page shows the stop and says why, and what
// was recorded before the failed write saves as it is.
TEST_F(FrmLoggerTest, DiscoPienoFermaLaRegistrazioneConUnMessaggio) {
    Piattaforma::ImpostaAcceleratoreOrologio(20);
    ModMain::PaginaCorrente = 1;
    f->OptRun[0]->setChecked(true);
    ASSERT_EQ(ModBlck::StatoRegistrazione, 1);
    Interroga(5);
    const auto scritti = std::filesystem::file_size(ModMain::PercorsoLoggerTmp);
    {
        LimiteDimensioneFile limite(scritti + 100); // less than one group
        Interroga(10);
    }
    QCoreApplication::processEvents();
    Piattaforma::ImpostaAcceleratoreOrologio(1);
    EXPECT_EQ(ModBlck::StatoRegistrazione, 2);
    EXPECT_TRUE(f->OptRun[1]->isChecked());
    EXPECT_TRUE(f->CmdSaveLogOsc->isEnabled());
    EXPECT_TRUE(f->CmdOpen->isEnabled());
    const auto messaggi = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(messaggi.size(), 1u);
    EXPECT_TRUE(messaggi[0].testo.startsWith(QStringLiteral("Recording stopped:"))) << messaggi[0].testo.toStdString();
    EXPECT_EQ(messaggi[0].icona, Piattaforma::IconaMessaggio::Critica);
    EXPECT_EQ(std::filesystem::file_size(ModMain::PercorsoLoggerTmp), scritti);

    Piattaforma::Copione::AccodaFile(QString::fromStdString(cartella.File("Data/pieno.vfl")));
    f->CmdSaveLogOsc_Click();
    EXPECT_EQ(ModBlck::StatoRegistrazione, 0);
    EXPECT_EQ(cartella.Leggi("Data/pieno.vfl"), cartella.Leggi("bin/Logger.tmp"));
    EXPECT_EQ(ModOscillo::CampioniLog.size(), 5u * 9u); // the five samples before the full disk
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

TEST_F(FrmLoggerTest, NavigazioneZoomEScorrimento) {
    // 60 s of samples every 100 ms, opened as the link timer opens it.
    std::string testo = Intestazione(TramaLive({}));
    for (int s = 1; s < 600; ++s) testo += Gruppo(true, 100 * s, TramaLive({{Offset(1, 33), s}}));
    SupportoTest::ScriviFile(cartella.File("Data/n.vfl"), testo);
    ModOscillo::FileLogAperto = cartella.File("Data/n.vfl");
    f->ApriFileLogger();
    ASSERT_EQ(ModOscillo::CampioniLog.size(), 600u * 9);
    EXPECT_EQ(f->ScrlTime->maximum(), 60);
    EXPECT_TRUE(f->CmdNext->isEnabled());
    ASSERT_GT(ModOscillo::XFineGrafico, 1150);
    EXPECT_EQ(f->XPunti.front(), 150);
    const int32_t fine = ModOscillo::XFineGrafico;
    const int32_t atteso = (fine * 50 / 100) / 1000 * 1000; // half a page, whole seconds
    f->CmdNext_Click();
    EXPECT_EQ(ModOscillo::TempoInizioVista, atteso);
    EXPECT_EQ(ModOscillo::IndiceInizioVista, (atteso / 100 + 1) * 9);
    EXPECT_EQ(f->ScrlTime->value(), ModOscillo::IndiceInizioVista / 90);
    f->CmdPrev_Click();
    f->CmdPrev_Click();
    EXPECT_EQ(ModOscillo::TempoInizioVista, 0);
    EXPECT_EQ(ModOscillo::IndiceInizioVista, 0);

    // Time zoom: 100 -> 50 -> 20 -> 10 (disabled), back to 100 (disabled).
    for (int z : {50, 20, 10}) {
        f->CmdZin_Click();
        EXPECT_EQ(ModOscillo::ZoomTempo, z);
    }
    EXPECT_FALSE(f->CmdZin->isEnabled());
    EXPECT_EQ(f->LblRifTempo.at(1)->text().toStdString(), "+10s");
    for (int z : {20, 50, 100}) {
        f->CmdZOut_Click();
        EXPECT_EQ(ModOscillo::ZoomTempo, z);
    }
    EXPECT_FALSE(f->CmdZOut->isEnabled());
    EXPECT_TRUE(f->CmdZin->isEnabled());

    // Thumb dragged to 5: sample 50; the right arrow performs one page step.
    f->ScrlTime_Scroll(5);
    EXPECT_TRUE(f->LblTempoScroll->isVisibleTo(f.get()));
    EXPECT_EQ(f->LblTempoScroll->text().toStdString(), "0'00");
    f->ScrlTime->setValue(5);
    EXPECT_EQ(ModOscillo::IndiceInizioVista, 450);
    EXPECT_EQ(ModOscillo::TempoInizioVista, 5000);
    EXPECT_FALSE(f->LblTempoScroll->isVisibleTo(f.get()));
    f->ScrlTime->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(ModOscillo::TempoInizioVista, (5000 + fine * 50 / 100) / 1000 * 1000);

    // Up to the end: Next is disabled on the page that holds the last drawn sample.
    for (int i = 0; i < 40 && f->CmdNext->isEnabled(); ++i) f->CmdNext_Click();
    EXPECT_FALSE(f->CmdNext->isEnabled());

    // The cursor readout over the first page: value 33 of the sample under it.
    f->CmdPrev_Click();
    ModOscillo::IndiceInizioVista = 0;
    ModOscillo::TempoInizioVista = 0;
    f->DisegnaGrafico();
    f->AggiornaCursore(150 + 1000 + 50); // inside the segment of the sample at 1.1 s
    EXPECT_EQ(f->LblSignal[2]->text().toStdString(), "Gas pressure [x300]\n0.01 bar");
    EXPECT_EQ(f->LblTime2->text().toStdString(), "Time: 0'1\"50");
    f->Pct_MouseMove(100); // left of the origin: nothing moves
    EXPECT_EQ(f->XCursore, 1200.0f);
}

TEST_F(FrmLoggerTest, CanaliVisibilitaPosizioneZoomEDistribuzione) {
    auto setup = [&] {
        ModOscillo::InsiemeCanali c = ModOscillo::CanaliPredefiniti();
        ModOscillo::LeggiSetupCanali(ModMain::PercorsoOsciSetUp, c);
        return c;
    };
    f->PctMostra_Click(1);
    EXPECT_EQ(setup()[1].Visibile, 0);
    EXPECT_TRUE(f->LblSignal[1]->text().isEmpty());
    f->PctMostra_Click(1);
    EXPECT_EQ(f->LblSignal[1]->text().toStdString(), "Gas inj. time 1 [x30]");

    f->SelezionaCanale(5); // reducer temperature, id 42, zoom 8000
    f->CmdZoomIn_Click();
    EXPECT_EQ(setup()[5].ZoomPercento, 10000);
    ModOscillo::CanaliOscilloscopio[5].OffsetPercento = 98;
    f->CmdDw_Click();
    EXPECT_EQ(setup()[5].OffsetPercento, 98);
    ModOscillo::CanaliOscilloscopio[5].OffsetPercento = 0;
    f->CmdUp_Click();
    EXPECT_EQ(setup()[5].OffsetPercento, 0);
    f->CmdReset_Click();
    EXPECT_EQ(setup()[7].OffsetPercento, 88);

    // Right click: the list opens at the label; a choice changes the channel and is saved.
    f->LblSignal_MouseDown(3, Qt::RightButton);
    EXPECT_TRUE(f->LstVar->isVisibleTo(f.get()));
    EXPECT_EQ(f->LstVar->currentItem()->text().toStdString(), "Manifold pressure");
    const auto elenco = f->LstVar->findItems(QStringLiteral("Engine speed"), Qt::MatchExactly);
    ASSERT_EQ(elenco.size(), 1);
    f->LstVar->setCurrentItem(elenco[0]);
    EXPECT_FALSE(f->LstVar->isVisibleTo(f.get()));
    EXPECT_EQ(setup()[3].IdVariabile, 32);
    EXPECT_EQ(f->LblSignal[3]->text().toStdString(), "Engine speed");
}

// A set-up zoom line that is no number gives the channel a zoom of 0: its
// label shows it, the page draws it, writes it back as 0 and steps up from it.
TEST_F(FrmLoggerTest, ZoomZeroDalSetupMostratoESalvato) {
    const std::string canale1 = "[Var]\r\n 1 \r\n 7 \r\n-1 \r\n 0 \r\n 0 \r\n";
    SupportoTest::ScriviFile(ModMain::PercorsoOsciSetUp,
                             "[Var]\r\n 0 \r\n 15 \r\n-1 \r\n 0 \r\n 0 \r\n 100 \r\n\r\n" + canale1 + " zoom \r\n\r\n");
    f->Form_Unload();
    f = std::make_unique<FrmLogger>();
    f->resize(1000, 420);
    f->Form_Load();
    f->show();
    SupportoTest::Clic(f->PctMostra[1]);
    EXPECT_TRUE(f->LblSignal[1]->text().isEmpty());
    SupportoTest::Clic(f->PctMostra[1]);
    EXPECT_EQ(f->LblSignal[1]->text().toStdString(), "Gas inj. time 1 [x0]");
    EXPECT_NE(cartella.Leggi("lng/OsciSetUp.ini").find(canale1 + " 0 \r\n"), std::string::npos);
    // Zoom in on a channel of the 100 step: 0 + 100.
    SupportoTest::Clic(f->LblSignal[1]);
    SupportoTest::Clic(f->CmdZoomIn);
    EXPECT_NE(cartella.Leggi("lng/OsciSetUp.ini").find(canale1 + " 100 \r\n"), std::string::npos);
}

// At the page sizes of a 1024 x 640 and a 1400 x 900 window: the button bar
// and the channel column grow with the page and their fonts with them, every
// caption fits its button, and nothing runs into its neighbour or out of the page.
TEST_F(FrmLoggerTest, BarraECanaliCresconoConLaPagina) {
    struct Misura {
        int altezzaPulsante, larghezzaPulsante, altezzaCanale, larghezzaCanale, figuraRun;
        double puntiPulsante, puntiCanale, puntiLettura, puntiElenco;
    };
    const auto misura = [this](QSize pagina) {
        f->resize(pagina); // shown: the resize event lays the page out at once
        const std::vector<QWidget*> barra{f->OptRun[0], f->OptRun[1], f->CmdOpen, f->CmdSaveLogOsc, f->CmdEsporta,
                                          f->CmdPrev,   f->CmdNext,   f->CmdZin,  f->CmdZOut,       f->CmdZoomIn,
                                          f->CmdZoomOut, f->CmdUp,    f->CmdDw,   f->CmdReset};
        const QRect cornice = f->Shape1->geometry();
        for (size_t i = 0; i < barra.size(); ++i) {
            const QRect r = barra[i]->geometry();
            if (i > 0) {
                EXPECT_LT(barra[i - 1]->geometry().right(), r.left()) << pagina.width() << " " << i;
            }
            EXPECT_LT(r.bottom(), cornice.top()) << pagina.width() << " " << i;
            EXPECT_LE(r.right(), pagina.width()) << pagina.width() << " " << i;
            if (auto* b = qobject_cast<PulsanteGrafico*>(barra[i])) {
                EXPECT_LE(QFontMetrics(b->Font()).horizontalAdvance(b->Caption()), r.width() - 8)
                    << pagina.width() << " " << i;
            }
        }
        for (int c = 0; c < ModOscillo::NumeroCanali; ++c) {
            const QRect s = f->LblSignal[c]->geometry(), m = f->PctMostra[c]->geometry();
            if (c > 0) {
                EXPECT_LE(f->LblSignal[c - 1]->geometry().bottom(), s.top()) << pagina.width() << " " << c;
            }
            EXPECT_LT(s.right(), m.left()) << pagina.width() << " " << c;
            EXPECT_LT(m.right(), cornice.left()) << pagina.width() << " " << c;
            EXPECT_GE(s.height(), f->LblSignal[c]->fontMetrics().height()) << pagina.width() << " " << c;
        }
        EXPECT_LT(f->LblSignal[7]->geometry().bottom(), f->LblTime2->y()) << pagina.width();
        EXPECT_LT(f->LblTime2->geometry().bottom(), f->LblObdVal->y()) << pagina.width();
        EXPECT_LE(f->LblObdVal->geometry().bottom(), pagina.height()) << pagina.width();
        // The OBD summary's four lines fit their label.
        EXPECT_GE(f->LblObdVal->height(), 4 * f->LblObdVal->fontMetrics().lineSpacing()) << pagina.width();
        f->OptRun[0]->ensurePolished();
        return Misura{f->CmdPrev->height(),
                      f->CmdPrev->width(),
                      f->LblSignal[0]->height(),
                      f->LblSignal[0]->width(),
                      QFontInfo(f->OptRun[0]->font()).pixelSize(),
                      f->CmdPrev->Font().pointSizeF(),
                      f->LblSignal[0]->font().pointSizeF(),
                      f->LblTime2->font().pointSizeF(),
                      f->LstVar->font().pointSizeF()};
    };
    const Misura piccola = misura(QSize(1001, 425));
    const Misura grande = misura(QSize(1377, 685));
    const double k = 1377.0 / 1001.0; // the width ratio; the height grows more
    EXPECT_NEAR(grande.altezzaPulsante, piccola.altezzaPulsante * k, 1);
    EXPECT_NEAR(grande.larghezzaPulsante, piccola.larghezzaPulsante * k, 1);
    EXPECT_GE(grande.altezzaCanale, piccola.altezzaCanale * k - 1);
    EXPECT_NEAR(grande.larghezzaCanale, piccola.larghezzaCanale * k, 1);
    EXPECT_NEAR(grande.figuraRun, piccola.figuraRun * k, 1);
    // Whole points at the larger size.
    for (const auto& [prima, dopo] : {std::pair{piccola.puntiPulsante, grande.puntiPulsante},
                                      std::pair{piccola.puntiCanale, grande.puntiCanale},
                                      std::pair{piccola.puntiLettura, grande.puntiLettura},
                                      std::pair{piccola.puntiElenco, grande.puntiElenco}})
        EXPECT_NEAR(dopo, prima * k, 0.5) << prima;
    // Back to the smaller page: the design sizes again.
    const Misura ancora = misura(QSize(1001, 425));
    EXPECT_EQ(ancora.altezzaPulsante, piccola.altezzaPulsante);
    EXPECT_EQ(ancora.puntiPulsante, piccola.puntiPulsante);
    EXPECT_EQ(ancora.puntiCanale, piccola.puntiCanale);
    EXPECT_EQ(ancora.figuraRun, piccola.figuraRun);
}
