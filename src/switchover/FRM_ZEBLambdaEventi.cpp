// The lambda page's map editor (held keys, value-entry dialog, highlight),
// threshold boxes and live view.
#include <QtCore/QPointer>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "controls/GrigliaDati.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckDatiLive.h"
#include "maps/FrmEnterValue.h"
#include "platform/Dialoghi.h"
#include "switchover/FRM_ZEBLambda.h"
#include "switchover/LambdaRegole.h"

using namespace ModZebPagina;
namespace L = LambdaRegole;

namespace {

char LambdaEventiSep() { return ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0]; }

double LambdaEventiNumero(const QString& t) { return NumeroVoce(t).value_or(0.0); }

QString LambdaEventiTesto(double v) { return QString::fromStdString(L::TestoNumero(v, LambdaEventiSep())); }

std::optional<int32_t> LambdaEventiValore(size_t b, size_t k) {
    if (b >= TabellaBlocchi.size() || k >= TabellaBlocchi[b].Valori.size()) return std::nullopt;
    return TabellaBlocchi[b].Valori[k];
}

} // namespace

// ---- Highlight

void FRM_ZEBLambda::EvidenziaCella(GrigliaDati* g) {
    if (ColoreInCorso) return;
    const int r0 = std::min(g->Row(), g->RowSel()), r1 = std::max(g->Row(), g->RowSel());
    const int c0 = std::min(g->Col(), g->ColSel()), c1 = std::max(g->Col(), g->ColSel());
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            g->CellBackColor(r, c, 0x00FFFF);
            g->CellForeColor(r, c, 0);
        }
}

void FRM_ZEBLambda::RipristinaColoriGriglia(GrigliaDati* g) {
    if (ColoreInCorso) return;
    ColoreInCorso = true;
    for (int r = 0; r < g->Rows(); ++r)
        for (int c = 0; c < g->Cols(); ++c) {
            g->CellBackColor(r, c, 0xFFFFFF);
            g->CellForeColor(r, c, 0);
        }
    ColoreInCorso = false;
}

// ---- Map editor

void FRM_ZEBLambda::Griglia_KeyDown(int griglia, int16_t KeyCode, int16_t Shift) {
    if (!SlotLibero() || KeyCode == 16 || TastoPremuto || !L::TastoPasso(KeyCode)) return;
    if (griglia == 2) {
        ModificaCelleEmulazione(KeyCode, Shift);
        StadiaMappa();
        PostaEmulazione();
        return;
    }
    GrigliaDati* g = griglia == 0 ? GrdRpm : GrdBar;
    ModificaAsse(g, griglia == 0, KeyCode, Shift);
    ListaModifiche l;
    if (griglia == 0)
        for (int c = 0; c < L::Colonne; ++c)
            l.push_back({static_cast<int32_t>(Conv::ArrotondaPari(LambdaEventiNumero(GrdRpm->TextMatrix(0, c)))), c, 0});
    else
        for (int r = 0; r < L::Righe; ++r)
            l.push_back({static_cast<int32_t>(Conv::ArrotondaPari(LambdaEventiNumero(GrdBar->TextMatrix(r, 0)))), 12 + r, 0});
    ModBlck::ModificheBlocco11 = std::move(l);
    PostaEmulazione();
}

void FRM_ZEBLambda::ModificaAsse(GrigliaDati* g, bool rpm, int16_t KeyCode, int16_t Shift) {
    TastoPremuto = true;
    const int n = rpm ? L::Colonne : L::Righe;
    const int k = std::clamp(rpm ? g->ColSel() : g->RowSel(), 0, n - 1);
    auto cella = [&](int i) { return rpm ? g->TextMatrix(0, i) : g->TextMatrix(i, 0); };
    const int32_t massimo = k + 1 < n ? static_cast<int32_t>(LambdaEventiNumero(cella(k + 1))) : (rpm ? 6000 : 5000);
    const int32_t minimo = k > 0 ? static_cast<int32_t>(LambdaEventiNumero(cella(k - 1))) : 0;
    int32_t v = static_cast<int32_t>(Conv::ArrotondaPari(LambdaEventiNumero(g->Text())));
    QPointer<FRM_ZEBLambda> io(this);
    while (io && TastoPremuto) {
        v = L::PassoAsse(v, KeyCode, Shift, rpm ? 100 : 10, rpm ? 1000 : 100, minimo, massimo);
        g->Text(QString::number(v));
        ModGlobFunct::AttendiMicrosecondi(250000);
    }
}

