#pragma once
// Pending edits: a page stages the changes it wants for a block and posts the
// request that writes it; the writer (or, offline, the link timer) applies them.
#include <cstdint>
#include <functional>
#include <vector>

#include "core/ModBlckBlocchi.h"

struct ModificaPendente {
    int32_t Valore = 0;         // new value; for a bit edit non-zero sets, 0 clears
    int32_t IndiceValore = -1;  // value index in the block; -1 = empty entry
    int32_t Maschera = 0;       // below 1: plain edit; otherwise the bits to set or clear
};

using ListaModifiche = std::vector<ModificaPendente>;

namespace ModBlck {

// The empty list: one entry with index -1.
inline ListaModifiche ListaVuota() { return ListaModifiche(1); }

inline ListaModifiche ModificheBlocco2 = ListaVuota();
inline ListaModifiche ModificheBlocco3 = ListaVuota();
inline ListaModifiche ModificheBlocco11 = ListaVuota();
inline ListaModifiche ModificheBlocco12 = ListaVuota();
inline ListaModifiche ModificheBlocco14 = ListaVuota();
inline ListaModifiche ModificheBlocco15 = ListaVuota();
inline ListaModifiche ModificheBlocco16 = ListaVuota();
inline ListaModifiche ModificheBlocco18 = ListaVuota();
inline ListaModifiche ModificheBlocco19 = ListaVuota();

// Applies the entries in order to the values (the writers' rule); entries with
// a negative index, or an index beyond the block's values, are skipped. False
// when an index lay beyond the values.
bool ApplicaModifiche(std::vector<int32_t>& valori, const ListaModifiche& lista);

// Page refresh after an offline application, registered by the main window:
// called with the page id shown when that page shows block values.
inline std::function<void(int32_t idScheda)> AggiornaSchedaDopoModifiche;

// Offline: applies the list to the block, then refreshes the page shown.
void ApplicaModificheBlocco(BloccoParametri& blocco, const ListaModifiche& lista);

} // namespace ModBlck
