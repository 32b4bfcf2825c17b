#pragma once
// Keys as a keyboard sends them: each press and release goes through the
// application (its filters, the widget, then the widget's parents) to the
// widget that holds the focus, and carries what a keyboard layout gives: the
// key, the modifiers held, the text and the key's scan code.
#include <QtGui/QKeyEvent>
#include <QtGui/QWindow>
#include <QtTest/QTest>
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

// A key pressed or let go on a window as the window system delivers it, its
// modifiers pressed before it and let go after it: an open drop-down list
// holds the keyboard, else the window's focused control gets it.
inline QWindow* FinestraTastiera(QWidget* finestra) {
    QWidget* w = QApplication::activePopupWidget();
    return (w ? w : finestra->window())->windowHandle();
}
inline void PremiSu(QWidget* finestra, Qt::Key tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QTest::keyPress(FinestraTastiera(finestra), tasto, mod);
}
inline void RilasciaSu(QWidget* finestra, Qt::Key tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QTest::keyRelease(FinestraTastiera(finestra), tasto, mod);
}
inline void BattiSu(QWidget* finestra, Qt::Key tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    PremiSu(finestra, tasto, mod);
    RilasciaSu(finestra, tasto, mod);
}

// A key of a real keyboard layout: what its press carries.
struct TastoTastiera {
    const char* nome;
    int tasto;
    Qt::KeyboardModifiers mod;
    const char* testo;
    quint32 scansione; // xkb key code
};

inline void Batti(QWidget* w, const TastoTastiera& t) {
    Batti(w, t.tasto, t.mod, QString::fromLatin1(t.testo), t.scansione);
}

// The plus and minus keys, shifted or not, on a US and an Italian keyboard and
// on the keypad, and keys next to them that are no step key.
namespace Tastiera {
inline const TastoTastiera UsUguale{"US =", Qt::Key_Equal, Qt::NoModifier, "=", 21};
inline const TastoTastiera UsShiftUguale{"US Shift+=", Qt::Key_Plus, Qt::ShiftModifier, "+", 21};
inline const TastoTastiera UsMeno{"US -", Qt::Key_Minus, Qt::NoModifier, "-", 20};
inline const TastoTastiera UsShiftMeno{"US Shift+-", Qt::Key_Underscore, Qt::ShiftModifier, "_", 20};
inline const TastoTastiera UsShift8{"US Shift+8", Qt::Key_Asterisk, Qt::ShiftModifier, "*", 17};
inline const TastoTastiera ItPiu{"IT +", Qt::Key_Plus, Qt::NoModifier, "+", 35};
inline const TastoTastiera ItShiftPiu{"IT Shift++", Qt::Key_Asterisk, Qt::ShiftModifier, "*", 35};
inline const TastoTastiera ItMeno{"IT -", Qt::Key_Minus, Qt::NoModifier, "-", 61};
inline const TastoTastiera ItShiftMeno{"IT Shift+-", Qt::Key_Underscore, Qt::ShiftModifier, "_", 61};
inline const TastoTastiera ItShift0{"IT Shift+0", Qt::Key_Equal, Qt::ShiftModifier, "=", 19};
inline const TastoTastiera TastierinoPiu{"keypad +", Qt::Key_Plus, Qt::KeypadModifier, "+", 86};
inline const TastoTastiera TastierinoMeno{"keypad -", Qt::Key_Minus, Qt::KeypadModifier, "-", 82};
inline const TastoTastiera ShiftTastierinoPiu{"Shift+keypad +", Qt::Key_Plus,
                                              Qt::ShiftModifier | Qt::KeypadModifier, "+", 86};
inline const TastoTastiera TastierinoPer{"keypad *", Qt::Key_Asterisk, Qt::KeypadModifier, "*", 63};
} // namespace Tastiera

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
