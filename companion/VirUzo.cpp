// VirUzo, the communication process. It reads request packets on its standard
// input and writes exactly one reply packet for each on its standard output:
//   request  len-lo len-hi code h1..h5 payload
//   reply    len-hi len-lo code status 0 mode port 0 payload
// The ECU behind it is the simulated ECU or a real one on a serial line, as
// VirUzo.ini next to the program says.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

#include "CentralinaSimulata.h"
#include "ImpostazioniVirUzo.h"
#include "LineaSeriale.h"
#include "link/ComandiPipe.h"

namespace {

enum : uint8_t {
    // Test knobs, never sent by the program: payload knob id, value (4 bytes, low first).
    PIPE_MANOPOLA = 0xE0,
    // Test journal, never sent by the program: the request packets received
    // since the last call (knob and journal commands excepted), then emptied.
    PIPE_GIORNALE = 0xE1,
};

// Knob ids of PIPE_MANOPOLA.
enum : uint8_t {
    MANOPOLA_RITARDO_PIPE_MS = 1,   // every reply packet this much later
    MANOPOLA_PACCHETTI_PERSI = 2,   // next requests get no reply packet at all
    MANOPOLA_PACCHETTI_SPEZZATI = 3,// next reply packets written in two pieces, 30 ms apart
    MANOPOLA_LUNGHEZZA_ERRATA = 4,  // next reply packets carry a wrong length
    MANOPOLA_ERRATA_DOPO = 5,       // after this many good reply packets, one with a wrong length
    MANOPOLA_PERDI_CODICE = 6,      // the next request with this pipe code gets no reply packet
    MANOPOLA_PERSO_DOPO = 7,        // after this many good reply packets, one is not sent
    MANOPOLA_ECU_MUTA = 10,         // the simulated ECU does not answer
    MANOPOLA_ECU_RIFIUTO = 11,      // status byte of the simulated ECU's block writes
    MANOPOLA_ECU_CORROTTE = 12,     // next ECU replies with a wrong check byte
    MANOPOLA_ECU_PERSE = 13,        // next ECU frames not answered
    MANOPOLA_ECU_RITARDO_MS = 14,   // the ECU answers this much later
    MANOPOLA_ECU_PERDI_COMANDO = 15,// the next ECU frame with this command byte is not answered
};

constexpr uint8_t BloccoObd = 12;
const std::string TramaIdentificazione("\x41\x02\x03\x21\x61", 5);

std::string CartellaProgramma() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<size_t>(n));
    const size_t s = p.rfind('/');
    return s == std::string::npos ? "." : p.substr(0, s);
}

bool LeggiEsatti(std::string& out, size_t n) {
    out.resize(n);
    size_t fatto = 0;
    while (fatto < n) {
        const ssize_t r = ::read(STDIN_FILENO, out.data() + fatto, n - fatto);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        fatto += static_cast<size_t>(r);
    }
    return true;
}

