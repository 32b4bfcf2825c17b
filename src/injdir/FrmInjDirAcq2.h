#pragma once
// Step 2 of the direct-injection acquisition wizard.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmInjDirAcq2 : public QWidget {
public:
    explicit FrmInjDirAcq2(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaVisualizzazione();
    void AggiornaRealTime();
    void GestioneRichieste();
};
