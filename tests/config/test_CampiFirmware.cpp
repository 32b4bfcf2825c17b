// Fields of the firmware information record.
#include <gtest/gtest.h>

#include "config/ModMainFirmware.h"

namespace {

std::string Record(std::initializer_list<int> byte, size_t lunghezza) {
    std::string r;
    for (int b : byte) r += static_cast<char>(b);
    r.resize(lunghezza, '\0');
    return r;
}

TEST(CampiFirmware, NumeriEDataPerLunghezza) {
    const std::string intero = Record({0x01, 0x0A, 0x31, 0x07, 0x20, 0x18}, 38);
    struct Caso {
        size_t lunghezza;
        int32_t versione, revisione;
        int16_t giorno, mese, anno;
    } casi[] = {
        {0, 0, 0, 0, 0, 0},
        {1, 0, 0, 0, 0, 0}, // one character more than the field is asked for
        {2, 1, 0, 0, 0, 0},
        {3, 1, 10, 0, 0, 0},
        {4, 1, 10, 0x31, 0, 0},
        {5, 1, 10, 0x31, 7, 0},
        {6, 1, 10, 0x31, 7, 0},
        {7, 1, 10, 0x31, 7, 2018},
        {38, 1, 10, 0x31, 7, 2018},
    };
    for (const auto& c : casi) {
        const std::string r = intero.substr(0, c.lunghezza);
        EXPECT_EQ(ModMain::LeggiVersioneFw(r), c.versione) << c.lunghezza;
        EXPECT_EQ(ModMain::LeggiRevisioneFw(r), c.revisione) << c.lunghezza;
        EXPECT_EQ(ModMain::LeggiGiornoFw(r), c.giorno) << c.lunghezza;
        EXPECT_EQ(ModMain::LeggiMeseFw(r), c.mese) << c.lunghezza;
        EXPECT_EQ(ModMain::LeggiAnnoFw(r), c.anno) << c.lunghezza;
    }
    // BCD keeps the calendar order: day 9 before day 10.
    EXPECT_LT(ModMain::LeggiGiornoFw(Record({0, 0, 0x09}, 38)), ModMain::LeggiGiornoFw(Record({0, 0, 0x10}, 38)));
}

TEST(CampiFirmware, AnnoNonBcdDaZero) {
    for (const auto& [alto, basso, atteso] : std::initializer_list<std::tuple<int, int, int>>{
             {0x20, 0x18, 2018}, {0x19, 0x99, 1999}, {0x00, 0x01, 1}, {0x20, 0x1A, 0}, {0xA0, 0x18, 0}, {0xFF, 0xFF, 0}})
        EXPECT_EQ(ModMain::LeggiAnnoFw(Record({0, 0, 0, 0, alto, basso}, 38)), atteso) << alto << " " << basso;
}

TEST(CampiFirmware, TestoDellaVersione) {
    struct Caso {
        std::string record, testo;
    } casi[] = {
        {"", "00.00 - 00/00/0000"},
        {Record({1, 0x0A, 0x31, 7, 0x20, 0x18}, 11), "00.00 - 00/00/0000"},
        // Twelve characters are enough, although 7 to 12 are not shown.
        {Record({1, 0x0A, 0x31, 7, 0x20, 0x18}, 12), "01.0A - 31/07/2018"},
        {Record({0xFF, 0, 1, 2, 0x20, 0x24}, 38), "FF.00 - 01/02/2024"},
    };
    for (const auto& c : casi) EXPECT_EQ(ModMain::FormattaVersioneFirmware(c.record), c.testo) << c.record.size();
}

TEST(CampiFirmware, TerzaParolaDelTesto) {
    const std::string testa = "0123456789";
    struct Caso {
        std::string record;
        bool ridotto;
        std::string parola;
    } casi[] = {
        {"", false, ""},
        {"", true, ""},
        {testa + "AB CD EF GH IJ" + "Z", true, "EF"},
        {testa + "AB CD" + "Z", true, ""},
        {testa + "AB  CD" + "Z", true, "CD"}, // two blanks: an empty word between
        {testa, true, ""},                    // fewer than 11 characters
        {testa + "Z", true, ""},
        {"A B C D", false, "C"},
        {"A B", false, ""},
        // The shipped identification text.
        {testa + "VX9 REDADI RXN9 SEQ 4-8CYL" + std::string(25, '\0'), true, "RXN9"},
    };
    for (const auto& c : casi) EXPECT_EQ(ModMain::LeggiCampoTestoFw(c.record, c.ridotto), c.parola) << c.record;
}

} // namespace
