// The program's start on a copy of the base folder with the real companion:
// start values and paths, what the companion receives first, the first-start
// language dialog, and the stale companions ended through /proc.
#include <QtCore/QProcess>
#include <QtWidgets/QRadioButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/ClsLingue.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCodiceOperatore.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "core/ModBlckSetCom.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModPipe.h"
#include "platform/Dialoghi.h"
#include "platform/Orologio.h"
#include "platform/Processi.h"
#include "shell/FrmLingua.h"
#include "shell/MDIFrm.h"
#include "shell/ModMainAvvio.h"
#include "support/GiornaleCompagno.h"
#include "support/SupportoTest.h"

namespace {

// The request packets the companion received since the last call.
std::vector<PacchettoRicevuto> Giornale() {
    std::string risposta;
    EXPECT_EQ(ModPipe::InviaComandoPipe(0xE1, "", 2000000, risposta), 0);
    return DividiGiornale(ModPipe::DatiRispostaPipe);
}

class AvvioTest : public ::testing::Test {
protected:
    void TearDown() override {
        ModMain::ChiudiAvvio();
        ModMain::MostraSceltaLingua = nullptr;
        ModMain::CartellaCompagno.clear();
        ModMain::StatoConnessione = STATO_RICERCA;
        ModMain::UscitaRichiesta = 0;
        ModMain::RiconnessioneRichiesta = 0;
        Piattaforma::ImpostaAcceleratoreOrologio(1.0);
    }
};

} // namespace

TEST_F(AvvioTest, ValoriDiPartenzaPercorsiEPrimiPacchetti) {
    SupportoTest::CartellaBase base;
    base.Scrivi("lng/diz.con", "1\r\n");
    std::filesystem::remove_all(base.File("Data"));
    ModMain::LivelloExp = -1;
    ModMain::CodiceOperatoreAccettato = -1;
    ModMain::SceltaSeqInj = 0;
    ModMain::ConfigEstesa = 0;
    ModMain::PassiCompensazione = {};
    ModMain::WizardAttivo = -1;

    ModMain::Main(base.File("bin"));
    ASSERT_NE(ModMain::FinestraAvviata(), nullptr);

    // The companion saw the hello with our own name, then the initialise command.
    const auto g = Giornale();
    ASSERT_GE(g.size(), 2u);
    EXPECT_EQ(g[0].codice, PIPE_HOST_NAME);
    const std::string percorso = Piattaforma::PercorsoProgramma();
    EXPECT_EQ(g[0].dati, percorso.substr(percorso.find_last_of('/') + 1));
    EXPECT_EQ(g[1].codice, PIPE_INIT);
    EXPECT_EQ(g[1].dati, std::string(1, '\0'));
    EXPECT_EQ(g.size(), 2u);

    EXPECT_EQ(ModMain::PercorsoBase, base.Percorso());
    EXPECT_EQ(ModMain::PercorsoSetCom, base.Percorso() + "/bin/SetCom.ini");
    EXPECT_EQ(ModMain::PercorsoPortCom, base.Percorso() + "/bin/PortCom.ini");
    EXPECT_EQ(ModMain::PercorsoConfigScale, base.Percorso() + "/lng/ConfigScale.ini");
    EXPECT_EQ(ModMain::CartellaArchivio, base.Percorso() + "/Data/");
    EXPECT_TRUE(std::filesystem::is_directory(base.File("Data"))); // created when missing
    EXPECT_EQ(ModMain::FileFirmwareScelto, ModMain::PercorsoFirmwareNuovoHw);

    EXPECT_EQ(ModMain::VersioneProgramma, " 1.75.10 - 31/07/2018");
    EXPECT_EQ(ModMain::LivelloExp, 0);
    EXPECT_EQ(ModMain::CodiceOperatoreAccettato, 0);
    EXPECT_EQ(ModMain::FunzioneEstesaEcu, -1);
    EXPECT_EQ(ModMain::SceltaSeqInj, 7); // 3 at start, then the sequence popup's load reads ConfigScale.ini
    EXPECT_EQ(ModMain::ConfigEstesa, -1);
    EXPECT_EQ(ModMain::PassiCompensazione, (std::array<int32_t, 5>{4, 4, 4, 4, 1}));
    EXPECT_EQ(ModMain::WizardAttivo, 0);
    EXPECT_EQ(ModMain::PrimoAvvio, 1);
    EXPECT_EQ(ModMain::PaginaCorrente, SCHEDA_HOME);
    EXPECT_EQ(ModMain::FirmaHardware[1], std::string("\x42\x01\x04\x21\x14\x72", 6));
    const std::string& firma = ModMain::FirmaHardware[0];
    ASSERT_EQ(firma.size(), 68u);
    EXPECT_EQ(firma.substr(0, 5), std::string("\x42\x01\x42\x21\x00", 5));
    uint8_t x = 0;
    for (size_t i = 0; i + 1 < firma.size(); ++i) x ^= static_cast<uint8_t>(firma[i]);
    EXPECT_EQ(x, static_cast<uint8_t>(firma.back()));

    EXPECT_GT(ModBlck::AttesaPipe, 0);
    EXPECT_EQ(ModMain::Dizionario->VoceDizionario(1, 0), "Mondaro VX9 Redadi");
    ASSERT_EQ(ModMain::TabellaCodiciOperatore.size(), 65535u);
    EXPECT_TRUE(ModMain::TabellaCodiciOperatore[0].has_value());
}

