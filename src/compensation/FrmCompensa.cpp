#include "compensation/FrmCompensa.h"

#include <algorithm>
#include <cmath>

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "link/ModBlckComandi.h"
#include "link/ModMappeDati.h"
#include "maps/FrmEnterValue.h"
#include "platform/Dialoghi.h"

using namespace ModZebPagina;
namespace C = Compensa;

namespace {

// Design size of the page in pixels (twips / 15).
constexpr double CompensaLarghezza = 1000, CompensaAltezza = 425;
constexpr double CompensaPunti = 8.25;
constexpr int32_t CompensaTesto = 0xFFFFFF;
constexpr int32_t CompensaTitolo = 0xFFFF80;
constexpr int32_t CompensaGiallo = 0xFFFF;
constexpr int32_t CompensaFondoAsse = static_cast<int32_t>(0x8000000F);
constexpr int32_t CompensaFondoDati = static_cast<int32_t>(0x80000005);
constexpr int CompensaPassoScorrimento = 375; // twips per scroll step

void CompensaPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

PulsanteGrafico* CompensaPulsante(QWidget* padre, const QString& nome, int indice) {
    return NuovoPulsante(padre, nome, {.punti = 7.5}, indice);
}

void CompensaColoreTesto(QWidget* w, int32_t bgr) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, Colore(bgr));
    p.setColor(QPalette::Text, Colore(bgr));
    w->setPalette(p);
}

QLineEdit* CompensaCasella(QWidget* padre, const QString& nome, int indice, const QString& testo) {
    auto* t = new QLineEdit(padre);
    if (indice >= 0) ModMain::ImpostaMembro(t, nome, indice);
    else t->setObjectName(nome);
    t->setText(testo);
    t->setAlignment(Qt::AlignCenter);
    ImpostaFont(t, CompensaPunti);
    return t;
}

QString CompensaSchermo(const std::string& s) { return QString::fromUtf8(s.c_str()); }

// Lines joined by CR LF as a label shows them (no line after the last).
QString CompensaRighe(const std::string& s) {
    QString t = QString::fromStdString(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (t.endsWith(QLatin1Char('\n'))) t.chop(1);
    return t;
}

const std::vector<int32_t>* CompensaBlocco(size_t n) {
    return n < TabellaBlocchi.size() ? &TabellaBlocchi[n].Valori : nullptr;
}

} // namespace

FrmCompensa::FrmCompensa(QWidget* contenitore)
    : QWidget(contenitore), proporzioni_(CompensaLarghezza * 15, CompensaAltezza * 15) {
    setObjectName(QStringLiteral("FrmCompensa"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    resize(static_cast<int>(CompensaLarghezza), static_cast<int>(CompensaAltezza));
    timerRipetizione_.setInterval(160);
    connect(&timerRipetizione_, &QTimer::timeout, this, &FrmCompensa::PassoTasto);
    CostruisciControlli();
}

// ---- Construction

void FrmCompensa::CostruisciControlli() {
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture2 = new QWidget(Picture1);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    CompensaPosto(Picture1, 0, 0, CompensaLarghezza, CompensaAltezza);
    CompensaPosto(Picture2, 0, 0, CompensaLarghezza, CompensaAltezza);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    HScroll1->hide();
    VScroll1->hide();
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int) { HScroll1_Change(); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int) { VScroll1_Change(); });

    for (int t = 0; t < C::NumeroTabelle; ++t) CostruisciTabella(t);
    CostruisciSmagrimento();

    // Side panel: the analogue monitor, folded by its button.
    Frm_NewVal = new QWidget(this);
    Frm_NewVal->setObjectName(QStringLiteral("Frm_NewVal"));
    Frm_NewVal->setAutoFillBackground(true);
    {
        QPalette q = Frm_NewVal->palette();
        q.setColor(QPalette::Window, QColor(0, 0, 64));
        Frm_NewVal->setPalette(q);
    }
    ModMain::ImpostaTag(Frm_NewVal, QStringLiteral("SUP"));
    Cmd_NewVal = CompensaPulsante(Frm_NewVal, QStringLiteral("Cmd_NewVal"), -1);
    Lab_NewVal = NuovaEtichetta(Frm_NewVal, QStringLiteral("Lab_NewVal"), CompensaTesto, 7.5, false,
                                Qt::AlignLeft | Qt::AlignTop);
    CompensaPosto(Frm_NewVal, 800, 2, 198, 140);
    CompensaPosto(Cmd_NewVal, 0, 0, 16, 140);
    CompensaPosto(Lab_NewVal, 22, 4, 174, 132);
    connect(Cmd_NewVal, &PulsanteGrafico::Click, this, &FrmCompensa::Cmd_NewVal_Click);
}

