#include "calibration/ModTaratura.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <functional>
#include <system_error>

#include <QtCore/QDateTime>
#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>

#include "core/Conversioni.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"

namespace ModTaratura {

namespace {

enum class TipoParametro { Long, Double, Byte };

struct VoceParametro {
    std::string chiave;
    TipoParametro tipo;
    void* (*campo)(ParametriTaratura&);
};

#define TARATURA_CAMPO(m) [](ParametriTaratura& p) -> void* { return &p.m; }

const std::vector<VoceParametro>& TabellaParametri() {
    static const std::vector<VoceParametro> t = {
        {"TEMP taratura", TipoParametro::Long, TARATURA_CAMPO(TempTaratura)},
        {"Rpm minimi", TipoParametro::Long, TARATURA_CAMPO(RpmMinimi)},
        {"Attesa minimo ms", TipoParametro::Double, TARATURA_CAMPO(AttesaMinimoMs)},
        {"Num Campioni minimo", TipoParametro::Long, TARATURA_CAMPO(NumCampioniMinimo)},
        {"Freq Campioni minimo ms", TipoParametro::Double, TARATURA_CAMPO(FreqCampioniMinimoMs)},
        {"Attiva tutti i Cil", TipoParametro::Byte, TARATURA_CAMPO(AttivaTuttiCil)},
        {"Rpm Massimo", TipoParametro::Long, TARATURA_CAMPO(RpmMassimo)},
        {"DeltaVisualizzazioneRPMMax", TipoParametro::Long, TARATURA_CAMPO(DeltaVisualizzazioneRpmMax)},
        {"Attesa massimo ms", TipoParametro::Double, TARATURA_CAMPO(AttesaMassimoMs)},
        {"Num Campioni massimo", TipoParametro::Long, TARATURA_CAMPO(NumCampioniMassimo)},
        {"Freq Campioni massimo ms", TipoParametro::Double, TARATURA_CAMPO(FreqCampioniMassimoMs)},
        {"Prima attesa ms", TipoParametro::Double, TARATURA_CAMPO(PrimaAttesaMs)},
        {"Attesa corr inj ms", TipoParametro::Double, TARATURA_CAMPO(AttesaCorrInjMs)},
        {"Num Campioni corr inj", TipoParametro::Long, TARATURA_CAMPO(NumCampioniCorrInj)},
        {"Freq Campioni corr inj ms", TipoParametro::Double, TARATURA_CAMPO(FreqCampioniCorrInjMs)},
        {"Cicli in tolleranza inj", TipoParametro::Long, TARATURA_CAMPO(CicliInTolleranzaInj)},
        {"Max cicli non in tolleranza inj", TipoParametro::Long, TARATURA_CAMPO(MaxCicliNonInTolleranzaInj)},
        {"Tolleranza in correzione inj %", TipoParametro::Long, TARATURA_CAMPO(TolleranzaCorrezioneInj)},
        {"Step di Correzione inj %", TipoParametro::Long, TARATURA_CAMPO(StepCorrezioneInj)},
        {"Massima correzione inj us", TipoParametro::Long, TARATURA_CAMPO(MassimaCorrezioneInjUs)},
        {"Rpm ritorno minimo", TipoParametro::Long, TARATURA_CAMPO(RpmRitornoMinimo)},
        {"Attesa ritorno minimo ms", TipoParametro::Double, TARATURA_CAMPO(AttesaRitornoMinimoMs)},
        {"Attesa corr minimo ms", TipoParametro::Double, TARATURA_CAMPO(AttesaCorrMinimoMs)},
        {"Num Campioni corr minimo", TipoParametro::Long, TARATURA_CAMPO(NumCampioniCorrMinimo)},
        {"Freq Campioni corr minimo ms", TipoParametro::Double, TARATURA_CAMPO(FreqCampioniCorrMinimoMs)},
        {"Cicli in tolleranza minimo", TipoParametro::Long, TARATURA_CAMPO(CicliInTolleranzaMinimo)},
        {"Max cicli non in tolleranza minimo", TipoParametro::Long, TARATURA_CAMPO(MaxCicliNonInTolleranzaMinimo)},
        {"Tolleranza in correzine minimo %", TipoParametro::Long, TARATURA_CAMPO(TolleranzaCorrezioneMinimo)},
        {"Step di Correzione minimo %", TipoParametro::Long, TARATURA_CAMPO(StepCorrezioneMinimo)},
        {"Massima correzione minimo us", TipoParametro::Long, TARATURA_CAMPO(MassimaCorrezioneMinimoUs)},
        {"Massima Correzione us", TipoParametro::Long, TARATURA_CAMPO(MassimaCorrezioneUs)},
        {"Minima correzione us", TipoParametro::Long, TARATURA_CAMPO(MinimaCorrezioneUs)},
        {"Soglia Rilascio %", TipoParametro::Long, TARATURA_CAMPO(SogliaRilascio)},
        {"Soglia Secondo Set %", TipoParametro::Long, TARATURA_CAMPO(SogliaSecondoSet)},
        {"Soglia Terzo Set %", TipoParametro::Long, TARATURA_CAMPO(SogliaTerzoSet)},
        {"Smagrimento Terzo Set %", TipoParametro::Long, TARATURA_CAMPO(SmagrimentoTerzoSet)},
        {"Smagrimento Rilascio %", TipoParametro::Long, TARATURA_CAMPO(SmagrimentoRilascio)},
        {"Disabilita Centraggio Compensazione", TipoParametro::Long, TARATURA_CAMPO(DisabilitaCentraggio)},
    };
    return t;
}

#undef TARATURA_CAMPO

// A value written with the locale's decimal separator.
std::optional<double> NumeroParametro(std::string testo) {
    const std::string& sep = ModGlobFunct::SeparatoreDecimale;
    if (!sep.empty() && sep != ".") {
        for (size_t k = testo.find(sep); k != std::string::npos; k = testo.find(sep, k + 1)) testo.replace(k, sep.size(), ".");
    }
    if (Conv::Trim(testo).empty()) return std::nullopt;
    return Conv::CDbl(testo);
}

VistaTaratura VistaVuota;
VistaTaratura* VistaRegistrata = nullptr;

} // namespace

const std::vector<std::string>& ChiaviParametri() {
    static const std::vector<std::string> chiavi = [] {
        std::vector<std::string> c;
        for (const auto& v : TabellaParametri()) c.push_back(v.chiave);
        return c;
    }();
    return chiavi;
}

void ApplicaRigheParametri(const std::vector<std::string>& righe, bool usaValore2, ParametriTaratura& p) {
    for (const std::string& riga : righe) {
        std::vector<std::string> campi = Conv::Split(riga, "=");
        campi.resize(3);
        if (usaValore2) campi[1] = campi[2];
        const auto& tabella = TabellaParametri();
        const auto voce = std::find_if(tabella.begin(), tabella.end(), [&](const VoceParametro& v) { return v.chiave == campi[0]; });
        if (voce == tabella.end()) continue;
        const auto numero = NumeroParametro(campi[1]);
        if (!numero) continue; // an unusable value keeps the setting's earlier one
        void* campo = voce->campo(p);
        switch (voce->tipo) {
        case TipoParametro::Long:
            if (const auto v = Conv::CLng(*numero)) *static_cast<int32_t*>(campo) = *v;
            break;
        case TipoParametro::Double: *static_cast<double*>(campo) = *numero; break;
        case TipoParametro::Byte:
            if (const auto v = Conv::CByte(*numero)) *static_cast<uint8_t*>(campo) = *v;
            break;
        }
    }
}

bool LeggiParametriTaratura(const std::string& percorso, bool usaValore2) {
    if (!ModGlobFunct::EsisteFile(percorso)) return false;
    std::optional<std::vector<std::string>> righe;
    if (ModBlck::VerificaFileCodificato(percorso)) righe = ModBlck::LeggiFileCodificato(percorso);
    else righe = ModBlck::LeggiFileTesto(percorso);
    if (!righe) return false;
    // A file saved with bare line feeds reads the same.
    std::vector<std::string> linee;
    for (const std::string& r : *righe)
        for (std::string l : Conv::Split(r, "\n")) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            linee.push_back(std::move(l));
        }
    ApplicaRigheParametri(linee, usaValore2, Parametri);
    return true;
}

