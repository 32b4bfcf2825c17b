// The OBD correction map window: table texts, bars, per-row values and
// clipboard text as tables, then the window offscreen (cursor, labels, the
// block-14 sends and the file commands with their hold of the request slot).
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <memory>

#include "controls/GrigliaDati.h"
#include "core/ClsLingue.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "obd/FrmMappetta.h"
#include "obd/ObdMappa.h"
#include "platform/Dialoghi.h"
#include "support/DizionarioProva.h"
#include "support/SupportoTest.h"

namespace OM = ObdMappa;

namespace {

// A CMD_READ_TRISULT reply with the given table bytes.
std::string RispostaTRisult(const std::vector<uint8_t>& tabella) {
    std::string r{'\x42', '\x01', '\x7D', '\x20', '\x00', '\x00'};
    for (size_t k = 0; k < 120; ++k) r += static_cast<char>(k < tabella.size() ? tabella[k] : 0);
    uint8_t x = 0;
    for (char c : r) x ^= static_cast<uint8_t>(c);
    r += static_cast<char>(x);
    return r;
}

} // namespace

TEST(ObdMappa, TestiDellaTabella) {
    const auto t = OM::TestiTabella(RispostaTRisult({0x00, 0x7F, 0x80, 0xFF, 5}));
    ASSERT_EQ(t.size(), 120u);
    EXPECT_EQ(t[0], "0");
    EXPECT_EQ(t[1], "127");
    EXPECT_EQ(t[2], "-128");
    EXPECT_EQ(t[3], "-1");
    EXPECT_EQ(t[4], "5");
    EXPECT_EQ(OM::TestiTabella("").at(119), "0");
    EXPECT_EQ(OM::ColoreBarre(3, 2), 0xFF);
    EXPECT_EQ(OM::ColoreBarre(0, 2), 0x80);
}

TEST(ObdMappa, ValoriPerRigaEAppunti) {
    std::vector<std::string> testi(15, "1");
    testi[3] = " -20 ";
    const auto v = OM::ValoriJumper(testi);
    ASSERT_TRUE(v);
    EXPECT_EQ((*v)[3], -20);
    for (const char* sbagliato : {"1.5", "abc", "", "99999999999", "2147483648", "-"}) {
        testi[3] = sbagliato;
        EXPECT_FALSE(OM::ValoriJumper(testi)) << sbagliato;
    }
    testi[3] = "-2147483648";
    EXPECT_TRUE(OM::ValoriJumper(testi));

    const std::string a = OM::TestoAppunti({"512", "1024"}, {"64", "128"}, {"1", "2", "3", "-4"});
    EXPECT_EQ(a, "\t512\t1024\r\n64\t1\t2\r\n128\t3\t-4\t");
}

TEST(ObdMappa, PassoDiCaricoDelleMappe) {
    EXPECT_EQ(OM::PassoCarico(0x02), 64);
    EXPECT_EQ(OM::PassoCarico(0x03), 64);
    EXPECT_EQ(OM::PassoCarico(0x01), 128);
    const auto tabella = TabellaBlocchi;
    TabellaBlocchi.assign(4, BloccoParametri{});
    TabellaBlocchi[3].Valori.assign(60, 0);
    TabellaBlocchi[3].Valori[49] = 0x02;
    OM::AggiornaPassoCarico();
    EXPECT_EQ(ModMain::UnitaRpmBlocco3, 64);
    TabellaBlocchi[3].Valori[49] = 0;
    OM::AggiornaPassoCarico();
    EXPECT_EQ(ModMain::UnitaRpmBlocco3, 128);
    TabellaBlocchi = tabella;
}

