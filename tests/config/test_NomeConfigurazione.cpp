// Name and note in block 18: the reader with its character tables, the
// writer's stored forms, connected (pending list) and offline (block and reply).
#include "FissaggioConfig.h"

#include "config/ModBlckNomeConfigurazione.h"
#include "link/ModBlckTrame.h"

namespace {

using NomeNota = FissaggioConfig;

TEST_F(NomeNota, LetturaConLeTabelle) {
    struct Caso {
        const char* nome;
        std::string nomeBlocco, notaBlocco;
        std::vector<int32_t> ecu, ascii;
        int32_t predefinito;
        std::string attesoNome, attesaNota;
    } casi[] = {
        {"default tables", "ABC", "note", {}, {}, 32, "ABC", "note"},
        {"outer blanks trimmed", "  Golf 1.4  ", " x ", {}, {}, 32, "Golf 1.4", "x"},
        {"unlisted code reads as default", "A?B", "", {65, 66, 32}, {}, 95, "A_B", ""},
        // Unlisted codes at either end become blanks and vanish in the trim.
        {"unlisted at the ends vanish", "?AB?", "", {65, 66, 32}, {}, 32, "AB", ""},
        {"note keeps CR LF", "", "a\r\nb", {}, {}, 32, "", "a\r\nb"},
        {"note table applies to the note", "", "a#b", {}, {97, 98, 32}, 45, "", "a-b"},
    };
    for (const auto& c : casi) {
        Riempi(18, 32);
        ScriviTesto(18, 0, c.nomeBlocco);
        ScriviTesto(18, 40, c.notaBlocco);
        ModBlck::CaratteriEcu = c.ecu.empty() ? ModBlck::TabellaCaratteriIniziale() : c.ecu;
        ModBlck::CaratteriAscii = c.ascii.empty() ? ModBlck::TabellaCaratteriIniziale() : c.ascii;
        ModBlck::CarattereDefault = c.predefinito;
        std::string nome = "old", nota = "old";
        ModBlck::LeggiNomeConfigurazione(nome, nota);
        EXPECT_EQ(nome, c.attesoNome) << c.nome;
        EXPECT_EQ(nota, c.attesaNota) << c.nome;
    }
}

TEST_F(NomeNota, LetturaImpossibileDaNomeENotaVuoti) {
    // A listed code that is no character, and a block shorter than 120 values.
    Riempi(18, 65);
    TabellaBlocchi[18].Valori[50] = 300;
    ModBlck::CaratteriAscii.push_back(300);
    std::string nome = "x", nota = "y";
    ModBlck::LeggiNomeConfigurazione(nome, nota);
    EXPECT_EQ(nome, "");
    EXPECT_EQ(nota, "");

    Riempi(18, 65);
    TabellaBlocchi[18].Valori.resize(100);
    nome = "x";
    ModBlck::LeggiNomeConfigurazione(nome, nota);
    EXPECT_EQ(nome, "");
}

TEST(FormeMemorizzate, NomeENota) {
    struct Caso {
        std::string dato, nome;
    } nomi[] = {
        {"", ""},
        {std::string(50, 'n'), std::string(40, 'n')},
        // Outer blanks first, then the archive extension; the blank before it stays.
        {"  Fiat Punto .QDL  ", "Fiat Punto "},
        {"auto.qdl", "auto"},
        {"auto.xsi", "auto.xsi"},
        {".qdl", ""},
    };
    for (const auto& c : nomi) {
        std::string atteso = c.nome;
        atteso.resize(40, ' ');
        EXPECT_EQ(ModBlck::FormaNome(c.dato), atteso) << c.dato;
    }
    EXPECT_EQ(ModBlck::FormaNota(std::string(100, 'z')), std::string(80, 'z'));
    EXPECT_EQ(ModBlck::FormaNota("  a  "), "a" + std::string(79, ' '));
}

TEST_F(NomeNota, ScritturaInLineaPreparaLaListaSenzaToccareIlBlocco) {
    ModMain::StatoConnessione = STATO_ESECUZIONE;
    Riempi(18, 7);
    const std::string rispostaPrima = TabellaBlocchi[18].UltimaRisposta;
    std::string nota = "note\r\nline2";
    ModBlck::ImpostaNomeConfigurazione("Name.qdl", nota);
    EXPECT_EQ(ModMain::NomeConfigurazione, "Name" + std::string(36, ' '));
    EXPECT_EQ(nota, "note\r\nline2");
    const auto& l = ModBlck::ModificheBlocco18;
    ASSERT_EQ(l.size(), 120u);
    for (size_t k = 0; k < l.size(); ++k) {
        EXPECT_EQ(l[k].IndiceValore, static_cast<int32_t>(k));
        EXPECT_EQ(l[k].Maschera, 0);
    }
    EXPECT_EQ(l[0].Valore, 'N');
    EXPECT_EQ(l[39].Valore, ' ');
    EXPECT_EQ(l[44].Valore, '\r');
    EXPECT_EQ(l[45].Valore, '\n');
    EXPECT_EQ(l[119].Valore, ' ');
    EXPECT_EQ(TabellaBlocchi[18].Valori[0], 7);
    EXPECT_EQ(TabellaBlocchi[18].UltimaRisposta, rispostaPrima);
}

TEST_F(NomeNota, ScritturaFuoriLineaNelBloccoENellaRisposta) {
    ModMain::NomeConfigurazione = "";
    std::string nota = "  hello ";
    ModBlck::ImpostaNomeConfigurazione(ModMain::NomeConfigurazione, nota);
    EXPECT_EQ(ModMain::NomeConfigurazione, std::string(40, ' '));
    EXPECT_EQ(nota, "hello" + std::string(75, ' '));
    const auto& b = TabellaBlocchi[18];
    for (size_t k = 0; k < 40; ++k) EXPECT_EQ(b.Valori[k], 32) << k;
    EXPECT_EQ(b.Valori[40], 'h');
    const std::string& r = b.UltimaRisposta;
    ASSERT_EQ(r.size(), 126u);
    EXPECT_EQ(r.substr(0, 5), std::string("\x42\x01\x7C\x51\x00", 5));
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
    EXPECT_EQ(r.substr(45, 5), "hello");

    // The rebuilt reply reads back as the name and note.
    ModBlck::DecodificaBlocco(r, TabellaBlocchi[18]);
    std::string n, t;
    ModBlck::ImpostaNomeConfigurazione("ABC", t = "");
    ModBlck::LeggiNomeConfigurazione(n, t);
    EXPECT_EQ(n, "ABC");
}

} // namespace
