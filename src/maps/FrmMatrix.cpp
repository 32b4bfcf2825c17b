#include "maps/FrmMatrix.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FrmMatrix::FrmMatrix(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmMatrix"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    CmdChgAxis = new QPushButton(this);
    CmdChgAxis->setObjectName(QStringLiteral("CmdChgAxis"));
    colonna->addWidget(CmdChgAxis);
    CmdDw = new QPushButton(this);
    CmdDw->setObjectName(QStringLiteral("CmdDw"));
    colonna->addWidget(CmdDw);
    CmdUp = new QPushButton(this);
    CmdUp->setObjectName(QStringLiteral("CmdUp"));
    colonna->addWidget(CmdUp);
    CmdUndo = new QPushButton(this);
    CmdUndo->setObjectName(QStringLiteral("CmdUndo"));
    colonna->addWidget(CmdUndo);
    CmdErrInjCanc = new QPushButton(this);
    CmdErrInjCanc->setObjectName(QStringLiteral("CmdErrInjCanc"));
    colonna->addWidget(CmdErrInjCanc);
    for (int i = 0; i < 2; ++i) {
        auto* w = new QComboBox(this);
        w->setObjectName(QStringLiteral("CMB_SelPage%1").arg(i));
        colonna->addWidget(w);
        CMB_SelPage.push_back(w);
    }
    ChkSIM = new QCheckBox(this);
    ChkSIM->setObjectName(QStringLiteral("ChkSIM"));
    colonna->addWidget(ChkSIM);
    ChkRefresh = new QCheckBox(this);
    ChkRefresh->setObjectName(QStringLiteral("ChkRefresh"));
    colonna->addWidget(ChkRefresh);
    GrdInj = new GrigliaDati(this);
    GrdInj->setObjectName(QStringLiteral("GrdInj"));
    colonna->addWidget(GrdInj);
    TxtMsgMappa = new QLineEdit(this);
    TxtMsgMappa->setObjectName(QStringLiteral("TxtMsgMappa"));
    colonna->addWidget(TxtMsgMappa);
    colonna->addStretch();
}

void FrmMatrix::Form_Load() {}
void FrmMatrix::Form_Unload() {}
void FrmMatrix::AggiornaLivelliVisualizzazione() {}
void FrmMatrix::CaricaLingua() {}
void FrmMatrix::CambiaTipoGriglia(int32_t) {}
void FrmMatrix::CaricaAssiInMatrice(GrigliaDati*, const std::array<uint8_t, ColonnePaginaMappa>&, const std::array<uint8_t, RighePaginaMappa>&) {}
void FrmMatrix::ColoraMatriceGradiente(GrigliaDati*) {}
void FrmMatrix::CaricaMatriceInGriglia(GrigliaDati*, const PaginaMappa&, double) {}
void FrmMatrix::AbilitaTasti() {}
void FrmMatrix::AggiornaCursMappa() {}
void FrmMatrix::VisualizzaPuntoMatrice(int32_t, int32_t) {}
