// The lambda-emulation block writer against the real companion in simulated
// mode: the sequence it sends, the edit rule, and what a failure at each step
// leaves in memory and in the list.
#include <gtest/gtest.h>

#include "companion/ClienteTrasferimenti.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModEmula.h"

class ScritturaEmulazione : public ClienteTrasferimenti {
protected:
    int32_t ValoreLettoEmula(size_t k) {
        BloccoParametri b = TabellaBlocchi[11];
        EXPECT_EQ(ModBlck::LeggiBloccoEcu(11, b, false), 0);
        Giornale();
        return b.Valori[k];
    }
};

TEST_F(ScritturaEmulazione, ModoLetturaScritturaRiletturaERipristino) {
    struct Caso {
        const char* nome;
        ListaModifiche lista;
        int32_t partenza, atteso;
    } casi[] = {
        {"lista vuota", ModBlck::ListaVuota(), 0x21, 0x21},
        {"valore", {{5, 70, 0}}, 0x21, 5},
        {"bit acceso", {{1, 70, 0x10}}, 0x01, 0x11},
        {"bit spento", {{0, 70, 0x10}}, 0x31, 0x21},
        {"il secondo vince", {{7, 70, 0}, {9, 70, 0}}, 0, 9},
        {"due maschere in ordine", {{1, 70, 0x10}, {0, 70, 0x01}}, 0x03, 0x12},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ValoreEcu(11, 70, static_cast<uint32_t>(c.partenza));
        Giornale();
        ModBlck::ModificheBlocco11 = c.lista;
        ASSERT_TRUE(ModEmula::ScriviEmulazione());
        const auto g = Giornale();
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        const auto t = Trame(g);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t[0].dati, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[11].TramaRichiesta));
        EXPECT_EQ(t[1].Comando(), CMD_WRITE_BLK11);
        EXPECT_EQ(t[2].dati, t[0].dati);
        EXPECT_EQ(TabellaBlocchi[11].Valori[70], c.atteso);
        EXPECT_EQ(ValoreLettoEmula(70), c.atteso);
        ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 1u);
        EXPECT_EQ(ModBlck::ModificheBlocco11[0].IndiceValore, -1);
    }
}

// A failure keeps the list; until the block was read back, block 11 keeps the
// values the ECU reported, not the unwritten edits.
TEST_F(ScritturaEmulazione, GuastiLascianoListaEValori) {
    struct Caso {
        const char* nome;
        int32_t dopo;
        size_t trame, modi;
        bool valoriNuovi;
    } casi[] = {
        {"modo iniziale", 0, 0, 2, false},
        {"lettura", 1, 1, 2, false},
        {"scrittura", 2, 2, 2, false},
        {"rilettura", 3, 3, 2, false},
        {"ripristino del modo", 4, 3, 3, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ValoreEcu(11, 64, 0);
        TabellaBlocchi[11].Valori[64] = 0;
        const ListaModifiche lista = {{3000, 64, 0}};
        ModBlck::ModificheBlocco11 = lista;
        Giornale();
        GuastoDopo(c.dopo);
        EXPECT_FALSE(ModEmula::ScriviEmulazione());
        const auto g = Giornale();
        EXPECT_EQ(Trame(g).size(), c.trame);
        const auto m = Modi(g);
        EXPECT_EQ(m.size(), c.modi);
        EXPECT_EQ(m.back(), ModoIniziale);
        ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 1u);
        EXPECT_EQ(ModBlck::ModificheBlocco11[0].IndiceValore, 64);
        EXPECT_EQ(TabellaBlocchi[11].Valori[64] == 3000, c.valoriNuovi);
        ASSERT_EQ(Invia(PIPE_SET_MODE, std::string(1, static_cast<char>(ModoIniziale))), 0);
        Giornale();
    }
}

// An index beyond block 11 takes the failure path: nothing is written, the
// mode is restored, the list and the values stay as they were.
TEST_F(ScritturaEmulazione, IndiceOltreIlBloccoEUnGuasto) {
    ValoreEcu(11, 70, 0x21);
    TabellaBlocchi[11].Valori[70] = 0x21;
    const auto oltre = static_cast<int32_t>(TabellaBlocchi[11].Valori.size());
    const ListaModifiche lista = {{5, 70, 0}, {1, oltre, 0}};
    ModBlck::ModificheBlocco11 = lista;
    Giornale();
    EXPECT_FALSE(ModEmula::ScriviEmulazione());
    const auto g = Giornale();
    const auto t = Trame(g);
    ASSERT_EQ(t.size(), 1u); // the read only
    EXPECT_NE(t[0].Comando(), CMD_WRITE_BLK11);
    EXPECT_EQ(Modi(g).back(), ModoIniziale);
    ASSERT_EQ(ModBlck::ModificheBlocco11.size(), 2u);
    EXPECT_EQ(ModBlck::ModificheBlocco11[1].IndiceValore, oltre);
    EXPECT_EQ(TabellaBlocchi[11].Valori[70], 0x21);
    EXPECT_EQ(ValoreLettoEmula(70), 0x21);
}
