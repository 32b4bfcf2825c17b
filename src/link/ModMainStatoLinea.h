#pragma once
// Program-wide link state and link flags. The link timer owns them; the pipe
// transport raises flags from below, so they are declared at this layer.
#include <cstdint>

// Values of StatoConnessione.
enum StatoSessione : int32_t {
    STATO_RICERCA = 0,
    STATO_CONNESSO = 2,
    STATO_ESECUZIONE = 3,
    STATO_OFFLINE = 4,
    STATO_USCITA = 5,
    STATO_FIRMWARE = 6,
    STATO_TARATURA = 7,
};

// Page ids: the page MDIFrm.SelezioneScheda shows and PaginaCorrente holds.
enum IdScheda : int32_t {
    SCHEDA_PRINCIPALE = 0,
    SCHEDA_LOGGER = 1,
    SCHEDA_INIETTORI = 3,
    SCHEDA_AUTOTARATURA = 5,
    SCHEDA_OBD = 7,
    SCHEDA_COMPENSAZIONI = 8,
    SCHEDA_ERRORI = 11,
    SCHEDA_MAPPA = 12,
    SCHEDA_FIRMWARE = 13,
    SCHEDA_LAMBDA = 17,
    SCHEDA_SEQINJ = 22,
    SCHEDA_HOME = 24,
    SCHEDA_COMMUTAZIONE = 25,
    SCHEDA_SENSORI = 26,
    SCHEDA_CARBURAZIONE = 27,
    SCHEDA_GESTIONE = 44,
    SCHEDA_ARCHIVIO = 45,
    SCHEDA_INJDIR = 46,
    SCHEDA_MAPPA_1 = 47,
    SCHEDA_CARBURAZIONE_1 = 48,
    SCHEDA_MAPPA_2 = 49,
    SCHEDA_CARBURAZIONE_2 = 50,
    SCHEDA_ACQUISIZIONE_1 = 51,
    SCHEDA_ACQUISIZIONE_2 = 52,
    SCHEDA_ACQUISIZIONE_3 = 53,
    SCHEDA_ACQUISIZIONE_4 = 54,
};

namespace ModMain {

inline int32_t StatoConnessione = STATO_RICERCA;
// Bytes, 1 = raised.
inline uint8_t RiconnessioneRichiesta = 0;
inline uint8_t LineaPersa = 0;
inline uint8_t UscitaRichiesta = 0;
// Page id shown by the main window.
inline int32_t PaginaCorrente = 0;

} // namespace ModMain
