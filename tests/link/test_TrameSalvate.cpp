// Reply frames kept in files, checked before they go back to the ECU: each
// byte of the frame on its own (the other bytes and the XOR kept consistent),
// and the reply length a block's layout gives.
#include <gtest/gtest.h>

#include "core/ModGlobFunct.h"
#include "link/ModBlckTrameSalvate.h"

namespace {

TEST(TrameSalvate, OgniByteDellaTrama) {
    // The threshold table as a file holds it: 42 01 14 31 00, 16 bytes, XOR.
    struct Caso {
        const char* nome;
        std::string hex;
        bool integra, attesa;
    } casi[] = {
        {"as read", "42011431000102030405060708090A0B0C0D0E0F1076", true, true},
        {"lower-case digits", "42011431000102030405060708090a0b0c0d0e0f1076", true, true},
        {"start byte", "43011431000102030405060708090A0B0C0D0E0F1077", false, false},
        {"direction byte", "42021431000102030405060708090A0B0C0D0E0F1075", false, false},
        {"length byte", "42011531000102030405060708090A0B0C0D0E0F1077", false, false},
        {"status byte", "42011431010102030405060708090A0B0C0D0E0F1077", false, false},
        {"data byte, XOR as before", "42011431001102030405060708090A0B0C0D0E0F1076", false, false},
        {"XOR byte", "42011431000102030405060708090A0B0C0D0E0F1077", false, false},
        {"command of the write", "42011432000102030405060708090A0B0C0D0E0F1075", true, false},
        {"15 data bytes", "42011331000102030405060708090A0B0C0D0E0F61", true, false},
        {"17 data bytes", "42011531000102030405060708090A0B0C0D0E0F101166", true, false},
        {"header alone", "4201", false, false},
        {"nothing", "", false, false},
    };
    for (const auto& c : casi) {
        const std::string t = ModGlobFunct::ConvertiHexInTesto(c.hex);
        EXPECT_EQ(ModBlck::TramaRispostaIntegra(t), c.integra) << c.nome;
        EXPECT_EQ(ModBlck::TramaRispostaAttesa(t, 0x31, 16), c.attesa) << c.nome;
    }
}

TEST(TrameSalvate, RispostaDiUnBlocco) {
    BloccoParametri b;
    b.TramaRichiesta = "4102030E4E";
    EXPECT_EQ(ModBlck::ComandoLetturaBlocco(b), 0x0E);
    EXPECT_EQ(ModBlck::DatiRispostaBlocco(b), 0u); // no parameter: no data
    struct Caso {
        std::vector<std::string> codici;
        std::vector<int32_t> offset;
        size_t dati;
    } casi[] = {
        {{"UB", "UW"}, {6, 7}, 3},
        {{"UW", "UB"}, {20, 6}, 16}, // the farthest byte, whatever the order
        {{"SB"}, {10}, 5},
        {{"SL"}, {6}, 5},           // read from o+1 to o+4
        {{"ub", "UB"}, {40, 6}, 1}, // a code the decoder does not read reaches nothing
    };
    for (const auto& c : casi) {
        b.CodiciTipo = c.codici;
        b.Offset = c.offset;
        b.Scale.assign(c.codici.size(), 1);
        EXPECT_EQ(ModBlck::DatiRispostaBlocco(b), c.dati) << c.codici.front();
    }
    b.TramaRichiesta = "41ZZ";
    EXPECT_FALSE(ModBlck::ComandoLetturaBlocco(b));
}

} // namespace
