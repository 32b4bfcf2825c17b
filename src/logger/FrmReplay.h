#pragma once
// Developer window: plays recorded ECU reply frames (ModReplay) back into the
// block table at the recorded pace, at a pace scaled by the slider, or as
// fast as possible, writing OBD rows to bin/LogReplay.txt. Nothing in the
// program opens it; whoever fills the two arrays shows it.
#include <fstream>

#include <QtCore/QTimer>
#include <QtWidgets/QSlider>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"

class PulsanteGrafico;

class FrmReplay : public QWidget {
public:
    explicit FrmReplay(QWidget* contenitore = nullptr);
    ~FrmReplay() override;

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CmdP_Click();
    void CmdS_Click();
    void CmdSpeed_Click();
    void Timer1_Timer();

    PulsanteGrafico* CmdP = nullptr;
    PulsanteGrafico* CmdS = nullptr;
    PulsanteGrafico* CmdSpeed = nullptr;
    QSlider* Slider1 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    // One pass: a yield, then the next frame when it is due, or the stop at the end.
    void PassoReplay();

    ModMain::ListeLivelli liste_;
    std::ofstream log_;
    bool inTick_ = false;
};
