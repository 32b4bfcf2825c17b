// ECU frames: builder, XOR, and the offline rebuild of a block's reply.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"
#include "TestiHex.h"

namespace {

using TestiHex::Byte;
using TestiHex::Hex;

BloccoParametri Blocco(std::vector<std::string> tipi, std::vector<int32_t> offset, std::vector<int32_t> scale,
                       std::vector<int32_t> valori) {
    BloccoParametri b;
    b.Tipo = 20; // no per-type step
    b.CodiciTipo = std::move(tipi);
    b.Offset = std::move(offset);
    b.Scale = std::move(scale);
    b.Valori = std::move(valori);
    return b;
}

} // namespace

TEST(TramaEcu, CostruisciTramaTabella) {
    struct Caso {
        uint8_t comando;
        std::string dati;
        std::string atteso;
    } casi[] = {
        {CMD_CLEAR_ERRORS, "", "4102031454"},
        {CMD_READ_MEM1, "", "4102032161"},
        {CMD_READ_OBD_DATA, "", "4102034404"},
        {CMD_WRITE_BLK2, Byte("0102"), "41020510010255"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.atteso);
        EXPECT_EQ(Hex(ModBlck::CostruisciTrama(0x41, 0x02, c.comando, c.dati)), c.atteso);
    }
    EXPECT_EQ(std::string(ModBlck::TestoTramaLive), "4102032161");
    EXPECT_EQ(std::string(ModBlck::TestoTramaObd), "4102034404");
}

TEST(TramaEcu, LimiteDi252ByteDiDati) {
    const std::string t = ModBlck::CostruisciTrama(0x41, 0x02, 0x13, std::string(252, '\x5A'));
    ASSERT_EQ(t.size(), 257u); // 5 bytes around the data: L + 2
    EXPECT_EQ(static_cast<uint8_t>(t[2]), 0xFF);
    EXPECT_EQ(ModBlck::CalcolaXor(t), 0);
    EXPECT_EQ(ModBlck::CostruisciTrama(0x41, 0x02, 0x13, std::string(253, '\x5A')), "");
}

TEST(TramaEcu, CalcolaXor) {
    EXPECT_EQ(ModBlck::CalcolaXor(""), 0);
    EXPECT_EQ(ModBlck::CalcolaXor(Byte("4201050D00074C")), 0x00); // a whole good frame
    EXPECT_EQ(ModBlck::CalcolaXor(Byte("4201050D0007")), 0x4C);
    EXPECT_EQ(ModBlck::CalcolaXor(Byte("FF0F")), 0xF0);
}

// Contiguous UB parameters: the rebuilt reply is the plain reply of the values.
TEST(RispostaBlocco, ParametriContiguiSenzaRispostaPrecedente) {
    auto b = Blocco({"UB", "UB", "UB"}, {6, 7, 8}, {1, 1, 1}, {1, 2, 250});
    const std::string r = ModBlck::CostruisciRispostaBlocco(b, 0x0D);
    EXPECT_EQ(Hex(r), "4201070D000102FA" + Hex(std::string(1, static_cast<char>(ModBlck::CalcolaXor(Byte("4201070D000102FA"))))));
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
    auto d = b;
    d.Valori = {0, 0, 0};
    ModBlck::DecodificaBlocco(r, d);
    EXPECT_EQ(d.Valori, b.Valori);
}

// The rebuilt reply must decode back to the values it was built from, also
// with gaps between the offsets, with "SL" and with every type at its limits;
// bytes that no parameter covers keep the previous reply's.
TEST(RispostaBlocco, RicostruzioneSiDecodificaNegliStessiValori) {
    auto b = Blocco({"UB", "SW", "SL", "SB", "UW", "SL"}, {6, 9, 12, 20, 22, 25}, {1, 10, 1, 1, 25, 3},
                    {255, -32768 * 10, -2000000000, -128, 65535 * 25, 3 * 123456});
    std::string prec = Byte("42011F0D00") + std::string(27, '\xEE');
    prec += static_cast<char>(ModBlck::CalcolaXor(prec));
    b.UltimaRisposta = prec;

    const std::string r = ModBlck::CostruisciRispostaBlocco(b, 0x0D);
    ASSERT_EQ(r.size(), prec.size());
    EXPECT_EQ(Hex(r.substr(0, 5)), "42011F0D00");
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
    EXPECT_EQ(static_cast<uint8_t>(r[2]), r.size() - 2);
    // Position 7 and 8 lie in a gap: untouched.
    EXPECT_EQ(static_cast<uint8_t>(r[6]), 0xEE);
    EXPECT_EQ(static_cast<uint8_t>(r[7]), 0xEE);

    auto d = b;
    d.Valori.assign(b.Valori.size(), 0);
    ModBlck::DecodificaBlocco(r, d);
    EXPECT_EQ(d.Valori, b.Valori);
}

// "SL" at offset 6 is read from positions 7-10 in the order 3, 4, 1, 2 of its
// bytes from the highest: value 0x56781234 sits there as 12 34 56 78.
TEST(RispostaBlocco, SlNellOrdineDelDecodificatore) {
    auto b = Blocco({"SL"}, {6}, {1}, {0x56781234});
    const std::string r = ModBlck::CostruisciRispostaBlocco(b, 0x41);
    EXPECT_EQ(Hex(r.substr(0, 10)), "4201094100" "0012345678");
}

TEST(RispostaBlocco, ParametriNonCollocabiliNonToccanoNulla) {
    // Offset inside the header, scale 0, an unknown code, past 251 data bytes.
    auto b = Blocco({"UB", "UB", "ub", "UB", "UB"}, {3, 6, 6, 300, 7}, {1, 0, 1, 1, 1}, {9, 9, 9, 9, 0x21});
    std::string prec = Byte("42010641009988");
    prec += static_cast<char>(ModBlck::CalcolaXor(prec));
    b.UltimaRisposta = prec;
    const std::string r = ModBlck::CostruisciRispostaBlocco(b, 0x41);
    EXPECT_EQ(Hex(r.substr(0, 7)), "42010641009921");
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
}

// The rebuild extends a shorter previous reply up to the last parameter.
TEST(RispostaBlocco, AllungaUnaRispostaPrecedenteCorta) {
    auto b = Blocco({"UB", "UW"}, {6, 10}, {1, 1}, {7, 0x1234});
    b.UltimaRisposta = Byte("42010541000744");
    const std::string r = ModBlck::CostruisciRispostaBlocco(b, 0x41);
    EXPECT_EQ(Hex(r.substr(0, r.size() - 1)), "42010A4100070000003412");
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
}
