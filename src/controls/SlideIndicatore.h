#pragma once
// Horizontal indicator of one value on 15 positions: a title, a scale drawn as
// 15 lamps lit from the centre towards the value (lamp mode) or as a strip of
// five colour zones (zone mode), a cursor on the value's position and three
// captions below. Lengths in twips (15 to the pixel); design surface 7380 x 1380.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include <QtWidgets/QWidget>

#include "controls/ElementiIndicatore.h"

class QTimer;

class SlideIndicatore : public QWidget {
    Q_OBJECT
public:
    static constexpr int LarghezzaDisegno = 7380;
    static constexpr int AltezzaDisegno = 1380;
    static constexpr int NumeroLampade = 15;
    static constexpr int LampadaCentrale = 7;

    enum class Famiglia { Verde, Giallo, Rosso };
    struct ColoriFigura {
        int32_t Bordo;
        int32_t Riempimento;
        bool operator==(const ColoriFigura&) const = default;
    };

    explicit SlideIndicatore(QWidget* parent = nullptr);

    // Screen-free rules.
    // Which lamps a value lights: the centre always, and the run from the
    // centre to the lamp that holds the value.
    static std::array<bool, NumeroLampade> LampadeAccese(float minimo, float massimo, float valore);
    // The first position whose interval holds the value; none when no
    // interval does (as with a range given backwards).
    static std::optional<int> PosizioneCursore(float minimo, float massimo, float valore);
    // A lamp's family from its present border colour.
    static Famiglia FamigliaDaBordo(int32_t bordo);
    static ColoriFigura ColoriLampada(Famiglia f, bool accesa);
    static Famiglia FamigliaLampada(int indice); // the family a lamp is created with

    float SL_ValOre() const { return SL_ValOre_; }
    void SL_ValOre(float v); // clamped into the range, then lamps and cursor placed
    int32_t SL_ValMin() const { return static_cast<int32_t>(SL_ValMin_); }
    void SL_ValMin(double v); // taken rounded half to even; effective at the next value
    int32_t SL_ValMax() const { return static_cast<int32_t>(SL_ValMax_); }
    void SL_ValMax(double v);
    const std::string& SL_STRTit() const { return SL_STRTit_; }
    void SL_STRTit(const std::string& v);
    const std::string& SL_STRLef() const { return SL_STRLef_; }
    void SL_STRLef(const std::string& v);
    const std::string& SL_STRRig() const { return SL_STRRig_; }
    void SL_STRRig(const std::string& v);
    const std::string& SL_STRVal() const { return SL_STRVal_; }
    void SL_STRVal(const std::string& v);
    int32_t SL_TITLEFont_Colore() const { return SL_TITLEFont_Colore_; }
    void SL_TITLEFont_Colore(int32_t v) { SL_TITLEFont_Colore_ = v; AggiornaAspetto(); }
    const QString& SL_TITLEFont_Nome() const { return SL_TITLEFont_Nome_; }
    void SL_TITLEFont_Nome(const QString& v) { SL_TITLEFont_Nome_ = v; AggiornaAspetto(); }
    bool SL_TITLEFont_Bold() const { return SL_TITLEFont_Bold_; }
    void SL_TITLEFont_Bold(bool v) { SL_TITLEFont_Bold_ = v; AggiornaAspetto(); }
    int32_t SL_OTHERFont_Colore() const { return SL_OTHERFont_Colore_; }
    void SL_OTHERFont_Colore(int32_t v) { SL_OTHERFont_Colore_ = v; AggiornaAspetto(); }
    const QString& SL_OTHERFont_Nome() const { return SL_OTHERFont_Nome_; }
    void SL_OTHERFont_Nome(const QString& v) { SL_OTHERFont_Nome_ = v; AggiornaAspetto(); }
    bool SL_OTHERFont_Bold() const { return SL_OTHERFont_Bold_; }
    void SL_OTHERFont_Bold(bool v) { SL_OTHERFont_Bold_ = v; AggiornaAspetto(); }
    int32_t SL_BACK_Color() const { return SL_BACK_Color_; }
    void SL_BACK_Color(int32_t v) { SL_BACK_Color_ = v; AggiornaAspetto(); }
    int32_t SL_BARRA_Color() const { return SL_BARRA_Color_; }
    void SL_BARRA_Color(int32_t v) { SL_BARRA_Color_ = v; AggiornaAspetto(); }
    int32_t SL_BORDER_Color() const { return SL_BORDER_Color_; }
    void SL_BORDER_Color(int32_t v) { SL_BORDER_Color_ = v; AggiornaAspetto(); }
    bool SL_LambTy() const { return SL_LambTy_; }
    void SL_LambTy(bool v) { SL_LambTy_ = v; AggiornaAspetto(); }
    bool SL_ShpBkVis() const { return SL_ShpBkVis_; }
    void SL_ShpBkVis(bool v) { SL_ShpBkVis_ = v; AggiornaAspetto(); }
    bool SL_ShpRound() const { return SL_ShpRound_; }
    void SL_ShpRound(bool v) { SL_ShpRound_ = v; AggiornaAspetto(); }

