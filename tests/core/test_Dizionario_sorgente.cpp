// The dictionary source and its generator: gendiz refuses a broken table and
// writes nothing; the shipped lng/diz.diz holds two parallel languages.
#include "../tools/codifica/CodificaTesto.h"

#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string Gendiz = MONDARO_BUILD "/tools/gendiz/gendiz";

std::string Leggi(const std::string& percorso)
{
    std::ifstream in(percorso, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Scrivi(const std::string& percorso, const std::string& byte)
{
    std::ofstream out(percorso, std::ios::binary | std::ios::trunc);
    out << byte;
}

struct Esito {
    int codice = -1;
    std::string errori;
};

Esito EseguiGendiz(const std::string& sorgente, const std::string& uscita)
{
    QProcess p;
    p.start(QString::fromStdString(Gendiz), {QString::fromStdString(sorgente), QString::fromStdString(uscita)});
    if (!p.waitForFinished(20000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError().toStdString()};
}

struct Lingua {
    std::string nome;
    std::vector<std::string> voci;
};

// Reads the dictionary the way the program does: CR LF lines, empty lines and
// the marker line skipped, "###" opens a language whose name line follows.
std::vector<Lingua> LeggiDizionario(const std::string& byte)
{
    const std::vector<std::string> righe = CodificaTesto::DividiRighe(byte);
    std::vector<Lingua> lingue;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const std::string& r = righe[i];
        if (r.empty() || r == "GORVANTEX")
            continue;
        if (r == "###") {
            if (i + 1 >= righe.size() - 1)
                break;
            lingue.push_back({righe[i + 1], {}});
            ++i;
            continue;
        }
        if (!lingue.empty())
            lingue.back().voci.push_back(r);
    }
    return lingue;
}

const std::string Intestazione = "@lingue\t#English&0\t#Italiano&0\n";

} // namespace

TEST(DizionarioSorgente, GeneratoreScriveLeLingueInCp1252)
{
    QTemporaryDir dir;
    const std::string src = dir.filePath("d.tsv").toStdString();
    const std::string out = dir.filePath("lng/diz.diz").toStdString();
    Scrivi(src, "# comment\n" + Intestazione +
                    "0\tMondaro VX9 Redadi\tMondaro VX9 Redadi\r\n"
                    "1\t\"S/N: \"\t\"N/S: \"\n"
                    "\n"
                    "+2\t[Frm_A]\t[Frm_A]\n"
                    "\tOn\tè più\n"
                    "\t_BLANK_\t_BLANK_\n");
    const Esito e = EseguiGendiz(src, out);
    ASSERT_EQ(e.codice, 0) << e.errori;
    EXPECT_EQ(Leggi(out), "###\r\n#English&0\r\nMondaro VX9 Redadi\r\nS/N: \r\n[Frm_A]\r\nOn\r\n_BLANK_\r\n"
                          "###\r\n#Italiano&0\r\nMondaro VX9 Redadi\r\nN/S: \r\n[Frm_A]\r\n\xE8 pi\xF9\r\n_BLANK_\r\n");
}

TEST(DizionarioSorgente, GeneratoreRifiutaSorgentiDifettose)
{
    struct Caso {
        const char* nome;
        std::string righe;
        const char* messaggio;
    };
    const std::vector<Caso> casi = {
        {"row without Italian", "0\tTitle\tTitolo\n\tOnly English\n", "every row needs every language"},
        {"marker where a fixed entry belongs", "0\tTitle\tTitolo\n+0\t[Frm_A]\t[Frm_A]\n1\tFixed\tFisso\n",
         "stands at the fixed entry 1"},
        {"section running over a fixed entry", "0\tTitle\tTitolo\n+2\t[Frm_A]\t[Frm_A]\n\ta\tb\n3\tFixed\tFisso\n",
         "collides with fixed entry 3"},
        {"section short of entries", "+2\t[Frm_A]\t[Frm_A]\n\ta\tb\n+0\t[Frm_B]\t[Frm_B]\n", "entries missing"},
        {"duplicated marker", "+0\t[Frm_A]\t[Frm_A]\n\ta\tb\n+0\t[Frm_A]\t[Frm_A]\n", "repeated"},
        {"marker differing between languages", "+0\t[Frm_A]\t[Frm_B]\n", "must be copied"},
        {"marker without entry count", "\t[Frm_A]\t[Frm_A]\n", "give it a +K key"},
        {"pinned number off its index", "0\tTitle\tTitolo\n2\tFixed\tFisso\n", "pinned at 2 lands at 1"},
        {"empty text", "0\tTitle\t\"\"\n", "empty text"},
        {"text outside Windows-1252", "0\tTitle \xCE\xA9\tTitolo\n", "not in Windows-1252"},
        {"control line as an entry", "0\t###\tTitolo\n", "control line"},
    };
    QTemporaryDir dir;
    const std::string src = dir.filePath("d.tsv").toStdString();
    const std::string out = dir.filePath("diz.diz").toStdString();
    for (const Caso& c : casi) {
        Scrivi(out, "stale");
        Scrivi(src, Intestazione + c.righe);
        const Esito e = EseguiGendiz(src, out);
        EXPECT_EQ(e.codice, 1) << c.nome;
        EXPECT_NE(e.errori.find(c.messaggio), std::string::npos) << c.nome << ": " << e.errori;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.nome << ": an earlier output must not survive";
    }
}

TEST(DizionarioSorgente, DizionarioDistribuitoHaDueLingueParallele)
{
    const std::string byte = Leggi(MONDARO_DIST "/lng/diz.diz");
    ASSERT_FALSE(byte.empty());
    const std::vector<Lingua> lingue = LeggiDizionario(byte);
    ASSERT_EQ(lingue.size(), 2u);
    EXPECT_EQ(lingue[0].nome, "#English&0");
    EXPECT_EQ(lingue[1].nome, "#Italiano&0");
    ASSERT_EQ(lingue[0].voci.size(), lingue[1].voci.size());
    ASSERT_GT(lingue[0].voci.size(), 360u);

    std::map<std::string, std::size_t> marcatori;
    for (std::size_t n = 0; n < lingue[0].voci.size(); ++n) {
        const std::string& v = lingue[0].voci[n];
        if (v.size() >= 2 && v.front() == '[' && v.back() == ']') {
            EXPECT_TRUE(marcatori.emplace(v, n).second) << v << " twice";
            EXPECT_EQ(lingue[1].voci[n], v) << "marker " << v << " not at the same entry in Italiano";
        }
    }
    for (const Lingua& l : lingue) {
        EXPECT_EQ(l.voci[0], "Mondaro VX9 Redadi");
        EXPECT_NE(l.voci[360], "_BLANK_");
        EXPECT_EQ(marcatori.count(l.voci[360]), 0u);
    }
    for (const char* m : {"[Start_ZEB_FRM_MTOP]", "[Start_ZEB_FRM_MENU]", "[Frm_Config]", "[Diagnosi_Support_S]",
                          "[Frm_Firmware]", "[Frm_Logger]", "[Frm_Retta]"})
        EXPECT_EQ(marcatori.count(m), 1u) << m;

    // Error list: every row between the pair is "description?state|state|state".
    ASSERT_EQ(marcatori.count("[ERROR_ECU_max_255]"), 1u);
    ASSERT_EQ(marcatori.count("[END_ERROR_ECU]"), 1u);
    const std::size_t da = marcatori["[ERROR_ECU_max_255]"], a = marcatori["[END_ERROR_ECU]"];
    ASSERT_GE(a - da - 1, 21u);
    ASSERT_LE(a - da - 1, 32u);
    for (const Lingua& l : lingue)
        for (std::size_t n = da + 1; n < a; ++n) {
            const std::string& v = l.voci[n];
            const std::size_t q = v.find('?');
            ASSERT_NE(q, std::string::npos) << v;
            EXPECT_EQ(v.find('?', q + 1), std::string::npos) << v;
            EXPECT_EQ(std::count(v.begin() + static_cast<std::ptrdiff_t>(q), v.end(), '|'), 2) << v;
        }

    // The shipped file is what the source gives today, and no current-language
    // file is shipped: the loader creates it, so a rebuild never resets the
    // language the user chose.
    QTemporaryDir dir;
    const std::string rigenerato = dir.filePath("diz.diz").toStdString();
    ASSERT_EQ(EseguiGendiz(MONDARO_SORGENTI "/data/diz/dizionario.tsv", rigenerato).codice, 0);
    EXPECT_EQ(Leggi(rigenerato), byte);
    EXPECT_FALSE(std::filesystem::exists(MONDARO_SORGENTI "/data/lng/diz.con"));
}

TEST(CodificaTesto, RigheEFileNellaFormaCodificata)
{
    EXPECT_EQ(CodificaTesto::CodificaRiga("abc"), "891069104910");
    EXPECT_EQ(CodificaTesto::CodificaRiga(""), "");
    EXPECT_EQ(CodificaTesto::CodificaRiga("\xFF"), "0150"); // code 255 -> group 0510
    const std::string marcatore = CodificaTesto::CodificaRiga("GORVANTEX");
    EXPECT_EQ(CodificaTesto::CodificaFile("abc\r\nx\ny\r\n"),
              marcatore + "\r\n891069104910\r\n" + CodificaTesto::CodificaRiga("x\ny") + "\r\n");
    EXPECT_EQ(CodificaTesto::CodificaFile(""), marcatore + "\r\n");
}
