// The index vectors and the working axes converted both ways, with refusals.
#include "maps/FissaggioMappe.h"
#include "maps/ModBlckAssi.h"

namespace {

class Assi : public FissaggioMappe {};

std::array<uint8_t, 128> VettoreRpmRegolare() {
    std::array<uint8_t, 128> v{};
    for (int i = 0; i < 128; ++i) v[i] = static_cast<uint8_t>(std::min(i / 4, 23));
    return v;
}

std::array<uint8_t, 180> VettoreTinjRegolare() {
    std::array<uint8_t, 180> v{};
    for (int i = 0; i < 180; ++i) v[i] = static_cast<uint8_t>(std::min(i / 5, 22));
    return v;
}

} // namespace

TEST_F(Assi, AndataERitornoRegolari) {
    auto rpm = VettoreRpmRegolare();
    auto tinj = VettoreTinjRegolare();
    ModBlck::AsseGiri asseRpm{};
    ModBlck::AsseTempi asseTinj{};
    ASSERT_EQ(ModBlck::ConvertiVettoriAssi(rpm, tinj, asseRpm, asseTinj, true), 0);
    for (int k = 0; k < 24; ++k) EXPECT_EQ(asseRpm[k], 4 * k);
    for (int k = 0; k < 23; ++k) EXPECT_EQ(asseTinj[k], 5 * k);
    std::array<uint8_t, 128> rpm2{};
    std::array<uint8_t, 180> tinj2{};
    ASSERT_EQ(ModBlck::ConvertiVettoriAssi(rpm2, tinj2, asseRpm, asseTinj, false), 0);
    EXPECT_EQ(rpm2, rpm);
    EXPECT_EQ(tinj2, tinj);
    EXPECT_EQ(rpm2[92], 23);
    EXPECT_EQ(rpm2[127], 23);
}

TEST_F(Assi, RifiutiLascianoTuttoComEra) {
    struct Caso {
        const char* nome;
        int posizione; // entry changed in the rpm (or, above 1000, tinj) vector
        uint8_t valore;
        int32_t stato;
    };
    // The regular rpm vector rises at 4, 8, ...; its entry 3 is 0.
    for (const Caso& c : {Caso{"inizia da 1", 0, 1, 1}, Caso{"salto", 4, 2, 1}, Caso{"discesa", 8, 0, 1},
                          Caso{"24 righe tempo", 1178, 23, 2}, Caso{"tempo da 1", 1000, 1, 2}}) {
        auto rpm = VettoreRpmRegolare();
        auto tinj = VettoreTinjRegolare();
        if (c.posizione >= 1000) tinj[c.posizione - 1000] = c.valore;
        else rpm[c.posizione] = c.valore;
        if (c.posizione == 0) rpm[1] = rpm[2] = rpm[3] = 1; // 1, 1, 1, 1, 1, ...
        ModBlck::AsseGiri asseRpm{};
        asseRpm.fill(9);
        ModBlck::AsseTempi asseTinj{};
        asseTinj.fill(9);
        EXPECT_EQ(ModBlck::ConvertiVettoriAssi(rpm, tinj, asseRpm, asseTinj, true), c.stato) << c.nome;
        EXPECT_EQ(asseRpm[5], 9) << c.nome;
        EXPECT_EQ(asseTinj[5], 9) << c.nome;
    }
    // An rpm vector reaching column 24 before its last entry.
    auto rpm = VettoreRpmRegolare();
    rpm[126] = 24;
    auto tinj = VettoreTinjRegolare();
    ModBlck::AsseGiri asseRpm{};
    ModBlck::AsseTempi asseTinj{};
    EXPECT_EQ(ModBlck::ConvertiVettoriAssi(rpm, tinj, asseRpm, asseTinj, true), 1);
}

