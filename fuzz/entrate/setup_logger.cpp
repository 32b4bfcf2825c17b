// lng/OsciSetUp.ini on any content: every value read but the zoom lies in its
// range, the chart's arithmetic on those values never overflows, and the text
// written back reads as the same channels.
#include <cstdlib>

#include "Entrate.h"
#include "logger/GraficoLogger.h"
#include "logger/ModOscillo.h"

namespace {

void SetupLoggerControllaCanale(const CanaleOscilloscopio& c) {
    using namespace ModOscillo;
    if (c.Canale < 0 || c.Canale >= NumeroCanali) std::abort();
    if (c.Visibile != -1 && c.Visibile != 0) std::abort();
    if (c.Colore < 0 || c.Colore > ColoreMassimoCanale) std::abort();
    if (c.OffsetPercento < OffsetMinimoCanale || c.OffsetPercento > OffsetMassimoCanale) std::abort();
}

int EntrataSetupLogger(const uint8_t* dati, size_t lunghezza) {
    using namespace GraficoLogger;
    const std::string_view testo(reinterpret_cast<const char*>(dati), lunghezza);
    ModOscillo::InsiemeCanali canali = ModOscillo::CanaliPredefiniti();
    ModOscillo::LeggiSetupCanaliTesto(testo, canali);
    for (const auto& c : canali) {
        SetupLoggerControllaCanale(c);
        // The page's steps on the channel: zero line, a point, zoom in and out, up and down.
        for (const int32_t H : {0, 4500, 60000}) {
            const int32_t y0 = ZeroCanale(H, c.OffsetPercento);
            YPerValore(y0, c.ZoomPercento, INT32_MAX);
            YPerValore(y0, c.ZoomPercento, INT32_MIN);
        }
        // A step moves the zoom by at most 2000 or sets it to 100.
        for (const bool dentro : {true, false}) {
            const int64_t z = ZoomCanale(c.IdVariabile, c.ZoomPercento, dentro);
            if (z != 100 && (z - c.ZoomPercento > 2000 || c.ZoomPercento - z > 2000)) std::abort();
        }
        DidascaliaCanale(c, INT32_MIN, ",");
    }
    ModOscillo::InsiemeCanali riletti = ModOscillo::CanaliPredefiniti();
    ModOscillo::LeggiSetupCanaliTesto(ModOscillo::TestoSetupCanali(canali), riletti);
    for (int i = 0; i < ModOscillo::NumeroCanali; ++i) {
        const auto &a = canali[i], &b = riletti[i];
        if (a.Canale != b.Canale || a.IdVariabile != b.IdVariabile || a.Visibile != b.Visibile || a.Colore != b.Colore ||
            a.OffsetPercento != b.OffsetPercento || a.ZoomPercento != b.ZoomPercento)
            std::abort();
    }
    ModOscillo::DistribuisciOffset(canali);
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(setup_logger, EntrataSetupLogger);
