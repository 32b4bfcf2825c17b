// The flash programming sequence against the real companion and the
// simulated ECU: the exact frames, a failure at each step, an image that must
// not be programmed, and a pipe time-out that must not close the program in
// the middle of the update.
#include "firmware/FissaggioProgrammazione.h"

#include "firmware/FirmwareConversioni.h"
#include "link/ModBlckTrame.h"

namespace {

// A small image: code in two 128-byte blocks, the record and the reset vector.
Scrittura::Descrizione Piccola(uint8_t revisione = 2, uint8_t giorno = 0x15) {
    auto d = Scrittura::ImmagineNuovoHw();
    d.lunghezzaCodice = 130;
    d.revisione = revisione;
    d.giorno = giorno;
    return d;
}

std::string Hex(const std::string& s) { return ModGlobFunct::ConvertiTestoInHex(s); }

} // namespace

class Programmazione : public FissaggioProgrammazione {
protected:
    // The ECU connected and downloaded, the link in firmware mode, `d` chosen.
    void Prepara(const Scrittura::Descrizione& d, const std::string& caso = "Motore=fermo\r\n") {
        ModPipe::TerminaProcessoCom();
        AvviaCaso(caso);
        MDIFrm::ConnettiCentralina();
        ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        ScegliImmagine(d);
        ModMain::StatoConnessione = STATO_FIRMWARE;
        Giornale();
        Piattaforma::Copione::Azzera();
    }
};

TEST_F(Programmazione, SequenzaEsattaDiUnaPiccolaImmagine) {
    // Same release, later date: the configuration is saved and loaded back.
    const auto d = Piccola();
    Prepara(d);
    const std::string ecuPrima = TabellaBlocchi[0].UltimaRisposta;
    const std::string blocco5 = TabellaBlocchi[5].UltimaRisposta;
    VistaRegistrata v;
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 0);

    std::vector<std::string> atteso = {
        "6:" + Hex(ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[5].TramaRichiesta)),
        "8:E8030000", "6:4102030646", "6:4102030747", "8:FA000000",
    };
    const std::string dati = ModMain::DatiFirmware.empty() ? std::string() : std::string(ModMain::DatiFirmware.begin(), ModMain::DatiFirmware.end());
    for (const int32_t a : {0xFF0000, 0xFF0080, 0xFFE000, 0xFFFF80})
        atteso.push_back("6:" + Hex(FirmwareConversioni::TramaScritturaFlash(a, dati.substr(static_cast<size_t>(a - 0xFF0000), 128))));
    atteso.insert(atteso.end(), {"8:E8030000", "6:410203" "0A4A", "8:FA000000",
                                 "6:" + Hex(ModBlck::CostruisciTrama(0x41, 0x02, 0x2C, blocco5.substr(5, blocco5.size() - 6)))});
    std::vector<std::string> inviati;
    for (const auto& p : Giornale()) inviati.push_back(std::to_string(p.codice) + ":" + Hex(p.dati));
    EXPECT_EQ(inviati, atteso);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    // The ECU runs the new firmware and reports its record.
    EXPECT_EQ(IdentificazioneEcu().substr(0, 38), Scrittura::RecordInfo(d));
    EXPECT_NE(ecuPrima.substr(0, 38), Scrittura::RecordInfo(d));
    // Saved and loaded back through the complete load; the slot emptied afterwards.
    ASSERT_EQ(salvataggi.size(), 1u);
    EXPECT_EQ(salvataggi[0].percorso, ModMain::PercorsoConfigUp);
    ASSERT_EQ(caricamenti.size(), 1u);
    EXPECT_EQ(caricamenti[0].percorso, ModMain::PercorsoConfigUp);
    EXPECT_EQ(caricamenti[0].richiesta, REQ_LOAD_CONFIG_FILE);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(v.fasi, (std::vector<std::string>{Voce(8), Voce(9), Voce(10), Voce(11), Voce(12), Voce(13)}));
    EXPECT_GT(v.larghezzaMassima, 5000);
    EXPECT_FALSE(ModMain::ProgrammazioneFirmwareInCorso);
}

TEST_F(Programmazione, UltimoBloccoCortoCompletatoConFF) {
    // A sector table that does not end on 128 bytes: the last block is padded, not read past the buffer.
    base.Scrivi("bin/Flash.ini", "H00FF0000 - H00FFE025\r\n");
    const auto d = Piccola();
    Prepara(d);
    ASSERT_EQ(ModMain::DatiFirmware.size(), 0xE026u);
    VistaRegistrata v;
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 0);
    std::vector<std::string> scritture;
    for (const auto& p : Giornale())
        if (p.codice == PIPE_ECU_FRAME && p.Comando() == CMD_PROG_WRITE) scritture.push_back(p.DatiTrama());
    ASSERT_EQ(scritture.size(), 3u); // the reset vector lies outside the sectors
    EXPECT_EQ(scritture[2], std::string("\x00\xFF\xE0\x00", 4) + Scrittura::RecordInfo(d) + std::string(90, '\xFF'));
    EXPECT_EQ(IdentificazioneEcu().substr(0, 38), Scrittura::RecordInfo(d));
}

TEST_F(Programmazione, CambioDiReleaseSenzaConfigurazionePredefinita) {
    // A new revision: nothing saved; the default configuration is missing, so nothing is loaded.
    std::filesystem::remove(base.File("lng/00 Redadi Inj Custom.xsi"));
    Prepara(Piccola(3));
    VistaRegistrata v;
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 0);
    EXPECT_TRUE(salvataggi.empty());
    EXPECT_TRUE(caricamenti.empty());
    EXPECT_EQ(ModMain::LeggiRevisioneFw(IdentificazioneEcu()), 3);
    // With the default configuration present it is the one loaded.
    base.Scrivi("lng/00 Redadi Inj Custom.xsi", "[FW]\r\n");
    Prepara(Piccola(4));
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 0);
    ASSERT_EQ(caricamenti.size(), 1u);
    EXPECT_EQ(caricamenti[0].percorso, ModMain::PercorsoConfigDefault);
}

