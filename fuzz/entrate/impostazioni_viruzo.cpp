// bin/VirUzo.ini, the companion's own settings, on any content, and the
// device each COM number then means.
#include "Entrate.h"
#include "ImpostazioniVirUzo.h"

namespace {

int EntrataImpostazioniVirUzo(const uint8_t* dati, size_t lunghezza) {
    const auto imp = LeggiImpostazioniVirUzo(Fuzz::ScriviIngresso("bin/VirUzo.ini", dati, lunghezza));
    for (const int32_t com : {-1, 0, 1, 9, 99, 256, INT32_MAX}) DispositivoDiCom(imp, com);
    for (const auto& [n, d] : imp.dispositivi) DispositivoDiCom(imp, n);
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(impostazioni_viruzo, EntrataImpostazioniVirUzo);
