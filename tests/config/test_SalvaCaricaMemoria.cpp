// Saving the configuration from memory and loading a file back into memory
// with no ECU: the round trip, what each request loads, sections that are
// missing, short or not hex, and what the save asks of the map editors.
#include "FissaggioConfig.h"

#include "config/MDIFrmCaricamentoMemoria.h"
#include "config/ModMainSalvataggio.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

namespace {

class RegistroEditor : public ServiziInterfaccia {
public:
    RegistroEditor() { MDIFrm::RegistraInterfaccia(this); }
    ~RegistroEditor() override { MDIFrm::RegistraInterfaccia(nullptr); }
    std::vector<std::string> chiamate;
    void FrmMatrix_CaricaGrigliaInMatrice(int k) override { chiamate.push_back("FrmMatrix.Griglia" + std::to_string(k)); }
    void FrmMatrix_CaricaAssiInMatrice(int k) override { chiamate.push_back("FrmMatrix.Assi" + std::to_string(k)); }
    void FRM_ZEBCarburazione_CaricaAssiInMatrice(int k) override {
        chiamate.push_back("Carburazione.Assi" + std::to_string(k));
    }
    void FrmError_VisualizzaErrori() override { chiamate.push_back("FrmError.VisualizzaErrori"); }
    void FrmError_AggiornaVisualizzazioni(bool) override { chiamate.push_back("FrmError.AggiornaVisualizzazioni"); }
    void FrmInjSetPopUp_AggiornaSelezioni(bool) override { chiamate.push_back("FrmInjSetPopUp"); }
    void FrmSeqInj_AggiornaSelezioni(bool) override { chiamate.push_back("FrmSeqInj"); }
};

class SalvaCarica : public FissaggioConfig {
protected:
    void SetUp() override {
        FissaggioConfig::SetUp();
        Piattaforma::Copione::Attiva();
        Piattaforma::Copione::Azzera();
        ModMain::PaginaCorrente = SCHEDA_HOME;
        percorso = cartella.File("prova.qdl");
    }
    void TearDown() override {
        Piattaforma::Copione::Azzera();
        Piattaforma::Copione::Attiva(true); // scripted, as every test starts
    }
    // Memory as a comparable whole.
    struct Istantanea {
        std::vector<std::string> risposte;
        std::vector<std::vector<int32_t>> valori;
        PaginaMappa p0, p1, p2;
        TabellaSoglie soglie;
        ModBlck::VettoreGiri rpm;
        ModBlck::VettoreTempi tinj;
        std::string t1b, t1c, t20, t1f;
        bool operator==(const Istantanea&) const = default;
    };
    static Istantanea Fotografa() {
        Istantanea s;
        for (size_t n = 0; n <= 20; ++n) {
            s.risposte.push_back(TabellaBlocchi[n].UltimaRisposta);
            s.valori.push_back(TabellaBlocchi[n].Valori);
        }
        s.p0 = ModMain::MappaPagina0;
        s.p1 = ModMain::MappaPagina1;
        s.p2 = ModMain::MappaPagina2;
        s.soglie = ModMain::MatSoglie;
        s.rpm = ModBlck::VettoreRpm;
        s.tinj = ModBlck::VettoreTinj;
        s.t1b = ModBlck::DatiGrezzi1B;
        s.t1c = ModBlck::DatiGrezzi1C;
        s.t20 = ModBlck::DatiGrezzi20;
        s.t1f = ModBlck::DatiGrezzi1F;
        return s;
    }
    // The saved file with section `s`'s value replaced (or the section removed when `valore` is nothing).
    void Modifica(const std::string& s, std::optional<std::string> valore) {
        auto r = FileConfigurazione::Righe(SupportoTest::LeggiFile(percorso));
        const auto i = std::find(r.begin(), r.end(), s);
        ASSERT_NE(i, r.end()) << s;
        if (valore) *(i + 1) = *valore;
        else r.erase(i, i + 2);
        std::string f;
        for (const auto& x : r) f += x + "\r\n";
        SupportoTest::ScriviFile(percorso, f);
    }
    SupportoTest::CartellaBase cartella{false};
    std::string percorso;
    RegistroEditor ui;
};

TEST_F(SalvaCarica, IlFileSalvatoRicaricaLaStessaMemoria) {
    RiempiMemoria(1);
    // Block 0 decodes from the whole "[FW]" frame: its values follow the record.
    ModBlck::DecodificaBlocco(FileConfigurazione::Trama(0x2A, 0x21, TabellaBlocchi[0].UltimaRisposta), TabellaBlocchi[0]);
    for (size_t n = 1; n <= 20; ++n) ModBlck::DecodificaBlocco(TabellaBlocchi[n].UltimaRisposta, TabellaBlocchi[n]);
    const Istantanea prima = Fotografa();
    ModMain::NotaConfigurazione = "[MAP_0]\r\n4201";
    ASSERT_TRUE(ModMain::SalvaConfigurazioneSuFile(percorso));
    const std::string file = SupportoTest::LeggiFile(percorso);

    RiempiMemoria(5);
    ASSERT_FALSE(Fotografa() == prima);
    MDIFrm::CaricaConfigurazioneInMemoria(REQ_LOAD_CONFIG_FILE, percorso);
    EXPECT_TRUE(Fotografa() == prima);
    EXPECT_EQ(ModMain::UndoPagina1, ModMain::MappaPagina1);
    // Saved again, the file is the same but for its "[INFO]" line.
    ASSERT_TRUE(ModMain::SalvaConfigurazioneSuFile(percorso));
    auto a = FileConfigurazione::Righe(file), b = FileConfigurazione::Righe(SupportoTest::LeggiFile(percorso));
    a[1] = b[1] = "";
    EXPECT_EQ(a, b);
    EXPECT_EQ(ui.chiamate.back(), "FrmSeqInj");
}

TEST_F(SalvaCarica, Richiesta53CaricaSoloLeSezioniDiSempre) {
    RiempiMemoria(1);
    ASSERT_TRUE(ModMain::SalvaConfigurazioneSuFile(percorso));
    RiempiMemoria(5);
    const Istantanea prima = Fotografa();
    ModMain::PaginaCorrente = SCHEDA_CARBURAZIONE_1;
    MDIFrm::CaricaConfigurazioneInMemoria(REQ_LOAD_CONFIG_COMP, percorso);
    const Istantanea dopo = Fotografa();
    for (size_t n = 0; n <= 20; ++n) {
        const bool sempre = n == 7 || n == 8 || n == 9 || n == 12 || n == 13 || n == 14 || n == 17;
        EXPECT_EQ(dopo.risposte[n] != prima.risposte[n], sempre) << n;
    }
    EXPECT_EQ(dopo.p0, prima.p0);
    EXPECT_NE(dopo.p1, prima.p1);
    EXPECT_NE(dopo.p2, prima.p2);
    EXPECT_EQ(dopo.soglie, prima.soglie);
    EXPECT_EQ(dopo.rpm, prima.rpm);
    EXPECT_EQ(dopo.t20, prima.t20);
    EXPECT_EQ(ui.chiamate.front(), "Carburazione.Assi1");
}

TEST_F(SalvaCarica, SezioniMancantiCorteONonEsadecimaliLascianoIlBersaglio) {
    RiempiMemoria(1);
    ASSERT_TRUE(ModMain::SalvaConfigurazioneSuFile(percorso));
    struct Caso {
        const char* sezione;
        std::optional<std::string> valore;
    } casi[] = {
        {"[MAP_2]", std::string("4201721200AABB")}, // short chunk: page 0 unchanged
        {"[ADAT_4]", std::nullopt},                   // missing chunk: page 1 unchanged
        {"[BLK_5]", std::string("42011431000102")},   // short table
        {"[VET_RPM_1]", std::nullopt},                // half a vector
        {"[VET_TINJ_0]", std::string("4201")},        // shorter than a frame
        {"[BLK_2]", std::string("not hex at all!")},
        {"[EMULA_LAMBDA]", std::nullopt},
        {"[TGas]", std::string("")},
    };
    for (const auto& c : casi) Modifica(c.sezione, c.valore);
    RiempiMemoria(5);
    const Istantanea prima = Fotografa();
    MDIFrm::CaricaConfigurazioneInMemoria(REQ_LOAD_CONFIG_FILE, percorso);
    const Istantanea dopo = Fotografa();
    EXPECT_EQ(dopo.p0, prima.p0);
    EXPECT_EQ(dopo.p1, prima.p1);
    EXPECT_NE(dopo.p2, prima.p2);
    EXPECT_EQ(dopo.soglie, prima.soglie);
    EXPECT_EQ(dopo.rpm, prima.rpm);
    EXPECT_EQ(dopo.tinj, prima.tinj);
    EXPECT_EQ(dopo.risposte[2], prima.risposte[2]);
    EXPECT_EQ(dopo.risposte[11], prima.risposte[11]);
    EXPECT_EQ(dopo.t1c, prima.t1c);
    EXPECT_NE(dopo.t1b, prima.t1b);
    EXPECT_NE(dopo.risposte[3], prima.risposte[3]);
}

TEST_F(SalvaCarica, BloccoPresoInteroEFileMancante) {
    RiempiMemoria(1);
    ASSERT_TRUE(ModMain::SalvaConfigurazioneSuFile(percorso));
    // A block-2 frame holding only its first data byte: nothing of the old block 2
    // survives (value 1 reads the check byte, at its position).
    Modifica("[BLK_2]", ModGlobFunct::ConvertiTestoInHex(FileConfigurazione::Trama(5, 0x0D, "\x03")));
    RiempiMemoria(5);
    MDIFrm::CaricaConfigurazioneInMemoria(REQ_LOAD_CONFIG_FILE, percorso);
    const auto& v = TabellaBlocchi[2].Valori;
    EXPECT_EQ(v[0], 3);
    for (size_t k = 2; k < v.size(); ++k) EXPECT_EQ(v[k], 0) << k;
    EXPECT_EQ(TabellaBlocchi[0].UltimaRisposta.size(), 38u);

    const Istantanea prima = Fotografa();
    ui.chiamate.clear();
    MDIFrm::CaricaConfigurazioneInMemoria(REQ_LOAD_CONFIG_FILE, cartella.File("missing.qdl"));
    EXPECT_TRUE(Fotografa() == prima);
    EXPECT_TRUE(ui.chiamate.empty());
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(SalvaCarica, SalvataggioPrendeLaGrigliaSoloDalLEditorCompleto) {
    struct Caso {
        int32_t pagina;
        const char* chiamata;
    } casi[] = {
        {SCHEDA_MAPPA, "FrmMatrix.Griglia0"},
        {SCHEDA_MAPPA_1, "FrmMatrix.Griglia1"},
        {SCHEDA_MAPPA_2, "FrmMatrix.Griglia2"},
        // The carburetion view's grid would rebuild the points in between: not taken.
        {SCHEDA_CARBURAZIONE, nullptr},
        {SCHEDA_CARBURAZIONE_1, nullptr},
        {SCHEDA_HOME, nullptr},
    };
    for (const auto& c : casi) {
        ui.chiamate.clear();
        ModMain::PaginaCorrente = c.pagina;
        ASSERT_TRUE(ModMain::SalvaConfigurazioneSuFile(percorso));
        EXPECT_EQ(ui.chiamate, c.chiamata ? std::vector<std::string>{c.chiamata} : std::vector<std::string>{}) << c.pagina;
    }
}

TEST_F(SalvaCarica, ScritturaImpossibileLasciaIlVecchioFileEAvvisa) {
    SupportoTest::ScriviFile(percorso, "old");
    std::filesystem::create_directory(percorso + ".dir");
    for (const std::string& p : {cartella.File("none/x.qdl"), percorso + ".dir"}) {
        Piattaforma::Copione::Azzera();
        EXPECT_FALSE(ModMain::SalvaConfigurazioneSuFile(p)) << p;
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), 1u) << p;
    }
    EXPECT_EQ(SupportoTest::LeggiFile(percorso), "old");
}

