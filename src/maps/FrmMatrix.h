#pragma once
// The full map editor of one map page (MTX 0, 1 or 2): the 23 x 24 grid with
// its axis captions, Up, Down and Undo, the page selector, the axis editor,
// the view switch and the option combos, the live operating point with its
// deviation scale, and the replay of recorded operating points.
#include <array>
#include <cstdint>
#include <vector>

#include <QtCore/QTimer>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QWidget>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainSchermo.h"
#include "core/PaginaMappa.h"
#include "maps/PuntoMatrice.h"
#include "controls/AnteprimaTasti.h"

class FrmMatrix : public QWidget, public FormaConTasti {
public:
    explicit FrmMatrix(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& FileArr);
    void CambiaTipoGriglia(int32_t ID);
    void ColoraMatriceVuota(GrigliaDati* Grd, int32_t ForeClr, int32_t BackClr);
    void ColoraMatriceGradiente(GrigliaDati* Grd);
    void CaricaAssiInMatrice(GrigliaDati* Grd, const std::array<uint8_t, ColonnePaginaMappa>& AxR,
                             const std::array<uint8_t, RighePaginaMappa>& AxT);
    void CaricaMatriceInGriglia(GrigliaDati* Grd, const PaginaMappa& MatX, double Fact);
    void CaricaGrigliaInMatrice(GrigliaDati* Grd, PaginaMappa& MatX, double Fact);
    void ModificaValoriGrigliaLibera(GrigliaDati* Grd, int32_t TpyO, float Value, uint8_t Fact);
    void AggiornaUndo();
    void ReplaceUndo();
    void IncollaAppunti();
    void AbilitaTasti();
    void AggiornaCursMappa();
    void VisualizzaPuntoMatrice(int32_t RW, int32_t CL);
    void GestisciB10();
    void DisponiScalaCorrezione();

    // Events.
    void GrdInj_Click();
    void GrdInj_KeyUp(int16_t KeyCode, int16_t Shift);
    void CmdUp_Click();
    void CmdDw_Click();
    void CmdUndo_Click();
    void CmdChgAxis_Click();
    void CMB_SelPage_Click(int Index);
    void TimerB10_Timer();

    // Map page shown by this instance: 0, 1 or 2.
    int32_t MTX = 0;
    bool BloccaEventsMat = false;
    int32_t TipoGriglia = 0;
    int32_t UltimaOperazione = 0;
    int16_t BloccaEventiOpzioni = 0;
    int16_t BloccaSelPagina = 0;
    std::vector<int32_t> ValoriMoltiplicatore;
    int32_t FotogrammaB10 = 0;
    int32_t UltimaPercSec = 65535, UltimaPercSec3 = 65535, UltimaPercSec4 = 65535, UltimoMoltiplicatore = 65535;
    PuntoMatrice::MedieTempo Medie;
    // Pixels the markers stand above their cell when a row is too low for their caption.
    int ScartoMarcatore = 0;

    PulsanteGrafico* CmdChgAxis = nullptr;
    PulsanteGrafico* CmdDw = nullptr;
    PulsanteGrafico* CmdUp = nullptr;
    PulsanteGrafico* CmdUndo = nullptr;
    PulsanteGrafico* CmdErrInjCanc = nullptr;
    std::vector<QComboBox*> CMB_SelPage;
    QCheckBox* ChkSIM = nullptr;
    QCheckBox* ChkRefresh = nullptr;
    QComboBox* cmbmultiplier = nullptr;
    QComboBox* cmbpercsec = nullptr;
    QComboBox* cmbpercsec3 = nullptr;
    QComboBox* cmbpercsec4 = nullptr;
    QLabel* labmultiplier = nullptr;
    QLabel* lblpercsec = nullptr;
    QLabel* LAB_Tick = nullptr;
    std::vector<QFrame*> SHP;
    QLabel* Lblms = nullptr;
    QLabel* LblRpm = nullptr;
    GrigliaDati* GrdInj = nullptr;
    QLineEdit* TxtMsgMappa = nullptr;
    PulsanteGrafico* TxtMat = nullptr;
    PulsanteGrafico* TxtMat2 = nullptr;
    std::vector<QLabel*> PIC_Cursed;
    QWidget* PctCorr = nullptr;
    std::vector<QFrame*> LneCorr;
    std::vector<QLabel*> LblCorr;
    QFrame* ShpCorr = nullptr;
    QTimer* TimerB10 = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void PostaScrittura();
    void CaricaPagina();
    // Places the left column (selectors, buttons, options, legend) at its
    // design place times `scala`, fonts too; returns the grid's left edge.
    int DisponiColonnaSinistra(double scala);
    ModMain::ListeLivelli liste_;
    bool inResize_ = false;
    // Design place and font points of each control of the left column.
    struct PostoProgetto {
        QWidget* controllo;
        QRect posto;
        double punti;
    };
    std::vector<PostoProgetto> colonnaSinistra_;
};
