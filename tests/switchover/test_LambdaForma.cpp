// The lambda page against the simulated ECU: loading, combo edits, presets
// (an unknown one stages nothing), the map's held keys, thresholds with the
// pair rule, the live cursor, resizing and pictures in both languages.
#include "switchover/FissaggioCommutazione.h"

#include <QtCore/QDir>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "controls/GrigliaDati.h"
#include "controls/ModZebPagina.h"
#include "core/ModMainCaricatori.h"
#include "switchover/FRM_ZEBLambda.h"
#include "support/GrigliaProva.h"
#include "support/PagineProva.h"
#include "support/TastiProva.h"

namespace {

class LambdaForma : public FissaggioCommutazione {
protected:
    void SetUp() override {
        FissaggioCommutazione::SetUp();
        lambda_ = std::make_unique<FRM_ZEBLambda>();
        lambda_->resize(1001, 425);
        lambda_->Form_Load();
        lambda_->AggiornaSelezioni();
        ModMain::RichiestaPendente = 0;
        ModBlck::ModificheBlocco11 = ModBlck::ListaVuota();
    }
    void TearDown() override {
        if (lambda_) lambda_->Form_Unload();
        lambda_.reset();
        FissaggioCommutazione::TearDown();
    }
    std::unique_ptr<FRM_ZEBLambda> lambda_;
};

TEST_F(LambdaForma, CaricaDallaCentralina) {
    auto& p = *lambda_;
    EXPECT_EQ(p.CmbSondaSel->currentIndex(), 2);
    EXPECT_EQ(p.CmbAbilEmula->currentIndex(), 1);
    EXPECT_EQ(p.CmbSonda1->currentIndex(), 1);
    EXPECT_EQ(p.CmbSonda2->currentIndex(), 1);
    EXPECT_EQ(p.CmbFiltro->currentIndex(), 2);
    EXPECT_EQ(p.CmbRitardo->currentText(), QStringLiteral("2"));
    EXPECT_EQ(p.TxtEmulLevAltoAnte->text(), QStringLiteral("0.8"));
    EXPECT_EQ(p.TxtEmulLevBassoAnte->text(), QStringLiteral("0.45"));
    EXPECT_EQ(p.TxtEmulLevAltoPost->text(), QStringLiteral("1"));
    EXPECT_TRUE(p.TxtEmulLevAltoAnte->isEnabled());
    EXPECT_TRUE(p.GrdEmul->isEnabled());
    EXPECT_EQ(p.GrdRpm->TextMatrix(0, 11), QStringLiteral("6500"));
    EXPECT_EQ(p.GrdBar->TextMatrix(3, 0), QStringLiteral("1200"));
    EXPECT_EQ(p.GrdEmul->TextMatrix(2, 5), QStringLiteral("0.6"));
    EXPECT_FALSE(p.ModoCodice());
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    // Preset 5 shows the map in code mode and disables the thresholds before the catalyst.
    Imposta(3, 38, 5);
    p.AggiornaSelezioni();
    EXPECT_TRUE(p.ModoCodice());
    EXPECT_EQ(p.GrdEmul->TextMatrix(0, 0), QStringLiteral("-96"));
    EXPECT_FALSE(p.TxtEmulLevAltoAnte->isEnabled());
    EXPECT_TRUE(p.TxtEmulLevAltoPost->isEnabled());
}

TEST_F(LambdaForma, ModificheDeiCombo) {
    auto& p = *lambda_;
    auto prova = [&](auto azione, ListaModifiche* lista, int32_t valore, int32_t indice, int32_t maschera, int32_t codice,
                     const char* nome) {
        ModMain::RichiestaPendente = 0;
        *lista = ModBlck::ListaVuota();
        azione();
        ASSERT_EQ(lista->size(), 1u) << nome;
        EXPECT_EQ((*lista)[0].Valore, valore) << nome;
        EXPECT_EQ((*lista)[0].IndiceValore, indice) << nome;
        EXPECT_EQ((*lista)[0].Maschera, maschera) << nome;
        EXPECT_EQ(ModMain::RichiestaPendente, codice) << nome;
    };
    prova([&] { p.CmbFiltro->setCurrentIndex(2); p.CmbFiltro_Click(); }, &ModBlck::ModificheBlocco11, 0x21, 70, 0, 40, "filter");
    prova([&] { p.CmbSonda2->setCurrentIndex(0); p.CmbSonda2_Click(); }, &ModBlck::ModificheBlocco11, 0x20, 70, 0, 40, "sensor 2");
    prova([&] { p.CmbSonda1->setCurrentIndex(2); p.CmbSonda1_Click(); }, &ModBlck::ModificheBlocco11, 2, 69, 0, 40, "sensor 1");
    prova([&] { p.CmbRitardo->setCurrentIndex(p.CmbRitardo->findText("5")); p.CmbRitardo_Click(); },
          &ModBlck::ModificheBlocco11, 5000, 64, 0, 40, "delay");
    prova([&] { p.CmbAbilEmula->setCurrentIndex(0); p.CmbAbilEmula_Click(); }, &ModBlck::ModificheBlocco2, 0, 2, 0x10, 27,
          "emulation off");
    // OBD on: the switch is refused with a message, nothing staged.
    Imposta(2, 2, 0x14);
    ModMain::RichiestaPendente = 0;
    ModBlck::ModificheBlocco2 = ModBlck::ListaVuota();
    p.CmbAbilEmula_Click();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco2));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0], ModMain::TestoVoce(36));
}

