#include "controls/ModZebPagina.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QPainter>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStyle>

#include "controls/PulsanteGrafico.h"
#include "controls/PulsanteGraficoColori.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainSchermo.h"
#include "engine/ModMainRichieste.h"
#include "platform/Caratteri.h"
#include "platform/Dialoghi.h"

namespace ModZebPagina {

namespace {

const char* const PaginaPosto = "PostoProgetto";
const char* const PaginaPunti = "PuntiProgetto";
const char* const PaginaGrassetto = "GrassettoProgetto";

int PaginaPixel(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

void PaginaApplicaPosto(QWidget* w, const QRectF& r) {
    // Each edge to its nearest pixel, so that neighbours stay adjacent.
    const int x = PaginaPixel(r.left()), y = PaginaPixel(r.top());
    w->setGeometry(x, y, PaginaPixel(r.left() + r.width()) - x, PaginaPixel(r.top() + r.height()) - y);
}

void PaginaApplicaFont(QWidget* w, double punti, bool grassetto) {
    const QFont f = Piattaforma::CreaFont(QStringLiteral("Tahoma"), punti, grassetto);
    if (auto* b = qobject_cast<PulsanteGrafico*>(w)) b->Font(f);
    w->setFont(f);
}

char PaginaSeparatore() {
    return ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
}

} // namespace

// ---- Dictionary

std::optional<int16_t> CercaMarcatore(const std::string& marcatore, int16_t lingua) {
    const ClsLingue* d = ModMain::Dizionario;
    if (!d) return std::nullopt;
    const int16_t ultima = d->UboundVoci();
    for (int16_t k = 0; k <= ultima && k >= 0; ++k)
        if (d->VoceDizionario(lingua, k) == marcatore) return k;
    return std::nullopt;
}

std::string Voce(std::optional<int16_t> posizione, int32_t offset) {
    if (!posizione) return {};
    const int32_t n = *posizione + offset;
    if (n < 0 || n > INT16_MAX) return {};
    return ModMain::TestoVoce(static_cast<int16_t>(n));
}

QString VoceSchermo(std::optional<int16_t> posizione, int32_t offset) {
    return ModMain::TestoLingua(Voce(posizione, offset));
}

// ---- ConfigScale.ini

std::vector<size_t> CercaSezioni(const std::vector<std::string>& righe, const std::string& sezione) {
    std::vector<size_t> r;
    for (size_t i = 0; i < righe.size(); ++i)
        if (righe[i] == sezione) r.push_back(i);
    return r;
}

std::optional<std::string> RigaDopo(const std::vector<std::string>& righe, size_t i, size_t k) {
    if (i + k >= righe.size()) return std::nullopt;
    return righe[i + k];
}

// ---- Lists

std::vector<std::string> VociLista(const std::string& lista) {
    if (lista.empty()) return {};
    return Conv::Split(lista, "|");
}

std::string ListaMultipli(int32_t passo, int32_t ultimo) {
    std::string t;
    for (int32_t k = 0; k <= ultimo; ++k) {
        if (k) t += '|';
        t += std::to_string(static_cast<int64_t>(k) * passo);
    }
    return t;
}

std::optional<double> NumeroVoce(const QString& testo) {
    std::string t = testo.toStdString();
    const char s = PaginaSeparatore();
    if (s != '.') {
        if (t.find('.') != std::string::npos) return std::nullopt;
        for (char& c : t)
            if (c == s) c = '.';
    }
    return Conv::CDbl(t);
}

std::optional<int64_t> MillesimiVoce(const QString& testo) {
    const auto v = NumeroVoce(testo);
    if (!v) return std::nullopt;
    const double x = *v * 1000.0;
    if (!std::isfinite(x) || std::fabs(x) > 9.0e15) return std::nullopt;
    const double r = std::round(x);
    return static_cast<int64_t>(std::fabs(x - r) < 1e-6 ? r : std::trunc(x));
}

std::optional<std::string> TestoMillesimi(const std::string& pezzo) {
    const auto v = Conv::CDbl(pezzo);
    if (!v) return std::nullopt;
    return Conv::NumeroGenerale(*v / 1000.0, PaginaSeparatore());
}

void RiempiCombo(QComboBox* combo, const std::string& lista) {
    if (!combo) return;
    combo->clear();
    combo->addItems(ModMain::TestiLingua(VociLista(lista)));
}

bool RiempiComboMillesimi(QComboBox* combo, const std::string& lista) {
    if (!combo) return false;
    combo->clear();
    for (const auto& p : VociLista(lista)) {
        const auto t = TestoMillesimi(p);
        if (!t) return false;
        combo->addItem(QString::fromStdString(*t));
    }
    return true;
}

int SelezionaVoce(QComboBox* combo, const std::function<bool(int, const QString&)>& regola) {
    if (!combo) return -1;
    int scelta = -1;
    for (int i = 0; i < combo->count(); ++i)
        if (regola(i, combo->itemText(i))) {
            scelta = i;
            break;
        }
    combo->setCurrentIndex(scelta);
    return scelta;
}

int SelezionaNumero(QComboBox* combo, const std::function<bool(double)>& regola) {
    return SelezionaVoce(combo, [&](int, const QString& t) {
        const auto v = NumeroVoce(t);
        return v && regola(*v);
    });
}

// ---- Staged edits

bool SlotLibero() { return ModMain::RichiestaPendente == 0; }

void ModificaSingola(ListaModifiche& lista, int32_t valore, int32_t indice, int32_t maschera) {
    lista.assign(1, ModificaPendente{valore, indice, maschera});
}

void Posta(int32_t codice) { ModMain::RichiediOperazione(codice, true); }

TabellaSoglie& CopiaSoglie() {
    ModMain::MatSoglieModificata = ModMain::MatSoglie;
    return ModMain::MatSoglieModificata;
}

bool ByteValido(int64_t v) { return v >= 0 && v <= 255; }

void Bip() { Piattaforma::Suona(600, 100); }

// ---- Layout

void Colloca(QWidget* w, double sinistra, double alto, double larghezza, double altezza) {
    if (!w) return;
    const QRectF r(sinistra, alto, larghezza, altezza);
    w->setProperty(PaginaPosto, r);
    PaginaApplicaPosto(w, r);
}

QRectF PostoProgetto(const QWidget* w) { return w ? w->property(PaginaPosto).toRectF() : QRectF(); }

void ImpostaFont(QWidget* w, double punti, bool grassetto) {
    if (!w) return;
    w->setProperty(PaginaPunti, punti);
    w->setProperty(PaginaGrassetto, grassetto);
    PaginaApplicaFont(w, punti, grassetto);
}

double ScalaPagina(const QSize& pagina) {
    constexpr double larghezzaProgetto = 1001, altezzaProgetto = 425;
    return std::max(1.0, std::min(pagina.width() / larghezzaProgetto, pagina.height() / altezzaProgetto));
}

void ImpostaPunti(QWidget* w, double punti) {
    QFont f = w->font();
    if (f.pointSizeF() == punti) return;
    f.setPointSizeF(punti);
    w->setFont(f);
    if (auto* b = qobject_cast<PulsanteGrafico*>(w)) b->Font(f);
}

bool Proporzioni::Applica(QWidget* forma) {
    if (!forma || forma->width() <= 0 || forma->height() <= 0 || larghezza_ <= 0 || altezza_ <= 0) return false;
    const double kx = forma->width() * 15.0 / larghezza_;
    const double ky = forma->height() * 15.0 / altezza_;
    fattore_ = static_cast<float>(kx);
    for (QWidget* w : forma->findChildren<QWidget*>()) {
        const QVariant punti = w->property(PaginaPunti);
        if (punti.isValid()) {
            const double nuovi = Conv::ArrotondaPari(punti.toDouble() * kx);
            if (nuovi >= 1) PaginaApplicaFont(w, nuovi, w->property(PaginaGrassetto).toBool());
        }
        const QVariant v = w->property(PaginaPosto);
        if (!v.isValid()) continue;
        const QRectF r = v.toRectF();
        // A combo keeps its height and its centre follows the scaled design,
        // so that it stays level with the label beside it.
        if (qobject_cast<QComboBox*>(w))
            PaginaApplicaPosto(w, QRectF(r.left() * kx, (r.top() + r.height() / 2) * ky - r.height() / 2, r.width() * kx,
                                         r.height()));
        else
            PaginaApplicaPosto(w, QRectF(r.left() * kx, r.top() * ky, r.width() * kx, r.height() * ky));
    }
    return true;
}

// ---- Shapes and labels

QColor Colore(int32_t bgr) { return Pulsante::ColoreQt(Pulsante::ConvertiColore(bgr)); }

void ColoriPieni(QWidget* w, int32_t testo, int32_t sfondo) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, Colore(testo));
    p.setColor(QPalette::Window, Colore(sfondo));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

FormaPagina::FormaPagina(QWidget* contenitore, const QString& nome, int spessore, bool opaca)
    : QWidget(contenitore), spessore_(spessore), opaca_(opaca) {
    setObjectName(nome);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FormaPagina::ColoreBordo(int32_t bgr) {
    if (bordo_ == bgr) return;
    bordo_ = bgr;
    update();
}

void FormaPagina::ColoreRiempimento(int32_t bgr) {
    if (riempimento_ == bgr) return;
    riempimento_ = bgr;
    update();
}

void FormaPagina::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const double mezzo = spessore_ / 2.0;
    const QRectF r = QRectF(rect()).adjusted(mezzo, mezzo, -mezzo, -mezzo);
    QPen penna(Colore(bordo_));
    penna.setWidth(spessore_);
    penna.setJoinStyle(Qt::MiterJoin);
    p.setPen(spessore_ > 0 ? penna : QPen(Qt::NoPen));
    p.setBrush(opaca_ ? QBrush(Colore(riempimento_)) : QBrush(Qt::NoBrush));
    p.drawRect(r);
}

namespace {

int FlagEtichetta(const QLabel* l) { return static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0); }

} // namespace

