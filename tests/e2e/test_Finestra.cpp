// The program's main window comes up offscreen on a copy of the base folder
// with the real companion and simulated ECU, its bands where the layout puts
// them, and closes through the exit sequence, which ends the companion.
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "core/ModMainDizionario.h"
#include "engine/MDIFrmCollegamento.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "shell/MDIFrm.h"
#include "shell/ModMainAvvio.h"
#include "shell/FRM_ZEBConnected.h"
#include "shell/FRM_ZEBMain.h"
#include "shell/FRM_ZEBMenu.h"
#include "shell/FRM_ZEBDashBoard.h"
#include "shell/FRM_ZEBLanguage.h"
#include "support/SupportoTest.h"
#include "e2e/AvvioE2e.h"
#include "switchover/FrmCommutatore.h"

namespace {

void Attendi(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

using AvvioE2e::StatoProcesso;

// Saves the window under MONDARO_SCREENSHOT_DIR when that is set (to look at by eye).
void Fotografa(QWidget& w, const char* nome) { SupportoTest::Fotografa(&w, nome); }

struct Atteso {
    QWidget* forma;
    QRect pixel;
};

// Where the layout puts the bands for an outer window size of l x a pixels
// (W = 15 l, H = 15 a twips): the page area is a - 215 high and the bottom
// strip starts at a - 141.
std::vector<Atteso> Bande(int l, int a) {
    return {
        {MDIFrm::IstanzaFRM_ZEBConnected, QRect(8, 8, 260, 50)},
        {MDIFrm::IstanzaFRM_ZEBLanguage, QRect(268, 8, l - 283, 50)},
        {MDIFrm::IstanzaFRM_ZEBMenu, QRect(8, 66, l - 23, a - 215)},
        {MDIFrm::IstanzaFRM_ZEBMain, QRect(8, 66, l - 23, a - 215)},
        {MDIFrm::IstanzaFrmCommutatore, QRect(8, a - 141, 90, 110)},
        {MDIFrm::IstanzaFRM_ZEBDashBoard, QRect(106, a - 141, l - 121, 110)},
    };
}

} // namespace

TEST(Finestra, SiApreConLeBandeEChiudeIlCompagno) {
    SupportoTest::CartellaBase base;
    base.Scrivi("lng/diz.con", "0\r\n"); // a language chosen at an earlier start
    ASSERT_NE(AvvioE2e::Avvia(base), nullptr);
    auto& f = *ModMain::FinestraAvviata();
    const int32_t pid = ModPipe::PidProcessoCom();
    ASSERT_NE(pid, 0);

    f.resize(1280, 800);
    f.show();
    Attendi(1500);

    // Connected or, until the connect procedure exists, given up on: not searching forever.
    EXPECT_TRUE(ModMain::StatoConnessione == STATO_CONNESSO || ModMain::StatoConnessione == STATO_OFFLINE)
        << ModMain::StatoConnessione;
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_HOME);
    EXPECT_FALSE(f.windowTitle().isEmpty());

    // The connect procedure shows the bottom strip once connected; show it here
    // in any case so that the pictures have all three bands.
    MDIFrm::IstanzaFRM_ZEBDashBoard->show();
    MDIFrm::IstanzaFrmCommutatore->show();

    // The layout works on the outer size (the client area plus the frame).
    for (const auto& x : Bande(f.frameGeometry().width(), f.frameGeometry().height()))
        EXPECT_EQ(x.forma->geometry(), x.pixel) << x.forma->objectName().toStdString();
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBMenu->isVisible());
    EXPECT_TRUE(MDIFrm::IstanzaFRM_ZEBConnected->isVisible());
    Fotografa(f, "finestra-1280x800.png");

    // The minimum size: every band still inside the window.
    f.resize(100, 100);
    Attendi(100);
    EXPECT_EQ(f.size(), QSize(MDIFrm::MDIForm::LarghezzaMinima, MDIFrm::MDIForm::AltezzaMinima));
    for (const auto& x : Bande(f.frameGeometry().width(), f.frameGeometry().height())) {
        EXPECT_EQ(x.forma->geometry(), x.pixel) << x.forma->objectName().toStdString();
        if (x.forma != MDIFrm::IstanzaFRM_ZEBMain) {
            EXPECT_TRUE(f.centralWidget()->rect().contains(x.forma->geometry())) << x.forma->objectName().toStdString();
        }
    }
    Fotografa(f, "finestra-minima.png");

    // The close box only raises the exit flag; the link timer then unloads the window.
    EXPECT_FALSE(f.close());
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    QElapsedTimer t;
    t.start();
    while (MDIFrm::IstanzaFRM_ZEBMain && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBMain, nullptr);
    EXPECT_FALSE(f.isVisible());

    // The companion got the quit command and ended by itself.
    t.restart();
    while (StatoProcesso(pid) != 0 && StatoProcesso(pid) != 'Z' && t.elapsed() < 3000) Attendi(20);
    const char stato = StatoProcesso(pid);
    EXPECT_TRUE(stato == 0 || stato == 'Z') << stato;

    AvvioE2e::Chiudi();
}