void FrmCompensa::CostruisciTabella(int t) {
    static const char* nomiFrame[C::NumeroTabelle] = {"FrmGrdTemp", "FrmGrdTempRid", "FrmGrdPres", "FrmGrdPresBenz",
                                                      "FrmGrdSmag"};
    const auto i = static_cast<size_t>(t);
    auto* f = new QGroupBox(Picture2);
    f->setObjectName(QString::fromLatin1(nomiFrame[t]));
    if (t >= 3) ModMain::ImpostaTag(f, QStringLiteral("SUP"));
    CompensaPosto(f, 2, 2 + t * 84.5, 794, 82);
    FrmGrd[i] = f;

    LblGrd[i] = NuovaEtichetta(f, {}, CompensaTitolo, CompensaPunti, true);
    ModMain::ImpostaMembro(LblGrd[i], QStringLiteral("LblGrd"), t);
    CompensaPosto(LblGrd[i], 6, 3, 300, 18);

    ChkGrd[i] = new QCheckBox(f);
    ModMain::ImpostaMembro(ChkGrd[i], QStringLiteral("ChkGrd"), t);
    CompensaColoreTesto(ChkGrd[i], CompensaTesto);
    ImpostaFont(ChkGrd[i], CompensaPunti);
    if (t <= 3) ModMain::ImpostaTag(ChkGrd[i], QStringLiteral("EXP"));
    CompensaPosto(ChkGrd[i], 308, 3, 112, 18);
    connect(ChkGrd[i], &QCheckBox::clicked, this, [this, t](bool) { ChkGrd_Click(t); });

    CmdMinMaxPressBar[i] = CompensaPulsante(f, QStringLiteral("CmdMinMaxPressBar"), t);
    CmdMinMaxPressBar[i]->Caption(QStringLiteral("Lin.Prs."));
    ModMain::ImpostaTag(CmdMinMaxPressBar[i], QStringLiteral("SUP"));
    CompensaPosto(CmdMinMaxPressBar[i], 424, 2, 82, 20);
    connect(CmdMinMaxPressBar[i], &PulsanteGrafico::Click, this, [this, t] { CmdMinMaxPressBar_Click(t); });
    CmdMinMaxPressPer[i] = CompensaPulsante(f, QStringLiteral("CmdMinMaxPressPer"), t);
    CmdMinMaxPressPer[i]->Caption(QStringLiteral("Lin.%"));
    ModMain::ImpostaTag(CmdMinMaxPressPer[i], QStringLiteral("SUP"));
    CompensaPosto(CmdMinMaxPressPer[i], 510, 2, 82, 20);
    connect(CmdMinMaxPressPer[i], &PulsanteGrafico::Click, this, [this, t] { CmdMinMaxPressPer_Click(t); });
    if (t <= 3) {
        CmdCentraQui[i] = CompensaPulsante(f, QStringLiteral("CmdCentraQui"), t);
        CmdCentraQui[i]->Caption(QStringLiteral("Centra"));
        ModMain::ImpostaTag(CmdCentraQui[i], t == 3 ? QStringLiteral("AUT") : QStringLiteral("EXP"));
        CompensaPosto(CmdCentraQui[i], 598, 2, 132, 20);
        connect(CmdCentraQui[i], &PulsanteGrafico::Click, this, [this, t] { CmdCentraQui_Click(t); });
        TXTFactor[i] = CompensaCasella(f, QStringLiteral("TXTFactor"), t, QStringLiteral("100"));
        ModMain::ImpostaTag(TXTFactor[i], QStringLiteral("AUT"));
        CompensaPosto(TXTFactor[i], 736, 2, 50, 20);
    }

    auto* g = new GrigliaDati(f);
    ModMain::ImpostaMembro(g, QStringLiteral("Grd"), t);
    g->Rows(2);
    g->Cols(C::Colonne);
    g->FixedRows(0);
    g->FixedCols(1);
    // The selection shows in the page's own highlight (EvidenziaCella).
    g->ColoriSelezione(CompensaGiallo, 0);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ImpostaFont(g, CompensaPunti);
    CompensaPosto(g, 6, 24, 590, 54);
    g->installEventFilter(this);
    Grd[i] = g;
    connect(g, &GrigliaDati::EnterCell, this, [this, g] { EvidenziaCella(g); });
    connect(g, &GrigliaDati::Click, this, [this, g] { EvidenziaCella(g); });
    connect(g, &GrigliaDati::LeaveCell, this, [this, g] { RipristinaCella(g); });
    connect(g, &GrigliaDati::KeyDown, this, [this, t](int16_t k, int16_t s) { Grd_KeyDown(t, k, s); });
    connect(g, &GrigliaDati::KeyUp, this, [this, t](int16_t k, int16_t s) { Grd_KeyUp(t, k, s); });

    PctGrd[i] = new FormaPagina(f, {}, 1, true);
    ModMain::ImpostaMembro(PctGrd[i], QStringLiteral("PctGrd"), t);
    PctGrd[i]->ColoreBordo(0x000000);
    PctGrd[i]->ColoreRiempimento(0x00C0FF);
    CompensaPosto(PctGrd[i], 6, 48, 30, 6);

    Shape1[i] = new FormaPagina(f, {}, 1, false);
    ModMain::ImpostaMembro(Shape1[i], QStringLiteral("Shape1"), t);
    Shape1[i]->ColoreBordo(0x806040);
    ModMain::ImpostaTag(Shape1[i], QStringLiteral("SUP"));
    CompensaPosto(Shape1[i], 600, 23, 188, 56);
    LAB_MON[i] = NuovaEtichetta(f, {}, 0x80FF80, 6.5, false, Qt::AlignLeft | Qt::AlignVCenter);
    ModMain::ImpostaMembro(LAB_MON[i], QStringLiteral("LAB_MON"), t);
    LAB_MON[i]->setTextFormat(Qt::PlainText);
    ModMain::ImpostaTag(LAB_MON[i], QStringLiteral("SUP"));
    CompensaPosto(LAB_MON[i], 606, 24, 180, 54);
}

