#include "platform/Processi.h"

#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace Piattaforma {
namespace {
std::string LeggiCollegamento(const std::string& p) {
    char buf[4096];
    ssize_t n = readlink(p.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return {};
    return std::string(buf, static_cast<size_t>(n));
}
} // namespace

std::vector<ProcessoInEsecuzione> ElencaProcessiInEsecuzione() {
    std::vector<ProcessoInEsecuzione> elenco;
    DIR* d = opendir("/proc");
    if (!d) return elenco;
    while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string base = "/proc/" + n;
        ProcessoInEsecuzione p;
        p.pid = static_cast<pid_t>(std::stol(n));
        struct stat st {};
        if (stat(base.c_str(), &st) == 0) p.uid = st.st_uid;
        p.percorso = LeggiCollegamento(base + "/exe");
        if (const auto sp = p.percorso.find(" (deleted)"); sp != std::string::npos)
            p.percorso.erase(sp);
        if (!p.percorso.empty()) {
            p.nome = p.percorso.substr(p.percorso.find_last_of('/') + 1);
        } else {
            std::ifstream f(base + "/comm");
            std::getline(f, p.nome);
        }
        if (!p.nome.empty()) elenco.push_back(std::move(p));
    }
    closedir(d);
    return elenco;
}

std::string PercorsoProgramma() { return LeggiCollegamento("/proc/self/exe"); }

std::string CartellaProgramma() {
    const std::string p = PercorsoProgramma();
    const auto k = p.find_last_of('/');
    return k == std::string::npos ? std::string() : p.substr(0, k);
}

} // namespace Piattaforma
