// Writes the operator access-code table: 65,535 values, a fixed shuffle of
// 0..65534, so that every entry is also a valid challenge. The marker and the
// values are encoded one by one and joined with "|"; that text is cut into
// 2,049 lines of nearly equal length (the program joins them again).
//
// Usage: codiciop <output file>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "CodificaTesto.h"

namespace {

constexpr int32_t NumeroValori = 65535;
constexpr int32_t NumeroRighe = 2049;

// xorshift32 with a fixed seed: the table is the same on every build.
struct Generatore {
    uint32_t stato = 0x6D6F6E64u;
    uint32_t Prossimo() {
        stato ^= stato << 13;
        stato ^= stato >> 17;
        stato ^= stato << 5;
        return stato;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: codiciop <output file>\n");
        return 2;
    }
    std::vector<int32_t> valori(NumeroValori);
    std::iota(valori.begin(), valori.end(), 0);
    Generatore g;
    for (int32_t i = NumeroValori - 1; i > 0; --i) {
        const auto j = static_cast<int32_t>(g.Prossimo() % static_cast<uint32_t>(i + 1));
        std::swap(valori[static_cast<size_t>(i)], valori[static_cast<size_t>(j)]);
    }

    std::string testo = CodificaTesto::CodificaRiga(CodificaTesto::Marcatore);
    for (int32_t v : valori) {
        testo += '|';
        testo += CodificaTesto::CodificaRiga(std::to_string(v));
    }

    std::ofstream uscita(argv[1], std::ios::binary | std::ios::trunc);
    const size_t lunghezza = testo.size();
    for (int32_t r = 0; r < NumeroRighe; ++r) {
        const size_t da = lunghezza * static_cast<size_t>(r) / NumeroRighe;
        const size_t a = lunghezza * static_cast<size_t>(r + 1) / NumeroRighe;
        if (r > 0) uscita << "\r\n";
        uscita << testo.substr(da, a - da);
    }
    if (!uscita) {
        std::fprintf(stderr, "codiciop: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
