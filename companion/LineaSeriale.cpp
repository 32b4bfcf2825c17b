#include "LineaSeriale.h"

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
    return true;
}

void LineaSeriale::Chiudi() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void LineaSeriale::Svuota() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

std::string LineaSeriale::Scambia(const std::string& trama, int32_t attesaMs) {
    if (fd_ < 0) return {};
    // Bytes left from an earlier, late reply are not this reply.
    ::tcflush(fd_, TCIFLUSH);
    const double scadenza = AdessoMs() + attesaMs;
    size_t scritti = 0;
    while (scritti < trama.size()) {
        const ssize_t w = ::write(fd_, trama.data() + scritti, trama.size() - scritti);
        if (w > 0) {
            scritti += static_cast<size_t>(w);
            continue;
        }
        const double resta = scadenza - AdessoMs();
        if (resta <= 0) return {};
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(resta) + 1);
    }
    std::string r;
    for (;;) {
        char buf[256];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) r.append(buf, static_cast<size_t>(n));
        // A reply starts 42 01; anything before is noise.
        size_t inizio = r.find('\x42');
        if (inizio == std::string::npos) r.clear();
        else r.erase(0, inizio);
        if (r.size() >= 3) {
            const size_t totale = static_cast<size_t>(static_cast<uint8_t>(r[2])) + 2;
            if (r.size() >= totale) return r.substr(0, totale);
        }
        const double resta = scadenza - AdessoMs();
        if (resta <= 0) return {};
        if (n <= 0) {
            pollfd p{fd_, POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(resta) + 1);
        }
    }
}
