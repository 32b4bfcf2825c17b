// The commands that need no ECU: the injector-bank mask and the choice of the
// built-in configuration that matches the ECU.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckComandi.h"
#include "link/ModMappeDati.h"
#include "support/SupportoTest.h"

namespace {

class ComandiSenzaEcu : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        soglie_ = ModMain::MatSoglie;
        predefinite_ = ModMain::ConfigurazioniPredefinite;
        predefinito_ = ModMain::PercorsoConfigDefault;
        TabellaBlocchi.assign(16, BloccoParametri{});
        TabellaBlocchi[3].Valori.assign(54, 0);
        TabellaBlocchi[15].Valori.assign(90, 0);
    }
    void TearDown() override {
        TabellaBlocchi = tabella_;
        ModMain::MatSoglie = soglie_;
        ModMain::ConfigurazioniPredefinite = predefinite_;
        ModMain::PercorsoConfigDefault = predefinito_;
    }

private:
    std::vector<BloccoParametri> tabella_;
    TabellaSoglie soglie_{};
    std::vector<ConfigurazionePredefinita> predefinite_;
    std::string predefinito_;
};

} // namespace

TEST_F(ComandiSenzaEcu, MascheraBanchiIniettori) {
    struct Caso {
        uint8_t banchi;
        int32_t cilindri;
        uint8_t atteso;
    } casi[] = {{0xFF, 4, 0x0F}, {0xFF, 1, 0x01}, {0xFF, 7, 0x7F}, {0xFF, 8, 0xFF},
                {0xFF, 0, 0xFF}, {0xFF, -1, 0xFF}, {0x00, 4, 0x00}, {0xA5, 3, 0x05}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.cilindri);
        ModMain::MatSoglie.fill(0x77);
        ModMain::MatSoglie[14] = c.banchi;
        TabellaBlocchi[3].Valori[1] = c.cilindri;
        ModBlck::ApplicaMascheraCilindri();
        EXPECT_EQ(ModMain::MatSoglie[14], c.atteso);
        EXPECT_EQ(ModMain::MatSoglie[13], 0x77);
    }
}

TEST_F(ComandiSenzaEcu, ConfigurazionePredefinitaDellaCentralina) {
    SupportoTest::CartellaBase base(false);
    base.Scrivi("a.xsi", "x");
    base.Scrivi("c.xsi", "x");
    ModMain::PercorsoConfigDefault = base.File("predefinita.xsi");
    ModMain::ConfigurazioniPredefinite = {
        {7, base.File("a.xsi"), "a"}, {std::nullopt, base.File("n.xsi"), "n"},
        {7, base.File("b.xsi"), "b"}, {9, base.File("c.xsi"), "c"}};
    struct Caso {
        int32_t id;
        std::string atteso;
    } casi[] = {
        {9, base.File("c.xsi")},
        {7, base.File("predefinita.xsi")}, // the later match wins even when its file is missing
        {5, base.File("predefinita.xsi")},
    };
    for (const auto& c : casi) {
        TabellaBlocchi[15].Valori[47] = c.id;
        EXPECT_EQ(ModBlck::CercaConfigurazionePredefinita(), c.atteso) << c.id;
    }
    ModMain::ConfigurazioniPredefinite[2].Percorso = base.File("c.xsi");
    TabellaBlocchi[15].Valori[47] = 7;
    EXPECT_EQ(ModBlck::CercaConfigurazionePredefinita(), base.File("c.xsi"));
}
