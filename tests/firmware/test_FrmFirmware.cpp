// The firmware page: texts, the compatibility rule on its buttons and
// messages, the image chooser, and the whole update against the simulated
// ECU driven by the link timer, uninterrupted and cut in the middle.
#include "firmware/FissaggioProgrammazione.h"

#include "core/ModMainLivelli.h"

namespace {

Scrittura::Descrizione Release(uint8_t versione, uint8_t revisione, uint8_t giorno = 0x14) {
    auto d = Scrittura::ImmagineNuovoHw();
    d.versione = versione;
    d.revisione = revisione;
    d.giorno = giorno;
    return d;
}

std::string Testo(const QLabel* l) { return l->text().toStdString(); }

// Beeps of 600 Hz for 100 ms recorded since the last clearing.
int Suoni() {
    int n = 0;
    for (const auto& e : Piattaforma::Copione::Eventi())
        n += e.tipo == Piattaforma::Copione::Tipo::Suono && e.frequenzaHz == 600 && e.durataMs == 100;
    return n;
}

} // namespace

class PaginaFirmware : public FissaggioProgrammazione {
protected:
    // One tick of the link timer.
    static void Tick() { MDIFrm::Timer1_Timer(); }
    // Selects the firmware page as the page switch does.
    void MostraPagina() { Ui().SelezioneScheda(SCHEDA_FIRMWARE); }
};

TEST_F(PaginaFirmware, TestiDelDizionario) {
    FrmFirmware& f = Pagina();
    EXPECT_EQ(f.OffsetLingua, P);
    EXPECT_EQ(f.CmdUpdate->Caption().toStdString(), Voce(1));
    EXPECT_EQ(f.CmdOk->Caption().toStdString(), Voce(2));
    EXPECT_EQ(f.CmdCancel->Caption().toStdString(), Voce(3));
    EXPECT_EQ(f.CmdSelect->Caption().toStdString(), Voce(29));
    EXPECT_EQ(Testo(f.LblRelEcu), Voce(4));
    EXPECT_EQ(Testo(f.LblRelFle), Voce(5));
    EXPECT_EQ(Testo(f.LblMsg), Voce(14) + " " + Voce(1));
    EXPECT_FALSE(f.LblLoadMessage->isVisible());
    for (int16_t n : {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 26, 27, 28, 29, 30, 31})
        EXPECT_FALSE(Voce(n).empty()) << n;
}

TEST_F(PaginaFirmware, RegolaDiCompatibilitaSuiPulsanti) {
    const auto rec = [](uint8_t v, uint8_t r, uint8_t g = 0x14, uint16_t a = 0x2024) {
        auto d = Release(v, r, g);
        d.anno = a;
        return Scrittura::RecordInfo(d);
    };
    const std::string boot = ModMain::FirmaHardware[0];
    struct Caso {
        const char* nome;
        std::string ecu, file;
        int16_t sup;
        std::string messaggio;
        bool update, okCancel, bloccaMenu;
    } casi[] = {
        {"no ECU text", "", rec(3, 2), 0, "---", true, true, false},
        {"zero-filled image", rec(3, 2), std::string(36, '0'), 0, "---", true, true, false},
        {"boot frame, older image", boot, rec(1, 0), 0, "\r\n" + Voce(26), true, false, true},
        {"newer image", rec(3, 1), rec(3, 2), 0, "\r\n" + Voce(26), true, false, true},
        {"later date", rec(3, 2), rec(3, 2, 0x15), 0, Voce(22) + "\r\n\r\n" + Voce(14) + " " + Voce(1), true, false, false},
        {"same", rec(3, 2), rec(3, 2), 0, "\r\n" + Voce(23), false, false, false},
        {"same, level SUP", rec(3, 2), rec(3, 2), -1, "\r\n" + Voce(23), true, false, false},
        {"earlier date", rec(3, 2), rec(3, 2, 0x14, 0x2023), 0, ModMain::TestoVoce(41), false, false, false},
    };
    for (const auto& c : casi) {
        FrmFirmware& f = Pagina();
        f.ImpostaPulsanti(true, false);
        ModMain::LivelloSup = c.sup;
        Ui().Azzera();
        f.CaricaVersioneCentralina(c.ecu, c.file);
        EXPECT_EQ(Testo(f.LblMsg), c.messaggio) << c.nome;
        EXPECT_EQ(f.CmdUpdate->Enabled(), c.update) << c.nome;
        EXPECT_EQ(f.CmdOk->Enabled(), c.okCancel) << c.nome;
        EXPECT_EQ(f.CmdCancel->Enabled(), c.okCancel) << c.nome;
        EXPECT_EQ(Ui().Chiamato("FRM_ZEBMenuTop2.Enabled(False)"), c.bloccaMenu) << c.nome;
        EXPECT_EQ(Ui().Chiamato("FrmCommutatore.Enabled(False)"), c.bloccaMenu) << c.nome;
    }
    ModMain::LivelloSup = 0;
    // An older image leaves message and buttons as they were.
    FrmFirmware& f = Pagina();
    f.LblMsg->setText(QStringLiteral("before"));
    f.ImpostaPulsanti(true, false);
    f.CaricaVersioneCentralina(rec(3, 2), rec(3, 1));
    EXPECT_EQ(Testo(f.LblMsg), "before");
    EXPECT_TRUE(f.CmdOk->Enabled());
    EXPECT_EQ(Testo(f.LblRelEcu_Val), "03.02 - 14/05/2024");
    EXPECT_EQ(Testo(f.LblRelFle_Val), "03.01 - 14/05/2024");
}

