#include "obd/FrmMappetta.h"

#include <QtCore/QPointer>
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <algorithm>

#include "config/ModMainSalvataggio.h"
#include "controls/GrigliaDati.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckFile.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "obd/LayoutPagina.h"
#include "obd/ObdConversioni.h"
#include "obd/ObdMappa.h"
#include "platform/Dialoghi.h"

namespace {

namespace OM = ObdMappa;

const QSize ProgettoMappetta(520, 476);
const QString NessunValoreMappetta = QStringLiteral(" - - ");
constexpr int32_t GialloMappetta = 0x00FFFF;
constexpr int16_t VoceMappaNonValida = 68; // after "[Frm_MapObd]"

int32_t ValoreMappetta(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[blocco].Valori;
    return k < v.size() ? v[k] : 0;
}

QLabel* EtichettaMappetta(QWidget* padre, const QString& nome, const QRect& posto) {
    auto* l = new QLabel(padre);
    l->setObjectName(nome);
    LayoutPagina::Colloca(l, posto, 8);
    return l;
}

QPushButton* PulsanteMappetta(QWidget* padre, const char* nome, const QRect& posto) {
    auto* b = new QPushButton(padre);
    b->setObjectName(QString::fromLatin1(nome));
    LayoutPagina::Colloca(b, posto, 8);
    return b;
}

QString FiltroMappe() {
    return QStringLiteral("Map Files (*.tun *.%1)").arg(QString::fromStdString(ModMain::EstensioneArchivio));
}

} // namespace

