// The sensors page offscreen: list selection from the stored values, the
// staged entries of each edit, the section panels, and the level-sensor
// thresholds, calibration and lamps.
#include "settings/FissaggioImpostazioni.h"
#include <algorithm>

#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>

#include "controls/PulsanteGrafico.h"
#include "core/ModBlckConfigScale.h"
#include "engine/ModMainConnessione.h"
#include "settings/FRM_ZEBSensori.h"
#include "settings/SensoriRegole.h"

namespace {

class Sensori : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        livello_ = ModBlck::SensoriLivello;
        temperatura_ = ModBlck::SensoriTemperatura;
        unita_ = ModMain::UnitaRpm;
        ModBlck::LeggiTipo_Inj_SensLevel_Lambda(ModMain::RigheConfigScale);
        f = std::make_unique<FRM_ZEBSensori>();
        f->Form_Load();
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        f.reset();
        ModBlck::SensoriLivello = livello_;
        ModBlck::SensoriTemperatura = temperatura_;
        ModMain::UnitaRpm = unita_;
        FissaggioImpostazioni::TearDown();
    }
    static void Scegli(QComboBox* c, int i) {
        ASSERT_LT(i, c->count()) << c->objectName().toStdString();
        c->setCurrentIndex(i);
    }
    static void Lista(const ListaModifiche& l, const ListaModifiche& attesa) {
        ASSERT_EQ(l.size(), attesa.size());
        for (size_t i = 0; i < l.size(); ++i) {
            EXPECT_EQ(l[i].Valore, attesa[i].Valore) << i;
            EXPECT_EQ(l[i].IndiceValore, attesa[i].IndiceValore) << i;
            EXPECT_EQ(l[i].Maschera, attesa[i].Maschera) << i;
        }
    }
    // Level type k of the shipped definitions (1 rising, 2 falling) with thresholds 28..31.
    void Livello(int32_t codice, int32_t opzioni, std::array<int32_t, 4> soglie) {
        Imposta(3, 25, codice);
        Imposta(3, 26, opzioni);
        for (size_t i = 0; i < 4; ++i) Imposta(3, 28 + i, soglie[i]);
        f->CaricaSoglieLivello();
    }

    std::unique_ptr<FRM_ZEBSensori> f;

private:
    std::vector<DefinizioneSensoreLivello> livello_;
    std::vector<DefinizioneSensoreTemperatura> temperatura_;
    int32_t unita_ = 0;
};

