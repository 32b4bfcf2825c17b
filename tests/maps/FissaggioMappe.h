#pragma once
// Saves and restores what the map tests change: the map pages with their undo
// copies, the threshold tables, the axes and vectors, the block table, the
// decimal separator and the level-sensor table; dialogs scripted.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "platform/Dialoghi.h"

class FissaggioMappe : public ::testing::Test {
protected:
    void SetUp() override {
        Piattaforma::Copione::Attiva(true);
        ModGlobFunct::SeparatoreDecimale = ".";
    }
    void TearDown() override {
        Piattaforma::Copione::Attiva(false);
        ModGlobFunct::SeparatoreDecimale = separatore_;
        ModMain::MappaPagina0 = p0_;
        ModMain::MappaPagina1 = p1_;
        ModMain::MappaPagina2 = p2_;
        ModMain::UndoPagina0 = u0_;
        ModMain::UndoPagina1 = u1_;
        ModMain::UndoPagina2 = u2_;
        ModMain::UndoDisponibile0 = d0_;
        ModMain::UndoDisponibile1 = d1_;
        ModMain::UndoDisponibile2 = d2_;
        ModMain::MatSoglie = soglie_;
        ModMain::MatSoglieModificata = soglieMod_;
        ModMain::MappaTaratura = taratura_;
        ModMain::AsseRpmLavoro = asseRpm_;
        ModMain::AsseTinjLavoro = asseTinj_;
        ModBlck::VettoreRpm = vettRpm_;
        ModBlck::VettoreTinj = vettTinj_;
        TabellaBlocchi = blocchi_;
        ModBlck::SensoriLivello = sensori_;
        ModMain::UnitaRpm = unitaRpm_;
        ModMain::RichiestaPendente = richiesta_;
        ModMain::PaginaCorrente = pagina_;
        ModMain::StatoConnessione = stato_;
    }

    // Block `n` with at least `quanti` values, all 0.
    static void PreparaBlocco(size_t n, size_t quanti) {
        if (TabellaBlocchi.size() <= n) TabellaBlocchi.resize(n + 1);
        if (TabellaBlocchi[n].Valori.size() < quanti) TabellaBlocchi[n].Valori.resize(quanti, 0);
    }

private:
    std::string separatore_ = ModGlobFunct::SeparatoreDecimale;
    PaginaMappa p0_ = ModMain::MappaPagina0, p1_ = ModMain::MappaPagina1, p2_ = ModMain::MappaPagina2;
    PaginaMappa u0_ = ModMain::UndoPagina0, u1_ = ModMain::UndoPagina1, u2_ = ModMain::UndoPagina2;
    uint8_t d0_ = ModMain::UndoDisponibile0, d1_ = ModMain::UndoDisponibile1, d2_ = ModMain::UndoDisponibile2;
    TabellaSoglie soglie_ = ModMain::MatSoglie, soglieMod_ = ModMain::MatSoglieModificata,
                  taratura_ = ModMain::MappaTaratura;
    std::array<uint8_t, 24> asseRpm_ = ModMain::AsseRpmLavoro;
    std::array<uint8_t, 23> asseTinj_ = ModMain::AsseTinjLavoro;
    ModBlck::VettoreGiri vettRpm_ = ModBlck::VettoreRpm;
    ModBlck::VettoreTempi vettTinj_ = ModBlck::VettoreTinj;
    std::vector<BloccoParametri> blocchi_ = TabellaBlocchi;
    std::vector<DefinizioneSensoreLivello> sensori_ = ModBlck::SensoriLivello;
    int32_t unitaRpm_ = ModMain::UnitaRpm;
    int32_t richiesta_ = ModMain::RichiestaPendente;
    int32_t pagina_ = ModMain::PaginaCorrente;
    int32_t stato_ = ModMain::StatoConnessione;
};
