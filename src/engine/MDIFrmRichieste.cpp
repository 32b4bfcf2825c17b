#include "engine/MDIFrmRichieste.h"

#include <exception>
#include <string>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModRetta.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/MDIFrmScritture.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "engine/ServiziInterfaccia.h"
#include "engine/MDIFrmInitObd.h"
#include "engine/ModBlckSequenza.h"
#include "engine/ModMainConnessione.h"
#include "link/ModBlckModifiche.h"
#include "link/ModEmula.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"

namespace MDIFrm {

namespace {

constexpr int16_t VoceFallimento = 29;
constexpr int16_t VoceMappa = 1;
constexpr int16_t VoceBlocco = 9;
constexpr int32_t TimeoutPipe = 4;

// A step marked to show its text when it fails; returns whether it succeeded.
bool Passo(bool riuscito, int16_t voce = VoceFallimento) {
    if (!riuscito) ModMain::UltimaRichiestaRiuscita = false;
    if (!riuscito) ModMain::MostraVoce(voce);
    return riuscito;
}
// The same for callees that return a result code (0 = success).
bool PassoCodice(int32_t esito) { return Passo(esito == 0); }

int32_t Valore(size_t blocco, size_t k) {
    const auto& v = TabellaBlocchi.at(blocco).Valori;
    return k < v.size() ? v[k] : 0;
}

void ModoLinea(uint8_t modo) {
    std::string risposta;
    ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, static_cast<char>(modo)), ModBlck::AttesaPipe, risposta);
}

void LeggiBlocco3() {
    std::string risposta;
    if (ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi.at(3).TramaRichiesta),
                                  ModBlck::AttesaPipe, risposta) != 0)
        return;
    TabellaBlocchi.at(3).UltimaRisposta = ModPipe::DatiRispostaPipe;
    ModBlck::DecodificaBlocco(TabellaBlocchi.at(3).UltimaRisposta, TabellaBlocchi.at(3));
}

// Map form and carburetion view of map page k after a map write or read.
void RicaricaMappa(int k) {
    auto& ui = Interfaccia();
    ui.FrmMatrix_ColoraMatriceGradiente(k);
    ui.FrmMatrix_CaricaMatriceInGriglia(k);
    ui.FRM_ZEBCarburazione_ColoraMatriceGradiente2(k);
    ui.FRM_ZEBCarburazione_CaricaMatriceInGriglia(k);
    ui.FrmMatrix_AbilitaTasti(k);
    ui.FRM_ZEBCarburazione_AbilitaTasti(k);
}

// Body of 28 (and of 25, 51, 58, 64): the edited option table written and read back.
void ScriviOpzioni() {
    Passo(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglieModificata, ModMain::MatSoglie));
    auto& ui = Interfaccia();
    ui.FrmObd_AzzeraRiferimenti();
    ui.FrmObd_AggiornaVisualizzazioni();
    switch (ModMain::PaginaCorrente) {
    case SCHEDA_COMMUTAZIONE: ui.FRM_ZEBCommutazione_AggiornaSelezioni(); break;
    case SCHEDA_GESTIONE: ui.FRM_ZEBGestione_AggiornaSelezioni(); break;
    case SCHEDA_OBD: ui.FrmObd_AggiornaSelezioniObd(); break;
    default: break;
    }
}

// Map editor or carburetion view of a map page, by the option bit the ECU answered.
void SelezionaEditor(uint8_t bit, int32_t editor, int32_t carburazione) {
    Interfaccia().SelezioneScheda((ModMain::MatSoglie[15] & bit) == 0 ? editor : carburazione);
}

void CaricaConfigurazione() {
    if (Passo(Interfaccia().CaricaConfigurazioneInEcu(ModMain::PercorsoCaricamento))) ModMain::RiconnessioneRichiesta = 1;
    ModMain::PercorsoCaricamento.clear();
}

void ScriviBlocchi3Opzioni2() {
    Passo(ScriviBlocco3());
    Passo(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglie, ModMain::MatSoglie));
    Passo(ScriviBlocco2());
}

void ApplicaSequenza(bool anticipata) {
    ModBlck::CalcolaSequenzaIniezione(ModMain::PhaseShifterCorrente, anticipata);
    const bool blocco15 = Passo(ScriviBlocco15());
    const bool blocco12 = Passo(ScriviBlocco12());
    // Block 16 carries the wizard's progress bit: not recorded after a failed write.
    if (blocco15 && blocco12) Passo(ScriviBlocco16());
}

