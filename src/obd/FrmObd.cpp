#include "obd/FrmObd.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <algorithm>
#include <climits>
#include <functional>

#include "controls/PulsanteGrafico.h"
#include "controls/ModZebPagina.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModEvoObd.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckDatiLive.h"
#include "link/ModBlckVettori.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "obd/FrmCalcoloVacuum.h"
#include "obd/FrmMappetta.h"
#include "obd/LayoutPagina.h"
#include "obd/ObdConversioni.h"
#include "obd/ObdMappa.h"
#include "platform/Charset.h"

namespace {

namespace OC = ObdConversioni;

const QSize ProgettoObd(1000, 425);
const QString NessunValoreObd = QStringLiteral(" - - ");
// Remembered value that no block value or option byte can equal.
constexpr int32_t SentinellaObd = INT32_MIN;

int32_t ValoreObd(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[blocco].Valori;
    return k < v.size() ? v[k] : 0;
}

QLabel* EtichettaObd(QWidget* padre, const char* nome, const QRect& posto, double punti = 8, bool grassetto = false) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nome));
    l->setStyleSheet(QStringLiteral("color: #D8D8D8; background: transparent;"));
    l->setWordWrap(true);
    LayoutPagina::Colloca(l, posto, punti, grassetto);
    return l;
}

// A value box: white text on dark blue, centred.
QLabel* ValoreEtichettaObd(QWidget* padre, const char* nome, const QRect& posto, double punti = 9) {
    auto* l = EtichettaObd(padre, nome, posto, punti, true);
    l->setStyleSheet(QStringLiteral("color: white; background-color: #000040; border: 1px solid #404080;"));
    l->setAlignment(Qt::AlignCenter);
    l->setText(NessunValoreObd);
    return l;
}

QComboBox* ComboObd(QWidget* padre, const char* nome, const QRect& posto) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    LayoutPagina::Colloca(c, posto, 8);
    return c;
}

QCheckBox* CasellaObd(QWidget* padre, const char* nome, const QRect& posto) {
    auto* c = new QCheckBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setStyleSheet(QStringLiteral("QCheckBox { color: #D8D8D8; }"));
    LayoutPagina::Colloca(c, posto, 8);
    return c;
}

PulsanteGrafico* PulsanteObd(QWidget* padre, const char* nome, const QRect& posto, double punti = 9) {
    auto* b = ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome),
                                          {.forma = 0, .senzaGradiente = true, .senzaFocus = true});
    LayoutPagina::Colloca(b, posto, punti, true);
    return b;
}

QFrame* PannelloObd(QWidget* padre, const char* nome, const QRect& posto) {
    auto* f = new QFrame(padre);
    f->setObjectName(QString::fromLatin1(nome));
    f->setStyleSheet(QStringLiteral("QFrame#%1 { background: transparent; }").arg(QString::fromLatin1(nome)));
    LayoutPagina::Colloca(f, posto);
    return f;
}

QFrame* ContornoObd(QWidget* padre, const QString& nome, const QRect& posto, const char* colore) {
    auto* f = new QFrame(padre);
    f->setObjectName(nome);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    f->setStyleSheet(QStringLiteral("QFrame#%1 { border: 1px solid %2; background: transparent; }")
                         .arg(nome, QString::fromLatin1(colore)));
    LayoutPagina::Colloca(f, posto);
    return f;
}

// The picture of the OBD link: a car with its diagnostic socket and a cable.
QPixmap DisegnaImmagineObd() {
    QPixmap px(400, 200);
    px.fill(Qt::black);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 160, 255), 4));
    QPainterPath auto_;
    auto_.moveTo(40, 140);
    auto_.lineTo(60, 100);
    auto_.lineTo(130, 95);
    auto_.lineTo(170, 60);
    auto_.lineTo(260, 60);
    auto_.lineTo(300, 95);
    auto_.lineTo(360, 105);
    auto_.lineTo(365, 140);
    auto_.closeSubpath();
    p.drawPath(auto_);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(110, 145), 22, 22);
    p.drawEllipse(QPointF(300, 145), 22, 22);
    p.setPen(QPen(QColor(255, 200, 0), 3));
    p.setBrush(QColor(255, 200, 0));
    p.drawRect(QRectF(190, 100, 30, 16));
    p.setBrush(Qt::NoBrush);
    p.drawPath([] {
        QPainterPath c;
        c.moveTo(205, 116);
        c.cubicTo(205, 180, 330, 185, 380, 185);
        return c;
    }());
    p.setPen(QColor(255, 200, 0));
    p.setFont(QFont(QStringLiteral("Tahoma"), 18, QFont::Bold));
    p.drawText(QRectF(170, 20, 100, 30), Qt::AlignCenter, QStringLiteral("OBD"));
    return px;
}

double ValoreVoce(const QString& testo) {
    // Items are written with the locale's decimal separator.
    QString t = testo;
    const QString sep = QString::fromStdString(ModGlobFunct::SeparatoreDecimale);
    if (!sep.isEmpty() && sep != QStringLiteral(".")) t.replace(sep, QStringLiteral("."));
    return Conv::Val(t.toStdString());
}

} // namespace

