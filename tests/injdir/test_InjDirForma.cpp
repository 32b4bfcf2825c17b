// The direct-injection page against the simulated ECU: loading, the staged
// edits and requests, the loading and slot guards, the advance-table grid's
// held keys and busy slot, the live marker, texts, resizing, and pictures at
// two sizes in both languages (with MONDARO_SCREENSHOT_DIR).
#include "injdir/FissaggioInjDir.h"

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "engine/RegistratoreInterfaccia.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainRichieste.h"
#include "maps/FrmEnterValue.h"
#include "support/GrigliaProva.h"

namespace {

class InjDirForma : public FissaggioInjDir {
protected:
    static void Uguale(const ListaModifiche& l, std::vector<std::array<int32_t, 3>> attese, const std::string& dove) {
        ASSERT_EQ(l.size(), attese.size()) << dove;
        for (size_t i = 0; i < l.size(); ++i) {
            EXPECT_EQ(l[i].Valore, attese[i][0]) << dove << " entry " << i;
            EXPECT_EQ(l[i].IndiceValore, attese[i][1]) << dove << " entry " << i;
            EXPECT_EQ(l[i].Maschera, attese[i][2]) << dove << " entry " << i;
        }
    }
    // Picks item `i` as the user would.
    static void Scegli(QComboBox* c, int i) {
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    // Holds a key on the grid's current cell until `passi` steps have shown,
    // then lets it go.
    int TieniTasto(int tasto, Qt::KeyboardModifiers m, int passi) {
        GrigliaDati* g = pagina_->GrdQDL;
        int visti = 0;
        QString ultimo = g->Text();
        auto c = QObject::connect(g->model(), &QAbstractItemModel::dataChanged, g, [&] {
            if (g->Text() == ultimo) return; // a colour, not a step
            ultimo = g->Text();
            if (++visti == passi) QCoreApplication::postEvent(g, new QKeyEvent(QEvent::KeyRelease, tasto, m));
        });
        QKeyEvent premi(QEvent::KeyPress, tasto, m);
        QApplication::sendEvent(g, &premi);
        QObject::disconnect(c);
        return visti;
    }
};

TEST_F(InjDirForma, CaricaDallaCentralina) {
    const struct {
        size_t parola;
        int32_t valore;
        QComboBox* FRM_ZEBinjDir::*combo;
        int atteso;
    } casi[] = {
        {0, 12, &FRM_ZEBinjDir::CmbSogliaTrigger, 2},       {0, 13, &FRM_ZEBinjDir::CmbSogliaTrigger, 3},
        {0, 125, &FRM_ZEBinjDir::CmbSogliaTrigger, -1},     {2, 25, &FRM_ZEBinjDir::cmbContrIDMAP_H, 2},
        {2, 35, &FRM_ZEBinjDir::cmbContrIDMAP_H, 4},        {2, 1030, &FRM_ZEBinjDir::cmbContrIDMAP_H, -1},
        {10, 159, &FRM_ZEBinjDir::cmbContrIDThrIST, 159},   {10, 160, &FRM_ZEBinjDir::cmbContrIDThrIST, -1},
        {4, 7, &FRM_ZEBinjDir::cmbContrIDThrTime, 7},       {3, 14, &FRM_ZEBinjDir::cmbContrIDMAP_L, 13},
        {6, 15, &FRM_ZEBinjDir::cmbContrIDContributo, 2},  {6, 16, &FRM_ZEBinjDir::cmbContrIDContributo, -1},  {6, 5, &FRM_ZEBinjDir::cmbContrIDContributo, 0},
        {6, 0, &FRM_ZEBinjDir::cmbContrIDContributo, 11},   {11, 2, &FRM_ZEBinjDir::cmbContrIDTimeShift, 1},
        {14, 90, &FRM_ZEBinjDir::cmbGradiAnticipo, 90},     {21, 250, &FRM_ZEBinjDir::CMB_max_AcqFuelPres, 7},
        {22, 1500, &FRM_ZEBinjDir::CMB_ritATT_EmuFuelP, 3}, {23, 25000, &FRM_ZEBinjDir::CMB_max_OutGas, 8},
        {23, 2500, &FRM_ZEBinjDir::CMB_max_OutGas, -1},     {9, 2500, &FRM_ZEBinjDir::CmbSogliaRPMAccMin, 6},
    };
    for (const auto& c : casi) {
        ecu_->ImpostaValore(16, c.parola, c.valore);
        LeggiCentralina();
        pagina_->AggiornaSelezioni();
        EXPECT_EQ(((*pagina_).*c.combo)->currentIndex(), c.atteso) << "word " << c.parola << " = " << c.valore;
    }
    EXPECT_FALSE(pagina_->InCaricamento);
    // The extra contribution item stands for the value line of "[CONTRIBUTO]".
    EXPECT_EQ(pagina_->ValoreContributoSpeciale, 0);
    EXPECT_EQ(pagina_->cmbContrIDContributo->count(), 12);
    for (int32_t bit : {0x7F, 0x80}) {
        ecu_->ImpostaValore(16, 1, bit);
        LeggiCentralina();
        pagina_->AggiornaSelezioni();
        for (QComboBox* c : {pagina_->cmbCntrbEnabler, pagina_->cmbgasbenzina, pagina_->CMBAbilOutCutOff,
                             pagina_->CMBAbilDeltaPAccMin, pagina_->CMB_AbilEmuFuelP, pagina_->CMBdisHalfPer,
                             pagina_->CMBdisSimInjB})
            EXPECT_EQ(c->currentIndex(), bit == 0x7F ? 1 : 0) << c->objectName().toStdString();
    }
    ecu_->ImpostaValore(12, 24, 0x36);
    LeggiCentralina();
    pagina_->AggiornaSelezioni();
    EXPECT_EQ(pagina_->cmbPIDLambda->currentIndex(), 5);
    EXPECT_EQ(pagina_->lblLetturaLambda->text(), pagina_->cmbPIDLambda->itemText(5));
    ecu_->ImpostaValore(12, 24, 20);
    LeggiCentralina();
    pagina_->AggiornaSelezioni();
    EXPECT_EQ(pagina_->cmbPIDLambda->currentIndex(), -1);
    EXPECT_EQ(pagina_->lblLetturaLambda->text(), pagina_->lblPIDLambda->text());
    // The advance table: rpm x 64 above, block 12 values 60..83 below.
    EXPECT_EQ(pagina_->GrdQDL->TextMatrix(0, 1), QStringLiteral("768"));
    EXPECT_EQ(pagina_->GrdQDL->TextMatrix(1, 24), QStringLiteral("115"));
    // The loader's own selections post nothing.
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
}

TEST_F(InjDirForma, LaCentralinaSimulataParteDaVociDelleListe) {
    LeggiCentralina();
    pagina_->AggiornaSelezioni();
    for (QComboBox* c : {pagina_->CMB_max_OutGas, pagina_->CmbSogliaRPMAccMin, pagina_->CMBDeltaTAccMin,
                         pagina_->CMBDeltaPAccMin, pagina_->CMBCicliDeltaPAccMin, pagina_->CMB_max_AcqFuelPres,
                         pagina_->cmbContrIDMAP_L, pagina_->cmbContrIDThrPress})
        EXPECT_GE(c->currentIndex(), 0) << c->objectName().toStdString();
}

TEST_F(InjDirForma, OgniSceltaUnaModificaEUnaRichiesta) {
    auto& p = *pagina_;
    const struct {
        QComboBox* c;
        int voce;
        std::array<int32_t, 3> attesa;
        int32_t richiesta;
    } casi[] = {
        {p.CmbSogliaTrigger, 3, {15, 0, 0}, REQ_WRITE_BLK16},
        {p.cmbgasbenzina, 1, {1, 1, 0x02}, REQ_WRITE_BLK16},
        {p.cmbgasbenzina, 0, {0, 1, 0x02}, REQ_WRITE_BLK16},
        {p.CMBdisSimInjB, 1, {1, 1, 0x40}, REQ_WRITE_BLK16},
        {p.CMB_AbilEmuFuelP, 1, {1, 1, 0x10}, REQ_WRITE_BLK16},
        {p.cmbContrIDMAP_H, 102, {1020, 2, 0}, REQ_WRITE_BLK16},
        {p.cmbContrIDMAP_L, 4, {5, 3, 0}, REQ_WRITE_BLK16},
        {p.cmbContrIDThrTime, 9, {9, 4, 0}, REQ_WRITE_BLK16},
        {p.cmbContrIDContributo, 0, {5, 6, 0}, REQ_WRITE_BLK16},   // 0.16 x 1000 / 32
        {p.cmbContrIDContributo, 11, {0, 6, 0}, REQ_WRITE_BLK16},  // the extra item
        {p.cmbContrIDTimeShift, 2, {4, 11, 0}, REQ_WRITE_BLK16},   // 32 / 8
        {p.cmbGradiAnticipo, 90, {90, 14, 0}, REQ_WRITE_BLK16},
        {p.CMBCicliDeltaPAccMin, 2, {15, 20, 0}, REQ_WRITE_BLK16},
        {p.CMB_max_AcqFuelPres, 1, {80, 21, 0}, REQ_WRITE_BLK16},
        {p.CMB_ritATT_EmuFuelP, 10, {5000, 22, 0}, REQ_WRITE_BLK16},
        {p.CMB_max_OutGas, 8, {25000, 23, 0}, REQ_WRITE_BLK16},
        {p.cmbPIDLambda, 10, {0x3B, 24, 0}, REQ_WRITE_BLK12},
        {p.cmbPIDLambda, 0, {0, 24, 0}, REQ_WRITE_BLK12},
    };
    for (const auto& c : casi) {
        ModMain::RichiestaPendente = 0;
        ModBlck::ModificheBlocco12 = ModBlck::ModificheBlocco16 = ModBlck::ListaVuota();
        Scegli(c.c, c.voce);
        const std::string dove = c.c->objectName().toStdString() + " item " + std::to_string(c.voce);
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta) << dove;
        Uguale(c.richiesta == REQ_WRITE_BLK12 ? ModBlck::ModificheBlocco12 : ModBlck::ModificheBlocco16, {c.attesa}, dove);
    }
    // The counter reset.
    ModMain::RichiestaPendente = 0;
    emit p.cmdContrIDCounter->Click();
    Uguale(ModBlck::ModificheBlocco16, {{0, 8, 0}}, "counter");
    EXPECT_EQ(p.txtContrIDCounter->text(), QStringLiteral(" - - "));
    // A pick written through to the simulated ECU.
    ModMain::RichiestaPendente = 0;
    Scegli(p.cmbGradiAnticipo, 42);
    Scrivi(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16);
    EXPECT_EQ(ecu_->Valore(16, 14), 42);
}

TEST_F(InjDirForma, MaxOutGasMillesimiInteri) {
    // 2.5 writes 2500 (not 2000), and a stored 2500 shows 2.5.
    pagina_->RiempiCmbSwtch({"[MAX_OUTGAS]", "2000|2500|3500"});
    Scegli(pagina_->CMB_max_OutGas, 1);
    Uguale(ModBlck::ModificheBlocco16, {{2500, 23, 0}}, "2.5");
    Scrivi(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16);
    pagina_->AggiornaSelezioni();
    EXPECT_EQ(pagina_->CMB_max_OutGas->currentIndex(), 1);
    ModMain::RichiestaPendente = 0;
    Scegli(pagina_->CMB_max_OutGas, 2);
    Uguale(ModBlck::ModificheBlocco16, {{3500, 23, 0}}, "3.5");
}

TEST_F(InjDirForma, GuardieELeVociNonNumeriche) {
    ModBlck::ModificheBlocco16 = {{7, 3, 0}};
    ModMain::RichiestaPendente = 13;
    Scegli(pagina_->CmbSogliaTrigger, 1);
    emit pagina_->cmdContrIDCounter->Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 13);
    Uguale(ModBlck::ModificheBlocco16, {{7, 3, 0}}, "slot taken");
    ModMain::RichiestaPendente = 0;
    pagina_->InCaricamento = true;
    Scegli(pagina_->CmbSogliaTrigger, 1);
    pagina_->InCaricamento = false;
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    // A list item that is no number posts nothing and leaves no half-built entry.
    pagina_->RiempiCmbSwtch({"[NUMR_OUT_CUTOFF]", "2|abc"});
    ModBlck::ModificheBlocco16 = ModBlck::ListaVuota();
    Scegli(pagina_->CMBNumOutCutOff, 1);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
    // A contribution section without its value line: the extra item writes nothing.
    pagina_->RiempiCmbSwtch({"[CONTRIBUTO]", "1000|2000"});
    EXPECT_EQ(pagina_->ValoreContributoSpeciale, -1);
    EXPECT_EQ(pagina_->cmbContrIDContributo->count(), 3);
    Scegli(pagina_->cmbContrIDContributo, 2);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    pagina_->RiempiCmbSwtch({"[CONTRIBUTO]", "1000|2000", "77"});
    EXPECT_EQ(pagina_->ValoreContributoSpeciale, 77);
    EXPECT_EQ(pagina_->cmbContrIDContributo->itemText(1), QStringLiteral("2"));
}

