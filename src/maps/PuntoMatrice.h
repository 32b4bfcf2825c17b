#pragma once
// The arithmetic of the live operating point on the map editors: where the
// markers go, what they show and the running comparison of the petrol
// injection time seen on gas with the one seen on petrol.
#include <cstdint>

namespace PuntoMatrice {

// The two running averages of one editor instance; -1 = no value yet.
struct MedieTempo {
    int32_t MediaTempoGas = -1;
    int32_t MediaTempoBenzina = -1;
};

// Live inputs of one refresh.
struct IngressiPunto {
    bool MotoreAcceso = false; // block 1 value 37 bit 0
    bool Gas = false;          // block 2 value 1 not 0, or block 1 value 7 above 0
    int32_t Campione = 0;      // block 1 value 15, the petrol injection time
};

// Updates the averages and gives the deviation in 1/128 of the reference
// average (128 = +100 %). `avvicinaGas` (the coarse view) pulls the gas
// average towards the petrol one while on petrol. A reference average that is
// not above 0 gives 0.
int32_t AggiornaMedie(MedieTempo& medie, const IngressiPunto& ingressi, bool avvicinaGas);

// Map row and column of the operating point, clamped to the editor's grid
// (full editor: column 23; coarse view: column 22; both: row 22).
int32_t LimitaRiga(int32_t riga);
int32_t LimitaColonna(int32_t colonna, bool vistaRidotta);

// The deviation bar of the coarse view: d + 128 within the bar's limits.
int32_t ValoreBarra(int32_t d, int32_t minimo, int32_t massimo);
// The label of the coarse view: "+n" or "-n" for v - 128.
const char* SegnoDeviazione(int32_t v);

// Colours &HBBGGRR of the main and the second marker, by the fuel in use.
int32_t ColoreMarcatore(bool gas);
int32_t ColoreMarcatore2(bool gas);

// Full editor's bar, in twips, over a panel of height `altezzaPannello`
// spanning 40 deviation units: the height (a negative deviation rises above
// the zero line in whole pixels).
int32_t AltezzaBarraCorrezione(int32_t d, int32_t altezzaPannello);

} // namespace PuntoMatrice
