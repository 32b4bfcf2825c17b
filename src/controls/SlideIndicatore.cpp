#include "controls/SlideIndicatore.h"

#include <cmath>
#include <limits>

#include <QtCore/QTimer>
#include <QtGui/QPainter>

#include "core/Conversioni.h"

using Indicatori::Etichetta;
using Indicatori::Figura;
using Indicatori::FormaFigura;
using Indicatori::Rettangolo;

namespace {

// Zone colours of the strip, &HBBGGRR.
constexpr int32_t BordoRosso = 0x80, RiempimentoRosso = 0xC0;
constexpr int32_t BordoGiallo = 0x8080, RiempimentoGiallo = 0xC0C0;
constexpr int32_t BordoVerde = 0x8000, RiempimentoVerde = 0xC000;
// Cursor in zone mode.
constexpr int32_t BordoCursoreZone = 0xC0C0C0;
constexpr int32_t RiempimentoCursoreZone = 0xFFFFFF;

float LungoSingolo(double v) {
    const double r = Conv::ArrotondaPari(v);
    if (!(r == r)) return 0;
    return static_cast<float>(std::clamp(r, static_cast<double>(std::numeric_limits<int32_t>::min()),
                                         static_cast<double>(std::numeric_limits<int32_t>::max())));
}

Figura Rettangolo2px(float l, float t, float w, float h) {
    Figura f;
    f.Forma = FormaFigura::Rettangolo;
    f.R = Rettangolo{l, t, w, h};
    f.SpessoreBordo = 2;
    return f;
}

} // namespace

std::array<bool, SlideIndicatore::NumeroLampade> SlideIndicatore::LampadeAccese(float minimo, float massimo,
                                                                                float valore) {
    const float passo = (massimo - minimo) / NumeroLampade;
    auto soglia = [&](int n) { return static_cast<float>(static_cast<double>(minimo) + n * static_cast<double>(passo)); };
    std::array<bool, NumeroLampade> accese{};
    accese[LampadaCentrale] = true;
    for (int h = 1; h <= LampadaCentrale; ++h) accese[static_cast<size_t>(h - 1)] = soglia(h) > valore;
    for (int k = LampadaCentrale + 1; k < NumeroLampade; ++k) accese[static_cast<size_t>(k)] = soglia(k) <= valore;
    return accese;
}

std::optional<int> SlideIndicatore::PosizioneCursore(float minimo, float massimo, float valore) {
    const float passo = (massimo - minimo) / NumeroLampade;
    auto soglia = [&](int n) { return static_cast<float>(static_cast<double>(minimo) + n * static_cast<double>(passo)); };
    for (int p = 0; p < NumeroLampade; ++p) {
        if (soglia(p) <= valore && valore <= soglia(p + 1)) return p;
    }
    return std::nullopt;
}

SlideIndicatore::Famiglia SlideIndicatore::FamigliaDaBordo(int32_t bordo) {
    if (bordo == 0xC0C0 || bordo == 0x4040) return Famiglia::Giallo;
    if (bordo == 0xC0 || bordo == 0x40) return Famiglia::Rosso;
    return Famiglia::Verde;
}

SlideIndicatore::ColoriFigura SlideIndicatore::ColoriLampada(Famiglia f, bool accesa) {
    switch (f) {
    case Famiglia::Giallo: return accesa ? ColoriFigura{0xC0C0, 0xFFFF} : ColoriFigura{0x4040, 0x8080};
    case Famiglia::Rosso: return accesa ? ColoriFigura{0xC0, 0xFF} : ColoriFigura{0x40, 0x80};
    case Famiglia::Verde: break;
    }
    return accesa ? ColoriFigura{0xC000, 0xFF00} : ColoriFigura{0x4000, 0x8000};
}

SlideIndicatore::Famiglia SlideIndicatore::FamigliaLampada(int indice) {
    if (indice < 5) return Famiglia::Verde;
    if (indice < 10) return Famiglia::Giallo;
    return Famiglia::Rosso;
}

