#pragma once
// Circular dial gauge: seven ticks on a 252-degree arc open at the bottom, seven
// scale numbers, a needle with a hub dot coloured by the value's band, a value
// text and two caption lines. Every length is in twips (15 to the pixel); the
// design surface is 6000 x 6000.
#include <array>
#include <cstdint>
#include <string>

#include <QtCore/QPoint>
#include <QtWidgets/QWidget>

#include "controls/ElementiIndicatore.h"

class Tachyonizer : public QWidget {
    Q_OBJECT
public:
    static constexpr int LarghezzaDisegno = 6000;
    static constexpr int AltezzaDisegno = 6000;
    static constexpr int UltimaTacca = 6;

    explicit Tachyonizer(QWidget* parent = nullptr);

    // Screen-free rules.
    // Whole-degree angle of a value: -36 at the minimum, 216 at the maximum.
    // A range of no width puts every value at the start angle.
    static int32_t Angolo(double valore, int32_t minimo, int32_t massimo);
    // Point at angle `gradi` and radius r from (cx, cy), y downwards.
    static QPoint PuntoArco(int32_t cx, int32_t cy, int32_t raggio, int32_t gradi);
    // Step between two scale numbers: the range over 6, rounded half to even.
    static int32_t PassoScala(int32_t minimo, int32_t massimo);
    // Needle colour: band 3 above the third limit's angle, band 2 above the
    // second's, band 1 otherwise (strictly greater).
    static int32_t ColoreAgo(int32_t a, int32_t a2, int32_t a3, int32_t c1, int32_t c2, int32_t c3);

    void Aggiorna_Parametri_Visuali();
    void RiposizionaScala();
    void PlottaVal();
    void TA_AggiornaCharset(int32_t MyCharset, const QString& MyFont);

    int32_t TK_ResImmagine() const { return TK_ResImmagine_; }
    void TK_ResImmagine(int32_t v) { TK_ResImmagine_ = v; }
    float TK_ValOre() const { return TK_ValOre_; }
    void TK_ValOre(float v); // clamped into the range, then the needle is redrawn
    int32_t TK_ValMin() const { return TK_ValMin_; }
    void TK_ValMin(int32_t v) { TK_ValMin_ = v; }
    int32_t TK_ValMax() const { return TK_ValMax_; }
    void TK_ValMax(int32_t v) { TK_ValMax_ = v; }
    float TK_Val2ND() const { return TK_Val2ND_; }
    void TK_Val2ND(float v) { TK_Val2ND_ = v; }
    float TK_Val3RD() const { return TK_Val3RD_; }
    void TK_Val3RD(float v) { TK_Val3RD_ = v; }
    const std::string& TK_ValCha() const { return TK_ValCha_; }
    void TK_ValCha(const std::string& v);
    const std::string& TK_Dida1() const { return TK_Dida1_; }
    void TK_Dida1(const std::string& v);
    const std::string& TK_Dida2() const { return TK_Dida2_; }
    void TK_Dida2(const std::string& v);
    int32_t TK_Colore1() const { return TK_Colore1_; }
    void TK_Colore1(int32_t v) { TK_Colore1_ = v; }
    int32_t TK_Colore2() const { return TK_Colore2_; }
    void TK_Colore2(int32_t v) { TK_Colore2_ = v; }
    int32_t TK_Colore3() const { return TK_Colore3_; }
    void TK_Colore3(int32_t v) { TK_Colore3_ = v; }
    int32_t TK_Bordo_Scala() const { return TK_Bordo_Scala_; }
    void TK_Bordo_Scala(int32_t v) { TK_Bordo_Scala_ = v; }
    int32_t TK_Colore_Scala() const { return TK_Colore_Scala_; }
    void TK_Colore_Scala(int32_t v) { TK_Colore_Scala_ = v; }
    bool TK_Cerchio_Visible() const { return TK_Cerchio_Visible_; }
    void TK_Cerchio_Visible(bool v) { TK_Cerchio_Visible_ = v; }
    bool TK_Cerchio_Trasparente() const { return TK_Cerchio_Trasparente_; }
    void TK_Cerchio_Trasparente(bool v) { TK_Cerchio_Trasparente_ = v; }
    int32_t TK_Cerchio_SpessoreBordo() const { return TK_Cerchio_SpessoreBordo_; }
    void TK_Cerchio_SpessoreBordo(int32_t v) { TK_Cerchio_SpessoreBordo_ = v; }
    int32_t TK_Cerchio_ColoreBordo() const { return TK_Cerchio_ColoreBordo_; }
    void TK_Cerchio_ColoreBordo(int32_t v) { TK_Cerchio_ColoreBordo_ = v; }
    int32_t TK_Cerchio_ColoreInterno() const { return TK_Cerchio_ColoreInterno_; }
    void TK_Cerchio_ColoreInterno(int32_t v) { TK_Cerchio_ColoreInterno_ = v; }
    bool TK_Tachione_Trasparente() const { return TK_Tachione_Trasparente_; }
    void TK_Tachione_Trasparente(bool v) { TK_Tachione_Trasparente_ = v; }
    int32_t TK_Tachione_ColoreSfondo() const { return TK_Tachione_ColoreSfondo_; }
    void TK_Tachione_ColoreSfondo(int32_t v) { TK_Tachione_ColoreSfondo_ = v; }
    int32_t TK_Indicatore_Spessore() const { return TK_Indicatore_Spessore_; }
    void TK_Indicatore_Spessore(int32_t v) { TK_Indicatore_Spessore_ = v; }
    int32_t TK_ScalFont_Colore() const { return TK_ScalFont_Colore_; }
    void TK_ScalFont_Colore(int32_t v) { TK_ScalFont_Colore_ = v; }
    const QString& TK_ScalFont_Nome() const { return TK_ScalFont_Nome_; }
    void TK_ScalFont_Nome(const QString& v) { TK_ScalFont_Nome_ = v; }
    bool TK_ScalFont_Bold() const { return TK_ScalFont_Bold_; }
    void TK_ScalFont_Bold(bool v) { TK_ScalFont_Bold_ = v; }
    int32_t TK_CommFont_Colore() const { return TK_CommFont_Colore_; }
    void TK_CommFont_Colore(int32_t v) { TK_CommFont_Colore_ = v; }
    const QString& TK_CommFont_Nome() const { return TK_CommFont_Nome_; }
    void TK_CommFont_Nome(const QString& v) { TK_CommFont_Nome_ = v; }
    bool TK_CommFont_Bold() const { return TK_CommFont_Bold_; }
    void TK_CommFont_Bold(bool v) { TK_CommFont_Bold_ = v; }
    int32_t TK_MainFont_Colore() const { return TK_MainFont_Colore_; }
    void TK_MainFont_Colore(int32_t v) { TK_MainFont_Colore_ = v; }
    const QString& TK_MainFont_Nome() const { return TK_MainFont_Nome_; }
    void TK_MainFont_Nome(const QString& v) { TK_MainFont_Nome_ = v; }
    bool TK_MainFont_Bold() const { return TK_MainFont_Bold_; }
    void TK_MainFont_Bold(bool v) { TK_MainFont_Bold_ = v; }

