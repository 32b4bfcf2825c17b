#include "switchover/FRM_ZEBLambda.h"

#include <QtCore/QPointer>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "controls/GrigliaDati.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "link/ModBlckDatiLive.h"
#include "maps/FrmEnterValue.h"
#include "platform/Dialoghi.h"
#include "switchover/LambdaRegole.h"

using namespace ModZebPagina;
namespace L = LambdaRegole;

namespace {

constexpr double LambdaLarghezza = 15000, LambdaAltezza = 6375;
constexpr double LambdaPunti = 8.25;
constexpr int32_t LambdaTesto = 0xFFFFFF, LambdaValore = 0xFFFF80;

void LambdaPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

char LambdaSep() { return ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0]; }

std::optional<int32_t> LambdaValoreBlocco(size_t b, size_t k) {
    if (b >= TabellaBlocchi.size() || k >= TabellaBlocchi[b].Valori.size()) return std::nullopt;
    return TabellaBlocchi[b].Valori[k];
}

QComboBox* LambdaCombo(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setMaxVisibleItems(16);
    ImpostaFont(c, LambdaPunti);
    // A locked list must stay readable: dark grey text on the light face
    // instead of the style's pale grey.
    QPalette p = c->palette();
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x50, 0x50, 0x50));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x50, 0x50, 0x50));
    c->setPalette(p);
    return c;
}

QLabel* LambdaEtichetta(QWidget* padre, const char* nome, int32_t colore = LambdaTesto, bool grassetto = false) {
    return NuovaEtichetta(padre, QString::fromLatin1(nome), colore, LambdaPunti, grassetto, Qt::AlignLeft | Qt::AlignTop);
}

GrigliaDati* LambdaGriglia(QWidget* padre, const char* nome, int righe, int colonne) {
    auto* g = new GrigliaDati(padre);
    g->setObjectName(QString::fromLatin1(nome));
    g->Rows(righe);
    g->Cols(colonne);
    g->FixedRows(0);
    g->FixedCols(0);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ImpostaFont(g, LambdaPunti);
    return g;
}

void LambdaSfondo(QLineEdit* t, int32_t bgr) {
    QPalette p = t->palette();
    p.setColor(QPalette::Base, Colore(bgr));
    p.setColor(QPalette::Text, Qt::black);
    t->setPalette(p);
}

} // namespace

FRM_ZEBLambda::FRM_ZEBLambda(QWidget* contenitore) : QWidget(contenitore), proporzioni_(LambdaLarghezza, LambdaAltezza) {
    setObjectName(QStringLiteral("FRM_ZEBLambda"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    resize(static_cast<int>(LambdaLarghezza / 15), static_cast<int>(LambdaAltezza / 15));
    CostruisciControlli();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive) FermaTasto();
    });
}

FRM_ZEBLambda::~FRM_ZEBLambda() { TastoPremuto = false; }

