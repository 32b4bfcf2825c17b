// The drawn button on the offscreen platform: input, hover, and pixels.
#include "controls/ModZebPulsante.h"
#include "controls/PulsanteGrafico.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QImage>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <gtest/gtest.h>

using namespace Pulsante;

namespace {

class PulsanteWidget : public ::testing::Test {
protected:
    QWidget contenitore;
    QWidget* sotto = nullptr;
    std::vector<std::string> eventi;

    void SetUp() override {
        contenitore.resize(300, 200);
        contenitore.show();
        PulsanteGrafico::FinestraSottoCursore = [this] { return sotto; };
    }
    void TearDown() override { PulsanteGrafico::FinestraSottoCursore = nullptr; }

    PulsanteGrafico* Nuovo(int mode = 0) {
        auto* b = new PulsanteGrafico(&contenitore);
        b->resize(100, 30);
        b->Caption(QStringLiteral("&Start"));
        b->Mode(mode);
        const std::string n = std::to_string(eventi.size());
        QObject::connect(b, &PulsanteGrafico::MouseDown, [this](int16_t bt, int16_t sh, float, float) {
            eventi.push_back("MouseDown" + std::to_string(bt) + "/" + std::to_string(sh));
        });
        QObject::connect(b, &PulsanteGrafico::MouseUp,
                         [this](int16_t bt, int16_t, float, float) { eventi.push_back("MouseUp" + std::to_string(bt)); });
        QObject::connect(b, &PulsanteGrafico::MouseMove, [this](int16_t, int16_t, float, float) { eventi.push_back("MouseMove"); });
        QObject::connect(b, &PulsanteGrafico::Click, [this] { eventi.push_back("Click"); });
        QObject::connect(b, &PulsanteGrafico::DoubleClick,
                         [this](int16_t bt) { eventi.push_back("DoubleClick" + std::to_string(bt)); });
        QObject::connect(b, &PulsanteGrafico::KeyDown,
                         [this](int16_t k, int16_t) { eventi.push_back("KeyDown" + std::to_string(k)); });
        QObject::connect(b, &PulsanteGrafico::KeyUp,
                         [this](int16_t k, int16_t) { eventi.push_back("KeyUp" + std::to_string(k)); });
        QObject::connect(b, &PulsanteGrafico::MouseOnButton,
                         [this](bool s) { eventi.push_back(s ? "MouseOnButton1" : "MouseOnButton0"); });
        return b;
    }

