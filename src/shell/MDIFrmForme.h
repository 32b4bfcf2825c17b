#pragma once
// Every form the main window creates, for the shell's own files.
#include "calibration/FrmAutoTuning.h"
#include "compensation/FrmCompensa.h"
#include "config/FRM_ZEBLoadSave.h"
#include "firmware/FrmFirmware.h"
#include "injdir/FRM_ZEBinjDir.h"
#include "injdir/FrmInjDirAcq1.h"
#include "injdir/FrmInjDirAcq2.h"
#include "injdir/FrmInjDirAcq3.h"
#include "injdir/FrmInjDirAcq4.h"
#include "logger/FrmLogger.h"
#include "maps/FRM_ZEBCarburazione.h"
#include "maps/FrmMatrix.h"
#include "obd/FrmError.h"
#include "obd/FrmMappetta.h"
#include "obd/FrmObd.h"
#include "settings/FRM_ZEBGestione.h"
#include "settings/FRM_ZEBSensori.h"
#include "settings/FrmInjSetPopUp.h"
#include "settings/FrmSeqInj.h"
#include "shell/FRM_ZEBConnected.h"
#include "shell/FRM_ZEBDashBoard.h"
#include "shell/FRM_ZEBLanguage.h"
#include "shell/FRM_ZEBMain.h"
#include "shell/FRM_ZEBMenu.h"
#include "shell/FRM_ZEBMenuTop.h"
#include "shell/FRM_ZEBMenuTop2.h"
#include "shell/FRM_ZEBMenuTop3.h"
#include "shell/FRM_ZEBPortSearch.h"
#include "shell/FrmUpdate.h"
#include "switchover/FRM_ZEBCommutazione.h"
#include "switchover/FRM_ZEBLambda.h"
#include "switchover/FrmCommutatore.h"

#include <exception>
#include <string>

namespace MDIFrm {

// Calls one page member: reports it to the trace hook first, and keeps an
// error it raises inside it, so that the next member still runs.
template <class F>
void ChiamaMembro(const char* nome, F&& membro) {
    try {
        if (TracciaChiamata) TracciaChiamata(nome);
        membro();
    } catch (const std::exception&) {
    } catch (...) {
    }
}

} // namespace MDIFrm
