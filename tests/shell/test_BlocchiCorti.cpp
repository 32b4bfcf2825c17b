// Blocks a flaky line or a short settings file left short (a few values or
// none): the display tick, the refreshes after a reply, the offline requests
// and the opening of every page run on whatever the blocks hold, raise nothing
// and leave the tick free for the next one.
#include "FissaggioShell.h"

#include "core/ModMainCaricatori.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ServiziInterfaccia.h"
#include "shell/MDIFrmIstanze.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"

namespace {

// Pages the tick has members for (the home page, the switchover, errors, maps,
// OBD, injectors, sensors, compensation, lambda, management, tuning, direct injection).
const int32_t CortiPagineTick[] = {0, 25, 11, 12, 47, 49, 27, 48, 50, 7, 3, 26, 8, 17, 44, 5, 46, 51, 52, 53, 54, 24};

} // namespace

using BlocchiCorti = FissaggioShell;

TEST_F(BlocchiCorti, OgniPaginaSopportaBlocchiCortiOMancanti) {
    struct Caso {
        const char* nome;
        size_t blocchi;
        size_t valori;
    };
    const SupportoTest::Ripristino salvato(ModMain::BloccoAppoggio);
    const Caso casi[] = {{"three values each", 21, 3}, {"no values", 21, 0}, {"only blocks 0-1", 2, 3}};
    for (const auto& c : casi) {
        TabellaBlocchi.assign(c.blocchi, BloccoParametri{});
        for (auto& b : TabellaBlocchi) b.Valori.assign(c.valori, 1);
        ModMain::BloccoAppoggio.Valori.assign(c.valori, 1);
        for (const int32_t pagina : CortiPagineTick) {
            ModMain::PaginaCorrente = pagina;
            f->Timer2_Timer();
            EXPECT_EQ(f->Timer2InCorso, 0) << c.nome << " page " << pagina;
        }
        ModMain::MappettaAperta = 1;
        f->Timer2_Timer();
        ModMain::MappettaAperta = 0;
        EXPECT_EQ(f->Timer2InCorso, 0) << c.nome;
    }
}

TEST_F(BlocchiCorti, AggiornamentiDopoUnaRispostaSopportanoBlocchiCorti) {
    // What a reply or an offline request refreshes, over blocks a short reply left.
    const SupportoTest::Ripristino salvato(ModMain::BloccoAppoggio);
    auto& ui = MDIFrm::Interfaccia();
    // The loaded window's pages answer, not the do-nothing stand-in.
    ASSERT_NE(MDIFrm::IstanzaFRM_ZEBSensori, nullptr);
    ASSERT_NE(MDIFrm::IstanzaFrmSeqInj, nullptr);
    for (const size_t valori : {size_t{0}, size_t{3}}) {
        TabellaBlocchi.assign(21, BloccoParametri{});
        for (auto& b : TabellaBlocchi) b.Valori.assign(valori, 1);
        ModMain::BloccoAppoggio.Valori.assign(valori, 1);
        ui.FRM_ZEBMenu_VisualizzaDatiCentralina(std::string(3, '\x42'), "");
        ui.FRM_ZEBCommutazione_AggiornaSelezioni();
        ui.FRM_ZEBSensori_AggiornaSelezioni();
        ui.FRM_ZEBGestione_AggiornaSelezioni();
        ui.FRM_ZEBinjDir_AggiornaSelezioni();
        ui.FRM_ZEBLambda_AggiornaSelezioni();
        ui.FrmInjSetPopUp_AggiornaSelezioni(true);
        ui.FrmSeqInj_AggiornaSelezioni(true);
        ui.FrmError_VisualizzaErrori();
        ui.FrmError_AggiornaVisualizzazioni(true);
        ui.FrmError_AggiornaAbilitazioni();
        ui.FrmObd_AggiornaSelezioniObd();
        ui.FrmObd_AggiornaParametriObd();
        ui.FrmObd_AggiornaVisualizzazioneNew();
        ui.FrmObd_AggiornaVisualizzazioni();
        ui.FrmObd_AggiornaVisualizzazione();
        ui.FrmMappetta_AggiornaParametriObdMappettaSatellite();
        ui.FrmCompensa_AggiornaTabelledaVettori();
        for (int k = 0; k < 3; ++k) {
            ui.FrmMatrix_CaricaAssiInMatrice(k);
            ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(k);
            ui.FrmMatrix_AbilitaTasti(k);
            ui.FRM_ZEBCarburazione_AbilitaTasti(k);
        }
    }
}

TEST_F(BlocchiCorti, RichiesteFuoriLineaSuBlocchiCorti) {
    // Offline, every request applies its pending edits to blocks shorter than the edits reach.
    const SupportoTest::Ripristino salvato(ModMain::BloccoAppoggio, ModBlck::ModificheBlocco2, ModBlck::ModificheBlocco3,
                                           ModBlck::ModificheBlocco11, ModBlck::ModificheBlocco12,
                                           ModBlck::ModificheBlocco14, ModBlck::ModificheBlocco15,
                                           ModBlck::ModificheBlocco16, ModBlck::TabellaCilindri);
    for (int32_t codice = 2; codice <= 76; ++codice) {
        if (codice == REQ_LOAD_CONFIG_FILE || codice == REQ_LOAD_CONFIG_COMP) continue;
        TabellaBlocchi.assign(21, BloccoParametri{});
        for (auto& b : TabellaBlocchi) b.Valori.assign(3, 1);
        const ListaModifiche lontana{ModificaPendente{5, 90, 0}};
        ModBlck::ModificheBlocco2 = ModBlck::ModificheBlocco3 = ModBlck::ModificheBlocco11 = lontana;
        ModBlck::ModificheBlocco12 = ModBlck::ModificheBlocco14 = ModBlck::ModificheBlocco15 = lontana;
        ModBlck::ModificheBlocco16 = lontana;
        ModBlck::TabellaCilindri = {4};
        ModMain::StatoConnessione = STATO_OFFLINE;
        ModMain::RichiestaPendente = codice;
        MDIFrm::GestioneOffline();
        EXPECT_EQ(ModMain::RichiestaPendente, 0) << codice;
        EXPECT_EQ(TabellaBlocchi[3].Valori.size(), 3u) << codice;
    }
}

TEST_F(BlocchiCorti, OgniPaginaSiApreSuBlocchiCorti) {
    // Opening a page loads it from the blocks as they are, a few values each or none.
    const SupportoTest::Ripristino salvato(ModMain::BloccoAppoggio);
    for (const size_t valori : {size_t{0}, size_t{3}}) {
        TabellaBlocchi.assign(21, BloccoParametri{});
        for (auto& b : TabellaBlocchi) b.Valori.assign(valori, 1);
        ModMain::BloccoAppoggio.Valori.assign(valori, 1);
        for (int32_t pagina = 0; pagina <= 54; ++pagina) {
            f->SelezioneScheda(pagina);
            EXPECT_EQ(ModMain::PaginaCorrente, pagina) << valori;
        }
    }
}
