#include "shell/FRM_ZEBPortSearch.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include "controls/ModZebBarre.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainTasti.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Caratteri.h"
#include "shell/MDIFrm.h"

namespace {

constexpr const char* ProprietaPosto = "PostoTwips";
// Design size, twips.
constexpr double LarghezzaProgetto = 11000;
constexpr double AltezzaProgetto = 1650;

void Colloca(QWidget* w, const QRectF& twips) {
    w->setProperty(ProprietaPosto, twips);
    w->setGeometry(MDIFrm::Pixel(twips.x()), MDIFrm::Pixel(twips.y()), MDIFrm::Pixel(twips.width()),
                   MDIFrm::Pixel(twips.height()));
}

QFrame* Forma(QWidget* contenitore, const QString& nome, const QRectF& twips) {
    auto* f = new QFrame(contenitore);
    f->setObjectName(nome);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    Colloca(f, twips);
    return f;
}

void ColoreBordo(QFrame* f, const char* rgb) {
    f->setStyleSheet(QStringLiteral("QFrame { border: 1px solid %1; background: transparent; }").arg(QLatin1String(rgb)));
}

int32_t Twips(int pixel) { return pixel * 15; }

} // namespace

FRM_ZEBPortSearch::FRM_ZEBPortSearch(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBPortSearch"));
    setAutoFillBackground(true);
    resize(MDIFrm::Pixel(LarghezzaProgetto), MDIFrm::Pixel(AltezzaProgetto));

    SHP_Contorno = Forma(this, QStringLiteral("SHP_Contorno"), QRectF(0, 0, LarghezzaProgetto, AltezzaProgetto));
    SHP_Evidenz = Forma(this, QStringLiteral("SHP_Evidenz"), QRectF(60, 60, LarghezzaProgetto - 120, AltezzaProgetto - 120));
    SHP_ABB = Forma(this, QStringLiteral("SHP_ABB"), QRectF(210, 810, 8130, 420));
    ColoreBordo(SHP_ABB, "rgb(0, 64, 192)");

    LAB_MSG = new QLabel(this);
    LAB_MSG->setObjectName(QStringLiteral("LAB_MSG"));
    QPalette pl = LAB_MSG->palette();
    pl.setColor(QPalette::WindowText, Qt::white);
    LAB_MSG->setPalette(pl);
    LAB_MSG->setFont(Piattaforma::CreaFont(QStringLiteral("Tahoma"), 10, true));
    Colloca(LAB_MSG, QRectF(240, 240, 8070, 450));

    auto* barra = new QProgressBar(this);
    ModMain::ImpostaMembro(barra, QStringLiteral("PRG"), 0);
    barra->setRange(0, 100);
    barra->setValue(0);
    barra->setTextVisible(false);
    Colloca(barra, QRectF(240, 840, 8070, 360));
    PRG.push_back(barra);

    BUT_STOP = new PulsanteGrafico(this);
    BUT_STOP->setObjectName(QStringLiteral("BUT_STOP"));
    Colloca(BUT_STOP, QRectF(8700, 540, 2000, 600));
    connect(BUT_STOP, &PulsanteGrafico::Click, this, [this] { BUT_STOP_Click(); });

    TMR = new QTimer(this);
    TMR->setInterval(100);
    connect(TMR, &QTimer::timeout, this, [this] { TMR_Timer(); });
    TMR->start();
}

void FRM_ZEBPortSearch::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    FattoreScala = 1.0f;
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    ColoreBordo(SHP_Evidenz, "rgb(0, 0, 64)");
    ColoreBordo(SHP_Contorno, "rgb(0, 0, 64)");
    LarghezzaRicordata = Twips(width());
    AltezzaRicordata = Twips(height());
    // Colours &HBBGGRR: bar (0, 64, 192), background (0, 128, 255).
    ModZeb::ImpostaColoreBarra(PRG[0], 0xC04000);
    ModZeb::ImpostaColoreSfondoBarra(PRG[0], 0xFF8000);
    BUT_STOP->Caption(ModMain::VoceLingua(50));
    LAB_MSG->setText(ModMain::VoceLingua(48));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
    caricata_ = true;
}

void FRM_ZEBPortSearch::Form_Unload() {
    caricata_ = false;
    TMR->stop();
}

void FRM_ZEBPortSearch::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBPortSearch::Form_Resize() {
    if (!caricata_ || LarghezzaRicordata <= 0 || AltezzaRicordata <= 0) return;
    const int32_t l = Twips(width()), a = Twips(height());
    const double kx = static_cast<double>(l) / LarghezzaRicordata;
    const double ky = static_cast<double>(a) / AltezzaRicordata;
    FattoreScala = static_cast<float>(kx);
    for (QWidget* c : ModMain::ControlliForma(this)) {
        const QFont f = c->font();
        c->setFont(Piattaforma::CreaFont(QStringLiteral("Tahoma"), f.pointSizeF() > 0 ? f.pointSizeF() : 8.25, f.bold(),
                                         f.italic(), f.underline()));
        const QVariant v = c->property(ProprietaPosto);
        if (!v.isValid()) continue;
        const QRectF r = v.toRectF();
        Colloca(c, QRectF(r.x() * kx, r.y() * ky, r.width() * kx, r.height() * ky));
    }
    LarghezzaRicordata = l;
    AltezzaRicordata = a;
}

void FRM_ZEBPortSearch::TMR_Timer() {
    QProgressBar* b = PRG[0];
    if (b->maximum() > b->value()) b->setValue(b->value() + 1);
    else b->setValue(b->minimum());
}

void FRM_ZEBPortSearch::BUT_STOP_Click() { ModMain::LineaPersa = 1; }

void FRM_ZEBPortSearch::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FRM_ZEBPortSearch::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
