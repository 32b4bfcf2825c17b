#include "settings/FRM_ZEBGestione.h"

#include <cmath>

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "controls/PulsanteGrafico.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModBlckSequenza.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMappeDati.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"
#include "settings/FrmSeqInj.h"
#include "settings/GestioneRegole.h"

using namespace ModZebPagina;
namespace R = GestioneRegole;

namespace {

// Design size of the page in twips: the page area of the main window at its
// minimum size (1024 x 640 pixels).
constexpr double GestioneLarghezza = 15000, GestioneAltezza = 6375;
constexpr double GestionePunti = 8.25;
constexpr int32_t GestioneTesto = 0xFFFFFF;
constexpr int32_t GestioneTitolo = 0xFFFF80;
constexpr int32_t GestioneBordo = 0x400000;   // (0, 0, 64)
constexpr int32_t GestioneRiquadro = 0x806040;

// Design places in pixels at the design size (15 twips each).
void GestionePosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x * 15, y * 15, l * 15, a * 15); }

std::optional<int32_t> GestioneValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return std::nullopt;
    const auto& v = TabellaBlocchi[blocco].Valori;
    if (k >= v.size()) return std::nullopt;
    return v[k];
}

QComboBox* GestioneCombo(QWidget* padre, const char* nome) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setMaxVisibleItems(16);
    ImpostaFont(c, GestionePunti);
    return c;
}

QLabel* GestioneEtichetta(QWidget* padre, const char* nome, int32_t colore = GestioneTesto, bool grassetto = false) {
    return NuovaEtichetta(padre, QString::fromLatin1(nome), colore, GestionePunti, grassetto);
}

// Plain buttons (mode 0) or, for the option groups, two-state buttons (mode 1)
// whose Value the load sets.
PulsanteGrafico* GestionePulsante(QWidget* padre, const QString& nome, int indice, const QString& caption) {
    return NuovoPulsante(padre, nome, {.modo = indice >= 0 ? 1 : 0, .forma = 0, .punti = GestionePunti, .testo = caption},
                         indice);
}

// The selected item's text, or nullopt when there is none.
std::optional<QString> GestioneScelta(const QComboBox* c) {
    if (!c || c->currentIndex() < 0) return std::nullopt;
    return c->currentText();
}

} // namespace

