// The full map editor's edits (keys, buttons, undo, clipboard), its periodic
// refresh of the option controls, the live operating point and the replay of
// recorded operating points.
#include <QtWidgets/QApplication>

#include "core/ModMainLivelli.h"
#include "engine/MDIFrmMem10.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "maps/ColoriMappa.h"
#include "maps/EditorMappa.h"
#include "maps/FrmChangeAxis.h"
#include "maps/FrmEnterValue.h"
#include "maps/FrmMatrix.h"
#include "maps/MappeOperazioni.h"
#include "maps/OpzioniMappa.h"
#include "engine/ServiziInterfaccia.h"
#include "platform/Dialoghi.h"

using EditorMappa::ImpostaPosizione;
using EditorMappa::ImpostaVisibile;

void FrmMatrix::PostaScrittura() {
    CaricaGrigliaInMatrice(GrdInj, ModMain::PaginaMappaK(MTX), 1.0);
    ModMain::RichiediOperazione(MappeOperazioni::RichiestaScrittura(MTX), true);
}

void FrmMatrix::CaricaPagina() { CaricaMatriceInGriglia(GrdInj, ModMain::PaginaMappaK(MTX), 1.0); }

void FrmMatrix::AggiornaUndo() { MappeOperazioni::AggiornaUndo(MTX); }

void FrmMatrix::ReplaceUndo() {
    for (QWidget* w : {static_cast<QWidget*>(CmdUndo), static_cast<QWidget*>(CmdUp), static_cast<QWidget*>(CmdDw),
                       static_cast<QWidget*>(GrdInj)})
        w->setEnabled(false);
    EditorMappa::ImpostaTag(CmdUndo, true);
    // Only the page: the threshold table keeps what the ECU holds.
    MappeOperazioni::ReplaceUndo(MTX);
    ModMain::RichiediOperazione(MappeOperazioni::RichiestaScrittura(MTX), true);
}

void FrmMatrix::GrdInj_Click() {
    TipoGriglia = 8;
    GrdInj->setFocus();
}

void FrmMatrix::CmdUp_Click() {
    if (ModMain::RichiestaPendente != 0) return;
    for (QWidget* w : {static_cast<QWidget*>(CmdUndo), static_cast<QWidget*>(CmdUp), static_cast<QWidget*>(CmdDw),
                       static_cast<QWidget*>(GrdInj)})
        w->setEnabled(false);
    EditorMappa::ImpostaTag(CmdUp, true);
    AggiornaUndo();
    if (TipoGriglia == 8) ModificaValoriGrigliaLibera(GrdInj, OP_SOMMA, 1.0f, 1);
    PostaScrittura();
}

void FrmMatrix::CmdDw_Click() {
    if (ModMain::RichiestaPendente != 0) return;
    for (QWidget* w : {static_cast<QWidget*>(CmdUndo), static_cast<QWidget*>(CmdUp), static_cast<QWidget*>(CmdDw),
                       static_cast<QWidget*>(GrdInj)})
        w->setEnabled(false);
    EditorMappa::ImpostaTag(CmdDw, true);
    AggiornaUndo();
    if (TipoGriglia == 8) ModificaValoriGrigliaLibera(GrdInj, OP_SOMMA, -1.0f, 1);
    PostaScrittura();
}

void FrmMatrix::CmdUndo_Click() {
    if (ModMain::RichiestaPendente != 0 || ModMain::UndoDisponibileK(MTX) != 1) return;
    ReplaceUndo();
    CaricaPagina();
}

void FrmMatrix::IncollaAppunti() {
    // Like every other edit: nothing while a request waits, the undo copy
    // first, so the pasted values always reach the ECU and can be undone.
    if (ModMain::RichiestaPendente != 0) {
        Piattaforma::Suona(600, 100);
        return;
    }
    TestiGriglia t = ColoriMappa::LeggiTesti(GrdInj);
    MappeOperazioni::IncollaTesto(t, GrdInj->Row(), GrdInj->Col(), Piattaforma::LeggiAppunti().toStdString());
    ColoriMappa::ScriviTesti(GrdInj, t);
    AggiornaUndo();
    PostaScrittura();
}

