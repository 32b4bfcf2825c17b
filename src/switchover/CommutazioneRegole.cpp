#include "switchover/CommutazioneRegole.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/Conversioni.h"
#include "link/ModBlckTrame.h"

namespace CommutazioneRegole {

std::vector<double> PostiRighe(const std::vector<double>& posti, const std::vector<bool>& mostrate) {
    std::vector<double> r = posti;
    size_t libero = 0;
    for (size_t i = 0; i < posti.size(); ++i)
        if (i < mostrate.size() && mostrate[i]) r[i] = posti[libero++];
    return r;
}

namespace {

int32_t RegoleLong(double x) {
    const double r = Conv::ArrotondaPari(x);
    return static_cast<int32_t>(std::clamp(r, -2147483648.0, 2147483647.0));
}

int32_t RegoleValore(const std::vector<int32_t>& v, size_t k) { return k < v.size() ? v[k] : 0; }

} // namespace

int32_t DeltaGiri(int32_t giri) { return giri > 2 ? giri - 2 : giri; }

int32_t Periodo(float x, int32_t d) {
    if (d == 0) return 65535;
    const double q = std::floor(static_cast<double>(x) / static_cast<double>(d));
    if (q > 65535.0) return 65535;
    return static_cast<int32_t>(std::max(q, -2147483648.0));
}

int32_t GiriDaPeriodo(float f, int32_t periodo) {
    if (periodo >= 65535 || periodo == 0) return 0;
    const double g = std::floor(static_cast<double>(f) / static_cast<double>(periodo));
    const int32_t giri = static_cast<int32_t>(std::clamp(g, -2147483648.0, 2147483647.0));
    return giri > 2 ? giri - 2 : giri;
}

int IndiceGiri(const std::vector<std::optional<double>>& voci, int32_t giri) {
    for (size_t i = 0; i < voci.size(); ++i) {
        if (!voci[i]) continue;
        if (*voci[i] >= giri || (*voci[i] == 0 && giri == 65535)) return static_cast<int>(i);
    }
    return -1;
}

int IndiceAlmeno(const std::vector<std::optional<double>>& voci, double valore, int da) {
    for (size_t i = static_cast<size_t>(std::max(da, 0)); i < voci.size(); ++i)
        if (voci[i] && *voci[i] >= valore) return static_cast<int>(i);
    return -1;
}

int IndiceForza(const std::vector<std::optional<double>>& voci, int32_t valore) {
    if (valore == ForzaSpenta) return voci.empty() ? -1 : 0;
    for (size_t i = 1; i < voci.size(); ++i)
        if (voci[i] && *voci[i] * 1000.0 == static_cast<double>(valore)) return static_cast<int>(i);
    return -1;
}

std::optional<int32_t> ValoreVoce(const std::optional<double>& voce) {
    if (!voce || !std::isfinite(*voce) || std::fabs(*voce) > 2.0e9) return std::nullopt;
    return RegoleLong(*voce);
}

ListaModifiche ModificaGiri(int32_t r, const Parole3& p) {
    const int32_t d = DeltaGiri(r);
    return {{Periodo(ModBlck::CalcolaFattoreGiriTempo(p.cilindri, p.bobine), d), 3, 0},
            {Periodo(static_cast<float>(ModBlck::CalcolaCostanteGiriTempo(p.moltiplica)), d), 35, 0}};
}

ListaModifiche ModificaBobine(int32_t b, int32_t r, const Parole3& p) {
    return {{b, 0, 0}, {Periodo(ModBlck::CalcolaFattoreGiriTempo(p.cilindri, b), DeltaGiri(r)), 3, 0}};
}

ListaModifiche ModificaMoltiplicatore(int indice, int32_t r) {
    const int32_t m = indice == 0 ? 1 : 2;
    return {{m, 42, 0}, {Periodo(static_cast<float>(ModBlck::CalcolaCostanteGiriTempo(m)), r), 35, 0}};
}

ListaModifiche ModificaSpark(int indice, const Parole3& p, int32_t sogliaSpark) {
    ListaModifiche l{{indice == 0 ? 0 : 1, 49, 0x08}, {0, 44, 0}};
    if (p.cilindri <= 0 || sogliaSpark <= 0 || p.bobine <= 0) {
        l[0].Valore = 0;
        return l;
    }
    const float rapporto = static_cast<float>(p.cilindri) / static_cast<float>(p.bobine);
    float t = (1.0f / (static_cast<float>(sogliaSpark) / 120.0f)) * 1000000.0f;
    t = t / rapporto;
    l[1].Valore = 8 * RegoleLong(static_cast<double>(t / 8.0f));
    return l;
}

std::optional<ListaModifiche> ModificaForza(int indice, const std::optional<double>& voce) {
    if (indice <= 0) return ListaModifiche{{ForzaSpenta, 37, 0}};
    if (!voce || !std::isfinite(*voce) || std::fabs(*voce) > 2.0e6) return std::nullopt;
    return ListaModifiche{{RegoleLong(*voce * 1000.0), 37, 0}};
}

std::vector<int32_t> CopiaCilindri(std::vector<int32_t> valori, int32_t n) {
    const int32_t w0 = RegoleValore(valori, 0), w1 = RegoleValore(valori, 1), w3 = RegoleValore(valori, 3);
    if (valori.size() < 25) valori.resize(25, 0);
    valori[1] = n;
    valori[0] = n;
    for (int32_t i = 0; i < 8; ++i) {
        if (i >= n) valori[static_cast<size_t>(16 - i)] = 0;
        valori[static_cast<size_t>(24 - i)] = 0;
    }
    int32_t h = 0;
    if (w3 >= 1 && w3 <= 65534) {
        h = static_cast<int32_t>(std::floor(static_cast<double>(ModBlck::CalcolaFattoreGiriTempo(w1, w0)) / w3));
        if (h > 2) h -= 2;
    }
    valori[3] = h == 0 ? 65535 : Periodo(ModBlck::CalcolaFattoreGiriTempo(n, n), h);
    return valori;
}

std::optional<ModificaIniettore> CercaIniettore(const std::vector<DefinizioneIniettore>& tipi, const std::string& nome) {
    if (nome.empty()) return std::nullopt;
    for (const auto& d : tipi) {
        if (d.Nome != nome) continue;
        // Lines 2, 4, 3 and 6 after the header (values 1, 2, 3 and 6 of the record) for
        // words 6, 7, 8 and 36; line 8 (value 7) for block 15.
        return ModificaIniettore{{{d.Id, 4, 0}, {d.Valore1, 6, 0}, {d.Valore2, 7, 0}, {d.Valore3, 8, 0}, {d.Valore6, 36, 0}},
                                 {{d.Valore7, 0, 0}}};
    }
    return std::nullopt;
}

std::string TestoSoglia(int16_t codice, float fattore, float passo, char separatore) {
    float v = static_cast<float>(codice) * fattore;
    if (passo != 0.0f) v = static_cast<float>(Conv::ArrotondaPari(static_cast<double>(v / passo))) * passo;
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    std::string t(buf, r.ptr);
    if (t == "-0") t = "0";
    for (char& c : t)
        if (c == '.') c = separatore;
    return t;
}

Sensibilita CostruisciSensibilita(const std::vector<std::string>& righe, char separatore) {
    Sensibilita s;
    std::vector<std::string> pezzi = Conv::Split(SoglieIncorporate, "|");
    for (size_t i = 0; i < righe.size(); ++i) {
        if (righe[i] != "[Sensibilita RPM]") continue;
        if (i + 3 >= righe.size()) continue;
        const auto f = Conv::CDbl(Conv::Trim(righe[i + 1])), p = Conv::CDbl(Conv::Trim(righe[i + 2]));
        const auto lista = Conv::Split(righe[i + 3], "|");
        bool valida = f && p && *p != 0.0;
        for (const auto& c : lista) {
            const auto n = Conv::CDbl(Conv::Trim(c));
            valida = valida && n && *n >= -32768.0 && *n <= 32767.0;
        }
        if (!valida) continue;
        s.fattore = static_cast<float>(*f / 1000.0);
        s.passo = static_cast<float>(*p / 10.0);
        pezzi = lista;
    }
    for (const auto& c : pezzi) {
        const auto n = Conv::CDbl(Conv::Trim(c));
        const auto codice = static_cast<int16_t>(n ? Conv::ArrotondaPari(*n) : 0);
        s.codici.push_back(codice);
        s.testi.push_back(TestoSoglia(codice, s.fattore, s.passo, separatore));
    }
    return s;
}

std::optional<int32_t> ValoreSpark(const std::optional<double>& numero) {
    if (!numero || !std::isfinite(*numero)) return std::nullopt;
    return static_cast<int32_t>(std::clamp(Conv::ArrotondaPari(*numero), 0.0, 32000.0));
}

int32_t LimitaRiga(int riga, double v) {
    const double lo = riga == 0 ? TempMin : SensoreMin, hi = riga == 0 ? TempMax : SensoreMax;
    if (!std::isfinite(v)) v = lo;
    return static_cast<int32_t>(Conv::ArrotondaPari(std::clamp(v, lo, hi)));
}

bool TastoPasso(int16_t tasto) { return tasto == 187 || tasto == 107 || tasto == 189 || tasto == 109; }

int32_t Passo(int riga, int32_t valore, int16_t tasto, int16_t maiuscole) {
    const int32_t passo = maiuscole == 1 ? 10 : 1;
    const bool su = tasto == 187 || tasto == 107;
    return LimitaRiga(riga, static_cast<double>(valore) + (su ? passo : -passo));
}

std::optional<int32_t> ValoreDialogo(int riga, double cella, int32_t operazione, float valore) {
    float v = 0.0f;
    switch (operazione) {
    case 1: v = static_cast<float>(cella) + valore; break;
    case 2: v = static_cast<float>(cella) * (1.0f + valore / 100.0f); break;
    case 3: v = valore; break;
    default: return std::nullopt;
    }
    return LimitaRiga(riga, static_cast<double>(v));
}

int32_t IndiceCella(int riga, int colonna) { return 2 * (colonna - 1) + (riga == 0 ? 0 : 1); }

int32_t ValoreCella(int riga, int32_t numero) { return riga == 0 ? numero : numero * 1000; }

int32_t NumeroCella(int riga, int32_t valore) {
    return riga == 0 ? valore : static_cast<int32_t>(Conv::ArrotondaPari(valore / 1000.0));
}

std::string TramaTabella(BloccoParametri blocco6, const std::map<int32_t, int32_t>& modificati) {
    for (const auto& [k, v] : modificati)
        if (k >= 0 && static_cast<size_t>(k) < blocco6.Valori.size()) blocco6.Valori[static_cast<size_t>(k)] = v;
    std::string dati;
    ModBlck::CodificaBlocco(dati, blocco6);
    return ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_WRITE_BLK6, dati);
}

void TraslaTemperature(std::vector<int32_t>& valori, int k, int32_t t) {
    const size_t i0 = static_cast<size_t>(2 * k);
    if (k < 0 || i0 >= valori.size()) return;
    const int64_t d = static_cast<int64_t>(t) - valori[i0];
    for (size_t i = 0; i < valori.size(); i += 2)
        valori[i] = static_cast<int32_t>(std::clamp<int64_t>(valori[i] + d, INT32_MIN, INT32_MAX));
}

int32_t LimitaSlider(int32_t valore, int32_t minimo, int32_t massimo) { return std::clamp(valore, minimo, std::max(minimo, massimo)); }

} // namespace CommutazioneRegole
