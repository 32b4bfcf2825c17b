// The management page offscreen: lists, selection and enabling from the
// stored values, the staged change and request of each edit, the low-rpm gap,
// the refused out-of-range bytes, the dead-time question, the deferred
// hysteresis check, the lamps and the layout.
#include "settings/FissaggioImpostazioni.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "controls/PulsanteGrafico.h"
#include "settings/FRM_ZEBGestione.h"

namespace {

class Gestione : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        f = std::make_unique<FRM_ZEBGestione>();
        f->Form_Load();
        FrmSeqInj::SeqOffsetLingua = Posizione("[FrmSeqInj]");
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        f.reset();
        FissaggioImpostazioni::TearDown();
    }
    static int16_t Posizione(const std::string& marcatore) {
        for (int16_t n = 0; n <= ModMain::Dizionario->UboundVoci(); ++n)
            if (ModMain::Dizionario->VoceDizionario(0, n) == marcatore) return n;
        return -1;
    }
    // The user's choice of the item with this text.
    static void Scegli(QComboBox* c, const QString& testo) {
        const int i = c->findText(testo);
        ASSERT_GE(i, 0) << testo.toStdString() << " in " << c->objectName().toStdString();
        c->setCurrentIndex(i);
    }
    static std::vector<QString> Voci(const QComboBox* c) {
        std::vector<QString> r;
        for (int i = 0; i < c->count(); ++i) r.push_back(c->itemText(i));
        return r;
    }
    // Replaces the ConfigScale lines and rebuilds the lists.
    void Righe(std::vector<std::string> righe) { f->RiempiCmbSwtch(righe); }

    std::unique_ptr<FRM_ZEBGestione> f;
};

TEST_F(Gestione, ListeGenerateECalcolate) {
    ASSERT_EQ(f->cmb_maxduty_time->count(), 76);
    EXPECT_EQ(f->cmb_maxduty_time->itemText(75), "7200");
    EXPECT_EQ(f->cmb_maxduty_isteresi->count(), 51);
    EXPECT_EQ(f->cmb_maxp_isteresi_tinj->itemText(50), "4800");
    ASSERT_EQ(f->cmb_maxp_isteresi_rpm->count(), 16);
    EXPECT_EQ(f->cmb_maxp_isteresi_rpm->itemText(15), "750");
    EXPECT_EQ(Voci(f->CmbMonoFuel), (std::vector<QString>{"Off", "On"})); // entry 19, then 18
    ASSERT_EQ(f->cmbsogliauscitapress->count(), 51);
    const std::pair<int, const char*> soglie[] = {{0, "0 (0)"}, {1, "0.098 (20)"}, {16, "1.562 (320)"},
                                                  {48, "4.688 (960)"}, {50, "4.883 (1000)"}};
    for (const auto& [k, t] : soglie) EXPECT_EQ(f->cmbsogliauscitapress->itemText(k), t);
    // The shipped lists in ms.
    EXPECT_EQ(f->cmbTempoInjBenQDL->itemText(0), "5.12");
    EXPECT_EQ(f->CmbTempoMortoGas->itemText(1), "0.256");
    EXPECT_EQ(f->ValoriContrIDCicli.size(), static_cast<size_t>(f->cmbContrIDCicli->count()));
}

TEST_F(Gestione, SezioneRipetutaEUltimaRigaMancante) {
    Righe({"[TMORTOINJ]", "0|256", "[TMORTOINJ]", "512|768|1024", "[RPMperMaxPower]", "2400|2550|2600",
           "2400|2550|2600", "[DECONTRIBUTOFACTOR]"});
    EXPECT_EQ(Voci(f->CmbTempoMortoBenz), (std::vector<QString>{"0.512", "0.768", "1.024"}));
    EXPECT_EQ(Voci(f->CmbTempoMortoGas), Voci(f->CmbTempoMortoBenz));
    EXPECT_EQ(Messaggi().size(), 2u); // one box per missing line
    EXPECT_EQ(f->cmbsogliauscitapress->count(), 51);

    ModMain::MatSoglie[0] = ModMain::MatSoglie[8] = 25;
    ModMain::MatSoglie[15] = 0x40;
    f->AggiornaSelezioni();
    EXPECT_EQ(f->cmbGiriFineQDL->currentText(), "2550"); // Fix(25.5) = 25
    EXPECT_EQ(f->cmbGiriDaQDL->currentIndex(), -1);      // 25.5 is not 25
    EXPECT_TRUE(f->cmbGiriDa->isHidden());
    EXPECT_FALSE(f->cmbGiriDaQDL->isHidden());
}

