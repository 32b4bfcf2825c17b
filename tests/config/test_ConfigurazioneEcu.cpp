// Configuration files with the connected ECU, against the real companion and
// the simulated ECU: the whole save, the load by request, file type and
// capability, the refusal of bad files before any traffic, the single-section
// loads and the block re-reads.
#include "companion/ClienteTrasferimenti.h"

#include <filesystem>

#include "config/FileConfigurazione.h"
#include "link/ModBlckTransazioni.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "config/ModMainSalvataggio.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/MDIFrmScritture.h"
#include "engine/ModMainRichieste.h"

namespace {

namespace FCfg = FileConfigurazione;

class ConfigEcu : public ClienteTrasferimenti {
protected:
    void SetUp() override {
        ClienteTrasferimenti::SetUp();
        base_ = ModMain::PercorsoBase;
        ModMain::ImpostaPercorsi(base.Percorso());
        ModMain::PercorsoBase = base.Percorso();
        ModMain::ElencaConfigurazioniPredefinite(ModMain::ConfigurazioniPredefinite);
        ModMain::FunzioneEstesaEcu = -1;
        ModMain::AbilitaNuovaObd = true;
        Piattaforma::Copione::Attiva();
        // What the connect procedure leaves: the blocks as the ECU holds them.
        for (size_t n : {2u, 3u, 5u, 15u}) ASSERT_TRUE(LeggiBlocco(n));
        Giornale();
    }
    void TearDown() override {
        Piattaforma::Copione::Attiva(true); // scripted, as every test starts
        ModMain::ImpostaPercorsi(base_);
        ModMain::PercorsoBase = base_;
        ModMain::ConfigurazioniPredefinite = predefinite_;
        ModMain::FunzioneEstesaEcu = estesa_;
        ModMain::AbilitaNuovaObd = obd_;
        ModMain::RichiestaPendente = 0;
        ModMain::NomeConfigurazione = nome_;
        ModMain::NotaConfigurazione = nota_;
        ClienteTrasferimenti::TearDown();
    }
    static std::map<std::string, std::string> Sezioni(const std::string& percorso) {
        std::vector<std::string> nomi = FCfg::Sezioni(true);
        return FCfg::LeggiSezioni(FCfg::Righe(SupportoTest::LeggiFile(percorso)), nomi);
    }
    bool Carica(int32_t richiesta, const std::string& percorso) {
        ModMain::RichiestaPendente = richiesta;
        const bool ok = ModMain::CaricaConfigurazioneInEcu(percorso);
        ModMain::RichiestaPendente = 0;
        return ok;
    }
    // Command bytes of the ECU frames of a journal.
    static std::vector<uint8_t> Comandi(const std::vector<PacchettoRicevuto>& g) {
        std::vector<uint8_t> c;
        for (const auto& p : Trame(g)) c.push_back(p.Comando());
        return c;
    }
    // The file text with the value line of `sezione` replaced, or without the section.
    static std::string ConRiga(const std::string& testo, const std::string& sezione, const std::string& valore) {
        auto r = FCfg::Righe(testo);
        *(std::find(r.begin(), r.end(), sezione) + 1) = valore;
        std::string f;
        for (const auto& x : r) f += x + "\r\n";
        return f;
    }
    static std::string Senza(const std::string& testo, const std::string& sezione) {
        auto r = FCfg::Righe(testo);
        const auto i = std::find(r.begin(), r.end(), sezione);
        r.erase(i, i + 2);
        std::string f;
        for (const auto& x : r) f += x + "\r\n";
        return f;
    }
    // The value line of `sezione` in the file text.
    static std::string Valore(const std::string& testo, const std::string& sezione) {
        const auto r = FCfg::Righe(testo);
        return *(std::find(r.begin(), r.end(), sezione) + 1);
    }
    std::string Utente() const { return base.File("Data/utente.qdl"); }
    std::string Fabbrica() const { return base.File("lng/00 Redadi Inj Custom.xsi"); }

private:
    std::string base_, nome_ = ModMain::NomeConfigurazione, nota_ = ModMain::NotaConfigurazione;
    std::vector<ConfigurazionePredefinita> predefinite_ = ModMain::ConfigurazioniPredefinite;
    int16_t estesa_ = ModMain::FunzioneEstesaEcu;
    bool obd_ = ModMain::AbilitaNuovaObd;
};

TEST_F(ConfigEcu, SalvataggioLeggeTuttoEScriveIlFile) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const auto g = Giornale();
    EXPECT_EQ(Trame(g).size(), 45u);
    EXPECT_EQ(Modi(g).front(), 2);
    EXPECT_EQ(Modi(g).back(), ModoIniziale);
    const auto s = Sezioni(Utente());
    EXPECT_EQ(s.size(), 45u);
    EXPECT_EQ(FCfg::Righe(SupportoTest::LeggiFile(Utente())).size(), 94u);
    EXPECT_EQ(s.at("[MAP_4]").size(), 236u);
    EXPECT_EQ(s.at("[BLK_DINST]").substr(0, 10), "42017C5100");

