#include "shell/FRM_ZEBDashBoard.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>

#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/MDIFrmMem10.h"
#include "engine/ModMainTasti.h"
#include "engine/ModEvoObd.h"
#include "platform/Dialoghi.h"
#include "shell/CasaControlli.h"
#include "shell/CasaConversioni.h"

namespace {

using Casa::Blu;
using Casa::BluScuro;
constexpr int MargineNome = 2; // pixels each side of a name label's text

std::vector<int32_t> Valori(size_t b) { return b < TabellaBlocchi.size() ? TabellaBlocchi[b].Valori : std::vector<int32_t>(); }

void ScriviSeDiverso(QLabel* l, const std::string& testo) {
    if (!l) return;
    const QString t = ModMain::TestoLingua(testo);
    if (l->text() != t) l->setText(t);
}

void ColoraSeDiverso(QLabel* l, const std::optional<int32_t>& colore) {
    if (!l || !colore) return;
    const QColor c = Casa::Colore(*colore);
    if (l->palette().color(QPalette::WindowText) == c) return;
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

} // namespace

FRM_ZEBDashBoard::FRM_ZEBDashBoard(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBDashBoard"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(885, 117); // design surface 13275 x 1755 twips

    SHP_Contorno = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Rettangolo, 3, false);
    SHP_Contorno->setObjectName(QStringLiteral("SHP_Contorno"));
    Casa::Colloca(SHP_Contorno, 0, 0, 13275, 1755);

    SPCH.assign(6, nullptr);
    SHPC.assign(1, nullptr);
    FRM.assign(7, nullptr);
    SHP_LIN.assign(7, nullptr);
    LABSXH.assign(8, nullptr);
    LABSXL.assign(8, nullptr);
    LABDXH.assign(8, nullptr);
    LABDXL.assign(8, nullptr);

    // Cells left to right: frame index, its panel, left and width.
    struct Cella {
        int frame;
        const char* pannello;
        int indicePannello;
        double sinistra, larghezza;
    };
    const Cella celle[] = {{0, "SPCH", 4, 180, 1635}, {1, "SPCH", 3, 1980, 1635}, {2, "SPCH", 2, 3780, 1275},
                           {3, "SPCH", 0, 5220, 1635}, {4, "SPCH", 1, 7020, 1635}, {6, "SPCH", 5, 8820, 1635},
                           {5, "SHPC", 0, 10620, 2475}};
    for (const Cella& c : celle) {
        auto* s = new Casa::FormaGrafica(this, Casa::FormaGrafica::Tipo::Rettangolo, 2, true);
        ModMain::ImpostaMembro(s, QString::fromLatin1(c.pannello), c.indicePannello);
        s->ColoreBordo(BluScuro);
        s->ColoreRiempimento(BluScuro);
        Casa::Colloca(s, c.sinistra - 60, 120, c.larghezza + 120, 1515);
        (c.pannello[1] == 'P' ? SPCH : SHPC)[static_cast<size_t>(c.indicePannello)] = s;
    }
    for (const Cella& c : celle) {
        auto* f = new QFrame(this);
        ModMain::ImpostaMembro(f, QStringLiteral("FRM"), c.frame);
        f->setAutoFillBackground(true);
        QPalette q = f->palette();
        q.setColor(QPalette::Window, Casa::Colore(Blu));
        f->setPalette(q);
        Casa::Colloca(f, c.sinistra, 180, c.larghezza, 1395);
        FRM[static_cast<size_t>(c.frame)] = f;
    }
    // Separators between the two rows; cell 6 holds element 5 and the OBD cell element 6.
    const std::pair<int, int> linee[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {6, 5}, {5, 6}};
    for (const auto& [frame, k] : linee) {
        auto* s = new Casa::FormaGrafica(FRM[static_cast<size_t>(frame)], Casa::FormaGrafica::Tipo::Rettangolo, 2, false);
        ModMain::ImpostaMembro(s, QStringLiteral("SHP_LIN"), k);
        s->ColoreBordo(0xFFFFFF);
        if (frame == 5) Casa::Colloca(s, 0, 660, 2535, 15);
        else Casa::Colloca(s, 0, 690, frame == 2 ? 1335 : 1635, 15);
        SHP_LIN[static_cast<size_t>(k)] = s;
    }

