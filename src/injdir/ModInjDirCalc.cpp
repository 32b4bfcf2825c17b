#include "injdir/ModInjDirCalc.h"

#include <cmath>

#include "compensation/CompensaModello.h"
#include "controls/ModZebPagina.h"
#include "core/Conversioni.h"
#include "core/ModMainCaricatori.h"
#include "injdir/FrmInjDirAcq3.h"

namespace ModInjDirCalc {

namespace {

std::optional<int32_t> CalcIntero(const std::vector<std::string>& righe, size_t i) {
    if (i >= righe.size()) return std::nullopt;
    const auto v = Conv::CDbl(Conv::Trim(righe[i]));
    if (!v) return std::nullopt;
    return Conv::CLng(*v);
}

double CalcArrotonda(double v, int decimali) {
    const double f = std::pow(10.0, decimali);
    return Conv::ArrotondaPari(v * f) / f;
}

} // namespace

bool LeggiImpostazioni(const std::vector<std::string>& righe, ImpostazioniCompensazione& imp) {
    imp = ImpostazioniCompensazione{};
    bool ok = true;
    for (size_t d = 0; d < righe.size(); ++d) {
        if (righe[d] != "[CalcPressAuto]") continue;
        int32_t* campi[] = {&imp.MargineInferiore, &imp.MargineSuperiore, &imp.UltimoIndiceAcq, &imp.ScalaPercentuale};
        for (size_t k = 0; k < 4; ++k) {
            if (const auto v = CalcIntero(righe, d + 1 + k)) *campi[k] = *v;
            else ok = false;
        }
        if (const auto v = CalcIntero(righe, d + 5)) imp.CoefficienteRadice = *v;
        else ok = false;
    }
    return ok;
}

RisultatoCompensazione Calcola(const std::vector<PuntoAcquisito>& punti, const ImpostazioniCompensazione& imp) {
    RisultatoCompensazione r;
    r.voce = 33;
    if (punti.size() < 2) {
        r.voce = 34;
        return r;
    }
    for (const auto& p : punti)
        if (!p.bar || !p.volt || !std::isfinite(*p.bar) || !std::isfinite(*p.volt)) return r;
    const double riferimento = *punti[0].volt;
    if (!(riferimento > 0)) return r;
    const int32_t n = imp.UltimoIndiceAcq;
    if (n < 1 || n > 1000) return r;

    // Segment k joins the k-th and (k+1)-th points in grid order.
    const size_t segmenti = punti.size() - 1;
    std::vector<double> pendenza(segmenti), intercetta(segmenti), fine(segmenti);
    std::vector<bool> verticale(segmenti);
    for (size_t k = 0; k < segmenti; ++k) {
        const double p0 = *punti[k].bar, v0 = *punti[k].volt, p1 = *punti[k + 1].bar, v1 = *punti[k + 1].volt;
        // One pressure: the pressure step is taken as a millionth of a bar, so
        // one voltage gives a flat segment and two give a near-vertical one.
        pendenza[k] = (v0 - v1) / (p0 == p1 ? 0.000001 : p0 - p1);
        intercetta[k] = v0 - pendenza[k] * p0;
        fine[k] = p1;
        verticale[k] = p0 == p1 && v0 != v1;
    }
    double lo = 1000000, hi = 0;
    for (const auto& p : punti) {
        hi = std::max(hi, *p.bar);
        lo = std::min(lo, *p.bar);
    }
    lo = std::max(lo - imp.MargineInferiore, 0.0);
    hi += imp.MargineSuperiore;
    const double d = (hi - lo) / n;
    r.asse.resize(static_cast<size_t>(n) + 1);
    r.X.resize(r.asse.size());
    r.Y.resize(r.asse.size());
    for (size_t a = 0; a < r.asse.size(); ++a) {
        const double t = Conv::ArrotondaPari(2 * (d * static_cast<double>(a) + lo));
        r.asse[a] = CalcArrotonda(t / 2, 1);
        size_t k = segmenti - 1;
        for (size_t s = 0; s < segmenti; ++s)
            if (r.asse[a] <= fine[s]) {
                k = s;
                break;
            }
        // A near-vertical segment gives any pressure but its own extreme volts.
        if (verticale[k] && r.asse[a] != fine[k]) return r;
        const double v = CalcArrotonda(pendenza[k] * r.asse[a] + intercetta[k], 2);
        r.X[a] = v < 0 ? 0 : v;
        const double fattore = std::sqrt(r.X[a] / riferimento) * imp.CoefficienteRadice;
        const double y = Conv::Fix(imp.ScalaPercentuale * fattore) - imp.ScalaPercentuale;
        if (!std::isfinite(y) || r.X[a] > TensioneMassimaTabella || y < CorrezioneMinimaTabella ||
            y > CorrezioneMassimaTabella)
            return r;
        r.Y[a] = static_cast<int32_t>(y);
    }
    r.riuscito = true;
    r.voce = 0;
    return r;
}

bool CalcolaCompensazionePressBenz(std::string& testo) {
    testo.clear();
    FrmInjDirAcq3* f = FrmInjDirAcq3::Istanza;
    const int32_t base = f ? f->OffsetWizard : 0;
    ImpostazioniCompensazione imp;
    const bool impostazioni = LeggiImpostazioni(ModMain::RigheConfigScale, imp);
    std::vector<PuntoAcquisito> punti;
    if (f) punti = f->PuntiAcquisiti();
    auto r = Calcola(punti, imp);
    if (r.riuscito && !impostazioni) {
        r.riuscito = false;
        r.voce = 33;
    }
    if (!r.riuscito) {
        testo = ModZebPagina::Voce(std::optional<int16_t>(static_cast<int16_t>(base)), r.voce);
        return false;
    }
    ModMain::UltimoIndiceAcq = static_cast<int32_t>(r.X.size()) - 1;
    ModMain::RisultatoAcqX = r.X;
    ModMain::RisultatoAcqY = r.Y;
    return true;
}

} // namespace ModInjDirCalc
