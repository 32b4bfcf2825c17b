// General helpers: hex text, waits, number formatting, paths and files, lists,
// the warning box, lamps, centring and the grid clipboard text.
#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QTimer>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QWidget>
#include <clocale>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

#include "core/Applicazione.h"
#include "core/ModGlobFunct.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "platform/Processi.h"
#include "support/SupportoTest.h"

using namespace ModGlobFunct;

namespace {

std::string Byte(std::initializer_list<int> b) {
    std::string s;
    for (int v : b) s += static_cast<char>(v);
    return s;
}

// Keeps the module's decimal separator as the test found it.
class ModGlobFunctTest : public ::testing::Test {
protected:
    void SetUp() override {
        separatore_ = SeparatoreDecimale;
        Piattaforma::Copione::Azzera();
    }
    void TearDown() override {
        SeparatoreDecimale = separatore_;
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
    }
    std::string separatore_;
};

} // namespace

TEST_F(ModGlobFunctTest, HexInTesto) {
    struct Caso {
        std::string hex;
        std::string byte;
    };
    const Caso casi[] = {
        {"ABC", Byte({0x0A, 0xBC})},       // odd: a "0" goes in front
        {"4G", ""},                        // not hex: empty
        {"", ""},
        {"00ff7f", Byte({0x00, 0xFF, 0x7F})}, // either letter case
        {"0A 0", ""},                      // a blank is no hex digit
        {"-1", ""},
        {"F", Byte({0x0F})},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.hex);
        EXPECT_EQ(ConvertiHexInTesto(std::as_const(c.hex)), c.byte);
    }
}

TEST_F(ModGlobFunctTest, HexInTestoCompletaLaVariabileDelChiamante) {
    std::string hex = "ABC";
    EXPECT_EQ(ConvertiHexInTesto(hex), Byte({0x0A, 0xBC}));
    EXPECT_EQ(hex, "0ABC");
    std::string pari = "0ABC";
    ConvertiHexInTesto(pari);
    EXPECT_EQ(pari, "0ABC");
}

TEST_F(ModGlobFunctTest, HexLimitiDiLunghezza) {
    const std::string massimo(2 * 16383, 'A');
    EXPECT_EQ(ConvertiHexInTesto(std::as_const(massimo)).size(), 16383u);
    EXPECT_EQ(ConvertiHexInTesto(std::string(2 * 16384, 'A')), "");
    EXPECT_EQ(ConvertiTestoInHex(std::string(32767, 'x')).size(), 2u * 32767);
    EXPECT_EQ(ConvertiTestoInHex(std::string(32768, 'x')), "");
}

TEST_F(ModGlobFunctTest, TestoInHexEAndataERitorno) {
    EXPECT_EQ(ConvertiTestoInHex(Byte({0x00, 0x0F, 0xA0})), "000FA0");
    EXPECT_EQ(ConvertiTestoInHex(""), "");
    std::string tutti;
    for (int i = 0; i < 256; ++i) tutti += static_cast<char>(i);
    const std::string hex = ConvertiTestoInHex(tutti);
    EXPECT_EQ(hex.substr(0, 8), "00010203");
    EXPECT_EQ(hex.substr(hex.size() - 4), "FEFF");
    EXPECT_EQ(ConvertiHexInTesto(hex), tutti);
}

TEST_F(ModGlobFunctTest, TestoEByte) {
    std::vector<uint8_t> byte{9, 9};
    EXPECT_FALSE(ConvertiTestoInByte("", byte));
    EXPECT_EQ(byte, (std::vector<uint8_t>{9, 9})); // untouched
    EXPECT_TRUE(ConvertiTestoInByte(Byte({0x41, 0xFF, 0x00}), byte));
    EXPECT_EQ(byte, (std::vector<uint8_t>{0x41, 0xFF, 0x00}));

    std::string testo = "prima";
    EXPECT_FALSE(ConvertiByteInTesto({}, testo));
    EXPECT_EQ(testo, "");
    EXPECT_TRUE(ConvertiByteInTesto({0x00, 0xC8, 0x41}, testo));
    EXPECT_EQ(testo, Byte({0x00, 0xC8, 0x41}));
}

TEST_F(ModGlobFunctTest, AttesaDiZeroFaUnGiroDiEventi) {
    bool eseguito = false;
    QTimer::singleShot(0, [&] { eseguito = true; });
    AttendiMicrosecondi(0);
    EXPECT_TRUE(eseguito);
}

