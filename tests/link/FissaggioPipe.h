#pragma once
// Saves and restores the pipe transport's reply variables and the link state
// and flags around a test, and clears the recorded boxes.
#include <gtest/gtest.h>

#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"

class FissaggioPipe : public ::testing::Test {
protected:
    void SetUp() override {
        dati_ = ModPipe::DatiRispostaPipe;
        codice_ = ModPipe::CodiceRispostaPipe;
        stato_[0] = ModPipe::StatoRisposta;
        stato_[1] = ModPipe::StatoRisposta2;
        stato_[2] = ModPipe::ModoLinea;
        stato_[3] = ModPipe::PortaTrovata;
        stato_[4] = ModPipe::StatoRisposta5;
        connessione_ = ModMain::StatoConnessione;
        flag_[0] = ModMain::RiconnessioneRichiesta;
        flag_[1] = ModMain::LineaPersa;
        flag_[2] = ModMain::UscitaRichiesta;
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        ModPipe::DatiRispostaPipe = dati_;
        ModPipe::CodiceRispostaPipe = codice_;
        ModPipe::StatoRisposta = stato_[0];
        ModPipe::StatoRisposta2 = stato_[1];
        ModPipe::ModoLinea = stato_[2];
        ModPipe::PortaTrovata = stato_[3];
        ModPipe::StatoRisposta5 = stato_[4];
        ModMain::StatoConnessione = connessione_;
        ModMain::RiconnessioneRichiesta = flag_[0];
        ModMain::LineaPersa = flag_[1];
        ModMain::UscitaRichiesta = flag_[2];
        Piattaforma::Copione::Azzera();
    }
    static void AzzeraFlag() {
        ModMain::RiconnessioneRichiesta = 0;
        ModMain::LineaPersa = 0;
        ModMain::UscitaRichiesta = 0;
    }

private:
    std::string dati_;
    int32_t codice_ = 0;
    int32_t stato_[5] = {};
    int32_t connessione_ = 0;
    uint8_t flag_[3] = {};
};
