#include "LineaSeriale.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t Velocita(int32_t baud) {
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B19200;
    }
}

double AdessoMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

bool LineaSeriale::Apri(const std::string& dispositivo, int32_t baud) {
    Chiudi();
    if (dispositivo.empty()) return false;
    const int fd = ::open(dispositivo.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        ::close(fd);
        return false;
    }
    ::cfmakeraw(&t); // 8 data bits, no parity, no translation
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, Velocita(baud));
    ::cfsetospeed(&t, Velocita(baud));
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        ::close(fd);
        return false;
    }
    ::tcflush(fd, TCIOFLUSH);
    fd_ = fd;
    inSospeso_ = false;
    return true;
}

void LineaSeriale::Chiudi() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void LineaSeriale::Svuota() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

namespace {

enum class Candidato { Scartato, InAttesa, Valido };

// What the bytes from `i` are: no reply frame to `comando`, not yet known, or one ending at `fine`.
Candidato ValutaCandidato(const std::string& b, size_t i, int32_t comando, size_t& fine) {
    auto byte = [&b](size_t k) { return static_cast<uint8_t>(b[k]); };
    const size_t n = b.size();
    if (byte(i) != 0x42) return Candidato::Scartato;
    if (i + 1 >= n) return Candidato::InAttesa;
    if (byte(i + 1) != 0x01) return Candidato::Scartato;
    if (i + 2 >= n) return Candidato::InAttesa;
    if (byte(i + 2) < 4) return Candidato::Scartato;
    if (i + 3 >= n) return Candidato::InAttesa;
    if (comando >= 0 && byte(i + 3) != static_cast<uint8_t>(comando)) return Candidato::Scartato;
    fine = i + byte(i + 2) + 2;
    if (fine > n) return Candidato::InAttesa;
    uint8_t x = 0;
    for (size_t k = i; k < fine; ++k) x ^= byte(k);
    return x == 0 ? Candidato::Valido : Candidato::Scartato;
}

} // namespace

std::string LineaSeriale::EstraiRisposta(std::string& ricevuti, int32_t comando, bool finito) {
    size_t primoInAttesa = std::string::npos;
    for (size_t i = 0; i < ricevuti.size(); ++i) {
        size_t fine = 0;
        const Candidato c = ValutaCandidato(ricevuti, i, comando, fine);
        if (c == Candidato::InAttesa) {
            if (primoInAttesa == std::string::npos) primoInAttesa = i;
            if (!finito) break; // nothing after it may be taken yet
        } else if (c == Candidato::Valido && (primoInAttesa == std::string::npos || finito)) {
            std::string r = ricevuti.substr(i, fine - i);
            ricevuti.erase(0, fine);
            return r;
        }
    }
    ricevuti.erase(0, std::min(primoInAttesa, ricevuti.size()));
    return {};
}

bool LineaSeriale::AttendiQuiete() {
    const double limite = AdessoMs() + 2.0 * quieteMs_;
    for (;;) {
        char buf[256];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        // A line in error is left to the exchange, which reports it.
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return true;
        const double adesso = AdessoMs();
        if (n > 0) ultimoTrafficoMs_ = adesso;
        const double quieta = ultimoTrafficoMs_ + quieteMs_;
        if (n <= 0 && adesso >= quieta) {
            inSospeso_ = false;
            return true;
        }
        if (adesso >= limite) return false;
        if (n > 0) continue;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::min(quieta, limite) - adesso) + 1) > 0 && !(p.revents & POLLIN))
            return true;
    }
}

std::string LineaSeriale::Scambia(const std::string& trama, int32_t attesaMs, bool* guasta) {
    if (guasta) *guasta = false;
    if (fd_ < 0) {
        if (guasta) *guasta = true;
        return {};
    }
    if (inSospeso_ && !AttendiQuiete()) return {};
    std::string r = ScambiaTrama(trama, attesaMs, guasta);
    if (r.empty()) {
        inSospeso_ = true;
        quieteMs_ = std::min(attesaMs, QuieteMassimaMs);
        ultimoTrafficoMs_ = AdessoMs();
    }
    return r;
}

std::string LineaSeriale::ScambiaTrama(const std::string& trama, int32_t attesaMs, bool* guasta) {
    // Bytes left from an earlier, late reply are not this reply.
    ::tcflush(fd_, TCIFLUSH);
    const double scadenza = AdessoMs() + attesaMs;
    auto guasto = [guasta] {
        if (guasta) *guasta = true;
        return std::string();
    };
    size_t scritti = 0;
    while (scritti < trama.size()) {
        const ssize_t w = ::write(fd_, trama.data() + scritti, trama.size() - scritti);
        if (w > 0) {
            scritti += static_cast<size_t>(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return guasto();
        const double resta = scadenza - AdessoMs();
        if (resta <= 0) return {};
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(resta) + 1);
    }
    const int32_t comando = trama.size() > 3 ? static_cast<uint8_t>(trama[3]) : -1;
    std::string ricevuti;
    for (;;) {
        char buf[256];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            ricevuti.append(buf, static_cast<size_t>(n));
            std::string r = EstraiRisposta(ricevuti, comando);
            if (!r.empty()) return r;
        } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return guasto();
        }
        const double resta = scadenza - AdessoMs();
        // Time is up (a line that never falls quiet included): a start still
        // short of its bytes no longer holds back a whole reply after it.
        if (resta <= 0) return EstraiRisposta(ricevuti, comando, true);
        if (n > 0) continue;
        pollfd p{fd_, POLLIN, 0};
        // Hung up or in error with nothing left to read: the device is gone.
        if (::poll(&p, 1, static_cast<int>(resta) + 1) > 0 && !(p.revents & POLLIN) &&
            (p.revents & (POLLERR | POLLNVAL | POLLHUP)))
            return guasto();
    }
}
