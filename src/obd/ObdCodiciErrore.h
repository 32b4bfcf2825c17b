#pragma once
// The OBD page's trouble-code and MIL group, without a screen: the option
// boxes from blocks 12 and 19, the selective-erase list, adding and removing
// a code, the writes of the MIL options and the status indicator.
#include <cstdint>
#include <string>
#include <vector>

#include "link/ModBlckModifiche.h"

namespace ObdCodiciErrore {

// Colours (&HBBGGRR) of the indicator.
constexpr int32_t Rosso = 0x0000FF, Verde = 0x00FF00, Giallo = 0x00FFFF, Ciano = 0xFFFF00, Viola = 0xFF008F,
                  Grigio = 0xA0A0A0;

// Selective erase and permanent MIL off: enabled and ticked.
struct OpzioniSpia {
    bool SelettivaAbilitata = false, SelettivaSpuntata = false;
    bool PermanenteAbilitata = false, PermanenteSpuntata = false;
};
OpzioniSpia CalcolaOpzioniSpia(bool nuovaObd, int32_t b12v25, int32_t b12v84, int32_t b19v0);

// The codes of block 19 values 2-26 that are at least 1, as texts.
std::vector<std::string> ListaSelettiva(const std::vector<int32_t>& blocco19);

// Adding or removing a code of the selective-erase list.
enum class Esito { Scritto, NonValido, GiaPresente, ListaPiena, NessunaSelezione, NonPresente };
struct Modifica {
    Esito esito = Esito::NonValido;
    ListaModifiche Blocco19; // the entry to write when esito is Scritto
};
Modifica AggiungiCodice(const std::string& testo, const std::vector<int32_t>& blocco19);
// `selezione` empty: nothing is selected.
Modifica TogliCodice(const std::string& selezione, bool selezionato, const std::vector<int32_t>& blocco19);

// A MIL option box with the extended capability: selective erase (bit 0x01)
// or permanent (bit 0x08). When the car ECU reports bit 0x80 of value 84 and
// block 12 value 25 is not 1, value 25 is written 1 first (request 67).
struct ScritturaSpia {
    ListaModifiche Blocco12, Blocco19;
    int32_t Richiesta = 0;
};
ScritturaSpia ScriviOpzioneSpia(int32_t maschera, bool spuntata, int32_t b12v84, int32_t b12v25);

// Which of the three mutually exclusive boxes the rules disable (never enable).
struct Esclusioni {
    bool KeyOff = false, KeyOn = false, Selettiva = false;
};
Esclusioni CalcolaEsclusioni(bool selettiva, bool keyOff, bool keyOn, bool livello);

// The indicator: colour and text. `testo` 0 = none, 1-5 the indicator texts;
// with 4 or 5 the heading is followed by ":", CR LF and the codes.
struct Indicatore {
    int32_t Colore = Grigio;
    int32_t Testo = 0;
    std::vector<std::string> Codici;
};
Indicatore CalcolaIndicatore(bool nuovaObd, int32_t b2v1, int32_t b2v2, int32_t b12v0, int32_t b19v0,
                             const std::vector<int32_t>& blocco20);
std::string TestoIndicatore(const Indicatore& i, const std::string testi[5]);
// The colour of the key-on lamp shape.
int32_t ColoreKeyOn(bool nuovaObd, int32_t b2v2, int32_t b12v0, int32_t b19v0, int32_t b20v0);

} // namespace ObdCodiciErrore
