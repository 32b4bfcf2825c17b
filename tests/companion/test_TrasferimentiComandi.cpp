// Switchover, injector states, error clearing, prepared frames and the
// command under the long wait, against the real companion in simulated mode.
#include <gtest/gtest.h>

#include <functional>

#include "ClienteTrasferimenti.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckTrame.h"
#include "link/TestiHex.h"

class TrasferimentiComandi : public ClienteTrasferimenti {
protected:
    void SetUp() override {
        ClienteTrasferimenti::SetUp();
        for (size_t n : {1u, 2u, 3u, 15u}) ASSERT_TRUE(LeggiBlocco(n));
        Giornale();
    }
    int32_t ValoreLetto(size_t n, size_t k) {
        EXPECT_TRUE(LeggiBlocco(n));
        Giornale();
        return TabellaBlocchi[n].Valori[k];
    }
};

TEST_F(TrasferimentiComandi, CommutazioneRaggiungeLoStato) {
    struct Caso {
        const char* nome;
        int v0, v1, v16;
        int obiettivo;
    } casi[] = {{"benzina verso gas", 0, 0, 1, 3}, {"gas chiesto e cilindro 1 acceso", 3, 0, 1, 3},
                {"gas chiesto e cilindro 1 spento", 3, 0, 0, 0}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ValoreEcu(2, 0, c.v0);
        ValoreEcu(2, 1, c.v1);
        ValoreEcu(2, 2, 0);
        ValoreEcu(3, 16, c.v16);
        Giornale();
        const auto prima = TabellaBlocchi[2].Valori;
        ASSERT_TRUE(ModBlck::EseguiCommutazione());
        const auto g = Giornale();
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        EXPECT_EQ(Conta(g, CMD_WRITE_BLK2), 3u); // flag up, target, flag down
        EXPECT_EQ(TabellaBlocchi[2].Valori, prima); // the table itself is not changed
        EXPECT_EQ(ValoreLetto(2, 0), c.obiettivo);
        EXPECT_EQ(ValoreLetto(2, 1), c.obiettivo);
        EXPECT_EQ(ValoreLetto(2, 2) & 1, 0);
    }
}

TEST_F(TrasferimentiComandi, CommutazioneSenzaRispostaEFlagGiaAlzata) {
    // The ECU never reports the target: eight polls, the flag lowered, still true.
    ValoreEcu(2, 0, 0);
    ValoreEcu(2, 1, 0);
    ValoreEcu(2, 2, 0);
    Manopola(22, -1);
    Giornale();
    ASSERT_TRUE(ModBlck::EseguiCommutazione());
    auto g = Giornale();
    EXPECT_EQ(Conta(g, CMD_READ_BLK2), 2u + 8u);
    EXPECT_EQ(Conta(g, CMD_WRITE_BLK2), 3u);
    EXPECT_EQ(ValoreLetto(2, 2) & 1, 0);

    // Flag already up: no first write, no polling, no final toggle.
    Manopola(22, 2);
    ValoreEcu(2, 0, 0);
    ValoreEcu(2, 1, 0);
    ValoreEcu(2, 2, 1);
    Giornale();
    ASSERT_TRUE(ModBlck::EseguiCommutazione());
    g = Giornale();
    EXPECT_EQ(Conta(g, CMD_READ_BLK2), 2u);
    EXPECT_EQ(Conta(g, CMD_READ_BLK3), 2u);
    EXPECT_EQ(Conta(g, CMD_WRITE_BLK2), 1u);

    // A failed transaction: false, the mode restored.
    GuastoDopo(2);
    EXPECT_FALSE(ModBlck::EseguiCommutazione());
    EXPECT_EQ(Modi(Giornale()).back(), ModoIniziale);
}

