// Against the simulated ECU through the real companion: an acquisition
// (request 56) chains the block-15 write (54) with the anticipated assignment,
// and the popup then shows it; a failed acquisition writes the normal one.
#include "engine/FissaggioMotore.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>

#include "core/ModMainCaricatori.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ModBlckSequenza.h"
#include "settings/FrmSeqInj.h"

namespace {

// The shell's part: the popup refreshed after the write, its text for a failed acquisition.
class SeqInjServizi : public ServiziInterfaccia {
public:
    explicit SeqInjServizi(FrmSeqInj& f) : f_(f) { MDIFrm::RegistraInterfaccia(this); }
    ~SeqInjServizi() override { MDIFrm::RegistraInterfaccia(nullptr); }
    void FrmSeqInj_AggiornaSelezioni(bool tutto) override {
        ++aggiornamenti;
        f_.AggiornaSelezioni(tutto);
    }
    std::string FrmSeqInj_STR_IMPOSSIBILE() override { return FrmSeqInj::STR_IMPOSSIBILE; }
    int aggiornamenti = 0;

private:
    FrmSeqInj& f_;
};

class SeqInjSimulata : public FissaggioMotore {
protected:
    void SetUp() override {
        FissaggioMotore::SetUp();
        Connetti();
        for (size_t n : {2u, 3u, 15u}) ASSERT_TRUE(LeggiBlocco(n)) << n;
        righe_ = ModMain::RigheConfigScale;
        ModMain::RigheConfigScale.clear();
        ModMain::PhaseShifterCorrente = 1;
        ModMain::SceltaSeqInj = 3;
        f = std::make_unique<FrmSeqInj>();
        f->Form_Load();
        servizi = std::make_unique<SeqInjServizi>(*f);
        ModMain::PaginaCorrente = SCHEDA_SEQINJ;
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        servizi.reset();
        f.reset();
        ModMain::RigheConfigScale = righe_;
        ModMain::PhaseShifterCorrente = 1;
        ModMain::SceltaSeqInj = 3;
        FissaggioMotore::TearDown();
    }
    // What the ECU holds in block 15 value k now.
    int32_t Ecu15(size_t k) {
        BloccoParametri salvato = TabellaBlocchi[15];
        EXPECT_TRUE(LeggiBlocco(15));
        const int32_t v = TabellaBlocchi[15].Valori.at(k);
        TabellaBlocchi[15] = salvato;
        return v;
    }

    std::unique_ptr<FrmSeqInj> f;
    std::unique_ptr<SeqInjServizi> servizi;

private:
    std::vector<std::string> righe_;
};

TEST_F(SeqInjSimulata, AcquisizioneScriveLaSequenzaAnticipata) {
    ASSERT_EQ(Valore(3, 1), 4) << "the simulated ECU has four cylinders";
    ModMain::RichiediOperazione(REQ_ACQUIRE_INJ_SEQUENCE, false);
    MDIFrm::Timer1_Timer();
    EXPECT_TRUE(Messaggi().empty());
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15); // chained
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(servizi->aggiornamenti, 1);
    // Firing order 1-3-4-2, shift 1: outputs 3, 1, 4, 2.
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(Ecu15(6 + k), (std::vector<int32_t>{2, 0, 3, 1})[k]);
    EXPECT_TRUE(f->chkanticipato->isChecked());
    EXPECT_EQ(f->LblOutGas->text().toStdString(), " CH: -1-2-3-4-\nOUT: -3-1-4-2- (1)");
}

TEST_F(SeqInjSimulata, AcquisizioneFallitaScriveLaNormale) {
    // A shifted assignment stands in the ECU; the next acquisition fails.
    ModMain::RichiediOperazione(REQ_ACQUIRE_INJ_SEQUENCE, false);
    MDIFrm::Timer1_Timer();
    MDIFrm::Timer1_Timer();
    ASSERT_EQ(Ecu15(6), 2);
    Manopola(25, 2); // the acquisition ends with status 2 in value 78
    Piattaforma::Copione::Azzera();
    ModMain::RichiediOperazione(REQ_ACQUIRE_INJ_SEQUENCE, false);
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{FrmSeqInj::STR_IMPOSSIBILE}));
    MDIFrm::Timer1_Timer();
    for (size_t k = 0; k < 8; ++k) EXPECT_EQ(Ecu15(6 + k), static_cast<int32_t>(k));
    EXPECT_FALSE(f->chkanticipato->isChecked());
}

} // namespace
