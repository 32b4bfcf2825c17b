// The logger page: controls, load, texts, recording and the file commands.
// The chart, the navigation and the readout are in FrmLoggerGrafico.cpp.
#include "logger/FrmLogger.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPalette>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "controls/PulsanteGraficoColori.h"
#include "core/ClsLingue.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "logger/GraficoLogger.h"
#include "engine/ModMainTasti.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"

namespace {

// Entries of the page's dictionary section, by position after its marker.
enum VoceLogger : int {
    VoceMessaggioConfigurazione = 14,
    VoceBancata1 = 15,
    VoceCopiaFallita = 19,
    VoceLoggerTmpFallito = 20,
    VoceEsportazioneFallita = 21,
    VoceApri = 22,
    VoceSalva = 23,
    VoceEsporta = 24,
    VoceRegistrazioneInterrotta = 25,
};

using ModZebPagina::ColoriPieni;

// The picture of a visible channel's box.
QPixmap LoggerSpunta() {
    QPixmap px(14, 14);
    px.fill(Qt::white);
    QPainter p(&px);
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.drawLine(3, 7, 6, 10);
    p.drawLine(6, 10, 11, 3);
    return px;
}

constexpr int32_t LoggerNavy = 0x800000; // red 0, green 0, blue 128

} // namespace

// ---- Chart picture --------------------------------------------------------

PannelloGrafico::PannelloGrafico(QWidget* contenitore) : QWidget(contenitore) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PannelloGrafico::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (Immagine.isNull()) p.fillRect(rect(), Qt::black);
    else p.drawImage(0, 0, Immagine);
}

void PannelloGrafico::mouseMoveEvent(QMouseEvent* e) {
    if (MouseMove) MouseMove(static_cast<float>(e->position().x() * 15.0));
}

void PannelloGrafico::resizeEvent(QResizeEvent*) {
    Adatta();
    if (Ridimensionato) Ridimensionato();
}

