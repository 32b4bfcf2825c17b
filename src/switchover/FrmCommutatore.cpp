#include "switchover/FrmCommutatore.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPalette>
#include <QtWidgets/QLabel>

#include "controls/GrigliaDati.h"
#include "controls/ModZebPagina.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"

namespace C = CommutatoreRegole;

namespace {

// Places of the design, in twips of the view's client area.
constexpr int CommutatoreImgX = 98, CommutatoreImgY = 225;
constexpr int CommutatoreLed[C::NumeroLed][2] = {{1043, 1185}, {848, 1185}, {638, 1185}, {443, 1185},
                                                 {233, 1185},  {1043, 315}, {233, 315}};

int CommutatorePx(int twips) { return (twips + 7) / 15; }

std::optional<int32_t> CommutatoreValore1(size_t k) {
    if (TabellaBlocchi.size() <= 1 || k >= TabellaBlocchi[1].Valori.size()) return std::nullopt;
    return TabellaBlocchi[1].Valori[k];
}

// The built-in picture: a dark rounded switch body, the lever slot and the
// seven LED sockets where the LEDs are drawn over it.
QPixmap CommutatoreImmagine() {
    QPixmap p(77, 73);
    p.fill(QColor(0, 0, 0));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QLinearGradient corpo(0, 0, 0, 73);
    corpo.setColorAt(0, QColor(96, 96, 104));
    corpo.setColorAt(1, QColor(40, 40, 46));
    g.setBrush(corpo);
    g.setPen(QPen(QColor(150, 150, 160), 1));
    g.drawRoundedRect(QRectF(1.5, 1.5, 74, 70), 9, 9);
    g.setBrush(QColor(20, 20, 24));
    g.setPen(QPen(QColor(120, 120, 130), 1));
    g.drawRoundedRect(QRectF(22, 20, 33, 34), 6, 6); // the push button
    g.setBrush(QColor(70, 70, 78));
    g.drawEllipse(QRectF(29, 27, 19, 20));
    g.setBrush(QColor(10, 10, 10));
    g.setPen(QPen(QColor(170, 170, 180), 1));
    for (const auto& l : CommutatoreLed)
        g.drawEllipse(QRectF((l[0] - CommutatoreImgX) / 15.0 - 1.0, (l[1] - CommutatoreImgY) / 15.0 - 1.0, 10, 10));
    return p;
}

} // namespace

LedCommutatore::LedCommutatore(QWidget* contenitore) : QWidget(contenitore) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LedCommutatore::Colore(int32_t bgr) {
    if (bgr == colore_) return;
    colore_ = bgr;
    update();
}

void LedCommutatore::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor c = ModZebPagina::Colore(colore_);
    g.setPen(QPen(c, 1));
    g.setBrush(c);
    g.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
}

FrmCommutatore::FrmCommutatore(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmCommutatore"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    setPalette(p);
    ShpLevelS = new ModZebPagina::FormaPagina(this, QStringLiteral("ShpLevelS"), 1, true);
    ShpLevelS->ColoreBordo(0);
    ShpLevelS->ColoreRiempimento(0);
    ImgLogoS = new QLabel(this);
    ImgLogoS->setObjectName(QStringLiteral("ImgLogoS"));
    ImgLogoS->setPixmap(CommutatoreImmagine());
    ImgLogoS->setCursor(Qt::PointingHandCursor);
    ImgLogoS->move(CommutatorePx(CommutatoreImgX), CommutatorePx(CommutatoreImgY));
    ImgLogoS->resize(ImgLogoS->pixmap().size());
    ImgLogoS->installEventFilter(this);
    for (int i = 0; i < C::NumeroLed; ++i) {
        auto* l = new LedCommutatore(this);
        ModMain::ImpostaMembro(l, QStringLiteral("ShpLevAct"), i);
        l->setGeometry(CommutatorePx(CommutatoreLed[i][0]), CommutatorePx(CommutatoreLed[i][1]), 8, 8);
        ShpLevAct[static_cast<size_t>(i)] = l;
    }
}

void FrmCommutatore::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    Fase.periodo = 200000.0;
    CaricaImgCommutatore(ModMain::PercorsoBase + "/img/switch.jpg");
    const QRect r = ImgLogoS->geometry();
    ShpLevelS->setGeometry(r.x() - 4, r.y() - 4, r.width() + 7, r.height() + 7);
    ShpLevelS->ColoreRiempimento(0);
    Premuto = false;
}

void FrmCommutatore::Form_Unload() {}
void FrmCommutatore::CaricaLingua() {}
void FrmCommutatore::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmCommutatore::CaricaImgCommutatore(const std::string& percorso) {
    QPixmap p;
    if (!ModGlobFunct::EsisteFile(percorso) || !p.load(QString::fromStdString(percorso)) || p.isNull()) return;
    ImgLogoS->setPixmap(p);
    ImgLogoS->resize(p.size());
}

void FrmCommutatore::VisualizzaStatoCommutatore() {
    Fase.Avanza(ModGlobFunct::LeggiMicrosecondi());
    const auto stato = CommutatoreValore1(49), flag = CommutatoreValore1(37);
    for (int i = 0; i < C::NumeroLed; ++i) ShpLevAct[static_cast<size_t>(i)]->Colore(C::ColoreLed(i, stato, flag, Fase.fase));
}

void FrmCommutatore::ImgLogoS_MouseDown(int16_t Shift) {
    const auto p = C::Premi(ModMain::RichiestaPendente == 0, Shift, CommutatoreValore1(37));
    if (!p.scriveBlocco15 && !p.aspettoPremuto) return; // a request waits
    if (p.scriveBlocco15) ModBlck::ModificheBlocco15.assign(1, ModificaPendente{16, 5, 16});
    if (p.aspettoPremuto) {
        Premuto = true;
        ShpLevelS->ColoreRiempimento(0xC0C0C0);
    }
    if (p.richiesta != 0) ModMain::RichiediOperazione(p.richiesta, true);
    if (ModMain::PaginaCorrente == SCHEDA_CARBURAZIONE && FuocoCarburazione0) FuocoCarburazione0();
}

void FrmCommutatore::ImgLogoS_MouseUp() {
    Premuto = false;
    ShpLevelS->ColoreRiempimento(0);
}

bool FrmCommutatore::eventFilter(QObject* o, QEvent* e) {
    if (o == ImgLogoS && isEnabled()) {
        if (e->type() == QEvent::MouseButtonPress)
            ImgLogoS_MouseDown(ModMain::StatoMaiuscole(static_cast<QMouseEvent*>(e)->modifiers()));
        else if (e->type() == QEvent::MouseButtonRelease)
            ImgLogoS_MouseUp();
    }
    return QWidget::eventFilter(o, e);
}

void FrmCommutatore::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
