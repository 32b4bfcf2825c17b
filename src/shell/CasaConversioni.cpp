#include "shell/CasaConversioni.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/ClsLingue.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "config/ModMainFirmware.h"

namespace Casa {

namespace {

int32_t Valore(const std::vector<int32_t>& v, size_t k) { return k < v.size() ? v[k] : 0; }

std::string FormattaNumero(double valore, int32_t decimali, int32_t cifre) {
    return ModGlobFunct::FormattaNumero(valore, decimali, cifre);
}

std::string FormattaNumeroZeri(int32_t millesimi, int32_t decimali) {
    return ModGlobFunct::FormattaNumeroZeri(millesimi, decimali);
}

std::string Riempi(const std::string& testo, int32_t lunghezza) {
    return ModMain::CompletaStringa(testo, lunghezza, " ", true);
}

} // namespace

std::optional<int32_t> CercaSezione(const ClsLingue* d, int16_t lingua, const std::string& marcatore) {
    if (!d) return std::nullopt;
    const int32_t ultima = d->UboundVoci();
    for (int32_t i = 0; i <= ultima && i <= std::numeric_limits<int16_t>::max(); ++i)
        if (d->VoceDizionario(lingua, static_cast<int16_t>(i)) == marcatore) return i;
    return std::nullopt;
}

std::string VoceSezione(const ClsLingue* d, std::optional<int32_t> base, int32_t n) {
    if (!d || !base) return {};
    const int64_t i = static_cast<int64_t>(*base) + n;
    if (i < 0 || i > std::numeric_limits<int16_t>::max()) return {};
    return d->VoceDizionario(d->IdLingua(), static_cast<int16_t>(i));
}

std::string TestoNumero(double valore, int decimali) {
    const double scala = std::pow(10.0, decimali);
    const float v = static_cast<float>(valore);
    const float r = static_cast<float>(Conv::ArrotondaPari(static_cast<double>(v) * scala) / scala);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(r));
    std::string s = buf;
    if (s.find('.') != std::string::npos && s.find('e') == std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    const auto p = s.find('.');
    if (p != std::string::npos) s.replace(p, 1, ModGlobFunct::SeparatoreDecimale);
    return s;
}

std::string TestoTempoIniezione(int32_t microsecondi) { return FormattaNumero(microsecondi / 1000.0, 2, 2); }

std::optional<int32_t> BarraTempoIniezione(int32_t microsecondi, int32_t massimo) {
    const double v = Conv::ArrotondaPari(microsecondi / 100.0);
    if (v < 0) return std::nullopt;
    return v > massimo ? massimo : static_cast<int32_t>(v);
}

std::string TestoGiri(int32_t giri) { return Riempi(Conv::CStr(giri), 5); }

std::string TestoTemperaturaRiduttore(int32_t gradi) { return Riempi(Conv::CStr(gradi), 3); }

std::string TestoPressioneGas(int32_t millibar) { return Riempi(FormattaNumero(millibar / 1000.0, 2, 1), 6); }

std::string TestoLambda(int32_t millivolt) { return FormattaNumeroZeri(millivolt, 3) + " V"; }

float PosizioneLambda(int32_t millivolt, bool specchiata, int32_t massimoScala) {
    const float v = static_cast<float>(millivolt / 1000.0);
    return specchiata ? static_cast<float>(massimoScala) - v : v;
}

ScalaSonda CalcolaScalaSonda(int32_t indice, int32_t primo, int32_t secondo) {
    ScalaSonda s;
    int32_t a = 0, b = 0;
    if (indice >= 0) {
        a = primo;
        b = secondo;
    }
    const int32_t lo = indice == IndiceSondaSpecchiata ? b : a;
    const int32_t hi = indice == IndiceSondaSpecchiata ? a : b;
    const double centro = Conv::ArrotondaPari((static_cast<double>(hi) - lo) / 2.0);
    s.Sinistra = TestoNumero(a / 1000.0, 1);
    s.Destra = TestoNumero(b / 1000.0, 1);
    s.Massimo = hi / 1000.0;
    s.Minimo = lo / 1000.0;
    s.Centro = centro / 1000.0;
    return s;
}

int32_t VoceStatoObd(int32_t stato) {
    if (stato & 1) return 2;
    if (stato & 2) return 3;
    if (stato & 4) return 4;
    if (stato & 8) return 5;
    if (stato & 16) return 6;
    return 7;
}

std::string TestoTrim(int32_t grezzo) {
    const float r = static_cast<float>(grezzo) / 128.0f * 100.0f - 100.0f;
    return TestoNumero(r, 1);
}

ColoriCorrezioni CalcolaCorrezioni(const IngressiCorrezioni& x) {
    auto semplice = [](bool abilitato) { return abilitato ? LampadaAccesa : LampadaSpenta; };
    auto treStati = [](bool abilitato, bool attivo) {
        return !abilitato ? LampadaSpenta : (attivo ? LampadaAccesa : LampadaAttesa);
    };
    auto attesa = [](bool abilitato) { return abilitato ? LampadaAttesa : LampadaSpenta; };
    ColoriCorrezioni c{};
    c.TGas = semplice(x.FlagBlocco8 != 0);
    c.TWater = semplice(x.FlagBlocco7 != 0);
    c.PGas = semplice(x.FlagBlocco9 != 0);
    c.SmagAcc = treStati(x.FlagBlocco13 != 0, (x.Blocco1Valore44 & 0x0F) != 0);
    c.Extra = semplice(x.Blocco3Valore47 > 1);
    c.MinBenz = treStati((x.Soglie15 & 0x30) != 0, (x.Blocco1Valore37 & 0x40) != 0);
    c.MaxBenz = treStati((x.Soglie15 & 0x40) != 0, (x.Blocco1Valore37 & 0x20) != 0);
    c.Contributo = treStati((x.Soglie15 & 0x80) != 0, (x.Blocco1Valore44 & 0x40) != 0);
    c.OBDAd = treStati((x.Blocco2Valore2 & 4) != 0, x.Blocco12Valore0 > 0);
    c.CutOffContrib = attesa((x.Blocco16Valore1 & 4) != 0);
    c.AccMinimo = attesa((x.Blocco16Valore1 & 8) != 0);
    return c;
}

int32_t StatoSemaforoCasa(int32_t v) {
    if ((v & 32) && (v & 8) && (v & 16) && (v & 1) && (v & 6)) return 2;
    if (v & 63) return 1;
    return 0;
}

std::array<int32_t, 4> StatiSemaforiWizard(int32_t v) {
    std::array<int32_t, 4> s{};
    if ((v & 7) == 0) s[1] = 0;
    else if ((v & 1) && (v & 6)) s[1] = 2;
    else s[1] = 1;
    s[0] = (v & 8) ? 2 : 0;
    s[2] = (v & 16) ? 2 : 0;
    s[3] = (v & 32) ? 2 : 0;
    return s;
}

BottoneCasa AzioneBottoneCasa(int indice) {
    switch (indice) {
    case 2: return {AzioneCasa::PrimoBottoneBarra3, 52};
    case 0: return {AzioneCasa::PrimoBottoneBarra1, 25};
    case 1: return {AzioneCasa::PrimoBottoneBarra2, 0};
    case 3: return {AzioneCasa::Scheda, 11};
    case 5: return {AzioneCasa::Scheda, 45};
    case 6: return {AzioneCasa::Scheda, 13};
    case 7: return {AzioneCasa::Uscita, -1};
    default: return {};
    }
}

std::optional<int32_t> SchedaMenuTop(int indice, uint8_t soglie15) {
    switch (indice) {
    case 0: return 25;
    case 1: return 26;
    case 2: return (soglie15 & 8) ? 27 : 12;
    case 3: return 44;
    case 4: return 17;
    case 5: return 7;
    case 6: return 46;
    case 7: return 8;
    default: return std::nullopt;
    }
}

std::optional<int32_t> SchedaMenuTop2(int indice) {
    switch (indice) {
    case 0: return 0;
    case 1: return 1;
    default: return std::nullopt;
    }
}

std::optional<int32_t> SchedaMenuTop3(int indice) {
    switch (indice) {
    case 0: return 52;
    case 1: return 51;
    case 2: return 53;
    case 3: return 54;
    default: return std::nullopt;
    }
}

int32_t ProssimoColoreLampeggio(int32_t colore) {
    if (colore == 0) return 0xFF0000;
    if (colore == 0xFF0000) return 0xFFFF00;
    return 0;
}

std::optional<std::string> TramaConsole(const std::string& testo) {
    std::string hex;
    size_t coppia = 0; // digits of the current blank-separated group
    for (const char c : testo) {
        if (c == ' ') {
            if (coppia % 2 != 0) return std::nullopt;
            coppia = 0;
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        ++coppia;
    }
    if (coppia % 2 != 0 || hex.empty()) return std::nullopt;
    return hex;
}

std::optional<int32_t> ValoreCampoRecord(const std::string& testo, const std::string& codiceTipo, int32_t scala) {
    std::string t = testo;
    const std::string& sep = ModGlobFunct::SeparatoreDecimale;
    if (sep != "." && !sep.empty()) {
        if (t.find('.') != std::string::npos) return std::nullopt;
        for (size_t p = t.find(sep); p != std::string::npos; p = t.find(sep, p + 1)) t.replace(p, sep.size(), ".");
    }
    if (Conv::Trim(t).empty()) return std::nullopt;
    const auto numero = Conv::CDbl(t);
    if (!numero) return std::nullopt;
    const auto valore = Conv::CLng(*numero);
    if (!valore || scala == 0) return std::nullopt;
    const double grezzo = Conv::ArrotondaPari(static_cast<double>(*valore) / scala);
    double minimo = 0, massimo = 0;
    if (codiceTipo == "UB") massimo = 255;
    else if (codiceTipo == "SB") minimo = -128, massimo = 127;
    else if (codiceTipo == "UW") massimo = 65535;
    else if (codiceTipo == "SW") minimo = -32768, massimo = 32767;
    else if (codiceTipo == "SL") minimo = INT32_MIN, massimo = INT32_MAX;
    else return std::nullopt;
    if (grezzo < minimo || grezzo > massimo) return std::nullopt;
    return valore;
}

std::optional<int32_t> ValoreRecordScrivibile(const std::string& testo, const BloccoParametri& record, size_t indice) {
    if (indice >= record.CodiciTipo.size() || indice >= record.Scale.size()) return std::nullopt;
    const int32_t scala = record.Scale[indice];
    const auto valore = ValoreCampoRecord(testo, record.CodiciTipo[indice], scala);
    if (!valore) return std::nullopt;
    if (*valore % scala != 0) return std::nullopt;
    if (ModBlck::ValoreDopoDecodifica(record.Tipo, indice, *valore) != *valore) return std::nullopt;
    return valore;
}

std::string TestoPannello(const std::function<std::string(int32_t)>& voce, const std::string& identificazione,
                          const std::vector<int32_t>& valori) {
    auto v = [&](size_t k) { return Conv::CStr(Valore(valori, k)); };
    const std::string crlf = "\r\n";
    std::string s = voce(11) + crlf;
    s += ModMain::LeggiCampoTestoFw(identificazione, false) + " " + ModMain::LeggiCampoTestoFw(identificazione, true) +
         crlf;
    s += ModMain::FormattaVersioneFirmware(identificazione) + crlf;
    s += "--------------" + crlf;
    s += voce(3) + v(0) + ", " + v(1) + ", " + voce(4) + v(2) + "/" + v(3) + crlf;
    s += voce(6) + v(4) + ", " + voce(7) + v(5) + crlf;
    s += voce(8) + v(6) + crlf;
    s += voce(9) + v(7);
    return s;
}

std::string TestoConfigurazione(const std::string& etichettaNome, const std::string& etichettaNota,
                                const std::string& nome, const std::string& nota) {
    return etichettaNome + ": " + Conv::Trim(nome) + "\r\n" + etichettaNota + ": " + Conv::Trim(nota);
}

int32_t ScegliStato(int32_t flag37, int32_t statoCarburante, int32_t flag44, int32_t giri) {
    if ((flag37 & 1) == 0) return 19;
    int32_t s = 2;
    if ((flag37 & 0x60) == 0 && statoCarburante != 0 && (flag44 & 0x30) == 0) s = 3;
    else if (flag44 & 0x40) s = 4;
    if ((flag37 & 0x08) && giri != 0) s = 18;
    return s;
}

std::string TestoAnalogico(int32_t lettura) { return FormattaNumero(lettura * 4.887585532746823 / 1000.0, 3, 0); }

std::string TestoPressioneRail(int32_t pid, int32_t a, int32_t b) {
    float kpa = 0;
    switch (pid) {
    case 10: kpa = static_cast<float>(a) * 3.0f; break;
    case 34: kpa = static_cast<float>(a * 256 + b) * 0.079f; break;
    case 35:
    case 89: kpa = static_cast<float>(a * 256 + b) * 10.0f; break;
    default: break;
    }
    const float arrotondato = static_cast<float>(Conv::ArrotondaPari(static_cast<double>(kpa) * 1000.0) / 1000.0);
    const float bar = arrotondato / 100.0f;
    return TestoNumero(bar, 1) + " bar";
}

std::string TestoLambdaObd(int32_t a, int32_t b) {
    // Equivalence ratio: (A x 256 + B) x 2 / 65536 (SAE J1979), so bytes 128, 0 read exactly 1.
    const float l = static_cast<float>(a * 256 + b) * (2.0f / 65536.0f);
    return TestoNumero(l, 3);
}

RisultatoCruscotto CalcolaCruscotto(const IngressiCruscotto& x) {
    RisultatoCruscotto r;
    const int32_t flag37 = Valore(x.Blocco1, 37);
    const bool marcia = (flag37 & 1) != 0;
    r.TempRiduttore = Conv::CStr(Valore(x.Blocco1, 42));
    r.TempGas = Conv::CStr(Valore(x.Blocco1, 43));
    r.PressGas = FormattaNumeroZeri(Valore(x.Live, 33), 2);
    r.TitoloBenzina = x.TitoloTempoBenzina;
    r.Stato = ScegliStato(flag37, Valore(x.Blocco2, 1), Valore(x.Blocco1, 44), Valore(x.Blocco1, 32));
    if (!marcia) {
        r.Giri = r.TempoBenzina = r.TempoGas = r.PressMap = NessunDato;
        r.Lambda1 = r.Lambda2 = r.Analogico1 = r.Analogico2 = NessunDato;
        r.TrimVeloce = r.TrimLento = r.Rail = r.LambdaObd = NessunDato;
        r.ColoreTrimVeloce = r.ColoreTrimLento = r.ColoreRail = r.ColoreLambdaObd = ColoreNessunDato;
        return r;
    }
    r.Giri = Conv::CStr(Valore(x.Blocco1, 32));
    r.TempoBenzina = FormattaNumeroZeri(Valore(x.Blocco1, 15), 2);
    if (x.LivelloSupOAut) r.TitoloBenzina = "[" + Conv::CStr(x.UltimoValoreMem10) + "] " + x.TitoloTempoBenzina;
    r.TempoGas = Valore(x.Blocco2, 1) == 3 ? FormattaNumeroZeri(Valore(x.Blocco1, 7), 2) : NessunDato;
    r.PressMap = FormattaNumeroZeri(Valore(x.Live, 48), 2);
    r.Lambda1 = Valore(x.Blocco11, 69) != 0 ? FormattaNumeroZeri(Valore(x.Live, 35), 3) : NessunDato;
    r.Lambda2 = (Valore(x.Blocco11, 70) & 0xF) != 0 ? FormattaNumeroZeri(Valore(x.Live, 36), 3) : NessunDato;
    r.Analogico1 = TestoAnalogico(Valore(x.Blocco1, 55));
    r.Analogico2 = TestoAnalogico(Valore(x.Blocco1, 59));

    const bool obd = Valore(x.Blocco12, 0) >= 1 && (Valore(x.Blocco2, 2) & 4) != 0;
    if (!obd) {
        r.TrimVeloce = r.TrimLento = r.Rail = r.LambdaObd = NessunDato;
        r.ColoreTrimVeloce = r.ColoreTrimLento = r.ColoreRail = r.ColoreLambdaObd = ColoreNessunDato;
        return r;
    }
    const int32_t coloreTrim =
        (Valore(x.Blocco12, 26) & 0x12) != 0 && Valore(x.Blocco12, 18) > 0 ? ColoreTrimChiuso : ColoreTrimAperto;
    auto trim = [&](size_t abilita, size_t parola, std::string& testo, std::optional<int32_t>& colore) {
        if (Valore(x.Blocco12, abilita) > 0) {
            testo = TestoTrim(Valore(x.Blocco12, parola));
            colore = coloreTrim;
        } else {
            testo = NessunDato;
            colore = ColoreNessunDato;
        }
    };
    trim(19, 30, r.TrimVeloce, r.ColoreTrimVeloce);
    trim(20, 34, r.TrimLento, r.ColoreTrimLento);
    r.Rail = TestoPressioneRail(x.PidPressioneRail, Valore(x.Blocco12, 46), Valore(x.Blocco12, 47));
    r.LambdaObd = TestoLambdaObd(Valore(x.Blocco12, 50), Valore(x.Blocco12, 51));
    return r;
}

std::vector<std::pair<int, int>> SuoniCambioStato(const QString& vecchio, const QString& nuovo, const QString& stato18,
                                                  const QString& stato2, const QString& stato3) {
    std::vector<std::pair<int, int>> s;
    if (nuovo == vecchio) return s;
    if (vecchio != stato18 && nuovo == stato2) s.emplace_back(500, 150);
    if (vecchio != stato18 && nuovo == stato3) s.emplace_back(1000, 150);
    return s;
}

} // namespace Casa
