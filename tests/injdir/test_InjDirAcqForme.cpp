// The four acquisition-wizard steps offscreen against the simulated ECU: each
// step's requests carried out on the simulated ECU as the request engine
// would, until the step reaches its result; the progress bits skipped after
// a failed write; refusals of bad records.
#include "injdir/FissaggioInjDir.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "compensation/CompensaModello.h"
#include "compensation/FrmCompensa.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "injdir/FrmInjDirAcq1.h"
#include "injdir/FrmInjDirAcq2.h"
#include "injdir/FrmInjDirAcq3.h"
#include "injdir/FrmInjDirAcq4.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckVettori.h"
#include "maps/ModBlckAssi.h"
#include "platform/Orologio.h"

namespace {

class InjDirAcq : public FissaggioInjDir {
protected:
    void SetUp() override {
        FissaggioInjDir::SetUp();
        lista15_ = ModBlck::ModificheBlocco15;
        trama9_ = ModBlck::FrameComPGasX;
        selezione_ = ModBlck::TabellaCompensazioneSel;
        ModBlck::ModificheBlocco15 = ModBlck::ListaVuota();
        ModMain::UltimaRichiestaRiuscita = true;
        vettori_ = {ModBlck::VettoreRpm, ModBlck::VettoreTinj};
        asseTinj_ = ModMain::AsseTinjLavoro;
        predefinita_ = ModMain::PercorsoConfigDefault;
        configurazioni_ = ModMain::ConfigurazioniPredefinite;
    }
    void TearDown() override {
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        ModBlck::ModificheBlocco15 = lista15_;
        ModBlck::FrameComPGasX = trama9_;
        ModBlck::TabellaCompensazioneSel = selezione_;
        ModMain::UltimaRichiestaRiuscita = true;
        std::tie(ModBlck::VettoreRpm, ModBlck::VettoreTinj) = vettori_;
        ModMain::AsseTinjLavoro = asseTinj_;
        ModMain::PercorsoConfigDefault = predefinita_;
        ModMain::ConfigurazioniPredefinite = configurazioni_;
        FissaggioInjDir::TearDown();
    }
    // The pending request carried out on the simulated ECU.
    void Esegui() {
        switch (ModMain::RichiestaPendente) {
        case REQ_WRITE_BLK15: Scrivi(15, ModBlck::ModificheBlocco15, CMD_WRITE_BLK15); break;
        case REQ_WRITE_BLK16: Scrivi(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16); break;
        case REQ_WRITE_BLK15_BLK16:
            Scrivi(15, ModBlck::ModificheBlocco15, CMD_WRITE_BLK15);
            Scrivi(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16);
            break;
        case REQ_WRITE_COMP_TABLES:
            ecu_->Rispondi(ModBlck::TabellaCompensazioneSel == 3 ? ModBlck::FrameComPBenX : ModBlck::FrameComPGasX);
            LeggiCentralina();
            break;
        default: break;
        }
        ModMain::RichiestaPendente = 0;
    }
    ListaModifiche lista15_;
    std::pair<ModBlck::VettoreGiri, ModBlck::VettoreTempi> vettori_;
    std::array<uint8_t, RighePaginaMappa> asseTinj_{};
    std::string predefinita_;
    std::vector<ConfigurazionePredefinita> configurazioni_;
    std::string trama9_;
    int32_t selezione_ = 0;
};

TEST_F(InjDirAcq, Passo1SequenzaPoiAnticipo) {
    FrmInjDirAcq1 p;
    p.Form_Load();
    p.AggiornaVisualizzazione();
    EXPECT_TRUE(p.CMD_Acquisisci->isEnabled());
    EXPECT_FALSE(p.CMD_AnticipataoNo[0]->isEnabled());
    // Two clicks while another page's request holds the slot: one acquisition later.
    p.CMD_Acquisisci_Click();
    p.CMD_Acquisisci_Click();
    ModMain::RichiestaPendente = 13;
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, 13);
    ModMain::RichiestaPendente = 0;
    p.GestioneRichieste();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_ACQUIRE_INJ_SEQUENCE_DI);
    ASSERT_EQ(ModBlck::ModificheBlocco16.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco16[0].Maschera, 0x01);
    // The ECU acquires the order, then block 16 is written with the bit.
    ecu_->Rispondi(ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_START_ACQUISITION, "\x04"));
    LeggiCentralina();
    Scrivi(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16);
    p.GestioneRichieste(); // redraw
    EXPECT_EQ(ecu_->Valore(16, 26) & 0x01, 0x01);
    EXPECT_TRUE(p.LAB_Sequenza_Val->text().startsWith(QStringLiteral(" 1 - 3 - 4 - 2")));
    EXPECT_FALSE(p.CMD_Acquisisci->isEnabled());
    EXPECT_TRUE(p.CMD_AnticipataoNo[0]->isEnabled());
    // Advanced, then not advanced before the tick: only the first choice counts.
    emit p.CMD_AnticipataoNo[0]->Click();
    emit p.CMD_AnticipataoNo[1]->Click();
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_APPLY_SEQUENCE_ANTICIPATED);
    ASSERT_EQ(ModBlck::ModificheBlocco12.size(), 24u);
    EXPECT_EQ(ModBlck::ModificheBlocco12[5].Valore, 90);
    Scrivi(12, ModBlck::ModificheBlocco12, CMD_WRITE_BLK12);
    Scrivi(16, ModBlck::ModificheBlocco16, CMD_WRITE_BLK16);
    EXPECT_EQ(ecu_->Valore(12, 83), 90);
    p.GestioneRichieste();
    EXPECT_FALSE(p.SHP_AnticipataoNo[0]->isHidden());
    EXPECT_FALSE(p.CMD_AnticipataoNo[1]->isEnabled());
    // Reset clears the three bits.
    p.CMD_ResetAnticipo_Click();
    p.GestioneRichieste();
    Esegui();
    EXPECT_EQ(ecu_->Valore(16, 26) & 0x07, 0);
}

