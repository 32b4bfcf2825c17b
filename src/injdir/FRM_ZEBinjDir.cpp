#include "injdir/FRM_ZEBinjDir.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "controls/GrigliaDati.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainTasti.h"
#include "injdir/InjDirRegole.h"
#include "link/ModMappeDati.h"

using namespace ModZebPagina;
namespace R = InjDirRegole;

namespace {

// Design size of the page in twips (1000 x 425 pixels), as the other settings pages.
constexpr double InjLarghezza = 15000, InjAltezza = 6375;
constexpr double InjPunti = 8.25;
constexpr int32_t InjTesto = 0xFFFFFF;
constexpr int32_t InjValore = 0xFFFF80;
inline constexpr const char* InjTrattini = " - - ";

void InjPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

QComboBox* InjCombo(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setMaxVisibleItems(16);
    ImpostaFont(c, InjPunti);
    return c;
}

QLabel* InjEtichetta(QWidget* padre, const char* nome, int32_t colore = InjTesto, bool grassetto = false) {
    // Centred on the design row it shares with its list: a list keeps its
    // height with its centre on the scaled design centre, so both stay level.
    auto* l = NuovaEtichetta(padre, QString::fromLatin1(nome), colore, InjPunti, grassetto, Qt::AlignLeft | Qt::AlignVCenter);
    l->setWordWrap(false);
    return l;
}

PulsanteGrafico* InjPulsante(QWidget* padre, const char* nome, const char* testo) {
    AspettoPulsante a;
    a.punti = InjPunti;
    a.testo = QString::fromLatin1(testo);
    return NuovoPulsante(padre, QString::fromLatin1(nome), a);
}

std::optional<int32_t> InjValoreBlocco(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}

R::Voci InjNumeri(const QComboBox* c) {
    R::Voci r;
    for (int i = 0; i < c->count(); ++i) r.push_back(NumeroVoce(c->itemText(i)));
    return r;
}

std::vector<std::optional<int64_t>> InjMillesimiVoci(const QComboBox* c) {
    std::vector<std::optional<int64_t>> r;
    for (int i = 0; i < c->count(); ++i) r.push_back(MillesimiVoce(c->itemText(i)));
    return r;
}

// A position that the combo offers, or -1 (no selection).
void InjSeleziona(QComboBox* c, int indice) { c->setCurrentIndex(indice >= 0 && indice < c->count() ? indice : -1); }

void InjBit(QComboBox* c, std::optional<int32_t> parola, int32_t maschera) {
    if (parola && c->count() > 1) c->setCurrentIndex(R::IndiceBit(*parola, maschera));
}

} // namespace

FRM_ZEBinjDir::FRM_ZEBinjDir(QWidget* contenitore) : QWidget(contenitore), proporzioni_(InjLarghezza, InjAltezza) {
    setObjectName(QStringLiteral("FRM_ZEBinjDir"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    resize(static_cast<int>(InjLarghezza / 15), static_cast<int>(InjAltezza / 15));
    CostruisciControlli();
    // A held key on the grid ends when the program loses the keyboard.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive) FermaRipetizione();
    });
}

FRM_ZEBinjDir::~FRM_ZEBinjDir() { TastoPremuto = false; }

