#pragma once
// The home side menu with the ECU information panel.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>

#include <QtWidgets/QWidget>

class FRM_ZEBMenu : public QWidget {
public:
    explicit FRM_ZEBMenu(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void VisualizzaDatiCentralina(const std::string& rispostaBlocco0, const std::string& infoFirmware);
    void AggiornaIcone();
};
