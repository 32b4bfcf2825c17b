// Calibration steps 5 and 6: injector tare and idle tare on gas.
#include <cmath>
#include <cstdlib>

#include "calibration/MDIFrmTaratura.h"
#include "calibration/ModTaratura.h"
#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModMappeDati.h"
#include "maps/ModMainMappe.h"

namespace MDIFrm {

using namespace ModTaratura;

namespace {

bool GasStop() { return StopTaratura != 0; }

// Block 2 value 6 shown on the slide as ms with one decimal.
void GasMostraCorrezione() {
    const int32_t corr = ValoreTaratura(2, 6);
    const double decimi = Conv::ArrotondaPari(corr / 100.0);
    const std::string sep = ModGlobFunct::SeparatoreDecimale.empty() ? "." : ModGlobFunct::SeparatoreDecimale;
    Vista().SLD_Ugelli(static_cast<float>(corr), Conv::NumeroGenerale(decimi / 10.0, sep[0]) + " (ms)   ");
}

// Gas pressure inside block 9's axis (its first and last axis points, values
// 0 and 112 of the 57-point layout) when the check is on (next-to-last value > 0).
bool GasPressioneNelCampo() {
    const auto& v9 = TabellaBlocchi.size() > 9 ? TabellaBlocchi[9].Valori : std::vector<int32_t>{};
    if (v9.size() < 2 || v9[v9.size() - 2] <= 0) return true;
    const int32_t p = ValoreTaratura(1, 33);
    return p >= ValoreTaratura(9, 0) && p <= ValoreTaratura(9, 112);
}

// Adds `passo` to block 2 value 6 and writes block 2; code 4 when the sum
// leaves the value's range or the write fails.
int32_t GasApplicaCorrezione(int64_t passo) {
    const int64_t nuova = static_cast<int64_t>(ValoreTaratura(2, 6)) + passo;
    if (TabellaBlocchi.size() <= 2 || !ValoreNelBlocco(TabellaBlocchi[2], 6, nuova)) return ESITO_TRASFERIMENTO;
    ValoreTaratura(2, 6) = static_cast<int32_t>(nuova);
    return ScriviBloccoTaratura(2, 0x10) ? ESITO_FATTO : ESITO_TRASFERIMENTO;
}

int32_t TaraIniettoriCorpo() {
    auto& v = Vista();
    const ParametriTaratura& P = Parametri;
    MostraAvanzamento();
    v.VisualizzaTempiCampionamentoBenzina(TBenzMax, false);
    v.VisualizzaTempiCampionamentoGas(0, false);

    // Cylinder 1 alone on gas, or every cylinder at once.
    if (!LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
    ValoreTaratura(3, 16) = 1;
    for (size_t k = 15; k >= 9; --k) ValoreTaratura(3, k) = 0;
    if (P.AttivaTuttiCil != 0)
        for (int32_t c = 2; c <= 8; ++c)
            if (ValoreTaratura(3, 1) >= c) ValoreTaratura(3, static_cast<size_t>(17 - c)) = 1;
    if (!ScriviBloccoTaratura(3, 0x11) || !LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
    ScriviLog("Tara iniettori");

    int64_t c0 = 0;
    const auto& tipi = ModBlck::TipiIniettori;
    if (TipoIniettoreTaratura >= 0 && static_cast<size_t>(TipoIniettoreTaratura) < tipi.size()) {
        // Lines 5 and 8 of the type's section (kept as values 4 and 7).
        const DefinizioneIniettore& t = tipi[static_cast<size_t>(TipoIniettoreTaratura)];
        c0 = CorrezioneIniziale(t.Valore4, t.Valore7, TBenzMax, ModBlck::SommaTempoInj);
    }
    if (TabellaBlocchi.size() <= 2 || !ValoreNelBlocco(TabellaBlocchi[2], 6, c0)) return ESITO_TRASFERIMENTO;

    // Onto gas: rewritten until the ECU reports gas.
    for (;;) {
        v.LblCalMsg(VoceTune(25));
        if (GasStop()) return ESITO_STOP;
        if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        ValoreTaratura(2, 0) = 3;
        ValoreTaratura(2, 2) |= 0x02;
        ValoreTaratura(2, 6) = static_cast<int32_t>(c0);
        if (!ScriviBloccoTaratura(2, 0x10)) return ESITO_TRASFERIMENTO;
        for (int k = 0; k < 3; ++k) {
            ModGlobFunct::AttendiMicrosecondi(400'000);
            if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        }
        if (ValoreTaratura(2, 1) == 3) break;
    }

    int32_t n = P.AttivaTuttiCil != 0 ? ValoreTaratura(3, 1) : 1;
    for (;;) {
        // One cylinder's pass.
        int32_t i = 0, j = 0, k = 0, m = 0, giri = 0;
        int64_t somma = 0;
        TGasCil = 0;
        double fine = ModGlobFunct::LeggiMicrosecondi() + (P.PrimaAttesaMs + P.AttesaCorrInjMs) * 1000.0;
        ScriviLog("Cilindro n. " + Conv::CStr(n));
        bool finito = false;
        while (!finito) {
            if (GasStop()) return ESITO_STOP;
            if (!LeggiBloccoTaratura(1) || !LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
            GasMostraCorrezione();
            if (!(ValoreTaratura(1, 37) & 1)) return ESITO_MOTORE_FERMO;
            giri = ValoreTaratura(1, 32);
            if (giri == 0 || giri < P.RpmMinimi) return ESITO_GIRI_BASSI;
            if (ValoreTaratura(2, 0) == 0) return ESITO_CARBURANTE;
            double pausa = 10'000;
            if (ModGlobFunct::LeggiMicrosecondi() > fine) {
                m = CalcolaMediaCilindriAttivi(TabellaBlocchi[1].Valori, TabellaBlocchi[3].Valori);
                somma += m;
                TGasCil = static_cast<int32_t>(std::clamp<int64_t>(somma, INT32_MIN, INT32_MAX));
                ++k;
                v.LampeggioInTaratura(true);
                v.VisualizzaTempiCampionamentoGas(m, true);
                std::string testo = VoceTune(26) + "\r\n\r\n";
                if (P.AttivaTuttiCil != 0)
                    testo += VoceTune(24) + " " + Conv::CStr(static_cast<int64_t>(P.RpmMassimo) + P.DeltaVisualizzazioneRpmMax) +
                             " " + VoceTune(51);
                else testo += VoceTune(27) + " " + Conv::CStr(n);
                v.LblCalMsg(testo);
                ScriviRigaCampione(k, m, giri);
                pausa = P.FreqCampioniCorrInjMs * 1000.0;
            } else {
                v.LampeggioInTaratura(true);
                v.LblCalMsg(VoceTune(26) + "\r\n\r\n" + VoceTune(8) + " " + SecondiRimanenti(fine));
            }
            ModGlobFunct::AttendiMicrosecondi(pausa);
            if (k <= P.NumCampioniCorrInj) continue;

            // End of a cycle.
            fine = ModGlobFunct::LeggiMicrosecondi() + P.AttesaCorrInjMs * 1000.0;
            TGasCil = MediaArrotondata(somma, k);
            v.VisualizzaTempiCampionamentoGas(TGasCil, false);
            if (!GasPressioneNelCampo()) return ESITO_PRESSIONE_GAS;
            const int64_t deviazione = static_cast<int64_t>(TGasCil) - TBenzMax;
            const double tolleranza = P.TolleranzaCorrezioneInj / 100.0 * TGasCil;
            if (tolleranza >= static_cast<double>(std::llabs(deviazione))) {
                ++j;
                if (j >= P.CicliInTolleranzaInj) finito = true;
            } else {
                if (i > P.MaxCicliNonInTolleranzaInj) return ESITO_TOLLERANZA;
                j = 0;
                int64_t p = PassoCorrezione(P.StepCorrezioneInj, deviazione, P.MassimaCorrezioneInjUs);
                if (ValoreTaratura(2, 6) + p < 0 && (ModMain::MatSoglie[15] & 0x04)) p = -static_cast<int64_t>(ValoreTaratura(2, 6));
                if (!LimitaPassoCorrezione(p, TabellaBlocchi[1].Valori, TabellaBlocchi[3].Valori, ModMain::UnitaRpmBlocco3))
                    j = P.CicliInTolleranzaInj;
                if (const int32_t c = GasApplicaCorrezione(p)) return c;
                ScriviRigaCampione(k, m, giri);
                if (j == P.CicliInTolleranzaInj) finito = true;
            }
            if (!finito) {
                ++i;
                TGasCil = 0;
                somma = 0;
                k = 0;
            }
        }

        // Cylinder done: the next one joins in two writes.
        if (n >= ValoreTaratura(3, 1)) return ESITO_FATTO;
        for (const int32_t stato : {1, 2}) {
            if (!LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
            if (n >= 1 && n <= 7) ValoreTaratura(3, static_cast<size_t>(16 - n)) = stato;
            if (!ScriviBloccoTaratura(3, 0x11) || !LeggiBloccoTaratura(3)) return ESITO_TRASFERIMENTO;
        }
        ++n;
    }
}

// The low-rpm watchdog of step 6: 0 to go on, else code 2.
int32_t MinimoSorveglianza() {
    const int32_t giri = ValoreTaratura(1, 32);
    if (giri != 0 && giri >= Parametri.RpmMinimi) ContatoreRpmTaratura = 10;
    else if (ContatoreRpmTaratura < 0) return ESITO_GIRI_BASSI;
    else --ContatoreRpmTaratura;
    return ESITO_FATTO;
}

// Phases 1 to 5 of step 6: back to idle, settle, tare block 2 value 6 until
// the petrol time on gas matches TBenzMin. `limitato` tells that the last
// correction was cut by the correction limit.
int32_t MinimoCorrezione(bool& limitato) {
    auto& v = Vista();
    const ParametriTaratura& P = Parametri;
    limitato = false;
    MostraAvanzamento();
    v.VisualizzaTempiCampionamentoGas(0, false);
    v.VisualizzaTempiCampionamentoBenzina(0, false);
    if (P.AttivaTuttiCil != 0) {
        if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        if (ValoreTaratura(2, 0) == 3) {
            ValoreTaratura(2, 0) = 0;
            if (!ScriviBloccoTaratura(2, 0x10)) return ESITO_TRASFERIMENTO;
        }
    }

    // Back to idle.
    double fine = 0;
    for (;;) {
        if (GasStop()) return ESITO_STOP;
        if (!LeggiBloccoTaratura(1) || !LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        if (!(ValoreTaratura(1, 37) & 1)) return ESITO_MOTORE_FERMO;
        v.LampeggioInTaratura(false);
        v.LblCalMsg(VoceTune(28));
        const int32_t giri = ValoreTaratura(1, 32);
        const double adesso = ModGlobFunct::LeggiMicrosecondi();
        if (giri < P.RpmRitornoMinimo) {
            fine = P.RpmMassimo != 0 ? adesso + P.AttesaRitornoMinimoMs * 1000.0 : adesso;
            break;
        }
        if (P.RpmMassimo == 0) {
            fine = adesso;
            break;
        }
        v.LblCalMsg(VoceTune(28) + "\r\n" + Conv::CStr(giri) + " < " + Conv::CStr(P.RpmRitornoMinimo));
    }

    // Idle settling.
    for (;;) {
        if (GasStop()) return ESITO_STOP;
        if (!LeggiBloccoTaratura(1) || !LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        if (!(ValoreTaratura(1, 37) & 1)) return ESITO_MOTORE_FERMO;
        if (const int32_t c = MinimoSorveglianza()) return c;
        if (ValoreTaratura(2, 0) == 0 && P.AttivaTuttiCil == 0) return ESITO_CARBURANTE;
        if (ModGlobFunct::LeggiMicrosecondi() > fine) break;
        v.LampeggioInTaratura(false);
        v.LblCalMsg(VoceTune(28) + "\r\n\r\n" + VoceTune(8) + SecondiRimanenti(fine));
        ModGlobFunct::AttendiMicrosecondi(10'000);
    }

    // Correction cycles.
    v.LampeggioInTaratura(true);
    v.VisualizzaTempiCampionamentoBenzina(TBenzMin, false);
    ScriviLog("Tara al minimo");
    int32_t i = 0, j = 0, k = 0, m = 0, giri = 0;
    int64_t somma = 0, sommaPressione = 0, campioniPressione = 0;
    TGasCil = 0;
    PressioneGasTaratura = CampioniPressioneTaratura = 0;
    fine = ModGlobFunct::LeggiMicrosecondi() + P.AttesaCorrMinimoMs * 1000.0;
    if (P.AttivaTuttiCil != 0) {
        if (!LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        if (ValoreTaratura(2, 0) == 0) {
            ValoreTaratura(2, 0) = 3;
            if (!ScriviBloccoTaratura(2, 0x10)) return ESITO_TRASFERIMENTO;
        }
    }
    for (;;) {
        if (GasStop()) return ESITO_STOP;
        if (!LeggiBloccoTaratura(1) || !LeggiBloccoTaratura(2)) return ESITO_TRASFERIMENTO;
        GasMostraCorrezione();
        if (!(ValoreTaratura(1, 37) & 1)) return ESITO_MOTORE_FERMO;
        if (const int32_t c = MinimoSorveglianza()) return c;
        giri = ValoreTaratura(1, 32);
        double pausa = 10'000;
        if (ModGlobFunct::LeggiMicrosecondi() > fine) {
            m = CalcolaMediaCilindriAttivi(TabellaBlocchi[1].Valori, TabellaBlocchi[3].Valori);
            somma += m;
            ++k;
            sommaPressione += ValoreTaratura(1, 33);
            ++campioniPressione;
            TGasCil = static_cast<int32_t>(std::clamp<int64_t>(somma, INT32_MIN, INT32_MAX));
            v.VisualizzaTempiCampionamentoGas(m, true);
            v.LblCalMsg(VoceTune(19) + "\r\n\r\n" + VoceTune(20));
            ScriviRigaCampione(k, m, giri);
            pausa = P.FreqCampioniCorrMinimoMs * 1000.0;
        } else {
            v.LblCalMsg(VoceTune(19) + "\r\n\r\n" + VoceTune(8) + SecondiRimanenti(fine));
        }
        ModGlobFunct::AttendiMicrosecondi(pausa);
        if (k <= P.NumCampioniCorrMinimo) continue;

        // End of a cycle: its means are kept until the next cycle completes,
        // so a limited correction still leaves the idle time and pressure of
        // the last complete cycle for the map rewrite and the centring.
        fine = ModGlobFunct::LeggiMicrosecondi() + P.AttesaCorrMinimoMs * 1000.0;
        TGasCil = MediaArrotondata(somma, k);
        PressioneGasTaratura = MediaArrotondata(sommaPressione, campioniPressione);
        CampioniPressioneTaratura = static_cast<int32_t>(campioniPressione);
        somma = sommaPressione = campioniPressione = 0;
        v.VisualizzaTempiCampionamentoGas(TGasCil, false);
        const int64_t deviazione = static_cast<int64_t>(TGasCil) - TBenzMin;
        const double tolleranza = P.TolleranzaCorrezioneMinimo / 100.0 * TGasCil;
        if (tolleranza >= static_cast<double>(std::llabs(deviazione))) {
            ++j;
            if (j >= P.CicliInTolleranzaMinimo) return ESITO_FATTO;
            k = 0;
            continue;
        }
        j = 0;
        ++i;
        if (i > P.MaxCicliNonInTolleranzaMinimo) return ESITO_TOLLERANZA;
        int64_t c = PassoCorrezione(P.StepCorrezioneMinimo, deviazione, P.MassimaCorrezioneMinimoUs);
        if (ValoreTaratura(2, 6) + c < 0 && (ModMain::MatSoglie[15] & 0x04)) c = -static_cast<int64_t>(ValoreTaratura(2, 6));
        if (!LimitaPassoCorrezione(c, TabellaBlocchi[1].Valori, TabellaBlocchi[3].Valori, ModMain::UnitaRpmBlocco3)) limitato = true;
        if (const int32_t e = GasApplicaCorrezione(c)) return e;
        fine = ModGlobFunct::LeggiMicrosecondi() + P.AttesaCorrInjMs * 1000.0;
        const int32_t tGasCiclo = TGasCil;
        TGasCil = 0;
        ScriviLog("#" + Conv::CStr(static_cast<int64_t>(Conv::ArrotondaPari(ModGlobFunct::LeggiMicrosecondi() / 1000.0))) +
                  "#0#" + Conv::CStr(m) + "#" + Conv::CStr(TBenzMin) + "#" + Conv::CStr(TBenzMax) + "#0#" +
                  Conv::CStr(giri) + "#" + Conv::CStr(ValoreTaratura(2, 6)));
        if (limitato) {
            TGasCil = tGasCiclo;
            return ESITO_FATTO;
        }
        PressioneGasTaratura = CampioniPressioneTaratura = 0;
        k = 0;
    }
}

int32_t TaraAlMinimoCorpo() {
    auto& v = Vista();
    bool limitato = false;
    if (const int32_t c = MinimoCorrezione(limitato)) return c;
    // What the map rewrite will replace, read while it is still the ECU's.
    if (const int32_t c = SalvaMappaTaratura()) return c;

    // Result and confirmation.
    v.VisualizzaTempiCampionamentoGas(TGasCil, false);
    v.VisualizzaTempiCampionamentoBenzina(TBenzMin, false);
    GasMostraCorrezione();
    std::string testo;
    int64_t limiteIniettore = INT64_MAX;
    const auto& tipi = ModBlck::TipiIniettori;
    if (TipoIniettoreTaratura >= 0 && static_cast<size_t>(TipoIniettoreTaratura) < tipi.size())
        limiteIniettore = tipi[static_cast<size_t>(TipoIniettoreTaratura)].Valore5; // line 7 of the type
    const int32_t corr = ValoreTaratura(2, 6);
    const std::string sep = ModGlobFunct::SeparatoreDecimale.empty() ? "." : ModGlobFunct::SeparatoreDecimale;
    const std::string unita = "(" + Conv::NumeroGenerale(static_cast<double>(corr) / (ModMain::UnitaRpmBlocco3 ? ModMain::UnitaRpmBlocco3 : 1), sep[0]) + ") ";
    if (static_cast<int64_t>(corr) + TGasCil > limiteIniettore) testo = unita + VoceTune(30) + "\r\n\r\n";
    else if (limitato) testo = unita + VoceTune(31) + "\r\n\r\n";
    testo += VoceTune(32) + "\r\n\r\n" + VoceTune(45) + " <" + v.CmdCalOkCaption() + ">";
    v.LblCalMsg(testo);
    v.LblCalStep(ModMain::TestoVoce(44) + " " + Conv::CStr(PercentualePasso(PassoTaratura + 1)) + " %");
    v.PRG_Avanzamento(6.0f);
    v.CmdCalOkAbilitato(true);
    OkTaratura = 0;
    for (;;) {
        if (GasStop()) {
            v.CmdCalOkAbilitato(false);
            return ESITO_STOP;
        }
        if (OkTaratura) break;
        if (!LeggiBloccoTaratura(1)) {
            v.CmdCalOkAbilitato(false);
            return ESITO_TRASFERIMENTO;
        }
        ModGlobFunct::AttendiMicrosecondi(50'000);
    }
    v.CmdCalOkAbilitato(false);
    // Confirmed: the map rewrite and the closing writes run to their end. A
    // stop in the middle would leave half of them in the ECU.
    v.CmdCalCancelAbilitato(false);
    if (const int32_t c = RiscriviMappaTaratura()) return c;
    return ScrittureFinaliTaratura();
}

} // namespace

void TaraIniettori(int32_t& codice) { codice = TaraIniettoriCorpo(); }

void TaraAlMinimo(int32_t& codice) { codice = TaraAlMinimoCorpo(); }

} // namespace MDIFrm
