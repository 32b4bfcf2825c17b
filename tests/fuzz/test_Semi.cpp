// Every seed of fuzz/corpus/<entry>/ runs through its fuzz entry: no reader
// may crash, hang or throw on them.
#include <filesystem>
#include <gtest/gtest.h>

#include "Entrate.h"
#include "support/SupportoTest.h"

namespace fs = std::filesystem;

TEST(SemiFuzz, OgniSemeAttraversaLaSuaEntrata) {
    const fs::path corpus = fs::path(MONDARO_SORGENTI) / "fuzz" / "corpus";
    ASSERT_FALSE(Fuzz::Registro().empty());
    for (const auto& e : Fuzz::Registro()) {
        const fs::path cartella = corpus / e.nome;
        int semi = 0;
        if (fs::is_directory(cartella)) {
            for (const auto& f : fs::directory_iterator(cartella)) {
                if (!f.is_regular_file()) continue;
                const std::string d = SupportoTest::LeggiFile(f.path().string());
                SCOPED_TRACE(f.path().string());
                EXPECT_NO_THROW(e.funzione(reinterpret_cast<const uint8_t*>(d.data()), d.size()));
                ++semi;
            }
        }
        EXPECT_GT(semi, 0) << "no seeds for fuzz entry " << e.nome;
    }
}