    static void Mouse(QWidget* w, QEvent::Type t, Qt::MouseButton b, QPoint p = {50, 15}) {
        const Qt::MouseButtons giu = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
        QMouseEvent e(t, QPointF(p), QPointF(w->mapToGlobal(p)), b, giu, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void Clic(QWidget* w, Qt::MouseButton b = Qt::LeftButton) {
        Mouse(w, QEvent::MouseButtonPress, b);
        Mouse(w, QEvent::MouseButtonRelease, b);
    }
    static void Tasto(QWidget* w, QEvent::Type t, int k, bool ripetuto = false) {
        QKeyEvent e(t, k, Qt::NoModifier, k == Qt::Key_Space ? QStringLiteral(" ") : QString(), ripetuto);
        QCoreApplication::sendEvent(w, &e);
    }
};

} // namespace

TEST_F(PulsanteWidget, ClicSinistroEDestro) {
    PulsanteGrafico* b = Nuovo();
    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(b->StateFlags & HeldDown);
    EXPECT_TRUE(b->PressOn);
    Mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(eventi, (std::vector<std::string>{"MouseDown1/0", "MouseUp1", "Click"}));
    EXPECT_FALSE(b->Value());
    eventi.clear();
    Clic(b, Qt::RightButton);
    EXPECT_EQ(eventi, (std::vector<std::string>{"MouseDown2/0", "MouseUp2"}));
    EXPECT_FALSE(b->StateFlags & HeldDown);
}

TEST_F(PulsanteWidget, DoppioClic) {
    PulsanteGrafico* b = Nuovo();
    Clic(b);
    eventi.clear();
    Mouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton);
    EXPECT_EQ(eventi, (std::vector<std::string>{"DoubleClick1", "MouseDown1/0"}));
    EXPECT_EQ(b->LastButton, -1);
    EXPECT_TRUE(b->StateFlags & HeldDown);
    Mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(eventi.back(), "MouseUp1"); // no second Click
    EXPECT_EQ(b->LastButton, 1);
}

TEST_F(PulsanteWidget, CheckEOpzioniAlClic) {
    PulsanteGrafico* c = Nuovo(1);
    Clic(c);
    EXPECT_TRUE(c->Value());
    Clic(c);
    EXPECT_FALSE(c->Value());
    PulsanteGrafico* o1 = Nuovo(2);
    PulsanteGrafico* o2 = Nuovo(2);
    eventi.clear();
    Clic(o1);
    EXPECT_TRUE(o1->Value());
    Clic(o2);
    EXPECT_TRUE(o2->Value());
    EXPECT_FALSE(o1->Value());
    eventi.clear();
    Clic(o2); // already selected: nothing
    EXPECT_EQ(std::count(eventi.begin(), eventi.end(), "Click"), 0);
}

TEST_F(PulsanteWidget, SpazioSuComandoESuCheck) {
    PulsanteGrafico* b = Nuovo();
    Tasto(b, QEvent::KeyPress, Qt::Key_Space);
    Tasto(b, QEvent::KeyPress, Qt::Key_Space, true); // held and repeated
    EXPECT_TRUE(b->StateFlags & HeldDown);
    EXPECT_FALSE(b->StateFlags & MouseOver); // only for the pressed drawing
    Tasto(b, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(eventi, (std::vector<std::string>{"KeyDown32", "KeyDown32", "Click", "KeyUp32"}));
    PulsanteGrafico* c = Nuovo(1);
    eventi.clear();
    Tasto(c, QEvent::KeyPress, Qt::Key_Space);
    Tasto(c, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(eventi, (std::vector<std::string>{"KeyDown32", "KeyUp32", "Click"}));
    EXPECT_TRUE(c->Value());
    eventi.clear();
    Tasto(c, QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_TRUE(eventi.empty());
}

TEST_F(PulsanteWidget, FrecceEFuocoNelGruppo) {
    PulsanteGrafico* o1 = Nuovo(2);
    PulsanteGrafico* o2 = Nuovo(2);
    struct Registratore : QObject {
        std::vector<std::pair<int, quint32>> tasti;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress) {
                auto* k = static_cast<QKeyEvent*>(e);
                tasti.push_back({k->key(), k->nativeScanCode()});
            }
            return false;
        }
    } reg;
    contenitore.installEventFilter(&reg);
    Tasto(o1, QEvent::KeyPress, Qt::Key_Right);
    QCoreApplication::processEvents();
    ASSERT_EQ(reg.tasti.size(), 1u);
    EXPECT_EQ(reg.tasti[0], (std::pair<int, quint32>{Qt::Key_Right, 0x4D}));
    Tasto(o1, QEvent::KeyRelease, Qt::Key_Right);
    EXPECT_TRUE(o1->Value()); // reached by an arrow key: selected
    EXPECT_EQ(eventi, (std::vector<std::string>{"Click"}));

    // Focus on an option button while another member is selected: nothing.
    eventi.clear();
    QFocusEvent dentro(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(o2, &dentro);
    EXPECT_FALSE(o2->Value());
    EXPECT_TRUE(eventi.empty());
    // When nothing is selected the focused one becomes the selected one.
    o1->Value(false);
    QCoreApplication::sendEvent(o2, &dentro);
    EXPECT_TRUE(o2->Value());
    EXPECT_EQ(eventi, (std::vector<std::string>{"Click"}));
    contenitore.removeEventFilter(&reg);
}

TEST_F(PulsanteWidget, TastiDiAccessoEDefault) {
    PulsanteGrafico* b = Nuovo();
    PulsanteGrafico* c = Nuovo(1);
    b->AccessKeyPress(13);
    c->AccessKeyPress(27);
    EXPECT_EQ(eventi, (std::vector<std::string>{"Click"}));
    c->AccessKeyPress('S');
    EXPECT_TRUE(c->Value());
}

TEST_F(PulsanteWidget, InizioEFineDelPassaggio) {
    PulsanteGrafico* b = Nuovo();
    sotto = b;
    Mouse(b, QEvent::MouseMove, Qt::NoButton);
    Mouse(b, QEvent::MouseMove, Qt::NoButton);
    EXPECT_EQ(eventi, (std::vector<std::string>{"MouseOnButton1", "MouseMove", "MouseMove"}));
    EXPECT_TRUE(b->HoverOn);
    EXPECT_TRUE(b->TimerHoverAttivo());
    EXPECT_EQ(b->property("lv_TimerID").toInt(), 237);
    // A tick while still over the button changes nothing.
    ModZeb::GestisciTimerPulsante(b, 0x113, 237, 0);
    EXPECT_TRUE(b->HoverOn);
    sotto = &contenitore;
    eventi.clear();
    EXPECT_EQ(ModZeb::GestisciTimerPulsante(b, 0x113, 237, 0), 0);
    EXPECT_EQ(eventi, (std::vector<std::string>{"MouseOnButton0"}));
    EXPECT_FALSE(b->HoverOn);
    EXPECT_FALSE(b->StateFlags & MouseOver);
    EXPECT_FALSE(b->TimerHoverAttivo());
    // Entering with the left button down draws it pressed.
    sotto = b;
    QMouseEvent m(QEvent::MouseMove, QPointF(5, 5), QPointF(b->mapToGlobal(QPoint(5, 5))), Qt::NoButton,
                  Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(b, &m);
    EXPECT_TRUE(b->PressOn);
    // The timer callback finds nothing on a window that is not a button.
    EXPECT_EQ(ModZeb::GestisciTimerPulsante(&contenitore, 0x113, 237, 0), 0);
}

TEST_F(PulsanteWidget, SpintaCustomClick) {
    PulsanteGrafico* b = Nuovo();
    b->move(40, 40);
    b->CustomClick(4);
    sotto = b;
    Mouse(b, QEvent::MouseMove, Qt::NoButton);
    Mouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(b->pos(), QPoint(41, 41));
    EXPECT_TRUE(b->StateFlags & Nudged);
    Mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(b->pos(), QPoint(40, 40));
    PulsanteGrafico* c = Nuovo(1);
    c->move(10, 10);
    c->CustomClick(4);
    Mouse(c, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_EQ(c->pos(), QPoint(10, 10)); // no nudge for check buttons
}

// ---- pixels ----------------------------------------------------------------------

TEST_F(PulsanteWidget, AngoliDelLookBordatoEMaschera) {
    PulsanteGrafico* b = Nuovo();
    b->ButtonStyle(1);
    b->show();
    QCoreApplication::processEvents();
    const QRegion m = b->mask();
    EXPECT_FALSE(m.contains(QPoint(0, 0)));
    EXPECT_FALSE(m.contains(QPoint(99, 29)));
    EXPECT_TRUE(m.contains(QPoint(1, 0)));
    const QImage f = b->Faccia();
    EXPECT_EQ(f.pixel(1, 0), qRgb(0, 0, 0));       // outer ring black
    EXPECT_EQ(f.pixel(1, 1), qRgb(255, 255, 255)); // middle ring white at the top
    EXPECT_EQ(f.pixel(98, 28), qRgb(128, 128, 128));
}

TEST_F(PulsanteWidget, AngoliDelLookChiaro) {
    PulsanteGrafico* b = Nuovo();
    b->ButtonStyle(7);
    b->show();
    QCoreApplication::processEvents();
    const QImage f = b->Faccia();
    EXPECT_EQ(f.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(f.pixel(98, 28), qRgb(0, 0, 0));
    EXPECT_EQ(f.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_FALSE(b->mask().contains(QPoint(0, 0))); // triangle cut
}

TEST_F(PulsanteWidget, ContornoObliquo) {
    PulsanteGrafico* b = Nuovo();
    b->resize(12, 10);
    b->ButtonShape(1);
    b->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(b->width(), 17); // widened to leave 5 pixels beside the slant
    EXPECT_EQ(b->BottomLeftX, 11);
    b->resize(100, 20);
    b->ButtonShape(3);
    QCoreApplication::processEvents();
    const QRegion m = b->mask();
    EXPECT_FALSE(m.contains(QPoint(2, 18)));
    EXPECT_TRUE(m.contains(QPoint(22, 19)));
    EXPECT_FALSE(m.contains(QPoint(97, 1)));
    EXPECT_TRUE(m.contains(QPoint(50, 10)));
    // The outer edge runs along the slant from (20,20) to (0,0), not the face colour.
    const QImage f = b->Faccia();
    EXPECT_NE(f.pixel(10, 10), f.pixel(50, 3));
    EXPECT_EQ(f.pixel(50, 3), ColoreQt(ColoreFacciaSistema).rgb());
}

TEST_F(PulsanteWidget, CaptionCentrata) {
    PulsanteGrafico* b = Nuovo();
    b->resize(120, 40);
    b->BackColor(0xFFFFFF);
    b->Caption(QStringLiteral("MMMM"));
    b->show();
    QCoreApplication::processEvents();
    const QImage f = b->Faccia();
    int sx = 1000, dx = -1, su = 1000, giu = -1;
    for (int y = 4; y < 36; ++y)
        for (int x = 4; x < 116; ++x)
            if (qGray(f.pixel(x, y)) < 100) {
                sx = std::min(sx, x);
                dx = std::max(dx, x);
                su = std::min(su, y);
                giu = std::max(giu, y);
            }
    ASSERT_GE(dx, 0);
    EXPECT_LE(std::abs((sx + dx) - 119), 3) << sx << ".." << dx;
    EXPECT_LE(std::abs((su + giu) - 39), 6) << su << ".." << giu;
}

TEST_F(PulsanteWidget, FormaPersonalizzataFallitaNonBloccaIlDisegno) {
    PulsanteGrafico* b = Nuovo();
    b->resize(40, 20);
    QImage sottile(1, 400, QImage::Format_RGB32); // fits into 0 x 20
    sottile.fill(Qt::blue);
    b->Picture({sottile, false});
    b->ButtonShape(7);
    EXPECT_FALSE(b->DelayDraw);
    // A good picture cuts its own outline out of the background.
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    for (int y = 5; y < 15; ++y)
        for (int x = 10; x < 30; ++x) img.setPixel(x, y, qRgb(0, 0, 200));
    b->Picture({img, false});
    b->ButtonShape(7);
    EXPECT_FALSE(b->DelayDraw);
    EXPECT_EQ(b->mask(), QRegion(10, 5, 20, 10));
}

TEST_F(PulsanteWidget, StileFuoriIntervalloNonDisegna) {
    PulsanteGrafico* b = Nuovo();
    b->show();
    QCoreApplication::processEvents();
    const QImage prima = b->Faccia();
    b->DelayDrawing(true);
    b->BackColor(0x0000FF);
    EXPECT_EQ(b->Faccia(), prima); // held off
    b->DelayDrawing(false);
    EXPECT_NE(b->Faccia(), prima);
}

TEST_F(PulsanteWidget, AbilitazioneRidisegnaSenzaPuntatore) {
    // However the enabled state changes (setEnabled on the button, on its
    // container, or the Enabled property), the painted face follows at once,
    // with no pointer near the button.
    for (int stile : {0, 3, 7}) {
        PulsanteGrafico* b = Nuovo();
        b->ButtonStyle(stile);
        b->show();
        const QImage abilitato = b->grab().toImage();
        b->setEnabled(false);
        const QImage disabilitato = b->grab().toImage();
        EXPECT_NE(disabilitato, abilitato) << stile;
        b->setEnabled(true);
        EXPECT_EQ(b->grab().toImage(), abilitato) << stile;
        contenitore.setEnabled(false);
        EXPECT_EQ(b->grab().toImage(), disabilitato) << stile;
        contenitore.setEnabled(true);
        EXPECT_EQ(b->grab().toImage(), abilitato) << stile;
        b->Enabled(false);
        EXPECT_EQ(b->grab().toImage(), disabilitato) << stile;
        b->Enabled(true);
        EXPECT_EQ(b->grab().toImage(), abilitato) << stile;
        delete b;
    }
}

// A button changed while its page is hidden paints, once shown, the same face
// it draws when changed in view, for several looks.
TEST_F(PulsanteWidget, FacciaDisegnataDaNascostoComeInVista) {
    struct Aspetto {
        int stile;
        int32_t sfondo;
        const char* testo;
    };
    for (const Aspetto& a : {Aspetto{1, 0x00C0FF, "Gas"}, Aspetto{7, 0x808000, "&Mappa"}, Aspetto{3, 0xFFFFFF, "OBD"}}) {
        auto* nascosto = new QWidget(&contenitore); // a page not shown yet
        nascosto->resize(300, 200);
        auto* b = new PulsanteGrafico(nascosto);
        b->resize(90, 28);
        b->ButtonStyle(a.stile);
        b->BackColor(a.sfondo);
        b->Caption(QString::fromLatin1(a.testo));
        nascosto->show();
        QCoreApplication::processEvents();
        const QImage visto = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
        b->BackColor(0x000000);
        b->BackColor(a.sfondo); // redrawn in view
        const QImage atteso = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(visto, atteso) << a.testo;
        delete nascosto;
    }
}

// A masked button moved over its container leaves nothing on the screen: what
// the window shows after each move equals the window drawn afresh. The live
// operating point moves its markers this way, first across, then down.
TEST_F(PulsanteWidget, SpostatoNonLasciaTracceSulloSchermo) {
    QWidget finestra;
    finestra.resize(320, 220);
    QPalette p = finestra.palette();
    p.setColor(QPalette::Window, QColor(170, 170, 235));
    finestra.setPalette(p);
    finestra.setAutoFillBackground(true);
    auto* sotto = new QLabel(&finestra); // the grid the marker runs over
    sotto->setGeometry(10, 10, 300, 200);
    sotto->setText(QStringLiteral("128 130 132 134 136 138\n140 142 144 146 148 150"));
    auto* marcatore = new PulsanteGrafico(&finestra);
    marcatore->setGeometry(20, 20, 37, 22);
    marcatore->BackColor(0x0000FF);
    marcatore->Caption(QStringLiteral("123"));
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    QScreen* schermo = finestra.screen();
    int tracce = 0;
    for (int passo = 1; passo <= 8; ++passo) {
        const QPoint dove(20 + passo * 29, 20 + passo * 19);
        marcatore->move(dove.x(), marcatore->y());
        marcatore->move(marcatore->x(), dove.y());
        marcatore->Caption(QString::number(123 + passo));
        marcatore->raise();
        QCoreApplication::processEvents();
        const QImage visto = schermo->grabWindow(finestra.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage atteso = finestra.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(visto.size(), atteso.size());
        for (int y = 0; y < atteso.height(); ++y)
            for (int x = 0; x < atteso.width(); ++x)
                if (visto.pixel(x, y) != atteso.pixel(x, y)) ++tracce;
    }
    EXPECT_EQ(tracce, 0);
}
