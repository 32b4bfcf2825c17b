// The switchover page's edit handlers, the spark box, the bad-bit slider and
// the temperature-sensor grid.
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QSlider>

#include "controls/GrigliaDati.h"
#include "controls/ModZebGriglia.h"
#include "core/Applicazione.h"
#include "core/Conversioni.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainCaricatori.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainRichieste.h"
#include "engine/ServiziInterfaccia.h"
#include "link/ModBlckComandi.h"
#include "link/ModMainStatoLinea.h"
#include "maps/FrmEnterValue.h"
#include "platform/Dialoghi.h"
#include "switchover/FRM_ZEBCommutazione.h"

using namespace ModZebPagina;
namespace R = CommutazioneRegole;
using Piattaforma::IconaMessaggio;
using Piattaforma::PulsantiMessaggio;
using Piattaforma::RispostaMessaggio;

namespace {

int32_t EventiValore(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size() || k >= TabellaBlocchi[blocco].Valori.size()) return 0;
    return TabellaBlocchi[blocco].Valori[k];
}

bool EventiMotoreAcceso() { return (EventiValore(1, 37) & 0x01) != 0; }

QString EventiTitolo() {
    if (ModMain::FinestraPrincipale) return ModMain::FinestraPrincipale->windowTitle();
    return QString::fromLatin1(Applicazione::TitoloApplicazione);
}

RispostaMessaggio EventiMessaggio(int16_t voce, IconaMessaggio icona, PulsantiMessaggio pulsanti, bool conTitolo = true) {
    return Piattaforma::MostraMessaggio(ModMain::VoceLingua(voce), conTitolo ? EventiTitolo() : QString(), icona, pulsanti);
}

int EventiDueStati(const QComboBox* c) { return c->currentIndex() == 0 ? 0 : 1; }

} // namespace

bool FRM_ZEBCommutazione::Guardie() const { return !InCaricamento && SlotLibero(); }

void FRM_ZEBCommutazione::Posta3(ListaModifiche lista, int32_t codice) {
    ModBlck::ModificheBlocco3 = std::move(lista);
    Posta(codice);
}

R::Parole3 FRM_ZEBCommutazione::Parole() const {
    return {EventiValore(3, 0), EventiValore(3, 1), EventiValore(3, 3), EventiValore(3, 42)};
}

std::optional<int32_t> FRM_ZEBCommutazione::VoceScelta(const QComboBox* c) const {
    if (c->currentIndex() < 0) return std::nullopt;
    return R::ValoreVoce(NumeroVoce(c->currentText()));
}

// ---- Plain edits: one entry each. A selection that is no number stages nothing
// and puts the list back.

void FRM_ZEBCommutazione::CMB_cont_cicliRPM_Click() {
    if (!Guardie()) return;
    const auto v = VoceScelta(CMB_cont_cicliRPM);
    if (!v) return AggiornaSelezioni();
    ModificaSingola(ModBlck::ModificheBlocco16, *v, 24, 0);
    Posta(REQ_WRITE_BLK16);
}

void FRM_ZEBCommutazione::CmbConfSistemaId_Click() {
    if (!Guardie()) return;
    auto v = VoceScelta(CmbConfSistemaId);
    if (!v) return AggiornaSelezioni();
    if (*v < 0) v = EventiValore(15, 47);
    ModificaSingola(ModBlck::ModificheBlocco15, *v, 47, 0);
    Posta(REQ_WRITE_BLK15);
}

void FRM_ZEBCommutazione::CmbSogliaTensRpm_Click() {
    if (!Guardie()) return;
    const int i = CmbSogliaTensRpm->currentIndex();
    if (i < 0 || static_cast<size_t>(i) >= Soglie.codici.size()) return AggiornaSelezioni();
    ModificaSingola(ModBlck::ModificheBlocco15, Soglie.codici[static_cast<size_t>(i)], 87, 0);
    Posta(REQ_WRITE_BLK15);
}

