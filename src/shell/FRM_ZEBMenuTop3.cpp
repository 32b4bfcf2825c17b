#include "shell/FRM_ZEBMenuTop3.h"

#include <QtGui/QPalette>

FRM_ZEBMenuTop3::FRM_ZEBMenuTop3(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMenuTop3"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBMenuTop3::Form_Load() {}
void FRM_ZEBMenuTop3::Form_Unload() {}
void FRM_ZEBMenuTop3::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBMenuTop3::CaricaLingua() {}