int32_t MediaArrotondata(int64_t somma, int64_t conteggio) {
    if (conteggio == 0) return 0;
    const double m = Conv::ArrotondaPari(static_cast<double>(somma) / static_cast<double>(conteggio));
    return static_cast<int32_t>(std::clamp(m, -2147483648.0, 2147483647.0));
}

int32_t CalcolaMediaCilindriAttivi(const std::vector<int32_t>& blocco1, const std::vector<int32_t>& blocco3) {
    if (blocco3.size() < 17 || blocco1.size() < 16) return 0;
    const int32_t n = std::min(blocco3[1], 8);
    if (n <= 0) return 0;
    int64_t somma = 0, conteggio = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (blocco3[static_cast<size_t>(16 - i)] > 0) {
            somma += blocco1[static_cast<size_t>(15 - i)];
            ++conteggio;
        }
    }
    return MediaArrotondata(somma, conteggio);
}

void CercaPuntoRpm(int32_t giri, std::vector<int32_t>& blocco3) {
    if (blocco3.size() < 43) return;
    int colonna = 5;
    if (giri <= 1200) colonna = 0;
    else if (giri <= 1800) colonna = 1;
    else if (giri <= 2400) colonna = 2;
    else if (giri <= 3600) colonna = 3;
    else if (giri <= 4800) colonna = 4;
    if (blocco3[33] & 0x01) {
        blocco3[42] = colonna == 0 ? 1 : 2;
        return;
    }
    static const int32_t tabella[9][6] = {
        {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 1, 1}, {2, 1, 1, 1, 1, 1}, {3, 1, 1, 1, 1, 1}, {4, 2, 2, 1, 1, 1},
        {5, 1, 1, 1, 1, 1}, {6, 3, 2, 2, 1, 1}, {7, 1, 1, 1, 1, 1}, {8, 4, 4, 2, 2, 1},
    };
    const int32_t c = blocco3[1];
    blocco3[0] = (c >= 2 && c <= 8) ? tabella[c][colonna] : 1;
}

