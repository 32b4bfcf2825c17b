// The OBD page's screen-free rules: the selectors from the blocks, the
// OBD-mode writes, the live texts, the correction bar and the option lists.
#include <gtest/gtest.h>

#include "obd/ObdConversioni.h"

namespace OC = ObdConversioni;

TEST(ObdConversioni, ModoObdDaiBlocchi) {
    struct Caso {
        int32_t b2v2, b3v49, indice;
    } casi[] = {
        {0x00, 0, 0}, {0x03, 1, 0}, {0x08, 0, 2}, {0x0C, 1, 1}, {0x0C, 0, 3}, {0x0D, 3, 1},
        {0x04, 0, -1}, {0x20, 0, -1}, {0x2C, 1, -1}, {0x28, 0, -1},
    };
    for (const auto& c : casi) EXPECT_EQ(OC::IndiceAbilObd(c.b2v2, c.b3v49), c.indice) << c.b2v2 << " " << c.b3v49;
}

TEST(ObdConversioni, ScrittureDelModoObd) {
    auto voci = [](const ListaModifiche& l) {
        std::vector<std::array<int32_t, 3>> r;
        for (const auto& m : l) r.push_back({m.Valore, m.IndiceValore, m.Maschera});
        return r;
    };
    using V = std::vector<std::array<int32_t, 3>>;
    struct Caso {
        bool scelto;
        int32_t indice;
        int32_t bit49, bit04, bit08;
    } casi[] = {
        {false, 1, 0, 0, 0}, // Stop: everything off
        {true, 0, 0, 0, 0},  {true, 1, 1, 1, 1}, {true, 2, 0, 0, 1}, {true, 3, 0, 1, 1},
    };
    for (const auto& c : casi) {
        const auto s = OC::ApplicaAbilitazioneObd(c.scelto, c.indice, 7, 12, std::nullopt);
        EXPECT_EQ(voci(s.Blocco3), (V{{7, 50, 0}, {12, 48, 0}, {c.bit49, 49, 0x01}})) << c.indice;
        EXPECT_EQ(voci(s.Blocco2), (V{{c.bit04, 2, 0x04}, {0, 2, 0x20}, {c.bit08, 2, 0x08}})) << c.indice;
        EXPECT_EQ(voci(s.Blocco14), (V{{0xFFFF, 3, 0}, {0xFFFF, 4, 0}}));
    }
    EXPECT_EQ(voci(OC::ApplicaAbilitazioneObd(true, 1, 0, 0, 50).Blocco14), (V{{50, 3, 0}, {0xFFFF, 4, 0}}));

    // Second bank: written only for a car with PID 08.
    EXPECT_EQ(voci(OC::ScritturaBanco2(true, 0x01)), (V{{8, 21, 0}, {9, 22, 0}}));
    EXPECT_EQ(voci(OC::ScritturaBanco2(true, 0xBE)), (V{{0, 21, 0}, {0, 22, 0}}));
    EXPECT_EQ(voci(OC::ScritturaBanco2(false, 0x01)), (V{{0, 21, 0}, {0, 22, 0}}));
    EXPECT_TRUE(OC::Banco2(0x01, 8).Spuntato);
    EXPECT_FALSE(OC::Banco2(0x01, 0).Spuntato);
    EXPECT_FALSE(OC::Banco2(0x00, 8).Spuntato);
    EXPECT_FALSE(OC::Banco2(0x00, 8).Visibile);
}

TEST(ObdConversioni, ListaProtocolli) {
    EXPECT_EQ(OC::ProtocolliDaRiga("GENERIC|11|CAN STD500|6|ISO KL FAST|3").size(), 3u);
    const auto l = OC::ProtocolliDaRiga("GENERIC|11|ISO KL 5BAUD 9141|1|ISO KL FAST|3|CAN STD500|6");
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[3].Nome, "CAN STD500");
    EXPECT_EQ(l[3].Codice, 6);
    EXPECT_EQ(OC::ProtocolliDaRiga("GENERIC|11|ODD").size(), 1u);
    EXPECT_EQ(OC::IndiceProtocollo(l, 3), 2);
    EXPECT_EQ(OC::IndiceProtocollo(l, 9), -1);
}

