// The block writers and their relatives against the real companion in simulated mode.
#include <gtest/gtest.h>

#include <fstream>

#include "RegistratoreInterfaccia.h"
#include "companion/ClienteTrasferimenti.h"
#include "engine/MDIFrmScritture.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModEmula.h"
#include "support/Ripristino.h"

namespace {
using Hex = std::string;
std::string Byte(const Hex& h) { return ModGlobFunct::ConvertiHexInTesto(h); }

// A block writer with its pending list, a value it changes and its write command.
struct Scrittore {
    bool (*scrivi)();
    ListaModifiche* lista;
    size_t blocco, indice;
    uint8_t comando;
};
// The eight members of the read-apply-write-read family.
const Scrittore Famiglia[] = {
        {&MDIFrm::ScriviBlocco2, &ModBlck::ModificheBlocco2, 2, 3, CMD_WRITE_BLK2},
        {&MDIFrm::ScriviBlocco3, &ModBlck::ModificheBlocco3, 3, 34, CMD_WRITE_BLK3},
        {&MDIFrm::ScriviBlocco12, &ModBlck::ModificheBlocco12, 12, 24, CMD_WRITE_BLK12},
        {&MDIFrm::ScriviBlocco14, &ModBlck::ModificheBlocco14, 14, 2, CMD_WRITE_BLK14},
        {&MDIFrm::ScriviBlocco15, &ModBlck::ModificheBlocco15, 15, 0, CMD_WRITE_BLK15},
        {&MDIFrm::ScriviBlocco16, &ModBlck::ModificheBlocco16, 16, 0, CMD_WRITE_BLK16},
        {&MDIFrm::ScriviBlocco18, &ModBlck::ModificheBlocco18, 18, 5, CMD_WRITE_BLK18},
        {&MDIFrm::ScriviBlocco19, &ModBlck::ModificheBlocco19, 19, 4, CMD_WRITE_BLK19},
};
} // namespace

class ScrittureBlocchi : public ClienteTrasferimenti {
protected:
    void SetUp() override {
        ClienteTrasferimenti::SetUp();
        tempo_ = ModBlck::TempoBlocco;
        pagina_ = ModMain::PaginaCorrente;
    }
    void TearDown() override {
        ModBlck::TempoBlocco = tempo_;
        ModMain::PaginaCorrente = pagina_;
        MDIFrm::FRM_ZEBSensori_CaricaSoglieLivello = nullptr;
        ClienteTrasferimenti::TearDown();
    }
    int32_t ValoreLetto(size_t n, size_t k) {
        BloccoParametri b = TabellaBlocchi[n];
        EXPECT_EQ(ModBlck::LeggiBloccoEcu(n, b, false), 0);
        Giornale();
        return b.Valori[k];
    }
    std::string File(const std::string& contenuto) {
        const std::string p = base.File("Data/prova.xsi");
        std::ofstream(p, std::ios::binary) << contenuto;
        return p;
    }

private:
    float tempo_ = 1.0f;
    int32_t pagina_ = 0;
};

// Every member of the family: read, apply, write, read back, mode restored, list emptied.
TEST_F(ScrittureBlocchi, FamigliaLeggeApplicaScriveERilegge) {
    for (const auto& c : Famiglia) {
        SCOPED_TRACE(c.blocco);
        const std::string rispostaPrima = TabellaBlocchi[c.blocco].UltimaRisposta;
        *c.lista = {{123, static_cast<int32_t>(c.indice), 0}};
        ASSERT_TRUE(c.scrivi());
        const auto g = Giornale();
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        const auto t = Trame(g);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t[1].Comando(), c.comando);
        EXPECT_EQ(t[0].dati, Byte(TabellaBlocchi[c.blocco].TramaRichiesta));
        EXPECT_EQ(t[2].dati, t[0].dati);
        EXPECT_EQ(TabellaBlocchi[c.blocco].Valori[c.indice], 123);
        EXPECT_NE(TabellaBlocchi[c.blocco].UltimaRisposta, rispostaPrima);
        EXPECT_EQ(ValoreLetto(c.blocco, c.indice), 123);
        ASSERT_EQ(c.lista->size(), 1u);
        EXPECT_EQ((*c.lista)[0].IndiceValore, -1);
    }
}

