#include "platform/Orologio.h"

#include <chrono>
#include <thread>

namespace Piattaforma {
namespace {
using Orologio = std::chrono::steady_clock;

struct StatoOrologio {
    Orologio::time_point origine = Orologio::now();
    Orologio::time_point riferimentoReale = origine; // real time at the last factor change
    double riferimentoUs = 0.0;                      // clock reading at that moment
    double fattore = 1.0;
};

StatoOrologio& Stato() {
    static StatoOrologio s;
    return s;
}

double RealeUs(Orologio::time_point t, Orologio::time_point da) {
    return std::chrono::duration<double, std::micro>(t - da).count();
}
} // namespace

double MicrosecondiMonotoni() {
    auto& s = Stato();
    return s.riferimentoUs + RealeUs(Orologio::now(), s.riferimentoReale) * s.fattore;
}

void ImpostaAcceleratoreOrologio(double fattore) {
    auto& s = Stato();
    const auto adesso = Orologio::now();
    s.riferimentoUs += RealeUs(adesso, s.riferimentoReale) * s.fattore;
    s.riferimentoReale = adesso;
    s.fattore = fattore > 0.0 ? fattore : 1.0;
}

double AcceleratoreOrologio() { return Stato().fattore; }

void PausaBreve(double massimoUs) {
    if (massimoUs <= 0.0) return;
    double realeUs = massimoUs / Stato().fattore;
    if (realeUs > 1000.0) realeUs = 1000.0;
    if (realeUs < 50.0) return; // too short to be worth a sleep
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(realeUs)));
}

} // namespace Piattaforma