TEST_F(Sensori, NomeDiLivelloDopoUnaDefinizioneSenzaNomeEUnErrore) {
    // Three definitions, the middle one unnamed: the third cannot keep its position.
    ModBlck::SensoriLivello.assign(3, {});
    ModBlck::SensoriLivello[0].Nome = "Primo";
    ModBlck::SensoriLivello[2].Nome = "Terzo";
    f->RiempiCmbSwtch({});
    ASSERT_EQ(f->CmbTipoLev->count(), 1);
    EXPECT_EQ(f->CmbTipoLev->itemText(0), QStringLiteral("Primo"));
    const auto m = Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NE(m[0].find("Error 002"), std::string::npos) << m[0];
    // The fill goes on with the next lists.
    EXPECT_EQ(f->CmbTipoSensTempLOW->count(), 2);
    // Unnamed definitions after the named ones are no fault.
    ModBlck::SensoriLivello[1].Nome = "Secondo";
    ModBlck::SensoriLivello.emplace_back();
    Piattaforma::Copione::Azzera();
    f->RiempiCmbSwtch({});
    EXPECT_EQ(f->CmbTipoLev->count(), 3);
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(Sensori, SelezioneDaiValori) {
    f->RiempiCmbSwtch({"[Pressione di fine gas bar]", "500|800|1000", "[Tempo di fine gas ms]", "1000|2500",
                       "[CmbMinTempGas]", "-10|0|10", "[Tipo sensore pressione]", "A|B|C"});
    struct Caso {
        int32_t pressione, tempo, opzioni15, minima, mappa;
        int attesoPressione, attesoTempo, attesoMinima, attesoMappa;
    };
    const Caso casi[] = {
        {800, 2500, 0x00, 5, 1, 1, 1, 0, 1},     // bit clear: the off item whatever value 3 holds
        {700, 1000, 0x02, 5, 5, 1, 0, -1, -1},   // the first item not below; 5 not listed; 5 is no item
        {1200, 2600, 0x02, 10, -1, -1, -1, 3, -1},
    };
    for (const auto& c : casi) {
        Imposta(3, 39, c.pressione);
        Imposta(3, 40, c.tempo);
        Imposta(15, 5, c.opzioni15);
        Imposta(15, 3, c.minima);
        Imposta(3, 46, c.mappa);
        f->AggiornaSelezioni();
        EXPECT_EQ(f->CmbSwtchBar->currentIndex(), c.attesoPressione) << c.pressione;
        EXPECT_EQ(f->CmbSwtchDelayPress->currentIndex(), c.attesoTempo) << c.tempo;
        EXPECT_EQ(f->CmbMinTempGas->currentIndex(), c.attesoMinima) << c.minima;
        EXPECT_EQ(f->CmbTipoSensMap->currentIndex(), c.attesoMappa) << c.mappa;
    }
    EXPECT_EQ(f->CmbSwtchBar->itemText(0), "0.5");
    EXPECT_EQ(f->CmbSwtchDelayPress->itemText(1), "2.5");
}

TEST_F(Sensori, SensoriDiTemperatura) {
    ModBlck::SensoriTemperatura = {{"A", 0, 3}, {"B", 1, 7}, {"C", 2, 9}};
    f->RiempiCmbSwtch({});
    f->CmbTipoSensTempLOW->setCurrentIndex(0);
    struct Caso {
        int32_t codice;
        int completo, ridotto;
    };
    for (const Caso& c : {Caso{9, 2, 0}, Caso{7, 1, 1}, Caso{9, 2, 1}, Caso{5, -1, -1}}) {
        Imposta(3, 45, c.codice);
        f->AggiornaSelezioni();
        EXPECT_EQ(f->CmbTipoSensTemp->currentIndex(), c.completo) << c.codice;
        EXPECT_EQ(f->CmbTipoSensTempLOW->currentIndex(), c.ridotto) << c.codice;
    }
    f->CmbTipoSensTempLOW->setCurrentIndex(1);
    f->CmbTipoSensTempLOW_Click();
    Lista(ModBlck::ModificheBlocco3, {{7, 45, 0}});
}

// The shipped sensor definitions: the two standard sensors read the same in
// the full list and in the reduced one, whichever list the level shows.
TEST_F(Sensori, SensoriStandardConLoStessoNome) {
    f->RiempiCmbSwtch(ModMain::RigheConfigScale);
    const auto& righe = ModMain::RigheConfigScale;
    const char* const sezioni[2] = {"[SensTemp_00]", "[SensTemp_01]"};
    for (int i = 0; i < 2; ++i) {
        const auto r = std::find(righe.begin(), righe.end(), sezioni[i]);
        ASSERT_TRUE(r != righe.end() && r + 1 != righe.end()) << sezioni[i];
        EXPECT_EQ(*(r + 1), f->CmbTipoSensTempLOW->itemText(i).toStdString()) << sezioni[i];
    }
}

TEST_F(Sensori, ModificheDeiBlocchi) {
    f->RiempiCmbSwtch({"[Pressione di fine gas bar]", "500|800|1000", "[Tempo di fine gas ms]", "1000|2500",
                       "[CmbMinTempGas]", "-10|0|10", "[Tipo sensore pressione]", "A|B|C", "[CmbDeltaMinTempGas]",
                       "2|3"});
    struct Caso {
        std::function<void()> scegli;
        ListaModifiche* lista;
        ListaModifiche attesa;
        int32_t richiesta;
    };
    const Caso casi[] = {
        {[&] { Scegli(f->CmbTurbo, 1); f->CmbTurbo_Click(); }, &ModBlck::ModificheBlocco3, {{1, 33, 0x40}}, REQ_WRITE_BLK3},
        {[&] { Scegli(f->CmbFineGas, 0); f->CmbFineGas_Click(); }, &ModBlck::ModificheBlocco3, {{0, 33, 0x80}}, REQ_WRITE_BLK3},
        {[&] { Scegli(f->CmbSwtchBar, 0); f->CmbSwtchBar_Click(); }, &ModBlck::ModificheBlocco3, {{500, 39, 0}}, REQ_WRITE_BLK3},
        {[&] { Scegli(f->CmbSwtchDelayPress, 1); f->CmbSwtchDelayPress_Click(); }, &ModBlck::ModificheBlocco3, {{2500, 40, 0}}, REQ_WRITE_BLK3},
        {[&] { Scegli(f->CmbTipoSensMap, 2); f->CmbTipoSensMap_Click(); }, &ModBlck::ModificheBlocco3, {{2, 46, 0}}, REQ_WRITE_BLK3},
        {[&] { Scegli(f->CmbMinTempGas, 0); f->CmbMinTempGas_Click(); }, &ModBlck::ModificheBlocco15, {{-10, 3, 0}, {0, 5, 2}}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->CmbMinTempGas, 3); f->CmbMinTempGas_Click(); }, &ModBlck::ModificheBlocco15, {{10, 3, 0}, {1, 5, 2}}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->CmbDeltaMinTempGas, 1); f->CmbDeltaMinTempGas_Click(); }, &ModBlck::ModificheBlocco15, {{3, 4, 0}}, REQ_WRITE_BLK15},
        {[&] { Scegli(f->CmbTipoLev, 1); f->CmbTipoLev_Click(); }, &ModBlck::ModificheBlocco3,
         {{1, 25, 0}, {0, 26, 0}, {40, 27, 0}, {180, 28, 0}, {330, 29, 0}, {480, 30, 0}, {640, 31, 0}, {900, 32, 0}}, REQ_WRITE_BLK3},
    };
    for (const auto& c : casi) {
        ModMain::RichiestaPendente = 0;
        *c.lista = {{5, 5, 5}, {6, 6, 6}, {7, 7, 7}};
        c.scegli();
        Lista(*c.lista, c.attesa);
        EXPECT_EQ(ModMain::RichiestaPendente, c.richiesta);
    }
    // Slot taken or loading: nothing staged.
    for (bool caricamento : {false, true}) {
        ModBlck::ModificheBlocco3 = ModBlck::ListaVuota();
        ModMain::RichiestaPendente = caricamento ? 0 : REQ_WRITE_BLK15;
        f->AggiornamentoInCorso = caricamento;
        Scegli(f->CmbTurbo, 1);
        f->CmbTurbo_Click();
        f->CmbTipoLev_Click();
        EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    }
}

