#include "config/ArchivioRegole.h"

#include <algorithm>
#include <filesystem>

#include "core/Conversioni.h"

namespace ArchivioRegole {

namespace fs = std::filesystem;

namespace {

constexpr int32_t ArchivioEsc = 27;
constexpr const char* ArchivioMarcaNota = "[NOTE]";

bool ArchivioIniziaCon(const std::string& testo, const std::string& inizio) {
    return testo.size() >= inizio.size() && Conv::UCase(testo.substr(0, inizio.size())) == Conv::UCase(inizio);
}

bool ArchivioFinisceCon(const std::string& testo, const std::string& fine) {
    return testo.size() >= fine.size() && Conv::UCase(testo.substr(testo.size() - fine.size())) == Conv::UCase(fine);
}

} // namespace

std::string NomeArchivio(const std::string& costruttore, const std::string& modello, const std::string& cilindri,
                         const std::string& id, const std::string& estensione) {
    return Conv::Trim(costruttore + "_" + modello + "_" + cilindri + "_" + id) + "." + estensione;
}

std::array<std::string, 4> CampiNome(const std::string& nome, bool togliEstensione) {
    std::string s = nome;
    if (togliEstensione && s.size() > 4) s.resize(s.size() - 4);
    std::array<std::string, 4> campi;
    const std::vector<std::string> pezzi = Conv::Split(s, "_");
    for (size_t i = 0; i < campi.size() && i < pezzi.size(); ++i) campi[i] = pezzi[i];
    return campi;
}

bool CarattereConsentito(int32_t codice) {
    return codice == 8 || codice == 32 || (codice >= '0' && codice <= '9') || (codice >= 'A' && codice <= 'Z') ||
           (codice >= 'a' && codice <= 'z') || codice == 96;
}

int32_t FiltraCarattere(int32_t codice) { return CarattereConsentito(codice) ? codice : ArchivioEsc; }

bool FileNellaCartella(const std::string& cartella, const std::string& percorso) {
    std::error_code ec;
    const fs::path file = fs::weakly_canonical(fs::path(percorso), ec);
    if (ec || !file.has_filename() || file.filename() == "." || file.filename() == "..") return false;
    const fs::path radice = fs::weakly_canonical(fs::path(cartella), ec);
    // Through a name inside it, a folder given with or without its last separator compares the same.
    return !ec && file.parent_path() == (radice / "x").parent_path();
}

std::vector<std::string> DividiCostruttori(const std::string& contenuto) {
    std::vector<std::string> r;
    if (contenuto.empty()) return r; // an empty file lists no maker
    for (const std::string& pezzo : Conv::Split(contenuto, "\r\n")) r.push_back(Conv::UCase(pezzo));
    return r;
}

std::string NotaArchivio(const std::vector<std::string>& righe) {
    const auto marca = std::find(righe.begin(), righe.end(), ArchivioMarcaNota);
    if (marca == righe.end() || marca + 1 == righe.end()) return {};
    std::string nota = *(marca + 1);
    // Every later line counts, the file's last one included, up to the next section.
    for (auto it = marca + 2; it != righe.end() && (it->empty() || (*it)[0] != '['); ++it) nota += "\r\n" + *it;
    return nota;
}

std::string NotaPredefinita(const std::vector<std::string>& righe) {
    const auto marca = std::find(righe.begin(), righe.end(), ArchivioMarcaNota);
    if (marca == righe.end() || marca + 1 == righe.end()) return {};
    return *(marca + 1);
}

StatoModalita ApplicaModalita(int32_t n, StatoModalita s) {
    switch (n) {
    case 0: s.Salva = false; break;
    case 2: s.Apri = false; break;
    case 3: s = {false, true, false}; break;
    case 4: s.Ripristina = false; break;
    case 5: s = {false, false, true}; break;
    default: s = {true, false, false}; break;
    }
    return s;
}

std::vector<std::string> ElencaFile(const std::string& cartella, const std::string& prefisso,
                                    const std::string& estensione) {
    std::vector<std::string> nomi;
    const std::string fine = "." + estensione;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(cartella), ec), stop; !ec && it != stop; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string nome = it->path().filename().string();
        // The prefix and the extension may not overlap: "ab.q" & "*.qdl" does not take "ab.qdl".
        if (nome.size() >= prefisso.size() + fine.size() && ArchivioIniziaCon(nome, prefisso) &&
            ArchivioFinisceCon(nome, fine))
            nomi.push_back(nome);
    }
    std::sort(nomi.begin(), nomi.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = Conv::UCase(a), ub = Conv::UCase(b);
        return ua != ub ? ua < ub : a < b;
    });
    return nomi;
}

std::vector<std::string> NomiSenzaEstensione(const std::vector<std::string>& nomi) {
    std::vector<std::string> r;
    for (const std::string& n : nomi) r.push_back(n.size() > 4 ? n.substr(0, n.size() - 4) : std::string());
    return r;
}

int32_t IndiceInElenco(int32_t indice, int32_t voci) { return indice >= 0 && indice < voci ? indice : -1; }

} // namespace ArchivioRegole
