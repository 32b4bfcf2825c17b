#include "engine/ServiziInterfaccia.h"
#include "config/ModMainConfigurazioneEcu.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "config/FileConfigurazione.h"
#include "config/ModBlckNomeConfigurazione.h"
#include "config/ModMainSalvataggio.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ComandiPipe.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModBlckTrameSalvate.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"

namespace ModMain {

namespace {

namespace FCfg = FileConfigurazione;

constexpr int16_t VoceAssiMancanti = 360;

std::string CfgEcuTesta(size_t indirizzo, size_t quanti) {
    return {static_cast<char>(indirizzo & 0xFF), static_cast<char>(indirizzo >> 8), static_cast<char>(quanti)};
}

std::string CfgEcuTrama(uint8_t comando, const std::string& dati) {
    return ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, comando, dati);
}

// Block 15 as older firmware replies it: its first 94 data bytes, the ones
// the load changes in a factory file, are enough.
constexpr size_t DatiMinimiBlocco15 = 94;

// A section's frame is the reply its section holds. "[BLK_6]" may be shorter
// than the block's layout, down to DatiMinimiBlocco15 data bytes. The ECU save
// keeps in "[BLK_3]" the ECU's XOR over cylinder bytes it then set to flags,
// so a "[BLK_3]" in that form may carry a stale XOR; everything else must hold.
bool CfgEcuTramaAttesa(const std::string& sezione, const std::string& trama) {
    const auto attesa = FCfg::RispostaAttesa(sezione);
    if (!attesa) return false;
    if (ModBlck::TramaRispostaAttesa(trama, attesa->comando, attesa->dati)) return true;
    if (sezione == "[BLK_6]" && trama.size() >= DatiMinimiBlocco15 + 6 && trama.size() < attesa->dati + 6)
        return ModBlck::TramaRispostaAttesa(trama, attesa->comando, trama.size() - 6);
    if (sezione != "[BLK_3]" || trama.size() <= 27 || FCfg::NormalizzaBlocco3(trama) != trama) return false;
    std::string ricalcolata = trama;
    ricalcolata.back() = static_cast<char>(ModBlck::CalcolaXor(trama.substr(0, trama.size() - 1)));
    return ModBlck::TramaRispostaAttesa(ricalcolata, attesa->comando, attesa->dati);
}

// The four vector parts of a file's sections, each exactly its count of data
// bytes; with `intere` each also a whole reply frame of its section, as every
// frame that goes back to the ECU.
std::optional<std::array<std::string, 4>> CfgEcuVettori(const std::map<std::string, std::string>& s, bool intere) {
    const std::pair<const char*, size_t> parti[] = {
        {"[VET_RPM_0]", 64}, {"[VET_RPM_1]", 64}, {"[VET_TINJ_0]", 90}, {"[VET_TINJ_1]", 90}};
    std::array<std::string, 4> r;
    for (size_t i = 0; i < 4; ++i) {
        const auto v = s.find(parti[i].first);
        const auto t = v == s.end() ? std::nullopt : FCfg::TramaDaHex(v->second);
        if (!t || (intere && !CfgEcuTramaAttesa(parti[i].first, *t))) return std::nullopt;
        const auto d = FCfg::DatiTrama(*t);
        if (!d || d->size() != parti[i].second) return std::nullopt;
        r[i] = *d;
    }
    return r;
}

std::optional<std::map<std::string, std::string>> CfgEcuSezioni(const std::string& percorso,
                                                                 const std::vector<std::string>& nomi) {
    const auto testo = FCfg::LeggiFile(percorso);
    if (!testo) return std::nullopt;
    return FCfg::LeggiSezioni(FCfg::Righe(*testo), nomi);
}

bool CfgEcuLeggiBloccoModo2(size_t n) {
    if (n >= TabellaBlocchi.size()) return false;
    const int32_t modo = ModPipe::ModoLinea;
    if (ModBlck::ImpostaModoLinea(2) != 0) return false;
    if (ModBlck::LeggiBloccoEcu(n, TabellaBlocchi[n], true) != 0) return false;
    ModBlck::ImpostaModoLinea(static_cast<uint8_t>(modo));
    return true;
}

bool CfgEcuScriviTabella(const char* sezione, uint8_t comando, size_t blocco) {
    std::string riga;
    if (!LeggiRigheFile(ModBlck::CercaConfigurazionePredefinita(), sezione, riga) || riga.empty()) return false;
    const auto trama = FCfg::TramaDaHex(riga);
    if (!trama || !CfgEcuTramaAttesa(sezione, *trama)) return false;
    if (ModBlck::ScriviComandoEcu(comando, *FCfg::DatiTrama(*trama)) != 0) return false;
    return blocco < TabellaBlocchi.size() && ModBlck::LeggiBloccoEcu(blocco, TabellaBlocchi[blocco], true) == 0;
}

// One frame of the load.
struct CfgEcuInvio {
    std::string sezione;
    std::string trama;
};

bool CfgEcuInizia(const std::string& s, const char* radice) { return s.rfind(radice, 0) == 0; }

// The load of `richiesta` sends the section's frame: request 9 the parameter
// sections, 17 the threshold table, maps and vectors, 53 the five
// compensation tables, 18 all of them; the adaptive and third maps only in
// the extended configuration, "[OBD_ERR]" and "[BLK_DINST]" only to an ECU
// that holds their blocks.
bool CfgEcuInviata(const std::string& s, int32_t richiesta) {
    if ((CfgEcuInizia(s, "[ADAT_") || CfgEcuInizia(s, "[MAPE_")) && !ConfigEstesa) return false;
    if (s == "[OBD_ERR]" && !AbilitaNuovaObd) return false;
    if (s == "[BLK_DINST]" && FunzioneEstesaEcu == 0) return false;
    if (richiesta == REQ_LOAD_CONFIG_FILE) return true;
    const bool mappe = s == "[BLK_5]" || CfgEcuInizia(s, "[MAP") || CfgEcuInizia(s, "[ADAT_") || CfgEcuInizia(s, "[VET_");
    if (richiesta == REQ_LOAD_CONFIG_MAPS) return mappe;
    const bool compensazioni = CfgEcuInizia(s, "[COM_");
    if (richiesta == REQ_LOAD_CONFIG_COMP) return compensazioni;
    return richiesta == REQ_LOAD_CONFIG_PARAMS && !mappe;
}

// Sections that go out only together: the four vector parts and the five
// chunks of each map page. A file holding some of a group is damaged.
std::vector<std::vector<std::string>> CfgEcuGruppi() {
    std::vector<std::vector<std::string>> g = {{"[VET_RPM_0]", "[VET_RPM_1]", "[VET_TINJ_0]", "[VET_TINJ_1]"}};
    for (int p = 0; p < 3; ++p) g.push_back(FCfg::SezioniMappa(p));
    return g;
}

} // namespace

