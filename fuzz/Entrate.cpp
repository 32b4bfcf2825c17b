#include "Entrate.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace Fuzz {

std::vector<Entrata>& Registro() {
    static std::vector<Entrata> r;
    return r;
}

const std::string& CartellaLavoro() {
    // Never destroyed: the exit handler below runs after static destructors
    // registered later, so it must not read a destroyed string.
    static const std::string& c = *new std::string([] {
        namespace fs = std::filesystem;
        const auto p = fs::temp_directory_path() / ("mondaro-fuzz-" + std::to_string(getpid()));
        for (const char* s : {"bin", "lng", "Data", "img", "Tune"}) fs::create_directories(p / s);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(CartellaLavoro(), ec);
        });
        return p.string();
    }());
    return c;
}

std::string ScriviIngresso(const std::string& relativo, const uint8_t* dati, size_t lunghezza) {
    const std::string p = CartellaLavoro() + "/" + relativo;
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(dati), static_cast<std::streamsize>(lunghezza));
    return p;
}

} // namespace Fuzz
