// The screen-free rules of the management and sensors pages, as tables.
#include <gtest/gtest.h>

#include "settings/GestioneRegole.h"
#include "settings/SensoriRegole.h"

namespace {

namespace R = GestioneRegole;
namespace S = SensoriRegole;

TEST(RegoleGestione, SelezioneEValoriSalvati) {
    EXPECT_TRUE(R::GiriDa(2500, 25));
    EXPECT_FALSE(R::GiriDa(2550, 25));
    EXPECT_TRUE(R::GiriFine(2550, 25));
    EXPECT_TRUE(R::TempoInjBen(2500, 9));  // 9.77 truncated
    EXPECT_TRUE(R::Passi32(512, 16));
    EXPECT_TRUE(R::MinOn(1000, 700));
    EXPECT_FALSE(R::MinOn(500, 700));
    EXPECT_TRUE(R::GiriMinimo(1500, 30));
    EXPECT_TRUE(R::GiriA(1649, 32));
    EXPECT_EQ(R::IndiceSogliaUscita(999), 49);
    EXPECT_EQ(R::IndiceSogliaUscita(-19), 0);

    EXPECT_EQ(R::ByteCentinaia(2599), std::optional<uint8_t>(25));
    EXPECT_EQ(R::ByteCentinaia(25600), std::nullopt);
    EXPECT_EQ(R::ByteMillesimi(2500, 256), std::optional<uint8_t>(9));
    EXPECT_EQ(R::ByteMillesimi(65536, 256), std::nullopt);
    EXPECT_EQ(R::ByteGiriMinimo(12550), (std::optional<std::pair<uint8_t, uint8_t>>({251, 255})));
    EXPECT_EQ(R::ByteGiriMinimo(12600), std::nullopt);
    struct CasoA {
        double v;
        uint8_t byte6;
        std::optional<uint8_t> atteso;
        bool corretto;
    };
    for (const CasoA& c : {CasoA{1600, 30, 34, true}, CasoA{1700, 30, 34, false}, CasoA{2000, 30, 40, false},
                           CasoA{1000, 252, std::nullopt, false}, CasoA{12800, 0, std::nullopt, false}}) {
        const auto e = R::ByteGiriA(c.v, c.byte6);
        ASSERT_EQ(e.has_value(), c.atteso.has_value()) << c.v;
        if (e) {
            EXPECT_EQ(e->byte7, *c.atteso);
            EXPECT_EQ(e->corretto, c.corretto);
        }
    }
    EXPECT_EQ(R::MinOnMicrosecondi(1500), 1496);
    EXPECT_EQ(R::ByteOpzione(0xAF, 0xC0, 0), 0x2F);
    EXPECT_EQ(R::ByteOpzione(0x0F, 0xC0, 2), 0x8F);
    EXPECT_EQ(R::ByteOpzione(0xFF, 0x30, 1), 0xDF);
}

TEST(RegoleGestione, IsteresiELampade) {
    std::vector<int32_t> voci;
    for (int k = 0; k <= 50; ++k) voci.push_back(k * 96);
    EXPECT_EQ(R::IsteresiLimitata(10, 4800, voci), std::optional<int32_t>(2496));
    EXPECT_EQ(R::IsteresiLimitata(10, 2400, voci), std::nullopt);
    EXPECT_EQ(R::IsteresiLimitata(0, 4800, voci), std::nullopt); // step 0 is never written
    EXPECT_EQ(R::IsteresiLimitata(25, 9999, voci), std::nullopt); // no step above the threshold: g = 0
    const auto l = R::Lampade(0x20, std::nullopt, 0x40, std::nullopt);
    EXPECT_FALSE(l[0].has_value()); // its live value is missing: left as it is
    ASSERT_TRUE(l[1].has_value());
    EXPECT_FALSE(l[1]->mostra);
    EXPECT_FALSE(l[3].has_value());
}

TEST(RegoleSensori, SelezioneModificheELivello) {
    const std::vector<std::optional<double>> pressioni{0.5, 0.8, 1.0};
    EXPECT_EQ(S::IndiceSwtchBar(pressioni, 700), 1);
    EXPECT_EQ(S::IndiceSwtchBar(pressioni, 1200), -1);
    EXPECT_EQ(S::IndiceSwtchDelay({1.0, 2.5}, 2500), 1);
    EXPECT_EQ(S::IndiceTempSens({0, 1, 2}, {3, 7, 7}, 7), 2); // a later match replaces an earlier one
    EXPECT_EQ(S::IndiceTempSensRidotto(2), std::nullopt);
    EXPECT_EQ(S::IndiceTempSensRidotto(-1), std::optional<int>(-1));
    const std::vector<std::optional<double>> minime{std::nullopt, -10, 0, 10};
    EXPECT_EQ(S::IndiceMinTemp(minime, 0, 10), 0);
    EXPECT_EQ(S::IndiceMinTemp(minime, 2, 10), 3);
    EXPECT_EQ(S::IndiceMinTemp(minime, 2, 5), -1);
    EXPECT_EQ(S::Millesimi(2.5), std::optional<int32_t>(2500));
    EXPECT_EQ(S::Millesimi(std::nullopt), std::nullopt);
    EXPECT_EQ(S::ModificaMinTemp({std::nullopt, std::nullopt}, 0), std::nullopt); // a non-numeric item is not written

    EXPECT_EQ(S::LimitaSoglia({800, 850, 600, 200}, 1, false), 800);
    EXPECT_EQ(S::LimitaSoglia({800, 500, 600, 200}, 1, false), 600);
    EXPECT_EQ(S::LimitaSoglia({200, 100, 600, 800}, 1, true), 200);
    EXPECT_EQ(S::IndiceRiga(0, false), 31);
    EXPECT_EQ(S::IndiceRiga(0, true), 28);
    EXPECT_EQ(S::Volt(512, 2, ','), "2,5");
    EXPECT_EQ(S::Volt(1023, 3, '.'), "4.995");
}

} // namespace