TEST_F(InjDirForma, TabellaAnticipoTastoTenutoScriveIlBlocco12) {
    GrigliaDati* g = pagina_->GrdQDL;
    g->Row(1);
    g->Col(3); // value 60 + 2, 10
    EXPECT_EQ(TieniTasto(Qt::Key_Plus, Qt::NoModifier, 3), 3);
    EXPECT_EQ(g->TextMatrix(1, 3), QStringLiteral("13"));
    EXPECT_FALSE(pagina_->TastoPremuto);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK12);
    ASSERT_EQ(ModBlck::ModificheBlocco12.size(), 24u);
    EXPECT_EQ(ModBlck::ModificheBlocco12[2].Valore, 13);
    EXPECT_EQ(ModBlck::ModificheBlocco12[23].IndiceValore, 83);
    Scrivi(12, ModBlck::ModificheBlocco12, CMD_WRITE_BLK12);
    EXPECT_EQ(ecu_->Valore(12, 62), 13);
    EXPECT_EQ(ecu_->Valore(12, 83), 115);
    // Shift steps by ten and stops at 150.
    g->Col(24);
    TieniTasto(Qt::Key_Plus, Qt::ShiftModifier, 4);
    EXPECT_EQ(g->TextMatrix(1, 24), QStringLiteral("150"));
}

