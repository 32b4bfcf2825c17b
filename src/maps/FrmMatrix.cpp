#include "maps/FrmMatrix.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QFontMetrics>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>

#include "controls/FontComboRinviato.h"
#include "controls/MDIFrmGriglie.h"
#include "controls/ModZebPagina.h"
#include "core/Conversioni.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainTasti.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "maps/ColoriMappa.h"
#include "maps/EditorMappa.h"
#include "maps/MappeOperazioni.h"
#include "maps/OpzioniMappa.h"

namespace FrmMatrix_ {

// Left column of the page, pixels.
constexpr int Margine = 6;
constexpr int LarghezzaPulsante = 56;
constexpr int AltezzaPulsante = 30;
constexpr int XOpzioni = Margine + LarghezzaPulsante + 6;
constexpr int LarghezzaOpzioni = 124;
constexpr int XGriglia = XOpzioni + LarghezzaOpzioni + 8;
constexpr int YGriglia = 22;

QLabel* Etichetta(QWidget* padre, const QString& nome, bool chiara = true) {
    auto* l = new QLabel(padre);
    l->setObjectName(nome);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, chiara ? Qt::white : Qt::black);
    l->setPalette(p);
    return l;
}

PulsanteGrafico* NuovoPulsante(QWidget* padre, const QString& nome, const QString& testo) {
    auto* b = new PulsanteGrafico(padre);
    b->setObjectName(nome);
    b->Caption(testo);
    return b;
}

} // namespace FrmMatrix_

using namespace FrmMatrix_;

