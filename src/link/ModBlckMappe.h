#pragma once
// Map pages and the threshold table between the ECU and the program. A page
// travels as its 552-byte image in five chunks (110, 110, 110, 110, 112 bytes
// at offsets 0, 110, 220, 330, 440); the writers send only the chunks that
// differ from the previous copy and then take those chunks from the ECU's
// read-back. Results: the readers give 0 or the failing code (1-3 bad reply,
// 4 time-out or send failure); the writers give true when every step worked.
#include <cstdint>
#include <string>

#include "core/PaginaMappa.h"
#include "link/ModMappeDati.h"

namespace ModBlck {

// Main map and threshold table. On failure the page and the table keep their
// contents and the link mode stays 2.
int32_t LeggiMappaEcu(PaginaMappa& pagina, TabellaSoglie& tabella);
int32_t LeggiMappaAdat(PaginaMappa& pagina);
int32_t LeggiMappaMape(PaginaMappa& pagina);

// `pagina` is sent against `precedente` and, on success, overwritten with the
// read-back; `forza` non-zero sends every chunk and the table. The saved link
// mode is sent back on every path.
bool ScriviMappaEcu(PaginaMappa& pagina, const PaginaMappa& precedente, TabellaSoglie& tabella,
                    const TabellaSoglie& tabellaPrecedente, int16_t forza);
bool ScriviMappaAdat(PaginaMappa& pagina, const PaginaMappa& precedente);
bool ScriviMappaMape(PaginaMappa& pagina, const PaginaMappa& precedente);

// Writes the table, reads it back into `tabella`, then copies it into `copia`
// (which may be the same table). No link-mode change.
bool ScriviTabellaSoglie(TabellaSoglie& tabella, TabellaSoglie& copia);

void CopiaMappa(const PaginaMappa& sorgente, PaginaMappa& destinazione);

// Image byte order of a page (column by column) and back.
std::string ImmagineMappa(const PaginaMappa& pagina);
void MappaDaImmagine(const std::string& immagine, PaginaMappa& pagina);

} // namespace ModBlck
