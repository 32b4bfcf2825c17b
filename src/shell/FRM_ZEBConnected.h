#pragma once
// The connection panel at the top left, on screen with every page: the
// connection icon (click: drop the link, or connect again when offline), the
// port combo (the port to try first next time), the expert switch with the
// level marks, and the home button. It only raises flags and writes
// bin/PortCom.ini; the main window's display timer sets the icon and marks.
#include <vector>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class PulsanteGrafico;
class QComboBox;
class QFrame;
class QLabel;

class FRM_ZEBConnected : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBConnected(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void IMG_Click();
    void CMB_Seriali_Click();
    void BUT_EXP_Click(int Index);
    void BUT_HOME_Click();

    // The icon shown.
    QLabel* IMG = nullptr;
    // Store of the icon pictures, never shown: 0-4 search animation, 5 link
    // lost or absent, 6 every other link state.
    std::vector<QLabel*> IMG_BUFFER;
    // One item per port-list entry, in the list's order.
    QComboBox* CMB_Seriali = nullptr;
    // Expert switch: element 0 shown while the expert level is off, 1 while on.
    std::vector<QLabel*> BUT_EXP;
    // Level marks: element 1 the second level, element 2 the third; element 0 does not exist.
    std::vector<QFrame*> SHP_LEV;
    PulsanteGrafico* BUT_HOME = nullptr;
    std::vector<QFrame*> SHP_Contorno;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    ModMain::ListeLivelli liste_;
};
