#include "injdir/FrmInjDirAcq3.h"

#include <QtGui/QPalette>

FrmInjDirAcq3::FrmInjDirAcq3(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmInjDirAcq3"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmInjDirAcq3::Form_Load() {}
void FrmInjDirAcq3::Form_Unload() {}
void FrmInjDirAcq3::AggiornaLivelliVisualizzazione() {}
void FrmInjDirAcq3::CaricaLingua() {}
void FrmInjDirAcq3::AggiornaVisualizzazione() {}
void FrmInjDirAcq3::AggiornaRealTime() {}
void FrmInjDirAcq3::GestioneRichieste() {}
