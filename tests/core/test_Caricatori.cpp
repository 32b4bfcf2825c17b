// Start-up data loaders: paths, settings lines, smoothing constants,
// coefficient files, built-in configurations, sectioned files, map sections.
#include <gtest/gtest.h>

#include "../../tools/codifica/CodificaTesto.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "support/SupportoTest.h"

namespace {

using Righe = std::vector<std::string>;

std::string* const Percorsi[] = {
    &ModMain::PercorsoBase, &ModMain::PercorsoPortCom, &ModMain::PercorsoSetCom, &ModMain::PercorsoConfigScale,
    &ModMain::PercorsoFlash, &ModMain::PercorsoFirmwareNuovoHw, &ModMain::PercorsoFirmwareVecchioHw,
    &ModMain::PercorsoOsciSetUp, &ModMain::PercorsoOsciList, &ModMain::PercorsoParaTun, &ModMain::PercorsoMem10,
    &ModMain::PercorsoStatoTun, &ModMain::PercorsoStatoTun1, &ModMain::PercorsoStatoTun2,
    &ModMain::PercorsoStatoTun3, &ModMain::PercorsoStatoTun4, &ModMain::PercorsoConfigDefault,
    &ModMain::PercorsoConfigUp, &ModMain::CartellaArchivio, &ModMain::PercorsoCostruttori,
    &ModMain::PercorsoLoggerTmp, &ModMain::FileFirmwareScelto,
};

// Paths, block table and loader variables saved and restored; a private base folder.
class CaricatoriTest : public ::testing::Test {
protected:
    CaricatoriTest() {
        for (auto* p : Percorsi) percorsi_.push_back(*p);
        ModMain::PercorsoBase = base_.Percorso();
    }
    void TearDown() override {
        for (size_t i = 0; i < std::size(Percorsi); ++i) *Percorsi[i] = percorsi_[i];
        TabellaBlocchi = tabella_;
        ModMain::CostanteLambda = lambda_;
        ModMain::CostantePressione = pressione_;
        ModMain::BloccoAppoggio = appoggio_;
    }

    // Block table with record 15 of 48 one-byte values at positions 6..53
    // whose current values are all 77.
    void TabellaConBlocco15() {
        TabellaBlocchi.assign(16, BloccoParametri{});
        auto& b = TabellaBlocchi[15];
        b.Tipo = 15;
        for (int k = 0; k < 48; ++k) {
            b.CodiciTipo.push_back("UB");
            b.Offset.push_back(6 + k);
            b.Scale.push_back(1);
            b.Valori.push_back(77);
        }
    }

    SupportoTest::CartellaBase base_{false};
    std::vector<std::string> percorsi_;
    std::vector<BloccoParametri> tabella_ = TabellaBlocchi;
    int32_t lambda_ = ModMain::CostanteLambda, pressione_ = ModMain::CostantePressione;
    BloccoParametri appoggio_ = ModMain::BloccoAppoggio;
};

std::string Unisci(const Righe& r, const std::string& fine = "\r\n") {
    std::string t;
    for (const auto& x : r) t += x + fine;
    return t;
}

// A reply frame as hex text: 42 01 L cmd 00, data, check byte.
std::string TramaHex(uint8_t comando, const std::string& dati) {
    std::string f;
    f.push_back(0x42);
    f.push_back(0x01);
    f.push_back(static_cast<char>(dati.size() + 4));
    f.push_back(static_cast<char>(comando));
    f.push_back(0x00);
    f += dati;
    uint8_t x = 0;
    for (char c : f) x ^= static_cast<uint8_t>(c);
    f.push_back(static_cast<char>(x));
    return ModGlobFunct::ConvertiTestoInHex(f);
}

// The sections of a .coe file; `escludi` leaves one out, `doppia` repeats one.
std::string FileCoe(int id, const std::string& escludi = "", const std::string& doppia = "") {
    Righe r;
    auto sezione = [&](const std::string& nome, const Righe& valori) {
        if (nome == escludi) return;
        for (int volte = nome == doppia ? 2 : 1; volte > 0; --volte) {
            r.push_back(nome);
            r.insert(r.end(), valori.begin(), valori.end());
        }
    };
    Righe matrice;
    for (int riga = 0; riga < 23; ++riga) {
        std::string t;
        for (int col = 0; col < 24; ++col) t += (col ? "," : "") + std::to_string(riga * 100 + col);
        matrice.push_back(t);
    }
    sezione("[note]", {"Note " + std::to_string(id)});
    sezione("[id]", {std::to_string(id)});
    sezione("[div_fact]", {"1000"});
    sezione("[m_mappa]", matrice);
    sezione("[q_mappa]", matrice);
    sezione("[m_retta]", {"1,2,3,4,5,6,7,8,9"});
    sezione("[q_retta]", {"-1,-2,-3,-4,-5,-6,-7,-8,-9"});
    return Unisci(r);
}

} // namespace

