#pragma once
// The direct-injection parameter page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

class FRM_ZEBinjDir : public QWidget {
public:
    explicit FRM_ZEBinjDir(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaSelezioni();
    void VisualizzaPunto(int32_t valore);
};
