#pragma once
// A loaded main window without its timers (the tests tick by hand), with the
// shared state it reads and writes saved and restored around each test, and
// a trace of the page members called.
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainRichieste.h"
#include "link/ModMainStatoLinea.h"
#include "obd/FrmMappetta.h"
#include "platform/Dialoghi.h"
#include "shell/MDIFrm.h"
#include "shell/MDIFrmForme.h"
#include "support/Ripristino.h"

// A loaded main window of the given size with its timers stopped: the tests tick by hand.
inline std::unique_ptr<MDIFrm::MDIForm> FinestraSenzaTimer(int larghezza, int altezza) {
    auto f = std::make_unique<MDIFrm::MDIForm>();
    f->resize(larghezza, altezza);
    f->MDIForm_Load();
    f->Timer1->stop();
    f->Timer2->stop();
    return f;
}

class FissaggioShell : public ::testing::Test {
protected:
    void SetUp() override {
        salvato_.emplace(TabellaBlocchi, ModMain::StatoConnessione, ModMain::UscitaRichiesta, ModMain::PaginaCorrente,
                         ModMain::RiconnessioneRichiesta, ModMain::RichiestaPendente, ModMain::RigheConfigScale);
        // Settings lines loaded, as the start-up loads them before the main window.
        ModMain::RigheConfigScale = {"[x]", "1|2"};
        Piattaforma::Copione::Azzera();
        // Blocks 0-5 with 60 values each, so that every value the shell touches exists.
        TabellaBlocchi.assign(6, BloccoParametri{});
        for (auto& b : TabellaBlocchi) b.Valori.assign(60, 0);
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::UscitaRichiesta = 0;
        ModMain::RichiestaPendente = 0;
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
        ModMain::MappettaAperta = 0;
        f = FinestraSenzaTimer(1280, 800);
        MDIFrm::TracciaChiamata = [this](const std::string& c) { chiamate.push_back(c); };
    }
    void TearDown() override {
        MDIFrm::TracciaChiamata = nullptr;
        f.reset();
        salvato_.reset();
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
        ModMain::MappettaAperta = 0;
        Piattaforma::Copione::Azzera();
    }

    // The calls traced since the last reset that begin with `prefisso`... or all.
    std::vector<std::string> Chiamate(const std::string& escludi = "") const {
        std::vector<std::string> r;
        for (const auto& c : chiamate)
            if (escludi.empty() || c.rfind(escludi, 0) != 0) r.push_back(c);
        return r;
    }

    std::unique_ptr<MDIFrm::MDIForm> f;
    std::vector<std::string> chiamate;

private:
    std::optional<SupportoTest::Ripristino> salvato_;
};
