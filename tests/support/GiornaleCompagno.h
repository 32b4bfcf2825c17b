#pragma once
// The companion's test journal (request packets received since the last ask),
// split back into packets: each is len-lo len-hi code and five bytes, then
// its payload.
#include <cstdint>
#include <string>
#include <vector>

struct PacchettoRicevuto {
    int32_t codice = 0;
    std::string dati;
    // For an ECU frame: its command byte and its data (between L+cmd and the XOR).
    uint8_t Comando() const { return dati.size() > 3 ? static_cast<uint8_t>(dati[3]) : 0; }
    std::string DatiTrama() const { return dati.size() > 5 ? dati.substr(4, dati.size() - 5) : std::string(); }
};

inline std::vector<PacchettoRicevuto> DividiGiornale(const std::string& g) {
    std::vector<PacchettoRicevuto> out;
    size_t i = 0;
    while (i + 8 <= g.size()) {
        const size_t l = static_cast<uint8_t>(g[i]) + 256u * static_cast<uint8_t>(g[i + 1]);
        if (l < 8 || i + l > g.size()) break;
        out.push_back({static_cast<uint8_t>(g[i + 2]), g.substr(i + 8, l - 8)});
        i += l;
    }
    return out;
}
