// The archive page's hidden export: the key combination shows and hides the
// button at the page's top right, and a click writes the chosen file.
#include "FissaggioConfig.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>

#include "config/FRM_ZEBLoadSave.h"
#include "config/ModMainSalvataggio.h"
#include "engine/ModMainTasti.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

namespace {

using PaginaArchivio = FissaggioConfig;

TEST_F(PaginaArchivio, EsportazioneNascostaMostrataEScritta) {
    Piattaforma::Copione::Attiva();
    ModMain::TastoXPremuto = 0;
    FRM_ZEBLoadSave pagina;
    pagina.resize(1024, 640);
    pagina.Form_Load();
    pagina.show();
    EXPECT_FALSE(pagina.CmdExport->isVisible());
    pagina.Form_KeyUp('X', 7);
    EXPECT_TRUE(pagina.CmdExport->isVisible());
    const QRect r = pagina.CmdExport->geometry();
    EXPECT_TRUE(pagina.rect().contains(r));
    EXPECT_GT(r.left(), pagina.width() / 2);
    EXPECT_LT(r.top(), 20);
    if (const char* d = std::getenv("MONDARO_SCREENSHOT")) pagina.grab().save(QString::fromLocal8Bit(d));

    SupportoTest::CartellaBase cartella(false);
    const std::string p = cartella.File("export.txt");
    Piattaforma::Copione::AccodaFile(std::nullopt); // cancelled: nothing written
    pagina.CmdExport->click();
    EXPECT_FALSE(std::filesystem::exists(p));
    Piattaforma::Copione::AccodaFile(QString::fromStdString(p));
    pagina.CmdExport->click();
    EXPECT_EQ(SupportoTest::LeggiFile(p), ModMain::ComponiEsportazione(TabellaBlocchi, ModMain::MatSoglie));

    pagina.Form_KeyUp('X', 7);
    EXPECT_FALSE(pagina.CmdExport->isVisible());
    ModMain::TastoXPremuto = 0;
    Piattaforma::Copione::Attiva(false);
}

} // namespace
