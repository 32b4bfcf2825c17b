#pragma once
// The lambda page (page 17): the sensor preset, the kinds of the two lambda
// sensors, the emulation switch, delay and filter, the four emulation
// thresholds, the 4 x 12 emulation map with its rpm and pressure breakpoints
// (held keys and the value-entry dialog, volts or code mode), and the live
// outputs with the operating-point cursor. Edits of block 11 are staged in
// ModificheBlocco11 and written by the block-11 writer; the rules live in
// LambdaRegole.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QtWidgets/QWidget>

#include "controls/ModZebPagina.h"
#include "core/ModMainSchermo.h"
#include "controls/AnteprimaTasti.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class GrigliaDati;

class FRM_ZEBLambda : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBLambda(QWidget* contenitore = nullptr);
    ~FRM_ZEBLambda() override;

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& righe);
    void AggiornaSelezioni();
    void AggiornaVisualizzazioniLambda();

    // Edit handlers.
    void CmbAbilEmula_Click();
    void CmbFiltro_Click();
    void CmbRitardo_Click();
    void CmbSonda1_Click();
    void CmbSonda2_Click();
    void CmbSondaSel_Click();
    // Map grids (0 GrdRpm, 1 GrdBar, 2 GrdEmul).
    void Griglia_KeyDown(int griglia, int16_t KeyCode, int16_t Shift);
    void Griglia_KeyUp(int griglia, int16_t KeyCode, int16_t Shift);
    void EvidenziaCella(GrigliaDati* g);
    void RipristinaColoriGriglia(GrigliaDati* g);
    // Threshold boxes (0..3: high before, low before, high after, low after).
    void Soglia_KeyUp(int indice, int16_t KeyCode);
    void Soglia_Change(int indice);
    void Soglia_GotFocus(int indice);
    void Soglia_LostFocus(int indice);
    // Ends a held-key loop (release, focus lost, program deactivated).
    void FermaTasto() { TastoPremuto = false; }
    bool ModoCodice() const;

    bool InCaricamento = false;
    bool TastoPremuto = false;
    bool ColoreInCorso = false;
    double ValoreSogliaMemorizzato = 0.0;

    QLineEdit* LblTipoSonda;
    QLabel *LblAbilEmula, *LblSonda1, *LblSonda2, *LblRitardo, *LblFiltro, *LblAdatAttiva;
    QComboBox *CmbSondaSel, *CmbAbilEmula, *CmbSonda1, *CmbSonda2, *CmbRitardo, *CmbFiltro;
    QLabel *LblAnte, *LblPost, *LblEmulLevAlto, *LblEmulLevBasso;
    std::array<QLineEdit*, 4> TxtSoglia{};
    QLineEdit *TxtEmulLevAltoAnte, *TxtEmulLevBassoAnte, *TxtEmulLevAltoPost, *TxtEmulLevBassoPost;
    QLabel *LblLambdaOut1, *LblLambdaOut2, *TxtLambdaOut1, *TxtLambdaOut2;
    QGroupBox* FrmEmulation;
    QLabel* LblTabSoglie;
    GrigliaDati *GrdTitolo, *GrdRpm, *GrdBar, *GrdEmul;
    QWidget* PctGrdLambda;
    std::vector<QWidget*> SHP;
    ModZebPagina::FormaPagina* SHP_Contorno;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CostruisciControlli();
    bool Guardie() const;
    void DisponiGriglie();
    void ModificaAsse(GrigliaDati* g, bool rpm, int16_t KeyCode, int16_t Shift);
    void ModificaCelleEmulazione(int16_t KeyCode, int16_t Shift);
    void StadiaMappa();
    void PostaEmulazione();

    ModMain::ListeLivelli liste_;
    ModZebPagina::Proporzioni proporzioni_;
    bool caricata_ = false;
};
