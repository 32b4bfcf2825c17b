#include "shell/FRM_ZEBMain.h"

#include <QtGui/QPalette>

FRM_ZEBMain::FRM_ZEBMain(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMain"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBMain::Form_Load() {}
void FRM_ZEBMain::Form_Unload() {}
void FRM_ZEBMain::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBMain::CaricaLingua() {}
void FRM_ZEBMain::AggiornaScalaSonda() {}
void FRM_ZEBMain::VisualizzazioneBarreTempoInj() {}
void FRM_ZEBMain::AggiornaStatoEcu() {}
void FRM_ZEBMain::AggiornaParametriObd() {}
void FRM_ZEBMain::AggiornaCorrezioniVarie() {}
