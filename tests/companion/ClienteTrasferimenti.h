#pragma once
// Fixture for the transfers against the real companion in simulated mode: the
// port opened, the link mode at 1 (so that a restore is visible), the clock
// sped up for the fixed pauses, the shared map, vector, table and pending
// variables saved and restored, and the companion's request journal read back.
#include <gtest/gtest.h>

#include "ClienteCompagno.h"
#include "support/GiornaleCompagno.h"
#include "core/ModBlckSetCom.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "platform/Orologio.h"


class ClienteTrasferimenti : public ClienteCompagno {
protected:
    static constexpr int32_t ModoIniziale = 1;
    static constexpr double Accelerazione = 50.0;

    void SetUp() override {
        ClienteCompagno::SetUp();
        pagine_ = {ModMain::MappaPagina0, ModMain::MappaPagina1, ModMain::MappaPagina2};
        soglie_ = {ModMain::MatSoglie, ModMain::MatSoglieModificata};
        rpm_ = ModBlck::VettoreRpm;
        tinj_ = ModBlck::VettoreTinj;
        grezzi_ = {ModBlck::DatiGrezzi1B, ModBlck::DatiGrezzi1C, ModBlck::DatiGrezzi20, ModBlck::DatiGrezzi1F};
        liste_ = {ModBlck::ModificheBlocco2, ModBlck::ModificheBlocco3, ModBlck::ModificheBlocco12,
                  ModBlck::ModificheBlocco14, ModBlck::ModificheBlocco15, ModBlck::ModificheBlocco16,
                  ModBlck::ModificheBlocco18, ModBlck::ModificheBlocco19};
        cambio_ = ModBlck::CambioConfigIniettori;
        cilindri_ = ModBlck::TabellaCilindri;
        attese_ = {ModBlck::AttesaPipe, ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa};
        // Pauses of 150-500 ms run 50 times faster. The pipe time-out keeps
        // 400 ms of real time, so that a machine loaded by tests running in
        // parallel never turns a slow reply into a time-out, while the tests
        // that drop a reply on purpose still end quickly.
        Piattaforma::ImpostaAcceleratoreOrologio(Accelerazione);
        ModBlck::AttesaPipe = static_cast<int32_t>(400'000 * Accelerazione);
        Avvia();
        ASSERT_EQ(Invia(PIPE_INIT, std::string(1, '\0')), 0);
        ASSERT_EQ(Invia(PIPE_OPEN_PORT, std::string(1, '\0')), 0);
        ASSERT_EQ(Invia(PIPE_SET_MODE, std::string(1, static_cast<char>(ModoIniziale))), 0);
        ASSERT_EQ(ModPipe::ModoLinea, ModoIniziale);
        Giornale();
    }
    void TearDown() override {
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
        ModMain::MappaPagina0 = pagine_[0];
        ModMain::MappaPagina1 = pagine_[1];
        ModMain::MappaPagina2 = pagine_[2];
        ModMain::MatSoglie = soglie_[0];
        ModMain::MatSoglieModificata = soglie_[1];
        ModBlck::VettoreRpm = rpm_;
        ModBlck::VettoreTinj = tinj_;
        ModBlck::DatiGrezzi1B = grezzi_[0];
        ModBlck::DatiGrezzi1C = grezzi_[1];
        ModBlck::DatiGrezzi20 = grezzi_[2];
        ModBlck::DatiGrezzi1F = grezzi_[3];
        ModBlck::ModificheBlocco2 = liste_[0];
        ModBlck::ModificheBlocco3 = liste_[1];
        ModBlck::ModificheBlocco12 = liste_[2];
        ModBlck::ModificheBlocco14 = liste_[3];
        ModBlck::ModificheBlocco15 = liste_[4];
        ModBlck::ModificheBlocco16 = liste_[5];
        ModBlck::ModificheBlocco18 = liste_[6];
        ModBlck::ModificheBlocco19 = liste_[7];
        ModBlck::CambioConfigIniettori = cambio_;
        ModBlck::TabellaCilindri = cilindri_;
        ModBlck::AttesaPipe = attese_[0];
        ModBlck::AttesaGlobale = attese_[1];
        ModBlck::MoltiplicatoreAttesa = attese_[2];
        ClienteCompagno::TearDown();
    }

    // The request packets received since the last call.
    std::vector<PacchettoRicevuto> Giornale() {
        EXPECT_EQ(Invia(0xE1, ""), 0);
        return DividiGiornale(ModPipe::DatiRispostaPipe);
    }
    // Only the ECU frames of a journal.
    static std::vector<PacchettoRicevuto> Trame(const std::vector<PacchettoRicevuto>& g) {
        std::vector<PacchettoRicevuto> t;
        for (const auto& p : g)
            if (p.codice == PIPE_ECU_FRAME) t.push_back(p);
        return t;
    }
    static size_t Conta(const std::vector<PacchettoRicevuto>& g, uint8_t comando) {
        size_t n = 0;
        for (const auto& p : Trame(g)) n += p.Comando() == comando;
        return n;
    }
    // The link modes set, in order.
    static std::vector<int> Modi(const std::vector<PacchettoRicevuto>& g) {
        std::vector<int> m;
        for (const auto& p : g)
            if (p.codice == PIPE_SET_MODE && !p.dati.empty()) m.push_back(static_cast<uint8_t>(p.dati[0]));
        return m;
    }
    // Sets value k of block n in the simulated ECU (16 bits).
    void ValoreEcu(uint32_t n, uint32_t k, uint32_t v) {
        Manopola(24, static_cast<int32_t>(n << 24 | k << 16 | (v & 0xFFFF)));
    }
    // After `n` good reply packets the companion sends one with a wrong length (code 1).
    void GuastoDopo(int32_t n) { Manopola(5, n); }

private:
    std::array<PaginaMappa, 3> pagine_{};
    std::array<TabellaSoglie, 2> soglie_{};
    ModBlck::VettoreGiri rpm_{};
    ModBlck::VettoreTempi tinj_{};
    std::array<std::string, 4> grezzi_;
    std::vector<ListaModifiche> liste_;
    ModBlck::RecordCambioIniettori cambio_;
    std::vector<int32_t> cilindri_;
    std::array<int32_t, 3> attese_{};
};