FRM_ZEBGestione::FRM_ZEBGestione(QWidget* contenitore)
    : QWidget(contenitore), proporzioni_(GestioneLarghezza, GestioneAltezza) {
    setObjectName(QStringLiteral("FRM_ZEBGestione"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    resize(static_cast<int>(GestioneLarghezza / 15), static_cast<int>(GestioneAltezza / 15));
    CostruisciControlli();
    Istanza = this;
}

FRM_ZEBGestione::~FRM_ZEBGestione() {
    if (Istanza == this) Istanza = nullptr;
}

void FRM_ZEBGestione::CostruisciControlli() {
    SHP_Contorno = new FormaPagina(this, QStringLiteral("SHP_Contorno"), 1, false);
    GestionePosto(SHP_Contorno, 0, 0, 1000, 425);
    const double riquadri[7][4] = {{8, 8, 320, 222},   {336, 8, 320, 222}, {664, 8, 328, 86}, {664, 100, 328, 84},
                                   {0, 0, 984, 180},   {664, 190, 328, 40}, {204, 32, 120, 40}};
    for (int i = 0; i < 7; ++i) {
        SHP[static_cast<size_t>(i)] = new FormaPagina(this, {}, 1, false);
        ModMain::ImpostaMembro(SHP[static_cast<size_t>(i)], QStringLiteral("SHP"), i);
        SHP[static_cast<size_t>(i)]->ColoreBordo(GestioneRiquadro);
    }

    // High-rpm group.
    FrmAltiRPM = GestioneEtichetta(this, "FrmAltiRPM", GestioneTitolo, true);
    GestionePosto(FrmAltiRPM, 16, 12, 300, 20);
    // Three options a row, the last one's two-line caption clear of the panel's edge.
    for (int i = 0; i < 3; ++i) {
        optionHigh[static_cast<size_t>(i)] = GestionePulsante(this, QStringLiteral("optionHigh"), i, {});
        GestionePosto(optionHigh[static_cast<size_t>(i)], 16 + i * 88, 40, 22, 22);
        laboptionHigh[static_cast<size_t>(i)] = GestioneEtichetta(this, "");
        ModMain::ImpostaMembro(laboptionHigh[static_cast<size_t>(i)], QStringLiteral("laboptionHigh"), i);
        GestionePosto(laboptionHigh[static_cast<size_t>(i)], 42 + i * 88, 34, i == 2 ? 104 : 60, 36);
    }
    lblGiriDaA = GestioneEtichetta(this, "lblGiriDaA");
    lblGiriDaFine = GestioneEtichetta(this, "lblGiriDaFine");
    lblTempoInjBen = GestioneEtichetta(this, "lblTempoInjBen");
    cmbGiriDa = GestioneCombo(this, "cmbGiriDa");
    cmbGiriFine = GestioneCombo(this, "cmbGiriFine");
    cmbTempoInjBen = GestioneCombo(this, "cmbTempoInjBen");
    cmbGiriDaQDL = GestioneCombo(this, "cmbGiriDaQDL");
    cmbGiriFineQDL = GestioneCombo(this, "cmbGiriFineQDL");
    cmbTempoInjBenQDL = GestioneCombo(this, "cmbTempoInjBenQDL");
    {
        QLabel* l[3] = {lblGiriDaA, lblGiriDaFine, lblTempoInjBen};
        QComboBox* c[3] = {cmbGiriDaQDL, cmbGiriFineQDL, cmbTempoInjBenQDL};
        QComboBox* gemelli[3] = {cmbGiriDa, cmbGiriFine, cmbTempoInjBen};
        for (int r = 0; r < 3; ++r) {
            GestionePosto(l[r], 16, 88 + r * 32, 180, 26);
            GestionePosto(c[r], 200, 90 + r * 32, 118, 22);
            GestionePosto(gemelli[r], 200, 90 + r * 32, 118, 22);
        }
    }

    // Low-rpm group.
    FrmBassiRPM = GestioneEtichetta(this, "FrmBassiRPM", GestioneTitolo, true);
    GestionePosto(FrmBassiRPM, 344, 12, 300, 20);
    for (int i = 0; i < 3; ++i) {
        optionLow[static_cast<size_t>(i)] = GestionePulsante(this, QStringLiteral("optionLow"), i, {});
        GestionePosto(optionLow[static_cast<size_t>(i)], 344 + i * 88, 40, 22, 22);
        laboptionLow[static_cast<size_t>(i)] = GestioneEtichetta(this, "");
        ModMain::ImpostaMembro(laboptionLow[static_cast<size_t>(i)], QStringLiteral("laboptionLow"), i);
        GestionePosto(laboptionLow[static_cast<size_t>(i)], 370 + i * 88, 34, i == 2 ? 104 : 60, 36);
    }
    lblGiriMinimo = GestioneEtichetta(this, "lblGiriMinimo");
    lblGiriA = GestioneEtichetta(this, "lblGiriA");
    LblNumIniettateRientro = GestioneEtichetta(this, "LblNumIniettateRientro");
    lblsogliauscitapress = GestioneEtichetta(this, "lblsogliauscitapress");
    cmbGiriMinimo = GestioneCombo(this, "cmbGiriMinimo");
    cmbGiriA = GestioneCombo(this, "cmbGiriA");
    CmbNumIniettateRientro = GestioneCombo(this, "CmbNumIniettateRientro");
    cmbsogliauscitapress = GestioneCombo(this, "cmbsogliauscitapress");
    {
        QLabel* l[4] = {lblGiriMinimo, lblGiriA, LblNumIniettateRientro, lblsogliauscitapress};
        QComboBox* c[4] = {cmbGiriMinimo, cmbGiriA, CmbNumIniettateRientro, cmbsogliauscitapress};
        for (int r = 0; r < 4; ++r) {
            GestionePosto(l[r], 344, 88 + r * 32, 180, 26);
            GestionePosto(c[r], 528, 90 + r * 32, 118, 22);
        }
    }

    // Sequence state.
    lblAnticipo = new QLineEdit(this);
    lblAnticipo->setObjectName(QStringLiteral("lblAnticipo"));
    lblAnticipo->setReadOnly(true);
    lblAnticipo->setFrame(false);
    {
        QPalette p = lblAnticipo->palette();
        p.setColor(QPalette::Base, Qt::black);
        p.setColor(QPalette::Text, Colore(GestioneTitolo));
        lblAnticipo->setPalette(p);
    }
    ImpostaFont(lblAnticipo, GestionePunti, true);
    GestionePosto(lblAnticipo, 672, 14, 312, 20);
    LblStatoAnticipoVal = GestioneEtichetta(this, "LblStatoAnticipoVal");
    GestionePosto(LblStatoAnticipoVal, 672, 38, 250, 50);
    CmdSeqInj = GestionePulsante(this, QStringLiteral("CmdSeqInj"), -1, QStringLiteral(">>>"));
    GestionePosto(CmdSeqInj, 930, 50, 54, 26);

    // Function lamps.
    for (int i = 0; i < 4; ++i) {
        auto* s = new FormaPagina(this, {}, 1, true);
        ModMain::ImpostaMembro(s, QStringLiteral("ImgMaxMinCon"), i);
        s->ColoreBordo(0x808080);
        s->ColoreRiempimento(ColoreSpento);
        GestionePosto(s, 676, 108 + i * 18, 14, 12);
        ImgMaxMinCon[static_cast<size_t>(i)] = s;
        s->hide(); // the live update shows the lamps whose function is in use
        auto* l = GestioneEtichetta(this, "");
        ModMain::ImpostaMembro(l, QStringLiteral("LblMaxMinCon"), i);
        GestionePosto(l, 698, 104 + i * 18, 286, 18);
        LblMaxMinCon[static_cast<size_t>(i)] = l;
        l->hide();
    }

    // Advanced group: its button, title and frame.
    CMDAdvanced = GestionePulsante(this, QStringLiteral("CMDAdvanced"), -1, QStringLiteral(">>>"));
    GestionePosto(CMDAdvanced, 930, 197, 54, 26);
    LAB_ADVPAR = GestioneEtichetta(this, "LAB_ADVPAR", GestioneTitolo, true);
    GestionePosto(LAB_ADVPAR, 676, 198, 250, 24);

    FRM_ADV = new QWidget(this);
    FRM_ADV->setObjectName(QStringLiteral("FRM_ADV"));
    GestionePosto(FRM_ADV, 8, 238, 984, 180);
    SHP[4]->setParent(FRM_ADV);
    lblContrIDCicli = GestioneEtichetta(FRM_ADV, "lblContrIDCicli");
    LblTempoMortoBenz = GestioneEtichetta(FRM_ADV, "LblTempoMortoBenz");
    LblTempoMortoGas = GestioneEtichetta(FRM_ADV, "LblTempoMortoGas");
    LblMinOn = GestioneEtichetta(FRM_ADV, "LblMinOn");
    lblValoreContr = GestioneEtichetta(FRM_ADV, "lblValoreContr");
    LblMonoFuel = GestioneEtichetta(FRM_ADV, "LblMonoFuel");
    lbl_maxduty_enter = GestioneEtichetta(FRM_ADV, "lbl_maxduty_enter");
    lbl_maxduty_time = GestioneEtichetta(FRM_ADV, "lbl_maxduty_time");
    lbl_maxduty_isteresi = GestioneEtichetta(FRM_ADV, "lbl_maxduty_isteresi");
    lbl_maxp_isteresi_rpm = GestioneEtichetta(FRM_ADV, "lbl_maxp_isteresi_rpm");
    lbl_maxp_isteresi_tinj = GestioneEtichetta(FRM_ADV, "lbl_maxp_isteresi_tinj");
    CmbTempoMortoBenz = GestioneCombo(FRM_ADV, "CmbTempoMortoBenz");
    CmbTempoMortoGas = GestioneCombo(FRM_ADV, "CmbTempoMortoGas");
    CmbMinOn = GestioneCombo(FRM_ADV, "CmbMinOn");
    cmbContrIDCicli = GestioneCombo(FRM_ADV, "cmbContrIDCicli");
    cmbValoreContr = GestioneCombo(FRM_ADV, "cmbValoreContr");
    CmbMonoFuel = GestioneCombo(FRM_ADV, "CmbMonoFuel");
    cmb_maxduty_enter = GestioneCombo(FRM_ADV, "cmb_maxduty_enter");
    cmb_maxduty_time = GestioneCombo(FRM_ADV, "cmb_maxduty_time");
    cmb_maxduty_isteresi = GestioneCombo(FRM_ADV, "cmb_maxduty_isteresi");
    cmb_maxp_isteresi_rpm = GestioneCombo(FRM_ADV, "cmb_maxp_isteresi_rpm");
    cmb_maxp_isteresi_tinj = GestioneCombo(FRM_ADV, "cmb_maxp_isteresi_tinj");
    {
        QLabel* la[6] = {LblTempoMortoBenz, LblTempoMortoGas, LblMinOn, lblContrIDCicli, lblValoreContr, LblMonoFuel};
        QComboBox* ca[6] = {CmbTempoMortoBenz, CmbTempoMortoGas, CmbMinOn, cmbContrIDCicli, cmbValoreContr, CmbMonoFuel};
        QLabel* lb[5] = {lbl_maxduty_enter, lbl_maxduty_time, lbl_maxduty_isteresi, lbl_maxp_isteresi_rpm,
                         lbl_maxp_isteresi_tinj};
        QComboBox* cb[5] = {cmb_maxduty_enter, cmb_maxduty_time, cmb_maxduty_isteresi, cmb_maxp_isteresi_rpm,
                            cmb_maxp_isteresi_tinj};
        for (int r = 0; r < 6; ++r) {
            GestionePosto(la[r], 10, 8 + r * 28, 300, 24);
            GestionePosto(ca[r], 315, 9 + r * 28, 150, 22);
        }
        for (int r = 0; r < 5; ++r) {
            GestionePosto(lb[r], 500, 8 + r * 28, 300, 24);
            GestionePosto(cb[r], 805, 9 + r * 28, 150, 22);
        }
    }
    FRM_ADV->hide();
    for (int i = 0; i < 7; ++i) GestionePosto(SHP[static_cast<size_t>(i)], riquadri[i][0], riquadri[i][1], riquadri[i][2], riquadri[i][3]);
    SHP[4]->lower();
    for (auto* s : SHP) s->lower();
    SHP_Contorno->lower();

    // Display-level tags of the design.
    ModMain::ImpostaTag(CmdSeqInj, QStringLiteral("EXP"));
    for (QWidget* w : {static_cast<QWidget*>(CMDAdvanced), static_cast<QWidget*>(cmbsogliauscitapress),
                       static_cast<QWidget*>(lblsogliauscitapress), static_cast<QWidget*>(LAB_ADVPAR),
                       static_cast<QWidget*>(SHP[5])})
        ModMain::ImpostaTag(w, QStringLiteral("SUP"));
    for (QWidget* w : {static_cast<QWidget*>(CmbMonoFuel), static_cast<QWidget*>(LblMonoFuel),
                       static_cast<QWidget*>(cmbValoreContr), static_cast<QWidget*>(lblValoreContr),
                       static_cast<QWidget*>(cmb_maxduty_enter), static_cast<QWidget*>(lbl_maxduty_enter),
                       static_cast<QWidget*>(cmb_maxduty_time), static_cast<QWidget*>(lbl_maxduty_time),
                       static_cast<QWidget*>(cmb_maxduty_isteresi), static_cast<QWidget*>(lbl_maxduty_isteresi),
                       static_cast<QWidget*>(cmb_maxp_isteresi_rpm), static_cast<QWidget*>(lbl_maxp_isteresi_rpm),
                       static_cast<QWidget*>(cmb_maxp_isteresi_tinj), static_cast<QWidget*>(lbl_maxp_isteresi_tinj),
                       static_cast<QWidget*>(optionHigh[2]), static_cast<QWidget*>(laboptionHigh[2]),
                       static_cast<QWidget*>(SHP[6])})
        ModMain::ImpostaTag(w, QStringLiteral("AUT"));

    // Handlers: the user's choice only (a selection set by program raises none).
    auto combo = [this](QComboBox* c, void (FRM_ZEBGestione::*gestore)()) {
        connect(c, &QComboBox::activated, this, [this, gestore](int) { (this->*gestore)(); });
    };
    combo(cmbGiriFineQDL, &FRM_ZEBGestione::cmbGiriFineQDL_Click);
    combo(cmbGiriDaQDL, &FRM_ZEBGestione::cmbGiriDaQDL_Click);
    combo(cmbGiriMinimo, &FRM_ZEBGestione::cmbGiriMinimo_Click);
    combo(cmbGiriA, &FRM_ZEBGestione::cmbGiriA_Click);
    combo(cmbTempoInjBenQDL, &FRM_ZEBGestione::cmbTempoInjBenQDL_Click);
    combo(CmbTempoMortoBenz, &FRM_ZEBGestione::CmbTempoMortoBenz_Click);
    combo(cmbValoreContr, &FRM_ZEBGestione::cmbValoreContr_Click);
    combo(CmbMonoFuel, &FRM_ZEBGestione::CmbMonoFuel_Click);
    combo(CmbMinOn, &FRM_ZEBGestione::CmbMinOn_Click);
    combo(CmbTempoMortoGas, &FRM_ZEBGestione::CmbTempoMortoGas_Click);
    combo(cmb_maxduty_time, &FRM_ZEBGestione::cmb_maxduty_time_Click);
    combo(cmb_maxduty_isteresi, &FRM_ZEBGestione::cmb_maxduty_isteresi_Click);
    combo(cmb_maxduty_enter, &FRM_ZEBGestione::cmb_maxduty_enter_Click);
    combo(cmb_maxp_isteresi_rpm, &FRM_ZEBGestione::cmb_maxp_isteresi_rpm_Click);
    combo(cmb_maxp_isteresi_tinj, &FRM_ZEBGestione::cmb_maxp_isteresi_tinj_Click);
    combo(CmbNumIniettateRientro, &FRM_ZEBGestione::CmbNumIniettateRientro_Click);
    combo(cmbsogliauscitapress, &FRM_ZEBGestione::cmbsogliauscitapress_Click);
    combo(cmbContrIDCicli, &FRM_ZEBGestione::cmbContrIDCicli_Click);
    for (int i = 0; i < 3; ++i) {
        connect(optionHigh[static_cast<size_t>(i)], &PulsanteGrafico::Click, this, [this, i] { optionHigh_Click(i); });
        connect(optionLow[static_cast<size_t>(i)], &PulsanteGrafico::Click, this, [this, i] { optionLow_Click(i); });
    }
    connect(CMDAdvanced, &PulsanteGrafico::Click, this, &FRM_ZEBGestione::CMDAdvanced_Click);
    connect(CmdSeqInj, &PulsanteGrafico::Click, this, &FRM_ZEBGestione::CmdSeqInj_Click);
}

// ---- Frame

void FRM_ZEBGestione::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    FattoreScala = 1.0f;
    SHP_Contorno->ColoreBordo(GestioneBordo);
    CaricaLingua();
    RiempiCmbSwtch(ModMain::RigheConfigScale);
    VerificaIsteresiPendente = false;
    caricata_ = true;
    Form_Resize();
}

void FRM_ZEBGestione::Form_Unload() { caricata_ = false; }

void FRM_ZEBGestione::Form_Resize() {
    if (proporzioni_.Applica(this)) FattoreScala = proporzioni_.FattoreScala();
}

void FRM_ZEBGestione::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FRM_ZEBGestione::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FRM_ZEBGestione::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FRM_ZEBGestione::CaricaLingua() {
    const ClsLingue* d = ModMain::Dizionario;
    const int16_t lingua = d ? d->IdLingua() : int16_t(-1);
    const auto injDir = CercaMarcatore("[Start_InjDir]");
    const auto seqInj = CercaMarcatore("[FrmSeqInj]");
    const auto config = CercaMarcatore("[Frm_Config]");
    const auto param = CercaMarcatore("[Frm_Param]", lingua);
    const auto mapObd = CercaMarcatore("[Frm_MapObd]");
    if (param) PosizioneFrmParam = *param;

    lblsogliauscitapress->setText(VoceSchermo(injDir, 1));
    STR_ANTICIPATA = Voce(seqInj, 20);
    STR_NORMALE = Voce(seqInj, 21);
    lblContrIDCicli->setText(VoceSchermo(config, 65));
    LblMinOn->setText(VoceSchermo(config, 22));
    lblAnticipo->setText(VoceSchermo(config, 47));
    LblMonoFuel->setText(VoceSchermo(config, 48));
    FrmAltiRPM->setText(VoceSchermo(param, 1));
    FrmBassiRPM->setText(VoceSchermo(param, 2));
    laboptionHigh[0]->setText(VoceSchermo(param, 3));
    laboptionLow[0]->setText(VoceSchermo(param, 3));
    laboptionHigh[1]->setText(VoceSchermo(param, 4));
    laboptionLow[1]->setText(VoceSchermo(param, 4));
    laboptionHigh[2]->setText(VoceSchermo(param, 5));
    lblGiriDaA->setText(VoceSchermo(param, 6));
    lblTempoInjBen->setText(VoceSchermo(param, 7));
    lblValoreContr->setText(VoceSchermo(param, 8));
    lblGiriMinimo->setText(VoceSchermo(param, 9));
    lblGiriA->setText(VoceSchermo(param, 10));
    lblGiriDaFine->setText(VoceSchermo(param, 11));
    laboptionLow[2]->setText(VoceSchermo(param, 12));
    LblTempoMortoGas->setText(VoceSchermo(param, 13));
    LblTempoMortoBenz->setText(VoceSchermo(param, 14));
    LblNumIniettateRientro->setText(VoceSchermo(param, 15));
    lbl_maxduty_enter->setText(VoceSchermo(param, 17));
    lbl_maxduty_time->setText(VoceSchermo(param, 18));
    lbl_maxduty_isteresi->setText(VoceSchermo(param, 19));
    lbl_maxp_isteresi_rpm->setText(VoceSchermo(param, 20));
    lbl_maxp_isteresi_tinj->setText(VoceSchermo(param, 21));
    for (int i = 0; i < 4; ++i) LblMaxMinCon[static_cast<size_t>(i)]->setText(VoceSchermo(param, 22 + i));
    LAB_ADVPAR->setText(VoceSchermo(mapObd, 42));

    const std::string onOff = ModMain::TestoVoce(19) + "|" + ModMain::TestoVoce(18);
    RiempiCombo(CmbMonoFuel, onOff);
    RiempiCombo(cmb_maxduty_enter, onOff);
    RiempiCombo(cmb_maxduty_time, ListaMultipli(96, 75));
    RiempiCombo(cmb_maxduty_isteresi, ListaMultipli(96, 50));
    RiempiCombo(cmb_maxp_isteresi_tinj, ListaMultipli(96, 50));
    RiempiCombo(cmb_maxp_isteresi_rpm, ListaMultipli(50, 15));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

// ---- Lists and loading

void FRM_ZEBGestione::RiempiCmbSwtch(const std::vector<std::string>& righe) {
    auto errore = [] { ModGlobFunct::MostraErrore("RiempiCmbSwtch_Err", "Config error", false); };
    // One list line after the section line, filled as is or in thousandths.
    auto riempi = [&](size_t i, size_t k, QComboBox* c, bool millesimi) {
        const auto riga = RigaDopo(righe, i, k);
        if (!riga) return errore();
        if (millesimi) {
            if (!RiempiComboMillesimi(c, *riga)) errore();
        } else {
            RiempiCombo(c, *riga);
        }
    };
    for (size_t i = 0; i < righe.size(); ++i) {
        const std::string& r = righe[i];
        if (r == "[RPMperMaxPower]") {
            if (const auto l = RigaDopo(righe, i, 1)) {
                RiempiCombo(cmbGiriDa, *l);
                RiempiCombo(cmbGiriFine, *l);
            } else {
                errore();
            }
            if (const auto l = RigaDopo(righe, i, 2)) {
                RiempiCombo(cmbGiriDaQDL, *l);
                RiempiCombo(cmbGiriFineQDL, *l);
            } else {
                errore();
            }
        } else if (r == "[RPMperMinPowerUPTH]") {
            riempi(i, 1, cmbGiriA, false);
        } else if (r == "[RPMperMinPower]") {
            riempi(i, 1, cmbGiriMinimo, false);
        } else if (r == "[cmbTempoInjBen]") {
            riempi(i, 1, cmbTempoInjBen, true);
            riempi(i, 2, cmbTempoInjBenQDL, true);
        } else if (r == "[CmbNumIniettateRientro]") {
            riempi(i, 1, CmbNumIniettateRientro, false);
        } else if (r == "[CONTRIBUTO]") {
            riempi(i, 1, cmbValoreContr, true);
        } else if (r == "[TMORTOINJ]") {
            riempi(i, 1, CmbTempoMortoBenz, true);
            riempi(i, 1, CmbTempoMortoGas, true);
        } else if (r == "[Piedistallo Tempo Inj minimo us]") {
            riempi(i, 1, CmbMinOn, true);
        } else if (r == "[DECONTRIBUTOFACTOR]") {
            if (const auto l = RigaDopo(righe, i, 1)) ModGlobFunct::DividiLista(*l, ValoriContrIDCicli);
            else errore();
            riempi(i, 2, cmbContrIDCicli, false);
        }
    }
    cmbsogliauscitapress->clear();
    for (const auto& t : R::ListaSogliaUscita(ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0]))
        cmbsogliauscitapress->addItem(QString::fromStdString(t));
}

void FRM_ZEBGestione::CaricaOpzioni(std::array<PulsanteGrafico*, 3>& pulsanti, uint8_t bits, uint8_t nessuna,
                                    uint8_t op1, uint8_t op2) {
    const R::StatoOpzioni s = R::Opzioni(bits, nessuna, op1, op2);
    for (size_t i = 0; i < 3; ++i) {
        pulsanti[i]->Value(s.premuto[i]);
        if (s.didascalie) pulsanti[i]->Caption(s.premuto[i] ? QStringLiteral("X") : QString());
        if (s.immaginiVuote) pulsanti[i]->Picture(ImmaginePulsante{});
    }
}

void FRM_ZEBGestione::AggiornaSelezioni() {
    GuardiaCaricamento guardia(InCaricamento);
    const auto& s = ModMain::MatSoglie;
    const uint8_t b15 = s[15];

    for (QComboBox* c : {cmbGiriDaQDL, cmbGiriFineQDL, cmbTempoInjBenQDL}) c->setVisible(true);
    for (QComboBox* c : {cmbGiriDa, cmbGiriFine, cmbTempoInjBen}) c->setVisible(false);

    CaricaOpzioni(optionHigh, b15 & 0xC0, 0xC0, 0x40, 0x80);
    const R::AbilitaAlte alte = R::AbilitazioniAlte(b15);
    for (QComboBox* c : {cmbGiriDa, cmbGiriDaQDL, cmbGiriFine, cmbGiriFineQDL, cmbTempoInjBen, cmbTempoInjBenQDL})
        c->setEnabled(alte.combo);
    cmbValoreContr->setEnabled(alte.contributo);
    if (alte.tempoMortoBenz) CmbTempoMortoBenz->setEnabled(*alte.tempoMortoBenz);

    // A value that is missing leaves its combo without a selection.
    auto perMillesimi = [](QComboBox* c, std::optional<int32_t> valore, auto regola) {
        SelezionaVoce(c, [&](int, const QString& t) {
            const auto m = MillesimiVoce(t);
            return valore && m && regola(*m, *valore);
        });
    };
    auto perNumero = [](QComboBox* c, std::optional<int32_t> valore, auto regola) {
        SelezionaNumero(c, [&](double v) { return valore && regola(v, *valore); });
    };
    auto bit = [](QComboBox* c, std::optional<int32_t> valore, int32_t maschera) {
        c->setCurrentIndex(!valore ? -1 : (*valore & maschera) != 0 ? (c->count() > 1 ? 1 : -1) : (c->count() > 0 ? 0 : -1));
    };

    perMillesimi(CmbTempoMortoGas, GestioneValore(15, 0), R::TempoMortoGas);
    bit(CmbMonoFuel, GestioneValore(2, 2), 0x80);
    perMillesimi(CmbMinOn, GestioneValore(3, 36), R::MinOn);
    perNumero(cmbGiriDa, s[8], R::GiriDa);
    perNumero(cmbGiriFine, s[0], R::GiriFine);
    perNumero(cmbGiriDaQDL, s[8], R::GiriDa);
    perNumero(cmbGiriFineQDL, s[0], R::GiriFine);
    perMillesimi(cmbTempoInjBen, s[9], R::TempoInjBen);
    perMillesimi(cmbTempoInjBenQDL, s[9], R::TempoInjBen);
    perMillesimi(cmbValoreContr, s[10], R::Passi32);
    perMillesimi(CmbTempoMortoBenz, s[1], R::Passi32);

    CaricaOpzioni(optionLow, b15 & 0x30, 0x30, 0x10, 0x20);
    const R::AbilitaBasse basse = R::AbilitazioniBasse(b15);
    cmbGiriMinimo->setEnabled(basse.giri);
    cmbGiriA->setEnabled(basse.giri);
    CmbNumIniettateRientro->setEnabled(basse.rientro);
    cmbsogliauscitapress->setEnabled(basse.rientro);

    perNumero(cmbGiriMinimo, s[6], R::GiriMinimo);
    perNumero(cmbGiriA, s[7], R::GiriA);
    perNumero(CmbNumIniettateRientro, GestioneValore(15, 77), R::Intero);
    {
        const auto v = GestioneValore(16, 12);
        SelezionaVoce(cmbsogliauscitapress, [&](int i, const QString&) { return v && i == R::IndiceSogliaUscita(*v); });
    }

    // The sequence text.
    {
        const auto p = std::optional<int16_t>(static_cast<int16_t>(FrmSeqInj::SeqOffsetLingua));
        const std::string stato = Voce(p, ModBlck::OffsetStatoSequenza());
        const bool normale = ModBlck::AssegnazioneNormale();
        LblStatoAnticipoVal->setText(
            ModMain::TestoLingua(stato + " (" + (normale ? STR_NORMALE : STR_ANTICIPATA) + ")"));
    }

    bit(cmb_maxduty_enter, GestioneValore(15, 5), 0x01);
    perNumero(cmb_maxduty_time, GestioneValore(15, 1), R::Intero);
    perNumero(cmb_maxduty_isteresi, GestioneValore(15, 2), R::Intero);
    perNumero(cmb_maxp_isteresi_rpm, GestioneValore(15, 75), R::Intero);
    perNumero(cmb_maxp_isteresi_tinj, GestioneValore(15, 76), R::Intero);
    {
        const auto v = GestioneValore(16, 7);
        SelezionaVoce(cmbContrIDCicli, [&](int i, const QString&) {
            return v && static_cast<size_t>(i) < ValoriContrIDCicli.size() && ValoriContrIDCicli[static_cast<size_t>(i)] == *v;
        });
    }
    lblAnticipo->setFocus();
}

// ---- Edits

bool FRM_ZEBGestione::GuardieComuni() const { return !InCaricamento && SlotLibero(); }

void FRM_ZEBGestione::ModificaSoglia(int byte, std::optional<uint8_t> valore, bool armaVerifica) {
    // A value that does not fit its byte is refused: never wrapped.
    if (!valore) return Bip();
    CopiaSoglie()[static_cast<size_t>(byte)] = *valore;
    Posta(REQ_WRITE_OPTIONS);
    if (armaVerifica) VerificaIsteresiPendente = true;
}

void FRM_ZEBGestione::ModificaBlocco(int blocco, int32_t valore, int32_t indice, int32_t maschera, int32_t richiesta) {
    ListaModifiche* lista = blocco == 2    ? &ModBlck::ModificheBlocco2
                            : blocco == 3  ? &ModBlck::ModificheBlocco3
                            : blocco == 15 ? &ModBlck::ModificheBlocco15
                                           : &ModBlck::ModificheBlocco16;
    ModificaSingola(*lista, valore, indice, maschera);
    Posta(richiesta);
}

void FRM_ZEBGestione::cmbGiriFineQDL_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(cmbGiriFineQDL);
    const auto v = t ? NumeroVoce(*t) : std::nullopt;
    ModificaSoglia(0, v ? R::ByteCentinaia(*v) : std::nullopt, true);
}

