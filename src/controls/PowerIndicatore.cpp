#include "controls/PowerIndicatore.h"

#include <cmath>
#include <limits>

#include <QtGui/QPainter>

#include "core/Conversioni.h"

using Indicatori::Etichetta;
using Indicatori::Figura;
using Indicatori::FormaFigura;
using Indicatori::Rettangolo;

namespace {

float LungoSingolo(double v) {
    const double r = Conv::ArrotondaPari(v);
    if (!(r == r)) return 0;
    return static_cast<float>(std::clamp(r, static_cast<double>(std::numeric_limits<int32_t>::min()),
                                         static_cast<double>(std::numeric_limits<int32_t>::max())));
}

} // namespace

Rettangolo PowerIndicatore::GeometriaBarra(int indice) {
    const int r = std::clamp(indice - 12, 0, 7);
    return Rettangolo{120.0f + 300.0f * static_cast<float>(indice), 1740.0f - 120.0f * static_cast<float>(r), 195,
                      735.0f + 120.0f * static_cast<float>(r)};
}

std::array<bool, PowerIndicatore::NumeroBarre> PowerIndicatore::BarreAccese(float minimo, float massimo,
                                                                            float valore) {
    const float passo = (massimo - minimo) / UltimaBarra;
    std::array<bool, NumeroBarre> accese{};
    for (int i = 0; i <= UltimaBarra; ++i) {
        const double soglia = Conv::ArrotondaPari(static_cast<double>(minimo) + i * static_cast<double>(passo));
        accese[static_cast<size_t>(i)] = valore >= soglia;
    }
    return accese;
}

std::array<int, PowerIndicatore::NumeroBarre> PowerIndicatore::BandeBarre(int32_t fine1, int32_t fine2) {
    // Each band runs over the bars it names that exist; an end before the
    // first bar leaves its band empty, one past the last stops at the last.
    std::array<int, NumeroBarre> banda{};
    auto colora = [&](int64_t da, int64_t a, int valore) {
        for (int64_t i = std::max<int64_t>(da, 0); i <= std::min<int64_t>(a, UltimaBarra); ++i)
            banda[static_cast<size_t>(i)] = valore;
    };
    colora(0, fine1, 1);
    colora(static_cast<int64_t>(fine1) + 1, fine2, 2);
    colora(static_cast<int64_t>(fine2) + 1, UltimaBarra, 3);
    return banda;
}

PowerIndicatore::PowerIndicatore(QWidget* parent) : QWidget(parent) {
    resize(LarghezzaDisegno / Indicatori::TwipsPerPixel, AltezzaDisegno / Indicatori::TwipsPerPixel);

    // Design placement.
    LAB_CENTER_.R = Rettangolo{120, 60, 4155, 1545};
    LAB_CENTER_.Caption = "6500";
    LAB_CENTER_.NomeFont = QStringLiteral("WW Digital");
    LAB_CENTER_.DimensioneFont = 48;
    LAB_CENTER_.Grassetto = true;
    LAB_CENTER_.Allineamento = Qt::AlignLeft;
    for (int i = 0; i < NumeroBarre; ++i) {
        Figura& f = SHP_COLBAR_[static_cast<size_t>(i)];
        f.R = GeometriaBarra(i);
        f.SpessoreBordo = 2;
    }
    LBL_TITLE_.R = Rettangolo{3120, 60, 4095, 705};
    LBL_TITLE_.Caption = "RPM";
    LBL_TITLE_.NomeFont = QStringLiteral("WW Digital");
    LBL_TITLE_.DimensioneFont = 21.75f;
    LBL_TITLE_.Grassetto = true;
    LBL_TITLE_.Allineamento = Qt::AlignRight;
    SHP_BORDER_.R = Rettangolo{15, 15, 7395, 2595};
    SHP_BORDER_.SpessoreBordo = 2;

    // Creation.
    LarghezzaPrecedente_ = width() * Indicatori::TwipsPerPixel;
    AltezzaPrecedente_ = height() * Indicatori::TwipsPerPixel;
    BaseFontTitolo_ = LBL_TITLE_.DimensioneFont;
    BaseFontValore_ = LAB_CENTER_.DimensioneFont;
    AggiornaAspetto();
    // The container's first sizing lays everything out.
    UserControl_Resize();
}

void PowerIndicatore::SL_ValOre(float v) {
    if (v < SL_ValMin_) {
        SL_ValOre_ = SL_ValMin_;
    } else if (v > SL_ValMax_) {
        SL_ValOre_ = SL_ValMax_;
    } else {
        SL_ValOre_ = v;
    }
    PosizionaValore();
}

void PowerIndicatore::SL_ValMin(double v) { SL_ValMin_ = LungoSingolo(v); }
void PowerIndicatore::SL_ValMax(double v) { SL_ValMax_ = LungoSingolo(v); }

void PowerIndicatore::ImpostaCaption(Etichetta& e, const std::string& testo) {
    if (e.Caption == testo) return;
    e.Caption = testo;
    update();
}

