#include "controls/PulsanteGraficoStili.h"

namespace Pulsante {

int StatoBordoIniziale(const StatoStile& s) {
    if (s.Premuto()) return 2;
    return (s.StateFlags & DefaultLook) ? 1 : 0;
}

std::vector<Banda> BandeSfondo(const StatoStile& s, int32_t faceColour, int32_t gradientColour,
                               int32_t hoverColour, int larghezzaSchermo, int altezzaSchermo) {
    const bool premuto = s.Premuto();
    if (hoverColour < 0) hoverColour = faceColour;
    const bool usaHover = s.HoverOn && ((s.Mode == 0 && !premuto) || (s.Mode > 0 && !s.Value));
    const int32_t riempimento = usaHover ? hoverColour : faceColour;
    const QRect tutto(0, 0, s.W, s.H);
    if (!s.Value && s.ButtonShape < 7 && s.GradientMode != 0) {
        if (s.HoverOn && !premuto && s.GradientColor != s.HoverBackColor) return {{tutto, hoverColour}};
        if (gradientColour < 0) gradientColour = faceColour;
        const int schermo = s.GradientMode <= 2 ? larghezzaSchermo : altezzaSchermo;
        return BandeGradiente(s.GradientMode, s.W, s.H, schermo, faceColour, gradientColour);
    }
    if (s.ButtonStyle == 2 && (s.Enabled || s.Mode > 0)) return BandeOmbreggiatura(s.W, s.H, riempimento);
    return {{tutto, riempimento}};
}

namespace {

// Colour of an enabled caption: the hover colour while hovered and not
// pressed, the look's own colour on a bright button, else ForeColor.
int32_t ColoreTesto(const StatoStile& s, int32_t hoverFore, int32_t disabledText) {
    if (s.HoverOn && !s.Premuto()) return ConvertiColore(hoverFore);
    if (s.ButtonStyle == 7 && (s.Value || s.GradientMode == 0)) return disabledText;
    return ConvertiColore(s.ForeColor);
}

void Predefiniti(const StatoStile& s, PianoStile& p) {
    p.faccia = s.FacciaValore() ? s.colori.CheckedRGB : s.colori.FaceRGB;
    p.gradiente = ConvertiColore(s.GradientColor);
    p.hover = s.colori.HoverRGB;
    p.disabledText = (!s.Enabled && s.Mode > 0) ? Grigio : -1;
    p.isDown = s.Value;
    p.noEngrave = s.Mode > 0;
}

// Outline result and outline colour common to every look but the rounded one.
void CorniceComune(const StatoStile& s, PianoStile& p) {
    const bool hoverOPremuto = s.HoverOn || s.Premuto();
    if (s.ButtonShape <= 5 || (s.ButtonShape == 6 && !hoverOPremuto)) {
        p.risultato = 1;
    } else {
        p.EdgeColours[12] = Nero;
    }
}

void Fuoco(PianoStile& p, int32_t colore, bool isValue, bool intorno) {
    p.fuoco = true;
    p.coloreFuoco = colore;
    p.fuocoIsValue = isValue;
    p.fuocoIntorno = intorno;
}

void Imposta(PianoStile& p, std::initializer_list<int> slot, int32_t colore) {
    for (int i : slot) p.EdgeColours[static_cast<size_t>(i)] = colore;
}

void StileRilievo(const StatoStile& s, PianoStile& p, int es) {
    Predefiniti(s, p);
    int32_t dark = p.disabledText;
    if (s.ButtonShape < 4) {
        const int32_t chiaro0 = Rgb(233, 233, 233);
        int32_t light = s.Premuto() ? p.faccia : chiaro0;
        if (s.Bloccato()) {
            es = 3;
            light = chiaro0;
            dark = Nero;
        } else if (s.ButtonShape > 0) {
            dark = Varia(p.faccia, -48);
        }
        static const int32_t X = -1;
        const int32_t tab[4][4] = {{X, X, light, Grigio},
                                   {light, Grigio, Bianco, Nero},
                                   {X, X, X, Grigio},
                                   {X, X, X, light}};
        Imposta(p, {1, 2}, tab[es][0]);
        Imposta(p, {3, 4}, tab[es][1]);
        Imposta(p, {5, 6}, tab[es][2]);
        Imposta(p, {7, 8}, tab[es][3]);
        if (s.Bloccato()) {
            Imposta(p, {9, 10}, Nero);
            Imposta(p, {11, 12}, Bianco);
        } else {
            Imposta(p, {9, 10}, (s.StateFlags & DefaultLook) ? Nero : Bianco);
            Imposta(p, {11, 12}, Nero);
        }
        p.bordi = true;
    }
    CorniceComune(s, p);
    Fuoco(p, dark, s.Value, false);
}

void StileBordato(const StatoStile& s, PianoStile& p, int es) {
    Predefiniti(s, p);
    int32_t dark = p.disabledText;
    if (s.ButtonShape < 4) {
        if (s.Bloccato()) {
            dark = Nero;
            es = 2;
        } else {
            if (s.ButtonShape > 0) dark = Varia(p.faccia, -48);
            if (es < 2) es = 1;
        }
        Imposta(p, {1, 2, 5, 6}, es == 2 ? Grigio : Bianco);
        Imposta(p, {3, 4, 7, 8}, es == 2 ? Bianco : Grigio);
        Imposta(p, {9, 10, 11, 12}, Nero);
        p.bordi = true;
    }
    CorniceComune(s, p);
    Fuoco(p, dark, s.Value, false);
}

void StileArrotondato(const StatoStile& s, PianoStile& p, int es) {
    int32_t base;
    if (s.Mode >= 1) {
        base = s.Value ? s.colori.CheckedRGB : s.colori.FaceRGB;
        p.faccia = base;
    } else {
        base = s.colori.FaceRGB;
        if (s.Premuto() && s.GradientMode == 0) p.faccia = s.colori.ShadeRGB;
        else p.faccia = s.Enabled ? base : Varia(base, -24, true);
    }
    p.disabledText = s.Enabled ? 0 : Varia(p.faccia, -104, true);
    if (s.ButtonShape < 7)
        p.gradiente = s.GradientMode != 0 ? Varia(ConvertiColore(s.GradientColor), 48, true) : p.faccia;
    else
        p.gradiente = 0;
    p.hover = s.colori.HoverRGB;
    p.isDown = s.Value;
    p.noEngrave = true;
    if (s.ButtonShape > 3) {
        if ((s.StateFlags & DefaultLook) && !s.HoverOn) p.EdgeColours[12] = Rgb(107, 130, 239);
        else if (s.HoverOn) p.EdgeColours[12] = Rgb(231, 150, 0);
        else p.risultato = 1;
        return;
    }
    int32_t esterno;
    if (s.Enabled) {
        if (s.Bloccato()) es = (s.StateFlags & DefaultLook) ? 1 : 2;
        if ((s.StateFlags & MouseOver) && !(s.StateFlags & HeldDown)) es = 3;
        else if (es == 1 && !s.ShowFocusRect) es = 0;
        auto b = [&](int n) { return Varia(base, n, true); };
        const int32_t tab[8][4] = {
            {b(-10), Rgb(181, 209, 240), b(-22), Rgb(255, 203, 107)},
            {b(10), Rgb(189, 215, 247), b(-24), Rgb(255, 219, 140)},
            {b(-24), Rgb(181, 209, 240), base, Rgb(255, 203, 107)},
            {b(-32), Rgb(140, 174, 231), b(10), Rgb(255, 178, 49)},
            {b(-5), Rgb(140, 174, 231), b(-32), Rgb(255, 178, 49)},
            {b(16), Rgb(191, 223, 255), b(-32), Rgb(255, 233, 166)},
            {b(-36), Rgb(140, 174, 231), b(5), Rgb(255, 178, 49)},
            {b(-48), Rgb(107, 130, 239), b(16), Rgb(231, 150, 0)},
        };
        for (int i = 0; i < 8; ++i) p.EdgeColours[static_cast<size_t>(i + 1)] = tab[i][es];
        esterno = Rgb(0, 60, 115);
    } else {
        Imposta(p, {1, 2, 3, 4, 5, 6, 7, 8}, -1);
        esterno = Varia(base, -84, true);
    }
    Imposta(p, {9, 10, 11, 12}, esterno);
    p.bordi = true;
    if (s.BottomLeftX == 0) {
        p.pixel.push_back({{1, s.H - 2}, esterno});
        p.pixel.push_back({{1, 1}, esterno});
    }
    if (s.TopRightX == s.W) {
        p.pixel.push_back({{s.W - 2, s.H - 2}, esterno});
        p.pixel.push_back({{s.W - 2, 1}, esterno});
    }
}

void StileInciso(const StatoStile& s, PianoStile& p, int es) {
    p.faccia = s.colori.FaceRGB;
    if (s.Mode > 0 && s.Value) p.faccia = s.colori.CheckedRGB;
    if (s.Mode == 0 && s.Premuto()) p.faccia = s.colori.ShadeRGB;
    p.gradiente = ConvertiColore(s.GradientColor);
    p.hover = s.colori.HoverRGB;
    p.disabledText = s.Enabled ? Grigio : Varia(Grigio, -16);
    p.isDown = false;
    p.noEngrave = true;
    if (s.ButtonShape < 4) {
        const int32_t dark = Varia(Grigio, -26);
        int32_t light = Bianco;
        if (s.Enabled || s.Mode > 0) {
            Imposta(p, {1, 2, 3, 4}, -1);
            if (s.Mode > 0) es = (s.Value || s.PressOn) ? 2 : 3;
            if (es < 2) es = 1;
            Imposta(p, {5, 6}, (es == 1 || es == 3) ? Bianco : p.faccia);
            Imposta(p, {7, 8}, dark);
        } else {
            Imposta(p, {1, 2, 3, 4, 5, 6, 7, 8}, p.faccia);
            light = dark;
        }
        Imposta(p, {9, 10}, dark);
        Imposta(p, {11, 12}, light);
        p.bordi = true;
    }
    CorniceComune(s, p);
    Fuoco(p, Rgb(153, 153, 204), true, true);
}

void StileSottile(const StatoStile& s, PianoStile& p, int es) {
    Predefiniti(s, p);
    int32_t dark = p.disabledText;
    if (s.ButtonShape < 4) {
        Imposta(p, {1, 2, 3, 4, 5, 6, 7, 8}, -1);
        if (s.Bloccato()) {
            dark = Nero;
            es = 2;
        } else {
            if (s.ButtonShape > 0) dark = Varia(p.faccia, -48);
            if (es < 2) es = 1;
        }
        Imposta(p, {9, 10}, es == 1 ? Bianco : Grigio);
        Imposta(p, {11, 12}, es == 1 ? Grigio : Bianco);
        p.bordi = true;
    }
    CorniceComune(s, p);
    Fuoco(p, dark, s.Value, false);
}

void StileBarra(const StatoStile& s, PianoStile& p, int es) {
    Predefiniti(s, p);
    const int32_t fuoco = (!s.FacciaValore() && s.ButtonShape > 0) ? Varia(s.AmbientBackRGB, -32) : Nero;
    if (s.ButtonShape >= 4 && s.ButtonShape <= 6 && s.modalitaProgetto) {
        p.ellisseProgetto = true;
        p.coloreEllisse = Varia(s.AmbientBackRGB, -32);
    }
    if (s.ButtonShape < 4) {
        Imposta(p, {1, 2, 3, 4, 5, 6, 7, 8}, -1);
        if ((s.StateFlags & MouseOver) || s.Value) {
            if (s.Bloccato()) es = 2;
            if (es < 2) es = 1;
            Imposta(p, {9, 10}, es == 1 ? Bianco : Grigio);
            Imposta(p, {11, 12}, es == 1 ? Grigio : Bianco);
        } else if (!s.modalitaProgetto) {
            Imposta(p, {9, 10, 11, 12}, -1);
        } else {
            int32_t c = Varia(s.AmbientBackRGB, -64);
            if (c == Nero) c = Bianco;
            Imposta(p, {9, 10, 11, 12}, c);
        }
        p.penStyle = s.modalitaProgetto ? 2 : 0;
        p.bordi = true;
    }
    CorniceComune(s, p);
    Fuoco(p, fuoco, s.Value, false);
}

void StileDueToni(const StatoStile& s, PianoStile& p, int es) {
    Predefiniti(s, p);
    int32_t dark = p.disabledText;
    if (s.ButtonShape < 4) {
        const int32_t light = Varia(Rgb(223, 223, 223), 8);
        Imposta(p, {1, 2, 3, 4}, -1);
        if (s.Bloccato()) {
            dark = Nero;
            es = 1;
        } else {
            es = s.Premuto() ? 1 : 0;
            if (s.ButtonShape > 0) dark = Varia(p.faccia, -48);
        }
        Imposta(p, {5, 6, 9, 10}, es == 0 ? light : Grigio);
        Imposta(p, {7, 8, 11, 12}, es == 0 ? Grigio : light);
        p.bordi = true;
    }
    CorniceComune(s, p);
    Fuoco(p, dark, s.Value, false);
}

void StileChiaro(const StatoStile& s, PianoStile& p, int es) {
    int32_t faccia = s.colori.FaceRGB;
    int32_t fuoco = Nero;
    if (s.Mode == 0) {
        if (s.Premuto()) faccia = s.colori.ShadeRGB;
        fuoco = s.ButtonShape > 0 ? Varia(faccia, -64) : Nero;
    } else if (s.Value) {
        faccia = s.colori.CheckedRGB;
        fuoco = Varia(Grigio, -32);
    }
    if (!s.Value && s.GradientMode != 0) {
        p.gradiente = Varia(ConvertiColore(s.GradientColor), 31);
        if (s.Premuto()) faccia = s.colori.FaceRGB;
    } else {
        p.gradiente = faccia;
    }
    p.faccia = faccia;
    p.hover = s.colori.HoverRGB;
    int32_t c;
    if ((s.Premuto() && s.Mode == 0) || s.Value) {
        c = (!s.Enabled && s.Value) ? Varia(faccia, -32, true) : s.colori.FaceRGB;
    } else if (!s.Enabled && !s.Value && s.Mode > 0) {
        c = Grigio;
    } else {
        c = s.Enabled ? ConvertiColore(s.ForeColor) : -1;
    }
    p.disabledText = c;
    p.isDown = s.Value;
    p.noEngrave = s.Mode > 0;
    // While the hover colour follows ForeColor (or the button is latched), the
    // hovered caption shows the look's own colour too.
    const int32_t hoverFore = (s.HoverForeColor == s.ForeColor || s.Value) ? c : s.HoverForeColor;
    p.coloreTesto = ColoreTesto(s, hoverFore, c);
    if (s.ButtonShape < 4) {
        if (s.Bloccato()) es = s.Value ? 2 : 0;
        int32_t fE = faccia;
        int32_t hi = Bianco, mid = Varia(faccia, 31, true), lo = Varia(faccia, -64, true);
        if (es == 2) {
            const int32_t h = s.GradientMode != 0 ? s.colori.FaceRGB : Grigio;
            fE = h;
            hi = Varia(h, -32);
            mid = Varia(h, -64);
            lo = Varia(h, -16);
        }
        Imposta(p, {1, 2}, hi);
        Imposta(p, {3, 4}, fE);
        Imposta(p, {5, 6}, mid);
        Imposta(p, {7, 8}, lo);
        Imposta(p, {9, 10, 11, 12}, Nero);
        p.bordi = true;
        const int W = s.W, H = s.H;
        if (s.BottomLeftX == 0) {
            p.pixel.insert(p.pixel.end(),
                           {{{3, 3}, hi}, {{1, H - 3}, fE}, {{2, 2}, mid}, {{1, H - 2}, Nero}, {{1, 1}, Nero}});
        }
        if (s.TopRightX == W) {
            p.pixel.insert(p.pixel.end(), {{{W - 4, H - 4}, fE},
                                           {{W - 3, 1}, fE},
                                           {{W - 3, H - 3}, lo},
                                           {{W - 2, H - 2}, Nero},
                                           {{W - 2, 1}, Nero}});
        }
    }
    CorniceComune(s, p);
    Fuoco(p, fuoco, s.Value, true);
}

} // namespace

PianoStile PianificaStile(const StatoStile& s, int edgeState, int risultato) {
    PianoStile p;
    if (s.ButtonStyle < 0 || s.ButtonStyle > 7) return p;
    p.disegna = true;
    p.risultato = risultato;
    switch (s.ButtonStyle) {
    case 0: StileRilievo(s, p, edgeState); break;
    case 1: StileBordato(s, p, edgeState); break;
    case 2: StileArrotondato(s, p, edgeState); break;
    case 3: StileInciso(s, p, edgeState); break;
    case 4: StileSottile(s, p, edgeState); break;
    case 5: StileBarra(s, p, edgeState); break;
    case 6: StileDueToni(s, p, edgeState); break;
    default: StileChiaro(s, p, edgeState); break;
    }
    if (s.ButtonStyle != 7) p.coloreTesto = ColoreTesto(s, s.HoverForeColor, p.disabledText);
    return p;
}

} // namespace Pulsante
