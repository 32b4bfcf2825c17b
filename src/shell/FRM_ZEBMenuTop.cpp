#include "shell/FRM_ZEBMenuTop.h"

#include "controls/PulsanteGrafico.h"
#include "core/ModMainDizionario.h"
#include "link/ModMappeDati.h"
#include "shell/CasaConversioni.h"

FRM_ZEBMenuTop::FRM_ZEBMenuTop(QWidget* contenitore)
    : BarraMenuTop(contenitore, QStringLiteral("FRM_ZEBMenuTop"),
                   {{0, 180}, {1, 1643}, {2, 3106}, {3, 4569}, {7, 6032}, {5, 7495}, {4, 8958}, {6, 10425}}, 105, 1395,
                   555, 8.25, 0) {
    // The direct-injection page belongs to the second display level.
    ModMain::ImpostaTag(BUT_Menu[6], QStringLiteral("SUP"));
}

void FRM_ZEBMenuTop::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    const int16_t lingua = d ? d->IdLingua() : int16_t(-1);
    const auto h = Casa::CercaSezione(d, lingua, "[Start_ZEB_FRM_MTOP]");
    // Without the section the eight positions lie below 0, where every entry is empty.
    PosLingua = h ? *h + 1 : -8;
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

std::optional<int32_t> FRM_ZEBMenuTop::SchedaBottone(int indice) const {
    return Casa::SchedaMenuTop(indice, ModMain::MatSoglie[15]);
}
