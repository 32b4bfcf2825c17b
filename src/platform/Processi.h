#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

// Process list of this machine, read from /proc.
namespace Piattaforma {

struct ProcessoInEsecuzione {
    pid_t pid = 0;
    uid_t uid = 0;
    std::string nome;     // file name of the executable
    std::string percorso; // full path of the executable, empty when unreadable
};

std::vector<ProcessoInEsecuzione> ElencaProcessiInEsecuzione();

// Full path of the running program and the folder that holds it.
std::string PercorsoProgramma();
std::string CartellaProgramma();

} // namespace Piattaforma
