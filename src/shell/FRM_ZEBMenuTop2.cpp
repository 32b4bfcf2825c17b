#include "shell/FRM_ZEBMenuTop2.h"

#include <QtGui/QPalette>

FRM_ZEBMenuTop2::FRM_ZEBMenuTop2(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMenuTop2"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBMenuTop2::Form_Load() {}
void FRM_ZEBMenuTop2::Form_Unload() {}
void FRM_ZEBMenuTop2::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBMenuTop2::CaricaLingua() {}
