// Polling through the real companion: block 1 every cycle, block 2 on the
// cycle that finds the counter at 6, the block-12 streaming step on the cycle
// that finds it at 3, switched by block 2 value 2 bit 0x04.
#include "engine/FissaggioMotore.h"

namespace {

class Polling : public FissaggioMotore {
protected:
    void SetUp() override {
        FissaggioMotore::SetUp();
        Connetti();
    }
    // Block 2 value 2 in memory and in the simulated ECU.
    void OpzioneObd(bool attiva) {
        ASSERT_TRUE(LeggiBlocco(2));
        auto& v = TabellaBlocchi[2].Valori[2];
        v = attiva ? (v | 0x04) : (v & ~0x04);
        ASSERT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0);
    }
    // Runs one cycle and tells which of blocks 1, 2 and 12 were read.
    std::array<bool, 3> Ciclo() {
        for (size_t n : {1u, 2u, 12u}) TabellaBlocchi[n].UltimaRisposta.clear();
        MDIFrm::LeggiTempoReale();
        return {!TabellaBlocchi[1].UltimaRisposta.empty(), !TabellaBlocchi[2].UltimaRisposta.empty(),
                !TabellaBlocchi[12].UltimaRisposta.empty()};
    }
};

TEST_F(Polling, CadenzaDeiBlocchiDaAvvio) {
    OpzioneObd(true);
    std::vector<int> blocco2, blocco12;
    for (int c = 1; c <= 13; ++c) {
        const auto letti = Ciclo();
        EXPECT_TRUE(letti[0]) << "cycle " << c;
        if (letti[1]) blocco2.push_back(c);
        if (letti[2]) blocco12.push_back(c);
    }
    EXPECT_EQ(blocco2, (std::vector<int>{7, 13}));
    EXPECT_EQ(blocco12, (std::vector<int>{4, 10}));
    EXPECT_TRUE(TabellaBlocchi[12].Streaming);
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(Polling, StreamingDelBlocco12) {
    struct Caso {
        bool opzione, streamingPrima, streamingDopo, letto12;
    };
    const Caso casi[] = {
        {true, false, true, true},   // start sent, then read
        {true, true, true, true},    // already on: only read
        {false, true, false, false}, // stop sent, nothing read
        {false, false, false, false},
    };
    for (const auto& c : casi) {
        OpzioneObd(c.opzione);
        TabellaBlocchi[12].Streaming = c.streamingPrima;
        MDIFrm::ContatoreCicli = 3;
        const auto letti = Ciclo();
        EXPECT_EQ(TabellaBlocchi[12].Streaming, c.streamingDopo) << c.opzione << c.streamingPrima;
        EXPECT_EQ(letti[2], c.letto12) << c.opzione << c.streamingPrima;
        EXPECT_EQ(MDIFrm::ContatoreCicli, 4);
    }
}

TEST_F(Polling, Mem10SpentoNonLeggeIlBlocco21) {
    ModMain::LogMem10Richiesto = false;
    ModMain::Mem10Disponibile = true;
    TabellaBlocchi[21].UltimaRisposta.clear();
    for (int c = 0; c < 3; ++c) MDIFrm::LeggiTempoReale();
    EXPECT_TRUE(TabellaBlocchi[21].UltimaRisposta.empty());
    EXPECT_EQ(MDIFrm::NumeroFileMem10, -1);
}

// A read the ECU leaves unanswered keeps the block's last reply and values:
// nothing empty is stored, decoded or logged in their place.
TEST_F(Polling, LetturaSenzaRispostaTieneLUltimaRisposta) {
    struct Caso {
        size_t blocco;
        uint8_t comando;
    } casi[] = {{1, 0x0C}, {2, 0x0D}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.blocco);
        ASSERT_TRUE(LeggiBlocco(c.blocco));
        const std::string risposta = TabellaBlocchi[c.blocco].UltimaRisposta;
        const auto valori = TabellaBlocchi[c.blocco].Valori;
        MDIFrm::ContatoreCicli = 6; // this cycle reads block 2 too
        Manopola(15, c.comando);
        MDIFrm::LeggiTempoReale();
        EXPECT_EQ(TabellaBlocchi[c.blocco].UltimaRisposta, risposta);
        EXPECT_EQ(TabellaBlocchi[c.blocco].Valori, valori);
    }
}

} // namespace
