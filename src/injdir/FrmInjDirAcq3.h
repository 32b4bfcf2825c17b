#pragma once
// Step 3 of the direct-injection acquisition wizard (page 53): samples the
// petrol rail pressure (OBD), the petrol-pressure sensor volts, the injection
// time, the manifold pressure and the rpm; the operator stores the averages
// in the row of the operating region (one of four); "calculate" turns the rows
// into the petrol-pressure compensation (table 3), sets progress bit 0x10 and
// rebuilds the injection-time axis; "reset" reloads the default table and axes.
#include <array>
#include <cstdint>
#include <vector>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "injdir/InjDirAcqRegole.h"
#include "injdir/ModInjDirCalc.h"
#include "controls/AnteprimaTasti.h"

class QLabel;
class QLineEdit;
class PulsanteGrafico;

class FrmInjDirAcq3 : public QWidget, public FormaConTasti {
public:
    explicit FrmInjDirAcq3(QWidget* contenitore = nullptr);
    ~FrmInjDirAcq3() override;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaVisualizzazione();
    void AggiornaRealTime();
    void GestioneRichieste();
    void CaricaDatiWizard();
    bool CalcoloTinjAuto();
    bool CalcolaAssi();
    // The rows with a pressure, in grid order, read as numbers.
    std::vector<ModInjDirCalc::PuntoAcquisito> PuntiAcquisiti() const;

    void CMD_AcqBenz_Man_Calcola_Click() { TagCalcola = true; }
    void CMD_AcqBenz_Spazio_Click() { TagSpazio = true; }
    void CMD_ResetPresBen_Click() { TagReset = true; }

    // The step form the compensation calculation reads.
    inline static FrmInjDirAcq3* Istanza = nullptr;

    bool TagCalcola = false, TagSpazio = false, TagReset = false;
    double ProssimoCampione = 0;
    InjDirAcqRegole::ImpostazioniAcquisizione Impostazioni;
    InjDirAcqRegole::Campioni Buffer;
    double MediaPressBenz = 0, MediaTensione = 0, MediaTinj = 0, MediaMap = 0, MediaRpm = 0;
    int32_t RigaCorrente = -1;
    bool ScritturaBitPendente = false, CalcoloAssiPendente = false, VistaDaAggiornare = false;
    int32_t ValoreBitCompensazione = 0;
    int32_t OffsetWizard = 0;

    std::array<QLineEdit*, 4> GRD_AcqBenz_EditableVolts{}, GRD_AcqBenz_EditableBar{}, GRD_AcqBenz_EditableTinj{};
    std::array<QLineEdit*, 3> GRD_AcqBenz_Monitor{};
    std::array<QLabel*, 7> GRD_AcqBenz_Fix{};
    QLabel *IMG_Arrow, *LAB_AcqBenz1, *LAB_AcqBenz_Auto_Istruzioni;
    QWidget* Shp_Semaforo_4;
    ModZebPagina::FormaPagina* SHP_Contorno_AcqBen_3;
    PulsanteGrafico *CMD_AcqBenz_Spazio, *CMD_AcqBenz_Man_Calcola, *CMD_ResetPresBen;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void showEvent(QShowEvent* e) override;

private:
    void Campiona();
    void SvuotaGriglia();

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
