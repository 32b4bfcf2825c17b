#pragma once
// The direct-injection page loaded from the simulated ECU's blocks, with the
// lists of the shipped ConfigScale.ini; the shared state the page writes
// saved and restored around each test.
#include <memory>

#include <QtWidgets/QComboBox>

#include "CentralinaSimulata.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "injdir/FRM_ZEBinjDir.h"
#include "link/ModBlckTrame.h"
#include "settings/FissaggioImpostazioni.h"

class FissaggioInjDir : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        lista12_ = ModBlck::ModificheBlocco12;
        asse_ = ModMain::AsseRpmLavoro;
        ModBlck::ModificheBlocco12 = ModBlck::ListaVuota();
        const std::string setCom = std::string(MONDARO_DIST) + "/bin/SetCom.ini";
        ModBlck::LeggiSetCom(setCom);
        ecu_ = std::make_unique<Simulazione::CentralinaSimulata>(setCom);
        for (size_t k = 0; k < 24; ++k) {
            ecu_->ImpostaValore(12, 60 + k, static_cast<int32_t>(k * 5));
            ModMain::AsseRpmLavoro[k] = static_cast<uint8_t>(12 + 4 * k);
        }
        LeggiCentralina();
        Imposta(1, 37, 0);
        pagina_ = std::make_unique<FRM_ZEBinjDir>();
        pagina_->resize(1000, 425);
        pagina_->Form_Load();
        pagina_->AggiornaSelezioni();
    }
    void TearDown() override {
        if (pagina_) pagina_->Form_Unload();
        pagina_.reset();
        ModBlck::ModificheBlocco12 = lista12_;
        ModMain::AsseRpmLavoro = asse_;
        FissaggioImpostazioni::TearDown();
    }
    // Every block read again from the simulated ECU.
    void LeggiCentralina() {
        for (auto& b : TabellaBlocchi) {
            const std::string r = ecu_->Rispondi(ModGlobFunct::ConvertiHexInTesto(b.TramaRichiesta));
            if (r.empty()) continue;
            b.UltimaRisposta = r;
            ModBlck::DecodificaBlocco(r, b);
        }
    }
    // What the request engine does with a staged list: block n as read, the
    // list applied, written to the simulated ECU, read back.
    void Scrivi(size_t n, ListaModifiche& lista, uint8_t comando) {
        BloccoParametri b = TabellaBlocchi.at(n);
        ModBlck::ApplicaModifiche(b.Valori, lista);
        std::string dati;
        ModBlck::CodificaBlocco(dati, b);
        ecu_->Rispondi(ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, comando, dati));
        lista = ModBlck::ListaVuota();
        ModMain::RichiestaPendente = 0;
        LeggiCentralina();
    }

    std::unique_ptr<Simulazione::CentralinaSimulata> ecu_;
    std::unique_ptr<FRM_ZEBinjDir> pagina_;

private:
    ListaModifiche lista12_;
    std::array<uint8_t, ColonnePaginaMappa> asse_{};
};
