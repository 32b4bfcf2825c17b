#include "TrasferimentiSimulati.h"

#include <algorithm>

#include "CentralinaSimulata.h"
#include "ConfigurazioneSimulata.h"

namespace Simulazione {
namespace {

constexpr uint8_t StatoFuoriLimiti = 0xFE;
constexpr uint8_t StatoRifiutato = 0xFD;
constexpr uint8_t StatoIniettoreConfermato = 3;
constexpr uint8_t StatoIniettoreRichiesto = 2;

std::string Motivo(size_t n, uint32_t a, uint32_t b) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * a + b) & 0xFF);
    return s;
}

std::string Tabella(uint8_t primo, uint32_t a, uint32_t b) {
    return std::string(1, static_cast<char>(primo)) + Motivo(MemoriaTrasferimenti::CelleTabella, a, b);
}

// [offset lo][offset hi][count]; false when the frame or the range is wrong.
bool Intervallo(const std::string& dati, size_t dimensione, size_t& offset, size_t& quanti) {
    if (dati.size() < 3) return false;
    offset = static_cast<uint8_t>(dati[0]) + 256u * static_cast<uint8_t>(dati[1]);
    quanti = static_cast<uint8_t>(dati[2]);
    return quanti > 0 && offset + quanti <= dimensione;
}

} // namespace

MemoriaTrasferimenti::MemoriaTrasferimenti() {
    for (size_t p = 0; p < mappe.size(); ++p) mappe[p] = MappaIniziale(static_cast<int>(p));
    // Byte 0 (6000 rpm) and byte 9 (7.68 ms) are entries of the shipped
    // management lists, so that their combos show a selection.
    soglie = std::string("\x3C\x10\x0A\x11\x00\x03\x10\x18\x28\x1E\x05\x04\x02\x00\x0F\x0C", 16);
    vettoreRpm = VettoreRpmIniziale();
    vettoreTinj = VettoreTinjIniziale();
    tabBenzina = Tabella(1, 3, 10);
    tabGas = Tabella(2, 5, 20);
    tabRisultato = Tabella(3, 11, 30);
    tabIsto = Tabella(4, 13, 40);
}

