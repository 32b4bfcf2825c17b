#include "calibration/MDIFrmTaratura.h"

#include <filesystem>
#include <system_error>

#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include "calibration/ModTaratura.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "core/ModRetta.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ComandiPipe.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"

namespace ModTaratura {

void ScriviLog(const std::string& riga) {
    if (LogTaratura.is_open()) LogTaratura << riga << "\r\n" << std::flush;
}

namespace {

// The read of the runner's restore: the reply stored and decoded whenever the
// pipe result is 0, whatever the status.
void LeggiBloccoRipristino(size_t n) {
    if (n >= TabellaBlocchi.size()) return;
    BloccoParametri copia = TabellaBlocchi[n];
    if (ModBlck::LeggiBloccoEcu(n, copia, true) == 0) TabellaBlocchi[n] = std::move(copia);
}

bool ScriviCopiaTaratura(const BloccoParametri& copia, uint8_t comando) {
    return TrasferimentoRiuscito(ModBlck::ScriviBloccoEcu(copia, comando), ModPipe::StatoRisposta);
}

void RicalcolaTempoBlocco() {
    const auto& v = TabellaBlocchi.size() > 3 ? TabellaBlocchi[3].Valori : std::vector<int32_t>{};
    if (v.size() > 1) ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(v[1], v[0]);
}

bool CopiaPresente(const BloccoParametri& copia) { return !copia.TramaRichiesta.empty(); }

bool CopiePresenti() {
    return !CopiaBlocco2Taratura.TramaRichiesta.empty() && !CopiaBlocco3Taratura.TramaRichiesta.empty() &&
           !CopiaBlocco9Taratura.TramaRichiesta.empty();
}

int32_t ValoreBlocco(size_t n, size_t k) {
    if (n >= TabellaBlocchi.size() || k >= TabellaBlocchi[n].Valori.size()) return 0;
    return TabellaBlocchi[n].Valori[k];
}

} // namespace

void ScartaCopieTaratura() {
    for (auto* c : {&CopiaBlocco2Taratura, &CopiaBlocco3Taratura, &CopiaBlocco9Taratura, &CopiaBlocco15Taratura})
        c->TramaRichiesta.clear();
    MappaTarataScritta = false;
}

bool LeggiBloccoTaratura(size_t n) {
    if (n >= TabellaBlocchi.size()) return false;
    BloccoParametri copia = TabellaBlocchi[n];
    if (!TrasferimentoRiuscito(ModBlck::LeggiBloccoEcu(n, copia, true), ModPipe::StatoRisposta)) return false;
    TabellaBlocchi[n] = std::move(copia);
    return true;
}

bool ScriviBloccoTaratura(size_t n, uint8_t comando) {
    if (n >= TabellaBlocchi.size()) return false;
    return ScriviCopiaTaratura(TabellaBlocchi[n], comando);
}

int32_t& ValoreTaratura(size_t n, size_t k) {
    static int32_t nulla = 0;
    if (n >= TabellaBlocchi.size() || k >= TabellaBlocchi[n].Valori.size()) return nulla = 0;
    return TabellaBlocchi[n].Valori[k];
}

void ScriviRigaCampione(int32_t k, int32_t m, int32_t giri) {
    const double ms = Conv::ArrotondaPari(ModGlobFunct::LeggiMicrosecondi() / 1000.0);
    ScriviLog("#" + Conv::CStr(static_cast<int64_t>(ms)) + "#" + Conv::CStr(k) + "#" + Conv::CStr(m) + "#" +
              Conv::CStr(TBenzMin) + "#" + Conv::CStr(TBenzMax) + "#" + Conv::CStr(TGasCil) + "#" + Conv::CStr(giri) +
              "#" + Conv::CStr(ValoreTaratura(2, 6)));
}

std::string SecondiRimanenti(double fine) {
    return Conv::CStr(static_cast<int64_t>(Conv::ArrotondaPari((fine - ModGlobFunct::LeggiMicrosecondi()) / 1'000'000.0)));
}

std::string VoceTune(int32_t n) { return ModMain::TestoVoce(static_cast<int16_t>(Vista().OffsetLinguaTune() + n)); }

void MostraAvanzamento() {
    auto& v = Vista();
    v.LblCalStep(ModMain::TestoVoce(44) + " " + Conv::CStr(PercentualePasso(PassoTaratura)) + " %");
    v.PRG_Avanzamento(static_cast<float>(PassoTaratura));
}

std::string TestoEsito(int32_t codice) {
    switch (codice) {
    case ESITO_STOP: return VoceTune(7);
    case ESITO_GIRI_BASSI:
    case ESITO_MOTORE_FERMO: return VoceTune(15);
    case ESITO_TRASFERIMENTO: return VoceTune(12);
    case ESITO_TOLLERANZA: return VoceTune(7) + "\r\n\r\n" + VoceTune(13);
    case ESITO_CARBURANTE: return VoceTune(16);
    case ESITO_PRESSIONE_GAS: return VoceTune(46);
    case ESITO_PARAMETRI: return VoceTune(VoceParametriMancanti) + "\r\n" + ModMain::PercorsoParaTun;
    default: return {};
    }
}

} // namespace ModTaratura

