#pragma once
// The shared dictionary loaded for a test: the phrase file, the file of the
// language chosen, the language set, and the dictionary made the program's.
#include <cstdint>
#include <string>

#include "core/ClsLingue.h"
#include "core/ModMainDizionario.h"

namespace SupportoTest {

inline void CaricaDizionario(ClsLingue& d, const std::string& diz, const std::string& con, int16_t lingua = 0) {
    d.PathDizionario(diz);
    d.PathAttualeLingua(con);
    d.LoadDizionario();
    d.IdLingua(lingua);
    ModMain::Dizionario = &d;
}

} // namespace SupportoTest