FrmMatrix::FrmMatrix(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmMatrix"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    for (int i = 0; i < 2; ++i) {
        auto* w = new QComboBox(this);
        ModMain::ImpostaMembro(w, QStringLiteral("CMB_SelPage"), i);
        w->setGeometry(Margine, Margine, LarghezzaPulsante + 6 + LarghezzaOpzioni, 22);
        connect(w, &QComboBox::currentIndexChanged, this, [this, i] { CMB_SelPage_Click(i); });
        CMB_SelPage.push_back(w);
    }
    CmdUp = NuovoPulsante(this, QStringLiteral("CmdUp"), QStringLiteral("+"));
    CmdDw = NuovoPulsante(this, QStringLiteral("CmdDw"), QStringLiteral("-"));
    CmdUndo = NuovoPulsante(this, QStringLiteral("CmdUndo"), {});
    CmdChgAxis = NuovoPulsante(this, QStringLiteral("CmdChgAxis"), {});
    int y = 34;
    for (PulsanteGrafico* b : {CmdUp, CmdDw, CmdUndo, CmdChgAxis}) {
        b->setGeometry(Margine, y, LarghezzaPulsante, AltezzaPulsante);
        y += AltezzaPulsante + 4;
    }
    connect(CmdUp, &PulsanteGrafico::Click, this, &FrmMatrix::CmdUp_Click);
    connect(CmdDw, &PulsanteGrafico::Click, this, &FrmMatrix::CmdDw_Click);
    connect(CmdUndo, &PulsanteGrafico::Click, this, &FrmMatrix::CmdUndo_Click);
    connect(CmdChgAxis, &PulsanteGrafico::Click, this, &FrmMatrix::CmdChgAxis_Click);
    CmdErrInjCanc = NuovoPulsante(this, QStringLiteral("CmdErrInjCanc"), {});
    CmdErrInjCanc->hide();
    connect(CmdErrInjCanc, &PulsanteGrafico::Click, this, [this] { EditorMappa::ImpostaTag(CmdErrInjCanc, true); });

    // Option column beside the buttons.
    lblpercsec = Etichetta(this, QStringLiteral("lblpercsec"));
    lblpercsec->setGeometry(XOpzioni, 34, LarghezzaOpzioni, 16);
    cmbpercsec = new QComboBox(this);
    cmbpercsec3 = new QComboBox(this);
    cmbpercsec4 = new QComboBox(this);
    int yc = 52;
    for (const auto& [combo, nome] : {std::pair{cmbpercsec, "cmbpercsec"}, std::pair{cmbpercsec3, "cmbpercsec3"},
                                      std::pair{cmbpercsec4, "cmbpercsec4"}}) {
        QComboBox* c = combo; // a plain variable: lambdas may not capture a structured binding everywhere
        c->setObjectName(QString::fromLatin1(nome));
        c->setGeometry(XOpzioni, yc, LarghezzaOpzioni, 22);
        yc += 26;
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] {
            if (!BloccaEventiOpzioni) EditorMappa::ImpostaTag(c, true);
        });
    }
    labmultiplier = Etichetta(this, QStringLiteral("labmultiplier"));
    labmultiplier->setGeometry(XOpzioni, 132, LarghezzaOpzioni, 16);
    cmbmultiplier = new QComboBox(this);
    cmbmultiplier->setObjectName(QStringLiteral("cmbmultiplier"));
    cmbmultiplier->setGeometry(XOpzioni, 150, LarghezzaOpzioni, 22);
    connect(cmbmultiplier, &QComboBox::currentIndexChanged, this, [this] {
        if (!BloccaEventiOpzioni) EditorMappa::ImpostaTag(cmbmultiplier, true);
    });

    ChkSIM = new QCheckBox(this);
    ChkSIM->setObjectName(QStringLiteral("ChkSIM"));
    ChkSIM->setPalette(p);
    ChkSIM->setGeometry(Margine, 180, LarghezzaPulsante + 6 + LarghezzaOpzioni, 20);
    connect(ChkSIM, &QCheckBox::stateChanged, this, [this] {
        if (!BloccaEventiOpzioni) EditorMappa::ImpostaTag(ChkSIM, true);
    });
    ChkRefresh = new QCheckBox(this);
    ChkRefresh->setObjectName(QStringLiteral("ChkRefresh"));
    ChkRefresh->hide();

    // Legend of the gradient: high, middle and low values, and the unit note.
    const int32_t legenda[3] = {0xFF6969, 0xFFB4B4, 0xFFFFFF};
    for (int i = 0; i < 3; ++i) {
        auto* s = new QFrame(this);
        ModMain::ImpostaMembro(s, QStringLiteral("SHP"), i);
        s->setFrameShape(QFrame::Box);
        s->setAutoFillBackground(true);
        QPalette ps = s->palette();
        const int32_t c = legenda[i];
        ps.setColor(QPalette::Window, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        s->setPalette(ps);
        s->setGeometry(XOpzioni, 210 + 18 * i, 12, 12);
        SHP.push_back(s);
    }
    LAB_Tick = Etichetta(this, QStringLiteral("LAB_Tick"));
    LAB_Tick->setWordWrap(true);
    LAB_Tick->setGeometry(XOpzioni + 22, 204, LarghezzaOpzioni - 22, 54);

    GrdInj = new GrigliaDati(this);
    GrdInj->setObjectName(QStringLiteral("GrdInj"));
    GrdInj->move(XGriglia, YGriglia);
    connect(GrdInj, &GrigliaDati::Click, this, &FrmMatrix::GrdInj_Click);
    connect(GrdInj, &GrigliaDati::KeyUp, this, &FrmMatrix::GrdInj_KeyUp);
    Lblms = Etichetta(this, QStringLiteral("Lblms"));
    Lblms->setText(QStringLiteral("(ms)"));
    LblRpm = Etichetta(this, QStringLiteral("LblRpm"));
    LblRpm->setText(QStringLiteral("(x10 rpm)"));
    TxtMsgMappa = new QLineEdit(this);
    TxtMsgMappa->setObjectName(QStringLiteral("TxtMsgMappa"));
    TxtMsgMappa->setReadOnly(true);
    TxtMsgMappa->setFocusPolicy(Qt::NoFocus);
    TxtMsgMappa->hide();

    // Deviation scale of the live point.
    PctCorr = new QWidget(this);
    PctCorr->setObjectName(QStringLiteral("PctCorr"));
    PctCorr->setAutoFillBackground(true);
    QPalette pc = PctCorr->palette();
    pc.setColor(QPalette::Window, QColor(32, 32, 32));
    pc.setColor(QPalette::WindowText, Qt::white);
    PctCorr->setPalette(pc);
    ShpCorr = new QFrame(PctCorr);
    ShpCorr->setObjectName(QStringLiteral("ShpCorr"));
    ShpCorr->setAutoFillBackground(true);
    QPalette pb = ShpCorr->palette();
    pb.setColor(QPalette::Window, QColor(0, 200, 255));
    ShpCorr->setPalette(pb);
    for (int i = 0; i < 7; ++i) {
        auto* l = new QFrame(PctCorr);
        ModMain::ImpostaMembro(l, QStringLiteral("LneCorr"), i);
        l->setFrameShape(QFrame::HLine);
        l->setPalette(pc);
        LneCorr.push_back(l);
    }
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(PctCorr);
        ModMain::ImpostaMembro(l, QStringLiteral("LblCorr"), i);
        l->setPalette(pc);
        const int v = i * 10 - 20;
        l->setText(v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v));
        LblCorr.push_back(l);
    }

    // Live markers and recorded-frame markers over the grid.
    TxtMat = NuovoPulsante(this, QStringLiteral("TxtMat"), {});
    TxtMat2 = NuovoPulsante(this, QStringLiteral("TxtMat2"), {});
    for (PulsanteGrafico* m : {TxtMat, TxtMat2}) {
        m->hide(); // until the first live point
        m->setFocusPolicy(Qt::NoFocus);
        m->setAttribute(Qt::WA_TransparentForMouseEvents);
        m->BackColor(0xFF);
    }
    for (int i = 0; i < 4; ++i) {
        auto* m = new QLabel(this);
        ModMain::ImpostaMembro(m, QStringLiteral("PIC_Cursed"), i);
        m->setAutoFillBackground(true);
        QPalette pm = m->palette();
        pm.setColor(QPalette::Window, QColor(255, 255, 0));
        m->setPalette(pm);
        m->setFrameShape(QFrame::Box);
        m->setAttribute(Qt::WA_TransparentForMouseEvents);
        m->hide();
        PIC_Cursed.push_back(m);
    }
    TimerB10 = new QTimer(this);
    TimerB10->setObjectName(QStringLiteral("TimerB10"));
    connect(TimerB10, &QTimer::timeout, this, &FrmMatrix::TimerB10_Timer);

    std::vector<QWidget*> sinistra{CmdUp,      CmdDw,         CmdUndo,       CmdChgAxis,    lblpercsec, cmbpercsec,
                                   cmbpercsec3, cmbpercsec4,  labmultiplier, cmbmultiplier, ChkSIM,     LAB_Tick};
    sinistra.insert(sinistra.end(), CMB_SelPage.begin(), CMB_SelPage.end());
    sinistra.insert(sinistra.end(), SHP.begin(), SHP.end());
    for (QWidget* w : sinistra) {
        const double punti = w->font().pointSizeF() > 0 ? w->font().pointSizeF() : 8.25;
        colonnaSinistra_.push_back({w, w->geometry(), punti});
    }
}