void FrmCompensa::CostruisciSmagrimento() {
    QWidget* f = FrmGrd[4];
    CmbSmagAccIngresso = new QComboBox(f);
    CmbSmagAccIngresso->setObjectName(QStringLiteral("CmbSmagAccIngresso"));
    CmbSmagAccUscita = new QComboBox(f);
    CmbSmagAccUscita->setObjectName(QStringLiteral("CmbSmagAccUscita"));
    for (QComboBox* c : {CmbSmagAccIngresso, CmbSmagAccUscita}) {
        for (int n = 1; n <= 32; ++n) c->addItem(QString::number(n));
        c->setCurrentIndex(-1);
        c->setMaxVisibleItems(16);
        ImpostaFont(c, CompensaPunti);
        ModMain::ImpostaTag(c, QStringLiteral("AUT"));
    }
    CompensaPosto(CmbSmagAccIngresso, 600, 26, 90, 22);
    CompensaPosto(CmbSmagAccUscita, 696, 26, 90, 22);
    connect(CmbSmagAccIngresso, &QComboBox::activated, this, [this](int) { CmbSmagAccIngresso_Click(); });
    connect(CmbSmagAccUscita, &QComboBox::activated, this, [this](int) { CmbSmagAccUscita_Click(); });

    PctSlider = new QWidget(f);
    PctSlider->setObjectName(QStringLiteral("PctSlider"));
    ModMain::ImpostaTag(PctSlider, QStringLiteral("INV"));
    CompensaPosto(PctSlider, 600, 24, 188, 56);
    LBL_Correzione = NuovaEtichetta(PctSlider, QStringLiteral("LBL_Correzione"), CompensaTesto, 7);
    LBL_Permanenza = NuovaEtichetta(PctSlider, QStringLiteral("LBL_Permanenza"), CompensaTesto, 7);
    LBL_SmagMonitor = NuovaEtichetta(PctSlider, QStringLiteral("LBL_SmagMonitor"), CompensaTesto, 7);
    HSC_Correzione = new QScrollBar(Qt::Horizontal, PctSlider);
    HSC_Correzione->setObjectName(QStringLiteral("HSC_Correzione"));
    HSC_Correzione->setRange(-30, 30);
    HSC_Correzione->setValue(0);
    HSC_Permanenza = new QScrollBar(Qt::Horizontal, PctSlider);
    HSC_Permanenza->setObjectName(QStringLiteral("HSC_Permanenza"));
    HSC_Permanenza->setRange(1, 32);
    HSC_Permanenza->setValue(15);
    // One change when the thumb is let go: each change posts request 15.
    HSC_Correzione->setTracking(false);
    HSC_Permanenza->setTracking(false);
    TXT_Correzione = CompensaCasella(PctSlider, QStringLiteral("TXT_Correzione"), -1, QStringLiteral("0"));
    TXT_Permanenza = CompensaCasella(PctSlider, QStringLiteral("TXT_Permanenza"), -1, QStringLiteral("15"));
    SHP_Contorno = new FormaPagina(PctSlider, QStringLiteral("SHP_Contorno"), 1, false);
    SHP_Interno = new FormaPagina(PctSlider, QStringLiteral("SHP_Interno"), 0, true);
    SHP_Interno->ColoreRiempimento(0x6000);
    CompensaPosto(LBL_Correzione, 2, 0, 60, 16);
    CompensaPosto(HSC_Correzione, 64, 0, 80, 16);
    CompensaPosto(TXT_Correzione, 146, 0, 40, 16);
    CompensaPosto(LBL_Permanenza, 2, 19, 60, 16);
    CompensaPosto(HSC_Permanenza, 64, 19, 80, 16);
    CompensaPosto(TXT_Permanenza, 146, 19, 40, 16);
    CompensaPosto(LBL_SmagMonitor, 2, 38, 60, 16);
    CompensaPosto(SHP_Contorno, 64, 38, 122, 16);
    CompensaPosto(SHP_Interno, 66, 40, 6, 12);
    connect(HSC_Correzione, &QScrollBar::valueChanged, this, [this](int) { HSC_Correzione_Change(); });
    connect(HSC_Permanenza, &QScrollBar::valueChanged, this, [this](int) { HSC_Permanenza_Change(); });
}

// ---- Frame

