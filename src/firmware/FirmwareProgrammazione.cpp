#include "firmware/FirmwareProgrammazione.h"

#include <array>

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainImmagineFirmware.h"
#include "engine/ModMainRichieste.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "config/ModMainFirmware.h"
#include "firmware/FirmwareConversioni.h"
#include "link/ModBlckTrame.h"
#include "link/ModPipe.h"

namespace FirmwareProgrammazione {

namespace {

constexpr double PassoBarraUs = 20'000;
constexpr double PassoLampeggioUs = 100'000;
constexpr int32_t LarghezzaIniziale = 45;
constexpr int32_t PassoLarghezza = 15;

// Entries after the page's section marker.
enum : int16_t {
    VoceSalvataggio = 8, VoceIngresso = 9, VoceCancellazione = 10, VoceScrittura = 11, VoceScritturaFinita = 12,
    VoceRiavvio = 13, VoceErroreLettura1 = 15, VoceErroreLettura2 = 16, VoceErroreProg1 = 17, VoceErroreProg2 = 18,
    VoceErroreRecord1 = 19, VoceErroreRecord2 = 20, VoceFatto = 21, VoceImmagineVuota = 6, VoceNonFirmware = 30,
};

std::string Voce(int16_t p, int16_t n) { return ModMain::TestoVoce(static_cast<int16_t>(p + n)); }

// One transaction: a reply came and the companion reports the ECU link good.
bool Transazione(int32_t codice, const std::string& dati, int32_t attesa) {
    std::string risposta;
    return ModPipe::InviaComandoPipe(codice, dati, attesa, risposta) == 0 && ModPipe::StatoRisposta == 1;
}

bool Trama(uint8_t comando, const std::string& dati, int32_t attesa) {
    return Transazione(PIPE_ECU_FRAME,
                       ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, comando, dati), attesa);
}

bool AttesaLunga() {
    return Transazione(PIPE_SET_ECU_WAIT,
                       FirmwareConversioni::PayloadAttesa(FirmwareConversioni::AttesaLungaMs(
                           ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa)),
                       ModBlck::AttesaPipe);
}

bool AttesaNormale() {
    return Transazione(PIPE_SET_ECU_WAIT,
                       FirmwareConversioni::PayloadAttesa(FirmwareConversioni::AttesaNormaleMs(ModBlck::AttesaGlobale)),
                       ModBlck::AttesaPipe);
}

void PassiBarra(VistaProgrammazione& v, int32_t& larghezza) {
    for (int i = 0; i < 6; ++i) {
        larghezza += PassoLarghezza;
        v.Barra(larghezza, true);
        ModGlobFunct::AttendiMicrosecondi(PassoBarraUs);
    }
}

void Lampeggia(VistaProgrammazione& v, int32_t larghezza, int volte) {
    bool visibile = true;
    for (int i = 0; i < volte; ++i) {
        visibile = !visibile;
        v.Barra(larghezza, visibile);
        ModGlobFunct::AttendiMicrosecondi(PassoLampeggioUs);
    }
    v.Barra(larghezza, true);
}

bool Salva(const std::string& percorso) {
    return SalvaConfigurazione ? SalvaConfigurazione(percorso) : ModMain::SalvaConfigurazioneDaEcu(percorso);
}

bool Carica(const std::string& percorso) {
    return CaricaConfigurazione ? CaricaConfigurazione(percorso) : ModMain::CaricaConfigurazioneInEcu(percorso);
}

// The sequence proper; `larghezza` follows the bar.
int32_t Sequenza(VistaProgrammazione& v, int16_t p) {
    if (!ModMain::ImmagineFirmwareLetta) return ESITO_IMMAGINE_NON_LETTA;
    auto& blocco5 = TabellaBlocchi.at(5);
    const std::string ecu = TabellaBlocchi.at(0).UltimaRisposta;
    const std::string& firma = ModMain::FirmaHardware[ModMain::VarianteHardware == 1 ? 1 : 0];
    const bool cambio = FirmwareConversioni::CambioRelease(ecu, ModMain::FirmwareFile, firma);
    int32_t larghezza = LarghezzaIniziale;
    v.Fase(Voce(p, VoceSalvataggio));
    v.Barra(larghezza, true);

    // 3. 4. The ECU record and, within the same release, the configuration.
    const bool letto = Transazione(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(blocco5.TramaRichiesta),
                                   ModBlck::AttesaPipe);
    blocco5.UltimaRisposta = letto ? ModPipe::DatiRispostaPipe
                                   : ModGlobFunct::ConvertiHexInTesto(std::string(RispostaBlocco5Sostitutiva));
    ModBlck::DecodificaBlocco(blocco5.UltimaRisposta, blocco5);
    if (!letto) return ESITO_LETTURA_CONFIGURAZIONE;
    if (!cambio && !Salva(ModMain::PercorsoConfigUp)) return ESITO_LETTURA_CONFIGURAZIONE;

    // 5. to 9.
    v.Fase(Voce(p, VoceIngresso));
    if (!AttesaLunga()) return ESITO_LETTURA_CONFIGURAZIONE;
    PassiBarra(v, larghezza);
    if (!Trama(CMD_PROG_ENTER, "", ModBlck::AttesaPipe)) return ESITO_INGRESSO;
    v.Fase(Voce(p, VoceCancellazione));
    PassiBarra(v, larghezza);
    if (!EraseAllFlash(v, p)) return ESITO_CANCELLAZIONE;
    if (!AttesaNormale()) return ESITO_ATTESA_DOPO_CANCELLAZIONE;

    // 10. 11. Writing; the bar blinks after it whatever the outcome.
    v.Fase(Voce(p, VoceScrittura));
    int32_t esito = ESITO_OK;
    const int32_t inizio = ModMain::SettoriFlash[0].Inizio;
    const int32_t lunghezza = ModMain::LunghezzaImmagine;
    for (int64_t scostamento = 0; scostamento <= lunghezza; scostamento += 128) {
        if (WriteMemoryToTab(static_cast<int32_t>(inizio + scostamento)) == "%KO") {
            esito = ESITO_SCRITTURA;
            break;
        }
        if (lunghezza > 0)
            larghezza = static_cast<int32_t>(static_cast<double>(v.LarghezzaEtichetta() - 90) / lunghezza * scostamento);
        v.Barra(larghezza, true);
    }
    v.Fase(Voce(p, VoceScritturaFinita));
    Lampeggia(v, larghezza, 10);
    if (esito != ESITO_OK) return esito;

    // 12. to 15. Restart into the new firmware.
    if (!AttesaLunga()) return ESITO_ATTESA_DOPO_SCRITTURA;
    if (!Trama(CMD_PROG_RESTART, "", ModBlck::AttesaPipe)) return ESITO_CANCELLAZIONE;
    if (!AttesaNormale()) return ESITO_ATTESA_DOPO_RIAVVIO;
    Lampeggia(v, larghezza, 130);
    v.Fase(Voce(p, VoceRiavvio));
    v.Barra(LarghezzaIniziale, true);

    // 16. The ECU record back: the reply's data bytes.
    const std::string& r = blocco5.UltimaRisposta;
    const std::string dati = r.size() > 6 ? r.substr(5, r.size() - 6) : std::string();
    if (!Trama(CMD_WRITE_BLK5, dati, ModBlck::AttesaPipe)) esito = ESITO_RECORD_ECU;

    // 17. The configuration back; the slot is set for the complete load and
    // emptied at once, so no request 18 runs later on an empty path.
    const std::string percorso = cambio ? ModMain::PercorsoConfigDefault : ModMain::PercorsoConfigUp;
    if (!cambio || ModGlobFunct::EsisteFile(percorso)) {
        ModMain::RichiestaPendente = REQ_LOAD_CONFIG_FILE;
        Carica(percorso);
        ModMain::RichiestaPendente = 0;
    }
    return esito;
}

} // namespace

