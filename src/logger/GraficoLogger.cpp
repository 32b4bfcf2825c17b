#include "logger/GraficoLogger.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"

namespace GraficoLogger {

namespace {

// Time at flat index k, or nothing past the end.
std::optional<int32_t> GraficoTempoA(const std::vector<int32_t>& c, size_t k) {
    if (k >= c.size()) return std::nullopt;
    return c[k];
}

// The first multiple of 9 past the last index.
int32_t GraficoOltreFine(const std::vector<int32_t>& c) {
    const size_t n = c.size();
    return static_cast<int32_t>((n + ModOscillo::Passo - 1) / ModOscillo::Passo * ModOscillo::Passo);
}

int32_t GraficoSecondiInteri(double ms) { return Intero(ms) / 1000 * 1000; }

} // namespace

int32_t Intero(double x) {
    if (!std::isfinite(x)) return 0;
    return static_cast<int32_t>(std::clamp(Conv::ArrotondaPari(x), -2147483648.0, 2147483647.0));
}

int32_t XPerTempo(int32_t t, int32_t tempoInizio, int32_t zoomTempo, int32_t xInizio) {
    return Intero(xInizio + zoomTempo / 100.0 * (static_cast<double>(t) - tempoInizio));
}

int32_t TopFreccia(int32_t H, int32_t offsetPercento) {
    return Intero(H / 100.0 * offsetPercento - AltezzaFreccia / 2.0);
}

int32_t ZeroCanale(int32_t H, int32_t offsetPercento) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t(TopFreccia(H, offsetPercento)) + ScartoZero, INT32_MAX));
}

int32_t YPerValore(int32_t y0, int32_t zoomPercento, int64_t v) {
    return Intero(y0 - zoomPercento / 1000.0 * static_cast<double>(v));
}

InizioPagina PaginaSuccessiva(const std::vector<int32_t>& campioni, int32_t tempoInizio, int32_t xFine, int32_t zoom) {
    InizioPagina p;
    if (zoom == 0) zoom = 100;
    p.Tempo = GraficoSecondiInteri(tempoInizio + static_cast<double>(xFine) / zoom * 50.0);
    p.Indice = GraficoOltreFine(campioni);
    for (size_t k = 0; k < campioni.size(); k += ModOscillo::Passo)
        if (campioni[k] > p.Tempo) {
            p.Indice = static_cast<int32_t>(k);
            break;
        }
    return p;
}

InizioPagina PaginaPrecedente(const std::vector<int32_t>& campioni, int32_t tempoInizio, int32_t xFine, int32_t zoom) {
    InizioPagina p;
    if (zoom == 0) zoom = 100;
    p.Tempo = GraficoSecondiInteri(tempoInizio - static_cast<double>(xFine) / zoom * 50.0);
    if (const auto primo = GraficoTempoA(campioni, 0); primo && *primo >= p.Tempo) p.Tempo = *primo;
    p.Indice = GraficoOltreFine(campioni);
    for (size_t k = 0; k < campioni.size(); k += ModOscillo::Passo)
        if (campioni[k] >= p.Tempo) {
            p.Indice = static_cast<int32_t>(k);
            break;
        }
    return p;
}

int32_t ZoomTempoIn(int32_t zoom) {
    switch (zoom) {
    case 100: return 50;
    case 50: return 20;
    case 20: return 10;
    default: return 100;
    }
}

int32_t ZoomTempoOut(int32_t zoom) {
    switch (zoom) {
    case 10: return 20;
    case 20: return 50;
    default: return 100;
    }
}

int32_t ZoomCanale(int32_t idVariabile, int32_t zoomLetto, bool ingrandisci) {
    // In 64 bits: a zoom read from the set-up file may lie anywhere, and every
    // result below is either that zoom or within the steps' limits.
    const int64_t zoom = zoomLetto;
    int64_t r = zoom;
    if (idVariabile == 42 || idVariabile == 43) {
        if (ingrandisci) r = zoom + 2000 <= 20000 ? zoom + 2000 : zoom;
        else r = zoom - 2000 >= 2000 ? zoom - 2000 : zoom;
    } else if (idVariabile == 34 || idVariabile == 35 || idVariabile == 36 || idVariabile == 38 || idVariabile == 39) {
        if (ingrandisci) r = zoom + 10 <= 1000 ? zoom + 10 : zoom;
        else r = zoom - 10 >= 10 ? zoom - 10 : zoom;
    } else if (ingrandisci) {
        r = zoom + 100 <= 1000 ? zoom + 100 : zoom;
    } else {
        r = zoom - 100 < 50 ? 100 : zoom - 100;
    }
    return static_cast<int32_t>(r);
}