void FRM_ZEBGestione::cmbGiriDaQDL_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(cmbGiriDaQDL);
    const auto v = t ? NumeroVoce(*t) : std::nullopt;
    ModificaSoglia(8, v ? R::ByteCentinaia(*v) : std::nullopt, true);
}

void FRM_ZEBGestione::cmbGiriMinimo_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(cmbGiriMinimo);
    const auto v = t ? NumeroVoce(*t) : std::nullopt;
    const auto b = v ? R::ByteGiriMinimo(*v) : std::nullopt;
    if (!b) return Bip();
    auto& copia = CopiaSoglie();
    copia[6] = b->first;
    copia[7] = b->second;
    Posta(REQ_WRITE_OPTIONS);
}

void FRM_ZEBGestione::cmbGiriA_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(cmbGiriA);
    const auto v = t ? NumeroVoce(*t) : std::nullopt;
    const auto e = v ? R::ByteGiriA(*v, ModMain::MatSoglie[6]) : std::nullopt;
    if (!e) return Bip();
    if (e->corretto) Bip();
    CopiaSoglie()[7] = e->byte7;
    Posta(REQ_WRITE_OPTIONS);
}

void FRM_ZEBGestione::cmbTempoInjBenQDL_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(cmbTempoInjBenQDL);
    const auto m = t ? MillesimiVoce(*t) : std::nullopt;
    ModificaSoglia(9, m ? R::ByteMillesimi(*m, 256) : std::nullopt, true);
}