bool ScriviTutto(const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(STDOUT_FILENO, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

void Dormi(int32_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class Compagno {
public:
    explicit Compagno(const std::string& cartella)
        : imp_(LeggiImpostazioniVirUzo(cartella + "/VirUzo.ini")), attesaEcuMs_(imp_.attesaEcuMs) {
        if (imp_.simulata) {
            ecu_ = std::make_unique<Simulazione::CentralinaSimulata>(cartella + "/SetCom.ini");
            ecu_->ImpostaScenario(imp_.scenario);
        }
    }

    // Returns false when the process must end.
    bool Servi() {
        std::string testa;
        if (!LeggiEsatti(testa, 2)) return false;
        const size_t lunghezza = static_cast<uint8_t>(testa[0]) + 256u * static_cast<uint8_t>(testa[1]);
        std::string resto;
        if (lunghezza > 2 && !LeggiEsatti(resto, lunghezza - 2)) return false;
        const std::string pacchetto = testa + resto;
        const uint8_t codice = pacchetto.size() >= 3 ? static_cast<uint8_t>(pacchetto[2]) : 0;
        const std::string dati = pacchetto.size() > 8 ? pacchetto.substr(8) : std::string();

        // Journal entry: the whole request packet, bounded so that one reply holds it.
        if (codice != PIPE_MANOPOLA && codice != PIPE_GIORNALE && giornale_.size() + pacchetto.size() < 60000)
            giornale_ += pacchetto;
        uint8_t codiceRisposta = codice;
        std::string datiRisposta;
        switch (codice) {
        case PIPE_QUIT:
            Rispondi(codiceRisposta, "");
            return false;
        case PIPE_INIT:
            ChiudiPorta();
            modo_ = 0;
            break;
        case PIPE_OPEN_PORT:
            datiRisposta = ApriPorta(dati.empty() ? 0 : static_cast<uint8_t>(dati[0]));
            break;
        case PIPE_SET_MODE:
            if (!dati.empty()) modo_ = static_cast<uint8_t>(dati[0]);
            datiRisposta = std::string(1, static_cast<char>(modo_));
            break;
        case PIPE_ECU_FRAME:
            datiRisposta = ScambiaConEcu(dati);
            break;
        case PIPE_SET_ECU_WAIT:
            if (dati.size() >= 2) {
                const int32_t ms = static_cast<uint8_t>(dati[0]) + 256 * static_cast<uint8_t>(dati[1]);
                attesaEcuMs_ = ms > 0 ? ms : 1;
            }
            break;
        case PIPE_STREAM_BLOCK:
            if (dati.size() >= 2 && static_cast<uint8_t>(dati[0]) == BloccoObd) {
                streamingObd_ = dati[1] != 0;
                if (ecu_) ecu_->streamingObd = streamingObd_;
            }
            datiRisposta = dati.substr(0, 2);
            break;
        case PIPE_RESET_PORT:
            seriale_.Svuota();
            break;
        case PIPE_PROBE_LIST:
        case PIPE_HOST_NAME:
            break;
        case PIPE_MANOPOLA:
            Manopola(dati);
            Rispondi(0, "", false);
            return true;
        case PIPE_GIORNALE:
            Rispondi(0, giornale_, false);
            giornale_.clear();
            return true;
        default:
            codiceRisposta = 0;
            break;
        }
        Rispondi(codiceRisposta, datiRisposta);
        return true;
    }

private:
    void ChiudiPorta() {
        seriale_.Chiudi();
        portaAperta_ = false;
        porta_ = 0;
        ecuRisponde_ = false;
    }

    std::string ApriPorta(int32_t com) {
        ChiudiPorta();
        porta_ = com;
        if (ecu_) {
            portaAperta_ = com == imp_.comSimulata;
        } else {
            const std::string d = DispositivoDiCom(imp_, com);
            portaAperta_ = !d.empty() && seriale_.Apri(d, imp_.baud);
        }
        // The ECU on the port identifies itself; its reply frame follows the
        // header. A port that cannot be opened costs the wait of a silent one.
        return ScambiaConEcu(TramaIdentificazione);
    }

    // Every exchange that brings no reply lasts the whole ECU wait, whatever
    // the cause (no port, a missing device, a mute ECU, noise on the line), so
    // that a program retrying at once never spins.
    std::string ScambiaConEcu(const std::string& trama) {
        const auto inizio = std::chrono::steady_clock::now();
        std::string r;
        if (portaAperta_ && ecu_) {
            const int32_t ritardo = ecu_->manopole.ritardoMs;
            if (ritardo > attesaEcuMs_) {
                Dormi(attesaEcuMs_);
            } else {
                r = ecu_->Rispondi(trama);
                Dormi(ritardo);
            }
        } else if (portaAperta_) {
            bool guasta = false;
            r = seriale_.Scambia(trama, attesaEcuMs_, &guasta);
            // The adapter was pulled: the port is closed until it is opened again.
            if (guasta) {
                seriale_.Chiudi();
                portaAperta_ = false;
            }
        }
        ecuRisponde_ = !r.empty();
        if (r.empty()) std::this_thread::sleep_until(inizio + std::chrono::milliseconds(attesaEcuMs_));
        return r;
    }

    void Manopola(const std::string& dati) {
        if (dati.size() < 5) return;
        const int32_t v = static_cast<int32_t>(static_cast<uint8_t>(dati[1]) | static_cast<uint8_t>(dati[2]) << 8 |
                                               static_cast<uint8_t>(dati[3]) << 16 |
                                               static_cast<uint32_t>(static_cast<uint8_t>(dati[4])) << 24);
        switch (static_cast<uint8_t>(dati[0])) {
        case MANOPOLA_RITARDO_PIPE_MS: ritardoPipeMs_ = v; break;
        case MANOPOLA_PACCHETTI_PERSI: pacchettiPersi_ = v; break;
        case MANOPOLA_PACCHETTI_SPEZZATI: pacchettiSpezzati_ = v; break;
        case MANOPOLA_LUNGHEZZA_ERRATA: lunghezzeErrate_ = v; break;
        case MANOPOLA_ERRATA_DOPO: errataDopo_ = v; break;
        case MANOPOLA_PERDI_CODICE: perdiCodice_ = v; break;
        case MANOPOLA_PERSO_DOPO: persoDopo_ = v; break;
        default:
            if (!ecu_) return;
            if (ecu_->ImpostaManopolaTrasferimenti(static_cast<uint8_t>(dati[0]), v)) return;
            if (ecu_->ImpostaManopolaFlash(static_cast<uint8_t>(dati[0]), v)) return;
            if (ecu_->ImpostaManopolaTaratura(static_cast<uint8_t>(dati[0]), v)) return;
            switch (static_cast<uint8_t>(dati[0])) {
            case MANOPOLA_ECU_MUTA: ecu_->manopole.muta = v != 0; break;
            case MANOPOLA_ECU_RIFIUTO: ecu_->manopole.statoRifiuto = static_cast<uint8_t>(v); break;
            case MANOPOLA_ECU_CORROTTE: ecu_->manopole.risposteCorrotte = v; break;
            case MANOPOLA_ECU_PERSE: ecu_->manopole.rispostePerse = v; break;
            case MANOPOLA_ECU_RITARDO_MS: ecu_->manopole.ritardoMs = v; break;
            case MANOPOLA_ECU_PERDI_COMANDO: ecu_->manopole.comandoPerso = v; break;
            default: break;
            }
        }
    }

    // The knob command's own reply is never touched by the knobs.
    void Rispondi(uint8_t codice, const std::string& dati, bool manopole = true) {
        auto consuma = [manopole](int32_t& n) {
            if (!manopole || n <= 0) return false;
            --n;
            return true;
        };
        bool perso = consuma(pacchettiPersi_);
        if (manopole && perdiCodice_ >= 0 && codice == perdiCodice_) {
            perdiCodice_ = -1;
            perso = true;
        }
        const bool spezzato = consuma(pacchettiSpezzati_);
        bool lunghezzaErrata = consuma(lunghezzeErrate_);
        if (manopole && errataDopo_ >= 0 && errataDopo_-- == 0) lunghezzaErrata = true;
        if (manopole && persoDopo_ >= 0 && persoDopo_-- == 0) perso = true;

        const size_t l = dati.size() + 8;
        std::string r;
        r += static_cast<char>((l >> 8) & 0xFF);
        r += static_cast<char>(l & 0xFF);
        r += static_cast<char>(codice);
        r += static_cast<char>(ecuRisponde_ ? 1 : 0);
        r += '\0';
        r += static_cast<char>(modo_);
        r += static_cast<char>(porta_);
        r += '\0';
        r += dati;
        if (lunghezzaErrata) std::swap(r[0], r[1]);
        if (manopole) Dormi(ritardoPipeMs_);
        if (perso) return;
        if (spezzato && r.size() > 1) {
            const size_t meta = r.size() / 2;
            ScriviTutto(r.data(), meta);
            Dormi(30);
            ScriviTutto(r.data() + meta, r.size() - meta);
        } else {
            ScriviTutto(r.data(), r.size()); // one write: one piece
        }
    }

    ImpostazioniVirUzo imp_;
    std::unique_ptr<Simulazione::CentralinaSimulata> ecu_;
    LineaSeriale seriale_;
    int32_t attesaEcuMs_ = 150;
    int32_t modo_ = 0;
    int32_t porta_ = 0;
    bool portaAperta_ = false;
    bool ecuRisponde_ = false;
    bool streamingObd_ = false;
    int32_t ritardoPipeMs_ = 0;
    int32_t pacchettiPersi_ = 0;
    int32_t pacchettiSpezzati_ = 0;
    int32_t lunghezzeErrate_ = 0;
    int32_t errataDopo_ = -1;
    int32_t persoDopo_ = -1;
    int32_t perdiCodice_ = -1;
    std::string giornale_;
};

} // namespace

int main() {
    std::signal(SIGPIPE, SIG_IGN);
    Compagno c(CartellaProgramma());
    while (c.Servi()) {
    }
    return 0;
}