FrmMappetta::FrmMappetta(QWidget* contenitore) : QWidget(contenitore, Qt::Window) {
    setObjectName(QStringLiteral("FrmMappetta"));
    resize(ProgettoMappetta);
    setMinimumSize(ProgettoMappetta);

    GrdMappetta = new GrigliaDati(this);
    GrdMappetta->setObjectName(QStringLiteral("GrdMappetta"));
    GrdMappetta->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdMappetta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The live cell is the grid's current cell: yellow, not the selection colour.
    GrdMappetta->ColoriSelezione(GialloMappetta, 0);
    GrdMappetta->Cols(9);
    GrdMappetta->Rows(16);
    LayoutPagina::Colloca(GrdMappetta, QRect(8, 8, 350, 288), 8);
    PIC_BarraOriz = new QFrame(this);
    PIC_BarraOriz->setObjectName(QStringLiteral("PIC_BarraOriz"));
    PIC_BarraVert = new QFrame(this);
    PIC_BarraVert->setObjectName(QStringLiteral("PIC_BarraVert"));
    for (QFrame* b : {PIC_BarraOriz, PIC_BarraVert}) {
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        b->setAutoFillBackground(true);
    }

    for (int i = 0; i < OM::Righe; ++i) {
        auto* l = EtichettaMappetta(this, QStringLiteral("LAB_Jumper%1").arg(i), QRect(366, 26 + 18 * i, 58, 18));
        ModMain::ImpostaMembro(l, QStringLiteral("LAB_Jumper"), i);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* t = new QLineEdit(QStringLiteral("1"), this);
        ModMain::ImpostaMembro(t, QStringLiteral("TXT_Jumper"), i);
        LayoutPagina::Colloca(t, QRect(428, 26 + 18 * i, 44, 18), 8);
        ModMain::ImpostaTag(l, QStringLiteral("AUT"));
        ModMain::ImpostaTag(t, QStringLiteral("AUT"));
        LAB_Jumper.push_back(l);
        TXT_Jumper.push_back(t);
    }
    CHK_Jumper = new QCheckBox(QStringLiteral(">"), this);
    CHK_Jumper->setObjectName(QStringLiteral("CHK_Jumper"));
    LayoutPagina::Colloca(CHK_Jumper, QRect(476, 150, 40, 24), 9);
    ModMain::ImpostaTag(CHK_Jumper, QStringLiteral("AUT"));

    LAB_AgenteCorrExp = EtichettaMappetta(this, QStringLiteral("LAB_AgenteCorrExp"), QRect(8, 304, 180, 22));
    CMB_AgenteCorrExp = new QComboBox(this);
    CMB_AgenteCorrExp->setObjectName(QStringLiteral("CMB_AgenteCorrExp"));
    LayoutPagina::Colloca(CMB_AgenteCorrExp, QRect(192, 302, 70, 26), 8);
    ModMain::ImpostaTag(LAB_AgenteCorrExp, QStringLiteral("AUT"));
    ModMain::ImpostaTag(CMB_AgenteCorrExp, QStringLiteral("AUT"));

    CmdMappaOpen = PulsanteMappetta(this, "CmdMappaOpen", QRect(8, 336, 122, 30));
    CmdMappaReset = PulsanteMappetta(this, "CmdMappaReset", QRect(136, 336, 122, 30));
    CmdMappaSave = PulsanteMappetta(this, "CmdMappaSave", QRect(264, 336, 122, 30));
    CmdClipMatrix = PulsanteMappetta(this, "CmdClipMatrix", QRect(392, 336, 120, 30));

    LblStatusB1 = EtichettaMappetta(this, QStringLiteral("LblStatusB1"), QRect(8, 376, 120, 20));
    LblPidVal03_B1 = EtichettaMappetta(this, QStringLiteral("LblPidVal03_B1"), QRect(132, 376, 380, 20));
    LblStatusB2 = EtichettaMappetta(this, QStringLiteral("LblStatusB2"), QRect(8, 398, 120, 20));
    LblPidVal03_B2 = EtichettaMappetta(this, QStringLiteral("LblPidVal03_B2"), QRect(132, 398, 380, 20));
    LblShortTerm = EtichettaMappetta(this, QStringLiteral("LblShortTerm"), QRect(8, 424, 120, 20));
    LblPidVal06 = EtichettaMappetta(this, QStringLiteral("LblPidVal06"), QRect(132, 424, 80, 20));
    LblPidVal08 = EtichettaMappetta(this, QStringLiteral("LblPidVal08"), QRect(220, 424, 80, 20));
    LblLongTerm = EtichettaMappetta(this, QStringLiteral("LblLongTerm"), QRect(8, 446, 120, 20));
    LblPidVal07 = EtichettaMappetta(this, QStringLiteral("LblPidVal07"), QRect(132, 446, 80, 20));
    LblPidVal09 = EtichettaMappetta(this, QStringLiteral("LblPidVal09"), QRect(220, 446, 80, 20));
    LblPidVal03_B1->setText(QStringLiteral("OPEN LOOP/NO CONDITIONS FOR CLOSED-LOOP"));
    LblPidVal03_B2->setText(QStringLiteral("OPEN LOOP/NO CONDITIONS FOR CLOSED-LOOP"));
    LblShortTerm->setText(QStringLiteral("*** Short term trim:"));
    LblLongTerm->setText(QStringLiteral("*** Long term trim:"));
    for (QLabel* l : {LblStatusB1, LblStatusB2, LblPidVal03_B1, LblPidVal03_B2, LblShortTerm, LblLongTerm, LblPidVal06,
                      LblPidVal07, LblPidVal08, LblPidVal09})
        ModMain::ImpostaTag(l, QStringLiteral("SUP"));

    Timer1 = new QTimer(this);
    Timer1->setInterval(250);
    connect(Timer1, &QTimer::timeout, this, &FrmMappetta::Timer1_Timer);
    connect(CHK_Jumper, &QCheckBox::clicked, this, &FrmMappetta::CHK_Jumper_Click);
    connect(CMB_AgenteCorrExp, &QComboBox::activated, this, &FrmMappetta::CMB_AgenteCorrExp_Click);
    connect(CmdClipMatrix, &QPushButton::clicked, this, &FrmMappetta::CmdClipMatrix_Click);
    connect(CmdMappaOpen, &QPushButton::clicked, this, &FrmMappetta::CmdMappaOpen_Click);
    connect(CmdMappaSave, &QPushButton::clicked, this, &FrmMappetta::CmdMappaSave_Click);
    connect(CmdMappaReset, &QPushButton::clicked, this, &FrmMappetta::CmdMappaReset_Click);
}

