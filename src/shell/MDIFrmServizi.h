#pragma once
// What the engine asks of the main window and the pages, carried out on the
// main window and the page-form instances. Registered by the main window's load.
#include "engine/ServiziInterfaccia.h"

class FrmInitObd;

namespace MDIFrm {

class MDIForm;

class ServiziShell final : public ServiziInterfaccia {
public:
    explicit ServiziShell(MDIForm& finestra) : finestra_(finestra) {}
    ~ServiziShell() override;

    void ImpostaTitolo(const std::string& testo) override;
    void ImpostaPuntatoreAttesa(bool attesa) override;
    void AbilitaTimerVisualizzazione(bool abilitato) override;
    void ScaricaFinestraPrincipale() override;
    void SelezioneScheda(int32_t idScheda) override;
    void AbilitaDisabilitaForm(bool stato) override;
    void MDIForm_Resize() override;
    void FrmUpdate_AvviaTimer() override;

    void FrmFirmware_ImpostaPulsanti(bool cmdCancelCmdOk, bool cmdUpdate) override;
    void FrmFirmware_MostraMessaggio(const std::string& testo) override;
    int16_t FrmFirmware_OffsetLingua() override;
    void FRM_ZEBMenuTop_Abilita(bool abilitato) override;
    void FRM_ZEBMenuTop2_Abilita(bool abilitato) override;
    void FRM_ZEBMenuTop3_Abilita(bool abilitato) override;
    void FrmCommutatore_Abilita(bool abilitato) override;
    void FrmLogger_ApriFileLogger() override;
    void FRM_ZEBMenu_VisualizzaDatiCentralina(const std::string& rispostaBlocco0,
                                              const std::string& infoFirmware) override;

    void FRM_ZEBCommutazione_AggiornaSelezioni() override;
    void FRM_ZEBSensori_AggiornaSelezioni() override;
    void FRM_ZEBGestione_AggiornaSelezioni() override;
    void FRM_ZEBinjDir_AggiornaSelezioni() override;
    void FRM_ZEBLambda_AggiornaSelezioni() override;
    void FrmInjSetPopUp_AggiornaSelezioni(bool tutto) override;
    void FrmSeqInj_AggiornaSelezioni(bool tutto) override;
    std::string FrmSeqInj_STR_IMPOSSIBILE() override;
    bool FrmSeqInj_SonoAnticipato() override;

    void FrmError_VisualizzaErrori() override;
    void FrmError_AggiornaVisualizzazioni(bool tutto) override;
    void FrmError_AggiornaAbilitazioni() override;

    void FrmObd_AggiornaSelezioniObd() override;
    void FrmObd_AggiornaParametriObd() override;
    void FrmObd_AggiornaVisualizzazioneNew() override;
    void FrmObd_AzzeraRiferimenti() override;
    void FrmObd_AggiornaVisualizzazioni() override;
    void FrmObd_AggiornaVisualizzazione() override;
    void FrmObd_Form_Resize() override;

    void FrmMatrix_ColoraMatriceGradiente(int k) override;
    void FrmMatrix_CaricaMatriceInGriglia(int k) override;
    void FrmMatrix_AbilitaTasti(int k) override;
    void FrmMatrix_CambiaTipoGriglia(int k, int32_t idScheda) override;
    void FrmMatrix_CaricaAssiInMatrice(int k) override;

    // Map editing.
    bool CalcolaVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                            std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj,
                            bool daVettori) override;

    void FRM_ZEBCarburazione_ColoraMatriceGradiente2(int k) override;
    void FRM_ZEBCarburazione_CaricaMatriceInGriglia(int k) override;
    void FRM_ZEBCarburazione_AbilitaTasti(int k) override;
    void FRM_ZEBCarburazione_CambiaTipoGriglia(int k, int32_t idScheda) override;
    void FRM_ZEBCarburazione_CaricaAssiInMatrice(int k) override;

    // Connect procedure and OBD start.
    void FRM_ZEBPortSearch_Mostra(bool visibile) override;
    void FRM_ZEBPortSearch_AbilitaTMR(bool abilitato) override;
    void FRM_ZEBPortSearch_ImpostaMessaggio(const std::string& testo) override;
    void FRM_ZEBPortSearch_BarraPiena() override;
    void FRM_ZEBPortSearch_BarraVisibile(bool visibile) override;

    // Calibration page: the runner and the deferred restore of src/calibration.
    void EseguiTaratura() override;
    void RipristinaDatiTaratura() override;
    void TaraturaNonAvviata() override;
    QComboBox* FRM_ZEBConnected_CMB_Seriali() override;
    void FRM_ZEBConnected_ImpostaIndicePorta(int32_t indice) override;
    void FrmCommutatore_Mostra(bool visibile) override;
    void FRM_ZEBCommutazione_RiempiCmbSwtch() override;
    void FRM_ZEBDashBoard_Mostra(bool visibile) override;
    bool FrmInitObd_Mostra(const FinestraInitObd& stato) override;
    void FrmInitObd_Scarica() override;

    // Configuration files.
    void LeggiNomeConfigurazione(std::string& nome, std::string& nota) override;
    void CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso) override;
    bool SalvaConfigurazioneDaEcu(const std::string& percorso) override;
    bool CaricaConfigurazioneInEcu(const std::string& percorso) override;
    bool ScriviComPGasX() override;
    bool ScriviComPBenX() override;
    void PreparaScritturaComPGasX(int32_t v) override;
    bool LeggiBloccoBlk8() override;
    bool LeggiErroriEcu() override;

    // Archive page and fuel-type dialog.
    int32_t FRM_ZEBCommutazione_IndiceConfSistema() override;

    // Direct-injection acquisition wizard.
    void FrmCompensa_CalcoloAutomaticoCmpPressBenz() override;
    void FrmCompensa_AggiornaTabelledaVettori() override;
    std::string FrmCompensa_TestoAssePressioneGas(int colonna) override;

private:
    MDIForm& finestra_;
    bool puntatoreAttesa_ = false;
    FrmInitObd* initObd_ = nullptr;
};

} // namespace MDIFrm
