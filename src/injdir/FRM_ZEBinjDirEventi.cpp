// The direct-injection page's edits: every pick stages one block word and
// posts one request; the advance-table grid's held keys, value dialog and
// whole-row edit; the counter reset.
#include <QtCore/QPointer>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModMainStatoLinea.h"
#include "injdir/FRM_ZEBinjDir.h"
#include "injdir/InjDirRegole.h"
#include "link/ModBlckModifiche.h"
#include "maps/FrmEnterValue.h"
#include "platform/Dialoghi.h"

using namespace ModZebPagina;
namespace R = InjDirRegole;

namespace {

QString InjTitolo() {
    if (ModMain::FinestraPrincipale) return ModMain::FinestraPrincipale->windowTitle();
    return {};
}

std::optional<double> InjScelta(const QComboBox* c) {
    if (c->currentIndex() < 0) return std::nullopt;
    return NumeroVoce(c->currentText());
}

std::optional<int64_t> InjSceltaMillesimi(const QComboBox* c) {
    if (c->currentIndex() < 0) return std::nullopt;
    return MillesimiVoce(c->currentText());
}

} // namespace

bool FRM_ZEBinjDir::Guardie() const { return !InCaricamento && SlotLibero(); }

void FRM_ZEBinjDir::Modifica(int32_t blocco, std::optional<int32_t> valore, int32_t indice, int32_t maschera) {
    if (!Guardie()) return;
    if (!valore) {
        // An item that is no number (or no item) writes nothing; the page shows the block again.
        AggiornaSelezioni();
        return;
    }
    ModificaSingola(blocco == 12 ? ModBlck::ModificheBlocco12 : ModBlck::ModificheBlocco16, *valore, indice, maschera);
    Posta(blocco == 12 ? REQ_WRITE_BLK12 : REQ_WRITE_BLK16);
}

