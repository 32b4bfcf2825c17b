#include "logger/FrmLogger.h"

#include <QtGui/QPalette>
#include <QtWidgets/QVBoxLayout>

FrmLogger::FrmLogger(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmLogger"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        auto* w = new QRadioButton(this);
        w->setObjectName(QStringLiteral("OptRun%1").arg(i));
        colonna->addWidget(w);
        OptRun.push_back(w);
    }
    colonna->addStretch();
}

void FrmLogger::Form_Load() {}
void FrmLogger::Form_Unload() {}
void FrmLogger::AggiornaLivelliVisualizzazione() {}
void FrmLogger::CaricaLingua() {}
void FrmLogger::ApriFileLogger() {}
