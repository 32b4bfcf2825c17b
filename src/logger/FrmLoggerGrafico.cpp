// The logger page's chart: full redraw of a page, time axis, live sweep,
// navigation, zooms, layout and the cursor readout. Coordinates are twips of
// the picture Pct (15 per pixel).
#include <QtCore/QCoreApplication>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

#include <algorithm>
#include <cmath>
#include <map>

#include "controls/PulsanteGrafico.h"
#include "controls/PulsanteGraficoColori.h"
#include "controls/ModZebPagina.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "logger/FrmLogger.h"
#include "logger/GraficoLogger.h"

namespace {

int GraficoPx(double twips) { return static_cast<int>(std::lround(std::clamp(twips, -1.0e7, 1.0e7) / 15.0)); }

// Lines collected per colour and drawn in one call each: one pixel wide.
class GraficoTratti {
public:
    void Linea(int32_t colore, double x1, double y1, double x2, double y2) {
        linee_[colore].emplace_back(GraficoPx(x1), GraficoPx(y1), GraficoPx(x2), GraficoPx(y2));
    }
    void Disegna(QImage& immagine) {
        if (linee_.empty()) return;
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing, false);
        for (auto& [colore, linee] : linee_) {
            p.setPen(QPen(Pulsante::ColoreQt(colore), 0));
            p.drawLines(linee.data(), static_cast<int>(linee.size()));
        }
        linee_.clear();
    }

private:
    std::map<int32_t, std::vector<QLine>> linee_;
};

constexpr int32_t GraficoBianco = 0xFFFFFF;

bool GraficoInattivo() { return ModBlck::StatoRegistrazione == 0; }

int32_t GraficoCampione(size_t k) {
    return k < ModOscillo::CampioniLog.size() ? ModOscillo::CampioniLog[k] : 0;
}

} // namespace

int32_t FrmLogger::LarghezzaGrafico() const { return Pct->width() * 15; }
int32_t FrmLogger::AltezzaGrafico() const { return Pct->height() * 15; }

// ---- Full redraw ----------------------------------------------------------------

void FrmLogger::DisegnaGrafico() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    if (inDisegno_) {
        // A redraw asked for while one lets messages run: done once that one ends.
        ridisegnoInAttesa_ = true;
        return;
    }
    inDisegno_ = true;
    Pct->Adatta();
    const int32_t H = AltezzaGrafico();
    const bool inattivo = GraficoInattivo();
    const auto& canali = CanaliOscilloscopio;
    const auto& c = CampioniLog;

    Pct->Immagine.fill(Qt::black);
    Frame1->setEnabled(false);
    for (auto* f : LblFreccia) f->hide();
    LneCursor->hide();
    if (inattivo) CmdNext->setEnabled(true);

    GraficoTratti tratti;
    int32_t y0[NumeroCanali];
    for (int k = 0; k < NumeroCanali; ++k) y0[k] = ZeroCanale(H, canali[k].OffsetPercento);

    // Dotted zero lines, as far as the grid reached last time.
    for (int32_t x = XInizioGrafico;; x += ColonnaGriglia) {
        if (x != XInizioGrafico && x >= XFineGrafico) break;
        for (int k = 0; k < NumeroCanali; ++k)
            if (canali[k].Visibile == -1) tratti.Linea(canali[k].Colore, x, y0[k], x, y0[k]);
    }
    tratti.Disegna(Pct->Immagine);
    DisegnaAsseTempi();

    size_t k = static_cast<size_t>(std::max(0, IndiceInizioVista));
    XPunti.assign(1, XInizioGrafico);
    const size_t ultimo = c.empty() ? 0 : c.size() - 1;
    bool fineDati = false;
    if (k + 8 <= ultimo && !c.empty()) {
        int32_t x = XPerTempo(c[k], TempoInizioVista, ZoomTempo, XInizioGrafico);
        for (int ch = 0; ch < NumeroCanali; ++ch)
            if (canali[ch].Visibile == -1) {
                const int32_t y = YPerValore(y0[ch], canali[ch].ZoomPercento, c[k + 1 + ch]);
                tratti.Linea(canali[ch].Colore, XInizioGrafico, y, x, y);
            }
        for (int n = 0;; ++n) {
            if (n % 10 == 0) {
                tratti.Disegna(Pct->Immagine);
                QCoreApplication::processEvents();
            }
            if (k + 18 > ultimo) {
                fineDati = true;
                break;
            }
            const int32_t xPrec = x;
            k += Passo;
            x = XPerTempo(c[k], TempoInizioVista, ZoomTempo, XInizioGrafico);
            XPunti.push_back(xPrec);
            tratti.Linea(GraficoBianco, x, H - 50, x, H - 75);
            for (int ch = 0; ch < NumeroCanali; ++ch) {
                if (canali[ch].Visibile != -1) continue;
                const int32_t yPrec = YPerValore(y0[ch], canali[ch].ZoomPercento, c[k - Passo + 1 + ch]);
                const int32_t y = YPerValore(y0[ch], canali[ch].ZoomPercento, c[k + 1 + ch]);
                tratti.Linea(canali[ch].Colore, xPrec, yPrec, xPrec, y);
                tratti.Linea(canali[ch].Colore, xPrec, y, x, y);
            }
            if (x >= XFineGrafico) break;
        }
    } else {
        fineDati = true;
    }
    tratti.Disegna(Pct->Immagine);
    if (fineDati && inattivo) CmdNext->setEnabled(false);
    IndiceFineVista = static_cast<int32_t>(k);
    for (int ch = 0; ch < NumeroCanali; ++ch) LblFreccia[ch]->setVisible(canali[ch].Visibile == -1);
    LneCursor->show();
    Frame1->setEnabled(true);
    Pct->update();
    inDisegno_ = false;
    if (ridisegnoInAttesa_) {
        ridisegnoInAttesa_ = false;
        DisegnaGrafico();
    }
}

