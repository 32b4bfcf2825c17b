// Breakpoint vectors and the OBD correction-map tables against the real
// companion in simulated mode.
#include <gtest/gtest.h>

#include "ClienteTrasferimenti.h"
#include "ConfigurazioneSimulata.h"
#include "link/ModBlckVettori.h"

namespace {
std::string Testa(int offset, int quanti) {
    return std::string{static_cast<char>(offset), '\0', static_cast<char>(quanti)};
}
} // namespace

using TrasferimentiVettori = ClienteTrasferimenti;

TEST_F(TrasferimentiVettori, LetturaEScritturaInMeta) {
    ModBlck::VettoreGiri rpm{};
    ModBlck::VettoreTempi tinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, 0), 0);
    auto g = Giornale();
    EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    auto t = Trame(g);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].Comando(), CMD_READ_VET_RPM);
    EXPECT_EQ(t[0].DatiTrama(), Testa(0, 64));
    EXPECT_EQ(t[1].DatiTrama(), Testa(64, 64));
    EXPECT_EQ(t[2].Comando(), CMD_READ_VET_TINJ);
    EXPECT_EQ(t[2].DatiTrama(), Testa(0, 90));
    EXPECT_EQ(t[3].DatiTrama(), Testa(90, 90));
    // The simulated vectors; the second half follows the first.
    const std::string vr = Simulazione::VettoreRpmIniziale(), vt = Simulazione::VettoreTinjIniziale();
    for (size_t i = 0; i < rpm.size(); ++i) ASSERT_EQ(rpm[i], static_cast<uint8_t>(vr[i])) << i;
    for (size_t i = 0; i < tinj.size(); ++i) ASSERT_EQ(tinj[i], static_cast<uint8_t>(vt[i])) << i;

    for (size_t i = 0; i < rpm.size(); ++i) rpm[i] = static_cast<uint8_t>(i);
    for (size_t i = 0; i < tinj.size(); ++i) tinj[i] = static_cast<uint8_t>(200 - i);
    ASSERT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, -1), 0);
    t = Trame(Giornale());
    ASSERT_EQ(t.size(), 4u);
    const uint8_t comandi[4] = {CMD_WRITE_VET_RPM, CMD_WRITE_VET_RPM, CMD_WRITE_VET_TINJ, CMD_WRITE_VET_TINJ};
    const int offset[4] = {0, 64, 0, 90}, quanti[4] = {64, 64, 90, 90};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t[i].Comando(), comandi[i]);
        EXPECT_EQ(t[i].DatiTrama().substr(0, 3), Testa(offset[i], quanti[i]));
        EXPECT_EQ(t[i].DatiTrama().size(), 3u + static_cast<size_t>(quanti[i]));
    }
    EXPECT_EQ(static_cast<uint8_t>(t[1].DatiTrama()[3]), 64);
    EXPECT_EQ(static_cast<uint8_t>(t[3].DatiTrama()[3]), 200 - 90);
    ModBlck::VettoreGiri r2{};
    ModBlck::VettoreTempi t2{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(r2, t2, 1), 0);
    EXPECT_EQ(r2, rpm);
    EXPECT_EQ(t2, tinj);
}

// Every failure is 4 (the failed first link-mode change included) and the saved mode goes back.
TEST_F(TrasferimentiVettori, GuastiDanno4) {
    struct Caso {
        const char* nome;
        int16_t scrivi;
        uint8_t manopola;
        int32_t valore;
        size_t trame; // ECU frames sent
    } casi[] = {
        {"modo iniziale fallito", -1, 5, 0, 0},
        {"seconda meta rpm in scrittura", -1, 5, 2, 2},
        {"meta corta in lettura", 0, 20, 1, 1},
        {"meta rifiutata in lettura", 0, 21, 1, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModBlck::VettoreGiri rpm{};
        rpm.fill(0x33);
        ModBlck::VettoreTempi tinj{};
        tinj.fill(0x44);
        Manopola(c.manopola, c.valore);
        EXPECT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, c.scrivi), 4);
        const auto g = Giornale();
        EXPECT_EQ(Trame(g).size(), c.trame);
        EXPECT_EQ(Modi(g).back(), ModoIniziale);
        EXPECT_EQ(rpm[0], 0x33);
        EXPECT_EQ(tinj[179], 0x44);
        Manopola(20, 0);
        Manopola(21, 0);
    }
}

// A half the ECU refuses (reply status not 0) fails the write with 4: nothing
// after it goes out, the mode goes back, the ECU keeps its vectors. Once the
// ECU accepts, the same vectors go in.
TEST_F(TrasferimentiVettori, MetaRifiutataEUnaScritturaFallita) {
    ModBlck::VettoreGiri ecuRpm{};
    ModBlck::VettoreTempi ecuTinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(ecuRpm, ecuTinj, 0), 0);
    ModBlck::VettoreGiri rpm{};
    ModBlck::VettoreTempi tinj{};
    for (size_t i = 0; i < rpm.size(); ++i) rpm[i] = static_cast<uint8_t>(ecuRpm[i] ^ 0x0F);
    for (size_t i = 0; i < tinj.size(); ++i) tinj[i] = static_cast<uint8_t>(ecuTinj[i] ^ 0xF0);
    Giornale();
    auto vettoriEcu = [this] {
        ModBlck::VettoreGiri r{};
        ModBlck::VettoreTempi t{};
        EXPECT_EQ(ModBlck::LeggiScriviVettori(r, t, 0), 0);
        Giornale();
        return std::make_pair(r, t);
    };

    Manopola(11, 0xFB);
    for (int volta = 0; volta < 2; ++volta) {
        EXPECT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, -1), 4);
        const auto g = Giornale();
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        const auto t = Trame(g);
        ASSERT_EQ(t.size(), 1u);
        // 41 02, L = 3 + 64 + 3, CMD_WRITE_VET_RPM, offset 0, 0, count 64, the bytes, XOR.
        EXPECT_EQ(t[0].dati.substr(0, 7), std::string("\x41\x02\x46\x4C\x00\x00\x40", 7));
        EXPECT_EQ(t[0].dati.substr(7, 64), std::string(rpm.begin(), rpm.begin() + 64));
        EXPECT_EQ(t[0].dati.size(), 72u);
        EXPECT_EQ(vettoriEcu(), std::make_pair(ecuRpm, ecuTinj));
    }

    Manopola(11, 0);
    ASSERT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, -1), 0);
    EXPECT_EQ(Trame(Giornale()).size(), 4u);
    EXPECT_EQ(vettoriEcu(), std::make_pair(rpm, tinj));
}

