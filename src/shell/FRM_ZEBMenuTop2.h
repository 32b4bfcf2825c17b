#pragma once
// The second top menu bar (home gauge page and logger).
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBMenuTop2 : public QWidget {
public:
    explicit FRM_ZEBMenuTop2(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
};
