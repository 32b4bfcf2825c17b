#include "maps/FrmEnterValue.h"

#include <algorithm>

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QWindow>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainTasti.h"
#include "maps/MappeOperazioni.h"
#include "platform/Dialoghi.h"

namespace ValoreInserimento {

EsitoValore ControllaTesto(const std::string& testo, int32_t operazione, const LimitiValore& l) {
    EsitoValore e;
    const auto n = MappeOperazioni::NumeroLocale(testo);
    if (testo.empty() || !n) {
        e.Voce = 2;
        return e;
    }
    auto rifiuta = [&e](int16_t voce, int32_t limite) {
        e.Voce = voce;
        e.Limite = limite;
        return e;
    };
    switch (operazione) {
    case OP_SOMMA:
        if (*n > l.MaxAdd) return rifiuta(3, l.MaxAdd);
        if (*n < l.MinAdd) return rifiuta(4, l.MinAdd);
        break;
    case OP_PERCENTUALE:
        if (*n > l.MaxPerc) return rifiuta(5, l.MaxPerc);
        if (*n < l.MinPerc) return rifiuta(6, l.MinPerc);
        break;
    case OP_IMPOSTA:
        if (*n > l.MaxAbs) return rifiuta(7, l.MaxAbs);
        if (*n < l.MinAbs) return rifiuta(8, l.MinAbs);
        break;
    default: break;
    }
    e.Accettato = true;
    e.Valore = static_cast<float>(*n);
    return e;
}

bool CarattereAmmesso(char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u',' || c == u'-' || c == u'.' || c == 8 || c == 13;
}

} // namespace ValoreInserimento

FrmEnterValue::FrmEnterValue(QWidget* proprietario) : QWidget(proprietario, Qt::Tool) {
    setObjectName(QStringLiteral("FrmEnterValue"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(12, 12, 12, 12);
    colonna->setSpacing(8);
    TxtValue = new QLineEdit(this);
    TxtValue->setObjectName(QStringLiteral("TxtValue"));
    TxtValue->setAlignment(Qt::AlignRight);
    TxtValue->installEventFilter(this);
    colonna->addWidget(TxtValue);
    for (int i = 0; i < 3; ++i) {
        auto* o = new QRadioButton(this);
        ModMain::ImpostaMembro(o, QStringLiteral("OptTipoOper"), i);
        o->setPalette(p);
        o->installEventFilter(this);
        colonna->addWidget(o);
        OptTipoOper.push_back(o);
    }
    setMinimumWidth(280);
}

void FrmEnterValue::Form_Load() {
    if (caricata_) return;
    caricata_ = true;
    ModMain::CaricaListeLivelli(this, liste_);
    if (ModMain::FinestraPrincipale) setWindowIcon(ModMain::FinestraPrincipale->windowIcon());
    const std::string titolo = ModMain::Dizionario ? ModMain::Dizionario->VoceDizionario(0, 0) : std::string();
    setWindowTitle(ModMain::TestoLingua(titolo + ModMain::VersioneProgramma));
    CaricaLingua();
    ModMain::ValoreInserito = 0.0f;
    TxtValue->setProperty("Tag", QStringLiteral("0"));
    TxtValue->setText(QStringLiteral("0"));
    ModMain::OperazioneInserita = 3;
    OptTipoOper[0]->setChecked(true);
}

void FrmEnterValue::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmEnterValue::CaricaLingua() {
    const int16_t k = ModMain::CercaSezione("[Frm_EnterValue]");
    for (int i = 0; i < 3; ++i) OptTipoOper[static_cast<size_t>(i)]->setText(ModMain::VoceLingua(static_cast<int16_t>(k + 1 + i)));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmEnterValue::SistemaSoglie(int32_t Max_Add, int32_t Min_Add, int32_t Max_Perc, int32_t Min_Perc,
                                  int32_t Max_Abs, int32_t Min_Abs) {
    Limiti = {Max_Add, Min_Add, Max_Perc, Min_Perc, Max_Abs, Min_Abs};
    OptTipoOper[0]->setChecked(true);
}

void FrmEnterValue::Accetta() {
    int32_t operazione = 0;
    for (int i = 0; i < 3; ++i)
        if (OptTipoOper[static_cast<size_t>(i)]->isChecked()) {
            operazione = i + 1;
            break;
        }
    const EsitoValore e = ValoreInserimento::ControllaTesto(TxtValue->text().toStdString(), operazione, Limiti);
    if (!e.Accettato) {
        ModMain::OperazioneInserita = 0;
        ModMain::ValoreInserito = 0.0f;
        QString testo = ModMain::VoceLingua(e.Voce);
        if (e.Voce != 2) testo += QStringLiteral(" ") + QString::number(e.Limite);
        Piattaforma::MostraMessaggio(testo, QString());
        TxtValue->setText(TxtValue->property("Tag").toString());
        TxtValue->selectAll();
        return;
    }
    if (operazione != 0) ModMain::OperazioneInserita = operazione;
    ModMain::ValoreInserito = e.Valore;
    CloseMe = true;
}

void FrmEnterValue::Annulla() {
    ModMain::OperazioneInserita = 0;
    ModMain::ValoreInserito = 0.0f;
    CloseMe = true;
}

bool FrmEnterValue::eventFilter(QObject* o, QEvent* e) {
    if (o == TxtValue && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Accetta();
            return true;
        }
        if (k->key() == Qt::Key_Escape) return false;
        const QString t = k->text();
        // Movement and editing keys without a character pass; a refused character is dropped.
        if (!t.isEmpty() && t.at(0).isPrint() && !ValoreInserimento::CarattereAmmesso(t.at(0).unicode())) return true;
        return false;
    }
    if (e->type() == QEvent::KeyRelease) {
        auto* k = static_cast<QKeyEvent*>(e);
        for (QRadioButton* opt : OptTipoOper)
            if (o == opt && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !k->isAutoRepeat()) {
                Accetta();
                return true;
            }
    }
    if (e->type() == QEvent::FocusIn && o == TxtValue) TxtValue->selectAll();
    return QWidget::eventFilter(o, e);
}

void FrmEnterValue::Form_KeyUp(int16_t KeyCode, int16_t) {
    if (KeyCode == 27) Annulla();
}

void FrmEnterValue::closeEvent(QCloseEvent* e) {
    // The close box cancels; only the caller hides the dialog, and the main
    // window's unload deletes it.
    Annulla();
    e->ignore();
}

void FrmEnterValue::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) TxtValue->selectAll();
}

