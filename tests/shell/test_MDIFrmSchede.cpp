// Page switching: which forms each page id shows, which bar, the calls in
// their order, the map-form controls and an unknown id.
#include "FissaggioShell.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/ModMainPercorsi.h"
#include "logger/ModOscillo.h"
#include "link/ModMappeDati.h"
#include "platform/Charset.h"
#include "support/SupportoTest.h"

namespace {

// Every page form by the name the trace uses, but the bottom band's forms,
// which page switching never touches, and the busy overlay.
std::map<std::string, QWidget*> FormePagina() {
    using namespace MDIFrm;
    return {
        {"FRM_ZEBMain", IstanzaFRM_ZEBMain}, {"FRM_ZEBMenu", IstanzaFRM_ZEBMenu},
        {"FRM_ZEBMenuTop", IstanzaFRM_ZEBMenuTop}, {"FRM_ZEBMenuTop2", IstanzaFRM_ZEBMenuTop2},
        {"FRM_ZEBMenuTop3", IstanzaFRM_ZEBMenuTop3}, {"FRM_ZEBLanguage", IstanzaFRM_ZEBLanguage},
        {"FRM_ZEBConnected", IstanzaFRM_ZEBConnected}, {"FRM_ZEBCommutazione", IstanzaFRM_ZEBCommutazione},
        {"FRM_ZEBCarburazione0", IstanzaFRM_ZEBCarburazione0}, {"FRM_ZEBSensori", IstanzaFRM_ZEBSensori},
        {"FRM_ZEBGestione", IstanzaFRM_ZEBGestione}, {"FRM_ZEBLoadSave", IstanzaFRM_ZEBLoadSave},
        {"FRM_ZEBinjDir", IstanzaFRM_ZEBinjDir}, {"FrmInjDirAcq1", IstanzaFrmInjDirAcq1},
        {"FrmInjDirAcq2", IstanzaFrmInjDirAcq2}, {"FrmInjDirAcq3", IstanzaFrmInjDirAcq3},
        {"FrmInjDirAcq4", IstanzaFrmInjDirAcq4}, {"FrmLogger", IstanzaFrmLogger},
        {"FrmInjSetPopUp", IstanzaFrmInjSetPopUp}, {"FrmSeqInj", IstanzaFrmSeqInj},
        {"FrmError", IstanzaFrmError}, {"FrmFirmware", IstanzaFrmFirmware}, {"FrmCompensa", IstanzaFrmCompensa},
        {"FrmAutoTuning", IstanzaFrmAutoTuning}, {"FRM_ZEBLambda", IstanzaFRM_ZEBLambda}, {"FrmObd", IstanzaFrmObd},
        {"FrmMatrix0", IstanzaFrmMatrix0}, {"FRM_ZEBCarburazione1", IstanzaFRM_ZEBCarburazione1},
        {"FrmMatrix1", IstanzaFrmMatrix1}, {"FRM_ZEBCarburazione2", IstanzaFRM_ZEBCarburazione2},
        {"FrmMatrix2", IstanzaFrmMatrix2},
    };
}

std::set<std::string> Mostrate() {
    std::set<std::string> r;
    for (const auto& [nome, forma] : FormePagina())
        if (!forma->isHidden()) r.insert(nome);
    return r;
}

std::string Testo(const std::set<std::string>& s) {
    std::string t;
    for (const auto& x : s) t += x + " ";
    return t;
}

} // namespace

using Schede = FissaggioShell;

