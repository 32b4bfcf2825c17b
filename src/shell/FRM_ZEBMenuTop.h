#pragma once
// The first top menu bar: eight buttons whose captions page switching writes.
// Only the members and controls the main window uses exist so far.
#include <cstdint>
#include <vector>

#include <QtWidgets/QWidget>

#include "controls/PulsanteGrafico.h"

class FRM_ZEBMenuTop : public QWidget {
public:
    explicit FRM_ZEBMenuTop(QWidget* contenitore = nullptr);

    // Dictionary position of the first button's caption.
    int32_t PosLingua = 0;

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();

    std::vector<PulsanteGrafico*> BUT_Menu;
};