namespace ModMapEditor {

namespace FrmEnterValue_ {
QPointer<FrmEnterValue> istanza;
} // namespace FrmEnterValue_

void CaricaLinguaFrmEnterValue() {
    if (FrmEnterValue_::istanza) FrmEnterValue_::istanza->CaricaLingua();
}

FrmEnterValue* IstanzaFrmEnterValue() {
    QPointer<FrmEnterValue>& istanza = FrmEnterValue_::istanza;
    if (!istanza) {
        // A window of its own (a child window would be disabled with the main
        // window), kept above it and unloaded with it.
        istanza = new FrmEnterValue(nullptr);
        if (QWidget* principale = ModMain::FinestraPrincipale.data())
            QObject::connect(principale, &QObject::destroyed, istanza.data(), &QObject::deleteLater);
        istanza->Form_Load();
    }
    return istanza;
}

int32_t ChiediValore(const LimitiValore& l, int32_t opzione) {
    FrmEnterValue* d = IstanzaFrmEnterValue();
    d->CloseMe = false;
    d->SistemaSoglie(l.MaxAdd, l.MinAdd, l.MaxPerc, l.MinPerc, l.MaxAbs, l.MinAbs);
    QWidget* principale = ModMain::FinestraPrincipale.data();
    if (principale) principale->setEnabled(false);
    if (principale && !d->isVisible()) {
        d->adjustSize();
        d->move(principale->geometry().center() - QPoint(d->width() / 2, d->height() / 2));
    }
    d->show();
    if (principale && principale->windowHandle() && d->windowHandle())
        d->windowHandle()->setTransientParent(principale->windowHandle());
    d->raise();
    d->activateWindow();
    const int indice = std::clamp(opzione, 0, 2);
    d->OptTipoOper[static_cast<size_t>(indice)]->setChecked(true);
    d->OptTipoOper[static_cast<size_t>(indice)]->setFocus();
    d->TxtValue->setFocus();
    d->TxtValue->selectAll();
    // The main window may be unloaded during the wait (and the dialog with it).
    const QPointer<FrmEnterValue> dialogo(d);
    const QPointer<QWidget> finestra(principale);
    while (dialogo && !dialogo->CloseMe) ModGlobFunct::AttendiMicrosecondi(100000);
    if (!dialogo) {
        ModMain::OperazioneInserita = 0;
        ModMain::ValoreInserito = 0.0f;
        return 0;
    }
    if (finestra) finestra->setEnabled(true);
    ModGlobFunct::AttendiMicrosecondi(200000);
    if (dialogo) dialogo->hide();
    return ModMain::OperazioneInserita;
}

} // namespace ModMapEditor
