#pragma once
// The changeover-switch view of the bottom band.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmCommutatore : public QWidget {
public:
    explicit FrmCommutatore(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void VisualizzaStatoCommutatore();
};
