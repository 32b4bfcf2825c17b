#include "link/ModBlckTransazioni.h"

#include <algorithm>

#include "core/Conversioni.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "link/ModBlckTrame.h"
#include "link/ModPipe.h"

namespace ModBlck {

int32_t InviaTramaEcu(const std::string& trama) {
    std::string risposta;
    return ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, trama, AttesaPipe, risposta);
}

int32_t InviaComandoEcu(uint8_t comando, const std::string& dati) {
    return InviaTramaEcu(CostruisciTrama(InizioTrama, DirezioneTrama, comando, dati));
}

int32_t ImpostaModoLinea(uint8_t modo) {
    std::string risposta;
    return ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, static_cast<char>(modo)), AttesaPipe, risposta);
}

int32_t ImpostaAttesaEcu(int64_t ms) {
    const int64_t w = std::clamp<int64_t>(ms, 0, 0xFFFF);
    std::string dati;
    dati += static_cast<char>(w & 0xFF);
    dati += static_cast<char>((w >> 8) & 0xFF);
    dati += '\0';
    dati += '\0';
    std::string risposta;
    return ModPipe::InviaComandoPipe(PIPE_SET_ECU_WAIT, dati, AttesaPipe, risposta);
}

int64_t AttesaEcuMs(bool lunga) {
    double ms = static_cast<double>(AttesaGlobale) / 1000.0;
    if (lunga) ms *= static_cast<double>(MoltiplicatoreAttesa);
    return static_cast<int64_t>(Conv::ArrotondaPari(ms));
}

bool DatiRispostaValidi(size_t quanti, std::string& dati) {
    const std::string& r = ModPipe::DatiRispostaPipe;
    // 42 01 L command status data... XOR: the data begin at index 5.
    if (r.size() < 5 || static_cast<uint8_t>(r[4]) != 0) return false;
    // The data bytes and the check byte after them must all be there.
    if (r.size() < quanti + 6) return false;
    dati = r.substr(5, quanti);
    return true;
}

bool TramaRispostaPresente() {
    const std::string& r = ModPipe::DatiRispostaPipe;
    return r.size() >= 6 && static_cast<uint8_t>(r[0]) == 0x42;
}

bool RichiestaEseguita() {
    // 42 01 L command status ...: the status is byte 4.
    return TramaRispostaPresente() && ModPipe::DatiRispostaPipe[4] == 0;
}

int32_t ScriviTramaEcu(const std::string& trama) {
    const int32_t r = InviaTramaEcu(trama);
    if (r != 0) return r;
    return RichiestaEseguita() ? 0 : 3;
}

int32_t ScriviComandoEcu(uint8_t comando, const std::string& dati) {
    return ScriviTramaEcu(CostruisciTrama(InizioTrama, DirezioneTrama, comando, dati));
}

bool RispostaDellaRichiesta(const std::string& richiesta) {
    const std::string& r = ModPipe::DatiRispostaPipe;
    if (richiesta.size() < 4 || r.size() < 6) return false;
    auto b = [&r](size_t k) { return static_cast<uint8_t>(r[k]); };
    return b(0) == 0x42 && b(1) == 0x01 && b(2) + 2u == r.size() && r[3] == richiesta[3] && CalcolaXor(r) == 0;
}

int32_t LeggiBloccoEcu(size_t n, BloccoParametri& blocco, bool memorizza) {
    if (n >= TabellaBlocchi.size()) return 4;
    const std::string richiesta = ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta);
    const int32_t r = InviaTramaEcu(richiesta);
    if (r != 0) return r;
    // An ECU that did not answer leaves no frame, and a late reply to an
    // earlier request is another block's: storing or decoding either would
    // report a read (and a write's read-back) that never happened.
    if (!RispostaDellaRichiesta(richiesta)) return 3;
    if (memorizza) blocco.UltimaRisposta = ModPipe::DatiRispostaPipe;
    DecodificaBlocco(ModPipe::DatiRispostaPipe, blocco);
    return 0;
}

int32_t ScriviBloccoEcu(const BloccoParametri& blocco, uint8_t comando) {
    std::string dati;
    CodificaBlocco(dati, blocco);
    return ScriviComandoEcu(comando, dati);
}

} // namespace ModBlck
