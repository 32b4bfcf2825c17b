#include "maps/CarburazioneMappatura.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"

namespace CarburazioneMappatura {

namespace CarburazioneMappatura_ {

constexpr int32_t Vuoto = 65535; // a point not known yet; grid values are 16-bit and never equal it

int32_t MetaPari(int32_t differenza) { return static_cast<int32_t>(Conv::ArrotondaPari(differenza / 2.0)); }

} // namespace CarburazioneMappatura_

using namespace CarburazioneMappatura_;

void CaricaMatriceInGriglia(TestiGriglia& g, const PaginaMappa& pagina, double Fact) {
    const double fattore = Fact == 0.0 ? 1.0 : Fact;
    for (int32_t i = 1; i <= 12 && i < g.Righe; ++i)
        for (int32_t j = 1; j <= 12 && j < g.Colonne; ++j)
            g(i, j) = MappeOperazioni::TestoNumero(pagina[2 * i - 2][2 * j - 2] / fattore);
}

bool CaricaGrigliaInMatrice(const TestiGriglia& g, PaginaMappa& pagina, double Fact, bool spiana) {
    if (g.Righe < LatoGrigliaRidotta || g.Colonne < LatoGrigliaRidotta) return false;
    MatriceInteri m;
    for (auto& riga : m) riga.fill(Vuoto);
    for (int32_t i = 1; i <= 12; ++i) {
        for (int32_t j = 1; j <= 12; ++j) {
            const std::string& testo = g(i, j);
            int32_t v = 128;
            if (!testo.empty()) {
                const auto n = MappeOperazioni::NumeroLocale(testo);
                if (!n) return false;
                const double giu = std::floor(*n * Fact);
                if (giu < -32768.0 || giu > 32767.0) return false;
                v = static_cast<int32_t>(giu);
            }
            m[2 * i - 2][2 * j - 2] = v;
        }
    }
    // Odd rows 1..19 of the even columns.
    for (int c = 0; c <= 22; c += 2)
        for (int r = 0; r <= 20; ++r)
            if (m[r][c] == Vuoto) {
                const int32_t b = m[r - 1][c], d = m[r + 1][c];
                m[r][c] = spiana ? b : b + MetaPari(d - b);
            }
    // Odd columns 1..21 of the even rows.
    for (int r = 0; r <= 22; r += 2)
        for (int c = 0; c <= 21; ++c)
            if (m[r][c] == Vuoto) {
                const int32_t b = m[r][c - 1], d = m[r][c + 1];
                m[r][c] = spiana ? b : b + MetaPari(d - b);
            }
    // Row 21 of the even columns and the odd rows of the odd columns: the
    // rounded mean of the points above and below.
    for (int c = 0; c <= 22; ++c)
        for (int r = 0; r <= 22; ++r)
            if (m[r][c] == Vuoto) {
                const int32_t su = m[r - 1][c], giu = m[r + 1][c];
                m[r][c] = spiana ? su : static_cast<int32_t>(Conv::ArrotondaPari((su + giu) / 2.0));
            }
    for (int r = 0; r <= 22; ++r) m[r][23] = m[r][22];
    for (int r = 0; r < RighePaginaMappa; ++r)
        for (int c = 0; c < ColonnePaginaMappa; ++c) pagina[r][c] = static_cast<uint8_t>(std::clamp(m[r][c], 0, 255));
    return true;
}

void CaricaAssiInMatrice(TestiGriglia& g, const ModBlck::AsseGiri& asseRpm, const ModBlck::AsseTempi& asseTinj) {
    for (int32_t k = 0; k < 12; ++k) {
        if (k + 1 < g.Colonne) {
            const double r = Conv::ArrotondaPari(asseRpm[IndiciRpmRidotti[k]] * 64.0 / 250.0);
            g(0, k + 1) = Conv::CStr(static_cast<int64_t>(r * 250.0));
        }
        if (k + 1 < g.Righe) {
            const float t = static_cast<float>(Conv::ArrotondaPari(asseTinj[IndiciTinjRidotti[k]] * 128.0 / 1000.0 / 0.125));
            g(k + 1, 0) = MappeOperazioni::TestoNumeroSingolo(t * 0.125f);
        }
    }
}

void SpianaInterpolazionedellaMappa(MatriceInteri& mat) {
    for (int r = 0; r < RighePaginaMappa; ++r)
        for (int c = 0; c <= 22; c += 2) mat[r][c + 1] = mat[r][c];
    for (int c = 0; c < ColonnePaginaMappa; ++c)
        for (int r = 0; r <= 20; r += 2) mat[r + 1][c] = mat[r][c];
}

} // namespace CarburazioneMappatura
