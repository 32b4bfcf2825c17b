#include "firmware/FrmFirmware.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPalette>

#include "core/Conversioni.h"
#include "controls/ModZebPagina.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "core/ModMainPercorsi.h"
#include "engine/ModMainCollegamento.h"
#include "engine/ModMainConnessione.h"
#include "engine/ModMainImmagineFirmware.h"
#include "engine/ModMainTasti.h"
#include "engine/ServiziInterfaccia.h"
#include "config/ModMainConfigurazioneEcu.h"
#include "config/ModMainFirmware.h"
#include "firmware/FirmwareConversioni.h"
#include "firmware/FirmwareProgrammazione.h"
#include "platform/Caratteri.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"
#include "platform/Processi.h"

namespace FrmFirmwareLocale {

// Design size of the page, twips.
constexpr double LarghezzaProgetto = 12120;
constexpr double AltezzaProgetto = 7005;
constexpr int32_t LarghezzaEtichettaBarra = 10800;

enum : int16_t {
    VoceAggiorna = 1, VoceProgramma = 2, VoceAnnulla = 3, VoceRelEcu = 4, VoceRelFile = 5, VocePerAggiornare = 14,
    VoceDataPiuRecente = 22, VoceAggiornato = 23, VoceDaAggiornare = 26, VoceNonCompatibile = 30, VoceLettura = 31,
    VoceScegli = 29,
};
constexpr int16_t VoceImmaginePiuVecchia = 41;

QLabel* Etichetta(QWidget* padre, const char* nome, QRgb colore, Qt::Alignment allineamento) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nome));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(colore));
    l->setPalette(p);
    l->setAlignment(allineamento);
    l->setWordWrap(true);
    return l;
}

PulsanteGrafico* NuovoPulsante(QWidget* padre, const char* nome) {
    return ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome),
                                       {.forma = 3, .senzaGradiente = true, .senzaFocus = true});
}

} // namespace FrmFirmwareLocale

using namespace FrmFirmwareLocale;

// What the programming sequence shows, on this page.
class FrmFirmware::Vista final : public FirmwareProgrammazione::VistaProgrammazione {
public:
    explicit Vista(FrmFirmware& f) : f_(f) {}
    void Fase(const std::string& testo) override { f_.LblBackBar->setText(ModMain::TestoLingua(testo)); }
    void Barra(int32_t larghezza, bool visibile) override { f_.ImpostaBarra(larghezza, visibile); }
    int32_t LarghezzaEtichetta() override { return LarghezzaEtichettaBarra; }
    void AvvisoImmagineVuota(const std::string& testo) override {
        Piattaforma::MostraMessaggio(ModMain::TestoLingua(testo), ModMain::VoceLingua(0),
                                     Piattaforma::IconaMessaggio::Esclamazione, Piattaforma::PulsantiMessaggio::Ok);
    }

private:
    FrmFirmware& f_;
};

