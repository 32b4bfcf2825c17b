// bin/Flash.ini on any content: the sector table read from it, then an image
// read into the buffer it lays out. The buffer never exceeds the flash's
// address space, whatever the rows say.
#include <cstdlib>
#include <fstream>

#include "Entrate.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainImmagineFirmware.h"
#include "platform/Dialoghi.h"

namespace {

int EntrataSettoriFlash(const uint8_t* dati, size_t lunghezza) {
    // 32 bytes at 0x001000 and the information record there.
    static const std::string immagine = [] {
        const std::string p = Fuzz::CartellaLavoro() + "/bin/Settori.frh";
        std::ofstream(p, std::ios::binary)
            << "S00600004844521B\r\n"
               "S2240010000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F20BB\r\n"
               "[AdrFrmwarEcu]\r\n00001000\r\nS804000000FB\r\n";
        return p;
    }();
    if (!Piattaforma::Copione::Attivo()) Piattaforma::Copione::Attiva(true);
    Piattaforma::Copione::Azzera();
    const std::string percorsoFlash = ModMain::PercorsoFlash, indirizzoInfo = ModMain::IndirizzoInfoFirmware;
    ModMain::PercorsoFlash = Fuzz::ScriviIngresso("bin/SettoriFuzz.ini", dati, lunghezza);
    ModMain::TabellaSettoriFlash settori{};
    int32_t lunghezzaImmagine = 0;
    ModMain::LeggiSettoriFlash(ModMain::PercorsoFlash, settori, lunghezzaImmagine);
    ModMain::LeggiInfoFirmwareImmagine(immagine);
    if (ModMain::DatiFirmware.size() > ModMain::DimensioneMassimaImmagine) std::abort();
    ModMain::IndirizzoInSettore(0x1000, ModMain::SettoriFlash);
    ModMain::PercorsoFlash = percorsoFlash;
    ModMain::IndirizzoInfoFirmware = indirizzoInfo;
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(settori_flash, EntrataSettoriFlash);
