// The connect procedure against the real companion and the simulated ECU:
// each ending (connected, boot states, foreign devices, STOP), the remembered
// port's six tries, failed reads during the download, and the version check
// that the link timer runs after it.
#include <algorithm>
#include <filesystem>

#include "engine/FissaggioConnessione.h"

#include "companion/CentralinaSuPty.h"
#include "companion/RelayCorrotto.h"
#include "link/ModBlckMappe.h"

namespace {

using Connessione = FissaggioConnessione;

// The blocks the download reads, each of which must end holding a whole
// reply to its own request.
constexpr size_t BlocchiScaricati[] = {1, 2, 3, 5, 6, 7, 8, 9, 17, 13, 11, 12, 14, 15, 16, 4, 10};

void VerificaRispostaPropria(size_t n) {
    SCOPED_TRACE("block " + std::to_string(n));
    const std::string richiesta = ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta);
    const std::string& r = TabellaBlocchi[n].UltimaRisposta;
    ASSERT_GE(richiesta.size(), 4u);
    ASSERT_GE(r.size(), 6u);
    EXPECT_EQ(static_cast<uint8_t>(r[0]), 0x42);
    EXPECT_EQ(r[3], richiesta[3]);
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
}

// The ending of a rejected device: still searching, the exit asked for, and
// the one unknown-device message with its title and no icon.
void VerificaRifiuto() {
    EXPECT_EQ(ModMain::StatoConnessione, STATO_RICERCA);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo.toStdString(), ModMain::TestoVoce(71) + "\r\n\r\n" + ModMain::TestoVoce(72));
    EXPECT_EQ(m[0].titolo.toStdString(), ModMain::TestoVoce(0));
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Nessuna);
}

TEST_F(Connessione, CentralinaNormaleDiOgniVarianteScaricataEDecodificata) {
    struct Caso {
        const char* hardware;
        int32_t variante;
        const std::string* immagine;
        uint8_t versione, revisione;
    } casi[] = {
        {"nuovo", 0, &ModMain::PercorsoFirmwareNuovoHw, 3, 2},
        {"vecchio", 1, &ModMain::PercorsoFirmwareVecchioHw, 2, 7},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.hardware);
        ModMain::StatoConnessione = STATO_RICERCA;
        ModMain::PrimoAvvio = 1;
        ModMain::VarianteHardware = 1 - c.variante;
        AvviaCaso(std::string("Hardware=") + c.hardware + "\r\nObdDtc=0301,0420\r\n");
        ui->Azzera();
        MDIFrm::ConnettiCentralina();

        EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        EXPECT_EQ(ModMain::PrimoAvvio, 0);
        EXPECT_EQ(ModMain::VarianteHardware, c.variante);
        EXPECT_EQ(ModMain::FileFirmwareScelto, *c.immagine);
        // Block 0 holds the identification record's 62 data bytes.
        const std::string& id = TabellaBlocchi[0].UltimaRisposta;
        ASSERT_EQ(id.size(), 62u);
        EXPECT_EQ(static_cast<uint8_t>(id[0]), c.versione);
        EXPECT_EQ(static_cast<uint8_t>(id[1]), c.revisione);
        // Capabilities of this ECU, and the blocks they guard decoded.
        EXPECT_EQ(ModMain::FunzioneEstesaEcu, -1);
        EXPECT_TRUE(ModMain::AbilitaNuovaObd);
        EXPECT_TRUE(ModMain::Mem10Disponibile);
        EXPECT_EQ(Valore(20, 1), 2);
        EXPECT_EQ(Valore(20, 2), 0x0301);
        EXPECT_EQ(Valore(20, 3), 0x0420);
        for (size_t n = 1; n < TabellaBlocchi.size(); ++n)
            EXPECT_FALSE(TabellaBlocchi[n].UltimaRisposta.empty()) << "block " << n;
        EXPECT_EQ(Valore(3, 0), 4);
        EXPECT_EQ(ModMain::UnitaRpm, 64);
        EXPECT_TRUE(Messaggi().empty());

        // The maps in memory are the ECU's.
        PaginaMappa mappa{};
        TabellaSoglie soglie{};
        ASSERT_EQ(ModBlck::LeggiMappaEcu(mappa, soglie), 0);
        EXPECT_EQ(ModBlck::ImmagineMappa(ModMain::MappaPagina0), ModBlck::ImmagineMappa(mappa));
        EXPECT_EQ(ModMain::MatSoglie, soglie);

        // The screens: searching on the USB entry, the blinking full bar, then the final step.
        ASSERT_GE(ui->messaggiRicerca.size(), 3u);
        EXPECT_EQ(ui->messaggiRicerca[0], Voce(48) + Voce(46));
        EXPECT_EQ(ui->messaggiRicerca.back(), Voce(48));
        EXPECT_EQ(ui->Conta("FRM_ZEBPortSearch.BarraVisibile(False)"), 5u);
        EXPECT_EQ(ui->Conta("FRM_ZEBPortSearch.BarraVisibile(True)"), 5u);
        EXPECT_TRUE(ui->Chiamato("MDIFrm.MDIForm_Resize"));
        EXPECT_TRUE(ui->Chiamato("FRM_ZEBCommutazione.RiempiCmbSwtch"));
        const std::vector<std::string> fine(ui->chiamate.end() - 8, ui->chiamate.end());
        EXPECT_EQ(fine, (std::vector<std::string>{
                            "FRM_ZEBPortSearch.Mostra(False)", "FRM_ZEBPortSearch.TMR(False)",
                            "FRM_ZEBDashBoard.Mostra(True)", "FrmCommutatore.Mostra(True)",
                            "MDIFrm.SelezioneScheda(24)", "FRM_ZEBConnected.CMB_Seriali(0)",
                            "MDIFrm.AbilitaDisabilitaForm(True)", "MDIFrm.ImpostaPuntatoreAttesa(False)"}));
        ModPipe::TerminaProcessoCom();
    }
}