TEST_F(CaricatoriTest, PercorsiSottoLaBase) {
    ModMain::ImpostaPercorsi("/opt/tool");
    EXPECT_EQ(ModMain::PercorsoBase, "/opt/tool");
    EXPECT_EQ(ModMain::PercorsoSetCom, "/opt/tool/bin/SetCom.ini");
    EXPECT_EQ(ModMain::PercorsoConfigScale, "/opt/tool/lng/ConfigScale.ini");
    EXPECT_EQ(ModMain::PercorsoFirmwareVecchioHw, "/opt/tool/bin/fw/QDLPower_OldHw.frh");
    EXPECT_EQ(ModMain::FileFirmwareScelto, "/opt/tool/bin/fw/QDLPower_NewHw.frh");
    EXPECT_EQ(ModMain::PercorsoStatoTun4, "/opt/tool/Tune/StatoTun4.txt");
    EXPECT_EQ(ModMain::PercorsoConfigDefault, "/opt/tool/lng/00 Redadi Inj Custom.xsi");
    EXPECT_EQ(ModMain::CartellaArchivio, "/opt/tool/Data/");
    EXPECT_EQ(ModMain::PercorsoLoggerTmp, "/opt/tool/bin/Logger.tmp");
    ModMain::ImpostaPercorsi("");
    EXPECT_EQ(ModMain::PercorsoSetCom, "/bin/SetCom.ini");
}

TEST_F(CaricatoriTest, CaricaFileImpostazioni) {
    Righe righe = {"kept"};
    ModMain::CaricaFileImpostazioni(base_.File("lng/none.ini"), righe);
    EXPECT_EQ(righe, Righe{"kept"});
    for (bool codificato : {false, true}) {
        const std::string testo = "[K_Lambda]\r\n4\r\n";
        base_.Scrivi("lng/ConfigScale.ini", codificato ? CodificaTesto::CodificaFile(testo) : testo);
        ModMain::CaricaFileImpostazioni(base_.File("lng/ConfigScale.ini"), righe);
        EXPECT_EQ(righe, (Righe{"[K_Lambda]", "4", ""})) << codificato;
    }
}

TEST_F(CaricatoriTest, CostantiSensori) {
    struct Caso {
        Righe righe;
        int32_t lambda, pressione;
    } casi[] = {
        {{"[K_Lambda]", "25"}, 10, 10},
        {{"[K_Lambda]", "0"}, 1, 10},
        {{"[K_Lambda]", "-3", "[K_Pressure]", "4"}, 1, 4},
        {{"[K_Lambda]", "4"}, 4, 10},
        {{}, 10, 10},
        {{"[K_Lambda]", "3", "[K_Lambda]", "6"}, 6, 10},
        {{"[K_Lambda]", "five"}, 10, 10},
        {{"[K_Pressure]", "7", "[K_Pressure]"}, 10, 7},
        {{"[K_Lambda]", "99999999999"}, 10, 10},
        {{" [K_Lambda]", "4"}, 10, 10},
    };
    TabellaBlocchi.assign(2, BloccoParametri{});
    TabellaBlocchi[1].Nome = "Live";
    for (const auto& c : casi) {
        ModMain::CostanteLambda = ModMain::CostantePressione = 5;
        ModMain::CaricaCostantiSensori(c.righe);
        EXPECT_EQ(ModMain::CostanteLambda, c.lambda);
        EXPECT_EQ(ModMain::CostantePressione, c.pressione);
    }
    EXPECT_EQ(ModMain::BloccoAppoggio.Nome, "Live");
    // Without a block 1 the copy stays as it was.
    TabellaBlocchi.assign(1, BloccoParametri{});
    ModMain::CaricaCostantiSensori({});
    EXPECT_EQ(ModMain::BloccoAppoggio.Nome, "Live");
}

