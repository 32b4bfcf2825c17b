// OBD start against the simulated ECU and the car behind it: the protocol
// found by the direct try and by the family search, no car, no car ECU with
// PID 0x06, an unusable stored code, cancel; and the protocol helpers.
#include "engine/FissaggioConnessione.h"

namespace {

using ConnessioneObd = FissaggioConnessione;

struct CasoObd {
    const char* auto_;        // VirUzo.ini lines of the car
    int32_t protocollo;       // block 12 value 1 before the start
    std::vector<std::pair<int, int>> tentativi; // (code, mode) of each CMD_OBD_INIT protocol frame
    bool riuscito;
    int16_t voceFinale;
    bool messaggioPid03;
};

TEST_F(ConnessioneObd, RicercaDelProtocolloEDelleCentralineDellAuto) {
    const CasoObd casi[] = {
        {"ObdProtocollo=6\r\n", 6, {{6, 2}}, true, 33, false},
        {"ObdProtocollo=7\r\n", 4, {{4, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}, true, 33, false},
        {"ObdProtocollo=3\r\n", 11, {{4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {1, 1}, {3, 1}}, true, 33, false},
        {"ObdProtocollo=1\r\nObdPid=9E1F8000\r\n", 0, {{0, 2}, {1, 1}}, true, 33, true},
        {"ObdProtocollo=0\r\n", 6, {{6, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}, false, 30, false},
        {"ObdProtocollo=2\r\n", 9, {}, false, 30, false},
        {"ObdProtocollo=6\r\nObdPid=BA1F8000,BA000000\r\n", 6, {{6, 2}}, false, 31, false},
        // Three car ECUs, only the third with PID 06: its address ends in value 17.
        {"ObdProtocollo=5\r\nObdPid=BA1F8000,BA000000,BE1F8000\r\n", 5, {{5, 2}}, true, 33, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.auto_);
        ModMain::StatoConnessione = STATO_RICERCA;
        AvviaCaso(c.auto_);
        MDIFrm::ConnettiCentralina();
        ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        TabellaBlocchi[12].Valori[1] = c.protocollo;
        TabellaBlocchi[12].Valori[24] = 0x34; // a lambda PID the start keeps
        TabellaBlocchi[12].Valori[25] = 1;
        ModEvoObd::PidPressioneRailScelto = 0x22;
        const int32_t modo = ModPipe::ModoLinea;
        Piattaforma::Copione::Azzera();
        ui->statiInitObd.clear();
        Giornale();

        EXPECT_EQ(MDIFrm::InizializzaObd(), c.riuscito);

        const auto g = Giornale();
        std::vector<std::pair<int, int>> tentativi;
        int32_t ultimaAttesa = -1;
        for (const auto& p : g) {
            if (p.codice == PIPE_ECU_FRAME && p.dati.size() > 8 && static_cast<uint8_t>(p.dati[3]) == 0x0B &&
                p.dati[4] == 0)
                tentativi.emplace_back(static_cast<uint8_t>(p.dati[6]), static_cast<uint8_t>(p.dati[7]));
            if (p.codice == PIPE_SET_ECU_WAIT && p.dati.size() >= 2)
                ultimaAttesa = static_cast<uint8_t>(p.dati[0]) + 256 * static_cast<uint8_t>(p.dati[1]);
        }
        EXPECT_EQ(tentativi, c.tentativi);
        // The link mode and the normal ECU wait are always restored.
        EXPECT_EQ(ModPipe::ModoLinea, modo);
        EXPECT_EQ(ultimaAttesa, ModBlck::AttesaGlobale / 1000);
        ASSERT_FALSE(ui->statiInitObd.empty());
        const FinestraInitObd& fine = ui->statiInitObd.back();
        EXPECT_EQ(fine.LblTitolo, Voce(c.voceFinale));
        EXPECT_EQ(fine.ColoreBack, c.riuscito ? 0x00FF00 : 0xFF0000);
        EXPECT_EQ(fine.CmdAnnulla, Voce(34));
        EXPECT_TRUE(ui->Chiamato("FrmInitObd.Unload"));
        EXPECT_EQ(Messaggi().size(), c.messaggioPid03 ? 1u : 0u);
        if (c.messaggioPid03 && !Messaggi().empty()) {
            EXPECT_EQ(Messaggi()[0], Voce(57));
        }

        // What the ECU holds now.
        ASSERT_TRUE(LeggiBlocco(2));
        ASSERT_TRUE(LeggiBlocco(12));
        if (c.riuscito) {
            EXPECT_EQ(Valore(2, 2) & 0x0C, 0x0C);
            EXPECT_EQ(Valore(12, 1), c.tentativi.back().first);
            EXPECT_EQ(Valore(12, 19), 6);
            EXPECT_EQ(Valore(12, 18), c.messaggioPid03 ? 0 : 3);
            EXPECT_EQ(Valore(12, 17), std::string(c.auto_).find(",BE1F") != std::string::npos ? 0xEA : 0xE8);
            EXPECT_EQ(Valore(12, 16), 0x07);
            EXPECT_EQ(Valore(12, 25), 0);
            EXPECT_EQ(Valore(12, 23), 0x22);
            EXPECT_EQ(Valore(12, 24), 0x34);
            EXPECT_EQ(Valore(12, 84), c.messaggioPid03 ? 0x9E : 0xBE);
            EXPECT_EQ(Valore(12, 85), 0x1F);
        } else {
            EXPECT_EQ(Valore(2, 2) & 0x04, 0);
            EXPECT_EQ(Valore(12, 19), 0);
        }
        ModPipe::TerminaProcessoCom();
    }
    ModEvoObd::PidPressioneRailScelto = 0;
}

// The ECU waits of the start are whole milliseconds, halves to even: 100.5 ms
// gives 100, and the long wait 5 x 100.5 = 502.5 ms gives 502.
TEST_F(ConnessioneObd, AttesaDellaCentralinaArrotondataAlPari) {
    AvviaCaso("ObdProtocollo=6\r\n");
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    const int32_t attesa = ModBlck::AttesaGlobale, moltiplicatore = ModBlck::MoltiplicatoreAttesa;
    ModBlck::AttesaGlobale = 100'500;
    ModBlck::MoltiplicatoreAttesa = 5;
    Giornale();
    EXPECT_TRUE(MDIFrm::InizializzaObd());
    std::vector<int> attese;
    for (const auto& p : Giornale())
        if (p.codice == PIPE_SET_ECU_WAIT && p.dati.size() >= 2)
            attese.push_back(static_cast<uint8_t>(p.dati[0]) + 256 * static_cast<uint8_t>(p.dati[1]));
    ModBlck::AttesaGlobale = attesa;
    ModBlck::MoltiplicatoreAttesa = moltiplicatore;
    EXPECT_EQ(attese, (std::vector<int>{502, 100}));
    ModPipe::TerminaProcessoCom();
}

// The ECU refuses the block-12 write of a found protocol: the start fails
// with entry 29 like a failed transaction, block 2 is not written, and the
// ECU keeps its OBD settings.
TEST_F(ConnessioneObd, ScritturaRifiutataFallisceLAvvio) {
    AvviaCaso("ObdProtocollo=6\r\n");
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    TabellaBlocchi[12].Valori[1] = 6;
    const int32_t modo = ModPipe::ModoLinea;
    Manopola(11, 0xFB);
    Giornale();
    EXPECT_FALSE(MDIFrm::InizializzaObd());
    EXPECT_EQ(ModMain::EsitoInitObd, 1);
    ASSERT_FALSE(ui->statiInitObd.empty());
    EXPECT_EQ(ui->statiInitObd.back().LblTitolo, Voce(29));
    EXPECT_EQ(ModPipe::ModoLinea, modo);
    size_t scritture = 0;
    for (const auto& p : Giornale())
        if (p.codice == PIPE_ECU_FRAME && p.dati.size() > 3)
            scritture += static_cast<uint8_t>(p.dati[3]) == CMD_WRITE_BLK12 || static_cast<uint8_t>(p.dati[3]) == CMD_WRITE_BLK2;
    EXPECT_EQ(scritture, 1u);
    Manopola(11, 0);
    ASSERT_TRUE(LeggiBlocco(2));
    ASSERT_TRUE(LeggiBlocco(12));
    EXPECT_EQ(Valore(2, 2) & 0x04, 0);
    EXPECT_EQ(Valore(12, 19), 0);
    ModPipe::TerminaProcessoCom();
}

TEST_F(ConnessioneObd, ObdAccesoVieneSpentoCinqueSecondiPrima) {
    AvviaCaso("ObdProtocollo=6\r\n");
    Manopola(24, 2 << 24 | 2 << 16 | 0x04);
    MDIFrm::ConnettiCentralina();
    ASSERT_EQ(Valore(2, 2) & 0x04, 0x04);
    TabellaBlocchi[12].Valori[1] = 6;
    TabellaBlocchi[12].Valori[24] = 0x10; // not a lambda PID: cleared
    const double inizio = ModGlobFunct::LeggiMicrosecondi();
    EXPECT_TRUE(MDIFrm::InizializzaObd());
    ASSERT_TRUE(LeggiBlocco(12));
    EXPECT_EQ(Valore(12, 24), 0);
    EXPECT_GT(ModGlobFunct::LeggiMicrosecondi() - inizio, 5'000'000.0);
    bool spento = false;
    for (const auto& s : ui->statiInitObd) spento = spento || s.LblTitolo == Voce(26);
    EXPECT_TRUE(spento);
}

TEST_F(ConnessioneObd, AnnullaDuranteLAttesaDelMotore) {
    AvviaCaso("ObdProtocollo=6\r\n");
    MDIFrm::ConnettiCentralina();
    const int32_t modo = ModPipe::ModoLinea;
    ui->chiudiObd = false;
    bool chiusa = false;
    ui->allaFinestraObd = [&](const FinestraInitObd& s) {
        // First the cancel during the wait, then the close once the closing button shows.
        if (s.CmdAnnulla == Voce(43)) ModEvoObd::AnnullaInitObd = true;
        if (s.CmdAnnulla == Voce(34) && !chiusa) {
            chiusa = true;
            ModEvoObd::AnnullaInitObd = true;
        }
    };
    Giornale();
    EXPECT_FALSE(MDIFrm::InizializzaObd());
    EXPECT_EQ(ModMain::EsitoInitObd, 0);
    EXPECT_EQ(ui->statiInitObd.back().LblTitolo, Voce(32));
    EXPECT_EQ(ui->statiInitObd.back().ColoreStato, 0xFF8080);
    EXPECT_EQ(ModPipe::ModoLinea, modo);
    for (const auto& p : Giornale())
        EXPECT_FALSE(p.codice == PIPE_ECU_FRAME && p.dati.size() > 3 && static_cast<uint8_t>(p.dati[3]) == 0x0B);
}

TEST(ProtocolliObd, SuccessivoENome) {
    const std::pair<int, int> passi[] = {{1, 3}, {2, 3}, {3, 4}, {4, 5}, {7, 8}, {8, 1}, {255, 4}, {0, 4}, {11, 4}};
    for (const auto& [da, a] : passi) {
        uint8_t c = static_cast<uint8_t>(da);
        const std::string carico = ModEvoObd::ProssimoProtocolloObd(c);
        EXPECT_EQ(c, a) << da;
        EXPECT_EQ(carico, (std::string{static_cast<char>(a <= 3 ? 1 : 4), static_cast<char>(a), 1})) << da;
    }
    EXPECT_EQ(ModEvoObd::NomeProtocolloObd(6), "CAN STD500");
    EXPECT_EQ(ModEvoObd::NomeProtocolloObd(11), "GENERIC");
    EXPECT_EQ(ModEvoObd::NomeProtocolloObd(0), "");
    EXPECT_EQ(ModEvoObd::NomeProtocolloObd(12), "");
    EXPECT_EQ(ModEvoObd::NomeProtocolloObd(255), "");
}

TEST(ProtocolliObd, CodiciErroreNelleDueForme) {
    const std::pair<uint16_t, const char*> casi[] = {
        {0x0000, "P0000"}, {0x0123, "P0123"}, {0xC15A, "U015A"}, {0xFFFF, "U3FFF"}, {0x4A1F, "C0A1F"}, {0x8420, "B0420"},
    };
    for (const auto& [codice, testo] : casi) {
        EXPECT_EQ(ModEvoObd::DecodificaDtc(static_cast<uint8_t>(codice >> 8), static_cast<uint8_t>(codice)), testo);
        int32_t c = -1;
        EXPECT_TRUE(ModEvoObd::CodificaDtc(testo, c)) << testo;
        EXPECT_EQ(c, codice) << testo;
    }
    int32_t c = -1;
    EXPECT_TRUE(ModEvoObd::CodificaDtc("p0a1f", c));
    EXPECT_EQ(c, 0x0A1F);
    for (const char* t : {"P4123", "P012", "X0123", "P012G", "P01234", "", "P-123"}) {
        c = -1;
        EXPECT_FALSE(ModEvoObd::CodificaDtc(t, c)) << t;
        EXPECT_EQ(c, 0) << t;
    }
    // Every code survives the round trip.
    for (int32_t v = 0; v <= 0xFFFF; ++v) {
        int32_t r = -1;
        ASSERT_TRUE(ModEvoObd::CodificaDtc(ModEvoObd::DecodificaDtc(static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)), r));
        ASSERT_EQ(r, v);
    }
}

} // namespace
