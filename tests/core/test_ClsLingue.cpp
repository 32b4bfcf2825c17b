// The dictionary: loading plain and encoded files, the current-language file,
// lookups at their bounds and the editing members.
#include <gtest/gtest.h>

#include <filesystem>

#include "../../tools/codifica/CodificaTesto.h"
#include "core/ClsLingue.h"
#include "core/ModBlckFile.h"
#include "support/SupportoTest.h"

namespace {

class ClsLingueTest : public ::testing::Test {
protected:
    // Writes the dictionary (plain or encoded) and, unless nothing, diz.con;
    // then loads it.
    bool Carica(const std::string& diz, std::optional<std::string> con = std::string("0\r\n"),
                bool codificato = false) {
        base_.Scrivi("lng/diz.diz", codificato ? CodificaTesto::CodificaFile(diz) : diz);
        if (con) base_.Scrivi("lng/diz.con", *con);
        d_.PathDizionario(base_.File("lng/diz.diz"));
        d_.PathAttualeLingua(base_.File("lng/diz.con"));
        return d_.LoadDizionario();
    }
    std::vector<std::string> Voci(int16_t lingua) const {
        std::vector<std::string> v;
        for (int16_t i = 0; i <= d_.UboundVociLingua(lingua); ++i) v.push_back(d_.VoceDizionario(lingua, i));
        return v;
    }
    SupportoTest::CartellaBase base_{false};
    ClsLingue d_;
};

const std::string DueLingue =
    "###\r\n#English&0\r\nTitle\r\n[Frm_Logger]\r\nStart\r\n"
    "###\r\n#Italiano&0\r\nTitolo\r\n[Frm_Logger]\r\nAvvia\r\n";

} // namespace

TEST_F(ClsLingueTest, OggettoNuovo) {
    EXPECT_EQ(d_.UboundLingue(), 0);
    EXPECT_EQ(d_.UboundVoci(), 0);
    EXPECT_EQ(d_.VoceDizionario(0, 0), "");
    EXPECT_EQ(d_.CharsetLingua(0), 1);
}

TEST_F(ClsLingueTest, CaricaInChiaroECodificato) {
    for (bool codificato : {false, true}) {
        SCOPED_TRACE(codificato);
        // Two empty lines and the marker number nothing.
        ASSERT_TRUE(Carica("\r\n\r\nGORVANTEX\r\n###\r\n#Italiano&0\r\nuno\r\ndue\r\ntre", std::string("0\r\n"),
                           codificato));
        EXPECT_EQ(d_.UboundLingue(), 0);
        EXPECT_EQ(d_.NomeLingua(0), "Italiano");
        EXPECT_EQ(d_.CharsetLingua(0), 0);
        EXPECT_EQ(Voci(0), (std::vector<std::string>{"uno", "due", "tre"}));
        EXPECT_EQ(d_.UboundVoci(), 2);
    }
}

TEST_F(ClsLingueTest, LingueParallele) {
    ASSERT_TRUE(Carica("voce senza lingua\r\n" + DueLingue + "\r\n", std::string("1\r\n"), true));
    EXPECT_EQ(d_.UboundLingue(), 1);
    EXPECT_EQ(Voci(0), (std::vector<std::string>{"Title", "[Frm_Logger]", "Start"}));
    EXPECT_EQ(Voci(1), (std::vector<std::string>{"Titolo", "[Frm_Logger]", "Avvia"}));
    EXPECT_EQ(d_.IdLingua(), 1);
}