TEST_F(InjDirAcq, Passo2TrovaLaSogliaDelSegnaleGiri) {
    FrmInjDirAcq2 p;
    p.Form_Load();
    ASSERT_EQ(p.Soglie.codici.size(), 35u);
    p.AggiornaVisualizzazione();
    EXPECT_TRUE(p.CMD_AcquisisciRPM->isEnabled());
    EXPECT_FALSE(p.CMD_ResetRPM->isEnabled());
    ecu_->sogliaSegnaleRpm = 150; // codes above 150 lose the engine
    ecu_->ImpostaValore(15, 87, 68);
    LeggiCentralina();
    Piattaforma::ImpostaAcceleratoreOrologio(1000.0);
    p.CMD_AcquisisciRPM_Click();
    for (int giro = 0; giro < 100000 && p.StatoRicercaSoglia != 5 && p.StatoRicercaSoglia != 6; ++giro) {
        LeggiCentralina();
        p.GestioneRichieste();
        Esegui();
    }
    ASSERT_EQ(p.StatoRicercaSoglia, 5);
    // The speed is first seen at 149 (index 22): 50 % of 22 is index 11, code 74.
    EXPECT_EQ(ecu_->Valore(15, 87), 74);
    EXPECT_EQ(ecu_->Valore(16, 26) & 0x08, 0x08);
    p.GestioneRichieste(); // redraw with the result in volts
    EXPECT_TRUE(p.LAB_RPMIstruzioni->text().contains(QStringLiteral("5.5 V")));
    EXPECT_EQ(p.SLD_AcquisisciRPM->value(), 11);
}

TEST_F(InjDirAcq, Passo2NessunaSogliaRiscriveLaPrecedente) {
    FrmInjDirAcq2 p;
    p.Form_Load();
    ecu_->sogliaSegnaleRpm = -1; // no code gives a speed
    ecu_->ImpostaValore(15, 87, 68);
    LeggiCentralina();
    Piattaforma::ImpostaAcceleratoreOrologio(1000.0);
    p.CMD_AcquisisciRPM_Click();
    for (int giro = 0; giro < 100000 && p.StatoRicercaSoglia != 5 && p.StatoRicercaSoglia != 6; ++giro) {
        LeggiCentralina();
        p.GestioneRichieste();
        Esegui();
    }
    ASSERT_EQ(p.StatoRicercaSoglia, 6);
    EXPECT_EQ(ecu_->Valore(15, 87), 68);
    EXPECT_EQ(ecu_->Valore(16, 26) & 0x08, 0);
}

// What the shell serves step 3: the compensation page takes the curve and
// posts its table write; the axis conversion converts.
class ServiziPasso3 : public ServiziInterfaccia {
public:
    ServiziPasso3() {
        ModMain::LivelloExp = ModMain::LivelloSup = 1;
        compensa.resize(1001, 425);
        compensa.Form_Load();
        compensa.CaricaLingua();
        compensa.AggiornaTabelledaVettori();
        MDIFrm::RegistraInterfaccia(this);
    }
    ~ServiziPasso3() override { MDIFrm::RegistraInterfaccia(nullptr); }
    void FrmCompensa_CalcoloAutomaticoCmpPressBenz() override { compensa.CalcoloAutomaticoCmpPressBenz(); }
    bool CalcolaVettoriAssi(std::array<uint8_t, 128>& r, std::array<uint8_t, 180>& t, std::array<uint8_t, 24>& ar,
                            std::array<uint8_t, 23>& at, bool daVettori) override {
        return ModBlck::CalcolaVettoriAssi(r, t, ar, at, daVettori);
    }
    FrmCompensa compensa;
};

