// The companion owns the serial line: it hands on a reply only when its start
// bytes, length and XOR hold, skips noise to the next valid start, and reports
// anything else as no reply; a port that cannot be opened, or an adapter
// pulled out, costs the ECU wait like a silent ECU.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <termios.h>
#include <thread>

#include "CentralinaSuPty.h"
#include "ClienteCompagno.h"
#include "LineaSeriale.h"

namespace test_LineaSeriale {

std::string Hex(const std::string& h) { return ModGlobFunct::ConvertiHexInTesto(h); }

// A well-formed reply frame to `comando` with these data bytes.
std::string Risposta(uint8_t comando, const std::string& dati) {
    std::string r{'\x42', '\x01', static_cast<char>(dati.size() + 4), static_cast<char>(comando), '\0'};
    r += dati;
    r += static_cast<char>(ModBlck::CalcolaXor(r));
    return r;
}

// Noise that holds no well-formed reply frame (fixed seed: the same every run).
std::string Rumore(size_t n, uint32_t seme) {
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

// Feeds `flusso` whole or byte by byte; the frames found, in order.
std::vector<std::string> Estrai(const std::string& flusso, bool aByte) {
    std::vector<std::string> trovate;
    std::string ricevuti;
    const size_t passo = aByte ? 1 : flusso.size();
    for (size_t i = 0; i < flusso.size(); i += passo) {
        ricevuti += flusso.substr(i, passo);
        for (std::string r; !(r = LineaSeriale::EstraiRisposta(ricevuti)).empty();) trovate.push_back(r);
    }
    return trovate;
}

TEST(EstraiRisposta, SoloTrameIntegreQualunqueSiaIlTaglio) {
    const std::string buona = Risposta(0x0D, "\x07\x08\x09");
    std::string xorErrato = buona;
    xorErrato.back() ^= 0x5A;
    std::string lunghezzaErrata = buona;
    lunghezzaErrata[2] = 0x06;
    const std::string rumore = Rumore(4096, 7);
    struct Caso {
        const char* nome;
        std::string flusso;
        std::vector<std::string> attese;
    } casi[] = {
        {"integra", buona, {buona}},
        {"check byte errato", xorErrato, {}},
        {"lunghezza errata", lunghezzaErrata, {}},
        {"troncata", buona.substr(0, buona.size() - 1), {}},
        {"byte 1 diverso da 01", std::string("\x42\x02\x04\x0D\x00\x49", 6), {}},
        {"lunghezza sotto 4", std::string("\x42\x01\x03\x0D\x4C", 5), {}},
        {"uno 0x42 spurio davanti", "\x42" + buona, {buona}},
        {"inizio e lunghezza spuri davanti", std::string("\x42\x01\x30", 3) + buona, {buona}},
        {"4 KB di rumore davanti", rumore + buona, {buona}},
        {"solo rumore", rumore, {}},
        {"guasta poi integra", xorErrato + buona, {buona}},
        {"due di fila", buona + Risposta(0x21, "\x01"), {buona, Risposta(0x21, "\x01")}},
        {"vuota di dati", Risposta(0x14, ""), {Risposta(0x14, "")}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Estrai(c.flusso, false), c.attese);
        EXPECT_EQ(Estrai(c.flusso, true), c.attese);
    }
    // What can no longer begin a frame is dropped; a possible start is kept.
    std::string r = rumore.substr(0, 100) + std::string("\x42\x01", 2);
    EXPECT_TRUE(LineaSeriale::EstraiRisposta(r).empty());
    EXPECT_LE(r.size(), 100u);
    EXPECT_EQ(r.substr(r.size() - 2), std::string("\x42\x01", 2));
}

// What the relay does to each reply frame of the ECU on its way to the companion.
enum class Guasto { Nessuno, XorErrato, ZeroQuarantaDueSpurio, RumoreDavanti, Troncata, SoloRumore };

// Sits between the companion and the simulated ECU: a pseudo-terminal of its
// own is the companion's COM device; requests go to the ECU as they are,
// each reply frame comes back as `guasto` says. `Stacca` pulls the adapter.
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
    // The adapter pulled out: the companion's side of the line hangs up.
    void Stacca() {
        fine_ = true;
        if (filo_.joinable()) filo_.join();
        ::close(master_);
        ::close(slave_);
        master_ = slave_ = -1;
    }

private:
    void Gira() {
        std::string daEcu;
        uint32_t seme = 1;
        while (!fine_) {
            pollfd p[2] = {{master_, POLLIN, 0}, {ecu_, POLLIN, 0}};
            if (::poll(p, 2, 20) <= 0) continue;
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
                    ScriviTutto(master_, Guasta(daEcu.substr(0, l), ++seme));
                    daEcu.erase(0, l);
                }
            }
        }
    }
    std::string Guasta(std::string t, uint32_t seme) const {
        switch (guasto.load()) {
        case Guasto::Nessuno: return t;
        case Guasto::XorErrato: t.back() ^= 0x21; return t;
        case Guasto::ZeroQuarantaDueSpurio: return "\x42" + t;
        case Guasto::RumoreDavanti: return Rumore(4096, seme) + t;
        case Guasto::Troncata: return t.substr(0, t.size() - 2);
        case Guasto::SoloRumore: return Rumore(4096, seme);
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
};

class LineaGuasta : public ClienteCompagno {
protected:
    // ECU waits: long where a reply must come (it ends the exchange as soon as
    // it is whole, so a loaded machine has room), short where none may.
    static constexpr int32_t AttesaLunga = 1500;
    static constexpr int32_t AttesaCorta = 300;

    void AttesaEcu(int32_t ms) {
        const std::string d{static_cast<char>(ms & 0xFF), static_cast<char>((ms >> 8) & 0xFF), '\0', '\0'};
        ASSERT_EQ(Invia(PIPE_SET_ECU_WAIT, d), 0);
    }

    // Reads block 1; true with a well-formed reply whose values decode.
    bool LeggiLive() {
        if (!LeggiBlocco(1)) return false;
        const std::string& r = TabellaBlocchi[1].UltimaRisposta;
        return ModBlck::CalcolaXor(r) == 0 && r.size() == 0x7Eu && static_cast<uint8_t>(r[3]) == 0x0C;
    }
    // Real time one transaction takes, in ms.
    template <class F>
    static double Durata(F&& f) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    }
};

