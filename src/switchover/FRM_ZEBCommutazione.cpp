#include "switchover/FRM_ZEBCommutazione.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QSlider>

#include "controls/GrigliaDati.h"
#include "controls/ModZebGriglia.h"
#include "controls/PulsanteGrafico.h"
#include "core/ModBlckConfigScale.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainTasti.h"
#include "settings/FrmSeqInj.h"

using namespace ModZebPagina;
namespace R = CommutazioneRegole;

namespace {

constexpr double CommLarghezza = 15000, CommAltezza = 6375;
constexpr double CommPunti = 8.25;
constexpr int32_t CommTesto = 0xFFFFFF;
constexpr int32_t CommValore = 0xFFFF80;

void CommPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

QComboBox* CommCombo(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setMaxVisibleItems(16);
    ImpostaFont(c, CommPunti);
    return c;
}

QLabel* CommEtichetta(QWidget* padre, const char* nome, int32_t colore = CommTesto, bool grassetto = false) {
    // Centred on the design row it shares with its list: a list keeps its
    // height with its centre on the scaled design centre, so both stay level.
    auto* l = NuovaEtichetta(padre, QString::fromLatin1(nome), colore, CommPunti, grassetto, Qt::AlignLeft | Qt::AlignVCenter);
    l->setWordWrap(false);
    return l;
}

QLineEdit* CommCasella(QWidget* padre, const char* nome, bool solaLettura) {
    auto* t = new QLineEdit(padre);
    t->setObjectName(QString::fromLatin1(nome));
    t->setReadOnly(solaLettura);
    ImpostaFont(t, CommPunti);
    if (solaLettura) {
        t->setFrame(false);
        QPalette p = t->palette();
        p.setColor(QPalette::Base, Qt::black);
        p.setColor(QPalette::Text, Qt::white);
        t->setPalette(p);
    }
    return t;
}

PulsanteGrafico* CommPulsante(QWidget* padre, const char* nome, const char* testo) {
    AspettoPulsante a;
    a.punti = CommPunti;
    a.testo = QString::fromLatin1(testo);
    return NuovoPulsante(padre, QString::fromLatin1(nome), a);
}

QGroupBox* CommPannello(QWidget* padre, const char* nome) {
    auto* g = new QGroupBox(padre);
    g->setObjectName(QString::fromLatin1(nome));
    g->setAutoFillBackground(true);
    QPalette p = g->palette();
    p.setColor(QPalette::Window, QColor(0, 0, 64));
    p.setColor(QPalette::WindowText, Colore(CommValore));
    g->setPalette(p);
    ImpostaFont(g, CommPunti, true);
    return g;
}

} // namespace

FRM_ZEBCommutazione::FRM_ZEBCommutazione(QWidget* contenitore)
    : QWidget(contenitore), proporzioni_(CommLarghezza, CommAltezza) {
    setObjectName(QStringLiteral("FRM_ZEBCommutazione"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    resize(static_cast<int>(CommLarghezza / 15), static_cast<int>(CommAltezza / 15));
    CostruisciControlli();
    // A held key on the grid ends when the program loses the keyboard.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive) FermaRipetizione();
    });
}

FRM_ZEBCommutazione::~FRM_ZEBCommutazione() { TastoInRipetizione = false; }

