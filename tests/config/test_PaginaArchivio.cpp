// The archive page offscreen: save by name (offline at once, connected
// through request 8 against the simulated ECU), open, browse, delete,
// restore of a factory file, the maker and key filters, the note preview,
// the makers file and the hidden export.
#include "FissaggioArchivio.h"

#include <filesystem>
#include <functional>

#include <QtGui/QInputMethodEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include "companion/ClienteTrasferimenti.h"
#include "config/ModBlckNomeConfigurazione.h"
#include "core/Conversioni.h"
#include "config/ModMainSalvataggio.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/MDIFrmRichieste.h"
#include "support/TastiProva.h"

namespace {

namespace fs = std::filesystem;
using Archivio::Digita;
using Archivio::Premi;
using F = FRM_ZEBLoadSave;

class PaginaArchivio : public FissaggioConfig {
protected:
    void SetUp() override {
        FissaggioConfig::SetUp();
        stato_ = std::make_unique<StatoArchivio>(base.Percorso());
        RiempiMemoria(3);
        pagina = std::make_unique<FRM_ZEBLoadSave>();
        pagina->resize(1000, 425);
        pagina->Form_Load();
        pagina->show();
    }
    void TearDown() override {
        pagina.reset();
        stato_.reset();
    }
    std::string Archivio(const std::string& nome) const { return base.File("Data/" + nome); }
    static std::string M(int n) { return Archivio::TestoVoceDopo("[FrmSalvaAprifile]", n); }
    void ModalitaSalva() { Premi(*pagina, pagina->CmdSave, &F::CmdSave_Click); }
    void ModalitaApri() { Premi(*pagina, pagina->CmdApriTutto, &F::CmdApriTutto_Click); }
    void Compila(const QString& costruttore, const QString& modello, const QString& cil, const QString& id,
                 const QString& nota = {}) {
        pagina->CmbCostruttori->setEditText(costruttore);
        pagina->TxtModello->setText(modello);
        pagina->TxtCil->setText(cil);
        pagina->TxtId->setText(id);
        pagina->TXTNote->setPlainText(nota);
    }
    QStringList Elenco() const {
        QStringList r;
        for (int i = 0; i < pagina->LstFile->count(); ++i) r << pagina->LstFile->item(i)->text();
        return r;
    }
    void Seleziona(const QString& voce) {
        const auto trovati = pagina->LstFile->findItems(voce, Qt::MatchExactly);
        ASSERT_EQ(trovati.size(), 1) << voce.toStdString();
        pagina->LstFile->setCurrentItem(trovati.first());
    }
    bool ModalitaSalvaAttiva() const { return pagina->CmdSave->Value() && pagina->FrmConfigVeicolo->isVisible(); }

    SupportoTest::CartellaBase base;
    InterfacciaArchivio ui;
    std::unique_ptr<FRM_ZEBLoadSave> pagina;

private:
    std::unique_ptr<StatoArchivio> stato_;
};

TEST_F(PaginaArchivio, SalvataggioPerNomeOfflineScriveSubito) {
    ModMain::NomeConfigurazione = "AUDI_A4_4_x";
    ModalitaSalva();
    EXPECT_EQ(pagina->ModalitaArchivio, 1);
    EXPECT_TRUE(pagina->FrmConfigVeicolo->isVisible());
    EXPECT_TRUE(pagina->FrmArchivio->isVisible());
    EXPECT_FALSE(pagina->FrmReset->isVisible());
    // The fields from the current name; without block 18 the note is gone.
    EXPECT_EQ(pagina->CmbCostruttori->currentText(), "AUDI");
    EXPECT_EQ(pagina->TxtModello->text(), "A4");
    EXPECT_EQ(pagina->TxtId->text(), "x");
    EXPECT_TRUE(ModMain::NotaConfigurazione.empty());

    Compila("FIAT", "Punto", "4", "", "first line\nsecond line");
    pagina->CmdOk_Click();
    const std::string file = Archivio("FIAT_Punto_4_.qdl");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(ModMain::PercorsoSalvataggio, file);
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SAVE_CONFIG_FILE);
    EXPECT_TRUE(ModMain::SalvataggioRichiesto);
    EXPECT_EQ(Conv::Trim(ModMain::NomeConfigurazione), "FIAT_Punto_4_");
    // Offline the name goes straight into block 18, and the file holds the note.
    std::string nome, nota;
    ModBlck::LeggiNomeConfigurazione(nome, nota);
    EXPECT_EQ(nome, "FIAT_Punto_4_");
    const auto righe = FileConfigurazione::Righe(SupportoTest::LeggiFile(file));
    EXPECT_EQ(Conv::Trim(ArchivioRegole::NotaArchivio(righe)), "first line\r\nsecond line");
    ASSERT_FALSE(ui.titoli.empty());
    EXPECT_NE(ui.titoli.back().find(ModMain::TestoVoce(47)), std::string::npos); // offline caption
    EXPECT_NE(ui.titoli.back().find("FIAT_Punto_4_"), std::string::npos);
    EXPECT_FALSE(pagina->CmdSave->Value());
    EXPECT_FALSE(pagina->FrmConfigVeicolo->isVisible());
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());

    // The link timer drops request 8 offline; the file stays as written.
    MDIFrm::GestioneOffline();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(PaginaArchivio, SalvataggioRifiutatoOConfermato) {
    ModalitaSalva();
    Compila("", "Punto", "", "");
    pagina->CmdOk_Click();
    Compila("FIAT", "", "", "");
    pagina->CmdOk_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{M(1), M(2)}));
    for (const auto& e : Piattaforma::Copione::Messaggi()) EXPECT_EQ(e.icona, Piattaforma::IconaMessaggio::Critica);
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ModalitaSalvaAttiva());

    // An existing file: Cancel keeps it and the mode, OK overwrites it.
    base.Scrivi("Data/FIAT_Punto__.qdl", "old");
    Piattaforma::Copione::Azzera();
    Compila("FIAT", "Punto", "", "");
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Annulla);
    pagina->CmdOk_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{M(3)}));
    EXPECT_TRUE(ModMain::PercorsoSalvataggio.empty());
    EXPECT_EQ(base.Leggi("Data/FIAT_Punto__.qdl"), "old");
    EXPECT_TRUE(ModalitaSalvaAttiva());
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Ok);
    pagina->CmdOk_Click();
    EXPECT_NE(base.Leggi("Data/FIAT_Punto__.qdl"), "old");
    EXPECT_FALSE(pagina->CmdSave->Value());
}