int FrmMatrix::DisponiColonnaSinistra(double scala) {
    auto scalato = [scala](int v) { return static_cast<int>(std::lround(v * scala)); };
    for (const PostoProgetto& p : colonnaSinistra_) {
        QWidget* w = p.controllo;
        const QRect& r = p.posto;
        ModZebPagina::ImpostaPunti(w, Conv::ArrotondaPari(p.punti * scala));
        // Combo boxes keep the height their font needs.
        const int altezza = qobject_cast<QComboBox*>(w)
                                ? std::max(scalato(r.height()), FontComboRinviato::DimensioneSuggerita(w).height())
                                : scalato(r.height());
        w->setGeometry(scalato(r.x()), scalato(r.y()), scalato(r.width()), altezza);
    }
    return scalato(XGriglia);
}

void FrmMatrix::Form_Load() {
    ModMain::ImpostaTag(PctCorr, QStringLiteral("AUT"));
    for (QLabel* m : PIC_Cursed) ModMain::ImpostaTag(m, QStringLiteral("AUT"));
    ModMain::CaricaListeLivelli(this, liste_);
    BloccaSelPagina = 0;
    UltimaPercSec = UltimaPercSec3 = UltimaPercSec4 = UltimoMoltiplicatore = 65535;
    for (QWidget* c : {static_cast<QWidget*>(cmbpercsec), static_cast<QWidget*>(cmbpercsec3),
                       static_cast<QWidget*>(cmbpercsec4), static_cast<QWidget*>(cmbmultiplier),
                       static_cast<QWidget*>(CmdErrInjCanc), static_cast<QWidget*>(ChkSIM)})
        EditorMappa::ImpostaTag(c, false);
    UltimaOperazione = 0;
    MTX = 0;
    Medie = {};
    {
        const QSignalBlocker muto(ChkRefresh);
        ChkRefresh->setChecked(true);
    }
    GrdInj->Cols(ColonnePaginaMappa + 1);
    GrdInj->Rows(RighePaginaMappa + 1);
    for (int r = 0; r < GrdInj->Rows(); ++r)
        for (int c = 0; c < GrdInj->Cols(); ++c) GrdInj->CellAlignment(r, c, 4);
    // The threshold table's rpm and time defaults until the ECU or a file supplies it.
    ModMain::MatSoglie[2] = 10;
    ModMain::MatSoglie[3] = 17;
    TipoGriglia = 0;
    // No undo copy here: a page has nothing to undo until it is edited.
    CaricaMatriceInGriglia(GrdInj, ModMain::PaginaMappaK(MTX), 1.0);
    CaricaLingua();
    Form_Resize();
}