    // Without the capabilities blocks 18, 19 and 20 come from memory, unread.
    ModMain::FunzioneEstesaEcu = 0;
    ModMain::AbilitaNuovaObd = false;
    TabellaBlocchi[18].UltimaRisposta = FCfg::Trama(0x7C, 0x51, std::string(120, 'M'));
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    EXPECT_EQ(Trame(Giornale()).size(), 42u);
    EXPECT_EQ(Sezioni(Utente()).at("[BLK_DINST]"), ModGlobFunct::ConvertiTestoInHex(TabellaBlocchi[18].UltimaRisposta));
}

TEST_F(ConfigEcu, GuastoInQualunqueLetturaNonLasciaFile) {
    SupportoTest::ScriviFile(Utente(), "old");
    for (int32_t dopo : {0, 2, 9, 24, 40, 46}) {
        SCOPED_TRACE(dopo);
        GuastoDopo(dopo);
        EXPECT_FALSE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
        EXPECT_EQ(SupportoTest::LeggiFile(Utente()), "old");
        Giornale();
    }
    // A refused read (status not 0) fails the save the same way.
    Manopola(21, 1);
    EXPECT_FALSE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    EXPECT_EQ(SupportoTest::LeggiFile(Utente()), "old");
}

TEST_F(ConfigEcu, SalvaCambiaCaricaRisalvaDaLoStessoFile) {
    const std::string a = base.File("Data/a.qdl"), b = base.File("Data/b.qdl");
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(a));
    // The ECU changes: a block-3 value, map cells, block 18 and a vector.
    ValoreEcu(3, 39, 777);
    ASSERT_EQ(ModBlck::InviaComandoEcu(CMD_WRITE_MAP, std::string("\x00\x00\x03\x01\x02\x03", 6)), 0);
    ASSERT_EQ(ModBlck::InviaComandoEcu(CMD_WRITE_BLK18, std::string(120, 'Z')), 0);
    ASSERT_EQ(ModBlck::InviaComandoEcu(CMD_WRITE_VET_TINJ, std::string("\x5A\x00\x01\x07", 4)), 0);
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(b));
    ASSERT_NE(Sezioni(a), Sezioni(b));

    ASSERT_TRUE(Carica(REQ_LOAD_CONFIG_FILE, a));
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(b));
    auto sa = Sezioni(a), sb = Sezioni(b);
    // Live values move; the load resets the OBD-map tables and clears the ECU's errors.
    for (const char* s : {"[BLK_1]", "[TBenz]", "[TGas]", "[TRisult]", "[TIsto]", "[ERROR_ECU]"}) {
        sa.erase(s);
        sb.erase(s);
    }
    for (const auto& [s, v] : sa) EXPECT_EQ(sb.at(s), v) << s;
}

