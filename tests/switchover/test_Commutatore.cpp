// The changeover-switch view: LED colours from the LED word, the run flag and
// the phase; the phase clock; the press with and without Shift; the picture.
#include <QtWidgets/QLabel>

#include "controls/ModZebPagina.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainPercorsi.h"
#include "link/ModMainStatoLinea.h"
#include "settings/FissaggioImpostazioni.h"
#include "switchover/FrmCommutatore.h"

namespace C = CommutatoreRegole;

TEST(CommutatoreRegole, ColoreDeiLed) {
    const struct {
        int led;
        std::optional<int32_t> stato, flag;
        uint8_t fase;
        int32_t atteso;
    } casi[] = {
        {0, 0x0300, 0, 0, C::Verde},   {0, 0x0100, 0, 1, C::Verde},   {0, 0x0100, 0, 3, C::Verde},
        {0, 0x0100, 0, 0, C::Nero},    {0, 0x0100, 0, 2, C::Nero},    {0, 0x0200, 0, 2, C::Verde},
        {0, 0x0200, 0, 3, C::Verde},   {0, 0x0200, 0, 1, C::Nero},    {0, 0x0200, 0, 0, C::Nero},
        {4, 0x0003, 0, 0, C::Rosso},   {3, 0x000C, 0, 0, C::Verde},   {1, 0x00C0, 0, 0, C::Verde},
        {5, 0x3C00, 0, 0, C::Nero},    {6, 0x3C00, 0, 0, C::Nero},    {5, 0x3C00, 1, 0, C::Rosso},
        {6, 0x3C00, 1, 0, C::Arancio}, {6, 0x3C00, std::nullopt, 0, C::Nero},
        {0, 0xC000, 1, 3, C::Nero},    {2, std::nullopt, 1, 3, C::Nero},
    };
    for (const auto& c : casi)
        EXPECT_EQ(C::ColoreLed(c.led, c.stato, c.flag, c.fase), c.atteso)
            << "led " << c.led << " word " << c.stato.value_or(-1) << " phase " << int(c.fase);
}

TEST(CommutatoreRegole, FaseEPressione) {
    C::FaseLampeggio f;
    std::vector<int> fasi;
    // First tick always steps; a tick exactly at the deadline does not.
    const double tempi[] = {1000, 100000, 201000, 401000, 401001, 700000, 1000000};
    for (double t : tempi) {
        f.Avanza(t);
        fasi.push_back(f.fase);
    }
    EXPECT_EQ(fasi, (std::vector<int>{1, 1, 1, 2, 2, 3, 0}));
    C::FaseLampeggio ferma;
    ferma.Avanza(0);
    EXPECT_EQ(ferma.fase, 0);

    const struct {
        bool libero;
        int16_t maiuscole;
        std::optional<int32_t> flag;
        int32_t richiesta;
        bool premuto, blocco15;
    } premi[] = {
        {false, 0, 1, 0, false, false}, {true, 1, 0, 54, false, true}, {true, 7, 1, 54, false, true},
        {true, 0, 1, 12, true, false},  {true, 0, 0, 0, true, false},  {true, 0, std::nullopt, 0, true, false},
    };
    for (const auto& p : premi) {
        const auto r = C::Premi(p.libero, p.maiuscole, p.flag);
        EXPECT_EQ(r.richiesta, p.richiesta);
        EXPECT_EQ(r.aspettoPremuto, p.premuto);
        EXPECT_EQ(r.scriveBlocco15, p.blocco15);
    }
}

class CommutatoreForma : public FissaggioImpostazioni {
protected:
    void SetUp() override {
        FissaggioImpostazioni::SetUp();
        pagina_ = ModMain::PaginaCorrente;
        base_ = ModMain::PercorsoBase;
    }
    void TearDown() override {
        ModMain::PaginaCorrente = pagina_;
        ModMain::PercorsoBase = base_;
        FrmCommutatore::FuocoCarburazione0 = nullptr;
        FissaggioImpostazioni::TearDown();
    }
    int32_t pagina_ = 0;
    std::string base_;
};

TEST_F(CommutatoreForma, PressioniEImmagine) {
    SupportoTest::CartellaBase cartella(false);
    ModMain::PercorsoBase = cartella.Percorso();
    FrmCommutatore v;
    v.Form_Load(); // no picture file: the built-in one, frame fitted around it
    EXPECT_EQ(v.ImgLogoS->pixmap().size(), QSize(77, 73));
    EXPECT_EQ(v.ShpLevelS->geometry().width(), 77 + 7);

    Imposta(1, 49, 0x3C03);
    Imposta(1, 37, 1);
    v.VisualizzaStatoCommutatore();
    EXPECT_EQ(v.ShpLevAct[4]->Colore(), C::Rosso);
    EXPECT_EQ(v.ShpLevAct[5]->Colore(), C::Rosso);
    EXPECT_EQ(v.ShpLevAct[6]->Colore(), C::Arancio);
    EXPECT_EQ(v.ShpLevAct[0]->Colore(), C::Nero);

    // Engine running: the changeover is posted with the pressed look.
    v.ImgLogoS_MouseDown(0);
    EXPECT_EQ(ModMain::RichiestaPendente, 12);
    EXPECT_TRUE(v.Premuto);
    v.ImgLogoS_MouseUp();
    EXPECT_FALSE(v.Premuto);
    // Shift: the option bit of block 15 value 5; the keys go back to the carburetion grid on page 27 only.
    int fuoco = 0;
    FrmCommutatore::FuocoCarburazione0 = [&] { ++fuoco; };
    ModMain::RichiestaPendente = 0;
    ModMain::PaginaCorrente = SCHEDA_CARBURAZIONE;
    v.ImgLogoS_MouseDown(1);
    EXPECT_EQ(ModMain::RichiestaPendente, 54);
    ASSERT_EQ(ModBlck::ModificheBlocco15.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Valore, 16);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].IndiceValore, 5);
    EXPECT_EQ(ModBlck::ModificheBlocco15[0].Maschera, 16);
    EXPECT_FALSE(v.Premuto);
    EXPECT_EQ(fuoco, 1);
    // A waiting request: nothing at all.
    v.ImgLogoS_MouseDown(0);
    EXPECT_EQ(fuoco, 1);
    EXPECT_FALSE(v.Premuto);
    // A block 1 too short to read the run flag: no changeover, no error.
    ModMain::RichiestaPendente = 0;
    ModMain::PaginaCorrente = 48;
    TabellaBlocchi[1].Valori.resize(20);
    v.ImgLogoS_MouseDown(0);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(fuoco, 1);
    v.VisualizzaStatoCommutatore();
    for (auto* l : v.ShpLevAct) EXPECT_EQ(l->Colore(), C::Nero);

    // The shipped picture is loaded when present.
    v.CaricaImgCommutatore(std::string(MONDARO_DIST) + "/img/switch.jpg");
    EXPECT_EQ(v.ImgLogoS->pixmap().size(), QSize(77, 73));
    EXPECT_TRUE(Messaggi().empty());
}