TEST_F(Connessione, PassoDiCaricoDalBlocco3) {
    AvviaCaso("");
    // Block 3 value 33 (index 33 << 16) with the bit 0x40.
    Manopola(24, 3 << 24 | 33 << 16 | 0xC0);
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(ModMain::UnitaRpm, 128);
}

TEST_F(Connessione, StatiDiBootPortanoAllaPaginaFirmware) {
    struct Caso {
        const char* hardware;
        int elemento;
    } casi[] = {{"nuovo", 0}, {"vecchio", 1}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.hardware);
        ModMain::StatoConnessione = STATO_RICERCA;
        ModMain::FirmwareDaAggiornare = false;
        AvviaCaso(std::string("Centralina=boot\r\nHardware=") + c.hardware + "\r\n");
        Invia(PIPE_SET_MODE, std::string(1, '\x01'));
        ui->Azzera();
        TabellaBlocchi[1].Valori[37] = 1;
        TabellaBlocchi[1].Valori[32] = 900;
        ModMain::RiconnessioneRichiesta = 1;
        MDIFrm::Timer1_Timer();

        EXPECT_EQ(ModMain::StatoConnessione, STATO_RICERCA);
        EXPECT_EQ(TabellaBlocchi[0].UltimaRisposta, ModMain::FirmaHardware[static_cast<size_t>(c.elemento)]);
        EXPECT_EQ(Valore(1, 37), 0);
        EXPECT_EQ(Valore(1, 32), 0);
        // Recognition A sets link mode 2; B leaves it as the companion's start left it.
        EXPECT_EQ(ModPipe::ModoLinea, c.elemento == 0 ? 2 : 0);
        EXPECT_TRUE(ui->Chiamato("MDIFrm.SelezioneScheda(13)"));
        EXPECT_TRUE(ModMain::FirmwareDaAggiornare);
        EXPECT_EQ(ModMain::UscitaRichiesta, 0);
        // The image of the family the boot frame names, even after a start that assumed the other.
        EXPECT_EQ(ModMain::VarianteHardware, c.elemento);
        EXPECT_EQ(ModMain::FileFirmwareScelto,
                  c.elemento == 0 ? ModMain::PercorsoFirmwareNuovoHw : ModMain::PercorsoFirmwareVecchioHw);
        EXPECT_EQ(ModMain::LeggiVersioneFw(ModMain::FirmwareFile), c.elemento == 0 ? 3 : 2);
        EXPECT_TRUE(Messaggi().empty());
        ModPipe::TerminaProcessoCom();
    }
}