TEST_F(Sensori, UnitaRpmSegueIlBlocco3) {
    ModMain::UnitaRpm = 64;
    Scegli(f->CmbTurbo, 1);
    f->CmbTurbo_Click();
    EXPECT_EQ(ModMain::UnitaRpm, 64); // not before the write: a failed write must not change it
    Imposta(3, 33, 0x40);             // the write went through and the page is reloaded
    f->AggiornaSelezioni();
    EXPECT_EQ(ModMain::UnitaRpm, 128);
    EXPECT_EQ(f->CmbTurbo->currentIndex(), 1);
    Imposta(3, 33, 0);
    f->AggiornaSelezioni();
    EXPECT_EQ(ModMain::UnitaRpm, 64);
}

TEST_F(Sensori, PannelliDelleSezioni) {
    auto clic = [&](int i) {
        f->CMD_SENSORI[static_cast<size_t>(i)]->Value(!f->CMD_SENSORI[static_cast<size_t>(i)]->Value());
        f->CMD_SENSORI_Click(i);
    };
    clic(1);
    EXPECT_FALSE(f->FrmTemp->isHidden());
    EXPECT_TRUE(f->FrmLevel->isHidden());
    EXPECT_EQ(f->CMD_SENSORI[1]->Caption(), "<<<");
    EXPECT_EQ(f->LblTitolo->text().toStdString(), Voce("[Frm_Config]", 55));
    clic(0); // another section: switches and releases the first
    EXPECT_FALSE(f->FrmLevel->isHidden());
    EXPECT_TRUE(f->FrmTemp->isHidden());
    EXPECT_FALSE(f->CMD_SENSORI[1]->Value());
    EXPECT_EQ(f->CMD_SENSORI[1]->Caption(), ">>>");
    clic(0); // the open one again: everything closes
    EXPECT_TRUE(f->FrmLevel->isHidden());
    EXPECT_TRUE(f->LblTitolo->isHidden());
    EXPECT_TRUE(f->SHP[0]->isHidden());
    EXPECT_EQ(f->CMD_SENSORI[0]->Caption(), ">>>");
}

TEST_F(Sensori, SoglieEChiaviDelLivello) {
    Livello(1, 0x00, {200, 400, 600, 800}); // rising
    EXPECT_EQ(f->HScrLevel[0]->value(), 800);
    EXPECT_EQ(f->HScrLevel[3]->value(), 200);
    EXPECT_EQ(f->LblLevelVal[0]->text(), "3.91 (v)");
    EXPECT_EQ(f->LblLevelVal[3]->text(), "0.98 (v)");
    EXPECT_EQ(f->CmdMassimo->Caption().toStdString(), Voce("[FrmLevel]", 6));
    Livello(2, 0x20, {200, 400, 600, 800}); // falling
    EXPECT_EQ(f->HScrLevel[0]->value(), 200);
    EXPECT_EQ(f->HScrLevel[3]->value(), 800);
    EXPECT_EQ(f->CmdMassimo->Caption().toStdString(), Voce("[FrmLevel]", 7));
    // A threshold outside 0..1023: the label shows it, the bar stays.
    Imposta(3, 28, 2000);
    f->CaricaSoglieLivello();
    EXPECT_EQ(f->HScrLevel[0]->value(), 200);
    EXPECT_EQ(f->LblLevelVal[0]->text(), "9.77 (v)");
}

