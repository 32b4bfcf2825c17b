#include "injdir/FrmWizard.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>

#include "controls/ModZebPagina.h"
#include "controls/PulsanteGrafico.h"
#include "core/Conversioni.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "injdir/InjDirRegole.h"
#include "link/ModMappeDati.h"
#include "maps/ModMainMappe.h"

namespace {

std::optional<int32_t> WizValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return std::nullopt;
    return TabellaBlocchi[blocco].Valori[k];
}

PulsanteGrafico* WizPulsante(QWidget* padre, const char* nome, const char* testo) {
    ModZebPagina::AspettoPulsante a;
    a.punti = 9;
    a.testo = QString::fromUtf8(testo);
    return ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome), a);
}

} // namespace

FrmWizard::FrmWizard(QWidget* proprietario) : QWidget(proprietario, Qt::Window) {
    setObjectName(QStringLiteral("FrmWizard"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 0, 64));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    resize(420, 315);
    TXT_Istruzioni = ModZebPagina::NuovaEtichetta(this, QStringLiteral("TXT_Istruzioni"), 0xFFFFFF, 10, false,
                                                  Qt::AlignLeft | Qt::AlignTop);
    TXT_Istruzioni->setWordWrap(true);
    TXT_Istruzioni->setText(QStringLiteral("***"));
    TXT_Istruzioni->setGeometry(16, 16, 388, 190);
    Prog_Bar = new QProgressBar(this);
    Prog_Bar->setObjectName(QStringLiteral("Prog_Bar"));
    Prog_Bar->setRange(0, 100);
    Prog_Bar->setValue(0);
    Prog_Bar->setGeometry(16, 214, 388, 20);
    CMD_Si = WizPulsante(this, "CMD_Si", "S\xc3\xac");
    CMD_No = WizPulsante(this, "CMD_No", "No");
    CMD_Ex = WizPulsante(this, "CMD_Ex", "Esci");
    CMD_Si->setGeometry(16, 254, 120, 36);
    CMD_No->setGeometry(150, 254, 120, 36);
    CMD_Ex->setGeometry(284, 254, 120, 36);
    connect(CMD_Si, &PulsanteGrafico::Click, this, &FrmWizard::CMD_Si_Click);
    connect(CMD_No, &PulsanteGrafico::Click, this, &FrmWizard::CMD_No_Click);
    connect(CMD_Ex, &PulsanteGrafico::Click, this, &FrmWizard::CMD_Ex_Click);
    IndiceCarico = [] { return ModMain::CalcolaIndiceCaricoMappaObd(); };
    IndiceGiri = [] { return ModMain::CalcolaIndiceRpmMappaObd(); };
}

FrmWizard* FrmWizard::Avvia(QWidget* proprietario) {
    if (Attivo) Attivo->close();
    auto* w = new FrmWizard(proprietario);
    w->PassoWizard = 150;
    w->Form_Load();
    w->show();
    Attivo = w;
    ModMain::WizardAttivo = -1;
    return w;
}

void FrmWizard::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    ModMain::ImpostaFinestraInPrimoPiano(this, true);
    resize(width(), 4725 / 15);
    OffsetLingua = 0;
    PremutoSi = PremutoNo = PremutoEsci = false;
    NumeroCampioni = CellaCarico = CellaGiri = 0;
    if (ModMain::FinestraPrincipale) {
        setWindowIcon(ModMain::FinestraPrincipale->windowIcon());
        setWindowTitle(ModMain::FinestraPrincipale->windowTitle());
    }
    CercaOffsetLingua();
    if (PassoWizard == 150) {
        setWindowTitle(Voce(27));
        TXT_Istruzioni->setText(Voce(1));
    }
    CMD_Si->Caption(Voce(2));
    CMD_Ex->Caption(Voce(3));
    CMD_No->Caption(Voce(5));
    if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void FrmWizard::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmWizard::CercaOffsetLingua() {
    const int16_t lingua = ModMain::Dizionario ? ModMain::Dizionario->IdLingua() : int16_t(0);
    if (const auto k = ModZebPagina::CercaMarcatore("[Frm_Wizard]", lingua)) OffsetLingua = *k + 1;
}