TEST_F(Connessione, VerificaDopoLaConnessione) {
    // The simulated ECU runs 03.02 of 14/05/2024. A newer image: the firmware
    // page. The same one: nothing. An image that cannot be read (no sector
    // table) gives the zero-filled record, whose bytes read as a newer release.
    struct Caso {
        const char* nome;
        int versione, revisione;
        bool senzaSettori;
        bool pagina, lampada;
    } casi[] = {
        {"newer", 3, 3, false, true, true},
        {"same", 3, 2, false, false, false},
        {"unreadable", 3, 2, true, true, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModMain::StatoConnessione = STATO_RICERCA;
        ModMain::FirmwareDaAggiornare = !c.lampada;
        ModMain::SettoriFlash = {};
        ModMain::LunghezzaImmagine = 0;
        ScriviImmagine(c.versione, c.revisione);
        if (c.senzaSettori) std::filesystem::remove(base.File("bin/Flash.ini"));
        AvviaCaso("");
        ui->Azzera();
        ModMain::RiconnessioneRichiesta = 1;
        MDIFrm::Timer1_Timer();
        EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        EXPECT_EQ(ui->Chiamato("MDIFrm.SelezioneScheda(13)"), c.pagina);
        EXPECT_EQ(ModMain::FirmwareDaAggiornare, c.lampada);
        EXPECT_EQ(ModMain::UscitaRichiesta, 0);
        EXPECT_EQ(ModMain::LeggiVersioneFw(TabellaBlocchi[0].UltimaRisposta), 3);
        ModPipe::TerminaProcessoCom();
    }
}

TEST_F(Connessione, DispositivoEstraneoChiedeLUscita) {
    for (const char* caso : {"estranea", "sconosciuta"}) {
        SCOPED_TRACE(caso);
        ModMain::UscitaRichiesta = 0;
        Piattaforma::Copione::Azzera();
        AvviaCaso(std::string("Centralina=") + caso + "\r\n");
        MDIFrm::ConnettiCentralina();
        VerificaRifiuto();
        ModPipe::TerminaProcessoCom();
    }
    // With the exit requested the procedure does nothing at all.
    ui->Azzera();
    MDIFrm::ConnettiCentralina();
    EXPECT_TRUE(ui->chiamate.empty());
}

TEST_F(Connessione, PortaRicordataProvataSeiVoltePrimaDelleAltre) {
    PortaSeriale(6); // COM7, listed after the USB entry
    base.Scrivi("bin/PortCom.ini", " 7 \r\n");
    AvviaCaso(""); // the ECU answers on the USB entry
    Giornale();
    MDIFrm::ConnettiCentralina();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(Aperture(Giornale()), (std::vector<int32_t>{7, 7, 7, 7, 7, 7, 0}));
    EXPECT_EQ(ui->messaggiRicerca.front(), Voce(48) + Voce(45) + "7");
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBConnected.CMB_Seriali(0)"));
}

TEST_F(Connessione, SenzaPortaRicordataSiCominciaDallUsbEPoiTutte) {
    PortaSeriale(0); // COM1
    PortaSeriale(2); // COM3
    base.Scrivi("bin/PortCom.ini", "COM7\r\n");
    AvviaCaso("", 3);
    Giornale();
    MDIFrm::ConnettiCentralina();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(Aperture(Giornale()), (std::vector<int32_t>{0, 1, 3}));
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBConnected.CMB_Seriali(2)"));
}

TEST_F(Connessione, StopTerminaLaRicercaSenzaFine) {
    AvviaCaso("Centralina=muta\r\n");
    PremiStopAlMessaggio(3);
    MDIFrm::ConnettiCentralina();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_RICERCA);
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
    EXPECT_TRUE(Messaggi().empty());
    // Nothing answered: the list was walked again and again, probing before each open.
    const auto g = Giornale();
    EXPECT_GE(Aperture(g).size(), 2u);
    EXPECT_TRUE(ui->Chiamato("MDIFrm.AbilitaDisabilitaForm(True)"));
    EXPECT_EQ(ui->chiamate.back(), "MDIFrm.ImpostaPuntatoreAttesa(False)");
}

