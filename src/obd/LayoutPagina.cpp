#include "obd/LayoutPagina.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QWidget>
#include <cmath>

#include "controls/FontComboRinviato.h"
#include "controls/PulsanteGrafico.h"
#include "core/Conversioni.h"
#include "platform/Caratteri.h"

namespace LayoutPagina {

namespace {
constexpr const char* ProprietaPosto = "PostoProgetto";
constexpr const char* ProprietaPunti = "PuntiProgetto";
constexpr const char* ProprietaGrassetto = "GrassettoProgetto";

void ApplicaFontPagina(QWidget* w, double punti) {
    const QFont f = Piattaforma::CreaFont("Tahoma", punti, w->property(ProprietaGrassetto).toBool());
    if (auto* b = qobject_cast<PulsanteGrafico*>(w)) b->Font(f);
    w->setFont(f);
}

} // namespace

void Colloca(QWidget* controllo, const QRect& posto, double punti, bool grassetto) {
    controllo->setProperty(ProprietaPosto, posto);
    if (punti > 0) {
        controllo->setProperty(ProprietaPunti, punti);
        controllo->setProperty(ProprietaGrassetto, grassetto);
        ApplicaFontPagina(controllo, punti);
    }
    controllo->setGeometry(posto);
}

double FattoreLarghezza(const QWidget* forma, const QSize& progetto) {
    return progetto.width() > 0 ? static_cast<double>(forma->width()) / progetto.width() : 1.0;
}

void Disponi(QWidget* forma, const QSize& progetto, double puntiFissi) {
    if (progetto.width() <= 0 || progetto.height() <= 0 || forma->width() <= 0 || forma->height() <= 0) return;
    const double wr = FattoreLarghezza(forma, progetto);
    const double hr = static_cast<double>(forma->height()) / progetto.height();
    for (QWidget* w : forma->findChildren<QWidget*>()) {
        const QVariant p = w->property(ProprietaPosto);
        if (!p.isValid()) continue;
        const double punti = w->property(ProprietaPunti).toDouble();
        if (punti > 0) ApplicaFontPagina(w, puntiFissi > 0 ? puntiFissi : std::max(1.0, Conv::ArrotondaPari(punti * wr)));
        const QRect r = p.toRect();
        int altezza = static_cast<int>(std::lround(r.height() * hr));
        if (qobject_cast<QComboBox*>(w))
            altezza = std::max(r.height(), FontComboRinviato::DimensioneSuggerita(w).height());
        w->setGeometry(static_cast<int>(std::lround(r.x() * wr)), static_cast<int>(std::lround(r.y() * hr)),
                       static_cast<int>(std::lround(r.width() * wr)), altezza);
    }
}

} // namespace LayoutPagina