// A save that cannot be written offline reports entry 29 once and keeps save
// mode, with the fields as typed, so the user can try again.
TEST_F(PaginaArchivio, SalvataggioFallitoTieneLaModalita) {
    fs::create_directories(Archivio("FIAT_Punto__.qdl")); // a folder where the file should go
    ModalitaSalva();
    Compila("FIAT", "Punto", "", "");
    pagina->CmdOk_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{ModMain::TestoVoce(29)}));
    EXPECT_TRUE(ModalitaSalvaAttiva());
    EXPECT_EQ(pagina->TxtModello->text(), "Punto");
    EXPECT_TRUE(fs::is_directory(Archivio("FIAT_Punto__.qdl")));
}

TEST_F(PaginaArchivio, AperturaCaricaIlFileInMemoria) {
    ModalitaSalva();
    Compila("FIAT", "Punto", "4", "", "note");
    pagina->CmdOk_Click();
    ModMain::RichiestaPendente = 0;
    const auto salvato = TabellaBlocchi;
    RiempiMemoria(9);
    ASSERT_NE(TabellaBlocchi[3].Valori, salvato[3].Valori);

    ModalitaApri();
    EXPECT_EQ(pagina->ModalitaArchivio, 2);
    EXPECT_FALSE(pagina->TxtModello->isEnabled());
    EXPECT_TRUE(pagina->CmbCostr2->isVisible());
    EXPECT_FALSE(pagina->CmbCostruttori->isVisible());
    Seleziona("FIAT_Punto_4_.qdl");
    EXPECT_EQ(pagina->TxtCostrut->text(), "FIAT");
    EXPECT_EQ(pagina->TxtCil->text(), "4");
    EXPECT_EQ(pagina->TXTNote->toPlainText().trimmed(), "note");
    pagina->CmdOk_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
    EXPECT_EQ(ModMain::PercorsoCaricamento, Archivio("FIAT_Punto_4_.qdl"));
    EXPECT_EQ(ModMain::NomeConfigurazione, "FIAT_Punto_4_.qdl");
    EXPECT_FALSE(pagina->CmdApriTutto->Value());

    MDIFrm::GestioneOffline();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    for (size_t n : {2u, 3u, 15u}) {
        EXPECT_EQ(TabellaBlocchi[n].UltimaRisposta, salvato[n].UltimaRisposta) << n;
        EXPECT_EQ(TabellaBlocchi[n].Valori.at(0), salvato[n].Valori.at(0)) << n;
    }

    // OK with nothing selected posts nothing and ends open mode.
    ModalitaApri();
    pagina->CmdOk_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_FALSE(pagina->FrmArchivio->isVisible());
}

