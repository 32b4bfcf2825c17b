#pragma once
// The parameter-block model: the records that SetCom.ini defines, decoded from
// ECU reply frames and encoded back into frame data.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct BloccoParametri {
    int32_t Tipo = 0;
    std::string Nome;
    int32_t TempoMs = 0;
    std::vector<std::string> CodiciTipo; // "UB" "SB" "UW" "SW" "SL"
    std::vector<int32_t> Offset;         // position in the reply frame, 1 = the 0x42
    std::vector<int32_t> Scale;
    std::vector<int32_t> Valori;
    std::string TramaRichiesta;          // hex text
    std::string UltimaRisposta;          // byte string
    bool Streaming = false;
};

inline std::vector<BloccoParametri> TabellaBlocchi(1, BloccoParametri{0, {}, 0, {""}, {0}, {0}, {0}, {}, {}, false});

namespace ModBlck {

// Per-type step after the values are decoded (live data, OBD data, block 3):
// the upper layers register it and it runs after every decode, choosing its
// work by the block's type; type 5's own rule is applied here before it.
using PassoTipoBlocco = std::function<void(BloccoParametri&)>;
inline PassoTipoBlocco PassoDecodificaTipo;

// Block n of the table. SetCom.ini may define fewer blocks than the fixed
// numbers the program uses (a missing or short file): then a scratch record,
// emptied on every call, stands in, so reads find nothing and writes go nowhere.
BloccoParametri& BloccoDefinito(size_t n);

// Value k of a block of this type as the decoder leaves it (type 5: value 6,
// the cylinders, is 4, 6 or 8); every other value as it is.
int32_t ValoreDopoDecodifica(int32_t tipo, size_t k, int32_t valore);

// Values and time stamp from a reply frame, then the per-type step. A parameter
// whose bytes lie outside the reply, whose type code is unknown or whose value
// does not fit 32 bits keeps its previous value.
void DecodificaBlocco(const std::string& risposta, BloccoParametri& blocco);
// Parameters back to back in index order, offsets ignored. A value that cannot
// be rounded into the type's bytes (scale 0 included) still takes its bytes, as zeros.
void CodificaBlocco(std::string& dati, const BloccoParametri& blocco);
// Value of parameter k as the decoder reads it from the reply (raw x scale);
// nothing when it cannot be read.
std::optional<int32_t> DecodificaValore(const std::string& risposta, const BloccoParametri& blocco,
                                        size_t k);

// First level-sensor definition whose code equals the key; -1 when none.
int32_t CercaIndiceSensore(int16_t chiave);
// First lambda-probe definition whose number equals the key; -1 when none.
int32_t CercaIndiceLambda(int16_t chiave);
// Factor that turns the engine period into rpm: (a x 240,000,000) / (n x 16)
// when n is not 0, n <= 8 and a <= 8; otherwise 1.
float CalcolaFattoreGiriTempo(int32_t n, int32_t a);
// 7,500,000 when v is 2, otherwise 15,000,000.
int32_t CalcolaCostanteGiriTempo(int32_t v);

} // namespace ModBlck
