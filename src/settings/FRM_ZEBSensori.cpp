#include "settings/FRM_ZEBSensori.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FRM_ZEBSensori::FRM_ZEBSensori(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBSensori"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    CmbTipoSensMap = new QComboBox(this);
    CmbTipoSensMap->setObjectName(QStringLiteral("CmbTipoSensMap"));
    colonna->addWidget(CmbTipoSensMap);
    colonna->addStretch();
}

void FRM_ZEBSensori::Form_Load() {}
void FRM_ZEBSensori::Form_Unload() {}
void FRM_ZEBSensori::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBSensori::CaricaLingua() {}
void FRM_ZEBSensori::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FRM_ZEBSensori::CaricaSoglieLivello() {}
void FRM_ZEBSensori::AggiornaSelezioni() {}
void FRM_ZEBSensori::CaricaLivelliAttuale() {}
