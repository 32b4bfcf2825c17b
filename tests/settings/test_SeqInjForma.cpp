// The injection-sequence popup offscreen: its rows and status from block 15,
// the display levels, the checks before an acquisition or a reset, the hand
// edit of a channel, the phase-shift list and the close box.
#include "settings/FissaggioImpostazioni.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "controls/PulsanteGrafico.h"
#include "engine/ServiziInterfaccia.h"
#include "settings/FRM_ZEBGestione.h"

namespace {

// Records the page switches and the enabling of the surrounding forms.
class SeqInjRegistro : public ServiziInterfaccia {
public:
    SeqInjRegistro() { MDIFrm::RegistraInterfaccia(this); }
    ~SeqInjRegistro() override { MDIFrm::RegistraInterfaccia(nullptr); }
    void SelezioneScheda(int32_t id) override { chiamate.push_back("SelezioneScheda(" + std::to_string(id) + ")"); }
    void AbilitaDisabilitaForm(bool s) override { chiamate.push_back(s ? "Abilita" : "Disabilita"); }
    std::vector<std::string> chiamate;
};

class SeqInj : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        gestione = std::make_unique<FRM_ZEBGestione>();
        gestione->Form_Load();
        f = std::make_unique<FrmSeqInj>();
        f->Form_Load();
        FrmSeqInj::ImpostaStatoCommutazione = [this](const QString& t) { statoCommutazione = t.toStdString(); };
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        FrmSeqInj::ImpostaStatoCommutazione = nullptr;
        FrmSeqInj::LeggiCommutazione = nullptr;
        f.reset();
        gestione.reset();
        FissaggioImpostazioni::TearDown();
    }
    static void Carica(int32_t n, int32_t stato, std::vector<int32_t> ordine, std::vector<int32_t> uscite) {
        Imposta(3, 1, n);
        Imposta(15, 78, stato);
        for (size_t k = 0; k < ordine.size(); ++k) Imposta(15, 79 + k, ordine[k]);
        for (size_t k = 0; k < 8; ++k) Imposta(15, 6 + k, k < uscite.size() ? uscite[k] : static_cast<int32_t>(k));
    }
    // Engine on petrol at `giri` rpm, every injector active.
    static void Motore(int32_t giri) {
        Imposta(1, 37, 1);
        Imposta(1, 32, giri);
        for (size_t i = 0; i < 8; ++i) Imposta(3, 16 - i, 1);
    }
    static std::string S(const char* marcatore, int k) { return Voce(marcatore, k); }

    std::unique_ptr<FRM_ZEBGestione> gestione;
    std::unique_ptr<FrmSeqInj> f;
    std::string statoCommutazione;
};

TEST_F(SeqInj, RigheEStatoDellAssegnazione) {
    Carica(4, 0, {0, 2, 3, 1}, {2, 0, 3, 1});
    f->AggiornaSelezioni(true);
    EXPECT_TRUE(f->chkanticipato->isChecked());
    EXPECT_TRUE(f->SonoAnticipato());
    EXPECT_EQ(f->LblSequenza->text().toStdString(), S("[FrmSeqInj]", 2) + " " + S("[FrmSeqInj]", 7) + "\n-1-3-4-2-");
    EXPECT_EQ(f->LblOutGas->text().toStdString(), " CH: -1-2-3-4-\nOUT: -3-1-4-2- (1)");
    EXPECT_EQ(statoCommutazione, S("[FrmSeqInj]", 7) + " - ANTICIP.");

    struct Caso {
        int32_t stato;
        std::vector<int32_t> uscite;
        int voce;
        bool anticipata;
        std::string uscita;
    };
    const Caso casi[] = {
        {0, {0, 1, 2, 3}, 7, false, "OUT: -1-2-3-4-"},
        {1, {2, 0, 3, 1}, 5, false, "OUT: -3-1-4-2-"}, // recognition returns 0: no shift shown
        {0, {1, 0, 2, 3}, 7, true, "OUT: -2-1-3-4-"},  // by hand, no rotation: no shift shown
    };
    for (const auto& c : casi) {
        Carica(4, c.stato, {0, 2, 3, 1}, c.uscite);
        f->AggiornaSelezioni(true);
        EXPECT_EQ(f->chkanticipato->isChecked(), c.anticipata) << c.stato;
        EXPECT_EQ(f->SonoAnticipato(), c.anticipata);
        EXPECT_EQ(f->LblOutGas->text().toStdString(), " CH: -1-2-3-4-\n" + c.uscita);
        EXPECT_EQ(statoCommutazione,
                  S("[FrmSeqInj]", c.voce) + (c.anticipata ? " - ANTICIP." : " - NORM."));
    }
    // The user's click on the box changes nothing stored: the refresh puts it back.
    f->chkanticipato->setChecked(true);
    f->chkanticipato_Click();
    EXPECT_TRUE(f->chkanticipato->isChecked());
    Carica(4, 0, {0, 2, 3, 1}, {0, 1, 2, 3});
    f->chkanticipato_Click();
    EXPECT_FALSE(f->chkanticipato->isChecked());
}

