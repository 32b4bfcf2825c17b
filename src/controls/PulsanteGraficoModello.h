#pragma once
// State and property rules of the drawn button, its design data and the
// option-group registry. Everything a screen does (drawing, regions, layout
// measuring, the window's enabled state and pointer) is reached through the
// virtual hooks, which the widget implements; a test can implement them
// without a screen.
#include "controls/PulsanteGraficoColori.h"
#include "controls/PulsanteGraficoLayout.h"
#include "controls/PulsanteGraficoStili.h"

#include <QtCore/QString>
#include <QtCore/QVariant>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// A picture for the button: a bitmap (also a decoded JPEG) or an icon/cursor.
struct ImmaginePulsante {
    QImage immagine;
    bool icona = false;
    bool Vuota() const { return immagine.isNull(); }
    bool operator==(const ImmaginePulsante& a) const { return icona == a.icona && immagine == a.immagine; }
};
Q_DECLARE_METATYPE(ImmaginePulsante)

// Design-data store: keys compare without regard to case; a read gives the
// default when the key is absent.
class BorsaProprieta {
public:
    QVariant ReadProperty(const QString& chiave, const QVariant& predefinito = {}) const;
    // Stores the value unless it equals the default.
    void WriteProperty(const QString& chiave, const QVariant& valore, const QVariant& predefinito = {});
    bool Contiene(const QString& chiave) const;
    size_t Conta() const { return voci_.size(); }

private:
    std::map<QString, QVariant> voci_; // keys lower-cased
};

class ModelloPulsante {
public:
    // Option-group actions.
    static constexpr int16_t OptionJoin = 1;
    static constexpr int16_t OptionLeave = -1;
    static constexpr int16_t OptionUncheckOthers = 0;
    static constexpr int16_t OptionQuery = 2;

    explicit ModelloPulsante(const void* contenitore = nullptr);
    virtual ~ModelloPulsante();
    ModelloPulsante(const ModelloPulsante&) = delete;
    ModelloPulsante& operator=(const ModelloPulsante&) = delete;

    // Properties: Name() reads, Name(v) writes.
    int32_t ButtonStyle() const { return ButtonStyle_; }
    void ButtonStyle(int32_t v);
    int32_t Mode() const { return Mode_; }
    void Mode(int32_t v);
    QString Caption() const { return Caption_; }
    void Caption(const QString& v);
    int32_t CaptionAlign() const { return CaptionAlign_; }
    void CaptionAlign(int32_t v);
    int32_t CaptionStyle() const { return CaptionStyle_; }
    void CaptionStyle(int32_t v);
    int32_t CustomClick() const { return CustomClick_; }
    void CustomClick(int32_t v);
    int32_t ButtonShape() const { return ButtonShape_; }
    void ButtonShape(int32_t v);
    const ImmaginePulsante& Picture() const { return Picture_; }
    void Picture(const ImmaginePulsante& v);
    int32_t PictureAlign() const { return PictureAlign_; }
    void PictureAlign(int32_t v);
    bool Enabled() const;
    void Enabled(bool v);
    bool ShowFocusRect() const { return ShowFocusRect_; }
    void ShowFocusRect(bool v);
    bool Value() const { return Value_; }
    void Value(bool v);
    // Throws std::range_error when PictureSizePx holds no valid size.
    int32_t PictureSize();
    void PictureSize(int32_t v);
    int32_t MousePointer() const { return MousePointer_; }
    void MousePointer(int32_t v);
    const QImage& MouseIcon() const { return MouseIcon_; }
    void MouseIcon(const QImage& v);
    QFont Font() const { return Font_; }
    void Font(const QFont& v);
    int32_t FontStyle() const;
    void FontStyle(int32_t v);
    int32_t ForeColor() const { return ForeColor_; }
    void ForeColor(int32_t v);
    int32_t BackColor() const { return BackColor_; }
    void BackColor(int32_t v);
    int32_t GradientColor() const { return GradientColor_; }
    void GradientColor(int32_t v);
    int32_t GradientMode() const { return GradientMode_; }
    void GradientMode(int32_t v);
    bool ResetDefaultColors() const { return false; }
    void ResetDefaultColors(bool v);
    int32_t HoverColorLocks() const { return HoverColorLocks_; }
    void HoverColorLocks(int32_t v);
    int32_t HoverForeColor() const { return HoverForeColor_; }
    void HoverForeColor(int32_t v);
    int32_t HoverBackColor() const { return HoverBackColor_; }
    void HoverBackColor(int32_t v);
    QString AccessKey() const { return AccessKey_; }

    // Methods.
    void Refresh();
    void DelayDrawing(bool v);

