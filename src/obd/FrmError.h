#pragma once
// The ECU errors page with the service counters.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QComboBox>
#include <QtWidgets/QWidget>

class FrmError : public QWidget {
public:
    explicit FrmError(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaAbilitazioni();
    void AggiornaVisualizzazioni(bool tutto);
    void VisualizzaErrori();
    void RichiediAggiornamentoErrori();

    QComboBox* CmbService = nullptr;
    QComboBox* CmbServiceLOW = nullptr;
};
