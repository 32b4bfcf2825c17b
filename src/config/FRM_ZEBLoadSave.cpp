#include "config/FRM_ZEBLoadSave.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QPushButton>

#include "config/ModMainSalvataggio.h"
#include "engine/ModMainTasti.h"
#include "platform/Dialoghi.h"

namespace {

// 1,500 x 495 twips, as the page's other buttons.
constexpr int LargEsporta = 100, AltEsporta = 33, MargineEsporta = 8;

} // namespace

FRM_ZEBLoadSave::FRM_ZEBLoadSave(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBLoadSave"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setFocusPolicy(Qt::StrongFocus);

    CmdExport = new QPushButton(QStringLiteral("Export config"), this);
    CmdExport->setObjectName(QStringLiteral("CmdExport"));
    CmdExport->setStyleSheet(QStringLiteral("background-color: #FF0000;"));
    CmdExport->resize(LargEsporta, AltEsporta);
    CmdExport->hide();
    connect(CmdExport, &QPushButton::clicked, this, &FRM_ZEBLoadSave::CmdExport_Click);
}

void FRM_ZEBLoadSave::Form_Load() { CmdExport->hide(); }
void FRM_ZEBLoadSave::Form_Unload() {}
void FRM_ZEBLoadSave::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBLoadSave::CaricaLingua() {}

void FRM_ZEBLoadSave::resizeEvent(QResizeEvent*) {
    CmdExport->move(width() - LargEsporta - MargineEsporta, MargineEsporta);
}

void FRM_ZEBLoadSave::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (const auto visibile = ModMain::VisibilitaEsportazione(KeyCode, Shift, ModMain::TastoXPremuto))
        CmdExport->setVisible(*visibile);
    ModMain::GestisciTasto(KeyCode, Shift);
}

void FRM_ZEBLoadSave::keyReleaseEvent(QKeyEvent* e) {
    const int tasto = e->key();
    int16_t codice = 0;
    if (tasto == Qt::Key_Escape) codice = ModMain::TastoEsc;
    else if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z) codice = static_cast<int16_t>('A' + (tasto - Qt::Key_A));
    else if (tasto >= Qt::Key_0 && tasto <= Qt::Key_9) codice = static_cast<int16_t>('0' + (tasto - Qt::Key_0));
    else return;
    int16_t shift = 0;
    if (e->modifiers() & Qt::ShiftModifier) shift |= ModMain::MaiuscoloShift;
    if (e->modifiers() & Qt::ControlModifier) shift |= ModMain::MaiuscoloCtrl;
    if (e->modifiers() & Qt::AltModifier) shift |= ModMain::MaiuscoloAlt;
    Form_KeyUp(codice, shift);
}

void FRM_ZEBLoadSave::CmdExport_Click() {
    const auto scelto = Piattaforma::ScegliFileDaSalvare(
        QString(), QString(), QStringLiteral("Text Files  (*.txt);;All Files  (*.*)"));
    if (!scelto || scelto->isEmpty()) return;
    ModMain::EsportaBlocchi(scelto->toLocal8Bit().toStdString());
}