TEST_F(Gestione, SelezioneDaiValori) {
    Righe({"[Piedistallo Tempo Inj minimo us]", "500|1000|1500"});
    struct Caso {
        int32_t minOn;
        int32_t soglia;
        QString minOnAtteso;
        int sogliaAtteso;
    };
    const Caso casi[] = {{700, 0, "1", 0}, {1600, 999, "", 49}, {500, 1019, "0.5", 50}, {500, 1020, "0.5", -1},
                         {500, -19, "0.5", 0}};
    for (const auto& c : casi) {
        Imposta(3, 36, c.minOn);
        Imposta(16, 12, c.soglia);
        f->AggiornaSelezioni();
        EXPECT_EQ(f->CmbMinOn->currentText(), c.minOnAtteso) << c.minOn;
        EXPECT_EQ(f->cmbsogliauscitapress->currentIndex(), c.sogliaAtteso) << c.soglia;
    }
    // A stored value missing from its list leaves only that combo empty; a listed one selects again.
    ModMain::MatSoglie[1] = 3;  // 96 us: not in the shipped dead-time list
    ModMain::MatSoglie[6] = 14; // 700 rpm
    f->AggiornaSelezioni();
    EXPECT_EQ(f->CmbTempoMortoBenz->currentIndex(), -1);
    EXPECT_EQ(f->cmbGiriMinimo->currentText(), "700");
    ModMain::MatSoglie[1] = 8; // 256 us
    f->AggiornaSelezioni();
    EXPECT_EQ(f->CmbTempoMortoBenz->currentText(), "0.256");
}

TEST_F(Gestione, OpzioniEAbilitazioni) {
    struct Caso {
        uint8_t byte15;
        std::array<bool, 3> alte, basse;
        bool comboAlte, contributo, giri, rientro;
    };
    const Caso casi[] = {
        {0x00, {true, false, false}, {true, false, false}, false, false, false, false},
        {0x50, {false, true, false}, {false, true, false}, true, false, true, false},
        {0xA0, {false, false, true}, {false, false, true}, true, true, true, true},
        {0xF0, {false, false, false}, {false, false, false}, false, false, true, true},
    };
    for (const auto& c : casi) {
        f->CmbTempoMortoBenz->setEnabled(false);
        ModMain::MatSoglie[15] = c.byte15;
        f->AggiornaSelezioni();
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(f->optionHigh[i]->Value(), c.alte[i]) << int(c.byte15) << " " << i;
            EXPECT_EQ(f->optionLow[i]->Value(), c.basse[i]) << int(c.byte15) << " " << i;
        }
        for (QComboBox* cb : {f->cmbGiriDa, f->cmbGiriDaQDL, f->cmbGiriFine, f->cmbGiriFineQDL, f->cmbTempoInjBen,
                              f->cmbTempoInjBenQDL})
            EXPECT_EQ(cb->isEnabled(), c.comboAlte) << int(c.byte15);
        EXPECT_EQ(f->cmbValoreContr->isEnabled(), c.contributo);
        EXPECT_EQ(f->cmbGiriMinimo->isEnabled(), c.giri);
        EXPECT_EQ(f->cmbGiriA->isEnabled(), c.giri);
        EXPECT_EQ(f->CmbNumIniettateRientro->isEnabled(), c.rientro);
        EXPECT_EQ(f->cmbsogliauscitapress->isEnabled(), c.rientro);
        // 0xC0 leaves the petrol dead time as it was.
        EXPECT_EQ(f->CmbTempoMortoBenz->isEnabled(), (c.byte15 & 0xC0) != 0xC0);
    }
    // "X" on the pressed button; no option keeps the captions.
    ModMain::MatSoglie[15] = 0x40;
    f->AggiornaSelezioni();
    EXPECT_EQ(f->optionHigh[1]->Caption(), "X");
    EXPECT_EQ(f->optionHigh[0]->Caption(), "");
    ModMain::MatSoglie[15] = 0xC0;
    f->AggiornaSelezioni();
    EXPECT_EQ(f->optionHigh[1]->Caption(), "X");
    EXPECT_FALSE(f->optionHigh[1]->Value());
}