TEST_F(TrasferimentiComandi, SequenzaStatiIniettore) {
    // Injector 0 (block-3 value 16) off, the car on gas: states 1 and 2, then the ECU reports 3.
    ValoreEcu(2, 1, 3);
    ValoreEcu(3, 16, 0);
    Giornale();
    TabellaBlocchi[3].Valori[16] = 77;
    ModBlck::CambioConfigIniettori = {1, 0, 3};
    ASSERT_TRUE(ModBlck::ScriviSelezioneCilindri());
    auto g = Giornale();
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    const auto t = Trame(g);
    std::vector<int> stati;
    for (const auto& p : t)
        if (p.Comando() == CMD_WRITE_BLK3) stati.push_back(static_cast<uint8_t>(p.DatiTrama()[21]));
    EXPECT_EQ(stati, (std::vector<int>{1, 2}));
    // One read at the start, three polls until the ECU reports 3, the final re-read.
    EXPECT_EQ(Conta(g, CMD_READ_BLK3), 5u);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back().Comando(), CMD_READ_BLK3);
    EXPECT_EQ(TabellaBlocchi[3].Valori[16], 3);
    EXPECT_EQ(ModBlck::CalcolaXor(TabellaBlocchi[3].UltimaRisposta), 0);
    EXPECT_EQ(TabellaBlocchi[3].UltimaRisposta.substr(0, 4), std::string("\x42\x01\x4F\x0E", 4));
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Tipo, 0);
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Modo, -1);

    // Never confirmed: 22 polls, still true.
    ValoreEcu(3, 16, 0);
    Manopola(23, -1);
    Giornale();
    ModBlck::CambioConfigIniettori = {1, 0, 3};
    ASSERT_TRUE(ModBlck::ScriviSelezioneCilindri());
    EXPECT_EQ(Conta(Giornale(), CMD_READ_BLK3), 1u + 22u + 1u);
    EXPECT_EQ(TabellaBlocchi[3].Valori[16], 2);
}

TEST_F(TrasferimentiComandi, SelezioneCilindriAltriCasi) {
    // Nothing pending: false, nothing sent, nothing cleared.
    ModBlck::CambioConfigIniettori = {0, 2, 3};
    EXPECT_FALSE(ModBlck::ScriviSelezioneCilindri());
    EXPECT_TRUE(Giornale().empty());
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Modo, 3);

    // On petrol: state 1 written once.
    ValoreEcu(2, 1, 0);
    ValoreEcu(3, 15, 0);
    Giornale();
    ModBlck::CambioConfigIniettori = {1, 1, 3};
    ASSERT_TRUE(ModBlck::ScriviSelezioneCilindri());
    auto g = Giornale();
    EXPECT_EQ(Conta(g, CMD_WRITE_BLK3), 1u);
    EXPECT_EQ(TabellaBlocchi[3].Valori[15], 1);

    // Switching over with the engine running: nothing written, block 3 still re-read and stored.
    ValoreEcu(2, 1, 1);
    ValoreEcu(3, 15, 0);
    Giornale();
    TabellaBlocchi[1].Valori[37] = 1;
    TabellaBlocchi[3].UltimaRisposta.clear();
    ModBlck::CambioConfigIniettori = {1, 1, 3};
    ASSERT_TRUE(ModBlck::ScriviSelezioneCilindri());
    g = Giornale();
    EXPECT_EQ(Conta(g, CMD_WRITE_BLK3), 0u);
    EXPECT_EQ(Conta(g, CMD_READ_BLK3), 2u);
    EXPECT_FALSE(TabellaBlocchi[3].UltimaRisposta.empty());

    // Cylinder count on gas, four cylinders from state 0: passes 1, 2, then an unchanged one.
    ValoreEcu(2, 1, 3);
    for (uint32_t n = 0; n < 8; ++n) ValoreEcu(3, 16 - n, 0);
    Giornale();
    ModBlck::TabellaCilindri = TabellaBlocchi[3].Valori;
    ModBlck::TabellaCilindri.resize(25);
    for (size_t n = 0; n < 8; ++n) ModBlck::TabellaCilindri[16 - n] = 0;
    ModBlck::TabellaCilindri[1] = 4;
    ModBlck::CambioConfigIniettori = {2, 4, 3};
    ASSERT_TRUE(ModBlck::ScriviSelezioneCilindri());
    g = Giornale();
    EXPECT_EQ(Conta(g, CMD_WRITE_BLK3), 3u);
    EXPECT_EQ(TabellaBlocchi[3].Valori[1], 4);
    for (size_t n = 0; n < 4; ++n) EXPECT_EQ(TabellaBlocchi[3].Valori[16 - n], 2) << n;
    EXPECT_EQ(TabellaBlocchi[3].Valori[12], 0);

    // A failed transaction: false, the pending change cleared, the mode restored.
    ModBlck::CambioConfigIniettori = {1, 0, 3};
    GuastoDopo(1);
    EXPECT_FALSE(ModBlck::ScriviSelezioneCilindri());
    EXPECT_EQ(ModBlck::CambioConfigIniettori.Tipo, 0);
    EXPECT_EQ(Modi(Giornale()).back(), ModoIniziale);
}

