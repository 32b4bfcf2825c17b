#pragma once
// The connection panel at the top left: the connection icon and the display
// level marks. The main window's display timer sets the icon and the marks.
// Only the members and controls the main window uses exist so far.
#include <vector>

#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

class FRM_ZEBConnected : public QWidget {
public:
    explicit FRM_ZEBConnected(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();

    // The icon shown.
    QLabel* IMG = nullptr;
    // Store of the icon pictures, never shown: 0-4 search animation, 5 link
    // lost or absent, 6 every other link state.
    std::vector<QLabel*> IMG_BUFFER;
    // Expert switch: element 0 shown while the expert level is off, 1 while on.
    std::vector<QLabel*> BUT_EXP;
    // Level marks: element 1 the second level, element 2 the third; element 0 does not exist.
    std::vector<QFrame*> SHP_LEV;
};
