#pragma once
// The language strip of the home page: one two-state button per dictionary
// language (at most five; with more languages the first five are shown). A
// press switches the language and makes every page reload its texts.
#include <cstdint>
#include <vector>

#include <QtCore/QRectF>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class PulsanteGrafico;
class QFrame;

class FRM_ZEBLanguage : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBLanguage(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void BUT_Lang_Click(int Index);

    // Exactly five buttons, elements 0 to 4.
    std::vector<PulsanteGrafico*> BUT_Lang;
    std::vector<QFrame*> SHP_Contorno;

    // Set while CaricaLingua presses the current language's button.
    bool Caricamento = false;
    // Width and height in twips seen at load and after each resize.
    int32_t LarghezzaRicordata = 0;
    int32_t AltezzaRicordata = 0;
    uint8_t PrimoTasto = 0;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    ModMain::ListeLivelli liste_;
    bool caricata_ = false;
};