FrmMappetta* FrmMappetta::Istanza() {
    static QPointer<FrmMappetta> istanza;
    if (!istanza) istanza = new FrmMappetta(ModMain::FinestraPrincipale);
    return istanza;
}

// ---- Lifecycle ----

void FrmMappetta::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    AggiornaLivelliVisualizzazione();
    if (parentWidget()) setWindowIcon(parentWidget()->windowIcon());
    ModMain::ImpostaTag(CHK_Jumper, QStringLiteral("0"));
    ModMain::ImpostaTag(CMB_AgenteCorrExp, QStringLiteral("0"));
    AggiornoParametriLenti = true;
    CaricamentoSelezioni = false;
    CaricaLingua();
    for (QWidget* b : std::initializer_list<QWidget*>{CmdMappaOpen, CmdMappaSave, CmdMappaReset})
        ModMain::ImpostaTag(b, QStringLiteral("0"));
    salvataggioInAttesa_ = false;
    fileInAttesa_.clear();
    ModMain::UnitaRpm = (ValoreMappetta(3, 33) & 0x40) ? 128 : 64;
    ColonnaCursore = RigaCursore = 1;
    rigaMarcata_ = colonnaMarcata_ = -1;
    if (ModMain::FinestraPrincipale) setWindowTitle(ModMain::FinestraPrincipale->windowTitle());
    ModMain::MappettaAperta = 1;
    ProssimaLetturaTabelle = 0;
    TabellaMostrata.clear();
    for (int r = 0; r < GrdMappetta->Rows(); ++r)
        for (int c = 0; c < GrdMappetta->Cols(); ++c) GrdMappetta->CellAlignment(r, c, 4);
    CaricamentoSelezioni = true;
    CMB_AgenteCorrExp->clear();
    for (int i = 0; i <= 10; ++i) CMB_AgenteCorrExp->addItem(QString::number(i));
    CaricamentoSelezioni = false;
    if (const QScreen* s = screen()) move(s->geometry().center() - rect().center());
    caricata_ = true;
    Form_Resize();
    Timer1->start();
}

void FrmMappetta::Form_Unload() {
    ModMain::MappettaAperta = 0;
    Timer1->stop();
    caricata_ = false;
}

void FrmMappetta::Form_Activate() { TabellaMostrata = " "; }

void FrmMappetta::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Shown again (the display level hot key hides and shows it): a fresh load.
    if (!e->spontaneous()) Form_Load();
    Form_Activate();
}

void FrmMappetta::closeEvent(QCloseEvent* e) {
    Form_Unload();
    QWidget::closeEvent(e);
}