TEST_F(Sensori, SogliaTrascinataOltreLaVicina) {
    Livello(1, 0x00, {200, 400, 600, 800});
    f->HScrLevel[1]->setValue(850); // row 1 (value 30) past row 0 (800)
    EXPECT_EQ(f->HScrLevel[1]->value(), 800);
    Lista(ModBlck::ModificheBlocco3, {{800, 30, 0}});
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    EXPECT_FALSE(f->SoglieInAggiornamento);

    // Slot taken: nothing staged (a pending block-3 write keeps its list) and the bar goes back.
    ModBlck::ModificheBlocco3 = {{1, 33, 0x40}};
    f->HScrLevel[2]->setValue(500);
    EXPECT_EQ(f->HScrLevel[2]->value(), 400);
    Lista(ModBlck::ModificheBlocco3, {{1, 33, 0x40}});
}

TEST_F(Sensori, TipoSconosciutoNonScriveNulla) {
    Livello(77, 0x00, {200, 400, 600, 800});
    EXPECT_TRUE(f->SoglieInAggiornamento);
    f->HScrLevel[1]->setValue(300);
    f->CmdLevDef_Click();
    f->CmdMassimo_Click();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    // The type changed to an unknown code since the last load: still nothing.
    Livello(1, 0x00, {200, 400, 600, 800});
    Imposta(3, 25, 77);
    f->HScrLevel[1]->setValue(500);
    f->CmdLevDef_Click();
    EXPECT_TRUE(ListaVuota(ModBlck::ModificheBlocco3));
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(Sensori, TaraturaDallaLettura) {
    struct Caso {
        bool massimo;
        std::array<int32_t, 6> valori; // block 3 values 27..32
        int32_t lettura;
        std::array<int32_t, 6> attesi;
    };
    const Caso casi[] = {
        {true, {0, 100, 200, 300, 400, 999}, 900, {0, 100, 300, 500, 700, 999}},
        {true, {0, 100, 200, 300, 400, 999}, 102, {0, 100, 100, 100, 100, 999}}, // s = 0.5 rounds to 0
        {true, {0, 100, 200, 300, 400, 999}, 80, {0, 100, 200, 300, 400, 999}},  // unchanged, written anyway
        {false, {0, 100, 200, 300, 900, 999}, 100, {0, 300, 500, 700, 900, 999}},
    };
    Livello(1, 0x00, {100, 200, 300, 400});
    for (const auto& c : casi) {
        ModMain::RichiestaPendente = 0;
        for (size_t i = 0; i < 6; ++i) Imposta(3, 27 + i, c.valori[i]);
        Imposta(1, 41, c.lettura);
        c.massimo ? f->CmdMassimo_Click() : f->CmdMinimo_Click();
        ListaModifiche attesa;
        for (int32_t i = 0; i < 6; ++i) attesa.push_back({c.attesi[static_cast<size_t>(i)], 27 + i, 0});
        Lista(ModBlck::ModificheBlocco3, attesa);
        EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    }
    ModMain::RichiestaPendente = 0;
    f->CmdLevDef_Click();
    Lista(ModBlck::ModificheBlocco3, {{40, 27, 0}, {180, 28, 0}, {330, 29, 0}, {480, 30, 0}, {640, 31, 0}, {900, 32, 0}});
}

TEST_F(Sensori, LampadeELetture) {
    struct Caso {
        int32_t opzioni, lettura;
        std::array<bool, 4> righe;
        bool riserva;
    };
    const Caso casi[] = {
        {0x00, 500, {false, false, true, true}, false},
        {0x00, 150, {false, false, false, false}, true},
        {0x00, 200, {false, false, false, false}, true},
        {0x20, 500, {false, false, true, true}, false},
        {0x20, 900, {false, false, false, false}, true},
    };
    for (const auto& c : casi) {
        Livello(c.opzioni ? 2 : 1, c.opzioni, {200, 400, 600, 800});
        Imposta(1, 41, c.lettura);
        f->CaricaLivelliAttuale();
        for (size_t r = 0; r < 4; ++r)
            EXPECT_EQ(f->LblLevelVal[r]->palette().color(QPalette::Window),
                      ModZebPagina::Colore(c.righe[r] ? FRM_ZEBSensori::LampadaAccesa : FRM_ZEBSensori::LampadaSpenta))
                << c.lettura << " row " << r;
        EXPECT_EQ(f->ShpRiserva->ColoreRiempimento(),
                  c.riserva ? FRM_ZEBSensori::RiservaAccesa : FRM_ZEBSensori::RiservaSpenta);
    }
    Imposta(1, 37, 0);
    Imposta(1, 40, 512);
    Imposta(1, 41, 1023);
    f->CaricaLivelliAttuale();
    EXPECT_EQ(f->LblSensValFiltrato->text(), "- - -");
    EXPECT_EQ(f->LblSensValNoFiltrato->text(), "4.995");
    Imposta(1, 37, 1);
    f->CaricaLivelliAttuale();
    EXPECT_EQ(f->LblSensValFiltrato->text(), "2.5");
}

} // namespace
