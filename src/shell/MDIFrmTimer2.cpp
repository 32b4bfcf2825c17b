// The display tick, the connection icon and the blocking of the main pages.
#include <QtCore/QCoreApplication>
#include <optional>

#include "core/ModBlckBlocchi.h"
#include "core/ModMainLivelli.h"
#include "link/ModMainStatoLinea.h"
#include "engine/ModMainRichieste.h"
#include "injdir/FrmWizard.h"
#include "logger/FrmExpert.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"

namespace MDIFrm {

namespace {

// Value k of block 1 (the live block), nothing when the block has no such value.
std::optional<int32_t> ValoreLive(size_t k) {
    if (TabellaBlocchi.size() < 2 || k >= TabellaBlocchi[1].Valori.size()) return std::nullopt;
    return TabellaBlocchi[1].Valori[k];
}

// Writes Visible only when it differs.
void ImpostaVisibile(QWidget* w, bool visibile) {
    if (w && w->isHidden() == visibile) w->setVisible(visibile);
}

} // namespace

void MDIForm::Timer2_Timer() {
    if (Timer2InCorso == 1) return;
    Timer2InCorso = 1;
    // Once the exit is raised the display stays frozen: the flag is never cleared again.
    if (ModMain::UscitaRichiesta == 1) return;

    QCoreApplication::processEvents();

    ChiamaMembro("MDIFrm.AggiornaIconaConnessione", [&] { AggiornaIconaConnessione(); });
    if (auto* f = IstanzaFRM_ZEBDashBoard)
        ChiamaMembro("FRM_ZEBDashBoard.VisulizzaBarraVariabili", [&] { f->VisulizzaBarraVariabili(); });
    if (auto* f = IstanzaFrmCommutatore)
        ChiamaMembro("FrmCommutatore.VisualizzaStatoCommutatore", [&] { f->VisualizzaStatoCommutatore(); });
    if (ModMain::ExpertAperto != 0)
        ChiamaMembro("FrmExpert.AggiornaValori", [&] { FrmExpert::Istanza()->AggiornaValori(); });
    if (ModMain::PaginaCorrente == SCHEDA_HOME)
        if (auto* f = IstanzaFRM_ZEBMenu) ChiamaMembro("FRM_ZEBMenu.AggiornaIcone", [&] { f->AggiornaIcone(); });

    // The live map cursor: value 51 the injection-time row, 50 the rpm column.
    auto puntoMappa = [&](auto* f, const std::string& nome) {
        const auto riga = ValoreLive(51), colonna = ValoreLive(50);
        if (riga && colonna)
            ChiamaMembro((nome + ".VisualizzaPuntoMatrice").c_str(), [&] { f->VisualizzaPuntoMatrice(*riga, *colonna); });
    };
    auto editor = [&](int k) {
        if (auto* f = IstanzaFrmMatrix(k)) {
            const std::string nome = "FrmMatrix" + std::to_string(k);
            ChiamaMembro((nome + ".AggiornaCursMappa").c_str(), [&] { f->AggiornaCursMappa(); });
            puntoMappa(f, nome);
        }
    };
    auto carburazione = [&](int k) {
        if (auto* f = IstanzaFRM_ZEBCarburazione(k)) {
            const std::string nome = "FRM_ZEBCarburazione" + std::to_string(k);
            ChiamaMembro((nome + ".AggiornaCursMappaSmall").c_str(), [&] { f->AggiornaCursMappaSmall(); });
            puntoMappa(f, nome);
        }
    };

    switch (ModMain::PaginaCorrente) {
    case SCHEDA_PRINCIPALE:
        if (auto* f = IstanzaFRM_ZEBMain) {
            ChiamaMembro("FRM_ZEBMain.VisualizzazioneBarreTempoInj", [&] { f->VisualizzazioneBarreTempoInj(); });
            ChiamaMembro("FRM_ZEBMain.AggiornaStatoEcu", [&] { f->AggiornaStatoEcu(); });
            ChiamaMembro("FRM_ZEBMain.AggiornaParametriObd", [&] { f->AggiornaParametriObd(); });
            ChiamaMembro("FRM_ZEBMain.AggiornaCorrezioniVarie", [&] { f->AggiornaCorrezioniVarie(); });
        }
        break;
    case SCHEDA_COMMUTAZIONE:
        if (auto* f = IstanzaFRM_ZEBCommutazione)
            ChiamaMembro("FRM_ZEBCommutazione.RealTimeMonitor", [&] { f->RealTimeMonitor(); });
        break;
    case SCHEDA_ERRORI:
        if (auto* f = IstanzaFrmError) {
            ChiamaMembro("FrmError.VisualizzaErrori", [&] { f->VisualizzaErrori(); });
            ChiamaMembro("FrmError.RichiediAggiornamentoErrori", [&] { f->RichiediAggiornamentoErrori(); });
            ChiamaMembro("FrmError.AggiornaVisualizzazioni", [&] { f->AggiornaVisualizzazioni(false); });
        }
        break;
    case SCHEDA_MAPPA: editor(0); break;
    case SCHEDA_MAPPA_1: editor(1); break;
    case SCHEDA_MAPPA_2: editor(2); break;
    case SCHEDA_CARBURAZIONE_1: carburazione(1); break;
    case SCHEDA_CARBURAZIONE_2: carburazione(2); break;
    case SCHEDA_CARBURAZIONE: carburazione(0); break;
    case SCHEDA_OBD:
        if (auto* f = IstanzaFrmObd) {
            ChiamaMembro("FrmObd.AggiornaVisualizzazione", [&] { f->AggiornaVisualizzazione(); });
            ChiamaMembro("FrmObd.AggiornaVisualizzazioni", [&] { f->AggiornaVisualizzazioni(); });
        }
        break;
    case SCHEDA_INIETTORI:
        if (auto* f = IstanzaFrmInjSetPopUp) {
            ChiamaMembro("FrmInjSetPopUp.AggiornaTempiInj", [&] { f->AggiornaTempiInj(); });
            ChiamaMembro("FrmInjSetPopUp.RichiediAggiornamentoBlocco3", [&] { f->RichiediAggiornamentoBlocco3(); });
        }
        break;
    case SCHEDA_SENSORI:
        if (auto* f = IstanzaFRM_ZEBSensori)
            ChiamaMembro("FRM_ZEBSensori.CaricaLivelliAttuale", [&] { f->CaricaLivelliAttuale(); });
        break;
    case SCHEDA_COMPENSAZIONI:
        if (auto* f = IstanzaFrmCompensa) {
            ChiamaMembro("FrmCompensa.VisualizzaPuntoTabella", [&] { f->VisualizzaPuntoTabella(); });
            ChiamaMembro("FrmCompensa.IndiciEsperti", [&] { f->IndiciEsperti(); });
        }
        break;
    case SCHEDA_LAMBDA:
        if (auto* f = IstanzaFRM_ZEBLambda)
            ChiamaMembro("FRM_ZEBLambda.AggiornaVisualizzazioniLambda", [&] { f->AggiornaVisualizzazioniLambda(); });
        break;
    case SCHEDA_GESTIONE:
        if (auto* f = IstanzaFRM_ZEBGestione)
            ChiamaMembro("FRM_ZEBGestione.AggiornaStatoEcu_FrmParam", [&] { f->AggiornaStatoEcu_FrmParam(); });
        break;
    case SCHEDA_AUTOTARATURA:
        if (auto* f = IstanzaFrmAutoTuning)
            ChiamaMembro("FrmAutoTuning.VisualizzaDatiTune", [&] { f->VisualizzaDatiTune(); });
        break;
    case SCHEDA_INJDIR:
        if (auto* f = IstanzaFRM_ZEBinjDir)
            if (const auto v = ValoreLive(50))
                ChiamaMembro("FRM_ZEBinjDir.VisualizzaPunto", [&] { f->VisualizzaPunto(*v); });
        break;
    case SCHEDA_ACQUISIZIONE_1:
        if (auto* f = IstanzaFrmInjDirAcq1)
            ChiamaMembro("FrmInjDirAcq1.GestioneRichieste", [&] { f->GestioneRichieste(); });
        break;
    case SCHEDA_ACQUISIZIONE_2:
        if (auto* f = IstanzaFrmInjDirAcq2) {
            ChiamaMembro("FrmInjDirAcq2.AggiornaRealTime", [&] { f->AggiornaRealTime(); });
            ChiamaMembro("FrmInjDirAcq2.GestioneRichieste", [&] { f->GestioneRichieste(); });
        }
        break;
    case SCHEDA_ACQUISIZIONE_3:
        if (auto* f = IstanzaFrmInjDirAcq3) {
            ChiamaMembro("FrmInjDirAcq3.AggiornaRealTime", [&] { f->AggiornaRealTime(); });
            ChiamaMembro("FrmInjDirAcq3.GestioneRichieste", [&] { f->GestioneRichieste(); });
        }
        break;
    case SCHEDA_ACQUISIZIONE_4:
        if (auto* f = IstanzaFrmInjDirAcq4) {
            ChiamaMembro("FrmInjDirAcq4.AggiornaRealTime", [&] { f->AggiornaRealTime(); });
            ChiamaMembro("FrmInjDirAcq4.GestioneRichieste", [&] { f->GestioneRichieste(); });
        }
        break;
    default: break;
    }

    // Map-cell learning wizard: on any page while it runs, after the page's own members.
    if (ModMain::WizardAttivo && FrmWizard::Attivo)
        ChiamaMembro("FrmWizard.TMR_Wizard_Proc", [&] { FrmWizard::Attivo->TMR_Wizard_Proc(); });

    if (ModMain::MappettaAperta == 1) {
        ChiamaMembro("FrmMappetta.AggiornamentoMappetta", [] { FrmMappetta::Istanza()->AggiornamentoMappetta(); });
        ChiamaMembro("FrmMappetta.AggiornaVariabiliMappettaSatellite",
                     [] { FrmMappetta::Istanza()->AggiornaVariabiliMappettaSatellite(); });
    }
    Timer2InCorso = 0;
}

void MDIForm::AggiornaIconaConnessione() {
    if (ModMain::UscitaRichiesta == 1) return;
    auto* pannello = IstanzaFRM_ZEBConnected;
    if (!pannello) return;

    if (ContatoreIcona < 5) {
        ++ContatoreIcona;
    } else {
        ContatoreIcona = 0;
        int k = 6;
        if (ModMain::StatoConnessione == STATO_RICERCA) {
            if (FotogrammaIcona > 4) FotogrammaIcona = 0;
            k = FotogrammaIcona;
            ++FotogrammaIcona;
        } else if (ModMain::StatoConnessione == STATO_OFFLINE) {
            k = 5;
        }
        pannello->IMG->setPixmap(pannello->IMG_BUFFER[k]->pixmap());
    }

    const bool exp = ModMain::LivelloExp != 0;
    ImpostaVisibile(pannello->BUT_EXP[1], exp);
    ImpostaVisibile(pannello->BUT_EXP[0], !exp);
    ImpostaVisibile(pannello->SHP_LEV[1], ModMain::LivelloSup != 0);
    ImpostaVisibile(pannello->SHP_LEV[2], ModMain::LivelloAut != 0);
}

void MDIForm::AbilitaDisabilitaForm(bool stato) {
    if (ModMain::UscitaRichiesta == 1) return;
    for (QWidget* f : {static_cast<QWidget*>(IstanzaFRM_ZEBMain), static_cast<QWidget*>(IstanzaFRM_ZEBMenuTop),
                       static_cast<QWidget*>(IstanzaFRM_ZEBMenuTop2), static_cast<QWidget*>(IstanzaFRM_ZEBMenuTop3),
                       static_cast<QWidget*>(IstanzaFRM_ZEBCommutazione), static_cast<QWidget*>(IstanzaFrmCommutatore),
                       static_cast<QWidget*>(IstanzaFrmMatrix0), static_cast<QWidget*>(IstanzaFRM_ZEBCarburazione1),
                       static_cast<QWidget*>(IstanzaFrmMatrix1), static_cast<QWidget*>(IstanzaFrmMatrix2),
                       static_cast<QWidget*>(IstanzaFRM_ZEBCarburazione2),
                       static_cast<QWidget*>(IstanzaFRM_ZEBCarburazione0), static_cast<QWidget*>(IstanzaFRM_ZEBGestione)})
        BloccaInputForma(f, !stato);
}

} // namespace MDIFrm
