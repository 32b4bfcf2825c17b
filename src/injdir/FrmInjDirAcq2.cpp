#include "injdir/FrmInjDirAcq2.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>

#include "controls/PulsanteGrafico.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "injdir/InjDirAcqTelaio.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"

using namespace InjDirAcqTelaio;
namespace A = InjDirAcqRegole;

FrmInjDirAcq2::FrmInjDirAcq2(QWidget* contenitore) : QWidget(contenitore), proporzioni_(Larghezza, Altezza) {
    setObjectName(QStringLiteral("FrmInjDirAcq2"));
    SHP_Contorno_2_RPM = Sfondo(this, "SHP_Contorno_2_RPM");
    CMD_AcquisisciRPM = NuovoPulsante(this, "CMD_AcquisisciRPM");
    Posto(CMD_AcquisisciRPM, 40, 30, 240, 36);
    Shp_Semaforo_3 = NuovoSemaforo(this, "Shp_Semaforo_3");
    Posto(Shp_Semaforo_3, 300, 32, 32, 32);
    LAB_RPM1 = NuovaEtichettaAcq(this, "LAB_RPM1", 0xFFFFFF, 11);
    Posto(LAB_RPM1, 40, 100, 160, 26);
    LAB_RPM2 = NuovaEtichettaAcq(this, "LAB_RPM2", 0xFFFF80, 14, true);
    Posto(LAB_RPM2, 210, 96, 140, 30);
    SLD_AcquisisciRPM = new QSlider(Qt::Horizontal, this);
    SLD_AcquisisciRPM->setObjectName(QStringLiteral("SLD_AcquisisciRPM"));
    SLD_AcquisisciRPM->setEnabled(false); // it only shows the list position
    Posto(SLD_AcquisisciRPM, 40, 150, 420, 30);
    LAB_RPMIstruzioni = NuovaEtichettaAcq(this, "LAB_RPMIstruzioni", 0xFFFFFF, 10);
    Posto(LAB_RPMIstruzioni, 500, 30, 460, 300);
    CMD_ResetRPM = NuovoPulsante(this, "CMD_ResetRPM");
    Posto(CMD_ResetRPM, 760, 360, 200, 36);
    connect(CMD_AcquisisciRPM, &PulsanteGrafico::Click, this, &FrmInjDirAcq2::CMD_AcquisisciRPM_Click);
    connect(CMD_ResetRPM, &PulsanteGrafico::Click, this, &FrmInjDirAcq2::CMD_ResetRPM_Click);
}

void FrmInjDirAcq2::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    StatoRicercaSoglia = 0;
    IndiceSoglia = SogliaSalvata = RpmRilevati = -1;
    ScadenzaAttesa = 0;
    VistaDaAggiornare = false;
    CaricaLingua();
    caricata_ = true;
    Form_Resize();
    CaricaDatiWizard();
}