int32_t PercentualePasso(int32_t passo) {
    return static_cast<int32_t>(Conv::ArrotondaPari(100.0 / 7.0 * passo));
}

namespace {
std::string RiempiSinistra(std::string t, size_t n) {
    if (t.size() < n) t.insert(0, n - t.size(), ' ');
    return t;
}
} // namespace

std::string TestoGiriTune(int32_t giri) { return RiempiSinistra(Conv::CStr(giri), 5); }
std::string TestoTemperaturaTune(int32_t gradi) { return RiempiSinistra(Conv::CStr(gradi), 3); }

std::string TestoPressioneTune(int32_t mbar, const std::string& separatore) {
    // Hundredths of a bar, halves to even, written without trailing zeros first
    // as the toolkit's number text would be, then padded.
    const int64_t centesimi = static_cast<int64_t>(Conv::ArrotondaPari(mbar / 10.0));
    std::string t = Conv::NumeroGenerale(static_cast<double>(centesimi) / 100.0, separatore.empty() ? '.' : separatore[0]);
    if (t.find(separatore) == std::string::npos) t += separatore;
    while (t.size() < 4) t += '0';
    return RiempiSinistra(t, 6);
}

std::string TestoMillisecondi(int32_t us, const std::string& separatore) {
    const double ms = Conv::ArrotondaPari(static_cast<double>(us)) / 1000.0;
    return Conv::NumeroGenerale(ms, separatore.empty() ? '.' : separatore[0]);
}

