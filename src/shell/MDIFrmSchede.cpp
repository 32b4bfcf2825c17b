// Page switching: the one way the page shown changes.
#include <QtCore/QTime>
#include <cstdlib>

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "platform/Charset.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"

namespace MDIFrm {

namespace {

bool Tra(int32_t id, std::initializer_list<int32_t> elenco) {
    for (const int32_t v : elenco)
        if (v == id) return true;
    return false;
}

void Mostra(QWidget* forma, const char* nome) {
    if (!forma) return;
    ChiamaMembro((std::string(nome) + ".Show").c_str(), [&] { forma->show(); });
}

void Nascondi(QWidget* forma) {
    if (forma) forma->hide();
}

// Stored reply of block 0 (the ECU identification record), empty when there is none.
std::string RispostaBlocco0() { return TabellaBlocchi.empty() ? std::string() : TabellaBlocchi[0].UltimaRisposta; }

void VisibileAbilitato(QWidget* c, bool visibile, bool abilitato) {
    if (!c) return;
    c->setVisible(visibile);
    c->setEnabled(abilitato);
}

void ControlliEditor(FrmMatrix* f, bool paginaZero) {
    const bool exp = ModMain::LivelloExp != 0, sup = ModMain::LivelloSup != 0;
    VisibileAbilitato(f->CmdChgAxis, paginaZero && exp, paginaZero);
    // The two-map selector cannot name the third map: on its page the
    // three-map selector stands in for it, so the selector in view names the map shown.
    const bool terza = f->MTX == 2;
    const bool dueMappe = paginaZero ? (!sup && exp) : !sup;
    f->CMB_SelPage[0]->setVisible(sup || (terza && dueMappe));
    f->CMB_SelPage[1]->setVisible(dueMappe && !terza);
    for (QWidget* c : {static_cast<QWidget*>(f->CmdDw), static_cast<QWidget*>(f->CmdUp)})
        VisibileAbilitato(c, true, true);
    // Undo only once the page has been edited.
    VisibileAbilitato(f->CmdUndo, true, ModMain::UndoDisponibileK(f->MTX) == 1);
    VisibileAbilitato(f->ChkSIM, sup, true);
    VisibileAbilitato(f->ChkRefresh, false, false);
    VisibileAbilitato(f->CmdErrInjCanc, false, false);
    VisibileAbilitato(f->GrdInj, true, true);
    VisibileAbilitato(f->TxtMsgMappa, false, false);
}

void ControlliCarburazione(FRM_ZEBCarburazione* f, bool paginaZero) {
    const bool sup = ModMain::LivelloSup != 0;
    // As on the full editor: the third map's page shows the selector that lists it.
    const bool terza = f->MTX == 2;
    f->CMB_SelPage_0->setVisible(sup || terza);
    f->CMB_SelPage_1->setVisible(!sup && !terza);
    for (QWidget* c : {static_cast<QWidget*>(f->CmdDw), static_cast<QWidget*>(f->CmdUp),
                       static_cast<QWidget*>(f->ChkSIM), static_cast<QWidget*>(f->GrdSmall)})
        VisibileAbilitato(c, true, true);
    VisibileAbilitato(f->CmdUndo, true, ModMain::UndoDisponibileK(f->MTX) == 1);
    VisibileAbilitato(f->CmdResetMap, paginaZero, paginaZero);
    VisibileAbilitato(f->CmdChgAxis, paginaZero, paginaZero);
    VisibileAbilitato(f->ChkSpiana, sup, true);
}

} // namespace

void MDIForm::SelezioneScheda(int32_t id) {
    // 1. The access-code challenge draws from this generator.
    std::srand(static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay()));
    // 2. Set before any form is touched: whatever runs meanwhile sees the new page.
    ModMain::PaginaCorrente = id;
    const bool offline = ModMain::StatoConnessione == STATO_OFFLINE;

    // 3. Captions of the first bar, on every switch.
    if (auto* bar = IstanzaFRM_ZEBMenuTop) {
        const int16_t charset = ModMain::CharsetCorrente();
        for (int32_t i = 0; i < 8 && i < static_cast<int32_t>(bar->BUT_Menu.size()); ++i) {
            const int32_t voce = bar->PosLingua + i;
            const std::string testo =
                voce >= 0 && voce <= INT16_MAX ? ModMain::TestoVoce(static_cast<int16_t>(voce)) : std::string();
            bar->BUT_Menu[i]->Caption(Piattaforma::TestoDaCharset(testo, charset));
        }
        bar->AdattaCaratteri();
    }

