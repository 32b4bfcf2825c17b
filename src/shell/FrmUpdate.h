#pragma once
// The busy overlay: a small borderless window with the word "UPDATE" that
// blinks while a request waits in the request slot and disappears 250 ms
// after the slot has become empty. Posting a request with the overlay asked
// for starts its timer; the main window places it and hides it on page changes.
#include <QtCore/QTimer>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

class FrmUpdate : public QWidget {
public:
    explicit FrmUpdate(QWidget* contenitore = nullptr);

    void Form_Resize();
    void Timer1_Timer();

    QLabel* Label1 = nullptr;
    // 30 ms, stopped until a request asks for the overlay.
    QTimer* Timer1 = nullptr;
    // Clock reading (microseconds) after which the overlay hides; 0 = none pending.
    double IstanteChiusura = 0.0;

    // The label is opaque (navy) in one blink phase and transparent (showing
    // the window's lilac) in the other.
    bool EtichettaOpaca() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
};
