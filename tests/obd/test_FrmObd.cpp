// The OBD page offscreen: the selectors and live values drawn from the blocks,
// the two dispatchers (link controls, settings) with their staged lists and
// request codes, and against the simulated ECU the OBD start from the Run
// button with the live values it brings.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <memory>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "engine/FissaggioConnessione.h"
#include "engine/MDIFrmRichieste.h"
#include "engine/MDIFrmTempoReale.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "obd/FrmCalcoloVacuum.h"
#include "obd/FrmMappetta.h"
#include "obd/FrmObd.h"
#include "obd/ObdCodiciErrore.h"
#include "support/ClicProva.h"
#include "support/TastiProva.h"

namespace {

using Voci = std::vector<std::array<int32_t, 3>>;
Voci VociLista(const ListaModifiche& l) {
    Voci r;
    for (const auto& m : l) r.push_back({m.Valore, m.IndiceValore, m.Maschera});
    return r;
}

// The shell's part for the OBD page.
class InoltroObd : public RegistratoreInterfaccia {
public:
    explicit InoltroObd(FrmObd* f) : f_(f) {}
    void FrmObd_AggiornaSelezioniObd() override { f_->AggiornaSelezioniObd(); }
    void FrmObd_AggiornaParametriObd() override { f_->AggiornaParametriObd(); }
    void FrmObd_AggiornaVisualizzazioni() override { f_->AggiornaVisualizzazioni(); }
    void FrmObd_AzzeraRiferimenti() override { f_->AzzeraRiferimenti(); }
    void SelezioneScheda(int32_t id) override {
        RegistratoreInterfaccia::SelezioneScheda(id);
        if (id != SCHEDA_OBD) return;
        f_->AzzeraRiferimenti();
        f_->AggiornaVisualizzazioni();
        f_->AggiornaSelezioniObd();
    }

private:
    FrmObd* f_;
};

class PaginaObd : public FissaggioConnessione {
protected:
    void SetUp() override {
        FissaggioConnessione::SetUp();
        righe_ = ModMain::RigheConfigScale;
        ModMain::CaricaFileImpostazioni(base.File("lng/ConfigScale.ini"), ModMain::RigheConfigScale);
        ModMain::PaginaCorrente = SCHEDA_OBD;
        ModMain::StatoConnessione = STATO_CONNESSO;
        for (auto& b : TabellaBlocchi) b.Valori.assign(std::max<size_t>(b.Valori.size(), 100), 0);
        ModBlck::DatiGrezzi1B.clear();
        ModEvoObd::PidPressioneRailScelto = 0;
        f = std::make_unique<FrmObd>();
        f->resize(1000, 425);
        f->Form_Load();
        ui.reset();
        ui = std::make_unique<InoltroObd>(f.get());
        Piattaforma::Copione::Attiva(true);
    }
    void TearDown() override {
        ui.reset();
        f.reset();
        ModMain::RigheConfigScale = righe_;
        ModBlck::DatiGrezzi1B.clear();
        ModEvoObd::ListaProtocolliObd.clear();
        ModEvoObd::PidPressioneRailScelto = 0;
        FissaggioConnessione::TearDown();
    }
    static int32_t& V(size_t b, size_t k) { return TabellaBlocchi[b].Valori[k]; }
    // Chooses item `i` of a combo as the user does.
    static void Scegli(QComboBox* c, int i) {
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    // Connects to the simulated ECU playing `caso`. The page's tests run as
    // connected: the search state makes the check see the connect's own result.
    void Collega(const std::string& caso) {
        AvviaCaso(caso);
        ModMain::StatoConnessione = STATO_RICERCA;
        MDIFrm::ConnettiCentralina();
        ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    }
    // The display tick's two members, as the shell calls them.
    void Tick() {
        f->AggiornaVisualizzazione();
        f->AggiornaVisualizzazioni();
    }

    std::unique_ptr<FrmObd> f;

private:
    std::vector<std::string> righe_;
};

TEST_F(PaginaObd, SelettoriDaiBlocchi) {
    ASSERT_EQ(f->CmbAbilObd->count(), 4);
    ASSERT_EQ(f->CmbTipoObd->count(), 9);
    EXPECT_EQ(f->CmbTipoObd->itemText(0).toStdString(), "Automatic search");
    EXPECT_EQ(f->CmbTipoObd->itemText(7).toStdString(), "CAN EXT250");

    V(2, 2) = 0x0C;
    V(3, 49) = 1;
    V(12, 1) = 6;
    V(14, 0) = 2;
    V(12, 84) = 0x01;
    V(12, 21) = 8;
    f->AggiornaSelezioniObd();
    EXPECT_EQ(f->CmbAbilObd->currentIndex(), 1);
    EXPECT_EQ(f->CmbTipoObd->currentText().toStdString(), "CAN STD500");
    EXPECT_EQ(f->CmbGestObd->currentIndex(), 2);
    EXPECT_TRUE(f->ChkBankB2->isChecked());
    EXPECT_FALSE(f->ChkBankB2->isHidden());

    V(2, 2) = 0x2C; // bit 0x20: no selection
    V(12, 1) = 10;  // a code the list does not offer
    V(14, 0) = 5;
    V(12, 84) = 0;
    f->AggiornaSelezioniObd();
    EXPECT_EQ(f->CmbAbilObd->currentIndex(), -1);
    EXPECT_EQ(f->CmbTipoObd->currentIndex(), -1);
    EXPECT_EQ(f->CmbGestObd->currentIndex(), -1);
    EXPECT_FALSE(f->ChkBankB2->isChecked());
    EXPECT_TRUE(f->ChkBankB2->isHidden());
    EXPECT_TRUE(f->LblPidVal08->isHidden());
    // The page's own selections are not taken for the user's.
    f->AggiornaVisualizzazione();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(PaginaObd, ListeDaConfigScale) {
    EXPECT_EQ(f->CmbTarget->count(), 17);
    EXPECT_EQ(f->CmbOreAdat->itemText(0).toStdString(), "Unlimited");
    EXPECT_EQ(f->cmbPIDPressRail->count(), 5);
    EXPECT_EQ(f->cmbPIDPressRail->itemText(4).toStdString(), "ADDR. &H59");
    EXPECT_EQ(f->ValoriDivisoreMappa, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(f->CMB_div_mappaOBD->itemText(3).toStdString(), "8");
    // A marker on the last line, or "[MOLTIPLICATORE]" with one line after it,
    // has no list: the combos keep theirs.
    f->RiempiCmbSwtch({"[CmbTarget]"});
    EXPECT_EQ(f->CmbTarget->count(), 17);
    f->RiempiCmbSwtch({"[MOLTIPLICATORE]", "5|6"});
    EXPECT_EQ(f->ValoriDivisoreMappa, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(f->CMB_div_mappaOBD->count(), 4);
    f->RiempiCmbSwtch({"[CmbTarget]", "-1|1"});
    EXPECT_EQ(f->CmbTarget->count(), 2);
}

TEST_F(PaginaObd, ComandiDelCollegamento) {
    struct Caso {
        const char* nome;
        std::function<void()> azione;
        int32_t richiesta;
        bool attesa;
    };
    V(3, 48) = 12;
    V(3, 50) = 4;
    const Caso casi[] = {
        {"Run", [&] { f->CmdRunObd_Click(); }, REQ_START_OBD, false},
        {"Stop", [&] { f->CmdStopObd_Click(); }, REQ_WRITE_OBD_SETTINGS, true},
        {"Mode 2", [&] { Scegli(f->CmbAbilObd, 2); }, REQ_WRITE_OBD_SETTINGS, true},
        {"Management", [&] { Scegli(f->CmbGestObd, 2); }, REQ_WRITE_BLK14, true},
        {"Bank 2", [&] { f->ChkBankB2->setChecked(true); f->ChkBankB2_Click(); }, REQ_WRITE_BLK12, true},
        {"Protocol", [&] { Scegli(f->CmbTipoObd, 0); }, REQ_WRITE_BLK12, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModMain::RichiestaPendente = REQ_READ_ERRORS;
        c.azione();
        f->AggiornaVisualizzazione(); // slot busy: stays pending
        EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ERRORS);
        ModMain::RichiestaPendente = 0;
        f->AggiornaVisualizzazione();
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
        ModMain::RichiestaPendente = 0;
        f->AggiornaVisualizzazione(); // handled once
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
    }
    // The lists of the last cases.
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco12), (Voci{{11, 1, 0}}));
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco3), (Voci{{4, 50, 0}, {12, 48, 0}, {0, 49, 0x01}}));
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco2), (Voci{{0, 2, 0x04}, {0, 2, 0x20}, {1, 2, 0x08}}));

    // Stop with a combo change pending: the combo's choice is written.
    f->CmdStopObd_Click();
    Scegli(f->CmbAbilObd, 1);
    f->AggiornaVisualizzazione();
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco2), (Voci{{1, 2, 0x04}, {0, 2, 0x20}, {1, 2, 0x08}}));
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco3)[2], (std::array<int32_t, 3>{1, 49, 0x01}));
    ModMain::RichiestaPendente = 0;
    f->AggiornaVisualizzazione();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OBD_SETTINGS);
}