void FRM_ZEBCommutazione::CostruisciControlli() {
    SHP_Contorno = new FormaPagina(this, QStringLiteral("SHP_Contorno"), 1, false);
    CommPosto(SHP_Contorno, 0, 0, 1000, 425);
    SHP_Comm_0 = new FormaPagina(this, QStringLiteral("SHP_Comm_0"), 1, false);
    SHP_Comm_1 = new FormaPagina(this, QStringLiteral("SHP_Comm_1"), 1, false);
    SHP_Comm_3 = new FormaPagina(this, QStringLiteral("SHP_Comm_3"), 1, false);
    SHP_Comm_4 = new FormaPagina(this, QStringLiteral("SHP_Comm_4"), 1, false);
    for (auto* s : {SHP_Comm_0, SHP_Comm_1, SHP_Comm_3, SHP_Comm_4}) s->ColoreBordo(0x806040);
    CommPosto(SHP_Comm_0, 8, 8, 488, 346);
    CommPosto(SHP_Comm_1, 504, 8, 488, 262);
    CommPosto(SHP_Comm_3, 8, 362, 488, 56);
    CommPosto(SHP_Comm_4, 504, 278, 488, 140);

    // Left panel: the installation.
    LblTipoAlim = CommCasella(this, "LblTipoAlim", true);
    TxtTipoAlim = CommEtichetta(this, "TxtTipoAlim", CommValore, true);
    CmbTipoAlim = CommCombo(this, "CmbTipoAlim");
    lblNumCilindri = CommEtichetta(this, "lblNumCilindri");
    CmbNumCilindri = CommCombo(this, "CmbNumCilindri");
    lblFiloRpm = CommEtichetta(this, "lblFiloRpm");
    CmbFiloRpm = CommCombo(this, "CmbFiloRpm");
    lblNumBobine = CommEtichetta(this, "lblNumBobine");
    CmbNumBobine = CommCombo(this, "CmbNumBobine");
    LblFattorex1x2 = CommEtichetta(this, "LblFattorex1x2");
    CmbFattorex1x2 = CommCombo(this, "CmbFattorex1x2");
    lblTipoInj = CommEtichetta(this, "lblTipoInj");
    CmbTipoInj = CommCombo(this, "CmbTipoInj");
    lblSogliaTensRpm = CommEtichetta(this, "lblSogliaTensRpm");
    CmbSogliaTensRpm = CommCombo(this, "CmbSogliaTensRpm");
    lab_spark = CommEtichetta(this, "lab_spark");
    cmb_spark = CommCombo(this, "cmb_spark");
    TEXT_SPARK = CommCasella(this, "TEXT_SPARK", false);
    LblServizi = CommEtichetta(this, "LblServizi");
    CmbServizi = CommCombo(this, "CmbServizi");
    LblEmergenza = CommEtichetta(this, "LblEmergenza");
    CmbEmergenza = CommCombo(this, "CmbEmergenza");
    lblstartstop = CommEtichetta(this, "lblstartstop");
    cmbstartstop = CommCombo(this, "cmbstartstop");
    LblConfSistema = CommEtichetta(this, "LblConfSistema");
    CmbConfSistema = CommCombo(this, "CmbConfSistema");
    const double xe = 20, le = 262, xc = 288, lc = 196, passo = 28;
    auto riga = [&](QWidget* e, QWidget* c, double y, double larghezza = 196) {
        CommPosto(e, xe, y, le, 22);
        if (c) CommPosto(c, xc, y, larghezza, 22);
    };
    riga(LblTipoAlim, TxtTipoAlim, 16);
    CommPosto(TxtTipoAlim, xc, 19, lc, 22);
    LblTipoAlim->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblTipoAlim->setTextMargins(0, 0, 0, 0);
    CommPosto(LblTipoAlim, xe - 2, 17, le, 22);
    CommPosto(CmbTipoAlim, xc, 16, lc, 22);
    riga(lblNumCilindri, CmbNumCilindri, 16 + passo);
    riga(lblFiloRpm, CmbFiloRpm, 16 + 2 * passo);
    riga(lblNumBobine, CmbNumBobine, 16 + 3 * passo);
    riga(LblFattorex1x2, CmbFattorex1x2, 16 + 3 * passo);
    riga(lblTipoInj, CmbTipoInj, 16 + 4 * passo);
    riga(lblSogliaTensRpm, CmbSogliaTensRpm, 16 + 5 * passo);
    riga(lab_spark, cmb_spark, 16 + 6 * passo, 110);
    CommPosto(TEXT_SPARK, 404, 16 + 6 * passo, 80, 22);
    riga(LblServizi, CmbServizi, 16 + 7 * passo);
    riga(LblEmergenza, CmbEmergenza, 16 + 8 * passo);
    riga(lblstartstop, cmbstartstop, 16 + 9 * passo);
    riga(LblConfSistema, CmbConfSistema, 16 + 10 * passo);
    lblAnticipo = CommEtichetta(this, "lblAnticipo");
    LblStatoAnticipoVal = CommEtichetta(this, "LblStatoAnticipoVal", CommValore, true);
    riga(lblAnticipo, LblStatoAnticipoVal, 16 + 11 * passo, 196);
    CmbTipoAlim->hide();

    // Bad-bit limit.
    LblSens = CommEtichetta(this, "LblSens");
    SldBadBit = new QSlider(Qt::Horizontal, this);
    SldBadBit->setObjectName(QStringLiteral("SldBadBit"));
    SldBadBit->setRange(1, 15);
    SldBadBit->setSingleStep(1);
    SldBadBit->setPageStep(1);
    LblBadBit_Val = CommCasella(this, "LblBadBit_Val", true);
    LblBadBit_Val->setAlignment(Qt::AlignCenter);
    CmdTipoInj = CommPulsante(this, "CmdTipoInj", ">>>");
    CommPosto(LblSens, xe, 378, 200, 22);
    CommPosto(CmdTipoInj, 224, 376, 52, 26);
    CommPosto(SldBadBit, 300, 378, 128, 22);
    CommPosto(LblBadBit_Val, 434, 378, 50, 22);

    // Right panel: the switchover.
    lblSwtchRpm = CommEtichetta(this, "lblSwtchRpm");
    CmbSwtchRpm = CommCombo(this, "CmbSwtchRpm");
    LAB_cont_cicliRPM = CommEtichetta(this, "LAB_cont_cicliRPM");
    CMB_cont_cicliRPM = CommCombo(this, "CMB_cont_cicliRPM");
    LblSwtchTemp = CommEtichetta(this, "LblSwtchTemp");
    CmbSwtchTemp = CommCombo(this, "CmbSwtchTemp");
    LblDirSwtich = CommEtichetta(this, "LblDirSwtich");
    CmbswitchDir = CommCombo(this, "CmbswitchDir");
    lblIsteresi = CommEtichetta(this, "lblIsteresi");
    CmbSwtchIsteresi = CommCombo(this, "CmbSwtchIsteresi");
    LblSwitchSovra = CommEtichetta(this, "LblSwitchSovra");
    CmbSwitchSovrap = CommCombo(this, "CmbSwitchSovrap");
    LBLTempoSeqInj = CommEtichetta(this, "LBLTempoSeqInj");
    CmbTempoSeqInj = CommCombo(this, "CmbTempoSeqInj");
    LBLSwtchForce = CommEtichetta(this, "LBLSwtchForce");
    CmbSwtchForce = CommCombo(this, "CmbSwtchForce");
    LblTempoAutoCalda = CommEtichetta(this, "LblTempoAutoCalda");
    CmbTempoAutoCalda = CommCombo(this, "CmbTempoAutoCalda");
    QLabel* destra[] = {lblSwtchRpm, LAB_cont_cicliRPM, LblSwtchTemp, LblDirSwtich, lblIsteresi,
                        LblSwitchSovra, LBLTempoSeqInj, LBLSwtchForce, LblTempoAutoCalda};
    QComboBox* listeDestra[] = {CmbSwtchRpm, CMB_cont_cicliRPM, CmbSwtchTemp, CmbswitchDir, CmbSwtchIsteresi,
                                CmbSwitchSovrap, CmbTempoSeqInj, CmbSwtchForce, CmbTempoAutoCalda};
    for (int i = 0; i < 9; ++i) {
        CommPosto(destra[i], 516, 16 + i * passo, 262, 22);
        CommPosto(listeDestra[i], 784, 16 + i * passo, i == 2 ? 140 : 196, 22);
    }
    CmdSwtchRitardo = CommPulsante(this, "CmdSwtchRitardo", ">>>");
    CommPosto(CmdSwtchRitardo, 928, 14 + 2 * passo, 52, 26);

    // The rows that display levels hide close up (CompattaRighe).
    auto pannello = [](std::vector<RigaPannello>& righe, double y, std::vector<QWidget*> etichette,
                       std::vector<QWidget*> controlli) {
        RigaPannello r{y * 15, std::move(etichette), {}};
        for (QWidget* w : controlli) r.controlli.emplace_back(w, PostoProgetto(w));
        righe.push_back(std::move(r));
    };
    pannello(righeSinistra_, 16 + passo, {lblNumCilindri}, {lblNumCilindri, CmbNumCilindri});
    pannello(righeSinistra_, 16 + 2 * passo, {lblFiloRpm}, {lblFiloRpm, CmbFiloRpm});
    pannello(righeSinistra_, 16 + 3 * passo, {lblNumBobine, LblFattorex1x2},
             {lblNumBobine, CmbNumBobine, LblFattorex1x2, CmbFattorex1x2});
    pannello(righeSinistra_, 16 + 4 * passo, {lblTipoInj}, {lblTipoInj, CmbTipoInj});
    pannello(righeSinistra_, 16 + 5 * passo, {lblSogliaTensRpm}, {lblSogliaTensRpm, CmbSogliaTensRpm});
    pannello(righeSinistra_, 16 + 6 * passo, {lab_spark}, {lab_spark, cmb_spark, TEXT_SPARK});
    pannello(righeSinistra_, 16 + 7 * passo, {LblServizi}, {LblServizi, CmbServizi});
    pannello(righeSinistra_, 16 + 8 * passo, {LblEmergenza}, {LblEmergenza, CmbEmergenza});
    pannello(righeSinistra_, 16 + 9 * passo, {lblstartstop}, {lblstartstop, cmbstartstop});
    pannello(righeSinistra_, 16 + 10 * passo, {LblConfSistema}, {LblConfSistema, CmbConfSistema});
    pannello(righeSinistra_, 16 + 11 * passo, {lblAnticipo}, {lblAnticipo, LblStatoAnticipoVal});
    for (int i = 0; i < 9; ++i) {
        std::vector<QWidget*> controlli{destra[i], listeDestra[i]};
        if (i == 2) controlli.push_back(CmdSwtchRitardo);
        pannello(righeDestra_, 16 + i * passo, {destra[i]}, controlli);
    }

    // Temperature-sensor panel.
    FrmRitardoCommutazione = CommPannello(this, "FrmRitardoCommutazione");
    CommPosto(FrmRitardoCommutazione, 508, 282, 480, 132);
    GrdTemp = new GrigliaDati(FrmRitardoCommutazione);
    GrdTemp->setObjectName(QStringLiteral("GrdTemp"));
    GrdTemp->Rows(2);
    GrdTemp->Cols(9);
    GrdTemp->FixedRows(0);
    GrdTemp->FixedCols(1);
    // The selection shows in the page's own highlight (EvidenziaCellaTemp).
    GrdTemp->ColoriSelezione(0x00FFFF, 0);
    GrdTemp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    GrdTemp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CommPosto(GrdTemp, 8, 34, 464, 60);
    CMD_Close = CommPulsante(FrmRitardoCommutazione, "CMD_Close", "X");
    CommPosto(CMD_Close, 444, 4, 28, 24);
    CmbTempZero = CommCombo(FrmRitardoCommutazione, "CmbTempZero");
    CommPosto(CmbTempZero, 8, 100, 60, 22);
    FrmRitardoCommutazione->hide();

    // Hidden option panel.
    Frame1 = CommPannello(this, "Frame1");
    CommPosto(Frame1, 120, 40, 760, 300);
    const char* testi2[8] = {"NoFiloRpm", "Acc/Dec", "Abil. Temperat", "Abil. Servizi",
                             "Dissuasore", "Tipo Carb.", "Safety Car.", "Abil. Fine Gas"};
    const char* testi3[8] = {"Mode Slav/Mast", "Taratura On/Off", "Obd Slav/Mast", "Abil. Adattivit\xe0",
                             "Abil. Emul Sonda", "Map Slav/Mast", "Diag On/Off", "MonoFuel"};
    const char* testi4[8] = {"obd attivo", "Tick 64 us", "Partenza emerg.", "free", "free", "free", "free", "free"};
    auto casella = [this](std::array<QCheckBox*, 8>& a, const char* nome, const char* const* testi, double x) {
        for (int k = 0; k < 8; ++k) {
            auto* c = new QCheckBox(QString::fromLatin1(testi[k]), Frame1);
            ModMain::ImpostaMembro(c, QString::fromLatin1(nome), k);
            QPalette p = c->palette();
            p.setColor(QPalette::WindowText, Qt::white);
            c->setPalette(p);
            ImpostaFont(c, CommPunti);
            CommPosto(c, x, 30 + k * 28, 230, 24);
            a[static_cast<size_t>(k)] = c;
        }
    };
    casella(Check2, "Check2", testi2, 12);
    casella(Check3, "Check3", testi3, 262);
    casella(Check4, "Check4", testi4, 512);
    Label1 = CommEtichetta(Frame1, "Label1");
    Label1->setText(QStringLiteral("Config sist."));
    CommPosto(Label1, 512, 254, 110, 24);
    CmbConfSistemaId = CommCombo(Frame1, "CmbConfSistemaId");
    CommPosto(CmbConfSistemaId, 626, 254, 120, 22);
    Frame1->hide();

    SHP_Contorno->lower();
    for (auto* s : {SHP_Comm_0, SHP_Comm_1, SHP_Comm_3, SHP_Comm_4}) s->lower();

    // Display levels.
    for (QWidget* w : std::initializer_list<QWidget*>{CmbFiloRpm, lblFiloRpm, CmbSwtchIsteresi, lblIsteresi, CmbSwtchForce,
                                                      LBLSwtchForce, CmbTempoAutoCalda, LblTempoAutoCalda, CmbSogliaTensRpm,
                                                      lblSogliaTensRpm, CmbEmergenza, LblEmergenza, CmbConfSistema,
                                                      LblConfSistema, TEXT_SPARK})
        ModMain::ImpostaTag(w, QStringLiteral("SUP"));
    for (QWidget* w : std::initializer_list<QWidget*>{LblSens, SldBadBit, LblBadBit_Val, CmdTipoInj})
        ModMain::ImpostaTag(w, QStringLiteral("EXP"));
    ModMain::ImpostaTag(CmbTempZero, QStringLiteral("AUT"));

    auto combo = [this](QComboBox* c, void (FRM_ZEBCommutazione::*gestore)()) {
        connect(c, &QComboBox::activated, this, [this, gestore](int) { (this->*gestore)(); });
    };
    combo(CmbSwtchRpm, &FRM_ZEBCommutazione::CmbSwtchRpm_Click);
    combo(CmbNumBobine, &FRM_ZEBCommutazione::CmbNumBobine_Click);
    combo(CmbFattorex1x2, &FRM_ZEBCommutazione::CmbFattorex1x2_Click);
    combo(cmb_spark, &FRM_ZEBCommutazione::cmb_spark_Click);
    combo(CmbFiloRpm, &FRM_ZEBCommutazione::CmbFiloRpm_Click);
    combo(cmbstartstop, &FRM_ZEBCommutazione::cmbstartstop_Click);
    combo(CmbSwtchTemp, &FRM_ZEBCommutazione::CmbSwtchTemp_Click);
    combo(CmbTipoInj, &FRM_ZEBCommutazione::CmbTipoInj_Click);
    combo(CmbNumCilindri, &FRM_ZEBCommutazione::CmbNumCilindri_Click);
    combo(CmbConfSistema, &FRM_ZEBCommutazione::CmbConfSistema_Click);
    combo(CmbTipoAlim, &FRM_ZEBCommutazione::CmbTipoAlim_Click);
    combo(CMB_cont_cicliRPM, &FRM_ZEBCommutazione::CMB_cont_cicliRPM_Click);
    combo(CmbConfSistemaId, &FRM_ZEBCommutazione::CmbConfSistemaId_Click);
    combo(CmbSogliaTensRpm, &FRM_ZEBCommutazione::CmbSogliaTensRpm_Click);
    combo(CmbswitchDir, &FRM_ZEBCommutazione::CmbswitchDir_Click);
    combo(CmbServizi, &FRM_ZEBCommutazione::CmbServizi_Click);
    combo(CmbEmergenza, &FRM_ZEBCommutazione::CmbEmergenza_Click);
    combo(CmbSwtchIsteresi, &FRM_ZEBCommutazione::CmbSwtchIsteresi_Click);
    combo(CmbSwitchSovrap, &FRM_ZEBCommutazione::CmbSwitchSovrap_Click);
    combo(CmbTempoSeqInj, &FRM_ZEBCommutazione::CmbTempoSeqInj_Click);
    combo(CmbSwtchForce, &FRM_ZEBCommutazione::CmbSwtchForce_Click);
    combo(CmbTempoAutoCalda, &FRM_ZEBCommutazione::CmbTempoAutoCalda_Click);
    for (int k = 0; k < 8; ++k) {
        const auto i = static_cast<size_t>(k);
        connect(Check2[i], &QCheckBox::clicked, this, [this, k](bool) { Check2_Click(k); });
        connect(Check3[i], &QCheckBox::clicked, this, [this, k](bool) { Check3_Click(k); });
        connect(Check4[i], &QCheckBox::clicked, this, [this, k](bool) { Check4_Click(k); });
    }
    connect(CmdSwtchRitardo, &PulsanteGrafico::Click, this, &FRM_ZEBCommutazione::CmdSwtchRitardo_Click);
    connect(CMD_Close, &PulsanteGrafico::Click, this, &FRM_ZEBCommutazione::CMD_Close_Click);
    connect(CmdTipoInj, &PulsanteGrafico::Click, this, &FRM_ZEBCommutazione::CmdTipoInj_Click);
    connect(TEXT_SPARK, &QLineEdit::textChanged, this, [this](const QString&) { TEXT_SPARK_Change(); });
    connect(SldBadBit, &QSlider::valueChanged, this, [this](int) { SldBadBit_Change(); });
    connect(SldBadBit, &QSlider::sliderReleased, this, &FRM_ZEBCommutazione::SldBadBit_Rilascio);
    connect(GrdTemp, &GrigliaDati::KeyDown, this, &FRM_ZEBCommutazione::GrdTemp_KeyDown);
    connect(GrdTemp, &GrigliaDati::KeyUp, this, &FRM_ZEBCommutazione::GrdTemp_KeyUp);
    connect(GrdTemp, &GrigliaDati::EnterCell, this, &FRM_ZEBCommutazione::EvidenziaCellaTemp);
    connect(GrdTemp, &GrigliaDati::Click, this, &FRM_ZEBCommutazione::EvidenziaCellaTemp);
    connect(GrdTemp, &GrigliaDati::LeaveCell, this, &FRM_ZEBCommutazione::RipristinaCellaTemp);
    GrdTemp->installEventFilter(this);
    TEXT_SPARK->installEventFilter(this);
    SldBadBit->installEventFilter(this);
    LblTipoAlim->installEventFilter(this);
}

