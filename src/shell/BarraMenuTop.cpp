#include "shell/BarraMenuTop.h"

#include <algorithm>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QResizeEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "engine/ModMainTasti.h"
#include "shell/CasaControlli.h"
#include "shell/CasaConversioni.h"
#include "shell/MDIFrm.h"

BarraMenuTop::BarraMenuTop(QWidget* contenitore, const QString& nome, const std::vector<Bottone>& bottoni, double alto,
                           double larghezza, double altezza, double punti, int selezionato)
    : QWidget(contenitore) {
    setObjectName(nome);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(800, 50); // design client area 12000 x 750 twips

    auto* contorno = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Rettangolo, 3, false);
    ModMain::ImpostaMembro(contorno, QStringLiteral("SHP_Contorno"), 0);
    Casa::Colloca(contorno, 0, 0, 11985, 750);
    SHP_Contorno.push_back(contorno);

    int massimo = -1;
    for (const Bottone& b : bottoni) massimo = std::max(massimo, b.indice);
    BUT_Menu.assign(static_cast<size_t>(massimo + 1), nullptr);
    for (const Bottone& q : bottoni) {
        auto* b = ModZebPagina::NuovoPulsante(
            this, QStringLiteral("BUT_Menu"),
            {.modo = 1,
             .forma = 0,
             .senzaGradiente = true,
             .senzaFocus = true,
             .valore = q.indice == selezionato,
             .font = [punti](QWidget* w) { Casa::ImpostaFont(w, QStringLiteral("Tahoma"), punti, true); }},
            q.indice);
        Casa::Colloca(b, q.sinistra, alto, larghezza, altezza);
        const auto indice = static_cast<int16_t>(q.indice);
        connect(b, &PulsanteGrafico::Click, this, [this, indice] { BUT_Menu_Click(indice); });
        BUT_Menu[static_cast<size_t>(q.indice)] = b;
    }

    TMR = new QTimer(this);
    TMR->setInterval(100);
    connect(TMR, &QTimer::timeout, this, &BarraMenuTop::TMR_Timer);
}

void BarraMenuTop::Form_Load() {
    ModMain::CaricaListeLivelli(this, ListeLivelli_);
    ColoreLampeggio = 0;
    TMR->start();
    FattoreFont = 1.0f;
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    SHP_Contorno[0]->ColoreBordo(0x400000);
    LarghezzaPrecedente = Casa::LarghezzaTwips(this);
    AltezzaPrecedente = Casa::AltezzaTwips(this);
    CaricaLingua();
    caricata_ = true;
}

void BarraMenuTop::Form_Unload() {
    TMR->stop();
    caricata_ = false;
}

void BarraMenuTop::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, ListeLivelli_); }

void BarraMenuTop::BUT_Menu_Click(int16_t Index) {
    for (size_t i = 0; i < BUT_Menu.size(); ++i) {
        PulsanteGrafico* b = BUT_Menu[i];
        if (!b) continue;
        if (static_cast<int16_t>(i) == Index) {
            if (!b->Value()) b->Value(true);
        } else if (b->Value()) {
            b->Value(false);
        }
    }
    if (const auto scheda = SchedaBottone(Index); scheda && MDIFrm::Finestra) MDIFrm::Finestra->SelezioneScheda(*scheda);
}

void BarraMenuTop::TMR_Timer() {
    ColoreLampeggio = Casa::ProssimoColoreLampeggio(ColoreLampeggio);
    for (PulsanteGrafico* b : BUT_Menu) {
        if (!b) continue;
        if (b->Value()) b->ForeColor(ColoreLampeggio);
        else if (b->ForeColor() != 0) b->ForeColor(0);
    }
    DopoLampeggio();
}

void BarraMenuTop::Form_Resize() {
    if (isMinimized()) return;
    Casa::RidimensionaForma(this, LarghezzaPrecedente, AltezzaPrecedente, FattoreFont);
    AdattaCaratteri();
}

void BarraMenuTop::AdattaCaratteri() {
    double punti = 0;
    for (PulsanteGrafico* b : BUT_Menu)
        if (b) punti = std::max(punti, Casa::PuntiFont(b));
    if (punti <= 0) return;
    // A button of a hidden bar gets its resize only when shown; its caption
    // layout must see its present size now.
    for (PulsanteGrafico* b : BUT_Menu) {
        if (!b || !b->testAttribute(Qt::WA_PendingResizeEvent)) continue;
        b->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent e(b->size(), b->size());
        QCoreApplication::sendEvent(b, &e);
    }
    // One size for the whole bar, so that its buttons stay alike; 5 points is the floor.
    for (double p = punti;; p -= 1) {
        bool tutte = true;
        for (PulsanteGrafico* b : BUT_Menu) {
            if (!b) continue;
            if (b->Font().pointSizeF() != p) Casa::MostraFontA(b, p);
            tutte = tutte && b->CaptionIntera;
        }
        if (tutte || p - 1 < 5) break;
    }
}

void BarraMenuTop::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void BarraMenuTop::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    // The first key release after load only arms the handler.
    if (PrimoTastoRicevuto == 0) {
        PrimoTastoRicevuto = 1;
        return;
    }
    ModMain::GestisciTasto(KeyCode, Shift);
}