TEST(ObdMappa, RigaTRisultDelFile) {
    const std::string buona = ModGlobFunct::ConvertiTestoInHex(RispostaTRisult({1, 2, 3}));
    EXPECT_TRUE(OM::VerificaFileMappa({"[TBenz]", "00", "[TRisult]", buona, "[TIsto]"}).Valida);
    std::string minuscola = buona;
    for (char& c : minuscola) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(OM::VerificaFileMappa({"[TRisult]", minuscola}).Valida); // lower-case digits are hex too
    EXPECT_FALSE(OM::VerificaFileMappa({"[TBenz]", "00"}).Trovata);
    // A refused reply (status 01) whose XOR holds is no result table either.
    std::string rifiutata = RispostaTRisult({1, 2, 3});
    rifiutata[4] = '\x01';
    rifiutata.back() = static_cast<char>(rifiutata.back() ^ 0x01);
    struct Caso {
        const char* nome;
        std::string riga;
    } casi[] = {
        {"short", buona.substr(0, 200)},
        {"not hex", buona.substr(0, 252) + "ZZ"},
        {"wrong check", buona.substr(0, 252) + (buona.substr(252) == "00" ? "01" : "00")},
        {"other command", "42017D21" + buona.substr(8)},
        {"refused reply", ModGlobFunct::ConvertiTestoInHex(rifiutata)},
    };
    for (const auto& c : casi) {
        const auto r = OM::VerificaFileMappa({"[TRisult]", c.riga});
        EXPECT_TRUE(r.Trovata) << c.nome;
        EXPECT_FALSE(r.Valida) << c.nome;
    }
    // An empty line or none after the section: nothing to send, as without the section.
    EXPECT_FALSE(OM::VerificaFileMappa({"[TRisult]", "", "[TIsto]"}).Trovata);
    EXPECT_FALSE(OM::VerificaFileMappa({"[TRisult]"}).Trovata);
}

namespace {

class FinestraMappetta : public ::testing::Test {
protected:
    void SetUp() override {
        tabella_ = TabellaBlocchi;
        TabellaBlocchi.assign(22, BloccoParametri{});
        for (auto& b : TabellaBlocchi) b.Valori.assign(100, 0);
        dizionario_ = ModMain::Dizionario;
        SupportoTest::CaricaDizionario(lingue_, base_.File("lng/diz.diz"), base_.File("lng/diz.con"));
        ModMain::RichiestaPendente = 0;
        ModMain::MatSoglieModificata = {};
        ModMain::AsseRpmLavoro = {};
        ModBlck::DatiGrezzi20.clear();
        ModBlck::ModificheBlocco14 = ModBlck::ListaVuota();
        ModMain::PercorsoCaricamento.clear();
        ModMain::PercorsoSalvataggio.clear();
        ModMain::CartellaArchivio = base_.File("Data");
        Piattaforma::Copione::Attiva(true);
        f = std::make_unique<FrmMappetta>();
        f->show();
        f->Timer1->stop(); // the tests tick by hand
    }
    void TearDown() override {
        FrmMappetta::DopoDialogo = nullptr;
        f.reset();
        TabellaBlocchi = tabella_;
        ModMain::Dizionario = dizionario_;
        ModMain::RichiestaPendente = 0;
        ModMain::MappettaAperta = 0;
        ModMain::UnitaRpm = 0;
        ModMain::MatSoglieModificata = {};
        ModBlck::DatiGrezzi20.clear();
        ModMain::PercorsoCaricamento.clear();
        ModMain::PercorsoSalvataggio.clear();
        Piattaforma::Copione::Attiva(true); // scripted, as every test starts
    }
    static int32_t& V(size_t b, size_t k) { return TabellaBlocchi[b].Valori[k]; }
    std::string Cella(int r, int c) const { return f->GrdMappetta->TextMatrix(r, c).toStdString(); }

