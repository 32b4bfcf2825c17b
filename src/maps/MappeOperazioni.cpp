#include "maps/MappeOperazioni.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "engine/ModMainRichieste.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"

namespace MappeOperazioni {

namespace MappeOperazioni_ {

char Separatore() {
    return ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
}

// Nearest whole number, halves to even, clamped to 0..255 (beyond 32 bits too).
uint8_t ByteArrotondato(double v) {
    if (std::isnan(v)) return 0;
    const double r = Conv::ArrotondaPari(v);
    return static_cast<uint8_t>(std::clamp(r, 0.0, 255.0));
}

std::vector<std::string_view> Dividi(std::string_view s, std::string_view sep) {
    std::vector<std::string_view> parti;
    size_t inizio = 0;
    for (;;) {
        const size_t p = s.find(sep, inizio);
        if (p == std::string_view::npos) {
            parti.push_back(s.substr(inizio));
            return parti;
        }
        parti.push_back(s.substr(inizio, p - inizio));
        inizio = p + sep.size();
    }
}

} // namespace MappeOperazioni_

using namespace MappeOperazioni_;

std::optional<double> NumeroLocale(std::string_view testo) {
    std::string t(testo);
    const char sep = Separatore();
    // The other separator is not a decimal point in this locale.
    const char altro = sep == '.' ? ',' : '.';
    if (t.find(altro) != std::string::npos) return std::nullopt;
    if (sep != '.') std::replace(t.begin(), t.end(), sep, '.');
    if (t.find('&') != std::string::npos) return std::nullopt;
    const auto v = Conv::CDbl(t);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::string TestoNumero(double v) { return Conv::NumeroGenerale(v, Separatore()); }

std::string TestoNumeroSingolo(float v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(v));
    std::string t(buf);
    if (t.find('e') != std::string::npos) return TestoNumero(static_cast<double>(v));
    std::replace(t.begin(), t.end(), '.', Separatore());
    return t;
}

void ModificaValoriGrigliaLibera(TestiGriglia& g, const SelezioneGriglia& sel, int32_t TpyO, float Value, uint8_t Fact) {
    if (TpyO != OP_SOMMA && TpyO != OP_PERCENTUALE && TpyO != OP_IMPOSTA) return;
    const int32_t r1 = std::max(0, std::min(sel.Row, sel.RowSel)), r2 = std::min(g.Righe - 1, std::max(sel.Row, sel.RowSel));
    const int32_t c1 = std::max(0, std::min(sel.Col, sel.ColSel)), c2 = std::min(g.Colonne - 1, std::max(sel.Col, sel.ColSel));
    const double fattore = Fact == 0 ? 1.0 : Fact;
    for (int32_t r = r1; r <= r2; ++r) {
        for (int32_t c = c1; c <= c2; ++c) {
            std::string& testo = g(r, c);
            if (TpyO == OP_IMPOSTA) {
                testo = TestoNumeroSingolo(Value);
                continue;
            }
            const auto n = NumeroLocale(testo);
            if (!n) continue;
            if (TpyO == OP_SOMMA) {
                testo = TestoNumero(*n + static_cast<double>(Value));
                continue;
            }
            const double vecchio = Conv::ArrotondaPari(*n);
            // cell x (100 + Value) / 100 in double: exact for whole cells, so an exact
            // half stays a half and goes to the even neighbour (1 + Value / 100 in
            // single precision is not exact and tipped halves either way).
            const double nuovo =
                Conv::ArrotondaPari(*n * fattore * (100.0 + static_cast<double>(Value)) / 100.0) / fattore;
            // A step too small to change the rounded value still moves the cell by one.
            const double mostrato = nuovo == vecchio ? vecchio + (Value >= 0.0f ? 1.0 : -1.0) : nuovo;
            testo = TestoNumero(mostrato);
        }
    }
}

void CaricaMatriceInGriglia(TestiGriglia& g, const PaginaMappa& pagina, double Fact) {
    for (int32_t r = 1; r <= RighePaginaMappa && r < g.Righe; ++r)
        for (int32_t c = 1; c <= ColonnePaginaMappa && c < g.Colonne; ++c)
            g(r, c) = TestoNumero(Conv::ArrotondaPari(pagina[r - 1][c - 1] * Fact));
}

void CaricaGrigliaInMatrice(const TestiGriglia& g, PaginaMappa& pagina, double Fact) {
    const double fattore = Fact == 0.0 ? 1.0 : Fact;
    for (int32_t r = 1; r <= RighePaginaMappa && r < g.Righe; ++r) {
        for (int32_t c = 1; c <= ColonnePaginaMappa && c < g.Colonne; ++c) {
            const std::string& testo = g(r, c);
            if (testo.empty()) {
                pagina[r - 1][c - 1] = 0;
                continue;
            }
            const auto n = NumeroLocale(testo);
            if (!n) continue;
            pagina[r - 1][c - 1] = static_cast<uint8_t>(std::clamp(std::floor(*n / fattore), 0.0, 255.0));
        }
    }
}

void CaricaAssiInMatrice(TestiGriglia& g, const ModBlck::AsseGiri& asseRpm, const ModBlck::AsseTempi& asseTinj) {
    for (int32_t r = 1; r <= RighePaginaMappa && r < g.Righe; ++r)
        g(r, 0) = TestoNumero(Conv::ArrotondaPari(asseTinj[r - 1] * 128.0 / 1000.0 * 10.0) / 10.0);
    for (int32_t c = 1; c <= ColonnePaginaMappa && c < g.Colonne; ++c)
        g(0, c) = TestoNumero(Conv::ArrotondaPari(asseRpm[c - 1] * 64.0 / 10.0));
}

std::string TestoCopia(const TestiGriglia& g, const SelezioneGriglia& sel) {
    const int32_t r1 = std::max(0, std::min(sel.Row, sel.RowSel)), r2 = std::min(g.Righe - 1, std::max(sel.Row, sel.RowSel));
    const int32_t c1 = std::max(0, std::min(sel.Col, sel.ColSel)), c2 = std::min(g.Colonne - 1, std::max(sel.Col, sel.ColSel));
    if (r1 > r2 || c1 > c2) return {};
    std::string t = "\t";
    for (int32_t c = c1; c <= c2; ++c) t += g(0, c) + (c < c2 ? "\t" : "\r\n");
    for (int32_t r = r1; r <= r2; ++r) {
        t += g(r, 0) + "\t";
        for (int32_t c = c1; c <= c2; ++c) {
            t += g(r, c);
            t += c < c2 ? "\t" : (r < r2 ? "\r\n" : "\t");
        }
    }
    return t;
}

void IncollaTesto(TestiGriglia& g, int32_t Row, int32_t Col, std::string_view testo) {
    const auto righe = Dividi(testo, "\r\n");
    for (size_t i = 0; i < righe.size(); ++i) {
        const auto campi = Dividi(righe[i], "\t");
        for (size_t j = 0; j < campi.size(); ++j) {
            if (campi[j].empty()) continue;
            const auto n = NumeroLocale(campi[j]);
            if (!n) continue;
            const int64_t r = Row + static_cast<int64_t>(i), c = Col + static_cast<int64_t>(j);
            if (r >= g.Righe || c >= g.Colonne) continue;
            g(static_cast<int32_t>(r), static_cast<int32_t>(c)) = Conv::CStr(ByteArrotondato(*n));
        }
    }
}

void AggiornaUndo(int k) {
    ModMain::UndoDisponibileK(k) = 1;
    ModMain::UndoPaginaK(k) = ModMain::PaginaMappaK(k);
}

void ReplaceUndo(int k) {
    ModMain::UndoDisponibileK(k) = 1;
    std::swap(ModMain::PaginaMappaK(k), ModMain::UndoPaginaK(k));
}

int32_t RichiestaScrittura(int k) { return k == 1 ? REQ_WRITE_MAP1 : k == 2 ? REQ_WRITE_MAP2 : REQ_WRITE_MAP0; }
uint8_t BitVista(int k) { return k == 1 ? 0x02 : k == 2 ? 0x01 : 0x08; }
int32_t SchedaEditor(int k) { return k == 1 ? SCHEDA_MAPPA_1 : k == 2 ? SCHEDA_MAPPA_2 : SCHEDA_MAPPA; }
int32_t SchedaCarburazione(int k) {
    return k == 1 ? SCHEDA_CARBURAZIONE_1 : k == 2 ? SCHEDA_CARBURAZIONE_2 : SCHEDA_CARBURAZIONE;
}

int32_t SchedaDaSelettore(int32_t indice, uint8_t byte15) {
    const int k = indice == 1 ? 1 : indice == 2 ? 2 : 0;
    return (byte15 & BitVista(k)) ? SchedaCarburazione(k) : SchedaEditor(k);
}

} // namespace MappeOperazioni
