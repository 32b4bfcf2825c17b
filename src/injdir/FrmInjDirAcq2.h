#pragma once
// Step 2 of the direct-injection acquisition wizard (page 52): the search of
// the rpm-signal threshold (block 15 value 87). The sensitivity list is
// written from the highest value down, one value per dwell, until the ECU
// reports an engine speed; a percentage of that list position is kept and
// written with progress bit 0x08. Driven by the display timer, one state per tick.
#include <cstdint>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "injdir/InjDirAcqRegole.h"
#include "switchover/CommutazioneRegole.h"
#include "controls/AnteprimaTasti.h"

class QLabel;
class QSlider;
class PulsanteGrafico;

class FrmInjDirAcq2 : public QWidget, public FormaConTasti {
public:
    explicit FrmInjDirAcq2(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaVisualizzazione();
    void AggiornaRealTime();
    void GestioneRichieste();
    void CaricaDatiWizard();

    void CMD_AcquisisciRPM_Click() { TagAcquisisci = true; }
    void CMD_ResetRPM_Click() { TagReset = true; }

    bool TagAcquisisci = false, TagReset = false;
    int32_t StatoRicercaSoglia = 0, IndiceSoglia = -1, SogliaSalvata = -1, RpmRilevati = -1;
    double ScadenzaAttesa = 0;
    InjDirAcqRegole::ImpostazioniSoglia Impostazioni;
    CommutazioneRegole::Sensibilita Soglie;
    bool VistaDaAggiornare = false;
    int32_t PosizioneSezione = 0;

    QLabel *LAB_RPM1, *LAB_RPM2, *LAB_RPMIstruzioni;
    PulsanteGrafico *CMD_AcquisisciRPM, *CMD_ResetRPM;
    QWidget* Shp_Semaforo_3;
    QSlider* SLD_AcquisisciRPM;
    ModZebPagina::FormaPagina* SHP_Contorno_2_RPM;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    int32_t UltimoIndice() const { return static_cast<int32_t>(Soglie.codici.size()) - 1; }
    void ScriviSoglia(int32_t valore, bool attesa);
    static int32_t SogliaPredefinita();

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
