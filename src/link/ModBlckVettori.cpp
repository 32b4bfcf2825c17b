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
        if (InviaComandoEcu(comando, TestaMeta(offset, meta) + byte.substr(offset, meta)) != 0) return false;
    return true;
}

template <size_t N>
bool LeggiVettore(uint8_t comando, std::string& letti) {
    constexpr size_t meta = N / 2;
    for (size_t offset : {size_t{0}, meta}) {
        if (InviaComandoEcu(comando, TestaMeta(offset, meta)) != 0) return false;
        std::string dati;
        if (!DatiRispostaValidi(meta, dati)) return false;
        letti += dati;
    }
    return true;
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
    const int32_t r = InviaComandoEcu(comando, dati);
    if (r == 0) copia.clear();
    return r;
}

} // namespace

int32_t LeggiScriviVettori(VettoreGiri& rpm, VettoreTempi& tinj, int16_t scrivi) {
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    int32_t esito = 0;
    if (ImpostaModoLinea(2) != 0) {
        // Reported as a failure: no vector went out or came in.
        esito = 4;
    } else if (scrivi == -1) {
        if (!ScriviVettore(CMD_WRITE_VET_RPM, rpm) || !ScriviVettore(CMD_WRITE_VET_TINJ, tinj)) esito = 4;
    } else {
        std::string giri, tempi;
        if (LeggiVettore<128>(CMD_READ_VET_RPM, giri) && LeggiVettore<180>(CMD_READ_VET_TINJ, tempi)) {
            for (size_t i = 0; i < rpm.size(); ++i) rpm[i] = static_cast<uint8_t>(giri[i]);
            for (size_t i = 0; i < tinj.size(); ++i) tinj[i] = static_cast<uint8_t>(tempi[i]);
        } else {
            esito = 4;
        }
    }
    ImpostaModoLinea(modo);
    return esito;
}

int32_t LeggiTabelleMappetta(std::string& benzina, std::string& gas, std::string& risultato, std::string& isto) {
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    int32_t r = ImpostaModoLinea(2);
    if (r != 0) return r;
    std::string t[4];
    const uint8_t comandi[4] = {CMD_READ_TBENZ, CMD_READ_TGAS, CMD_READ_TRISULT, CMD_READ_TISTO};
    for (size_t i = 0; i < 4; ++i)
        if ((r = LeggiTabella(comandi[i], t[i])) != 0) return r;
    if ((r = ImpostaModoLinea(modo)) != 0) return r;
    benzina = t[0];
    gas = t[1];
    risultato = t[2];
    isto = t[3];
    return 0;
}

int32_t AzzeraTIsto() { return Azzera(CMD_RESET_TISTO, {}, DatiGrezzi1F); }
int32_t AzzeraTBenz() { return Azzera(CMD_RESET_TBENZ, {}, DatiGrezzi1B); }
int32_t AzzeraTGas() { return Azzera(CMD_RESET_TGAS, {}, DatiGrezzi1C); }
int32_t AzzeraTRisult() { return Azzera(CMD_WRITE_TRISULT, std::string(120, '\0'), DatiGrezzi20); }

} // namespace ModBlck