// A write the ECU refuses (reply status not 0) fails like a failed
// transaction: no read-back, the mode restored, the list kept, the ECU and the
// stored reply as they were; accepted later, the kept list goes in.
TEST_F(ScrittureBlocchi, ScritturaRifiutataTieneLaLista) {
    // The refusal as the ECU sends it: 42 01 04, the command, its status, XOR.
    Manopola(11, 0xFB);
    EXPECT_EQ(ModBlck::ScriviBloccoEcu(TabellaBlocchi[2], CMD_WRITE_BLK2), 3);
    EXPECT_EQ(ModPipe::DatiRispostaPipe, Byte("42010410FBAC"));
    Giornale();

    std::vector<Scrittore> casi(std::begin(Famiglia), std::end(Famiglia));
    casi.push_back({&ModEmula::ScriviEmulazione, &ModBlck::ModificheBlocco11, 11, 65, CMD_WRITE_BLK11});
    const SupportoTest::Ripristino ripristino(ModBlck::ModificheBlocco11);
    for (const auto& c : casi) {
        SCOPED_TRACE(c.blocco);
        Manopola(11, 0);
        const int32_t prima = ValoreLetto(c.blocco, c.indice);
        const int32_t nuovo = prima == 123 ? 124 : 123;
        const std::string rispostaPrima = TabellaBlocchi[c.blocco].UltimaRisposta;
        *c.lista = {{nuovo, static_cast<int32_t>(c.indice), 0}};
        Manopola(11, 0xFB);
        for (int volta = 0; volta < 2; ++volta) { // refused for good: every try fails alike
            EXPECT_FALSE(c.scrivi());
            const auto g = Giornale();
            EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
            const auto t = Trame(g);
            ASSERT_EQ(t.size(), 2u); // the read, the refused write; no read-back
            EXPECT_EQ(t[1].dati.substr(0, 2), Byte("4102"));
            EXPECT_EQ(t[1].dati.size(), static_cast<size_t>(static_cast<uint8_t>(t[1].dati[2])) + 2);
            EXPECT_EQ(t[1].Comando(), c.comando);
            EXPECT_EQ(ModBlck::CalcolaXor(t[1].dati), 0);
            ASSERT_EQ(c.lista->size(), 1u);
            EXPECT_EQ((*c.lista)[0].IndiceValore, static_cast<int32_t>(c.indice));
            EXPECT_EQ((*c.lista)[0].Valore, nuovo);
            EXPECT_EQ(TabellaBlocchi[c.blocco].UltimaRisposta, rispostaPrima);
            EXPECT_EQ(ValoreLetto(c.blocco, c.indice), prima);
        }
        // Refused once: the next try, accepted, writes the kept list.
        Manopola(11, 0);
        ASSERT_TRUE(c.scrivi());
        Giornale();
        EXPECT_EQ(ValoreLetto(c.blocco, c.indice), nuovo);
        ASSERT_EQ(c.lista->size(), 1u);
        EXPECT_EQ((*c.lista)[0].IndiceValore, -1);
    }
}

