#include "settings/SensoriRegole.h"

#include <cmath>

#include "core/Conversioni.h"

namespace SensoriRegole {

int IndiceSwtchBar(const std::vector<std::optional<double>>& voci, int32_t valore) {
    for (size_t i = 0; i < voci.size(); ++i)
        if (voci[i] && *voci[i] >= valore / 1000.0) return static_cast<int>(i);
    return -1;
}

int IndiceSwtchDelay(const std::vector<std::optional<double>>& voci, int32_t valore) {
    for (size_t i = 0; i < voci.size(); ++i)
        if (voci[i] && *voci[i] * 1000.0 >= valore) return static_cast<int>(i);
    return -1;
}

int IndiceTempSens(const std::vector<int32_t>& numeri, const std::vector<int32_t>& codici, int32_t codice) {
    int r = -1;
    for (size_t i = 0; i < codici.size() && i < numeri.size(); ++i)
        if (codici[i] == codice) r = numeri[i];
    return r;
}

std::optional<int> IndiceTempSensRidotto(int indiceCompleto) {
    if (indiceCompleto <= 1) return indiceCompleto < 0 ? -1 : indiceCompleto;
    return std::nullopt;
}

int IndiceUguale(const std::vector<std::optional<double>>& voci, int32_t valore, int dalla) {
    for (size_t i = static_cast<size_t>(std::max(dalla, 0)); i < voci.size(); ++i)
        if (voci[i] && *voci[i] == valore) return static_cast<int>(i);
    return -1;
}

int IndiceMinTemp(const std::vector<std::optional<double>>& voci, int32_t opzioni, int32_t valore) {
    if ((opzioni & 0x02) == 0) return voci.empty() ? -1 : 0;
    return IndiceUguale(voci, valore, 1);
}

std::optional<int32_t> Millesimi(std::optional<double> v) {
    if (!v) return std::nullopt;
    return Conv::CLng(Conv::ArrotondaPari(*v * 1000.0));
}

std::optional<int32_t> Tronca(std::optional<double> v) {
    if (!v) return std::nullopt;
    return Conv::CLng(Conv::Fix(*v));
}

std::optional<ListaModifiche> ModificaMinTemp(const std::vector<std::optional<double>>& voci, int indice) {
    if (indice < 0 || static_cast<size_t>(indice) >= voci.size()) return std::nullopt;
    const bool spento = indice == 0;
    const auto t = Tronca(spento ? (voci.size() > 1 ? voci[1] : std::nullopt) : voci[static_cast<size_t>(indice)]);
    if (!t) return std::nullopt;
    return ListaModifiche{{*t, 3, 0}, {spento ? 0 : 1, 5, 0x02}};
}

int32_t IndiceRiga(int riga, bool discendente) { return discendente ? 28 + riga : 31 - riga; }

int32_t LimitaSoglia(const std::array<int32_t, 4>& barre, int indice, bool discendente) {
    int32_t v = barre[static_cast<size_t>(indice)];
    if (!discendente) {
        if (indice > 0 && v > barre[static_cast<size_t>(indice - 1)]) v = barre[static_cast<size_t>(indice - 1)];
        if (indice < 3 && v < barre[static_cast<size_t>(indice + 1)]) v = barre[static_cast<size_t>(indice + 1)];
    } else {
        if (indice > 0 && v < barre[static_cast<size_t>(indice - 1)]) v = barre[static_cast<size_t>(indice - 1)];
        if (indice < 3 && v > barre[static_cast<size_t>(indice + 1)]) v = barre[static_cast<size_t>(indice + 1)];
    }
    return v;
}

namespace {
ListaModifiche SensoriCopia(const std::array<int32_t, 6>& valori) {
    ListaModifiche l;
    for (int32_t i = 0; i < 6; ++i) l.push_back({valori[static_cast<size_t>(i)], 27 + i, 0});
    return l;
}
} // namespace

ListaModifiche CalibraMassimo(const std::array<int32_t, 6>& valori, int32_t lettura) {
    ListaModifiche l = SensoriCopia(valori);
    const int32_t v28 = valori[1];
    if (lettura > v28) {
        const auto s = static_cast<int32_t>(Conv::ArrotondaPari((lettura - v28) / 4.0));
        for (int k = 1; k <= 3; ++k) l[static_cast<size_t>(1 + k)].Valore = v28 + k * s;
    }
    return l;
}

ListaModifiche CalibraMinimo(const std::array<int32_t, 6>& valori, int32_t lettura) {
    ListaModifiche l = SensoriCopia(valori);
    const int32_t v31 = valori[4];
    if (lettura < v31) {
        const auto s = static_cast<int32_t>(Conv::ArrotondaPari((v31 - lettura) / 4.0));
        for (int k = 1; k <= 3; ++k) l[static_cast<size_t>(k)].Valore = lettura + k * s;
    }
    return l;
}

Lampade LampadeLivello(const std::array<int32_t, 4>& soglie, int32_t lettura, bool discendente) {
    Lampade r;
    for (size_t i = 0; i < 4; ++i)
        r.righe[3 - i] = discendente ? lettura < soglie[3 - i] : soglie[i] < lettura;
    r.riserva = discendente ? !(lettura < soglie[3]) : !(soglie[0] < lettura);
    return r;
}

std::string Volt(int32_t conteggi, int decimali, char separatore) {
    const double scala = std::pow(10.0, decimali);
    const double v = Conv::ArrotondaPari(conteggi * 0.0048828125 * scala) / scala;
    return Conv::NumeroGenerale(v, separatore);
}

} // namespace SensoriRegole
