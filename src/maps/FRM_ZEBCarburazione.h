#pragma once
// The coarse carburetion view of one map page (MTX 0, 1 or 2): every second
// point of the map in a 12 x 12 grid, edited with +1/-1, the value-entry
// dialog, undo and the clipboard, each edit rebuilding the points in between
// before the page is written; the map reset from the factory configuration,
// the option controls, and the live operating point with its two bars.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QWidget>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainSchermo.h"
#include "core/PaginaMappa.h"
#include "maps/CarburazioneMappatura.h"
#include "maps/PuntoMatrice.h"
#include "controls/AnteprimaTasti.h"

class FRM_ZEBCarburazione : public QWidget, public FormaConTasti {
public:
    explicit FRM_ZEBCarburazione(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void RiempiCmbSwtch(const std::vector<std::string>& FileArr);
    void CambiaTipoGriglia(int32_t idScheda);
    void CaricaAssiInMatrice(GrigliaDati* griglia, const std::array<uint8_t, ColonnePaginaMappa>& asseRpm,
                             const std::array<uint8_t, RighePaginaMappa>& asseTinj);
    void ColoraMatriceGradiente2(GrigliaDati* griglia);
    void CaricaMatriceInGriglia(GrigliaDati* griglia, const PaginaMappa& pagina, double fattore);
    // False (after its message, page unchanged) when a cell cannot be read.
    bool CaricaGrigliaInMatrice(GrigliaDati* griglia, PaginaMappa& pagina, double fattore);
    void SpianaInterpolazionedellaMappa(MatriceInteri& Mat);
    void ModificaValoriGrigliaLibera(GrigliaDati* Grd, int32_t TpyO, float Value, uint8_t Fact);
    void AggiornaUndo();
    void ReplaceUndo();
    void IncollaAppunti();
    void AbilitaTasti();
    void AggiornaCursMappaSmall();
    void VisualizzaPuntoMatrice(int32_t riga, int32_t colonna);

    // Events.
    void GrdSmall_Click();
    void GrdSmall_KeyUp(int16_t KeyCode, int16_t Shift);
    void CmdUp_Click();
    void CmdDw_Click();
    void CmdUndo_Click();
    void CmdResetMap_Click();
    void CmdChgAxis_Click();
    void ChkGradiente_Click();
    void CMB_SelPage_Click(QComboBox* selettore);

    // Map page shown by this instance: 0, 1 or 2.
    int32_t MTX = 0;
    int32_t TipoGriglia = 0;
    int32_t UltimaOperazione = 0;
    int16_t BloccaSelPagina = 0;
    int16_t BloccaEventiOpzioni = 0;
    std::vector<int32_t> ValoriMoltiplicatore;
    int32_t UltimoMoltiplicatore = 65535, UltimaPercSec = 65535;
    PuntoMatrice::MedieTempo Medie;

    QComboBox* CMB_SelPage_0 = nullptr;
    QComboBox* CMB_SelPage_1 = nullptr;
    PulsanteGrafico* CmdDw = nullptr;
    PulsanteGrafico* CmdUp = nullptr;
    PulsanteGrafico* CmdResetMap = nullptr;
    PulsanteGrafico* CmdUndo = nullptr;
    PulsanteGrafico* CmdChgAxis = nullptr;
    PulsanteGrafico* ChkSIM = nullptr;
    QCheckBox* ChkSpiana = nullptr;
    QCheckBox* ChkGradiente = nullptr;
    QComboBox* cmbpercsec = nullptr;
    QLabel* lblpercsec = nullptr;
    QComboBox* cmbmultiplier = nullptr;
    QLabel* labmultiplier = nullptr;
    QLabel* LAB_Tick = nullptr;
    QLabel* Lblrpm = nullptr;
    QLabel* Lblms = nullptr;
    QProgressBar* PROG_GAS = nullptr;
    QProgressBar* PROG_BEN = nullptr;
    QFrame* PIC_Barra = nullptr;
    QLabel* LAB_PLUSMINUS = nullptr;
    PulsanteGrafico* TxtMat = nullptr;
    PulsanteGrafico* TxtMat2 = nullptr;
    QFrame* SHP_Contorno = nullptr;
    std::vector<QFrame*> SHP_Carb; // 0 and 4 are used
    GrigliaDati* GrdSmall = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void Form_KeyUp(int16_t KeyCode, int16_t Shift) override;

private:
    void Ricarica();
    void ScriviIndietro();
    void Posta();
    ModMain::ListeLivelli liste_;
    // Each control's rectangle and font size at the designed size (800 x 467 pixels).
    std::map<QWidget*, std::pair<QRect, double>> progetto_;
    bool inResize_ = false;
};

namespace ModMapEditor {

// The entry chosen in the switchover page's system-configuration list (the
// factory configuration the map reset loads); registered by the main window.
inline std::function<std::string()> ConfigurazioneSistemaScelta;

} // namespace ModMapEditor