// Browsing: the name and note change only after a file was chosen.
TEST_F(PaginaArchivio, SfogliaAnnullatoTieneNomeENota) {
    ModMain::FunzioneEstesaEcu = -1;
    ModMain::NomeConfigurazione = "AUDI_A4__";
    ModMain::NotaConfigurazione = "kept";
    ModalitaSalva();
    Piattaforma::Copione::AccodaFile(std::nullopt);
    pagina->CmdCerca_Click();
    EXPECT_EQ(ModMain::NomeConfigurazione, "AUDI_A4__");
    EXPECT_EQ(ModMain::NotaConfigurazione, "kept");
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ModalitaSalvaAttiva());

    // A name typed without extension gets the archive's, with an empty note.
    const std::string scelto = Archivio("altro.qdl");
    Piattaforma::Copione::AccodaFile(QString::fromStdString(Archivio("altro")));
    pagina->CmdCerca_Click();
    ASSERT_TRUE(fs::exists(scelto));
    EXPECT_FALSE(fs::exists(Archivio("altro")));
    EXPECT_EQ(Conv::Trim(ModMain::NomeConfigurazione), "altro");
    EXPECT_EQ(Conv::Trim(ModMain::NotaConfigurazione), "");
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_SAVE_CONFIG_FILE);
    EXPECT_FALSE(pagina->CmdSave->Value());
    ModMain::RichiestaPendente = 0;

    ModalitaApri();
    EXPECT_TRUE(Elenco().contains("altro.qdl"));
    ModMain::NomeConfigurazione = "AUDI_A4__";
    Piattaforma::Copione::AccodaFile(std::nullopt);
    pagina->CmdCerca_Click();
    EXPECT_EQ(ModMain::NomeConfigurazione, "AUDI_A4__");
    EXPECT_TRUE(pagina->CmdApriTutto->Value());
    Piattaforma::Copione::AccodaFile(QString::fromStdString(scelto));
    pagina->CmdCerca_Click();
    EXPECT_EQ(ModMain::PercorsoCaricamento, scelto);
    EXPECT_EQ(ModMain::NomeConfigurazione, "altro.qdl");
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
    EXPECT_FALSE(pagina->CmdApriTutto->Value());
}

TEST_F(PaginaArchivio, EliminaERiseleziona) {
    for (const char* f : {"AUDI_A4__.qdl", "FIAT_Panda__.qdl", "FIAT_Punto__.qdl"}) base.Scrivi(std::string("Data/") + f, "x");
    ModalitaApri();
    pagina->CmdCancelFile_Click(); // nothing selected
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    pagina->CmbCostr2->setEditText("fiat");
    Seleziona("FIAT_Punto__.qdl");
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::No);
    pagina->CmdCancelFile_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{M(17) + "FIAT_Punto__.qdl?"}));
    EXPECT_TRUE(fs::exists(Archivio("FIAT_Punto__.qdl")));
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Si);
    pagina->CmdCancelFile_Click();
    EXPECT_FALSE(fs::exists(Archivio("FIAT_Punto__.qdl")));
    // Refilled with the open-mode filter; its first entry selected and shown.
    EXPECT_EQ(Elenco(), QStringList{"FIAT_Panda__.qdl"});
    EXPECT_EQ(pagina->TxtModello->text(), "Panda");
    EXPECT_TRUE(pagina->CmdApriTutto->Value());
}

TEST_F(PaginaArchivio, FiltroCostruttoreSenzaMaiuscole) {
    for (const char* f : {"AUDI_A4__.qdl", "Fiat_Panda__.qdl", "FIAT_Punto__.qdl", "fiat_500__.qdl", "FORD_Ka__.qdl"})
        base.Scrivi(std::string("Data/") + f, "x");
    ModalitaApri();
    EXPECT_EQ(Elenco().size(), 5);
    Digita(pagina->CmbCostr2->lineEdit(), "fi");
    EXPECT_EQ(pagina->CmbCostr2->currentText(), "fi");
    EXPECT_EQ(Elenco(), (QStringList{"fiat_500__.qdl", "Fiat_Panda__.qdl", "FIAT_Punto__.qdl"}));
    Digita(pagina->CmbCostr2->lineEdit(), "AT_P");
    EXPECT_EQ(pagina->CmbCostr2->currentText(), "fiATP"); // "_" is kept out
    EXPECT_TRUE(Elenco().isEmpty());
    pagina->CmbCostr2->setEditText("FIAT_P");
    EXPECT_EQ(Elenco(), (QStringList{"Fiat_Panda__.qdl", "FIAT_Punto__.qdl"}));
    // A click on an entry fills the fields without filtering the list again.
    Seleziona("FIAT_Punto__.qdl");
    EXPECT_EQ(Elenco().size(), 2);
    EXPECT_EQ(pagina->SelezioneInCorso, 0);
    pagina->CmbCostr2->setEditText({});
    EXPECT_EQ(Elenco().size(), 5);
    // In save mode the maker combo filters the same list.
    ModalitaSalva();
    pagina->CmbCostruttori->setEditText("fo");
    EXPECT_EQ(Elenco(), QStringList{"FORD_Ka__.qdl"});
}

