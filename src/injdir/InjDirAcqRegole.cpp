#include "injdir/InjDirAcqRegole.h"

#include <algorithm>
#include <cmath>

#include "core/Conversioni.h"

namespace InjDirAcqRegole {

namespace {

std::optional<int32_t> AcqIntero(const std::vector<std::string>& righe, size_t i) {
    if (i >= righe.size()) return std::nullopt;
    const auto v = Conv::CDbl(Conv::Trim(righe[i]));
    if (!v) return std::nullopt;
    return Conv::CLng(*v);
}

double AcqArrotonda(double v, int decimali) {
    const double f = std::pow(10.0, decimali);
    return Conv::ArrotondaPari(v * f) / f;
}

} // namespace

std::string TestoSequenza(const std::vector<int32_t>& blocco15, int32_t cilindri) {
    std::string t;
    for (int32_t i = 0; i < cilindri; ++i) {
        const size_t k = 79 + static_cast<size_t>(i);
        if (k >= blocco15.size()) break;
        t += " " + std::to_string((blocco15[k] & 0x7F) + 1);
        if (i < cilindri - 1) t += " -";
    }
    return t;
}

ListaModifiche TabellaAnticipoUniforme(int32_t valore) {
    ListaModifiche l;
    for (int32_t i = 0; i < 24; ++i) l.push_back(ModificaPendente{valore, 60 + i, 0});
    return l;
}

ImpostazioniSoglia LeggiImpostazioniSoglia(const std::vector<std::string>& righe) {
    ImpostazioniSoglia imp;
    for (size_t d = 0; d < righe.size(); ++d) {
        if (righe[d] != "[PercAutoRPM]") continue;
        int32_t* campi[] = {&imp.percentuale, &imp.attesa, &imp.fattoreIniziale};
        for (size_t k = 0; k < 3; ++k)
            if (const auto v = AcqIntero(righe, d + 1 + k); v && *v > 0) *campi[k] = *v;
    }
    return imp;
}

int64_t AttesaIniziale(const ImpostazioniSoglia& imp) {
    return static_cast<int64_t>(imp.fattoreIniziale) * imp.attesa;
}

int32_t IndiceRisultato(int32_t percentuale, int32_t indice, int32_t ultimoIndice) {
    const int64_t r = static_cast<int64_t>(percentuale) * indice / 100; // truncation toward zero
    return static_cast<int32_t>(std::clamp<int64_t>(r, 0, std::max(ultimoIndice, 0)));
}

double VoltSoglia(int32_t w, float fattore, float passo) {
    const float a = fattore * static_cast<float>(w);
    const float n = static_cast<float>(Conv::ArrotondaPari(static_cast<double>(a / passo)));
    return AcqArrotonda(static_cast<double>(passo * n), 1);
}

int32_t CampionePressione(int32_t banco1, int32_t alto, int32_t basso) {
    if (banco1 <= 0) return 0;
    const double kpa = AcqArrotonda((alto * 256.0 + basso) * 10.0, 3);
    const double bar = AcqArrotonda(kpa / 100.0, 1);
    return static_cast<int32_t>(Conv::ArrotondaPari(bar));
}

int32_t CampioneTensione(int32_t conteggio) {
    return static_cast<int32_t>(Conv::ArrotondaPari(conteggio * 4.887585532746823));
}

int32_t RigaRegione(double M, double R, const SoglieRegione& s) {
    const double T = s.rpm, L = s.mapBassa, H = s.mapAlta;
    if (M <= L && R <= T) return 0;
    if (M > L && M <= H && R <= T) return 1;
    if (M > L && M <= H && R > T) return 2;
    if (M > H && R > T) return 3;
    return -1;
}

void Campioni::Dimensiona(int32_t ultimo) {
    slot_.assign(static_cast<size_t>(std::max(ultimo, 0)) + 1, {});
    Riavvia();
}

void Campioni::Riavvia() {
    indice_ = 0;
    riempiti_ = 0;
}

void Campioni::Aggiungi(int32_t pressione, int32_t tensione, int32_t tinj, int32_t map, int32_t rpm) {
    slot_[indice_] = {pressione, tensione, tinj, map, rpm};
    indice_ = (indice_ + 1) % slot_.size();
    riempiti_ = std::min<int32_t>(riempiti_ + 1, static_cast<int32_t>(slot_.size()));
}

std::array<double, 5> Campioni::Medie() const {
    std::array<double, 5> m{};
    if (riempiti_ == 0) return m;
    // The filled slots are the last `riempiti_` written; before the buffer
    // wraps these are slots 0..riempiti_-1, afterwards all of them.
    std::array<int64_t, 5> somma{};
    for (int32_t i = 0; i < riempiti_; ++i)
        for (size_t c = 0; c < 5; ++c) somma[c] += slot_[static_cast<size_t>(i)][c];
    for (size_t c = 0; c < 5; ++c) m[c] = static_cast<double>(somma[c]) / riempiti_;
    m[1] /= 1000.0; // mV to volts
    m[2] /= 1000.0; // us to ms
    return m;
}

ImpostazioniAcquisizione LeggiImpostazioniAcquisizione(const std::vector<std::string>& righe) {
    ImpostazioniAcquisizione imp;
    auto positivo = [&](size_t i, int32_t& campo) {
        if (const auto v = AcqIntero(righe, i); v && *v > 0) campo = *v;
    };
    auto lista = [&](size_t i, std::array<int32_t, 22>& campo) {
        if (i >= righe.size()) return;
        const auto voci = Conv::Split(righe[i], "|");
        if (voci.size() != 22) return;
        for (size_t k = 0; k < 22; ++k)
            if (const auto v = Conv::CDbl(Conv::Trim(voci[k])))
                if (const auto n = Conv::CLng(*v)) campo[k] = *n;
    };
    for (size_t d = 0; d < righe.size(); ++d) {
        const std::string& r = righe[d];
        if (r == "[CalcPressAutoWiz]") {
            positivo(d + 1, imp.intervallo);
            positivo(d + 2, imp.ultimoCampione);
        } else if (r == "[SoglieAcqPresBenzNormale]" || r == "[SoglieAcqPresBenzTurbo]") {
            auto& s = r == "[SoglieAcqPresBenzTurbo]" ? imp.turbo : imp.normale;
            positivo(d + 1, s.rpm);
            positivo(d + 2, s.mapBassa);
            positivo(d + 3, s.mapAlta);
        } else if (r == "[CalcoloAsseTInj]") {
            lista(d + 1, imp.percentuali);
            lista(d + 2, imp.passiMinimi);
            if (const auto v = AcqIntero(righe, d + 3)) imp.margineTinj = *v;
            if (const auto v = AcqIntero(righe, d + 4)) imp.tinjMinimo = *v;
        }
    }
    // A buffer of a sane size: at most 1000 samples.
    imp.ultimoCampione = std::min(imp.ultimoCampione, 999);
    return imp;
}

std::optional<std::array<uint8_t, 23>> CalcoloTinjAuto(double massimoMs, const ImpostazioniAcquisizione& imp) {
    if (!(massimoMs > 0) || !std::isfinite(massimoMs) || massimoMs > 1e6) return std::nullopt;
    double top = Conv::ArrotondaPari(massimoMs * 1000.0) + imp.margineTinj;
    if (top > 22784) top = 22784;
    if (top < imp.tinjMinimo) top = imp.tinjMinimo;
    std::array<double, 23> s{};
    for (size_t j = 1; j <= 22; ++j) {
        s[j] = Conv::ArrotondaPari(top / 100.0 * imp.percentuali[j - 1] / 128.0) * 128.0;
        if (s[j] < imp.passiMinimi[j - 1]) s[j] = imp.passiMinimi[j - 1];
    }
    for (size_t k = 0; k < 22; ++k) s[k + 1] += s[k];
    // Computed into a copy: the axis changes only when every point fits a byte.
    std::array<uint8_t, 23> asse{};
    for (size_t l = 0; l < 23; ++l) {
        const double u = Conv::ArrotondaPari(s[l] / 128.0);
        if (u < 0 || u > 255) return std::nullopt;
        asse[l] = static_cast<uint8_t>(u);
    }
    return asse;
}

bool PosValida(int32_t pos) { return pos >= 1 && pos <= 13; }

ImpostazioniPressioneGas LeggiImpostazioniPressioneGas(const std::vector<std::string>& righe) {
    ImpostazioniPressioneGas imp;
    for (size_t d = 0; d < righe.size(); ++d) {
        const std::string& r = righe[d];
        if (r == "[PressParamGpl]" || r == "[PressParamCng]") {
            auto& p = r == "[PressParamGpl]" ? imp.gpl : imp.cng;
            if (const auto v = AcqIntero(righe, d + 1); v && PosValida(*v)) p.Pos = *v;
            if (const auto v = AcqIntero(righe, d + 2)) p.D_Min = *v;
            if (const auto v = AcqIntero(righe, d + 3)) p.D_Max = *v;
            if (const auto v = AcqIntero(righe, d + 4)) p.KFact = *v;
        } else if (r == "[MaxPressCenter]") {
            if (const auto v = AcqIntero(righe, d + 1)) imp.massimoCentro = *v;
        }
    }
    return imp;
}

std::optional<int32_t> MediaFinestra(const std::array<int32_t, 21>& campioni) {
    int64_t somma = 0;
    for (int32_t c : campioni) {
        if (c == -1) return std::nullopt;
        somma += c;
    }
    return static_cast<int32_t>(Conv::ArrotondaPari(static_cast<double>(somma) / 21.0));
}

} // namespace InjDirAcqRegole
