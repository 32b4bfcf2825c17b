// The MEM10 log: lines, sequence check, cursor frames and the most frequent
// petrol count, from scripted buffers at scripted clock times.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "core/ModBlckSetCom.h"
#include "core/ModMainPercorsi.h"
#include "engine/MDIFrmMem10.h"
#include "link/ModBlckDatiLive.h"
#include "support/SupportoTest.h"

namespace {

class LogMem10 : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        percorso_ = ModMain::PercorsoMem10;
        tempoBlocco_ = ModBlck::TempoBlocco;
        ModBlck::LeggiSetCom(base.File("bin/SetCom.ini"));
        ModMain::PercorsoMem10 = base.File("bin/MEM10.txt");
        ModBlck::TempoBlocco = 15'000'000.0f; // 8 x factor / period(us) = rpm
        Azzera();
        for (size_t n = 0; n < rpm.size(); ++n) rpm[n] = static_cast<uint8_t>(n + 1);
        for (size_t n = 0; n < tinj.size(); ++n) tinj[n] = static_cast<uint8_t>(200 - n);
    }
    void TearDown() override {
        MDIFrm::FileMem10.close();
        Azzera();
        TabellaBlocchi = tabella_;
        ModMain::PercorsoMem10 = percorso_;
        ModBlck::TempoBlocco = tempoBlocco_;
    }
    static void Azzera() {
        MDIFrm::FileMem10.close();
        MDIFrm::NumeroFileMem10 = -1;
        MDIFrm::UltimoConsecutivoMem10 = -1;
        MDIFrm::UltimoValoreMem10 = -1;
        MDIFrm::RiavviaB10 = false;
        MDIFrm::BufferB10 = RecordBufferB10{};
    }
    static std::vector<int32_t>& V() { return TabellaBlocchi[21].Valori; }

    // Record 0: petrol 1200, 0, 0, 900; record 1: nothing, period 0; records
    // 2-9: petrol 1000, period 60000; gas 1100 on every record but 1.
    static void Buffer(int32_t consecutivo) {
        auto& v = V();
        std::fill(v.begin(), v.end(), 0);
        v[0] = 1200;
        v[3] = 900;
        v[40] = 120000;
        v[50] = 1100;
        for (size_t i = 2; i < 10; ++i) {
            v[4 * i] = 1000;
            v[40 + i] = 60000;
            v[50 + 3 * i] = 1100;
        }
        v[80] = consecutivo;
        v[81] = 1;
    }
    void Logga(double us) { MDIFrm::LoggaMEM10Al(us, rpm, tinj); }

    SupportoTest::CartellaBase base;
    std::array<uint8_t, 128> rpm{};
    std::array<uint8_t, 180> tinj{};

private:
    std::vector<BloccoParametri> tabella_;
    std::string percorso_;
    float tempoBlocco_ = 1.0f;
};

TEST_F(LogMem10, SequenzaScriptataCorrispondeAlFileAtteso) {
    ASSERT_GE(V().size(), 82u);
    Buffer(254);
    Logga(1'234'500.0); // 1234.5 ms rounds to even: 1234
    EXPECT_FALSE(MDIFrm::RiavviaB10);
    EXPECT_EQ(MDIFrm::BufferB10.Tempo, 1'234'500.0);
    Buffer(255);
    Logga(2'235'499.9);
    EXPECT_TRUE(MDIFrm::RiavviaB10);
    EXPECT_EQ(MDIFrm::BufferB10.Intervallo, 100);
    Buffer(0);
    Logga(3'236'000.0);
    // An empty buffer writes nothing and leaves the sequence memory alone, so 2 after 0 is out of order.
    std::fill(V().begin(), V().end(), 0);
    V()[80] = 1;
    Logga(3'500'000.0);
    EXPECT_EQ(MDIFrm::UltimoConsecutivoMem10, 0);
    Buffer(2);
    MDIFrm::RiavviaB10 = false;
    Logga(4'237'000.0);
    // Rejected: neither the frames nor their timing change.
    EXPECT_FALSE(MDIFrm::RiavviaB10);
    EXPECT_EQ(MDIFrm::BufferB10.Tempo, 3'236'000.0);
    MDIFrm::FileMem10.close();

    const auto atteso = SupportoTest::LeggiFile(
        (std::filesystem::path(MONDARO_SORGENTI) / "tests/engine/dati/Mem10Atteso.txt").string());
    const auto scritto = base.Leggi("bin/MEM10.txt");
    auto righe = [](const std::string& t) {
        std::vector<std::string> r;
        size_t p = 0;
        for (size_t q; (q = t.find("\r\n", p)) != std::string::npos; p = q + 2) r.push_back(t.substr(p, q - p));
        r.push_back(t.substr(p));
        return r;
    };
    const auto ra = righe(atteso), rs = righe(scritto);
    ASSERT_EQ(rs.size(), ra.size());
    for (size_t i = 0; i < ra.size(); ++i) EXPECT_EQ(rs[i], ra[i]) << "line " << i + 1;
}