TEST_F(Schede, FormeEBarraPerOgniPagina) {
    struct Caso {
        int32_t id;
        std::set<std::string> forme; // besides the connection panel
    };
    const Caso casi[] = {
        {0, {"FRM_ZEBMain", "FRM_ZEBMenuTop2"}},
        {1, {"FrmLogger", "FRM_ZEBMenuTop2"}},
        {3, {"FRM_ZEBCommutazione", "FrmInjSetPopUp", "FRM_ZEBMenuTop"}},
        {5, {"FrmAutoTuning"}},
        {7, {"FrmObd", "FRM_ZEBMenuTop"}},
        {8, {"FrmCompensa", "FRM_ZEBMenuTop"}},
        {11, {"FrmError"}},
        {12, {"FrmMatrix0", "FRM_ZEBMenuTop"}},
        {13, {"FrmFirmware"}},
        {17, {"FRM_ZEBLambda", "FRM_ZEBMenuTop"}},
        {22, {"FRM_ZEBGestione", "FrmSeqInj", "FRM_ZEBMenuTop"}},
        {24, {"FRM_ZEBMenu", "FRM_ZEBLanguage"}},
        {25, {"FRM_ZEBCommutazione", "FRM_ZEBMenuTop"}},
        {26, {"FRM_ZEBSensori", "FRM_ZEBMenuTop"}},
        {27, {"FRM_ZEBCarburazione0", "FRM_ZEBMenuTop"}},
        {44, {"FRM_ZEBGestione", "FRM_ZEBMenuTop"}},
        {45, {"FRM_ZEBLoadSave"}},
        {46, {"FRM_ZEBinjDir", "FRM_ZEBMenuTop"}},
        {47, {"FrmMatrix1", "FRM_ZEBMenuTop"}},
        {48, {"FRM_ZEBCarburazione1", "FRM_ZEBMenuTop"}},
        {49, {"FrmMatrix2", "FRM_ZEBMenuTop"}},
        {50, {"FRM_ZEBCarburazione2", "FRM_ZEBMenuTop"}},
        {51, {"FrmInjDirAcq1", "FRM_ZEBMenuTop3"}},
        {52, {"FrmInjDirAcq2", "FRM_ZEBMenuTop3"}},
        {53, {"FrmInjDirAcq3", "FRM_ZEBMenuTop3"}},
        {54, {"FrmInjDirAcq4", "FRM_ZEBMenuTop3"}},
        {99, {}},
        {-1, {}},
    };
    // From every page to every other, so that each hide is exercised too.
    for (const auto& da : casi) {
        for (const auto& a : casi) {
            f->SelezioneScheda(da.id);
            f->SelezioneScheda(a.id);
            auto attese = a.forme;
            attese.insert("FRM_ZEBConnected");
            EXPECT_EQ(Testo(Mostrate()), Testo(attese)) << "from " << da.id << " to " << a.id;
            EXPECT_EQ(ModMain::PaginaCorrente, a.id);
        }
    }
}

TEST_F(Schede, OrdineDelleChiamate) {
    struct Caso {
        int32_t id;
        std::vector<std::string> chiamate;
    };
    const Caso casi[] = {
        {24,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenu.Show", "FRM_ZEBMenu.AggiornaLivelliVisualizzazione",
          "FRM_ZEBLanguage.Show", "FRM_ZEBLanguage.AggiornaLivelliVisualizzazione",
          "FRM_ZEBMenu.VisualizzaDatiCentralina", "FRM_ZEBMenu.SetFocus"}},
        {0,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMain.Show", "FRM_ZEBMain.AggiornaLivelliVisualizzazione",
          "FRM_ZEBMain.CaricaLingua", "FRM_ZEBMain.AggiornaScalaSonda", "FRM_ZEBMenuTop2.Show",
          "FRM_ZEBMenuTop2.AggiornaLivelliVisualizzazione"}},
        {3,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FRM_ZEBCommutazione.AggiornaSelezioni", "FRM_ZEBCommutazione.Show",
          "FRM_ZEBCommutazione.AggiornaLivelliVisualizzazione", "FrmInjSetPopUp.AggiornaSelezioni",
          "FrmInjSetPopUp.Show", "FrmInjSetPopUp.AggiornaLivelliVisualizzazione"}},
        {26,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FRM_ZEBSensori.CaricaSoglieLivello", "FRM_ZEBSensori.Show",
          "FRM_ZEBSensori.AggiornaLivelliVisualizzazione", "FRM_ZEBSensori.AggiornaSelezioni"}},
        {11,
         {"FRM_ZEBConnected.Show", "FrmError.AggiornaAbilitazioni", "FrmError.Show",
          "FrmError.AggiornaLivelliVisualizzazione", "FrmError.AggiornaVisualizzazioni"}},
        {47,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FrmMatrix1.CambiaTipoGriglia", "FrmMatrix1.CaricaAssiInMatrice", "FrmMatrix1.ColoraMatriceGradiente",
          "FrmMatrix1.Show", "FrmMatrix1.AggiornaLivelliVisualizzazione"}},
        {27,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FRM_ZEBCarburazione0.CambiaTipoGriglia", "FRM_ZEBCarburazione0.ColoraMatriceGradiente2",
          "FRM_ZEBCarburazione0.CaricaAssiInMatrice", "FRM_ZEBCarburazione0.Show",
          "FRM_ZEBCarburazione0.AggiornaLivelliVisualizzazione"}},
        {13,
         {"FRM_ZEBConnected.Show", "FrmFirmware.CaricaVersioneCentralina", "FrmFirmware.Show",
          "FrmFirmware.AggiornaLivelliVisualizzazione"}},
        {8,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FrmCompensa.CaricaLingua", "FrmCompensa.AggiornaTabelledaVettori", "FrmCompensa.Show",
          "FrmCompensa.AggiornaLivelliVisualizzazione"}},
        {7,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FrmObd.Show", "FrmObd.AggiornaLivelliVisualizzazione", "FrmObd.AzzeraRiferimenti",
          "FrmObd.AggiornaVisualizzazioni", "FrmObd.AggiornaSelezioniObd", "FrmObd.AggiornaVisualizzazioneNew"}},
        {22,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop.Show", "FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
          "FRM_ZEBGestione.Show", "FRM_ZEBGestione.AggiornaLivelliVisualizzazione",
          "FRM_ZEBGestione.AggiornaSelezioni", "FrmSeqInj.AggiornaSelezioni", "FrmSeqInj.Show",
          "FrmSeqInj.AggiornaLivelliVisualizzazione"}},
        {52,
         {"FRM_ZEBConnected.Show", "FRM_ZEBMenuTop3.Show", "FRM_ZEBMenuTop3.AggiornaLivelliVisualizzazione",
          "FrmInjDirAcq2.Show", "FrmInjDirAcq2.AggiornaLivelliVisualizzazione",
          "FrmInjDirAcq2.AggiornaVisualizzazione"}},
        {99, {"FRM_ZEBConnected.Show"}},
    };
    for (const auto& c : casi) {
        chiamate.clear();
        f->SelezioneScheda(c.id);
        EXPECT_EQ(chiamate, c.chiamate) << "page " << c.id;
    }
}