TEST_F(ConfigEcu, SequenzaPerRichiestaTipoECapacita) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    Giornale();
    const std::vector<uint8_t> parametriTesta = {0x10, 0x11, 0x6F};
    const std::vector<uint8_t> mappe = {0x32, 0x13, 0x13, 0x13, 0x13, 0x13, 0x17, 0x17, 0x17, 0x17, 0x17,
                                        0x79, 0x79, 0x79, 0x79, 0x79};
    const std::vector<uint8_t> compensazioni = {0x7D, 0x7B, 0x7F, 0x81, 0x5E};
    const std::vector<uint8_t> vettori = {0x4C, 0x4C, 0x4F, 0x4F};
    struct Caso {
        int32_t richiesta;
        bool fabbrica, estesa, obd;
    } casi[] = {
        {REQ_LOAD_CONFIG_PARAMS, false, true, true}, {REQ_LOAD_CONFIG_PARAMS, false, false, false},
        {REQ_LOAD_CONFIG_MAPS, false, true, true},   {REQ_LOAD_CONFIG_COMP, true, true, true},
        {REQ_LOAD_CONFIG_FILE, false, true, true},   {REQ_LOAD_CONFIG_FILE, true, false, true},
        {REQ_LOAD_CONFIG_FILE, true, true, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::to_string(c.richiesta) + (c.fabbrica ? " factory" : " user") + (c.estesa ? " 18" : "") +
                     (c.obd ? " obd" : ""));
        ModMain::FunzioneEstesaEcu = c.estesa ? -1 : 0;
        ModMain::AbilitaNuovaObd = c.obd;
        std::vector<uint8_t> parametri = parametriTesta;
        parametri.insert(parametri.end(), {0x3D, 0x7D, 0x7B, 0x7F, 0x81, 0x5E, 0x42});
        if (c.obd) parametri.push_back(0x9C);
        parametri.insert(parametri.end(), {0x45, 0x63, 0x75});
        if (c.estesa) parametri.push_back(0x52);
        std::vector<uint8_t> attesi;
        switch (c.richiesta) {
        case REQ_LOAD_CONFIG_PARAMS: attesi = parametri; break;
        case REQ_LOAD_CONFIG_MAPS:
            attesi = mappe;
            attesi.insert(attesi.end(), vettori.begin(), vettori.end());
            break;
        case REQ_LOAD_CONFIG_COMP: attesi = compensazioni; break;
        default:
            // Everything in the table's order, then the resets, the error clear and the block-4 read.
            attesi = parametriTesta;
            attesi.insert(attesi.end(), mappe.begin(), mappe.end());
            attesi.insert(attesi.end(), parametri.begin() + 3, parametri.end());
            attesi.insert(attesi.end(), vettori.begin(), vettori.end());
            attesi.push_back(0x1E);
            if (c.fabbrica) attesi.push_back(0x1D);
            attesi.insert(attesi.end(), {0x3F, 0x40, 0x14, 0x0F});
            break;
        }
        attesi.push_back(0x15);
        ASSERT_TRUE(Carica(c.richiesta, c.fabbrica ? Fabbrica() : Utente()));
        const auto g = Giornale();
        EXPECT_EQ(Comandi(g), attesi);
        EXPECT_EQ(Modi(g), (std::vector<int>{2, ModoIniziale}));
    }
}

TEST_F(ConfigEcu, FileDiFabbricaAdattatoAllaCentralina) {
    // The ECU's service counters and cylinder count: value 9 of block 2, block 5 value 6 = 4.
    ValoreEcu(2, 9, 0x0123);
    ValoreEcu(2, 3, 55);
    ASSERT_TRUE(LeggiBlocco(2));
    ASSERT_TRUE(Carica(REQ_LOAD_CONFIG_PARAMS, Fabbrica()));
    std::string d;
    for (const auto& p : Trame(Giornale()))
        if (p.Comando() == CMD_WRITE_BLK15) d = p.DatiTrama();
    ASSERT_GE(d.size(), 94u);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(d[20 + k], k < 4 ? 3 : 0) << k;
    for (int i = 85; i <= 93; ++i) EXPECT_NE(d[i] & 0x80, 0) << i;
    ASSERT_TRUE(LeggiBlocco(2));
    // Written with bit 15 (keep the interval, restart the countdown); the ECU stores the interval.
    EXPECT_EQ(TabellaBlocchi[2].Valori[9], 0x0123);
    EXPECT_EQ(TabellaBlocchi[2].Valori[3], 55);
}

