#pragma once
// What the link engine asks of the main window and the pages. The engine never
// includes a form's header: the shell implements this interface and registers
// it at start-up (tests register a recorder). Each member stands for the page
// member of the same name; `k` is a map page (0, 1, 2): map form k is the
// editor FrmMatrix showing MappaPaginaK (page 12, 47, 49), carburetion view k
// the FRM_ZEBCarburazione instance of that page (page 27, 48, 50).
// Texts are 8-bit, in the current language's charset.
#include <array>
#include <cstdint>
#include <string>

class QComboBox;

// What the OBD start window FrmInitObd shows. Colours are 0xRRGGBB, -1 the
// control's own colour.
struct FinestraInitObd {
    std::string LblTitolo;
    int32_t ColoreTitolo = -1;     // LblTitolo back colour
    int32_t ColoreBack = -1;       // ShpBack
    int32_t ColoreStato = -1;      // ShpStato, the status lamp
    bool StatoVisibile = true;     // ShpStato shown
    std::string CmdAnnulla;        // the button's caption
};

// Every member does nothing by default: the engine runs with nothing
// registered, and an implementation overrides what it serves.
class ServiziInterfaccia {
public:
    virtual ~ServiziInterfaccia() = default;

    // Main window.
    virtual void ImpostaTitolo(const std::string& testo) {}          // the main caption
    virtual void ImpostaPuntatoreAttesa(bool attesa) {}              // hourglass / normal pointer
    virtual void AbilitaTimerVisualizzazione(bool abilitato) {}      // Timer2, the display timer
    virtual void ScaricaFinestraPrincipale() {}                      // unload by code (runs the close handling)
    virtual void SelezioneScheda(int32_t idScheda) {}
    virtual void AbilitaDisabilitaForm(bool stato) {}
    virtual void MDIForm_Resize() {}
    virtual void FrmUpdate_AvviaTimer() {}                           // busy overlay: enable its timer

    // Firmware page.
    virtual void FrmFirmware_ImpostaPulsanti(bool cmdCancelCmdOk, bool cmdUpdate) {} // Enabled
    virtual void FrmFirmware_MostraMessaggio(const std::string& testo) {}            // LblMsg caption
    virtual int16_t FrmFirmware_OffsetLingua() { return 0; }
    // Firmware page: it locks the three top menu bars and the switch view
    // while an update is offered or runs.
    virtual void FRM_ZEBMenuTop_Abilita(bool abilitato) {}
    virtual void FRM_ZEBMenuTop2_Abilita(bool abilitato) {}
    virtual void FRM_ZEBMenuTop3_Abilita(bool abilitato) {}
    virtual void FrmCommutatore_Abilita(bool abilitato) {}

    // Logger page: loads the saved log chosen there.
    virtual void FrmLogger_ApriFileLogger() {}
    // Frame replay (logger): after a replayed OBD frame, the OBD map window's
    // refresh, which the shell runs only while that window is open.
    virtual void FrmMappetta_AggiornaParametriObdMappettaSatellite() {}

    // Home side menu: the ECU information panel.
    virtual void FRM_ZEBMenu_VisualizzaDatiCentralina(const std::string& rispostaBlocco0,
                                                      const std::string& infoFirmware) {}

    // Settings pages: controls from the block values.
    virtual void FRM_ZEBCommutazione_AggiornaSelezioni() {}
    virtual void FRM_ZEBSensori_AggiornaSelezioni() {}
    virtual void FRM_ZEBGestione_AggiornaSelezioni() {}
    virtual void FRM_ZEBinjDir_AggiornaSelezioni() {}
    virtual void FRM_ZEBLambda_AggiornaSelezioni() {}
    virtual void FrmInjSetPopUp_AggiornaSelezioni(bool tutto) {}
    virtual void FrmSeqInj_AggiornaSelezioni(bool tutto) {}

    // Injection-sequence popup: its text for "no valid acquisition" (8-bit).
    virtual std::string FrmSeqInj_STR_IMPOSSIBILE() { return {}; }
    // Injection-sequence popup: True when block 15 holds the anticipated
    // sequence; the page also sets its anticipated check box to match.
    // Nothing registered: the answer from the blocks alone.
    virtual bool FrmSeqInj_SonoAnticipato();

    // Error page.
    virtual void FrmError_VisualizzaErrori() {}
    virtual void FrmError_AggiornaVisualizzazioni(bool tutto) {}
    virtual void FrmError_AggiornaAbilitazioni() {}

    // OBD page.
    virtual void FrmObd_AggiornaSelezioniObd() {}
    virtual void FrmObd_AggiornaParametriObd() {}
    virtual void FrmObd_AggiornaVisualizzazioneNew() {}
    virtual void FrmObd_AzzeraRiferimenti() {}
    virtual void FrmObd_AggiornaVisualizzazioni() {}
    virtual void FrmObd_AggiornaVisualizzazione() {}
    virtual void FrmObd_Form_Resize() {}

