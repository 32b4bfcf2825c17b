// Map sections of a configuration file on any content.
#include "Entrate.h"
#include "core/ModMainCaricatori.h"

namespace {

int EntrataMappe(const uint8_t* dati, size_t lunghezza) {
    PaginaMappa pagina{};
    CurvaRetta curva{};
    ModMain::CaricaMappeDaFile(Fuzz::ScriviIngresso("Data/Mappe.xsi", dati, lunghezza), pagina, curva);
    // The page read must pack back without harm.
    ModRetta::CompattaCurvaInMappa(pagina, curva);
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(mappe, EntrataMappe);
