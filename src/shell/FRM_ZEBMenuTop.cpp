#include "shell/FRM_ZEBMenuTop.h"

#include <QtGui/QPalette>

FRM_ZEBMenuTop::FRM_ZEBMenuTop(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMenuTop"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    for (int i = 0; i < 8; ++i) {
        auto* b = new PulsanteGrafico(this);
        b->setObjectName(QStringLiteral("BUT_Menu%1").arg(i));
        b->setVisible(false);
        BUT_Menu.push_back(b);
    }
}

void FRM_ZEBMenuTop::Form_Load() {}
void FRM_ZEBMenuTop::Form_Unload() {}
void FRM_ZEBMenuTop::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBMenuTop::CaricaLingua() {}
