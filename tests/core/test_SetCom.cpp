// SetCom.ini: the block table, the waits, the port type and the identifier
// lists, read from plain and encoded files.
#include <gtest/gtest.h>

#include "../../tools/codifica/CodificaTesto.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckSetCom.h"
#include "support/SupportoTest.h"

namespace {

std::string Unisci(const std::vector<std::string>& righe) {
    std::string t;
    for (size_t i = 0; i < righe.size(); ++i) t += (i ? "\r\n" : "") + righe[i];
    return t;
}

// Module state saved and restored around every test.
class SetComTest : public ::testing::Test {
protected:
    void TearDown() override {
        TabellaBlocchi = tabella_;
        ModBlck::AttesaPipe = attese_[0];
        ModBlck::AttesaGlobale = attese_[1];
        ModBlck::MoltiplicatoreAttesa = attese_[2];
        ModBlck::TipoPorta = attese_[3];
        ModBlck::ElencoFirmwareTipo1 = elenco1_;
        ModBlck::NumeriFirmwareTipo1 = numeri1_;
        ModBlck::ElencoFirmwareAltri = elenco2_;
        ModBlck::NumeriFirmwareAltri = numeri2_;
    }

    // Writes the lines (plain or encoded) and reads them.
    void Leggi(const std::vector<std::string>& righe, bool codificato = false) {
        const std::string testo = Unisci(righe);
        base_.Scrivi("bin/SetCom.ini", codificato ? CodificaTesto::CodificaFile(testo) : testo);
        ModBlck::LeggiSetCom(base_.File("bin/SetCom.ini"));
    }

    SupportoTest::CartellaBase base_{false};
    std::vector<BloccoParametri> tabella_ = TabellaBlocchi;
    int32_t attese_[4] = {ModBlck::AttesaPipe, ModBlck::AttesaGlobale, ModBlck::MoltiplicatoreAttesa,
                          ModBlck::TipoPorta};
    std::vector<std::string> elenco1_ = ModBlck::ElencoFirmwareTipo1;
    std::vector<int32_t> numeri1_ = ModBlck::NumeriFirmwareTipo1;
    std::vector<std::string> elenco2_ = ModBlck::ElencoFirmwareAltri;
    std::vector<int32_t> numeri2_ = ModBlck::NumeriFirmwareAltri;
};

const std::vector<std::string> FileCompleto = {
    "[AttesaPipe_usec]", "2000000",
    "[AttesaGlobale_usec]", "150000",
    "[MolAttesaGlobale]", "20",
    "[TipoPort]", "1",
    "[MSG]", "0", "Identification", "4102032161", "0", "", "", "UB,6,1",
    "[msg]", "1", "Live", "410203 0C4F", " 1 ", "x", "y", "UB,5,1;UW,6,10",
    "[Msg]", "2", "Switch", "4102030D4C", "01", "", "", " SW , 7 , -3 ;ub,8,1;SL,9",
    " [MSG]", "not a key: blank before it",
    "[FIRMWARE]", " 4201 ", "7", " 1 ",
    "[FIRMWARE]", "A1B2", "8", "2",
    "[FIRMWARE]", "C3", "9", "0",
};

} // namespace

TEST_F(SetComTest, FileCompletoInChiaroECodificato) {
    for (bool codificato : {false, true}) {
        SCOPED_TRACE(codificato ? "encoded" : "plain");
        Leggi(FileCompleto, codificato);
        EXPECT_EQ(ModBlck::AttesaPipe, 2000000);
        EXPECT_EQ(ModBlck::AttesaGlobale, 150000);
        EXPECT_EQ(ModBlck::MoltiplicatoreAttesa, 20);
        EXPECT_EQ(ModBlck::TipoPorta, 1);

        ASSERT_EQ(TabellaBlocchi.size(), 3u) << "the key in any case starts an entry, with a blank before it none";
        const auto& b0 = TabellaBlocchi[0];
        EXPECT_EQ(b0.Tipo, 0);
        EXPECT_EQ(b0.Nome, "Identification");
        EXPECT_EQ(b0.TramaRichiesta, "4102032161");
        EXPECT_FALSE(b0.Streaming);
        EXPECT_EQ(b0.CodiciTipo, (std::vector<std::string>{"UB"}));

        const auto& b1 = TabellaBlocchi[1];
        EXPECT_EQ(b1.TramaRichiesta, "410203 0C4F") << "taken as written";
        EXPECT_TRUE(b1.Streaming) << "1 with blanks around it streams";
        EXPECT_EQ(b1.CodiciTipo, (std::vector<std::string>{"UB", "UW"}));
        EXPECT_EQ(b1.Offset, (std::vector<int32_t>{5, 6}));
        EXPECT_EQ(b1.Scale, (std::vector<int32_t>{1, 10}));
        EXPECT_EQ(b1.Valori, (std::vector<int32_t>{0, 0}));

        const auto& b2 = TabellaBlocchi[2];
        EXPECT_FALSE(b2.Streaming) << "01 is not 1";
        EXPECT_EQ(b2.CodiciTipo, (std::vector<std::string>{"SW", "ub", "SL"})) << "codes keep their case";
        EXPECT_EQ(b2.Offset, (std::vector<int32_t>{7, 8, 9}));
        EXPECT_EQ(b2.Scale, (std::vector<int32_t>{-3, 1, 0})) << "a missing field stays 0";

        ASSERT_EQ(ModBlck::ElencoFirmwareTipo1.size(), 1u);
        EXPECT_EQ(ModBlck::ElencoFirmwareTipo1[0], std::string("\x42\x01", 2)) << "trimmed before conversion";
        EXPECT_EQ(ModBlck::NumeriFirmwareTipo1, (std::vector<int32_t>{7}));
        EXPECT_EQ(ModBlck::ElencoFirmwareAltri, (std::vector<std::string>{"\xA1\xB2", "\xC3"}));
        EXPECT_EQ(ModBlck::NumeriFirmwareAltri, (std::vector<int32_t>{8, 9}));
    }
}