SlideIndicatore::SlideIndicatore(QWidget* parent) : QWidget(parent) {
    resize(LarghezzaDisegno / Indicatori::TwipsPerPixel, AltezzaDisegno / Indicatori::TwipsPerPixel);

    // Design placement.
    SHP_CURSOR_ = Rettangolo2px(3600, 360, 150, 495);
    SHP_CURSOR_.ColoreRiempimento = 0xFF0000;
    const std::array<std::pair<float, float>, 5> zone = {{{120, 1095}, {1200, 1095}, {2280, 2775}, {5040, 1095}, {6120, 1095}}};
    for (size_t k = 0; k < zone.size(); ++k) SHP_COLBAR_[k] = Rettangolo2px(zone[k].first, 480, zone[k].second, 375);
    auto etichetta = [](Etichetta& e, float l, float t, float w, float h, const char* caption, int allineamento) {
        e.R = Rettangolo{l, t, w, h};
        e.Caption = caption;
        e.NomeFont = QStringLiteral("MS Sans Serif");
        e.DimensioneFont = 13.5f;
        e.Grassetto = true;
        e.Allineamento = allineamento;
    };
    etichetta(LAB_CENTER_, 2520, 990, 2295, 345, "CENTER", Qt::AlignHCenter);
    etichetta(LAB_RIGHT_, 4800, 990, 2415, 345, "SX", Qt::AlignRight);
    etichetta(LAB_LEFT_, 120, 990, 2415, 345, "DX", Qt::AlignLeft);
    etichetta(LBL_TITLE_, 600, 30, 6255, 345, "TITOLO", Qt::AlignHCenter);
    for (int k = 0; k < NumeroLampade; ++k) {
        Figura& f = SHP_IND_[static_cast<size_t>(k)];
        f.Forma = FormaFigura::Cerchio;
        f.R = Rettangolo{120.0f + 480.0f * static_cast<float>(k), 480, 375, 375};
        f.SpessoreBordo = 2;
    }
    SHP_BACK_ = Rettangolo2px(0, 360, 7335, 615);
    SHP_BORDER_ = Rettangolo2px(0, 0, 7335, 1335);
    TMR_FLASHING_ = new QTimer(this);
    TMR_FLASHING_->setInterval(200);

    // Creation.
    LarghezzaPrecedente_ = width() * Indicatori::TwipsPerPixel;
    AltezzaPrecedente_ = height() * Indicatori::TwipsPerPixel;
    for (size_t k : {0u, 4u}) { SHP_COLBAR_[k].ColoreBordo = BordoRosso; SHP_COLBAR_[k].ColoreRiempimento = RiempimentoRosso; }
    for (size_t k : {1u, 3u}) { SHP_COLBAR_[k].ColoreBordo = BordoGiallo; SHP_COLBAR_[k].ColoreRiempimento = RiempimentoGiallo; }
    SHP_COLBAR_[2].ColoreBordo = BordoVerde;
    SHP_COLBAR_[2].ColoreRiempimento = RiempimentoVerde;
    for (int k = 0; k < NumeroLampade; ++k) {
        const ColoriFigura c = ColoriLampada(FamigliaLampada(k), false);
        SHP_IND_[static_cast<size_t>(k)].ColoreBordo = c.Bordo;
        SHP_IND_[static_cast<size_t>(k)].ColoreRiempimento = c.Riempimento;
    }
    BaseFontTitolo_ = LBL_TITLE_.DimensioneFont;
    BaseFontAltri_ = LAB_CENTER_.DimensioneFont;
    AggiornaAspetto();
    // The container's first sizing lays everything out.
    UserControl_Resize();
}

void SlideIndicatore::SL_ValOre(float v) {
    if (v < SL_ValMin_) {
        SL_ValOre_ = SL_ValMin_;
    } else if (v > SL_ValMax_) {
        SL_ValOre_ = SL_ValMax_;
    } else {
        SL_ValOre_ = v;
    }
    PosizionaValore();
}

void SlideIndicatore::SL_ValMin(double v) { SL_ValMin_ = LungoSingolo(v); }
void SlideIndicatore::SL_ValMax(double v) { SL_ValMax_ = LungoSingolo(v); }

void SlideIndicatore::ImpostaCaption(Etichetta& e, const std::string& testo) {
    if (e.Caption == testo) return;
    e.Caption = testo;
    update();
}

void SlideIndicatore::SL_STRTit(const std::string& v) { SL_STRTit_ = v; ImpostaCaption(LBL_TITLE_, v); }
void SlideIndicatore::SL_STRLef(const std::string& v) { SL_STRLef_ = v; ImpostaCaption(LAB_LEFT_, v); }
void SlideIndicatore::SL_STRRig(const std::string& v) { SL_STRRig_ = v; ImpostaCaption(LAB_RIGHT_, v); }
void SlideIndicatore::SL_STRVal(const std::string& v) { SL_STRVal_ = v; ImpostaCaption(LAB_CENTER_, v); }

void SlideIndicatore::AggiornaAspetto() {
    SHP_BACK_.Visibile = SL_ShpBkVis_;
    SHP_BORDER_.Forma = SL_ShpRound_ ? FormaFigura::RettangoloArrotondato : FormaFigura::Rettangolo;
    for (auto& f : SHP_COLBAR_) f.Visibile = !SL_LambTy_;
    for (auto& f : SHP_IND_) f.Visibile = SL_LambTy_;
    SHP_BACK_.ColoreRiempimento = SL_BACK_Color_;
    SHP_BORDER_.ColoreRiempimento = SL_BARRA_Color_;
    SHP_BACK_.ColoreBordo = SL_BORDER_Color_;
    SHP_BORDER_.ColoreBordo = SL_BORDER_Color_;
    LBL_TITLE_.NomeFont = SL_TITLEFont_Nome_;
    LBL_TITLE_.ColoreTesto = SL_TITLEFont_Colore_;
    LBL_TITLE_.Grassetto = SL_TITLEFont_Bold_;
    for (Etichetta* e : {&LAB_CENTER_, &LAB_RIGHT_, &LAB_LEFT_}) {
        e->NomeFont = SL_OTHERFont_Nome_;
        e->ColoreTesto = SL_OTHERFont_Colore_;
        e->Grassetto = SL_OTHERFont_Bold_;
    }
    update();
}