QFont FontMostrato(const QLabel* l) {
    if (!l || !dynamic_cast<const Etichetta*>(l) || l->text().isEmpty()) return l ? l->font() : QFont();
    return Piattaforma::FontCheEntra(l->font(), l->text(), l->contentsRect().size(), FlagEtichetta(l));
}

void Etichetta::paintEvent(QPaintEvent* e) {
    const QFont font = FontMostrato(this);
    if (font == this->font()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.setFont(font);
    style()->drawItemText(&p, contentsRect(), FlagEtichetta(this), palette(), isEnabled(), text(), foregroundRole());
}

QLabel* NuovaEtichetta(QWidget* contenitore, const QString& nome, int32_t colore, double punti, bool grassetto,
                       Qt::Alignment allineamento, bool intera) {
    QLabel* l = intera ? new Etichetta(contenitore) : new QLabel(contenitore);
    l->setObjectName(nome);
    l->setAutoFillBackground(false);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Colore(colore));
    l->setPalette(p);
    l->setAlignment(allineamento);
    l->setWordWrap(true);
    ImpostaFont(l, punti, grassetto);
    return l;
}

PulsanteGrafico* NuovoPulsante(QWidget* contenitore, const QString& nome, const AspettoPulsante& aspetto, int indice) {
    auto* b = new PulsanteGrafico(contenitore);
    if (indice >= 0) ModMain::ImpostaMembro(b, nome, indice);
    else b->setObjectName(nome);
    // The order of the setters matters: shape, colours and hover locks act on each other.
    b->DelayDrawing(true);
    b->Mode(aspetto.modo);
    b->ButtonStyle(2);
    if (aspetto.forma) b->ButtonShape(*aspetto.forma);
    b->CaptionAlign(2);
    if (aspetto.font) aspetto.font(b);
    else if (aspetto.punti > 0) ImpostaFont(b, aspetto.punti, true);
    if (aspetto.colori) {
        b->ForeColor(0);
        b->BackColor(aspetto.fondo);
    }
    if (aspetto.riflesso) {
        b->HoverForeColor(aspetto.fondo);
        b->HoverBackColor(0xC00000);
        b->HoverColorLocks(3);
    }
    if (aspetto.senzaGradiente) b->GradientMode(0);
    if (aspetto.senzaFocus) b->ShowFocusRect(false);
    if (aspetto.valore) b->Value(*aspetto.valore);
    if (aspetto.allineamentoFigura) b->PictureAlign(*aspetto.allineamentoFigura);
    if (aspetto.testo) b->Caption(*aspetto.testo);
    b->DelayDrawing(false);
    return b;
}

} // namespace ModZebPagina
