#include "settings/SeqInjRegole.h"

#include <algorithm>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "engine/ModBlckSequenza.h"

namespace {

std::optional<int32_t> RegoleValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}

int32_t RegoleCilindri() { return std::clamp(ModBlck::NumeroCilindri(), 0, 8); }

} // namespace

namespace SeqInjRegole {

Righe CostruisciRighe() {
    Righe r;
    const int32_t n = RegoleCilindri();
    for (int32_t j = 0; j < n; ++j) {
        const int64_t ordine = ModBlck::ValoreSequenza(79 + static_cast<size_t>(j));
        const int64_t uscita = ModBlck::ValoreSequenza(6 + static_cast<size_t>(j));
        r.ordine += std::to_string(ordine + 1) + "-";
        r.uscite += std::to_string(uscita + 1) + "-";
        r.canali += std::to_string(j + 1) + "-";
    }
    return r;
}

bool CondizioniMotore() {
    const auto flag = RegoleValore(1, 37), giri = RegoleValore(1, 32);
    const auto richiesto = RegoleValore(2, 0), attuale = RegoleValore(2, 1);
    return flag && giri && richiesto && attuale && (*flag & 1) != 0 && *giri >= 200 && *attuale == 0 &&
           *richiesto == 0;
}

bool IniettoriAttivi() {
    const int32_t n = RegoleCilindri();
    for (int32_t i = 0; i < n; ++i) {
        const auto stato = RegoleValore(3, static_cast<size_t>(16 - i));
        if (stato && (*stato == 0 || *stato == 4)) return false;
    }
    return true;
}

std::optional<Opzione> OpzioneAttiva(uint8_t byte15) {
    if (byte15 & 0x80) return Opzione{true, 2};
    if (byte15 & 0x40) return Opzione{true, 1};
    if (byte15 & 0x10) return Opzione{false, 1};
    if (byte15 & 0x20) return Opzione{false, 2};
    return std::nullopt;
}

int IndicePhaseShifter(const std::vector<std::optional<double>>& voci, int32_t corrente) {
    for (size_t i = 0; i < voci.size(); ++i)
        if (voci[i] && Conv::Fix(*voci[i]) >= corrente) return static_cast<int>(i);
    return -1;
}

} // namespace SeqInjRegole