TEST_F(PaginaObd, ModoSceltoASlotOccupatoResisteAlRinfresco) {
    // OBD off in the ECU; the user picks mode 1 while another request runs.
    V(2, 2) = 0;
    V(3, 49) = 0;
    V(3, 48) = 12;
    V(3, 50) = 4;
    f->AggiornaSelezioniObd();
    ModMain::RichiestaPendente = REQ_READ_ERRORS;
    Scegli(f->CmbAbilObd, 1);
    f->AggiornaVisualizzazione();
    // The engine refreshes the page after its request, from the unchanged blocks.
    f->AggiornaSelezioniObd();
    EXPECT_EQ(f->CmbAbilObd->currentIndex(), 1);
    ModMain::RichiestaPendente = 0;
    f->AggiornaVisualizzazione();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OBD_SETTINGS);
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco2), (Voci{{1, 2, 0x04}, {0, 2, 0x20}, {1, 2, 0x08}}));
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco3), (Voci{{4, 50, 0}, {12, 48, 0}, {1, 49, 0x01}}));
    // Written: the next refresh shows the blocks again.
    f->AggiornaSelezioniObd();
    EXPECT_EQ(f->CmbAbilObd->currentIndex(), 0);
}

TEST_F(PaginaObd, ImpostazioniScritteUnaPerTick) {
    struct Caso {
        const char* nome;
        std::function<void()> scelta;
        int32_t richiesta;
        std::function<void()> verifica;
    };
    ModMain::MatSoglie[3] = 0x55;
    const Caso casi[] = {
        {"AdatStat", [&] { f->ChkAdatStat->setChecked(true); f->Impostazione_Click(f->ChkAdatStat); }, REQ_WRITE_BLK2,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco2), (Voci{{1, 2, 0x08}, {0, 2, 0x20}})); }},
        {"PeriodAcq", [&] { Scegli(f->CmbPeriodAcq, 3); }, REQ_WRITE_OPTIONS,
         [] { EXPECT_EQ(ModMain::MatSoglieModificata[12], 5); EXPECT_EQ(ModMain::MatSoglieModificata[3], 0x55); }},
        {"SogliaVac", [&] { Scegli(f->CmbSogliaVac, 4); }, REQ_WRITE_OPTIONS,
         [] { EXPECT_EQ(ModMain::MatSoglieModificata[11], 4); }},
        {"Target", [&] { Scegli(f->CmbTarget, 3); }, REQ_WRITE_OPTIONS,
         [] { EXPECT_EQ(ModMain::MatSoglieModificata[13], 251); }},
        {"MaxValCorr", [&] { Scegli(f->CmbMaxValCorr, 2); }, REQ_WRITE_BLK3,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco3), (Voci{{10, 48, 0}})); }},
        {"DivMappa", [&] { Scegli(f->CMB_div_mappaOBD, 2); }, REQ_WRITE_BLK16,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco16), (Voci{{2, 25, 0}})); }},
        {"MiDiff", [&] { Scegli(f->CmbMiDiff, 1); }, REQ_WRITE_BLK3,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco3), (Voci{{2, 50, 0}})); }},
        {"ClosedLoop", [&] { Scegli(f->CmbClosedLoopDelay, 3); }, REQ_WRITE_BLK14,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco14), (Voci{{3000, 2, 0}})); }},
        {"PidRail", [&] { Scegli(f->cmbPIDPressRail, 3); }, REQ_WRITE_BLK12,
         [] {
             EXPECT_EQ(VociLista(ModBlck::ModificheBlocco12), (Voci{{0x23, 23, 0}}));
             EXPECT_EQ(ModEvoObd::PidPressioneRailScelto, 0x23);
         }},
        {"OreAdat first", [&] { Scegli(f->CmbOreAdat, 0); }, REQ_WRITE_BLK14,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco14), (Voci{{0xFFFF, 3, 0}, {0xFFFF, 4, 0}})); }},
        {"OreAdat", [&] { Scegli(f->CmbOreAdat, 3); }, REQ_WRITE_BLK14,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco14), (Voci{{5, 3, 0}, {0xFFFF, 4, 0}})); }},
        {"SohRpm", [&] { Scegli(f->CmbSOH_RPM_ADAT, 2); }, REQ_WRITE_OPTIONS,
         [] { EXPECT_EQ(ModMain::MatSoglieModificata[5], 2); }},
        {"TempAdat", [&] { Scegli(f->CmbTempAdat, 1); }, REQ_WRITE_BLK14,
         [] { EXPECT_EQ(VociLista(ModBlck::ModificheBlocco14), (Voci{{30, 7, 0}})); }},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        // The periodic read of the acquisition tables is not due.
        f->ProssimaLetturaTabelle = ModGlobFunct::LeggiMicrosecondi() + 1e12;
        c.scelta();
        f->AggiornaVisualizzazioni();
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
        c.verifica();
        EXPECT_EQ(f->RicaricaPagina, -1);
        // The next free tick reloads the page instead of handling anything.
        ModMain::RichiestaPendente = 0;
        f->AggiornaVisualizzazioni();
        EXPECT_EQ(f->RicaricaPagina, 0);
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
    }

    // Two changes in one tick: the first in the fixed order first; the reload
    // that follows keeps the second choice, which is written on a later tick.
    f->ProssimaLetturaTabelle = 0;
    Scegli(f->CmbTempAdat, 2);
    Scegli(f->CmbMiDiff, 2);
    f->AggiornaVisualizzazioni();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    ModMain::RichiestaPendente = 0;
    f->AggiornaVisualizzazioni(); // reload; its refresh posts the due acquisition read
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ACQ_TABLES);
    EXPECT_EQ(f->CmbTempAdat->currentIndex(), 2);
    EXPECT_EQ(f->RicaricaPagina, 0); // a read does not reload the page
    ModMain::RichiestaPendente = 0;
    f->ProssimaLetturaTabelle = ModGlobFunct::LeggiMicrosecondi() + 1e12; // the sped-up clock must not bring it due again
    f->AggiornaVisualizzazioni();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK14);
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco14), (Voci{{40, 7, 0}}));
}

