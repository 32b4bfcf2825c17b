#include "controls/PulsanteGraficoModello.h"

#include "platform/Caratteri.h"
#include "platform/Dialoghi.h"

#include <QtCore/QCoreApplication>
#include <stdexcept>

using namespace Pulsante;

// ---- design-data store --------------------------------------------------

QVariant BorsaProprieta::ReadProperty(const QString& chiave, const QVariant& predefinito) const {
    const auto it = voci_.find(chiave.toLower());
    return it == voci_.end() ? predefinito : it->second;
}

void BorsaProprieta::WriteProperty(const QString& chiave, const QVariant& valore, const QVariant& predefinito) {
    if (predefinito.isValid() && valore == predefinito) {
        voci_.erase(chiave.toLower());
        return;
    }
    voci_[chiave.toLower()] = valore;
}

bool BorsaProprieta::Contiene(const QString& chiave) const { return voci_.count(chiave.toLower()) > 0; }

// ---- option-group registry ------------------------------------------------

namespace {

// Per container, the members in joining order. A member removes itself when
// it leaves the group and when it is destroyed, so no entry outlives its
// button.
std::map<const void*, std::vector<ModelloPulsante*>>& Registro() {
    static std::map<const void*, std::vector<ModelloPulsante*>> r;
    return r;
}

void RimuoviDalGruppo(const void* contenitore, const ModelloPulsante* membro) {
    auto& reg = Registro();
    const auto it = reg.find(contenitore);
    if (it == reg.end()) return;
    std::erase(it->second, membro);
    if (it->second.empty()) reg.erase(it);
}

const QString N1 = QStringLiteral("When button images are aligned top/bottom center, \r\n"
                                  "button captions can only be center aligned");
const QString N2 = QStringLiteral("This property has no effect unless the Button Shape is a custom shape.");
const QString N3 = QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG.");
const QString N4 = QStringLiteral("Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
                                  "Button was changed to Rectangular shaped.");
const QString N5 = QStringLiteral("The focus rectangle may appear on default buttons ONLY while in design mode, \r\n"
                                  "but will not appear when the form is running.");
const QString N6 = QStringLiteral("This property is not applicable for command button modes.");
const QString N7 = QStringLiteral("The picture size cannot be changed for Shaped buttons");

} // namespace

namespace Pulsante {

std::vector<ModelloPulsante*> MembriGruppo(const void* contenitore) {
    const auto it = Registro().find(contenitore);
    return it == Registro().end() ? std::vector<ModelloPulsante*>{} : it->second;
}

std::optional<QString> ChiaveAccesso(const QString& caption) {
    int i = caption.size() - 1;
    while (i >= 0) {
        if (caption[i] != QLatin1Char('&')) {
            --i;
            continue;
        }
        if (i > 0 && caption[i - 1] == QLatin1Char('&')) {
            i -= 2;
            continue;
        }
        return i + 1 < caption.size() ? QString(caption[i + 1]) : QString();
    }
    return std::nullopt;
}

QFont FontPredefinito() { return Piattaforma::CreaFont(QStringLiteral("MS Sans Serif"), 8.25); }

} // namespace Pulsante

// ---- construction -----------------------------------------------------------

ModelloPulsante::ModelloPulsante(const void* contenitore)
    : ContainerHandle(QString::number(reinterpret_cast<quintptr>(contenitore))), Font_(FontPredefinito()),
      contenitore_(contenitore) {
    colori_ = CalcolaColoriFaccia(ButtonStyle_, BackColor_, HoverBackColor_);
}

ModelloPulsante::~ModelloPulsante() { RimuoviDalGruppo(contenitore_, this); }

void ModelloPulsante::Avviso(const QString& testo, const QString& titolo) const {
    if (!ModalitaProgetto()) return;
    Piattaforma::MostraMessaggio(testo, titolo.isEmpty() ? QCoreApplication::applicationName() : titolo,
                                 Piattaforma::IconaMessaggio::Informazione);
}

