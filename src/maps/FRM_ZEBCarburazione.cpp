#include "maps/FRM_ZEBCarburazione.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>

#include "controls/FontComboRinviato.h"
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
#include "platform/Dialoghi.h"

namespace FRM_ZEBCarburazione_ {

constexpr int LarghezzaProgetto = 800; // 12,000 x 7,005 twips
constexpr int AltezzaProgetto = 467;

using ModZebPagina::Colore;

QLabel* NuovaEtichetta(QWidget* padre, const char* nome, const QString& testo = {}) {
    auto* l = new QLabel(testo, padre);
    l->setObjectName(QString::fromLatin1(nome));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    return l;
}

PulsanteGrafico* NuovoPulsanteCarb(QWidget* padre, const char* nome, const QString& testo = {}) {
    auto* b = new PulsanteGrafico(padre);
    b->setObjectName(QString::fromLatin1(nome));
    b->Caption(testo);
    return b;
}

QProgressBar* NuovaBarra(QWidget* padre, const char* nome, int32_t colore) {
    auto* b = new QProgressBar(padre);
    b->setObjectName(QString::fromLatin1(nome));
    b->setOrientation(Qt::Vertical);
    b->setRange(0, 256);
    b->setValue(128);
    b->setTextVisible(false);
    QPalette p = b->palette();
    p.setColor(QPalette::Highlight, Colore(colore));
    p.setColor(QPalette::Base, Colore(0x800000));
    p.setColor(QPalette::Window, Colore(0x800000));
    b->setPalette(p);
    b->setProperty("Tag", QStringLiteral("0"));
    return b;
}

QFrame* Cornice(QWidget* padre, const QString& nome, int32_t colore) {
    auto* f = new QFrame(padre);
    f->setObjectName(nome);
    f->setFrameShape(QFrame::Box);
    f->setLineWidth(1);
    QPalette p = f->palette();
    p.setColor(QPalette::WindowText, Colore(colore));
    f->setPalette(p);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    return f;
}

} // namespace FRM_ZEBCarburazione_

using namespace FRM_ZEBCarburazione_;

