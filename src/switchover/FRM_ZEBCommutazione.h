#pragma once
// The switchover page: system configuration and the petrol-to-gas switchover strategy.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

class FRM_ZEBCommutazione : public QWidget {
public:
    explicit FRM_ZEBCommutazione(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaSelezioni();
    void RealTimeMonitor();
};
