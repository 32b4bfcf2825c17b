#pragma once
// Fuzz entry points of the readers. Each file in fuzz/entrate/ registers one
// entry by name; libFuzzer runs one entry per executable (fuzz.sh), and the
// seed corpora (fuzz/corpus/<name>/) run through every entry as ordinary tests.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Fuzz {

using FunzioneEntrata = int (*)(const uint8_t* dati, size_t lunghezza);

struct Entrata {
    std::string nome;
    FunzioneEntrata funzione;
};

std::vector<Entrata>& Registro();

struct Registrazione {
    Registrazione(const char* nome, FunzioneEntrata f) { Registro().push_back({nome, f}); }
};

// A scratch base folder (bin/, lng/, Data/ ...) under /tmp, made once per
// process, for entries that must read their input from a file.
const std::string& CartellaLavoro();
// Writes the input to a file below the scratch folder and returns its path.
std::string ScriviIngresso(const std::string& relativo, const uint8_t* dati, size_t lunghezza);

} // namespace Fuzz

#define REGISTRA_ENTRATA_FUZZ(nome, funzione) \
    static ::Fuzz::Registrazione registrazione_##nome(#nome, funzione)
