#pragma once
// Test stand-in for the shell: records every call the engine makes upwards as
// "Form.Member(args)" and registers itself for its lifetime.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/ModBlckNomeConfigurazione.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "config/ModMainFirmware.h"
#include "engine/ServiziInterfaccia.h"

class RegistratoreInterfaccia : public ServiziInterfaccia {
public:
    RegistratoreInterfaccia() { MDIFrm::RegistraInterfaccia(this); }
    ~RegistratoreInterfaccia() override { MDIFrm::RegistraInterfaccia(nullptr); }

    std::vector<std::string> chiamate;
    std::string titolo;                 // last caption set
    std::vector<std::string> titoli;    // every caption set
    int16_t offsetLinguaFirmware = 0;
    // Runs when the engine unloads the main window (the shell's close handling).
    std::function<void()> allaChiusura;

    void Azzera() { chiamate.clear(); titoli.clear(); }
    bool Chiamato(const std::string& c) const {
        for (const auto& x : chiamate) if (x == c) return true;
        return false;
    }
    size_t Conta(const std::string& c) const {
        size_t n = 0;
        for (const auto& x : chiamate) n += x == c;
        return n;
    }
    // Calls that refresh or switch pages (captions, pointer, overlay and OBD start window left out).
    std::vector<std::string> Aggiornamenti() const {
        std::vector<std::string> r;
        for (const auto& x : chiamate)
            if (x.rfind("MDIFrm.ImpostaPuntatoreAttesa", 0) != 0 && x.rfind("FrmUpdate.", 0) != 0 &&
                x.rfind("FrmInitObd.", 0) != 0)
                r.push_back(x);
        return r;
    }