TEST_F(TrasferimentiComandi, CancellaErroriETabellePreparate) {
    ValoreEcu(4, 3, 2);
    ValoreEcu(4, 35, 1);
    Giornale();
    ASSERT_TRUE(ModBlck::CancellaErroriEcu());
    auto g = Giornale();
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    ASSERT_EQ(Trame(g).size(), 2u);
    EXPECT_EQ(Trame(g)[0].Comando(), CMD_CLEAR_ERRORS);
    EXPECT_EQ(Trame(g)[1].Comando(), 0x0F);
    EXPECT_EQ(TabellaBlocchi[4].Valori[3], 0);
    EXPECT_EQ(TabellaBlocchi[4].UltimaRisposta.substr(0, 2), std::string("\x42\x01", 2));

    // All five compensation tables: each frame followed by the re-read of its block.
    struct Tab {
        std::string* trama;
        size_t blocco;
        uint8_t scrittura, lettura;
    } tab[] = {{&ModBlck::FrameComTGasX, 8, 0x7D, 0x7C}, {&ModBlck::FrameBlocco7, 7, 0x7B, 0x7A},
               {&ModBlck::FrameComPGasX, 9, 0x7F, 0x7E}, {&ModBlck::FrameComPBenX, 17, 0x81, 0x80},
               {&ModBlck::FrameComSMag, 13, 0x5E, 0x5D}};
    for (auto& t : tab) {
        BloccoParametri b = TabellaBlocchi[t.blocco];
        for (auto& v : b.Valori) v = 0;
        b.Valori[2] = static_cast<int32_t>(t.blocco);
        std::string dati;
        ModBlck::CodificaBlocco(dati, b);
        *t.trama = ModBlck::CostruisciTrama(0x41, 0x02, t.scrittura, dati);
    }
    ModBlck::TabellaCompensazioneSel = 255;
    ASSERT_TRUE(ModBlck::ScriviTabelleCompensazione());
    auto trame = Trame(Giornale());
    ASSERT_EQ(trame.size(), 10u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(trame[2 * i].Comando(), tab[i].scrittura);
        EXPECT_EQ(trame[2 * i + 1].Comando(), tab[i].lettura);
        EXPECT_EQ(TabellaBlocchi[tab[i].blocco].Valori[2], static_cast<int32_t>(tab[i].blocco));
    }
    ModBlck::TabellaCompensazioneSel = 3;
    ASSERT_TRUE(ModBlck::ScriviTabelleCompensazione());
    trame = Trame(Giornale());
    ASSERT_EQ(trame.size(), 2u);
    EXPECT_EQ(trame[0].Comando(), 0x81);
    ModBlck::TabellaCompensazioneSel = 7;
    EXPECT_TRUE(ModBlck::ScriviTabelleCompensazione());
    EXPECT_TRUE(Giornale().empty());
    ModBlck::TabellaCompensazioneSel = 255;
    GuastoDopo(0);
    EXPECT_FALSE(ModBlck::ScriviTabelleCompensazione());
    EXPECT_EQ(Trame(Giornale()).size(), 1u);

    BloccoParametri b6 = TabellaBlocchi[6];
    b6.Valori.assign(b6.Valori.size(), 0);
    b6.Valori[0] = -20;
    std::string dati;
    ModBlck::CodificaBlocco(dati, b6);
    ModBlck::FrameTabellaTemp = ModBlck::CostruisciTrama(0x41, 0x02, CMD_WRITE_BLK6, dati);
    ASSERT_TRUE(ModBlck::ScriviTabellaTemperatura());
    EXPECT_EQ(TabellaBlocchi[6].Valori[0], -20);
    EXPECT_EQ(Conta(Giornale(), 0x3C), 1u);
    EXPECT_TRUE(ModBlck::InviaComando69());
    EXPECT_EQ(Conta(Giornale(), CMD_69), 1u);
}

