// codifica: writes a plain text file in the encoded text form.
//   codifica [--lf] <plain input> <encoded output>
// Lines are split at CR LF as the program's readers split them; --lf splits
// at LF instead (for files written on this system), dropping a CR before it.
#include "CodificaTesto.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char** argv)
{
    bool lf = false;
    int a = 1;
    if (a < argc && std::strcmp(argv[a], "--lf") == 0) {
        lf = true;
        ++a;
    }
    if (argc - a != 2) {
        std::cerr << "use: codifica [--lf] <plain input> <encoded output>\n";
        return 2;
    }
    std::ifstream in(argv[a], std::ios::binary);
    if (!in) {
        std::cerr << "codifica: cannot read " << argv[a] << "\n";
        return 1;
    }
    const std::string testo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    std::vector<std::string> righe;
    if (lf) {
        righe = CodificaTesto::DividiRighe(testo, "\n");
        for (std::string& r : righe)
            if (!r.empty() && r.back() == '\r')
                r.pop_back();
    } else {
        righe = CodificaTesto::DividiRighe(testo);
    }

    std::ofstream out(argv[a + 1], std::ios::binary | std::ios::trunc);
    const std::string codificato = CodificaTesto::CodificaRighe(righe);
    out.write(codificato.data(), static_cast<std::streamsize>(codificato.size()));
    out.close();
    if (!out) {
        std::cerr << "codifica: cannot write " << argv[a + 1] << "\n";
        return 1;
    }
    return 0;
}
