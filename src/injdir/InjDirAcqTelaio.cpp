#include "injdir/InjDirAcqTelaio.h"

#include <QtGui/QPainter>
#include <QtWidgets/QLabel>

#include "controls/PulsanteGrafico.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "injdir/InjDirAcqRegole.h"

namespace InjDirAcqTelaio {

namespace {

class TelaioLampada : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::WindowText), 2));
        p.setBrush(palette().color(QPalette::Window));
        const int d = std::min(width(), height()) - 4;
        p.drawEllipse(QRect((width() - d) / 2, (height() - d) / 2, d, d));
    }
};

} // namespace

void Posto(QWidget* w, double x, double y, double l, double a) { ModZebPagina::Colloca(w, x * 15, y * 15, l * 15, a * 15); }

QLabel* NuovaEtichettaAcq(QWidget* padre, const char* nome, int32_t colore, double punti, bool grassetto) {
    auto* l = ModZebPagina::NuovaEtichetta(padre, QString::fromLatin1(nome), colore, punti, grassetto,
                                           Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

PulsanteGrafico* NuovoPulsante(QWidget* padre, const char* nome) {
    ModZebPagina::AspettoPulsante a;
    a.punti = 9;
    return ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome), a);
}

QWidget* NuovoSemaforo(QWidget* padre, const char* nome) {
    auto* s = new TelaioLampada(padre);
    s->setObjectName(QString::fromLatin1(nome));
    ModGlobFunct::ImpostaColoreStato(s, 0);
    return s;
}

ModZebPagina::FormaPagina* Sfondo(QWidget* forma, const char* nomeBordo) {
    forma->setAutoFillBackground(true);
    QPalette p = forma->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    forma->setPalette(p);
    forma->resize(static_cast<int>(Larghezza / 15), static_cast<int>(Altezza / 15));
    auto* bordo = new ModZebPagina::FormaPagina(forma, QString::fromLatin1(nomeBordo), 1, false);
    Posto(bordo, 4, 4, 992, 417);
    bordo->ColoreBordo(0x400000);
    bordo->lower();
    return bordo;
}

int32_t Sezione(int32_t precedente) {
    const auto k = ModZebPagina::CercaMarcatore("[Start_InjDirTune]");
    return k ? *k : precedente;
}

QString Testo(int32_t base, int32_t n) {
    return ModZebPagina::VoceSchermo(std::optional<int16_t>(static_cast<int16_t>(base)), n);
}

std::optional<int32_t> Valore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}

int32_t StatoWizard() { return Valore(16, InjDirAcqRegole::ParolaStato).value_or(0); }

} // namespace InjDirAcqTelaio