    // Design data.
    void InitProperties(const QString& nomeVisualizzato);
    void ReadProperties(const BorsaProprieta& borsa);
    void WriteProperties(BorsaProprieta& borsa) const;

    // Host notifications.
    void AmbientChanged(const QString& nome, bool displayAsDefault, int32_t coloreAmbiente);
    void Show(bool displayAsDefault);

    // Option group of the container.
    bool GestisciGruppoOpzioni(int16_t azione);

    // Face colours of the current look (refresh "BackColor").
    const Pulsante::ColoriFaccia& Colori() const { return colori_; }
    // Everything a look needs to plan a drawing.
    Pulsante::StatoStile StatoPerStile(int W, int H) const;

    // State the input handling and the drawing share (names as the control keeps them).
    int16_t StateFlags = 0;
    int16_t PictureSizePx = 0;
    int32_t PictureWidth = 0, PictureHeight = 0, PictureIsIcon = 0;
    bool DelayDraw = false;
    int16_t LastButton = 0;
    bool HoverOn = false;
    bool PressOn = false;
    int32_t AmbientBackRGB = 0;
    QString ContainerHandle;
    int BottomLeftX = 0, TopRightX = 0;
    Pulsante::Rettangolo CaptionRect, PictureRect;
    // False when the caption, as laid out, is larger than the face leaves it and is cut.
    bool CaptionIntera = true;
    // False while the host is in the designer; the program never is.
    bool UserMode = true;

    const void* Contenitore() const { return contenitore_; }

protected:
    // Hooks the widget implements.
    virtual void Ridisegna() {}
    virtual void CalcolaLayout(bool /*rebuild*/) {}
    virtual void CreaRegione() {}
    virtual void EseguiResize() {}
    virtual void Notifica(const QString& /*chiave*/) {}
    // Surface: enabled state, access key, pointer, mouse icon.
    virtual bool LeggiAbilitato() const { return abilitato_; }
    virtual void ScriviAbilitato(bool v) { abilitato_ = v; }
    virtual void ImpostaChiaveAccesso(const QString& /*tasto*/) {}
    virtual void ImpostaPuntatore(int16_t /*puntatore*/) {}
    // False when the surface cannot use the picture as a mouse icon.
    virtual bool ImpostaIconaMouse(const QImage& /*icona*/) { return true; }
    // The parent's back colour (default of "cBack").
    virtual int32_t ColoreSfondoGenitore() const { return Pulsante::ColoreFacciaSistema; }
    // Rebuilds a resource: "BackColor", "Font" or "Picture" (case ignored).
    virtual void AggiornaRisorse(const QString& quale);

    // Redraws the face after the enabled state changed (an etched command
    // button with a straight outline also rebuilds its region and layout).
    void RidisegnaAbilitazione();

    void Avviso(const QString& testo, const QString& titolo = {}) const;
    bool ModalitaProgetto() const { return !UserMode; }
    bool RetroSbloccato() const { return HoverColorLocks_ == 0 || HoverColorLocks_ == 2; }
    bool TestoSbloccato() const { return HoverColorLocks_ == 0 || HoverColorLocks_ == 1; }

    // Stored fields of the properties.
    QString Caption_;
    int32_t CaptionAlign_ = 2, CaptionStyle_ = 0, ButtonStyle_ = 0, ButtonShape_ = 0;
    bool ShowFocusRect_ = true;
    int32_t HoverBackColor_ = Pulsante::ColoreFacciaSistema, HoverForeColor_ = Pulsante::ColoreTestoSistema;
    int32_t HoverColorLocks_ = 0, GradientMode_ = 0, GradientColor_ = 0, Mode_ = 0;
    bool Value_ = false;
    int32_t CustomClick_ = 0;
    ImmaginePulsante Picture_;
    int32_t PictureAlign_ = 0;
    int32_t BackColor_ = Pulsante::ColoreFacciaSistema;
    int32_t ForeColor_ = Pulsante::ColoreTestoSistema;
    QFont Font_;
    int32_t MousePointer_ = 0;
    QImage MouseIcon_;
    QString AccessKey_;
    Pulsante::ColoriFaccia colori_;

private:
    const void* contenitore_ = nullptr;
    bool abilitato_ = true;
};

namespace Pulsante {
// Access key of a caption: the character after the last single "&" ("&&" is a
// literal ampersand); nothing when there is no single "&".
std::optional<QString> ChiaveAccesso(const QString& caption);
// Members of a container's option group in joining order (empty when none).
std::vector<ModelloPulsante*> MembriGruppo(const void* contenitore);
// The font a new button starts with.
QFont FontPredefinito();
} // namespace Pulsante
