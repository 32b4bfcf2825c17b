// The simulated ECU's flash and boot loader, frame by frame.
#include <gtest/gtest.h>

#include "CentralinaSimulata.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"

namespace {

std::string PercorsoSetComFlash() { return std::string(MONDARO_SORGENTI) + "/data/bin/SetCom.ini"; }

std::string TramaFlash(uint8_t comando, const std::string& dati = {}) {
    return ModBlck::CostruisciTrama(0x41, 0x02, comando, dati);
}

std::string Scrittura(uint32_t a, char riempimento) {
    std::string d{'\0', static_cast<char>(a >> 16), static_cast<char>(a >> 8), static_cast<char>(a)};
    return TramaFlash(0x08, d + std::string(128, riempimento));
}

// Status byte of the reply, -1 without one.
int Stato(const std::string& r) { return r.size() > 5 ? static_cast<uint8_t>(r[4]) : -1; }

} // namespace

TEST(FlashSimulata, ProgrammaRiavviaERiportaIlNuovoRecord) {
    Simulazione::CentralinaSimulata ecu(PercorsoSetComFlash());
    const std::string id = TramaFlash(0x21);
    const std::string primo = ecu.Rispondi(id);
    ASSERT_EQ(primo.size(), 68u);
    EXPECT_EQ(ecu.flash.Record(), primo.substr(5, 38)); // the running firmware's record is in the flash

    // Programming commands need the boot loader.
    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x07))), 0xFE);
    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x06))), 0);
    EXPECT_TRUE(ecu.InBoot());
    // In boot: the erased-record frame of the new family, block 5, nothing else.
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(ecu.Rispondi(id).substr(0, 7)), "4201422100FFFF");
    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x30))), 0);
    EXPECT_TRUE(ecu.Rispondi(TramaFlash(0x0C)).empty());

    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x07))), 0);
    // A restart with an erased flash stays in the boot loader.
    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x0A))), 0);
    EXPECT_TRUE(ecu.InBoot());
    // Writes: in range and whole blocks only.
    EXPECT_EQ(Stato(ecu.Rispondi(Scrittura(0xFE0000, 'A'))), 0xFD);
    EXPECT_EQ(Stato(ecu.Rispondi(Scrittura(0xFFFFC0, 'A'))), 0xFD);
    EXPECT_EQ(Stato(ecu.Rispondi(Scrittura(0xFFE000, '\x07'))), 0);
    EXPECT_EQ(Stato(ecu.Rispondi(Scrittura(0xFFE080, 'B'))), 0);
    EXPECT_EQ(ecu.flash.blocchiScritti, 2);
    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x0A))), 0);
    EXPECT_FALSE(ecu.InBoot());
    const std::string dopo = ecu.Rispondi(id);
    ASSERT_EQ(dopo.size(), 68u);
    EXPECT_EQ(dopo.substr(5, 38), std::string(38, '\x07'));
    EXPECT_EQ(dopo.substr(43, 24), primo.substr(43, 24)); // the rest of the identification as before
    EXPECT_EQ(Stato(ecu.Rispondi(TramaFlash(0x0C))), 0);
}

TEST(FlashSimulata, ScritturaSenzaRispostaLasciaInBoot) {
    Simulazione::CentralinaSimulata ecu(PercorsoSetComFlash());
    ASSERT_TRUE(ecu.ImpostaManopolaFlash(Simulazione::MANOPOLA_ECU_FLASH_GUASTO, 1));
    ecu.Rispondi(TramaFlash(0x06));
    ecu.Rispondi(TramaFlash(0x07));
    EXPECT_EQ(Stato(ecu.Rispondi(Scrittura(0xFF0000, 'A'))), 0);
    EXPECT_TRUE(ecu.Rispondi(Scrittura(0xFF0080, 'A')).empty());
    EXPECT_EQ(Stato(ecu.Rispondi(Scrittura(0xFF0100, 'A'))), 0); // only one goes unanswered
    EXPECT_TRUE(ecu.InBoot());

    // The old family's boot frame is the short refusal.
    Simulazione::CentralinaSimulata vecchia(PercorsoSetComFlash());
    Simulazione::ScenarioSimulato s;
    s.hardware = 1;
    vecchia.ImpostaScenario(s);
    vecchia.Rispondi(TramaFlash(0x06));
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(vecchia.Rispondi(TramaFlash(0x21))), "420104211472");
}