TEST_F(ModGlobFunctTest, AttesaNonFinisceMaiPrima) {
    // Clock 1000 times faster: 3 s of clock time in about 3 ms.
    Piattaforma::ImpostaAcceleratoreOrologio(1000.0);
    const double inizio = LeggiMicrosecondi();
    AttendiMicrosecondi(3000000.0);
    EXPECT_GE(LeggiMicrosecondi() - inizio, 3000000.0);
}

TEST_F(ModGlobFunctTest, AttesaConValoriStraniNonSiBlocca) {
    AttendiMicrosecondi(-5.0);
    AttendiMicrosecondi(std::nan(""));
    SUCCEED();
}

TEST_F(ModGlobFunctTest, FormattaNumero) {
    SeparatoreDecimale = ",";
    struct Caso {
        double valore;
        int32_t decimali, cifre;
        std::string atteso;
        int32_t decimaliDopo, cifreDopo;
    };
    const Caso casi[] = {
        {3.14159, 2, 3, "003,14", 2, 3},
        {-0.5, 0, 1, "0", 0, 1},    // halves to even, no sign on zero
        {7, 1, 0, "7,0", 1, 1},     // minimum digits raised to 1
        {12.5, -2, 1, "12", 0, 1},  // decimals raised to 0: no separator
        {-1.25, 1, 1, "-1,2", 1, 1},
        {1.5, 0, 1, "2", 0, 1},
        {2.5, 0, 1, "2", 0, 1},
        {-0.04, 1, 1, "0,0", 1, 1},
        {-3.5, 2, 4, "-0003,50", 2, 4},
        {2147483647, 0, 1, "2147483647", 0, 1},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.valore);
        int32_t d = c.decimali, m = c.cifre;
        EXPECT_EQ(FormattaNumero(c.valore, d, m), c.atteso);
        EXPECT_EQ(d, c.decimaliDopo);
        EXPECT_EQ(m, c.cifreDopo);
    }
}

TEST_F(ModGlobFunctTest, FormattaNumeroFuoriCampoELoDice) {
    int32_t d = 0, m = 1;
    EXPECT_THROW(FormattaNumero(3e9, d, m), std::overflow_error);
    EXPECT_THROW(FormattaNumero(-2147483648.0, d, m), std::overflow_error);
    d = 3;
    EXPECT_THROW(FormattaNumero(3e6, d, m), std::overflow_error);
    EXPECT_THROW(FormattaNumero(std::nan(""), d, m), std::overflow_error);
}

TEST_F(ModGlobFunctTest, FormattaNumeroZeri) {
    SeparatoreDecimale = ",";
    struct Caso {
        int32_t valore, decimali;
        std::string atteso;
        int32_t decimaliDopo;
    };
    const Caso casi[] = {
        {12345, 2, "12,34", 2},  // cut, not rounded
        {7, 3, "0,007", 3},
        {-1500, 0, "-1", 0},
        {1234567, 0, "1234", 0}, // every digit but the last three
        {999, 5, "0,999", 3},    // decimals clamped to 3
        {1999, -1, "1", 0},      // and to 0
        {0, 1, "0,0", 1},
        {INT32_MIN, 3, "-2147483,648", 3},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.valore);
        int32_t d = c.decimali;
        EXPECT_EQ(FormattaNumeroZeri(c.valore, d), c.atteso);
        EXPECT_EQ(d, c.decimaliDopo);
    }
}

TEST_F(ModGlobFunctTest, CalcolaCartellaBase) {
    const std::pair<std::string, std::string> casi[] = {
        {"/home/u/dist/bin", "/home/u/dist"},
        {"/a/b", "/a"},
        {"/a/b/", "/a/b"},
        {"/a", ""},
        {"/", ""},
        {"bin", ""},
        {"a/b/c", "a/b"},
        {"", ""},
    };
    for (const auto& [percorso, atteso] : casi) EXPECT_EQ(CalcolaCartellaBase(percorso), atteso) << percorso;
}

