#include "settings/FrmSeqInj.h"

#include <QtGui/QPalette>

FrmSeqInj::FrmSeqInj(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmSeqInj"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmSeqInj::Form_Load() {}
void FrmSeqInj::Form_Unload() {}
void FrmSeqInj::AggiornaLivelliVisualizzazione() {}
void FrmSeqInj::CaricaLingua() {}
void FrmSeqInj::AggiornaSelezioni(bool) {}