TEST_F(PaginaObd, ImpostazioniRidisegnateDaiBlocchi) {
    ModMain::MatSoglie[12] = 4;   // first item >= 4 of 1|2|3|5...
    ModMain::MatSoglie[13] = 200; // -56: first item >= -56
    V(3, 48) = 11;
    V(14, 3) = 0xFFFF;
    V(14, 2) = 1200;
    V(14, 7) = 45; // no item equals it
    V(12, 23) = 0x10;
    ModEvoObd::PidPressioneRailScelto = 0x22;
    f->ProssimaLetturaTabelle = ModGlobFunct::LeggiMicrosecondi() + 1e12;
    f->AggiornaVisualizzazioni();
    EXPECT_EQ(f->CmbPeriodAcq->currentText().toStdString(), "5");
    EXPECT_EQ(f->CmbTarget->currentIndex(), 0);
    EXPECT_EQ(f->CmbMaxValCorr->currentText().toStdString(), "12");
    EXPECT_EQ(f->CmbOreAdat->currentIndex(), 0);
    EXPECT_EQ(f->CmbClosedLoopDelay->currentText().toStdString(), "2");
    EXPECT_EQ(f->CmbTempAdat->currentIndex(), -1);
    EXPECT_EQ(f->cmbPIDPressRail->currentIndex(), -1);
    EXPECT_EQ(ModEvoObd::PidPressioneRailScelto, 0);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // A stored target of 125 is drawn after the remembered values are reset.
    ModMain::MatSoglie[13] = 125;
    f->AggiornaVisualizzazioni();
    f->CmbTarget->setCurrentIndex(0);
    f->AzzeraRiferimenti();
    f->AggiornaVisualizzazioni();
    EXPECT_EQ(f->CmbTarget->currentIndex(), -1); // no item >= 125
    ModMain::MatSoglie[13] = 0;
    f->AzzeraRiferimenti();
    f->AggiornaVisualizzazioni();
    EXPECT_EQ(f->CmbTarget->currentText().toStdString(), "0");

    // The threshold info buttons follow the petrol acquisition table.
    std::string tabella(127, '\0');
    ModBlck::DatiGrezzi1B = tabella;
    f->AggiornaVisualizzazioni();
    EXPECT_FALSE(f->CmdInfoTarget->isEnabled());
    for (size_t i = 6; i < 16; ++i) tabella[i] = 3;
    ModBlck::DatiGrezzi1B = tabella;
    f->AggiornaVisualizzazioni();
    EXPECT_TRUE(f->CmdInfoTarget->isEnabled());
    EXPECT_TRUE(f->CmdInfoMinDiff->isEnabled());
}

