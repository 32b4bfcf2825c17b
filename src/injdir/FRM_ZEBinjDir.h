#pragma once
// The direct-injection page (page 46): the gas-strategy settings of block 16,
// the lambda OBD parameter of block 12 and the per-rpm advance table (block 12
// values 60 to 83) with its live marker. Every pick stages one block word and
// posts one request; the rules live in InjDirRegole.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QComboBox;
class QLabel;
class QLineEdit;
class GrigliaDati;
class PulsanteGrafico;

class FRM_ZEBinjDir : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBinjDir(QWidget* contenitore = nullptr);
    ~FRM_ZEBinjDir() override;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaSelezioni();
    // Display timer, page 46: the live marker over the advance table.
    void VisualizzaPunto(int32_t valore);

    // Edit handlers.
    void CmbSogliaTrigger_Click();
    void cmbCntrbEnabler_Click();
    void cmbgasbenzina_Click();
    void CMBAbilOutCutOff_Click();
    void CMBAbilDeltaPAccMin_Click();
    void CMBdisHalfPer_Click();
    void CMBdisSimInjB_Click();
    void cmbContrIDMAP_H_Click();
    void cmbContrIDMAP_L_Click();
    void cmbContrIDThrTime_Click();
    void cmbContrIDThrPress_Click();
    void cmbContrIDContributo_Click();
    void CmbSogliaRPMAccMin_Click();
    void cmbContrIDThrIST_Click();
    void cmbContrIDTimeShift_Click();
    void cmbGradiAnticipo_Click();
    void CMBContrOutCutOff_Click();
    void CMBNumOutCutOff_Click();
    void CMBDeltaTAccMin_Click();
    void CMBDeltaPAccMin_Click();
    void CMBCntrDeltaPAccMin_Click();
    void CMBCicliDeltaPAccMin_Click();
    void CMB_max_OutGas_Click();
    void CMB_AbilEmuFuelP_Click();
    void CMB_max_AcqFuelPres_Click();
    void CMB_ritATT_EmuFuelP_Click();
    void cmbPIDLambda_Click();
    void cmdContrIDCounter_Click();
    void CmdAutoTaratura_Click();

    // Advance-table grid.
    void GrdQDL_KeyDown(int16_t KeyCode, int16_t Shift);
    void GrdQDL_KeyUp(int16_t KeyCode, int16_t Shift);
    void GrdQDL_DblClick();
    void EvidenziaCella();
    void RipristinaCella();
    // Ends a held-key repeat (key release, focus lost, page hidden).
    void FermaRipetizione() { TastoPremuto = false; }

    bool InCaricamento = false;
    bool TastoPremuto = false;
    int32_t ValoreContributoSpeciale = -1;
    std::string TestoConfermaGriglia;
    float FattoreFont = 1.0f;

    // Page level.
    QLabel* TXTdisSimInjB;
    QComboBox* CMBdisSimInjB;
    ModZebPagina::FormaPagina* SHP_Contorno;
    // Frame FRM_INJ.
    QWidget* FRM_INJ;
    QComboBox *CMBdisHalfPer, *CMB_max_OutGas, *CMB_ritATT_EmuFuelP, *CMB_max_AcqFuelPres, *CMB_AbilEmuFuelP,
        *cmbContrIDContributo, *CMBContrOutCutOff, *CMBNumOutCutOff, *CMBAbilOutCutOff, *cmbPIDLambda,
        *cmbContrIDTimeShift, *CmbSogliaRPMAccMin, *CMBCntrDeltaPAccMin, *CMBCicliDeltaPAccMin, *CMBAbilDeltaPAccMin,
        *CMBDeltaTAccMin, *CMBDeltaPAccMin;
    QLabel *TXTdisHalfPer, *TXT_TabellaAnticipo, *lblContrIDTimeShift, *TXTContrOutCutOff, *TXTNumOutCutOff,
        *TXTAbilOutCutOff, *LAB_max_OutGas, *LAB_ritATT_EmuFuelP, *LAB_max_AcqFuelPres, *LAB_AbilEmuFuelP,
        *lblContrIDContributo, *lblPIDLambda, *LBLSogliaRPMAccMin, *LBLCntrDeltaPAccMin, *LBLCicliDeltaPAccMin,
        *LBLAbilDeltaPAccMin, *LBLDeltaTAccMin, *LBLDeltaPAccMin;
    PulsanteGrafico* Indicatore;
    GrigliaDati* GrdQDL;
    // Opens the automatic calibration window (page 5).
    PulsanteGrafico* CmdAutoTaratura;
    // Frame FRM_ADV (display level "AUT").
    QWidget* FRM_ADV;
    QComboBox *cmbLetturaLambda, *cmbUM, *cmbGradiAnticipo, *CmbSogliaTrigger, *cmbCntrbEnabler, *cmbContrIDMAP_H,
        *cmbContrIDMAP_L, *cmbContrIDThrTime, *cmbContrIDThrPress, *cmbContrIDThrIST, *cmbgasbenzina;
    PulsanteGrafico* cmdContrIDCounter;
    QLabel *txtLetturaLambda, *txtLetturaPress, *lblLetturaLambda, *lblLetturaPress, *lblGradiAnticipo,
        *lblContrIDCounter, *txtContrIDCounter, *LblInjDir, *LblSogliaTrigger, *lblContrIDMAP_H, *lblContrIDMAP_L,
        *lblContrIDThrTime, *lblContrIDThrPress, *lblContrIDThrIST, *lblgasbenzina, *lblCntrbEnabler;
    QLabel* ImgInjDir;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CostruisciControlli();
    void CaricaComboTesto(const std::string& lista, QComboBox* combo);
    void CaricaComboMillesimi(const std::string& lista, QComboBox* combo);
    bool Guardie() const;
    // One block-16 (or block-12) entry and its request; nothing posted for a
    // value that could not be read (the page is put back instead).
    void Modifica(int32_t blocco, std::optional<int32_t> valore, int32_t indice, int32_t maschera);
    void MostraTabella();
    void ScriviTabella();
    void DisponiGriglia();

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
