// Map coefficient files (.coe) on any content, alone in their folder.
#include <filesystem>

#include "Entrate.h"
#include "core/ModMainCaricatori.h"

namespace {

int EntrataCoefficienti(const uint8_t* dati, size_t lunghezza) {
    static const std::string cartella = [] {
        const std::string c = Fuzz::CartellaLavoro() + "/coe/";
        std::filesystem::create_directories(c);
        return c;
    }();
    const std::string percorso = Fuzz::ScriviIngresso("coe/Ingresso.coe", dati, lunghezza);
    CoefficientiMappa r;
    ModMain::LeggiFileCoefficienti(percorso, r);
    std::vector<CoefficientiMappa> tutti;
    ModMain::CaricaFileCoefficienti(cartella, tutti);
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(coefficienti, EntrataCoefficienti);
