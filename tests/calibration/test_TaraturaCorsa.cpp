// Calibration runs against the simulated ECU through the real companion.
#include "calibration/FissaggioTaratura.h"
#include "core/Conversioni.h"
#include "core/ModRetta.h"
#include "link/ModMappeDati.h"
#include "maps/ModBlckAssi.h"

namespace {

size_t ContaRighe(const std::string& testo, const std::string& inizio) {
    size_t n = 0;
    for (const auto& r : Conv::Split(testo, "\r\n")) n += r.rfind(inizio, 0) == 0;
    return n;
}

class CorsaTaratura : public FissaggioTaratura {
protected:
    // The shell's axis conversion in place of the recorder's (which converts nothing).
    class InterfacciaAssi : public RegistratoreInterfaccia {
    public:
        bool CalcolaVettoriAssi(std::array<uint8_t, 128>& r, std::array<uint8_t, 180>& t, std::array<uint8_t, 24>& ar,
                                std::array<uint8_t, 23>& at, bool daVettori) override {
            return ModBlck::CalcolaVettoriAssi(r, t, ar, at, daVettori);
        }
    };
    void ConvertiAssi() {
        ui.reset();
        ui = std::make_unique<InterfacciaAssi>();
        ui->testoChiudiObd = Voce(34);
    }
    // The operator holds 3000 rpm for step 4 and comes back to idle for step 6.
    void GiriDelleFasi(const std::string& t) {
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
        if (t.find(" 86 %") != std::string::npos) Manopola(40, 800);
    }
};

TEST_F(CorsaTaratura, PassiDaUnoACinquePoiStopEBlocchiRipristinati) {
    std::filesystem::create_directories(base.File("Tune"));
    std::ofstream(base.File("Tune/StatoTun.txt"), std::ios::binary) << "old run";
    const auto tipoOriginale = Valore(3, 4);
    const auto opzioniOriginali = Valore(2, 2);
    int32_t correzione = -1;
    vista.alPasso = [this, &correzione](const std::string& t) {
        // Step 4: the operator holds 3000 rpm; step 6: the test stops the run.
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
        if (t.find(" 86 %") != std::string::npos) {
            correzione = Valore(2, 6);
            ModTaratura::StopTaratura = -1;
        }
    };
    MDIFrm::EseguiTaratura();

    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_EQ(ModTaratura::PassoTaratura, 6);
    // Step 5 moved the gas correction towards the engine's need (400 us) until
    // the petrol time on gas matched the one on petrol within 2 %.
    EXPECT_GT(correzione, 100);
    EXPECT_LE(correzione, 500);
    EXPECT_NEAR(ModTaratura::TGasCil, ModTaratura::TBenzMax, ModTaratura::TBenzMax * 0.03);
    EXPECT_EQ(ModTaratura::TipoIniettoreTaratura, 0);
    // Idle petrol time about 2.6 ms, at 3000 rpm about 5 ms.
    EXPECT_NEAR(ModTaratura::TBenzMin, 2600, 150);
    EXPECT_NEAR(ModTaratura::TBenzMax, 5000, 150);
    // Step 2 saved the blocks before changing them; the stop wrote them back.
    ASSERT_FALSE(ModTaratura::CopiaBlocco3Taratura.TramaRichiesta.empty());
    EXPECT_EQ(ModTaratura::CopiaBlocco3Taratura.Valori[4], tipoOriginale);
    ASSERT_TRUE(LeggiBlocco(3));
    ASSERT_TRUE(LeggiBlocco(2));
    EXPECT_EQ(Valore(3, 4), tipoOriginale);
    EXPECT_EQ(Valore(2, 2), opzioniOriginali);
    EXPECT_TRUE(vista.Mostrato(VoceTune(7)));
    EXPECT_EQ(vista.messaggi.back(), VoceTune(4) + " <Start>");
    EXPECT_TRUE(vista.startAbilitato);
    EXPECT_FALSE(vista.cancelAbilitato);
    EXPECT_EQ(ModMain::RipristinoTaratura, 0.0);

    // The logs rotated; the new one holds the two sampling steps.
    EXPECT_EQ(Leggi(base.File("Tune/StatoTun1.txt")), "old run");
    const std::string log = Leggi(base.File("Tune/StatoTun.txt"));
    EXPECT_EQ(ContaRighe(log, "TEMP - "), 1u);
    EXPECT_EQ(ContaRighe(log, "Campiona minimo"), 1u);
    EXPECT_EQ(ContaRighe(log, "TimerApi_uSecAuxSampleAuxTBenzTBenzMinTBenzMaxTGasCilAuxRpmCorr"), 1u);
    EXPECT_EQ(ContaRighe(log, "Campiona massimo"), 1u);
    EXPECT_GE(ContaRighe(log, "#"), 4u + 3u + 4u * 3u); // N + 1 samples a cycle
    EXPECT_EQ(ContaRighe(log, "Tara iniettori"), 1u);
    EXPECT_EQ(ContaRighe(log, "Cilindro n. "), static_cast<size_t>(Valore(3, 1)));
}

TEST_F(CorsaTaratura, CorsaCompletaRiscriveMappaEOpzioni) {
    // Lambda emulation on before the run: step 2 suspends it, the end restores it.
    TabellaBlocchi[2].Valori[2] |= 0x10;
    ASSERT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0);
    vista.confermaSempre = true;
    vista.alPasso = [this](const std::string& t) {
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
        if (t.find(" 86 %") != std::string::npos) Manopola(40, 800);
    };
    ModMain::MappaPagina0 = {};
    MDIFrm::EseguiTaratura();