TEST_F(InjDirForma, TabellaAnticipoSlotOccupatoELostFocus) {
    GrigliaDati* g = pagina_->GrdQDL;
    g->Row(1);
    g->Col(5);
    ModMain::RichiestaPendente = 13;
    QKeyEvent premi(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier);
    QApplication::sendEvent(g, &premi);
    EXPECT_EQ(g->TextMatrix(1, 5), QStringLiteral("20")); // unchanged, as block 12 holds it
    EXPECT_EQ(Bip(), 1);
    EXPECT_EQ(ModMain::RichiestaPendente, 13);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco12));
    // A repeat that ends on focus loss with the slot taken meanwhile: the
    // grid returns to block 12 and nothing is staged.
    ModMain::RichiestaPendente = 0;
    int passi = 0;
    auto c = QObject::connect(g->model(), &QAbstractItemModel::dataChanged, g, [&] {
        if (++passi == 2) {
            ModMain::RichiestaPendente = 13;
            QCoreApplication::postEvent(g, new QFocusEvent(QEvent::FocusOut));
        }
    });
    QApplication::sendEvent(g, &premi);
    QObject::disconnect(c);
    EXPECT_FALSE(pagina_->TastoPremuto);
    EXPECT_EQ(g->TextMatrix(1, 5), QStringLiteral("20"));
    EXPECT_EQ(Bip(), 2);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco12));
}

