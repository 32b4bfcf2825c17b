#pragma once
// Logger tests: a private base folder with the shipped SetCom.ini read into
// the block table, the decoder's steps installed, and the logger's module
// state saved and restored around each test. Helpers build live and OBD reply
// frames and trace groups.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMainStatoLinea.h"
#include "logger/ModOscillo.h"
#include "platform/Dialoghi.h"
#include "support/SupportoTest.h"

// While it lives, writes past `limite` bytes of any file fail, as on a full disk.
class LimiteDimensioneFile {
public:
    explicit LimiteDimensioneFile(rlim_t limite) {
        getrlimit(RLIMIT_FSIZE, &prima_);
        segnale_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = prima_;
        r.rlim_cur = limite;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteDimensioneFile() {
        setrlimit(RLIMIT_FSIZE, &prima_);
        std::signal(SIGXFSZ, segnale_);
    }

private:
    rlimit prima_{};
    void (*segnale_)(int) = SIG_DFL;
};

class FissaggioLogger : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        passo_ = ModBlck::PassoDecodificaTipo;
        appoggio_ = ModMain::BloccoAppoggio;
        base_ = ModMain::PercorsoBase;
        canali_ = ModOscillo::CanaliOscilloscopio;
        stato_ = ModMain::StatoConnessione;
        Piattaforma::Copione::Attiva(true);
        ModBlck::LeggiSetCom(cartella.File("bin/SetCom.ini"));
        ModBlck::InstallaPassiTipo();
        ModMain::ImpostaPercorsi(cartella.Percorso());
        ModMain::RichiestaPendente = 0;
        ModMain::LineaPersa = 0;
        ModMain::ApriLoggerRichiesto = 0;
        ModMain::ConfigurazioneLoggerInAttesa.clear();
        ModMain::PercorsoCaricamento.clear();
        ModMain::PercorsoSalvataggio.clear();
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModBlck::StatoRegistrazione = 0;
        ModOscillo::CampioniLog.assign(ModOscillo::Passo, 0);
        ModOscillo::CampioniObd.clear();
        ModOscillo::FileLogAperto.clear();
        ModOscillo::ZoomTempo = 100;
        ModOscillo::TempoInizioVista = 0;
        ModOscillo::IndiceInizioVista = 0;
        ModOscillo::XInizioGrafico = 150;
        ModOscillo::XFineGrafico = 0;
    }
    void TearDown() override {
        if (ModBlck::FileLogger.is_open()) ModBlck::FileLogger.close();
        ModBlck::StatoRegistrazione = 0;
        TabellaBlocchi = tabella_;
        ModBlck::PassoDecodificaTipo = passo_;
        ModMain::BloccoAppoggio = appoggio_;
        ModMain::ImpostaPercorsi(base_);
        ModOscillo::CanaliOscilloscopio = canali_;
        ModMain::StatoConnessione = stato_;
        ModMain::RichiestaPendente = 0;
        ModMain::LineaPersa = 0;
        ModMain::ApriLoggerRichiesto = 0;
        ModMain::ConfigurazioneLoggerInAttesa.clear();
        Piattaforma::Copione::Attiva(true); // scripted, as every test starts
    }

    // A reply frame: 42 01 L cmd 00, the data, the XOR.
    static std::string Trama(uint8_t comando, uint8_t lunghezza, const std::string& dati) {
        std::string t = std::string("\x42\x01", 2) + static_cast<char>(lunghezza) + static_cast<char>(comando) + '\0' + dati;
        uint8_t x = 0;
        for (const char c : t) x ^= static_cast<uint8_t>(c);
        return t + static_cast<char>(x);
    }
    // Live reply (120 data bytes) with 16-bit word `valori[i]` at value index `indici[i]`
    // (block 1's word values sit at reply offset 6 + 2 x index for indexes below 38).
    static std::string TramaLive(const std::vector<std::pair<int, int>>& parole) {
        std::string d(120, '\0');
        for (const auto& [offset, v] : parole) {
            d[static_cast<size_t>(offset - 6)] = static_cast<char>(v & 0xFF);
            d[static_cast<size_t>(offset - 5)] = static_cast<char>((v >> 8) & 0xFF);
        }
        return Trama(0x0C, 0x7C, d);
    }
    static std::string TramaObd(uint8_t riempimento, const std::vector<std::pair<int, int>>& byte = {}) {
        std::string d(88, static_cast<char>(riempimento));
        for (const auto& [offset, v] : byte) d[static_cast<size_t>(offset - 6)] = static_cast<char>(v);
        return Trama(0x44, 0x5C, d);
    }
    static std::string Gruppo(bool live, int32_t t, const std::string& trama) {
        const std::string ts = std::to_string(t);
        return std::string(live ? "CMD_READ_MEM1" : "CMD_READ_OBD_DATA") + "\r\n" + ts + " T " +
               (live ? "4102032161" : "4102034404") + "\r\n" + ts + " R " + ModGlobFunct::ConvertiTestoInHex(trama) +
               "\r\n";
    }
    static std::string Intestazione(const std::string& trama) {
        return ModOscillo::IntestazioneRegistrazione(1000, "11/12/2026 03:00", trama);
    }
    // Reply offset of a block's value, from the loaded SetCom.ini.
    static int Offset(size_t blocco, size_t k) { return TabellaBlocchi.at(blocco).Offset.at(k); }

    SupportoTest::CartellaBase cartella;

private:
    std::vector<BloccoParametri> tabella_;
    ModBlck::PassoTipoBlocco passo_;
    BloccoParametri appoggio_;
    std::string base_;
    ModOscillo::InsiemeCanali canali_;
    int32_t stato_ = 0;
};
