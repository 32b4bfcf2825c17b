#pragma once
// Every page form and popup sees each key released on it before the control
// that holds the focus, whatever that control is: a drawn button or a
// read-only text box keeps the keys it gets, and the forms' key handlers (Esc,
// the display-level and service hot keys) are written for forms that see
// every key first. One application-wide filter does it for every form. A key
// pressed in another window (a message box, a dialog, a drop-down list that
// the press closed) and let go over a form is no key of the form.
#include <cstdint>

class QWidget;

// A form that takes the key releases first: each one on the form or on any
// control it holds reaches Form_KeyUp (key code and shift state as
// ModMain::CodiceTasto and ModMain::StatoMaiuscole give them) once, then goes
// on to the control as usual. A held key counts once, when it is let go. A
// release whose press went to another window goes nowhere.
class FormaConTasti {
public:
    FormaConTasti();
    virtual ~FormaConTasti() = default;
    virtual void Form_KeyUp(int16_t KeyCode, int16_t Shift) = 0;
};

namespace AnteprimaTasti {

// Installs the filter once (later calls do nothing). Every form installs it
// when it is built; the main window installs it before its own input block,
// which must see the keys first.
void Installa();

// The form takes the focus, as a window being activated does: its first
// control in the tab order that can take it, else the form itself. A form
// that holds the focus already keeps it where it is.
void PrendiFuoco(QWidget* forma);

// A popup that leaves the forms behind it blocked takes the focus and keeps
// the keyboard while it is shown: Tab and Shift+Tab go round its own
// controls, and the focus that lands anywhere else in its window comes back
// to it, so that its keys work whatever the user did.
void TieniTastiera(QWidget* popup);

} // namespace AnteprimaTasti
