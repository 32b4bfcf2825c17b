#include "controls/PulsanteGrafico.h"

#include "controls/ModZebPulsante.h"
#include "controls/PulsanteGraficoForme.h"
#include "engine/ModMainTasti.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QCursor>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtGui/QScreen>
#include <QtGui/QShortcutEvent>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <cmath>

using namespace Pulsante;

namespace {

int16_t PulsanteMouse(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int16_t PulsantiMouse(Qt::MouseButtons b) {
    return int16_t((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0));
}

bool Freccia(int16_t c) { return c >= 37 && c <= 40; }

QColor Qc(int32_t rgb) { return ColoreQt(rgb); }

} // namespace

PulsanteGrafico::PulsanteGrafico(QWidget* contenitore) : QWidget(contenitore), ModelloPulsante(contenitore) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    // Not marked opaque: the mask leaves the corners to the container, and an
    // opaque masked widget that moves leaves its old corners on the screen.
    timerHover_.setInterval(50);
    connect(&timerHover_, &QTimer::timeout, this,
            [this] { ModZeb::GestisciTimerPulsante(this, 0x0113, ModZeb::IdTimerPulsante, 0); });
    AmbientBackRGB = ColoreSfondoGenitore();
    TopRightX = width();
    AggiornaRisorse(QStringLiteral("Font"));
}

PulsanteGrafico::~PulsanteGrafico() { timerHover_.stop(); }

int32_t PulsanteGrafico::ColoreSfondoGenitore() const {
    const QWidget* g = parentWidget();
    if (!g) return ColoreFacciaSistema;
    return RgbDaQt(g->palette().color(g->backgroundRole()));
}

QSize PulsanteGrafico::Schermo() const {
    if (const QScreen* s = QGuiApplication::primaryScreen()) return s->size();
    return {1024, 768};
}

bool PulsanteGrafico::SottoCursore() {
    QWidget* w = FinestraSottoCursore ? FinestraSottoCursore() : QApplication::widgetAt(QCursor::pos());
    return w == this;
}

// ---- resources, buffer, region, layout ------------------------------------------

void PulsanteGrafico::AggiornaRisorse(const QString& quale) {
    ModelloPulsante::AggiornaRisorse(quale);
    const QString q = quale.toLower();
    if (q == QLatin1String("font")) {
        // The face is drawn in pixels: points * 20 twips / 15 twips per pixel.
        fontDisegno_ = Font_;
        const double punti = Font_.pointSizeF() > 0 ? Font_.pointSizeF() : 8.25;
        fontDisegno_.setPixelSize(std::max(1, int(std::lround(punti * 20.0 / 15.0))));
    } else if (q == QLatin1String("picture")) {
        if (Picture_.Vuota()) copiaImmagine_ = QImage();
    }
}

void PulsanteGrafico::GestisciBuffer(bool crea) {
    if (!crea) {
        update();
        return;
    }
    const QSize dim(std::max(1, width()), std::max(1, height()));
    if (faccia_.size() != dim) {
        faccia_ = QImage(dim, QImage::Format_RGB32);
        faccia_.fill(Qt::black);
        facciaValida_ = false;
    }
}

void PulsanteGrafico::EseguiResize() {
    faccia_ = QImage();
    GestisciBuffer(true);
    if (DelayDraw) return;
    CreaRegione();
    CalcolaLayout(false);
    Ridisegna();
}

void PulsanteGrafico::resizeEvent(QResizeEvent*) { EseguiResize(); }

