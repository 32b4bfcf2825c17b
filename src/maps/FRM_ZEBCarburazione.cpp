#include "maps/FRM_ZEBCarburazione.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FRM_ZEBCarburazione::FRM_ZEBCarburazione(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBCarburazione"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    CMB_SelPage_0 = new QComboBox(this);
    CMB_SelPage_0->setObjectName(QStringLiteral("CMB_SelPage_0"));
    colonna->addWidget(CMB_SelPage_0);
    CMB_SelPage_1 = new QComboBox(this);
    CMB_SelPage_1->setObjectName(QStringLiteral("CMB_SelPage_1"));
    colonna->addWidget(CMB_SelPage_1);
    CmdDw = new QPushButton(this);
    CmdDw->setObjectName(QStringLiteral("CmdDw"));
    colonna->addWidget(CmdDw);
    CmdUp = new QPushButton(this);
    CmdUp->setObjectName(QStringLiteral("CmdUp"));
    colonna->addWidget(CmdUp);
    CmdResetMap = new QPushButton(this);
    CmdResetMap->setObjectName(QStringLiteral("CmdResetMap"));
    colonna->addWidget(CmdResetMap);
    CmdUndo = new QPushButton(this);
    CmdUndo->setObjectName(QStringLiteral("CmdUndo"));
    colonna->addWidget(CmdUndo);
    CmdChgAxis = new QPushButton(this);
    CmdChgAxis->setObjectName(QStringLiteral("CmdChgAxis"));
    colonna->addWidget(CmdChgAxis);
    ChkSIM = new QCheckBox(this);
    ChkSIM->setObjectName(QStringLiteral("ChkSIM"));
    colonna->addWidget(ChkSIM);
    ChkSpiana = new QCheckBox(this);
    ChkSpiana->setObjectName(QStringLiteral("ChkSpiana"));
    colonna->addWidget(ChkSpiana);
    GrdSmall = new GrigliaDati(this);
    GrdSmall->setObjectName(QStringLiteral("GrdSmall"));
    colonna->addWidget(GrdSmall);
    colonna->addStretch();
}

void FRM_ZEBCarburazione::Form_Load() {}
void FRM_ZEBCarburazione::Form_Unload() {}
void FRM_ZEBCarburazione::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBCarburazione::CaricaLingua() {}
void FRM_ZEBCarburazione::CambiaTipoGriglia(int32_t) {}
void FRM_ZEBCarburazione::CaricaAssiInMatrice(GrigliaDati*, const std::array<uint8_t, ColonnePaginaMappa>&, const std::array<uint8_t, RighePaginaMappa>&) {}
void FRM_ZEBCarburazione::ColoraMatriceGradiente2(GrigliaDati*) {}
void FRM_ZEBCarburazione::CaricaMatriceInGriglia(GrigliaDati*, const PaginaMappa&, double) {}
void FRM_ZEBCarburazione::AbilitaTasti() {}
void FRM_ZEBCarburazione::AggiornaCursMappaSmall() {}
void FRM_ZEBCarburazione::VisualizzaPuntoMatrice(int32_t, int32_t) {}
