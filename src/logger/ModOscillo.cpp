#include "logger/ModOscillo.h"

#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"

namespace ModOscillo {

namespace {

constexpr int32_t OscilloIdPredefiniti[NumeroCanali] = {15, 7, 33, 48, 35, 42, 43, 32};
constexpr std::string_view OscilloPrefissoLive = "42017C0C00";
constexpr std::string_view OscilloPrefissoObd = "42015C4400";

// Lines of a text split at LF, each without its CR.
std::vector<std::string_view> OscilloRighe(std::string_view testo) {
    std::vector<std::string_view> righe;
    size_t p = 0;
    while (p <= testo.size()) {
        size_t q = testo.find('\n', p);
        if (q == std::string_view::npos) q = testo.size();
        std::string_view r = testo.substr(p, q - p);
        if (!r.empty() && r.back() == '\r') r.remove_suffix(1);
        righe.push_back(r);
        if (q == testo.size()) break;
        p = q + 1;
    }
    if (!righe.empty() && righe.back().empty() && !testo.empty() && testo.back() == '\n') righe.pop_back();
    return righe;
}

// The whole file, at most `massimo` bytes (a larger one is reported and not read).
bool OscilloLeggiFile(const std::string& percorso, std::string& testo,
                      int64_t massimo = ModBlck::DimensioneMassimaFile) {
    auto letto = ModBlck::LeggiFileIntero(percorso, massimo);
    if (!letto) return false;
    testo = std::move(*letto);
    return true;
}

int32_t OscilloNumero(std::string_view riga) {
    const auto v = Conv::CLng(std::string_view(Conv::Trim(riga)));
    return v ? *v : 0;
}

// The set-up file's number form: a sign position, the digits and a blank.
std::string OscilloNumeroSetup(int64_t v) {
    return (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " ";
}

// Hex text to bytes; false on an odd length or a character that is not hex.
bool OscilloHexInByte(std::string_view hex, std::string& byte) {
    if (hex.size() % 2 != 0) return false;
    byte.resize(hex.size() / 2);
    auto cifra = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    for (size_t i = 0; i < byte.size(); ++i) {
        const int a = cifra(hex[2 * i]), b = cifra(hex[2 * i + 1]);
        if (a < 0 || b < 0) return false;
        byte[i] = static_cast<char>(a * 16 + b);
    }
    return true;
}

int32_t OscilloValore(const BloccoParametri& b, int64_t k) {
    if (k < 0 || k >= static_cast<int64_t>(b.Valori.size())) return 0;
    return b.Valori[static_cast<size_t>(k)];
}

// Fuel trim as percent: raw 128 is 0 %.
int32_t OscilloTrim(int32_t v) { return static_cast<int32_t>(Conv::ArrotondaPari(v * 100.0 / 128.0 - 100.0)); }

// Keeps the recording hook away from the reader's decodes.
struct OscilloGuardiaTraccia {
    bool prima = ModBlck::DecodificaDaTraccia;
    OscilloGuardiaTraccia() { ModBlck::DecodificaDaTraccia = true; }
    ~OscilloGuardiaTraccia() { ModBlck::DecodificaDaTraccia = prima; }
};

} // namespace

// ---- Channels and variables ---------------------------------------------

InsiemeCanali CanaliPredefiniti() {
    InsiemeCanali c;
    for (int i = 0; i < NumeroCanali; ++i) {
        c[i].Canale = i;
        c[i].IdVariabile = OscilloIdPredefiniti[i];
    }
    return c;
}

void LeggiSetupCanaliTesto(std::string_view testo, InsiemeCanali& canali) {
    const auto righe = OscilloRighe(testo);
    size_t blocco = 0;
    for (size_t i = 0; i < righe.size(); ++i) {
        if (Conv::Trim(righe[i]) != "[Var]") continue;
        if (blocco >= canali.size()) break; // extra blocks are ignored
        CanaleOscilloscopio& c = canali[blocco++];
        auto riga = [&](size_t n) -> std::string_view { return i + n < righe.size() ? righe[i + n] : std::string_view(); };
        c.Canale = std::clamp(OscilloNumero(riga(1)), 0, NumeroCanali - 1);
        c.IdVariabile = OscilloNumero(riga(2));
        c.Visibile = Conv::Trim(riga(3)) == "-1" ? -1 : 0;
        c.Colore = std::clamp(OscilloNumero(riga(4)), 0, ColoreMassimoCanale);
        c.OffsetPercento = std::clamp(OscilloNumero(riga(5)), OffsetMinimoCanale, OffsetMassimoCanale);
        c.ZoomPercento = OscilloNumero(riga(6));
        i += 6;
    }
}

void LeggiSetupCanali(const std::string& percorso, InsiemeCanali& canali) {
    std::string testo;
    if (!OscilloLeggiFile(percorso, testo)) return;
    LeggiSetupCanaliTesto(testo, canali);
}

std::string TestoSetupCanali(const InsiemeCanali& canali) {
    std::string t = "[Desc]\r\nid\r\nid_grandezza_blocco1\r\nVisibile\r\nColore\r\noffset_%_altezza_video\r\n"
                    "zoom_percentuale\r\n\r\n";
    for (const auto& c : canali) {
        t += "[Var]\r\n";
        for (const int64_t v : {int64_t(c.Canale), int64_t(c.IdVariabile), int64_t(c.Visibile), int64_t(c.Colore),
                                int64_t(c.OffsetPercento), int64_t(c.ZoomPercento)})
            t += OscilloNumeroSetup(v) + "\r\n";
        t += "\r\n";
    }
    return t;
}

bool ScriviSetupCanali(const std::string& percorso, const InsiemeCanali& canali) {
    return ModBlck::ScriviFileSicuro(percorso, TestoSetupCanali(canali));
}

void LeggiListaVariabiliTesto(std::string_view testo, std::vector<VariabileOscilloscopio>& lista) {
    lista.clear();
    const auto righe = OscilloRighe(testo);
    for (size_t i = 0; i < righe.size(); ++i) {
        if (righe[i] != "[Var]") continue;
        VariabileOscilloscopio v;
        size_t n = 1;
        auto prossima = [&](std::string_view& r) {
            if (i + n >= righe.size() || righe[i + n] == "[Var]") return false;
            r = righe[i + n++];
            return true;
        };
        std::string_view r;
        if (prossima(r)) v.Nomi = std::string(r);
        if (prossima(r)) v.IdVariabile = OscilloNumero(r);
        if (prossima(r)) {
            // A factor a single cannot hold (a scale too near 0) counts as a bad scale.
            const auto s = Conv::CDbl(Conv::Trim(r));
            const double fattore = (s && *s != 0.0 && std::isfinite(*s)) ? 1.0 / *s : 1.0;
            v.Scala = std::fabs(fattore) <= std::numeric_limits<float>::max() ? static_cast<float>(fattore) : 1.0f;
        }
        if (prossima(r)) v.Unita = std::string(r);
        lista.push_back(std::move(v));
        i += n - 1;
    }
}

void LeggiListaVariabili(const std::string& percorso, std::vector<VariabileOscilloscopio>& lista) {
    std::string testo;
    if (!OscilloLeggiFile(percorso, testo)) {
        lista.clear();
        return;
    }
    LeggiListaVariabiliTesto(testo, lista);
}

std::string NomeInLingua(const std::string& nomi, int32_t lingua) {
    if (lingua < 0) return {};
    const auto parti = Conv::Split(nomi, ",");
    return static_cast<size_t>(lingua) < parti.size() ? parti[static_cast<size_t>(lingua)] : std::string();
}

void AssegnaVariabili(InsiemeCanali& canali, const std::vector<VariabileOscilloscopio>& lista, int32_t lingua) {
    for (auto& c : canali) {
        c.Scala = 0.0f;
        c.Unita.clear();
        c.Nome.clear();
        for (const auto& v : lista) {
            if (v.IdVariabile != c.IdVariabile) continue;
            c.Scala = v.Scala;
            c.Unita = v.Unita;
            c.Nome = NomeInLingua(v.Nomi, lingua);
        }
    }
}

void DistribuisciOffset(InsiemeCanali& canali) {
    int32_t visibili = 0;
    for (const auto& c : canali)
        if (c.Visibile == -1) ++visibili;
    for (size_t k = 0; k < canali.size(); ++k)
        canali[k].OffsetPercento = (100 / (visibili + 1)) * static_cast<int32_t>(k + 1);
}

// ---- Trace reading, copy and export -------------------------------------

uint8_t CalcolaXorRisposta(std::string_view trama) {
    uint8_t x = 0;
    for (const char c : trama) x ^= static_cast<uint8_t>(c);
    return x;
}

void CaricaTestoLog(std::string_view testo, std::vector<int32_t>& campioniLog, std::vector<int32_t>& campioniObd,
                    const InsiemeCanali& canali, const Avanzamento& avanzamento) {
    // Lines at CR LF; a final line break leaves an empty last line.
    std::vector<std::string_view> L;
    L.reserve(testo.size() / 40 + 4);
    for (size_t p = 0;;) {
        const size_t q = testo.find("\r\n", p);
        if (q == std::string_view::npos) {
            L.push_back(testo.substr(p));
            break;
        }
        L.push_back(testo.substr(p, q - p));
        p = q + 2;
    }

    BloccoParametri live = TabellaBlocchi.size() > 1 ? TabellaBlocchi[1] : BloccoParametri{};
    BloccoParametri obd = TabellaBlocchi.size() > 12 ? TabellaBlocchi[12] : BloccoParametri{};
    OscilloGuardiaTraccia guardia;

    campioniLog.assign(1, 0);
    campioniObd.assign(1, 0);
    campioniLog.reserve(L.size() / 3 * Passo + Passo);
    campioniObd.reserve(L.size() / 3 * Passo + Passo);
    int64_t f = -1, m = -1;
    int32_t contoAllaRovescia = 0;
    const size_t u = L.size() - 1;
    std::string byte;

    for (size_t i = 0; i + 2 <= u; ++i) {
        if (avanzamento.Frazione && (i & 4095) == 0) avanzamento.Frazione(static_cast<double>(i) / static_cast<double>(u));
        const bool eLive = L[i] == "CMD_READ_MEM1";
        if (!eLive && L[i] != "CMD_READ_OBD_DATA") continue;

        // "time R hex": at most three fields split at blanks, none empty.
        const std::string_view r = L[i + 2];
        const size_t b1 = r.find(' ');
        if (b1 == std::string_view::npos) continue;
        const size_t b2 = r.find(' ', b1 + 1);
        if (b2 == std::string_view::npos) continue;
        const std::string_view tempo = r.substr(0, b1), segno = r.substr(b1 + 1, b2 - b1 - 1), hex = r.substr(b2 + 1);
        if (tempo.empty() || segno.empty() || hex.empty()) continue;
        if (hex.substr(0, 10) != (eLive ? OscilloPrefissoLive : OscilloPrefissoObd)) continue;
        if (!OscilloHexInByte(hex, byte) || CalcolaXorRisposta(byte) != 0) continue;
        int32_t t = 0;
        const auto esito = std::from_chars(tempo.data(), tempo.data() + tempo.size(), t);
        if (esito.ec != std::errc() || esito.ptr != tempo.data() + tempo.size()) continue;

        f += Passo;
        campioniLog.resize(static_cast<size_t>(f + 1), 0);
        campioniObd.resize(static_cast<size_t>(f + 1), 0);
        int32_t* lg = campioniLog.data() + (f - 8);
        int32_t* ob = campioniObd.data() + (f - 8);
        lg[0] = t;
        ob[0] = t;
        if (eLive) {
            if (contoAllaRovescia < 0) {
                if (avanzamento.CediMessaggi) avanzamento.CediMessaggi();
                contoAllaRovescia = 2000;
            }
            --contoAllaRovescia;
            ModBlck::DecodificaBlocco(byte, live);
            for (int c = 0; c < NumeroCanali; ++c) lg[1 + c] = OscilloValore(live, canali[c].IdVariabile);
            if (m != -1)
                for (int c = 1; c < Passo; ++c) ob[c] = campioniObd[static_cast<size_t>(m - 8 + c)];
        } else {
            m = f;
            ModBlck::DecodificaBlocco(byte, obd);
            for (const size_t k : {30, 34, 38, 42})
                if (k < obd.Valori.size()) obd.Valori[k] = OscilloTrim(obd.Valori[k]);
            if (f >= 17)
                for (int c = 1; c < Passo; ++c) lg[c] = campioniLog[static_cast<size_t>(f - 17 + c)];
            const int64_t valori[] = {26, 27, 30, 34, 38, 42, 0};
            for (int c = 0; c < 7; ++c) ob[1 + c] = OscilloValore(obd, valori[c]);
            ob[8] = 0;
        }
    }
    if (avanzamento.Frazione) avanzamento.Frazione(1.0);
}

void CaricaFileLog(std::vector<int32_t>& campioniLog, std::vector<int32_t>& campioniObd, const std::string& percorso,
                   const InsiemeCanali& canali, const Avanzamento& avanzamento) {
    std::string testo;
    if (percorso.empty() || !OscilloLeggiFile(percorso, testo, DimensioneMassimaTraccia)) {
        campioniLog.assign(1, 0);
        campioniObd.assign(1, 0);
        return;
    }
    CaricaTestoLog(testo, campioniLog, campioniObd, canali, avanzamento);
}

bool CopiaFileLog(const std::string& destinazione, const Avanzamento& avanzamento) {
    std::string testo;
    // The recording is ours and has no bound of its own: it is always copied whole.
    if (!OscilloLeggiFile(ModMain::PercorsoLoggerTmp, testo, INT64_MAX)) return false;
    if (avanzamento.Frazione) avanzamento.Frazione(0.0);
    const bool ok = ModBlck::ScriviFileSicuro(destinazione, testo);
    if (avanzamento.Frazione) avanzamento.Frazione(1.0);
    return ok;
}

std::string TestoEsportazione(const InsiemeCanali& canali, const std::vector<int32_t>& campioniLog,
                              const std::vector<int32_t>& campioniObd) {
    std::string t = "Tempo # ";
    for (int c = 0; c < NumeroCanali; ++c) {
        if (c > 0) t += " # ";
        t += canali[c].Nome;
    }
    t += " # pid 03 # pid 06 # pid 07 # pid 11 # STAPOPEN \r\n";
    t.reserve(t.size() + campioniLog.size() / Passo * 80);
    char numero[16];
    auto aggiungi = [&](int32_t v) {
        const auto r = std::to_chars(numero, numero + sizeof numero, v);
        t.append(numero, r.ptr);
    };
    auto obd = [&](size_t i) { return i < campioniObd.size() ? campioniObd[i] : 0; };
    for (size_t k = 0; k + Passo <= campioniLog.size(); k += Passo) {
        aggiungi(campioniLog[k]);
        for (size_t c = 1; c < Passo; ++c) {
            t += " # ";
            aggiungi(campioniLog[k + c]);
        }
        for (size_t c = 1; c <= 5; ++c) {
            t += " # ";
            aggiungi(obd(k + c));
        }
        t += "\r\n";
    }
    return t;
}

bool EsportaCampioni(const std::string& percorso, const InsiemeCanali& canali,
                     const std::vector<int32_t>& campioniLog, const std::vector<int32_t>& campioniObd) {
    return ModBlck::ScriviFileSicuro(percorso, TestoEsportazione(canali, campioniLog, campioniObd));
}

// ---- Recording ----------------------------------------------------------

std::string IntestazioneRegistrazione(double inizioMs, const std::string& dataOra, const std::string& rispostaLive) {
    return "0 TimerApi_uSec " + Conv::CStr(static_cast<int64_t>(inizioMs)) + " Now " + dataOra +
           "\r\nCMD_READ_MEM1\r\n0 T 4102032161\r\n0 R " + ModGlobFunct::ConvertiTestoInHex(rispostaLive) + "\r\n";
}

bool AvviaRegistrazione() {
    using namespace ModBlck;
    if (StatoRegistrazione == 1) return true;
    const double inizio = Conv::ArrotondaPari(ModGlobFunct::LeggiMicrosecondi() / 1000.0);
    if (FileLogger.is_open()) FileLogger.close();
    FileLogger.clear();
    FileLogger.open(ModMain::PercorsoLoggerTmp, std::ios::binary | std::ios::trunc);
    if (!FileLogger.is_open()) return false;
    const QString dataOra = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    FileLogger << IntestazioneRegistrazione(inizio, dataOra.toStdString(), ModMain::BloccoAppoggio.UltimaRisposta);
    FileLogger.flush();
    if (!FileLogger.good()) {
        FileLogger.close();
        return false;
    }
    InizioRegistrazione = inizio;
    AnelloPieno = false;
    AnelloMem1.assign(UltimoIndiceAnello + 1, BloccoParametri{});
    AnelloObd.assign(UltimoIndiceAnello + 1, BloccoParametri{});
    CampioniLog.assign(1, 0);
    CampioniObd.assign(1, 0);
    IndiceAnello = 0;
    XTracciaLive = XGrigliaLive = XInizioGrafico;
    ZoomTempo = 100;
    StatoRegistrazione = 1;
    return true;
}

void FermaRegistrazione() {
    ModBlck::StatoRegistrazione = 2;
    if (ModBlck::FileLogger.is_open()) ModBlck::FileLogger.close();
}

} // namespace ModOscillo
