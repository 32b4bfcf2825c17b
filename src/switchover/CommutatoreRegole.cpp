#include "switchover/CommutatoreRegole.h"

namespace CommutatoreRegole {

namespace {

struct LedSwitch {
    int32_t veloce, lento, colore;
    bool conMotore;
};
constexpr LedSwitch Leds[NumeroLed] = {
    {0x0100, 0x0200, Verde, false}, {0x0040, 0x0080, Verde, false}, {0x0010, 0x0020, Verde, false},
    {0x0004, 0x0008, Verde, false}, {0x0001, 0x0002, Rosso, false}, {0x1000, 0x2000, Rosso, true},
    {0x0400, 0x0800, Arancio, true},
};

} // namespace

int32_t ColoreLed(int led, std::optional<int32_t> statoLed, std::optional<int32_t> flag, uint8_t fase) {
    if (led < 0 || led >= NumeroLed || !statoLed) return Nero;
    const LedSwitch& l = Leds[led];
    const bool veloce = (*statoLed & l.veloce) != 0, lento = (*statoLed & l.lento) != 0;
    if ((!veloce && !lento) || (l.conMotore && (!flag || !(*flag & 1)))) return Nero;
    if (veloce && lento) return l.colore;
    if (lento) return (fase & 2) ? l.colore : Nero;
    return (fase & 1) ? l.colore : Nero;
}

void FaseLampeggio::Avanza(double adesso) {
    if (!(adesso > prossimoCambio)) return;
    prossimoCambio = adesso + periodo;
    fase = static_cast<uint8_t>(fase >= 3 ? 0 : fase + 1);
}

Pressione Premi(bool slotLibero, int16_t maiuscole, std::optional<int32_t> flag) {
    Pressione p;
    if (!slotLibero) return p;
    if (maiuscole & 1) {
        p.scriveBlocco15 = true;
        p.richiesta = 54;
        return p;
    }
    p.aspettoPremuto = true;
    if (flag && (*flag & 1)) p.richiesta = 12;
    return p;
}

} // namespace CommutatoreRegole