TEST_F(ClsLingueTest, RigheDelNome) {
    const struct {
        std::string riga;
        std::string nome;
        int16_t charset;
    } casi[] = {
        {"#Ellinika&161", "Ellinika", 161},
        {"#English", "English", 1},
        {"&204", "", 204},
        {"#English&", "English", 1},
        {"#Russkij&204&x", "Russkij", 204},
        {"#Strano&abc", "Strano", 1},
        {"#", "", 1},
        {"Senza", "", 1},
        {"", "", 1}, // an empty name line is still the name line
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.riga);
        Carica("###\r\n" + c.riga + "\r\nvoce\r\nx");
        EXPECT_EQ(d_.UboundLingue(), 0);
        EXPECT_EQ(d_.NomeLingua(0), c.nome);
        EXPECT_EQ(d_.CharsetLingua(0), c.charset);
        EXPECT_EQ(d_.VoceDizionario(0, 0), "voce");
    }
}

TEST_F(ClsLingueTest, InizioLinguaInFondoFermaLaLettura) {
    Carica("###\r\n#A&0\r\na\r\n###\r\n#B&0");
    EXPECT_EQ(d_.UboundLingue(), 0);
    EXPECT_EQ(d_.NomeLingua(1), "");
    Carica("###\r\n#A&0\r\na\r\n###");
    EXPECT_EQ(d_.UboundLingue(), 0);
    // Two lines after it are enough.
    Carica("###\r\n#A&0\r\na\r\n###\r\n#B&0\r\nb");
    EXPECT_EQ(d_.UboundLingue(), 1);
    EXPECT_EQ(d_.VoceDizionario(1, 0), "b");
}

TEST_F(ClsLingueTest, VociComeScritte) {
    Carica("###\r\n#A&0\r\n_BLANK_\r\n  spazi \r\n\r\nGORVANTEX\r\ndopo");
    EXPECT_EQ(Voci(0), (std::vector<std::string>{"_BLANK_", "  spazi ", "dopo"}));
}

TEST_F(ClsLingueTest, LinguaCorrenteOltreLUltimaTornaAZero) {
    Carica(DueLingue, std::string("5\r\n"));
    EXPECT_EQ(base_.Leggi("lng/diz.con"), "0\r\n");
    EXPECT_EQ(d_.IdLingua(), 0);
    Carica(DueLingue, std::string("-1\r\n"));
    EXPECT_EQ(d_.IdLingua(), -1); // not chosen yet: left for the language dialog
}

TEST_F(ClsLingueTest, FileLinguaCorrenteMancanteVieneCreato) {
    base_.Scrivi("lng/diz.diz", DueLingue);
    d_.PathDizionario(base_.File("lng/diz.diz"));
    d_.PathAttualeLingua(base_.File("lng/altrove.con"));
    d_.LoadDizionario();
    EXPECT_EQ(d_.PathAttualeLingua(), base_.File("lng/diz.con"));
    EXPECT_EQ(base_.Leggi("lng/diz.con"), "-1\r\n");
    EXPECT_EQ(d_.IdLingua(), -1);
}

TEST_F(ClsLingueTest, LetturaDellaLinguaCorrente) {
    Carica(DueLingue);
    const std::pair<std::string, int16_t> casi[] = {
        {"testo\r\n1\r\n", 1},
        {"\r\n 1 \r\n", 1},
        {"abc\n1", 1},       // any line ending
        {"70000\r\n1", 1},   // not a 16-bit number: not a language number
        {"", -1},
        {"nessuno\r\n", -1},
        {"1.5", 2},          // halves to even
        {std::string(300, ' ') + "\r\n1", 1},      // a long file is read to its end
        {std::string(70 * 1024, ' ') + "\r\n1", -1}, // past the bound: no choice
    };
    for (const auto& [testo, atteso] : casi) {
        base_.Scrivi("lng/diz.con", testo);
        EXPECT_EQ(d_.IdLingua(), atteso) << testo;
    }
    d_.IdLingua(1);
    EXPECT_EQ(base_.Leggi("lng/diz.con"), "1\r\n");
    // Every read follows the file.
    base_.Scrivi("lng/diz.con", "0");
    EXPECT_EQ(d_.IdLingua(), 0);
    std::filesystem::remove(base_.File("lng/diz.con"));
    EXPECT_EQ(d_.IdLingua(), -1);
    std::filesystem::create_directory(base_.File("lng/diz.con"));
    EXPECT_EQ(d_.IdLingua(), -1); // a folder in its place holds no choice
    std::filesystem::remove(base_.File("lng/diz.con"));
    d_.IdLingua(1); // a missing file is not created
    EXPECT_FALSE(std::filesystem::exists(base_.File("lng/diz.con")));
    // The choice holds for the session all the same, and says it was not saved.
    EXPECT_EQ(d_.IdLingua(), 1);
    EXPECT_FALSE(d_.LinguaSalvata());
    base_.Scrivi("lng/diz.con", "1\r\n");
    d_.IdLingua(0);
    EXPECT_TRUE(d_.LinguaSalvata());
    base_.Scrivi("lng/diz.con", "1");
    EXPECT_EQ(d_.IdLingua(), 1); // the file again
}