    EXPECT_EQ(ModTaratura::PassoTaratura, 6);
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    EXPECT_FALSE(vista.Mostrato(VoceTune(17))) << vista.messaggi.back();
    EXPECT_TRUE(vista.Mostrato(VoceTune(34)));
    EXPECT_EQ(ModTaratura::EmulazioneLambdaSospesa, 1);
    EXPECT_EQ(ModMain::RipristinoTaratura, 0.0);
    // The ECU keeps the tuned correction, the options are back, the gas time matches.
    ASSERT_TRUE(LeggiBlocco(2));
    const int32_t corr = Valore(2, 6);
    EXPECT_GT(corr, 100);
    EXPECT_EQ(Valore(2, 2) & 0x13, 0x10);
    EXPECT_NEAR(ModTaratura::TGasCil, ModTaratura::TBenzMin, ModTaratura::TBenzMin * 0.03);
    // Map form: the working point holds the fill factor of the tuned correction.
    const auto F = ModTaratura::FattoreRiempimento(corr, ModTaratura::TBenzMin);
    ASSERT_TRUE(F.has_value());
    EXPECT_EQ(ModMain::MappaPagina0[0][0], *F);
    EXPECT_EQ(ModMain::UndoPagina0, ModMain::MappaPagina0);
    EXPECT_TRUE(ui->Chiamato("MDIFrm.SelezioneScheda(12)")) << (ui->chiamate.empty() ? "" : ui->chiamate.back());
}

TEST_F(CorsaTaratura, CorrezioneLimitataTieneLeMedieECentraLaTabella) {
    // The injector's lower limit (block 3 value 36) cuts the first idle
    // correction; the table is centred on the last complete cycle's pressure.
    ModBlck::TipiIniettori[0].Valore6 = 5000;
    auto righe = ParametriBrevi();
    righe.push_back("Tolleranza in correzine minimo %=0");
    righe.push_back("Disabilita Centraggio Compensazione=1");
    ScriviParametri(righe);
    vista.confermaSempre = true;
    vista.alPasso = [this](const std::string& t) {
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
        if (t.find(" 86 %") != std::string::npos) Manopola(40, 800);
    };
    MDIFrm::EseguiTaratura();

    EXPECT_FALSE(vista.Mostrato(VoceTune(17))) << vista.messaggi.back();
    EXPECT_TRUE(vista.Mostrato(VoceTune(31)));
    EXPECT_NEAR(ModTaratura::TGasCil, ModTaratura::TBenzMin, 300);
    const int32_t p = ModTaratura::PressioneGasTaratura;
    EXPECT_GT(p, 1000);
    ASSERT_TRUE(LeggiBlocco(9));
    const size_t n = TabellaBlocchi[9].Valori.size();
    EXPECT_EQ(Valore(9, n - 2), 1);
    const int32_t j = Valore(9, n - 1);
    ASSERT_GT(j, 0);
    EXPECT_LE(Valore(9, static_cast<size_t>(8 * (j - 1))), p);
    EXPECT_GE(Valore(9, static_cast<size_t>(8 * j)), p);
}

