// The value-entry check, the gradients, the option lookups and the full
// editor's layout sizes, without a screen.
#include "maps/ColoriMappa.h"
#include "maps/FissaggioMappe.h"
#include "maps/FrmEnterValue.h"
#include "maps/OpzioniMappa.h"

namespace {
class ValoriEColori : public FissaggioMappe {};
} // namespace

TEST_F(ValoriEColori, ControlloDelValoreInserito) {
    const LimitiValore l{100, -100, 50, -50, 255, 0};
    struct Caso {
        const char* testo;
        int32_t operazione;
        bool accettato;
        int16_t voce;
        int32_t limite;
    };
    for (const Caso& c : {Caso{"100", 1, true, 0, 0}, Caso{"-100", 1, true, 0, 0}, Caso{"100.5", 1, false, 3, 100},
                          Caso{"-101", 1, false, 4, -100}, Caso{"51", 2, false, 5, 50}, Caso{"-50", 2, true, 0, 0},
                          Caso{"-51", 2, false, 6, -50}, Caso{"256", 3, false, 7, 255}, Caso{"-1", 3, false, 8, 0},
                          Caso{"255", 3, true, 0, 0}, Caso{"-", 1, false, 2, 0}, Caso{".", 1, false, 2, 0},
                          Caso{"", 3, false, 2, 0}, Caso{"999", 0, true, 0, 0}}) {
        const EsitoValore e = ValoreInserimento::ControllaTesto(c.testo, c.operazione, l);
        EXPECT_EQ(e.Accettato, c.accettato) << c.testo;
        EXPECT_EQ(e.Voce, c.voce) << c.testo;
        EXPECT_EQ(e.Limite, c.limite) << c.testo;
    }
    EXPECT_FLOAT_EQ(ValoreInserimento::ControllaTesto("2.5", 1, l).Valore, 2.5f);
    ModGlobFunct::SeparatoreDecimale = ",";
    EXPECT_FLOAT_EQ(ValoreInserimento::ControllaTesto("2,5", 1, l).Valore, 2.5f);
    for (char16_t c : {u'0', u'9', u',', u'-', u'.', char16_t(8), char16_t(13)}) EXPECT_TRUE(ValoreInserimento::CarattereAmmesso(c));
    for (char16_t c : {u'a', u' ', u'+', u'e'}) EXPECT_FALSE(ValoreInserimento::CarattereAmmesso(c));
}

TEST_F(ValoriEColori, Gradienti) {
    // All equal: white.
    for (int32_t c : ColoriMappa::Gradiente({0, 0, 0}, false)) EXPECT_EQ(c, 0xFFFFFF);
    // Full editor between 20 and 200: graded from 5, so 20 is already slightly blue.
    const auto pieno = ColoriMappa::Gradiente({20, 200, 110}, false);
    EXPECT_EQ(pieno[0], 0xFFF3F3); // 255 - 15/195*150 = 243.46 -> 243
    EXPECT_EQ(pieno[1], 0xFF6969);
    // Coarse view between 20 and 200: 20 light grey, 200 blue.
    const auto ridotta = ColoriMappa::Gradiente({20, 200}, true);
    EXPECT_EQ(ridotta[0], 0xEBEBEB);
    EXPECT_EQ(ridotta[1], 0xEB0000);
}

// Black text, white only where black would be hard to read.
TEST_F(ValoriEColori, TestoLeggibileSulloSfondo) {
    struct Caso {
        int32_t sfondo, testo;
    } casi[] = {
        {0xFFFFFF, 0}, {0xEBEBEB, 0},        {0xFF6969, 0},        // white, light grey, the full editor's darkest
        {0xFAA0A0, 0}, {0xEB0000, 0xFFFFFF}, {0xEB3C3C, 0xFFFFFF}, // flat colour; pure and dark blues
        {0x0000FF, 0}, {0x00FF00, 0},        {0x000000, 0xFFFFFF},
    };
    for (const Caso& c : casi) EXPECT_EQ(ColoriMappa::TestoPerSfondo(c.sfondo), c.testo) << std::hex << c.sfondo;
}

TEST_F(ValoriEColori, VociDelleOpzioni) {
    const std::vector<int32_t> molt = {1, 2, 4};
    EXPECT_EQ(OpzioniMappa::IndiceMoltiplicatore(molt, 3, 4), 2);
    EXPECT_EQ(OpzioniMappa::IndiceMoltiplicatore(molt, 2, 4), -1); // only as many as the combo holds
    EXPECT_EQ(OpzioniMappa::IndiceMoltiplicatore(molt, 5, 8), -1);
    EXPECT_EQ(OpzioniMappa::MoltiplicatoreScelto(molt, 1), 2);
    EXPECT_EQ(OpzioniMappa::MoltiplicatoreScelto(molt, 3), std::nullopt);
    EXPECT_EQ(OpzioniMappa::MoltiplicatoreScelto(molt, -1), std::nullopt);
    EXPECT_EQ(OpzioniMappa::IndicePercentuale({"0", "x", "20"}, 20), 2);
    EXPECT_EQ(OpzioniMappa::IndicePercentuale({"0", "10"}, 15), -1);
    EXPECT_EQ(OpzioniMappa::PercentualeScelta("x"), std::nullopt);
    EXPECT_EQ(OpzioniMappa::PercentualeScelta("2.5"), std::nullopt);
    EXPECT_EQ(OpzioniMappa::PercentualeScelta("35"), 35);
    EXPECT_EQ(OpzioniMappa::Byte15ConVista(0x05, 0, true), 0x0D);
    EXPECT_EQ(OpzioniMappa::Byte15ConVista(0x0F, 2, false), 0x0E);
}

TEST_F(ValoriEColori, MisureDellEditorCompleto) {
    for (auto [w, font] : {std::pair{571, 14}, {570, 12}, {451, 12}, {450, 10}, {406, 10}, {405, 8}})
        EXPECT_EQ(OpzioniMappa::FontPerLarghezza(w), font) << w;
    // 9,000 twips wide: 346 raised to 360, font 8.
    auto m = OpzioniMappa::CalcolaMisureMatrice(9000, 9000);
    EXPECT_EQ(m.LarghezzaColonna, 360);
    EXPECT_EQ(m.DimensioneFont, 8);
    EXPECT_EQ(m.AltezzaRiga, 361); // (9000 - 345) / 24 = 360.6
    // Wide columns but low rows: the font follows the column width alone.
    m = OpzioniMappa::CalcolaMisureMatrice(20000, 6000);
    EXPECT_EQ(m.LarghezzaColonna, 786);
    EXPECT_EQ(m.AltezzaRiga, 236);
    EXPECT_EQ(m.DimensioneFont, 14);
    m = OpzioniMappa::CalcolaMisureMatrice(20000, 12000);
    EXPECT_EQ(m.DimensioneFont, 14);
}
