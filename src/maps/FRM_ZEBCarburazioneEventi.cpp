// The coarse view's edits (keys, buttons, undo, clipboard, map reset), its
// periodic refresh of the option controls and the live operating point.
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "maps/ColoriMappa.h"
#include "maps/EditorMappa.h"
#include "maps/FRM_ZEBCarburazione.h"
#include "maps/FrmChangeAxis.h"
#include "maps/FrmEnterValue.h"
#include "maps/MappeOperazioni.h"
#include "maps/OpzioniMappa.h"
#include "platform/Dialoghi.h"

using EditorMappa::ImpostaPosizione;
using EditorMappa::ImpostaVisibile;

void FRM_ZEBCarburazione::Ricarica() { CaricaMatriceInGriglia(GrdSmall, ModMain::PaginaMappaK(MTX), 1.0); }

void FRM_ZEBCarburazione::ScriviIndietro() { CaricaGrigliaInMatrice(GrdSmall, ModMain::PaginaMappaK(MTX), 1.0); }

void FRM_ZEBCarburazione::Posta() { ModMain::RichiediOperazione(MappeOperazioni::RichiestaScrittura(MTX), true); }

void FRM_ZEBCarburazione::AggiornaUndo() { MappeOperazioni::AggiornaUndo(MTX); }

void FRM_ZEBCarburazione::ReplaceUndo() {
    for (QWidget* w : {static_cast<QWidget*>(CmdUndo), static_cast<QWidget*>(CmdUp), static_cast<QWidget*>(CmdDw),
                       static_cast<QWidget*>(GrdSmall)})
        w->setEnabled(false);
    EditorMappa::ImpostaTag(CmdUndo, true);
    MappeOperazioni::ReplaceUndo(MTX);
    Posta();
}

void FRM_ZEBCarburazione::GrdSmall_Click() {
    TipoGriglia = 8;
    GrdSmall->setFocus();
}

namespace FRM_ZEBCarburazioneEventi_ {

void Passo(FRM_ZEBCarburazione& f, PulsanteGrafico* premuto, float passo) {
    if (ModMain::RichiestaPendente != 0) return;
    for (QWidget* w : {static_cast<QWidget*>(f.CmdUndo), static_cast<QWidget*>(f.CmdUp), static_cast<QWidget*>(f.CmdDw),
                       static_cast<QWidget*>(f.GrdSmall)})
        w->setEnabled(false);
    EditorMappa::ImpostaTag(premuto, true);
    // Both steps start from the page as it is: a grid left stale (after a map
    // reset, say) is never written back over it.
    f.CaricaMatriceInGriglia(f.GrdSmall, ModMain::PaginaMappaK(f.MTX), 1.0);
    f.AggiornaUndo();
    f.ModificaValoriGrigliaLibera(f.GrdSmall, OP_SOMMA, passo, 1);
    f.CaricaGrigliaInMatrice(f.GrdSmall, ModMain::PaginaMappaK(f.MTX), 1.0);
    ModMain::RichiediOperazione(MappeOperazioni::RichiestaScrittura(f.MTX), true);
}

} // namespace FRM_ZEBCarburazioneEventi_

void FRM_ZEBCarburazione::CmdUp_Click() { FRM_ZEBCarburazioneEventi_::Passo(*this, CmdUp, 1.0f); }
void FRM_ZEBCarburazione::CmdDw_Click() { FRM_ZEBCarburazioneEventi_::Passo(*this, CmdDw, -1.0f); }

void FRM_ZEBCarburazione::CmdUndo_Click() {
    if (ModMain::RichiestaPendente != 0 || ModMain::UndoDisponibileK(MTX) != 1) return;
    ReplaceUndo();
    Ricarica();
}

void FRM_ZEBCarburazione::IncollaAppunti() {
    // Like every other edit: nothing while a request waits, the undo copy first.
    if (ModMain::RichiestaPendente != 0) {
        Piattaforma::Suona(600, 100);
        return;
    }
    Ricarica();
    TestiGriglia t = ColoriMappa::LeggiTesti(GrdSmall);
    MappeOperazioni::IncollaTesto(t, GrdSmall->Row(), GrdSmall->Col(), Piattaforma::LeggiAppunti().toStdString());
    ColoriMappa::ScriviTesti(GrdSmall, t);
    AggiornaUndo();
    ScriviIndietro();
    Posta();
}

