#pragma once
// The OBD correction-map window: a separate window, not a page, refreshed by
// the display timer while it is open.
// Only the members the main window calls exist so far; they do nothing yet.
#include <cstdint>

#include <QtWidgets/QWidget>

#include "engine/ModMainConnessione.h" // UnitaRpm

namespace ModMain {

// 1 while the OBD correction-map window is open.
inline uint8_t MappettaAperta = 0;

} // namespace ModMain

class FrmMappetta : public QWidget {
public:
    explicit FrmMappetta(QWidget* contenitore = nullptr);

    // The window's single instance, created on first use.
    static FrmMappetta* Istanza();

    void AggiornaLivelliVisualizzazione();
    void CaricaLingua();
    void AggiornamentoMappetta();
    void AggiornaVariabiliMappettaSatellite();
};
