// The compatibility table, the release change, the wait payloads and the
// 128-byte write frames.
#include <gtest/gtest.h>

#include "core/ModGlobFunct.h"
#include "firmware/FirmwareConversioni.h"

namespace {

using FirmwareConversioni::RigaCompatibilita;

// A 38-byte record: version, revision, BCD day, month, year, and the text.
std::string Rec(int v, int r, int g = 0x14, int m = 0x05, int a = 0x2024, const char* testo = "VX9 REDADI RXN9 SEQ 4-8CYL ") {
    std::string s{static_cast<char>(v), static_cast<char>(r), static_cast<char>(g), static_cast<char>(m),
                  static_cast<char>(a >> 8), static_cast<char>(a & 0xFF), 'V', 'X', '\x09', '\x02'};
    s += std::string(testo).substr(0, 27);
    s.resize(37, ' ');
    return s + '\0';
}

} // namespace

TEST(FirmwareConversioni, TabellaDiCompatibilita) {
    const std::string boot = "BOOT-FRAME";
    const std::string zeri(36, '0');
    struct Caso {
        const char* nome;
        std::string ecu, file;
        RigaCompatibilita riga;
        bool stessaChiave;
    } casi[] = {
        {"zero-filled image", Rec(3, 2), zeri, RigaCompatibilita::Sconosciuta, false},
        {"no ECU text", "", Rec(3, 2), RigaCompatibilita::Sconosciuta, false},
        {"boot frame of the variant, older image", boot, Rec(1, 0), RigaCompatibilita::DaAggiornare, false},
        {"image newer revision", Rec(3, 1), Rec(3, 2), RigaCompatibilita::DaAggiornare, true},
        {"image newer version", Rec(3, 9), Rec(4, 0), RigaCompatibilita::DaAggiornare, true},
        {"image older", Rec(3, 2), Rec(3, 1), RigaCompatibilita::ImmaginePiuVecchia, true},
        {"image date later", Rec(3, 2), Rec(3, 2, 0x15), RigaCompatibilita::DataPiuRecente, true},
        {"image month later, day earlier", Rec(3, 2), Rec(3, 2, 0x01, 0x06), RigaCompatibilita::DataPiuRecente, true},
        {"same", Rec(3, 2), Rec(3, 2), RigaCompatibilita::Uguale, true},
        {"image year earlier", Rec(3, 2), Rec(3, 2, 0x31, 0x12, 0x2023), RigaCompatibilita::DataPiuVecchia, true},
        {"other family", Rec(3, 2), Rec(3, 3, 0x14, 0x05, 0x2024, "VX9 REDADI RXV7 SEQ 4-8CYL "),
         RigaCompatibilita::DaAggiornare, false},
        // The ECU's text is the whole 62-byte identification: the key is still its third word.
        {"identification with its tail", Rec(3, 2) + std::string(24, '\0'), Rec(3, 2), RigaCompatibilita::Uguale, true},
    };
    for (const auto& c : casi) {
        const auto r = FirmwareConversioni::ValutaCompatibilita(c.ecu, c.file, boot);
        EXPECT_EQ(r.riga, c.riga) << c.nome;
        EXPECT_EQ(r.stessaChiave, c.stessaChiave) << c.nome;
    }
}

TEST(FirmwareConversioni, CambioDiRelease) {
    const std::string boot = "BOOT-FRAME";
    EXPECT_FALSE(FirmwareConversioni::CambioRelease(Rec(3, 2), Rec(3, 2, 0x15), boot)); // only the date
    EXPECT_TRUE(FirmwareConversioni::CambioRelease(Rec(3, 2), Rec(3, 3), boot));
    EXPECT_TRUE(FirmwareConversioni::CambioRelease(Rec(3, 2), Rec(4, 2), boot));
    EXPECT_TRUE(FirmwareConversioni::CambioRelease(boot, Rec(3, 2), boot));
}

TEST(FirmwareConversioni, AtteseEPayload) {
    // AttesaGlobale 250000 with multiplier 4: long wait 1000 ms, normal 250 ms.
    EXPECT_EQ(FirmwareConversioni::PayloadAttesa(FirmwareConversioni::AttesaLungaMs(250000, 4)),
              std::string("\xE8\x03\x00\x00", 4));
    EXPECT_EQ(FirmwareConversioni::PayloadAttesa(FirmwareConversioni::AttesaNormaleMs(250000)),
              std::string("\xFA\x00\x00\x00", 4));
    // Halves to the even neighbour.
    EXPECT_EQ(FirmwareConversioni::AttesaNormaleMs(2500), 2);
    EXPECT_EQ(FirmwareConversioni::AttesaNormaleMs(3500), 4);
}

TEST(FirmwareConversioni, TramaDiScritturaEBlocchi) {
    std::string blocco(128, '\xFF');
    blocco[5] = '\x12';
    const std::string t = FirmwareConversioni::TramaScritturaFlash(0x12FE0080, blocco);
    ASSERT_EQ(t.size(), 137u);
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(t.substr(0, 8)), "41028708" "00FE0080");
    EXPECT_EQ(t.substr(8, 128), blocco);
    uint8_t x = 0;
    for (const char c : t) x ^= static_cast<uint8_t>(c);
    EXPECT_EQ(x, 0);

    // The last block of a buffer that does not end on 128 bytes is padded with 0xFF.
    const std::vector<uint8_t> buffer(200, 0x00);
    const std::string ultimo = FirmwareConversioni::BloccoImmagine(buffer, 128);
    EXPECT_EQ(ultimo, std::string(72, '\0') + std::string(56, '\xFF'));
    EXPECT_FALSE(FirmwareConversioni::BloccoCancellato(ultimo));
    EXPECT_TRUE(FirmwareConversioni::BloccoCancellato(FirmwareConversioni::BloccoImmagine(buffer, 256)));
}