TEST_F(Schede, DidascalieDellaPrimaBarraDalDizionario) {
    SupportoTest::CartellaBase base(false);
    base.Scrivi("lng/diz.con", "1\r\n");
    ClsLingue diz;
    diz.PathDizionario(std::string(MONDARO_DIST) + "/lng/diz.diz");
    diz.PathAttualeLingua(base.File("lng/diz.con"));
    ASSERT_TRUE(diz.LoadDizionario());
    ASSERT_EQ(diz.IdLingua(), 1);
    ModMain::Dizionario = &diz;
    MDIFrm::IstanzaFRM_ZEBMenuTop->PosLingua = 5;
    // On every switch, an unknown page included.
    f->SelezioneScheda(99);
    for (int i = 0; i < 8; ++i) {
        const std::string voce = diz.VoceDizionario(1, static_cast<int16_t>(5 + i));
        EXPECT_FALSE(voce.empty()) << i;
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBMenuTop->BUT_Menu[i]->Caption(),
                  Piattaforma::TestoDaCharset(voce, diz.CharsetLingua(1))) << i;
    }
    ModMain::Dizionario = nullptr;
}

TEST_F(Schede, Pagina3PostaLaLetturaDelBlocco3SoloConLaLinea) {
    ModMain::StatoConnessione = STATO_OFFLINE;
    f->SelezioneScheda(SCHEDA_INIETTORI);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_FALSE(MDIFrm::IstanzaFrmInjSetPopUp->isHidden());

    ModMain::StatoConnessione = STATO_CONNESSO;
    f->SelezioneScheda(SCHEDA_INIETTORI);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_BLK3);
    // Without the overlay.
    EXPECT_FALSE(MDIFrm::IstanzaFrmUpdate->Timer1->isActive());

    // A busy slot drops it; the page is shown all the same.
    ModMain::RichiestaPendente = REQ_WRITE_BLK2;
    f->SelezioneScheda(SCHEDA_INIETTORI);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK2);
    EXPECT_FALSE(MDIFrm::IstanzaFrmInjSetPopUp->isHidden());
}

