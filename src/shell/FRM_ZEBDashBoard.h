#pragma once
// The live-value strip of the bottom band.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBDashBoard : public QWidget {
public:
    explicit FRM_ZEBDashBoard(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void VisulizzaBarraVariabili();
};
