#include "config/FRM_ZEBLoadSave.h"

#include <filesystem>

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtGui/QInputMethodEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QKeySequence>
#include <QtGui/QMouseEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include "config/FileConfigurazione.h"
#include "config/ModBlckNomeConfigurazione.h"
#include "config/ModMainSalvataggio.h"
#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

using namespace ModZebPagina;
namespace AR = ArchivioRegole;

namespace {

// Design size of the page, twips (1000 x 425 pixels).
constexpr double ArchivioLarghezza = 15000, ArchivioAltezza = 6375;
constexpr double ArchivioPunti = 8.25;
constexpr int32_t ArchivioTesto = 0xFFFFFF;
constexpr int32_t ArchivioTitolo = 0xFFFF80;
constexpr int32_t ArchivioBordo = 0x806040;
constexpr int16_t ArchivioVoceErrore = 29;

// Entries after "[FrmMisc]" (F), "[FrmSalvaAprifile]" (M) and "[Frm_SelAlim]" (A).
enum : int32_t {
    ArchivioF_Salva = 4, ArchivioF_Apri = 5, ArchivioF_Ripristina = 6, ArchivioF_Reset = 12,
};
enum : int32_t {
    ArchivioM_Costruttore = 1, ArchivioM_Modello = 2, ArchivioM_Esiste = 3, ArchivioM_Salva = 4, ArchivioM_Apri = 5,
    ArchivioM_Veicolo = 6, ArchivioM_LblCostruttore = 7, ArchivioM_LblModello = 8, ArchivioM_LblCil = 10,
    ArchivioM_LblId = 12, ArchivioM_LblNote = 13, ArchivioM_Legenda = 14, ArchivioM_Archivio = 15,
    ArchivioM_Elimina = 17, ArchivioM_CercaSalva = 18, ArchivioM_CercaApri = 19, ArchivioM_CancelFile = 20,
    ArchivioM_NonEliminato = 21,
};
constexpr int32_t ArchivioA_Domanda = 3;

// The current language (0 before one is chosen).
int16_t ArchivioLingua() {
    return ModMain::Dizionario ? std::max<int16_t>(0, ModMain::Dizionario->IdLingua()) : 0;
}

void ArchivioPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

std::string ArchivioByte(const QString& testo) {
    return Piattaforma::TestoACharset(testo, ModMain::CharsetCorrente());
}

// Names on disk are in the file system's encoding; texts on screen are QStrings.
std::string ArchivioDisco(const QString& nome) { return nome.toLocal8Bit().toStdString(); }
QString ArchivioDaDisco(const std::string& nome) { return QString::fromLocal8Bit(nome); }

// A multi-line box's text with CR LF line ends, as files and block 18 keep it.
std::string ArchivioNota(const QPlainTextEdit* t) {
    QString s = t->toPlainText();
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ArchivioByte(s);
}

void ArchivioImpostaNota(QPlainTextEdit* t, const std::string& nota) {
    QString s = ModMain::TestoLingua(nota);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t->setPlainText(s);
}

std::vector<std::string> ArchivioRighe(const std::string& percorso) {
    const auto byte = FileConfigurazione::LeggiFile(percorso);
    return byte ? FileConfigurazione::Righe(*byte) : std::vector<std::string>{};
}

void ArchivioColori(QWidget* w, int32_t sfondo, int32_t testo) {
    QPalette p = w->palette();
    for (auto gruppo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(gruppo, QPalette::Base, Colore(sfondo));
        p.setColor(gruppo, QPalette::Text, Colore(testo));
    }
    w->setPalette(p);
}

QLabel* ArchivioEtichetta(QWidget* padre, const char* nome, int32_t colore = ArchivioTesto, bool grassetto = false) {
    return NuovaEtichetta(padre, QString::fromLatin1(nome), colore, ArchivioPunti, grassetto);
}

PulsanteGrafico* ArchivioPulsante(QWidget* padre, const char* nome, int modo) {
    AspettoPulsante a;
    a.modo = modo;
    a.punti = modo == 1 ? 10 : ArchivioPunti;
    return NuovoPulsante(padre, QString::fromLatin1(nome), a);
}

QFrame* ArchivioCornice(QWidget* padre, const char* nome) {
    auto* f = new QFrame(padre);
    f->setObjectName(QString::fromLatin1(nome));
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Plain);
    QPalette p = f->palette();
    p.setColor(QPalette::WindowText, Colore(ArchivioBordo));
    p.setColor(QPalette::Window, Qt::black);
    f->setPalette(p);
    f->setAutoFillBackground(true);
    return f;
}

QLineEdit* ArchivioCasella(QWidget* padre, const char* nome) {
    auto* t = new QLineEdit(padre);
    t->setObjectName(QString::fromLatin1(nome));
    ImpostaFont(t, ArchivioPunti);
    return t;
}

