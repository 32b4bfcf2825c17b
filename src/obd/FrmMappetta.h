#pragma once
// The OBD correction-map window: a separate window, not a page, refreshed by
// the display timer while it is open. It shows the ECU's OBD correction table
// (15 load rows by 8 rpm columns) with the live cell, the adaptation threshold
// bars, the car's fuel-system status and trims, and edits the per-row values
// and the correction agent of block 14. Its file commands (open, save, reset)
// run on its own 250 ms timer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QtCore/QTimer>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "engine/ModMainConnessione.h" // UnitaRpm
#include "controls/AnteprimaTasti.h"

class GrigliaDati;

namespace ModMain {

// 1 while the OBD correction-map window is open.
inline uint8_t MappettaAperta = 0;

} // namespace ModMain

class FrmMappetta : public QWidget, public FormaConTasti {
public:
    explicit FrmMappetta(QWidget* contenitore = nullptr);

    // The window's single instance, created on first use.
    static FrmMappetta* Istanza();

    void Form_Load();
    void Form_Unload();
    void Form_Activate();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornamentoMappetta();
    void AggiornaVariabiliMappettaSatellite();
    void AggiornaParametriObdMappettaSatellite();
    void AggiornaGrigliaMappetta(const std::string& grezzi);

    void CHK_Jumper_Click();
    void CMB_AgenteCorrExp_Click();
    void CmdClipMatrix_Click();
    void CmdMappaOpen_Click();
    void CmdMappaSave_Click();
    void CmdMappaReset_Click();
    void Timer1_Timer();

    GrigliaDati* GrdMappetta = nullptr;
    QFrame* PIC_BarraOriz = nullptr;
    QFrame* PIC_BarraVert = nullptr;
    QLabel* LblStatusB1 = nullptr;
    QLabel* LblStatusB2 = nullptr;
    QLabel* LblPidVal03_B1 = nullptr;
    QLabel* LblPidVal03_B2 = nullptr;
    QLabel* LblShortTerm = nullptr;
    QLabel* LblLongTerm = nullptr;
    QLabel* LblPidVal06 = nullptr;
    QLabel* LblPidVal07 = nullptr;
    QLabel* LblPidVal08 = nullptr;
    QLabel* LblPidVal09 = nullptr;
    std::vector<QLabel*> LAB_Jumper;
    std::vector<QLineEdit*> TXT_Jumper;
    QCheckBox* CHK_Jumper = nullptr;
    QComboBox* CMB_AgenteCorrExp = nullptr;
    QLabel* LAB_AgenteCorrExp = nullptr;
    QPushButton* CmdClipMatrix = nullptr;
    QPushButton* CmdMappaOpen = nullptr;
    QPushButton* CmdMappaSave = nullptr;
    QPushButton* CmdMappaReset = nullptr;
    QTimer* Timer1 = nullptr;

    // Runs after each file dialog returns (while it was open, timers ran);
    // tests use it to post a request in the meantime.
    inline static std::function<void()> DopoDialogo;

    bool AggiornoParametriLenti = true;
    double ProssimaLetturaTabelle = 0;
    std::string TabellaMostrata;
    int32_t ColonnaCursore = 1, RigaCursore = 1;
    int32_t PosizioneDizionario = 0;
    bool CaricamentoSelezioni = false;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void Intestazioni();
    bool SlotLibero() const;
    void ApriFile();
    void AzzeraTabelle();
    void SalvaFile();

    ModMain::ListeLivelli liste_;
    int32_t rigaMarcata_ = -1, colonnaMarcata_ = -1;
    bool caricata_ = false;
    // A save chosen while the slot was taken waits for it (request 8).
    bool salvataggioInAttesa_ = false;
    // An opened file whose request found the slot taken (request 38).
    std::string fileInAttesa_;
};
