// Keys reach every page whatever holds its focus: Esc and the display-level
// hot key, pressed and released on a drawn button, a read-only text box, a
// list or a grid of each page and popup, and the injector popup's service key
// right after the popup opens. A key whose press closed a message box or a
// drop-down list does nothing more when it is let go; an open popup keeps the
// keyboard however often Tab is pressed.
#include "FissaggioShell.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "controls/AnteprimaTasti.h"
#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainTasti.h"
#include "settings/FrmInjSetPopUp.h"
#include "support/ClicProva.h"
#include "support/TastiProva.h"
#include "switchover/FRM_ZEBCommutazione.h"

namespace {

struct Tipo {
    const char* nome;
    std::function<bool(QWidget*)> e;
};
const Tipo Tipi[] = {
    {"drawn button", [](QWidget* w) { return qobject_cast<PulsanteGrafico*>(w) != nullptr; }},
    {"read-only box",
     [](QWidget* w) {
         auto* t = qobject_cast<QLineEdit*>(w);
         return t && t->isReadOnly() && !qobject_cast<QComboBox*>(w->parentWidget());
     }},
    {"list", [](QWidget* w) { return qobject_cast<QComboBox*>(w) != nullptr; }},
    {"grid", [](QWidget* w) { return qobject_cast<GrigliaDati*>(w) != nullptr; }},
};

// The form whose keys a control's keys are.
QWidget* FormaDi(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (dynamic_cast<FormaConTasti*>(w)) return w;
    return nullptr;
}

// The first control of that kind the user can reach on the form.
QWidget* Primo(QWidget* forma, const Tipo& tipo) {
    for (QWidget* w : forma->findChildren<QWidget*>())
        if (tipo.e(w) && w->isVisible() && w->isEnabled() && FormaDi(w) == forma) return w;
    return nullptr;
}

// Each message box, once shown, gets an Esc press from the keyboard (only the
// press: where the release goes is the test's business).
class EscSuOgniMessaggio : public QObject {
public:
    EscSuOgniMessaggio() { QCoreApplication::instance()->installEventFilter(this); }
    ~EscSuOgniMessaggio() override { QCoreApplication::instance()->removeEventFilter(this); }
    int mostrati = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* box = qobject_cast<QMessageBox*>(o);
        if (box && e->type() == QEvent::Show) {
            ++mostrati;
            QMetaObject::invokeMethod(
                box, [box] { SupportoTest::PremiSu(box, Qt::Key_Escape); }, Qt::QueuedConnection);
        }
        return false;
    }
};

// Real dialogs for one test; scripted again after it.
struct DialoghiVeri {
    DialoghiVeri() { Piattaforma::Copione::Attiva(false); }
    ~DialoghiVeri() { Piattaforma::Copione::Attiva(true); }
};

class TastiPagine : public FissaggioShell {
protected:
    void SetUp() override {
        FissaggioShell::SetUp();
        ASSERT_TRUE(SupportoTest::Attiva(f.get()));
    }
};

} // namespace

