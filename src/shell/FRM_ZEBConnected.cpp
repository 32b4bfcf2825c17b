#include "shell/FRM_ZEBConnected.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>

#include "controls/PulsanteGrafico.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainTasti.h"
#include "link/ModMainPorte.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "shell/ImmaginiShell.h"
#include "shell/MDIFrm.h"

namespace {

QFrame* CreaSegno(QWidget* contenitore, int indice, const QColor& colore, int x, int y) {
    auto* s = new QFrame(contenitore);
    ModMain::ImpostaMembro(s, QStringLiteral("SHP_LEV"), indice);
    s->setGeometry(x, y, 8, 8);
    s->setAutoFillBackground(true);
    QPalette p = s->palette();
    p.setColor(QPalette::Window, colore);
    s->setPalette(p);
    s->setVisible(false);
    return s;
}

// The home button's picture: a small house.
QPixmap IconaCasa() {
    QPixmap p(20, 18);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(230, 230, 230), 1.5));
    g.setBrush(QColor(70, 110, 190));
    const QPointF tetto[3] = {{1, 9}, {10, 1}, {19, 9}};
    g.drawPolygon(tetto, 3);
    g.drawRect(QRectF(4, 9, 12, 8));
    g.setBrush(QColor(230, 230, 230));
    g.drawRect(QRectF(8.5, 12, 3, 5));
    return p;
}

} // namespace

FRM_ZEBConnected::FRM_ZEBConnected(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBConnected"));
    setAutoFillBackground(true);
    resize(260, 50);

    auto* contorno = new QFrame(this);
    ModMain::ImpostaMembro(contorno, QStringLiteral("SHP_Contorno"), 0);
    contorno->setAttribute(Qt::WA_TransparentForMouseEvents);
    contorno->setGeometry(rect());
    SHP_Contorno.push_back(contorno);

    const int lato = ImmaginiShell::LatoIconaConnessione;
    for (int k = 0; k <= 6; ++k) {
        auto* b = new QLabel(this);
        ModMain::ImpostaMembro(b, QStringLiteral("IMG_BUFFER"), k);
        b->setPixmap(ImmaginiShell::IconaConnessione(k));
        b->setVisible(false);
        IMG_BUFFER.push_back(b);
    }
    IMG = new QLabel(this);
    IMG->setObjectName(QStringLiteral("IMG"));
    IMG->setGeometry(5, 5, lato, lato);
    IMG->installEventFilter(this);

    CMB_Seriali = new QComboBox(this);
    CMB_Seriali->setObjectName(QStringLiteral("CMB_Seriali"));
    CMB_Seriali->setGeometry(50, 14, 92, 22);
    CMB_Seriali->setPlaceholderText(QStringLiteral(" - - - - - "));
    CMB_Seriali->setCurrentIndex(-1);
    // Only a pick by the user: filling the list or a choice made by the
    // connect procedure must not count as one.
    connect(CMB_Seriali, &QComboBox::activated, this, [this](int) { CMB_Seriali_Click(); });

    for (int k = 0; k <= 1; ++k) {
        auto* b = new QLabel(this);
        ModMain::ImpostaMembro(b, QStringLiteral("BUT_EXP"), k);
        b->setPixmap(ImmaginiShell::InterruttoreEsperto(k));
        b->setGeometry(148, 14, 44, 22);
        b->setVisible(k == 0);
        b->installEventFilter(this);
        BUT_EXP.push_back(b);
    }
    SHP_LEV.push_back(nullptr);
    SHP_LEV.push_back(CreaSegno(this, 1, QColor(255, 200, 0), 196, 10));
    SHP_LEV.push_back(CreaSegno(this, 2, QColor(255, 80, 80), 196, 30));

    BUT_HOME = new PulsanteGrafico(this);
    BUT_HOME->setObjectName(QStringLiteral("BUT_HOME"));
    BUT_HOME->Picture(ImmaginePulsante{IconaCasa().toImage(), false});
    BUT_HOME->setGeometry(210, 9, 44, 32);
    connect(BUT_HOME, &PulsanteGrafico::Click, this, [this] { BUT_HOME_Click(); });
}

void FRM_ZEBConnected::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    SHP_Contorno[0]->setStyleSheet(QStringLiteral("QFrame { border: 1px solid rgb(0, 0, 64); background: transparent; }"));
}

void FRM_ZEBConnected::Form_Unload() {}

void FRM_ZEBConnected::Form_Resize() {
    if (!SHP_Contorno.empty() && SHP_Contorno[0]) SHP_Contorno[0]->setGeometry(0, 0, width(), height());
}

void FRM_ZEBConnected::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBConnected::IMG_Click() {
    IMG->setFrameStyle(QFrame::Box | QFrame::Plain);
    repaint();
    Piattaforma::Suona(50, 250);
    IMG->setFrameStyle(QFrame::NoFrame);

    const int32_t stato = ModMain::StatoConnessione;
    if (ModMain::RiconnessioneRichiesta == 0 && stato == STATO_OFFLINE) {
        ModMain::RiconnessioneRichiesta = 1;
    } else if (ModMain::LineaPersa == 0 &&
               (stato == STATO_RICERCA || stato == STATO_CONNESSO || stato == STATO_ESECUZIONE)) {
        ModMain::LineaPersa = 1;
    }
}

void FRM_ZEBConnected::CMB_Seriali_Click() {
    if (!CMB_Seriali->isEnabled()) return;
    const int i = CMB_Seriali->currentIndex();
    if (i >= 0 && static_cast<size_t>(i) < ModMain::ListaPorte.size())
        // A file that cannot be written leaves the remembered port as it was;
        // the reconnect still runs.
        ModMain::ScriviPortaRicordata(ModMain::ListaPorte[static_cast<size_t>(i)].NumeroCom);
    ModMain::RiconnessioneRichiesta = 1;
}

void FRM_ZEBConnected::BUT_EXP_Click(int Index) {
    if (Index < 0 || static_cast<size_t>(Index) >= BUT_EXP.size()) return;
    QLabel* b = BUT_EXP[static_cast<size_t>(Index)];
    const QPoint posto = b->pos();
    b->move(posto + QPoint(MDIFrm::Pixel(30), MDIFrm::Pixel(30)));
    ModGlobFunct::AttendiMicrosecondi(250000);
    b->move(posto);

    ModMain::LivelloExp = ModMain::LivelloExp != 0 ? 0 : -1;
    if (ModMain::LivelloExp == 0) {
        ModMain::LivelloSup = 0;
        ModMain::LivelloAut = 0;
    }
    if (MDIFrm::Finestra) MDIFrm::Finestra->SelezioneScheda(ModMain::PaginaCorrente);
}

void FRM_ZEBConnected::BUT_HOME_Click() {
    if (MDIFrm::Finestra) MDIFrm::Finestra->SelezioneScheda(SCHEDA_HOME);
}

void FRM_ZEBConnected::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FRM_ZEBConnected::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

bool FRM_ZEBConnected::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        const auto* m = static_cast<QMouseEvent*>(evento);
        auto* w = qobject_cast<QWidget*>(oggetto);
        if (m->button() == Qt::LeftButton && w && w->rect().contains(m->position().toPoint())) {
            if (oggetto == IMG) {
                IMG_Click();
                return true;
            }
            for (size_t k = 0; k < BUT_EXP.size(); ++k)
                if (oggetto == BUT_EXP[k]) {
                    BUT_EXP_Click(static_cast<int>(k));
                    return true;
                }
        }
    }
    return QWidget::eventFilter(oggetto, evento);
}
