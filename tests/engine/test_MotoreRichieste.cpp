// The executor, row by row, against the simulated ECU: what the ECU holds
// afterwards, the page refreshes and switches asked for, the failure texts
// shown and the emptied slot.
#include "engine/FissaggioMotore.h"

#include <filesystem>

#include <algorithm>
#include <functional>

#include "engine/MDIFrmRichieste.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckVettori.h"

namespace {

class Richieste : public FissaggioMotore {
protected:
    void SetUp() override {
        FissaggioMotore::SetUp();
        Connetti();
        for (size_t n : {2u, 3u, 5u, 15u, 16u}) ASSERT_TRUE(LeggiBlocco(n)) << n;
        ModBlck::TempoBlocco = 1.0f;
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        ModBlck::TempoBlocco = 1.0f;
        FissaggioMotore::TearDown();
    }
    // Runs the request as the link timer would.
    void Esegui(int32_t codice) {
        ui->Azzera();
        Piattaforma::Copione::Azzera();
        ModMain::RichiestaPendente = codice;
        ModMain::StatoConnessione = STATO_ESECUZIONE;
        MDIFrm::EseguiRichiesta();
        ModMain::StatoConnessione = STATO_CONNESSO;
    }

public:
    // Value k of block n as the simulated ECU holds it now.
    int32_t ValoreEcu(size_t n, size_t k) {
        BloccoParametri salvato = TabellaBlocchi[n];
        EXPECT_TRUE(LeggiBlocco(n));
        const int32_t v = TabellaBlocchi[n].Valori.at(k);
        TabellaBlocchi[n] = salvato;
        return v;
    }

protected:
    std::vector<std::string> Testi(std::initializer_list<int16_t> voci) {
        std::vector<std::string> r;
        for (int16_t v : voci) r.push_back(Voce(v));
        return r;
    }
};

struct Riga {
    int32_t codice;
    int32_t pagina;
    std::function<void(Richieste&)> prepara;
    std::vector<std::string> aggiornamenti; // refreshes and page switches, in order
    std::vector<int16_t> voci;              // failure texts shown, in order
    std::function<void(Richieste&)> verifica;
};

TEST_F(Richieste, OgniCodiceServito) {
    const int32_t nuovoB2 = (Valore(2, 3) + 7) & 0xFF;
    const int32_t nuovoB3 = (Valore(3, 4) + 5) & 0xFF;
    const std::vector<Riga> righe = {
        {REQ_READ_BLK3, 0, [](Richieste&) { TabellaBlocchi[3].UltimaRisposta.clear(); },
         {"FrmInjSetPopUp.AggiornaSelezioni(False)"}, {},
         [](Richieste&) { EXPECT_FALSE(TabellaBlocchi[3].UltimaRisposta.empty()); }},
        {REQ_SET_LINK_PARAM_1, 0, nullptr, {}, {}, [](Richieste&) { EXPECT_EQ(ModPipe::ModoLinea, 1); }},
        {REQ_SET_LINK_PARAM_2, 0, nullptr, {}, {}, [](Richieste&) { EXPECT_EQ(ModPipe::ModoLinea, 2); }},
        {REQ_SET_LINK_PARAM_0, 0, nullptr, {}, {}, [](Richieste&) { EXPECT_EQ(ModPipe::ModoLinea, 0); }},
        {REQ_CLEAR_ECU_ERRORS, 0, nullptr, {"FrmError.VisualizzaErrori"}, {}, nullptr},
        {REQ_WRITE_BLK3, 0, [=](Richieste&) { ModBlck::ModificheBlocco3 = {ModificaPendente{nuovoB3, 4, 0}}; }, {}, {},
         [=](Richieste& t) { EXPECT_EQ(t.ValoreEcu(3, 4), nuovoB3); }},
        {REQ_WRITE_BLK2, 11, [=](Richieste&) { ModBlck::ModificheBlocco2 = {ModificaPendente{nuovoB2, 3, 0}}; },
         {"FrmError.AggiornaVisualizzazioni(True)"}, {},
         [=](Richieste& t) { EXPECT_EQ(t.ValoreEcu(2, 3), nuovoB2); }},
        {REQ_WRITE_BLK2, 24, nullptr, {"FRM_ZEBMenu.VisualizzaDatiCentralina"}, {}, nullptr},
        // The ECU record from the home page's fields: written, stored, read back, then shown.
        {REQ_WRITE_ECU_INFO, 24,
         [](Richieste&) {
             BloccoParametri r = TabellaBlocchi[5];
             r.Valori[0] = 4321;
             std::string dati;
             ModBlck::CodificaBlocco(dati, r);
             ModMain::FrameMenuCustom = ModBlck::CostruisciTrama(0x41, 0x02, CMD_WRITE_BLK5, dati);
         },
         {"FRM_ZEBMenu.VisualizzaDatiCentralina"}, {},
         [](Richieste& t) {
             EXPECT_EQ(TabellaBlocchi[5].Valori[0], 4321);
             EXPECT_EQ(t.ValoreEcu(5, 0), 4321);
         }},
        {REQ_WRITE_ECU_INFO, 0, nullptr, {}, {}, nullptr},
        {REQ_SAVE_CONFIG_FILE, 0,
         [this](Richieste&) {
             ModMain::SalvataggioRichiesto = true;
             ModMain::PercorsoSalvataggio = base.File("Data/x.qdl");
         },
         {}, {},
         [this](Richieste&) {
             EXPECT_FALSE(ModMain::SalvataggioRichiesto);
             EXPECT_TRUE(ModMain::PercorsoSalvataggio.empty());
             EXPECT_TRUE(std::filesystem::exists(base.File("Data/x.qdl")));
         }},
        // A file that cannot be read: refused before any ECU traffic, no reconnect.
        {REQ_LOAD_CONFIG_FILE, 0, [this](Richieste&) { ModMain::PercorsoCaricamento = base.File("Data/none.qdl"); },
         {}, {29},
         [](Richieste&) {
             EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
             EXPECT_EQ(ModMain::RiconnessioneRichiesta, 0);
         }},
        {REQ_READ_ERRORS, 0, [](Richieste&) { TabellaBlocchi[4].UltimaRisposta.clear(); },
         {"FrmError.VisualizzaErrori"}, {},
         [](Richieste&) { EXPECT_FALSE(TabellaBlocchi[4].UltimaRisposta.empty()); }},
        {REQ_READ_BLK16, 0, nullptr, {"FRM_ZEBinjDir.AggiornaSelezioni"}, {}, nullptr},
        {REQ_WRITE_OPTIONS, 25, [](Richieste&) { ModMain::MatSoglieModificata[15] = 0x00; },
         {"FrmObd.AzzeraRiferimenti", "FrmObd.AggiornaVisualizzazioni", "FRM_ZEBCommutazione.AggiornaSelezioni"},
         {}, nullptr},
        {REQ_SELECT_MAP2_EDITOR, 0, [](Richieste&) { ModMain::MatSoglieModificata[15] = 0x01; },
         {"FrmObd.AzzeraRiferimenti", "FrmObd.AggiornaVisualizzazioni", "MDIFrm.SelezioneScheda(50)"}, {},
         [](Richieste&) { EXPECT_EQ(ModMain::MatSoglie[15], 0x01); }},
        {REQ_SELECT_MAP2_EDITOR, 0, [](Richieste&) { ModMain::MatSoglieModificata[15] = 0x00; },
         {"FrmObd.AzzeraRiferimenti", "FrmObd.AggiornaVisualizzazioni", "MDIFrm.SelezioneScheda(49)"}, {}, nullptr},
        {REQ_SELECT_MAP0_EDITOR, 0, [](Richieste&) { ModMain::MatSoglieModificata[15] = 0x08; },
         {"FrmObd.AzzeraRiferimenti", "FrmObd.AggiornaVisualizzazioni", "MDIFrm.SelezioneScheda(27)"}, {}, nullptr},
        {REQ_SELECT_MAP1_EDITOR, 0, [](Richieste&) { ModMain::MatSoglieModificata[15] = 0x00; },
         {"FrmObd.AzzeraRiferimenti", "FrmObd.AggiornaVisualizzazioni", "MDIFrm.SelezioneScheda(47)"}, {}, nullptr},
        {REQ_WRITE_BANK_OPTIONS, 0, nullptr, {"FrmInjSetPopUp.AggiornaSelezioni(True)"}, {}, nullptr},
        {REQ_READ_BLK10, 0, nullptr, {}, {}, nullptr},
        {REQ_RESET_HISTOGRAM, 0, nullptr, {}, {}, nullptr},
        {REQ_RESET_GAS_ACQ, 0, nullptr, {}, {}, nullptr},
        {REQ_READ_ACQ_TABLES, 0, nullptr, {}, {}, nullptr},
        {REQ_WRITE_MAP0, 0, nullptr,
         {"FrmMatrix.ColoraMatriceGradiente(0)", "FrmMatrix.CaricaMatriceInGriglia(0)",
          "FRM_ZEBCarburazione.ColoraMatriceGradiente2(0)", "FRM_ZEBCarburazione.CaricaMatriceInGriglia(0)",
          "FrmMatrix.AbilitaTasti(0)", "FRM_ZEBCarburazione.AbilitaTasti(0)"},
         {}, nullptr},
        {REQ_READ_ADAPTIVE_MAP, 48, nullptr,
         {"FRM_ZEBCarburazione.ColoraMatriceGradiente2(1)", "FRM_ZEBCarburazione.CaricaMatriceInGriglia(1)"}, {},
         nullptr},
        // The block-3 writer refreshes the page shown itself, then the row does.
        {REQ_WRITE_BLK3_BLK15, 25, nullptr,
         {"FRM_ZEBCommutazione.AggiornaSelezioni", "FRM_ZEBCommutazione.AggiornaSelezioni"}, {}, nullptr},
        {REQ_WRITE_BLK3_BLK14, 47, nullptr, {"FrmMatrix.CambiaTipoGriglia(1,47)"}, {}, nullptr},
        {REQ_WRITE_BLK15, 22, nullptr, {"FrmSeqInj.AggiornaSelezioni(True)"}, {}, nullptr},
        {REQ_WRITE_BLK16, 46, nullptr, {"FRM_ZEBinjDir.AggiornaSelezioni"}, {}, nullptr},
        {REQ_WRITE_BLK15_BLK16, 0, nullptr, {}, {}, nullptr},
        {REQ_WRITE_BLK14, 0, nullptr, {"FrmObd.AggiornaSelezioniObd", "FrmObd.Form_Resize"}, {}, nullptr},
        {REQ_WRITE_BLK12, 46, nullptr, {"FrmObd.AggiornaSelezioniObd", "FRM_ZEBinjDir.AggiornaSelezioni"}, {}, nullptr},
        {REQ_SEND_CMD_69, 0, nullptr, {}, {}, nullptr},
        {REQ_WRITE_LAMBDA_EMULATION, 0, nullptr, {"FRM_ZEBLambda.AggiornaSelezioni"}, {}, nullptr},
        // The pressure tables of the factory file that fits the ECU.
        {REQ_LOAD_GAS_PRESS_TABLE, 0, nullptr, {}, {}, nullptr},
        {REQ_LOAD_PETROL_PRESS_TABLE, 0, nullptr, {}, {}, nullptr},
        {REQ_WRITE_BLK19, 0, nullptr, {}, {}, nullptr},        // not offered by this ECU: nothing
        {REQ_READ_OBD_INFO_ERROR, 0, nullptr, {}, {}, nullptr},
        {REQ_START_OBD, 0, nullptr,
         {"FrmObd.AggiornaParametriObd", "FrmObd.AggiornaSelezioniObd", "FrmObd.AggiornaVisualizzazioneNew"}, {},
         nullptr},
        {REQ_SEND_CUSTOM_FRAME, 0, [](Richieste&) { ModMain::ComandoCustom = "4102030D4D"; }, {}, {},
         [](Richieste&) {
             EXPECT_EQ(ModMain::RispostaCustom.substr(0, 4), "4201");
             EXPECT_EQ(ModMain::RispostaCustom, ModMain::ComandoCustom);
         }},
        {REQ_MAP_DIALOG_BUSY, 0, nullptr, {}, {}, nullptr},
        {REQ_IGNORED_71, 0, nullptr, {}, {}, nullptr},
        {REQ_IGNORED_72, 0, nullptr, {}, {}, nullptr},
        {26, 0, nullptr, {}, {29}, nullptr},
        {42, 0, nullptr, {}, {29}, nullptr},
        {47, 0, nullptr, {}, {29}, nullptr},
        {50, 0, nullptr, {}, {29}, nullptr},
        {77, 0, nullptr, {}, {29}, nullptr},
        {-3, 0, nullptr, {}, {29}, nullptr},
    };
    for (const auto& r : righe) {
        SCOPED_TRACE("request " + std::to_string(r.codice) + " on page " + std::to_string(r.pagina));
        ModMain::PaginaCorrente = r.pagina;
        if (r.prepara) r.prepara(*this);
        Esegui(r.codice);
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
        EXPECT_EQ(ui->Aggiornamenti(), r.aggiornamenti);
        std::vector<std::string> attesi;
        for (int16_t v : r.voci) attesi.push_back(Voce(v));
        EXPECT_EQ(Messaggi(), attesi);
        if (r.verifica) r.verifica(*this);
        ModMain::RiconnessioneRichiesta = 0;
    }
}

TEST_F(Richieste, PassoFallitoNonFermaIPassiSeguenti) {
    // The companion loses the block-3 writer's first packet (a time-out): the
    // option table and block 2 are still written, the failure text shown once
    // after the transport's own box, and the link flags left for the next tick.
    const int32_t nuovo = (Valore(2, 3) + 3) & 0xFF;
    ModBlck::ModificheBlocco2 = {ModificaPendente{nuovo, 3, 0}};
    ModMain::PaginaCorrente = 7;
    ModBlck::AttesaPipe = 300'000;
    Manopola(2, 1);
    Esegui(REQ_WRITE_OBD_SETTINGS);
    const auto testi = Messaggi();
    ASSERT_FALSE(testi.empty());
    EXPECT_EQ(std::count(testi.begin(), testi.end(), Voce(29)), 1);
    EXPECT_EQ(testi.back(), Voce(29));
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_EQ(ValoreEcu(2, 3), nuovo);
    EXPECT_EQ(ui->Aggiornamenti(), (std::vector<std::string>{"FrmObd.AggiornaSelezioniObd", "FrmObd.AggiornaVisualizzazioni"}));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    AzzeraFlag();
}

TEST_F(Richieste, ScritturaRifiutataMostraIlFallimento) {
    // The ECU refuses block writes: each try reports the failure, the ECU keeps
    // its value and the staged change waits; once the ECU accepts, it goes in.
    const int32_t prima = ValoreEcu(2, 3);
    const int32_t nuovo = (prima + 3) & 0xFF;
    ModBlck::ModificheBlocco2 = {ModificaPendente{nuovo, 3, 0}};
    Manopola(11, 0xFB);
    for (int volta = 0; volta < 2; ++volta) {
        Esegui(REQ_WRITE_BLK2);
        EXPECT_EQ(Messaggi(), Testi({29}));
        EXPECT_FALSE(ModMain::UltimaRichiestaRiuscita);
        EXPECT_EQ(ValoreEcu(2, 3), prima);
        ASSERT_EQ(ModBlck::ModificheBlocco2.size(), 1u);
        EXPECT_EQ(ModBlck::ModificheBlocco2[0].IndiceValore, 3);
        EXPECT_EQ(ModBlck::ModificheBlocco2[0].Valore, nuovo);
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
    }
    Manopola(11, 0);
    Esegui(REQ_WRITE_BLK2);
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_TRUE(ModMain::UltimaRichiestaRiuscita);
    EXPECT_EQ(ValoreEcu(2, 3), nuovo);
    EXPECT_EQ(ModBlck::ModificheBlocco2[0].IndiceValore, -1);
}

TEST_F(Richieste, SondaLambdaSpegneLEmulazioneSoloSeServe) {
    struct Caso {
        int32_t bit, sonda;
        bool scritto;
    };
    for (const Caso c : {Caso{0x10, 0, true}, Caso{0x10, 1, false}, Caso{0x00, 0, false}}) {
        TabellaBlocchi[2].Valori[2] = (TabellaBlocchi[2].Valori[2] & ~0x10) | c.bit;
        ASSERT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0);
        ModBlck::ModificheBlocco3 = {ModificaPendente{c.sonda, 38, 0}};
        Esegui(REQ_WRITE_LAMBDA_PROBE);
        EXPECT_TRUE(Messaggi().empty());
        EXPECT_EQ(ValoreEcu(2, 2) & 0x10, c.scritto ? 0 : c.bit) << c.bit << " " << c.sonda;
        EXPECT_EQ(ui->Aggiornamenti(), (std::vector<std::string>{"FRM_ZEBLambda.AggiornaSelezioni"}));
    }
}

