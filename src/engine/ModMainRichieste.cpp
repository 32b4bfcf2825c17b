#include "engine/ModMainRichieste.h"

#include "engine/ServiziInterfaccia.h"

namespace ModMain {

void RichiediOperazione(int32_t codice, bool mostraAttesa) {
    if (RichiestaPendente != 0) return;
    RichiestaPendente = codice;
    // Posting 0 leaves the slot empty and the overlay alone.
    if (codice == 0) return;
    if (mostraAttesa) MDIFrm::Interfaccia().FrmUpdate_AvviaTimer();
}

} // namespace ModMain
