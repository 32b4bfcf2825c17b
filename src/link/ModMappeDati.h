#pragma once
// The map data the whole program shares: the three map pages with their
// one-level undo copies, the 16-byte threshold and option table with its edit
// and undo copies, and the working axes of the map pages.
#include <array>
#include <cstdint>

#include "core/PaginaMappa.h"

// The ECU's 16 threshold and option bytes, index 0..15.
using TabellaSoglie = std::array<uint8_t, 16>;

namespace ModMain {

inline PaginaMappa MappaPagina0{}; // main map
inline PaginaMappa MappaPagina1{}; // adaptive map
inline PaginaMappa MappaPagina2{}; // third map
// Undo copies: what the ECU is taken to hold; the map writers send only what differs.
inline PaginaMappa UndoPagina0{};
inline PaginaMappa UndoPagina1{};
inline PaginaMappa UndoPagina2{};
// 1 once an edit or an undo of the page has made its undo copy worth restoring.
inline uint8_t UndoDisponibile0 = 0;
inline uint8_t UndoDisponibile1 = 0;
inline uint8_t UndoDisponibile2 = 0;

inline TabellaSoglie MatSoglie{};           // the copy in use
inline TabellaSoglie MatSoglieModificata{}; // the copy the settings pages edit
inline TabellaSoglie MappaTaratura{};       // undo copy, the previous table of the main-map writer

// Working axes of the map pages: rpm x 64, injection time x 0.128 ms.
inline std::array<uint8_t, ColonnePaginaMappa> AsseRpmLavoro{};
inline std::array<uint8_t, RighePaginaMappa> AsseTinjLavoro{};

// Map page k (0, 1, 2), its undo copy and its undo-available byte.
inline PaginaMappa& PaginaMappaK(int k) { return k == 1 ? MappaPagina1 : k == 2 ? MappaPagina2 : MappaPagina0; }
inline PaginaMappa& UndoPaginaK(int k) { return k == 1 ? UndoPagina1 : k == 2 ? UndoPagina2 : UndoPagina0; }
inline uint8_t& UndoDisponibileK(int k) { return k == 1 ? UndoDisponibile1 : k == 2 ? UndoDisponibile2 : UndoDisponibile0; }

// Page k was just replaced from the ECU or a file: its undo copy becomes the
// page (the chunk-wise writer compares against it, so it must match what the
// ECU holds) and there is nothing to undo.
inline void AllineaUndoPagina(int k) {
    UndoPaginaK(k) = PaginaMappaK(k);
    UndoDisponibileK(k) = 0;
}

} // namespace ModMain