    std::unique_ptr<FrmMappetta> f;
    SupportoTest::CartellaBase base_;

private:
    std::vector<BloccoParametri> tabella_;
    ClsLingue lingue_;
    ClsLingue* dizionario_ = nullptr;
};

TEST_F(FinestraMappetta, TabellaCursoreEBarre) {
    EXPECT_EQ(ModMain::MappettaAperta, 1);
    EXPECT_EQ(Cella(0, 8), "4096");
    EXPECT_EQ(Cella(15, 0), "960");
    EXPECT_EQ(f->LAB_Jumper[14]->text().toStdString(), "960");

    ModBlck::DatiGrezzi20 = RispostaTRisult({0x00, 0x7F, 0x80, 0xFF});
    V(1, 48) = 64 * 5;  // row 4
    V(1, 32) = 2048;    // column 3
    ModMain::RichiestaPendente = REQ_WRITE_BLK3; // the table read waits
    f->AggiornaVariabiliMappettaSatellite();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    EXPECT_EQ(Cella(1, 3), "-128");
    EXPECT_EQ(Cella(1, 4), "-1");
    EXPECT_EQ(f->GrdMappetta->Row(), 5);
    EXPECT_EQ(f->GrdMappetta->Col(), 4);
    EXPECT_EQ(f->GrdMappetta->CellBackColor(5, 4), 0x00FFFF);
    ModMain::RichiestaPendente = 0;
    f->AggiornaVariabiliMappettaSatellite();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_READ_ACQ_TABLES);
    ModMain::RichiestaPendente = 0;
    f->AggiornaVariabiliMappettaSatellite(); // not again within 2 s
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // The live cell moves: the old one gets the grid's own colour back.
    V(1, 48) = 64 * 20;
    f->AggiornaVariabiliMappettaSatellite();
    EXPECT_EQ(f->GrdMappetta->Row(), 15);
    EXPECT_EQ(f->GrdMappetta->CellBackColor(5, 4), 0);

    // Bars: red with both thresholds, closing rows 1-2 and columns 1-3.
    ModMain::MatSoglieModificata[11] = 2;
    ModMain::MatSoglieModificata[5] = 3;
    f->AggiornaParametriObdMappettaSatellite();
    EXPECT_EQ(f->PIC_BarraOriz->palette().color(QPalette::Window), QColor(255, 0, 0));
    const int alto = f->GrdMappetta->y() + f->GrdMappetta->frameWidth();
    EXPECT_EQ(f->PIC_BarraOriz->y(), alto + 3 * f->GrdMappetta->rowHeight(0) - 1);
    EXPECT_EQ(f->PIC_BarraVert->height(), f->PIC_BarraOriz->y() - alto);
    ModMain::MatSoglieModificata[5] = 0;
    f->AggiornaParametriObdMappettaSatellite();
    EXPECT_EQ(f->PIC_BarraVert->palette().color(QPalette::Window), QColor(128, 0, 0));
}

// The fonts step with the window width (twips): 8, then 10 above 15765, 11
// above 17625, 12 above 19000.
TEST_F(FinestraMappetta, CaratteriAGradiniPerLarghezza) {
    for (const auto& [larghezza, punti] : {std::pair{600, 8}, {1060, 10}, {1180, 11}, {1280, 12}}) {
        f->resize(larghezza, 600);
        f->Form_Resize();
        EXPECT_EQ(f->LblShortTerm->font().pointSizeF(), punti) << larghezza;
        EXPECT_EQ(f->CmdMappaOpen->font().pointSizeF(), punti) << larghezza;
    }
}

TEST_F(FinestraMappetta, EtichetteObd) {
    f->AggiornaParametriObdMappettaSatellite();
    EXPECT_EQ(f->LblPidVal06->text().toStdString(), " - - ");
    V(12, 0) = 1;
    V(12, 18) = 3;
    V(12, 19) = 6;
    V(12, 26) = 0x03;
    V(12, 30) = 136;
    f->LblPidVal06->setToolTip(QStringLiteral("x"));
    f->AggiornaParametriObdMappettaSatellite(); // OBD off: tooltips emptied
    EXPECT_EQ(f->LblPidVal06->text().toStdString(), " - - ");
    EXPECT_TRUE(f->LblPidVal06->toolTip().isEmpty());
    V(2, 2) = 0x04;
    f->AggiornaParametriObdMappettaSatellite();
    EXPECT_EQ(f->LblPidVal06->text().toStdString(), "6.2");
    EXPECT_EQ(f->LblPidVal03_B1->text().toStdString(), "Open loop - not ready");
    EXPECT_EQ(f->LblPidVal07->text().toStdString(), " - - ");
}