void PannelloGrafico::Adatta() {
    if (Immagine.size() == size().expandedTo(QSize(1, 1))) return;
    QImage nuova(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    nuova.fill(Qt::black);
    if (!Immagine.isNull()) {
        QPainter p(&nuova);
        p.drawImage(0, 0, Immagine);
    }
    Immagine = nuova;
}

// ---- Construction ---------------------------------------------------------

PulsanteGrafico* FrmLogger::CreaPulsante(const char* nome, const QString& didascalia) {
    auto* b = new PulsanteGrafico(Frame1);
    b->setObjectName(QString::fromLatin1(nome));
    b->DelayDrawing(true);
    b->Mode(0);
    b->ButtonStyle(2);
    b->ButtonShape(0);
    b->CaptionAlign(2);
    b->ShowFocusRect(false);
    b->Caption(didascalia);
    b->DelayDrawing(false);
    return b;
}

FrmLogger::FrmLogger(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmLogger"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(p);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    gruppoRun_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* w = new QRadioButton(i == 0 ? QStringLiteral("\u25CF") : QStringLiteral("\u25A0"), Frame1);
        ModMain::ImpostaMembro(w, QStringLiteral("OptRun"), i);
        gruppoRun_->addButton(w, i);
        OptRun.push_back(w);
        connect(w, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) OptRun_Click(i);
        });
    }
    ImpostaStileRun(15);
    OptRun[1]->setChecked(true);
    CmdOpen = CreaPulsante("CmdOpen", {});
    CmdSaveLogOsc = CreaPulsante("CmdSaveLogOsc", {});
    CmdEsporta = CreaPulsante("CmdEsporta", {});
    ModMain::ImpostaTag(CmdEsporta, QStringLiteral("SUP"));
    CmdPrev = CreaPulsante("CmdPrev", QStringLiteral("<<"));
    CmdNext = CreaPulsante("CmdNext", QStringLiteral(">>"));
    CmdZin = CreaPulsante("CmdZin", QStringLiteral("\u2295"));
    CmdZOut = CreaPulsante("CmdZOut", QStringLiteral("\u2296"));
    CmdZoomIn = CreaPulsante("CmdZoomIn", QStringLiteral("+"));
    CmdZoomOut = CreaPulsante("CmdZoomOut", QStringLiteral("\u2212"));
    CmdUp = CreaPulsante("CmdUp", QStringLiteral("\u25B2"));
    CmdDw = CreaPulsante("CmdDw", QStringLiteral("\u25BC"));
    CmdReset = CreaPulsante("CmdReset", QStringLiteral("\u21D5"));
    connect(CmdOpen, &PulsanteGrafico::Click, this, &FrmLogger::CmdOpen_Click);
    connect(CmdSaveLogOsc, &PulsanteGrafico::Click, this, &FrmLogger::CmdSaveLogOsc_Click);
    connect(CmdEsporta, &PulsanteGrafico::Click, this, &FrmLogger::CmdEsporta_Click);
    connect(CmdPrev, &PulsanteGrafico::Click, this, &FrmLogger::CmdPrev_Click);
    connect(CmdNext, &PulsanteGrafico::Click, this, &FrmLogger::CmdNext_Click);
    connect(CmdZin, &PulsanteGrafico::Click, this, &FrmLogger::CmdZin_Click);
    connect(CmdZOut, &PulsanteGrafico::Click, this, &FrmLogger::CmdZOut_Click);
    connect(CmdZoomIn, &PulsanteGrafico::Click, this, &FrmLogger::CmdZoomIn_Click);
    connect(CmdZoomOut, &PulsanteGrafico::Click, this, &FrmLogger::CmdZoomOut_Click);
    connect(CmdUp, &PulsanteGrafico::Click, this, &FrmLogger::CmdUp_Click);
    connect(CmdDw, &PulsanteGrafico::Click, this, &FrmLogger::CmdDw_Click);
    connect(CmdReset, &PulsanteGrafico::Click, this, &FrmLogger::CmdReset_Click);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setLineWidth(1);
    Pct = new PannelloGrafico(this);
    Pct->setObjectName(QStringLiteral("Pct"));
    Pct->MouseMove = [this](float x) { Pct_MouseMove(x); };
    Pct->Ridimensionato = [this] { Pct_Resize(); };

    LneCursor = new QFrame(Pct);
    LneCursor->setObjectName(QStringLiteral("LneCursor"));
    LneCursor->setAutoFillBackground(true);
    {
        QPalette c = LneCursor->palette();
        c.setColor(QPalette::Window, QColor(0, 192, 0));
        LneCursor->setPalette(c);
    }
    LneCursor->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int c = 0; c < ModOscillo::NumeroCanali; ++c) {
        auto* f = new QLabel(QStringLiteral(">"), Pct);
        ModMain::ImpostaMembro(f, QStringLiteral("LblFreccia"), c);
        f->setFixedSize(9, 15);
        f->setAttribute(Qt::WA_TransparentForMouseEvents);
        LblFreccia.push_back(f);

        auto* s = new QLabel(this);
        ModMain::ImpostaMembro(s, QStringLiteral("LblSignal"), c);
        s->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        s->setMargin(2);
        s->installEventFilter(this);
        LblSignal.push_back(s);

        auto* m = new QLabel(this);
        ModMain::ImpostaMembro(m, QStringLiteral("PctMostra"), c);
        m->setFrameShape(QFrame::Box);
        m->setAlignment(Qt::AlignCenter);
        m->installEventFilter(this);
        m->setAutoFillBackground(true);
        m->setScaledContents(true); // the tick fills the box at every size
        PctMostra.push_back(m);
    }
    auto* etichetta0 = new QLabel(Pct);
    ModMain::ImpostaMembro(etichetta0, QStringLiteral("LblRifTempo"), 0);
    LblRifTempo.push_back(etichetta0);
    ColoriPieni(etichetta0, 0x00FF00, 0);

    ScrlTime = new QScrollBar(Qt::Horizontal, Pct);
    ScrlTime->setObjectName(QStringLiteral("ScrlTime"));
    ScrlTime->setRange(0, 0);
    ScrlTime->setSingleStep(1);
    ScrlTime->setPageStep(1);
    ScrlTime->setTracking(false);
    ScrlTime->installEventFilter(this);
    ScrlTime->hide();
    connect(ScrlTime, &QScrollBar::valueChanged, this, &FrmLogger::ScrlTime_Change);
    connect(ScrlTime, &QScrollBar::sliderMoved, this, &FrmLogger::ScrlTime_Scroll);

    LblTempoScroll = new QLabel(Pct);
    LblTempoScroll->setObjectName(QStringLiteral("LblTempoScroll"));
    ColoriPieni(LblTempoScroll, 0xFFFFFF, 0x404040);
    LblTempoScroll->setMargin(2);
    LblTempoScroll->hide();

    LblBarra = new QLabel(Pct);
    LblBarra->setObjectName(QStringLiteral("LblBarra"));
    LblBarra->setFrameShape(QFrame::Box);
    ColoriPieni(LblBarra, 0xFFFFFF, 0x404040);
    LblBarra->setFixedSize(300, 24);
    ShpBarra = new QFrame(Pct);
    ShpBarra->setObjectName(QStringLiteral("ShpBarra"));
    ShpBarra->setAutoFillBackground(true);
    {
        QPalette c = ShpBarra->palette();
        c.setColor(QPalette::Window, QColor(0, 192, 0));
        ShpBarra->setPalette(c);
    }
    LblBarra->hide();
    ShpBarra->hide();

    LblTime2 = new QLabel(this);
    LblTime2->setObjectName(QStringLiteral("LblTime2"));
    ColoriPieni(LblTime2, 0xFFFFFF, LoggerNavy);
    LblTime2->setMargin(2);
    LblObdVal = new QLabel(this);
    LblObdVal->setObjectName(QStringLiteral("LblObdVal"));
    ColoriPieni(LblObdVal, 0xFFFFFF, LoggerNavy);
    LblObdVal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblObdVal->setMargin(2);

    LstVar = new QListWidget(this);
    LstVar->setObjectName(QStringLiteral("LstVar"));
    LstVar->hide();
    connect(LstVar, &QListWidget::currentRowChanged, this, [this](int) { LstVar_Click(); });

    for (QWidget* w : std::initializer_list<QWidget*>{LblTime2, LblObdVal, Pct, Shape1, LstVar}) {
        QFont f = w->font();
        f.setPointSizeF(8.0);
        w->setFont(f);
    }
    for (auto* l : LblSignal) {
        QFont f = l->font();
        f.setPointSizeF(8.0);
        l->setFont(f);
    }
    // The fonts that grow with the page: the button bar and the channel column.
    for (auto* b : {CmdOpen, CmdSaveLogOsc, CmdEsporta, CmdPrev, CmdNext, CmdZin, CmdZOut, CmdZoomIn, CmdZoomOut, CmdUp,
                    CmdDw, CmdReset})
        fontProgetto_.emplace_back(b, b->Font().pointSizeF());
    for (QWidget* w : std::initializer_list<QWidget*>{LblTime2, LblObdVal, LstVar})
        fontProgetto_.emplace_back(w, w->font().pointSizeF());
    for (auto* l : LblSignal) fontProgetto_.emplace_back(l, l->font().pointSizeF());
}