bool FRM_ZEBCommutazione::eventFilter(QObject* o, QEvent* e) {
    const auto t = e->type();
    if (o == GrdTemp) {
        if (t == QEvent::FocusIn) EvidenziaCellaTemp();
        if (t == QEvent::FocusOut || t == QEvent::Hide || t == QEvent::WindowDeactivate) {
            FermaRipetizione();
            if (t == QEvent::FocusOut) RipristinaCellaTemp();
        }
    } else if (o == TEXT_SPARK) {
        if (t == QEvent::FocusIn) TEXT_SPARK_GotFocus();
        if (t == QEvent::FocusOut) TEXT_SPARK_LostFocus();
        if (t == QEvent::KeyPress) TestoSparkValido = TEXT_SPARK->text().toStdString();
        if (t == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (!k->isAutoRepeat()) TEXT_SPARK_KeyUp(GrigliaDati::CodiceTasto(k));
        }
    } else if (o == SldBadBit) {
        if (t == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat()) SldBadBit_Rilascio();
        if (t == QEvent::MouseButtonRelease) SldBadBit_Rilascio();
    } else if (o == LblTipoAlim && t == QEvent::FocusIn) {
        LblTipoAlim->setCursorPosition(0);
    }
    return QWidget::eventFilter(o, e);
}

