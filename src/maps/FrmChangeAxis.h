#pragma once
// The map axis editor: the rpm and injection-time breakpoints of the three map
// pages as a point grid and twelve preset lists per axis, with autoscale, the
// default axes and the spacing check. It works on copies of the working axes
// and index vectors: OK stores them and posts the axis write, Cancel and the
// close box leave everything as it was at opening.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <QtWidgets/QDialog>

#include "controls/GrigliaDati.h"
#include "core/ModMainSchermo.h"
#include "link/ModBlckVettori.h"

class QComboBox;
class QLabel;
class QPushButton;

class FrmChangeAxis : public QDialog {
public:
    explicit FrmChangeAxis(QWidget* proprietario = nullptr);

    void Form_Load();
    void PredisponiPuntatori();
    void InizializzaGrafica();
    void RiempiLeCombo();
    void CaricaLingua();
    void InizializzaDati();
    void CaricaComboAssi();
    void SpianaAssi();
    void AdattaScala(int32_t conta, int32_t colonna);

    void CmbRPM_Click(int Index);
    void CmbTINJ_Click(int Index);
    void CmdOk_Click();
    void CmdDefault_Click();
    void CmdAnnulla_Click();
    void CmdAutoscaleX_Click();
    void CmdAutoscaleY_Click();
    void MSFGAssi_EnterCell();
    void MSFGAssi_KeyPress(int16_t KeyAscii);
    void MSFGAssi_KeyUp(int16_t KeyCode, int16_t Shift);
    void MSFGAssi_LeaveCell();

    int16_t PrimaVoce = 0;
    bool InCaricamento = false;
    // The dialog's own copies; the program's values change only on OK.
    std::array<uint8_t, 24> AsseRpm{};
    std::array<uint8_t, 23> AsseTinj{};
    ModBlck::VettoreGiri VettRpm{};
    ModBlck::VettoreTempi VettTinj{};

    GrigliaDati* MSFGAssi = nullptr;
    std::vector<QComboBox*> CmbRPM;
    std::vector<QComboBox*> CmbTINJ;
    QLabel* Lblrpm = nullptr;
    QLabel* lbltnj = nullptr;
    QPushButton* CmdOk = nullptr;
    QPushButton* CmdDefault = nullptr;
    QPushButton* CmdAnnulla = nullptr;
    QPushButton* CmdAutoscaleX = nullptr;
    QPushButton* CmdAutoscaleY = nullptr;

protected:
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    bool ControllaAssi();
    void CaricaGrigliaInAssi();
    void NormalizzaCella(int32_t r, int32_t c);
    bool staLasciando_ = false;
};

namespace ModMapEditor {

// Opens the axis editor modally; tests replace how it runs.
void ApriEditorAssi();
inline std::function<void(FrmChangeAxis&)> EseguiEditorAssi;

} // namespace ModMapEditor
