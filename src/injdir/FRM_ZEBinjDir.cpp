#include "injdir/FRM_ZEBinjDir.h"

#include <QtGui/QPalette>

FRM_ZEBinjDir::FRM_ZEBinjDir(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBinjDir"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBinjDir::Form_Load() {}
void FRM_ZEBinjDir::Form_Unload() {}
void FRM_ZEBinjDir::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBinjDir::CaricaLingua() {}
void FRM_ZEBinjDir::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FRM_ZEBinjDir::AggiornaSelezioni() {}
void FRM_ZEBinjDir::VisualizzaPunto(int32_t) {}
