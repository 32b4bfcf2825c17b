#include "controls/AnteprimaTasti.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QPointer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "engine/ModMainTasti.h"

namespace {

class Anteprima : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        // The same release on its way to the control and up its parents.
        if (evento->type() != QEvent::KeyRelease || evento == inCorso_) return false;
        auto* w = qobject_cast<QWidget*>(oggetto);
        if (!w) return false;
        QWidget* finestra = nullptr;
        FormaConTasti* forma = nullptr;
        // The nearest form in the same window: a dialog of its own (the axis
        // editor, a message box) keeps its keys from the page behind it.
        for (QWidget* p = w; p && !forma; p = p->parentWidget()) {
            if ((forma = dynamic_cast<FormaConTasti*>(p))) finestra = p;
            else if (p->isWindow()) break;
        }
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (!forma || !finestra->isEnabled() || tasto->isAutoRepeat()) return false;

        QPointer<QObject> destinatario(oggetto);
        QEvent* const precedente = inCorso_;
        inCorso_ = evento;
        forma->Form_KeyUp(ModMain::CodiceTasto(*tasto), ModMain::StatoMaiuscole(*tasto));
        // Then the control and its parents, as the release would have gone.
        if (destinatario) QCoreApplication::instance()->notify(destinatario, evento);
        inCorso_ = precedente;
        // Delivered: the release goes no further up.
        evento->accept();
        return true;
    }

private:
    QEvent* inCorso_ = nullptr;
};

QPointer<Anteprima> filtro;

} // namespace

FormaConTasti::FormaConTasti() { AnteprimaTasti::Installa(); }

namespace AnteprimaTasti {

void Installa() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || filtro) return;
    filtro = new Anteprima(app);
    app->installEventFilter(filtro);
}

void PrendiFuoco(QWidget* forma) {
    if (!forma || forma->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == forma) return;
    for (QWidget* w = forma->nextInFocusChain(); w && w != forma; w = w->nextInFocusChain()) {
        if (!forma->isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(forma) && w->isEnabled()) {
            w->setFocus(Qt::ActiveWindowFocusReason);
            return;
        }
    }
    forma->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace AnteprimaTasti
