#include "controls/ModZebGriglia.h"

#include <algorithm>

#include "controls/GrigliaDati.h"
#include "core/Conversioni.h"

namespace ModZeb {

namespace {

constexpr int32_t FontMassimo = 20;
constexpr int32_t FontMinimoRiduzione = 9; // below this a font is never shrunk
constexpr int32_t FontMinimo = 8;

bool RigheCi(const MisureGriglia& g) { return g.Altezza() >= g.AltezzaRiga0() * g.Righe(); }
bool ColonneCi(const MisureGriglia& g) { return g.Larghezza() >= g.LarghezzaColonna0() * g.Colonne(); }

// Redrawing back on when the fitting ends, by a return or by an error.
class RidisegnoSospeso {
public:
    explicit RidisegnoSospeso(MisureGriglia& g) : g_(g) { g_.ImpostaRidisegno(false); }
    ~RidisegnoSospeso() { g_.ImpostaRidisegno(true); }
    RidisegnoSospeso(const RidisegnoSospeso&) = delete;
    RidisegnoSospeso& operator=(const RidisegnoSospeso&) = delete;

private:
    MisureGriglia& g_;
};

class MisureGrigliaDati : public MisureGriglia {
public:
    explicit MisureGrigliaDati(GrigliaDati& g) : g_(g) {}
    // The grid's size in twips, as its container gives it.
    double Altezza() const override { return g_.height() * 15.0; }
    double Larghezza() const override { return g_.width() * 15.0; }
    double AltezzaRiga0() const override { return g_.RowHeight(0); }
    double LarghezzaColonna0() const override { return g_.ColWidth(0); }
    int32_t Righe() const override { return g_.Rows(); }
    int32_t Colonne() const override { return g_.Cols(); }
    double DimensioneFont() const override { return g_.FontSize(); }
    void ImpostaDimensioneFont(int32_t punti) override { g_.FontSize(punti); }
    void ImpostaRidisegno(bool attivo) override { g_.Redraw(attivo); }

private:
    GrigliaDati& g_;
};

} // namespace

void AdattaFontGriglia(MisureGriglia& g) {
    RidisegnoSospeso sospeso(g);
    const int32_t attuale = static_cast<int32_t>(std::clamp(Conv::ArrotondaPari(g.DimensioneFont()), 0.0, 32767.0));
    const bool righe = RigheCi(g);
    const bool colonne = ColonneCi(g);
    if (righe && colonne) {
        const bool spazio = g.Altezza() > g.AltezzaRiga0() * g.Righe() || g.Larghezza() > g.LarghezzaColonna0() * g.Colonne();
        if (spazio && attuale < FontMassimo) {
            for (int32_t s = attuale; s <= FontMassimo; ++s) {
                g.ImpostaDimensioneFont(s);
                if (!(RigheCi(g) && ColonneCi(g))) {
                    g.ImpostaDimensioneFont(s - 1);
                    break;
                }
            }
        }
    } else if (attuale >= FontMinimoRiduzione) {
        for (int32_t s = attuale; s > FontMinimo - 1; --s) {
            g.ImpostaDimensioneFont(s);
            if (RigheCi(g) && ColonneCi(g)) break;
        }
    }
}

void AdattaFontGriglia(GrigliaDati* griglia) {
    if (!griglia) return;
    MisureGrigliaDati misure(*griglia);
    AdattaFontGriglia(misure);
}

} // namespace ModZeb
