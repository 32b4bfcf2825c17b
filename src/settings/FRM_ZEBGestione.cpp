#include "settings/FRM_ZEBGestione.h"

#include <QtGui/QPalette>

FRM_ZEBGestione::FRM_ZEBGestione(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBGestione"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBGestione::Form_Load() {}
void FRM_ZEBGestione::Form_Unload() {}
void FRM_ZEBGestione::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBGestione::CaricaLingua() {}
void FRM_ZEBGestione::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FRM_ZEBGestione::AggiornaSelezioni() {}
void FRM_ZEBGestione::AggiornaStatoEcu_FrmParam() {}