TEST_F(CorsaTaratura, ScritturaMappaFallitaRendeLaCopiaDiAnnullamento) {
    for (auto& r : ModMain::UndoPagina0) r.fill(7);
    vista.confermaSempre = true;
    vista.alPasso = [this](const std::string& t) {
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
        if (t.find(" 86 %") != std::string::npos) Manopola(40, 800);
    };
    vista.alMessaggio = [this](const std::string& t) {
        // Confirmation of the idle tare: one read of the wait, five of the
        // working point, then the first packet of the map write is lost.
        if (t.find(VoceTune(45)) != std::string::npos) Manopola(7, 6);
        if (t.find(VoceTune(17)) != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_TRUE(vista.Mostrato(VoceTune(12)));
    // The map in memory is the one the step computed, not the ECU's.
    EXPECT_NE(ModMain::MappaPagina0, ModMain::UndoPagina0);
    for (const auto& r : ModMain::UndoPagina0)
        for (uint8_t c : r) ASSERT_EQ(c, 7);
}

TEST_F(CorsaTaratura, StopInOgniFaseLasciaLaCentralinaComeEra) {
    // A factory file whose axes differ from the ECU's, so that the map
    // rewrite changes the vectors too.
    FileFabbricaConVettori();
    const int32_t tipo = Valore(3, 4), opzioni = Valore(2, 2), correzione = Valore(2, 6);
    // Where the operator presses Cancel: each step's progress, the idle-tare
    // confirmation and the options' confirmation.
    const std::vector<std::string> fasi = {" 14 %", " 29 %", " 43 %", " 57 %", " 71 %", " 86 %", "conferma", "opzioni"};
    for (const std::string& fase : fasi) {
        SCOPED_TRACE(fase);
        AzzeraTaratura();
        vista.messaggi.clear();
        Manopola(40, 800);
        ModMain::StatoConnessione = STATO_TARATURA;
        vista.confermaSempre = fase != "conferma" && fase != "opzioni";
        vista.alPasso = [this, fase](const std::string& t) {
            if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
            if (t.find(" 86 %") != std::string::npos) Manopola(40, 800);
            if (t.find(fase) != std::string::npos) ModTaratura::StopTaratura = -1;
        };
        vista.alMessaggio = [this, fase](const std::string& t) {
            // The injector type is confirmed; the two last confirmations are refused.
            if (t.find(VoceTune(9)) != std::string::npos) QTimer::singleShot(0, [] { ModTaratura::OkTaratura = -1; });
            if (fase == "conferma" && t.find(VoceTune(45)) != std::string::npos) ModTaratura::StopTaratura = -1;
            if (fase == "opzioni" && t.find(VoceTune(45)) != std::string::npos)
                QTimer::singleShot(0, [] { ModTaratura::OkTaratura = -1; });
            if (fase == "opzioni" && t.find(VoceTune(33)) != std::string::npos) ModTaratura::StopTaratura = -1;
        };
        // Lambda emulation on, so that the options' confirmation is asked.
        TabellaBlocchi[2].Valori[2] = opzioni | 0x10;
        ASSERT_EQ(ScriviBlocco(2, CMD_WRITE_BLK2), 0);
        const StatoEcu prima = LeggiStatoEcu();
        MDIFrm::EseguiTaratura();
        // Every block, the map page with its table and the vectors as before the run.
        ConfrontaStatoEcu(prima, LeggiStatoEcu());
        EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
        EXPECT_TRUE(vista.Mostrato(VoceTune(7)));
        EXPECT_EQ(ModMain::RipristinoTaratura, 0.0);
        ASSERT_TRUE(LeggiBlocco(3));
        ASSERT_TRUE(LeggiBlocco(2));
        EXPECT_EQ(Valore(3, 4), tipo);
        EXPECT_EQ(Valore(2, 2), opzioni | 0x10);
        EXPECT_EQ(Valore(2, 6), correzione);
        EXPECT_EQ(Valore(2, 0), 0); // back on petrol
    }
}

TEST_F(CorsaTaratura, FallimentoDopoLaRiscritturaRendeMappaVettoriEBlocchi) {
    // The error-memory clear of the closing writes (phase 8, command 0x14)
    // gets no reply, after the vectors, the map page and the table were
    // rewritten:
    // the run ends with code 4 on a bad reply status, and the restore after
    // the reconnect gives everything back.
    FileFabbricaConVettori();
    ConvertiAssi();
    const StatoEcu prima = LeggiStatoEcu();
    // Memory as the connect leaves it.
    ModBlck::VettoreRpm = prima.rpm;
    ModBlck::VettoreTinj = prima.tinj;
    ASSERT_TRUE(ui->CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                       ModMain::AsseTinjLavoro, true));
    const auto assi = std::make_pair(ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
    ModMain::MappaPagina0 = prima.mappa;
    ModMain::MatSoglie = prima.soglie;
    vista.confermaSempre = true;
    bool cancelDopoIlPasso = true, cancelPerLaConferma = false;
    vista.alPasso = [&](const std::string& t) {
        GiriDelleFasi(t);
        if (t == Voce(44)) cancelDopoIlPasso = vista.cancelAbilitato;
    };
    vista.alMessaggio = [&](const std::string& t) {
        if (t.find(VoceTune(45)) != std::string::npos) Manopola(15, 0x14);
        if (t.find(VoceTune(17)) != std::string::npos) {
            cancelPerLaConferma = vista.cancelAbilitato;
            ModTaratura::StopTaratura = -1;
        }
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 6);
    EXPECT_TRUE(vista.Mostrato(VoceTune(12)));
    // Cancel was off from the confirmation to the step's end, and on again to
    // acknowledge the failure.
    EXPECT_FALSE(cancelDopoIlPasso);
    EXPECT_TRUE(cancelPerLaConferma);
    ASSERT_EQ(ModMain::RipristinoTaratura, -1.0);
    // The reconnect (the ECU answers again), then the deferred restore.
    ASSERT_TRUE(LeggiBlocco(1));
    MDIFrm::RipristinaDatiTaratura();
    ConfrontaStatoEcu(prima, LeggiStatoEcu());
    // Memory follows the ECU: the vectors, the working axes and the map page.
    EXPECT_EQ(ModBlck::VettoreRpm, prima.rpm);
    EXPECT_EQ(ModBlck::VettoreTinj, prima.tinj);
    EXPECT_EQ(ModMain::AsseRpmLavoro, assi.first);
    EXPECT_EQ(ModMain::AsseTinjLavoro, assi.second);
    EXPECT_TRUE(ModMain::MappaPagina0 == prima.mappa);
}

TEST_F(CorsaTaratura, LetturaFallitaInAttesaDellaConfermaFermaIlPasso) {
    // The reply to the first block-1 read of the idle-tare confirmation is
    // lost while the operator presses OK: the step ends with code 4 and the
    // map is not rewritten.
    const StatoEcu prima = LeggiStatoEcu();
    vista.alPasso = [this](const std::string& t) { GiriDelleFasi(t); };
    vista.alMessaggio = [this](const std::string& t) {
        if (t.find(VoceTune(45)) != std::string::npos) {
            Manopola(7, 0);
            QTimer::singleShot(0, [] { ModTaratura::OkTaratura = -1; });
        }
        if (t.find(VoceTune(17)) != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 6);
    EXPECT_TRUE(vista.Mostrato(VoceTune(12)));
    StatoEcu dopo = LeggiStatoEcu();
    EXPECT_TRUE(dopo.mappa == prima.mappa);
    EXPECT_EQ(dopo.soglie, prima.soglie);
}

TEST_F(CorsaTaratura, VettoriDelFileDiFabbricaScrittiERiletti) {
    // A complete run in map form writes the factory file's axis vectors and
    // reads them back: the ECU, the vectors in memory and the working axes
    // hold the file's, and the map views show the new axes.
    FileFabbricaConVettori();
    ConvertiAssi();
    vista.confermaSempre = true;
    vista.alPasso = [this](const std::string& t) { GiriDelleFasi(t); };
    MDIFrm::EseguiTaratura();
    EXPECT_FALSE(vista.Mostrato(VoceTune(17))) << vista.messaggi.back();
    ModBlck::VettoreGiri rpm{};
    ModBlck::VettoreTempi tinj{};
    ASSERT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, 0), 0);
    EXPECT_EQ(rpm, VettoreRpmFabbrica());
    EXPECT_EQ(tinj, VettoreTinjFabbrica());
    EXPECT_EQ(ModBlck::VettoreRpm, VettoreRpmFabbrica());
    EXPECT_EQ(ModBlck::VettoreTinj, VettoreTinjFabbrica());
    for (size_t k = 0; k < 24; ++k) EXPECT_EQ(ModMain::AsseRpmLavoro[k], 5 * k) << k;
    for (size_t k = 0; k < 23; ++k) EXPECT_EQ(ModMain::AsseTinjLavoro[k], 7 * k) << k;
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(ui->Chiamato("FrmMatrix.CaricaAssiInMatrice(" + std::to_string(k) + ")"));
        EXPECT_TRUE(ui->Chiamato("FRM_ZEBCarburazione.CaricaAssiInMatrice(" + std::to_string(k) + ")"));
    }
    EXPECT_TRUE(Messaggi().empty());

    // A factory file without its last vector part, its other parts unlike the
    // ECU's vectors: nothing is written, the ECU keeps its vectors and no box
    // interrupts the run.
    ModBlck::VettoreGiri altriRpm{};
    ModBlck::VettoreTempi altriTinj{};
    for (size_t i = 0; i < altriRpm.size(); ++i) altriRpm[i] = static_cast<uint8_t>(std::min<size_t>(i / 4, 23));
    for (size_t i = 0; i < altriTinj.size(); ++i) altriTinj[i] = static_cast<uint8_t>(std::min<size_t>(i / 6, 22));
    FileFabbricaConVettori("[VET_TINJ_1]", altriRpm, altriTinj);
    AzzeraTaratura();
    vista.messaggi.clear();
    ModMain::StatoConnessione = STATO_TARATURA;
    MDIFrm::EseguiTaratura();
    EXPECT_FALSE(vista.Mostrato(VoceTune(17))) << vista.messaggi.back();
    EXPECT_TRUE(Messaggi().empty());
    ASSERT_EQ(ModBlck::LeggiScriviVettori(rpm, tinj, 0), 0);
    EXPECT_EQ(rpm, VettoreRpmFabbrica());
    EXPECT_EQ(tinj, VettoreTinjFabbrica());
}