TEST_F(FinestraMappetta, InviiDelBlocco14) {
    V(14, 30) = 7;
    V(14, 1) = 4;
    f->AggiornamentoMappetta();
    EXPECT_EQ(f->TXT_Jumper[0]->text().toStdString(), "7");
    EXPECT_EQ(f->CMB_AgenteCorrExp->currentText().toStdString(), "4");

    f->TXT_Jumper[2]->setText(QStringLiteral("12"));
    f->CHK_Jumper->setChecked(true);
    f->CHK_Jumper_Click();
    EXPECT_FALSE(f->CHK_Jumper->isEnabled());
    f->AggiornamentoMappetta();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK14);
    ASSERT_EQ(ModBlck::ModificheBlocco14.size(), 15u);
    EXPECT_EQ(ModBlck::ModificheBlocco14[2].Valore, 12);
    EXPECT_EQ(ModBlck::ModificheBlocco14[2].IndiceValore, 32);
    EXPECT_TRUE(f->CHK_Jumper->isEnabled());
    EXPECT_FALSE(f->CHK_Jumper->isChecked());
    EXPECT_TRUE(f->AggiornoParametriLenti);

    // A box that is not a whole number: refused with a message, nothing sent.
    ModMain::RichiestaPendente = 0;
    f->AggiornamentoMappetta(); // the reload after the write
    f->TXT_Jumper[5]->setText(QStringLiteral("1e9x"));
    f->CHK_Jumper_Click();
    f->AggiornamentoMappetta();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);

    f->CMB_AgenteCorrExp->setCurrentIndex(9);
    f->CMB_AgenteCorrExp_Click();
    f->AggiornamentoMappetta();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK14);
    ASSERT_EQ(ModBlck::ModificheBlocco14.size(), 1u);
    EXPECT_EQ(ModBlck::ModificheBlocco14[0].Valore, 9);
    EXPECT_EQ(ModBlck::ModificheBlocco14[0].IndiceValore, 1);
}

TEST_F(FinestraMappetta, Appunti) {
    ModBlck::DatiGrezzi20 = RispostaTRisult({1, 2, 3, 4, 5, 6, 7, 8, 9});
    f->AggiornaVariabiliMappettaSatellite();
    f->CmdClipMatrix_Click();
    const QString t = Piattaforma::LeggiAppunti();
    const auto righe = t.split(QStringLiteral("\r\n"));
    ASSERT_EQ(righe.size(), 16);
    EXPECT_EQ(righe[0].toStdString(), "\t512\t1024\t1536\t2048\t2560\t3072\t3584\t4096");
    EXPECT_EQ(righe[1].toStdString(), "64\t1\t2\t3\t4\t5\t6\t7\t8");
    EXPECT_TRUE(t.endsWith(QStringLiteral("\t")));
}

