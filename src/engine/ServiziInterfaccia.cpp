#include "engine/ServiziInterfaccia.h"

namespace {

// Stands in until the shell registers itself: the engine runs without a window.
class InterfacciaAssente final : public ServiziInterfaccia {
public:
    void ImpostaTitolo(const std::string&) override {}
    void ImpostaPuntatoreAttesa(bool) override {}
    void AbilitaTimerVisualizzazione(bool) override {}
    void ScaricaFinestraPrincipale() override {}
    void SelezioneScheda(int32_t) override {}
    void AbilitaDisabilitaForm(bool) override {}
    void MDIForm_Resize() override {}
    void FrmUpdate_AvviaTimer() override {}
    void FrmFirmware_ImpostaPulsanti(bool, bool) override {}
    void FrmFirmware_MostraMessaggio(const std::string&) override {}
    int16_t FrmFirmware_OffsetLingua() override { return 0; }
    void FrmLogger_ApriFileLogger() override {}
    void FRM_ZEBMenu_VisualizzaDatiCentralina(const std::string&, const std::string&) override {}
    void FRM_ZEBCommutazione_AggiornaSelezioni() override {}
    void FRM_ZEBSensori_AggiornaSelezioni() override {}
    void FRM_ZEBGestione_AggiornaSelezioni() override {}
    void FRM_ZEBinjDir_AggiornaSelezioni() override {}
    void FRM_ZEBLambda_AggiornaSelezioni() override {}
    void FrmInjSetPopUp_AggiornaSelezioni(bool) override {}
    void FrmSeqInj_AggiornaSelezioni(bool) override {}
    void FrmError_VisualizzaErrori() override {}
    void FrmError_AggiornaVisualizzazioni(bool) override {}
    void FrmError_AggiornaAbilitazioni() override {}
    void FrmObd_AggiornaSelezioniObd() override {}
    void FrmObd_AggiornaParametriObd() override {}
    void FrmObd_AggiornaVisualizzazioneNew() override {}
    void FrmObd_AzzeraRiferimenti() override {}
    void FrmObd_AggiornaVisualizzazioni() override {}
    void FrmObd_AggiornaVisualizzazione() override {}
    void FrmObd_Form_Resize() override {}
    void FrmMatrix_ColoraMatriceGradiente(int) override {}
    void FrmMatrix_CaricaMatriceInGriglia(int) override {}
    void FrmMatrix_AbilitaTasti(int) override {}
    void FrmMatrix_CambiaTipoGriglia(int, int32_t) override {}
    void FrmMatrix_CaricaAssiInMatrice(int) override {}
    void FRM_ZEBCarburazione_ColoraMatriceGradiente2(int) override {}
    void FRM_ZEBCarburazione_CaricaMatriceInGriglia(int) override {}
    void FRM_ZEBCarburazione_AbilitaTasti(int) override {}
    void FRM_ZEBCarburazione_CambiaTipoGriglia(int, int32_t) override {}
    void FRM_ZEBCarburazione_CaricaAssiInMatrice(int) override {}
};

InterfacciaAssente assente;
ServiziInterfaccia* registrata = nullptr;

} // namespace

namespace MDIFrm {

void RegistraInterfaccia(ServiziInterfaccia* servizi) { registrata = servizi; }

ServiziInterfaccia& Interfaccia() { return registrata ? *registrata : assente; }

} // namespace MDIFrm
