#pragma once
// Keys as a keyboard sends them: each press and release goes through the
// application (its filters, the widget, then the widget's parents) to the
// widget that holds the focus, and carries what a keyboard layout gives: the
// key, the modifiers held, the text and the key's scan code.
#include <QtGui/QKeyEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

namespace SupportoTest {

// One key event as the window system delivers it.
inline void InviaTasto(QWidget* w, QEvent::Type tipo, int tasto, Qt::KeyboardModifiers mod,
                       const QString& testo = {}, quint32 scansione = 0) {
    QKeyEvent e(tipo, tasto, mod, scansione, 0, 0, testo);
    QSpontaneKeyEvent::setSpontaneous(&e);
    QCoreApplication::instance()->notify(w, &e);
}

// A key pressed and let go on `w`.
inline void Batti(QWidget* w, int tasto, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& testo = {},
                  quint32 scansione = 0) {
    InviaTasto(w, QEvent::KeyPress, tasto, mod, testo, scansione);
    InviaTasto(w, QEvent::KeyRelease, tasto, mod, testo, scansione);
}

// The window shown and made the active one, so that the focus can be given.
inline bool Attiva(QWidget* finestra) {
    finestra->show();
    finestra->activateWindow();
    for (int giro = 0; giro < 100 && QApplication::activeWindow() != finestra; ++giro)
        QCoreApplication::processEvents();
    return QApplication::activeWindow() == finestra;
}

// The control that holds the focus, or `w` when the focus is elsewhere.
inline QWidget* ConFuoco(QWidget* w) {
    w->setFocus(Qt::OtherFocusReason);
    QWidget* f = QApplication::focusWidget();
    return f ? f : w;
}

} // namespace SupportoTest