void FRM_ZEBGestione::CmbTempoMortoBenz_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(CmbTempoMortoBenz);
    const auto m = t ? MillesimiVoce(*t) : std::nullopt;
    ModificaSoglia(1, m ? R::ByteMillesimi(*m, 32) : std::nullopt, false);
}

void FRM_ZEBGestione::cmbValoreContr_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(cmbValoreContr);
    const auto m = t ? MillesimiVoce(*t) : std::nullopt;
    ModificaSoglia(10, m ? R::ByteMillesimi(*m, 32) : std::nullopt, false);
}

void FRM_ZEBGestione::optionHigh_Click(int Index) {
    if (!GuardieComuni() || Index < 0 || Index > 2) return;
    CopiaSoglie()[15] = R::ByteOpzione(ModMain::MatSoglie[15], 0xC0, Index);
    Posta(REQ_WRITE_OPTIONS);
    for (int i = 0; i < 3; ++i) optionHigh[static_cast<size_t>(i)]->Caption(i == Index ? QStringLiteral("X") : QString());
    VerificaIsteresiPendente = true;
}

void FRM_ZEBGestione::optionLow_Click(int Index) {
    if (!GuardieComuni() || Index < 0 || Index > 2) return;
    CopiaSoglie()[15] = R::ByteOpzione(ModMain::MatSoglie[15], 0x30, Index);
    Posta(REQ_WRITE_OPTIONS);
    for (int i = 0; i < 3; ++i) optionLow[static_cast<size_t>(i)]->Caption(i == Index ? QStringLiteral("X") : QString());
}