// ---- Frame

void FRM_ZEBCommutazione::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    FattoreFont = 1.0f;
    SHP_Contorno->ColoreBordo(0x400000);
    CaricaLingua();
    PredisponiSensibilita();
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    for (int c = 1; c < GrdTemp->Cols(); ++c)
        for (int r = 0; r < 2; ++r) GrdTemp->CellAlignment(r, c, 4);
    SldBadBit->setMaximum(std::max(ModBlck::MaxBadBit, 1));
    // The injection-sequence popup reads these captions and writes the sequence state here.
    FrmSeqInj::LeggiCommutazione = [this] {
        return FrmSeqInj::TestiCommutazione{LblDirSwtich->text(), CmbswitchDir->itemText(0), LBLTempoSeqInj->text(),
                                            LblSwitchSovra->text()};
    };
    FrmSeqInj::ImpostaStatoCommutazione = [this](const QString& t) { LblStatoAnticipoVal->setText(t); };
    caricata_ = true;
    Form_Resize();
}

void FRM_ZEBCommutazione::Form_Unload() {
    caricata_ = false;
    TastoInRipetizione = false;
    FrmSeqInj::LeggiCommutazione = nullptr;
    FrmSeqInj::ImpostaStatoCommutazione = nullptr;
}

void FRM_ZEBCommutazione::Form_Resize() {
    // A zero size (a hidden page being laid out) is ignored; the places come from the design.
    if (!proporzioni_.Applica(this)) return;
    FattoreFont = proporzioni_.FattoreScala();
    DisponiGriglia();
}

