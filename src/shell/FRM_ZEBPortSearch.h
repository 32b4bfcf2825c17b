#pragma once
// The port-search panel of the bottom band, shown while the ECU is searched.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBPortSearch : public QWidget {
public:
    explicit FRM_ZEBPortSearch(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
};
