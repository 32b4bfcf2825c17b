#pragma once
// The dashboard strip of the bottom band: seven cells of live values (state
// and rpm, injection times, temperatures, pressures, analogue inputs, lambda
// signals, the car's OBD trims, rail pressure and lambda), refreshed on every
// display tick, with a short tone when the state turns to petrol or gas.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QFrame;
class QLabel;
namespace Casa {
class FormaGrafica;
}

class FRM_ZEBDashBoard : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBDashBoard(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void VisulizzaBarraVariabili();

    int32_t LarghezzaPrecedente = 0;
    int32_t AltezzaPrecedente = 0;
    float FattoreFont = 1.0f;
    std::string TitoloTempoBenzina;
    std::string TestoStato2, TestoStato3, TestoStato4, TestoStato18, TestoStato19;

    Casa::FormaGrafica* SHP_Contorno = nullptr;
    std::vector<Casa::FormaGrafica*> SPCH;    // 0-5
    std::vector<Casa::FormaGrafica*> SHPC;    // 0
    std::vector<QFrame*> FRM;                 // 0-6
    std::vector<Casa::FormaGrafica*> SHP_LIN; // 0-6
    // Name and value labels of the top (H) and bottom (L) rows; 0-7, nullptr where none.
    std::vector<QLabel*> LABSXH, LABSXL, LABDXH, LABDXL;
    QLabel* LABDIDA = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    ModMain::ListeLivelli ListeLivelli_;
    bool caricata_ = false;
};
