// The dictionary loader on any file content, then lookups across its bounds.
#include "Entrate.h"

#include <algorithm>

#include "core/ClsLingue.h"
#include "platform/Dialoghi.h"

namespace {

int Dizionario(const uint8_t* dati, size_t lunghezza) {
    if (!Piattaforma::Copione::Attivo()) Piattaforma::Copione::Attiva(true);
    Piattaforma::Copione::Azzera();
    const std::string p = Fuzz::ScriviIngresso("lng/diz.diz", dati, lunghezza);
    // The current-language file takes the first bytes too, so odd contents reach it.
    const size_t c = lunghezza < 8 ? lunghezza : 8;
    Fuzz::ScriviIngresso("lng/diz.con", dati, c);
    ClsLingue d;
    d.PathDizionario(p);
    d.PathAttualeLingua(Fuzz::CartellaLavoro() + "/lng/diz.con");
    d.LoadDizionario();
    const int16_t lingua = d.IdLingua();
    // A language above the last loaded one is reset to 0 by the load.
    if (lingua > std::max<int16_t>(0, d.UboundLingue())) __builtin_trap();
    for (int16_t l = -1; l <= d.UboundLingue() + 1 && l < 4; ++l) {
        (void)d.NomeLingua(l);
        (void)d.CharsetLingua(l);
        const int16_t ultima = d.UboundVociLingua(l);
        for (int16_t v : {int16_t(-1), int16_t(0), ultima, int16_t(ultima + 1), int16_t(32767)})
            (void)d.VoceDizionario(l, v);
    }
    // The section search every form makes.
    for (int16_t k = 0; k <= d.UboundVoci(); ++k)
        if (d.VoceDizionario(0, k) == "[Frm_Logger]") break;
    d.VoceDizionario(lingua, 0, "Mondaro VX9 Redadi");
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(dizionario, Dizionario);
