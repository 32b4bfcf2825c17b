#include "config/MDIFrmCaricamentoMemoria.h"

#include "config/FileConfigurazione.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModRetta.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"

namespace MDIFrm {

namespace {

struct CaricaSezioneBlocco {
    const char* sezione;
    size_t blocco;
    bool sempre; // also with request 53
};

constexpr CaricaSezioneBlocco CaricaBlocchi[] = {
    {"[FW]", 0, false},           {"[COLL]", 5, false},       {"[BLK_1]", 1, false},       {"[BLK_2]", 2, false},
    {"[BLK_3]", 3, false},        {"[BLK_6]", 15, false},     {"[BLK_8]", 16, false},      {"[BLK_DINST]", 18, false},
    {"[OBD_ERR]", 19, false},     {"[OBD_INFO_ERR]", 20, false}, {"[RIT_COM]", 6, false},  {"[COM_TGASX]", 8, true},
    {"[COM_TRIDX]", 7, true},     {"[COM_PGASX]", 9, true},   {"[COM_PBENX]", 17, true},   {"[COM_SMAG]", 13, true},
    {"[EMULA_LAMBDA]", 11, false}, {"[OBD_DATA]", 12, true},  {"[OBD_DATA_DAT2]", 14, true}, {"[ERROR_ECU]", 4, false},
    {"[FREEZE_FRAME]", 10, false},
};

using CaricaSezioni = std::map<std::string, std::string>;

std::optional<std::string> CaricaTrama(const CaricaSezioni& s, const std::string& nome) {
    const auto i = s.find(nome);
    if (i == s.end()) return std::nullopt;
    return FileConfigurazione::TramaDaHex(i->second);
}

// The page from its five chunks; nothing unless every chunk holds its cells.
std::optional<PaginaMappa> CaricaPagina(const CaricaSezioni& s, int p) {
    const auto nomi = FileConfigurazione::SezioniMappa(p);
    std::string immagine;
    for (size_t c = 0; c < nomi.size(); ++c) {
        const auto t = CaricaTrama(s, nomi[c]);
        const size_t n = FileConfigurazione::CellePezzo(c);
        if (!t || t->size() < 5 + n) return std::nullopt;
        immagine += t->substr(5, n);
    }
    PaginaMappa pagina{};
    for (int n = 0; n < CellePaginaMappa; ++n) CellaMappa(pagina, n) = static_cast<uint8_t>(immagine[static_cast<size_t>(n)]);
    return pagina;
}

// Both halves of a vector, each exactly its size of data bytes.
template <size_t N>
bool CaricaVettore(const CaricaSezioni& s, const char* prima, const char* seconda, std::array<uint8_t, N>& v) {
    std::string dati;
    for (const char* nome : {prima, seconda}) {
        const auto t = CaricaTrama(s, nome);
        const auto d = t ? FileConfigurazione::DatiTrama(*t) : std::nullopt;
        if (!d || d->size() != N / 2) return false;
        dati += *d;
    }
    std::copy(dati.begin(), dati.end(), v.begin());
    return true;
}

} // namespace

void CaricaConfigurazioneInMemoria(int32_t codice, const std::string& percorso) {
    const auto testo = FileConfigurazione::LeggiFile(percorso);
    if (!testo) return;
    const bool tutto = codice == REQ_LOAD_CONFIG_FILE;
    std::vector<std::string> nomi = FileConfigurazione::Sezioni(true);
    const CaricaSezioni sezioni = FileConfigurazione::LeggiSezioni(FileConfigurazione::Righe(*testo), nomi);

    for (const auto& b : CaricaBlocchi) {
        if (!(b.sempre || tutto) || b.blocco >= TabellaBlocchi.size()) continue;
        const auto trama = CaricaTrama(sezioni, b.sezione);
        if (!trama) continue;
        BloccoParametri& blocco = TabellaBlocchi[b.blocco];
        // Taken whole from the file: no value of the block before survives.
        std::fill(blocco.Valori.begin(), blocco.Valori.end(), 0);
        // "[FW]" keeps the firmware record alone as block 0's reply.
        blocco.UltimaRisposta = b.blocco == 0 ? trama->substr(5, trama->size() - 6) : *trama;
        ModBlck::DecodificaBlocco(*trama, blocco);
        if (b.blocco == 3)
            ModBlck::TempoBlocco = ModBlck::CalcolaFattoreGiriTempo(blocco.Valori.size() > 1 ? blocco.Valori[1] : 0,
                                                                    blocco.Valori.empty() ? 0 : blocco.Valori[0]);
    }

    // A page replaced from a file is what the ECU would hold: its undo copy follows.
    PaginaMappa* pagine[] = {&ModMain::MappaPagina0, &ModMain::MappaPagina1, &ModMain::MappaPagina2};
    PaginaMappa* annulla[] = {&ModMain::UndoPagina0, &ModMain::UndoPagina1, &ModMain::UndoPagina2};
    for (int p = tutto ? 0 : 1; p < 3; ++p)
        if (const auto pagina = CaricaPagina(sezioni, p)) *pagine[p] = *annulla[p] = *pagina;

    auto& ui = Interfaccia();
    if (tutto) {
        if (const auto t = CaricaTrama(sezioni, "[BLK_5]"); t && t->size() >= 5 + ModMain::MatSoglie.size())
            std::copy_n(t->begin() + 5, ModMain::MatSoglie.size(), ModMain::MatSoglie.begin());
        const std::pair<const char*, std::string*> tabelle[] = {{"[TRisult]", &ModBlck::DatiGrezzi20},
                                                                {"[TGas]", &ModBlck::DatiGrezzi1C},
                                                                {"[TBenz]", &ModBlck::DatiGrezzi1B},
                                                                {"[TIsto]", &ModBlck::DatiGrezzi1F}};
        for (const auto& [nome, dati] : tabelle)
            if (const auto t = CaricaTrama(sezioni, nome)) *dati = *t;
        CaricaVettore(sezioni, "[VET_RPM_0]", "[VET_RPM_1]", ModBlck::VettoreRpm);
        CaricaVettore(sezioni, "[VET_TINJ_0]", "[VET_TINJ_1]", ModBlck::VettoreTinj);
        // A refusal shows its own message; the load goes on with the old axes.
        MDIFrm::Interfaccia().CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                    ModMain::AsseTinjLavoro, true);
        if (ModMain::PaginaCorrente == SCHEDA_MAPPA) ui.FrmMatrix_CaricaAssiInMatrice(0);
    } else {
        switch (ModMain::PaginaCorrente) {
        case SCHEDA_CARBURAZIONE: ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(0); break;
        case SCHEDA_MAPPA_1: ui.FrmMatrix_CaricaAssiInMatrice(1); break;
        case SCHEDA_CARBURAZIONE_1: ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(1); break;
        case SCHEDA_MAPPA_2: ui.FrmMatrix_CaricaAssiInMatrice(2); break;
        case SCHEDA_CARBURAZIONE_2:
            ui.FRM_ZEBCarburazione_CaricaAssiInMatrice(2);
            ModRetta::EstraiCurvaDaMappa(ModMain::MappaPagina0, ModRetta::CurvaCorrezione);
            break;
        default: break;
        }
    }
    ui.FrmError_VisualizzaErrori();
    ui.FrmError_AggiornaVisualizzazioni(true);
    ui.FrmInjSetPopUp_AggiornaSelezioni(true);
    ui.FrmSeqInj_AggiornaSelezioni(true);
}

} // namespace MDIFrm