// A missing or short SetCom.ini: start-up goes on with the tables as the file
// left them, the waits take the shipped values, and the link timer's link
// loss, offline ticks and exit run without touching blocks that do not exist.
TEST_F(AvvioTest, SetComMancanteOCortoNonFermaNeLaPartenzaNeIlTimer) {
    const std::string corto =
        "[MSG]\r\n0\r\nIDENT\r\n4102032161\r\n0\r\n\r\n\r\nUB,6,1\r\n"
        "[MSG]\r\n1\r\nLIVE\r\n4102030C4D\r\n1\r\n\r\n\r\nUB,6,1;UW,7,1\r\n";
    for (const bool manca : {true, false}) {
        SCOPED_TRACE(manca ? "mancante" : "corto");
        SupportoTest::CartellaBase base;
        base.Scrivi("lng/diz.con", "0\r\n");
        if (manca) std::filesystem::remove(base.File("bin/SetCom.ini"));
        else base.Scrivi("bin/SetCom.ini", corto);
        ModBlck::AttesaPipe = ModBlck::AttesaGlobale = ModBlck::MoltiplicatoreAttesa = 0;
        ModMain::Main(base.File("bin"));
        ASSERT_NE(ModMain::FinestraAvviata(), nullptr);
        EXPECT_EQ(TabellaBlocchi.size(), manca ? 1u : 2u);
        EXPECT_EQ(ModBlck::AttesaPipe, ModBlck::AttesaPipePredefinita);
        EXPECT_EQ(ModBlck::AttesaGlobale, ModBlck::AttesaGlobalePredefinita);
        EXPECT_EQ(ModBlck::MoltiplicatoreAttesa, ModBlck::MoltiplicatoreAttesaPredefinito);
        // The first transaction waits its time: the companion answers.
        std::string r;
        EXPECT_EQ(ModPipe::InviaComandoPipe(PIPE_SET_MODE, std::string(1, '\x02'), ModBlck::AttesaPipe, r), 0);

        // The first link loss (with the first-start load of the default configuration), then exit.
        ModMain::RiconnessioneRichiesta = 0;
        ModMain::StatoConnessione = STATO_CONNESSO;
        ModMain::LineaPersa = 1;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NO_THROW(MDIFrm::Timer1_Timer());
            EXPECT_NO_THROW(ModMain::FinestraAvviata()->Timer2_Timer());
        }
        EXPECT_EQ(ModMain::StatoConnessione, STATO_OFFLINE);
        for (const auto& m : Piattaforma::Copione::Messaggi()) ADD_FAILURE() << m.testo.toStdString();
        ModMain::UscitaRichiesta = 1;
        EXPECT_NO_THROW(MDIFrm::Timer1_Timer());
        EXPECT_EQ(ModMain::StatoConnessione, STATO_USCITA);
        ModMain::ChiudiAvvio();
        ModMain::UscitaRichiesta = 0;
        MDIFrm::Timer1Attivo = 0;
    }
}

