#pragma once
// The archive page: load, save and restore configuration files.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBLoadSave : public QWidget {
public:
    explicit FRM_ZEBLoadSave(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
};
