#include "platform/Dialoghi.h"

#include <QtCore/QFileInfo>
#include <QtCore/QPointer>
#include <QtCore/QRegularExpression>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QInputDialog>
#include <QtWidgets/QMessageBox>

namespace Piattaforma {
namespace {

struct StatoCopione {
    bool attivo = false;
    std::deque<RispostaMessaggio> risposte;
    std::deque<std::optional<QString>> testi;
    std::deque<std::optional<QString>> file;
    std::vector<Copione::Evento> eventi;
    QString appunti;
};

StatoCopione& Copia() {
    static StatoCopione s;
    return s;
}

QPointer<QWidget>& Padre() {
    static QPointer<QWidget> p;
    return p;
}

RispostaMessaggio PrimoPulsante(PulsantiMessaggio p) {
    switch (p) {
    case PulsantiMessaggio::Ok:
    case PulsantiMessaggio::OkAnnulla: return RispostaMessaggio::Ok;
    case PulsantiMessaggio::InterrompiRiprovaIgnora: return RispostaMessaggio::Interrompi;
    case PulsantiMessaggio::SiNoAnnulla:
    case PulsantiMessaggio::SiNo: return RispostaMessaggio::Si;
    case PulsantiMessaggio::RiprovaAnnulla: return RispostaMessaggio::Riprova;
    }
    return RispostaMessaggio::Ok;
}

QMessageBox::StandardButtons PulsantiQt(PulsantiMessaggio p) {
    switch (p) {
    case PulsantiMessaggio::Ok: return QMessageBox::Ok;
    case PulsantiMessaggio::OkAnnulla: return QMessageBox::Ok | QMessageBox::Cancel;
    case PulsantiMessaggio::InterrompiRiprovaIgnora:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case PulsantiMessaggio::SiNoAnnulla: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PulsantiMessaggio::SiNo: return QMessageBox::Yes | QMessageBox::No;
    case PulsantiMessaggio::RiprovaAnnulla: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconaQt(IconaMessaggio i) {
    switch (i) {
    case IconaMessaggio::Nessuna: return QMessageBox::NoIcon;
    case IconaMessaggio::Critica: return QMessageBox::Critical;
    case IconaMessaggio::Domanda: return QMessageBox::Question;
    case IconaMessaggio::Esclamazione: return QMessageBox::Warning;
    case IconaMessaggio::Informazione: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

RispostaMessaggio DaQt(int b) {
    switch (b) {
    case QMessageBox::Ok: return RispostaMessaggio::Ok;
    case QMessageBox::Cancel: return RispostaMessaggio::Annulla;
    case QMessageBox::Abort: return RispostaMessaggio::Interrompi;
    case QMessageBox::Retry: return RispostaMessaggio::Riprova;
    case QMessageBox::Ignore: return RispostaMessaggio::Ignora;
    case QMessageBox::Yes: return RispostaMessaggio::Si;
    case QMessageBox::No: return RispostaMessaggio::No;
    default: return RispostaMessaggio::Annulla; // closed with Esc or the close box
    }
}

} // namespace

RispostaMessaggio MostraMessaggio(const QString& testo, const QString& titolo, IconaMessaggio icona,
                                  PulsantiMessaggio pulsanti) {
    auto& s = Copia();
    if (s.attivo) {
        Copione::Evento e;
        e.tipo = Copione::Tipo::Messaggio;
        e.testo = testo;
        e.titolo = titolo;
        e.icona = icona;
        e.pulsanti = pulsanti;
        s.eventi.push_back(e);
        if (s.risposte.empty()) return PrimoPulsante(pulsanti);
        const auto r = s.risposte.front();
        s.risposte.pop_front();
        return r;
    }
    QMessageBox box(IconaQt(icona), titolo, testo, PulsantiQt(pulsanti), Padre().data());
    return DaQt(box.exec());
}

std::optional<QString> ChiediTesto(const QString& domanda, const QString& titolo, const QString& predefinito) {
    auto& s = Copia();
    if (s.attivo) {
        Copione::Evento e;
        e.tipo = Copione::Tipo::Testo;
        e.testo = domanda;
        e.titolo = titolo;
        s.eventi.push_back(e);
        if (s.testi.empty()) return std::nullopt;
        auto t = s.testi.front();
        s.testi.pop_front();
        return t;
    }
    bool ok = false;
    const QString t = QInputDialog::getText(Padre().data(), titolo, domanda, QLineEdit::Normal, predefinito, &ok);
    if (!ok) return std::nullopt;
    return t;
}

namespace {
std::optional<QString> FileCopione(Copione::Tipo tipo, const QString& titolo, const QString& dove,
                                   const QString& filtro) {
    auto& s = Copia();
    Copione::Evento e;
    e.tipo = tipo;
    e.testo = dove;
    e.titolo = titolo;
    e.filtro = filtro;
    s.eventi.push_back(e);
    if (s.file.empty()) return std::nullopt;
    auto f = s.file.front();
    s.file.pop_front();
    return f;
}

// The extension of a filter's first pattern ("vfl" for "View Files (*.vfl)"),
// empty when that pattern is no plain "*.ext".
QString EstensioneFiltro(const QString& filtro) {
    const QStringList modelli = ModelliFiltro(filtro.section(QStringLiteral(";;"), 0, 0));
    if (modelli.isEmpty() || !modelli.front().startsWith(QStringLiteral("*."))) return {};
    const QString estensione = modelli.front().mid(2);
    for (const QChar c : {QChar('*'), QChar('?'), QChar('['), QChar('.')})
        if (estensione.contains(c)) return {};
    return estensione;
}
} // namespace

QStringList ModelliFiltro(const QString& filtro) {
    QStringList modelli;
    for (const QString& f : filtro.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        const qsizetype a = f.lastIndexOf(QChar('(')), b = f.lastIndexOf(QChar(')'));
        if (a < 0 || b < a) continue;
        modelli += f.mid(a + 1, b - a - 1).split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts);
    }
    return modelli;
}

QString ConEstensioneDelFiltro(const QString& percorso, const QString& filtro) {
    const QString nome = QFileInfo(percorso).fileName();
    if (nome.isEmpty() || nome.contains(QChar('.'))) return percorso;
    const QString estensione = EstensioneFiltro(filtro);
    return estensione.isEmpty() ? percorso : percorso + QChar('.') + estensione;
}

std::optional<QString> ScegliFileDaAprire(const QString& titolo, const QString& cartella, const QString& filtro) {
    if (Copia().attivo) return FileCopione(Copione::Tipo::Apri, titolo, cartella, filtro);
    const QString p = QFileDialog::getOpenFileName(Padre().data(), titolo, cartella, filtro);
    if (p.isEmpty()) return std::nullopt;
    return p;
}

std::optional<QString> ScegliFileDaSalvare(const QString& titolo, const QString& percorso, const QString& filtro) {
    if (Copia().attivo) {
        const auto scelto = FileCopione(Copione::Tipo::Salva, titolo, percorso, filtro);
        if (!scelto) return scelto;
        return ConEstensioneDelFiltro(*scelto, filtro);
    }
    // The dialog itself adds the extension, so that its question before
    // replacing a file names the file that will be written.
    QFileDialog d(Padre().data(), titolo, percorso, filtro);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setDefaultSuffix(EstensioneFiltro(d.selectedNameFilter()));
    QObject::connect(&d, &QFileDialog::filterSelected, &d,
                     [&d](const QString& f) { d.setDefaultSuffix(EstensioneFiltro(f)); });
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
    const QString p = d.selectedFiles().front();
    if (p.isEmpty()) return std::nullopt;
    return ConEstensioneDelFiltro(p, d.selectedNameFilter());
}

void ImpostaAppunti(const QString& testo) {
    auto& s = Copia();
    if (s.attivo || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        s.appunti = testo;
        return;
    }
    QGuiApplication::clipboard()->setText(testo);
}

QString LeggiAppunti() {
    auto& s = Copia();
    if (s.attivo || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return s.appunti;
    return QGuiApplication::clipboard()->text();
}

void Suona(int frequenzaHz, int durataMs) {
    auto& s = Copia();
    if (s.attivo) {
        Copione::Evento e;
        e.tipo = Copione::Tipo::Suono;
        e.frequenzaHz = frequenzaHz;
        e.durataMs = durataMs;
        s.eventi.push_back(e);
        return;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

void ImpostaFinestraPadre(QWidget* padre) { Padre() = padre; }

namespace Copione {
void Attiva(bool attivo) {
    Azzera();
    Copia().attivo = attivo;
}
bool Attivo() { return Copia().attivo; }
void AccodaRisposta(RispostaMessaggio r) { Copia().risposte.push_back(r); }
void AccodaTesto(std::optional<QString> t) { Copia().testi.push_back(std::move(t)); }
void AccodaFile(std::optional<QString> p) { Copia().file.push_back(std::move(p)); }
const std::vector<Evento>& Eventi() { return Copia().eventi; }
std::vector<Evento> Messaggi() {
    std::vector<Evento> m;
    for (const auto& e : Copia().eventi)
        if (e.tipo == Tipo::Messaggio) m.push_back(e);
    return m;
}
void Azzera() {
    auto& s = Copia();
    s.risposte.clear();
    s.testi.clear();
    s.file.clear();
    s.eventi.clear();
    s.appunti.clear();
}
} // namespace Copione
} // namespace Piattaforma