std::string Numero(double v, const std::string& separatore) {
    std::string s = Conv::NumeroGenerale(v, '.');
    const size_t p = s.find('.');
    if (p != std::string::npos) s.replace(p, 1, separatore);
    return s;
}

std::string EtichettaOrigine(int32_t tempoInizio, int32_t tempoPrimo) {
    return std::to_string(Intero((static_cast<double>(tempoInizio) - tempoPrimo) / 1000.0)) + "s";
}

std::string EtichettaTick(int32_t f, int32_t xInizio, int32_t zoomTempo, const std::string& separatore) {
    if (zoomTempo == 0) zoomTempo = 100;
    const double s = (static_cast<double>(f) - xInizio) / (zoomTempo * 10.0);
    return "+" + Numero(Conv::ArrotondaPari(s * 1000.0) / 1000.0, separatore) + "s";
}

std::string TestoScroll(int32_t ms) {
    const int32_t s = ms / 1000;
    const int32_t minuti = (s % 3600) / 60;
    return std::to_string(s / 3600) + "'" + (minuti < 10 ? "0" : "") + std::to_string(minuti);
}

std::string DidascaliaCanale(const CanaleOscilloscopio& c, int32_t valore, const std::string& separatore) {
    const float fattore = c.IdVariabile == 34 ? 0.0328125f : c.Scala;
    const float mostrato = static_cast<float>(valore) * fattore;
    const double arrotondato = Conv::ArrotondaPari(static_cast<double>(mostrato) * 100.0) / 100.0;
    return c.Nome + " [x" + std::to_string(c.ZoomPercento) + "]\r\n" + Numero(arrotondato, separatore) + " " + c.Unita;
}

std::string DidascaliaTempo(int32_t ms) {
    const int32_t s = ms / 1000;
    const int32_t minuti = s / 60;
    return "Time: " + std::to_string(minuti) + "'" + std::to_string(s - 60 * minuti) + "\"" +
           std::to_string(ms - 1000 * s);
}

std::string RiepilogoObd(const DatiObd& d, const std::string (&voci)[4], const std::string& separatore) {
    auto riga = [&](int32_t s, int32_t a, int32_t b) {
        if (!d.Presenti) return std::string(" -- ; -- ; -- ");
        return ((s & 18) != 0 ? voci[2] : voci[3]) + " ; " + std::to_string(a) + " ; " + std::to_string(b);
    };
    std::string t = voci[0] + "\r\n" + riga(d.S1, d.N1, d.N2) + "\r\n" + voci[1] + "\r\n" + riga(d.S2, d.N3, d.N4);
    if (d.Presenti && d.Quinta) t += "\r\n" + Numero(Conv::ArrotondaPari(*d.Quinta * 1000.0) / 1000.0, separatore);
    return t;
}

double QuintaRigaLive(int32_t v50, int32_t v51) {
    return static_cast<double>(static_cast<float>(v50 * 256 + v51) * 0.0000305f);
}

std::optional<size_t> PuntoPagina(const std::vector<int32_t>& xPunti, double x) {
    for (size_t i = 0; i < xPunti.size(); ++i)
        if (x < xPunti[i]) {
            if (i == 0) return std::nullopt;
            return i;
        }
    return std::nullopt;
}

std::optional<size_t> PuntoLive(const std::vector<int32_t>& xPunti, double x) {
    if (xPunti.empty()) return std::nullopt;
    for (size_t i = 0; i + 1 < xPunti.size(); ++i)
        if (x < xPunti[i]) return i;
    return xPunti.size() - 1;
}

} // namespace GraficoLogger