TEST_F(Connessione, MappaNonLettaTieneIlContenutoInMemoria) {
    for (auto& riga : ModMain::MappaPagina0) riga.fill(0x5A);
    ModMain::MatSoglie.fill(0x33);
    ModMain::UndoPagina0 = ModMain::UndoPagina1 = PaginaMappa{};
    ModMain::UndoDisponibile0 = ModMain::UndoDisponibile1 = 1;
    ModMain::PaginaCorrente = SCHEDA_CARBURAZIONE_1;
    AvviaCaso("");
    // The first data read of the download (map 0's first chunk) is refused.
    Manopola(21, 1);
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    for (const auto& riga : ModMain::MappaPagina0)
        for (uint8_t v : riga) ASSERT_EQ(v, 0x5A);
    for (uint8_t v : ModMain::MatSoglie) EXPECT_EQ(v, 0x33);
    // The other maps were read and copied.
    PaginaMappa adat{};
    ASSERT_EQ(ModBlck::LeggiMappaAdat(adat), 0);
    EXPECT_EQ(ModBlck::ImmagineMappa(ModMain::MappaPagina1), ModBlck::ImmagineMappa(adat));
    // A page read from the ECU is the reference of its next write and has nothing to undo;
    // the page that was not read keeps its undo state.
    EXPECT_EQ(ModMain::UndoPagina1, ModMain::MappaPagina1);
    EXPECT_EQ(ModMain::UndoDisponibile1, 0);
    EXPECT_EQ(ModMain::UndoDisponibile0, 1);
    // The editor shown shows the maps just read, not the old ones.
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBCarburazione.CaricaMatriceInGriglia(1)"));
    EXPECT_TRUE(ui->Chiamato("FRM_ZEBCarburazione.CaricaAssiInMatrice(1)"));
}

