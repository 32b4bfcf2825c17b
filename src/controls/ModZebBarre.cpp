#include "controls/ModZebBarre.h"

#include <QtWidgets/QProgressBar>

#include "controls/PulsanteGraficoColori.h"

namespace ModZeb {

namespace {

// The two colours are kept on the bar so that setting one keeps the other.
constexpr const char* ProprietaBarra = "ColoreBarra";
constexpr const char* ProprietaSfondo = "ColoreSfondoBarra";

void ApplicaColori(QProgressBar* barra) {
    const QVariant b = barra->property(ProprietaBarra);
    const QVariant s = barra->property(ProprietaSfondo);
    const QColor bar = b.isValid() ? Pulsante::ColoreQt(b.toInt()) : barra->palette().color(QPalette::Highlight);
    const QColor sfondo = s.isValid() ? Pulsante::ColoreQt(s.toInt()) : barra->palette().color(QPalette::Base);
    // A flat bar in the given colours, as the common control draws a bar
    // whose colours were set.
    barra->setStyleSheet(QStringLiteral("QProgressBar { background-color: %1; border: 1px solid #808080; "
                                        "text-align: center; } QProgressBar::chunk { background-color: %2; }")
                             .arg(sfondo.name(), bar.name()));
}

} // namespace

void ImpostaColoreBarra(QProgressBar* barra, int32_t colore) {
    if (!barra) return;
    barra->setProperty(ProprietaBarra, colore);
    ApplicaColori(barra);
}

void ImpostaColoreSfondoBarra(QProgressBar* barra, int32_t colore) {
    if (!barra) return;
    barra->setProperty(ProprietaSfondo, colore);
    ApplicaColori(barra);
}

} // namespace ModZeb
