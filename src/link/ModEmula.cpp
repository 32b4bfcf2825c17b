#include "link/ModEmula.h"

#include "core/ModBlckBlocchi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"
#include "link/ModBlckTransazioni.h"
#include "link/ModPipe.h"

namespace ModEmula {

bool ScriviEmulazione() {
    constexpr size_t blocco11 = 11;
    const uint8_t modo = static_cast<uint8_t>(ModPipe::ModoLinea);
    if (blocco11 >= TabellaBlocchi.size()) {
        ModBlck::ImpostaModoLinea(modo);
        return false;
    }
    BloccoParametri& b = TabellaBlocchi[blocco11];
    std::vector<int32_t> letti;
    bool daRipristinare = false;
    auto guasto = [&] {
        // The edits the ECU may not have are not left in memory as if stored.
        if (daRipristinare) b.Valori = letti;
        ModBlck::ImpostaModoLinea(modo);
        return false;
    };
    if (ModBlck::ImpostaModoLinea(2) != 0) return guasto();
    letti = b.Valori;
    daRipristinare = true;
    if (ModBlck::LeggiBloccoEcu(blocco11, b, false) != 0) return guasto();
    letti = b.Valori;
    // An index beyond the block is a fault: nothing is written and the list is kept.
    if (!ModBlck::ApplicaModifiche(b.Valori, ModBlck::ModificheBlocco11)) return guasto();
    if (ModBlck::ScriviBloccoEcu(b, CMD_WRITE_BLK11) != 0) return guasto();
    if (ModBlck::LeggiBloccoEcu(blocco11, b, true) != 0) return guasto();
    daRipristinare = false;
    if (ModBlck::ImpostaModoLinea(modo) != 0) return guasto();
    ModBlck::ModificheBlocco11 = ModBlck::ListaVuota();
    return true;
}

} // namespace ModEmula