    auto etichetta = [&](std::vector<QLabel*>& serie, const char* nome, int k, int frame, const char* testo,
                         double punti, bool grassetto, double l, double t, double w, double h) {
        QLabel* e = Casa::NuovaEtichetta(FRM[static_cast<size_t>(frame)], {}, QString::fromUtf8(testo), 0xFFFFFF,
                                         QStringLiteral("Tahoma"), punti, grassetto, Qt::AlignHCenter);
        ModMain::ImpostaMembro(e, QString::fromLatin1(nome), k);
        // A name keeps clear of the value beside it: a name too long for the
        // cell wraps before it reaches the label's edge.
        if (&serie == &LABSXH || &serie == &LABSXL) e->setContentsMargins(MargineNome, 0, MargineNome, 0);
        Casa::Colloca(e, l, t, w, h);
        serie[static_cast<size_t>(k)] = e;
    };
    // Cell 1: state and rpm.
    etichetta(LABSXH, "LABSXH", 4, 0, "Stato", 9, false, 0, 0, 795, 675);
    etichetta(LABDXH, "LABDXH", 4, 0, "---", 9, true, 780, 0, 855, 675);
    etichetta(LABSXL, "LABSXL", 4, 0, "RPM", 9, false, 0, 720, 795, 675);
    etichetta(LABDXL, "LABDXL", 4, 0, "1024", 12, true, 780, 720, 855, 675);
    // Cell 2: injection times.
    etichetta(LABSXH, "LABSXH", 0, 1, "TBen (ms)", 8.25, false, 0, 0, 795, 675);
    etichetta(LABDXH, "LABDXH", 0, 1, "3,45", 11.25, true, 780, 0, 855, 675);
    etichetta(LABSXL, "LABSXL", 0, 1, "TGas (ms)", 8.25, false, 0, 720, 795, 675);
    etichetta(LABDXL, "LABDXL", 0, 1, "3,45", 11.25, true, 780, 720, 855, 675);
    // Cell 3: temperatures.
    etichetta(LABSXH, "LABSXH", 1, 2, "TRid (°C)", 8.25, false, 0, 0, 735, 675);
    etichetta(LABDXH, "LABDXH", 1, 2, "---", 12, true, 720, 0, 675, 675);
    etichetta(LABSXL, "LABSXL", 1, 2, "TGas (°C)", 8.25, false, 0, 720, 735, 675);
    etichetta(LABDXL, "LABDXL", 1, 2, "---", 12, true, 720, 720, 675, 675);
    // Cell 4: pressures.
    etichetta(LABSXH, "LABSXH", 2, 3, "Press (bar)", 8.25, false, 0, 0, 795, 675);
    etichetta(LABDXH, "LABDXH", 2, 3, "---", 11.25, true, 780, 0, 855, 675);
    etichetta(LABSXL, "LABSXL", 2, 3, "MAP (bar)", 8.25, false, 0, 720, 795, 675);
    etichetta(LABDXL, "LABDXL", 2, 3, "---", 11.25, true, 780, 720, 855, 675);
    // Cell 5: analogue inputs.
    etichetta(LABSXH, "LABSXH", 3, 4, "Lam.#1 (V)", 8.25, false, 0, 0, 1035, 675);
    etichetta(LABDXH, "LABDXH", 3, 4, "---", 9.75, true, 1020, 0, 615, 675);
    etichetta(LABSXL, "LABSXL", 3, 4, "Lam.#2 (V)", 8.25, false, 0, 720, 1035, 675);
    etichetta(LABDXL, "LABDXL", 3, 4, "---", 9.75, true, 1020, 720, 615, 675);
    // Cell 6: lambda signals (their names are never replaced).
    etichetta(LABSXH, "LABSXH", 6, 6, "Lam.#1 (V)", 8.25, false, 0, 0, 1035, 675);
    etichetta(LABDXH, "LABDXH", 7, 6, "---", 9.75, true, 900, 0, 795, 615);
    etichetta(LABSXL, "LABSXL", 7, 6, "Lam.#2 (V)", 8.25, false, 0, 720, 1035, 675);
    etichetta(LABDXL, "LABDXL", 7, 6, "---", 9.75, true, 900, 720, 795, 615);
    // Cell 7: OBD values.
    etichetta(LABSXH, "LABSXH", 5, 5, "Bank #1(%)", 8.25, false, 0, 0, 915, 675);
    etichetta(LABDXH, "LABDXH", 5, 5, "---", 9, true, 1080, 0, 615, 675);
    etichetta(LABDXH, "LABDXH", 6, 5, "---", 9, true, 1680, 0, 615, 675);
    LABDIDA = Casa::NuovaEtichetta(FRM[5], QStringLiteral("LABDIDA"), QStringLiteral("Veloce% / Lento%"), 0xFFFFFF,
                                   QStringLiteral("Tahoma"), 6.75, false, Qt::AlignHCenter);
    Casa::Colloca(LABDIDA, 960, 390, 1455, 315);
    etichetta(LABSXL, "LABSXL", 5, 5, "Bank #2(%)", 8.25, false, 60, 720, 1275, 315);
    etichetta(LABDXL, "LABDXL", 5, 5, "---", 9, true, 1260, 720, 1215, 315);
    etichetta(LABSXL, "LABSXL", 6, 5, "Bank #2(%)", 8.25, false, 60, 1080, 1275, 315);
    etichetta(LABDXL, "LABDXL", 6, 5, "---", 9, true, 1260, 1080, 1215, 315);
}

void FRM_ZEBDashBoard::Form_Load() {
    ModMain::CaricaListeLivelli(this, ListeLivelli_);
    FattoreFont = 1.0f;
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    SHP_Contorno->ColoreBordo(BluScuro);
    LarghezzaPrecedente = Casa::LarghezzaTwips(this);
    AltezzaPrecedente = Casa::AltezzaTwips(this);
    CaricaLingua();
    caricata_ = true;
}

