// The three bands of the main window: the top band (connection panel, then a
// menu bar or the language buttons), the page area, and the bottom strip
// (switch view, then the dashboard or the port-search panel).
#include "controls/MDIFrmGriglie.h"
#include "core/ModGlobFunct.h"
#include "link/ModMainStatoLinea.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"

namespace MDIFrm {

namespace {

// Places a form at a twips rectangle; a form that is missing or a rectangle
// that has no size is skipped, leaving the rest of the layout to run.
void Colloca(QWidget* forma, double sinistra, double alto, double larghezza, double altezza) {
    if (!forma || larghezza < 0 || altezza < 0) return;
    forma->setGeometry(Pixel(sinistra), Pixel(alto), Pixel(larghezza), Pixel(altezza));
}

} // namespace

int32_t MDIForm::LarghezzaTwips() const { return frameGeometry().width() * 15; }
int32_t MDIForm::AltezzaTwips() const { return frameGeometry().height() * 15; }

void MDIForm::MDIForm_Resize() { DisponiForme(LarghezzaTwips(), AltezzaTwips()); }

void MDIForm::DisponiForme(int32_t W, int32_t H) {
    if (W < 11700 || H < 6000) return;

    if (W > 19000) DimensioneCarattereGriglie = 12;
    else if (W > 17625) DimensioneCarattereGriglie = 11;
    else if (W > 15765) DimensioneCarattereGriglie = 10;
    else DimensioneCarattereGriglie = 9;

    const double larghezzaPagina = W - 345.0;  // W - 240 - 105
    const double altezzaPagina = H - 3225.0;   // H - 720 - 750 - 1650 - 105
    const double larghezzaBarra = W - 4245.0;  // W - 3900 - 240 - 105

    Colloca(IstanzaFRM_ZEBConnected, 120, 120, 3900, 750);
    Colloca(IstanzaFRM_ZEBMenuTop, 4020, 120, larghezzaBarra, 750);
    Colloca(IstanzaFRM_ZEBMenuTop2, 4020, 120, larghezzaBarra, 750);
    Colloca(IstanzaFRM_ZEBMenuTop3, 4020, 120, larghezzaBarra, 750);
    Colloca(IstanzaFRM_ZEBMain, 120, 990, larghezzaPagina, altezzaPagina);
    Colloca(IstanzaFRM_ZEBLambda, 120, 990, larghezzaPagina, altezzaPagina);

    // The bottom strip starts 120 twips below the home page as placed.
    double T = 990 + altezzaPagina + 120;
    if (IstanzaFRM_ZEBMain) T = (IstanzaFRM_ZEBMain->y() + IstanzaFRM_ZEBMain->height()) * 15.0 + 120;

    Colloca(IstanzaFRM_ZEBDashBoard, 1590, T, W - 1815.0, 1650); // W - 360 - 105 - 1350
    Colloca(IstanzaFRM_ZEBPortSearch, 120, T, larghezzaPagina, 1650);
    Colloca(IstanzaFRM_ZEBLanguage, 4020, 120, larghezzaBarra, 750);
    Colloca(IstanzaFrmCommutatore, 120, T, 1350, 1650);
    Colloca(IstanzaFrmUpdate, (W - 3000) / 2.0, (H - 375) / 2.0, 3000, 375);
    for (QWidget* f : {static_cast<QWidget*>(IstanzaFrmMatrix0), static_cast<QWidget*>(IstanzaFrmMatrix1),
                       static_cast<QWidget*>(IstanzaFrmMatrix2), static_cast<QWidget*>(IstanzaFRM_ZEBCarburazione1),
                       static_cast<QWidget*>(IstanzaFRM_ZEBCarburazione2), static_cast<QWidget*>(IstanzaFrmFirmware),
                       static_cast<QWidget*>(IstanzaFrmCompensa)})
        Colloca(f, 120, 990, larghezzaPagina, altezzaPagina);

    ResizaFormPese(W, H);

    ModGlobFunct::CentraControllo(IstanzaFrmInjSetPopUp, this);
    ModGlobFunct::CentraControllo(IstanzaFrmSeqInj, this);
}

void MDIForm::ResizaFormPese() { ResizaFormPese(LarghezzaTwips(), AltezzaTwips()); }

void MDIForm::ResizaFormPese(int32_t W, int32_t H) {
    QWidget* forma = nullptr;
    switch (ModMain::PaginaCorrente) {
    case SCHEDA_COMMUTAZIONE:
    case SCHEDA_INIETTORI: forma = IstanzaFRM_ZEBCommutazione; break;
    case SCHEDA_CARBURAZIONE: forma = IstanzaFRM_ZEBCarburazione0; break;
    case SCHEDA_GESTIONE:
    case SCHEDA_SEQINJ: forma = IstanzaFRM_ZEBGestione; break;
    case SCHEDA_SENSORI: forma = IstanzaFRM_ZEBSensori; break;
    case SCHEDA_ARCHIVIO: forma = IstanzaFRM_ZEBLoadSave; break;
    case SCHEDA_INJDIR: forma = IstanzaFRM_ZEBinjDir; break;
    case SCHEDA_OBD: forma = IstanzaFrmObd; break;
    case SCHEDA_HOME: forma = IstanzaFRM_ZEBMenu; break;
    case SCHEDA_ERRORI: forma = IstanzaFrmError; break;
    case SCHEDA_LOGGER: forma = IstanzaFrmLogger; break;
    case SCHEDA_AUTOTARATURA: forma = IstanzaFrmAutoTuning; break;
    case SCHEDA_ACQUISIZIONE_1: forma = IstanzaFrmInjDirAcq1; break;
    case SCHEDA_ACQUISIZIONE_2: forma = IstanzaFrmInjDirAcq2; break;
    case SCHEDA_ACQUISIZIONE_3: forma = IstanzaFrmInjDirAcq3; break;
    case SCHEDA_ACQUISIZIONE_4: forma = IstanzaFrmInjDirAcq4; break;
    default: return;
    }
    Colloca(forma, 120, 990, W - 345.0, H - 3225.0);
}

} // namespace MDIFrm