TEST_F(Gestione, TestoDellaSequenza) {
    const std::string normale = Voce("[FrmSeqInj]", 21), anticipata = Voce("[FrmSeqInj]", 20);
    struct Caso {
        int32_t n, stato;
        std::vector<int32_t> uscite;
        int voce;
        std::string parola;
    };
    const Caso casi[] = {{4, 0, {0, 1, 2, 3}, 7, normale},
                         {4, 0, {1, 0, 2, 3}, 7, anticipata},
                         {4, 2, {1, 0, 2, 3}, 6, normale},
                         {4, 1, {0, 1, 2, 3}, 5, normale},
                         {0, 0, {}, 7, normale}};
    for (const auto& c : casi) {
        Imposta(3, 1, c.n);
        Imposta(15, 78, c.stato);
        for (size_t k = 0; k < c.uscite.size(); ++k) Imposta(15, 6 + k, c.uscite[k]);
        f->AggiornaSelezioni();
        EXPECT_EQ(f->LblStatoAnticipoVal->text().toStdString(), Voce("[FrmSeqInj]", c.voce) + " (" + c.parola + ")");
    }
}

TEST_F(Gestione, ModificheDelleSoglie) {
    struct Caso {
        QComboBox* FRM_ZEBGestione::*combo;
        void (FRM_ZEBGestione::*gestore)();
        QString voce;
        size_t byte;
        uint8_t atteso;
        bool verifica;
    };
    ModMain::MatSoglie[15] = 0xA0; // every combo enabled
    const Caso casi[] = {
        {&FRM_ZEBGestione::cmbGiriFineQDL, &FRM_ZEBGestione::cmbGiriFineQDL_Click, "3500", 0, 35, true},
        {&FRM_ZEBGestione::cmbGiriDaQDL, &FRM_ZEBGestione::cmbGiriDaQDL_Click, "2200", 8, 22, true},
        {&FRM_ZEBGestione::cmbTempoInjBenQDL, &FRM_ZEBGestione::cmbTempoInjBenQDL_Click, "5.12", 9, 20, true},
        {&FRM_ZEBGestione::CmbTempoMortoBenz, &FRM_ZEBGestione::CmbTempoMortoBenz_Click, "0.768", 1, 24, false},
        {&FRM_ZEBGestione::cmbValoreContr, &FRM_ZEBGestione::cmbValoreContr_Click, "0.48", 10, 15, false},
    };
    for (const auto& c : casi) {
        ModMain::MatSoglie[3] = 17;
        ModMain::RichiestaPendente = 0;
        f->VerificaIsteresiPendente = false;
        Scegli(f.get()->*c.combo, c.voce);
        (f.get()->*c.gestore)();
        EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OPTIONS) << c.voce.toStdString();
        EXPECT_EQ(ModMain::MatSoglieModificata[c.byte], c.atteso) << c.voce.toStdString();
        EXPECT_EQ(ModMain::MatSoglieModificata[3], 17); // rebuilt from MatSoglie
        EXPECT_EQ(f->VerificaIsteresiPendente, c.verifica);
    }
    // 2.5 ms in steps of 256 us: 9.77 truncated.
    Righe({"[cmbTempoInjBen]", "2500", "2500"});
    ModMain::RichiestaPendente = 0;
    Scegli(f->cmbTempoInjBenQDL, "2.5");
    f->cmbTempoInjBenQDL_Click();
    EXPECT_EQ(ModMain::MatSoglieModificata[9], 9);
}