TEST_F(Schede, LoggerSenzaLineaHaLeOpzioniSpenteELaSecondaScelta) {
    struct Caso {
        int32_t stato;
        bool abilitate, secondaScelta;
    };
    // Pressing start records into a Logger.tmp of the test's own.
    SupportoTest::CartellaBase cartella(false);
    const std::string loggerTmp = ModMain::PercorsoLoggerTmp;
    ModMain::PercorsoLoggerTmp = cartella.File("Logger.tmp");
    for (const Caso c : {Caso{STATO_OFFLINE, false, true}, Caso{STATO_CONNESSO, true, false}}) {
        MDIFrm::IstanzaFrmLogger->OptRun[0]->setChecked(true);
        ModMain::StatoConnessione = c.stato;
        f->SelezioneScheda(SCHEDA_LOGGER);
        EXPECT_EQ(MDIFrm::IstanzaFrmLogger->OptRun[0]->isEnabled(), c.abilitate) << c.stato;
        EXPECT_EQ(MDIFrm::IstanzaFrmLogger->OptRun[1]->isEnabled(), c.abilitate) << c.stato;
        EXPECT_EQ(MDIFrm::IstanzaFrmLogger->OptRun[1]->isChecked(), c.secondaScelta) << c.stato;
    }
    ModOscillo::FermaRegistrazione();
    ModBlck::StatoRegistrazione = 0;
    ModMain::PercorsoLoggerTmp = loggerTmp;
}

TEST_F(Schede, ControlliDellEditorDiMappa) {
    struct Caso {
        int32_t id;
        int16_t exp, sup;
        bool assiVisibile, assiAbilitato, sel0, sel1, sim;
    };
    const Caso casi[] = {
        {12, 0, 0, false, true, false, false, false},
        {12, -1, 0, true, true, false, true, false},
        {12, -1, -1, true, true, true, false, true},
        {47, 0, 0, false, false, false, true, false},
        {47, -1, 0, false, false, false, true, false},
        {49, -1, -1, false, false, true, false, true},
        // The third map at the lower levels: the selector that lists it.
        {49, 0, 0, false, false, true, false, false},
        {49, -1, 0, false, false, true, false, false},
    };
    for (const auto& c : casi) {
        ModMain::LivelloExp = c.exp;
        ModMain::LivelloSup = c.sup;
        f->SelezioneScheda(c.id);
        FrmMatrix* m = c.id == 12 ? MDIFrm::IstanzaFrmMatrix0 : c.id == 47 ? MDIFrm::IstanzaFrmMatrix1
                                                                           : MDIFrm::IstanzaFrmMatrix2;
        const std::string d = "page " + std::to_string(c.id) + " exp " + std::to_string(c.exp) + " sup " +
                              std::to_string(c.sup);
        EXPECT_EQ(!m->CmdChgAxis->isHidden(), c.assiVisibile) << d;
        EXPECT_EQ(m->CmdChgAxis->isEnabled(), c.assiAbilitato) << d;
        EXPECT_EQ(!m->CMB_SelPage[0]->isHidden(), c.sel0) << d;
        EXPECT_EQ(!m->CMB_SelPage[1]->isHidden(), c.sel1) << d;
        // The selector in view names the map shown.
        for (QComboBox* sel : m->CMB_SelPage) {
            if (!sel->isHidden()) {
                EXPECT_EQ(sel->currentIndex(), m->MTX) << d;
            }
        }
        EXPECT_EQ(!m->ChkSIM->isHidden(), c.sim) << d;
        for (QWidget* w : {static_cast<QWidget*>(m->CmdDw), static_cast<QWidget*>(m->CmdUp),
                           static_cast<QWidget*>(m->GrdInj)})
            EXPECT_TRUE(!w->isHidden() && w->isEnabled()) << d;
        // Undo shown, and offered only once the page has been edited.
        EXPECT_TRUE(!m->CmdUndo->isHidden()) << d;
        EXPECT_EQ(m->CmdUndo->isEnabled(), ModMain::UndoDisponibileK(m->MTX) == 1) << d;
        for (QWidget* w : {static_cast<QWidget*>(m->ChkRefresh), static_cast<QWidget*>(m->CmdErrInjCanc),
                           static_cast<QWidget*>(m->TxtMsgMappa)})
            EXPECT_TRUE(w->isHidden() && !w->isEnabled()) << d;
    }
}

