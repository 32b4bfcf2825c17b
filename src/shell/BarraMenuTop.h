#pragma once
// What the three top menu bars share: a row of check buttons of which the
// clicked one stays selected and blinks, the page each button selects, the
// 100 ms blink timer, the first-key rule and the proportional relayout.
#include <cstdint>
#include <optional>
#include <vector>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"

class QTimer;
#include "controls/PulsanteGrafico.h"
#include "controls/AnteprimaTasti.h"
namespace Casa {
class FormaGrafica;
}

class BarraMenuTop : public QWidget, public FormaConTasti {
public:
    struct Bottone {
        int indice;
        double sinistra;
    };

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    virtual void CaricaLingua() = 0;
    // Marks the button as the bar's selected one and selects its page.
    void BUT_Menu_Click(int16_t Index);
    // One blink step.
    void TMR_Timer();
    // The captions' size: the one the relayout gave, made smaller by whole
    // points only as far as needed for every caption of the bar to fit its
    // button. Called after each relayout and each change of the captions.
    void AdattaCaratteri();

    // Elements by index; an index the bar lacks holds nullptr.
    std::vector<PulsanteGrafico*> BUT_Menu;
    std::vector<Casa::FormaGrafica*> SHP_Contorno; // one element
    QTimer* TMR = nullptr;
    int32_t ColoreLampeggio = 0;
    uint8_t PrimoTastoRicevuto = 0;
    int32_t LarghezzaPrecedente = 0;
    int32_t AltezzaPrecedente = 0;
    float FattoreFont = 1.0f;

protected:
    // `punti`: the buttons' bold Tahoma size; `selezionato`: the button that
    // starts selected (none: -1).
    BarraMenuTop(QWidget* contenitore, const QString& nome, const std::vector<Bottone>& bottoni, double alto,
                 double larghezza, double altezza, double punti, int selezionato);

    // Page of button i, read at the moment of the click.
    virtual std::optional<int32_t> SchedaBottone(int indice) const = 0;
    // Extra work of a blink tick after the buttons (the wizard lamps).
    virtual void DopoLampeggio() {}

    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

    ModMain::ListeLivelli ListeLivelli_;

private:
    bool caricata_ = false;
};