FrmObd::FrmObd(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmObd"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(ProgettoObd);

    SHP_Contorno = ContornoObd(this, QStringLiteral("SHP_Contorno"), QRect(1, 1, 998, 423), "#000040");
    SHP.assign(11, nullptr);

    // Link control, always shown.
    FRM_LINK = PannelloObd(this, "FRM_LINK", QRect(8, 8, 324, 409));
    SHP[1] = ContornoObd(this, QStringLiteral("SHP1"), QRect(6, 6, 328, 413), "#404080");
    LblAbilObd = EtichettaObd(FRM_LINK, "LblAbilObd", QRect(8, 4, 308, 18));
    CmbAbilObd = ComboObd(FRM_LINK, "CmbAbilObd", QRect(8, 22, 308, 26));
    LblGestObd = EtichettaObd(FRM_LINK, "LblGestObd", QRect(8, 52, 308, 18));
    CmbGestObd = ComboObd(FRM_LINK, "CmbGestObd", QRect(8, 70, 308, 26));
    LblTipoObd = EtichettaObd(FRM_LINK, "LblTipoObd", QRect(8, 100, 308, 18));
    CmbTipoObd = ComboObd(FRM_LINK, "CmbTipoObd", QRect(8, 118, 308, 26));
    ChkBankB2 = CasellaObd(FRM_LINK, "ChkBankB2", QRect(8, 150, 308, 22));
    CmdRunObd = PulsanteObd(FRM_LINK, "CmdRunObd", QRect(8, 178, 150, 34));
    CmdStopObd = PulsanteObd(FRM_LINK, "CmdStopObd", QRect(8, 178, 150, 34));
    CMDAdvanced = PulsanteObd(FRM_LINK, "CMDAdvanced", QRect(166, 178, 150, 34));
    LblNumEcuObdDIDA = EtichettaObd(FRM_LINK, "LblNumEcuObdDIDA", QRect(8, 218, 308, 18));
    LblNumEcuObd = ValoreEtichettaObd(FRM_LINK, "LblNumEcuObd", QRect(8, 236, 308, 58), 8);
    LblNumEcuObd->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LblNumEcuObd->setText({});
    CmdMappetta = PulsanteObd(FRM_LINK, "CmdMappetta", QRect(8, 302, 308, 32));
    LAB_ADVPAR = new QLineEdit(FRM_LINK);
    LAB_ADVPAR->setObjectName(QStringLiteral("LAB_ADVPAR"));
    LAB_ADVPAR->setReadOnly(true);
    LAB_ADVPAR->setFrame(false);
    LAB_ADVPAR->setAlignment(Qt::AlignCenter);
    LAB_ADVPAR->setStyleSheet(QStringLiteral("color: #FFD000; background: black; border: none;"));
    LayoutPagina::Colloca(LAB_ADVPAR, QRect(8, 342, 308, 24), 9, true);
    LAB_ADVPAR->installEventFilter(this);

    // Live data: fuel-system status and trims.
    FRM1 = PannelloObd(this, "FRM1", QRect(340, 8, 400, 409));
    SHP[0] = ContornoObd(this, QStringLiteral("SHP0"), QRect(338, 6, 404, 413), "#404080");
    lblStatusB = EtichettaObd(FRM1, "lblStatusB", QRect(8, 4, 384, 20), 9, true);
    LblStatusB1 = EtichettaObd(FRM1, "LblStatusB1", QRect(140, 28, 120, 34));
    LblStatusB2 = EtichettaObd(FRM1, "LblStatusB2", QRect(268, 28, 120, 34));
    LblStatusB1->setAlignment(Qt::AlignCenter);
    LblStatusB2->setAlignment(Qt::AlignCenter);
    LblPidVal03_B1 = ValoreEtichettaObd(FRM1, "LblPidVal03_B1", QRect(140, 64, 120, 44), 8);
    LblPidVal03_B2 = ValoreEtichettaObd(FRM1, "LblPidVal03_B2", QRect(268, 64, 120, 44), 8);
    LblPidVal03_B1->setWordWrap(true);
    LblPidVal03_B2->setWordWrap(true);
    LblShortTerm = EtichettaObd(FRM1, "LblShortTerm", QRect(8, 116, 128, 26));
    LblLongTerm = EtichettaObd(FRM1, "LblLongTerm", QRect(8, 148, 128, 26));
    LblPidVal06 = ValoreEtichettaObd(FRM1, "LblPidVal06", QRect(140, 116, 120, 26));
    LblPidVal07 = ValoreEtichettaObd(FRM1, "LblPidVal07", QRect(140, 148, 120, 26));
    LblPidVal08 = ValoreEtichettaObd(FRM1, "LblPidVal08", QRect(268, 116, 120, 26));
    LblPidVal09 = ValoreEtichettaObd(FRM1, "LblPidVal09", QRect(268, 148, 120, 26));
    SHP[8] = ContornoObd(FRM1, QStringLiteral("SHP8"), QRect(264, 24, 128, 154), "#606060");
    LBLPIC_OBD = EtichettaObd(FRM1, "LBLPIC_OBD", QRect(8, 184, 112, 18), 8, true);
    PIC_OBD = new QLabel(FRM1);
    PIC_OBD->setObjectName(QStringLiteral("PIC_OBD"));
    LayoutPagina::Colloca(PIC_OBD, QRect(8, 204, 112, 70));
    PIC_OBD_REP = new QLabel(this);
    PIC_OBD_REP->setObjectName(QStringLiteral("PIC_OBD_REP"));
    PIC_OBD_REP->setPixmap(DisegnaImmagineObd());
    PIC_OBD_REP->hide();
    CreaGruppoCodici();

    // Live data: the correction indicator.
    FRM2 = PannelloObd(this, "FRM2", QRect(748, 8, 244, 409));
    SHP[5] = ContornoObd(this, QStringLiteral("SHP5"), QRect(746, 6, 248, 413), "#404080");
    lblTitoloMEdia = EtichettaObd(FRM2, "lblTitoloMEdia", QRect(8, 4, 228, 20), 9, true);
    lblTitoloMEdia->setAlignment(Qt::AlignCenter);
    ShpBack.assign(2, nullptr);
    ShpBack[0] = new QFrame(FRM2);
    ShpBack[0]->setObjectName(QStringLiteral("ShpBack0"));
    ShpBack[0]->setStyleSheet(QStringLiteral("background-color: #600000; border: 1px solid #A0A0A0;"));
    LayoutPagina::Colloca(ShpBack[0], QRect(92, 34, 44, 320));
    ShpBack[1] = new QFrame(FRM2);
    ShpBack[1]->setObjectName(QStringLiteral("ShpBack1"));
    ShpBack[1]->setStyleSheet(QStringLiteral("background-color: #006000; border: none;"));
    LayoutPagina::Colloca(ShpBack[1], QRect(93, 154, 42, 80));
    ShpPuntoMediaObd = new QFrame(FRM2);
    ShpPuntoMediaObd->setObjectName(QStringLiteral("ShpPuntoMediaObd"));
    ShpPuntoMediaObd->setStyleSheet(QStringLiteral("background-color: #FFD000; border: 1px solid black;"));
    LayoutPagina::Colloca(ShpPuntoMediaObd, QRect(84, 190, 60, 8));
    LblObdValMedio.assign(5, nullptr);
    LblObdValMedio[4] = EtichettaObd(FRM2, "LblObdValMedio4", QRect(144, 28, 80, 20));
    LblObdValMedio[2] = EtichettaObd(FRM2, "LblObdValMedio2", QRect(144, 184, 80, 20));
    LblObdValMedio[0] = EtichettaObd(FRM2, "LblObdValMedio0", QRect(144, 340, 80, 20));
    LblMediaObd = ValoreEtichettaObd(FRM2, "LblMediaObd", QRect(60, 364, 124, 34), 12);

    // Advanced settings, two panels shown instead of the live ones.
    FRM_OBDADV_1 = PannelloObd(this, "FRM_OBDADV_1", QRect(340, 8, 322, 409));
    SHP[2] = ContornoObd(this, QStringLiteral("SHP2"), QRect(338, 6, 326, 413), "#404080");
    auto rigaAdv = [](QWidget* f, QLabel*& l, const char* nl, QComboBox*& c, const char* nc, int k, int larghezza = 306) {
        const int y = 4 + 52 * k;
        l = EtichettaObd(f, nl, QRect(8, y, 306, 18));
        c = ComboObd(f, nc, QRect(8, y + 18, larghezza, 26));
    };
    rigaAdv(FRM_OBDADV_1, LblPeriodAcq, "LblPeriodAcq", CmbPeriodAcq, "CmbPeriodAcq", 0);
    rigaAdv(FRM_OBDADV_1, LblMaxValCorr, "LblMaxValCorr", CmbMaxValCorr, "CmbMaxValCorr", 1);
    rigaAdv(FRM_OBDADV_1, LblMinDiff, "LblMinDiff", CmbMiDiff, "CmbMiDiff", 2, 246);
    rigaAdv(FRM_OBDADV_1, LblTarget, "LblTarget", CmbTarget, "CmbTarget", 3, 246);
    rigaAdv(FRM_OBDADV_1, LblSogliaVac, "LblSogliaVac", CmbSogliaVac, "CmbSogliaVac", 4, 246);
    rigaAdv(FRM_OBDADV_1, LblSOH_RPM_ADAT, "LblSOH_RPM_ADAT", CmbSOH_RPM_ADAT, "CmbSOH_RPM_ADAT", 5, 246);
    CmdInfoSogliaVac = PulsanteObd(FRM_OBDADV_1, "CmdInfoSogliaVac", QRect(260, 4 + 52 * 4 + 18, 54, 26));
    CmdInfoSogliaRpm = PulsanteObd(FRM_OBDADV_1, "CmdInfoSogliaRpm", QRect(260, 4 + 52 * 5 + 18, 54, 26));
    CmdInfoSogliaVac->Caption(QStringLiteral("?"));
    CmdInfoSogliaRpm->Caption(QStringLiteral("?"));
    CmdInfoMinDiff = PulsanteObd(FRM_OBDADV_1, "CmdInfoMinDiff", QRect(260, 4 + 52 * 2 + 18, 54, 26));
    CmdInfoTarget = PulsanteObd(FRM_OBDADV_1, "CmdInfoTarget", QRect(260, 4 + 52 * 3 + 18, 54, 26));
    CmdInfoMinDiff->Caption(QStringLiteral("?"));
    CmdInfoTarget->Caption(QStringLiteral("?"));
    ChkAdatStat = CasellaObd(FRM_OBDADV_1, "ChkAdatStat", QRect(8, 4 + 52 * 6 + 12, 306, 24));
    for (QWidget* w : std::initializer_list<QWidget*>{LblSogliaVac, CmbSogliaVac, LblSOH_RPM_ADAT, CmbSOH_RPM_ADAT,
                                                      CmdInfoSogliaVac, CmdInfoSogliaRpm})
        w->hide();

    FRM_OBDADV_2 = PannelloObd(this, "FRM_OBDADV_2", QRect(670, 8, 322, 409));
    SHP[10] = ContornoObd(this, QStringLiteral("SHP10"), QRect(668, 6, 326, 413), "#404080");
    rigaAdv(FRM_OBDADV_2, LblClosedLoopDelay, "LblClosedLoopDelay", CmbClosedLoopDelay, "CmbClosedLoopDelay", 0);
    rigaAdv(FRM_OBDADV_2, LblOreAdat, "LblOreAdat", CmbOreAdat, "CmbOreAdat", 1);
    rigaAdv(FRM_OBDADV_2, LblTempAdat, "LblTempAdat", CmbTempAdat, "CmbTempAdat", 2);
    rigaAdv(FRM_OBDADV_2, lblPIDPressRail, "lblPIDPressRail", cmbPIDPressRail, "cmbPIDPressRail", 3);
    rigaAdv(FRM_OBDADV_2, LAB_div_mappaOBD, "LAB_div_mappaOBD", CMB_div_mappaOBD, "CMB_div_mappaOBD", 4);
    for (QWidget* w : std::initializer_list<QWidget*>{FRM_OBDADV_1, FRM_OBDADV_2, SHP[2], SHP[10]}) w->hide();
    CMDAdvanced->Caption(QStringLiteral(">>>"));

    connect(CmdRunObd, &PulsanteGrafico::Click, this, &FrmObd::CmdRunObd_Click);
    connect(CmdStopObd, &PulsanteGrafico::Click, this, &FrmObd::CmdStopObd_Click);
    connect(CMDAdvanced, &PulsanteGrafico::Click, this, &FrmObd::CMDAdvanced_Click);
    connect(CmdMappetta, &PulsanteGrafico::Click, this, &FrmObd::CmdMappetta_Click);
    connect(CmbAbilObd, &QComboBox::activated, this, &FrmObd::CmbAbilObd_Click);
    connect(CmbGestObd, &QComboBox::activated, this, &FrmObd::CmbGestObd_Click);
    connect(CmbTipoObd, &QComboBox::activated, this, &FrmObd::CmbTipoObd_Click);
    connect(ChkBankB2, &QCheckBox::clicked, this, &FrmObd::ChkBankB2_Click);
    for (QComboBox* c : {CmbPeriodAcq, CmbSogliaVac, CmbTarget, CmbMaxValCorr, CMB_div_mappaOBD, CmbMiDiff,
                         CmbClosedLoopDelay, cmbPIDPressRail, CmbOreAdat, CmbSOH_RPM_ADAT, CmbTempAdat})
        connect(c, &QComboBox::activated, this, [this, c] { Impostazione_Click(c); });
    connect(ChkAdatStat, &QCheckBox::clicked, this, [this] { Impostazione_Click(ChkAdatStat); });
    connect(CmdInfoSogliaRpm, &PulsanteGrafico::Click, this, &FrmObd::CmdInfoSogliaRpm_Click);
    connect(CmdInfoSogliaVac, &PulsanteGrafico::Click, this, &FrmObd::CmdInfoSogliaVac_Click);
    connect(CmdInfoMinDiff, &PulsanteGrafico::Click, this, &FrmObd::CmdInfoMinDiff_Click);
    connect(CmdInfoTarget, &PulsanteGrafico::Click, this, &FrmObd::CmdInfoTarget_Click);
}

