// Display levels by control tag over small forms, fonts of the language,
// dictionary sections, and the operator access-code table and screen.
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <gtest/gtest.h>
#include <memory>
#include <set>

#include "core/ClsLingue.h"
#include "core/FrmOPEnterSecret.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainCodiceOperatore.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "core/ModMainSchermo.h"
#include "platform/Caratteri.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "support/SupportoTest.h"
#include "../../tools/codifica/CodificaTesto.h"

namespace {

using ModMain::ListeLivelli;

// Saves and restores the level flags and the retagging pairs.
class LivelliTest : public ::testing::Test {
protected:
    void SetUp() override {
        coppie_ = ModBlck::PersonalizzazioneVisualizzazione;
        ModBlck::PersonalizzazioneVisualizzazione.assign(1, VocePersonalizzazione{});
        Azzera();
    }
    void TearDown() override {
        ModBlck::PersonalizzazioneVisualizzazione = coppie_;
        Azzera();
    }
    static void Azzera() {
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
        ModMain::CodiceOperatoreAccettato = 0;
    }
    template <class T>
    static T* Aggiungi(QWidget* forma, const QString& nome, const QString& tag, int indice = -1) {
        auto* c = new T(forma);
        if (indice >= 0) ModMain::ImpostaMembro(c, nome, indice);
        else c->setObjectName(nome);
        ModMain::ImpostaTag(c, tag);
        return c;
    }

private:
    std::vector<VocePersonalizzazione> coppie_;
};

} // namespace

TEST_F(LivelliTest, ListePerTagEAzzeramentoDeiTipiGiusti) {
    QWidget forma;
    auto* etichettaExp = Aggiungi<QLabel>(&forma, "LblA", "exp ");
    auto* pulsanteSup = Aggiungi<QPushButton>(&forma, "CmdB", "SUP");
    auto* etichettaSup = Aggiungi<QLabel>(&forma, "LblC", "Sup");
    auto* comboAut = Aggiungi<QComboBox>(&forma, "CmbD", " aut");
    auto* casellaInv = Aggiungi<QCheckBox>(&forma, "ChkE", "INV");
    auto* barra = Aggiungi<QScrollBar>(&forma, "HsF", "1");
    barra->setOrientation(Qt::Horizontal);
    auto* barraV = Aggiungi<QScrollBar>(&forma, "VsG", "1");
    barraV->setOrientation(Qt::Vertical);
    auto* altro = Aggiungi<QLabel>(&forma, "LblH", "XYZ");
    Aggiungi<QLabel>(&forma, "LblArr", "EXP", 0);
    Aggiungi<QLabel>(&forma, "LblArr", "EXP", 1);
    // Qt's inner widgets (unnamed) are not controls.
    new QLabel(&forma);

    ListeLivelli l;
    ModMain::CaricaListeLivelli(&forma, l);
    EXPECT_EQ(l.Exp, (std::vector<std::string>{"LblA", "LblArr0", "LblArr1"}));
    EXPECT_EQ(l.Sup, (std::vector<std::string>{"CmdB", "LblC"}));
    EXPECT_EQ(l.Aut, (std::vector<std::string>{"CmbD"}));
    EXPECT_EQ(l.Inv, (std::vector<std::string>{"ChkE"}));

    // Buttons, combos, check boxes and horizontal bars: tag "0"; the rest keep theirs.
    EXPECT_EQ(ModMain::LeggiTag(pulsanteSup), "0");
    EXPECT_EQ(ModMain::LeggiTag(comboAut), "0");
    EXPECT_EQ(ModMain::LeggiTag(casellaInv), "0");
    EXPECT_EQ(ModMain::LeggiTag(barra), "0");
    EXPECT_EQ(ModMain::LeggiTag(barraV), "1");
    EXPECT_EQ(ModMain::LeggiTag(etichettaSup), "Sup");
    EXPECT_EQ(ModMain::LeggiTag(etichettaExp), "exp ");
    EXPECT_EQ(ModMain::LeggiTag(altro), "XYZ");
    EXPECT_EQ(ModMain::NomeControllo(forma.findChild<QLabel*>("LblArr1")), "LblArr");
    EXPECT_EQ(ModMain::IndiceControllo(forma.findChild<QLabel*>("LblArr1")), 1);
    EXPECT_EQ(ModMain::IndiceControllo(etichettaExp), -1);
}

