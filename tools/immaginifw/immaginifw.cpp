// immaginifw: writes the firmware images the program ships.
//   immaginifw <image folder> <resource folder>
// The image folder gets QDLPower_NewHw.frh and QDLPower_OldHw.frh; the
// resource folder the built-in images 101 (old hardware) and 102 (new) in
// the line-encoded form.
#include <fstream>
#include <iostream>

#include "ImmagineFirmwareScrittura.h"

namespace {

bool Scrivi(const std::string& percorso, const std::string& byte) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    f.close();
    if (!f) std::cerr << "immaginifw: cannot write " << percorso << "\n";
    return static_cast<bool>(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "use: immaginifw <image folder> <resource folder>\n";
        return 2;
    }
    namespace W = ImmagineFirmwareScrittura;
    const auto nuovo = W::Righe(W::ImmagineNuovoHw());
    const auto vecchio = W::Righe(W::ImmagineVecchioHw());
    const std::string img = argv[1], ris = argv[2];
    const bool ok = Scrivi(img + "/QDLPower_NewHw.frh", W::File(nuovo)) &&
                    Scrivi(img + "/QDLPower_OldHw.frh", W::File(vecchio)) && Scrivi(ris + "/102", W::Risorsa(nuovo)) &&
                    Scrivi(ris + "/101", W::Risorsa(vecchio));
    return ok ? 0 : 1;
}
