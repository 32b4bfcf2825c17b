#pragma once
// Step 1 of the direct-injection acquisition wizard.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmInjDirAcq1 : public QWidget {
public:
    explicit FrmInjDirAcq1(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaVisualizzazione();
    void GestioneRichieste();
};