TEST(ObdConversioni, TestiDeiValoriVivi) {
    struct Caso {
        int32_t grezzo;
        char sep;
        const char* testo;
    } casi[] = {
        {128, '.', "0"}, {64, '.', "-50"}, {0, '.', "-100"}, {255, '.', "99.2"}, {200, ',', "56,2"}, {0x180, '.', "0"},
    };
    for (const auto& c : casi) EXPECT_EQ(OC::TestoTrim(c.grezzo, c.sep), c.testo) << c.grezzo;

    const int32_t adr[4] = {7, 0xE8, 0, 10};
    EXPECT_EQ(OC::TestoRiepilogo(1, 6, adr), "NUM ECU: 1\r\nINIT: CAN STD500\r\nADR: 07E8000A");
    const int32_t zero[4] = {0, 0, 0, 0};
    EXPECT_EQ(OC::TestoRiepilogo(0, 0, zero), "NUM ECU: 0\r\nINIT: \r\nADR: 00000000");

    struct Stato {
        int32_t v18, stato;
        std::optional<int32_t> offset;
    } stati[] = {{3, 0x02, 3}, {3, 0x03, 2}, {0, 0, 7}, {3, 0x10, 6}, {3, 0x08, 5}, {3, 0x40, 7}, {-1, 0x02, std::nullopt}};
    for (const auto& s : stati) EXPECT_EQ(OC::OffsetStatoCarburante(s.v18, s.stato), s.offset) << s.stato;
    EXPECT_EQ(OC::ByteConSegno(250), -6);
    EXPECT_EQ(OC::ByteConSegno(127), 127);
}

TEST(ObdConversioni, BarraDiCorrezioneEMarcatore) {
    EXPECT_FALSE(OC::CalcolaBarra(0, 300, 0, 5));
    const auto b = OC::CalcolaBarra(30, 300, 10, 4);
    ASSERT_TRUE(b);
    EXPECT_DOUBLE_EQ(b->Scala, 15.0);
    EXPECT_EQ(b->AltezzaBanda, 120);
    EXPECT_EQ(b->AltoBanda, 30 + 150 - 60);
    EXPECT_EQ(OC::CalcolaBarra(0, 300, 10, 30)->AltezzaBanda, 300); // B wider than A: the whole window

    struct Caso {
        int32_t media, centro, alto;
    } casi[] = {
        {0, 0, 30 + 150 - 4},       // average at the centre
        {-6, 0, 30 + 150 + 90 - 4}, // 6 x S below the centre
        {2, 2, 30 + 150 - 4},       // the average equal to the window's centre C sits in the middle
        {5, 2, 30 + 150 - 45 - 4},
        {100, 0, 30},               // kept at the top
        {-100, 0, 330 - 8},         // and at the bottom
    };
    for (const auto& c : casi) EXPECT_EQ(OC::AltoMarcatore(30, 300, 15.0, c.media, c.centro, 8), c.alto) << c.media;
}

