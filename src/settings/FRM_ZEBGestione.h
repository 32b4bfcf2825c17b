#pragma once
// The management page (pages 44 and 22): high-rpm and low-rpm thresholds with
// their option groups, the advanced group, the injection-sequence state and
// four function lamps. Loads from MatSoglie and blocks 2, 3, 15, 16; every
// edit stages one change and posts one request. The rules live in
// GestioneRegole; this form places, loads and forwards.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QComboBox;
class QLabel;
class QLineEdit;
class PulsanteGrafico;

class FRM_ZEBGestione : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBGestione(QWidget* contenitore = nullptr);
    ~FRM_ZEBGestione() override;

    // The one instance (the sequence popup reads the group captions).
    inline static FRM_ZEBGestione* Istanza = nullptr;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaSelezioni();
    void AggiornaStatoEcu_FrmParam();

    // Edit handlers (the combos' user selection and the buttons).
    void cmbGiriFineQDL_Click();
    void cmbGiriDaQDL_Click();
    void cmbGiriMinimo_Click();
    void cmbGiriA_Click();
    void cmbTempoInjBenQDL_Click();
    void CmbTempoMortoBenz_Click();
    void cmbValoreContr_Click();
    void optionHigh_Click(int Index);
    void optionLow_Click(int Index);
    void CmbMonoFuel_Click();
    void CmbMinOn_Click();
    void CmbTempoMortoGas_Click();
    void cmb_maxduty_time_Click();
    void cmb_maxduty_isteresi_Click();
    void cmb_maxduty_enter_Click();
    void cmb_maxp_isteresi_rpm_Click();
    void cmb_maxp_isteresi_tinj_Click();
    void CmbNumIniettateRientro_Click();
    void cmbsogliauscitapress_Click();
    void cmbContrIDCicli_Click();
    void CMDAdvanced_Click();
    void CmdSeqInj_Click();

    // Public texts (CaricaLingua).
    std::string STR_ANTICIPATA;
    std::string STR_NORMALE;

    // State.
    bool InCaricamento = false;
    bool VerificaIsteresiPendente = false;
    std::vector<int32_t> ValoriContrIDCicli;
    int32_t PosizioneFrmParam = 0;
    float FattoreScala = 1.0f;

    // Combos.
    QComboBox *cmbGiriDaQDL, *cmbGiriFineQDL, *cmbTempoInjBenQDL, *cmbGiriDa, *cmbGiriFine, *cmbTempoInjBen;
    QComboBox *cmbValoreContr, *CmbTempoMortoBenz, *CmbTempoMortoGas, *CmbMinOn, *CmbMonoFuel;
    QComboBox *cmbGiriMinimo, *cmbGiriA, *CmbNumIniettateRientro, *cmbsogliauscitapress, *cmbContrIDCicli;
    QComboBox *cmb_maxduty_enter, *cmb_maxduty_time, *cmb_maxduty_isteresi, *cmb_maxp_isteresi_rpm,
        *cmb_maxp_isteresi_tinj;
    // Labels.
    QLabel *lblGiriDaFine, *lblGiriDaA, *lblGiriMinimo, *lblGiriA, *lblTempoInjBen, *LblTempoMortoBenz,
        *LblTempoMortoGas, *LblNumIniettateRientro, *LblMinOn, *LblMonoFuel, *lblValoreContr, *lblContrIDCicli,
        *lblsogliauscitapress, *lbl_maxduty_enter, *lbl_maxduty_time, *lbl_maxduty_isteresi, *lbl_maxp_isteresi_rpm,
        *lbl_maxp_isteresi_tinj;
    QLabel *FrmAltiRPM, *FrmBassiRPM, *LAB_ADVPAR, *LblStatoAnticipoVal;
    std::array<QLabel*, 3> laboptionHigh{}, laboptionLow{};
    QLineEdit* lblAnticipo;
    // Buttons.
    PulsanteGrafico *CmdSeqInj, *CMDAdvanced;
    std::array<PulsanteGrafico*, 3> optionHigh{}, optionLow{};
    // Lamps and decoration.
    std::array<ModZebPagina::FormaPagina*, 4> ImgMaxMinCon{};
    std::array<QLabel*, 4> LblMaxMinCon{};
    ModZebPagina::FormaPagina* SHP_Contorno;
    std::array<ModZebPagina::FormaPagina*, 7> SHP{};
    QWidget* FRM_ADV;

    // Lamp colours (&HBBGGRR).
    static constexpr int32_t ColoreAcceso = 0xFFFF80;  // (128, 255, 255)
    static constexpr int32_t ColoreSpento = 0x4F4F4F;  // (79, 79, 79)

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void CostruisciControlli();
    void LimitaIsteresiPotenzaTinj();
    void ModificaSoglia(int byte, std::optional<uint8_t> valore, bool armaVerifica);
    void ModificaBlocco(int blocco, int32_t valore, int32_t indice, int32_t maschera, int32_t richiesta);
    bool GuardieComuni() const;
    void CaricaOpzioni(std::array<PulsanteGrafico*, 3>& pulsanti, uint8_t bits, uint8_t nessuna, uint8_t op1,
                       uint8_t op2);

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
