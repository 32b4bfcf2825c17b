#include "engine/MDIFrmTempoReale.h"

#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "core/ModGlobFunct.h"
#include "engine/MDIFrmMem10.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModPipe.h"

namespace MDIFrm {

namespace {

constexpr size_t BloccoLive = 1;
constexpr size_t BloccoParametri2 = 2;
constexpr size_t BloccoObd = 12;
constexpr size_t BloccoMem10 = 21;
constexpr int32_t BitMem10Pronto = 0x80;   // block 1 value 44: a MEM10 buffer waits
constexpr int32_t BitObdAttivo = 0x04;     // block 2 value 2: OBD function on

int32_t Valore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[blocco].Valori;
    return k < v.size() ? v[k] : 0;
}

bool InviaStreaming(bool avvia) {
    std::string dati;
    dati += static_cast<char>(BloccoObd);
    dati += static_cast<char>(avvia ? 1 : 0);
    std::string risposta;
    return ModPipe::InviaComandoPipe(PIPE_STREAM_BLOCK, dati, ModBlck::AttesaPipe, risposta) == 0;
}

} // namespace

bool LeggiBloccoTempoReale(size_t n) {
    if (n >= TabellaBlocchi.size()) return false;
    std::string risposta;
    const std::string richiesta = ModGlobFunct::ConvertiHexInTesto(TabellaBlocchi[n].TramaRichiesta);
    const int32_t r = ModPipe::InviaComandoPipe(PIPE_ECU_FRAME, richiesta, ModBlck::AttesaPipe, risposta);
    // A failed read keeps the block's last reply: nothing empty or foreign is stored, decoded or logged.
    if (r != 0 || !ModBlck::RispostaDellaRichiesta(richiesta)) return false;
    // The decoder may run page hooks; the table is not resized meanwhile.
    TabellaBlocchi[n].UltimaRisposta = ModPipe::DatiRispostaPipe;
    ModBlck::DecodificaBlocco(TabellaBlocchi[n].UltimaRisposta, TabellaBlocchi[n]);
    return true;
}

void LeggiTempoReale() {
    if (LeggiBloccoTempoReale(BloccoLive)) {
        const std::string& risposta = TabellaBlocchi[BloccoLive].UltimaRisposta;
        if (UltimaRispostaMem1 != risposta && ModMain::LogMem10Richiesto && ModMain::Mem10Disponibile &&
            (Valore(BloccoLive, 44) & BitMem10Pronto) != 0) {
            // Taken before the read, so a failed read is not retried on the same reply.
            UltimaRispostaMem1 = risposta;
            if (LeggiBloccoTempoReale(BloccoMem10)) LoggaMEM10();
        }
    }

    if (ContatoreCicli == 6) {
        ContatoreCicli = 0;
        LeggiBloccoTempoReale(BloccoParametri2);
    }

    if (ContatoreCicli == 3 && BloccoObd < TabellaBlocchi.size()) {
        if ((Valore(BloccoParametri2, 2) & BitObdAttivo) != 0) {
            if (!TabellaBlocchi[BloccoObd].Streaming && InviaStreaming(true)) TabellaBlocchi[BloccoObd].Streaming = true;
            LeggiBloccoTempoReale(BloccoObd);
        } else if (TabellaBlocchi[BloccoObd].Streaming && InviaStreaming(false)) {
            TabellaBlocchi[BloccoObd].Streaming = false;
        }
    }

    ++ContatoreCicli;
}

} // namespace MDIFrm
