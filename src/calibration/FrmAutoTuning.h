#pragma once
// The auto-calibration window.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmAutoTuning : public QWidget {
public:
    explicit FrmAutoTuning(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void PresettaLaFinestra();
    void VisualizzaDatiTune();
};
