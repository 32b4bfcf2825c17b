#include "controls/FontComboRinviato.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QPointer>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>

namespace {

const char* const ProprietaFontRinviato = "FontComboRinviato";

// True while a held-back change is handed on: the filter lets it through.
bool consegnaFontInCorso = false;

void ConsegnaFontCombo(QComboBox* c) {
    c->setProperty(ProprietaFontRinviato, QVariant());
    consegnaFontInCorso = true;
    QEvent e(QEvent::FontChange);
    QCoreApplication::sendEvent(c, &e);
    consegnaFontInCorso = false;
}

class FiltroFontCombo : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        const QEvent::Type tipo = evento->type();
        if ((tipo != QEvent::FontChange && tipo != QEvent::Show) || consegnaFontInCorso) return false;
        auto* c = qobject_cast<QComboBox*>(oggetto);
        if (!c) return false;
        if (tipo == QEvent::Show) {
            if (c->property(ProprietaFontRinviato).isValid()) ConsegnaFontCombo(c);
            return false;
        }
        // Once the list exists a change costs little and goes through as usual.
        if (c->isVisible() || c->findChild<QAbstractItemView*>()) return false;
        c->setProperty(ProprietaFontRinviato, true);
        return true;
    }
};

QPointer<FiltroFontCombo> filtroFontCombo;

} // namespace

namespace FontComboRinviato {

void Installa() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || filtroFontCombo) return;
    filtroFontCombo = new FiltroFontCombo(app);
    app->installEventFilter(filtroFontCombo);
}

QSize DimensioneSuggerita(QWidget* w) {
    if (!w) return {};
    if (auto* c = qobject_cast<QComboBox*>(w); c && c->property(ProprietaFontRinviato).isValid()) ConsegnaFontCombo(c);
    return w->sizeHint();
}

} // namespace FontComboRinviato
