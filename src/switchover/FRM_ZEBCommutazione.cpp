#include "switchover/FRM_ZEBCommutazione.h"

#include <QtGui/QPalette>

FRM_ZEBCommutazione::FRM_ZEBCommutazione(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBCommutazione"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBCommutazione::Form_Load() {}
void FRM_ZEBCommutazione::Form_Unload() {}
void FRM_ZEBCommutazione::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBCommutazione::CaricaLingua() {}
void FRM_ZEBCommutazione::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FRM_ZEBCommutazione::AggiornaSelezioni() {}
void FRM_ZEBCommutazione::RealTimeMonitor() {}