void FRM_ZEBinjDir::CmbSogliaTrigger_Click() {
    const int p = CmbSogliaTrigger->currentIndex();
    Modifica(16, p >= 0 ? std::optional<int32_t>(p * 5) : std::nullopt, 0, 0);
}
void FRM_ZEBinjDir::cmbCntrbEnabler_Click() { Modifica(16, R::ValoreBit(cmbCntrbEnabler->currentIndex()), 1, 0x01); }
void FRM_ZEBinjDir::cmbgasbenzina_Click() { Modifica(16, R::ValoreBit(cmbgasbenzina->currentIndex()), 1, 0x02); }
void FRM_ZEBinjDir::CMBAbilOutCutOff_Click() { Modifica(16, R::ValoreBit(CMBAbilOutCutOff->currentIndex()), 1, 0x04); }
void FRM_ZEBinjDir::CMBAbilDeltaPAccMin_Click() {
    Modifica(16, R::ValoreBit(CMBAbilDeltaPAccMin->currentIndex()), 1, 0x08);
}
void FRM_ZEBinjDir::CMB_AbilEmuFuelP_Click() { Modifica(16, R::ValoreBit(CMB_AbilEmuFuelP->currentIndex()), 1, 0x10); }
void FRM_ZEBinjDir::CMBdisHalfPer_Click() { Modifica(16, R::ValoreBit(CMBdisHalfPer->currentIndex()), 1, 0x20); }
void FRM_ZEBinjDir::CMBdisSimInjB_Click() { Modifica(16, R::ValoreBit(CMBdisSimInjB->currentIndex()), 1, 0x40); }
void FRM_ZEBinjDir::cmbContrIDMAP_H_Click() {
    const int p = cmbContrIDMAP_H->currentIndex();
    Modifica(16, p >= 0 ? std::optional<int32_t>(p * 10) : std::nullopt, 2, 0);
}
void FRM_ZEBinjDir::cmbContrIDMAP_L_Click() { Modifica(16, R::ValoreIntero(InjScelta(cmbContrIDMAP_L)), 3, 0); }
void FRM_ZEBinjDir::cmbContrIDThrTime_Click() {
    const int p = cmbContrIDThrTime->currentIndex();
    Modifica(16, p >= 0 ? std::optional<int32_t>(p) : std::nullopt, 4, 0);
}
void FRM_ZEBinjDir::cmbContrIDThrPress_Click() { Modifica(16, R::ValoreIntero(InjScelta(cmbContrIDThrPress)), 5, 0); }
void FRM_ZEBinjDir::cmbContrIDContributo_Click() {
    const int p = cmbContrIDContributo->currentIndex();
    std::optional<int32_t> v;
    if (p >= 0 && p == cmbContrIDContributo->count() - 1) {
        if (ValoreContributoSpeciale >= 0) v = ValoreContributoSpeciale;
    } else {
        v = R::ValoreContributo(InjSceltaMillesimi(cmbContrIDContributo));
    }
    Modifica(16, v, 6, 0);
}
void FRM_ZEBinjDir::CmbSogliaRPMAccMin_Click() { Modifica(16, R::ValoreIntero(InjScelta(CmbSogliaRPMAccMin)), 9, 0); }
void FRM_ZEBinjDir::cmbContrIDThrIST_Click() {
    const int p = cmbContrIDThrIST->currentIndex();
    Modifica(16, p >= 0 ? std::optional<int32_t>(p) : std::nullopt, 10, 0);
}
void FRM_ZEBinjDir::cmbContrIDTimeShift_Click() { Modifica(16, R::ValoreTimeShift(InjScelta(cmbContrIDTimeShift)), 11, 0); }
void FRM_ZEBinjDir::cmbGradiAnticipo_Click() { Modifica(16, R::ValoreIntero(InjScelta(cmbGradiAnticipo)), 14, 0); }
void FRM_ZEBinjDir::CMBContrOutCutOff_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMBContrOutCutOff)), 15, 0); }
void FRM_ZEBinjDir::CMBNumOutCutOff_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMBNumOutCutOff)), 16, 0); }
void FRM_ZEBinjDir::CMBDeltaTAccMin_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMBDeltaTAccMin)), 17, 0); }
void FRM_ZEBinjDir::CMBDeltaPAccMin_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMBDeltaPAccMin)), 18, 0); }
void FRM_ZEBinjDir::CMBCntrDeltaPAccMin_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMBCntrDeltaPAccMin)), 19, 0); }
void FRM_ZEBinjDir::CMBCicliDeltaPAccMin_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMBCicliDeltaPAccMin)), 20, 0); }
void FRM_ZEBinjDir::CMB_max_AcqFuelPres_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMB_max_AcqFuelPres)), 21, 0); }
void FRM_ZEBinjDir::CMB_ritATT_EmuFuelP_Click() { Modifica(16, R::ValoreIntero(InjScelta(CMB_ritATT_EmuFuelP)), 22, 0); }
void FRM_ZEBinjDir::CMB_max_OutGas_Click() {
    // The item's own thousandths (2.5 writes 2500), not the item rounded first.
    Modifica(16, R::ValoreMillesimi(InjSceltaMillesimi(CMB_max_OutGas)), 23, 0);
}
void FRM_ZEBinjDir::cmbPIDLambda_Click() { Modifica(12, R::PidLambdaDaIndice(cmbPIDLambda->currentIndex()), 24, 0); }

void FRM_ZEBinjDir::CmdAutoTaratura_Click() { MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_AUTOTARATURA); }

void FRM_ZEBinjDir::cmdContrIDCounter_Click() {
    if (!Guardie()) return;
    ModificaSingola(ModBlck::ModificheBlocco16, 0, 8, 0);
    Posta(REQ_WRITE_BLK16);
    txtContrIDCounter->setText(QStringLiteral(" - - "));
}

// ---- Advance-table grid

void FRM_ZEBinjDir::EvidenziaCella() {
    if (GrdQDL->Col() < 1 || GrdQDL->Row() < 1) return;
    GrdQDL->CellBackColor(0xFFFF);
    GrdQDL->CellForeColor(0);
}

void FRM_ZEBinjDir::RipristinaCella() {
    if (GrdQDL->Col() < 1 || GrdQDL->Row() < 1) return;
    GrdQDL->CellBackColor(0xFFFFFF);
    GrdQDL->CellForeColor(0);
}