TEST_F(LivelliTest, PersonalizzazioneRitaggaOgniMembroSuOgniForma) {
    // The last pair naming a control wins; names are compared trimmed and in any case.
    ModBlck::PersonalizzazioneVisualizzazione = {{"lblarr ", "exp"}, {"LBLARR", " inv"}, {"CmdX", "sup"}};
    QWidget a, b;
    for (int i = 0; i < 3; ++i) Aggiungi<QLabel>(&a, "LblArr", i == 0 ? "SUP" : "", i);
    Aggiungi<QLabel>(&b, "LblArr", "EXP", 7);
    auto* pulsante = Aggiungi<QPushButton>(&b, "CmdX", "");

    ListeLivelli la, lb;
    ModMain::CaricaListeLivelli(&a, la);
    ModMain::CaricaListeLivelli(&b, lb);
    EXPECT_EQ(la.Inv, (std::vector<std::string>{"LblArr0", "LblArr1", "LblArr2"}));
    EXPECT_TRUE(la.Sup.empty());
    EXPECT_EQ(lb.Inv, (std::vector<std::string>{"LblArr7"}));
    EXPECT_EQ(lb.Sup, (std::vector<std::string>{"CmdX"}));
    EXPECT_EQ(ModMain::LeggiTag(pulsante), "0");

    // An empty first name means no retagging at all.
    ModBlck::PersonalizzazioneVisualizzazione = {{"", ""}, {"LblArr", "INV"}};
    QWidget c;
    Aggiungi<QLabel>(&c, "LblArr", "EXP", 0);
    ListeLivelli lc;
    ModMain::CaricaListeLivelli(&c, lc);
    EXPECT_EQ(lc.Exp, (std::vector<std::string>{"LblArr0"}));
    EXPECT_TRUE(lc.Inv.empty());
}

TEST_F(LivelliTest, VisibilitaSeguiLivelli) {
    QWidget forma;
    auto* e = Aggiungi<QLabel>(&forma, "E", "EXP");
    auto* s = Aggiungi<QLabel>(&forma, "S", "SUP");
    auto* a = Aggiungi<QLabel>(&forma, "A", "AUT");
    auto* i = Aggiungi<QLabel>(&forma, "I", "INV");
    auto* n = Aggiungi<QLabel>(&forma, "N", "");
    ListeLivelli l;
    ModMain::CaricaListeLivelli(&forma, l);
    forma.show();
    n->hide();

    struct Caso {
        int16_t exp, sup, aut;
    };
    for (const Caso c : {Caso{0, 0, 0}, Caso{-1, 0, 0}, Caso{-1, -1, 0}, Caso{-1, -1, -1}, Caso{0, 0, 0}}) {
        ModMain::LivelloExp = c.exp;
        ModMain::LivelloSup = c.sup;
        ModMain::LivelloAut = c.aut;
        ModMain::AggiornaLivelliForma(&forma, l);
        EXPECT_EQ(e->isVisible(), c.exp != 0);
        EXPECT_EQ(s->isVisible(), c.sup != 0);
        EXPECT_EQ(a->isVisible(), c.aut != 0);
        EXPECT_FALSE(i->isVisible());
        EXPECT_FALSE(n->isVisible()); // untagged: left as it was
    }
    EXPECT_TRUE(ModMain::CercaControlloInElenco(" e ", {"x", "E"}));
    EXPECT_FALSE(ModMain::CercaControlloInElenco("E", {}));
}

TEST_F(LivelliTest, FontDellaLinguaSuOgniControllo) {
    QWidget forma;
    auto* l = Aggiungi<QLabel>(&forma, "Lbl", "");
    l->setFont(Piattaforma::CreaFont("Arial", 12, true));
    ModMain::ImpostaFontLingua(&forma, 204);
    const QString tahoma = Piattaforma::FamigliaSostituta("Tahoma");
    EXPECT_EQ(l->font().family(), tahoma);
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 12.0);
    EXPECT_TRUE(l->font().bold());
    EXPECT_EQ(l->property("Charset").toInt(), 204);
    EXPECT_EQ(forma.font().family(), tahoma);
}

namespace {

class DizionarioTest : public LivelliTest {
protected:
    void SetUp() override {
        LivelliTest::SetUp();
        base_.Scrivi("lng/diz.diz", "###\r\n#English&0\r\nTitle\r\n[Frm_A]\r\nFirst\r\nSecond\r\n"
                                    "###\r\n#Greek&161\r\nTitlos\r\n[Frm_A]\r\n\xe1\r\nB\r\n");
        base_.Scrivi("lng/diz.con", "1\r\n");
        d_.PathDizionario(base_.File("lng/diz.diz"));
        d_.PathAttualeLingua(base_.File("lng/diz.con"));
        d_.LoadDizionario();
        ModMain::Dizionario = &d_;
    }
    void TearDown() override {
        ModMain::Dizionario = nullptr;
        LivelliTest::TearDown();
    }
    SupportoTest::CartellaBase base_{false};
    ClsLingue d_;
};

} // namespace

