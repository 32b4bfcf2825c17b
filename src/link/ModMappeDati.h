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

inline TabellaSoglie MatSoglie{};           // the copy in use
inline TabellaSoglie MatSoglieModificata{}; // the copy the settings pages edit
inline TabellaSoglie MappaTaratura{};       // undo copy, the previous table of the main-map writer

// Working axes of the map pages: rpm x 64, injection time x 0.128 ms.
inline std::array<uint8_t, ColonnePaginaMappa> AsseRpmLavoro{};
inline std::array<uint8_t, RighePaginaMappa> AsseTinjLavoro{};

} // namespace ModMain
