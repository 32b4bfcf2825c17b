// The link timer's tick: flags in their order, link loss with the first-loss
// load, exit, firmware action, calibration hand-over, the offline application
// of requests, and the mailbox.
#include "engine/FissaggioMotore.h"

#include "core/ModGlobFunct.h"

#include <csignal>
#include <fstream>
#include <unistd.h>


#include "engine/MDIFrmScritture.h"
#include "link/DevLister.h"
#include "support/SupportoTest.h"

namespace {

using Tick = FissaggioMotore;

TEST_F(Tick, TickInCorsoNonCambiaNulla) {
    MDIFrm::Timer1Attivo = 1;
    ModMain::RiconnessioneRichiesta = 1;
    ModMain::UscitaRichiesta = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_TRUE(ui->chiamate.empty());
    MDIFrm::Timer1Attivo = 0;
}

TEST_F(Tick, RiconnessioneSenzaCentralinaEPrimaPerditaCaricaLaConfigurazione) {
    Connetti();
    // No ECU answers on any port (no serial device listed), until STOP is pressed.
    const std::string radice = DevLister::RadiceSysfs;
    DevLister::RadiceSysfs = base.File("sys");
    Manopola(10, 1);
    // STOP pressed once the search moves on to its second attempt.
    ui->alMessaggioRicerca = [this](const std::string&) {
        if (ui->messaggiRicerca.size() == 2) ModMain::LineaPersa = 1;
    };
    ModMain::PrimoAvvio = 1;
    ModMain::RiconnessioneRichiesta = 1;
    ModMain::NomeConfigurazione = "Auto1";
    ModMain::RipristinoTaratura = -1.0;
    TabellaBlocchi[1].Valori[5] = 77;
    TabellaBlocchi[1].Valori[37] = 0x09;
    MDIFrm::Timer1_Timer();

    DevLister::RadiceSysfs = radice;
    // The search found nothing and STOP raised the link-lost flag: offline in the same tick.
    EXPECT_EQ(ModMain::StatoConnessione, STATO_OFFLINE);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 0);
    EXPECT_EQ(ModMain::LineaPersa, 0);
    EXPECT_EQ(ModMain::RipristinoTaratura, 0.0);
    EXPECT_EQ(ModPipe::ModoLinea, 2);
    const std::string titolo = Voce(0) + ModMain::VersioneProgramma;
    ASSERT_EQ(ui->titoli.size(), 3u);
    EXPECT_EQ(ui->titoli[0], titolo + "     Auto1");
    // The caption is set before the first loss empties the name.
    EXPECT_EQ(ui->titoli[2], titolo + " - [" + Voce(47) + "]      Auto1");
    // Request 18 posted with the overlay and applied offline at once.
    EXPECT_EQ(ModMain::PrimoAvvio, 0);
    EXPECT_EQ(ModMain::PercorsoCaricamento, ModMain::PercorsoConfigDefault);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ui->Chiamato("FrmUpdate.Timer1"));
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBMenu.VisualizzaDatiCentralina"));
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBCommutazione.AggiornaSelezioni"));
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBSensori.AggiornaSelezioni"));
    EXPECT_TRUE(ModMain::NomeConfigurazione.empty());
    EXPECT_EQ(Valore(1, 5), 0);
    EXPECT_EQ(Valore(1, 37), 0x08);

    // A second loss posts nothing.
    ui->Azzera();
    ModMain::LineaPersa = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_FALSE(ui->Chiamato("FrmUpdate.Timer1"));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(Tick, UscitaConRichiestaInAttesaNonLaEsegue) {
    Connetti();
    ModMain::Mem10Disponibile = true;
    TabellaBlocchi[21].Valori[0] = 1;
    MDIFrm::LoggaMEM10Al(1e6, {}, {});
    ASSERT_TRUE(MDIFrm::FileMem10.is_open());
    ui->allaChiusura = [] { MDIFrm::ChiusuraMotore(true); };
    ModMain::RichiestaPendente = REQ_SET_LINK_PARAM_1;
    ModMain::UscitaRichiesta = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_USCITA);
    EXPECT_TRUE(ui->Chiamato("MDIFrm.Unload"));
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SET_LINK_PARAM_1);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_FALSE(MDIFrm::FileMem10.is_open());
    // The companion was told to quit: no further transaction succeeds.
    std::string r;
    EXPECT_NE(ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x01'), 300'000, r), 0);
    Piattaforma::Copione::Azzera();
}


