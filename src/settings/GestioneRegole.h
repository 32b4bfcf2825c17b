#pragma once
// The management page's rules without a screen: which list item a stored
// value selects, which byte or value an item stores, the option groups of
// threshold byte 15, the low-rpm gap, the deferred hysteresis check, the four
// function lamps and the computed list of the pressure exit threshold.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace GestioneRegole {

// ---- Selection rules (item v as read; m = item in thousandths) ----
bool GiriDa(double v, int32_t byte8);            // v / 100 = byte (exact)
bool GiriFine(double v, int32_t byte0);          // Fix(v / 100) = byte
bool TempoInjBen(int64_t m, int32_t byte9);      // Fix(m / 256) = byte
bool Passi32(int64_t m, int32_t byte);           // Fix(m / 32) = byte (bytes 1 and 10)
bool TempoMortoGas(int64_t m, int32_t valore);   // m = value
bool MinOn(int64_t m, int32_t valore);           // m >= value
bool GiriMinimo(double v, int32_t byte6);        // byte x 50 = v
bool GiriA(double v, int32_t byte7);             // Fix(v / 50) = byte
bool Intero(double v, int32_t valore);           // Fix(v) = value
// Item of the exit threshold for a stored count: value \ 20 (toward zero).
int32_t IndiceSogliaUscita(int32_t valore);

// ---- Lists ----
// The 51 items of the exit threshold: "volts (count)", count = 20 k, volts =
// count x 5 / 1024 to three decimals (ties to even), no trailing zeros.
std::vector<std::string> ListaSogliaUscita(char separatore);

// ---- Edits: the stored value of an item, nullopt when it does not fit ----
// Fix(v / 100) as a threshold byte.
std::optional<uint8_t> ByteCentinaia(double v);
// Fix(m / passo) as a threshold byte.
std::optional<uint8_t> ByteMillesimi(int64_t m, int32_t passo);
// Low-rpm lower bound: byte 6 = Fix(v / 50), byte 7 = byte 6 + 4; nullopt when
// byte 7 would not fit (byte 6 above 251).
std::optional<std::pair<uint8_t, uint8_t>> ByteGiriMinimo(double v);
struct EsitoGiriA {
    uint8_t byte7 = 0;
    bool corretto = false; // raised to byte 6 + 4: beep
};
// Low-rpm upper bound against the stored byte 6; nullopt when the item or the
// raised value does not fit a byte.
std::optional<EsitoGiriA> ByteGiriA(double v, uint8_t byte6);
// Minimum injection time stored in us, a multiple of 8 rounded down.
int32_t MinOnMicrosecondi(int64_t m);

// ---- Option groups of byte 15 ----
struct StatoOpzioni {
    std::array<bool, 3> premuto{};   // Value of buttons 0..2
    bool didascalie = false;         // captions become "X" on the pressed one, "" on the others
    bool immaginiVuote = false;      // no option: pictures cleared, captions unchanged
};
StatoOpzioni Opzioni(uint8_t bits, uint8_t nessuna, uint8_t opzione1, uint8_t opzione2);
// Byte 15 with the group `maschera` cleared and option `indice` set (0 leaves it clear).
uint8_t ByteOpzione(uint8_t byte15, uint8_t maschera, int indice);

// Enabling by the high-rpm group (bits 7-6) and the low-rpm group (bits 5-4).
struct AbilitaAlte {
    bool combo = false;         // the six high-rpm combos
    bool contributo = false;    // cmbValoreContr
    std::optional<bool> tempoMortoBenz; // nullopt: left as it is
};
AbilitaAlte AbilitazioniAlte(uint8_t byte15);
struct AbilitaBasse {
    bool giri = false;          // cmbGiriMinimo, cmbGiriA
    bool rientro = false;       // CmbNumIniettateRientro, cmbsogliauscitapress
};
AbilitaBasse AbilitazioniBasse(uint8_t byte15);

// ---- Deferred hysteresis check ----
// The value to stage for block 15 value 76, or nullopt when nothing is to be
// written: t = byte 9 x 256; nothing while t >= the stored hysteresis;
// otherwise the largest list step not above t, never step 0.
std::optional<int32_t> IsteresiLimitata(uint8_t byte9, int32_t isteresi, const std::vector<int32_t>& voci);

// ---- Function lamps ----
struct Lampada {
    bool mostra = false;
    bool accesa = false;
};
// Lamp i from byte 15, block 1 values 37 and 44 and block 15 value 5; a value
// that is missing (nullopt) leaves that lamp as it is (nullopt).
std::array<std::optional<Lampada>, 4> Lampade(uint8_t byte15, std::optional<int32_t> flag37,
                                              std::optional<int32_t> tabSmag44, std::optional<int32_t> maxDuty5);

} // namespace GestioneRegole