void FrmMappetta::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FrmMappetta::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FrmMappetta::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmMappetta::CaricaLingua() {
    const int16_t m = ModMain::CercaSezione("[Frm_MapObd]");
    PosizioneDizionario = m + 1;
    auto t = [m](int n) { return ModMain::VoceLingua(static_cast<int16_t>(m + n)); };
    LblShortTerm->setText(t(17));
    LblLongTerm->setText(t(18));
    LblStatusB1->setText(t(30));
    LblStatusB2->setText(t(31));
    LAB_AgenteCorrExp->setText(t(50));
    CmdMappaOpen->setText(t(69));
    CmdMappaReset->setText(t(70));
    CmdMappaSave->setText(t(71));
    CmdClipMatrix->setText(t(72));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmMappetta::Intestazioni() {
    GrdMappetta->TextMatrix(0, 0, QStringLiteral("0"));
    for (int k = 1; k <= OM::Colonne; ++k) GrdMappetta->TextMatrix(0, k, QString::number(k * 512));
    for (int k = 1; k <= OM::Righe; ++k) {
        const QString t = QString::number(k * ModMain::UnitaRpm);
        GrdMappetta->TextMatrix(k, 0, t);
        LAB_Jumper[static_cast<size_t>(k - 1)]->setText(t);
    }
}

void FrmMappetta::Form_Resize() {
    if (!caricata_) return;
    // Laid out only from 6600 x 7140 twips on; fonts step with the width.
    const int32_t W = width() * 15;
    if (W < 6600 || height() * 15 < 7140) return;
    const double punti = W > 19000 ? 12 : W > 17625 ? 11 : W > 15765 ? 10 : 8;
    LayoutPagina::Disponi(this, ProgettoMappetta, punti);
    // Equal rows and columns, the grid exactly their size.
    const int bordo = GrdMappetta->frameWidth();
    const int larghezza = std::max(9, (GrdMappetta->width() - 2 * bordo) / 9);
    const int altezza = std::max(16, (GrdMappetta->height() - 2 * bordo) / 16);
    for (int c = 0; c < 9; ++c) GrdMappetta->ColWidth(c, larghezza * 15);
    for (int r = 0; r < 16; ++r) GrdMappetta->RowHeight(r, altezza * 15);
    GrdMappetta->resize(9 * larghezza + 2 * bordo, 16 * altezza + 2 * bordo);
    // Each per-row box beside its grid row.
    for (int i = 0; i < OM::Righe; ++i) {
        const int y = GrdMappetta->y() + bordo + altezza * (i + 1);
        LAB_Jumper[static_cast<size_t>(i)]->setGeometry(LAB_Jumper[static_cast<size_t>(i)]->x(), y,
                                                        LAB_Jumper[static_cast<size_t>(i)]->width(), altezza);
        TXT_Jumper[static_cast<size_t>(i)]->setGeometry(TXT_Jumper[static_cast<size_t>(i)]->x(), y,
                                                        TXT_Jumper[static_cast<size_t>(i)]->width(), altezza);
    }
    Intestazioni();
    PIC_BarraOriz->resize(0, 0);
    PIC_BarraVert->resize(0, 0);
    AggiornaParametriObdMappettaSatellite();
}

// ---- Table, cursor and labels ----

void FrmMappetta::AggiornaGrigliaMappetta(const std::string& grezzi) {
    const auto testi = OM::TestiTabella(grezzi);
    for (int i = 0; i < OM::Righe; ++i)
        for (int j = 0; j < OM::Colonne; ++j)
            GrdMappetta->TextMatrix(i + 1, j + 1, QString::fromStdString(testi[static_cast<size_t>(i * OM::Colonne + j)]));
}

void FrmMappetta::AggiornaVariabiliMappettaSatellite() {
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (adesso > ProssimaLetturaTabelle && ModMain::RichiestaPendente == 0) {
        ModMain::RichiediOperazione(REQ_READ_ACQ_TABLES, false);
        ProssimaLetturaTabelle = adesso + 2'000'000;
    }
    ColonnaCursore = ObdConversioni::IndiceRpmMappaObd(ValoreMappetta(1, 37), ValoreMappetta(1, 32),
                                                       ValoreMappetta(1, 50), ModMain::AsseRpmLavoro.data());
    RigaCursore = ObdConversioni::IndiceCaricoMappaObd(ValoreMappetta(1, 48), ModMain::UnitaRpm);
    if (GrdMappetta->Row() != RigaCursore + 1 || GrdMappetta->Col() != ColonnaCursore + 1) {
        GrdMappetta->CellBackColor(GrdMappetta->Row(), GrdMappetta->Col(), 0);
        GrdMappetta->Row(RigaCursore + 1);
        GrdMappetta->Col(ColonnaCursore + 1);
        GrdMappetta->CellBackColor(RigaCursore + 1, ColonnaCursore + 1, GialloMappetta);
    }
    if (ModBlck::DatiGrezzi20 != TabellaMostrata) {
        TabellaMostrata = ModBlck::DatiGrezzi20;
        AggiornaGrigliaMappetta(TabellaMostrata);
    }
    AggiornaParametriObdMappettaSatellite();
}

void FrmMappetta::AggiornaParametriObdMappettaSatellite() {
    const uint8_t r = ModMain::MatSoglieModificata[11], c = ModMain::MatSoglieModificata[5];
    const int32_t colore = OM::ColoreBarre(r, c);
    const QColor qc(colore & 0xFF, (colore >> 8) & 0xFF, (colore >> 16) & 0xFF);
    if (PIC_BarraOriz->palette().color(QPalette::Window) != qc) {
        for (QFrame* b : {PIC_BarraOriz, PIC_BarraVert}) {
            QPalette p = b->palette();
            p.setColor(QPalette::Window, qc);
            b->setPalette(p);
        }
    }
    const int bordo = GrdMappetta->frameWidth();
    const int sinistra = GrdMappetta->x() + bordo, alto = GrdMappetta->y() + bordo;
    const int righe = std::min<int>(r, OM::Righe), colonne = std::min<int>(c, OM::Colonne);
    const int y = alto + GrdMappetta->rowHeight(0) * (righe + 1) - 1;
    const int x = sinistra + GrdMappetta->columnWidth(0) * (colonne + 1) - 1;
    const QRect oriz(sinistra, y, x - sinistra, 3), vert(x, alto, 3, y - alto);
    if (PIC_BarraOriz->geometry() != oriz) PIC_BarraOriz->setGeometry(oriz);
    if (PIC_BarraVert->geometry() != vert) PIC_BarraVert->setGeometry(vert);
    PIC_BarraOriz->raise();
    PIC_BarraVert->raise();

    QLabel* const valori[] = {LblPidVal03_B1, LblPidVal03_B2, LblPidVal06, LblPidVal07, LblPidVal08, LblPidVal09};
    if (ValoreMappetta(12, 0) < 1) {
        for (QLabel* l : valori) l->setText(NessunValoreMappetta);
        return;
    }
    const bool spento = (ValoreMappetta(2, 2) & 0x04) == 0;
    const int16_t m = static_cast<int16_t>(PosizioneDizionario - 1);
    for (auto [l, v] : {std::pair{LblPidVal03_B1, ValoreMappetta(12, 26)}, std::pair{LblPidVal03_B2, ValoreMappetta(12, 27)}}) {
        if (ValoreMappetta(12, 18) < 1 || spento) {
            l->setText(NessunValoreMappetta);
            l->setToolTip({});
            continue;
        }
        const auto off = ObdConversioni::OffsetStatoCarburante(0, v);
        const QString t = ModMain::VoceLingua(static_cast<int16_t>(m + *off));
        l->setText(t);
        l->setToolTip(t);
    }
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    struct Trim {
        QLabel* l;
        size_t pid, valore;
    } const trim[] = {{LblPidVal06, 19, 30}, {LblPidVal07, 20, 34}, {LblPidVal08, 21, 38}, {LblPidVal09, 22, 42}};
    for (const auto& x2 : trim) {
        if (ValoreMappetta(12, x2.pid) < 1 || spento) {
            x2.l->setText(NessunValoreMappetta);
            x2.l->setToolTip({});
        } else {
            x2.l->setText(QString::fromStdString(ObdConversioni::TestoTrim(ValoreMappetta(12, x2.valore), sep)));
        }
    }
}

// ---- Block 14 ----

void FrmMappetta::AggiornamentoMappetta() {
    if (ModMain::RichiestaPendente != 0) return;
    if (AggiornoParametriLenti) {
        AggiornoParametriLenti = false;
        CaricamentoSelezioni = true;
        for (int i = 0; i < OM::Righe; ++i)
            TXT_Jumper[static_cast<size_t>(i)]->setText(QString::number(ValoreMappetta(14, static_cast<size_t>(30 + i))));
        CMB_AgenteCorrExp->setCurrentIndex(-1);
        const int32_t agente = ValoreMappetta(14, 1);
        for (int i = 0; i < CMB_AgenteCorrExp->count(); ++i)
            if (CMB_AgenteCorrExp->itemText(i).toInt() >= agente) {
                CMB_AgenteCorrExp->setCurrentIndex(i);
                break;
            }
        CaricamentoSelezioni = false;
        return;
    }
    if (ModMain::LeggiTag(CHK_Jumper) == QStringLiteral("1")) {
        ModMain::ImpostaTag(CHK_Jumper, QStringLiteral("0"));
        std::vector<std::string> testi;
        for (auto* t : TXT_Jumper) testi.push_back(t->text().toStdString());
        // A box that is not a whole number refuses the whole send.
        if (const auto valori = OM::ValoriJumper(testi)) {
            ModBlck::ModificheBlocco14.clear();
            for (int i = 0; i < OM::Righe; ++i)
                ModBlck::ModificheBlocco14.push_back({(*valori)[static_cast<size_t>(i)], 30 + i, 0});
            ModMain::RichiediOperazione(REQ_WRITE_BLK14, true);
        } else {
            ModMain::MostraVoce(2);
        }
        CHK_Jumper->setChecked(false);
        CHK_Jumper->setEnabled(true);
    } else if (ModMain::LeggiTag(CMB_AgenteCorrExp) == QStringLiteral("1")) {
        ModMain::ImpostaTag(CMB_AgenteCorrExp, QStringLiteral("0"));
        if (CMB_AgenteCorrExp->currentIndex() >= 0) {
            ModBlck::ModificheBlocco14 = {{CMB_AgenteCorrExp->currentText().toInt(), 1, 0}};
            ModMain::RichiediOperazione(REQ_WRITE_BLK14, true);
        }
    }
    if (ModMain::RichiestaPendente != 0) AggiornoParametriLenti = true;
}

void FrmMappetta::CHK_Jumper_Click() {
    if (!CHK_Jumper->isEnabled()) return;
    ModMain::ImpostaTag(CHK_Jumper, QStringLiteral("1"));
    CHK_Jumper->setEnabled(false);
}

void FrmMappetta::CMB_AgenteCorrExp_Click() {
    if (CaricamentoSelezioni) return;
    ModMain::ImpostaTag(CMB_AgenteCorrExp, QStringLiteral("1"));
}

void FrmMappetta::CmdClipMatrix_Click() {
    std::vector<std::string> colonne, righe, celle;
    for (int j = 1; j <= OM::Colonne; ++j) colonne.push_back(GrdMappetta->TextMatrix(0, j).toStdString());
    for (int i = 1; i <= OM::Righe; ++i) {
        righe.push_back(GrdMappetta->TextMatrix(i, 0).toStdString());
        for (int j = 1; j <= OM::Colonne; ++j) celle.push_back(GrdMappetta->TextMatrix(i, j).toStdString());
    }
    GrdMappetta->Row(1);
    GrdMappetta->Col(1);
    GrdMappetta->RowSel(OM::Righe);
    GrdMappetta->ColSel(OM::Colonne);
    Piattaforma::ImpostaAppunti(QString::fromStdString(OM::TestoAppunti(colonne, righe, celle)));
}

// ---- File commands ----

void FrmMappetta::CmdMappaOpen_Click() { ModMain::ImpostaTag(CmdMappaOpen, QStringLiteral("1")); }
void FrmMappetta::CmdMappaSave_Click() { ModMain::ImpostaTag(CmdMappaSave, QStringLiteral("1")); }
void FrmMappetta::CmdMappaReset_Click() { ModMain::ImpostaTag(CmdMappaReset, QStringLiteral("1")); }

bool FrmMappetta::SlotLibero() const {
    return ModMain::RichiestaPendente == 0 || ModMain::RichiestaPendente == REQ_MAP_DIALOG_BUSY;
}

void FrmMappetta::Timer1_Timer() {
    int32_t& slot = ModMain::RichiestaPendente;
    if (slot != 0) {
        if (slot == REQ_MAP_DIALOG_BUSY) slot = 0;
        return;
    }
    slot = REQ_MAP_DIALOG_BUSY;
    auto pendente = [](const QWidget* b) { return ModMain::LeggiTag(b) == QStringLiteral("1"); };
    if (pendente(CmdMappaOpen)) ApriFile();
    else if (pendente(CmdMappaReset)) AzzeraTabelle();
    else if (pendente(CmdMappaSave) || salvataggioInAttesa_) SalvaFile();
    if (slot == REQ_MAP_DIALOG_BUSY) slot = 0;
}

void FrmMappetta::ApriFile() {
    // A file chosen on an earlier tick whose request found the slot taken is not asked again.
    if (fileInAttesa_.empty()) {
        ModMain::PercorsoCaricamento.clear();
        const auto nome = Piattaforma::ScegliFileDaAprire(QString(), QString::fromStdString(ModMain::CartellaArchivio),
                                                          FiltroMappe());
        if (DopoDialogo) DopoDialogo();
        const std::string percorso = nome ? nome->toStdString() : std::string();
        if (percorso.empty() || !ModGlobFunct::EsisteFile(percorso)) {
            ModMain::ImpostaTag(CmdMappaOpen, QStringLiteral("0"));
            return;
        }
        // A "[TRisult]" line that is not a whole result table sends nothing.
        const auto righe = ModBlck::LeggiFileTesto(percorso);
        const auto verifica = OM::VerificaFileMappa(righe ? *righe : std::vector<std::string>{});
        if (verifica.Trovata && !verifica.Valida) {
            ModMain::ImpostaTag(CmdMappaOpen, QStringLiteral("0"));
            Piattaforma::MostraMessaggio(ModMain::VoceLingua(static_cast<int16_t>(PosizioneDizionario - 1 + VoceMappaNonValida)),
                                         ModMain::VoceLingua(0));
            return;
        }
        fileInAttesa_ = percorso;
    }
    // The dialog let timers run: post only into the slot this timer holds.
    if (!SlotLibero()) return;
    ModMain::ImpostaTag(CmdMappaOpen, QStringLiteral("0"));
    ModMain::PercorsoCaricamento = fileInAttesa_;
    fileInAttesa_.clear();
    ModMain::RichiestaPendente = REQ_LOAD_RESULT_TABLE;
    MDIFrm::Interfaccia().FrmUpdate_AvviaTimer();
}

void FrmMappetta::AzzeraTabelle() {
    if (!SlotLibero()) return;
    ModMain::ImpostaTag(CmdMappaReset, QStringLiteral("0"));
    ModMain::RichiestaPendente = REQ_RESET_GAS_ACQ;
    MDIFrm::Interfaccia().FrmUpdate_AvviaTimer();
}

void FrmMappetta::SalvaFile() {
    if (!salvataggioInAttesa_) {
        ModMain::ImpostaTag(CmdMappaSave, QStringLiteral("0"));
        ModMain::PercorsoSalvataggio.clear();
        const auto nome = Piattaforma::ScegliFileDaSalvare(QString(), QString::fromStdString(ModMain::CartellaArchivio),
                                                           FiltroMappe());
        if (DopoDialogo) DopoDialogo();
        if (!nome || nome->isEmpty()) return;
        ModMain::PercorsoSalvataggio = nome->toStdString();
        salvataggioInAttesa_ = true;
    }
    // A request posted while the dialog was open keeps the save waiting.
    if (!SlotLibero()) return;
    if (ModMain::RichiestaPendente == REQ_MAP_DIALOG_BUSY) ModMain::RichiestaPendente = 0;
    ModMain::RichiediOperazione(REQ_SAVE_CONFIG_FILE, true);
    salvataggioInAttesa_ = false;
    const std::string voce0 = ModMain::TestoVoce(0);
    std::string titolo = voce0 + ModMain::VersioneProgramma;
    const bool offline = ModMain::StatoConnessione == STATO_OFFLINE;
    if (offline) titolo += " - [" + ModMain::TestoVoce(47) + "] ";
    MDIFrm::Interfaccia().ImpostaTitolo(titolo + "     " + ModMain::NomeConfigurazione);
    // Offline the engine saves nothing for request 8: the configuration in memory is saved here.
    if (offline) ModMain::SalvaConfigurazioneSuFile(ModMain::PercorsoSalvataggio);
}
