#include "shell/FrmPrima.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <cmath>

#include "core/ModGlobFunct.h"
#include "shell/ImmaginiShell.h"

namespace {

constexpr double DurataUs = 4000000.0;
constexpr double DissolvenzaUs = 800000.0;
// The tick the splash asks for is "as fast as the system allows"; the growth
// and the fade advance once per tick. 16 ms is the period the original
// platform gave, so the splash grows by about 250 pixels, not by thousands.
constexpr int PeriodoTimerMs = 16;

// Platforms that draw no windows on a screen have no opacity to set.
bool TrasparenzaDisponibile() {
    const QString p = QGuiApplication::platformName();
    return p != QLatin1String("offscreen") && p != QLatin1String("minimal");
}

} // namespace

FrmPrima::FrmPrima(QWidget* proprietario)
    : QWidget(proprietario, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FrmPrima"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ImmaginiShell::IconaFinestra());
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ImmaginiShell::Splash());
    Image1->setGeometry(0, 0, 381, 156);

    Timer1 = new QTimer(this);
    Timer1->setInterval(PeriodoTimerMs);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &FrmPrima::Timer1_Timer);
    Form_Load();
    Timer1->start();
}

void FrmPrima::Form_Load() {
    LivelloAlfa = 255;
    if (TrasparenzaDisponibile()) setWindowOpacity(1.0);
    resize(Image1->width(), Image1->height());
    IstanteFine = ModGlobFunct::LeggiMicrosecondi() + DurataUs;
}

int32_t FrmPrima::CalcolaLivelloAlfa(int32_t tempoResiduo) {
    if (tempoResiduo > DissolvenzaUs) return 255;
    if (tempoResiduo <= 0) return 0;
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(tempoResiduo) * 255.0 / DissolvenzaUs));
}

void FrmPrima::Timer1_Timer() {
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (adesso > IstanteFine) {
        Timer1->stop();
        close();
        return;
    }
    TempoResiduo = static_cast<int32_t>(std::nearbyint(IstanteFine - adesso));
    resize(width() + 1, height() + 1);
    const int32_t alfa = CalcolaLivelloAlfa(TempoResiduo);
    if (alfa != LivelloAlfa && TrasparenzaDisponibile()) setWindowOpacity(alfa / 255.0);
    LivelloAlfa = alfa;
}

void FrmPrima::Form_KeyUp(int16_t KeyCode, int16_t) {
    if (KeyCode == 27) IstanteFine = ModGlobFunct::LeggiMicrosecondi();
}

void FrmPrima::AggiornaLivelliVisualizzazione() {}
