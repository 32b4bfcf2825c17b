#include "compensation/CompensaModello.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"

namespace Compensa {

namespace {

const DefinizioneTabella ModelloTabelle[NumeroTabelle] = {
    {8, 1, 0, 4, 56, 0x7D, "\xC2\xB0"
                           "C"},
    {7, 1, 0, 4, 56, 0x7B, "\xC2\xB0"
                           "C"},
    {9, 1000, 2, 4, 56, 0x7F, "Bar"},
    {17, 51, 2, 4, 56, 0x81, "V"},
    {13, 1000, 1, 1, 14, 0x5E, "ms"},
};

// A double that fits a Long once rounded, halves to even.
std::optional<int32_t> ModelloLong(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = Conv::ArrotondaPari(x);
    if (r < INT32_MIN || r > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(r);
}

double ModelloArrotonda(double x, int32_t decimali) {
    const double f = std::pow(10.0, decimali);
    return Conv::ArrotondaPari(x * f) / f;
}

} // namespace

const DefinizioneTabella& Tabella(int t) { return ModelloTabelle[std::clamp(t, 0, NumeroTabelle - 1)]; }

std::optional<double> NumeroCella(const std::string& testo) {
    std::string t = testo;
    const char s = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    if (s != '.') {
        if (t.find('.') != std::string::npos) return std::nullopt;
        std::replace(t.begin(), t.end(), s, '.');
    }
    return Conv::CDbl(t);
}

std::string Formatta(double valore, int32_t decimali, int32_t cifre) {
    try {
        return ModGlobFunct::FormattaNumero(valore, decimali, cifre);
    } catch (const std::exception&) {
        return {};
    }
}

void TestiDaValori(int t, const std::vector<int32_t>& v, Griglia& g) {
    const auto& d = Tabella(t);
    for (int c = 1; c < Colonne; ++c) {
        const size_t k = 2 * static_cast<size_t>(d.passo * (c - 1));
        if (k < v.size())
            g[0][static_cast<size_t>(c)] = Formatta(static_cast<double>(v[k]) / d.divisore, d.decimali, 1);
        if (k + 1 < v.size()) g[1][static_cast<size_t>(c)] = Conv::CStr(v[k + 1]);
    }
}

void ValoriDaTesti(int t, const Griglia& g, std::vector<int32_t>& v) {
    const auto& d = Tabella(t);
    for (int c = 1; c < Colonne; ++c) {
        const size_t k = 2 * static_cast<size_t>(d.passo * (c - 1));
        if (k < v.size())
            if (const auto x = NumeroCella(g[0][static_cast<size_t>(c)]))
                if (const auto r = ModelloLong(*x * d.divisore)) v[k] = *r;
        if (k + 1 < v.size())
            if (const auto y = NumeroCella(g[1][static_cast<size_t>(c)]))
                if (const auto r = ModelloLong(*y)) v[k + 1] = *r;
        if (d.passo <= 1 || c <= 1 || k + 1 >= v.size()) continue;
        // The points between the previous shown point and this one, on the straight line.
        const size_t m = k - 2 * static_cast<size_t>(d.passo);
        const float sX = static_cast<float>(static_cast<double>(v[k]) - v[m]) / static_cast<float>(d.passo);
        const float sY = static_cast<float>(static_cast<double>(v[k + 1]) - v[m + 1]) / static_cast<float>(d.passo);
        const int32_t x0 = v[m], y0 = v[m + 1];
        for (int j = 1; j < d.passo; ++j) {
            const size_t i = m + 2 * static_cast<size_t>(j);
            if (const auto r = ModelloLong(static_cast<double>(sX) * j + x0)) v[i] = *r;
            if (const auto r = ModelloLong(static_cast<double>(sY) * j + y0)) v[i + 1] = *r;
        }
    }
}

void TrailerAbilitazione(std::vector<int32_t>& v, bool abilitata) {
    if (v.size() < 2) return;
    const size_t n = v.size() - 1;
    v[n - 1] = abilitata ? 1 : 0;
    v[n] = v[n - 1];
}

void TrailerSmagrimento(std::vector<int32_t>& v, bool abilitata, const std::optional<std::string>& ingresso,
                        const std::optional<std::string>& uscita) {
    if (v.size() < 2) return;
    const size_t n = v.size() - 1;
    std::optional<int16_t> e = ingresso ? Conv::CInt(*ingresso) : std::nullopt;
    const int32_t base = e ? static_cast<int32_t>(*e) : (v[n - 1] & 0x7FFF);
    v[n - 1] = abilitata ? (base | 0x8000) : base;
    if (uscita)
        if (const auto u = Conv::CInt(*uscita)) v[n] = *u;
}

void LimitaAlTipo(BloccoParametri& b) {
    const size_t n = std::min({b.CodiciTipo.size(), b.Scale.size(), b.Valori.size()});
    for (size_t k = 0; k < n; ++k) {
        const std::string& c = b.CodiciTipo[k];
        const int64_t scala = b.Scale[k];
        if (scala <= 0) continue;
        int64_t basso = 0, alto = 0;
        if (c == "UB") alto = 255;
        else if (c == "SB") basso = -128, alto = 127;
        else if (c == "UW") alto = 65535;
        else if (c == "SW") basso = -32768, alto = 32767;
        else continue;
        b.Valori[k] = static_cast<int32_t>(std::clamp<int64_t>(b.Valori[k], basso * scala, alto * scala));
    }
}

std::string TramaTabella(int t, const BloccoParametri& modello, const std::vector<int32_t>& valori) {
    BloccoParametri copia = modello;
    copia.Valori = valori;
    LimitaAlTipo(copia);
    std::string dati;
    ModBlck::CodificaBlocco(dati, copia);
    return ModBlck::CostruisciTrama(0x41, 0x02, Tabella(t).comando, dati);
}

int PrimaVoceAlmeno(const std::vector<std::string>& voci, int32_t valore) {
    for (size_t i = 0; i < voci.size(); ++i)
        if (const auto x = NumeroCella(voci[i]); x && *x >= valore) return static_cast<int>(i);
    return -1;
}

// ---- Editing

LimitiCella LimitiModificaCella(int riga, int t) {
    if (riga != 0) return {1, 10, 100, -100, 1, 0};
    switch (t) {
    case 2: return {10, 10, 4000, 0, 1000, 2};
    case 3: return {1, 10, 255, 0, 51, 2};
    case 4: return {100, 5, 20000, 0, 1000, 1};
    default: return {1, 10, 127, -127, 1, 0};
    }
}

bool TastoPiu(int16_t keyCode) { return keyCode == 187 || keyCode == 107; }
bool TastoMeno(int16_t keyCode) { return keyCode == 189 || keyCode == 109; }

int32_t Passo(int32_t grezzo, int16_t keyCode, int16_t shift, const LimitiCella& l) {
    const int64_t delta = shift == 1 ? static_cast<int64_t>(l.passo) * l.moltiplicatore : l.passo;
    int64_t v = grezzo;
    if (TastoPiu(keyCode)) v += delta;
    else if (TastoMeno(keyCode)) v -= delta;
    if (v > l.massimo) v = l.massimo;
    if (v < l.minimo) v = l.minimo;
    return static_cast<int32_t>(v);
}

std::optional<int32_t> Grezzo(const std::string& testo, const LimitiCella& l) {
    const auto x = NumeroCella(testo);
    if (!x) return std::nullopt;
    return ModelloLong(*x * l.scala);
}

std::string TestoGrezzo(double grezzo, const LimitiCella& l) {
    return Formatta(grezzo / l.scala, l.decimali, 1);
}

LimitiDialogo LimitiDialogoCella(const LimitiCella& l) {
    const int32_t ampiezza = l.massimo - l.minimo;
    return {ampiezza, -ampiezza, 100, -100, l.massimo, l.minimo};
}

double ApplicaOperazione(int32_t operazione, double cella, float valore, const LimitiCella& l) {
    float v = valore;
    switch (operazione) {
    case 1: v = static_cast<float>(cella * l.scala + static_cast<double>(valore) * l.scala); break;
    case 2: v = static_cast<float>(cella * l.scala * (static_cast<double>(valore) / 100.0 + 1.0)); break;
    case 3: v = static_cast<float>(static_cast<double>(valore) * l.scala); break;
    default: break;
    }
    if (v > static_cast<float>(l.massimo)) v = static_cast<float>(l.massimo);
    if (v < static_cast<float>(l.minimo)) v = static_cast<float>(l.minimo);
    return v;
}

std::vector<std::string> SpaziaAsse(double primo, double ultimo, int32_t decimali) {
    std::vector<std::string> r;
    const double passo = (ultimo - primo) / (Colonne - 2);
    for (int i = 2; i <= Colonne - 2; ++i)
        r.push_back(Formatta(ModelloArrotonda(primo + (i - 1) * passo, decimali), decimali, 1));
    return r;
}

std::vector<std::string> SpaziaCorrezioni(double primo, double ultimo) {
    std::vector<std::string> r;
    const double passo = (ultimo - primo) / (Colonne - 2);
    for (int i = 2; i <= Colonne - 2; ++i)
        r.push_back(Conv::CStr(static_cast<int64_t>(Conv::ArrotondaPari(primo + (i - 1) * passo))));
    return r;
}

std::vector<std::string> InterpolaSmag(double primo, double ultimo) {
    std::vector<std::string> r;
    const double passo = (ultimo - primo) / (Colonne - 2);
    for (int c = 2; c <= Colonne - 2; ++c) r.push_back(Conv::CStr(static_cast<int64_t>(Conv::Fix(primo + (c - 1) * passo))));
    return r;
}

bool CentraturaValida(int riga, int colonna) { return riga == 0 && colonna > 1 && colonna < 14; }

std::optional<std::vector<std::string>> Centra(int t, int riga, int colonna, const std::vector<std::string>& asse,
                                              const std::string& fattore) {
    if (t < 0 || t > 3 || !CentraturaValida(riga, colonna) || asse.size() < static_cast<size_t>(colonna)) return std::nullopt;
    const auto rif = NumeroCella(asse[static_cast<size_t>(colonna - 1)]);
    const auto f = NumeroCella(fattore);
    if (!rif || !f || !std::isfinite(*f) || std::fabs(*f) > 1e6) return std::nullopt;
    const double F = Conv::ArrotondaPari(*f);
    const bool temperatura = t <= 1;
    const double rifAssoluto = temperatura ? *rif + 273.15 : *rif;
    // A pressure reference of 0 divides by zero; negative points have no square root.
    if (rifAssoluto <= 0) return std::nullopt;
    std::vector<std::string> r;
    for (const auto& testo : asse) {
        const auto x = NumeroCella(testo);
        if (!x) return std::nullopt;
        const double xAssoluto = temperatura ? *x + 273.15 : *x;
        if (xAssoluto < 0) return std::nullopt;
        const double y = temperatura ? F * std::sqrt(xAssoluto / rifAssoluto) - F : F - F * std::sqrt(xAssoluto / rifAssoluto);
        const auto yl = ModelloLong(y);
        if (!yl) return std::nullopt;
        r.push_back(Conv::CStr(*yl));
    }
    return r;
}

std::string TestoCorrezione(int32_t v) {
    return v < 0 ? Conv::CStr(v) + " %" : "+ " + Conv::CStr(v) + " %";
}

// ---- Live view

std::optional<int32_t> Valore(const std::vector<int32_t>& v, size_t k) {
    if (k >= v.size()) return std::nullopt;
    return v[k];
}

std::optional<int32_t> IndiceVivo(int t, const std::vector<int32_t>& bloccoVivo) {
    static const size_t indici[NumeroTabelle] = {46, 45, 47, 52, 44};
    if (t < 0 || t >= NumeroTabelle) return std::nullopt;
    const auto v = Valore(bloccoVivo, indici[t]);
    if (!v) return std::nullopt;
    return t == 4 ? (*v & 15) : *v;
}

std::optional<int32_t> ColonnaViva(int t, const std::vector<int32_t>& bloccoVivo) {
    const auto i = IndiceVivo(t, bloccoVivo);
    if (!i) return std::nullopt;
    const int32_t passo = Tabella(t).passo;
    const auto p = ModelloLong(static_cast<double>(*i) / passo);
    return std::clamp(p.value_or(0), 0, Colonne - 1);
}

std::string TestoMonitor(const std::vector<int32_t>& bloccoVivo) {
    static const char* etichette[8] = {"ANALOG_IN1:   ", "ANALOG_IN2:   ", "ANALOG_RDAC1: ", "ANALOG_RDAC2: ",
                                       "ANALOG_RDAC3: ", "ANALOG_RDAC4: ", "LAMBDA_OUT_3: ", "LAMBDA_OUT_4: "};
    std::string r;
    for (size_t i = 0; i < 8; ++i) {
        const double f = i < 6 ? 5000.0 / 1023.0 : 5000.0 / 255.0;
        const double mv = static_cast<double>(Valore(bloccoVivo, 55 + i).value_or(0)) * f;
        if (i > 0) r += "\r\n";
        r += std::string(etichette[i]) + Formatta(mv, 0, 4) + " mV";
    }
    return r;
}

std::string TestoEsperto(int t, const std::vector<int32_t>& valori, int32_t indice) {
    const auto& d = Tabella(t);
    const int32_t cifre = d.decimali == 0 ? 3 : 1;
    const std::string trattini = d.decimali < 2 ? "---" : "----";
    std::string r;
    double x = 0;
    int32_t y = 0;
    for (int k = -2; k <= 2; ++k) {
        const int64_t q = static_cast<int64_t>(indice) + k;
        const std::string prefisso = k == 0 ? ">>" : "  ";
        if (q < 0 || q > d.ultimoPunto) {
            r += prefisso + "[---] " + trattini + " > -----\r\n";
            continue;
        }
        // A block shorter than the line needs repeats the previous line's values.
        if (const auto vx = Valore(valori, static_cast<size_t>(2 * q))) x = static_cast<double>(*vx) / d.divisore;
        if (const auto vy = Valore(valori, static_cast<size_t>(2 * q + 1))) y = *vy;
        const std::string s = y >= 0 ? "+" + Formatta(y, 0, 3) : Formatta(y, 0, 3);
        r += prefisso + "[" + Formatta(static_cast<double>(q), 0, 3) + "] " + Formatta(x, d.decimali, cifre) + " > " + s +
             "%\r\n";
    }
    return r;
}

} // namespace Compensa
