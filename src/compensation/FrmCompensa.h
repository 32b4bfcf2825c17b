#pragma once
// The compensation page (page 8): the five correction curves in their grids
// (gas temperature, reducer temperature, gas pressure, petrol-pressure sensor
// volts, enleanment time), their enable boxes, "+"/"-" stepping with key
// repeat and the value dialog, the even spacing of a row, the centring of a
// curve on a measured point, the live working point, the analogue monitor,
// the expert view and the enleanment settings. Every edit rebuilds the five
// prepared write frames, selects its table and posts request 15; the curve
// arithmetic lives in CompensaModello.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QtCore/QTimer>
#include <QtWidgets/QWidget>

#include "compensation/CompensaModello.h"
#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class GrigliaDati;
class PulsanteGrafico;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

class FrmCompensa : public QWidget, public FormaConTasti {
public:
    explicit FrmCompensa(QWidget* contenitore = nullptr);

    // Page-form protocol.
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiComboSwitch(const std::vector<std::string>& righe);
    // Blocks 8, 7, 9, 17, 13 into the grids, boxes and enleanment controls.
    void AggiornaTabelledaVettori();
    // Live members of the display timer.
    void VisualizzaPuntoTabella();
    void IndiciEsperti();
    // The wizard's petrol-pressure curve into table 3, written at once.
    void CalcoloAutomaticoCmpPressBenz();

    // Event handlers (index = table).
    void ChkGrd_Click(int Index);
    void Grd_KeyDown(int Index, int16_t KeyCode, int16_t Shift);
    void Grd_KeyUp(int Index, int16_t KeyCode, int16_t Shift);
    void CmdMinMaxPressBar_Click(int Index);
    void CmdMinMaxPressPer_Click(int Index);
    void CmdCentraQui_Click(int Index);
    void Cmd_NewVal_Click();
    void CmbSmagAccIngresso_Click();
    void CmbSmagAccUscita_Click();
    void HSC_Correzione_Change();
    void HSC_Permanenza_Change();
    void HScroll1_Change();
    void VScroll1_Change();

    // Grid cell texts of table t, as the model reads them.
    Compensa::Griglia TestiGriglia(int t) const;

    bool InCaricamento = false;
    bool ModificaAbilitata = false;
    bool TastoPremuto = false;
    int32_t RigaEvidenziata = -1, ColonnaEvidenziata = -1;
    int32_t LarghezzaPannello = 0;             // twips
    int32_t LarghezzaContenuto = 0, AltezzaContenuto = 0; // twips
    std::array<std::string, 4> TestoCentraQui;

    QWidget *Picture1, *Picture2;
    QScrollBar *HScroll1, *VScroll1;
    std::array<QGroupBox*, 5> FrmGrd{};
    std::array<GrigliaDati*, 5> Grd{};
    std::array<QCheckBox*, 5> ChkGrd{};
    std::array<QLabel*, 5> LblGrd{};
    std::array<ModZebPagina::FormaPagina*, 5> PctGrd{};
    std::array<PulsanteGrafico*, 5> CmdMinMaxPressBar{}, CmdMinMaxPressPer{};
    std::array<PulsanteGrafico*, 4> CmdCentraQui{};
    std::array<QLineEdit*, 4> TXTFactor{};
    std::array<QLabel*, 5> LAB_MON{};
    std::array<ModZebPagina::FormaPagina*, 5> Shape1{};
    QWidget* Frm_NewVal;
    PulsanteGrafico* Cmd_NewVal;
    QLabel* Lab_NewVal;
    // Enleanment settings (inside the frame of table 4).
    QComboBox *CmbSmagAccIngresso, *CmbSmagAccUscita;
    QWidget* PctSlider;
    QScrollBar *HSC_Correzione, *HSC_Permanenza;
    QLineEdit *TXT_Correzione, *TXT_Permanenza;
    QLabel *LBL_Correzione, *LBL_Permanenza, *LBL_SmagMonitor;
    ModZebPagina::FormaPagina *SHP_Contorno, *SHP_Interno;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CostruisciControlli();
    void CostruisciTabella(int t);
    void CostruisciSmagrimento();
    // Grids, boxes and combos into the five prepared frames (blocks unchanged).
    void AggiornaVettoridaTabelle();
    // Every edit tests the request slot before it changes anything: when it is
    // taken, a short beep and true (the caller puts its control back).
    bool SlotOccupato();
    // The common end of every edit: frames rebuilt, table selected, request 15 posted.
    void Conferma(int t);
    void EvidenziaCella(GrigliaDati* g);
    void RipristinaCella(GrigliaDati* g);
    void PassoTasto();
    void FineRipetizione();
    void InterpolaCorrezioniSmag();
    void ScriviTesto(int t, int r, int c, const std::string& testo);

    // The running "+"/"-" repetition.
    struct Ripetizione {
        int tabella = -1, riga = 0, colonna = 0;
        int16_t keyCode = 0, shift = 0;
        QString testoIniziale;
    } ripetizione_;
    QTimer timerRipetizione_;
    int indiceIngresso_ = -1, indiceUscita_ = -1, valoreCorrezione_ = 0, valorePermanenza_ = 15;
    int ridimensionamento_ = 0;
    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