TEST_F(DizionarioTest, SezioneETestoNelCharsetDellaLingua) {
    const int16_t k = ModMain::CercaSezione("[Frm_A]");
    EXPECT_EQ(k, 1);
    // Greek charset 161: byte 0xE1 is small alpha.
    EXPECT_EQ(ModMain::VoceLingua(static_cast<int16_t>(k + 1)), QString(QChar(0x03B1)));
    EXPECT_EQ(ModMain::CercaSezione("[Missing]"), 4);
}

// ---------------------------------------------------------------------------
// Access code

namespace {

class CodiceOperatoreTest : public LivelliTest {
protected:
    void SetUp() override {
        LivelliTest::SetUp();
        percorsoBase_ = ModMain::PercorsoBase;
        ModMain::PercorsoBase = base_.Percorso();
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        delete ModMain::IstanzaFrmOPEnterSecret.data();
        ModMain::PercorsoBase = percorsoBase_;
        ModMain::TabellaCodiciOperatore.clear();
        ModCustom::StringheCodiciOperatore.clear();
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        Piattaforma::Copione::Azzera();
        LivelliTest::TearDown();
    }
    // The table from a text of "|"-separated plain pieces, encoded piece by piece.
    void ScriviTabella(const std::vector<std::string>& pezzi) {
        std::string t;
        for (size_t i = 0; i < pezzi.size(); ++i) t += (i ? "|" : "") + CodificaTesto::CodificaRiga(pezzi[i]);
        base_.Scrivi("bin/CodiciOp.dat", t);
    }
    // A screen showing challenge c, with the table built from the shipped file.
    FrmOPEnterSecret& Schermo(const QString& sfida) {
        if (!ModMain::IstanzaFrmOPEnterSecret) {
            ModMain::IstanzaFrmOPEnterSecret = new FrmOPEnterSecret();
            ModMain::IstanzaFrmOPEnterSecret->Form_Load();
        }
        auto& f = *ModMain::IstanzaFrmOPEnterSecret;
        f.CloseMe = false;
        f.LAB_SecretKey_VAL->setText(sfida);
        f.TxtValue->clear();
        return f;
    }
    static void Digita(QWidget* w, const QString& testo) {
        for (QChar c : testo) {
            QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &e);
        }
    }
    static void Invio(QWidget* w) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(w, &e);
    }
    SupportoTest::CartellaBase base_;
    std::string percorsoBase_;
};

} // namespace

TEST_F(CodiceOperatoreTest, TabellaSpeditaValidaEPermutazione) {
    ModMain::CaricaDatiCustom();
    ASSERT_EQ(ModCustom::StringheCodiciOperatore.size(), 2049u);
    ASSERT_EQ(ModMain::TabellaCodiciOperatore.size(), 65535u);
    std::set<int32_t> visti;
    for (const auto& v : ModMain::TabellaCodiciOperatore) {
        ASSERT_TRUE(v.has_value());
        ASSERT_GE(*v, 0);
        ASSERT_LE(*v, 65534);
        visti.insert(*v);
    }
    EXPECT_EQ(visti.size(), 65535u); // every entry is also a valid challenge
}

TEST_F(CodiceOperatoreTest, MarcatoreSbagliatoOPezziMancanti) {
    ScriviTabella({"gorvantex", "5", "6"});
    ModMain::CaricaDatiCustom();
    for (const auto& v : ModMain::TabellaCodiciOperatore) ASSERT_FALSE(v.has_value());

    // A valid marker with few pieces: those present are built, the rest stay empty.
    ScriviTabella({" GORVANTEX ", "5", "x", "7"});
    ModMain::CaricaDatiCustom();
    EXPECT_EQ(ModMain::TabellaCodiciOperatore[0], 5);
    EXPECT_FALSE(ModMain::TabellaCodiciOperatore[1].has_value());
    EXPECT_EQ(ModMain::TabellaCodiciOperatore[2], 7);
    EXPECT_FALSE(ModMain::TabellaCodiciOperatore[3].has_value());

    // No file at all: an empty table.
    std::filesystem::remove(base_.File("bin/CodiciOp.dat"));
    ModMain::CaricaDatiCustom();
    EXPECT_FALSE(ModMain::TabellaCodiciOperatore[0].has_value());
}

