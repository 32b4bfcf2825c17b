#include "shell/FRM_ZEBDashBoard.h"

#include <QtGui/QPalette>

FRM_ZEBDashBoard::FRM_ZEBDashBoard(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBDashBoard"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBDashBoard::Form_Load() {}
void FRM_ZEBDashBoard::Form_Unload() {}
void FRM_ZEBDashBoard::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBDashBoard::CaricaLingua() {}
void FRM_ZEBDashBoard::VisulizzaBarraVariabili() {}
