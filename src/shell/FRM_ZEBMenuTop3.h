#pragma once
// The third top menu bar (acquisition wizard).
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBMenuTop3 : public QWidget {
public:
    explicit FRM_ZEBMenuTop3(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
};
