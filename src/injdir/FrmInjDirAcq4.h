#pragma once
// Step 4 of the direct-injection acquisition wizard (page 54): averages the
// live gas pressure over the last 21 display ticks while the engine runs on
// gas; acquiring takes the average as the centre of the gas-pressure
// compensation curve (block 9), writes it and sets progress bit 0x20. The
// expert boxes show the record, and ">>>" writes the table from them.
#include <array>
#include <cstdint>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "injdir/InjDirAcqRegole.h"
#include "controls/AnteprimaTasti.h"

class QLabel;
class QLineEdit;
class PulsanteGrafico;

class FrmInjDirAcq4 : public QWidget, public FormaConTasti {
public:
    explicit FrmInjDirAcq4(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaVisualizzazione();
    void AggiornaRealTime();
    void GestioneRichieste();
    void CaricaDatiWizard();
    // Block 9 from the expert boxes and its write frame; false (a beep, block 9
    // and the stored record unchanged) when a box is no whole number or the
    // record gives no curve.
    bool RicalcolaPressioneTotale();

    void CMD_AcquisisciGAZZ_Click() { TagAcquisisci = true; }
    void CMD_Downloader_Click() { TagDownloader = true; }
    void CMD_ResetGAZZ_Click() { TagReset = true; }

    bool TagAcquisisci = false, TagDownloader = false, TagReset = false;
    InjDirAcqRegole::ParametriPressioneGas ParametriPressioneGpl = InjDirAcqRegole::PredefinitiGpl;
    InjDirAcqRegole::ParametriPressioneGas ParametriPressioneCng = InjDirAcqRegole::PredefinitiCng;
    int32_t PressioneMassimaCentro = 2750, PressioneMinimaCentro = 0;
    std::array<int32_t, 21> CampioniPressione{};
    int32_t IndiceCampione = 0;
    bool ScritturaBitPendente = false, VistaDaAggiornare = false;
    int32_t ValoreBitPressione = 0;
    int32_t PosizioneSezione = 0;

    QLabel *LAB_GAZZ1, *LAB_GAZZ2, *LAB_PressGazzIstruzioni;
    PulsanteGrafico *CMD_AcquisisciGAZZ, *CMD_ResetGAZZ, *CMD_Downloader;
    QWidget* Shp_Semaforo_5;
    std::array<QLineEdit*, 6> TextAux{};
    std::array<QLabel*, 6> LabAux{};
    ModZebPagina::FormaPagina *SHP_Contain1, *SHP_Contorno;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    InjDirAcqRegole::ParametriPressioneGas& RecordCorrente();
    void CampionaPressioneGas();
    void AzzeraCampioniPressione();
    QString TestoCentro(int32_t pos) const;

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