TEST_F(LambdaForma, RitardoSoloVociCheLaParolaTiene) {
    auto& p = *lambda_;
    // Word 64 holds milliseconds in 16 bits: every shipped item fits it.
    ASSERT_GT(p.CmbRitardo->count(), 0);
    for (int i = 0; i < p.CmbRitardo->count(); ++i) {
        const auto s = ModZebPagina::NumeroVoce(p.CmbRitardo->itemText(i));
        ASSERT_TRUE(s) << i;
        EXPECT_LE(*s * 1000.0, 65535.0) << p.CmbRitardo->itemText(i).toStdString();
    }
    // An item that does not fit stages nothing and the list shows the stored delay again.
    p.RiempiCmbSwtch({"[Ritardo attivazione Emulaz s]", "1|2|90"});
    p.AggiornaSelezioni();
    ASSERT_EQ(p.CmbRitardo->currentText(), QStringLiteral("2"));
    p.CmbRitardo->setCurrentIndex(2);
    p.CmbRitardo_Click();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco11));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(p.CmbRitardo->currentText(), QStringLiteral("2"));
}

TEST_F(LambdaForma, PresetNotoEIgnoto) {
    auto& p = *lambda_;
    p.CmbSondaSel->setCurrentIndex(1);
    p.CmbSondaSel_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 41);
    ASSERT_EQ(ModBlck::ModificheBlocco3.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco3[0].Valore, 1);
    EXPECT_EQ(ModBlck::ModificheBlocco3[0].IndiceValore, 38);
    EXPECT_EQ(ModBlck::ModificheBlocco11.size(), 52u);
    // A list position that no preset carries: nothing staged, the page shows the stored preset again.
    ModMain::RichiestaPendente = 0;
    ModBlck::ModificheBlocco3 = ModBlck::ListaVuota();
    ModBlck::ModificheBlocco11 = ModBlck::ListaVuota();
    p.CmbSondaSel->addItem(QStringLiteral("extra"));
    p.CmbSondaSel->setCurrentIndex(p.CmbSondaSel->count() - 1);
    p.CmbSondaSel_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco11));
    EXPECT_EQ(p.CmbSondaSel->currentIndex(), 2);
}

TEST_F(LambdaForma, TastoTenutoSullaMappaUnaScrittura) {
    auto& p = *lambda_;
    GrigliaDati* g = p.GrdEmul;
    g->Row(1);
    g->Col(2);
    int visti = 0;
    QString ultimo = g->TextMatrix(1, 2);
    int32_t slot = -1;
    auto c = QObject::connect(g->model(), &QAbstractItemModel::dataChanged, g, [&] {
        if (g->TextMatrix(1, 2) == ultimo) return;
        ultimo = g->TextMatrix(1, 2);
        if (++visti == 2) {
            slot = ModMain::RichiestaPendente;
            QCoreApplication::postEvent(g, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Plus, Qt::NoModifier));
        }
    });
    QKeyEvent premi(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier);
    QApplication::sendEvent(g, &premi);
    QObject::disconnect(c);
    EXPECT_EQ(slot, 0);
    EXPECT_FALSE(p.TastoPremuto);
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("0.64")); // 0.6 (code 31) two codes up
    EXPECT_EQ(ModMain::RichiestaPendente, 40);
    ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 48u);
    EXPECT_EQ(ModBlck::ModificheBlocco11[4 * 2 + 1].Valore, 33);
    EXPECT_EQ(ModBlck::ModificheBlocco11[4 * 2 + 1].IndiceValore, 16 + 4 * 2 + 1);
    EXPECT_EQ(ModBlck::ModificheBlocco11[0].Valore, 31);
    // A waiting request: a key press changes and posts nothing.
    ModBlck::ModificheBlocco11 = ModBlck::ListaVuota();
    p.Griglia_KeyDown(2, 107, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco11));
}