// Graphical option buttons: a button face with a red record dot or a stop
// square, pressed in while selected, no round indicator. The figure is
// `pixel` high.
void FrmLogger::ImpostaStileRun(int pixel) {
    if (pixel == pixelRun_) return;
    pixelRun_ = pixel;
    for (size_t i = 0; i < OptRun.size(); ++i)
        OptRun[i]->setStyleSheet(
            QStringLiteral("QRadioButton { border: 1px solid #6070a0; border-radius: 3px;"
                           " background: #e4e4f0; color: %1; font-size: %2px; padding-left: %3px; spacing: 0px; }"
                           " QRadioButton:checked { background: #9098c8; border: 2px solid #303870; }"
                           " QRadioButton:disabled { color: #808080; background: #d0d0d0; }"
                           " QRadioButton::indicator { width: 0px; height: 0px; }")
                .arg(i == 0 ? QStringLiteral("#d00000") : QStringLiteral("#202020"))
                .arg(pixel)
                .arg(pixel * 12 / 15));
}

FrmLogger::~FrmLogger() {
    if (caricato_) {
        ModBlck::DrawLineeRunMode = nullptr;
        ModBlck::RegistrazioneInterrotta = nullptr;
    }
}

int16_t FrmLogger::Sezione() const { return ModMain::CercaSezione("[Frm_Logger]"); }

