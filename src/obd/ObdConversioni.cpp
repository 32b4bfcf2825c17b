#include "obd/ObdConversioni.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Conversioni.h"

namespace ObdConversioni {

int32_t IndiceAbilObd(int32_t v, int32_t b3v49) {
    const int32_t bit = v & (0x04 | 0x08 | 0x20);
    if (bit == 0) return 0;
    if (bit == 0x08) return 2;
    if (bit == (0x08 | 0x04)) return (b3v49 & 0x01) ? 1 : 3;
    return -1;
}

ScrittureAbilitazione ApplicaAbilitazioneObd(bool scelto, int32_t i, int32_t b3v50, int32_t b3v48,
                                             std::optional<int32_t> ore) {
    ScrittureAbilitazione s;
    s.Blocco3 = {{b3v50, 50, 0}, {b3v48, 48, 0}, {scelto && i == 1 ? 1 : 0, 49, 0x01}};
    s.Blocco2 = {{scelto && (i == 1 || i == 3) ? 1 : 0, 2, 0x04},
                 {0, 2, 0x20},
                 {scelto && (i == 1 || i == 2 || i == 3) ? 1 : 0, 2, 0x08}};
    s.Blocco14 = {{ore ? *ore : 0xFFFF, 3, 0}, {0xFFFF, 4, 0}};
    return s;
}

StatoBanco2 Banco2(int32_t v84, int32_t v21) {
    StatoBanco2 s;
    s.Visibile = (v84 & 0x01) != 0;
    s.Spuntato = s.Visibile && v21 != 0;
    return s;
}

ListaModifiche ScritturaBanco2(bool spuntato, int32_t v84) {
    const bool si = spuntato && (v84 & 0x01);
    return {{si ? 8 : 0, 21, 0}, {si ? 9 : 0, 22, 0}};
}

std::vector<ModEvoObd::VoceProtocolloObd> ProtocolliDaRiga(const std::string& riga) {
    std::vector<ModEvoObd::VoceProtocolloObd> r;
    const auto voci = Conv::Split(riga, "|");
    for (size_t j = 0; 2 * j + 1 < voci.size(); ++j)
        r.push_back({voci[2 * j], static_cast<int32_t>(Conv::Val(voci[2 * j + 1]))});
    return r;
}

int32_t IndiceProtocollo(const std::vector<ModEvoObd::VoceProtocolloObd>& lista, int32_t codice) {
    for (size_t i = 0; i < lista.size(); ++i)
        if (lista[i].Codice == codice) return static_cast<int32_t>(i);
    return -1;
}

std::string TestoTrim(int32_t r, char separatore) {
    const float p = static_cast<float>(r & 0xFF) / 128.0f * 100.0f - 100.0f;
    return Conv::NumeroGenerale(Conv::ArrotondaPari(static_cast<double>(p) * 10.0) / 10.0, separatore);
}

std::string TestoRiepilogo(int32_t numero, int32_t protocollo, const int32_t a[4]) {
    std::string t = "NUM ECU: " + std::to_string(numero) + "\r\nINIT: " +
                    ModEvoObd::NomeProtocolloObd(static_cast<uint8_t>(protocollo & 0xFF)) + "\r\nADR: ";
    for (int i = 0; i < 4; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "00%X", static_cast<uint32_t>(a[i]));
        const std::string h = buf;
        t += h.substr(h.size() - 2);
    }
    return t;
}

std::optional<int32_t> OffsetStatoCarburante(int32_t v18, int32_t stato) {
    if (v18 < 0) return std::nullopt;
    for (int32_t k = 0; k < 5; ++k)
        if (stato & (1 << k)) return 2 + k;
    return 7;
}

int32_t ByteConSegno(int32_t v) {
    v &= 0xFF;
    return v > 127 ? v - 256 : v;
}