void FrmLogger::DisegnaAsseTempi() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    const int32_t H = AltezzaGrafico(), W = LarghezzaGrafico();
    const bool inattivo = GraficoInattivo();
    const std::string& sep = ModGlobFunct::SeparatoreDecimale;
    GraficoTratti tratti;
    int32_t f = XInizioGrafico;
    if (inattivo) tratti.Linea(GraficoBianco, f, H - 450, f, H - 330);
    auto colloca = [&](QLabel* l, const std::string& testo) {
        l->setVisible(inattivo);
        l->setText(QString::fromStdString(testo));
        l->adjustSize();
        const int sinistra = GraficoPx(f) - l->width() / 2;
        l->move(std::max(0, sinistra), l->y());
    };
    colloca(LblRifTempo[0], EtichettaOrigine(TempoInizioVista, GraficoCampione(0)));
    size_t n = 0;
    for (;;) {
        f += PassoAsse;
        if (f > W) break;
        if (inattivo) tratti.Linea(GraficoBianco, f, H - 450, f, H - 330);
        ++n;
        if (n >= LblRifTempo.size()) {
            auto* l = new QLabel(Pct);
            ModMain::ImpostaMembro(l, QStringLiteral("LblRifTempo"), static_cast<int>(n));
            l->setFont(LblRifTempo[0]->font());
            l->setPalette(LblRifTempo[0]->palette());
            l->setAutoFillBackground(true);
            l->move(0, LblRifTempo[0]->y());
            LblRifTempo.push_back(l);
        }
        colloca(LblRifTempo[n], EtichettaTick(f, XInizioGrafico, ZoomTempo, sep));
        XFineGrafico = f;
    }
    if (inattivo) tratti.Linea(GraficoBianco, XInizioGrafico, H - 330, XFineGrafico, H - 330);
    tratti.Disegna(Pct->Immagine);
}

// ---- Live sweep ------------------------------------------------------------------

