// The compensation page offscreen, loaded from the simulated ECU's blocks: a
// "+" on a cell writes its table through request 15 into the simulated ECU,
// every edit waits for a free request slot, the refused centring and wizard
// hand-over, the enleanment settings and the live view.
#include <gtest/gtest.h>

#include <memory>

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include "CentralinaSimulata.h"
#include "compensation/FrmCompensa.h"
#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMappeDati.h"
#include "maps/FrmEnterValue.h"
#include "platform/Dialoghi.h"

#include <QtCore/QTimer>
#include <QtWidgets/QRadioButton>
#include "support/BlocchiSimulati.h"
#include "support/DizionarioProva.h"
#include "support/ClicProva.h"
#include "support/GrigliaProva.h"
#include "support/SupportoTest.h"
#include "support/TastiProva.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionSlider>

namespace {

class CompensaForma : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        trame_ = {ModBlck::FrameComTGasX, ModBlck::FrameBlocco7, ModBlck::FrameComPGasX, ModBlck::FrameComPBenX,
                  ModBlck::FrameComSMag};
        separatore_ = ModGlobFunct::SeparatoreDecimale;
        dizionarioPrima_ = ModMain::Dizionario;
        righe_ = ModMain::RigheConfigScale;
        ModGlobFunct::SeparatoreDecimale = ".";
        ModMain::RichiestaPendente = 0;
        ModMain::LivelloExp = ModMain::LivelloSup = 1;
        ModMain::LivelloAut = 0;
        ModBlck::TabellaCompensazioneSel = 0;
        for (auto* f : Trame()) f->clear();

        const std::string setCom = std::string(MONDARO_DIST) + "/bin/SetCom.ini";
        ModBlck::LeggiSetCom(setCom);
        ModBlck::InstallaPassiTipo();
        ecu = std::make_unique<Simulazione::CentralinaSimulata>(setCom);
        for (size_t n = 0; n < TabellaBlocchi.size(); ++n) Rileggi(n);

        base_.Scrivi("diz.con", "0\r\n");
        dizionario_ = std::make_unique<ClsLingue>();
        SupportoTest::CaricaDizionario(*dizionario_, std::string(MONDARO_DIST) + "/lng/diz.diz", base_.File("diz.con"));
        ModMain::RigheConfigScale = {"[x]", "1|2"};
        Piattaforma::Copione::Azzera();

        pagina = std::make_unique<FrmCompensa>();
        pagina->resize(1001, 425);
        pagina->Form_Load();
        pagina->CaricaLingua();
        pagina->AggiornaTabelledaVettori();
        pagina->AggiornaLivelliVisualizzazione();
    }
    void TearDown() override {
        pagina.reset();
        TabellaBlocchi = tabella_;
        auto t = Trame();
        for (size_t i = 0; i < t.size(); ++i) *t[i] = trame_[i];
        ModGlobFunct::SeparatoreDecimale = separatore_;
        ModMain::Dizionario = dizionarioPrima_;
        ModMain::RigheConfigScale = righe_;
        ModMain::RichiestaPendente = 0;
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
        ModBlck::TabellaCompensazioneSel = 0;
        ModMain::UltimoIndiceAcq = -1;
        ModMain::RisultatoAcqX.clear();
        ModMain::RisultatoAcqY.clear();
        Piattaforma::Copione::Azzera();
    }
    static std::vector<std::string*> Trame() {
        return {&ModBlck::FrameComTGasX, &ModBlck::FrameBlocco7, &ModBlck::FrameComPGasX, &ModBlck::FrameComPBenX,
                &ModBlck::FrameComSMag};
    }
    // Block n as the simulated ECU holds it, into TabellaBlocchi.
    void Rileggi(size_t n) { SupportoTest::LeggiBloccoSimulato(*ecu, TabellaBlocchi[n]); }
    // What request 15 does with the selector: the prepared frame(s) sent, the block(s) read back.
    void EseguiRichiesta15() {
        ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
        const size_t blocchi[5] = {8, 7, 9, 17, 13};
        for (int k = 0; k < 5; ++k) {
            if (ModBlck::TabellaCompensazioneSel != k && ModBlck::TabellaCompensazioneSel != 255) continue;
            const std::string r = ecu->Rispondi(*Trame()[static_cast<size_t>(k)]);
            ASSERT_GE(r.size(), 5u);
            EXPECT_EQ(static_cast<uint8_t>(r[4]), 0) << "the ECU refused the write of table " << k;
            Rileggi(blocchi[k]);
        }
        ModMain::RichiestaPendente = 0;
    }
    static void Tasto(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier, bool ripetuto = false) {
        QKeyEvent giu(QEvent::KeyPress, k, m, QString(), ripetuto);
        QApplication::sendEvent(w, &giu);
    }
    static void Rilascio(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier, bool ripetuto = false) {
        QKeyEvent su(QEvent::KeyRelease, k, m, QString(), ripetuto);
        QApplication::sendEvent(w, &su);
    }
    static int Suoni(int hz, int ms) {
        int n = 0;
        for (const auto& e : Piattaforma::Copione::Eventi())
            n += e.tipo == Piattaforma::Copione::Tipo::Suono && e.frequenzaHz == hz && e.durataMs == ms;
        return n;
    }
    static int32_t V(size_t blocco, size_t k) { return TabellaBlocchi[blocco].Valori.at(k); }

    std::unique_ptr<Simulazione::CentralinaSimulata> ecu;
    std::unique_ptr<FrmCompensa> pagina;

