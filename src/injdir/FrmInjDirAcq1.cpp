#include "injdir/FrmInjDirAcq1.h"

#include <QtGui/QPalette>

FrmInjDirAcq1::FrmInjDirAcq1(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmInjDirAcq1"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmInjDirAcq1::Form_Load() {}
void FrmInjDirAcq1::Form_Unload() {}
void FrmInjDirAcq1::AggiornaLivelliVisualizzazione() {}
void FrmInjDirAcq1::CaricaLingua() {}
void FrmInjDirAcq1::AggiornaVisualizzazione() {}
void FrmInjDirAcq1::GestioneRichieste() {}
