// What the archive page decides without a screen: names and their fields,
// the key filter, the makers list, the note previews, the mode buttons and
// the folder listings.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/ArchivioRegole.h"
#include "support/SupportoTest.h"

namespace {

namespace AR = ArchivioRegole;
using Campi = std::array<std::string, 4>;

TEST(ArchivioRegole, NomeComposto) {
    struct Caso {
        const char *costruttore, *modello, *cilindri, *id, *nome;
    };
    const Caso casi[] = {
        {"AB", "C", "4", "", "AB_C_4_.qdl"},
        // Only the joined text is trimmed: inner blanks stay.
        {" AB", "C", "", "x ", "AB_C__x.qdl"},
        {"AB ", "C", "", "", "AB _C__.qdl"},
        {"FIAT", "Punto 1.2", "4", "7", "FIAT_Punto 1.2_4_7.qdl"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(AR::NomeArchivio(c.costruttore, c.modello, c.cilindri, c.id, "qdl"), c.nome) << c.nome;
}

TEST(ArchivioRegole, CampiRilettiDalNome) {
    struct Caso {
        const char* nome;
        bool togli;
        Campi campi;
    };
    const Caso casi[] = {
        {"AB_C_4_.qdl", true, {"AB", "C", "4", ""}},
        {"A_B_C_D_E.qdl", true, {"A", "B", "C", "D"}}, // past the fourth field dropped
        {"X.qdl", true, {"X", "", "", ""}},
        {"ab.q", true, {"ab.q", "", "", ""}},          // 4 characters: nothing dropped
        {"AB_C_4_", false, {"AB", "C", "4", ""}},      // save mode: the stored name as is
        {"", false, {"", "", "", ""}},
    };
    for (const auto& c : casi) EXPECT_EQ(AR::CampiNome(c.nome, c.togli), c.campi) << c.nome;
    // Round trip of a composed name.
    EXPECT_EQ(AR::CampiNome(AR::NomeArchivio("AB", "C", "4", "", "qdl"), true), (Campi{"AB", "C", "4", ""}));
}

TEST(ArchivioRegole, FiltroTasti) {
    for (int c : {8, 32, int('0'), int('9'), int('A'), int('Z'), int('a'), int('z'), 96}) EXPECT_TRUE(AR::CarattereConsentito(c)) << c;
    for (int c : {int('_'), int('.'), int('-'), int('/'), int('\\'), int(':'), int('*'), int('?'), 13, 27, 127, 0xE8})
        EXPECT_FALSE(AR::CarattereConsentito(c)) << c;
    EXPECT_EQ(AR::FiltraCarattere('_'), 27);
    EXPECT_EQ(AR::FiltraCarattere('k'), 'k');
}

TEST(ArchivioRegole, FileSoloNellaCartella) {
    SupportoTest::CartellaBase base(false);
    const std::string dati = base.File("Data/");
    std::filesystem::create_directories(dati);
    struct Caso {
        std::string nome;
        bool dentro;
    } const casi[] = {
        {"FIAT_Punto_4_.qdl", true}, {"..qdl", true},         {"a b`c.qdl", true},
        {"../x_M_4_y.qdl", false},   {"../../x.qdl", false},  {"sub/x.qdl", false},
        {"./../Data/x.qdl", true},   {"..", false},           {"", false},
    };
    for (const auto& c : casi) EXPECT_EQ(AR::FileNellaCartella(dati, dati + c.nome), c.dentro) << c.nome;
    EXPECT_TRUE(AR::FileNellaCartella(base.File("Data"), dati + "x.qdl")); // without the last separator
}

TEST(ArchivioRegole, CostruttoriInMaiuscolo) {
    EXPECT_EQ(AR::DividiCostruttori("Fiat\r\nalfa romeo\r\n"), (std::vector<std::string>{"FIAT", "ALFA ROMEO", ""}));
    EXPECT_EQ(AR::DividiCostruttori("AUDI"), (std::vector<std::string>{"AUDI"}));
    EXPECT_TRUE(AR::DividiCostruttori("").empty());
    // Latin-1 lower-case letters too (Windows-1252 file).
    EXPECT_EQ(AR::DividiCostruttori("citro\xEBn"), (std::vector<std::string>{"CITRO\xCBN"}));
}

TEST(ArchivioRegole, AnteprimeNota) {
    using R = std::vector<std::string>;
    const R tre = {"[INFO]", "x", "[NOTE]", "uno", "due", "tre", "[FW]", "4201"};
    EXPECT_EQ(AR::NotaArchivio(tre), "uno\r\ndue\r\ntre");
    EXPECT_EQ(AR::NotaPredefinita(tre), "uno");
    EXPECT_EQ(AR::NotaArchivio(R{"[NOTE]", "uno", "[due", "tre"}), "uno");
    EXPECT_EQ(AR::NotaArchivio(R{"[NOTE]", "uno", "", "tre"}), "uno\r\n\r\ntre");
    // The file's last line belongs to the note too.
    EXPECT_EQ(AR::NotaArchivio(R{"[NOTE]", "uno", "due"}), "uno\r\ndue");
    for (const R& r : {R{"[INFO]", "x"}, R{"[NOTE]"}, R{}, R{"[note]", "x"}}) {
        EXPECT_EQ(AR::NotaArchivio(r), "");
        EXPECT_EQ(AR::NotaPredefinita(r), "");
    }
}

TEST(ArchivioRegole, PulsantiModalita) {
    using S = AR::StatoModalita;
    struct Caso {
        int n;
        S prima, dopo;
    };
    const Caso casi[] = {
        {0, {true, false, false}, {false, false, false}}, {0, {false, true, false}, {false, true, false}},
        {1, {false, true, true}, {true, false, false}},   {2, {true, true, false}, {true, false, false}},
        {3, {true, false, true}, {false, true, false}},   {4, {true, false, true}, {true, false, false}},
        {5, {true, true, false}, {false, false, true}},   {9, {false, false, true}, {true, false, false}},
        {-1, {}, {true, false, false}},
    };
    for (const auto& c : casi) EXPECT_EQ(AR::ApplicaModalita(c.n, c.prima), c.dopo) << c.n;
    EXPECT_TRUE(AR::FrameArchivioVisibili({false, true, false}));
    EXPECT_FALSE(AR::FrameArchivioVisibili({false, false, true}));
    EXPECT_TRUE(AR::FormeVisibili({false, false, true}));
    EXPECT_FALSE(AR::FormeVisibili({}));
}

TEST(ArchivioRegole, ElencoPerInizioSenzaMaiuscole) {
    SupportoTest::CartellaBase base(false);
    for (const char* f : {"Fiat_Punto_4_.qdl", "fiat_panda__.QDL", "Alfa_Mito__.qdl", "Fiat.txt", "FIAT_x.qdl.bak", "fi.qdl"})
        base.Scrivi(std::string("Data/") + f, "x");
    std::filesystem::create_directories(base.File("Data/fiat_cartella.qdl"));
    const std::string cartella = base.File("Data/");
    EXPECT_EQ(AR::ElencaFile(cartella, "fi", "qdl"),
              (std::vector<std::string>{"fi.qdl", "fiat_panda__.QDL", "Fiat_Punto_4_.qdl"}));
    EXPECT_EQ(AR::ElencaFile(cartella, "FIAT_P", "qdl"),
              (std::vector<std::string>{"fiat_panda__.QDL", "Fiat_Punto_4_.qdl"}));
    EXPECT_EQ(AR::ElencaFile(cartella, "", "qdl").size(), 4u);
    EXPECT_TRUE(AR::ElencaFile(cartella, "x", "qdl").empty());
    EXPECT_TRUE(AR::ElencaFile(base.File("manca/"), "", "qdl").empty());
    EXPECT_EQ(AR::NomiSenzaEstensione({"01 A.xsi", "B.xsi"}), (std::vector<std::string>{"01 A", "B"}));
}

TEST(ArchivioRegole, RigaDelSistemaScelto) {
    struct Caso {
        int indice, voci, riga;
    };
    for (const Caso c : {Caso{2, 3, 2}, Caso{0, 3, 0}, Caso{5, 3, -1}, Caso{3, 3, -1}, Caso{-1, 3, -1}, Caso{0, 0, -1}})
        EXPECT_EQ(AR::IndiceInElenco(c.indice, c.voci), c.riga) << c.indice << " " << c.voci;
}

} // namespace