void FRM_ZEBLambda::ModificaCelleEmulazione(int16_t KeyCode, int16_t Shift) {
    TastoPremuto = true;
    const bool codice = ModoCodice();
    const int posizione = CmbSondaSel->currentIndex();
    const int r0 = std::min(GrdEmul->Row(), GrdEmul->RowSel()), r1 = std::max(GrdEmul->Row(), GrdEmul->RowSel());
    const int c0 = std::min(GrdEmul->Col(), GrdEmul->ColSel()), c1 = std::max(GrdEmul->Col(), GrdEmul->ColSel());
    QPointer<FRM_ZEBLambda> io(this);
    while (io && TastoPremuto) {
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const double v = L::PassoCella(LambdaEventiNumero(GrdEmul->TextMatrix(r, c)), codice, KeyCode, Shift, posizione);
                GrdEmul->TextMatrix(r, c, codice ? QString::number(static_cast<int>(v)) : LambdaEventiTesto(v));
            }
        ModGlobFunct::AttendiMicrosecondi(150000);
    }
}

void FRM_ZEBLambda::StadiaMappa() {
    const bool codice = ModoCodice();
    ListaModifiche l;
    for (int c = 0; c < L::Colonne; ++c)
        for (int r = 0; r < L::Righe; ++r)
            l.push_back({L::CodiceCella(LambdaEventiNumero(GrdEmul->TextMatrix(r, c)), codice), L::IndiceMappa(r, c), 0});
    ModBlck::ModificheBlocco11 = std::move(l);
}

void FRM_ZEBLambda::Griglia_KeyUp(int griglia, int16_t KeyCode, int16_t) {
    TastoPremuto = false;
    if (griglia != 2 || KeyCode != 13 || !SlotLibero()) return;
    int32_t operazione = 0;
    {
        GuardiaCaricamento guardia(InCaricamento);
        operazione = ModMapEditor::ChiediValore(LimitiValore{255, -255, 100, -100, 127, -127}, 0);
    }
    if (operazione != 0) {
        const bool codice = ModoCodice();
        const int posizione = CmbSondaSel->currentIndex();
        const int r0 = std::min(GrdEmul->Row(), GrdEmul->RowSel()), r1 = std::max(GrdEmul->Row(), GrdEmul->RowSel());
        const int c0 = std::min(GrdEmul->Col(), GrdEmul->ColSel()), c1 = std::max(GrdEmul->Col(), GrdEmul->ColSel());
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const double v = L::ApplicaValore(LambdaEventiNumero(GrdEmul->TextMatrix(r, c)), codice, operazione,
                                                  ModMain::ValoreInserito, posizione);
                GrdEmul->TextMatrix(r, c, codice ? QString::number(static_cast<int>(v)) : LambdaEventiTesto(v));
            }
        StadiaMappa();
        PostaEmulazione();
    } else {
        Bip();
    }
    GrdEmul->setFocus();
}

// ---- Thresholds

void FRM_ZEBLambda::Soglia_Change(int indice) {
    if (InCaricamento) return;
    QPalette p = TxtSoglia[static_cast<size_t>(indice)]->palette();
    p.setColor(QPalette::Base, QColor(255, 255, 0));
    p.setColor(QPalette::Text, Qt::black);
    TxtSoglia[static_cast<size_t>(indice)]->setPalette(p);
}

void FRM_ZEBLambda::Soglia_GotFocus(int indice) {
    ValoreSogliaMemorizzato = LambdaEventiNumero(TxtSoglia[static_cast<size_t>(indice)]->text());
}

void FRM_ZEBLambda::Soglia_LostFocus(int indice) {
    QLineEdit* t = TxtSoglia[static_cast<size_t>(indice)];
    {
        GuardiaCaricamento guardia(InCaricamento);
        t->setText(LambdaEventiTesto(ValoreSogliaMemorizzato));
    }
    QPalette p = t->palette();
    p.setColor(QPalette::Base, QColor(192, 192, 192));
    p.setColor(QPalette::Text, Qt::black);
    t->setPalette(p);
}

