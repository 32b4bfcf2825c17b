#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>

#include "controls/GrigliaDati.h"
#include "controls/ModZebBarre.h"
#include "controls/ModZebGriglia.h"
#include "core/ModGlobFunct.h"
#include "support/GrigliaProva.h"
#include "support/TastiProva.h"

namespace {

// A grid whose row 0 grows by `altezzaPerPunto` and column 0 by
// `larghezzaPerPunto` per font point; it can fail on a given font size.
class GrigliaFinta : public ModZeb::MisureGriglia {
public:
    double altezza = 0, larghezza = 0;
    double altezzaPerPunto = 20, larghezzaPerPunto = 60;
    int32_t righe = 5, colonne = 5;
    double font = 12;
    int32_t fallisceA = -1;
    std::vector<bool> ridisegni;

    double Altezza() const override { return altezza; }
    double Larghezza() const override { return larghezza; }
    double AltezzaRiga0() const override { return altezzaPerPunto * font; }
    double LarghezzaColonna0() const override { return larghezzaPerPunto * font; }
    int32_t Righe() const override { return righe; }
    int32_t Colonne() const override { return colonne; }
    double DimensioneFont() const override { return font; }
    void ImpostaDimensioneFont(int32_t punti) override {
        if (punti == fallisceA) throw std::runtime_error("font");
        font = punti;
    }
    void ImpostaRidisegno(bool attivo) override { ridisegni.push_back(attivo); }
    // Room for exactly `punti` points in both directions, plus a margin.
    void Spazio(double punti, double margine = 0) {
        altezza = altezzaPerPunto * punti * righe + margine;
        larghezza = larghezzaPerPunto * punti * colonne + margine;
    }
};

void Clic(GrigliaDati& g, int r, int c, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    const QPoint p = g.visualRect(g.model()->index(r, c)).center();
    QMouseEvent giu(QEvent::MouseButtonPress, p, g.viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, mod);
    QCoreApplication::sendEvent(g.viewport(), &giu);
    QMouseEvent su(QEvent::MouseButtonRelease, p, g.viewport()->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, mod);
    QCoreApplication::sendEvent(g.viewport(), &su);
}

void Trascina(GrigliaDati& g, int r, int c) {
    const QPoint p = g.visualRect(g.model()->index(r, c)).center();
    QMouseEvent mossa(QEvent::MouseMove, p, g.viewport()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(g.viewport(), &mossa);
}

void Tasto(GrigliaDati& g, int tasto, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, tasto, mod);
    QCoreApplication::sendEvent(&g, &e);
}

} // namespace

TEST(ModZebGriglia, AdattaFont) {
    struct Caso { const char* nome; double font; double spazioPunti; double margine; int32_t atteso; };
    const Caso casi[] = {
        {"exact fit stays", 12, 12, 0, 12},
        {"room grows to the last size that fits", 12, 15, 5, 15},
        {"room at 20 keeps 20", 12, 30, 0, 20},
        {"20 is never enlarged", 20, 30, 0, 20},
        {"overflow at 8 stays", 8, 5, 0, 8},
        {"overflow at 11 fits at 9", 11, 9, 0, 9},
        {"fits at no size keeps 8", 12, 2, 0, 8},
        {"large font shrinks", 25, 22, 0, 22},
        {"size read rounded", 11.4, 9, 0, 9},
    };
    for (const auto& c : casi) {
        GrigliaFinta g;
        g.Spazio(c.spazioPunti, c.margine);
        g.font = c.font;
        ModZeb::AdattaFontGriglia(g);
        EXPECT_EQ(g.font, c.atteso) << c.nome;
        ASSERT_FALSE(g.ridisegni.empty());
        EXPECT_FALSE(g.ridisegni.front()) << c.nome;
        EXPECT_TRUE(g.ridisegni.back()) << c.nome;
    }
}

TEST(ModZebGriglia, RidisegnoRiattivatoDopoUnErrore) {
    GrigliaFinta g;
    g.Spazio(15, 5);
    g.fallisceA = 14;
    EXPECT_THROW(ModZeb::AdattaFontGriglia(g), std::runtime_error);
    ASSERT_EQ(g.ridisegni.size(), 2u);
    EXPECT_TRUE(g.ridisegni.back());
}