TEST_F(ConfigEcu, FileDifettosoRifiutatoPrimaDiOgniTraffico) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string buono = SupportoTest::LeggiFile(Utente());
    auto sostituisci = [&](const std::string& sezione, const std::string& valore) { return ConRiga(buono, sezione, valore); };
    auto senza = [&](const std::string& sezione) { return Senza(buono, sezione); };
    // The ECU runs on gas: a good file would switch it over first.
    TabellaBlocchi[2].Valori[1] = 3;
    const std::string mappa = ModGlobFunct::ConvertiTestoInHex(FCfg::Trama(0x71, 0x12, std::string(109, '\x01')));
    struct Caso {
        const char* nome;
        std::string testo;
    } casi[] = {
        {"non-hex line", sostituisci("[COM_SMAG]", "4201ZZ5E0000")},
        {"map chunk of 109 cells", sostituisci("[MAP_2]", mappa)},
        {"vector part of 63 bytes", sostituisci("[VET_RPM_1]", ModGlobFunct::ConvertiTestoInHex(FCfg::Trama(0x43, 0x4B, std::string(63, '\0'))))},
        {"short line", sostituisci("[RIT_COM]", "4201")},
        {"no [BLK_3]", senza("[BLK_3]")},
    };
    Giornale();
    for (const auto& c : casi) {
        SupportoTest::ScriviFile(Utente(), c.testo);
        EXPECT_FALSE(Carica(REQ_LOAD_CONFIG_FILE, Utente())) << c.nome;
        EXPECT_TRUE(Giornale().empty()) << c.nome;
    }
    EXPECT_FALSE(Carica(REQ_LOAD_CONFIG_FILE, base.File("Data/none.qdl")));
    EXPECT_TRUE(Giornale().empty());
}

// A file cut inside its sections changes nothing in the ECU: cut right after
// any section line (with or without its line end), inside any line, or
// between the vector parts so that only some of the four are left.
TEST_F(ConfigEcu, FileTroncatoNonCambiaNulla) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string intero = SupportoTest::LeggiFile(Utente());
    std::vector<std::pair<std::string, std::string>> tagli; // what, the text left
    std::string sezione;
    for (size_t inizio = 0, fine; (fine = intero.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2) {
        const std::string riga = intero.substr(inizio, fine - inizio);
        if (!riga.empty() && riga.front() == '[') {
            sezione = riga;
            tagli.push_back({riga + " last", intero.substr(0, fine + 2)});
            tagli.push_back({riga + " last, no line end", intero.substr(0, fine)});
            tagli.push_back({riga + " cut", intero.substr(0, inizio + riga.size() / 2)});
        } else if (riga.size() > 2) {
            tagli.push_back({"value of " + sezione + " cut", intero.substr(0, inizio + riga.size() / 2)});
            tagli.push_back({"value of " + sezione + " cut at an odd digit", intero.substr(0, inizio + riga.size() / 2 + 1)});
        }
    }
    for (const char* s : {"[VET_RPM_0]", "[VET_RPM_1]", "[VET_TINJ_0]"}) {
        const size_t valore = intero.find(std::string(s) + "\r\n") + std::string(s).size() + 2;
        tagli.push_back({std::string("after the value of ") + s, intero.substr(0, intero.find("\r\n", valore) + 2)});
    }
    ASSERT_GT(tagli.size(), 200u);
    // The ECU runs on gas: a load would switch it over first.
    TabellaBlocchi[2].Valori[1] = 3;
    Giornale();
    for (const auto& [cosa, testo] : tagli) {
        SupportoTest::ScriviFile(Utente(), testo);
        EXPECT_FALSE(Carica(REQ_LOAD_CONFIG_FILE, Utente())) << cosa;
        EXPECT_TRUE(Giornale().empty()) << cosa;
    }
    // Whole, the same file loads.
    TabellaBlocchi[2].Valori[1] = 0;
    SupportoTest::ScriviFile(Utente(), intero);
    EXPECT_TRUE(Carica(REQ_LOAD_CONFIG_FILE, Utente()));
}

