#include "injdir/FrmInjDirAcq4.h"

#include <QtGui/QPalette>

FrmInjDirAcq4::FrmInjDirAcq4(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmInjDirAcq4"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmInjDirAcq4::Form_Load() {}
void FrmInjDirAcq4::Form_Unload() {}
void FrmInjDirAcq4::AggiornaLivelliVisualizzazione() {}
void FrmInjDirAcq4::CaricaLingua() {}
void FrmInjDirAcq4::AggiornaVisualizzazione() {}
void FrmInjDirAcq4::AggiornaRealTime() {}
void FrmInjDirAcq4::GestioneRichieste() {}