FRM_ZEBCarburazione::FRM_ZEBCarburazione(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FRM_ZEBCarburazione"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    SHP_Contorno = Cornice(this, QStringLiteral("SHP_Contorno"), 0x400000);
    SHP_Contorno->setGeometry(0, 0, LarghezzaProgetto, AltezzaProgetto);
    for (int i = 0; i < 5; ++i) {
        QFrame* f = Cornice(this, QStringLiteral("SHP_Carb_%1").arg(i), 0x808080);
        f->hide();
        SHP_Carb.push_back(f);
    }
    SHP_Carb[0]->setGeometry(4, 262, 152, 52);
    SHP_Carb[4]->setGeometry(4, 316, 152, 52);

    CMB_SelPage_0 = new QComboBox(this);
    CMB_SelPage_0->setObjectName(QStringLiteral("CMB_SelPage_0"));
    CMB_SelPage_1 = new QComboBox(this);
    CMB_SelPage_1->setObjectName(QStringLiteral("CMB_SelPage_1"));
    for (QComboBox* c : {CMB_SelPage_0, CMB_SelPage_1}) {
        c->setGeometry(8, 8, 144, 22);
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] { CMB_SelPage_Click(c); });
    }
    CmdUp = NuovoPulsanteCarb(this, "CmdUp", QStringLiteral("+"));
    CmdDw = NuovoPulsanteCarb(this, "CmdDw", QStringLiteral("-"));
    CmdResetMap = NuovoPulsanteCarb(this, "CmdResetMap");
    CmdUndo = NuovoPulsanteCarb(this, "CmdUndo");
    int y = 38;
    for (PulsanteGrafico* b : {CmdUp, CmdDw, CmdResetMap, CmdUndo}) {
        b->setGeometry(8, y, 84, 30);
        y += 34;
    }
    connect(CmdUp, &PulsanteGrafico::Click, this, &FRM_ZEBCarburazione::CmdUp_Click);
    connect(CmdDw, &PulsanteGrafico::Click, this, &FRM_ZEBCarburazione::CmdDw_Click);
    connect(CmdResetMap, &PulsanteGrafico::Click, this, &FRM_ZEBCarburazione::CmdResetMap_Click);
    connect(CmdUndo, &PulsanteGrafico::Click, this, &FRM_ZEBCarburazione::CmdUndo_Click);

    PROG_GAS = NuovaBarra(this, "PROG_GAS", 0xFFFF00);
    PROG_BEN = NuovaBarra(this, "PROG_BEN", 0x00FF00);
    PROG_GAS->setGeometry(100, 38, 22, 132);
    PROG_BEN->setGeometry(128, 38, 22, 132);
    PIC_Barra = new QFrame(this);
    PIC_Barra->setObjectName(QStringLiteral("PIC_Barra"));
    PIC_Barra->setAutoFillBackground(true);
    QPalette pb = PIC_Barra->palette();
    pb.setColor(QPalette::Window, Qt::white);
    PIC_Barra->setPalette(pb);
    PIC_Barra->setGeometry(96, 103, 58, 2);
    LAB_PLUSMINUS = NuovaEtichetta(this, "LAB_PLUSMINUS", QStringLiteral("+0"));
    LAB_PLUSMINUS->setAlignment(Qt::AlignCenter);
    LAB_PLUSMINUS->setGeometry(96, 172, 58, 18);

    CmdChgAxis = NuovoPulsanteCarb(this, "CmdChgAxis");
    CmdChgAxis->setGeometry(8, 196, 144, 28);
    connect(CmdChgAxis, &PulsanteGrafico::Click, this, &FRM_ZEBCarburazione::CmdChgAxis_Click);
    ChkSIM = NuovoPulsanteCarb(this, "ChkSIM");
    ChkSIM->Mode(1);
    ChkSIM->setGeometry(8, 228, 144, 28);
    connect(ChkSIM, &PulsanteGrafico::Click, this, [this] {
        if (!BloccaEventiOpzioni) EditorMappa::ImpostaTag(ChkSIM, true);
    });
    lblpercsec = NuovaEtichetta(this, "lblpercsec");
    lblpercsec->setGeometry(10, 266, 140, 18);
    cmbpercsec = new QComboBox(this);
    cmbpercsec->setObjectName(QStringLiteral("cmbpercsec"));
    cmbpercsec->setGeometry(10, 286, 140, 22);
    labmultiplier = NuovaEtichetta(this, "labmultiplier");
    labmultiplier->setGeometry(10, 320, 140, 18);
    cmbmultiplier = new QComboBox(this);
    cmbmultiplier->setObjectName(QStringLiteral("cmbmultiplier"));
    cmbmultiplier->setGeometry(10, 340, 140, 22);
    for (QComboBox* c : {cmbpercsec, cmbmultiplier})
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] {
            if (!BloccaEventiOpzioni) EditorMappa::ImpostaTag(c, true);
        });

    GrdSmall = new GrigliaDati(this);
    GrdSmall->setObjectName(QStringLiteral("GrdSmall"));
    GrdSmall->setGeometry(164, 26, 628, 400);
    GrdSmall->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdSmall->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(GrdSmall, &GrigliaDati::Click, this, &FRM_ZEBCarburazione::GrdSmall_Click);
    connect(GrdSmall, &GrigliaDati::KeyUp, this, &FRM_ZEBCarburazione::GrdSmall_KeyUp);
    Lblrpm = NuovaEtichetta(this, "Lblrpm", QStringLiteral("RPM"));
    Lblrpm->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lblrpm->setGeometry(700, 6, 88, 18);
    Lblms = NuovaEtichetta(this, "Lblms", QStringLiteral("TInj Benz (ms)"));
    Lblms->setGeometry(164, 434, 120, 20);
    LAB_Tick = NuovaEtichetta(this, "LAB_Tick");
    LAB_Tick->setGeometry(290, 434, 210, 20);
    ChkSpiana = new QCheckBox(this);
    ChkSpiana->setObjectName(QStringLiteral("ChkSpiana"));
    ChkSpiana->setGeometry(506, 434, 130, 20);
    connect(ChkSpiana, &QCheckBox::stateChanged, this, [this] {
        if (!BloccaEventiOpzioni) EditorMappa::ImpostaTag(ChkSpiana, true);
    });
    ChkGradiente = new QCheckBox(this);
    ChkGradiente->setObjectName(QStringLiteral("ChkGradiente"));
    ChkGradiente->setGeometry(640, 434, 152, 20);
    connect(ChkGradiente, &QCheckBox::clicked, this, &FRM_ZEBCarburazione::ChkGradiente_Click);
    for (QCheckBox* c : {ChkSpiana, ChkGradiente}) c->setPalette(p);

    TxtMat = NuovoPulsanteCarb(this, "TxtMat");
    TxtMat2 = NuovoPulsanteCarb(this, "TxtMat2");
    for (PulsanteGrafico* m : {TxtMat, TxtMat2}) {
        m->hide(); // until the first live point
        m->setFocusPolicy(Qt::NoFocus);
        m->setAttribute(Qt::WA_TransparentForMouseEvents);
        m->BackColor(0xFF);
    }
    // Design geometry of every control, from which each resize scales.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        progetto_[w] = {w->geometry(), w->font().pointSizeF()};
}

