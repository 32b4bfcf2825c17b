// The whole start with no ECU answering (the simulated ECU switched off in
// VirUzo.ini): STOP on the port search takes the tool offline, the first
// link loss loads the default configuration file, and memory and the home
// panel show its values.
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <gtest/gtest.h>

#include "config/FileConfigurazione.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "platform/Dialoghi.h"
#include "shell/FRM_ZEBMenu.h"
#include "shell/FRM_ZEBPortSearch.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmIstanze.h"
#include "shell/ModMainAvvio.h"
#include "support/SupportoTest.h"
#include "e2e/AvvioE2e.h"

using AvvioE2e::AttendiFinche;

TEST(AvvioSenzaCentralina, VaFuoriLineaEMostraIlFilePredefinito) {
    SupportoTest::CartellaBase base;
    base.Scrivi("lng/diz.con", "0\r\n");
    base.Scrivi("bin/VirUzo.ini", "Modo=simulata\r\nComSimulata=0\r\nCentralina=muta\r\n");
    const std::string predefinito = base.File("lng/00 Redadi Inj Custom.xsi");
    const auto sezioni = FileConfigurazione::LeggiSezioni(
        FileConfigurazione::Righe(SupportoTest::LeggiFile(predefinito)), FileConfigurazione::Sezioni(true));

    MDIFrm::MDIForm* f = AvvioE2e::Avvia(base);
    ASSERT_NE(f, nullptr);
    f->resize(1280, 800);
    f->show();
    EXPECT_EQ(ModMain::PercorsoConfigDefault, predefinito);

    // Nobody answers: the user stops the search. The search runs inside the
    // link timer's tick, so STOP is pressed from a timer of its own.
    QTimer stop;
    bool premuto = false;
    QObject::connect(&stop, &QTimer::timeout, [&premuto] {
        if (!premuto && MDIFrm::IstanzaFRM_ZEBPortSearch && MDIFrm::IstanzaFRM_ZEBPortSearch->isVisible()) {
            premuto = true;
            MDIFrm::IstanzaFRM_ZEBPortSearch->BUT_STOP_Click();
        }
    });
    stop.start(20);
    EXPECT_TRUE(AttendiFinche(
        [] { return ModMain::StatoConnessione == STATO_OFFLINE && ModMain::RichiestaPendente == 0; }, 20000))
        << ModMain::StatoConnessione << " " << ModMain::RichiestaPendente;
    stop.stop();
    EXPECT_TRUE(premuto);

    // Memory holds the default file: blocks, main map, threshold table, vectors.
    const auto trama = [&](const char* s) { return ModGlobFunct::ConvertiHexInTesto(sezioni.at(s)); };
    EXPECT_EQ(TabellaBlocchi[3].UltimaRisposta, trama("[BLK_3]"));
    EXPECT_EQ(TabellaBlocchi[18].UltimaRisposta, trama("[BLK_DINST]"));
    EXPECT_EQ(TabellaBlocchi[0].UltimaRisposta.size(), 62u);
    EXPECT_EQ(ModMain::MappaPagina0[0][0], static_cast<uint8_t>(trama("[MAP_0]")[5]));
    EXPECT_EQ(ModMain::MappaPagina0[22][23], static_cast<uint8_t>(trama("[MAP_4]")[5 + 111]));
    EXPECT_EQ(ModMain::MatSoglie[0], static_cast<uint8_t>(trama("[BLK_5]")[5]));
    EXPECT_EQ(ModBlck::VettoreRpm[127], static_cast<uint8_t>(trama("[VET_RPM_1]")[5 + 63]));
    // The home panel shows the file's firmware record.
    ASSERT_NE(MDIFrm::IstanzaFRM_ZEBMenu, nullptr);
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBMenu->LblInfo->text().contains("03.02 - 14/05/2024"))
        << MDIFrm::IstanzaFRM_ZEBMenu->LblInfo->text().toStdString();

    EXPECT_FALSE(f->close());
    EXPECT_TRUE(AttendiFinche([f] { return !f->isVisible(); }, 5000));
    AvvioE2e::Chiudi();
}