TEST_F(Schede, LaCarburazioneOffreResetEAssiSoloSullaPagina27) {
    for (const int16_t sup : {int16_t{0}, int16_t{-1}}) {
        ModMain::LivelloSup = sup;
        for (const int32_t id : {27, 48, 50}) {
            f->SelezioneScheda(id);
            auto* c = id == 27 ? MDIFrm::IstanzaFRM_ZEBCarburazione0
                               : MDIFrm::IstanzaFRM_ZEBCarburazione(id == 48 ? 1 : 2);
            const bool zero = id == 27;
            EXPECT_EQ(!c->CmdResetMap->isHidden() && c->CmdResetMap->isEnabled(), zero) << id;
            EXPECT_EQ(!c->CmdChgAxis->isHidden() && c->CmdChgAxis->isEnabled(), zero) << id;
            // The third map's page shows the selector that lists it, whatever the level.
            EXPECT_EQ(!c->CMB_SelPage_0->isHidden(), sup != 0 || id == 50) << id;
            EXPECT_EQ(!c->CMB_SelPage_1->isHidden(), sup == 0 && id != 50) << id;
            for (QComboBox* sel : {c->CMB_SelPage_0, c->CMB_SelPage_1}) {
                if (!sel->isHidden()) {
                    EXPECT_EQ(sel->currentIndex(), c->MTX) << id;
                }
            }
            EXPECT_EQ(!c->ChkSpiana->isHidden(), sup != 0) << id;
            EXPECT_TRUE(!c->GrdSmall->isHidden() && !c->ChkSIM->isHidden()) << id;
        }
    }
}

TEST_F(Schede, ControlliDipendentiDalLivelloSulleAltrePagine) {
    for (const int16_t sup : {int16_t{0}, int16_t{-1}}) {
        ModMain::LivelloSup = sup;
        f->SelezioneScheda(SCHEDA_SENSORI);
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBSensori->CmbTipoSensMap->isEnabled(), sup != 0);
        f->SelezioneScheda(SCHEDA_LAMBDA);
        EXPECT_EQ(MDIFrm::IstanzaFRM_ZEBLambda->SHP[1]->isHidden(), sup != 0);
        f->SelezioneScheda(SCHEDA_FIRMWARE);
        // No firmware image lies in the test program's folder: the chooser follows the level.
        EXPECT_EQ(!MDIFrm::IstanzaFrmFirmware->CmdSelect->isHidden(), sup != 0);
    }
    // One of the two service lists at a time: the supervisor's or the short one.
    for (const int16_t sup : {int16_t{0}, int16_t{-1}}) {
        ModMain::LivelloSup = sup;
        f->SelezioneScheda(SCHEDA_ERRORI);
        EXPECT_EQ(MDIFrm::IstanzaFrmError->CmbService->isHidden(), sup == 0);
        EXPECT_EQ(MDIFrm::IstanzaFrmError->CmbServiceLOW->isHidden(), sup != 0);
    }
}

TEST_F(Schede, OgniCambioNascondeLaFinestraDiAttesa) {
    ModMain::RichiestaPendente = REQ_WRITE_BLK2;
    MDIFrm::IstanzaFrmUpdate->Timer1->start();
    MDIFrm::IstanzaFrmUpdate->Timer1_Timer();
    ASSERT_FALSE(MDIFrm::IstanzaFrmUpdate->isHidden());
    f->SelezioneScheda(SCHEDA_OBD);
    EXPECT_TRUE(MDIFrm::IstanzaFrmUpdate->isHidden());
    // Its own timer shows it again while the request waits.
    MDIFrm::IstanzaFrmUpdate->Timer1_Timer();
    EXPECT_FALSE(MDIFrm::IstanzaFrmUpdate->isHidden());
}

TEST_F(Schede, UnErroreDiUnMembroNonFermaIlCambio) {
    MDIFrm::TracciaChiamata = [this](const std::string& c) {
        chiamate.push_back(c);
        if (c == "FrmObd.AzzeraRiferimenti") throw std::runtime_error("page error");
    };
    f->SelezioneScheda(SCHEDA_OBD);
    EXPECT_NE(std::find(chiamate.begin(), chiamate.end(), "FrmObd.AggiornaVisualizzazioneNew"), chiamate.end());
    EXPECT_FALSE(MDIFrm::IstanzaFrmObd->isHidden());
}