    // The constituents as they stand, for the host and for checks.
    const Indicatori::Figura& SHAPE_CENTER() const { return SHAPE_CENTER_; }
    const Indicatori::Figura& SHP_CIRCLE() const { return SHP_CIRCLE_; }
    const Indicatori::Linea& LINE_MAIN() const { return LINE_MAIN_; }
    const Indicatori::Linea& LINE_SCALA(int k) const { return LINE_SCALA_.at(static_cast<size_t>(k)); }
    const Indicatori::Etichetta& LAB_SCALE(int k) const { return LAB_SCALE_.at(static_cast<size_t>(k)); }
    const Indicatori::Etichetta& LAB_VALUE() const { return LAB_VALUE_; }
    const Indicatori::Etichetta& LAB_1() const { return LAB_1_; }
    const Indicatori::Etichetta& LAB_2() const { return LAB_2_; }

    // Lays the constituents out for the present size, scaling from the last layout.
    void UserControl_Resize();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    int32_t LarghezzaTwips() const { return width() * Indicatori::TwipsPerPixel; }
    int32_t AltezzaTwips() const { return height() * Indicatori::TwipsPerPixel; }

    int32_t TK_ResImmagine_ = 0;
    float TK_ValOre_ = 1500.0f;
    int32_t TK_ValMin_ = 0;
    int32_t TK_ValMax_ = 3000;
    float TK_Val2ND_ = 1000.0f;
    float TK_Val3RD_ = 2000.0f;
    std::string TK_ValCha_ = "1500";
    std::string TK_Dida1_ = "RPM (x100)";
    std::string TK_Dida2_;
    int32_t TK_Colore1_ = 0xFF;
    int32_t TK_Colore2_ = 0xFF;
    int32_t TK_Colore3_ = 0xFF;
    int32_t TK_Bordo_Scala_ = 3;
    int32_t TK_Colore_Scala_ = 0;
    bool TK_Cerchio_Visible_ = true;
    bool TK_Cerchio_Trasparente_ = false;
    int32_t TK_Cerchio_SpessoreBordo_ = 3;
    int32_t TK_Cerchio_ColoreBordo_ = 0;
    int32_t TK_Cerchio_ColoreInterno_ = 0xFFFFFF;
    bool TK_Tachione_Trasparente_ = true;
    int32_t TK_Tachione_ColoreSfondo_ = 0xFFFFFF;
    int32_t TK_Indicatore_Spessore_ = 3;
    int32_t TK_ScalFont_Colore_ = 0;
    QString TK_ScalFont_Nome_ = QStringLiteral("Arial");
    bool TK_ScalFont_Bold_ = false;
    int32_t TK_CommFont_Colore_ = 0;
    QString TK_CommFont_Nome_ = QStringLiteral("Arial");
    bool TK_CommFont_Bold_ = false;
    int32_t TK_MainFont_Colore_ = 0;
    QString TK_MainFont_Nome_ = QStringLiteral("Arial");
    bool TK_MainFont_Bold_ = true;

    Indicatori::Figura SHAPE_CENTER_;
    Indicatori::Linea LINE_MAIN_;
    std::array<Indicatori::Etichetta, 7> LAB_SCALE_; // self-sizing to their numbers
    Indicatori::Etichetta LAB_VALUE_;
    Indicatori::Etichetta LAB_1_;
    Indicatori::Etichetta LAB_2_;
    std::array<Indicatori::Linea, 7> LINE_SCALA_;
    Indicatori::Figura SHP_CIRCLE_;
    bool SfondoOpaco_ = false; // the gauge's own background, as last applied
    int32_t ColoreSfondo_ = 0xFFFFFF;

    int32_t LarghezzaPrecedente_ = 0; // twips at the last layout
    int32_t AltezzaPrecedente_ = 0;
    float BaseFontScala_ = 0;         // points, before rounding
    float BaseFontDida_ = 0;
    float BaseFontValore_ = 0;
    int32_t RaggioEsterno_ = 0;       // needle, twips
    int32_t RaggioInterno_ = 0;
};