QString FrmLogger::Voce(int n) const { return ModMain::VoceLingua(static_cast<int16_t>(Sezione() + n)); }

// ---- Load, texts, levels, keys --------------------------------------------

void FrmLogger::Form_Load() {
    using namespace ModOscillo;
    ModMain::CaricaListeLivelli(this, liste_);
    CanaliOscilloscopio = CanaliPredefiniti();
    XPunti.assign(1, 0);
    CampioniLog.assign(Passo, 0);
    CampioniObd.clear();
    ZoomTempo = 100;
    XInizioGrafico = 150;
    TempoInizioVista = 0;
    SelezionaCanale(0);
    LeggiSetupCanali(ModMain::PercorsoOsciSetUp, CanaliOscilloscopio);
    LeggiListaVariabili(ModMain::PercorsoOsciList, ListaVariabiliLogger);
    const int32_t lingua = ModMain::Dizionario ? ModMain::Dizionario->IdLingua() : 0;
    AggiornamentoLista = true;
    LstVar->clear();
    std::vector<std::string> nomi;
    nomi.reserve(ListaVariabiliLogger.size());
    for (const auto& v : ListaVariabiliLogger) nomi.push_back(NomeInLingua(v.Nomi, lingua));
    LstVar->addItems(ModMain::TestiLingua(nomi));
    AggiornamentoLista = false;
    AssegnaVariabili(CanaliOscilloscopio, ListaVariabiliLogger, lingua);
    for (int c = 0; c < NumeroCanali; ++c) {
        const auto& k = CanaliOscilloscopio[c];
        ColoriPieni(LblFreccia[c], k.Colore, 0);
        ColoriPieni(LblSignal[c], k.Colore, LoggerNavy);
        LblFreccia[c]->setAutoFillBackground(false);
        PctMostra[c]->setPixmap(k.Visibile == -1 ? LoggerSpunta() : QPixmap());
        LblFreccia[c]->setVisible(k.Visibile == -1);
        LblSignal[c]->setText(ModMain::TestoLingua(k.Nome));
    }
    SelezionaCanale(0);
    CmdSaveLogOsc->setEnabled(false);
    CmdEsporta->setEnabled(false);
    ModBlck::DrawLineeRunMode = [this] { DrawLineeRunMode(); };
    ModBlck::RegistrazioneInterrotta = [this] { RegistrazioneInterrotta(); };
    caricato_ = true;
    CaricaLingua();
    Form_Resize();
}

void FrmLogger::Form_Unload() {
    if (caricato_) {
        ModBlck::DrawLineeRunMode = nullptr;
        ModBlck::RegistrazioneInterrotta = nullptr;
    }
    caricato_ = false;
    if (ModBlck::StatoRegistrazione == 1) ModOscillo::FermaRegistrazione();
}

void FrmLogger::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmLogger::CaricaLingua() {
    const std::pair<QWidget*, int> suggerimenti[] = {
        {CmdZoomOut, 1}, {CmdZoomIn, 2}, {CmdUp, 3},   {CmdDw, 4},     {CmdOpen, 5},  {CmdSaveLogOsc, 6}, {OptRun[0], 7},
        {OptRun[1], 8},  {CmdPrev, 9},   {CmdZOut, 10}, {CmdReset, 11}, {CmdZin, 12}, {CmdNext, 13},
    };
    for (const auto& [w, n] : suggerimenti) w->setToolTip(Voce(n));
    CmdOpen->Caption(Voce(VoceApri));
    CmdSaveLogOsc->Caption(Voce(VoceSalva));
    CmdEsporta->Caption(Voce(VoceEsporta));
    CmdEsporta->setToolTip(Voce(VoceEsporta));
    MostraLetturaVuota();
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
    Form_Resize();
}