TEST_F(Gestione, IntervalloDeiGiriMinimi) {
    ModMain::MatSoglie[15] = 0x10;
    Righe({"[RPMperMinPower]", "1500|12500|12600|12800", "[RPMperMinPowerUPTH]", "1600|1700|2000|12800"});
    Scegli(f->cmbGiriMinimo, "1500");
    f->cmbGiriMinimo_Click();
    EXPECT_EQ(ModMain::MatSoglieModificata[6], 30);
    EXPECT_EQ(ModMain::MatSoglieModificata[7], 34);

    ModMain::MatSoglie[6] = 30;
    struct Caso {
        QString voce;
        uint8_t atteso;
        int bip;
    };
    for (const Caso& c : {Caso{"1600", 34, 1}, Caso{"1700", 34, 0}, Caso{"2000", 40, 0}}) {
        ModMain::RichiestaPendente = 0;
        Piattaforma::Copione::Azzera();
        Scegli(f->cmbGiriA, c.voce);
        f->cmbGiriA_Click();
        EXPECT_EQ(ModMain::MatSoglieModificata[7], c.atteso) << c.voce.toStdString();
        EXPECT_EQ(Bip(), c.bip);
        EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OPTIONS);
    }
}

TEST_F(Gestione, ByteFuoriIntervalloRifiutatoConBip) {
    ModMain::MatSoglie[15] = 0x90;
    Righe({"[RPMperMaxPower]", "30000", "30000", "[RPMperMinPower]", "12600|12800", "[RPMperMinPowerUPTH]", "12800"});
    struct Caso {
        QComboBox* FRM_ZEBGestione::*combo;
        void (FRM_ZEBGestione::*gestore)();
        QString voce;
    };
    ModMain::MatSoglie[6] = 30;
    const Caso casi[] = {
        {&FRM_ZEBGestione::cmbGiriFineQDL, &FRM_ZEBGestione::cmbGiriFineQDL_Click, "30000"}, // 300
        {&FRM_ZEBGestione::cmbGiriMinimo, &FRM_ZEBGestione::cmbGiriMinimo_Click, "12600"},   // 252: byte 7 = 256
        {&FRM_ZEBGestione::cmbGiriMinimo, &FRM_ZEBGestione::cmbGiriMinimo_Click, "12800"},   // 256
        {&FRM_ZEBGestione::cmbGiriA, &FRM_ZEBGestione::cmbGiriA_Click, "12800"},             // 256
    };
    for (const auto& c : casi) {
        Piattaforma::Copione::Azzera();
        ModMain::MatSoglieModificata = {};
        Scegli(f.get()->*c.combo, c.voce);
        (f.get()->*c.gestore)();
        EXPECT_EQ(ModMain::RichiestaPendente, 0) << c.voce.toStdString();
        EXPECT_EQ(Bip(), 1);
        EXPECT_EQ(ModMain::MatSoglieModificata, TabellaSoglie{});
    }
}

TEST_F(Gestione, GruppiDiOpzioni) {
    ModMain::MatSoglie[15] = 0xAF;
    f->optionHigh_Click(0);
    EXPECT_EQ(ModMain::MatSoglieModificata[15], 0x2F);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_OPTIONS);
    EXPECT_EQ(f->optionHigh[0]->Caption(), "X");
    EXPECT_EQ(f->optionHigh[1]->Caption(), "");
    EXPECT_EQ(f->optionHigh[2]->Caption(), "");
    EXPECT_TRUE(f->VerificaIsteresiPendente);

    ModMain::RichiestaPendente = 0;
    f->VerificaIsteresiPendente = false;
    f->optionLow_Click(1);
    EXPECT_EQ(ModMain::MatSoglieModificata[15], 0x9F);
    EXPECT_EQ(f->optionLow[1]->Caption(), "X");
    EXPECT_FALSE(f->VerificaIsteresiPendente);
}

