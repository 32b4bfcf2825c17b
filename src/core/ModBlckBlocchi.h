#pragma once
// The parameter-block model: the records that SetCom.ini defines, decoded from
// ECU reply frames and encoded back into frame data.
#include <cstdint>
#include <functional>
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
// the upper layers register it; type 5's own rule is applied here.
using PassoTipoBlocco = std::function<void(BloccoParametri&)>;
inline PassoTipoBlocco PassoDecodificaTipo;

void DecodificaBlocco(const std::string& risposta, BloccoParametri& blocco);
void CodificaBlocco(std::string& dati, const BloccoParametri& blocco);

} // namespace ModBlck
