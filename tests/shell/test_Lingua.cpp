// The two language screens: the first-start dialog's layout and pick, and the
// home page's strip with its five buttons and the reload of every page.
#include <QtCore/QCoreApplication>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QtWidgets/QApplication>
#include <QtWidgets/QRadioButton>
#include <gtest/gtest.h>

#include "FissaggioShell.h"
#include "controls/PulsanteGrafico.h"
#include "core/ClsLingue.h"
#include "shell/FRM_ZEBLanguage.h"
#include "shell/FrmLingua.h"
#include "support/ClicProva.h"
#include "support/SupportoTest.h"

namespace {

// A dictionary of n languages ("L0" ... with two entries each) as the current one.
class Dizionario {
public:
    explicit Dizionario(int lingue, int corrente = 0) {
        std::string diz;
        for (int i = 0; i < lingue; ++i)
            diz += "###\r\n#L" + std::to_string(i) + "&0\r\nTitle" + std::to_string(i) + "\r\nText\r\n";
        base_.Scrivi("lng/diz.diz", diz);
        base_.Scrivi("lng/diz.con", std::to_string(corrente) + "\r\n");
        d_.PathDizionario(base_.File("lng/diz.diz"));
        d_.PathAttualeLingua(base_.File("lng/diz.con"));
        d_.LoadDizionario();
        precedente_ = ModMain::Dizionario;
        ModMain::Dizionario = &d_;
    }
    ~Dizionario() { ModMain::Dizionario = precedente_; }
    std::string Con() const { return base_.Leggi("lng/diz.con"); }
    ClsLingue d_;

private:
    SupportoTest::CartellaBase base_{false};
    ClsLingue* precedente_ = nullptr;
};

void Rilascia(QWidget* w, Qt::MouseButton tasto = Qt::LeftButton) {
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent e(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), tasto, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

using SupportoTest::Clic;

} // namespace

TEST(FrmLingua, TreLingueInRigheDiDue) {
    Dizionario diz(3);
    FrmLingua f;
    f.Form_Load();
    ASSERT_EQ(f.Option1.size(), 3u);
    EXPECT_EQ(f.PosizioneOption1[0].Left, 240);
    EXPECT_EQ(f.PosizioneOption1[0].Top, 360);
    EXPECT_EQ(f.PosizioneOption1[1].Left, 3375);
    EXPECT_EQ(f.PosizioneOption1[1].Top, 360);
    EXPECT_EQ(f.PosizioneOption1[2].Left, 240);
    EXPECT_EQ(f.PosizioneOption1[2].Top, 900);
    EXPECT_EQ(f.AltezzaTwips, 2070);
    EXPECT_EQ(f.Option1[2]->geometry(), QRect(16, 60, 201, 28));
    EXPECT_EQ(f.Option1[1]->text(), "L1");
    for (auto* o : f.Option1) EXPECT_FALSE(o->isChecked());
    // Caption: entry 0 of language 0, then the version text.
    EXPECT_TRUE(f.windowTitle().startsWith("Title0"));
}

TEST(FrmLingua, SoloIlRilascioDelMouseScegliePoiChiude) {
    Dizionario diz(3);
    FrmLingua f;
    f.Form_Load();
    f.show();

    // Esc, the close box and the keyboard do not pick.
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&f, &esc);
    QCloseEvent chiudi;
    QSpontaneKeyEvent::setSpontaneous(&chiudi);
    QCoreApplication::instance()->notify(&f, &chiudi);
    EXPECT_FALSE(chiudi.isAccepted());
    QKeyEvent spazio(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(f.Option1[2], &spazio);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(diz.Con(), "0\r\n");

    // A right-button release over option 2 picks language 2.
    Rilascia(f.Option1[2], Qt::RightButton);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(diz.Con(), "2\r\n");
    EXPECT_EQ(diz.d_.VoceDizionario(2, 0), "Mondaro VX9 Redadi");
    EXPECT_EQ(diz.d_.VoceDizionario(1, 0), "Title1");
}

TEST(FRM_ZEBLanguage, UnaLinguaUnPulsantePremuto) {
    Dizionario diz(1);
    FRM_ZEBLanguage f;
    f.Form_Load();
    EXPECT_FALSE(f.BUT_Lang[0]->isHidden());
    EXPECT_TRUE(f.BUT_Lang[0]->Value());
    EXPECT_EQ(f.BUT_Lang[0]->Caption(), "L0");
    EXPECT_EQ(f.BUT_Lang[0]->toolTip(), "L0");
    for (int k = 1; k < 5; ++k) EXPECT_TRUE(f.BUT_Lang[static_cast<size_t>(k)]->isHidden()) << k;
    EXPECT_EQ(f.BUT_Lang[3]->geometry(), QRect(MDIFrm::Pixel(263 + 2310 * 3), MDIFrm::Pixel(128), 149, 33));
}

TEST(FRM_ZEBLanguage, SeiLingueMostranoLePrimeCinque) {
    // More languages than buttons: the first five, no button past the row.
    Dizionario diz(6, 5);
    FRM_ZEBLanguage f;
    f.Form_Load();
    ASSERT_EQ(f.BUT_Lang.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        const auto* b = f.BUT_Lang[static_cast<size_t>(k)];
        EXPECT_FALSE(b->isHidden()) << k;
        EXPECT_EQ(b->Caption(), QString("L%1").arg(k));
        EXPECT_FALSE(b->Value()) << k; // the current language (5) has no button here
    }
}

TEST(FRM_ZEBLanguage, RidimensionamentoProporzionale) {
    Dizionario diz(2);
    FRM_ZEBLanguage f;
    f.Form_Load();
    f.show();
    const QRect prima = f.BUT_Lang[1]->geometry();
    f.resize(f.width() * 2, f.height());
    const QRect dopo = f.BUT_Lang[1]->geometry();
    // Twice as far and as wide, give or take the rounding of one pixel.
    EXPECT_NEAR(dopo.x(), prima.x() * 2, 1);
    EXPECT_NEAR(dopo.width(), prima.width() * 2, 1);
    EXPECT_EQ(dopo.y(), prima.y());
    EXPECT_EQ(dopo.height(), prima.height());
    f.resize(f.width() / 2, f.height());
    EXPECT_EQ(f.BUT_Lang[1]->geometry(), prima);
}

namespace {

class LinguaPagineTest : public FissaggioShell {};

} // namespace

TEST_F(LinguaPagineTest, PressioneRicaricaOgniPaginaInOrdine) {
    Dizionario diz(2);
    ModMain::PaginaCorrente = SCHEDA_SENSORI;
    auto* f = MDIFrm::IstanzaFRM_ZEBLanguage;
    ASSERT_NE(f, nullptr);
    f->CaricaLingua();
    chiamate.clear();

    // A press while the strip fills its buttons does nothing.
    f->Caricamento = true;
    f->BUT_Lang_Click(1);
    f->Caricamento = false;
    EXPECT_TRUE(chiamate.empty());
    EXPECT_EQ(diz.Con(), "0\r\n");

    Clic(f->BUT_Lang[1]);
    EXPECT_EQ(diz.Con(), "1\r\n");
    EXPECT_EQ(diz.d_.VoceDizionario(1, 0), "Mondaro VX9 Redadi");
    const std::vector<std::string> attese = {
        "FRM_ZEBLanguage.CaricaLingua", "FrmError.CaricaLingua", "FrmError.RiempiCmbSwtch",
        "FRM_ZEBMenuTop.CaricaLingua", "FRM_ZEBMenuTop2.CaricaLingua", "FRM_ZEBMenuTop3.CaricaLingua",
        "FRM_ZEBMain.CaricaLingua", "FRM_ZEBMenu.CaricaLingua", "FRM_ZEBCommutazione.CaricaLingua",
        "FRM_ZEBCommutazione.RiempiCmbSwtch", "FRM_ZEBDashBoard.CaricaLingua", "FRM_ZEBLambda.CaricaLingua",
        "FRM_ZEBLambda.RiempiCmbSwtch", "FrmFirmware.CaricaLingua", "FrmInjSetPopUp.CaricaLingua",
        "FrmAutoTuning.CaricaLingua", "FRM_ZEBSensori.CaricaLingua", "FRM_ZEBSensori.RiempiCmbSwtch",
        "FRM_ZEBGestione.CaricaLingua", "FrmLogger.CaricaLingua", "FrmObd.CaricaLingua", "FrmObd.RiempiCmbSwtch",
        "FrmMatrix0.CaricaLingua", "FRM_ZEBCarburazione1.CaricaLingua", "FrmMatrix1.CaricaLingua",
        "FrmMatrix2.CaricaLingua", "FRM_ZEBCarburazione2.CaricaLingua", "FrmSeqInj.CaricaLingua",
        "FRM_ZEBCarburazione0.CaricaLingua", "FRM_ZEBLoadSave.CaricaLingua", "FRM_ZEBinjDir.CaricaLingua",
        "FrmInjDirAcq1.CaricaLingua", "FrmInjDirAcq2.CaricaLingua", "FrmInjDirAcq3.CaricaLingua",
        "FrmInjDirAcq4.CaricaLingua"};
    ASSERT_GT(chiamate.size(), attese.size());
    EXPECT_EQ(std::vector<std::string>(chiamate.begin(), chiamate.begin() + static_cast<long>(attese.size())), attese);
    // Then the current page is selected again.
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_SENSORI);
    EXPECT_NE(std::find(chiamate.begin() + static_cast<long>(attese.size()), chiamate.end(),
                        "FRM_ZEBSensori.AggiornaLivelliVisualizzazione"),
              chiamate.end());
    // The strip now shows language 1 pressed.
    EXPECT_TRUE(f->BUT_Lang[1]->Value());
    EXPECT_FALSE(f->BUT_Lang[0]->Value());

    // A press on the language already current reloads everything again.
    chiamate.clear();
    f->BUT_Lang_Click(1);
    EXPECT_EQ(std::vector<std::string>(chiamate.begin(), chiamate.begin() + static_cast<long>(attese.size())), attese);
}