// The companion dies while connected: one box, then the link-loss path and the
// exit, with no box per tick and no quit packet into the dead pipe.
TEST_F(Tick, CompagnoMortoUnSoloMessaggioPoiLineaPersa) {
    Connetti();
    const pid_t pid = ModPipe::PidProcessoCom();
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGKILL);
    ASSERT_TRUE(SupportoTest::AttendiFineProcesso(pid));
    ui->allaChiusura = [] { MDIFrm::ChiusuraMotore(true); };
    for (int i = 0; i < 3; ++i) MDIFrm::Timer1_Timer();
    // A broken pipe is the time-out's box.
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{"Error 007 - Time Out"}));
    EXPECT_EQ(Piattaforma::Copione::Messaggi().front().icona, Piattaforma::IconaMessaggio::Informazione);
    EXPECT_EQ(ModPipe::PidProcessoCom(), 0);
    EXPECT_EQ(ModMain::StatoConnessione, STATO_USCITA);
    EXPECT_TRUE(ui->Chiamato("MDIFrm.Unload"));
    EXPECT_EQ(ui->titoli.front(), MDIFrm::TitoloLineaPersa());
    Piattaforma::Copione::Azzera();
}

TEST_F(Tick, RichiestaDaConnessoEPollingAlternati) {
    Connetti();
    ModMain::RichiediOperazione(REQ_SET_LINK_PARAM_1, false);
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModPipe::ModoLinea, 1);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(ui->chiamate, (std::vector<std::string>{"MDIFrm.ImpostaPuntatoreAttesa(True)",
                                                      "MDIFrm.ImpostaPuntatoreAttesa(False)"}));
    // A request does not advance the polling counter; an idle tick does.
    EXPECT_EQ(MDIFrm::ContatoreCicli, 0);
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(MDIFrm::ContatoreCicli, 1);
}

TEST_F(Tick, CasellaUnica) {
    ModMain::RichiediOperazione(REQ_WRITE_BLK2, false);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
    EXPECT_FALSE(ui->Chiamato("FrmUpdate.Timer1"));
    // Occupied: the second post is dropped and the overlay left alone.
    ModMain::RichiediOperazione(REQ_WRITE_BLK3, true);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
    EXPECT_FALSE(ui->Chiamato("FrmUpdate.Timer1"));
    ModMain::RichiestaPendente = 0;
    ModMain::RichiediOperazione(0, true);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    ModMain::RichiediOperazione(REQ_WRITE_BLK3, true);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    EXPECT_EQ(ui->Conta("FrmUpdate.Timer1"), 1u);
}

TEST_F(Tick, AzioneFirmwareETaratura) {
    ui->offsetLinguaFirmware = 100;
    TabellaBlocchi[0].UltimaRisposta = "\x42\x01\x04\x21\x14\x72";
    // Neither family matches and the ECU cannot be prepared: nothing changes.
    ModMain::FirmaHardware = {std::string("X"), std::string("Y")};
    // The engine runs: the ECU cannot be prepared for the update.
    TabellaBlocchi[1].Valori[37] = 1;
    ModMain::AggiornamentoFirmware = 1;
    ModMain::StatoConnessione = STATO_OFFLINE;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_OFFLINE);
    EXPECT_EQ(ModMain::AggiornamentoFirmware, 0);
    EXPECT_FALSE(ui->Chiamato("MDIFrm.Timer2(False)"));

    ModMain::FirmaHardware[1] = TabellaBlocchi[0].UltimaRisposta;
    ModMain::AggiornamentoFirmware = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE);
    EXPECT_TRUE(ui->Chiamato("FrmFirmware.Pulsanti(1,0)"));
    EXPECT_TRUE(ui->Chiamato("MDIFrm.Timer2(False)"));
    EXPECT_TRUE(ui->Chiamato("FrmFirmware.LblMsg=" + Voce(127) + "\r\n\r\n" + Voce(128)));
    EXPECT_EQ(ui->chiamate.back(), "MDIFrm.ImpostaPuntatoreAttesa(False)");

    ModMain::AggiornamentoFirmware = 2;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);
    EXPECT_TRUE(ui->Chiamato("FrmFirmware.Pulsanti(0,1)"));
    EXPECT_TRUE(ui->Chiamato("MDIFrm.Timer2(True)"));
    ModMain::RiconnessioneRichiesta = 0;

    // The calibration runner gets the link in the same tick (its stand-in ends the run at once).
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModMain::AvvioTaratura = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::AvvioTaratura, 0);
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(MDIFrm::ContatoreCicli, 0);

    // Armed while offline or during a firmware update: the flag is dropped and
    // the link keeps its state.
    for (const int32_t stato : {STATO_OFFLINE, STATO_FIRMWARE}) {
        ModMain::StatoConnessione = stato;
        ModMain::AvvioTaratura = 1;
        MDIFrm::Timer1_Timer();
        EXPECT_EQ(ModMain::AvvioTaratura, 0);
        EXPECT_EQ(ModMain::StatoConnessione, stato);
    }
}

