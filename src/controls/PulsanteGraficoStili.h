#pragma once
// The eight looks of the drawn button as plans: which colours fill the face,
// draw the caption and the three edge rings, which corner pixels are set,
// how the focus is shown and which outline result the drawer gives. The
// widget paints a plan; the plans themselves need no screen.
#include "controls/PulsanteGraficoColori.h"

#include <QtCore/QPoint>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace Pulsante {

// StateFlags bits.
constexpr int16_t DefaultLook = 1;
constexpr int16_t HeldDown = 2;
constexpr int16_t MouseOver = 4;
constexpr int16_t Nudged = 1024;

struct StatoStile {
    int ButtonStyle = 0, ButtonShape = 0, Mode = 0;
    bool Value = false, Enabled = true, PressOn = false, HoverOn = false, ShowFocusRect = true;
    int16_t StateFlags = 0;
    int GradientMode = 0;
    int32_t GradientColor = 0, ForeColor = ColoreTestoSistema, HoverForeColor = ColoreTestoSistema;
    int32_t HoverBackColor = ColoreFacciaSistema;
    ColoriFaccia colori;
    int32_t AmbientBackRGB = 0;
    bool modalitaProgetto = false;
    int W = 0, H = 0, BottomLeftX = 0, TopRightX = 0;

    bool Premuto() const { return (StateFlags & HeldDown) && (StateFlags & MouseOver); }
    // A check or option button held by the mouse, or one whose Value is True.
    bool Bloccato() const { return (PressOn && Mode > 0) || Value; }
    bool FacciaValore() const { return Mode != 0 && Value; }
};

struct PianoStile {
    bool disegna = false; // false for a ButtonStyle outside 0-7
    // Face fill.
    int32_t faccia = 0, gradiente = 0, hover = 0;
    // Caption and picture.
    int32_t disabledText = -1;
    bool isDown = false, noEngrave = false;
    int32_t coloreTesto = 0; // colour of an enabled caption
    // Edge rings (shapes 0-3); index 1-12, a negative entry is not drawn.
    bool bordi = false;
    std::array<int32_t, 13> EdgeColours{};
    int penStyle = -1;
    std::vector<std::pair<QPoint, int32_t>> pixel; // corner pixels set after the rings
    // Dotted ellipse shown to the designer (look 5).
    bool ellisseProgetto = false;
    int32_t coloreEllisse = 0;
    // Focus indicator.
    bool fuoco = false;
    int32_t coloreFuoco = -1;
    bool fuocoIsValue = false, fuocoIntorno = false;
    int risultato = 0;
};

// edgeState and risultato are what the face fill gave: 2 pressed look, 1
// default, 0 otherwise; risultato 1, 3 or 4.
PianoStile PianificaStile(const StatoStile& s, int edgeState, int risultato);

// The face fill: bands of colour over the whole face.
std::vector<Banda> BandeSfondo(const StatoStile& s, int32_t faceColour, int32_t gradientColour,
                               int32_t hoverColour, int larghezzaSchermo, int altezzaSchermo);

// edgeState the face fill starts the drawers with.
int StatoBordoIniziale(const StatoStile& s);

} // namespace Pulsante
