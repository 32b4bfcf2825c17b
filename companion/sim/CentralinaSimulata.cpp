#include "CentralinaSimulata.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "ConfigurazioneSimulata.h"
#include "LetturaLimitata.h"
#include "MotoreSimulato.h"

namespace Simulazione {
namespace {

constexpr uint8_t CmdLeggiIdentificazione = 0x21;
constexpr uint8_t CmdCancellaErrori = 0x14;
constexpr uint8_t CmdMemorizzaBlocco5 = 0x15;
constexpr uint8_t CmdScriviBlocco5 = 0x2C;
constexpr uint8_t StatoNonGestito = 0xFF;

std::string Pulisci(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}

std::string Maiuscolo(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool DaHex(const std::string& hex, std::string& byte) {
    byte.clear();
    if (hex.size() % 2 != 0) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        try {
            size_t fine = 0;
            const int v = std::stoi(hex.substr(i, 2), &fine, 16);
            if (fine != 2) return false;
            byte += static_cast<char>(v);
        } catch (...) {
            return false;
        }
    }
    return true;
}

int32_t Intero(const std::string& s, int32_t predefinito) {
    try {
        return static_cast<int32_t>(std::stol(s));
    } catch (...) {
        return predefinito;
    }
}

size_t Ampiezza(const std::string& tipo) {
    if (tipo == "UB" || tipo == "SB") return 1;
    if (tipo == "UW" || tipo == "SW") return 2;
    if (tipo == "SL") return 4;
    return 0;
}

// Data indexes (position - 6) of the bytes from the lowest up, in the decoder's order.
std::vector<int64_t> Posizioni(const Parametro& p) {
    const int64_t o = static_cast<int64_t>(p.offset) - 6;
    if (p.tipo == "SL") return {o + 2, o + 1, o + 4, o + 3};
    if (Ampiezza(p.tipo) == 2) return {o, o + 1};
    if (Ampiezza(p.tipo) == 1) return {o};
    return {};
}

int64_t Grezzo(const Parametro& p, double valore) {
    if (p.scala == 0) return 0;
    const double r = valore / p.scala;
    if (p.tipo == "SB") return std::clamp<int64_t>(static_cast<int64_t>(std::floor(r)), -128, 127);
    return static_cast<int64_t>(std::nearbyint(std::clamp(r, -9.0e18, 9.0e18))); // halves to even
}

int64_t ConSegno(uint64_t v, size_t byte) {
    const uint64_t segno = 1ull << (8 * byte - 1);
    return (v & segno) ? static_cast<int64_t>(v) - static_cast<int64_t>(segno << 1) : static_cast<int64_t>(v);
}

} // namespace

std::vector<Parametro> LeggiParametri(const std::string& riga) {
    std::vector<Parametro> out;
    size_t inizio = 0;
    while (inizio <= riga.size()) {
        const size_t fine = std::min(riga.find(';', inizio), riga.size());
        const std::string voce = riga.substr(inizio, fine - inizio);
        Parametro p;
        std::vector<std::string> campi;
        size_t a = 0;
        while (a <= voce.size()) {
            const size_t b = std::min(voce.find(',', a), voce.size());
            campi.push_back(Pulisci(voce.substr(a, b - a)));
            a = b + 1;
        }
        if (!campi.empty()) p.tipo = campi[0];
        p.offset = campi.size() > 1 ? Intero(campi[1], 0) : 0;
        p.scala = campi.size() > 2 ? Intero(campi[2], 0) : 0;
        out.push_back(p);
        inizio = fine + 1;
    }
    return out;
}

uint8_t CentralinaSimulata::Xor(const std::string& byte) {
    uint8_t x = 0;
    for (const char c : byte) x ^= static_cast<uint8_t>(c);
    return x;
}

std::string CentralinaSimulata::Risposta(uint8_t comando, uint8_t stato, const std::string& dati) {
    std::string t;
    t += '\x42';
    t += '\x01';
    t += static_cast<char>(dati.size() + 4);
    t += static_cast<char>(comando);
    t += static_cast<char>(stato);
    t += dati;
    t += static_cast<char>(Xor(t));
    return t;
}

CentralinaSimulata::CentralinaSimulata(const std::string& percorsoSetCom) {
    const auto avvio = std::chrono::steady_clock::now();
    orologio = [avvio] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - avvio).count();
    };

    std::vector<std::string> righe;
    {
        bool troppoGrande = false;
        const auto testo = LeggiFileLimitato(percorsoSetCom, DimensioneMassimaImpostazioni, &troppoGrande);
        if (troppoGrande) std::fprintf(stderr, "%s too large, not read\n", percorsoSetCom.c_str());
        std::istringstream f(testo.value_or(std::string()));
        std::string r;
        while (std::getline(f, r)) righe.push_back(Pulisci(r));
    }
    auto riga = [&](size_t i) { return i < righe.size() ? righe[i] : std::string(); };
    for (size_t i = 0; i < righe.size(); ++i) {
        const std::string chiave = Maiuscolo(righe[i]);
        if (chiave == "[MSG]") {
            BloccoSimulato b;
            b.tipo = Intero(riga(i + 1), 0);
            b.nome = riga(i + 2);
            std::string trama;
            if (DaHex(riga(i + 3), trama) && trama.size() >= 4) b.comandoLettura = static_cast<uint8_t>(trama[3]);
            const std::string w = riga(i + 5);
            if (w.rfind("W=", 0) == 0 && w.substr(2) != "--") {
                std::string c;
                if (DaHex(w.substr(2), c) && c.size() == 1) b.comandoScrittura = static_cast<uint8_t>(c[0]);
            }
            b.parametri = LeggiParametri(riga(i + 7));
            // Reply data: the "N=" note, or up to the last byte a parameter covers.
            int64_t n = 0;
            for (const auto& p : b.parametri)
                for (const int64_t pos : Posizioni(p)) n = std::max(n, pos + 1);
            const std::string nota = riga(i + 6);
            if (nota.rfind("N=", 0) == 0) n = std::max<int64_t>(n, Intero(nota.substr(2), 0));
            b.dati.assign(static_cast<size_t>(std::clamp<int64_t>(n, 0, 251)), '\0');
            blocchi_.push_back(std::move(b));
            i += 7;
        } else if (chiave == "[FIRMWARE]") {
            // The identification of the normal firmware: number 0, second list.
            std::string trama;
            if (identificazione_.empty() && Intero(riga(i + 2), -1) == 0 && riga(i + 3) != "1" &&
                DaHex(riga(i + 1), trama))
                identificazione_ = trama;
            if (DaHex(riga(i + 1), trama)) firme_.push_back({trama, Intero(riga(i + 2), 0), Intero(riga(i + 3), 1)});
            i += 3;
        }
    }

    // Start values: a warm four-cylinder car commanded to gas, a neutral OBD
    // block whose stored protocol (11) makes the first OBD start search them all.
    struct Iniziale {
        size_t blocco, indice;
        int32_t valore;
    } iniziali[] = {
        {2, 0, 3}, {2, 3, 120}, {2, 4, 35},
        {3, 0, 4}, {3, 1, 4}, {3, 13, 1}, {3, 14, 1}, {3, 15, 1}, {3, 16, 1}, {3, 39, 500}, {3, 42, 1},
        {3, 47, 15}, {3, 37, 1638375} /* no forced switchover */, {5, 6, 4},
        // ECU record: serial 1042 of batch 17, built in week 20 of 2024, client 3, SL 1.
        {5, 0, 1042}, {5, 1, 17}, {5, 2, 20}, {5, 3, 2024}, {5, 4, 3}, {5, 5, 1},
        {12, 1, 11}, {12, 30, 128}, {12, 34, 128}, {12, 38, 128}, {12, 42, 128},
        // Block 15: the normal injection sequence, acquired order 1-3-4-2, a
        // gas dead time of 512 us, three injections before re-entry.
        {15, 7, 1}, {15, 8, 2}, {15, 9, 3}, {15, 10, 4}, {15, 11, 5}, {15, 12, 6}, {15, 13, 7},
        {15, 0, 512}, {15, 4, 5}, {15, 77, 3}, {15, 80, 2}, {15, 81, 3}, {15, 82, 1},
    };
    for (const auto& v : iniziali)
        if (v.blocco < blocchi_.size()) ImpostaValore(v.blocco, v.indice, v.valore);
    // Block 11, the lambda emulation: 12 rpm and 4 pressure breakpoints, a
    // map rising gently with load and speed, a 2 s delay and its thresholds.
    if (blocchi_.size() > 11) {
        for (int c = 0; c < 12; ++c) ImpostaValore(11, static_cast<size_t>(c), 1000 + 500 * c);
        for (int r = 0; r < 4; ++r) ImpostaValore(11, static_cast<size_t>(12 + r), 300 + 300 * r);
        for (int c = 0; c < 12; ++c)
            for (int r = 0; r < 4; ++r) ImpostaValore(11, static_cast<size_t>(16 + 4 * c + r), 26 + 2 * r + c / 3);
        const Iniziale lambda[] = {{11, 64, 2000}, {11, 65, 41}, {11, 66, 23}, {11, 67, 51}, {11, 68, 10}};
        for (const auto& v : lambda) ImpostaValore(v.blocco, v.indice, v.valore);
    }
    CurveCompensazioneIniziali();
    ValoriInizialiInjDir();
    ImpostaConfigurazioneIniziale(*this);

    for (size_t n = 0; n < blocchi_.size(); ++n) {
        const BloccoSimulato& b = blocchi_[n];
        if (b.comandoLettura != 0 && b.comandoLettura != CmdLeggiIdentificazione)
            Registra(b.comandoLettura, [this, n](uint8_t, const std::string&) { return LeggiBlocco(n); });
        if (b.comandoScrittura >= 0 && static_cast<uint8_t>(b.comandoScrittura) != CmdScriviBlocco5)
            Registra(static_cast<uint8_t>(b.comandoScrittura),
                     [this, n](uint8_t c, const std::string& d) { return ScriviBlocco(n, c, d); });
    }
    Registra(CmdLeggiIdentificazione, [this](uint8_t c, const std::string&) {
        return identificazione_.empty() ? Risposta(c, StatoNonGestito, "") : identificazione_;
    });
    // Block 5 is written into a pending copy and stored by its own command.
    Registra(CmdScriviBlocco5, [this](uint8_t c, const std::string& d) {
        if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
        blocco5InSospeso_ = d;
        return Risposta(c, 0, "");
    });
    Registra(CmdMemorizzaBlocco5, [this](uint8_t c, const std::string&) {
        if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
        if (blocchi_.size() > 5 && !blocco5InSospeso_.empty()) {
            const std::string d = blocco5InSospeso_;
            blocco5InSospeso_.clear();
            ScriviBlocco(5, c, d);
        }
        return Risposta(c, 0, "");
    });
    Registra(CmdCancellaErrori, [this](uint8_t c, const std::string&) {
        if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
        if (blocchi_.size() > 4) std::fill(blocchi_[4].dati.begin(), blocchi_[4].dati.end(), '\0');
        return Risposta(c, 0, "");
    });
    RegistraTrasferimenti();
    RegistraFlash();
    RegistraErrori();
}

