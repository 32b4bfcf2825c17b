// The pipe transport without a companion: the reply parser and the writer's
// failure path.
#include <gtest/gtest.h>

#include "FissaggioPipe.h"
#include "TestiHex.h"
#include "core/ModGlobFunct.h"
#include "support/SupportoTest.h"

#include <filesystem>

namespace {
using TestiHex::Byte;
using TestiHex::Hex;

// A reply packet of the given code, status 1, mode 2, with `dati` after the header.
std::string Risposta(uint8_t codice, const std::string& dati, int lunghezza = -1) {
    const size_t l = lunghezza < 0 ? dati.size() + 8 : static_cast<size_t>(lunghezza);
    std::string r;
    r += static_cast<char>(l >> 8);
    r += static_cast<char>(l & 0xFF);
    r += static_cast<char>(codice);
    r += Byte("0100020000");
    return r + dati;
}
} // namespace

using AnalisiRisposta = FissaggioPipe;

TEST_F(AnalisiRisposta, TabellaDeiCodici) {
    struct Caso {
        const char* nome;
        std::string risposta;
        int32_t esito;
        int32_t codice;
        std::string dati; // hex
    } casi[] = {
        {"codice 6 due byte", Byte("000A0601000200004142"), 0, 6, "4142"},
        {"codice 0 vuoto", Risposta(0, ""), 0, 0, ""},
        {"codice 0 dati", Risposta(0, Byte("AABB")), 0, 0, "AABB"},
        {"codice 1 ignora la coda", Risposta(1, Byte("AABB")), 0, 1, ""},
        {"codice 5", Risposta(5, Byte("AA")), 0, 5, ""},
        {"codice 3 lungo 8", Risposta(3, ""), 0, 3, ""},
        {"codice 3 solo il byte 8", Risposta(3, Byte("AABBCC")), 0, 3, "AA"},
        {"codice 4 lungo 8", Risposta(4, ""), 3, 4, ""},
        {"codice 4 un byte", Risposta(4, Byte("02FF")), 0, 4, "02"},
        {"codice 11 lungo 9", Risposta(11, Byte("0C")), 3, 11, ""},
        {"codice 11 lungo 12", Risposta(11, Byte("0C01AABB")), 0, 11, "0C01"},
        {"codice 12 lungo 27", Risposta(12, std::string(19, 'x')), 3, 12, ""},
        {"codice 12 lungo 28", Risposta(12, std::string(20, 'x')), 0, 12, Hex(std::string(20, 'x'))},
        {"codice 17 tutto", Risposta(17, Byte("01020304")), 0, 17, "01020304"},
        {"codice 18", Risposta(18, Byte("01")), 2, 18, ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        int32_t codice = 99;
        std::string dati = "residuo";
        EXPECT_EQ(ModPipe::AnalizzaRispostaPipe(c.risposta, codice, dati), c.esito);
        EXPECT_EQ(codice, c.codice);
        EXPECT_EQ(Hex(dati), c.dati);
        EXPECT_EQ(ModPipe::StatoRisposta, 1);
        EXPECT_EQ(ModPipe::ModoLinea, 2);
    }
}

TEST_F(AnalisiRisposta, LunghezzaErrataLasciaGliStati) {
    const std::string buona = Byte("000A0601000200004142");
    std::string scambiata = buona;
    std::swap(scambiata[0], scambiata[1]);
    for (const std::string& r : {scambiata, Byte("00070601000200"), std::string(), Byte("000B0601000200004142")}) {
        ModPipe::StatoRisposta = 7;
        ModPipe::ModoLinea = 9;
        int32_t codice = 0;
        std::string dati = "residuo";
        EXPECT_EQ(ModPipe::AnalizzaRispostaPipe(r, codice, dati), 1);
        EXPECT_EQ(codice, -1);
        EXPECT_EQ(dati, "");
        EXPECT_EQ(ModPipe::StatoRisposta, 7);
        EXPECT_EQ(ModPipe::ModoLinea, 9);
    }
}

TEST_F(AnalisiRisposta, CodiceAlto18PrendeComunqueGliStati) {
    int32_t codice = 0;
    std::string dati;
    EXPECT_EQ(ModPipe::AnalizzaRispostaPipe(Byte("0008120003040506"), codice, dati), 2);
    EXPECT_EQ(codice, 18);
    EXPECT_EQ(ModPipe::StatoRisposta, 0);
    EXPECT_EQ(ModPipe::StatoRisposta2, 3);
    EXPECT_EQ(ModPipe::ModoLinea, 4);
    EXPECT_EQ(ModPipe::PortaTrovata, 5);
    EXPECT_EQ(ModPipe::StatoRisposta5, 6);
}

// A packet that cannot be written, for any reason but a broken pipe: the
// transaction ends at once with result 4 and the two boxes, without waiting
// for its time-out, and the link flags and reply variables stay as they were.
TEST_F(AnalisiRisposta, ScritturaFallitaFiniscePrimaDelTempoELasciaIFlag) {
    SupportoTest::CartellaBase cartella(false);
    // A companion that never reads its input.
    cartella.Scrivi("VirUzo", "#!/bin/sh\nexec sleep 600\n");
    std::filesystem::permissions(cartella.File("VirUzo"), std::filesystem::perms::owner_all);
    struct Caso {
        const char* nome;
        bool compagnoFermo;
        size_t datiLunghi;
    } casi[] = {
        {"nessun compagno", false, 1},
        {"pacchetto oltre 65535 byte", false, 65528},
        {"compagno che non legge", true, 65000},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        ModPipe::TerminaProcessoCom();
        Piattaforma::Copione::Azzera();
        if (c.compagnoFermo) {
            ASSERT_TRUE(ModPipe::AvviaProcessoCom(cartella.Percorso()));
            // The first packet fills the request pipe; it is never answered.
            std::string r;
            ModPipe::InviaComandoPipe(PIPE_INIT, std::string(c.datiLunghi, '\0'), 1, r);
            Piattaforma::Copione::Azzera();
        }
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::RiconnessioneRichiesta = 1;
        ModMain::LineaPersa = 0;
        ModMain::UscitaRichiesta = 0;
        ModPipe::DatiRispostaPipe = "prima";
        ModPipe::StatoRisposta = 1;
        std::string risposta = "x";
        const double t0 = ModGlobFunct::LeggiMicrosecondi();
        EXPECT_EQ(ModPipe::InviaComandoPipe(PIPE_INIT, std::string(c.datiLunghi, '\0'), 60'000'000, risposta), 4);
        EXPECT_LT(ModGlobFunct::LeggiMicrosecondi() - t0, 10'000'000.0);
        EXPECT_EQ(risposta, "");
        EXPECT_EQ(ModPipe::DatiRispostaPipe, "prima");
        EXPECT_EQ(ModPipe::StatoRisposta, 1);
        EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);
        EXPECT_EQ(ModMain::LineaPersa, 0);
        EXPECT_EQ(ModMain::UscitaRichiesta, 0);
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), 2u);
        EXPECT_TRUE(m[0].testo.startsWith("WritePipe_Err: "));
        EXPECT_EQ(m[1].testo, "Error 008 - Pipe send error ");
        EXPECT_EQ(m[1].titolo, "Comunication error");
        EXPECT_EQ(m[1].icona, Piattaforma::IconaMessaggio::Critica);
    }
    ModPipe::TerminaProcessoCom();
}

TEST_F(AnalisiRisposta, ProgrammaMancanteDaErrore005) {
    EXPECT_FALSE(ModPipe::AvviaProcessoCom("/nonexistent-folder"));
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo, "Error 005 - Can't create process");
    EXPECT_EQ(ModPipe::PidProcessoCom(), 0);
}