TEST_F(PaginaArchivio, FiltroTastiNeiCampiDelNome) {
    ModalitaSalva();
    for (QWidget* w : {static_cast<QWidget*>(pagina->CmbCostruttori->lineEdit()),
                       static_cast<QWidget*>(pagina->TxtModello), static_cast<QWidget*>(pagina->TxtCil),
                       static_cast<QWidget*>(pagina->TxtId)}) {
        auto* t = qobject_cast<QLineEdit*>(w);
        t->clear();
        Digita(t, "a_b.c/d-e`f 9");
        EXPECT_EQ(t->text(), "abcde`f 9") << w->objectName().toStdString();
    }
    // A paste cannot bring them in either.
    QKeyEvent incolla(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    Piattaforma::ImpostaAppunti("../x");
    QApplication::sendEvent(pagina->TxtModello, &incolla);
    EXPECT_EQ(pagina->TxtModello->text(), "abcde`f 9");
    // The note is free text.
    pagina->TXTNote->clear();
    Digita(pagina->TXTNote, "a_b.c");
    EXPECT_EQ(pagina->TXTNote->toPlainText(), "a_b.c");
}

TEST_F(PaginaArchivio, CostruttoriDalFile) {
    fs::remove(ModMain::PercorsoCostruttori);
    ModalitaSalva();
    EXPECT_TRUE(fs::exists(ModMain::PercorsoCostruttori)); // created empty
    EXPECT_EQ(pagina->CmbCostruttori->count(), 0);
    base.Scrivi("Data/Costruttori.txt", "Fiat\r\nalfa romeo\r\n");
    ModalitaSalva(); // released
    ModalitaSalva();
    ASSERT_EQ(pagina->CmbCostruttori->count(), 3);
    EXPECT_EQ(pagina->CmbCostruttori->itemText(1), "ALFA ROMEO");
    EXPECT_EQ(pagina->CmbCostr2->itemText(0), "FIAT");
    EXPECT_EQ(pagina->CmbCostruttori->itemText(2), "");
    // A typed maker keeps its case and never joins the list.
    Digita(pagina->CmbCostruttori->lineEdit(), "Dacia");
    EXPECT_EQ(pagina->CmbCostruttori->currentText(), "Dacia");
    EXPECT_EQ(pagina->CmbCostruttori->count(), 3);
}

// The shipped makers list: real makers, upper case, no empty entry.
TEST_F(PaginaArchivio, ElencoCostruttoriSpedito) {
    const auto costruttori = ArchivioRegole::DividiCostruttori(SupportoTest::LeggiFile(MONDARO_SORGENTI "/data/Data/Costruttori.txt"));
    EXPECT_GE(costruttori.size(), 40u);
    for (const auto& c : costruttori) {
        EXPECT_FALSE(c.empty());
        EXPECT_EQ(c.find('_'), std::string::npos) << c;
    }
}

TEST_F(PaginaArchivio, ModalitaPulsanti) {
    ModalitaSalva();
    Premi(*pagina, pagina->CmdRipristinaTutto, &F::CmdRipristinaTutto_Click);
    EXPECT_FALSE(pagina->CmdSave->Value());
    EXPECT_TRUE(pagina->FrmReset->isVisible());
    EXPECT_FALSE(pagina->FrmArchivio->isVisible());
    EXPECT_TRUE(pagina->SHP[1]->isVisible());
    EXPECT_EQ(pagina->ModalitaArchivio, 1); // restore mode keeps the last save-or-open choice
    Premi(*pagina, pagina->CmdRipristinaTutto, &F::CmdRipristinaTutto_Click);
    EXPECT_FALSE(pagina->FrmReset->isVisible());
    EXPECT_FALSE(pagina->SHP[3]->isVisible());
    ModalitaApri();
    ModalitaApri();
    EXPECT_FALSE(pagina->FrmConfigVeicolo->isVisible());
    EXPECT_FALSE(pagina->LFrmConfigVeicolo->isVisible());
}

TEST_F(PaginaArchivio, RipristinoPredefinito) {
    ui.indiceConfSistema = 1;
    Premi(*pagina, pagina->CmdRipristinaTutto, &F::CmdRipristinaTutto_Click);
    EXPECT_EQ(ui.aggiornamentiCommutazione, 1);
    ASSERT_EQ(pagina->CmbAlim->count(), 4);
    EXPECT_EQ(pagina->CmbAlim->item(0)->text(), "00 Redadi Inj Custom");
    const auto scelte = pagina->CmbAlim->selectedItems();
    ASSERT_EQ(scelte.size(), 1);
    EXPECT_EQ(scelte.first()->text(), "01 Redadi Inj LPG 4 Cyl");
    EXPECT_EQ(pagina->TuTNote2->toPlainText().trimmed(), "Factory configuration");
    EXPECT_EQ(pagina->LblQuestion->text().toStdString(), Archivio::TestoVoceDopo("[Frm_SelAlim]", 3));

    ModMain::NomeConfigurazione = "x";
    pagina->CmdReset_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
    EXPECT_EQ(ModMain::PercorsoCaricamento, base.File("lng/01 Redadi Inj LPG 4 Cyl.xsi"));
    EXPECT_TRUE(ModMain::NomeConfigurazione.empty());
    EXPECT_FALSE(pagina->FrmReset->isVisible());
    MDIFrm::GestioneOffline();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    const auto righe = FileConfigurazione::Righe(base.Leggi("lng/01 Redadi Inj LPG 4 Cyl.xsi"));
    const auto sezioni = FileConfigurazione::LeggiSezioni(righe, {"[BLK_3]"});
    EXPECT_EQ(TabellaBlocchi[3].UltimaRisposta, *FileConfigurazione::TramaDaHex(sezioni.at("[BLK_3]")));

    // A system configuration past the list's end selects nothing, and then
    // the restore posts nothing.
    ui.indiceConfSistema = 5;
    Premi(*pagina, pagina->CmdRipristinaTutto, &F::CmdRipristinaTutto_Click);
    EXPECT_TRUE(pagina->CmbAlim->selectedItems().isEmpty());
    pagina->CmdReset_Click();
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
}

TEST_F(PaginaArchivio, TestiInItaliano) {
    ModMain::Dizionario->IdLingua(1);
    pagina->CaricaLingua();
    EXPECT_EQ(pagina->CmdSave->Caption(), ModMain::TestoLingua(Archivio::TestoVoceDopo("[FrmMisc]", 4)));
    EXPECT_NE(pagina->CmdSave->Caption(), "Save configuration");
    for (QLabel* l : {pagina->LblCostruttore, pagina->LblModello, pagina->LblCil, pagina->LblId, pagina->LblNote,
                      pagina->LFrmConfigVeicolo, pagina->lFrmArchivio, pagina->LblStar[2], pagina->LblQuestion})
        EXPECT_FALSE(l->text().isEmpty()) << l->objectName().toStdString();
    for (PulsanteGrafico* b : {pagina->CmdApriTutto, pagina->CmdRipristinaTutto, pagina->CmdOk, pagina->CmdCerca,
                               pagina->CmdCancelFile, pagina->CmdReset})
        EXPECT_FALSE(b->Caption().isEmpty()) << b->objectName().toStdString();
}

// Every control inside the page at the page sizes of the smallest (1024 x 640)
// and a large (1400 x 900) main window. With MONDARO_SCREENSHOT set to a
// folder, each mode is also grabbed there in both languages.
TEST_F(PaginaArchivio, DisposizioneSenzaTagli) {
    for (const char* f : {"AUDI_A4_4_.qdl", "FIAT_Punto_4_7.qdl", "OPEL_Astra_4_.qdl"}) base.Scrivi(std::string("Data/") + f, "[NOTE]\r\nnew injectors\r\n[FW]\r\n");
    const char* cartella = std::getenv("MONDARO_SCREENSHOT");
    for (int lingua : {0, 1}) {
        ModMain::Dizionario->IdLingua(static_cast<int16_t>(lingua));
        pagina->CaricaLingua();
        for (const QSize s : {QSize(1000, 425), QSize(1377, 685)}) {
            pagina->resize(s);
            for (QWidget* w : pagina->findChildren<QWidget*>()) {
                if (w->objectName().isEmpty() || w->objectName().startsWith("qt_") || !w->parentWidget()) continue;
                EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString();
            }
            if (!cartella) continue;
            const QString nome = QStringLiteral("%1/archivio_%2x%3_%4_").arg(cartella).arg(s.width()).arg(s.height()).arg(lingua);
            pagina->grab().save(nome + "0.png");
            ModalitaSalva();
            pagina->CmbCostruttori->setEditText("FIAT");
            pagina->TxtModello->setText("Punto");
            pagina->grab().save(nome + "salva.png");
            ModalitaApri();
            Seleziona("FIAT_Punto_4_7.qdl");
            pagina->grab().save(nome + "apri.png");
            ui.indiceConfSistema = 1;
            Premi(*pagina, pagina->CmdRipristinaTutto, &F::CmdRipristinaTutto_Click);
            pagina->grab().save(nome + "ripristina.png");
            Premi(*pagina, pagina->CmdRipristinaTutto, &F::CmdRipristinaTutto_Click);
        }
    }
}

TEST_F(PaginaArchivio, EsportazioneNascostaMostrataEScritta) {
    EXPECT_FALSE(pagina->CmdExport->isVisible());
    pagina->Form_KeyUp('X', 7);
    EXPECT_TRUE(pagina->CmdExport->isVisible());
    const QRect r = pagina->CmdExport->geometry();
    EXPECT_TRUE(pagina->rect().contains(r));
    EXPECT_GT(r.left(), pagina->width() / 2);
    EXPECT_LT(r.top(), 20);

    const std::string p = base.File("export.txt");
    Piattaforma::Copione::AccodaFile(std::nullopt); // cancelled: nothing written
    pagina->CmdExport->click();
    EXPECT_FALSE(fs::exists(p));
    Piattaforma::Copione::AccodaFile(QString::fromStdString(p));
    pagina->CmdExport->click();
    EXPECT_EQ(SupportoTest::LeggiFile(p), ModMain::ComponiEsportazione(TabellaBlocchi, ModMain::MatSoglie));

    pagina->Form_KeyUp('X', 7);
    EXPECT_FALSE(pagina->CmdExport->isVisible());
    pagina->Form_KeyUp('X', 7);
    pagina->Form_KeyUp('Y', 7);
    EXPECT_FALSE(pagina->CmdExport->isVisible());
}

// Whichever way text reaches the name fields, a save by name writes a file of
// the archive folder: a name from block 18 and a maker of the makers file are
// shown as they are and refused when they lead out of Data/; an input
// method's commit is filtered as typing is; a paste brings nothing in.
TEST_F(PaginaArchivio, NomeSempreNellArchivio) {
    ModMain::NomeConfigurazione = "../x_M_4_y";
    ModalitaSalva();
    EXPECT_EQ(pagina->CmbCostruttori->currentText().toStdString(), "../x");
    pagina->CmdOk_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{ModMain::TestoVoce(29)}));
    EXPECT_FALSE(fs::exists(base.File("x_M_4_y.qdl")));
    EXPECT_TRUE(ModMain::PercorsoSalvataggio.empty());
    EXPECT_TRUE(ModalitaSalvaAttiva());

    ModalitaSalva();
    ModalitaSalva();
    const std::vector<QLineEdit*> campi{pagina->CmbCostruttori->lineEdit(), pagina->TxtModello, pagina->TxtCil,
                                        pagina->TxtId};
    for (QLineEdit* t : campi) {
        t->clear();
        QInputMethodEvent e;
        e.setCommitString(QStringLiteral("../a_b.c"));
        QApplication::sendEvent(t, &e);
        EXPECT_EQ(t->text().toStdString(), "abc") << t->objectName().toStdString();
    }

    // Ctrl+V with the text on the clipboard: the note, which has no filter,
    // takes it, so the paste is real; the name fields take nothing.
    auto appunti = [](const QString& testo) {
        Piattaforma::Copione::Attiva(false);
        Piattaforma::ImpostaAppunti(testo);
        Piattaforma::Copione::Attiva(true);
    };
    appunti(QStringLiteral("../a_b.c"));
    const QString ctrlV(QChar(22));
    pagina->TXTNote->clear();
    SupportoTest::Batti(pagina->TXTNote, Qt::Key_V, Qt::ControlModifier, ctrlV);
    EXPECT_EQ(pagina->TXTNote->toPlainText().toStdString(), "../a_b.c");
    for (QLineEdit* t : campi) {
        t->clear();
        SupportoTest::Batti(t, Qt::Key_V, Qt::ControlModifier, ctrlV);
        SupportoTest::Batti(t, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(t->text().toStdString(), "") << t->objectName().toStdString();
    }
    appunti({});

    // A maker of the makers file passes as written; a path out of Data/ is
    // refused with the failure text, nothing written, save mode kept.
    base.Scrivi("Data/Costruttori.txt", "../OUT\r\nA_B\r\n");
    ModalitaSalva();
    ModalitaSalva();
    Piattaforma::Copione::Azzera();
    pagina->CmbCostruttori->setCurrentIndex(0);
    EXPECT_EQ(pagina->CmbCostruttori->currentText().toStdString(), "../OUT");
    pagina->TxtModello->setText("M");
    pagina->TxtCil->clear();
    pagina->TxtId->clear();
    pagina->CmdOk_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{ModMain::TestoVoce(29)}));
    EXPECT_FALSE(fs::exists(base.File("OUT_M__.qdl")));
    EXPECT_TRUE(ModMain::PercorsoSalvataggio.empty());
    EXPECT_TRUE(ModalitaSalvaAttiva());
    pagina->CmbCostruttori->setCurrentIndex(1);
    pagina->CmdOk_Click();
    EXPECT_TRUE(fs::exists(Archivio("A_B_M__.qdl")));
}