int32_t CentralinaSimulata::Valore(size_t n, size_t k) const {
    if (n >= blocchi_.size() || k >= blocchi_[n].parametri.size()) return 0;
    const BloccoSimulato& b = blocchi_[n];
    const Parametro& p = b.parametri[k];
    const auto pos = Posizioni(p);
    uint64_t v = 0;
    for (size_t i = 0; i < pos.size(); ++i) {
        if (pos[i] < 0 || pos[i] >= static_cast<int64_t>(b.dati.size())) return 0;
        v |= static_cast<uint64_t>(static_cast<uint8_t>(b.dati[static_cast<size_t>(pos[i])])) << (8 * i);
    }
    int64_t grezzo = static_cast<int64_t>(v);
    if (p.tipo == "SB" || p.tipo == "SW" || p.tipo == "SL") grezzo = ConSegno(v, pos.size());
    return static_cast<int32_t>(grezzo * p.scala);
}

void CentralinaSimulata::ImpostaValore(size_t n, size_t k, int32_t valore) {
    if (n >= blocchi_.size() || k >= blocchi_[n].parametri.size()) return;
    BloccoSimulato& b = blocchi_[n];
    const Parametro& p = b.parametri[k];
    const auto pos = Posizioni(p);
    const uint64_t grezzo = static_cast<uint64_t>(Grezzo(p, valore));
    for (size_t i = 0; i < pos.size(); ++i)
        if (pos[i] >= 0 && pos[i] < static_cast<int64_t>(b.dati.size()))
            b.dati[static_cast<size_t>(pos[i])] = static_cast<char>(grezzo >> (8 * i));
}