void FRM_ZEBCommutazione::DisponiGriglia() {
    // The captions' column a fifth of the grid, the eight points share the rest.
    const int larghezza = GrdTemp->viewport()->width(), altezza = GrdTemp->viewport()->height();
    if (larghezza <= 0 || altezza <= 0) return;
    const int prima = larghezza / 5, punto = (larghezza - prima) / 8;
    GrdTemp->ColWidth(0, (larghezza - 8 * punto) * 15);
    for (int c = 1; c < GrdTemp->Cols(); ++c) GrdTemp->ColWidth(c, punto * 15);
    for (int r = 0; r < GrdTemp->Rows(); ++r) GrdTemp->RowHeight(r, altezza / 2 * 15);
    if (FrmRitardoCommutazione->isVisible()) ModZeb::AdattaFontGriglia(GrdTemp);
}

void FRM_ZEBCommutazione::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBCommutazione::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    ModMain::GestisciTasto(KeyCode, Shift);
    if (Shift != 7) return;
    if (KeyCode == 'X' && TastoXPremuto == 0 && ModMain::LivelloAut) {
        TastoXPremuto = 1;
        Frame1->setVisible(true);
        Frame1->raise();
    } else {
        TastoXPremuto = 0;
        Frame1->setVisible(false);
    }
}