private:
    SupportoTest::CartellaBase base_{false};
    std::vector<BloccoParametri> tabella_;
    std::vector<std::string> trame_, righe_;
    std::string separatore_;
    ClsLingue* dizionarioPrima_ = nullptr;
    std::unique_ptr<ClsLingue> dizionario_;
};

TEST_F(CompensaForma, SenzaRigheDiImpostazioneUnMessaggioCritico) {
    // Loaded as in the fixture: settings lines present, no box.
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    ModMain::RigheConfigScale.clear();
    FrmCompensa altra;
    altra.resize(1001, 425);
    altra.Form_Load();
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo, QStringLiteral("Error:  RiempiComboSwitch_Err"));
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Critica);
    // The page loads all the same.
    altra.AggiornaTabelledaVettori();
    EXPECT_FALSE(altra.Grd[0]->TextMatrix(0, 1).isEmpty());
}

TEST_F(CompensaForma, PiuSuUnaCellaDellaTabella2ScriveLaCentralina) {
    GrigliaDati* g = pagina->Grd[2];
    g->Row(1);
    g->Col(3);
    const int32_t prima = V(9, 2 * 8 + 1);
    ASSERT_EQ(g->TextMatrix(1, 3).toInt(), prima);
    // The keyboard's repeats arrive as press and release pairs marked as repeats:
    // only the real release ends the step and writes.
    Tasto(g, Qt::Key_Plus);
    Tasto(g, Qt::Key_Plus, Qt::NoModifier, true);
    Rilascio(g, Qt::Key_Plus, Qt::NoModifier, true);
    EXPECT_TRUE(pagina->TastoPremuto);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    Rilascio(g, Qt::Key_Plus);
    EXPECT_FALSE(pagina->TastoPremuto);
    EXPECT_EQ(g->TextMatrix(1, 3).toInt(), prima + 1);
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 2);
    EseguiRichiesta15();
    EXPECT_EQ(V(9, 2 * 8 + 1), prima + 1) << "the simulated ECU holds the new table";
    // The hidden points on both sides follow the straight lines through the new point.
    const int32_t sinistra = V(9, 2 * 4 + 1), destra = V(9, 2 * 12 + 1);
    EXPECT_EQ(V(9, 2 * 6 + 1), static_cast<int32_t>(std::nearbyint((sinistra + prima + 1) / 2.0)));
    EXPECT_EQ(V(9, 2 * 10 + 1), static_cast<int32_t>(std::nearbyint((prima + 1 + destra) / 2.0)));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // Shift and "+" on the pressure axis steps by 10 bar hundredths; losing the
    // focus ends a held key like a release.
    g->Row(0);
    g->Col(2);
    const QString asse = g->TextMatrix(0, 2);
    Tasto(g, Qt::Key_Plus, Qt::ShiftModifier);
    QFocusEvent uscita(QEvent::FocusOut);
    QApplication::sendEvent(g, &uscita);
    EXPECT_FALSE(pagina->TastoPremuto);
    EXPECT_NEAR(g->TextMatrix(0, 2).toDouble(), asse.toDouble() + 0.10, 1e-9);
    EseguiRichiesta15();
    EXPECT_EQ(V(9, 2 * 4), static_cast<int32_t>(std::lround((asse.toDouble() + 0.10) * 1000)));
}

