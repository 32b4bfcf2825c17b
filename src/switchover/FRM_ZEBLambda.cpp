#include "switchover/FRM_ZEBLambda.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FRM_ZEBLambda::FRM_ZEBLambda(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBLambda"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        auto* w = new QFrame(this);
        w->setObjectName(QStringLiteral("SHP%1").arg(i));
        colonna->addWidget(w);
        SHP.push_back(w);
    }
    colonna->addStretch();
}

void FRM_ZEBLambda::Form_Load() {}
void FRM_ZEBLambda::Form_Unload() {}
void FRM_ZEBLambda::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBLambda::CaricaLingua() {}
void FRM_ZEBLambda::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FRM_ZEBLambda::AggiornaSelezioni() {}
void FRM_ZEBLambda::AggiornaVisualizzazioniLambda() {}