FrmFirmware::FrmFirmware(QWidget* contenitore) : QWidget(contenitore) {
    setObjectName(QStringLiteral("FrmFirmware"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    SHP_Contorno = new QFrame(this);
    SHP_Contorno->setObjectName(QStringLiteral("SHP_Contorno"));
    SHP_Contorno->setAttribute(Qt::WA_TransparentForMouseEvents);
    SHP_Contorno->setStyleSheet(QStringLiteral("#SHP_Contorno { border: 3px solid #000040; background: transparent; }"));
    Colloca(SHP_Contorno, 60, 0, 12000, 7005);

    const QRgb grigio = qRgb(0xC0, 0xC0, 0xC0), bianco = qRgb(0xFF, 0xFF, 0xFF), giallo = qRgb(0xFF, 0xE0, 0x60);
    LblRelEcu = Etichetta(this, "LblRelEcu", grigio, Qt::AlignRight | Qt::AlignVCenter);
    LblRelEcu_Val = Etichetta(this, "LblRelEcu_Val", bianco, Qt::AlignLeft | Qt::AlignVCenter);
    LblRelFle = Etichetta(this, "LblRelFle", grigio, Qt::AlignRight | Qt::AlignVCenter);
    LblRelFle_Val = Etichetta(this, "LblRelFle_Val", bianco, Qt::AlignLeft | Qt::AlignVCenter);
    LblMsg = Etichetta(this, "LblMsg", giallo, Qt::AlignHCenter | Qt::AlignVCenter);
    LblLoadMessage = Etichetta(this, "LblLoadMessage", bianco, Qt::AlignHCenter | Qt::AlignTop);
    LblLoadMessage->setAutoFillBackground(true);
    QPalette pl = LblLoadMessage->palette();
    pl.setColor(QPalette::Window, Qt::black);
    LblLoadMessage->setPalette(pl);
    LblBackBar = Etichetta(this, "LblBackBar", bianco, Qt::AlignLeft | Qt::AlignVCenter);
    ShpBarUpDate = new QFrame(this);
    ShpBarUpDate->setObjectName(QStringLiteral("ShpBarUpDate"));
    ShpBarUpDate->setStyleSheet(QStringLiteral("#ShpBarUpDate { background: #2060E0; border: 1px solid #A0C0FF; }"));
    ShpBarUpDate->setVisible(false);

    Colloca(LblRelEcu, 360, 600, 4440, 450);
    Colloca(LblRelEcu_Val, 5040, 600, 3720, 450);
    Colloca(LblRelFle, 360, 1200, 4440, 450);
    Colloca(LblRelFle_Val, 5040, 1200, 3720, 450);
    Colloca(LblMsg, 600, 1950, 10920, 2100);
    Colloca(LblLoadMessage, 600, 1950, 10920, 2100);
    Colloca(LblBackBar, 660, 4200, LarghezzaEtichettaBarra, 420);
    posti_.back().punti = 10;

    CmdSelect = NuovoPulsante(this, "CmdSelect");
    CmdUpdate = NuovoPulsante(this, "CmdUpdate");
    CmdOk = NuovoPulsante(this, "CmdOk");
    CmdCancel = NuovoPulsante(this, "CmdCancel");
    // The chooser beside the image's release; the three steps of an update centred below.
    Colloca(CmdSelect, 8880, 1140, 2640, 570);
    int32_t x = 2040;
    for (auto* b : {CmdUpdate, CmdOk, CmdCancel}) {
        Colloca(b, x, 5700, 2520, 660);
        x += 2760;
    }
    for (auto& q : posti_) {
        if (q.w == LblRelEcu || q.w == LblRelFle || q.w == LblRelEcu_Val || q.w == LblRelFle_Val) q.punti = 12;
        if (q.w == LblMsg || q.w == LblLoadMessage) q.punti = 12;
        if (qobject_cast<PulsanteGrafico*>(q.w)) q.punti = 11;
    }

    connect(CmdSelect, &PulsanteGrafico::Click, this, &FrmFirmware::CmdSelect_Click);
    connect(CmdUpdate, &PulsanteGrafico::Click, this, &FrmFirmware::CmdUpdate_Click);
    connect(CmdOk, &PulsanteGrafico::Click, this, &FrmFirmware::CmdOk_Click);
    connect(CmdCancel, &PulsanteGrafico::Click, this, &FrmFirmware::CmdCancel_Click);
    ApplicaPosti();
}

void FrmFirmware::Colloca(QWidget* w, int32_t sinistra, int32_t alto, int32_t larghezza, int32_t altezza) {
    posti_.push_back({w, sinistra, alto, larghezza, altezza, 0});
}

void FrmFirmware::ApplicaPosti() {
    // Every control scaled by the ratio of the page's size to its design size;
    // fonts by the width ratio.
    const double rx = width() > 0 ? width() / (LarghezzaProgetto / 15.0) : 1.0;
    const double ry = height() > 0 ? height() / (AltezzaProgetto / 15.0) : 1.0;
    for (const auto& q : posti_) {
        const int x0 = static_cast<int>(q.x / 15.0 * rx), y0 = static_cast<int>(q.y / 15.0 * ry);
        const int x1 = static_cast<int>((q.x + q.l) / 15.0 * rx), y1 = static_cast<int>((q.y + q.a) / 15.0 * ry);
        q.w->setGeometry(x0, y0, std::max(1, x1 - x0), std::max(1, y1 - y0));
        if (q.punti > 0) {
            const double punti = std::max(6.0, Conv::ArrotondaPari(q.punti * std::min(rx, ry * 1.4)));
            const bool grassetto = q.w == LblRelEcu_Val || q.w == LblRelFle_Val || q.w == LblMsg;
            const QFont f = Piattaforma::CreaFont(QStringLiteral("Tahoma"), punti, grassetto);
            if (auto* b = qobject_cast<PulsanteGrafico*>(q.w)) b->Font(f);
            q.w->setFont(f);
        }
    }
    ImpostaBarra(larghezzaBarra_, ShpBarUpDate->isVisible());
}

void FrmFirmware::ImpostaBarra(int32_t larghezzaTwip, bool visibile) {
    larghezzaBarra_ = larghezzaTwip;
    const double rx = width() > 0 ? width() / (LarghezzaProgetto / 15.0) : 1.0;
    const double ry = height() > 0 ? height() / (AltezzaProgetto / 15.0) : 1.0;
    const int l = std::max(1, static_cast<int>(std::min(larghezzaTwip, LarghezzaEtichettaBarra) / 15.0 * rx));
    ShpBarUpDate->setGeometry(static_cast<int>(660 / 15.0 * rx), static_cast<int>(4740 / 15.0 * ry), l,
                              std::max(4, static_cast<int>(330 / 15.0 * ry)));
    ShpBarUpDate->setVisible(visibile);
}

void FrmFirmware::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void FrmFirmware::Form_Resize() { ApplicaPosti(); }

void FrmFirmware::Form_Load() {
    ModMain::CaricaListeLivelli(this, liste_);
    LblLoadMessage->setVisible(false);
    operazioneInCorso_ = false;
    CaricaLingua();
    LblMsg->setText(ModMain::VoceLingua(static_cast<int16_t>(OffsetLingua + VocePerAggiornare)) + QLatin1Char(' ') +
                    CmdUpdate->Caption());
}

void FrmFirmware::Form_Unload() {}

void FrmFirmware::AggiornaLivelliVisualizzazione() { ModMain::AggiornaLivelliForma(this, liste_); }

void FrmFirmware::CaricaLingua() {
    OffsetLingua = ModMain::CercaSezione("[Frm_Firmware]");
    auto voce = [this](int16_t n) { return ModMain::VoceLingua(static_cast<int16_t>(OffsetLingua + n)); };
    CmdSelect->Caption(voce(VoceScegli));
    LblLoadMessage->setText(QStringLiteral("\r\n\r\n") + voce(VoceLettura));
    CmdUpdate->Caption(voce(VoceAggiorna));
    CmdOk->Caption(voce(VoceProgramma));
    CmdCancel->Caption(voce(VoceAnnulla));
    LblRelEcu->setText(voce(VoceRelEcu));
    LblRelFle->setText(voce(VoceRelFile));
    ModMain::ImpostaFontLingua(this, ModMain::CharsetCorrente());
}

std::string FrmFirmware::TestoCentralina() const {
    return TabellaBlocchi.empty() ? std::string() : TabellaBlocchi[0].UltimaRisposta;
}

void FrmFirmware::AbilitaAltreForme(bool barre, bool commutatore) {
    auto& ui = MDIFrm::Interfaccia();
    ui.FRM_ZEBMenuTop_Abilita(barre);
    ui.FRM_ZEBMenuTop2_Abilita(barre);
    ui.FRM_ZEBMenuTop3_Abilita(barre);
    ui.FrmCommutatore_Abilita(commutatore);
}

bool FrmFirmware::CaricaVersioneCentralina(const std::string& EcuFrw, const std::string& FileFrw) {
    using FirmwareConversioni::RigaCompatibilita;
    LblRelEcu_Val->setText(QString::fromStdString(ModMain::FormattaVersioneFirmware(EcuFrw)));
    LblRelFle_Val->setText(QString::fromStdString(ModMain::FormattaVersioneFirmware(FileFrw)));
    const auto c = FirmwareConversioni::ValutaCompatibilita(
        EcuFrw, FileFrw, ModMain::FirmaHardware[ModMain::VarianteHardware == 1 ? 1 : 0]);
    auto voce = [this](int16_t n) { return ModMain::VoceLingua(static_cast<int16_t>(OffsetLingua + n)); };
    const QString crlf = QStringLiteral("\r\n");
    switch (c.riga) {
    case RigaCompatibilita::Sconosciuta:
        LblMsg->setText(QStringLiteral("---"));
        CmdUpdate->Enabled(true);
        break;
    case RigaCompatibilita::DaAggiornare:
        LblMsg->setText(crlf + voce(VoceDaAggiornare));
        CmdUpdate->Enabled(true);
        CmdOk->Enabled(false);
        CmdCancel->Enabled(false);
        AbilitaAltreForme(false, false);
        break;
    case RigaCompatibilita::ImmaginePiuVecchia:
        break;
    case RigaCompatibilita::DataPiuRecente:
        LblMsg->setText(voce(VoceDataPiuRecente) + crlf + crlf + voce(VocePerAggiornare) + QLatin1Char(' ') +
                        CmdUpdate->Caption());
        CmdUpdate->Enabled(true);
        CmdOk->Enabled(false);
        CmdCancel->Enabled(false);
        break;
    case RigaCompatibilita::Uguale:
    case RigaCompatibilita::DataPiuVecchia:
        LblMsg->setText(c.riga == RigaCompatibilita::Uguale ? crlf + voce(VoceAggiornato)
                                                             : ModMain::VoceLingua(VoceImmaginePiuVecchia));
        CmdUpdate->Enabled(ModMain::LivelloSup != 0);
        CmdOk->Enabled(false);
        CmdCancel->Enabled(false);
        break;
    }
    return c.stessaChiave;
}

void FrmFirmware::CaricaAdrFlash(const std::string& percorso, std::vector<std::string>& indirizzi) {
    indirizzi = ModMain::ElencoIndirizziS2(percorso);
}

bool FrmFirmware::EraseAllFlash() {
    Vista v(*this);
    return FirmwareProgrammazione::EraseAllFlash(v, OffsetLingua);
}

std::string FrmFirmware::WriteMemoryToTab(int32_t indirizzo) { return FirmwareProgrammazione::WriteMemoryToTab(indirizzo); }

void FrmFirmware::ImpostaPulsanti(bool cmdCancelCmdOk, bool cmdUpdate) {
    CmdCancel->Enabled(cmdCancelCmdOk);
    CmdOk->Enabled(cmdCancelCmdOk);
    CmdUpdate->Enabled(cmdUpdate);
}

void FrmFirmware::CmdSelect_Click() {
    operazioneInCorso_ = true;
    CmdSelect->Enabled(false);
    const auto scelto = Piattaforma::ScegliFileDaAprire(
        CmdSelect->Caption(), QString::fromStdString(Piattaforma::CartellaProgramma()), QStringLiteral("Firmware (*.frh)"));
    LblLoadMessage->setVisible(true);
    LblLoadMessage->raise();
    if (scelto) {
        const std::string file = scelto->toStdString();
        const bool estensione = file.size() >= 4 && Conv::UCase(file.substr(file.size() - 4)) == ".FRH";
        if (estensione && ModGlobFunct::EsisteFile(file)) {
            ModMain::FirmwareFile = ModMain::LeggiInfoFirmwareImmagine(file);
            if (CaricaVersioneCentralina(TestoCentralina(), ModMain::FirmwareFile)) {
                LblLoadMessage->setVisible(false);
                CmdSelect->Enabled(true);
                CmdUpdate->Enabled(true);
                operazioneInCorso_ = false;
                ModMain::FileFirmwareScelto = file;
                return;
            }
        }
    }
    // Refused: the previous image back in the buffer.
    Piattaforma::Suona(600, 100);
    if (scelto)
        Piattaforma::MostraMessaggio(ModMain::VoceLingua(static_cast<int16_t>(OffsetLingua + VoceNonCompatibile)),
                                     ModMain::VoceLingua(0), Piattaforma::IconaMessaggio::Nessuna,
                                     Piattaforma::PulsantiMessaggio::Ok);
    ModMain::FirmwareFile = ModMain::LeggiInfoFirmwareImmagine(ModMain::FileFirmwareScelto);
    CaricaVersioneCentralina(TestoCentralina(), ModMain::FirmwareFile);
    LblLoadMessage->setVisible(false);
    CmdSelect->Enabled(true);
    operazioneInCorso_ = false;
}

void FrmFirmware::CmdUpdate_Click() { ModMain::AggiornamentoFirmware = 1; }

void FrmFirmware::CmdCancel_Click() {
    MDIFrm::Interfaccia().FRM_ZEBMenuTop_Abilita(true);
    MDIFrm::Interfaccia().FrmCommutatore_Abilita(true);
    ShpBarUpDate->setVisible(false);
    LblBackBar->clear();
    ModMain::AggiornamentoFirmware = 2;
}

void FrmFirmware::CmdOk_Click() {
    operazioneInCorso_ = true;
    ImpostaBarra(45, true);
    // The image chooser too: a new choice would reload the buffer being written.
    const bool selezione = CmdSelect->Enabled();
    for (auto* b : {CmdOk, CmdUpdate, CmdCancel, CmdSelect}) b->Enabled(false);
    AbilitaAltreForme(false, false);

    Vista v(*this);
    const int32_t esito = FirmwareProgrammazione::Programma(v, OffsetLingua);

    ShpBarUpDate->setVisible(false);
    LblBackBar->clear();
    LblMsg->setText(ModMain::TestoLingua(FirmwareProgrammazione::MessaggioEsito(esito, OffsetLingua)));
    CmdSelect->Enabled(selezione);
    if (esito == FirmwareProgrammazione::ESITO_OK) {
        AbilitaAltreForme(true, true);
        ModMain::AggiornamentoFirmware = 2;
    } else {
        CmdCancel->Enabled(true);
    }
    operazioneInCorso_ = false;
}

void FrmFirmware::Form_KeyUp(int16_t KeyCode, int16_t Shift) {
    if (!operazioneInCorso_) ModMain::GestisciTasto(KeyCode, Shift);
}