TEST_F(Gestione, ModificheDeiBlocchi) {
    Righe({"[Piedistallo Tempo Inj minimo us]", "1500", "[TMORTOINJ]", "512", "[CmbNumIniettateRientro]", "1|2|3",
           "[DECONTRIBUTOFACTOR]", "0|5|9", "a|b|c"});
    struct Caso {
        std::function<void()> scegli;
        ListaModifiche* lista;
        ModificaPendente atteso;
        int32_t richiesta;
    };
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si); // the dead-time question
    const Caso casi[] = {
        {[&] { f->CmbMonoFuel->setCurrentIndex(1); f->CmbMonoFuel_Click(); }, &ModBlck::ModificheBlocco2, {1, 2, 0x80}, REQ_WRITE_BLK2},
        {[&] { f->CmbMonoFuel->setCurrentIndex(0); f->CmbMonoFuel_Click(); }, &ModBlck::ModificheBlocco2, {0, 2, 0x80}, REQ_WRITE_BLK2},
        {[&] { Scegli(f->CmbMinOn, "1.5"); f->CmbMinOn_Click(); }, &ModBlck::ModificheBlocco3, {1496, 36, 0}, REQ_WRITE_BLK3},
        {[&] { Scegli(f->CmbTempoMortoGas, "0.512"); f->CmbTempoMortoGas_Click(); }, &ModBlck::ModificheBlocco15, {512, 0, 0}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->cmb_maxduty_time, "7200"); f->cmb_maxduty_time_Click(); }, &ModBlck::ModificheBlocco15, {7200, 1, 0}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->cmb_maxduty_isteresi, "96"); f->cmb_maxduty_isteresi_Click(); }, &ModBlck::ModificheBlocco15, {96, 2, 0}, REQ_WRITE_BLK15},
        {[&] { f->cmb_maxduty_enter->setCurrentIndex(1); f->cmb_maxduty_enter_Click(); }, &ModBlck::ModificheBlocco15, {1, 5, 1}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->cmb_maxp_isteresi_rpm, "750"); f->cmb_maxp_isteresi_rpm_Click(); }, &ModBlck::ModificheBlocco15, {750, 75, 0}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->cmb_maxp_isteresi_tinj, "192"); f->cmb_maxp_isteresi_tinj_Click(); }, &ModBlck::ModificheBlocco15, {192, 76, 0}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->CmbNumIniettateRientro, "3"); f->CmbNumIniettateRientro_Click(); }, &ModBlck::ModificheBlocco15, {3, 77, 0}, REQ_WRITE_BLK15},
        {[&] { f->cmbsogliauscitapress->setCurrentIndex(10); f->cmbsogliauscitapress_Click(); }, &ModBlck::ModificheBlocco16, {200, 12, 0}, REQ_WRITE_BLK16},
        {[&] { f->cmbContrIDCicli->setCurrentIndex(2); f->cmbContrIDCicli_Click(); }, &ModBlck::ModificheBlocco16, {9, 7, 0}, REQ_WRITE_BLK16},
    };
    for (const auto& c : casi) {
        ModMain::RichiestaPendente = 0;
        *c.lista = {{5, 5, 5}, {6, 6, 6}}; // whatever it held goes
        c.scegli();
        ASSERT_EQ(c.lista->size(), 1u);
        EXPECT_EQ((*c.lista)[0].Valore, c.atteso.Valore);
        EXPECT_EQ((*c.lista)[0].IndiceValore, c.atteso.IndiceValore);
        EXPECT_EQ((*c.lista)[0].Maschera, c.atteso.Maschera);
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta) << c.atteso.IndiceValore;
    }
}