std::string CentralinaSimulata::Rispondi(const std::string& trama) {
    if (manopole.muta) return {};
    // 41 02 L command data XOR, L = length - 2, XOR of the whole frame 0.
    if (trama.size() < 5 || static_cast<uint8_t>(trama[0]) != 0x41 || static_cast<uint8_t>(trama[1]) != 0x02 ||
        static_cast<size_t>(static_cast<uint8_t>(trama[2])) + 2 != trama.size() || Xor(trama) != 0)
        return {};
    if (manopole.rispostePerse > 0) {
        --manopole.rispostePerse;
        return {};
    }
    const uint8_t comando = static_cast<uint8_t>(trama[3]);
    if (manopole.comandoPerso == comando) {
        manopole.comandoPerso = -1;
        return {};
    }
    if (soloIdentificazione_ && comando != CmdLeggiIdentificazione && !AmmessoInBoot(comando)) return {};
    if (estranea_) return identificazione_;
    const std::string dati = trama.substr(4, trama.size() - 5);
    const auto g = gestori_.find(comando);
    std::string r = g != gestori_.end() ? g->second(comando, dati) : Risposta(comando, StatoNonGestito, "");
    if (!r.empty() && manopole.risposteCorrotte > 0) {
        --manopole.risposteCorrotte;
        r.back() = static_cast<char>(r.back() ^ 0x5A);
    }
    return r;
}

