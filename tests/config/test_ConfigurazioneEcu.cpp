// Configuration files with the connected ECU, against the real companion and
// the simulated ECU: the whole save, the load by request, file type and
// capability, the refusal of bad files before any traffic, the single-section
// loads and the block re-reads.
#include "companion/ClienteTrasferimenti.h"

#include <filesystem>
#include <functional>

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
        ModMain::ConfigEstesa = configEstesa_;
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
    // One byte of a section's frame changed: set to `valore`, or its lowest bit
    // flipped for -1; with `ripara` the XOR holds again. A byte past the end
    // (UltimoByte) is the XOR byte.
    struct Alterazione {
        const char* sezione;
        size_t byte;
        int valore;
        bool ripara;
    };
    static constexpr size_t UltimoByte = 1000;
    // The section's frame in hex, byte k changed as an Alterazione says.
    static std::string Altera(const std::string& testo, const std::string& sezione, size_t k, int v, bool ripara) {
        std::string t = ModGlobFunct::ConvertiHexInTesto(Valore(testo, sezione));
        if (k >= t.size()) k = t.size() - 1;
        t[k] = static_cast<char>(v < 0 ? t[k] ^ 0x01 : v);
        if (ripara) {
            uint8_t x = 0;
            for (size_t i = 0; i + 1 < t.size(); ++i) x ^= static_cast<uint8_t>(t[i]);
            t.back() = static_cast<char>(x);
        }
        return ModGlobFunct::ConvertiTestoInHex(t);
    }
    // A reply frame in hex: 42 01, its length less 2, the command, status 0,
    // the data and the XOR of every byte before it.
    static std::string RispostaHex(uint8_t comando, const std::string& dati) {
        std::string t = std::string{'\x42', '\x01', static_cast<char>(dati.size() + 4), static_cast<char>(comando), '\0'} + dati;
        uint8_t x = 0;
        for (const char c : t) x ^= static_cast<uint8_t>(c);
        return ModGlobFunct::ConvertiTestoInHex(t + static_cast<char>(x));
    }
    // A request frame as the ECU receives it: 41 02, its length less 2, the
    // command, the data and the XOR.
    static std::string Richiesta(uint8_t comando, const std::string& dati) {
        std::string t = std::string{'\x41', '\x02', static_cast<char>(dati.size() + 3), static_cast<char>(comando)} + dati;
        uint8_t x = 0;
        for (const char c : t) x ^= static_cast<uint8_t>(c);
        return t + static_cast<char>(x);
    }
    // Index vectors unlike the simulated ECU's: rpm entry i holds i / 6, injection-time entry i holds i / 9.
    static ModBlck::VettoreGiri RpmFile() {
        ModBlck::VettoreGiri v{};
        for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(std::min<size_t>(i / 6, 23));
        return v;
    }
    static ModBlck::VettoreTempi TinjFile() {
        ModBlck::VettoreTempi v{};
        for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>(std::min<size_t>(i / 9, 22));
        return v;
    }
    // The file text with the four vector parts holding RpmFile() and TinjFile().
    static std::string ConVettoriDelFile(std::string testo) {
        const auto r = RpmFile();
        const auto t = TinjFile();
        testo = ConRiga(testo, "[VET_RPM_0]", RispostaHex(CMD_READ_VET_RPM, std::string(r.begin(), r.begin() + 64)));
        testo = ConRiga(testo, "[VET_RPM_1]", RispostaHex(CMD_READ_VET_RPM, std::string(r.begin() + 64, r.end())));
        testo = ConRiga(testo, "[VET_TINJ_0]", RispostaHex(CMD_READ_VET_TINJ, std::string(t.begin(), t.begin() + 90)));
        return ConRiga(testo, "[VET_TINJ_1]", RispostaHex(CMD_READ_VET_TINJ, std::string(t.begin() + 90, t.end())));
    }
    std::pair<ModBlck::VettoreGiri, ModBlck::VettoreTempi> VettoriEcu() {
        std::pair<ModBlck::VettoreGiri, ModBlck::VettoreTempi> v{};
        EXPECT_EQ(ModBlck::LeggiScriviVettori(v.first, v.second, 0), 0);
        return v;
    }
    std::string Utente() const { return base.File("Data/utente.qdl"); }
    std::string Fabbrica() const { return base.File("lng/00 Redadi Inj Custom.xsi"); }