TEST_F(InjDirForma, CellaCliccataGiallaConTestoNero) {
    pagina_->show();
    GrigliaDati* g = pagina_->GrdQDL;
    ASSERT_TRUE(g->isVisible());
    for (const int colonna : {1, 5}) {
        SupportoTest::ClicCella(g, 1, colonna);
        ASSERT_EQ(g->Col(), colonna);
        EXPECT_TRUE(SupportoTest::CellaGialla(g, 1, colonna));
    }
    SupportoTest::Fotografa(pagina_.get(), "injdir_cella_gialla.png");
}

TEST_F(InjDirForma, DoppioClicSoloSullaRigaIntera) {
    GrigliaDati* g = pagina_->GrdQDL;
    g->Row(1);
    g->Col(1);
    g->ColSel(10);
    pagina_->GrdQDL_DblClick();
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    g->ColSel(24);
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
    pagina_->GrdQDL_DblClick();
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0], Voce("[Start_InjDir]", 21));
    EXPECT_EQ(g->ColSel(), 1);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

namespace {
// The value dialog answers as soon as it shows: operation `op` (0 add, 1 percent, 2 set) with `testo`.
void InjRispondi(int op, const char* testo) {
    QTimer::singleShot(0, [op, testo] {
        FrmEnterValue* d = ModMapEditor::IstanzaFrmEnterValue();
        d->OptTipoOper[static_cast<size_t>(op)]->setChecked(true);
        d->TxtValue->setText(QString::fromLatin1(testo));
        d->Accetta();
    });
}
} // namespace

