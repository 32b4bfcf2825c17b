// Map pages and the threshold table against the real companion in simulated mode.
#include <gtest/gtest.h>

#include "ClienteTrasferimenti.h"
#include "ConfigurazioneSimulata.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckTrame.h"
#include "link/TestiHex.h"

namespace {

std::string Testa(int offset, int quanti) {
    return std::string{static_cast<char>(offset & 0xFF), static_cast<char>(offset >> 8), static_cast<char>(quanti)};
}

PaginaMappa Pagina(uint8_t base) {
    PaginaMappa p{};
    for (int n = 0; n < CellePaginaMappa; ++n) CellaMappa(p, n) = static_cast<uint8_t>(base + n * 3);
    return p;
}

} // namespace

class TrasferimentiMappe : public ClienteTrasferimenti {
protected:
    // Reads the ECU's main page and table without the functions under test.
    void LeggiEcu(PaginaMappa& p, TabellaSoglie& t) {
        ASSERT_EQ(ModBlck::LeggiMappaEcu(p, t), 0);
        Giornale();
    }
};

TEST_F(TrasferimentiMappe, LetturaInCinquePezziEModoRipristinato) {
    PaginaMappa p{};
    TabellaSoglie t{};
    ASSERT_EQ(ModBlck::LeggiMappaEcu(p, t), 0);
    const auto g = Giornale();
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    const auto trame = Trame(g);
    ASSERT_EQ(trame.size(), 6u);
    const int offset[5] = {0, 110, 220, 330, 440};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(trame[i].Comando(), CMD_READ_MAP);
        EXPECT_EQ(trame[i].DatiTrama(), Testa(offset[i], i < 4 ? 110 : 112));
    }
    EXPECT_EQ(trame[5].Comando(), CMD_READ_SOGLIE);
    // The simulated main page in image order; the table starts 0x3C 0x10.
    const std::string immagine = Simulazione::MappaIniziale(0);
    for (int n = 0; n < CellePaginaMappa; ++n) ASSERT_EQ(CellaMappa(p, n), static_cast<uint8_t>(immagine[n])) << n;
    EXPECT_EQ(t[0], 0x3C);
    EXPECT_EQ(t[15], 0x0C);

    // The other two pages are their own.
    PaginaMappa a{}, e{};
    ASSERT_EQ(ModBlck::LeggiMappaAdat(a), 0);
    ASSERT_EQ(ModBlck::LeggiMappaMape(e), 0);
    EXPECT_EQ(Conta(Giornale(), CMD_READ_ADAT), 5u);
    EXPECT_NE(a, p);
    EXPECT_NE(e, a);
}

// A chunk that comes back short or refused, or a transaction that fails,
// leaves the page and the table as they were.
TEST_F(TrasferimentiMappe, LetturaIncompletaNonRiempieNiente) {
    struct Caso {
        const char* nome;
        uint8_t manopola; // 20 short, 21 refused, 5 failed transaction after n packets
        int32_t valore;
        int32_t esito;
    } casi[] = {
        {"primo pezzo corto", 20, 1, 3},
        {"pezzo rifiutato", 21, 1, 3},
        {"tabella fallita", 5, 6, 1}, // set mode, five chunks, then the table read
        {"terzo pezzo fallito", 5, 3, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        PaginaMappa p = Pagina(9);
        TabellaSoglie t{};
        t.fill(0xAA);
        Manopola(c.manopola, c.valore);
        EXPECT_EQ(ModBlck::LeggiMappaEcu(p, t), c.esito);
        EXPECT_EQ(p, Pagina(9));
        EXPECT_EQ(t[0], 0xAA);
        // After a failed read the link mode stays 2.
        EXPECT_EQ(Modi(Giornale()).back(), 2);
        Manopola(20, 0);
        Manopola(21, 0);
        ASSERT_EQ(Invia(PIPE_SET_MODE, std::string(1, static_cast<char>(ModoIniziale))), 0);
        Giornale();
    }
}

TEST_F(TrasferimentiMappe, UnaCellaScriveSoloIlSuoPezzo) {
    struct Caso {
        int riga, colonna, offset, quanti;
    } casi[] = {{0, 5, 110, 110}, {22, 23, 440, 112}, {0, 0, 0, 110}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.offset);
        PaginaMappa ecu{};
        TabellaSoglie tab{};
        LeggiEcu(ecu, tab);
        PaginaMappa nuova = ecu;
        nuova[c.riga][c.colonna] = static_cast<uint8_t>(nuova[c.riga][c.colonna] + 1);
        TabellaSoglie t = tab;
        ASSERT_TRUE(ModBlck::ScriviMappaEcu(nuova, ecu, t, tab, 0));
        const auto g = Giornale();
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        const auto trame = Trame(g);
        ASSERT_EQ(trame.size(), 2u);
        EXPECT_EQ(trame[0].Comando(), CMD_WRITE_MAP);
        EXPECT_EQ(trame[0].DatiTrama().substr(0, 3), Testa(c.offset, c.quanti));
        EXPECT_EQ(trame[0].DatiTrama().size(), 3u + static_cast<size_t>(c.quanti));
        EXPECT_EQ(trame[1].Comando(), CMD_READ_MAP);
        EXPECT_EQ(trame[1].DatiTrama(), Testa(c.offset, c.quanti));
        PaginaMappa riletta{};
        LeggiEcu(riletta, tab);
        EXPECT_EQ(riletta, nuova);
    }
}

