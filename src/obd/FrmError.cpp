#include "obd/FrmError.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FrmError::FrmError(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmError"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    CmbService = new QComboBox(this);
    CmbService->setObjectName(QStringLiteral("CmbService"));
    colonna->addWidget(CmbService);
    CmbServiceLOW = new QComboBox(this);
    CmbServiceLOW->setObjectName(QStringLiteral("CmbServiceLOW"));
    colonna->addWidget(CmbServiceLOW);
    colonna->addStretch();
}

void FrmError::Form_Load() {}
void FrmError::Form_Unload() {}
void FrmError::AggiornaLivelliVisualizzazione() {}
void FrmError::CaricaLingua() {}
void FrmError::RiempiCmbSwtch(const std::vector<std::string>&) {}
void FrmError::AggiornaAbilitazioni() {}
void FrmError::AggiornaVisualizzazioni(bool) {}
void FrmError::VisualizzaErrori() {}
void FrmError::RichiediAggiornamentoErrori() {}
