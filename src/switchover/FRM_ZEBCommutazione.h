#pragma once
// The switchover page (page 25, and with the injector popup page 3): the
// installation (cylinders, coils, rpm signal, injector type, fuel) and the
// petrol-to-gas switchover (rpm, temperature, direction, hysteresis, overlap,
// delays), the option bits, the temperature-sensor table, the rpm-signal
// sensitivity, the spark threshold and the bad-bit limit. Every edit stages
// its block words and posts one request; the rules live in CommutazioneRegole.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "switchover/CommutazioneRegole.h"
#include "controls/AnteprimaTasti.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class GrigliaDati;
class PulsanteGrafico;

class FRM_ZEBCommutazione : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBCommutazione(QWidget* contenitore = nullptr);
    ~FRM_ZEBCommutazione() override;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void PredisponiSensibilita();
    void AggiornaSelezioni();
    // Display timer, page 25: the deferred slider and table writes.
    void RealTimeMonitor();

    // Edit handlers.
    void CmbSwtchRpm_Click();
    void CmbNumBobine_Click();
    void CmbFattorex1x2_Click();
    void cmb_spark_Click();
    void CmbFiloRpm_Click();
    void cmbstartstop_Click();
    void CmbSwtchTemp_Click();
    void CmbTipoInj_Click();
    void CmbNumCilindri_Click();
    void CmbConfSistema_Click();
    void CmbTipoAlim_Click();
    void CMB_cont_cicliRPM_Click();
    void CmbConfSistemaId_Click();
    void CmbSogliaTensRpm_Click();
    void CmbswitchDir_Click();
    void CmbServizi_Click();
    void CmbEmergenza_Click();
    void CmbSwtchIsteresi_Click();
    void CmbSwitchSovrap_Click();
    void CmbTempoSeqInj_Click();
    void CmbSwtchForce_Click();
    void CmbTempoAutoCalda_Click();
    void Check2_Click(int Index);
    void Check3_Click(int Index);
    void Check4_Click(int Index);
    void CmdSwtchRitardo_Click();
    void CMD_Close_Click();
    void CmdTipoInj_Click();

    // Spark text box.
    void TEXT_SPARK_Change();
    void TEXT_SPARK_GotFocus();
    void TEXT_SPARK_KeyUp(int16_t KeyCode);
    void TEXT_SPARK_LostFocus();
    // Bad-bit slider.
    void SldBadBit_Change();
    void SldBadBit_Rilascio();

    // Temperature-sensor grid.
    void GrdTemp_KeyDown(int16_t KeyCode, int16_t Shift);
    void GrdTemp_KeyUp(int16_t KeyCode, int16_t Shift);
    void EvidenziaCellaTemp();
    void RipristinaCellaTemp();
    // Moves the temperatures of the block so that the point chosen in
    // CmbTempZero lies at `temperatura`.
    void TraslaTabellaTemperature(int32_t temperatura, BloccoParametri& blocco);
    // Ends a held-key loop (key release, focus lost, window deactivated).
    void FermaRipetizione() { TastoInRipetizione = false; }

    bool InCaricamento = false;
    bool TastoInRipetizione = false;
    // The slider was let go and its value is not written yet.
    bool SldBadBitInSospeso = false;
    // Table cells changed by the user and not yet posted: value index -> value.
    std::map<int32_t, int32_t> TabellaInSospeso;
    std::string TestoAvvisoStartStop;
    std::string TestoSparkIngresso, TestoSparkValido;
    CommutazioneRegole::Sensibilita Soglie;
    float FattoreFont = 1.0f;
    inline static int32_t TastoXPremuto = 0;

    // Lists with their labels.
    QComboBox *CmbFiloRpm, *CmbNumBobine, *CmbFattorex1x2, *CmbNumCilindri, *CmbSwtchRpm, *CmbSwtchIsteresi,
        *CmbswitchDir, *CmbSwtchTemp, *CmbSwitchSovrap, *CmbTempoSeqInj, *CmbSwtchForce, *CmbTempoAutoCalda,
        *CMB_cont_cicliRPM, *CmbSogliaTensRpm, *cmb_spark, *cmbstartstop, *CmbServizi, *CmbEmergenza, *CmbTipoInj,
        *CmbTipoAlim, *CmbConfSistema;
    QLabel *lblFiloRpm, *lblNumBobine, *LblFattorex1x2, *lblNumCilindri, *lblSwtchRpm, *lblIsteresi, *LblDirSwtich,
        *LblSwtchTemp, *LblSwitchSovra, *LBLTempoSeqInj, *LBLSwtchForce, *LblTempoAutoCalda, *LAB_cont_cicliRPM,
        *lblSogliaTensRpm, *lab_spark, *lblstartstop, *LblServizi, *LblEmergenza, *lblTipoInj, *LblConfSistema;
    QLabel *lblAnticipo, *LblStatoAnticipoVal, *TxtTipoAlim, *LblSens;
    QLineEdit *LblTipoAlim, *TEXT_SPARK, *LblBadBit_Val;
    QSlider* SldBadBit;
    PulsanteGrafico *CmdTipoInj, *CmdSwtchRitardo, *CMD_Close;
    // Temperature-sensor panel.
    QGroupBox* FrmRitardoCommutazione;
    GrigliaDati* GrdTemp;
    QComboBox* CmbTempZero;
    // Hidden option panel.
    QGroupBox* Frame1;
    std::array<QCheckBox*, 8> Check2{}, Check3{}, Check4{};
    QComboBox* CmbConfSistemaId;
    QLabel* Label1;
    ModZebPagina::FormaPagina *SHP_Contorno, *SHP_Comm_0, *SHP_Comm_1, *SHP_Comm_3, *SHP_Comm_4;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CostruisciControlli();
    bool Guardie() const;
    void Posta3(ListaModifiche lista, int32_t codice);
    CommutazioneRegole::Parole3 Parole() const;
    std::optional<int32_t> VoceScelta(const QComboBox* c) const;
    void RipristinaFiloRpm();
    void RegolaCella(int16_t KeyCode, int16_t Shift);
    void ScriviTabella();
    void PostaTabella();
    void MostraTabella();
    void DisponiGriglia();
    void CompattaRighe();

    // A row of a panel: its design top (twips), the labels whose visibility
    // shows it, and every control of the row with its design place.
    struct RigaPannello {
        double alto;
        std::vector<QWidget*> etichette;
        std::vector<std::pair<QWidget*, QRectF>> controlli;
    };
    std::vector<RigaPannello> righeSinistra_, righeDestra_;

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
