#include "core/ModMainSchermo.h"

#include <QtCore/QVariant>
#include <QtGui/QFont>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QWidget>

#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "platform/Caratteri.h"
#include "platform/Charset.h"

namespace ModMain {

namespace {

constexpr const char* ProprietaTag = "Tag";
constexpr const char* ProprietaIndice = "Indice";
constexpr const char* ProprietaCharset = "Charset";

std::string Normalizza(std::string_view s) { return Conv::UCase(Conv::Trim(s)); }

// The kinds whose tag the pages reuse for their own purposes once the lists are built.
bool TagAzzerabile(const QWidget* c) {
    if (qobject_cast<const QPushButton*>(c) || qobject_cast<const QComboBox*>(c) ||
        qobject_cast<const QCheckBox*>(c) || qobject_cast<const QRadioButton*>(c))
        return true;
    const auto* barra = qobject_cast<const QScrollBar*>(c);
    return barra && barra->orientation() == Qt::Horizontal;
}

} // namespace

void ImpostaTag(QWidget* controllo, const QString& tag) {
    if (controllo) controllo->setProperty(ProprietaTag, tag);
}

QString LeggiTag(const QWidget* controllo) {
    if (!controllo) return {};
    return controllo->property(ProprietaTag).toString();
}

void ImpostaMembro(QWidget* controllo, const QString& nome, int indice) {
    if (!controllo) return;
    controllo->setObjectName(nome + QString::number(indice));
    controllo->setProperty(ProprietaIndice, indice);
}

int IndiceControllo(const QWidget* controllo) {
    if (!controllo) return -1;
    const QVariant v = controllo->property(ProprietaIndice);
    return v.isValid() ? v.toInt() : -1;
}

QString NomeControllo(const QWidget* controllo) {
    if (!controllo) return {};
    const QString nome = controllo->objectName();
    const int indice = IndiceControllo(controllo);
    if (indice < 0) return nome;
    const QString suffisso = QString::number(indice);
    return nome.endsWith(suffisso) ? nome.left(nome.size() - suffisso.size()) : nome;
}

std::string ChiaveControllo(const QWidget* controllo) {
    if (!controllo) return {};
    return controllo->objectName().toStdString();
}

std::vector<QWidget*> ControlliForma(const QWidget* forma) {
    std::vector<QWidget*> controlli;
    if (!forma) return controlli;
    for (QWidget* w : forma->findChildren<QWidget*>()) {
        const QString nome = w->objectName();
        if (nome.isEmpty() || nome.startsWith(QLatin1String("qt_"))) continue;
        controlli.push_back(w);
    }
    return controlli;
}

void CaricaListeLivelli(QWidget* forma, ListeLivelli& liste) {
    const auto& coppie = ModBlck::PersonalizzazioneVisualizzazione;
    const bool retag = !coppie.empty() && !Conv::Trim(coppie.front().NomeControllo).empty();
    for (QWidget* c : ControlliForma(forma)) {
        if (retag) {
            const std::string nome = Normalizza(NomeControllo(c).toStdString());
            for (const auto& coppia : coppie)
                if (nome == Normalizza(coppia.NomeControllo))
                    ImpostaTag(c, QString::fromStdString(Normalizza(coppia.Tag)));
        }
        const std::string tag = Normalizza(LeggiTag(c).toStdString());
        const std::string chiave = ChiaveControllo(c);
        if (tag == "EXP") liste.Exp.push_back(chiave);
        else if (tag == "SUP") liste.Sup.push_back(chiave);
        else if (tag == "AUT") liste.Aut.push_back(chiave);
        else if (tag == "INV") liste.Inv.push_back(chiave);
        if (TagAzzerabile(c)) ImpostaTag(c, QStringLiteral("0"));
    }
}

bool CercaControlloInElenco(const std::string& chiave, const std::vector<std::string>& lista) {
    const std::string k = Normalizza(chiave);
    for (const auto& voce : lista)
        if (Normalizza(voce) == k) return true;
    return false;
}

void ApplicaVisibilitaControlli(QWidget* forma, const std::vector<std::string>& lista, bool visibile) {
    if (lista.empty()) return;
    for (QWidget* c : ControlliForma(forma))
        if (CercaControlloInElenco(ChiaveControllo(c), lista)) c->setVisible(visibile);
}

void AggiornaLivelliForma(QWidget* forma, const ListeLivelli& liste) {
    ApplicaVisibilitaControlli(forma, liste.Exp, LivelloExp != 0);
    ApplicaVisibilitaControlli(forma, liste.Sup, LivelloSup != 0);
    ApplicaVisibilitaControlli(forma, liste.Aut, LivelloAut != 0);
    ApplicaVisibilitaControlli(forma, liste.Inv, false);
}

void ImpostaFontLingua(QWidget* forma, int16_t charset) {
    if (!forma) return;
    auto imposta = [charset](QWidget* w) {
        const QFont attuale = w->font();
        const double punti = attuale.pointSizeF() > 0 ? attuale.pointSizeF() : 8.25;
        QFont f = Piattaforma::CreaFont(QStringLiteral("Tahoma"), punti, attuale.bold(), attuale.italic(),
                                        attuale.underline());
        if (attuale.pointSizeF() <= 0 && attuale.pixelSize() > 0) f.setPixelSize(attuale.pixelSize());
        w->setFont(f);
        if (FontLinguaProprio) FontLinguaProprio(w);
        w->setProperty(ProprietaCharset, static_cast<int>(charset));
    };
    imposta(forma);
    for (QWidget* c : ControlliForma(forma)) imposta(c);
}

QString TestoLingua(const std::string& testo) { return Piattaforma::TestoDaCharset(testo, CharsetCorrente()); }

QStringList TestiLingua(const std::vector<std::string>& testi) {
    const int16_t charset = CharsetCorrente();
    QStringList l;
    l.reserve(static_cast<qsizetype>(testi.size()));
    for (const auto& t : testi) l.append(Piattaforma::TestoDaCharset(t, charset));
    return l;
}

QString VoceLingua(int16_t n) { return TestoLingua(TestoVoce(n)); }

int16_t CercaSezione(const std::string& marcatore) {
    if (!Dizionario) return 0;
    const int16_t ultima = Dizionario->UboundVoci();
    for (int16_t k = 0; k <= ultima; ++k)
        if (Dizionario->VoceDizionario(0, k) == marcatore) return k;
    return static_cast<int16_t>(ultima + 1);
}

int32_t ImpostaFinestraInPrimoPiano(QWidget* finestra, bool primoPiano) {
    if (!finestra) return 0;
    const bool visibile = finestra->isVisible();
    finestra->setWindowFlag(Qt::WindowStaysOnTopHint, primoPiano);
    // Changing a window flag hides the window; show it again as it was.
    if (visibile) finestra->show();
    if (primoPiano && visibile) finestra->raise();
    return primoPiano ? 1 : 0;
}

void PrimoPianoSeSistema(QWidget* finestra, bool primoPiano) {
    if (ModGlobFunct::SistemaOperativoVecchio()) return;
    ImpostaFinestraInPrimoPiano(finestra, primoPiano);
}

} // namespace ModMain
