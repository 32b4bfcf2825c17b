// The connect procedure: port search, ECU recognition and the initial download.
#include <array>
#include <vector>

#include "core/Applicazione.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "core/ModRetta.h"
#include "engine/MDIFrmMem10.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "engine/ModMainImmagineFirmware.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainPorte.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

namespace ModMain {

std::string PrimiN(const std::string& s, size_t k) { return s.substr(0, std::min(k, s.size())); }

std::string UltimiN(const std::string& s, size_t k) { return s.size() <= k ? s : s.substr(s.size() - k); }

std::string ChiaveCodaCorta(const std::string& s) { return PrimiN(UltimiN(s, 57), 29); }

std::string ChiaveCoda(const std::string& s) { return ChiaveCodaCorta(s) + PrimiN(UltimiN(s, 15), 14); }

} // namespace ModMain

namespace MDIFrm {

namespace {

constexpr int16_t VoceTitolo = 0;
constexpr int16_t VoceCom = 45;
constexpr int16_t VoceUsb = 46;
constexpr int16_t VoceRicerca = 48;
constexpr int16_t VoceRipristinoPorta = 49;
constexpr int16_t VoceScaricato = 56;
constexpr int16_t VoceNonRiconosciuta1 = 71;
constexpr int16_t VoceNonRiconosciuta2 = 72;
constexpr int16_t VoceBloccoSenzaRisposta = 825;
constexpr int16_t VoceDatiSenzaRisposta = 826;

constexpr double PausaRipristinoUs = 500'000;
// Attempts on one port that may end without a well-formed identification, and
// downloads on it that may fail, before the search gives up on that device: a
// reply lost once is asked for again, one that never comes ends the search.
constexpr int16_t TentativiPerPorta = 3;
// The failed download step was no block read (vectors, tables).
constexpr int32_t NessunBlocco = -1;
// Result of a download read that brought no reply to its request, as the transfers count it.
constexpr int32_t RispostaMancante = 3;
constexpr double PassoLampeggioUs = 100'000;

BloccoParametri& Blocco(size_t n) { return ModBlck::BloccoDefinito(n); }

void ImpostaValore(size_t blocco, size_t k, int32_t v) {
    if (blocco >= TabellaBlocchi.size()) return;
    auto& valori = Blocco(blocco).Valori;
    if (k < valori.size()) valori[k] = v;
}

int32_t LeggiValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& valori = Blocco(blocco).Valori;
    return k < valori.size() ? valori[k] : 0;
}

int32_t Invia(int32_t codice, const std::string& dati, std::string& pacchetto) {
    return ModPipe::InviaComandoPipe(codice, dati, ModBlck::AttesaPipe, pacchetto);
}

int32_t Invia(int32_t codice, const std::string& dati) {
    std::string pacchetto;
    return Invia(codice, dati, pacchetto);
}

std::string Byte(int32_t v) { return std::string(1, static_cast<char>(v & 0xFF)); }

void MessaggioNonRiconosciuta(bool conTitolo) {
    const QString testo = Piattaforma::TestoDaCharset(
        ModMain::TestoVoce(VoceNonRiconosciuta1) + "\r\n\r\n" + ModMain::TestoVoce(VoceNonRiconosciuta2),
        ModMain::CharsetCorrente());
    const QString titolo = conTitolo
                               ? Piattaforma::TestoDaCharset(ModMain::TestoVoce(VoceTitolo), ModMain::CharsetCorrente())
                               : QString::fromLatin1(Applicazione::TitoloApplicazione);
    Piattaforma::MostraMessaggio(testo, titolo, Piattaforma::IconaMessaggio::Nessuna, Piattaforma::PulsantiMessaggio::Ok);
}

// The search stops on a download the ECU keeps failing: the message names the
// block whose read brought no good reply.
void MessaggioDownloadFallito(int32_t blocco) {
    const std::string testo = blocco == NessunBlocco ? ModMain::TestoVoce(VoceDatiSenzaRisposta)
                                                     : ModMain::TestoVoce(VoceBloccoSenzaRisposta) + " " +
                                                           std::to_string(blocco) + ".";
    Piattaforma::MostraMessaggio(Piattaforma::TestoDaCharset(testo, ModMain::CharsetCorrente()),
                                 Piattaforma::TestoDaCharset(ModMain::TestoVoce(VoceTitolo), ModMain::CharsetCorrente()),
                                 Piattaforma::IconaMessaggio::Esclamazione, Piattaforma::PulsantiMessaggio::Ok);
}

// Boot state: the ECU can only be reprogrammed; live values at rest.
void FermaDatiBoot() {
    ImpostaValore(1, 37, 0);
    ImpostaValore(1, 32, 0);
}

// What the first-list walk decided.
enum class EsitoPrimaLista { Nessuno, BootA, BootB, Rifiuto };

EsitoPrimaLista RiconosciPrimaLista(const std::string& pacchetto, bool& parziale, size_t& indice) {
    parziale = false;
    const auto& elenco = ModBlck::ElencoFirmwareTipo1;
    const auto& numeri = ModBlck::NumeriFirmwareTipo1;
    const std::string& firma1 = ModMain::FirmaHardware[1];
    for (size_t k = 0; k < elenco.size(); ++k) {
        const int32_t numero = k < numeri.size() ? numeri[k] : 0;
        if (numero == 0) {
            if (ModMain::ChiaveCodaCorta(pacchetto) == ModMain::ChiaveCodaCorta(elenco[k])) parziale = true;
            if (ModMain::ChiaveCoda(pacchetto) == ModMain::ChiaveCoda(elenco[k])) {
                indice = k;
                return EsitoPrimaLista::BootA;
            }
        } else {
            const std::string r = ModMain::UltimiN(pacchetto, 6);
            if (r == firma1) return EsitoPrimaLista::BootB;
            if (ModMain::PrimiN(r, 4) == ModMain::PrimiN(firma1, 4)) return EsitoPrimaLista::Rifiuto;
        }
    }
    return EsitoPrimaLista::Nessuno;
}

// Second-list walk on the identification reply packet; true when an entry matches.
bool RiconosciSecondaLista(const std::string& pacchetto) {
    const auto& elenco = ModBlck::ElencoFirmwareAltri;
    const auto& numeri = ModBlck::NumeriFirmwareAltri;
    for (size_t k = 0; k < elenco.size(); ++k) {
        const int32_t numero = k < numeri.size() ? numeri[k] : 0;
        if (numero == 0) {
            if (ModMain::ChiaveCoda(pacchetto) == ModMain::ChiaveCoda(elenco[k])) {
                ModMain::VarianteHardware = 0;
                ModMain::FileFirmwareScelto = ModMain::PercorsoFirmwareNuovoHw;
                return true;
            }
        } else if (ModMain::UltimiN(ModMain::PrimiN(pacchetto, 41), 22) ==
                   ModMain::UltimiN(ModMain::PrimiN(elenco[k], 33), 22)) {
            // The packet carries the frame behind its 8-byte header: frame bytes 12-33 on both sides.
            ModMain::VarianteHardware = 1;
            ModMain::FileFirmwareScelto = ModMain::PercorsoFirmwareVecchioHw;
            return true;
        }
    }
    return false;
}

// One block read of the download: its reply payload kept for the decode phase.
// A read that brought no reply to this block's request (the ECU did not
// answer, or a late reply to another request came) fails the download, so
// that no block is decoded from nothing or from another block's reply; a
// capability probe (`sonda`) judges its reply itself.
void LeggiBloccoDownload(size_t n, int32_t& esito, std::array<std::string, 22>& risposte, bool sonda = false) {
    if (esito != 0 || n >= TabellaBlocchi.size() || n >= risposte.size()) return;
    std::string pacchetto;
    const std::string richiesta = ModGlobFunct::ConvertiHexInTesto(Blocco(n).TramaRichiesta);
    esito = Invia(PIPE_ECU_FRAME, richiesta, pacchetto);
    if (esito != 0) return;
    if (!sonda && !ModBlck::RispostaDellaRichiesta(richiesta)) {
        esito = RispostaMancante;
        return;
    }
    risposte[n] = ModPipe::DatiRispostaPipe;
}

void DecodificaDownload(size_t n, const std::array<std::string, 22>& risposte) {
    if (n >= TabellaBlocchi.size()) return;
    Blocco(n).UltimaRisposta = risposte[n];
    ModBlck::DecodificaBlocco(Blocco(n).UltimaRisposta, Blocco(n));
}

// The map editor shown gets the axes and the maps just read: a grid left
// showing the old values would be written back over the ECU's by its next edit.
void AssiPaginaCorrente() {
    auto& ui = Interfaccia();
    auto editor = [&ui](int k) {
        ui.FrmMatrix_CaricaAssiInMatrice(k);
        ui.FrmMatrix_CaricaMatriceInGriglia(k);
        ui.FrmMatrix_ColoraMatriceGradiente(k);
    };
    auto carburazione = [&ui](int k) {
        ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(k);
        ui.FRM_ZEBCarburazione_CaricaMatriceInGriglia(k);
        ui.FRM_ZEBCarburazione_ColoraMatriceGradiente2(k);
    };
    switch (ModMain::PaginaCorrente) {
    case SCHEDA_MAPPA: editor(0); break;
    case SCHEDA_CARBURAZIONE: carburazione(0); break;
    case SCHEDA_MAPPA_1: editor(1); break;
    case SCHEDA_CARBURAZIONE_1: carburazione(1); break;
    case SCHEDA_MAPPA_2: editor(2); break;
    case SCHEDA_CARBURAZIONE_2: carburazione(2); break;
    default: break;
    }
}

// The initial download, from the identification request's result. Reads
// everything first; only when every read worked are the replies decoded and
// the link connected. A map whose read failed keeps the contents in memory.
// On a failure `bloccoFallito` names the block whose read failed (NessunBlocco
// for the vectors and tables).
int32_t ScaricaCentralina(int32_t esito, const std::string& rispostaIdentificazione, int32_t numeroCom,
                          int32_t& bloccoFallito) {
    auto& ui = Interfaccia();
    std::array<std::string, 22> risposte;
    bloccoFallito = NessunBlocco;
    auto leggi = [&](size_t n) {
        LeggiBloccoDownload(n, esito, risposte);
        if (esito != 0 && bloccoFallito == NessunBlocco) bloccoFallito = static_cast<int32_t>(n);
    };
    PaginaMappa mappa0{}, mappaAdat{}, mappaMape{};
    TabellaSoglie soglie{};
    bool mappa0Letta = false, adatLetta = false, mapeLetta = false;
    // An optional read the ECU refuses or answers short keeps what memory holds.
    ModBlck::VettoreGiri vettore1 = ModBlck::VettoreRpm;
    ModBlck::VettoreTempi vettore2 = ModBlck::VettoreTinj;

    if (esito == 0) {
        const std::string& r = rispostaIdentificazione;
        Blocco(0).UltimaRisposta = r.size() > 6 ? r.substr(5, r.size() - 6) : std::string();
        leggi(1);
    }
    for (size_t n : {2, 3, 5, 6, 7, 8, 9, 17, 13}) leggi(n);
    if (esito == 0) mappa0Letta = ModBlck::LeggiMappaEcu(mappa0, soglie) == 0;
    if (esito == 0) adatLetta = ModBlck::LeggiMappaAdat(mappaAdat) == 0;
    if (esito == 0) mapeLetta = ModBlck::LeggiMappaMape(mappaMape) == 0;
    for (size_t n : {11, 12, 14, 15, 16, 4, 10}) leggi(n);
    if (esito == 0) {
        bool rifiutata = false;
        const int32_t r = ModBlck::LeggiScriviVettori(vettore1, vettore2, 0, &rifiutata);
        if (r != 0 && !rifiutata) esito = r;
    }
    if (esito == 0)
        esito = ModBlck::LeggiTabelleMappetta(ModBlck::DatiGrezzi1B, ModBlck::DatiGrezzi1C, ModBlck::DatiGrezzi20,
                                              ModBlck::DatiGrezzi1F, true);

    // Capability probes: the flag is set when the ECU answers with result 0 and the expected command.
    auto sonda = [&](size_t blocco, uint8_t comandoAtteso) {
        LeggiBloccoDownload(blocco, esito, risposte, true);
        if (esito != 0) {
            bloccoFallito = static_cast<int32_t>(blocco);
            return false;
        }
        std::vector<uint8_t> b;
        ModGlobFunct::ConvertiTestoInByte(ModPipe::DatiRispostaPipe, b);
        if (ModPipe::StatoRisposta == 0) {
            // The ECU fell silent: the port is opened again and the capability counts as absent.
            esito = Invia(PIPE_OPEN_PORT, Byte(numeroCom));
            if (esito != 0) bloccoFallito = static_cast<int32_t>(blocco);
            return false;
        }
        return ModBlck::RispostaDellaRichiesta(ModGlobFunct::ConvertiHexInTesto(Blocco(blocco).TramaRichiesta)) &&
               b.size() > 4 && b[4] == 0 && b[3] == comandoAtteso;
    };
    ModMain::FunzioneEstesaEcu = 0;
    if (esito == 0 && sonda(18, 0x51)) ModMain::FunzioneEstesaEcu = -1;
    ModMain::AbilitaNuovaObd = false;
    if (esito == 0) ModMain::AbilitaNuovaObd = sonda(19, 0x9B);
    if (esito == 0 && ModMain::AbilitaNuovaObd) leggi(20);
    ModMain::Mem10Disponibile = false;
    if (esito == 0) ModMain::Mem10Disponibile = sonda(21, 0x9E);
    if (esito == 0 && ModMain::Mem10Disponibile) leggi(21);
    if (esito != 0) return esito;

    for (size_t n : {1, 2, 3, 5, 6, 7, 8, 9, 17, 13, 11, 12, 14}) DecodificaDownload(n, risposte);
    if (ModMain::FunzioneEstesaEcu != 0) DecodificaDownload(18, risposte);
    if (ModMain::AbilitaNuovaObd) {
        DecodificaDownload(19, risposte);
        DecodificaDownload(20, risposte);
    }
    if (ModMain::Mem10Disponibile) DecodificaDownload(21, risposte);
    Interfaccia().LeggiNomeConfigurazione(ModMain::NomeConfigurazione, ModMain::NotaConfigurazione);
    ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(LeggiValore(3, 1), LeggiValore(3, 0));
    if (ModMain::AggiornaPassoCarico) ModMain::AggiornaPassoCarico();
    for (size_t n : {15, 16, 4, 10}) DecodificaDownload(n, risposte);

    if (mappa0Letta) {
        ModBlck::CopiaMappa(mappa0, ModMain::MappaPagina0);
        ModMain::AllineaUndoPagina(0);
        ModMain::MatSoglie = soglie;
        ModMain::MappaTaratura = soglie;
        ModRetta::EstraiCurvaDaMappa(mappa0, ModRetta::CurvaCorrezione);
    }
    if (adatLetta) {
        ModBlck::CopiaMappa(mappaAdat, ModMain::MappaPagina1);
        ModMain::AllineaUndoPagina(1);
    }
    if (mapeLetta) {
        ModBlck::CopiaMappa(mappaMape, ModMain::MappaPagina2);
        ModMain::AllineaUndoPagina(2);
    }
    ModBlck::VettoreRpm = vettore1;
    ModBlck::VettoreTinj = vettore2;
    MDIFrm::Interfaccia().CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                             ModMain::AsseTinjLavoro, true);
    AssiPaginaCorrente();