void FrmLogger::DrawLineeRunMode() {
    using namespace GraficoLogger;
    using namespace ModBlck;
    using namespace ModOscillo;
    if (!AnelloPieno || IndiceAnello < 0) return;
    const int32_t ultimo = UltimoIndiceAnello;
    const int32_t cur = IndiceAnello == 0 ? ultimo : IndiceAnello - 1;
    const int32_t prev = IndiceAnello == 0 ? ultimo - 1 : (IndiceAnello == 1 ? ultimo : IndiceAnello - 2);
    if (static_cast<size_t>(std::max(cur, prev)) >= AnelloMem1.size()) return;
    Pct->Adatta();
    const int32_t W = LarghezzaGrafico(), H = AltezzaGrafico();
    if (XTracciaLive > W) {
        XTracciaLive = XGrigliaLive = XInizioGrafico;
        XPunti.resize(static_cast<size_t>(NumeroPuntiLive));
        IndiciAnelloPunti.resize(static_cast<size_t>(NumeroPuntiLive));
        NumeroPuntiLive = 0;
    }
    const BloccoParametri& bc = AnelloMem1[static_cast<size_t>(cur)];
    const BloccoParametri& bp = AnelloMem1[static_cast<size_t>(prev)];
    const int32_t xNuovo = Intero(static_cast<double>(XTracciaLive) + (static_cast<double>(bc.TempoMs) - bp.TempoMs));
    if (xNuovo > XGrigliaLive) PlottaPuntiniRunTime(static_cast<float>(xNuovo));
    GraficoTratti tratti;
    tratti.Linea(0xFFFFFF, xNuovo, H - 50, xNuovo, H - 75);
    if (XPunti.size() < static_cast<size_t>(NumeroPuntiLive + 1)) {
        XPunti.resize(static_cast<size_t>(NumeroPuntiLive + 1));
        IndiciAnelloPunti.resize(static_cast<size_t>(NumeroPuntiLive + 1));
    }
    XPunti[static_cast<size_t>(NumeroPuntiLive)] = xNuovo;
    IndiciAnelloPunti[static_cast<size_t>(NumeroPuntiLive)] = cur;
    ++NumeroPuntiLive;
    for (int ch = 0; ch < NumeroCanali; ++ch) {
        const auto& k = CanaliOscilloscopio[ch];
        if (k.Visibile != -1 || k.IdVariabile < 0) continue;
        const auto id = static_cast<size_t>(k.IdVariabile);
        if (id >= bc.Valori.size() || id >= bp.Valori.size()) continue;
        const int32_t y0 = ZeroCanale(H, k.OffsetPercento);
        const int32_t y = YPerValore(y0, k.ZoomPercento, bc.Valori[id]);
        const int32_t yPrec = YPerValore(y0, k.ZoomPercento, bp.Valori[id]);
        tratti.Linea(k.Colore, xNuovo, y, XTracciaLive, y);
        tratti.Linea(k.Colore, XTracciaLive, y, XTracciaLive, yPrec);
    }
    tratti.Disegna(Pct->Immagine);
    Pct->update();
    XTracciaLive = xNuovo;
    (void)W;
}

void FrmLogger::PlottaPuntiniRunTime(float) {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    const int32_t H = AltezzaGrafico();
    {
        QPainter p(&Pct->Immagine);
        const int x1 = GraficoPx(XGrigliaLive), x2 = GraficoPx(XGrigliaLive + ColonnaGriglia);
        p.fillRect(QRect(QPoint(x1, 0), QPoint(x2, GraficoPx(H))), Qt::black);
    }
    GraficoTratti tratti;
    for (const auto& k : CanaliOscilloscopio)
        if (k.Visibile == -1) {
            const int32_t y0 = ZeroCanale(H, k.OffsetPercento);
            tratti.Linea(k.Colore, XGrigliaLive, y0, XGrigliaLive, y0);
        }
    tratti.Disegna(Pct->Immagine);
    XGrigliaLive += ColonnaGriglia;
}

// ---- Navigation -------------------------------------------------------------------

void FrmLogger::DopoNavigazione() {
    using namespace GraficoLogger;
    DisegnaGrafico();
    AggiornaCursore(XCursore);
    ImpostaScroll(ModOscillo::IndiceInizioVista / 90);
}

void FrmLogger::CmdNext_Click() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    const auto p = PaginaSuccessiva(CampioniLog, TempoInizioVista, XFineGrafico, ZoomTempo);
    TempoInizioVista = p.Tempo;
    IndiceInizioVista = p.Indice;
    DopoNavigazione();
}

void FrmLogger::CmdPrev_Click() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    const auto p = PaginaPrecedente(CampioniLog, TempoInizioVista, XFineGrafico, ZoomTempo);
    TempoInizioVista = p.Tempo;
    IndiceInizioVista = p.Indice;
    DopoNavigazione();
}

void FrmLogger::ScrlTime_Scroll(int valore) {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    IndiceScroll = valore * 90;
    ValoreScrollPrecedente = valore;
    if (IndiceScroll < 0 || static_cast<size_t>(IndiceScroll) >= CampioniLog.size()) return;
    LblTempoScroll->setText(QString::fromStdString(TestoScroll(CampioniLog[static_cast<size_t>(IndiceScroll)])));
    LblTempoScroll->adjustSize();
    LblTempoScroll->move(Pct->width() - LblTempoScroll->width(), ScrlTime->geometry().bottom() + 1);
    LblTempoScroll->show();
    LblTempoScroll->raise();
}