// One frame that is not the reply its section holds refuses the whole load
// before any traffic: each byte of a frame changed on its own (the XOR made to
// hold again, unless a stale XOR is the point), a well-formed frame of another
// length, another section's reply. The result table of a map file (a
// configuration file under another name) goes out only whole too.
TEST_F(ConfigEcu, TramaAlterataRifiutataPrimaDiOgniTraffico) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string buono = SupportoTest::LeggiFile(Utente());
    // Byte k of the section's frame set to v; with `ripara` the XOR holds again.
    auto altera = [&](const std::string& sezione, size_t k, int v, bool ripara) {
        std::string t = ModGlobFunct::ConvertiHexInTesto(Valore(buono, sezione));
        if (k >= t.size()) k = t.size() - 1;
        t[k] = static_cast<char>(v < 0 ? t[k] ^ 0x01 : v);
        if (ripara) {
            uint8_t x = 0;
            for (size_t i = 0; i + 1 < t.size(); ++i) x ^= static_cast<uint8_t>(t[i]);
            t.back() = static_cast<char>(x);
        }
        return ModGlobFunct::ConvertiTestoInHex(t);
    };
    const size_t ultimo = 1000; // the XOR byte
    struct Caso {
        const char* sezione;
        size_t byte;
        int valore; // -1: the lowest bit flipped
        bool ripara;
    } const casi[] = {
        {"[BLK_6]", 9, -1, false},       {"[BLK_6]", ultimo, -1, false}, {"[BLK_6]", 0, 0x43, true},
        {"[MAP_2]", 1, 0x02, true},      {"[VET_TINJ_1]", 2, 0x5F, true}, {"[BLK_6]", 3, CMD_WRITE_BLK15, true},
        {"[COM_SMAG]", 4, 0x01, true},   {"[BLK_2]", 7, -1, false},       {"[BLK_DINST]", 2, 0x7B, true},
        {"[OBD_ERR]", ultimo, -1, false}, {"[MAP_4]", 60, -1, false},     {"[VET_RPM_0]", 3, CMD_READ_VET_TINJ, true},
    };
    std::vector<std::pair<std::string, std::string>> file;
    for (const auto& c : casi)
        file.push_back({std::string(c.sezione) + " byte " + std::to_string(c.byte),
                        ConRiga(buono, c.sezione, altera(c.sezione, c.byte, c.valore, c.ripara))});
    file.push_back({"[BLK_3] with 2 data bytes", ConRiga(buono, "[BLK_3]", "4201060E0004044B")});
    file.push_back({"[BLK_8] holding block 15's reply", ConRiga(buono, "[BLK_8]", Valore(buono, "[BLK_6]"))});
    Giornale();
    for (const auto& [cosa, testo] : file) {
        SupportoTest::ScriviFile(Utente(), testo);
        EXPECT_FALSE(Carica(REQ_LOAD_CONFIG_FILE, Utente())) << cosa;
        EXPECT_TRUE(Giornale().empty()) << cosa;
    }

    const std::string tun = base.File("Data/mappa.tun");
    struct CasoTabella {
        size_t byte;
        int valore;
        bool ripara;
    } const tabella[] = {{0, 0x43, true}, {2, 0x7C, true}, {3, CMD_READ_TGAS, true}, {4, 0x01, true},
                         {40, -1, false}, {ultimo, -1, false}};
    for (const auto& c : tabella) {
        SupportoTest::ScriviFile(tun, ConRiga(buono, "[TRisult]", altera("[TRisult]", c.byte, c.valore, c.ripara)));
        EXPECT_NE(MDIFrm::LeggiMappeVcmRpmDafileEScarica("", tun), 0) << c.byte;
        EXPECT_TRUE(Giornale().empty()) << c.byte;
    }
    SupportoTest::ScriviFile(tun, buono);
    EXPECT_EQ(MDIFrm::LeggiMappeVcmRpmDafileEScarica("", tun), 0);
    EXPECT_EQ(Conta(Giornale(), CMD_WRITE_TRISULT), 1u);
}

// The connected save keeps the ECU's XOR over the cylinder bytes it then sets
// to flags: such a file still loads, its flags as the file holds them.
TEST_F(ConfigEcu, Blocco3NormalizzatoSiRicarica) {
    ValoreEcu(3, 10, 3); // cylinder position 7 in state 3 (data byte 15)
    ValoreEcu(3, 16, 0); // position 1 off (data byte 21)
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string b3 = ModGlobFunct::ConvertiHexInTesto(Sezioni(Utente()).at("[BLK_3]"));
    ASSERT_NE(ModBlck::CalcolaXor(b3), 0); // the frame as the file has it
    Giornale();
    ASSERT_TRUE(Carica(REQ_LOAD_CONFIG_PARAMS, Utente()));
    std::string d;
    for (const auto& p : Trame(Giornale()))
        if (p.Comando() == CMD_WRITE_BLK3) d = p.DatiTrama();
    ASSERT_GE(d.size(), 22u);
    EXPECT_EQ(d[15], 1);
    EXPECT_EQ(d[21], 1);
}