TEST_F(AvvioTest, PrimoAvvioMostraLaSceltaDellaLinguaPrimaDellaFinestra) {
    SupportoTest::CartellaBase base;
    std::filesystem::remove(base.File("lng/diz.con"));
    int mostrato = 0;
    ModMain::MostraSceltaLingua = [&](FrmLingua& d) {
        ++mostrato;
        EXPECT_EQ(ModMain::FinestraAvviata(), nullptr);
        EXPECT_EQ(d.Option1.size(), 2u);
        d.Option1_MouseUp(1);
    };
    ModMain::Main(base.File("bin"));
    EXPECT_EQ(mostrato, 1);
    EXPECT_EQ(ModMain::Dizionario->IdLingua(), 1);
    EXPECT_EQ(SupportoTest::LeggiFile(base.File("lng/diz.con")), "1\r\n");
    EXPECT_EQ(ModMain::Dizionario->VoceDizionario(1, 0), "Mondaro VX9 Redadi");
    ModMain::ChiudiAvvio();

    // The next start finds the language and asks nothing.
    ModMain::Main(base.File("bin"));
    EXPECT_EQ(mostrato, 1);
    EXPECT_EQ(ModMain::Dizionario->IdLingua(), 1);
}

// A base folder where the language file cannot be written: the language
// picked holds for the session, its texts show, and one box says so.
TEST_F(AvvioTest, LinguaNonSalvabileValePerLaSessioneConUnAvviso) {
    SupportoTest::CartellaBase base;
    std::filesystem::remove(base.File("lng/diz.con"));
    std::filesystem::create_directories(base.File("lng/diz.con")); // cannot become a file
    Piattaforma::Copione::Azzera();
    ModMain::AvvisoLinguaMostrato = false;
    ModMain::MostraSceltaLingua = [](FrmLingua& d) { d.Option1_MouseUp(1); };
    ModMain::Main(base.File("bin"));
    ASSERT_NE(ModMain::Dizionario, nullptr);
    EXPECT_EQ(ModMain::Dizionario->IdLingua(), 1);
    EXPECT_EQ(ModMain::TestoVoce(73), "Uscire dal programma?");
    EXPECT_EQ(ModMain::TestoVoce(0), "Mondaro VX9 Redadi");
    const auto& m = Piattaforma::Copione::Messaggi();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].testo.toStdString(), ModMain::TestoVoce(ModMain::VoceLinguaNonSalvata));
    // Another pick in the same session: no second box.
    ModMain::Dizionario->IdLingua(0);
    ModMain::AvvisaSeLinguaNonSalvata();
    EXPECT_EQ(Piattaforma::Copione::Messaggi().size(), 1u);
    Piattaforma::Copione::Azzera();
}

TEST_F(AvvioTest, CompagniRimastiTerminatiUnoAUno) {
    // Stand-ins for companions left from an earlier run: the same program
    // file, plus one of the same name elsewhere, which is not ours.
    SupportoTest::CartellaBase cartella(false);
    std::filesystem::create_directories(cartella.File("bin"));
    std::filesystem::create_directories(cartella.File("altro"));
    std::filesystem::copy_file("/bin/sleep", cartella.File("bin/VirUzo"));
    std::filesystem::copy_file("/bin/sleep", cartella.File("altro/VirUzo"));
    QProcess a, b, estraneo;
    for (QProcess* p : {&a, &b}) p->start(QString::fromStdString(cartella.File("bin/VirUzo")), {"30"});
    estraneo.start(QString::fromStdString(cartella.File("altro/VirUzo")), {"30"});
    for (QProcess* p : {&a, &b, &estraneo}) ASSERT_TRUE(p->waitForStarted(5000));

    ModMain::CartellaCompagno = cartella.File("bin");
    EXPECT_TRUE(ModMain::ProcessoComAttivo());
    Piattaforma::ImpostaAcceleratoreOrologio(20.0);
    double t0 = ModGlobFunct::LeggiMicrosecondi();
    ModMain::ChiudiProcessoCom();
    const double atteso = ModGlobFunct::LeggiMicrosecondi() - t0;
    EXPECT_GE(atteso, 6000000.0); // 3 s after each of the two
    for (QProcess* p : {&a, &b}) {
        p->waitForFinished(2000);
        EXPECT_EQ(p->state(), QProcess::NotRunning);
    }
    EXPECT_EQ(estraneo.state(), QProcess::Running);
    EXPECT_FALSE(ModMain::ProcessoComAttivo());

    // Nothing left: no wait at all.
    t0 = ModGlobFunct::LeggiMicrosecondi();
    ModMain::ChiudiProcessoCom();
    EXPECT_LT(ModGlobFunct::LeggiMicrosecondi() - t0, 3000000.0);
    estraneo.kill();
    estraneo.waitForFinished(2000);
}
