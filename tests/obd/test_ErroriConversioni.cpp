// The error page's screen-free rules: entry parsing, state texts, the option
// toggles, the service times and the interval lists.
#include <gtest/gtest.h>

#include "core/ClsLingue.h"
#include "obd/ErroriConversioni.h"

namespace EC = ErroriConversioni;

TEST(ErroriConversioni, VoceScompostaInDescrizioneEStati) {
    struct Caso {
        const char* voce;
        const char* descrizione;
        const char* s0;
        const char* s1;
        const char* s2;
    } casi[] = {
        {"  Gas pressure ?OK|Fault|Int", "Gas pressure", "OK", "Fault", "Int"},
        {"Sensor? OK | bad |x|extra", "Sensor", " OK ", " bad ", "x"},
        {"Sensor?OK|Fault?ignored", "Sensor", "OK", "Fault", ""},
        {"No states", "No states", "", "", ""},
        {"?OK|Fault|Int", "", "OK", "Fault", "Int"},
        {"", "", "", "", ""},
    };
    for (const auto& c : casi) {
        const auto v = EC::ScomponiVoceErrore(c.voce);
        EXPECT_EQ(v.Descrizione, c.descrizione) << c.voce;
        EXPECT_EQ(v.Stato0, c.s0) << c.voce;
        EXPECT_EQ(v.Stato1, c.s1) << c.voce;
        EXPECT_EQ(v.Stato2, c.s2) << c.voce;
    }
}

TEST(ErroriConversioni, TestoDelloStatoERigaIniettore) {
    const EC::VoceErrore v{"d", "OK", "Fault", "Int"};
    struct Caso {
        int32_t riga, valore;
        const char* atteso;
    } casi[] = {
        {1, 0, "OK"}, {1, 1, "Fault"}, {1, 2, "Int"}, {1, 3, "OK"}, {1, -1, "OK"},
        {21, 3, " Inj 3Fault"}, {21, 1, " Inj 1Fault"}, {21, 8, " Inj 8Fault"},
        {21, 9, "OK"}, {21, 0, "OK"}, {21, -2, "OK"}, {22, 3, "OK"},
    };
    for (const auto& c : casi) EXPECT_EQ(EC::TestoStato(c.riga, c.valore, v), c.atteso) << c.riga << " " << c.valore;
    EXPECT_EQ(EC::EtichettaErrore(1), "Err 00");
    EXPECT_EQ(EC::EtichettaErrore(21), "Err 20");
    EXPECT_EQ(EC::EtichettaErrore(32), "Err 31");
}

TEST(ErroriConversioni, CommutazioneOpzioni) {
    struct Caso {
        int32_t parola, colonna, attesa;
    } casi[] = {
        {0x00, 8, 0x01}, {0x01, 8, 0x00}, {0x03, 8, 0x00}, {0x02, 8, 0x01},
        {0x00, 7, 0x03}, {0x03, 7, 0x01}, {0x01, 7, 0x03}, {0x02, 7, 0x00},
        {0xF0, 8, 0xF1}, {0xF3, 7, 0xF1}, {0x05, 1, 0x05},
    };
    for (const auto& c : casi) EXPECT_EQ(EC::CommutaOpzione(c.parola, c.colonna), c.attesa) << c.parola << " " << c.colonna;
}

TEST(ErroriConversioni, FormatiDelTempo) {
    EXPECT_EQ(EC::TestoOre(12, 5), " 12.05");
    EXPECT_EQ(EC::TestoOre(12, 75), " 13.15");
    EXPECT_EQ(EC::TestoOre(0, 0), " 0.00");
    EXPECT_EQ(EC::TestoOre(65535, 59), " 65535.59");

    struct Caso {
        int32_t w9, w7, w10;
        const char* testo;
        bool spento, scaduto;
    } casi[] = {
        {0, 50, 10, " - - ", true, false},
        {100, 99, 30, " 0.30", false, false},
        {100, 100, 30, " - 0.30", false, true},
        {100, 100, 0, " 0.00", false, false},
        {100, 98, 25, " 1.35", false, false},
        {10, 200, 0, " - 190.00", false, true},
    };
    for (const auto& c : casi) {
        const auto t = EC::CalcolaTempoServizio(c.w9, c.w7, c.w10);
        EXPECT_EQ(t.Testo, c.testo) << c.w9 << " " << c.w7 << " " << c.w10;
        EXPECT_EQ(t.Spento, c.spento);
        EXPECT_EQ(t.Scaduto, c.scaduto);
    }
}

TEST(ErroriConversioni, ValoriEPosizioniDegliIntervalli) {
    EXPECT_EQ(EC::ValoreIntervallo(0, "Off"), 32768);
    EXPECT_EQ(EC::ValoreIntervallo(3, "500"), 500 + 32768);
    EXPECT_EQ(EC::ValoreIntervallo(3, " 500 "), 500 + 32768);
    for (const char* t : {"12.5", "abc", "", "-5", "40000", "1e3"}) EXPECT_FALSE(EC::ValoreIntervallo(2, t)) << t;
    EXPECT_FALSE(EC::ValoreIntervallo(-1, "500"));

    const std::vector<std::string> voci{"Off", "50", "100", "100", "500"};
    EXPECT_EQ(EC::PosizioneIntervallo(voci, 0), 0);
    EXPECT_EQ(EC::PosizioneIntervallo(voci, 100), 3); // the last match
    EXPECT_EQ(EC::PosizioneIntervallo(voci, 500), 4);
    EXPECT_FALSE(EC::PosizioneIntervallo(voci, 100 + 32768));
    EXPECT_FALSE(EC::PosizioneIntervallo({}, 0));
}

TEST(ErroriConversioni, SezioneErroriDelDizionario) {
    auto voci = [](const std::vector<std::string>& testi) {
        ClsLingue d;
        for (size_t i = 0; i < testi.size(); ++i) {
            d.NuovaVoce("", static_cast<int16_t>(i));
            d.VoceDizionario(0, static_cast<int16_t>(i), testi[i]);
        }
        return EC::VociErrori(d, 0);
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(voci({"x", "[ERROR_ECU_max_255]", "a?1", "b?2", "[END_ERROR_ECU]", "y"}), (V{"a?1", "b?2"}));
    // The last occurrence of a marker counts.
    EXPECT_EQ(voci({"[ERROR_ECU_max_255]", "old", "[ERROR_ECU_max_255]", "new", "[END_ERROR_ECU]"}), (V{"new"}));
    EXPECT_EQ(voci({"[ERROR_ECU_max_255]", "[END_ERROR_ECU]"}), V{});
    EXPECT_FALSE(voci({"[ERROR_ECU_max_255]", "a"}));
    EXPECT_FALSE(voci({"a", "[END_ERROR_ECU]"}));
    EXPECT_FALSE(voci({"[END_ERROR_ECU]", "a", "[ERROR_ECU_max_255]"}));
}
