#include "shell/CasaControlli.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QPainter>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "controls/PulsanteGrafico.h"
#include "controls/PulsanteGraficoColori.h"
#include "core/Conversioni.h"
#include "platform/Caratteri.h"

namespace Casa {

namespace {

const char* const ProprietaTwips = "PostoTwips";
const char* const ProprietaPunti = "PuntiFont";
const char* const ProprietaGrassetto = "GrassettoFont";

int Pixel(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

void ApplicaPosto(QWidget* w, const QRectF& r) {
    // Each edge to its nearest pixel, so that neighbours stay adjacent; a control
    // of any size in twips keeps at least one pixel, so that thin lines never vanish.
    const int x = Pixel(r.left()), y = Pixel(r.top());
    int larghezza = Pixel(r.left() + r.width()) - x, altezza = Pixel(r.top() + r.height()) - y;
    if (r.width() > 0) larghezza = std::max(larghezza, 1);
    if (r.height() > 0) altezza = std::max(altezza, 1);
    w->setGeometry(x, y, larghezza, altezza);
}

void ApplicaFont(QWidget* w, const QString& nome, double punti, bool grassetto) {
    const QFont f = Piattaforma::CreaFont(nome, punti, grassetto);
    if (auto* b = qobject_cast<PulsanteGrafico*>(w)) b->Font(f);
    w->setFont(f);
}

} // namespace

FormaGrafica::FormaGrafica(QWidget* contenitore, Tipo tipo, int spessore, bool opaca)
    : QWidget(contenitore), tipo_(tipo), spessore_(spessore), opaca_(opaca) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

int32_t FormaGrafica::ColoreBordo() const { return Pulsante::RgbDaQt(palette().color(QPalette::WindowText)); }

void FormaGrafica::ColoreBordo(int32_t bgr) {
    if (ColoreBordo() == bgr) return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Colore(bgr));
    setPalette(p);
}

int32_t FormaGrafica::ColoreRiempimento() const { return Pulsante::RgbDaQt(palette().color(QPalette::Window)); }

void FormaGrafica::ColoreRiempimento(int32_t bgr) {
    if (ColoreRiempimento() == bgr) return;
    QPalette p = palette();
    p.setColor(QPalette::Window, Colore(bgr));
    setPalette(p);
}

void FormaGrafica::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (tipo_ == Tipo::Rettangolo && spessore_ > 0 && (width() <= spessore_ || height() <= spessore_)) {
        // Thinner than its outline (a separator line): all outline.
        p.fillRect(rect(), palette().color(QPalette::WindowText));
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, tipo_ == Tipo::Cerchio);
    const double mezzo = spessore_ / 2.0;
    const QRectF r = QRectF(rect()).adjusted(mezzo, mezzo, -mezzo, -mezzo);
    QPen penna(palette().color(QPalette::WindowText));
    penna.setWidth(spessore_);
    penna.setJoinStyle(Qt::MiterJoin);
    p.setPen(spessore_ > 0 ? penna : QPen(Qt::NoPen));
    p.setBrush(opaca_ ? QBrush(palette().color(QPalette::Window)) : QBrush(Qt::NoBrush));
    if (tipo_ == Tipo::Cerchio) {
        const double lato = std::min(r.width(), r.height());
        p.drawEllipse(QRectF(r.center().x() - lato / 2, r.center().y() - lato / 2, lato, lato));
    } else {
        p.drawRect(r);
    }
}

QLabel* NuovaEtichetta(QWidget* contenitore, const QString& nome, const QString& testo, int32_t colore,
                       const QString& font, double punti, bool grassetto, Qt::Alignment allineamento) {
    auto* l = new Etichetta(testo, contenitore);
    l->setObjectName(nome);
    l->setAutoFillBackground(false); // a child label without fill shows its parent through
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Colore(colore));
    l->setPalette(p);
    l->setAlignment(allineamento | Qt::AlignTop);
    l->setWordWrap(true);
    ImpostaFont(l, font, punti, grassetto);
    return l;
}

void ImpostaFont(QWidget* w, const QString& nomeWindows, double punti, bool grassetto) {
    if (!w) return;
    w->setProperty(ProprietaPunti, punti);
    w->setProperty(ProprietaGrassetto, grassetto);
    ApplicaFont(w, nomeWindows, punti, grassetto);
}

void MostraFontA(QWidget* w, double punti) {
    if (!w || punti <= 0) return;
    ApplicaFont(w, QStringLiteral("Tahoma"), punti, w->property(ProprietaGrassetto).toBool());
}

double PuntiFont(const QWidget* w) {
    const QVariant v = w ? w->property(ProprietaPunti) : QVariant();
    return v.isValid() ? v.toDouble() : 0.0;
}

void Colloca(QWidget* w, double sinistra, double alto, double larghezza, double altezza) {
    if (!w) return;
    const QRectF r(sinistra, alto, larghezza, altezza);
    w->setProperty(ProprietaTwips, r);
    ApplicaPosto(w, r);
}

QRectF PostoTwips(const QWidget* w) {
    const QVariant v = w ? w->property(ProprietaTwips) : QVariant();
    return v.isValid() ? v.toRectF() : QRectF();
}

void RidimensionaForma(QWidget* forma, int32_t& larghezzaPrecedente, int32_t& altezzaPrecedente,
                       float& fattoreFont, bool comboTieneAltezza) {
    if (larghezzaPrecedente <= 0 || altezzaPrecedente <= 0) return;
    const float rx = static_cast<float>(LarghezzaTwips(forma)) / static_cast<float>(larghezzaPrecedente);
    const float ry = static_cast<float>(AltezzaTwips(forma)) / static_cast<float>(altezzaPrecedente);
    fattoreFont = rx;
    ScalaControlli(forma, rx, ry, fattoreFont, comboTieneAltezza);
    larghezzaPrecedente = LarghezzaTwips(forma);
    altezzaPrecedente = AltezzaTwips(forma);
}

void ScalaControlli(QWidget* forma, double rx, double ry, float fattoreFont, bool comboTieneAltezza) {
    if (!forma || !std::isfinite(rx) || !std::isfinite(ry) || rx <= 0 || ry <= 0) return;
    for (QWidget* w : forma->findChildren<QWidget*>()) {
        const double punti = PuntiFont(w);
        if (punti > 0) {
            const double nuovi = Conv::ArrotondaPari(punti * static_cast<double>(fattoreFont));
            if (nuovi >= 1) {
                w->setProperty(ProprietaPunti, nuovi);
                ApplicaFont(w, QStringLiteral("Tahoma"), nuovi, w->property(ProprietaGrassetto).toBool());
            }
        }
        const QVariant v = w->property(ProprietaTwips);
        if (!v.isValid()) continue;
        const QRectF r = v.toRectF();
        const bool tieni = comboTieneAltezza && qobject_cast<QComboBox*>(w);
        const QRectF n(r.left() * rx, r.top() * ry, r.width() * rx, tieni ? r.height() : r.height() * ry);
        w->setProperty(ProprietaTwips, n);
        ApplicaPosto(w, n);
    }
}

int32_t LarghezzaTwips(const QWidget* w) { return w ? w->width() * 15 : 0; }
int32_t AltezzaTwips(const QWidget* w) { return w ? w->height() * 15 : 0; }

} // namespace Casa