namespace MDIFrm {

using namespace ModTaratura;

namespace {

void AbilitaMenu(bool abilitato) {
    auto& ui = Interfaccia();
    ui.FRM_ZEBMenuTop_Abilita(abilitato);
    ui.FRM_ZEBMenuTop2_Abilita(abilitato);
    ui.FRM_ZEBMenuTop3_Abilita(abilitato);
    ui.FrmCommutatore_Abilita(abilitato);
}

// Opens a fresh log after rotating the old ones; false when it cannot be opened.
bool ApriLogTaratura() {
    namespace fs = std::filesystem;
    const fs::path file(ModMain::PercorsoStatoTun);
    std::error_code e;
    fs::create_directories(file.parent_path(), e);
    // A failed copy loses an old log, never the run.
    RuotaLogTaratura(file.parent_path().string());
    if (LogTaratura.is_open()) LogTaratura.close();
    LogTaratura.clear();
    LogTaratura.open(file, std::ios::binary | std::ios::trunc);
    if (!LogTaratura.is_open()) return false;
    ScriviLog(TitoloConnesso() + " - " + TestoDataGenerale(QDateTime::currentDateTime(), QLocale::system()));
    ScriviLog("TEMP - " + Conv::CStr(ValoreBlocco(1, 42)) + "TEMP 1 - " + Conv::CStr(ValoreBlocco(1, 43)));
    return true;
}

void PassoN(int32_t n, int32_t& codice) {
    switch (n) {
    case 1: TaraturaPasso1(codice); break;
    case 2: TaraturaPasso2(codice); break;
    case 3: CampionaMinimo(codice); break;
    case 4: CampionaMassimo(codice); break;
    case 5: TaraIniettori(codice); break;
    case 6: TaraAlMinimo(codice); break;
    default: codice = ESITO_FATTO; break;
    }
}

// Item 4 of the run: the map views brought up to date after a complete run.
int32_t AggiornaMappeDopoTaratura() {
    auto& ui = Interfaccia();
    if (ModBlck::LeggiMappaEcu(ModMain::MappaPagina0, ModMain::MatSoglie) != 0) return ESITO_TRASFERIMENTO;
    const uint8_t byte15 = ModMain::MatSoglie[15];
    if (byte15 & 4) {
        ModRetta::EstraiCurvaDaMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
    } else {
        ui.FrmMatrix_CaricaMatriceInGriglia(0);
        ui.FRM_ZEBCarburazione_CaricaMatriceInGriglia(0);
    }
    if (ModPipe::StatoRisposta != 1) return ESITO_TRASFERIMENTO;
    AbilitaMenu(true);
    ui.SelezioneScheda((byte15 & 4) ? 6 : (byte15 & 8) ? 27 : 12);
    return ESITO_FATTO;
}

// Item 7: the saved blocks written back at once; no result is tested.
void RipristinoImmediato() {
    ModGlobFunct::AttendiMicrosecondi(750'000);
    LeggiBloccoRipristino(2);
    if (ValoreBlocco(2, 1) == 3 && TabellaBlocchi[2].Valori.size() > 0) TabellaBlocchi[2].Valori[0] = 0;
    ScriviBloccoTaratura(2, 0x10);
    ModGlobFunct::AttendiMicrosecondi(20'000);
    LeggiBloccoRipristino(2);
    ScriviCopiaTaratura(CopiaBlocco3Taratura, 0x11);
    ScriviCopiaTaratura(CopiaBlocco2Taratura, 0x10);
    ScriviCopiaTaratura(CopiaBlocco9Taratura, 0x7F);
    if (CopiaPresente(CopiaBlocco15Taratura)) ScriviCopiaTaratura(CopiaBlocco15Taratura, 0x6F);
    RipristinaMappaTaratura();
    LeggiBloccoRipristino(2);
    LeggiBloccoRipristino(3);
    LeggiBloccoRipristino(9);
    if (CopiaPresente(CopiaBlocco15Taratura)) LeggiBloccoRipristino(15);
    RicalcolaTempoBlocco();
}

// Item 11: the window at rest, the menu bars and the switch view enabled.
void FinestraARiposo(const std::string& messaggio) {
    auto& v = Vista();
    v.LblCalMsg(messaggio + VoceTune(4) + " <" + v.CmdCalStartCaption() + ">");
    v.CmdCalStartAbilitato(true);
    v.CmdCalCancelAbilitato(false);
    v.CmdCalOkAbilitato(false);
    v.CmbTipoInjAbilitato(false);
    AbilitaMenu(true);
    v.SLD_UgelliVisibile(false);
}

} // namespace

void EseguiTaratura() {
    auto& v = Vista();
    int32_t codice = ESITO_FATTO;
    if (!ApriLogTaratura()) {
        // Step 1 never ran: copies of an earlier run must not be written back.
        ScartaCopieTaratura();
        codice = ESITO_TRASFERIMENTO;
    } else {
        for (int32_t n = 1; n <= 6; ++n) {
            PassoTaratura = n;
            PassoN(n, codice);
            if (codice != ESITO_FATTO) break;
        }
    }
    if (codice == ESITO_FATTO) codice = AggiornaMappeDopoTaratura();
    LogTaratura.close();

    v.FrmStatoTara(false);
    v.LblCalMsgVisibile(true);
    v.LblCalStep(ModMain::TestoVoce(44));
    v.PRG_Avanzamento(v.PRG_AvanzamentoMin());
    v.LampeggioInTaratura(true);
    if (StopTaratura) v.LblCalMsg(VoceTune(7));

    if (codice != ESITO_FATTO && CopiePresenti() && ModPipe::StatoRisposta == 1) RipristinoImmediato();

    if (codice != ESITO_FATTO && codice != ESITO_STOP) {
        // The acknowledgement is the cancel button, which step 6 disables
        // once the operator has confirmed the idle tare.
        v.CmdCalCancelAbilitato(true);
        v.LblCalMsg(TestoEsito(codice) + "\r\n\r\n" + VoceTune(17));
        do {
            ModGlobFunct::AttendiMicrosecondi(20'000);
            v.LampeggioInTaratura(false);
        } while (!StopTaratura);
        v.LampeggioInTaratura(true);
    }
    if (StopTaratura) {
        v.LblCalMsg(VoceTune(7));
        for (int k = 0; k < 10; ++k) {
            ModGlobFunct::AttendiMicrosecondi(250'000);
            v.LblCalMsgVisibile(!v.LblCalMsgVisibile());
        }
        v.LblCalMsgVisibile(true);
    }
    if (ModPipe::StatoRisposta == 1) ModBlck::ImpostaModoLinea(0);

    FinestraARiposo({});
    if (ModPipe::StatoRisposta != 1) {
        ModMain::RiconnessioneRichiesta = 1;
        if (RipristinoDifferitoNecessario(codice, ModPipe::StatoRisposta)) ModMain::RipristinoTaratura = -1.0;
    }
    ModMain::StatoConnessione = STATO_CONNESSO;
}

void TaraturaNonAvviata() {
    // The link was lost before the run could start: what Start locked is given back.
    FinestraARiposo(VoceTune(12) + "\r\n\r\n");
}

void RipristinaDatiTaratura() {
    if (!CopiePresenti()) return;
    if (ModBlck::ImpostaModoLinea(2) != 0 || ModPipe::StatoRisposta != 1) return;
    if (!LeggiBloccoTaratura(2)) return;
    if (ValoreBlocco(2, 1) == 3) TabellaBlocchi[2].Valori[0] = 0;
    if (!ScriviBloccoTaratura(2, 0x10)) return;
    ModGlobFunct::AttendiMicrosecondi(20'000);
    if (!LeggiBloccoTaratura(2)) return;
    if (!ScriviCopiaTaratura(CopiaBlocco3Taratura, 0x11)) return;
    if (!ScriviCopiaTaratura(CopiaBlocco2Taratura, 0x10)) return;
    if (!ScriviCopiaTaratura(CopiaBlocco9Taratura, 0x7F)) return;
    if (CopiaPresente(CopiaBlocco15Taratura) && !ScriviCopiaTaratura(CopiaBlocco15Taratura, 0x6F)) return;
    if (!RipristinaMappaTaratura()) return;
    if (!LeggiBloccoTaratura(2) || !LeggiBloccoTaratura(3) || !LeggiBloccoTaratura(9)) return;
    if (CopiaPresente(CopiaBlocco15Taratura) && !LeggiBloccoTaratura(15)) return;
    RicalcolaTempoBlocco();
    ModBlck::ImpostaModoLinea(0);
}

} // namespace MDIFrm
