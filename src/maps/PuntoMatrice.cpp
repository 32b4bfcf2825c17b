#include "maps/PuntoMatrice.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"

namespace PuntoMatrice {

namespace PuntoMatrice_ {

int32_t Vicino(double x) { return static_cast<int32_t>(Conv::ArrotondaPari(x)); }

int32_t Media(int32_t media, int32_t campione) { return Vicino(0.75 * media + 0.25 * campione); }

// (gas - petrol) / reference x 128; a reference not above 0 has no meaning.
int32_t Deviazione(int32_t gas, int32_t benzina, int32_t riferimento) {
    if (riferimento <= 0) return 0;
    return Vicino(static_cast<double>(gas - benzina) / riferimento * 128.0);
}

} // namespace PuntoMatrice_

using namespace PuntoMatrice_;

int32_t AggiornaMedie(MedieTempo& m, const IngressiPunto& in, bool avvicinaGas) {
    if (!in.MotoreAcceso) {
        m.MediaTempoGas = -1;
        m.MediaTempoBenzina = -1;
        return 0;
    }
    if (in.Gas) {
        m.MediaTempoGas = Media(m.MediaTempoGas, in.Campione);
        if (m.MediaTempoBenzina == -1) return 0;
        return Deviazione(m.MediaTempoGas, m.MediaTempoBenzina, m.MediaTempoBenzina);
    }
    m.MediaTempoBenzina = Media(m.MediaTempoBenzina, in.Campione);
    if (m.MediaTempoGas == -1) return 0;
    if (avvicinaGas) m.MediaTempoGas = Vicino(0.75 * m.MediaTempoBenzina + 0.25 * m.MediaTempoGas);
    return Deviazione(m.MediaTempoGas, m.MediaTempoBenzina, m.MediaTempoGas);
}

int32_t LimitaRiga(int32_t riga) { return riga >= 23 ? 22 : riga; }

int32_t LimitaColonna(int32_t colonna, bool vistaRidotta) {
    if (vistaRidotta) return colonna >= 23 ? 22 : colonna;
    return colonna >= 24 ? 23 : colonna;
}

int32_t ValoreBarra(int32_t d, int32_t minimo, int32_t massimo) {
    const int64_t v = static_cast<int64_t>(d) + 128;
    if (v > massimo) return massimo;
    if (v < minimo) return minimo;
    return static_cast<int32_t>(v);
}

const char* SegnoDeviazione(int32_t v) { return v - 128 >= 0 ? "+" : ""; }

int32_t ColoreMarcatore(bool gas) { return gas ? 0xFF00 : 0xFF; }
int32_t ColoreMarcatore2(bool gas) { return gas ? 0xB0FF30 : 0x80FF; }

int32_t AltezzaBarraCorrezione(int32_t d, int32_t altezzaPannello) {
    const double passo = altezzaPannello / 40.0;
    if (d < 0) return 15 * Vicino(passo * -static_cast<double>(d) / 15.0);
    return static_cast<int32_t>(passo * d);
}

} // namespace PuntoMatrice