    // Character set and face name of the current language on the four labels.
    void SI_AggiornaCharset(int32_t MyCharset, const QString& MyFont);

    // The constituents as they stand.
    const Indicatori::Figura& SHP_CURSOR() const { return SHP_CURSOR_; }
    const Indicatori::Figura& SHP_COLBAR(int k) const { return SHP_COLBAR_.at(static_cast<size_t>(k)); }
    const Indicatori::Figura& SHP_IND(int k) const { return SHP_IND_.at(static_cast<size_t>(k)); }
    const Indicatori::Figura& SHP_BACK() const { return SHP_BACK_; }
    const Indicatori::Figura& SHP_BORDER() const { return SHP_BORDER_; }
    const Indicatori::Etichetta& LAB_CENTER() const { return LAB_CENTER_; }
    const Indicatori::Etichetta& LAB_RIGHT() const { return LAB_RIGHT_; }
    const Indicatori::Etichetta& LAB_LEFT() const { return LAB_LEFT_; }
    const Indicatori::Etichetta& LBL_TITLE() const { return LBL_TITLE_; }
    const QTimer* TMR_FLASHING() const { return TMR_FLASHING_; }

    void UserControl_Resize();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void AggiornaAspetto();
    void PosizionaValore();
    void ColoraSegmento(int indice, bool accesa);
    void ImpostaCaption(Indicatori::Etichetta& e, const std::string& testo);

    float SL_ValOre_ = 0;
    float SL_ValMin_ = 0;
    float SL_ValMax_ = 0;
    std::string SL_STRTit_, SL_STRLef_, SL_STRRig_, SL_STRVal_;
    int32_t SL_TITLEFont_Colore_ = 0;
    QString SL_TITLEFont_Nome_ = QStringLiteral("Arial");
    bool SL_TITLEFont_Bold_ = true;
    int32_t SL_OTHERFont_Colore_ = 0;
    QString SL_OTHERFont_Nome_ = QStringLiteral("Arial");
    bool SL_OTHERFont_Bold_ = false;
    int32_t SL_BACK_Color_ = 0xFFFFFF;
    int32_t SL_BARRA_Color_ = 0xFFFFFF;
    int32_t SL_BORDER_Color_ = 0;
    bool SL_LambTy_ = true;
    bool SL_ShpBkVis_ = true;
    bool SL_ShpRound_ = false;

    Indicatori::Figura SHP_CURSOR_;
    std::array<Indicatori::Figura, 5> SHP_COLBAR_;
    Indicatori::Etichetta LAB_CENTER_, LAB_RIGHT_, LAB_LEFT_, LBL_TITLE_;
    std::array<Indicatori::Figura, NumeroLampade> SHP_IND_;
    Indicatori::Figura SHP_BACK_;
    Indicatori::Figura SHP_BORDER_;
    QTimer* TMR_FLASHING_ = nullptr; // created disabled and never started

    int32_t LarghezzaPrecedente_ = 0; // twips at the last layout
    int32_t AltezzaPrecedente_ = 0;
    float BaseFontTitolo_ = 0;        // points, before rounding
    float BaseFontAltri_ = 0;
};