void FRM_ZEBCommutazione::CmbswitchDir_Click() {
    if (!Guardie()) return;
    Posta3({{EventiDueStati(CmbswitchDir), 33, 0x02}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbServizi_Click() {
    if (!Guardie()) return;
    Posta3({{EventiDueStati(CmbServizi), 33, 0x08}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbEmergenza_Click() {
    if (!Guardie()) return;
    Posta3({{EventiDueStati(CmbEmergenza), 49, 0x04}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbSwtchIsteresi_Click() {
    if (!Guardie()) return;
    const auto v = VoceScelta(CmbSwtchIsteresi);
    if (!v) return AggiornaSelezioni();
    Posta3({{*v, 34, 0}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbSwitchSovrap_Click() {
    if (!Guardie()) return;
    const auto v = VoceScelta(CmbSwitchSovrap);
    if (!v) return AggiornaSelezioni();
    Posta3({{*v, 5, 0}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbTempoSeqInj_Click() {
    if (!Guardie()) return;
    const auto v = VoceScelta(CmbTempoSeqInj);
    if (!v) return AggiornaSelezioni();
    Posta3({{*v, 41, 0}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbSwtchForce_Click() {
    if (!Guardie()) return;
    auto l = R::ModificaForza(CmbSwtchForce->currentIndex(), NumeroVoce(CmbSwtchForce->currentText()));
    if (!l) return AggiornaSelezioni();
    Posta3(std::move(*l), REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbTempoAutoCalda_Click() {
    if (!Guardie()) return;
    int32_t v = 0;
    if (CmbTempoAutoCalda->currentIndex() > 0) {
        const auto n = VoceScelta(CmbTempoAutoCalda);
        if (!n) return AggiornaSelezioni();
        v = *n;
    }
    Posta3({{v, 43, 0}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::Check2_Click(int Index) {
    if (!Guardie() || Index < 0 || Index > 7) return;
    Posta3({{Check2[static_cast<size_t>(Index)]->checkState() != Qt::Unchecked ? 1 : 0, 33, 1 << Index}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::Check3_Click(int Index) {
    if (!Guardie() || Index < 0 || Index > 7) return;
    ModificaSingola(ModBlck::ModificheBlocco2, Check3[static_cast<size_t>(Index)]->checkState() != Qt::Unchecked ? 1 : 0, 2,
                    1 << Index);
    Posta(REQ_WRITE_BLK2);
}

void FRM_ZEBCommutazione::Check4_Click(int Index) {
    if (!Guardie() || Index < 0 || Index > 7) return;
    Posta3({{Check4[static_cast<size_t>(Index)]->checkState() != Qt::Unchecked ? 1 : 0, 49, 1 << Index}}, REQ_WRITE_BLK3);
}

// ---- Edits with a sequence of their own

void FRM_ZEBCommutazione::CmbSwtchRpm_Click() {
    if (!Guardie()) return;
    const auto r = VoceScelta(CmbSwtchRpm);
    if (!r) return AggiornaSelezioni();
    Posta3(R::ModificaGiri(*r, Parole()), REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbNumBobine_Click() {
    if (!Guardie()) return;
    const auto b = VoceScelta(CmbNumBobine);
    const auto r = VoceScelta(CmbSwtchRpm);
    if (!b || !r) return AggiornaSelezioni();
    Posta3(R::ModificaBobine(*b, *r, Parole()), REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbFattorex1x2_Click() {
    if (!Guardie()) return;
    const auto r = VoceScelta(CmbSwtchRpm);
    if (!r) return AggiornaSelezioni();
    Posta3(R::ModificaMoltiplicatore(CmbFattorex1x2->currentIndex(), *r), REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::cmb_spark_Click() {
    if (!Guardie()) return;
    Posta3(R::ModificaSpark(cmb_spark->currentIndex(), Parole(), ModBlck::SogliaSpark), REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::CmbFiloRpm_Click() {
    if (!Guardie()) return;
    if (EventiMotoreAcceso() && (EventiValore(2, 0) == 3 || EventiValore(2, 1) == 3)) {
        EventiMessaggio(16, IconaMessaggio::Critica, PulsantiMessaggio::Ok);
        GuardiaCaricamento guardia(InCaricamento);
        RipristinaFiloRpm();
        return;
    }
    Posta3({{CmbFiloRpm->currentIndex() == 0 ? 1 : 0, 33, 0x01}}, REQ_WRITE_BLK3);
}

void FRM_ZEBCommutazione::cmbstartstop_Click() {
    if (!Guardie()) return;
    if ((EventiValore(19, 0) & 0x20) && ModMain::AbilitaNuovaObd && cmbstartstop->currentIndex() == 1 &&
        !ModMain::LivelloAut) {
        Piattaforma::MostraMessaggio(ModMain::TestoLingua(TestoAvvisoStartStop),
                                     ModMain::TestoLingua(ModMain::Dizionario ? ModMain::Dizionario->VoceDizionario(0, 0) : ""));
        return AggiornaSelezioni();
    }
    ModificaSingola(ModBlck::ModificheBlocco15, EventiDueStati(cmbstartstop), 5, 0x80);
    Posta(REQ_WRITE_BLK15);
}

void FRM_ZEBCommutazione::CmbSwtchTemp_Click() {
    if (!Guardie()) return;
    const auto t = VoceScelta(CmbSwtchTemp);
    if (!t) return AggiornaSelezioni();
    ModBlck::ModificheBlocco3 = {{4, 33, 0x04}, {*t, 2, 0}};
    if (TabellaBlocchi.size() > 6) TraslaTabellaTemperature(*t, TabellaBlocchi[6]);
    Posta(REQ_WRITE_SWITCH_TEMP);
}

void FRM_ZEBCommutazione::CmbTipoInj_Click() {
    if (!Guardie()) return;
    if (EventiMotoreAcceso() &&
        EventiMessaggio(25, IconaMessaggio::Nessuna, PulsantiMessaggio::SiNo) == RispostaMessaggio::No)
        return AggiornaSelezioni();
    // The lists are staged only once a definition is found, so nothing half-filled stays behind.
    const auto m = R::CercaIniettore(ModBlck::TipiIniettori, CmbTipoInj->currentText().toStdString());
    if (!m) return AggiornaSelezioni();
    ModBlck::ModificheBlocco3 = m->blocco3;
    ModBlck::ModificheBlocco15 = m->blocco15;
    Posta(REQ_WRITE_BLK3_BLK15);
}

void FRM_ZEBCommutazione::CmbNumCilindri_Click() {
    if (!Guardie()) return;
    if (EventiMotoreAcceso()) {
        EventiMessaggio(17, IconaMessaggio::Critica, PulsantiMessaggio::Ok);
        return AggiornaSelezioni();
    }
    const auto n = VoceScelta(CmbNumCilindri);
    if (!n || *n < 1 || *n > 8 || TabellaBlocchi.size() <= 3) return AggiornaSelezioni();
    MDIFrm::CopiaBlocco3 = TabellaBlocchi[3];
    MDIFrm::CopiaBlocco3.Valori = R::CopiaCilindri(TabellaBlocchi[3].Valori, *n);
    ModBlck::TabellaCilindri = MDIFrm::CopiaBlocco3.Valori;
    ModBlck::CambioConfigIniettori.Modo = 3;
    ModBlck::CambioConfigIniettori.Valore = static_cast<uint8_t>(*n);
    ModBlck::CambioConfigIniettori.Tipo = 2;
    Posta(REQ_SET_INJECTORS);
}

void FRM_ZEBCommutazione::CmbConfSistema_Click() {
    if (!Guardie()) return;
    const int i = CmbConfSistema->currentIndex();
    if (EventiMessaggio(61, IconaMessaggio::Nessuna, PulsantiMessaggio::OkAnnulla, false) == RispostaMessaggio::Ok &&
        i >= 0 && static_cast<size_t>(i) < ModMain::ConfigurazioniPredefinite.size()) {
        ModMain::PercorsoCaricamento = ModMain::ConfigurazioniPredefinite[static_cast<size_t>(i)].Percorso;
        if (ModGlobFunct::EsisteFile(ModMain::PercorsoCaricamento)) {
            Posta(REQ_LOAD_CONFIG_FILE);
            ModMain::NomeConfigurazione.clear();
            return;
        }
    }
    AggiornaSelezioni();
}

void FRM_ZEBCommutazione::CmbTipoAlim_Click() {
    if (!Guardie()) return;
    if (EventiMessaggio(60, IconaMessaggio::Nessuna, PulsantiMessaggio::SiNo, false) == RispostaMessaggio::No)
        return Posta3({{EventiDueStati(CmbTipoAlim), 33, 0x20}}, REQ_WRITE_BLK3);
    // The fuel-system choice dialog is not part of this tool: nothing chosen, the page is put back.
    EventiMessaggio(61, IconaMessaggio::Nessuna, PulsantiMessaggio::OkAnnulla, false);
    AggiornaSelezioni();
}

// ---- Buttons

void FRM_ZEBCommutazione::CmdSwtchRitardo_Click() {
    FrmRitardoCommutazione->setVisible(true);
    FrmRitardoCommutazione->raise();
    Form_Resize();
}

void FRM_ZEBCommutazione::CMD_Close_Click() {
    FermaRipetizione();
    FrmRitardoCommutazione->setVisible(false);
}

void FRM_ZEBCommutazione::CmdTipoInj_Click() { MDIFrm::Interfaccia().SelezioneScheda(SCHEDA_INIETTORI); }

// ---- Spark threshold box

void FRM_ZEBCommutazione::TEXT_SPARK_Change() {
    if (InCaricamento) return;
    QPalette p = TEXT_SPARK->palette();
    p.setColor(QPalette::Base, QColor(255, 255, 0));
    p.setColor(QPalette::Text, Qt::black);
    TEXT_SPARK->setPalette(p);
}

void FRM_ZEBCommutazione::TEXT_SPARK_GotFocus() {
    TestoSparkIngresso = TEXT_SPARK->text().toStdString();
    TestoSparkValido = TestoSparkIngresso;
}

void FRM_ZEBCommutazione::TEXT_SPARK_KeyUp(int16_t KeyCode) {
    const std::string testo = TEXT_SPARK->text().toStdString();
    if (KeyCode == 13 && SlotLibero()) {
        // A pasted text that is no number is not written: the box shows the value on entry.
        const auto v = R::ValoreSpark(NumeroVoce(TEXT_SPARK->text()));
        if (!v) {
            TestoSparkValido = TestoSparkIngresso;
            TEXT_SPARK->setText(QString::fromStdString(TestoSparkIngresso));
            TEXT_SPARK->setPalette(QPalette());
            return;
        }
        Posta3({{*v, 44, 0}}, REQ_WRITE_BLK3);
        TEXT_SPARK->setPalette(QPalette());
        TestoSparkIngresso = TestoSparkValido = testo;
        return;
    }
    if (!testo.empty() && NumeroVoce(TEXT_SPARK->text())) TestoSparkValido = testo;
    if (TEXT_SPARK->text().toStdString() != TestoSparkValido) TEXT_SPARK->setText(QString::fromStdString(TestoSparkValido));
}

void FRM_ZEBCommutazione::TEXT_SPARK_LostFocus() {
    if (TEXT_SPARK->text().toStdString() == TestoSparkIngresso && TestoSparkValido == TestoSparkIngresso) return;
    TEXT_SPARK->setText(QString::fromStdString(TestoSparkIngresso));
    TestoSparkValido = TestoSparkIngresso;
    TEXT_SPARK->setPalette(QPalette());
}

// ---- Bad-bit slider and the deferred writes

void FRM_ZEBCommutazione::SldBadBit_Change() {
    const char sep = ModGlobFunct::SeparatoreDecimale.empty() ? '.' : ModGlobFunct::SeparatoreDecimale[0];
    LblBadBit_Val->setText(QString::fromStdString(Conv::NumeroGenerale(SldBadBit->value() / 10.0, sep)));
}

void FRM_ZEBCommutazione::SldBadBit_Rilascio() {
    if (!InCaricamento) SldBadBitInSospeso = true;
}

void FRM_ZEBCommutazione::RealTimeMonitor() {
    if (SldBadBitInSospeso && SlotLibero()) {
        SldBadBitInSospeso = false;
        Posta3({{SldBadBit->value(), 47, 0}}, REQ_WRITE_BLK3);
    }
    if (!TabellaInSospeso.empty() && !TastoInRipetizione) PostaTabella();
}

// ---- Temperature-sensor grid

void FRM_ZEBCommutazione::EvidenziaCellaTemp() {
    if (GrdTemp->Col() <= 0) return;
    GrdTemp->CellBackColor(0x00FFFF);
    GrdTemp->CellForeColor(0x000000);
}

void FRM_ZEBCommutazione::RipristinaCellaTemp() {
    GrdTemp->CellBackColor(static_cast<int32_t>(0x80000005));
    GrdTemp->CellForeColor(0x000000);
}

void FRM_ZEBCommutazione::TraslaTabellaTemperature(int32_t temperatura, BloccoParametri& blocco) {
    R::TraslaTemperature(blocco.Valori, CmbTempZero->currentIndex(), temperatura);
}

void FRM_ZEBCommutazione::GrdTemp_KeyDown(int16_t KeyCode, int16_t Shift) {
    if (KeyCode == 16 || TastoInRipetizione || !R::TastoPasso(KeyCode)) return;
    if (GrdTemp->Col() < 1 || GrdTemp->Row() < 0 || GrdTemp->Row() > 1) return;
    RegolaCella(KeyCode, Shift);
    ScriviTabella();
}

void FRM_ZEBCommutazione::RegolaCella(int16_t KeyCode, int16_t Shift) {
    const int riga = GrdTemp->Row(), colonna = GrdTemp->Col();
    TastoInRipetizione = true;
    int32_t v = R::ValoreVoce(NumeroVoce(GrdTemp->TextMatrix(riga, colonna))).value_or(0);
    QPointer<FRM_ZEBCommutazione> io(this);
    while (io && TastoInRipetizione) {
        v = R::Passo(riga, v, KeyCode, Shift);
        GrdTemp->TextMatrix(riga, colonna, QString::number(v));
        TabellaInSospeso[R::IndiceCella(riga, colonna)] = R::ValoreCella(riga, v);
        ModGlobFunct::AttendiMicrosecondi(150000);
    }
}

void FRM_ZEBCommutazione::GrdTemp_KeyUp(int16_t KeyCode, int16_t) {
    TastoInRipetizione = false;
    if (KeyCode != 13) return;
    const int riga = GrdTemp->Row(), colonna = GrdTemp->Col();
    if (colonna < 1 || riga < 0 || riga > 1) return;
    LimitiValore limiti{255, -255, 100, -100, 127, -127};
    if (ModMapEditor::ChiediValore(limiti, 0) == 0) return;
    const double cella = NumeroVoce(GrdTemp->TextMatrix(riga, colonna)).value_or(0.0);
    const auto v = R::ValoreDialogo(riga, cella, ModMain::OperazioneInserita, ModMain::ValoreInserito);
    if (!v) return;
    GrdTemp->TextMatrix(riga, colonna, QString::number(*v));
    TabellaInSospeso[R::IndiceCella(riga, colonna)] = R::ValoreCella(riga, *v);
    ScriviTabella();
}

void FRM_ZEBCommutazione::ScriviTabella() {
    // Posted now when the slot is empty, otherwise by the display timer once it is.
    PostaTabella();
}

void FRM_ZEBCommutazione::PostaTabella() {
    if (TabellaInSospeso.empty() || !SlotLibero() || TabellaBlocchi.size() <= 6) return;
    // Block 6 as the ECU holds it, with only the cells the user changed.
    ModBlck::FrameTabellaTemp = R::TramaTabella(TabellaBlocchi[6], TabellaInSospeso);
    TabellaInSospeso.clear();
    Posta(REQ_WRITE_TEMP_TABLE);
}
