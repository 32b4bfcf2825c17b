// The trouble-code and MIL group's rules: option boxes, the code list, add
// and remove, the MIL option writes, the mutual exclusion and the indicator.
#include <gtest/gtest.h>

#include "obd/ObdCodiciErrore.h"

namespace CE = ObdCodiciErrore;

TEST(ObdCodiciErrore, StatiDelleOpzioniSpia) {
    struct Caso {
        bool nuova;
        int32_t v25, v84, b19;
        bool se, sv, pe, pv;
    } casi[] = {
        {true, 0, 0, 0, false, false, false, false},     // 0
        {true, 1, 0, 0, false, false, false, false},     // 1
        {true, 0, 0x80, 0, true, false, true, false},    // 2
        {true, 0, 0x80, 0x01, true, false, true, false}, // 6
        {true, 0, 0, 0x01, true, true, false, false},    // 4
        {true, 1, 0x80, 0x01, true, true, false, false}, // 7
        {true, 0, 0, 0x08, false, false, true, true},    // 8
        {true, 0, 0x80, 0x08, true, false, true, false}, // 10
        {true, 1, 0x80, 0x08, false, false, true, true}, // 11
        {true, 0, 0, 0x09, true, true, true, true},      // 12
        {false, 1, 0, 0x09, false, false, true, true},
        {false, 0, 0x80, 0, false, false, true, false},
        {false, 0, 0, 0, false, false, false, false},
    };
    for (const auto& c : casi) {
        const auto o = CE::CalcolaOpzioniSpia(c.nuova, c.v25, c.v84, c.b19);
        EXPECT_EQ(o.SelettivaAbilitata, c.se) << c.v25 << " " << c.v84 << " " << c.b19;
        EXPECT_EQ(o.SelettivaSpuntata, c.sv) << c.v25 << " " << c.v84 << " " << c.b19;
        EXPECT_EQ(o.PermanenteAbilitata, c.pe) << c.v25 << " " << c.v84 << " " << c.b19;
        EXPECT_EQ(o.PermanenteSpuntata, c.pv) << c.v25 << " " << c.v84 << " " << c.b19;
    }
}

TEST(ObdCodiciErrore, AggiuntaERimozione) {
    std::vector<int32_t> b19(27, 0);
    b19[2] = 0x0171;
    b19[4] = 0x0420;
    EXPECT_EQ(CE::ListaSelettiva(b19), (std::vector<std::string>{"P0171", "P0420"}));

    auto agg = CE::AggiungiCodice(" p0300 ", b19);
    EXPECT_EQ(agg.esito, CE::Esito::Scritto);
    ASSERT_EQ(agg.Blocco19.size(), 1u);
    EXPECT_EQ(agg.Blocco19[0].Valore, 0x0300);
    EXPECT_EQ(agg.Blocco19[0].IndiceValore, 3); // the first free entry
    EXPECT_EQ(CE::AggiungiCodice("P0171", b19).esito, CE::Esito::GiaPresente);
    for (const char* t : {"P0000", "X0171", "P017", ""}) EXPECT_EQ(CE::AggiungiCodice(t, b19).esito, CE::Esito::NonValido) << t;
    std::vector<int32_t> piena(27, 0x0101);
    EXPECT_EQ(CE::AggiungiCodice("P0300", piena).esito, CE::Esito::ListaPiena);

    EXPECT_EQ(CE::TogliCodice("", false, b19).esito, CE::Esito::NessunaSelezione);
    EXPECT_EQ(CE::TogliCodice("P0301", true, b19).esito, CE::Esito::NonPresente);
    EXPECT_EQ(CE::TogliCodice("??", true, b19).esito, CE::Esito::NonValido);
    const auto via = CE::TogliCodice("P0420", true, b19);
    EXPECT_EQ(via.esito, CE::Esito::Scritto);
    EXPECT_EQ(via.Blocco19[0].IndiceValore, 4);
    EXPECT_EQ(via.Blocco19[0].Valore, 0);
}

