// The axis editor on the simulated ECU: OK posts the axis write with the new
// vectors, Cancel and the close box leave everything as it was; typing rules;
// and the value-entry dialog's own keys.
#include "maps/FissaggioEditor.h"

#include <QtGui/QCloseEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>

#include "maps/FrmChangeAxis.h"

namespace {

class EditorAssi : public FissaggioEditor {
protected:
    void TearDown() override {
        ModMapEditor::EseguiEditorAssi = nullptr;
        FissaggioEditor::TearDown();
    }
    struct Stato {
        std::array<uint8_t, 24> rpm;
        std::array<uint8_t, 23> tinj;
        ModBlck::VettoreGiri vr;
        ModBlck::VettoreTempi vt;
        bool operator==(const Stato&) const = default;
    };
    static Stato Attuale() {
        return {ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro, ModBlck::VettoreRpm, ModBlck::VettoreTinj};
    }
    static void Tasto(GrigliaDati* g, int tasto, const QString& testo = {}) {
        QKeyEvent p(QEvent::KeyPress, tasto, Qt::NoModifier, testo);
        QApplication::sendEvent(g, &p);
        QKeyEvent r(QEvent::KeyRelease, tasto, Qt::NoModifier, testo);
        QApplication::sendEvent(g, &r);
    }
};

} // namespace

TEST_F(EditorAssi, OkScriveIVettoriNuovi) {
    ModMain::LivelloSup = -1;
    editor[0]->CambiaTipoGriglia(SCHEDA_MAPPA);
    ModMapEditor::EseguiEditorAssi = [](FrmChangeAxis& d) {
        // Rpm preset list 11 (point 23) to 7000 rpm: the in-between points follow.
        d.CmbRPM[11]->setCurrentIndex(26);
        EXPECT_EQ(d.AsseRpm[23], 109); // 7000 / 64 = 109.4
        EXPECT_EQ(d.AsseRpm[21], d.AsseRpm[20] + (109 - d.AsseRpm[20] + 1) / 3);
        d.CmdOk_Click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    };
    editor[0]->CmdChgAxis_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP_AXES);
    EXPECT_EQ(ModMain::AsseRpmLavoro[23], 109);
    EXPECT_EQ(ModBlck::VettoreRpm[127], 23);
    EXPECT_EQ(ModBlck::VettoreRpm[108], 22);
    const auto vettore = ModBlck::VettoreRpm;
    EseguiPendente();
    ModBlck::VettoreGiri ecuRpm{};
    ModBlck::VettoreTempi ecuTinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(ecuRpm, ecuTinj, 0), 0);
    EXPECT_EQ(ecuRpm, vettore);
    // The six editors' captions follow: the last rpm caption of the full editor is 6976 / 10.
    EXPECT_EQ(editor[0]->GrdInj->TextMatrix(0, 24), QStringLiteral("698"));
}

TEST_F(EditorAssi, VettoriRifiutatiNonRisultanoScritti) {
    // The ECU refuses the vector write: the failure text, the ECU keeps its
    // vectors; once it accepts, OK again writes the new ones.
    ModMain::LivelloSup = -1;
    editor[0]->CambiaTipoGriglia(SCHEDA_MAPPA);
    ModBlck::VettoreGiri ecuRpm{};
    ModBlck::VettoreTempi ecuTinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(ecuRpm, ecuTinj, 0), 0);
    auto vettoriEcu = [] {
        ModBlck::VettoreGiri r{};
        ModBlck::VettoreTempi t{};
        EXPECT_EQ(ModBlck::LeggiScriviVettori(r, t, 0), 0);
        return std::make_pair(r, t);
    };
    ModMapEditor::EseguiEditorAssi = [](FrmChangeAxis& d) {
        d.CmbRPM[11]->setCurrentIndex(26);
        d.CmdOk_Click();
    };
    editor[0]->CmdChgAxis_Click();
    const auto vettore = ModBlck::VettoreRpm;
    ASSERT_NE(vettore, ecuRpm);
    Manopola(11, 0xFB);
    Piattaforma::Copione::Azzera();
    EseguiPendente();
    EXPECT_EQ(Messaggi(), std::vector<std::string>{Voce(9)});
    EXPECT_EQ(vettoriEcu(), std::make_pair(ecuRpm, ecuTinj));

    Manopola(11, 0);
    ModMapEditor::EseguiEditorAssi = [](FrmChangeAxis& d) { d.CmdOk_Click(); };
    editor[0]->CmdChgAxis_Click();
    Piattaforma::Copione::Azzera();
    EseguiPendente();
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_EQ(vettoriEcu().first, vettore);
}