QComboBox* ArchivioCombo(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setEditable(true);
    // A typed maker serves the file name only: it never joins the list, and
    // nothing completes it (the filter takes the text as typed).
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->setMaxVisibleItems(16);
    ImpostaFont(c, ArchivioPunti);
    return c;
}

QListWidget* ArchivioLista(QWidget* padre, const char* nome) {
    auto* l = new QListWidget(padre);
    l->setObjectName(QString::fromLatin1(nome));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    ArchivioColori(l, 0x202020, ArchivioTesto);
    ImpostaFont(l, ArchivioPunti);
    return l;
}

QPlainTextEdit* ArchivioNotaBox(QWidget* padre, const char* nome) {
    auto* t = new QPlainTextEdit(padre);
    t->setObjectName(QString::fromLatin1(nome));
    ImpostaFont(t, ArchivioPunti);
    return t;
}

} // namespace

FRM_ZEBLoadSave::FRM_ZEBLoadSave(QWidget* contenitore)
    : QWidget(contenitore), proporzioni_(ArchivioLarghezza, ArchivioAltezza) {
    setObjectName(QStringLiteral("FRM_ZEBLoadSave"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setFocusPolicy(Qt::StrongFocus);
    resize(static_cast<int>(ArchivioLarghezza / 15), static_cast<int>(ArchivioAltezza / 15));
    CostruisciControlli();
}

FRM_ZEBLoadSave::~FRM_ZEBLoadSave() {
    // The controls outlive this part of the page: their signals (a focused
    // maker combo emits "activated" as the focus leaves it) must not reach it.
    for (QObject* o : findChildren<QObject*>()) QObject::disconnect(o, nullptr, this, nullptr);
}

void FRM_ZEBLoadSave::CostruisciControlli() {
    SHP_Contorno = new FormaPagina(this, QStringLiteral("SHP_Contorno"), 1, false);
    SHP_Contorno->ColoreBordo(0x400000);
    ArchivioPosto(SHP_Contorno, 0, 0, 1000, 425);
    for (int i : {1, 3}) {
        auto* s = new FormaPagina(this, {}, 1, false);
        ModMain::ImpostaMembro(s, QStringLiteral("SHP"), i);
        s->ColoreBordo(ArchivioBordo);
        SHP[static_cast<size_t>(i)] = s;
    }
    ArchivioPosto(SHP[1], 8, 8, 224, 409);
    ArchivioPosto(SHP[3], 240, 8, 752, 409);

    // The three mode buttons, one above the other.
    CmdApriTutto = ArchivioPulsante(this, "CmdApriTutto", 1);
    CmdSave = ArchivioPulsante(this, "CmdSave", 1);
    CmdRipristinaTutto = ArchivioPulsante(this, "CmdRipristinaTutto", 1);
    ArchivioPosto(CmdApriTutto, 20, 24, 200, 64);
    ArchivioPosto(CmdSave, 20, 104, 200, 64);
    ArchivioPosto(CmdRipristinaTutto, 20, 184, 200, 64);

    // Vehicle configuration: the name fields, the note and OK.
    LFrmConfigVeicolo = ArchivioEtichetta(this, "LFrmConfigVeicolo", ArchivioTitolo, true);
    ArchivioPosto(LFrmConfigVeicolo, 252, 12, 560, 22);
    FrmConfigVeicolo = ArchivioCornice(this, "FrmConfigVeicolo");
    ArchivioPosto(FrmConfigVeicolo, 248, 36, 736, 176);
    LblCostruttore = ArchivioEtichetta(FrmConfigVeicolo, "LblCostruttore");
    LblModello = ArchivioEtichetta(FrmConfigVeicolo, "LblModello");
    LblCil = ArchivioEtichetta(FrmConfigVeicolo, "LblCil");
    LblId = ArchivioEtichetta(FrmConfigVeicolo, "LblId");
    ArchivioPosto(LblCostruttore, 12, 8, 196, 20);
    ArchivioPosto(LblModello, 232, 8, 196, 20);
    ArchivioPosto(LblCil, 452, 8, 100, 20);
    ArchivioPosto(LblId, 564, 8, 160, 20);
    CmbCostruttori = ArchivioCombo(FrmConfigVeicolo, "CmbCostruttori");
    TxtCostrut = ArchivioCasella(FrmConfigVeicolo, "TxtCostrut");
    TxtModello = ArchivioCasella(FrmConfigVeicolo, "TxtModello");
    TxtCil = ArchivioCasella(FrmConfigVeicolo, "TxtCil");
    TxtId = ArchivioCasella(FrmConfigVeicolo, "TxtId");
    ArchivioPosto(CmbCostruttori, 12, 30, 196, 24);
    ArchivioPosto(TxtCostrut, 12, 30, 196, 24);
    ArchivioPosto(TxtModello, 232, 30, 196, 24);
    ArchivioPosto(TxtCil, 452, 30, 100, 24);
    ArchivioPosto(TxtId, 564, 30, 160, 24);
    for (int i = 0; i < 3; ++i) {
        auto* l = ArchivioEtichetta(FrmConfigVeicolo, "", 0x00FFFF, true);
        ModMain::ImpostaMembro(l, QStringLiteral("LblStar"), i);
        LblStar[static_cast<size_t>(i)] = l;
    }
    LblStar[0]->setText(QStringLiteral("*"));
    LblStar[1]->setText(QStringLiteral("*"));
    ArchivioPosto(LblStar[0], 212, 30, 16, 24);
    ArchivioPosto(LblStar[1], 432, 30, 16, 24);
    LblNote = ArchivioEtichetta(FrmConfigVeicolo, "LblNote");
    ArchivioPosto(LblNote, 12, 62, 300, 20);
    TXTNote = ArchivioNotaBox(FrmConfigVeicolo, "TXTNote");
    ArchivioPosto(TXTNote, 12, 84, 556, 64);
    ArchivioPosto(LblStar[2], 12, 150, 556, 20);
    CmdOk = ArchivioPulsante(FrmConfigVeicolo, "CmdOk", 0);
    ArchivioPosto(CmdOk, 580, 90, 144, 56);

    // Archive: the maker filter, the list, browse and delete.
    lFrmArchivio = ArchivioEtichetta(this, "lFrmArchivio", ArchivioTitolo, true);
    ArchivioPosto(lFrmArchivio, 252, 218, 560, 22);
    FrmArchivio = ArchivioCornice(this, "FrmArchivio");
    ArchivioPosto(FrmArchivio, 248, 242, 736, 170);
    LblCostruttore2 = ArchivioEtichetta(FrmArchivio, "LblCostruttore2");
    ArchivioPosto(LblCostruttore2, 12, 8, 196, 20);
    CmbCostr2 = ArchivioCombo(FrmArchivio, "CmbCostr2");
    ArchivioPosto(CmbCostr2, 12, 30, 196, 24);
    LstFile = ArchivioLista(FrmArchivio, "LstFile");
    ArchivioPosto(LstFile, 224, 8, 344, 154);
    CmdCerca = ArchivioPulsante(FrmArchivio, "CmdCerca", 0);
    CmdCancelFile = ArchivioPulsante(FrmArchivio, "CmdCancelFile", 0);
    ArchivioPosto(CmdCerca, 580, 12, 144, 56);
    ArchivioPosto(CmdCancelFile, 580, 100, 144, 56);

    // Restore: the factory list with the first line of the chosen file's note.
    FrmReset = ArchivioCornice(this, "FrmReset");
    ArchivioPosto(FrmReset, 248, 36, 736, 376);
    LblQuestion = ArchivioEtichetta(FrmReset, "LblQuestion", ArchivioTitolo, true);
    ArchivioPosto(LblQuestion, 12, 10, 712, 24);
    CmbAlim = ArchivioLista(FrmReset, "CmbAlim");
    ArchivioPosto(CmbAlim, 12, 40, 340, 324);
    TuTNote2 = ArchivioNotaBox(FrmReset, "TuTNote2");
    TuTNote2->setReadOnly(true);
    ArchivioColori(TuTNote2, 0xC0C0C0, 0);
    ArchivioPosto(TuTNote2, 364, 40, 360, 236);
    CmdReset = ArchivioPulsante(FrmReset, "CmdReset", 0);
    ArchivioPosto(CmdReset, 580, 300, 144, 56);

    CmdExport = new QPushButton(QStringLiteral("Export config"), this);
    CmdExport->setObjectName(QStringLiteral("CmdExport"));
    CmdExport->setStyleSheet(QStringLiteral("background-color: #FF0000;"));
    ImpostaFont(CmdExport, ArchivioPunti);
    ArchivioPosto(CmdExport, 886, 4, 106, 28);
    CmdExport->hide();

    // The key filter of every name field, paste blocked. Only typed characters
    // are filtered: a maker of the makers file and a name read from the list
    // or the ECU are shown as they are (a save by name still stays in Data/).
    for (QWidget* w : {static_cast<QWidget*>(CmbCostruttori->lineEdit()), static_cast<QWidget*>(CmbCostr2->lineEdit()),
                       static_cast<QWidget*>(TxtCostrut), static_cast<QWidget*>(TxtModello),
                       static_cast<QWidget*>(TxtCil), static_cast<QWidget*>(TxtId)}) {
        w->installEventFilter(this);
        w->setContextMenuPolicy(Qt::NoContextMenu);
        w->setAcceptDrops(false);
    }

    connect(CmdSave, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdSave_Click);
    connect(CmdApriTutto, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdApriTutto_Click);
    connect(CmdRipristinaTutto, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdRipristinaTutto_Click);
    connect(CmdOk, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdOk_Click);
    connect(CmdCerca, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdCerca_Click);
    connect(CmdCancelFile, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdCancelFile_Click);
    connect(CmdReset, &PulsanteGrafico::Click, this, &FRM_ZEBLoadSave::CmdReset_Click);
    connect(CmdExport, &QPushButton::clicked, this, &FRM_ZEBLoadSave::CmdExport_Click);
    connect(LstFile, &QListWidget::itemSelectionChanged, this, &FRM_ZEBLoadSave::LstFile_Click);
    connect(CmbAlim, &QListWidget::itemSelectionChanged, this, &FRM_ZEBLoadSave::CmbAlim_Click);
    // Change (typing) and Click (picking from the list) both filter.
    connect(CmbCostruttori, &QComboBox::editTextChanged, this, &FRM_ZEBLoadSave::CmbCostruttori_Change);
    connect(CmbCostruttori, &QComboBox::activated, this, &FRM_ZEBLoadSave::CmbCostruttori_Change);
    connect(CmbCostr2, &QComboBox::editTextChanged, this, &FRM_ZEBLoadSave::CmbCostr2_Change);
    connect(CmbCostr2, &QComboBox::activated, this, &FRM_ZEBLoadSave::CmbCostr2_Change);
}

void FRM_ZEBLoadSave::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    FattoreScala = 1.0f;
    SHP_Contorno->ColoreBordo(0x400000);
    // At load: every mode button up, the frames and their titles hidden.
    for (PulsanteGrafico* b : {CmdSave, CmdApriTutto, CmdRipristinaTutto}) b->Value(false);
    for (QWidget* w : {static_cast<QWidget*>(FrmConfigVeicolo), static_cast<QWidget*>(FrmArchivio),
                       static_cast<QWidget*>(FrmReset), static_cast<QWidget*>(LFrmConfigVeicolo),
                       static_cast<QWidget*>(lFrmArchivio), static_cast<QWidget*>(SHP[1]),
                       static_cast<QWidget*>(SHP[3]), static_cast<QWidget*>(CmdExport)})
        w->hide();
    ModalitaArchivio = 0;
    CaricaLingua();
    caricata_ = true;
    Form_Resize();
}

void FRM_ZEBLoadSave::Form_Unload() { caricata_ = false; }

void FRM_ZEBLoadSave::Form_Resize() {
    if (!proporzioni_.Applica(this)) return;
    FattoreScala = proporzioni_.FattoreScala();
    // The name fields stand in one row with the maker combo, which keeps its height.
    for (QWidget* t : {static_cast<QWidget*>(TxtCostrut), static_cast<QWidget*>(TxtModello),
                       static_cast<QWidget*>(TxtCil), static_cast<QWidget*>(TxtId), static_cast<QWidget*>(LblStar[0]),
                       static_cast<QWidget*>(LblStar[1])})
        t->resize(t->width(), CmbCostruttori->height());
}

void FRM_ZEBLoadSave::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBLoadSave::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBLoadSave::CaricaLingua() {
    posizioneMisc_ = CercaMarcatore("[FrmMisc]");
    posizioneSalva_ = CercaMarcatore("[FrmSalvaAprifile]");
    const auto posizioneAlim = CercaMarcatore("[Frm_SelAlim]", ArchivioLingua());
    auto f = [this](int32_t n) { return VoceSchermo(posizioneMisc_, n); };
    auto m = [this](int32_t n) { return VoceSchermo(posizioneSalva_, n); };
    CmdSave->Caption(f(ArchivioF_Salva));
    CmdApriTutto->Caption(f(ArchivioF_Apri));
    CmdRipristinaTutto->Caption(f(ArchivioF_Ripristina));
    CmdReset->Caption(f(ArchivioF_Reset));
    // OK and browse carry the captions of the mode last prepared.
    const bool salva = ModalitaArchivio == 1;
    CmdOk->Caption(m(salva ? ArchivioM_Salva : ArchivioM_Apri));
    CmdCerca->Caption(m(salva ? ArchivioM_CercaSalva : ArchivioM_CercaApri));
    LFrmConfigVeicolo->setText(m(ArchivioM_Veicolo));
    LblCostruttore->setText(m(ArchivioM_LblCostruttore));
    LblCostruttore2->setText(m(ArchivioM_LblCostruttore));
    LblModello->setText(m(ArchivioM_LblModello));
    LblCil->setText(m(ArchivioM_LblCil));
    LblId->setText(m(ArchivioM_LblId));
    LblNote->setText(m(ArchivioM_LblNote));
    LblStar[2]->setText(m(ArchivioM_Legenda));
    lFrmArchivio->setText(m(ArchivioM_Archivio));
    CmdCancelFile->Caption(m(ArchivioM_CancelFile));
    LblQuestion->setText(VoceSchermo(posizioneAlim, ArchivioA_Domanda));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

// ---- Modes ---------------------------------------------------------------------

void FRM_ZEBLoadSave::ImpostaModalita(int32_t n) {
    const AR::StatoModalita s =
        AR::ApplicaModalita(n, {CmdSave->Value(), CmdApriTutto->Value(), CmdRipristinaTutto->Value()});
    CmdSave->Value(s.Salva);
    CmdApriTutto->Value(s.Apri);
    CmdRipristinaTutto->Value(s.Ripristina);
    const bool archivio = AR::FrameArchivioVisibili(s);
    for (QWidget* w : {static_cast<QWidget*>(FrmArchivio), static_cast<QWidget*>(FrmConfigVeicolo),
                       static_cast<QWidget*>(lFrmArchivio), static_cast<QWidget*>(LFrmConfigVeicolo)})
        w->setVisible(archivio);
    FrmReset->setVisible(s.Ripristina);
    SHP[1]->setVisible(AR::FormeVisibili(s));
    SHP[3]->setVisible(AR::FormeVisibili(s));
}

void FRM_ZEBLoadSave::CmdSave_Click() {
    if (!CmdSave->Value()) {
        ImpostaModalita(0);
        return;
    }
    ImpostaModalita(1);
    try {
        QCoreApplication::processEvents();
        ModMain::PercorsoSalvataggio.clear();
        // Without block 18 in the ECU the note has nowhere to come from.
        if (ModMain::FunzioneEstesaEcu == 0) ModMain::NotaConfigurazione.clear();
        ModalitaArchivio = 1;
        PreparaModalita();
    } catch (...) {
    }
}

void FRM_ZEBLoadSave::CmdApriTutto_Click() {
    if (!CmdApriTutto->Value()) {
        ImpostaModalita(2);
        return;
    }
    ImpostaModalita(3);
    try {
        ModMain::PercorsoCaricamento.clear();
        ModalitaArchivio = 2;
        PreparaModalita();
    } catch (...) {
    }
}

void FRM_ZEBLoadSave::CmdRipristinaTutto_Click() {
    if (!CmdRipristinaTutto->Value()) {
        ImpostaModalita(4);
        return;
    }
    ImpostaModalita(5);
    VisualizzaReset();
}

void FRM_ZEBLoadSave::MostraCampi(const std::array<std::string, 4>& campi) {
    const QString costruttore = ModMain::TestoLingua(campi[0]);
    CmbCostruttori->setEditText(costruttore);
    TxtCostrut->setText(costruttore);
    TxtModello->setText(ModMain::TestoLingua(campi[1]));
    TxtCil->setText(ModMain::TestoLingua(campi[2]));
    TxtId->setText(ModMain::TestoLingua(campi[3]));
}

void FRM_ZEBLoadSave::ColoraCaselle() {
    for (QWidget* w : ModMain::ControlliForma(this)) {
        if (!w->objectName().startsWith(QStringLiteral("TXT"), Qt::CaseInsensitive)) continue;
        if (w->isEnabled()) ArchivioColori(w, 0x606060, 0xFFFFFF);
        else ArchivioColori(w, 0xC0C0C0, 0);
    }
}

void FRM_ZEBLoadSave::PreparaModalita() {
    FrmConfigVeicolo->setVisible(true);
    FrmArchivio->setVisible(true);
    for (QLineEdit* t : {TxtCostrut, TxtModello, TxtCil, TxtId}) t->clear();
    TXTNote->clear();

    const bool salva = ModalitaArchivio == 1;
    std::string costruttore;
    CmdOk->Caption(VoceSchermo(posizioneSalva_, salva ? ArchivioM_Salva : ArchivioM_Apri));
    CmdCerca->Caption(VoceSchermo(posizioneSalva_, salva ? ArchivioM_CercaSalva : ArchivioM_CercaApri));
    CmbCostruttori->setVisible(salva);
    TxtCostrut->setVisible(!salva);
    CmbCostr2->setVisible(!salva);
    LblCostruttore2->setVisible(!salva);
    TxtCil->setEnabled(salva);
    for (QLabel* l : LblStar) l->setVisible(salva);
    if (salva) {
        ArchivioImpostaNota(TXTNote, ModMain::NotaConfigurazione);
        const auto campi = AR::CampiNome(Conv::Trim(ModMain::NomeConfigurazione), false);
        MostraCampi(campi);
        costruttore = campi[0];
    }
    for (QWidget* w : {static_cast<QWidget*>(TxtId), static_cast<QWidget*>(TxtCostrut),
                       static_cast<QWidget*>(TxtModello), static_cast<QWidget*>(TXTNote)})
        w->setEnabled(TxtCil->isEnabled());
    ColoraCaselle();

    // The makers file, read again each time (created empty when missing).
    std::string byte;
    if (const auto letti = FileConfigurazione::LeggiFile(ModMain::PercorsoCostruttori)) byte = *letti;
    else FileConfigurazione::ScriviFileSicuro(ModMain::PercorsoCostruttori, {});
    ElencoCostruttori = AR::DividiCostruttori(byte);
    CmbCostruttori->clear();
    CmbCostr2->clear();
    for (const std::string& c : ElencoCostruttori) {
        CmbCostruttori->addItem(ModMain::TestoLingua(c));
        CmbCostr2->addItem(ModMain::TestoLingua(c));
    }
    CmbCostruttori->setEditText(QString());
    CmbCostr2->setEditText(QString());
    if (salva && !costruttore.empty()) CmbCostruttori->setEditText(ModMain::TestoLingua(costruttore));

    // Whatever the combos' change events filtered above, the list ends whole.
    RiempiArchivio({});
    if (salva) CmbCostruttori->setFocus();
    else LstFile->setFocus();
}

// ---- Archive list ----------------------------------------------------------------

void FRM_ZEBLoadSave::RiempiArchivio(const std::string& prefisso) {
    LstFile->clear();
    for (const std::string& n : AR::ElencaFile(ModMain::CartellaArchivio, prefisso, ModMain::EstensioneArchivio))
        LstFile->addItem(ArchivioDaDisco(n));
}

void FRM_ZEBLoadSave::FiltraArchivio(const QString& testo) {
    if (SelezioneInCorso == 1) return;
    RiempiArchivio(ArchivioDisco(testo));
}

void FRM_ZEBLoadSave::CmbCostruttori_Change() { FiltraArchivio(CmbCostruttori->currentText()); }
void FRM_ZEBLoadSave::CmbCostr2_Change() { FiltraArchivio(CmbCostr2->currentText()); }

std::optional<QString> FRM_ZEBLoadSave::Selezionata(const QListWidget* lista) {
    const auto scelte = lista->selectedItems();
    if (scelte.isEmpty()) return std::nullopt;
    return scelte.first()->text();
}

void FRM_ZEBLoadSave::LstFile_Click() {
    const auto nome = Selezionata(LstFile);
    if (!nome) return;
    SelezioneInCorso = 1;
    std::string nota;
    // A file that has gone gives the fields from its name and an empty note.
    try {
        const std::string percorso = ModMain::CartellaArchivio + ArchivioDisco(*nome);
        if (ModGlobFunct::EsisteFile(percorso)) nota = AR::NotaArchivio(ArchivioRighe(percorso));
    } catch (...) {
    }
    try {
        MostraCampi(AR::CampiNome(ArchivioByte(*nome), true));
    } catch (...) {
    }
    ArchivioImpostaNota(TXTNote, nota);
    SelezioneInCorso = 0;
}

// ---- OK, browse, delete ---------------------------------------------------------------

void FRM_ZEBLoadSave::ImpostaTitoloPrincipale() {
    MDIFrm::Interfaccia().ImpostaTitolo(ModMain::StatoConnessione == STATO_OFFLINE ? MDIFrm::TitoloLineaPersa()
                                                                                   : MDIFrm::TitoloConnesso());
}

namespace {

// Offline the page writes the file itself. A failure has been shown (entry
// 29) when this returns false, whatever broke.
bool ArchivioSalvaDaMemoria(const std::string& percorso) {
    try {
        return ModMain::SalvaConfigurazioneSuFile(percorso);
    } catch (...) {
        ModMain::MostraVoce(ArchivioVoceErrore);
        return false;
    }
}

} // namespace

void FRM_ZEBLoadSave::CmdOk_Click() {
    if (ModalitaArchivio == 1) SalvaPerNome();
    else ApriSelezionato();
}

void FRM_ZEBLoadSave::SalvaPerNome() {
    const std::string costruttore = ArchivioByte(CmbCostruttori->currentText());
    const std::string modello = ArchivioByte(TxtModello->text());
    const QString titolo = QString::fromLatin1(Applicazione::TitoloApplicazione);
    using Piattaforma::IconaMessaggio;
    using Piattaforma::PulsantiMessaggio;
    if (costruttore.empty() || modello.empty()) {
        Piattaforma::MostraMessaggio(VoceSchermo(posizioneSalva_, costruttore.empty() ? ArchivioM_Costruttore
                                                                                     : ArchivioM_Modello),
                                     titolo, IconaMessaggio::Critica, PulsantiMessaggio::Ok);
        return;
    }
    const std::string nome = AR::NomeArchivio(costruttore, modello, ArchivioByte(TxtCil->text()),
                                              ArchivioByte(TxtId->text()), ModMain::EstensioneArchivio);
    ModMain::PercorsoSalvataggio = ModMain::CartellaArchivio + ArchivioDisco(ModMain::TestoLingua(nome));
    // A maker of the makers file may hold anything: the file still stays in the archive folder.
    if (!AR::FileNellaCartella(ModMain::CartellaArchivio, ModMain::PercorsoSalvataggio)) {
        ModMain::PercorsoSalvataggio.clear();
        ModMain::MostraVoce(ArchivioVoceErrore);
        return;
    }
    if (ModGlobFunct::EsisteFile(ModMain::PercorsoSalvataggio) &&
        Piattaforma::MostraMessaggio(VoceSchermo(posizioneSalva_, ArchivioM_Esiste), titolo, IconaMessaggio::Domanda,
                                     PulsantiMessaggio::OkAnnulla) != Piattaforma::RispostaMessaggio::Ok) {
        ModMain::PercorsoSalvataggio.clear();
        return;
    }
    ModMain::NomeConfigurazione = nome;
    ModMain::NotaConfigurazione = ArchivioNota(TXTNote);
    ModBlck::ImpostaNomeConfigurazione(ModMain::NomeConfigurazione, ModMain::NotaConfigurazione);
    ModMain::SalvataggioRichiesto = true;
    ModMain::RichiediOperazione(REQ_SAVE_CONFIG_FILE, true);
    ImpostaTitoloPrincipale();
    // Offline the link timer drops request 8: the file is written here. A
    // failed write keeps save mode, so the user can try again.
    if (ModMain::StatoConnessione == STATO_OFFLINE && !ArchivioSalvaDaMemoria(ModMain::PercorsoSalvataggio)) return;
    ImpostaModalita(0);
}

void FRM_ZEBLoadSave::ApriSelezionato() {
    ModMain::PercorsoCaricamento.clear();
    const QString nome = Selezionata(LstFile).value_or(QString());
    const std::string percorso = ModMain::CartellaArchivio + ArchivioDisco(nome);
    if (!nome.isEmpty() && ModGlobFunct::EsisteFile(percorso)) {
        ModMain::PercorsoCaricamento = percorso;
        ModMain::NomeConfigurazione = ArchivioByte(nome);
        ModMain::NotaConfigurazione = ArchivioNota(TXTNote);
    }
    if (!ModMain::PercorsoCaricamento.empty()) ModMain::RichiediOperazione(REQ_LOAD_CONFIG_FILE, true);
    ImpostaModalita(2);
}

void FRM_ZEBLoadSave::CmdCerca_Click() {
    const QString estensione = QString::fromStdString(ModMain::EstensioneArchivio);
    const QString filtro = QStringLiteral("Config Files  (*.%1);;All Files  (*.*)").arg(estensione);
    const QString cartella = ArchivioDaDisco(ModMain::CartellaArchivio);
    // The name and note change only once a file has been chosen: a cancelled
    // dialog leaves the current configuration's name and note as they were.
    try {
        if (ModalitaArchivio == 1) {
            const auto scelto = Piattaforma::ScegliFileDaSalvare(QString(), cartella, filtro);
            if (!scelto || scelto->isEmpty()) return;
            ModMain::PercorsoSalvataggio = ArchivioDisco(*scelto);
            ModMain::NomeConfigurazione = ArchivioByte(QFileInfo(*scelto).fileName());
            ModMain::NotaConfigurazione.clear();
            ModMain::SalvataggioRichiesto = true;
            ModMain::RichiediOperazione(REQ_SAVE_CONFIG_FILE, true);
            ModBlck::ImpostaNomeConfigurazione(ModMain::NomeConfigurazione, ModMain::NotaConfigurazione);
            ImpostaTitoloPrincipale();
            if (ModMain::StatoConnessione == STATO_OFFLINE && !ArchivioSalvaDaMemoria(ModMain::PercorsoSalvataggio))
                return;
            ImpostaModalita(0);
        } else {
            ModMain::PercorsoCaricamento.clear();
            const auto scelto = Piattaforma::ScegliFileDaAprire(QString(), cartella, filtro);
            if (!scelto || scelto->isEmpty()) return;
            ModMain::NomeConfigurazione = ArchivioByte(QFileInfo(*scelto).fileName());
            ModMain::NotaConfigurazione.clear();
            ModMain::PercorsoCaricamento = ArchivioDisco(*scelto);
            ModMain::RichiediOperazione(REQ_LOAD_CONFIG_FILE, true);
            ImpostaModalita(2);
        }
    } catch (...) {
    }
}

void FRM_ZEBLoadSave::CmdCancelFile_Click() {
    const auto nome = Selezionata(LstFile);
    if (!nome) return;
    const std::string percorso = ModMain::CartellaArchivio + ArchivioDisco(*nome);
    if (!ModGlobFunct::EsisteFile(percorso)) return;
    const QString domanda = VoceSchermo(posizioneSalva_, ArchivioM_Elimina) + *nome + QStringLiteral("?");
    if (Piattaforma::MostraMessaggio(domanda, QString(), Piattaforma::IconaMessaggio::Domanda,
                                     Piattaforma::PulsantiMessaggio::SiNo) != Piattaforma::RispostaMessaggio::Si)
        return;
    std::error_code ec;
    if (!std::filesystem::remove(std::filesystem::path(percorso), ec) || ec)
        Piattaforma::MostraMessaggio(VoceSchermo(posizioneSalva_, ArchivioM_NonEliminato),
                                     QString::fromLatin1(Applicazione::TitoloApplicazione),
                                     Piattaforma::IconaMessaggio::Critica, Piattaforma::PulsantiMessaggio::Ok);
    FiltraArchivio(CmbCostr2->currentText());
    if (LstFile->count() > 0) LstFile->setCurrentRow(0);
}

// ---- Restore ---------------------------------------------------------------------------

void FRM_ZEBLoadSave::VisualizzaReset() {
    FrmReset->setVisible(true);
    LblQuestion->setText(VoceSchermo(CercaMarcatore("[Frm_SelAlim]", ArchivioLingua()), ArchivioA_Domanda));
    ModMain::PercorsoCaricamento.clear();
    CmbAlim->clear();
    TuTNote2->clear();
    const auto nomi = AR::NomiSenzaEstensione(
        AR::ElencaFile(ModMain::PercorsoBase + "/lng/", {}, ModMain::EstensionePredefinite));
    for (const std::string& n : nomi) CmbAlim->addItem(ArchivioDaDisco(n));
    auto& ui = MDIFrm::Interfaccia();
    ui.FRM_ZEBCommutazione_AggiornaSelezioni();
    const int32_t i = AR::IndiceInElenco(ui.FRM_ZEBCommutazione_IndiceConfSistema(), CmbAlim->count());
    if (i >= 0) CmbAlim->setCurrentRow(i);
}

void FRM_ZEBLoadSave::CmbAlim_Click() {
    const auto nome = Selezionata(CmbAlim);
    if (!nome) return;
    const std::string percorso =
        ModMain::PercorsoBase + "/lng/" + ArchivioDisco(*nome) + "." + ModMain::EstensionePredefinite;
    std::string nota;
    if (ModGlobFunct::EsisteFile(percorso)) nota = AR::NotaPredefinita(ArchivioRighe(percorso));
    TuTNote2->setPlainText(ModMain::TestoLingua(nota));
}

void FRM_ZEBLoadSave::CmdReset_Click() {
    const auto nome = Selezionata(CmbAlim);
    ModMain::PercorsoCaricamento.clear();
    if (nome) {
        const std::string percorso =
            ModMain::PercorsoBase + "/lng/" + ArchivioDisco(*nome) + ModMain::EstensioneConfigurazione;
        if (ModGlobFunct::EsisteFile(percorso)) {
            ModMain::PercorsoCaricamento = percorso;
            ModMain::RichiediOperazione(REQ_LOAD_CONFIG_FILE, true);
            ModMain::NomeConfigurazione.clear();
        }
    }
    ImpostaModalita(4);
}

// ---- Keys and the export ----------------------------------------------------------------

bool FRM_ZEBLoadSave::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        // A paste would bring in what the key filter keeps out.
        if (k->matches(QKeySequence::Paste)) return true;
        for (const QChar c : k->text()) {
            const int32_t codice = c.unicode();
            if (codice < 32 && codice != 8) continue; // Tab, Enter and shortcuts keep their meaning
            if (AR::FiltraCarattere(codice) == 27) return true;
        }
    } else if (e->type() == QEvent::InputMethod) {
        // Characters an input method commits are typed too: the refused ones are dropped.
        auto* m = static_cast<QInputMethodEvent*>(e);
        QString filtrato;
        for (const QChar c : m->commitString())
            if (c.unicode() != 8 && AR::CarattereConsentito(c.unicode())) filtrato += c;
        if (filtrato != m->commitString()) {
            QInputMethodEvent ridotto(m->preeditString(), m->attributes());
            ridotto.setCommitString(filtrato, m->replacementStart(), m->replacementLength());
            QCoreApplication::sendEvent(o, &ridotto);
            return true;
        }
    } else if (e->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton) {
        return true; // the selection paste of X11
    }
    return QWidget::eventFilter(o, e);
}

void FRM_ZEBLoadSave::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (const auto visibile = ModMain::VisibilitaEsportazione(KeyCode, Shift, ModMain::TastoXPremuto))
        CmdExport->setVisible(*visibile);
    ModMain::GestisciTasto(KeyCode, Shift);
}

void FRM_ZEBLoadSave::CmdExport_Click() {
    const auto scelto = Piattaforma::ScegliFileDaSalvare(
        QString(), QString(), QStringLiteral("Text Files  (*.txt);;All Files  (*.*)"));
    if (!scelto || scelto->isEmpty()) return;
    ModMain::EsportaBlocchi(scelto->toLocal8Bit().toStdString());
}