TEST_F(Richieste, AssiNonCrescentiNonVengonoScritti) {
    // The axis check refuses (its own message is its business): nothing is
    // sent, the ECU keeps its vectors, the six grids still reload their axes.
    ModBlck::VettoreGiri ecuRpm{};
    ModBlck::VettoreTempi ecuTinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(ecuRpm, ecuTinj, 0), 0);
    ModBlck::VettoreRpm.fill(0x5A);
    ModBlck::VettoreTinj.fill(0xA5);
    Esegui(REQ_WRITE_MAP_AXES);
    ModBlck::VettoreGiri dopoRpm{};
    ModBlck::VettoreTempi dopoTinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(dopoRpm, dopoTinj, 0), 0);
    EXPECT_EQ(dopoRpm, ecuRpm);
    EXPECT_EQ(dopoTinj, ecuTinj);
    EXPECT_EQ(ModBlck::VettoreRpm[0], 0x5A);
    EXPECT_EQ(ui->Aggiornamenti(),
              (std::vector<std::string>{"FrmMatrix.CaricaAssiInMatrice(0)", "FRM_ZEBCarburazione.CaricaAssiInMatrice(0)",
                                        "FrmMatrix.CaricaAssiInMatrice(1)", "FRM_ZEBCarburazione.CaricaAssiInMatrice(1)",
                                        "FrmMatrix.CaricaAssiInMatrice(2)", "FRM_ZEBCarburazione.CaricaAssiInMatrice(2)"}));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(Richieste, ErroreInUnPassoAvvisaUnaVoltaESvuota) {
    // A page member failing at run time: the remaining steps are skipped, the
    // user sees the failure text once, the slot is emptied.
    ui->lanciaSu = "FrmError.VisualizzaErrori";
    Esegui(REQ_READ_ERRORS);
    EXPECT_EQ(Messaggi(), Testi({29}));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // An error before any traffic leaves the staged list for the user to retry.
    ui->lanciaSu.clear();
    ModBlck::ModificheBlocco3 = {ModificaPendente{1, 4, 0}};
    auto tabella = TabellaBlocchi;
    TabellaBlocchi.resize(3);
    Esegui(REQ_READ_BLK3);
    TabellaBlocchi = tabella;
    EXPECT_EQ(Messaggi(), Testi({29}));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(ModBlck::ModificheBlocco3[0].IndiceValore, 4);
}

