#include "injdir/FrmInjDirAcq2.h"

#include <QtGui/QPalette>

FrmInjDirAcq2::FrmInjDirAcq2(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmInjDirAcq2"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmInjDirAcq2::Form_Load() {}
void FrmInjDirAcq2::Form_Unload() {}
void FrmInjDirAcq2::AggiornaLivelliVisualizzazione() {}
void FrmInjDirAcq2::CaricaLingua() {}
void FrmInjDirAcq2::AggiornaVisualizzazione() {}
void FrmInjDirAcq2::AggiornaRealTime() {}
void FrmInjDirAcq2::GestioneRichieste() {}