TEST_F(PaginaFirmware, SceltaDellImmagine) {
    FrmFirmware& f = Pagina();
    TabellaBlocchi[0].UltimaRisposta = Scrittura::RecordInfo(Release(3, 2)) + std::string(24, '\0');
    ScegliImmagine(Release(3, 2));
    const std::string prima = ModMain::FileFirmwareScelto;

    // An extension in capitals is accepted; the page shows the new image.
    base.Scrivi("bin/NUOVA.FRH", Scrittura::File(Scrittura::Righe(Release(3, 3))));
    Piattaforma::Copione::AccodaFile(QString::fromStdString(base.File("bin/NUOVA.FRH")));
    f.CmdSelect_Click();
    EXPECT_EQ(ModMain::FileFirmwareScelto, base.File("bin/NUOVA.FRH"));
    EXPECT_EQ(ModMain::LeggiRevisioneFw(ModMain::FirmwareFile), 3);
    EXPECT_TRUE(f.CmdSelect->Enabled());
    EXPECT_TRUE(f.CmdUpdate->Enabled());
    EXPECT_FALSE(f.OperazioneInCorso());
    EXPECT_EQ(Suoni(), 0);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    // Another family's image is refused: beep, box, the previous image back in the buffer.
    auto altra = Release(3, 4);
    altra.testo = "VX9 REDADI RXV7 SEQ 4-8CYL ";
    altra.lunghezzaCodice = 10;
    base.Scrivi("bin/altra.frh", Scrittura::File(Scrittura::Righe(altra)));
    struct Caso {
        const char* nome;
        std::optional<QString> file;
        bool box;
    } casi[] = {
        {"other family", QString::fromStdString(base.File("bin/altra.frh")), true},
        {"not .frh", QString::fromStdString(base.File("bin/SetCom.ini")), true},
        {"missing", QString::fromStdString(base.File("bin/manca.frh")), true},
        {"cancelled", std::nullopt, false},
    };
    for (const auto& c : casi) {
        Piattaforma::Copione::Azzera();
        Piattaforma::Copione::AccodaFile(c.file);
        f.CmdSelect_Click();
        EXPECT_EQ(ModMain::FileFirmwareScelto, base.File("bin/NUOVA.FRH")) << c.nome;
        EXPECT_EQ(ModMain::LeggiRevisioneFw(ModMain::FirmwareFile), 3) << c.nome;
        EXPECT_EQ(Scrittura::Codice(Release(3, 3)).substr(0, 20),
                  std::string(ModMain::DatiFirmware.begin(), ModMain::DatiFirmware.begin() + 20))
            << c.nome;
        EXPECT_EQ(Suoni(), 1) << c.nome;
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), c.box ? 1u : 0u) << c.nome;
        if (c.box) EXPECT_EQ(m[0].testo.toStdString(), Voce(30)) << c.nome;
        EXPECT_FALSE(f.OperazioneInCorso()) << c.nome;
        EXPECT_TRUE(f.CmdSelect->Enabled()) << c.nome;
    }
    (void)prima;
}

