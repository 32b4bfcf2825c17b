#include "core/ModMainPercorsi.h"

#include "core/ModBlckFile.h"

namespace ModMain {

void ImpostaPercorsi(const std::string& base) {
    PercorsoBase = base;
    PercorsoPortCom = base + "/bin/PortCom.ini";
    PercorsoSetCom = base + "/bin/SetCom.ini";
    PercorsoConfigScale = base + "/lng/ConfigScale.ini";
    PercorsoFlash = base + "/bin/Flash.ini";
    PercorsoFirmwareNuovoHw = base + "/bin/fw/QDLPower_NewHw.frh";
    PercorsoFirmwareVecchioHw = base + "/bin/fw/QDLPower_OldHw.frh";
    FileFirmwareScelto = PercorsoFirmwareNuovoHw;
    PercorsoOsciSetUp = base + "/lng/OsciSetUp.ini";
    PercorsoOsciList = base + "/lng/OsciList.ini";
    PercorsoParaTun = base + "/lng/ParaTun.txt";
    PercorsoMem10 = base + "/bin/MEM10.txt";
    PercorsoStatoTun = base + "/Tune/StatoTun.txt";
    PercorsoStatoTun1 = base + "/Tune/StatoTun1.txt";
    PercorsoStatoTun2 = base + "/Tune/StatoTun2.txt";
    PercorsoStatoTun3 = base + "/Tune/StatoTun3.txt";
    PercorsoStatoTun4 = base + "/Tune/StatoTun4.txt";
    PercorsoConfigDefault = base + "/lng/00 Redadi Inj Custom.xsi";
    PercorsoConfigUp = base + "/bin/up.xsi";
    CartellaArchivio = base + "/Data/";
    PercorsoCostruttori = base + "/Data/Costruttori.txt";
    PercorsoLoggerTmp = base + "/bin/Logger.tmp";
}

void RimuoviTemporaneiBase() {
    for (const char* cartella : {"/bin", "/lng", "/Data", "/Tune"}) ModBlck::RimuoviTemporanei(PercorsoBase + cartella);
}

} // namespace ModMain