void FrmInjDirAcq2::Form_Unload() { caricata_ = false; }
void FrmInjDirAcq2::Form_Resize() { proporzioni_.Applica(this); }
void FrmInjDirAcq2::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}
void FrmInjDirAcq2::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }
void FrmInjDirAcq2::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmInjDirAcq2::CaricaLingua() {
    PosizioneSezione = Sezione(PosizioneSezione);
    const int32_t T = PosizioneSezione;
    LAB_RPM1->setText(Testo(T, 11));
    CMD_AcquisisciRPM->Caption(Testo(T, 10));
    CMD_ResetRPM->Caption(Testo(T, 13));
    LAB_RPM2->clear();
    LAB_RPMIstruzioni->clear();
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmInjDirAcq2::CaricaDatiWizard() {
    Impostazioni = A::LeggiImpostazioniSoglia(ModMain::RigheConfigScale);
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    Soglie = CommutazioneRegole::CostruisciSensibilita(ModMain::RigheConfigScale, sep);
}

void FrmInjDirAcq2::AggiornaRealTime() {
    if (const auto v = Valore(1, 32)) LAB_RPM2->setText(QString::number(*v));
}

int32_t FrmInjDirAcq2::SogliaPredefinita() {
    int32_t v = 0;
    if (!ModMain::LeggiBloccoDaFile(15, ModBlck::CercaConfigurazionePredefinita(), "[BLK_6]", 87, v)) v = 0;
    return v;
}

void FrmInjDirAcq2::ScriviSoglia(int32_t valore, bool attesa) {
    ModBlck::ModificheBlocco15 = {ModificaPendente{valore, 87, 0}};
    ModMain::RichiediOperazione(REQ_WRITE_BLK15, attesa);
}

void FrmInjDirAcq2::GestioneRichieste() {
    if (ModMain::RichiestaPendente != 0) return;
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (VistaDaAggiornare) {
        VistaDaAggiornare = false;
        AggiornaVisualizzazione();
    } else if (TagReset) {
        TagReset = false;
        ModBlck::ModificheBlocco16 = {ModificaPendente{0, 26, A::BitSoglia}};
        ModBlck::ModificheBlocco15 = {ModificaPendente{SogliaPredefinita(), 87, 0}};
        ModZebPagina::Posta(REQ_WRITE_BLK15_BLK16);
        StatoRicercaSoglia = 0;
    } else if (TagAcquisisci) {
        TagAcquisisci = false;
        CMD_AcquisisciRPM->Enabled(false);
        LAB_RPMIstruzioni->setText(Testo(PosizioneSezione, 26));
        StatoRicercaSoglia = 1;
    } else if (UltimoIndice() < 0 && StatoRicercaSoglia >= 1 && StatoRicercaSoglia <= 4) {
        StatoRicercaSoglia = 6; // no list to search
    } else {
        switch (StatoRicercaSoglia) {
        case 1:
            SogliaSalvata = Valore(15, 87).value_or(-1);
            StatoRicercaSoglia = 2;
            break;
        case 2:
            IndiceSoglia = UltimoIndice();
            ScriviSoglia(Soglie.codici[static_cast<size_t>(IndiceSoglia)], true);
            // The first dwell in 64 bits: settings whose product passes 32 bits stay exact.
            ScadenzaAttesa = adesso + static_cast<double>(A::AttesaIniziale(Impostazioni));
            StatoRicercaSoglia = 3;
            break;
        case 4:
            if (RpmRilevati != 0) {
                IndiceSoglia = A::IndiceRisultato(Impostazioni.percentuale, IndiceSoglia, UltimoIndice());
                ModBlck::ModificheBlocco15 = {ModificaPendente{Soglie.codici[static_cast<size_t>(IndiceSoglia)], 87, 0}};
                ModBlck::ModificheBlocco16 = {ModificaPendente{A::BitSoglia, 26, A::BitSoglia}};
                ModZebPagina::Posta(REQ_WRITE_BLK15_BLK16);
                StatoRicercaSoglia = 5;
            } else if (--IndiceSoglia < 0) {
                IndiceSoglia = -1;
                if (SogliaSalvata < 0) SogliaSalvata = SogliaPredefinita();
                ScriviSoglia(SogliaSalvata, true);
                StatoRicercaSoglia = 6;
            } else {
                ScriviSoglia(Soglie.codici[static_cast<size_t>(IndiceSoglia)], false);
                SLD_AcquisisciRPM->setValue(IndiceSoglia);
                ScadenzaAttesa = adesso + Impostazioni.attesa;
                StatoRicercaSoglia = 3;
            }
            break;
        default:
            if (StatoRicercaSoglia == 3 && adesso > ScadenzaAttesa) {
                RpmRilevati = Valore(1, 32).value_or(0);
                StatoRicercaSoglia = 4;
            }
            break;
        }
    }
    if (ModMain::RichiestaPendente != 0) VistaDaAggiornare = true;
}

void FrmInjDirAcq2::AggiornaVisualizzazione() {
    const int32_t T = PosizioneSezione;
    const auto spazio = QStringLiteral(" ");
    if (StatoWizard() & A::BitSoglia) {
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_3, 2);
        CMD_AcquisisciRPM->Enabled(false);
        CMD_ResetRPM->Enabled(true);
        if (StatoRicercaSoglia == 5) {
            const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
            const double volt = A::VoltSoglia(Valore(15, 87).value_or(0), Soglie.fattore, Soglie.passo);
            QString v = QString::number(volt, 'f', 1);
            v.replace(QLatin1Char('.'), QLatin1Char(sep));
            LAB_RPMIstruzioni->setText(Testo(T, 27) + QStringLiteral("\r\n") + Testo(T, 28) + spazio + v +
                                       QStringLiteral(" V\r\n") + Testo(T, 30) + spazio + Testo(T, 13));
        } else {
            LAB_RPMIstruzioni->setText(Testo(T, 16) + spazio + Testo(T, 13));
        }
    } else {
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_3, 0);
        if (StatoRicercaSoglia == 0 || StatoRicercaSoglia == 6) {
            LAB_RPMIstruzioni->setText(StatoRicercaSoglia == 0 ? Testo(T, 9) + spazio + Testo(T, 10) : Testo(T, 29));
            CMD_AcquisisciRPM->Enabled(true);
            CMD_ResetRPM->Enabled(false);
        }
    }
    const int ultimo = std::max(UltimoIndice(), 0);
    if (SLD_AcquisisciRPM->maximum() != ultimo) SLD_AcquisisciRPM->setMaximum(ultimo);
    if (SLD_AcquisisciRPM->minimum() != 0) SLD_AcquisisciRPM->setMinimum(0);
    if (const auto w = Valore(15, 87))
        for (size_t i = 0; i < Soglie.codici.size(); ++i)
            if (Soglie.codici[i] == *w) {
                if (SLD_AcquisisciRPM->value() != static_cast<int>(i)) SLD_AcquisisciRPM->setValue(static_cast<int>(i));
                break;
            }
}
