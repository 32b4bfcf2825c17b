#include "obd/ObdCodiciErrore.h"

#include <algorithm>

#include "core/Conversioni.h"
#include "engine/ModEvoObd.h"

namespace ObdCodiciErrore {

namespace {

int32_t ValoreCodici(const std::vector<int32_t>& v, size_t k) { return k < v.size() ? v[k] : 0; }

std::string TestoCodice(int32_t v) {
    return ModEvoObd::DecodificaDtc(static_cast<uint8_t>((v >> 8) & 0xFF), static_cast<uint8_t>(v & 0xFF));
}

} // namespace

OpzioniSpia CalcolaOpzioniSpia(bool nuovaObd, int32_t v25, int32_t v84, int32_t b19v0) {
    OpzioniSpia o;
    if (!nuovaObd) {
        if (v25 == 1) o.PermanenteAbilitata = o.PermanenteSpuntata = true;
        else if (v84 & 0x80) o.PermanenteAbilitata = true;
        return o;
    }
    const int32_t stato = (v25 == 1 ? 1 : 0) + ((v84 & 0x80) ? 2 : 0) + ((b19v0 & 0x01) ? 4 : 0) + ((b19v0 & 0x08) ? 8 : 0);
    switch (stato) {
    case 0:
    case 1: break;
    case 2:
    case 3:
    case 6:
    case 10: o.SelettivaAbilitata = o.PermanenteAbilitata = true; break;
    case 4:
    case 5:
    case 7: o.SelettivaAbilitata = o.SelettivaSpuntata = true; break;
    case 8:
    case 9:
    case 11: o.PermanenteAbilitata = o.PermanenteSpuntata = true; break;
    default: o.SelettivaAbilitata = o.SelettivaSpuntata = o.PermanenteAbilitata = o.PermanenteSpuntata = true; break;
    }
    return o;
}

std::vector<std::string> ListaSelettiva(const std::vector<int32_t>& b19) {
    std::vector<std::string> r;
    for (size_t k = 2; k <= 26; ++k)
        if (ValoreCodici(b19, k) >= 1) r.push_back(TestoCodice(ValoreCodici(b19, k)));
    return r;
}

Modifica AggiungiCodice(const std::string& testo, const std::vector<int32_t>& b19) {
    Modifica m;
    int32_t codice = 0;
    if (!ModEvoObd::CodificaDtc(Conv::Trim(testo), codice) || codice == 0) return m;
    for (size_t k = 2; k <= 26; ++k)
        if (ValoreCodici(b19, k) == codice) {
            m.esito = Esito::GiaPresente;
            return m;
        }
    for (size_t k = 2; k <= 26; ++k)
        if (ValoreCodici(b19, k) == 0) {
            m.esito = Esito::Scritto;
            m.Blocco19 = {{codice, static_cast<int32_t>(k), 0}};
            return m;
        }
    m.esito = Esito::ListaPiena;
    return m;
}

Modifica TogliCodice(const std::string& selezione, bool selezionato, const std::vector<int32_t>& b19) {
    Modifica m;
    if (!selezionato) {
        m.esito = Esito::NessunaSelezione;
        return m;
    }
    int32_t codice = 0;
    if (!ModEvoObd::CodificaDtc(Conv::Trim(selezione), codice)) return m;
    for (size_t k = 2; k <= 26; ++k)
        if (ValoreCodici(b19, k) == codice) {
            m.esito = Esito::Scritto;
            m.Blocco19 = {{0, static_cast<int32_t>(k), 0}};
            return m;
        }
    m.esito = Esito::NonPresente;
    return m;
}

ScritturaSpia ScriviOpzioneSpia(int32_t maschera, bool spuntata, int32_t v84, int32_t v25) {
    ScritturaSpia s;
    s.Richiesta = 65; // REQ_WRITE_BLK19
    if ((v84 & 0x80) && v25 != 1) {
        s.Blocco12 = {{1, 25, 0}};
        s.Richiesta = 67; // REQ_WRITE_BLK12_BLK19
    }
    s.Blocco19 = {{spuntata ? maschera : 0, 0, maschera}};
    return s;
}

Esclusioni CalcolaEsclusioni(bool sel, bool off, bool on, bool livello) {
    Esclusioni e;
    if (livello) return e;
    if (sel) {
        e.KeyOff = !off;
        e.KeyOn = !on;
    }
    if (off && !on) e.KeyOn = true;
    if (on && !off) e.KeyOff = true;
    if (!sel && (on || off)) e.Selettiva = true;
    return e;
}

Indicatore CalcolaIndicatore(bool nuovaObd, int32_t b2v1, int32_t b2v2, int32_t b12v0, int32_t b19v0,
                             const std::vector<int32_t>& b20) {
    Indicatore i;
    const int32_t s20 = ValoreCodici(b20, 0);
    if (!nuovaObd || !(b2v2 & 0x04) || b12v0 < 1) return i;
    if (!(b19v0 & 0x01)) {
        i.Testo = 1;
        return i;
    }
    if (b2v1 != 3) {
        i.Colore = Rosso;
        i.Testo = 2;
        return i;
    }
    if (!(s20 & 0x01)) {
        i.Colore = Viola;
        i.Testo = 1;
        return i;
    }
    const int32_t n = ValoreCodici(b20, 1);
    if (n == 0) {
        i.Colore = Verde;
        i.Testo = 3;
        return i;
    }
    const bool ciano = (s20 & 0x06) == 0x06;
    i.Colore = ciano ? Ciano : Giallo;
    i.Testo = ciano ? 4 : 5;
    for (int32_t k = 2; k <= std::min(n, 14) + 1; ++k)
        if (ValoreCodici(b20, static_cast<size_t>(k)) >= 1) i.Codici.push_back(TestoCodice(ValoreCodici(b20, static_cast<size_t>(k))));
    return i;
}

std::string TestoIndicatore(const Indicatore& i, const std::string testi[5]) {
    if (i.Testo < 1 || i.Testo > 5) return {};
    std::string t = testi[i.Testo - 1];
    if (i.Testo >= 4) {
        t += ":\r\n";
        for (const auto& c : i.Codici) t += c + "\r\n";
    }
    return t;
}

int32_t ColoreKeyOn(bool nuovaObd, int32_t b2v2, int32_t b12v0, int32_t b19v0, int32_t b20v0) {
    if (nuovaObd && (b2v2 & 0x04) && b12v0 > 0 && (b19v0 & 0x10) && (b20v0 & 0x02))
        return (b20v0 & 0x04) ? Ciano : Giallo;
    return Grigio;
}

} // namespace ObdCodiciErrore
