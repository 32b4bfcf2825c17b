#include "maps/AssiModifica.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"

namespace AssiModifica {

namespace AssiModifica_ {

double Tondo(double x) { return Conv::ArrotondaPari(x); }

uint8_t Byte(double x) { return static_cast<uint8_t>(std::clamp(Tondo(x), 0.0, 255.0)); }

double Valore(const TestiGriglia& g, int32_t r, int32_t c) { return LeggiNumero(g(r, c)).value_or(0.0); }

} // namespace AssiModifica_

using namespace AssiModifica_;

std::optional<double> LeggiNumero(const std::string& testo) {
    std::string t = testo;
    std::replace(t.begin(), t.end(), ',', '.');
    if (t.find('&') != std::string::npos) return std::nullopt;
    const auto v = Conv::CDbl(t);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

float ControllaValore(std::string& testo, int32_t colonna) {
    if (testo.empty()) testo = "0";
    const double x = LeggiNumero(testo).value_or(0.0);
    if (colonna != ColonnaTinj) {
        const double n = Tondo(static_cast<float>(x));
        const double v = std::clamp(64.0 * Tondo(n / 64.0), 0.0, 8000.0);
        return static_cast<float>(v);
    }
    const double n = Tondo(x * 1000.0);
    const double v = std::clamp(128.0 * Tondo(n / 128.0), 0.0, 22784.0);
    return static_cast<float>(v / 1000.0);
}

std::string TestoValore(float valore, int32_t colonna) {
    if (colonna != ColonnaTinj) return Conv::CStr(static_cast<int64_t>(valore));
    return MappeOperazioni::TestoNumeroSingolo(valore);
}

std::vector<std::string> VociRpm() {
    std::vector<std::string> v;
    for (int32_t e = 500; e <= 7500; e += 250) v.push_back(Conv::CStr(e));
    return v;
}

std::vector<std::string> VociTinj() {
    std::vector<std::string> v;
    for (int32_t i = 0; i < 159; ++i) v.push_back(MappeOperazioni::TestoNumero(0.25 + 0.125 * i));
    return v;
}

int32_t ValoreVoceRpm(int32_t indice) { return static_cast<int32_t>(Tondo((500.0 + 250.0 * indice) / 64.0)) * 64; }
int32_t ValoreVoceTinj(int32_t indice) {
    return static_cast<int32_t>(Tondo((0.25 + 0.125 * indice) * 1000.0 / 128.0)) * 128;
}

namespace AssiModifica_ {

template <typename F>
int32_t Trova(int32_t punto, int32_t voci, int32_t passo, F valore) {
    for (int32_t j = 0; j < voci; ++j) {
        const int32_t v = valore(j);
        if (v == punto) return j;
        if (v > punto + passo) return j - 1;
    }
    return -1;
}

} // namespace AssiModifica_

int32_t TrovaValoreRPM(uint8_t valore) { return Trova(valore * 64, 29, 64, ValoreVoceRpm); }
int32_t TrovaValoreTNJ(uint8_t valore) { return Trova(valore * 128, 159, 128, ValoreVoceTinj); }

bool SceltaValida(const std::array<int32_t, 12>& p, int32_t k) {
    if (k < 0 || k > 11 || p[static_cast<size_t>(k)] < 0) return false;
    if (k > 0 && p[static_cast<size_t>(k)] <= p[static_cast<size_t>(k - 1)]) return false;
    if (k < 11 && p[static_cast<size_t>(k)] >= p[static_cast<size_t>(k + 1)]) return false;
    return true;
}

void InizializzaDati(TestiGriglia& g, const std::array<uint8_t, 24>& asseRpm, const std::array<uint8_t, 23>& asseTinj) {
    for (int i = 0; i < 23; ++i)
        g(i + 1, ColonnaTinj) = MappeOperazioni::TestoNumero(Tondo(asseTinj[static_cast<size_t>(i)] * 128.0) / 1000.0);
    for (int i = 0; i < 24; ++i) g(i + 1, ColonnaRpm) = Conv::CStr(asseRpm[static_cast<size_t>(i)] * 64);
}

void CaricaGrigliaInAssi(const TestiGriglia& g, std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj) {
    asseRpm[0] = 0;
    asseTinj[0] = 0;
    for (int i = 1; i <= 23; ++i) asseRpm[static_cast<size_t>(i)] = Byte(Valore(g, i + 1, ColonnaRpm) / 64.0);
    for (int j = 1; j <= 22; ++j) asseTinj[static_cast<size_t>(j)] = Byte(Valore(g, j + 1, ColonnaTinj) * 1000.0 / 128.0);
}

void SpianaAssi(TestiGriglia& g, std::array<uint8_t, 24>& asseRpm, std::array<uint8_t, 23>& asseTinj) {
    g(1, ColonnaRpm) = "0";
    for (int i = 1; i <= 9; ++i) {
        const int a = asseRpm[PuntiRpm[static_cast<size_t>(i)]], b = asseRpm[PuntiRpm[static_cast<size_t>(i + 1)]];
        g(2 * i + 2, ColonnaRpm) = Conv::CStr(static_cast<int64_t>((a + Tondo((b - a) / 2.0)) * 64));
    }
    {
        const int a = asseRpm[20], b = asseRpm[23];
        const int d = static_cast<int>(Tondo((b - a) / 3.0));
        g(22, ColonnaRpm) = Conv::CStr((a + d) * 64);
        g(23, ColonnaRpm) = Conv::CStr((a + 2 * d) * 64);
    }
    g(1, ColonnaTinj) = "0";
    for (int j = 1; j <= 10; ++j) {
        const int a = asseTinj[PuntiTinj[static_cast<size_t>(j)]], b = asseTinj[PuntiTinj[static_cast<size_t>(j + 1)]];
        g(2 * j + 2, ColonnaTinj) = MappeOperazioni::TestoNumero((a + Tondo((b - a) / 2.0)) * 128.0 / 1000.0);
    }
    CaricaGrigliaInAssi(g, asseRpm, asseTinj);
}

void AdattaScala(TestiGriglia& g, int32_t conta, int32_t colonna) {
    const double f = Valore(g, 1, colonna), l = Valore(g, conta, colonna);
    const double s = (l - f) / (conta - 1);
    for (int r = 2; r <= conta - 1; ++r) {
        std::string t = MappeOperazioni::TestoNumero(f + (r - 1) * s);
        const float v = ControllaValore(t, colonna);
        g(r, colonna) = TestoValore(v, colonna);
    }
}

std::vector<std::string> ControllaAssi(const TestiGriglia& g) {
    std::vector<std::string> righe;
    for (int r = 2; r <= 24; ++r)
        if (Valore(g, r, ColonnaRpm) - Valore(g, r - 1, ColonnaRpm) < 64)
            righe.push_back(g(0, ColonnaRpm) + ": " + g(r - 1, ColonnaRpm) + "/" + g(r, ColonnaRpm));
    for (int r = 2; r <= 23; ++r)
        if (Tondo((Valore(g, r, ColonnaTinj) - Valore(g, r - 1, ColonnaTinj)) * 1000.0) < 128)
            righe.push_back(g(0, ColonnaTinj) + ": " + g(r - 1, ColonnaTinj) + "/" + g(r, ColonnaTinj));
    return righe;
}

} // namespace AssiModifica
