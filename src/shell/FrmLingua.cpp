#include "shell/FrmLingua.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QRadioButton>

#include "core/Applicazione.h"
#include "platform/Charset.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainCollegamento.h"
#include "shell/MDIFrm.h"

namespace {

// Option 0 as designed, in twips; the others are placed from it, 120 apart.
constexpr FrmLingua::Posizione Option0{240, 360, 3015, 420};
constexpr int32_t Spazio = 120;
constexpr int32_t MargineSotto = 750;

void Colloca(QWidget* w, const FrmLingua::Posizione& p) {
    w->setGeometry(MDIFrm::Pixel(p.Left), MDIFrm::Pixel(p.Top), MDIFrm::Pixel(p.Width), MDIFrm::Pixel(p.Height));
}

} // namespace

FrmLingua::FrmLingua(QWidget* proprietario) : QDialog(proprietario) {
    setObjectName(QStringLiteral("FrmLingua"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* primo = new QRadioButton(this);
    ModMain::ImpostaMembro(primo, QStringLiteral("Option1"), 0);
    Option1.push_back(primo);
    PosizioneOption1.push_back(Option0);
    Colloca(primo, Option0);
    primo->installEventFilter(this);
}

void FrmLingua::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    const ClsLingue* d = ModMain::Dizionario;
    const int16_t charsetTitolo = d ? d->CharsetLingua(0) : 1;
    setWindowTitle(Piattaforma::TestoDaCharset((d ? d->VoceDizionario(0, 0) : std::string()) +
                                                   ModMain::VersioneProgramma,
                                               charsetTitolo));

    const int16_t ultima = d ? d->UboundLingue() : 0;
    for (int16_t i = 0; i <= ultima; ++i) {
        if (i > 0) {
            auto* o = new QRadioButton(this);
            ModMain::ImpostaMembro(o, QStringLiteral("Option1"), i);
            o->installEventFilter(this);
            Option1.push_back(o);
            Posizione p = PosizioneOption1[0];
            if (i == 1) {
                p.Left = PosizioneOption1[0].Left + PosizioneOption1[0].Width + Spazio;
                p.Top = PosizioneOption1[0].Top;
            } else if (i % 2 == 0) {
                p.Left = PosizioneOption1[0].Left;
                p.Top = PosizioneOption1[static_cast<size_t>(i - 2)].Top + p.Height + Spazio;
            } else {
                p.Left = PosizioneOption1[1].Left;
                p.Top = PosizioneOption1[static_cast<size_t>(i - 1)].Top;
            }
            PosizioneOption1.push_back(p);
            Colloca(o, p);
        }
        QRadioButton* o = Option1[static_cast<size_t>(i)];
        o->setVisible(true);
        // Each name in its own language's charset.
        o->setText(Piattaforma::TestoDaCharset(d ? d->NomeLingua(i) : std::string(), d ? d->CharsetLingua(i) : 1));
        o->setChecked(false);
    }
    const Posizione& ultimo = PosizioneOption1.back();
    AltezzaTwips = ultimo.Top + ultimo.Height + MargineSotto;
    setFixedSize(MDIFrm::Pixel(LarghezzaTwips), MDIFrm::Pixel(AltezzaTwips));
    raise();
    activateWindow();
}

void FrmLingua::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmLingua::Option1_MouseUp(int Index) {
    ClsLingue* d = ModMain::Dizionario;
    if (d) {
        d->IdLingua(static_cast<int16_t>(Index));
        d->VoceDizionario(d->IdLingua(), 0, Applicazione::TitoloProdotto);
        ModMain::AvvisaSeLinguaNonSalvata();
    }
    chiusuraDaCodice_ = true;
    done(QDialog::Accepted);
}

void FrmLingua::closeEvent(QCloseEvent* e) {
    if (!chiusuraDaCodice_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void FrmLingua::reject() {
    // Esc and the close box do not dismiss the dialog: only a pick does.
}

bool FrmLingua::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        for (size_t i = 0; i < Option1.size(); ++i)
            if (oggetto == Option1[i] && Option1[i]->rect().contains(static_cast<QMouseEvent*>(evento)->position().toPoint())) {
                Option1_MouseUp(static_cast<int>(i));
                return true;
            }
    }
    return QDialog::eventFilter(oggetto, evento);
}
