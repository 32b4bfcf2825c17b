#pragma once
// The sensors page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QComboBox>
#include <QtWidgets/QWidget>

class FRM_ZEBSensori : public QWidget {
public:
    explicit FRM_ZEBSensori(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void CaricaSoglieLivello();
    void AggiornaSelezioni();
    void CaricaLivelliAttuale();

    QComboBox* CmbTipoSensMap = nullptr;
};
