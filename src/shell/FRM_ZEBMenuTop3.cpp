#include "shell/FRM_ZEBMenuTop3.h"

#include "controls/PulsanteGrafico.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "shell/CasaControlli.h"
#include "shell/CasaConversioni.h"

FRM_ZEBMenuTop3::FRM_ZEBMenuTop3(QWidget* contenitore)
    : BarraMenuTop(contenitore, QStringLiteral("FRM_ZEBMenuTop3"), {{0, 60}, {1, 3000}, {2, 5940}, {3, 8940}}, 60, 2415,
                   615, 8.25, -1) {
    const double lampade[] = {2520, 5460, 8400, 11460};
    for (int k = 0; k < 4; ++k) {
        auto* s = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Cerchio, 3, true);
        ModMain::ImpostaMembro(s, QStringLiteral("Shp_Semaforo_Top3"), k);
        s->ColoreBordo(0x80);
        s->ColoreRiempimento(0xFF);
        Casa::Colloca(s, lampade[k], 180, 375, 375);
        Shp_Semaforo_Top3.push_back(s);
    }
    const double separatori[] = {2940, 5880, 8880};
    for (int k = 0; k < 3; ++k) {
        auto* s = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Rettangolo, 2, false);
        ModMain::ImpostaMembro(s, QStringLiteral("SHP"), k);
        s->ColoreBordo(static_cast<int32_t>(0x80000005U));
        Casa::Colloca(s, separatori[k], 0, 15, 795);
        SHP.push_back(s);
    }
}

void FRM_ZEBMenuTop3::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    const auto h = Casa::CercaSezione(d, d ? d->IdLingua() : int16_t(-1), "[Start_InjDirTune]");
    const int voci[] = {2, 1, 3, 38};
    for (int k = 0; k < 4; ++k)
        BUT_Menu[static_cast<size_t>(k)]->Caption(ModMain::TestoLingua(Casa::VoceSezione(d, h, voci[k])));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
    AdattaCaratteri();
}

std::optional<int32_t> FRM_ZEBMenuTop3::SchedaBottone(int indice) const { return Casa::SchedaMenuTop3(indice); }

void FRM_ZEBMenuTop3::DopoLampeggio() {
    // Block 16 needs its progress value; without it the lamps stay as they are.
    if (TabellaBlocchi.size() <= 16 || TabellaBlocchi[16].Valori.size() <= 26) return;
    const auto stati = Casa::StatiSemaforiWizard(TabellaBlocchi[16].Valori[26]);
    for (const int k : {1, 0, 2, 3})
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_Top3[static_cast<size_t>(k)], stati[static_cast<size_t>(k)]);
}
