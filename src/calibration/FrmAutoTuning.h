#pragma once
// The auto-calibration window (page 5): Start, OK and Cancel, the step and
// its progress, the prompt, a blinking lamp, the sampled petrol and gas times,
// the injector correction on a centre-zero slide and three live gauges. The
// window never talks to the ECU: Start raises AvvioTaratura and the runner
// (MDIFrmTaratura, inside the link timer) drives the window through
// ModTaratura::VistaTaratura, which this form implements.
#include <cstdint>
#include <string>

#include <QtWidgets/QWidget>

#include "calibration/ModTaratura.h"
#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class PowerIndicatore;
class PulsanteGrafico;
class QComboBox;
class QLabel;
class QProgressBar;
class SlideIndicatore;

class FrmAutoTuning : public QWidget, public ModTaratura::VistaTaratura, public FormaConTasti {
public:
    explicit FrmAutoTuning(QWidget* contenitore = nullptr);
    ~FrmAutoTuning() override;

    // Page-form protocol.
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void PresettaLaFinestra();
    void VisualizzaDatiTune();

    // Events.
    void CmdCalStart_Click();
    void CmdCalCancel_Click();
    void CmdCalOk_Click();

    // What the runner and the steps drive.
    int16_t OffsetLinguaTune() override { return OffsetLinguaTune_; }
    void LblCalStep(const std::string& testo) override;
    void LblCalMsg(const std::string& testo) override;
    bool LblCalMsgVisibile() override;
    void LblCalMsgVisibile(bool visibile) override;
    void PRG_Avanzamento(float valore) override;
    float PRG_AvanzamentoMin() override;
    void FrmStatoTara(bool visibile) override;
    void SLD_Ugelli(float valore, const std::string& testo) override;
    float SLD_UgelliValore() override;
    void SLD_UgelliVisibile(bool visibile) override;
    void CmbTipoInjAbilitato(bool abilitato) override;
    int32_t CmbTipoInjIndice() override;
    void CmdCalStartAbilitato(bool abilitato) override;
    void CmdCalOkAbilitato(bool abilitato) override;
    void CmdCalCancelAbilitato(bool abilitato) override;
    std::string CmdCalStartCaption() override;
    std::string CmdCalOkCaption() override;
    void LampeggioInTaratura(bool spento) override;
    void VisualizzaTempiCampionamentoBenzina(int32_t us, bool attivo) override;
    void VisualizzaTempiCampionamentoGas(int32_t us, bool attivo) override;

    // Controls, named as the calibration names them.
    QWidget *FrmCalStatus, *FrmStatoTara_;
    QProgressBar *ShpTaraTbenz, *ShpTaraTgas, *PRG_Avanzamento_;
    QLabel *LblTaraTbenz, *LblTaraTGas, *LBL_Iniettore, *LAB_STATUS, *LblCalStep_, *LblCalMsg_;
    QComboBox* CmbTipoInj;
    PulsanteGrafico *CmdCalStart, *CmdCalOk, *CmdCalCancel;
    QWidget* ShpLampa;
    SlideIndicatore* SLD_Ugelli_;
    PowerIndicatore *PI_RPM, *PI_TRID, *PI_Press;

    std::string TestoTBenz, TestoTGas;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    int16_t OffsetLinguaTune_ = 0;
    double ProssimoLampeggio = 0;
    bool caricata_ = false;
    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
};