int32_t ValoreBarraTempo(int64_t us) { return static_cast<int32_t>(Conv::ArrotondaPari(static_cast<double>(us) / 100.0)); }

int64_t PassoCorrezione(int32_t percento, int64_t deviazione, int32_t massimo) {
    const double p = Conv::ArrotondaPari(percento / 100.0 * static_cast<double>(deviazione));
    const double limite = std::abs(static_cast<double>(massimo));
    return static_cast<int64_t>(std::clamp(p, -limite, limite));
}

bool LimitaPassoCorrezione(int64_t& passo, const std::vector<int32_t>& blocco1, const std::vector<int32_t>& blocco3,
                           int32_t unita) {
    if (blocco3.size() < 37 || blocco1.size() < 32 || unita == 0) return true;
    const int32_t n = std::min(blocco3[1], 8);
    for (int32_t c = 1; c <= n; ++c) {
        if (blocco3[static_cast<size_t>(17 - c)] < 1) continue;
        const int64_t somma = static_cast<int64_t>(blocco1[static_cast<size_t>(32 - c)]) + blocco1[static_cast<size_t>(16 - c)];
        const int64_t limite = blocco3[36];
        if (somma + passo < limite) {
            passo = static_cast<int64_t>(Conv::ArrotondaPari(static_cast<double>(limite - somma) / unita)) * unita;
            return false;
        }
    }
    return true;
}

int64_t CorrezioneIniziale(int32_t riga5, int32_t riga8, int32_t tBenzMax, float sommaTempoInj) {
    const double c = Conv::ArrotondaPari(riga5 - ((static_cast<double>(riga8) + tBenzMax) - sommaTempoInj));
    return c < 0 ? 0 : static_cast<int64_t>(c);
}

bool ValoreNelBlocco(const BloccoParametri& blocco, size_t k, int64_t v) {
    if (k >= blocco.CodiciTipo.size()) return false;
    const std::string& t = blocco.CodiciTipo[k];
    const int64_t scala = k < blocco.Scale.size() && blocco.Scale[k] != 0 ? blocco.Scale[k] : 1;
    int64_t minimo = INT32_MIN, massimo = INT32_MAX;
    if (t == "UB") minimo = 0, massimo = 255;
    else if (t == "SB") minimo = -128, massimo = 127;
    else if (t == "UW") minimo = 0, massimo = 65535;
    else if (t == "SW") minimo = -32768, massimo = 32767;
    return v >= std::min(minimo * scala, massimo * scala) && v <= std::max(minimo * scala, massimo * scala);
}

std::optional<int32_t> FattoreRiempimento(int32_t correzione, int32_t tBenzMin) {
    if (tBenzMin <= 0) return std::nullopt;
    const int64_t prodotto = (static_cast<int64_t>(correzione) + tBenzMin) * 128;
    const double f = Conv::ArrotondaPari(static_cast<double>(prodotto) / tBenzMin);
    return static_cast<int32_t>(std::clamp(f, 0.0, 255.0));
}

void SpostaMappaTaratura(MatriceTaratura& mappa, int riga, int colonna, int32_t F, PaginaMappa& pagina) {
    const int64_t spostamento = static_cast<int64_t>(F) - mappa[static_cast<size_t>(riga)][static_cast<size_t>(colonna)];
    for (int c = 0; c < ColonnePaginaMappa; ++c)
        for (int r = 0; r < RighePaginaMappa; ++r) {
            int32_t& cella = mappa[static_cast<size_t>(r)][static_cast<size_t>(c)];
            cella = static_cast<int32_t>(std::clamp<int64_t>(cella + spostamento, INT32_MIN, INT32_MAX));
            pagina[static_cast<size_t>(r)][static_cast<size_t>(c)] = static_cast<uint8_t>(std::clamp(cella, 0, 255));
        }
}