void ModelloPulsante::AggiornaRisorse(const QString& quale) {
    const QString q = quale.toLower();
    if (q == QLatin1String("backcolor")) {
        colori_ = CalcolaColoriFaccia(ButtonStyle_, BackColor_, HoverBackColor_);
    } else if (q == QLatin1String("picture")) {
        if (Picture_.Vuota()) {
            PictureWidth = PictureHeight = 0;
        } else {
            PictureWidth = Picture_.immagine.width();
            PictureHeight = Picture_.immagine.height();
            PictureIsIcon = Picture_.icona ? 1 : 0;
        }
    }
}

// ---- properties -------------------------------------------------------------

void ModelloPulsante::ButtonStyle(int32_t v) {
    if (v < 0 || v > 7) return;
    const int32_t vecchio = ButtonStyle_;
    ButtonStyle_ = v;
    if (((vecchio == 5 || v == 5) && ButtonShape_ < 7) || ButtonShape_ < 4) CreaRegione();
    CalcolaLayout(false);
    AggiornaRisorse(QStringLiteral("BackColor"));
    Ridisegna();
    Notifica(QStringLiteral("BackStyle"));
}

void ModelloPulsante::Mode(int32_t v) {
    if (v < 0 || v > 2) return;
    if (Mode_ == 2 && v < 2) GestisciGruppoOpzioni(OptionLeave);
    if (v == 2 && Mode_ < 2) GestisciGruppoOpzioni(OptionJoin);
    if (v == 0 && Mode_ > 0) Value(false);
    Mode_ = v;
    Ridisegna();
    Notifica(QStringLiteral("Mode"));
}

void ModelloPulsante::Caption(const QString& v) {
    if (const auto chiave = ChiaveAccesso(v)) {
        AccessKey_ = *chiave;
        ImpostaChiaveAccesso(AccessKey_);
    }
    Caption_ = v;
    CalcolaLayout(false);
    Ridisegna();
    Notifica(QStringLiteral("Caption"));
}

void ModelloPulsante::CaptionAlign(int32_t v) {
    if (v < 0 || v > 2) return;
    if (v == 2 || PictureAlign_ < 4 || PictureWidth + PictureHeight < 1) {
        CaptionAlign_ = v;
        CalcolaLayout(false);
        Ridisegna();
        Notifica(QStringLiteral("CapAlign"));
    } else {
        Avviso(N1);
    }
}

void ModelloPulsante::CaptionStyle(int32_t v) {
    if (v < 0 || v > 2) return;
    CaptionStyle_ = v;
    Notifica(QStringLiteral("CapStyle"));
    if (!Caption_.isEmpty()) {
        CalcolaLayout(false);
        Ridisegna();
    }
}

void ModelloPulsante::CustomClick(int32_t v) {
    if (v < 0 || v > 8) return;
    if (ButtonShape_ < 7 && v > 0) Avviso(N2);
    CustomClick_ = v;
    Notifica(QStringLiteral("CustomClick"));
}

void ModelloPulsante::ButtonShape(int32_t v) {
    if (v < 0 || v > 8) return;
    if (v >= 7) {
        if (Picture_.Vuota() || PictureIsIcon == 1) {
            Avviso(N3);
            return;
        }
        if (PictureSize() != 4) {
            DelayDrawing(true);
            PictureSize(4);
            DelayDraw = false;
        }
    }
    ButtonShape_ = v;
    CaptionAlign_ = 2;
    EseguiResize();
    DelayDrawing(false);
    Notifica(QStringLiteral("Shape"));
}

void ModelloPulsante::Picture(const ImmaginePulsante& v) {
    Picture_ = v;
    if (PictureSizePx == 0) PictureSizePx = 16;
    AggiornaRisorse(QStringLiteral("Picture"));
    if (ButtonShape_ < 7) {
        CalcolaLayout(true);
        Ridisegna();
    } else {
        if (Picture_.Vuota()) {
            ButtonShape(0);
        } else if (PictureIsIcon == 1) {
            ButtonShape(0);
            Avviso(N4);
        }
        EseguiResize();
    }
    Notifica(QStringLiteral("Image"));
}

