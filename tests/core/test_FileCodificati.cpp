// Plain and encoded text files: line splitting, the decoding of stored lines,
// the encoded-file check and the two readers.
#include <filesystem>
#include <gtest/gtest.h>

#include "../../tools/codifica/CodificaTesto.h"
#include "core/ClsLingue.h"
#include "core/ModBlckFile.h"
#include "core/ModMainDizionario.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

using ModBlck::DecodificaRiga;
using ModBlck::DividiRighe;
using Righe = std::vector<std::string>;

namespace {

class FileCodificatiTest : public ::testing::Test {
protected:
    void SetUp() override { Piattaforma::Copione::Azzera(); }
    std::string Scrivi(const std::string& nome, const std::string& byte) {
        base_.Scrivi("lng/" + nome, byte);
        return base_.File("lng/" + nome);
    }
    SupportoTest::CartellaBase base_{false};
};

std::string TuttiIByte() {
    std::string s;
    for (int i = 1; i < 256; ++i)
        if (i != '\r' && i != '\n') s += static_cast<char>(i);
    return s + '\0';
}

} // namespace

TEST(DividiRighe, SoloLaCoppiaCrLfSepara) {
    const std::pair<std::string, Righe> casi[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n", {"a", ""}},          // ending with the pair: a last, empty line
        {"\r\n\r\n", {"", "", ""}},
        {"a\rb\nc", {"a\rb\nc"}},      // a lone CR or LF stays in its line
        {"a\n\r\nb", {"a\n", "b"}},
        {"\r\r\n\n", {"\r", "\n"}},
        {" x \r\n\ty", {" x ", "\ty"}}, // not trimmed
    };
    for (const auto& [testo, righe] : casi) EXPECT_EQ(DividiRighe(testo), righe) << testo;
}

TEST(DecodificaRiga, GruppiDalFondo) {
    struct Caso {
        std::string riga;
        std::optional<std::string> verificata, libera;
    };
    const Caso casi[] = {
        {"891069104910", "abc", "abc"},                // the worked example
        {"", "", ""},
        {"21", "\x06", "\x06"},                        // a short group: 12 gives code 6
        {"214910", std::string("a\x06"), std::string("a\x06")}, // grouping starts at the end
        {"5910", "a", "a"},                            // 0195: odd numbers give the same code
        {"1150", "\xFF", "\xFF"},                      // 511, the highest
        {"2150", std::nullopt, std::nullopt},          // 512 is no character
        {"x910", std::nullopt, std::nullopt},          // not a number
        {"1-", std::nullopt, std::string(1, '\0')},    // -1: invalid for the check, code 0 when decoding
        {"0000", std::string(1, '\0'), std::string(1, '\0')},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.riga);
        EXPECT_EQ(DecodificaRiga(c.riga, true), c.verificata);
        EXPECT_EQ(DecodificaRiga(c.riga, false), c.libera);
    }
    EXPECT_EQ(DecodificaRiga(CodificaTesto::CodificaRiga(TuttiIByte()), true), TuttiIByte());
}

TEST_F(FileCodificatiTest, StessoTestoInChiaroECodificato) {
    const Righe casi[] = {
        {"[SEZ]", "riga due", "", "ultima"},
        {"una"},
        {"finisce con la coppia", ""},
        {""},
        {TuttiIByte(), " spazi  "},
    };
    for (const auto& righe : casi) {
        std::string chiaro;
        for (size_t i = 0; i < righe.size(); ++i) chiaro += (i ? "\r\n" : "") + righe[i];
        const auto pc = Scrivi("chiaro.txt", chiaro);
        const auto pk = Scrivi("codificato.txt", CodificaTesto::CodificaRighe(righe));
        SCOPED_TRACE(chiaro);

        EXPECT_FALSE(ModBlck::VerificaFileCodificato(pc));
        EXPECT_TRUE(ModBlck::VerificaFileCodificato(pk));
        EXPECT_EQ(ModBlck::LeggiFileCodificato(pk), righe);
        EXPECT_EQ(ModBlck::LeggiFileImpostazioni(pk), righe);
        if (!chiaro.empty()) {
            EXPECT_EQ(ModBlck::LeggiFileTesto(pc), righe);
            EXPECT_EQ(ModBlck::LeggiFileImpostazioni(pc), righe);
        }
    }
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(FileCodificatiTest, SoloIlMarcatoreConUnaRigaVuota) {
    const auto p = Scrivi("m.txt", CodificaTesto::CodificaRiga("GORVANTEX") + "\r\n");
    EXPECT_EQ(ModBlck::LeggiFileCodificato(p), Righe{""});
    const auto q = Scrivi("n.txt", CodificaTesto::CodificaRiga("GORVANTEX"));
    EXPECT_TRUE(ModBlck::VerificaFileCodificato(q));
    EXPECT_EQ(ModBlck::LeggiFileCodificato(q), Righe{});
}

TEST_F(FileCodificatiTest, MarcatoreSbagliatoSiLeggeInChiaro) {
    const std::string minuscolo = CodificaTesto::CodificaRiga("gorvantex") + "\r\n" + CodificaTesto::CodificaRiga("x");
    const auto p = Scrivi("min.txt", minuscolo);
    EXPECT_FALSE(ModBlck::VerificaFileCodificato(p));
    EXPECT_EQ(ModBlck::LeggiFileImpostazioni(p), DividiRighe(minuscolo));
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    // The decoding reader called anyway says so and gives no lines.
    EXPECT_EQ(ModBlck::LeggiFileCodificato(p), std::nullopt);
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo, "HEADER WRONG ");
    EXPECT_EQ(m[0].titolo, "FileExist");
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Informazione);
    EXPECT_EQ(m[0].pulsanti, Piattaforma::PulsantiMessaggio::Ok);
}