// ---- Frame ----

void FrmObd::Form_Load() {
    ModMain::AggiornaPassoCarico = ObdMappa::AggiornaPassoCarico;
    ModMain::CaricaListeLivelli(this, liste_);
    AggiornaLivelliVisualizzazione();
    RicaricaPagina = 0;
    CaricaLingua();
    AzzeraRiferimenti();
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    for (QWidget* c : std::initializer_list<QWidget*>{
             CmbAbilObd, CmbClosedLoopDelay, CmbGestObd, CmbMaxValCorr, CmbMiDiff, CmbOreAdat, cmbPIDPressRail,
             CmbPeriodAcq, CmbSogliaVac, CmbSOH_RPM_ADAT, CmbTarget, CmbTempAdat, CmbTipoObd, CMB_div_mappaOBD,
             CmdRunObd, CmdStopObd, ChkBankB2, ChkAdatStat, chkbloccaOBD, CHK_SpegniSpiaPermanente,
             CHK_AbilitaCancellazioneSelettiva, CHK_SpegniSpiaKeyOff, CHK_SpegniSpiaKeyOn, CHK_AggiungiErrore,
             CHK_TogliErrore, CHK_SpegniSpiaOneShot})
        Segna(c, false);
    TXT_Errore->clear();
    LST_Selettivo->clear();
    // The protocol list: name and code pairs of the line after "[init obd]".
    ModEvoObd::ListaProtocolliObd.clear();
    const auto& righe = ModMain::RigheConfigScale;
    for (size_t i = 0; i < righe.size(); ++i)
        if (righe[i] == "[init obd]") {
            if (const auto riga = OC::RigaDopo(righe, i)) ModEvoObd::ListaProtocolliObd = OC::ProtocolliDaRiga(*riga);
            break;
        }
    CmbTipoObd->clear();
    const int16_t m = ModMain::CercaSezione("[Frm_MapObd]");
    for (const auto& v : ModEvoObd::ListaProtocolliObd)
        CmbTipoObd->addItem(v.Codice == 11 ? ModMain::VoceLingua(m + 8) : ModMain::TestoLingua(v.Nome));
    CaricamentoPagina = 0;
    ProssimaLetturaInfo = ModGlobFunct::LeggiMicrosecondi();
    caricata_ = true;
    Form_Resize();
}