void FrmCompensa::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    LarghezzaPannello = Frm_NewVal->width() * 15;
    Cmd_NewVal->Caption(QStringLiteral(">\r\n>\r\n>"));
    LarghezzaContenuto = Picture2->width() * 15;
    AltezzaContenuto = Picture2->height() * 15;
    RiempiComboSwitch(ModMain::RigheConfigScale);
    RigaEvidenziata = ColonnaEvidenziata = -1;
    for (int t = 0; t < C::NumeroTabelle; ++t) {
        GrigliaDati* g = Grd[static_cast<size_t>(t)];
        g->TextMatrix(0, 0, CompensaSchermo(C::Tabella(t).unita));
        g->TextMatrix(1, 0, QStringLiteral("%"));
        g->CellAlignment(0, 0, 7);
        g->CellAlignment(1, 0, 4);
        for (int c = 1; c < C::Colonne; ++c) {
            g->CellBackColor(0, c, CompensaFondoAsse);
            g->CellAlignment(0, c, 7);
            g->TextMatrix(0, c, QStringLiteral("0"));
            g->CellBackColor(1, c, CompensaFondoDati);
            g->CellAlignment(1, c, 4);
            g->TextMatrix(1, c, QStringLiteral("0"));
        }
        RipristinaCella(g);
    }
    caricata_ = true;
    Form_Resize();
}

void FrmCompensa::Form_Unload() {
    caricata_ = false;
    timerRipetizione_.stop();
    TastoPremuto = false;
}

void FrmCompensa::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FrmCompensa::Form_Resize() {
    if (ridimensionamento_ >= 1) return;
    ridimensionamento_ = 1;
    const int pannello = Frm_NewVal->width();
    proporzioni_.Applica(this);
    // Grid rows share the height; column 0 is 8 % of the width, the data columns 6 % each.
    for (auto* g : Grd) {
        const int32_t h = static_cast<int32_t>(Conv::ArrotondaPari((g->height() * 15.0 - 60) / 2));
        g->RowHeight(0, h);
        g->RowHeight(1, h);
    }
    const double w = Grd[0]->width() * 15.0;
    for (auto* g : Grd) {
        g->ColWidth(0, static_cast<int32_t>(Conv::ArrotondaPari(w * 8 / 100)));
        for (int c = 1; c < C::Colonne; ++c) g->ColWidth(c, static_cast<int32_t>(Conv::ArrotondaPari(w * 6 / 100)));
        // The columns take 98 % of the width: the grid ends at its last
        // column instead of showing an empty strip after it.
        int colonne = 2 * g->frameWidth();
        for (int c = 0; c < C::Colonne; ++c) colonne += g->columnWidth(c);
        g->resize(colonne, g->height());
    }
    for (size_t t = 0; t < Grd.size(); ++t) {
        const int alto = Grd[t]->y() + Grd[t]->RowHeight(0) / 15 - PctGrd[t]->height() / 2;
        PctGrd[t]->move(PctGrd[t]->x(), alto);
        PctGrd[t]->raise();
    }
    ridimensionamento_ = 0;

    // Scrolled content: the bars only where the content is larger than the window.
    const int larghezzaContenuto = Picture2->width(), altezzaContenuto = Picture2->height();
    LarghezzaContenuto = larghezzaContenuto * 15;
    AltezzaContenuto = altezzaContenuto * 15;
    const bool oriz = larghezzaContenuto > width(), vert = altezzaContenuto > height();
    const int vista_l = width() - (vert ? VScroll1->sizeHint().width() : 0);
    const int vista_a = height() - (oriz ? HScroll1->sizeHint().height() : 0);
    Picture1->setGeometry(0, 0, vista_l, vista_a);
    Picture2->move(0, 0);
    HScroll1->setGeometry(0, vista_a, vista_l, height() - vista_a);
    VScroll1->setGeometry(vista_l, 0, width() - vista_l, vista_a);
    HScroll1->setMaximum(std::max(0, static_cast<int>(Conv::ArrotondaPari((LarghezzaContenuto - vista_l * 15.0) / CompensaPassoScorrimento))));
    VScroll1->setMaximum(std::max(0, static_cast<int>(Conv::ArrotondaPari((AltezzaContenuto - vista_a * 15.0) / CompensaPassoScorrimento))));
    HScroll1->setVisible(oriz);
    VScroll1->setVisible(vert);

    // The side panel keeps its folded or open width at the top right corner.
    const bool aperto = pannello * 15 >= LarghezzaPannello || LarghezzaPannello == 0;
    const int piena = Frm_NewVal->width();
    if (caricata_) LarghezzaPannello = piena * 15;
    const int larghezza = aperto ? piena : Cmd_NewVal->width();
    Frm_NewVal->setGeometry(width() - larghezza, Frm_NewVal->y(), larghezza, Frm_NewVal->height());
    Frm_NewVal->raise();
}

void FrmCompensa::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

bool FrmCompensa::eventFilter(QObject* o, QEvent* e) {
    for (size_t t = 0; t < Grd.size(); ++t) {
        GrigliaDati* g = Grd[t];
        if (o != g) continue;
        if (e->type() == QEvent::FocusIn) EvidenziaCella(g);
        if (e->type() == QEvent::FocusOut) {
            // Losing the focus ends a running repetition as a release would.
            if (TastoPremuto) FineRipetizione();
            RipristinaCella(g);
        }
    }
    return QWidget::eventFilter(o, e);
}

void FrmCompensa::AggiornaLivelliVisualizzazione() {
    ModMain::AggiornaLivelliForma(this, liste_);
    ModificaAbilitata = ModMain::LivelloSup || ModMain::LivelloAut;
}

