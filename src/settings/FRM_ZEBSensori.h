#pragma once
// The sensors page (page 26): level, gas temperature and pressure sensor
// types, turbo, and one detail panel at a time: the level-sensor calibration
// (four ordered thresholds, live band and reserve lamps), the minimum gas
// temperature, the end-of-gas detection. Every edit stages block 3 or block 15
// and posts one request; the rules live in SensoriRegole.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QComboBox>
#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class PulsanteGrafico;

class FRM_ZEBSensori : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBSensori(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void CaricaSoglieLivello();
    void AggiornaSelezioni();
    void CaricaLivelliAttuale();

    // Edit handlers.
    void CmbTurbo_Click();
    void CmbFineGas_Click();
    void CmbSwtchBar_Click();
    void CmbSwtchDelayPress_Click();
    void CmbTipoSensTemp_Click();
    void CmbTipoSensTempLOW_Click();
    void CmbTipoSensMap_Click();
    void CmbMinTempGas_Click();
    void CmbDeltaMinTempGas_Click();
    void CmbTipoLev_Click();
    void HScrLevel_Change(int Index);
    void CmdMassimo_Click();
    void CmdMinimo_Click();
    void CmdLevDef_Click();
    // The section button's Value has already flipped (toggle button).
    void CMD_SENSORI_Click(int Index);

    bool AggiornamentoInCorso = false;
    bool SoglieInAggiornamento = false;
    std::string TitoloLivello, TitoloTemperatura, TitoloPressione;
    std::string TestoTastoMassimo, TestoTastoMinimo;
    float FattoreScala = 1.0f;

    // Left column.
    QLineEdit* LblTipoLev;
    QLabel *LBLTipoSensTemp, *LBLTipoSensTempLOW, *LblTipoSensMap, *LblTurbo;
    QComboBox *CmbTipoLev, *CmbTipoSensTemp, *CmbTipoSensTempLOW, *CmbTipoSensMap = nullptr, *CmbTurbo;
    std::array<PulsanteGrafico*, 3> CMD_SENSORI{};
    // Detail panels.
    QLabel* LblTitolo;
    QGroupBox *FrmLevel, *FrmTemp, *FrmPress;
    QLabel *LblMinTempGas, *LblDeltaMinTempGas, *LblFineGas, *LblSwtchBar, *LblSwtchDelayPress;
    QComboBox *CmbMinTempGas, *CmbDeltaMinTempGas, *CmbFineGas, *CmbSwtchBar, *CmbSwtchDelayPress;
    std::array<QScrollBar*, 4> HScrLevel{};
    std::array<QLabel*, 4> LblLevel{}, LblLevelVal{};
    ModZebPagina::FormaPagina* ShpRiserva;
    QLabel *LblValFisLevel, *LblValFisLevelNoFil, *LblSensValFiltrato, *LblSensValNoFiltrato;
    PulsanteGrafico *CmdMassimo, *CmdMinimo, *CmdLevDef;
    ModZebPagina::FormaPagina* SHP_Contorno;
    std::array<ModZebPagina::FormaPagina*, 2> SHP{};

    // Colours (&HBBGGRR).
    static constexpr int32_t LampadaAccesa = 0x00FF00;
    static constexpr int32_t LampadaSpenta = 0xC0C0C0;
    static constexpr int32_t RiservaAccesa = 0x0000FF;
    static constexpr int32_t RiservaSpenta = 0x000040;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void CostruisciControlli();
    bool Guardie() const;
    void PostaBlocco3(ListaModifiche lista);
    void MostraSogliaRiga(int riga, int32_t valore);
    // Definition index of the stored level type, -1 when unknown.
    int32_t TipoLivello() const;

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
