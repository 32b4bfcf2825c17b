#include "switchover/FrmCommutatore.h"

#include <QtGui/QPalette>

FrmCommutatore::FrmCommutatore(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmCommutatore"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmCommutatore::Form_Load() {}
void FrmCommutatore::Form_Unload() {}
void FrmCommutatore::AggiornaLivelliVisualizzazione() {}
void FrmCommutatore::CaricaLingua() {}
void FrmCommutatore::VisualizzaStatoCommutatore() {}