void FrmCompensa::CaricaLingua() {
    const auto m = CercaMarcatore("[FrmCompensaTbl]");
    LblGrd[0]->setText(VoceSchermo(m, 1));
    LblGrd[1]->setText(VoceSchermo(m, 2));
    LblGrd[2]->setText(VoceSchermo(m, 3));
    LblGrd[4]->setText(VoceSchermo(m, 4));
    for (auto* c : ChkGrd) c->setText(VoceSchermo(m, 5));
    for (auto* b : CmdMinMaxPressBar) b->Caption(VoceSchermo(m, 7));
    for (auto* b : CmdMinMaxPressPer) b->Caption(VoceSchermo(m, 8));
    LBL_Permanenza->setText(VoceSchermo(m, 11));
    LBL_Correzione->setText(VoceSchermo(m, 12));
    LBL_SmagMonitor->setText(VoceSchermo(m, 13));
    for (size_t j = 0; j < CmdCentraQui.size(); ++j) {
        TestoCentraQui[j] = Voce(m, 14);
        CmdCentraQui[j]->Caption(VoceSchermo(m, 14));
    }
    LblGrd[3]->setText(VoceSchermo(m, 15));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmCompensa::RiempiComboSwitch(const std::vector<std::string>& righe) {
    // The enleanment lists are fixed at design: nothing on this page comes
    // from the settings lines. Lines that were never loaded are still reported.
    if (righe.empty())
        Piattaforma::MostraMessaggio(QStringLiteral("Error:  RiempiComboSwitch_Err"), QString(),
                                     Piattaforma::IconaMessaggio::Critica);
}

// ---- Blocks and grids

Compensa::Griglia FrmCompensa::TestiGriglia(int t) const {
    C::Griglia g;
    const GrigliaDati* d = Grd[static_cast<size_t>(t)];
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < C::Colonne; ++c)
            g[static_cast<size_t>(r)][static_cast<size_t>(c)] = d->TextMatrix(r, c).toStdString();
    return g;
}

void FrmCompensa::ScriviTesto(int t, int r, int c, const std::string& testo) {
    Grd[static_cast<size_t>(t)]->TextMatrix(r, c, QString::fromStdString(testo));
}

void FrmCompensa::AggiornaTabelledaVettori() {
    for (int t = 0; t < C::NumeroTabelle; ++t) {
        const auto* v = CompensaBlocco(C::Tabella(t).blocco);
        if (!v) continue;
        C::Griglia g = TestiGriglia(t);
        C::TestiDaValori(t, *v, g);
        for (int r = 0; r < 2; ++r)
            for (int c = 1; c < C::Colonne; ++c) ScriviTesto(t, r, c, g[static_cast<size_t>(r)][static_cast<size_t>(c)]);
    }
    GuardiaCaricamento guardia(InCaricamento);
    for (int t = 0; t < C::NumeroTabelle; ++t) {
        const auto* v = CompensaBlocco(C::Tabella(t).blocco);
        if (!v || v->size() < 2) continue;
        const int32_t abilitazione = (*v)[v->size() - 2];
        ChkGrd[static_cast<size_t>(t)]->setChecked(t == 4 ? (abilitazione & 0x8000) != 0 : abilitazione != 0);
    }
    const auto* s = CompensaBlocco(C::Tabella(4).blocco);
    if (s && s->size() >= 3) {
        const size_t n = s->size() - 1;
        auto voci = [](const QComboBox* c) {
            std::vector<std::string> r;
            for (int i = 0; i < c->count(); ++i) r.push_back(c->itemText(i).toStdString());
            return r;
        };
        CmbSmagAccUscita->setCurrentIndex(-1);
        CmbSmagAccUscita->setCurrentIndex(C::PrimaVoceAlmeno(voci(CmbSmagAccUscita), (*s)[n]));
        CmbSmagAccIngresso->setCurrentIndex(-1);
        CmbSmagAccIngresso->setCurrentIndex(C::PrimaVoceAlmeno(voci(CmbSmagAccIngresso), (*s)[n - 1] & 0x7FFF));
        HSC_Correzione->setValue(std::clamp((*s)[n - 2], HSC_Correzione->minimum(), HSC_Correzione->maximum()));
    }
    indiceIngresso_ = CmbSmagAccIngresso->currentIndex();
    indiceUscita_ = CmbSmagAccUscita->currentIndex();
    valoreCorrezione_ = HSC_Correzione->value();
}

void FrmCompensa::AggiornaVettoridaTabelle() {
    std::string* trame[C::NumeroTabelle] = {&ModBlck::FrameComTGasX, &ModBlck::FrameBlocco7, &ModBlck::FrameComPGasX,
                                            &ModBlck::FrameComPBenX, &ModBlck::FrameComSMag};
    for (int t = 0; t < C::NumeroTabelle; ++t) {
        const size_t b = C::Tabella(t).blocco;
        if (b >= TabellaBlocchi.size()) continue;
        std::vector<int32_t> v = TabellaBlocchi[b].Valori;
        C::ValoriDaTesti(t, TestiGriglia(t), v);
        const bool abilitata = ChkGrd[static_cast<size_t>(t)]->isChecked();
        if (t < 4) {
            C::TrailerAbilitazione(v, abilitata);
        } else {
            auto voce = [](const QComboBox* c) -> std::optional<std::string> {
                if (c->currentIndex() < 0) return std::nullopt;
                return c->currentText().toStdString();
            };
            C::TrailerSmagrimento(v, abilitata, voce(CmbSmagAccIngresso), voce(CmbSmagAccUscita));
        }
        *trame[t] = C::TramaTabella(t, TabellaBlocchi[b], v);
    }
}

