#pragma once
// Rising bar graph of one value: 24 bars in three colour bands, lit from the
// first up to the value, with a value text at the top left and a title at the
// top right. Lengths in twips (15 to the pixel); design surface 7410 x 2610.
#include <array>
#include <cstdint>
#include <string>

#include <QtWidgets/QWidget>

#include "controls/ElementiIndicatore.h"

class PowerIndicatore : public QWidget {
    Q_OBJECT
public:
    static constexpr int LarghezzaDisegno = 7410;
    static constexpr int AltezzaDisegno = 2610;
    static constexpr int NumeroBarre = 24;
    static constexpr int UltimaBarra = NumeroBarre - 1;

    explicit PowerIndicatore(QWidget* parent = nullptr);

    // Screen-free rules.
    // Design place of bar i: bars 0-12 735 high, 13-18 growing by 120, 19-23 1575.
    static Indicatori::Rettangolo GeometriaBarra(int indice);
    // Bar i is lit when the value reaches min + i x (max - min) / 23, rounded.
    static std::array<bool, NumeroBarre> BarreAccese(float minimo, float massimo, float valore);
    // Band (1, 2, 3) of every bar for the two band ends; ends outside the bars
    // are held to the bars that exist.
    static std::array<int, NumeroBarre> BandeBarre(int32_t fine1, int32_t fine2);

    float SL_ValOre() const { return SL_ValOre_; }
    void SL_ValOre(float v); // clamped into the range, then the bars lit
    int32_t SL_ValMin() const { return static_cast<int32_t>(SL_ValMin_); }
    void SL_ValMin(double v); // taken rounded half to even; effective at the next value
    int32_t SL_ValMax() const { return static_cast<int32_t>(SL_ValMax_); }
    void SL_ValMax(double v);
    const std::string& SL_STRTit() const { return SL_STRTit_; }
    void SL_STRTit(const std::string& v);
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
    int32_t SL_BORDER_Color() const { return SL_BORDER_Color_; }
    void SL_BORDER_Color(int32_t v) { SL_BORDER_Color_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_1_H() const { return SL_COLORE_1_H_; }
    void SL_COLORE_1_H(int32_t v) { SL_COLORE_1_H_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_1_L() const { return SL_COLORE_1_L_; }
    void SL_COLORE_1_L(int32_t v) { SL_COLORE_1_L_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_1_X() const { return SL_COLORE_1_X_; }
    void SL_COLORE_1_X(int32_t v) { SL_COLORE_1_X_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_2_H() const { return SL_COLORE_2_H_; }
    void SL_COLORE_2_H(int32_t v) { SL_COLORE_2_H_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_2_L() const { return SL_COLORE_2_L_; }
    void SL_COLORE_2_L(int32_t v) { SL_COLORE_2_L_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_2_X() const { return SL_COLORE_2_X_; }
    void SL_COLORE_2_X(int32_t v) { SL_COLORE_2_X_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_3_H() const { return SL_COLORE_3_H_; }
    void SL_COLORE_3_H(int32_t v) { SL_COLORE_3_H_ = v; AggiornaAspetto(); }
    int32_t SL_COLORE_3_L() const { return SL_COLORE_3_L_; }
    void SL_COLORE_3_L(int32_t v) { SL_COLORE_3_L_ = v; AggiornaAspetto(); }

    // Character set and face name of the current language on the title only.
    void PI_AggiornaCharset(int32_t MyCharset, const QString& MyFont);

    // The constituents as they stand.
    const Indicatori::Etichetta& LAB_CENTER() const { return LAB_CENTER_; }
    const Indicatori::Figura& SHP_COLBAR(int k) const { return SHP_COLBAR_.at(static_cast<size_t>(k)); }
    const Indicatori::Etichetta& LBL_TITLE() const { return LBL_TITLE_; }
    const Indicatori::Figura& SHP_BORDER() const { return SHP_BORDER_; }

    void UserControl_Resize();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void AggiornaAspetto();
    void PosizionaValore();
    void ColoraBarra(int indice, bool accesa);
    void ImpostaCaption(Indicatori::Etichetta& e, const std::string& testo);

    float SL_ValOre_ = 0;
    float SL_ValMin_ = 0;
    float SL_ValMax_ = 0;
    std::string SL_STRTit_, SL_STRVal_;
    int32_t SL_TITLEFont_Colore_ = 0;
    QString SL_TITLEFont_Nome_ = QStringLiteral("LCD");
    bool SL_TITLEFont_Bold_ = true;
    int32_t SL_OTHERFont_Colore_ = 0;
    QString SL_OTHERFont_Nome_ = QStringLiteral("LCD");
    bool SL_OTHERFont_Bold_ = false;
    int32_t SL_BACK_Color_ = 0xFFFFFF;
    int32_t SL_BORDER_Color_ = 0;
    int32_t SL_COLORE_1_H_ = 0, SL_COLORE_1_L_ = 0, SL_COLORE_1_X_ = 0;
    int32_t SL_COLORE_2_H_ = 0, SL_COLORE_2_L_ = 0, SL_COLORE_2_X_ = 0;
    int32_t SL_COLORE_3_H_ = 0, SL_COLORE_3_L_ = 0;

    Indicatori::Etichetta LAB_CENTER_;
    std::array<Indicatori::Figura, NumeroBarre> SHP_COLBAR_;
    Indicatori::Etichetta LBL_TITLE_;
    Indicatori::Figura SHP_BORDER_;

    int32_t LarghezzaPrecedente_ = 0; // twips at the last layout
    int32_t AltezzaPrecedente_ = 0;
    float BaseFontTitolo_ = 0;        // points, before rounding
    float BaseFontValore_ = 0;
};
