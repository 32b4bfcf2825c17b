#pragma once
// Fixture for the settings pages without an ECU: blocks sized as SetCom.ini
// gives them (every value 0), the dictionary and ConfigScale.ini of the
// shipped base folder, scripted dialogs; the shared state the pages read and
// write saved and restored around each test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ModBlckBlocchi.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModBlckSequenza.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMappeDati.h"
#include "platform/Dialoghi.h"
#include "settings/FrmSeqInj.h"
#include "support/DizionarioProva.h"
#include "support/SupportoTest.h"

class FissaggioImpostazioni : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        soglie_ = ModMain::MatSoglie;
        soglieMod_ = ModMain::MatSoglieModificata;
        liste_ = {ModBlck::ModificheBlocco2, ModBlck::ModificheBlocco3, ModBlck::ModificheBlocco15,
                  ModBlck::ModificheBlocco16};
        righe_ = ModMain::RigheConfigScale;
        dizionarioPrima_ = ModMain::Dizionario;
        offset_ = FrmSeqInj::SeqOffsetLingua;
        impossibile_ = FrmSeqInj::STR_IMPOSSIBILE;

        const size_t valori[] = {6, 63, 12, 54, 64, 8, 16, 116, 116, 116, 16, 71, 88, 32, 45, 89, 29};
        TabellaBlocchi.assign(17, BloccoParametri{});
        for (size_t n = 0; n < 17; ++n) TabellaBlocchi[n].Valori.assign(valori[n], 0);
        ModMain::MatSoglie = {};
        ModMain::MatSoglieModificata = {};
        for (auto* l : Liste()) *l = ModBlck::ListaVuota();
        ModMain::RichiestaPendente = 0;
        ModMain::PhaseShifterCorrente = 1;
        ModMain::SceltaSeqInj = 3;
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;

        // The language file must exist: without one the dictionary would create
        // it beside the shared dictionary.
        base_.Scrivi("diz.con", "0\r\n");
        dizionario_ = std::make_unique<ClsLingue>();
        SupportoTest::CaricaDizionario(*dizionario_, std::string(MONDARO_DIST) + "/lng/diz.diz", base_.File("diz.con"));
        ModMain::RigheConfigScale.clear();
        ModMain::CaricaFileImpostazioni(std::string(MONDARO_DIST) + "/lng/ConfigScale.ini", ModMain::RigheConfigScale);
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        TabellaBlocchi = tabella_;
        ModMain::MatSoglie = soglie_;
        ModMain::MatSoglieModificata = soglieMod_;
        auto l = Liste();
        for (size_t i = 0; i < l.size(); ++i) *l[i] = liste_[i];
        ModMain::RigheConfigScale = righe_;
        ModMain::Dizionario = dizionarioPrima_;
        ModMain::RichiestaPendente = 0;
        ModMain::PhaseShifterCorrente = 1;
        ModMain::SceltaSeqInj = 3;
        ModMain::LivelloExp = ModMain::LivelloSup = ModMain::LivelloAut = 0;
        FrmSeqInj::SeqOffsetLingua = offset_;
        FrmSeqInj::STR_IMPOSSIBILE = impossibile_;
        Piattaforma::Copione::Azzera();
    }
    static std::vector<ListaModifiche*> Liste() {
        return {&ModBlck::ModificheBlocco2, &ModBlck::ModificheBlocco3, &ModBlck::ModificheBlocco15,
                &ModBlck::ModificheBlocco16};
    }
    static void Imposta(size_t blocco, size_t k, int32_t v) { TabellaBlocchi[blocco].Valori.at(k) = v; }
    // Texts of the message boxes shown so far.
    static std::vector<std::string> Messaggi() {
        std::vector<std::string> r;
        for (const auto& e : Piattaforma::Copione::Messaggi()) r.push_back(e.testo.toStdString());
        return r;
    }
    static int Bip() {
        int n = 0;
        for (const auto& e : Piattaforma::Copione::Eventi())
            n += e.tipo == Piattaforma::Copione::Tipo::Suono && e.frequenzaHz == 600 && e.durataMs == 100;
        return n;
    }
    static bool ListaVuota(const ListaModifiche& l) { return l.size() == 1 && l[0].IndiceValore == -1; }
    // Entry k after the section marker, English.
    static std::string Voce(const std::string& marcatore, int k) {
        const ClsLingue* d = ModMain::Dizionario;
        for (int16_t n = 0; n <= d->UboundVoci(); ++n)
            if (d->VoceDizionario(0, n) == marcatore) return d->VoceDizionario(0, static_cast<int16_t>(n + k));
        return {};
    }

private:
    SupportoTest::CartellaBase base_{false};
    std::vector<BloccoParametri> tabella_;
    TabellaSoglie soglie_{}, soglieMod_{};
    std::vector<ListaModifiche> liste_;
    std::vector<std::string> righe_;
    ClsLingue* dizionarioPrima_ = nullptr;
    std::unique_ptr<ClsLingue> dizionario_;
    int32_t offset_ = 0;
    std::string impossibile_;
};