TEST_F(Assi, UltimaVoceContaComeSalita) {
    // The only rise to column 23 at the very last entry: the axis gets it, so
    // it converts back to the same vector.
    std::array<uint8_t, 128> rpm{};
    for (int i = 0; i < 127; ++i) rpm[i] = static_cast<uint8_t>(std::min(i / 5, 22));
    rpm[127] = 23;
    auto tinj = VettoreTinjRegolare();
    ModBlck::AsseGiri asseRpm{};
    ModBlck::AsseTempi asseTinj{};
    ASSERT_EQ(ModBlck::ConvertiVettoriAssi(rpm, tinj, asseRpm, asseTinj, true), 0);
    EXPECT_EQ(asseRpm[23], 127);
    std::array<uint8_t, 128> ritorno{};
    std::array<uint8_t, 180> tinj2{};
    ASSERT_EQ(ModBlck::ConvertiVettoriAssi(ritorno, tinj2, asseRpm, asseTinj, false), 0);
    EXPECT_EQ(ritorno, rpm);
}

TEST_F(Assi, UltimaVoceNonControllata) {
    // The last entry (127, 179) is not held to the rules: whatever it holds
    // besides a rise by one, the vectors are accepted with the axes of the
    // entries before it, and no message is shown.
    struct Caso {
        bool giri;
        uint8_t ultima;
    };
    for (const Caso& c : {Caso{true, 0}, Caso{true, 22}, Caso{true, 24}, Caso{true, 255}, Caso{false, 0},
                          Caso{false, 21}, Caso{false, 23}, Caso{false, 255}}) {
        SCOPED_TRACE(std::string(c.giri ? "rpm " : "tinj ") + std::to_string(c.ultima));
        auto rpm = VettoreRpmRegolare();
        auto tinj = VettoreTinjRegolare();
        (c.giri ? rpm[127] : tinj[179]) = c.ultima;
        ModBlck::AsseGiri asseRpm{};
        ModBlck::AsseTempi asseTinj{};
        EXPECT_TRUE(ModBlck::CalcolaVettoriAssi(rpm, tinj, asseRpm, asseTinj, true));
        for (int k = 0; k < 24; ++k) EXPECT_EQ(asseRpm[k], 4 * k) << k;
        for (int k = 0; k < 23; ++k) EXPECT_EQ(asseTinj[k], 5 * k) << k;
    }
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(Assi, AssiNonValidiRifiutati) {
    struct Caso {
        const char* nome;
        bool giri;
        int punto;
        uint8_t valore;
        int32_t stato;
    };
    for (const Caso& c : {Caso{"rpm non da 0", true, 0, 1, 3}, Caso{"rpm uguali", true, 2, 4, 3},
                          Caso{"rpm 128", true, 23, 128, 3}, Caso{"tempo uguali", false, 2, 5, 4},
                          Caso{"tempo 180", false, 22, 180, 4}, Caso{"tempo non da 0", false, 0, 2, 4}}) {
        ModBlck::AsseGiri asseRpm{};
        ModBlck::AsseTempi asseTinj{};
        for (int k = 0; k < 24; ++k) asseRpm[k] = static_cast<uint8_t>(4 * k);
        for (int k = 0; k < 23; ++k) asseTinj[k] = static_cast<uint8_t>(5 * k);
        (c.giri ? asseRpm[c.punto] : asseTinj[c.punto]) = c.valore;
        std::array<uint8_t, 128> rpm{};
        rpm.fill(7);
        std::array<uint8_t, 180> tinj{};
        tinj.fill(7);
        EXPECT_EQ(ModBlck::ConvertiVettoriAssi(rpm, tinj, asseRpm, asseTinj, false), c.stato) << c.nome;
        EXPECT_EQ(rpm[0], 7) << c.nome;
        EXPECT_EQ(tinj[0], 7) << c.nome;
    }
}

TEST_F(Assi, RifiutoMostraLaVoceCritica) {
    auto rpm = VettoreRpmRegolare();
    rpm[0] = 1;
    auto tinj = VettoreTinjRegolare();
    ModBlck::AsseGiri asseRpm{};
    ModBlck::AsseTempi asseTinj{};
    EXPECT_FALSE(ModBlck::CalcolaVettoriAssi(rpm, tinj, asseRpm, asseTinj, true));
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Critica);
    for (int32_t s : {1, 2, 3, 4, 5}) EXPECT_EQ(ModBlck::VoceRifiutoAssi(s), s <= 4 ? 65 + s : 70);
}