void FRM_ZEBLambda::CostruisciControlli() {
    SHP_Contorno = new FormaPagina(this, QStringLiteral("SHP_Contorno"), 1, false);
    LambdaPosto(SHP_Contorno, 0, 0, 1000, 425);
    for (int i = 0; i < 5; ++i) {
        auto* s = new FormaPagina(this, {}, 1, false);
        ModMain::ImpostaMembro(s, QStringLiteral("SHP"), i);
        s->ColoreBordo(0x806040);
        SHP.push_back(s);
    }
    LambdaPosto(SHP[4], 8, 8, 292, 410);  // sensors
    LambdaPosto(SHP[0], 308, 8, 440, 100); // thresholds
    LambdaPosto(SHP[2], 756, 8, 236, 100); // live outputs
    LambdaPosto(SHP[3], 308, 116, 684, 302); // map
    LambdaPosto(SHP[1], 308, 116, 684, 302); // in the map's place while it is hidden
    ModMain::ImpostaTag(SHP[0], QStringLiteral("EXP"));
    ModMain::ImpostaTag(SHP[2], QStringLiteral("EXP"));
    ModMain::ImpostaTag(SHP[3], QStringLiteral("SUP"));

    // Sensors and emulation switch: caption above each list.
    LblTipoSonda = new QLineEdit(this);
    LblTipoSonda->setObjectName(QStringLiteral("LblTipoSonda"));
    LblTipoSonda->setReadOnly(true);
    LblTipoSonda->setFrame(false);
    LblTipoSonda->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblTipoSonda->setTextMargins(0, 0, 0, 0);
    {
        QPalette t = LblTipoSonda->palette();
        t.setColor(QPalette::Base, Qt::black);
        t.setColor(QPalette::Text, Qt::white);
        LblTipoSonda->setPalette(t);
    }
    ImpostaFont(LblTipoSonda, LambdaPunti);
    LblAbilEmula = LambdaEtichetta(this, "LblAbilEmula");
    LblSonda1 = LambdaEtichetta(this, "LblSonda1");
    LblSonda2 = LambdaEtichetta(this, "LblSonda2");
    LblRitardo = LambdaEtichetta(this, "LblRitardo");
    LblFiltro = LambdaEtichetta(this, "LblFiltro");
    CmbSondaSel = LambdaCombo(this, "CmbSondaSel");
    CmbAbilEmula = LambdaCombo(this, "CmbAbilEmula");
    CmbSonda1 = LambdaCombo(this, "CmbSonda1");
    CmbSonda2 = LambdaCombo(this, "CmbSonda2");
    CmbRitardo = LambdaCombo(this, "CmbRitardo");
    CmbFiltro = LambdaCombo(this, "CmbFiltro");
    LblAdatAttiva = LambdaEtichetta(this, "LblAdatAttiva", 0x0000FF, true);
    LblAdatAttiva->setText(QStringLiteral("**obd attivo"));
    QWidget* didascalie[6] = {LblTipoSonda, LblAbilEmula, LblSonda1, LblSonda2, LblRitardo, LblFiltro};
    QComboBox* liste[6] = {CmbSondaSel, CmbAbilEmula, CmbSonda1, CmbSonda2, CmbRitardo, CmbFiltro};
    for (int i = 0; i < 6; ++i) {
        LambdaPosto(didascalie[i], 20, 18 + i * 66, 270, 22);
        LambdaPosto(liste[i], 20, 42 + i * 66, 260, 22);
    }
    LambdaPosto(LblAdatAttiva, 20, 42 + 66, 260, 22);
    LblAdatAttiva->hide();
    ModMain::ImpostaTag(LblRitardo, QStringLiteral("EXP"));
    ModMain::ImpostaTag(CmbRitardo, QStringLiteral("EXP"));
    ModMain::ImpostaTag(LblFiltro, QStringLiteral("SUP"));
    ModMain::ImpostaTag(CmbFiltro, QStringLiteral("SUP"));

    // Thresholds.
    LblAnte = LambdaEtichetta(this, "LblAnte", LambdaValore, true);
    LblPost = LambdaEtichetta(this, "LblPost", LambdaValore, true);
    LblEmulLevAlto = LambdaEtichetta(this, "LblEmulLevAlto");
    LblEmulLevBasso = LambdaEtichetta(this, "LblEmulLevBasso");
    LambdaPosto(LblAnte, 560, 16, 84, 22);
    LambdaPosto(LblPost, 652, 16, 84, 22);
    LambdaPosto(LblEmulLevAlto, 320, 47, 236, 22);
    LambdaPosto(LblEmulLevBasso, 320, 77, 236, 22);
    const char* nomi[4] = {"TxtEmulLevAltoAnte", "TxtEmulLevBassoAnte", "TxtEmulLevAltoPost", "TxtEmulLevBassoPost"};
    for (int i = 0; i < 4; ++i) {
        auto* t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(nomi[i]));
        t->setAlignment(Qt::AlignCenter);
        ImpostaFont(t, LambdaPunti);
        LambdaSfondo(t, 0xC0C0C0);
        LambdaPosto(t, i < 2 ? 560 : 652, i % 2 == 0 ? 44 : 74, 84, 24);
        ModMain::ImpostaTag(t, QStringLiteral("EXP"));
        t->installEventFilter(this);
        connect(t, &QLineEdit::textChanged, this, [this, i](const QString&) { Soglia_Change(i); });
        TxtSoglia[static_cast<size_t>(i)] = t;
    }
    TxtEmulLevAltoAnte = TxtSoglia[0];
    TxtEmulLevBassoAnte = TxtSoglia[1];
    TxtEmulLevAltoPost = TxtSoglia[2];
    TxtEmulLevBassoPost = TxtSoglia[3];
    for (QWidget* w : std::initializer_list<QWidget*>{LblAnte, LblPost, LblEmulLevAlto, LblEmulLevBasso})
        ModMain::ImpostaTag(w, QStringLiteral("EXP"));

    // Live outputs.
    LblLambdaOut1 = LambdaEtichetta(this, "LblLambdaOut1");
    LblLambdaOut2 = LambdaEtichetta(this, "LblLambdaOut2");
    TxtLambdaOut1 = LambdaEtichetta(this, "TxtLambdaOut1", LambdaValore, true);
    TxtLambdaOut2 = LambdaEtichetta(this, "TxtLambdaOut2", LambdaValore, true);
    // Until the emulation runs the outputs hold no value.
    TxtLambdaOut1->setText(QStringLiteral(" - - "));
    TxtLambdaOut2->setText(QStringLiteral(" - - "));
    LambdaPosto(LblLambdaOut1, 768, 30, 150, 22);
    LambdaPosto(TxtLambdaOut1, 922, 30, 64, 22);
    LambdaPosto(LblLambdaOut2, 768, 68, 150, 22);
    LambdaPosto(TxtLambdaOut2, 922, 68, 64, 22);
    for (QWidget* w : std::initializer_list<QWidget*>{LblLambdaOut1, LblLambdaOut2, TxtLambdaOut1, TxtLambdaOut2})
        ModMain::ImpostaTag(w, QStringLiteral("EXP"));

    // The map.
    FrmEmulation = new QGroupBox(this);
    FrmEmulation->setObjectName(QStringLiteral("FrmEmulation"));
    FrmEmulation->setFlat(true);
    FrmEmulation->setStyleSheet(QStringLiteral("QGroupBox { border: 0px; }"));
    LambdaPosto(FrmEmulation, 312, 120, 676, 294);
    ModMain::ImpostaTag(FrmEmulation, QStringLiteral("SUP"));
    LblTabSoglie = LambdaEtichetta(FrmEmulation, "LblTabSoglie", LambdaValore, true);
    LambdaPosto(LblTabSoglie, 8, 4, 660, 270);
    GrdTitolo = LambdaGriglia(FrmEmulation, "GrdTitolo", 1, 1);
    GrdTitolo->setFocusPolicy(Qt::NoFocus);
    GrdTitolo->setSelectionMode(QAbstractItemView::NoSelection);
    GrdTitolo->setAttribute(Qt::WA_TransparentForMouseEvents);
    GrdRpm = LambdaGriglia(FrmEmulation, "GrdRpm", 1, L::Colonne);
    GrdBar = LambdaGriglia(FrmEmulation, "GrdBar", L::Righe, 1);
    GrdEmul = LambdaGriglia(FrmEmulation, "GrdEmul", L::Righe, L::Colonne);
    // The selection shows in the page's own highlight (EvidenziaCella).
    for (GrigliaDati* g : {GrdRpm, GrdBar, GrdEmul}) g->ColoriSelezione(0x00FFFF, 0);
    PctGrdLambda = new QWidget(FrmEmulation);
    PctGrdLambda->setObjectName(QStringLiteral("PctGrdLambda"));
    PctGrdLambda->setAttribute(Qt::WA_TransparentForMouseEvents);
    PctGrdLambda->setStyleSheet(QStringLiteral("border: 2px solid red; background: transparent;"));
    PctGrdLambda->setAttribute(Qt::WA_StyledBackground);
    PctGrdLambda->hide();

    SHP_Contorno->lower();
    for (auto* s : SHP) s->lower();

    auto combo = [this](QComboBox* c, void (FRM_ZEBLambda::*gestore)()) {
        connect(c, &QComboBox::activated, this, [this, gestore](int) { (this->*gestore)(); });
    };
    combo(CmbAbilEmula, &FRM_ZEBLambda::CmbAbilEmula_Click);
    combo(CmbFiltro, &FRM_ZEBLambda::CmbFiltro_Click);
    combo(CmbRitardo, &FRM_ZEBLambda::CmbRitardo_Click);
    combo(CmbSonda1, &FRM_ZEBLambda::CmbSonda1_Click);
    combo(CmbSonda2, &FRM_ZEBLambda::CmbSonda2_Click);
    combo(CmbSondaSel, &FRM_ZEBLambda::CmbSondaSel_Click);
    GrigliaDati* griglie[3] = {GrdRpm, GrdBar, GrdEmul};
    for (int i = 0; i < 3; ++i) {
        GrigliaDati* g = griglie[i];
        connect(g, &GrigliaDati::KeyDown, this, [this, i](int16_t k, int16_t s) { Griglia_KeyDown(i, k, s); });
        connect(g, &GrigliaDati::KeyUp, this, [this, i](int16_t k, int16_t s) { Griglia_KeyUp(i, k, s); });
        connect(g, &GrigliaDati::EnterCell, this, [this, g] {
            if (!InCaricamento) EvidenziaCella(g);
        });
        connect(g, &GrigliaDati::Click, this, [this, g] {
            if (!InCaricamento) EvidenziaCella(g);
        });
        connect(g, &GrigliaDati::LeaveCell, this, [this, g] {
            if (!InCaricamento) RipristinaColoriGriglia(g);
        });
        g->installEventFilter(this);
    }
    LblTipoSonda->installEventFilter(this);
}