// With nothing in the request's scope the load still closes as it always
// does (long wait, store, normal wait, link mode back) and succeeds.
TEST_F(ConfigEcu, NienteDaInviareChiudeComunque) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    std::string f = SupportoTest::LeggiFile(Utente());
    std::vector<std::string> via = {"[BLK_5]", "[VET_RPM_0]", "[VET_RPM_1]", "[VET_TINJ_0]", "[VET_TINJ_1]",
                                    "[COM_TGASX]", "[COM_TRIDX]", "[COM_PGASX]", "[COM_PBENX]", "[COM_SMAG]"};
    for (int p = 0; p < 3; ++p)
        for (const auto& s : FCfg::SezioniMappa(p)) via.push_back(s);
    for (const auto& s : via) f = Senza(f, s);
    SupportoTest::ScriviFile(Utente(), f);
    const int64_t normale = ModBlck::AttesaGlobale / 1000;
    const int64_t lunga = normale * ModBlck::MoltiplicatoreAttesa;
    auto attesa = [](int64_t ms) { return std::string{static_cast<char>(ms & 0xFF), static_cast<char>(ms >> 8 & 0xFF), 0, 0}; };
    Giornale();
    for (int32_t richiesta : {REQ_LOAD_CONFIG_MAPS, REQ_LOAD_CONFIG_COMP}) {
        SCOPED_TRACE(richiesta);
        EXPECT_TRUE(Carica(richiesta, Utente()));
        std::vector<std::pair<int32_t, std::string>> visti;
        for (const auto& p : Giornale()) {
            if (p.codice == PIPE_ECU_FRAME) visti.push_back({p.codice, std::string(1, static_cast<char>(p.Comando()))});
            if (p.codice == PIPE_SET_MODE) visti.push_back({p.codice, p.dati.substr(0, 1)});
            if (p.codice == PIPE_SET_ECU_WAIT) visti.push_back({p.codice, p.dati.substr(0, 4)});
        }
        const std::vector<std::pair<int32_t, std::string>> attesi = {
            {PIPE_SET_MODE, "\x02"}, {PIPE_SET_ECU_WAIT, attesa(lunga)}, {PIPE_ECU_FRAME, "\x15"},
            {PIPE_SET_ECU_WAIT, attesa(normale)}, {PIPE_SET_MODE, std::string(1, static_cast<char>(ModoIniziale))}};
        EXPECT_EQ(visti, attesi);
    }
}

// A switchover that fails at the start ends the load with nothing changed:
// neither the name, nor the pending block-18 list, nor block 18's reply.
TEST_F(ConfigEcu, CommutazioneFallitaNonCambiaNulla) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string intero = SupportoTest::LeggiFile(Utente());
    const std::string senzaNome = base.File("Data/senza.qdl");
    SupportoTest::ScriviFile(senzaNome, Senza(intero, "[BLK_DINST]"));
    struct Caso {
        std::string percorso;
        int16_t estesa;
    } const casi[] = {{senzaNome, -1}, {Utente(), 0}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.percorso + " " + std::to_string(c.estesa));
        ModMain::FunzioneEstesaEcu = c.estesa;
        TabellaBlocchi[2].Valori[1] = 3;
        ModMain::NomeConfigurazione = "  before  ";
        ModBlck::ModificheBlocco18.clear();
        TabellaBlocchi[18].UltimaRisposta = "old";
        GuastoDopo(1); // the switchover's first read fails
        EXPECT_FALSE(Carica(REQ_LOAD_CONFIG_FILE, c.percorso));
        EXPECT_EQ(ModMain::NomeConfigurazione, "  before  ");
        EXPECT_TRUE(ModBlck::ModificheBlocco18.empty());
        EXPECT_EQ(TabellaBlocchi[18].UltimaRisposta, "old");
        EXPECT_EQ(Conta(Giornale(), CMD_WRITE_BLK3), 0u);
    }
}