void PulsanteGrafico::PreparaImmagine(int larghezza, int altezza) {
    if (Picture_.Vuota()) return;
    copiaImmagine_ = QImage();
    if (PictureIsIcon == 1 || larghezza <= 0 || altezza <= 0) return;
    copiaImmagine_ = Picture_.immagine.convertToFormat(QImage::Format_RGB32)
                         .scaled(larghezza, altezza, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    ScansionaSfondo(copiaImmagine_, nullptr, nullptr, nullptr);
}

void PulsanteGrafico::CreaRegione() {
    int W = width(), H = height();
    BottomLeftX = 0;
    TopRightX = W;
    inset1_ = inset2_ = QRegion();
    GeometriaForma g;
    if (ButtonShape_ >= 1 && ButtonShape_ <= 3) {
        const int w = LarghezzaMinimaObliqua(W, H);
        if (w != W) {
            DelayDraw = true;
            resize(w, H);
            W = width();
            DelayDraw = false;
            GestisciBuffer(true);
        }
        g = CreaGeometria(ButtonShape_, ButtonStyle_, W, H, isEnabled());
    } else if (ButtonShape_ <= 6) {
        g = CreaGeometria(ButtonShape_, ButtonStyle_, W, H, isEnabled());
        if (ButtonShape_ >= 4 && ButtonStyle_ != 5) {
            GestisciBuffer(true);
            QPainter p(&faccia_);
            if (ButtonShape_ == 6) IncorniciaRegione(p, g.regione, Nero);
            else DisegnaBande(p, BandeGradiente(3, W, H, Schermo().height(), Bianco, Grigio));
        }
    } else {
        if (PictureWidth == 0 || PictureHeight == 0) return;
        // Whatever way this ends, the control must not stay with drawing held off.
        const bool ritardoPrima = DelayDraw;
        struct Ripristino {
            bool& campo;
            bool valore;
            ~Ripristino() { campo = valore; }
        } ripristino{DelayDraw, ritardoPrima};
        DelayDraw = true;
        const QSize adatta = AdattaProporzioni(W, H, PictureWidth, PictureHeight);
        if (adatta.width() < 1 || adatta.height() < 1) return;
        resize(adatta);
        W = width();
        H = height();
        GestisciBuffer(true);
        DelayDraw = false;
        PreparaImmagine(W, H);
        if (copiaImmagine_.isNull()) return;
        QImage scansione = copiaImmagine_;
        g = GeometriaPersonalizzata(scansione, W, H);
        QPainter p(&faccia_);
        if (ButtonShape_ == 8) DisegnaBande(p, BandeGradiente(3, W, H, Schermo().height(), Bianco, Grigio));
        else IncorniciaRegione(p, g.regione, ConvertiColore(BackColor_));
    }
    BottomLeftX = g.BottomLeftX;
    TopRightX = g.TopRightX;
    inset1_ = g.Inset1Region;
    inset2_ = g.Inset2Region;
    regioneFinestra_ = g.regione;
    setMask(regioneFinestra_);
}

void PulsanteGrafico::CalcolaLayout(bool rebuild) {
    IngressoLayout in;
    in.W = width();
    in.H = height();
    in.buttonShape = ButtonShape_;
    in.BottomLeftX = BottomLeftX;
    in.TopRightX = TopRightX;
    in.PictureSizePx = PictureSizePx == 0 ? 16 : PictureSizePx;
    in.PictureWidth = PictureWidth;
    in.PictureHeight = PictureHeight;
    in.PictureAlign = PictureAlign_;
    in.CaptionAlign = CaptionAlign_;
    in.CaptionStyle = CaptionStyle_;
    in.testo = TestoVisualizzato(Caption_);
    const QFontMetrics fm(fontDisegno_);
    const MisuraTesto misura = [&fm](const QString& t, int w, int h) {
        return fm.boundingRect(QRect(0, 0, std::max(w, 1), std::max(h, 1)),
                               Qt::TextWordWrap | Qt::TextShowMnemonic, t)
            .size();
    };
    const EsitoLayout e = Pulsante::CalcolaLayout(in, misura, rebuild);
    CaptionRect = e.CaptionRect;
    CaptionIntera = e.CaptionIntera;
    PictureRect = e.PictureRect;
    if (e.rebuild) PreparaImmagine(PictureRect.right - PictureRect.left, PictureRect.bottom - PictureRect.top);
}

// ---- redraw -----------------------------------------------------------------------

void PulsanteGrafico::Ridisegna() {
    if (DelayDraw) return;
    // A hidden button (the pages are loaded hidden) draws its face when it is
    // first painted: paintEvent redraws a face that is not valid.
    if (!isVisible()) {
        SpostaPulsante(); // the press nudge moves the control, drawn or not
        facciaValida_ = false;
        return;
    }
    if (DisegnaFaccia()) GestisciBuffer(false);
}

void PulsanteGrafico::paintEvent(QPaintEvent*) {
    DelayDraw = false;
    if (!facciaValida_) DisegnaFaccia();
    QPainter p(this);
    p.drawImage(0, 0, faccia_);
    if (!cornice_.isEmpty()) IncorniciaRegione(p, cornice_, coloreCornice_);
}

void PulsanteGrafico::DisegnaRettangolo(QPainter& p, const QRect& r, int32_t colore) {
    p.fillRect(r, Qc(colore));
    ultimaPenna_ = colore;
    ultimaPennaPunteggiata_ = false;
}

void PulsanteGrafico::DisegnaBande(QPainter& p, const std::vector<Banda>& bande) {
    for (const Banda& b : bande) DisegnaRettangolo(p, b.rettangolo, b.colore);
}

void PulsanteGrafico::IncorniciaRegione(QPainter& p, const QRegion& r, int32_t colore) {
    const QRegion bordo = BordoRegione(r);
    for (const QRect& q : bordo) p.fillRect(q, Qc(colore));
}

bool PulsanteGrafico::DisegnaFaccia() {
    GestisciBuffer(true);
    if (ButtonStyle_ < 0 || ButtonStyle_ > 7) return false;
    const int W = width(), H = height();
    QPainter p(&faccia_);
    const int risultatoSfondo = PreparaContorno(p);
    if (risultatoSfondo == 0) return false;

    const StatoStile s = StatoPerStile(W, H);
    const PianoStile piano = PianificaStile(s, StatoBordoIniziale(s), risultatoSfondo);
    const QSize schermo = Schermo();
    DisegnaBande(p, BandeSfondo(s, piano.faccia, piano.gradiente, piano.hover, schermo.width(), schermo.height()));
    DisegnaTestoImmagine(p, piano);
    if (piano.ellisseProgetto) {
        const QRegion clip = p.clipRegion();
        const bool clipAttivo = p.hasClipping();
        p.setClipping(false);
        p.setPen(QPen(Qc(piano.coloreEllisse), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRect(0, 0, W - 1, H - 1));
        if (clipAttivo) p.setClipRegion(clip);
    }
    if (piano.bordi) DisegnaBordi(p, piano);
    for (const auto& [punto, colore] : piano.pixel) p.fillRect(QRect(punto, QSize(1, 1)), Qc(colore));
    if (piano.fuoco) DisegnaFuoco(p, piano);
    p.end();
    facciaValida_ = true;

    cornice_ = QRegion();
    if (piano.risultato > 1) {
        StatoCornice sc;
        sc.buttonShape = ButtonShape_;
        sc.buttonStyle = ButtonStyle_;
        sc.premuto = s.Premuto();
        sc.hoverOn = HoverOn;
        sc.defaultLook = StateFlags & DefaultLook;
        sc.value = Value_;
        sc.coloreBordo = piano.EdgeColours[12];
        sc.HoverRGB = colori_.HoverRGB;
        sc.BackRGB = ConvertiColore(BackColor_);
        sc.ShadeRGB = colori_.ShadeRGB;
        const Cornice c = CorniceDopoCopia(sc);
        coloreCornice_ = c.colore;
        switch (c.regione) {
        case RegioneCornice::Finestra: cornice_ = regioneFinestra_; break;
        case RegioneCornice::Inset1: cornice_ = inset1_; break;
        case RegioneCornice::Inset2: cornice_ = inset2_; break;
        default: break;
        }
    }
    return true;
}

int PulsanteGrafico::PreparaContorno(QPainter& p) {
    if (SpostaPulsante()) return 0;
    int risultato = 1;
    const int W = width(), H = height();
    const bool premuto = (StateFlags & HeldDown) && (StateFlags & MouseOver);
    const int forma = ButtonShape_;
    auto taglia = [&p](const QRegion& r) {
        if (r.isEmpty()) p.setClipping(false);
        else p.setClipRegion(r);
    };
    p.setClipping(false);
    if (ButtonStyle_ == 5 && !HoverOn && !premuto && !Value_) return risultato;
    const int schermoH = Schermo().height();
    if (ButtonStyle_ == 5 && (Value_ || (forma != 6 && forma != 7))) {
        DisegnaBande(p, BandeGradiente(3, W, H, schermoH, Bianco, Grigio));
        taglia(inset2_);
        risultato = 4;
    }
    if ((premuto || Value_) && forma != 6 && forma != 7) {
        taglia(inset1_);
        DisegnaBande(p, BandeGradiente(3, W, H, schermoH, Grigio, Bianco));
        taglia(inset2_);
        risultato = 4;
    } else if (forma == 7 || (forma == 6 && HoverOn)) {
        p.setClipping(false);
        IncorniciaRegione(p, regioneFinestra_, forma == 6 ? Nero : ConvertiColore(BackColor_));
        taglia(inset1_);
        risultato = 3;
    } else if (forma != 6) {
        taglia(inset1_);
        risultato = 3;
    }
    return risultato;
}

bool PulsanteGrafico::SpostaPulsante() {
    if (Mode_ > 0 || CustomClick_ < 1 || CustomClick_ > 8) return false;
    static const QPoint premi[9] = {{0, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {1, 0}, {0, 1}, {-1, 0}};
    const bool premuto = (StateFlags & HeldDown) && (StateFlags & MouseOver);
    const QPoint v = premi[CustomClick_];
    if (premuto && !(StateFlags & Nudged)) {
        move(pos() + v);
        StateFlags |= Nudged;
        GestisciBuffer(false);
        return true;
    }
    if ((StateFlags & Nudged) && !premuto) {
        move(pos() - v);
        StateFlags &= ~Nudged;
    }
    return false;
}

void PulsanteGrafico::DisegnaTestoImmagine(QPainter& p, const PianoStile& piano) {
    Rettangolo cap = CaptionRect, pic = PictureRect;
    const bool premuto = (StateFlags & HeldDown) && (StateFlags & MouseOver);
    if ((piano.isDown || premuto) && ButtonStyle_ != 3) {
        const int dx = ButtonShape_ <= 3 ? 1 : 0;
        cap = cap.Spostato(dx, 1);
        pic = pic.Spostato(dx, 1);
    }
    if (!Value_ || ButtonShape_ < 7) DisegnaImmagine(p, pic);
    if (Caption_.isEmpty() || (ButtonShape_ > 4 && !Value_)) return;
    IngressoTesto in;
    in.CaptionRect = cap;
    in.abilitato = isEnabled();
    in.CaptionStyle = CaptionStyle_;
    in.faceColour = piano.faccia;
    in.disabledTextColour = piano.disabledText;
    in.flagNoEngrave = piano.noEngrave;
    in.GradientMode = GradientMode_;
    in.coloreTesto = piano.coloreTesto;
    const int allinea = CaptionAlign_ == 0 ? Qt::AlignLeft : CaptionAlign_ == 1 ? Qt::AlignRight : Qt::AlignHCenter;
    const int flag = allinea | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const QString testo = TestoVisualizzato(Caption_);
    p.setFont(fontDisegno_);
    for (const PassaggioTesto& t : PassaggiTesto(in)) {
        p.setPen(Qc(t.colore));
        p.drawText(t.rettangolo.Qt(), flag, testo);
    }
}

void PulsanteGrafico::DisegnaImmagine(QPainter& p, Rettangolo r) {
    if (Picture_.Vuota()) return;
    if (ButtonShape_ >= 7) {
        r = {0, 0, width(), height()};
        if ((StateFlags & HeldDown) && (StateFlags & MouseOver)) r = {1, 1, width() - 1, height() - 1};
    }
    if (r.Vuoto()) return;
    const QSize dim(r.right - r.left, r.bottom - r.top);
    // The picture to put down, with transparent background.
    QImage sorgente;
    if (PictureIsIcon == 1) {
        sorgente = Picture_.immagine.convertToFormat(QImage::Format_ARGB32).scaled(dim);
    } else {
        if (copiaImmagine_.isNull()) PreparaImmagine(dim.width(), dim.height());
        if (copiaImmagine_.isNull()) return;
        // Transparent copy: the top-left colour is the background; a box
        // smaller than the copy shrinks it, keeping its proportions.
        QSize d = copiaImmagine_.size();
        if (dim.width() < d.width() || dim.height() < d.height()) {
            const double f = std::min(double(dim.width()) / d.width(), double(dim.height()) / d.height());
            d = QSize(int(d.width() * f), int(d.height() * f));
        }
        sorgente = copiaImmagine_.convertToFormat(QImage::Format_ARGB32);
        const QRgb trasparente = sorgente.pixel(0, 0);
        for (int y = 0; y < sorgente.height(); ++y) {
            QRgb* riga = reinterpret_cast<QRgb*>(sorgente.scanLine(y));
            for (int x = 0; x < sorgente.width(); ++x)
                if (riga[x] == trasparente) riga[x] = 0;
        }
        if (d != sorgente.size()) sorgente = sorgente.scaled(d);
    }
    if (isEnabled()) {
        p.drawImage(QPoint(r.left, r.top), sorgente);
        return;
    }
    // Disabled: the picture on white, then grey where it is dark and the face
    // where it is white, mixed bit by bit in between.
    QImage temp(dim, QImage::Format_RGB32);
    temp.fill(Qt::white);
    {
        QPainter pt(&temp);
        pt.drawImage(QPoint(0, 0), sorgente);
    }
    p.end();
    const QRgb grigio = Qc(Grigio).rgb();
    for (int y = 0; y < dim.height(); ++y) {
        const int fy = r.top + y;
        if (fy < 0 || fy >= faccia_.height()) continue;
        QRgb* riga = reinterpret_cast<QRgb*>(faccia_.scanLine(fy));
        const QRgb* sr = reinterpret_cast<const QRgb*>(temp.constScanLine(y));
        for (int x = 0; x < dim.width(); ++x) {
            const int fx = r.left + x;
            if (fx < 0 || fx >= faccia_.width()) continue;
            riga[fx] = 0xFF000000U | (((sr[x] & riga[fx]) | (~sr[x] & grigio)) & 0xFFFFFFU);
        }
    }
    p.begin(&faccia_);
}

void PulsanteGrafico::DisegnaBordi(QPainter& p, const PianoStile& piano) {
    const auto punti = PuntiBordi(ButtonShape_, width(), height(), BottomLeftX, TopRightX);
    auto traccia = [&](QPoint a, QPoint b, int32_t colore, bool punteggiata) {
        const QColor c = Qc(colore);
        const auto pixel = PuntiLinea(a, b);
        for (size_t i = 0; i < pixel.size(); ++i)
            if (!punteggiata || i % 2 == 0) p.fillRect(QRect(pixel[i], QSize(1, 1)), c);
    };
    for (const Segmento& seg : SegmentiBordi()) {
        const int32_t colore = piano.EdgeColours[static_cast<size_t>(seg.slot)];
        if (colore < 0) continue;
        ultimaPenna_ = colore;
        ultimaPennaPunteggiata_ = seg.slot >= 9 && piano.penStyle == 2;
        traccia(punti[static_cast<size_t>(seg.da)], punti[static_cast<size_t>(seg.a)], colore,
                ultimaPennaPunteggiata_);
    }
    traccia(punti[14], punti[15], ultimaPenna_, ultimaPennaPunteggiata_);
}

void PulsanteGrafico::DisegnaFuoco(QPainter& p, const PianoStile& piano) {
    IngressoFuoco in;
    in.defaultLook = StateFlags & DefaultLook;
    in.buttonShape = ButtonShape_;
    in.buttonStyle = ButtonStyle_;
    in.W = width();
    in.H = height();
    in.BottomLeftX = BottomLeftX;
    in.TopRightX = TopRightX;
    in.colore = piano.coloreFuoco;
    in.isValue = piano.fuocoIsValue;
    in.aroundCaption = piano.fuocoIntorno;
    in.value = Value_;
    in.premuto = (StateFlags & HeldDown) && (StateFlags & MouseOver);
    in.haCaption = !Caption_.isEmpty();
    in.CaptionRect = CaptionRect;
    in.PictureRect = PictureRect;
    const GeometriaFuoco g = CalcolaFuoco(in);
    const QColor c = Qc(g.colore);
    auto linea = [&](QPoint a, QPoint b) {
        for (const QPoint& q : PuntiLinea(a, b)) p.fillRect(QRect(q, QSize(1, 1)), c);
    };
    switch (g.tipo) {
    case TipoFuoco::Spezzata:
        for (size_t i = 0; i + 1 < g.punti.size(); ++i) linea(g.punti[i], g.punti[i + 1]);
        break;
    case TipoFuoco::Continuo: {
        const Rettangolo& r = g.rettangolo;
        const int dr = piano.fuocoIntorno || g.intorno ? 1 : 0;
        const QPoint a(r.left, r.top), b(r.right - dr, r.top), d(r.right - dr, r.bottom - dr), e(r.left, r.bottom - dr);
        linea(a, b);
        linea(b, d);
        linea(d, e);
        linea(e, a);
        break;
    }
    case TipoFuoco::Tratteggiato: {
        // Dotted focus rectangle drawn by inverting every other border pixel.
        const Rettangolo& r = g.rettangolo;
        if (r.Vuoto()) break;
        p.end();
        auto inverti = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= faccia_.width() || y >= faccia_.height()) return;
            if ((x + y) % 2 != 0) return;
            faccia_.setPixel(x, y, faccia_.pixel(x, y) ^ 0x00FFFFFFU);
        };
        for (int x = r.left; x < r.right; ++x) {
            inverti(x, r.top);
            if (r.bottom - 1 != r.top) inverti(x, r.bottom - 1);
        }
        for (int y = r.top + 1; y < r.bottom - 1; ++y) {
            inverti(r.left, y);
            if (r.right - 1 != r.left) inverti(r.right - 1, y);
        }
        p.begin(&faccia_);
        break;
    }
    default: break;
    }
}

// ---- hover and input ----------------------------------------------------------------

void PulsanteGrafico::VerificaUscitaMouse(int32_t&) {
    if (SottoCursore()) return;
    timerHover_.stop();
    StateFlags &= ~MouseOver;
    HoverOn = false;
    DelayDraw = false;
    emit MouseOnButton(false);
    PressOn = false;
    Ridisegna();
}

void PulsanteGrafico::MouseDownPasso(int16_t button, int16_t shift, float x, float y) {
    LastButton = button;
    if (button == 1) {
        // The widget keeps the mouse while the button is down (Qt's implicit grab).
        StateFlags |= HeldDown;
        PressOn = true;
        DelayDraw = false;
        Ridisegna();
    }
    emit MouseDown(button, shift, x, y);
}

void PulsanteGrafico::mousePressEvent(QMouseEvent* e) {
    dopoDoppioClick_ = false;
    MouseDownPasso(PulsanteMouse(e->button()), ModMain::StatoMaiuscole(e->modifiers()), float(e->position().x()),
                   float(e->position().y()));
}

void PulsanteGrafico::mouseMoveEvent(QMouseEvent* e) {
    const int16_t pulsanti = PulsantiMouse(e->buttons());
    if (!HoverOn && SottoCursore()) {
        StateFlags |= MouseOver;
        emit MouseOnButton(true);
        setProperty("lv_ClassID", QVariant::fromValue(static_cast<QObject*>(this)));
        setProperty("lv_TimerID", ModZeb::IdTimerPulsante);
        timerHover_.start();
        HoverOn = true;
        DelayDraw = false;
        if (pulsanti == 1) PressOn = true;
        Ridisegna();
    }
    emit MouseMove(pulsanti, ModMain::StatoMaiuscole(e->modifiers()), float(e->position().x()), float(e->position().y()));
}

void PulsanteGrafico::mouseReleaseEvent(QMouseEvent* e) {
    const int16_t button = PulsanteMouse(e->button());
    PressOn = false;
    if (button == 1) {
        StateFlags &= ~HeldDown;
        DelayDraw = false;
        if (Mode_ == 0) Ridisegna();
    }
    emit MouseUp(button, ModMain::StatoMaiuscole(e->modifiers()), float(e->position().x()), float(e->position().y()));
    LastButton = button;
    // The surface reports a click when the button is released over the
    // control; the release that ends a double click reports none.
    const QPoint punto = e->position().toPoint();
    const bool dentro = rect().contains(punto) && (mask().isEmpty() || mask().contains(punto));
    if (dopoDoppioClick_) {
        dopoDoppioClick_ = false;
        return;
    }
    if (dentro) PassoClick();
}

void PulsanteGrafico::mouseDoubleClickEvent(QMouseEvent* e) {
    dopoDoppioClick_ = true;
    const float x = float(e->position().x()), y = float(e->position().y());
    emit DoubleClick(LastButton);
    if (LastButton == 1) {
        MouseDownPasso(1, 0, x, y);
        LastButton = -1;
    } else {
        emit MouseDown(1, 0, x, y);
    }
}

void PulsanteGrafico::PassoClick() {
    if (LastButton != 1) return;
    if (Mode_ > 0) {
        if (Mode_ == 2 && Value_) return;
        Value(!Value_);
    }
    emit Click();
}

void PulsanteGrafico::keyPressEvent(QKeyEvent* e) {
    int16_t codice = ModMain::CodiceTasto(*e);
    const int16_t shift = ModMain::StatoMaiuscole(*e);
    if (Freccia(codice)) {
        static const quint32 scansione[4] = {0x4B, 0x48, 0x4D, 0x50};
        if (QWidget* c = parentWidget()) {
            QCoreApplication::postEvent(c, new QKeyEvent(QEvent::KeyPress, e->key(), Qt::NoModifier,
                                                         scansione[codice - 37], quint32(codice), 0));
        }
        codice = 0;
    } else if (codice == 32 && !(StateFlags & HeldDown)) {
        StateFlags |= MouseOver | HeldDown;
        PressOn = true;
        Ridisegna();
        if (!HoverOn) StateFlags &= ~MouseOver;
    }
    if (codice != 0) emit KeyDown(codice, shift);
    if (!e->text().isEmpty() && !Freccia(ModMain::CodiceTasto(*e))) emit KeyPress(int16_t(e->text().at(0).unicode()));
}

void PulsanteGrafico::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    int16_t codice = ModMain::CodiceTasto(*e);
    const int16_t shift = ModMain::StatoMaiuscole(*e);
    PressOn = false;
    if (codice == 32) {
        if (StateFlags & HeldDown) {
            StateFlags &= ~HeldDown;
            LastButton = 1;
            if (Mode_ == 0) {
                Ridisegna();
            } else {
                emit KeyUp(codice, shift);
                codice = 0;
            }
            PassoClick();
        }
    } else if (Freccia(codice)) {
        codice = 0;
        if (Mode_ == 2 && !Value_) {
            LastButton = 1;
            PassoClick();
        }
    } else if (codice == 16) {
        codice = 0;
    }
    if (codice != 0) emit KeyUp(codice, shift);
}

