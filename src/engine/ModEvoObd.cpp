#include "engine/ModEvoObd.h"

#include <iterator>

namespace ModEvoObd {

std::string ProssimoProtocolloObd(uint8_t& codice) {
    switch (codice) {
    case 1:
    case 2: codice = 3; break;
    case 4: codice = 5; break;
    case 5: codice = 6; break;
    case 6: codice = 7; break;
    case 7: codice = 8; break;
    case 8: codice = 1; break;
    default: codice = 4; break;
    }
    const char famiglia = codice <= 3 ? 1 : 4;
    return std::string{famiglia, static_cast<char>(codice), 1};
}

std::string NomeProtocolloObd(uint8_t codice) {
    static const char* const nomi[] = {"",           "ISO KL 5BAUD 9141", "ISO KL 5BAUD", "ISO KL FAST",
                                       "CAN STD50",  "CAN STD250",        "CAN STD500",   "CAN EXT250",
                                       "CAN EXT500", "J1850 PWM",         "J1850 VPW",    "GENERIC"};
    return codice < std::size(nomi) ? nomi[codice] : "";
}

std::string DecodificaDtc(uint8_t a, uint8_t b) {
    static const char lettere[] = {'P', 'C', 'B', 'U'};
    static const char hex[] = "0123456789ABCDEF";
    std::string t;
    t += lettere[(a & 0xC0) >> 6];
    t += static_cast<char>('0' + ((a & 0x30) >> 4));
    t += hex[a & 0x0F];
    t += hex[b >> 4];
    t += hex[b & 0x0F];
    return t;
}

bool CodificaDtc(const std::string& testo, int32_t& codice) {
    codice = 0;
    if (testo.size() != 5) return false;
    auto maiuscola = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    int32_t v = 0;
    switch (maiuscola(testo[0])) {
    case 'P': v = 0x0000; break;
    case 'C': v = 0x4000; break;
    case 'B': v = 0x8000; break;
    case 'U': v = 0xC000; break;
    default: return false;
    }
    if (testo[1] < '0' || testo[1] > '3') return false;
    v += (testo[1] - '0') * 0x1000;
    for (size_t i = 2; i < 5; ++i) {
        const char c = maiuscola(testo[i]);
        int32_t cifra = 0;
        if (c >= '0' && c <= '9') cifra = c - '0';
        else if (c >= 'A' && c <= 'F') cifra = c - 'A' + 10;
        else return false;
        v += cifra << (4 * (4 - static_cast<int>(i)));
    }
    codice = v;
    return true;
}

} // namespace ModEvoObd
