#pragma once
// The lambda page: lambda sensors and lambda emulation.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QFrame>
#include <QtWidgets/QWidget>

class FRM_ZEBLambda : public QWidget {
public:
    explicit FRM_ZEBLambda(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaSelezioni();
    void AggiornaVisualizzazioniLambda();

    std::vector<QFrame*> SHP;
};