TEST_F(CorsaTaratura, FormaRettaSpostaLaCurvaSullaCorrezione) {
    // The map holds a correction curve (threshold byte 15 bit 0x04), flat at 0.
    ModMain::MatSoglie[15] = 0x04;
    ModRetta::CurvaCorrezione.fill(0.0f);
    vista.confermaSempre = true;
    vista.alPasso = [this](const std::string& t) {
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
        if (t.find(" 86 %") != std::string::npos) Manopola(40, 800);
    };
    MDIFrm::EseguiTaratura();
    EXPECT_FALSE(vista.Mostrato(VoceTune(17))) << vista.messaggi.back();
    ASSERT_TRUE(LeggiBlocco(2));
    const float attesa = static_cast<float>(Valore(2, 6) / 1000.0);
    EXPECT_NE(ModMain::MatSoglie[15] & 0x04, 0);
    // Read back from the ECU: the curve passes through the tuned correction.
    EXPECT_NEAR(ModRetta::CurvaCorrezione[0], attesa, 0.01f);
    EXPECT_NEAR(ModRetta::CurvaCorrezione[172], attesa, 0.01f);
    EXPECT_TRUE(ui->Chiamato("MDIFrm.SelezioneScheda(6)"));
}

TEST_F(CorsaTaratura, CartellaDelLogMancanteOIllegibile) {
    // A missing Tune folder is created.
    std::filesystem::remove_all(base.File("Tune"));
    vista.alPasso = [](const std::string& t) {
        if (t.find(" 14 %") != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_TRUE(std::filesystem::exists(base.File("Tune/StatoTun.txt")));

    // A log that cannot be opened ends the run with the transfer code, no crash.
    std::filesystem::remove_all(base.File("Tune"));
    std::ofstream(base.File("Tune"), std::ios::binary) << "not a folder";
    AzzeraTaratura();
    vista.messaggi.clear();
    ModMain::StatoConnessione = STATO_TARATURA;
    vista.alMessaggio = [this](const std::string& t) {
        if (t.find(VoceTune(17)) != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 0);
    EXPECT_TRUE(vista.Mostrato(VoceTune(12)));
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
}

TEST_F(CorsaTaratura, PressioneGasFuoriDallAsse) {
    // The range check is on and the axis starts above the live gas pressure.
    const size_t penultimo = TabellaBlocchi[9].Valori.size() - 2;
    Manopola(24, static_cast<int32_t>(9u << 24 | penultimo << 16 | 1));
    Manopola(24, static_cast<int32_t>(9u << 24 | 0u << 16 | 3000));
    vista.alPasso = [this](const std::string& t) {
        if (t.find(" 57 %") != std::string::npos) Manopola(40, 3000);
    };
    vista.alMessaggio = [this](const std::string& t) {
        if (t.find(VoceTune(17)) != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 5);
    EXPECT_TRUE(vista.Mostrato(VoceTune(46)));
    // The immediate restore brought block 9 back as step 2 found it.
    ASSERT_TRUE(LeggiBlocco(9));
    EXPECT_EQ(Valore(9, 0), 3000);
}

TEST_F(CorsaTaratura, FileImpostazioniMancanteFermaLaCorsa) {
    std::filesystem::remove(base.File("lng/ParaTun.txt"));
    vista.alMessaggio = [this](const std::string& t) {
        if (t.find(VoceTune(17)) != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 1);
    ASSERT_FALSE(VoceTune(ModTaratura::VoceParametriMancanti).empty());
    EXPECT_TRUE(vista.Mostrato(VoceTune(ModTaratura::VoceParametriMancanti)));
    EXPECT_TRUE(ModTaratura::CopiaBlocco3Taratura.TramaRichiesta.empty());
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
}

TEST_F(CorsaTaratura, SorveglianzaGiriAzzerataAllAvvio) {
    // An earlier run left the watchdog run out: a single low reading in phase C
    // must not end this run.
    ModTaratura::ContatoreRpmTaratura = -5;
    vista.alMessaggio = [this](const std::string& t) {
        if (t.empty() && ModTaratura::SecondoSetTaratura == -1) Manopola(40, 300);
        if (t == VoceTune(3)) Manopola(40, 800);
    };
    vista.alPasso = [](const std::string& t) {
        if (t.find(" 29 %") != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 3);
    EXPECT_FALSE(vista.Mostrato(VoceTune(15)));
}

TEST_F(CorsaTaratura, EcuMutaArmaIlRipristinoDifferito) {
    const auto tipoOriginale = Valore(3, 4);
    vista.alPasso = [this](const std::string& t) {
        if (t.find(" 43 %") != std::string::npos) Manopola(10, 1);
    };
    vista.alMessaggio = [this](const std::string& t) {
        if (t.find(VoceTune(17)) != std::string::npos) ModTaratura::StopTaratura = -1;
    };
    MDIFrm::EseguiTaratura();
    EXPECT_EQ(ModTaratura::PassoTaratura, 3);
    EXPECT_TRUE(vista.Mostrato(VoceTune(12)));
    EXPECT_EQ(ModMain::StatoConnessione, STATO_CONNESSO);
    ASSERT_NE(ModPipe::StatoRisposta, 1);
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);
    EXPECT_EQ(ModMain::RipristinoTaratura, -1.0);

    // After the reconnect the saved blocks go back.
    Manopola(10, 0);
    ASSERT_TRUE(LeggiBlocco(3));
    EXPECT_EQ(Valore(3, 4), 1); // the calibration's injector type
    MDIFrm::RipristinaDatiTaratura();
    ASSERT_TRUE(LeggiBlocco(3));
    EXPECT_EQ(Valore(3, 4), tipoOriginale);
}

TEST_F(CorsaTaratura, RipristinoDifferitoSenzaCopieNonInviaNulla) {
    ModPipe::ModoLinea = 0;
    MDIFrm::RipristinaDatiTaratura();
    EXPECT_EQ(ModPipe::ModoLinea, 0);
}

} // namespace