void PulsanteGrafico::AccessKeyPress(int16_t codice) {
    if ((codice == 13 || codice == 27) && Mode_ > 0) return;
    if (codice != 13 && codice != 27 && !(StateFlags & DefaultLook)) Ridisegna();
    LastButton = 1;
    PassoClick();
}

void PulsanteGrafico::ImpostaChiaveAccesso(const QString& tasto) {
    if (idScorciatoia_ != 0) releaseShortcut(idScorciatoia_);
    idScorciatoia_ = 0;
    if (!tasto.isEmpty()) idScorciatoia_ = grabShortcut(QKeySequence::mnemonic(QLatin1Char('&') + tasto));
}

bool PulsanteGrafico::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* s = static_cast<QShortcutEvent*>(e);
        if (s->shortcutId() == idScorciatoia_ && !AccessKey_.isEmpty()) {
            AccessKeyPress(int16_t(AccessKey_.at(0).toUpper().unicode()));
            return true;
        }
    }
    return QWidget::event(e);
}

void PulsanteGrafico::ScriviAbilitato(bool v) {
    abilitazioneDaModello_ = true;
    setEnabled(v);
    abilitazioneDaModello_ = false;
}

void PulsanteGrafico::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // However the enabled state changes (setEnabled on the button or on a
    // parent), the painted face follows at once, not at the next hover.
    if (e->type() == QEvent::EnabledChange && !abilitazioneDaModello_) RidisegnaAbilitazione();
}

