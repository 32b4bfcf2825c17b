// The pipe reply parser on any bytes.
#include <cstdlib>

#include "Entrate.h"
#include "link/ModPipe.h"

namespace {

int RispostaPipe(const uint8_t* dati, size_t lunghezza) {
    const std::string r(reinterpret_cast<const char*>(dati), lunghezza);
    int32_t codice = 0;
    std::string payload;
    const int32_t esito = ModPipe::AnalizzaRispostaPipe(r, codice, payload);
    // The payload is always a part of the packet after its header.
    if (esito < 0 || esito > 3 || payload.size() > (r.size() > 8 ? r.size() - 8 : 0)) std::abort();
    if (esito == 1 && (codice != -1 || !payload.empty())) std::abort();
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(risposta_pipe, RispostaPipe);
