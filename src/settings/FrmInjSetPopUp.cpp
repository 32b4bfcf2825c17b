#include "settings/FrmInjSetPopUp.h"

#include <QtGui/QPalette>

FrmInjSetPopUp::FrmInjSetPopUp(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmInjSetPopUp"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FrmInjSetPopUp::Form_Load() {}
void FrmInjSetPopUp::Form_Unload() {}
void FrmInjSetPopUp::AggiornaLivelliVisualizzazione() {}
void FrmInjSetPopUp::CaricaLingua() {}
void FrmInjSetPopUp::AggiornaSelezioni(bool) {}
void FrmInjSetPopUp::AggiornaTempiInj() {}
void FrmInjSetPopUp::RichiediAggiornamentoBlocco3() {}
