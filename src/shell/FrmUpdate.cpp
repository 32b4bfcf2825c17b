#include "shell/FrmUpdate.h"

#include <QtGui/QPalette>

#include "core/ModGlobFunct.h"
#include "engine/ModMainRichieste.h"
#include "platform/Caratteri.h"

namespace {

// How long the overlay stays after the request slot has emptied, microseconds.
constexpr double CodaChiusuraUs = 250000.0;

} // namespace

FrmUpdate::FrmUpdate(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmUpdate"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(160, 160, 192));
    setPalette(p);

    Label1 = new QLabel(QStringLiteral("UPDATE"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(Piattaforma::CreaFont(QStringLiteral("Tahoma"), 12, true));
    QPalette pl = Label1->palette();
    pl.setColor(QPalette::Window, QColor(0, 0, 128));
    pl.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(pl);
    Label1->setAutoFillBackground(true);

    Timer1 = new QTimer(this);
    Timer1->setInterval(30);
    connect(Timer1, &QTimer::timeout, this, &FrmUpdate::Timer1_Timer);
    Form_Resize();
}

void FrmUpdate::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FrmUpdate::Form_Resize() { Label1->setGeometry(0, 0, width(), height()); }

bool FrmUpdate::EtichettaOpaca() const { return Label1->autoFillBackground(); }

void FrmUpdate::Timer1_Timer() {
    show();
    Label1->show();
    raise();
    Label1->setAutoFillBackground(!Label1->autoFillBackground());
    Label1->update();
    if (ModMain::RichiestaPendente != 0) IstanteChiusura = ModGlobFunct::LeggiMicrosecondi() + CodaChiusuraUs;
    if (ModGlobFunct::LeggiMicrosecondi() > IstanteChiusura) {
        hide();
        Label1->hide();
        Timer1->stop();
        IstanteChiusura = 0.0;
    }
}
