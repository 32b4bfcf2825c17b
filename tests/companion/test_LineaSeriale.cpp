// The companion owns the serial line: it hands on a reply only when its start
// bytes, length, XOR and command byte hold, skips noise and late replies to
// earlier requests, and reports anything else as no reply; a port that cannot be opened, or an adapter
// pulled out, costs the ECU wait like a silent ECU.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <termios.h>
#include <thread>

#include "CentralinaSuPty.h"
#include "RelayCorrotto.h"
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

// Feeds `flusso` whole or byte by byte, as the reply to a request with
// command `comando`; the frames found, in order.
std::vector<std::string> Estrai(const std::string& flusso, int32_t comando, bool aByte) {
    std::vector<std::string> trovate;
    std::string ricevuti;
    const size_t passo = aByte ? 1 : flusso.size();
    for (size_t i = 0; i < flusso.size(); i += passo) {
        ricevuti += flusso.substr(i, passo);
        for (std::string r; !(r = LineaSeriale::EstraiRisposta(ricevuti, comando)).empty();) trovate.push_back(r);
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
    // A live-data reply (126 bytes) whose data hold a whole short reply to the same command.
    std::string datiLive(120, '\x11');
    datiLive.replace(30, 6, Hex("4201040C004B"));
    const std::string live = Risposta(0x0C, datiLive);
    // A start with the right command whose length reaches into the reply behind it.
    const std::string inizioSpurio = Hex("42013C0C");
    struct Caso {
        const char* nome;
        std::string flusso;
        int32_t comando;
        std::vector<std::string> attese;
    } casi[] = {
        {"integra", buona, 0x0D, {buona}},
        {"check byte errato", xorErrato, 0x0D, {}},
        {"lunghezza errata", lunghezzaErrata, 0x0D, {}},
        {"troncata", buona.substr(0, buona.size() - 1), 0x0D, {}},
        {"byte 1 diverso da 01", std::string("\x42\x02\x04\x0D\x00\x49", 6), 0x0D, {}},
        {"lunghezza sotto 4", std::string("\x42\x01\x03\x0D\x4C", 5), 0x0D, {}},
        {"uno 0x42 spurio davanti", "\x42" + buona, 0x0D, {buona}},
        {"inizio e lunghezza spuri davanti", std::string("\x42\x01\x30", 3) + buona, 0x0D, {buona}},
        {"4 KB di rumore davanti", rumore + buona, 0x0D, {buona}},
        {"solo rumore", rumore, 0x0D, {}},
        {"guasta poi integra", xorErrato + buona, 0x0D, {buona}},
        {"due di fila", buona + Risposta(0x0D, "\x01"), 0x0D, {buona, Risposta(0x0D, "\x01")}},
        {"vuota di dati", Risposta(0x14, ""), 0x14, {Risposta(0x14, "")}},
        {"trama corta intera nei dati", live, 0x0C, {live}},
        {"inizio spurio con il comando giusto davanti", inizioSpurio + live, 0x0C, {live}},
        {"risposta tardiva a un'altra richiesta davanti", Risposta(0x0D, "\x01") + live, 0x0C, {live}},
        {"solo la risposta a un'altra richiesta", buona, 0x0E, {}},
        {"rumore con una risposta tardiva dentro", rumore.substr(0, 200) + buona + rumore.substr(200, 300) + live,
         0x0C, {live}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(Estrai(c.flusso, c.comando, false), c.attese);
        EXPECT_EQ(Estrai(c.flusso, c.comando, true), c.attese);
    }
    // What can no longer begin a frame is dropped; a possible start is kept.
    std::string r = rumore.substr(0, 100) + std::string("\x42\x01", 2);
    EXPECT_TRUE(LineaSeriale::EstraiRisposta(r, 0x0D).empty());
    EXPECT_LE(r.size(), 100u);
    EXPECT_EQ(r.substr(r.size() - 2), std::string("\x42\x01", 2));
}

// A start whose length runs past the end holds back a whole reply after it
// while more bytes may come; once the wait is over the reply is taken.
TEST(EstraiRisposta, AllaFineDellAttesaUnInizioIncompletoNonTrattieneLaRisposta) {
    const std::string buona = Risposta(0x0D, "\x07\x08\x09");
    std::string r = Hex("4201F00D") + buona;
    EXPECT_TRUE(LineaSeriale::EstraiRisposta(r, 0x0D).empty());
    EXPECT_EQ(LineaSeriale::EstraiRisposta(r, 0x0D, true), buona);
}

class LineaGuasta : public ClienteCompagno {
protected:
    // ECU waits: long where a reply must come (it ends the exchange as soon as
    // it is whole, so a loaded machine has room), short where none may.
    static constexpr int32_t AttesaLunga = 1500;
    static constexpr int32_t AttesaCorta = 300;

    // The standalone simulated ECU behind a relay, the companion on the relay
    // as COM3 with this ECU wait, and the port opened; the relay, or nullptr.
    RelayCorrotto* ApriLinea(int32_t attesaMs) {
        ecu_ = std::make_unique<CentralinaSuPty>(base.File("bin/CentralinaSimulata"), base.File("bin/SetCom.ini"), false);
        if (ecu_->Dispositivo().empty()) return nullptr;
        relay_ = std::make_unique<RelayCorrotto>(ecu_->Dispositivo());
        if (relay_->Dispositivo().empty()) return nullptr;
        base.Scrivi("bin/VirUzo.ini", "Modo=seriale\nBaud=115200\nAttesaEcuMs=" + std::to_string(attesaMs) +
                                          "\nCOM3=" + relay_->Dispositivo() + "\n");
        if (!ModPipe::AvviaProcessoCom(base.File("bin"))) return nullptr;
        if (Invia(PIPE_OPEN_PORT, std::string(1, '\x03')) != 0 || ModPipe::StatoRisposta != 1) return nullptr;
        return relay_.get();
    }
    void TearDown() override {
        ClienteCompagno::TearDown();
        relay_.reset();
        ecu_.reset();
    }

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

private:
    std::unique_ptr<CentralinaSuPty> ecu_;
    std::unique_ptr<RelayCorrotto> relay_;
};

TEST_F(LineaGuasta, RispostaPresaSoloQuandoInizioLunghezzaEXorTengono) {
    RelayCorrotto* linea = ApriLinea(AttesaLunga);
    ASSERT_NE(linea, nullptr);
    RelayCorrotto& relay = *linea;

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
        {"una risposta corta intera nei dati", Guasto::TramaNeiDati, true},
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

// Replies late past the ECU wait: each read ends with the reply to its own
// request or with none, never with the late reply to the request before it.
TEST_F(LineaGuasta, RispostaInRitardoNonFinisceNellaLetturaDopo) {
    RelayCorrotto* linea = ApriLinea(AttesaCorta);
    ASSERT_NE(linea, nullptr);
    RelayCorrotto& relay = *linea;
    // Block 2's reply comes 100 ms after its wait is over, half-way through
    // the wait for block 3's reply, itself late but within its wait.
    relay.RitardaUnaVolta(0x0D, AttesaCorta + 100);
    relay.RitardaUnaVolta(0x0E, 200);
    struct Lettura {
        size_t blocco;
        bool risposta;
    } letture[] = {{2, false}, {3, true}, {5, true}, {6, true}, {2, true}};
    for (const auto& l : letture) {
        SCOPED_TRACE(l.blocco);
        const std::string richiesta = Hex(TabellaBlocchi[l.blocco].TramaRichiesta);
        ASSERT_EQ(Invia(PIPE_ECU_FRAME, richiesta), 0);
        const std::string& r = ModPipe::DatiRispostaPipe;
        EXPECT_EQ(ModPipe::StatoRisposta, l.risposta ? 1 : 0);
        if (!l.risposta) {
            EXPECT_EQ(r, "");
            continue;
        }
        ASSERT_GE(r.size(), 6u);
        EXPECT_EQ(r[3], richiesta[3]);
        EXPECT_EQ(ModBlck::CalcolaXor(r), 0);
    }
}

// The chunks of a map page are all read with one command byte, so the command
// cannot tell a late reply from the reply to the next chunk. Chunks 0 and 3,
// written with contents of their own, are read in turn while their replies come
// after the ECU wait, once and every time: each read holds its own chunk or none.
TEST_F(LineaGuasta, RispostaInRitardoNonRispondeAlPezzoDopoConLoStessoComando) {
    RelayCorrotto* linea = ApriLinea(AttesaLunga);
    ASSERT_NE(linea, nullptr);
    RelayCorrotto& relay = *linea;
    // Read frames of the main map's chunks at cells 0 and 330, 110 cells each.
    const std::string lettura[2] = {Hex("4102061200006E39"), Hex("410206124A016E72")};
    std::string pezzo[2] = {std::string(110, '\0'), std::string(110, '\0')};
    for (size_t i = 0; i < 110; ++i) {
        pezzo[0][i] = static_cast<char>(7 * i + 1);
        pezzo[1][i] = static_cast<char>(250 - i);
    }
    for (int k = 0; k < 2; ++k) {
        const std::string testa = lettura[k].substr(4, 3);
        ASSERT_EQ(Invia(PIPE_ECU_FRAME, ModBlck::CostruisciTrama(0x41, 0x02, CMD_WRITE_MAP, testa + pezzo[k])), 0);
        ASSERT_GE(ModPipe::DatiRispostaPipe.size(), 5u);
        ASSERT_EQ(ModPipe::DatiRispostaPipe[4], '\0');
    }

    struct Caso {
        const char* nome;
        bool sempre;
    } casi[] = {{"una risposta in ritardo", false}, {"ogni risposta in ritardo", true}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        AttesaEcu(AttesaCorta);
        if (c.sempre) relay.ritardoMs = AttesaCorta + 100;
        else relay.RitardaUnaVolta(CMD_READ_MAP, AttesaCorta + 100);
        bool ultimaPresa = false;
        for (int volta = 0; volta < 6; ++volta) {
            const int k = volta % 2;
            SCOPED_TRACE(volta);
            ASSERT_EQ(Invia(PIPE_ECU_FRAME, lettura[k]), 0);
            const std::string& r = ModPipe::DatiRispostaPipe;
            ultimaPresa = !r.empty();
            if (!ultimaPresa) continue;
            ASSERT_EQ(r.size(), 116u);
            EXPECT_EQ(r.substr(5, 110), pezzo[k]);
        }
        // One late reply: the line is good again afterwards.
        if (!c.sempre) {
            EXPECT_TRUE(ultimaPresa);
        }
        relay.ritardoMs = 0;
    }
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
