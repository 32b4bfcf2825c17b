#pragma once
// The home gauge page (page 0): injection-time bars of four cylinders, the
// engine speed, reducer temperature and gas pressure gauges, the OBD fuel
// system and trims of both banks, the correction lamps and the two lambda
// sliders. It only reads the block table; the display tick refreshes it.
#include <cstdint>
#include <vector>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QLabel;
class QProgressBar;
class PowerIndicatore;
class SlideIndicatore;
namespace Casa {
class FormaGrafica;
}

class FRM_ZEBMain : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBMain(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaScalaSonda();
    void VisualizzazioneBarreTempoInj();
    void AggiornaStatoEcu();
    void AggiornaParametriObd();
    void AggiornaCorrezioniVarie();

    // Outer size at the last layout (twips) and the font factor of the last resize.
    int32_t LarghezzaPrecedente = 0;
    int32_t AltezzaPrecedente = 0;
    float FattoreFont = 1.0f;
    // Dictionary index of entry +1 of "[Frm_MapObd]" / "[Frm_Generale]";
    // -1 while the marker has not been found (the texts then stay empty).
    int32_t InizioSezioneMapObd = -1;
    int32_t InizioSezioneGenerale = -1;

    Casa::FormaGrafica* SHP_Contorno = nullptr;
    std::vector<Casa::FormaGrafica*> SHP; // 0-10: panels and separators
    QLabel* LAB_Cil_Title = nullptr;
    std::vector<QLabel*> LAB_Cil, LAB_Cil_Ben, LAB_Cil_Gas; // 0-3
    std::vector<QProgressBar*> PRG_Ben, PRG_Gas;           // 0-3
    PowerIndicatore* PI_RPM = nullptr;
    PowerIndicatore* PI_TRID = nullptr;
    PowerIndicatore* PI_Press = nullptr;
    SlideIndicatore* SLD_Lambda1 = nullptr;
    SlideIndicatore* SLD_Lambda2 = nullptr;
    QLabel* LBL_OBDStatus = nullptr;
    QLabel* LBL_Main_B1 = nullptr;
    QLabel* LBL_Main_B2 = nullptr;
    QLabel* LBL_Fast_1 = nullptr;
    QLabel* LBL_Slow_1 = nullptr;
    QLabel* LBL_Fast_2 = nullptr;
    QLabel* LBL_Slow_2 = nullptr;
    QLabel* LBL_Main_B1_Val = nullptr;
    QLabel* LBL_Main_B2_Val = nullptr;
    QLabel* LBL_Fast_1_Val = nullptr;
    QLabel* LBL_Slow_1_Val = nullptr;
    QLabel* LBL_Fast_2_Val = nullptr;
    QLabel* LBL_Slow_2_Val = nullptr;
    QLabel* LBL_TitoloCorrezioni = nullptr;
    Casa::FormaGrafica *SHP_TWater = nullptr, *SHP_PGas = nullptr, *SHP_TGas = nullptr, *SHP_Extra = nullptr,
                       *SHP_SmagAcc = nullptr, *SHP_OBDAd = nullptr;
    Casa::FormaGrafica *SHP_MinBenz = nullptr, *SHP_MaxBenz = nullptr, *SHP_Contributo = nullptr,
                       *SHP_CutOffContrib = nullptr, *SHP_AccMinimo = nullptr;
    QLabel *LBL_CompensaAcqua = nullptr, *LBL_CompensaPress = nullptr, *LBL_CompensaGas = nullptr,
           *LBL_FiltroExtra = nullptr, *LBL_CompAccDec = nullptr, *LBL_AdattitivoOBD = nullptr;
    QLabel *LBL_MinimoBenz = nullptr, *LBL_MassimoBenz = nullptr, *LBL_ContributoBenz = nullptr,
           *LAB_CutOffContrib = nullptr, *LAB_AccMinimo = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void ImpostaIndicatori();

    ModMain::ListeLivelli ListeLivelli_;
    bool caricata_ = false;
};