TEST_F(SetComTest, TipoPorta) {
    struct Caso {
        std::vector<std::string> righe;
        int32_t atteso;
    } casi[] = {
        {{"[TipoPort]", "0"}, 0}, {{"[TipoPort]", " 1 "}, 1}, {{"[TipoPort]", "3"}, 2},
        {{"[TipoPort]", ""}, 2},  {{"[TipoPort]", "01"}, 2}, {{"[TipoPort]"}, 0},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(Unisci(c.righe));
        ModBlck::TipoPorta = 9;
        Leggi(c.righe);
        EXPECT_EQ(ModBlck::TipoPorta, c.atteso);
    }
}

TEST_F(SetComTest, AttesaNonNumericaTieneIlValorePrecedente) {
    Leggi({"[AttesaPipe_usec]", "500", "[AttesaPipe_usec]", "lots", "[AttesaGlobale_usec]", "99999999999",
           "[MolAttesaGlobale]"});
    EXPECT_EQ(ModBlck::AttesaPipe, 500);
    EXPECT_EQ(ModBlck::AttesaGlobale, attese_[1]);
    EXPECT_EQ(ModBlck::MoltiplicatoreAttesa, attese_[2]);
}

TEST_F(SetComTest, SoloFirmwareDellaPrimaListaEFlagMancante) {
    Leggi({"[FIRMWARE]", "4201", "1", "1", "[FIRMWARE]", "FF", "2", "x", "[FIRMWARE]", "EE", "3"});
    EXPECT_EQ(ModBlck::ElencoFirmwareTipo1, (std::vector<std::string>{"\x42\x01", "\xFF", "\xEE"}))
        << "a flag that is no number, or missing, counts as 1";
    EXPECT_EQ(ModBlck::NumeriFirmwareTipo1, (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(ModBlck::ElencoFirmwareAltri, (std::vector<std::string>{""}));
    EXPECT_TRUE(ModBlck::NumeriFirmwareAltri.empty());
}

TEST_F(SetComTest, VoceTroncataELineeCheSonoChiavi) {
    // The last entry stops after its flag line is missing: streaming, no parameters.
    Leggi({"[MSG]", "7", "Cut"});
    ASSERT_EQ(TabellaBlocchi.size(), 1u);
    EXPECT_EQ(TabellaBlocchi[0].Tipo, 7);
    EXPECT_EQ(TabellaBlocchi[0].Nome, "Cut");
    EXPECT_TRUE(TabellaBlocchi[0].Streaming);
    EXPECT_TRUE(TabellaBlocchi[0].CodiciTipo.empty());

    // A value line equal to a key starts that key's handling as well; a bad
    // type and a trailing ";" give defaults.
    Leggi({"[MSG]", "x", "[MSG]", "3", "B", "F", "0", "", "", "UB,6,1;", "[TipoPort]"});
    ASSERT_EQ(TabellaBlocchi.size(), 2u);
    EXPECT_EQ(TabellaBlocchi[0].Tipo, 0);
    EXPECT_EQ(TabellaBlocchi[0].Nome, "[MSG]");
    EXPECT_EQ(TabellaBlocchi[1].Tipo, 3);
    EXPECT_EQ(TabellaBlocchi[1].CodiciTipo, (std::vector<std::string>{"UB", ""}));
    EXPECT_EQ(TabellaBlocchi[1].Offset, (std::vector<int32_t>{6, 0}));
}

TEST_F(SetComTest, FileMancanteOIndecifrabileLasciaLoStatoIniziale) {
    const auto StatoIniziale = [] {
        ASSERT_EQ(TabellaBlocchi.size(), 1u);
        EXPECT_EQ(TabellaBlocchi[0].CodiciTipo, (std::vector<std::string>{""}));
        EXPECT_EQ(TabellaBlocchi[0].Valori, (std::vector<int32_t>{0}));
        EXPECT_TRUE(ModBlck::ElencoFirmwareTipo1.empty());
        EXPECT_EQ(ModBlck::ElencoFirmwareAltri, (std::vector<std::string>{""}));
    };
    Leggi(FileCompleto);
    ModBlck::LeggiSetCom(base_.File("bin/nothing.ini"));
    StatoIniziale();

    Leggi(FileCompleto);
    std::string codificato = CodificaTesto::CodificaFile(Unisci(FileCompleto));
    codificato += "\r\n12x4"; // a later line that cannot be decoded
    base_.Scrivi("bin/SetCom.ini", codificato);
    ModBlck::LeggiSetCom(base_.File("bin/SetCom.ini"));
    StatoIniziale();

    Leggi({"no keys at all"});
    StatoIniziale();
}