void FRM_ZEBCarburazione::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    MTX = 0;
    UltimaOperazione = 0;
    BloccaSelPagina = 0;
    BloccaEventiOpzioni = 0;
    UltimoMoltiplicatore = UltimaPercSec = 65535;
    Medie = {};
    for (QProgressBar* b : {PROG_BEN, PROG_GAS}) {
        b->setProperty("Tag", QStringLiteral("0"));
        b->setValue(128);
    }
    GrdSmall->Cols(CarburazioneMappatura::LatoGrigliaRidotta);
    GrdSmall->Rows(CarburazioneMappatura::LatoGrigliaRidotta);
    QFont f = GrdSmall->font();
    f.setBold(true);
    GrdSmall->setFont(f);
    for (int r = 0; r < GrdSmall->Rows(); ++r)
        for (int c = 0; c < GrdSmall->Cols(); ++c) GrdSmall->CellAlignment(r, c, 4);
    TipoGriglia = 0;
    Ricarica();
    // No undo copy here: a page has nothing to undo until it is edited.
    {
        const QSignalBlocker muto(ChkGradiente);
        ChkGradiente->setChecked(true);
    }
    CaricaLingua();
    for (QWidget* c : {static_cast<QWidget*>(cmbpercsec), static_cast<QWidget*>(cmbmultiplier),
                       static_cast<QWidget*>(ChkSIM), static_cast<QWidget*>(ChkSpiana)})
        EditorMappa::ImpostaTag(c, false);
    Form_Resize();
}

void FRM_ZEBCarburazione::Form_Unload() {}

