#include "obd/FrmMappetta.h"

#include <QtCore/QPointer>

FrmMappetta::FrmMappetta(QWidget* contenitore) : QWidget(contenitore, Qt::Window) {
    setObjectName(QStringLiteral("FrmMappetta"));
}

FrmMappetta* FrmMappetta::Istanza() {
    static QPointer<FrmMappetta> istanza;
    if (!istanza) istanza = new FrmMappetta;
    return istanza;
}

void FrmMappetta::AggiornaLivelliVisualizzazione() {}
void FrmMappetta::CaricaLingua() {}
void FrmMappetta::AggiornamentoMappetta() {}
void FrmMappetta::AggiornaVariabiliMappettaSatellite() {}