TEST_F(ModGlobFunctTest, FileECartelle) {
    SupportoTest::CartellaBase base(false);
    base.Scrivi("bin/x.ini", "1");
    EXPECT_TRUE(EsisteFile(base.File("bin/x.ini")));
    EXPECT_FALSE(EsisteFile(base.File("bin/manca.ini")));
    EXPECT_FALSE(EsisteFile(base.File("bin")));  // a folder is not a file
    EXPECT_FALSE(EsisteFile(""));
    EXPECT_TRUE(EsisteCartella(base.File("bin")));
    EXPECT_FALSE(EsisteCartella(base.File("bin/x.ini")));
    EXPECT_FALSE(EsisteCartella(base.File("manca")));
    EXPECT_FALSE(EsisteCartella(""));

    CreaCartella(base.File("Data/Nuova"));
    EXPECT_TRUE(EsisteCartella(base.File("Data/Nuova")));
    EXPECT_NO_THROW(CreaCartella(base.File("Data/Nuova"))); // already there
    // One level only: a missing parent is reported to the caller.
    EXPECT_THROW(CreaCartella(base.File("manca/sotto")), std::runtime_error);
    EXPECT_THROW(CreaCartella(base.File("bin/x.ini")), std::runtime_error);
}

TEST_F(ModGlobFunctTest, DividiLista) {
    std::vector<int32_t> v{4, 4};
    DividiLista("", v);
    EXPECT_EQ(v, (std::vector<int32_t>{4, 4})); // an empty list leaves the array as it was
    DividiLista("1|2.5|x|3.5| 7 |", v);
    EXPECT_EQ(v, (std::vector<int32_t>{1, 2, 0, 4, 7, 0}));
    DividiLista("99999999999|-8", v);
    EXPECT_EQ(v, (std::vector<int32_t>{0, -8}));
}

TEST_F(ModGlobFunctTest, RiempiComboDaLista) {
    QComboBox combo;
    combo.addItem("vecchio");
    RiempiComboDaLista("5|abc|12|0.25", &combo, 10);
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.itemText(0), "0.5");
    EXPECT_EQ(combo.itemText(1), "abc");
    EXPECT_EQ(combo.itemText(2), "1.2");
    EXPECT_EQ(combo.itemText(3), "0.025");

    SeparatoreDecimale = ",";
    RiempiComboDaLista("3", &combo, 2);
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), "1,5");

    RiempiComboDaLista("5|10", &combo, 0);
    EXPECT_EQ(combo.itemText(1), "10");

    RiempiComboDaLista("", &combo, 0);
    EXPECT_EQ(combo.count(), 0);

    // 8-bit items reach the screen through the charset: 0xE8 is e-grave in cp1252.
    RiempiComboDaLista(std::string("Caff\xE8|x"), &combo, 0);
    EXPECT_EQ(combo.itemText(0), QString::fromUtf8("Caff\u00e8"));
}

TEST_F(ModGlobFunctTest, MostraErrore) {
    const QString titolo = QString(Applicazione::TitoloApplicazione) + ": Error";
    struct Caso {
        std::string testo, parte;
        bool sistema;
        int32_t codice;
        std::string descrizione;
        QString atteso;
    };
    const Caso casi[] = {
        {"Error 009 - Update ", "Comunication error", true, 5, "ignorata",
         "Comunication errorErrorError 009 - Update :\r\r5 - "},
        {" list", "Config error", false, 13, "Type mismatch", "Config errorError list:\r\r13 - Type mismatch"},
        {"x", "", false, 0, "", "Errorx:\r"},
        {"x", "", false, 3146, "odbc", "Errorx:\r"},       // not reported as a run-time error
        {"x", "", true, 3146, "", "Errorx:\r\r3146 - "},
        {"x", "", true, 100000, "", "Errorx:\r\r = &H000186A0 - "},
        {"x", "", true, -2147467259, "", "Errorx:\r\r = &H80004005 - "},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.testo + c.parte);
        Piattaforma::Copione::Azzera();
        MostraErrore(c.testo, c.parte, c.sistema, c.codice, c.descrizione);
        const auto m = Piattaforma::Copione::Messaggi();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].testo, c.atteso);
        EXPECT_EQ(m[0].titolo, titolo);
        EXPECT_EQ(m[0].icona, Piattaforma::IconaMessaggio::Esclamazione);
        EXPECT_EQ(m[0].pulsanti, Piattaforma::PulsantiMessaggio::Ok);
    }
}

namespace {
// Counts palette changes of a widget: each one is a repaint.
class ContaTavolozza : public QObject {
public:
    int conteggio = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::PaletteChange) ++conteggio;
        return false;
    }
};
} // namespace

