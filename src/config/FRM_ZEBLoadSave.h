#pragma once
// The archive page: load, save and restore configuration files. So far it
// holds the members the main window calls and the hidden export of the
// parameter blocks (Ctrl+Shift+Alt+X shows the button).
#include <cstdint>

#include <QtWidgets/QWidget>

class QPushButton;

class FRM_ZEBLoadSave : public QWidget {
public:
    explicit FRM_ZEBLoadSave(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();

    QPushButton* CmdExport = nullptr;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift);
    void CmdExport_Click();

protected:
    void keyReleaseEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};
