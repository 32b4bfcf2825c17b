#include "core/ModRetta.h"

#include <cmath>

#include "core/Conversioni.h"

namespace ModRetta {

namespace {

constexpr float PassoTempo = 0.128f; // ms per curve entry
constexpr int UltimaVoce = 191;

// Scale of entry j inside the page: 0..179 in units of 8 us, 180 and 181 in
// thousandths, the breakpoint steps as they are.
double FattoreParola(int j) {
    if (j <= 179) return 1000.0 / 8.0;
    if (j <= 181) return 1000.0;
    return 1.0;
}

} // namespace

void CalcolaCurvaRetta(CurvaRetta& curva, const RecordRettaCorrezione& r) {
    const float offset = r.Offset;
    for (int k = 1; k <= 8; ++k) {
        const float d = r.X[k] - r.X[k - 1];
        const float f = r.Y[k] - r.X[k] - offset;
        const float l = r.Y[k - 1] - r.X[k - 1] - offset;
        for (int i = 0; i <= UltimaVoce; ++i) {
            const float t = static_cast<float>(i) * PassoTempo;
            if (r.X[k - 1] <= t && t < r.X[k]) {
                const float v = l + (f - l) / d * (t - r.X[k - 1]) + offset;
                if (!std::isfinite(v)) return; // a floating-point failure ends the computation
                curva[i] = v;
            } else if (t > r.X[k]) {
                break;
            }
        }
    }
    // Entry 172 (22.016 ms) has no l term: it is Y(8) - X(8) only when X(8) is 22.016.
    const float d8 = r.X[8] - r.X[7];
    if (d8 == 0.0f) return; // division by zero: entries 172..190 keep their values
    const float f8 = r.Y[8] - r.X[8] - offset;
    const float v172 = f8 / d8 * (22.016f - r.X[7]) + offset;
    if (!std::isfinite(v172)) return;
    curva[172] = v172;
    for (int i = 173; i <= UltimaVoce - 9; ++i) curva[i] = v172;
    curva[180] = offset;
    curva[181] = r.Fattore;
    curva[182] = r.X[0];
    for (int k = 1; k <= 8; ++k) {
        const auto passi = Conv::CLng(static_cast<double>(r.X[k] / PassoTempo));
        if (!passi) return;
        curva[182 + k] = static_cast<float>(*passi);
    }
}

void CompattaCurvaInMappa(PaginaMappa& pagina, const CurvaRetta& curva) {
    int j = 0;
    bool altoInSospeso = false;
    int32_t parola = 0;
    for (int n = 0; n < CellePaginaMappa; ++n) {
        uint8_t& cella = CellaMappa(pagina, n);
        if (j > UltimaVoce) {
            cella = 0;
        } else if (altoInSospeso) {
            cella = static_cast<uint8_t>((parola & 0xFF00) / 256);
            altoInSospeso = false;
            ++j;
        } else {
            // A value that does not round into 32 bits leaves the previous word.
            if (auto w = Conv::CLng(static_cast<double>(curva[j]) * FattoreParola(j))) parola = *w;
            cella = static_cast<uint8_t>(parola & 0xFF);
            altoInSospeso = true;
        }
    }
}

void EstraiCurvaDaMappa(const PaginaMappa& pagina, CurvaRetta& curva) {
    int j = 0;
    bool altoInSospeso = false;
    int32_t basso = 0;
    for (int n = 0; n < CellePaginaMappa && j <= UltimaVoce; ++n) {
        const uint8_t cella = CellaMappa(pagina, n);
        if (!altoInSospeso) {
            basso = cella;
            curva[j] = static_cast<float>(cella);
            altoInSospeso = true;
        } else {
            int32_t parola = basso + 256 * cella;
            if (parola >= 32768) parola -= 65536;
            curva[j] = static_cast<float>(parola / FattoreParola(j));
            altoInSospeso = false;
            ++j;
        }
    }
}

} // namespace ModRetta