private:
    std::string base_, nome_ = ModMain::NomeConfigurazione, nota_ = ModMain::NotaConfigurazione;
    std::vector<ConfigurazionePredefinita> predefinite_ = ModMain::ConfigurazioniPredefinite;
    int16_t estesa_ = ModMain::FunzioneEstesaEcu, configEstesa_ = ModMain::ConfigEstesa;
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
    auto altera = [&](const std::string& sezione, size_t k, int v, bool ripara) {
        return Altera(buono, sezione, k, v, ripara);
    };
    const size_t ultimo = UltimoByte;
    const Alterazione casi[] = {
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

// A map page the file holds only in part is a damaged file when the request
// sends that page: refused before any frame or switchover. A page the file
// lacks whole leaves that page alone and the rest loads.
TEST_F(ConfigEcu, MappaInParteRifiutata) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string intero = SupportoTest::LeggiFile(Utente());
    // Cut cleanly after the value line of "[MAP_2]".
    const std::string tagliato = intero.substr(0, intero.find("\r\n", intero.find("[MAP_2]\r\n") + 9) + 2);
    struct Caso {
        const char* nome;
        std::string testo;
        int32_t richiesta;
    } const casi[] = {
        {"cut after [MAP_2]", tagliato, REQ_LOAD_CONFIG_FILE},
        {"cut after [MAP_2], maps", tagliato, REQ_LOAD_CONFIG_MAPS},
        {"no [MAP_0]", Senza(intero, "[MAP_0]"), REQ_LOAD_CONFIG_MAPS},
        {"[MAP_3] empty", ConRiga(intero, "[MAP_3]", ""), REQ_LOAD_CONFIG_FILE},
        {"no [ADAT_4]", Senza(intero, "[ADAT_4]"), REQ_LOAD_CONFIG_FILE},
        {"no [MAPE_0], [MAPE_3]", Senza(Senza(intero, "[MAPE_0]"), "[MAPE_3]"), REQ_LOAD_CONFIG_MAPS},
    };
    // The ECU runs on gas: a load would switch it over first.
    TabellaBlocchi[2].Valori[1] = 3;
    Giornale();
    for (const auto& c : casi) {
        SupportoTest::ScriviFile(Utente(), c.testo);
        EXPECT_FALSE(Carica(c.richiesta, Utente())) << c.nome;
        EXPECT_TRUE(Giornale().empty()) << c.nome;
    }

    // No adaptive map at all, and chunk 3 of the main map unlike the ECU's.
    TabellaBlocchi[2].Valori[1] = 0;
    std::string senzaAdattiva = ConRiga(intero, "[MAP_3]", RispostaHex(0x12, std::string(110, '\x5A')));
    for (const auto& s : FCfg::SezioniMappa(1)) senzaAdattiva = Senza(senzaAdattiva, s);
    SupportoTest::ScriviFile(Utente(), senzaAdattiva);
    ASSERT_TRUE(Carica(REQ_LOAD_CONFIG_MAPS, Utente()));
    const auto g = Giornale();
    EXPECT_EQ(Conta(g, 0x13), 5u);
    EXPECT_EQ(Conta(g, 0x17), 0u);
    EXPECT_EQ(Conta(g, 0x79), 5u);
    const auto t = Trame(g);
    EXPECT_NE(std::find_if(t.begin(), t.end(), [](const PacchettoRicevuto& p) {
                  return p.dati == Richiesta(0x13, std::string("\x4A\x01\x6E", 3) + std::string(110, '\x5A'));
              }), t.end());
}

