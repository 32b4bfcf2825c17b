#pragma once
// The injection-sequence popup (page 22), over the management page: the
// acquired firing order, the channel-to-output assignment of block 15 and
// whether it is normal or anticipated; acquisition (request 56), reset to
// normal and, at display level 2, the output of each channel by hand. It lies
// in the page area with a caption bar of its own whose close button stands for
// the window's close box.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QCheckBox;
class QComboBox;
class QLabel;
class PulsanteGrafico;

class FrmSeqInj : public QWidget, public FormaConTasti {
public:
    explicit FrmSeqInj(QWidget* contenitore = nullptr);

    // Position of "[FrmSeqInj]" among the entries of language 0 (0 until
    // found; kept when a later search fails). The management and switchover
    // pages read their status texts at +5..+7.
    inline static int32_t SeqOffsetLingua = 0;
    // "No valid acquisition": entry +17 of the current language, 8-bit.
    inline static std::string STR_IMPOSSIBILE;

    // What the popup reads from and writes to the switchover page, which the
    // shell wires once both pages exist: the captions listed in the
    // acquisition notice, and the page's sequence-status label.
    struct TestiCommutazione {
        QString LblDirSwtich, CmbswitchDir0, LBLTempoSeqInj, LblSwitchSovra;
    };
    inline static std::function<TestiCommutazione()> LeggiCommutazione;
    inline static std::function<void(const QString&)> ImpostaStatoCommutazione;

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaSelezioni(bool Tutto);
    bool SonoAnticipato();

    void chkanticipato_Click();
    void CmbNInj_Click(int Index);
    void CmdAcquire_Click();
    void CmdResetSeq_Click();
    void CMB_PhaseShifter_Click();
    void Form_Activate();
    // The close button: back to the management page (UnloadMode 0 = the user).
    void Form_QueryUnload(int& Cancel, int UnloadMode);

    QLabel* LblTitolo;            // the caption bar
    PulsanteGrafico* CmdChiudi;   // its close box
    QCheckBox* chkanticipato;
    QLabel *LAB_PhaseShifter, *LblSequenza, *LblOutGas, *LblOutGasTitolo;
    QComboBox* CMB_PhaseShifter;
    PulsanteGrafico *CmdAcquire, *CmdResetSeq;
    QWidget* Shape2;
    std::array<QLabel*, 8> LblNOut{};
    std::array<QComboBox*, 8> CmbNInj{};

    // Design widths in twips: channel panel shown (level 2) or hidden.
    static constexpr int32_t LarghezzaEstesa = 3960 + 2175 + 180;
    static constexpr int32_t LarghezzaRidotta = 3960 + 30;

protected:
    void showEvent(QShowEvent* e) override;
    // Hidden by another page switch (link loss, exit) rather than by its close
    // box: the surrounding forms are enabled again all the same.
    void hideEvent(QHideEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    // Border of the popup over the page.
    void paintEvent(QPaintEvent* e) override;

private:
    void Posta(int32_t codice);
    bool caricamento_ = false;
    ModMain::ListeLivelli liste_;
    bool attivo_ = false; // the surrounding forms are disabled by this popup
};