TEST_F(Gestione, GuardieCaricamentoESlotOccupato) {
    ModMain::MatSoglie[15] = 0xA0;
    // Loading: the handler returns at once.
    f->InCaricamento = true;
    Scegli(f->cmbGiriDaQDL, "2200");
    f->cmbGiriDaQDL_Click();
    f->CmbTempoMortoGas_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(Messaggi().empty());
    f->InCaricamento = false;
    // Slot taken: nothing staged, no message, the choice stays shown.
    ModMain::RichiestaPendente = REQ_WRITE_BLK3;
    f->cmbGiriDaQDL_Click();
    f->cmbsogliauscitapress->setCurrentIndex(3);
    f->cmbsogliauscitapress_Click();
    f->optionHigh_Click(1);
    EXPECT_EQ(ModMain::MatSoglieModificata, TabellaSoglie{});
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco16));
    EXPECT_EQ(f->cmbGiriDaQDL->currentText(), "2200");
    EXPECT_TRUE(Messaggi().empty());
    // The load itself raises the flag and lowers it at the end.
    f->AggiornaSelezioni();
    EXPECT_FALSE(f->InCaricamento);
}

TEST_F(Gestione, DomandaDelTempoMortoGas) {
    Imposta(15, 0, 256);
    f->AggiornaSelezioni();
    ASSERT_EQ(f->CmbTempoMortoGas->currentText(), "0.256");
    // No: the stored value comes back, nothing written.
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
    Scegli(f->CmbTempoMortoGas, "0.512");
    f->CmbTempoMortoGas_Click();
    ASSERT_EQ(Messaggi().size(), 1u);
    EXPECT_EQ(Messaggi()[0], Voce("[Frm_Param]", 26) + "\r\n\r\n" + Voce("[Frm_Param]", 27));
    EXPECT_EQ(f->CmbTempoMortoGas->currentText(), "0.256");
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    // Yes with the slot taken: the choice stays, nothing staged.
    ModMain::RichiestaPendente = REQ_WRITE_BLK2;
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
    Scegli(f->CmbTempoMortoGas, "0.512");
    f->CmbTempoMortoGas_Click();
    EXPECT_EQ(f->CmbTempoMortoGas->currentText(), "0.512");
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco15));
}

TEST_F(Gestione, VerificaDifferitaDellIsteresi) {
    struct Caso {
        uint8_t byte9;
        int32_t isteresi;
        std::optional<int32_t> atteso;
    };
    const Caso casi[] = {{10, 4800, 2496}, {10, 2400, std::nullopt}, {0, 4800, std::nullopt}, {10, 2560, std::nullopt},
                         {10, 2561, 2496}};
    for (const auto& c : casi) {
        Piattaforma::Copione::Azzera();
        ModBlck::ModificheBlocco15 = ModBlck::ListaVuota();
        ModMain::MatSoglie[9] = c.byte9;
        Imposta(15, 76, c.isteresi);
        f->VerificaIsteresiPendente = true;
        // Waits while the slot is taken.
        ModMain::RichiestaPendente = REQ_WRITE_OPTIONS;
        f->AggiornaStatoEcu_FrmParam();
        EXPECT_TRUE(f->VerificaIsteresiPendente);
        ModMain::RichiestaPendente = 0;
        f->AggiornaStatoEcu_FrmParam();
        EXPECT_FALSE(f->VerificaIsteresiPendente);
        if (c.atteso) {
            ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 1u);
            EXPECT_EQ(ModBlck::ModificheBlocco15[0].Valore, *c.atteso);
            EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, 76);
            EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK15);
            EXPECT_EQ(Bip(), 1);
        } else {
            EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco15)) << int(c.byte9) << " " << c.isteresi;
            EXPECT_EQ(ModMain::RichiestaPendente, 0);
            EXPECT_EQ(Bip(), 0);
        }
    }
}

