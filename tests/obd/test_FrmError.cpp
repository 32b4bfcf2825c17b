// The error page offscreen, against the simulated ECU through the real
// companion: the list drawn from block 4, clearing, the option toggles of
// block 15 and the service counters of block 2.
#include <gtest/gtest.h>

#include <memory>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QScrollBar>

#include "controls/GrigliaDati.h"
#include "core/ModMainCaricatori.h"
#include "engine/FissaggioMotore.h"
#include "engine/MDIFrmRichieste.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"
#include "obd/FrmError.h"
#include "support/GiornaleCompagno.h"

namespace {

// The shell's part: the executor's refreshes reach the page.
class InoltroErrori : public RegistratoreInterfaccia {
public:
    explicit InoltroErrori(FrmError* f) : f_(f) {}
    void FrmError_VisualizzaErrori() override {
        RegistratoreInterfaccia::FrmError_VisualizzaErrori();
        f_->VisualizzaErrori();
    }
    void FrmError_AggiornaVisualizzazioni(bool t) override {
        RegistratoreInterfaccia::FrmError_AggiornaVisualizzazioni(t);
        f_->AggiornaVisualizzazioni(t);
    }
    void FrmError_AggiornaAbilitazioni() override {
        RegistratoreInterfaccia::FrmError_AggiornaAbilitazioni();
        f_->AggiornaAbilitazioni();
    }

private:
    FrmError* f_;
};

class PaginaErrori : public FissaggioMotore {
protected:
    void SetUp() override {
        FissaggioMotore::SetUp();
        Connetti();
        if (HasFatalFailure()) return;
        righe_ = ModMain::RigheConfigScale;
        ModMain::RigheConfigScale = {"[CmbService]", "50|100|500", "[CmbServiceLOW]", "250|750"};
        pagina_ = ModMain::PaginaCorrente;
        ModMain::PaginaCorrente = SCHEDA_ERRORI;
        for (size_t n : {1u, 2u, 4u, 15u}) ASSERT_TRUE(LeggiBlocco(n)) << n;
        f = std::make_unique<FrmError>();
        f->resize(1000, 425);
        f->Form_Load();
        ui.reset();
        ui = std::make_unique<InoltroErrori>(f.get());
        Piattaforma::Copione::Attiva(true);
    }
    void TearDown() override {
        ui.reset();
        f.reset();
        ModMain::RigheConfigScale = righe_;
        ModMain::PaginaCorrente = pagina_;
        FissaggioMotore::TearDown();
    }
    // Carries out the request in the slot as the link timer would.
    void EseguiPendente() {
        ASSERT_NE(ModMain::RichiestaPendente, 0);
        ModMain::StatoConnessione = STATO_ESECUZIONE;
        MDIFrm::EseguiRichiesta();
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::RichiestaPendente = 0;
    }
    std::string Cella(int r, int c) const { return f->GrdErr->TextMatrix(r, c).toStdString(); }
    int32_t ValoreEcu(size_t n, size_t k) {
        EXPECT_TRUE(LeggiBlocco(n));
        return TabellaBlocchi[n].Valori.at(k);
    }

    std::unique_ptr<FrmError> f;

private:
    std::vector<std::string> righe_;
    int32_t pagina_ = 0;
};

TEST_F(PaginaErrori, ListaDalBlocco4ECancellazione) {
    ASSERT_EQ(f->GrdErr->Rows(), 22);
    EXPECT_EQ(Cella(4, 0), "Err 03");
    EXPECT_EQ(Cella(4, 1), "Manifold pressure sensor");
    f->VisualizzaErrori();
    EXPECT_EQ(Cella(4, 2), "Fault");
    EXPECT_EQ(Cella(4, 3), "Fault");
    EXPECT_EQ(Cella(10, 3), "Intermittent");
    EXPECT_EQ(Cella(21, 3), " Inj 3 - fault");
    EXPECT_EQ(Cella(1, 2), "OK");

    // The first periodic call reads the errors; the clear waits for the slot.
    f->CmdErrInjCanc_Click();
    f->RichiediAggiornamentoErrori();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ERRORS);
    EseguiPendente();
    f->RichiediAggiornamentoErrori();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_CLEAR_ECU_ERRORS);
    EseguiPendente();
    for (int r = 1; r < f->GrdErr->Rows(); ++r) {
        EXPECT_EQ(Cella(r, 2), Cella(r, 4)) << r;
        EXPECT_EQ(Cella(r, 3), Cella(r, 4)) << r;
    }
    EXPECT_EQ(ValoreEcu(4, 35), 0);
}

