#pragma once
// The firmware update page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <string>

#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>

class FrmFirmware : public QWidget {
public:
    explicit FrmFirmware(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    bool CaricaVersioneCentralina(const std::string& infoCentralina, const std::string& infoFile);

    // Position of "[Frm_Firmware]" among the entries of language 0.
    int16_t OffsetLingua = 0;
    QPushButton* CmdSelect = nullptr;
    QPushButton* CmdCancel = nullptr;
    QPushButton* CmdOk = nullptr;
    QPushButton* CmdUpdate = nullptr;
    QLabel* LblMsg = nullptr;
};