void FRM_ZEBinjDir::CostruisciControlli() {
    SHP_Contorno = new FormaPagina(this, QStringLiteral("SHP_Contorno"), 1, false);
    InjPosto(SHP_Contorno, 0, 0, 1000, 425);

    FRM_INJ = new QWidget(this);
    FRM_INJ->setObjectName(QStringLiteral("FRM_INJ"));
    InjPosto(FRM_INJ, 0, 0, 1000, 425);

    // Two columns of settings, each a caption and its list.
    struct Riga {
        QLabel*& etichetta;
        const char* nomeEtichetta;
        QComboBox*& combo;
        const char* nomeCombo;
    };
    Riga colonnaA[] = {{lblPIDLambda, "lblPIDLambda", cmbPIDLambda, "cmbPIDLambda"},
                       {lblContrIDContributo, "lblContrIDContributo", cmbContrIDContributo, "cmbContrIDContributo"},
                       {lblContrIDTimeShift, "lblContrIDTimeShift", cmbContrIDTimeShift, "cmbContrIDTimeShift"},
                       {TXTAbilOutCutOff, "TXTAbilOutCutOff", CMBAbilOutCutOff, "CMBAbilOutCutOff"},
                       {TXTContrOutCutOff, "TXTContrOutCutOff", CMBContrOutCutOff, "CMBContrOutCutOff"},
                       {TXTNumOutCutOff, "TXTNumOutCutOff", CMBNumOutCutOff, "CMBNumOutCutOff"},
                       {TXTdisHalfPer, "TXTdisHalfPer", CMBdisHalfPer, "CMBdisHalfPer"},
                       {LAB_max_OutGas, "LAB_max_OutGas", CMB_max_OutGas, "CMB_max_OutGas"}};
    Riga colonnaB[] = {{LBLAbilDeltaPAccMin, "LBLAbilDeltaPAccMin", CMBAbilDeltaPAccMin, "CMBAbilDeltaPAccMin"},
                       {LBLSogliaRPMAccMin, "LBLSogliaRPMAccMin", CmbSogliaRPMAccMin, "CmbSogliaRPMAccMin"},
                       {LBLDeltaTAccMin, "LBLDeltaTAccMin", CMBDeltaTAccMin, "CMBDeltaTAccMin"},
                       {LBLDeltaPAccMin, "LBLDeltaPAccMin", CMBDeltaPAccMin, "CMBDeltaPAccMin"},
                       {LBLCntrDeltaPAccMin, "LBLCntrDeltaPAccMin", CMBCntrDeltaPAccMin, "CMBCntrDeltaPAccMin"},
                       {LBLCicliDeltaPAccMin, "LBLCicliDeltaPAccMin", CMBCicliDeltaPAccMin, "CMBCicliDeltaPAccMin"},
                       {LAB_AbilEmuFuelP, "LAB_AbilEmuFuelP", CMB_AbilEmuFuelP, "CMB_AbilEmuFuelP"},
                       {LAB_max_AcqFuelPres, "LAB_max_AcqFuelPres", CMB_max_AcqFuelPres, "CMB_max_AcqFuelPres"},
                       {LAB_ritATT_EmuFuelP, "LAB_ritATT_EmuFuelP", CMB_ritATT_EmuFuelP, "CMB_ritATT_EmuFuelP"}};
    const double passo = 30, y0 = 14;
    for (size_t i = 0; i < std::size(colonnaA); ++i) {
        auto& r = colonnaA[i];
        r.etichetta = InjEtichetta(FRM_INJ, r.nomeEtichetta);
        r.combo = InjCombo(FRM_INJ, r.nomeCombo);
        const double y = y0 + (i < 7 ? i : i + 1) * passo; // row 7 belongs to the page-level pair
        InjPosto(r.etichetta, 16, y, 184, 22);
        InjPosto(r.combo, 204, y, 136, 22);
    }
    for (size_t i = 0; i < std::size(colonnaB); ++i) {
        auto& r = colonnaB[i];
        r.etichetta = InjEtichetta(FRM_INJ, r.nomeEtichetta);
        r.combo = InjCombo(FRM_INJ, r.nomeCombo);
        InjPosto(r.etichetta, 352, y0 + i * passo, 200, 22);
        InjPosto(r.combo, 556, y0 + i * passo, 76, 22);
    }
    TXTdisSimInjB = InjEtichetta(this, "TXTdisSimInjB");
    CMBdisSimInjB = InjCombo(this, "CMBdisSimInjB");
    InjPosto(TXTdisSimInjB, 16, y0 + 7 * passo, 184, 22);
    InjPosto(CMBdisSimInjB, 204, y0 + 7 * passo, 136, 22);

    // Advance table.
    TXT_TabellaAnticipo = InjEtichetta(FRM_INJ, "TXT_TabellaAnticipo", InjValore, true);
    InjPosto(TXT_TabellaAnticipo, 16, 310, 400, 20);
    // The way to the automatic calibration window, which has no menu of its own.
    CmdAutoTaratura = InjPulsante(FRM_INJ, "CmdAutoTaratura", "");
    InjPosto(CmdAutoTaratura, 700, 304, 284, 24);
    GrdQDL = new GrigliaDati(FRM_INJ);
    GrdQDL->setObjectName(QStringLiteral("GrdQDL"));
    GrdQDL->Rows(2);
    GrdQDL->Cols(R::ColonneAnticipo + 1);
    GrdQDL->FixedRows(1);
    GrdQDL->FixedCols(1);
    // The selection shows in the page's own highlight (EvidenziaCella).
    GrdQDL->ColoriSelezione(0xFFFF, 0);
    GrdQDL->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdQDL->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    InjPosto(GrdQDL, 16, 332, 968, 84);
    Indicatore = InjPulsante(FRM_INJ, "Indicatore", "");
    Indicatore->BackColor(0x80FF);
    Indicatore->setAttribute(Qt::WA_TransparentForMouseEvents);
    Indicatore->hide();

    // Advanced settings (display level "AUT").
    FRM_ADV = new QWidget(this);
    FRM_ADV->setObjectName(QStringLiteral("FRM_ADV"));
    FRM_ADV->setAutoFillBackground(true);
    {
        QPalette p = FRM_ADV->palette();
        p.setColor(QPalette::Window, QColor(0, 0, 64));
        FRM_ADV->setPalette(p);
    }
    InjPosto(FRM_ADV, 648, 6, 344, 296); // ends above the calibration button
    ModMain::ImpostaTag(FRM_ADV, QStringLiteral("AUT"));
    ImgInjDir = new QLabel(FRM_ADV);
    ImgInjDir->setObjectName(QStringLiteral("ImgInjDir"));
    InjPosto(ImgInjDir, 0, 0, 0, 0);
    LblInjDir = InjEtichetta(FRM_ADV, "LblInjDir", InjValore, true);
    InjPosto(LblInjDir, 8, 2, 328, 20);
    lblLetturaLambda = InjEtichetta(FRM_ADV, "lblLetturaLambda");
    txtLetturaLambda = InjEtichetta(FRM_ADV, "txtLetturaLambda", InjValore, true);
    cmbLetturaLambda = InjCombo(FRM_ADV, "cmbLetturaLambda");
    lblLetturaPress = InjEtichetta(FRM_ADV, "lblLetturaPress");
    txtLetturaPress = InjEtichetta(FRM_ADV, "txtLetturaPress", InjValore, true);
    cmbUM = InjCombo(FRM_ADV, "cmbUM");
    const double ya = 24, pa = 23;
    InjPosto(lblLetturaLambda, 8, ya, 170, 22);
    InjPosto(txtLetturaLambda, 180, ya, 80, 22);
    InjPosto(cmbLetturaLambda, 264, ya, 72, 22);
    InjPosto(lblLetturaPress, 8, ya + pa, 170, 22);
    InjPosto(txtLetturaPress, 180, ya + pa, 80, 22);
    InjPosto(cmbUM, 264, ya + pa, 72, 22);
    Riga avanzate[] = {{lblGradiAnticipo, "lblGradiAnticipo", cmbGradiAnticipo, "cmbGradiAnticipo"},
                       {LblSogliaTrigger, "LblSogliaTrigger", CmbSogliaTrigger, "CmbSogliaTrigger"},
                       {lblCntrbEnabler, "lblCntrbEnabler", cmbCntrbEnabler, "cmbCntrbEnabler"},
                       {lblContrIDMAP_H, "lblContrIDMAP_H", cmbContrIDMAP_H, "cmbContrIDMAP_H"},
                       {lblContrIDMAP_L, "lblContrIDMAP_L", cmbContrIDMAP_L, "cmbContrIDMAP_L"},
                       {lblContrIDThrTime, "lblContrIDThrTime", cmbContrIDThrTime, "cmbContrIDThrTime"},
                       {lblContrIDThrPress, "lblContrIDThrPress", cmbContrIDThrPress, "cmbContrIDThrPress"},
                       {lblContrIDThrIST, "lblContrIDThrIST", cmbContrIDThrIST, "cmbContrIDThrIST"},
                       {lblgasbenzina, "lblgasbenzina", cmbgasbenzina, "cmbgasbenzina"}};
    for (size_t i = 0; i < std::size(avanzate); ++i) {
        auto& r = avanzate[i];
        r.etichetta = InjEtichetta(FRM_ADV, r.nomeEtichetta);
        r.combo = InjCombo(FRM_ADV, r.nomeCombo);
        InjPosto(r.etichetta, 8, ya + (i + 2) * pa, 220, 22);
        InjPosto(r.combo, 232, ya + (i + 2) * pa, 104, 22);
    }
    lblContrIDCounter = InjEtichetta(FRM_ADV, "lblContrIDCounter");
    txtContrIDCounter = InjEtichetta(FRM_ADV, "txtContrIDCounter", InjValore, true);
    cmdContrIDCounter = InjPulsante(FRM_ADV, "cmdContrIDCounter", "***Reset");
    InjPosto(lblContrIDCounter, 8, ya + 11 * pa, 170, 22);
    InjPosto(txtContrIDCounter, 180, ya + 11 * pa, 60, 22);
    InjPosto(cmdContrIDCounter, 248, ya + 11 * pa, 88, 22);
    lblCntrbEnabler->setText(QStringLiteral("*** lblCntrbEnabler"));
    lblgasbenzina->setText(QStringLiteral("*** Carburante arricchimento"));
    for (QLabel* l : {txtLetturaLambda, txtLetturaPress, txtContrIDCounter}) l->setText(QString::fromLatin1(InjTrattini));

    SHP_Contorno->lower();

    auto combo = [this](QComboBox* c, void (FRM_ZEBinjDir::*gestore)()) {
        connect(c, &QComboBox::activated, this, [this, gestore](int) { (this->*gestore)(); });
    };
    combo(CmbSogliaTrigger, &FRM_ZEBinjDir::CmbSogliaTrigger_Click);
    combo(cmbCntrbEnabler, &FRM_ZEBinjDir::cmbCntrbEnabler_Click);
    combo(cmbgasbenzina, &FRM_ZEBinjDir::cmbgasbenzina_Click);
    combo(CMBAbilOutCutOff, &FRM_ZEBinjDir::CMBAbilOutCutOff_Click);
    combo(CMBAbilDeltaPAccMin, &FRM_ZEBinjDir::CMBAbilDeltaPAccMin_Click);
    combo(CMBdisHalfPer, &FRM_ZEBinjDir::CMBdisHalfPer_Click);
    combo(CMBdisSimInjB, &FRM_ZEBinjDir::CMBdisSimInjB_Click);
    combo(cmbContrIDMAP_H, &FRM_ZEBinjDir::cmbContrIDMAP_H_Click);
    combo(cmbContrIDMAP_L, &FRM_ZEBinjDir::cmbContrIDMAP_L_Click);
    combo(cmbContrIDThrTime, &FRM_ZEBinjDir::cmbContrIDThrTime_Click);
    combo(cmbContrIDThrPress, &FRM_ZEBinjDir::cmbContrIDThrPress_Click);
    combo(cmbContrIDContributo, &FRM_ZEBinjDir::cmbContrIDContributo_Click);
    combo(CmbSogliaRPMAccMin, &FRM_ZEBinjDir::CmbSogliaRPMAccMin_Click);
    combo(cmbContrIDThrIST, &FRM_ZEBinjDir::cmbContrIDThrIST_Click);
    combo(cmbContrIDTimeShift, &FRM_ZEBinjDir::cmbContrIDTimeShift_Click);
    combo(cmbGradiAnticipo, &FRM_ZEBinjDir::cmbGradiAnticipo_Click);
    combo(CMBContrOutCutOff, &FRM_ZEBinjDir::CMBContrOutCutOff_Click);
    combo(CMBNumOutCutOff, &FRM_ZEBinjDir::CMBNumOutCutOff_Click);
    combo(CMBDeltaTAccMin, &FRM_ZEBinjDir::CMBDeltaTAccMin_Click);
    combo(CMBDeltaPAccMin, &FRM_ZEBinjDir::CMBDeltaPAccMin_Click);
    combo(CMBCntrDeltaPAccMin, &FRM_ZEBinjDir::CMBCntrDeltaPAccMin_Click);
    combo(CMBCicliDeltaPAccMin, &FRM_ZEBinjDir::CMBCicliDeltaPAccMin_Click);
    combo(CMB_max_OutGas, &FRM_ZEBinjDir::CMB_max_OutGas_Click);
    combo(CMB_AbilEmuFuelP, &FRM_ZEBinjDir::CMB_AbilEmuFuelP_Click);
    combo(CMB_max_AcqFuelPres, &FRM_ZEBinjDir::CMB_max_AcqFuelPres_Click);
    combo(CMB_ritATT_EmuFuelP, &FRM_ZEBinjDir::CMB_ritATT_EmuFuelP_Click);
    combo(cmbPIDLambda, &FRM_ZEBinjDir::cmbPIDLambda_Click);
    connect(cmdContrIDCounter, &PulsanteGrafico::Click, this, &FRM_ZEBinjDir::cmdContrIDCounter_Click);
    connect(CmdAutoTaratura, &PulsanteGrafico::Click, this, &FRM_ZEBinjDir::CmdAutoTaratura_Click);
    connect(GrdQDL, &GrigliaDati::KeyDown, this, &FRM_ZEBinjDir::GrdQDL_KeyDown);
    connect(GrdQDL, &GrigliaDati::KeyUp, this, &FRM_ZEBinjDir::GrdQDL_KeyUp);
    connect(GrdQDL, &GrigliaDati::EnterCell, this, &FRM_ZEBinjDir::EvidenziaCella);
    connect(GrdQDL, &GrigliaDati::Click, this, &FRM_ZEBinjDir::EvidenziaCella);
    connect(GrdQDL, &GrigliaDati::LeaveCell, this, &FRM_ZEBinjDir::RipristinaCella);
    GrdQDL->installEventFilter(this);
    GrdQDL->viewport()->installEventFilter(this);
}

