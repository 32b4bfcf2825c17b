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
                if (!LimitaPassoCorrezione(p, TabellaBlocchi[1].Valori, TabellaBlocchi[3].Valori, UnitaRpmBlocco3))
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

} // namespace

void TaraIniettori(int32_t& codice) { codice = TaraIniettoriCorpo(); }

// Not built yet: a run ends here as a failed one, so its blocks are written back.
void TaraAlMinimo(int32_t& codice) {
    MostraAvanzamento();
    codice = StopTaratura ? ESITO_STOP : ESITO_TRASFERIMENTO;
}

} // namespace MDIFrm