TEST_F(PaginaFirmware, AggiornamentoCompletoDaUnaReleasePiuVecchia) {
    // The ECU runs 03.02 of 14/05/2024; the program's image is a later build of the same release.
    base.Scrivi("bin/fw/QDLPower_NewHw.frh", Scrittura::File(Scrittura::Righe(Release(3, 2, 0x28))));
    AvviaCaso("Motore=fermo\r\n");
    FrmFirmware& f = Pagina();
    ModMain::RiconnessioneRichiesta = 1;
    Tick();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_TRUE(ModMain::FirmwareDaAggiornare);
    EXPECT_FALSE(Ui().Chiamato("MDIFrm.SelezioneScheda(13)")); // a later date alone does not open the page
    MostraPagina();
    EXPECT_TRUE(f.CmdUpdate->Enabled());
    EXPECT_EQ(Testo(f.LblMsg), Voce(22) + "\r\n\r\n" + Voce(14) + " " + Voce(1));

    f.CmdUpdate_Click();
    Tick();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE) << Valore(1, 37) << " " << Valore(1, 32) << Testo(f.LblMsg);
    EXPECT_TRUE(f.CmdOk->Enabled());
    EXPECT_FALSE(f.CmdUpdate->Enabled());
    EXPECT_EQ(Testo(f.LblMsg), Voce(27) + "\r\n\r\n" + Voce(28));

    Ui().Azzera();
    f.CmdOk_Click();
    EXPECT_EQ(Testo(f.LblMsg), "\r\n" + Voce(21));
    EXPECT_EQ(ModMain::AggiornamentoFirmware, 2);
    EXPECT_TRUE(Ui().Chiamato("FRM_ZEBMenuTop.Enabled(True)"));
    EXPECT_FALSE(f.ShpBarUpDate->isVisible());
    ASSERT_EQ(caricamenti.size(), 1u);
    EXPECT_EQ(caricamenti[0].percorso, ModMain::PercorsoConfigUp);

    // The link timer leaves firmware mode and reconnects: the new release, lamp off.
    Tick();
    Tick();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(ModMain::LeggiGiornoFw(TabellaBlocchi[0].UltimaRisposta), 0x28);
    EXPECT_FALSE(ModMain::FirmwareDaAggiornare);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
}

TEST_F(PaginaFirmware, AggiornamentoInterrottoRipresoDalloStatoDiBoot) {
    base.Scrivi("bin/fw/QDLPower_NewHw.frh", Scrittura::File(Scrittura::Righe(Release(3, 3))));
    AvviaCaso("Motore=fermo\r\n");
    FrmFirmware& f = Pagina();
    ModMain::RiconnessioneRichiesta = 1;
    Tick();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_TRUE(Ui().Chiamato("MDIFrm.SelezioneScheda(13)"));
    EXPECT_EQ(Testo(f.LblMsg), "\r\n" + Voce(26));
    f.CmdUpdate_Click();
    Tick();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE);

    // The line drops after the first block written.
    Manopola(30, 1);
    f.CmdOk_Click();
    EXPECT_EQ(Testo(f.LblMsg), "\r\n" + Voce(17) + "\r\n" + Voce(18));
    EXPECT_TRUE(f.CmdCancel->Enabled());
    EXPECT_FALSE(f.CmdOk->Enabled());
    EXPECT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE);

    // Leaving firmware mode reconnects: the ECU answers from its boot loader.
    Ui().Azzera();
    f.CmdCancel_Click();
    Tick();
    Tick();
    EXPECT_EQ(TabellaBlocchi[0].UltimaRisposta, ModMain::FirmaHardware[0]);
    EXPECT_TRUE(Ui().Chiamato("MDIFrm.SelezioneScheda(13)"));
    EXPECT_EQ(Testo(f.LblMsg), "\r\n" + Voce(26));
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);

    // A second update succeeds and the ECU runs the new firmware.
    f.CmdUpdate_Click();
    Tick();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_FIRMWARE);
    f.CmdOk_Click();
    EXPECT_EQ(Testo(f.LblMsg), "\r\n" + Voce(21));
    Tick();
    Tick();
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(ModMain::LeggiRevisioneFw(TabellaBlocchi[0].UltimaRisposta), 3);
    EXPECT_FALSE(ModMain::FirmwareDaAggiornare);
    EXPECT_TRUE(salvataggi.empty()); // a release change: nothing saved
}