void FrmMatrix::GrdInj_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (Shift == 2 && KeyCode == 'C') EditorMappa::CopiaSelezione(GrdInj);
    if (Shift == 2 && KeyCode == 'V') IncollaAppunti();
    if (KeyCode != 13 || TipoGriglia != 8 || ModMain::RichiestaPendente != 0) return;
    // The undo copy before the dialog: after a cancel it equals the page, so Undo changes nothing.
    AggiornaUndo();
    const int32_t operazione = ModMapEditor::ChiediValore(EditorMappa::LimitiMappa(), UltimaOperazione);
    // A request posted meanwhile would drop this edit's write: the edit is not made.
    if (operazione != 0 && ModMain::RichiestaPendente == 0) {
        UltimaOperazione = std::clamp(operazione - 1, 0, 2);
        ModificaValoriGrigliaLibera(GrdInj, operazione, ModMain::ValoreInserito, 1);
        PostaScrittura();
    } else {
        Piattaforma::Suona(600, 100);
    }
    GrdInj->setFocus();
}

void FrmMatrix::CmdChgAxis_Click() {
    if (ModMain::RichiestaPendente != 0) return;
    ModMapEditor::ApriEditorAssi();
}

void FrmMatrix::CMB_SelPage_Click(int Index) {
    if (BloccaSelPagina) return;
    const int32_t scheda = MappeOperazioni::SchedaDaSelettore(CMB_SelPage[static_cast<size_t>(Index)]->currentIndex(),
                                                              ModMain::MatSoglie[15]);
    MDIFrm::Interfaccia().SelezioneScheda(scheda);
}

void FrmMatrix::AbilitaTasti() {
    BloccaEventsMat = true;
    CmdUp->setEnabled(true);
    CmdDw->setEnabled(true);
    GrdInj->setEnabled(true);
    CmdUndo->setEnabled(ModMain::UndoDisponibileK(MTX) == 1);
    if (EditorMappa::TagUno(CmdUp)) {
        CmdUp->setFocus();
        EditorMappa::ImpostaTag(CmdUp, false);
    }
    if (EditorMappa::TagUno(CmdDw)) {
        CmdDw->setFocus();
        EditorMappa::ImpostaTag(CmdDw, false);
    }
    if (EditorMappa::TagUno(CmdUndo)) {
        CmdDw->setFocus();
        EditorMappa::ImpostaTag(CmdUndo, false);
    }
    BloccaEventsMat = false;
}

void FrmMatrix::AggiornaCursMappa() {
    const bool paginaZero = MTX == 0;
    const bool opzioni = paginaZero && ModMain::LivelloSup != 0;
    for (QWidget* w : {static_cast<QWidget*>(cmbpercsec), static_cast<QWidget*>(cmbpercsec3),
                       static_cast<QWidget*>(cmbpercsec4), static_cast<QWidget*>(lblpercsec),
                       static_cast<QWidget*>(cmbmultiplier), static_cast<QWidget*>(labmultiplier)})
        ImpostaVisibile(w, opzioni);
    for (QFrame* s : SHP) ImpostaVisibile(s, opzioni);
    ImpostaVisibile(LAB_Tick, MTX == 1);

    // View switch.
    EditorMappa::GestisciVista(ChkSIM, MTX, ChkSIM->isChecked(), [this](bool v) { ChkSIM->setChecked(v); },
                               BloccaEventiOpzioni);

    // Multiplier and second-bank percentages.
    EditorMappa::GestisciMoltiplicatore(cmbmultiplier, UltimoMoltiplicatore, ValoriMoltiplicatore, BloccaEventiOpzioni);
    EditorMappa::GestisciPercentuale(cmbpercsec, UltimaPercSec, 13, BloccaEventiOpzioni);
    EditorMappa::GestisciPercentuale(cmbpercsec3, UltimaPercSec3, 27, BloccaEventiOpzioni);
    EditorMappa::GestisciPercentuale(cmbpercsec4, UltimaPercSec4, 28, BloccaEventiOpzioni);
}

