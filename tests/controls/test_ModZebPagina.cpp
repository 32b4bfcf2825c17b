// The shared page helpers: items in thousandths, selection by a rule, the
// loading guard, staged edits, the proportional layout from the design and
// the pages' drawn buttons.
#include <gtest/gtest.h>

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/ClsLingue.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "support/SupportoTest.h"

namespace {

using namespace ModZebPagina;

TEST(ModZebPagina, VociInMillesimi) {
    struct Caso {
        const char* testo;
        std::optional<int64_t> millesimi;
    };
    // 5.12 x 1000 as a double is 5119.99...: the item still reads as 5120.
    const Caso casi[] = {{"5.12", 5120}, {"0.256", 256}, {"2.5", 2500}, {"-10", -10000}, {"1", 1000},
                         {"0.0005", 0}, {"abc", std::nullopt}, {"", std::nullopt}};
    for (const auto& c : casi) EXPECT_EQ(MillesimiVoce(QString::fromLatin1(c.testo)), c.millesimi) << c.testo;
    EXPECT_EQ(TestoMillesimi("2500"), std::optional<std::string>("2.5"));
    EXPECT_EQ(TestoMillesimi("x"), std::nullopt);
    EXPECT_EQ(ListaMultipli(50, 3), "0|50|100|150");
    EXPECT_TRUE(VociLista("").empty());

    const std::string prima = ModGlobFunct::SeparatoreDecimale;
    ModGlobFunct::SeparatoreDecimale = ",";
    EXPECT_EQ(MillesimiVoce(QStringLiteral("0,5")), 500);
    EXPECT_EQ(MillesimiVoce(QStringLiteral("0.5")), std::nullopt); // not the locale's form
    EXPECT_EQ(TestoMillesimi("500"), std::optional<std::string>("0,5"));
    ModGlobFunct::SeparatoreDecimale = prima;
}

TEST(ModZebPagina, ListeESelezione) {
    QComboBox c;
    EXPECT_FALSE(RiempiComboMillesimi(&c, "500|x|1500"));
    ASSERT_EQ(c.count(), 1); // the pieces before the bad one stay
    EXPECT_TRUE(RiempiComboMillesimi(&c, "500|1000|1500"));
    EXPECT_EQ(SelezionaNumero(&c, [](double v) { return v >= 0.7; }), 1);
    EXPECT_EQ(SelezionaNumero(&c, [](double v) { return v > 9; }), -1);
    EXPECT_EQ(c.currentIndex(), -1);
    EXPECT_TRUE(c.currentText().isEmpty());
    EXPECT_EQ(CercaSezioni({"[A]", "1", "[A]", "2"}, "[A]"), (std::vector<size_t>{0, 2}));
    EXPECT_EQ(RigaDopo({"[A]"}, 0, 1), std::nullopt);
}

// A list fills its combo with one look at the current-language file, not one
// per item: a long ConfigScale.ini list kept start-up reading it for minutes.
TEST(ModZebPagina, ListaLungaLeggeLaLinguaUnaVolta) {
    SupportoTest::CartellaBase base(false);
    base.Scrivi("diz.con", "1\r\n");
    ClsLingue lingue;
    lingue.PathAttualeLingua(base.File("diz.con"));
    ClsLingue* const prima = ModMain::Dizionario;
    ModMain::Dizionario = &lingue;
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_GE(inotify_add_watch(fd, base.File("diz.con").c_str(), IN_OPEN), 0);
    QComboBox c;
    RiempiCombo(&c, ListaMultipli(1, 499));
    int aperture = 0;
    alignas(inotify_event) char eventi[4096];
    for (ssize_t n; (n = read(fd, eventi, sizeof eventi)) > 0;)
        for (const char* p = eventi; p < eventi + n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(p);
            if (e->mask & IN_OPEN) ++aperture;
            p += sizeof(inotify_event) + e->len;
        }
    close(fd);
    ModMain::Dizionario = prima;
    EXPECT_EQ(c.count(), 500);
    EXPECT_LE(aperture, 2); // the existence test and the read
}

TEST(ModZebPagina, GuardiaEModifiche) {
    bool caricamento = false;
    try {
        GuardiaCaricamento g(caricamento);
        EXPECT_TRUE(caricamento);
        throw std::runtime_error("a control failed to load");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(caricamento);

    ListaModifiche l{{1, 2, 3}, {4, 5, 6}};
    ModificaSingola(l, 7, 8, 0x40);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].Valore, 7);
    EXPECT_EQ(l[0].IndiceValore, 8);
    EXPECT_EQ(l[0].Maschera, 0x40);
    EXPECT_TRUE(ByteValido(255));
    EXPECT_FALSE(ByteValido(256));
    EXPECT_FALSE(ByteValido(-1));
    const int32_t slot = ModMain::RichiestaPendente;
    ModMain::RichiestaPendente = 0;
    EXPECT_TRUE(SlotLibero());
    ModMain::RichiestaPendente = slot;
}