bool SalvaConfigurazioneDaEcu(const std::string& percorso) {
    FCfg::Trame t;
    bool ok = true;
    auto trama = [&](const std::string& sezione, const std::string& richiesta) {
        if (!ok) return;
        ok = ModBlck::InviaTramaEcu(richiesta) == 0 && ModBlck::RichiestaEseguita();
        if (ok) t[sezione] = ModPipe::DatiRispostaPipe;
    };
    auto comando = [&](const std::string& sezione, uint8_t c, const std::string& dati = {}) {
        trama(sezione, CfgEcuTrama(c, dati));
    };
    auto blocco = [&](const std::string& sezione, size_t n) {
        if (n >= TabellaBlocchi.size()) ok = false;
        else trama(sezione, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta));
    };
    auto memoria = [&](const std::string& sezione, size_t n) {
        if (n < TabellaBlocchi.size()) t[sezione] = TabellaBlocchi[n].UltimaRisposta;
    };

    const int32_t modo = ModPipe::ModoLinea;
    ok = ModBlck::ImpostaModoLinea(2) == 0;
    comando(FCfg::SezioneFw, CMD_READ_MEM1);
    blocco("[BLK_1]", 1);
    blocco("[BLK_2]", 2);
    blocco("[BLK_3]", 3);
    blocco("[COLL]", 5);
    const uint8_t letture[] = {CMD_READ_MAP, CMD_READ_ADAT, CMD_READ_MAPE};
    for (int p = 0; p < (ConfigEstesa ? 3 : 1); ++p) {
        const auto nomi = FCfg::SezioniMappa(p);
        for (size_t c = 0; c < 5; ++c) comando(nomi[c], letture[p], CfgEcuTesta(110 * c, FCfg::CellePezzo(c)));
    }
    comando("[BLK_5]", CMD_READ_SOGLIE);
    const std::pair<const char*, size_t> blocchi[] = {{"[RIT_COM]", 6},   {"[COM_TRIDX]", 7}, {"[COM_TGASX]", 8},
                                                      {"[COM_PGASX]", 9}, {"[COM_PBENX]", 17}, {"[COM_SMAG]", 13},
                                                      {"[EMULA_LAMBDA]", 11}, {"[OBD_DATA]", 12}, {"[OBD_DATA_DAT2]", 14}};
    for (const auto& [s, n] : blocchi) blocco(s, n);
    if (ok) {
        std::string b, g, r, i;
        ok = ModBlck::LeggiTabelleMappetta(b, g, r, i) == 0;
        if (ok) {
            ModBlck::DatiGrezzi1B = t["[TBenz]"] = b;
            ModBlck::DatiGrezzi1C = t["[TGas]"] = g;
            ModBlck::DatiGrezzi20 = t["[TRisult]"] = r;
            ModBlck::DatiGrezzi1F = t["[TIsto]"] = i;
        }
    }
    blocco("[ERROR_ECU]", 4);
    blocco("[FREEZE_FRAME]", 10);
    comando("[VET_RPM_0]", CMD_READ_VET_RPM, CfgEcuTesta(0, 64));
    comando("[VET_RPM_1]", CMD_READ_VET_RPM, CfgEcuTesta(64, 64));
    comando("[VET_TINJ_0]", CMD_READ_VET_TINJ, CfgEcuTesta(0, 90));
    comando("[VET_TINJ_1]", CMD_READ_VET_TINJ, CfgEcuTesta(90, 90));
    blocco("[BLK_6]", 15);
    blocco("[BLK_8]", 16);
    if (FunzioneEstesaEcu != 0) blocco("[BLK_DINST]", 18);
    else memoria("[BLK_DINST]", 18);
    if (AbilitaNuovaObd) {
        blocco("[OBD_ERR]", 19);
        blocco("[OBD_INFO_ERR]", 20);
    } else {
        memoria("[OBD_ERR]", 19);
        memoria("[OBD_INFO_ERR]", 20);
    }
    if (!ok || ModBlck::ImpostaModoLinea(static_cast<uint8_t>(modo)) != 0) return false;
    t["[BLK_3]"] = FCfg::NormalizzaBlocco3(t["[BLK_3]"]);
    return FCfg::ScriviFileSicuro(percorso, FCfg::ComponiFile(FCfg::RigaInfo(), NotaConfigurazione, t, ConfigEstesa));
}