void FrmLogger::ScrlTime_KeyDown() { ScrlTime_Scroll(ScrlTime->value()); }

void FrmLogger::ScrlTime_KeyUp() { LblTempoScroll->hide(); }

void FrmLogger::ScrlTime_Change(int valore) {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    if (AggiornamentoScroll) return;
    AggiornamentoScroll = true;
    LblTempoScroll->hide();
    if (valore == ValoreScrollPrecedente) {
        if (IndiceScroll >= 0 && static_cast<size_t>(IndiceScroll) + 1 < CampioniLog.size()) {
            TempoInizioVista = CampioniLog[static_cast<size_t>(IndiceScroll)];
            IndiceInizioVista = IndiceScroll;
            DisegnaGrafico();
            AggiornaCursore(XCursore);
        }
    } else {
        const bool avanti = valore > ValoreScrollPrecedente;
        const auto p = avanti ? PaginaSuccessiva(CampioniLog, TempoInizioVista, XFineGrafico, ZoomTempo)
                              : PaginaPrecedente(CampioniLog, TempoInizioVista, XFineGrafico, ZoomTempo);
        TempoInizioVista = p.Tempo;
        IndiceInizioVista = p.Indice;
        DisegnaGrafico();
        AggiornaCursore(XCursore);
        ScrlTime->setValue(IndiceInizioVista / 90);
        ValoreScrollPrecedente = ScrlTime->value();
    }
    AggiornamentoScroll = false;
}

void FrmLogger::CmdZin_Click() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    ZoomTempo = ZoomTempoIn(ZoomTempo);
    if (ZoomTempo == 10) CmdZin->setEnabled(false);
    CmdZOut->setEnabled(true);
    DisegnaGrafico();
    AggiornaCursore(XCursore);
}

void FrmLogger::CmdZOut_Click() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    const int32_t prima = ZoomTempo;
    ZoomTempo = ZoomTempoOut(ZoomTempo);
    if (prima == 50 && ZoomTempo == 100) CmdZOut->setEnabled(false);
    CmdZin->setEnabled(true);
    DisegnaGrafico();
    AggiornaCursore(XCursore);
}

void FrmLogger::CmdZoomIn_Click() {
    using namespace GraficoLogger;
    auto& k = ModOscillo::CanaliOscilloscopio[CanaleSelezionato];
    k.ZoomPercento = ZoomCanale(k.IdVariabile, k.ZoomPercento, true);
    SalvaSetupCanali();
    AggiornaCursore(XCursore);
    DisegnaGrafico();
}

void FrmLogger::CmdZoomOut_Click() {
    using namespace GraficoLogger;
    auto& k = ModOscillo::CanaliOscilloscopio[CanaleSelezionato];
    k.ZoomPercento = ZoomCanale(k.IdVariabile, k.ZoomPercento, false);
    SalvaSetupCanali();
    AggiornaCursore(XCursore);
    DisegnaGrafico();
}

void FrmLogger::CmdDw_Click() {
    using namespace GraficoLogger;
    auto& k = ModOscillo::CanaliOscilloscopio[CanaleSelezionato];
    if (k.OffsetPercento + 1 <= 98) ++k.OffsetPercento;
    SalvaSetupCanali();
    Form_Resize();
    AggiornaCursore(XCursore);
}

void FrmLogger::CmdUp_Click() {
    using namespace GraficoLogger;
    auto& k = ModOscillo::CanaliOscilloscopio[CanaleSelezionato];
    if (k.OffsetPercento - 1 >= 0) --k.OffsetPercento;
    SalvaSetupCanali();
    Form_Resize();
    AggiornaCursore(XCursore);
}

// ---- Layout -------------------------------------------------------------------------

void FrmLogger::resizeEvent(QResizeEvent*) { Form_Resize(); }

