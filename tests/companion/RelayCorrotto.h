#pragma once
// A relay between the companion and the simulated ECU on its pseudo-terminal:
// a pseudo-terminal of its own is the companion's COM device; requests go to
// the ECU as they are, each reply frame comes back as the test says (damaged,
// buried in noise, late, or never). Frames keep their order on the line.
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <random>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "link/ModBlckTrame.h"

// Noise that holds no well-formed reply frame (fixed seed: the same every run).
inline std::string Rumore(size_t n, uint32_t seme) {
    std::mt19937 g(seme);
    std::string s;
    while (s.size() < n) {
        s += static_cast<char>(g() & 0xFF);
        // Start bytes and plausible lengths often, as a line picking up sparks would.
        if (g() % 64 == 0) s += std::string("\x42\x01", 2) + static_cast<char>(g() % 0x90);
    }
    s.resize(n);
    // Random bytes can hold a frame by chance (the XOR is one byte): spoil any.
    for (bool pulito = false; !pulito;) {
        pulito = true;
        for (size_t i = 0; i + 2 < s.size(); ++i) {
            const size_t fine = i + static_cast<uint8_t>(s[i + 2]) + 2;
            if (s[i] != '\x42' || s[i + 1] != '\x01' || fine > s.size()) continue;
            if (ModBlck::CalcolaXor(s.substr(i, fine - i)) == 0) {
                s[fine - 1] = static_cast<char>(s[fine - 1] ^ 0x01);
                pulito = false;
            }
        }
    }
    return s;
}

// What the relay does to each reply frame of the ECU on its way to the companion.
enum class Guasto {
    Nessuno,
    XorErrato,
    ZeroQuarantaDueSpurio,
    RumoreDavanti,
    Troncata,
    SoloRumore,
    // The data carry a whole short frame to the same command (42 01 04 cmd 00 xor); the reply's XOR is made good again.
    TramaNeiDati,
};

class RelayCorrotto {
public:
    explicit RelayCorrotto(const std::string& dispositivoEcu) {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        dispositivo_ = ::ptsname(master_);
        slave_ = ::open(dispositivo_.c_str(), O_RDWR | O_NOCTTY);
        ecu_ = ::open(dispositivoEcu.c_str(), O_RDWR | O_NOCTTY);
        for (int fd : {slave_, ecu_}) {
            termios t{};
            if (fd >= 0 && ::tcgetattr(fd, &t) == 0) {
                ::cfmakeraw(&t);
                ::tcsetattr(fd, TCSANOW, &t);
            }
        }
        filo_ = std::thread([this] { Gira(); });
    }
    ~RelayCorrotto() {
        fine_ = true;
        if (filo_.joinable()) filo_.join();
        for (int fd : {master_, slave_, ecu_})
            if (fd >= 0) ::close(fd);
    }
    const std::string& Dispositivo() const { return dispositivo_; }
    std::atomic<Guasto> guasto{Guasto::Nessuno};
    // Every reply frame this much later.
    std::atomic<int32_t> ritardoMs{0};
    // Every reply to this command byte swallowed (-1: none), as from an ECU that never answers it.
    std::atomic<int32_t> comandoMuto{-1};
    // The next reply to `comando` this much later instead, once.
    void RitardaUnaVolta(uint8_t comando, int32_t ms) {
        std::lock_guard<std::mutex> l(mutex_);
        ritardiUnaVolta_[comando] = ms;
    }
    // The adapter pulled out: the companion's side of the line hangs up.
    void Stacca() {
        fine_ = true;
        if (filo_.joinable()) filo_.join();
        ::close(master_);
        ::close(slave_);
        master_ = slave_ = -1;
    }

private:
    using Orologio = std::chrono::steady_clock;

