// The fuel-type dialog: the predefined configurations listed and selected
// as the switchover page's system configuration; Load stages the chosen file
// for request 18, Cancel and the close box leave nothing to load.
#include "FissaggioArchivio.h"

#include <filesystem>

#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include "config/FrmSelezAlim.h"

namespace {

namespace fs = std::filesystem;

class SelezAlim : public ::testing::Test {
protected:
    void SetUp() override {
        // A base of its own: three predefined configurations A, B and C.
        fs::copy(base.File("lng/diz.diz"), altra.File("lng/diz.diz"));
        for (const char* n : {"C", "A", "B"}) altra.Scrivi(std::string("lng/") + n + ".xsi", "[NOTE]\r\nx\r\n");
        altra.Scrivi("lng/ConfigScale.ini", "");
        stato_ = std::make_unique<StatoArchivio>(altra.Percorso());
        ModMain::PercorsoCaricamento = "stale";
    }
    void TearDown() override {
        ModMain::EseguiFrmSelezAlim = nullptr;
        stato_.reset();
    }
    // Shows the dialog and runs `azione` on it in place of its modal loop.
    void Mostra(const std::function<void(FrmSelezAlim&)>& azione) {
        ModMain::EseguiFrmSelezAlim = [&](FrmSelezAlim& d) {
            // Loading empties the path.
            EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
            elenco.clear();
            for (int i = 0; i < d.CmbAlim->count(); ++i) elenco << d.CmbAlim->item(i)->text();
            const auto scelte = d.CmbAlim->selectedItems();
            scelta = scelte.isEmpty() ? QString() : scelte.first()->text();
            azione(d);
        };
        ModMain::MostraFrmSelezAlim();
    }

    SupportoTest::CartellaBase base;
    SupportoTest::CartellaBase altra{false};
    InterfacciaArchivio ui;
    QStringList elenco;
    QString scelta;

private:
    std::unique_ptr<StatoArchivio> stato_;
};

TEST_F(SelezAlim, CaricaIlFileScelto) {
    ui.indiceConfSistema = 1;
    Mostra([](FrmSelezAlim& d) {
        EXPECT_FALSE(d.LblQuestion->text().isEmpty());
        EXPECT_EQ(d.Command1->text().toStdString(), Archivio::TestoVoceDopo("[Frm_SelAlim]", 4));
        EXPECT_EQ(d.CmdAnnulla->text().toStdString(), Archivio::TestoVoceDopo("[Frm_SelAlim]", 5));
        if (const char* cartella = std::getenv("MONDARO_SCREENSHOT")) {
            d.show();
            d.grab().save(QString::fromLocal8Bit(cartella) + "/selezalim.png");
        }
        d.Command1->click();
    });
    EXPECT_EQ(elenco, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(scelta, "B");
    EXPECT_EQ(ui.aggiornamentiCommutazione, 1);
    EXPECT_EQ(ModMain::PercorsoCaricamento, altra.File("lng/B.xsi"));
}

TEST_F(SelezAlim, AnnullaOChiusuraNonCaricano) {
    Mostra([](FrmSelezAlim& d) { d.CmdAnnulla->click(); });
    EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
    Mostra([](FrmSelezAlim& d) { d.close(); });
    EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
    // A file gone meanwhile is not staged; the dialog stays open.
    Mostra([this](FrmSelezAlim& d) {
        fs::remove(altra.File("lng/A.xsi"));
        d.Command1->click();
        EXPECT_TRUE(d.result() != QDialog::Accepted);
    });
    EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
}

TEST_F(SelezAlim, IndiceFuoriElencoOElencoVuoto) {
    // An index the list does not have keeps the first line.
    ui.indiceConfSistema = 7;
    Mostra([](FrmSelezAlim& d) { d.Command1->click(); });
    EXPECT_EQ(scelta, "A");
    EXPECT_EQ(ModMain::PercorsoCaricamento, altra.File("lng/A.xsi"));

    for (const char* n : {"A", "B", "C"}) fs::remove(altra.File(std::string("lng/") + n + ".xsi"));
    ui.indiceConfSistema = 0;
    Mostra([](FrmSelezAlim& d) {
        EXPECT_FALSE(d.Command1->isEnabled());
        d.Command1->click();
        d.CmdAnnulla->click();
    });
    EXPECT_TRUE(elenco.isEmpty());
    EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
}

} // namespace