void FRM_ZEBDashBoard::Form_Unload() { caricata_ = false; }

void FRM_ZEBDashBoard::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, ListeLivelli_); }

void FRM_ZEBDashBoard::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    const auto h = Casa::CercaSezione(d, 0, "[Start_ZEB_DASHBOARD]");
    auto voce = [&](int32_t n) { return Casa::VoceSezione(d, h, n); };
    auto testo = [](QLabel* l, const std::string& t) { l->setText(ModMain::TestoLingua(t)); };
    testo(LABSXH[4], voce(1));
    TestoStato2 = voce(2);
    TestoStato3 = voce(3);
    TestoStato4 = voce(4);
    testo(LABSXL[4], voce(5));
    TitoloTempoBenzina = voce(6);
    testo(LABSXH[0], TitoloTempoBenzina);
    testo(LABSXL[0], voce(7));
    testo(LABSXH[1], voce(8));
    testo(LABSXL[1], voce(9));
    testo(LABSXH[2], voce(10));
    testo(LABSXL[2], voce(11));
    testo(LABSXH[3], voce(12));
    testo(LABSXL[3], voce(13));
    testo(LABSXH[5], voce(14));
    testo(LABDIDA, voce(16) + " - " + voce(17));
    TestoStato18 = voce(18);
    TestoStato19 = voce(19);
    testo(LABSXL[5], voce(20));
    testo(LABSXL[6], voce(21));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBDashBoard::VisulizzaBarraVariabili() {
    Casa::IngressiCruscotto x;
    x.Blocco1 = Valori(1);
    x.Blocco2 = Valori(2);
    x.Blocco11 = Valori(11);
    x.Blocco12 = Valori(12);
    x.Live = ModMain::BloccoAppoggio.Valori;
    x.PidPressioneRail = ModEvoObd::PidPressioneRailScelto;
    x.LivelloSupOAut = ModMain::LivelloSup != 0 || ModMain::LivelloAut != 0;
    x.UltimoValoreMem10 = MDIFrm::UltimoValoreMem10;
    x.TitoloTempoBenzina = TitoloTempoBenzina;
    const Casa::RisultatoCruscotto r = Casa::CalcolaCruscotto(x);

    ScriviSeDiverso(LABDXL[4], r.Giri);
    ScriviSeDiverso(LABDXH[0], r.TempoBenzina);
    ScriviSeDiverso(LABSXH[0], r.TitoloBenzina);
    ScriviSeDiverso(LABDXL[0], r.TempoGas);
    ScriviSeDiverso(LABDXH[1], r.TempRiduttore);
    ScriviSeDiverso(LABDXL[1], r.TempGas);
    ScriviSeDiverso(LABDXH[2], r.PressGas);
    ScriviSeDiverso(LABDXL[2], r.PressMap);
    ScriviSeDiverso(LABDXH[7], r.Lambda1);
    ScriviSeDiverso(LABDXL[7], r.Lambda2);
    ScriviSeDiverso(LABDXH[3], r.Analogico1);
    ScriviSeDiverso(LABDXL[3], r.Analogico2);
    ScriviSeDiverso(LABDXH[5], r.TrimVeloce);
    ScriviSeDiverso(LABDXL[5], r.Rail);
    ScriviSeDiverso(LABDXH[6], r.TrimLento);
    ScriviSeDiverso(LABDXL[6], r.LambdaObd);
    ColoraSeDiverso(LABDXH[5], r.ColoreTrimVeloce);
    ColoraSeDiverso(LABDXL[5], r.ColoreRail);
    ColoraSeDiverso(LABDXH[6], r.ColoreTrimLento);
    ColoraSeDiverso(LABDXL[6], r.ColoreLambdaObd);

    const std::string* scelto = &TestoStato19;
    switch (r.Stato) {
    case 2: scelto = &TestoStato2; break;
    case 3: scelto = &TestoStato3; break;
    case 4: scelto = &TestoStato4; break;
    case 18: scelto = &TestoStato18; break;
    default: break;
    }
    auto maiuscolo = [](const std::string& t) { return ModMain::TestoLingua(Conv::UCase(t)); };
    const QString nuovo = maiuscolo(*scelto);
    QLabel* stato = LABDXH[4];
    if (stato->text() == nuovo) return;
    for (const auto& [hz, ms] : Casa::SuoniCambioStato(stato->text(), nuovo, maiuscolo(TestoStato18),
                                                       maiuscolo(TestoStato2), maiuscolo(TestoStato3)))
        Piattaforma::Suona(hz, ms);
    stato->setText(nuovo);
}

void FRM_ZEBDashBoard::Form_Resize() {
    Casa::RidimensionaForma(this, LarghezzaPrecedente, AltezzaPrecedente, FattoreFont);
}

void FRM_ZEBDashBoard::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBDashBoard::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