TEST_F(PaginaObd, ValoriViviECorrezione) {
    f->AggiornaParametriObd();
    EXPECT_EQ(f->LblPidVal06->text().toStdString(), " - - ");
    EXPECT_EQ(f->LblNumEcuObd->text().toStdString(), "OBD off - - ");
    EXPECT_FALSE(f->CmdRunObd->isHidden());
    EXPECT_TRUE(f->CmdStopObd->isHidden());
    V(2, 2) = 0x20;
    f->AggiornaParametriObd();
    EXPECT_TRUE(f->CmdRunObd->isHidden());
    EXPECT_TRUE(f->CmdStopObd->isHidden());

    V(2, 2) = 0x0C;
    V(12, 0) = 1;
    V(12, 1) = 6;
    V(12, 14) = 7;
    V(12, 15) = 0xE8;
    V(12, 17) = 10;
    V(12, 18) = 3;
    V(12, 19) = 6;
    V(12, 26) = 0x02;
    V(12, 27) = 0x03;
    V(12, 30) = 200;
    V(12, 32) = 250;
    f->AggiornaParametriObd();
    EXPECT_EQ(f->LblNumEcuObd->text().toStdString(), "NUM ECU: 1\r\nINIT: CAN STD500\r\nADR: 07E8000A");
    EXPECT_EQ(f->LblPidVal03_B1->text().toStdString(), "Closed loop");
    EXPECT_EQ(f->LblPidVal03_B2->text().toStdString(), "Open loop - not ready");
    EXPECT_EQ(f->LblPidVal06->text().toStdString(), "56.2");
    EXPECT_EQ(f->LblPidVal07->text().toStdString(), " - - ");
    EXPECT_EQ(f->LblMediaObd->text().toStdString(), "-6");
    EXPECT_TRUE(f->CmdRunObd->isHidden());
    EXPECT_FALSE(f->CmdStopObd->isHidden());

    // The marker: S x (average - C) from the centre of the window, which stands for C.
    V(3, 48) = 10;
    V(3, 50) = 4;
    ModMain::MatSoglie[13] = 0xFE; // C = -2
    f->AggiornaParametriObd();
    const QRect w = f->ShpBack[0]->geometry();
    const QRect m = f->ShpPuntoMediaObd->geometry();
    const double s = w.height() / 20.0;
    EXPECT_NEAR(m.center().y(), w.top() + w.height() / 2.0 + 4 * s, 2.0);
    EXPECT_EQ(f->LblObdValMedio[4]->text().toStdString(), "8");
    EXPECT_EQ(f->LblObdValMedio[0]->text().toStdString(), "-12");
    EXPECT_EQ(f->LblObdValMedio[2]->text().toStdString(), "-2");

    // A window width of 0 keeps the band where it was, but the scale reads C, C, C.
    const QRect banda = f->ShpBack[1]->geometry();
    V(3, 48) = 0;
    ModMain::MatSoglie[13] = 5;
    f->AggiornaParametriObd();
    EXPECT_EQ(f->ShpBack[1]->geometry(), banda);
    for (size_t i : {0u, 2u, 4u}) EXPECT_EQ(f->LblObdValMedio[i]->text().toStdString(), "5") << i;
}

TEST_F(PaginaObd, RunAvviaObdEMostraIValoriDellAuto) {
    ASSERT_NO_FATAL_FAILURE(Collega("ObdProtocollo=6\r\n"));
    ModMain::RichiestaPendente = 0; // the page's periodic read posted while the page was reselected
    TabellaBlocchi[12].Valori[1] = 6;
    f->AggiornaSelezioniObd();
    f->CmdRunObd_Click();
    f->AggiornaVisualizzazione();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_START_OBD);
    ModMain::StatoConnessione = STATO_ESECUZIONE;
    MDIFrm::EseguiRichiesta();
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModMain::RichiestaPendente = 0;
    EXPECT_EQ(f->CmbAbilObd->currentIndex(), 3);
    // A few polling cycles bring block 12 with the car's values.
    for (int i = 0; i < 12; ++i) MDIFrm::LeggiTempoReale();
    Tick();
    EXPECT_NE(f->LblPidVal06->text().toStdString(), " - - ");
    EXPECT_NE(f->LblPidVal03_B1->text().toStdString(), " - - ");
    EXPECT_EQ(f->LblNumEcuObd->text().toStdString().substr(0, 10), "NUM ECU: 1");
    EXPECT_FALSE(f->CmdStopObd->isHidden());

    // Stop switches OBD off in the ECU (once the periodic table read, if it came due, is out of the slot).
    ModMain::RichiestaPendente = 0;
    f->CmdStopObd_Click();
    f->AggiornaVisualizzazione();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OBD_SETTINGS);
    ModMain::StatoConnessione = STATO_ESECUZIONE;
    MDIFrm::EseguiRichiesta();
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModMain::RichiestaPendente = 0;
    ASSERT_TRUE(LeggiBlocco(2));
    EXPECT_EQ(Valore(2, 2) & 0x2C, 0);
    EXPECT_EQ(f->CmbAbilObd->currentIndex(), 0);
}