TEST(ModZebGriglia, SuUnaGrigliaVera) {
    GrigliaDati g;
    g.Rows(3);
    g.Cols(3);
    g.FontSize(8);
    g.resize(600, 300);
    ModZeb::AdattaFontGriglia(&g);
    const int cresciuto = static_cast<int>(g.FontSize());
    EXPECT_GT(cresciuto, 8);
    EXPECT_LE(g.RowHeight(0) * 3, g.height() * 15);
    EXPECT_LE(g.ColWidth(0) * 3, g.width() * 15);
    EXPECT_TRUE(g.Redraw());
    EXPECT_TRUE(g.updatesEnabled());
    g.resize(150, 60);
    ModZeb::AdattaFontGriglia(&g);
    EXPECT_LT(static_cast<int>(g.FontSize()), cresciuto);
    EXPECT_GE(static_cast<int>(g.FontSize()), 8);
    ModZeb::AdattaFontGriglia(nullptr);
}

TEST(ModZebBarre, ColoriDellaBarra) {
    QProgressBar b;
    b.setRange(0, 100);
    b.setValue(50);
    b.setTextVisible(false);
    b.resize(200, 20);
    ModZeb::ImpostaColoreBarra(&b, 0xFF00);
    ModZeb::ImpostaColoreSfondoBarra(&b, 0x800000);
    QImage img = b.grab().toImage();
    EXPECT_EQ(img.pixelColor(30, 10), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(170, 10), QColor(0, 0, 128));
    // Setting one colour keeps the other.
    ModZeb::ImpostaColoreBarra(&b, 0xC0C0C0);
    img = b.grab().toImage();
    EXPECT_EQ(img.pixelColor(30, 10), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(170, 10), QColor(0, 0, 128));
    ModZeb::ImpostaColoreBarra(nullptr, 0);
}

TEST(GrigliaDati, StatoInizialeETesti) {
    GrigliaDati g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    g.Rows(24);
    g.Cols(25);
    g.TextMatrix(0, 3, "1200");
    g.TextMatrix(23, 24, "255");
    EXPECT_EQ(g.TextMatrix(0, 3), "1200");
    EXPECT_EQ(g.TextMatrix(23, 24), "255");
    EXPECT_EQ(g.TextMatrix(24, 0), "");
    g.TextMatrix(-1, 0, "x"); // ignored
    g.Row(23);
    g.Col(24);
    EXPECT_EQ(g.Text(), "255");
    g.Rows(10); // the current cell stays inside
    EXPECT_EQ(g.Row(), 9);
    EXPECT_EQ(g.TextMatrix(0, 3), "1200");
}

TEST(GrigliaDati, ColoriEAllineamento) {
    GrigliaDati g;
    g.Rows(3);
    g.Cols(3);
    EXPECT_EQ(g.CellBackColor(1, 1), 0);
    g.CellBackColor(1, 1, 0xC0FFC0);
    g.CellForeColor(2, 2, 0x6E6E6E);
    EXPECT_EQ(g.CellBackColor(1, 1), 0xC0FFC0);
    EXPECT_EQ(g.CellForeColor(2, 2), 0x6E6E6E);
    EXPECT_EQ(g.item(1, 1)->background().color(), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(g.item(2, 2)->foreground().color(), QColor(0x6E, 0x6E, 0x6E));
    // Fixed cells take the button face; a system colour is resolved.
    EXPECT_NE(g.item(0, 1)->background().color(), QColor(255, 255, 255));
    EXPECT_EQ(g.item(2, 1)->background().color(), QColor(255, 255, 255));
    g.CellBackColor(0, 2, static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(g.item(0, 2)->background().color(), QColor(255, 255, 255));
    g.Row(2);
    g.Col(1);
    g.CellBackColor(0x808080);
    EXPECT_EQ(g.CellBackColor(2, 1), 0x808080);
    g.CellAlignment(2, 1, 4);
    EXPECT_EQ(g.item(2, 1)->textAlignment(), int(Qt::AlignHCenter | Qt::AlignVCenter));
    g.TextMatrix(1, 2, "12");
    EXPECT_EQ(g.item(1, 2)->textAlignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
}

TEST(GrigliaDati, SelezioneEAppunti) {
    GrigliaDati g;
    g.Rows(4);
    g.Cols(4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) g.TextMatrix(r, c, QString("%1%2").arg(r).arg(c));
    g.Row(3);
    g.Col(3);
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(g.ColSel(), 3);
    g.RowSel(1);
    g.ColSel(2);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.currentRow(), 3);
    EXPECT_EQ(ModGlobFunct::CopiaGrigliaInAppunti(&g), "\t02\t03\r\n10\t12\t13\r\n20\t22\t23\r\n30\t32\t33\t");
    g.Col(1); // a new current cell is the whole selection again
    EXPECT_EQ(g.RowSel(), 3);
    EXPECT_EQ(g.ColSel(), 1);
}

TEST(GrigliaDati, MouseETastiera) {
    GrigliaDati g;
    g.Rows(5);
    g.Cols(5);
    g.resize(600, 300);
    g.show();
    int entrate = 0, uscite = 0;
    QObject::connect(&g, &GrigliaDati::EnterCell, [&] { ++entrate; });
    QObject::connect(&g, &GrigliaDati::LeaveCell, [&] { ++uscite; });
    Clic(g, 2, 3);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(entrate, 1);
    EXPECT_EQ(uscite, 1);
    Clic(g, 0, 4); // header: nothing moves
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3);
    // Drag from (2, 3) towards the header: the selection stops at the data.
    Clic(g, 2, 3);
    {
        const QPoint p = g.visualRect(g.model()->index(2, 3)).center();
        QMouseEvent giu(QEvent::MouseButtonPress, p, g.viewport()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(g.viewport(), &giu);
    }
    Trascina(g, 0, 0);
    EXPECT_EQ(g.RowSel(), 1);
    EXPECT_EQ(g.ColSel(), 1);
    Trascina(g, 4, 4);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 4);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.selectedRanges().size(), 1);
    EXPECT_EQ(g.selectedRanges().front().rowCount(), 3);
    // Keys: arrows move within the data, Shift extends.
    g.Row(1);
    g.Col(1);
    Tasto(g, Qt::Key_Up);
    Tasto(g, Qt::Key_Left);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    Tasto(g, Qt::Key_Down);
    Tasto(g, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.ColSel(), 2);
}

