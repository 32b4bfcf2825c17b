#pragma once
// A private copy of the run-time tree for tests and screenshots. The run-time
// tree keeps what a technician or the program changed there (a rebuild never
// overwrites it: data/CopiaDist.cmake names those files); the copy puts the
// shipped files back and drops what the program wrote at run time, so it starts
// the same on every machine.
#include <filesystem>

namespace BaseSpedita {

inline void Copia(const std::filesystem::path& dist, const std::filesystem::path& dati,
                  const std::filesystem::path& radice) {
    namespace fs = std::filesystem;
    fs::copy(dist, radice, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    for (const char* f : {"bin/VirUzo.ini", "lng/OsciSetUp.ini", "lng/ParaTun.txt"})
        fs::copy_file(dati / f, radice / f, fs::copy_options::overwrite_existing);
    for (const char* c : {"Data", "Tune"}) {
        fs::remove_all(radice / c);
        fs::create_directories(radice / c);
        fs::copy(dati / c, radice / c, fs::copy_options::recursive);
    }
    for (const char* f : {"lng/diz.con", "bin/PortCom.ini", "bin/MEM10.txt", "bin/Logger.tmp"})
        fs::remove(radice / f);
}

} // namespace BaseSpedita
