// Property rules, hover-colour locks, access keys, design data and option
// groups of the drawn button, on a model without a screen.
#include "controls/PulsanteGraficoModello.h"
#include "platform/Dialoghi.h"

#include <gtest/gtest.h>

using namespace Pulsante;

namespace {

class Finto : public ModelloPulsante {
public:
    explicit Finto(const void* contenitore = nullptr) : ModelloPulsante(contenitore) {}
    int ridisegni = 0, regioni = 0, resize = 0;
    std::vector<bool> layout;
    std::vector<QString> notifiche;
    QString chiave = QStringLiteral("?");
    bool rifiutaIcona = false;
    void Progetto(bool si) { UserMode = !si; }

protected:
    void Ridisegna() override {
        if (!DelayDraw) ++ridisegni;
    }
    void CalcolaLayout(bool r) override { layout.push_back(r); }
    void CreaRegione() override { ++regioni; }
    void EseguiResize() override { ++resize; }
    void Notifica(const QString& k) override { notifiche.push_back(k); }
    void ImpostaChiaveAccesso(const QString& t) override { chiave = t; }
    bool ImpostaIconaMouse(const QImage&) override { return !rifiutaIcona; }
};

ImmaginePulsante Bitmap(int w = 20, int h = 10) {
    QImage i(w, h, QImage::Format_RGB32);
    i.fill(Qt::red);
    return {i, false};
}

class PulsanteModello : public ::testing::Test {
protected:
    void SetUp() override { Piattaforma::Copione::Attiva(true); }
};

} // namespace

TEST_F(PulsanteModello, ValoriFuoriIntervalloIgnorati) {
    Finto b;
    b.Mode(4);
    b.ButtonStyle(8);
    b.PictureSize(5);
    b.CaptionAlign(3);
    b.CaptionStyle(-1);
    b.CustomClick(9);
    b.ButtonShape(9);
    b.PictureAlign(6);
    b.GradientMode(5);
    EXPECT_EQ(b.Mode(), 0);
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_EQ(b.PictureSize(), 0);
    EXPECT_EQ(b.CaptionAlign(), 2);
    EXPECT_EQ(b.ButtonShape(), 0);
    EXPECT_EQ(b.GradientMode(), 0);
    EXPECT_TRUE(b.notifiche.empty());
    EXPECT_EQ(b.ridisegni, 0);
}

TEST_F(PulsanteModello, RifiutiEAvvisiSoloInProgetto) {
    Finto b;
    b.Value(true); // command button: refused
    EXPECT_FALSE(b.Value());
    b.Value(false);
    EXPECT_EQ(b.notifiche.back(), QStringLiteral("Value"));
    b.ButtonShape(7); // no picture: refused
    EXPECT_EQ(b.ButtonShape(), 0);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty()); // silent at run time

    b.Progetto(true);
    b.Value(true);
    b.Picture({Bitmap().immagine, true});
    b.ButtonShape(8);
    const auto m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].testo, QStringLiteral("This property is not applicable for command button modes."));
    EXPECT_EQ(m[1].testo, QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG."));
    EXPECT_EQ(b.ButtonShape(), 0);
}

TEST_F(PulsanteModello, AllineamentiEFormaPersonalizzata) {
    Finto b;
    b.Picture(Bitmap());
    b.PictureAlign(4);
    b.CaptionAlign(0); // picture top centred: refused
    EXPECT_EQ(b.CaptionAlign(), 2);
    b.PictureAlign(0);
    b.CaptionAlign(0);
    EXPECT_EQ(b.CaptionAlign(), 0);
    b.PictureAlign(5);
    EXPECT_EQ(b.CaptionAlign(), 2);
    Finto senza;
    senza.PictureAlign(4);
    senza.CaptionAlign(1); // no picture: accepted
    EXPECT_EQ(senza.CaptionAlign(), 1);

    b.PictureAlign(0);
    b.CaptionAlign(0);
    b.ridisegni = 0;
    b.ButtonShape(7);
    EXPECT_EQ(b.ButtonShape(), 7);
    EXPECT_EQ(b.PictureSizePx, 48);
    EXPECT_EQ(b.CaptionAlign(), 2);
    EXPECT_EQ(b.ridisegni, 1); // drawn once
    b.PictureSize(1); // refused on a custom outline
    EXPECT_EQ(b.PictureSizePx, 48);
    b.Picture({}); // empty picture: back to rectangular
    EXPECT_EQ(b.ButtonShape(), 0);
}

