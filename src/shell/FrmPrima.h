#pragma once
// The start-up splash: a borderless picture window that stays opaque, then
// fades out in its last 0.8 s while growing by one pixel each way per tick,
// and closes itself 4 s after loading, or at the next tick after Esc.
#include <cstdint>

#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>
#include "controls/AnteprimaTasti.h"

class FrmPrima : public QWidget, public FormaConTasti {
public:
    // `proprietario`: the window that owns the splash (it stays above it).
    explicit FrmPrima(QWidget* proprietario = nullptr);

    void Form_Load();
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    void Timer1_Timer();
    void AggiornaLivelliVisualizzazione();

    // Opacity for the microseconds left: 255 above 800,000, then linear to 0
    // (rounded, halves to even).
    static int32_t CalcolaLivelloAlfa(int32_t tempoResiduo);

    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    double IstanteFine = 0.0;   // clock reading (microseconds) at which the splash closes
    int32_t TempoResiduo = 0;   // microseconds left at the last tick
    int32_t LivelloAlfa = 255;  // opacity given at the last tick, 0-255

};
