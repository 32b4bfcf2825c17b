#include "obd/FrmObd.h"

#include <QtGui/QPalette>

FrmObd::FrmObd(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmObd"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmObd::Form_Load() {}
void FrmObd::Form_Unload() {}
void FrmObd::AggiornaLivelliVisualizzazione() {}
void FrmObd::CaricaLingua() {}
void FrmObd::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FrmObd::AzzeraRiferimenti() {}
void FrmObd::AggiornaVisualizzazioni() {}
void FrmObd::AggiornaSelezioniObd() {}
void FrmObd::AggiornaVisualizzazioneNew() {}
void FrmObd::AggiornaVisualizzazione() {}
void FrmObd::AggiornaParametriObd() {}
void FrmObd::Form_Resize() {}