void FRM_ZEBGestione::CmbMonoFuel_Click() {
    if (!GuardieComuni() || CmbMonoFuel->currentIndex() < 0) return;
    ModificaBlocco(2, CmbMonoFuel->currentIndex() == 0 ? 0 : 1, 2, 0x80, REQ_WRITE_BLK2);
}

void FRM_ZEBGestione::CmbMinOn_Click() {
    if (!GuardieComuni()) return;
    const auto t = GestioneScelta(CmbMinOn);
    const auto m = t ? MillesimiVoce(*t) : std::nullopt;
    if (!m) return;
    ModificaBlocco(3, R::MinOnMicrosecondi(*m), 36, 0, REQ_WRITE_BLK3);
}

void FRM_ZEBGestione::CmbTempoMortoGas_Click() {
    if (InCaricamento) return;
    const std::string domanda = ModMain::TestoVoce(static_cast<int16_t>(PosizioneFrmParam + 26)) + "\r\n\r\n" +
                                ModMain::TestoVoce(static_cast<int16_t>(PosizioneFrmParam + 27));
    const auto risposta = Piattaforma::MostraMessaggio(ModMain::TestoLingua(domanda),
                                                       QString::fromLatin1(Applicazione::TitoloApplicazione),
                                                       Piattaforma::IconaMessaggio::Domanda,
                                                       Piattaforma::PulsantiMessaggio::SiNo);
    if (risposta != Piattaforma::RispostaMessaggio::Si) {
        AggiornaSelezioni();
        return;
    }
    if (!SlotLibero()) return;
    const auto t = GestioneScelta(CmbTempoMortoGas);
    const auto m = t ? MillesimiVoce(*t) : std::nullopt;
    if (!m) return;
    ModificaBlocco(15, static_cast<int32_t>(*m), 0, 0, REQ_WRITE_BLK15);
}