// The pending-edit rule, with an empty list, repeated indexes and an entry
// outside the block (skipped, so that it cannot block the list for ever).
TEST_F(ScrittureBlocchi, RegolaDelleModifiche) {
    struct Caso {
        const char* nome;
        ListaModifiche lista;
        int32_t partenza;
        int32_t atteso;
    } casi[] = {
        {"lista vuota", ModBlck::ListaVuota(), 0x41, 0x41},
        {"valore 5 accende il bit", {{5, 2, 0x08}}, 0x01, 0x09},
        {"valore 0 spegne il bit", {{0, 2, 0x08}}, 0x09, 0x01},
        {"il secondo valore vince", {{7, 2, 0}, {9, 2, 0}}, 0, 9},
        {"due maschere", {{1, 2, 0x10}, {0, 2, 0x01}}, 0x03, 0x12},
        {"indice fuori dal blocco", {{1, 2, 0x04}, {99, 500, 0}, {1, -3, 0}}, 0, 0x04},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ValoreEcu(2, 2, static_cast<uint32_t>(c.partenza));
        Giornale();
        ModBlck::ModificheBlocco2 = c.lista;
        ASSERT_TRUE(MDIFrm::ScriviBlocco2());
        EXPECT_EQ(Trame(Giornale()).size(), 3u);
        EXPECT_EQ(ValoreLetto(2, 2), c.atteso);
        EXPECT_EQ(ModBlck::ModificheBlocco2.size(), 1u);
    }
}

