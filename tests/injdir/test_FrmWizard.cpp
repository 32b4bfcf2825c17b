// The map-cell learning wizard fed fixed map indexes: the start conditions,
// 101 samples and their rounded means, the staged threshold bytes and
// request 28, the failure band and closing without a write.
#include "injdir/FissaggioInjDir.h"

#include <QtCore/QDir>
#include <QtCore/QPointer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include "controls/PulsanteGrafico.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "injdir/FrmWizard.h"

namespace {

class Wizard : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        unita_ = ModMain::UnitaRpm;
        ModMain::UnitaRpm = 128;
        for (uint8_t k = 0; k < 16; ++k) ModMain::MatSoglie[k] = static_cast<uint8_t>(100 + k);
        w_ = new FrmWizard();
        w_->setAttribute(Qt::WA_DeleteOnClose, false);
        w_->PassoWizard = 150;
        w_->Form_Load();
        ModMain::WizardAttivo = -1;
        w_->IndiceCarico = [this] { return carico_; };
        w_->IndiceGiri = [this] { return giri_; };
    }
    void TearDown() override {
        delete w_.data();
        ModMain::UnitaRpm = unita_;
        ModMain::WizardAttivo = 0;
        FissaggioImpostazioni::TearDown();
    }
    void Motore(int32_t carburante, int32_t giri, int32_t corsa) {
        Imposta(2, 1, carburante);
        Imposta(1, 32, giri);
        Imposta(1, 37, corsa);
    }
    void Campiona(int n) {
        for (int i = 0; i < n; ++i) w_->TMR_Wizard_Proc();
    }
    QPointer<FrmWizard> w_;
    int32_t carico_ = 3, giri_ = 2;
    int32_t unita_ = 0;
};

TEST_F(Wizard, CondizioniNonValideRestaAlPasso150) {
    const struct {
        int32_t carburante, giri, corsa;
    } casi[] = {{1, 2000, 1}, {0, 0, 1}, {0, 2000, 0}};
    for (const auto& c : casi) {
        Motore(c.carburante, c.giri, c.corsa);
        w_->CMD_Si_Click();
        w_->TMR_Wizard_Proc();
        EXPECT_EQ(w_->PassoWizard, 150);
        EXPECT_TRUE(w_->TXT_Istruzioni->text().startsWith(QString::fromStdString(Voce("[Frm_Wizard]", 7))));
        EXPECT_TRUE(w_->TXT_Istruzioni->text().endsWith(QString::fromStdString(Voce("[Frm_Wizard]", 2))));
    }
}

TEST_F(Wizard, CentoUnCampioniPoiSiScriveIByte) {
    Motore(0, 2000, 1);
    w_->CMD_Si_Click();
    w_->TMR_Wizard_Proc();
    ASSERT_EQ(w_->PassoWizard, 151);
    Campiona(100);
    EXPECT_EQ(w_->PassoWizard, 151);
    EXPECT_EQ(w_->Prog_Bar->value(), 99);
    Campiona(1);
    EXPECT_EQ(w_->Prog_Bar->value(), 100);
    ASSERT_EQ(w_->PassoWizard, 152);
    EXPECT_EQ(w_->CellaCarico, 4);
    EXPECT_EQ(w_->CellaGiri, 3);
    EXPECT_TRUE(w_->TXT_Istruzioni->text().contains(QStringLiteral(": 0.64")));
    EXPECT_TRUE(w_->TXT_Istruzioni->text().contains(QStringLiteral(": 2048")));
    // Yes waits for the free slot, then stages bytes 11 and 5 and posts 28.
    w_->CMD_Si_Click();
    ModMain::RichiestaPendente = 13;
    w_->TMR_Wizard_Proc();
    EXPECT_EQ(ModMain::MatSoglieModificata[11], 0);
    ModMain::RichiestaPendente = 0;
    w_->TMR_Wizard_Proc();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OPTIONS);
    EXPECT_EQ(ModMain::MatSoglieModificata[11], 4);
    EXPECT_EQ(ModMain::MatSoglieModificata[5], 3);
    EXPECT_EQ(ModMain::MatSoglieModificata[0], 100);
    EXPECT_EQ(ModMain::MatSoglieModificata[15], 115);
    EXPECT_EQ(ModMain::WizardAttivo, 0);
}

TEST_F(Wizard, NoAzzeraIByteFasciaAltaFallisce) {
    Motore(0, 2000, 1);
    w_->CMD_Si_Click();
    w_->TMR_Wizard_Proc();
    Campiona(101);
    w_->CMD_No_Click();
    w_->TMR_Wizard_Proc();
    EXPECT_EQ(ModMain::MatSoglieModificata[11], 0);
    EXPECT_EQ(ModMain::MatSoglieModificata[5], 0);
    EXPECT_EQ(ModMain::MatSoglieModificata[6], 106);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OPTIONS);

    // The highest band of either index is refused; only exit ends it.
    ModMain::RichiestaPendente = 0;
    w_->PassoWizard = 150;
    carico_ = 14;
    w_->CMD_Si_Click();
    w_->TMR_Wizard_Proc();
    Campiona(101);
    EXPECT_EQ(w_->PassoWizard, 200);
    EXPECT_EQ(w_->TXT_Istruzioni->text().toStdString(), Voce("[Frm_Wizard]", 29));
    w_->TMR_Wizard_Proc();
    EXPECT_FALSE(w_->CMD_Si->isEnabled());
    EXPECT_TRUE(w_->CMD_Ex->isEnabled());
    ModMain::WizardAttivo = -1;
    w_->CMD_Ex_Click();
    w_->TMR_Wizard_Proc();
    EXPECT_EQ(ModMain::WizardAttivo, 0);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(Wizard, ChiusuraSenzaScrittura) {
    Motore(0, 2000, 1);
    w_->CMD_Si_Click();
    w_->TMR_Wizard_Proc();
    Campiona(101);
    ASSERT_EQ(w_->PassoWizard, 152);
    w_->show();
    w_->close();
    EXPECT_EQ(ModMain::WizardAttivo, 0);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(Wizard, Immagini) {
    const char* cartella = std::getenv("MONDARO_SCREENSHOT_DIR");
    for (int16_t lingua : {0, 1}) {
        ModMain::Dizionario->IdLingua(lingua);
        w_->Form_Load();
        Motore(0, 2000, 1);
        w_->CMD_Si_Click();
        w_->TMR_Wizard_Proc();
        Campiona(101);
        EXPECT_EQ(w_->PassoWizard, 152);
        w_->show();
        if (cartella)
            w_->grab().save(QDir(QString::fromLocal8Bit(cartella)).filePath(QStringLiteral("wizard_%1.png").arg(lingua)));
        w_->PassoWizard = 150;
    }
    ModMain::Dizionario->IdLingua(0);
}

} // namespace