void ModelloPulsante::PictureAlign(int32_t v) {
    if (v < 0 || v > 5) return;
    PictureAlign_ = v;
    if (v >= 4) CaptionAlign(2);
    CalcolaLayout(false);
    Ridisegna();
    Notifica(QStringLiteral("ImgAlign"));
}

bool ModelloPulsante::Enabled() const { return LeggiAbilitato(); }

void ModelloPulsante::Enabled(bool v) {
    if (v == LeggiAbilitato()) return;
    ScriviAbilitato(v);
    RidisegnaAbilitazione();
    Notifica(QStringLiteral("Enabled"));
}

void ModelloPulsante::RidisegnaAbilitazione() {
    if (ButtonStyle_ == 3 && Mode_ == 0 && ButtonShape_ <= 3) {
        DelayDrawing(true);
        CreaRegione();
        CalcolaLayout(false);
        DelayDrawing(false);
    } else {
        Ridisegna();
    }
}

void ModelloPulsante::ShowFocusRect(bool v) {
    ShowFocusRect_ = v;
    if (StateFlags & DefaultLook) {
        if (!ModalitaProgetto()) {
            StateFlags &= ~DefaultLook;
            Ridisegna();
        } else {
            Avviso(N5);
        }
    } else {
        Ridisegna();
    }
    Notifica(QStringLiteral("Focus"));
}

void ModelloPulsante::Value(bool v) {
    if (v && Mode_ == 0) {
        Avviso(N6);
        return;
    }
    Value_ = v;
    if (v && Mode_ == 2) GestisciGruppoOpzioni(OptionUncheckOthers);
    Ridisegna();
    Notifica(QStringLiteral("Value"));
}

int32_t ModelloPulsante::PictureSize() {
    if (PictureSizePx == 0) PictureSizePx = 16;
    switch (PictureSizePx) {
    case 16:
    case 24:
    case 32:
    case 40:
    case 48: return PictureSizePx / 8 - 2;
    default: throw std::range_error("PictureSizePx holds no valid picture size");
    }
}

void ModelloPulsante::PictureSize(int32_t v) {
    if (v < 0 || v > 4) return;
    if (ButtonShape_ == 7 || ButtonShape_ == 8) {
        Avviso(N7);
        return;
    }
    PictureSizePx = static_cast<int16_t>((v + 2) * 8);
    CalcolaLayout(true);
    Ridisegna();
    Notifica(QStringLiteral("ImgSize"));
}

void ModelloPulsante::MousePointer(int32_t v) {
    MousePointer_ = static_cast<int16_t>(v);
    ImpostaPuntatore(static_cast<int16_t>(v));
    Notifica(QStringLiteral("mPointer"));
}

void ModelloPulsante::MouseIcon(const QImage& v) {
    if (!ImpostaIconaMouse(v)) {
        Avviso(QStringLiteral("Invalid picture"), QStringLiteral("Select .ico Or .cur Files Only"));
        return;
    }
    MouseIcon_ = v;
    if (!v.isNull()) {
        MousePointer(99);
        Notifica(QStringLiteral("mIcon"));
    }
}

void ModelloPulsante::Font(const QFont& v) {
    Font_ = v;
    AggiornaRisorse(QStringLiteral("Font"));
    CalcolaLayout(false);
    Ridisegna();
    Notifica(QStringLiteral("Font"));
}

int32_t ModelloPulsante::FontStyle() const {
    return 2 * Font_.bold() + 4 * Font_.italic() + 8 * Font_.underline();
}

void ModelloPulsante::FontStyle(int32_t v) {
    Font_.setBold(v & 2);
    Font_.setItalic(v & 4);
    Font_.setUnderline(v & 8);
    AggiornaRisorse(QStringLiteral("Font"));
    CalcolaLayout(false);
    Notifica(QStringLiteral("Font"));
    Ridisegna();
}

void ModelloPulsante::ForeColor(int32_t v) {
    if (v == ForeColor_) return;
    ForeColor_ = v;
    if (TestoSbloccato()) HoverForeColor(ForeColor_);
    DelayDraw = false;
    Ridisegna();
    Notifica(QStringLiteral("cFore"));
}