void FrmObd::Form_Unload() {
    caricata_ = false;
    ModMain::AggiornaPassoCarico = nullptr;
}

void FrmObd::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmObd::Form_Resize() {
    if (!caricata_) return;
    layoutInCorso_ = true;
    LayoutPagina::Disponi(this, ProgettoObd);
    RidisegnaImmagineObd();
    layoutInCorso_ = false;
    DisegnaBarraCorrezioneObd();
    PosizionaMediaObd();
}

void FrmObd::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FrmObd::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Form_Activate();
}

void FrmObd::Form_Activate() { ProssimaLetturaTabelle = 0; }

void FrmObd::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

bool FrmObd::eventFilter(QObject* oggetto, QEvent* evento) {
    // The title box never shows a text cursor.
    if (oggetto == LAB_ADVPAR && evento->type() == QEvent::FocusIn) LAB_ADVPAR->setCursorPosition(0);
    return QWidget::eventFilter(oggetto, evento);
}

void FrmObd::RidisegnaImmagineObd() {
    if (PIC_OBD->width() <= 0 || PIC_OBD->height() <= 0) return;
    PIC_OBD->setPixmap(PIC_OBD_REP->pixmap().scaled(PIC_OBD->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void FrmObd::CMDAdvanced_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{FRM_OBDADV_1, FRM_OBDADV_2, SHP[10], SHP[2], FRM1, FRM2, SHP[0], SHP[5]})
        w->setVisible(w->isHidden());
    CMDAdvanced->Caption(FRM_OBDADV_1->isHidden() ? QStringLiteral(">>>") : QStringLiteral("<<<"));
}

void FrmObd::CmdMappetta_Click() {
    FrmMappetta* f = FrmMappetta::Istanza();
    f->show();
    f->raise();
    f->activateWindow();
}

// ---- Texts and lists ----

void FrmObd::CaricaLingua() {
    lblPIDPressRail->setText(ModMain::VoceLingua(ModMain::CercaSezione("[Start_InjDir]") + 3));

    const int16_t m = ModMain::CercaSezione("[Frm_MapObd]");
    posMapObd_ = static_cast<int16_t>(m + 1);
    auto t = [m](int n) { return ModMain::VoceLingua(static_cast<int16_t>(m + n)); };
    LblShortTerm->setText(t(17));
    LblLongTerm->setText(t(18));
    CmdRunObd->Caption(t(21));
    LblAbilObd->setText(t(24));
    LblTipoObd->setText(t(25));
    CmdStopObd->Caption(t(26));
    ChkBankB2->setText(t(29));
    LblStatusB1->setText(t(30));
    LblStatusB2->setText(t(31));
    CmbAbilObd->clear();
    for (int n : {32, 33, 34, 36}) CmbAbilObd->addItem(t(n));
    LblGestObd->setText(t(37));
    CmbGestObd->clear();
    for (int n : {38, 39, 40}) CmbGestObd->addItem(t(n));
    lblTitoloMEdia->setText(t(41));
    LAB_ADVPAR->setText(t(42));
    LBLPIC_OBD->setText(t(43));
    LblNumEcuObdDIDA->setText(t(44));
    lblStatusB->setText(t(46));

    const int16_t u = ModMain::CercaSezione("[Frm_Tuning]");
    posTuning_ = static_cast<int16_t>(u + 1);
    auto s = [u](int n) { return ModMain::VoceLingua(static_cast<int16_t>(u + n)); };
    LblPeriodAcq->setText(s(4));
    LblMaxValCorr->setText(s(5));
    LblMinDiff->setText(s(6));
    LblTarget->setText(s(7));
    LblSogliaVac->setText(s(8));
    ChkAdatStat->setText(s(9));
    LblClosedLoopDelay->setText(s(19));
    LblOreAdat->setText(s(20));
    LblTempAdat->setText(s(26));
    LblSOH_RPM_ADAT->setText(s(28));
    CmdMappetta->Caption(s(31));
    LAB_div_mappaOBD->setText(s(32));
    if (CmbTipoObd->count() > 0) CmbTipoObd->setItemText(0, t(8));
    CaricaLinguaCodici(m, u);
    primaOreAdat_ = ModMain::TestoVoce(static_cast<int16_t>(u + 21));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmObd::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    const int16_t cs = ModMain::CharsetCorrente();
    struct Lista {
        const char* sezione;
        QComboBox* combo;
        bool numerica;
    } const liste[] = {
        {"[CmbPeriodAcq]", CmbPeriodAcq, true},     {"[CmbMaxValCorr]", CmbMaxValCorr, true},
        {"[CmbMiDiff]", CmbMiDiff, true},           {"[CmbSogliaVac]", CmbSogliaVac, true},
        {"[CmbTarget]", CmbTarget, true},           {"[CmbClosedLoopDelay]", CmbClosedLoopDelay, true},
        {"[CmbTempAdat]", CmbTempAdat, true},       {"[CmbSOH_RPM_ADAT]", CmbSOH_RPM_ADAT, true},
    };
    CaricamentoPagina = -1;
    for (size_t i = 0; i < righe.size(); ++i) {
        for (const auto& l : liste)
            if (righe[i] == l.sezione)
                // A marker on the last line has no list: the combo stays as it was.
                if (const auto riga = OC::RigaDopo(righe, i)) ModGlobFunct::RiempiComboDaLista(*riga, l.combo, 1, cs);
        if (righe[i] == "[CmbOreAdat]")
            if (const auto riga = OC::RigaDopo(righe, i))
                ModGlobFunct::RiempiComboDaLista(primaOreAdat_ + "|" + *riga, CmbOreAdat, 1, cs);
        if (righe[i] == "[MOLTIPLICATORE]") {
            const auto numeri = OC::RigaDopo(righe, i, 1);
            const auto testi = OC::RigaDopo(righe, i, 2);
            if (numeri && testi) {
                ValoriDivisoreMappa.clear();
                ModGlobFunct::DividiLista(*numeri, ValoriDivisoreMappa);
                ModGlobFunct::RiempiComboDaLista(*testi, CMB_div_mappaOBD, 0, cs);
            }
        }
    }
    ModGlobFunct::RiempiComboDaLista(ModMain::TestoVoce(19) + "|ADDR. &H0A|ADDR. &H22|ADDR. &H23|ADDR. &H59",
                                     cmbPIDPressRail, 0, cs);
    CaricamentoPagina = 0;
}

// ---- Link control ----

bool FrmObd::Pendente(const QWidget* c) const { return ModMain::LeggiTag(c) == QStringLiteral("1"); }
void FrmObd::Segna(QWidget* c, bool pendente) { ModMain::ImpostaTag(c, pendente ? QStringLiteral("1") : QStringLiteral("0")); }

void FrmObd::PubblicaRichiesta(int32_t codice, bool attesa) { ModMain::RichiediOperazione(codice, attesa); }

void FrmObd::CmdRunObd_Click() { Segna(CmdRunObd, true); }
void FrmObd::CmdStopObd_Click() { Segna(CmdStopObd, true); }

void FrmObd::CmbAbilObd_Click() {
    if (CaricamentoPagina != 0) return;
    Segna(CmbAbilObd, true);
}

void FrmObd::CmbGestObd_Click() {
    if (CaricamentoPagina != 0) return;
    const int32_t i = CmbGestObd->currentIndex();
    sceltaGestObd_ = {{i == 1 ? 1 : i == 2 ? 2 : 0, 0, 0}};
    Segna(CmbGestObd, true);
}

void FrmObd::CmbTipoObd_Click() {
    if (CaricamentoPagina != 0) return;
    const int32_t i = CmbTipoObd->currentIndex();
    if (i < 0 || i >= static_cast<int32_t>(ModEvoObd::ListaProtocolliObd.size())) return;
    sceltaTipoObd_ = {{ModEvoObd::ListaProtocolliObd[static_cast<size_t>(i)].Codice, 1, 0}};
    Segna(CmbTipoObd, true);
}

void FrmObd::ChkBankB2_Click() {
    if (CaricamentoPagina != 0) return;
    sceltaBankB2_ = OC::ScritturaBanco2(ChkBankB2->isChecked(), ValoreObd(12, 84));
    Segna(ChkBankB2, true);
}

void FrmObd::ApplicaAbilitazioneObd() {
    std::optional<int32_t> ore;
    if (CmbOreAdat->currentIndex() > 0) ore = static_cast<int32_t>(ValoreVoce(CmbOreAdat->currentText()));
    const auto s = OC::ApplicaAbilitazioneObd(Pendente(CmbAbilObd), CmbAbilObd->currentIndex(), ValoreObd(3, 50),
                                              ValoreObd(3, 48), ore);
    ModBlck::ModificheBlocco3 = s.Blocco3;
    ModBlck::ModificheBlocco2 = s.Blocco2;
    ModBlck::ModificheBlocco14 = s.Blocco14;
    PubblicaRichiesta(REQ_WRITE_OBD_SETTINGS, true);
}

void FrmObd::AggiornaVisualizzazione() {
    if (ModMain::RichiestaPendente == 0) {
        if (Pendente(CmdRunObd)) {
            PubblicaRichiesta(REQ_START_OBD, false);
            Segna(CmdRunObd, false);
        } else if (Pendente(CmdStopObd)) {
            ApplicaAbilitazioneObd();
            Segna(CmdStopObd, false);
        } else if (Pendente(CmbAbilObd)) {
            ApplicaAbilitazioneObd();
            Segna(CmbAbilObd, false);
        } else if (Pendente(CmbGestObd)) {
            Segna(CmbGestObd, false);
            ModBlck::ModificheBlocco14 = sceltaGestObd_;
            PubblicaRichiesta(REQ_WRITE_BLK14, true);
        } else if (Pendente(ChkBankB2)) {
            ModBlck::ModificheBlocco12 = sceltaBankB2_;
            PubblicaRichiesta(REQ_WRITE_BLK12, true);
            Segna(ChkBankB2, false);
        } else if (Pendente(CmbTipoObd)) {
            Segna(CmbTipoObd, false);
            ModBlck::ModificheBlocco12 = sceltaTipoObd_;
            PubblicaRichiesta(REQ_WRITE_BLK12, true);
        }
    }
    AggiornaParametriObd();
    AggiornaStatoObdInfo();
}

void FrmObd::AggiornaSelezioniObd() {
    CaricamentoPagina = -1;
    // A mode the user picked that still waits for the request slot keeps the
    // user's choice: the write that follows takes its bits from the list.
    if (!Pendente(CmbAbilObd)) {
        CmbAbilObd->setCurrentIndex(-1);
        CmbAbilObd->setCurrentIndex(OC::IndiceAbilObd(ValoreObd(2, 2), ValoreObd(3, 49)));
    }
    const auto b2 = OC::Banco2(ValoreObd(12, 84), ValoreObd(12, 21));
    ChkBankB2->setChecked(b2.Spuntato);
    for (QWidget* w : std::initializer_list<QWidget*>{ChkBankB2, LblPidVal03_B2, LblStatusB2, LblPidVal08, LblPidVal09, SHP[8]})
        w->setVisible(b2.Visibile);
    CmbTipoObd->setCurrentIndex(OC::IndiceProtocollo(ModEvoObd::ListaProtocolliObd, ValoreObd(12, 1)));
    const int32_t g = ValoreObd(14, 0);
    CmbGestObd->setCurrentIndex(g >= 0 && g <= 2 && g < CmbGestObd->count() ? g : -1);
    if (LAB_ADVPAR->isVisible()) LAB_ADVPAR->setFocus();
    CaricamentoPagina = 0;
}


// ---- Live data ----

void FrmObd::AggiornaParametriObd() {
    const int32_t indirizzo[4] = {ValoreObd(12, 14), ValoreObd(12, 15), ValoreObd(12, 16), ValoreObd(12, 17)};
    QString riepilogo = ModMain::TestoLingua(OC::TestoRiepilogo(ValoreObd(12, 0), ValoreObd(12, 1), indirizzo));
    const int32_t opzioni = ValoreObd(2, 2);
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    const int16_t m = static_cast<int16_t>(posMapObd_ - 1);
    auto imposta = [](QLabel* l, const QString& t, bool suggerimento) {
        l->setText(t);
        if (suggerimento) l->setToolTip(t == NessunValoreObd ? QString() : l->toolTip());
    };
    if ((opzioni & 0x04) && ValoreObd(12, 0) >= 1) {
        const int32_t v18 = ValoreObd(12, 18);
        for (auto [l, valore] : {std::pair{LblPidVal03_B1, ValoreObd(12, 26)}, std::pair{LblPidVal03_B2, ValoreObd(12, 27)}}) {
            const auto off = OC::OffsetStatoCarburante(v18, valore);
            const QString t = off ? ModMain::VoceLingua(static_cast<int16_t>(m + *off)) : NessunValoreObd;
            l->setText(t);
            l->setToolTip(off ? t : QString());
        }
        struct Trim {
            QLabel* l;
            size_t pid, valore;
        } const trim[] = {{LblPidVal06, 19, 30}, {LblPidVal07, 20, 34}, {LblPidVal08, 21, 38}, {LblPidVal09, 22, 42}};
        for (const auto& x : trim)
            imposta(x.l,
                    ValoreObd(12, x.pid) > 0 ? QString::fromStdString(OC::TestoTrim(ValoreObd(12, x.valore), sep))
                                             : NessunValoreObd,
                    true);
        imposta(LblMediaObd, QString::number(OC::ByteConSegno(ValoreObd(12, 32))), true);
    } else {
        for (QLabel* l : {LblPidVal06, LblPidVal07, LblPidVal08, LblPidVal09, LblPidVal03_B1, LblPidVal03_B2, LblMediaObd})
            l->setText(NessunValoreObd);
        riepilogo = ModMain::VoceLingua(static_cast<int16_t>(m + 13)) + NessunValoreObd;
    }
    PosizionaMediaObd();
    if (LblNumEcuObd->text() != riepilogo) LblNumEcuObd->setText(riepilogo);
    if (opzioni & 0x04) {
        CmdRunObd->setVisible(false);
        CmdStopObd->setVisible(true);
    } else {
        CmdRunObd->setVisible((opzioni & 0x20) == 0);
        CmdStopObd->setVisible(false);
    }
    DisegnaBarraCorrezioneObd();
}

void FrmObd::DisegnaBarraCorrezioneObd() {
    const int32_t c = OC::ByteConSegno(ModMain::MatSoglie[13]);
    const int32_t a = ValoreObd(3, 48);
    const QRect w = ShpBack[0]->geometry();
    // A window width of 0 leaves the band as it was; the scale labels are set all the same.
    if (const auto barra = OC::CalcolaBarra(w.top(), w.height(), a, ValoreObd(3, 50))) {
        const QRect b = ShpBack[1]->geometry();
        ShpBack[1]->setGeometry(b.left(), barra->AltoBanda, b.width(), barra->AltezzaBanda);
    }
    LblObdValMedio[4]->setText(QString::number(c + a));
    LblObdValMedio[0]->setText(QString::number(c - a));
    LblObdValMedio[2]->setText(QString::number(c));
}

void FrmObd::PosizionaMediaObd() {
    const QRect w = ShpBack[0]->geometry();
    const auto barra = OC::CalcolaBarra(w.top(), w.height(), ValoreObd(3, 48), ValoreObd(3, 50));
    const bool nessuno = LblMediaObd->text() == NessunValoreObd;
    ShpPuntoMediaObd->setVisible(!nessuno);
    if (!barra || nessuno) return;
    const int32_t media = LblMediaObd->text().toInt();
    const QRect p = ShpPuntoMediaObd->geometry();
    const int32_t y = OC::AltoMarcatore(w.top(), w.height(), barra->Scala, media,
                                        OC::ByteConSegno(ModMain::MatSoglie[13]), p.height());
    ShpPuntoMediaObd->setGeometry(p.left(), y, p.width(), p.height());
}

// ---- Settings ----

void FrmObd::Impostazione_Click(QWidget* controllo) {
    if (CaricamentoPagina == -1) return;
    Segna(controllo, true);
}

std::vector<double> FrmObd::ValoriVoci(const QComboBox* c) {
    std::vector<double> v;
    for (int i = 0; i < c->count(); ++i) v.push_back(ValoreVoce(c->itemText(i)));
    return v;
}

void FrmObd::ScriviOpzione(size_t byte, int32_t valore) {
    ModMain::MatSoglieModificata = ModMain::MatSoglie;
    ModMain::MatSoglieModificata[byte] = static_cast<uint8_t>(valore & 0xFF);
    PubblicaRichiesta(REQ_WRITE_OPTIONS, true);
}

void FrmObd::ImpostaIndice(QComboBox* c, int32_t indice) { c->setCurrentIndex(indice < c->count() ? indice : -1); }

void FrmObd::AzzeraRiferimenti() {
    ricordati_ = {SentinellaObd, SentinellaObd, SentinellaObd, SentinellaObd, SentinellaObd, SentinellaObd,
                  SentinellaObd, SentinellaObd, SentinellaObd, SentinellaObd, SentinellaObd, SentinellaObd};
}

void FrmObd::AggiornaVisualizzazioni() {
    if (ModMain::RichiestaPendente != 0) return;
    if (RicaricaPagina == -1) {
        RicaricaPagina = 0;
        MDIFrm::Interfaccia().SelezioneScheda(ModMain::PaginaCorrente);
        return;
    }

    auto voce = [](const QComboBox* c) { return ValoreVoce(c->currentText()); };
    auto indice = [](const QComboBox* c) { return c->currentIndex(); };
    // Handles the first pending control; false when none of them was pending.
    auto gestisci = [&]() -> bool {
        if (Pendente(ChkAdatStat)) {
            ModBlck::ModificheBlocco2 = {{ChkAdatStat->isChecked() ? 1 : 0, 2, 0x08}, {0, 2, 0x20}};
            PubblicaRichiesta(REQ_WRITE_BLK2, true);
            Segna(ChkAdatStat, false);
            return true;
        }
        struct Passo {
            QWidget* c;
            std::function<void()> azione;
        };
        const Passo prima[] = {
            {CmbPeriodAcq, [&] { ScriviOpzione(12, std::clamp(static_cast<int32_t>(Conv::ArrotondaPari(voce(CmbPeriodAcq))), 0, 255)); }},
            {CmbSogliaVac, [&] { ScriviOpzione(11, indice(CmbSogliaVac)); }},
            {CmbTarget, [&] { ScriviOpzione(13, OC::ByteTarget(voce(CmbTarget))); }},
            {CmbMaxValCorr, [&] {
                 ModBlck::ModificheBlocco3 = {{static_cast<int32_t>(Conv::ArrotondaPari(voce(CmbMaxValCorr))), 48, 0}};
                 PubblicaRichiesta(REQ_WRITE_BLK3, true);
             }},
            {CMB_div_mappaOBD, [&] {
                 const int32_t i = indice(CMB_div_mappaOBD);
                 // An item without its number (a short numbers line) writes nothing.
                 if (i < 0 || i >= static_cast<int32_t>(ValoriDivisoreMappa.size())) return;
                 ModBlck::ModificheBlocco16 = {{ValoriDivisoreMappa[static_cast<size_t>(i)], 25, 0}};
                 PubblicaRichiesta(REQ_WRITE_BLK16, true);
             }},
            {CmbMiDiff, [&] {
                 ModBlck::ModificheBlocco3 = {{static_cast<int32_t>(Conv::ArrotondaPari(voce(CmbMiDiff))), 50, 0}};
                 PubblicaRichiesta(REQ_WRITE_BLK3, true);
             }},
        };
        const Passo dopo[] = {
            {CmbClosedLoopDelay, [&] {
                 ModBlck::ModificheBlocco14 = {{OC::MsRitardo(voce(CmbClosedLoopDelay)), 2, 0}};
                 PubblicaRichiesta(REQ_WRITE_BLK14, true);
             }},
            {cmbPIDPressRail, [&] {
                 const int32_t pid = OC::PidRailDaIndice(indice(cmbPIDPressRail));
                 if (pid < 0) return;
                 ModBlck::ModificheBlocco12 = {{pid, 23, 0}};
                 ModEvoObd::PidPressioneRailScelto = pid;
                 PubblicaRichiesta(REQ_WRITE_BLK12, true);
             }},
            {CmbOreAdat, [&] {
                 const int32_t i = indice(CmbOreAdat);
                 if (i < 0) return;
                 ModBlck::ModificheBlocco14 = {{i == 0 ? 0xFFFF : static_cast<int32_t>(Conv::ArrotondaPari(voce(CmbOreAdat))), 3, 0},
                                               {0xFFFF, 4, 0}};
                 PubblicaRichiesta(REQ_WRITE_BLK14, true);
             }},
            {CmbSOH_RPM_ADAT, [&] { ScriviOpzione(5, indice(CmbSOH_RPM_ADAT)); }},
            {CmbTempAdat, [&] {
                 ModBlck::ModificheBlocco14 = {{static_cast<int32_t>(Conv::ArrotondaPari(voce(CmbTempAdat))), 7, 0}};
                 PubblicaRichiesta(REQ_WRITE_BLK14, true);
             }},
        };
        auto esegui = [&](const Passo& p) {
            if (!Pendente(p.c)) return false;
            Segna(p.c, false);
            if (auto* c = qobject_cast<QComboBox*>(p.c); c && c->currentIndex() < 0) return true;
            p.azione();
            return true;
        };
        for (const auto& p : prima)
            if (esegui(p)) return true;
        // The periodic read of the acquisition tables, every 3 s.
        const double adesso = ModGlobFunct::LeggiMicrosecondi();
        if (ProssimaLetturaTabelle == 0 || adesso > ProssimaLetturaTabelle) {
            PubblicaRichiesta(REQ_READ_ACQ_TABLES, false);
            ProssimaLetturaTabelle = adesso + 3'000'000;
            return true;
        }
        for (const auto& p : dopo)
            if (esegui(p)) return true;
        return GestisciCodici();
    };
    gestisci();

    AggiornaImpostazioni();
    AggiornaPulsantiInfo();

    const int32_t r = ModMain::RichiestaPendente;
    if (r != 0 && r != REQ_READ_ACQ_TABLES && r != REQ_READ_OBD_INFO_ERROR) RicaricaPagina = -1;
}

void FrmObd::AggiornaImpostazioni() {
    // A control the user changed and that waits for the slot keeps the choice
    // until it is written; it is redrawn from the block afterwards.
    QWidget* corrente = nullptr;
    auto aggiorna = [this, &corrente](int32_t& ricordato, int32_t sorgente, const std::function<void()>& mostra) {
        if (ricordato == sorgente || (corrente && Pendente(corrente))) return false;
        CaricamentoPagina = -1;
        mostra();
        ricordato = sorgente;
        CaricamentoPagina = 0;
        return true;
    };
    auto primoMaggiore = [this](QComboBox* c, double v) { ImpostaIndice(c, OC::PrimoMaggioreUguale(ValoriVoci(c), v)); };
    const auto& soglie = ModMain::MatSoglie;

    const int32_t adat = ValoreObd(2, 2) & 0x08;
    corrente = ChkAdatStat;
    aggiorna(ricordati_.AdatStat, adat, [&] { ChkAdatStat->setChecked(adat != 0); });
    corrente = CmbPeriodAcq;
    aggiorna(ricordati_.PeriodAcq, soglie[12], [&] { primoMaggiore(CmbPeriodAcq, soglie[12]); });
    corrente = CmbSogliaVac;
    bool soglieCambiate = aggiorna(ricordati_.SogliaVac, soglie[11], [&] {
        CmbSogliaVac->setCurrentIndex(-1);
        if (soglie[11] < CmbSogliaVac->count()) CmbSogliaVac->setCurrentIndex(soglie[11]);
    });
    corrente = CmbSOH_RPM_ADAT;
    soglieCambiate |= aggiorna(ricordati_.SohRpm, soglie[5], [&] {
        CmbSOH_RPM_ADAT->setCurrentIndex(-1);
        if (soglie[5] < CmbSOH_RPM_ADAT->count()) CmbSOH_RPM_ADAT->setCurrentIndex(soglie[5]);
    });
    const int32_t target = OC::ByteConSegno(soglie[13]);
    corrente = CmbTarget;
    aggiorna(ricordati_.Target, target, [&] { primoMaggiore(CmbTarget, target); });
    const int32_t maxCorr = ValoreObd(3, 48);
    corrente = CmbMaxValCorr;
    aggiorna(ricordati_.MaxValCorr, maxCorr, [&] { primoMaggiore(CmbMaxValCorr, maxCorr); });
    const int32_t miDiff = ValoreObd(3, 50);
    corrente = CmbMiDiff;
    aggiorna(ricordati_.MiDiff, miDiff, [&] { primoMaggiore(CmbMiDiff, miDiff); });
    const int32_t div = ValoreObd(16, 25);
    corrente = CMB_div_mappaOBD;
    aggiorna(ricordati_.DivMappa, div, [&] {
        CMB_div_mappaOBD->setCurrentIndex(-1);
        for (size_t i = 0; i < ValoriDivisoreMappa.size() && static_cast<int>(i) < CMB_div_mappaOBD->count(); ++i)
            if (ValoriDivisoreMappa[i] == div) {
                CMB_div_mappaOBD->setCurrentIndex(static_cast<int>(i));
                break;
            }
    });
    const int32_t ore = ValoreObd(14, 3);
    corrente = CmbOreAdat;
    aggiorna(ricordati_.OreAdat, ore, [&] {
        if (ore == 0xFFFF) {
            ImpostaIndice(CmbOreAdat, 0);
            return;
        }
        const auto v = ValoriVoci(CmbOreAdat);
        for (size_t i = 1; i < v.size(); ++i)
            if (v[i] >= ore) {
                CmbOreAdat->setCurrentIndex(static_cast<int>(i));
                return;
            }
    });
    const int32_t temp = ValoreObd(14, 7);
    corrente = CmbTempAdat;
    aggiorna(ricordati_.TempAdat, temp, [&] {
        CmbTempAdat->setCurrentIndex(-1);
        const auto v = ValoriVoci(CmbTempAdat);
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i] == temp) {
                CmbTempAdat->setCurrentIndex(static_cast<int>(i));
                break;
            }
    });
    const int32_t pid = ValoreObd(12, 23);
    corrente = cmbPIDPressRail;
    aggiorna(ricordati_.PidRail, pid, [&] {
        const auto i = OC::IndicePidRail(pid);
        ImpostaIndice(cmbPIDPressRail, i ? *i : -1);
        ModEvoObd::PidPressioneRailScelto = i ? pid : 0;
    });
    const int32_t ritardo = ValoreObd(14, 2);
    corrente = CmbClosedLoopDelay;
    aggiorna(ricordati_.ClosedLoop, ritardo, [&] {
        std::vector<double> ms;
        for (double v : ValoriVoci(CmbClosedLoopDelay)) ms.push_back(OC::MsRitardo(v));
        ImpostaIndice(CmbClosedLoopDelay, OC::PrimoMaggioreUguale(ms, ritardo));
    });
    if (soglieCambiate && (soglie[11] != 0 || soglie[5] != 0))
        for (QWidget* w : std::initializer_list<QWidget*>{LblSogliaVac, LblSOH_RPM_ADAT, CmbSogliaVac, CmbSOH_RPM_ADAT,
                                                          CmdInfoSogliaVac, CmdInfoSogliaRpm})
            w->setVisible(true);
}

