#include "core/ModBlckFile.h"

#include "core/Conversioni.h"
#include "core/ModMainDizionario.h"
#include "platform/Dialoghi.h"

#include <QtCore/QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace ModBlck {

namespace {

// Lines of a file, with the one pass of queued events every reader makes.
std::optional<std::vector<std::string>> LeggiRighe(const std::string& percorso, bool avvisa = true) {
    auto byte = LeggiFileIntero(percorso, DimensioneMassimaFile, avvisa);
    if (!byte) return std::nullopt;
    auto righe = DividiRighe(*byte);
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    return righe;
}

} // namespace

std::optional<std::string> LeggiFileIntero(const std::string& percorso, int64_t massimo, bool avvisa) {
    // Readers call this often (the current language at every text lookup), so
    // a small file costs one open, one status, one read and one close. A folder
    // opens for reading here, but it is not a file.
    if (percorso.empty()) return std::nullopt;
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    auto troppoGrande = [&] {
        ::close(fd);
        // One box per file as it stands, however many readers try it in turn.
        static std::string ultimoAvviso;
        const std::string chiave = percorso + '\n' + std::to_string(st.st_size) + '\n' +
                                   std::to_string(st.st_mtim.tv_sec) + '.' + std::to_string(st.st_mtim.tv_nsec);
        if (avvisa && chiave != ultimoAvviso) {
            ultimoAvviso = chiave;
            const QString testo = ModMain::VoceEDettagli(
                ModMain::VoceFileTroppoGrande, QStringLiteral("%1 (> %2 MB)")
                                                   .arg(QString::fromLocal8Bit(percorso.c_str()))
                                                   .arg((massimo + (int64_t(1) << 20) - 1) >> 20));
            Piattaforma::MostraMessaggio(testo, QString(), Piattaforma::IconaMessaggio::Critica,
                                         Piattaforma::PulsantiMessaggio::Ok);
        }
        return std::nullopt;
    };
    if (st.st_size > massimo) return troppoGrande();
    // One read of the file's length (one byte more to see the end at once);
    // the loop only covers short reads and a file that grows while it is read,
    // up to the bound.
    std::string byte;
    byte.resize(static_cast<size_t>(st.st_size) + 1);
    size_t letti = 0;
    for (;;) {
        if (letti == byte.size()) {
            if (static_cast<int64_t>(letti) > massimo) return troppoGrande();
            byte.resize(std::min<size_t>(byte.size() * 2, static_cast<size_t>(massimo) + 1));
        }
        const ssize_t n = ::read(fd, byte.data() + letti, byte.size() - letti);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        letti += static_cast<size_t>(n);
        // A regular file read short of what was asked has ended.
        if (S_ISREG(st.st_mode) && letti < byte.size()) break;
    }
    ::close(fd);
    if (static_cast<int64_t>(letti) > massimo) return troppoGrande();
    byte.resize(letti);
    return byte;
}