TEST_F(TrasferimentiVettori, QuattroTabelleSoloInsieme) {
    std::string b = "b", g = "g", r = "r", i = "i";
    ASSERT_EQ(ModBlck::LeggiTabelleMappetta(b, g, r, i), 0);
    auto giornale = Giornale();
    EXPECT_EQ(Modi(giornale), (std::vector<int>{2, ModoIniziale}));
    auto t = Trame(giornale);
    ASSERT_EQ(t.size(), 4u);
    const uint8_t comandi[4] = {CMD_READ_TBENZ, CMD_READ_TGAS, CMD_READ_TRISULT, CMD_READ_TISTO};
    const std::string* tabelle[4] = {&b, &g, &r, &i};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(t[k].Comando(), comandi[k]);
        EXPECT_TRUE(t[k].DatiTrama().empty());
        // The whole reply frame: 42 01 7D cmd 00, 121 data bytes, XOR.
        ASSERT_EQ(tabelle[k]->size(), 127u);
        EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(tabelle[k]->substr(0, 5)),
                  ModGlobFunct::ConvertiTestoInHex(std::string{'\x42', '\x01', '\x7D', static_cast<char>(comandi[k]), '\0'}));
        EXPECT_EQ(ModBlck::CalcolaXor(*tabelle[k]), 0);
    }

    // A failure on the third table leaves all four copies as they were.
    std::string b2 = "b", g2 = "g", r2 = "r", i2 = "i";
    GuastoDopo(3); // set mode, petrol, gas, then the result table fails
    EXPECT_NE(ModBlck::LeggiTabelleMappetta(b2, g2, r2, i2), 0);
    EXPECT_EQ(b2 + g2 + r2 + i2, "bgri");
    EXPECT_EQ(Modi(Giornale()).back(), 2);
    ASSERT_EQ(Invia(PIPE_SET_MODE, std::string(1, static_cast<char>(ModoIniziale))), 0);
    Manopola(21, 1); // a refused table is no table either
    EXPECT_EQ(ModBlck::LeggiTabelleMappetta(b2, g2, r2, i2), 3);
    EXPECT_EQ(b2 + g2 + r2 + i2, "bgri");
}

// Each reset clears its own table in the ECU and empties its raw copy.
TEST_F(TrasferimentiVettori, OgniAzzeramentoSvuotaLaSuaTabella) {
    struct Caso {
        int32_t (*azzera)();
        std::string* copia;
        size_t indice; // petrol, gas, result, histogram
        uint8_t comando;
    } casi[] = {
        {&ModBlck::AzzeraTBenz, &ModBlck::DatiGrezzi1B, 0, CMD_RESET_TBENZ},
        {&ModBlck::AzzeraTGas, &ModBlck::DatiGrezzi1C, 1, CMD_RESET_TGAS},
        {&ModBlck::AzzeraTRisult, &ModBlck::DatiGrezzi20, 2, CMD_WRITE_TRISULT},
        {&ModBlck::AzzeraTIsto, &ModBlck::DatiGrezzi1F, 3, CMD_RESET_TISTO},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.indice);
        std::string t[4];
        ASSERT_EQ(ModBlck::LeggiTabelleMappetta(t[0], t[1], t[2], t[3]), 0);
        Giornale();
        *c.copia = "vecchia";
        ASSERT_EQ(c.azzera(), 0);
        EXPECT_TRUE(c.copia->empty());
        const auto g = Giornale();
        EXPECT_TRUE(Modi(g).empty());
        ASSERT_EQ(Trame(g).size(), 1u);
        EXPECT_EQ(Trame(g)[0].Comando(), c.comando);
        EXPECT_EQ(Trame(g)[0].DatiTrama(), c.comando == CMD_WRITE_TRISULT ? std::string(120, '\0') : std::string());
        std::string dopo[4];
        ASSERT_EQ(ModBlck::LeggiTabelleMappetta(dopo[0], dopo[1], dopo[2], dopo[3]), 0);
        for (size_t k = 0; k < 4; ++k) {
            const bool vuota = dopo[k].substr(6, 120) == std::string(120, '\0');
            EXPECT_EQ(vuota, k == c.indice || t[k].substr(6, 120) == std::string(120, '\0')) << k;
        }
    }
    // A failed reset keeps the copy.
    ModBlck::DatiGrezzi1F = "vecchia";
    GuastoDopo(0);
    EXPECT_NE(ModBlck::AzzeraTIsto(), 0);
    EXPECT_EQ(ModBlck::DatiGrezzi1F, "vecchia");
    // So does a reset the ECU refuses.
    Manopola(11, 0xFB);
    for (const auto& c : casi) {
        *c.copia = "vecchia";
        EXPECT_NE(c.azzera(), 0) << c.indice;
        EXPECT_EQ(*c.copia, "vecchia");
    }
    Manopola(11, 0);
}
