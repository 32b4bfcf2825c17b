// The block decoder (with the live-data step) and the reply rebuild on any
// layout and any reply. Input: byte 0 the block type selector, byte 1 the
// parameter count, then 3 bytes per parameter (type code, offset, scale),
// then the reply.
#include <cstdlib>

#include "Entrate.h"
#include "core/ModBlckBlocchi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckTrame.h"

namespace {

int DecodificaBloccoFuzz(const uint8_t* dati, size_t lunghezza) {
    if (lunghezza < 2) return 0;
    static const char* const codici[] = {"UB", "SB", "UW", "SW", "SL", "ub", ""};
    static const int32_t tipi[] = {0, 1, 3, 5, 12, 20};
    BloccoParametri b;
    b.Tipo = tipi[dati[0] % 6];
    const size_t n = dati[1] % 80;
    size_t i = 2;
    for (size_t k = 0; k < n && i + 3 <= lunghezza; ++k, i += 3) {
        b.CodiciTipo.push_back(codici[dati[i] % 7]);
        b.Offset.push_back(static_cast<int32_t>(dati[i + 1]) - 2);
        b.Scale.push_back(static_cast<int32_t>(static_cast<int8_t>(dati[i + 2])) * 1000);
        b.Valori.push_back(0);
    }
    const std::string risposta(reinterpret_cast<const char*>(dati) + i, lunghezza - i);
    ModBlck::InstallaPassiTipo();
    b.UltimaRisposta = risposta;
    ModBlck::DecodificaBlocco(risposta, b);
    std::string codificati;
    ModBlck::CodificaBlocco(codificati, b);
    const std::string ricostruita = ModBlck::CostruisciRispostaBlocco(b, 0x0D);
    if (ricostruita.size() < 6 || ricostruita.size() > 257 || ModBlck::CalcolaXor(ricostruita) != 0) std::abort();
    ModBlck::DecodificaBlocco(ricostruita, b);
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(decodifica_blocco, DecodificaBloccoFuzz);
