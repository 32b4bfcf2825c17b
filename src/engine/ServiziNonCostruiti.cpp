#include "engine/ServiziNonCostruiti.h"

#include <algorithm>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "engine/MDIFrmScritture.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckMappe.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"

namespace {

// Reads block n under link mode 2 and restores the mode it found.
bool LeggiBloccoModo2(size_t n) {
    if (n >= TabellaBlocchi.size()) return false;
    const int32_t modo = ModPipe::ModoLinea;
    std::string risposta;
    bool ok = ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x02'), ModBlck::AttesaPipe, risposta) == 0;
    if (ok) {
        ok = ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta),
                                       ModBlck::AttesaPipe, risposta) == 0 &&
             !ModPipe::DatiRispostaPipe.empty();
        if (ok) {
            TabellaBlocchi[n].UltimaRisposta = ModPipe::DatiRispostaPipe;
            ModBlck::DecodificaBlocco(TabellaBlocchi[n].UltimaRisposta, TabellaBlocchi[n]);
        }
    }
    ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, static_cast<char>(modo)), ModBlck::AttesaPipe, risposta);
    return ok;
}

} // namespace

namespace ModMain {

bool SalvaConfigurazioneDaEcu(const std::string&) { return false; }
bool CaricaConfigurazioneInEcu(const std::string&) { return false; }
bool ScriviComPGasX() { return false; }
bool ScriviComPBenX() { return false; }

void PreparaScritturaComPGasX(int32_t v) {
    if (TabellaBlocchi.size() <= 9) return;
    BloccoParametri copia = TabellaBlocchi[9];
    if (copia.Valori.empty()) return;
    copia.Valori.back() = v;
    std::string dati;
    ModBlck::CodificaBlocco(dati, copia);
    ModBlck::FrameComPGasX = ModBlck::CostruisciTrama(ModBlck::InizioTrama, ModBlck::DirezioneTrama, CMD_WRITE_BLK9, dati);
}

bool LeggiBloccoBlk8() { return LeggiBloccoModo2(16); }
bool LeggiErroriEcu() { return LeggiBloccoModo2(4); }

bool CaricaVettoriRpmTinj(std::array<uint8_t, 128>&, std::array<uint8_t, 180>&, const std::string&) { return false; }

void LeggiNomeConfigurazione(std::string& nome, std::string& nota) {
    auto testo = [](size_t da, size_t a, const std::vector<int32_t>& ammessi) {
        std::string t;
        const auto& valori = TabellaBlocchi.size() > 18 ? TabellaBlocchi[18].Valori : std::vector<int32_t>{};
        for (size_t k = da; k <= a && k < valori.size(); ++k) {
            const int32_t v = valori[k];
            const bool ammesso = std::find(ammessi.begin(), ammessi.end(), v) != ammessi.end() && v >= 0 && v <= 255;
            t += static_cast<char>(ammesso ? v : ModBlck::CarattereDefault);
        }
        return Conv::Trim(t);
    };
    nome = testo(0, 39, ModBlck::CaratteriEcu);
    nota = testo(40, 119, ModBlck::CaratteriAscii);
}

} // namespace ModMain

namespace MDIFrm {

bool CaricaConfigurazioneInMemoria(int32_t, const std::string&) { return false; }

} // namespace MDIFrm

namespace ModBlck {
} // namespace ModBlck

namespace ModMain {

std::string LeggiCampoTestoFw(const std::string& testo, bool ridotto) {
    std::string t = testo;
    if (ridotto) {
        if (t.size() < 11) return {};
        t = t.substr(10, t.size() - 11);
    }
    // Words as a split at every single blank gives them: two blanks make an empty word.
    size_t inizio = 0;
    for (int parola = 0; parola < 2; ++parola) {
        const size_t p = t.find(' ', inizio);
        if (p == std::string::npos) return {};
        inizio = p + 1;
    }
    const size_t fine = t.find(' ', inizio);
    return t.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio);
}

std::string FormattaVersioneFirmware(const std::string& testo) {
    if (testo.size() <= 11) return "00.00 - 00/00/0000";
    const std::string h = ModGlobFunct::ConvertiTestoInHex(testo.substr(0, 6));
    return h.substr(0, 2) + "." + h.substr(2, 2) + " - " + h.substr(4, 2) + "/" + h.substr(6, 2) + "/" + h.substr(8, 4);
}

} // namespace ModMain
