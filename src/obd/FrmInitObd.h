#pragma once
// The small window of the OBD start: title label, status lamp on a coloured
// background, one button. The button sets AnnullaInitObd; the user's close
// box is refused (the window ends only through the button or by code).
#include <QtWidgets/QDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>

#include "core/ModMainSchermo.h"
#include "engine/ServiziInterfaccia.h"

class FrmInitObd : public QDialog {
public:
    explicit FrmInitObd(QWidget* padre = nullptr);

    // Display levels, the main window's icon and the caption.
    void Form_Load();
    void AggiornaLivelliVisualizzazione();

    // Shows the window (modeless, on top) with this content.
    void Mostra(const FinestraInitObd& stato);
    // Unload by code.
    void Scarica();

    QFrame* ShpBack = nullptr;
    QFrame* ShpStato = nullptr;
    QLabel* LblTitolo = nullptr;
    QPushButton* CmdAnnulla = nullptr;

    void CmdAnnulla_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override {}

private:
    bool scaricaDaCodice_ = false;
    ModMain::ListeLivelli liste_;
};
