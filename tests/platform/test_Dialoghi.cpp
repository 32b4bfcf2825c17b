// The dialog facade in scripted mode: what is shown is recorded, answers come
// from the queues, and nothing modal ever opens.
#include <gtest/gtest.h>

#include "platform/Dialoghi.h"

using namespace Piattaforma;

namespace {
class DialoghiTest : public ::testing::Test {
protected:
    void SetUp() override { Copione::Attiva(true); }
    void TearDown() override { Copione::Attiva(true); }
};
} // namespace

TEST_F(DialoghiTest, SenzaRispostaRispondeIlPrimoPulsante) {
    const std::pair<PulsantiMessaggio, RispostaMessaggio> casi[] = {
        {PulsantiMessaggio::Ok, RispostaMessaggio::Ok},
        {PulsantiMessaggio::OkAnnulla, RispostaMessaggio::Ok},
        {PulsantiMessaggio::InterrompiRiprovaIgnora, RispostaMessaggio::Interrompi},
        {PulsantiMessaggio::SiNoAnnulla, RispostaMessaggio::Si},
        {PulsantiMessaggio::SiNo, RispostaMessaggio::Si},
        {PulsantiMessaggio::RiprovaAnnulla, RispostaMessaggio::Riprova},
    };
    for (const auto& [pulsanti, risposta] : casi) EXPECT_EQ(MostraMessaggio("t", "x", IconaMessaggio::Nessuna, pulsanti), risposta);
    EXPECT_EQ(Copione::Messaggi().size(), std::size(casi));
}

TEST_F(DialoghiTest, RisposteInCodaERegistrazione) {
    Copione::AccodaRisposta(RispostaMessaggio::No);
    Copione::AccodaRisposta(RispostaMessaggio::Annulla);
    EXPECT_EQ(MostraMessaggio("Salvare?", "Titolo", IconaMessaggio::Domanda, PulsantiMessaggio::SiNo),
              RispostaMessaggio::No);
    Suona(1000, 50);
    EXPECT_EQ(MostraMessaggio("Due", "T2", IconaMessaggio::Critica, PulsantiMessaggio::OkAnnulla),
              RispostaMessaggio::Annulla);
    EXPECT_EQ(MostraMessaggio("Tre", "T3"), RispostaMessaggio::Ok); // queue empty again

    const auto& eventi = Copione::Eventi();
    ASSERT_EQ(eventi.size(), 4u);
    EXPECT_EQ(eventi[1].tipo, Copione::Tipo::Suono);
    EXPECT_EQ(eventi[1].frequenzaHz, 1000);
    EXPECT_EQ(eventi[1].durataMs, 50);
    const auto m = Copione::Messaggi();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].testo, "Salvare?");
    EXPECT_EQ(m[0].titolo, "Titolo");
    EXPECT_EQ(m[0].icona, IconaMessaggio::Domanda);
    EXPECT_EQ(m[0].pulsanti, PulsantiMessaggio::SiNo);
    EXPECT_EQ(m[1].icona, IconaMessaggio::Critica);
    EXPECT_EQ(m[2].icona, IconaMessaggio::Nessuna);
    EXPECT_EQ(m[2].pulsanti, PulsantiMessaggio::Ok);
}