bool FRM_ZEBLambda::eventFilter(QObject* o, QEvent* e) {
    const auto t = e->type();
    for (int i = 0; i < 4; ++i) {
        if (o != TxtSoglia[static_cast<size_t>(i)]) continue;
        if (t == QEvent::FocusIn) Soglia_GotFocus(i);
        if (t == QEvent::FocusOut) Soglia_LostFocus(i);
        if (t == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat())
            Soglia_KeyUp(i, GrigliaDati::CodiceTasto(static_cast<QKeyEvent*>(e)));
        return QWidget::eventFilter(o, e);
    }
    if (o == GrdRpm || o == GrdBar || o == GrdEmul) {
        auto* g = static_cast<GrigliaDati*>(o);
        if (t == QEvent::FocusIn && !InCaricamento) EvidenziaCella(g);
        if (t == QEvent::FocusOut || t == QEvent::Hide) {
            FermaTasto();
            if (t == QEvent::FocusOut && !InCaricamento) RipristinaColoriGriglia(g);
        }
    }
    return QWidget::eventFilter(o, e);
}

// ---- Frame

void FRM_ZEBLambda::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    SHP_Contorno->ColoreBordo(0x400000);
    CaricaLingua();
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    {
        GuardiaCaricamento guardia(InCaricamento);
        for (int r = 0; r < L::Righe; ++r)
            for (int c = 0; c < L::Colonne; ++c) GrdEmul->CellAlignment(r, c, 4);
        for (int c = 0; c < L::Colonne; ++c) {
            GrdRpm->CellAlignment(0, c, 4);
            GrdRpm->CellBackColor(0, c, 0xFFFFFF);
        }
        for (int r = 0; r < L::Righe; ++r) {
            GrdBar->CellAlignment(r, 0, 4);
            GrdBar->CellBackColor(r, 0, 0xFFFFFF);
        }
        GrdTitolo->CellAlignment(0, 0, 4);
        GrdTitolo->CellBackColor(0, 0, 0xFFFFFF);
    }
    caricata_ = true;
    Form_Resize();
}