namespace {
std::optional<int32_t> GestioneIntero(const QComboBox* c) {
    const auto t = GestioneScelta(c);
    const auto v = t ? NumeroVoce(*t) : std::nullopt;
    if (!v || !(std::fabs(*v) < 2.0e9)) return std::nullopt;
    return static_cast<int32_t>(Conv::Fix(*v));
}
} // namespace

void FRM_ZEBGestione::cmb_maxduty_time_Click() {
    if (!GuardieComuni()) return;
    if (const auto v = GestioneIntero(cmb_maxduty_time)) ModificaBlocco(15, *v, 1, 0, REQ_WRITE_BLK15);
}

void FRM_ZEBGestione::cmb_maxduty_isteresi_Click() {
    if (!GuardieComuni()) return;
    if (const auto v = GestioneIntero(cmb_maxduty_isteresi)) ModificaBlocco(15, *v, 2, 0, REQ_WRITE_BLK15);
}

void FRM_ZEBGestione::cmb_maxduty_enter_Click() {
    if (!GuardieComuni() || cmb_maxduty_enter->currentIndex() < 0) return;
    ModificaBlocco(15, cmb_maxduty_enter->currentIndex() == 0 ? 0 : 1, 5, 0x01, REQ_WRITE_BLK15);
}

void FRM_ZEBGestione::cmb_maxp_isteresi_rpm_Click() {
    if (!GuardieComuni()) return;
    if (const auto v = GestioneIntero(cmb_maxp_isteresi_rpm)) ModificaBlocco(15, *v, 75, 0, REQ_WRITE_BLK15);
}

