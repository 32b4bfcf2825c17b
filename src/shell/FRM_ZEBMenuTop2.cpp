#include "shell/FRM_ZEBMenuTop2.h"

#include "controls/PulsanteGrafico.h"
#include "core/ModMainDizionario.h"
#include "shell/CasaConversioni.h"

FRM_ZEBMenuTop2::FRM_ZEBMenuTop2(QWidget* contenitore)
    : BarraMenuTop(contenitore, QStringLiteral("FRM_ZEBMenuTop2"), {{0, 3795}, {1, 6465}}, 98, 1755, 555, 9, 0) {}

void FRM_ZEBMenuTop2::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    const auto h = Casa::CercaSezione(d, d ? d->IdLingua() : int16_t(-1), "[Start_ZEB_FRM_MENU]");
    BUT_Menu[0]->Caption(ModMain::TestoLingua(Casa::VoceSezione(d, h, 2)));
    BUT_Menu[1]->Caption(ModMain::TestoLingua(Casa::VoceSezione(d, h, 9)));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
    AdattaCaratteri();
}

std::optional<int32_t> FRM_ZEBMenuTop2::SchedaBottone(int indice) const { return Casa::SchedaMenuTop2(indice); }
