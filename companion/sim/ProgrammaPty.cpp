// The simulated ECU as a program on a pseudo-terminal: it prints the path of
// the terminal's slave side, then answers every request frame that arrives on
// it, as an ECU on a serial line would.
//   CentralinaSimulata [--setcom FILE] [--ritardo-ms N] [--spezza] [--muta]
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "CentralinaSimulata.h"

namespace {

std::string CartellaProgramma() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<size_t>(n));
    const size_t s = p.rfind('/');
    return s == std::string::npos ? "." : p.substr(0, s);
}

bool ScriviTutto(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && (errno == EINTR || errno == EAGAIN)) {
            pollfd q{fd, POLLOUT, 0};
            ::poll(&q, 1, 50);
            continue;
        }
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive whoever started us
    std::string setcom = CartellaProgramma() + "/SetCom.ini";
    Simulazione::Manopole manopole;
    bool spezza = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--setcom" && i + 1 < argc) setcom = argv[++i];
        else if (a == "--ritardo-ms" && i + 1 < argc) manopole.ritardoMs = std::atoi(argv[++i]);
        else if (a == "--spezza") spezza = true;
        else if (a == "--muta") manopole.muta = true;
        else {
            std::fprintf(stderr, "usage: %s [--setcom FILE] [--ritardo-ms N] [--spezza] [--muta]\n", argv[0]);
            return 2;
        }
    }
    Simulazione::CentralinaSimulata ecu(setcom);
    if (!ecu.Caricata()) {
        std::fprintf(stderr, "no blocks in %s\n", setcom.c_str());
        return 1;
    }
    ecu.manopole = manopole;

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("posix_openpt");
        return 1;
    }
    const char* nome = ::ptsname(master);
    if (!nome) {
        std::perror("ptsname");
        return 1;
    }
    // Keep the slave side open and raw: no echo of our replies back to us, and
    // no hang-up on the master while no client holds the slave.
    const int slave = ::open(nome, O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios t{};
        if (::tcgetattr(slave, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(slave, TCSANOW, &t);
        }
    }
    std::printf("%s\n", nome);
    std::fflush(stdout);

    std::string ricevuti;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // EIO while no client has the slave open: wait and go on.
            ::usleep(10000);
            continue;
        }
        ricevuti.append(buf, static_cast<size_t>(n));
        for (;;) {
            // Frames start with 0x41; anything before is line noise.
            const size_t inizio = ricevuti.find('\x41');
            if (inizio == std::string::npos) {
                ricevuti.clear();
                break;
            }
            ricevuti.erase(0, inizio);
            if (ricevuti.size() < 3) break;
            const size_t totale = static_cast<size_t>(static_cast<uint8_t>(ricevuti[2])) + 2;
            if (ricevuti.size() < totale) break;
            const std::string trama = ricevuti.substr(0, totale);
            std::string risposta = ecu.Rispondi(trama);
            if (risposta.empty() && trama.size() >= 5 && Simulazione::CentralinaSimulata::Xor(trama) != 0) {
                ricevuti.erase(0, 1); // not a frame: resynchronise on the next start byte
                continue;
            }
            ricevuti.erase(0, totale);
            if (risposta.empty()) continue;
            if (ecu.manopole.ritardoMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ecu.manopole.ritardoMs));
            if (spezza && risposta.size() > 1) {
                const size_t meta = risposta.size() / 2;
                ScriviTutto(master, risposta.data(), meta);
                std::this_thread::sleep_for(std::chrono::milliseconds(ecu.manopole.pausaSpezzaturaMs));
                ScriviTutto(master, risposta.data() + meta, risposta.size() - meta);
            } else {
                ScriviTutto(master, risposta.data(), risposta.size());
            }
        }
    }
}