TEST_F(CompensaForma, TastoUgualeSenzaMaiuscoloEUnPasso) {
    GrigliaDati* g = pagina->Grd[0];
    g->Row(1);
    g->Col(2);
    const int prima = g->TextMatrix(1, 2).toInt();
    Tasto(g, Qt::Key_Equal);
    Rilascio(g, Qt::Key_Equal);
    EXPECT_EQ(g->TextMatrix(1, 2).toInt(), prima + 1);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 0);
}

TEST_F(CompensaForma, InvioApreIlDialogoDelValore) {
    GrigliaDati* g = pagina->Grd[2];
    g->Row(0);
    g->Col(4);
    // The dialog answers as soon as it shows: set 5 bar, beyond the 4 bar of the axis.
    QTimer::singleShot(0, [] {
        FrmEnterValue* d = ModMapEditor::IstanzaFrmEnterValue();
        d->OptTipoOper[2]->setChecked(true);
        d->TxtValue->setText(QStringLiteral("5"));
        d->Accetta();
    });
    Tasto(g, Qt::Key_Return);
    Rilascio(g, Qt::Key_Return);
    EXPECT_EQ(g->TextMatrix(0, 4), QStringLiteral("4.00"));
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 2);
    EseguiRichiesta15();
    EXPECT_EQ(V(9, 2 * 12), 4000);

    // Cancelled: a short beep, the cell stays, nothing is posted.
    const QString prima = g->TextMatrix(0, 4);
    QTimer::singleShot(0, [] { ModMapEditor::IstanzaFrmEnterValue()->Annulla(); });
    Tasto(g, Qt::Key_Return);
    Rilascio(g, Qt::Key_Return);
    EXPECT_EQ(g->TextMatrix(0, 4), prima);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(Suoni(600, 100), 1);
}

TEST_F(CompensaForma, SenzaLivello2INessunaModifica) {
    ModMain::LivelloSup = 0;
    pagina->AggiornaLivelliVisualizzazione();
    GrigliaDati* g = pagina->Grd[0];
    g->Row(1);
    g->Col(2);
    const QString prima = g->TextMatrix(1, 2);
    Tasto(g, Qt::Key_Plus);
    Rilascio(g, Qt::Key_Plus);
    EXPECT_EQ(g->TextMatrix(1, 2), prima);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(CompensaForma, ConLaRichiestaOccupataNienteCambiaEIlControlloTorna) {
    ModMain::RichiestaPendente = REQ_WRITE_BLK3;
    ModBlck::TabellaCompensazioneSel = 255;
    const bool prima = pagina->ChkGrd[1]->isChecked();
    pagina->ChkGrd[1]->click();
    EXPECT_EQ(pagina->ChkGrd[1]->isChecked(), prima);
    const QString asse = pagina->Grd[0]->TextMatrix(0, 5);
    pagina->Grd[0]->TextMatrix(0, 1, QStringLiteral("0"));
    pagina->Grd[0]->TextMatrix(0, 15, QStringLiteral("140"));
    pagina->CmdMinMaxPressBar_Click(0);
    EXPECT_EQ(pagina->Grd[0]->TextMatrix(0, 5), asse);
    pagina->Grd[1]->Row(0);
    pagina->Grd[1]->Col(4);
    const QString correzione = pagina->Grd[1]->TextMatrix(1, 1);
    pagina->CmdCentraQui_Click(1);
    EXPECT_EQ(pagina->Grd[1]->TextMatrix(1, 1), correzione);
    const int ingresso = pagina->CmbSmagAccIngresso->currentIndex();
    pagina->CmbSmagAccIngresso->setCurrentIndex(ingresso == 3 ? 4 : 3);
    pagina->CmbSmagAccIngresso_Click();
    EXPECT_EQ(pagina->CmbSmagAccIngresso->currentIndex(), ingresso);
    const int correzioneSmag = pagina->HSC_Correzione->value();
    pagina->HSC_Correzione->setValue(correzioneSmag == 5 ? 6 : 5);
    EXPECT_EQ(pagina->HSC_Correzione->value(), correzioneSmag);
    // A held "+" whose write finds the slot taken at the release puts the cell back.
    ModMain::RichiestaPendente = 0;
    GrigliaDati* g = pagina->Grd[3];
    g->Row(1);
    g->Col(2);
    const QString cella = g->TextMatrix(1, 2);
    Tasto(g, Qt::Key_Plus);
    EXPECT_NE(g->TextMatrix(1, 2), cella);
    ModMain::RichiestaPendente = REQ_WRITE_BLK3;
    Rilascio(g, Qt::Key_Plus);
    EXPECT_EQ(g->TextMatrix(1, 2), cella);

    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 255) << "the selector of the waiting request is kept";
    for (auto* f : Trame()) EXPECT_TRUE(f->empty()) << "no frame was rebuilt";
    EXPECT_EQ(Suoni(600, 100), 5);
    EXPECT_EQ(Suoni(200, 750), 1) << "the refused centring";
}