// Offline: each request applied to the in-memory blocks, their replies rebuilt.
class Offline : public FissaggioMotore {
protected:
    void SetUp() override {
        FissaggioMotore::SetUp();
        ModMain::StatoConnessione = STATO_OFFLINE;
        for (size_t n = 0; n < TabellaBlocchi.size(); ++n) {
            auto& b = TabellaBlocchi[n];
            std::fill(b.Valori.begin(), b.Valori.end(), 0);
            b.UltimaRisposta.clear();
        }
    }
    void Esegui(int32_t codice) {
        ModMain::RichiestaPendente = codice;
        MDIFrm::Timer1_Timer();
        EXPECT_EQ(ModMain::RichiestaPendente, 0);
    }
    // The stored reply decodes to the block's values.
    static void RispostaCoerente(size_t n, uint8_t comando) {
        const auto& b = TabellaBlocchi[n];
        ASSERT_GE(b.UltimaRisposta.size(), 6u) << n;
        EXPECT_EQ(static_cast<uint8_t>(b.UltimaRisposta[3]), comando) << n;
        EXPECT_EQ(ModBlck::CalcolaXor(b.UltimaRisposta), 0) << n;
        BloccoParametri copia = b;
        std::fill(copia.Valori.begin(), copia.Valori.end(), -7);
        ModBlck::DecodificaBlocco(b.UltimaRisposta, copia);
        EXPECT_EQ(copia.Valori, b.Valori) << n;
    }
    // A prepared write frame of the block with its first value v.
    static std::string Trama(size_t n, uint8_t comando, int32_t v) {
        BloccoParametri b = TabellaBlocchi[n];
        b.Valori[0] = v;
        std::string dati;
        ModBlck::CodificaBlocco(dati, b);
        return ModBlck::CostruisciTrama(0x41, 0x02, comando, dati);
    }
};