void FRM_ZEBLambda::Form_Unload() {
    caricata_ = false;
    TastoPremuto = false;
}

void FRM_ZEBLambda::Form_Resize() {
    // A zero size is ignored; the places come from the design.
    if (!proporzioni_.Applica(this)) return;
    DisponiGriglie();
    for (auto* t : TxtSoglia) t->resize(t->width(), std::max(t->height(), LblEmulLevAlto->height()));
}

void FRM_ZEBLambda::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBLambda::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FRM_ZEBLambda::DisponiGriglie() {
    // In pixels: the pressure column 11 % of the caption's width, the twelve
    // map columns 88 %, rows a sixth of its height; the four grids make one table.
    const QRect t = LblTabSoglie->geometry();
    const int b = t.width() * 11 / 100, w = t.width() * 88 / 100 / L::Colonne;
    const int h = std::max(t.height() / 6, 1);
    const int bordo = 2;
    GrdBar->ColWidth(0, b * 15);
    for (int c = 0; c < L::Colonne; ++c) {
        GrdRpm->ColWidth(c, w * 15);
        GrdEmul->ColWidth(c, w * 15);
    }
    GrdRpm->RowHeight(0, h * 15);
    for (int r = 0; r < L::Righe; ++r) {
        GrdBar->RowHeight(r, h * 15);
        GrdEmul->RowHeight(r, h * 15);
    }
    GrdTitolo->ColWidth(0, b * 15);
    GrdTitolo->RowHeight(0, h * 15);
    const int x0 = t.x() + 2, y0 = t.y() + h * 2 / 3;
    GrdTitolo->setGeometry(x0, y0, b + bordo, h + bordo);
    GrdRpm->setGeometry(x0 + b + bordo, y0, w * L::Colonne + bordo, h + bordo);
    GrdBar->setGeometry(x0, y0 + h + bordo, b + bordo, h * L::Righe + bordo);
    GrdEmul->setGeometry(x0 + b + bordo, y0 + h + bordo, w * L::Colonne + bordo, h * L::Righe + bordo);
    // The largest font (8 to 14 points) in which a four-digit breakpoint fits a map column.
    QFont f = GrdEmul->font();
    double punti = 14;
    for (; punti > 8; punti -= 1) {
        f.setPointSizeF(punti);
        const QFontMetrics m(f);
        if (m.horizontalAdvance(QStringLiteral("0000")) <= w - 8 && m.height() <= h - 4) break;
    }
    for (GrigliaDati* g : {GrdTitolo, GrdRpm, GrdBar, GrdEmul}) g->FontSize(punti);
    PctGrdLambda->resize(w, h);
}