TEST_F(InjDirAcq, Passo3RigheCalcoloEBit) {
    ServiziPasso3 servizi;
    FrmInjDirAcq3 p;
    p.Form_Load();
    p.show();
    Piattaforma::ImpostaAcceleratoreOrologio(1000.0);
    // Four operating regions, each held until the buffers are full of it.
    const struct {
        int32_t map, rpm, alto, basso, conteggio, tinj;
    } regioni[] = {{300, 900, 0x01, 0xF4, 205, 2500},   // 50 bar, 1.0 V
                   {600, 2000, 0x03, 0x20, 327, 4000},  // 80 bar, 1.6 V
                   {600, 3500, 0x04, 0xB0, 491, 6000},  // 120 bar, 2.4 V
                   {900, 4000, 0x07, 0xD0, 818, 10000}}; // 200 bar, 4.0 V
    for (int r = 0; r < 4; ++r) {
        const auto& g = regioni[r];
        Imposta(1, 48, g.map);
        Imposta(1, 32, g.rpm);
        Imposta(1, 55, g.conteggio);
        Imposta(1, 15, g.tinj);
        Imposta(12, 20, 1);
        Imposta(12, 46, g.alto);
        Imposta(12, 47, g.basso);
        p.Buffer.Riavvia();
        for (int giro = 0; giro < 100000 && p.Buffer.Riempiti() < 6; ++giro) {
            p.GestioneRichieste();
            p.AggiornaRealTime();
        }
        ASSERT_EQ(p.RigaCorrente, r);
        p.CMD_AcqBenz_Spazio_Click();
        p.GestioneRichieste();
    }
    EXPECT_EQ(p.GRD_AcqBenz_EditableBar[3]->text(), QStringLiteral("200.0"));
    EXPECT_EQ(p.GRD_AcqBenz_EditableTinj[3]->text(), QStringLiteral("10.00"));
    p.CMD_AcqBenz_Man_Calcola_Click();
    p.GestioneRichieste();
    ASSERT_EQ(ModMain::UltimoIndiceAcq, 14);
    EXPECT_EQ(ModMain::RisultatoAcqY[14], 102);
    EXPECT_TRUE(p.ScritturaBitPendente);
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
    Esegui();
    p.GestioneRichieste(); // redraw
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK16);
    Esegui();
    EXPECT_EQ(ecu_->Valore(16, 26) & 0x10, 0x10);
    p.GestioneRichieste(); // redraw
    // Axes: the injection-time axis from 10 ms, then request 23 (or the axis
    // failure text where the conversion refuses the axes).
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::AsseTinjLavoro[22], 82);

    // A calculation whose table write failed records no bit.
    ModMain::RichiestaPendente = 0;
    p.GestioneRichieste(); // redraw
    p.CMD_AcqBenz_Man_Calcola_Click();
    p.GestioneRichieste();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
    ModMain::RichiestaPendente = 0;
    p.GestioneRichieste(); // redraw
    ModMain::UltimaRichiestaRiuscita = false;
    ModBlck::ModificheBlocco16 = ModBlck::ListaVuota();
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
    EXPECT_FALSE(p.CalcoloAssiPendente);

    // One row only: the refusal text and a beep.
    p.CaricaLingua();
    p.GRD_AcqBenz_EditableBar[1]->setText(QStringLiteral("80.0"));
    p.GRD_AcqBenz_EditableVolts[1]->setText(QStringLiteral("1.600"));
    p.CMD_AcqBenz_Man_Calcola_Click();
    const int bip = Bip();
    p.GestioneRichieste();
    EXPECT_EQ(p.LAB_AcqBenz_Auto_Istruzioni->text().toStdString(), Voce("[Start_InjDirTune]", 34));
    EXPECT_EQ(Bip(), bip + 1);
}

TEST_F(InjDirAcq, Passo3CurvaRifiutataDallaPaginaNonSegnaNulla) {
    // Settings that give a 17-point curve, more than table 3 holds: the
    // compensation page refuses it (a long beep, nothing posted) and the step
    // writes no progress bit, although the last request went well.
    ServiziPasso3 servizi;
    FrmInjDirAcq3 p;
    p.Form_Load();
    ModMain::RigheConfigScale.insert(ModMain::RigheConfigScale.end(), {"[CalcPressAuto]", "5", "5", "16", "100", "1"});
    const std::pair<const char*, const char*> righe[] = {{"50.0", "1.000"}, {"80.0", "1.600"}};
    for (size_t r = 0; r < 2; ++r) {
        p.GRD_AcqBenz_EditableBar[r]->setText(QString::fromLatin1(righe[r].first));
        p.GRD_AcqBenz_EditableVolts[r]->setText(QString::fromLatin1(righe[r].second));
    }
    ModMain::UltimaRichiestaRiuscita = true;
    p.CMD_AcqBenz_Man_Calcola_Click();
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::UltimoIndiceAcq, 16);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_FALSE(p.ScritturaBitPendente);
    p.GestioneRichieste();
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
    EXPECT_EQ(p.LAB_AcqBenz_Auto_Istruzioni->text().toStdString(), Voce("[Start_InjDirTune]", 33));
}

