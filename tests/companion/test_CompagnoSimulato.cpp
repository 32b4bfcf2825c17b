// The program's transport against the real companion in simulated mode,
// through real pipes.
#include <gtest/gtest.h>

#include "ClienteCompagno.h"

namespace {
enum : uint8_t {
    RitardoPipeMs = 1,
    PacchettiPersi = 2,
    PacchettiSpezzati = 3,
    LunghezzaErrata = 4,
    EcuMuta = 10,
    EcuRifiuto = 11,
};
} // namespace

using CompagnoSimulato = ClienteCompagno;

TEST_F(CompagnoSimulato, ConnessioneLetturaEScrittura) {
    Avvia();
    std::string pacchetto;
    EXPECT_EQ(Invia(PIPE_INIT, std::string(1, '\0')), 0);
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0'), pacchetto), 0);
    EXPECT_EQ(ModPipe::StatoRisposta, 1);
    // The open reply carries the ECU's identification frame, the one SetCom.ini lists.
    ASSERT_GE(ModBlck::ElencoFirmwareAltri.size(), 1u);
    EXPECT_EQ(pacchetto.substr(8), ModBlck::ElencoFirmwareAltri[0]);

    ASSERT_TRUE(LeggiBlocco(1));
    const std::string& r = TabellaBlocchi[1].UltimaRisposta;
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(r.substr(0, 5)), "42017C0C00");
    EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
    ASSERT_TRUE(LeggiBlocco(3));
    // rpm = factor / period, the factor from block 3's cylinders and coils: idle around 800.
    const float fattore = ModBlck::CalcolaFattoreGiriTempo(TabellaBlocchi[3].Valori[1], TabellaBlocchi[3].Valori[0]);
    const double giri = fattore / TabellaBlocchi[1].Valori[32];
    EXPECT_GT(giri, 600);
    EXPECT_LT(giri, 3200);
    EXPECT_GT(TabellaBlocchi[1].Valori[33], TabellaBlocchi[1].Valori[48] + 900); // gas above manifold

    ASSERT_TRUE(LeggiBlocco(2));
    TabellaBlocchi[2].Valori[3] = 4321;
    TabellaBlocchi[2].Valori[6] = -250;
    EXPECT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0);
    TabellaBlocchi[2].Valori[3] = 0;
    TabellaBlocchi[2].Valori[6] = 0;
    ASSERT_TRUE(LeggiBlocco(2));
    EXPECT_EQ(TabellaBlocchi[2].Valori[3], 4321);
    EXPECT_EQ(TabellaBlocchi[2].Valori[6], -250);

    // Streaming of block 12 and the link mode come back in the replies.
    ASSERT_EQ(Invia(PIPE_STREAM_BLOCK, std::string("\x0C\x01", 2)), 0);
    EXPECT_EQ(ModPipe::DatiRispostaPipe, std::string("\x0C\x01", 2));
    ASSERT_EQ(Invia(PIPE_SET_MODE, std::string(1, '\x02')), 0);
    EXPECT_EQ(ModPipe::ModoLinea, 2);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(CompagnoSimulato, RispostaInDuePezzi) {
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0')), 0);
    Manopola(PacchettiSpezzati, 1);
    ASSERT_TRUE(LeggiBlocco(1));
    EXPECT_EQ(TabellaBlocchi[1].UltimaRisposta.size(), 0x7Cu + 2);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

// A reply that arrives after its transaction timed out is not the next transaction's reply.
TEST_F(CompagnoSimulato, ByteRimastiDaUnaTransazioneScaduta) {
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0')), 0);
    Manopola(RitardoPipeMs, 150);
    EXPECT_EQ(Invia(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[2].TramaRichiesta), 40'000), 4);
    ModGlobFunct::AttendiMicrosecondi(300'000); // the late block-2 reply is now waiting
    ASSERT_TRUE(LeggiBlocco(1));
    EXPECT_EQ(static_cast<uint8_t>(ModPipe::DatiRispostaPipe[3]), CMD_READ_LIVE);
    Manopola(RitardoPipeMs, 0);
}

TEST_F(CompagnoSimulato, TempoScadutoAlzaLeFlag) {
    Avvia();
    Manopola(PacchettiPersi, 1);
    ModMain::RiconnessioneRichiesta = 1;
    ModPipe::DatiRispostaPipe = "prima";
    std::string r = "x";
    EXPECT_EQ(Invia(PIPE_INIT, std::string(1, '\0'), r, 80'000), 4);
    EXPECT_EQ(r, "");
    EXPECT_EQ(ModPipe::DatiRispostaPipe, "prima");
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 0);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo, "Error 007 - Time Out");
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Informazione);
}

TEST_F(CompagnoSimulato, RispostaDiLunghezzaErrata) {
    Avvia();
    Manopola(LunghezzaErrata, 1);
    std::string r;
    EXPECT_EQ(Invia(PIPE_SET_MODE, std::string(1, '\x02'), r, 200'000), 1);
    EXPECT_EQ(ModPipe::CodiceRispostaPipe, -1);
    EXPECT_EQ(ModPipe::DatiRispostaPipe, "");
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo, "Error 006 - Comunication error");
    EXPECT_EQ(m[0].titolo, "Comunication  error");
    EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Critica);
    // The next transaction is clean again.
    EXPECT_EQ(Invia(PIPE_SET_MODE, std::string(1, '\x02')), 0);
    EXPECT_EQ(ModPipe::ModoLinea, 2);
}

// The ECU does not answer: a good reply with StatoRisposta 0, which asks for a
// reconnect only in the connected, executing and exiting states.
TEST_F(CompagnoSimulato, StatoRispostaZeroPerOgniStatoDiLinea) {
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0')), 0);
    Manopola(EcuMuta, 1);
    struct Caso {
        int32_t stato;
        uint8_t riconnessione;
    } casi[] = {{STATO_RICERCA, 0}, {STATO_CONNESSO, 1}, {STATO_ESECUZIONE, 1}, {STATO_OFFLINE, 0},
                {STATO_USCITA, 1},  {STATO_FIRMWARE, 0}, {STATO_TARATURA, 0}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.stato);
        ModMain::StatoConnessione = c.stato;
        AzzeraFlag();
        EXPECT_EQ(Invia(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[1].TramaRichiesta)), 0);
        EXPECT_EQ(ModPipe::StatoRisposta, 0);
        EXPECT_EQ(ModPipe::DatiRispostaPipe, "");
        EXPECT_EQ(ModMain::RiconnessioneRichiesta, c.riconnessione);
        EXPECT_EQ(ModMain::LineaPersa, 0);
    }
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

TEST_F(CompagnoSimulato, ScritturaRifiutata) {
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0')), 0);
    ASSERT_TRUE(LeggiBlocco(2));
    const int32_t prima = TabellaBlocchi[2].Valori[3];
    Manopola(EcuRifiuto, 0xFE);
    TabellaBlocchi[2].Valori[3] = prima + 1;
    EXPECT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0xFE);
    ASSERT_TRUE(LeggiBlocco(2));
    EXPECT_EQ(TabellaBlocchi[2].Valori[3], prima);
}

TEST_F(CompagnoSimulato, PortaSenzaCentralina) {
    Avvia();
    std::string r;
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x07'), r), 0);
    EXPECT_EQ(ModPipe::StatoRisposta, 0);
    EXPECT_EQ(r.size(), 8u);
}

// Once the companion has quit, a transaction fails at once, as a time-out.
TEST_F(CompagnoSimulato, CompagnoTerminato) {
    Avvia();
    EXPECT_EQ(Invia(PIPE_QUIT, ""), 0);
    ModGlobFunct::AttendiMicrosecondi(100'000);
    const double t0 = ModGlobFunct::LeggiMicrosecondi();
    EXPECT_EQ(Invia(PIPE_INIT, std::string(1, '\0'), 5'000'000), 4);
    EXPECT_LT(ModGlobFunct::LeggiMicrosecondi() - t0, 1'000'000.0);
    EXPECT_EQ(ModMain::LineaPersa, 1);
    EXPECT_EQ(ModMain::UscitaRichiesta, 1);
}
