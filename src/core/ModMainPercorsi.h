#pragma once
// The base folder and every data path below it, built once at start.
#include <string>

namespace ModMain {

inline std::string PercorsoBase;            // parent of the program's folder
inline std::string PercorsoPortCom;         // <base>/bin/PortCom.ini
inline std::string PercorsoSetCom;          // <base>/bin/SetCom.ini
inline std::string PercorsoConfigScale;     // <base>/lng/ConfigScale.ini
inline std::string PercorsoFlash;           // <base>/bin/Flash.ini
inline std::string PercorsoFirmwareNuovoHw; // <base>/bin/fw/QDLPower_NewHw.frh
inline std::string PercorsoFirmwareVecchioHw;
inline std::string PercorsoOsciSetUp;
inline std::string PercorsoOsciList;
inline std::string PercorsoParaTun;
inline std::string PercorsoMem10;
inline std::string PercorsoStatoTun;
inline std::string PercorsoStatoTun1, PercorsoStatoTun2, PercorsoStatoTun3, PercorsoStatoTun4;
inline std::string PercorsoConfigDefault;
inline std::string PercorsoConfigUp;
inline std::string CartellaArchivio;        // <base>/Data/
inline std::string PercorsoCostruttori;
inline std::string PercorsoLoggerTmp;
inline std::string FileFirmwareScelto;

inline const std::string EstensioneConfigurazione = ".xsi";
inline const std::string EstensioneArchivio = "qdl";
inline const std::string EstensionePredefinite = "xsi";
inline const std::string IndirizzoInfoFirmwareDefault = "00FFE000";

// Sets every path above from the base folder (forward slashes).
void ImpostaPercorsi(const std::string& base);
// Removes the temporaries that saves cut short left in the folders the
// program writes below the base folder (bin/, lng/, Data/, Tune/); at start.
void RimuoviTemporaneiBase();

} // namespace ModMain