TEST_F(TastiPagine, EscEIlTastoDeiLivelliDaOgniControllo) {
    using namespace MDIFrm;
    struct Caso {
        int32_t pagina;
        QWidget* forma;
        int32_t dopoEsc; // the page Esc leads to
    };
    const Caso casi[] = {
        {0, IstanzaFRM_ZEBMain, 24},         {1, IstanzaFrmLogger, 24},
        {3, IstanzaFrmInjSetPopUp, 3},       {5, IstanzaFrmAutoTuning, 5},
        {7, IstanzaFrmObd, 24},              {8, IstanzaFrmCompensa, 24},
        {11, IstanzaFrmError, 24},           {12, IstanzaFrmMatrix0, 24},
        {13, IstanzaFrmFirmware, 24},        {17, IstanzaFRM_ZEBLambda, 24},
        {22, IstanzaFrmSeqInj, 22},          {24, IstanzaFRM_ZEBMenu, 24},
        {25, IstanzaFRM_ZEBCommutazione, 24}, {26, IstanzaFRM_ZEBSensori, 24},
        {27, IstanzaFRM_ZEBCarburazione0, 24}, {44, IstanzaFRM_ZEBGestione, 24},
        {45, IstanzaFRM_ZEBLoadSave, 24},     {46, IstanzaFRM_ZEBinjDir, 24},
        {47, IstanzaFrmMatrix1, 24},         {48, IstanzaFRM_ZEBCarburazione1, 48},
        {49, IstanzaFrmMatrix2, 24},         {50, IstanzaFRM_ZEBCarburazione2, 50},
        {51, IstanzaFrmInjDirAcq1, 24},      {52, IstanzaFrmInjDirAcq2, 24},
        {53, IstanzaFrmInjDirAcq3, 24},      {54, IstanzaFrmInjDirAcq4, 24},
    };
    std::map<std::string, int> perTipo;
    for (const Caso& c : casi) {
        f->SelezioneScheda(c.pagina);
        // The form itself, then one control of each kind it holds.
        std::vector<std::pair<std::string, QWidget*>> fuochi{{"form", c.forma}};
        for (const Tipo& tipo : Tipi)
            if (QWidget* w = Primo(c.forma, tipo)) fuochi.emplace_back(tipo.nome, w);
        for (const auto& [tipo, controllo] : fuochi) {
            ++perTipo[tipo];
            const std::string dove = std::to_string(c.pagina) + ", " + tipo + " " + controllo->objectName().toStdString();
            f->SelezioneScheda(c.pagina);

            ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
            SupportoTest::Batti(SupportoTest::ConFuoco(controllo), Qt::Key_V,
                                Qt::ControlModifier | Qt::AltModifier);
            EXPECT_EQ(ModMain::LivelloExp, -1) << dove;
            ModMain::LivelloExp = 0;

            f->SelezioneScheda(c.pagina);
            Piattaforma::Copione::Azzera();
            Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
            SupportoTest::Batti(SupportoTest::ConFuoco(controllo), Qt::Key_Escape);
            EXPECT_EQ(ModMain::PaginaCorrente, c.dopoEsc) << dove;
            // On the home page Esc asks whether to quit.
            EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), c.pagina == 24 ? 1u : 0u) << dove;
        }
    }
    for (const Tipo& tipo : Tipi) EXPECT_GT(perTipo[tipo.nome], 0) << tipo.nome;
}

TEST_F(TastiPagine, IlTastoDiServizioDelPopupAppenaAperto) {
    using namespace MDIFrm;
    f->SelezioneScheda(SCHEDA_COMMUTAZIONE);
    auto* commutazione = IstanzaFRM_ZEBCommutazione;
    auto* popup = IstanzaFrmInjSetPopUp;
    const int32_t latch = ModMain::TastoXPremuto;
    ModMain::TastoXPremuto = 0;
    // The ">>>" that opens the injector popup, clicked with the focus on it.
    commutazione->CmdTipoInj->setFocus();
    SupportoTest::Clic(commutazione->CmdTipoInj);
    ASSERT_EQ(ModMain::PaginaCorrente, SCHEDA_INIETTORI);
    const auto tutti = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
    SupportoTest::Batti(QApplication::focusWidget(), Qt::Key_X, tutti);
    EXPECT_TRUE(popup->FrmPilotaggioInj->isVisible());
    SupportoTest::Batti(QApplication::focusWidget(), Qt::Key_X, tutti);
    EXPECT_FALSE(popup->FrmPilotaggioInj->isVisible());
    ModMain::TastoXPremuto = latch;
}

TEST_F(TastiPagine, EscChiudeLaDomandaDiUscita) {
    DialoghiVeri veri;
    EscSuOgniMessaggio esc;
    f->SelezioneScheda(SCHEDA_HOME);
    SupportoTest::ConFuoco(MDIFrm::IstanzaFRM_ZEBMenu);
    // Esc on the home page asks whether to quit; Esc pressed on the question
    // answers No and closes it, and is let go over the home page.
    SupportoTest::BattiSu(f.get(), Qt::Key_Escape);
    ASSERT_EQ(esc.mostrati, 1);
    ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
    SupportoTest::RilasciaSu(f.get(), Qt::Key_Escape);
    EXPECT_EQ(esc.mostrati, 1);
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_HOME);
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
    // The next Esc asks again.
    SupportoTest::BattiSu(f.get(), Qt::Key_Escape);
    SupportoTest::RilasciaSu(f.get(), Qt::Key_Escape);
    EXPECT_EQ(esc.mostrati, 2);
}

