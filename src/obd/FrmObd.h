#pragma once
// The OBD page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

class FrmObd : public QWidget {
public:
    explicit FrmObd(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AzzeraRiferimenti();
    void AggiornaVisualizzazioni();
    void AggiornaSelezioniObd();
    void AggiornaVisualizzazioneNew();
    void AggiornaVisualizzazione();
    void AggiornaParametriObd();
    void Form_Resize();
};