TEST_F(LogMem10, CursoriDelBufferAccettato) {
    Buffer(7);
    Logga(1'000'000.0);
    const auto& b = MDIFrm::BufferB10;
    EXPECT_EQ(b.R[0], rpm[15]);   // (120,000,000 \ 120000) \ 64
    EXPECT_EQ(b.R[1], 0);         // no period
    EXPECT_EQ(b.R[2], rpm[31]);   // (120,000,000 \ 60000) \ 64
    EXPECT_EQ(b.T[0], tinj[9]);   // 1200 \ 128
    EXPECT_EQ(b.T[10], tinj[0]);  // no injection still takes entry 0
    EXPECT_EQ(b.T[30], tinj[7]);  // 900 \ 128
    EXPECT_EQ(b.G[0], 1100);
    EXPECT_EQ(b.G[1], 0);
    EXPECT_EQ(b.NB[0], 2);
    EXPECT_EQ(b.NB[1], 0);
    EXPECT_EQ(b.NG[2], 1);
    EXPECT_EQ(MDIFrm::UltimoValoreMem10, 1);

    // An injection time past the vector leaves its slot at 0.
    V()[4] = 180 * 128;
    V()[80] = 8;
    Logga(2'000'000.0);
    EXPECT_EQ(MDIFrm::BufferB10.T[1], 0);
}

TEST_F(LogMem10, ConsecutivoEValorePiuFrequente) {
    struct Caso {
        std::vector<int32_t> consecutivi;
        std::vector<bool> accettati;
    };
    const std::vector<Caso> casi = {
        {{254, 255, 0, 1}, {true, true, true, true}},
        {{5, 7, 8}, {true, false, true}},
        {{9, 9}, {true, false}},
    };
    for (const auto& c : casi) {
        Azzera();
        for (size_t k = 0; k < c.consecutivi.size(); ++k) {
            Buffer(c.consecutivi[k]);
            MDIFrm::BufferB10.NB.fill(-5);
            Logga(1e6 * static_cast<double>(k + 1));
            EXPECT_EQ(MDIFrm::BufferB10.NB[0] == 2, c.accettati[k]) << c.consecutivi[k];
        }
    }

    const std::vector<std::pair<std::array<int32_t, 10>, int32_t>> frequenze = {
        {{2, 2, 1, 1, 3, 1, 2, 1, 1, 2}, 1},
        {{2, 1, 2, 1, 2, 1, 2, 1, 2, 1}, 2},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 4}, 0},
    };
    for (const auto& [nb, atteso] : frequenze) {
        Buffer(0);
        for (size_t i = 0; i < 10; ++i)
            for (size_t j = 0; j < 4; ++j) V()[4 * i + j] = j < static_cast<size_t>(nb[i]) ? 500 : 0;
        V()[40] = 1; // keep the buffer non-empty
        Logga(5e6);
        EXPECT_EQ(MDIFrm::UltimoValoreMem10, atteso);
    }
}

TEST_F(LogMem10, CartellaMancantePerdeLeRigheMaNonIlResto) {
    ModMain::PercorsoMem10 = base.File("manca/MEM10.txt");
    Buffer(3);
    Logga(1e6);
    EXPECT_EQ(MDIFrm::NumeroFileMem10, 1);
    EXPECT_FALSE(MDIFrm::FileMem10.is_open());
    EXPECT_EQ(MDIFrm::UltimoConsecutivoMem10, 3);
    EXPECT_EQ(MDIFrm::UltimoValoreMem10, 1);
    // Not tried again during the run.
    std::filesystem::create_directories(base.File("manca"));
    Buffer(4);
    Logga(2e6);
    EXPECT_FALSE(MDIFrm::FileMem10.is_open());
}

} // namespace