TEST_F(CaricatoriTest, FileCoefficienti) {
    struct Caso {
        const char* perche;
        std::string testo;
        bool accettato;
    } casi[] = {
        {"all seven", FileCoe(3), true},
        {"six", FileCoe(3, "[q_retta]"), false},
        {"seven and one repeated", FileCoe(3, "", "[id]"), false},
        {"one missing, another repeated", FileCoe(3, "[div_fact]", "[id]"), false},
        {"line feeds alone", [] {
             std::string t = FileCoe(3);
             std::string u;
             for (size_t i = 0; i < t.size(); ++i)
                 if (t[i] != '\r') u += t[i];
             return u;
         }(), false},
        {"a matrix row short of one item", [] {
             std::string t = FileCoe(3);
             t.replace(t.find(",23\r\n"), 3, "");
             return t;
         }(), false},
        {"a value that is no number", [] {
             std::string t = FileCoe(3);
             t.replace(t.find("1000"), 4, "10x0");
             return t;
         }(), false},
        {"a header on the last line", [] {
             std::string t = FileCoe(3);
             return t.substr(0, t.find("[m_retta]")) + "[m_retta]\r\n1,2,3,4,5,6,7,8,9\r\n[q_retta]";
         }(), false},
        {"empty file", "", false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.perche);
        base_.Scrivi("lng/a.coe", c.testo);
        CoefficientiMappa r;
        r.id = -5;
        EXPECT_EQ(ModMain::LeggiFileCoefficienti(base_.File("lng/a.coe"), r), c.accettato);
        if (!c.accettato) {
            EXPECT_EQ(r.id, -5) << "a refused file leaves the record alone";
            continue;
        }
        EXPECT_EQ(r.note, "Note 3");
        EXPECT_EQ(r.id, 3);
        EXPECT_EQ(r.div_fact, 1000);
        EXPECT_EQ(r.m_mappa[22][23], 2223);
        EXPECT_EQ(r.q_mappa[1][0], 100);
        EXPECT_EQ(r.m_retta[8], 9);
        EXPECT_EQ(r.q_retta[0], -1);
    }
}

TEST_F(CaricatoriTest, CaricaFileCoefficientiInOrdineDiNome) {
    std::vector<CoefficientiMappa> r(3);
    EXPECT_FALSE(ModMain::CaricaFileCoefficienti(base_.File("lng/"), r));
    ASSERT_EQ(r.size(), 1u) << "one empty record when none is accepted";
    EXPECT_EQ(r[0].id, 0);

    base_.Scrivi("lng/b.COE", FileCoe(2));
    base_.Scrivi("lng/a.coe", FileCoe(1));
    base_.Scrivi("lng/c.coe", FileCoe(9, "[note]"));
    base_.Scrivi("lng/d.coe.txt", FileCoe(4));
    EXPECT_TRUE(ModMain::CaricaFileCoefficienti(base_.File("lng/"), r));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].id, 1);
    EXPECT_EQ(r[1].id, 2);
    EXPECT_TRUE(ModMain::CaricaFileCoefficienti(base_.File("lng"), r)) << "with or without the final slash";
    EXPECT_FALSE(ModMain::CaricaFileCoefficienti(base_.File("missing/"), r));
}

TEST_F(CaricatoriTest, LeggiRigheFile) {
    base_.Scrivi("Data/c.qdl", "[A]\r\nfirst\r\n[B]\nsecond\r[A]\r\nlater\r\n[LAST]");
    struct Caso {
        const char* sezione;
        bool trovata;
        const char* riga;
    } casi[] = {
        {"[A]", true, "first"}, {"[B]", true, "second"}, {"[a]", false, ""},
        {"[LAST]", false, ""},  {"[C]", false, ""},
    };
    for (const auto& c : casi) {
        std::string riga = "old";
        EXPECT_EQ(ModMain::LeggiRigheFile(base_.File("Data/c.qdl"), c.sezione, riga), c.trovata) << c.sezione;
        EXPECT_EQ(riga, c.riga) << c.sezione;
    }
    std::string riga = "old";
    EXPECT_FALSE(ModMain::LeggiRigheFile(base_.File("Data/none.qdl"), "[A]", riga));
    EXPECT_EQ(riga, "");
}