TEST_F(InjDirForma, InvioERigaInteraConIlDialogo) {
    GrigliaDati* g = pagina_->GrdQDL;
    g->Row(1);
    g->Col(19); // 90
    InjRispondi(0, "100");
    pagina_->GrdQDL_KeyUp(13, 0);
    EXPECT_EQ(g->TextMatrix(1, 19), QStringLiteral("150"));
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK12);
    Scrivi(12, ModBlck::ModificheBlocco12, CMD_WRITE_BLK12);
    EXPECT_EQ(ecu_->Valore(12, 78), 150);
    // Cancelled: nothing changes, nothing is posted.
    QTimer::singleShot(0, [] { ModMapEditor::IstanzaFrmEnterValue()->Annulla(); });
    pagina_->GrdQDL_KeyUp(13, 0);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    // The whole row, confirmed, less 50 %: 0, 5, 10 ... become 0, 2 (2.5 to even), 5 ...
    pagina_->AggiornaSelezioni();
    g->Row(1);
    g->Col(1);
    g->ColSel(24);
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
    InjRispondi(1, "-50");
    pagina_->GrdQDL_DblClick();
    EXPECT_EQ(g->TextMatrix(1, 1), QStringLiteral("0"));
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("2"));
    EXPECT_EQ(g->TextMatrix(1, 3), QStringLiteral("5"));
    EXPECT_EQ(g->ColSel(), 24);
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK12);
    Scrivi(12, ModBlck::ModificheBlocco12, CMD_WRITE_BLK12);
    EXPECT_EQ(ecu_->Valore(12, 83), 58); // 115 x 0.5 = 57.5, to even
}

TEST_F(InjDirForma, IndicatoreVivo) {
    auto& p = *pagina_;
    p.show();
    Imposta(2, 1, 0);
    p.VisualizzaPunto(30);
    const QRect a = p.Indicatore->geometry();
    p.VisualizzaPunto(23);
    EXPECT_EQ(p.Indicatore->geometry(), a);
    EXPECT_TRUE(p.Indicatore->isHidden()); // run flag clear: hidden, still moved and recoloured
    EXPECT_EQ(p.Indicatore->BackColor(), 0x80FF);
    Imposta(1, 37, 1);
    p.VisualizzaPunto(0);
    EXPECT_FALSE(p.Indicatore->isHidden());
    EXPECT_EQ(p.Indicatore->BackColor(), 0xFFFF);
    EXPECT_LT(p.Indicatore->x(), a.x());
    const QRect g = p.GrdQDL->geometry();
    EXPECT_GT(p.Indicatore->y() + p.Indicatore->height(), g.y() + p.GrdQDL->rowHeight(0));
    EXPECT_LT(p.Indicatore->y(), g.y() + p.GrdQDL->rowHeight(0) + p.GrdQDL->frameWidth());
    Imposta(2, 1, 1);
    p.VisualizzaPunto(0);
    EXPECT_EQ(p.Indicatore->BackColor(), 0xFFFF00);
    p.VisualizzaPunto(0);
    EXPECT_EQ(p.Indicatore->BackColor(), 0xFF8000);
}