bool CaricaConfigurazioneInEcu(const std::string& percorso) {
    const int32_t richiesta = RichiestaPendente;
    const bool fabbrica = percorso.size() >= 4 && percorso.substr(percorso.size() - 4) == EstensioneConfigurazione;
    std::vector<std::string> nomi = {"[BLK_2]", "[BLK_3]", "[BLK_6]", "[BLK_5]"};
    for (int p = 0; p < 3; ++p)
        for (const auto& s : FCfg::SezioniMappa(p)) nomi.push_back(s);
    for (const char* s : {"[RIT_COM]", "[COM_TGASX]", "[COM_TRIDX]", "[COM_PGASX]", "[COM_PBENX]", "[COM_SMAG]",
                          "[EMULA_LAMBDA]", "[OBD_ERR]", "[OBD_DATA]", "[OBD_DATA_DAT2]", "[BLK_8]", "[BLK_DINST]",
                          "[VET_RPM_0]", "[VET_RPM_1]", "[VET_TINJ_0]", "[VET_TINJ_1]"})
        nomi.push_back(s);

    // 1. The file, read and checked before the ECU hears anything: a file cut
    //    inside a section, a frame the request sends that is not the reply
    //    its section holds, or only some of a map's chunks or of the four
    //    vector parts that the request sends change nothing. Sections the
    //    request does not send are held to the sizes the steps below need.
    const auto testo = FCfg::LeggiFile(percorso);
    if (!testo || FCfg::TestoTroncato(*testo)) return false;
    std::map<std::string, std::string> trame, dati;
    for (const auto& [s, v] : FCfg::LeggiSezioni(FCfg::Righe(*testo), nomi)) {
        if (v.empty()) continue; // an empty value line is an absent section
        const auto t = FCfg::TramaDaHex(v);
        // Block 18's reply is kept in memory when the ECU lacks the block.
        const bool usata = CfgEcuInviata(s, richiesta) || (s == "[BLK_DINST]" && FunzioneEstesaEcu == 0);
        if (usata && (!t || !CfgEcuTramaAttesa(s, *t))) return false;
        trame[s] = t.value_or(std::string());
        dati[s] = t ? *FCfg::DatiTrama(*t) : std::string();
    }
    if (!dati.count("[BLK_3]")) return false;
    for (const auto& gruppo : CfgEcuGruppi()) {
        size_t presenti = 0;
        for (const auto& s : gruppo) presenti += dati.count(s);
        if (presenti != 0 && presenti != gruppo.size() && CfgEcuInviata(gruppo.front(), richiesta)) return false;
    }
    // What the factory changes and the OBD byte below reach, whatever the layout.
    if (fabbrica && (dati["[BLK_3]"].size() < 22 || !dati.count("[BLK_6]") || dati["[BLK_6]"].size() < DatiMinimiBlocco15))
        return false;
    if (dati.count("[OBD_DATA]") && dati["[OBD_DATA]"].size() < 25) return false;

    std::vector<CfgEcuInvio> invii;
    auto aggiungi = [&](const std::string& s, uint8_t comando, const std::string& d) {
        if (CfgEcuInviata(s, richiesta)) invii.push_back({s, CfgEcuTrama(comando, d)});
    };
    // Block 2 keeps the ECU's service counters.
    if (trame.count("[BLK_2]") && CfgEcuInviata("[BLK_2]", richiesta) && TabellaBlocchi.size() > 2) {
        BloccoParametri copia = TabellaBlocchi[2];
        ModBlck::DecodificaBlocco(trame["[BLK_2]"], copia);
        const auto& ecu = TabellaBlocchi[2].Valori;
        for (size_t k : {3u, 4u, 9u, 10u, 11u})
            if (k < ecu.size() && k < copia.Valori.size()) copia.Valori[k] = ecu[k] | (fabbrica && k == 9 ? 0x8000 : 0);
        std::string d;
        ModBlck::CodificaBlocco(d, copia);
        aggiungi("[BLK_2]", CMD_WRITE_BLK2, d);
    }
    std::string blocco3 = dati["[BLK_3]"];
    if (fabbrica) {
        // One flag per cylinder position: the first always, the others up to the file's count.
        blocco3[21] = 1;
        for (int k = 1; k <= 7; ++k) blocco3[static_cast<size_t>(21 - k)] = static_cast<uint8_t>(blocco3[1]) > k ? 1 : 0;
    }
    aggiungi("[BLK_3]", CMD_WRITE_BLK3, blocco3);
    if (dati.count("[BLK_6]")) {
        std::string b15 = dati["[BLK_6]"];
        if (fabbrica) {
            const auto& v5 = TabellaBlocchi.size() > 5 ? TabellaBlocchi[5].Valori : std::vector<int32_t>();
            const int32_t cilindri = v5.size() > 6 ? v5[6] : 0;
            for (int k = 0; k < 8; ++k) b15[static_cast<size_t>(20 + k)] = cilindri >= k + 1 ? 3 : 0;
            for (size_t i = 85; i <= 93; ++i) b15[i] = static_cast<char>(b15[i] | 0x80);
        }
        aggiungi("[BLK_6]", CMD_WRITE_BLK15, b15);
    }
    if (dati.count("[BLK_5]")) aggiungi("[BLK_5]", CMD_WRITE_SOGLIE, dati["[BLK_5]"]);
    const uint8_t scritture[] = {CMD_WRITE_MAP, CMD_WRITE_ADAT, CMD_WRITE_MAPE};
    for (int p = 0; p < 3; ++p) {
        const auto nm = FCfg::SezioniMappa(p);
        for (size_t c = 0; c < 5; ++c)
            if (dati.count(nm[c]))
                aggiungi(nm[c], scritture[p], CfgEcuTesta(110 * c, FCfg::CellePezzo(c)) + dati[nm[c]]);
    }
    const std::pair<const char*, uint8_t> tabelle[] = {
        {"[RIT_COM]", CMD_WRITE_BLK6},     {"[COM_TGASX]", CMD_WRITE_BLK8},       {"[COM_TRIDX]", CMD_WRITE_BLK7},
        {"[COM_PGASX]", CMD_WRITE_BLK9},   {"[COM_PBENX]", CMD_WRITE_BLK17},     {"[COM_SMAG]", CMD_WRITE_BLK13},
        {"[EMULA_LAMBDA]", CMD_WRITE_BLK11}, {"[OBD_ERR]", CMD_WRITE_BLK19}};
    for (const auto& [s, c] : tabelle)
        if (dati.count(s)) aggiungi(s, c, dati[s]);
    if (dati.count("[OBD_DATA]")) {
        std::string d = dati["[OBD_DATA]"];
        d[24] = 0;
        aggiungi("[OBD_DATA]", CMD_WRITE_BLK12, d);
    }
    if (dati.count("[OBD_DATA_DAT2]")) aggiungi("[OBD_DATA_DAT2]", CMD_WRITE_BLK14, dati["[OBD_DATA_DAT2]"]);
    if (dati.count("[BLK_8]")) aggiungi("[BLK_8]", CMD_WRITE_BLK16, dati["[BLK_8]"]);
    if (dati.count("[BLK_DINST]")) aggiungi("[BLK_DINST]", CMD_WRITE_BLK18, dati["[BLK_DINST]"]);
    const std::pair<const char*, std::pair<uint8_t, size_t>> vettori[] = {{"[VET_RPM_0]", {CMD_WRITE_VET_RPM, 0}},
                                                                          {"[VET_RPM_1]", {CMD_WRITE_VET_RPM, 64}},
                                                                          {"[VET_TINJ_0]", {CMD_WRITE_VET_TINJ, 0}},
                                                                          {"[VET_TINJ_1]", {CMD_WRITE_VET_TINJ, 90}}};
    for (const auto& [s, cv] : vettori)
        if (dati.count(s))
            aggiungi(s, cv.first, CfgEcuTesta(cv.second, cv.first == CMD_WRITE_VET_RPM ? 64 : 90) + dati[s]);

    // 2. The switchover; when it fails nothing else happens.
    const bool commutazione = TabellaBlocchi.size() > 2 && TabellaBlocchi[2].Valori.size() > 1 &&
                              TabellaBlocchi[2].Valori[1] != 0;
    if (commutazione && !ModBlck::EseguiCommutazione()) return false;

    // Name and note in memory, whatever the outcome of the transfers.
    if (trame.count("[BLK_DINST]")) {
        if (FunzioneEstesaEcu == 0 && TabellaBlocchi.size() > 18) TabellaBlocchi[18].UltimaRisposta = trame["[BLK_DINST]"];
    } else {
        ModBlck::ImpostaNomeConfigurazione(NomeConfigurazione, NotaConfigurazione);
    }

    const int32_t modo = ModPipe::ModoLinea;
    bool ok = ModBlck::ImpostaModoLinea(2) == 0;
    for (const auto& i : invii)
        if (ok) ok = ModBlck::ScriviTramaEcu(i.trama) == 0;
    if (richiesta == REQ_LOAD_CONFIG_FILE) {
        ok = ok && ModBlck::AzzeraTGas() == 0;
        if (fabbrica) ok = ok && ModBlck::AzzeraTBenz() == 0;
        ok = ok && ModBlck::AzzeraTIsto() == 0;
        ok = ok && ModBlck::AzzeraTRisult() == 0;
        ok = ok && ModBlck::InviaComandoEcu(CMD_CLEAR_ERRORS) == 0;
        if (ok) ModGlobFunct::AttendiMicrosecondi(250'000);
        ok = ok && TabellaBlocchi.size() > 4 && ModBlck::LeggiBloccoEcu(4, TabellaBlocchi[4], true) == 0;
    }
    ok = ok && ModBlck::ImpostaAttesaEcu(ModBlck::AttesaEcuMs(true)) == 0;
    ok = ok && ModBlck::ScriviComandoEcu(CMD_STORE_BLK5) == 0;
    ok = ok && ModBlck::ImpostaAttesaEcu(ModBlck::AttesaEcuMs(false)) == 0;
    ok = ok && ModBlck::ImpostaModoLinea(static_cast<uint8_t>(modo)) == 0;
    if (ok && commutazione) ModBlck::EseguiCommutazione();
    return ok;
}

bool ScriviComPGasX() { return CfgEcuScriviTabella("[COM_PGASX]", CMD_WRITE_BLK9, 9); }
bool ScriviComPBenX() { return CfgEcuScriviTabella("[COM_PBENX]", CMD_WRITE_BLK17, 17); }

void PreparaScritturaComPGasX(int32_t v) {
    if (TabellaBlocchi.size() <= 9) return;
    BloccoParametri copia = TabellaBlocchi[9];
    if (copia.Valori.empty()) return;
    copia.Valori.back() = v;
    std::string dati;
    ModBlck::CodificaBlocco(dati, copia);
    ModBlck::FrameComPGasX = CfgEcuTrama(CMD_WRITE_BLK9, dati);
}

bool LeggiBloccoBlk8() { return CfgEcuLeggiBloccoModo2(16); }
bool LeggiErroriEcu() { return CfgEcuLeggiBloccoModo2(4); }

bool CaricaVettoriRpmTinj(ModBlck::VettoreGiri& rpm, ModBlck::VettoreTempi& tinj, const std::string& percorso) {
    const auto s = CfgEcuSezioni(percorso, {"[VET_RPM_0]", "[VET_RPM_1]", "[VET_TINJ_0]", "[VET_TINJ_1]"});
    const auto parti = s ? CfgEcuVettori(*s, false) : std::nullopt;
    if (!parti) {
        MostraVoce(VoceAssiMancanti);
        return false;
    }
    const std::string r = (*parti)[0] + (*parti)[1], t = (*parti)[2] + (*parti)[3];
    std::copy(r.begin(), r.end(), rpm.begin());
    std::copy(t.begin(), t.end(), tinj.begin());
    return true;
}

bool ScriviVettoriRpmTinj(const std::string& percorso) {
    if (!ModGlobFunct::EsisteFile(percorso)) return false;
    const auto s = CfgEcuSezioni(percorso, {"[VET_RPM_0]", "[VET_RPM_1]", "[VET_TINJ_0]", "[VET_TINJ_1]"});
    const auto parti = s ? CfgEcuVettori(*s, true) : std::nullopt;
    if (!parti) return false;
    bool scritto = ModBlck::ScriviComandoEcu(CMD_WRITE_VET_RPM, CfgEcuTesta(0, 64) + (*parti)[0]) == 0;
    scritto = scritto && ModBlck::ScriviComandoEcu(CMD_WRITE_VET_RPM, CfgEcuTesta(64, 64) + (*parti)[1]) == 0;
    scritto = scritto && ModBlck::ScriviComandoEcu(CMD_WRITE_VET_TINJ, CfgEcuTesta(0, 90) + (*parti)[2]) == 0;
    scritto = scritto && ModBlck::ScriviComandoEcu(CMD_WRITE_VET_TINJ, CfgEcuTesta(90, 90) + (*parti)[3]) == 0;
    // Memory follows the ECU whatever the writes gave.
    const bool letto = ModBlck::LeggiScriviVettori(ModBlck::VettoreRpm, ModBlck::VettoreTinj, 0) == 0;
    MDIFrm::Interfaccia().CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, AsseRpmLavoro, AsseTinjLavoro, true);
    return scritto && letto;
}

} // namespace ModMain
