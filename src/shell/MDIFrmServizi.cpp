#include "shell/MDIFrmServizi.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include "config/MDIFrmCaricamentoMemoria.h"
#include "config/ModBlckNomeConfigurazione.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "config/ModMainFirmware.h"
#include "controls/GrigliaDati.h"
#include "calibration/MDIFrmTaratura.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "link/ModMappeDati.h"
#include "maps/ModBlckAssi.h"
#include "obd/FrmInitObd.h"
#include "platform/Charset.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"

namespace MDIFrm {

namespace {

const PaginaMappa* PaginaDi(int k) {
    switch (k) {
    case 0: return &ModMain::MappaPagina0;
    case 1: return &ModMain::MappaPagina1;
    case 2: return &ModMain::MappaPagina2;
    default: return nullptr;
    }
}

} // namespace

ServiziShell::~ServiziShell() {
    if (puntatoreAttesa_) QGuiApplication::restoreOverrideCursor();
}

void ServiziShell::ImpostaTitolo(const std::string& testo) {
    finestra_.setWindowTitle(Piattaforma::TestoDaCharset(testo, ModMain::CharsetCorrente()));
}

void ServiziShell::ImpostaPuntatoreAttesa(bool attesa) {
    if (attesa == puntatoreAttesa_) return;
    puntatoreAttesa_ = attesa;
    if (attesa) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else QGuiApplication::restoreOverrideCursor();
}

void ServiziShell::AbilitaTimerVisualizzazione(bool abilitato) {
    if (abilitato) finestra_.Timer2->start();
    else finestra_.Timer2->stop();
}

void ServiziShell::ScaricaFinestraPrincipale() { finestra_.ScaricaDaCodice(); }
void ServiziShell::SelezioneScheda(int32_t idScheda) { finestra_.SelezioneScheda(idScheda); }
void ServiziShell::AbilitaDisabilitaForm(bool stato) { finestra_.AbilitaDisabilitaForm(stato); }
void ServiziShell::MDIForm_Resize() { finestra_.MDIForm_Resize(); }

void ServiziShell::FrmUpdate_AvviaTimer() {
    if (IstanzaFrmUpdate) IstanzaFrmUpdate->Timer1->start();
}

void ServiziShell::FrmFirmware_ImpostaPulsanti(bool cmdCancelCmdOk, bool cmdUpdate) {
    if (IstanzaFrmFirmware) IstanzaFrmFirmware->ImpostaPulsanti(cmdCancelCmdOk, cmdUpdate);
}

// Firmware page: the menu bars and the switch view locked while an update is offered or runs.
void ServiziShell::FRM_ZEBMenuTop_Abilita(bool abilitato) {
    if (IstanzaFRM_ZEBMenuTop) IstanzaFRM_ZEBMenuTop->setEnabled(abilitato);
}

void ServiziShell::FRM_ZEBMenuTop2_Abilita(bool abilitato) {
    if (IstanzaFRM_ZEBMenuTop2) IstanzaFRM_ZEBMenuTop2->setEnabled(abilitato);
}

void ServiziShell::FRM_ZEBMenuTop3_Abilita(bool abilitato) {
    if (IstanzaFRM_ZEBMenuTop3) IstanzaFRM_ZEBMenuTop3->setEnabled(abilitato);
}

void ServiziShell::FrmCommutatore_Abilita(bool abilitato) {
    if (IstanzaFrmCommutatore) IstanzaFrmCommutatore->setEnabled(abilitato);
}

void ServiziShell::FrmFirmware_MostraMessaggio(const std::string& testo) {
    if (IstanzaFrmFirmware)
        IstanzaFrmFirmware->LblMsg->setText(Piattaforma::TestoDaCharset(testo, ModMain::CharsetCorrente()));
}

int16_t ServiziShell::FrmFirmware_OffsetLingua() {
    return IstanzaFrmFirmware ? IstanzaFrmFirmware->OffsetLingua : 0;
}

void ServiziShell::FrmLogger_ApriFileLogger() {
    if (IstanzaFrmLogger) IstanzaFrmLogger->ApriFileLogger();
}

void ServiziShell::FRM_ZEBMenu_VisualizzaDatiCentralina(const std::string& rispostaBlocco0,
                                                        const std::string& infoFirmware) {
    if (IstanzaFRM_ZEBMenu) IstanzaFRM_ZEBMenu->VisualizzaDatiCentralina(rispostaBlocco0, infoFirmware);
}

void ServiziShell::FRM_ZEBCommutazione_AggiornaSelezioni() {
    if (IstanzaFRM_ZEBCommutazione) IstanzaFRM_ZEBCommutazione->AggiornaSelezioni();
}
void ServiziShell::FRM_ZEBSensori_AggiornaSelezioni() {
    if (IstanzaFRM_ZEBSensori) IstanzaFRM_ZEBSensori->AggiornaSelezioni();
}
void ServiziShell::FRM_ZEBGestione_AggiornaSelezioni() {
    if (IstanzaFRM_ZEBGestione) IstanzaFRM_ZEBGestione->AggiornaSelezioni();
}
void ServiziShell::FRM_ZEBinjDir_AggiornaSelezioni() {
    if (IstanzaFRM_ZEBinjDir) IstanzaFRM_ZEBinjDir->AggiornaSelezioni();
}
void ServiziShell::FRM_ZEBLambda_AggiornaSelezioni() {
    if (IstanzaFRM_ZEBLambda) IstanzaFRM_ZEBLambda->AggiornaSelezioni();
}
void ServiziShell::FrmInjSetPopUp_AggiornaSelezioni(bool tutto) {
    if (IstanzaFrmInjSetPopUp) IstanzaFrmInjSetPopUp->AggiornaSelezioni(tutto);
}
void ServiziShell::FrmSeqInj_AggiornaSelezioni(bool tutto) {
    if (IstanzaFrmSeqInj) IstanzaFrmSeqInj->AggiornaSelezioni(tutto);
}
std::string ServiziShell::FrmSeqInj_STR_IMPOSSIBILE() { return FrmSeqInj::STR_IMPOSSIBILE; }
bool ServiziShell::FrmSeqInj_SonoAnticipato() {
    return IstanzaFrmSeqInj ? IstanzaFrmSeqInj->SonoAnticipato() : ServiziInterfaccia::FrmSeqInj_SonoAnticipato();
}

void ServiziShell::FrmError_VisualizzaErrori() {
    if (IstanzaFrmError) IstanzaFrmError->VisualizzaErrori();
}
void ServiziShell::FrmError_AggiornaVisualizzazioni(bool tutto) {
    if (IstanzaFrmError) IstanzaFrmError->AggiornaVisualizzazioni(tutto);
}
void ServiziShell::FrmError_AggiornaAbilitazioni() {
    if (IstanzaFrmError) IstanzaFrmError->AggiornaAbilitazioni();
}

void ServiziShell::FrmObd_AggiornaSelezioniObd() {
    if (IstanzaFrmObd) IstanzaFrmObd->AggiornaSelezioniObd();
}
void ServiziShell::FrmObd_AggiornaParametriObd() {
    if (IstanzaFrmObd) IstanzaFrmObd->AggiornaParametriObd();
}
void ServiziShell::FrmObd_AggiornaVisualizzazioneNew() {
    if (IstanzaFrmObd) IstanzaFrmObd->AggiornaVisualizzazioneNew();
}
void ServiziShell::FrmObd_AzzeraRiferimenti() {
    if (IstanzaFrmObd) IstanzaFrmObd->AzzeraRiferimenti();
}
void ServiziShell::FrmObd_AggiornaVisualizzazioni() {
    if (IstanzaFrmObd) IstanzaFrmObd->AggiornaVisualizzazioni();
}
void ServiziShell::FrmObd_AggiornaVisualizzazione() {
    if (IstanzaFrmObd) IstanzaFrmObd->AggiornaVisualizzazione();
}
void ServiziShell::FrmObd_Form_Resize() {
    if (IstanzaFrmObd) IstanzaFrmObd->Form_Resize();
}

void ServiziShell::FrmMatrix_ColoraMatriceGradiente(int k) {
    if (auto* f = IstanzaFrmMatrix(k)) f->ColoraMatriceGradiente(f->GrdInj);
}
void ServiziShell::FrmMatrix_CaricaMatriceInGriglia(int k) {
    auto* f = IstanzaFrmMatrix(k);
    if (f && PaginaDi(k)) f->CaricaMatriceInGriglia(f->GrdInj, *PaginaDi(k), 1.0);
}
void ServiziShell::FrmMatrix_AbilitaTasti(int k) {
    if (auto* f = IstanzaFrmMatrix(k)) f->AbilitaTasti();
}
void ServiziShell::FrmMatrix_CambiaTipoGriglia(int k, int32_t idScheda) {
    if (auto* f = IstanzaFrmMatrix(k)) f->CambiaTipoGriglia(idScheda);
}
void ServiziShell::FrmMatrix_CaricaAssiInMatrice(int k) {
    if (auto* f = IstanzaFrmMatrix(k)) f->CaricaAssiInMatrice(f->GrdInj, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
}

bool ServiziShell::CalcolaVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                                      std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj,
                                      bool daVettori) {
    return ModBlck::CalcolaVettoriAssi(vettoreRpm, vettoreTinj, asseRpm, asseTinj, daVettori);
}

void ServiziShell::FRM_ZEBCarburazione_ColoraMatriceGradiente2(int k) {
    if (auto* f = IstanzaFRM_ZEBCarburazione(k)) f->ColoraMatriceGradiente2(f->GrdSmall);
}
void ServiziShell::FRM_ZEBCarburazione_CaricaMatriceInGriglia(int k) {
    auto* f = IstanzaFRM_ZEBCarburazione(k);
    if (f && PaginaDi(k)) f->CaricaMatriceInGriglia(f->GrdSmall, *PaginaDi(k), 1.0);
}
void ServiziShell::FRM_ZEBCarburazione_AbilitaTasti(int k) {
    if (auto* f = IstanzaFRM_ZEBCarburazione(k)) f->AbilitaTasti();
}
void ServiziShell::FRM_ZEBCarburazione_CambiaTipoGriglia(int k, int32_t idScheda) {
    if (auto* f = IstanzaFRM_ZEBCarburazione(k)) f->CambiaTipoGriglia(idScheda);
}
void ServiziShell::FRM_ZEBCarburazione_CaricaAssiInMatrice(int k) {
    if (auto* f = IstanzaFRM_ZEBCarburazione(k))
        f->CaricaAssiInMatrice(f->GrdSmall, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
}

void ServiziShell::FRM_ZEBPortSearch_Mostra(bool visibile) {
    if (IstanzaFRM_ZEBPortSearch) IstanzaFRM_ZEBPortSearch->setVisible(visibile);
}

void ServiziShell::FRM_ZEBPortSearch_AbilitaTMR(bool abilitato) {
    if (!IstanzaFRM_ZEBPortSearch || !IstanzaFRM_ZEBPortSearch->TMR) return;
    if (abilitato)
        IstanzaFRM_ZEBPortSearch->TMR->start();
    else
        IstanzaFRM_ZEBPortSearch->TMR->stop();
}

void ServiziShell::FRM_ZEBPortSearch_ImpostaMessaggio(const std::string& testo) {
    if (IstanzaFRM_ZEBPortSearch && IstanzaFRM_ZEBPortSearch->LAB_MSG)
        IstanzaFRM_ZEBPortSearch->LAB_MSG->setText(Piattaforma::TestoDaCharset(testo, ModMain::CharsetCorrente()));
}

void ServiziShell::FRM_ZEBPortSearch_BarraPiena() {
    if (!IstanzaFRM_ZEBPortSearch || IstanzaFRM_ZEBPortSearch->PRG.empty() || !IstanzaFRM_ZEBPortSearch->PRG[0]) return;
    IstanzaFRM_ZEBPortSearch->PRG[0]->setValue(IstanzaFRM_ZEBPortSearch->PRG[0]->maximum());
}

void ServiziShell::FRM_ZEBPortSearch_BarraVisibile(bool visibile) {
    if (!IstanzaFRM_ZEBPortSearch || IstanzaFRM_ZEBPortSearch->PRG.empty() || !IstanzaFRM_ZEBPortSearch->PRG[0]) return;
    IstanzaFRM_ZEBPortSearch->PRG[0]->setVisible(visibile);
}

QComboBox* ServiziShell::FRM_ZEBConnected_CMB_Seriali() {
    return IstanzaFRM_ZEBConnected ? IstanzaFRM_ZEBConnected->CMB_Seriali : nullptr;
}

void ServiziShell::FRM_ZEBConnected_ImpostaIndicePorta(int32_t indice) {
    QComboBox* c = FRM_ZEBConnected_CMB_Seriali();
    if (!c) return;
    // Disabled while it is set, so that its click handler neither writes
    // PortCom.ini nor asks for a reconnect.
    c->setEnabled(false);
    c->setCurrentIndex(indice);
    c->setEnabled(true);
}

void ServiziShell::FrmCommutatore_Mostra(bool visibile) {
    if (IstanzaFrmCommutatore) IstanzaFrmCommutatore->setVisible(visibile);
}

void ServiziShell::FRM_ZEBCommutazione_RiempiCmbSwtch() {
    if (IstanzaFRM_ZEBCommutazione) IstanzaFRM_ZEBCommutazione->RiempiCmbSwtch(ModMain::RigheConfigScale);
}

void ServiziShell::FRM_ZEBDashBoard_Mostra(bool visibile) {
    if (IstanzaFRM_ZEBDashBoard) IstanzaFRM_ZEBDashBoard->setVisible(visibile);
}

bool ServiziShell::FrmInitObd_Mostra(const FinestraInitObd& stato) {
    if (!initObd_) {
        initObd_ = new FrmInitObd(&finestra_);
        initObd_->Form_Load();
    }
    initObd_->Mostra(stato);
    return true;
}

void ServiziShell::FrmInitObd_Scarica() {
    if (!initObd_) return;
    initObd_->Scarica();
    initObd_->deleteLater();
    initObd_ = nullptr;
}

// Configuration files.
void ServiziShell::LeggiNomeConfigurazione(std::string& nome, std::string& nota) {
    ModBlck::LeggiNomeConfigurazione(nome, nota);
}
void ServiziShell::CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso) {
    MDIFrm::CaricaConfigurazioneInMemoria(codice, percorso);
}
bool ServiziShell::SalvaConfigurazioneDaEcu(const std::string& p) { return ModMain::SalvaConfigurazioneDaEcu(p); }
bool ServiziShell::CaricaConfigurazioneInEcu(const std::string& p) { return ModMain::CaricaConfigurazioneInEcu(p); }
bool ServiziShell::ScriviComPGasX() { return ModMain::ScriviComPGasX(); }
bool ServiziShell::ScriviComPBenX() { return ModMain::ScriviComPBenX(); }
void ServiziShell::PreparaScritturaComPGasX(int32_t v) { ModMain::PreparaScritturaComPGasX(v); }
bool ServiziShell::LeggiBloccoBlk8() { return ModMain::LeggiBloccoBlk8(); }
bool ServiziShell::LeggiErroriEcu() { return ModMain::LeggiErroriEcu(); }

// Archive page and fuel-type dialog: the switchover page's list is found by
// its name, so this layer needs nothing else of that page.
int32_t ServiziShell::FRM_ZEBCommutazione_IndiceConfSistema() {
    if (!IstanzaFRM_ZEBCommutazione) return -1;
    const auto* c = IstanzaFRM_ZEBCommutazione->findChild<QComboBox*>(QStringLiteral("CmbConfSistema"));
    return c ? c->currentIndex() : -1;
}

} // namespace MDIFrm

namespace MDIFrm {

// ---- Direct-injection acquisition wizard

void ServiziShell::FrmCompensa_CalcoloAutomaticoCmpPressBenz() {
    if (IstanzaFrmCompensa) IstanzaFrmCompensa->CalcoloAutomaticoCmpPressBenz();
}

void ServiziShell::FrmCompensa_AggiornaTabelledaVettori() {
    if (IstanzaFrmCompensa) IstanzaFrmCompensa->AggiornaTabelledaVettori();
}

std::string ServiziShell::FrmCompensa_TestoAssePressioneGas(int colonna) {
    auto* f = IstanzaFrmCompensa;
    if (!f || !f->Grd[2] || colonna < 0 || colonna >= f->Grd[2]->Cols()) return {};
    return f->Grd[2]->TextMatrix(0, colonna).toStdString();
}
void ServiziShell::EseguiTaratura() { MDIFrm::EseguiTaratura(); }
void ServiziShell::RipristinaDatiTaratura() { MDIFrm::RipristinaDatiTaratura(); }
void ServiziShell::TaraturaNonAvviata() { MDIFrm::TaraturaNonAvviata(); }

} // namespace MDIFrm