bool FrmCompensa::SlotOccupato() {
    if (SlotLibero()) return false;
    Bip();
    return true;
}

void FrmCompensa::Conferma(int t) {
    AggiornaVettoridaTabelle();
    ModBlck::TabellaCompensazioneSel = t;
    Posta(REQ_WRITE_COMP_TABLES);
}

void FrmCompensa::ChkGrd_Click(int Index) {
    if (InCaricamento) return;
    QCheckBox* c = ChkGrd[static_cast<size_t>(Index)];
    if (SlotOccupato()) {
        GuardiaCaricamento guardia(InCaricamento);
        c->setChecked(!c->isChecked());
        return;
    }
    Conferma(Index);
}

void FrmCompensa::CalcoloAutomaticoCmpPressBenz() {
    const int32_t ultimo = ModMain::UltimoIndiceAcq;
    // A result the grid cannot hold is refused whole: the grid and the ECU keep their curve.
    if (ultimo < 0 || ultimo > C::ColonneDati - 1 || ModMain::RisultatoAcqX.size() <= static_cast<size_t>(ultimo) ||
        ModMain::RisultatoAcqY.size() <= static_cast<size_t>(ultimo)) {
        Piattaforma::Suona(200, 750);
        return;
    }
    if (SlotOccupato()) return;
    AggiornaTabelledaVettori();
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    for (int32_t i = 0; i <= ultimo; ++i) {
        ScriviTesto(3, 0, i + 1, Conv::NumeroGenerale(ModMain::RisultatoAcqX[static_cast<size_t>(i)], sep));
        ScriviTesto(3, 1, i + 1, Conv::CStr(ModMain::RisultatoAcqY[static_cast<size_t>(i)]));
    }
    Conferma(3);
}

// ---- Grid editing

void FrmCompensa::EvidenziaCella(GrigliaDati* g) {
    if (g->ColSel() < 1) return;
    g->CellBackColor(CompensaGiallo);
    g->CellForeColor(0);
    RigaEvidenziata = g->RowSel();
    ColonnaEvidenziata = g->ColSel();
}

void FrmCompensa::RipristinaCella(GrigliaDati* g) {
    if (g->ColSel() < 1) return;
    g->CellBackColor(g->RowSel() > 0 ? CompensaFondoDati : CompensaFondoAsse);
    g->CellForeColor(0);
    RigaEvidenziata = ColonnaEvidenziata = -1;
}

void FrmCompensa::Grd_KeyDown(int Index, int16_t KeyCode, int16_t Shift) {
    if (!ModificaAbilitata || !SlotLibero()) return;
    if (!C::TastoPiu(KeyCode) && !C::TastoMeno(KeyCode)) return;
    if (TastoPremuto) return; // the keyboard's own repeats
    GrigliaDati* g = Grd[static_cast<size_t>(Index)];
    if (g->Col() < 1) return;
    ripetizione_ = {Index, g->Row(), g->Col(), KeyCode, Shift, g->Text()};
    TastoPremuto = true;
    PassoTasto();
    timerRipetizione_.start();
}

void FrmCompensa::PassoTasto() {
    if (!TastoPremuto || ripetizione_.tabella < 0) return;
    GrigliaDati* g = Grd[static_cast<size_t>(ripetizione_.tabella)];
    const auto l = C::LimitiModificaCella(ripetizione_.riga, ripetizione_.tabella);
    const std::string testo = g->TextMatrix(ripetizione_.riga, ripetizione_.colonna).toStdString();
    const auto v = C::Grezzo(testo, l);
    if (!v) return;
    const int32_t nuovo = C::Passo(*v, ripetizione_.keyCode, ripetizione_.shift, l);
    g->TextMatrix(ripetizione_.riga, ripetizione_.colonna, QString::fromStdString(C::TestoGrezzo(nuovo, l)));
}

void FrmCompensa::FineRipetizione() {
    TastoPremuto = false;
    timerRipetizione_.stop();
    const auto r = ripetizione_;
    ripetizione_.tabella = -1;
    if (r.tabella < 0) return;
    // The request slot may have been taken while the key was held: the cell goes back.
    if (SlotOccupato()) {
        Grd[static_cast<size_t>(r.tabella)]->TextMatrix(r.riga, r.colonna, r.testoIniziale);
        return;
    }
    Conferma(r.tabella);
}

