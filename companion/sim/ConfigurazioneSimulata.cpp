#include "ConfigurazioneSimulata.h"

#include <algorithm>
#include <array>

#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {

// Breakpoints of the map columns (x 64 rpm: 0 to 7,424 rpm) and rows (x 0.128 ms: 0 to 21.8 ms).
constexpr std::array<int, 24> AsseGiri = {0,  10, 13, 16, 19, 22, 25, 28, 31, 34, 38,  42,
                                          46, 50, 55, 60, 65, 70, 76, 82, 88, 96, 106, 116};
constexpr std::array<int, 23> AsseTempi = {0,  8,  12, 16, 20, 24,  28,  32,  38,  44,  50, 56,
                                           63, 70, 78, 86, 95, 105, 116, 128, 142, 157, 170};

template <size_t N>
std::string VettoreDaAsse(const std::array<int, N>& asse, size_t passi) {
    std::string v(passi, '\0');
    for (size_t i = 0; i < passi; ++i) {
        size_t k = 0;
        while (k + 1 < N && static_cast<int>(i) >= asse[k + 1]) ++k;
        v[i] = static_cast<char>(k);
    }
    return v;
}

} // namespace

std::string MappaIniziale(int p) {
    constexpr int Righe = 23, Colonne = 24;
    std::string m(Righe * Colonne, '\0');
    for (int c = 0; c < Colonne; ++c)
        for (int r = 0; r < Righe; ++r) {
            int v = 0;
            switch (p) {
            case 0: v = 112 + 2 * r + c - (c > 16 ? (c - 16) * 2 : 0); break; // richer with load, leaner at high rpm
            case 1: v = 128 + ((r * 3 + c * 5) % 7) - 3; break;              // adaptive: about neutral
            default: v = 96 + c + r / 2; break;
            }
            m[static_cast<size_t>(r + Righe * c)] = static_cast<char>(std::clamp(v, 0, 255));
        }
    return m;
}

std::string VettoreRpmIniziale() { return VettoreDaAsse(AsseGiri, 128); }
std::string VettoreTinjIniziale() { return VettoreDaAsse(AsseTempi, 180); }

void ImpostaConfigurazioneIniziale(CentralinaSimulata& c) {
    constexpr size_t BloccoNome = 18;
    if (c.NumeroBlocchi() <= BloccoNome) return;
    std::string testo = "Redadi Inj Custom";
    testo.resize(40, ' ');
    std::string nota = "Factory configuration";
    nota.resize(80, ' ');
    testo += nota;
    for (size_t k = 0; k < testo.size(); ++k) c.ImpostaValore(BloccoNome, k, static_cast<uint8_t>(testo[k]));
}

} // namespace Simulazione
