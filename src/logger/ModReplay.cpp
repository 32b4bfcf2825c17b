#include "logger/ModReplay.h"

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckVettori.h"

namespace ModReplay {

Destinazione DestinazioneTrama(const std::string& hex) {
    static const struct {
        const char* prefisso;
        Destinazione d;
    } tabella[] = {
        {"4201630C", Destinazione::Blocco1},  {"42010E0D", Destinazione::Blocco2},  {"42014F0E", Destinazione::Blocco3},
        {"42017D1B", Destinazione::Grezzi1B}, {"42017D1C", Destinazione::Grezzi1C}, {"42017D20", Destinazione::Grezzi20},
        {"42017D1F", Destinazione::Grezzi1F}, {"42013E44", Destinazione::ObdConLog}, {"42015C44", Destinazione::Obd},
    };
    const std::string chiave = hex.substr(0, 8);
    for (const auto& r : tabella)
        if (chiave == r.prefisso) return r.d;
    return Destinazione::Nessuna;
}

bool ArrayValidi() { return TrameReplay.size() >= 2 && TrameReplay.size() == TempiReplay.size(); }

double PausaUsec(size_t i, int32_t v) {
    if (i + 1 >= TempiReplay.size()) return 0;
    // Wider than the 32 bits of the recorded product, so that a long pause stays a long pause.
    return static_cast<double>(int64_t(v) * 10 * (int64_t(TempiReplay[i + 1]) - TempiReplay[i]));
}

bool SpedisciTrama(size_t i) {
    if (i >= TrameReplay.size()) return false;
    const std::string& hex = TrameReplay[i];
    const Destinazione d = DestinazioneTrama(hex);
    auto blocco = [&](size_t n) {
        if (n >= TabellaBlocchi.size()) return;
        TabellaBlocchi[n].UltimaRisposta = ModGlobFunct::ConvertiHexInTesto(hex);
        ModBlck::DecodificaBlocco(TabellaBlocchi[n].UltimaRisposta, TabellaBlocchi[n]);
    };
    switch (d) {
    case Destinazione::Blocco1: blocco(1); break;
    case Destinazione::Blocco2: blocco(2); break;
    case Destinazione::Blocco3:
        blocco(3);
        if (TabellaBlocchi.size() > 3 && TabellaBlocchi[3].Valori.size() > 1)
            ModBlck::TempoBlocco =
                ModBlck::CalcolaFattoreGiriTempo(TabellaBlocchi[3].Valori[1], TabellaBlocchi[3].Valori[0]);
        break;
    case Destinazione::Grezzi1B: ModBlck::DatiGrezzi1B = ModGlobFunct::ConvertiHexInTesto(hex); break;
    case Destinazione::Grezzi1C: ModBlck::DatiGrezzi1C = ModGlobFunct::ConvertiHexInTesto(hex); break;
    case Destinazione::Grezzi20: ModBlck::DatiGrezzi20 = ModGlobFunct::ConvertiHexInTesto(hex); break;
    case Destinazione::Grezzi1F: ModBlck::DatiGrezzi1F = ModGlobFunct::ConvertiHexInTesto(hex); break;
    case Destinazione::ObdConLog:
    case Destinazione::Obd: blocco(12); break;
    case Destinazione::Nessuna: break;
    }
    return d == Destinazione::ObdConLog;
}

std::string RigaLogReplay(int32_t tempo, const std::vector<int32_t>& valoriObd) {
    std::string r = "#" + std::to_string(tempo);
    for (size_t k = 26; k <= 33; ++k) r += " #" + std::to_string(k < valoriObd.size() ? valoriObd[k] : 0);
    return r;
}

} // namespace ModReplay
