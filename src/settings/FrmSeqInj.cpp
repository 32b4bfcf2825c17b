#include "settings/FrmSeqInj.h"

#include <cmath>

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QPalette>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModBlckSequenza.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckModifiche.h"
#include "link/ModMainStatoLinea.h"
#include "link/ModMappeDati.h"
#include "platform/Dialoghi.h"
#include "settings/FRM_ZEBGestione.h"
#include "settings/SeqInjRegole.h"

using namespace ModZebPagina;

namespace {

constexpr double SeqBarra = 300;       // caption bar, twips
constexpr double SeqAltezza = 4455 + SeqBarra + 90;
constexpr double SeqPunti = 8.25;
constexpr int32_t SeqTesto = 0xFFFFFF;
// The popup's own background and border, so that it stands apart from the
// black page behind it.
constexpr int32_t SeqSfondo = 0x281818;
constexpr int32_t SeqBordo = 0xC0A0A0;

void SeqPosto(QWidget* w, double x, double y, double l, double a) { Colloca(w, x, y + SeqBarra, l, a); }

void SeqMessaggio(const QString& testo) {
    Piattaforma::MostraMessaggio(testo, QString::fromLatin1(Applicazione::TitoloApplicazione));
}

PulsanteGrafico* SeqPulsante(QWidget* padre, const char* nome) {
    return NuovoPulsante(padre, QString::fromLatin1(nome), {.punti = SeqPunti});
}

} // namespace

FrmSeqInj::FrmSeqInj(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmSeqInj"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Colore(SeqSfondo));
    p.setColor(QPalette::WindowText, Colore(SeqTesto));
    setPalette(p);

    LblTitolo = NuovaEtichetta(this, QStringLiteral("LblTitolo"), 0xFFFFFF, SeqPunti, true);
    LblTitolo->setAutoFillBackground(true);
    {
        QPalette t = LblTitolo->palette();
        t.setColor(QPalette::Window, QColor(0, 0, 128));
        LblTitolo->setPalette(t);
    }
    LblTitolo->setWordWrap(false);
    LblTitolo->setIndent(4);
    CmdChiudi = SeqPulsante(this, "CmdChiudi");
    CmdChiudi->Caption(QStringLiteral("X"));

    chkanticipato = new QCheckBox(this);
    chkanticipato->setObjectName(QStringLiteral("chkanticipato"));
    chkanticipato->setPalette(p);
    ImpostaFont(chkanticipato, SeqPunti);
    SeqPosto(chkanticipato, 240, 120, 3555, 615);
    LAB_PhaseShifter = NuovaEtichetta(this, QStringLiteral("LAB_PhaseShifter"), SeqTesto, SeqPunti);
    SeqPosto(LAB_PhaseShifter, 240, 780, 2685, 405);
    CMB_PhaseShifter = new QComboBox(this);
    CMB_PhaseShifter->setObjectName(QStringLiteral("CMB_PhaseShifter"));
    ImpostaFont(CMB_PhaseShifter, SeqPunti);
    SeqPosto(CMB_PhaseShifter, 3000, 780, 795, 390);
    LblSequenza = NuovaEtichetta(this, QStringLiteral("LblSequenza"), SeqTesto, SeqPunti, false,
                                 Qt::AlignLeft | Qt::AlignTop);
    SeqPosto(LblSequenza, 180, 1260, 3615, 675);
    LblOutGas = NuovaEtichetta(this, QStringLiteral("LblOutGas"), SeqTesto, SeqPunti, false, Qt::AlignLeft | Qt::AlignTop);
    SeqPosto(LblOutGas, 180, 2040, 3615, 675);
    CmdAcquire = SeqPulsante(this, "CmdAcquire");
    SeqPosto(CmdAcquire, 180, 2820, 3615, 735);
    CmdResetSeq = SeqPulsante(this, "CmdResetSeq");
    SeqPosto(CmdResetSeq, 180, 3660, 3615, 735);

    auto* forma = new FormaPagina(this, QStringLiteral("Shape2"), 1, false);
    forma->ColoreBordo(0x806040);
    Shape2 = forma;
    SeqPosto(Shape2, 3960, 60, 2175, 4395);
    LblOutGasTitolo = NuovaEtichetta(this, QStringLiteral("LblOutGasTitolo"), 0xFFFF80, SeqPunti, true,
                                     Qt::AlignHCenter | Qt::AlignVCenter);
    SeqPosto(LblOutGasTitolo, 4080, 120, 1935, 345);
    for (int i = 0; i < 8; ++i) {
        auto* l = NuovaEtichetta(this, {}, SeqTesto, SeqPunti);
        ModMain::ImpostaMembro(l, QStringLiteral("LblNOut"), i);
        l->setText(QStringLiteral("CH%1").arg(i + 1));
        SeqPosto(l, 4020, 653 + 480 * i, 615, 315);
        LblNOut[static_cast<size_t>(i)] = l;
        auto* c = new QComboBox(this);
        ModMain::ImpostaMembro(c, QStringLiteral("CmbNInj"), i);
        ImpostaFont(c, SeqPunti);
        c->setPlaceholderText(QStringLiteral(" - - "));
        SeqPosto(c, 4740, 600 + 480 * i, 1215, 360);
        CmbNInj[static_cast<size_t>(i)] = c;
        connect(c, &QComboBox::activated, this, [this, i](int) { CmbNInj_Click(i); });
    }
    Shape2->lower();

    connect(chkanticipato, &QCheckBox::clicked, this, [this](bool) { chkanticipato_Click(); });
    connect(CMB_PhaseShifter, &QComboBox::activated, this, [this](int) { CMB_PhaseShifter_Click(); });
    connect(CmdAcquire, &PulsanteGrafico::Click, this, &FrmSeqInj::CmdAcquire_Click);
    connect(CmdResetSeq, &PulsanteGrafico::Click, this, &FrmSeqInj::CmdResetSeq_Click);
    connect(CmdChiudi, &PulsanteGrafico::Click, this, [this] {
        int cancella = 0;
        Form_QueryUnload(cancella, 0);
    });
    resize(LarghezzaRidotta / 15, static_cast<int>(SeqAltezza / 15));
}