TEST(GrigliaDati, DimensioniInTwipsERidisegno) {
    GrigliaDati g;
    g.Rows(3);
    g.Cols(3);
    g.ColWidth(1, 900);
    g.RowHeight(2, 450);
    EXPECT_EQ(g.ColWidth(1), 900);
    EXPECT_EQ(g.RowHeight(2), 450);
    const int32_t riga0 = g.RowHeight(0);
    g.FontSize(16);
    EXPECT_GT(g.RowHeight(0), riga0);  // follows the font
    EXPECT_EQ(g.RowHeight(2), 450);    // set explicitly
    EXPECT_EQ(g.ColWidth(1), 900);
    g.Redraw(false);
    EXPECT_FALSE(g.Redraw());
    EXPECT_FALSE(g.updatesEnabled());
    g.Redraw(true);
    EXPECT_TRUE(g.updatesEnabled());
    g.FixedRows(0);
    EXPECT_EQ(g.item(0, 1)->background().color(), QColor(255, 255, 255));
    EXPECT_TRUE(g.item(0, 1)->flags() & Qt::ItemIsSelectable);
}

TEST(GrigliaDati, EventiDiTastiEClic) {
    GrigliaDati g;
    g.Rows(6);
    g.Cols(5);
    g.resize(600, 300);
    g.show();
    std::vector<std::pair<int, int>> giu, su;
    std::vector<int> caratteri;
    int clic = 0;
    QObject::connect(&g, &GrigliaDati::KeyDown, [&](int16_t k, int16_t s) { giu.emplace_back(k, s); });
    QObject::connect(&g, &GrigliaDati::KeyUp, [&](int16_t k, int16_t s) { su.emplace_back(k, s); });
    QObject::connect(&g, &GrigliaDati::KeyPress, [&](int16_t c) { caratteri.push_back(c); });
    QObject::connect(&g, &GrigliaDati::Click, [&] { ++clic; });
    Clic(g, 2, 2);
    Clic(g, 0, 3); // a header click is a click too, the cell stays
    EXPECT_EQ(clic, 2);
    EXPECT_EQ(g.Col(), 2);

    // Enter and Ctrl+C: one press and one release each, with the codes the pages read.
    for (auto [tasto, mod, testo] : {std::tuple{Qt::Key_Return, Qt::NoModifier, QString("\r")},
                                     std::tuple{Qt::Key_C, Qt::ControlModifier, QString(QChar(3))}}) {
        QKeyEvent p(QEvent::KeyPress, tasto, mod, testo);
        QCoreApplication::sendEvent(&g, &p);
        QKeyEvent r(QEvent::KeyRelease, tasto, mod, testo);
        QCoreApplication::sendEvent(&g, &r);
    }
    EXPECT_EQ(su, (std::vector<std::pair<int, int>>{{13, 0}, {67, 2}}));
    EXPECT_EQ(caratteri, (std::vector<int>{13, 3}));

    // A held arrow: every repeat moves, the release comes once.
    su.clear();
    g.Row(1);
    g.Col(1);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent p(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), i > 0);
        QCoreApplication::sendEvent(&g, &p);
        if (i < 2) {
            QKeyEvent r(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
            QCoreApplication::sendEvent(&g, &r);
        }
    }
    QKeyEvent fine(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&g, &fine);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(su, (std::vector<std::pair<int, int>>{{40, 0}}));

    // Home and End move along the row, with Ctrl to the corners; Shift extends.
    Tasto(g, Qt::Key_End);
    EXPECT_EQ(g.Col(), 4);
    Tasto(g, Qt::Key_Home);
    EXPECT_EQ(g.Col(), 1);
    Tasto(g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.Col(), 4);
    Tasto(g, Qt::Key_Home, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.RowSel(), 1);
    EXPECT_EQ(g.ColSel(), 1);
    Tasto(g, Qt::Key_PageUp);
    EXPECT_EQ(g.Row(), 1);
}