TEST(ModZebPagina, ProporzioniDalProgetto) {
    QWidget forma;
    forma.resize(100, 50);
    auto* l = new QLabel(&forma);
    Colloca(l, 150, 150, 600, 300); // 10, 10, 40, 20 pixels
    ImpostaFont(l, 8);
    auto* c = new QComboBox(&forma);
    Colloca(c, 0, 300, 600, 330);
    Proporzioni p(1500, 750);
    forma.resize(150, 100);
    ASSERT_TRUE(p.Applica(&forma));
    EXPECT_EQ(l->geometry(), QRect(15, 20, 60, 40));
    EXPECT_EQ(l->font().pointSize(), 12);
    EXPECT_EQ(c->height(), 22); // keeps its height
    EXPECT_EQ(c->y(), 51);      // centred where the design centre (31) scales to (62)
    EXPECT_FLOAT_EQ(p.FattoreScala(), 1.5f);
    forma.resize(0, 0);
    EXPECT_FALSE(p.Applica(&forma));
    EXPECT_EQ(l->geometry(), QRect(15, 20, 60, 40));
    forma.resize(100, 50);
    p.Applica(&forma);
    EXPECT_EQ(l->geometry(), QRect(10, 10, 40, 20));
    EXPECT_EQ(l->font().pointSize(), 8);
}

TEST(ModZebPagina, PulsantiDellePagine) {
    QWidget forma;
    // The pages' usual look: hover colours locked so that they survive the face colour.
    auto* b = NuovoPulsante(&forma, QStringLiteral("CmdOk"), {.forma = 3, .senzaGradiente = true, .senzaFocus = true});
    EXPECT_EQ(b->parent(), &forma);
    EXPECT_EQ(b->objectName(), QStringLiteral("CmdOk"));
    EXPECT_EQ(b->ButtonStyle(), 2);
    EXPECT_EQ(b->ButtonShape(), 3);
    EXPECT_EQ(b->ForeColor(), 0);
    EXPECT_EQ(b->BackColor(), 0xC0A0A0);
    EXPECT_EQ(b->HoverForeColor(), 0xC0A0A0);
    EXPECT_EQ(b->HoverBackColor(), 0xC00000);
    EXPECT_EQ(b->HoverColorLocks(), 3);
    EXPECT_FALSE(b->ShowFocusRect());

    // A member of a control array, two-state, with a caption and its design font.
    auto* m = NuovoPulsante(&forma, QStringLiteral("CmdScelta"), {.modo = 1, .punti = 8, .testo = QStringLiteral("On")}, 2);
    EXPECT_EQ(m->objectName(), QStringLiteral("CmdScelta2"));
    EXPECT_EQ(m->Mode(), 1);
    EXPECT_EQ(m->Caption(), QStringLiteral("On"));
    EXPECT_EQ(m->font().pointSize(), 8);
    EXPECT_TRUE(m->font().bold());

    // A page with its own relayout sets the font; a two-state button starts pressed.
    QWidget* conFont = nullptr;
    auto* v = NuovoPulsante(&forma, QStringLiteral("BUT_Menu"),
                            {.modo = 1, .punti = 8, .valore = true, .allineamentoFigura = 4,
                             .font = [&conFont](QWidget* w) { conFont = w; }});
    EXPECT_EQ(conFont, v);
    EXPECT_FALSE(v->font().bold()); // the design font was not applied as well
    EXPECT_TRUE(v->Value());
    EXPECT_EQ(v->PictureAlign(), 4);

    // Colours and hover left as the control has them.
    PulsanteGrafico proprio(&forma);
    auto* n = NuovoPulsante(&forma, QStringLiteral("CmdP"), {.colori = false, .riflesso = false});
    EXPECT_EQ(n->BackColor(), proprio.BackColor());
    EXPECT_EQ(n->HoverBackColor(), proprio.HoverBackColor());
    EXPECT_EQ(n->HoverColorLocks(), proprio.HoverColorLocks());
    EXPECT_EQ(n->ButtonShape(), proprio.ButtonShape());
}

} // namespace