TEST_F(ScrittureBlocchi, GuastiLascianoLaLista) {
    struct Caso {
        const char* nome;
        int32_t dopo;     // good reply packets before the failing one
        size_t trame;     // ECU frames sent
        size_t modi;      // mode changes sent (the first, then the restores)
        bool valoriNuovi; // the in-memory values show the edit
    } casi[] = {
        {"modo iniziale", 0, 0, 2, false},
        {"lettura", 1, 1, 2, false},
        {"scrittura", 2, 2, 2, true},
        {"rilettura", 3, 3, 2, true},
        {"ripristino del modo", 4, 3, 3, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        TabellaBlocchi[12].Valori[24] = 0;
        const std::string risposta = TabellaBlocchi[12].UltimaRisposta;
        const ListaModifiche lista = {{0x34, 24, 0}};
        ModBlck::ModificheBlocco12 = lista;
        GuastoDopo(c.dopo);
        EXPECT_FALSE(MDIFrm::ScriviBlocco12());
        const auto g = Giornale();
        EXPECT_EQ(Trame(g).size(), c.trame);
        const auto m = Modi(g);
        EXPECT_EQ(m.size(), c.modi);
        EXPECT_EQ(m.back(), ModoIniziale);
        EXPECT_EQ(ModBlck::ModificheBlocco12.size(), 1u);
        EXPECT_EQ(ModBlck::ModificheBlocco12[0].IndiceValore, 24);
        EXPECT_EQ(TabellaBlocchi[12].Valori[24] == 0x34, c.valoriNuovi);
        if (c.dopo < 4) {
            EXPECT_EQ(TabellaBlocchi[12].UltimaRisposta, risposta);
        }
        ASSERT_EQ(Invia(PIPE_SET_MODE, std::string(1, static_cast<char>(ModoIniziale))), 0);
        Giornale();
    }
}

TEST_F(ScrittureBlocchi, Blocco3RicalcolaEAggiorna) {
    RegistratoreInterfaccia ui;
    int soglie = 0;
    MDIFrm::FRM_ZEBSensori_CaricaSoglieLivello = [&] { ++soglie; };
    struct Caso {
        int32_t pagina;
        std::vector<std::string> chiamate;
        int soglie;
    } casi[] = {
        {SCHEDA_INIETTORI, {"FrmInjSetPopUp.AggiornaSelezioni(True)", "FRM_ZEBCommutazione.AggiornaSelezioni"}, 0},
        {SCHEDA_SENSORI, {"FRM_ZEBSensori.AggiornaSelezioni"}, 1},
        {SCHEDA_COMMUTAZIONE, {"FRM_ZEBCommutazione.AggiornaSelezioni"}, 0},
        {SCHEDA_GESTIONE, {"FRM_ZEBGestione.AggiornaSelezioni"}, 0},
        {SCHEDA_OBD, {"FrmObd.AggiornaSelezioniObd"}, 0},
        {24, {}, 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.pagina);
        ui.Azzera();
        soglie = 0;
        ModMain::PaginaCorrente = c.pagina;
        ModBlck::TempoBlocco = 1.0f;
        ModBlck::ModificheBlocco3 = {{6, 1, 0}, {3, 0, 0}};
        ASSERT_TRUE(MDIFrm::ScriviBlocco3());
        EXPECT_EQ(ModBlck::TempoBlocco, ModBlck::CalcolaFattoreGiriTempo(6, 3));
        EXPECT_EQ(ui.Aggiornamenti(), c.chiamate);
        EXPECT_EQ(soglie, c.soglie);
    }
}

// Block 5: the frame, the store under the long wait, the normal wait, the
// read-back; the waits clamped to 16 bits and put back after a failure.
TEST_F(ScrittureBlocchi, Blocco5ConAttesaLunga) {
    BloccoParametri b5 = TabellaBlocchi[5];
    b5.Valori.assign(b5.Valori.size(), 0);
    b5.Valori[0] = 666;
    b5.Valori[6] = 4;
    std::string dati;
    ModBlck::CodificaBlocco(dati, b5);
    const std::string trama = ModBlck::CostruisciTrama(0x41, 0x02, CMD_WRITE_BLK5, dati);
    struct Caso {
        int32_t globale, moltiplicatore;
        std::string lunga, normale;
    } casi[] = {
        {150'000, 20, std::string("\xB8\x0B\0\0", 4), std::string("\x96\0\0\0", 4)},
        {150'000, 500, std::string("\xFF\xFF\0\0", 4), std::string("\x96\0\0\0", 4)}, // 75,000 ms
    };
    for (const auto& c : casi) {
        ModBlck::AttesaGlobale = c.globale;
        ModBlck::MoltiplicatoreAttesa = c.moltiplicatore;
        TabellaBlocchi[5].Valori[0] = 0;
        ASSERT_TRUE(MDIFrm::ScriviBlocco5(trama));
        const auto g = Giornale();
        std::vector<std::string> attese;
        for (const auto& p : g)
            if (p.codice == PIPE_SET_ECU_WAIT) attese.push_back(p.dati);
        EXPECT_EQ(attese, (std::vector<std::string>{c.lunga, c.normale}));
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
        const auto t = Trame(g);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t[0].dati, trama);
        EXPECT_EQ(t[1].Comando(), CMD_STORE_BLK5);
        EXPECT_EQ(TabellaBlocchi[5].Valori[0], 666);
    }

    // A failure in the store: the normal wait and the saved mode go back.
    for (int32_t dopo : {3, 4}) {
        SCOPED_TRACE(dopo);
        GuastoDopo(dopo); // mode, frame, long wait, then the store (3) or the normal wait (4) fails
        EXPECT_FALSE(MDIFrm::ScriviBlocco5(trama));
        const auto g = Giornale();
        ASSERT_GE(g.size(), 2u);
        EXPECT_EQ(g[g.size() - 2].codice, PIPE_SET_ECU_WAIT);
        EXPECT_EQ(g[g.size() - 2].dati, std::string("\x96\0\0\0", 4));
        EXPECT_EQ(g.back().codice, PIPE_SET_MODE);
        EXPECT_EQ(static_cast<uint8_t>(g.back().dati[0]), ModoIniziale);
    }
    // A failure before the long wait sends no wait.
    GuastoDopo(1);
    EXPECT_FALSE(MDIFrm::ScriviBlocco5(trama));
    for (const auto& p : Giornale()) EXPECT_NE(p.codice, PIPE_SET_ECU_WAIT);

    // The ECU refuses the record: no store, no wait, block 5 as it was.
    b5.Valori[0] = 777;
    dati.clear();
    ModBlck::CodificaBlocco(dati, b5);
    Manopola(11, 0xFB);
    EXPECT_FALSE(MDIFrm::ScriviBlocco5(ModBlck::CostruisciTrama(0x41, 0x02, CMD_WRITE_BLK5, dati)));
    Manopola(11, 0);
    const auto g = Giornale();
    EXPECT_EQ(Trame(g).size(), 1u);
    for (const auto& p : g) EXPECT_NE(p.codice, PIPE_SET_ECU_WAIT);
    EXPECT_EQ(Modi(g).back(), ModoIniziale);
    EXPECT_EQ(ValoreLetto(5, 0), 666);
}

TEST_F(ScrittureBlocchi, LettureBlocchi10E20) {
    TabellaBlocchi[10].UltimaRisposta.clear();
    EXPECT_EQ(MDIFrm::LeggiBlocco10(), 0);
    EXPECT_EQ(TabellaBlocchi[10].UltimaRisposta.substr(0, 4), std::string("\x42\x01\x14\x46", 4));
    EXPECT_TRUE(Modi(Giornale()).empty());

    ValoreEcu(20, 0, 0x07);
    ValoreEcu(20, 1, 55);
    Giornale();
    const BloccoParametri prima = TabellaBlocchi[20];
    EXPECT_TRUE(MDIFrm::LeggiOBDInfoError());
    EXPECT_EQ(TabellaBlocchi[20].Valori, prima.Valori);
    EXPECT_EQ(TabellaBlocchi[20].UltimaRisposta, prima.UltimaRisposta);
    ValoreEcu(20, 0, 0x0F);
    Giornale();
    EXPECT_TRUE(MDIFrm::LeggiOBDInfoError());
    EXPECT_EQ(TabellaBlocchi[20].Valori[0], 0x0F);
    EXPECT_EQ(TabellaBlocchi[20].Valori[1], 55);
    GuastoDopo(0);
    EXPECT_FALSE(MDIFrm::LeggiOBDInfoError());
}

// "[TRisult]" from a file: exactly the 120 table bytes of a valid line go out,
// after block 2 and the gas-table reset; an invalid line or file sends nothing.
TEST_F(ScrittureBlocchi, TabellaRisultatoDaFile) {
    std::string tabella;
    for (int i = 0; i < 120; ++i) tabella += static_cast<char>(i * 2 + 1);
    std::string risposta = std::string("\x42\x01\x7D\x20\x00\x03", 6) + tabella;
    risposta += static_cast<char>(ModBlck::CalcolaXor(risposta));
    const std::string riga = ModGlobFunct::ConvertiTestoInHex(risposta);
    ASSERT_EQ(riga.size(), 254u);

    ValoreEcu(2, 2, 0x20);
    Giornale();
    const std::string percorso = File("[FW]\r\n00\r\n[TRisult]\r\n" + riga + "\r\n[TIsto]\r\n00\r\n");
    ASSERT_EQ(MDIFrm::LeggiMappeVcmRpmDafileEScarica("ignorata", percorso), 0);
    const auto g = Giornale();
    const auto t = Trame(g);
    std::vector<uint8_t> comandi;
    for (const auto& p : t) comandi.push_back(p.Comando());
    EXPECT_EQ(comandi, (std::vector<uint8_t>{CMD_READ_BLK2, CMD_WRITE_BLK2, CMD_READ_BLK2, CMD_RESET_TGAS,
                                             CMD_WRITE_TRISULT, CMD_RESET_TISTO}));
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[4].DatiTrama(), tabella);
    EXPECT_EQ(Modi(g), (std::vector<int>{2, 2, 2, ModoIniziale}));
    EXPECT_EQ(ValoreLetto(2, 2), 0x08);
    std::string b, gs, r, i;
    ASSERT_EQ(ModBlck::LeggiTabelleMappetta(b, gs, r, i), 0);
    EXPECT_EQ(r.substr(6, 120), tabella);
    EXPECT_EQ(gs.substr(6, 120), std::string(120, '\0'));
    Giornale();

    struct Caso {
        const char* nome;
        std::string contenuto; // empty: no file
        int32_t esito;
    } casi[] = {
        {"senza sezione", "[FW]\r\n00\r\n", 0},
        {"sezione ultima riga", "[FW]\r\n[TRisult]", 0},
        {"riga corta", "[TRisult]\r\n42017D2000\r\n", 4},
        {"riga non esadecimale", "[TRisult]\r\n" + riga.substr(0, 100) + "ZZ" + riga.substr(102) + "\r\n", 4},
        {"lunghezza diversa da 7D", "[TRisult]\r\n4201" + std::string("7C") + riga.substr(6) + "\r\n", 4},
        {"riga con un byte in piu", "[TRisult]\r\n" + riga + "00\r\n", 4},
        {"file mancante", "", 4},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const std::string p = c.contenuto.empty() ? base.File("Data/manca.xsi") : File(c.contenuto);
        EXPECT_EQ(MDIFrm::LeggiMappeVcmRpmDafileEScarica("", p), c.esito);
        EXPECT_TRUE(Giornale().empty());
    }

    // The block-2 write fails: 4, no reset, the two staged entries stay.
    File("[TRisult]\r\n" + riga + "\r\n");
    GuastoDopo(3); // the two mode changes, the block-2 read, then its write fails
    EXPECT_EQ(MDIFrm::LeggiMappeVcmRpmDafileEScarica("", percorso), 4);
    const auto g2 = Giornale();
    EXPECT_EQ(Conta(g2, CMD_RESET_TGAS), 0u);
    ASSERT_FALSE(Modi(g2).empty());
    EXPECT_EQ(Modi(g2).back(), ModoIniziale);
    ASSERT_EQ(ModBlck::ModificheBlocco2.size(), 2u);
    EXPECT_EQ(ModBlck::ModificheBlocco2[1].Maschera, 0x20);

    // The ECU refuses the block-2 write: the same, and its table stays.
    ModBlck::ModificheBlocco2 = ModBlck::ListaVuota();
    ValoreEcu(2, 2, 0x20);
    Giornale();
    Manopola(11, 0xFB);
    EXPECT_EQ(MDIFrm::LeggiMappeVcmRpmDafileEScarica("", percorso), 4);
    Manopola(11, 0);
    const auto g3 = Giornale();
    EXPECT_EQ(Conta(g3, CMD_RESET_TGAS), 0u);
    EXPECT_EQ(Conta(g3, CMD_WRITE_TRISULT), 0u);
    EXPECT_EQ(Modi(g3).back(), ModoIniziale);
    ASSERT_EQ(ModBlck::ModificheBlocco2.size(), 2u);
    EXPECT_EQ(ValoreLetto(2, 2), 0x20);
}

TEST_F(ScrittureBlocchi, AdattativaEComandoLibero) {
    ModMain::MappaPagina1 = PaginaMappa{};
    ASSERT_TRUE(MDIFrm::LeggiAdattativa());
    PaginaMappa ecu{};
    ASSERT_EQ(ModBlck::LeggiMappaAdat(ecu), 0);
    EXPECT_EQ(ModMain::MappaPagina1, ecu);
    Giornale();
    // Failing in the third chunk: false, page 1 unchanged, the mode left at 2.
    const PaginaMappa prima = ModMain::MappaPagina1;
    GuastoDopo(3);
    EXPECT_FALSE(MDIFrm::LeggiAdattativa());
    EXPECT_EQ(ModMain::MappaPagina1, prima);
    EXPECT_EQ(Modi(Giornale()).back(), 2);

    std::string testo = "4102032161";
    EXPECT_EQ(MDIFrm::InviaComandoCustom(testo), 0);
    EXPECT_EQ(testo.substr(0, 4), "4201");
    EXPECT_EQ(testo, ModGlobFunct::ConvertiTestoInHex(ModBlck::ElencoFirmwareAltri[0]));
    const auto t = Trame(Giornale());
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].dati, Byte("4102032161"));
    // Not hex: the empty payload goes out unchanged; the ECU ignores it.
    testo = "41 02 03";
    EXPECT_EQ(MDIFrm::InviaComandoCustom(testo), 0);
    EXPECT_EQ(testo, "");
    GuastoDopo(0);
    testo = "4102032161";
    EXPECT_NE(MDIFrm::InviaComandoCustom(testo), 0);
    EXPECT_EQ(testo, " ** ERROR ** ");
}
