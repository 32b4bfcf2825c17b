#pragma once
// The switchover page loaded from the simulated ECU's blocks (a warm
// four-cylinder car, a temperature-sensor table of eight points), with the
// injector definitions of the shipped ConfigScale.ini; the shared state the
// page writes saved and restored around each test.
#include <memory>

#include <QtWidgets/QComboBox>

#include "CentralinaSimulata.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "engine/ModMainCollegamento.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "settings/FissaggioImpostazioni.h"
#include "switchover/FRM_ZEBCommutazione.h"

class FissaggioCommutazione : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        tipi_ = ModBlck::TipiIniettori;
        trama_ = ModBlck::FrameTabellaTemp;
        cilindri_ = ModBlck::TabellaCilindri;
        cambio_ = ModBlck::CambioConfigIniettori;
        copia_ = MDIFrm::CopiaBlocco3;
        const std::string setCom = std::string(MONDARO_DIST) + "/bin/SetCom.ini";
        ModBlck::LeggiSetCom(setCom);
        ModBlck::InstallaPassiTipo();
        ModBlck::LeggiTipo_Inj_SensLevel_Lambda(ModMain::RigheConfigScale);
        ecu_ = std::make_unique<Simulazione::CentralinaSimulata>(setCom);
        // Temperatures -10..95 °C, sensor values falling from 95,250 to 1,370.
        const int32_t tabella[16] = {-10, 95250, 5, 52340, 20, 30000, 35, 17500, 50, 10250, 65, 6120, 80, 3500, 95, 1370};
        for (size_t k = 0; k < 16; ++k) ecu_->ImpostaValore(6, k, tabella[k]);
        ecu_->ImpostaValore(3, 3, 2501); // 3000 rpm with 4 cylinders and 2 coils
        ecu_->ImpostaValore(3, 0, 2);
        ecu_->ImpostaValore(3, 4, 1);
        ecu_->ImpostaValore(3, 44, 8568);
        LeggiCentralina();
        Imposta(1, 37, 0); // engine stopped unless a test starts it
        pagina_ = std::make_unique<FRM_ZEBCommutazione>();
        pagina_->resize(1001, 425);
        pagina_->Form_Load();
        pagina_->AggiornaSelezioni();
    }
    void TearDown() override {
        if (pagina_) pagina_->Form_Unload();
        pagina_.reset();
        ModBlck::TipiIniettori = tipi_;
        ModBlck::FrameTabellaTemp = trama_;
        ModBlck::TabellaCilindri = cilindri_;
        ModBlck::CambioConfigIniettori = cambio_;
        MDIFrm::CopiaBlocco3 = copia_;
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
    static int Indice(const QComboBox* c, const QString& testo) { return c->findText(testo); }

    std::unique_ptr<Simulazione::CentralinaSimulata> ecu_;
    std::unique_ptr<FRM_ZEBCommutazione> pagina_;

private:
    std::vector<DefinizioneIniettore> tipi_;
    std::string trama_;
    std::vector<int32_t> cilindri_;
    ModBlck::RecordCambioIniettori cambio_;
    BloccoParametri copia_;
};
