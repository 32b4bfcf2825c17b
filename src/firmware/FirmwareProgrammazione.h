#pragma once
// The flash programming sequence of the firmware page, without a screen: it
// talks to the ECU through the companion and reports its progress to a view.
#include <cstdint>
#include <string>

namespace FirmwareProgrammazione {

// Result codes; the first failing step decides.
enum Esito : int32_t {
    ESITO_OK = 0,
    ESITO_IMMAGINE_NON_LETTA = 1, // the image buffer is incomplete: nothing is sent
    ESITO_LETTURA_CONFIGURAZIONE = 2,
    ESITO_INGRESSO = 3,
    ESITO_CANCELLAZIONE = 4,      // also the restart
    ESITO_ATTESA_DOPO_CANCELLAZIONE = 5,
    ESITO_SCRITTURA = 6,
    ESITO_ATTESA_DOPO_SCRITTURA = 7,
    ESITO_ATTESA_DOPO_RIAVVIO = 9,
    ESITO_RECORD_ECU = 10,
};

// What the sequence shows: the stage text (LblBackBar) and the bar
// (ShpBarUpDate), widths in twips.
class VistaProgrammazione {
public:
    virtual ~VistaProgrammazione() = default;
    virtual void Fase(const std::string& testo) {}
    virtual void Barra(int32_t larghezza, bool visibile) {}
    virtual int32_t LarghezzaEtichetta() { return 6000; }
    // The warning of an image without data (title: the page's caption).
    virtual void AvvisoImmagineVuota(const std::string& testo) {}
};

// The configuration services around the update; tests replace them.
inline bool (*SalvaConfigurazione)(const std::string& percorso) = nullptr;
inline bool (*CaricaConfigurazione)(const std::string& percorso) = nullptr;

// Reference reply substituted for block 5 when it cannot be read.
inline constexpr const char* RispostaBlocco5Sostitutiva = "42011430009A0200051209140019010680060004006B";

// Steps 2 to 17 of the sequence: block 5 kept, the configuration saved,
// programming entered, the flash erased and written, the ECU restarted, block
// 5 written back and the configuration reloaded. `p` is the page's dictionary
// offset. Exit and link loss raised meanwhile wait until it returns.
int32_t Programma(VistaProgrammazione& vista, int16_t p);
// Erases the flash when the chosen image has data in at least one sector.
bool EraseAllFlash(VistaProgrammazione& vista, int16_t p);
// Writes the 128 buffer bytes from flash address `indirizzo`: "%OK" or "%KO";
// a block of 0xFF only is not sent.
std::string WriteMemoryToTab(int32_t indirizzo);
// LblMsg for a result code.
std::string MessaggioEsito(int32_t esito, int16_t p);

} // namespace FirmwareProgrammazione