    // Map editors (grid GrdInj). CaricaMatriceInGriglia loads the form's own
    // map page with factor 1.0; CaricaAssiInMatrice uses AsseRpmLavoro and
    // AsseTinjLavoro.
    virtual void FrmMatrix_ColoraMatriceGradiente(int k) {}
    virtual void FrmMatrix_CaricaMatriceInGriglia(int k) {}
    virtual void FrmMatrix_AbilitaTasti(int k) {}
    virtual void FrmMatrix_CambiaTipoGriglia(int k, int32_t idScheda) {}
    virtual void FrmMatrix_CaricaAssiInMatrice(int k) {}
    // Configuration file saved from memory: the grid shown goes into map page k (factor 1.0).
    virtual void FrmMatrix_CaricaGrigliaInMatrice(int k) {}

    // Map editing: the axis conversion ModBlck::CalcolaVettoriAssi. With
    // `daVettori` the working axes from the index vectors, otherwise the
    // vectors from the axes; false (after its own message, nothing changed)
    // when a vector or axis breaks the rules. Nothing registered: false.
    virtual bool CalcolaVettoriAssi(std::array<uint8_t, 128>& vettoreRpm, std::array<uint8_t, 180>& vettoreTinj,
                                    std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj,
                                    bool daVettori) {
        return false;
    }

    // Carburetion views (grid GrdSmall), the same operations (factor 1).
    virtual void FRM_ZEBCarburazione_ColoraMatriceGradiente2(int k) {}
    virtual void FRM_ZEBCarburazione_CaricaMatriceInGriglia(int k) {}
    virtual void FRM_ZEBCarburazione_AbilitaTasti(int k) {}
    virtual void FRM_ZEBCarburazione_CambiaTipoGriglia(int k, int32_t idScheda) {}
    virtual void FRM_ZEBCarburazione_CaricaAssiInMatrice(int k) {}

    // Connect procedure: the port-search panel (LAB_MSG, timer TMR, progress
    // bar PRG element 0), the connected panel's port combo, the dashboard and
    // the switch view. They do nothing until the shell implements them.
    virtual void FRM_ZEBPortSearch_Mostra(bool visibile) {}            // shown modeless / hidden
    virtual void FRM_ZEBPortSearch_AbilitaTMR(bool abilitato) {}
    virtual void FRM_ZEBPortSearch_ImpostaMessaggio(const std::string& testo) {}
    virtual void FRM_ZEBPortSearch_BarraPiena() {}                     // PRG value := its maximum
    virtual void FRM_ZEBPortSearch_BarraVisibile(bool visibile) {}
    virtual QComboBox* FRM_ZEBConnected_CMB_Seriali() { return nullptr; }
    // CMB_Seriali disabled, its list index set, enabled again (so its click
    // handler neither writes PortCom.ini nor asks for a reconnect).
    virtual void FRM_ZEBConnected_ImpostaIndicePorta(int32_t indice) {}
    virtual void FRM_ZEBDashBoard_Mostra(bool visibile) {}
    virtual void FrmCommutatore_Mostra(bool visibile) {}
    virtual void FRM_ZEBCommutazione_RiempiCmbSwtch() {}

    // The OBD start window: shown (loaded on first call) with this content;
    // false when there is no window to show it, so nobody can press its button.
    virtual bool FrmInitObd_Mostra(const FinestraInitObd& stato) { return false; }
    virtual void FrmInitObd_Scarica() {}

    // Configuration files (src/config): name and note from block 18, the
    // offline load of a file into memory.
    virtual void LeggiNomeConfigurazione(std::string& nome, std::string& nota) {}
    virtual void CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso) {}
    // Configuration files with the ECU (each false, or nothing done, until served).
    virtual bool SalvaConfigurazioneDaEcu(const std::string& percorso) { return false; }
    virtual bool CaricaConfigurazioneInEcu(const std::string& percorso) { return false; }
    virtual bool ScriviComPGasX() { return false; }
    virtual bool ScriviComPBenX() { return false; }
    virtual void PreparaScritturaComPGasX(int32_t v) {}
    virtual bool LeggiBloccoBlk8() { return false; }
    virtual bool LeggiErroriEcu() { return false; }

    // Archive page and fuel-type dialog: the ListIndex of the switchover
    // page's system-configuration list CmbConfSistema (-1: none, or no page).
    virtual int32_t FRM_ZEBCommutazione_IndiceConfSistema() { return -1; }

    // Direct-injection acquisition wizard (steps 3 and 4): the compensation
    // page fills table 3 from ModMain::RisultatoAcqX/Y and posts its write;
    // refreshes its grids from the blocks; the text of row 0, column `colonna`
    // of the gas-pressure grid (table 2). Nothing registered: nothing, "".
    virtual void FrmCompensa_CalcoloAutomaticoCmpPressBenz() {}
    virtual void FrmCompensa_AggiornaTabelledaVettori() {}
    virtual std::string FrmCompensa_TestoAssePressioneGas(int colonna) { return {}; }
    // Calibration page: the runner (one whole calibration inside the link
    // timer's tick; it sets STATO_CONNESSO at its end) and the deferred
    // restore after a reconnect. Nothing registered: no run, no restore.
    virtual void EseguiTaratura() {}
    virtual void RipristinaDatiTaratura() {}
    // A start the link timer dropped because the link was not connected any
    // more: the calibration window gives back what Start locked.
    virtual void TaraturaNonAvviata() {}
};

namespace MDIFrm {

// The shell registers its implementation once at start-up; nullptr removes it.
void RegistraInterfaccia(ServiziInterfaccia* servizi);
// The registered implementation, or one that does nothing when none is.
ServiziInterfaccia& Interfaccia();

} // namespace MDIFrm
