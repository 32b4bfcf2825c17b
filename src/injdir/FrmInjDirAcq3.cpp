#include "injdir/FrmInjDirAcq3.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>

#include "controls/PulsanteGrafico.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "injdir/InjDirAcqTelaio.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"
#include "link/ModBlckVettori.h"
#include "link/ModMappeDati.h"

using namespace InjDirAcqTelaio;
namespace A = InjDirAcqRegole;

namespace {

QLineEdit* Acq3Casella(QWidget* padre, const QString& nome, int indice, bool solaLettura) {
    auto* t = new QLineEdit(padre);
    ModMain::ImpostaMembro(t, nome, indice);
    t->setReadOnly(solaLettura);
    t->setAlignment(Qt::AlignCenter);
    ModZebPagina::ImpostaFont(t, 10, true);
    return t;
}

QString Acq3Numero(double v, int decimali) {
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    const double f = std::pow(10.0, decimali);
    QString t = QString::number(Conv::ArrotondaPari(v * f) / f, 'f', decimali);
    t.replace(QLatin1Char('.'), QLatin1Char(sep));
    return t;
}

} // namespace

FrmInjDirAcq3::FrmInjDirAcq3(QWidget* contenitore) : QWidget(contenitore), proporzioni_(Larghezza, Altezza) {
    setObjectName(QStringLiteral("FrmInjDirAcq3"));
    Istanza = this;
    SHP_Contorno_AcqBen_3 = Sfondo(this, "SHP_Contorno_AcqBen_3");
    LAB_AcqBenz1 = NuovaEtichettaAcq(this, "LAB_AcqBenz1", 0xFFFF80, 11, true);
    Posto(LAB_AcqBenz1, 30, 16, 460, 24);
    Shp_Semaforo_4 = NuovoSemaforo(this, "Shp_Semaforo_4");
    Posto(Shp_Semaforo_4, 500, 12, 30, 30);
    const double xTitoli = 30, xCol = 230, lCol = 96, yRiga = 80, hRiga = 34;
    for (int c = 0; c < 3; ++c) {
        auto* l = NuovaEtichettaAcq(this, "", 0xFFFFFF, 9, true);
        ModMain::ImpostaMembro(l, QStringLiteral("GRD_AcqBenz_Fix"), c);
        l->setAlignment(Qt::AlignCenter);
        Posto(l, xCol + c * (lCol + 8), 52, lCol, 24);
        GRD_AcqBenz_Fix[static_cast<size_t>(c)] = l;
    }
    for (int r = 0; r < 4; ++r) {
        auto* l = NuovaEtichettaAcq(this, "", 0xFFFFFF, 9);
        ModMain::ImpostaMembro(l, QStringLiteral("GRD_AcqBenz_Fix"), 3 + r);
        Posto(l, xTitoli, yRiga + r * hRiga + 4, 180, 26);
        GRD_AcqBenz_Fix[static_cast<size_t>(3 + r)] = l;
        const auto i = static_cast<size_t>(r);
        GRD_AcqBenz_EditableVolts[i] = Acq3Casella(this, QStringLiteral("GRD_AcqBenz_EditableVolts"), r, false);
        GRD_AcqBenz_EditableBar[i] = Acq3Casella(this, QStringLiteral("GRD_AcqBenz_EditableBar"), r, false);
        GRD_AcqBenz_EditableTinj[i] = Acq3Casella(this, QStringLiteral("GRD_AcqBenz_EditableTinj"), r, false);
        Posto(GRD_AcqBenz_EditableVolts[i], xCol, yRiga + r * hRiga, lCol, 28);
        Posto(GRD_AcqBenz_EditableBar[i], xCol + lCol + 8, yRiga + r * hRiga, lCol, 28);
        Posto(GRD_AcqBenz_EditableTinj[i], xCol + 2 * (lCol + 8), yRiga + r * hRiga, lCol, 28);
    }
    for (int c = 0; c < 3; ++c) {
        auto* t = Acq3Casella(this, QStringLiteral("GRD_AcqBenz_Monitor"), c, true);
        QPalette p = t->palette();
        p.setColor(QPalette::Base, QColor(0, 0, 64));
        p.setColor(QPalette::Text, QColor(0x80, 0xFF, 0xFF));
        t->setPalette(p);
        Posto(t, xCol + c * (lCol + 8), yRiga + 4 * hRiga + 14, lCol, 28);
        GRD_AcqBenz_Monitor[static_cast<size_t>(c)] = t;
    }
    IMG_Arrow = NuovaEtichettaAcq(this, "IMG_Arrow", 0xFFFF, 14, true);
    IMG_Arrow->setText(QStringLiteral("\u25B6"));
    Posto(IMG_Arrow, xCol - 26, yRiga, 22, 28);
    IMG_Arrow->hide();
    LAB_AcqBenz_Auto_Istruzioni = NuovaEtichettaAcq(this, "LAB_AcqBenz_Auto_Istruzioni", 0xFFFFFF, 10);
    Posto(LAB_AcqBenz_Auto_Istruzioni, 580, 52, 390, 280);
    CMD_AcqBenz_Spazio = NuovoPulsante(this, "CMD_AcqBenz_Spazio");
    CMD_AcqBenz_Man_Calcola = NuovoPulsante(this, "CMD_AcqBenz_Man_Calcola");
    CMD_ResetPresBen = NuovoPulsante(this, "CMD_ResetPresBen");
    Posto(CMD_AcqBenz_Spazio, 30, 360, 220, 36);
    Posto(CMD_AcqBenz_Man_Calcola, 270, 360, 220, 36);
    Posto(CMD_ResetPresBen, 760, 360, 200, 36);
    connect(CMD_AcqBenz_Spazio, &PulsanteGrafico::Click, this, &FrmInjDirAcq3::CMD_AcqBenz_Spazio_Click);
    connect(CMD_AcqBenz_Man_Calcola, &PulsanteGrafico::Click, this, &FrmInjDirAcq3::CMD_AcqBenz_Man_Calcola_Click);
    connect(CMD_ResetPresBen, &PulsanteGrafico::Click, this, &FrmInjDirAcq3::CMD_ResetPresBen_Click);
}