void ModelloPulsante::BackColor(int32_t v) {
    BackColor_ = v;
    if (RetroSbloccato()) HoverBackColor(GradientMode_ != 0 ? GradientColor_ : v);
    AggiornaRisorse(QStringLiteral("BackColor"));
    Ridisegna();
    Notifica(QStringLiteral("cBack"));
}

void ModelloPulsante::GradientColor(int32_t v) {
    if (RetroSbloccato() && GradientMode_ > 0) HoverBackColor_ = v;
    GradientColor_ = v;
    AggiornaRisorse(QStringLiteral("BackColor"));
    if (GradientMode_ != 0) Ridisegna();
    Notifica(QStringLiteral("cGradient"));
}

void ModelloPulsante::GradientMode(int32_t v) {
    if (v < 0 || v > 4) return;
    GradientMode_ = v;
    if (RetroSbloccato()) {
        HoverBackColor_ = v >= 1 ? GradientColor_ : BackColor_;
        AggiornaRisorse(QStringLiteral("BackColor"));
    }
    Ridisegna();
    Notifica(QStringLiteral("Gradient"));
}

void ModelloPulsante::ResetDefaultColors(bool v) {
    if (!v || !ModalitaProgetto()) return;
    DelayDrawing(true);
    BackColor_ = ColoreFacciaSistema;
    ForeColor(ColoreTestoSistema);
    GradientColor(ColoreFacciaSistema);
    GradientMode(0);
    HoverColorLocks(0);
    AggiornaRisorse(QStringLiteral("BackColor"));
    DelayDrawing(false);
    Notifica(QStringLiteral("cGradient"));
    Notifica(QStringLiteral("cBack"));
}

void ModelloPulsante::HoverColorLocks(int32_t v) {
    HoverColorLocks_ = v;
    if (RetroSbloccato()) {
        HoverBackColor_ = GradientMode_ != 0 ? GradientColor_ : BackColor_;
        Notifica(QStringLiteral("cBHover"));
    }
    if (TestoSbloccato()) {
        HoverForeColor_ = ForeColor_;
        Notifica(QStringLiteral("cFHover"));
    }
    AggiornaRisorse(QStringLiteral("BackColor"));
    Notifica(QStringLiteral("LockHover"));
}

void ModelloPulsante::HoverForeColor(int32_t v) {
    if (v == HoverForeColor_) return;
    HoverForeColor_ = v;
    if (v != ForeColor_) {
        if (HoverColorLocks_ == 0) HoverColorLocks_ = 2;
        else if (HoverColorLocks_ == 1) HoverColorLocks_ = 3;
    }
    Notifica(QStringLiteral("cFHover"));
}

void ModelloPulsante::HoverBackColor(int32_t v) {
    if (v == HoverBackColor_) return;
    HoverBackColor_ = v;
    if (v != BackColor_) {
        if (HoverColorLocks_ == 0) HoverColorLocks_ = 1;
        else if (HoverColorLocks_ == 2) HoverColorLocks_ = 3;
    }
    AggiornaRisorse(QStringLiteral("BackColor"));
    Notifica(QStringLiteral("cBHover"));
}

void ModelloPulsante::Refresh() {
    DelayDraw = false;
    Ridisegna();
}

void ModelloPulsante::DelayDrawing(bool v) {
    DelayDraw = v;
    if (!v) Refresh();
}

// ---- design data --------------------------------------------------------------

