#include "controls/Tachyonizer.h"

#include <cmath>
#include <limits>

#include <QtGui/QPainter>

#include "controls/PulsanteGraficoColori.h"
#include "core/Conversioni.h"

using Indicatori::Etichetta;
using Indicatori::Figura;
using Indicatori::FormaFigura;
using Indicatori::Rettangolo;

namespace {

// The arc's angles are in whole degrees; pi is taken as 3.14159.
constexpr double PiGreco = 3.14159;
constexpr int32_t AngoloIniziale = -36;
constexpr int32_t PassoTacche = 42;

int32_t Saturato32(double v) {
    if (!(v == v)) return 0;
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

// Half-even rounding to a 16-bit whole number, held at its limits.
int32_t Intero16(double v) {
    const double r = Conv::ArrotondaPari(v);
    if (r < -32768) return -32768;
    if (r > 32767) return 32767;
    return static_cast<int32_t>(r);
}

int32_t Lungo(double v) { return Saturato32(Conv::ArrotondaPari(v)); }

float PuntiApplicati(float base) { return static_cast<float>(Conv::ArrotondaPari(base)); }

} // namespace

int32_t Tachyonizer::Angolo(double valore, int32_t minimo, int32_t massimo) {
    if (massimo == minimo) return AngoloIniziale;
    const double quota = (valore - minimo) * 252.0 / (static_cast<double>(massimo) - minimo);
    return Saturato32(std::floor(quota) + AngoloIniziale);
}

QPoint Tachyonizer::PuntoArco(int32_t cx, int32_t cy, int32_t raggio, int32_t gradi) {
    const double rad = gradi * PiGreco / 180.0;
    return QPoint(cx - Intero16(raggio * std::cos(rad)), cy - Intero16(raggio * std::sin(rad)));
}

int32_t Tachyonizer::PassoScala(int32_t minimo, int32_t massimo) {
    return Lungo((static_cast<double>(massimo) - minimo) / UltimaTacca);
}

int32_t Tachyonizer::ColoreAgo(int32_t a, int32_t a2, int32_t a3, int32_t c1, int32_t c2, int32_t c3) {
    if (a > a3) return c3;
    if (a > a2) return c2;
    return c1;
}

Tachyonizer::Tachyonizer(QWidget* parent) : QWidget(parent) {
    resize(LarghezzaDisegno / Indicatori::TwipsPerPixel, AltezzaDisegno / Indicatori::TwipsPerPixel);

    // Design look of the constituents.
    SHAPE_CENTER_.Forma = FormaFigura::Ovale;
    SHAPE_CENTER_.SpessoreBordo = 10;
    SHAPE_CENTER_.Riempita = false;
    SHAPE_CENTER_.R = Rettangolo{LarghezzaDisegno / 2.0f, AltezzaDisegno / 2.0f, 0, 0};
    SHP_CIRCLE_.Forma = FormaFigura::Cerchio;
    SHP_CIRCLE_.SpessoreBordo = 3;
    SHP_CIRCLE_.R = Rettangolo{0, 0, LarghezzaDisegno, AltezzaDisegno};
    for (auto& e : LAB_SCALE_) {
        e.Caption = "000";
        e.NomeFont = QStringLiteral("Tahoma");
        e.DimensioneFont = 15.75f;
        e.Allineamento = Qt::AlignHCenter;
        e.Ritaglia = false;
    }
    auto designa = [](Etichetta& e, float l, float t, float w, float h, float punti, bool grassetto) {
        e.R = Rettangolo{l * LarghezzaDisegno, t * AltezzaDisegno, w * LarghezzaDisegno, h * AltezzaDisegno};
        e.NomeFont = QStringLiteral("Tahoma");
        e.DimensioneFont = punti;
        e.Grassetto = grassetto;
        e.Allineamento = Qt::AlignHCenter;
    };
    designa(LAB_VALUE_, 0.355f, 0.61f, 0.2725f, 0.13f, 32.25f, true);
    LAB_VALUE_.Caption = "0000";
    designa(LAB_1_, 0.37f, 0.79f, 0.26f, 0.0575f, 14.25f, true);
    designa(LAB_2_, 0.37f, 0.85f, 0.26f, 0.0575f, 14.25f, true);

    // Creation: the properties hold their defaults already.
    LarghezzaPrecedente_ = LarghezzaTwips();
    AltezzaPrecedente_ = AltezzaTwips();
    BaseFontScala_ = LAB_SCALE_[0].DimensioneFont;
    BaseFontDida_ = LAB_1_.DimensioneFont;
    BaseFontValore_ = LAB_VALUE_.DimensioneFont;
    Aggiorna_Parametri_Visuali();
    // The container's first sizing lays everything out.
    UserControl_Resize();
}

void Tachyonizer::Aggiorna_Parametri_Visuali() {
    for (auto& l : LINE_SCALA_) {
        l.Spessore = TK_Bordo_Scala_;
        l.Colore = TK_Colore_Scala_;
    }
    SHP_CIRCLE_.Visibile = TK_Cerchio_Visible_;
    SHP_CIRCLE_.Riempita = !TK_Cerchio_Trasparente_;
    SHP_CIRCLE_.SpessoreBordo = TK_Cerchio_SpessoreBordo_;
    SHP_CIRCLE_.ColoreBordo = TK_Cerchio_ColoreBordo_;
    SHP_CIRCLE_.ColoreRiempimento = TK_Cerchio_ColoreInterno_;
    SfondoOpaco_ = !TK_Tachione_Trasparente_;
    ColoreSfondo_ = TK_Tachione_ColoreSfondo_;
    LINE_MAIN_.Spessore = TK_Indicatore_Spessore_;

    const int32_t passo = PassoScala(TK_ValMin_, TK_ValMax_);
    for (size_t k = 0; k < LAB_SCALE_.size(); ++k) {
        auto& e = LAB_SCALE_[k];
        e.ColoreTesto = TK_ScalFont_Colore_;
        e.NomeFont = TK_ScalFont_Nome_;
        e.Grassetto = TK_ScalFont_Bold_;
        e.Caption = Conv::CStr(static_cast<int64_t>(passo) * static_cast<int64_t>(k));
        Indicatori::AdattaAlTesto(e);
    }
    for (Etichetta* e : {&LAB_1_, &LAB_2_}) {
        e->ColoreTesto = TK_CommFont_Colore_;
        e->NomeFont = TK_CommFont_Nome_;
        e->Grassetto = TK_CommFont_Bold_;
    }
    LAB_VALUE_.ColoreTesto = TK_MainFont_Colore_;
    LAB_VALUE_.NomeFont = TK_MainFont_Nome_;
    LAB_VALUE_.Grassetto = TK_MainFont_Bold_;
    LAB_1_.Caption = TK_Dida1_;
    LAB_2_.Caption = TK_Dida2_;
    LAB_VALUE_.Caption = TK_ValCha_;
    update();
}

void Tachyonizer::TA_AggiornaCharset(int32_t MyCharset, const QString& MyFont) {
    auto applica = [&](Etichetta& e) {
        e.Charset = MyCharset;
        e.NomeFont = MyFont;
    };
    for (auto& e : LAB_SCALE_) {
        applica(e);
        Indicatori::AdattaAlTesto(e);
    }
    applica(LAB_VALUE_);
    applica(LAB_1_);
    applica(LAB_2_);
    update();
}

void Tachyonizer::TK_ValOre(float v) {
    if (static_cast<double>(v) < TK_ValMin_) {
        TK_ValOre_ = static_cast<float>(TK_ValMin_);
    } else if (static_cast<double>(v) > TK_ValMax_) {
        TK_ValOre_ = static_cast<float>(TK_ValMax_);
    } else {
        TK_ValOre_ = v;
    }
    PlottaVal();
}

void Tachyonizer::TK_ValCha(const std::string& v) {
    TK_ValCha_ = v;
    if (LAB_VALUE_.Caption != v) {
        LAB_VALUE_.Caption = v;
        update();
    }
}

void Tachyonizer::TK_Dida1(const std::string& v) {
    TK_Dida1_ = v;
    if (LAB_1_.Caption != v) {
        LAB_1_.Caption = v;
        update();
    }
}

void Tachyonizer::TK_Dida2(const std::string& v) {
    TK_Dida2_ = v;
    if (LAB_2_.Caption != v) {
        LAB_2_.Caption = v;
        update();
    }
}

void Tachyonizer::UserControl_Resize() {
    const int32_t w = LarghezzaTwips();
    const int32_t h = AltezzaTwips();
    // A gauge squeezed to nothing keeps its layout, so that it can grow back
    // from the last real size.
    if (w <= 0 || h <= 0 || LarghezzaPrecedente_ <= 0 || AltezzaPrecedente_ <= 0) return;
    const float rw = static_cast<float>(w) / static_cast<float>(LarghezzaPrecedente_);
    const float rh = static_cast<float>(h) / static_cast<float>(AltezzaPrecedente_);

    const int32_t bordo = SHP_CIRCLE_.SpessoreBordo;
    SHP_CIRCLE_.R = Rettangolo{static_cast<float>(Indicatori::TwipsPerPixel * (bordo / 2)),
                               static_cast<float>(Indicatori::TwipsPerPixel * (bordo / 2)),
                               static_cast<float>(w - Indicatori::TwipsPerPixel * bordo),
                               static_cast<float>(h - Indicatori::TwipsPerPixel * bordo)};
    SHAPE_CENTER_.R = Rettangolo{static_cast<float>(w) / 2, static_cast<float>(h) / 2, 0, 0};
    Indicatori::ScalaRettangolo(LAB_VALUE_.R, rw, rh);
    Indicatori::ScalaRettangolo(LAB_1_.R, rw, rh);
    Indicatori::ScalaRettangolo(LAB_2_.R, rw, rh);

    LarghezzaPrecedente_ = w;
    AltezzaPrecedente_ = h;

    BaseFontScala_ *= rw;
    BaseFontDida_ *= rw;
    BaseFontValore_ *= rw;
    LAB_1_.DimensioneFont = PuntiApplicati(BaseFontDida_);
    LAB_2_.DimensioneFont = PuntiApplicati(BaseFontDida_);
    LAB_VALUE_.DimensioneFont = PuntiApplicati(BaseFontValore_);
    for (auto& e : LAB_SCALE_) {
        e.DimensioneFont = PuntiApplicati(BaseFontScala_);
        Indicatori::AdattaAlTesto(e);
    }

    const int32_t cx = Lungo(w / 2.0);
    const int32_t cy = Lungo(h / 2.0);
    const int32_t rInterno = Lungo(h / 3.0);
    const int32_t rEsterno = Lungo(h / 3.0 + h / 30.0);
    // The seven ticks stand at -36, 6, ... 216 degrees whatever the range.
    for (size_t k = 0; k < LINE_SCALA_.size(); ++k) {
        const int32_t a = AngoloIniziale + PassoTacche * static_cast<int32_t>(k);
        const QPoint p1 = PuntoArco(cx, cy, rInterno, a);
        const QPoint p2 = PuntoArco(cx, cy, rEsterno, a);
        auto& l = LINE_SCALA_[k];
        l.X1 = p1.x();
        l.Y1 = p1.y();
        l.X2 = p2.x();
        l.Y2 = p2.y();
        l.Colore = TK_Colore_Scala_;
        l.Spessore = TK_Bordo_Scala_;
    }
    RiposizionaScala();
    PlottaVal();
}

void Tachyonizer::RiposizionaScala() {
    for (size_t k = 0; k < LAB_SCALE_.size(); ++k) {
        Rettangolo& r = LAB_SCALE_[k].R;
        const float x2 = static_cast<float>(LINE_SCALA_[k].X2);
        const float y2 = static_cast<float>(LINE_SCALA_[k].Y2);
        const float W = r.Width;
        const float H = r.Height;
        switch (k) {
        case 0: r.Left = x2 - W - 15; r.Top = y2 + 15; break;
        case 1: r.Left = x2 - W - 15; r.Top = y2 - H / 2; break;
        case 2: r.Left = x2 - W - 15; r.Top = y2 - H - 15; break;
        case 3: r.Left = x2 - W / 2; r.Top = y2 - H - 15; break;
        case 4: r.Left = x2 + 15; r.Top = y2 - H - 15; break;
        case 5: r.Left = x2 + 15; r.Top = y2 - H / 2; break;
        default: r.Left = x2 + 15; r.Top = y2 + 15; break;
        }
    }
    update();
}

void Tachyonizer::PlottaVal() {
    const int32_t w = LarghezzaTwips();
    const int32_t h = AltezzaTwips();
    const int32_t cx = Lungo(w / 2.0);
    const int32_t cy = Lungo(h / 2.0);
    RaggioEsterno_ = Lungo(h / 3.0 - h / 30.0);
    RaggioInterno_ = 0;
    const int32_t a = Angolo(TK_ValOre_, TK_ValMin_, TK_ValMax_);
    const int32_t a2 = Angolo(TK_Val2ND_, TK_ValMin_, TK_ValMax_);
    const int32_t a3 = Angolo(TK_Val3RD_, TK_ValMin_, TK_ValMax_);
    const QPoint p1 = PuntoArco(cx, cy, RaggioInterno_, a);
    const QPoint p2 = PuntoArco(cx, cy, RaggioEsterno_, a);
    LINE_MAIN_.X1 = p1.x();
    LINE_MAIN_.Y1 = p1.y();
    LINE_MAIN_.X2 = p2.x();
    LINE_MAIN_.Y2 = p2.y();
    const int32_t colore = ColoreAgo(a, a2, a3, TK_Colore1_, TK_Colore2_, TK_Colore3_);
    if (colore != LINE_MAIN_.Colore) {
        LINE_MAIN_.Colore = colore;
        SHAPE_CENTER_.ColoreBordo = colore;
    }
    update();
}

void Tachyonizer::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    UserControl_Resize();
}

void Tachyonizer::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (SfondoOpaco_) p.fillRect(rect(), Pulsante::ColoreQt(ColoreSfondo_));
    // Back to front.
    Indicatori::DisegnaFigura(p, SHP_CIRCLE_);
    for (auto it = LINE_SCALA_.rbegin(); it != LINE_SCALA_.rend(); ++it) Indicatori::DisegnaLinea(p, *it);
    Indicatori::DisegnaEtichetta(p, LAB_2_);
    Indicatori::DisegnaEtichetta(p, LAB_1_);
    Indicatori::DisegnaEtichetta(p, LAB_VALUE_);
    for (auto it = LAB_SCALE_.rbegin(); it != LAB_SCALE_.rend(); ++it) Indicatori::DisegnaEtichetta(p, *it);
    Indicatori::DisegnaLinea(p, LINE_MAIN_);
    Indicatori::DisegnaFigura(p, SHAPE_CENTER_);
}
