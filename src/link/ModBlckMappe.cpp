#include "link/ModBlckMappe.h"

#include "link/ModBlckTrame.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModPipe.h"

namespace ModBlck {
namespace {

struct Pezzo {
    int offset;
    int quanti;
};
constexpr Pezzo Pezzi[5] = {{0, 110}, {110, 110}, {220, 110}, {330, 110}, {440, 112}};

// A reply that is refused or shorter than what it must carry counts as a bad reply.
constexpr int32_t RispostaIncompleta = 3;

std::string TestaPezzo(const Pezzo& p) {
    std::string d;
    d += static_cast<char>(p.offset & 0xFF);
    d += static_cast<char>((p.offset >> 8) & 0xFF);
    d += static_cast<char>(p.quanti);
    return d;
}

std::string TramaScrittura(uint8_t comando, const std::string& immagine, const Pezzo& p) {
    return CostruisciTrama(InizioTrama, DirezioneTrama, comando,
                           TestaPezzo(p) + immagine.substr(static_cast<size_t>(p.offset), static_cast<size_t>(p.quanti)));
}

// Reads one chunk and appends its bytes to `immagine`.
int32_t LeggiPezzo(uint8_t comando, const Pezzo& p, std::string& immagine) {
    const int32_t r = InviaComandoEcu(comando, TestaPezzo(p));
    if (r != 0) return r;
    std::string dati;
    if (!DatiRispostaValidi(static_cast<size_t>(p.quanti), dati)) return RispostaIncompleta;
    immagine += dati;
    return 0;
}

std::string TestoTabella(const TabellaSoglie& t) { return std::string(t.begin(), t.end()); }

void TabellaDaTesto(const std::string& s, TabellaSoglie& t) {
    for (size_t k = 0; k < t.size(); ++k) t[k] = static_cast<uint8_t>(s[k]);
}

int32_t LeggiSoglie(std::string& dati) {
    const int32_t r = InviaComandoEcu(CMD_READ_SOGLIE);
    if (r != 0) return r;
    return DatiRispostaValidi(16, dati) ? 0 : RispostaIncompleta;
}

int32_t LeggiPagina(uint8_t comando, PaginaMappa& pagina, TabellaSoglie* tabella) {
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    int32_t r = ImpostaModoLinea(2);
    if (r != 0) return r;
    std::string immagine;
    for (const Pezzo& p : Pezzi)
        if ((r = LeggiPezzo(comando, p, immagine)) != 0) return r;
    std::string soglie;
    if (tabella && (r = LeggiSoglie(soglie)) != 0) return r;
    if ((r = ImpostaModoLinea(modo)) != 0) return r;
    MappaDaImmagine(immagine, pagina);
    if (tabella) TabellaDaTesto(soglie, *tabella);
    return 0;
}

bool ScriviPagina(uint8_t comandoScrittura, uint8_t comandoLettura, PaginaMappa& pagina,
                  const PaginaMappa& precedente, TabellaSoglie* tabella, const TabellaSoglie* tabellaPrecedente,
                  bool forza) {
    const std::string nuova = ImmagineMappa(pagina);
    const std::string vecchia = ImmagineMappa(precedente);
    std::string tabNuova, tabVecchia;
    if (tabella) {
        tabNuova = TestoTabella(*tabella);
        tabVecchia = TestoTabella(*tabellaPrecedente);
    }

    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    bool esito = false;
    auto fine = [&] {
        ImpostaModoLinea(modo);
        return esito;
    };
    if (ImpostaModoLinea(2) != 0) return fine();

    bool scritto[5] = {};
    for (size_t i = 0; i < 5; ++i) {
        const std::string trama = TramaScrittura(comandoScrittura, nuova, Pezzi[i]);
        if (!forza && trama == TramaScrittura(comandoScrittura, vecchia, Pezzi[i])) continue;
        scritto[i] = true;
        if (ScriviTramaEcu(trama) != 0) return fine();
    }
    bool tabellaScritta = false;
    if (tabella) {
        const std::string trama = CostruisciTrama(InizioTrama, DirezioneTrama, CMD_WRITE_SOGLIE, tabNuova);
        if (forza || trama != CostruisciTrama(InizioTrama, DirezioneTrama, CMD_WRITE_SOGLIE, tabVecchia)) {
            tabellaScritta = true;
            if (ScriviTramaEcu(trama) != 0) return fine();
        }
    }

    std::string verifica;
    for (size_t i = 0; i < 5; ++i) {
        if (scritto[i]) {
            if (LeggiPezzo(comandoLettura, Pezzi[i], verifica) != 0) return fine();
        } else {
            verifica += vecchia.substr(static_cast<size_t>(Pezzi[i].offset), static_cast<size_t>(Pezzi[i].quanti));
        }
    }
    std::string soglie;
    if (tabellaScritta && LeggiSoglie(soglie) != 0) return fine();

    MappaDaImmagine(verifica, pagina);
    if (tabellaScritta) TabellaDaTesto(soglie, *tabella);
    esito = true;
    return fine();
}

} // namespace

std::string ImmagineMappa(const PaginaMappa& pagina) {
    std::string s(CellePaginaMappa, '\0');
    for (int n = 0; n < CellePaginaMappa; ++n) s[static_cast<size_t>(n)] = static_cast<char>(CellaMappa(pagina, n));
    return s;
}

void MappaDaImmagine(const std::string& immagine, PaginaMappa& pagina) {
    for (int n = 0; n < CellePaginaMappa && static_cast<size_t>(n) < immagine.size(); ++n)
        CellaMappa(pagina, n) = static_cast<uint8_t>(immagine[static_cast<size_t>(n)]);
}

int32_t LeggiMappaEcu(PaginaMappa& pagina, TabellaSoglie& tabella) { return LeggiPagina(CMD_READ_MAP, pagina, &tabella); }
int32_t LeggiMappaAdat(PaginaMappa& pagina) { return LeggiPagina(CMD_READ_ADAT, pagina, nullptr); }
int32_t LeggiMappaMape(PaginaMappa& pagina) { return LeggiPagina(CMD_READ_MAPE, pagina, nullptr); }

bool ScriviMappaEcu(PaginaMappa& pagina, const PaginaMappa& precedente, TabellaSoglie& tabella,
                    const TabellaSoglie& tabellaPrecedente, int16_t forza) {
    return ScriviPagina(CMD_WRITE_MAP, CMD_READ_MAP, pagina, precedente, &tabella, &tabellaPrecedente, forza != 0);
}

bool ScriviMappaAdat(PaginaMappa& pagina, const PaginaMappa& precedente) {
    return ScriviPagina(CMD_WRITE_ADAT, CMD_READ_ADAT, pagina, precedente, nullptr, nullptr, false);
}

bool ScriviMappaMape(PaginaMappa& pagina, const PaginaMappa& precedente) {
    return ScriviPagina(CMD_WRITE_MAPE, CMD_READ_MAPE, pagina, precedente, nullptr, nullptr, false);
}

bool ScriviTabellaSoglie(TabellaSoglie& tabella, TabellaSoglie& copia) {
    if (ScriviComandoEcu(CMD_WRITE_SOGLIE, TestoTabella(tabella)) != 0) return false;
    std::string soglie;
    if (LeggiSoglie(soglie) != 0) return false;
    TabellaDaTesto(soglie, tabella);
    copia = tabella;
    return true;
}

void CopiaMappa(const PaginaMappa& sorgente, PaginaMappa& destinazione) { destinazione = sorgente; }

} // namespace ModBlck
