// The encoded-text check and both text readers on any file content.
#include "Entrate.h"

#include "core/ModBlckFile.h"
#include "platform/Dialoghi.h"

namespace {

int TestoCodificato(const uint8_t* dati, size_t lunghezza) {
    // Message boxes are recorded, never shown; the record is emptied each run.
    if (!Piattaforma::Copione::Attivo()) Piattaforma::Copione::Attiva(true);
    Piattaforma::Copione::Azzera();
    const std::string p = Fuzz::ScriviIngresso("lng/testo.txt", dati, lunghezza);
    const bool codificato = ModBlck::VerificaFileCodificato(p);
    const auto decodificate = ModBlck::LeggiFileCodificato(p);
    const auto righe = ModBlck::LeggiFileTesto(p);
    // A file the check accepts always has a marker the decoding reader accepts.
    if (codificato && !decodificate && !Piattaforma::Copione::Messaggi().empty()) __builtin_trap();
    // Joined again with CR LF, the plain lines give the file back.
    if (righe) {
        std::string unito;
        for (size_t i = 0; i < righe->size(); ++i) unito += (i ? "\r\n" : "") + (*righe)[i];
        if (unito != std::string(reinterpret_cast<const char*>(dati), lunghezza)) __builtin_trap();
    }
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(testo_codificato, TestoCodificato);