TEST_F(PaginaErrori, CancellazioneSenzaMotoreAvvisaENonChiede) {
    TabellaBlocchi[1].Valori[37] = 0;
    ModMain::RichiestaPendente = REQ_READ_ERRORS; // busy: the flag waits
    f->CmdErrInjCanc_Click();
    f->RichiediAggiornamentoErrori();
    EXPECT_TRUE(Messaggi().empty());
    ModMain::RichiestaPendente = 0;
    f->RichiediAggiornamentoErrori(); // posts the timed read first
    ModMain::RichiestaPendente = 0;
    f->RichiediAggiornamentoErrori();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0], Voce(42));
    // The flag was consumed; with the engine running a second click works.
    TabellaBlocchi[1].Valori[37] = 1;
    f->CmdErrInjCanc_Click();
    f->RichiediAggiornamentoErrori();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_CLEAR_ECU_ERRORS);
}

TEST_F(PaginaErrori, OpzioniDelBlocco15) {
    f->AggiornaAbilitazioni();
    EXPECT_EQ(f->PictureCella(4, 8).toStdString(), "PctOn");
    EXPECT_EQ(f->PictureCella(4, 7).toStdString(), "PctBackOn");
    EXPECT_EQ(f->PictureCella(1, 7).toStdString(), "PctBackOff");

    // Two clicks before the tick read the same word: one toggle.
    ModMain::RichiestaPendente = REQ_READ_ERRORS;
    f->RichiediAggiornamentoErrori(); // nothing posted while busy
    f->GrdErr_Click(4, 8);
    f->GrdErr_Click(4, 8);
    ModMain::RichiestaPendente = 0;
    f->RichiediAggiornamentoErrori(); // timed read goes first
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ERRORS);
    ModMain::RichiestaPendente = 0;
    f->RichiediAggiornamentoErrori();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);
    ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Valore, 0);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, 18);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Maschera, 0);
    EseguiPendente();
    EXPECT_EQ(ValoreEcu(15, 18), 0);
    EXPECT_EQ(f->PictureCella(4, 8).toStdString(), "PctOff");
    EXPECT_EQ(f->PictureCella(4, 7).toStdString(), "PctBackOff");

    // A click elsewhere withdraws a change not yet posted.
    f->GrdErr_Click(2, 7);
    f->GrdErr_Click(2, 1);
    f->RichiediAggiornamentoErrori();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(PaginaErrori, AzzeramentoOreGasSulDisplayTick) {
    f->AggiornaVisualizzazioni(true);
    EXPECT_EQ(f->TxtTGas->text().toStdString(), " 120.25");
    EXPECT_EQ(f->TxtToService->text().toStdString(), " 1.35");
    EXPECT_EQ(f->CmbService->currentIndex(), 3);
    EXPECT_EQ(f->CmbServiceLOW->currentIndex(), -1); // 500 h is not on the short list
    EXPECT_EQ(f->CmbService->itemText(0).toStdString(), Voce(19));

    ModMain::RichiestaPendente = REQ_READ_ERRORS;
    f->CmdTGas_Click(); // busy: ignored
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ERRORS);
    ModMain::RichiestaPendente = 0;

    Invia(0xE1, ""); // empty the journal
    f->CmdTGas_Click();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
    ASSERT_EQ(ModBlck::ModificheBlocco2.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco2[0].Valore, 65535);
    EXPECT_EQ(ModBlck::ModificheBlocco2[0].IndiceValore, 3);
    EseguiPendente();
    // The block-2 write carried 65535 in value 3 (data bytes 3-4).
    ASSERT_EQ(Invia(0xE1, ""), 0);
    bool scritto = false;
    for (const auto& p : DividiGiornale(ModPipe::DatiRispostaPipe))
        if (p.Comando() == 0x10) {
            const std::string d = p.DatiTrama();
            ASSERT_GE(d.size(), 5u);
            EXPECT_EQ(static_cast<uint8_t>(d[3]), 0xFF);
            EXPECT_EQ(static_cast<uint8_t>(d[4]), 0xFF);
            scritto = true;
        }
    EXPECT_TRUE(scritto);
    // The page shows what the ECU holds after the write, on the next display tick too.
    f->AggiornaVisualizzazioni(false);
    EXPECT_EQ(f->TxtTGas->text().toStdString(), " 0.00");
}