void FRM_ZEBCarburazione::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBCarburazione::CaricaLingua() {
    const int16_t i = ModMain::CercaSezione("[Frm_Matrix]");
    auto voce = [i](int n) { return ModMain::VoceLingua(static_cast<int16_t>(i + n)); };
    ChkSIM->Caption(voce(2));
    CmdChgAxis->Caption(voce(6));
    ChkSIM->setToolTip(voce(9));
    CmdResetMap->Caption(voce(12));
    CmdUndo->Caption(voce(13));
    EditorMappa::RiempiSelettori(CMB_SelPage_0, CMB_SelPage_1, i);
    lblpercsec->setText(voce(17));
    labmultiplier->setText(voce(20));
    LAB_Tick->setText(voce(21));
    {
        const QSignalBlocker muto(ChkSpiana);
        ChkSpiana->setText(voce(18));
    }
    ChkGradiente->setText(voce(19));
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBCarburazione::RiempiCmbSwtch(const std::vector<std::string>& FileArr) {
    EditorMappa::RiempiCmbSwtch(FileArr, {cmbpercsec}, cmbmultiplier, ValoriMoltiplicatore);
    UltimoMoltiplicatore = UltimaPercSec = 65535;
}

void FRM_ZEBCarburazione::CambiaTipoGriglia(int32_t) {
    BloccaSelPagina = -1;
    // The two selectors share one place: the third map shows the one that
    // lists it, the others the two-map selector, so the shown one is never blank.
    if (ModMain::PaginaCorrente == SCHEDA_CARBURAZIONE_2) {
        CMB_SelPage_0->setCurrentIndex(2);
        CMB_SelPage_0->raise();
    } else {
        const int indice = ModMain::PaginaCorrente == SCHEDA_CARBURAZIONE_1 ? 1 : 0;
        CMB_SelPage_0->setCurrentIndex(indice);
        CMB_SelPage_1->setCurrentIndex(indice);
        CMB_SelPage_1->raise();
    }
    BloccaSelPagina = 0;
    TipoGriglia = 0;
    GrdSmall->FixedRows(1);
    GrdSmall->FixedCols(1);
    TipoGriglia = 8;
    Ricarica();
    AbilitaTasti();
}

void FRM_ZEBCarburazione::CaricaAssiInMatrice(GrigliaDati* griglia, const std::array<uint8_t, ColonnePaginaMappa>&,
                                              const std::array<uint8_t, RighePaginaMappa>&) {
    // The captions always come from the working axes.
    TestiGriglia t = ColoriMappa::LeggiTesti(griglia);
    CarburazioneMappatura::CaricaAssiInMatrice(t, ModMain::AsseRpmLavoro, ModMain::AsseTinjLavoro);
    ColoriMappa::ScriviTesti(griglia, t);
}

void FRM_ZEBCarburazione::ColoraMatriceGradiente2(GrigliaDati* griglia) {
    ColoriMappa::ColoraGradiente(griglia, true, ChkGradiente->isChecked());
}

void FRM_ZEBCarburazione::CaricaMatriceInGriglia(GrigliaDati* griglia, const PaginaMappa& pagina, double fattore) {
    TestiGriglia t = ColoriMappa::LeggiTesti(griglia);
    CarburazioneMappatura::CaricaMatriceInGriglia(t, pagina, fattore);
    ColoriMappa::ScriviTesti(griglia, t);
}

bool FRM_ZEBCarburazione::CaricaGrigliaInMatrice(GrigliaDati* griglia, PaginaMappa& pagina, double fattore) {
    const bool spiana = (EditorMappa::ValoreBlocco(15, 5) & 0x40) != 0;
    if (CarburazioneMappatura::CaricaGrigliaInMatrice(ColoriMappa::LeggiTesti(griglia), pagina, fattore, spiana))
        return true;
    Piattaforma::MostraMessaggio(QStringLiteral("Error on CaricaGrigliaInMatrice Procedure"), QString());
    return false;
}

void FRM_ZEBCarburazione::SpianaInterpolazionedellaMappa(MatriceInteri& Mat) {
    CarburazioneMappatura::SpianaInterpolazionedellaMappa(Mat);
}

void FRM_ZEBCarburazione::ModificaValoriGrigliaLibera(GrigliaDati* Grd, int32_t TpyO, float Value, uint8_t Fact) {
    TestiGriglia t = ColoriMappa::LeggiTesti(Grd);
    MappeOperazioni::ModificaValoriGrigliaLibera(t, ColoriMappa::LeggiSelezione(Grd), TpyO, Value, Fact);
    ColoriMappa::ScriviTesti(Grd, t);
}

void FRM_ZEBCarburazione::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FRM_ZEBCarburazione::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FRM_ZEBCarburazione::Form_Resize() {
    if (inResize_ || isMinimized() || width() <= 0 || height() <= 0) return;
    inResize_ = true;
    const double rl = static_cast<double>(width()) / LarghezzaProgetto;
    const double ra = static_cast<double>(height()) / AltezzaProgetto;
    // Fonts follow the width ratio.
    const double rf = rl;
    for (const auto& [w, progetto] : progetto_) {
        if (w == TxtMat || w == TxtMat2) continue; // placed by the live point
        const QRect& g = progetto.first;
        const bool combo = qobject_cast<QComboBox*>(w) != nullptr;
        const int altezza = combo ? FontComboRinviato::DimensioneSuggerita(w).height()
                                  : static_cast<int>(std::lround(g.height() * ra));
        w->setGeometry(static_cast<int>(std::lround(g.x() * rl)), static_cast<int>(std::lround(g.y() * ra)),
                       static_cast<int>(std::lround(g.width() * rl)), altezza);
        if (w == GrdSmall) continue;
        QFont f = w->font();
        const double punti = Conv::ArrotondaPari(progetto.second * rf);
        if (punti >= 6 && f.pointSizeF() != punti) {
            f.setPointSizeF(punti);
            w->setFont(f);
            // The drawn buttons paint with a font of their own.
            if (auto* b = qobject_cast<PulsanteGrafico*>(w)) b->Font(f);
        }
    }
    SHP_Contorno->setGeometry(0, 0, width(), height());
    // The grid: 13 equal columns and rows filling it.
    GrdSmall->Redraw(false);
    QFont fg = GrdSmall->font();
    fg.setPointSizeF(std::max(8.0, Conv::ArrotondaPari(9 * rf)));
    GrdSmall->setFont(fg);
    const int32_t larghezzaCella = static_cast<int32_t>(std::lround((GrdSmall->width() * 15 - 180) / 13.0));
    const int32_t altezzaCella = static_cast<int32_t>(std::lround((GrdSmall->height() * 15 - 180) / 13.0));
    for (int c = 0; c < GrdSmall->Cols(); ++c) GrdSmall->ColWidth(c, larghezzaCella);
    for (int r = 0; r < GrdSmall->Rows(); ++r) GrdSmall->RowHeight(r, altezzaCella);
    // The cells take the width and height less 180 twips: the grid ends at its
    // last column and row instead of showing an empty strip after them.
    {
        int larghezza = 2 * GrdSmall->frameWidth(), altezza = 2 * GrdSmall->frameWidth();
        for (int c = 0; c < GrdSmall->Cols(); ++c) larghezza += GrdSmall->columnWidth(c);
        for (int r = 0; r < GrdSmall->Rows(); ++r) altezza += GrdSmall->rowHeight(r);
        GrdSmall->resize(larghezza, altezza);
    }
    GrdSmall->Redraw(true);
    // Markers: half a header cell, plus 150 twips.
    const QSize mezzo(GrdSmall->columnWidth(0) / 2 + 10, GrdSmall->rowHeight(0) / 2 + 10);
    for (PulsanteGrafico* m : {TxtMat, TxtMat2}) {
        m->Font(GrdSmall->font());
        m->resize(mezzo);
        m->raise();
    }
    inResize_ = false;
}