    // 4. 5.
    ResizaFormPese();
    Mostra(IstanzaFRM_ZEBConnected, "FRM_ZEBConnected");

    // 6. Home page.
    if (id == SCHEDA_HOME) {
        Mostra(IstanzaFRM_ZEBMenu, "FRM_ZEBMenu");
        if (auto* f = IstanzaFRM_ZEBMenu) {
            ChiamaMembro("FRM_ZEBMenu.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        }
        Mostra(IstanzaFRM_ZEBLanguage, "FRM_ZEBLanguage");
        if (auto* f = IstanzaFRM_ZEBLanguage)
            ChiamaMembro("FRM_ZEBLanguage.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        if (auto* f = IstanzaFRM_ZEBMenu) {
            ChiamaMembro("FRM_ZEBMenu.VisualizzaDatiCentralina",
                         [&] { f->VisualizzaDatiCentralina(RispostaBlocco0(), ModMain::FirmwareFile); });
            ChiamaMembro("FRM_ZEBMenu.SetFocus", [&] { f->setFocus(); });
        }
    } else {
        Nascondi(IstanzaFRM_ZEBMenu);
        Nascondi(IstanzaFRM_ZEBLanguage);
    }

    // 7. Home gauge page.
    if (id == SCHEDA_PRINCIPALE && IstanzaFRM_ZEBMain) {
        auto* f = IstanzaFRM_ZEBMain;
        Mostra(f, "FRM_ZEBMain");
        ChiamaMembro("FRM_ZEBMain.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        ChiamaMembro("FRM_ZEBMain.CaricaLingua", [&] { f->CaricaLingua(); });
        ChiamaMembro("FRM_ZEBMain.AggiornaScalaSonda", [&] { f->AggiornaScalaSonda(); });
    } else {
        Nascondi(IstanzaFRM_ZEBMain);
    }

    // 8. 9. Second and third bars.
    if (Tra(id, {SCHEDA_PRINCIPALE, SCHEDA_LOGGER}) && IstanzaFRM_ZEBMenuTop2) {
        Mostra(IstanzaFRM_ZEBMenuTop2, "FRM_ZEBMenuTop2");
        ChiamaMembro("FRM_ZEBMenuTop2.AggiornaLivelliVisualizzazione",
                     [&] { IstanzaFRM_ZEBMenuTop2->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFRM_ZEBMenuTop2);
    }
    if (id >= SCHEDA_ACQUISIZIONE_1 && id <= SCHEDA_ACQUISIZIONE_4 && IstanzaFRM_ZEBMenuTop3) {
        Mostra(IstanzaFRM_ZEBMenuTop3, "FRM_ZEBMenuTop3");
        ChiamaMembro("FRM_ZEBMenuTop3.AggiornaLivelliVisualizzazione",
                     [&] { IstanzaFRM_ZEBMenuTop3->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFRM_ZEBMenuTop3);
    }

    // 10. The four wizard steps.
    auto passo = [&](auto* f, int32_t k, const char* nome) {
        if (!f) return;
        if (id == SCHEDA_ACQUISIZIONE_1 - 1 + k) {
            Mostra(f, nome);
            ChiamaMembro((std::string(nome) + ".AggiornaLivelliVisualizzazione").c_str(),
                         [&] { f->AggiornaLivelliVisualizzazione(); });
            ChiamaMembro((std::string(nome) + ".AggiornaVisualizzazione").c_str(), [&] { f->AggiornaVisualizzazione(); });
        } else {
            Nascondi(f);
        }
    };
    passo(IstanzaFrmInjDirAcq1, 1, "FrmInjDirAcq1");
    passo(IstanzaFrmInjDirAcq2, 2, "FrmInjDirAcq2");
    passo(IstanzaFrmInjDirAcq3, 3, "FrmInjDirAcq3");
    passo(IstanzaFrmInjDirAcq4, 4, "FrmInjDirAcq4");

    // 11. First bar.
    if (Tra(id, {SCHEDA_INIETTORI, SCHEDA_OBD, SCHEDA_COMPENSAZIONI, SCHEDA_MAPPA, SCHEDA_LAMBDA, SCHEDA_SEQINJ,
                 SCHEDA_COMMUTAZIONE, SCHEDA_SENSORI, SCHEDA_CARBURAZIONE, SCHEDA_GESTIONE, SCHEDA_INJDIR,
                 SCHEDA_MAPPA_1, SCHEDA_CARBURAZIONE_1, SCHEDA_MAPPA_2, SCHEDA_CARBURAZIONE_2}) &&
        IstanzaFRM_ZEBMenuTop) {
        Mostra(IstanzaFRM_ZEBMenuTop, "FRM_ZEBMenuTop");
        ChiamaMembro("FRM_ZEBMenuTop.AggiornaLivelliVisualizzazione",
                     [&] { IstanzaFRM_ZEBMenuTop->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFRM_ZEBMenuTop);
    }

    // 12. Logger: no run options without a link.
    if (id == SCHEDA_LOGGER && IstanzaFrmLogger) {
        auto* f = IstanzaFrmLogger;
        Mostra(f, "FrmLogger");
        ChiamaMembro("FrmLogger.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        f->OptRun[0]->setEnabled(!offline);
        f->OptRun[1]->setEnabled(!offline);
        if (offline) f->OptRun[1]->setChecked(true);
    } else {
        Nascondi(IstanzaFrmLogger);
    }

    // 13. Switchover page (also under the injector popup).
    if (Tra(id, {SCHEDA_COMMUTAZIONE, SCHEDA_INIETTORI}) && IstanzaFRM_ZEBCommutazione) {
        auto* f = IstanzaFRM_ZEBCommutazione;
        ChiamaMembro("FRM_ZEBCommutazione.AggiornaSelezioni", [&] { f->AggiornaSelezioni(); });
        Mostra(f, "FRM_ZEBCommutazione");
        ChiamaMembro("FRM_ZEBCommutazione.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFRM_ZEBCommutazione);
    }

    // 14. Injector popup: block 3 is read again unless there is no link.
    if (id == SCHEDA_INIETTORI && IstanzaFrmInjSetPopUp) {
        auto* f = IstanzaFrmInjSetPopUp;
        ChiamaMembro("FrmInjSetPopUp.AggiornaSelezioni", [&] { f->AggiornaSelezioni(true); });
        if (!offline) ModMain::RichiediOperazione(REQ_READ_BLK3, false);
        ModGlobFunct::CentraControllo(f, this);
        Mostra(f, "FrmInjSetPopUp");
        ChiamaMembro("FrmInjSetPopUp.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFrmInjSetPopUp);
    }

    // 15. Sensors page.
    if (id == SCHEDA_SENSORI && IstanzaFRM_ZEBSensori) {
        auto* f = IstanzaFRM_ZEBSensori;
        ChiamaMembro("FRM_ZEBSensori.CaricaSoglieLivello", [&] { f->CaricaSoglieLivello(); });
        Mostra(f, "FRM_ZEBSensori");
        ChiamaMembro("FRM_ZEBSensori.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        f->CmbTipoSensMap->setEnabled(ModMain::LivelloSup != 0);
        ChiamaMembro("FRM_ZEBSensori.AggiornaSelezioni", [&] { f->AggiornaSelezioni(); });
    } else {
        Nascondi(IstanzaFRM_ZEBSensori);
    }

    // 16. Archive page.
    if (id == SCHEDA_ARCHIVIO && IstanzaFRM_ZEBLoadSave) {
        Mostra(IstanzaFRM_ZEBLoadSave, "FRM_ZEBLoadSave");
        ChiamaMembro("FRM_ZEBLoadSave.AggiornaLivelliVisualizzazione",
                     [&] { IstanzaFRM_ZEBLoadSave->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFRM_ZEBLoadSave);
    }

    // 17. Error page: exactly one of the two service combos is offered.
    if (id == SCHEDA_ERRORI && IstanzaFrmError) {
        auto* f = IstanzaFrmError;
        ChiamaMembro("FrmError.AggiornaAbilitazioni", [&] { f->AggiornaAbilitazioni(); });
        Mostra(f, "FrmError");
        ChiamaMembro("FrmError.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        f->CmbServiceLOW->setVisible(f->CmbService->isHidden());
        ChiamaMembro("FrmError.AggiornaVisualizzazioni", [&] { f->AggiornaVisualizzazioni(true); });
    } else {
        Nascondi(IstanzaFrmError);
    }

    // 18. 19. The map form of the page, prepared and shown; the other five hidden.
    int32_t mappa = -1;
    bool carburazione = false;
    switch (id) {
    case SCHEDA_MAPPA: mappa = 0; break;
    case SCHEDA_MAPPA_1: mappa = 1; break;
    case SCHEDA_MAPPA_2: mappa = 2; break;
    case SCHEDA_CARBURAZIONE: mappa = 0; carburazione = true; break;
    case SCHEDA_CARBURAZIONE_1: mappa = 1; carburazione = true; break;
    case SCHEDA_CARBURAZIONE_2: mappa = 2; carburazione = true; break;
    default: break;
    }
    QWidget* mostrata = nullptr;
    if (mappa >= 0 && !carburazione && IstanzaFrmMatrix(mappa)) {
        auto* f = IstanzaFrmMatrix(mappa);
        const std::string nome = "FrmMatrix" + std::to_string(mappa);
        ChiamaMembro((nome + ".CambiaTipoGriglia").c_str(), [&] { f->CambiaTipoGriglia(id); });
        ChiamaMembro((nome + ".CaricaAssiInMatrice").c_str(),
                     [&] { f->CaricaAssiInMatrice(f->GrdInj, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro); });
        ChiamaMembro((nome + ".ColoraMatriceGradiente").c_str(), [&] { f->ColoraMatriceGradiente(f->GrdInj); });
        Mostra(f, nome.c_str());
        ChiamaMembro((nome + ".AggiornaLivelliVisualizzazione").c_str(), [&] { f->AggiornaLivelliVisualizzazione(); });
        ControlliEditor(f, mappa == 0);
        mostrata = f;
    } else if (mappa >= 0 && carburazione && IstanzaFRM_ZEBCarburazione(mappa)) {
        auto* f = IstanzaFRM_ZEBCarburazione(mappa);
        const std::string nome = "FRM_ZEBCarburazione" + std::to_string(mappa);
        ChiamaMembro((nome + ".CambiaTipoGriglia").c_str(), [&] { f->CambiaTipoGriglia(id); });
        ChiamaMembro((nome + ".ColoraMatriceGradiente2").c_str(), [&] { f->ColoraMatriceGradiente2(f->GrdSmall); });
        ChiamaMembro((nome + ".CaricaAssiInMatrice").c_str(),
                     [&] { f->CaricaAssiInMatrice(f->GrdSmall, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro); });
        Mostra(f, nome.c_str());
        ChiamaMembro((nome + ".AggiornaLivelliVisualizzazione").c_str(), [&] { f->AggiornaLivelliVisualizzazione(); });
        ControlliCarburazione(f, mappa == 0);
        mostrata = f;
    }
    for (int k = 0; k < 3; ++k) {
        if (IstanzaFrmMatrix(k) != mostrata) Nascondi(IstanzaFrmMatrix(k));
        if (IstanzaFRM_ZEBCarburazione(k) != mostrata) Nascondi(IstanzaFRM_ZEBCarburazione(k));
    }

    // 20. Firmware page: the image chooser when an image lies at hand or at the second level.
    if (id == SCHEDA_FIRMWARE && IstanzaFrmFirmware) {
        auto* f = IstanzaFrmFirmware;
        ChiamaMembro("FrmFirmware.CaricaVersioneCentralina",
                     [&] { f->CaricaVersioneCentralina(RispostaBlocco0(), ModMain::FirmwareFile); });
        Mostra(f, "FrmFirmware");
        ChiamaMembro("FrmFirmware.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        f->CmdSelect->setVisible(ModMain::ElencaFileFirmware() || ModMain::LivelloSup != 0);
    } else {
        Nascondi(IstanzaFrmFirmware);
    }

    // 21. Compensation tables.
    if (id == SCHEDA_COMPENSAZIONI && IstanzaFrmCompensa) {
        auto* f = IstanzaFrmCompensa;
        ChiamaMembro("FrmCompensa.CaricaLingua", [&] { f->CaricaLingua(); });
        ChiamaMembro("FrmCompensa.AggiornaTabelledaVettori", [&] { f->AggiornaTabelledaVettori(); });
        Mostra(f, "FrmCompensa");
        ChiamaMembro("FrmCompensa.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFrmCompensa);
    }

    // 22. Auto-calibration.
    if (id == SCHEDA_AUTOTARATURA && IstanzaFrmAutoTuning) {
        auto* f = IstanzaFrmAutoTuning;
        Mostra(f, "FrmAutoTuning");
        ChiamaMembro("FrmAutoTuning.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        ChiamaMembro("FrmAutoTuning.PresettaLaFinestra", [&] { f->PresettaLaFinestra(); });
    } else {
        Nascondi(IstanzaFrmAutoTuning);
    }

    // 23. Lambda page.
    if (id == SCHEDA_LAMBDA && IstanzaFRM_ZEBLambda) {
        auto* f = IstanzaFRM_ZEBLambda;
        Mostra(f, "FRM_ZEBLambda");
        ChiamaMembro("FRM_ZEBLambda.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        f->SHP[1]->setVisible(ModMain::LivelloSup == 0);
        ChiamaMembro("FRM_ZEBLambda.AggiornaSelezioni", [&] { f->AggiornaSelezioni(); });
    } else {
        Nascondi(IstanzaFRM_ZEBLambda);
    }

    // 24. OBD page.
    if (id == SCHEDA_OBD && IstanzaFrmObd) {
        auto* f = IstanzaFrmObd;
        Mostra(f, "FrmObd");
        ChiamaMembro("FrmObd.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        ChiamaMembro("FrmObd.AzzeraRiferimenti", [&] { f->AzzeraRiferimenti(); });
        ChiamaMembro("FrmObd.AggiornaVisualizzazioni", [&] { f->AggiornaVisualizzazioni(); });
        ChiamaMembro("FrmObd.AggiornaSelezioniObd", [&] { f->AggiornaSelezioniObd(); });
        ChiamaMembro("FrmObd.AggiornaVisualizzazioneNew", [&] { f->AggiornaVisualizzazioneNew(); });
    } else {
        Nascondi(IstanzaFrmObd);
    }

    // 25. Management page (also under the sequence popup).
    if (Tra(id, {SCHEDA_GESTIONE, SCHEDA_SEQINJ}) && IstanzaFRM_ZEBGestione) {
        auto* f = IstanzaFRM_ZEBGestione;
        Mostra(f, "FRM_ZEBGestione");
        ChiamaMembro("FRM_ZEBGestione.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        ChiamaMembro("FRM_ZEBGestione.AggiornaSelezioni", [&] { f->AggiornaSelezioni(); });
    } else {
        Nascondi(IstanzaFRM_ZEBGestione);
    }

    // 26. Injection-sequence popup.
    if (id == SCHEDA_SEQINJ && IstanzaFrmSeqInj) {
        auto* f = IstanzaFrmSeqInj;
        ChiamaMembro("FrmSeqInj.AggiornaSelezioni", [&] { f->AggiornaSelezioni(true); });
        ModGlobFunct::CentraControllo(f, this);
        Mostra(f, "FrmSeqInj");
        ChiamaMembro("FrmSeqInj.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
    } else {
        Nascondi(IstanzaFrmSeqInj);
    }

    // 27. Direct-injection page.
    if (id == SCHEDA_INJDIR && IstanzaFRM_ZEBinjDir) {
        auto* f = IstanzaFRM_ZEBinjDir;
        Mostra(f, "FRM_ZEBinjDir");
        ChiamaMembro("FRM_ZEBinjDir.AggiornaLivelliVisualizzazione", [&] { f->AggiornaLivelliVisualizzazione(); });
        ChiamaMembro("FRM_ZEBinjDir.AggiornaSelezioni", [&] { f->AggiornaSelezioni(); });
    } else {
        Nascondi(IstanzaFRM_ZEBinjDir);
    }

    // 28. The overlay goes; its own timer shows it again while a request waits.
    if (auto* f = IstanzaFrmUpdate) {
        f->raise();
        f->hide();
    }
}

} // namespace MDIFrm