TEST_F(PaginaErrori, IntervalloERiavvioDelServizio) {
    f->AggiornaVisualizzazioni(true);
    f->CmbServiceLOW->setCurrentIndex(2); // 750 h
    f->CmbServiceLOW_Click();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
    EXPECT_EQ(ModBlck::ModificheBlocco2[0].Valore, 750 + 32768);
    EXPECT_EQ(ModBlck::ModificheBlocco2[0].IndiceValore, 9);
    EseguiPendente();
    EXPECT_EQ(f->CmbService->currentIndex(), -1);
    EXPECT_EQ(f->CmbServiceLOW->currentIndex(), 2);
    EXPECT_EQ(f->TxtToService->text().toStdString(), " 749.35");
    f->CmbService->setCurrentIndex(3); // 500 h
    f->CmbService_Click();
    EseguiPendente();
    EXPECT_EQ(f->CmbService->currentIndex(), 3);
    EXPECT_EQ(f->CmbServiceLOW->currentIndex(), -1);

    // A choice dropped by a busy slot does not stay shown.
    ModMain::RichiestaPendente = REQ_READ_ERRORS;
    f->CmbService->setCurrentIndex(0);
    f->CmbService_Click();
    EXPECT_EQ(f->CmbService->currentIndex(), 3);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ERRORS);
    ModMain::RichiestaPendente = 0;

    f->CmbServiceLOW->setCurrentIndex(0); // reminder off
    f->CmbServiceLOW_Click();
    EXPECT_EQ(ModBlck::ModificheBlocco2[0].Valore, 32768);
    EseguiPendente();
    EXPECT_EQ(f->TxtToService->text().toStdString(), " - - ");
    EXPECT_EQ(f->CmbService->currentIndex(), 0);
}

TEST_F(PaginaErrori, TempoScadutoLampeggia) {
    TabellaBlocchi[2].Valori[9] = 100;
    TabellaBlocchi[2].Valori[7] = 100;
    TabellaBlocchi[2].Valori[10] = 30;
    std::vector<bool> blu;
    for (int i = 0; i < 4; ++i) {
        f->AggiornaVisualizzazioni(false);
        blu.push_back(f->TxtToService->property("SfondoBlu").toBool());
    }
    EXPECT_EQ(f->TxtToService->text().toStdString(), " - 0.30");
    EXPECT_EQ(blu, (std::vector<bool>{true, false, true, false}));
    f->AggiornaVisualizzazioni(false);
    TabellaBlocchi[2].Valori[9] = 0; // switched off while blue: back to black
    f->AggiornaVisualizzazioni(false);
    EXPECT_FALSE(f->TxtToService->property("SfondoBlu").toBool());
}

TEST_F(PaginaErrori, CambioLinguaRidisegnaGliStati) {
    f->VisualizzaErrori();
    ASSERT_EQ(Cella(4, 2), "Fault");
    ModMain::Dizionario->IdLingua(1);
    f->CaricaLingua();
    f->VisualizzaErrori(); // block 4 unchanged: drawn all the same
    EXPECT_EQ(Cella(4, 1), "Sensore pressione collettore");
    EXPECT_EQ(Cella(4, 2), "Guasto");
    ModMain::Dizionario->IdLingua(0);
}

// The description column takes what the other columns and the scroll bar
// leave, so that no width is left unused right of the last column.
TEST_F(PaginaErrori, DescrizionePrendeLaLarghezzaLibera) {
    const GrigliaDati* g = f->GrdErr;
    for (const QSize s : {QSize(1001, 425), QSize(1377, 745)}) {
        f->resize(s);
        f->Form_Resize();
        int somma = 0;
        for (int c = 0; c < 9; ++c) somma += g->columnWidth(c);
        const int interna = g->width() - 2 * g->frameWidth() - g->verticalScrollBar()->sizeHint().width();
        EXPECT_EQ(somma, interna) << s.width();
        EXPECT_GT(g->ColWidth(1), g->ColWidth(0) * 290 / 110) << s.width();
    }
    EXPECT_EQ(ErroriConversioni::LarghezzaDescrizione(6000, 15), 6000);
    EXPECT_EQ(ErroriConversioni::LarghezzaDescrizione(3000, 15), 290 * 15); // never below its design share
}

} // namespace

namespace {

// With MONDARO_SCREENSHOT_DIR set: pictures of the page at the sizes it gets
// in a 1024 x 640 and a 1400 x 900 main window, in English and Italian.
TEST_F(PaginaErrori, Fotografie) {
    const QByteArray cartella = qgetenv("MONDARO_SCREENSHOT_DIR");
    if (cartella.isEmpty()) GTEST_SKIP() << "MONDARO_SCREENSHOT_DIR not set";
    for (int lingua : {0, 1}) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(lingua));
        f->CaricaLingua();
        f->RiempiCmbSwtch(ModMain::RigheConfigScale);
        f->AggiornaLivelliVisualizzazione();
        f->CmbServiceLOW->setVisible(f->CmbService->isHidden());
        for (const QSize s : {QSize(1001, 425), QSize(1377, 745)}) {
            f->resize(s);
            f->show();
            f->VisualizzaErrori();
            f->AggiornaAbilitazioni();
            f->AggiornaVisualizzazioni(true);
            QCoreApplication::processEvents();
            f->grab().save(QString::fromUtf8(cartella) + QStringLiteral("/errori_%1_%2.png").arg(lingua).arg(s.width()));
        }
    }
    ModMain::Dizionario->IdLingua(0);
}

} // namespace
