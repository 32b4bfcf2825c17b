#pragma once
// The acquisition wizard's rules without a screen: the progress bits, step 1's
// firing-order text, step 2's threshold search (settings, dwell, result index,
// volts), step 3's samples, regions and injection-time axis, and step 4's
// gas-pressure window and record.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/ModBlckModifiche.h"

namespace InjDirAcqRegole {

// ---- Progress bits (block 16 value 26) ------------------------------------------

inline constexpr int32_t BitSequenza = 0x01, BitAnticipata = 0x02, BitNonAnticipata = 0x04, BitSoglia = 0x08,
                         BitPressBenz = 0x10, BitPressGas = 0x20;
inline constexpr size_t ParolaStato = 26;

// ---- Step 1 -----------------------------------------------------------------------

// " 1 - 3 - 4 - 2": each position's cylinder ((word & 0x7F) + 1) from block 15
// value 79 on, for `cilindri` positions (missing values skipped).
std::string TestoSequenza(const std::vector<int32_t>& blocco15, int32_t cilindri);
// The 24 advance-table entries {valore, 60 + i, 0}.
ListaModifiche TabellaAnticipoUniforme(int32_t valore);

// ---- Step 2 -----------------------------------------------------------------------

struct ImpostazioniSoglia {
    int32_t percentuale = 50;
    int32_t attesa = 350000;    // us per list value
    int32_t fattoreIniziale = 5; // the first value dwells this many times longer
};
// "[PercAutoRPM]": lines +1..+3, each taken when a whole number above 0.
ImpostazioniSoglia LeggiImpostazioniSoglia(const std::vector<std::string>& righe);
// The first dwell in us, in 64 bits (a product past 32 bits stays exact).
int64_t AttesaIniziale(const ImpostazioniSoglia& imp);
// Index kept after a speed was seen at `indice`: Fix(percent x index / 100),
// kept inside the list (a percentage above 100 gives the last index).
int32_t IndiceRisultato(int32_t percentuale, int32_t indice, int32_t ultimoIndice);
// Volts of a threshold word: step x round(factor x w / step), one decimal.
double VoltSoglia(int32_t w, float fattore, float passo);

// ---- Step 3 -----------------------------------------------------------------------

// Whole bar from the two rail-pressure bytes (units of 10 kPa); 0 without bank 1.
int32_t CampionePressione(int32_t banco1, int32_t alto, int32_t basso);
// mV of a 10-bit count of 0-5 V.
int32_t CampioneTensione(int32_t conteggio);

struct SoglieRegione {
    int32_t rpm, mapBassa, mapAlta;
};
// Row 0..3 of the operating region, -1 for none.
int32_t RigaRegione(double map, double rpm, const SoglieRegione& s);

// Sample buffers that average only the slots filled since the last restart.
class Campioni {
public:
    explicit Campioni(int32_t ultimo = 5) { Dimensiona(ultimo); }
    void Dimensiona(int32_t ultimo);
    void Riavvia();
    void Aggiungi(int32_t pressione, int32_t tensione, int32_t tinj, int32_t map, int32_t rpm);
    int32_t Riempiti() const { return riempiti_; }
    // Averages: bar, volts, ms, map, rpm; all 0 before the first sample.
    std::array<double, 5> Medie() const;

private:
    std::vector<std::array<int32_t, 5>> slot_;
    size_t indice_ = 0;
    int32_t riempiti_ = 0;
};

struct ImpostazioniAcquisizione {
    int32_t intervallo = 200000, ultimoCampione = 5;
    SoglieRegione normale{3000, 400, 800}, turbo{3000, 600, 1200};
    std::array<int32_t, 22> percentuali{5, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 5, 5, 5, 5, 5, 10, 10, 20};
    std::array<int32_t, 22> passiMinimi{256, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128,
                                        128, 128, 128, 256, 256, 256, 256, 256, 512, 512, 1024};
    int32_t margineTinj = 500, tinjMinimo = 4000;
};
ImpostazioniAcquisizione LeggiImpostazioniAcquisizione(const std::vector<std::string>& righe);

// The 23 injection-time axis points (units of 128 us) from the largest grid
// injection time in ms; nothing when that is not above 0 or a point does not
// fit in a byte (the caller then keeps the axis it has).
std::optional<std::array<uint8_t, 23>> CalcoloTinjAuto(double massimoMs, const ImpostazioniAcquisizione& imp);

// ---- Step 4 -----------------------------------------------------------------------

struct ParametriPressioneGas {
    int32_t Pos = 11, D_Min = 100, D_Max = 300, KFact = 100, Fine = 500, Centra = 1500;
};
inline constexpr ParametriPressioneGas PredefinitiGpl{11, 100, 300, 100, 500, 1500};
inline constexpr ParametriPressioneGas PredefinitiCng{10, 100, 500, 100, 500, 1500};
// A record the curve can be built from: the centre index inside 1..13.
bool PosValida(int32_t pos);

struct ImpostazioniPressioneGas {
    ParametriPressioneGas gpl = PredefinitiGpl, cng = PredefinitiCng;
    int32_t massimoCentro = 2750;
};
// "[PressParamGpl]", "[PressParamCng]", "[MaxPressCenter]"; a Pos outside
// 1..13 is refused and the record keeps its earlier Pos.
ImpostazioniPressioneGas LeggiImpostazioniPressioneGas(const std::vector<std::string>& righe);

// The 21-tick window: -1 marks an invalid sample; nothing while a slot holds -1.
std::optional<int32_t> MediaFinestra(const std::array<int32_t, 21>& campioni);

} // namespace InjDirAcqRegole
