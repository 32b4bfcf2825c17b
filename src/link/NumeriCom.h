#pragma once
// Stable COM numbers of serial devices, for ports that VirUzo.ini does not
// name. The companion maps a number back to its device by the same rule, so
// the two must stay in step (tests/companion checks they do).
//   ttyS<k>   -> COM 1 + k     (k < 20)   built-in UART, COM1 = ttyS0
//   ttyUSB<k> -> COM 21 + k    (k < 20)   USB serial adapter
//   ttyACM<k> -> COM 41 + k    (k < 20)   USB CDC adapter
//   rfcomm<k> -> COM 61 + k    (k < 20)   Bluetooth serial link
// Anything else has no number (-1). COM 0 is the USB entry.
#include <cstdint>
#include <string>

namespace NumeriCom {

struct Famiglia {
    const char* prefisso;
    int32_t base;
};

inline constexpr Famiglia Famiglie[] = {{"ttyS", 1}, {"ttyUSB", 21}, {"ttyACM", 41}, {"rfcomm", 61}};
inline constexpr int32_t PerFamiglia = 20;

// "ttyUSB2" -> 23; -1 when the name follows no rule.
inline int32_t NumeroDaNome(const std::string& nome) {
    for (const Famiglia& f : Famiglie) {
        const std::string p = f.prefisso;
        if (nome.size() <= p.size() || nome.compare(0, p.size(), p) != 0) continue;
        int32_t k = 0;
        for (size_t i = p.size(); i < nome.size(); ++i) {
            if (nome[i] < '0' || nome[i] > '9') return -1;
            k = k * 10 + (nome[i] - '0');
            if (k >= PerFamiglia) return -1;
        }
        return f.base + k;
    }
    return -1;
}

// 23 -> "ttyUSB2"; empty when the number follows no rule.
inline std::string NomeDaNumero(int32_t numero) {
    for (const Famiglia& f : Famiglie)
        if (numero >= f.base && numero < f.base + PerFamiglia)
            return std::string(f.prefisso) + std::to_string(numero - f.base);
    return {};
}

} // namespace NumeriCom