void FrmCompensa::Grd_KeyUp(int Index, int16_t KeyCode, int16_t Shift) {
    (void)Shift;
    if (!ModificaAbilitata) return;
    if (TastoPremuto) FineRipetizione();
    if (KeyCode != 13) return;
    GrigliaDati* g = Grd[static_cast<size_t>(Index)];
    if (g->Col() < 1) return;
    const int riga = g->Row(), colonna = g->Col();
    const auto l = C::LimitiModificaCella(riga, Index);
    const auto d = C::LimitiDialogoCella(l);
    const int32_t operazione =
        ModMapEditor::ChiediValore({d.maxAdd, d.minAdd, d.maxPerc, d.minPerc, d.maxAbs, d.minAbs}, 0);
    const auto cella = C::NumeroCella(g->TextMatrix(riga, colonna).toStdString());
    if (operazione == 0 || !SlotLibero() || !cella) {
        Bip();
        return;
    }
    const double v = C::ApplicaOperazione(operazione, *cella, ModMain::ValoreInserito, l);
    g->TextMatrix(riga, colonna, QString::fromStdString(C::TestoGrezzo(v, l)));
    Conferma(Index);
}

void FrmCompensa::CmdMinMaxPressBar_Click(int Index) {
    if (SlotOccupato()) return;
    GrigliaDati* g = Grd[static_cast<size_t>(Index)];
    const auto primo = C::NumeroCella(g->TextMatrix(0, 1).toStdString());
    const auto ultimo = C::NumeroCella(g->TextMatrix(0, g->Cols() - 1).toStdString());
    if (!primo || !ultimo) return;
    const auto testi = C::SpaziaAsse(*primo, *ultimo, C::Tabella(Index).decimali);
    for (size_t i = 0; i < testi.size(); ++i) ScriviTesto(Index, 0, static_cast<int>(i) + 2, testi[i]);
    Conferma(Index);
}

void FrmCompensa::CmdMinMaxPressPer_Click(int Index) {
    if (SlotOccupato()) return;
    GrigliaDati* g = Grd[static_cast<size_t>(Index)];
    const auto primo = C::NumeroCella(g->TextMatrix(1, 1).toStdString());
    const auto ultimo = C::NumeroCella(g->TextMatrix(1, g->Cols() - 1).toStdString());
    if (!primo || !ultimo) return;
    g->Redraw(false);
    const auto testi = C::SpaziaCorrezioni(*primo, *ultimo);
    for (size_t i = 0; i < testi.size(); ++i) ScriviTesto(Index, 1, static_cast<int>(i) + 2, testi[i]);
    g->Redraw(true);
    Conferma(Index);
}

void FrmCompensa::CmdCentraQui_Click(int Index) {
    if (Index < 0 || Index > 3) {
        Piattaforma::Suona(200, 750);
        return;
    }
    GrigliaDati* g = Grd[static_cast<size_t>(Index)];
    std::vector<std::string> asse;
    for (int c = 1; c < g->Cols(); ++c) asse.push_back(g->TextMatrix(0, c).toStdString());
    const auto righe = C::Centra(Index, g->Row(), g->Col(), asse, TXTFactor[static_cast<size_t>(Index)]->text().toStdString());
    if (!righe) {
        Piattaforma::Suona(200, 750);
        return;
    }
    // Refused while the request slot is taken: the long low beep, unlike the acknowledge.
    if (!SlotLibero()) {
        Piattaforma::Suona(200, 750);
        return;
    }
    Piattaforma::Suona(600, 100);
    for (size_t i = 0; i < righe->size(); ++i) ScriviTesto(Index, 1, static_cast<int>(i) + 1, (*righe)[i]);
    Conferma(Index);
}

void FrmCompensa::Cmd_NewVal_Click() {
    const bool aperto = Frm_NewVal->width() * 15 >= LarghezzaPannello;
    const int piena = LarghezzaPannello / 15;
    const int larghezza = aperto ? Cmd_NewVal->width() : piena;
    Cmd_NewVal->Caption(aperto ? QStringLiteral("<\r\n<\r\n<") : QStringLiteral(">\r\n>\r\n>"));
    Frm_NewVal->setGeometry(width() - larghezza, Frm_NewVal->y(), larghezza, Frm_NewVal->height());
}

// ---- Enleanment

void FrmCompensa::CmbSmagAccIngresso_Click() {
    if (InCaricamento) return;
    if (SlotOccupato()) {
        GuardiaCaricamento guardia(InCaricamento);
        CmbSmagAccIngresso->setCurrentIndex(indiceIngresso_);
        return;
    }
    indiceIngresso_ = CmbSmagAccIngresso->currentIndex();
    Conferma(4);
}

void FrmCompensa::CmbSmagAccUscita_Click() {
    if (InCaricamento) return;
    if (SlotOccupato()) {
        GuardiaCaricamento guardia(InCaricamento);
        CmbSmagAccUscita->setCurrentIndex(indiceUscita_);
        HSC_Permanenza->setValue(valorePermanenza_);
        return;
    }
    indiceUscita_ = CmbSmagAccUscita->currentIndex();
    Conferma(4);
}