// An ECU that refuses one optional read of the download, or answers it short,
// is connected all the same: that read keeps what memory held.
TEST_F(Connessione, LetturaFacoltativaRifiutataNonFermaIlDownload) {
    const auto tabelle = std::array{ModBlck::DatiGrezzi1B, ModBlck::DatiGrezzi1C, ModBlck::DatiGrezzi20, ModBlck::DatiGrezzi1F};
    const auto rpm = ModBlck::VettoreRpm;
    const auto tinj = ModBlck::VettoreTinj;
    AvviaCaso("");
    struct Caso {
        uint8_t manopola; // 25 refused, 26 one byte short
        uint8_t comando;
    } casi[] = {
        {25, CMD_READ_TBENZ}, {25, CMD_READ_TGAS}, {25, CMD_READ_TRISULT}, {25, CMD_READ_TISTO},
        {25, CMD_READ_VET_RPM}, {25, CMD_READ_VET_TINJ}, {26, CMD_READ_VET_RPM}, {26, CMD_READ_VET_TINJ},
        {25, CMD_READ_MAP}, {25, CMD_READ_SOGLIE}, {25, CMD_READ_ADAT}, {25, CMD_READ_MAPE}, {26, CMD_READ_MAP},
    };
    std::string* copie[4] = {&ModBlck::DatiGrezzi1B, &ModBlck::DatiGrezzi1C, &ModBlck::DatiGrezzi20, &ModBlck::DatiGrezzi1F};
    const uint8_t comandiTabelle[4] = {CMD_READ_TBENZ, CMD_READ_TGAS, CMD_READ_TRISULT, CMD_READ_TISTO};
    for (const auto& c : casi) {
        SCOPED_TRACE(std::to_string(c.manopola) + " " + std::to_string(c.comando));
        for (auto* t : copie) *t = "prima";
        ModBlck::VettoreRpm.fill(0x11);
        ModBlck::VettoreTinj.fill(0x22);
        ModMain::StatoConnessione = STATO_RICERCA;
        ui->messaggiRicerca.clear();
        // Without the mend the search would start again for ever: STOP ends it.
        PremiStopAlMessaggio(3);
        Manopola(c.manopola, c.comando);
        Giornale();
        MDIFrm::ConnettiCentralina();
        Manopola(c.manopola, 0);
        EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        EXPECT_EQ(Aperture(Giornale()), (std::vector<int32_t>{0}));
        for (size_t k = 0; k < 4; ++k)
            EXPECT_EQ(*copie[k] == "prima", c.comando == comandiTabelle[k]) << k;
        const bool vettore = c.comando == CMD_READ_VET_RPM || c.comando == CMD_READ_VET_TINJ;
        EXPECT_EQ(ModBlck::VettoreRpm[5] == 0x11 && ModBlck::VettoreTinj[170] == 0x22, vettore);
        EXPECT_TRUE(Messaggi().empty());
    }
    for (size_t k = 0; k < 4; ++k) *copie[k] = tabelle[k];
    ModBlck::VettoreRpm = rpm;
    ModBlck::VettoreTinj = tinj;
}

TEST_F(Connessione, DownloadConRispostaGuastaRiprovaLaStessaPorta) {
    AvviaCaso("");
    Giornale();
    // INIT, RESET, PROBE, OPEN, RESET, identification, block 1: block 2's reply is garbled.
    Manopola(5, 7);
    MDIFrm::ConnettiCentralina();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(Aperture(Giornale()), (std::vector<int32_t>{0, 0}));
    ASSERT_EQ(Messaggi(), (std::vector<std::string>{"Error 006 - Comunication error"}));
}

TEST_F(Connessione, IdentificazioneScadutaSenzaMessaggioDiRifiuto) {
    AvviaCaso("");
    // The identification request (the first ECU frame) gets no reply packet.
    Manopola(6, PIPE_ECU_FRAME);
    MDIFrm::ConnettiCentralina();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_RICERCA);
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{"Error 007 - Time Out"}));
}

// A block the ECU leaves unanswered during the download fails the download:
// the same port is tried again and no block is left without its reply.
TEST_F(Connessione, BloccoSenzaRispostaNelDownloadRiprovaLaStessaPorta) {
    AvviaCaso("");
    for (const uint8_t comando : {0x0C, 0x0D, 0x46}) { // blocks 1, 2 and 10, the last one read
        SCOPED_TRACE(static_cast<int>(comando));
        ModMain::StatoConnessione = STATO_RICERCA;
        for (size_t n : BlocchiScaricati) TabellaBlocchi[n].UltimaRisposta.clear();
        Giornale();
        Manopola(15, comando);
        MDIFrm::ConnettiCentralina();
        EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        EXPECT_EQ(Aperture(Giornale()), (std::vector<int32_t>{0, 0}));
        for (size_t n : BlocchiScaricati) VerificaRispostaPropria(n);
        EXPECT_TRUE(Messaggi().empty());
    }
}