// A base folder that cannot be written (here the file's name is taken by a
// folder): the language picked holds for the session, its texts show.
TEST_F(ClsLingueTest, SceltaNonSalvabileValePerLaSessione) {
    base_.Scrivi("lng/diz.diz", DueLingue);
    std::filesystem::create_directories(base_.File("lng/diz.con"));
    d_.PathDizionario(base_.File("lng/diz.diz"));
    d_.PathAttualeLingua(base_.File("lng/diz.con"));
    d_.LoadDizionario();
    EXPECT_EQ(d_.IdLingua(), -1);
    d_.IdLingua(1);
    EXPECT_EQ(d_.IdLingua(), 1);
    EXPECT_FALSE(d_.LinguaSalvata());
    EXPECT_EQ(d_.VoceDizionario(d_.IdLingua(), 0), "Titolo");
}

TEST_F(ClsLingueTest, DizionarioMancante) {
    d_.PathDizionario(base_.File("lng/diz.diz"));
    d_.PathAttualeLingua(base_.File("lng/diz.con"));
    EXPECT_FALSE(d_.LoadDizionario());
    EXPECT_EQ(d_.UboundLingue(), -1);
    EXPECT_EQ(d_.VoceDizionario(0, 0), "");
    EXPECT_EQ(d_.IdLingua(), -1);
}

TEST_F(ClsLingueTest, LettureAiLimiti) {
    Carica(DueLingue);
    EXPECT_EQ(d_.VoceDizionario(1, 9999), "");
    EXPECT_EQ(d_.VoceDizionario(1, -1), "");
    EXPECT_EQ(d_.VoceDizionario(-1, 0), "");
    EXPECT_EQ(d_.VoceDizionario(2, 0), "");
    EXPECT_EQ(d_.CharsetLingua(-1), 1);
    EXPECT_EQ(d_.CharsetLingua(2), 1);
    EXPECT_EQ(d_.NomeLingua(-1), "");
    EXPECT_EQ(d_.UboundVociLingua(-1), -1);
    EXPECT_EQ(d_.UboundVociLingua(2), -1);
}

TEST_F(ClsLingueTest, ScritturaDiUnaVoce) {
    Carica(DueLingue);
    d_.VoceDizionario(1, 10, "dieci");
    EXPECT_EQ(d_.UboundVociLingua(1), 10);
    for (int16_t i = 3; i < 10; ++i) EXPECT_EQ(d_.VoceDizionario(1, i), "");
    EXPECT_EQ(d_.VoceDizionario(1, 10), "dieci");
    EXPECT_EQ(d_.UboundVoci(), 2); // language 0 untouched
    d_.VoceDizionario(1, 0, "Mondaro VX9 Redadi");
    EXPECT_EQ(d_.VoceDizionario(1, 0), "Mondaro VX9 Redadi");
    d_.VoceDizionario(-1, 0, "x");
    d_.VoceDizionario(2, 0, "x");
    d_.VoceDizionario(0, -1, "x");
    EXPECT_EQ(d_.UboundLingue(), 1);
    EXPECT_EQ(d_.UboundVoci(), 2);
}