TEST_F(Programmazione, UnGuastoAOgniPasso) {
    // Reply packets, in order: block 5, long wait, enter, erase, normal wait,
    // four writes, long wait, restart, normal wait, block 5 written back. The
    // knob spoils the one after `buoni` good ones.
    struct Caso {
        int32_t buoni;
        int32_t esito;
        bool ricaricata;
    } casi[] = {
        {0, 2, false}, {1, 2, false}, {2, 3, false}, {3, 4, false}, {4, 5, false}, {5, 6, false},
        {8, 6, false}, {9, 7, false}, {10, 4, false}, {11, 9, false}, {12, 10, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.buoni);
        caricamenti.clear();
        Prepara(Piccola());
        Manopola(5, c.buoni);
        VistaRegistrata v;
        EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), c.esito);
        EXPECT_EQ(!caricamenti.empty(), c.ricaricata);
        // The bar blinks after writing even when a write failed.
        const bool lampeggio = std::find(v.fasi.begin(), v.fasi.end(), Voce(12)) != v.fasi.end();
        EXPECT_EQ(lampeggio, c.buoni >= 5);
        EXPECT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE);
        ModPipe::TerminaProcessoCom();
    }
    // A configuration that cannot be saved stops before anything is sent to the flash.
    Prepara(Piccola());
    salvataggioRiesce = false;
    VistaRegistrata v;
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 2);
    EXPECT_EQ(Giornale().size(), 1u); // the block-5 read only
    // A block 5 that cannot be read: the substitute reply decoded, nothing saved.
    Prepara(Piccola());
    salvataggi.clear();
    Manopola(13, 1); // the ECU drops the next frame
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 2);
    EXPECT_EQ(Hex(TabellaBlocchi[5].UltimaRisposta), FirmwareProgrammazione::RispostaBlocco5Sostitutiva);
    EXPECT_TRUE(salvataggi.empty());
}

TEST_F(Programmazione, ImmagineNonLettaOVuotaNonSiProgramma) {
    // A damaged image reads as the zero-filled record and is never sent.
    Prepara(Piccola());
    auto righe = Scrittura::Righe(Piccola());
    righe[2].back() = righe[2].back() == '0' ? '1' : '0';
    base.Scrivi("bin/fw/guasta.frh", Scrittura::File(righe));
    ModMain::FileFirmwareScelto = base.File("bin/fw/guasta.frh");
    ModMain::FirmwareFile = ModMain::LeggiInfoFirmwareImmagine(ModMain::FileFirmwareScelto);
    ASSERT_EQ(ModMain::FirmwareFile, ModMain::InfoFirmwareAssente);
    VistaRegistrata v;
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), FirmwareProgrammazione::ESITO_IMMAGINE_NON_LETTA);
    EXPECT_TRUE(Giornale().empty());
    EXPECT_EQ(FirmwareProgrammazione::MessaggioEsito(1, P), "\r\n" + Voce(30) + "\r\n" + Voce(16));

    // No S2 record: refused by the erase with the warning; records outside the sectors: without one.
    base.Scrivi("bin/fw/vuota.frh", Scrittura::File({"[AdrFrmwarEcu]", "00FFE000", "S804FF0000FC"}));
    base.Scrivi("bin/fw/fuori.frh", Scrittura::File({Scrittura::RigaS2(0x100000, std::string(38, 'A')), "[AdrFrmwarEcu]",
                                                     "00100000", "S804FF0000FC"}));
    for (const char* nome : {"vuota.frh", "fuori.frh"}) {
        SCOPED_TRACE(nome);
        ModMain::FileFirmwareScelto = base.File(std::string("bin/fw/") + nome);
        ModMain::LeggiInfoFirmwareImmagine(ModMain::FileFirmwareScelto);
        ModMain::ImmagineFirmwareLetta = true; // as read: an erased buffer
        VistaRegistrata w;
        EXPECT_EQ(FirmwareProgrammazione::Programma(w, P), 4);
        EXPECT_EQ(w.avvisi, std::string(nome) == "vuota.frh" ? std::vector<std::string>{Voce(6)} : std::vector<std::string>{});
        ModPipe::TerminaProcessoCom();
        AvviaCaso("Motore=fermo\r\n");
        Invia(PIPE_OPEN_PORT, std::string(1, '\0'));
    }
}

TEST_F(Programmazione, TempoScadutoNonChiudeDuranteLaProgrammazione) {
    // The first write gets no reply packet: a pipe time-out, which raises link
    // loss and exit. The bar still blinks; the link timer keeps ticking
    // meanwhile and must not act.
    Prepara(Piccola());
    Manopola(7, 5);
    QTimer timer1;
    QObject::connect(&timer1, &QTimer::timeout, [] { MDIFrm::Timer1_Timer(); });
    timer1.start(5);
    ui->Azzera();
    VistaRegistrata v;
    EXPECT_EQ(FirmwareProgrammazione::Programma(v, P), 6);
    timer1.stop();
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_FALSE(ui->Chiamato("MDIFrm.Unload"));
    EXPECT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE);
    // Once the sequence has ended the exit goes ahead.
    MDIFrm::Timer1_Timer();
    EXPECT_TRUE(ui->Chiamato("MDIFrm.Unload"));
    ModMain::UscitaRichiesta = 0;
}