int32_t Programma(VistaProgrammazione& vista, int16_t p) {
    ModMain::ProgrammazioneFirmwareInCorso = true;
    const int32_t esito = Sequenza(vista, p);
    ModMain::ProgrammazioneFirmwareInCorso = false;
    return esito;
}

bool EraseAllFlash(VistaProgrammazione& vista, int16_t p) {
    const auto indirizzi = ModMain::ElencoIndirizziS2(ModMain::FileFirmwareScelto);
    std::array<bool, 14> marcati{};
    for (const std::string& a : indirizzi) {
        if (a.empty()) {
            vista.AvvisoImmagineVuota(Voce(p, VoceImmagineVuota));
            return false;
        }
        const auto v = ModMain::ValoreEsadecimale(a);
        if (!v) continue;
        for (size_t r = 0; r < marcati.size(); ++r) {
            const auto& s = ModMain::SettoriFlash[r];
            if (s.Inizio <= *v && *v <= s.Fine) {
                marcati[r] = true;
                break;
            }
        }
    }
    bool qualcuno = false;
    for (const bool m : marcati) qualcuno = qualcuno || m;
    if (!qualcuno) return false;
    return Trama(CMD_PROG_ERASE, "", 2 * ModBlck::AttesaPipe);
}

std::string WriteMemoryToTab(int32_t indirizzo) {
    const int64_t i0 = static_cast<int64_t>(indirizzo) - ModMain::SettoriFlash[0].Inizio;
    const std::string blocco = FirmwareConversioni::BloccoImmagine(ModMain::DatiFirmware, i0);
    if (FirmwareConversioni::BloccoCancellato(blocco)) return "%OK";
    return Transazione(PIPE_ECU_FRAME, FirmwareConversioni::TramaScritturaFlash(indirizzo, blocco), ModBlck::AttesaPipe)
               ? "%OK"
               : "%KO";
}

std::string MessaggioEsito(int32_t esito, int16_t p) {
    const std::string crlf = "\r\n";
    switch (esito) {
    case ESITO_OK: return crlf + Voce(p, VoceFatto);
    case ESITO_IMMAGINE_NON_LETTA: return crlf + Voce(p, VoceNonFirmware) + crlf + Voce(p, VoceErroreLettura2);
    case ESITO_LETTURA_CONFIGURAZIONE:
    case ESITO_ATTESA_DOPO_RIAVVIO: return crlf + Voce(p, VoceErroreLettura1) + crlf + Voce(p, VoceErroreLettura2);
    case ESITO_RECORD_ECU: return crlf + Voce(p, VoceErroreRecord1) + crlf + Voce(p, VoceErroreRecord2);
    default: return crlf + Voce(p, VoceErroreProg1) + crlf + Voce(p, VoceErroreProg2);
    }
}

} // namespace FirmwareProgrammazione