bool ScriviFileSicuro(const std::string& percorso, std::string_view testo) {
    namespace fs = std::filesystem;
    if (percorso.empty()) return false;
    const fs::path destinazione(percorso);
    std::error_code e;
    if (fs::is_directory(destinazione, e)) return false;
    const fs::path cartella = destinazione.has_parent_path() ? destinazione.parent_path() : fs::path(".");
    const std::string estensione = destinazione.extension().string();
    RimuoviTemporanei(cartella.string(), estensione.empty() ? destinazione.filename().string() : estensione);
    const fs::path temporaneo = cartella / ("." + destinazione.filename().string() + ".tmp");
    {
        std::ofstream f(temporaneo, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f.write(testo.data(), static_cast<std::streamsize>(testo.size()));
        f.flush();
        if (!f) {
            f.close();
            fs::remove(temporaneo, e);
            return false;
        }
    }
    fs::rename(temporaneo, destinazione, e);
    if (e) {
        std::error_code e2;
        fs::remove(temporaneo, e2);
        return false;
    }
    return true;
}

void RimuoviTemporanei(const std::string& cartella, const std::string& estensione) {
    namespace fs = std::filesystem;
    std::error_code e;
    fs::directory_iterator it(cartella, e);
    if (e) return;
    auto finisceCon = [](std::string_view t, std::string_view fine) {
        return t.size() >= fine.size() && t.substr(t.size() - fine.size()) == fine;
    };
    for (const auto& voce : it) {
        const std::string nome = voce.path().filename().string();
        std::string_view destinazione;
        if (nome.size() > 5 && nome[0] == '.' && finisceCon(nome, ".tmp"))
            destinazione = std::string_view(nome).substr(1, nome.size() - 5);
        else if (nome.size() > 5 && finisceCon(nome, ".tmp~"))
            destinazione = std::string_view(nome).substr(0, nome.size() - 5);
        else
            continue;
        if (destinazione.empty() || !finisceCon(destinazione, estensione)) continue;
        std::error_code e2;
        if (voce.is_regular_file(e2)) fs::remove(voce.path(), e2);
    }
}

std::string_view ProssimaRiga(std::string_view testo, size_t& inizio) {
    size_t fine = testo.find('\n', inizio);
    if (fine == std::string_view::npos) fine = testo.size();
    std::string_view r = testo.substr(std::min(inizio, testo.size()), fine - std::min(inizio, fine));
    inizio = fine + 1;
    if (!r.empty() && r.back() == '\r') r.remove_suffix(1);
    return r;
}

std::vector<std::string> DividiRighe(const std::string& byte) {
    std::vector<std::string> righe;
    // An empty text has no lines at all.
    if (byte.empty()) return righe;
    const std::string_view t(byte);
    size_t inizio = 0;
    for (;;) {
        const size_t k = t.find("\r\n", inizio);
        if (k == std::string_view::npos) {
            righe.emplace_back(t.substr(inizio));
            return righe;
        }
        righe.emplace_back(t.substr(inizio, k - inizio));
        inizio = k + 2;
    }
}

std::optional<std::string> DecodificaRiga(const std::string& riga, bool verifica) {
    const size_t n = riga.size();
    std::string uscita((n + 3) / 4, '\0');
    char gruppo[4];
    size_t k = 0;
    // Groups of four of the reversed line: the first is the line's last four
    // characters read backwards.
    for (size_t fine = n; fine > 0; ++k) {
        const size_t lunghezza = fine >= 4 ? 4 : fine;
        for (size_t i = 0; i < lunghezza; ++i) gruppo[i] = riga[fine - 1 - i];
        fine -= lunghezza;
        const auto v = Conv::CLng(std::string_view(gruppo, lunghezza));
        if (!v) return std::nullopt;
        int32_t codice;
        if (verifica) {
            if (*v < 0 || *v > 511) return std::nullopt;
            codice = *v / 2;
        } else {
            // Integer division truncates towards zero, so -1 still gives 0;
            // only a code that is not a character fails.
            codice = *v / 2;
            if (codice < 0 || codice > 255) return std::nullopt;
        }
        uscita[k] = static_cast<char>(codice);
    }
    return uscita;
}

bool VerificaFileCodificato(const std::string& percorso) {
    // Silent: the reader that follows reports a file it cannot take.
    const auto righe = LeggiRighe(percorso, false);
    if (!righe || righe->empty()) return false;
    const auto prima = DecodificaRiga(righe->front(), true);
    return prima && *prima == MarcatoreCodificato;
}

std::optional<std::vector<std::string>> LeggiFileCodificato(const std::string& percorso) {
    auto righe = LeggiRighe(percorso);
    if (!righe) return std::nullopt;
    const auto prima = righe->empty() ? std::optional<std::string>() : DecodificaRiga(righe->front(), false);
    if (!prima || *prima != MarcatoreCodificato) {
        Piattaforma::MostraMessaggio(QStringLiteral("HEADER WRONG "), QStringLiteral("FileExist"),
                                     Piattaforma::IconaMessaggio::Informazione,
                                     Piattaforma::PulsantiMessaggio::Ok);
        return std::nullopt;
    }
    std::vector<std::string> testo;
    testo.reserve(righe->size() - 1);
    for (size_t i = 1; i < righe->size(); ++i) {
        auto riga = DecodificaRiga((*righe)[i], false);
        if (!riga) return std::nullopt;
        testo.push_back(std::move(*riga));
    }
    return testo;
}

std::optional<std::vector<std::string>> LeggiFileTesto(const std::string& percorso) {
    return LeggiRighe(percorso);
}

std::optional<std::vector<std::string>> LeggiFileImpostazioni(const std::string& percorso) {
    if (VerificaFileCodificato(percorso)) return LeggiFileCodificato(percorso);
    return LeggiFileTesto(percorso);
}

} // namespace ModBlck
