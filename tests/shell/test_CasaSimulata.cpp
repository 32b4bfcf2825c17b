// The main window offscreen, its live blocks read from the simulated ECU over
// a few display ticks: the home gauge page and the dashboard strip show values
// that move. With MONDARO_SCREENSHOT_DIR set it also saves pictures of the home
// pages in English and Italian, to look at by eye.
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QRegularExpression>
#include <QtWidgets/QLabel>
#include <gtest/gtest.h>
#include <memory>
#include <set>

#include "CentralinaSimulata.h"
#include "FissaggioShell.h"
#include "controls/PowerIndicatore.h"
#include "controls/SlideIndicatore.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"
#include "support/DizionarioProva.h"
#include "support/SupportoTest.h"

namespace {

class CasaSimulata : public ::testing::Test {
protected:
    void SetUp() override {
        salvato_.emplace(TabellaBlocchi, ModMain::BloccoAppoggio, ModBlck::PassoDecodificaTipo, ModMain::StatoConnessione,
                         ModMain::PaginaCorrente, ModMain::Dizionario);
        Piattaforma::Copione::Azzera();
        ModMain::UscitaRichiesta = 0;
        ModMain::RichiestaPendente = 0;
        ModMain::StatoConnessione = STATO_CONNESSO;

        ModBlck::LeggiSetCom(base_.File("bin/SetCom.ini"));
        ModBlck::InstallaPassiTipo();
        SupportoTest::CaricaDizionario(lingue_, base_.File("lng/diz.diz"), base_.File("lng/diz.con"));

        ecu_ = std::make_unique<Simulazione::CentralinaSimulata>(base_.File("bin/SetCom.ini"));
        ecu_->orologio = [this] { return secondi_; };

        f = FinestraSenzaTimer(1280, 800);
        // Each bar's blink timer is left running: it only recolours its captions.
    }
    void TearDown() override {
        f.reset();
        ecu_.reset();
        salvato_.reset();
        ModMain::UscitaRichiesta = 0;
        ModMain::RichiestaPendente = 0;
        Piattaforma::Copione::Azzera();
    }

    // Every block read from the ECU at the current simulated time, as polling would.
    void LeggiBlocchi() {
        for (auto& b : TabellaBlocchi) {
            if (b.TramaRichiesta.empty()) continue;
            const std::string r = ecu_->Rispondi(ModGlobFunct::ConvertiHexInTesto(b.TramaRichiesta));
            if (r.empty()) continue;
            if (&b == &TabellaBlocchi[0]) {
                // The identification record is kept without the frame around it, as connecting stores it.
                b.UltimaRisposta = r.size() > 6 ? r.substr(5, r.size() - 6) : std::string();
                continue;
            }
            b.UltimaRisposta = r;
            ModBlck::DecodificaBlocco(r, b);
        }
    }

    void Fotografa(const char* nome) {
        SupportoTest::Fotografa(f.get(), nome, 5);
    }

    void CambiaLingua(int16_t lingua) {
        lingue_.IdLingua(lingua);
        MDIFrm::IstanzaFRM_ZEBMain->CaricaLingua();
        MDIFrm::IstanzaFRM_ZEBMenu->CaricaLingua();
        MDIFrm::IstanzaFRM_ZEBMenuTop->CaricaLingua();
        MDIFrm::IstanzaFRM_ZEBMenuTop2->CaricaLingua();
        MDIFrm::IstanzaFRM_ZEBMenuTop3->CaricaLingua();
        MDIFrm::IstanzaFRM_ZEBDashBoard->CaricaLingua();
    }

    std::unique_ptr<MDIFrm::MDIForm> f;
    double secondi_ = 0;

private:
    SupportoTest::CartellaBase base_;
    ClsLingue lingue_;
    std::unique_ptr<Simulazione::CentralinaSimulata> ecu_;
    std::optional<SupportoTest::Ripristino> salvato_;
};

bool Numero(const QString& t, const char* forma) {
    return QRegularExpression(QString::fromLatin1(forma)).match(t.trimmed()).hasMatch();
}

} // namespace