TEST_F(CodiceOperatoreTest, RispostaGiustaSbagliataVuotaEModulo) {
    ScriviTabella({"GORVANTEX", "3", "9", "0", "1"});
    ModMain::CaricaDatiCustom();

    struct Caso {
        const char* sfida;
        const char* risposta;
        bool accettata;
    };
    const Caso casi[] = {
        {"2", "0", true},       // entry 2 is 0
        {"2", "65536", true},   // compared by its low 16 bits
        {"1", "9", true},
        {"1", "8", false},
        {"1", "", false},       // empty box
        {"", "3", false},       // empty challenge
        {"70000", "3", false},  // challenge out of range
        {"5", "0", false},      // entry not built
        {"1", "99999999999", false}, // not a 32-bit number
    };
    for (const Caso& c : casi) {
        Azzera();
        Piattaforma::Copione::Azzera();
        auto& f = Schermo(QString::fromLatin1(c.sfida));
        f.TxtValue->setText(QString::fromLatin1(c.risposta));
        Invio(f.TxtValue);
        EXPECT_TRUE(f.CloseMe) << c.sfida << " " << c.risposta;
        EXPECT_EQ(ModMain::LivelloSup, c.accettata ? -1 : 0) << c.sfida << " " << c.risposta;
        EXPECT_EQ(ModMain::CodiceOperatoreAccettato, c.accettata ? -1 : 0);
        const auto& ev = Piattaforma::Copione::Eventi();
        if (c.accettata) {
            ASSERT_EQ(ev.size(), 1u);
            EXPECT_EQ(ev[0].frequenzaHz, 440);
            EXPECT_EQ(ev[0].durataMs, 500);
        } else {
            EXPECT_TRUE(ev.empty());
        }
    }
}

TEST_F(CodiceOperatoreTest, SoloCifreEChiusuraSenzaScaricare) {
    auto& f = Schermo("1");
    Digita(f.TxtValue, "1a2-b3");
    EXPECT_EQ(f.TxtValue->text(), "123");
    QKeyEvent indietro(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    QApplication::sendEvent(f.TxtValue, &indietro);
    EXPECT_EQ(f.TxtValue->text(), "12");
    EXPECT_FALSE(f.CloseMe);

    // Esc released on the screen closes it.
    QKeyEvent esc(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&f, &esc);
    EXPECT_TRUE(f.CloseMe);

    // The close box closes it the same way; the form stays.
    f.CloseMe = false;
    QCloseEvent chiudi;
    QSpontaneKeyEvent::setSpontaneous(&chiudi); // as from the close box
    QCoreApplication::instance()->notify(&f, &chiudi);
    EXPECT_FALSE(chiudi.isAccepted());
    EXPECT_TRUE(f.CloseMe);
    EXPECT_NE(ModMain::IstanzaFrmOPEnterSecret, nullptr);
}

TEST_F(CodiceOperatoreTest, ApriCodiceOperatoreAttendeLaRispostaEDisabilitaLaFinestra) {
    ModMain::CaricaDatiCustom();
    Piattaforma::ImpostaAcceleratoreOrologio(50.0);
    QWidget principale;
    principale.setWindowTitle("Main");
    ModMain::FinestraPrincipale = &principale;

    bool disabilitata = false;
    QString sfida;
    // The answer comes once the screen is up and waiting, whatever the machine's speed.
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* f = ModMain::IstanzaFrmOPEnterSecret.data();
        if (!f || !f->isVisible()) return;
        attesa.stop();
        disabilitata = !principale.isEnabled() && f->isEnabled() && f->TxtValue->isEnabled();
        sfida = f->LAB_SecretKey_VAL->text();
        const auto c = sfida.toInt();
        f->TxtValue->setText(QString::number(*ModMain::TabellaCodiciOperatore[static_cast<size_t>(c)]));
        f->TxtValue_KeyPress(13);
    });
    attesa.start(1);
    ModMain::ApriCodiceOperatore();
    ModMain::FinestraPrincipale = nullptr;

    EXPECT_TRUE(disabilitata);
    EXPECT_TRUE(principale.isEnabled());
    EXPECT_FALSE(sfida.isEmpty());
    EXPECT_EQ(ModMain::LivelloSup, -1);
    EXPECT_EQ(ModMain::CodiceOperatoreAccettato, -1);
    EXPECT_FALSE(ModMain::IstanzaFrmOPEnterSecret->isVisible());
    EXPECT_EQ(ModMain::IstanzaFrmOPEnterSecret->windowTitle(), "Main");
}