// The identification reply after the port reset is lost on the line: that
// names no unknown ECU; the port is asked again and the ECU connected.
TEST_F(Connessione, IdentificazionePersaSiChiedeDiNuovo) {
    AvviaCaso("");
    bool persa = false;
    ui->alMessaggioRicerca = [this, &persa](const std::string& m) {
        if (m == Voce(49) && !persa) {
            persa = true;
            Manopola(13, 1); // the next ECU frame, the identification request, goes unanswered
        }
    };
    Giornale();
    MDIFrm::ConnettiCentralina();
    EXPECT_TRUE(persa);
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_EQ(Aperture(Giornale()), (std::vector<int32_t>{0, 0}));
}

// After the port reset the identification is asked for again when its reply
// comes damaged; a device that answers the open but never sends a well-formed
// identification is no ECU this program knows: the unknown-device message and
// the exit, on the same port, without trying another.
TEST_F(Connessione, IdentificazioneMaiBenFormataDopoAlcuniTentativi) {
    struct Caso {
        const char* nome;
        int32_t risposteCorrotte; // from the first identification request on
        bool connessa;
    } casi[] = {
        {"damaged once", 1, true},
        {"never well-formed", 1 << 30, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModMain::StatoConnessione = STATO_RICERCA;
        ModMain::UscitaRichiesta = 0;
        Piattaforma::Copione::Azzera();
        ui->Azzera();
        ui->messaggiRicerca.clear();
        AvviaCaso("");
        bool guasto = false;
        ui->alMessaggioRicerca = [this, &c, &guasto](const std::string& m) {
            if (m == Voce(49) && !guasto) {
                guasto = true;
                Manopola(12, c.risposteCorrotte); // replies with a wrong check byte
            }
            // Without a bound the search would ask for ever: STOP ends it.
            if (ui->messaggiRicerca.size() == 40) ModMain::LineaPersa = 1;
        };
        Giornale();
        MDIFrm::ConnettiCentralina();
        EXPECT_TRUE(guasto);
        EXPECT_EQ(ModMain::LineaPersa, 0);
        const auto aperture = Aperture(Giornale());
        EXPECT_GE(aperture.size(), 2u);
        EXPECT_EQ(aperture, std::vector<int32_t>(aperture.size(), 0));
        if (c.connessa) {
            EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
            EXPECT_EQ(ModMain::UscitaRichiesta, 0);
            EXPECT_TRUE(Messaggi().empty());
        } else {
            VerificaRifiuto();
        }
        ModPipe::TerminaProcessoCom();
    }
}

// A block the ECU never answers, behind a relay that swallows every reply to
// its request: the download fails each time. After a few attempts on the port
// the search stops as STOP stops it (the link goes offline, no exit) with a
// message that names the block.
TEST_F(Connessione, BloccoMaiRispostoFermaLaRicercaNominandolo) {
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), false);
    ASSERT_FALSE(ecu.Dispositivo().empty());
    RelayCorrotto relay(ecu.Dispositivo());
    ASSERT_FALSE(relay.Dispositivo().empty());
    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nBaud=115200\nAttesaEcuMs=200\nCOM0=" + relay.Dispositivo() + "\n");
    ModBlck::AttesaPipe = static_cast<int32_t>(2'000'000 * Accelerazione);
    Avvia();
    struct Caso {
        uint8_t comando;
        int blocco;
    } casi[] = {{0x0C, 1}, {0x46, 10}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.blocco);
        relay.comandoMuto = c.comando;
        ModMain::StatoConnessione = STATO_CONNESSO;
        Piattaforma::Copione::Azzera();
        ui->Azzera();
        ui->messaggiRicerca.clear();
        // Without a bound the search would start again for ever: STOP ends it.
        PremiStopAlMessaggio(40);
        ModMain::RiconnessioneRichiesta = 1;
        MDIFrm::Timer1_Timer();

        EXPECT_EQ(ModMain::StatoConnessione, STATO_OFFLINE);
        EXPECT_EQ(ModMain::UscitaRichiesta, 0);
        EXPECT_EQ(ModMain::LineaPersa, 0);
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].testo.toStdString(), Voce(825) + " " + std::to_string(c.blocco) + ".");
        EXPECT_EQ(m[0].titolo.toStdString(), Voce(0));
        EXPECT_LT(ui->messaggiRicerca.size(), 40u);
        EXPECT_TRUE(ui->Chiamato("MDIFrm.AbilitaDisabilitaForm(True)"));
        EXPECT_TRUE(ui->Chiamato("FRM_ZEBPortSearch.Mostra(False)"));
    }
    // The line shown while the ECU, recognised, was read claims no failed recognition.
    ASSERT_EQ(ui->messaggiRicerca.back(), Voce(49));
    const struct {
        int16_t lingua;
        const char* parola;
    } lingue[] = {{0, "recogni"}, {1, "riconosciut"}};
    for (const auto& l : lingue) {
        ModMain::Dizionario->IdLingua(l.lingua);
        EXPECT_EQ(Voce(49).find(l.parola), std::string::npos) << Voce(49);
    }
    ModMain::Dizionario->IdLingua(0);
}

