// The common key handler: Esc by page, the quit question on the home page,
// and the level hot key stepping through the levels with the access code.
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QLabel>
#include <gtest/gtest.h>

#include "RegistratoreInterfaccia.h"
#include "core/FrmOPEnterSecret.h"
#include "core/ModMainCodiceOperatore.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainTasti.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "support/SupportoTest.h"

namespace {

constexpr int16_t CtrlAlt = ModMain::MaiuscoloCtrl | ModMain::MaiuscoloAlt;

class TastiTest : public ::testing::Test {
protected:
    void SetUp() override {
        pagina_ = ModMain::PaginaCorrente;
        Azzera();
        Piattaforma::Copione::Azzera();
        ModMain::Tasti.RichiestaUscita = [this] { ++uscite; };
        ModMain::Tasti.RiapriMappetta = [this] { ++riaperture; };
    }
    void TearDown() override {
        ModMain::Tasti = ModMain::AzioniTasto{};
        delete ModMain::IstanzaFrmOPEnterSecret.data();
        ModMain::TabellaCodiciOperatore.clear();
        ModMain::PaginaCorrente = pagina_;
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        Piattaforma::Copione::Azzera();
        Azzera();
    }
    static void Azzera() {
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
        ModMain::CodiceOperatoreAccettato = 0;
    }
    struct Livelli {
        int16_t exp, sup, aut;
        bool operator==(const Livelli&) const = default;
    };
    static Livelli Attuali() { return {ModMain::LivelloExp, ModMain::LivelloSup, ModMain::LivelloAut}; }

    RegistratoreInterfaccia r;
    int uscite = 0;
    int riaperture = 0;

private:
    int32_t pagina_ = 0;
};

} // namespace

TEST_F(TastiTest, EscPerPagina) {
    const int32_t versoHome[] = {0, 1, 7, 8, 11, 12, 13, 17, 25, 26, 27, 44, 45, 46, 47, 49, 51, 52, 53, 54};
    const int32_t nulla[] = {3, 5, 22, 48, 50, 99};
    for (const int32_t p : versoHome) {
        r.Azzera();
        ModMain::PaginaCorrente = p;
        ModMain::GestisciTasto(ModMain::TastoEsc, ModMain::MaiuscoloShift); // whatever the Shift state
        EXPECT_EQ(r.chiamate, std::vector<std::string>{"MDIFrm.SelezioneScheda(24)"}) << p;
    }
    for (const int32_t p : nulla) {
        r.Azzera();
        ModMain::PaginaCorrente = p;
        ModMain::GestisciTasto(ModMain::TastoEsc, 0);
        EXPECT_TRUE(r.chiamate.empty()) << p;
    }
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    EXPECT_EQ(uscite, 0);
}

TEST_F(TastiTest, EscSullaHomeChiedeSeUscire) {
    ModMain::PaginaCorrente = SCHEDA_HOME;
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
    ModMain::GestisciTasto(ModMain::TastoEsc, 0);
    EXPECT_EQ(uscite, 0);
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
    ModMain::GestisciTasto(ModMain::TastoEsc, 0);
    EXPECT_EQ(uscite, 1);
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].pulsanti, Piattaforma::PulsantiMessaggio::SiNo);
    EXPECT_EQ(m[0].titolo, "KR-770 Redadi Injection");
    EXPECT_TRUE(r.chiamate.empty());
}

TEST_F(TastiTest, TastoLivelloConCodiceOperatore) {
    SupportoTest::CartellaBase base;
    const std::string percorsoBase = ModMain::PercorsoBase;
    ModMain::PercorsoBase = base.Percorso();
    ModMain::CaricaDatiCustom();
    ModMain::PercorsoBase = percorsoBase;
    Piattaforma::ImpostaAcceleratoreOrologio(50.0);
    ModMain::PaginaCorrente = SCHEDA_SENSORI;

    // Answers the access-code screen as soon as it is up and waiting (checked
    // on every turn of the event loop, so the machine's speed plays no part).
    auto rispondi = [](bool giusta) {
        auto* t = new QTimer;
        QObject::connect(t, &QTimer::timeout, [t, giusta] {
            auto* f = ModMain::IstanzaFrmOPEnterSecret.data();
            if (!f || !f->isVisible()) return;
            t->stop();
            t->deleteLater();
            const int c = f->LAB_SecretKey_VAL->text().toInt();
            const int32_t a = *ModMain::TabellaCodiciOperatore[static_cast<size_t>(c)];
            f->TxtValue->setText(QString::number(giusta ? a : (a + 1) % 65535));
            f->TxtValue_KeyPress(13);
        });
        t->start(1);
    };

    // 1: level 1.
    ModMain::GestisciTasto(ModMain::TastoLivello, CtrlAlt);
    EXPECT_EQ(Attuali(), (Livelli{-1, 0, 0}));
    // 2: the screen; a wrong answer changes nothing.
    rispondi(false);
    ModMain::GestisciTasto(ModMain::TastoLivello, CtrlAlt);
    EXPECT_EQ(Attuali(), (Livelli{-1, 0, 0}));
    EXPECT_EQ(ModMain::CodiceOperatoreAccettato, 0);
    // 3: the screen again; the right answer opens level 2.
    rispondi(true);
    ModMain::GestisciTasto(ModMain::TastoLivello, CtrlAlt);
    EXPECT_EQ(Attuali(), (Livelli{-1, -1, 0}));
    EXPECT_EQ(ModMain::CodiceOperatoreAccettato, -1);
    // 4: back to level 1; 5: level 2 again without the screen.
    ModMain::GestisciTasto(ModMain::TastoLivello, CtrlAlt);
    EXPECT_EQ(Attuali(), (Livelli{-1, 0, 0}));
    ModMain::IstanzaFrmOPEnterSecret->LAB_SecretKey_VAL->clear();
    ModMain::GestisciTasto(ModMain::TastoLivello, CtrlAlt);
    EXPECT_EQ(Attuali(), (Livelli{-1, -1, 0}));
    EXPECT_TRUE(ModMain::IstanzaFrmOPEnterSecret->LAB_SecretKey_VAL->text().isEmpty()); // not reopened

    // Every press re-selects the current page and offers the map window a rebuild.
    EXPECT_EQ(r.Conta("MDIFrm.SelezioneScheda(26)"), 5u);
    EXPECT_EQ(riaperture, 5);
}

TEST_F(TastiTest, AltriTastiNonFannoNulla) {
    ModMain::PaginaCorrente = SCHEDA_HOME;
    const int16_t sbagliati[][2] = {
        {'K', CtrlAlt},
        {ModMain::TastoLivello, CtrlAlt | ModMain::MaiuscoloShift},
        {ModMain::TastoLivello, ModMain::MaiuscoloCtrl},
        {ModMain::TastoLivello, 0},
        {13, 0},
    };
    for (const auto& t : sbagliati) ModMain::GestisciTasto(t[0], t[1]);
    EXPECT_EQ(Attuali(), (Livelli{0, 0, 0}));
    EXPECT_TRUE(r.chiamate.empty());
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    // The Qt key event reaches the same handler.
    QKeyEvent e(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    ModMain::GestisciTasto(&e);
    EXPECT_EQ(Attuali(), (Livelli{-1, 0, 0}));
}