void FrmObd::AggiornaPulsantiInfo() {
    if (copiaValida_ && ModBlck::DatiGrezzi1B == copiaDatiGrezzi1B_) return;
    copiaDatiGrezzi1B_ = ModBlck::DatiGrezzi1B;
    copiaValida_ = true;
    const bool abilitati = OC::CelleAcquisite(copiaDatiGrezzi1B_) > 9;
    for (PulsanteGrafico* b : {CmdInfoMinDiff, CmdInfoTarget}) {
        b->BackColor(abilitati ? 0xC0C0C0 : 0x400000);
        b->setEnabled(abilitati);
    }
}

// ---- Threshold help ----

FrmCalcoloVacuum* FrmObd::CalcoloVacuum() const { return calcoloVacuum_; }

FrmCalcoloVacuum* FrmObd::ApriCalcoloVacuum() {
    if (!calcoloVacuum_) {
        QWidget* padre = ModMain::FinestraPrincipale ? ModMain::FinestraPrincipale.data() : this;
        calcoloVacuum_ = new FrmCalcoloVacuum(padre, CmbSOH_RPM_ADAT, CmbSogliaVac);
        calcoloVacuum_->Form_Load();
    }
    return calcoloVacuum_;
}

void FrmObd::CmdInfoSogliaRpm_Click() {
    const int16_t u = static_cast<int16_t>(posTuning_ - 1);
    ApriCalcoloVacuum()->CaricaMessaggio(1, ModMain::TestoVoce(static_cast<int16_t>(u + 24)),
                                         ModMain::TestoVoce(static_cast<int16_t>(u + 29)));
}