void FRM_ZEBCommutazione::AggiornaLivelliVisualizzazione() {
    ModMain::AggiornaLivelliForma(this, liste_);
    CompattaRighe();
}

// The rows a display level hides leave no gap: the shown rows of each panel
// take the top places in order.
void FRM_ZEBCommutazione::CompattaRighe() {
    for (auto* righe : {&righeSinistra_, &righeDestra_}) {
        std::vector<double> posti;
        std::vector<bool> mostrate;
        for (const auto& r : *righe) {
            posti.push_back(r.alto);
            bool vista = false;
            for (const QWidget* e : r.etichette) vista = vista || !e->isHidden();
            mostrate.push_back(vista);
        }
        const auto nuovi = R::PostiRighe(posti, mostrate);
        for (size_t i = 0; i < righe->size(); ++i) {
            const auto& r = (*righe)[i];
            for (const auto& [w, p] : r.controlli)
                Colloca(w, p.left(), p.top() - r.alto + nuovi[i], p.width(), p.height());
        }
    }
    Form_Resize();
}

void FRM_ZEBCommutazione::CaricaLingua() {
    GrdTemp->TextMatrix(0, 0, ModMain::VoceLingua(23));
    GrdTemp->TextMatrix(1, 0, ModMain::VoceLingua(24));
    const auto k = CercaMarcatore("[Frm_Config]");
    const struct {
        int offset;
        QWidget* w;
    } testi[] = {{1, LblServizi},        {2, lblFiloRpm},        {3, lblNumBobine},       {4, LblFattorex1x2},
                 {5, LblEmergenza},      {6, lblSwtchRpm},       {8, LblSwtchTemp},       {9, LBLSwtchForce},
                 {10, LblSwitchSovra},   {11, LBLTempoSeqInj},   {12, LblDirSwtich},      {13, lblIsteresi},
                 {14, LblTempoAutoCalda}, {16, lblNumCilindri},  {19, lblTipoInj},        {21, LblTipoAlim},
                 {42, lblSogliaTensRpm}, {47, lblAnticipo},      {51, LblConfSistema},    {85, lblstartstop},
                 {86, lab_spark},        {87, LAB_cont_cicliRPM}};
    for (const auto& t : testi) {
        if (auto* l = qobject_cast<QLabel*>(t.w)) l->setText(VoceSchermo(k, t.offset));
        else if (auto* e = qobject_cast<QLineEdit*>(t.w)) e->setText(VoceSchermo(k, t.offset));
    }
    TestoAvvisoStartStop = Voce(k, 88);
    LblSens->setText(VoceSchermo(CercaMarcatore("[Frm_InjSet]"), 11));
    FrmRitardoCommutazione->setTitle(LblSwtchTemp->text());
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

// ---- Lists

void FRM_ZEBCommutazione::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    const int16_t charset = ModMain::CharsetCorrente();
    const std::string spento = ModMain::TestoVoce(19);
    for (size_t d = 0; d < righe.size(); ++d) {
        const std::string& r = righe[d];
        QComboBox* c = nullptr;
        bool conSpento = false;
        if (r == "[Rpm di commutazione]") c = CmbSwtchRpm;
        else if (r == "[Isteresi rpm decelerazione]") c = CmbSwtchIsteresi;
        else if (r == "[Temperatura di commutazione]") c = CmbSwtchTemp;
        else if (r == "[CONT_CICLIRPM]") c = CMB_cont_cicliRPM;
        else if (r == "[Forza commutazione s]") c = CmbSwtchForce, conSpento = true;
        else if (r == "[Tempo di sovrapposizione ms]") c = CmbSwitchSovrap;
        else if (r == "[Ritardo commutazione singoli inj ms]") c = CmbTempoSeqInj;
        else if (r == "[Num Bobine]") c = CmbNumBobine;
        else if (r == "[Tempo AutoCalda s]") c = CmbTempoAutoCalda, conSpento = true;
        if (!c) continue;
        const auto lista = RigaDopo(righe, d, 1);
        if (!lista) {
            ModGlobFunct::MostraErrore("Error 002", "Config error", false);
            continue;
        }
        ModGlobFunct::RiempiComboDaLista(conSpento ? spento + "|" + *lista : *lista, c, 0, charset);
    }
    const std::string onOff = spento + "|" + ModMain::TestoVoce(18);
    for (QComboBox* c : {CmbFiloRpm, cmb_spark, CmbServizi, cmbstartstop, CmbEmergenza}) RiempiCombo(c, onOff);
    RiempiCombo(CmbswitchDir, ModMain::TestoVoce(55) + "|" + ModMain::TestoVoce(54));
    CmbFattorex1x2->clear();
    CmbFattorex1x2->addItem(QStringLiteral(" x 1"));
    CmbFattorex1x2->addItem(QStringLiteral(" x 2"));
    CmbTipoInj->clear();
    for (const auto& d : ModBlck::TipiIniettori) CmbTipoInj->addItem(ModMain::TestoLingua(d.Nome));
    CmbTipoAlim->clear();
    CmbTipoAlim->addItem(ModMain::VoceLingua(20));
    CmbTipoAlim->addItem(ModMain::VoceLingua(21));
    CmbConfSistema->clear();
    CmbConfSistemaId->clear();
    for (const auto& c : ModMain::ConfigurazioniPredefinite) {
        CmbConfSistema->addItem(ModMain::TestoLingua(c.Nome));
        CmbConfSistemaId->addItem(c.Identificativo ? QString::number(*c.Identificativo) : QString());
    }
    CmbTempZero->clear();
    for (int k = 0; k + 1 < GrdTemp->Cols(); ++k) CmbTempZero->addItem(QString::number(k));
    if (CmbTempZero->count() > 2) CmbTempZero->setCurrentIndex(2);
}

