#include "injdir/InjDirRegole.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"

namespace InjDirRegole {

int IndicePosizione(int32_t parola, int32_t divisore, int conteggio) {
    if (divisore == 0) return -1;
    const double p = Conv::ArrotondaPari(static_cast<double>(parola) / divisore);
    return p >= 0 && p <= conteggio - 1 ? static_cast<int>(p) : -1;
}

int IndiceIntero(const Voci& voci, int32_t parola) {
    for (size_t i = 0; i < voci.size(); ++i)
        if (const auto v = ValoreIntero(voci[i]); v && *v == parola) return static_cast<int>(i);
    return -1;
}

int IndiceTimeShift(const Voci& voci, int32_t parola) {
    for (size_t i = 0; i < voci.size(); ++i)
        if (voci[i] && Conv::Fix(*voci[i] / 8.0) == static_cast<double>(parola)) return static_cast<int>(i);
    return -1;
}

int IndiceMillesimi(const std::vector<std::optional<int64_t>>& millesimi, int32_t parola) {
    for (size_t i = 0; i < millesimi.size(); ++i)
        if (millesimi[i] && *millesimi[i] == parola) return static_cast<int>(i);
    return -1;
}

int IndiceContributo(const std::vector<std::optional<int64_t>>& millesimi, int32_t parola, int32_t speciale) {
    if (parola == speciale) return static_cast<int>(millesimi.size()) - 1;
    for (size_t i = 0; i + 1 < millesimi.size(); ++i)
        if (const auto v = ValoreContributo(millesimi[i]); v && *v == parola) return static_cast<int>(i);
    return -1;
}

int IndicePidLambda(int32_t parola) {
    if (parola == 0) return 0;
    if (parola == 0x15) return 1;
    if (parola == 0x19) return 2;
    if (parola >= 0x34 && parola <= 0x3B) return 3 + (parola - 0x34);
    return -1;
}

std::optional<int32_t> ValoreIntero(const std::optional<double>& voce) {
    if (!voce) return std::nullopt;
    return Conv::CLng(*voce);
}

std::optional<int32_t> ValoreTimeShift(const std::optional<double>& voce) {
    if (!voce) return std::nullopt;
    return Conv::CLng(Conv::Fix(*voce / 8.0));
}

std::optional<int32_t> ValoreMillesimi(const std::optional<int64_t>& millesimi) {
    if (!millesimi || *millesimi < INT32_MIN || *millesimi > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(*millesimi);
}

std::optional<int32_t> ValoreContributo(const std::optional<int64_t>& millesimi) {
    if (!millesimi) return std::nullopt;
    const int64_t v = *millesimi / 32; // integer division truncates toward zero
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(v);
}

int32_t PidLambdaDaIndice(int indice) {
    if (indice == 1) return 0x15;
    if (indice == 2) return 0x19;
    if (indice >= 3 && indice <= 10) return 0x34 + (indice - 3);
    return 0;
}

std::string ListaMapH(char separatore) {
    std::string r;
    for (int i = 0; i <= 102; ++i) {
        // Thousandths of a volt, rounded to even, written without trailing zeros.
        const double milli = Conv::ArrotondaPari(i * 10 * 5.0 / 1024.0 * 1000.0);
        if (i) r += '|';
        r += Conv::NumeroGenerale(milli / 1000.0, separatore);
    }
    return r;
}

std::string ListaInteri(int32_t primo, int32_t ultimo) {
    std::string r;
    for (int32_t k = primo; k <= ultimo; ++k) {
        if (k != primo) r += '|';
        r += std::to_string(k);
    }
    return r;
}

std::optional<int32_t> ValoreContributoDaRighe(const std::vector<std::string>& righe, size_t i) {
    if (i + 2 >= righe.size()) return std::nullopt;
    const auto v = Conv::CDbl(Conv::Trim(righe[i + 2]));
    if (!v) return std::nullopt;
    return Conv::CLng(*v);
}

bool TastoPasso(int16_t tasto) { return tasto == 187 || tasto == 107 || tasto == 189 || tasto == 109; }

namespace {
int32_t InjLimita(double v) {
    const double r = Conv::ArrotondaPari(v);
    if (!(r > AnticipoMinimo)) return AnticipoMinimo; // NaN included
    if (r > AnticipoMassimo) return AnticipoMassimo;
    return static_cast<int32_t>(r);
}
} // namespace

int32_t Passo(int32_t valore, int16_t tasto, int16_t maiuscole) {
    const int32_t passo = maiuscole == 1 ? 10 : 1;
    const bool su = tasto == 187 || tasto == 107;
    return InjLimita(static_cast<double>(valore) + (su ? passo : -passo));
}

std::optional<int32_t> ValoreDialogo(double cella, int32_t operazione, double valore) {
    switch (operazione) {
    case 1: return InjLimita(cella + valore);
    case 2: return InjLimita(cella * (valore / 100.0 + 1.0));
    case 3: return InjLimita(valore);
    default: return std::nullopt;
    }
}

Posto PostoIndicatore(int32_t colonna, int grigliaSinistra, int grigliaAlto, int larghezzaColonna0, int altezzaRiga0) {
    if (colonna > 23) colonna = 23;
    Posto p;
    p.larghezza = std::max(larghezzaColonna0 - 1, 1);
    p.altezza = std::max(static_cast<int>(Conv::ArrotondaPari(altezzaRiga0 / 3.0)), 1);
    p.alto = grigliaAlto + altezzaRiga0 - p.altezza / 2;
    p.sinistra = grigliaSinistra + colonna * larghezzaColonna0 + larghezzaColonna0;
    return p;
}

int32_t ColoreIndicatore(int32_t attuale, int32_t statoCarburante) {
    if (statoCarburante == 0) return attuale == 0x80FF ? 0xFFFF : 0x80FF;
    return attuale == 0xFFFF00 ? 0xFF8000 : 0xFFFF00;
}

int32_t MediaCella(int64_t somma, int32_t campioni) {
    if (campioni <= 0) return 0;
    return static_cast<int32_t>(Conv::ArrotondaPari(static_cast<double>(somma) / campioni));
}

} // namespace InjDirRegole
