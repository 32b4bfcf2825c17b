#pragma once
// The port-search panel of the bottom band, shown by the connect procedure
// while it looks for the ECU: a message line, a running bar and a stop button.
// It only raises the link-lost flag; it never talks to the companion.
#include <cstdint>
#include <vector>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class PulsanteGrafico;
class QFrame;
class QLabel;
class QProgressBar;
class QTimer;

class FRM_ZEBPortSearch : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBPortSearch(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void TMR_Timer();
    void BUT_STOP_Click();

    QLabel* LAB_MSG = nullptr;
    std::vector<QProgressBar*> PRG; // member 0 only
    QTimer* TMR = nullptr;          // 100 ms, running from creation
    PulsanteGrafico* BUT_STOP = nullptr;
    QFrame* SHP_ABB = nullptr;
    QFrame* SHP_Contorno = nullptr;
    QFrame* SHP_Evidenz = nullptr;

    // Size in twips seen at the last layout, and the last horizontal factor.
    int32_t LarghezzaRicordata = 0;
    int32_t AltezzaRicordata = 0;
    float FattoreScala = 1.0f;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    ModMain::ListeLivelli liste_;
    bool caricata_ = false;
};
