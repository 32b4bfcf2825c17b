#include "shell/FRM_ZEBConnected.h"

#include <QtGui/QPalette>

#include "shell/ImmaginiShell.h"

namespace {

QFrame* CreaSegno(QWidget* contenitore, const QString& nome, const QColor& colore, int x, int y) {
    auto* s = new QFrame(contenitore);
    s->setObjectName(nome);
    s->setGeometry(x, y, 8, 8);
    s->setAutoFillBackground(true);
    QPalette p = s->palette();
    p.setColor(QPalette::Window, colore);
    s->setPalette(p);
    s->setVisible(false);
    return s;
}

} // namespace

FRM_ZEBConnected::FRM_ZEBConnected(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBConnected"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    const int lato = ImmaginiShell::LatoIconaConnessione;
    for (int k = 0; k <= 6; ++k) {
        auto* b = new QLabel(this);
        b->setObjectName(QStringLiteral("IMG_BUFFER%1").arg(k));
        b->setPixmap(ImmaginiShell::IconaConnessione(k));
        b->setVisible(false);
        IMG_BUFFER.push_back(b);
    }
    IMG = new QLabel(this);
    IMG->setObjectName(QStringLiteral("IMG"));
    IMG->setGeometry(5, 5, lato, lato);

    for (int k = 0; k <= 1; ++k) {
        auto* b = new QLabel(this);
        b->setObjectName(QStringLiteral("BUT_EXP%1").arg(k));
        b->setPixmap(ImmaginiShell::InterruttoreEsperto(k));
        b->setGeometry(196, 14, 44, 22);
        b->setVisible(k == 0);
        BUT_EXP.push_back(b);
    }
    SHP_LEV.push_back(nullptr);
    SHP_LEV.push_back(CreaSegno(this, QStringLiteral("SHP_LEV1"), QColor(255, 200, 0), 246, 10));
    SHP_LEV.push_back(CreaSegno(this, QStringLiteral("SHP_LEV2"), QColor(255, 80, 80), 246, 30));
}

void FRM_ZEBConnected::Form_Load() {}
void FRM_ZEBConnected::Form_Unload() {}
void FRM_ZEBConnected::AggiornaLivelliVisualizzazione() {}