void FRM_ZEBLambda::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBLambda::CaricaLingua() {
    const auto k = CercaMarcatore("[Frm_ConfLambda]");
    LblTipoSonda->setText(VoceSchermo(k, 1));
    LblAbilEmula->setText(VoceSchermo(k, 2));
    LblSonda1->setText(VoceSchermo(k, 3));
    LblSonda2->setText(VoceSchermo(k, 4));
    LblRitardo->setText(VoceSchermo(k, 5));
    LblAnte->setText(VoceSchermo(k, 6));
    LblPost->setText(VoceSchermo(k, 7));
    LblEmulLevAlto->setText(VoceSchermo(k, 8));
    LblEmulLevBasso->setText(VoceSchermo(k, 9));
    LblTabSoglie->setText(VoceSchermo(k, 10));
    LblAdatAttiva->setText(VoceSchermo(k, 11));
    GrdTitolo->TextMatrix(0, 0, VoceSchermo(k, 12));
    LblFiltro->setText(VoceSchermo(k, 14));
    LblLambdaOut1->setText(VoceSchermo(k, 15));
    LblLambdaOut2->setText(VoceSchermo(k, 16));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBLambda::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    const int16_t charset = ModMain::CharsetCorrente();
    const std::string spento = ModMain::TestoVoce(19);
    for (size_t d = 0; d < righe.size(); ++d) {
        QComboBox* c = nullptr;
        if (righe[d] == "[Ritardo attivazione Emulaz s]") c = CmbRitardo;
        else if (righe[d] == "[Filtro lambda]") c = CmbFiltro;
        if (!c) continue;
        const auto lista = RigaDopo(righe, d, 1);
        if (!lista) {
            ModGlobFunct::MostraErrore("FRM_ZEBLambdaError 003", "Config error", false);
            continue;
        }
        ModGlobFunct::RiempiComboDaLista(c == CmbFiltro ? spento + "|" + *lista : *lista, c, 0, charset);
    }
    RiempiCombo(CmbAbilEmula, spento + "|" + ModMain::TestoVoce(18));
    const std::string tipi = ModMain::TestoVoce(51) + "|" + ModMain::TestoVoce(52) + "|" + ModMain::TestoVoce(53);
    RiempiCombo(CmbSonda1, tipi);
    RiempiCombo(CmbSonda2, tipi);
    CmbSondaSel->clear();
    for (size_t i = 0; i < ModBlck::SondeLambda.size(); ++i)
        CmbSondaSel->addItem(i == 0 ? ModMain::VoceLingua(19) : ModMain::TestoLingua(ModBlck::SondeLambda[i].Nome));
}

