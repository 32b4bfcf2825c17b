#include "settings/GestioneRegole.h"

#include <cmath>

#include "core/Conversioni.h"

namespace GestioneRegole {

bool GiriDa(double v, int32_t byte8) { return v / 100.0 == byte8; }
bool GiriFine(double v, int32_t byte0) { return Conv::Fix(v / 100.0) == byte0; }
bool TempoInjBen(int64_t m, int32_t byte9) { return m / 256 == byte9; }
bool Passi32(int64_t m, int32_t byte) { return m / 32 == byte; }
bool TempoMortoGas(int64_t m, int32_t valore) { return m == valore; }
bool MinOn(int64_t m, int32_t valore) { return m >= valore; }
bool GiriMinimo(double v, int32_t byte6) { return byte6 * 50.0 == v; }
bool GiriA(double v, int32_t byte7) { return Conv::Fix(v / 50.0) == byte7; }
bool Intero(double v, int32_t valore) { return Conv::Fix(v) == valore; }
int32_t IndiceSogliaUscita(int32_t valore) { return valore / 20; }

std::vector<std::string> ListaSogliaUscita(char separatore) {
    std::vector<std::string> r;
    for (int32_t k = 0; k <= 50; ++k) {
        const int32_t c = 20 * k;
        const double volt = Conv::ArrotondaPari(c * 5.0 / 1024.0 * 1000.0) / 1000.0;
        r.push_back(Conv::NumeroGenerale(volt, separatore) + " (" + std::to_string(c) + ")");
    }
    return r;
}

std::optional<uint8_t> ByteCentinaia(double v) {
    const double b = Conv::Fix(v / 100.0);
    if (!(b >= 0 && b <= 255)) return std::nullopt;
    return static_cast<uint8_t>(b);
}

std::optional<uint8_t> ByteMillesimi(int64_t m, int32_t passo) {
    if (passo <= 0) return std::nullopt;
    const int64_t b = m / passo;
    if (b < 0 || b > 255) return std::nullopt;
    return static_cast<uint8_t>(b);
}

std::optional<std::pair<uint8_t, uint8_t>> ByteGiriMinimo(double v) {
    const double b = Conv::Fix(v / 50.0);
    if (!(b >= 0 && b + 4 <= 255)) return std::nullopt;
    return std::make_pair(static_cast<uint8_t>(b), static_cast<uint8_t>(b + 4));
}

std::optional<EsitoGiriA> ByteGiriA(double v, uint8_t byte6) {
    const double b = Conv::Fix(v / 50.0);
    if (!(b >= 0 && b <= 255)) return std::nullopt;
    const int32_t minimo = byte6 + 4;
    if (b < minimo) {
        if (minimo > 255) return std::nullopt;
        return EsitoGiriA{static_cast<uint8_t>(minimo), true};
    }
    return EsitoGiriA{static_cast<uint8_t>(b), false};
}

int32_t MinOnMicrosecondi(int64_t m) { return static_cast<int32_t>(m / 8 * 8); }

StatoOpzioni Opzioni(uint8_t bits, uint8_t nessuna, uint8_t opzione1, uint8_t opzione2) {
    StatoOpzioni s;
    if (bits == nessuna) {
        s.immaginiVuote = true;
        return s;
    }
    s.didascalie = true;
    const int i = bits == opzione1 ? 1 : bits == opzione2 ? 2 : 0;
    s.premuto[static_cast<size_t>(i)] = true;
    return s;
}

uint8_t ByteOpzione(uint8_t byte15, uint8_t maschera, int indice) {
    uint8_t b = static_cast<uint8_t>(byte15 & ~maschera);
    const int spostamento = maschera == 0xC0 ? 6 : 4;
    if (indice == 1 || indice == 2) b = static_cast<uint8_t>(b | (indice << spostamento));
    return b;
}

AbilitaAlte AbilitazioniAlte(uint8_t byte15) {
    switch (byte15 & 0xC0) {
    case 0x00: return {false, false, true};
    case 0x40: return {true, false, true};
    case 0x80: return {true, true, true};
    default: return {false, false, std::nullopt};
    }
}

AbilitaBasse AbilitazioniBasse(uint8_t byte15) {
    switch (byte15 & 0x30) {
    case 0x00: return {false, false};
    case 0x10: return {true, false};
    default: return {true, true};
    }
}

std::optional<int32_t> IsteresiLimitata(uint8_t byte9, int32_t isteresi, const std::vector<int32_t>& voci) {
    const int32_t t = byte9 * 256;
    if (t >= isteresi) return std::nullopt;
    size_t g = 0;
    for (size_t i = 0; i < voci.size(); ++i)
        if (voci[i] > t) {
            g = i == 0 ? 0 : i - 1;
            break;
        }
    if (g == 0 || g >= voci.size()) return std::nullopt;
    return voci[g];
}

std::array<std::optional<Lampada>, 4> Lampade(uint8_t byte15, std::optional<int32_t> flag37,
                                              std::optional<int32_t> tabSmag44, std::optional<int32_t> maxDuty5) {
    std::array<std::optional<Lampada>, 4> r;
    auto lampada = [](bool mostra, std::optional<int32_t> live, int32_t bit) -> std::optional<Lampada> {
        if (!mostra) return Lampada{false, false};
        if (!live) return std::nullopt;
        return Lampada{true, (*live & bit) != 0};
    };
    r[0] = lampada((byte15 & 0x30) != 0, flag37, 0x40);
    r[1] = lampada((byte15 & 0x40) != 0, flag37, 0x20);
    r[2] = lampada((byte15 & 0x80) != 0, tabSmag44, 0x40);
    if (maxDuty5) r[3] = lampada((*maxDuty5 & 0x01) != 0, tabSmag44, 0x10);
    return r;
}

} // namespace GestioneRegole
