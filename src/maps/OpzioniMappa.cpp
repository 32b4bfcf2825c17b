#include "maps/OpzioniMappa.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"
#include "maps/MappeOperazioni.h"

namespace OpzioniMappa {

int32_t IndiceMoltiplicatore(const std::vector<int32_t>& valori, int32_t voci, int32_t valore) {
    for (int32_t k = 0; k < voci && static_cast<size_t>(k) < valori.size(); ++k)
        if (valori[static_cast<size_t>(k)] == valore) return k;
    return -1;
}

int32_t IndicePercentuale(const std::vector<std::string>& voci, int32_t valore) {
    for (size_t k = 0; k < voci.size(); ++k)
        if (PercentualeScelta(voci[k]) == valore) return static_cast<int32_t>(k);
    return -1;
}

std::optional<int32_t> MoltiplicatoreScelto(const std::vector<int32_t>& valori, int32_t indice) {
    if (indice < 0 || static_cast<size_t>(indice) >= valori.size()) return std::nullopt;
    return valori[static_cast<size_t>(indice)];
}

std::optional<int32_t> PercentualeScelta(const std::string& testo) {
    const auto n = MappeOperazioni::NumeroLocale(testo);
    if (!n || *n != std::floor(*n)) return std::nullopt;
    return Conv::CLng(*n);
}

uint8_t Byte15ConVista(uint8_t byte15, int k, bool vistaRidotta) {
    const uint8_t bit = MappeOperazioni::BitVista(k);
    return static_cast<uint8_t>(vistaRidotta ? (byte15 | bit) : (byte15 & ~bit));
}

int32_t FontPerLarghezza(int32_t w) {
    if (w > 570) return 14;
    if (w > 450) return 12;
    if (w > 405) return 10;
    return 8;
}

MisureMatrice CalcolaMisureMatrice(int32_t larghezzaGriglia, int32_t altezzaGriglia) {
    MisureMatrice m;
    const double w = Conv::ArrotondaPari((larghezzaGriglia - 360) / 25.0);
    m.LarghezzaColonna = std::max(360, static_cast<int32_t>(w));
    m.AltezzaRiga = std::max(0, static_cast<int32_t>(Conv::ArrotondaPari((altezzaGriglia - 345) / 24.0)));
    m.DimensioneFont = FontPerLarghezza(m.LarghezzaColonna);
    return m;
}

} // namespace OpzioniMappa
