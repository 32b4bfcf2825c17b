#include "engine/ServiziInterfaccia.h"

#include "engine/ModBlckSequenza.h"

bool ServiziInterfaccia::FrmSeqInj_SonoAnticipato() { return !ModBlck::AssegnazioneNormale(); }

namespace {

// Stands in until the shell registers itself: the engine runs without a window.
class InterfacciaAssente final : public ServiziInterfaccia {};

InterfacciaAssente assente;
ServiziInterfaccia* registrata = nullptr;

} // namespace

namespace MDIFrm {

void RegistraInterfaccia(ServiziInterfaccia* servizi) { registrata = servizi; }

ServiziInterfaccia& Interfaccia() { return registrata ? *registrata : assente; }

} // namespace MDIFrm
