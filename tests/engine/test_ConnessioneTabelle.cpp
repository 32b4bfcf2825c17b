// Tables of cases: the tail keys the ECU is recognised by, the result texts
// of ECU replies and the version check's three outcomes.
#include "engine/FissaggioMotore.h"

#include "engine/ModMainConnessione.h"

namespace {

std::string Sequenza(size_t n, char inizio = 'A') {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += static_cast<char>(inizio + i % 26);
    return s;
}

TEST(ChiaviDiCoda, PezziDellaStringa) {
    struct Caso {
        std::string s;
        std::string corta, intera;
    } casi[] = {
        {"", "", ""},
        {"abc", "abc", "abcabc"},
        // 57 or more: the last character and the 13 before the last 15 are left out.
        {Sequenza(57), Sequenza(57).substr(0, 29), Sequenza(57).substr(0, 29) + Sequenza(57).substr(42, 14)},
        {Sequenza(76), Sequenza(76).substr(19, 29), Sequenza(76).substr(19, 29) + Sequenza(76).substr(61, 14)},
        {Sequenza(30), Sequenza(30).substr(0, 29), Sequenza(30).substr(0, 29) + Sequenza(30).substr(15, 14)},
    };
    for (const auto& c : casi) {
        EXPECT_EQ(ModMain::ChiaveCodaCorta(c.s), c.corta) << c.s.size();
        EXPECT_EQ(ModMain::ChiaveCoda(c.s), c.intera) << c.s.size();
    }
    // Bytes outside both pieces play no part; a byte inside either does.
    std::string a = Sequenza(76), b = a;
    b[75] = '#';
    b[50] = '#';
    b[0] = '#';
    EXPECT_EQ(ModMain::ChiaveCoda(a), ModMain::ChiaveCoda(b));
    b[70] = '#';
    EXPECT_NE(ModMain::ChiaveCoda(a), ModMain::ChiaveCoda(b));
    EXPECT_EQ(ModMain::ChiaveCodaCorta(a), ModMain::ChiaveCodaCorta(b));
    EXPECT_EQ(ModMain::PrimiN("abc", 5), "abc");
    EXPECT_EQ(ModMain::UltimiN("abcdef", 2), "ef");
}

using Tabelle = FissaggioMotore;

TEST_F(Tabelle, TestoEsitoRisposta) {
    ModMain::IndiceVoceDizionario = 100;
    auto risposta = [](uint8_t esito) { return std::string{'\x42', '\x01', '\x04', '\x55', static_cast<char>(esito), '\x12'}; };
    struct Caso {
        uint8_t esito;
        int voce;   // -1: the hex text
        int ok;     // -1: unchanged
    } casi[] = {
        {0x00, 14, 1}, {0xFF, 1, 0}, {0xFE, 2, 0}, {0xFD, 3, 0}, {0xFC, 5, 0}, {0xFB, 15, 0}, {0xFA, 4, 0},
        {0x01, -1, -1}, {0x02, 7, -1}, {0x80, 7, -1},
    };
    for (const auto& c : casi) {
        for (const bool iniziale : {false, true}) {
            bool ok = iniziale;
            const std::string t = ModMain::TestoEsitoRisposta(risposta(c.esito), ok);
            EXPECT_EQ(t, c.voce < 0 ? ModGlobFunct::ConvertiTestoInHex(risposta(c.esito)) : Voce(static_cast<int16_t>(100 + c.voce)))
                << int(c.esito);
            EXPECT_EQ(ok, c.ok < 0 ? iniziale : c.ok == 1) << int(c.esito);
        }
    }
    bool ok = false;
    EXPECT_EQ(ModMain::TestoEsitoRisposta(risposta(0x01), ok), "420104550112");
    ModMain::IndiceVoceDizionario = 0;
}

TEST(CampiFirmware, LettiDallePosizioniDaUnoASei) {
    // The record's first byte is the first data byte of the identification reply.
    const std::string r{'\x03', '\x02', '\x15', '\x06', '\x20', '\x18', 'x'};
    EXPECT_EQ(ModMain::LeggiVersioneFw(r), 3);
    EXPECT_EQ(ModMain::LeggiRevisioneFw(r), 2);
    EXPECT_EQ(ModMain::LeggiGiornoFw(r), 0x15);
    EXPECT_EQ(ModMain::LeggiMeseFw(r), 6);
    EXPECT_EQ(ModMain::LeggiAnnoFw(r), 2018);
    EXPECT_EQ(ModMain::FormattaVersioneFirmware(r + std::string(5, ' ')), "03.02 - 15/06/2018");
    // Each length test asks for one byte more than the field needs.
    EXPECT_EQ(ModMain::LeggiAnnoFw(r.substr(0, 6)), 0);
    EXPECT_EQ(ModMain::LeggiVersioneFw("\x07"), 0);
    EXPECT_EQ(ModMain::LeggiRevisioneFw(r.substr(0, 2)), 0);
    // A year that is not BCD reads 0.
    EXPECT_EQ(ModMain::LeggiAnnoFw(std::string{'\x03', '\x02', '\x15', '\x06', '\x2A', '\x18', 'x'}), 0);
}

TEST_F(Tabelle, VerificaVersioneFirmware) {
    auto rec = [](int v, int r, int g = 0x14) {
        return std::string{static_cast<char>(v), static_cast<char>(r), static_cast<char>(g), '\x05', '\x20', '\x24', ' '};
    };
    const std::string zeri(36, '0');
    ModMain::FirmaHardware = {std::string("BOOT-A"), std::string("\x42\x01\x04\x21\x14\x72", 6)};
    struct Caso {
        const char* nome;
        std::string immagine, ecu;
        int32_t variante;
        bool pagina, lampada, uscita;
    } casi[] = {
        {"image newer revision", rec(3, 2), rec(3, 1), 0, true, true, false},
        {"image newer version", rec(4, 0), rec(3, 9), 0, true, true, false},
        {"same, same date", rec(3, 2), rec(3, 2), 0, false, false, false},
        {"same, other day", rec(3, 2), rec(3, 2, 0x15), 0, false, true, false},
        {"ECU newer", rec(3, 2), rec(4, 0), 0, false, true, true},
        {"ECU newer revision", rec(3, 2), rec(3, 3), 0, false, true, true},
        {"boot frame of the variant", rec(3, 2), "BOOT-A", 0, true, true, false},
        {"short ECU record", rec(1, 0), "\x01", 0, true, true, false},
        // The zero-filled record of an unreadable image reads version '0' (0x30): newer than any real release.
        {"no image info", zeri, rec(3, 2), 0, true, true, false},
        {"no image info, ECU short", zeri, "", 0, true, true, false},
    };
    for (const auto& c : casi) {
        ui->Azzera();
        Piattaforma::Copione::Azzera();
        ModMain::UscitaRichiesta = 0;
        ModMain::FirmwareDaAggiornare = !c.lampada;
        ModMain::VarianteHardware = c.variante;
        MDIFrm::VerificaVersioneFirmware(c.immagine, c.ecu);
        EXPECT_EQ(ui->Chiamato("MDIFrm.SelezioneScheda(13)"), c.pagina) << c.nome;
        EXPECT_EQ(ModMain::FirmwareDaAggiornare, c.lampada) << c.nome;
        EXPECT_EQ(ModMain::UscitaRichiesta, c.uscita ? 1 : 0) << c.nome;
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), c.uscita ? 1u : 0u) << c.nome;
        if (c.uscita) {
            EXPECT_EQ(m[0].testo.toStdString(), Voce(39) + "\r\n" + Voce(40));
            EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Critica);
        }
    }
    ModMain::UscitaRichiesta = 0;
    ModMain::VarianteHardware = 0;
    ModMain::FirmwareDaAggiornare = false;
}

TEST_F(Tabelle, PreparaAggiornamentoSoloAMotoreFermo) {
    Connetti();
    struct Caso {
        int32_t v37, giri;
        bool pronta;
    } casi[] = {{2, 0, true}, {0, -5, true}, {1, 0, false}, {0, 800, false}};
    for (const auto& c : casi) {
        ui->Azzera();
        std::string r;
        ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x01'), ModBlck::AttesaPipe, r);
        TabellaBlocchi[1].Valori[37] = c.v37;
        TabellaBlocchi[1].Valori[32] = c.giri;
        EXPECT_EQ(ModMain::PreparaAggiornamentoEcu(), c.pronta);
        EXPECT_EQ(ModPipe::ModoLinea, c.pronta ? 2 : 1);
        EXPECT_EQ(ui->Chiamato("FrmFirmware.LblMsg=" + Voce(38)), !c.pronta);
    }
}

} // namespace