TEST_F(LambdaForma, TastoTenutoSullAsseFinisceSenzaFuoco) {
    auto& p = *lambda_;
    GrigliaDati* g = p.GrdRpm;
    g->Row(0);
    g->Col(5); // 3500, between 3000 and 4000
    int visti = 0;
    QString ultimo = g->Text();
    auto c = QObject::connect(g->model(), &QAbstractItemModel::dataChanged, g, [&] {
        if (g->Text() == ultimo) return;
        ultimo = g->Text();
        if (++visti == 1) QCoreApplication::postEvent(g, new QFocusEvent(QEvent::FocusOut));
    });
    QKeyEvent premi(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier);
    QApplication::sendEvent(g, &premi);
    QObject::disconnect(c);
    // Focus lost after the first step: the loop ends there instead of running to 4000.
    EXPECT_FALSE(p.TastoPremuto);
    EXPECT_EQ(g->Text(), QStringLiteral("3600"));
    EXPECT_EQ(ModMain::RichiestaPendente, 40);
    ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 12u);
    EXPECT_EQ(ModBlck::ModificheBlocco11[5].Valore, 3600);
    EXPECT_EQ(ModBlck::ModificheBlocco11[5].IndiceValore, 5);
    EXPECT_EQ(ModBlck::ModificheBlocco11[11].Valore, 6500);
}

TEST_F(LambdaForma, SoglieConLaRegolaDellaCoppia) {
    auto& p = *lambda_;
    p.Soglia_GotFocus(0);
    p.TxtEmulLevAltoAnte->setText(QStringLiteral("0.3")); // below the low partner 0.45
    p.Soglia_KeyUp(0, 13);
    ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco11[0].Valore, 23);
    EXPECT_EQ(ModBlck::ModificheBlocco11[0].IndiceValore, 65);
    EXPECT_EQ(ModMain::RichiestaPendente, 40);
    EXPECT_EQ(p.TxtEmulLevAltoAnte->text(), QStringLiteral("0.45"));
    // Empty text: a message, the remembered value back, nothing staged.
    ModMain::RichiestaPendente = 0;
    ModBlck::ModificheBlocco11 = ModBlck::ListaVuota();
    p.Soglia_GotFocus(3);
    p.TxtEmulLevBassoPost->setText(QString());
    p.Soglia_KeyUp(3, 13);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco11));
    EXPECT_EQ(p.TxtEmulLevBassoPost->text(), QStringLiteral("0.45"));
    EXPECT_EQ(Messaggi().size(), 1u);
    // Leaving without Enter restores the value on entry.
    p.Soglia_GotFocus(2);
    p.TxtEmulLevAltoPost->setText(QStringLiteral("2"));
    p.Soglia_LostFocus(2);
    EXPECT_EQ(p.TxtEmulLevAltoPost->text(), QStringLiteral("1"));
}

TEST_F(LambdaForma, SogliaOltreIlByteSiFermaA255) {
    auto& p = *lambda_;
    // Preset 5 accepts thresholds up to 255 V, but the ECU keeps a threshold in
    // one byte: typed with the keys and confirmed with Enter, nothing wraps.
    Imposta(3, 38, 5);
    p.AggiornaSelezioni();
    QLineEdit* t = p.TxtEmulLevAltoPost;
    ASSERT_TRUE(t->isEnabled());
    auto tasto = [t](QEvent::Type tipo, int k, const QString& testo) {
        QKeyEvent e(tipo, k, Qt::NoModifier, testo);
        QApplication::sendEvent(t, &e);
    };
    const struct {
        const char* scritto;
        int32_t codice;
        const char* mostrato;
    } casi[] = {{"6", 255, "4.99"}, {"255", 255, "4.99"}, {"4.9", 250, "4.9"}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.scritto);
        ModMain::RichiestaPendente = 0;
        ModBlck::ModificheBlocco11 = ModBlck::ListaVuota();
        QFocusEvent dentro(QEvent::FocusIn);
        QApplication::sendEvent(t, &dentro);
        t->selectAll();
        for (const QChar ch : QString::fromLatin1(c.scritto)) {
            tasto(QEvent::KeyPress, ch.unicode(), ch);
            tasto(QEvent::KeyRelease, ch.unicode(), ch);
        }
        tasto(QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
        tasto(QEvent::KeyRelease, Qt::Key_Return, QStringLiteral("\r"));
        ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 1u);
        EXPECT_EQ(ModBlck::ModificheBlocco11[0].Valore, c.codice);
        EXPECT_EQ(ModBlck::ModificheBlocco11[0].IndiceValore, 67);
        EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_LAMBDA_EMULATION);
        EXPECT_EQ(t->text().toStdString(), c.mostrato);
        QFocusEvent fuori(QEvent::FocusOut);
        QApplication::sendEvent(t, &fuori);
        EXPECT_EQ(t->text().toStdString(), c.mostrato); // the confirmed value is the one remembered
    }
}