TEST_F(Gestione, LampadeDelleFunzioni) {
    struct Caso {
        uint8_t byte15;
        int32_t v37, v44, v5;
        std::array<int, 4> stato; // 0 hidden, 1 dark, 2 lit
    };
    const Caso casi[] = {
        {0x20, 0x40, 0, 0, {2, 0, 0, 0}},
        {0x20, 0x00, 0, 0, {1, 0, 0, 0}},
        {0x00, 0x40, 0, 0, {0, 0, 0, 0}},
        {0x40, 0x20, 0, 0, {0, 2, 0, 0}},
        {0x80, 0, 0x40, 1, {0, 0, 2, 1}},
        {0x00, 0, 0x10, 0, {0, 0, 0, 0}}, // maximum duty off: hidden even while active
        {0x00, 0, 0x10, 1, {0, 0, 0, 2}},
    };
    for (const auto& c : casi) {
        ModMain::MatSoglie[15] = c.byte15;
        Imposta(1, 37, c.v37);
        Imposta(1, 44, c.v44);
        Imposta(15, 5, c.v5);
        f->AggiornaStatoEcu_FrmParam();
        for (size_t i = 0; i < 4; ++i) {
            const bool mostrata = !f->ImgMaxMinCon[i]->isHidden();
            EXPECT_EQ(mostrata, c.stato[i] != 0) << int(c.byte15) << " lamp " << i;
            EXPECT_EQ(!f->LblMaxMinCon[i]->isHidden(), c.stato[i] != 0);
            if (c.stato[i]) {
                EXPECT_EQ(f->ImgMaxMinCon[i]->ColoreRiempimento(),
                          c.stato[i] == 2 ? FRM_ZEBGestione::ColoreAcceso : FRM_ZEBGestione::ColoreSpento);
            }
        }
    }
    // A live block shorter than the page reads: no crash, the lamps that need it keep their state.
    ModMain::MatSoglie[15] = 0x60;
    TabellaBlocchi[1].Valori.assign(10, 0);
    TabellaBlocchi[15].Valori.assign(3, 0);
    f->AggiornaStatoEcu_FrmParam();
    EXPECT_TRUE(f->ImgMaxMinCon[0]->isHidden());
    EXPECT_FALSE(f->ImgMaxMinCon[3]->isHidden());
    EXPECT_EQ(f->ImgMaxMinCon[3]->ColoreRiempimento(), FRM_ZEBGestione::ColoreAcceso);
    f->AggiornaSelezioni(); // missing values leave their combos empty
    EXPECT_EQ(f->cmb_maxduty_enter->currentIndex(), -1);
}

TEST_F(Gestione, GruppoAvanzatoEProporzioni) {
    EXPECT_TRUE(f->FRM_ADV->isHidden());
    f->CMDAdvanced_Click();
    EXPECT_FALSE(f->FRM_ADV->isHidden());
    EXPECT_EQ(f->CMDAdvanced->Caption(), ">>>");
    f->CMDAdvanced_Click();
    EXPECT_TRUE(f->FRM_ADV->isHidden());
    EXPECT_EQ(f->CMDAdvanced->Caption(), "<<<");

    // Design 1000 x 425 pixels; 1.25 times wider scales fonts and lefts by 1.25.
    const QRect progetto = f->lblGiriMinimo->geometry();
    const int punti = f->lblGiriMinimo->font().pointSize();
    f->resize(1250, 425);
    f->Form_Resize(); // a hidden widget gets its resize event only when shown
    EXPECT_NEAR(f->lblGiriMinimo->x(), progetto.x() * 1.25, 1);
    EXPECT_NEAR(f->lblGiriMinimo->width(), progetto.width() * 1.25, 1);
    EXPECT_EQ(f->lblGiriMinimo->font().pointSize(), 10); // 8.25 x 1.25 = 10.3
    EXPECT_EQ(f->cmbGiriMinimo->height(), 22);           // combos keep their height
    // Back to the design size: exactly the design places, no drift; a zero size changes nothing.
    f->resize(1000, 425);
    f->Form_Resize();
    EXPECT_EQ(f->lblGiriMinimo->geometry(), progetto);
    EXPECT_EQ(f->lblGiriMinimo->font().pointSize(), punti);
    f->resize(0, 0);
    f->Form_Resize();
    f->resize(1000, 425);
    f->Form_Resize();
    EXPECT_EQ(f->lblGiriMinimo->geometry(), progetto);
}

} // namespace
