#pragma once
// The injection sequence: which gas output each petrol channel drives (block
// 15 values 6..13), the firing order the ECU acquired (values 79 on, valid
// while value 78 is 0) and the normal or anticipated assignment built from it.
// Screen-free: the popup, the management page, the executor and the
// direct-injection wizard share these.
#include <cstdint>
#include <vector>

namespace ModMain {

// Largest phase shift tried when the stored assignment is recognised; the
// sequence popup replaces it from ConfigScale.ini when it loads.
inline int32_t SceltaSeqInj = 3;

} // namespace ModMain

namespace ModBlck {

// Assignment for phase shift `shift` from `ordine` (firing position -> channel):
// result(ordine(k)) = ordine((k + shift) mod n). `shift` above `ultimo` is
// lowered in place. Entries whose index falls outside 0..ultimo are skipped;
// a position no entry reaches stays 0. `risultato` gets ultimo + 1 elements.
void CalcolaTabellaIniettori(std::vector<int32_t>& risultato, const std::vector<int32_t>& ordine, int32_t ultimo,
                             int32_t& shift);

// True when `ordine` holds each of 0..n-1 exactly once (n = its size).
bool OrdineValido(const std::vector<int32_t>& ordine);

// The acquired firing order (block 15 values 79..79+n-1), n = block 3 value 1.
// Empty when n is outside 1..8, value 78 is not 0, a value is missing or the
// order is no permutation of 0..n-1: then there is no valid acquisition.
std::vector<int32_t> OrdineAcquisito();

// Stages in ModificheBlocco15 the normal assignment (eight entries, entry i =
// {i, 6 + i, 0}) and, with `anticipata` and a valid acquisition, the
// anticipated one for `shift` over the first n entries (shift may come back
// lowered to n - 1). Anticipated without a valid acquisition: the popup's
// "impossible" text in a box, the normal assignment stays staged.
void CalcolaSequenzaIniezione(int32_t& shift, bool anticipata);

// Number of cylinders (block 3 value 1), 0 when missing.
int32_t NumeroCilindri();
// Block 15 value k, 0 when missing.
int32_t ValoreSequenza(size_t k);

// The stored assignment counts as normal: value 6 + k = k for k < n (n capped
// at 8), or value 78 is 1 or 2.
bool AssegnazioneNormale();
// Offset of the status text after "[FrmSeqInj]": 5 for value 78 = 1, 6 for 2,
// 7 otherwise.
int32_t OffsetStatoSequenza();

} // namespace ModBlck

namespace ModGlobFunct {

// Phase shift of the stored assignment: 0 when value 78 is not 0 or the
// assignment is normal; t (1..min(SceltaSeqInj, n-1)) when it equals the
// anticipated assignment for t, the lowest first; -1 otherwise (also for a
// cylinder count above 8).
int32_t CalcolaTabellaSeqInj();

} // namespace ModGlobFunct
