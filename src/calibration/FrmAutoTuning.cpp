#include "calibration/FrmAutoTuning.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPalette>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include "controls/ModZebBarre.h"
#include "controls/PowerIndicatore.h"
#include "controls/PulsanteGrafico.h"
#include "controls/SlideIndicatore.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModBlckConfigScale.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/MDIFrmCollegamento.h"
#include "engine/ModBlckSequenza.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"
#include "platform/Dialoghi.h"

using namespace ModZebPagina;

namespace FrmAutoTuningLocale {

// Design size of the page, twips.
constexpr double LarghezzaProgetto = 12000;
constexpr double AltezzaProgetto = 7200;

// The lamp: a round shape, solid or only outlined.
class Lampada final : public QWidget {
public:
    explicit Lampada(QWidget* padre) : QWidget(padre) {
        setObjectName(QStringLiteral("ShpLampa"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    bool piena = true;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.setRenderHint(QPainter::Antialiasing);
        const QColor giallo(0xFF, 0xD0, 0x00);
        g.setPen(QPen(giallo, 2));
        g.setBrush(piena ? QBrush(giallo) : Qt::NoBrush);
        const int lato = std::min(width(), height()) - 4;
        g.drawEllipse(QRect((width() - lato) / 2, (height() - lato) / 2, lato, lato));
    }
};

PulsanteGrafico* TaraturaPulsante(QWidget* padre, const char* nome) {
    ModZebPagina::AspettoPulsante a;
    a.forma = 3;
    a.punti = 9;
    a.senzaGradiente = true;
    a.senzaFocus = true;
    return ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome), a);
}

QProgressBar* NuovaBarra(QWidget* padre, const char* nome, int massimo) {
    auto* b = new QProgressBar(padre);
    b->setObjectName(QString::fromLatin1(nome));
    b->setRange(0, massimo);
    b->setValue(0);
    b->setTextVisible(false);
    return b;
}

QWidget* NuovaCornice(QWidget* padre, const char* nome) {
    auto* f = new QWidget(padre);
    f->setObjectName(QString::fromLatin1(nome));
    f->setAttribute(Qt::WA_StyledBackground);
    f->setStyleSheet(QStringLiteral("#%1 { border: 2px solid #000040; }").arg(QString::fromLatin1(nome)));
    return f;
}

QString Schermo(const std::string& t) { return ModMain::TestoLingua(t); }

} // namespace FrmAutoTuningLocale

using namespace FrmAutoTuningLocale;