TEST_F(PaginaObd, CodiciErroreEOpzioniSpia) {
    ModMain::AbilitaNuovaObd = true;
    V(12, 84) = 0x80;
    V(12, 25) = 0;
    V(19, 0) = 0x01;
    V(19, 2) = 0x0171;
    f->AggiornaVisualizzazioneNew();
    ASSERT_EQ(f->LST_Selettivo->count(), 1);
    EXPECT_EQ(f->LST_Selettivo->item(0)->text().toStdString(), "P0171");
    // State 6: both boxes enabled, neither ticked.
    EXPECT_TRUE(f->CHK_AbilitaCancellazioneSelettiva->isEnabled());
    EXPECT_FALSE(f->CHK_AbilitaCancellazioneSelettiva->isChecked());
    EXPECT_TRUE(f->CHK_SpegniSpiaPermanente->isEnabled());

    auto tick = [&] {
        ModMain::RichiestaPendente = 0;
        f->RicaricaPagina = 0;
        f->ProssimaLetturaTabelle = ModGlobFunct::LeggiMicrosecondi() + 1e12;
        f->ProssimaLetturaInfo = ModGlobFunct::LeggiMicrosecondi() + 1e12;
        f->AggiornaVisualizzazioni();
    };
    f->CHK_AbilitaCancellazioneSelettiva->setChecked(true);
    f->Impostazione_Click(f->CHK_AbilitaCancellazioneSelettiva);
    tick();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK12_BLK19);
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco12), (Voci{{1, 25, 0}}));
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco19), (Voci{{1, 0, 0x01}}));

    // Key-off refused while block 3 value 33 has bit 0x01.
    V(3, 33) = 0x01;
    f->CHK_SpegniSpiaKeyOff->setChecked(true);
    f->Impostazione_Click(f->CHK_SpegniSpiaKeyOff);
    Piattaforma::Copione::Azzera();
    Piattaforma::Copione::Attiva(true);
    tick();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{"MIL off at key-off needs the rpm wire."}));
    EXPECT_EQ(f->RicaricaPagina, -1);

    // Adding the same code twice, removing with nothing selected.
    f->TXT_Errore->setText(QStringLiteral("P0171"));
    f->CHK_AggiungiErrore_Click();
    EXPECT_FALSE(f->CHK_AggiungiErrore->isEnabled());
    tick();
    EXPECT_TRUE(f->CHK_AggiungiErrore->isEnabled());
    f->LST_Selettivo->clearSelection();
    f->CHK_TogliErrore_Click();
    tick();
    EXPECT_EQ(Messaggi().size(), 3u);
    EXPECT_EQ(Messaggi()[1], "The code is already in the list.");
    EXPECT_EQ(Messaggi()[2], "Select the code to remove.");
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // The one-shot MIL switch-off, then the periodic read of block 20.
    V(2, 2) = 0x04;
    f->AggiornaVisualizzazioneNew();
    f->CHK_SpegniSpiaOneShot->setEnabled(true);
    f->CHK_SpegniSpiaOneShot_Click();
    tick();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
    EXPECT_EQ(VociLista(ModBlck::ModificheBlocco2), (Voci{{0x40, 2, 0x40}}));
    ModMain::RichiestaPendente = 0;
    f->RicaricaPagina = 0;
    f->ProssimaLetturaInfo = 0;
    f->AggiornaVisualizzazioni();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_OBD_INFO_ERROR);
    EXPECT_EQ(f->RicaricaPagina, 0);

    // The indicator: on gas, the car's codes reported with the MIL switched off.
    V(2, 1) = 3;
    V(12, 0) = 1;
    V(20, 0) = 0x0F;
    V(20, 1) = 1;
    V(20, 2) = 0x0420;
    f->AggiornaVisualizzazione();
    EXPECT_EQ(f->ColoreStatusOBDInfo(), ObdCodiciErrore::Ciano);
    EXPECT_EQ(f->TagStatusOBDInfo(), "Trouble codes, MIL switched off:\r\nP0420\r\n");
    EXPECT_TRUE(f->CMD_StatusOBDInfo->isEnabled());
    ModMain::AbilitaNuovaObd = false;
    f->AggiornaVisualizzazione();
    EXPECT_EQ(f->ColoreStatusOBDInfo(), ObdCodiciErrore::Grigio);
    EXPECT_FALSE(f->CMD_StatusOBDInfo->isEnabled());
}

TEST_F(PaginaObd, AiutoSoglie) {
    // Not enough acquired cells, then enough: the target suggestion.
    std::string r(127, '\0');
    for (size_t i = 0; i < 10; ++i) r[10 + i] = 3;
    ModBlck::DatiGrezzi1B = r;
    f->CmdInfoTarget_Click();
    ASSERT_NE(f->CalcoloVacuum(), nullptr);
    EXPECT_EQ(f->CalcoloVacuum()->LblMessaggio->text().toStdString(),
              "Not enough data: drive on petrol to fill the acquisition table, then retry.");
    EXPECT_TRUE(f->CalcoloVacuum()->LblPercVac->isHidden());
    r[20] = static_cast<char>(-6 & 0xFF);
    r[21] = 9;
    ModBlck::DatiGrezzi1B = r;
    f->CmdInfoTarget_Click();
    EXPECT_EQ(f->CalcoloVacuum()->LblMessaggio->text().toStdString(), "Target\r\n\r\nSuggested value: 2");

    // The same dialog switches to the live load-threshold help.
    ModMain::UnitaRpm = 64;
    V(1, 48) = 192; // row 2: item 3 of the load list
    f->CmdInfoSogliaVac_Click();
    EXPECT_FALSE(f->CalcoloVacuum()->LblPercVac->isHidden());
    f->CalcoloVacuum()->Timer1_Timer();
    EXPECT_EQ(f->CalcoloVacuum()->LblPercVac->text().toStdString(), "19 %");
    f->CmdInfoSogliaRpm_Click();
    for (int i = 0; i < 24; ++i) ModMain::AsseRpmLavoro[static_cast<size_t>(i)] = static_cast<uint8_t>(8 * (i + 1));
    V(1, 37) = 0;
    V(1, 32) = 1024; // column 1: item 2 of the rpm list
    f->CalcoloVacuum()->Timer1_Timer();
    EXPECT_EQ(f->CalcoloVacuum()->LblPercVac->text().toStdString(), "1024 Rpm");
    if (const QByteArray cartella = qgetenv("MONDARO_SCREENSHOT_DIR"); !cartella.isEmpty())
        f->CalcoloVacuum()->grab().save(QString::fromUtf8(cartella) + QStringLiteral("/soglie.png"));
    f->CalcoloVacuum()->CmdEsc_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f->CalcoloVacuum(), nullptr);
    ModMain::AsseRpmLavoro = {};
    ModMain::UnitaRpm = 0;
}