void FrmCompensa::HSC_Correzione_Change() {
    HSC_Correzione->setEnabled(false);
    if (!InCaricamento) {
        if (SlotOccupato()) {
            GuardiaCaricamento guardia(InCaricamento);
            HSC_Correzione->setValue(valoreCorrezione_);
        } else {
            valoreCorrezione_ = HSC_Correzione->value();
            ScriviTesto(4, 1, Grd[4]->Cols() - 1, Conv::CStr(HSC_Correzione->value()));
            InterpolaCorrezioniSmag();
        }
    }
    TXT_Correzione->setText(QString::fromStdString(C::TestoCorrezione(HSC_Correzione->value())));
    HSC_Correzione->setEnabled(true);
}

void FrmCompensa::InterpolaCorrezioniSmag() {
    GrigliaDati* g = Grd[4];
    const auto primo = C::NumeroCella(g->TextMatrix(1, 1).toStdString());
    const auto ultimo = C::NumeroCella(g->TextMatrix(1, g->Cols() - 1).toStdString());
    if (primo && ultimo) {
        const auto testi = C::InterpolaSmag(*primo, *ultimo);
        for (size_t i = 0; i < testi.size(); ++i) ScriviTesto(4, 1, static_cast<int>(i) + 2, testi[i]);
    }
    Conferma(4);
}

void FrmCompensa::HSC_Permanenza_Change() {
    HSC_Permanenza->setEnabled(false);
    if (!InCaricamento) {
        if (SlotOccupato()) {
            GuardiaCaricamento guardia(InCaricamento);
            HSC_Permanenza->setValue(valorePermanenza_);
        } else {
            valorePermanenza_ = HSC_Permanenza->value();
            CmbSmagAccUscita->setCurrentIndex(HSC_Permanenza->value() - 1);
            CmbSmagAccUscita_Click();
        }
    }
    TXT_Permanenza->setText(QString::number(HSC_Permanenza->value()));
    HSC_Permanenza->setEnabled(true);
}

void FrmCompensa::HScroll1_Change() { Picture2->move(-CompensaPassoScorrimento * HScroll1->value() / 15, Picture2->y()); }
void FrmCompensa::VScroll1_Change() { Picture2->move(Picture2->x(), -CompensaPassoScorrimento * VScroll1->value() / 15); }

// ---- Live view

void FrmCompensa::VisualizzaPuntoTabella() {
    static const std::vector<int32_t> vuoto;
    const auto* b1 = CompensaBlocco(1);
    const std::vector<int32_t>& vivo = b1 ? *b1 : vuoto;
    const QString monitor = CompensaRighe(C::TestoMonitor(vivo));
    if (Lab_NewVal->text() != monitor) Lab_NewVal->setText(monitor);

    for (int t = 0; t < C::NumeroTabelle; ++t) {
        const auto i = static_cast<size_t>(t);
        const auto p = C::ColonnaViva(t, vivo);
        if (!p) continue; // no live value: the marker stays where it is
        GrigliaDati* g = Grd[i];
        const int l0 = g->x() + g->ColWidth(0) / 15;
        const int w = std::max(1, g->ColWidth(1) / 15);
        const int massimo = l0 + w * (g->Cols() - 1) - w;
        const int x = std::clamp(l0 + w * *p, l0, std::max(l0, massimo));
        PctGrd[i]->setGeometry(x, PctGrd[i]->y(), w, PctGrd[i]->height());
    }

    for (size_t j = 0; j < CmdCentraQui.size(); ++j) {
        GrigliaDati* g = Grd[j];
        const bool valida = C::CentraturaValida(g->Row(), g->Col());
        QString testo = CompensaSchermo(TestoCentraQui[j]);
        if (valida) testo += QStringLiteral(" [") + g->TextMatrix(g->Row(), g->Col()) + QStringLiteral("]");
        CmdCentraQui[j]->setEnabled(valida);
        if (CmdCentraQui[j]->Caption() != testo) CmdCentraQui[j]->Caption(testo);
    }

    const int larghezza = std::max(1, (SHP_Contorno->width() * 15 - 60) / (Grd[4]->Cols() - 1) - 15) / 15;
    SHP_Interno->resize(std::max(1, larghezza), SHP_Interno->height());
    const bool marcia = (C::Valore(vivo, 37).value_or(0) & 1) != 0;
    if (marcia && ChkGrd[4]->isChecked()) {
        SHP_Interno->show();
        const auto* b2 = CompensaBlocco(2);
        const int32_t stato = b2 ? C::Valore(*b2, 1).value_or(0) : 0;
        SHP_Interno->ColoreRiempimento(stato != 0 ? 0x6000 : 0x60);
    } else {
        SHP_Interno->hide();
    }
}

void FrmCompensa::IndiciEsperti() {
    static const std::vector<int32_t> vuoto;
    const auto* b1 = CompensaBlocco(1);
    for (int t = 0; t < C::NumeroTabelle; ++t) {
        const auto* v = CompensaBlocco(C::Tabella(t).blocco);
        const auto indice = C::IndiceVivo(t, b1 ? *b1 : vuoto);
        const QString testo = CompensaRighe(C::TestoEsperto(t, v ? *v : vuoto, indice.value_or(0)));
        if (LAB_MON[static_cast<size_t>(t)]->text() != testo) LAB_MON[static_cast<size_t>(t)]->setText(testo);
    }
}