void PowerIndicatore::SL_STRTit(const std::string& v) { SL_STRTit_ = v; ImpostaCaption(LBL_TITLE_, v); }
void PowerIndicatore::SL_STRVal(const std::string& v) { SL_STRVal_ = v; ImpostaCaption(LAB_CENTER_, v); }

void PowerIndicatore::AggiornaAspetto() {
    SHP_BORDER_.ColoreRiempimento = SL_BACK_Color_;
    SHP_BORDER_.ColoreBordo = SL_BORDER_Color_;
    LBL_TITLE_.NomeFont = SL_TITLEFont_Nome_;
    LBL_TITLE_.ColoreTesto = SL_TITLEFont_Colore_;
    LBL_TITLE_.Grassetto = SL_TITLEFont_Bold_;
    LAB_CENTER_.NomeFont = SL_OTHERFont_Nome_;
    LAB_CENTER_.ColoreTesto = SL_OTHERFont_Colore_;
    LAB_CENTER_.Grassetto = SL_OTHERFont_Bold_;
    // Every bar in its band's lit look; the value comes back with the next one.
    const auto bande = BandeBarre(SL_COLORE_1_X_, SL_COLORE_2_X_);
    for (int i = 0; i < NumeroBarre; ++i) {
        Figura& f = SHP_COLBAR_[static_cast<size_t>(i)];
        switch (bande[static_cast<size_t>(i)]) {
        case 1: f.ColoreBordo = SL_COLORE_1_L_; f.ColoreRiempimento = SL_COLORE_1_H_; break;
        case 2: f.ColoreBordo = SL_COLORE_2_L_; f.ColoreRiempimento = SL_COLORE_2_H_; break;
        default: f.ColoreBordo = SL_COLORE_3_L_; f.ColoreRiempimento = SL_COLORE_3_H_; break;
        }
    }
    update();
}

void PowerIndicatore::ColoraBarra(int indice, bool accesa) {
    Figura& f = SHP_COLBAR_[static_cast<size_t>(indice)];
    // The band is told by the bar's border, which only the look sets.
    int32_t alto = SL_COLORE_3_H_, basso = SL_COLORE_3_L_;
    if (f.ColoreBordo == SL_COLORE_1_L_) {
        alto = SL_COLORE_1_H_;
        basso = SL_COLORE_1_L_;
    } else if (f.ColoreBordo == SL_COLORE_2_L_) {
        alto = SL_COLORE_2_H_;
        basso = SL_COLORE_2_L_;
    }
    if (accesa && f.ColoreRiempimento == basso) {
        f.ColoreRiempimento = alto;
    } else if (!accesa && f.ColoreRiempimento == alto) {
        f.ColoreRiempimento = basso;
    }
}

void PowerIndicatore::PosizionaValore() {
    const auto accese = BarreAccese(SL_ValMin_, SL_ValMax_, SL_ValOre_);
    for (int i = 0; i < NumeroBarre; ++i) ColoraBarra(i, accese[static_cast<size_t>(i)]);
    update();
}

void PowerIndicatore::PI_AggiornaCharset(int32_t MyCharset, const QString& MyFont) {
    LBL_TITLE_.NomeFont = MyFont;
    LBL_TITLE_.Charset = MyCharset;
    update();
}

void PowerIndicatore::UserControl_Resize() {
    const int32_t w = width() * Indicatori::TwipsPerPixel;
    const int32_t h = height() * Indicatori::TwipsPerPixel;
    // A control squeezed to nothing keeps its layout, so that it can grow back
    // from the last real size.
    if (w <= 0 || h <= 0 || LarghezzaPrecedente_ <= 0 || AltezzaPrecedente_ <= 0) return;
    const float rw = static_cast<float>(w) / static_cast<float>(LarghezzaPrecedente_);
    const float rh = static_cast<float>(h) / static_cast<float>(AltezzaPrecedente_);
    Indicatori::ScalaRettangolo(LAB_CENTER_.R, rw, rh);
    for (auto& f : SHP_COLBAR_) Indicatori::ScalaRettangolo(f.R, rw, rh);
    Indicatori::ScalaRettangolo(LBL_TITLE_.R, rw, rh);
    Indicatori::ScalaRettangolo(SHP_BORDER_.R, rw, rh);
    LarghezzaPrecedente_ = w;
    AltezzaPrecedente_ = h;
    BaseFontTitolo_ *= rw;
    BaseFontValore_ *= rw;
    LBL_TITLE_.DimensioneFont = static_cast<float>(Conv::ArrotondaPari(BaseFontTitolo_));
    LAB_CENTER_.DimensioneFont = static_cast<float>(Conv::ArrotondaPari(BaseFontValore_));
    update();
}

void PowerIndicatore::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    UserControl_Resize();
}

void PowerIndicatore::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Back to front.
    Indicatori::DisegnaFigura(p, SHP_BORDER_);
    Indicatori::DisegnaEtichetta(p, LBL_TITLE_);
    for (auto it = SHP_COLBAR_.rbegin(); it != SHP_COLBAR_.rend(); ++it) Indicatori::DisegnaFigura(p, *it);
    Indicatori::DisegnaEtichetta(p, LAB_CENTER_);
}