FrmInjDirAcq3::~FrmInjDirAcq3() {
    if (Istanza == this) Istanza = nullptr;
}

void FrmInjDirAcq3::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    ScritturaBitPendente = CalcoloAssiPendente = VistaDaAggiornare = false;
    ValoreBitCompensazione = 0;
    ProssimoCampione = 0;
    OffsetWizard = 0;
    RigaCorrente = -1;
    CaricaLingua();
    caricata_ = true;
    Form_Resize();
    CaricaDatiWizard();
}

void FrmInjDirAcq3::Form_Unload() { caricata_ = false; }
void FrmInjDirAcq3::Form_Resize() { proporzioni_.Applica(this); }
void FrmInjDirAcq3::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}
void FrmInjDirAcq3::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FrmInjDirAcq3::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // The averages start again from the samples of this visit only.
    Buffer.Riavvia();
    ProssimoCampione = 0;
}

void FrmInjDirAcq3::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmInjDirAcq3::CaricaLingua() {
    OffsetWizard = Sezione(OffsetWizard);
    const int32_t T = OffsetWizard;
    LAB_AcqBenz1->setText(Testo(T, 12));
    CMD_AcqBenz_Man_Calcola->Caption(Testo(T, 18));
    CMD_AcqBenz_Spazio->Caption(Testo(T, 17));
    CMD_ResetPresBen->Caption(Testo(T, 13));
    for (int k = 0; k < 4; ++k) GRD_AcqBenz_Fix[static_cast<size_t>(3 + k)]->setText(Testo(T, 19 + k));
    for (int k = 0; k < 3; ++k) GRD_AcqBenz_Fix[static_cast<size_t>(k)]->setText(Testo(T, 23 + k));
    for (auto* t : GRD_AcqBenz_Monitor) t->clear();
    LAB_AcqBenz_Auto_Istruzioni->clear();
    SvuotaGriglia();
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmInjDirAcq3::SvuotaGriglia() {
    for (size_t r = 0; r < 4; ++r)
        for (auto* t : {GRD_AcqBenz_EditableVolts[r], GRD_AcqBenz_EditableBar[r], GRD_AcqBenz_EditableTinj[r]}) t->clear();
}

void FrmInjDirAcq3::CaricaDatiWizard() {
    Impostazioni = A::LeggiImpostazioniAcquisizione(ModMain::RigheConfigScale);
    Buffer.Dimensiona(Impostazioni.ultimoCampione);
}

std::vector<ModInjDirCalc::PuntoAcquisito> FrmInjDirAcq3::PuntiAcquisiti() const {
    std::vector<ModInjDirCalc::PuntoAcquisito> punti;
    for (size_t r = 0; r < 4; ++r) {
        if (GRD_AcqBenz_EditableBar[r]->text().isEmpty()) continue;
        punti.push_back({ModZebPagina::NumeroVoce(GRD_AcqBenz_EditableBar[r]->text()),
                         ModZebPagina::NumeroVoce(GRD_AcqBenz_EditableVolts[r]->text())});
    }
    return punti;
}

void FrmInjDirAcq3::Campiona() {
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (adesso <= ProssimoCampione) return;
    ProssimoCampione = ModGlobFunct::LeggiMicrosecondi() + Impostazioni.intervallo;
    Buffer.Aggiungi(A::CampionePressione(Valore(12, 20).value_or(0), Valore(12, 46).value_or(0), Valore(12, 47).value_or(0)),
                    A::CampioneTensione(Valore(1, 55).value_or(0)), Valore(1, 15).value_or(0), Valore(1, 48).value_or(0),
                    Valore(1, 32).value_or(0));
}

void FrmInjDirAcq3::AggiornaRealTime() {
    const auto m = Buffer.Medie();
    MediaPressBenz = m[0];
    MediaTensione = m[1];
    MediaTinj = m[2];
    MediaMap = m[3];
    MediaRpm = m[4];
    GRD_AcqBenz_Monitor[0]->setText(Acq3Numero(MediaTensione, 3));
    GRD_AcqBenz_Monitor[1]->setText(Acq3Numero(MediaPressBenz, 1));
    GRD_AcqBenz_Monitor[2]->setText(Acq3Numero(MediaTinj, 2));
    const bool turbo = (Valore(3, 33).value_or(0) & 0x40) != 0;
    RigaCorrente = A::RigaRegione(MediaMap, MediaRpm, turbo ? Impostazioni.turbo : Impostazioni.normale);
    if (RigaCorrente < 0) {
        if (!IMG_Arrow->isHidden()) IMG_Arrow->hide();
        return;
    }
    if (IMG_Arrow->isHidden()) IMG_Arrow->show();
    IMG_Arrow->move(IMG_Arrow->x(), GRD_AcqBenz_EditableVolts[static_cast<size_t>(RigaCorrente)]->y());
}

bool FrmInjDirAcq3::CalcoloTinjAuto() {
    double massimo = 0;
    for (auto* t : GRD_AcqBenz_EditableTinj) {
        if (t->text().isEmpty()) continue;
        const auto v = ModZebPagina::NumeroVoce(t->text());
        if (!v) return false;
        massimo = std::max(massimo, *v);
    }
    const auto asse = A::CalcoloTinjAuto(massimo, Impostazioni);
    if (!asse) return false; // the axis stays as it was
    ModMain::AsseTinjLavoro = *asse;
    return true;
}

bool FrmInjDirAcq3::CalcolaAssi() {
    bool daVettori = false;
    if (ValoreBitCompensazione != 0) {
        CalcoloTinjAuto();
    } else {
        // Without the file's vectors those in memory are converted.
        ModMain::CaricaVettoriRpmTinj(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModBlck::CercaConfigurazionePredefinita());
        daVettori = true;
    }
    return MDIFrm::Interfaccia().CalcolaVettoriAssi(ModBlck::VettoreRpm, ModBlck::VettoreTinj, ModMain::AsseRpmLavoro,
                                                    ModMain::AsseTinjLavoro, daVettori);
}

void FrmInjDirAcq3::GestioneRichieste() {
    if (ModMain::RichiestaPendente != 0) return;
    const int32_t T = OffsetWizard;
    const QString aCapo = QStringLiteral("\r\n"), spazio = QStringLiteral(" ");
    auto completamento = [&] { return Testo(T, 27) + aCapo + Testo(T, 30) + spazio + Testo(T, 13); };
    if (VistaDaAggiornare) {
        VistaDaAggiornare = false;
        AggiornaVisualizzazione();
        if (!CalcoloAssiPendente && !ScritturaBitPendente && ValoreBitCompensazione != 0) {
            LAB_AcqBenz_Auto_Istruzioni->setText(completamento());
            ValoreBitCompensazione = 0;
        }
    } else if (TagCalcola) {
        TagCalcola = false;
        LAB_AcqBenz_Auto_Istruzioni->clear();
        std::string testo;
        if (!ModInjDirCalc::CalcolaCompensazionePressBenz(testo)) {
            LAB_AcqBenz_Auto_Istruzioni->setText(ModMain::TestoLingua(testo));
            ModZebPagina::Bip();
        } else {
            MDIFrm::Interfaccia().FrmCompensa_CalcoloAutomaticoCmpPressBenz();
            if (ModMain::RichiestaPendente != REQ_WRITE_COMP_TABLES) {
                // The compensation page refused the curve (or there is none):
                // no table is written, so no progress bit and no axes either.
                LAB_AcqBenz_Auto_Istruzioni->setText(Testo(T, 33));
            } else {
                ScritturaBitPendente = true;
                ValoreBitCompensazione = A::BitPressBenz;
            }
        }
    } else if (ScritturaBitPendente) {
        ScritturaBitPendente = false;
        if (!ModMain::UltimaRichiestaRiuscita) {
            // The table write failed: no progress bit. After a calculation no
            // axes either; a reset still brings back the default axes, which
            // do not depend on the table.
            if (ValoreBitCompensazione == 0) {
                CalcoloAssiPendente = true;
            } else {
                ValoreBitCompensazione = 0;
                AggiornaVisualizzazione();
            }
        } else {
            ModBlck::ModificheBlocco16 = {ModificaPendente{ValoreBitCompensazione, 26, A::BitPressBenz}};
            ModZebPagina::Posta(REQ_WRITE_BLK16);
            CalcoloAssiPendente = true;
        }
    } else if (CalcoloAssiPendente) {
        CalcoloAssiPendente = false;
        if (CalcolaAssi()) {
            ModZebPagina::Posta(REQ_WRITE_MAP_AXES);
        } else {
            const QString fallito = Testo(T, 37);
            if (!LAB_AcqBenz_Auto_Istruzioni->text().isEmpty())
                LAB_AcqBenz_Auto_Istruzioni->setText(LAB_AcqBenz_Auto_Istruzioni->text() + QStringLiteral(".") + aCapo + fallito);
            else
                LAB_AcqBenz_Auto_Istruzioni->setText(completamento() + QStringLiteral(".") + aCapo + fallito);
        }
    } else if (TagReset) {
        TagReset = false;
        ModZebPagina::Posta(REQ_LOAD_PETROL_PRESS_TABLE);
        ScritturaBitPendente = true;
        ValoreBitCompensazione = 0;
        SvuotaGriglia();
    } else if (TagSpazio) {
        TagSpazio = false;
        if (RigaCorrente >= 0 && RigaCorrente <= 3) {
            const auto r = static_cast<size_t>(RigaCorrente);
            if (MediaPressBenz > 0 && MediaTinj > 0) {
                GRD_AcqBenz_EditableVolts[r]->setText(Acq3Numero(MediaTensione, 3));
                GRD_AcqBenz_EditableBar[r]->setText(Acq3Numero(MediaPressBenz, 1));
                GRD_AcqBenz_EditableTinj[r]->setText(Acq3Numero(MediaTinj, 2));
            } else {
                LAB_AcqBenz_Auto_Istruzioni->setText(Testo(T, MediaTinj <= 0 ? 36 : 32));
                ModZebPagina::Bip();
            }
        }
    } else {
        Campiona();
    }
    if (ModMain::RichiestaPendente != 0) VistaDaAggiornare = true;
}

void FrmInjDirAcq3::AggiornaVisualizzazione() {
    const int32_t T = OffsetWizard;
    const auto spazio = QStringLiteral(" ");
    if (!ScritturaBitPendente && !CalcoloAssiPendente) {
        if (StatoWizard() & A::BitPressBenz) {
            ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_4, 2);
            LAB_AcqBenz_Auto_Istruzioni->setText(Testo(T, 16) + spazio + Testo(T, 13));
        } else {
            ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_4, 0);
            LAB_AcqBenz_Auto_Istruzioni->setText(Testo(T, 31) + spazio + Testo(T, 17) + QStringLiteral(".") + spazio +
                                                 Testo(T, 35) + spazio + Testo(T, 18));
        }
    }
    const bool modificabile = ModMain::LivelloSup || ModMain::LivelloAut;
    for (size_t r = 0; r < 4; ++r)
        for (auto* t : {GRD_AcqBenz_EditableVolts[r], GRD_AcqBenz_EditableBar[r], GRD_AcqBenz_EditableTinj[r]})
            t->setReadOnly(!modificabile);
}