TEST_F(CaricatoriTest, LeggiBloccoDaFile) {
    TabellaConBlocco15();
    std::string dati(48, '\0');
    dati[47] = 0x21;
    dati[3] = 0x05;
    base_.Scrivi("lng/f.xsi", "[BLK_5]\r\nzz\r\n[BLK_6]\r\n" + TramaHex(0x6E, dati) + "\r\n[BLK_6]\r\n00\r\n");
    base_.Scrivi("lng/short.xsi", "[BLK_6]\r\n" + TramaHex(0x6E, std::string(40, '\1')) + "\r\n");
    base_.Scrivi("lng/bad.xsi", "[BLK_6]\r\nnot hex\r\n");
    struct Caso {
        const char* file;
        const char* sezione;
        int32_t blocco, indice;
        bool ok;
        int32_t valore;
    } casi[] = {
        {"lng/f.xsi", "[BLK_6]", 15, 47, true, 0x21},
        {"lng/f.xsi", "[BLK_6]", 15, 3, true, 5},
        {"lng/f.xsi", "[BLK_7]", 15, 47, false, 0},
        {"lng/f.xsi", "[BLK_6]", 15, 48, false, 0},
        {"lng/f.xsi", "[BLK_6]", 16, 47, false, 0},
        {"lng/f.xsi", "[BLK_6]", -1, 47, false, 0},
        {"lng/short.xsi", "[BLK_6]", 15, 47, false, 0},
        {"lng/short.xsi", "[BLK_6]", 15, 39, true, 1},
        {"lng/bad.xsi", "[BLK_6]", 15, 0, false, 0},
        {"lng/none.xsi", "[BLK_6]", 15, 47, false, 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.file) + " " + c.sezione + " " + std::to_string(c.indice));
        int32_t v = -1;
        EXPECT_EQ(ModMain::LeggiBloccoDaFile(c.blocco, base_.File(c.file), c.sezione, c.indice, v), c.ok);
        EXPECT_EQ(v, c.valore);
    }
    EXPECT_EQ(TabellaBlocchi[15].Valori[47], 77) << "the table itself is not changed";
}

TEST_F(CaricatoriTest, ConfigurazioniPredefiniteSenzaBlk6NonCorrispondono) {
    TabellaConBlocco15();
    std::vector<ConfigurazionePredefinita> r(2);
    EXPECT_FALSE(ModMain::ElencaConfigurazioniPredefinite(r));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_FALSE(r[0].Identificativo.has_value());

    std::string dati(48, '\0');
    dati[47] = 12;
    base_.Scrivi("lng/02 Second.xsi", "[BLK_6]\r\n" + TramaHex(0x6E, dati) + "\r\n");
    base_.Scrivi("lng/01 First.xsi", "[BLK_5]\r\n00\r\n");
    base_.Scrivi("lng/03 Short.xsi", "[BLK_6]\r\n420101\r\n");
    base_.Scrivi("lng/notes.txt", "[BLK_6]\r\n00\r\n");
    EXPECT_TRUE(ModMain::ElencaConfigurazioniPredefinite(r));
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].Nome, "01 First");
    EXPECT_EQ(r[0].Percorso, base_.Percorso() + "/lng/01 First.xsi");
    EXPECT_EQ(r[1].Nome, "02 Second");
    EXPECT_EQ(r[1].Identificativo, std::optional<int32_t>(12));
    // Neither a file without "[BLK_6]" nor one whose line does not reach
    // value 47 may take the block's current value (77) and match the ECU.
    for (int i : {0, 2}) {
        SCOPED_TRACE(r[i].Nome);
        EXPECT_FALSE(r[i].Identificativo.has_value());
        EXPECT_FALSE(r[i].Identificativo == TabellaBlocchi[15].Valori[47]);
        EXPECT_FALSE(r[i].Identificativo == 0);
    }
}