void SlideIndicatore::ColoraSegmento(int indice, bool accesa) {
    Figura& f = SHP_IND_[static_cast<size_t>(indice)];
    const ColoriFigura c = ColoriLampada(FamigliaDaBordo(f.ColoreBordo), accesa);
    f.ColoreBordo = c.Bordo;
    f.ColoreRiempimento = c.Riempimento;
}

void SlideIndicatore::PosizionaValore() {
    const auto accese = LampadeAccese(SL_ValMin_, SL_ValMax_, SL_ValOre_);
    ColoraSegmento(LampadaCentrale, true);
    for (int k = 0; k < LampadaCentrale; ++k) ColoraSegmento(k, accese[static_cast<size_t>(k)]);
    for (int k = LampadaCentrale + 1; k < NumeroLampade; ++k) ColoraSegmento(k, accese[static_cast<size_t>(k)]);
    update();

    const auto p = PosizioneCursore(SL_ValMin_, SL_ValMax_, SL_ValOre_);
    if (!p) return;
    const Figura& lampada = SHP_IND_[static_cast<size_t>(*p)];
    const double dx = Conv::ArrotondaPari((static_cast<double>(SHP_CURSOR_.R.Width) - lampada.R.Width) / 2);
    const double dy = Conv::ArrotondaPari((static_cast<double>(SHP_CURSOR_.R.Height) - lampada.R.Height) / 2);
    SHP_CURSOR_.R.Left = static_cast<float>(lampada.R.Left - dx);
    SHP_CURSOR_.R.Top = static_cast<float>(lampada.R.Top - dy);
    if (SL_LambTy_) {
        SHP_CURSOR_.ColoreBordo = lampada.ColoreBordo;
        SHP_CURSOR_.ColoreRiempimento = lampada.ColoreRiempimento;
    } else {
        SHP_CURSOR_.ColoreBordo = BordoCursoreZone;
        SHP_CURSOR_.ColoreRiempimento = RiempimentoCursoreZone;
    }
}

void SlideIndicatore::SI_AggiornaCharset(int32_t MyCharset, const QString& MyFont) {
    for (Etichetta* e : {&LAB_CENTER_, &LAB_RIGHT_, &LAB_LEFT_, &LBL_TITLE_}) {
        e->Charset = MyCharset;
        e->NomeFont = MyFont;
    }
    update();
}

void SlideIndicatore::UserControl_Resize() {
    const int32_t w = width() * Indicatori::TwipsPerPixel;
    const int32_t h = height() * Indicatori::TwipsPerPixel;
    // A control squeezed to nothing keeps its layout, so that it can grow back
    // from the last real size.
    if (w <= 0 || h <= 0 || LarghezzaPrecedente_ <= 0 || AltezzaPrecedente_ <= 0) return;
    const float rw = static_cast<float>(w) / static_cast<float>(LarghezzaPrecedente_);
    const float rh = static_cast<float>(h) / static_cast<float>(AltezzaPrecedente_);
    Indicatori::ScalaRettangolo(SHP_CURSOR_.R, rw, rh);
    for (auto& f : SHP_COLBAR_) Indicatori::ScalaRettangolo(f.R, rw, rh);
    for (Etichetta* e : {&LAB_CENTER_, &LAB_RIGHT_, &LAB_LEFT_, &LBL_TITLE_}) Indicatori::ScalaRettangolo(e->R, rw, rh);
    for (auto& f : SHP_IND_) Indicatori::ScalaRettangolo(f.R, rw, rh);
    Indicatori::ScalaRettangolo(SHP_BACK_.R, rw, rh);
    Indicatori::ScalaRettangolo(SHP_BORDER_.R, rw, rh);
    LarghezzaPrecedente_ = w;
    AltezzaPrecedente_ = h;
    BaseFontTitolo_ *= rw;
    BaseFontAltri_ *= rw;
    LBL_TITLE_.DimensioneFont = static_cast<float>(Conv::ArrotondaPari(BaseFontTitolo_));
    for (Etichetta* e : {&LAB_CENTER_, &LAB_LEFT_, &LAB_RIGHT_})
        e->DimensioneFont = static_cast<float>(Conv::ArrotondaPari(BaseFontAltri_));
    update();
}

void SlideIndicatore::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    UserControl_Resize();
}

void SlideIndicatore::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Back to front.
    Indicatori::DisegnaFigura(p, SHP_BORDER_);
    Indicatori::DisegnaFigura(p, SHP_BACK_);
    for (auto it = SHP_IND_.rbegin(); it != SHP_IND_.rend(); ++it) Indicatori::DisegnaFigura(p, *it);
    for (const Etichetta* e : {&LBL_TITLE_, &LAB_LEFT_, &LAB_RIGHT_, &LAB_CENTER_}) Indicatori::DisegnaEtichetta(p, *e);
    for (auto it = SHP_COLBAR_.rbegin(); it != SHP_COLBAR_.rend(); ++it) Indicatori::DisegnaFigura(p, *it);
    Indicatori::DisegnaFigura(p, SHP_CURSOR_);
}