// Only typed characters are filtered: a maker picked from the makers list
// keeps its hyphen when the user types after it, and a click on an archive
// entry shows its fields as the name holds them, so saving it again asks
// before overwriting. Real keys and clicks.
TEST_F(PaginaArchivio, NomiDallElencoComeSono) {
    base.Scrivi("Data/Costruttori.txt", "AUDI\r\nMERCEDES-BENZ\r\nOPEL");
    ModalitaSalva();
    QComboBox* costruttori = pagina->CmbCostruttori;
    for (int i = 0; i < costruttori->count() && costruttori->currentText() != "MERCEDES-BENZ"; ++i)
        SupportoTest::Batti(costruttori, Qt::Key_Down);
    ASSERT_EQ(costruttori->currentText().toStdString(), "MERCEDES-BENZ");
    Digita(costruttori->lineEdit(), "2");
    EXPECT_EQ(costruttori->currentText().toStdString(), "MERCEDES-BENZ2");
    Digita(pagina->TxtModello, "C.200");
    EXPECT_EQ(pagina->TxtModello->text().toStdString(), "C200");
    pagina->CmdOk_Click();
    EXPECT_TRUE(fs::exists(Archivio("MERCEDES-BENZ2_C200__.qdl")));

    const QString nome = QStringLiteral("FIAT_Punto-1.2_4_a.b.qdl");
    base.Scrivi("Data/" + nome.toStdString(), "[NOTE]\r\nblue\r\n[END]\r\n");
    auto clicNellElenco = [&] {
        const auto trovati = pagina->LstFile->findItems(nome, Qt::MatchExactly);
        ASSERT_EQ(trovati.size(), 1);
        QWidget* v = pagina->LstFile->viewport();
        const QPointF p = pagina->LstFile->visualItemRect(trovati.first()).center();
        QMouseEvent giu(QEvent::MouseButtonPress, p, v->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(v, &giu);
        QMouseEvent su(QEvent::MouseButtonRelease, p, v->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v, &su);
    };
    struct Caso {
        const char* modo;
        std::function<void()> entra;
        QLineEdit* costruttore;
    };
    const Caso casi[] = {{"open", [&] { ModalitaApri(); }, pagina->TxtCostrut},
                         {"save", [&] { ModalitaSalva(); }, costruttori->lineEdit()}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.modo);
        c.entra();
        clicNellElenco();
        EXPECT_EQ(c.costruttore->text().toStdString(), "FIAT");
        EXPECT_EQ(pagina->TxtModello->text().toStdString(), "Punto-1.2");
        EXPECT_EQ(pagina->TxtCil->text().toStdString(), "4");
        EXPECT_EQ(pagina->TxtId->text().toStdString(), "a.b");
    }
    // Still in save mode: OK asks before overwriting the chosen file.
    Piattaforma::Copione::Azzera();
    Piattaforma::Copione::AccodaRisposta(Piattaforma::RispostaMessaggio::Annulla);
    const auto prima = fs::directory_iterator(base.File("Data"));
    const size_t file = static_cast<size_t>(std::distance(prima, fs::directory_iterator{}));
    pagina->CmdOk_Click();
    EXPECT_EQ(Archivio::Messaggi(), (std::vector<std::string>{M(3)}));
    EXPECT_EQ(static_cast<size_t>(std::distance(fs::directory_iterator(base.File("Data")), fs::directory_iterator{})),
              file);
    EXPECT_TRUE(ModalitaSalvaAttiva());
}

