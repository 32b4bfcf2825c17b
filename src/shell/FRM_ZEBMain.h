#pragma once
// The home gauge page.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

class FRM_ZEBMain : public QWidget {
public:
    explicit FRM_ZEBMain(QWidget* contenitore = nullptr);

    void Form_Load();
    void Form_Unload();
    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornaScalaSonda();
    void VisualizzazioneBarreTempoInj();
    void AggiornaStatoEcu();
    void AggiornaParametriObd();
    void AggiornaCorrezioniVarie();
};