TEST_F(TrasferimentiMappe, PaginaUgualeCostaSoloIModi) {
    PaginaMappa ecu{};
    TabellaSoglie tab{};
    LeggiEcu(ecu, tab);
    PaginaMappa p = ecu;
    TabellaSoglie t = tab;
    EXPECT_TRUE(ModBlck::ScriviMappaEcu(p, ecu, t, tab, 0));
    const auto g = Giornale();
    EXPECT_TRUE(Trame(g).empty());
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    EXPECT_EQ(p, ecu);
    EXPECT_EQ(t, tab);
}

// Forced: all five chunks and the table go out and come back, and the ECU
// then holds the new page.
TEST_F(TrasferimentiMappe, ForzataScriveTuttoEPrendeLaRilettura) {
    PaginaMappa p = Pagina(3);
    TabellaSoglie t{};
    t.fill(0x11);
    ASSERT_TRUE(ModBlck::ScriviMappaEcu(p, p, t, t, 1));
    const auto g = Giornale();
    EXPECT_EQ(Conta(g, CMD_WRITE_MAP), 5u);
    EXPECT_EQ(Conta(g, CMD_READ_MAP), 5u);
    EXPECT_EQ(Conta(g, CMD_WRITE_SOGLIE), 1u);
    EXPECT_EQ(Conta(g, CMD_READ_SOGLIE), 1u);
    EXPECT_EQ(p, Pagina(3));
    PaginaMappa riletta{};
    TabellaSoglie tab{};
    LeggiEcu(riletta, tab);
    EXPECT_EQ(riletta, Pagina(3));
    EXPECT_EQ(tab[7], 0x11);
}