bool FRM_ZEBLambda::ModoCodice() const { return ModMain::LeggiTag(GrdEmul) == QStringLiteral("1"); }

void FRM_ZEBLambda::AggiornaSelezioni() {
    GuardiaCaricamento guardia(InCaricamento);
    const char sep = LambdaSep();
    const bool emul = (LambdaValoreBlocco(2, 2).value_or(0) & 0x10) != 0;
    int32_t p = -1;
    if (const auto v = LambdaValoreBlocco(3, 38)) p = ModBlck::CercaIndiceLambda(static_cast<int16_t>(*v));
    CmbSondaSel->setCurrentIndex(p < CmbSondaSel->count() ? p : -1);
    const auto a = L::Abilita(p, emul, CmbSondaSel->currentIndex());
    TxtEmulLevAltoAnte->setEnabled(a.soglieAnte);
    TxtEmulLevBassoAnte->setEnabled(a.soglieAnte);
    TxtEmulLevAltoPost->setEnabled(a.soglieDopo);
    TxtEmulLevBassoPost->setEnabled(a.soglieDopo);
    for (GrigliaDati* g : {GrdBar, GrdEmul, GrdRpm}) g->setEnabled(a.griglie);
    CmbAbilEmula->setCurrentIndex(emul ? 1 : 0);
    if (const auto v = LambdaValoreBlocco(11, 69)) CmbSonda1->setCurrentIndex(*v >= 0 && *v <= 2 ? *v : -1);
    if (const auto v = LambdaValoreBlocco(11, 70)) {
        const int32_t s2 = *v & 0x0F, f = (*v & 0xF0) / 16;
        CmbSonda2->setCurrentIndex(s2 <= 2 ? s2 : -1);
        CmbFiltro->setCurrentIndex(f < CmbFiltro->count() ? f : -1);
    }
    if (const auto v = LambdaValoreBlocco(11, 64)) {
        std::vector<std::optional<double>> s;
        for (int i = 0; i < CmbRitardo->count(); ++i) s.push_back(NumeroVoce(CmbRitardo->itemText(i)));
        CmbRitardo->setCurrentIndex(L::IndiceRitardo(s, *v));
    }
    for (int i = 0; i < 4; ++i)
        if (const auto v = LambdaValoreBlocco(11, static_cast<size_t>(65 + i)))
            TxtSoglia[static_cast<size_t>(i)]->setText(QString::fromStdString(L::TestoVolt(*v, sep)));
    for (int c = 0; c < L::Colonne; ++c)
        if (const auto v = LambdaValoreBlocco(11, static_cast<size_t>(c))) GrdRpm->TextMatrix(0, c, QString::number(*v));
    for (int r = 0; r < L::Righe; ++r)
        if (const auto v = LambdaValoreBlocco(11, static_cast<size_t>(12 + r))) GrdBar->TextMatrix(r, 0, QString::number(*v));
    ModMain::ImpostaTag(GrdEmul, p == 5 ? QStringLiteral("1") : QStringLiteral("0"));
    const bool codice = ModoCodice();
    for (int c = 0; c < L::Colonne; ++c)
        for (int r = 0; r < L::Righe; ++r)
            if (const auto v = LambdaValoreBlocco(11, static_cast<size_t>(L::IndiceMappa(r, c))))
                GrdEmul->TextMatrix(r, c, QString::fromStdString(L::TestoCella(*v, codice, sep)));
    CmbAbilEmula->setVisible(true);
    LblAdatAttiva->setVisible(false);
    const bool sonde = CmbSondaSel->currentIndex() != 0;
    CmbSonda1->setEnabled(sonde);
    CmbSonda2->setEnabled(sonde);
    CmbFiltro->setEnabled(sonde);
    CmbRitardo->setEnabled(sonde && emul);
    for (auto* t : TxtSoglia) LambdaSfondo(t, 0xC0C0C0);
    if (isVisible()) LblTipoSonda->setFocus();
}

