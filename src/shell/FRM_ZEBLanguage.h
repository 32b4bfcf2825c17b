#pragma once
// The language buttons of the home page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBLanguage : public QWidget {
public:
    explicit FRM_ZEBLanguage(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
};