TEST_F(Offline, ListeApplicateERisposteRicostruite) {
    struct Caso {
        int32_t codice;
        ListaModifiche* lista;
        size_t blocco;
        uint8_t comando;
        bool svuotata;
    };
    const Caso casi[] = {
        {REQ_WRITE_BLK3, &ModBlck::ModificheBlocco3, 3, 0x0E, true},
        {REQ_WRITE_SWITCH_TEMP, &ModBlck::ModificheBlocco3, 3, 0x0E, true},
        {REQ_WRITE_BLK2, &ModBlck::ModificheBlocco2, 2, 0x0D, true},
        {REQ_WRITE_LAMBDA_EMULATION, &ModBlck::ModificheBlocco11, 11, 0x41, false},
        {REQ_WRITE_BLK12, &ModBlck::ModificheBlocco12, 12, 0x44, true},
        {REQ_WRITE_BLK14, &ModBlck::ModificheBlocco14, 14, 0x62, true},
        {REQ_WRITE_BLK15, &ModBlck::ModificheBlocco15, 15, 0x6E, true},
        {REQ_WRITE_BLK16, &ModBlck::ModificheBlocco16, 16, 0x74, true},
        {REQ_WRITE_BLK15_BLK16, &ModBlck::ModificheBlocco16, 16, 0x74, true},
    };
    for (const auto& c : casi) {
        *c.lista = {ModificaPendente{5, 1, 0}, ModificaPendente{1, 0, 0x03}};
        Esegui(c.codice);
        EXPECT_EQ(Valore(c.blocco, 1), 5) << c.codice;
        EXPECT_EQ(Valore(c.blocco, 0), 3) << c.codice;
        RispostaCoerente(c.blocco, c.comando);
        EXPECT_EQ(c.lista->size() == 1 && (*c.lista)[0].IndiceValore == -1, c.svuotata) << c.codice;
        *c.lista = ModBlck::ListaVuota();
        std::fill(TabellaBlocchi[c.blocco].Valori.begin(), TabellaBlocchi[c.blocco].Valori.end(), 0);
    }
    // 16 applies only its block-3 part; 41 leaves block 2 alone.
    TabellaBlocchi[2].Valori[2] = 0x10;
    ModBlck::ModificheBlocco3 = {ModificaPendente{1, 38, 0}};
    ModBlck::ModificheBlocco11 = {ModificaPendente{9, 0, 0}};
    Esegui(REQ_WRITE_LAMBDA_PROBE);
    EXPECT_EQ(Valore(3, 38), 1);
    EXPECT_EQ(Valore(11, 0), 9);
    EXPECT_EQ(Valore(2, 2), 0x10);
    EXPECT_EQ(MDIFrm::CopiaBlocco3.Valori, TabellaBlocchi[3].Valori);
}

// The refresh the shell registers: the page shown is reloaded after an offline edit.
TEST_F(Offline, ModificaOfflineAggiornaLaPaginaMostrata) {
    ModBlck::AggiornaSchedaDopoModifiche = &MDIFrm::AggiornaSchedaDopoModifiche;
    int soglie = 0;
    MDIFrm::FRM_ZEBSensori_CaricaSoglieLivello = [&] { ++soglie; };
    struct Caso {
        int32_t pagina;
        std::vector<std::string> chiamate;
    } const casi[] = {
        {SCHEDA_INIETTORI, {"FrmInjSetPopUp.AggiornaSelezioni(True)"}},
        {SCHEDA_SENSORI, {"FRM_ZEBSensori.AggiornaSelezioni"}},
        {SCHEDA_COMMUTAZIONE, {"FRM_ZEBCommutazione.AggiornaSelezioni"}},
        {SCHEDA_OBD, {"FrmObd.AggiornaSelezioniObd", "FrmObd.AggiornaVisualizzazione"}},
        {SCHEDA_LAMBDA, {"FRM_ZEBLambda.AggiornaSelezioni"}},
        {SCHEDA_ERRORI, {"FrmError.AggiornaAbilitazioni", "FrmError.AggiornaVisualizzazioni(True)"}},
        {SCHEDA_HOME, {}},
    };
    for (const auto& c : casi) {
        ModMain::PaginaCorrente = c.pagina;
        ui->Azzera();
        ModBlck::ModificheBlocco14 = {ModificaPendente{5, 1, 0}};
        Esegui(REQ_WRITE_BLK14);
        EXPECT_EQ(ui->Aggiornamenti(), c.chiamate) << c.pagina;
    }
    EXPECT_EQ(soglie, 1);
    MDIFrm::FRM_ZEBSensori_CaricaSoglieLivello = nullptr;
    ModBlck::AggiornaSchedaDopoModifiche = nullptr;
}

