#pragma once
// The changeover-switch view: a picture of the dashboard switch with its
// seven LEDs coloured from block 1 value 49 (steady, fast and slow blink),
// refreshed by the display timer on every page; a press on the picture
// changes over (engine running) or, with Shift, sets the switch option bit.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "switchover/CommutatoreRegole.h"
#include "controls/AnteprimaTasti.h"

class QLabel;
namespace ModZebPagina {
class FormaPagina;
}

// One LED: a filled circle whose outline takes its fill colour.
class LedCommutatore : public QWidget {
public:
    explicit LedCommutatore(QWidget* contenitore);
    int32_t Colore() const { return colore_; }
    // Repaints only when the colour changes.
    void Colore(int32_t bgr);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int32_t colore_ = 0x00FF00;
};

class FrmCommutatore : public QWidget, public FormaConTasti {
public:
    explicit FrmCommutatore(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void VisualizzaStatoCommutatore();
    // Loads the switch picture; a missing or unreadable file keeps the one shown.
    void CaricaImgCommutatore(const std::string& percorso);
    void ImgLogoS_MouseDown(int16_t Shift);
    void ImgLogoS_MouseUp();

    // Gives the keys back to the carburetion view of map page 0 after a press
    // on page 27; set by the main window.
    inline static std::function<void()> FuocoCarburazione0;

    CommutatoreRegole::FaseLampeggio Fase;
    bool Premuto = false; // the pressed look
    QLabel* ImgLogoS = nullptr;
    ModZebPagina::FormaPagina* ShpLevelS = nullptr;
    std::array<LedCommutatore*, CommutatoreRegole::NumeroLed> ShpLevAct{};

protected:
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    ModMain::ListeLivelli liste_;
};
