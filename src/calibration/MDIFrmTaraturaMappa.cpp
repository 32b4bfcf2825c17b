// Calibration step 6, phases 7 and 8: the map rewrite, the closing writes,
// the gas-pressure centring and the last confirmation.

#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "core/ModBlckFile.h"
#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModRetta.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"
#include "maps/CarburazioneMappatura.h"
#include "maps/ModMainMappe.h"

namespace ModTaratura {

// The working copy of the map form, kept until the next run.
inline MatriceTaratura MappaCalcoloTaratura{};

namespace {

// The configuration file of the ECU's system configuration (block 15 value
// 47); empty when no built-in configuration has that identifier.
std::string MappaFileConfigurazione() {
    const int32_t id = ValoreTaratura(15, 47);
    for (const auto& c : ModMain::ConfigurazioniPredefinite)
        if (c.Identificativo && *c.Identificativo == id) return c.Percorso;
    return {};
}

const CoefficientiMappa* MappaCoefficienti() {
    const int32_t id = ValoreTaratura(15, 47);
    for (const auto& c : ModMain::CoefficientiTaratura)
        if (c.id == id) return &c;
    return nullptr;
}

// The read-back of the closing writes: stored and decoded only when good.
bool MappaRilettura(size_t n) { return LeggiBloccoTaratura(n); }

bool MappaComandoEcu(uint8_t comando) {
    return ModBlck::InviaComandoEcu(comando) == 0 && ModPipe::StatoRisposta == 1;
}

// After a map write: the curve unpacked from a correction-line map, or the
// undo copy made equal to the map the ECU now holds.
void MappaPrendiScritta() {
    if (ModMain::MatSoglie[15] & 0x04) ModRetta::EstraiCurvaDaMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
    else ModMain::UndoPagina0 = ModMain::MappaPagina0;
}

// The axis headings of the three map editors and carburetion views, after
// the working axes changed.
void MappaRicaricaAssi() {
    auto& ui = MDIFrm::Interfaccia();
    for (int k = 0; k < 3; ++k) {
        ui.FrmMatrix_CaricaAssiInMatrice(k);
        ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(k);
    }
}

int32_t MappaScrivi(bool formaMappa) {
    // The undo copy is filled with 255 for the forced write and given back
    // when the write fails, so the editor's undo still holds the old map.
    const PaginaMappa undo = ModMain::UndoPagina0;
    if (formaMappa)
        for (auto& riga : ModMain::UndoPagina0) riga.fill(255);
    if (!ModBlck::ScriviMappaEcu(ModMain::MappaPagina0, ModMain::UndoPagina0, ModMain::MatSoglie, ModMain::MappaTaratura, 1)) {
        ModMain::UndoPagina0 = undo;
        return ESITO_TRASFERIMENTO;
    }
    MappaPrendiScritta();
    return ESITO_FATTO;
}

int32_t MappaFormaMappa() {
    const int32_t corr = ValoreTaratura(2, 6);
    // A zero idle time would divide by zero: nothing is written.
    const auto F = FattoreRiempimento(corr, TBenzMin);
    if (!F) return ESITO_TRASFERIMENTO;
    for (auto& riga : MappaCalcoloTaratura) riga.fill(*F);
    // The factory axes: written, read back into the vectors and the working
    // axes; without the file (or one of its parts) nothing is sent and the
    // map is rewritten on the axes the ECU has. The result is not looked at.
    const std::string percorso = MappaFileConfigurazione();
    if (!percorso.empty()) {
        ModMain::ScriviVettoriRpmTinj(percorso);
        MappaRicaricaAssi();
    }
    int64_t sommaColonne = 0, sommaRighe = 0;
    for (int k = 0; k < 5; ++k) {
        ModGlobFunct::AttendiMicrosecondi(200'000);
        if (!LeggiBloccoTaratura(1)) return ESITO_TRASFERIMENTO;
        sommaColonne += ValoreTaratura(1, 50);
        sommaRighe += ValoreTaratura(1, 51);
    }
    const int64_t colonna = sommaColonne / 5, riga = sommaRighe / 5;
    if (colonna < 0 || colonna >= ColonnePaginaMappa || riga < 0 || riga >= RighePaginaMappa) return ESITO_TRASFERIMENTO;
    if (const CoefficientiMappa* c = MappaCoefficienti()) ModMain::ApplicaCoefficientiMappa(MappaCalcoloTaratura, *c);
    if (ValoreTaratura(15, 5) & 0x40) CarburazioneMappatura::SpianaInterpolazionedellaMappa(MappaCalcoloTaratura);
    SpostaMappaTaratura(MappaCalcoloTaratura, static_cast<int>(riga), static_cast<int>(colonna), *F, ModMain::MappaPagina0);
    return MappaScrivi(true);
}

int32_t MappaFormaRetta() {
    const std::string percorso = MappaFileConfigurazione();
    if (!percorso.empty()) ModMain::CaricaMappeDaFile(percorso, ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
    const int32_t corr = ValoreTaratura(2, 6);
    if (MappaCoefficienti()) {
        ModRetta::RettaCorrezione.Offset = static_cast<float>(corr / 1000.0);
        ModRetta::CalcolaCurvaRetta(ModRetta::CurvaCorrezione, ModRetta::RettaCorrezione);
        if (!CorreggiOffsetRetta(ModRetta::CurvaCorrezione, TBenzMin, corr, ModRetta::RettaCorrezione))
            return ESITO_TRASFERIMENTO;
    } else if (!SpostaCurvaTaratura(ModRetta::CurvaCorrezione, TGasCil, corr)) {
        return ESITO_TRASFERIMENTO;
    }
    ModMain::MatSoglie[15] |= 0x04;
    ModRetta::CompattaCurvaInMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
    return MappaScrivi(false);
}

} // namespace

int32_t RiscriviMappaTaratura() {
    MappaTarataScritta = true;
    return (ModMain::MatSoglie[15] & 0x04) ? MappaFormaRetta() : MappaFormaMappa();
}

int32_t SalvaMappaTaratura() {
    MappaTarataScritta = false;
    if (ModBlck::LeggiMappaEcu(CopiaMappaTaratura, CopiaSoglieTaratura) != 0 ||
        ModBlck::LeggiScriviVettori(CopiaVettoreRpmTaratura, CopiaVettoreTinjTaratura, 0) != 0)
        return ESITO_TRASFERIMENTO;
    CopiaRettaTaratura = ModRetta::RettaCorrezione;
    return ESITO_FATTO;
}

bool RipristinaMappaTaratura() {
    if (!MappaTarataScritta) return true;
    ModBlck::VettoreGiri rpm = CopiaVettoreRpmTaratura;
    ModBlck::VettoreTempi tinj = CopiaVettoreTinjTaratura;
    if (ModBlck::LeggiScriviVettori(rpm, tinj, -1) != 0) return false;
    ModBlck::VettoreRpm = rpm;
    ModBlck::VettoreTinj = tinj;
    auto& ui = MDIFrm::Interfaccia();
    ui.CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro,
                          true);
    MappaRicaricaAssi();
    // Forced: every chunk and the table go out whatever the ECU holds now.
    PaginaMappa pagina = CopiaMappaTaratura, precedente;
    for (auto& riga : precedente) riga.fill(255);
    TabellaSoglie soglie = CopiaSoglieTaratura;
    if (!ModBlck::ScriviMappaEcu(pagina, precedente, soglie, ModMain::MappaTaratura, 1)) return false;
    ModMain::MappaPagina0 = pagina;
    ModMain::MatSoglie = soglie;
    ModRetta::RettaCorrezione = CopiaRettaTaratura;
    MappaPrendiScritta();
    ui.FrmMatrix_CaricaMatriceInGriglia(0);
    ui.FRM_ZEBCarburazione_CaricaMatriceInGriglia(0);
    MappaTarataScritta = false;
    return true;
}

bool LeggiComPGasXDaFile(const std::string& percorso, BloccoParametri& blocco) {
    const auto testo = ModBlck::LeggiFileIntero(percorso);
    if (!testo) return false;
    for (size_t inizio = 0; inizio < testo->size();) {
        if (ModBlck::ProssimaRiga(*testo, inizio) != "[COM_PGASX]") continue;
        if (inizio >= testo->size()) return false;
        const std::string dati(ModBlck::ProssimaRiga(*testo, inizio));
        std::vector<uint8_t> byte;
        if (dati.empty() || !ModGlobFunct::ConvertiTestoInByte(dati, byte)) return false;
        const std::string risposta = ModGlobFunct::ConvertiHexInTesto(dati);
        BloccoParametri copia = blocco;
        copia.UltimaRisposta = risposta;
        ModBlck::DecodificaBlocco(risposta, copia);
        blocco = std::move(copia);
        return true;
    }
    return false;
}

void CentraCompensazionePressioneGas(int32_t pressione, BloccoParametri& blocco) {
    const std::string percorso = MappaFileConfigurazione();
    if (!percorso.empty()) LeggiComPGasXDaFile(percorso, blocco);
    CentraAsseCompensazione(blocco.Valori, pressione);
}

int32_t ScrittureFinaliTaratura() {
    auto& v = Vista();
    if (ModBlck::AzzeraTGas() != 0 || ModBlck::AzzeraTRisult() != 0 || ModBlck::AzzeraTIsto() != 0) return ESITO_TRASFERIMENTO;
    if (!MappaComandoEcu(0x14)) return ESITO_TRASFERIMENTO;
    if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
    int32_t& opzioni = ValoreTaratura(2, 2);
    opzioni &= ~0x03;
    if (OpzioneObd08Sospesa == 1) opzioni |= 0x08;
    if (OpzioneObd04Sospesa == 1) opzioni |= 0x04;
    if (EmulazioneLambdaSospesa == 1) opzioni |= 0x10;
    if (!ScriviBloccoTaratura(2, 0x10)) return ESITO_TRASFERIMENTO;
    ModGlobFunct::AttendiMicrosecondi(20'000);
    if (!MappaRilettura(2)) return ESITO_TRASFERIMENTO;
    if (!MappaComandoEcu(0x14)) return ESITO_TRASFERIMENTO;
    // Centred only on a measured pressure: a run whose last cycle ended on a
    // limited correction still has its last complete cycle's mean.
    if (Parametri.DisabilitaCentraggio == 1 && CampioniPressioneTaratura > 0 && PressioneGasTaratura > 0 &&
        TabellaBlocchi.size() > 9) {
        CentraCompensazionePressioneGas(PressioneGasTaratura, TabellaBlocchi[9]);
        if (!ScriviBloccoTaratura(9, 0x7F) || !MappaRilettura(9)) return ESITO_TRASFERIMENTO;
    }
    if (OpzioneObd04Sospesa != 1 && EmulazioneLambdaSospesa != 1 && OpzioneObd08Sospesa != 1) return ESITO_FATTO;
    std::string testo = VoceTune(33);
    if (EmulazioneLambdaSospesa == 1) testo += "\r\n" + VoceTune(34);
    if (OpzioneObd08Sospesa == 1) testo += "\r\n" + VoceTune(35);
    if (OpzioneObd04Sospesa == 1) testo += "\r\n" + VoceTune(36);
    testo += "\r\n" + VoceTune(37) + " " + v.CmdCalOkCaption();
    v.LblCalMsg(testo);
    v.CmdCalOkAbilitato(true);
    v.CmdCalCancelAbilitato(false);
    OkTaratura = 0;
    while (!StopTaratura) {
        if (OkTaratura) {
            v.CmdCalOkAbilitato(false);
            return ESITO_FATTO;
        }
        ModGlobFunct::AttendiMicrosecondi(50'000);
    }
    v.CmdCalOkAbilitato(false);
    return ESITO_STOP;
}

} // namespace ModTaratura
