// The port-search and connected panels: STOP, the running bar, the icon by
// link state, the port combo writing bin/PortCom.ini, the expert switch and
// the home button.
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <gtest/gtest.h>

#include "FissaggioShell.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainPercorsi.h"
#include "link/ModMainPorte.h"
#include "platform/Orologio.h"
#include "shell/FRM_ZEBConnected.h"
#include "shell/FRM_ZEBPortSearch.h"
#include "support/ClicProva.h"
#include "support/SupportoTest.h"

namespace {

using SupportoTest::Clic;

class PannelliTest : public FissaggioShell {
protected:
    void SetUp() override {
        FissaggioShell::SetUp();
        percorso_ = ModMain::PercorsoPortCom;
        porte_ = ModMain::ListaPorte;
        ModMain::PercorsoPortCom = base_.File("bin/PortCom.ini");
        ModMain::LineaPersa = 0;
        ModMain::RiconnessioneRichiesta = 0;
        c = MDIFrm::IstanzaFRM_ZEBConnected;
        s = MDIFrm::IstanzaFRM_ZEBPortSearch;
        ASSERT_NE(c, nullptr);
        ASSERT_NE(s, nullptr);
    }
    void TearDown() override {
        ModMain::PercorsoPortCom = percorso_;
        ModMain::ListaPorte = porte_;
        ModMain::LineaPersa = 0;
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        FissaggioShell::TearDown();
    }
    FRM_ZEBConnected* c = nullptr;
    FRM_ZEBPortSearch* s = nullptr;
    SupportoTest::CartellaBase base_{false};

private:
    std::string percorso_;
    std::vector<RecordPorta> porte_;
};

} // namespace

TEST_F(PannelliTest, StopAlzaLineaPersaEBarraRiparte) {
    Clic(s->BUT_STOP);
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 0);

    QProgressBar* b = s->PRG[0];
    b->setValue(b->maximum() - 1);
    s->TMR_Timer();
    EXPECT_EQ(b->value(), b->maximum());
    s->TMR_Timer();
    EXPECT_EQ(b->value(), b->minimum());
    EXPECT_TRUE(s->TMR->isActive());
    EXPECT_EQ(s->TMR->interval(), 100);
}

TEST_F(PannelliTest, IconaSecondoStatoEFlag) {
    struct Caso {
        int32_t stato;
        uint8_t riconnessione, persa;
        uint8_t riconnessioneDopo, persaDopo;
    };
    const Caso casi[] = {
        {STATO_OFFLINE, 0, 0, 1, 0},   // offline: connect again
        {STATO_OFFLINE, 1, 0, 1, 0},   // a reconnect already pending: nothing
        {STATO_RICERCA, 0, 0, 0, 1},   // searching: stop
        {STATO_CONNESSO, 0, 0, 0, 1},  // connected: drop the link
        {STATO_ESECUZIONE, 0, 0, 0, 1},
        {STATO_CONNESSO, 0, 1, 0, 1},
        {STATO_USCITA, 0, 0, 0, 0},    // exiting, firmware, calibration: nothing
        {STATO_FIRMWARE, 0, 0, 0, 0},
        {STATO_TARATURA, 0, 0, 0, 0},
    };
    for (const Caso& k : casi) {
        ModMain::StatoConnessione = k.stato;
        ModMain::RiconnessioneRichiesta = k.riconnessione;
        ModMain::LineaPersa = k.persa;
        Clic(c->IMG);
        EXPECT_EQ(ModMain::RiconnessioneRichiesta, k.riconnessioneDopo) << k.stato;
        EXPECT_EQ(ModMain::LineaPersa, k.persaDopo) << k.stato;
    }
    // Each click beeps low and short.
    const auto& ev = Piattaforma::Copione::Eventi();
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev.back().frequenzaHz, 50);
    EXPECT_EQ(ev.back().durataMs, 250);
}

TEST_F(PannelliTest, ComboScriveLaPortaSoloSeScelta) {
    ModMain::ListaPorte = {RecordPorta{0, 0}, RecordPorta{4, 1}, RecordPorta{12, 2}};
    QComboBox* cmb = c->CMB_Seriali;
    cmb->clear();
    for (const auto& p : ModMain::ListaPorte) cmb->addItem(QString::fromStdString(ModMain::TestoPorta(p)));

    // Filling the list and a choice made by code are not the user's pick.
    cmb->setCurrentIndex(2);
    EXPECT_FALSE(std::filesystem::exists(ModMain::PercorsoPortCom));
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 0);

    cmb->setCurrentIndex(0);
    emit cmb->activated(0); // the user picks "USB"
    EXPECT_EQ(ModMain::LeggiPortaRicordata(), 0);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);

    ModMain::RiconnessioneRichiesta = 0;
    cmb->setCurrentIndex(2);
    emit cmb->activated(2);
    EXPECT_EQ(ModMain::LeggiPortaRicordata(), 12);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);

    // While the connect procedure holds the combo disabled nothing happens.
    ModMain::RiconnessioneRichiesta = 0;
    cmb->setEnabled(false);
    cmb->setCurrentIndex(1);
    c->CMB_Seriali_Click();
    EXPECT_EQ(ModMain::LeggiPortaRicordata(), 12);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 0);
    cmb->setEnabled(true);
}

TEST_F(PannelliTest, InterruttoreEspertoEPulsanteCasa) {
    Piattaforma::ImpostaAcceleratoreOrologio(20.0);
    ModMain::PaginaCorrente = SCHEDA_SENSORI;
    f->SelezioneScheda(SCHEDA_SENSORI);
    const QPoint posto = c->BUT_EXP[0]->pos();

    // Off: only the expert level comes on.
    chiamate.clear();
    c->BUT_EXP_Click(0);
    EXPECT_EQ(ModMain::LivelloExp, -1);
    EXPECT_EQ(ModMain::LivelloSup, 0);
    EXPECT_EQ(c->BUT_EXP[0]->pos(), posto);
    EXPECT_NE(std::find(chiamate.begin(), chiamate.end(), "FRM_ZEBSensori.AggiornaLivelliVisualizzazione"),
              chiamate.end());

    // On, with the second level too: all three go off.
    ModMain::LivelloSup = -1;
    ModMain::LivelloAut = -1;
    c->BUT_EXP_Click(1);
    EXPECT_EQ(ModMain::LivelloExp, 0);
    EXPECT_EQ(ModMain::LivelloSup, 0);
    EXPECT_EQ(ModMain::LivelloAut, 0);
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_SENSORI);

    Clic(c->BUT_HOME);
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_HOME);
}