    // The configuration services as the shell serves them.
    void LeggiNomeConfigurazione(std::string& nome, std::string& nota) override {
        ModBlck::LeggiNomeConfigurazione(nome, nota);
    }
    void CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso) override {
        caricamenti.push_back(std::to_string(codice) + "," + percorso);
    }
    std::vector<std::string> caricamenti; // offline loads asked for: "code,path"
    bool SalvaConfigurazioneDaEcu(const std::string& p) override { return ModMain::SalvaConfigurazioneDaEcu(p); }
    bool CaricaConfigurazioneInEcu(const std::string& p) override { return ModMain::CaricaConfigurazioneInEcu(p); }
    bool ScriviComPGasX() override { return ModMain::ScriviComPGasX(); }
    bool ScriviComPBenX() override { return ModMain::ScriviComPBenX(); }
    void PreparaScritturaComPGasX(int32_t v) override { ModMain::PreparaScritturaComPGasX(v); }
    bool LeggiBloccoBlk8() override { return ModMain::LeggiBloccoBlk8(); }
    bool LeggiErroriEcu() override { return ModMain::LeggiErroriEcu(); }

    void ImpostaTitolo(const std::string& testo) override { titolo = testo; titoli.push_back(testo); }
    void ImpostaPuntatoreAttesa(bool a) override { RegB("MDIFrm.ImpostaPuntatoreAttesa", a); }
    void AbilitaTimerVisualizzazione(bool a) override { RegB("MDIFrm.Timer2", a); }
    void ScaricaFinestraPrincipale() override {
        Annota("MDIFrm.Unload");
        if (allaChiusura) allaChiusura();
    }
    void SelezioneScheda(int32_t id) override { Reg("MDIFrm.SelezioneScheda", id); }
    void AbilitaDisabilitaForm(bool s) override { RegB("MDIFrm.AbilitaDisabilitaForm", s); }
    void MDIForm_Resize() override { Annota("MDIFrm.MDIForm_Resize"); }
    void FrmUpdate_AvviaTimer() override { Annota("FrmUpdate.Timer1"); }
    void FrmFirmware_ImpostaPulsanti(bool a, bool b) override {
        Annota("FrmFirmware.Pulsanti(" + std::to_string(a) + "," + std::to_string(b) + ")");
    }
    void FrmFirmware_MostraMessaggio(const std::string& t) override { Annota("FrmFirmware.LblMsg=" + t); }
    int16_t FrmFirmware_OffsetLingua() override { return offsetLinguaFirmware; }
    void FrmLogger_ApriFileLogger() override { Annota("FrmLogger.ApriFileLogger"); }
    void FRM_ZEBMenu_VisualizzaDatiCentralina(const std::string&, const std::string&) override {
        Annota("FRM_ZEBMenu.VisualizzaDatiCentralina");
    }
    void FRM_ZEBCommutazione_AggiornaSelezioni() override { Annota("FRM_ZEBCommutazione.AggiornaSelezioni"); }
    void FRM_ZEBSensori_AggiornaSelezioni() override { Annota("FRM_ZEBSensori.AggiornaSelezioni"); }
    void FRM_ZEBGestione_AggiornaSelezioni() override { Annota("FRM_ZEBGestione.AggiornaSelezioni"); }
    void FRM_ZEBinjDir_AggiornaSelezioni() override { Annota("FRM_ZEBinjDir.AggiornaSelezioni"); }
    void FRM_ZEBLambda_AggiornaSelezioni() override { Annota("FRM_ZEBLambda.AggiornaSelezioni"); }
    void FrmInjSetPopUp_AggiornaSelezioni(bool t) override { RegB("FrmInjSetPopUp.AggiornaSelezioni", t); }
    void FrmSeqInj_AggiornaSelezioni(bool t) override { RegB("FrmSeqInj.AggiornaSelezioni", t); }
    void FrmError_VisualizzaErrori() override { Annota("FrmError.VisualizzaErrori"); }
    void FrmError_AggiornaVisualizzazioni(bool t) override { RegB("FrmError.AggiornaVisualizzazioni", t); }
    void FrmError_AggiornaAbilitazioni() override { Annota("FrmError.AggiornaAbilitazioni"); }
    void FrmObd_AggiornaSelezioniObd() override { Annota("FrmObd.AggiornaSelezioniObd"); }
    void FrmObd_AggiornaParametriObd() override { Annota("FrmObd.AggiornaParametriObd"); }
    void FrmObd_AggiornaVisualizzazioneNew() override { Annota("FrmObd.AggiornaVisualizzazioneNew"); }
    void FrmObd_AzzeraRiferimenti() override { Annota("FrmObd.AzzeraRiferimenti"); }
    void FrmObd_AggiornaVisualizzazioni() override { Annota("FrmObd.AggiornaVisualizzazioni"); }
    void FrmObd_AggiornaVisualizzazione() override { Annota("FrmObd.AggiornaVisualizzazione"); }
    void FrmObd_Form_Resize() override { Annota("FrmObd.Form_Resize"); }
    void FrmMatrix_ColoraMatriceGradiente(int k) override { Reg("FrmMatrix.ColoraMatriceGradiente", k); }
    void FrmMatrix_CaricaMatriceInGriglia(int k) override { Reg("FrmMatrix.CaricaMatriceInGriglia", k); }
    void FrmMatrix_AbilitaTasti(int k) override { Reg("FrmMatrix.AbilitaTasti", k); }
    void FrmMatrix_CambiaTipoGriglia(int k, int32_t id) override {
        Annota("FrmMatrix.CambiaTipoGriglia(" + std::to_string(k) + "," + std::to_string(id) + ")");
    }
    void FrmMatrix_CaricaAssiInMatrice(int k) override { Reg("FrmMatrix.CaricaAssiInMatrice", k); }
    void FRM_ZEBCarburazione_ColoraMatriceGradiente2(int k) override {
        Reg("FRM_ZEBCarburazione.ColoraMatriceGradiente2", k);
    }
    void FRM_ZEBCarburazione_CaricaMatriceInGriglia(int k) override {
        Reg("FRM_ZEBCarburazione.CaricaMatriceInGriglia", k);
    }
    void FRM_ZEBCarburazione_AbilitaTasti(int k) override { Reg("FRM_ZEBCarburazione.AbilitaTasti", k); }
    void FRM_ZEBCarburazione_CambiaTipoGriglia(int k, int32_t id) override {
        Annota("FRM_ZEBCarburazione.CambiaTipoGriglia(" + std::to_string(k) + "," + std::to_string(id) + ")");
    }
    void FRM_ZEBCarburazione_CaricaAssiInMatrice(int k) override {
        Reg("FRM_ZEBCarburazione.CaricaAssiInMatrice", k);
    }

    // Connect procedure's screens: every LAB_MSG text, and a hook called with each.
    std::vector<std::string> messaggiRicerca;
    std::function<void(const std::string&)> alMessaggioRicerca;
    void FRM_ZEBPortSearch_Mostra(bool v) override { RegB("FRM_ZEBPortSearch.Mostra", v); }
    void FRM_ZEBPortSearch_AbilitaTMR(bool v) override { RegB("FRM_ZEBPortSearch.TMR", v); }
    void FRM_ZEBPortSearch_ImpostaMessaggio(const std::string& t) override {
        messaggiRicerca.push_back(t);
        if (alMessaggioRicerca) alMessaggioRicerca(t);
    }
    void FRM_ZEBPortSearch_BarraPiena() override { Annota("FRM_ZEBPortSearch.BarraPiena"); }
    void FRM_ZEBPortSearch_BarraVisibile(bool v) override { RegB("FRM_ZEBPortSearch.BarraVisibile", v); }
    void FRM_ZEBConnected_ImpostaIndicePorta(int32_t i) override { Reg("FRM_ZEBConnected.CMB_Seriali", i); }
    void FRM_ZEBDashBoard_Mostra(bool v) override { RegB("FRM_ZEBDashBoard.Mostra", v); }
    void FrmCommutatore_Mostra(bool v) override { RegB("FrmCommutatore.Mostra", v); }
    void FRM_ZEBCommutazione_RiempiCmbSwtch() override { Annota("FRM_ZEBCommutazione.RiempiCmbSwtch"); }

    // The OBD start window: every content shown; its button pressed once the
    // closing caption shows (when `chiudiObd`), and a hook on every change.
    std::vector<FinestraInitObd> statiInitObd;
    bool chiudiObd = true;
    std::string testoChiudiObd;
    std::function<void(const FinestraInitObd&)> allaFinestraObd;
    bool FrmInitObd_Mostra(const FinestraInitObd& s) override;
    void FrmInitObd_Scarica() override { Annota("FrmInitObd.Unload"); }

    // A call whose record equals this throws, as a page member failing at run time would.
    std::string lanciaSu;

private:
    void Annota(std::string c) {
        chiamate.push_back(c);
        if (!lanciaSu.empty() && c == lanciaSu) throw std::runtime_error("page member failed: " + c);
    }
    void Reg(const char* nome, int64_t v) { Annota(std::string(nome) + "(" + std::to_string(v) + ")"); }
    void RegB(const char* nome, bool v) { Annota(std::string(nome) + (v ? "(True)" : "(False)")); }
};

#include "engine/MDIFrmInitObd.h"

inline bool RegistratoreInterfaccia::FrmInitObd_Mostra(const FinestraInitObd& s) {
    statiInitObd.push_back(s);
    if (allaFinestraObd) allaFinestraObd(s);
    if (chiudiObd && !testoChiudiObd.empty() && s.CmdAnnulla == testoChiudiObd) ModEvoObd::AnnullaInitObd = true;
    return true;
}
