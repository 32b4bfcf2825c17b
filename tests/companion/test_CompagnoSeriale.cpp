// Serial mode for real: the simulated ECU runs on one end of a pseudo-terminal
// pair, the companion opens the other end as its COM device, and the program's
// transactions go through both.
#include <gtest/gtest.h>

#include "CentralinaSuPty.h"
#include "ClienteCompagno.h"
#include "LetturaLimitata.h"

using CompagnoSeriale = ClienteCompagno;

TEST_F(CompagnoSeriale, TransazioniAttraversoLaLineaSeriale) {
    // Replies come in two pieces on the line: the companion reads by the length byte.
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), true);
    ASSERT_FALSE(ecu.Dispositivo().empty());
    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nBaud=115200\nAttesaEcuMs=500\nCOM5=" + ecu.Dispositivo() +
                                      "\nCOM6=/dev/nonexistent-tty\n");
    Avvia();

    std::string pacchetto;
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x05'), pacchetto), 0);
    EXPECT_EQ(ModPipe::StatoRisposta, 1);
    EXPECT_EQ(ModPipe::PortaTrovata, 5);
    ASSERT_GE(ModBlck::ElencoFirmwareAltri.size(), 1u);
    EXPECT_EQ(pacchetto.substr(8), ModBlck::ElencoFirmwareAltri[0]);

    // The ECU wait the program sets: 300 ms.
    ASSERT_EQ(Invia(PIPE_SET_ECU_WAIT, std::string("\x2C\x01\x00\x00", 4)), 0);
    ASSERT_TRUE(LeggiBlocco(1));
    EXPECT_EQ(ModGlobFunct::ConvertiTestoInHex(TabellaBlocchi[1].UltimaRisposta.substr(0, 5)), "42017C0C00");
    EXPECT_EQ(ModBlck::CalcolaXor(TabellaBlocchi[1].UltimaRisposta), 0);
    EXPECT_EQ(TabellaBlocchi[1].Valori[37] & 1, 1);

    ASSERT_TRUE(LeggiBlocco(2));
    TabellaBlocchi[2].Valori[4] = 777;
    EXPECT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0);
    TabellaBlocchi[2].Valori[4] = 0;
    ASSERT_TRUE(LeggiBlocco(2));
    EXPECT_EQ(TabellaBlocchi[2].Valori[4], 777);
    EXPECT_EQ(ModPipe::StatoRisposta, 1);

    // A COM number whose device is missing: the port does not answer.
    std::string r;
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x06'), r), 0);
    EXPECT_EQ(ModPipe::StatoRisposta, 0);
    EXPECT_EQ(r.size(), 8u);
    // Nothing open: an ECU frame gets a reply without a frame and status 0.
    EXPECT_EQ(Invia(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[1].TramaRichiesta)), 0);
    EXPECT_EQ(ModPipe::DatiRispostaPipe, "");
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
}

// An ECU that stops answering on the line: status 0 once the ECU wait has passed.
TEST_F(CompagnoSeriale, CentralinaCheNonRisponde) {
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), false);
    ASSERT_FALSE(ecu.Dispositivo().empty());
    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nAttesaEcuMs=100\nCOM2=" + ecu.Dispositivo() + "\n");
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x02')), 0);
    ASSERT_EQ(ModPipe::StatoRisposta, 1);
    // A frame with a wrong check byte is ignored by the ECU.
    EXPECT_EQ(Invia(PIPE_ECU_FRAME, std::string("\x41\x02\x03\x0C\x00", 5)), 0);
    EXPECT_EQ(ModPipe::StatoRisposta, 0);
    EXPECT_EQ(ModPipe::DatiRispostaPipe, "");
    // The next good frame is answered again.
    ASSERT_TRUE(LeggiBlocco(1));
    EXPECT_EQ(ModPipe::StatoRisposta, 1);
}

// Settings files past their bound are not read: the companion takes its
// defaults (the simulated ECU on COM 0) instead of a blown-up VirUzo.ini, and
// the standalone simulated ECU does not start on a blown-up SetCom.ini.
TEST_F(CompagnoSeriale, FileDiImpostazioniTroppoGrandiNonSiLeggono) {
    std::string riempimento = ";";
    riempimento.resize(Simulazione::DimensioneMassimaImpostazioni, 'x');
    base.Scrivi("bin/SetCom-grande.ini", base.Leggi("bin/SetCom.ini") + "\r\n" + riempimento + "\r\n");
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom-grande.ini"), false);
    EXPECT_EQ(ecu.Dispositivo(), "");

    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nAttesaEcuMs=100\nCOM0=" + base.File("manca-tty") + "\n" +
                                      riempimento + "\n");
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0')), 0);
    EXPECT_EQ(ModPipe::StatoRisposta, 1);
    ASSERT_TRUE(LeggiBlocco(1));
}
