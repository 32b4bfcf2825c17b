// The OBD page's trouble-code and MIL group: the option boxes, the
// selective-erase list with add and remove, the one-shot MIL switch-off and
// the status indicator fed by block 20.

#include "controls/PulsanteGrafico.h"
#include "controls/ModZebPagina.h"
#include "core/ClsLingue.h"
#include "core/ModBlckBlocchi.h"
#include "core/ModGlobFunct.h"
#include "core/ModMainDizionario.h"
#include "core/ModMainLivelli.h"
#include "engine/ModMainRichieste.h"
#include "link/ModBlckModifiche.h"
#include "obd/FrmObd.h"
#include "obd/LayoutPagina.h"
#include "obd/ObdCodiciErrore.h"
#include "platform/Charset.h"
#include "platform/Dialoghi.h"

namespace {

namespace CE = ObdCodiciErrore;

int32_t ValoreCodiciObd(size_t blocco, size_t k) {
    if (blocco >= TabellaBlocchi.size()) return 0;
    const auto& v = TabellaBlocchi[blocco].Valori;
    return k < v.size() ? v[k] : 0;
}

std::vector<int32_t> ValoriBloccoObd(size_t blocco) {
    return blocco < TabellaBlocchi.size() ? TabellaBlocchi[blocco].Valori : std::vector<int32_t>{};
}

QCheckBox* CasellaCodici(QWidget* padre, const char* nome, const QRect& posto) {
    auto* c = new QCheckBox(padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setStyleSheet(QStringLiteral("QCheckBox { color: #D8D8D8; } QCheckBox:disabled { color: #707070; }"));
    LayoutPagina::Colloca(c, posto, 8);
    return c;
}

PulsanteGrafico* PulsanteCodici(QWidget* padre, const char* nome, const QRect& posto) {
    auto* b = ModZebPagina::NuovoPulsante(padre, QString::fromLatin1(nome),
                                          {.forma = 0, .fondo = CE::Grigio, .riflesso = false, .senzaFocus = true});
    LayoutPagina::Colloca(b, posto, 7, true);
    return b;
}

QString ColoreCss(int32_t bgr) {
    return QStringLiteral("#%1%2%3")
        .arg(bgr & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

} // namespace

void FrmObd::CreaGruppoCodici() {
    CHK_SpegniSpiaPermanente = CasellaCodici(FRM1, "CHK_SpegniSpiaPermanente", QRect(128, 184, 264, 18));
    CHK_AbilitaCancellazioneSelettiva = CasellaCodici(FRM1, "CHK_AbilitaCancellazioneSelettiva", QRect(128, 202, 264, 18));
    CHK_SpegniSpiaKeyOff = CasellaCodici(FRM1, "CHK_SpegniSpiaKeyOff", QRect(128, 220, 264, 18));
    CHK_SpegniSpiaKeyOn = CasellaCodici(FRM1, "CHK_SpegniSpiaKeyOn", QRect(128, 238, 244, 18));
    chkbloccaOBD = CasellaCodici(FRM1, "chkbloccaOBD", QRect(128, 256, 264, 18));
    LAB_CodiceErrore = new QLabel(FRM1);
    LAB_CodiceErrore->setObjectName(QStringLiteral("LAB_CodiceErrore"));
    LAB_CodiceErrore->setStyleSheet(QStringLiteral("color: #D8D8D8; background: transparent;"));
    LayoutPagina::Colloca(LAB_CodiceErrore, QRect(128, 280, 120, 18), 8);
    TXT_Errore = new QLineEdit(FRM1);
    TXT_Errore->setObjectName(QStringLiteral("TXT_Errore"));
    TXT_Errore->setMaxLength(5);
    LayoutPagina::Colloca(TXT_Errore, QRect(128, 300, 82, 24), 9);
    CHK_AggiungiErrore = new QPushButton(QStringLiteral("+"), FRM1);
    CHK_AggiungiErrore->setObjectName(QStringLiteral("CHK_AggiungiErrore"));
    LayoutPagina::Colloca(CHK_AggiungiErrore, QRect(214, 300, 32, 24), 10, true);
    CHK_TogliErrore = new QPushButton(QStringLiteral("-"), FRM1);
    CHK_TogliErrore->setObjectName(QStringLiteral("CHK_TogliErrore"));
    LayoutPagina::Colloca(CHK_TogliErrore, QRect(214, 330, 32, 24), 10, true);
    LST_Selettivo = new QListWidget(FRM1);
    LST_Selettivo->setObjectName(QStringLiteral("LST_Selettivo"));
    LayoutPagina::Colloca(LST_Selettivo, QRect(252, 280, 140, 122), 9);
    CHK_SpegniSpiaOneShot = PulsanteCodici(FRM1, "CHK_SpegniSpiaOneShot", QRect(8, 282, 112, 34));
    CHK_SpegniSpiaOneShot->BackColor(0xC0A0A0);
    CMD_StatusOBDInfo = PulsanteCodici(FRM1, "CMD_StatusOBDInfo", QRect(8, 322, 112, 76));
    // The lamp of the key-on switch-off: beside the option it reports on.
    SHP_StatusOBDKeyOn = new QFrame(FRM1);
    SHP_StatusOBDKeyOn->setObjectName(QStringLiteral("SHP_StatusOBDKeyOn"));
    LayoutPagina::Colloca(SHP_StatusOBDKeyOn, QRect(376, 240, 14, 14));

    for (QCheckBox* c : {CHK_SpegniSpiaPermanente, CHK_AbilitaCancellazioneSelettiva, CHK_SpegniSpiaKeyOff,
                         CHK_SpegniSpiaKeyOn, chkbloccaOBD})
        connect(c, &QCheckBox::clicked, this, [this, c] { Impostazione_Click(c); });
    connect(CHK_AggiungiErrore, &QPushButton::clicked, this, &FrmObd::CHK_AggiungiErrore_Click);
    connect(CHK_TogliErrore, &QPushButton::clicked, this, &FrmObd::CHK_TogliErrore_Click);
    connect(CHK_SpegniSpiaOneShot, &PulsanteGrafico::Click, this, &FrmObd::CHK_SpegniSpiaOneShot_Click);
    connect(CMD_StatusOBDInfo, &PulsanteGrafico::Click, this, &FrmObd::CMD_StatusOBDInfo_Click);
}

void FrmObd::CaricaLinguaCodici(int16_t m, int16_t u) {
    auto t = [m](int n) { return ModMain::VoceLingua(static_cast<int16_t>(m + n)); };
    auto testo = [m](int n) { return ModMain::TestoVoce(static_cast<int16_t>(m + n)); };
    CHK_SpegniSpiaPermanente->setText(t(20));
    LAB_CodiceErrore->setText(t(51));
    CHK_AbilitaCancellazioneSelettiva->setText(t(52));
    CHK_SpegniSpiaKeyOff->setText(t(53));
    CHK_SpegniSpiaKeyOn->setText(t(60));
    CHK_SpegniSpiaOneShot->Caption(t(66));
    chkbloccaOBD->setText(ModMain::VoceLingua(static_cast<int16_t>(u + 33)));
    testoBlocco_ = ModMain::TestoVoce(static_cast<int16_t>(u + 34));
    testoKeyOff_ = testo(67);
    for (int i = 0; i < 6; ++i) testiCodici_[i] = testo(54 + i);
    const int indicatori[5] = {63, 62, 61, 65, 64};
    for (int i = 0; i < 5; ++i) testiIndicatore_[i] = testo(indicatori[i]);
}

void FrmObd::MessaggioObd(const std::string& testo, bool titoloPrimaLingua) {
    const std::string titolo = titoloPrimaLingua && ModMain::Dizionario ? ModMain::Dizionario->VoceDizionario(0, 0)
                                                                        : ModMain::TestoVoce(0);
    Piattaforma::MostraMessaggio(ModMain::TestoLingua(testo), ModMain::TestoLingua(titolo));
}

void FrmObd::CHK_AggiungiErrore_Click() {
    if (!CHK_AggiungiErrore->isEnabled()) return;
    CHK_AggiungiErrore->setEnabled(false);
    Segna(CHK_AggiungiErrore, true);
}

void FrmObd::CHK_TogliErrore_Click() {
    if (!CHK_TogliErrore->isEnabled()) return;
    CHK_TogliErrore->setEnabled(false);
    Segna(CHK_TogliErrore, true);
}

void FrmObd::CHK_SpegniSpiaOneShot_Click() {
    if (!CHK_SpegniSpiaOneShot->isEnabled()) return;
    CHK_SpegniSpiaOneShot->setEnabled(false);
    Segna(CHK_SpegniSpiaOneShot, true);
}

void FrmObd::CMD_StatusOBDInfo_Click() {
    if (!tagStatoInfo_.empty()) MessaggioObd(tagStatoInfo_);
}

bool FrmObd::GestisciCodici() {
    const bool nuova = ModMain::AbilitaNuovaObd;
    auto fine = [this](QWidget* c) { Segna(c, false); };
    if (Pendente(chkbloccaOBD)) {
        fine(chkbloccaOBD);
        const bool spuntata = chkbloccaOBD->isChecked();
        if ((ValoreCodiciObd(15, 5) & 0x80) && spuntata && ModMain::LivelloAut == 0) {
            MessaggioObd(testoBlocco_, true);
            RicaricaPagina = -1;
        } else if (!nuova) {
            Piattaforma::Suona(440, 500);
            RicaricaPagina = -1;
        } else {
            ModBlck::ModificheBlocco19 = {{spuntata ? 0x20 : 0, 0, 0x20}};
            PubblicaRichiesta(REQ_WRITE_BLK19, true);
        }
        return true;
    }
    for (auto [c, maschera] : {std::pair{CHK_SpegniSpiaPermanente, 0x08}, std::pair{CHK_AbilitaCancellazioneSelettiva, 0x01}}) {
        if (!Pendente(c)) continue;
        fine(c);
        const bool spuntata = c->isChecked();
        if (!nuova) {
            if (maschera == 0x08) {
                ModBlck::ModificheBlocco12 = {{spuntata ? 1 : 0, 25, 0}};
                PubblicaRichiesta(REQ_WRITE_BLK12, true);
            } else {
                Piattaforma::Suona(440, 500);
            }
            return true;
        }
        const auto s = CE::ScriviOpzioneSpia(maschera, spuntata, ValoreCodiciObd(12, 84), ValoreCodiciObd(12, 25));
        if (!s.Blocco12.empty()) ModBlck::ModificheBlocco12 = s.Blocco12;
        ModBlck::ModificheBlocco19 = s.Blocco19;
        PubblicaRichiesta(s.Richiesta, true);
        return true;
    }
    if (Pendente(CHK_SpegniSpiaKeyOff)) {
        fine(CHK_SpegniSpiaKeyOff);
        const bool spuntata = CHK_SpegniSpiaKeyOff->isChecked();
        if ((ValoreCodiciObd(3, 33) & 0x01) && spuntata) {
            MessaggioObd(testoKeyOff_);
            RicaricaPagina = -1;
        } else {
            ModBlck::ModificheBlocco19 = {{spuntata ? 1 : 0, 0, 0x02}};
            PubblicaRichiesta(REQ_WRITE_BLK19, true);
        }
        return true;
    }
    if (Pendente(CHK_SpegniSpiaKeyOn)) {
        fine(CHK_SpegniSpiaKeyOn);
        ModBlck::ModificheBlocco19 = {{CHK_SpegniSpiaKeyOn->isChecked() ? 1 : 0, 0, 0x10}};
        PubblicaRichiesta(REQ_WRITE_BLK19, true);
        return true;
    }
    const std::vector<int32_t> b19 = ValoriBloccoObd(19);
    auto esito = [this](const CE::Modifica& m, int base) {
        switch (m.esito) {
        case CE::Esito::Scritto:
            ModBlck::ModificheBlocco19 = m.Blocco19;
            PubblicaRichiesta(REQ_WRITE_BLK19, true);
            break;
        case CE::Esito::NonValido: MessaggioObd(testiCodici_[base]); break;
        case CE::Esito::GiaPresente: MessaggioObd(testiCodici_[1]); break;
        case CE::Esito::ListaPiena: MessaggioObd(testiCodici_[2]); break;
        case CE::Esito::NessunaSelezione: MessaggioObd(testiCodici_[3]); break;
        case CE::Esito::NonPresente: MessaggioObd(testiCodici_[5]); break;
        }
    };
    if (Pendente(CHK_AggiungiErrore)) {
        fine(CHK_AggiungiErrore);
        esito(CE::AggiungiCodice(TXT_Errore->text().toStdString(), b19), 0);
        CHK_AggiungiErrore->setEnabled(nuova);
        return true;
    }
    if (Pendente(CHK_TogliErrore)) {
        fine(CHK_TogliErrore);
        const QListWidgetItem* voce = LST_Selettivo->currentItem();
        const bool selezionato = voce && voce->isSelected();
        esito(CE::TogliCodice(selezionato ? voce->text().toStdString() : std::string(), selezionato, b19), 4);
        CHK_TogliErrore->setEnabled(nuova);
        return true;
    }
    if (Pendente(CHK_SpegniSpiaOneShot)) {
        fine(CHK_SpegniSpiaOneShot);
        ModBlck::ModificheBlocco2 = {{0x40, 2, 0x40}};
        PubblicaRichiesta(REQ_WRITE_BLK2, true);
        CHK_SpegniSpiaOneShot->setEnabled(true);
        return true;
    }
    // The periodic read of block 20, every 2.1 s.
    const double adesso = ModGlobFunct::LeggiMicrosecondi();
    if (adesso > ProssimaLetturaInfo && nuova) {
        PubblicaRichiesta(REQ_READ_OBD_INFO_ERROR, false);
        ProssimaLetturaInfo = adesso + 2'100'000;
        return true;
    }
    return false;
}

void FrmObd::AggiornaVisualizzazioneNew() {
    CaricamentoPagina = -1;
    const bool nuova = ModMain::AbilitaNuovaObd;
    for (QWidget* w : std::initializer_list<QWidget*>{CHK_AggiungiErrore, TXT_Errore, LST_Selettivo, CHK_TogliErrore,
                                                      CHK_SpegniSpiaKeyOff, CHK_SpegniSpiaKeyOn, chkbloccaOBD})
        w->setEnabled(nuova);
    const int32_t o19 = ValoreCodiciObd(19, 0);
    CHK_SpegniSpiaKeyOff->setChecked(o19 & 0x02);
    CHK_SpegniSpiaKeyOn->setChecked(o19 & 0x10);
    chkbloccaOBD->setChecked(o19 & 0x20);
    LST_Selettivo->clear();
    for (const auto& c : CE::ListaSelettiva(ValoriBloccoObd(19))) LST_Selettivo->addItem(QString::fromStdString(c));
    AggiornaOpzioniSpia();
    const bool livello = ModMain::LivelloSup != 0 || ModMain::LivelloAut != 0;
    const bool sel = CHK_AbilitaCancellazioneSelettiva->isChecked(), off = CHK_SpegniSpiaKeyOff->isChecked(),
               on = CHK_SpegniSpiaKeyOn->isChecked();
    CHK_SpegniSpiaOneShot->setEnabled((ValoreCodiciObd(2, 2) & 0x04) && (!(sel || on || off) || ModMain::LivelloSup != 0));
    const auto e = CE::CalcolaEsclusioni(sel, off, on, livello);
    if (e.KeyOff) CHK_SpegniSpiaKeyOff->setEnabled(false);
    if (e.KeyOn) CHK_SpegniSpiaKeyOn->setEnabled(false);
    if (e.Selettiva) CHK_AbilitaCancellazioneSelettiva->setEnabled(false);
    CaricamentoPagina = 0;
}

void FrmObd::AggiornaOpzioniSpia() {
    const auto o = CE::CalcolaOpzioniSpia(ModMain::AbilitaNuovaObd, ValoreCodiciObd(12, 25), ValoreCodiciObd(12, 84),
                                          ValoreCodiciObd(19, 0));
    CHK_AbilitaCancellazioneSelettiva->setEnabled(o.SelettivaAbilitata);
    CHK_AbilitaCancellazioneSelettiva->setChecked(o.SelettivaSpuntata);
    CHK_SpegniSpiaPermanente->setEnabled(o.PermanenteAbilitata);
    CHK_SpegniSpiaPermanente->setChecked(o.PermanenteSpuntata);
}

void FrmObd::AggiornaStatoObdInfo() {
    const bool nuova = ModMain::AbilitaNuovaObd;
    const auto i = CE::CalcolaIndicatore(nuova, ValoreCodiciObd(2, 1), ValoreCodiciObd(2, 2), ValoreCodiciObd(12, 0),
                                         ValoreCodiciObd(19, 0), ValoriBloccoObd(20));
    const std::string testo = CE::TestoIndicatore(i, testiIndicatore_);
    if (coloreStatoInfo_ != i.Colore) {
        coloreStatoInfo_ = i.Colore;
        CMD_StatusOBDInfo->BackColor(i.Colore);
    }
    tagStatoInfo_ = testo;
    // The caption shows the first line (the whole text is shown on a click);
    // with no text, the MIL control is not active, and the caption says so.
    const std::string didascalia = testo.empty() ? testiIndicatore_[0] : testo.substr(0, testo.find(':'));
    if (didascaliaStatoInfo_ != didascalia) {
        didascaliaStatoInfo_ = didascalia;
        CMD_StatusOBDInfo->Caption(ModMain::TestoLingua(didascalia));
    }
    const bool grigio = i.Colore == CE::Grigio;
    if (CMD_StatusOBDInfo->isEnabled() && grigio && ModMain::LivelloSup == 0 && ModMain::LivelloAut == 0)
        CMD_StatusOBDInfo->setEnabled(false);
    else if (!CMD_StatusOBDInfo->isEnabled() && !grigio)
        CMD_StatusOBDInfo->setEnabled(true);
    const int32_t lampada = CE::ColoreKeyOn(nuova, ValoreCodiciObd(2, 2), ValoreCodiciObd(12, 0), ValoreCodiciObd(19, 0),
                                            ValoreCodiciObd(20, 0));
    const QString css = QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(ColoreCss(lampada));
    if (SHP_StatusOBDKeyOn->styleSheet() != css) SHP_StatusOBDKeyOn->setStyleSheet(css);
}