TEST_F(FileCodificatiTest, MarcatoreInChiaroRestaUnaRigaDiDati) {
    const auto p = Scrivi("d.txt", "GORVANTEX\r\n###\r\n#English&0");
    EXPECT_FALSE(ModBlck::VerificaFileCodificato(p));
    EXPECT_EQ(ModBlck::LeggiFileImpostazioni(p), (Righe{"GORVANTEX", "###", "#English&0"}));
}

TEST_F(FileCodificatiTest, FileMancanteVuotoOCartella) {
    for (const std::string& p : {base_.File("lng/manca.txt"), base_.File("lng"), std::string()}) {
        SCOPED_TRACE(p);
        EXPECT_FALSE(ModBlck::VerificaFileCodificato(p));
        EXPECT_EQ(ModBlck::LeggiFileCodificato(p), std::nullopt);
        EXPECT_EQ(ModBlck::LeggiFileTesto(p), std::nullopt);
        EXPECT_EQ(ModBlck::LeggiFileImpostazioni(p), std::nullopt);
    }
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    const auto vuoto = Scrivi("vuoto.txt", "");
    EXPECT_FALSE(ModBlck::VerificaFileCodificato(vuoto));
    EXPECT_EQ(ModBlck::LeggiFileTesto(vuoto), Righe{});
    EXPECT_EQ(ModBlck::LeggiFileImpostazioni(vuoto), Righe{});
}

TEST_F(FileCodificatiTest, RigaSuccessivaIndecifrabile) {
    const std::string testa = CodificaTesto::CodificaRiga("GORVANTEX") + "\r\n" + CodificaTesto::CodificaRiga("ok");
    for (const std::string& cattiva : {std::string("12a4"), std::string("2150"), std::string("0194\r")}) {
        SCOPED_TRACE(cattiva);
        const auto p = Scrivi("c.txt", testa + "\r\n" + cattiva);
        EXPECT_TRUE(ModBlck::VerificaFileCodificato(p)); // the check looks at the first line only
        EXPECT_EQ(ModBlck::LeggiFileCodificato(p), std::nullopt);
        EXPECT_EQ(ModBlck::LeggiFileImpostazioni(p), std::nullopt);
    }
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(FileCodificatiTest, PrimaRigaConGruppoNonValido) {
    // The check stops at the invalid group; the file is then plain text.
    const auto p = Scrivi("g.txt", CodificaTesto::CodificaRiga("GORVANTEX") + "x\r\nriga");
    EXPECT_FALSE(ModBlck::VerificaFileCodificato(p));
    EXPECT_EQ(ModBlck::LeggiFileImpostazioni(p)->at(1), "riga");
}

// A file past the readers' bound (here a sparse one, 100 MB long) is read as one
// that cannot be read, and one box names it, however many readers try it.
TEST_F(FileCodificatiTest, FileOltreIlLimiteNonSiLegge) {
    const auto p = Scrivi("grande.ini", "1\r\n");
    std::filesystem::resize_file(p, 100 << 20);
    EXPECT_FALSE(ModBlck::VerificaFileCodificato(p));
    EXPECT_EQ(ModBlck::LeggiFileImpostazioni(p), std::nullopt);
    EXPECT_EQ(ModBlck::LeggiFileTesto(p), std::nullopt);
    const auto messaggi = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(messaggi.size(), 1u);
    EXPECT_TRUE(messaggi[0].testo.contains(QString::fromStdString(p))) << messaggi[0].testo.toStdString();

    // Up to the bound it reads.
    std::filesystem::resize_file(p, ModBlck::DimensioneMassimaFile);
    const auto righe = ModBlck::LeggiFileTesto(p);
    ASSERT_TRUE(righe);
    EXPECT_EQ(righe->front(), "1");
    EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
}

// The box that refuses a file too large speaks the chosen language; with no
// dictionary it names the file and its bound alone.
TEST_F(FileCodificatiTest, FileOltreIlLimiteDettoNellaLinguaScelta) {
    SupportoTest::CartellaBase base;
    ClsLingue lingue;
    lingue.PathDizionario(base.File("lng/diz.diz"));
    lingue.PathAttualeLingua(base.File("lng/diz.con"));
    ASSERT_TRUE(lingue.LoadDizionario());
    ClsLingue* prima = ModMain::Dizionario;
    struct Caso {
        int16_t lingua; // -1: no dictionary
        QString testo;
    } casi[] = {
        {0, "File too large, not read:\r\n"},
        {1, "File troppo grande, non letto:\r\n"},
        {-1, ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.lingua);
        Piattaforma::Copione::Azzera();
        ModMain::Dizionario = c.lingua < 0 ? nullptr : &lingue;
        if (c.lingua >= 0) lingue.IdLingua(c.lingua);
        const auto p = Scrivi("grande" + std::to_string(c.lingua) + ".ini", "1\r\n");
        std::filesystem::resize_file(p, 100 << 20);
        EXPECT_EQ(ModBlck::LeggiFileTesto(p), std::nullopt);
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), 1u);
        const QString file = QString::fromStdString(p);
        EXPECT_EQ(m[0].testo, c.testo + file + " (> 16 MB)");
    }
    ModMain::Dizionario = prima;
}