TEST_F(PaginaObd, MappaObdCaricataNellaCentralina) {
    ASSERT_NO_FATAL_FAILURE(Collega("ObdProtocollo=6\r\n"));
    ModMain::RichiestaPendente = 0;
    ModMain::CartellaArchivio = base.File("Data");
    auto esegui = [&] {
        ModMain::StatoConnessione = STATO_ESECUZIONE;
        MDIFrm::EseguiRichiesta();
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::RichiestaPendente = 0;
    };
    f->CmdMappetta_Click();
    FrmMappetta* m = FrmMappetta::Istanza();
    ASSERT_EQ(ModMain::MappettaAperta, 1);
    m->Timer1->stop();

    // A map file with a table whose first cells are 5, -3.
    std::string risposta{'\x42', '\x01', '\x7D', '\x20', '\x00', '\x00'};
    for (int k = 0; k < 120; ++k) risposta += static_cast<char>(k == 0 ? 5 : k == 1 ? 0xFD : 0);
    uint8_t x = 0;
    for (char c : risposta) x ^= static_cast<uint8_t>(c);
    risposta += static_cast<char>(x);
    const std::string file = base.File("Data/auto.tun");
    SupportoTest::ScriviFile(file, "[TRisult]\r\n" + ModGlobFunct::ConvertiTestoInHex(risposta) + "\r\n");
    m->CmdMappaOpen_Click();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(file));
    m->Timer1_Timer();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_LOAD_RESULT_TABLE);
    esegui();
    m->AggiornaVariabiliMappettaSatellite(); // posts the table read
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_READ_ACQ_TABLES);
    esegui();
    m->AggiornaVariabiliMappettaSatellite();
    EXPECT_EQ(m->GrdMappetta->TextMatrix(1, 1).toStdString(), "5");
    EXPECT_EQ(m->GrdMappetta->TextMatrix(1, 2).toStdString(), "-3");

    // A malformed table line sends nothing and says so; an empty one (a file
    // saved before any table was read) sends nothing and shows nothing.
    struct Caso {
        const char* nome;
        const char* testo;
        bool messaggio;
    };
    for (const Caso& c : {Caso{"rotta", "[TRisult]\r\n42017D20\r\n", true},
                          Caso{"vuota", "[TBenz]\r\n00\r\n[TRisult]\r\n\r\n[TIsto]\r\n00\r\n", false}}) {
        SCOPED_TRACE(c.nome);
        const std::string file = base.File(std::string("Data/") + c.nome + ".tun");
        SupportoTest::ScriviFile(file, c.testo);
        Giornale();
        Piattaforma::Copione::Azzera();
        m->CmdMappaOpen_Click();
        Piattaforma::Copione::AccodaFile(QString::fromStdString(file));
        m->Timer1_Timer();
        if (ModMain::RichiestaPendente != 0) esegui();
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
        for (const auto& p : Giornale()) EXPECT_NE(p.codice, PIPE_ECU_FRAME);
        EXPECT_EQ(Piattaforma::Copione::Messaggi().empty(), !c.messaggio);
    }
    m->close();
    EXPECT_EQ(ModMain::MappettaAperta, 0);
}

TEST_F(PaginaObd, OpzioniSpiaECodiciDellAutoNellaCentralina) {
    ASSERT_NO_FATAL_FAILURE(Collega("ObdProtocollo=6\r\nObdDtc=0301,0420\r\n"));
    ASSERT_TRUE(ModMain::AbilitaNuovaObd);
    auto esegui = [&](int32_t atteso) {
        ASSERT_EQ(ModMain::RichiestaPendente, atteso);
        ModMain::StatoConnessione = STATO_ESECUZIONE;
        MDIFrm::EseguiRichiesta();
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::RichiestaPendente = 0;
    };
    // OBD on, with a car ECU chosen.
    ModMain::RichiestaPendente = 0;
    TabellaBlocchi[12].Valori[1] = 6;
    ModMain::RichiestaPendente = REQ_START_OBD;
    esegui(REQ_START_OBD);
    ASSERT_TRUE(LeggiBlocco(12));
    ASSERT_TRUE(LeggiBlocco(19));
    f->AggiornaVisualizzazioneNew();
    ASSERT_TRUE(f->CHK_AbilitaCancellazioneSelettiva->isEnabled());

    auto scegli = [&](QCheckBox* c, int32_t richiesta) {
        c->setChecked(true);
        f->Impostazione_Click(c);
        f->RicaricaPagina = 0;
        f->ProssimaLetturaTabelle = ModGlobFunct::LeggiMicrosecondi() + 1e12;
        f->ProssimaLetturaInfo = ModGlobFunct::LeggiMicrosecondi() + 1e12;
        f->AggiornaVisualizzazioni();
        esegui(richiesta);
        ASSERT_TRUE(LeggiBlocco(12));
        ASSERT_TRUE(LeggiBlocco(19));
        f->AggiornaVisualizzazioneNew();
    };
    // Selective erase on a car ECU that reports bit 0x80: block 12 value 25 first, then block 19.
    scegli(f->CHK_AbilitaCancellazioneSelettiva, REQ_WRITE_BLK12_BLK19);
    EXPECT_EQ(Valore(12, 25), 1);
    EXPECT_EQ(Valore(19, 0) & 0x01, 0x01);
    EXPECT_TRUE(f->CHK_AbilitaCancellazioneSelettiva->isChecked());
    scegli(f->CHK_SpegniSpiaKeyOn, REQ_WRITE_BLK19);
    EXPECT_EQ(Valore(19, 0) & 0x10, 0x10);

    // The car ECU's codes, read with block 20, shown by the indicator.
    Manopola(24, 20 << 24 | 0 << 16 | 0x0F);
    f->ProssimaLetturaInfo = 0;
    f->AggiornaVisualizzazioni();
    esegui(REQ_READ_OBD_INFO_ERROR);
    ASSERT_TRUE(LeggiBlocco(2));
    ASSERT_TRUE(LeggiBlocco(12));
    TabellaBlocchi[2].Valori[1] = 3; // running on gas
    f->AggiornaVisualizzazione();
    EXPECT_EQ(f->TagStatusOBDInfo(), "Trouble codes, MIL switched off:\r\nP0301\r\nP0420\r\n");
    EXPECT_EQ(f->ColoreStatusOBDInfo(), ObdCodiciErrore::Ciano);
    f->CMD_StatusOBDInfo_Click();
    ASSERT_FALSE(Messaggi().empty());
    EXPECT_EQ(Messaggi().back(), "Trouble codes, MIL switched off:\r\nP0301\r\nP0420\r\n");
}

