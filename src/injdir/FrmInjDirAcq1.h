#pragma once
// Step 1 of the direct-injection acquisition wizard (page 51): the ECU
// acquires the firing order, then the installer states whether the petrol
// injection is advanced (advance table all 90) or not (all 0). A click only
// marks its button; the display timer's GestioneRichieste turns the mark into
// staged edits and one request when the request slot is free.
#include <array>
#include <cstdint>
#include <string>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QLabel;
class PulsanteGrafico;

class FrmInjDirAcq1 : public QWidget, public FormaConTasti {
public:
    explicit FrmInjDirAcq1(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaVisualizzazione();
    void GestioneRichieste();

    void CMD_Acquisisci_Click() { TagAcquisisci = true; }
    void CMD_AnticipataoNo_Click(int Index);
    void CMD_ResetAnticipo_Click() { TagReset = true; }

    // The buttons' Tag "1": an action waiting for a free request slot.
    bool TagAcquisisci = false, TagReset = false;
    std::array<bool, 2> TagAnticipataoNo{};
    int32_t PosizioneSezione = 0, PosizioneSeqInj = 0;
    std::string UltimoEsito;
    bool InAggiornamento = false, VistaDaAggiornare = false;

    QLabel *LAB_Sequenza1, *LAB_Sequenza_Val, *LAB_Sequenza2, *LAB_AnticipoIstruzioni_1, *LAB_Esito_1;
    PulsanteGrafico *CMD_Acquisisci, *CMD_ResetAnticipo;
    std::array<PulsanteGrafico*, 2> CMD_AnticipataoNo{};
    std::array<ModZebPagina::FormaPagina*, 2> SHP_AnticipataoNo{};
    QWidget *Shp_Semaforo_1, *Shp_Semaforo_2;
    ModZebPagina::FormaPagina* SHP_Contorno_1;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void AggiornaEsito();

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
