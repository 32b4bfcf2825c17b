#include "link/ModBlckTrameSalvate.h"

#include <algorithm>

#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"

namespace ModBlck {

bool TramaRispostaIntegra(const std::string& trama) {
    if (trama.size() < 6 || trama.size() - 2 > 0xFF) return false;
    return static_cast<uint8_t>(trama[0]) == InizioRisposta && static_cast<uint8_t>(trama[1]) == DirezioneRisposta &&
           static_cast<uint8_t>(trama[2]) == trama.size() - 2 && trama[4] == 0 && CalcolaXor(trama) == 0;
}

bool TramaRispostaAttesa(const std::string& trama, uint8_t comando, size_t dati) {
    return TramaRispostaIntegra(trama) && static_cast<uint8_t>(trama[3]) == comando && trama.size() == dati + 6;
}

std::optional<uint8_t> ComandoLetturaBlocco(const BloccoParametri& blocco) {
    const std::string richiesta = ModGlobFunct::ConvertiHexInTesto(blocco.TramaRichiesta);
    if (richiesta.size() < 4) return std::nullopt;
    return static_cast<uint8_t>(richiesta[3]);
}

size_t DatiRispostaBlocco(const BloccoParametri& blocco) {
    const size_t n = std::min({blocco.CodiciTipo.size(), blocco.Offset.size(), blocco.Scale.size()});
    int64_t ultima = 5; // the status byte: no data
    for (size_t k = 0; k < n; ++k) {
        const std::string& c = blocco.CodiciTipo[k];
        const int64_t o = blocco.Offset[k];
        // The last position the decoder reads for each type code.
        int64_t fine = 0;
        if (c == "UB" || c == "SB") fine = o;
        else if (c == "UW" || c == "SW") fine = o + 1;
        else if (c == "SL") fine = o + 4;
        ultima = std::max(ultima, fine);
    }
    return static_cast<size_t>(ultima - 5);
}

} // namespace ModBlck
