// Round trip of a block-1 read through the real companion in simulated mode:
// 1,000 transactions, median and 99th percentile in microseconds.
// Line time: the same read in serial mode, to the standalone simulated ECU on a
// pseudo-terminal behind a relay that carries each byte in the time a line at
// 19200 baud takes (10 bits a byte), against that physical time.
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "core/ModGlobFunct.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "platform/Processi.h"

extern char** environ;

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

constexpr int32_t BaudLinea = 19200;

void Crudo(int fd) {
    termios t{};
    if (fd >= 0 && ::tcgetattr(fd, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
    }
}

// A line at BaudLinea between two terminals: what one side writes reaches the
// other once its bytes have had their time on the wire, one direction each.
class LineaCadenzata {
public:
    explicit LineaCadenzata(const std::string& dispositivoEcu) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        dispositivo_ = ::ptsname(master_);
        slave_ = ::open(dispositivo_.c_str(), O_RDWR | O_NOCTTY);
        ecu_ = ::open(dispositivoEcu.c_str(), O_RDWR | O_NOCTTY);
        Crudo(slave_);
        Crudo(ecu_);
        fili_[0] = std::thread([this] { Porta(master_, ecu_); });
        fili_[1] = std::thread([this] { Porta(ecu_, master_); });
    }
    ~LineaCadenzata() {
        fine_ = true;
        for (auto& f : fili_)
            if (f.joinable()) f.join();
        for (int fd : {master_, slave_, ecu_})
            if (fd >= 0) ::close(fd);
    }
    const std::string& Dispositivo() const { return dispositivo_; }

private:
    void Porta(int da, int a) {
        const auto tempoByte = std::chrono::nanoseconds(10'000'000'000LL / BaudLinea);
        auto libera = std::chrono::steady_clock::now();
        while (!fine_) {
            pollfd p{da, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) continue;
            char buf[512];
            const ssize_t n = ::read(da, buf, sizeof buf);
            if (n <= 0) continue;
            // Each byte starts when the one before it has gone and is through one byte time later.
            libera = std::max(libera, std::chrono::steady_clock::now());
            for (ssize_t i = 0; i < n; ++i) {
                libera += tempoByte;
                std::this_thread::sleep_until(libera);
                if (::write(a, buf + i, 1) != 1) return;
            }
        }
    }

    int master_ = -1, slave_ = -1, ecu_ = -1;
    std::string dispositivo_;
    std::atomic<bool> fine_{false};
    std::thread fili_[2];
};

void TempoDiLinea(benchmark::State& stato) {
    Piattaforma::Copione::Attiva(true);
    const std::string dist = Piattaforma::CartellaProgramma() + "/../dist/bin";
    // The standalone simulated ECU on its pseudo-terminal; its first line is the terminal's path.
    int uscita[2];
    if (::pipe(uscita) != 0) return;
    posix_spawn_file_actions_t a;
    posix_spawn_file_actions_init(&a);
    posix_spawn_file_actions_adddup2(&a, uscita[1], STDOUT_FILENO);
    std::string programma = dist + "/CentralinaSimulata", opzione = "--setcom", setcom = dist + "/SetCom.ini";
    char* argv[] = {programma.data(), opzione.data(), setcom.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, programma.c_str(), &a, nullptr, argv, environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&a);
    ::close(uscita[1]);
    std::string pty;
    char c = 0;
    while (pid > 0 && ::read(uscita[0], &c, 1) == 1 && c != '\n') pty += c;
    ::close(uscita[0]);
    if (pty.empty()) {
        stato.SkipWithError("simulated ECU not started");
        return;
    }
    std::vector<double> tempi;
    {
        LineaCadenzata linea(pty);
        // The companion, from a folder of its own whose VirUzo.ini names the line.
        char modello[] = "/tmp/bench_linea_XXXXXX";
        const std::string cartella = ::mkdtemp(modello) ? modello : "";
        std::filesystem::copy_file(dist + "/VirUzo", cartella + "/VirUzo");
        std::ofstream(cartella + "/VirUzo.ini") << "Modo=seriale\nBaud=" << BaudLinea << "\nAttesaEcuMs=1000\nCOM3="
                                                << linea.Dispositivo() << "\n";
        const std::string lettura = ModGlobFunct::ConvertiHexInTesto(std::string("4102030C4C"));
        std::string r;
        if (!ModPipe::AvviaProcessoCom(cartella) ||
            ModPipe::InviaComandoPipe(PIPE_OPEN_PORT, std::string(1, '\x03'), 4'000'000, r) != 0 ||
            ModPipe::StatoRisposta != 1) {
            stato.SkipWithError("serial port not opened");
        } else {
            for (auto _ : stato) {
                for (int i = 0; i < 100; ++i) {
                    const auto t0 = std::chrono::steady_clock::now();
                    const int32_t esito = ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, lettura, 4'000'000, r);
                    tempi.push_back(
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
                    if (esito != 0 || ModPipe::DatiRispostaPipe.size() != 0x7E) {
                        stato.SkipWithError("bad block-1 reply");
                        break;
                    }
                }
            }
        }
        ModPipe::TerminaProcessoCom();
        std::filesystem::remove_all(cartella);
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    if (tempi.empty()) return;
    std::sort(tempi.begin(), tempi.end());
    const double mediana = tempi[tempi.size() / 2];
    // Request (5 bytes) and reply (126 bytes) on the wire.
    const double fisico = (5 + 0x7E) * 10 * 1000.0 / BaudLinea;
    stato.counters["mediana_ms"] = mediana;
    stato.counters["fisico_ms"] = fisico;
    std::printf("block-1 read on a %d-baud line over %zu transactions: median %.2f ms, physical %.2f ms (%+.1f%%)\n",
                BaudLinea, tempi.size(), mediana, fisico, 100.0 * (mediana - fisico) / fisico);
}
BENCHMARK(TempoDiLinea)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
