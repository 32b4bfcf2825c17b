#include "engine/MDIFrmCollegamento.h"

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "core/ModRetta.h"
#include "engine/MDIFrmMem10.h"
#include "engine/MDIFrmRichieste.h"
#include "engine/MDIFrmTempoReale.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/MDIFrmScritture.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "engine/ServiziInterfaccia.h"
#include "engine/ModMainConnessione.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"

namespace MDIFrm {

namespace {

constexpr int16_t VoceTitolo = 0;
constexpr int16_t VoceLineaPersa = 47;
constexpr int16_t VoceFirmwarePronto1 = 27; // after the firmware page's own section
constexpr int16_t VoceFirmwarePronto2 = 28;
const char* const Spazi = "     ";

BloccoParametri& Blocco(size_t n) { return ModBlck::BloccoDefinito(n); }

void ImpostaValore(size_t blocco, size_t k, int32_t v) {
    auto& valori = Blocco(blocco).Valori;
    if (k < valori.size()) valori[k] = v;
}

int32_t LeggiValore(size_t blocco, size_t k) {
    const auto& valori = Blocco(blocco).Valori;
    return k < valori.size() ? valori[k] : 0;
}

// Offline: the pending list applied to the block, the block's reply rebuilt.
void ApplicaOffline(size_t blocco, ListaModifiche& lista, uint8_t comando, bool svuota = true) {
    ModBlck::ApplicaModificheBlocco(Blocco(blocco), lista);
    if (svuota) lista = ModBlck::ListaVuota();
    Blocco(blocco).UltimaRisposta = ModBlck::CostruisciRispostaBlocco(Blocco(blocco), comando);
}

// Offline: a prepared write frame (41 02 L cmd data xor) turned into the
// block's reply (42 01 L cmd 00 data xor) with the table's fixed length byte.
void RispostaDaTramaPreparata(std::string& trama, size_t blocco, uint8_t lunghezza, uint8_t comando) {
    std::string r;
    r += static_cast<char>(ModBlck::InizioRisposta);
    r += static_cast<char>(ModBlck::DirezioneRisposta);
    r += static_cast<char>(lunghezza);
    r += static_cast<char>(comando);
    r += '\0';
    r += trama.substr(4, trama.size() - 5);
    r += static_cast<char>(ModBlck::CalcolaXor(r));
    trama.clear();
    Blocco(blocco).UltimaRisposta = r;
    ModBlck::DecodificaBlocco(r, Blocco(blocco));
}

void AbilitaTastiPaginaMappa(int32_t pagina) {
    auto& ui = Interfaccia();
    switch (pagina) {
    case SCHEDA_MAPPA: ui.FrmMatrix_AbilitaTasti(0); break;
    case SCHEDA_CARBURAZIONE: ui.FRM_ZEBCarburazione_AbilitaTasti(0); break;
    case SCHEDA_CARBURAZIONE_1: ui.FRM_ZEBCarburazione_AbilitaTasti(1); break;
    case SCHEDA_MAPPA_1: ui.FrmMatrix_AbilitaTasti(1); break;
    case SCHEDA_MAPPA_2: ui.FrmMatrix_AbilitaTasti(2); break;
    case SCHEDA_CARBURAZIONE_2: ui.FRM_ZEBCarburazione_AbilitaTasti(2); break;
    default: break;
    }
}

bool Tra(int32_t c, std::initializer_list<int32_t> codici) {
    for (int32_t x : codici)
        if (c == x) return true;
    return false;
}

} // namespace

std::string TitoloConnesso() {
    return ModMain::TestoVoce(VoceTitolo) + ModMain::VersioneProgramma + Spazi + ModMain::NomeConfigurazione;
}

std::string TitoloLineaPersa() {
    return ModMain::TestoVoce(VoceTitolo) + ModMain::VersioneProgramma + " - [" + ModMain::TestoVoce(VoceLineaPersa) +
           "] " + Spazi + ModMain::NomeConfigurazione;
}

void AggiornaSchedaDopoModifiche(int32_t idScheda) {
    auto& ui = Interfaccia();
    switch (idScheda) {
    case SCHEDA_INIETTORI: ui.FrmInjSetPopUp_AggiornaSelezioni(true); break;
    case SCHEDA_SENSORI:
        if (FRM_ZEBSensori_CaricaSoglieLivello) FRM_ZEBSensori_CaricaSoglieLivello();
        ui.FRM_ZEBSensori_AggiornaSelezioni();
        break;
    case SCHEDA_COMMUTAZIONE: ui.FRM_ZEBCommutazione_AggiornaSelezioni(); break;
    case SCHEDA_OBD:
        ui.FrmObd_AggiornaSelezioniObd();
        ui.FrmObd_AggiornaVisualizzazione();
        break;
    case SCHEDA_LAMBDA: ui.FRM_ZEBLambda_AggiornaSelezioni(); break;
    case SCHEDA_ERRORI:
        ui.FrmError_AggiornaAbilitazioni();
        ui.FrmError_AggiornaVisualizzazioni(true);
        break;
    default: break;
    }
}

void AzzeraDatiTempoReale() {
    for (size_t k = 0; k <= 32; ++k) ImpostaValore(1, k, 0);
}

void AggiornaCilindriAbilitati() {
    const int32_t cilindri = LeggiValore(3, 1);
    for (int32_t i = 0; i <= 7; ++i) ImpostaValore(3, static_cast<size_t>(16 - i), i < cilindri ? 1 : 0);
}

void CopiaMatSoglie() {
    for (size_t i = 0; i < ModMain::MatSoglie.size() && i < ModMain::MatSoglieModificata.size(); ++i)
        ModMain::MatSoglie[i] = ModMain::MatSoglieModificata[i];
}

void ChiusuraMotore(bool compagnoAttivo) {
    // A companion that is gone gets no quit packet (it would only fail).
    if (compagnoAttivo && ModPipe::PidProcessoCom() != 0) {
        std::string risposta;
        ModPipe::InviaComandoPipe(PIPE_QUIT, {}, ModBlck::AttesaPipe, risposta);
    }
    ChiudiLogMem10();
}

void GestioneOffline() {
    auto& ui = Interfaccia();
    const int32_t c = ModMain::RichiestaPendente;
    if (c != 0) {
        if (Tra(c, {REQ_LOAD_CONFIG_FILE, REQ_LOAD_CONFIG_COMP})) {
            ui.CaricaConfigurazioneInMemoria(c, ModMain::PercorsoCaricamento);
            ui.FRM_ZEBMenu_VisualizzaDatiCentralina(Blocco(0).UltimaRisposta, ModMain::FirmwareFile);
            ui.FRM_ZEBCommutazione_AggiornaSelezioni();
            ui.FRM_ZEBSensori_AggiornaSelezioni();
        }
        if (c == REQ_LOAD_RESULT_TABLE) ui.FrmObd_AggiornaVisualizzazione();
        if (Tra(c, {REQ_WRITE_BLK3, REQ_WRITE_LAMBDA_PROBE, REQ_WRITE_SWITCH_TEMP}))
            ApplicaOffline(3, ModBlck::ModificheBlocco3, 0x0E);
        CopiaBlocco3 = Blocco(3);
        if (c == REQ_WRITE_BLK2) ApplicaOffline(2, ModBlck::ModificheBlocco2, 0x0D);
        if (LeggiValore(1, 37) & 0x01) ImpostaValore(1, 37, LeggiValore(1, 37) & ~0x01);
        if (Tra(c, {REQ_WRITE_LAMBDA_PROBE, REQ_WRITE_LAMBDA_EMULATION}))
            ApplicaOffline(11, ModBlck::ModificheBlocco11, 0x41, false);
        if (c == REQ_WRITE_TEMP_TABLE && ModBlck::FrameTabellaTemp.size() > 6)
            RispostaDaTramaPreparata(ModBlck::FrameTabellaTemp, 6, 0x24, 0x3C);
        if (c == REQ_WRITE_COMP_TABLES) {
            struct Tabella {
                std::string& trama;
                size_t blocco;
                uint8_t lunghezza;
                uint8_t comando;
            };
            Tabella tabelle[] = {
                {ModBlck::FrameComTGasX, 8, 0x24, 0x7C}, {ModBlck::FrameBlocco7, 7, 0x24, 0x7A},
                {ModBlck::FrameComPGasX, 9, 0x44, 0x7E}, {ModBlck::FrameComPBenX, 17, 0x44, 0x80},
                {ModBlck::FrameComSMag, 13, 0x44, 0x5D},
            };
            for (int32_t k = 0; k < 5; ++k) {
                if (ModBlck::TabellaCompensazioneSel != 255 && ModBlck::TabellaCompensazioneSel != k) continue;
                auto& t = tabelle[k];
                if (t.trama.size() > 5) RispostaDaTramaPreparata(t.trama, t.blocco, t.lunghezza, t.comando);
            }
        }
        if (c == REQ_SET_INJECTORS) {
            ImpostaValore(3, 1, ModBlck::TabellaCilindri.size() > 1 ? ModBlck::TabellaCilindri[1] : 0);
            ImpostaValore(3, 0, ModBlck::TabellaCilindri.size() > 0 ? ModBlck::TabellaCilindri[0] : 0);
            AggiornaCilindriAbilitati();
            Blocco(3).UltimaRisposta = ModBlck::CostruisciRispostaBlocco(Blocco(3), 0x0E);
            ui.FrmInjSetPopUp_AggiornaSelezioni(true);
            ui.FRM_ZEBCommutazione_AggiornaSelezioni();
            ui.FRM_ZEBSensori_AggiornaSelezioni();
        }
        if (c == REQ_WRITE_MAP_AXES) {
            for (int k = 0; k < 3; ++k) {
                ui.FrmMatrix_CaricaAssiInMatrice(k);
                ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(k);
            }
        }
        if (c == REQ_WRITE_MAP0_LINE) {
            ModMain::MatSoglie[15] = static_cast<uint8_t>(ModMain::MatSoglie[15] | 0x04);
            ModRetta::CalcolaCurvaRetta(ModRetta::CurvaCorrezione, ModRetta::RettaCorrezione);
            ModRetta::CompattaCurvaInMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
            ModRetta::EstraiCurvaDaMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
        }
        if (c == REQ_WRITE_OPTIONS) {
            CopiaMatSoglie();
            switch (ModMain::PaginaCorrente) {
            case SCHEDA_COMMUTAZIONE: ui.FRM_ZEBCommutazione_AggiornaSelezioni(); break;
            case SCHEDA_SENSORI: ui.FRM_ZEBSensori_AggiornaSelezioni(); break;
            case SCHEDA_GESTIONE: ui.FRM_ZEBGestione_AggiornaSelezioni(); break;
            case SCHEDA_INJDIR: ui.FRM_ZEBinjDir_AggiornaSelezioni(); break;
            default: break;
            }
        }
        if (Tra(c, {REQ_WRITE_BLK12, REQ_APPLY_SEQUENCE_NORMAL, REQ_APPLY_SEQUENCE_ANTICIPATED}))
            ApplicaOffline(12, ModBlck::ModificheBlocco12, 0x44);
        if (c == REQ_WRITE_BLK14) ApplicaOffline(14, ModBlck::ModificheBlocco14, 0x62);
        if (Tra(c, {REQ_WRITE_BLK15, REQ_WRITE_BLK15_BLK16, REQ_APPLY_SEQUENCE_NORMAL, REQ_APPLY_SEQUENCE_ANTICIPATED}))
            ApplicaOffline(15, ModBlck::ModificheBlocco15, 0x6E);
        if (Tra(c, {REQ_WRITE_BLK16, REQ_WRITE_BLK15_BLK16, REQ_APPLY_SEQUENCE_NORMAL, REQ_APPLY_SEQUENCE_ANTICIPATED}))
            ApplicaOffline(16, ModBlck::ModificheBlocco16, 0x74);
        AzzeraDatiTempoReale();
        AbilitaTastiPaginaMappa(ModMain::PaginaCorrente);
        ModMain::RichiestaPendente = 0;
    }
    if (ModMain::ApriLoggerRichiesto == 1) {
        if (!ModMain::ConfigurazioneLoggerInAttesa.empty()) {
            // The log's configuration first, once the slot is free; the log on a later tick.
            if (ModMain::RichiestaPendente == 0) {
                ModMain::PercorsoCaricamento = ModMain::ConfigurazioneLoggerInAttesa;
                ModMain::ConfigurazioneLoggerInAttesa.clear();
                ModMain::RichiestaPendente = REQ_LOAD_CONFIG_FILE;
            }
        } else {
            ui.FrmLogger_ApriFileLogger();
            ModMain::ApriLoggerRichiesto = 0;
        }
    }
}

void Timer1_Timer() {
    if (Timer1Attivo == 1) return;
    // While the flash is being programmed the link belongs to the firmware
    // page: link loss, reconnect and exit wait until the sequence has ended.
    if (ModMain::ProgrammazioneFirmwareInCorso) return;
    Timer1Attivo = 1;
    auto& ui = Interfaccia();

    if (ModMain::RiconnessioneRichiesta == 1) {
        ModMain::RiconnessioneRichiesta = 0;
        ui.ImpostaTitolo(TitoloConnesso());
        ModMain::StatoConnessione = STATO_RICERCA;
        ConnettiCentralina();
        ui.ImpostaTitolo(TitoloConnesso());
        if (ModMain::LineaPersa != 1) VerificaVersioneFirmware(ModMain::FirmwareFile, Blocco(0).UltimaRisposta);
        if (ModMain::RipristinoTaratura == -1.0) {
            ModMain::RipristinoTaratura = 0.0;
            if (ModMain::StatoConnessione == STATO_CONNESSO) ui.RipristinaDatiTaratura();
        }
    }

    if (ModMain::LineaPersa == 1) {
        ModMain::LineaPersa = 0;
        ModMain::StatoConnessione = STATO_OFFLINE;
        std::string risposta;
        ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x02'), ModBlck::AttesaPipe, risposta);
        ui.ImpostaTitolo(TitoloLineaPersa());
        AzzeraDatiTempoReale();
        if (ModMain::PrimoAvvio == 1) {
            ModMain::PrimoAvvio = 0;
            ModMain::PercorsoCaricamento = ModMain::PercorsoConfigDefault;
            ModMain::RichiediOperazione(REQ_LOAD_CONFIG_FILE, true);
            ModMain::NomeConfigurazione.clear();
        }
        CopiaBlocco3 = Blocco(3);
        ModMain::RipristinoTaratura = 0.0;
    }

    if (ModMain::AvvioTaratura == 1) {
        ModMain::AvvioTaratura = 0;
        // Only a connected, idle link is handed to the calibration: never a
        // search, an offline session or a firmware update. A dropped start
        // gives back the window and the menus that Start locked.
        if (ModMain::StatoConnessione == STATO_CONNESSO) ModMain::StatoConnessione = STATO_TARATURA;
        else ui.TaraturaNonAvviata();
    }

    if (ModMain::AggiornamentoFirmware == 1) {
        ModMain::AggiornamentoFirmware = 0;
        ui.ImpostaPuntatoreAttesa(true);
        // All three run, in this order: the preparation reads the ECU again.
        const bool famiglia0 = ModMain::FirmaHardware[0] == Blocco(0).UltimaRisposta;
        const bool pronta = ModMain::PreparaAggiornamentoEcu();
        const bool famiglia1 = ModMain::FirmaHardware[1] == Blocco(0).UltimaRisposta;
        if (famiglia0 || pronta || famiglia1) {
            ModMain::StatoConnessione = STATO_FIRMWARE;
            ui.FrmFirmware_ImpostaPulsanti(true, false);
            ui.AbilitaTimerVisualizzazione(false);
            const int16_t offset = ui.FrmFirmware_OffsetLingua();
            ui.FrmFirmware_MostraMessaggio(ModMain::TestoVoce(static_cast<int16_t>(offset + VoceFirmwarePronto1)) +
                                           "\r\n\r\n" +
                                           ModMain::TestoVoce(static_cast<int16_t>(offset + VoceFirmwarePronto2)));
        }
        ui.ImpostaPuntatoreAttesa(false);
    } else if (ModMain::AggiornamentoFirmware == 2) {
        ModMain::AggiornamentoFirmware = 0;
        ModMain::RiconnessioneRichiesta = 1;
        ui.FrmFirmware_ImpostaPulsanti(false, true);
        ui.AbilitaTimerVisualizzazione(true);
    }

    if (ModMain::UscitaRichiesta == 1) {
        ModMain::StatoConnessione = STATO_USCITA;
        ui.ScaricaFinestraPrincipale();
    }

    switch (ModMain::StatoConnessione) {
    case STATO_CONNESSO:
        if (ModMain::RichiestaPendente != 0) {
            ModMain::StatoConnessione = STATO_ESECUZIONE;
            ui.ImpostaPuntatoreAttesa(true);
            EseguiRichiesta();
            ModMain::StatoConnessione = STATO_CONNESSO;
            ui.ImpostaPuntatoreAttesa(false);
        } else {
            LeggiTempoReale();
        }
        break;
    case STATO_TARATURA:
        ui.EseguiTaratura();
        // The runner hands the link back itself; without one nothing runs.
        if (ModMain::StatoConnessione == STATO_TARATURA) ModMain::StatoConnessione = STATO_CONNESSO;
        break;
    case STATO_OFFLINE:
        GestioneOffline();
        break;
    default:
        break;
    }

    Timer1Attivo = 0;
}

} // namespace MDIFrm