TEST_F(SeqInj, CanaliELivelli) {
    Carica(4, 0, {0, 2, 3, 1}, {0, 1, 2, 3, 4, 5, 6, 7});
    f->AggiornaSelezioni(true);
    EXPECT_EQ(f->width() * 15, FrmSeqInj::LarghezzaRidotta);
    for (size_t j = 0; j < 8; ++j) {
        EXPECT_EQ(f->CmbNInj[j]->isHidden(), j >= 4) << j;
        EXPECT_EQ(f->LblNOut[j]->isHidden(), j >= 4);
        EXPECT_FALSE(f->CmbNInj[j]->isEnabled());
        EXPECT_EQ(f->CmbNInj[j]->currentIndex(), j < 4 ? static_cast<int>(j) : -1); // " - - " past the list
    }
    ModMain::LivelloSup = 1;
    f->AggiornaSelezioni(true);
    EXPECT_EQ(f->width() * 15, FrmSeqInj::LarghezzaEstesa);
    EXPECT_TRUE(f->CmbNInj[0]->isEnabled());
    // A negative output shows " - - " too.
    Imposta(15, 6, -3);
    f->AggiornaSelezioni(true);
    EXPECT_EQ(f->CmbNInj[0]->currentIndex(), -1);
}

TEST_F(SeqInj, ControlliPrimaDellAcquisizione) {
    Carica(4, 0, {0, 2, 3, 1}, {});
    struct Caso {
        std::function<void()> prepara;
        std::string messaggio; // "" = none
        int32_t richiesta;
    };
    const std::string opzione = S("[FrmSeqInj]", 13) + "\r\n\r\n- " + S("[Frm_Param]", 1) + ": " + S("[Frm_Param]", 4);
    const Caso casi[] = {
        {[] { Motore(200); }, "", REQ_ACQUIRE_INJ_SEQUENCE},
        {[] { Motore(199); }, S("[FrmSeqInj]", 4), 0},
        {[] { Motore(800); Imposta(2, 1, 3); }, S("[FrmSeqInj]", 4), 0},
        {[] { Motore(800); Imposta(1, 37, 0); }, S("[FrmSeqInj]", 4), 0},
        {[] { Motore(800); Imposta(3, 14, 4); }, S("[FrmSeqInj]", 12), 0},  // injector 2 state 4
        {[] { Motore(800); Imposta(3, 13, 0); }, S("[FrmSeqInj]", 12), 0},  // injector 3 state 0
        {[] { Motore(800); Imposta(3, 9, 0); }, "", REQ_ACQUIRE_INJ_SEQUENCE}, // injector 8 is not fitted
        {[] { Motore(800); ModMain::MatSoglie[15] = 0x40; }, opzione, 0},
        {[] { Motore(800); ModMain::MatSoglie[15] = 0x40; ModMain::LivelloSup = 1; }, "", REQ_ACQUIRE_INJ_SEQUENCE},
        {[] { Motore(800); ModMain::RichiestaPendente = REQ_WRITE_BLK3; }, "", REQ_WRITE_BLK3},
    };
    for (const auto& c : casi) {
        Piattaforma::Copione::Azzera();
        ModMain::RichiestaPendente = 0;
        ModMain::MatSoglie = {};
        ModMain::LivelloSup = 0;
        TabellaBlocchi[2].Valori.assign(12, 0);
        TabellaBlocchi[3].Valori.assign(54, 0);
        Imposta(3, 1, 4);
        gestione->CaricaLingua();
        c.prepara();
        f->CmdAcquire_Click();
        EXPECT_EQ(Messaggi(), c.messaggio.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.messaggio});
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
    }
}

