#include "core/ModBlckSetCom.h"

#include <optional>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"

namespace ModBlck {

namespace {

// One parameter of a "[MSG]" list item "type,offset,scale"; missing or
// unreadable fields keep the empty type, offset 0 and scale 0.
void AggiungiParametro(BloccoParametri& b, const std::string& voce) {
    const auto campi = Conv::Split(voce, ",");
    std::string tipo;
    int32_t offset = 0, scala = 0;
    if (campi.size() > 0) tipo = Conv::Trim(campi[0]);
    if (campi.size() > 1)
        if (const auto v = Conv::CLng(Conv::Trim(campi[1]))) offset = *v;
    if (campi.size() > 2)
        if (const auto v = Conv::CLng(Conv::Trim(campi[2]))) scala = *v;
    b.CodiciTipo.push_back(tipo);
    b.Offset.push_back(offset);
    b.Scale.push_back(scala);
    b.Valori.push_back(0);
}

} // namespace

void LeggiSetCom(const std::string& percorso) {
    TabellaBlocchi.assign(1, BloccoParametri{0, {}, 0, {""}, {0}, {0}, {0}, {}, {}, false});
    ElencoFirmwareTipo1.clear();
    NumeriFirmwareTipo1.clear();
    ElencoFirmwareAltri.assign(1, std::string());
    NumeriFirmwareAltri.clear();
    int32_t voci = -1, voceAltri = -1;

    if (!ModGlobFunct::EsisteFile(percorso)) return;
    const auto letto = LeggiFileImpostazioni(percorso);
    if (!letto) return;
    const std::vector<std::string>& righe = *letto;
    const size_t n = righe.size();
    auto riga = [&](size_t i) -> const std::string* { return i < n ? &righe[i] : nullptr; };
    auto numero = [&](size_t i) -> std::optional<int32_t> {
        const std::string* s = riga(i);
        return s ? Conv::CLng(*s) : std::nullopt;
    };

    for (size_t i = 0; i < n; ++i) {
        // Every line is compared, value lines included: a value line equal to a
        // key starts that key's handling.
        const std::string chiave = Conv::UCase(righe[i]);
        if (chiave == "[MSG]") {
            ++voci;
            TabellaBlocchi.resize(static_cast<size_t>(voci) + 1);
            BloccoParametri& b = TabellaBlocchi[static_cast<size_t>(voci)];
            b = BloccoParametri{};
            if (const auto v = numero(i + 1)) b.Tipo = *v;
            if (const std::string* s = riga(i + 2)) b.Nome = *s;
            if (const std::string* s = riga(i + 3)) b.TramaRichiesta = *s;
            // A missing flag line counts as set.
            b.Streaming = riga(i + 4) == nullptr || Conv::Trim(*riga(i + 4)) == "1";
            // Without its list line the entry has no parameters.
            if (const std::string* s = riga(i + 7))
                for (const auto& voce : Conv::Split(*s, ";")) AggiungiParametro(b, voce);
        } else if (chiave == "[ATTESAPIPE_USEC]") {
            if (const auto v = numero(i + 1)) AttesaPipe = *v;
        } else if (chiave == "[MOLATTESAGLOBALE]") {
            if (const auto v = numero(i + 1)) MoltiplicatoreAttesa = *v;
        } else if (chiave == "[ATTESAGLOBALE_USEC]") {
            if (const auto v = numero(i + 1)) AttesaGlobale = *v;
        } else if (chiave == "[TIPOPORT]") {
            const std::string* s = riga(i + 1);
            if (!s) TipoPorta = 0;
            else {
                const std::string t = Conv::Trim(*s);
                TipoPorta = t == "0" ? 0 : t == "1" ? 1 : 2;
            }
        } else if (chiave == "[FIRMWARE]") {
            VoceFirmwareSetCom f;
            // A flag line that is missing or not a number counts as 1.
            const auto flag = numero(i + 3);
            f.Lista = flag ? *flag : 1;
            if (const auto v = numero(i + 2)) f.Numero = *v;
            if (const std::string* s = riga(i + 1))
                f.Identificativo = ModGlobFunct::ConvertiHexInTesto(f.Lista == 1 ? Conv::Trim(*s) : *s);
            if (f.Lista == 1) {
                ElencoFirmwareTipo1.push_back(f.Identificativo);
                NumeriFirmwareTipo1.push_back(f.Numero);
            } else {
                ++voceAltri;
                ElencoFirmwareAltri.resize(static_cast<size_t>(voceAltri) + 1);
                ElencoFirmwareAltri[static_cast<size_t>(voceAltri)] = f.Identificativo;
                NumeriFirmwareAltri.push_back(f.Numero);
            }
        }
    }
}

void CompletaAttese() {
    if (AttesaPipe <= 0) AttesaPipe = AttesaPipePredefinita;
    if (AttesaGlobale <= 0) AttesaGlobale = AttesaGlobalePredefinita;
    if (MoltiplicatoreAttesa <= 0) MoltiplicatoreAttesa = MoltiplicatoreAttesaPredefinito;
}

} // namespace ModBlck
