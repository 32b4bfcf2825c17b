#include "shell/FRM_ZEBPortSearch.h"

#include <QtGui/QPalette>

FRM_ZEBPortSearch::FRM_ZEBPortSearch(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBPortSearch"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBPortSearch::Form_Load() {}
void FRM_ZEBPortSearch::Form_Unload() {}
void FRM_ZEBPortSearch::AggiornaLivelliVisualizzazione() {}
