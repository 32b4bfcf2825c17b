#include "link/ModBlckTrame.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"

namespace ModBlck {
namespace {

// A whole number the byte arithmetic below can hold, whatever the double.
int64_t InteroLimitato(double x) {
    if (std::isnan(x)) return 0;
    constexpr double limite = 9.0e18;
    return static_cast<int64_t>(std::clamp(x, -limite, limite));
}

// Bytes (lowest first) of one parameter's raw value by the encoder's rounding rules.
bool ByteGrezzi(const std::string& tipo, double valore, int32_t scala, uint8_t out[4], int& n) {
    if (scala == 0) return false;
    const double grezzo = valore / static_cast<double>(scala);
    uint64_t v = 0;
    if (tipo == "UB") {
        n = 1;
        v = static_cast<uint64_t>(InteroLimitato(Conv::ArrotondaPari(grezzo)));
    } else if (tipo == "SB") {
        n = 1;
        v = static_cast<uint64_t>(std::clamp<int64_t>(InteroLimitato(std::floor(grezzo)), -128, 127));
    } else if (tipo == "UW" || tipo == "SW") {
        n = 2;
        v = static_cast<uint64_t>(InteroLimitato(Conv::ArrotondaPari(grezzo)));
    } else if (tipo == "SL") {
        n = 4;
        v = static_cast<uint64_t>(InteroLimitato(Conv::ArrotondaPari(grezzo)));
    } else {
        return false;
    }
    for (int i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
    return true;
}

} // namespace

uint8_t CalcolaXor(const std::string& byte) {
    uint8_t x = 0;
    for (const char c : byte) x ^= static_cast<uint8_t>(c);
    return x;
}

std::string CostruisciTrama(uint8_t inizio, uint8_t direzione, uint8_t comando, const std::string& dati) {
    if (dati.size() > MassimoDatiTrama) return {};
    std::string t;
    t.reserve(dati.size() + 5);
    t += static_cast<char>(inizio);
    t += static_cast<char>(direzione);
    t += static_cast<char>(dati.size() + 3);
    t += static_cast<char>(comando);
    t += dati;
    t += static_cast<char>(CalcolaXor(t));
    return t;
}

std::string CostruisciRispostaBlocco(const BloccoParametri& blocco, uint8_t comando) {
    // Data bytes of the last reply: from position 6 up to the byte before the check byte.
    std::string dati;
    const std::string& prec = blocco.UltimaRisposta;
    if (prec.size() > 6) dati = prec.substr(5, prec.size() - 6);
    if (dati.size() > MassimoDatiRisposta) dati.resize(MassimoDatiRisposta);

    const size_t n = blocco.CodiciTipo.size();
    for (size_t k = 0; k < n; ++k) {
        if (k >= blocco.Offset.size() || k >= blocco.Scale.size() || k >= blocco.Valori.size()) break;
        uint8_t b[4];
        int quanti = 0;
        const std::string& tipo = blocco.CodiciTipo[k];
        if (!ByteGrezzi(tipo, blocco.Valori[k], blocco.Scale[k], b, quanti)) continue;
        // Data index of each byte, in the order the decoder reads them:
        // "SL" takes o+2, o+1, o+4, o+3 from the lowest byte up.
        const int64_t o = static_cast<int64_t>(blocco.Offset[k]) - 6;
        int64_t pos[4] = {o, o + 1, 0, 0};
        if (tipo == "SL") {
            pos[0] = o + 2; pos[1] = o + 1; pos[2] = o + 4; pos[3] = o + 3;
        }
        const int64_t minimo = *std::min_element(pos, pos + quanti);
        const int64_t massimo = *std::max_element(pos, pos + quanti);
        if (minimo < 0 || massimo >= static_cast<int64_t>(MassimoDatiRisposta)) continue;
        if (static_cast<size_t>(massimo) >= dati.size()) dati.resize(static_cast<size_t>(massimo) + 1, '\0');
        for (int i = 0; i < quanti; ++i) dati[static_cast<size_t>(pos[i])] = static_cast<char>(b[i]);
    }

    std::string t;
    t += static_cast<char>(InizioRisposta);
    t += static_cast<char>(DirezioneRisposta);
    t += static_cast<char>(dati.size() + 4);
    t += static_cast<char>(comando);
    t += '\0';
    t += dati;
    t += static_cast<char>(CalcolaXor(t));
    return t;
}

} // namespace ModBlck
