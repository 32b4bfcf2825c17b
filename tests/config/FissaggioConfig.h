#pragma once
// Fixture of the configuration tests: the block table of the shipped
// SetCom.ini, default character tables, and every shared value these modules
// touch saved before and restored after each test.
#include <gtest/gtest.h>

#include "config/FileConfigurazione.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"
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
    // A whole configuration in memory: every block with values and a rebuilt
    // reply, the firmware record, pages, threshold table, vectors and tables.
    static void RiempiMemoria(int seme = 0) {
        for (size_t n = 1; n < TabellaBlocchi.size(); ++n) {
            BloccoParametri& b = TabellaBlocchi[n];
            for (size_t k = 0; k < b.Valori.size(); ++k) b.Valori[k] = static_cast<int32_t>((k * 7 + n + seme) & 0x7F);
            const std::string richiesta = ModGlobFunct::ConvertiHexInTesto(b.TramaRichiesta);
            b.UltimaRisposta.clear();
            b.UltimaRisposta = ModBlck::CostruisciRispostaBlocco(b, static_cast<uint8_t>(richiesta.at(3)));
        }
        std::string record(38, ' ');
        for (size_t i = 0; i < 10; ++i) record[i] = static_cast<char>(i + 1 + seme);
        TabellaBlocchi[0].UltimaRisposta = record;
        PaginaMappa* pagine[] = {&ModMain::MappaPagina0, &ModMain::MappaPagina1, &ModMain::MappaPagina2};
        for (int p = 0; p < 3; ++p)
            for (int n = 0; n < CellePaginaMappa; ++n) CellaMappa(*pagine[p], n) = static_cast<uint8_t>(n * (p + 3) + seme);
        for (size_t i = 0; i < 16; ++i) ModMain::MatSoglie[i] = static_cast<uint8_t>(i * 9 + seme);
        for (size_t i = 0; i < ModBlck::VettoreRpm.size(); ++i) ModBlck::VettoreRpm[i] = static_cast<uint8_t>(i / 6 + seme);
        for (size_t i = 0; i < ModBlck::VettoreTinj.size(); ++i) ModBlck::VettoreTinj[i] = static_cast<uint8_t>(i / 8 + seme);
        std::string* tabelle[] = {&ModBlck::DatiGrezzi1B, &ModBlck::DatiGrezzi1C, &ModBlck::DatiGrezzi20, &ModBlck::DatiGrezzi1F};
        const uint8_t comandi[] = {0x1B, 0x1C, 0x20, 0x1F};
        for (int t = 0; t < 4; ++t) {
            std::string d(121, '\0');
            for (size_t i = 0; i < d.size(); ++i) d[i] = static_cast<char>(i * (t + 1) + seme);
            *tabelle[t] = FileConfigurazione::Trama(0x7D, comandi[t], d);
        }
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
        std::array<uint8_t, 24> asseRpm = ModMain::AsseRpmLavoro;
        std::array<uint8_t, 23> asseTinj = ModMain::AsseTinjLavoro;
        PaginaMappa u0 = ModMain::UndoPagina0, u1 = ModMain::UndoPagina1, u2 = ModMain::UndoPagina2;
        float tempo = ModBlck::TempoBlocco;
        ~Stato() {
            ModMain::AsseRpmLavoro = asseRpm;
            ModMain::AsseTinjLavoro = asseTinj;
            ModMain::UndoPagina0 = u0;
            ModMain::UndoPagina1 = u1;
            ModMain::UndoPagina2 = u2;
            ModBlck::TempoBlocco = tempo;
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