TEST_F(Offline, TabellePreparateDiventanoRisposte) {
    ModBlck::FrameBlocco7 = Trama(7, CMD_WRITE_BLK7, 11);
    ModBlck::FrameComPBenX = Trama(17, CMD_WRITE_BLK17, 22);
    ModBlck::FrameComSMag = "\x41\x02\x03\x5E\x1F"; // 5 characters: too short
    ModBlck::TabellaCompensazioneSel = 255;
    Esegui(REQ_WRITE_COMP_TABLES);
    EXPECT_EQ(Valore(7, 0), 11);
    EXPECT_EQ(Valore(17, 0), 22);
    EXPECT_EQ(static_cast<uint8_t>(TabellaBlocchi[7].UltimaRisposta[2]), 0x24);
    EXPECT_EQ(static_cast<uint8_t>(TabellaBlocchi[7].UltimaRisposta[3]), 0x7A);
    EXPECT_EQ(static_cast<uint8_t>(TabellaBlocchi[17].UltimaRisposta[2]), 0x44);
    EXPECT_EQ(ModBlck::CalcolaXor(TabellaBlocchi[17].UltimaRisposta), 0);
    EXPECT_TRUE(ModBlck::FrameBlocco7.empty());
    EXPECT_TRUE(ModBlck::FrameComPBenX.empty());
    for (size_t n : {8u, 9u, 13u}) EXPECT_TRUE(TabellaBlocchi[n].UltimaRisposta.empty()) << n;

    // One table selected: the others stay prepared.
    ModBlck::FrameComTGasX = Trama(8, CMD_WRITE_BLK8, 3);
    ModBlck::FrameComPGasX = Trama(9, CMD_WRITE_BLK9, 4);
    ModBlck::TabellaCompensazioneSel = 2;
    Esegui(REQ_WRITE_COMP_TABLES);
    EXPECT_EQ(Valore(9, 0), 4);
    EXPECT_FALSE(ModBlck::FrameComTGasX.empty());

    ModBlck::FrameTabellaTemp = std::string(6, '\x01');
    Esegui(REQ_WRITE_TEMP_TABLE);
    EXPECT_TRUE(TabellaBlocchi[6].UltimaRisposta.empty());
    ModBlck::FrameTabellaTemp = Trama(6, CMD_WRITE_BLK6, 9);
    Esegui(REQ_WRITE_TEMP_TABLE);
    EXPECT_EQ(Valore(6, 0), 9);
    EXPECT_EQ(static_cast<uint8_t>(TabellaBlocchi[6].UltimaRisposta[3]), 0x3C);
}

TEST_F(Offline, CilindriOpzioniEPassiComuni) {
    ModBlck::TabellaCilindri.assign(25, 0);
    ModBlck::TabellaCilindri[0] = 4;
    ModBlck::TabellaCilindri[1] = 4;
    Esegui(REQ_SET_INJECTORS);
    for (size_t k = 16; k >= 13; --k) EXPECT_EQ(Valore(3, k), 1) << k;
    for (size_t k = 12; k >= 9; --k) EXPECT_EQ(Valore(3, k), 0) << k;
    RispostaCoerente(3, 0x0E);
    EXPECT_TRUE(ui->Chiamato("FrmInjSetPopUp.AggiornaSelezioni(True)"));

    ModMain::MatSoglieModificata[3] = 0x55;
    ModMain::PaginaCorrente = 44;
    Esegui(REQ_WRITE_OPTIONS);
    EXPECT_EQ(ModMain::MatSoglie[3], 0x55);
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBGestione.AggiornaSelezioni"));

    Esegui(REQ_WRITE_MAP0_LINE);
    EXPECT_EQ(ModMain::MatSoglie[15] & 0x04, 0x04);

    // Any code, even one not served: live values zeroed, run bit cleared, no message.
    ui->Azzera();
    ModMain::PaginaCorrente = 48;
    TabellaBlocchi[1].Valori[32] = 900;
    TabellaBlocchi[1].Valori[33] = 800;
    TabellaBlocchi[1].Valori[37] = 0x03;
    Esegui(99);
    EXPECT_EQ(Valore(1, 32), 0);
    EXPECT_EQ(Valore(1, 33), 800);
    EXPECT_EQ(Valore(1, 37), 0x02);
    EXPECT_EQ(ui->chiamate, (std::vector<std::string>{"FRM_ZEBCarburazione.AbilitaTasti(1)"}));
    EXPECT_TRUE(Messaggi().empty());

    ModMain::ApriLoggerRichiesto = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_TRUE(ui->Chiamato("FrmLogger.ApriFileLogger"));
    EXPECT_EQ(ModMain::ApriLoggerRichiesto, 0);
}

} // namespace
