// lng/ParaTun.txt (plain or encoded) on any content, read with either value
// column.
#include "Entrate.h"
#include "platform/Dialoghi.h"
#include "calibration/ModTaratura.h"

namespace {

int EntrataParametriTaratura(const uint8_t* dati, size_t lunghezza) {
    if (!Piattaforma::Copione::Attivo()) Piattaforma::Copione::Attiva(true);
    Piattaforma::Copione::Azzera();
    const auto prima = ModTaratura::Parametri;
    const std::string percorso = Fuzz::ScriviIngresso("lng/ParaTun.txt", dati, lunghezza);
    ModTaratura::LeggiParametriTaratura(percorso, false);
    ModTaratura::LeggiParametriTaratura(percorso, true);
    ModTaratura::Parametri = prima;
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(parametri_taratura, EntrataParametriTaratura);
