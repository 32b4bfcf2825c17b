#include "injdir/FrmInjDirAcq1.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>

#include "controls/PulsanteGrafico.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainRichieste.h"
#include "engine/ModMainTasti.h"
#include "injdir/InjDirAcqRegole.h"
#include "injdir/InjDirAcqTelaio.h"
#include "link/ModBlckComandi.h"
#include "link/ModBlckModifiche.h"

using namespace InjDirAcqTelaio;
namespace A = InjDirAcqRegole;

FrmInjDirAcq1::FrmInjDirAcq1(QWidget* contenitore) : QWidget(contenitore), proporzioni_(Larghezza, Altezza) {
    setObjectName(QStringLiteral("FrmInjDirAcq1"));
    SHP_Contorno_1 = Sfondo(this, "SHP_Contorno_1");
    LAB_Sequenza1 = NuovaEtichettaAcq(this, "LAB_Sequenza1", 0xFFFF80, 11, true);
    Posto(LAB_Sequenza1, 40, 24, 420, 24);
    Shp_Semaforo_1 = NuovoSemaforo(this, "Shp_Semaforo_1");
    Posto(Shp_Semaforo_1, 470, 20, 30, 30);
    CMD_Acquisisci = NuovoPulsante(this, "CMD_Acquisisci");
    Posto(CMD_Acquisisci, 40, 60, 220, 36);
    LAB_Sequenza_Val = NuovaEtichettaAcq(this, "LAB_Sequenza_Val", 0xFFFFFF, 11, true);
    Posto(LAB_Sequenza_Val, 280, 60, 240, 60);
    LAB_Sequenza2 = NuovaEtichettaAcq(this, "LAB_Sequenza2", 0xFFFF80, 11, true);
    Posto(LAB_Sequenza2, 40, 150, 420, 24);
    Shp_Semaforo_2 = NuovoSemaforo(this, "Shp_Semaforo_2");
    Posto(Shp_Semaforo_2, 470, 146, 30, 30);
    for (int i = 0; i < 2; ++i) {
        auto* cornice = new ModZebPagina::FormaPagina(this, QString(), 3, false);
        ModMain::ImpostaMembro(cornice, QStringLiteral("SHP_AnticipataoNo"), i);
        cornice->ColoreBordo(0xFFFF);
        Posto(cornice, 34 + i * 240, 182, 232, 48);
        cornice->hide();
        SHP_AnticipataoNo[static_cast<size_t>(i)] = cornice;
        auto* b = NuovoPulsante(this, "");
        ModMain::ImpostaMembro(b, QStringLiteral("CMD_AnticipataoNo"), i);
        Posto(b, 40 + i * 240, 188, 220, 36);
        CMD_AnticipataoNo[static_cast<size_t>(i)] = b;
        connect(b, &PulsanteGrafico::Click, this, [this, i] { CMD_AnticipataoNo_Click(i); });
    }
    CMD_ResetAnticipo = NuovoPulsante(this, "CMD_ResetAnticipo");
    Posto(CMD_ResetAnticipo, 760, 360, 200, 36);
    LAB_AnticipoIstruzioni_1 = NuovaEtichettaAcq(this, "LAB_AnticipoIstruzioni_1", 0xFFFFFF, 10);
    Posto(LAB_AnticipoIstruzioni_1, 540, 24, 420, 200);
    LAB_Esito_1 = NuovaEtichettaAcq(this, "LAB_Esito_1", 0xFF00, 10, true);
    Posto(LAB_Esito_1, 40, 250, 680, 60);
    connect(CMD_Acquisisci, &PulsanteGrafico::Click, this, &FrmInjDirAcq1::CMD_Acquisisci_Click);
    connect(CMD_ResetAnticipo, &PulsanteGrafico::Click, this, &FrmInjDirAcq1::CMD_ResetAnticipo_Click);
}

void FrmInjDirAcq1::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    InAggiornamento = false;
    UltimoEsito.clear();
    PosizioneSezione = PosizioneSeqInj = 0;
    VistaDaAggiornare = false;
    CaricaLingua();
    caricata_ = true;
    Form_Resize();
}

void FrmInjDirAcq1::Form_Unload() { caricata_ = false; }

void FrmInjDirAcq1::Form_Resize() { proporzioni_.Applica(this); }

void FrmInjDirAcq1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (caricata_) Form_Resize();
}

void FrmInjDirAcq1::Form_KeyUp(int16_t KeyCode, int16_t Shift) { ModMain::GestisciTasto(KeyCode, Shift); }

