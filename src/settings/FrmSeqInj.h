#pragma once
// The injection-sequence popup, centred on the main window.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmSeqInj : public QWidget {
public:
    explicit FrmSeqInj(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaSelezioni(bool tutto);
};
