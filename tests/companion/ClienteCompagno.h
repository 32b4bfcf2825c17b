#pragma once
// Fixture for tests through real pipes: a private base folder (a copy of
// dist, with VirUzo and SetCom.ini in bin/), the companion started from it,
// the block table read from its SetCom.ini; everything restored afterwards.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "link/FissaggioPipe.h"
#include "link/ModBlckTrame.h"
#include "platform/Orologio.h"
#include "support/SupportoTest.h"

class ClienteCompagno : public FissaggioPipe {
protected:
    static constexpr int32_t Attesa = 2'000'000;

    void SetUp() override {
        FissaggioPipe::SetUp();
        tabella_ = TabellaBlocchi;
        ModBlck::LeggiSetCom(base.File("bin/SetCom.ini"));
        ModMain::StatoConnessione = STATO_CONNESSO;
        AzzeraFlag();
    }
    void TearDown() override {
        ModPipe::TerminaProcessoCom();
        TabellaBlocchi = tabella_;
        FissaggioPipe::TearDown();
    }
    void Avvia() { ASSERT_TRUE(ModPipe::AvviaProcessoCom(base.File("bin"))); }

    // `attesa` < 0: the fixture's time-out, in real time whatever the clock's
    // test acceleration.
    int32_t Invia(int32_t codice, const std::string& dati, int32_t attesa = -1) {
        std::string r;
        return Invia(codice, dati, r, attesa);
    }
    int32_t Invia(int32_t codice, const std::string& dati, std::string& risposta, int32_t attesa = -1) {
        if (attesa < 0) attesa = static_cast<int32_t>(Attesa * Piattaforma::AcceleratoreOrologio());
        return ModPipe::InviaComandoPipe(codice, dati, attesa, risposta);
    }
    // A test knob of the companion (never sent by the program).
    void Manopola(uint8_t id, int32_t valore) {
        std::string d(1, static_cast<char>(id));
        for (int i = 0; i < 4; ++i) d += static_cast<char>((static_cast<uint32_t>(valore) >> (8 * i)) & 0xFF);
        ASSERT_EQ(Invia(0xE0, d), 0);
    }
    // Reads block n through the companion; true when a reply frame came.
    bool LeggiBlocco(size_t n) {
        if (Invia(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta)) != 0) return false;
        if (ModPipe::DatiRispostaPipe.empty()) return false;
        TabellaBlocchi[n].UltimaRisposta = ModPipe::DatiRispostaPipe;
        ModBlck::DecodificaBlocco(ModPipe::DatiRispostaPipe, TabellaBlocchi[n]);
        return true;
    }
    // Writes block n's values with its write command; the ECU's status byte, -1 without a reply.
    int32_t ScriviBlocco(size_t n, uint8_t comando) {
        std::string dati;
        ModBlck::CodificaBlocco(dati, TabellaBlocchi[n]);
        if (Invia(PIPE_ECU_FRAME, ModBlck::CostruisciTrama(0x41, 0x02, comando, dati)) != 0) return -1;
        const std::string& r = ModPipe::DatiRispostaPipe;
        if (r.size() < 6 || static_cast<uint8_t>(r[3]) != comando) return -1;
        return static_cast<uint8_t>(r[4]);
    }

    SupportoTest::CartellaBase base;

private:
    std::vector<BloccoParametri> tabella_;
};
