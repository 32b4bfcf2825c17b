// Calibration steps 1 to 4: preparation, ECU set-up, idle and high-rpm sampling.
#include <cmath>
#include <string>

#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModPipe.h"
#include "maps/ModMainMappe.h"
#include "link/ComandiPipe.h"

namespace MDIFrm {

using namespace ModTaratura;

namespace {

int32_t& TaraturaValore(size_t n, size_t k) { return ValoreTaratura(n, k); }

bool TaraturaStop() { return StopTaratura != 0; }
bool TaraturaBlocchi12() { return LeggiBloccoTaratura(1) && LeggiBloccoTaratura(2); }
void TaraturaAttendi(double us) { ModGlobFunct::AttendiMicrosecondi(us); }

// The running check of phases A, B and D: false (with its message) when the
// engine is stopped or below "Rpm minimi".
bool TaraturaInMoto() {
    if (!(TaraturaValore(1, 37) & 1) || TaraturaValore(1, 32) < Parametri.RpmMinimi) {
        Vista().LblCalMsg(VoceTune(3));
        return false;
    }
    return true;
}

// The low-rpm watchdog of phases C and E: 0 to go on, else the result code.
int32_t TaraturaSorveglianza() {
    if (!(TaraturaValore(1, 37) & 1)) return ESITO_MOTORE_FERMO;
    const int32_t giri = TaraturaValore(1, 32);
    if (giri != 0 && giri >= Parametri.RpmMinimi) ContatoreRpmTaratura = 10;
    else if (ContatoreRpmTaratura < 0) return ESITO_GIRI_BASSI;
    else --ContatoreRpmTaratura;
    TaraturaAttendi(100'000);
    return ESITO_FATTO;
}

int32_t Passo1Fasi() {
    auto& v = Vista();
    MostraAvanzamento();
    v.LblCalMsg(VoceTune(18));
    ModMain::UnitaRpmBlocco3 = (TaraturaValore(3, 49) & 2) ? 64 : 128;
    ScartaCopieTaratura();
    // A watchdog left below 0 by an earlier run would end this one at its first low reading.
    ContatoreRpmTaratura = 10;
    if (!LeggiParametriTaratura(ModMain::PercorsoParaTun, false)) return ESITO_PARAMETRI;

    // A: commanded to gas but still on petrol.
    for (;;) {
        TaraturaAttendi(50'000);
        if (TaraturaValore(2, 0) != 3 || TaraturaValore(2, 1) != 0) break;
        MostraAvanzamento();
        v.LblCalMsg(ModMain::TestoVoce(16));
        v.LampeggioInTaratura(false);
        TaraturaAttendi(50'000);
        if (TaraturaStop()) return ESITO_STOP;
        if (!TaraturaBlocchi12()) return ESITO_TRASFERIMENTO;
        TaraturaInMoto();
    }

    // B: onto petrol.
    MostraAvanzamento();
    v.LblCalMsg(VoceTune(18));
    v.LampeggioInTaratura(true);
    for (;;) {
        TaraturaAttendi(50'000);
        if (TaraturaValore(2, 0) == 3) {
            if (!ModBlck::EseguiCommutazione()) return ESITO_TRASFERIMENTO;
            TaraturaAttendi(2'000'000);
        }
        TaraturaAttendi(50'000);
        if (TaraturaStop()) return ESITO_STOP;
        if (!TaraturaBlocchi12()) return ESITO_TRASFERIMENTO;
        if (!TaraturaInMoto()) continue;
        if (TaraturaValore(2, 1) == 3) continue;
        break;
    }

    // C: the value set of the settings file.
    SecondoSetTaratura = -1;
    v.LblCalMsg({});
    if (TaraturaStop()) return ESITO_STOP;
    if (!TaraturaBlocchi12()) return ESITO_TRASFERIMENTO;
    if (const int32_t c = TaraturaSorveglianza()) return c;
    SecondoSetTaratura = TaraturaValore(3, 33) & 32;
    if (!LeggiParametriTaratura(ModMain::PercorsoParaTun, SecondoSetTaratura > 0)) return ESITO_PARAMETRI;

    // D: the reducer temperature.
    for (;;) {
        TaraturaAttendi(50'000);
        if (TaraturaStop()) return ESITO_STOP;
        if (!TaraturaBlocchi12()) return ESITO_TRASFERIMENTO;
        if (!TaraturaInMoto()) continue;
        if (TaraturaValore(1, 42) >= Parametri.TempTaratura) break;
        v.LblCalMsg(VoceTune(6) + " (< " + Conv::CStr(Parametri.TempTaratura) + ")");
    }

    // E: the injector type.
    TipoIniettoreTaratura = -1;
    v.CmdCalOkAbilitato(true);
    OkTaratura = 0;
    v.CmbTipoInjAbilitato(true);
    v.LblCalMsg(VoceTune(9) + " <" + v.CmdCalOkCaption() + ">");
    for (;;) {
        if (TaraturaStop()) return ESITO_STOP;
        if (OkTaratura) {
            OkTaratura = 0;
            TipoIniettoreTaratura = v.CmbTipoInjIndice();
        }
        if (!TaraturaBlocchi12()) return ESITO_TRASFERIMENTO;
        if (const int32_t c = TaraturaSorveglianza()) return c;
        if (TipoIniettoreTaratura > -1) return ESITO_FATTO;
    }
}

void TaraturaRicalcolaTempoBlocco() {
    ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(TaraturaValore(3, 1), TaraturaValore(3, 0));
}

int32_t Passo2Corpo() {
    MostraAvanzamento();
    Vista().LblCalMsg(VoceTune(18));
    if (ModBlck::ImpostaModoLinea(2) != 0 || ModPipe::StatoRisposta != 1) return ESITO_TRASFERIMENTO;
    if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
    CopiaBlocco2Taratura = TabellaBlocchi[2];
    if (!LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
    CopiaBlocco3Taratura = TabellaBlocchi[3];
    if (!LeggiBloccoTaratura(9)) return ESITO_TRASFERIMENTO;
    CopiaBlocco9Taratura = TabellaBlocchi[9];
    // Block 15 too, read and kept before its value 0 is written, so that a
    // failed or stopped run gives it back with the others.
    if (!LeggiBloccoTaratura(15)) return ESITO_TRASFERIMENTO;
    CopiaBlocco15Taratura = TabellaBlocchi[15];

    const auto& tipi = ModBlck::TipiIniettori;
    if (TipoIniettoreTaratura < 0 || static_cast<size_t>(TipoIniettoreTaratura) >= tipi.size()) return ESITO_TRASFERIMENTO;
    const DefinizioneIniettore& t = tipi[static_cast<size_t>(TipoIniettoreTaratura)];
    for (size_t k = 24; k >= 17; --k) TaraturaValore(3, k) = 0;
    // Lines 2, 4, 3, 6 and 8 of the type's section (the reader keeps them as values 1, 2, 3, 6, 7).
    TaraturaValore(3, 4) = t.Id;
    TaraturaValore(3, 6) = t.Valore1;
    TaraturaValore(3, 7) = t.Valore2;
    TaraturaValore(3, 8) = t.Valore3;
    TaraturaValore(3, 36) = t.Valore6;
    TaraturaValore(3, 0) = TaraturaValore(3, 1);
    TaraturaValore(3, 42) = 1;
    if (!ScriviBloccoTaratura(3, 0x11) || !LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
    TaraturaRicalcolaTempoBlocco();

    TaraturaValore(15, 0) = t.Valore7;
    if (!ScriviBloccoTaratura(15, 0x6F)) return ESITO_TRASFERIMENTO;
    // Its own outcome is not looked at: the block-15 read after it decides.
    ModBlck::InviaComandoAttesaLunga(0x5C, 4, ModBlck::EsitoRichiesta);
    if (!LeggiBloccoTaratura(15)) return ESITO_TRASFERIMENTO;

    OpzioneObd04Sospesa = OpzioneObd08Sospesa = EmulazioneLambdaSospesa = 0;
    if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
    int32_t& opzioni = TaraturaValore(2, 2);
    if (opzioni & 0x08) {
        opzioni &= ~0x08;
        OpzioneObd08Sospesa = 1;
    }
    if (opzioni & 0x04) {
        opzioni &= ~0x04;
        OpzioneObd04Sospesa = 1;
    }
    if (opzioni & 0x10) {
        opzioni &= ~0x10;
        EmulazioneLambdaSospesa = 1;
    }
    TaraturaValore(2, 6) = 0;
    opzioni |= 0x01;
    if (!ScriviBloccoTaratura(2, 0x10) || !LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;

    if (Parametri.DisabilitaCentraggio != 1) return ESITO_FATTO;
    auto& v9 = TabellaBlocchi.size() > 9 ? TabellaBlocchi[9].Valori : TabellaBlocchi[0].Valori;
    if (v9.size() >= 2) v9[v9.size() - 2] = 0;
    return ScriviBloccoTaratura(9, 0x7F) ? ESITO_FATTO : ESITO_TRASFERIMENTO;
}

int32_t TaraturaMedia() {
    return CalcolaMediaCilindriAttivi(TabellaBlocchi[1].Valori, TabellaBlocchi[3].Valori);
}

// The tests every pass of steps 3 and 4 makes, in order; 0 to go on.
int32_t TaraturaControlliCampione(int32_t& giri) {
    if (TaraturaStop()) return ESITO_STOP;
    if (!TaraturaBlocchi12()) return ESITO_TRASFERIMENTO;
    if (!(TaraturaValore(1, 37) & 1)) return ESITO_MOTORE_FERMO;
    giri = TaraturaValore(1, 32);
    if (giri == 0 || giri < Parametri.RpmMinimi) return ESITO_GIRI_BASSI;
    if (TaraturaValore(2, 0) == 3) return ESITO_CARBURANTE;
    return ESITO_FATTO;
}

int32_t CampionaMinimoCorpo() {
    auto& v = Vista();
    v.VisualizzaTempiCampionamentoBenzina(0, false);
    v.VisualizzaTempiCampionamentoGas(0, false);
    v.FrmStatoTara(true);
    const int32_t corr = TaraturaValore(2, 6);
    const double decimi = Conv::ArrotondaPari(corr / 100.0);
    v.SLD_Ugelli(static_cast<float>(corr), Conv::NumeroGenerale(decimi / 10.0, ModGlobFunct::SeparatoreDecimale[0]) + " (ms)   ");
    TBenzMin = 0;
    int64_t sommaGiri = 0, somma = 0;
    int32_t i = 0;
    const double fine = ModGlobFunct::LeggiMicrosecondi() + Parametri.AttesaMinimoMs * 1000.0;
    MostraAvanzamento();
    ScriviLog("Campiona minimo");
    ScriviLog("TimerApi_uSecAuxSampleAuxTBenzTBenzMinTBenzMaxTGasCilAuxRpmCorr");
    for (;;) {
        int32_t giri = 0;
        if (const int32_t c = TaraturaControlliCampione(giri)) return c;
        double pausa = 10'000;
        if (ModGlobFunct::LeggiMicrosecondi() > fine) {
            const int32_t m = TaraturaMedia();
            somma += m;
            sommaGiri += giri;
            TBenzMin = static_cast<int32_t>(std::clamp<int64_t>(somma, INT32_MIN, INT32_MAX));
            ++i;
            v.LampeggioInTaratura(true);
            v.VisualizzaTempiCampionamentoBenzina(m, true);
            v.LblCalMsg(VoceTune(8) + "\r\n\r\n" + VoceTune(20));
            ScriviRigaCampione(i, m, giri);
            pausa = Parametri.FreqCampioniMinimoMs * 1000.0;
        } else {
            v.LampeggioInTaratura(false);
            v.LblCalMsg(VoceTune(19) + "\r\n\r\n" + VoceTune(8) + " " + SecondiRimanenti(fine));
        }
        TaraturaAttendi(pausa);
        if (i > Parametri.NumCampioniMinimo) break;
    }
    TBenzMin = MediaArrotondata(somma, i);
    ModTaratura::CercaPuntoRpm(MediaArrotondata(sommaGiri, i), TabellaBlocchi[3].Valori);
    if (!ScriviBloccoTaratura(3, 0x11) || !LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
    TaraturaRicalcolaTempoBlocco();
    return ESITO_FATTO;
}

int32_t CampionaMassimoCorpo() {
    auto& v = Vista();
    if (Parametri.RpmMassimo == 0) {
        ScriviLog("Campiona massimo =  Campiona minimo");
        TBenzMax = TBenzMin;
        return ESITO_FATTO;
    }
    v.VisualizzaTempiCampionamentoBenzina(TBenzMin, false);
    v.VisualizzaTempiCampionamentoGas(0, false);
    TBenzMax = 0;
    int64_t somma = 0;
    int32_t i = 0;
    double fine = ModGlobFunct::LeggiMicrosecondi() + Parametri.AttesaMassimoMs * 1000.0;
    MostraAvanzamento();
    ScriviLog("Campiona massimo");
    const std::string obiettivo = Conv::CStr(static_cast<int64_t>(Parametri.RpmMassimo) + Parametri.DeltaVisualizzazioneRpmMax);
    for (;;) {
        int32_t giri = 0;
        if (const int32_t c = TaraturaControlliCampione(giri)) return c;
        if (giri < Parametri.RpmMassimo) {
            TBenzMax = 0;
            somma = 0;
            i = 0;
            fine = ModGlobFunct::LeggiMicrosecondi() + Parametri.AttesaMassimoMs * 1000.0;
            v.LblCalMsg(VoceTune(22) + " " + obiettivo);
            v.LampeggioInTaratura(false);
            continue;
        }
        double pausa = 10'000;
        if (ModGlobFunct::LeggiMicrosecondi() > fine) {
            const int32_t m = TaraturaMedia();
            somma += m;
            TBenzMax = static_cast<int32_t>(std::clamp<int64_t>(somma, INT32_MIN, INT32_MAX));
            ++i;
            v.LampeggioInTaratura(true);
            v.VisualizzaTempiCampionamentoBenzina(m, true);
            v.LblCalMsg(VoceTune(23) + " " + obiettivo + "\r\n\r\n" + VoceTune(24) + " " + obiettivo + " " + VoceTune(51));
            ScriviRigaCampione(i, m, giri);
            pausa = Parametri.FreqCampioniMassimoMs * 1000.0;
        } else {
            v.LampeggioInTaratura(false);
            v.LblCalMsg(VoceTune(23) + " " + obiettivo + "\r\n\r\n" + VoceTune(8) + " " + SecondiRimanenti(fine));
        }
        TaraturaAttendi(pausa);
        if (i > Parametri.NumCampioniMassimo) break;
    }
    TBenzMax = MediaArrotondata(somma, i);
    return ESITO_FATTO;
}

} // namespace

void TaraturaPasso1(int32_t& codice) {
    codice = Passo1Fasi();
    Vista().CmbTipoInjAbilitato(false);
    Vista().CmdCalOkAbilitato(false);
}

void TaraturaPasso2(int32_t& codice) { codice = Passo2Corpo(); }
void CampionaMinimo(int32_t& codice) { codice = CampionaMinimoCorpo(); }
void CampionaMassimo(int32_t& codice) { codice = CampionaMassimoCorpo(); }

} // namespace MDIFrm