void FrmMatrix::Form_Unload() { TimerB10->stop(); }

void FrmMatrix::AggiornaLivelliVisualizzazione() {
    ModMain::AggiornaLivelliForma(this, liste_);
    // The recorded-frame markers appear with their first frame, not before.
    if (!TimerB10->isActive())
        for (QLabel* m : PIC_Cursed) m->hide();
}

void FrmMatrix::CaricaLingua() {
    TxtMsgMappa->setText(ModMain::VoceLingua(64));
    const int16_t i = ModMain::CercaSezione("[Frm_Matrix]");
    auto voce = [i](int n) { return ModMain::VoceLingua(static_cast<int16_t>(i + n)); };
    {
        const QSignalBlocker muto(ChkSIM);
        ChkSIM->setText(voce(1));
    }
    CmdChgAxis->setToolTip(voce(6));
    CmdChgAxis->Caption(voce(6));
    CmdUndo->Caption(voce(13));
    ChkSIM->setToolTip(voce(9));
    EditorMappa::RiempiSelettori(CMB_SelPage[0], CMB_SelPage[1], i);
    lblpercsec->setText(voce(17));
    labmultiplier->setText(voce(20));
    LAB_Tick->setText(voce(21));
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmMatrix::RiempiCmbSwtch(const std::vector<std::string>& FileArr) {
    EditorMappa::RiempiCmbSwtch(FileArr, {cmbpercsec, cmbpercsec3, cmbpercsec4}, cmbmultiplier, ValoriMoltiplicatore);
    // The combos show the ECU values again on the next refresh.
    UltimaPercSec = UltimaPercSec3 = UltimaPercSec4 = UltimoMoltiplicatore = 65535;
}

void FrmMatrix::CambiaTipoGriglia(int32_t ID) {
    BloccaSelPagina = -1;
    // The two selectors share one place: the third map shows the one that
    // lists it, the others the two-map selector, so the shown one is never blank.
    if (ID == SCHEDA_MAPPA_2) {
        CMB_SelPage[0]->setCurrentIndex(2);
        CMB_SelPage[0]->raise();
    } else {
        const int indice = ID == SCHEDA_MAPPA_1 ? 1 : 0;
        CMB_SelPage[0]->setCurrentIndex(indice);
        CMB_SelPage[1]->setCurrentIndex(indice);
        CMB_SelPage[1]->raise();
    }
    BloccaSelPagina = 0;
    TipoGriglia = 0;
    ColoraMatriceVuota(GrdInj, 0, 0xC0FFC0);
    GrdInj->FixedRows(1);
    GrdInj->FixedCols(1);
    TipoGriglia = 8;
    CaricaMatriceInGriglia(GrdInj, ModMain::PaginaMappaK(MTX), 1.0);
    AbilitaTasti();
}

void FrmMatrix::ColoraMatriceVuota(GrigliaDati* Grd, int32_t, int32_t) { ColoriMappa::ColoraMatriceVuota(Grd); }

void FrmMatrix::ColoraMatriceGradiente(GrigliaDati* Grd) { ColoriMappa::ColoraGradiente(Grd, false); }

void FrmMatrix::CaricaAssiInMatrice(GrigliaDati* Grd, const std::array<uint8_t, ColonnePaginaMappa>& AxR,
                                    const std::array<uint8_t, RighePaginaMappa>& AxT) {
    TestiGriglia t = ColoriMappa::LeggiTesti(Grd);
    MappeOperazioni::CaricaAssiInMatrice(t, AxR, AxT);
    ColoriMappa::ScriviTesti(Grd, t);
}

void FrmMatrix::CaricaMatriceInGriglia(GrigliaDati* Grd, const PaginaMappa& MatX, double Fact) {
    TestiGriglia t = ColoriMappa::LeggiTesti(Grd);
    MappeOperazioni::CaricaMatriceInGriglia(t, MatX, Fact);
    ColoriMappa::ScriviTesti(Grd, t);
}

void FrmMatrix::CaricaGrigliaInMatrice(GrigliaDati* Grd, PaginaMappa& MatX, double Fact) {
    MappeOperazioni::CaricaGrigliaInMatrice(ColoriMappa::LeggiTesti(Grd), MatX, Fact);
}

void FrmMatrix::ModificaValoriGrigliaLibera(GrigliaDati* Grd, int32_t TpyO, float Value, uint8_t Fact) {
    TestiGriglia t = ColoriMappa::LeggiTesti(Grd);
    MappeOperazioni::ModificaValoriGrigliaLibera(t, ColoriMappa::LeggiSelezione(Grd), TpyO, Value, Fact);
    ColoriMappa::ScriviTesti(Grd, t);
}

void FrmMatrix::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FrmMatrix::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FrmMatrix::Form_Resize() {
    if (inResize_) return;
    inResize_ = true;
    const int xGriglia = DisponiColonnaSinistra(ModZebPagina::ScalaPagina(size()));
    const int32_t larghezza = (width() - xGriglia) * 15 - 30;
    const int32_t altezza = (height() - YGriglia) * 15 - 45;
    const OpzioniMappa::MisureMatrice m = OpzioniMappa::CalcolaMisureMatrice(larghezza, altezza);
    GrdInj->Redraw(false);
    // The size the column width gives, one step smaller while a value or an
    // injection-time caption ("21.8") would not fit the column in the font
    // the screen really has.
    int32_t punti = m.DimensioneFont;
    const int larghezzaColonna = m.LarghezzaColonna / 15;
    for (QFont f = GrdInj->font(); punti > 8; punti -= 2) {
        f.setPointSize(punti);
        if (QFontMetrics(f).horizontalAdvance(QStringLiteral("25.5")) + 8 <= larghezzaColonna) break;
    }
    GrdInj->FontSize(punti);
    for (int c = 0; c < GrdInj->Cols(); ++c) GrdInj->ColWidth(c, m.LarghezzaColonna);
    // Whole pixels, to the nearest; one less where the rounding up would push
    // the "(ms)" caption under the grid out of the page.
    int pixelRiga = static_cast<int>(Conv::ArrotondaPari(m.AltezzaRiga / 15.0));
    if (YGriglia + GrdInj->Rows() * pixelRiga + 2 * GrdInj->frameWidth() + Lblms->fontMetrics().height() > height() &&
        pixelRiga * 15 > m.AltezzaRiga)
        --pixelRiga;
    for (int r = 0; r < GrdInj->Rows(); ++r) GrdInj->RowHeight(r, std::max(pixelRiga, 1) * 15);
    GrdInj->Redraw(true);
    // The grid shows every cell without scroll bars.
    GrdInj->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdInj->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int larghezzaGriglia = GrdInj->Cols() * GrdInj->columnWidth(0) + 2 * GrdInj->frameWidth();
    const int altezzaGriglia = GrdInj->Rows() * GrdInj->rowHeight(0) + 2 * GrdInj->frameWidth();
    GrdInj->setGeometry(xGriglia, YGriglia, larghezzaGriglia, altezzaGriglia);
    Lblms->setGeometry(xGriglia, GrdInj->y() + altezzaGriglia, 80, Lblms->fontMetrics().height());
    LblRpm->setGeometry(xGriglia + GrdInj->columnWidth(0) * (GrdInj->Cols() - 2), 3, 120, 16);
    if (!SHP.empty()) {
        // Beside the third square, 150 twips from its left, centred on it.
        const QRect s = SHP[2]->geometry();
        LAB_Tick->move(s.x() + 10, s.y() + s.height() / 2 - LAB_Tick->height() / 2);
    }
    DisponiScalaCorrezione();
    // Markers: one data cell; the recorded-frame markers a quarter of it.
    const QSize cella(GrdInj->columnWidth(1), GrdInj->rowHeight(1));
    const QPoint origine(GrdInj->x() + GrdInj->frameWidth() + GrdInj->columnWidth(0),
                         GrdInj->y() + GrdInj->frameWidth() + GrdInj->rowHeight(0));
    // The drawn button keeps about 5 pixels above and below its caption: on
    // low rows the markers grow to show their figures and stay centred on the cell.
    const int altezzaMarcatore = std::max(cella.height(), QFontMetrics(GrdInj->font()).height() + 10);
    ScartoMarcatore = -(altezzaMarcatore - cella.height()) / 2;
    for (PulsanteGrafico* t : {TxtMat, TxtMat2}) {
        t->Font(GrdInj->font());
        t->setGeometry(origine.x(), origine.y() + ScartoMarcatore, cella.width(), altezzaMarcatore);
    }
    for (QLabel* p : PIC_Cursed) p->setGeometry(0, 0, std::max(cella.width() / 4, 1), cella.height());
    TxtMat->raise();
    TxtMat2->raise();
    inResize_ = false;
}

void FrmMatrix::DisponiScalaCorrezione() {
    const int alto = ChkSIM->y() + ChkSIM->height() + 5;
    const int altezza = std::max(Lblms->y() - (alto + 4), 40);
    PctCorr->setGeometry(CmdDw->x(), alto, CmdDw->width(), altezza);
    const int passo = altezza / 4;
    std::array<int, 5> mezzo{};
    for (int i = 0; i < 5; ++i) {
        QLabel* l = LblCorr[static_cast<size_t>(i)];
        l->adjustSize();
        l->move(0, std::clamp(i * passo - l->height() / 2, 0, std::max(altezza - l->height(), 0)));
        mezzo[static_cast<size_t>(i)] = l->y() + l->height() / 2;
        const int x1 = l->x() + l->width();
        LneCorr[static_cast<size_t>(i)]->setGeometry(x1, mezzo[static_cast<size_t>(i)], std::max(PctCorr->width() - x1, 1), 1);
    }
    const int meta = (mezzo[2] - mezzo[1]) / 2;
    auto linea = [this](int i, int y, const QFrame* modello) {
        LneCorr[static_cast<size_t>(i)]->setGeometry(modello->x(), y, modello->width(), 1);
    };
    linea(0, mezzo[1] - meta, LneCorr[1]);
    linea(4, mezzo[2] + meta, LneCorr[4]);
    linea(5, mezzo[1] + meta, LneCorr[1]);
    linea(6, mezzo[3] + meta, LneCorr[1]);
    LblCorr[0]->hide();
    LblCorr[4]->hide();
    ShpCorr->setGeometry(0, LneCorr[2]->y(), PctCorr->width(), 0);
}