// After Ctrl+Shift+Alt+X has shown the export button, any other key with the
// three modifiers hides it and clears the latch; the modifiers' own releases
// are no other key. Real key events through the application.
TEST_F(PaginaArchivio, EsportazioneNascostaDaOgniAltroTasto) {
    const auto tre = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
    QApplication::setActiveWindow(pagina.get());
    pagina->setFocus();
    // Sent to the focused widget, through the application.
    auto invia = [&](QEvent::Type tipo, int tasto) {
        QKeyEvent e(tipo, tasto, tre);
        QWidget* w = QApplication::focusWidget();
        QApplication::sendEvent(w ? w : pagina.get(), &e);
    };
    auto premi = [&](int tasto) {
        invia(QEvent::KeyPress, tasto);
        invia(QEvent::KeyRelease, tasto);
    };
    for (const int tasto : {Qt::Key_F5, Qt::Key_Space, Qt::Key_Return, Qt::Key_Left, Qt::Key_Period, Qt::Key_Y}) {
        premi(Qt::Key_X);
        ASSERT_TRUE(pagina->CmdExport->isVisible());
        EXPECT_EQ(ModMain::TastoXPremuto, 1);
        for (const int modificatore : {Qt::Key_Alt, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Meta})
            invia(QEvent::KeyRelease, modificatore);
        EXPECT_TRUE(pagina->CmdExport->isVisible()) << tasto;
        premi(tasto);
        EXPECT_FALSE(pagina->CmdExport->isVisible()) << tasto;
        EXPECT_EQ(ModMain::TastoXPremuto, 0) << tasto;
    }
}