void FRM_ZEBCarburazione::GrdSmall_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (Shift == 2 && KeyCode == 'C') EditorMappa::CopiaSelezione(GrdSmall);
    if (Shift == 2 && KeyCode == 'V') IncollaAppunti();
    if (KeyCode != 13 || TipoGriglia != 8 || ModMain::RichiestaPendente != 0) return;
    // The undo copy before the dialog: after a cancel it equals the page, so Undo changes nothing.
    AggiornaUndo();
    const int32_t operazione = ModMapEditor::ChiediValore(EditorMappa::LimitiMappa(), UltimaOperazione);
    Ricarica();
    // A request posted meanwhile would drop this edit's write: the edit is not made.
    if (operazione == 0 || ModMain::RichiestaPendente != 0) {
        Piattaforma::Suona(600, 100);
    } else {
        UltimaOperazione = std::clamp(operazione - 1, 0, 2);
        ModificaValoriGrigliaLibera(GrdSmall, operazione, ModMain::ValoreInserito, 1);
        ScriviIndietro();
        Ricarica();
        Posta();
    }
    if (ModMain::PaginaCorrente == SCHEDA_CARBURAZIONE) GrdSmall->setFocus();
}

void FRM_ZEBCarburazione::CmdResetMap_Click() {
    if (Piattaforma::MostraMessaggio(ModMain::VoceLingua(63), QString(), Piattaforma::IconaMessaggio::Nessuna,
                                     Piattaforma::PulsantiMessaggio::SiNo) != Piattaforma::RispostaMessaggio::Si)
        return;
    const std::string scelta = ModMapEditor::ConfigurazioneSistemaScelta ? ModMapEditor::ConfigurazioneSistemaScelta() : "";
    const std::string percorso = ModMain::PercorsoBase + "/lng/" + scelta + ModMain::EstensioneConfigurazione;
    if (scelta.empty() || !ModGlobFunct::EsisteFile(percorso)) return;
    ModMain::PercorsoCaricamento = percorso;
    ModMain::RichiediOperazione(REQ_LOAD_CONFIG_MAPS, true);
}

void FRM_ZEBCarburazione::CmdChgAxis_Click() {
    if (ModMain::RichiestaPendente != 0) return;
    ModMapEditor::ApriEditorAssi();
}

void FRM_ZEBCarburazione::ChkGradiente_Click() { MDIFrm::Interfaccia().SelezioneScheda(ModMain::PaginaCorrente); }

void FRM_ZEBCarburazione::CMB_SelPage_Click(QComboBox* selettore) {
    if (BloccaSelPagina) return;
    MDIFrm::Interfaccia().SelezioneScheda(
        MappeOperazioni::SchedaDaSelettore(selettore->currentIndex(), ModMain::MatSoglie[15]));
}

void FRM_ZEBCarburazione::AbilitaTasti() {
    CmdUp->setEnabled(true);
    CmdDw->setEnabled(true);
    GrdSmall->setEnabled(true);
    CmdUndo->setEnabled(ModMain::UndoDisponibileK(MTX) == 1);
    for (QWidget* w : {static_cast<QWidget*>(CmdUp), static_cast<QWidget*>(CmdDw), static_cast<QWidget*>(CmdUndo)})
        if (EditorMappa::TagUno(w)) EditorMappa::ImpostaTag(w, false);
    if (GrdSmall->isEnabled() && GrdSmall->isVisible()) GrdSmall->setFocus();
}

void FRM_ZEBCarburazione::AggiornaCursMappaSmall() {
    const bool paginaZero = MTX == 0;
    for (QWidget* w : {static_cast<QWidget*>(cmbpercsec), static_cast<QWidget*>(lblpercsec),
                       static_cast<QWidget*>(cmbmultiplier), static_cast<QWidget*>(labmultiplier),
                       static_cast<QWidget*>(SHP_Carb[4]), static_cast<QWidget*>(SHP_Carb[0])})
        ImpostaVisibile(w, paginaZero);
    ImpostaVisibile(LAB_Tick, MTX == 1);

    EditorMappa::GestisciVista(ChkSIM, MTX, ChkSIM->Value(), [this](bool v) { ChkSIM->Value(v); }, BloccaEventiOpzioni);

    if (!EditorMappa::TagUno(ChkSpiana)) {
        const bool spiana = (EditorMappa::ValoreBlocco(15, 5) & 0x40) != 0;
        if (ChkSpiana->isChecked() != spiana) {
            BloccaEventiOpzioni = -1;
            ChkSpiana->setChecked(spiana);
            BloccaEventiOpzioni = 0;
        }
    } else if (ModMain::RichiestaPendente == 0) {
        ModBlck::ModificheBlocco15 = {ModificaPendente{ChkSpiana->isChecked() ? 1 : 0, 5, 0x40}};
        ModMain::RichiediOperazione(REQ_WRITE_BLK15, true);
        EditorMappa::ImpostaTag(ChkSpiana, false);
    }

    if (ModMain::AggiornaPassoCarico) ModMain::AggiornaPassoCarico();

    EditorMappa::GestisciMoltiplicatore(cmbmultiplier, UltimoMoltiplicatore, ValoriMoltiplicatore, BloccaEventiOpzioni);
    EditorMappa::GestisciPercentuale(cmbpercsec, UltimaPercSec, 13, BloccaEventiOpzioni);
}