void FRM_ZEBGestione::cmb_maxp_isteresi_tinj_Click() {
    if (!GuardieComuni()) return;
    if (const auto v = GestioneIntero(cmb_maxp_isteresi_tinj)) {
        ModificaBlocco(15, *v, 76, 0, REQ_WRITE_BLK15);
        VerificaIsteresiPendente = true;
    }
}

void FRM_ZEBGestione::CmbNumIniettateRientro_Click() {
    if (!GuardieComuni()) return;
    if (const auto v = GestioneIntero(CmbNumIniettateRientro)) ModificaBlocco(15, *v, 77, 0, REQ_WRITE_BLK15);
}

void FRM_ZEBGestione::cmbsogliauscitapress_Click() {
    if (!GuardieComuni() || cmbsogliauscitapress->currentIndex() < 0) return;
    ModificaBlocco(16, cmbsogliauscitapress->currentIndex() * 20, 12, 0, REQ_WRITE_BLK16);
}

void FRM_ZEBGestione::cmbContrIDCicli_Click() {
    if (!GuardieComuni()) return;
    const int i = cmbContrIDCicli->currentIndex();
    if (i < 0 || static_cast<size_t>(i) >= ValoriContrIDCicli.size()) return;
    ModificaBlocco(16, ValoriContrIDCicli[static_cast<size_t>(i)], 7, 0, REQ_WRITE_BLK16);
}

