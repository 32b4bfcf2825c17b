#include "compensation/FrmCompensa.h"

#include <QtGui/QPalette>

FrmCompensa::FrmCompensa(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmCompensa"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmCompensa::Form_Load() {}
void FrmCompensa::Form_Unload() {}
void FrmCompensa::AggiornaLivelliVisualizzazione() {}
void FrmCompensa::CaricaLingua() {}
void FrmCompensa::AggiornaTabelledaVettori() {}
void FrmCompensa::VisualizzaPuntoTabella() {}
void FrmCompensa::IndiciEsperti() {}
