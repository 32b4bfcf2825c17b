#include "core/FrmOPEnterSecret.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "core/Conversioni.h"
#include "core/ModMainCodiceOperatore.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "platform/Caratteri.h"
#include "platform/Dialoghi.h"

namespace {

constexpr int Larghezza = 320;
constexpr int Altezza = 132;

// Background: a dark blue fade with a key drawn at the left.
QPixmap DisegnaSfondo() {
    QPixmap p(Larghezza, Altezza);
    QPainter g(&p);
    QLinearGradient sfumatura(0, 0, 0, Altezza);
    sfumatura.setColorAt(0.0, QColor(0, 32, 96));
    sfumatura.setColorAt(1.0, QColor(0, 0, 24));
    g.fillRect(p.rect(), sfumatura);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(200, 170, 60), 4));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(QPointF(34, 66), 13, 13);
    g.drawLine(QPointF(47, 66), QPointF(76, 66));
    g.drawLine(QPointF(68, 66), QPointF(68, 78));
    g.drawLine(QPointF(76, 66), QPointF(76, 76));
    return p;
}

} // namespace

FrmOPEnterSecret::FrmOPEnterSecret(QWidget* proprietario) : QWidget(proprietario, Qt::Dialog) {
    setObjectName(QStringLiteral("FrmOPEnterSecret"));
    setFixedSize(Larghezza, Altezza);

    IMG_Sfondo = new QLabel(this);
    IMG_Sfondo->setObjectName(QStringLiteral("IMG_Sfondo"));
    IMG_Sfondo->setGeometry(0, 0, Larghezza, Altezza);
    IMG_Sfondo->setPixmap(DisegnaSfondo());

    FrameFantoccio = new QFrame(this);
    FrameFantoccio->setObjectName(QStringLiteral("FrameFantoccio"));
    FrameFantoccio->setGeometry(0, 0, 1, 1);

    auto etichetta = [this](const QString& nome, int y, int h, double punti, bool grassetto) {
        auto* l = new QLabel(this);
        l->setObjectName(nome);
        l->setGeometry(96, y, Larghezza - 108, h);
        l->setFont(Piattaforma::CreaFont(QStringLiteral("Tahoma"), punti, grassetto));
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
        l->setWordWrap(true);
        return l;
    };
    LAB_SecretKey = etichetta(QStringLiteral("LAB_SecretKey"), 8, 36, 8.25, false);
    LAB_SecretKey_VAL = etichetta(QStringLiteral("LAB_SecretKey_VAL"), 46, 30, 14, true);

    TxtValue = new QLineEdit(this);
    TxtValue->setObjectName(QStringLiteral("TxtValue"));
    TxtValue->setGeometry(96, 88, 120, 26);
    // Pasted text is held to digits too.
    TxtValue->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), TxtValue));
    TxtValue->installEventFilter(this);
}

void FrmOPEnterSecret::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    if (QWidget* principale = ModMain::FinestraPrincipale) {
        setWindowIcon(principale->windowIcon());
        setWindowTitle(principale->windowTitle());
    }
    CaricaLingua();
}

void FrmOPEnterSecret::Form_Activate() {
    TxtValue->selectAll();
    TxtValue->setFocus();
}

void FrmOPEnterSecret::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmOPEnterSecret::CaricaLingua() {
    const int16_t k = ModMain::CercaSezione("[Start_InjDir]");
    LAB_SecretKey->setText(ModMain::VoceLingua(static_cast<int16_t>(k + 17)));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

bool FrmOPEnterSecret::TxtValue_KeyPress(int KeyAscii) {
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8) return true;
    if (KeyAscii == 13) VerificaRisposta();
    return false;
}

void FrmOPEnterSecret::VerificaRisposta() {
    const auto risposta = Conv::CLng(TxtValue->text().toStdString());
    const auto sfida = Conv::CLng(LAB_SecretKey_VAL->text().toStdString());
    const auto& tabella = ModMain::TabellaCodiciOperatore;
    if (risposta && sfida && *sfida >= 0 && *sfida < ModMain::NumeroCodiciOperatore &&
        static_cast<size_t>(*sfida) < tabella.size()) {
        const auto& atteso = tabella[static_cast<size_t>(*sfida)];
        if (atteso && *atteso == (*risposta & 65535)) {
            ModMain::LivelloSup = -1;
            ModMain::LivelloAut = 0;
            ModMain::CodiceOperatoreAccettato = -1;
            Piattaforma::Suona(440, 500);
        }
    }
    CloseMe = true;
}

void FrmOPEnterSecret::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) CloseMe = true;
    QWidget::keyReleaseEvent(e);
}

void FrmOPEnterSecret::closeEvent(QCloseEvent* e) {
    // The close box only closes the screen through its opener; the form stays.
    if (e->spontaneous()) {
        e->ignore();
        CloseMe = true;
        return;
    }
    QWidget::closeEvent(e);
}

bool FrmOPEnterSecret::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == TxtValue && evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        int codice = 0;
        if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) codice = 13;
        else if (tasto->key() == Qt::Key_Backspace) codice = 8;
        else if (!tasto->text().isEmpty() && tasto->text().at(0).isPrint()) codice = tasto->text().at(0).unicode();
        else return false; // movement and editing keys that type nothing
        return !TxtValue_KeyPress(codice);
    }
    return QWidget::eventFilter(oggetto, evento);
}