void FRM_ZEBinjDir::GrdQDL_KeyDown(int16_t KeyCode, int16_t Shift) {
    if (KeyCode == 16 || TastoPremuto || !R::TastoPasso(KeyCode)) return;
    if (GrdQDL->Row() != 1 || GrdQDL->Col() < 1) return;
    if (!SlotLibero()) {
        // The write could not be posted: the cell keeps what the ECU holds.
        MostraTabella();
        Bip();
        return;
    }
    const int colonna = GrdQDL->Col();
    TastoPremuto = true;
    int32_t v = R::ValoreIntero(NumeroVoce(GrdQDL->TextMatrix(1, colonna))).value_or(0);
    QPointer<FRM_ZEBinjDir> io(this);
    while (io && TastoPremuto) {
        v = R::Passo(v, KeyCode, Shift);
        GrdQDL->TextMatrix(1, colonna, QString::number(v));
        ModGlobFunct::AttendiMicrosecondi(150000);
    }
    if (io) ScriviTabella();
}

void FRM_ZEBinjDir::GrdQDL_KeyUp(int16_t KeyCode, int16_t) {
    TastoPremuto = false;
    if (KeyCode != 13 || GrdQDL->Row() != 1 || GrdQDL->Col() < 1) return;
    const int colonna = GrdQDL->Col();
    const LimitiValore limiti{255, -255, 200, -200, 150, 0};
    if (ModMapEditor::ChiediValore(limiti, 2) == 0) return;
    const auto v = R::ValoreDialogo(NumeroVoce(GrdQDL->TextMatrix(1, colonna)).value_or(0.0), ModMain::OperazioneInserita,
                                    ModMain::ValoreInserito);
    if (!v) return;
    GrdQDL->TextMatrix(1, colonna, QString::number(*v));
    ScriviTabella();
}

void FRM_ZEBinjDir::GrdQDL_DblClick() {
    if (GrdQDL->ColSel() != R::ColonneAnticipo || GrdQDL->Col() != 1 || GrdQDL->Row() != 1) return;
    auto cellaSola = [this] {
        GrdQDL->Row(1);
        GrdQDL->Col(1);
        GrdQDL->setFocus();
    };
    const auto risposta = Piattaforma::MostraMessaggio(ModMain::TestoLingua(TestoConfermaGriglia), InjTitolo(),
                                                       Piattaforma::IconaMessaggio::Domanda, Piattaforma::PulsantiMessaggio::SiNo);
    if (risposta != Piattaforma::RispostaMessaggio::Si) return cellaSola();
    const LimitiValore limiti{255, -255, 200, -200, 150, 0};
    if (ModMapEditor::ChiediValore(limiti, 2) == 0) return cellaSola();
    for (int c = 1; c <= R::ColonneAnticipo; ++c) {
        const auto v = R::ValoreDialogo(NumeroVoce(GrdQDL->TextMatrix(1, c)).value_or(0.0), ModMain::OperazioneInserita,
                                        ModMain::ValoreInserito);
        if (v) GrdQDL->TextMatrix(1, c, QString::number(*v));
    }
    ScriviTabella();
    GrdQDL->ColSel(R::ColonneAnticipo);
}

void FRM_ZEBinjDir::ScriviTabella() {
    std::vector<int32_t> valori;
    for (int c = 1; c <= R::ColonneAnticipo; ++c) {
        const auto v = R::ValoreIntero(NumeroVoce(GrdQDL->TextMatrix(1, c)));
        if (!v) break;
        valori.push_back(*v);
    }
    if (!SlotLibero() || valori.size() != static_cast<size_t>(R::ColonneAnticipo)) {
        // A request of another page holds the slot (or a cell is no number):
        // the grid goes back to block 12 as the ECU holds it.
        MostraTabella();
        Bip();
        return;
    }
    auto& lista = ModBlck::ModificheBlocco12;
    lista.resize(static_cast<size_t>(R::ColonneAnticipo));
    for (size_t i = 0; i < valori.size(); ++i)
        lista[i] = ModificaPendente{valori[i], static_cast<int32_t>(R::PrimaParolaAnticipo + i), 0};
    Posta(REQ_WRITE_BLK12);
}
