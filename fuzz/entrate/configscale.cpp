// ConfigScale.ini: the lines loader, the smoothing constants and the
// definition parser on any file content. The parser's error boxes are recorded
// in scripted mode and cleared for each input.
#include "Entrate.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "platform/Dialoghi.h"

namespace {

int EntrataConfigScale(const uint8_t* dati, size_t lunghezza) {
    Piattaforma::Copione::Attiva(true);
    const std::string base = ModMain::PercorsoBase, predefinito = ModMain::PercorsoConfigDefault;
    ModMain::PercorsoBase = Fuzz::CartellaLavoro();
    std::vector<std::string> righe;
    ModMain::CaricaFileImpostazioni(Fuzz::ScriviIngresso("lng/ConfigScale.ini", dati, lunghezza), righe);
    ModMain::CaricaCostantiSensori(righe);
    ModMain::CaricaTabellaQdl(righe);
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(righe);
    ModBlck::CercaIndiceSensore(1);
    ModBlck::CercaIndiceLambda(1);
    ModMain::PercorsoBase = base;
    ModMain::PercorsoConfigDefault = predefinito;
    Piattaforma::Copione::Azzera();
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(configscale, EntrataConfigScale);