TEST_F(PulsanteModello, PictureSizeEFontStyle) {
    Finto b;
    EXPECT_EQ(b.PictureSize(), 0);
    EXPECT_EQ(b.PictureSizePx, 16);
    b.PictureSize(3);
    EXPECT_EQ(b.PictureSizePx, 40);
    EXPECT_TRUE(b.layout.back());
    b.PictureSizePx = 20;
    EXPECT_THROW(b.PictureSize(), std::range_error);
    b.FontStyle(6);
    EXPECT_TRUE(b.Font().bold());
    EXPECT_TRUE(b.Font().italic());
    EXPECT_FALSE(b.Font().underline());
    EXPECT_EQ(b.FontStyle(), 6);
    b.FontStyle(1);
    EXPECT_EQ(b.FontStyle(), 0);
}

TEST_F(PulsanteModello, ChiaviDiAccesso) {
    struct Caso {
        const char* caption;
        std::optional<QString> chiave;
    } casi[] = {
        {"&Start", QStringLiteral("S")},    {"Save && Exit", std::nullopt},
        {"A&&B &Close", QStringLiteral("C")}, {"Menu&", QString()},
        {"No key", std::nullopt},           {"&&&X", QStringLiteral("&")},
    };
    for (const Caso& c : casi) EXPECT_EQ(ChiaveAccesso(QString::fromLatin1(c.caption)), c.chiave) << c.caption;
    Finto b;
    b.Caption(QStringLiteral("&Go"));
    b.Caption(QStringLiteral("Tom && Jerry")); // leaves the key as it was
    EXPECT_EQ(b.chiave, QStringLiteral("G"));
}

TEST_F(PulsanteModello, ColoriHoverBloccati) {
    Finto b;
    // The hover back colour follows BackColor until another one is written.
    b.BackColor(0x112233);
    EXPECT_EQ(b.HoverBackColor(), 0x112233);
    EXPECT_EQ(b.HoverColorLocks(), 0);
    b.HoverBackColor(0x445566);
    EXPECT_EQ(b.HoverColorLocks(), 1);
    b.BackColor(0x778899);
    EXPECT_EQ(b.HoverBackColor(), 0x445566);
    b.HoverColorLocks(0);
    EXPECT_EQ(b.HoverBackColor(), 0x778899);

    // With a gradient the hover colour follows GradientColor and stays unlocked.
    b.GradientColor(0x00AA00);
    b.GradientMode(2);
    EXPECT_EQ(b.HoverBackColor(), 0x00AA00);
    b.BackColor(0x000011);
    EXPECT_EQ(b.HoverBackColor(), 0x00AA00);
    EXPECT_EQ(b.HoverColorLocks(), 0);

    // Fore colour: following ForeColor, locked by another hover colour.
    b.ForeColor(0x0000FF);
    EXPECT_EQ(b.HoverForeColor(), 0x0000FF);
    b.HoverForeColor(0x00FF00);
    EXPECT_EQ(b.HoverColorLocks(), 2);
    b.ForeColor(0x010101);
    EXPECT_EQ(b.HoverForeColor(), 0x00FF00);
    b.HoverBackColor(0x123456);
    EXPECT_EQ(b.HoverColorLocks(), 3);

    // ResetDefaultColors acts only in the designer and always reads False.
    b.ResetDefaultColors(true);
    EXPECT_EQ(b.BackColor(), 0x000011);
    EXPECT_FALSE(b.ResetDefaultColors());
    b.Progetto(true);
    b.ResetDefaultColors(true);
    EXPECT_EQ(b.BackColor(), ColoreFacciaSistema);
    EXPECT_EQ(b.HoverColorLocks(), 0);
    EXPECT_EQ(b.HoverForeColor(), ColoreTestoSistema);
}

TEST_F(PulsanteModello, DelayDrawingDisegnaUnaVolta) {
    Finto b;
    b.DelayDrawing(true);
    b.Caption(QStringLiteral("x"));
    b.BackColor(0x123456);
    b.ButtonStyle(3);
    EXPECT_EQ(b.ridisegni, 0);
    b.DelayDrawing(false);
    EXPECT_EQ(b.ridisegni, 1);
}