void FrmInjDirAcq1::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmInjDirAcq1::CaricaLingua() {
    if (const auto k = ModZebPagina::CercaMarcatore("[Diagnosi_Support_S]")) ModMain::IndiceVoceDizionario = *k;
    if (const auto k = ModZebPagina::CercaMarcatore("[FrmSeqInj]")) PosizioneSeqInj = *k;
    PosizioneSezione = Sezione(PosizioneSezione);
    const int32_t T = PosizioneSezione;
    LAB_Sequenza1->setText(Testo(T, 4));
    CMD_Acquisisci->Caption(Testo(T, 5));
    LAB_Sequenza2->setText(Testo(T, 6));
    CMD_AnticipataoNo[0]->Caption(Testo(T, 7));
    CMD_AnticipataoNo[1]->Caption(Testo(T, 8));
    CMD_ResetAnticipo->Caption(Testo(T, 13));
    LAB_Sequenza_Val->clear();
    LAB_AnticipoIstruzioni_1->clear();
    LAB_Esito_1->clear();
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

void FrmInjDirAcq1::CMD_AnticipataoNo_Click(int Index) {
    if (InAggiornamento || Index < 0 || Index > 1) return;
    // A second choice made before the first is handled is dropped.
    if (TagAnticipataoNo[0] || TagAnticipataoNo[1]) return;
    TagAnticipataoNo[static_cast<size_t>(Index)] = true;
}

void FrmInjDirAcq1::AggiornaVisualizzazione() {
    ModZebPagina::GuardiaCaricamento guardia(InAggiornamento);
    const int32_t W = StatoWizard(), T = PosizioneSezione, S = PosizioneSeqInj;
    const bool acquisita = (W & A::BitSequenza) != 0;
    if (acquisita) {
        LAB_AnticipoIstruzioni_1->setText(Testo(T, 15));
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_1, 2);
    } else {
        LAB_AnticipoIstruzioni_1->setText(Testo(T, 14) + QStringLiteral(" ") + Testo(T, 10));
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_1, 0);
    }
    CMD_Acquisisci->Enabled(!acquisita);
    bool sceltaAperta = acquisita;
    if (W & (A::BitNonAnticipata | A::BitAnticipata)) {
        LAB_AnticipoIstruzioni_1->setText(Testo(T, 16) + QStringLiteral(" ") + Testo(T, 13));
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_2, 2);
        sceltaAperta = false;
        const bool non = (W & A::BitNonAnticipata) != 0;
        SHP_AnticipataoNo[1]->setVisible(non);
        SHP_AnticipataoNo[0]->setVisible(!non);
    } else {
        ModGlobFunct::ImpostaColoreStato(Shp_Semaforo_2, 0);
        for (auto* b : CMD_AnticipataoNo) b->Value(false);
        for (auto* s : SHP_AnticipataoNo) s->hide();
    }
    for (auto* b : CMD_AnticipataoNo) b->Enabled(sceltaAperta);
    CMD_ResetAnticipo->Enabled(true);
    const auto* b15 = TabellaBlocchi.size() > 15 ? &TabellaBlocchi[15].Valori : nullptr;
    std::string testo = b15 ? A::TestoSequenza(*b15, Valore(3, 1).value_or(0)) : std::string();
    const int32_t esito = Valore(15, 78).value_or(0);
    LAB_Sequenza_Val->setText(QString::fromStdString(testo) + QStringLiteral("\r\n") +
                              Testo(S, esito == 1 ? 5 : esito == 2 ? 6 : 7));
}

void FrmInjDirAcq1::AggiornaEsito() {
    if (ModBlck::EsitoRichiesta == UltimoEsito) return;
    UltimoEsito = ModBlck::EsitoRichiesta;
    bool ok = false;
    const std::string t = ModMain::TestoEsitoRisposta(UltimoEsito, ok);
    LAB_Esito_1->setText(ModMain::TestoLingua(t));
    QPalette p = LAB_Esito_1->palette();
    p.setColor(QPalette::WindowText, ModZebPagina::Colore(ok ? 0xFF00 : 0xFFFF));
    LAB_Esito_1->setPalette(p);
}

void FrmInjDirAcq1::GestioneRichieste() {
    if (ModMain::RichiestaPendente != 0) return;
    if (VistaDaAggiornare) {
        VistaDaAggiornare = false;
        AggiornaVisualizzazione();
    } else if (TagAcquisisci) {
        TagAcquisisci = false;
        ModBlck::ModificheBlocco16 = {ModificaPendente{A::BitSequenza, 26, A::BitSequenza}};
        UltimoEsito.clear();
        LAB_Esito_1->clear();
        ModZebPagina::Posta(REQ_ACQUIRE_INJ_SEQUENCE_DI);
    } else if (TagAnticipataoNo[0] || TagAnticipataoNo[1]) {
        const bool anticipata = TagAnticipataoNo[0];
        TagAnticipataoNo = {};
        const int32_t bit = anticipata ? A::BitAnticipata : A::BitNonAnticipata;
        ModBlck::ModificheBlocco16 = {ModificaPendente{bit, 26, bit}};
        ModBlck::ModificheBlocco12 = A::TabellaAnticipoUniforme(anticipata ? 90 : 0);
        LAB_Esito_1->clear();
        ModZebPagina::Posta(anticipata ? REQ_APPLY_SEQUENCE_ANTICIPATED : REQ_APPLY_SEQUENCE_NORMAL);
    } else if (TagReset) {
        TagReset = false;
        ModBlck::ModificheBlocco16 = {ModificaPendente{0, 26, A::BitSequenza}, ModificaPendente{0, 26, A::BitAnticipata},
                                      ModificaPendente{0, 26, A::BitNonAnticipata}};
        LAB_Esito_1->clear();
        ModZebPagina::Posta(REQ_WRITE_BLK16);
    }
    if (ModMain::RichiestaPendente != 0) VistaDaAggiornare = true;
    else AggiornaEsito();
}