void FRM_ZEBGestione::CMDAdvanced_Click() {
    const bool visibile = FRM_ADV->isHidden();
    FRM_ADV->setVisible(visibile);
    CMDAdvanced->Caption(visibile ? QStringLiteral(">>>") : QStringLiteral("<<<"));
}

void FRM_ZEBGestione::CmdSeqInj_Click() { MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_SEQINJ); }

// ---- Live state

void FRM_ZEBGestione::AggiornaStatoEcu_FrmParam() {
    const auto lampade = R::Lampade(ModMain::MatSoglie[15], GestioneValore(1, 37), GestioneValore(1, 44),
                                    GestioneValore(15, 5));
    for (size_t i = 0; i < 4; ++i) {
        if (!lampade[i]) continue;
        FormaPagina* forma = ImgMaxMinCon[i];
        QLabel* etichetta = LblMaxMinCon[i];
        if (lampade[i]->mostra) {
            if (forma->isHidden()) forma->setVisible(true);
            if (etichetta->isHidden()) etichetta->setVisible(true);
            forma->ColoreRiempimento(lampade[i]->accesa ? ColoreAcceso : ColoreSpento);
        } else {
            if (!forma->isHidden()) forma->setVisible(false);
            if (!etichetta->isHidden()) etichetta->setVisible(false);
        }
    }
    if (VerificaIsteresiPendente && SlotLibero()) LimitaIsteresiPotenzaTinj();
}

void FRM_ZEBGestione::LimitaIsteresiPotenzaTinj() {
    VerificaIsteresiPendente = false;
    const auto isteresi = GestioneValore(15, 76);
    if (!isteresi) return;
    std::vector<int32_t> voci;
    for (int i = 0; i < cmb_maxp_isteresi_tinj->count(); ++i) {
        const auto v = NumeroVoce(cmb_maxp_isteresi_tinj->itemText(i));
        voci.push_back(v ? static_cast<int32_t>(Conv::Fix(*v)) : 0);
    }
    const auto nuovo = R::IsteresiLimitata(ModMain::MatSoglie[9], *isteresi, voci);
    if (!nuovo || !SlotLibero()) return;
    Bip();
    ModificaBlocco(15, *nuovo, 76, 0, REQ_WRITE_BLK15);
}