void FrmLogger::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (KeyCode == ModMain::TastoEsc && LstVar->isVisible()) LstVar->hide();
    ModMain::GestisciTasto(KeyCode, Shift);
}

bool FrmLogger::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(e);
        for (int c = 0; c < ModOscillo::NumeroCanali; ++c) {
            if (o == LblSignal[c]) {
                LblSignal_MouseDown(c, m->button());
                return true;
            }
            if (o == PctMostra[c]) {
                PctMostra_Click(c);
                return true;
            }
        }
    }
    if (o == ScrlTime) {
        if (e->type() == QEvent::KeyPress) ScrlTime_KeyDown();
        if (e->type() == QEvent::KeyRelease) ScrlTime_KeyUp();
    }
    return QWidget::eventFilter(o, e);
}

// ---- Channel set-up ---------------------------------------------------------

void FrmLogger::SalvaSetupCanali() {
    ModOscillo::ScriviSetupCanali(ModMain::PercorsoOsciSetUp, ModOscillo::CanaliOscilloscopio);
}

void FrmLogger::LblSignal_MouseDown(int indice, Qt::MouseButton pulsante) {
    SelezionaCanale(static_cast<int16_t>(indice));
    if (pulsante != Qt::RightButton) return;
    AggiornamentoLista = true;
    const QString nome = ModMain::TestoLingua(ModOscillo::CanaliOscilloscopio[indice].Nome);
    for (int r = 0; r < LstVar->count(); ++r)
        if (LstVar->item(r)->text() == nome) LstVar->setCurrentRow(r);
    AggiornamentoLista = false;
    LstVar->move(LstVar->x(), LblSignal[indice]->y());
    LstVar->show();
    LstVar->raise();
}

void FrmLogger::LstVar_Click() {
    using namespace ModOscillo;
    if (AggiornamentoLista) return;
    const int r = LstVar->currentRow();
    if (r < 0 || static_cast<size_t>(r) >= ListaVariabiliLogger.size()) return;
    AggiornamentoLista = true;
    const auto& v = ListaVariabiliLogger[static_cast<size_t>(r)];
    auto& s = CanaliOscilloscopio[CanaleSelezionato];
    s.IdVariabile = v.IdVariabile;
    s.Scala = v.Scala;
    s.Unita = v.Unita;
    s.Nome = NomeInLingua(v.Nomi, ModMain::Dizionario ? ModMain::Dizionario->IdLingua() : 0);
    LblSignal[CanaleSelezionato]->setText(ModMain::TestoLingua(s.Nome));
    LstVar->hide();
    QCoreApplication::processEvents();
    SalvaSetupCanali();
    MostraBarra(true);
    CaricaTraccia();
    MostraBarra(false);
    DisegnaGrafico();
    AggiornamentoLista = false;
}

void FrmLogger::PctMostra_Click(int i) {
    auto& c = ModOscillo::CanaliOscilloscopio[i];
    c.Visibile = c.Visibile == -1 ? 0 : -1;
    if (c.Visibile == -1) {
        PctMostra[i]->setPixmap(LoggerSpunta());
        LblFreccia[i]->show();
        LblSignal[i]->setText(ModMain::TestoLingua(c.Nome + " [x" + std::to_string(c.ZoomPercento) + "]"));
    } else {
        PctMostra[i]->setPixmap(QPixmap());
        LblFreccia[i]->hide();
        LblSignal[i]->clear();
    }
    SalvaSetupCanali();
    DisegnaGrafico();
}

void FrmLogger::CmdReset_Click() {
    ModOscillo::DistribuisciOffset(ModOscillo::CanaliOscilloscopio);
    Form_Resize();
    SalvaSetupCanali();
    DisegnaGrafico();
}

void FrmLogger::SelezionaCanale(int16_t indice) {
    if (indice < 0 || indice >= ModOscillo::NumeroCanali) return;
    const auto& prima = ModOscillo::CanaliOscilloscopio[CanaleSelezionato];
    ColoriPieni(LblSignal[CanaleSelezionato], prima.Colore, LoggerNavy);
    CanaleSelezionato = indice;
    const auto& ora = ModOscillo::CanaliOscilloscopio[indice];
    ColoriPieni(LblSignal[indice], LoggerNavy, ora.Colore);
}

