#pragma once
// Saves and restores what the map tests change: the map pages with their undo
// copies, the threshold tables, the axes and vectors, the block table, the
// decimal separator, the level-sensor table and the display levels.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainLivelli.h"
#include "core/ModGlobFunct.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "platform/Dialoghi.h"
#include "support/Ripristino.h"

// The module state the map code changes, saved at construction and put back
// at destruction.
class StatoMappeSalvato {
    SupportoTest::Ripristino ripristino_{
        ModGlobFunct::SeparatoreDecimale, ModMain::MappaPagina0, ModMain::MappaPagina1, ModMain::MappaPagina2,
        ModMain::UndoPagina0, ModMain::UndoPagina1, ModMain::UndoPagina2, ModMain::UndoDisponibile0,
        ModMain::UndoDisponibile1, ModMain::UndoDisponibile2, ModMain::MatSoglie, ModMain::MatSoglieModificata,
        ModMain::MappaTaratura, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro, ModBlck::VettoreRpm,
        ModBlck::VettoreTinj, TabellaBlocchi, ModBlck::SensoriLivello, ModMain::UnitaRpm, ModMain::RichiestaPendente,
        ModMain::PaginaCorrente, ModMain::StatoConnessione, ModMain::RigheConfigScale, ModMain::LivelloSup,
        ModMain::LivelloAut};
};

class FissaggioMappe : public ::testing::Test {
protected:
    void SetUp() override {
        Piattaforma::Copione::Azzera();
        ModGlobFunct::SeparatoreDecimale = ".";
    }
    void TearDown() override { Piattaforma::Copione::Azzera(); }

    // Block `n` with at least `quanti` values, all 0.
    static void PreparaBlocco(size_t n, size_t quanti) {
        if (TabellaBlocchi.size() <= n) TabellaBlocchi.resize(n + 1);
        if (TabellaBlocchi[n].Valori.size() < quanti) TabellaBlocchi[n].Valori.resize(quanti, 0);
    }

private:
    StatoMappeSalvato stato_;
};