// A load checks only the frames its request sends, to the ECU it has: a
// damaged section that the request or the ECU leaves out, or vector parts
// missing when the request sends no vectors, do not stop it; the same file
// is refused where that section would go out.
TEST_F(ConfigEcu, SoloLeTrameInviateControllate) {
    ASSERT_TRUE(ModMain::SalvaConfigurazioneDaEcu(Utente()));
    const std::string intero = SupportoTest::LeggiFile(Utente());
    auto rotta = [&](const char* s) { return ConRiga(intero, s, Altera(intero, s, 20, -1, false)); };
    const std::string obd = rotta("[OBD_ERR]"), mappa = rotta("[MAP_2]"), adattiva = rotta("[ADAT_1]");
    const std::string vettore = Senza(intero, "[VET_TINJ_1]"), mappaInParte = Senza(intero, "[MAP_4]");
    struct Caso {
        const char* nome;
        const std::string& testo;
        int32_t richiesta;
        bool obd, estesa;
        uint8_t tolto; // the write command of the section left out
        bool carica;
    } const casi[] = {
        {"[OBD_ERR] bad, new OBD off", obd, REQ_LOAD_CONFIG_FILE, false, true, 0x9C, true},
        {"[OBD_ERR] bad, new OBD on", obd, REQ_LOAD_CONFIG_FILE, true, true, 0x9C, false},
        {"[MAP_2] bad, tables", mappa, REQ_LOAD_CONFIG_COMP, true, true, 0x13, true},
        {"[MAP_2] bad, parameters", mappa, REQ_LOAD_CONFIG_PARAMS, true, true, 0x13, true},
        {"[MAP_2] bad, maps", mappa, REQ_LOAD_CONFIG_MAPS, true, true, 0x13, false},
        {"[ADAT_1] bad, no extended configuration", adattiva, REQ_LOAD_CONFIG_FILE, true, false, 0x17, true},
        {"[ADAT_1] bad, extended configuration", adattiva, REQ_LOAD_CONFIG_MAPS, true, true, 0x17, false},
        {"no [VET_TINJ_1], parameters", vettore, REQ_LOAD_CONFIG_PARAMS, true, true, 0x4C, true},
        {"no [VET_TINJ_1], tables", vettore, REQ_LOAD_CONFIG_COMP, true, true, 0x4C, true},
        {"no [VET_TINJ_1], maps", vettore, REQ_LOAD_CONFIG_MAPS, true, true, 0x4C, false},
        {"no [MAP_4], parameters", mappaInParte, REQ_LOAD_CONFIG_PARAMS, true, true, 0x13, true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModMain::AbilitaNuovaObd = c.obd;
        ModMain::ConfigEstesa = c.estesa ? -1 : 0;
        SupportoTest::ScriviFile(Utente(), c.testo);
        Giornale();
        EXPECT_EQ(Carica(c.richiesta, Utente()), c.carica);
        const auto g = Giornale();
        if (!c.carica) {
            EXPECT_TRUE(g.empty());
            continue;
        }
        EXPECT_EQ(Conta(g, c.tolto), 0u);
        EXPECT_EQ(Conta(g, 0x15), 1u); // stored
        if (c.richiesta == REQ_LOAD_CONFIG_COMP) {
            EXPECT_EQ(Comandi(g), (std::vector<uint8_t>{0x7D, 0x7B, 0x7F, 0x81, 0x5E, 0x15}));
        }
    }
}

// A factory file's "[BLK_6]" as older firmware replies it, 94 to 96 data
// bytes, loads: the frame goes out with the file's bytes and the factory
// changes, and the ECU keeps the block-15 bytes the file lacks. With 93 the
// file is refused.
TEST_F(ConfigEcu, Blocco15CortoDelFileDiFabbrica) {
    const std::string fabbrica = SupportoTest::LeggiFile(Fabbrica());
    const std::string file = base.File("Data/vecchio.xsi");
    const std::string b15 = ModGlobFunct::ConvertiHexInTesto(Valore(fabbrica, "[BLK_6]")).substr(5);
    for (size_t n : {94u, 95u, 96u, 93u}) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(LeggiBlocco(15));
        const std::string ecu = TabellaBlocchi[15].UltimaRisposta;
        ASSERT_GT(ecu.size(), 5 + n);
        std::string d = b15.substr(0, n);
        d[40] = static_cast<char>(ecu[5 + 40] ^ 0x11); // unlike the ECU's
        SupportoTest::ScriviFile(file, ConRiga(fabbrica, "[BLK_6]", RispostaHex(0x6E, d)));
        Giornale();
        const bool carica = n >= 94;
        ASSERT_EQ(Carica(REQ_LOAD_CONFIG_PARAMS, file), carica);
        const auto t = Trame(Giornale());
        if (!carica) {
            EXPECT_TRUE(t.empty());
            continue;
        }
        std::string atteso = d;
        const int32_t cilindri = TabellaBlocchi[5].Valori[6];
        for (int k = 0; k < 8; ++k) atteso[static_cast<size_t>(20 + k)] = cilindri >= k + 1 ? 3 : 0;
        for (size_t i = 85; i <= 93; ++i) atteso[i] = static_cast<char>(atteso[i] | 0x80);
        EXPECT_EQ(std::count_if(t.begin(), t.end(), [&](const PacchettoRicevuto& p) { return p.dati == Richiesta(0x6F, atteso); }), 1);
        ASSERT_TRUE(LeggiBlocco(15));
        const std::string dopo = TabellaBlocchi[15].UltimaRisposta;
        EXPECT_EQ(dopo[5 + 40], d[40]);
        EXPECT_EQ(dopo.substr(5 + n, ecu.size() - 6 - n), ecu.substr(5 + n, ecu.size() - 6 - n));
    }
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

// The vector parts of a file reach the ECU only as whole reply frames of their
// sections: a changed digit, or a start, direction, length, status or command
// byte changed with the XOR made to hold, in any of the four parts, and none
// is sent; the ECU keeps its vectors. Whole, the four go out as the ECU's
// write frames and memory follows the ECU.
TEST_F(ConfigEcu, VettoriInCentralinaSoloDaTrameIntere) {
    const std::string file = base.File("lng/99 Vettori.xsi");
    const std::string buono = ConVettoriDelFile(SupportoTest::LeggiFile(Fabbrica()));
    const auto prima = VettoriEcu();
    ASSERT_NE(prima.first, RpmFile());
    ASSERT_NE(prima.second, TinjFile());
    const size_t ultimo = UltimoByte;
    const Alterazione casi[] = {
        {"[VET_TINJ_0]", 20, -1, false}, {"[VET_RPM_0]", 0, 0x43, true},           {"[VET_RPM_1]", 1, 0x02, true},
        {"[VET_TINJ_1]", 2, 0x5D, true}, {"[VET_RPM_0]", 3, CMD_READ_VET_TINJ, true}, {"[VET_TINJ_0]", 4, 0x01, true},
        {"[VET_RPM_1]", ultimo, -1, false},
    };
    Giornale();
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.sezione) + " byte " + std::to_string(c.byte));
        SupportoTest::ScriviFile(file, ConRiga(buono, c.sezione, Altera(buono, c.sezione, c.byte, c.valore, c.ripara)));
        EXPECT_FALSE(ModMain::ScriviVettoriRpmTinj(file));
        EXPECT_TRUE(Trame(Giornale()).empty());
    }
    EXPECT_EQ(VettoriEcu(), prima);

    Giornale();
    SupportoTest::ScriviFile(file, buono);
    EXPECT_TRUE(ModMain::ScriviVettoriRpmTinj(file));
    const auto t = Trame(Giornale());
    ASSERT_GE(t.size(), 4u);
    const auto r = RpmFile();
    const auto i = TinjFile();
    EXPECT_EQ(t[0].dati, Richiesta(0x4C, std::string("\x00\x00\x40", 3) + std::string(r.begin(), r.begin() + 64)));
    EXPECT_EQ(t[1].dati, Richiesta(0x4C, std::string("\x40\x00\x40", 3) + std::string(r.begin() + 64, r.end())));
    EXPECT_EQ(t[2].dati, Richiesta(0x4F, std::string("\x00\x00\x5A", 3) + std::string(i.begin(), i.begin() + 90)));
    EXPECT_EQ(t[3].dati, Richiesta(0x4F, std::string("\x5A\x00\x5A", 3) + std::string(i.begin() + 90, i.end())));
    EXPECT_EQ(ModBlck::VettoreRpm, r);
    EXPECT_EQ(ModBlck::VettoreTinj, i);
    EXPECT_EQ(VettoriEcu(), std::make_pair(r, i));
}

