#include "config/FrmSelezAlim.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include "config/ArchivioRegole.h"
#include "controls/ModZebPagina.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"

namespace {

// Entries after "[Frm_SelAlim]": the question, then the two buttons.
constexpr int32_t SelezAlimDomanda = 3, SelezAlimCarica = 4, SelezAlimAnnulla = 5;

std::string SelezAlimCartella() { return ModMain::PercorsoBase + "/lng/"; }

} // namespace

FrmSelezAlim::FrmSelezAlim(QWidget* proprietario) : QDialog(proprietario) {
    setObjectName(QStringLiteral("FrmSelezAlim"));
    setModal(true);
    LblQuestion = new QLabel(QStringLiteral("### Selezionare il tipo di alimentazione?"), this);
    LblQuestion->setObjectName(QStringLiteral("LblQuestion"));
    LblQuestion->setWordWrap(true);
    CmbAlim = new QListWidget(this);
    CmbAlim->setObjectName(QStringLiteral("CmbAlim"));
    CmbAlim->setSelectionMode(QAbstractItemView::SingleSelection);
    Command1 = new QPushButton(QStringLiteral("* Carica"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    CmdAnnulla = new QPushButton(QStringLiteral("* Annulla"), this);
    CmdAnnulla->setObjectName(QStringLiteral("CmdAnnulla"));
    for (QWidget* w : {static_cast<QWidget*>(LblQuestion), static_cast<QWidget*>(CmbAlim),
                       static_cast<QWidget*>(Command1), static_cast<QWidget*>(CmdAnnulla)})
        ModZebPagina::ImpostaFont(w, 9);

    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(LblQuestion);
    colonna->addWidget(CmbAlim, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(Command1);
    pulsanti->addWidget(CmdAnnulla);
    colonna->addLayout(pulsanti);
    resize(420, 340);

    connect(Command1, &QPushButton::clicked, this, &FrmSelezAlim::Command1_Click);
    connect(CmdAnnulla, &QPushButton::clicked, this, &FrmSelezAlim::CmdAnnulla_Click);
}

void FrmSelezAlim::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    QWidget* principale = ModMain::FinestraPrincipale.data();
    if (principale) setWindowIcon(principale->windowIcon());
    setWindowTitle(ModMain::TestoLingua(ModMain::Dizionario ? ModMain::Dizionario->VoceDizionario(0, 0) : std::string()) +
                   ModMain::TestoLingua(ModMain::VersioneProgramma));

    const int16_t lingua = ModMain::Dizionario ? std::max<int16_t>(0, ModMain::Dizionario->IdLingua()) : 0;
    const auto a = ModZebPagina::CercaMarcatore("[Frm_SelAlim]", lingua);
    if (a) {
        LblQuestion->setText(ModZebPagina::VoceSchermo(a, SelezAlimDomanda));
        Command1->setText(ModZebPagina::VoceSchermo(a, SelezAlimCarica));
        CmdAnnulla->setText(ModZebPagina::VoceSchermo(a, SelezAlimAnnulla));
    }
    if (principale) setWindowTitle(principale->windowTitle());
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());

    ModMain::PercorsoCaricamento.clear();
    CmbAlim->clear();
    const auto nomi = ArchivioRegole::NomiSenzaEstensione(
        ArchivioRegole::ElencaFile(SelezAlimCartella(), {}, ModMain::EstensionePredefinite));
    for (const std::string& n : nomi) CmbAlim->addItem(QString::fromLocal8Bit(n));
    if (CmbAlim->count() > 0) CmbAlim->setCurrentRow(0);

    auto& ui = MDIFrm::Interfaccia();
    ui.FRM_ZEBCommutazione_AggiornaSelezioni();
    // The switchover page's system configuration, when the list has that line.
    const int32_t i = ArchivioRegole::IndiceInElenco(ui.FRM_ZEBCommutazione_IndiceConfSistema(), CmbAlim->count());
    if (i >= 0) CmbAlim->setCurrentRow(i);
    Command1->setEnabled(CmbAlim->count() > 0);
}

void FrmSelezAlim::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmSelezAlim::Command1_Click() {
    const auto scelte = CmbAlim->selectedItems();
    if (scelte.isEmpty()) return;
    const std::string percorso = SelezAlimCartella() + scelte.first()->text().toLocal8Bit().toStdString() + "." +
                                 ModMain::EstensionePredefinite;
    // A file that has gone meanwhile is not staged: the dialog stays open.
    if (!ModGlobFunct::EsisteFile(percorso)) return;
    ModMain::PercorsoCaricamento = percorso;
    accept();
}

void FrmSelezAlim::CmdAnnulla_Click() {
    ModMain::PercorsoCaricamento.clear();
    reject();
}

namespace ModMain {

void MostraFrmSelezAlim() {
    FrmSelezAlim d(FinestraPrincipale.data());
    d.Form_Load();
    d.AggiornaLivelliVisualizzazione();
    if (EseguiFrmSelezAlim) EseguiFrmSelezAlim(d);
    else d.exec();
    // Only Load leaves a path; the close box and Esc leave none.
    if (d.result() != QDialog::Accepted) PercorsoCaricamento.clear();
}

} // namespace ModMain