void FRM_ZEBCommutazione::PredisponiSensibilita() {
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    Soglie = R::CostruisciSensibilita(ModMain::RigheConfigScale, sep);
    CmbSogliaTensRpm->clear();
    for (const auto& t : Soglie.testi) CmbSogliaTensRpm->addItem(QString::fromStdString(t));
}

// ---- Loading

namespace {

std::optional<int32_t> CommValoreBlocco(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}

std::vector<std::optional<double>> CommNumeri(const QComboBox* c) {
    std::vector<std::optional<double>> r;
    for (int i = 0; i < c->count(); ++i) r.push_back(NumeroVoce(c->itemText(i)));
    return r;
}

void CommAlmeno(QComboBox* c, std::optional<int32_t> v, int da = 0) {
    if (v) c->setCurrentIndex(R::IndiceAlmeno(CommNumeri(c), *v, da));
}

void CommDueStati(QComboBox* c, std::optional<int32_t> v, int32_t maschera) {
    if (v && c->count() > 1) c->setCurrentIndex((*v & maschera) ? 1 : 0);
}

} // namespace

void FRM_ZEBCommutazione::MostraTabella() {
    for (int c = 1; c < GrdTemp->Cols(); ++c)
        for (int r = 0; r < 2; ++r)
            if (const auto v = CommValoreBlocco(6, static_cast<size_t>(R::IndiceCella(r, c))))
                GrdTemp->TextMatrix(r, c, QString::number(R::NumeroCella(r, *v)));
}

