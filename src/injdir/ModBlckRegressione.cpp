#include "injdir/ModBlckRegressione.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/Conversioni.h"
#include "engine/ModMainRichieste.h"

namespace ModBlck {

bool CalcolaRegressione(const ParametriCurvaPressione& p, BloccoParametri& blocco, bool UltimaCoppia) {
    return CalcolaRegressione(p, blocco, UltimaCoppia, ModMain::PassiCompensazione[2]);
}

bool CalcolaRegressione(const ParametriCurvaPressione& p, BloccoParametri& blocco, bool UltimaCoppia, int32_t s) {
    const int32_t n = p.IndiceCentro;
    if (n < 1 || n > 13 || p.PressioneCentro <= 0 || s < 1) return false;
    const size_t necessari = 2 * 14 * static_cast<size_t>(s) + 2;
    if (blocco.Valori.size() < necessari) return false;
    const double inizio = static_cast<double>(p.PressioneBase) + p.OffsetInizio;
    const double fine = static_cast<double>(p.PressioneCentro) + p.OffsetFine;
    // The axis runs between its two ends and the centre, so non-negative ends
    // keep every ratio under the square root non-negative.
    if (inizio < 0 || fine < 0) return false;

    std::array<float, 15> X{}, Y{};
    const float centro = static_cast<float>(p.PressioneCentro);
    X[0] = static_cast<float>(inizio);
    X[14] = static_cast<float>(fine);
    X[static_cast<size_t>(n)] = centro;
    const float a = static_cast<float>((static_cast<double>(centro) - X[0]) / n);
    float somma = X[0];
    for (int k = 1; k <= n - 1; ++k) X[static_cast<size_t>(k)] = somma = somma + a;
    const float b = static_cast<float>((static_cast<double>(X[14]) - centro) / (14 - n));
    somma = centro;
    for (int k = n + 1; k <= 13; ++k) X[static_cast<size_t>(k)] = somma = somma + b;
    const double K = p.Ampiezza;
    for (size_t k = 0; k < 15; ++k) {
        const float r = static_cast<float>(static_cast<double>(X[k]) / centro);
        Y[k] = static_cast<float>(K - K * std::sqrt(static_cast<double>(r)));
    }

    // Computed into a copy: the block changes only when every value fits.
    std::vector<int32_t> v = blocco.Valori;
    for (size_t j = 0; j < 15; ++j) {
        const size_t q0 = j * 2 * static_cast<size_t>(s);
        const auto x = Conv::CLng(X[j]), y = Conv::CLng(Y[j]);
        if (!x || !y) return false;
        v[q0] = *x;
        v[q0 + 1] = *y;
        if (s > 1 && j >= 1) {
            const size_t q = q0 - 2 * static_cast<size_t>(s);
            const float dx = static_cast<float>((static_cast<double>(v[q0]) - v[q]) / s);
            const float dy = static_cast<float>((static_cast<double>(v[q0 + 1]) - v[q + 1]) / s);
            for (int32_t m = 1; m <= s - 1; ++m) {
                const auto xi = Conv::CLng(static_cast<double>(dx) * m + v[q]);
                const auto yi = Conv::CLng(static_cast<double>(dy) * m + v[q + 1]);
                if (!xi || !yi) return false;
                v[q + 2 * static_cast<size_t>(m)] = *xi;
                v[q + 2 * static_cast<size_t>(m) + 1] = *yi;
            }
        }
    }
    if (UltimaCoppia) v[v.size() - 1] = v[v.size() - 2] = 1;
    blocco.Valori = std::move(v);
    return true;
}

} // namespace ModBlck
