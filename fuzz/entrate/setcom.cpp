// SetCom.ini reader on any file content.
#include "Entrate.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"

namespace {

int EntrataSetCom(const uint8_t* dati, size_t lunghezza) {
    const auto tabella = TabellaBlocchi;
    ModBlck::LeggiSetCom(Fuzz::ScriviIngresso("bin/SetCom.ini", dati, lunghezza));
    // Every block read must decode and encode a reply without harm.
    const std::string risposta(reinterpret_cast<const char*>(dati), lunghezza < 300 ? lunghezza : 300);
    for (auto& b : TabellaBlocchi) {
        ModBlck::DecodificaBlocco(risposta, b);
        std::string codificati;
        ModBlck::CodificaBlocco(codificati, b);
    }
    TabellaBlocchi = tabella;
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(setcom, EntrataSetCom);