TEST_F(FinestraMappetta, ComandiFile) {
    const std::string buona = base_.File("Data/buona.tun");
    const std::string cattiva = base_.File("Data/cattiva.tun");
    SupportoTest::ScriviFile(buona, "[TBenz]\r\n00\r\n[TRisult]\r\n" +
                                        ModGlobFunct::ConvertiTestoInHex(RispostaTRisult({1, 2})) + "\r\n");
    SupportoTest::ScriviFile(cattiva, "[TRisult]\r\n42017D2000\r\n");

    // Open, reset and save clicked together: one per tick, the open first.
    f->CmdMappaOpen_Click();
    f->CmdMappaReset_Click();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(buona));
    f->Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_RESULT_TABLE);
    EXPECT_EQ(ModMain::PercorsoCaricamento, buona);
    f->Timer1_Timer(); // the slot is taken: nothing
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_RESULT_TABLE);
    ModMain::RichiestaPendente = 0;
    f->Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_RESET_GAS_ACQ);
    ModMain::RichiestaPendente = 0;
    f->Timer1_Timer(); // nothing pending: the hold is given back
    EXPECT_EQ(ModMain::RichiestaPendente, 0);

    // A malformed "[TRisult]" line: refused, nothing posted.
    f->CmdMappaOpen_Click();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(cattiva));
    f->Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    ASSERT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    EXPECT_EQ(Piattaforma::Copione::Messaggi()[0].testo.toStdString(),
              "The file holds no valid OBD map: nothing was sent.");

    // A request posted while the dialog was open is not overwritten: the open waits.
    f->CmdMappaOpen_Click();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(buona));
    FrmMappetta::DopoDialogo = [] { ModMain::RichiestaPendente = REQ_WRITE_BLK3; };
    f->Timer1_Timer();
    FrmMappetta::DopoDialogo = nullptr;
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    ModMain::RichiestaPendente = 0;
    f->Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_RESULT_TABLE);
    EXPECT_EQ(Piattaforma::Copione::Eventi().size(), 4u); // no second dialog

    // The same for a save: deferred, not dropped.
    ModMain::RichiestaPendente = 0;
    f->CmdMappaSave_Click();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(base_.File("Data/nuova.tun")));
    FrmMappetta::DopoDialogo = [] { ModMain::RichiestaPendente = REQ_WRITE_BLK3; };
    f->Timer1_Timer();
    FrmMappetta::DopoDialogo = nullptr;
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_WRITE_BLK3);
    ModMain::RichiestaPendente = 0;
    f->Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SAVE_CONFIG_FILE);
    EXPECT_EQ(ModMain::PercorsoSalvataggio, base_.File("Data/nuova.tun"));

    // Offline the window saves the configuration in memory itself.
    ModMain::RichiestaPendente = 0;
    const int32_t stato = ModMain::StatoConnessione;
    ModMain::StatoConnessione = STATO_OFFLINE;
    f->CmdMappaSave_Click();
    Piattaforma::Copione::AccodaFile(QString::fromStdString(base_.File("Data/fuori.tun")));
    f->Timer1_Timer();
    ModMain::StatoConnessione = stato;
    EXPECT_TRUE(std::filesystem::exists(base_.File("Data/fuori.tun")));

    // A cancelled dialog posts nothing.
    ModMain::RichiestaPendente = 0;
    f->CmdMappaSave_Click();
    Piattaforma::Copione::AccodaFile(std::nullopt);
    f->Timer1_Timer();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
}

TEST_F(FinestraMappetta, ChiusuraEUnitaDiCarico) {
    f->close();
    EXPECT_EQ(ModMain::MappettaAperta, 0);
    V(3, 33) = 0x40;
    f->show();
    EXPECT_EQ(ModMain::MappettaAperta, 1);
    EXPECT_EQ(ModMain::UnitaRpm, 128);
    EXPECT_EQ(Cella(15, 0), "1920");
}

} // namespace

namespace {

// With MONDARO_SCREENSHOT_DIR set: the window at its design size and larger, in English and Italian.
TEST_F(FinestraMappetta, Fotografie) {
    const QByteArray cartella = qgetenv("MONDARO_SCREENSHOT_DIR");
    if (cartella.isEmpty()) GTEST_SKIP() << "MONDARO_SCREENSHOT_DIR not set";
    std::vector<uint8_t> t;
    for (int k = 0; k < 120; ++k) t.push_back(static_cast<uint8_t>((k * 7) % 21 - 10));
    ModBlck::DatiGrezzi20 = RispostaTRisult(t);
    ModMain::MatSoglieModificata[11] = 4;
    ModMain::MatSoglieModificata[5] = 2;
    V(1, 48) = 64 * 7;
    V(1, 32) = 2600;
    V(2, 2) = 0x04;
    V(12, 0) = 1;
    V(12, 18) = 3;
    V(12, 19) = 6;
    V(12, 20) = 7;
    V(12, 26) = 2;
    V(12, 30) = 131;
    V(12, 34) = 126;
    ModMain::LivelloSup = -1;
    ModMain::LivelloAut = -1;
    for (int lingua : {0, 1}) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(lingua));
        f->CaricaLingua();
        f->AggiornaLivelliVisualizzazione();
        for (const QSize s : {QSize(520, 476), QSize(760, 700)}) {
            f->resize(s);
            f->AggiornamentoMappetta();
            f->AggiornaVariabiliMappettaSatellite();
            QCoreApplication::processEvents();
            f->grab().save(QString::fromUtf8(cartella) + QStringLiteral("/mappa_%1_%2.png").arg(lingua).arg(s.width()));
        }
    }
    ModMain::LivelloSup = ModMain::LivelloAut = 0;
    ModMain::Dizionario->IdLingua(0);
}

} // namespace