TEST_F(ModGlobFunctTest, ColoreStato) {
    QWidget lampada;
    ContaTavolozza conta;
    lampada.installEventFilter(&conta);
    const struct {
        int stato;
        QColor bordo, riempimento;
    } casi[] = {
        {0, QColor(128, 0, 0), QColor(255, 0, 0)},
        {1, QColor(128, 128, 0), QColor(255, 255, 0)},
        {2, QColor(0, 128, 0), QColor(0, 255, 0)},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.stato);
        ImpostaColoreStato(&lampada, c.stato);
        EXPECT_EQ(lampada.palette().color(QPalette::WindowText), c.bordo);
        EXPECT_EQ(lampada.palette().color(QPalette::Window), c.riempimento);
        const int prima = conta.conteggio;
        ImpostaColoreStato(&lampada, c.stato); // the same colours: no write, no repaint
        EXPECT_EQ(conta.conteggio, prima);
    }
    ImpostaColoreStato(&lampada, 3);
    ImpostaColoreStato(&lampada, -1);
    EXPECT_EQ(lampada.palette().color(QPalette::Window), QColor(0, 255, 0));
    ImpostaColoreStato(nullptr, 0);
}

TEST_F(ModGlobFunctTest, CentraControllo) {
    QWidget contenitore;
    contenitore.resize(400, 300);
    QWidget figlio(&contenitore);
    figlio.resize(100, 50);
    CentraControllo(&figlio, &contenitore);
    EXPECT_EQ(figlio.pos(), QPoint(150, 95)); // 30 pixels above the middle
    figlio.resize(500, 280);
    CentraControllo(&figlio, &contenitore);
    EXPECT_EQ(figlio.pos(), QPoint(0, 0));    // never off the edge
}

namespace {
// A grid whose row 0 and column 0 hold the headers "Hc" and "Rr", cells "r,c".
void RiempiGriglia(QTableWidget& g) {
    g.setRowCount(5);
    g.setColumnCount(6);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 6; ++c) {
            QString t = r == 0 ? QString("H%1").arg(c) : c == 0 ? QString("R%1").arg(r) : QString("%1,%2").arg(r).arg(c);
            g.setItem(r, c, new QTableWidgetItem(t));
        }
}
} // namespace

TEST_F(ModGlobFunctTest, CopiaGrigliaCellaSingola) {
    QTableWidget g;
    RiempiGriglia(g);
    g.setCurrentCell(2, 3);
    EXPECT_EQ(CopiaGrigliaInAppunti(&g), "\tH3\r\nR2\t2,3\t");
}

TEST_F(ModGlobFunctTest, CopiaGrigliaRettangolo) {
    QTableWidget g;
    RiempiGriglia(g);
    g.setCurrentCell(3, 4);
    // Selected from the lower-right corner to the upper-left one.
    g.setRangeSelected(QTableWidgetSelectionRange(1, 2, 3, 4), true);
    EXPECT_EQ(CopiaGrigliaInAppunti(&g),
              "\tH2\tH3\tH4\r\n"
              "R1\t1,2\t1,3\t1,4\r\n"
              "R2\t2,2\t2,3\t2,4\r\n"
              "R3\t3,2\t3,3\t3,4\t");
    QTableWidget vuota;
    EXPECT_EQ(CopiaGrigliaInAppunti(&vuota), "");
}

TEST_F(ModGlobFunctTest, InfoLocaleSeparatoreDecimale) {
    const std::string prima = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(LeggiInfoLocale(0, 14), ".");
    EXPECT_EQ(LeggiInfoLocale(0, 999), "");
    std::setlocale(LC_NUMERIC, prima.c_str());
}

TEST_F(ModGlobFunctTest, VersioneSistemaEProcessi) {
    RecordVersioneSistema v;
    EXPECT_EQ(LeggiVersioneSistema(v), "");
    EXPECT_EQ(v.NomeSistemaOperativo, "Linux");
    EXPECT_NE(v.Versione.find('.'), std::string::npos);

    const auto processi = ElencaProcessi();
    const std::string io = std::filesystem::path(Piattaforma::PercorsoProgramma()).filename().string();
    EXPECT_NE(std::find(processi.begin(), processi.end(), io), processi.end()) << io;
}
