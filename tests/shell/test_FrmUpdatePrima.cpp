// The busy overlay's states and the splash's life, fade and Esc.
#include "FissaggioShell.h"

#include <QtCore/QPointer>
#include <QtWidgets/QApplication>

#include "core/ModGlobFunct.h"
#include "platform/Orologio.h"
#include "shell/FrmPrima.h"

namespace {

// Waits `us` microseconds of the program's clock (sped up in these tests).
void AttendiOrologio(double us) {
    const double fine = ModGlobFunct::LeggiMicrosecondi() + us;
    while (ModGlobFunct::LeggiMicrosecondi() < fine) Piattaforma::PausaBreve(1000);
}

class Attesa : public FissaggioShell {
protected:
    void SetUp() override {
        FissaggioShell::SetUp();
        Piattaforma::ImpostaAcceleratoreOrologio(50);
        u = MDIFrm::IstanzaFrmUpdate;
    }
    void TearDown() override {
        Piattaforma::ImpostaAcceleratoreOrologio(1);
        FissaggioShell::TearDown();
    }
    FrmUpdate* u = nullptr;
};

} // namespace

TEST_F(Attesa, RichiestaConAttesaAvviaIlTimerSenzaNo) {
    ASSERT_TRUE(u->isHidden());
    ModMain::RichiediOperazione(REQ_WRITE_BLK2, false);
    EXPECT_FALSE(u->Timer1->isActive());
    ModMain::RichiestaPendente = 0;
    ModMain::RichiediOperazione(REQ_WRITE_BLK2, true);
    EXPECT_TRUE(u->Timer1->isActive());
    // A post into a busy slot neither stores nor restarts anything.
    u->Timer1->stop();
    ModMain::RichiediOperazione(REQ_WRITE_BLK3, true);
    EXPECT_FALSE(u->Timer1->isActive());
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
}

TEST_F(Attesa, LampeggiaFinoA250msDopoLaFineDellaRichiesta) {
    ModMain::RichiediOperazione(REQ_WRITE_BLK2, true);
    std::vector<bool> fasi;
    for (int i = 0; i < 4; ++i) {
        u->Timer1_Timer();
        EXPECT_FALSE(u->isHidden());
        fasi.push_back(u->EtichettaOpaca());
    }
    EXPECT_EQ(fasi, (std::vector<bool>{false, true, false, true}));
    const double ora = ModGlobFunct::LeggiMicrosecondi();
    EXPECT_GT(u->IstanteChiusura, ora);
    EXPECT_LE(u->IstanteChiusura, ora + 250000);

    // The request is done: the overlay stays until the deadline passes.
    ModMain::RichiestaPendente = 0;
    u->Timer1_Timer();
    EXPECT_FALSE(u->isHidden());
    EXPECT_TRUE(u->Timer1->isActive());
    AttendiOrologio(260000);
    u->Timer1_Timer();
    EXPECT_TRUE(u->isHidden());
    EXPECT_FALSE(u->Timer1->isActive());
    EXPECT_EQ(u->IstanteChiusura, 0.0);
}

TEST_F(Attesa, RichiestaGiaFinitaAlPrimoTickMostraENascondeSubito) {
    ModMain::RichiediOperazione(REQ_WRITE_BLK2, true);
    ModMain::RichiestaPendente = 0; // carried out before the overlay's first tick
    u->Timer1_Timer();
    EXPECT_TRUE(u->isHidden());
    EXPECT_FALSE(u->Timer1->isActive());
}

TEST_F(Attesa, LEtichettaRiempieLaFinestra) {
    f->show();
    u->resize(200, 25);
    u->Timer1_Timer();
    EXPECT_EQ(u->Label1->geometry(), QRect(0, 0, 200, 25));
    EXPECT_EQ(u->Label1->text(), QStringLiteral("UPDATE"));
}

TEST(Splash, OpacitaPerTempoResiduo) {
    const std::pair<int32_t, int32_t> casi[] = {
        {4000000, 255}, {800001, 255}, {800000, 255}, {400000, 128}, {1600, 1}, {1, 0}, {0, 0},
    };
    for (const auto& [t, alfa] : casi) EXPECT_EQ(FrmPrima::CalcolaLivelloAlfa(t), alfa) << t;
}

TEST(Splash, CresceEChiudeDopo4Secondi) {
    Piattaforma::ImpostaAcceleratoreOrologio(1);
    QPointer<FrmPrima> s = new FrmPrima;
    EXPECT_EQ(s->size(), QSize(381, 156));
    s->Timer1->stop();
    s->Timer1_Timer();
    EXPECT_EQ(s->size(), QSize(382, 157));
    EXPECT_EQ(s->LivelloAlfa, 255);
    EXPECT_GT(s->TempoResiduo, 3900000);
    // Near the end it fades.
    s->IstanteFine = ModGlobFunct::LeggiMicrosecondi() + 400000;
    s->Timer1_Timer();
    EXPECT_GT(s->LivelloAlfa, 100);
    EXPECT_LT(s->LivelloAlfa, 130);
    // Past the end the next tick closes it.
    s->IstanteFine = ModGlobFunct::LeggiMicrosecondi() - 1;
    s->Timer1_Timer();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(s.isNull());
}

TEST(Splash, EscChiudeAlTickSuccessivo) {
    QPointer<FrmPrima> s = new FrmPrima;
    s->Timer1->stop();
    s->Form_KeyUp(65, 0); // another key does nothing
    s->Timer1_Timer();
    ASSERT_FALSE(s.isNull());
    s->Form_KeyUp(27, 0);
    s->Timer1_Timer();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(s.isNull());
}
