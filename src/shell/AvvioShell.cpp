#include "shell/AvvioShell.h"

#include "core/ClsLingue.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModPipe.h"

namespace AvvioShell {

namespace {

std::unique_ptr<ClsLingue> dizionario;

} // namespace

Esito Avvia(const std::string& base, const std::string& cartellaProgramma) {
    Esito esito;
    ModMain::ImpostaPercorsi(base);
    ModMain::CaricaFileImpostazioni(ModMain::PercorsoConfigScale, ModMain::RigheConfigScale);
    ModMain::CaricaFileCoefficienti(base + "/lng/", ModMain::CoefficientiTaratura);
    if (!ModPipe::AvviaProcessoCom(cartellaProgramma)) return esito;

    if (!dizionario) dizionario = std::make_unique<ClsLingue>();
    dizionario->PathDizionario(base + "/lng/diz.diz");
    dizionario->PathAttualeLingua(base + "/lng/diz.con");
    dizionario->LoadDizionario();
    esito.linguaTrovata = dizionario->IdLingua();
    // No language chosen yet: the first one.
    if (esito.linguaTrovata < 0) dizionario->IdLingua(0);
    ModMain::Dizionario = dizionario.get();

    ModBlck::LeggiSetCom(ModMain::PercorsoSetCom);
    ModBlck::InstallaPassiTipo();
    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(ModMain::RigheConfigScale);
    ModMain::CaricaCostantiSensori(ModMain::RigheConfigScale);
    ModMain::CaricaTabellaQdl(ModMain::RigheConfigScale);

    esito.finestra = std::make_unique<MDIFrm::MDIForm>();
    esito.finestra->MDIForm_Load();
    return esito;
}

} // namespace AvvioShell
