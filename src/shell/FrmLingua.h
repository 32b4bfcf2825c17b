#pragma once
// The first-start language dialog: one option per dictionary language, in
// rows of two. Releasing a mouse button over an option picks that language;
// the dialog cannot be closed otherwise.
#include <cstdint>
#include <vector>

#include <QtWidgets/QDialog>

#include "core/ModMainSchermo.h"

class QRadioButton;

class FrmLingua : public QDialog {
public:
    explicit FrmLingua(QWidget* proprietario = nullptr);

    void Form_Load();
    void AggiornaLivelliVisualizzazione();
    // Picks language Index, sets its entry 0 to the product title and closes.
    void Option1_MouseUp(int Index);

    // Place of an option, in twips.
    struct Posizione {
        int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    };
    std::vector<QRadioButton*> Option1;
    std::vector<Posizione> PosizioneOption1;
    int32_t LarghezzaTwips = 6630;
    int32_t AltezzaTwips = 0;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    ModMain::ListeLivelli liste_;
    bool chiusuraDaCodice_ = false;
};