// Choices made on the link selectors while the request slot is busy each
// reach the ECU once, in the order made, whatever the page handles first:
// the management mode behind Stop or an OBD-mode change, bank 2 and the
// protocol, which share block 12's list. Real keys and clicks; the ECU's
// words read back.
TEST_F(PaginaObd, SceltePendentiTutteNellaCentralina) {
    ASSERT_NO_FATAL_FAILURE(Collega("ObdProtocollo=6\r\n"));
    ASSERT_TRUE(LeggiBlocco(12));
    ASSERT_TRUE(LeggiBlocco(14));
    ASSERT_EQ(Valore(14, 0), 0);
    ASSERT_EQ(Valore(12, 21), 0);
    V(12, 84) |= 0x01; // the car offers PID 08: bank 2 is shown
    f->AggiornaSelezioniObd();
    ASSERT_FALSE(f->ChkBankB2->isHidden());
    const int32_t protocollo = ModEvoObd::ListaProtocolliObd.at(static_cast<size_t>(f->CmbTipoObd->currentIndex()) + 1).Codice;
    ASSERT_NE(protocollo, Valore(12, 1));

    struct Caso {
        const char* nome;
        std::function<void()> scelte;
        std::vector<int32_t> richieste;
        std::function<void()> verifica;
    };
    const Caso casi[] = {
        {"management, then Stop",
         [&] {
             SupportoTest::Batti(f->CmbGestObd, Qt::Key_Down);
             SupportoTest::Batti(f->CmbGestObd, Qt::Key_Down);
             SupportoTest::Clic(f->CmdStopObd);
         },
         {REQ_WRITE_OBD_SETTINGS, REQ_WRITE_BLK14},
         [&] {
             ASSERT_TRUE(LeggiBlocco(14));
             EXPECT_EQ(Valore(14, 0), 2);
         }},
        {"management, then OBD mode",
         [&] {
             SupportoTest::Batti(f->CmbGestObd, Qt::Key_Up);
             SupportoTest::Batti(f->CmbAbilObd, Qt::Key_Down);
         },
         {REQ_WRITE_OBD_SETTINGS, REQ_WRITE_BLK14},
         [&] {
             ASSERT_TRUE(LeggiBlocco(14));
             EXPECT_EQ(Valore(14, 0), 1);
             ASSERT_TRUE(LeggiBlocco(2));
             EXPECT_EQ(Valore(2, 2) & 0x2C, 0x0C);
         }},
        {"bank 2, then protocol",
         [&] {
             SupportoTest::Batti(f->ChkBankB2, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
             SupportoTest::Batti(f->CmbTipoObd, Qt::Key_Down);
         },
         {REQ_WRITE_BLK12, REQ_WRITE_BLK12},
         [&] {
             ASSERT_TRUE(LeggiBlocco(12));
             EXPECT_EQ(Valore(12, 21), 8);
             EXPECT_EQ(Valore(12, 22), 9);
             EXPECT_EQ(Valore(12, 1), protocollo);
         }},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModMain::RichiestaPendente = REQ_READ_ERRORS; // the slot is busy while the user chooses
        c.scelte();
        f->AggiornaVisualizzazione();
        ASSERT_EQ(ModMain::RichiestaPendente, REQ_READ_ERRORS);
        ModMain::RichiestaPendente = 0;
        // The display ticks, each request carried out by the engine, until nothing is pending.
        std::vector<int32_t> eseguite;
        for (int giro = 0; giro < 10; ++giro) {
            f->AggiornaVisualizzazione();
            if (ModMain::RichiestaPendente == 0) break;
            eseguite.push_back(ModMain::RichiestaPendente);
            ModMain::StatoConnessione = STATO_ESECUZIONE;
            MDIFrm::EseguiRichiesta();
            ModMain::StatoConnessione = STATO_CONNESSO;
            ModMain::RichiestaPendente = 0;
        }
        EXPECT_EQ(eseguite, c.richieste);
        c.verifica();
    }
}

// The trouble-code group's status indicator and key-on lamp say what they
// are at every display level, size and language: the indicator carries its
// state's caption whole (the inactive MIL control while it has no text of
// its own), and the lamp sits beside the key-on option it reports on, clear
// of every other control.
TEST_F(PaginaObd, IndicatoreELampadaDelGruppoSpia) {
    const int16_t exp0 = ModMain::LivelloExp, sup0 = ModMain::LivelloSup;
    const char* inattivo[] = {"MIL control not active", "Controllo spia non attivo"};
    struct Livello {
        const char* nome;
        int16_t exp, sup;
    };
    const Livello livelli[] = {{"user", 0, 0}, {"expert", -1, 0}, {"supervisor", -1, -1}};
    for (int lingua : {0, 1}) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(lingua));
        f->CaricaLingua();
        for (const QSize dimensione : {QSize(1001, 425), QSize(1377, 745)}) {
            f->resize(dimensione);
            f->show();
            for (const auto& l : livelli) {
                SCOPED_TRACE(std::to_string(lingua) + " " + std::to_string(dimensione.width()) + " " + l.nome);
                ModMain::LivelloExp = l.exp;
                ModMain::LivelloSup = l.sup;
                f->AggiornaLivelliVisualizzazione();
                f->AggiornaVisualizzazione();
                QCoreApplication::processEvents();
                PulsanteGrafico* indicatore = f->CMD_StatusOBDInfo;
                EXPECT_TRUE(indicatore->isVisible());
                EXPECT_EQ(indicatore->Caption().toStdString(), inattivo[lingua]);
                EXPECT_TRUE(indicatore->CaptionIntera);

                const QWidget* lampada = f->SHP_StatusOBDKeyOn;
                const QCheckBox* keyOn = f->CHK_SpegniSpiaKeyOn;
                ASSERT_TRUE(lampada->isVisible());
                const QRect g = lampada->geometry();
                const QRect c = keyOn->geometry();
                EXPECT_GE(g.center().y(), c.top());
                EXPECT_LE(g.center().y(), c.bottom());
                const int testo = c.left() + keyOn->sizeHint().width();
                EXPECT_GT(g.left(), testo);
                for (const QWidget* w : lampada->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (w != lampada && w->isVisible()) {
                        EXPECT_FALSE(w->geometry().intersects(g)) << w->objectName().toStdString();
                    }
                }
            }
        }
    }
    ModMain::Dizionario->IdLingua(0);
    ModMain::LivelloExp = exp0;
    ModMain::LivelloSup = sup0;
}

