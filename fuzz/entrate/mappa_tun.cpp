// The OBD map file (.tun) reader on any content: its "[TRisult]" line as the
// download reads it and as the open command checks it, and the table texts of
// a line the check accepts.
#include <cstdlib>

#include "Entrate.h"
#include "platform/Dialoghi.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "obd/ObdMappa.h"

namespace {

int EntrataMappaTun(const uint8_t* dati, size_t lunghezza) {
    if (!Piattaforma::Copione::Attivo()) Piattaforma::Copione::Attiva(true);
    Piattaforma::Copione::Azzera();
    const std::string percorso = Fuzz::ScriviIngresso("Tune/Ingresso.tun", dati, lunghezza);
    std::string riga;
    ModMain::LeggiRigheFile(percorso, "[TRisult]", riga);
    const auto righe = ModBlck::LeggiFileTesto(percorso);
    const auto verifica = ObdMappa::VerificaFileMappa(righe ? *righe : std::vector<std::string>{});
    if (verifica.Valida && !verifica.Trovata) std::abort();
    const std::string byte = ModGlobFunct::ConvertiHexInTesto(riga);
    if (ObdMappa::TestiTabella(byte).size() != static_cast<size_t>(ObdMappa::Righe * ObdMappa::Colonne)) std::abort();
    return 0;
}

} // namespace

REGISTRA_ENTRATA_FUZZ(mappa_tun, EntrataMappaTun);