FrmAutoTuning::FrmAutoTuning(QWidget* contenitore)
    : QWidget(contenitore), proporzioni_(LarghezzaProgetto, AltezzaProgetto) {
    setObjectName(QStringLiteral("FrmAutoTuning"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    // Left: step, progress, prompt and lamp, slide, status frame. Right: the gauges.
    LblCalStep_ = NuovaEtichetta(this, QStringLiteral("LblCalStep"), 0xFFFFFF, 11, true);
    Colloca(LblCalStep_, 240, 120, 6600, 420);
    PRG_Avanzamento_ = NuovaBarra(this, "PRG_Avanzamento", 6);
    Colloca(PRG_Avanzamento_, 240, 600, 6600, 300);
    // The prompt's longest texts take more lines than its box holds at the
    // design font: they are drawn smaller rather than cut.
    LblCalMsg_ = NuovaEtichetta(this, QStringLiteral("LblCalMsg"), 0x00FFFF, 11, true, Qt::AlignLeft | Qt::AlignTop, true);
    LblCalMsg_->setWordWrap(true);
    Colloca(LblCalMsg_, 240, 1050, 6000, 1800);
    auto* lampada = new Lampada(this);
    ShpLampa = lampada;
    Colloca(ShpLampa, 6360, 1140, 480, 480);
    ShpLampa->setVisible(false);
    SLD_Ugelli_ = new SlideIndicatore(this);
    SLD_Ugelli_->setObjectName(QStringLiteral("SLD_Ugelli"));
    Colloca(SLD_Ugelli_, 240, 2950, 6600, 1230);

    FrmCalStatus = NuovaCornice(this, "FrmCalStatus");
    Colloca(FrmCalStatus, 240, 4320, 6600, 2760);
    LAB_STATUS = NuovaEtichetta(FrmCalStatus, QStringLiteral("LAB_STATUS"), 0xFFFFFF, 9, true);
    Colloca(LAB_STATUS, 120, 60, 6360, 300);
    FrmStatoTara_ = NuovaCornice(FrmCalStatus, "FrmStatoTara");
    Colloca(FrmStatoTara_, 120, 400, 6360, 900);
    LblTaraTbenz = NuovaEtichetta(FrmStatoTara_, QStringLiteral("LblTaraTbenz"), 0xFFFFFF, 9);
    Colloca(LblTaraTbenz, 90, 60, 2400, 360);
    ShpTaraTbenz = NuovaBarra(FrmStatoTara_, "ShpTaraTbenz", 100);
    Colloca(ShpTaraTbenz, 2580, 90, 3660, 300);
    LblTaraTGas = NuovaEtichetta(FrmStatoTara_, QStringLiteral("LblTaraTGas"), 0xFFFFFF, 9);
    Colloca(LblTaraTGas, 90, 480, 2400, 360);
    ShpTaraTgas = NuovaBarra(FrmStatoTara_, "ShpTaraTgas", 100);
    Colloca(ShpTaraTgas, 2580, 510, 3660, 300);
    FrmStatoTara_->setVisible(false);
    LBL_Iniettore = NuovaEtichetta(FrmCalStatus, QStringLiteral("LBL_Iniettore"), 0xFFFFFF, 9);
    Colloca(LBL_Iniettore, 120, 1440, 2400, 360);
    CmbTipoInj = new QComboBox(FrmCalStatus);
    CmbTipoInj->setObjectName(QStringLiteral("CmbTipoInj"));
    Colloca(CmbTipoInj, 2580, 1410, 3900, 360);
    ImpostaFont(CmbTipoInj, 9);
    CmbTipoInj->setEnabled(false);
    CmdCalStart = TaraturaPulsante(FrmCalStatus, "CmdCalStart");
    CmdCalOk = TaraturaPulsante(FrmCalStatus, "CmdCalOk");
    CmdCalCancel = TaraturaPulsante(FrmCalStatus, "CmdCalCancel");
    int32_t x = 120;
    for (auto* b : {CmdCalStart, CmdCalOk, CmdCalCancel}) {
        Colloca(b, x, 2010, 2000, 600);
        x += 2180;
    }
    connect(CmdCalStart, &PulsanteGrafico::Click, this, &FrmAutoTuning::CmdCalStart_Click);
    connect(CmdCalOk, &PulsanteGrafico::Click, this, &FrmAutoTuning::CmdCalOk_Click);
    connect(CmdCalCancel, &PulsanteGrafico::Click, this, &FrmAutoTuning::CmdCalCancel_Click);

    PI_RPM = new PowerIndicatore(this);
    PI_RPM->setObjectName(QStringLiteral("PI_RPM"));
    PI_TRID = new PowerIndicatore(this);
    PI_TRID->setObjectName(QStringLiteral("PI_TRID"));
    PI_Press = new PowerIndicatore(this);
    PI_Press->setObjectName(QStringLiteral("PI_Press"));
    int32_t y = 120;
    for (auto* g : {PI_RPM, PI_TRID, PI_Press}) {
        Colloca(g, 7140, y, 4620, 1630);
        y += 1800;
    }
}

FrmAutoTuning::~FrmAutoTuning() {
    if (&ModTaratura::Vista() == this) ModTaratura::RegistraVista(nullptr);
}

void FrmAutoTuning::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    CaricaLingua();
    CmbTipoInj->clear();
    for (const auto& t : ModBlck::TipiIniettori) CmbTipoInj->addItem(Schermo(t.Nome));

    SLD_Ugelli_->SL_ShpRound(false);
    SLD_Ugelli_->SL_BACK_Color(0x400000);
    SLD_Ugelli_->SL_BARRA_Color(0x800000);
    SLD_Ugelli_->SL_BORDER_Color(0x400000);
    SLD_Ugelli_->SL_OTHERFont_Bold(false);
    SLD_Ugelli_->SL_OTHERFont_Colore(0xFFFFFF);
    SLD_Ugelli_->SL_OTHERFont_Nome(QStringLiteral("Tahoma"));
    SLD_Ugelli_->SL_TITLEFont_Bold(true);
    SLD_Ugelli_->SL_TITLEFont_Colore(0xFFFFFF);
    SLD_Ugelli_->SL_TITLEFont_Nome(QStringLiteral("Tahoma"));
    SLD_Ugelli_->SL_STRVal("---");
    SLD_Ugelli_->SL_LambTy(false);
    SLD_Ugelli_->SL_ShpBkVis(true);
    SLD_Ugelli_->SL_ValMax(2500);
    SLD_Ugelli_->SL_ValMin(-2500);
    SLD_Ugelli_->SL_ValOre(0);

    struct Quadrante {
        PowerIndicatore* g;
        const char* titolo;
        const char* valore;
        int32_t massimo, ore;
    };
    for (const Quadrante& q : {Quadrante{PI_RPM, "RPM", "3500", 6000, 3500}, Quadrante{PI_TRID, "TEMP.Acqua ", "", 120, 0},
                               Quadrante{PI_Press, "Gas Press.", "0", 4200, 0}}) {
        q.g->SL_BORDER_Color(0x400000);
        q.g->SL_BACK_Color(0x800000);
        q.g->SL_COLORE_1_H(0x00FF00);
        q.g->SL_COLORE_2_H(0x00FFFF);
        q.g->SL_COLORE_3_H(0x0000FF);
        q.g->SL_COLORE_1_L(0x007700);
        q.g->SL_COLORE_2_L(0x007777);
        q.g->SL_COLORE_3_L(0x000077);
        q.g->SL_COLORE_1_X(10);
        q.g->SL_COLORE_2_X(15);
        q.g->SL_STRTit(q.titolo);
        q.g->SL_STRVal(q.valore);
        q.g->SL_ValMin(0);
        q.g->SL_ValMax(q.massimo);
        q.g->SL_ValOre(static_cast<float>(q.ore));
        q.g->SL_OTHERFont_Bold(false);
        q.g->SL_OTHERFont_Colore(0xFFFFFF);
        q.g->SL_OTHERFont_Nome(QStringLiteral("WW Digital"));
        q.g->SL_TITLEFont_Bold(true);
        q.g->SL_TITLEFont_Colore(0xFFFFFF);
        q.g->SL_TITLEFont_Nome(QStringLiteral("Tahoma"));
    }
    ModZeb::ImpostaColoreBarra(PRG_Avanzamento_, 0xC0C0C0);
    ModZeb::ImpostaColoreBarra(ShpTaraTbenz, 0x0000C0);
    ModZeb::ImpostaColoreBarra(ShpTaraTgas, 0xC0C000);
    for (auto* b : {PRG_Avanzamento_, ShpTaraTbenz, ShpTaraTgas}) ModZeb::ImpostaColoreSfondoBarra(b, 0x606060);
    ModTaratura::RegistraVista(this);
    caricata_ = true;
    Form_Resize();
}

void FrmAutoTuning::Form_Unload() {
    caricata_ = false;
    if (&ModTaratura::Vista() == this) ModTaratura::RegistraVista(nullptr);
}

void FrmAutoTuning::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FrmAutoTuning::Form_Resize() { proporzioni_.Applica(this); }

void FrmAutoTuning::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FrmAutoTuning::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmAutoTuning::CaricaLingua() {
    if (const auto m = CercaMarcatore("[Frm_AutoTuning]")) OffsetLinguaTune_ = *m;
    const std::optional<int16_t> b = OffsetLinguaTune_;
    CmdCalCancel->Caption(VoceSchermo(b, 38));
    CmdCalOk->Caption(VoceSchermo(b, 39));
    CmdCalStart->Caption(VoceSchermo(b, 40));
    LAB_STATUS->setText(VoceSchermo(b, 41));
    TestoTBenz = Voce(b, 42);
    LblTaraTbenz->setText(Schermo(TestoTBenz));
    TestoTGas = Voce(b, 43);
    LblTaraTGas->setText(Schermo(TestoTGas));
    SLD_Ugelli_->SL_STRTit(Voce(b, 44));
    // A run in progress keeps its own message.
    if (ModMain::StatoConnessione != STATO_TARATURA) LblCalMsg(Voce(b, 4) + " <" + CmdCalStartCaption() + ">");
    SLD_Ugelli_->SL_STRLef(Voce(b, 49));
    SLD_Ugelli_->SL_STRRig(Voce(b, 50));
    LBL_Iniettore->setText(VoceSchermo(CercaMarcatore("[Frm_Config]"), 19));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmAutoTuning::PresettaLaFinestra() {
    // Selecting the page again during a run leaves the runner's buttons and
    // messages alone: a reset would lose the acknowledgement of a failure and
    // let Start arm a second run.
    if (ModMain::StatoConnessione == STATO_TARATURA) return;
    const auto& tipi = ModBlck::TipiIniettori;
    const auto& b3 = TabellaBlocchi.size() > 3 ? TabellaBlocchi[3].Valori : std::vector<int32_t>{};
    const int32_t tipoEcu = b3.size() > 4 ? b3[4] : -1;
    for (size_t i = 0; i < tipi.size(); ++i) {
        if (tipi[i].Nome.empty() || tipi[i].Id != tipoEcu) continue;
        if (static_cast<int>(i) < CmbTipoInj->count()) CmbTipoInj->setCurrentIndex(static_cast<int>(i));
        break;
    }
    CmbTipoInj->setEnabled(false);
    ShpTaraTbenz->setValue(0);
    ShpTaraTgas->setValue(0);
    SLD_Ugelli_->SL_ValOre(0);
    LblCalMsg(ModMain::TestoVoce(static_cast<int16_t>(OffsetLinguaTune_ + 4)) + " <" + CmdCalStartCaption() + ">");
    CmdCalCancel->setEnabled(false);
    CmdCalOk->setEnabled(false);
    CmdCalStart->setEnabled(true);
    LblCalStep(ModMain::TestoVoce(44));
    PRG_Avanzamento_->setValue(0);
    SLD_Ugelli_->setVisible(false);
}

void FrmAutoTuning::VisualizzaDatiTune() {
    const auto& b1 = TabellaBlocchi.size() > 1 ? TabellaBlocchi[1].Valori : std::vector<int32_t>{};
    if (b1.size() <= 42) return;
    PI_RPM->SL_ValOre(static_cast<float>(b1[32]));
    PI_RPM->SL_STRVal(ModTaratura::TestoGiriTune(b1[32]));
    PI_TRID->SL_ValOre(static_cast<float>(b1[42]));
    PI_TRID->SL_STRVal(ModTaratura::TestoTemperaturaTune(b1[42]));
    PI_Press->SL_ValOre(static_cast<float>(b1[33]));
    PI_Press->SL_STRVal(ModTaratura::TestoPressioneTune(b1[33], ModGlobFunct::SeparatoreDecimale));
}

void FrmAutoTuning::CmdCalStart_Click() {
    // Only a connected, idle link can be handed to a calibration.
    if (ModMain::StatoConnessione != STATO_CONNESSO) return;
    if (MDIFrm::Interfaccia().FrmSeqInj_SonoAnticipato()) {
        Piattaforma::MostraMessaggio(Schermo(ModMain::TestoVoce(static_cast<int16_t>(OffsetLinguaTune_ + 47))),
                                     Schermo(MDIFrm::TitoloConnesso()), Piattaforma::IconaMessaggio::Critica,
                                     Piattaforma::PulsantiMessaggio::Ok);
        return;
    }
    const auto& b2 = TabellaBlocchi.size() > 2 ? TabellaBlocchi[2].Valori : std::vector<int32_t>{};
    if (b2.size() > 1 && b2[0] == 3 && b2[1] == 0) {
        ModZebPagina::ModificaSingola(ModBlck::ModificheBlocco15, 16, 5, 16);
        ModMain::RichiediOperazione(REQ_WRITE_BLK15, true);
        ModGlobFunct::AttendiMicrosecondi(500'000);
    }
    ModMain::AvvioTaratura = 1;
    ModTaratura::StopTaratura = 0;
    ModTaratura::PassoTaratura = 0;
    ModTaratura::TBenzMin = 0;
    ModTaratura::Parametri.RpmMinimi = 200;
    ModTaratura::Parametri.TempTaratura = 50;
    CmdCalStart->setEnabled(false);
    CmdCalCancel->setEnabled(true);
    SLD_Ugelli_->SL_ValOre(0);
    SLD_Ugelli_->SL_STRVal("---");
    auto& ui = MDIFrm::Interfaccia();
    ui.FRM_ZEBMenuTop_Abilita(false);
    ui.FRM_ZEBMenuTop2_Abilita(false);
    ui.FRM_ZEBMenuTop3_Abilita(false);
    ui.FrmCommutatore_Abilita(false);
    LampeggioInTaratura(true);
    SLD_Ugelli_->setVisible(true);
}

void FrmAutoTuning::CmdCalCancel_Click() { ModTaratura::StopTaratura = -1; }
void FrmAutoTuning::CmdCalOk_Click() { ModTaratura::OkTaratura = -1; }

void FrmAutoTuning::LblCalStep(const std::string& testo) { LblCalStep_->setText(Schermo(testo)); }
void FrmAutoTuning::LblCalMsg(const std::string& testo) { LblCalMsg_->setText(Schermo(testo)); }
bool FrmAutoTuning::LblCalMsgVisibile() { return !LblCalMsg_->isHidden(); }
void FrmAutoTuning::LblCalMsgVisibile(bool visibile) { LblCalMsg_->setVisible(visibile); }
void FrmAutoTuning::PRG_Avanzamento(float valore) { PRG_Avanzamento_->setValue(static_cast<int>(valore)); }
float FrmAutoTuning::PRG_AvanzamentoMin() { return static_cast<float>(PRG_Avanzamento_->minimum()); }
void FrmAutoTuning::FrmStatoTara(bool visibile) { FrmStatoTara_->setVisible(visibile); }

void FrmAutoTuning::SLD_Ugelli(float valore, const std::string& testo) {
    SLD_Ugelli_->SL_STRVal(testo);
    if (SLD_Ugelli_->SL_ValOre() != valore) SLD_Ugelli_->SL_ValOre(valore);
}

float FrmAutoTuning::SLD_UgelliValore() { return SLD_Ugelli_->SL_ValOre(); }
void FrmAutoTuning::SLD_UgelliVisibile(bool visibile) { SLD_Ugelli_->setVisible(visibile); }
void FrmAutoTuning::CmbTipoInjAbilitato(bool abilitato) { CmbTipoInj->setEnabled(abilitato); }
int32_t FrmAutoTuning::CmbTipoInjIndice() { return CmbTipoInj->currentIndex(); }
void FrmAutoTuning::CmdCalStartAbilitato(bool abilitato) { CmdCalStart->setEnabled(abilitato); }
void FrmAutoTuning::CmdCalOkAbilitato(bool abilitato) { CmdCalOk->setEnabled(abilitato); }
void FrmAutoTuning::CmdCalCancelAbilitato(bool abilitato) { CmdCalCancel->setEnabled(abilitato); }
std::string FrmAutoTuning::CmdCalStartCaption() { return Voce(OffsetLinguaTune_, 40); }
std::string FrmAutoTuning::CmdCalOkCaption() { return Voce(OffsetLinguaTune_, 39); }

void FrmAutoTuning::LampeggioInTaratura(bool spento) {
    auto* l = static_cast<Lampada*>(ShpLampa);
    l->setVisible(!spento);
    if (spento) return;
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (adesso > ProssimoLampeggio) {
        l->piena = !l->piena;
        l->update();
        ProssimoLampeggio = adesso + 250'000;
    }
}

void FrmAutoTuning::VisualizzaTempiCampionamentoBenzina(int32_t us, bool attivo) {
    const int32_t v = std::clamp(ModTaratura::ValoreBarraTempo(us), ShpTaraTbenz->minimum(), ShpTaraTbenz->maximum());
    ShpTaraTbenz->setValue(v);
    LblTaraTbenz->setText(Schermo(TestoTBenz + " " + ModTaratura::TestoMillisecondi(us, ModGlobFunct::SeparatoreDecimale)));
    ModZeb::ImpostaColoreBarra(ShpTaraTbenz, attivo ? 0x0000FF : 0x0000C0);
}

void FrmAutoTuning::VisualizzaTempiCampionamentoGas(int32_t us, bool) {
    const int32_t v = ModTaratura::ValoreBarraTempo(us);
    // A value outside the bar's range is refused: the bar keeps its value.
    if (v >= ShpTaraTgas->minimum() && v <= ShpTaraTgas->maximum()) ShpTaraTgas->setValue(v);
    LblTaraTGas->setText(Schermo(TestoTGas + " " + ModTaratura::TestoMillisecondi(us, ModGlobFunct::SeparatoreDecimale)));
    ModZeb::ImpostaColoreBarra(ShpTaraTgas, 0xFFFF00);
}