TEST_F(PaginaObd, CodiceAggiuntoETolteNellaCentralina) {
    ASSERT_NO_FATAL_FAILURE(Collega("ObdProtocollo=6\r\nObdDtc=0301\r\n"));
    ASSERT_TRUE(ModMain::AbilitaNuovaObd);
    ModMain::RichiestaPendente = 0;
    auto esegui = [&] {
        ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK19);
        ModMain::StatoConnessione = STATO_ESECUZIONE;
        MDIFrm::EseguiRichiesta();
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::RichiestaPendente = 0;
        ASSERT_TRUE(LeggiBlocco(19));
        f->AggiornaVisualizzazioneNew();
    };
    f->AggiornaVisualizzazioneNew();
    f->TXT_Errore->setText(QStringLiteral("p0171"));
    f->CHK_AggiungiErrore_Click();
    f->ProssimaLetturaTabelle = ModGlobFunct::LeggiMicrosecondi() + 1e12;
    f->AggiornaVisualizzazioni();
    esegui();
    EXPECT_EQ(Valore(19, 2), 0x0171);
    ASSERT_EQ(f->LST_Selettivo->count(), 1);
    f->LST_Selettivo->setCurrentRow(0);
    f->CHK_TogliErrore_Click();
    f->RicaricaPagina = 0;
    f->AggiornaVisualizzazioni();
    esegui();
    EXPECT_EQ(Valore(19, 2), 0);
    EXPECT_EQ(f->LST_Selettivo->count(), 0);
}

} // namespace

namespace {

// With MONDARO_SCREENSHOT_DIR set: the page at the sizes it gets in a
// 1024 x 640 and a 1400 x 900 main window, in English and Italian, with the
// live panels and with the advanced ones.
TEST_F(PaginaObd, Fotografie) {
    const QByteArray cartella = qgetenv("MONDARO_SCREENSHOT_DIR");
    if (cartella.isEmpty()) GTEST_SKIP() << "MONDARO_SCREENSHOT_DIR not set";
    V(2, 2) = 0x0C;
    V(3, 49) = 0;
    V(3, 48) = 10;
    V(3, 50) = 4;
    V(12, 0) = 1;
    V(12, 1) = 6;
    V(12, 14) = 0;
    V(12, 15) = 0;
    V(12, 16) = 7;
    V(12, 17) = 0xE8;
    V(12, 18) = 3;
    for (size_t k : {19u, 20u}) V(12, k) = static_cast<int32_t>(k - 13);
    V(12, 84) = 0x01;
    V(12, 21) = 8;
    V(12, 22) = 9;
    V(12, 26) = 0x02;
    V(12, 27) = 0x04;
    V(12, 30) = 134;
    V(12, 34) = 125;
    V(12, 38) = 131;
    V(12, 42) = 128;
    V(12, 32) = 3;
    V(12, 23) = 0x23;
    ModMain::MatSoglie[12] = 5;
    for (int lingua : {0, 1}) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(lingua));
        f->CaricaLingua();
        f->RiempiCmbSwtch(ModMain::RigheConfigScale);
        for (bool avanzate : {false, true}) {
            if (avanzate != !f->FRM_OBDADV_1->isHidden()) f->CMDAdvanced_Click();
            for (const QSize s : {QSize(1001, 425), QSize(1377, 745)}) {
                f->resize(s);
                f->show();
                f->AzzeraRiferimenti();
                f->AggiornaSelezioniObd();
                f->AggiornaVisualizzazioni();
                ModMain::RichiestaPendente = 0;
                f->AggiornaParametriObd();
                QCoreApplication::processEvents();
                f->grab().save(QString::fromUtf8(cartella) +
                               QStringLiteral("/obd_%1_%2_%3.png").arg(lingua).arg(avanzate).arg(s.width()));
            }
        }
    }
    ModMain::Dizionario->IdLingua(0);
}

} // namespace