TEST_F(CaricatoriTest, MappeDaFile) {
    // Chunk c carries bytes 110c + k with value (c + 1) x 10 + k mod 7.
    auto Pezzo = [](int c) {
        std::string d(c < 4 ? 110 : 112, '\0');
        for (size_t k = 0; k < d.size(); ++k) d[k] = static_cast<char>((c + 1) * 10 + static_cast<int>(k % 7));
        return TramaHex(0x2F, d);
    };
    auto Atteso = [](int n, const std::vector<int>& presenti) -> int {
        const int c = n < 440 ? n / 110 : 4;
        for (int p : presenti)
            if (p == c) return (c + 1) * 10 + (n - 110 * c) % 7;
        return 0;
    };
    struct Caso {
        const char* perche;
        std::vector<int> presenti;
    } casi[] = {
        {"all five", {0, 1, 2, 3, 4}},
        {"only MAP_0", {0}},
        {"MAP_1 missing: later chunks keep their columns", {0, 2, 3, 4}},
        {"only MAP_4", {4}},
        {"none", {}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.perche);
        std::string testo = "[MAP_0]\r\nFF\r\n"; // replaced by a later occurrence when present
        for (int p : c.presenti) testo += "[MAP_" + std::to_string(p) + "]\r\n" + Pezzo(p) + "\r\n";
        base_.Scrivi("Data/m.qdl", testo);
        PaginaMappa pagina;
        for (auto& r : pagina) r.fill(0xEE);
        CurvaRetta curva;
        curva.fill(-1.0f);
        ModMain::CaricaMappeDaFile(base_.File("Data/m.qdl"), pagina, curva);
        for (int n = 0; n < CellePaginaMappa; ++n)
            ASSERT_EQ(CellaMappa(pagina, n), Atteso(n, c.presenti)) << "byte " << n;
        CurvaRetta attesa;
        ModRetta::EstraiCurvaDaMappa(pagina, attesa);
        EXPECT_EQ(curva, attesa);
    }
    // Only MAP_0: columns 0..3 and rows 0..17 of column 4.
    base_.Scrivi("Data/m.qdl", "[MAP_0]\r\n" + Pezzo(0) + "\r\n");
    PaginaMappa p{};
    CurvaRetta curva{};
    ModMain::CaricaMappeDaFile(base_.File("Data/m.qdl"), p, curva);
    EXPECT_NE(p[17][4], 0);
    EXPECT_EQ(p[18][4], 0);
    EXPECT_EQ(p[0][5], 0);
}

TEST_F(CaricatoriTest, MappeDaFileCortoOMancante) {
    PaginaMappa p;
    for (auto& r : p) r.fill(0xEE);
    CurvaRetta curva;
    curva.fill(-1.0f);
    ModMain::CaricaMappeDaFile(base_.File("Data/none.qdl"), p, curva);
    EXPECT_EQ(p[5][5], 0xEE) << "a missing file changes nothing";
    EXPECT_EQ(curva[0], -1.0f);

    // A short chunk and a header on the last line move nothing.
    base_.Scrivi("Data/m.qdl", "[MAP_0]\r\n4201070000AABB\r\n[MAP_1]\r\n" + TramaHex(0, std::string(110, '\x07')) +
                                   "\r\n[MAP_2]");
    ModMain::CaricaMappeDaFile(base_.File("Data/m.qdl"), p, curva);
    EXPECT_EQ(CellaMappa(p, 0), 0xAA);
    EXPECT_EQ(CellaMappa(p, 1), 0xBB);
    EXPECT_EQ(CellaMappa(p, 2), 0);
    EXPECT_EQ(CellaMappa(p, 110), 7);
    EXPECT_EQ(CellaMappa(p, 219), 7);
    EXPECT_EQ(CellaMappa(p, 220), 0);
}

TEST(CompletaStringa, Riempimento) {
    EXPECT_EQ(ModMain::CompletaStringa("42", 5, " ", true), "   42");
    EXPECT_EQ(ModMain::CompletaStringa("42", 5, " ", false), "42   ");
    EXPECT_EQ(ModMain::CompletaStringa("123456", 5, " ", true), "123456");
    EXPECT_EQ(ModMain::CompletaStringa("42", 5, "", true), "42") << "an empty pad ends at once";
    EXPECT_EQ(ModMain::CompletaStringa("42", -1, "0", true), "42");
}
