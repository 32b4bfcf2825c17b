#include "firmware/FrmFirmware.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FrmFirmware::FrmFirmware(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmFirmware"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    CmdSelect = new QPushButton(this);
    CmdSelect->setObjectName(QStringLiteral("CmdSelect"));
    colonna->addWidget(CmdSelect);
    CmdCancel = new QPushButton(this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    colonna->addWidget(CmdCancel);
    CmdOk = new QPushButton(this);
    CmdOk->setObjectName(QStringLiteral("CmdOk"));
    colonna->addWidget(CmdOk);
    CmdUpdate = new QPushButton(this);
    CmdUpdate->setObjectName(QStringLiteral("CmdUpdate"));
    colonna->addWidget(CmdUpdate);
    LblMsg = new QLabel(this);
    LblMsg->setObjectName(QStringLiteral("LblMsg"));
    colonna->addWidget(LblMsg);
    colonna->addStretch();
}

void FrmFirmware::Form_Load() {}
void FrmFirmware::Form_Unload() {}
void FrmFirmware::AggiornaLivelliVisualizzazione() {}
void FrmFirmware::CaricaLingua() {}
bool FrmFirmware::CaricaVersioneCentralina(const std::string&, const std::string&) {
    return false;
}
