// The exit sequence: a close request only raises the exit flag, the unload by
// code closes for good, a firmware update refuses both.
#include "FissaggioShell.h"

#include <QtWidgets/QApplication>
#include <csignal>
#include <fstream>
#include <unistd.h>

#include "core/ModMainCaricatori.h"
#include "engine/ServiziInterfaccia.h"
#include "maps/FRM_ZEBCarburazione.h"
#include "shell/MDIFrmIstanze.h"
#include "switchover/FRM_ZEBCommutazione.h"
#include "link/ModBlckModifiche.h"
#include "link/ModPipe.h"
#include "shell/ModMainAvvio.h"
#include "support/SupportoTest.h"

using Uscita = FissaggioShell;

TEST_F(Uscita, LaChiusuraAlzaSoloIlFlagEFermaIlDisplay) {
    f->show();
    f->Timer2->start();
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_FALSE(f->Timer2->isActive());
    EXPECT_NE(MDIFrm::IstanzaFRM_ZEBMain, nullptr);

    // The same through the call the side menu and Esc make.
    ModMain::UscitaRichiesta = 0;
    f->Timer2->start();
    int16_t cancel = 0;
    f->MDIForm_QueryUnload(cancel, 0);
    EXPECT_NE(cancel, 0);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    EXPECT_FALSE(f->Timer2->isActive());
}

TEST_F(Uscita, DuranteLAggiornamentoFirmwareNonSiChiude) {
    f->show();
    f->Timer2->start();
    ModMain::StatoConnessione = STATO_FIRMWARE;
    for (const int16_t modo : {int16_t{0}, int16_t{1}, int16_t{3}}) {
        int16_t cancel = 0;
        f->MDIForm_QueryUnload(cancel, modo);
        EXPECT_NE(cancel, 0) << modo;
    }
    EXPECT_FALSE(f->close());
    f->ScaricaDaCodice();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(ModMain::UscitaRichiesta, 0);
    EXPECT_TRUE(f->Timer2->isActive());
    EXPECT_NE(MDIFrm::IstanzaFRM_ZEBMain, nullptr);
}

TEST_F(Uscita, LoScaricamentoDaCodiceScaricaTutteLeForme) {
    ASSERT_EQ(ModPipe::PidProcessoCom(), 0); // no companion: no pipe traffic, the forms go all the same
    f->show();
    f->Timer1->start();
    f->Timer2->start();
    QPointer<QWidget> principale = MDIFrm::IstanzaFRM_ZEBMain;
    ModMain::UscitaRichiesta = 1;
    f->ScaricaDaCodice();
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_FALSE(f->Timer2->isActive());
    for (void* p : {static_cast<void*>(MDIFrm::IstanzaFRM_ZEBMain), static_cast<void*>(MDIFrm::IstanzaFrmUpdate),
                    static_cast<void*>(MDIFrm::IstanzaFrmMatrix2), static_cast<void*>(MDIFrm::IstanzaFRM_ZEBCarburazione2),
                    static_cast<void*>(MDIFrm::IstanzaFRM_ZEBConnected), static_cast<void*>(MDIFrm::IstanzaFrmObd)})
        EXPECT_EQ(p, nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principale.isNull());
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty()); // no box shown
    // The engine's way up no longer reaches the gone window.
    MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_HOME);
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(false);
}

// A companion that has died gets no quit packet at the close: no box at all.
TEST_F(Uscita, CompagnoMortoNonRiceveIlQuit) {
    SupportoTest::CartellaBase base;
    const std::string cartella = ModMain::CartellaCompagno;
    ModMain::CartellaCompagno = base.File("bin");
    ASSERT_TRUE(ModPipe::AvviaProcessoCom(base.File("bin")));
    EXPECT_TRUE(ModMain::ProcessoComAttivo());
    const pid_t pid = ModPipe::PidProcessoCom();
    ::kill(pid, SIGKILL);
    ASSERT_TRUE(SupportoTest::AttendiFineProcesso(pid));
    EXPECT_FALSE(ModMain::ProcessoComAttivo());
    f->show();
    ModMain::UscitaRichiesta = 1;
    f->ScaricaDaCodice();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    ModPipe::TerminaProcessoCom();
    ModMain::CartellaCompagno = cartella;
}

// The window registers the page refresh of offline edits while it is loaded.
TEST_F(Uscita, LaFinestraRegistraLAggiornamentoDopoLeModifiche) {
    ASSERT_TRUE(ModBlck::AggiornaSchedaDopoModifiche);
    // The map reset reads the factory configuration chosen on the switchover page.
    ASSERT_TRUE(ModMapEditor::ConfigurazioneSistemaScelta);
    const int i = MDIFrm::IstanzaFRM_ZEBCommutazione->CmbConfSistema->currentIndex();
    if (i >= 0 && static_cast<size_t>(i) < ModMain::ConfigurazioniPredefinite.size())
        EXPECT_EQ(ModMapEditor::ConfigurazioneSistemaScelta(), ModMain::ConfigurazioniPredefinite[static_cast<size_t>(i)].Nome);
    else
        EXPECT_EQ(ModMapEditor::ConfigurazioneSistemaScelta(), "");
    ModMain::UscitaRichiesta = 1;
    f->ScaricaDaCodice();
    EXPECT_FALSE(ModBlck::AggiornaSchedaDopoModifiche);
    EXPECT_FALSE(ModMapEditor::ConfigurazioneSistemaScelta);
}
