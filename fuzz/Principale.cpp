// libFuzzer executable for one registered entry, chosen at build time.
#include "Entrate.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza) {
    static Fuzz::FunzioneEntrata f = [] {
        for (const auto& e : Fuzz::Registro())
            if (e.nome == ENTRATA_FUZZ) return e.funzione;
        std::fprintf(stderr, "no fuzz entry %s\n", ENTRATA_FUZZ);
        std::abort();
    }();
    return f(dati, lunghezza);
}