TEST(Esportazione, TestoDeiBlocchiEDellaTabella) {
    std::vector<BloccoParametri> b(2);
    b[0].Tipo = 0;
    b[0].Nome = "IDENT";
    b[1].Tipo = 12;
    b[1].Nome = "OBD";
    b[1].UltimaRisposta = std::string("\x42\x01\x0a", 3);
    b[1].Valori = {-5, 300};
    TabellaSoglie s{};
    s[0] = 255;
    s[15] = 7;
    const std::string t = ModMain::ComponiEsportazione(b, s);
    std::string atteso = " \r\n0 IDENT\r\n\r\n \r\n12 OBD\r\n42010A\r\n-5\r\n300\r\n \r\n# MatSoglie blocco 5\r\n???\r\n255\r\n";
    for (int i = 1; i < 15; ++i) atteso += "0\r\n";
    atteso += "7\r\n";
    EXPECT_EQ(t, atteso);
}

TEST(Esportazione, TastoCheMostraENascondeIlPulsante) {
    struct Passo {
        int16_t tasto, shift;
        std::optional<bool> visibile;
        int32_t latch;
    } passi[] = {
        {88, 7, true, 1},  {88, 7, false, 0}, {88, 7, true, 1}, {65, 7, false, 0},
        {88, 3, std::nullopt, 0}, {88, 7, true, 1}, {88, 0, std::nullopt, 1}, {27, 7, false, 0},
    };
    int32_t latch = 0;
    for (const auto& p : passi) {
        EXPECT_EQ(ModMain::VisibilitaEsportazione(p.tasto, p.shift, latch), p.visibile) << p.tasto << " " << p.shift;
        EXPECT_EQ(latch, p.latch);
    }
}

} // namespace
