#pragma once
// ModZeb: fitting a grid's font to the room the grid has.
#include <cstdint>

class GrigliaDati;

namespace ModZeb {

// What the fitting reads and sets on a grid. Sizes are compared as given
// (the grid's own size against row 0's height and column 0's width).
class MisureGriglia {
public:
    virtual ~MisureGriglia() = default;
    virtual double Altezza() const = 0;
    virtual double Larghezza() const = 0;
    virtual double AltezzaRiga0() const = 0;
    virtual double LarghezzaColonna0() const = 0;
    virtual int32_t Righe() const = 0;
    virtual int32_t Colonne() const = 0;
    virtual double DimensioneFont() const = 0;
    virtual void ImpostaDimensioneFont(int32_t punti) = 0;
    virtual void ImpostaRidisegno(bool attivo) = 0;
};

// Grows the font point by point up to 20 while every row and column still
// fits, or shrinks it down to 8 until they fit; redrawing is off meanwhile
// and is switched back on however the fitting ends.
void AdattaFontGriglia(MisureGriglia& griglia);
void AdattaFontGriglia(GrigliaDati* griglia);

} // namespace ModZeb
