#include "calibration/FrmAutoTuning.h"

#include <QtGui/QPalette>

FrmAutoTuning::FrmAutoTuning(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmAutoTuning"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmAutoTuning::Form_Load() {}
void FrmAutoTuning::Form_Unload() {}
void FrmAutoTuning::AggiornaLivelliVisualizzazione() {}
void FrmAutoTuning::CaricaLingua() {}
void FrmAutoTuning::PresettaLaFinestra() {}
void FrmAutoTuning::VisualizzaDatiTune() {}
