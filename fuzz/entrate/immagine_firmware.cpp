// Firmware images (".frh", plain or encoded) on any content, read into the
// buffer of the shipped sector table, and their S2 address list.
#include <fstream>

#include "Entrate.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainImmagineFirmware.h"

namespace {

int EntrataImmagineFirmware(const uint8_t* dati, size_t lunghezza) {
    static const bool pronto = [] {
        ModMain::ImpostaPercorsi(Fuzz::CartellaLavoro());
        std::ofstream(ModMain::PercorsoFlash, std::ios::binary)
            << "H00FF0000 - H00FF7FFF\r\nH00FF8000 - H00FFDFFF\r\nH00FFE000 - H00FFFFFF\r\n";
        return true;
    }();
    (void)pronto;
    const std::string percorso = Fuzz::ScriviIngresso("bin/Ingresso.frh", dati, lunghezza);
    ModMain::LeggiInfoFirmwareImmagine(percorso);
    ModMain::ElencoIndirizziS2(percorso);
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(immagine_firmware, EntrataImmagineFirmware);