// Writes the ECU refuses (reply status not 0) fail the load, the pressure
// table and the vectors from a file as a failed transaction does: false,
// nothing after the refused frame but the vectors' read-back, the ECU as it was.
TEST_F(ConfigEcu, ScrittureRifiutateNonRisultanoFatte) {
    ModBlck::VettoreGiri ecuRpm{};
    ModBlck::VettoreTempi ecuTinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(ecuRpm, ecuTinj, 0), 0);
    // Blocks 8 and 9 (two compensation tables) as the ECU holds them.
    auto tabelleEcu = [this] {
        EXPECT_TRUE(LeggiBlocco(8));
        EXPECT_TRUE(LeggiBlocco(9));
        Giornale();
        return std::make_pair(TabellaBlocchi[8].Valori, TabellaBlocchi[9].Valori);
    };
    const auto tabelle = tabelleEcu();
    struct Caso {
        const char* nome;
        std::function<bool()> scrivi;
        std::vector<uint8_t> comandi; // the ECU frames sent, the refused write first
    } casi[] = {
        {"caricamento", [this] { return Carica(REQ_LOAD_CONFIG_COMP, Fabbrica()); }, {CMD_WRITE_BLK8}},
        {"tabella della pressione", [] { return ModMain::ScriviComPGasX(); }, {CMD_WRITE_BLK9}},
        {"vettori", [this] { return ModMain::ScriviVettoriRpmTinj(Fabbrica()); },
         {CMD_WRITE_VET_RPM, CMD_READ_VET_RPM, CMD_READ_VET_RPM, CMD_READ_VET_TINJ, CMD_READ_VET_TINJ}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        Manopola(11, 0xFB);
        EXPECT_FALSE(c.scrivi());
        Manopola(11, 0);
        EXPECT_EQ(Comandi(Giornale()), c.comandi);
        EXPECT_EQ(tabelleEcu(), tabelle);
        ModBlck::VettoreGiri rpm{};
        ModBlck::VettoreTempi tinj{};
        ASSERT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, 0), 0);
        Giornale();
        EXPECT_EQ(rpm, ecuRpm);
        EXPECT_EQ(tinj, ecuTinj);
    }
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
