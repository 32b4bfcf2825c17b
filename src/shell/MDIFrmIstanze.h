#pragma once
// The page-form instances, created once by the main window's load and kept
// until the exit sequence unloads them; every other part reaches a page only
// through these. nullptr outside that span.
class FRM_ZEBMain;
class FRM_ZEBMenu;
class FRM_ZEBMenuTop;
class FRM_ZEBMenuTop2;
class FRM_ZEBMenuTop3;
class FRM_ZEBDashBoard;
class FRM_ZEBPortSearch;
class FRM_ZEBLanguage;
class FRM_ZEBConnected;
class FRM_ZEBCommutazione;
class FRM_ZEBCarburazione;
class FRM_ZEBSensori;
class FRM_ZEBGestione;
class FRM_ZEBLoadSave;
class FRM_ZEBinjDir;
class FrmInjDirAcq1;
class FrmInjDirAcq2;
class FrmInjDirAcq3;
class FrmInjDirAcq4;
class FrmCommutatore;
class FrmLogger;
class FrmInjSetPopUp;
class FrmSeqInj;
class FrmUpdate;
class FrmError;
class FrmFirmware;
class FrmCompensa;
class FrmAutoTuning;
class FRM_ZEBLambda;
class FrmObd;
class FrmMatrix;

namespace MDIFrm {

inline FRM_ZEBMain* IstanzaFRM_ZEBMain = nullptr;
inline FRM_ZEBMenu* IstanzaFRM_ZEBMenu = nullptr;
inline FRM_ZEBMenuTop* IstanzaFRM_ZEBMenuTop = nullptr;
inline FRM_ZEBMenuTop2* IstanzaFRM_ZEBMenuTop2 = nullptr;
inline FRM_ZEBMenuTop3* IstanzaFRM_ZEBMenuTop3 = nullptr;
inline FRM_ZEBDashBoard* IstanzaFRM_ZEBDashBoard = nullptr;
inline FRM_ZEBPortSearch* IstanzaFRM_ZEBPortSearch = nullptr;
inline FRM_ZEBLanguage* IstanzaFRM_ZEBLanguage = nullptr;
inline FRM_ZEBConnected* IstanzaFRM_ZEBConnected = nullptr;
inline FRM_ZEBCommutazione* IstanzaFRM_ZEBCommutazione = nullptr;
inline FRM_ZEBCarburazione* IstanzaFRM_ZEBCarburazione0 = nullptr;
inline FRM_ZEBSensori* IstanzaFRM_ZEBSensori = nullptr;
inline FRM_ZEBGestione* IstanzaFRM_ZEBGestione = nullptr;
inline FRM_ZEBLoadSave* IstanzaFRM_ZEBLoadSave = nullptr;
inline FRM_ZEBinjDir* IstanzaFRM_ZEBinjDir = nullptr;
inline FrmInjDirAcq1* IstanzaFrmInjDirAcq1 = nullptr;
inline FrmInjDirAcq2* IstanzaFrmInjDirAcq2 = nullptr;
inline FrmInjDirAcq3* IstanzaFrmInjDirAcq3 = nullptr;
inline FrmInjDirAcq4* IstanzaFrmInjDirAcq4 = nullptr;
inline FrmCommutatore* IstanzaFrmCommutatore = nullptr;
inline FrmLogger* IstanzaFrmLogger = nullptr;
inline FrmInjSetPopUp* IstanzaFrmInjSetPopUp = nullptr;
inline FrmSeqInj* IstanzaFrmSeqInj = nullptr;
inline FrmUpdate* IstanzaFrmUpdate = nullptr;
inline FrmError* IstanzaFrmError = nullptr;
inline FrmFirmware* IstanzaFrmFirmware = nullptr;
inline FrmCompensa* IstanzaFrmCompensa = nullptr;
inline FrmAutoTuning* IstanzaFrmAutoTuning = nullptr;
inline FRM_ZEBLambda* IstanzaFRM_ZEBLambda = nullptr;
inline FrmObd* IstanzaFrmObd = nullptr;
inline FrmMatrix* IstanzaFrmMatrix0 = nullptr;
inline FRM_ZEBCarburazione* IstanzaFRM_ZEBCarburazione1 = nullptr;
inline FrmMatrix* IstanzaFrmMatrix1 = nullptr;
inline FRM_ZEBCarburazione* IstanzaFRM_ZEBCarburazione2 = nullptr;
inline FrmMatrix* IstanzaFrmMatrix2 = nullptr;

// The map editor and the carburetion view of map page k (0, 1, 2); nullptr
// for any other k.
FrmMatrix* IstanzaFrmMatrix(int k);
FRM_ZEBCarburazione* IstanzaFRM_ZEBCarburazione(int k);

} // namespace MDIFrm