// The breakpoint vectors' read comes back garbled on every attempt: the
// search stops in the same way, with the message for the vectors and tables.
TEST_F(Connessione, VettoriMaiLettiFermanoLaRicerca) {
    AvviaCaso("");
    // A clean connect gives the packets from the port reset to the first vector read.
    Giornale();
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    const auto g = Giornale();
    size_t reset = 0, vettore = 0;
    for (size_t i = 0; i < g.size() && vettore == 0; ++i) {
        if (g[i].codice == PIPE_RESET_PORT) reset = i;
        if (g[i].codice == PIPE_ECU_FRAME && g[i].Comando() == CMD_READ_VET_RPM) vettore = i;
    }
    ASSERT_GT(vettore, reset);

    ModMain::StatoConnessione = STATO_CONNESSO;
    Piattaforma::Copione::Azzera();
    ui->Azzera();
    ui->messaggiRicerca.clear();
    ui->alMessaggioRicerca = [this, n = static_cast<int32_t>(vettore - reset)](const std::string& m) {
        if (m == Voce(49)) Manopola(5, n); // that reply packet with a wrong length, on every attempt
        // Without a bound the search would start again for ever: STOP ends it.
        if (ui->messaggiRicerca.size() == 40) ModMain::LineaPersa = 1;
    };
    ModMain::RiconnessioneRichiesta = 1;
    MDIFrm::Timer1_Timer();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_OFFLINE);
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
    const auto m = Messaggi();
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m.back(), Voce(826));
    EXPECT_EQ(std::count(m.begin(), m.end(), "Error 006 - Comunication error"), static_cast<long>(m.size() - 1));
}

// Through a serial line that delivers chosen replies past the ECU wait: block
// 2's reply arrives while block 3's, itself late, is awaited. A late reply
// never lands in the block read after it; the download that missed a reply is
// done again, and every block ends holding its own reply.
TEST_F(Connessione, RispostaInRitardoNonFinisceNelBloccoSuccessivo) {
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), false);
    ASSERT_FALSE(ecu.Dispositivo().empty());
    RelayCorrotto relay(ecu.Dispositivo());
    ASSERT_FALSE(relay.Dispositivo().empty());
    constexpr int32_t attesaEcuMs = 300;
    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nBaud=115200\nAttesaEcuMs=" + std::to_string(attesaEcuMs) +
                                      "\nCOM0=" + relay.Dispositivo() + "\n");
    ModBlck::AttesaPipe = static_cast<int32_t>(2'000'000 * Accelerazione);
    Avvia();
    relay.RitardaUnaVolta(0x0D, attesaEcuMs + 100);
    relay.RitardaUnaVolta(0x0E, 200);
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    for (size_t n : BlocchiScaricati) VerificaRispostaPropria(n);
}

} // namespace