    // The full bar blinks for one second.
    ui.FRM_ZEBPortSearch_ImpostaMessaggio(ModMain::TestoVoce(VoceScaricato));
    ui.FRM_ZEBPortSearch_AbilitaTMR(false);
    ui.FRM_ZEBPortSearch_BarraPiena();
    bool barraVisibile = true;
    for (int i = 0; i < 10; ++i) {
        barraVisibile = !barraVisibile;
        ui.FRM_ZEBPortSearch_BarraVisibile(barraVisibile);
        ModGlobFunct::AttendiMicrosecondi(PassoLampeggioUs);
    }

    ModMain::UnitaRpm = (LeggiValore(3, 33) & 0x40) ? 128 : 64;
    ui.FRM_ZEBPortSearch_ImpostaMessaggio(ModMain::TestoVoce(VoceRicerca));
    ModMain::StatoConnessione = STATO_CONNESSO;
    ModMain::PrimoAvvio = 0;
    ui.MDIForm_Resize();
    ui.FRM_ZEBCommutazione_RiempiCmbSwtch();
    ui.FRM_ZEBCommutazione_AggiornaSelezioni();
    return 0;
}

} // namespace

void ConnettiCentralina() {
    if (ModMain::UscitaRichiesta == 1) return;
    auto& ui = Interfaccia();

    ui.ImpostaPuntatoreAttesa(true);
    ui.FrmCommutatore_Mostra(false);
    ui.FRM_ZEBPortSearch_Mostra(true);
    ui.FRM_ZEBPortSearch_AbilitaTMR(true);
    ui.FRM_ZEBDashBoard_Mostra(false);
    ModMain::LineaPersa = 0;

    bool tuttePorte = true;
    int16_t fallimenti = 0;
    // On the candidate port: attempts without a well-formed identification, failed downloads.
    int16_t identificazioniMancate = 0;
    int16_t downloadFalliti = 0;
    int32_t comVoluto = 0;
    if (const auto ricordata = ModMain::LeggiPortaRicordata()) {
        comVoluto = *ricordata;
        tuttePorte = false;
    }

    Invia(PIPE_INIT, Byte(0));
    ModMain::ElencaPorteCom(ui.FRM_ZEBConnected_CMB_Seriali());

    size_t candidato = 0;
    bool trovato = false;
    for (size_t i = 0; i < ModMain::ListaPorte.size(); ++i)
        if (ModMain::ListaPorte[i].NumeroCom == comVoluto) {
            candidato = i;
            trovato = true;
            break;
        }
    if (!trovato) tuttePorte = true;

    Invia(PIPE_RESET_PORT, Byte(0));

    std::string sonde;
    for (size_t k = 0; k < ModBlck::ElencoFirmwareAltri.size(); ++k) {
        if (k > 0) sonde += "//";
        sonde += ModBlck::ElencoFirmwareAltri[k];
    }

    for (;;) {
        const int32_t com = ModMain::ListaPorte.at(candidato).NumeroCom;
        ui.FRM_ZEBPortSearch_AbilitaTMR(true);
        ui.FRM_ZEBPortSearch_ImpostaMessaggio(
            ModMain::TestoVoce(VoceRicerca) +
            (com != 0 ? ModMain::TestoVoce(VoceCom) + std::to_string(com) : ModMain::TestoVoce(VoceUsb)));

        Invia(PIPE_PROBE_LIST, sonde);
        std::string pacchetto;
        int32_t esito = Invia(PIPE_OPEN_PORT, Byte(com), pacchetto);

        bool parziale = false;
        size_t indice = 0;
        const EsitoPrimaLista prima = RiconosciPrimaLista(pacchetto, parziale, indice);
        if (prima == EsitoPrimaLista::BootA) {
            ModMain::FirmaHardware[0] = ModBlck::ElencoFirmwareTipo1[indice];
            ModMain::VarianteHardware = 0;
            ModMain::FileFirmwareScelto = ModMain::PercorsoFirmwareNuovoHw;
            Blocco(0).UltimaRisposta = ModMain::FirmaHardware[0];
            FermaDatiBoot();
            Invia(PIPE_SET_MODE, Byte(2));
            break;
        }
        if (prima == EsitoPrimaLista::BootB) {
            // The reference frame of the old family: its image, whatever an
            // earlier connect had found, so that the right firmware is offered.
            ModMain::VarianteHardware = 1;
            ModMain::FileFirmwareScelto = ModMain::PercorsoFirmwareVecchioHw;
            Blocco(0).UltimaRisposta = ModMain::FirmaHardware[1];
            FermaDatiBoot();
            break;
        }
        if (prima == EsitoPrimaLista::Rifiuto) {
            MessaggioNonRiconosciuta(true);
            ModMain::UscitaRichiesta = 1;
            break;
        }
        if (parziale) {
            MessaggioNonRiconosciuta(false);
            ModMain::UscitaRichiesta = 1;
            break;
        }
        if (ModMain::LineaPersa == 1 || ModMain::UscitaRichiesta == 1) break;

        if (esito == 0 && ModPipe::StatoRisposta == 1) {
            // Answered but not recognised at once: reset the port and ask for the identification.
            ui.FRM_ZEBPortSearch_ImpostaMessaggio(ModMain::TestoVoce(VoceRipristinoPorta));
            esito = Invia(PIPE_RESET_PORT, Byte(0), pacchetto);
            ModGlobFunct::AttendiMicrosecondi(PausaRipristinoUs);
            const std::string identificazione = ModGlobFunct::ConvertiHexInTesto(Blocco(0).TramaRichiesta);
            if (esito == 0) esito = Invia(PIPE_ECU_FRAME, identificazione, pacchetto);
            if (esito == 4) break; // time-out: the pipe layer raised the link-lost and exit flags
            // A garbled reply, or one the line lost or damaged, says nothing about
            // the device: only a well-formed one names the ECU. It is asked for
            // again a few times; a device that never gives one is not recognised.
            if (esito != 0 || !ModBlck::RispostaDellaRichiesta(identificazione)) {
                if (ModMain::LineaPersa == 1 || ++identificazioniMancate < TentativiPerPorta) continue;
                MessaggioNonRiconosciuta(true);
                ModMain::UscitaRichiesta = 1;
                break;
            }
            if (RiconosciSecondaLista(pacchetto)) {
                ModMain::FirmwareFile = ModMain::LeggiInfoFirmwareImmagine(ModMain::FileFirmwareScelto);
                int32_t bloccoFallito = NessunBlocco;
                if (ScaricaCentralina(esito, ModPipe::DatiRispostaPipe, com, bloccoFallito) == 0) break;
                // A read lost once is done again with the whole download; a
                // block the ECU never answers stops the search as STOP would.
                if (ModMain::LineaPersa == 1 || ModMain::UscitaRichiesta == 1 ||
                    ++downloadFalliti < TentativiPerPorta)
                    continue;
                MessaggioDownloadFallito(bloccoFallito);
                ModMain::LineaPersa = 1;
                break;
            }
            MessaggioNonRiconosciuta(true);
            ModMain::UscitaRichiesta = 1;
            break;
        }

        // The port did not answer: next candidate.
        bool ricomincia = false;
        if (tuttePorte) {
            ricomincia = ++candidato >= ModMain::ListaPorte.size();
        } else {
            ricomincia = ++fallimenti > 5;
        }
        if (tuttePorte || ricomincia) identificazioniMancate = downloadFalliti = 0;
        if (ricomincia) {
            ModMain::ElencaPorteCom(ui.FRM_ZEBConnected_CMB_Seriali());
            tuttePorte = true;
            fallimenti = 0;
            candidato = 0;
        }
    }

    ModMain::FirmwareFile = ModMain::LeggiInfoFirmwareImmagine(ModMain::FileFirmwareScelto);
    ui.FRM_ZEBPortSearch_Mostra(false);
    ui.FRM_ZEBPortSearch_AbilitaTMR(false);
    ui.FRM_ZEBDashBoard_Mostra(true);
    ui.FrmCommutatore_Mostra(true);
    ui.SelezioneScheda(ModMain::PaginaCorrente);
    ui.FRM_ZEBConnected_ImpostaIndicePorta(static_cast<int32_t>(candidato));
    ui.AbilitaDisabilitaForm(true);
    ui.ImpostaPuntatoreAttesa(false);
}

} // namespace MDIFrm