// A chunk the ECU refuses (reply status not 0) is a failed write: nothing
// after it is sent or read back, the page stays as the caller made it, the
// mode goes back and the ECU keeps its page. Once the ECU accepts, the same
// call puts the page in.
TEST_F(TrasferimentiMappe, PezzoRifiutatoEUnaScritturaFallita) {
    struct Caso {
        const char* nome;
        int pagina;        // 0 main (forced), 1 adaptive, 2 third
        int riga, colonna; // the one cell changed on pages 1 and 2
        const char* testa; // the refused frame: 41 02 L command, offset low, high, count
    } casi[] = {
        {"principale forzata, pezzo 1", 0, 0, 0, "41027413" "00006E"},
        {"adattativa, pezzo 2", 1, 0, 5, "41027417" "6E006E"},
        {"terza, pezzo 5", 2, 22, 23, "41027679" "B80170"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        PaginaMappa ecu{};
        TabellaSoglie tab{};
        LeggiEcu(ecu, tab);
        if (c.pagina == 1) {
            ASSERT_EQ(ModBlck::LeggiMappaAdat(ecu), 0);
        } else if (c.pagina == 2) {
            ASSERT_EQ(ModBlck::LeggiMappaMape(ecu), 0);
        }
        Giornale();
        PaginaMappa nuova = ecu;
        if (c.pagina == 0) nuova = Pagina(static_cast<uint8_t>(ecu[0][0] + 7));
        else nuova[c.riga][c.colonna] = static_cast<uint8_t>(nuova[c.riga][c.colonna] ^ 0x5A);
        TabellaSoglie t = tab;
        t[3] = static_cast<uint8_t>(t[3] + 1);
        auto scrivi = [&](PaginaMappa& p) {
            if (c.pagina == 0) return ModBlck::ScriviMappaEcu(p, p, t, t, -1);
            if (c.pagina == 1) return ModBlck::ScriviMappaAdat(p, ecu);
            return ModBlck::ScriviMappaMape(p, ecu);
        };
        auto paginaEcu = [&] {
            PaginaMappa p{};
            TabellaSoglie s{};
            const int32_t r = c.pagina == 0   ? ModBlck::LeggiMappaEcu(p, s)
                              : c.pagina == 1 ? ModBlck::LeggiMappaAdat(p)
                                              : ModBlck::LeggiMappaMape(p);
            EXPECT_EQ(r, 0);
            Giornale();
            return std::make_pair(p, s);
        };

        Manopola(11, 0xFB);
        for (int volta = 0; volta < 2; ++volta) { // refused for good: every try fails alike
            PaginaMappa p = nuova;
            EXPECT_FALSE(scrivi(p));
            const auto g = Giornale();
            EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
            const auto trame = Trame(g);
            ASSERT_EQ(trame.size(), 1u);
            EXPECT_EQ(trame[0].dati.substr(0, 7), TestiHex::Byte(c.testa));
            EXPECT_EQ(trame[0].dati.size(), static_cast<size_t>(static_cast<uint8_t>(trame[0].dati[2])) + 2);
            EXPECT_EQ(ModBlck::CalcolaXor(trame[0].dati), 0);
            EXPECT_EQ(p, nuova);
            EXPECT_EQ(paginaEcu().first, ecu);
        }
        if (c.pagina == 0) {
            EXPECT_EQ(paginaEcu().second, tab);
        }

        // Refused once: the same write, accepted, puts the page in.
        Manopola(11, 0);
        PaginaMappa p = nuova;
        ASSERT_TRUE(scrivi(p));
        Giornale();
        EXPECT_EQ(p, nuova);
        EXPECT_EQ(paginaEcu().first, nuova);
        if (c.pagina == 0) {
            EXPECT_EQ(paginaEcu().second, t);
        }
    }
}

TEST_F(TrasferimentiMappe, GuastoSulTerzoPezzo) {
    PaginaMappa ecu{};
    TabellaSoglie tab{};
    LeggiEcu(ecu, tab);
    const PaginaMappa nuova = Pagina(40);
    PaginaMappa p = nuova;
    TabellaSoglie t = tab;
    GuastoDopo(3); // set mode, chunk 1, chunk 2, then chunk 3 fails
    EXPECT_FALSE(ModBlck::ScriviMappaEcu(p, ecu, t, tab, 0));
    const auto g = Giornale();
    EXPECT_EQ(Conta(g, CMD_WRITE_MAP), 3u);
    EXPECT_EQ(Conta(g, CMD_READ_MAP), 0u);
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    EXPECT_EQ(p, nuova);
    // Chunks 1 and 2 stay written; the ECU took chunk 3 too, only its reply was lost.
    PaginaMappa riletta{};
    LeggiEcu(riletta, tab);
    for (int n = 0; n < CellePaginaMappa; ++n)
        ASSERT_EQ(CellaMappa(riletta, n), n < 330 ? CellaMappa(nuova, n) : CellaMappa(ecu, n)) << n;
}

TEST_F(TrasferimentiMappe, RiletturaCortaNonSovrascrive) {
    PaginaMappa ecu{};
    ASSERT_EQ(ModBlck::LeggiMappaAdat(ecu), 0);
    Giornale();
    PaginaMappa p = ecu;
    p[3][3] ^= 0xFF;
    const PaginaMappa voluta = p;
    Manopola(20, 1);
    EXPECT_FALSE(ModBlck::ScriviMappaAdat(p, ecu));
    EXPECT_EQ(p, voluta);
    const auto g = Giornale();
    EXPECT_EQ(Conta(g, CMD_WRITE_ADAT), 1u);
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
}

TEST_F(TrasferimentiMappe, TerzaPaginaETabellaSoglie) {
    PaginaMappa vecchia{};
    ASSERT_EQ(ModBlck::LeggiMappaMape(vecchia), 0);
    PaginaMappa p = Pagina(77);
    ASSERT_TRUE(ModBlck::ScriviMappaMape(p, vecchia));
    EXPECT_EQ(p, Pagina(77));
    PaginaMappa riletta{};
    ASSERT_EQ(ModBlck::LeggiMappaMape(riletta), 0);
    EXPECT_EQ(riletta, Pagina(77));
    Giornale();

    // The edit copy goes out; both copies then hold what the ECU read back.
    ModMain::MatSoglieModificata.fill(0x21);
    ModMain::MatSoglie.fill(0);
    ASSERT_TRUE(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglieModificata, ModMain::MatSoglie));
    EXPECT_EQ(ModMain::MatSoglie, ModMain::MatSoglieModificata);
    EXPECT_EQ(ModMain::MatSoglie[9], 0x21);
    const auto g = Giornale();
    EXPECT_TRUE(Modi(g).empty());
    ASSERT_EQ(Trame(g).size(), 2u);
    EXPECT_EQ(Trame(g)[0].DatiTrama(), std::string(16, '\x21'));
    // The same table as both arguments.
    ModMain::MatSoglie.fill(0x05);
    EXPECT_TRUE(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglie, ModMain::MatSoglie));
    EXPECT_EQ(ModMain::MatSoglie[0], 0x05);
}