void ModelloPulsante::InitProperties(const QString& nomeVisualizzato) {
    ContainerHandle = QString::number(reinterpret_cast<quintptr>(contenitore_));
    Caption_ = nomeVisualizzato;
    CaptionAlign_ = 2;
    ShowFocusRect_ = true;
    HoverForeColor_ = ColoreTestoSistema;
    HoverBackColor_ = ColoreFacciaSistema;
    BackColor_ = ColoreFacciaSistema;
    AggiornaRisorse(QStringLiteral("BackColor"));
    for (const char* k : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"})
        Notifica(QString::fromLatin1(k));
}

void ModelloPulsante::ReadProperties(const BorsaProprieta& b) {
    ContainerHandle = QString::number(reinterpret_cast<quintptr>(contenitore_));
    DelayDrawing(true);
    Caption_ = b.ReadProperty(QStringLiteral("Caption"), QString()).toString();
    CaptionAlign_ = b.ReadProperty(QStringLiteral("CapAlign"), 2).toInt();
    ButtonStyle_ = b.ReadProperty(QStringLiteral("BackStyle"), 0).toInt();
    ButtonShape_ = b.ReadProperty(QStringLiteral("Shape"), 0).toInt();
    GradientMode_ = b.ReadProperty(QStringLiteral("Gradient"), 0).toInt();
    GradientColor_ = b.ReadProperty(QStringLiteral("cGradient"), ColoreFacciaSistema).toInt();
    ForeColor_ = b.ReadProperty(QStringLiteral("cFore"), ColoreTestoSistema).toInt();
    Font_ = b.ReadProperty(QStringLiteral("Font"), Font_).value<QFont>();
    ShowFocusRect_ = b.ReadProperty(QStringLiteral("Focus"), true).toBool();
    Mode_ = b.ReadProperty(QStringLiteral("Mode"), 0).toInt();
    Value_ = b.ReadProperty(QStringLiteral("Value"), false).toBool();
    CustomClick_ = b.ReadProperty(QStringLiteral("CustomClick"), 0).toInt();
    Picture_ = b.ReadProperty(QStringLiteral("Image"), QVariant::fromValue(ImmaginePulsante{}))
                   .value<ImmaginePulsante>();
    PictureSizePx = static_cast<int16_t>(b.ReadProperty(QStringLiteral("ImgSize"), 16).toInt());
    PictureAlign_ = b.ReadProperty(QStringLiteral("ImgAlign"), 0).toInt();
    HoverForeColor_ = b.ReadProperty(QStringLiteral("cFHover"), ColoreTestoSistema).toInt();
    ScriviAbilitato(b.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    BackColor_ = b.ReadProperty(QStringLiteral("cBack"), ColoreSfondoGenitore()).toInt();
    HoverBackColor_ = b.ReadProperty(QStringLiteral("cBHover"), BackColor_).toInt();
    HoverColorLocks_ = b.ReadProperty(QStringLiteral("LockHover"), 0).toInt();
    CaptionStyle_ = b.ReadProperty(QStringLiteral("CapStyle"), 0).toInt();
    const QImage icona = b.ReadProperty(QStringLiteral("mIcon"), MouseIcon_).value<QImage>();
    if (!icona.isNull()) MouseIcon(icona);
    MousePointer(b.ReadProperty(QStringLiteral("mPointer"), 0).toInt());

    AggiornaRisorse(QStringLiteral("Picture"));
    AggiornaRisorse(QStringLiteral("BackColor"));
    Caption(Caption_);
    if (Mode_ == 2) GestisciGruppoOpzioni(OptionJoin);
    DelayDraw = false;
    EseguiResize();
}

void ModelloPulsante::WriteProperties(BorsaProprieta& b) const {
    b.WriteProperty(QStringLiteral("Caption"), Caption_, QString());
    b.WriteProperty(QStringLiteral("CapAlign"), CaptionAlign_, 2);
    b.WriteProperty(QStringLiteral("BackStyle"), ButtonStyle_, 0);
    b.WriteProperty(QStringLiteral("Shape"), ButtonShape_, 0);
    b.WriteProperty(QStringLiteral("Font"), Font_);
    b.WriteProperty(QStringLiteral("cFore"), ForeColor_, ColoreTestoSistema);
    b.WriteProperty(QStringLiteral("cFHover"), HoverForeColor_, ColoreTestoSistema);
    b.WriteProperty(QStringLiteral("cBhover"), HoverBackColor_, BackColor_);
    b.WriteProperty(QStringLiteral("Focus"), ShowFocusRect_, true);
    b.WriteProperty(QStringLiteral("LockHover"), HoverColorLocks_, 0);
    b.WriteProperty(QStringLiteral("cGradient"), GradientColor_, ColoreFacciaSistema);
    b.WriteProperty(QStringLiteral("Gradient"), GradientMode_, 0);
    b.WriteProperty(QStringLiteral("CapStyle"), CaptionStyle_, 0);
    b.WriteProperty(QStringLiteral("Mode"), Mode_);
    b.WriteProperty(QStringLiteral("Value"), Value_);
    b.WriteProperty(QStringLiteral("CustomClick"), CustomClick_, 0);
    b.WriteProperty(QStringLiteral("ImgAlign"), PictureAlign_, 0);
    if (!Picture_.Vuota()) b.WriteProperty(QStringLiteral("Image"), QVariant::fromValue(Picture_));
    b.WriteProperty(QStringLiteral("ImgSize"), int(PictureSizePx), 16);
    b.WriteProperty(QStringLiteral("Enabled"), LeggiAbilitato(), true);
    b.WriteProperty(QStringLiteral("cBack"), BackColor_);
    b.WriteProperty(QStringLiteral("mPointer"), MousePointer_, 0);
    if (!MouseIcon_.isNull()) b.WriteProperty(QStringLiteral("mIcon"), MouseIcon_);
}

// ---- host notifications -----------------------------------------------------------

void ModelloPulsante::Show(bool displayAsDefault) {
    if (ModalitaProgetto() && ShowFocusRect_ && displayAsDefault) {
        StateFlags |= DefaultLook;
        Ridisegna();
    }
}

void ModelloPulsante::AmbientChanged(const QString& nome, bool displayAsDefault, int32_t coloreAmbiente) {
    const QString n = nome.toLower();
    if (n == QLatin1String("displayasdefault")) {
        if (displayAsDefault && (ShowFocusRect_ || ModalitaProgetto())) StateFlags |= DefaultLook;
        else StateFlags &= ~DefaultLook;
        if (ButtonShape_ >= 7 && ModalitaProgetto()) {
            HoverOn = (StateFlags & DefaultLook) != 0;
            Ridisegna();
            HoverOn = false;
        } else {
            Ridisegna();
        }
    } else if (n == QLatin1String("backcolor")) {
        AmbientBackRGB = ConvertiColore(coloreAmbiente);
        if (ButtonShape_ > 3 || ButtonStyle_ == 5) Ridisegna();
    }
}

// ---- option group ---------------------------------------------------------------

bool ModelloPulsante::GestisciGruppoOpzioni(int16_t azione) {
    auto& reg = Registro();
    std::vector<ModelloPulsante*> membri = MembriGruppo(contenitore_);
    const size_t n = membri.size();
    if ((azione == OptionJoin || n > 0) && Value_) {
        for (ModelloPulsante* m : membri)
            if (m != this && m->Value_) m->Value(false);
    }
    switch (azione) {
    case OptionJoin: reg[contenitore_].push_back(this); return false;
    case OptionLeave: RimuoviDalGruppo(contenitore_, this); return false;
    case OptionQuery:
        for (const ModelloPulsante* m : membri)
            if (m->Value_) return true;
        return false;
    default: return false;
    }
}

// ---- drawing state ----------------------------------------------------------------

StatoStile ModelloPulsante::StatoPerStile(int W, int H) const {
    StatoStile s;
    s.ButtonStyle = ButtonStyle_;
    s.ButtonShape = ButtonShape_;
    s.Mode = Mode_;
    s.Value = Value_;
    s.Enabled = LeggiAbilitato();
    s.PressOn = PressOn;
    s.HoverOn = HoverOn;
    s.ShowFocusRect = ShowFocusRect_;
    s.StateFlags = StateFlags;
    s.GradientMode = GradientMode_;
    s.GradientColor = GradientColor_;
    s.ForeColor = ForeColor_;
    s.HoverForeColor = HoverForeColor_;
    s.HoverBackColor = HoverBackColor_;
    s.colori = colori_;
    s.AmbientBackRGB = AmbientBackRGB;
    s.modalitaProgetto = ModalitaProgetto();
    s.W = W;
    s.H = H;
    s.BottomLeftX = BottomLeftX;
    s.TopRightX = TopRightX;
    return s;
}