std::optional<Barra> CalcolaBarra(int32_t alto, int32_t altezza, int32_t a, int32_t b) {
    if (a <= 0) return std::nullopt;
    Barra r;
    r.Scala = static_cast<double>(altezza) / (2.0 * a);
    const double h = Conv::ArrotondaPari(r.Scala * 2.0 * std::min(a, std::max(b, 0)));
    r.AltezzaBanda = static_cast<int32_t>(h);
    r.AltoBanda = static_cast<int32_t>(std::lround(alto + altezza / 2.0 - h / 2.0));
    return r;
}

int32_t AltoMarcatore(int32_t alto, int32_t altezza, double scala, int32_t media, int32_t centro, int32_t hMarcatore) {
    const double y = Conv::ArrotondaPari(alto + altezza / 2.0 - scala * (media - centro)) - hMarcatore / 2.0;
    const double minimo = alto, massimo = alto + altezza - hMarcatore;
    return static_cast<int32_t>(std::lround(std::clamp(y, minimo, std::max(minimo, massimo))));
}

int32_t PrimoMaggioreUguale(const std::vector<double>& valori, double v) {
    for (size_t i = 0; i < valori.size(); ++i)
        if (valori[i] >= v) return static_cast<int32_t>(i);
    return -1;
}

int32_t ByteTarget(double voce) {
    const int32_t v = static_cast<int32_t>(Conv::ArrotondaPari(voce));
    return v >= 0 ? v & 0xFF : (v + 256) & 0xFF;
}

int32_t MsRitardo(double secondi) { return static_cast<int32_t>(Conv::Fix(secondi * 1000.0)); }

int32_t PidRailDaIndice(int32_t i) {
    static const int32_t pid[] = {0, 0x0A, 0x22, 0x23, 0x59};
    return i >= 0 && i < 5 ? pid[i] : -1;
}

std::optional<int32_t> IndicePidRail(int32_t v) {
    for (int32_t i = 0; i < 5; ++i)
        if (PidRailDaIndice(i) == v) return i;
    return std::nullopt;
}

std::optional<std::string> RigaDopo(const std::vector<std::string>& righe, size_t indice, size_t dopo) {
    if (indice + dopo >= righe.size()) return std::nullopt;
    return righe[indice + dopo];
}

int32_t CelleAcquisite(const std::string& r) {
    int32_t n = 0;
    for (size_t i = 6; i <= 125 && i < r.size(); ++i) n += r[i] != 0;
    return n;
}

int32_t IndiceRpmMappaObd(int32_t v37, int32_t v32, int32_t v50, const uint8_t asse[24]) {
    int32_t colonna = 0;
    if ((v37 & 0x01) && (v37 & 0x08) && v32 == 0) {
        const int32_t rpm = asse[std::clamp(v50, 0, 23)] * 64;
        colonna = static_cast<int32_t>(Conv::Int(rpm / 512.0)) - 1;
    } else {
        colonna = v32 / 512 - 1;
    }
    return std::clamp(colonna, 0, 7);
}

int32_t IndiceCaricoMappaObd(int32_t v48, int32_t unita) {
    if (unita == 0) return 0;
    return std::clamp(v48 / unita - 1, 0, 14);
}

Acquisite StatisticaAcquisite(const std::string& r) {
    Acquisite a;
    for (size_t i = 6; i <= 125; ++i) {
        const int32_t v = i < r.size() ? ByteConSegno(static_cast<uint8_t>(r[i])) : 0;
        if (v == 0) continue;
        a.Massimo = std::max(a.Massimo, v);
        a.Minimo = std::min(a.Minimo, v);
        ++a.Numero;
    }
    return a;
}

int32_t SuggerimentoMinDiff(const Acquisite& a) {
    return static_cast<int32_t>(Conv::ArrotondaPari((a.Massimo - a.Minimo) / 2.0 + 1));
}

int32_t SuggerimentoTarget(const Acquisite& a) {
    return a.Minimo + static_cast<int32_t>(Conv::ArrotondaPari((a.Massimo - a.Minimo) / 2.0));
}

std::string TestoSoglia(const std::vector<std::string>& voci, int32_t k, const std::string& unita) {
    if (k >= 0 && k < static_cast<int32_t>(voci.size())) return voci[static_cast<size_t>(k)] + unita;
    return " --- %";
}

} // namespace ObdConversioni
