#include "controls/PulsanteGraficoLayout.h"

#include "controls/PulsanteGraficoColori.h"
#include "controls/PulsanteGraficoForme.h"

#include <algorithm>

namespace Pulsante {

QString TestoVisualizzato(const QString& caption) {
    QString t = caption;
    t.replace(QStringLiteral("||"), QStringLiteral("\n"));
    return t;
}

EsitoLayout CalcolaLayout(const IngressoLayout& in, const MisuraTesto& misura, bool rebuild) {
    EsitoLayout e;
    const int W = in.W, H = in.H, X0 = in.BottomLeftX, X1 = in.TopRightX;
    const int P = in.PictureSizePx;
    const bool immagine = in.PictureWidth + in.PictureHeight > 0;
    const bool caption = !in.testo.isEmpty();

    int M = 0, RL = W, CW = X1;
    switch (in.buttonShape) {
    case 1:
        M = X0 - X0 / 3 + 3;
        RL = W;
        CW = W - M;
        break;
    case 2:
        M = 0;
        RL = (W - X1) / 3 + X1;
        CW = RL;
        break;
    case 3:
        M = X0 - X0 / 3 + 3;
        RL = (W - X1) / 3 + X1;
        CW = RL - M;
        break;
    case 7:
    case 8:
        M = 3;
        RL = X1 - 3;
        CW = X1 - 3;
        break;
    default:
        break;
    }

    int PL = 0, PR = 0, PT = 0, PB = 0;
    bool accanto = false, impilato = false;
    if (immagine && P <= 32) {
        switch (in.PictureAlign) {
        case 0:
        case 1: PL = P; accanto = true; break;
        case 2:
        case 3: PR = P; accanto = true; break;
        case 4: PT = P; impilato = true; break;
        case 5: PB = P; impilato = true; break;
        default: break;
        }
    }

    int TW = 0, TH = 0;
    Rettangolo cap;
    if (caption) {
        const QSize m = misura(in.testo, CW - 8 - (accanto ? P : 0), H - 8 - (impilato ? P : 0));
        TW = m.width();
        TH = m.height();
        if (in.CaptionStyle != 0) {
            TW += 2;
            TH += 2;
        }
        cap = {0, 0, TW, TH};
        int dx = 0;
        switch (in.CaptionAlign) {
        case 0: dx = M + PL + 4 + (PL > 0 ? 4 : 0); break;
        case 1: dx = RL - PR - 4 - TW - (PR > 0 ? 4 : 0); break;
        default:
            if (PL > 0 && in.PictureAlign == 1) dx = (CW - (TW + PL + 4)) / 2 + M + 4 + PL;
            else if (PR > 0 && in.PictureAlign == 3) dx = (CW - (TW + PR + 4)) / 2 + M;
            else dx = (CW - PR - PL - TW) / 2 + M + PL;
            break;
        }
        cap = cap.Spostato(dx, 0);
    }

    Rettangolo pic;
    if (!immagine) {
        cap = cap.Spostato(0, (H - TH) / 2);
    } else {
        int sinistra = 0, alto = 0;
        switch (in.PictureAlign) {
        case 0:
        case 1:
        case 2:
        case 3:
            if (in.PictureAlign == 0) sinistra = M + 4;
            else if (in.PictureAlign == 1) sinistra = caption ? cap.left - 4 - PL : M + 4;
            else if (in.PictureAlign == 2) sinistra = RL - 4 - PR;
            else sinistra = caption ? cap.right + 4 : RL - 4 - PR;
            cap = cap.Spostato(0, (H - TH) / 2);
            alto = (H - P) / 2;
            break;
        case 4: {
            const int v = (H - (TH + PT)) / 2;
            alto = v;
            cap = cap.Spostato(0, v + 2 + PT);
            sinistra = M + (CW - P) / 2;
            break;
        }
        case 5: {
            const int v = (H - (TH + PB)) / 2;
            alto = v + TH + 4;
            cap = cap.Spostato(0, v + 2);
            sinistra = M + (CW - P) / 2;
            break;
        }
        default: break;
        }
        pic = {sinistra, alto, sinistra + P, alto + P};
    }

    auto blocca = [&](Rettangolo& r) {
        r.top = std::max(r.top, 4);
        r.left = std::max(r.left, M + 4);
        r.right = std::min(r.right, RL - 4);
        r.bottom = std::min(r.bottom, H - 5);
    };
    blocca(cap);
    e.CaptionRect = cap;
    e.CaptionIntera = !caption || (cap.right - cap.left >= TW && cap.bottom - cap.top >= TH);

    if (P <= 32) {
        blocca(pic);
    } else if (P == 40) {
        pic = in.buttonShape == 6 ? Rettangolo{1, 1, W - 1, H - 1} : Rettangolo{3, 3, W - 3, H - 3};
        rebuild = true;
    } else if (P == 48 && (in.buttonShape == 7 || in.buttonShape == 8)) {
        pic = {0, 0, W, H};
    } else if (P == 48 && immagine) {
        const QSize f = AdattaProporzioni(CW - 12, H - 12, in.PictureWidth, in.PictureHeight);
        const int l = M + (CW - f.width()) / 2, t = (H - f.height()) / 2;
        pic = {l, t, l + f.width(), t + f.height()};
        rebuild = true;
    }
    e.PictureRect = pic;
    e.rebuild = rebuild;
    return e;
}

std::vector<PassaggioTesto> PassaggiTesto(const IngressoTesto& in) {
    std::vector<PassaggioTesto> passi;
    Rettangolo r = in.CaptionRect;
    bool noEngrave = in.flagNoEngrave;
    int32_t colore = in.coloreTesto;
    if (in.abilitato) {
        if (in.CaptionStyle == 1 || in.CaptionStyle == 2) {
            const int s = in.CaptionStyle == 1 ? -40 : 40;
            r = r.Spostato(-1, 0);
            passi.push_back({r, Varia(in.faceColour, s)});
            r = r.Spostato(2, 2);
            passi.push_back({r, Varia(in.faceColour, -s)});
            r = r.Spostato(-1, -1);
        }
    } else if (in.disabledTextColour < 0 || in.GradientMode != 0) {
        colore = Bianco;
        r = r.Spostato(1, 1);
        noEngrave = false;
    } else {
        colore = in.disabledTextColour;
    }
    passi.push_back({r, colore});
    if (!in.abilitato && !noEngrave) passi.push_back({r.Spostato(-1, -1), Grigio});
    return passi;
}

GeometriaFuoco CalcolaFuoco(const IngressoFuoco& in) {
    GeometriaFuoco g;
    g.intorno = in.aroundCaption;
    if (!in.defaultLook || in.buttonShape > 6) return g;
    if (in.buttonShape >= 4) {
        if (in.buttonStyle == 2) return g;
        g.intorno = true;
    }
    const int W = in.W, H = in.H, X0 = in.BottomLeftX, X1 = in.TopRightX;
    g.colore = in.colore;
    if (in.buttonShape >= 1 && in.buttonShape <= 3) {
        const int a = X0 != 0 ? 1 : 0, b = W > X1 ? 1 : 0;
        g.tipo = TipoFuoco::Spezzata;
        g.punti = {{X0 + 4 - 6 * a, H - 5}, {4 + 4 * a, 4}, {X1 - 5 + 4 * b, 4}, {W - 5 - 6 * b, H - 5},
                   {X0 + 3 - 4 * a, H - 5}};
        return g;
    }
    if (g.colore < 0) g.colore = Nero;
    Rettangolo r;
    if (g.intorno) {
        if (in.haCaption) {
            r = in.CaptionRect;
        } else {
            r = in.PictureRect;
            r.bottom = std::min(r.bottom, H - 4);
            r.right = std::min(r.right, W - 4);
        }
        const int e = (in.CaptionRect.right < X1 - 4 && X0 + 4 < in.CaptionRect.left) ? 2 : 1;
        const int d = ((in.value || in.premuto) && in.buttonStyle != 3) ? 1 : 0;
        const int dx = in.buttonShape < 4 ? d : 0;
        r = r.Spostato(dx - e, d - e);
        r.right += 2 * e + dx;
        r.bottom += 2 * e + d;
    } else {
        r = {X0 + 4, 4, X1 - 4, H - 4};
    }
    g.rettangolo = r;
    g.tipo = in.isValue ? TipoFuoco::Continuo : TipoFuoco::Tratteggiato;
    return g;
}

} // namespace Pulsante