TEST(ObdConversioni, VociDelleListe) {
    EXPECT_EQ(OC::PrimoMaggioreUguale({1, 2, 5, 10}, 3), 2);
    EXPECT_EQ(OC::PrimoMaggioreUguale({1, 2, 5, 10}, 11), -1);
    EXPECT_EQ(OC::PrimoMaggioreUguale({-10, -5, 0, 5}, -56), 0);
    EXPECT_EQ(OC::ByteTarget(-5), 251);
    EXPECT_EQ(OC::ByteTarget(10), 10);
    EXPECT_EQ(OC::MsRitardo(1.5), 1500);
    EXPECT_EQ(OC::MsRitardo(0.0015), 1);
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(OC::IndicePidRail(OC::PidRailDaIndice(i)), i);
    EXPECT_EQ(OC::PidRailDaIndice(5), -1);
    EXPECT_FALSE(OC::IndicePidRail(0x10));

    const std::vector<std::string> righe{"[A]", "1|2", "[MOLTIPLICATORE]", "0|1"};
    EXPECT_EQ(OC::RigaDopo(righe, 0), "1|2");
    EXPECT_EQ(OC::RigaDopo(righe, 2), "0|1");
    EXPECT_FALSE(OC::RigaDopo(righe, 2, 2)); // marker with only one line after it
    EXPECT_FALSE(OC::RigaDopo(righe, 3));

    std::string r(127, '\0');
    for (size_t i = 6; i < 16; ++i) r[i] = 1;
    EXPECT_EQ(OC::CelleAcquisite(r), 10);
    r[5] = r[126] = 1;
    EXPECT_EQ(OC::CelleAcquisite(r), 10);
    EXPECT_EQ(OC::CelleAcquisite(""), 0);
}

TEST(ObdConversioni, PuntoDellaMappaObd) {
    uint8_t asse[24] = {};
    for (int i = 0; i < 24; ++i) asse[i] = static_cast<uint8_t>(8 * (i + 1)); // 512 rpm steps
    struct Caso {
        int32_t v37, v32, v50, colonna;
    } casi[] = {
        {0x00, 2048, 0, 3}, {0x01, 2048, 0, 3}, {0x09, 0, 3, 3}, {0x09, 0, 0, 0},
        {0x09, 0, 23, 7},   {0x00, 100, 0, 0},  {0x00, 9000, 0, 7},
        {0x09, 0, 40, 7},   {0x09, 0, -3, 0}, // a cursor outside the axis is clamped
    };
    for (const auto& c : casi) EXPECT_EQ(OC::IndiceRpmMappaObd(c.v37, c.v32, c.v50, asse), c.colonna) << c.v50 << " " << c.v32;
    EXPECT_EQ(OC::IndiceCaricoMappaObd(640, 64), 9);
    EXPECT_EQ(OC::IndiceCaricoMappaObd(640, 128), 4);
    EXPECT_EQ(OC::IndiceCaricoMappaObd(10, 64), 0);
    EXPECT_EQ(OC::IndiceCaricoMappaObd(5000, 64), 14);
    EXPECT_EQ(OC::IndiceCaricoMappaObd(640, 0), 0);
}

TEST(ObdConversioni, SuggerimentiDallaTabellaBenzina) {
    std::string r(127, '\0');
    EXPECT_EQ(OC::StatisticaAcquisite(r).Numero, 0);
    const int valori[] = {-6, 9, 1, 2, 3, -1, 4, 5, 6, 7, 8};
    for (size_t i = 0; i < std::size(valori); ++i) r[10 + i] = static_cast<char>(valori[i] & 0xFF);
    const auto a = OC::StatisticaAcquisite(r);
    EXPECT_EQ(a.Numero, 11);
    EXPECT_EQ(a.Massimo, 9);
    EXPECT_EQ(a.Minimo, -6);
    EXPECT_EQ(OC::SuggerimentoMinDiff(a), 8);
    EXPECT_EQ(OC::SuggerimentoTarget(a), 2);
    r[126] = 50; // outside the table
    r[5] = 50;
    EXPECT_EQ(OC::StatisticaAcquisite(r).Massimo, 9);
    EXPECT_EQ(OC::StatisticaAcquisite("\x42\x01").Numero, 0); // short reply

    EXPECT_EQ(OC::TestoSoglia({"0", "6", "13"}, 2, " %"), "13 %");
    EXPECT_EQ(OC::TestoSoglia({"0", "512"}, 1, " Rpm"), "512 Rpm");
    EXPECT_EQ(OC::TestoSoglia({"0", "6"}, 2, " %"), " --- %");
    EXPECT_EQ(OC::TestoSoglia({"0", "6"}, -1, " Rpm"), " --- %");
}