TEST_F(CompensaForma, CentraturaRifiutataOEseguita) {
    GrigliaDati* g = pagina->Grd[2];
    for (int c = 1; c < 16; ++c) g->TextMatrix(0, c, QString::number(0.25 * (c - 1), 'f', 2));
    g->Row(0);
    g->Col(5);
    pagina->TXTFactor[2]->setText(QStringLiteral("100"));
    pagina->CmdCentraQui_Click(2);
    EXPECT_EQ(Suoni(600, 100), 1);
    EXPECT_EQ(g->TextMatrix(1, 1), QStringLiteral("100"));
    EXPECT_EQ(g->TextMatrix(1, 5), QStringLiteral("0"));
    EXPECT_EQ(g->TextMatrix(1, 15), QStringLiteral("-87"));
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 2);
    EseguiRichiesta15();
    EXPECT_EQ(V(9, 1), 100);
    EXPECT_EQ(V(9, 2 * 56 + 1), -87);

    // A reference of 0 bar, or a negative point: the long low beep, nothing changes.
    const QString prima = g->TextMatrix(1, 1);
    g->TextMatrix(0, 3, QStringLiteral("0.00"));
    g->Row(0);
    g->Col(3);
    pagina->CmdCentraQui_Click(2);
    g->TextMatrix(0, 3, QStringLiteral("0.50"));
    g->TextMatrix(0, 1, QStringLiteral("-0.10"));
    pagina->CmdCentraQui_Click(2);
    g->Col(14);
    pagina->CmdCentraQui_Click(2);
    EXPECT_EQ(Suoni(200, 750), 3);
    EXPECT_EQ(g->TextMatrix(1, 1), prima);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(CompensaForma, CurvaDellaProceduraGuidata) {
    ModMain::UltimoIndiceAcq = 15;
    ModMain::RisultatoAcqX.assign(16, 1.5);
    ModMain::RisultatoAcqY.assign(16, 7);
    const QString prima = pagina->Grd[3]->TextMatrix(1, 15);
    pagina->CalcoloAutomaticoCmpPressBenz();
    EXPECT_EQ(Suoni(200, 750), 1);
    EXPECT_EQ(pagina->Grd[3]->TextMatrix(1, 15), prima);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    ModMain::UltimoIndiceAcq = 14;
    for (int i = 0; i <= 14; ++i) {
        ModMain::RisultatoAcqX[static_cast<size_t>(i)] = 0.25 * i;
        ModMain::RisultatoAcqY[static_cast<size_t>(i)] = 10 - i;
    }
    const bool abilitata = pagina->ChkGrd[3]->isChecked();
    pagina->CalcoloAutomaticoCmpPressBenz();
    EXPECT_EQ(pagina->Grd[3]->TextMatrix(0, 3), QStringLiteral("0.5"));
    EXPECT_EQ(pagina->Grd[3]->TextMatrix(1, 15), QStringLiteral("-4"));
    EXPECT_EQ(pagina->ChkGrd[3]->isChecked(), abilitata);
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 3);
    EseguiRichiesta15();
    EXPECT_EQ(V(17, 2 * 56), 178) << "3.50 V x 51 = 178.5, halves to even";
    EXPECT_EQ(V(17, 2 * 56 + 1), -4);
}