TEST_F(InjDirForma, TestiELingua) {
    auto& p = *pagina_;
    EXPECT_EQ(p.lblPIDLambda->text().toStdString(), Voce("[Start_InjDir]", 4));
    EXPECT_EQ(p.TXTdisSimInjB->text().toStdString(), Voce("[Start_InjDir]", 27));
    EXPECT_EQ(p.cmbPIDLambda->count(), 11);
    EXPECT_EQ(p.cmbGradiAnticipo->count(), 151);
    EXPECT_EQ(p.cmbContrIDMAP_H->count(), 103);
    EXPECT_EQ(p.cmbContrIDThrIST->itemText(159), QStringLiteral("3975"));
    EXPECT_EQ(p.cmbUM->currentIndex(), 0);
    ModMain::Dizionario->IdLingua(1);
    p.CaricaLingua();
    EXPECT_EQ(p.lblContrIDMAP_H->text(), QStringLiteral("*DeltaV #1 (V)"));
    EXPECT_EQ(p.cmbContrIDContributo->itemText(p.cmbContrIDContributo->count() - 1),
              ModMain::TestoLingua(ModMain::Dizionario->VoceDizionario(1, 19)));
    EXPECT_FALSE(p.lblPIDLambda->text().isEmpty());
    ModMain::Dizionario->IdLingua(0);
}

TEST_F(InjDirForma, RidimensionaIgnoraLaMisuraZero) {
    auto& p = *pagina_;
    p.show();
    const int altezza = p.cmbUM->height();
    p.resize(1500, 638);
    EXPECT_EQ(p.cmbUM->height(), altezza); // combo boxes keep their height
    const QRect grande = p.GrdQDL->geometry();
    EXPECT_NEAR(grande.width(), 968 * 1.5, 2);
    p.resize(0, 0);
    EXPECT_EQ(p.GrdQDL->geometry(), grande);
    p.resize(1000, 425);
    EXPECT_NEAR(p.GrdQDL->width(), 968, 1);
    EXPECT_EQ(p.GrdQDL->ColWidth(0), p.GrdQDL->ColWidth(23));
}

TEST_F(InjDirForma, Immagini) {
    QWidget area;
    QPalette pal = area.palette();
    pal.setColor(QPalette::Window, Qt::black);
    area.setAutoFillBackground(true);
    area.setPalette(pal);
    pagina_->setParent(&area);
    ModMain::LivelloAut = -1;
    Imposta(1, 37, 1);
    const char* cartella = std::getenv("MONDARO_SCREENSHOT_DIR");
    const struct {
        int lingua;
        const char* sigla;
    } lingue[] = {{0, "en"}, {1, "it"}};
    const struct {
        int larghezza, altezza;
    } dimensioni[] = {{1001, 425}, {1377, 685}};
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(l.lingua));
        pagina_->CaricaLingua();
        for (const auto& d : dimensioni) {
            area.resize(d.larghezza, d.altezza);
            pagina_->setGeometry(0, 0, d.larghezza, d.altezza);
            area.show();
            pagina_->show();
            pagina_->AggiornaLivelliVisualizzazione();
            pagina_->AggiornaSelezioni();
            pagina_->VisualizzaPunto(6);
            EXPECT_FALSE(pagina_->FRM_ADV->isHidden());
            if (cartella)
                area.grab().save(QDir(QString::fromLocal8Bit(cartella))
                                     .filePath(QStringLiteral("injdir_%1_%2.png").arg(QString::fromLatin1(l.sigla)).arg(d.larghezza)));
        }
    }
    ModMain::Dizionario->IdLingua(0);
    pagina_->setParent(nullptr);
}

} // namespace

TEST_F(InjDirForma, IlPulsanteApreLaTaratura) {
    // The automatic calibration window has no menu of its own: this page's button opens it.
    RegistratoreInterfaccia ui;
    MDIFrm::RegistraInterfaccia(&ui);
    EXPECT_FALSE(pagina_->CmdAutoTaratura->Caption().isEmpty());
    emit pagina_->CmdAutoTaratura->Click();
    MDIFrm::RegistraInterfaccia(nullptr);
    EXPECT_TRUE(ui.Chiamato("MDIFrm.SelezioneScheda(5)"));
}