TEST(ObdCodiciErrore, ScrittureEsclusioniEIndicatore) {
    auto s = CE::ScriviOpzioneSpia(0x01, true, 0x80, 0);
    EXPECT_EQ(s.Richiesta, 67);
    ASSERT_EQ(s.Blocco12.size(), 1u);
    EXPECT_EQ(s.Blocco12[0].IndiceValore, 25);
    EXPECT_EQ(s.Blocco12[0].Valore, 1);
    EXPECT_EQ(s.Blocco19[0].Valore, 0x01);
    EXPECT_EQ(s.Blocco19[0].Maschera, 0x01);
    s = CE::ScriviOpzioneSpia(0x08, false, 0x80, 1);
    EXPECT_EQ(s.Richiesta, 65);
    EXPECT_TRUE(s.Blocco12.empty());
    EXPECT_EQ(s.Blocco19[0].Valore, 0);

    auto e = CE::CalcolaEsclusioni(true, false, false, false);
    EXPECT_TRUE(e.KeyOff && e.KeyOn && !e.Selettiva);
    e = CE::CalcolaEsclusioni(false, true, false, false);
    EXPECT_TRUE(!e.KeyOff && e.KeyOn && e.Selettiva);
    e = CE::CalcolaEsclusioni(false, false, true, false);
    EXPECT_TRUE(e.KeyOff && !e.KeyOn && e.Selettiva);
    e = CE::CalcolaEsclusioni(true, true, true, true);
    EXPECT_TRUE(!e.KeyOff && !e.KeyOn && !e.Selettiva);

    std::vector<int32_t> b20(16, 0);
    const std::string testi[5] = {"T1", "T2", "T3", "T4", "T5"};
    struct Caso {
        bool nuova;
        int32_t b2v1, b2v2, b12v0, b19v0, s20, n;
        int32_t colore, testo;
    } casi[] = {
        {false, 3, 0x04, 1, 1, 0x09, 0, CE::Grigio, 0},
        {true, 3, 0x00, 1, 1, 0x09, 0, CE::Grigio, 0},
        {true, 3, 0x04, 0, 1, 0x09, 0, CE::Grigio, 0},
        {true, 3, 0x04, 1, 0, 0x09, 0, CE::Grigio, 1},
        {true, 0, 0x04, 1, 1, 0x09, 0, CE::Rosso, 2},
        {true, 3, 0x04, 1, 1, 0x08, 0, CE::Viola, 1},
        {true, 3, 0x04, 1, 1, 0x09, 0, CE::Verde, 3},
        {true, 3, 0x04, 1, 1, 0x0F, 2, CE::Ciano, 4},
        {true, 3, 0x04, 1, 1, 0x0B, 2, CE::Giallo, 5},
    };
    for (const auto& c : casi) {
        b20[0] = c.s20;
        b20[1] = c.n;
        b20[2] = 0x0171;
        b20[3] = 0x0420;
        const auto i = CE::CalcolaIndicatore(c.nuova, c.b2v1, c.b2v2, c.b12v0, c.b19v0, b20);
        EXPECT_EQ(i.Colore, c.colore) << c.s20 << " " << c.b19v0;
        EXPECT_EQ(i.Testo, c.testo) << c.s20 << " " << c.b19v0;
    }
    b20[0] = 0x0F;
    b20[1] = 2;
    EXPECT_EQ(CE::TestoIndicatore(CE::CalcolaIndicatore(true, 3, 4, 1, 1, b20), testi), "T4:\r\nP0171\r\nP0420\r\n");
    // Twenty codes reported: only the fourteen of values 2-15.
    std::vector<int32_t> molti(30, 0x0101);
    molti[0] = 0x09;
    molti[1] = 20;
    EXPECT_EQ(CE::CalcolaIndicatore(true, 3, 4, 1, 1, molti).Codici.size(), 14u);
    EXPECT_EQ(CE::ColoreKeyOn(true, 4, 1, 0x10, 0x06), CE::Ciano);
    EXPECT_EQ(CE::ColoreKeyOn(true, 4, 1, 0x10, 0x02), CE::Giallo);
    EXPECT_EQ(CE::ColoreKeyOn(true, 4, 1, 0x00, 0x06), CE::Grigio);
}