void FrmLogger::Form_Resize() {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    if (!Frame1) return;
    const int larghezza = width(), altezza = height();
    // The button bar and the channel column are laid out for the page of a
    // 1024 x 640 window and grow with a larger page, fonts with them.
    const double scala = ModZebPagina::ScalaPagina(size());
    const auto px = [scala](int v) { return static_cast<int>(std::lround(v * scala)); };
    for (const auto& [w, punti] : fontProgetto_)
        ModZebPagina::ImpostaPunti(w, scala > 1 ? Conv::ArrotondaPari(punti * scala) : punti);
    ImpostaStileRun(px(15));
    // Button bar across the top.
    const int alto = px(4), hb = px(28);
    Frame1->setGeometry(0, 0, larghezza, alto + hb + px(4));
    int x = px(6);
    for (auto* r : OptRun) {
        r->setGeometry(x, alto, px(40), hb);
        x += px(42);
    }
    x += px(6);
    for (auto* b : {CmdOpen, CmdSaveLogOsc, CmdEsporta}) {
        const int w = std::max(px(64), b->fontMetrics().horizontalAdvance(b->Caption()) + px(20));
        b->setGeometry(x, alto, w, hb);
        x += w + px(4);
    }
    x += px(10);
    for (auto* b : {CmdPrev, CmdNext, CmdZin, CmdZOut}) {
        b->setGeometry(x, alto, px(36), hb);
        x += px(38);
    }
    x += px(10);
    for (auto* b : {CmdZoomIn, CmdZoomOut, CmdUp, CmdDw, CmdReset}) {
        b->setGeometry(x, alto, px(36), hb);
        x += px(38);
    }

    // Readout panel on the left, the chart beside it.
    const int cima = alto + hb + px(10), sinistra = px(6), panello = px(176);
    const int hObd = px(74), hTempo = px(18), lato = px(16);
    const int hSegnale = std::clamp((altezza - cima - hObd - hTempo - px(12)) / NumeroCanali, px(24), px(40));
    for (int c = 0; c < NumeroCanali; ++c) {
        const int y = cima + c * hSegnale;
        LblSignal[c]->setGeometry(sinistra, y, panello - px(22), hSegnale - 2);
        PctMostra[c]->setGeometry(sinistra + panello - px(18), y + (hSegnale - lato - 2) / 2, lato, lato);
    }
    const int yTempo = cima + NumeroCanali * hSegnale + 2;
    LblTime2->setGeometry(sinistra, yTempo, panello - px(4), hTempo);
    LblObdVal->setGeometry(sinistra, yTempo + hTempo + 2, panello - px(4), hObd);
    LstVar->setGeometry(sinistra + panello, LstVar->y(), px(220),
                        std::min(px(260), std::max(px(120), altezza - cima - px(20))));

    const int pctSinistra = sinistra + panello + px(10);
    Pct->setGeometry(pctSinistra, cima, std::max(40, larghezza - pctSinistra - 8), std::max(40, altezza - cima - 12));
    Shape1->setGeometry(Pct->x() - 5, Pct->y() - 5, Pct->width() + 10, Pct->height() + 10);
    const int32_t H = AltezzaGrafico();
    LneCursor->setGeometry(GraficoPx(XCursore), 0, 1, Pct->height());
    for (int c = 0; c < NumeroCanali; ++c)
        LblFreccia[c]->move(0, GraficoPx(TopFreccia(H, CanaliOscilloscopio[c].OffsetPercento)));
    for (auto* l : LblRifTempo) l->move(l->x(), GraficoPx(H - 300));
    DisegnaGrafico();
    XTracciaLive = XGrigliaLive = XInizioGrafico;
    ScrlTime->setGeometry(0, 0, GraficoPx(LarghezzaGrafico() - 60), ScrlTime->sizeHint().height());
    LblTempoScroll->move(Pct->width() - LblTempoScroll->width(), ScrlTime->geometry().bottom() + 1);
}

void FrmLogger::Pct_Resize() {
    using namespace GraficoLogger;
    LblBarra->move(Pct->width() / 2 - LblBarra->width() / 2, Pct->height() / 2 - LblBarra->height() / 2);
    ShpBarra->setGeometry(LblBarra->x() + 4, LblBarra->y() + 4, ShpBarra->width(), LblBarra->height() - 8);
}

// ---- Cursor readout ------------------------------------------------------------------

void FrmLogger::Pct_MouseMove(float x) {
    using namespace GraficoLogger;
    if (x >= ModOscillo::XInizioGrafico) AggiornaCursore(x);
}