TEST_F(CompensaForma, ImpostazioniDelloSmagrimento) {
    const size_t n = TabellaBlocchi[13].Valori.size() - 1;
    TabellaBlocchi[13].Valori[n - 1] = 0x8005;
    TabellaBlocchi[13].Valori[n] = 20;
    TabellaBlocchi[13].Valori[n - 2] = 45;
    pagina->AggiornaTabelledaVettori();
    EXPECT_EQ(pagina->CmbSmagAccIngresso->currentText(), QStringLiteral("5"));
    EXPECT_EQ(pagina->CmbSmagAccUscita->currentText(), QStringLiteral("20"));
    EXPECT_TRUE(pagina->ChkGrd[4]->isChecked());
    EXPECT_EQ(pagina->HSC_Correzione->value(), 30) << "clamped to the slider";
    EXPECT_EQ(pagina->Grd[4]->TextMatrix(1, 15), QStringLiteral("45"));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    pagina->CmbSmagAccIngresso->setCurrentIndex(6);
    pagina->CmbSmagAccIngresso_Click();
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 4);
    EseguiRichiesta15();
    EXPECT_EQ(V(13, n - 1), 0x8007);

    pagina->Grd[4]->TextMatrix(1, 1, QStringLiteral("0"));
    pagina->HSC_Correzione->setValue(-10);
    EXPECT_EQ(pagina->Grd[4]->TextMatrix(1, 15), QStringLiteral("-10"));
    EXPECT_EQ(pagina->Grd[4]->TextMatrix(1, 2), QStringLiteral("0"));
    EXPECT_EQ(pagina->Grd[4]->TextMatrix(1, 3), QStringLiteral("-1"));
    EXPECT_EQ(pagina->TXT_Correzione->text(), QStringLiteral("-10 %"));
    EseguiRichiesta15();
    EXPECT_EQ(V(13, n - 2), -10);

    pagina->HSC_Permanenza->setValue(1);
    EXPECT_EQ(pagina->CmbSmagAccUscita->currentText(), QStringLiteral("1"));
    EXPECT_EQ(pagina->TXT_Permanenza->text(), QStringLiteral("1"));
    EseguiRichiesta15();
    EXPECT_EQ(V(13, n), 1);

    // Without an entry chosen the stored entry stays; the box still sets the enable bit.
    TabellaBlocchi[13].Valori[n - 1] = 40; // no item is >= 40
    pagina->AggiornaTabelledaVettori();
    EXPECT_EQ(pagina->CmbSmagAccIngresso->currentIndex(), -1);
    pagina->ChkGrd[4]->click();
    EseguiRichiesta15();
    EXPECT_EQ(V(13, n - 1), 40 | 0x8000);
}

TEST_F(CompensaForma, VistaDalVivo) {
    auto& b1 = TabellaBlocchi[1].Valori;
    b1.assign(63, 0);
    b1[46] = 60;
    b1[55] = 512;
    pagina->VisualizzaPuntoTabella();
    pagina->IndiciEsperti();
    GrigliaDati* g = pagina->Grd[0];
    const int l0 = g->x() + g->ColWidth(0) / 15, w = g->ColWidth(1) / 15;
    EXPECT_EQ(pagina->PctGrd[0]->x(), l0 + 14 * w) << "clamped to the start of the last column";
    EXPECT_TRUE(pagina->Lab_NewVal->text().startsWith(QStringLiteral("ANALOG_IN1:   2502 mV\n")));
    EXPECT_TRUE(pagina->LAB_MON[0]->text().contains(QStringLiteral(">>[---] --- > -----")));
    g->Row(0);
    g->Col(2);
    pagina->VisualizzaPuntoTabella();
    EXPECT_TRUE(pagina->CmdCentraQui[0]->isEnabled());
    EXPECT_TRUE(pagina->CmdCentraQui[0]->Caption().endsWith(QStringLiteral(" [") + g->TextMatrix(0, 2) + "]"));
    g->Col(14);
    pagina->VisualizzaPuntoTabella();
    EXPECT_FALSE(pagina->CmdCentraQui[0]->isEnabled());

    // A live block too short: nothing is read past its end.
    b1.assign(10, 0);
    pagina->VisualizzaPuntoTabella();
    pagina->IndiciEsperti();
    EXPECT_EQ(pagina->PctGrd[0]->x(), l0 + 14 * w) << "the marker keeps its place";
    TabellaBlocchi.resize(1);
    pagina->VisualizzaPuntoTabella();
    pagina->IndiciEsperti();
}

// Every grid ends at its last column: no empty strip after it, at either size.
TEST_F(CompensaForma, GriglieFinisconoConLUltimaColonna) {
    for (const QSize s : {QSize(1001, 425), QSize(1377, 745)}) {
        pagina->resize(s);
        pagina->Form_Resize();
        for (const GrigliaDati* g : pagina->Grd) {
            int colonne = 2 * g->frameWidth();
            for (int c = 0; c < g->Cols(); ++c) colonne += g->columnWidth(c);
            EXPECT_EQ(g->width(), colonne) << s.width();
            EXPECT_EQ(g->ColWidth(2), pagina->Grd[0]->ColWidth(2)) << s.width();
        }
    }
}

} // namespace