TEST_F(CasaSimulata, ValoriLiveSiMuovonoSullaPaginaESulCruscotto) {
    ASSERT_GT(TabellaBlocchi.size(), 16u);
    LeggiBlocchi();
    f->SelezioneScheda(SCHEDA_PRINCIPALE);
    auto* main = MDIFrm::IstanzaFRM_ZEBMain;
    auto* cruscotto = MDIFrm::IstanzaFRM_ZEBDashBoard;
    cruscotto->show();

    std::set<std::string> giri, pressioni, tempi, giriCruscotto;
    for (int tick = 0; tick < 4; ++tick) {
        secondi_ = 1.0 + 2.7 * tick;
        LeggiBlocchi();
        f->Timer2_Timer();
        const QString rpm = QString::fromStdString(main->PI_RPM->SL_STRVal());
        EXPECT_TRUE(Numero(rpm, "^[0-9]{3,5}$")) << rpm.toStdString();
        EXPECT_TRUE(Numero(QString::fromStdString(main->PI_Press->SL_STRVal()), "^[0-9]+[.,][0-9]{2}$"));
        EXPECT_TRUE(Numero(main->LAB_Cil_Ben[0]->text(), "^[0-9]{2}[.,][0-9]{2}$")) << main->LAB_Cil_Ben[0]->text().toStdString();
        if (!main->SLD_Lambda1->isHidden()) {
            EXPECT_TRUE(Numero(QString::fromStdString(main->SLD_Lambda1->SL_STRVal()), "^[0-9][.,][0-9]{3} V$"));
        }
        EXPECT_TRUE(Numero(cruscotto->LABDXL[4]->text(), "^[0-9]{3,5}$")) << cruscotto->LABDXL[4]->text().toStdString();
        EXPECT_TRUE(Numero(cruscotto->LABDXH[0]->text(), "^[0-9]+[.,][0-9]{2}$"));
        EXPECT_TRUE(Numero(cruscotto->LABDXH[1]->text(), "^-?[0-9]+$"));
        EXPECT_FALSE(cruscotto->LABDXH[4]->text().isEmpty()); // the state text
        giri.insert(rpm.toStdString());
        pressioni.insert(main->PI_Press->SL_STRVal());
        tempi.insert(main->LAB_Cil_Ben[0]->text().toStdString());
        giriCruscotto.insert(cruscotto->LABDXL[4]->text().toStdString());
    }
    EXPECT_GT(giri.size(), 1u);
    EXPECT_GT(pressioni.size(), 1u);
    EXPECT_GT(tempi.size(), 1u);
    EXPECT_GT(giriCruscotto.size(), 1u);

    // Pictures of the home gauge page and the home menu, in both languages,
    // with both lambda inputs in use so that the sliders show.
    TabellaBlocchi.at(11).Valori.at(69) = 1;
    TabellaBlocchi.at(11).Valori.at(70) = 1;
    f->show();
    for (int16_t lingua : {int16_t(0), int16_t(1)}) {
        CambiaLingua(lingua);
        const std::string suffisso = lingua == 0 ? "en" : "it";
        f->SelezioneScheda(SCHEDA_PRINCIPALE);
        cruscotto->show();
        f->Timer2_Timer();
        Fotografa(("casa-principale-" + suffisso + ".png").c_str());
        f->SelezioneScheda(SCHEDA_HOME);
        f->Timer2_Timer();
        Fotografa(("casa-menu-" + suffisso + ".png").c_str());
        EXPECT_FALSE(MDIFrm::IstanzaFRM_ZEBMenu->BUT_Round[7]->Caption().isEmpty());
        EXPECT_FALSE(main->LBL_TitoloCorrezioni->text().isEmpty());
    }
}
