#include "core/ModBlckBlocchi.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"

namespace ModBlck {

int32_t ValoreDopoDecodifica(int32_t tipo, size_t k, int32_t valore) {
    // The ECU record (type 5) holds 4, 6 or 8 cylinders; anything else reads as 8.
    if (tipo == 5 && k == 6 && valore != 6 && valore != 4) return 8;
    return valore;
}

BloccoParametri& BloccoDefinito(size_t n) {
    if (n < TabellaBlocchi.size()) return TabellaBlocchi[n];
    static BloccoParametri vuoto;
    vuoto = BloccoParametri{};
    return vuoto;
}

namespace {

// Byte at reply position p (counted from 1 at the 0x42).
std::optional<uint32_t> Byte(const std::string& r, int64_t p) {
    if (p < 1 || p > static_cast<int64_t>(r.size())) return std::nullopt;
    return static_cast<uint8_t>(r[static_cast<size_t>(p - 1)]);
}

std::optional<int64_t> LeggiGrezzo(const std::string& r, const std::string& codice, int64_t o) {
    if (codice == "UB" || codice == "SB") {
        const auto b = Byte(r, o);
        if (!b) return std::nullopt;
        if (codice == "UB") return *b;
        return static_cast<int8_t>(*b);
    }
    if (codice == "UW" || codice == "SW") {
        const auto b0 = Byte(r, o), b1 = Byte(r, o + 1);
        if (!b0 || !b1) return std::nullopt;
        const uint32_t w = *b0 + 256u * *b1;
        if (codice == "UW") return w;
        return static_cast<int16_t>(static_cast<uint16_t>(w));
    }
    if (codice == "SL") {
        // Four bytes from o+1: the two 16-bit halves high byte first, low half first.
        const auto b1 = Byte(r, o + 1), b2 = Byte(r, o + 2), b3 = Byte(r, o + 3), b4 = Byte(r, o + 4);
        if (!b1 || !b2 || !b3 || !b4) return std::nullopt;
        const uint32_t v = *b2 | (*b1 << 8) | (*b4 << 16) | (*b3 << 24);
        return static_cast<int32_t>(v);
    }
    return std::nullopt;
}

size_t NumeroParametri(const BloccoParametri& b) {
    return std::min({b.CodiciTipo.size(), b.Offset.size(), b.Scale.size(), b.Valori.size()});
}

// raw rounded halves to even, as a 64-bit count whose low bits are written;
// nothing when it cannot be rounded (not finite or beyond 64 bits).
std::optional<int64_t> Arrotondato(double grezzo) {
    if (!std::isfinite(grezzo)) return std::nullopt;
    const double r = Conv::ArrotondaPari(grezzo);
    if (r < -9.2e18 || r > 9.2e18) return std::nullopt;
    return static_cast<int64_t>(r);
}

void AggiungiByte(std::string& dati, uint64_t v, int quanti) {
    for (int i = 0; i < quanti; ++i) dati.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

std::optional<int32_t> DecodificaValore(const std::string& risposta, const BloccoParametri& b, size_t k) {
    if (k >= NumeroParametri(b)) return std::nullopt;
    const auto grezzo = LeggiGrezzo(risposta, b.CodiciTipo[k], b.Offset[k]);
    if (!grezzo) return std::nullopt;
    const int64_t v = *grezzo * static_cast<int64_t>(b.Scale[k]);
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(v);
}

void DecodificaBlocco(const std::string& risposta, BloccoParametri& blocco) {
    blocco.TempoMs = 0;
    const size_t n = NumeroParametri(blocco);
    for (size_t k = 0; k < n; ++k)
        if (const auto v = DecodificaValore(risposta, blocco, k)) blocco.Valori[k] = *v;
    if (blocco.Valori.size() > 6) blocco.Valori[6] = ValoreDopoDecodifica(blocco.Tipo, 6, blocco.Valori[6]);
    if (PassoDecodificaTipo) PassoDecodificaTipo(blocco);
}

void CodificaBlocco(std::string& dati, const BloccoParametri& blocco) {
    dati.clear();
    const size_t n = std::min({blocco.CodiciTipo.size(), blocco.Scale.size(), blocco.Valori.size()});
    for (size_t k = 0; k < n; ++k) {
        const std::string& c = blocco.CodiciTipo[k];
        const double grezzo = static_cast<double>(blocco.Valori[k]) / static_cast<double>(blocco.Scale[k]);
        if (c == "SB") {
            // Rounded down and clamped, unlike the other codes.
            double v = std::isfinite(grezzo) ? std::floor(grezzo) : 0.0;
            v = std::clamp(v, -128.0, 127.0);
            AggiungiByte(dati, static_cast<uint64_t>(static_cast<int64_t>(v)), 1);
            continue;
        }
        int larghezza = 0;
        if (c == "UB") larghezza = 1;
        else if (c == "UW" || c == "SW") larghezza = 2;
        else if (c == "SL") larghezza = 4;
        else continue; // an unknown code adds nothing
        const auto r = Arrotondato(grezzo);
        AggiungiByte(dati, r ? static_cast<uint64_t>(*r) : 0u, larghezza);
    }
}

int32_t CercaIndiceSensore(int16_t chiave) {
    for (size_t i = 0; i < SensoriLivello.size(); ++i)
        if (SensoriLivello[i].Codice == chiave) return static_cast<int32_t>(i);
    return -1;
}

int32_t CercaIndiceLambda(int16_t chiave) {
    for (size_t i = 0; i < SondeLambda.size(); ++i)
        if (SondeLambda[i].Id == chiave) return static_cast<int32_t>(i);
    return -1;
}

float CalcolaFattoreGiriTempo(int32_t n, int32_t a) {
    if (n == 0 || n > 8 || a > 8) return 1.0f;
    return static_cast<float>((static_cast<double>(a) * 240000000.0) / (static_cast<double>(n) * 16.0));
}

int32_t CalcolaCostanteGiriTempo(int32_t v) { return v == 2 ? 7500000 : 15000000; }

} // namespace ModBlck