void FRM_ZEBLambda::Soglia_KeyUp(int indice, int16_t KeyCode) {
    QLineEdit* t = TxtSoglia[static_cast<size_t>(indice)];
    const char sep = LambdaEventiSep();
    const int p = t->cursorPosition();
    QString testo = t->text();
    testo.replace(sep == '.' ? QChar(',') : QChar('.'), QChar(sep));
    if (testo != t->text()) {
        t->setText(testo);
        t->setCursorPosition(p);
    }
    if (KeyCode != 13 || !SlotLibero()) return;
    const auto numero = NumeroVoce(t->text());
    if (t->text().isEmpty() || !numero) {
        Piattaforma::MostraMessaggio(ModMain::VoceLingua(2), QString::fromLatin1(Applicazione::TitoloApplicazione));
        t->setText(LambdaEventiTesto(ValoreSogliaMemorizzato));
        t->setCursorPosition(p > 0 ? p - 1 : 0);
        return;
    }
    const int posizione = CmbSondaSel->currentIndex();
    double v = L::LimitaSoglia(*numero, posizione);
    if (LambdaEventiTesto(v) != t->text()) {
        t->setText(LambdaEventiTesto(v));
        t->setCursorPosition(p > 0 ? p - 1 : 0);
    }
    QPalette pal = t->palette();
    pal.setColor(QPalette::Base, QColor(192, 192, 192));
    t->setPalette(pal);
    const bool alta = indice % 2 == 0;
    QLineEdit* compagno = TxtSoglia[static_cast<size_t>(alta ? indice + 1 : indice - 1)];
    const double w = L::RegolaCoppia(v, LambdaEventiNumero(compagno->text()), alta);
    if (w != v) {
        t->setText(compagno->text());
        v = w;
    }
    const int32_t codice = L::CodiceSoglia(v);
    ModificaSingola(ModBlck::ModificheBlocco11, codice, 65 + indice, 0);
    {
        GuardiaCaricamento guardia(InCaricamento);
        t->setText(QString::fromStdString(L::TestoVolt(codice, sep)));
        t->setCursorPosition(std::min(p, static_cast<int>(t->text().size())));
    }
    ValoreSogliaMemorizzato = LambdaEventiNumero(t->text());
    PostaEmulazione();
}

// ---- Live view

void FRM_ZEBLambda::AggiornaVisualizzazioniLambda() {
    if (LambdaEventiValore(2, 2).value_or(0) & 0x10) {
        int32_t d1 = 3, d2 = 3;
        // The live copy of block 1, smoothed by the decoder.
        const auto& vivi = ModMain::BloccoAppoggio.Valori;
        auto live = [&vivi](size_t k) { return k < vivi.size() ? vivi[k] : 0; };
        TxtLambdaOut1->setText(QString::fromStdString(ModGlobFunct::FormattaNumeroZeri(live(38), d1)));
        TxtLambdaOut2->setText(QString::fromStdString(ModGlobFunct::FormattaNumeroZeri(live(39), d2)));
    }
    if (GrdRpm->TextMatrix(0, 0).isEmpty()) return;
    std::vector<std::optional<double>> giri, pressioni;
    for (int c = 0; c < L::Colonne; ++c) giri.push_back(NumeroVoce(GrdRpm->TextMatrix(0, c)));
    for (int r = 0; r < L::Righe; ++r) pressioni.push_back(NumeroVoce(GrdBar->TextMatrix(r, 0)));
    const int c = L::IndiceCursore(giri, LambdaEventiValore(1, 32).value_or(0));
    const int r = L::IndiceCursore(pressioni, LambdaEventiValore(1, 48).value_or(0));
    const QRect cella = GrdEmul->visualItemRect(GrdEmul->item(r - 1, c - 1));
    const QPoint origine = GrdEmul->viewport()->mapTo(FrmEmulation, cella.topLeft());
    PctGrdLambda->setGeometry(origine.x(), origine.y(), cella.width(), cella.height());
    PctGrdLambda->setVisible(true);
    PctGrdLambda->raise();
}
