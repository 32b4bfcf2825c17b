#include "controls/AnteprimaTasti.h"

#include <map>
#include <vector>

#include <QtCore/QCoreApplication>
#include <QtCore/QPointer>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "engine/ModMainTasti.h"

namespace {

// The physical key when the window system names it, else Qt's key: a key
// let go after its modifier may carry another Qt key than its press did.
quint64 IdentitaTasto(const QKeyEvent& tasto) {
    if (tasto.nativeScanCode() != 0) return (quint64{1} << 32) | tasto.nativeScanCode();
    return static_cast<quint32>(tasto.key());
}

// The controls of `forma` that Tab reaches, in the order it reaches them.
std::vector<QWidget*> ControlliTab(QWidget* forma) {
    std::vector<QWidget*> r;
    for (QWidget* w = forma->nextInFocusChain(); w && w != forma; w = w->nextInFocusChain())
        if (forma->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(forma) && w->isEnabled())
            r.push_back(w);
    return r;
}

// The frame drawn round the control that holds a popup's focus, in the gap
// between the controls: scroll bars and check boxes without a caption show
// no focus of their own.
class SegnoFuoco : public QWidget {
public:
    static constexpr int Margine = 3;
    explicit SegnoFuoco(QWidget* popup) : QWidget(popup) {
        setObjectName(QStringLiteral("SegnoFuoco"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    void Segui(QWidget* controllo) {
        controllo_ = controllo;
        Colloca();
    }
    void Colloca() {
        if (!controllo_ || !controllo_->isVisibleTo(parentWidget())) {
            hide();
            return;
        }
        const QRect r(controllo_->mapTo(parentWidget(), QPoint(0, 0)), controllo_->size());
        setGeometry(r.adjusted(-Margine, -Margine, Margine, Margine));
        show();
        raise();
    }
    const QWidget* Controllo() const { return controllo_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(QColor(255, 255, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    QPointer<QWidget> controllo_;
};

class Anteprima : public QObject {
public:
    using QObject::QObject;

    // `forma` keeps the keyboard while shown; its frame goes round the
    // control that holds its window's focus (no focus event comes while the
    // window is not the active one).
    void Trattieni(QWidget* forma) {
        Trattenuta_* t = nullptr;
        for (auto& p : trattenute_)
            if (p.popup == forma) t = &p;
        if (!t) t = &trattenute_.emplace_back(Trattenuta_{forma, new SegnoFuoco(forma)});
        QWidget* fuoco = forma->window()->focusWidget();
        if (t->segno) t->segno->Segui(forma->isAncestorOf(fuoco) ? fuoco : nullptr);
    }

    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        // Every event of the application passes here: the type first, the cast only for those we read.
        switch (evento->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide: break;
        default: return false;
        }
        auto* w = qobject_cast<QWidget*>(oggetto);
        if (!w) return false;
        switch (evento->type()) {
        case QEvent::KeyPress: return Pressione(w, static_cast<QKeyEvent*>(evento));
        case QEvent::FocusIn: RiportaFuoco(w); return false;
        case QEvent::KeyRelease: break;
        default:
            // The focus frame follows its control.
            for (auto& t : trattenute_)
                if (t.segno && t.segno->Controllo() == w) t.segno->Colloca();
            return false;
        }
        // The same release on its way to the control and up its parents.
        if (evento == inCorso_) return false;
        auto* tasto = static_cast<QKeyEvent*>(evento);
        // Where the key went down: a key pressed in another window (a message
        // box, a dialog, a drop-down list, all closed by that press) and let
        // go here is no key of this window.
        bool premutoAltrove = false;
        if (!tasto->isAutoRepeat()) {
            if (auto it = premuti_.find(IdentitaTasto(*tasto)); it != premuti_.end()) {
                premutoAltrove = it->second != w->window();
                premuti_.erase(it);
            }
        }
        QWidget* finestra = nullptr;
        FormaConTasti* forma = nullptr;
        // The nearest form in the same window: a dialog of its own (the axis
        // editor, a message box) keeps its keys from the page behind it.
        for (QWidget* p = w; p && !forma; p = p->parentWidget()) {
            if ((forma = dynamic_cast<FormaConTasti*>(p))) finestra = p;
            else if (p->isWindow()) break;
        }
        if (!forma) return false;
        if (premutoAltrove) {
            evento->accept();
            return true;
        }
        if (!finestra->isEnabled() || tasto->isAutoRepeat()) return false;

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
    struct Trattenuta_ {
        QPointer<QWidget> popup;
        QPointer<SegnoFuoco> segno;
    };

    // The shown popup that keeps the keyboard of `w`'s window, if any.
    QWidget* Trattenuta(const QWidget* w) const {
        for (const auto& t : trattenute_)
            if (t.popup && t.popup->isVisible() && t.popup->window() == w->window()) return t.popup;
        return nullptr;
    }

    bool Pressione(QWidget* w, QKeyEvent* tasto) {
        premuti_[IdentitaTasto(*tasto)] = w->window();
        // Tab and Shift+Tab go round the controls of a popup that keeps the keyboard.
        const auto mod = tasto->modifiers();
        const bool indietro = tasto->key() == Qt::Key_Backtab ||
                              (tasto->key() == Qt::Key_Tab && (mod & Qt::ShiftModifier));
        if ((tasto->key() != Qt::Key_Tab && tasto->key() != Qt::Key_Backtab) ||
            (mod & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        QWidget* popup = Trattenuta(w);
        if (!popup || (w != popup && !popup->isAncestorOf(w))) return false;
        const auto controlli = ControlliTab(popup);
        if (controlli.empty()) return false;
        const auto n = static_cast<long>(controlli.size());
        long i = -1;
        for (long k = 0; k < n; ++k)
            if (controlli[static_cast<size_t>(k)] == w) i = k;
        const long prossimo = i < 0 ? (indietro ? n - 1 : 0) : (i + (indietro ? n - 1 : 1)) % n;
        controlli[static_cast<size_t>(prossimo)]->setFocus(indietro ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        tasto->accept();
        return true;
    }

    // The focus that lands elsewhere in the window of a popup that keeps the
    // keyboard goes back to the popup; inside it, the frame marks it.
    void RiportaFuoco(QWidget* w) {
        for (auto& t : trattenute_)
            if (t.segno && t.popup) t.segno->Segui(t.popup->isAncestorOf(w) ? w : nullptr);
        QWidget* popup = Trattenuta(w);
        if (popup && w != popup && !popup->isAncestorOf(w)) AnteprimaTasti::PrendiFuoco(popup);
    }

    QEvent* inCorso_ = nullptr;
    std::map<quint64, QPointer<QWidget>> premuti_;
    std::vector<Trattenuta_> trattenute_;
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
    const auto controlli = ControlliTab(forma);
    if (!controlli.empty()) controlli.front()->setFocus(Qt::ActiveWindowFocusReason);
    else forma->setFocus(Qt::ActiveWindowFocusReason);
}

void TieniTastiera(QWidget* popup) {
    Installa();
    if (!popup || !filtro) return;
    PrendiFuoco(popup);
    filtro->Trattieni(popup);
}

} // namespace AnteprimaTasti