void FrmObd::CmdInfoSogliaVac_Click() {
    const int16_t u = static_cast<int16_t>(posTuning_ - 1);
    ApriCalcoloVacuum()->CaricaMessaggio(0, ModMain::TestoVoce(static_cast<int16_t>(u + 24)),
                                         ModMain::TestoVoce(static_cast<int16_t>(u + 25)));
}

void FrmObd::MessaggioAcquisite(bool target) {
    const int16_t u = static_cast<int16_t>(posTuning_ - 1);
    const auto a = OC::StatisticaAcquisite(ModBlck::DatiGrezzi1B);
    std::string testo;
    if (a.Numero < 11) {
        testo = ModMain::TestoVoce(static_cast<int16_t>(u + 23));
    } else {
        const int32_t v = target ? OC::SuggerimentoTarget(a) : OC::SuggerimentoMinDiff(a);
        const QLabel* etichetta = target ? LblTarget : LblMinDiff;
        testo = Piattaforma::TestoACharset(etichetta->text(), ModMain::CharsetCorrente()) + "\r\n\r\n" +
                ModMain::TestoVoce(static_cast<int16_t>(u + 22)) + std::to_string(v);
    }
    ApriCalcoloVacuum()->CaricaMessaggio(0, testo, std::string());
}

void FrmObd::CmdInfoMinDiff_Click() { MessaggioAcquisite(false); }
void FrmObd::CmdInfoTarget_Click() { MessaggioAcquisite(true); }
