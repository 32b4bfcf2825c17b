// Cell operations, page transfers, clipboard text, paste and undo of the map
// editors, on grid texts.
#include "maps/FissaggioMappe.h"
#include "maps/MappeOperazioni.h"

namespace {

class MappeOperazioni : public FissaggioMappe {};

// A full-editor grid (24 x 25) holding `valore` in every data cell.
TestiGriglia GrigliaPiena(const std::string& valore) {
    TestiGriglia g(24, 25);
    for (int r = 1; r < 24; ++r)
        for (int c = 1; c < 25; ++c) g(r, c) = valore;
    return g;
}

std::string Applica(const std::string& cella, int32_t op, float valore) {
    TestiGriglia g = GrigliaPiena(cella);
    ::MappeOperazioni::ModificaValoriGrigliaLibera(g, {3, 4, 3, 4}, op, valore, 1);
    return g(3, 4);
}

} // namespace

TEST_F(MappeOperazioni, OperazioniSullaCella) {
    struct Caso {
        const char* cella;
        int32_t op;
        float valore;
        const char* atteso;
    };
    for (const Caso& c : {Caso{"255", OP_SOMMA, 1, "256"}, Caso{"0", OP_SOMMA, -1, "-1"},
                          Caso{"100", OP_SOMMA, 2.5f, "102.5"}, Caso{"3", OP_PERCENTUALE, 10, "4"},
                          Caso{"100", OP_PERCENTUALE, 10, "110"}, Caso{"0", OP_PERCENTUALE, 10, "1"},
                          Caso{"7", OP_PERCENTUALE, 0, "8"}, Caso{"10", OP_PERCENTUALE, -5, "9"},
                          Caso{"1", OP_PERCENTUALE, -50, "0"}, Caso{"0", OP_PERCENTUALE, -5, "-1"},
                          // Exact halves go to the even neighbour.
                          Caso{"15", OP_PERCENTUALE, 10, "16"}, Caso{"15", OP_PERCENTUALE, -10, "14"},
                          Caso{"35", OP_PERCENTUALE, 10, "38"}, Caso{"30", OP_PERCENTUALE, 5, "32"},
                          Caso{"17", OP_IMPOSTA, 2.5f, "2.5"}, Caso{"17", OP_IMPOSTA, 200, "200"},
                          Caso{"17", OP_ANNULLATA, 200, "17"}, Caso{"abc", OP_SOMMA, 1, "abc"}}) {
        EXPECT_EQ(Applica(c.cella, c.op, c.valore), c.atteso) << c.cella << " op " << c.op << " " << c.valore;
    }
    ModGlobFunct::SeparatoreDecimale = ",";
    EXPECT_EQ(Applica("100", OP_SOMMA, 2.5f), "102,5");
    EXPECT_EQ(Applica("102,5", OP_SOMMA, 1), "103,5");
}

TEST_F(MappeOperazioni, SelezioneRettangoloInEntrambiIVersi) {
    TestiGriglia g = GrigliaPiena("10");
    ::MappeOperazioni::ModificaValoriGrigliaLibera(g, {5, 6, 3, 4}, OP_SOMMA, 1, 1);
    int cambiate = 0;
    for (int r = 1; r < 24; ++r)
        for (int c = 1; c < 25; ++c) cambiate += g(r, c) == "11";
    EXPECT_EQ(cambiate, 9);
    EXPECT_EQ(g(3, 4), "11");
    EXPECT_EQ(g(5, 6), "11");
    EXPECT_EQ(g(0, 0), "");
}

TEST_F(MappeOperazioni, TrasferimentiGrigliaPagina) {
    PaginaMappa p{};
    p[0][0] = 7;
    p[22][23] = 255;
    TestiGriglia g(24, 25);
    ::MappeOperazioni::CaricaMatriceInGriglia(g, p, 1.0);
    EXPECT_EQ(g(1, 1), "7");
    EXPECT_EQ(g(23, 24), "255");
    EXPECT_EQ(g(2, 2), "0");
    // Back: fractions dropped towards minus infinity, clamped, empty is 0,
    // a text that is not a number keeps the page's byte.
    g(1, 1) = "102.5";
    g(1, 2) = "256";
    g(1, 3) = "-1";
    g(1, 4) = "";
    g(1, 5) = "x";
    PaginaMappa q{};
    q[0][3] = 9;
    q[0][4] = 44;
    ::MappeOperazioni::CaricaGrigliaInMatrice(g, q, 1.0);
    EXPECT_EQ(q[0][0], 102);
    EXPECT_EQ(q[0][1], 255);
    EXPECT_EQ(q[0][2], 0);
    EXPECT_EQ(q[0][3], 0);
    EXPECT_EQ(q[0][4], 44);
    EXPECT_EQ(q[22][23], 255);
}