TEST_F(PulsanteModello, DatiDiProgettoAndataERitorno) {
    int contenitore = 0;
    Finto a(&contenitore);
    a.InitProperties(QStringLiteral("PulsanteGrafico1"));
    a.CaptionAlign(0);
    a.ButtonStyle(6);
    a.CaptionStyle(2);
    a.HoverBackColor(0x00FF00);
    a.Picture(Bitmap());
    a.PictureSize(2);
    a.Enabled(false);
    a.MousePointer(11);
    BorsaProprieta borsa;
    a.WriteProperties(borsa);
    EXPECT_TRUE(borsa.Contiene(QStringLiteral("CBHOVER")));
    EXPECT_FALSE(borsa.Contiene(QStringLiteral("CustomClick"))); // default not stored
    EXPECT_TRUE(borsa.Contiene(QStringLiteral("Mode")));          // always stored

    Finto b(&contenitore);
    b.ReadProperties(borsa);
    EXPECT_EQ(b.Caption(), QStringLiteral("PulsanteGrafico1"));
    EXPECT_EQ(b.CaptionAlign(), 0);
    EXPECT_EQ(b.ButtonStyle(), 6);
    EXPECT_EQ(b.CaptionStyle(), 2);
    EXPECT_EQ(b.HoverBackColor(), 0x00FF00);
    EXPECT_EQ(b.PictureSizePx, 32);
    EXPECT_EQ(b.PictureWidth, 20);
    EXPECT_FALSE(b.Enabled());
    EXPECT_EQ(b.MousePointer(), 11);
    EXPECT_EQ(b.GradientColor(), 0); // a new instance's gradient colour survives as 0
    EXPECT_EQ(b.resize, 1);
    EXPECT_FALSE(b.DelayDraw);

    // Absent keys give their defaults.
    Finto c;
    c.ReadProperties(BorsaProprieta{});
    EXPECT_EQ(c.CaptionAlign(), 2);
    EXPECT_EQ(c.GradientColor(), ColoreFacciaSistema);
    EXPECT_EQ(c.PictureSizePx, 16);
    EXPECT_EQ(c.HoverBackColor(), c.BackColor());
}

TEST_F(PulsanteModello, GruppoDiOpzioni) {
    int cornice1 = 0, cornice2 = 0;
    Finto a(&cornice1), b(&cornice1), c(&cornice1), altro(&cornice2);
    for (Finto* f : {&a, &b, &c, &altro}) f->Mode(2);
    EXPECT_EQ(MembriGruppo(&cornice1), (std::vector<ModelloPulsante*>{&a, &b, &c}));
    a.Value(true);
    altro.Value(true);
    b.Value(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
    EXPECT_FALSE(c.Value());
    EXPECT_TRUE(altro.Value()); // another frame is another group
    EXPECT_TRUE(c.GestisciGruppoOpzioni(ModelloPulsante::OptionQuery));

    // The middle one becomes a command button: it leaves, its Value goes.
    b.Mode(0);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(MembriGruppo(&cornice1), (std::vector<ModelloPulsante*>{&a, &c}));
    EXPECT_FALSE(a.GestisciGruppoOpzioni(ModelloPulsante::OptionQuery));
    a.Mode(1);
    c.Mode(0);
    EXPECT_TRUE(MembriGruppo(&cornice1).empty());
}

TEST_F(PulsanteModello, MembroDistruttoLasciaIlGruppo) {
    int cornice = 0;
    Finto a(&cornice);
    a.Mode(2);
    {
        Finto b(&cornice);
        b.Mode(2);
        b.Value(true);
        ASSERT_EQ(MembriGruppo(&cornice).size(), 2u);
    }
    // The destroyed member is gone: checking the other one reaches no stale entry.
    EXPECT_EQ(MembriGruppo(&cornice), (std::vector<ModelloPulsante*>{&a}));
    a.Value(true);
    EXPECT_TRUE(a.GestisciGruppoOpzioni(ModelloPulsante::OptionQuery));
}

TEST_F(PulsanteModello, EffettiCollateraliDelleScritture) {
    Finto b;
    b.ButtonShape(4);
    b.regioni = 0;
    b.ButtonStyle(2); // shape 4, neither style is 5: no region rebuild
    EXPECT_EQ(b.regioni, 0);
    b.ButtonStyle(5);
    EXPECT_EQ(b.regioni, 1);
    b.ButtonShape(0);
    b.ButtonStyle(3);
    b.regioni = 0;
    b.Enabled(false); // etched command button: region follows the enabled state
    EXPECT_EQ(b.regioni, 1);
    b.Enabled(false);
    EXPECT_EQ(b.regioni, 1);
    b.Mode(1);
    b.Value(true);
    b.Mode(0);
    EXPECT_FALSE(b.Value());
    b.rifiutaIcona = true;
    QImage icona(8, 8, QImage::Format_RGB32);
    b.MouseIcon(icona);
    EXPECT_TRUE(b.MouseIcon().isNull());
    b.rifiutaIcona = false;
    b.MouseIcon(icona);
    EXPECT_EQ(b.MousePointer(), 99);
}
