#include "config/FRM_ZEBLoadSave.h"

#include <QtGui/QPalette>

FRM_ZEBLoadSave::FRM_ZEBLoadSave(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBLoadSave"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBLoadSave::Form_Load() {}
void FRM_ZEBLoadSave::Form_Unload() {}
void FRM_ZEBLoadSave::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBLoadSave::CaricaLingua() {}