// The readout of an empty trace: cursor at the time origin, no OBD data.
// Shown from load (and in the current language) until the cursor writes one.
void FrmLogger::MostraLetturaVuota() {
    using namespace GraficoLogger;
    if (LetturaScritta) return;
    std::string v8[4];
    const int16_t s = Sezione();
    for (int i = 0; i < 4; ++i) v8[i] = ModMain::TestoVoce(static_cast<int16_t>(s + 15 + i));
    LblTime2->setText(QString::fromStdString(DidascaliaTempo(0)));
    TestoObdPrecedente = RiepilogoObd(DatiObd{}, v8, ModGlobFunct::SeparatoreDecimale);
    LblObdVal->setText(ModMain::TestoLingua(TestoObdPrecedente).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void FrmLogger::AggiornaCursore(float x) {
    using namespace GraficoLogger;
    using namespace ModOscillo;
    XCursore = x;
    LneCursor->move(GraficoPx(x), 0);
    const std::string& sep = ModGlobFunct::SeparatoreDecimale;
    // Entries 15-18 of the section, 8-bit: the label shows them through the language's charset.
    std::string v8[4];
    const int16_t s = Sezione();
    for (int i = 0; i < 4; ++i) v8[i] = ModMain::TestoVoce(static_cast<int16_t>(s + 15 + i));
    DatiObd obd;
    if (ModBlck::StatoRegistrazione == 0) {
        const auto i = PuntoPagina(XPunti, x);
        if (!i) return;
        const size_t k = (*i - 1) * Passo + static_cast<size_t>(std::max(0, IndiceInizioVista));
        if (k + 8 >= CampioniLog.size()) return;
        for (int c = 0; c < NumeroCanali; ++c) {
            if (CanaliOscilloscopio[c].Visibile == -1)
                LblSignal[c]->setText(
                    ModMain::TestoLingua(DidascaliaCanale(CanaliOscilloscopio[c], CampioniLog[k + 1 + c], sep))
                        .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            else
                LblSignal[c]->clear();
        }
        const double ms = (x - XInizioGrafico) * 100.0 / (ZoomTempo ? ZoomTempo : 100) +
                          (static_cast<double>(TempoInizioVista) - CampioniLog[0]);
        LblTime2->setText(QString::fromStdString(DidascaliaTempo(Intero(ms))));
        LetturaScritta = true;
        auto o = [&](size_t j) { return j < CampioniObd.size() ? CampioniObd[j] : 0; };
        obd.Presenti = o(k + 7) > 0;
        obd.S1 = o(k + 1);
        obd.S2 = o(k + 2);
        obd.N1 = o(k + 3);
        obd.N2 = o(k + 4);
        obd.N3 = o(k + 5);
        obd.N4 = o(k + 6);
    } else {
        const auto i = PuntoLive(XPunti, x);
        if (!i || *i >= IndiciAnelloPunti.size()) return;
        const int32_t slot = IndiciAnelloPunti[*i];
        if (slot < 0 || static_cast<size_t>(slot) >= ModBlck::AnelloMem1.size()) return;
        const BloccoParametri& m = ModBlck::AnelloMem1[static_cast<size_t>(slot)];
        for (int c = 0; c < NumeroCanali; ++c) {
            const auto& k = CanaliOscilloscopio[c];
            if (k.Visibile != -1 || k.IdVariabile < 0 || static_cast<size_t>(k.IdVariabile) >= m.Valori.size()) continue;
            LblSignal[c]->setText(ModMain::TestoLingua(DidascaliaCanale(k, m.Valori[static_cast<size_t>(k.IdVariabile)], sep))
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
        LblTime2->setText(QString::fromStdString(
            DidascaliaTempo(m.TempoMs - Intero(ModBlck::InizioRegistrazione))));
        LetturaScritta = true;
        if (static_cast<size_t>(slot) >= ModBlck::AnelloObd.size()) return;
        const auto& v = ModBlck::AnelloObd[static_cast<size_t>(slot)].Valori;
        auto o = [&](size_t j) { return j < v.size() ? v[j] : 0; };
        obd.Presenti = o(0) >= 1;
        obd.S1 = o(26);
        obd.S2 = o(27);
        obd.N1 = o(30);
        obd.N2 = o(34);
        obd.N3 = o(38);
        obd.N4 = o(42);
        obd.Quinta = QuintaRigaLive(o(50), o(51));
    }
    const std::string testo = RiepilogoObd(obd, v8, sep);
    if (testo != TestoObdPrecedente) {
        TestoObdPrecedente = testo;
        LblObdVal->setText(ModMain::TestoLingua(testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}
