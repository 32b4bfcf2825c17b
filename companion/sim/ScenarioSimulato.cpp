#include "ScenarioSimulato.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "CentralinaSimulata.h"

namespace Simulazione {

namespace {

std::string Minuscolo(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

template <typename T>
std::vector<T> ListaHex(const std::string& valore) {
    std::vector<T> r;
    std::stringstream ss(valore);
    std::string pezzo;
    while (std::getline(ss, pezzo, ',')) {
        try {
            size_t fine = 0;
            const unsigned long v = std::stoul(pezzo, &fine, 16);
            if (fine > 0) r.push_back(static_cast<T>(v));
        } catch (...) {
        }
    }
    return r;
}

} // namespace

bool ScenarioSimulato::Leggi(const std::string& chiave, const std::string& valore) {
    const std::string v = Minuscolo(valore);
    if (chiave == "centralina") {
        if (v == "boot") stato = Stato::Boot;
        else if (v == "estranea") stato = Stato::Estranea;
        else if (v == "sconosciuta") stato = Stato::Sconosciuta;
        else if (v == "muta") stato = Stato::Muta;
        else stato = Stato::Normale;
    } else if (chiave == "hardware") {
        hardware = v == "vecchio" ? 1 : 0;
    } else if (chiave == "obdprotocollo") {
        try {
            protocolloObd = std::stoi(v);
        } catch (...) {
            protocolloObd = 0;
        }
    } else if (chiave == "obdpid") {
        pidObd = ListaHex<uint32_t>(valore);
    } else if (chiave == "obddtc") {
        dtcObd = ListaHex<uint16_t>(valore);
        if (dtcObd.size() > 14) dtcObd.resize(14);
    } else if (chiave == "mem10") {
        mem10 = v == "1";
    } else if (chiave == "motore") {
        motoreFermo = v == "fermo";
    } else {
        return false;
    }
    return true;
}

void CentralinaSimulata::ImpostaScenario(const ScenarioSimulato& s) {
    scenario_ = s;
    constexpr uint8_t CmdIdentificazione = 0x21;
    constexpr uint8_t CmdObdInit = 0x0B;
    using Stato = ScenarioSimulato::Stato;

    const std::string* id = nullptr;
    for (const auto& f : firme_) {
        if (s.stato == Stato::Boot && s.hardware == 0 && f.lista == 1 && f.numero == 0) id = &f.trama;
        if (s.stato == Stato::Normale && f.lista != 1 && (f.numero != 0) == (s.hardware == 1)) id = &f.trama;
        if (id) break;
    }
    switch (s.stato) {
    case Stato::Normale:
    case Stato::Boot:
        identificazione_ = id ? *id : std::string();
        if (s.stato == Stato::Boot && s.hardware == 1) identificazione_ = Risposta(CmdIdentificazione, 0x14, "");
        break;
    case Stato::Estranea: identificazione_ = Risposta(CmdIdentificazione, 0x55, ""); break;
    case Stato::Sconosciuta: identificazione_ = Risposta(CmdIdentificazione, 0, "NOT AN ECU"); break;
    case Stato::Muta: manopole.muta = true; break;
    }
    // In the boot state only the identification is answered; the foreign
    // device answers every frame with its own.
    soloIdentificazione_ = s.stato == Stato::Boot || s.stato == Stato::Estranea;
    estranea_ = s.stato == Stato::Sconosciuta;
    PreparaFlash();

    // The car's trouble codes, as the extended OBD block reports them.
    if (blocchi_.size() > 20) {
        ImpostaValore(20, 0, 0x08);
        ImpostaValore(20, 1, static_cast<int32_t>(s.dtcObd.size()));
        for (size_t i = 0; i < s.dtcObd.size(); ++i) ImpostaValore(20, 2 + i, s.dtcObd[i]);
    }

    Registra(CmdObdInit, [this](uint8_t c, const std::string& d) {
        const ScenarioSimulato& sc = scenario_;
        auto indirizzo = [](size_t k) { return 0x000007E8u + static_cast<uint32_t>(k); };
        if (!d.empty() && d[0] == 0x00 && d.size() >= 3) {
            const int32_t codice = static_cast<uint8_t>(d[2]);
            std::string r;
            if (sc.protocolloObd != 0 && codice == sc.protocolloObd && !sc.pidObd.empty()) {
                const size_t n = std::min<size_t>(sc.pidObd.size(), 3);
                r = std::string{'\0', '\0', static_cast<char>(codice), static_cast<char>(n)};
                for (size_t k = 0; k < 3; ++k) {
                    const uint32_t a = k < n ? indirizzo(k) : 0;
                    for (int b = 3; b >= 0; --b) r += static_cast<char>((a >> (8 * b)) & 0xFF);
                }
            } else {
                r = std::string{'\0', '\xFF', '\xFF', '\0'} + std::string(12, '\0');
            }
            return Risposta(c, 0, r);
        }
        if (!d.empty() && d[0] == 0x01 && d.size() >= 6) {
            uint32_t a = 0;
            for (size_t i = 2; i < 6; ++i) a = a << 8 | static_cast<uint8_t>(d[i]);
            for (size_t k = 0; k < sc.pidObd.size() && k < 3; ++k)
                if (a == indirizzo(k) && sc.protocolloObd != 0) {
                    std::string r{'\x41', '\0'};
                    for (int b = 3; b >= 0; --b) r += static_cast<char>((sc.pidObd[k] >> (8 * b)) & 0xFF);
                    return Risposta(c, 0, r);
                }
            return Risposta(c, 0, std::string{'\x7F', '\x01', '\x12', '\0', '\0', '\0'});
        }
        return Risposta(c, 0xFF, "");
    });
}

void CentralinaSimulata::AggiornaMem10() {
    if (!scenario_.mem10 || blocchi_.size() <= 21) return;
    // Every third live read a fresh buffer of ten engine cycles waits.
    if (++lettureLive_ % 3 != 0) {
        ImpostaValore(1, 44, 0);
        return;
    }
    ImpostaValore(1, 44, 0x80);
    const double t = orologio();
    for (size_t i = 0; i < 10; ++i) {
        const int32_t benzina = 3000 + static_cast<int32_t>(400 * std::sin(t + static_cast<double>(i)));
        for (size_t j = 0; j < 4; ++j) ImpostaValore(21, 4 * i + j, j < 2 ? benzina : 0);
        ImpostaValore(21, 40 + i, 40000 + static_cast<int32_t>(8 * i));
        for (size_t j = 0; j < 3; ++j) ImpostaValore(21, 50 + 3 * i + j, j < 2 ? benzina + 800 : 0);
    }
    ImpostaValore(21, 80, consecutivoMem10_);
    consecutivoMem10_ = (consecutivoMem10_ + 1) & 0xFF;
    ImpostaValore(21, 81, 0);
}

} // namespace Simulazione
