#include "config/ModBlckNomeConfigurazione.h"

#include <algorithm>
#include <optional>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckTrame.h"
#include "link/ModMainStatoLinea.h"

namespace ModBlck {

namespace {

constexpr size_t NomeCfgBlocco = 18;

std::string NomeCfgTagliaOCompleta(const std::string& s, size_t n) {
    std::string r = s.substr(0, std::min(s.size(), n));
    r.resize(n, ' ');
    return r;
}

} // namespace

std::optional<std::string> TestoDaValori(const std::vector<int32_t>& valori, size_t da, size_t a,
                                         const std::vector<int32_t>& ammessi, int32_t predefinito) {
    std::string t;
    for (size_t k = da; k <= a; ++k) {
        if (k >= valori.size()) return std::nullopt;
        const int32_t v = valori[k];
        const bool ammesso = std::find(ammessi.begin(), ammessi.end(), v) != ammessi.end();
        const int32_t c = ammesso ? v : predefinito;
        if (c < 0 || c > 255) return std::nullopt;
        t += static_cast<char>(c);
    }
    return Conv::Trim(t);
}

std::string FormaNome(const std::string& nome) {
    std::string n = Conv::Trim(nome);
    const std::string estensione = "." + ModMain::EstensioneArchivio;
    if (n.size() >= estensione.size() &&
        Conv::UCase(n.substr(n.size() - estensione.size())) == Conv::UCase(estensione))
        n.resize(n.size() - estensione.size());
    return NomeCfgTagliaOCompleta(n, LunghezzaNome);
}

std::string FormaNota(const std::string& nota) { return NomeCfgTagliaOCompleta(Conv::Trim(nota), LunghezzaNota); }

void LeggiNomeConfigurazione(std::string& nome, std::string& nota) {
    nome.clear();
    nota.clear();
    if (TabellaBlocchi.size() <= NomeCfgBlocco) return;
    const auto& valori = TabellaBlocchi[NomeCfgBlocco].Valori;
    const auto n = TestoDaValori(valori, 0, LunghezzaNome - 1, CaratteriEcu, CarattereDefault);
    const auto t = TestoDaValori(valori, LunghezzaNome, LunghezzaNome + LunghezzaNota - 1, CaratteriAscii,
                                 CarattereDefault);
    if (!n || !t) return;
    nome = *n;
    nota = *t;
}

void ImpostaNomeConfigurazione(const std::string& nome, std::string& nota) {
    ModMain::NomeConfigurazione = FormaNome(nome);
    const std::string testo = ModMain::NomeConfigurazione + FormaNota(nota);
    if (ModMain::StatoConnessione != STATO_OFFLINE) {
        ListaModifiche lista(testo.size());
        for (size_t k = 0; k < testo.size(); ++k)
            lista[k] = {static_cast<uint8_t>(testo[k]), static_cast<int32_t>(k), 0};
        ModificheBlocco18 = std::move(lista);
        return;
    }
    nota = testo.substr(LunghezzaNome);
    if (TabellaBlocchi.size() <= NomeCfgBlocco) return;
    BloccoParametri& b = TabellaBlocchi[NomeCfgBlocco];
    for (size_t k = 0; k < testo.size() && k < b.Valori.size(); ++k) b.Valori[k] = static_cast<uint8_t>(testo[k]);
    std::string dati;
    CodificaBlocco(dati, b);
    // The length byte stays 0x7C (120 data bytes) whatever the definition encodes.
    std::string r{'\x42', '\x01', '\x7C', static_cast<char>(ComandoRispostaBlocco18), '\x00'};
    r += dati;
    r += static_cast<char>(CalcolaXor(r));
    b.UltimaRisposta = r;
}

} // namespace ModBlck
