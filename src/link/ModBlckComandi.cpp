#include "link/ModBlckComandi.h"

#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainPercorsi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModMappeDati.h"
#include "link/ModPipe.h"

namespace ModBlck {
namespace {

constexpr double MezzoSecondoUs = 500'000;
constexpr double PausaSondaUs = 250'000;
constexpr double PausaIniettoreUs = 150'000;
constexpr int SondeCommutazione = 8;
constexpr int LettureStatoIniettore = 22;
constexpr int PassateCilindri = 21;
// The state the ECU reports once an injector change has taken effect.
constexpr int32_t StatoConfermato = 3;

// Value k of a block; -1 when the block has no such value (matches no state).
int32_t Valore(const BloccoParametri& b, int64_t k) {
    if (k < 0 || static_cast<size_t>(k) >= b.Valori.size()) return -1;
    return b.Valori[static_cast<size_t>(k)];
}

void Imposta(BloccoParametri& b, int64_t k, int32_t v) {
    if (k >= 0 && static_cast<size_t>(k) < b.Valori.size()) b.Valori[static_cast<size_t>(k)] = v;
}

// Reads a block with its plain read command (no data) into a copy.
int32_t LeggiCopia(uint8_t comando, BloccoParametri& copia) {
    const int32_t r = InviaComandoEcu(comando);
    if (r == 0) DecodificaBlocco(ModPipe::DatiRispostaPipe, copia);
    return r;
}

// Sends a prepared frame, then reads its block back into the table.
bool InviaEdAggiorna(const std::string& trama, size_t blocco) {
    if (ScriviTramaEcu(trama) != 0) return false;
    if (blocco >= TabellaBlocchi.size()) return false;
    return LeggiBloccoEcu(blocco, TabellaBlocchi[blocco], true) == 0;
}

} // namespace

bool EseguiCommutazione() {
    if (TabellaBlocchi.size() < 4) return false;
    BloccoParametri b2 = TabellaBlocchi[2];
    BloccoParametri b3 = TabellaBlocchi[3];
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    auto fine = [&](bool esito) {
        ImpostaModoLinea(modo);
        return esito;
    };
    if (ImpostaModoLinea(2) != 0) return fine(false);
    if (LeggiCopia(CMD_READ_BLK2, b2) != 0 || LeggiCopia(CMD_READ_BLK3, b3) != 0) return fine(false);

    const int32_t v0 = Valore(b2, 0), v1 = Valore(b2, 1);
    const int32_t obiettivo = ((v0 == 0 && v1 == 0) || (v0 == 3 && v1 == 0 && Valore(b3, 16) == 1)) ? 3 : 0;

    const int32_t bitRicordato = Valore(b2, 2) & 1;
    if (bitRicordato == 0) {
        Imposta(b2, 2, Valore(b2, 2) ^ 1);
        if (ScriviBloccoEcu(b2, CMD_WRITE_BLK2) != 0) return fine(false);
    }
    ModGlobFunct::AttendiMicrosecondi(MezzoSecondoUs);
    if (LeggiCopia(CMD_READ_BLK2, b2) != 0 || LeggiCopia(CMD_READ_BLK3, b3) != 0) return fine(false);
    Imposta(b2, 0, obiettivo);
    if (ScriviBloccoEcu(b2, CMD_WRITE_BLK2) != 0) return fine(false);
    ModGlobFunct::AttendiMicrosecondi(MezzoSecondoUs);
    if ((Valore(b2, 2) & 1) == bitRicordato) return fine(true);

    // The switch-command flag is ours: wait for the ECU to report the target, then lower it.
    for (int i = 0; i < SondeCommutazione; ++i) {
        ModGlobFunct::AttendiMicrosecondi(PausaSondaUs);
        if (LeggiCopia(CMD_READ_BLK2, b2) != 0) return fine(false);
        if (Valore(b2, 1) == obiettivo) break;
    }
    ModGlobFunct::AttendiMicrosecondi(MezzoSecondoUs);
    Imposta(b2, 2, Valore(b2, 2) ^ 1);
    if (ScriviBloccoEcu(b2, CMD_WRITE_BLK2) != 0) return fine(false);
    return fine(true);
}

bool ScriviSelezioneCilindri() {
    if (CambioConfigIniettori.Tipo == 0) return false;
    if (TabellaBlocchi.size() < 4) return false;
    const int32_t tipo = CambioConfigIniettori.Tipo;
    const int32_t modoCambio = CambioConfigIniettori.Modo;
    const int32_t v = CambioConfigIniettori.Valore;

    BloccoParametri b2 = TabellaBlocchi[2];
    BloccoParametri w = TabellaBlocchi[3];
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    auto fine = [&](bool esito) {
        CambioConfigIniettori.Tipo = 0;
        CambioConfigIniettori.Modo = -1;
        ImpostaModoLinea(modo);
        return esito;
    };
    if (ImpostaModoLinea(2) != 0) return fine(false);
    if (LeggiCopia(CMD_READ_BLK2, b2) != 0 || LeggiCopia(CMD_READ_BLK3, w) != 0) return fine(false);
    const BloccoParametri r = w;

    if (tipo == 2) {
        auto daTabella = [&](int64_t k) {
            if (k >= 0 && static_cast<size_t>(k) < TabellaCilindri.size())
                Imposta(w, k, TabellaCilindri[static_cast<size_t>(k)]);
        };
        daTabella(0);
        daTabella(1);
        daTabella(3);
        for (int64_t n = 0; n <= 7; ++n) {
            daTabella(16 - n);
            daTabella(24 - n);
        }
    }
    // State of injector n: block-3 value 16 - n.
    auto s = [&](int64_t n) { return Valore(w, 16 - n); };
    auto imposta = [&](int64_t n, int32_t stato) { Imposta(w, 16 - n, stato); };
    auto scrivi = [&] { return ScriviBloccoEcu(w, CMD_WRITE_BLK3) == 0; };
    const int32_t precedente = Valore(r, 16 - v);

    if (Valore(b2, 1) == 3) {
        if (modoCambio == 0) {
            if (precedente == 3 || precedente == 4) {
                imposta(v, 0);
                if (!scrivi()) return fine(false);
            }
        } else if (modoCambio == 3 && tipo == 1) {
            if (precedente == 0) {
                imposta(v, 1);
                if (!scrivi()) return fine(false);
                ModGlobFunct::AttendiMicrosecondi(PausaIniettoreUs);
                imposta(v, 2);
                if (!scrivi()) return fine(false);
                for (int i = 0; i < LettureStatoIniettore; ++i) {
                    ModGlobFunct::AttendiMicrosecondi(PausaIniettoreUs);
                    if (LeggiCopia(CMD_READ_BLK3, w) != 0) return fine(false);
                    if (s(v) == StatoConfermato) break;
                }
            } else if (precedente == 4) {
                imposta(v, StatoConfermato);
                if (!scrivi()) return fine(false);
            }
        } else if (modoCambio == 3 && tipo == 2) {
            for (int passata = 0; passata < PassateCilindri; ++passata) {
                bool cambiato = false;
                for (int64_t n = 0; n < v; ++n) {
                    const int32_t st = s(n);
                    const int32_t nuovo = st == 0 ? 1 : st == 1 ? 2 : st == 4 ? 3 : st;
                    if (nuovo != st) {
                        imposta(n, nuovo);
                        cambiato = true;
                    }
                }
                ModGlobFunct::AttendiMicrosecondi(PausaIniettoreUs);
                if (!scrivi()) return fine(false);
                if (!cambiato) break;
            }
        }
    } else {
        const bool motoreInMoto = TabellaBlocchi.size() > 1 && (Valore(TabellaBlocchi[1], 37) & 1) != 0 &&
                                  Valore(TabellaBlocchi[1], 37) != -1;
        if (!(Valore(b2, 1) != 0 && motoreInMoto)) {
            if (modoCambio == 0) {
                if (s(v) == 1) imposta(v, 0);
            } else if (modoCambio == 3 && tipo == 1) {
                if (s(v) == 0) imposta(v, 1);
            } else if (modoCambio == 3 && tipo == 2) {
                for (int64_t n = 0; n < v; ++n)
                    if (s(n) == 0) imposta(n, 1);
            }
            if (!scrivi()) return fine(false);
        }
    }

    CambioConfigIniettori.Tipo = 0;
    CambioConfigIniettori.Modo = -1;
    ModGlobFunct::AttendiMicrosecondi(PausaSondaUs);
    if (LeggiCopia(CMD_READ_BLK3, w) != 0) return fine(false);
    w.UltimaRisposta = ModPipe::DatiRispostaPipe;
    TabellaBlocchi[3] = w;
    return fine(true);
}

bool CancellaErroriEcu() {
    if (TabellaBlocchi.size() < 5) return false;
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    if (ImpostaModoLinea(2) != 0) return false;
    if (InviaComandoEcu(CMD_CLEAR_ERRORS) != 0) return false;
    ModGlobFunct::AttendiMicrosecondi(PausaSondaUs);
    if (LeggiBloccoEcu(4, TabellaBlocchi[4], true) != 0) return false;
    return ImpostaModoLinea(modo) == 0;
}

bool ScriviTabellaTemperatura() { return InviaEdAggiorna(FrameTabellaTemp, 6); }

bool ScriviTabelleCompensazione() {
    struct Tabella {
        const std::string* trama;
        size_t blocco;
    } const tabelle[5] = {{&FrameComTGasX, 8}, {&FrameBlocco7, 7}, {&FrameComPGasX, 9}, {&FrameComPBenX, 17},
                          {&FrameComSMag, 13}};
    for (int32_t k = 0; k < 5; ++k) {
        if (TabellaCompensazioneSel != k && TabellaCompensazioneSel != 255) continue;
        if (!InviaEdAggiorna(*tabelle[k].trama, tabelle[k].blocco)) return false;
    }
    return true;
}

void ApplicaMascheraCilindri() {
    uint8_t& banchi = ModMain::MatSoglie[14];
    if (banchi == 0 || TabellaBlocchi.size() < 4) return;
    const int32_t c = Valore(TabellaBlocchi[3], 1);
    if (c >= 1 && c <= 7) banchi &= static_cast<uint8_t>((1u << c) - 1);
}

bool InviaComando69() { return InviaComandoEcu(CMD_69) == 0; }

bool InviaComandoAttesaLunga(uint8_t comando, uint8_t dato, std::string& risposta) {
    if (TabellaBlocchi.size() < 16) return false;
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    if (ImpostaModoLinea(2) != 0) return false;
    auto guasto = [&] {
        if (ImpostaAttesaEcu(AttesaEcuMs(false)) == 0) ImpostaModoLinea(modo);
        return false;
    };
    if (ImpostaAttesaEcu(AttesaEcuMs(true)) != 0) return guasto();
    if (InviaComandoEcu(comando, std::string(1, static_cast<char>(dato))) != 0) return guasto();
    risposta = ModPipe::DatiRispostaPipe;
    if (ImpostaAttesaEcu(AttesaEcuMs(false)) != 0) return guasto();
    if (LeggiBloccoEcu(15, TabellaBlocchi[15], true) != 0) return guasto();
    ModificheBlocco15 = ListaVuota();
    ImpostaModoLinea(modo);
    return true;
}

std::string CercaConfigurazionePredefinita() {
    int64_t trovata = -1;
    if (TabellaBlocchi.size() > 15) {
        const int32_t id = Valore(TabellaBlocchi[15], 47);
        const auto& elenco = ModMain::ConfigurazioniPredefinite;
        for (size_t i = 0; i < elenco.size(); ++i)
            if (elenco[i].Identificativo && *elenco[i].Identificativo == id) trovata = static_cast<int64_t>(i);
    }
    if (trovata >= 0) {
        const std::string& p = ModMain::ConfigurazioniPredefinite[static_cast<size_t>(trovata)].Percorso;
        if (ModGlobFunct::EsisteFile(p)) return p;
    }
    return ModMain::PercorsoConfigDefault;
}

} // namespace ModBlck