// No slot of the page runs once its destruction has begun: the maker combo,
// focused, holding a typed maker its list has, emits "activated" when the
// focus leaves it as the page goes; its slot would refill the archive list.
TEST_F(PaginaArchivio, NessunoSlotSullaPaginaInDistruzione) {
    base.Scrivi("Data/FIAT_Punto__.qdl", "x");
    ModalitaSalva();
    pagina->activateWindow();
    QApplication::setActiveWindow(pagina.get());
    pagina->CmbCostruttori->setFocus();
    pagina->CmbCostruttori->setEditText("FIAT");
    ASSERT_NE(pagina->CmbCostruttori->currentText(), pagina->CmbCostruttori->itemText(pagina->CmbCostruttori->currentIndex()));
    int righe = 0;
    QObject::connect(pagina->LstFile->model(), &QAbstractItemModel::rowsInserted, [&righe] { ++righe; });
    pagina.reset();
    EXPECT_EQ(righe, 0);
}

// Connected, the save goes through request 8: the executor writes the name
// into the simulated ECU's block 18, reads the whole ECU and writes the file.
class PaginaArchivioEcu : public ClienteTrasferimenti {
protected:
    void SetUp() override {
        ClienteTrasferimenti::SetUp();
        stato_ = std::make_unique<StatoArchivio>(base.Percorso());
        ModMain::FunzioneEstesaEcu = -1;
        ModMain::StatoConnessione = STATO_CONNESSO;
        for (size_t n : {2u, 3u, 5u, 15u, 18u}) ASSERT_TRUE(LeggiBlocco(n)) << n;
        lista18_ = ModBlck::ModificheBlocco18;
    }
    void TearDown() override {
        ModBlck::ModificheBlocco18 = lista18_;
        stato_.reset();
        ClienteTrasferimenti::TearDown();
    }
    InterfacciaArchivio ui;

private:
    std::unique_ptr<StatoArchivio> stato_;
    ListaModifiche lista18_;
};

