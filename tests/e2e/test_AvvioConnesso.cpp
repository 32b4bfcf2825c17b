// The whole start on a copy of the base folder with the real companion and
// the simulated ECU: the link reaches STATO_CONNESSO, the close box runs the
// exit sequence and the companion is gone afterwards.
#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "core/ModMainDizionario.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "shell/MDIFrm.h"
#include "shell/ModMainAvvio.h"
#include "support/SupportoTest.h"
#include "e2e/AvvioE2e.h"

using AvvioE2e::AttendiFinche;
using AvvioE2e::Vivo;

TEST(AvvioConnesso, SiConnetteAllaCentralinaSimulataEChiudeInOrdine) {
    SupportoTest::CartellaBase base;
    base.Scrivi("lng/diz.con", "1\r\n");

    MDIFrm::MDIForm* f = AvvioE2e::Avvia(base);
    ASSERT_NE(f, nullptr);
    const int32_t pid = ModPipe::PidProcessoCom();
    ASSERT_NE(pid, 0);
    f->resize(1280, 800);
    f->show();

    EXPECT_TRUE(AttendiFinche([] { return ModMain::StatoConnessione == STATO_CONNESSO; }, 20000))
        << ModMain::StatoConnessione;
    // The caption in the language chosen earlier (Italian, language 1).
    EXPECT_EQ(ModMain::Dizionario->IdLingua(), 1);
    EXPECT_TRUE(f->windowTitle().startsWith("Mondaro VX9 Redadi")) << f->windowTitle().toStdString();
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    // The working axes come from the simulated ECU's index vectors.
    EXPECT_EQ(ModMain::AsseRpmLavoro[1], 10);
    EXPECT_EQ(ModMain::AsseTinjLavoro[22], 170);

    // The close box only raises the exit flag; the link timer unloads the window.
    EXPECT_FALSE(f->close());
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_TRUE(AttendiFinche([f] { return !f->isVisible(); }, 5000));
    EXPECT_TRUE(AttendiFinche([pid] { return !Vivo(pid); }, 5000));

    AvvioE2e::Chiudi();
}