// ---- Recording ----------------------------------------------------------------

void FrmLogger::OptRun_Click(int indice) {
    if (indice == 0) {
        if (ModBlck::StatoRegistrazione == 1) return;
        if (!ModOscillo::AvviaRegistrazione()) {
            Piattaforma::MostraMessaggio(Voce(VoceLoggerTmpFallito), {}, Piattaforma::IconaMessaggio::Critica);
            const QSignalBlocker blocco(OptRun[1]);
            OptRun[1]->setChecked(true);
            return;
        }
        XPunti.assign(1, 0);
        IndiciAnelloPunti.assign(1, 0);
        NumeroPuntiLive = 0;
        for (auto* b : {CmdNext, CmdPrev, CmdZin, CmdZOut, CmdSaveLogOsc, CmdOpen, CmdEsporta}) b->setEnabled(false);
        ScrlTime->hide();
        DisegnaGrafico();
        return;
    }
    if (ModBlck::StatoRegistrazione != 1) return;
    ModOscillo::FermaRegistrazione();
    CmdSaveLogOsc->setEnabled(true);
    CmdOpen->setEnabled(true);
    CmdEsporta->setEnabled(false);
}

void FrmLogger::RegistrazioneInterrotta() {
    {
        const QSignalBlocker blocco(OptRun[1]);
        OptRun[1]->setChecked(true);
    }
    CmdSaveLogOsc->setEnabled(true);
    CmdOpen->setEnabled(true);
    CmdEsporta->setEnabled(false);
    // Not inside the decoder's step, which runs in the link timer's tick.
    QMetaObject::invokeMethod(
        this, [this] { Piattaforma::MostraMessaggio(Voce(VoceRegistrazioneInterrotta), {}, Piattaforma::IconaMessaggio::Critica); },
        Qt::QueuedConnection);
}

// ---- Files ----------------------------------------------------------------------

void FrmLogger::MostraBarra(bool visibile) {
    if (visibile) {
        Pct_Resize();
        larghezzaBarra_ = std::max(0, LblBarra->width() - 8);
        ShpBarra->resize(0, ShpBarra->height());
        LblBarra->raise();
        ShpBarra->raise();
    }
    LblBarra->setVisible(visibile);
    ShpBarra->setVisible(visibile);
}

void FrmLogger::ImpostaBarra(double frazione) {
    const int w = static_cast<int>(larghezzaBarra_ * std::clamp(frazione, 0.0, 1.0));
    if (w != ShpBarra->width()) {
        ShpBarra->resize(w, ShpBarra->height());
        ShpBarra->repaint();
    }
}

void FrmLogger::CaricaTraccia() {
    ModOscillo::Avanzamento a;
    a.Frazione = [this](double f) { ImpostaBarra(f); };
    a.CediMessaggi = [] { QCoreApplication::processEvents(); };
    ModOscillo::CaricaFileLog(ModOscillo::CampioniLog, ModOscillo::CampioniObd, ModOscillo::FileLogAperto,
                              ModOscillo::CanaliOscilloscopio, a);
    ScrlTime->setMaximum(GraficoLogger::Intero((static_cast<double>(ModOscillo::CampioniLog.size()) - 1.0) / 90.0));
}

void FrmLogger::ImpostaScroll(int32_t valore) {
    AggiornamentoScroll = true;
    ScrlTime->setValue(valore);
    AggiornamentoScroll = false;
    ValoreScrollPrecedente = valore;
}

