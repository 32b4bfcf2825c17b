#include "shell/FRM_ZEBMenu.h"

#include <QtGui/QPalette>

FRM_ZEBMenu::FRM_ZEBMenu(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBMenu"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

void FRM_ZEBMenu::Form_Load() {}
void FRM_ZEBMenu::Form_Unload() {}
void FRM_ZEBMenu::AggiornaLivelliVisualizzazione() {}
void FRM_ZEBMenu::CaricaLingua() {}
void FRM_ZEBMenu::VisualizzaDatiCentralina(const std::string&, const std::string&) {}
void FRM_ZEBMenu::AggiornaIcone() {}
