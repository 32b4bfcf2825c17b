#include "link/ModBlckVettori.h"

#include "link/ModBlckTrame.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModPipe.h"

namespace ModBlck {
namespace {

constexpr int32_t RispostaIncompleta = 3;

std::string TestaMeta(size_t offset, size_t quanti) {
    std::string d;
    d += static_cast<char>(offset & 0xFF);
    d += static_cast<char>((offset >> 8) & 0xFF);
    d += static_cast<char>(quanti);
    return d;
}

// Both halves of a vector; false at the first frame that fails.
template <size_t N>
bool ScriviVettore(uint8_t comando, const std::array<uint8_t, N>& v) {
    const std::string byte(v.begin(), v.end());
    constexpr size_t meta = N / 2;
    for (size_t offset : {size_t{0}, meta})
        if (ScriviComandoEcu(comando, TestaMeta(offset, meta) + byte.substr(offset, meta)) != 0) return false;
    return true;
}

enum class EsitoLettura { Letta, Fallita, Rifiutata };

template <size_t N>
EsitoLettura LeggiVettore(uint8_t comando, std::string& letti) {
    constexpr size_t meta = N / 2;
    for (size_t offset : {size_t{0}, meta}) {
        if (InviaComandoEcu(comando, TestaMeta(offset, meta)) != 0) return EsitoLettura::Fallita;
        std::string dati;
        if (!DatiRispostaValidi(meta, dati)) return EsitoLettura::Rifiutata;
        letti += dati;
    }
    return EsitoLettura::Letta;
}

int32_t LeggiTabella(uint8_t comando, std::string& risposta) {
    const int32_t r = InviaComandoEcu(comando);
    if (r != 0) return r;
    std::string dati;
    // A refused reply is no table: the raw copies are saved into configuration files.
    if (!DatiRispostaValidi(0, dati)) return RispostaIncompleta;
    risposta = ModPipe::DatiRispostaPipe;
    return 0;
}

int32_t Azzera(uint8_t comando, const std::string& dati, std::string& copia) {
    const int32_t r = ScriviComandoEcu(comando, dati);
    if (r == 0) copia.clear();
    return r;
}

} // namespace

int32_t LeggiScriviVettori(VettoreGiri& rpm, VettoreTempi& tinj, int16_t scrivi, bool* rifiutata) {
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    int32_t esito = 0;
    if (rifiutata) *rifiutata = false;
    if (ImpostaModoLinea(2) != 0) {
        // Reported as a failure: no vector went out or came in.
        esito = 4;
    } else if (scrivi == -1) {
        if (!ScriviVettore(CMD_WRITE_VET_RPM, rpm) || !ScriviVettore(CMD_WRITE_VET_TINJ, tinj)) esito = 4;
    } else {
        std::string giri, tempi;
        EsitoLettura e = LeggiVettore<128>(CMD_READ_VET_RPM, giri);
        if (e == EsitoLettura::Letta) e = LeggiVettore<180>(CMD_READ_VET_TINJ, tempi);
        if (e == EsitoLettura::Letta) {
            for (size_t i = 0; i < rpm.size(); ++i) rpm[i] = static_cast<uint8_t>(giri[i]);
            for (size_t i = 0; i < tinj.size(); ++i) tinj[i] = static_cast<uint8_t>(tempi[i]);
        } else {
            esito = 4;
            if (rifiutata) *rifiutata = e == EsitoLettura::Rifiutata;
        }
    }
    ImpostaModoLinea(modo);
    return esito;
}

int32_t LeggiTabelleMappetta(std::string& benzina, std::string& gas, std::string& risultato, std::string& isto,
                             bool tieniRifiutate) {
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    int32_t r = ImpostaModoLinea(2);
    if (r != 0) return r;
    std::string* uscite[4] = {&benzina, &gas, &risultato, &isto};
    std::string t[4];
    bool letta[4] = {};
    const uint8_t comandi[4] = {CMD_READ_TBENZ, CMD_READ_TGAS, CMD_READ_TRISULT, CMD_READ_TISTO};
    for (size_t i = 0; i < 4; ++i) {
        r = LeggiTabella(comandi[i], t[i]);
        // A transaction that worked but brought no table: the previous copy stays.
        const bool rifiutata = r == RispostaIncompleta && ModPipe::CodiceRispostaPipe == PIPE_ECU_FRAME;
        if (r != 0 && !(tieniRifiutate && rifiutata)) return r;
        letta[i] = r == 0;
    }
    if ((r = ImpostaModoLinea(modo)) != 0) return r;
    for (size_t i = 0; i < 4; ++i)
        if (letta[i]) *uscite[i] = t[i];
    return 0;
}

int32_t AzzeraTIsto() { return Azzera(CMD_RESET_TISTO, {}, DatiGrezzi1F); }
int32_t AzzeraTBenz() { return Azzera(CMD_RESET_TBENZ, {}, DatiGrezzi1B); }
int32_t AzzeraTGas() { return Azzera(CMD_RESET_TGAS, {}, DatiGrezzi1C); }
int32_t AzzeraTRisult() { return Azzera(CMD_WRITE_TRISULT, std::string(120, '\0'), DatiGrezzi20); }

} // namespace ModBlck
