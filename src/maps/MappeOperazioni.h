#pragma once
// What the two map editors do to a map page, without a screen: the cell
// operations on the texts of a grid selection (add, percent, set), the
// transfers between the full editor's grid and a page, its axis captions, the
// clipboard text of a selection and the paste, the one-level undo of a page,
// and the page ids and requests of each map page.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/PaginaMappa.h"
#include "maps/ModBlckAssi.h"

// The cell texts of a grid: row 0 and column 0 are the header captions.
struct TestiGriglia {
    TestiGriglia() = default;
    TestiGriglia(int32_t righe, int32_t colonne)
        : Righe(righe), Colonne(colonne), Celle(static_cast<size_t>(righe * colonne)) {}
    std::string& operator()(int32_t r, int32_t c) { return Celle[static_cast<size_t>(r * Colonne + c)]; }
    const std::string& operator()(int32_t r, int32_t c) const { return Celle[static_cast<size_t>(r * Colonne + c)]; }
    bool operator==(const TestiGriglia&) const = default;

    int32_t Righe = 0;
    int32_t Colonne = 0;
    std::vector<std::string> Celle; // row by row
};

// Current cell (Row, Col) and the far corner of the selection (RowSel, ColSel).
struct SelezioneGriglia {
    int32_t Row = 1, Col = 1, RowSel = 1, ColSel = 1;
};

// The dialog's operations.
enum OperazioneGriglia : int32_t { OP_ANNULLATA = 0, OP_SOMMA = 1, OP_PERCENTUALE = 2, OP_IMPOSTA = 3 };

namespace MappeOperazioni {

// A grid text as a number in the user's locale (ModGlobFunct::SeparatoreDecimale);
// nothing when it is not one.
std::optional<double> NumeroLocale(std::string_view testo);
// Decimal text in the user's locale: 15 significant digits, or 7 for a
// single-precision value.
std::string TestoNumero(double v);
std::string TestoNumeroSingolo(float v);

// Applies the operation to every selected cell; a cell whose text is not a
// number is left alone. No clamping: the page transfer does it.
void ModificaValoriGrigliaLibera(TestiGriglia& griglia, const SelezioneGriglia& sel, int32_t TpyO, float Value,
                                 uint8_t Fact);

// Full editor (24 rows by 25 columns): data cell (r, c) is page cell (r - 1, c - 1).
void CaricaMatriceInGriglia(TestiGriglia& griglia, const PaginaMappa& pagina, double Fact);
// Every cell: empty gives 0, otherwise the number / Fact rounded down and
// clamped to 0..255; a text that is not a number keeps the page's byte.
void CaricaGrigliaInMatrice(const TestiGriglia& griglia, PaginaMappa& pagina, double Fact);
// Row captions in ms to one decimal, column captions in rpm / 10.
void CaricaAssiInMatrice(TestiGriglia& griglia, const ModBlck::AsseGiri& asseRpm, const ModBlck::AsseTempi& asseTinj);

// Clipboard text of the selection: a tab and the column captions, CR LF, then
// each row's caption and cells tab-separated, rows ended by CR LF except the
// last, which ends with a tab.
std::string TestoCopia(const TestiGriglia& griglia, const SelezioneGriglia& sel);
// Paste anchored at (Row, Col): numeric fields rounded half to even and
// clamped to 0..255; empty, non-numeric and outside fields are skipped.
void IncollaTesto(TestiGriglia& griglia, int32_t Row, int32_t Col, std::string_view testo);

// Undo copy of page k (0, 1, 2) := the page; undo becomes available.
void AggiornaUndo(int k);
// Exchanges page k with its undo copy (a second call restores): one level of
// undo and redo. The threshold table is never touched.
void ReplaceUndo(int k);

// Per map page k: write request (11, 63, 62), view bit in byte 15 of the
// threshold table (0x08, 0x02, 0x01), full editor page (12, 47, 49) and
// coarse view page (27, 48, 50).
int32_t RichiestaScrittura(int k);
uint8_t BitVista(int k);
int32_t SchedaEditor(int k);
int32_t SchedaCarburazione(int k);
// The page a map selector opens for list index `indice`, by the view bits.
int32_t SchedaDaSelettore(int32_t indice, uint8_t byte15);

} // namespace MappeOperazioni
