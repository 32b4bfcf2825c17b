#include "obd/FrmInitObd.h"

#include <QtGui/QCloseEvent>

#include "core/ModMainDizionario.h"
#include "engine/MDIFrmInitObd.h"
#include "engine/ModMainCollegamento.h"
#include "platform/Caratteri.h"
#include "platform/Charset.h"

namespace {

void Colora(QWidget* w, int32_t rgb) {
    if (rgb < 0) {
        w->setStyleSheet({});
        return;
    }
    w->setStyleSheet(QStringLiteral("background-color: #%1;").arg(rgb, 6, 16, QLatin1Char('0')));
}

} // namespace

FrmInitObd::FrmInitObd(QWidget* padre) : QDialog(padre) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setModal(false);
    setObjectName(QStringLiteral("FrmInitObd"));
    setFixedSize(320, 110);

    ShpBack = new QFrame(this);
    ShpBack->setObjectName(QStringLiteral("ShpBack"));
    ShpBack->setGeometry(0, 0, 320, 110);
    ShpStato = new QFrame(this);
    ShpStato->setObjectName(QStringLiteral("ShpStato"));
    ShpStato->setGeometry(12, 16, 24, 24);
    ShpStato->setFrameShape(QFrame::Box);
    LblTitolo = new QLabel(this);
    LblTitolo->setObjectName(QStringLiteral("LblTitolo"));
    LblTitolo->setGeometry(48, 10, 260, 36);
    LblTitolo->setAlignment(Qt::AlignCenter);
    LblTitolo->setWordWrap(true);
    LblTitolo->setFont(Piattaforma::CreaFont("Tahoma", 9, true));
    CmdAnnulla = new QPushButton(this);
    CmdAnnulla->setObjectName(QStringLiteral("CmdAnnulla"));
    CmdAnnulla->setGeometry(110, 64, 100, 30);
    connect(CmdAnnulla, &QPushButton::clicked, this, &FrmInitObd::CmdAnnulla_Click);
}

void FrmInitObd::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    AggiornaLivelliVisualizzazione();
    if (parentWidget()) setWindowIcon(parentWidget()->windowIcon());
    setWindowTitle(Piattaforma::TestoDaCharset(ModMain::TestoVoce(0) + ModMain::VersioneProgramma,
                                               ModMain::CharsetCorrente()));
}

void FrmInitObd::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmInitObd::Mostra(const FinestraInitObd& s) {
    const auto cs = ModMain::CharsetCorrente();
    Colora(ShpBack, s.ColoreBack);
    Colora(ShpStato, s.ColoreStato);
    ShpStato->setVisible(s.StatoVisibile);
    LblTitolo->setText(Piattaforma::TestoDaCharset(s.LblTitolo, cs));
    Colora(LblTitolo, s.ColoreTitolo);
    CmdAnnulla->setText(Piattaforma::TestoDaCharset(s.CmdAnnulla, cs));
    if (!isVisible()) show();
}

void FrmInitObd::Scarica() {
    scaricaDaCodice_ = true;
    close();
    scaricaDaCodice_ = false;
}

void FrmInitObd::CmdAnnulla_Click() { ModEvoObd::AnnullaInitObd = true; }

void FrmInitObd::closeEvent(QCloseEvent* e) {
    if (scaricaDaCodice_) e->accept();
    else e->ignore();
}
