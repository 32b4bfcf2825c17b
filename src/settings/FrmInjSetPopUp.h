#pragma once
// The injector-settings popup (page 3), over the switchover page: one row per
// injector with its live petrol and gas times, its offset (bar, number, reset
// button), its bank link and its mode, a second-bank marker and a hidden
// service view. It lies in the page area with a caption bar whose close button
// stands for the window's close box. Edits stage block 3, the threshold table's
// bank bits or the injector change record and post one request.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class PulsanteGrafico;
namespace ModZebPagina {
class FormaPagina;
}

class FrmInjSetPopUp : public QWidget, public FormaConTasti {
public:
    explicit FrmInjSetPopUp(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaSelezioni(bool Tutte);
    void AggiornaTempiInj();
    void RichiediAggiornamentoBlocco3();
    void MostraParametriInj(bool Visibili);

    void ChkBank_Click(int Index);
    void CmbSelecT_Click(int Index);
    void HScrTime_Change(int Index);
    void CmdDefaultTime_Click(int Index);
    void Form_Activate();
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

    bool InAggiornamento = false;
    std::string VoceSelezione0, VoceSelezione1;
    double ProssimaLetturaBlocco3 = 0;
    std::array<int32_t, 8> SelezioneMostrata{};
    std::array<std::optional<int32_t>, 8> OffsetMostrato{};

    QLabel* LblTitolo;            // the caption bar
    PulsanteGrafico* CmdChiudi;   // its close box
    QLabel *LblInjNum, *LblTimeB, *LblTimeG, *LblEnricht, *LblInjSet;
    std::array<QLabel*, 8> LblInj{}, LblTimeBenz{}, LblTimeGas{}, LblTimeCor{}, LblStatoInj{};
    std::array<QScrollBar*, 8> HScrTime{};
    std::array<QCheckBox*, 8> ChkBank{};
    std::array<PulsanteGrafico*, 8> CmdDefaultTime{};
    std::array<QComboBox*, 8> CmbSelecT{};
    QGroupBox* FrmPilotaggioInj;
    QLineEdit *TxtMinTimePPG, *TxtPwmOff, *TxtPwmOn;
    QLabel *LblMinTimePPG, *LblPwmOff, *LblPwmOn;
    ModZebPagina::FormaPagina* ImgFlag;

    // Design width in twips at grid font 9 (wider in proportion with a larger
    // grid font); the height follows the rows shown.
    static constexpr int32_t Larghezza = 9000;
    static constexpr int32_t Barra = 300; // caption bar, twips

protected:
    void showEvent(QShowEvent* e) override;
    // Hidden by another page switch (link loss, exit) rather than by its close
    // box: the surrounding forms are enabled again all the same.
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Border of the popup over the page.
    void paintEvent(QPaintEvent* e) override;

private:
    void PosizionaIndicatoreBanco();
    void ModificaOffset(int Index, int32_t valore);

    ModMain::ListeLivelli liste_;
    bool attivo_ = false; // the surrounding forms are disabled by this popup
    bool caricata_ = false;
};
