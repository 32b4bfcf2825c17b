#include "engine/ModBlckSequenza.h"

#include <QtCore/QString>
#include <algorithm>
#include <optional>
#include <string>

#include "core/Applicazione.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModMainDizionario.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckModifiche.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

namespace {

constexpr int32_t SequenzaCanali = 8;
constexpr size_t SequenzaPrimaUscita = 6;
constexpr size_t SequenzaStato = 78;
constexpr size_t SequenzaPrimoOrdine = 79;

int32_t SequenzaValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[blocco].Valori;
    return k < v.size() ? v[k] : 0;
}

bool SequenzaEsiste(size_t blocco, size_t k) {
    return blocco < TabellaBlocchi.size() && k < TabellaBlocchi[blocco].Valori.size();
}

// Digits of (value + 1) for each element, no separators ("1234").
std::string SequenzaTesto(const std::vector<int32_t>& v) {
    std::string t;
    for (const int32_t x : v) t += std::to_string(static_cast<int64_t>(x) + 1);
    return t;
}

} // namespace

namespace ModBlck {

void CalcolaTabellaIniettori(std::vector<int32_t>& risultato, const std::vector<int32_t>& ordine, int32_t ultimo,
                             int32_t& shift) {
    risultato.clear();
    if (ultimo < 0) return;
    if (shift > ultimo) shift = ultimo;
    const int32_t r = ultimo;
    std::vector<int32_t> t(static_cast<size_t>(r) + 1, 0);
    auto ordineA = [&](int64_t k) -> std::optional<int32_t> {
        if (k < 0 || k > r || static_cast<size_t>(k) >= ordine.size()) return std::nullopt;
        return ordine[static_cast<size_t>(k)];
    };
    auto assegna = [&](std::optional<int32_t> dove, std::optional<int32_t> cosa) {
        if (!dove || !cosa || *dove < 0 || *dove > r) return;
        t[static_cast<size_t>(*dove)] = *cosa;
    };
    // Successor pass: decides only the positions the shift pass skips.
    for (int32_t k = 0; k < r; ++k) assegna(ordineA(k), ordineA(k + 1));
    assegna(ordineA(r), ordineA(0));
    for (int32_t k = 0; k <= r; ++k) {
        int64_t f = static_cast<int64_t>(k) + shift;
        if (f > r) f = f - r - 1;
        assegna(ordineA(k), ordineA(f));
    }
    risultato = t;
}

bool OrdineValido(const std::vector<int32_t>& ordine) {
    std::vector<bool> visto(ordine.size(), false);
    for (const int32_t c : ordine) {
        if (c < 0 || static_cast<size_t>(c) >= ordine.size() || visto[static_cast<size_t>(c)]) return false;
        visto[static_cast<size_t>(c)] = true;
    }
    return !ordine.empty();
}

int32_t NumeroCilindri() { return SequenzaValore(3, 1); }
int32_t ValoreSequenza(size_t k) { return SequenzaValore(15, k); }

std::vector<int32_t> OrdineAcquisito() {
    const int32_t n = NumeroCilindri();
    if (n < 1 || n > SequenzaCanali) return {};
    if (!SequenzaEsiste(15, SequenzaStato) || ValoreSequenza(SequenzaStato) != 0) return {};
    std::vector<int32_t> ordine;
    for (int32_t k = 0; k < n; ++k) {
        const size_t i = SequenzaPrimoOrdine + static_cast<size_t>(k);
        if (!SequenzaEsiste(15, i)) return {};
        ordine.push_back(ValoreSequenza(i));
    }
    return OrdineValido(ordine) ? ordine : std::vector<int32_t>{};
}

void CalcolaSequenzaIniezione(int32_t& shift, bool anticipata) {
    ModificheBlocco15.clear();
    for (int32_t i = 0; i < SequenzaCanali; ++i)
        ModificheBlocco15.push_back({i, static_cast<int32_t>(SequenzaPrimaUscita) + i, 0});
    if (!anticipata) return;
    // An order that is no permutation of 0..n-1 (or a cylinder count outside
    // 1..8) would stage outputs beyond the engine and two channels on one
    // output: it counts as no valid acquisition.
    const std::vector<int32_t> ordine = OrdineAcquisito();
    if (ordine.empty()) {
        const std::string testo = MDIFrm::Interfaccia().FrmSeqInj_STR_IMPOSSIBILE();
        Piattaforma::MostraMessaggio(Piattaforma::TestoDaCharset(testo, ModMain::CharsetCorrente()),
                                     QString::fromLatin1(Applicazione::TitoloApplicazione));
        return;
    }
    std::vector<int32_t> risultato;
    CalcolaTabellaIniettori(risultato, ordine, static_cast<int32_t>(ordine.size()) - 1, shift);
    for (size_t j = 0; j < risultato.size(); ++j) ModificheBlocco15[j].Valore = risultato[j];
}

bool AssegnazioneNormale() {
    const int32_t m = ValoreSequenza(SequenzaStato);
    if (m == 1 || m == 2) return true;
    const int32_t n = std::min(NumeroCilindri(), SequenzaCanali);
    for (int32_t k = 0; k < n; ++k)
        if (ValoreSequenza(SequenzaPrimaUscita + static_cast<size_t>(k)) != k) return false;
    return true;
}

int32_t OffsetStatoSequenza() {
    const int32_t m = ValoreSequenza(SequenzaStato);
    return m == 1 ? 5 : m == 2 ? 6 : 7;
}

} // namespace ModBlck

namespace ModGlobFunct {

int32_t CalcolaTabellaSeqInj() {
    if (ModBlck::ValoreSequenza(SequenzaStato) != 0) return 0;
    const int32_t n = ModBlck::NumeroCilindri();
    if (n > SequenzaCanali) return -1;
    std::vector<int32_t> attuale, normale;
    for (int32_t j = 0; j < n; ++j) {
        attuale.push_back(ModBlck::ValoreSequenza(SequenzaPrimaUscita + static_cast<size_t>(j)));
        normale.push_back(j);
    }
    const std::string corrente = SequenzaTesto(attuale);
    if (corrente == SequenzaTesto(normale)) return 0;
    std::vector<int32_t> ordine;
    for (int32_t k = 0; k < n; ++k) ordine.push_back(ModBlck::ValoreSequenza(SequenzaPrimoOrdine + static_cast<size_t>(k)));
    const int32_t massimo = std::min(ModMain::SceltaSeqInj, n - 1);
    for (int32_t t = 1; t <= massimo; ++t) {
        int32_t s = t;
        std::vector<int32_t> risultato;
        ModBlck::CalcolaTabellaIniettori(risultato, ordine, n - 1, s);
        if (SequenzaTesto(risultato) == corrente) return t;
    }
    return -1;
}

} // namespace ModGlobFunct
