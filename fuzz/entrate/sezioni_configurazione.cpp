// Sectioned configuration files: one line after a section, one block value,
// and the list of built-in configurations, with the input as the only .xsi.
#include <filesystem>

#include "Entrate.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"

namespace {

// A block table whose block 15 reaches value 47 in mixed codes and whose
// block 5 has the type-5 rule.
std::vector<BloccoParametri> TabellaProva() {
    std::vector<BloccoParametri> t(16);
    const char* codici[] = {"UB", "SB", "UW", "SW", "SL"};
    for (int b : {5, 15}) {
        t[b].Tipo = b;
        for (int k = 0; k < 48; ++k) {
            t[b].CodiciTipo.push_back(codici[k % 5]);
            t[b].Offset.push_back(6 + 2 * k);
            t[b].Scale.push_back(k % 3 + 1);
            t[b].Valori.push_back(0);
        }
    }
    return t;
}

int EntrataSezioni(const uint8_t* dati, size_t lunghezza) {
    static const std::string cartella = [] {
        const std::string c = Fuzz::CartellaLavoro() + "/xsi";
        std::filesystem::create_directories(c + "/lng");
        return c;
    }();
    static const std::vector<BloccoParametri> prova = TabellaProva();
    const auto tabella = TabellaBlocchi;
    const std::string base = ModMain::PercorsoBase;
    TabellaBlocchi = prova;
    ModMain::PercorsoBase = cartella;

    const std::string percorso = Fuzz::ScriviIngresso("xsi/lng/Ingresso.xsi", dati, lunghezza);
    std::string riga;
    ModMain::LeggiRigheFile(percorso, "[BLK_DINST]", riga);
    ModMain::LeggiRigheFile(percorso, "[OBD_ERR]", riga);
    int32_t v = 0;
    ModMain::LeggiBloccoDaFile(15, percorso, "[BLK_6]", 47, v);
    ModMain::LeggiBloccoDaFile(5, percorso, "[BLK_5]", 6, v);
    ModMain::LeggiBloccoDaFile(15, percorso, "[BLK_6]", 87, v);
    std::vector<ConfigurazionePredefinita> elenco;
    ModMain::ElencaConfigurazioniPredefinite(elenco);

    TabellaBlocchi = tabella;
    ModMain::PercorsoBase = base;
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(sezioni_configurazione, EntrataSezioni);