TEST_F(LineaGuasta, RispostaPresaSoloQuandoInizioLunghezzaEXorTengono) {
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), false);
    ASSERT_FALSE(ecu.Dispositivo().empty());
    RelayCorrotto relay(ecu.Dispositivo());
    ASSERT_FALSE(relay.Dispositivo().empty());
    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nBaud=115200\nAttesaEcuMs=" + std::to_string(AttesaLunga) +
                                      "\nCOM3=" + relay.Dispositivo() + "\n");
    Avvia();
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x03')), 0);
    ASSERT_EQ(ModPipe::StatoRisposta, 1);

    struct Caso {
        const char* nome;
        Guasto guasto;
        bool presa;
    } casi[] = {
        {"integra", Guasto::Nessuno, true},
        {"check byte errato", Guasto::XorErrato, false},
        {"uno 0x42 spurio davanti", Guasto::ZeroQuarantaDueSpurio, true},
        {"4 KB di rumore davanti", Guasto::RumoreDavanti, true},
        {"troncata", Guasto::Troncata, false},
        {"solo rumore", Guasto::SoloRumore, false},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        relay.guasto = c.guasto;
        AttesaEcu(c.presa ? AttesaLunga : AttesaCorta);
        for (int volta = 0; volta < 2; ++volta) {
            TabellaBlocchi[1].UltimaRisposta.clear();
            const bool presa = LeggiLive();
            EXPECT_EQ(presa, c.presa);
            EXPECT_EQ(ModPipe::StatoRisposta, c.presa ? 1 : 0);
            if (!c.presa) {
                EXPECT_EQ(ModPipe::DatiRispostaPipe, "");
            }
        }
    }
    // Good again after all that.
    relay.guasto = Guasto::Nessuno;
    AttesaEcu(AttesaLunga);
    EXPECT_TRUE(LeggiLive());
}

TEST_F(LineaGuasta, PortaCheNonSiApreOStaccataCostaLAttesaDellaCentralina) {
    CentralinaSuPty ecu(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), false);
    ASSERT_FALSE(ecu.Dispositivo().empty());
    RelayCorrotto relay(ecu.Dispositivo());
    base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nAttesaEcuMs=" + std::to_string(AttesaCorta) + "\nCOM3=" +
                                      relay.Dispositivo() + "\nCOM4=" + base.File("manca-tty") + "\n");
    Avvia();
    // A missing device: every open is as slow as a silent ECU, never a spin.
    for (int volta = 0; volta < 2; ++volta) {
        std::string r;
        EXPECT_GE(Durata([&] { ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x04'), r), 0); }), AttesaCorta);
        EXPECT_EQ(ModPipe::StatoRisposta, 0);
        EXPECT_EQ(r.size(), 8u);
    }
    // Nothing open: an ECU frame as well.
    EXPECT_GE(Durata([&] { EXPECT_FALSE(LeggiLive()); }), AttesaCorta);

    // Connected, then the adapter is pulled: no reply, each exchange the whole wait.
    AttesaEcu(AttesaLunga);
    ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x03')), 0);
    ASSERT_EQ(ModPipe::StatoRisposta, 1);
    ASSERT_TRUE(LeggiLive());
    AttesaEcu(AttesaCorta);
    relay.Stacca();
    for (int volta = 0; volta < 2; ++volta) {
        EXPECT_GE(Durata([&] { EXPECT_FALSE(LeggiLive()); }), AttesaCorta);
        EXPECT_EQ(ModPipe::StatoRisposta, 0);
    }
    EXPECT_GE(Durata([&] { ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\x03')), 0); }), AttesaCorta);
    EXPECT_EQ(ModPipe::StatoRisposta, 0);
}

} // namespace test_LineaSeriale
