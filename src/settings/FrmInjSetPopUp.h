#pragma once
// The injector-settings popup, centred on the main window.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmInjSetPopUp : public QWidget {
public:
    explicit FrmInjSetPopUp(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaSelezioni(bool tutte);
    void AggiornaTempiInj();
    void RichiediAggiornamentoBlocco3();
};
