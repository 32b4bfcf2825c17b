// Live-data step: conversions, smoothing, rings and the logger trace.
#include <gtest/gtest.h>
#include <optional>

#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"
#include "support/Ripristino.h"
#include "support/SupportoTest.h"

namespace {

BloccoParametri BloccoDiTipo(int32_t tipo, size_t valori) {
    BloccoParametri b;
    b.Tipo = tipo;
    for (size_t k = 0; k < valori; ++k) {
        b.CodiciTipo.push_back("UW");
        b.Offset.push_back(static_cast<int32_t>(6 + 2 * k));
        b.Scale.push_back(1);
        b.Valori.push_back(0);
    }
    return b;
}

class DatiLive : public ::testing::Test {
protected:
    void SetUp() override {
        stato_.emplace(TabellaBlocchi, ModMain::BloccoAppoggio, ModMain::CostanteLambda, ModMain::CostantePressione,
                       ModBlck::SommaTempoInj, ModBlck::TempoBlocco, ModMain::PaginaCorrente);
        TabellaBlocchi.assign(22, BloccoParametri{});
        TabellaBlocchi[1] = BloccoDiTipo(1, 63);
        TabellaBlocchi[3] = BloccoDiTipo(3, 51);
        TabellaBlocchi[12] = BloccoDiTipo(12, 88);
        ModMain::BloccoAppoggio = BloccoParametri{};
        ModMain::CostanteLambda = 10;
        ModMain::CostantePressione = 10;
        ModBlck::SommaTempoInj = 0;
        ModBlck::TempoBlocco = 15'000'000.0f;
        ModBlck::StatoRegistrazione = 0;
        ModBlck::IndiceAnello = 0;
        ModBlck::AnelloPieno = false;
        ModMain::PaginaCorrente = 24;
    }
    void TearDown() override {
        if (ModBlck::FileLogger.is_open()) ModBlck::FileLogger.close();
        ModBlck::StatoRegistrazione = 0;
        ModBlck::IndiceAnello = 0;
        ModBlck::AnelloPieno = false;
        ModBlck::DrawLineeRunMode = nullptr;
        ModBlck::PassoDecodificaTipo = nullptr;
        ModMain::AggiornaPassoCarico = nullptr;
        stato_.reset();
    }
    // Block 1 after the step, from the given raw values.
    static BloccoParametri Passo(std::initializer_list<std::pair<size_t, int32_t>> grezzi) {
        BloccoParametri b = BloccoDiTipo(1, 63);
        for (const auto& [k, v] : grezzi) b.Valori[k] = v;
        ModBlck::PassoDatiLive(b);
        return b;
    }

private:
    std::optional<SupportoTest::Ripristino> stato_;
};

} // namespace

TEST_F(DatiLive, ConversioniInUnitaTecniche) {
    ModBlck::SommaTempoInj = 20.5f;
    const auto b = Passo({{35, 1023}, {36, 512}, {38, 255}, {39, 1}, {12, 150}, {13, 0}, {8, 1}, {15, 151}, {16, 150}});
    EXPECT_EQ(b.Valori[35], 4995);
    EXPECT_EQ(b.Valori[36], 2500);
    EXPECT_EQ(b.Valori[38], 5000);
    EXPECT_EQ(b.Valori[39], 20);  // 19.6 rounds to 20
    EXPECT_EQ(b.Valori[12], 170); // 170.5 rounds to the even 170
    EXPECT_EQ(b.Valori[15], 172); // 171.5 rounds to the even 172
    EXPECT_EQ(b.Valori[13], 0);   // 0 means no injection: nothing added
    EXPECT_EQ(b.Valori[8], 22);
    EXPECT_EQ(b.Valori[16], 150); // beyond the petrol times
}

TEST_F(DatiLive, GiriDalPeriodo) {
    struct Caso {
        const char* nome;
        int32_t periodo, flag, opzioni3, moltiplicatore3;
        float tempoBlocco;
        int32_t giri;
    } casi[] = {
        {"motore fermo", 1000, 0, 0, 1, 15'000'000.0f, 0},
        {"senza filo giri, x2", 1000, 1, 1, 2, 15'000'000.0f, 7500},
        {"con filo giri", 1000, 1, 0, 1, 15'000'000.0f, 15000},
        {"resto scartato", 7, 1, 0, 1, 100.0f, 14},
        {"periodo 0", 0, 1, 0, 1, 15'000'000.0f, 0},
        {"moltiplicatore 0", 1000, 1, 1, 0, 15'000'000.0f, 0},
        {"senza filo giri, periodo 0", 0, 1, 1, 2, 15'000'000.0f, 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        TabellaBlocchi[3].Valori[33] = c.opzioni3;
        TabellaBlocchi[3].Valori[42] = c.moltiplicatore3;
        ModBlck::TempoBlocco = c.tempoBlocco;
        EXPECT_EQ(Passo({{32, c.periodo}, {37, c.flag}}).Valori[32], c.giri);
    }
}

TEST_F(DatiLive, CopiaLivellata) {
    ModMain::CostanteLambda = 5;
    ModMain::CostantePressione = 2;
    // First record: nothing to smooth against, the copy is the record.
    Passo({{38, 51}, {33, 1000}, {48, 300}}); // 51 -> 1000 mV
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[38], 1000);
    const auto b = Passo({{38, 102}, {33, 2000}, {48, 300}, {0, 77}}); // 102 -> 2000 mV
    EXPECT_EQ(b.Valori[38], 2000);
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[38], 1500);
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[33], 1200);
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[48], 300);
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[0], 77); // not smoothed
    ModMain::CostanteLambda = 10;
    Passo({{38, 255}});
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[38], 5000);
}