std::string CentralinaSimulata::LeggiBlocco(size_t n) {
    if (n == 1) {
        AggiornaDatiLive();
        AggiornaMem10();
    }
    // The car's values move while the block streams, or while OBD is on (block 2
    // value 2 bit 0x04) with a car ECU chosen by an OBD start (value 19 = PID 06).
    if (n == 12 && (streamingObd || ((Valore(2, 2) & 0x04) && Valore(12, 19) == 6))) AggiornaDatiObd();
    return Risposta(blocchi_[n].comandoLettura, 0, blocchi_[n].dati);
}

std::string CentralinaSimulata::ScriviBlocco(size_t n, uint8_t comando, const std::string& dati) {
    if (manopole.statoRifiuto != 0) return Risposta(comando, manopole.statoRifiuto, "");
    // The write carries the parameters back to back, lowest byte first.
    BloccoSimulato& b = blocchi_[n];
    size_t i = 0;
    for (size_t k = 0; k < b.parametri.size(); ++k) {
        const Parametro& p = b.parametri[k];
        const size_t a = Ampiezza(p.tipo);
        if (a == 0) continue;
        if (i + a > dati.size()) break;
        uint64_t v = 0;
        for (size_t j = 0; j < a; ++j) v |= static_cast<uint64_t>(static_cast<uint8_t>(dati[i + j])) << (8 * j);
        i += a;
        int64_t grezzo = static_cast<int64_t>(v);
        if (p.tipo == "SB" || p.tipo == "SW" || p.tipo == "SL") grezzo = ConSegno(v, a);
        ImpostaValore(n, k, static_cast<int32_t>(grezzo * p.scala));
    }
    return Risposta(comando, 0, "");
}

void CentralinaSimulata::AggiornaDatiLive() {
    const double t = orologio();
    // Block 2: the reported fuel follows the commanded one once the reducer is warm.
    const bool aGas = Valore(2, 0) == 3 && (RiduttoreCaldo(t) || taratura.riduttoreCaldo);
    // While a switchover handshake runs, the reported fuel is the handshake's.
    if (blocchi_.size() > 2 && trasferimenti.commutazioneInCorso < 0) ImpostaValore(2, 1, aGas ? 3 : 0);
    const int32_t cilindri = std::clamp(Valore(3, 1), 0, 8);
    StatoMotore m = CalcolaMotore(t, cilindri, aGas);
    ApplicaTaratura(m, t, cilindri, aGas);

    // Engine period in the unit the program turns into rpm.
    const int32_t bobine = Valore(3, 0);
    double periodo = 0;
    if (Valore(3, 33) & 1) {
        const int32_t molt = std::max(1, Valore(3, 42));
        periodo = 15'000'000.0 / (m.giri * molt);
    } else {
        const double fattore = (cilindri != 0 && cilindri <= 8 && bobine <= 8) ? bobine * 240'000'000.0 / (cilindri * 16.0) : 1.0;
        periodo = fattore / m.giri;
    }
    auto v = [&](size_t k, double x) { ImpostaValore(1, k, static_cast<int32_t>(std::lround(x))); };
    for (int32_t k = 0; k < 8; ++k) {
        v(static_cast<size_t>(7 - k), m.tempoGasUs[k]);
        v(static_cast<size_t>(15 - k), m.tempoBenzinaUs[k]);
        v(static_cast<size_t>(23 - k), m.tempoBenzinaUs[k]);
        v(static_cast<size_t>(31 - k), 0);
    }
    v(32, scenario_.motoreFermo ? 0.0 : std::clamp(periodo, 0.0, 65535.0));
    v(33, m.pressioneGas);
    v(34, 0x00FF); // no second bank row
    v(35, m.lambda1mV * 1024.0 / 5000.0);
    v(36, m.lambda2mV * 1024.0 / 5000.0);
    v(37, scenario_.motoreFermo ? 0 : 1); // running
    v(38, m.lambda1mV * 255.0 / 5000.0);
    v(39, m.lambda2mV * 255.0 / 5000.0);
    v(40, 610);
    v(41, 612 + 6 * std::sin(t));
    v(42, m.tempRiduttore);
    v(43, m.tempGas);
    v(44, 0);
    v(48, m.pressioneCollettore);
    // Switch lamps: gas lamp steady while on gas, three steady level lamps.
    v(49, (aGas ? 0x0300 : 0) | 0x00FC);
    v(50, std::clamp((m.giri - 500.0) / 250.0, 0.0, 23.0));
    v(51, std::clamp(m.tempoBenzinaUs[0] / 500.0, 0.0, 22.0));
    v(53, 25);
    v(54, 13800 + 60 * std::sin(t / 3.0));
    v(55, 400 + 80 * m.carico);
    AggiornaPuntiCompensazione();
    AggiornaInjDir(m.carico);
}

} // namespace Simulazione