TEST_F(ConfigEcu, TabellaPressioneDalFileDiFabbrica) {
    const std::string atteso = *FCfg::DatiTrama(*FCfg::TramaDaHex(Sezioni(Fabbrica()).at("[COM_PGASX]")));
    ASSERT_TRUE(ModMain::ScriviComPGasX());
    auto t = Trame(Giornale());
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Comando(), CMD_WRITE_BLK9);
    EXPECT_EQ(t[0].DatiTrama(), atteso);
    EXPECT_EQ(t[1].Comando(), ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[9].TramaRichiesta)[3]);
    ASSERT_TRUE(ModMain::ScriviComPBenX());
    EXPECT_EQ(Trame(Giornale()).front().Comando(), CMD_WRITE_BLK17);
    // No factory file at all: false, nothing sent.
    // A factory table whose XOR no longer holds: false, nothing sent.
    for (const auto& c : ModMain::ConfigurazioniPredefinite) {
        const std::string f = SupportoTest::LeggiFile(c.Percorso);
        std::string v = Valore(f, "[COM_PGASX]");
        v[12] = v[12] == '0' ? '1' : '0';
        SupportoTest::ScriviFile(c.Percorso, ConRiga(f, "[COM_PGASX]", v));
    }
    Giornale();
    EXPECT_FALSE(ModMain::ScriviComPGasX());
    EXPECT_TRUE(Trame(Giornale()).empty());
    for (const auto& c : ModMain::ConfigurazioniPredefinite) std::filesystem::remove(c.Percorso);
    EXPECT_FALSE(ModMain::ScriviComPGasX());
    EXPECT_TRUE(Trame(Giornale()).empty());
}

TEST_F(ConfigEcu, VettoriDaFileInMemoriaEInCentralina) {
    ModBlck::VettoreGiri rpm{};
    ModBlck::VettoreTempi tinj{};
    ModMain::CaricaVettoriRpmTinj(rpm, tinj, Fabbrica());
    const auto s = Sezioni(Fabbrica());
    EXPECT_EQ(std::string(rpm.begin(), rpm.begin() + 64), *FCfg::DatiTrama(*FCfg::TramaDaHex(s.at("[VET_RPM_0]"))));
    EXPECT_EQ(std::string(tinj.begin() + 90, tinj.end()), *FCfg::DatiTrama(*FCfg::TramaDaHex(s.at("[VET_TINJ_1]"))));
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    // A part missing, or no file: entry 360, the arrays unchanged, nothing sent by the writer.
    auto r = FCfg::Righe(SupportoTest::LeggiFile(Fabbrica()));
    const auto i = std::find(r.begin(), r.end(), "[VET_TINJ_1]");
    r.erase(i, i + 2);
    std::string f;
    for (const auto& x : r) f += x + "\r\n";
    SupportoTest::ScriviFile(Utente(), f);
    const auto prima = rpm;
    rpm[0] = 99;
    for (const std::string& p : {Utente(), base.File("Data/none.qdl")}) {
        Piattaforma::Copione::Azzera();
        ModMain::CaricaVettoriRpmTinj(rpm, tinj, p);
        EXPECT_EQ(rpm[0], 99);
        EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    }
    Giornale();
    EXPECT_FALSE(ModMain::ScriviVettoriRpmTinj(Utente()));
    EXPECT_TRUE(Trame(Giornale()).empty());

    // All four parts: written, read back into memory.
    ModBlck::VettoreRpm.fill(0);
    EXPECT_TRUE(ModMain::ScriviVettoriRpmTinj(Fabbrica()));
    EXPECT_EQ(Comandi(Giornale()), (std::vector<uint8_t>{0x4C, 0x4C, 0x4F, 0x4F, 0x4B, 0x4B, 0x4E, 0x4E}));
    EXPECT_EQ(ModBlck::VettoreRpm, prima);
    // A write that fails: the rest not sent, memory still follows the ECU, the result false.
    GuastoDopo(0);
    EXPECT_FALSE(ModMain::ScriviVettoriRpmTinj(Fabbrica()));
}

TEST_F(ConfigEcu, RiletturaBlocchiEPreparazioneTabella) {
    TabellaBlocchi[16].UltimaRisposta.clear();
    ASSERT_TRUE(ModMain::LeggiBloccoBlk8());
    EXPECT_FALSE(TabellaBlocchi[16].UltimaRisposta.empty());
    EXPECT_EQ(Modi(Giornale()), (std::vector<int>{2, ModoIniziale}));
    GuastoDopo(1); // the mode is set, the read fails: the mode stays 2
    EXPECT_FALSE(ModMain::LeggiErroriEcu());
    EXPECT_EQ(Modi(Giornale()), (std::vector<int>{2}));

    ModMain::PreparaScritturaComPGasX(42);
    const std::string& t = ModBlck::FrameComPGasX;
    ASSERT_GE(t.size(), 6u);
    EXPECT_EQ(static_cast<uint8_t>(t[3]), CMD_WRITE_BLK9);
    EXPECT_EQ(ModBlck::CalcolaXor(t), 0);
}

} // namespace
