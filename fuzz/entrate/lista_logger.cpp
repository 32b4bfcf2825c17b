// lng/OsciList.ini on any content: the variable list, its names in a language
// taken from the input, and the channels' captions with what it gives them.
#include <cmath>
#include <cstdlib>

#include "Entrate.h"
#include "logger/GraficoLogger.h"
#include "logger/ModOscillo.h"

namespace {

int EntrataListaLogger(const uint8_t* dati, size_t lunghezza) {
    const std::string_view testo(reinterpret_cast<const char*>(dati), lunghezza);
    std::vector<VariabileOscilloscopio> lista;
    ModOscillo::LeggiListaVariabiliTesto(testo, lista);
    for (const auto& v : lista)
        if (!std::isfinite(v.Scala)) std::abort();
    const int32_t lingua = lunghezza > 0 ? dati[0] % 4 : 0;
    ModOscillo::InsiemeCanali canali = ModOscillo::CanaliPredefiniti();
    // Channels on the ids the list names, so that every entry reaches a caption.
    for (size_t i = 0; i < lista.size() && i < canali.size(); ++i) canali[i].IdVariabile = lista[i].IdVariabile;
    ModOscillo::AssegnaVariabili(canali, lista, lingua);
    for (const auto& c : canali)
        for (const int32_t v : {INT32_MIN, -1, 0, 1, INT32_MAX}) GraficoLogger::DidascaliaCanale(c, v, ".");
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(lista_logger, EntrataListaLogger);
