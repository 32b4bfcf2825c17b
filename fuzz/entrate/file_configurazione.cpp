// The configuration file readers: the section scan with its note rule, and
// the offline load into memory (both requests) with the input as the file.
#include "Entrate.h"
#include "config/FileConfigurazione.h"
#include "config/MDIFrmCaricamentoMemoria.h"
#include "core/ModBlckBlocchi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"

namespace {

// 21 blocks of mixed codes reaching past the frames' ends.
std::vector<BloccoParametri> TabellaFileProva() {
    std::vector<BloccoParametri> t(21);
    const char* codici[] = {"UB", "SB", "UW", "SW", "SL"};
    for (size_t b = 0; b < t.size(); ++b) {
        t[b].Tipo = static_cast<int32_t>(b == 1 || b == 12 ? 0 : b);
        for (int k = 0; k < 40; ++k) {
            t[b].CodiciTipo.push_back(codici[(k + b) % 5]);
            t[b].Offset.push_back(6 + 3 * k);
            t[b].Scale.push_back(k % 4);
            t[b].Valori.push_back(0);
        }
    }
    return t;
}

int EntrataFileConfigurazione(const uint8_t* dati, size_t lunghezza) {
    static const std::vector<BloccoParametri> prova = TabellaFileProva();
    const std::string testo(reinterpret_cast<const char*>(dati), lunghezza);
    const auto righe = FileConfigurazione::Righe(testo);
    FileConfigurazione::LeggiSezioni(righe, FileConfigurazione::Sezioni(true));

    const auto tabella = TabellaBlocchi;
    const auto p0 = ModMain::MappaPagina0, p1 = ModMain::MappaPagina1, p2 = ModMain::MappaPagina2;
    const auto u0 = ModMain::UndoPagina0, u1 = ModMain::UndoPagina1, u2 = ModMain::UndoPagina2;
    const auto soglie = ModMain::MatSoglie;
    const auto rpm = ModBlck::VettoreRpm;
    const auto tinj = ModBlck::VettoreTinj;
    const auto tempo = ModBlck::TempoBlocco;
    TabellaBlocchi = prova;
    const std::string percorso = Fuzz::ScriviIngresso("configurazione.qdl", dati, lunghezza);
    MDIFrm::CaricaConfigurazioneInMemoria(18, percorso);
    MDIFrm::CaricaConfigurazioneInMemoria(53, percorso);
    TabellaBlocchi = tabella;
    ModMain::MappaPagina0 = p0;
    ModMain::MappaPagina1 = p1;
    ModMain::MappaPagina2 = p2;
    ModMain::UndoPagina0 = u0;
    ModMain::UndoPagina1 = u1;
    ModMain::UndoPagina2 = u2;
    ModMain::MatSoglie = soglie;
    ModBlck::VettoreRpm = rpm;
    ModBlck::VettoreTinj = tinj;
    ModBlck::TempoBlocco = tempo;
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(file_configurazione, EntrataFileConfigurazione);
