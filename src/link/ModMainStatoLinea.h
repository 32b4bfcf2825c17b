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

// Page ids the link code refers to (the live-data trace and the refresh after
// offline edits); the shell owns the whole list.
enum IdScheda : int32_t {
    SCHEDA_LOGGER = 1,
    SCHEDA_INIETTORI = 3,
    SCHEDA_OBD = 7,
    SCHEDA_ERRORI = 11,
    SCHEDA_LAMBDA = 17,
    SCHEDA_COMMUTAZIONE = 25,
    SCHEDA_SENSORI = 26,
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