void CentralinaSimulata::RegistraTrasferimenti() {
    MemoriaTrasferimenti& m = trasferimenti;

    // A data read: the knobs may refuse it or cut its last byte.
    auto risposta = [this](uint8_t c, std::string dati) {
        MemoriaTrasferimenti& mm = trasferimenti;
        if (mm.comandoRifiutato == c) return Risposta(c, StatoRifiutato, "");
        if (mm.lettureRifiutate > 0) {
            --mm.lettureRifiutate;
            return Risposta(c, StatoRifiutato, "");
        }
        if (mm.comandoCorto == c && !dati.empty()) dati.pop_back();
        else if (mm.lettureCorte > 0 && !dati.empty()) {
            --mm.lettureCorte;
            dati.pop_back();
        }
        return Risposta(c, 0, dati);
    };
    auto lettura = [risposta](std::string& area) {
        return [risposta, &area](uint8_t c, const std::string& d) {
            size_t o = 0, n = 0;
            if (!Intervallo(d, area.size(), o, n)) return Risposta(c, StatoFuoriLimiti, "");
            return risposta(c, area.substr(o, n));
        };
    };
    auto scrittura = [this](std::string& area) {
        return [this, &area](uint8_t c, const std::string& d) {
            if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
            size_t o = 0, n = 0;
            if (!Intervallo(d, area.size(), o, n) || d.size() != 3 + n) return Risposta(c, StatoFuoriLimiti, "");
            area.replace(o, n, d.substr(3));
            return Risposta(c, 0, "");
        };
    };

    const uint8_t letture[3] = {0x12, 0x16, 0x78};
    const uint8_t scritture[3] = {0x13, 0x17, 0x79};
    for (size_t p = 0; p < 3; ++p) {
        Registra(letture[p], lettura(m.mappe[p]));
        Registra(scritture[p], scrittura(m.mappe[p]));
    }
    Registra(0x4B, lettura(m.vettoreRpm));
    Registra(0x4C, scrittura(m.vettoreRpm));
    Registra(0x4E, lettura(m.vettoreTinj));
    Registra(0x4F, scrittura(m.vettoreTinj));

    Registra(0x31, [risposta, &m](uint8_t c, const std::string&) { return risposta(c, m.soglie); });
    Registra(0x32, [this, &m](uint8_t c, const std::string& d) {
        if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
        if (d.size() != m.soglie.size()) return Risposta(c, StatoFuoriLimiti, "");
        m.soglie = d;
        return Risposta(c, 0, "");
    });

    // The four tables: read whole; the resets clear the cells and keep the leading byte.
    struct VoceTabella {
        uint8_t lettura;
        int32_t azzeramento; // -1 none
        std::string* dati;
    } const tabelle[] = {
        {0x1B, 0x1D, &m.tabBenzina}, {0x1C, 0x1E, &m.tabGas}, {0x1F, 0x3F, &m.tabIsto}, {0x20, -1, &m.tabRisultato}};
    for (const VoceTabella& t : tabelle) {
        std::string* dati = t.dati;
        Registra(t.lettura, [risposta, dati](uint8_t c, const std::string&) { return risposta(c, *dati); });
        if (t.azzeramento >= 0)
            Registra(static_cast<uint8_t>(t.azzeramento), [this, dati](uint8_t c, const std::string&) {
                if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
                dati->replace(1, MemoriaTrasferimenti::CelleTabella, MemoriaTrasferimenti::CelleTabella, '\0');
                return Risposta(c, 0, "");
            });
    }
    Registra(0x40, [this, &m](uint8_t c, const std::string& d) {
        if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
        if (d.size() != MemoriaTrasferimenti::CelleTabella) return Risposta(c, StatoFuoriLimiti, "");
        m.tabRisultato.replace(1, MemoriaTrasferimenti::CelleTabella, d);
        return Risposta(c, 0, "");
    });

    Registra(0x69, [](uint8_t c, const std::string&) { return Risposta(c, 0, ""); });
    // Start acquisition: the firing order of the cylinders goes into block 15
    // as zero-based channels (v78 = 0: found; the knob makes it fail with its code).
    Registra(0x5C, [this, &m](uint8_t c, const std::string& d) {
        if (manopole.statoRifiuto != 0) return Risposta(c, manopole.statoRifiuto, "");
        if (d.size() != 1) return Risposta(c, StatoFuoriLimiti, "");
        // The engine's order 1-3-4-2-5-7-8-6 keeping the channels it has.
        static constexpr int32_t ordine[8] = {0, 2, 3, 1, 4, 6, 7, 5};
        const int32_t cilindri = Valore(3, 1);
        ImpostaValore(15, 78, m.esitoAcquisizione);
        size_t k = 79;
        for (const int32_t canale : ordine)
            if (canale < cilindri) ImpostaValore(15, k++, canale);
        while (k < 87) ImpostaValore(15, k++, 0);
        return Risposta(c, 0, "");
    });

    // Switchover: a block-2 write with the switch-command flag (value 2 bit 0)
    // and a commanded fuel (value 0) other than the reported one (value 1)
    // makes value 1 follow after a number of block-2 reads.
    const Gestore leggi2 = gestori_.count(0x0D) ? gestori_[0x0D] : Gestore();
    const Gestore scrivi2 = gestori_.count(0x10) ? gestori_[0x10] : Gestore();
    if (leggi2 && scrivi2 && blocchi_.size() > 2) {
        Registra(0x10, [this, scrivi2, &m](uint8_t c, const std::string& d) {
            std::string r = scrivi2(c, d);
            if (r.size() > 4 && r[4] == 0) {
                const bool comando = (Valore(2, 2) & 1) != 0 && Valore(2, 0) != Valore(2, 1);
                m.commutazioneInCorso = comando && m.lettureCommutazione >= 0 ? m.lettureCommutazione : -1;
                if (comando && m.lettureCommutazione == 0) ImpostaValore(2, 1, Valore(2, 0));
            }
            return r;
        });
        Registra(0x0D, [this, leggi2, &m](uint8_t c, const std::string& d) {
            if (m.commutazioneInCorso > 0 && --m.commutazioneInCorso == 0) {
                ImpostaValore(2, 1, Valore(2, 0));
                m.commutazioneInCorso = -1;
            }
            return leggi2(c, d);
        });
    }

    // Injector states (block-3 value 16 - n): a written state 2 becomes 3 after
    // a number of block-3 reads; every other state is taken as written.
    const Gestore leggi3 = gestori_.count(0x0E) ? gestori_[0x0E] : Gestore();
    const Gestore scrivi3 = gestori_.count(0x11) ? gestori_[0x11] : Gestore();
    if (leggi3 && scrivi3 && blocchi_.size() > 3) {
        Registra(0x11, [this, scrivi3, &m](uint8_t c, const std::string& d) {
            std::string r = scrivi3(c, d);
            if (r.size() > 4 && r[4] == 0)
                for (size_t n = 0; n < 8; ++n)
                    m.iniettoreInCorso[n] =
                        Valore(3, 16 - n) == StatoIniettoreRichiesto && m.lettureIniettore >= 0 ? m.lettureIniettore : -1;
            return r;
        });
        Registra(0x0E, [this, leggi3, &m](uint8_t c, const std::string& d) {
            for (size_t n = 0; n < 8; ++n)
                if (m.iniettoreInCorso[n] > 0 && --m.iniettoreInCorso[n] == 0) {
                    ImpostaValore(3, 16 - n, StatoIniettoreConfermato);
                    m.iniettoreInCorso[n] = -1;
                }
            return leggi3(c, d);
        });
    }
}

bool CentralinaSimulata::ImpostaManopolaTrasferimenti(uint8_t id, int32_t valore) {
    MemoriaTrasferimenti& m = trasferimenti;
    switch (id) {
    case MANOPOLA_ECU_LETTURE_CORTE: m.lettureCorte = valore; return true;
    case MANOPOLA_ECU_LETTURE_RIFIUTATE: m.lettureRifiutate = valore; return true;
    case MANOPOLA_ECU_LETTURE_COMMUTAZIONE: m.lettureCommutazione = valore; return true;
    case MANOPOLA_ECU_LETTURE_INIETTORE: m.lettureIniettore = valore; return true;
    case MANOPOLA_ECU_COMANDO_RIFIUTATO: m.comandoRifiutato = valore; return true;
    case MANOPOLA_ECU_COMANDO_CORTO: m.comandoCorto = valore; return true;
    case MANOPOLA_ECU_ESITO_ACQUISIZIONE: m.esitoAcquisizione = valore; return true;
    case MANOPOLA_ECU_VALORE: {
        const auto v = static_cast<uint32_t>(valore);
        ImpostaValore(v >> 24, (v >> 16) & 0xFF, static_cast<int32_t>(v & 0xFFFF));
        return true;
    }
    default: return false;
    }
}

} // namespace Simulazione