TEST_F(LambdaForma, SelezioneGiallaConTestoNero) {
    // A click on each grid, and on the map a rectangle grown with Shift+arrow:
    // every selected cell yellow with black text.
    auto& p = *lambda_;
    ASSERT_TRUE(SupportoTest::Attiva(&p));
    SupportoTest::ClicCella(p.GrdRpm, 0, 4);
    EXPECT_TRUE(SupportoTest::CellaGialla(p.GrdRpm, 0, 4));
    SupportoTest::ClicCella(p.GrdBar, 2, 0);
    EXPECT_TRUE(SupportoTest::CellaGialla(p.GrdBar, 2, 0));
    SupportoTest::ClicCella(p.GrdEmul, 1, 2);
    SupportoTest::Batti(p.GrdEmul, Qt::Key_Right, Qt::ShiftModifier);
    SupportoTest::Batti(p.GrdEmul, Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(p.GrdEmul->ColSel(), 3);
    ASSERT_EQ(p.GrdEmul->RowSel(), 2);
    for (const int r : {1, 2})
        for (const int c : {2, 3}) EXPECT_TRUE(SupportoTest::CellaGialla(p.GrdEmul, r, c));
}

TEST_F(LambdaForma, CursoreVivoERidimensiona) {
    auto& p = *lambda_;
    QWidget area;
    p.setParent(&area);
    area.resize(1001, 425);
    p.setGeometry(0, 0, 1001, 425);
    area.show();
    Imposta(1, 32, 2700); // between 2500 and 3000: column 3
    Imposta(1, 48, 100);  // below the first breakpoint: row 0
    // Before the live view has run with the emulation on the outputs hold a placeholder.
    EXPECT_EQ(p.TxtLambdaOut1->text().toStdString(), " - - ");
    EXPECT_EQ(p.TxtLambdaOut2->text().toStdString(), " - - ");
    p.AggiornaVisualizzazioniLambda();
    const QRect cella = p.GrdEmul->visualItemRect(p.GrdEmul->item(0, 3));
    EXPECT_EQ(p.PctGrdLambda->geometry().topLeft(), p.GrdEmul->viewport()->mapTo(p.FrmEmulation, cella.topLeft()));
    const QRect prima = p.CmbSonda1->geometry();
    p.resize(0, 0);
    p.Form_Resize();
    p.resize(1001, 425);
    EXPECT_EQ(p.CmbSonda1->geometry(), prima);
    p.setParent(nullptr);
}

TEST_F(LambdaForma, Immagini) {
    ModMain::LivelloExp = ModMain::LivelloSup = 1;
    Imposta(1, 32, 2700);
    Imposta(1, 48, 700);
    ModMain::BloccoAppoggio = TabellaBlocchi[1];
    ModMain::BloccoAppoggio.Valori.resize(64);
    ModMain::BloccoAppoggio.Valori[38] = 450;
    ModMain::BloccoAppoggio.Valori[39] = 712;
    QWidget area;
    PagineProva::Sfondo(area);
    lambda_->setParent(&area);
    const char* cartella = std::getenv("MONDARO_SCREENSHOT_DIR");
    const auto& lingue = PagineProva::Lingue;
    const auto& dimensioni = PagineProva::Dimensioni;
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        lambda_->CaricaLingua();
        lambda_->RiempiCmbSwtch(ModMain::RigheConfigScale);
        for (const auto& d : dimensioni) {
            area.resize(d.larghezza, d.altezza);
            lambda_->setGeometry(0, 0, d.larghezza, d.altezza);
            area.show();
            lambda_->show();
            lambda_->AggiornaLivelliVisualizzazione();
            lambda_->SHP[1]->setVisible(ModMain::LivelloSup == 0);
            lambda_->AggiornaSelezioni();
            lambda_->AggiornaVisualizzazioniLambda();
            EXPECT_FALSE(lambda_->FrmEmulation->isHidden());
            EXPECT_EQ(lambda_->TxtLambdaOut1->text(), QStringLiteral("0.450"));
            PagineProva::EtichetteEntrano(
                lambda_.get(), [this](const QLabel* e) { return e != lambda_->LblTabSoglie; },
                std::string(l.sigla) + " " + std::to_string(d.larghezza));
            if (cartella)
                area.grab().save(QDir(QString::fromLocal8Bit(cartella))
                                     .filePath(QStringLiteral("lambda_%1_%2.png").arg(l.sigla).arg(d.larghezza)));
        }
    }
    lambda_->setParent(nullptr);
    EXPECT_TRUE(Messaggi().empty());
}

} // namespace
