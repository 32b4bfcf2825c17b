// The configuration file format: sections and their order, line lengths, the
// whole-file and first-occurrence readers, notes that look like sections,
// and the safe write.
#include "FissaggioConfig.h"

#include <filesystem>

#include "config/ModMainSalvataggio.h"
#include "core/ModMainCaricatori.h"
#include "support/SupportoTest.h"

namespace {

using FC = FissaggioConfig;
namespace FCfg = FileConfigurazione;

std::vector<std::string> RigheDi(const std::string& testo) { return FCfg::Righe(testo); }

TEST(SezioniConfigurazione, OrdineENumero) {
    const auto estese = FCfg::Sezioni(true);
    ASSERT_EQ(estese.size(), 45u); // with "[INFO]" and "[NOTE]": 47
    EXPECT_EQ(estese.front(), "[FW]");
    EXPECT_EQ(estese.back(), "[OBD_INFO_ERR]");
    const auto dopo = [&](const std::string& s) {
        const auto i = std::find(estese.begin(), estese.end(), s);
        return i + 1 == estese.end() ? std::string() : *(i + 1);
    };
    EXPECT_EQ(dopo("[BLK_8]"), "[MAP_0]");
    EXPECT_EQ(dopo("[MAP_4]"), "[ADAT_0]");
    EXPECT_EQ(dopo("[MAPE_4]"), "[RIT_COM]");
    EXPECT_EQ(dopo("[FREEZE_FRAME]"), "[VET_RPM_0]");
    const auto corte = FCfg::Sezioni(false);
    EXPECT_EQ(corte.size(), 35u);
    EXPECT_EQ(std::find(corte.begin(), corte.end(), "[ADAT_0]"), corte.end());
}

TEST_F(FC, FileDallaMemoriaRigheELunghezze) {
    RiempiMemoria();
    for (const auto& [nota, righe] : std::initializer_list<std::pair<std::string, size_t>>{
             {"one line", 94}, {"", 94}, {"two\r\nlines", 95}}) {
        const std::string f = FCfg::ComponiFile("info", nota, ModMain::TrameDaMemoria(), true);
        const auto r = RigheDi(f);
        EXPECT_EQ(r.size(), righe) << nota;
        // Every line ends with CR LF: as many CR LF pairs as lines, no lone LF.
        size_t crlf = 0;
        for (size_t i = 0; (i = f.find("\r\n", i)) != std::string::npos; i += 2) ++crlf;
        EXPECT_EQ(crlf, righe) << nota;
        EXPECT_EQ(std::count(f.begin(), f.end(), '\n'), static_cast<long>(righe));
    }
    const std::string f = FCfg::ComponiFile("info", "note", ModMain::TrameDaMemoria(), true);
    const auto r = RigheDi(f);
    EXPECT_EQ(r[0], "[INFO]");
    EXPECT_EQ(r[2], "[NOTE]");
    EXPECT_EQ(r[3], "note");
    EXPECT_EQ(r[4], "[FW]");
    const auto valore = [&](const std::string& s) { return *(std::find(r.begin(), r.end(), s) + 1); };
    // 5 header bytes, 16 table bytes and the check byte.
    EXPECT_EQ(valore("[BLK_5]").size(), 44u);
    EXPECT_EQ(valore("[BLK_5]").substr(0, 10), "4201143100");
    EXPECT_EQ(valore("[MAP_0]").size(), 232u);
    EXPECT_EQ(valore("[MAP_4]").size(), 236u);
    EXPECT_EQ(valore("[MAP_4]").substr(0, 10), "4201741200");
    EXPECT_EQ(valore("[ADAT_2]").substr(0, 10), "4201721600");
    EXPECT_EQ(valore("[MAPE_1]").substr(0, 10), "4201727800");
    EXPECT_EQ(valore("[VET_RPM_1]").size(), 140u);
    EXPECT_EQ(valore("[VET_TINJ_0]").substr(0, 10), "42015E4E00");
    EXPECT_EQ(valore("[FW]").substr(0, 10), "42012A2100");
    // Upper-case hex and a check byte that makes every rebuilt frame XOR to 0.
    for (const char* s : {"[BLK_5]", "[MAP_3]", "[ADAT_4]", "[VET_TINJ_1]", "[FW]"}) {
        const std::string v = valore(s);
        EXPECT_EQ(v.find_first_not_of("0123456789ABCDEF"), std::string::npos) << s;
        EXPECT_EQ(ModBlck::CalcolaXor(ModGlobFunct::ConvertiHexInTesto(v)), 0) << s;
    }
}

TEST(LetturaSezioni, RegoleDelleRighe) {
    const std::vector<std::string> nomi = {"[BLK_2]", "[MAP_0]", "[BLK_DINST]", "[FW]"};
    struct Caso {
        const char* nome;
        std::vector<std::string> righe;
        std::map<std::string, std::string> atteso;
    } casi[] = {
        {"later occurrence wins", {"[BLK_2]", "AA", "[BLK_2]", "BB"}, {{"[BLK_2]", "BB"}}},
        {"case and trailing blanks differ", {"[blk_2]", "AA", "[BLK_2] ", "BB"}, {}},
        {"section on the last line", {"[BLK_2]"}, {}},
        {"value taken whatever it holds", {"[BLK_2]", "[MAP_0]", "CC"}, {{"[BLK_2]", "[MAP_0]"}}},
        // A note line that equals a section name is note, not a section.
        {"note lines skipped", {"[INFO]", "x", "[NOTE]", "[MAP_0]", "FFFF", "[BLK_DINST]", "[FW]", "42", "[MAP_0]", "DD"},
         {{"[FW]", "42"}, {"[MAP_0]", "DD"}}},
        {"note without a later [FW]: one line", {"[NOTE]", "[BLK_2]", "[BLK_2]", "EE"}, {{"[BLK_2]", "EE"}}},
    };
    for (const auto& c : casi) EXPECT_EQ(FCfg::LeggiSezioni(c.righe, nomi), c.atteso) << c.nome;
}

TEST(LetturaSezioni, TramaDaHex) {
    EXPECT_EQ(FCfg::TramaDaHex("42010521000a2E"), std::string("\x42\x01\x05\x21\x00\x0A\x2E", 7)); // lower case too
    EXPECT_FALSE(FCfg::TramaDaHex("4201052100"));   // shorter than a header and check byte
    EXPECT_FALSE(FCfg::TramaDaHex("42010521000G2E")); // not hex
    EXPECT_FALSE(FCfg::TramaDaHex(""));
    EXPECT_EQ(FCfg::DatiTrama(std::string("\x42\x01\x05\x21\x00\x0A\x2E", 7)), std::string("\x0A"));
    EXPECT_FALSE(FCfg::DatiTrama("\x42\x01"));
}

TEST(LetturaSezioni, PrimaOccorrenzaFuoriDallaNota) {
    SupportoTest::CartellaBase cartella(false);
    const std::string p = cartella.File("a.xsi");
    SupportoTest::ScriviFile(p, "[INFO]\r\ni\r\n[NOTE]\r\n[BLK_DINST]\r\nnote\r\n[FW]\r\n4201\r\n[BLK_DINST]\r\nAA\r\n"
                                "[BLK_DINST]\r\nBB\r\n[OBD_ERR]");
    std::string v;
    EXPECT_TRUE(ModMain::LeggiRigheFile(p, "[BLK_DINST]", v));
    EXPECT_EQ(v, "AA"); // the first occurrence outside the note
    EXPECT_FALSE(ModMain::LeggiRigheFile(p, "[OBD_ERR]", v));
    EXPECT_FALSE(ModMain::LeggiRigheFile(cartella.File("missing.xsi"), "[FW]", v));
}

TEST(ScritturaSicura, SostituisceOLasciaIlVecchio) {
    namespace fs = std::filesystem;
    SupportoTest::CartellaBase cartella(false);
    const std::string p = cartella.File("c.qdl");
    SupportoTest::ScriviFile(p, "old");
    EXPECT_TRUE(FCfg::ScriviFileSicuro(p, "new\r\n"));
    EXPECT_EQ(SupportoTest::LeggiFile(p), "new\r\n");
    // A folder that does not exist, a folder in place of the file, no name.
    EXPECT_FALSE(FCfg::ScriviFileSicuro(cartella.File("none/c.qdl"), "x"));
    fs::create_directory(cartella.File("d.qdl"));
    EXPECT_FALSE(FCfg::ScriviFileSicuro(cartella.File("d.qdl"), "x"));
    EXPECT_TRUE(fs::is_directory(cartella.File("d.qdl")));
    EXPECT_FALSE(FCfg::ScriviFileSicuro("", "x"));
    EXPECT_EQ(SupportoTest::LeggiFile(p), "new\r\n");
    // No temporary file is left behind.
    for (const auto& e : fs::directory_iterator(cartella.Percorso()))
        EXPECT_EQ(e.path().extension(), e.path().filename() == "c.qdl" || e.path().filename() == "d.qdl" ? ".qdl" : "")
            << e.path();
}

TEST(Blocco3, NormalizzazioneDeiCilindri) {
    std::string t(40, '\0');
    const int prima[] = {0, 2, 0, 5, 1, 0, 7, 0}; // positions 19..26
    for (int i = 0; i < 8; ++i) t[19 + i] = static_cast<char>(prima[i]);
    t.back() = '\x5A';
    const std::string n = FCfg::NormalizzaBlocco3(t);
    const int dopo[] = {0, 1, 0, 1, 1, 0, 1, 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(n[19 + i], dopo[i]) << i;
    EXPECT_EQ(n.back(), '\x5A'); // the check byte as sent
    EXPECT_EQ(FCfg::NormalizzaBlocco3(t.substr(0, 27)), t.substr(0, 27));
}

} // namespace