TEST_F(EditorAssi, AnnullaRipristinaTutto) {
    const Stato prima = Attuale();
    ModMain::LivelloSup = -1;
    ModMapEditor::EseguiEditorAssi = [](FrmChangeAxis& d) {
        d.CmbTINJ[3]->setCurrentIndex(d.CmbTINJ[3]->currentIndex() + 1);
        Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
        d.CmdAutoscaleX_Click();
        d.CmdAnnulla_Click();
    };
    carburazione[0]->CmdChgAxis_Click();
    EXPECT_EQ(Attuale(), prima);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    // The close box likewise.
    ModMapEditor::EseguiEditorAssi = [](FrmChangeAxis& d) {
        d.CmbRPM[5]->setCurrentIndex(d.CmbRPM[5]->currentIndex() + 1);
        d.close();
    };
    editor[0]->CmdChgAxis_Click();
    EXPECT_EQ(Attuale(), prima);
    // With a request waiting the dialog does not open.
    bool aperto = false;
    ModMapEditor::EseguiEditorAssi = [&aperto](FrmChangeAxis&) { aperto = true; };
    ModMain::RichiestaPendente = 22;
    editor[0]->CmdChgAxis_Click();
    EXPECT_FALSE(aperto);
    ModMain::RichiestaPendente = 0;
}

TEST_F(EditorAssi, PresetFuoriOrdineRifiutato) {
    ModMain::LivelloSup = -1;
    FrmChangeAxis d;
    d.Form_Load();
    const int prima = d.CmbRPM[5]->currentIndex();
    d.CmbRPM[5]->setCurrentIndex(d.CmbRPM[4]->currentIndex());
    EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_EQ(d.CmbRPM[5]->currentIndex(), prima);
    EXPECT_EQ(d.AsseRpm, ModMain::AsseRpmLavoro);
}

TEST_F(EditorAssi, ScritturaNelleCelle) {
    ModMain::LivelloSup = -1;
    FrmChangeAxis d;
    d.Form_Load();
    d.show();
    GrigliaDati* g = d.MSFGAssi;
    g->Row(5);
    g->Col(1);
    Tasto(g, Qt::Key_Delete);
    EXPECT_EQ(g->TextMatrix(5, 1), QString());
    for (const char* c : {"8", "1", ",", "0", "0"}) Tasto(g, c[0] == ',' ? Qt::Key_Comma : Qt::Key_0 + (c[0] - '0'), QString::fromLatin1(c));
    EXPECT_EQ(g->TextMatrix(5, 1), QStringLiteral("8100")); // no comma in the rpm column
    Tasto(g, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(g->TextMatrix(5, 1), QStringLiteral("8000"));
    EXPECT_EQ(g->Row(), 6);
    // Injection time: one comma; leaving the cell normalises it.
    g->Row(3);
    g->Col(0);
    Tasto(g, Qt::Key_Delete);
    for (const char* c : {"0", ",", "3", ","})
        Tasto(g, c[0] == ',' ? Qt::Key_Comma : Qt::Key_0 + (c[0] - '0'), QString::fromLatin1(c));
    EXPECT_EQ(g->TextMatrix(3, 0), QStringLiteral("0,3"));
    g->Row(4);
    EXPECT_EQ(g->TextMatrix(3, 0), QStringLiteral("0.256"));
    // Backspace on one character leaves "0"; the spare cell cannot be entered.
    g->TextMatrix(4, 0, QStringLiteral("7"));
    Tasto(g, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(g->TextMatrix(4, 0), QStringLiteral("0"));
    g->Row(24);
    EXPECT_EQ(g->Row(), 23);
    d.close();
}

TEST_F(EditorAssi, DialogoValoreTastiEChiusura) {
    FrmEnterValue* d = ModMapEditor::IstanzaFrmEnterValue();
    d->CloseMe = false;
    d->SistemaSoglie(100, -100, 50, -50, 255, 0);
    d->show();
    // A letter is never inserted.
    QKeyEvent lettera(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    d->TxtValue->setText(QStringLiteral("1"));
    QApplication::sendEvent(d->TxtValue, &lettera);
    EXPECT_EQ(d->TxtValue->text(), QStringLiteral("1"));
    // Above the limit: the message, results 0, the dialog still open with "0".
    d->TxtValue->setText(QStringLiteral("100.5"));
    d->Accetta();
    ASSERT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_EQ(Piattaforma::Copione::Messaggi()[0].testo, ModMain::VoceLingua(3) + QStringLiteral(" 100"));
    EXPECT_EQ(ModMain::OperazioneInserita, 0);
    EXPECT_FALSE(d->CloseMe);
    EXPECT_EQ(d->TxtValue->text(), QStringLiteral("0"));
    // The close box cancels and the dialog stays loaded.
    QCloseEvent chiudi;
    chiudi.setAccepted(true);
    QApplication::sendEvent(d, &chiudi);
    EXPECT_TRUE(d->CloseMe);
    EXPECT_EQ(ModMain::OperazioneInserita, 0);
    EXPECT_EQ(ModMapEditor::IstanzaFrmEnterValue(), d);
    d->hide();
}
