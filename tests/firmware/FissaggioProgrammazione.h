#pragma once
// The firmware page against the real companion and the simulated ECU: the
// connect fixture of the engine, a firmware page whose members the engine
// reaches through a recorder, the configuration services replaced by stubs
// that remember their calls, and the image reader's state restored.
#include <QtCore/QTimer>

#include "engine/FissaggioConnessione.h"
#include "engine/ModMainImmagineFirmware.h"
#include "firmware/FirmwareProgrammazione.h"
#include "firmware/FrmFirmware.h"
#include "immaginifw/ImmagineFirmwareScrittura.h"

namespace Scrittura = ImmagineFirmwareScrittura;

// The recorder, with the firmware page's members carried out on a real page.
class InterfacciaFirmware : public RegistratoreInterfaccia {
public:
    FrmFirmware* pagina = nullptr;
    void SelezioneScheda(int32_t id) override {
        RegistratoreInterfaccia::SelezioneScheda(id);
        if (id == SCHEDA_FIRMWARE && pagina)
            pagina->CaricaVersioneCentralina(TabellaBlocchi[0].UltimaRisposta, ModMain::FirmwareFile);
    }
    void FrmFirmware_ImpostaPulsanti(bool a, bool b) override {
        RegistratoreInterfaccia::FrmFirmware_ImpostaPulsanti(a, b);
        if (pagina) pagina->ImpostaPulsanti(a, b);
    }
    void FrmFirmware_MostraMessaggio(const std::string& t) override {
        RegistratoreInterfaccia::FrmFirmware_MostraMessaggio(t);
        if (pagina) pagina->LblMsg->setText(QString::fromLatin1(t.c_str()));
    }
    int16_t FrmFirmware_OffsetLingua() override { return pagina ? pagina->OffsetLingua : 0; }
    void FRM_ZEBMenuTop_Abilita(bool a) override { chiamate.push_back(std::string("FRM_ZEBMenuTop.Enabled(") + (a ? "True)" : "False)")); }
    void FRM_ZEBMenuTop2_Abilita(bool a) override { chiamate.push_back(std::string("FRM_ZEBMenuTop2.Enabled(") + (a ? "True)" : "False)")); }
    void FRM_ZEBMenuTop3_Abilita(bool a) override { chiamate.push_back(std::string("FRM_ZEBMenuTop3.Enabled(") + (a ? "True)" : "False)")); }
    void FrmCommutatore_Abilita(bool a) override { chiamate.push_back(std::string("FrmCommutatore.Enabled(") + (a ? "True)" : "False)")); }
};

// The stage texts and bar widths the sequence showed.
class VistaRegistrata : public FirmwareProgrammazione::VistaProgrammazione {
public:
    std::vector<std::string> fasi;
    std::vector<std::string> avvisi;
    int32_t larghezzaMassima = 0;
    void Fase(const std::string& t) override { fasi.push_back(t); }
    void Barra(int32_t l, bool) override { larghezzaMassima = std::max(larghezzaMassima, l); }
    void AvvisoImmagineVuota(const std::string& t) override { avvisi.push_back(t); }
};

class FissaggioProgrammazione : public FissaggioConnessione {
protected:
    struct Chiamata {
        std::string percorso;
        int32_t richiesta;
    };
    inline static std::vector<Chiamata> salvataggi, caricamenti;
    inline static bool salvataggioRiesce = true;

    void SetUp() override {
        FissaggioConnessione::SetUp();
        // The old recorder unregisters itself: gone before the new one registers.
        ui.reset();
        interfaccia_ = new InterfacciaFirmware;
        ui.reset(interfaccia_);
        salvataggi.clear();
        caricamenti.clear();
        salvataggioRiesce = true;
        FirmwareProgrammazione::SalvaConfigurazione = [](const std::string& p) {
            salvataggi.push_back({p, ModMain::RichiestaPendente});
            return salvataggioRiesce;
        };
        FirmwareProgrammazione::CaricaConfigurazione = [](const std::string& p) {
            caricamenti.push_back({p, ModMain::RichiestaPendente});
            return true;
        };
        attesa_ = {ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa};
        ModBlck::AttesaGlobale = 250'000;
        ModBlck::MoltiplicatoreAttesa = 4;
        P = ModMain::CercaSezione("[Frm_Firmware]");
    }
    void TearDown() override {
        delete pagina;
        pagina = nullptr;
        FirmwareProgrammazione::SalvaConfigurazione = nullptr;
        FirmwareProgrammazione::CaricaConfigurazione = nullptr;
        ModMain::ProgrammazioneFirmwareInCorso = false;
        ModBlck::AttesaGlobale = attesa_.first;
        ModBlck::MoltiplicatoreAttesa = attesa_.second;
        FissaggioConnessione::TearDown();
    }
    InterfacciaFirmware& Ui() { return *interfaccia_; }
    // The firmware page, loaded, as the engine reaches it.
    FrmFirmware& Pagina() {
        if (!pagina) {
            pagina = new FrmFirmware;
            pagina->resize(1024, 560);
            pagina->Form_Load();
            interfaccia_->pagina = pagina;
        }
        return *pagina;
    }
    // Writes an image at bin/fw/<nome> and makes it the chosen one, read into the buffer.
    void ScegliImmagine(const Scrittura::Descrizione& d, const std::string& nome = "QDLPower_NewHw.frh") {
        base.Scrivi("bin/fw/" + nome, Scrittura::File(Scrittura::Righe(d)));
        ModMain::FileFirmwareScelto = base.File("bin/fw/" + nome);
        ModMain::FirmwareFile = ModMain::LeggiInfoFirmwareImmagine(ModMain::FileFirmwareScelto);
    }
    // The simulated ECU's identification record, as it answers now.
    std::string IdentificazioneEcu() {
        if (Invia(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[0].TramaRichiesta)) != 0) return {};
        const std::string& r = ModPipe::DatiRispostaPipe;
        return r.size() > 6 ? r.substr(5, r.size() - 6) : std::string();
    }
    std::string Voce(int16_t n) const { return ModMain::TestoVoce(static_cast<int16_t>(P + n)); }

    int16_t P = 0;
    FrmFirmware* pagina = nullptr;

private:
    InterfacciaFirmware* interfaccia_ = nullptr;
    std::pair<int32_t, int32_t> attesa_;
};