// ---- Combo edits

bool FRM_ZEBLambda::Guardie() const { return !InCaricamento && SlotLibero(); }

void FRM_ZEBLambda::PostaEmulazione() { Posta(REQ_WRITE_LAMBDA_EMULATION); }

void FRM_ZEBLambda::CmbAbilEmula_Click() {
    if (InCaricamento) return;
    if (LambdaValoreBlocco(2, 2).value_or(0) & 0x04) {
        Piattaforma::MostraMessaggio(ModMain::VoceLingua(36), QString::fromLatin1(Applicazione::TitoloApplicazione));
        return;
    }
    if (!SlotLibero()) return;
    ModificaSingola(ModBlck::ModificheBlocco2, CmbAbilEmula->currentIndex() != 0 ? 1 : 0, 2, 0x10);
    Posta(REQ_WRITE_BLK2);
}

void FRM_ZEBLambda::CmbRitardo_Click() {
    if (!Guardie() || CmbRitardo->currentIndex() < 0) return;
    // An item that is no number writes nothing.
    const auto s = NumeroVoce(CmbRitardo->currentText());
    if (!s || *s < 0 || *s > 65.535) return AggiornaSelezioni();
    ModificaSingola(ModBlck::ModificheBlocco11, static_cast<int32_t>(Conv::ArrotondaPari(*s * 1000.0)), 64, 0);
    PostaEmulazione();
}

void FRM_ZEBLambda::CmbSonda1_Click() {
    if (!Guardie() || CmbSonda1->currentIndex() < 0) return;
    ModificaSingola(ModBlck::ModificheBlocco11, CmbSonda1->currentIndex(), 69, 0);
    PostaEmulazione();
}

void FRM_ZEBLambda::CmbSonda2_Click() {
    if (!Guardie() || CmbSonda2->currentIndex() < 0) return;
    ModificaSingola(ModBlck::ModificheBlocco11, L::ParolaSonda2(LambdaValoreBlocco(11, 70).value_or(0), CmbSonda2->currentIndex()),
                    70, 0);
    PostaEmulazione();
}

void FRM_ZEBLambda::CmbFiltro_Click() {
    if (!Guardie() || CmbFiltro->currentIndex() < 0 || CmbFiltro->currentIndex() > 15) return;
    ModificaSingola(ModBlck::ModificheBlocco11, L::ParolaFiltro(LambdaValoreBlocco(11, 70).value_or(0), CmbFiltro->currentIndex()),
                    70, 0);
    PostaEmulazione();
}

void FRM_ZEBLambda::CmbSondaSel_Click() {
    if (!Guardie()) return;
    // A position no preset carries stages nothing: the page shows what is stored again.
    const auto m = L::Preset(ModBlck::SondeLambda, CmbSondaSel->currentIndex());
    if (!m) return AggiornaSelezioni();
    ModBlck::ModificheBlocco3 = m->blocco3;
    ModBlck::ModificheBlocco11 = m->blocco11;
    ModMain::ImpostaTag(GrdEmul, m->modoCodice ? QStringLiteral("1") : QStringLiteral("0"));
    Posta(REQ_WRITE_LAMBDA_PROBE);
}