// Runs the row of the code; false when the slot must keep a follow-up code.
bool EseguiRiga(int32_t codice) {
    auto& ui = Interfaccia();
    const int32_t pagina = ModMain::PaginaCorrente;
    switch (codice) {
    case REQ_READ_BLK3:
        LeggiBlocco3();
        ui.FrmInjSetPopUp_AggiornaSelezioni(false);
        break;
    case REQ_CLEAR_ECU_ERRORS:
        Passo(ModBlck::CancellaErroriEcu());
        ui.FrmError_VisualizzaErrori();
        break;
    case REQ_SET_LINK_PARAM_1: ModoLinea(1); break;
    case REQ_SET_LINK_PARAM_0: ModoLinea(0); break;
    case REQ_SET_LINK_PARAM_2: ModoLinea(2); break;
    case REQ_WRITE_BLK3: Passo(ScriviBlocco3()); break;
    case REQ_SAVE_CONFIG_FILE:
        if (ModMain::SalvataggioRichiesto) {
            if (ModMain::FunzioneEstesaEcu != 0) Passo(ScriviBlocco18());
            ModMain::SalvataggioRichiesto = false;
        }
        Passo(ui.SalvaConfigurazioneDaEcu(ModMain::PercorsoSalvataggio));
        ModMain::PercorsoSalvataggio.clear();
        break;
    case REQ_LOAD_CONFIG_PARAMS:
    case REQ_LOAD_CONFIG_MAPS:
    case REQ_LOAD_CONFIG_FILE:
    case REQ_LOAD_CONFIG_COMP:
        CaricaConfigurazione();
        break;
    case REQ_WRITE_MAP0:
        Passo(ModBlck::ScriviMappaEcu(ModMain::MappaPagina0, ModMain::UndoPagina0, ModMain::MatSoglie,
                                      ModMain::MappaTaratura, 0));
        RicaricaMappa(0);
        break;
    case REQ_PRESS_SWITCH: Passo(ModBlck::EseguiCommutazione()); break;
    case REQ_SET_INJECTORS:
        if (Passo(ModBlck::ScriviSelezioneCilindri())) {
            ModMain::MatSoglie[14] = 0;
            Passo(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglie, ModMain::MatSoglie));
            ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(Valore(3, 1), Valore(3, 0));
        }
        ui.FrmInjSetPopUp_AggiornaSelezioni(true);
        ui.FRM_ZEBCommutazione_AggiornaSelezioni();
        break;
    case REQ_WRITE_TEMP_TABLE: Passo(ModBlck::ScriviTabellaTemperatura()); break;
    case REQ_WRITE_COMP_TABLES:
        Passo(ModBlck::ScriviTabelleCompensazione());
        if (pagina == SCHEDA_OBD) ui.FrmObd_AggiornaSelezioniObd();
        break;
    case REQ_WRITE_SWITCH_TEMP:
        Passo(ScriviBlocco3());
        ui.PreparaScritturaComPGasX(Valore(3, 2) + 1);
        ModBlck::TabellaCompensazioneSel = 2;
        Passo(ModBlck::ScriviTabelleCompensazione());
        break;
    case REQ_WRITE_ECU_INFO:
        Passo(ScriviBlocco5(ModMain::FrameMenuCustom));
        // The panel and the fields show the record as the ECU now holds it.
        if (pagina == SCHEDA_HOME)
            ui.FRM_ZEBMenu_VisualizzaDatiCentralina(TabellaBlocchi.at(0).UltimaRisposta, ModMain::FirmwareFile);
        break;
    case REQ_START_OBD:
        InizializzaObd();
        ui.FrmObd_AggiornaParametriObd();
        ui.FrmObd_AggiornaSelezioniObd();
        ui.FrmObd_AggiornaVisualizzazioneNew();
        break;
    case REQ_WRITE_BLK12:
        ScriviBlocco12();
        ui.FrmObd_AggiornaSelezioniObd();
        if (pagina == SCHEDA_INJDIR) ui.FRM_ZEBinjDir_AggiornaSelezioni();
        break;
    case REQ_READ_ERRORS:
        ui.LeggiErroriEcu();
        ui.FrmError_VisualizzaErrori();
        break;
    case REQ_WRITE_MAP_AXES:
        // Breakpoints that do not rise are refused (with their own message):
        // nothing is written and the vectors are not rebuilt from the ECU's.
        if (ui.CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                  ModMain::AsseTinjLavoro, false)) {
            const int32_t r = ModBlck::LeggiScriviVettori(ModBlck::VettoreRpm, ModBlck::VettoreTinj, -1);
            if (r == TimeoutPipe)
                ModMain::MostraVoce(VoceBlocco);
            else
                ui.CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                      ModMain::AsseTinjLavoro, true);
        }
        for (int k = 0; k < 3; ++k) {
            ui.FrmMatrix_CaricaAssiInMatrice(k);
            ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(k);
        }
        break;
    case REQ_WRITE_MAP0_LINE:
        ModRetta::CalcolaCurvaRetta(ModRetta::CurvaCorrezione, ModRetta::RettaCorrezione);
        ModRetta::CompattaCurvaInMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
        Passo(ModBlck::ScriviMappaEcu(ModMain::MappaPagina0, ModMain::UndoPagina0, ModMain::MatSoglie,
                                      ModMain::MappaTaratura, -1));
        ModRetta::EstraiCurvaDaMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
        break;
    case REQ_WRITE_BLK3_OPTIONS:
        Passo(ScriviBlocco3());
        ScriviOpzioni();
        break;
    case REQ_WRITE_BLK2:
        Passo(ScriviBlocco2());
        if (pagina == SCHEDA_OBD) ui.FrmObd_AggiornaSelezioniObd();
        if (pagina == SCHEDA_LAMBDA) ui.FRM_ZEBLambda_AggiornaSelezioni();
        if (pagina == SCHEDA_GESTIONE) ui.FRM_ZEBGestione_AggiornaSelezioni();
        if (pagina == SCHEDA_HOME) ui.FRM_ZEBMenu_VisualizzaDatiCentralina(TabellaBlocchi.at(0).UltimaRisposta, ModMain::FirmwareFile);
        if (pagina == SCHEDA_ERRORI) ui.FrmError_AggiornaVisualizzazioni(true);
        break;
    case REQ_WRITE_OPTIONS: ScriviOpzioni(); break;
    case REQ_READ_BLK10: PassoCodice(LeggiBlocco10()); break;
    case REQ_RESET_HISTOGRAM: PassoCodice(ModBlck::AzzeraTIsto()); break;
    case REQ_RESET_PETROL_ACQ:
        PassoCodice(ModBlck::AzzeraTBenz());
        PassoCodice(ModBlck::AzzeraTIsto());
        PassoCodice(ModBlck::LeggiTabelleMappetta(ModBlck::DatiGrezzi1B, ModBlck::DatiGrezzi1C, ModBlck::DatiGrezzi20, ModBlck::DatiGrezzi1F));
        break;
    case REQ_RESET_GAS_ACQ:
        PassoCodice(ModBlck::AzzeraTGas());
        PassoCodice(ModBlck::AzzeraTRisult());
        PassoCodice(ModBlck::AzzeraTIsto());
        PassoCodice(ModBlck::LeggiTabelleMappetta(ModBlck::DatiGrezzi1B, ModBlck::DatiGrezzi1C, ModBlck::DatiGrezzi20, ModBlck::DatiGrezzi1F));
        break;
    case REQ_READ_ACQ_TABLES: PassoCodice(ModBlck::LeggiTabelleMappetta(ModBlck::DatiGrezzi1B, ModBlck::DatiGrezzi1C, ModBlck::DatiGrezzi20, ModBlck::DatiGrezzi1F)); break;
    case REQ_WRITE_MAP0_RESET_ACQ:
        Passo(ModBlck::ScriviMappaEcu(ModMain::MappaPagina0, ModMain::UndoPagina0, ModMain::MatSoglie,
                                      ModMain::MappaTaratura, 0));
        PassoCodice(ModBlck::AzzeraTGas());
        PassoCodice(ModBlck::AzzeraTRisult());
        PassoCodice(ModBlck::AzzeraTIsto());
        break;
    case REQ_WRITE_BLK3_OPTIONS_BLK2:
        ScriviBlocchi3Opzioni2();
        ui.FrmObd_AggiornaSelezioniObd();
        break;
    case REQ_WRITE_OBD_SETTINGS:
        ScriviBlocchi3Opzioni2();
        if (pagina == SCHEDA_OBD) {
            ui.FrmObd_AggiornaSelezioniObd();
            ui.FrmObd_AggiornaVisualizzazioni();
        }
        break;
    case REQ_WRITE_OPTIONS_BLK2:
        Passo(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglie, ModMain::MatSoglie));
        Passo(ScriviBlocco2());
        ui.FrmObd_AggiornaSelezioniObd();
        break;
    case REQ_LOAD_RESULT_TABLE:
        PassoCodice(LeggiMappeVcmRpmDafileEScarica(ModBlck::DatiGrezzi20, ModMain::PercorsoCaricamento));
        ui.FrmObd_AggiornaSelezioniObd();
        break;
    case REQ_WRITE_BANK_OPTIONS:
        Passo(ModBlck::ScriviTabellaSoglie(ModMain::MatSoglie, ModMain::MatSoglie));
        ui.FrmInjSetPopUp_AggiornaSelezioni(true);
        break;
    case REQ_WRITE_LAMBDA_EMULATION:
        Passo(ModEmula::ScriviEmulazione());
        ui.FRM_ZEBLambda_AggiornaSelezioni();
        break;
    case REQ_WRITE_LAMBDA_PROBE:
        Passo(ScriviBlocco3());
        Passo(ModEmula::ScriviEmulazione());
        if ((Valore(2, 2) & 0x10) != 0 && Valore(3, 38) == 0) {
            ModBlck::ModificheBlocco2 = {ModificaPendente{0, 2, 0x10}};
            Passo(ScriviBlocco2());
        }
        ui.FRM_ZEBLambda_AggiornaSelezioni();
        break;
    case REQ_MAP_DIALOG_BUSY:
    case REQ_IGNORED_71:
    case REQ_IGNORED_72:
        break;
    case REQ_WRITE_BLK14:
        ScriviBlocco14();
        ui.FrmObd_AggiornaSelezioniObd();
        ui.FrmObd_Form_Resize();
        break;
    case REQ_SELECT_MAP2_EDITOR:
        ScriviOpzioni();
        SelezionaEditor(0x01, SCHEDA_MAPPA_2, SCHEDA_CARBURAZIONE_2);
        break;
    case REQ_SELECT_MAP0_EDITOR:
        ScriviOpzioni();
        SelezionaEditor(0x08, SCHEDA_MAPPA, SCHEDA_CARBURAZIONE);
        break;
    case REQ_SELECT_MAP1_EDITOR:
        ScriviOpzioni();
        SelezionaEditor(0x02, SCHEDA_MAPPA_1, SCHEDA_CARBURAZIONE_1);
        break;
    case REQ_SEND_CMD_69: Passo(ModBlck::InviaComando69()); break;
    case REQ_WRITE_BLK15:
        Passo(ScriviBlocco15());
        switch (pagina) {
        case SCHEDA_GESTIONE: ui.FRM_ZEBGestione_AggiornaSelezioni(); break;
        case SCHEDA_COMMUTAZIONE: ui.FRM_ZEBCommutazione_AggiornaSelezioni(); break;
        case SCHEDA_ERRORI: ui.FrmError_AggiornaAbilitazioni(); break;
        case SCHEDA_SEQINJ: ui.FrmSeqInj_AggiornaSelezioni(true); break;
        case SCHEDA_SENSORI: ui.FRM_ZEBSensori_AggiornaSelezioni(); break;
        default: break;
        }
        break;
    case REQ_WRITE_BLK3_BLK14:
        Passo(ScriviBlocco3(), VoceBlocco);
        Passo(ScriviBlocco14(), VoceBlocco);
        switch (pagina) {
        case SCHEDA_MAPPA: ui.FrmMatrix_CambiaTipoGriglia(0, pagina); break;
        case SCHEDA_MAPPA_1: ui.FrmMatrix_CambiaTipoGriglia(1, pagina); break;
        case SCHEDA_MAPPA_2: ui.FrmMatrix_CambiaTipoGriglia(2, pagina); break;
        case SCHEDA_CARBURAZIONE: ui.FRM_ZEBCarburazione_CambiaTipoGriglia(0, pagina); break;
        case SCHEDA_CARBURAZIONE_1: ui.FRM_ZEBCarburazione_CambiaTipoGriglia(1, pagina); break;
        case SCHEDA_CARBURAZIONE_2: ui.FRM_ZEBCarburazione_CambiaTipoGriglia(2, pagina); break;
        default: break;
        }
        break;
    case REQ_ACQUIRE_INJ_SEQUENCE:
        if (Passo(ModBlck::InviaComandoAttesaLunga(CMD_START_ACQUISITION, 4, ModBlck::EsitoRichiesta))) {
            ModBlck::CalcolaSequenzaIniezione(ModMain::PhaseShifterCorrente, true);
            // Chained: the next tick writes block 15 as an ordinary request.
            ModMain::RichiestaPendente = REQ_WRITE_BLK15;
            return false;
        }
        break;
    case REQ_WRITE_BLK3_BLK15:
        Passo(ScriviBlocco3(), VoceBlocco);
        Passo(ScriviBlocco15(), VoceBlocco);
        if (pagina == SCHEDA_COMMUTAZIONE) ui.FRM_ZEBCommutazione_AggiornaSelezioni();
        break;
    case REQ_WRITE_BLK16:
        Passo(ScriviBlocco16());
        if (pagina == SCHEDA_INJDIR) ui.FRM_ZEBinjDir_AggiornaSelezioni();
        break;
    case REQ_READ_BLK16:
        ui.LeggiBloccoBlk8();
        ui.FRM_ZEBinjDir_AggiornaSelezioni();
        break;
    case REQ_READ_ADAPTIVE_MAP:
        Passo(LeggiAdattativa());
        if (pagina == SCHEDA_MAPPA_1) {
            ui.FrmMatrix_ColoraMatriceGradiente(1);
            ui.FrmMatrix_CaricaMatriceInGriglia(1);
        } else if (pagina == SCHEDA_CARBURAZIONE_1) {
            ui.FRM_ZEBCarburazione_ColoraMatriceGradiente2(1);
            ui.FRM_ZEBCarburazione_CaricaMatriceInGriglia(1);
        }
        break;
    case REQ_WRITE_MAP2:
        Passo(ModBlck::ScriviMappaMape(ModMain::MappaPagina2, ModMain::UndoPagina2), VoceMappa);
        RicaricaMappa(2);
        break;
    case REQ_WRITE_MAP1:
        Passo(ModBlck::ScriviMappaAdat(ModMain::MappaPagina1, ModMain::UndoPagina1), VoceMappa);
        RicaricaMappa(1);
        break;
    case REQ_WRITE_BLK19:
        if (ModMain::AbilitaNuovaObd) Passo(ScriviBlocco19());
        break;
    case REQ_READ_OBD_INFO_ERROR:
        if (ModMain::AbilitaNuovaObd) Passo(LeggiOBDInfoError());
        break;
    case REQ_WRITE_BLK12_BLK19:
        Passo(ScriviBlocco12());
        if (ModMain::AbilitaNuovaObd) Passo(ScriviBlocco19());
        break;
    case REQ_ACQUIRE_INJ_SEQUENCE_DI:
        if (Passo(ModBlck::InviaComandoAttesaLunga(CMD_START_ACQUISITION, 4, ModBlck::EsitoRichiesta))) {
            bool ok = false;
            ModMain::TestoEsitoRisposta(ModBlck::EsitoRichiesta, ok);
            if (ok) Passo(ScriviBlocco16());
        }
        break;
    case REQ_APPLY_SEQUENCE_NORMAL: ApplicaSequenza(false); break;
    case REQ_APPLY_SEQUENCE_ANTICIPATED: ApplicaSequenza(true); break;
    case REQ_WRITE_BLK15_BLK16:
        Passo(ScriviBlocco15());
        Passo(ScriviBlocco16());
        break;
    case REQ_LOAD_PETROL_PRESS_TABLE: Passo(ui.ScriviComPBenX()); break;
    case REQ_SEND_CUSTOM_FRAME:
        InviaComandoCustom(ModMain::ComandoCustom);
        ModMain::RispostaCustom = ModMain::ComandoCustom;
        break;
    case REQ_LOAD_GAS_PRESS_TABLE: Passo(ui.ScriviComPGasX()); break;
    default:
        ModMain::MostraVoce(VoceFallimento);
        break;
    }
    return true;
}

} // namespace

void EseguiRichiesta() {
    const int32_t codice = ModMain::RichiestaPendente;
    bool svuota = true;
    ModMain::UltimaRichiestaRiuscita = true;
    try {
        svuota = EseguiRiga(codice);
    } catch (...) {
        // An error no step handled ends the request; the user is told once
        // instead of losing the action without notice.
        ModMain::MostraVoce(VoceFallimento);
        ModMain::UltimaRichiestaRiuscita = false;
        svuota = true;
    }
    if (svuota) ModMain::RichiestaPendente = 0;
}

} // namespace MDIFrm
