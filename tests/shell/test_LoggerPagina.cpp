// The logger page inside the main window at its minimum size and at a large
// one, in English and Italian: a recording fed by the simulated ECU (the live
// sweep), then the saved trace (the paged plot). Every control of the page
// lies inside it and the readout column does not reach under the chart. With
// MONDARO_SCREENSHOT_DIR set it saves pictures to look at by eye.
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <gtest/gtest.h>
#include <memory>

#include "CentralinaSimulata.h"
#include "FissaggioShell.h"
#include "controls/PulsanteGrafico.h"
#include "core/ClsLingue.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMainStatoLinea.h"
#include "logger/FrmLogger.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"
#include "support/BlocchiSimulati.h"
#include "support/DizionarioProva.h"
#include "support/SupportoTest.h"

namespace {

class LoggerPagina : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        passo_ = ModBlck::PassoDecodificaTipo;
        appoggio_ = ModMain::BloccoAppoggio;
        base_ = ModMain::PercorsoBase;
        dizionario_ = ModMain::Dizionario;
        Piattaforma::Copione::Attiva(true);
        ModMain::UscitaRichiesta = 0;
        ModMain::RichiestaPendente = 0;
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::ImpostaPercorsi(cartella_.Percorso());
        ModBlck::LeggiSetCom(cartella_.File("bin/SetCom.ini"));
        ModBlck::InstallaPassiTipo();
        SupportoTest::CaricaDizionario(lingue_, cartella_.File("lng/diz.diz"), cartella_.File("lng/diz.con"));
        ecu_ = std::make_unique<Simulazione::CentralinaSimulata>(cartella_.File("bin/SetCom.ini"));
        ecu_->orologio = [this] { return secondi_; };
    }
    void TearDown() override {
        f.reset();
        ecu_.reset();
        if (ModBlck::FileLogger.is_open()) ModBlck::FileLogger.close();
        ModBlck::StatoRegistrazione = 0;
        TabellaBlocchi = tabella_;
        ModBlck::PassoDecodificaTipo = passo_;
        ModMain::BloccoAppoggio = appoggio_;
        ModMain::ImpostaPercorsi(base_);
        ModMain::Dizionario = dizionario_;
        ModMain::RichiestaPendente = 0;
        ModMain::PaginaCorrente = 24;
        Piattaforma::ImpostaAcceleratoreOrologio(1);
        Piattaforma::Copione::Attiva(true); // scripted, as every test starts
    }

    void Finestra(int larghezza, int altezza) {
        f = FinestraSenzaTimer(larghezza, altezza);
        f->show();
        QCoreApplication::processEvents();
    }

    void Interroga(int n) { SupportoTest::InterrogaBlocchiLive(*ecu_, secondi_, n); }

    void Fotografa(const std::string& nome) {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        SupportoTest::Fotografa(f.get(), nome);
    }

    // Every visible control of the page lies inside it; the readout column ends left of the chart.
    void VerificaDisposizione(FrmLogger* p) {
        const QRect pagina = p->rect();
        for (QWidget* w : p->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(p) || w->parentWidget() != p) continue;
            EXPECT_TRUE(pagina.contains(w->geometry())) << w->objectName().toStdString();
        }
        for (auto* l : p->LblSignal) EXPECT_LT(l->geometry().right(), p->Shape1->x());
        EXPECT_LE(p->LblObdVal->geometry().bottom(), pagina.bottom());
        EXPECT_GT(p->Pct->width(), 500);
    }

    std::unique_ptr<MDIFrm::MDIForm> f;
    SupportoTest::CartellaBase cartella_;
    ClsLingue lingue_;
    double secondi_ = 1.0;

private:
    std::unique_ptr<Simulazione::CentralinaSimulata> ecu_;
    std::vector<BloccoParametri> tabella_;
    ModBlck::PassoTipoBlocco passo_;
    BloccoParametri appoggio_;
    std::string base_;
    ClsLingue* dizionario_ = nullptr;
};

} // namespace

TEST_F(LoggerPagina, SweepDalVivoPoiPagineAlleDueMisureENelleDueLingue) {
    const struct {
        int larghezza, altezza;
        const char* nome;
    } misure[] = {{1024, 640, "minima"}, {1400, 900, "grande"}};
    for (const auto& m : misure) {
        Finestra(m.larghezza, m.altezza);
        f->SelezioneScheda(SCHEDA_LOGGER);
        auto* p = MDIFrm::IstanzaFrmLogger;
        ASSERT_TRUE(p->isVisible());
        EXPECT_TRUE(p->OptRun[0]->isEnabled());
        Interroga(3);
        Piattaforma::ImpostaAcceleratoreOrologio(20);
        p->OptRun[0]->setChecked(true);
        ASSERT_EQ(ModBlck::StatoRegistrazione, 1);
        Interroga(120);
        p->AggiornaCursore(1500);
        VerificaDisposizione(p);
        Fotografa(std::string("logger-dal-vivo-") + m.nome + "-en.png");
        p->OptRun[1]->setChecked(true);
        Piattaforma::ImpostaAcceleratoreOrologio(1);
        // Stopped: Save is on again, and looks it.
        EXPECT_TRUE(p->CmdSaveLogOsc->isEnabled());
        Fotografa(std::string("logger-fermato-") + m.nome + "-en.png");
        lingue_.IdLingua(1);
        p->CaricaLingua();
        Fotografa(std::string("logger-fermato-") + m.nome + "-it.png");
        lingue_.IdLingua(0);
        p->CaricaLingua();

        Piattaforma::Copione::AccodaFile(QString::fromStdString(cartella_.File(std::string("Data/") + m.nome + ".vfl")));
        p->CmdSaveLogOsc_Click();
        ASSERT_EQ(ModBlck::StatoRegistrazione, 0);
        EXPECT_GT(ModOscillo::CampioniLog.size(), 100u * 9);
        p->AggiornaCursore(3000);
        EXPECT_TRUE(p->LblTime2->text().startsWith(QStringLiteral("Time: 0'")));
        EXPECT_TRUE(p->LblObdVal->text().startsWith(QStringLiteral("Bank 1")));
        VerificaDisposizione(p);
        Fotografa(std::string("logger-pagine-") + m.nome + "-en.png");
        lingue_.IdLingua(1);
        p->CaricaLingua();
        p->AggiornaCursore(3100);
        EXPECT_TRUE(p->LblObdVal->text().startsWith(QStringLiteral("Bancata 1")));
        EXPECT_EQ(p->CmdOpen->Caption().toStdString(), "Apri");
        VerificaDisposizione(p);
        Fotografa(std::string("logger-pagine-") + m.nome + "-it.png");
        lingue_.IdLingua(0);
        ModMain::RichiestaPendente = 0;
        f.reset();
    }
}
