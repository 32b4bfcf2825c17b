// The factory configuration files of the run-time tree follow the format
// exactly, load offline, and are listed as built-in configurations.
#include "FissaggioConfig.h"

#include <filesystem>

#include "config/MDIFrmCaricamentoMemoria.h"
#include "core/ModMainCaricatori.h"
#include "engine/ModMainRichieste.h"
#include "support/SupportoTest.h"

namespace {

using FileSpediti = FissaggioConfig;

std::vector<std::string> FileXsi() {
    std::vector<std::string> f;
    for (const auto& e : std::filesystem::directory_iterator(MONDARO_DIST "/lng"))
        if (e.path().extension() == ".xsi") f.push_back(e.path().string());
    std::sort(f.begin(), f.end());
    f.push_back(MONDARO_DIST "/bin/up.xsi");
    return f;
}

TEST_F(FileSpediti, SeguonoIlFormato) {
    const auto file = FileXsi();
    ASSERT_GE(file.size(), 3u);
    EXPECT_NE(std::find(file.begin(), file.end(), MONDARO_DIST "/lng/00 Redadi Inj Custom.xsi"), file.end());
    std::vector<std::string> sezioni = {"[INFO]", "[NOTE]"};
    for (const auto& s : FileConfigurazione::Sezioni(true)) sezioni.push_back(s);
    for (const auto& percorso : file) {
        SCOPED_TRACE(percorso);
        const std::string testo = SupportoTest::LeggiFile(percorso);
        ASSERT_GE(testo.size(), 2u);
        ASSERT_EQ(testo.substr(testo.size() - 2), "\r\n");
        // Split at CR LF only: no lone CR or LF may stand anywhere.
        std::vector<std::string> righe;
        for (size_t a = 0, b; a < testo.size(); a = b + 2) {
            b = testo.find("\r\n", a);
            righe.push_back(testo.substr(a, b - a));
            ASSERT_EQ(righe.back().find_first_of("\r\n"), std::string::npos);
        }
        ASSERT_EQ(righe.size(), 94u);
        for (size_t i = 0; i < sezioni.size(); ++i) {
            EXPECT_EQ(righe[2 * i], sezioni[i]);
            if (i < 2) continue;
            const std::string& v = righe[2 * i + 1];
            EXPECT_EQ(v.find_first_not_of("0123456789ABCDEF"), std::string::npos) << sezioni[i];
            const std::string t = ModGlobFunct::ConvertiHexInTesto(v);
            ASSERT_GE(t.size(), 6u) << sezioni[i];
            EXPECT_EQ(t.substr(0, 2), "\x42\x01") << sezioni[i];
            EXPECT_EQ(static_cast<uint8_t>(t[2]), t.size() - 2) << sezioni[i];
            EXPECT_EQ(t[4], '\0') << sezioni[i];
            // Block 3's cylinder flags are normalised after the ECU sent them: its check byte is the ECU's.
            if (sezioni[i] != "[BLK_3]") {
                EXPECT_EQ(ModBlck::CalcolaXor(t), 0) << sezioni[i];
            }
        }
    }
}

TEST_F(FileSpediti, ElencatiPerIdentificativoECaricabili) {
    ModMain::ImpostaPercorsi(MONDARO_DIST);
    ModMain::PercorsoBase = MONDARO_DIST;
    std::vector<ConfigurazionePredefinita> elenco;
    ASSERT_TRUE(ModMain::ElencaConfigurazioniPredefinite(elenco));
    ASSERT_EQ(elenco.size(), 4u);
    for (size_t i = 0; i < elenco.size(); ++i) {
        EXPECT_EQ(elenco[i].Identificativo, static_cast<int32_t>(i)) << elenco[i].Nome;
        MDIFrm::CaricaConfigurazioneInMemoria(REQ_LOAD_CONFIG_FILE, elenco[i].Percorso);
        EXPECT_EQ(TabellaBlocchi[15].Valori[47], static_cast<int32_t>(i));
        EXPECT_EQ(TabellaBlocchi[18].UltimaRisposta.size(), 126u);
    }
    // The 6-cylinder file: block 3 and the ECU record say so.
    EXPECT_EQ(TabellaBlocchi[3].Valori[1], 6);
    EXPECT_EQ(TabellaBlocchi[5].Valori[6], 6);
}

} // namespace
