// The companion's reply-frame reader on any byte stream: every frame it hands
// on is a whole reply to the command asked for, and the frames are the same
// whether the stream arrives in pieces or at once.
#include <cstdlib>
#include <string>
#include <vector>

#include "Entrate.h"
#include "LineaSeriale.h"

namespace {

// Byte 0: the request's command; byte 1: the size of the pieces the line
// delivers (1 to 16); the rest: the bytes on the line.
std::vector<std::string> Trame(const std::string& flusso, int32_t comando, size_t pezzo) {
    std::vector<std::string> trovate;
    std::string ricevuti;
    for (size_t i = 0; i < flusso.size(); i += pezzo) {
        ricevuti += flusso.substr(i, pezzo);
        for (std::string r; !(r = LineaSeriale::EstraiRisposta(ricevuti, comando)).empty();) trovate.push_back(r);
    }
    // The wait is over: what is whole in the rest.
    for (std::string r; !(r = LineaSeriale::EstraiRisposta(ricevuti, comando, true)).empty();) trovate.push_back(r);
    return trovate;
}

int EstrazioneRisposta(const uint8_t* dati, size_t lunghezza) {
    if (lunghezza < 2) return 0;
    const int32_t comando = dati[0];
    const size_t pezzo = dati[1] % 16 + 1;
    const std::string flusso(reinterpret_cast<const char*>(dati + 2), lunghezza - 2);
    const auto aPezzi = Trame(flusso, comando, pezzo);
    for (const std::string& t : aPezzi) {
        auto b = [&t](size_t k) { return static_cast<uint8_t>(t[k]); };
        uint8_t x = 0;
        for (char c : t) x ^= static_cast<uint8_t>(c);
        if (t.size() < 6 || b(0) != 0x42 || b(1) != 0x01 || b(2) < 4 || b(2) + 2u != t.size() || x != 0 ||
            b(3) != comando)
            std::abort();
        if (flusso.find(t) == std::string::npos) std::abort();
    }
    if (aPezzi != Trame(flusso, comando, flusso.size() + 1)) std::abort();
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(estrazione_risposta, EstrazioneRisposta);
