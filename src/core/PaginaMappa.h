#pragma once
// One gas correction map page: 23 injection-time rows by 24 rpm columns of
// bytes. Pages travel column by column: byte n of a page image is row n mod 23
// of column n div 23.
#include <array>
#include <cstdint>

inline constexpr int RighePaginaMappa = 23;
inline constexpr int ColonnePaginaMappa = 24;
inline constexpr int CellePaginaMappa = RighePaginaMappa * ColonnePaginaMappa; // 552

// page[row][column]
using PaginaMappa = std::array<std::array<uint8_t, ColonnePaginaMappa>, RighePaginaMappa>;

// Cell n of the page in travel order (row n mod 23, column n div 23).
inline uint8_t& CellaMappa(PaginaMappa& p, int n) { return p[n % RighePaginaMappa][n / RighePaginaMappa]; }
inline uint8_t CellaMappa(const PaginaMappa& p, int n) { return p[n % RighePaginaMappa][n / RighePaginaMappa]; }