bool SpostaCurvaTaratura(CurvaRetta& curva, int32_t tGasCil, int32_t correzione) {
    const int32_t e = tGasCil / 128;
    if (e < 0 || e > 179) return false;
    const float d = static_cast<float>(correzione / 1000.0 - curva[static_cast<size_t>(e)]);
    for (size_t i = 0; i <= 172; ++i) curva[i] = std::max(0.0f, curva[i] + d);
    curva[180] = curva[0];
    return true;
}

bool CorreggiOffsetRetta(CurvaRetta& curva, int32_t tempo, int32_t obiettivo, RecordRettaCorrezione& retta) {
    const double i = Conv::ArrotondaPari(tempo / 128.0);
    if (i < 0 || i > 171) return false;
    const double t = Conv::ArrotondaPari(obiettivo / 1000.0 * 1000.0) / 1000.0;
    const float d = static_cast<float>(Conv::ArrotondaPari((t - curva[static_cast<size_t>(i)]) * 1000.0) / 1000.0);
    retta.Offset -= d;
    ModRetta::CalcolaCurvaRetta(curva, retta);
    return true;
}

bool CentraAsseCompensazione(std::vector<int32_t>& valori, int32_t pressione) {
    constexpr size_t Coppie = 57, Passo = 4, PuntiAsse = 15;
    if (valori.size() < 2 * Coppie + 2) return false;
    size_t j = 0;
    while (j < PuntiAsse && valori[2 * Passo * j + 1] != 0) ++j;
    // No zero, or a zero already at the first point (no point before it): the middle of the axis.
    if (j == PuntiAsse || j == 0) j = 6;
    const int64_t xPrima = valori[2 * Passo * (j - 1)], x = valori[2 * Passo * j];
    const int64_t meta = static_cast<int64_t>(Conv::ArrotondaPari(static_cast<double>(x - xPrima) / 2.0));
    const int64_t spostamento = xPrima + meta - pressione;
    for (size_t p = 0; p < Coppie; ++p) {
        const int64_t nuovo = valori[2 * p] - spostamento;
        valori[2 * p] = static_cast<int32_t>(std::clamp<int64_t>(nuovo, 0, INT32_MAX));
    }
    valori[valori.size() - 2] = 1;
    valori[valori.size() - 1] = static_cast<int32_t>(j);
    return true;
}

std::string TestoDataGenerale(const QDateTime& quando, const QLocale& locale) {
    // The long time form may name the time zone (a run of "t"); the general
    // form writes only the time.
    QString ora = locale.timeFormat(QLocale::LongFormat);
    ora.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    return (locale.toString(quando.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
            locale.toString(quando.time(), ora.trimmed()))
        .toStdString();
}

std::vector<std::string> FileLogTaratura(const std::string& cartella) {
    std::vector<std::string> f{cartella + "/StatoTun.txt"};
    for (int k = 1; k <= 4; ++k) f.push_back(cartella + "/StatoTun" + std::to_string(k) + ".txt");
    return f;
}

bool RuotaLogTaratura(const std::string& cartella) {
    namespace fs = std::filesystem;
    const auto f = FileLogTaratura(cartella);
    bool ok = true;
    for (size_t k = 4; k >= 1; --k) {
        std::error_code e;
        if (!fs::exists(f[k - 1], e)) continue;
        fs::copy_file(f[k - 1], f[k], fs::copy_options::overwrite_existing, e);
        if (e) ok = false;
    }
    return ok;
}

void RegistraVista(VistaTaratura* vista) { VistaRegistrata = vista; }
VistaTaratura& Vista() { return VistaRegistrata ? *VistaRegistrata : VistaVuota; }

} // namespace ModTaratura