void FRM_ZEBCarburazione::VisualizzaPuntoMatrice(int32_t riga, int32_t colonna) {
    riga = PuntoMatrice::LimitaRiga(riga);
    colonna = PuntoMatrice::LimitaColonna(colonna, true);
    const int W = static_cast<int>(std::lround(GrdSmall->columnWidth(0) / 2.0));
    const int H = static_cast<int>(std::lround(GrdSmall->rowHeight(0) / 2.0));
    const int X0 = GrdSmall->x() + GrdSmall->frameWidth() + GrdSmall->columnWidth(0);
    const int Y0 = GrdSmall->y() + GrdSmall->frameWidth() + GrdSmall->rowHeight(0);
    const int scarto = 2; // 30 twips
    const int32_t puntSec = EditorMappa::ValoreBlocco(1, 34);
    const PaginaMappa& pagina = ModMain::PaginaMappaK(MTX);
    ImpostaPosizione(TxtMat, X0 + colonna * W - scarto, TxtMat->y());
    ImpostaPosizione(TxtMat2, X0 + colonna * W + scarto, TxtMat2->y());
    if (MTX == 2) {
        const int32_t riga2 = std::min((puntSec & 0xFF00) / 256, 22);
        ImpostaVisibile(TxtMat2, false);
        ImpostaPosizione(TxtMat, TxtMat->x(), Y0 + riga2 * H + scarto);
        TxtMat->Caption(QString::number(pagina[static_cast<size_t>(riga2)][static_cast<size_t>(colonna)]));
    } else {
        ImpostaPosizione(TxtMat, TxtMat->x(), Y0 + riga * H - scarto);
        TxtMat->Caption(QString::number(pagina[static_cast<size_t>(riga)][static_cast<size_t>(colonna)]));
        const int32_t s = puntSec & 0xFF;
        if (s == 255) {
            ImpostaVisibile(TxtMat2, false);
        } else {
            const int32_t s2 = std::min(s, 22);
            ImpostaVisibile(TxtMat2, true);
            ImpostaPosizione(TxtMat2, TxtMat2->x(), Y0 + s2 * H + scarto);
            TxtMat2->Caption(QString::number(pagina[static_cast<size_t>(s2)][static_cast<size_t>(colonna)]));
        }
    }
    ImpostaVisibile(TxtMat, true);
    TxtMat->raise();
    TxtMat2->raise();
    const bool gas = EditorMappa::ValoreBlocco(2, 1) != 0;
    if (TxtMat->BackColor() != PuntoMatrice::ColoreMarcatore(gas)) TxtMat->BackColor(PuntoMatrice::ColoreMarcatore(gas));
    if (TxtMat2->BackColor() != PuntoMatrice::ColoreMarcatore2(gas)) TxtMat2->BackColor(PuntoMatrice::ColoreMarcatore2(gas));

    for (QProgressBar* b : {PROG_BEN, PROG_GAS}) b->setProperty("Tag", QStringLiteral("0"));
    PuntoMatrice::IngressiPunto in;
    in.MotoreAcceso = (EditorMappa::ValoreBlocco(1, 37) & 1) != 0;
    in.Gas = gas || EditorMappa::ValoreBlocco(1, 7) > 0;
    in.Campione = EditorMappa::ValoreBlocco(1, 15);
    const int32_t primaGas = Medie.MediaTempoGas, primaBenzina = Medie.MediaTempoBenzina;
    const int32_t d = PuntoMatrice::AggiornaMedie(Medie, in, true);
    // The bar that moves: gas while on gas, petrol while on petrol, both only
    // with a reference average.
    if (in.MotoreAcceso) {
        if (in.Gas && primaBenzina != -1) PROG_GAS->setProperty("Tag", QStringLiteral("1"));
        if (!in.Gas && primaGas != -1) PROG_BEN->setProperty("Tag", QStringLiteral("1"));
    }
    const int32_t v = PuntoMatrice::ValoreBarra(d, PROG_BEN->minimum(), PROG_BEN->maximum());
    for (QProgressBar* b : {PROG_BEN, PROG_GAS}) {
        const bool attiva = b->property("Tag").toString() == QStringLiteral("1");
        b->setValue(attiva ? v : 128);
        if (attiva) LAB_PLUSMINUS->setText(QString::fromLatin1(PuntoMatrice::SegnoDeviazione(v)) + QString::number(v - 128));
    }
}