TEST_F(DialoghiTest, TestiEFile) {
    Copione::AccodaTesto(QString("1234"));
    Copione::AccodaTesto(std::nullopt);
    EXPECT_EQ(ChiediTesto("Codice?", "Accesso"), QString("1234"));
    EXPECT_EQ(ChiediTesto("Codice?", "Accesso"), std::nullopt); // cancelled
    EXPECT_EQ(ChiediTesto("Codice?", "Accesso"), std::nullopt); // nothing queued: cancelled

    Copione::AccodaFile(QString("/tmp/a.qdl"));
    EXPECT_EQ(ScegliFileDaAprire("Apri", "/dati", "Configuration (*.qdl)"), QString("/tmp/a.qdl"));
    EXPECT_EQ(ScegliFileDaSalvare("Salva", "/dati/b.qdl", "Configuration (*.qdl)"), std::nullopt);

    const auto& e = Copione::Eventi();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].tipo, Copione::Tipo::Testo);
    EXPECT_EQ(e[0].testo, "Codice?");
    EXPECT_EQ(e[3].tipo, Copione::Tipo::Apri);
    EXPECT_EQ(e[3].titolo, "Apri");
    EXPECT_EQ(e[3].testo, "/dati");
    EXPECT_EQ(e[4].tipo, Copione::Tipo::Salva);
    EXPECT_EQ(e[4].testo, "/dati/b.qdl");
    EXPECT_TRUE(Copione::Messaggi().empty());
}

// A name typed into a save dialog without an extension gets its filter's, so
// that the open dialog with that filter lists it; with the program's filters.
TEST_F(DialoghiTest, NomeSalvatoSenzaEstensionePrendeQuellaDelFiltro) {
    const struct {
        const char* digitato;
        const char* filtro;
        const char* atteso;
    } casi[] = {
        {"/d/Data/rec1", "View Files  (*.vfl)", "/d/Data/rec1.vfl"},
        {"/d/Data/run1.vfl", "View Files  (*.vfl)", "/d/Data/run1.vfl"},
        {"/d/Data/run1.txt", "View Files  (*.vfl)", "/d/Data/run1.txt"},
        {"/d/Data/tab", "Mod Files (*.txt)", "/d/Data/tab.txt"},
        {"/d/Data/auto", "Config Files  (*.qdl);;All Files  (*.*)", "/d/Data/auto.qdl"},
        {"/d/Data/v1.2/auto", "Config Files  (*.qdl);;All Files  (*.*)", "/d/Data/v1.2/auto.qdl"},
        {"/d/blocchi", "Text Files  (*.txt);;All Files  (*.*)", "/d/blocchi.txt"},
        {"/d/Data/obd", "Map Files (*.tun *.qdl)", "/d/Data/obd.tun"},
        {"/d/Data/obd", "All Files  (*.*)", "/d/Data/obd"},
    };
    for (const auto& c : casi) {
        Copione::AccodaFile(QString(c.digitato));
        EXPECT_EQ(ScegliFileDaSalvare({}, "/d/Data", c.filtro), QString(c.atteso)) << c.digitato << " " << c.filtro;
        EXPECT_EQ(Copione::Eventi().back().filtro, QString(c.filtro));
    }
    Copione::AccodaFile(QString());
    EXPECT_EQ(ScegliFileDaSalvare({}, "/d/Data", "View Files  (*.vfl)"), QString());
    EXPECT_EQ(ScegliFileDaSalvare({}, "/d/Data", "View Files  (*.vfl)"), std::nullopt);
    EXPECT_EQ(ModelliFiltro("View Files  (*.vfl);;Text Files  (*.txt)"), QStringList({"*.vfl", "*.txt"}));
    EXPECT_EQ(ModelliFiltro("Map Files (*.tun *.qdl)"), QStringList({"*.tun", "*.qdl"}));
}

TEST_F(DialoghiTest, AppuntiEAzzeramento) {
    ImpostaAppunti("\tH1\r\nR1\t5\t");
    EXPECT_EQ(LeggiAppunti(), "\tH1\r\nR1\t5\t");
    Copione::AccodaRisposta(RispostaMessaggio::No);
    MostraMessaggio("x", "y");
    Copione::AccodaRisposta(RispostaMessaggio::No);
    Copione::Attiva(true); // clears the queues, the record and the clipboard
    EXPECT_TRUE(Copione::Eventi().empty());
    EXPECT_EQ(LeggiAppunti(), "");
    EXPECT_EQ(MostraMessaggio("x", "y", IconaMessaggio::Nessuna, PulsantiMessaggio::SiNo), RispostaMessaggio::Si);
    EXPECT_TRUE(Copione::Attivo());
}