void FrmSeqInj::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Form_Activate();
}

void FrmSeqInj::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FrmSeqInj::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    QPainter p(this);
    p.setPen(QPen(Colore(SeqBordo), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void FrmSeqInj::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    LblTitolo->setText(ModMain::TestoLingua(ModMain::TestoVoce(0) + ModMain::VersioneProgramma));
    CaricaLingua();
    const auto& righe = ModMain::RigheConfigScale;
    for (const size_t i : CercaSezioni(righe, "[PhaseShifter]")) {
        ModGlobFunct::RiempiComboDaLista(RigaDopo(righe, i, 1).value_or(""), CMB_PhaseShifter, 0,
                                         ModMain::CharsetCorrente());
        // The largest shift tried by the recognition: a whole number of at least 1.
        if (const auto s = RigaDopo(righe, i, 2)) {
            const auto v = Conv::CLng(Conv::Trim(*s));
            if (v && *v >= 1) ModMain::SceltaSeqInj = *v;
        }
    }
}

void FrmSeqInj::Form_Unload() {}

void FrmSeqInj::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmSeqInj::CaricaLingua() {
    if (const auto p = CercaMarcatore("[FrmSeqInj]")) SeqOffsetLingua = *p;
    const auto p = CercaMarcatore("[FrmSeqInj]");
    LblOutGasTitolo->setText(VoceSchermo(p, 1));
    CmdAcquire->Caption(VoceSchermo(p, 3));
    CmdResetSeq->Caption(VoceSchermo(p, 8));
    chkanticipato->setText(VoceSchermo(p, 9));
    LAB_PhaseShifter->setText(VoceSchermo(p, 22));
    STR_IMPOSSIBILE = Voce(p, 17);
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmSeqInj::AggiornaSelezioni(bool Tutto) {
    ModZebPagina::GuardiaCaricamento guardia(caricamento_);
    const auto offset = std::optional<int16_t>(static_cast<int16_t>(SeqOffsetLingua));
    const int32_t n = ModBlck::NumeroCilindri();

    // Phase-shift list: the first item not below the shift in use.
    std::vector<std::optional<double>> voci;
    for (int i = 0; i < CMB_PhaseShifter->count(); ++i) voci.push_back(NumeroVoce(CMB_PhaseShifter->itemText(i)));
    CMB_PhaseShifter->setCurrentIndex(SeqInjRegole::IndicePhaseShifter(voci, ModMain::PhaseShifterCorrente));

    // Width: the channel panel only at display level 2.
    const bool sup = ModMain::LivelloSup != 0;
    resize((sup ? LarghezzaEstesa : LarghezzaRidotta) / 15, static_cast<int>(SeqAltezza / 15));
    LblTitolo->setGeometry(0, 0, width() - 22, static_cast<int>(SeqBarra / 15));
    CmdChiudi->setGeometry(width() - 21, 1, 20, static_cast<int>(SeqBarra / 15) - 2);

    for (int j = 0; j < 8; ++j) {
        QComboBox* c = CmbNInj[static_cast<size_t>(j)];
        if (Tutto) {
            c->clear();
            for (int k = 1; k <= n && k <= 8; ++k) c->addItem(QString::number(k));
            c->setVisible(j < n);
            c->setEnabled(sup);
        }
        LblNOut[static_cast<size_t>(j)]->setVisible(j < n);
        const int32_t v = ModBlck::ValoreSequenza(6 + static_cast<size_t>(j));
        // An output past the list (or negative) shows " - - ".
        c->setCurrentIndex(v >= 0 && v <= c->count() - 1 ? v : -1);
    }
    const SeqInjRegole::Righe righe = SeqInjRegole::CostruisciRighe();
    const int32_t m = ModGlobFunct::CalcolaTabellaSeqInj();
    std::string uscite = righe.canali + "\n" + righe.uscite;
    if (m > 0) uscite += " (" + std::to_string(m) + ")";
    LblOutGas->setText(QString::fromStdString(uscite));

    const bool normale = ModBlck::AssegnazioneNormale();
    const QString stato = VoceSchermo(offset, ModBlck::OffsetStatoSequenza());
    LblSequenza->setText(VoceSchermo(offset, 2) + QStringLiteral(" ") + stato + QStringLiteral("\n") +
                         QString::fromStdString(righe.ordine));
    if (ImpostaStatoCommutazione)
        ImpostaStatoCommutazione(stato + (normale ? QStringLiteral(" - NORM.") : QStringLiteral(" - ANTICIP.")));
    chkanticipato->setChecked(!normale);
    SonoAnticipato();
}

bool FrmSeqInj::SonoAnticipato() {
    const bool normale = ModBlck::AssegnazioneNormale();
    chkanticipato->setChecked(!normale);
    return !normale;
}

void FrmSeqInj::chkanticipato_Click() { AggiornaSelezioni(true); }

void FrmSeqInj::Posta(int32_t codice) { ModMain::RichiediOperazione(codice, true); }

void FrmSeqInj::CmbNInj_Click(int Index) {
    if (caricamento_ || !SlotLibero() || Index < 0 || Index > 7) return;
    QComboBox* scelto = CmbNInj[static_cast<size_t>(Index)];
    if (scelto->currentIndex() < 0) return;
    bool doppio = false;
    for (int a = 0; a < 8 && !doppio; ++a)
        for (int b = a + 1; b < 8 && !doppio; ++b) {
            const QComboBox *x = CmbNInj[static_cast<size_t>(a)], *y = CmbNInj[static_cast<size_t>(b)];
            if (x->isHidden() || y->isHidden()) continue;
            doppio = x->currentIndex() == y->currentIndex();
        }
    if (doppio) {
        const auto p = std::optional<int16_t>(static_cast<int16_t>(SeqOffsetLingua));
        SeqMessaggio(ModMain::TestoLingua(Voce(p, 18) + "\r\n\r\n" + Voce(p, 19)));
    }
    ModificaSingola(ModBlck::ModificheBlocco15, scelto->currentIndex(), 6 + Index, 0);
    Posta(REQ_WRITE_BLK15);
}

void FrmSeqInj::CmdAcquire_Click() {
    if (!SlotLibero()) return;
    const auto p = std::optional<int16_t>(static_cast<int16_t>(SeqOffsetLingua));
    if (!SeqInjRegole::IniettoriAttivi()) return SeqMessaggio(VoceSchermo(p, 12));
    if (const auto o = SeqInjRegole::OpzioneAttiva(ModMain::MatSoglie[15]);
        o && ModMain::LivelloSup == 0 && ModMain::LivelloAut == 0) {
        QString gruppo, opzione;
        if (const FRM_ZEBGestione* g = FRM_ZEBGestione::Istanza) {
            gruppo = (o->alta ? g->FrmAltiRPM : g->FrmBassiRPM)->text();
            // The option's own caption: the button of a chosen option only reads "X".
            opzione = (o->alta ? g->laboptionHigh : g->laboptionLow)[static_cast<size_t>(o->indice)]->text();
        }
        return SeqMessaggio(VoceSchermo(p, 13) + QStringLiteral("\r\n\r\n- ") + gruppo + QStringLiteral(": ") + opzione);
    }
    if (!SeqInjRegole::CondizioniMotore()) return SeqMessaggio(VoceSchermo(p, 4));

    QString elenco;
    const TestiCommutazione t = LeggiCommutazione ? LeggiCommutazione() : TestiCommutazione{};
    auto valore3 = [](size_t k) {
        return TabellaBlocchi.size() > 3 && k < TabellaBlocchi[3].Valori.size() ? TabellaBlocchi[3].Valori[k] : 0;
    };
    if (valore3(33) & 0x02) elenco += t.LblDirSwtich + QStringLiteral(": ") + t.CmbswitchDir0 + QStringLiteral("\r\n");
    if (valore3(41) != 0) elenco += t.LBLTempoSeqInj + QStringLiteral(": 0\r\n");
    if (valore3(5) != 0) elenco += t.LblSwitchSovra + QStringLiteral(": 0\r\n");
    if (!elenco.isEmpty()) SeqMessaggio(VoceSchermo(p, 16) + QStringLiteral("\r\n\r\n") + elenco);
    Posta(REQ_ACQUIRE_INJ_SEQUENCE);
}

void FrmSeqInj::CmdResetSeq_Click() {
    if (!SlotLibero()) return;
    if (!SeqInjRegole::CondizioniMotore()) {
        const auto p = std::optional<int16_t>(static_cast<int16_t>(SeqOffsetLingua));
        return SeqMessaggio(VoceSchermo(p, 4));
    }
    ModBlck::ModificheBlocco15.clear();
    for (int32_t i = 0; i < 8; ++i) ModBlck::ModificheBlocco15.push_back({i, 6 + i, 0});
    Posta(REQ_WRITE_BLK15);
}

void FrmSeqInj::CMB_PhaseShifter_Click() {
    if (caricamento_ || CMB_PhaseShifter->currentIndex() < 0) return;
    const auto v = NumeroVoce(CMB_PhaseShifter->currentText());
    if (!v || !(std::abs(*v) < 2.0e9)) return;
    ModMain::PhaseShifterCorrente = static_cast<int32_t>(Conv::Fix(*v));
}

void FrmSeqInj::Form_Activate() {
    raise(); // over the management page
    LblTitolo->setText(ModMain::TestoLingua(ModMain::TestoVoce(0) + ModMain::VersioneProgramma));
    attivo_ = true;
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(false);
    AnteprimaTasti::TieniTastiera(this);
}

void FrmSeqInj::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!attivo_) return;
    attivo_ = false;
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(true);
}

void FrmSeqInj::Form_QueryUnload(int& Cancel, int UnloadMode) {
    attivo_ = false;
    if (UnloadMode == 0) {
        ModGlobFunct::AttendiMicrosecondi(10'000);
        MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_GESTIONE);
        Cancel = 1;
        hide();
    }
    MDIFrm::Interfaccia().AbilitaDisabilitaForm(true);
}