    void Gira() {
        std::string daEcu;
        uint32_t seme = 1;
        // Frames on their way, each with the time it leaves.
        std::deque<std::pair<Orologio::time_point, std::string>> inViaggio;
        while (!fine_) {
            int attesa = 20;
            if (!inViaggio.empty()) {
                const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(inViaggio.front().first -
                                                                                         Orologio::now());
                attesa = std::clamp(static_cast<int>(resta.count()), 0, 20);
            }
            pollfd p[2] = {{master_, POLLIN, 0}, {ecu_, POLLIN, 0}};
            if (::poll(p, 2, attesa) > 0) {
                char buf[512];
                if (p[0].revents & POLLIN) {
                    const ssize_t n = ::read(master_, buf, sizeof buf);
                    if (n > 0) ScriviTutto(ecu_, std::string(buf, static_cast<size_t>(n)));
                }
                if (p[1].revents & POLLIN) {
                    const ssize_t n = ::read(ecu_, buf, sizeof buf);
                    if (n > 0) daEcu.append(buf, static_cast<size_t>(n));
                    // The simulated ECU sends whole, good frames: cut them by their length byte.
                    while (daEcu.size() >= 3 && daEcu.size() >= static_cast<uint8_t>(daEcu[2]) + 2u) {
                        const size_t l = static_cast<uint8_t>(daEcu[2]) + 2u;
                        const std::string t = daEcu.substr(0, l);
                        daEcu.erase(0, l);
                        const uint8_t comando = t.size() > 3 ? static_cast<uint8_t>(t[3]) : 0;
                        if (comando == comandoMuto.load()) continue;
                        auto parte = Orologio::now() + std::chrono::milliseconds(Ritardo(comando));
                        // A line keeps the order of what it carries.
                        if (!inViaggio.empty()) parte = std::max(parte, inViaggio.back().first);
                        inViaggio.emplace_back(parte, Guasta(t, ++seme));
                    }
                }
            }
            while (!inViaggio.empty() && inViaggio.front().first <= Orologio::now()) {
                ScriviTutto(master_, inViaggio.front().second);
                inViaggio.pop_front();
            }
        }
    }
    int32_t Ritardo(uint8_t comando) {
        std::lock_guard<std::mutex> l(mutex_);
        const int32_t r = ritardiUnaVolta_[comando];
        ritardiUnaVolta_[comando] = -1;
        return r >= 0 ? r : ritardoMs.load();
    }
    std::string Guasta(std::string t, uint32_t seme) const {
        switch (guasto.load()) {
        case Guasto::Nessuno: return t;
        case Guasto::XorErrato: t.back() ^= 0x21; return t;
        case Guasto::ZeroQuarantaDueSpurio: return "\x42" + t;
        case Guasto::RumoreDavanti: return Rumore(4096, seme) + t;
        case Guasto::Troncata: return t.substr(0, t.size() - 2);
        case Guasto::SoloRumore: return Rumore(4096, seme);
        case Guasto::TramaNeiDati: {
            std::string interna{'\x42', '\x01', '\x04', t[3], '\0'};
            interna += static_cast<char>(ModBlck::CalcolaXor(interna));
            if (t.size() < interna.size() + 7) return t;
            t.replace(6, interna.size(), interna);
            t.back() = 0;
            t.back() = static_cast<char>(ModBlck::CalcolaXor(t));
            return t;
        }
        }
        return t;
    }
    static void ScriviTutto(int fd, const std::string& s) {
        size_t fatto = 0;
        while (fatto < s.size()) {
            const ssize_t w = ::write(fd, s.data() + fatto, s.size() - fatto);
            if (w > 0) {
                fatto += static_cast<size_t>(w);
            } else {
                pollfd q{fd, POLLOUT, 0};
                if (::poll(&q, 1, 1000) <= 0) return;
            }
        }
    }

    int master_ = -1, slave_ = -1, ecu_ = -1;
    std::string dispositivo_;
    std::atomic<bool> fine_{false};
    std::thread filo_;
    std::mutex mutex_;
    std::array<int32_t, 256> ritardiUnaVolta_ = MaiRitardati();
    static std::array<int32_t, 256> MaiRitardati() {
        std::array<int32_t, 256> a{};
        a.fill(-1);
        return a;
    }
};