TEST_F(PaginaArchivioEcu, SalvataggioPerNomeConRichiesta8) {
    FRM_ZEBLoadSave pagina;
    pagina.resize(1000, 425);
    pagina.Form_Load();
    Premi(pagina, pagina.CmdSave, &F::CmdSave_Click);
    pagina.CmbCostruttori->setEditText("OPEL");
    pagina.TxtModello->setText("Astra");
    pagina.TxtCil->setText("4");
    pagina.TXTNote->setPlainText("service 2026");
    pagina.CmdOk_Click();
    const std::string file = base.File("Data/OPEL_Astra_4_.qdl");
    EXPECT_FALSE(fs::exists(file)); // written by the request, not by the page
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_SAVE_CONFIG_FILE);
    EXPECT_FALSE(pagina.CmdSave->Value());
    ASSERT_FALSE(ui.titoli.empty());
    EXPECT_EQ(ui.titoli.back().find(ModMain::TestoVoce(47)), std::string::npos); // online caption

    ModMain::StatoConnessione = STATO_ESECUZIONE;
    MDIFrm::EseguiRichiesta();
    ModMain::StatoConnessione = STATO_CONNESSO;
    EXPECT_EQ(ModMain::RichiestaPendente, 0);
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(ArchivioRegole::NotaArchivio(FileConfigurazione::Righe(SupportoTest::LeggiFile(file))).substr(0, 12),
              "service 2026");
    ASSERT_TRUE(LeggiBlocco(18));
    std::string nome, nota;
    ModBlck::LeggiNomeConfigurazione(nome, nota);
    EXPECT_EQ(nome, "OPEL_Astra_4_");

    // Opened again, the file is written into the ECU by request 18, which
    // then asks for a reconnect.
    Premi(pagina, pagina.CmdApriTutto, &F::CmdApriTutto_Click);
    const auto voce = pagina.LstFile->findItems("OPEL_Astra_4_.qdl", Qt::MatchExactly);
    ASSERT_EQ(voce.size(), 1);
    pagina.LstFile->setCurrentItem(voce.first());
    pagina.CmdOk_Click();
    ASSERT_EQ(ModMain::RichiestaPendente, REQ_LOAD_CONFIG_FILE);
    ModMain::RiconnessioneRichiesta = 0;
    ModMain::StatoConnessione = STATO_ESECUZIONE;
    MDIFrm::EseguiRichiesta();
    ModMain::StatoConnessione = STATO_CONNESSO;
    EXPECT_TRUE(Piattaforma::Copione::Messaggi().empty());
    EXPECT_EQ(ModMain::RiconnessioneRichiesta, 1);
    EXPECT_TRUE(ModMain::PercorsoCaricamento.empty());
}

} // namespace
