#pragma once
// Fixture of the configuration tests: the block table of the shipped
// SetCom.ini, default character tables, and every shared value these modules
// touch saved before and restored after each test.
#include <gtest/gtest.h>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"

class FissaggioConfig : public ::testing::Test {
protected:
    void SetUp() override {
        ModBlck::LeggiSetCom(MONDARO_DIST "/bin/SetCom.ini");
        ModBlck::CaratteriEcu = ModBlck::TabellaCaratteriIniziale();
        ModBlck::CaratteriAscii = ModBlck::TabellaCaratteriIniziale();
        ModBlck::CarattereDefault = 32;
        ModMain::StatoConnessione = STATO_OFFLINE;
    }
    // Block n's values all set to v.
    static void Riempi(size_t n, int32_t v) {
        for (auto& x : TabellaBlocchi.at(n).Valori) x = v;
    }
    static void ScriviTesto(size_t n, size_t da, const std::string& t) {
        for (size_t k = 0; k < t.size(); ++k) TabellaBlocchi.at(n).Valori.at(da + k) = static_cast<uint8_t>(t[k]);
    }

private:
    struct Stato {
        std::vector<BloccoParametri> tabella = TabellaBlocchi;
        std::vector<int32_t> ecu = ModBlck::CaratteriEcu, ascii = ModBlck::CaratteriAscii;
        int32_t predefinito = ModBlck::CarattereDefault;
        int32_t statoConnessione = ModMain::StatoConnessione, pagina = ModMain::PaginaCorrente;
        std::string nome = ModMain::NomeConfigurazione, nota = ModMain::NotaConfigurazione;
        ListaModifiche modifiche18 = ModBlck::ModificheBlocco18;
        PaginaMappa p0 = ModMain::MappaPagina0, p1 = ModMain::MappaPagina1, p2 = ModMain::MappaPagina2;
        TabellaSoglie soglie = ModMain::MatSoglie;
        ModBlck::VettoreGiri rpm = ModBlck::VettoreRpm;
        ModBlck::VettoreTempi tinj = ModBlck::VettoreTinj;
        std::string t1b = ModBlck::DatiGrezzi1B, t1c = ModBlck::DatiGrezzi1C, t20 = ModBlck::DatiGrezzi20,
                    t1f = ModBlck::DatiGrezzi1F;
        std::string base = ModMain::PercorsoBase;
        ~Stato() {
            TabellaBlocchi = tabella;
            ModBlck::CaratteriEcu = ecu;
            ModBlck::CaratteriAscii = ascii;
            ModBlck::CarattereDefault = predefinito;
            ModMain::StatoConnessione = statoConnessione;
            ModMain::PaginaCorrente = pagina;
            ModMain::NomeConfigurazione = nome;
            ModMain::NotaConfigurazione = nota;
            ModBlck::ModificheBlocco18 = modifiche18;
            ModMain::MappaPagina0 = p0;
            ModMain::MappaPagina1 = p1;
            ModMain::MappaPagina2 = p2;
            ModMain::MatSoglie = soglie;
            ModBlck::VettoreRpm = rpm;
            ModBlck::VettoreTinj = tinj;
            ModBlck::DatiGrezzi1B = t1b;
            ModBlck::DatiGrezzi1C = t1c;
            ModBlck::DatiGrezzi20 = t20;
            ModBlck::DatiGrezzi1F = t1f;
            if (ModMain::PercorsoBase != base) ModMain::ImpostaPercorsi(base);
            ModMain::PercorsoBase = base;
        }
    } stato_;
};