TEST_F(Richieste, AcquisizioneConcatenaLaScritturaDelBlocco15) {
    ModMain::PaginaCorrente = 22;
    ModMain::RichiediOperazione(REQ_ACQUIRE_INJ_SEQUENCE, false);
    MDIFrm::Timer1_Timer();
    if (Messaggi().empty()) {
        EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);
        EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        MDIFrm::Timer1_Timer();
        EXPECT_TRUE(ui->Chiamato("FrmSeqInj.AggiornaSelezioni(True)"));
    } else {
        // The acquisition failed: its text once, and nothing chained.
        EXPECT_EQ(Messaggi(), Testi({29}));
    }
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

} // namespace

namespace {

TEST_F(Richieste, SequenzaApplicataSenzaBitDopoUnaScritturaFallita) {
    // Block 16 carries the wizard's progress bit: after a failed block-12
    // write it is not written, and the request reports the failure.
    ASSERT_TRUE(LeggiBlocco(12));
    const int32_t prima = ValoreEcu(16, 26);
    ModBlck::ModificheBlocco16 = {ModificaPendente{2, 26, 2}};
    ModBlck::ModificheBlocco12.clear();
    for (int32_t i = 0; i < 24; ++i) ModBlck::ModificheBlocco12.push_back(ModificaPendente{90, 60 + i, 0});
    Manopola(13, 1); // the block-15 read goes unanswered
    Esegui(REQ_APPLY_SEQUENCE_ANTICIPATED);
    EXPECT_FALSE(ModMain::UltimaRichiestaRiuscita);
    EXPECT_EQ(ValoreEcu(16, 26), prima);
    AzzeraFlag();
    ModBlck::ModificheBlocco16 = {ModificaPendente{2, 26, 2}};
    Esegui(REQ_APPLY_SEQUENCE_ANTICIPATED);
    EXPECT_TRUE(ModMain::UltimaRichiestaRiuscita);
    EXPECT_EQ(ValoreEcu(16, 26) & 2, 2);
    EXPECT_EQ(ValoreEcu(12, 83), 90);
}

} // namespace
