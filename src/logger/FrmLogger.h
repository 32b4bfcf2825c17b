#pragma once
// The data logger page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>
#include <vector>

#include <QtWidgets/QRadioButton>
#include <QtWidgets/QWidget>

class FrmLogger : public QWidget {
public:
    explicit FrmLogger(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void ApriFileLogger();

    std::vector<QRadioButton*> OptRun;
};