TEST_F(SeqInj, AvvisoDelleImpostazioniDiCommutazione) {
    Carica(4, 0, {0, 2, 3, 1}, {});
    Motore(800);
    FrmSeqInj::LeggiCommutazione = [] {
        return FrmSeqInj::TestiCommutazione{"Direction", "Petrol to gas", "Delay", "Overlap"};
    };
    Imposta(3, 33, 0x02);
    Imposta(3, 41, 5);
    Imposta(3, 5, 0);
    f->CmdAcquire_Click();
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{S("[FrmSeqInj]", 16) +
                                                    "\r\n\r\nDirection: Petrol to gas\r\nDelay: 0\r\n"}));
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_ACQUIRE_INJ_SEQUENCE);
}

TEST_F(SeqInj, RipristinoEModificaAMano) {
    Carica(4, 0, {0, 2, 3, 1}, {2, 0, 3, 1});
    Motore(150);
    f->CmdResetSeq_Click();
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{S("[FrmSeqInj]", 4)}));
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco15));
    Motore(900);
    f->CmdResetSeq_Click();
    ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 8u);
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(ModBlck::ModificheBlocco15[static_cast<size_t>(i)].Valore, i);
        EXPECT_EQ(ModBlck::ModificheBlocco15[static_cast<size_t>(i)].IndiceValore, 6 + i);
    }
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);

    // By hand: two channels on one output warn, and the edit is written all the same.
    ModMain::RichiestaPendente = 0;
    ModMain::LivelloSup = 1;
    Piattaforma::Copione::Azzera();
    f->AggiornaSelezioni(true);
    f->CmbNInj[1]->setCurrentIndex(2); // channel 2 -> output 3, as channel 0
    f->CmbNInj_Click(1);
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{S("[FrmSeqInj]", 18) + "\r\n\r\n" + S("[FrmSeqInj]", 19)}));
    ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Valore, 2);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, 7);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);
}

TEST_F(SeqInj, ListaDegliSfasamenti) {
    ModMain::RigheConfigScale = {"[PhaseShifter]", "1|3", "5"};
    f = std::make_unique<FrmSeqInj>();
    f->Form_Load();
    EXPECT_EQ(ModMain::SceltaSeqInj, 5);
    ModMain::PhaseShifterCorrente = 2;
    f->AggiornaSelezioni(true);
    EXPECT_EQ(f->CMB_PhaseShifter->currentText(), "3");
    EXPECT_EQ(ModMain::PhaseShifterCorrente, 2);
    f->CMB_PhaseShifter->setCurrentIndex(0);
    f->CMB_PhaseShifter_Click();
    EXPECT_EQ(ModMain::PhaseShifterCorrente, 1);

    // Without the section the list stays empty and the values as they were.
    ModMain::RigheConfigScale = {"[Altro]", "1"};
    ModMain::SceltaSeqInj = 3;
    f = std::make_unique<FrmSeqInj>();
    f->Form_Load();
    EXPECT_EQ(f->CMB_PhaseShifter->count(), 0);
    EXPECT_EQ(ModMain::SceltaSeqInj, 3);
}

TEST_F(SeqInj, ChiusuraTornaAllaGestione) {
    SeqInjRegistro registro;
    f->Form_Activate();
    int cancella = 0;
    f->Form_QueryUnload(cancella, 0);
    EXPECT_EQ(cancella, 1);
    EXPECT_EQ(registro.chiamate, (std::vector<std::string>{"Disabilita", "SelezioneScheda(44)", "Abilita"}));
    // The management page's button opens the popup page.
    registro.chiamate.clear();
    gestione->CmdSeqInj_Click();
    EXPECT_EQ(registro.chiamate, (std::vector<std::string>{"SelezioneScheda(22)"}));
}

} // namespace
