#pragma once
// The simulated ECU: it holds the parameter blocks in the layout of SetCom.ini
// (read at run time, the same file the program reads), answers request frames
// with reply frames, and moves its live values like a running engine.
//
// Commands are answered through a dispatch table keyed on the command byte,
// so further commands are added with Registra().
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FlashSimulata.h"
#include "ScenarioSimulato.h"
#include "SimulazioneTaratura.h"
#include "MotoreSimulato.h"
#include "TrasferimentiSimulati.h"

namespace Simulazione {

struct Parametro {
    std::string tipo; // "UB" "SB" "UW" "SW" "SL"
    int32_t offset = 0;
    int32_t scala = 1;
};

struct BloccoSimulato {
    int32_t tipo = 0;
    std::string nome;
    uint8_t comandoLettura = 0;
    int32_t comandoScrittura = -1; // -1: not writable
    std::vector<Parametro> parametri;
    std::string dati; // the data bytes of the reply (position 6 onwards)
};

// Knobs for tests. Counters apply to the next replies and count down.
struct Manopole {
    int32_t ritardoMs = 0;         // every reply comes this much later
    int32_t rispostePerse = 0;     // next replies never sent
    int32_t risposteSpezzate = 0;  // next replies sent in two pieces
    int32_t pausaSpezzaturaMs = 30;
    int32_t risposteCorrotte = 0;  // next replies with a wrong check byte
    int32_t comandoPerso = -1;     // the next request with this command gets no reply
    uint8_t statoRifiuto = 0;      // status of block writes; 0 = carried out
    bool muta = false;             // the ECU does not answer at all
};

class CentralinaSimulata {
public:
    using Gestore = std::function<std::string(uint8_t comando, const std::string& dati)>;

    // Reads the blocks and the identification frame from SetCom.ini. A file
    // that cannot be read leaves no blocks (every read is then refused).
    explicit CentralinaSimulata(const std::string& percorsoSetCom);

    // The reply frame to one request frame; empty = no reply. A frame with a
    // wrong start, length or check byte is ignored, as the ECU would.
    std::string Rispondi(const std::string& trama);

    void Registra(uint8_t comando, Gestore g) { gestori_[comando] = std::move(g); }

    // Reply frame: 42 01 L command status data XOR.
    static std::string Risposta(uint8_t comando, uint8_t stato, const std::string& dati);
    static uint8_t Xor(const std::string& byte);

    bool Caricata() const { return !blocchi_.empty(); }
    size_t NumeroBlocchi() const { return blocchi_.size(); }
    BloccoSimulato& Blocco(size_t n) { return blocchi_.at(n); }
    const std::string& TramaIdentificazione() const { return identificazione_; }

    // Value k of block n, as the program's decoder reads it (raw x scale).
    int32_t Valore(size_t n, size_t k) const;
    // Writes value k of block n at the positions the decoder reads it from.
    void ImpostaValore(size_t n, size_t k, int32_t valore);

    // Maps, vectors, tables and the handshakes (TrasferimentiSimulati.cpp).
    MemoriaTrasferimenti trasferimenti;
    // The knobs of that part; false when `id` is not one of them.
    bool ImpostaManopolaTrasferimenti(uint8_t id, int32_t valore);

    // The calibration's engine (SimulazioneTaratura.cpp).
    MemoriaTaratura taratura;
    bool ImpostaManopolaTaratura(uint8_t id, int32_t valore);

    // The flash and its boot loader (FlashSimulata.cpp).
    MemoriaFlash flash;
    // The knobs of the flash; false when `id` is not one of them.
    bool ImpostaManopolaFlash(uint8_t id, int32_t valore);
    bool InBoot() const { return flash.boot; }

    // Streaming of the OBD block (its values move while it is on).
    bool streamingObd = false;
    Manopole manopole;
    // Seconds since start; tests may replace it to freeze time.
    std::function<double()> orologio;

    // What the ECU plays (ScenarioSimulato.cpp): identification, boot state,
    // foreign device, the car behind its OBD link, MEM10 records.
    void ImpostaScenario(const ScenarioSimulato& s);

    // Direct-injection wizard (SimulazioneInjDir.cpp): the rpm-signal input
    // sees the engine only while block 15 value 87 is at most this threshold.
    int32_t sogliaSegnaleRpm = 150;

private:
    std::string LeggiBlocco(size_t n);
    std::string ScriviBlocco(size_t n, uint8_t comando, const std::string& dati);
    void AggiornaDatiLive();
    void ApplicaTaratura(StatoMotore& m, double t, int32_t cilindri, bool aGas);
    void AggiornaDatiObd();
    // Compensation curves (SimulazioneCompensa.cpp).
    void CurveCompensazioneIniziali();
    void AggiornaPuntiCompensazione();
    // Direct injection (SimulazioneInjDir.cpp).
    void ValoriInizialiInjDir();
    void AggiornaInjDir(double carico);
    void RegistraTrasferimenti();
    // Error list, error options and service counters (SimulazioneErrori.cpp).
    void RegistraErrori();
    void AggiornaMem10();
    void RegistraFlash();
    void PreparaFlash();
    void EntraInBoot();
    void AvviaFirmwareFlash();
    bool AmmessoInBoot(uint8_t comando) const;

    // The "[FIRMWARE]" identifiers of SetCom.ini.
    struct FirmaSetCom {
        std::string trama;
        int32_t numero = 0;
        int32_t lista = 1;
    };
    std::vector<FirmaSetCom> firme_;
    ScenarioSimulato scenario_;
    bool soloIdentificazione_ = false; // answers the identification only
    bool estranea_ = false;            // answers every frame with its own
    int32_t lettureLive_ = 0;
    int32_t consecutivoMem10_ = 0;

    std::vector<BloccoSimulato> blocchi_;
    std::string identificazione_;
    std::map<uint8_t, Gestore> gestori_;
    std::string blocco5InSospeso_;
};

// Reads the parameter list "UB,6,1;UW,7,10" of SetCom.ini.
std::vector<Parametro> LeggiParametri(const std::string& riga);

} // namespace Simulazione