TEST_F(ClsLingueTest, TroppeVociSiFermanoAlNumeroMassimo) {
    std::string diz = "###\r\n#A&0\r\n";
    for (int i = 0; i < 32800; ++i) diz += "v" + std::to_string(i) + "\r\n";
    Carica(diz);
    EXPECT_EQ(d_.UboundVoci(), 32767);
    EXPECT_EQ(d_.VoceDizionario(0, 32767), "v32767");
}

TEST_F(ClsLingueTest, SalvaERicarica) {
    Carica("###\r\n#English&161\r\nA\r\nB\r\n###\r\n#Italiano&0\r\nA1\r\nB1");
    d_.VoceDizionario(0, 3, "D");
    d_.SaveDizionario();
    EXPECT_EQ(base_.Leggi("lng/diz.diz"),
              "###\r\n#English\r\nA\r\nB\r\n_BLANK_\r\nD\r\n###\r\n#Italiano\r\nA1\r\nB1\r\n");
    ClsLingue r;
    r.PathDizionario(base_.File("lng/diz.diz"));
    r.PathAttualeLingua(base_.File("lng/diz.con"));
    r.LoadDizionario();
    EXPECT_EQ(r.CharsetLingua(0), 1); // the charset is not written
    EXPECT_EQ(r.VoceDizionario(0, 2), "_BLANK_");
    EXPECT_EQ(r.VoceDizionario(0, 3), "D");

    // Only an existing file is rewritten.
    ClsLingue s;
    s.PathDizionario(base_.File("lng/nuovo.diz"));
    s.SaveDizionario();
    EXPECT_FALSE(std::filesystem::exists(base_.File("lng/nuovo.diz")));
}

TEST_F(ClsLingueTest, NuovaEdEliminaVoce) {
    Carica(DueLingue);
    d_.NuovaVoce("ignorato", 1);
    EXPECT_EQ(Voci(0), (std::vector<std::string>{"Title", "", "[Frm_Logger]", "Start"}));
    EXPECT_EQ(Voci(1), (std::vector<std::string>{"Titolo", "", "[Frm_Logger]", "Avvia"}));
    d_.NuovaVoce("", 6);
    EXPECT_EQ(d_.UboundVoci(), 6);
    EXPECT_EQ(d_.VoceDizionario(0, 6), "");
    d_.EliminaVoce(0);
    EXPECT_EQ(Voci(1), (std::vector<std::string>{"", "[Frm_Logger]", "Avvia", "", "", "", ""}));
    d_.EliminaVoce(-1);
    d_.EliminaVoce(100);
    EXPECT_EQ(d_.UboundVociLingua(1), 6);
}

TEST_F(ClsLingueTest, NuovaEdEliminaLingua) {
    Carica(DueLingue);
    d_.NuovaLingua("#Italiano"); // exists: nothing
    d_.NuovaLingua("#Deutsch");
    EXPECT_EQ(d_.NomeLingua(2), "Deutsch");
    EXPECT_EQ(d_.UboundLingue(), 1); // the loaded count stays
    EXPECT_EQ(d_.UboundVociLingua(2), 0);
    d_.EliminaLingua(0);
    EXPECT_EQ(d_.NomeLingua(0), "Italiano");
    EXPECT_EQ(d_.NomeLingua(1), "Deutsch");
    EXPECT_EQ(d_.NomeLingua(2), "");
    d_.EliminaLingua(5);
    d_.EliminaLingua(0);
    d_.EliminaLingua(0);
    // No language left: every read answers empty.
    EXPECT_EQ(d_.UboundVoci(), -1);
    EXPECT_EQ(d_.VoceDizionario(0, 0), "");
    EXPECT_EQ(d_.CharsetLingua(0), 1);
    d_.NuovaLingua("#Nuova");
    EXPECT_EQ(d_.NomeLingua(0), "Nuova");
}
