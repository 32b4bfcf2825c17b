#pragma once
// Fixture for the link engine: a private base folder, the companion started
// from it in simulated mode, the block table from its SetCom.ini, the
// dictionary, a recorder in place of the shell; the engine's module state is
// saved and restored around every test.
#include <gtest/gtest.h>

#include <memory>

#include "companion/ClienteCompagno.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/MDIFrmMem10.h"
#include "engine/MDIFrmTempoReale.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/RegistratoreInterfaccia.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMappeDati.h"
#include "platform/Dialoghi.h"
#include "support/DizionarioProva.h"

class FissaggioMotore : public ClienteCompagno {
protected:
    void SetUp() override {
        ClienteCompagno::SetUp();
        percorsoBase_ = ModMain::PercorsoBase;
        ModMain::ImpostaPercorsi(base.Percorso());
        ModBlck::AttesaPipe = Attesa;
        dizionario_ = std::make_unique<ClsLingue>();
        SupportoTest::CaricaDizionario(*dizionario_, base.File("lng/diz.diz"), base.File("lng/diz.con"));
        Azzera();
        ui = std::make_unique<RegistratoreInterfaccia>();
        // The OBD start window closes as soon as it offers its closing button.
        ui->testoChiudiObd = Voce(34);
    }
    void TearDown() override {
        ui.reset();
        MDIFrm::FileMem10.close();
        Azzera();
        ModMain::Dizionario = nullptr;
        ModMain::ImpostaPercorsi(percorsoBase_);
        ModMain::PercorsoBase = percorsoBase_;
        ClienteCompagno::TearDown();
    }
    // The engine's state as at start-up, the link connected and idle.
    static void Azzera() {
        ModMain::RichiestaPendente = 0;
        ModMain::AvvioTaratura = 0;
        ModMain::AggiornamentoFirmware = 0;
        ModMain::PrimoAvvio = 0;
        ModMain::ApriLoggerRichiesto = 0;
        ModMain::RipristinoTaratura = 0.0;
        ModMain::NomeConfigurazione.clear();
        ModMain::VersioneProgramma = " 1.75.10 - 31/07/2018";
        ModMain::FirmaHardware = {};
        ModMain::PaginaCorrente = 24;
        ModMain::LogMem10Richiesto = false;
        ModMain::Mem10Disponibile = false;
        ModMain::SalvataggioRichiesto = false;
        ModMain::PercorsoSalvataggio.clear();
        ModMain::PercorsoCaricamento.clear();
        ModMain::ComandoCustom.clear();
        ModMain::RispostaCustom.clear();
        ModMain::FunzioneEstesaEcu = 0;
        ModMain::AbilitaNuovaObd = false;
        MDIFrm::Timer1Attivo = 0;
        MDIFrm::ContatoreCicli = 0;
        MDIFrm::UltimaRispostaMem1.clear();
        MDIFrm::NumeroFileMem10 = -1;
        MDIFrm::UltimoConsecutivoMem10 = -1;
        MDIFrm::UltimoValoreMem10 = -1;
        MDIFrm::RiavviaB10 = false;
        MDIFrm::BufferB10 = RecordBufferB10{};
        for (auto* l : {&ModBlck::ModificheBlocco2, &ModBlck::ModificheBlocco3, &ModBlck::ModificheBlocco11,
                        &ModBlck::ModificheBlocco12, &ModBlck::ModificheBlocco14, &ModBlck::ModificheBlocco15,
                        &ModBlck::ModificheBlocco16, &ModBlck::ModificheBlocco18, &ModBlck::ModificheBlocco19})
            *l = ModBlck::ListaVuota();
        for (auto* f : {&ModBlck::FrameTabellaTemp, &ModBlck::FrameComTGasX, &ModBlck::FrameBlocco7,
                        &ModBlck::FrameComPGasX, &ModBlck::FrameComPBenX, &ModBlck::FrameComSMag})
            f->clear();
        ModBlck::TabellaCompensazioneSel = 0;
        ModMain::MatSoglie = {};
        ModMain::MatSoglieModificata = {};
        ModMain::StatoConnessione = STATO_CONNESSO;
        AzzeraFlag();
    }
    // Starts the companion and opens the simulated ECU's port.
    void Connetti() {
        Avvia();
        std::string porta(1, '\x00');
        ASSERT_EQ(Invia(PIPE_OPEN_PORT, porta), 0);
        ASSERT_EQ(ModPipe::StatoRisposta, 1) << "the simulated ECU did not answer on its port";
    }
    // Texts of the message boxes shown so far.
    static std::vector<std::string> Messaggi() {
        std::vector<std::string> r;
        for (const auto& e : Piattaforma::Copione::Messaggi()) r.push_back(e.testo.toStdString());
        return r;
    }
    static std::string Voce(int16_t n) { return ModMain::TestoVoce(n); }
    static int32_t Valore(size_t blocco, size_t k) { return TabellaBlocchi[blocco].Valori.at(k); }

    std::unique_ptr<RegistratoreInterfaccia> ui;

private:
    std::string percorsoBase_;
    std::unique_ptr<ClsLingue> dizionario_;
};