TEST_F(CompensaForma, TastiPiuEMenoDiOgniTastiera) {
    // The step keys with their layout's key, text and scan code, on a correction cell.
    using namespace SupportoTest::Tastiera;
    struct Caso {
        const SupportoTest::TastoTastiera& tasto;
        int dopo; // from 50
    };
    const Caso casi[] = {
        {ItShiftPiu, 60}, {ItPiu, 51}, {UsShiftUguale, 60}, {UsUguale, 51},
        {UsShiftMeno, 40}, {ItMeno, 49}, {TastierinoMeno, 49}, {UsShift8, 50},
    };
    GrigliaDati* g = pagina->Grd[0];
    for (const Caso& c : casi) {
        ModMain::RichiestaPendente = 0;
        g->TextMatrix(1, 2, QStringLiteral("50"));
        g->Row(1);
        g->Col(2);
        SupportoTest::Batti(g, c.tasto);
        EXPECT_EQ(g->TextMatrix(1, 2).toInt(), c.dopo) << c.tasto.nome;
    }
}

TEST_F(CompensaForma, CellaCliccataGiallaConTestoNero) {
    pagina->show();
    GrigliaDati* g = pagina->Grd[0];
    for (const int riga : {0, 1}) {
        SupportoTest::ClicCella(g, riga, 3);
        ASSERT_EQ(g->Row(), riga);
        ASSERT_EQ(g->Col(), 3);
        EXPECT_TRUE(SupportoTest::CellaGialla(g, riga, 3));
    }
}

TEST_F(CompensaForma, BarreDelloSmagrimentoAgisconoAlRilascio) {
    // The thumb dragged step by step: one change, one write when it is let go,
    // no busy beep and no snapping back on the way.
    pagina->show();
    pagina->PctSlider->show();
    const size_t n = TabellaBlocchi[13].Valori.size() - 1;
    struct Caso {
        QScrollBar* barra;
        size_t valore; // block 13 value written
    };
    for (const Caso& c : {Caso{pagina->HSC_Correzione, n - 2}, Caso{pagina->HSC_Permanenza, n}}) {
        QScrollBar* b = c.barra;
        QStyleOptionSlider o;
        o.initFrom(b);
        o.orientation = b->orientation();
        o.state |= QStyle::State_Horizontal;
        o.minimum = b->minimum();
        o.maximum = b->maximum();
        o.sliderPosition = b->sliderPosition();
        o.sliderValue = b->value();
        o.singleStep = b->singleStep();
        o.pageStep = b->pageStep();
        const QPoint da = b->style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, b).center();
        const int prima = b->value();
        auto mouse = [b](QEvent::Type t, QPoint p, Qt::MouseButtons tenuti) {
            QMouseEvent e(t, QPointF(p), QPointF(b->mapToGlobal(p)), Qt::LeftButton, tenuti, Qt::NoModifier);
            QApplication::sendEvent(b, &e);
        };
        mouse(QEvent::MouseButtonPress, da, Qt::LeftButton);
        for (int dx = 2; dx <= 12; dx += 2) mouse(QEvent::MouseMove, da + QPoint(dx, 0), Qt::LeftButton);
        EXPECT_EQ(ModMain::RichiestaPendente, 0) << "nothing is written while the thumb is held";
        mouse(QEvent::MouseButtonRelease, da + QPoint(12, 0), Qt::NoButton);
        EXPECT_GT(b->value(), prima);
        EXPECT_EQ(Suoni(600, 100), 0);
        EseguiRichiesta15();
        EXPECT_EQ(V(13, c.valore), b->value());
    }
}

TEST_F(CompensaForma, CentraturaConLaRichiestaOccupataSuonaIlRifiuto) {
    // The centring button clicked while the request slot is taken: the long
    // low refusal beep, not the short acknowledge, and the curve stays.
    GrigliaDati* g = pagina->Grd[1];
    g->Row(0);
    g->Col(4);
    PulsanteGrafico* centra = pagina->CmdCentraQui[1];
    centra->setEnabled(true);
    const QString correzione = g->TextMatrix(1, 1);
    ModMain::RichiestaPendente = REQ_WRITE_BLK3;
    SupportoTest::Clic(centra);
    EXPECT_EQ(Suoni(200, 750), 1);
    EXPECT_EQ(Suoni(600, 100), 0);
    EXPECT_EQ(g->TextMatrix(1, 1), correzione);
    ModMain::RichiestaPendente = 0;
    SupportoTest::Clic(centra);
    EXPECT_EQ(Suoni(600, 100), 1);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
}
