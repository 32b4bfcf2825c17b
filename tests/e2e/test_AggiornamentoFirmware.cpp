// The firmware update through the whole program: the real start, the real
// companion with the simulated ECU standing still, an image newer than the
// ECU's firmware. The firmware page opens by itself after connecting, the
// update is asked for and programmed, and the program reconnects to the new
// firmware with the menu bars usable again.
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <gtest/gtest.h>

#include "engine/ModMainCollegamento.h"
#include "engine/ModMainConnessione.h"
#include "firmware/FrmFirmware.h"
#include "immaginifw/ImmagineFirmwareScrittura.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmIstanze.h"
#include "shell/FRM_ZEBMenuTop.h"
#include "shell/ModMainAvvio.h"
#include "support/SupportoTest.h"
#include "e2e/AvvioE2e.h"

using AvvioE2e::AttendiFinche;

TEST(AggiornamentoFirmware, DallaPaginaAperteDaSolaAlNuovoFirmware) {
    SupportoTest::CartellaBase base;
    base.Scrivi("lng/diz.con", "0\r\n");
    base.Scrivi("bin/VirUzo.ini", "Modo=simulata\r\nComSimulata=0\r\nMotore=fermo\r\n");
    auto d = ImmagineFirmwareScrittura::ImmagineNuovoHw();
    d.revisione = 3;
    base.Scrivi("bin/fw/QDLPower_NewHw.frh", ImmagineFirmwareScrittura::File(ImmagineFirmwareScrittura::Righe(d)));
    // The fixed pauses (13 s of blinking after the restart) run 20 times faster.
    Piattaforma::ImpostaAcceleratoreOrologio(20.0);

    MDIFrm::MDIForm* f = AvvioE2e::Avvia(base);
    ASSERT_NE(f, nullptr);
    f->resize(1024, 640);
    f->show();

    EXPECT_TRUE(AttendiFinche([] { return ModMain::PaginaCorrente == SCHEDA_FIRMWARE; }, 20000));
    FrmFirmware* p = MDIFrm::IstanzaFrmFirmware;
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    EXPECT_TRUE(p->CmdUpdate->Enabled());
    EXPECT_FALSE(MDIFrm::IstanzaFRM_ZEBMenuTop->isEnabled());

    p->CmdUpdate_Click();
    EXPECT_TRUE(AttendiFinche([] { return ModMain::StatoConnessione == STATO_FIRMWARE; }, 5000));
    EXPECT_TRUE(p->CmdOk->Enabled());
    p->CmdOk_Click();
    EXPECT_EQ(ModMain::AggiornamentoFirmware, 2);
    EXPECT_TRUE(AttendiFinche(
        [] {
            return ModMain::StatoConnessione == STATO_CONNESSO && !TabellaBlocchi.empty() &&
                   ModMain::LeggiRevisioneFw(TabellaBlocchi[0].UltimaRisposta) == 3;
        },
        20000));
    EXPECT_FALSE(ModMain::FirmwareDaAggiornare);
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBMenuTop->isEnabled());
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    EXPECT_FALSE(f->close());
    EXPECT_TRUE(AttendiFinche([f] { return !f->isVisible(); }, 5000));
    AvvioE2e::Chiudi();
    Piattaforma::ImpostaAcceleratoreOrologio(1.0);
}