void FrmMatrix::VisualizzaPuntoMatrice(int32_t RW, int32_t CL) {
    const int32_t riga = PuntoMatrice::LimitaRiga(RW);
    const int32_t colonna = PuntoMatrice::LimitaColonna(CL, false);
    const int W = GrdInj->columnWidth(1), H = GrdInj->rowHeight(1);
    const int X0 = GrdInj->x() + GrdInj->frameWidth() + GrdInj->columnWidth(0);
    const int Y0 = GrdInj->y() + GrdInj->frameWidth() + GrdInj->rowHeight(0) + ScartoMarcatore;
    const int passo = 5; // 75 twips
    const int32_t puntSec = EditorMappa::ValoreBlocco(1, 34);
    const PaginaMappa& pagina = ModMain::PaginaMappaK(MTX);
    const int x = X0 + colonna * W;
    ImpostaPosizione(TxtMat, x, TxtMat->y());
    ImpostaPosizione(TxtMat2, x + passo, TxtMat2->y());
    if (MTX == 2) {
        const int32_t riga2 = std::min((puntSec & 0xFF00) / 256, 22);
        ImpostaVisibile(TxtMat2, false);
        ImpostaPosizione(TxtMat, TxtMat->x(), Y0 + riga2 * H);
        TxtMat->Caption(QString::number(pagina[static_cast<size_t>(riga2)][static_cast<size_t>(colonna)]));
    } else {
        ImpostaPosizione(TxtMat, TxtMat->x(), Y0 + riga * H);
        TxtMat->Caption(QString::number(pagina[static_cast<size_t>(riga)][static_cast<size_t>(colonna)]));
        const int32_t s = puntSec & 0xFF;
        if (s == 255) {
            ImpostaVisibile(TxtMat2, false);
        } else {
            const int32_t s2 = std::min(s, 22); // s is a byte
            ImpostaVisibile(TxtMat2, true);
            ImpostaPosizione(TxtMat2, TxtMat2->x(), Y0 + s2 * H + passo);
            TxtMat2->Caption(QString::number(pagina[static_cast<size_t>(s2)][static_cast<size_t>(colonna)]));
        }
    }
    ImpostaVisibile(TxtMat, true);
    const bool gas = EditorMappa::ValoreBlocco(2, 1) != 0;
    if (TxtMat->BackColor() != PuntoMatrice::ColoreMarcatore(gas)) TxtMat->BackColor(PuntoMatrice::ColoreMarcatore(gas));
    if (TxtMat2->BackColor() != PuntoMatrice::ColoreMarcatore2(gas)) TxtMat2->BackColor(PuntoMatrice::ColoreMarcatore2(gas));

    PuntoMatrice::IngressiPunto in;
    in.MotoreAcceso = (EditorMappa::ValoreBlocco(1, 37) & 1) != 0;
    in.Gas = gas || EditorMappa::ValoreBlocco(1, 7) > 0;
    in.Campione = EditorMappa::ValoreBlocco(1, 15);
    const int32_t d = PuntoMatrice::AggiornaMedie(Medie, in, false);
    const int zero = LneCorr[2]->y();
    const int altezza = PuntoMatrice::AltezzaBarraCorrezione(d, PctCorr->height() * 15) / 15;
    if (d < 0) ShpCorr->setGeometry(0, zero - altezza + 1, PctCorr->width(), altezza);
    else ShpCorr->setGeometry(0, zero, PctCorr->width(), altezza);
    GestisciB10();
}

void FrmMatrix::GestisciB10() {
    if (!MDIFrm::RiavviaB10) return;
    MDIFrm::RiavviaB10 = false;
    TimerB10->stop();
    TimerB10->setInterval(std::max(MDIFrm::BufferB10.Intervallo, 1));
    FotogrammaB10 = 0;
    TimerB10->start();
}

void FrmMatrix::TimerB10_Timer() {
    const int k = std::clamp(FotogrammaB10, 0, 9);
    const auto& b = MDIFrm::BufferB10;
    const int colonna = std::clamp(b.R[static_cast<size_t>(k)], 0, 23);
    const int conta = b.NB[static_cast<size_t>(k)];
    const int X0 = GrdInj->x() + GrdInj->frameWidth() + GrdInj->columnWidth(0);
    const int Y0 = GrdInj->y() + GrdInj->frameWidth() + GrdInj->rowHeight(0);
    for (int i = 0; i < 4; ++i) {
        QLabel* m = PIC_Cursed[static_cast<size_t>(i)];
        if (i < conta) {
            const int riga = std::clamp(b.T[static_cast<size_t>(10 * i + k)], 0, 22);
            ImpostaPosizione(m, X0 + GrdInj->columnWidth(1) * colonna + m->width() * i, Y0 + GrdInj->rowHeight(1) * riga);
            ImpostaVisibile(m, true);
            m->raise();
        } else {
            ImpostaVisibile(m, false);
        }
    }
    if (FotogrammaB10 < 9) ++FotogrammaB10;
}
