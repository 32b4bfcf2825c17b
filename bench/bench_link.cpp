// Round trip of a block-1 read through the real companion in simulated mode:
// 1,000 transactions, median and 99th percentile in microseconds.
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/ModGlobFunct.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "platform/Processi.h"

namespace {

void TransazioniBlocco1(benchmark::State& stato) {
    Piattaforma::Copione::Attiva(true);
    // The companion built into <build>/dist/bin, next to SetCom.ini and VirUzo.ini.
    if (!ModPipe::AvviaProcessoCom(Piattaforma::CartellaProgramma() + "/../dist/bin")) {
        stato.SkipWithError("VirUzo not started");
        return;
    }
    const std::string lettura = ModGlobFunct::ConvertiHexInTesto(std::string("4102030C4C"));
    std::string r;
    ModPipe::InviaComandoPipe(PIPE_OPEN_PORT, std::string(1, '\0'), 2'000'000, r);
    std::vector<double> tempi;
    for (auto _ : stato) {
        tempi.clear();
        for (int i = 0; i < 1000; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            const int32_t esito = ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, lettura, 2'000'000, r);
            tempi.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
            if (esito != 0 || ModPipe::DatiRispostaPipe.size() != 0x7E) {
                stato.SkipWithError("bad block-1 reply");
                break;
            }
        }
    }
    ModPipe::TerminaProcessoCom();
    if (tempi.empty()) return;
    std::sort(tempi.begin(), tempi.end());
    const double mediana = tempi[tempi.size() / 2];
    const double p99 = tempi[std::min(tempi.size() - 1, tempi.size() * 99 / 100)];
    stato.counters["mediana_us"] = mediana;
    stato.counters["p99_us"] = p99;
    std::printf("block-1 round trip over %zu transactions: median %.1f us, p99 %.1f us\n", tempi.size(), mediana, p99);
}
BENCHMARK(TransazioniBlocco1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