void FRM_ZEBCommutazione::AggiornaSelezioni() {
    GuardiaCaricamento guardia(InCaricamento);
    const auto w33 = CommValoreBlocco(3, 33), w49 = CommValoreBlocco(3, 49);

    CmbNumCilindri->clear();
    const int32_t massimo = std::min(CommValoreBlocco(5, 6).value_or(8), 8);
    for (int32_t n = 1; n <= massimo; ++n) CmbNumCilindri->addItem(QString::number(n));
    CommAlmeno(CmbNumCilindri, CommValoreBlocco(3, 1));

    if (const auto w3 = CommValoreBlocco(3, 3)) {
        const float f = ModBlck::CalcolaFattoreGiriTempo(CommValoreBlocco(3, 1).value_or(0), CommValoreBlocco(3, 0).value_or(0));
        CmbSwtchRpm->setCurrentIndex(R::IndiceGiri(CommNumeri(CmbSwtchRpm), R::GiriDaPeriodo(f, *w3)));
    }
    if (const auto v = CommValoreBlocco(3, 44)) TEXT_SPARK->setText(QString::number(*v));
    TestoSparkIngresso = TestoSparkValido = TEXT_SPARK->text().toStdString();
    TEXT_SPARK->setPalette(QPalette());
    CommDueStati(cmb_spark, w49, 0x08);
    if (w33) {
        if (*w33 & 0x04) CommAlmeno(CmbSwtchTemp, CommValoreBlocco(3, 2));
        else if (CmbSwtchTemp->count() > 0) CmbSwtchTemp->setCurrentIndex(0);
    }
    if (const auto v = CommValoreBlocco(3, 37)) CmbSwtchForce->setCurrentIndex(R::IndiceForza(CommNumeri(CmbSwtchForce), *v));
    CommAlmeno(CmbSwitchSovrap, CommValoreBlocco(3, 5));
    CommAlmeno(CmbTempoSeqInj, CommValoreBlocco(3, 41));
    MostraTabella();
    RipristinaCellaTemp();
    CommDueStati(CmbswitchDir, w33, 0x02);
    CommAlmeno(CmbSwtchIsteresi, CommValoreBlocco(3, 34));
    if (w33) CmbSwtchIsteresi->setEnabled(!(*w33 & 0x02));
    CommAlmeno(CmbNumBobine, CommValoreBlocco(3, 0));
    if (w33) RipristinaFiloRpm();
    CommDueStati(cmbstartstop, CommValoreBlocco(15, 5), 0x80);
    CommDueStati(CmbServizi, w33, 0x08);
    CommDueStati(CmbEmergenza, w49, 0x04);
    if (const auto v = CommValoreBlocco(3, 42)) CmbFattorex1x2->setCurrentIndex(*v == 1 ? 0 : *v == 2 ? 1 : -1);
    if (const auto v = CommValoreBlocco(3, 43)) {
        CmbTempoAutoCalda->setCurrentIndex(-1);
        if (*v == 0) CmbTempoAutoCalda->setCurrentIndex(CmbTempoAutoCalda->count() > 0 ? 0 : -1);
        else CommAlmeno(CmbTempoAutoCalda, v, 1);
    }
    if (const auto v = CommValoreBlocco(3, 4)) {
        for (size_t i = 0; i < ModBlck::TipiIniettori.size(); ++i) {
            const auto& d = ModBlck::TipiIniettori[i];
            if (d.Id != *v || d.Nome.empty()) continue;
            if (static_cast<int>(i) < CmbTipoInj->count()) CmbTipoInj->setCurrentIndex(static_cast<int>(i));
            break;
        }
    }
    CommDueStati(CmbTipoAlim, w33, 0x20);
    TxtTipoAlim->setText(CmbTipoAlim->currentText());
    const auto w2 = CommValoreBlocco(2, 2);
    for (int k = 0; k < 8; ++k) {
        const auto i = static_cast<size_t>(k);
        if (w2) Check3[i]->setChecked(*w2 & (1 << k));
        if (w33) Check2[i]->setChecked(*w33 & (1 << k));
        if (w49) Check4[i]->setChecked(*w49 & (1 << k));
    }
    if (const auto v = CommValoreBlocco(15, 87)) {
        int scelto = -1;
        for (size_t i = 0; i < Soglie.codici.size() && scelto < 0; ++i)
            if (Soglie.codici[i] == *v) scelto = static_cast<int>(i);
        CmbSogliaTensRpm->setCurrentIndex(scelto < CmbSogliaTensRpm->count() ? scelto : -1);
    }
    if (const auto v = CommValoreBlocco(15, 47)) {
        int scelto = -1;
        for (int i = 0; i < CmbConfSistemaId->count() && scelto < 0; ++i)
            if (const auto n = Conv::CLng(CmbConfSistemaId->itemText(i).toStdString()); n && *n == *v) scelto = i;
        if (scelto < 0) {
            CmbConfSistemaId->setCurrentIndex(-1);
            CmbConfSistema->setCurrentIndex(-1);
        } else {
            CmbConfSistema->setCurrentIndex(scelto < CmbConfSistema->count() ? scelto : -1);
            CmbConfSistemaId->setCurrentIndex(scelto);
        }
    }
    if (const auto v = CommValoreBlocco(15, 78)) {
        const int32_t off = *v == 1 ? 5 : *v == 2 ? 6 : 7;
        LblStatoAnticipoVal->setText(ModMain::VoceLingua(static_cast<int16_t>(FrmSeqInj::SeqOffsetLingua + off)));
    }
    CommAlmeno(CMB_cont_cicliRPM, CommValoreBlocco(16, 24));
    if (const auto v = CommValoreBlocco(3, 47)) {
        SldBadBit->setValue(R::LimitaSlider(*v, SldBadBit->minimum(), SldBadBit->maximum()));
        SldBadBit_Change();
    }
    if (isVisible()) LblTipoAlim->setFocus();
}

void FRM_ZEBCommutazione::RipristinaFiloRpm() {
    const auto w33 = CommValoreBlocco(3, 33);
    if (!w33) return;
    const bool senzaFilo = (*w33 & 0x01) != 0;
    if (CmbFiloRpm->count() > 1) CmbFiloRpm->setCurrentIndex(senzaFilo ? 0 : 1);
    CmbFattorex1x2->setVisible(senzaFilo);
    LblFattorex1x2->setVisible(senzaFilo);
    CmbNumBobine->setVisible(!senzaFilo);
    lblNumBobine->setVisible(!senzaFilo);
}
