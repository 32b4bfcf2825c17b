#pragma once
// Developer window: the 63 values of the live block as plain text under the
// ECU firmware's own labels, refreshed by the display timer while
// ExpertAperto is set; "STOP" freezes the text.
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

namespace ModMain {
// -1 while the raw variable view is open.
inline int16_t ExpertAperto = 0;
} // namespace ModMain

namespace ModExpert {
// The text of the view: 63 lines joined by CR LF; a value the block does not
// have reads "---".
std::string TestoValori(const std::vector<int32_t>& valori);
} // namespace ModExpert

class FrmExpert : public QWidget, public FormaConTasti {
public:
    explicit FrmExpert(QWidget* contenitore = nullptr);
    // The window's single instance, a tool window of the main window, made on first use.
    static FrmExpert* Istanza();

    void Form_Load();
    void AggiornaValori();
    void AggiornaLivelliVisualizzazione();

    QCheckBox* Check1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    ModMain::ListeLivelli liste_;
};