bool FRM_ZEBinjDir::eventFilter(QObject* o, QEvent* e) {
    const auto t = e->type();
    if (o == GrdQDL) {
        if (t == QEvent::FocusIn) EvidenziaCella();
        if (t == QEvent::FocusOut || t == QEvent::Hide || t == QEvent::WindowDeactivate) {
            // A held key ends when the grid loses the keyboard.
            FermaRipetizione();
            if (t == QEvent::FocusOut) RipristinaCella();
        }
    } else if (o == GrdQDL->viewport() && t == QEvent::MouseButtonDblClick) {
        GrdQDL_DblClick();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

// ---- Frame

void FRM_ZEBinjDir::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    ValoreContributoSpeciale = -1;
    FattoreFont = 1.0f;
    SHP_Contorno->ColoreBordo(0x400000);
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    CaricaLingua();
    if (cmbUM->count() > 0) cmbUM->setCurrentIndex(0);
    if (cmbLetturaLambda->count() > 0) cmbLetturaLambda->setCurrentIndex(0);
    for (int c = 0; c < GrdQDL->Cols(); ++c)
        for (int r = 0; r < 2; ++r) GrdQDL->CellAlignment(r, c, 4);
    caricata_ = true;
    Form_Resize();
}

void FRM_ZEBinjDir::Form_Unload() {
    caricata_ = false;
    TastoPremuto = false;
}

void FRM_ZEBinjDir::Form_Resize() {
    // A zero size (a hidden page being laid out) is ignored; the places come
    // from the design, so growing and shrinking leave no rounding drift.
    if (!proporzioni_.Applica(this)) return;
    FattoreFont = proporzioni_.FattoreScala();
    DisponiGriglia();
}

void FRM_ZEBinjDir::DisponiGriglia() {
    const double punti = lblContrIDTimeShift->font().pointSizeF() - 4;
    GrdQDL->FontSize(std::max(punti, 6.0));
    const int larghezza = GrdQDL->viewport()->width(), altezza = GrdQDL->viewport()->height();
    if (larghezza <= 0 || altezza <= 0) return;
    // Equal columns (the live marker counts on it); the last takes the remainder.
    const int colonna = larghezza / GrdQDL->Cols();
    for (int c = 0; c < GrdQDL->Cols(); ++c) GrdQDL->ColWidth(c, colonna * 15);
    GrdQDL->ColWidth(GrdQDL->Cols() - 1, (larghezza - colonna * (GrdQDL->Cols() - 1)) * 15);
    for (int r = 0; r < GrdQDL->Rows(); ++r) GrdQDL->RowHeight(r, altezza / GrdQDL->Rows() * 15);
}

void FRM_ZEBinjDir::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBinjDir::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FRM_ZEBinjDir::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

// ---- Texts and lists

void FRM_ZEBinjDir::CaricaComboTesto(const std::string& lista, QComboBox* combo) { RiempiCombo(combo, lista); }

void FRM_ZEBinjDir::CaricaComboMillesimi(const std::string& lista, QComboBox* combo) {
    RiempiComboMillesimi(combo, lista);
}

void FRM_ZEBinjDir::CaricaLingua() {
    const auto s = CercaMarcatore("[Start_InjDir]");
    const struct {
        int offset;
        QLabel* l;
    } testi[] = {{2, lblContrIDTimeShift},  {4, lblPIDLambda},        {5, lblGradiAnticipo},     {6, TXTAbilOutCutOff},
                 {7, TXTContrOutCutOff},    {8, TXTNumOutCutOff},     {9, LBLSogliaRPMAccMin},   {10, LBLCntrDeltaPAccMin},
                 {11, LBLCicliDeltaPAccMin}, {12, LBLAbilDeltaPAccMin}, {13, LBLDeltaTAccMin},    {14, LBLDeltaPAccMin},
                 {4, lblLetturaLambda},     {15, lblLetturaPress},    {16, lblContrIDContributo}, {20, TXT_TabellaAnticipo},
                 {22, LAB_AbilEmuFuelP},    {23, LAB_max_AcqFuelPres}, {24, LAB_ritATT_EmuFuelP}, {25, LAB_max_OutGas},
                 {26, TXTdisHalfPer},       {27, TXTdisSimInjB}};
    for (const auto& t : testi) t.l->setText(VoceSchermo(s, t.offset));
    GrdQDL->TextMatrix(0, 0, VoceSchermo(s, 18));
    GrdQDL->TextMatrix(1, 0, VoceSchermo(s, 19));
    TestoConfermaGriglia = Voce(s, 21);

    const auto c = CercaMarcatore("[Frm_Config]");
    LblSogliaTrigger->setText(VoceSchermo(c, 58));
    LblInjDir->setText(VoceSchermo(c, 68));
    lblContrIDCounter->setText(VoceSchermo(c, 72));
    cmdContrIDCounter->Caption(VoceSchermo(c, 76));
    CmdAutoTaratura->Caption(VoceSchermo(CercaMarcatore("[Frm_AutoTuning]"), 1));
    // Shown in every language.
    lblContrIDMAP_H->setText(QStringLiteral("*DeltaV #1 (V)"));
    lblContrIDMAP_L->setText(QStringLiteral("* Incremento per DeltaV"));
    lblContrIDThrTime->setText(QStringLiteral("*DeltaT (ms)"));
    lblContrIDThrPress->setText(QStringLiteral("*Decremento per DeltaT"));
    lblContrIDThrIST->setText(QStringLiteral("*Delta T per rientro (ms)"));

    const std::string spento = ModMain::TestoVoce(19);
    const std::string onOff = spento + "|" + ModMain::TestoVoce(18);
    for (QComboBox* x : {cmbCntrbEnabler, CMBAbilOutCutOff, CMBAbilDeltaPAccMin, CMB_AbilEmuFuelP, CMBdisHalfPer,
                         CMBdisSimInjB})
        CaricaComboTesto(onOff, x);
    if (const int n = cmbContrIDContributo->count(); n > 0) cmbContrIDContributo->setItemText(n - 1, ModMain::TestoLingua(spento));
    CaricaComboTesto("* gas|* benzina", cmbgasbenzina);
    std::string pid = spento;
    for (int k : {74, 75, 77, 78, 79, 80, 81, 82, 83, 84}) pid += "|" + Voce(c, k);
    CaricaComboTesto(pid, cmbPIDLambda);
    CaricaComboTesto("kPa|bar", cmbUM);
    CaricaComboTesto("V|%", cmbLetturaLambda);
    CaricaComboTesto(R::ListaInteri(0, 150), cmbGradiAnticipo);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FRM_ZEBinjDir::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    for (size_t d = 0; d < righe.size(); ++d) {
        const std::string& r = righe[d];
        QComboBox* testo = nullptr;
        QComboBox* millesimi = nullptr;
        if (r == "[Trigger Inj]") millesimi = CmbSogliaTrigger;
        else if (r == "[MAX_OUTGAS]") millesimi = CMB_max_OutGas;
        else if (r == "[CONTRIBUTO]") millesimi = cmbContrIDContributo;
        else if (r == "[max_AcqFuelPres]") testo = CMB_max_AcqFuelPres;
        else if (r == "[ContrID_TimeShift]") testo = cmbContrIDTimeShift;
        else if (r == "[CNTR_OUT_CUTOFF]") testo = CMBContrOutCutOff;
        else if (r == "[NUMR_OUT_CUTOFF]") testo = CMBNumOutCutOff;
        else if (r == "[DELTA_T_ACC_MIN]") testo = CMBDeltaTAccMin;
        else if (r == "[DELTA_P_ACC_MIN]") testo = CMBDeltaPAccMin;
        else if (r == "[SOGLIA_RPM_ACC_MIN]") testo = CmbSogliaRPMAccMin;
        else if (r == "[CNTR_DELTA_P_ACC_MIN]") testo = CMBCntrDeltaPAccMin;
        else if (r == "[CICLI_DELTA_P_ACC_MIN]") testo = CMBCicliDeltaPAccMin;
        if (!testo && !millesimi) continue; // "[ContrID_MAP]" and the like change nothing
        // A section line that is the last line has no list: its combo stays as it was.
        const auto lista = RigaDopo(righe, d, 1);
        if (!lista) continue;
        if (testo) CaricaComboTesto(*lista, testo);
        else CaricaComboMillesimi(*lista, millesimi);
        if (millesimi == cmbContrIDContributo) {
            cmbContrIDContributo->addItem(ModMain::TestoLingua(ModMain::TestoVoce(19)));
            // Without a readable value line the extra item stands for nothing (-1) and writes nothing.
            ValoreContributoSpeciale = R::ValoreContributoDaRighe(righe, d).value_or(-1);
        }
    }
    RiempiCombo(cmbContrIDMAP_H, R::ListaMapH(sep));
    RiempiCombo(cmbContrIDMAP_L, R::ListaInteri(1, 14));
    RiempiCombo(cmbContrIDThrPress, R::ListaInteri(1, 14));
    RiempiCombo(cmbContrIDThrIST, ListaMultipli(25, 159));
    RiempiCombo(cmbContrIDThrTime, ListaMultipli(25, 159));
    RiempiCombo(CMB_ritATT_EmuFuelP, ListaMultipli(500, 10));
}

// ---- Loading

void FRM_ZEBinjDir::MostraTabella() {
    for (int k = 0; k < R::ColonneAnticipo; ++k) {
        GrdQDL->TextMatrix(0, k + 1, QString::number(static_cast<int32_t>(ModMain::AsseRpmLavoro[static_cast<size_t>(k)]) * 64));
        if (const auto v = InjValoreBlocco(12, R::PrimaParolaAnticipo + static_cast<size_t>(k)))
            GrdQDL->TextMatrix(1, k + 1, QString::number(*v));
    }
}

void FRM_ZEBinjDir::AggiornaSelezioni() {
    GuardiaCaricamento guardia(InCaricamento);
    for (QComboBox* c : {cmbCntrbEnabler, CmbSogliaTrigger, cmbContrIDMAP_H, cmbContrIDMAP_L, cmbContrIDContributo,
                         cmbContrIDTimeShift, cmbContrIDThrPress, CmbSogliaRPMAccMin, cmbContrIDThrTime, cmbContrIDThrIST,
                         cmbPIDLambda, cmbUM})
        c->setEnabled(true);
    auto w16 = [](size_t k) { return InjValoreBlocco(16, k); };

    if (const auto v = InjValoreBlocco(12, 24)) {
        InjSeleziona(cmbPIDLambda, R::IndicePidLambda(*v));
        const int p = cmbPIDLambda->currentIndex();
        const QString testo = p >= 1 && p <= 10 ? cmbPIDLambda->itemText(p) : lblPIDLambda->text();
        if (lblLetturaLambda->text() != testo) lblLetturaLambda->setText(testo);
    }
    if (const auto v = w16(0)) InjSeleziona(CmbSogliaTrigger, R::IndicePosizione(*v, 5, CmbSogliaTrigger->count()));
    if (const auto v = w16(6))
        InjSeleziona(cmbContrIDContributo, R::IndiceContributo(InjMillesimiVoci(cmbContrIDContributo), *v, ValoreContributoSpeciale));
    if (const auto v = w16(11)) InjSeleziona(cmbContrIDTimeShift, R::IndiceTimeShift(InjNumeri(cmbContrIDTimeShift), *v));
    if (const auto v = w16(10)) InjSeleziona(cmbContrIDThrIST, R::IndicePosizione(*v, 1, cmbContrIDThrIST->count()));
    if (const auto v = w16(4)) InjSeleziona(cmbContrIDThrTime, R::IndicePosizione(*v, 1, cmbContrIDThrTime->count()));
    if (const auto v = w16(9)) InjSeleziona(CmbSogliaRPMAccMin, R::IndiceIntero(InjNumeri(CmbSogliaRPMAccMin), *v));
    if (const auto v = w16(5)) InjSeleziona(cmbContrIDThrPress, R::IndiceIntero(InjNumeri(cmbContrIDThrPress), *v));
    const auto opzioni = w16(1);
    InjBit(cmbCntrbEnabler, opzioni, 0x01);
    InjBit(cmbgasbenzina, opzioni, 0x02);
    if (const auto v = w16(2)) InjSeleziona(cmbContrIDMAP_H, R::IndicePosizione(*v, 10, cmbContrIDMAP_H->count()));
    if (const auto v = w16(14)) InjSeleziona(cmbGradiAnticipo, R::IndiceIntero(InjNumeri(cmbGradiAnticipo), *v));
    if (const auto v = w16(3)) InjSeleziona(cmbContrIDMAP_L, R::IndiceIntero(InjNumeri(cmbContrIDMAP_L), *v));
    InjBit(CMBAbilOutCutOff, opzioni, 0x04);
    const struct {
        QComboBox* c;
        size_t parola;
    } interi[] = {{CMBContrOutCutOff, 15},   {CMBNumOutCutOff, 16},      {CMBDeltaTAccMin, 17},
                  {CMBDeltaPAccMin, 18},     {CMBCntrDeltaPAccMin, 19},  {CMBCicliDeltaPAccMin, 20},
                  {CMB_max_AcqFuelPres, 21}, {CMB_ritATT_EmuFuelP, 22}};
    InjBit(CMBAbilDeltaPAccMin, opzioni, 0x08);
    InjBit(CMB_AbilEmuFuelP, opzioni, 0x10);
    for (const auto& x : interi)
        if (const auto v = w16(x.parola)) InjSeleziona(x.c, R::IndiceIntero(InjNumeri(x.c), *v));
    if (const auto v = w16(23)) InjSeleziona(CMB_max_OutGas, R::IndiceMillesimi(InjMillesimiVoci(CMB_max_OutGas), *v));
    InjBit(CMBdisHalfPer, opzioni, 0x20);
    InjBit(CMBdisSimInjB, opzioni, 0x40);
    MostraTabella();
}

// ---- Live marker

void FRM_ZEBinjDir::VisualizzaPunto(int32_t valore) {
    const auto p = R::PostoIndicatore(valore, GrdQDL->x() + GrdQDL->frameWidth(), GrdQDL->y() + GrdQDL->frameWidth(),
                                      GrdQDL->columnWidth(0), GrdQDL->rowHeight(0));
    Indicatore->setGeometry(p.sinistra, p.alto, p.larghezza, p.altezza);
    if (const auto corsa = InjValoreBlocco(1, 37)) Indicatore->setVisible((*corsa & 1) != 0);
    Indicatore->raise();
    if (const auto stato = InjValoreBlocco(2, 1)) Indicatore->BackColor(R::ColoreIndicatore(Indicatore->BackColor(), *stato));
}
