// Program entry. Until the main window exists the program loads its base
// folder (the parent of its own folder) and prints what it loaded.
#include <QtWidgets/QApplication>
#include <cstdio>

#include "core/ClsLingue.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "platform/Processi.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string base = ModGlobFunct::CalcolaCartellaBase(Piattaforma::CartellaProgramma());
    ModMain::ImpostaPercorsi(base);
    std::printf("Base folder: %s\n", base.c_str());

    ModMain::CaricaFileImpostazioni(ModMain::PercorsoConfigScale, ModMain::RigheConfigScale);
    std::printf("ConfigScale.ini: %zu lines\n", ModMain::RigheConfigScale.size());
    const bool coe = ModMain::CaricaFileCoefficienti(base + "/lng/", ModMain::CoefficientiTaratura);
    std::printf("Coefficient files: %zu\n", coe ? ModMain::CoefficientiTaratura.size() : size_t{0});

    ClsLingue dizionario;
    dizionario.PathDizionario(base + "/lng/diz.diz");
    dizionario.PathAttualeLingua(base + "/lng/diz.con");
    dizionario.LoadDizionario();
    std::printf("Dictionary: %d languages, %d entries, current language %d\n", dizionario.UboundLingue() + 1,
                dizionario.UboundVoci() + 1, dizionario.IdLingua());

    ModBlck::LeggiSetCom(ModMain::PercorsoSetCom);
    std::printf("SetCom.ini: %zu blocks, pipe wait %d us, ECU wait %d us x %d\n", TabellaBlocchi.size(),
                ModBlck::AttesaPipe, ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa);
    const bool xsi = ModMain::ElencaConfigurazioniPredefinite(ModMain::ConfigurazioniPredefinite);
    std::printf("Built-in configurations: %zu\n", xsi ? ModMain::ConfigurazioniPredefinite.size() : size_t{0});

    ModBlck::LeggiTipo_Inj_SensLevel_Lambda(ModMain::RigheConfigScale);
    ModMain::CaricaCostantiSensori(ModMain::RigheConfigScale);
    ModMain::CaricaTabellaQdl(ModMain::RigheConfigScale);
    std::printf("Injectors %zu, level sensors %zu, lambda probes %zu, temperature sensors %zu\n",
                ModBlck::TipiIniettori.size(), ModBlck::SensoriLivello.size(), ModBlck::SondeLambda.size(),
                ModBlck::SensoriTemperatura.size());
    return 0;
}
