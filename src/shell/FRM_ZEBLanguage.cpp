#include "shell/FRM_ZEBLanguage.h"

#include <QtGui/QPalette>

FRM_ZEBLanguage::FRM_ZEBLanguage(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBLanguage"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBLanguage::Form_Load() {}
void FRM_ZEBLanguage::Form_Unload() {}
void FRM_ZEBLanguage::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBLanguage::CaricaLingua() {}
