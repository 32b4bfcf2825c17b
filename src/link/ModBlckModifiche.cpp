#include "link/ModBlckModifiche.h"

#include "link/ModMainStatoLinea.h"

namespace ModBlck {

bool ApplicaModifiche(std::vector<int32_t>& valori, const ListaModifiche& lista) {
    bool tutte = true;
    for (const ModificaPendente& m : lista) {
        if (m.IndiceValore < 0) continue;
        if (static_cast<size_t>(m.IndiceValore) >= valori.size()) {
            tutte = false;
            continue;
        }
        int32_t& p = valori[static_cast<size_t>(m.IndiceValore)];
        if (m.Maschera < 1)
            p = m.Valore;
        else if (m.Valore != 0)
            p |= m.Maschera;
        else
            p &= ~m.Maschera;
    }
    return tutte;
}

void ApplicaModificheBlocco(BloccoParametri& blocco, const ListaModifiche& lista) {
    ApplicaModifiche(blocco.Valori, lista);
    // The refresh depends on the page shown, not on the block.
    switch (ModMain::PaginaCorrente) {
    case SCHEDA_INIETTORI:
    case SCHEDA_SENSORI:
    case SCHEDA_COMMUTAZIONE:
    case SCHEDA_OBD:
    case SCHEDA_LAMBDA:
    case SCHEDA_ERRORI:
        if (AggiornaSchedaDopoModifiche) AggiornaSchedaDopoModifiche(ModMain::PaginaCorrente);
        break;
    default:
        break;
    }
}

} // namespace ModBlck