TEST_F(InjDirAcq, Passo3AzzeramentoRiportaGliAssiAncheSenzaTabella) {
    ServiziPasso3 servizi;
    FrmInjDirAcq3 p;
    p.Form_Load();
    // Vectors in memory (rpm column every 5 steps, time row every 7) and no
    // default configuration file to load the axes from.
    for (size_t i = 0; i < 128; ++i) ModBlck::VettoreRpm[i] = static_cast<uint8_t>(std::min<size_t>(i / 5, 23));
    for (size_t i = 0; i < 180; ++i) ModBlck::VettoreTinj[i] = static_cast<uint8_t>(std::min<size_t>(i / 7, 22));
    ModMain::ConfigurazioniPredefinite.clear();
    ModMain::PercorsoConfigDefault = "/nonexistent/default.xsi";

    // Reset: request 74, which fails; the bit stays, the axes still follow.
    p.CMD_ResetPresBen_Click();
    p.GestioneRichieste();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_LOAD_PETROL_PRESS_TABLE);
    ModMain::RichiestaPendente = 0;
    ModMain::UltimaRichiestaRiuscita = false;
    p.GestioneRichieste(); // redraw
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
    ModMain::UltimaRichiestaRiuscita = true;
    // The axes from the vectors in memory, then request 23.
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_MAP_AXES);
    for (size_t k = 0; k < 24; ++k) EXPECT_EQ(ModMain::AsseRpmLavoro[k], 5 * k) << k;
    for (size_t k = 0; k < 23; ++k) EXPECT_EQ(ModMain::AsseTinjLavoro[k], 7 * k) << k;
}

TEST_F(InjDirAcq, Passo4PressioneGasCentrataEScritta) {
    FrmInjDirAcq4 p;
    p.Form_Load();
    ecu_->ImpostaValore(3, 39, 500);
    LeggiCentralina();
    p.AggiornaVisualizzazione();
    EXPECT_EQ(p.PressioneMinimaCentro, 600);
    Imposta(2, 0, 3);
    Imposta(2, 1, 3);
    Imposta(1, 33, 1512);
    for (int k = 0; k < 20; ++k) p.AggiornaRealTime();
    EXPECT_EQ(p.LAB_GAZZ2->text(), QStringLiteral("---"));
    EXPECT_FALSE(p.CMD_AcquisisciGAZZ->isEnabled());
    p.AggiornaRealTime();
    EXPECT_EQ(p.LAB_GAZZ2->text(), QStringLiteral("1.51"));
    EXPECT_TRUE(p.CMD_AcquisisciGAZZ->isEnabled());
    p.CMD_AcquisisciGAZZ_Click();
    p.GestioneRichieste();
    EXPECT_EQ(p.TextAux[0]->text(), QStringLiteral("1510"));
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
    EXPECT_EQ(ModBlck::TabellaCompensazioneSel, 2);
    Esegui();
    EXPECT_EQ(ecu_->Valore(9, 88), 1510); // the centre at point 11
    EXPECT_EQ(ecu_->Valore(9, 89), 0);
    EXPECT_EQ(ecu_->Valore(9, 0), 600);
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK16);
    Esegui();
    EXPECT_EQ(ecu_->Valore(16, 26) & 0x20, 0x20);
    p.GestioneRichieste(); // redraw with the centring message
    EXPECT_TRUE(p.LAB_PressGazzIstruzioni->text().startsWith(QString::fromStdString(Voce("[Start_InjDirTune]", 41))));
    EXPECT_EQ(p.ValoreBitPressione, 0);

    // A Pos that names no axis point: refused with a beep, nothing written.
    p.TextAux[1]->setText(QStringLiteral("14"));
    const int bip = Bip();
    const std::string trama = ModBlck::FrameComPGasX;
    p.CMD_Downloader_Click();
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(Bip(), bip + 1);
    EXPECT_EQ(ModBlck::FrameComPGasX, trama);
    EXPECT_EQ(p.ParametriPressioneGpl.Pos, 11);

    // A table write that failed records no bit.
    p.TextAux[1]->setText(QStringLiteral("11"));
    p.CMD_Downloader_Click();
    p.GestioneRichieste();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_WRITE_COMP_TABLES);
    ModMain::RichiestaPendente = 0;
    ModMain::UltimaRichiestaRiuscita = false;
    ModBlck::ModificheBlocco16 = ModBlck::ListaVuota();
    p.GestioneRichieste();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
}

} // namespace