void FrmLogger::CmdSaveLogOsc_Click() {
    using namespace ModOscillo;
    if (ModBlck::StatoRegistrazione != 2) return;
    const auto scelta = Piattaforma::ScegliFileDaSalvare(
        {}, QString::fromStdString(ModMain::CartellaArchivio), QStringLiteral("View Files  (*.vfl)"));
    if (!scelta || scelta->isEmpty()) return;
    const std::string nome = scelta->toStdString();
    MostraBarra(true);
    ModOscillo::Avanzamento a;
    a.Frazione = [this](double f) { ImpostaBarra(f); };
    const bool copiato = CopiaFileLog(nome, a);
    MostraBarra(false);
    if (!copiato) {
        // The recording stays in Logger.tmp and can be saved again.
        Piattaforma::MostraMessaggio(Voce(VoceCopiaFallita), {}, Piattaforma::IconaMessaggio::Critica);
        CmdSaveLogOsc->setEnabled(true);
        return;
    }
    FileLogAperto = nome;
    MostraTracciaDaInizio();
    AggiornaCursore(60.0f);
    for (auto* b : {CmdPrev, CmdZin, CmdZOut}) b->setEnabled(true);
    ScrlTime->show();
    if (ModMain::StatoConnessione != STATO_OFFLINE) {
        ModMain::PercorsoSalvataggio = nome + "." + ModMain::EstensioneArchivio;
        ModMain::RichiediOperazione(REQ_SAVE_CONFIG_FILE, true);
    }
}

void FrmLogger::CmdOpen_Click() {
    const auto scelta =
        Piattaforma::ScegliFileDaAprire({}, QString::fromStdString(ModMain::CartellaArchivio),
                                        QStringLiteral("View Files  (*.vfl);;Text Files  (*.txt)"));
    if (!scelta || scelta->isEmpty()) return;
    const std::string nome = scelta->toStdString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!ModGlobFunct::EsisteFile(nome)) {
        QApplication::restoreOverrideCursor();
        return;
    }
    if (ModMain::StatoConnessione != STATO_OFFLINE) ModMain::LineaPersa = 1;
    ModOscillo::FileLogAperto = nome;
    ModOscillo::CaricaLogInSospeso = 1;
    const std::string configurazione = nome + "." + ModMain::EstensioneArchivio;
    if (ModGlobFunct::EsisteFile(configurazione)) {
        if (ModMain::RichiestaPendente == 0) {
            ModMain::PercorsoCaricamento = configurazione;
            ModMain::RichiestaPendente = REQ_LOAD_CONFIG_FILE;
        } else {
            // The slot is taken: the link timer posts the load once it is empty,
            // and shows the trace only after it.
            ModMain::ConfigurazioneLoggerInAttesa = configurazione;
        }
    } else {
        QApplication::restoreOverrideCursor();
        Piattaforma::MostraMessaggio(Voce(VoceMessaggioConfigurazione), {}, Piattaforma::IconaMessaggio::Critica);
        return;
    }
    QApplication::restoreOverrideCursor();
}

void FrmLogger::MostraTracciaDaInizio() {
    using namespace ModOscillo;
    MostraBarra(true);
    CaricaTraccia();
    MostraBarra(false);
    IndiceInizioVista = 0;
    IndiceFineVista = 0;
    TempoInizioVista = CampioniLog.empty() ? 0 : CampioniLog[0];
    ImpostaScroll(0);
    CmdSaveLogOsc->setEnabled(false);
    // Idle before the redraw, so that the page shows its time axis at once.
    ModBlck::StatoRegistrazione = 0;
    DisegnaGrafico();
}

void FrmLogger::ApriFileLogger() {
    using namespace ModOscillo;
    MostraTracciaDaInizio();
    AggiornaCursore(static_cast<float>(XInizioGrafico));
    for (auto* b : {CmdPrev, CmdZin, CmdZOut, CmdEsporta}) b->setEnabled(true);
    ScrlTime->show();
}

void FrmLogger::CmdEsporta_Click() {
    QCoreApplication::processEvents();
    const auto scelta = Piattaforma::ScegliFileDaSalvare(
        {}, QString::fromStdString(ModMain::CartellaArchivio), QStringLiteral("Mod Files (*.txt)"));
    if (!scelta || scelta->isEmpty()) return;
    if (!ModOscillo::EsportaCampioni(scelta->toStdString(), ModOscillo::CanaliOscilloscopio, ModOscillo::CampioniLog,
                                     ModOscillo::CampioniObd))
        Piattaforma::MostraMessaggio(Voce(VoceEsportazioneFallita), {}, Piattaforma::IconaMessaggio::Critica);
}