void PulsanteGrafico::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    // The focused button is shown as the form's default button.
    AmbientChanged(QStringLiteral("DisplayAsDefault"), true, AmbientBackRGB);
    if (Mode_ == 2 && !Value_ && !GestisciGruppoOpzioni(OptionQuery)) {
        LastButton = 1;
        PassoClick();
    }
}

void PulsanteGrafico::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    AmbientChanged(QStringLiteral("DisplayAsDefault"), false, AmbientBackRGB);
}

void PulsanteGrafico::ImpostaPuntatore(int16_t puntatore) {
    static const Qt::CursorShape forme[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,     Qt::CrossCursor,    Qt::IBeamCursor,   Qt::ArrowCursor,
        Qt::SizeAllCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor,  Qt::SizeFDiagCursor, Qt::SizeHorCursor,
        Qt::UpArrowCursor,   Qt::WaitCursor,      Qt::ForbiddenCursor, Qt::BusyCursor,   Qt::WhatsThisCursor,
        Qt::SizeAllCursor};
    if (puntatore == 99 && !MouseIcon_.isNull()) setCursor(QCursor(QPixmap::fromImage(MouseIcon_)));
    else if (puntatore > 0 && puntatore < 16) setCursor(forme[puntatore]);
    else unsetCursor();
}

bool PulsanteGrafico::ImpostaIconaMouse(const QImage& icona) {
    if (!icona.isNull() && MousePointer_ == 99) setCursor(QCursor(QPixmap::fromImage(icona)));
    return true;
}
