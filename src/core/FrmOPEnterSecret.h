#pragma once
// The operator access-code screen: shows a challenge number and takes the
// answer number. A right answer opens the second display level for the rest
// of the run; anything else only closes the screen. One attempt per opening.
#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include "core/ModMainSchermo.h"

class QFrame;
class QLabel;
class QLineEdit;

class FrmOPEnterSecret : public QWidget {
public:
    explicit FrmOPEnterSecret(QWidget* proprietario = nullptr);

    void Form_Load();
    void Form_Activate();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    // A typed character: digits and Backspace pass, Enter checks the answer,
    // anything else is dropped. False when the character is dropped.
    bool TxtValue_KeyPress(int KeyAscii);

    // Set when the screen is to close; ApriCodiceOperatore polls it.
    bool CloseMe = false;

    QLabel* LAB_SecretKey = nullptr;
    QLabel* LAB_SecretKey_VAL = nullptr;
    QLineEdit* TxtValue = nullptr;
    QFrame* FrameFantoccio = nullptr;
    QLabel* IMG_Sfondo = nullptr;

protected:
    void keyReleaseEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void VerificaRisposta();

    ModMain::ListeLivelli liste_;
};

namespace ModMain {
// The screen once first opened; it lives until the main window goes.
inline QPointer<FrmOPEnterSecret> IstanzaFrmOPEnterSecret;
} // namespace ModMain