TEST(GrigliaDati, TastiPiuEMenoSuOgniTastiera) {
    // The plus and minus keys, shifted or not, on a US and an Italian keyboard
    // and on the keypad, each with the key, text and scan code (xkb key code)
    // the layout gives: every press and release carries the step code the
    // grid pages read. A shifted digit stays its digit.
    using namespace SupportoTest::Tastiera;
    struct Caso {
        const SupportoTest::TastoTastiera& tasto;
        int codice, shift;
    };
    const Caso casi[] = {
        {UsUguale, 187, 0},      {UsShiftUguale, 187, 1},      {UsMeno, 189, 0},        {UsShiftMeno, 189, 1},
        {ItPiu, 187, 0},         {ItShiftPiu, 187, 1},         {ItMeno, 189, 0},        {ItShiftMeno, 189, 1},
        {TastierinoPiu, 107, 0}, {TastierinoMeno, 109, 0},     {ShiftTastierinoPiu, 107, 1},
        {TastierinoPer, 0, 0},   {UsShift8, '8', 1},           {ItShift0, '0', 1},
    };
    GrigliaDati g;
    g.Rows(3);
    g.Cols(3);
    std::vector<std::pair<int, int>> giu, su;
    QObject::connect(&g, &GrigliaDati::KeyDown, [&](int16_t k, int16_t s) { giu.emplace_back(k, s); });
    QObject::connect(&g, &GrigliaDati::KeyUp, [&](int16_t k, int16_t s) { su.emplace_back(k, s); });
    for (const Caso& c : casi) {
        giu.clear();
        su.clear();
        SupportoTest::Batti(&g, c.tasto);
        const std::vector<std::pair<int, int>> atteso{{c.codice, c.shift}};
        EXPECT_EQ(giu, atteso) << c.tasto.nome;
        EXPECT_EQ(su, atteso) << c.tasto.nome;
    }
}

TEST(GrigliaDati, SelezioneNeiColoriDellaPagina) {
    // A grid whose page highlights in yellow: the selection, extended with
    // Shift+arrow, shows in the page's colours while the grid has the focus,
    // and no longer once the focus has gone elsewhere.
    QWidget finestra;
    finestra.resize(400, 160);
    auto* g = new GrigliaDati(&finestra);
    g->setGeometry(0, 0, 400, 120);
    auto* altro = new QLineEdit(&finestra);
    altro->setGeometry(0, 125, 100, 30);
    g->Rows(3);
    g->Cols(4);
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 4; ++c) g->TextMatrix(r, c, QStringLiteral("88"));
    g->ColoriSelezione(0x00FFFF, 0);
    ASSERT_TRUE(SupportoTest::Attiva(&finestra));
    SupportoTest::ClicCella(g, 1, 1);
    ASSERT_TRUE(g->hasFocus());
    SupportoTest::Batti(g, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(g->ColSel(), 2);
    for (const int c : {1, 2}) EXPECT_TRUE(SupportoTest::CellaGialla(g, 1, c));
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(g, &tab);
    ASSERT_TRUE(altro->hasFocus());
    for (const int c : {1, 2}) EXPECT_FALSE(SupportoTest::CellaGialla(g, 1, c));
}