QString FrmWizard::Voce(int n) const { return ModMain::VoceLingua(static_cast<int16_t>(OffsetLingua + n)); }

void FrmWizard::Abilita(bool si, bool no, bool esci) {
    if (CMD_Si->isEnabled() != si) CMD_Si->Enabled(si);
    if (CMD_No->isEnabled() != no) CMD_No->Enabled(no);
    if (CMD_Ex->isEnabled() != esci) CMD_Ex->Enabled(esci);
}

void FrmWizard::Scarica() {
    ModMain::WizardAttivo = 0;
    close();
}

void FrmWizard::Form_QueryUnload() { ModMain::WizardAttivo = 0; }

void FrmWizard::closeEvent(QCloseEvent* e) {
    Form_QueryUnload();
    QWidget::closeEvent(e);
}

void FrmWizard::TMR_Wizard_Proc() {
    const QString aCapo = QStringLiteral("\r\n");
    switch (PassoWizard) {
    case 150: {
        Abilita(true, false, true);
        if (PremutoEsci) return Scarica();
        if (!PremutoSi) return;
        PremutoSi = false;
        const bool benzina = WizValore(2, 1).value_or(1) == 0;
        const bool giri = WizValore(1, 32).value_or(0) != 0;
        const bool inMoto = (WizValore(1, 37).value_or(0) & 1) != 0;
        if (benzina && giri && inMoto) {
            NumeroCampioni = CellaCarico = CellaGiri = 0;
            PassoWizard = 151;
        } else {
            TXT_Istruzioni->setText(Voce(6) + aCapo + aCapo + Voce(1));
        }
        return;
    }
    case 151: {
        Abilita(false, false, false);
        if (TXT_Istruzioni->text() != Voce(12)) TXT_Istruzioni->setText(Voce(12));
        Prog_Bar->setValue(std::clamp(NumeroCampioni, 0, 100));
        CellaCarico += IndiceCarico() + 1;
        CellaGiri += IndiceGiri() + 1;
        NumeroCampioni += 1;
        if (NumeroCampioni <= 100) return;
        CellaCarico = InjDirRegole::MediaCella(CellaCarico, 101);
        CellaGiri = InjDirRegole::MediaCella(CellaGiri, 101);
        if (CellaCarico < 1 || CellaCarico > 14 || CellaGiri < 1 || CellaGiri > 7) {
            TXT_Istruzioni->setText(Voce(28));
            PassoWizard = 200;
            return;
        }
        const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
        // The upper bounds of the learned cell: load steps of UnitaRpm, rpm steps of 512.
        const double carico = Conv::ArrotondaPari((CellaCarico + 1) * static_cast<double>(ModMain::UnitaRpm) / 1000.0 * 100.0) / 100.0;
        const QString L = QString::fromStdString(Conv::NumeroGenerale(carico, sep));
        const QString R = QString::number((CellaGiri + 1) * 512);
        TXT_Istruzioni->setText(Voce(11) + aCapo + aCapo + Voce(25) + QStringLiteral(": ") + L + aCapo + Voce(26) +
                                QStringLiteral(": ") + R + aCapo + aCapo + Voce(9));
        CMD_Si->Caption(Voce(4));
        PassoWizard = 152;
        return;
    }
    case 152: {
        Abilita(true, true, false);
        if (!(PremutoSi || PremutoNo) || ModMain::RichiestaPendente != 0) return;
        auto& tabella = ModZebPagina::CopiaSoglie();
        tabella[11] = static_cast<uint8_t>(PremutoSi ? CellaCarico : 0);
        tabella[5] = static_cast<uint8_t>(PremutoSi ? CellaGiri : 0);
        PremutoSi = PremutoNo = false;
        ModZebPagina::Posta(REQ_WRITE_OPTIONS);
        return Scarica();
    }
    case 200:
        Abilita(false, false, true);
        if (PremutoEsci) Scarica();
        return;
    default: return;
    }
}
