#include "obd/ErroriConversioni.h"

#include <algorithm>

#include "core/ClsLingue.h"
#include "core/Conversioni.h"

namespace ErroriConversioni {

VoceErrore ScomponiVoceErrore(const std::string& voce) {
    VoceErrore v;
    const auto parti = Conv::Split(voce, "?");
    v.Descrizione = Conv::Trim(parti[0]);
    if (parti.size() < 2) return v;
    const auto stati = Conv::Split(parti[1], "|");
    v.Stato0 = stati[0];
    if (stati.size() > 1) v.Stato1 = stati[1];
    if (stati.size() > 2) v.Stato2 = stati[2];
    return v;
}

std::optional<std::vector<std::string>> VociErrori(const ClsLingue& d, int16_t lingua) {
    int32_t inizio = -1, fine = -1;
    const int32_t ultima = d.UboundVoci();
    for (int32_t k = 0; k <= ultima; ++k) {
        const std::string t = d.VoceDizionario(lingua, static_cast<int16_t>(k));
        if (t == "[ERROR_ECU_max_255]") inizio = k;
        if (t == "[END_ERROR_ECU]") fine = k;
    }
    if (inizio < 0 || fine < 0 || fine <= inizio) return std::nullopt;
    std::vector<std::string> voci;
    for (int32_t k = inizio + 1; k < fine; ++k) voci.push_back(d.VoceDizionario(lingua, static_cast<int16_t>(k)));
    return voci;
}

std::string EtichettaErrore(int32_t riga) {
    const std::string n = "00" + std::to_string(riga - 1);
    return "Err " + n.substr(n.size() - 2);
}

std::string TestoStato(int32_t riga, int32_t v, const VoceErrore& voce) {
    if (riga == RigaIniettore) {
        if (v >= 1 && v <= 8) return " Inj " + std::to_string(v) + voce.Stato1;
        return voce.Stato0;
    }
    if (v == 1) return voce.Stato1;
    if (v == 2) return voce.Stato2;
    return voce.Stato0;
}

int32_t CommutaOpzione(int32_t parola, int32_t colonna) {
    if (colonna == 8) return (parola ^ 0x01) & ~0x02;
    if (colonna == 7) {
        parola ^= 0x02;
        if (parola & 0x02) parola |= 0x01;
        return parola;
    }
    return parola;
}

namespace {

std::string OreMinuti(int64_t t) {
    const std::string mm = "00" + std::to_string(t % 60);
    return std::to_string(t / 60) + "." + mm.substr(mm.size() - 2);
}

} // namespace

int32_t LarghezzaDescrizione(int32_t liberaTwips, int32_t u) { return std::max(290 * u, liberaTwips); }

std::string TestoOre(int32_t ore, int32_t minuti) {
    return " " + OreMinuti(60 * static_cast<int64_t>(ore) + minuti);
}

TempoServizio CalcolaTempoServizio(int32_t intervallo, int32_t oreContate, int32_t minutiGas) {
    TempoServizio r;
    if (intervallo == 0) {
        r.Testo = " - - ";
        r.Spento = true;
        return r;
    }
    const int64_t resto = 60 * static_cast<int64_t>(intervallo) - (60 * static_cast<int64_t>(oreContate) + minutiGas);
    if (resto >= 0) {
        r.Testo = " " + OreMinuti(resto);
    } else {
        r.Testo = " - " + OreMinuti(-resto);
        r.Scaduto = true;
    }
    return r;
}

std::optional<int32_t> ValoreIntervallo(int32_t posizione, const std::string& testo) {
    if (posizione < 0) return std::nullopt;
    if (posizione == 0) return 32768;
    const std::string t = Conv::Trim(testo);
    if (t.empty() || t.size() > 5 || t.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int32_t n = std::stoi(t);
    if (n > 32767) return std::nullopt;
    return n + 32768;
}

std::optional<int32_t> PosizioneIntervallo(const std::vector<std::string>& voci, int32_t intervallo) {
    if (intervallo == 0) return voci.empty() ? std::nullopt : std::optional<int32_t>(0);
    std::optional<int32_t> r;
    const std::string t = std::to_string(intervallo);
    for (size_t i = 1; i < voci.size(); ++i)
        if (voci[i] == t) r = static_cast<int32_t>(i);
    return r;
}

} // namespace ErroriConversioni
