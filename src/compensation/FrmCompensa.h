#pragma once
// The compensation tables page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FrmCompensa : public QWidget {
public:
    explicit FrmCompensa(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaTabelledaVettori();
    void VisualizzaPuntoTabella();
    void IndiciEsperti();
};
