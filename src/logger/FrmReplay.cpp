#include "logger/FrmReplay.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QLocale>

#include "controls/PulsanteGrafico.h"
#include "controls/ModZebPagina.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "engine/ServiziInterfaccia.h"
#include "logger/ModReplay.h"

namespace {

PulsanteGrafico* ReplayPulsante(QWidget* padre, const char* nome, const QString& simbolo) {
    return ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome),
                                       {.colori = false, .riflesso = false, .senzaFocus = true, .testo = simbolo});
}

} // namespace

FrmReplay::FrmReplay(QWidget* contenitore) : QWidget(contenitore, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("FrmReplay"));
    setFixedSize(220, 110);
    CmdP = ReplayPulsante(this, "CmdP", QStringLiteral("\u25B6"));
    CmdS = ReplayPulsante(this, "CmdS", QStringLiteral("\u25A0"));
    CmdSpeed = ReplayPulsante(this, "CmdSpeed", QStringLiteral("\u25B6\u25B6"));
    CmdP->setGeometry(8, 8, 98, 30);
    CmdS->setGeometry(114, 8, 98, 30);
    CmdSpeed->setGeometry(8, 42, 204, 30);
    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(1, 199);
    Slider1->setValue(100);
    Slider1->setTickInterval(10);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setGeometry(8, 76, 204, 28);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(CmdP, &PulsanteGrafico::Click, this, &FrmReplay::CmdP_Click);
    connect(CmdS, &PulsanteGrafico::Click, this, &FrmReplay::CmdS_Click);
    connect(CmdSpeed, &PulsanteGrafico::Click, this, &FrmReplay::CmdSpeed_Click);
    connect(Timer1, &QTimer::timeout, this, &FrmReplay::Timer1_Timer);
}

FrmReplay::~FrmReplay() { Form_Unload(); }

void FrmReplay::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    if (ModMain::FinestraPrincipale) setWindowIcon(ModMain::FinestraPrincipale->windowIcon());
    ModReplay::PercorsoLogReplay = ModMain::PercorsoBase + "/bin/LogReplay.txt";
    log_.open(ModReplay::PercorsoLogReplay, std::ios::binary | std::ios::trunc);
    const QString titolo = ModMain::FinestraPrincipale ? ModMain::FinestraPrincipale->windowTitle() : QString();
    const QString quando = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    // Without a log file the replay still runs; it only writes no rows.
    if (log_.is_open())
        log_ << (titolo + QStringLiteral(" - ") + quando).toStdString() << "\r\n"
             << ModReplay::IntestazioneLogReplay << "\r\n";
}

void FrmReplay::Form_Unload() {
    if (Timer1) Timer1->stop();
    if (CmdSpeed) CmdSpeed->setEnabled(true); // ends a fast replay's loop
    if (log_.is_open()) log_.close();
}

void FrmReplay::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmReplay::CmdP_Click() {
    if (!ModReplay::ArrayValidi()) return;
    Timer1->start();
    const size_t i = static_cast<size_t>(std::max(0, ModReplay::IndiceReplay));
    ModReplay::ProssimaTramaUsec = ModGlobFunct::LeggiMicrosecondi() + ModReplay::PausaUsec(i, 100);
}

void FrmReplay::CmdSpeed_Click() {
    if (!ModReplay::ArrayValidi()) return;
    CmdSpeed->setEnabled(false);
    CmdP_Click();
}

void FrmReplay::CmdS_Click() {
    // Stop only stops: the frame index is kept for the next play.
    Timer1->stop();
    CmdSpeed->setEnabled(true);
}

void FrmReplay::PassoReplay() {
    using namespace ModReplay;
    QCoreApplication::processEvents();
    if (ModGlobFunct::LeggiMicrosecondi() <= ProssimaTramaUsec) return;
    if (!ArrayValidi() || IndiceReplay >= static_cast<int32_t>(TrameReplay.size()) - 2) {
        CmdS_Click();
        IndiceReplay = 0;
        return;
    }
    const size_t i = static_cast<size_t>(++IndiceReplay);
    ProssimaTramaUsec = ModGlobFunct::LeggiMicrosecondi() + PausaUsec(i, Slider1->value());
    setWindowTitle(QString::number(TempiReplay[i]));
    if (SpedisciTrama(i)) {
        auto& ui = MDIFrm::Interfaccia();
        ui.FrmObd_AggiornaParametriObd();
        ui.FrmMappetta_AggiornaParametriObdMappettaSatellite();
        if (log_.is_open()) {
            const auto& v = TabellaBlocchi.size() > 12 ? TabellaBlocchi[12].Valori : std::vector<int32_t>{};
            log_ << RigaLogReplay(TempiReplay[i], v) << "\r\n";
            log_.flush();
        }
    }
}

void FrmReplay::Timer1_Timer() {
    // A tick arriving during this tick's own yield would start a nested pass: it is skipped.
    if (inTick_) return;
    inTick_ = true;
    for (;;) {
        PassoReplay();
        if (CmdSpeed->isEnabled()) break;
        Timer1->stop();
        ModReplay::ProssimaTramaUsec = 0;
    }
    inTick_ = false;
}
