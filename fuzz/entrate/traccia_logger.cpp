// The logger's trace reader on any text, with blocks 1 and 12 laid out as
// SetCom.ini lays them out and every channel on a value index taken from the
// input; then the export of what it read.
#include <cstdlib>

#include "Entrate.h"
#include "core/ModBlckBlocchi.h"
#include "link/ModBlckDatiLive.h"
#include "logger/ModOscillo.h"

namespace {

// Block 1: 63 words from reply offset 6; block 12: 88 bytes from offset 6.
void TracciaBlocchi() {
    if (TabellaBlocchi.size() >= 13) return;
    TabellaBlocchi.assign(13, BloccoParametri{});
    BloccoParametri& live = TabellaBlocchi[1];
    live.Tipo = 1;
    for (int k = 0; k < 63; ++k) {
        live.CodiciTipo.push_back(k % 5 == 0 ? "SW" : "UW");
        live.Offset.push_back(6 + 2 * k);
        live.Scale.push_back(1);
        live.Valori.push_back(0);
    }
    BloccoParametri& obd = TabellaBlocchi[12];
    obd.Tipo = 12;
    for (int k = 0; k < 88; ++k) {
        obd.CodiciTipo.push_back("UB");
        obd.Offset.push_back(6 + k);
        obd.Scale.push_back(1);
        obd.Valori.push_back(0);
    }
}

int TracciaLoggerFuzz(const uint8_t* dati, size_t lunghezza) {
    TracciaBlocchi();
    ModBlck::InstallaPassiTipo();
    ModOscillo::InsiemeCanali canali = ModOscillo::CanaliPredefiniti();
    if (lunghezza > 0) canali[0].IdVariabile = static_cast<int8_t>(dati[0]);
    const std::string_view testo(reinterpret_cast<const char*>(dati), lunghezza);
    std::vector<int32_t> log, obd;
    ModOscillo::CaricaTestoLog(testo, log, obd, canali);
    if (log.size() != obd.size() || log.empty() || (log.size() != 1 && log.size() % ModOscillo::Passo != 0)) std::abort();
    if (ModBlck::DecodificaDaTraccia) std::abort();
    const std::string esportato = ModOscillo::TestoEsportazione(canali, log, obd);
    if (esportato.rfind("Tempo # ", 0) != 0) std::abort();
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(traccia_logger, TracciaLoggerFuzz);
