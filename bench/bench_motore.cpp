// The link engine polling the simulated ECU through the real companion, one
// tick every 50 ms, for 30 s (MOTORE_SECONDI=n or --secondi=n for a shorter
// run): the engine's CPU time per tick and in percent of one core. The
// companion's own CPU is not counted. Target: under 2% of one core.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

#include "core/ModBlckSetCom.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "platform/Processi.h"

namespace {

double Secondi = 30.0;

double CpuProcesso() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Orologio() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void PollingTempoReale(benchmark::State& stato) {
    Piattaforma::Copione::Attiva(true);
    const std::string bin = Piattaforma::CartellaProgramma() + "/../dist/bin";
    ModBlck::LeggiSetCom(bin + "/SetCom.ini");
    if (!ModPipe::AvviaProcessoCom(bin)) {
        stato.SkipWithError("VirUzo not started");
        return;
    }
    std::string r;
    ModPipe::InviaComandoPipe(PIPE_OPEN_PORT, std::string(1, '\0'), 2'000'000, r);
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModMain::RichiestaPendente = 0;

    double cpu = 0.0, durata = 0.0;
    long tick = 0;
    for (auto _ : stato) {
        const double inizio = Orologio();
        double prossimo = inizio;
        while (Orologio() - inizio < Secondi) {
            const double c0 = CpuProcesso();
            MDIFrm::Timer1_Timer();
            cpu += CpuProcesso() - c0;
            ++tick;
            prossimo += 0.050;
            const double resto = prossimo - Orologio();
            if (resto > 0) std::this_thread::sleep_for(std::chrono::duration<double>(resto));
        }
        durata = Orologio() - inizio;
    }
    ModPipe::TerminaProcessoCom();
    if (tick == 0 || ModMain::StatoConnessione != STATO_CONNESSO) {
        stato.SkipWithError("the link was lost while polling");
        return;
    }
    stato.counters["tick"] = static_cast<double>(tick);
    stato.counters["cpu_us_per_tick"] = cpu / static_cast<double>(tick) * 1e6;
    stato.counters["cpu_percent_core"] = cpu / durata * 100.0;
    std::printf("engine CPU: %.1f us per tick over %ld ticks in %.1f s = %.3f%% of one core (target < 2%%)\n",
                cpu / static_cast<double>(tick) * 1e6, tick, durata, cpu / durata * 100.0);
}

BENCHMARK(PollingTempoReale)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (const char* e = std::getenv("MOTORE_SECONDI")) Secondi = std::atof(e);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--secondi=", 10) == 0) Secondi = std::atof(argv[i] + 10);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