// A write the ECU refuses (reply status not 0) ends each operation as a
// failed transaction would: false, nothing after it sent, the mode put back,
// the ECU as it was.
TEST_F(TrasferimentiComandi, ScrittureRifiutateFalliscono) {
    auto trama = [](size_t n, uint8_t comando, int32_t valore0) {
        BloccoParametri b = TabellaBlocchi[n];
        b.Valori[0] = valore0;
        std::string dati;
        ModBlck::CodificaBlocco(dati, b);
        return ModBlck::CostruisciTrama(0x41, 0x02, comando, dati);
    };
    struct Caso {
        const char* nome;
        std::function<void()> prepara;
        std::function<bool()> scrivi;
        size_t trame;       // ECU frames sent, the refused write last
        size_t blocco, indice; // an ECU value the write would have changed
        int32_t modi;       // mode changes sent (0: the operation changes none)
    } casi[] = {
        {"tabella temperatura", [&] { ModBlck::FrameTabellaTemp = trama(6, CMD_WRITE_BLK6, -30); },
         [] { return ModBlck::ScriviTabellaTemperatura(); }, 1, 6, 0, 0},
        {"tabelle di compensazione",
         [&] {
             ModBlck::FrameComTGasX = trama(8, CMD_WRITE_BLK8, 9);
             ModBlck::TabellaCompensazioneSel = 255;
         },
         [] { return ModBlck::ScriviTabelleCompensazione(); }, 1, 8, 0, 0},
        {"commutazione",
         [this] {
             ValoreEcu(2, 0, 0);
             ValoreEcu(2, 1, 0);
             ValoreEcu(2, 2, 0);
         },
         [] { return ModBlck::EseguiCommutazione(); }, 3, 2, 2, 2},
        {"stato iniettore",
         [this] {
             ValoreEcu(2, 1, 0);
             ValoreEcu(3, 15, 0);
             ModBlck::CambioConfigIniettori = {1, 1, 3};
         },
         [] { return ModBlck::ScriviSelezioneCilindri(); }, 3, 3, 15, 2},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        c.prepara();
        const int32_t prima = ValoreLetto(c.blocco, c.indice);
        Manopola(11, 0xFB);
        EXPECT_FALSE(c.scrivi());
        Manopola(11, 0);
        const auto g = Giornale();
        EXPECT_EQ(Trame(g).size(), c.trame);
        const auto m = Modi(g);
        EXPECT_EQ(m.size(), static_cast<size_t>(c.modi));
        if (!m.empty()) {
            EXPECT_EQ(m.back(), ModoIniziale);
        }
        EXPECT_EQ(ValoreLetto(c.blocco, c.indice), prima);
    }

    // The option table: neither written nor read back, and the copy not replaced.
    TabellaSoglie t{}, copia{};
    t.fill(0x21);
    copia.fill(0x43);
    Manopola(11, 0xFB);
    EXPECT_FALSE(ModBlck::ScriviTabellaSoglie(t, copia));
    Manopola(11, 0);
    const auto trame = Trame(Giornale());
    ASSERT_EQ(trame.size(), 1u);
    EXPECT_EQ(trame[0].dati, TestiHex::Byte("41021332") + std::string(16, '\x21') + TestiHex::Byte("62"));
    EXPECT_EQ(copia[0], 0x43);
    PaginaMappa p{};
    TabellaSoglie ecu{};
    ASSERT_EQ(ModBlck::LeggiMappaEcu(p, ecu), 0);
    EXPECT_NE(ecu[0], 0x21);
}

// The long wait goes out in ms, low byte first, clamped to what 16 bits hold;
// then the normal wait, block 15 re-read and its pending list emptied.
TEST_F(TrasferimentiComandi, ComandoConAttesaLunga) {
    struct Caso {
        int32_t globale, moltiplicatore;
        std::string lunga, normale;
    } casi[] = {
        {1'000'000, 10, std::string("\x10\x27\0\0", 4), std::string("\xE8\x03\0\0", 4)},
        {150'000, 20, std::string("\xB8\x0B\0\0", 4), std::string("\x96\0\0\0", 4)},
        {150'000, 1000, std::string("\xFF\xFF\0\0", 4), std::string("\x96\0\0\0", 4)}, // 150,000 ms
    };
    for (const auto& c : casi) {
        ModBlck::AttesaGlobale = c.globale;
        ModBlck::MoltiplicatoreAttesa = c.moltiplicatore;
        ModBlck::ModificheBlocco15 = {{5, 3, 0}};
        std::string risposta;
        ASSERT_TRUE(ModBlck::InviaComandoAttesaLunga(CMD_START_ACQUISITION, 4, risposta));
        EXPECT_EQ(risposta.substr(0, 5), std::string("\x42\x01\x04\x5C\x00", 5));
        const auto g = Giornale();
        std::vector<std::string> attese;
        for (const auto& p : g)
            if (p.codice == PIPE_SET_ECU_WAIT) attese.push_back(p.dati);
        EXPECT_EQ(attese, (std::vector<std::string>{c.lunga, c.normale}));
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 1u);
        EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, -1);
        EXPECT_EQ(TabellaBlocchi[15].Valori[79], 0); // the simulated firing order, zero-based
    }
    // The command fails: the normal wait goes back, then the mode.
    GuastoDopo(2);
    std::string risposta;
    EXPECT_FALSE(ModBlck::InviaComandoAttesaLunga(CMD_START_ACQUISITION, 4, risposta));
    const auto g = Giornale();
    ASSERT_GE(g.size(), 2u);
    EXPECT_EQ(g[g.size() - 2].codice, PIPE_SET_ECU_WAIT);
    EXPECT_EQ(g.back().codice, PIPE_SET_MODE);
}