TEST_F(MappeOperazioni, DidascalieAssi) {
    ModGlobFunct::SeparatoreDecimale = ",";
    ModBlck::AsseGiri rpm{};
    ModBlck::AsseTempi tinj{};
    rpm[1] = 8;   // 512 rpm -> 51.2 -> 51
    rpm[2] = 39;  // 2496 -> 249.6 -> 250
    tinj[1] = 4;  // 0.512 ms -> 0.5
    tinj[2] = 20; // 2.56 -> 2.6
    TestiGriglia g(24, 25);
    g(0, 0) = "x";
    ::MappeOperazioni::CaricaAssiInMatrice(g, rpm, tinj);
    EXPECT_EQ(g(0, 0), "x");
    EXPECT_EQ(g(0, 1), "0");
    EXPECT_EQ(g(0, 2), "51");
    EXPECT_EQ(g(0, 3), "250");
    EXPECT_EQ(g(2, 0), "0,5");
    EXPECT_EQ(g(3, 0), "2,6");
}

TEST_F(MappeOperazioni, TestoCopia) {
    TestiGriglia g = GrigliaPiena("100");
    g(0, 1) = "50";
    g(0, 2) = "60";
    g(1, 0) = "0.5";
    g(1, 2) = "101";
    EXPECT_EQ(::MappeOperazioni::TestoCopia(g, {1, 1, 1, 2}), "\t50\t60\r\n0.5\t100\t101\t");
    EXPECT_EQ(::MappeOperazioni::TestoCopia(g, {1, 1, 1, 1}), "\t50\r\n0.5\t100\t");
    g(2, 0) = "1";
    EXPECT_EQ(::MappeOperazioni::TestoCopia(g, {2, 2, 1, 1}), "\t50\t60\r\n0.5\t100\t101\r\n1\t100\t100\t");
}

TEST_F(MappeOperazioni, Incolla) {
    struct Caso {
        const char* nome;
        int32_t riga, colonna;
        const char* testo;
        std::vector<std::tuple<int, int, const char*>> attese;
    };
    const std::vector<Caso> casi = {
        {"ultima riga", 23, 3, "1\t2\r\n3\t4", {{23, 3, "1"}, {23, 4, "2"}, {22, 3, "0"}}},
        {"parola e 300", 2, 2, "abc\t300", {{2, 2, "0"}, {2, 3, "255"}}},
        {"arrotondamento pari", 2, 2, "2.5\t3.5\t-4", {{2, 2, "2"}, {2, 3, "4"}, {2, 4, "0"}}},
        {"vuoto", 2, 2, "", {{2, 2, "0"}}},
        {"campo vuoto saltato", 2, 2, "\t9", {{2, 2, "0"}, {2, 3, "9"}}},
        {"fuori a destra", 2, 24, "5\t6", {{2, 24, "5"}}},
        {"enorme", 2, 2, "1E300", {{2, 2, "255"}}},
    };
    for (const Caso& c : casi) {
        TestiGriglia g = GrigliaPiena("0");
        ::MappeOperazioni::IncollaTesto(g, c.riga, c.colonna, c.testo);
        for (const auto& [r, col, t] : c.attese) EXPECT_EQ(g(r, col), t) << c.nome << " " << r << "," << col;
    }
}

TEST_F(MappeOperazioni, UndoERedoSenzaToccareLaTabella) {
    for (int k = 0; k < 3; ++k) {
        ModMain::MatSoglie.fill(0x11);
        PaginaMappa& pagina = ModMain::PaginaMappaK(k);
        pagina[0][0] = 10;
        ModMain::AllineaUndoPagina(k);
        EXPECT_EQ(ModMain::UndoDisponibileK(k), 0);
        ::MappeOperazioni::AggiornaUndo(k);
        EXPECT_EQ(ModMain::UndoDisponibileK(k), 1);
        pagina[0][0] = 11;
        ::MappeOperazioni::ReplaceUndo(k);
        EXPECT_EQ(pagina[0][0], 10);
        ::MappeOperazioni::ReplaceUndo(k);
        EXPECT_EQ(pagina[0][0], 11);
        EXPECT_EQ(ModMain::UndoPaginaK(k)[0][0], 10);
        TabellaSoglie attesa{};
        attesa.fill(0x11);
        EXPECT_EQ(ModMain::MatSoglie, attesa);
    }
}

TEST_F(MappeOperazioni, PagineRichiesteESelettori) {
    EXPECT_EQ(::MappeOperazioni::RichiestaScrittura(0), 11);
    EXPECT_EQ(::MappeOperazioni::RichiestaScrittura(1), 63);
    EXPECT_EQ(::MappeOperazioni::RichiestaScrittura(2), 62);
    struct Caso {
        int32_t indice;
        uint8_t byte15;
        int32_t scheda;
    };
    for (const Caso& c : {Caso{0, 0, 12}, Caso{0, 0x08, 27}, Caso{1, 0, 47}, Caso{1, 0x02, 48},
                          Caso{2, 0x02, 49}, Caso{2, 0x01, 50}, Caso{-1, 0x08, 27}})
        EXPECT_EQ(::MappeOperazioni::SchedaDaSelettore(c.indice, c.byte15), c.scheda) << c.indice << " " << int(c.byte15);
}