TEST_F(TastiPagine, EscSuUnaListaApertaChiudeSoloLaLista) {
    using namespace MDIFrm;
    struct Caso {
        int32_t pagina;
        QWidget* forma;
    };
    const Caso casi[] = {{SCHEDA_OBD, IstanzaFrmObd}, {SCHEDA_LAMBDA, IstanzaFRM_ZEBLambda},
                         {SCHEDA_COMMUTAZIONE, IstanzaFRM_ZEBCommutazione}};
    for (const Caso& c : casi) {
        Piattaforma::Copione::Azzera();
        Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
        f->SelezioneScheda(c.pagina);
        auto* lista = qobject_cast<QComboBox*>(Primo(c.forma, Tipi[2]));
        ASSERT_NE(lista, nullptr) << c.pagina;
        SupportoTest::ConFuoco(lista);
        SupportoTest::Clic(lista);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr) << c.pagina;
        SupportoTest::BattiSu(f.get(), Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << c.pagina;
        EXPECT_EQ(ModMain::PaginaCorrente, c.pagina);
        // The next Esc leaves the page.
        SupportoTest::BattiSu(f.get(), Qt::Key_Escape);
        EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_HOME) << c.pagina;
        EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty()) << c.pagina;
    }
}

TEST_F(TastiPagine, UnPopupApertoTieneLaTastiera) {
    using namespace MDIFrm;
    struct Caso {
        int32_t pagina;
        QWidget* popup;
    };
    const Caso casi[] = {{SCHEDA_INIETTORI, IstanzaFrmInjSetPopUp}, {SCHEDA_SEQINJ, IstanzaFrmSeqInj}};
    // Eight injectors: every row of the injector popup is shown.
    TabellaBlocchi[3].Valori[1] = 8;
    for (const Caso& c : casi) {
        f->SelezioneScheda(c.pagina);
        ASSERT_TRUE(c.popup->isVisible()) << c.pagina;
        QWidget* primo = f->focusWidget();
        ASSERT_TRUE(c.popup->isAncestorOf(primo)) << c.pagina;
        auto* segno = c.popup->findChild<QWidget*>(QStringLiteral("SegnoFuoco"));
        EXPECT_NE(segno, nullptr) << c.pagina;
        // Round the popup's controls and back to the first, both ways: the
        // focus never leaves it, and a frame shows where it is.
        for (const auto mod : {Qt::NoModifier, Qt::ShiftModifier}) {
            int passi = 0;
            do {
                SupportoTest::BattiSu(f.get(), Qt::Key_Tab, mod);
                QWidget* fuoco = f->focusWidget();
                ASSERT_TRUE(c.popup->isAncestorOf(fuoco)) << c.pagina << " after " << passi + 1 << " Tab";
                if (!segno) continue;
                EXPECT_TRUE(segno->isVisible());
                EXPECT_TRUE(segno->geometry().contains(QRect(fuoco->mapTo(c.popup, QPoint(0, 0)), fuoco->size())));
            } while (f->focusWidget() != primo && ++passi < 100);
            EXPECT_GT(passi, 1) << c.pagina;
            EXPECT_LT(passi, 100) << c.pagina;
        }
        // The popup's keys work wherever the Tabs left the focus.
        ModMain::LivelloExp = 0;
        SupportoTest::BattiSu(f.get(), Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
        EXPECT_EQ(ModMain::LivelloExp, -1) << c.pagina;
        ModMain::LivelloExp = 0;
    }
    // The injector popup's service view, after as many Tabs again.
    f->SelezioneScheda(SCHEDA_INIETTORI);
    auto* popup = IstanzaFrmInjSetPopUp;
    const int32_t latch = ModMain::TastoXPremuto;
    ModMain::TastoXPremuto = 0;
    for (int k = 0; k < 30; ++k) SupportoTest::BattiSu(f.get(), Qt::Key_Tab);
    const auto tutti = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
    SupportoTest::BattiSu(f.get(), Qt::Key_X, tutti);
    EXPECT_TRUE(popup->FrmPilotaggioInj->isVisible());
    SupportoTest::BattiSu(f.get(), Qt::Key_X, tutti);
    EXPECT_FALSE(popup->FrmPilotaggioInj->isVisible());
    ModMain::TastoXPremuto = latch;
}