TEST_F(DatiLive, AnelliETracciaDuranteLaRegistrazione) {
    SupportoTest::CartellaBase base(false);
    const std::string traccia = base.File("Logger.tmp");
    ModBlck::FileLogger.open(traccia, std::ios::binary | std::ios::trunc);
    ModBlck::InizioRegistrazione = Conv::ArrotondaPari(ModGlobFunct::LeggiMicrosecondi() / 1000.0);
    ModBlck::StatoRegistrazione = 1;
    int disegni = 0;
    ModBlck::DrawLineeRunMode = [&] { ++disegni; };
    ModMain::PaginaCorrente = SCHEDA_LOGGER;

    TabellaBlocchi[12].Valori[30] = 128;
    TabellaBlocchi[12].Valori[34] = 0;
    BloccoParametri live = BloccoDiTipo(1, 63);
    live.UltimaRisposta = std::string("\x42\x01\x05\x0C\x00\x07\x4C", 7);
    ModBlck::PassoDatiLive(live);
    EXPECT_EQ(ModBlck::IndiceAnello, 1);
    EXPECT_FALSE(ModBlck::AnelloPieno);
    EXPECT_EQ(ModBlck::AnelloObd[0].Valori[30], 0);
    EXPECT_EQ(ModBlck::AnelloObd[0].Valori[34], -100);
    EXPECT_EQ(TabellaBlocchi[12].Valori[30], 128); // the block itself keeps its raw value

    BloccoParametri obd = TabellaBlocchi[12];
    obd.Valori[38] = 64;
    obd.UltimaRisposta = std::string("\x42\x01\x04\x44\x00\x07", 6);
    ModBlck::PassoDatiObd(obd);
    EXPECT_EQ(ModBlck::IndiceAnello, 2);
    EXPECT_TRUE(ModBlck::AnelloPieno);
    EXPECT_EQ(ModBlck::AnelloObd[1].Valori[38], -50);
    EXPECT_EQ(ModBlck::AnelloMem1[1].Valori, TabellaBlocchi[1].Valori); // the stored block, not the copy
    EXPECT_EQ(ModBlck::AnelloMem1[0].TempoMs, ModBlck::AnelloObd[0].TempoMs);
    EXPECT_EQ(disegni, 2);

    ModBlck::FileLogger.close();
    const std::string testo = SupportoTest::LeggiFile(traccia);
    const std::string t0 = std::to_string(static_cast<int64_t>(ModBlck::AnelloMem1[0].TempoMs - ModBlck::InizioRegistrazione));
    const std::string t1 = std::to_string(static_cast<int64_t>(ModBlck::AnelloMem1[1].TempoMs - ModBlck::InizioRegistrazione));
    EXPECT_EQ(testo, "CMD_READ_MEM1\r\n" + t0 + " T 4102032161\r\n" + t0 + " R 4201050C00074C\r\n" +
                         "CMD_READ_OBD_DATA\r\n" + t1 + " T 4102034404\r\n" + t1 + " R 420104440007\r\n");
}

TEST_F(DatiLive, IndiceRicominciaDopo5000) {
    ModBlck::StatoRegistrazione = 1;
    ModBlck::IndiceAnello = 5000;
    ModBlck::AnelloPieno = true;
    int32_t indiceAlDisegno = -1;
    ModBlck::DrawLineeRunMode = [&] { indiceAlDisegno = ModBlck::IndiceAnello; };
    ModMain::PaginaCorrente = SCHEDA_LOGGER;
    BloccoParametri live = BloccoDiTipo(1, 63);
    live.Valori[0] = 4242;
    ModBlck::PassoDatiLive(live);
    EXPECT_EQ(ModBlck::AnelloMem1[5000].Valori[0], 4242);
    EXPECT_EQ(ModBlck::IndiceAnello, 0);
    EXPECT_EQ(indiceAlDisegno, 0);
}

TEST_F(DatiLive, SenzaRegistrazioneIlBloccoObdNonCambiaNulla) {
    ModBlck::IndiceAnello = 7;
    ModBlck::AnelloObd.resize(ModBlck::UltimoIndiceAnello + 1);
    ModBlck::AnelloObd[7].Valori = {1, 2, 3};
    BloccoParametri obd = TabellaBlocchi[12];
    const auto prima = obd.Valori;
    ModBlck::PassoDatiObd(obd);
    EXPECT_EQ(obd.Valori, prima);
    EXPECT_EQ(ModBlck::IndiceAnello, 7);
    EXPECT_EQ(ModBlck::AnelloObd[7].Valori, (std::vector<int32_t>{1, 2, 3}));
}

// Through the block decoder: the registered step runs for types 1, 3 and 12.
TEST_F(DatiLive, PassiAgganciatiAlDecodificatore) {
    ModBlck::InstallaPassiTipo();
    int passiCarico = 0;
    ModMain::AggiornaPassoCarico = [&] { ++passiCarico; };
    BloccoParametri b3 = TabellaBlocchi[3];
    ModBlck::DecodificaBlocco(ModBlck::CostruisciRispostaBlocco(b3, 0x0E), b3);
    EXPECT_EQ(passiCarico, 1);

    BloccoParametri live = TabellaBlocchi[1];
    live.Valori[35] = 1023;
    const std::string r = ModBlck::CostruisciRispostaBlocco(live, CMD_READ_LIVE);
    live.UltimaRisposta = r;
    live.Valori[35] = 0;
    ModBlck::DecodificaBlocco(r, live);
    EXPECT_EQ(live.Valori[35], 4995);
    EXPECT_EQ(ModMain::BloccoAppoggio.Valori[35], 4995);
    EXPECT_EQ(ModMain::BloccoAppoggio.UltimaRisposta, r);
}
